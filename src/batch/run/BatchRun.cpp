#include "batch/run/BatchRun.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "batch/model/BatchData.h"
#include "batch/run/BatchChecks.h"
#include "batch/run/BatchIntegrator.h"
#include "batch/run/BatchRunFiles.h"
#include "platform/text/SeqFile.h"
#include "core/model/CalcMessages.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"

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
  snap.moles = moles_;
  snap.tankQ = tankQ_;
  snap.kEq = kEq_;
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
  moles_ = snap.moles;
  tankQ_ = snap.tankQ;
  kEq_ = snap.kEq;
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

std::string BatchRun::Say(const char* japanese, const char* english) const {
  return Case.Language == 1 ? english : japanese;
}

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
    reason = Say("フォルダがありません", "the folder does not exist");
  else if (error != 0)
    reason = seqfile::ErrnoText(error);
  else
    reason = Say("書き込みできません", "it cannot be written");
  writeFailure_ = Say("ERROR:ファイルに書き込めないため計算を中止しました\nフォルダ: ",
                      "ERROR:Cannot write the run files, end of calculation\nFolder: ") +
                  folder + "\n" + Say("理由: ", "Reason: ") + reason + "\n" + file.filename().string();
}

// Ends the run as an error once a file could not be written; true when it did.
bool BatchRun::EndIfWriteFailed() {
  if (writeFailure_.empty() || ending_) return false;
  if (!Ended())
    EndRun(BatchEnd::WriteFailed, writeFailure_,
           Batch_Log_Time(calTime_) + Say(" ファイル書き込み不可のため計算中止", " Cannot write the run files, end of calculation"),
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
  host_.Message(Say("計算を開始します", "Start Calculation"));

  ResetRunState();
  calTime_ = continued ? Batch.Restart_Time : 0;
  if (!continued) Batch.Restart_Time = 0;
  if (Batch.Ope_Mode > 1) {
    Batch.Run_Reflux = Batch.Prod_Spec[1][1];
    Batch.Run_Distillate = Batch.Prod_Spec[2][1];
  }
  InitialProfile();
  if (continued)
    TakeContinuationState();  // its RKG_Q stays as read
  else
    for (int p = 1; p <= Case.NT; ++p)
      for (int i = 1; i <= Case.NC; ++i) Batch.RKG_Q[p][i] = 0;
  if (Batch.Holdup_Unit == 1)
    for (int p = 1; p <= Case.NT - 1; ++p) Batch.Holdup_Mol[p] = Batch.Tray_Holdup[1][p];
  SetPressures();
  FirstEquilibrium(continued);
  InitialMoles();
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

// The state saved at total-reflux convergence, over the fresh profile.
void BatchRun::TakeContinuationState() {
  const int nt = Case.NT, nc = Case.NC;
  for (int p = 1; p <= nt; ++p) {
    Batch.Tray_dM[p] = Batch.Cont_dM[p];
    Batch.Tray_dHL[p] = Batch.Cont_dHL[p];
    Batch.Tray_Q_Sum[p] = Batch.Tray_Q_Sum_Prev[p] = Batch.Cont_Q_Sum[p];
    Batch.Tray_HV[p] = Batch.Cont_HV[p];
    Batch.Tray_HL[p] = Batch.Cont_HL[p];
    // The saved hold-ups are the reference of the first hold-up change.
    Batch.Holdup_Mol[p] = Batch.Cont_M[p];
    Case.Tray_T[p] = Batch.Cont_T[p];
    for (int i = 1; i <= nc; ++i) Case.Tray_X[i][p] = Batch.Cont_X[i][p];
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
  duty_ = Batch.QReb;
  platesRate_ = 0;
  stillEmptied_ = false;
  const std::size_t size = static_cast<std::size_t>(Case.NC + 1) * (Case.NT + 2);
  moles_.assign(size, 0.0);
  trial_.assign(size, 0.0);
  carry_.assign(size, 0.0);
  rates_.assign(size, 0.0);
  x_.assign(size, 0.0);
  y_.assign(size, 0.0);
  kEq_.assign(size, 0.0);
  tankQ_.assign(Case.NC + 1, 0.0);
  stillIn_.assign(Case.NC + 1, 0.0);
  stillOut_.assign(Case.NC + 1, 0.0);
}

std::size_t BatchRun::Index(int component, int element) const {
  return static_cast<std::size_t>(component) * (Case.NT + 2) + element;
}

// The column's content at the start: the plates' hold-ups with their liquid,
// the still what they leave of the charge.
void BatchRun::InitialMoles() {
  const int nt = Case.NT, nc = Case.NC;
  double plates = 0;
  for (int p = 1; p <= nt; ++p) {
    const double m = p < nt ? TargetHoldup(p) : Batch.Total_Feed - plates;
    if (p < nt) plates += m;
    double sum = 0;
    for (int i = 1; i <= nc; ++i) sum += Case.Tray_X[i][p];
    for (int i = 1; i <= nc; ++i) moles_[Index(i, p)] = sum > 0 ? m * Case.Tray_X[i][p] / sum : 0;
    Batch.Holdup_Mol[p] = m;
  }
  for (int i = 1; i <= nc; ++i) moles_[Index(i, nt + 1)] = 0;
}

void BatchRun::InitialProfile() {
  const int nt = Case.NT, nc = Case.NC;
  // Fractions typed in any scale (percent, say) start the column normalised.
  double charge = 0;
  for (int i = 1; i <= nc; ++i) charge += Batch.Feed_Comp[i];
  const double t0 = Unit_Temp_In(Batch.Init_Temp);
  for (int p = 1; p <= nt; ++p) {
    Batch.Tray_dM[p] = Batch.Tray_dHL[p] = 0;
    Batch.Tray_Q_Sum[p] = Batch.Tray_Q_Sum_Prev[p] = 0;
    Case.Tray_V[p] = Case.Tray_L[p] = 0;
    Case.Tray_T[p] = t0;
    for (int i = 1; i <= nc; ++i) Case.Tray_X[i][p] = Batch.Feed_Comp[i] / charge;
  }
}

void BatchRun::SetPressures() {
  const int nt = Case.NT;
  double given[kMaxTray + 1];
  for (int p = 1; p <= nt; ++p) given[p] = Case.Tray_Press[p];
  // The ends are always known: the search below must stop at the still.
  if (given[1] == 0) given[1] = Case.P_Top;
  if (given[nt] == 0) given[nt] = Case.P_Bottom;

  Case.Tray_P[1] = Unit_Press_In(Case.P_Top);
  int k = 1;
  while (k < nt) {
    int m = k + 1;
    while (m < nt && given[m] == 0) ++m;
    Case.Tray_P[m] = Unit_Press_In(given[m]);
    // Linear between the set plates: the same rise from plate to plate up to
    // plate m, with no jump before it.
    const double step = (given[m] - given[k]) / (m - k);
    for (int n = 1; n <= m - k - 1; ++n) Case.Tray_P[k + n] = Unit_Press_In(given[k] + n * step);
    k = m;
  }
  Case.Tray_P[nt] = Unit_Press_In(Case.P_Bottom);
}

void BatchRun::FirstEquilibrium(bool continued) {
  const double t0 = Unit_Temp_In(Batch.Init_Temp);
  for (int p = 1; p <= Case.NT; ++p) {
    const double start = continued && std::isfinite(Case.Tray_T[p]) ? Case.Tray_T[p] : t0;
    PlateEquilibrium(p, start);
  }
}

// Normalises the plate's liquid, finds its bubble point from `start` and the
// vapour in equilibrium. A plate without liquid keeps its temperature and vapour.
void BatchRun::PlateEquilibrium(int p, double start) {
  const int nc = Case.NC;
  double sum = 0;
  for (int i = 1; i <= nc; ++i) sum += Case.Tray_X[i][p];
  if (!(sum > 0)) return;
  for (int i = 1; i <= nc; ++i) {
    Case.Tray_X[i][p] /= sum;
    Batch.Work_Comp[i] = Case.Tray_X[i][p];
  }
  Case.Tray_T[p] = T_Bubble_Mix(start, Case.Tray_P[p], Batch.Work_Comp);
  double ySum = 0;
  for (int i = 1; i <= nc; ++i) {
    Case.Tray_Y[i][p] = Case.K_Value[i] * Case.Tray_X[i][p];
    ySum += Case.Tray_Y[i][p];
  }
  if (ySum > 0)
    for (int i = 1; i <= nc; ++i) Case.Tray_Y[i][p] /= ySum;
  // The ratios the next step freezes, also for a component the plate lacks.
  for (int i = 1; i <= nc; ++i) kEq_[Index(i, p)] = ySum > 0 ? Case.K_Value[i] / ySum : Case.K_Value[i];
}

// ---------------------------------------------------------------- plate model

void BatchRun::PlateModel() {
  const int nt = Case.NT;
  const bool withdrawal = Batch.Prod_Phase == 1;
  duty_ = Batch.Run_QReb;
  Enthalpies();
  PlateHoldups();
  if (withdrawal && Batch.Ope_Mode == 3) Batch.Run_Distillate = SolveMode3Distillate();
  const double d = withdrawal ? Batch.Run_Distillate : 0;
  totalDistillate_ += d * modelStep_;
  Batch.Tray_dM[nt] = StillRate(d);
  if (withdrawal && Batch.Ope_Mode == 2) {
    TopDownSweep();
  } else {
    BottomUpSweep(duty_, Batch.Tray_dM[nt], Case.Tray_V, Case.Tray_L, &Batch.Tray_Heat[1]);
    Batch.Tray_Heat[nt] = duty_;
    Case.Tray_L[nt] = 0;
  }
  Case.Tray_V[1] = 0;
  RangesAndHeat();
}

void BatchRun::Enthalpies() {
  const int nt = Case.NT, nc = Case.NC;
  for (int p = 1; p <= nt; ++p) {
    for (int i = 1; i <= nc; ++i) Batch.Work_Comp[i] = Case.Tray_Y[i][p];
    Batch.Tray_HV[p] = Enthalpy_Vap(Case.Tray_T[p], Case.Tray_P[p], Batch.Work_Comp);
    for (int i = 1; i <= nc; ++i) Batch.Work_Comp[i] = Case.Tray_X[i][p];
    const double h = Enthalpy_Liq(Case.Tray_T[p], Case.Tray_P[p], Batch.Work_Comp);
    // A rate, as every other accumulation term of the balances: the change
    // happened over the step (or part of one) before this one, whose length
    // may differ.
    if (Batch.First_Step_Done == 1) Batch.Tray_dHL[p] = (h - Batch.Tray_HL[p]) / lastStepTime_;
    Batch.Tray_HL[p] = h;
  }
}

// The molar hold-up plate p (1..NT-1) should have with its present liquid:
// hold-ups given in kg follow the plate's mean molecular weight.
double BatchRun::TargetHoldup(int p) const {
  if (Batch.Holdup_Unit != 2) return Batch.Tray_Holdup[1][p];
  double mw = 0;
  for (int i = 1; i <= Case.NC; ++i) mw += Case.Tray_X[i][p] * Case.Mol_Wt[i];
  return Batch.Tray_Holdup[2][p] / mw;
}

// Each plate's hold-up is what it holds; its change in the step (a rate) is
// what brings it to the hold-up its liquid should have. The plate's own flows
// carry that change, so a hold-up that drifted by round-off is mended on the
// plate where it drifted and no other place takes the difference.
void BatchRun::PlateHoldups() {
  const int nt = Case.NT, nc = Case.NC;
  platesRate_ = 0;
  for (int p = 1; p <= nt; ++p) {
    double held = 0;
    for (int i = 1; i <= nc; ++i) held += moles_[Index(i, p)];
    Batch.Holdup_Mol[p] = held;
    if (p == nt) break;
    const double target = TargetHoldup(p);
    // Hold-ups given in kmol keep their change at 0 until round-off matters.
    const double rate = std::fabs(target - held) > 1e-12 * target ? (target - held) / modelStep_ : 0;
    Batch.Tray_dM[p] = rate;
    platesRate_ += rate;
  }
}

// The still's hold-up change, kmol/h, with the distillate rate d: what the
// plates take and what leaves the column.
double BatchRun::StillRate(double d) const { return -platesRate_ - d; }

// Mode-3 withdrawal: the distillate is what the reboiler duty sends to the top.
// Every flow of the bottom-up sweep is affine in the distillate (through the
// still's hold-up change), so two sweeps give V(2) as a line in D and the drum
// balance V(2) = (R + 1) D + dM(1) fixes D.
double BatchRun::SolveMode3Distillate() {
  double v[kMaxTray + 1], l[kMaxTray + 1], top;
  BottomUpSweep(duty_, StillRate(0), v, l, &top);
  const double v0 = v[2];
  BottomUpSweep(duty_, StillRate(1), v, l, &top);  // one kmol/h more
  const double slope = v[2] - v0;
  const double r = Batch.Run_Reflux;
  return (v0 - Batch.Tray_dM[1]) / (r + 1 - slope);
}

// Total reflux and mode 3: flows from the still's duty upwards.
void BatchRun::BottomUpSweep(double q, double dmStill, double* v, double* l, double* heatTop) const {
  const int nt = Case.NT;
  const double* hv = Batch.Tray_HV;
  const double* hl = Batch.Tray_HL;
  const double* dhl = Batch.Tray_dHL;
  const double* m = Batch.Holdup_Mol;
  const double* dm = Batch.Tray_dM;
  const double* heat = Batch.Tray_Heat;
  v[nt] = (q + (hl[nt - 1] - hl[nt]) * dmStill - m[nt] * dhl[nt]) / (hv[nt] - hl[nt - 1]);
  l[nt - 1] = v[nt] + dmStill;
  for (int k = nt - 1; k >= 2; --k) {
    v[k] = ((hl[k - 1] - hl[k]) * (l[k] + dm[k]) - m[k] * dhl[k] + (hv[k + 1] - hl[k - 1]) * v[k + 1] +
            heat[k]) /
           (hv[k] - hl[k - 1]);
    l[k - 1] = v[k] + l[k] - v[k + 1] + dm[k];
  }
  // The condenser takes what the top vapour brings beyond the drum's own change.
  *heatTop = -((hv[2] - hl[1]) * v[2] - dhl[1] * m[1]);
}

// Mode-2 withdrawal: flows from the reflux and distillate downwards; the
// still's duty is what the balance asks.
void BatchRun::TopDownSweep() {
  const int nt = Case.NT;
  const double* hv = Batch.Tray_HV;
  const double* hl = Batch.Tray_HL;
  const double* dhl = Batch.Tray_dHL;
  const double* m = Batch.Holdup_Mol;
  const double* dm = Batch.Tray_dM;
  double* heat = Batch.Tray_Heat;
  double* v = Case.Tray_V;
  double* l = Case.Tray_L;
  const double r = Batch.Run_Reflux, d = Batch.Run_Distillate;
  l[1] = r * d;
  v[2] = (r + 1) * d + dm[1];
  heat[1] = -((hv[2] - hl[1]) * v[2] - dhl[1] * m[1]);
  for (int j = 2; j <= nt - 1; ++j) {
    v[j + 1] = (l[j - 1] * (hl[j] - hl[j - 1]) + v[j] * (hv[j] - hl[j]) + m[j] * dhl[j] - heat[j]) /
               (hv[j + 1] - hl[j]);
    l[j] = v[j + 1] + l[j - 1] - v[j] - dm[j];
  }
  heat[nt] = (hv[nt] - hl[nt]) * v[nt] - (hl[nt - 1] - hl[nt]) * l[nt - 1] + m[nt] * dhl[nt];
  l[nt] = 0;
  duty_ = heat[nt];
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

namespace {

// A value in a message, to four significant digits ("-22.8", "-400000").
std::string Short(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3e", value);
  return txt::Plain(std::strtod(text, nullptr));
}

}  // namespace

std::string BatchRun::Say(const std::string& japanese, const std::string& english) const {
  return Case.Language == 1 ? english : japanese;
}

// A heat or duty in the case's unit with its name: BTU has no conversion, so
// its values stay in J.
std::string BatchRun::HeatText(double jPerHour, const char* per) const {
  const bool kcal = Case.H_Unit == 2;
  return Short(kcal ? Unit_Heat_Out(jPerHour) : jPerHour) + (kcal ? " Kcal" : " J") + per;
}

// A component on the plate whose vapour enthalpy is not above its liquid's at
// the plate's temperature, in words, or empty: with such data no flow the
// energy balances give means anything.
std::string BatchRun::LatentHeatBlame(int plate) const {
  CompVec pure{};
  const std::string own = "Tray " + txt::Plain(plate);
  for (int i = 1; i <= Case.NC; ++i) {
    if (!(Case.Tray_X[i][plate] > 0 || Case.Tray_Y[i][plate] > 0)) continue;
    const double t = Case.Tray_T[plate], p = Case.Tray_P[plate];
    pure[i] = 1;
    const double latent = Enthalpy_Vap(t, p, pure) - Enthalpy_Liq(t, p, pure);
    pure[i] = 0;
    if (!(latent > 0)) {
      const std::string value = HeatText(latent, "/Kgmol");
      return Say(own + " で " + Case.Comp_Name[i] + " の蒸発潜熱が 0 以下です (" + value +
                     ")。エンタルピーデータを確認してください",
                 "the latent heat of " + Case.Comp_Name[i] + " on " + own + " is 0 or less (" + value +
                     "): check its enthalpy data");
    }
  }
  return {};
}

// A step too long to split whose flows come from enthalpy data without a
// latent heat: halving the step would not help, so the run stops there as
// for a negative flow. True when the run ended.
bool BatchRun::RunawayFlowEnds(int plate) {
  for (int k = 0; k < Case.NT; ++k) {
    const int p = (plate - 1 + k) % Case.NT + 1;  // the fastest plate first
    const std::string blame = LatentHeatBlame(p);
    if (blame.empty()) continue;
    const std::string flows = Short(Case.Tray_V[plate]) + " / " + Short(Case.Tray_L[plate]);
    const std::string text =
        Say("Tray " + txt::Plain(plate) + " の蒸気/液流量が大きすぎます (" + flows + " Kgmol/H): ",
            "Runaway vapour / liquid flows on Tray " + txt::Plain(plate) + " (" + flows + " Kgmol/H): ") +
        blame;
    RollBack();
    EndRun(BatchEnd::Infeasible, "ERROR:" + text + Say("。計算を中止しました", ", end of calculation"),
           Batch_Log_Time(calTime_) + " " + text, false);
    return true;
  }
  return false;
}

// Why plate `plate`'s flow came out negative, in words; `balance` is the
// plate whose heat balance gave the flow. The enthalpy data come first (a
// latent heat of 0 or less leaves no flow equation its meaning), then the side
// heats the flow carries, then the reboiler duty.
std::string BatchRun::NegativeFlowText(int plate, bool vapour, double flow, int balance, bool topDown) const {
  const int nt = Case.NT;
  const std::string tray = "Tray " + txt::Plain(plate), flowText = " (" + Short(flow) + " Kgmol/H): ";
  const std::string text = Say(tray + (vapour ? " の蒸気流量がマイナス" : " の液流量がマイナス") + flowText,
                               (vapour ? "Negative vapour flow on " : "Negative liquid flow on ") + tray + flowText);
  const std::string own = "Tray " + txt::Plain(balance);
  if (const std::string blame = LatentHeatBlame(balance); !blame.empty()) return text + blame;
  // The side heats (plates 2..NT-1) the flow carries: from the plate of the
  // balance down to the still when the sweep starts at the still, from the
  // top down to it when it starts at the top. From the still a cooled plate
  // takes vapour and a heated one dries its own liquid; from the top a heated
  // plate needs less vapour from below and passes less liquid down.
  const bool cooling = !topDown && vapour;
  int first = std::max(balance, 2), last = nt - 1;  // from the still: the vapour's way up
  if (topDown) first = 2, last = std::min(balance, nt - 1);
  else if (!vapour) last = balance;
  int from = 0, to = 0;
  double sum = 0;
  for (int j = first; j <= last; ++j) {
    const double q = Batch.Tray_Heat[j];
    if (cooling ? q < 0 : q > 0) {
      if (from == 0) from = j;
      to = j;
      sum += q;
    }
  }
  if (from != 0) {
    const std::string plates =
        from == to ? "Tray " + txt::Plain(from)
                   : Say("Tray " + txt::Plain(from) + " ～ " + txt::Plain(to), "Trays " + txt::Plain(from) + " to " +
                                                                                   txt::Plain(to));
    const std::string heat = HeatText(sum, "/H") + (from == to ? "" : Say(" 合計", " in all"));
    if (cooling)
      return text + Say(plates + " の除熱量 (" + heat + ") が下からの蒸気で賄えません",
                        "the heat removed on " + plates + " (" + heat +
                            ") is more than the vapour from below can give");
    return text + Say(plates + " の加熱量 (" + heat + ") が流れ込む液より多くを蒸発させます",
                      "the heat put into " + plates + " (" + heat + ") boils off more liquid than reaches it");
  }
  if (!topDown)
    return text + Say("リボイラー熱量 (" + HeatText(duty_, "/H") + ") が小さすぎて蒸気が上がりません",
                      "the reboiler duty (" + HeatText(duty_, "/H") + ") is too small to boil up vapour");
  const std::string heat = HeatText(Batch.Tray_Heat[balance], "/H");
  return text + Say(own + " の熱収支 (熱量 " + heat + ") が成り立ちません",
                    "the heat balance of " + own + " (heat input " + heat + ") cannot be met");
}

// A negative vapour or liquid flow (or mode-3 distillate) means the duties of
// the step cannot be met: integrating it would move amounts against their
// flows. The run stops at that step with the state of the last one it took,
// so nothing negative is kept or written, and says which plate and which heat
// are to blame. True when the run ended.
bool BatchRun::NegativeFlowEnds() {
  const int nt = Case.NT;
  const bool withdrawal = Batch.Prod_Phase == 1;
  const double* v = Case.Tray_V;
  const double* l = Case.Tray_L;
  std::string text;
  if (withdrawal && Batch.Ope_Mode == 3 && Batch.Run_Distillate < 0) {
    const std::string tank = txt::Plain(Batch.Tank_No), d = Short(Batch.Run_Distillate);
    text = Say("TANK " + tank + " のリボイラー熱量 (" + HeatText(duty_, "/H") + ") が小さすぎて留出しません (D = " + d +
                   " Kgmol/H)",
               "the reboiler duty of Tank " + tank + " (" + HeatText(duty_, "/H") +
                   ") is too small to give any distillate (D = " + d + " Kgmol/H)");
  } else {
    // The flows in the order their sweep found them, each with the plate
    // whose balance gave it.
    struct Flow {
      int plate;
      bool vapour;
      int balance;
    };
    const bool topDown = withdrawal && Batch.Ope_Mode == 2;
    Flow found{0, false, 0};
    auto negative = [&](int plate, bool vapour, int balance) {
      if (found.plate == 0 && (vapour ? v[plate] : l[plate]) < 0) found = {plate, vapour, balance};
    };
    if (topDown) {
      negative(1, false, 1);
      negative(2, true, 1);
      for (int j = 2; j <= nt - 1; ++j) negative(j + 1, true, j), negative(j, false, j);
    } else {
      negative(nt, true, nt);
      negative(nt - 1, false, nt);
      for (int k = nt - 1; k >= 2; --k) negative(k, true, k), negative(k - 1, false, k);
    }
    if (found.plate == 0) return false;
    text = NegativeFlowText(found.plate, found.vapour, found.vapour ? v[found.plate] : l[found.plate], found.balance,
                            topDown);
  }
  RollBack();
  EndRun(BatchEnd::Infeasible, "ERROR:" + text + Say("。計算を中止しました", ", end of calculation"),
         Batch_Log_Time(calTime_) + " " + text, false);
  return true;
}

bool BatchRun::FlowsFinite() const {
  for (int p = 1; p <= Case.NT; ++p)
    if (!std::isfinite(Case.Tray_V[p]) || !std::isfinite(Case.Tray_L[p]) ||
        !std::isfinite(Batch.Tray_Heat[p]) || !std::isfinite(Batch.Holdup_Mol[p]) ||
        !std::isfinite(Case.Tray_T[p]))
      return false;
  return std::isfinite(Batch.Run_Distillate);
}

// ---------------------------------------------------------------- integration

// How many parts the step's integration takes so that the still stays stable
// while it empties, or 0 when the step would leave it without liquid. Its
// total changes linearly over a step, so what it holds at the end is known
// before the step. An explicit step is stable while it boils off less than
// the still holds of its lightest component; near its end an emptying still
// is integrated in parts, and one that would need more parts than
// kMaxStillParts is as good as empty and ends the run.
int BatchRun::StillParts() const {
  const int nt = Case.NT;
  const double rate = Batch.Tray_dM[nt];
  const double left = Batch.Holdup_Mol[nt] + rate * modelStep_;
  if (!(left > 0)) return 0;
  if (rate >= 0) return 1;  // not emptying: a step too long for it is the user's to retry
  double lightest = 0;
  for (int i = 1; i <= Case.NC; ++i)
    if (moles_[Index(i, nt)] > 0) lightest = std::max(lightest, kEq_[Index(i, nt)]);
  const double parts = std::ceil(Case.Tray_V[nt] * lightest * modelStep_ / left);
  if (parts <= 1) return 1;
  return parts <= kMaxStillParts ? static_cast<int>(parts) : 0;
}

// The fastest turnover of the step, 1/h: what leaves a plate, the drum or the
// still, L + V K with K the largest vapour-liquid ratio of a component it
// holds (the drum: reflux and distillate), over the least it holds during the
// step; the stage it belongs to in *plate. An explicit step longer than the
// stage's residence time can move more of a component than the stage holds,
// so the step is split into parts no longer than that.
double BatchRun::FastestPlate(int* plate) const {
  const int nt = Case.NT, nc = Case.NC;
  const double d = Batch.Prod_Phase == 1 ? Batch.Run_Distillate : 0;
  double fastest = 0;
  *plate = 1;
  for (int p = 1; p <= nt; ++p) {
    double lightest = 0;
    for (int i = 1; i <= nc; ++i)
      if (moles_[Index(i, p)] > 0) lightest = std::max(lightest, kEq_[Index(i, p)]);
    const double out = p == 1 ? Case.Tray_L[1] + d : Case.Tray_L[p] + Case.Tray_V[p] * lightest;
    const double held = std::min(Batch.Holdup_Mol[p], Batch.Holdup_Mol[p] + Batch.Tray_dM[p] * modelStep_);
    if (!(held > 0)) continue;  // an emptying still is StillParts' to judge
    if (out / held > fastest) fastest = out / held, *plate = p;
  }
  return fastest;
}

int BatchRun::LightestComponent(int plate) const {
  int lightest = 1;
  for (int i = 1; i <= Case.NC; ++i)
    if (moles_[Index(i, plate)] > 0 && kEq_[Index(i, plate)] > kEq_[Index(lightest, plate)]) lightest = i;
  return lightest;
}

// Component balances of every plate, the drum, the still and the tank for the
// amounts n: what flows in less what flows out, kmol/h, with the step's flows
// and the vapour-liquid ratios of the last equilibrium. The liquid of a plate
// is its amounts over their sum and its vapour is normalised, so the
// components' rates on a plate add up to the plate's hold-up change and the
// rates of one component over the column add up to minus what goes to the
// tank: each balance is kept by the equations themselves.
void BatchRun::ColumnRates(const double* n, double* f, double d, int stage) {
  const int nt = Case.NT, nc = Case.NC;
  const double* v = Case.Tray_V;
  const double* l = Case.Tray_L;
  for (int p = 1; p <= nt; ++p) {
    double held = 0, vapour = 0;
    for (int i = 1; i <= nc; ++i) held += n[Index(i, p)];
    for (int i = 1; i <= nc; ++i) {
      const std::size_t e = Index(i, p);
      x_[e] = held > 0 ? n[e] / held : 0;
      y_[e] = kEq_[e] * x_[e];
      vapour += y_[e];
    }
    if (vapour > 0)
      for (int i = 1; i <= nc; ++i) y_[Index(i, p)] /= vapour;
  }
  const double weight = RKG_Coefficients::Weight[stage] * partTime_;
  for (int i = 1; i <= nc; ++i) {
    const std::size_t row = Index(i, 0);
    const double* x = &x_[row];
    const double* y = &y_[row];
    double* r = &f[row];
    r[1] = v[2] * y[2] - (l[1] + d) * x[1];
    for (int p = 2; p <= nt - 1; ++p) r[p] = l[p - 1] * x[p - 1] + v[p + 1] * y[p + 1] - l[p] * x[p] - v[p] * y[p];
    r[nt] = l[nt - 1] * x[nt - 1] - v[nt] * y[nt];
    r[nt + 1] = d * x[1];
    stillIn_[i] += weight * l[nt - 1] * x[nt - 1];
    stillOut_[i] += weight * v[nt] * y[nt];
  }
}

// One Gill step (in `parts` equal parts) of every component's amounts into
// trial_ and carry_, adding what the still took and gave to its sums; the
// plates and components whose amount came out negative (or not a number).
std::vector<BatchRun::Failure> BatchRun::Integrate(int parts) {
  const int nt = Case.NT, nc = Case.NC;
  const double d = Batch.Prod_Phase == 1 ? Batch.Run_Distillate : 0;
  trial_ = moles_;
  for (int i = 1; i <= nc; ++i) {
    trial_[Index(i, nt + 1)] = Batch.Tank_Amount[i];
    for (int p = 1; p <= nt; ++p) carry_[Index(i, p)] = Batch.RKG_Q[p][i];
    carry_[Index(i, nt + 1)] = tankQ_[i];
  }
  partTime_ = modelStep_ / parts;
  for (int k = 0; k < parts; ++k)
    RKG_Step(trial_.size(), trial_.data(), carry_.data(), rates_.data(), partTime_,
             [&](const double* n, double* f, int stage) { ColumnRates(n, f, d, stage); });
  std::vector<Failure> failures;
  for (int i = 1; i <= nc; ++i)
    for (int p = 1; p <= nt + 1; ++p)
      if (!(trial_[Index(i, p)] >= 0)) failures.push_back({i, std::min(p, nt)});
  return failures;
}

// The step's amounts become the state; the plates' liquid and hold-ups are
// read from them.
void BatchRun::AcceptCompositions() {
  const int nt = Case.NT, nc = Case.NC;
  moles_.swap(trial_);
  for (int i = 1; i <= nc; ++i) {
    Batch.Tank_Amount[i] = moles_[Index(i, nt + 1)];
    tankQ_[i] = carry_[Index(i, nt + 1)];
    for (int p = 1; p <= nt; ++p) Batch.RKG_Q[p][i] = carry_[Index(i, p)];
  }
  for (int p = 1; p <= nt; ++p) {
    double held = 0;
    for (int i = 1; i <= nc; ++i) held += moles_[Index(i, p)];
    Batch.Holdup_Mol[p] = held;
    for (int i = 1; i <= nc; ++i) Case.Tray_X[i][p] = held > 0 ? moles_[Index(i, p)] / held : 0;
  }
}

void BatchRun::Equilibrium() {
  for (int p = Case.NT; p >= 1; --p) {
    PlateEquilibrium(p, Case.Tray_T[p]);
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
    EndRun(BatchEnd::Converged, Say("計算完了", "End of Calculation"), Batch_Log_Time(calTime_) + " 計算完了",
           false);
    return;
  }
  // The phase caption and the withdrawal buttons change before the notice shows.
  host_.WithdrawalStarted();
  host_.Notice(Say("全還流収束", "Total Reflux Converged"));
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
  host_.Notice(Say("製品タンク切替", "Change Tank") + std::to_string(Batch.Tank_Count));
  Log(Batch_Log_Time(calTime_) + Say(" タンク切り替え", " Change Tank"));
  host_.DrawProfile();
}

void BatchRun::CalcEnd() {
  EndRun(BatchEnd::LastTank, Say("計算完了", "End of Calculation"),
         Batch_Log_Time(calTime_) + Say(" 計算終了", " End of Calculation"), true);
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
  const std::string message = Say("時間オーバーまたは蒸留塔残り０で計算完了",
                                  "Time over or Bottom Volume=0, end of calculation");
  EndRun(end, message, Batch_Log_Time(calTime_) + " " + message, false);
}

void BatchRun::AbortEnd() {
  if (Batch.Prod_Phase == 1) {
    ChangeTank();
    if (Ended()) return;
    CalcEnd();
  }
  const std::string message = Say(" 中止により計算終了", " Abort, end of calculation");
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
        Say("ERROR:Runge-Kutta-Gill 組成がマイナス", "ERROR:Runge-Kutta-Gill Negative composition"));
    RollBack();
    if (retry)
      for (const Failure& f : failures)
        Written(Batch_Log_Append_Line(Batch.Batch_Log_File,
                                      Batch_Log_Negative_Line(calTime_, f.component, f.plate)),
                Batch.Batch_Log_File);
    if (!retry || halvings >= kMaxRetryHalvings) {
      EndRun(BatchEnd::NegativeComposition,
             Say("ERROR:Runge-Kutta-Gill 組成がマイナスのため計算を中止しました",
                 "ERROR:Runge-Kutta-Gill Negative composition, end of calculation"),
             Batch_Log_Time(calTime_) +
                 Say(" 組成がマイナスのため計算中止", " Negative composition, end of calculation"),
             false);
      return false;
    }
    dt /= 2;
  }
}

// Flows that are no number, or negative ones, end the run at the step's
// start; true when they did.
bool BatchRun::FlowsEnd() {
  if (!FlowsFinite()) {
    RollBack();  // nothing that is no number is kept or written
    EndRun(BatchEnd::NotFinite,
           Say("ERROR:流量が計算できないため計算を中止しました",
               "ERROR:Flows cannot be computed, end of calculation"),
           Batch_Log_Time(calTime_) +
               Say(" 流量が計算できないため計算中止", " Flows not finite, end of calculation"),
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
  PlateModel();
  if (FlowsEnd()) return Split::Ended;
  const int stillParts = StillParts();
  if (stillParts == 0) {
    RollBack();
    return Split::StillEmptied;
  }
  int fastestPlate = 0;
  const double needed = std::max<double>(
      {1.0, static_cast<double>(stillParts), std::ceil(length * FastestPlate(&fastestPlate) / kPartResidence)});
  if (needed == 1 && parts_ < 2 * kMaxStepParts) {
    *failures = Integrate(1);
    ++parts_;
    return failures->empty() ? Split::Taken : Split::Failed;
  }
  if (needed == 1 || parts_ + needed > kMaxStepParts || depth >= kMaxSplitDepth) {
    if (RunawayFlowEnds(fastestPlate)) return Split::Ended;
    failures->push_back({LightestComponent(fastestPlate), fastestPlate});
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
