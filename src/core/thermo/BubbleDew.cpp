// Bubble and dew temperatures and pressures from Antoine vapour pressures and
// Wilson or NRTL activity coefficients. The column solver calls T_Bubble_Mix
// once per stage and iteration: no allocation, one pass over the components per
// Newton step.
#include <algorithm>
#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "core/thermo/ThermoInternal.h"

namespace thermo {

bool IsEosMethod() { return Case.K_Method == 4 || Case.K_Method == 5; }

void SetUnitK() {
  for (int i = 1; i <= Case.NC; ++i) Case.K_Value[i] = 1.0;
}

double AntoineFloorC() {
  double floor = -HUGE_VAL;
  for (int i = 1; i <= Case.NC; ++i)
    if (Case.Antoine_B[i] != 0.0) floor = std::max(floor, -Case.Antoine_C[i]);
  return floor;
}

double CompSum(const double comp[]) {
  double s = 0.0;
  for (int i = 1; i <= Case.NC; ++i) s += comp[i];
  return s;
}

bool InputRefused(const double* t, const double* P, ThermoOutcome& out) {
  const char* japanese = nullptr;
  const char* english = nullptr;
  if (CountOutside()) {
    japanese = "成分数が 0 から 20 の範囲外です。計算しません。";
    english = "The number of components is outside 0 to 20; nothing is calculated.";
  } else if ((P && !(std::isfinite(*P) && *P > 0.0)) || (t && !(std::isfinite(*t) && *t > kAbsoluteZeroC))) {
    japanese = "温度または圧力が物理的にあり得ない値です (圧力 0 以下、絶対零度以下、数値でない値)。計算しません。";
    english = "The temperature or pressure is not physical (pressure 0 or below, below absolute zero, or not a "
              "number); nothing is calculated.";
  } else {
    return false;
  }
  Calc_Message(Case.Language == 1 ? english : japanese);
  out.status = ThermoStatus::Refused;
  return true;
}

bool GammaVaries() { return Case.K_Method == 2 || Case.K_Method == 3; }

LiquidSubstitution::LiquidSubstitution(const double x[]) {
  const double sum = CompSum(x);
  for (int i = 1; i <= Case.NC; ++i) x_[i] = sum > 0.0 ? x[i] / sum : x[i];
}

double LiquidSubstitution::Step(const double target[]) {
  constexpr double kMinWeight = 1.0 / 16.0, kMaxWeight = 16.0;
  const int nc = Case.NC;
  double delta[kMaxComp + 1];
  double change = 0.0, along = 0.0, lastSquared = 0.0;
  for (int i = 1; i <= nc; ++i) {
    delta[i] = target[i] - x_[i];
    change += std::fabs(delta[i]);
    if (haveLast_) {
      along += delta[i] * lastDelta_[i];
      lastSquared += lastDelta_[i] * lastDelta_[i];
    }
  }
  if (lastSquared > 0.0) {
    // delta shrinks by rho = 1 + weight (lambda - 1) per step; the weight
    // 1 / (1 - lambda) = weight / (1 - rho) would cancel it.
    const double rho = along / lastSquared;
    weight_ = rho < 1.0 ? weight_ / (1.0 - rho) : 1.0;
    weight_ = std::clamp(weight_, kMinWeight, kMaxWeight);
  }
  // A step longer than the full one must not carry a mole fraction below 0.
  double w = weight_;
  if (w > 1.0)
    for (int i = 1; i <= nc; ++i)
      if (delta[i] < 0.0) w = std::max(1.0, std::min(w, 0.9 * x_[i] / -delta[i]));
  weight_ = w;
  double sum = 0.0;
  for (int i = 1; i <= nc; ++i) {
    x_[i] = std::max(0.0, x_[i] + w * delta[i]);
    sum += x_[i];
    lastDelta_[i] = delta[i];
  }
  for (int i = 1; i <= nc; ++i) x_[i] /= sum;
  haveLast_ = true;
  return change;
}

}  // namespace thermo

namespace {

using namespace thermo;

const char* const kBubbleMessage = "T_Bubble_Mix No-Convergence";
const char* const kDewMessage = "T_Dew_Mix No-Convergence";
const char* const kPBubbleMessage = "P_Bubble_Mix No-Convergence";
const char* const kPDewMessage = "P_Dew_Mix No-Convergence";

// A start at or below the pole of an Antoine equation (t = -C) has no vapour
// pressure; start one maximal step above it instead.
double soundStartC(double t, double floorC) { return t > floorC ? t : floorC + kStepLimitC; }

// One Newton step of size dT from T, limited to +-20 degrees and kept above the
// Antoine pole by halving the distance to it.
double newtonStepC(double T, double dT, double floorC) {
  if (std::fabs(dT) > kStepLimitC) dT = std::copysign(kStepLimitC, dT);
  const double next = T - dT;
  return next > floorC ? next : floorC + 0.5 * (T - floorC);
}

// Every component's T + C and exponent ln10 (A - B / (T + C)), whose exp is
// PsatMmHg: the divisions of all components in one pass, so that they overlap.
void antoineExponents(double T, double tc[], double e[]) {
  for (int i = 1; i <= Case.NC; ++i) {
    tc[i] = T + Case.Antoine_C[i];
    e[i] = kLn10 * (Case.Antoine_A[i] - Case.Antoine_B[i] / tc[i]);
  }
}

// K-values (into k) at T for the bubble condition with the activity
// coefficients gamma; returns S = sum x K and D = -sum B K x / (T + C)^2.
void bubbleTerms(double T, double pmm, const double x[], const double gamma[], double k[], double& S, double& D) {
  const int nc = Case.NC;
  double tc[kMaxComp + 1], e[kMaxComp + 1];
  antoineExponents(T, tc, e);
  double s = 0.0, d = 0.0;
  for (int i = 1; i <= nc; ++i) {
    const double K = gamma[i] * std::exp(e[i]) / pmm;
    k[i] = K;
    s += x[i] * K;
    d -= Case.Antoine_B[i] * K * x[i] / (tc[i] * tc[i]);
  }
  S = s;
  D = d;
}

// K_Value at T for the dew condition; returns S = 1 - sum y / K and D = sum y B / K / (T + C)^2.
void dewTerms(double T, double pmm, const double y[], double& S, double& D) {
  const int nc = Case.NC;
  double tc[kMaxComp + 1], e[kMaxComp + 1];
  antoineExponents(T, tc, e);
  double sum = 0.0, d = 0.0;
  for (int i = 1; i <= nc; ++i) {
    const double K = Case.Gamma[i] * std::exp(e[i]) / pmm;
    Case.K_Value[i] = K;
    sum += y[i] / K;
    d += y[i] * Case.Antoine_B[i] / K / (tc[i] * tc[i]);
  }
  S = 1.0 - sum;
  D = d;
}

// Newton iteration on the dew condition with Gamma held; T in and out (degC).
ThermoStatus dewNewton(double& T, double pmm, const double y[], double floorC, ThermoOutcome& out) {
  double previous = T;
  bool havePrevious = false;
  for (int n = 0; n < kMaxNewton; ++n) {
    double S, D;
    dewTerms(T, pmm, y, S, D);
    ++out.iterations;
    out.residual = std::fabs(S);
    if (!std::isfinite(S) || !std::isfinite(D)) {
      if (havePrevious) {
        T = previous;
        dewTerms(T, pmm, y, S, D);
      }
      return ThermoStatus::NotFinite;
    }
    if (std::fabs(S) < kTolerance) return ThermoStatus::Converged;
    if (D == 0.0) return ThermoStatus::Stalled;
    previous = T;
    havePrevious = true;
    T = newtonStepC(T, S / D * kInvLn10, floorC);
  }
  return ThermoStatus::IterationLimit;
}

// The bubble and dew pressures refuse the equation-of-state models (with the
// message) and an empty composition: K = 1, and the caller answers the given
// pressure.
bool pressureRefused(const double comp[], ThermoOutcome& out) {
  if (IsEosMethod()) {
    Calc_Message(kRefusedMessage);
    out.status = ThermoStatus::Refused;
  } else if (!(CompSum(comp) > 0.0)) {
    out.status = ThermoStatus::NothingToDo;
  } else {
    return false;
  }
  SetUnitK();
  return true;
}

ThermoOutcome& outcomeOf(ThermoOutcome* outcome, ThermoOutcome& local) {
  ThermoOutcome& out = outcome ? *outcome : local;
  out = ThermoOutcome{};
  return out;
}

// One liquid's Newton iteration on the bubble condition, with Gamma held: that
// of T_Bubble_Mix, which T_Bubble_Mix_Each runs for several liquids side by side.
struct BubbleRun {
  double T, previous, pmm;
  const double* gamma;  // the liquid's activity coefficients, 1..NC
  double* k;            // the K-values of the last evaluation, 1..NC
  int n;                // evaluations so far
  bool done;
  double residual;  // |1 - sum x K| of the last evaluation
  ThermoStatus status;
};

void bubbleStart(BubbleRun& r, double t, double P, double floorC, const double* gamma, double* k) {
  r.pmm = P * kMmHgPerMPa;
  r.T = r.previous = soundStartC(t, floorC);
  r.gamma = gamma;
  r.k = k;
  r.n = 0;
  r.done = false;
  r.residual = 0;
  r.status = ThermoStatus::Converged;
}

// The next evaluation and Newton step; t gets the answer once it is done (a
// first evaluation that is not finite leaves t as given).
[[gnu::always_inline]] inline void bubbleAdvance(BubbleRun& r, const double x[], double floorC, double& t) {
  double S, D;
  bubbleTerms(r.T, r.pmm, x, r.gamma, r.k, S, D);
  const int n = r.n++;
  r.residual = std::fabs(1.0 - S);
  if (!std::isfinite(S) || !std::isfinite(D)) {
    // Back to the last temperature that gave finite K-values.
    r.status = ThermoStatus::NotFinite;
    r.done = true;
    if (n == 0) return;
    bubbleTerms(r.previous, r.pmm, x, r.gamma, r.k, S, D);
    t = r.previous;
    return;
  }
  if (r.residual < kTolerance) {
    r.done = true;
    t = r.T;
    return;
  }
  if (D == 0.0) {
    r.status = ThermoStatus::Stalled;
    r.done = true;
    t = r.T;
    return;
  }
  r.previous = r.T;
  r.T = newtonStepC(r.T, (1.0 - S) / D * kInvLn10, floorC);
  if (r.n == kMaxNewton) {
    // Silent at the limit; the K-values belong to the temperature before the last step.
    r.status = ThermoStatus::IterationLimit;
    r.done = true;
    t = r.T;
  }
}

bool saysNotConverged(const BubbleRun& r) {
  return r.status == ThermoStatus::NotFinite || r.status == ThermoStatus::Stalled;
}

}  // namespace

double T_Bubble_Mix(const double& t, const double& P, const double x[], ThermoOutcome* outcome) {
  {
    ThermoOutcome local;
    ThermoOutcome& out = outcomeOf(outcome, local);
    if (InputRefused(nullptr, &P, out)) return t;
  }
  if (IsEosMethod()) {
    const int32_t eos = Case.K_Method - 4;
    return T_Bubble_srk(eos, t, P, x, outcome);
  }
  ThermoOutcome local;
  ThermoOutcome& out = outcomeOf(outcome, local);
  if (!(CompSum(x) > 0.0)) {
    out.status = ThermoStatus::NothingToDo;
    return t;
  }
  ActivityCoeff_Select(x);  // independent of temperature: once
  const double floorC = AntoineFloorC();
  BubbleRun r;
  bubbleStart(r, t, P, floorC, Case.Gamma, Case.K_Value);
  double T = t;
  while (!r.done) bubbleAdvance(r, x, floorC, T);
  out.iterations = r.n;
  out.residual = r.residual;
  out.status = r.status;
  if (saysNotConverged(r)) Calc_Message(kBubbleMessage);
  return T;
}

void T_Bubble_Mix_Each(int count, double t[], const double P[], const double* const x[], double (*k)[kMaxComp + 1]) {
  // A few liquids at a time, each step of the Newton iteration over all of
  // them before the next: their chains of divisions and exponentials overlap.
  constexpr int kGroup = 8;
  BubbleRun runs[kGroup];
  bool plain[kGroup];  // T_Bubble_Mix's own iteration applies (else it is called as it stands)
  double gamma[kGroup][kMaxComp + 1], kRun[kGroup][kMaxComp + 1];
  const bool eos = IsEosMethod();
  const double floorC = eos ? 0.0 : AntoineFloorC();
  const int nc = Case.NC;
  for (int first = 0; first < count; first += kGroup) {
    const int m = std::min(kGroup, count - first);
    // What the calls before this group left, for a liquid here that T_Bubble_Mix
    // takes as it stands (the gammas below change it).
    double kBefore[kMaxComp + 1], gammaBefore[kMaxComp + 1];
    if (!CountOutside()) {
      std::copy_n(Case.K_Value + 1, nc, kBefore + 1);
      std::copy_n(Case.Gamma + 1, nc, gammaBefore + 1);
    }
    for (int q = 0; q < m; ++q) {
      const int at = first + q;
      plain[q] = !eos && P[at] > 0.0 && std::isfinite(P[at]) && !CountOutside() && CompSum(x[at]) > 0.0;
      if (!plain[q]) continue;
      ActivityCoeff_Select(x[at]);
      std::copy_n(Case.Gamma + 1, nc, gamma[q] + 1);
      bubbleStart(runs[q], t[at], P[at], floorC, gamma[q], kRun[q]);
    }
    for (bool busy = true; busy;) {
      busy = false;
      for (int q = 0; q < m; ++q)
        if (plain[q] && !runs[q].done) {
          bubbleAdvance(runs[q], x[first + q], floorC, t[first + q]);
          busy = busy || !runs[q].done;
        }
    }
    // In order, as one call after another leaves them: the K-values (a liquid
    // that T_Bubble_Mix refuses keeps those of the one before), the gammas and
    // the messages.
    for (int q = 0; q < m; ++q) {
      const int at = first + q;
      if (plain[q]) {
        if (saysNotConverged(runs[q])) Calc_Message(kBubbleMessage);
        std::copy_n(kRun[q] + 1, nc, k[at] + 1);
        continue;
      }
      if (!CountOutside()) {
        // The state the liquid before left: its own run, or the calls before this group.
        const bool afterRun = q > 0 && plain[q - 1];
        if (afterRun || q == 0) {
          std::copy_n((afterRun ? kRun[q - 1] : kBefore) + 1, nc, Case.K_Value + 1);
          std::copy_n((afterRun ? gamma[q - 1] : gammaBefore) + 1, nc, Case.Gamma + 1);
        }
      }
      t[at] = T_Bubble_Mix(t[at], P[at], x[at]);
      if (!CountOutside()) std::copy_n(Case.K_Value + 1, nc, k[at] + 1);
    }
    // The state the last call leaves.
    if (plain[m - 1]) {
      std::copy_n(kRun[m - 1] + 1, nc, Case.K_Value + 1);
      std::copy_n(gamma[m - 1] + 1, nc, Case.Gamma + 1);
    }
  }
}

double P_Bubble_Mix(const double& t, const double& P, const double x[], ThermoOutcome* outcome) {
  ThermoOutcome local;
  ThermoOutcome& out = outcomeOf(outcome, local);
  if (InputRefused(&t, nullptr, out)) return Unit_Press_Out(P);
  if (pressureRefused(x, out)) return Unit_Press_Out(P);
  ActivityCoeff_Select(x);
  double pmm = 0.0;
  for (int i = 1; i <= Case.NC; ++i) {
    Case.K_Value[i] = Case.Gamma[i] * PsatMmHg(i, t);
    pmm += x[i] * Case.K_Value[i];
  }
  if (!(pmm > 0.0) || !std::isfinite(pmm)) {
    // No vapour pressure at t (at or below an Antoine pole): the given
    // pressure is no answer, so say so.
    Calc_Message(kPBubbleMessage);
    out.status = ThermoStatus::NotFinite;
    SetUnitK();
    return Unit_Press_Out(P);
  }
  for (int i = 1; i <= Case.NC; ++i) Case.K_Value[i] /= pmm;
  out.iterations = 1;
  return Unit_Press_Out(pmm / kMmHgPerMPa);
}

double P_Dew_Mix(const double& t, const double& P, const double y[], ThermoOutcome* outcome) {
  ThermoOutcome local;
  ThermoOutcome& out = outcomeOf(outcome, local);
  if (InputRefused(&t, nullptr, out)) return Unit_Press_Out(P);
  if (pressureRefused(y, out)) return Unit_Press_Out(P);
  const int nc = Case.NC;
  double psat[kMaxComp + 1];
  double target[kMaxComp + 1];
  for (int i = 1; i <= nc; ++i) psat[i] = PsatMmHg(i, t);
  // The activity coefficients belong to the dew liquid, which depends on the
  // dew pressure: substitute x = y P / (Gamma Psat) until it stands still.
  LiquidSubstitution liquid(y);
  ActivityCoeff_Select(y);
  const bool varies = GammaVaries();
  double pmm = 0.0;
  out.status = ThermoStatus::IterationLimit;
  for (int pass = 0; pass < kMaxNewton; ++pass) {
    double sum = 0.0;
    for (int i = 1; i <= nc; ++i) sum += y[i] / (Case.Gamma[i] * psat[i]);
    pmm = 1.0 / sum;
    out.iterations = pass + 1;
    if (!(pmm > 0.0) || !std::isfinite(pmm)) {
      Calc_Message(kPDewMessage);
      out.status = ThermoStatus::NotFinite;
      SetUnitK();
      return Unit_Press_Out(P);
    }
    if (!varies) {
      out.status = ThermoStatus::Converged;
      break;
    }
    for (int i = 1; i <= nc; ++i) target[i] = y[i] * pmm / (Case.Gamma[i] * psat[i]);
    out.residual = liquid.Step(target);
    if (out.residual < kTolerance) {
      out.status = ThermoStatus::Converged;
      break;
    }
    if (pass + 1 == kMaxNewton) break;  // keep Gamma with the pressure it gave
    ActivityCoeff_Select(liquid.X());
  }
  for (int i = 1; i <= nc; ++i) Case.K_Value[i] = Case.Gamma[i] * psat[i] / pmm;
  return Unit_Press_Out(pmm / kMmHgPerMPa);
}

double T_Dew_Mix(const double& t, const double& P, const double y[], ThermoOutcome* outcome) {
  ThermoOutcome local;
  ThermoOutcome& out = outcomeOf(outcome, local);
  if (InputRefused(nullptr, &P, out)) return t;
  if (IsEosMethod()) {
    Calc_Message(kRefusedMessage);
    SetUnitK();
    out.status = ThermoStatus::Refused;
    return t;
  }
  if (!(CompSum(y) > 0.0)) {
    out.status = ThermoStatus::NothingToDo;
    return t;
  }
  const int nc = Case.NC;
  const double pmm = P * kMmHgPerMPa;
  const double floorC = AntoineFloorC();
  double T = soundStartC(t, floorC);
  double target[kMaxComp + 1];
  LiquidSubstitution liquid(y);
  // Temperature and dew liquid converge together: a Newton solve in T with
  // Gamma held, then Gamma from the liquid x = y / K it gives, until x stands
  // still; the returned T then satisfies sum y / K = 1 with the K-values left.
  ActivityCoeff_Select(y);
  const bool varies = GammaVaries();
  for (int pass = 0; pass < kMaxNewton; ++pass) {
    const double start = T;
    out.status = dewNewton(T, pmm, y, floorC, out);
    if (out.status == ThermoStatus::NotFinite || out.status == ThermoStatus::Stalled) {
      Calc_Message(kDewMessage);
      if (out.status == ThermoStatus::NotFinite && T == start && pass == 0) return t;
      return T;
    }
    if (out.status == ThermoStatus::IterationLimit || !varies) return T;
    double sum = 0.0;
    for (int i = 1; i <= nc; ++i) sum += y[i] / Case.K_Value[i];
    for (int i = 1; i <= nc; ++i) target[i] = y[i] / Case.K_Value[i] / sum;
    if (liquid.Step(target) < kTolerance) return T;
    if (pass + 1 == kMaxNewton) break;  // keep Gamma with the K-values it gave
    ActivityCoeff_Select(liquid.X());
  }
  out.status = ThermoStatus::IterationLimit;
  return T;
}
