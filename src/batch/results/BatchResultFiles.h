// Reading the batch run files back for the result windows: the history files
// ("_1" total reflux, "_4" withdrawal) record by record, the tank file ("_5"),
// the ranges at the head of the final-state file ("_3") and the converged
// total-reflux state ("_2"). No reader throws: a missing, short or damaged file
// comes back as a status with a reason the window can show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "batch/model/BatchData.h"
#include "platform/text/SeqFile.h"
#include "platform/text/SeqStream.h"

// The choices the result menu hands to the result windows, and the tank table's
// blocks.
struct BatchResultVars {
  int32_t Graph_Kind = 0;  // 1..5: the graph to draw
  int32_t Data_Phase = 0;  // 0 total-reflux history, 1 withdrawal history
  int32_t Graph_Tray = 0;  // plate of graph kind 3
  TankVec Tank_Time{};     // change time of tank k, h
  double Tank_X[kMaxComp + 1][kMaxTank + 1]{};        // kmol of component j in tank k
  double Tank_Tray_Val[kMaxTray + 1][kMaxTank + 1]{};  // heat into plate i while tank k filled
};

extern BatchResultVars Batch_Result;
void Reset_Batch_Result();

// Run-file names relative to the data folder ("\B_Calc_1.dat").
std::string Batch_Result_Name(int n);
// The history file of a phase: "_1" for 0, "_4" for any other value.
std::string Batch_History_Name(int phase);
// A name relative to the data folder as a full path.
std::string Batch_Result_Path(const std::string& name);

enum class RunFileStatus {
  Ok,
  End,      // no further record
  Missing,  // the file is not there or cannot be opened
  Damaged,  // the file ends inside a record or holds a field that is no number
  OtherRun,  // the file was left by another run than the last one of this process
};

struct RunFileResult {
  RunFileStatus status = RunFileStatus::Ok;
  std::string reason;  // what is wrong (names the line), for Missing and Damaged
  bool ok() const { return status == RunFileStatus::Ok; }
  bool failed() const {
    return status == RunFileStatus::Missing || status == RunFileStatus::Damaged || status == RunFileStatus::OtherRun;
  }
};

// The text a window shows for a Missing or Damaged result, in the current language.
std::string Run_File_Message(const RunFileResult& r);

// One saved state record for NC components and NT plates.
struct HistoryRecord {
  double time = 0;
  int nc = 0, nt = 0;
  std::vector<double> x, y;  // [plate * (nc + 1) + component], 1-based
  std::vector<double> plate;  // [plate * 10 + k], k 0..9: T V L HV HL Heat M dM dHL Q_Sum
  void Size(int components, int plates);
  double X(int c, int p) const { return x[static_cast<std::size_t>(p * (nc + 1) + c)]; }
  double Y(int c, int p) const { return y[static_cast<std::size_t>(p * (nc + 1) + c)]; }
  double T(int p) const { return Value(p, 0); }
  double V(int p) const { return Value(p, 1); }
  double L(int p) const { return Value(p, 2); }
  double Value(int p, int k) const { return plate[static_cast<std::size_t>(p * 10 + k)]; }
};

// Copies a record into the run state (Oper_Time, Tray_X/Y/T/V/L and the plate
// arrays of the batch run), as the graphs replay it.
void Apply_History_Record(const HistoryRecord& r);

// What the result windows need of the case a run was made with. A run's files
// belong to that run: the live case may have other counts by now.
struct BatchRunCase {
  int nc = 0, nt = 0;
  std::string names[kMaxComp + 1];
  CompVec molWt{};
  TrayVec trayPress{};
};

// The live case's counts, names, molar masses and plate pressures.
BatchRunCase Live_Run_Case();
// The case part of the total-reflux file, read without touching the live case.
bool Read_Run_Case(BatchRunCase& out);
// The case of the run whose history is in `historyPath`: the counts from the
// file's own first record; names, masses and pressures from the total-reflux
// file when it has those counts, else from the live case when it has them,
// else the component numbers. An empty or unreadable history gives the live case.
BatchRunCase History_Run_Case(const std::string& historyPath);

// Puts a run's counts, names, masses and plate pressures in place of the live
// case's while a window reads and shows that run, and puts the live ones back.
class RunCaseScope {
 public:
  explicit RunCaseScope(const BatchRunCase& run);
  ~RunCaseScope();
  RunCaseScope(const RunCaseScope&) = delete;
  RunCaseScope& operator=(const RunCaseScope&) = delete;

 private:
  BatchRunCase live_;
};

// A history file read one record at a time, with the counts of its own records.
// The file is read a slice at a time, never held: a run at a fine record
// interval writes histories far beyond what a case file may hold.
class HistoryFile {
 public:
  using Mark = seqfile::StreamReader::Mark;
  // Every kMarkStride-th record's place is kept at Open, so that a table can
  // go to any record reading at most that many records.
  static constexpr std::size_t kMarkStride = 64;

  // Opens the file and learns NC and NT from the lines of its first record
  // (a time, then per plate 2 NC fractions and ten plate values). Damaged, and
  // no record to read, when any record is cut short or holds a value no run
  // can leave: a fraction outside 0..1, a negative time, flow or hold-up, a
  // temperature at or below absolute zero.
  RunFileResult Open(const std::string& path);
  int NC() const { return nc_; }
  int NT() const { return nt_; }
  // The records the file holds (known once Open has said Ok).
  std::size_t Records() const { return records_; }
  // The next record; End at the end of the file, Damaged (rec unchanged in the
  // run state's sense: the caller must not use it) when it ends inside one.
  RunFileResult Next(HistoryRecord& rec);
  bool AtEnd() const { return reader_.Eof(); }
  Mark Pos() const { return reader_.Loc(); }
  bool Seek(const Mark& pos) { return reader_.Seek(pos); }
  // Goes to record `index` (0-based) of the file; false past its last record.
  bool SeekRecord(std::size_t index, HistoryRecord& rec);
  const std::string& Path() const { return path_; }

 private:
  seqfile::StreamReader reader_;
  std::string path_;
  int nc_ = 0, nt_ = 0;
  std::size_t records_ = 0;
  std::vector<Mark> marks_;  // record k * kMarkStride starts at marks_[k]
};

// The tank file read one block ahead, as the graphs mark the tank changes.
class TankChanges {
 public:
  static constexpr double kNoChange = 999999.99;
  // A missing tank file has no change to mark (the run ended before its first).
  void Open(const std::string& path);
  double Pending() const { return pending_; }
  // Reads the next block; at the end (or on a damaged block) no change is pending.
  void Advance();

 private:
  seqfile::Reader reader_;
  bool open_ = false;
  double pending_ = kNoChange;
};

// Reads the tank file into Batch_Result and Batch.Tank_Count (blocks read - 1).
// Only whole blocks count; a file with more than five blocks keeps the first
// five and says so. A negative time or amount makes the file damaged: no tank
// is kept from it.
RunFileResult Read_Tank_File(const std::string& path);

// Reads the ranges of the final-state file into Batch.Scale_T_Max .. Scale_L_Min;
// Damaged (nothing changed) for a negative amount or flow or a temperature at
// or below absolute zero.
RunFileResult Read_Final_Ranges(const std::string& path);

// Reads the total-reflux file: its state into the run state (the plate arrays
// and Oper_Time) and its case into `runCase`; the live case is left as it was.
// Missing when the file is not there (no message shown), OtherRun when the
// last run did not write it, Damaged when the case reader refused it (the
// reader has shown why).
RunFileResult Load_Total_Reflux_State(BatchRunCase& runCase);
