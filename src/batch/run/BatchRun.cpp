#include "batch/run/BatchRun.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>

#include "batch/model/BatchData.h"
#include "batch/run/BatchChecks.h"
#include "batch/run/BatchInfeasibleText.h"
#include "batch/run/BatchIntegrator.h"
#include "batch/run/BatchRunFiles.h"
#include "core/model/CalcMessages.h"
#include "core/model/Language.h"
#include "platform/text/SeqFile.h"

void BatchHost::Message(const std::string& text) { Calc_Message(text); }

// What a step changes before its compositions are accepted, so that a retried
// step starts again from exactly where it began.
struct BatchRun::Snapshot {
  static constexpr int kPlateArrays = 10;
  std::vector<double> plate, rkg, tank;
  double totalDistillate = 0, runDistillate = 0, vMax = 0, vMin = 0, lMax = 0, lMin = 0;

  static double* PlateArray(int k) {
    double* arrays[kPlateArrays] = {Batch.Tray_HV,   Batch.Tray_HL,    Batch.Tray_dHL, Batch.Holdup_Mol,
                                    Batch.Tray_dM,   Case.Tray_V,      Case.Tray_L,    Batch.Tray_Heat,
                                    Batch.Tray_Q_Sum, Batch.Tray_Q_Sum_Prev};
    return arrays[k];
  }

  void Capture(double total) {
    const int nt = Case.NT, nc = Case.NC;
    plate.clear();
    for (int k = 0; k < kPlateArrays; ++k) plate.insert(plate.end(), PlateArray(k) + 1, PlateArray(k) + nt + 1);
    rkg.clear();
    for (int p = 1; p <= nt; ++p) rkg.insert(rkg.end(), Batch.RKG_Q[p] + 1, Batch.RKG_Q[p] + nc + 1);
    tank.assign(Batch.Tank_Amount + 1, Batch.Tank_Amount + nc + 1);
    totalDistillate = total;
    whole = false;
    runDistillate = Batch.Run_Distillate;
    vMax = Batch.Scale_V_Max, vMin = Batch.Scale_V_Min, lMax = Batch.Scale_L_Max, lMin = Batch.Scale_L_Min;
  }

  // A step taken in parts has also moved the liquid, the equilibria and the
  // length of the last part by the time a later part fails: kept (and put
  // back) only when a step is split, so a step taken whole copies no more.
  bool whole = false;
  std::vector<double> moles, tankQ, kEq, liquid, vapour, temperature;
  double tMax = 0, tMin = 0, lastStep = 0;
  int firstDone = 0;

  void Restore(double& total) const {
    const int nt = Case.NT, nc = Case.NC;
    auto it = plate.begin();
    for (int k = 0; k < kPlateArrays; ++k, it += nt) std::copy(it, it + nt, PlateArray(k) + 1);
    auto q = rkg.begin();
    for (int p = 1; p <= nt; ++p, q += nc) std::copy(q, q + nc, Batch.RKG_Q[p] + 1);
    std::copy(tank.begin(), tank.end(), Batch.Tank_Amount + 1);
    total = totalDistillate;
    Batch.Run_Distillate = runDistillate;
    Batch.Scale_V_Max = vMax, Batch.Scale_V_Min = vMin, Batch.Scale_L_Max = lMax, Batch.Scale_L_Min = lMin;
  }
};

// The state of the step's start beyond the plate arrays, before a step is
// taken in parts.
void BatchRun::KeepWhole() {
  const int nt = Case.NT, nc = Case.NC;
  Snapshot& snap = *snapshot_;
  snap.whole = true;
  snap.moles = model_.Amounts();
  snap.tankQ = tankQ_;
  snap.kEq = model_.Ratios();
  snap.liquid.clear();
  snap.vapour.clear();
  for (int i = 1; i <= nc; ++i) {
    snap.liquid.insert(snap.liquid.end(), Case.Tray_X[i] + 1, Case.Tray_X[i] + nt + 1);
    snap.vapour.insert(snap.vapour.end(), Case.Tray_Y[i] + 1, Case.Tray_Y[i] + nt + 1);
  }
  snap.temperature.assign(Case.Tray_T + 1, Case.Tray_T + nt + 1);
  snap.tMax = Batch.Scale_T_Max, snap.tMin = Batch.Scale_T_Min;
  snap.lastStep = lastStepTime_;
  snap.firstDone = Batch.First_Step_Done;
}

// Back to where the step began: nothing of a discarded step stays applied.
void BatchRun::RollBack() {
  Snapshot& snap = *snapshot_;
  snap.Restore(totalDistillate_);
  if (!snap.whole) return;
  const int nt = Case.NT, nc = Case.NC;
  model_.Restore(snap.moles, snap.kEq);
  tankQ_ = snap.tankQ;
  for (int i = 1; i <= nc; ++i) {
    std::copy_n(snap.liquid.begin() + (i - 1) * nt, nt, Case.Tray_X[i] + 1);
    std::copy_n(snap.vapour.begin() + (i - 1) * nt, nt, Case.Tray_Y[i] + 1);
  }
  std::copy(snap.temperature.begin(), snap.temperature.end(), Case.Tray_T + 1);
  Batch.Scale_T_Max = snap.tMax, Batch.Scale_T_Min = snap.tMin;
  lastStepTime_ = snap.lastStep;
  Batch.First_Step_Done = snap.firstDone;
}

BatchRun::BatchRun(BatchHost& host) : host_(host), snapshot_(std::make_unique<Snapshot>()) {}

BatchRun::~BatchRun() = default;

void BatchRun::Log(const std::string& text) {
  Written(Batch_Log_Append(Batch.Batch_Log_File, text), Batch.Batch_Log_File);
}

// A run whose files cannot be kept is not worth running on: the first file
// that cannot be written is remembered with its folder and the reason, and the
// run ends at the next point where it can end (EndIfWriteFailed).
void BatchRun::Written(bool ok, const std::string& path) {
  if (ok)
    for (int n = 1; n <= 5; ++n)
      if (path == Batch_Run_File(n)) Batch_Run_File_Written(n);
  if (ok || !writeFailure_.empty()) return;
  const int error = errno;
  const std::filesystem::path file(path);
  const std::string folder = file.parent_path().string();
  std::error_code ec;
  std::string reason;
  if (!std::filesystem::is_directory(file.parent_path(), ec))
    reason = InLanguage("フォルダがありません", "the folder does not exist");
  else if (error != 0)
    reason = seqfile::ErrnoText(error);
  else
    reason = InLanguage("書き込みできません", "it cannot be written");
  writeFailure_ = InLanguage("ERROR:ファイルに書き込めないため計算を中止しました\nフォルダ: ",
                      "ERROR:Cannot write the run files, end of calculation\nFolder: ") +
                  folder + "\n" + InLanguage("理由: ", "Reason: ") + reason + "\n" + file.filename().string();
}

// Ends the run as an error once a file could not be written; true when it did.
bool BatchRun::EndIfWriteFailed() {
  if (writeFailure_.empty() || ending_) return false;
  if (!Ended())
    EndRun(BatchEnd::WriteFailed, writeFailure_,
           Batch_Log_Time(calTime_) + InLanguage(" ファイル書き込み不可のため計算中止", " Cannot write the run files, end of calculation"),
           false);
  return true;
}

// ---------------------------------------------------------------- set-up

bool BatchRun::Start() {
  if (started_) return !Ended();
  started_ = true;
  if (BatchCheckResult check = Batch_Check_Run(); !check.ok) {
    host_.Message(check.message);
    end_ = BatchEnd::Refused;
    host_.RunEnded(end_);
    return false;
  }
  // A continuation is only taken when its counts still fit the case.
  const bool continued =
      Batch.Continue_Flag == 1 && Case.NC == Case.NC_Save && Case.NT == Case.NT_Save;
  host_.RunStarted();
  // The log first: a folder that cannot take it ends the run before it starts.
  Batch.Batch_Log_File = Batch_Log_Path();
  Written(Batch_Log_Create(Batch.Batch_Log_File, " Start Calculation"), Batch.Batch_Log_File);
  if (!EndIfWriteFailed()) PrepareRunFiles(continued);
  if (EndIfWriteFailed()) return false;
  host_.Message(InLanguage("計算を開始します", "Start Calculation"));

  ResetRunState();
  calTime_ = continued ? Batch.Restart_Time : 0;
  if (!continued) Batch.Restart_Time = 0;
  if (Batch.Ope_Mode > 1) {
    Batch.Run_Reflux = Batch.Prod_Spec[1][1];
    Batch.Run_Distillate = Batch.Prod_Spec[2][1];
  }
  model_.SetUp(continued);
  if (!continued)  // a continued run's carry-over stays as read
    for (int p = 1; p <= Case.NT; ++p)
      for (int i = 1; i <= Case.NC; ++i) Batch.RKG_Q[p][i] = 0;
  const std::size_t size = model_.Size();
  trial_.assign(size, 0.0);
  carry_.assign(size, 0.0);
  rates_.assign(size, 0.0);
  Batch.Scale_T_Min = Case.Tray_T[1];
  Batch.Scale_T_Max = Case.Tray_T[Case.NT];
  Batch.Scale_V_Max = 0;
  Batch.Scale_V_Min = 99999999.0;
  Batch.Scale_L_Max = 0;
  Batch.Scale_L_Min = 999999999.0;
  return true;
}

void BatchRun::PrepareRunFiles(bool continued) {
  // The previous run's results must not be mistaken for this run's: a run
  // clears every file it will write, except that a continued run extends the
  // total-reflux history and state it continues from. A file that cannot be
  // cleared ends the run before it starts.
  Batch_Run_Files_Begin(continued);
  for (int n = 1; n <= 5; ++n) {
    if (continued && n <= 2) continue;
    std::error_code ec;
    std::filesystem::remove(Batch_Run_File(n), ec);
    if (std::filesystem::exists(Batch_Run_File(n))) {
      errno = ec ? ec.value() : 0;
      Written(false, Batch_Run_File(n));
    }
  }
}

void BatchRun::ResetRunState() {
  Case.Stop_Flag = 0;
  Batch.First_Step_Done = 0;
  Batch.Prod_Phase = 0;
  Batch.Last_Tank_Full = 0;
  totalDistillate_ = 0;
  nextSaveTime_ = 0;
  steps_ = 0;
  lastStepTime_ = 0;
  Batch.Run_Save_Interval = Batch.Save_Interval;
  startSaveInterval_ = Batch.Save_Interval;
  Batch.Run_Conv_Limit = Batch.Conv_Limit;
  Batch.Run_Diff_Time = Batch.Diff_Time;
  stepTime_ = Batch.Diff_Time;
  Batch.Run_QReb = Batch.QReb;
  stillEmptied_ = false;
  tankQ_.assign(Case.NC + 1, 0.0);
  stillIn_.assign(Case.NC + 1, 0.0);
  stillOut_.assign(Case.NC + 1, 0.0);
}

// ---------------------------------------------------------------- the model of a step

// The plate model of the step (or part) with the values in force, and what
// the run keeps of it: the distillate in force (mode 3 finds it), the tank's
// total, the flow ranges and the heat totals.
void BatchRun::EvaluateModel() {
  const bool withdrawal = Batch.Prod_Phase == 1;
  BatchOperation op;
  op.withdrawal = withdrawal;
  op.mode = Batch.Ope_Mode;
  op.duty = Batch.Run_QReb;
  op.reflux = Batch.Run_Reflux;
  op.distillate = Batch.Run_Distillate;
  op.length = modelStep_;
  op.lastLength = lastStepTime_;
  op.firstDone = Batch.First_Step_Done == 1;
  model_.Evaluate(op);
  Batch.Run_Distillate = model_.Distillate();
  const double d = withdrawal ? Batch.Run_Distillate : 0;
  totalDistillate_ += d * modelStep_;
  RangesAndHeat();
}

void BatchRun::RangesAndHeat() {
  for (int p = 1; p <= Case.NT; ++p) {
    const double v = Case.Tray_V[p], l = Case.Tray_L[p];
    if (v > Batch.Scale_V_Max) Batch.Scale_V_Max = v;
    if (v != 0 && v < Batch.Scale_V_Min) Batch.Scale_V_Min = v;
    if (l > Batch.Scale_L_Max) Batch.Scale_L_Max = l;
    if (l != 0 && l < Batch.Scale_L_Min) Batch.Scale_L_Min = l;
    Batch.Tray_Q_Sum[p] += Batch.Tray_Heat[p] * modelStep_;
    Batch.Tray_Q_Sum_Prev[p] += Batch.Tray_Heat[p] * modelStep_;
  }
}

// ---------------------------------------------------------------- infeasible duties

// The run stops at a step whose duties cannot be met with the state of the
// last step it took, so nothing negative is kept or written, and says why.
void BatchRun::EndInfeasible(const std::string& text) {
  RollBack();
  EndRun(BatchEnd::Infeasible, "ERROR:" + text + InLanguage("。計算を中止しました", ", end of calculation"),
         Batch_Log_Time(calTime_) + " " + text, false);
}

// A negative vapour or liquid flow (or mode-3 distillate) means the duties of
// the step cannot be met: integrating it would move amounts against their
// flows. True when the run ended.
bool BatchRun::NegativeFlowEnds() {
  const std::string text = Batch_Negative_Flow_Text(Batch.Prod_Phase == 1, Batch.Ope_Mode, model_.Duty());
  if (text.empty()) return false;
  EndInfeasible(text);
  return true;
}

// A step too long to split whose flows come from enthalpy data without a
// latent heat: halving the step would not help, so the run stops there as
// for a negative flow. True when the run ended.
bool BatchRun::RunawayFlowEnds(int plate) {
  const std::string text = Batch_Runaway_Flow_Text(plate);
  if (text.empty()) return false;
  EndInfeasible(text);
  return true;
}

// ---------------------------------------------------------------- integration

// One Gill step (in `parts` equal parts) of every component's amounts into
// trial_ and carry_, adding what the still took and gave to its sums; the
// plates and components whose amount came out negative (or not a number).
std::vector<BatchRun::Failure> BatchRun::Integrate(int parts) {
  const int nt = Case.NT, nc = Case.NC;
  const double d = Batch.Prod_Phase == 1 ? Batch.Run_Distillate : 0;
  trial_ = model_.Amounts();
  for (int i = 1; i <= nc; ++i) {
    trial_[model_.Index(i, nt + 1)] = Batch.Tank_Amount[i];
    for (int p = 1; p <= nt; ++p) carry_[model_.Index(i, p)] = Batch.RKG_Q[p][i];
    carry_[model_.Index(i, nt + 1)] = tankQ_[i];
  }
  partTime_ = modelStep_ / parts;
  // What the still takes and gives, summed with the weights of the stages.
  const double* v = Case.Tray_V;
  const double* l = Case.Tray_L;
  for (int k = 0; k < parts; ++k)
    RKG_Step(trial_.size(), trial_.data(), carry_.data(), rates_.data(), partTime_,
             [&](const double* n, double* f, int stage) {
               model_.Rates(n, f, d);
               const double weight = RKG_Coefficients::Weight[stage] * partTime_;
               for (int i = 1; i <= nc; ++i) {
                 stillIn_[i] += weight * l[nt - 1] * model_.Liquid(i, nt - 1);
                 stillOut_[i] += weight * v[nt] * model_.Vapour(i, nt);
               }
             });
  std::vector<Failure> failures;
  for (int i = 1; i <= nc; ++i)
    for (int p = 1; p <= nt + 1; ++p)
      if (!(trial_[model_.Index(i, p)] >= 0)) failures.push_back({i, std::min(p, nt)});
  return failures;
}

// The step's amounts become the state; the plates' liquid and hold-ups are
// read from them.
void BatchRun::AcceptCompositions() {
  const int nt = Case.NT, nc = Case.NC;
  for (int i = 1; i <= nc; ++i) {
    Batch.Tank_Amount[i] = trial_[model_.Index(i, nt + 1)];
    tankQ_[i] = carry_[model_.Index(i, nt + 1)];
    for (int p = 1; p <= nt; ++p) Batch.RKG_Q[p][i] = carry_[model_.Index(i, p)];
  }
  model_.TakeAmounts(trial_);
}

// The plates' bubble points, and the temperature range widened to them.
void BatchRun::Equilibrium() {
  model_.Equilibrium();
  for (int p = Case.NT; p >= 1; --p) {
    if (Case.Tray_T[p] > Batch.Scale_T_Max) Batch.Scale_T_Max = Case.Tray_T[p];
    if (Case.Tray_T[p] < Batch.Scale_T_Min) Batch.Scale_T_Min = Case.Tray_T[p];
  }
}

// ---------------------------------------------------------------- records and tests

void BatchRun::SaveIfDue() {
  if (!(nextSaveTime_ - 0.00001 <= Batch.Oper_Time) || Batch.Run_Save_Interval == 0) return;
  const int file = Batch.Prod_Phase == 1 ? 4 : 1;
  Written(Append_State_Record(Batch_Run_File(file)), Batch_Run_File(file));
  host_.RecordSaved(file);
  host_.DrawProfile();
  nextSaveTime_ += Batch.Run_Save_Interval;
}

bool BatchRun::Converged() const {
  double worst = 0;
  for (int j = 1; j <= Case.NT - 1; ++j)
    for (int i = 1; i <= Case.NC; ++i)
      worst = std::max(worst, std::fabs(Case.Tray_X[i][j] - Case.Tray_Y[i][j + 1]));
  return worst <= Batch.Run_Conv_Limit;
}

bool Batch_Tank_Full(int k) {
  const int nc = Case.NC, cond = Batch.Tank_Cond[k];
  const double limit = Batch.Tank_Value[k];
  double total = 0, mass = 0;
  for (int i = 1; i <= nc; ++i) {
    total += Batch.Tank_Amount[i];
    mass += Batch.Tank_Amount[i] * Case.Mol_Wt[i];
  }
  double measured;
  if (cond == -1) {
    measured = total;
  } else if (cond == -2) {
    measured = mass;
  } else if (cond >= 1 && cond <= nc) {
    if (!(total > 0)) return false;  // an empty tank has no composition yet
    measured = Batch.Tank_Amount[cond] / total;
  } else if (cond >= 101 && cond <= 100 + nc) {
    if (!(mass > 0)) return false;
    measured = Batch.Tank_Amount[cond - 100] * Case.Mol_Wt[cond - 100] / mass;
  } else {
    return false;
  }
  if (limit > 0) return measured > limit;
  return measured < -limit;  // a threshold of 0 never fills: nothing is below 0
}

void BatchRun::SwitchAtConvergence() {
  Batch.Batch_File = Batch_Run_File(2);
  Written(Write_Total_Reflux_File(Batch.Batch_File), Batch.Batch_File);
  if (EndIfWriteFailed()) return;
  host_.MarkLine(15);
  if (Batch.Ope_Mode == 1) {
    EndRun(BatchEnd::Converged, InLanguage("計算完了", "End of Calculation"), Batch_Log_Time(calTime_) + " 計算完了",
           false);
    return;
  }
  // The phase caption and the withdrawal buttons change before the notice shows.
  host_.WithdrawalStarted();
  host_.Notice(InLanguage("全還流収束", "Total Reflux Converged"));
  Log(Batch_Log_Time(calTime_) + " 全還流収束");
  Batch.Prod_Phase = 1;
  Batch.Tank_Count = 0;
  Batch.Tank_No = 1;
  Batch.Last_Tank_Full = 0;
  Batch.Run_Distillate = Batch.Prod_Spec[2][1];
  Batch.QReb = Batch.Run_QReb = Batch.Prod_Spec[3][1];
  nextSaveTime_ = 0;
  calTime_ = 0;
  Batch.Oper_Time = 0;
  totalDistillate_ = 0;
  for (int i = 1; i <= Case.NC; ++i) Batch.Tank_Amount[i] = 0;
  for (int p = 1; p <= Case.NT; ++p) Batch.Tray_Q_Sum_Prev[p] = 0;
  host_.DrawProfileFrame();
}

void BatchRun::ChangeTank() {
  Written(Append_Tank_Block(Batch_Run_File(5), calTime_), Batch_Run_File(5));
  if (EndIfWriteFailed()) return;
  if (Batch.Tank_Count >= Batch.N_Change_Tank) {
    Batch.Last_Tank_Full = 1;
    host_.DrawProfile();
    return;
  }
  Batch.Tank_Count += 1;
  const int k = Batch.Tank_No = Batch.Tank_Count + 1;
  for (int i = 1; i <= Case.NC; ++i) Batch.Tank_Amount[i] = 0;
  for (int p = 1; p <= Case.NT; ++p) Batch.Tray_Q_Sum_Prev[p] = 0;
  Batch.Run_Reflux = Batch.Prod_Spec[1][k];
  Batch.Run_Distillate = Batch.Prod_Spec[2][k];
  Batch.QReb = Batch.Run_QReb = Batch.Prod_Spec[3][k];
  Batch.Last_Tank_Full = 0;
  host_.Notice(InLanguage("製品タンク切替", "Change Tank") + std::to_string(Batch.Tank_Count));
  Log(Batch_Log_Time(calTime_) + InLanguage(" タンク切り替え", " Change Tank"));
  host_.DrawProfile();
}

void BatchRun::CalcEnd() {
  EndRun(BatchEnd::LastTank, InLanguage("計算完了", "End of Calculation"),
         Batch_Log_Time(calTime_) + InLanguage(" 計算終了", " End of Calculation"), true);
}

void BatchRun::EndRun(BatchEnd end, const std::string& message, const std::string& logText,
                      bool normalEnd) {
  const bool failedBefore = !writeFailure_.empty();
  ending_ = true;
  host_.Message(message);
  Log(logText);
  WriteFinal(normalEnd);
  ending_ = false;
  // A normal end whose last files could not be written says so, once.
  if (!failedBefore && !writeFailure_.empty()) {
    host_.Message(writeFailure_);
    end = BatchEnd::WriteFailed;
  }
  Batch_Run_Files_End(writeFailure_.empty());
  // Every end leaves the ended state; a confirmed abort keeps its own flag.
  if (end != BatchEnd::Abort) Case.Stop_Flag = -1;
  end_ = end;
  host_.RunEnded(end);
}

void BatchRun::WriteFinal(bool normalEnd) {
  BatchFinalState s;
  s.totalDistillate = totalDistillate_;
  s.calTime = calTime_;
  s.fourthValue = normalEnd ? nextSaveTime_ : startSaveInterval_;
  s.normalEnd = normalEnd;
  Written(Write_Final_State_File(Batch_Run_File(3), s), Batch_Run_File(3));
}

void BatchRun::EndOfTimeOrStill(BatchEnd end) {
  // The tank being filled is kept with what it holds.
  if (Batch.Prod_Phase == 1) Written(Append_Tank_Block(Batch_Run_File(5), calTime_), Batch_Run_File(5));
  if (EndIfWriteFailed()) return;
  const std::string message = InLanguage("時間オーバーまたは蒸留塔残り０で計算完了",
                                  "Time over or Bottom Volume=0, end of calculation");
  EndRun(end, message, Batch_Log_Time(calTime_) + " " + message, false);
}

void BatchRun::AbortEnd() {
  if (Batch.Prod_Phase == 1) {
    ChangeTank();
    if (Ended()) return;
    CalcEnd();
  }
  const std::string message = InLanguage(" 中止により計算終了", " Abort, end of calculation");
  EndRun(BatchEnd::Abort, message, Batch_Log_Time(calTime_) + message, false);
}

// ---------------------------------------------------------------- the step

bool BatchRun::Step() {
  if (!started_ || Ended()) return false;
  if (!AdvanceColumn()) return false;
  if (stillEmptied_) return !EndTest();
  AcceptCompositions();
  Equilibrium();
  host_.StepDone();
  SaveIfDue();
  if (EndIfWriteFailed()) return false;
  if (!PhaseTest()) return false;
  if (EndIfWriteFailed()) return false;
  Batch.First_Step_Done = 1;
  calTime_ += stepTime_;
  lastStepTime_ = modelStep_;
  ++steps_;
  host_.Yield();
  return !EndTest();
}

// The plate model and the integration of the step, repeated with half the
// step from the same state while the user retries a negative composition.
// False when the run ended instead.
bool BatchRun::AdvanceColumn() {
  // A step changed to nothing (or less) would never advance the run.
  double dt = std::isfinite(Batch.Run_Diff_Time) && Batch.Run_Diff_Time > 0 ? Batch.Run_Diff_Time
                                                                             : Batch.Diff_Time;
  // Nor may a step changed during the run make it endless.
  dt = std::max(dt, Batch.Max_Ope_Time / kMaxBatchSteps);
  Snapshot& snap = *snapshot_;
  for (int halvings = 0;; ++halvings) {
    stepTime_ = dt;
    parts_ = 0;
    splitInto_ = 1;
    Batch.Oper_Time = calTime_;
    std::fill(stillIn_.begin(), stillIn_.end(), 0.0);
    std::fill(stillOut_.begin(), stillOut_.end(), 0.0);
    snap.Capture(totalDistillate_);
    std::vector<Failure> failures;
    const Split split = TakeSpan(dt, 0, &failures);
    if (split == Split::Ended) return false;
    if (split == Split::StillEmptied) {
      stillEmptied_ = true;
      return true;
    }
    if (failures.empty()) return true;

    const bool retry = host_.AskRetry(
        InLanguage("ERROR:Runge-Kutta-Gill 組成がマイナス", "ERROR:Runge-Kutta-Gill Negative composition"));
    RollBack();
    if (retry)
      for (const Failure& f : failures)
        Written(Batch_Log_Append_Line(Batch.Batch_Log_File,
                                      Batch_Log_Negative_Line(calTime_, f.component, f.plate)),
                Batch.Batch_Log_File);
    if (!retry || halvings >= kMaxRetryHalvings) {
      EndRun(BatchEnd::NegativeComposition,
             InLanguage("ERROR:Runge-Kutta-Gill 組成がマイナスのため計算を中止しました",
                 "ERROR:Runge-Kutta-Gill Negative composition, end of calculation"),
             Batch_Log_Time(calTime_) +
                 InLanguage(" 組成がマイナスのため計算中止", " Negative composition, end of calculation"),
             false);
      return false;
    }
    dt /= 2;
  }
}

// Flows that are no number, or negative ones, end the run at the step's
// start; true when they did.
bool BatchRun::FlowsEnd() {
  if (!model_.Finite()) {
    RollBack();  // nothing that is no number is kept or written
    EndRun(BatchEnd::NotFinite,
           InLanguage("ERROR:流量が計算できないため計算を中止しました",
               "ERROR:Flows cannot be computed, end of calculation"),
           Batch_Log_Time(calTime_) +
               InLanguage(" 流量が計算できないため計算中止", " Flows not finite, end of calculation"),
           false);
    return true;
  }
  return NegativeFlowEnds();
}

// Takes `length` hours of the step from the state reached so far, `depth`
// splits deep. A span longer than its fastest stage can take (or than an
// emptying still can) is taken in as many equal parts as that stage needs,
// each taken as a step of its length would be: the plate model (bubble
// points, vapour-liquid ratios, flows from the heat balances) evaluated
// afresh, the compositions integrated and their equilibria found. So a split
// step is the steps of its parts, while the records, the tests and the clock
// stay on the typed step. The compositions of the last part are left for the
// step to accept. A span that needs more parts than kMaxStepParts, or splits
// deeper than kMaxSplitDepth, is what splitting cannot cure: it fails as a
// negative composition of its fastest stage's lightest component. A part that
// fails, ends the run or would empty the still discards the whole step.
BatchRun::Split BatchRun::TakeSpan(double length, int depth, std::vector<Failure>* failures) {
  if (depth > 0) {
    if (static_cast<int>(spans_.size()) < depth) spans_.resize(depth);
    spans_[depth - 1].Capture(totalDistillate_);
  }
  modelStep_ = length;
  EvaluateModel();
  if (FlowsEnd()) return Split::Ended;
  const int stillParts = model_.StillParts(length, kMaxStillParts);
  if (stillParts == 0) {
    RollBack();
    return Split::StillEmptied;
  }
  int fastestPlate = 0;
  const double withdrawalRate = Batch.Prod_Phase == 1 ? Batch.Run_Distillate : 0;
  const double needed = std::max<double>(
      {1.0, static_cast<double>(stillParts), std::ceil(length * model_.FastestPlate(length, withdrawalRate, &fastestPlate) / kPartResidence)});
  if (needed == 1 && parts_ < 2 * kMaxStepParts) {
    *failures = Integrate(1);
    ++parts_;
    return failures->empty() ? Split::Taken : Split::Failed;
  }
  if (needed == 1 || parts_ + needed > kMaxStepParts || depth >= kMaxSplitDepth) {
    if (RunawayFlowEnds(fastestPlate)) return Split::Ended;
    failures->push_back({model_.LightestComponent(fastestPlate), fastestPlate});
    return Split::Failed;
  }
  // The plate model of the whole span is not its first part's.
  if (depth == 0) {
    KeepWhole();
    snapshot_->Restore(totalDistillate_);
  } else {
    spans_[depth - 1].Restore(totalDistillate_);
  }
  const int parts = static_cast<int>(needed);
  if (depth == 0) splitInto_ = parts;
  for (int k = 1; k <= parts; ++k) {
    if (k > 1) {
      AcceptCompositions();
      Equilibrium();
      lastStepTime_ = modelStep_;
      Batch.First_Step_Done = 1;
    }
    const Split split = TakeSpan(length / parts, depth + 1, failures);
    if (split != Split::Taken) return split;
  }
  return Split::Taken;
}

// Total-reflux convergence or the current tank's condition; false when the run ended.
bool BatchRun::PhaseTest() {
  if (Batch.Prod_Phase == 0) {
    if (Converged()) SwitchAtConvergence();
    return !Ended();
  }
  if (!Batch_Tank_Full(Batch.Tank_No)) return true;
  const bool rising = Batch.Tank_Value[Batch.Tank_No] > 0;
  host_.MarkLine(8);
  ChangeTank();
  if (Ended()) return false;
  if (Batch.Last_Tank_Full == 1) {
    CalcEnd();
    return false;
  }
  if (rising) host_.DrawProfileFrame();
  return true;
}

// After the yield: a confirmed abort, an empty still, the time limit. True when the run ended.
bool BatchRun::EndTest() {
  if (Case.Stop_Flag == 1)
    AbortEnd();
  else if (stillEmptied_ || Batch.Holdup_Mol[Case.NT] <= 0)
    EndOfTimeOrStill(BatchEnd::StillEmpty);
  else if (calTime_ > Batch.Max_Ope_Time)
    EndOfTimeOrStill(BatchEnd::TimeOver);
  return Ended();
}

BatchEnd BatchRun::Run() {
  // The equilibrium routines may complain at every plate of every step: the
  // user hears each complaint once per run.
  CalcMessageScope once;
  if (Start())
    while (Step()) {
    }
  return end_;
}

BatchEnd Batch_Calc(BatchHost& host) {
  BatchRun run(host);
  return run.Run();
}
