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
};

struct RunFileResult {
  RunFileStatus status = RunFileStatus::Ok;
  std::string reason;  // what is wrong (names the line), for Missing and Damaged
  bool ok() const { return status == RunFileStatus::Ok; }
  bool failed() const { return status == RunFileStatus::Missing || status == RunFileStatus::Damaged; }
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

// A history file read one record at a time with the case's NC and NT.
class HistoryFile {
 public:
  RunFileResult Open(const std::string& path);
  // The next record; End at the end of the file, Damaged (rec unchanged in the
  // run state's sense: the caller must not use it) when it ends inside one.
  RunFileResult Next(HistoryRecord& rec);
  bool AtEnd() const { return reader_.Eof(); }
  std::size_t Pos() const { return reader_.Loc(); }
  void Seek(std::size_t pos) { reader_.Seek(pos); }
  const std::string& Path() const { return path_; }

 private:
  seqfile::Reader reader_;
  std::string path_;
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
// five and says so.
RunFileResult Read_Tank_File(const std::string& path);

// Reads the ranges of the final-state file into Batch.Scale_T_Max .. Scale_L_Min.
RunFileResult Read_Final_Ranges(const std::string& path);

// Reads the total-reflux file: its case into the case data model (through the
// batch case reader, which shows its own messages) and its state into the run
// state. Batch.Batch_File is kept. Missing when the file is not there (no
// message shown), Damaged when the case reader refused it.
RunFileResult Load_Total_Reflux_State();
