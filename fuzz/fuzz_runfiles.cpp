// The batch run files. Any bytes offered as the tank file, the final-state
// file or the total-reflux file are refused or read, never crashed on; and a
// run state made of the input's own numbers (fractions, temperatures next to
// absolute zero, any finite heat) written by the run's writers reads back
// through the readers of the result windows and the continued run.
#include <cmath>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "batch/model/BatchCaseFile.h"
#include "batch/model/BatchData.h"
#include "batch/results/BatchResultFiles.h"
#include "batch/run/BatchRunFiles.h"
#include "core/model/CaseData.h"
#include "platform/text/SeqFile.h"

namespace {

// Numbers drawn from the input, eight bytes each, 0 once it is used up.
class Draw {
 public:
  Draw(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  double Any() {
    double v = 0;
    if (at_ + sizeof v <= size_) std::memcpy(&v, data_ + at_, sizeof v);
    at_ += sizeof v;
    // Past 1e300 no run leaves a number; next to the largest double the
    // reader refuses what 15 digits carry past it.
    return std::isfinite(v) && std::fabs(v) < 1e300 ? v : 0.0;
  }
  double NonNegative() { return std::fabs(Any()); }
  double Fraction() {
    const double v = std::fabs(Any());
    return v <= 1 ? v : std::fmod(v, 1.0);
  }
  // Above absolute zero, often by a hair: the 15-digit form lands on it.
  double Temperature() {
    const double v = Any();
    if (seqfile::AboveAbsoluteZero(v, 1)) return v;
    double t = std::nextafter(-273.15, 0.0);
    for (int k = static_cast<int>(std::fabs(std::fmod(v, 8.0))); k > 0; --k) t = std::nextafter(t, 0.0);
    return t;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

void RunState(Draw& d) {
  Batch.Oper_Time = d.NonNegative();
  for (int p = 1; p <= Case.NT; ++p) {
    for (int i = 1; i <= Case.NC; ++i) {
      Case.Tray_X[i][p] = d.Fraction();
      Case.Tray_Y[i][p] = d.Fraction();
      Batch.RKG_Q[p][i] = d.Any();
    }
    Case.Tray_T[p] = d.Temperature();
    Case.Tray_V[p] = d.NonNegative();
    Case.Tray_L[p] = d.NonNegative();
    Batch.Tray_HV[p] = d.Any();
    Batch.Tray_HL[p] = d.Any();
    Batch.Tray_Heat[p] = d.Any();
    Batch.Holdup_Mol[p] = d.NonNegative();
    Batch.Tray_dM[p] = d.Any();
    Batch.Tray_dHL[p] = d.Any();
    Batch.Tray_Q_Sum[p] = d.Any();
    Batch.Tray_Q_Sum_Prev[p] = d.Any();
  }
  for (int i = 1; i <= Case.NC; ++i) Batch.Tank_Amount[i] = d.NonNegative();
  Batch.Scale_T_Max = d.Temperature();
  Batch.Scale_T_Min = d.Temperature();
  Batch.Scale_V_Max = d.NonNegative();
  Batch.Scale_V_Min = d.NonNegative();
  Batch.Scale_L_Max = d.NonNegative();
  Batch.Scale_L_Min = d.NonNegative();
}

void ReadAnyBytes(std::string_view bytes) {
  const std::string path = fuzz::ScratchPath("runfile");
  fuzz::WriteFile(path, bytes);
  (void)Read_Tank_File(path);
  (void)Read_Final_Ranges(path);
  TankChanges tanks;
  tanks.Open(path);
  for (int k = 0; k < 8; ++k) tanks.Advance();
  Batch.Batch_File = path;
  (void)Read_Batch_Continue(1);
}

void WriteAndReadBack(const std::uint8_t* data, std::size_t size) {
  Batch_Initial_set();
  Batch_Example_set();
  Draw draw(data, size);
  RunState(draw);
  const double oldTime = Batch.Oper_Time;
  const std::string history = fuzz::ScratchPath("history"), reflux = fuzz::ScratchPath("reflux"),
                    final = fuzz::ScratchPath("final"), tank = fuzz::ScratchPath("tank");
  std::remove(history.c_str());
  std::remove(tank.c_str());
  fuzz::Require(Append_State_Record(history), "a history record is written");
  fuzz::Require(Write_Total_Reflux_File(reflux), "the total-reflux file is written");
  BatchFinalState end;
  end.totalDistillate = draw.NonNegative();
  end.calTime = draw.NonNegative();
  fuzz::Require(Write_Final_State_File(final, end), "the final-state file is written");
  fuzz::Require(Append_Tank_Block(tank, draw.NonNegative()), "a tank block is written");

  HistoryFile file;
  RunFileResult r = file.Open(history);
  fuzz::Require(r.ok(), "the history reads back", r.reason);
  HistoryRecord rec;
  r = file.Next(rec);
  fuzz::Require(r.ok() && std::fabs(rec.time - oldTime) <= 1e-14 * oldTime, "the history record reads back", r.reason);
  r = Read_Final_Ranges(final);
  fuzz::Require(r.ok(), "the final-state file reads back", r.reason);
  r = Read_Tank_File(tank);
  fuzz::Require(r.ok(), "the tank file reads back", r.reason);
  Batch.Batch_File = reflux;
  const BatchReadResult c = Read_Batch_Continue(1);
  fuzz::Require(c.ok(), "the total-reflux file reads back", c.reason);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FreshState(size % 2 == 0);
  ReadAnyBytes(fuzz::Bytes(data, size));
  fuzz::FreshState(size % 2 == 0);
  WriteAndReadBack(data, size);
  return 0;
}
