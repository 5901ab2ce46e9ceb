#include "batch/run/BatchPlateModel.h"

#include <algorithm>
#include <cmath>

#include "batch/model/BatchData.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

// ---------------------------------------------------------------- set-up

void BatchPlateModel::SetUp(bool continued) {
  stride_ = static_cast<std::size_t>(Case.NT) + 2;
  const std::size_t size = static_cast<std::size_t>(Case.NC + 1) * stride_;
  moles_.assign(size, 0.0);
  x_.assign(size, 0.0);
  y_.assign(size, 0.0);
  kEq_.assign(size, 0.0);
  InitialProfile();
  if (continued) TakeContinuationState();
  if (Batch.Holdup_Unit == 1)
    for (int p = 1; p <= Case.NT - 1; ++p) Batch.Holdup_Mol[p] = Batch.Tray_Holdup[1][p];
  SetPressures();
  FirstEquilibrium(continued);
  InitialMoles();
}

void BatchPlateModel::Restore(const std::vector<double>& amounts, const std::vector<double>& ratios) {
  moles_ = amounts;
  kEq_ = ratios;
}

// The state saved at total-reflux convergence, over the fresh profile.
void BatchPlateModel::TakeContinuationState() {
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

// The column's content at the start: the plates' hold-ups with their liquid,
// the still what they leave of the charge.
void BatchPlateModel::InitialMoles() {
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

void BatchPlateModel::InitialProfile() {
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

void BatchPlateModel::SetPressures() {
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

void BatchPlateModel::FirstEquilibrium(bool continued) {
  const double t0 = Unit_Temp_In(Batch.Init_Temp);
  for (int p = 1; p <= Case.NT; ++p) {
    const double start = continued && std::isfinite(Case.Tray_T[p]) ? Case.Tray_T[p] : t0;
    PlateEquilibrium(p, start);
  }
}

// Normalises the plate's liquid, finds its bubble point from `start` and the
// vapour in equilibrium. A plate without liquid keeps its temperature and vapour.
void BatchPlateModel::PlateEquilibrium(int p, double start) {
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

void BatchPlateModel::Evaluate(const BatchOperation& op) {
  const int nt = Case.NT;
  duty_ = op.duty;
  distillate_ = op.distillate;
  Enthalpies(op);
  PlateHoldups(op.length);
  if (op.withdrawal && op.mode == 3) distillate_ = SolveMode3Distillate(op.reflux);
  const double d = op.withdrawal ? distillate_ : 0;
  Batch.Tray_dM[nt] = StillRate(d);
  if (op.withdrawal && op.mode == 2) {
    TopDownSweep(op.reflux, distillate_);
  } else {
    BottomUpSweep(duty_, Batch.Tray_dM[nt], Case.Tray_V, Case.Tray_L, &Batch.Tray_Heat[1]);
    Batch.Tray_Heat[nt] = duty_;
    Case.Tray_L[nt] = 0;
  }
  Case.Tray_V[1] = 0;
}

void BatchPlateModel::Enthalpies(const BatchOperation& op) {
  const int nt = Case.NT, nc = Case.NC;
  for (int p = 1; p <= nt; ++p) {
    for (int i = 1; i <= nc; ++i) Batch.Work_Comp[i] = Case.Tray_Y[i][p];
    Batch.Tray_HV[p] = Enthalpy_Vap(Case.Tray_T[p], Case.Tray_P[p], Batch.Work_Comp);
    for (int i = 1; i <= nc; ++i) Batch.Work_Comp[i] = Case.Tray_X[i][p];
    const double h = Enthalpy_Liq(Case.Tray_T[p], Case.Tray_P[p], Batch.Work_Comp);
    // A rate, as every other accumulation term of the balances: the change
    // happened over the step (or part of one) before this one, whose length
    // may differ.
    if (op.firstDone) Batch.Tray_dHL[p] = (h - Batch.Tray_HL[p]) / op.lastLength;
    Batch.Tray_HL[p] = h;
  }
}

// The molar hold-up plate p (1..NT-1) should have with its present liquid:
// hold-ups given in kg follow the plate's mean molecular weight.
double BatchPlateModel::TargetHoldup(int p) const {
  if (Batch.Holdup_Unit != 2) return Batch.Tray_Holdup[1][p];
  double mw = 0;
  for (int i = 1; i <= Case.NC; ++i) mw += Case.Tray_X[i][p] * Case.Mol_Wt[i];
  return Batch.Tray_Holdup[2][p] / mw;
}

// Each plate's hold-up is what it holds; its change in the step (a rate) is
// what brings it to the hold-up its liquid should have. The plate's own flows
// carry that change, so a hold-up that drifted by round-off is mended on the
// plate where it drifted and no other place takes the difference.
void BatchPlateModel::PlateHoldups(double length) {
  const int nt = Case.NT, nc = Case.NC;
  platesRate_ = 0;
  for (int p = 1; p <= nt; ++p) {
    double held = 0;
    for (int i = 1; i <= nc; ++i) held += moles_[Index(i, p)];
    Batch.Holdup_Mol[p] = held;
    if (p == nt) break;
    const double target = TargetHoldup(p);
    // Hold-ups given in kmol keep their change at 0 until round-off matters.
    const double rate = std::fabs(target - held) > 1e-12 * target ? (target - held) / length : 0;
    Batch.Tray_dM[p] = rate;
    platesRate_ += rate;
  }
}

// The still's hold-up change, kmol/h, with the distillate rate d: what the
// plates take and what leaves the column.
double BatchPlateModel::StillRate(double d) const { return -platesRate_ - d; }

// Mode-3 withdrawal: the distillate is what the reboiler duty sends to the top.
// Every flow of the bottom-up sweep is affine in the distillate (through the
// still's hold-up change), so two sweeps give V(2) as a line in D and the drum
// balance V(2) = (R + 1) D + dM(1) fixes D.
double BatchPlateModel::SolveMode3Distillate(double reflux) {
  double v[kMaxTray + 1], l[kMaxTray + 1], top;
  BottomUpSweep(duty_, StillRate(0), v, l, &top);
  const double v0 = v[2];
  BottomUpSweep(duty_, StillRate(1), v, l, &top);  // one kmol/h more
  const double slope = v[2] - v0;
  const double r = reflux;
  return (v0 - Batch.Tray_dM[1]) / (r + 1 - slope);
}

// Total reflux and mode 3: flows from the still's duty upwards.
void BatchPlateModel::BottomUpSweep(double q, double dmStill, double* v, double* l, double* heatTop) const {
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
void BatchPlateModel::TopDownSweep(double reflux, double distillate) {
  const int nt = Case.NT;
  const double* hv = Batch.Tray_HV;
  const double* hl = Batch.Tray_HL;
  const double* dhl = Batch.Tray_dHL;
  const double* m = Batch.Holdup_Mol;
  const double* dm = Batch.Tray_dM;
  double* heat = Batch.Tray_Heat;
  double* v = Case.Tray_V;
  double* l = Case.Tray_L;
  const double r = reflux, d = distillate;
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

bool BatchPlateModel::Finite() const {
  for (int p = 1; p <= Case.NT; ++p)
    if (!std::isfinite(Case.Tray_V[p]) || !std::isfinite(Case.Tray_L[p]) ||
        !std::isfinite(Batch.Tray_Heat[p]) || !std::isfinite(Batch.Holdup_Mol[p]) ||
        !std::isfinite(Case.Tray_T[p]))
      return false;
  return std::isfinite(distillate_);
}

// ---------------------------------------------------------------- stages and rates

// How many parts the step's integration takes so that the still stays stable
// while it empties, or 0 when the step would leave it without liquid. Its
// total changes linearly over a step, so what it holds at the end is known
// before the step. An explicit step is stable while it boils off less than
// the still holds of its lightest component; near its end an emptying still
// is integrated in parts, and one that would need more parts than
// maxParts is as good as empty and ends the run.
int BatchPlateModel::StillParts(double length, int maxParts) const {
  const int nt = Case.NT;
  const double rate = Batch.Tray_dM[nt];
  const double left = Batch.Holdup_Mol[nt] + rate * length;
  if (!(left > 0)) return 0;
  if (rate >= 0) return 1;  // not emptying: a step too long for it is the user's to retry
  double lightest = 0;
  for (int i = 1; i <= Case.NC; ++i)
    if (moles_[Index(i, nt)] > 0) lightest = std::max(lightest, kEq_[Index(i, nt)]);
  const double parts = std::ceil(Case.Tray_V[nt] * lightest * length / left);
  if (parts <= 1) return 1;
  return parts <= maxParts ? static_cast<int>(parts) : 0;
}

// The fastest turnover of the step, 1/h: what leaves a plate, the drum or the
// still, L + V K with K the largest vapour-liquid ratio of a component it
// holds (the drum: reflux and distillate), over the least it holds during the
// step; the stage it belongs to in *plate. An explicit step longer than the
// stage's residence time can move more of a component than the stage holds,
// so the step is split into parts no longer than that.
double BatchPlateModel::FastestPlate(double length, double d, int* plate) const {
  const int nt = Case.NT, nc = Case.NC;
  double fastest = 0;
  *plate = 1;
  for (int p = 1; p <= nt; ++p) {
    double lightest = 0;
    for (int i = 1; i <= nc; ++i)
      if (moles_[Index(i, p)] > 0) lightest = std::max(lightest, kEq_[Index(i, p)]);
    const double out = p == 1 ? Case.Tray_L[1] + d : Case.Tray_L[p] + Case.Tray_V[p] * lightest;
    const double held = std::min(Batch.Holdup_Mol[p], Batch.Holdup_Mol[p] + Batch.Tray_dM[p] * length);
    if (!(held > 0)) continue;  // an emptying still is StillParts' to judge
    if (out / held > fastest) fastest = out / held, *plate = p;
  }
  return fastest;
}

int BatchPlateModel::LightestComponent(int plate) const {
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
void BatchPlateModel::Rates(const double* n, double* f, double d) {
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
  for (int i = 1; i <= nc; ++i) {
    const std::size_t row = Index(i, 0);
    const double* x = &x_[row];
    const double* y = &y_[row];
    double* r = &f[row];
    r[1] = v[2] * y[2] - (l[1] + d) * x[1];
    for (int p = 2; p <= nt - 1; ++p) r[p] = l[p - 1] * x[p - 1] + v[p + 1] * y[p + 1] - l[p] * x[p] - v[p] * y[p];
    r[nt] = l[nt - 1] * x[nt - 1] - v[nt] * y[nt];
    r[nt + 1] = d * x[1];
  }
}

void BatchPlateModel::TakeAmounts(std::vector<double>& amounts) {
  const int nt = Case.NT, nc = Case.NC;
  moles_.swap(amounts);
  for (int p = 1; p <= nt; ++p) {
    double held = 0;
    for (int i = 1; i <= nc; ++i) held += moles_[Index(i, p)];
    Batch.Holdup_Mol[p] = held;
    for (int i = 1; i <= nc; ++i) Case.Tray_X[i][p] = held > 0 ? moles_[Index(i, p)] / held : 0;
  }
}

void BatchPlateModel::Equilibrium() {
  for (int p = Case.NT; p >= 1; --p) PlateEquilibrium(p, Case.Tray_T[p]);
}
