// The run files of a batch run in the data folder ("B_Calc_1.dat" .. "_5.dat")
// and its run log ("B_Calc_Log.dat"). Record files are sequential text files;
// the log is plain text, one line per event, each line headed by the date and
// the time.
#pragma once

#include <functional>
#include <string>

namespace seqfile {
class Writer;
}

// Run file n (1..5) in Case.Data_Dir: 1 total-reflux history, 2 case and state
// at total-reflux convergence, 3 final state, 4 withdrawal history, 5 tanks.
std::string Batch_Run_File(int n);
// The run log in Case.Data_Dir.
std::string Batch_Log_Path();

// One state record: Oper_Time, then per plate the x, y pairs of every component
// and a line of ten plate values (T, V, L, HV, HL, Heat, M, dM, dHL, Q_Sum).
void Write_State_Record(seqfile::Writer& w);

// Appends one state record to a history file ("_1" or "_4").
bool Append_State_Record(const std::string& path);

// Writes the total-reflux file: the case, one state record, then RKG_Q per plate.
bool Write_Total_Reflux_File(const std::string& path);

// Values of the final-state file that live in the run, not in the run state.
struct BatchFinalState {
  double totalDistillate = 0;  // kmol withdrawn since withdrawal began
  double calTime = 0;          // phase time, h
  double fourthValue = 0;      // Next_Save_Time (normal end) or the starting save interval
  bool normalEnd = false;      // written by the end after the last tank
};
// Writes "_3": ranges and times, heat totals, phase and times, then per plate
// the x, y pairs and seven plate values.
bool Write_Final_State_File(const std::string& path, const BatchFinalState& s);

// Appends the block of the current tank to "_5": tank index and time, the
// component amounts, the plates' heat while the tank filled.
bool Append_Tank_Block(const std::string& path, double calTime);

// ---- Which run the files belong to (this process)

// A run starts: no run file is yet of this run; a continued run keeps its
// total-reflux history and state ("_1", "_2") as its own.
void Batch_Run_Files_Begin(bool continued);
// Run file n was written by the run going on (or last run).
void Batch_Run_File_Written(int n);
// The run has ended; `complete` when every file it meant to write was written.
void Batch_Run_Files_End(bool complete);
// True once a run of this process has ended with all its files written.
bool Batch_Run_Files_Complete();
// True when run file n exists but a run of this process did not write it:
// it is left from another run.
bool Batch_Run_File_Of_Other_Run(int n);

// Bytes the history files of a run may take at most: each phase may save a
// record every saving interval (at most once a step) up to the longest
// operating time, in both phases when the plan withdraws.
double Batch_Run_Files_Estimate();

// ---- Run log

// Date and time at the head of a log line ("2026/12/09 05:10:33" by default).
using BatchLogClock = std::function<std::string()>;
// Replaces the clock (tests); returns the previous one. An empty clock restores the system clock.
BatchLogClock Set_Batch_Log_Clock(BatchLogClock clock);
std::string Batch_Log_Stamp();

// " Cal_time=" and the time with four decimals, as every event line has it.
std::string Batch_Log_Time(double hours);
// A plain number inside a log line: a blank in place of the plus sign, one blank after.
std::string Batch_Log_Number(double value);

// Creates the log anew with its first line (stamp + text).
bool Batch_Log_Create(const std::string& path, const std::string& text);
// Appends one line (stamp + text).
bool Batch_Log_Append(const std::string& path, const std::string& text);
// Appends one whole line as given.
bool Batch_Log_Append_Line(const std::string& path, const std::string& line);

// The whole negative-composition line for component i on plate j, stamp
// included: the plate part starts at the next 14-character print zone.
std::string Batch_Log_Negative_Line(double calTime, int component, int plate);

// The text after the stamp of a run-time change: the time, the dialog's event
// text (ending in "Old="), the old value and the new value as typed.
std::string Batch_Log_Change_Text(double operTime, const std::string& eventText, double oldValue,
                                  const std::string& newText);
