#include "continuous/DistSolver.h"

#include <algorithm>
#include <cmath>

#include "continuous/DistCaseFile.h"
#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "core/model/Language.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"

namespace {

bool Refuse(const std::string& text) {
  Calc_Message(text);
  return false;
}

}  // namespace

// Per-run work data, fixed-size and allocated once per run.
// Only the inputs of the column's own stages start zeroed: every other array is written before it is read,
// and clearing them all would cost a small column as much as an iteration.
struct DistSolver::Work {
  Work(int nc, int nt) : in(nc, nt) {}
  DistStageInputs in;                   // feeds and side cuts of every stage
  double K[kMaxComp + 1][kMaxTray + 1];  // damped K-values of this iteration
  // One tridiagonal system per component, stage by stage with the components
  // side by side: the eliminations of the components run interleaved.
  double a[kMaxTray + 1];
  double b[kMaxTray + 1][kMaxComp], c[kMaxTray + 1][kMaxComp], d[kMaxTray + 1][kMaxComp];
  double x[kMaxComp + 1], y[kMaxComp + 1];  // one stage's compositions for the thermo calls
  // Every stage's liquid for the bubble points (stage, component), a pointer to
  // each, and the K-values its bubble or dew point left.
  double xs[kMaxTray + 1][kMaxComp + 1];
  const double* xp[kMaxTray + 1];
  double k[kMaxTray + 1][kMaxComp + 1];
  double raw[kMaxComp + 1][kMaxTray + 1];   // the balances' own liquid fractions, before the limits
  // The stage arrays as the pass found them.
  double startT[kMaxTray + 1], startV[kMaxTray + 1], startL[kMaxTray + 1];
  double startX[kMaxComp + 1][kMaxTray + 1], startY[kMaxComp + 1][kMaxTray + 1];
  // The stage arrays before the last heat-pass sweep.
  double keptT[kMaxTray + 1], keptV[kMaxTray + 1], keptL[kMaxTray + 1];
  double keptHV[kMaxTray + 1], keptHL[kMaxTray + 1];
  double keptX[kMaxComp + 1][kMaxTray + 1], keptY[kMaxComp + 1][kMaxTray + 1];
};

std::string Dist_Outcome_Text(const DistRunOutcome& o) {
  switch (o.status) {
    case DistRunStatus::IterationLimit:
    case DistRunStatus::Unbalanced:
    {
      // (Put together only here: a converged run, the common one, has no text.)
      std::string figures(1, ' ');
      figures += txt::Plain(o.pass);
      figures += ", " + txt::Plain(o.iterations);
      figures += ", " + txt::Format(o.lastError, "0.000E+00");
      // Why the run stopped, then how far from a solution the stored results
      // are: the residual beyond its allowance, both as the check applied them.
      const std::string residual = Dist_Residual_Text(o.worst, false);
      return InLanguage("収束しませんでした。（パス, 繰返し回数, 誤差 =" + figures + "）繰返し回数の上限に達しました。" +
                            residual,
                        "Not converged (pass, iterations, error =" + figures + "): the iteration limit was reached" +
                            (residual.empty() ? "" : "; " + residual));
    }
    case DistRunStatus::Infeasible:
      return Dist_Negative_Flow_Text(o.negative);
    case DistRunStatus::NotFinite:
      return InLanguage("計算が発散しました。結果は保存されません。",
                        "The calculation diverged; no result was stored.");
    case DistRunStatus::Stopped:
      return InLanguage("計算中止", "End of Calc");
    default:
      return "";
  }
}

namespace {
std::string resultNote;
}  // namespace

const std::string& Dist_Result_Note() { return resultNote; }
void Dist_Clear_Result_Note() { resultNote.clear(); }

bool Dist_Run_Check() {
  if (!Dist_Range_Check()) return false;
  const CaseData& c = Case;
  if (c.Top_Liq_Prod > 0 && c.Top_Vap_Prod > 0)
    return Refuse("塔頂からの蒸気、液の同時抜き出しは未だサポートしていません。");
  if (c.Reflux_Ratio > 0 && c.Top_Vap_Prod > 0)
    return Refuse(InLanguage("還流のある塔頂からの蒸気製品（分縮器）は未だサポートしていません。",
                             "A top vapour product with reflux (a partial condenser) is not supported yet."));
  // Without a condenser the top stage only sends vapour up: a liquid drawn from it
  // has no source, and the heat pass drives its liquid flow below zero.
  if (!(c.Reflux_Ratio > 0) && c.Top_Liq_Prod > 0)
    return Refuse(InLanguage("還流比が0以下のときは塔頂から液を抜き出せません。",
                             "A top liquid product needs a reflux ratio above 0."));
  // With no top product the reflux (reflux ratio x distillate) is nothing and the
  // stages above the feeds carry no flow at all.
  if (!(c.Top_Liq_Prod + c.Top_Vap_Prod > 0))
    return Refuse(InLanguage("塔頂抜出量がありません。", "There is no top product."));
  if (c.NT < 2 || c.NT > kMaxTray)
    return Refuse(InLanguage("理論段数は2段以上、" + std::to_string(kMaxTray) + "段以下にしてください。",
                             "The column needs 2 to " + std::to_string(kMaxTray) + " stages."));
  if (c.NC < 1 || c.NC > kMaxComp)
    return Refuse(InLanguage("成分数は1から20です。", "The number of components must be 1 to 20."));
  if (const std::string eos = Eos_Constants_Problem(); !eos.empty()) return Refuse(eos);
  // Without a condenser the top stage needs a dew point, which SRK and PR lack.
  if (Eos_K_Method() && !(c.Reflux_Ratio > 0)) return Refuse(Eos_Refused_Text());
  if (c.N_Feed < 0 || c.N_Feed > kMaxFeed || c.N_LiqSC < 0 || c.N_LiqSC > kMaxFeed || c.N_VapSC < 0 ||
      c.N_VapSC > kMaxFeed)
    return Refuse(InLanguage("フィード数、サイドカット数は5以下です。",
                             "At most 5 feeds and 5 side cuts of each kind."));
  double feed = 0;
  for (int f = 1; f <= c.N_Feed; ++f) feed += c.Feed_Flow[f];
  if (c.N_Feed < 1 || !(feed > 0)) return Refuse(InLanguage("フィードがありません。", "There is no feed."));
  auto off = [&](int j) { return j < 1 || j > c.NT; };
  bool anyOff = false;
  for (int f = 1; f <= c.N_Feed; ++f) anyOff |= off(c.Feed_Stage[f]);
  for (int k = 1; k <= c.N_LiqSC; ++k) anyOff |= off(c.LiqSC_Stage[k]);
  for (int k = 1; k <= c.N_VapSC; ++k) anyOff |= off(c.VapSC_Stage[k]);
  if (anyOff)
    return Refuse(InLanguage("フィード段またはサイドカット段が塔の段の範囲外です。",
                             "A feed or side-cut stage lies outside the column."));
  // A feed that carries flow but no component would start every stage empty.
  for (int f = 1; f <= c.N_Feed; ++f) {
    double z = 0;
    for (int i = 1; i <= c.NC; ++i) z += c.Feed_Z[i][f];
    if (c.Feed_Flow[f] != 0 && !(z > 0))
      return Refuse(InLanguage("フィード" + std::to_string(f) + "の組成の合計が0です。",
                               "The mole fractions of feed " + std::to_string(f) + " sum to 0."));
  }
  // More drawn than fed: the bottom stage would have to send liquid back up, and the
  // run would end "converged" on negative flows.
  double bottoms = feed - c.Top_Liq_Prod - c.Top_Vap_Prod;
  for (int k = 1; k <= c.N_LiqSC; ++k) bottoms -= c.LiqSC_Flow[k];
  for (int k = 1; k <= c.N_VapSC; ++k) bottoms -= c.VapSC_Flow[k];
  // A bottoms flow of exactly 0 leaves the bottom stage without an equation for
  // its temperature: it is refused like a negative one.
  if (!(bottoms > 0)) return Refuse("Bottom流量[ " + txt::Signed(bottoms) + " ]が負です。");
  return Dist_Pressure_Check(false);
}

void Feed_Enthalpy_set() {
  CaseData& c = Case;
  const int nf = std::clamp(c.N_Feed, 0, kMaxFeed);
  for (int f = 1; f <= nf; ++f) {
    if (c.H_Method != 1) {
      c.Feed_H[f] = 0;
      continue;
    }
    double z[kMaxComp + 1]{};
    for (int i = 1; i <= std::clamp(c.NC, 0, kMaxComp); ++i) z[i] = c.Feed_Z[i][f];
    const double t = Unit_Temp_In(c.Feed_T[f]);
    c.Feed_H[f] = c.Feed_VF[f] * Enthalpy_Vap_Poly(t, z) + (1 - c.Feed_VF[f]) * Enthalpy_Liq_Poly(t, z);
  }
}

double Dist_Limit_Step(double x0, double xn, double f) {
  if (std::fabs(f * (xn - x0)) > 0.8 * x0) xn = x0 + 0.8 * std::fabs(x0) * (xn > x0 ? 1.0 : -1.0);
  // A step through zero approaches it exponentially instead.
  if (xn <= 0 && x0 > 0) xn = x0 * std::exp((xn - x0) / x0);
  if (xn <= 0) xn = 1e-10;
  return xn;
}

bool DistDamping::Update(int n, double e, double c) {
  if (n > 0) {
    if (std::fabs(e - previousError) <= previousError * c) return true;
    if ((previousError - e) * previousError > 0) {
      f += 0.05;
      if (f > 1.0) f = 1.0;
    } else if (f > 0.5) {
      f -= 0.1;
    }
  }
  previousError = e;
  return e <= c;
}

DistSolver::DistSolver(bool writeResultFile) : writeResultFile_(writeResultFile) {}
DistSolver::~DistSolver() = default;

bool DistSolver::Start() {
  if (started_) return !finished_;
  started_ = true;
  scope_.emplace();
  if (!Dist_Run_Check()) {
    EndRun(DistRunStatus::Refused);
    return false;
  }
  CaseData& c = Case;
  const int nc = c.NC, nt = c.NT;
  resultNote.clear();
  // The start dialog laid the stage pressures and flows; a run on pressures at
  // or below zero, or on flows that already run below zero, means nothing.
  if (!Dist_Pressure_Check(true)) {
    EndRun(DistRunStatus::Refused);
    return false;
  }
  if (DistNegativeFlow n; Dist_Find_Negative_Flow(n)) {
    Calc_Message(Dist_Negative_Flow_Text(n));
    EndRun(DistRunStatus::Refused);
    return false;
  }
  c.Stop_Flag = 0;
  c.Result_Flag = 0;
  for (int i = 1; i <= nc; ++i) c.Gamma[i] = 1;
  for (int j = 1; j <= nt; ++j) c.Dist_Tray_HV[j] = c.Dist_Tray_HL[j] = 0;
  Dist_Material_Balance();

  // A stage without a usable composition (a Continue on empty or broken profiles)
  // starts from the mean feed, so that no bubble point sees an empty liquid.
  double z[kMaxComp + 1]{};
  Dist_Mean_Feed_Composition(z);
  for (int j = 1; j <= nt; ++j) {
    double sx = 0, sy = 0;
    for (int i = 1; i <= nc; ++i) {
      sx += c.Tray_X[i][j];
      sy += c.Tray_Y[i][j];
    }
    if (!(sx > 0) || !std::isfinite(sx))
      for (int i = 1; i <= nc; ++i) c.Tray_X[i][j] = z[i];
    if (!(sy > 0) || !std::isfinite(sy))
      for (int i = 1; i <= nc; ++i) c.Tray_Y[i][j] = z[i];
  }

  outcome_ = DistRunOutcome{};
  if (c.H_Method == 0) {
    outcome_.passCount = 1;
  } else {
    Feed_Enthalpy_set();
    if (c.H_Method == 1) {
      outcome_.passCount = 2;
    } else {
      // No enthalpies from this model: a heat pass would collapse the flows.
      outcome_.passCount = 1;
      outcome_.materialBalanceOnly = true;
      Calc_Message(InLanguage(
          "このエンタルピー推算法ではエンタルピーが求められないため、物質収支のみで計算します。",
          "This enthalpy model gives no enthalpies: the column is solved by material balance only."));
    }
  }
  condenser_ = c.Reflux_Ratio > 0;

  work_.reset(new Work(nc, nt));  // see Work
  Work& w = *work_;
  // Every feed and side cut enters the balances of its stage.
  for (int f = 1; f <= c.N_Feed; ++f) {
    const int j = c.Feed_Stage[f];
    w.in.feed[j] += c.Feed_Flow[f];
    w.in.feedHeat[j] += c.Feed_H[f] * c.Feed_Flow[f];
    for (int i = 1; i <= nc; ++i) w.in.zF[i][j] += c.Feed_Z[i][f] * c.Feed_Flow[f];
  }
  for (int k = 1; k <= c.N_LiqSC; ++k) w.in.sideLiq[c.LiqSC_Stage[k]] += c.LiqSC_Flow[k];
  for (int k = 1; k <= c.N_VapSC; ++k) w.in.sideVap[c.VapSC_Stage[k]] += c.VapSC_Flow[k];

  BeginPass(1);
  return true;
}

void DistSolver::BeginPass(int p) {
  // A first pass that ended in the corrections hands them its profile: the
  // sweeps would first move the heat pass away from it again.
  const bool correcting = p > 1 && policy_.Correcting() && !policy_.GaveUp();
  pass_ = p;
  iteration_ = 0;
  damping_ = DistDamping{};
  newton_.reset();
  lastWasNewton_ = false;
  policy_.BeginPass(correcting);
  outcome_.newtonIterations = 0;
  Work& w = *work_;
  const CaseData& c = Case;
  for (int j = 1; j <= c.NT; ++j) {
    w.startT[j] = c.Tray_T[j];
    w.startV[j] = c.Tray_V[j];
    w.startL[j] = c.Tray_L[j];
    for (int i = 1; i <= c.NC; ++i) {
      w.startX[i][j] = c.Tray_X[i][j];
      w.startY[i][j] = c.Tray_Y[i][j];
    }
  }
}

// Sweeps that creep or cycle may also wander off towards profiles from which
// no correction finds its way: the corrections then start from the profile
// the pass began with, from which they reach the solution of sharp, pinched
// and strongly non-ideal columns in a few steps.
void DistSolver::RestartFromPassStart() {
  newton_.reset();
  damping_ = DistDamping{};
  const Work& w = *work_;
  CaseData& c = Case;
  for (int j = 1; j <= c.NT; ++j) {
    c.Tray_T[j] = w.startT[j];
    c.Tray_V[j] = w.startV[j];
    c.Tray_L[j] = w.startL[j];
    for (int i = 1; i <= c.NC; ++i) {
      c.Tray_X[i][j] = w.startX[i][j];
      c.Tray_Y[i][j] = w.startY[i][j];
    }
  }
}

// Stage j after its bubble (or dew) point: Tray_T(j) holds it and k the K-values it left.
void DistSolver::StageEquilibrium(int j, const double k[]) {
  CaseData& c = Case;
  Work& w = *work_;
  const int nc = c.NC;
  if (pass_ == 2) {
    for (int i = 1; i <= nc; ++i) {
      w.x[i] = c.Tray_X[i][j];
      w.y[i] = c.Tray_Y[i][j];
    }
    c.Dist_Tray_HV[j] = Enthalpy_Vap(c.Tray_T[j], c.Tray_P[j], w.y);
    c.Dist_Tray_HL[j] = Enthalpy_Liq(c.Tray_T[j], c.Tray_P[j], w.x);
    if (j >= (condenser_ ? 3 : 2)) Heat_Balance(j, damping_.f);
  }
  const double f = damping_.f;
  for (int i = 1; i <= nc; ++i) {
    const double x = c.Tray_X[i][j];
    w.K[i][j] = x > 0 ? f * k[i] + (1 - f) * c.Tray_Y[i][j] / x : k[i];
  }
}

void DistSolver::Heat_Balance(int j, double f) {
  if (!work_ || j < 2 || j > Case.NT) return;  // only within a started run
  CaseData& c = Case;
  const Work& w = *work_;
  const int k = j - 1;
  const double* HV = c.Dist_Tray_HV;
  const double* HL = c.Dist_Tray_HL;
  const double F = w.in.feed[k], SV = w.in.sideVap[k], SL = w.in.sideLiq[k];
  const bool openTop = k == 1 && !condenser_;  // nothing flows into the top stage from above
  double Q = (SV + c.Tray_V[k]) * (HV[k] - HL[k]) - (w.in.feedHeat[k] - HL[k] * F);
  if (!openTop) Q += (HL[k] - HL[k - 1]) * c.Tray_L[k - 1];
  const double den = HV[j] - HL[k];
  const double vCalc = den != 0 ? Q / den : Q;
  // Blend with this stage's own previous flow: a fixed point then satisfies the balance.
  c.Tray_V[j] = f * vCalc + (1 - f) * c.Tray_V[j];
  c.Tray_L[k] = F + c.Tray_V[j] - c.Tray_V[k] - SV - SL + (openTop ? -c.Top_Liq_Prod : c.Tray_L[k - 1]);
}

// Every stage's bubble point, the top stage without a condenser at its dew
// point. None depends on another, so the bubble points are found side by side
// (T_Bubble_Mix_Each, the same answers as one call per stage in order) before
// the enthalpies, heat balances and K damping go down the column.
void DistSolver::StageTemperatures() {
  CaseData& c = Case;
  Work& w = *work_;
  const int nt = c.NT, nc = c.NC;
  int first = 1;
  if (!condenser_ && nt >= 1) {
    for (int i = 1; i <= nc; ++i) w.y[i] = c.Tray_Y[i][1];
    c.Tray_T[1] = T_Dew_Mix(c.Tray_T[1], c.Tray_P[1], w.y);
    for (int i = 1; i <= nc; ++i) w.k[1][i] = c.K_Value[i];
    first = 2;
  }
  for (int j = first; j <= nt; ++j) {
    for (int i = 1; i <= nc; ++i) w.xs[j][i] = c.Tray_X[i][j];
    w.xp[j] = w.xs[j];
  }
  if (nt >= first) T_Bubble_Mix_Each(nt - first + 1, &c.Tray_T[first], &c.Tray_P[first], &w.xp[first], &w.k[first]);
  for (int j = 1; j <= nt; ++j) StageEquilibrium(j, w.k[j]);
}

void DistSolver::ComponentBalances() {
  CaseData& c = Case;
  Work& w = *work_;
  const int nt = c.NT, nc = c.NC;
  const double* L = c.Tray_L;
  const double* V = c.Tray_V;
  // Rows of every component's balance. The sub-diagonal, L(j - 1), is the same for all.
  double* a = w.a;
  a[1] = 0;
  for (int j = 2; j <= nt; ++j) a[j] = L[j - 1];
  for (int j = 1; j <= nt; ++j) {
    const double vOut = V[j] + w.in.sideVap[j], sl = w.in.sideLiq[j];
    double *b = w.b[j], *cc = w.c[j], *d = w.d[j];
    for (int i = 0; i < nc; ++i) {
      const double* K = w.K[i + 1];
      if (j == nt)
        b[i] = -(K[nt] * vOut + L[nt] + sl);
      else if (j == 1)
        b[i] = -vOut * K[1] - L[1] - c.Top_Liq_Prod - sl;
      else
        b[i] = -vOut * K[j] - L[j] - sl;
      cc[i] = j < nt ? K[j + 1] * V[j + 1] : 0;
      d[i] = -w.in.zF[i + 1][j];
    }
  }
  // Thomas algorithm, the components side by side (their chains of divisions
  // overlap); a row with a zero diagonal is passed over.
  for (int j = 1; j <= nt - 1; ++j) {
    const double aNext = a[j + 1];
    double *b = w.b[j], *cc = w.c[j], *d = w.d[j];
    double *bNext = w.b[j + 1], *dNext = w.d[j + 1];
    for (int i = 0; i < nc; ++i) {
      if (b[i] == 0) continue;
      cc[i] /= b[i];
      d[i] /= b[i];
      bNext[i] -= aNext * cc[i];
      dNext[i] -= aNext * d[i];
    }
  }
  for (int i = 0; i < nc; ++i)
    if (w.b[nt][i] != 0) w.d[nt][i] /= w.b[nt][i];
  for (int j = nt - 1; j >= 1; --j) {
    const double *cc = w.c[j], *dNext = w.d[j + 1];
    double* d = w.d[j];
    for (int i = 0; i < nc; ++i) d[i] -= cc[i] * dNext[i];
  }
  for (int i = 0; i < nc; ++i)
    for (int j = 1; j <= nt; ++j) w.raw[i + 1][j] = w.d[j][i];
  CorrectProductSplit();
  for (int i = 1; i <= c.NC; ++i)
    for (int j = 1; j <= nt; ++j) {
      const double xn = Dist_Limit_Step(c.Tray_X[i][j], w.raw[i][j], damping_.f);
      c.Tray_X[i][j] = xn;
      c.Tray_Y[i][j] = w.K[i][j] * xn;
    }
}

// With fixed K-values and flows the balances give each component a top and a
// bottom rate, d and b, that together need not make the specified distillate D.
// Normalising the stages then moves every component by the same share, and a
// column whose split hangs on a few components (wide boiling, nearly sharp)
// creeps towards its solution by tiny steps. The split is corrected first: one
// factor theta on every b/d ratio, chosen so that the corrected rates
// F z / (1 + theta b/d) add up to D; each component's profile is scaled by its
// corrected bottoms rate. At the solution theta is 1 and nothing changes. Only
// a column with a total condenser whose products are its distillate and bottoms
// alone is corrected.
constexpr double kThetaQuiet = 1e-4;

void DistSolver::CorrectProductSplit() {
  CaseData& c = Case;
  Work& w = *work_;
  const int nt = c.NT, nc = c.NC;
  if (c.N_LiqSC > 0 || c.N_VapSC > 0 || !condenser_ || c.Top_Vap_Prod > 0) return;
  const double top = c.Top_Liq_Prod;
  if (!(top > 0) || !(c.Tray_L[nt] > 0)) return;
  double fz[kMaxComp + 1], r[kMaxComp + 1], b[kMaxComp + 1];  // components 1..NC
  for (int i = 1; i <= nc; ++i) {
    fz[i] = 0;
    for (int j = 1; j <= nt; ++j) fz[i] += w.in.zF[i][j];
    const double d = top * w.raw[i][1];
    b[i] = c.Tray_L[nt] * w.raw[i][nt];
    if (!(d > 0) || !(b[i] > 0) || !(fz[i] > 0) || !std::isfinite(d + b[i])) return;
    r[i] = b[i] / d;
  }
  // g(theta) = sum F z / (1 + theta r) - D falls with theta; Newton on ln theta,
  // kept inside a bracket.
  auto g = [&](double t, double& slope) {
    double s = -top;
    slope = 0;
    for (int i = 1; i <= nc; ++i) {
      const double q = 1 + t * r[i];
      s += fz[i] / q;
      slope -= fz[i] * t * r[i] / (q * q);  // d g / d ln theta
    }
    return s;
  };
  double lo = -60, hi = 60, u = 0;  // u = ln theta
  bool found = false;
  for (int n = 0; n < 60; ++n) {
    double slope;
    const double v = g(std::exp(u), slope);
    if (std::fabs(v) <= 1e-12 * top) {
      found = true;
      break;
    }
    if (v > 0) lo = u; else hi = u;
    double next = slope < 0 ? u - v / slope : 0.5 * (lo + hi);
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    u = next;
  }
  // Close to the solution theta only carries the bubble points' own scatter.
  if (!found || std::fabs(u) < kThetaQuiet) return;
  const double theta = std::exp(u);
  for (int i = 1; i <= nc; ++i) {
    const double bNew = fz[i] * theta * r[i] / (1 + theta * r[i]);
    const double scale = bNew / b[i];
    for (int j = 1; j <= nt; ++j) w.raw[i][j] *= scale;
  }
}

void DistSolver::Normalise() {
  CaseData& c = Case;
  for (int j = 1; j <= c.NT; ++j) {
    double sx = 0, sy = 0;
    for (int i = 1; i <= c.NC; ++i) {
      sx += c.Tray_X[i][j];
      sy += c.Tray_Y[i][j];
    }
    for (int i = 1; i <= c.NC; ++i) {
      if (sx > 0) c.Tray_X[i][j] /= sx;
      if (sy > 0) c.Tray_Y[i][j] /= sy;
    }
  }
}

double DistSolver::BalanceError() const {
  const CaseData& c = Case;
  const Work& w = *work_;
  const int nt = c.NT;
  const double* L = c.Tray_L;
  const double* V = c.Tray_V;
  double sum = 0;
  for (int i = 1; i <= c.NC; ++i) {
    const double* x = c.Tray_X[i];
    const double* y = c.Tray_Y[i];
    const double* zF = w.in.zF[i];
    sum += std::fabs(y[2] * V[2] + zF[1] - (c.Top_Liq_Prod + L[1] + w.in.sideLiq[1]) * x[1] -
                     y[1] * (V[1] + w.in.sideVap[1]));
    for (int j = 2; j <= nt - 1; ++j)
      sum += std::fabs(x[j - 1] * L[j - 1] + y[j + 1] * V[j + 1] + zF[j] - (w.in.sideLiq[j] + L[j]) * x[j] -
                       (w.in.sideVap[j] + V[j]) * y[j]);
    sum += std::fabs(x[nt - 1] * L[nt - 1] + zF[nt] - x[nt] * (L[nt] + w.in.sideLiq[nt]) -
                     y[nt] * (V[nt] + w.in.sideVap[nt]));
  }
  return sum / c.Feed_Sum / nt;
}

// With every residual of the corrections at rounding, a trace far below the
// rounding of the other components' balances (1e-100 of the feed at the far
// end of a long column) can still be off its own balance: the corrections'
// measure does not see it. With the temperatures, the flows and the K-values
// (y / x) as they stand, each such component's balances are linear in its own
// liquid fractions and are solved for them directly, stage by stage down and
// back (the tridiagonal system of the sweeps); its vapour follows as K x.
// Only the components off their balance by more than `limit` are solved; the
// others, and so every bubble point, stay as they are. True when one changed.
bool DistSolver::SolveTraceBalances(double limit) {
  CaseData& c = Case;
  const Work& w = *work_;
  const int nt = c.NT, nc = c.NC;
  const double* L = c.Tray_L;
  const double* V = c.Tray_V;
  auto liqOut = [&](int j) { return L[j] + w.in.sideLiq[j] + (j == 1 ? c.Top_Liq_Prod : 0); };
  auto vapOut = [&](int j) { return V[j] + w.in.sideVap[j]; };
  bool changed = false;
  for (int i = 1; i <= nc; ++i) {
    const double* x = c.Tray_X[i];
    const double* y = c.Tray_Y[i];
    double fed = 0, off = 0;
    for (int j = 1; j <= nt; ++j) fed += w.in.zF[i][j];
    if (!(fed > 0)) continue;
    for (int j = 1; j <= nt; ++j) {
      const double in = w.in.zF[i][j] + (j > 1 ? L[j - 1] * x[j - 1] : 0) + (j < nt ? V[j + 1] * y[j + 1] : 0);
      const double out = liqOut(j) * x[j] + vapOut(j) * y[j];
      off = std::max(off, std::fabs(in - out) / std::max({in, out, 1e-280 * c.Feed_Sum}));
    }
    if (!(off > limit)) continue;
    double K[kMaxTray + 1], b[kMaxTray + 1], cc[kMaxTray + 1], d[kMaxTray + 1];
    bool usable = true;
    for (int j = 1; j <= nt; ++j) {
      K[j] = x[j] > 0 ? y[j] / x[j] : 0;
      usable = usable && x[j] > 0 && std::isfinite(K[j]) && K[j] > 0;
    }
    if (!usable) continue;
    for (int j = 1; j <= nt; ++j) {
      b[j] = -(liqOut(j) + vapOut(j) * K[j]);
      cc[j] = j < nt ? V[j + 1] * K[j + 1] : 0;
      d[j] = -w.in.zF[i][j];
    }
    for (int j = 1; j < nt; ++j) {
      cc[j] /= b[j];
      d[j] /= b[j];
      b[j + 1] -= L[j] * cc[j];
      d[j + 1] -= L[j] * d[j];
    }
    d[nt] /= b[nt];
    for (int j = nt - 1; j >= 1; --j) d[j] -= cc[j] * d[j + 1];
    for (int j = 1; j <= nt; ++j) usable = usable && d[j] > 0 && std::isfinite(d[j]);
    if (!usable) continue;
    for (int j = 1; j <= nt; ++j) {
      c.Tray_X[i][j] = d[j];
      c.Tray_Y[i][j] = K[j] * d[j];
    }
    changed = true;
  }
  return changed;
}

// Every stage at the bubble point of its liquid and its vapour in equilibrium
// with it (y = K x), the enthalpies from that state: what the stage arrays hold
// at the end of a run whose last iteration was a substitution sweep, whose own
// vapour is the damped K times the new liquid.
void DistSolver::Equilibrate() {
  CaseData& c = Case;
  Work& w = *work_;
  for (int j = 1; j <= c.NT; ++j) {
    for (int i = 1; i <= c.NC; ++i) w.x[i] = c.Tray_X[i][j];
    c.Tray_T[j] = T_Bubble_Mix(c.Tray_T[j], c.Tray_P[j], w.x);
    for (int i = 1; i <= c.NC; ++i) c.Tray_Y[i][j] = w.y[i] = c.K_Value[i] * w.x[i];
    if (pass_ == 2) {
      c.Dist_Tray_HV[j] = Enthalpy_Vap(c.Tray_T[j], c.Tray_P[j], w.y);
      c.Dist_Tray_HL[j] = Enthalpy_Liq(c.Tray_T[j], c.Tray_P[j], w.x);
    }
  }
}

// One damped bubble-point sweep; false when it was not taken. In the heat
// pass a sweep that drives a flow below zero is not taken: the stage arrays
// go back to where it began and the corrections, which keep every flow
// positive, go on from there. (Without them such a flow ends the run.)
bool DistSolver::Sweep() {
  CaseData& c = Case;
  Work& w = *work_;
  const bool guard = pass_ == 2 && DistStageNewton::Available();
  if (guard)
    for (int j = 1; j <= c.NT; ++j) {
      w.keptT[j] = c.Tray_T[j], w.keptV[j] = c.Tray_V[j], w.keptL[j] = c.Tray_L[j];
      w.keptHV[j] = c.Dist_Tray_HV[j], w.keptHL[j] = c.Dist_Tray_HL[j];
      for (int i = 1; i <= c.NC; ++i) w.keptX[i][j] = c.Tray_X[i][j], w.keptY[i][j] = c.Tray_Y[i][j];
    }
  StageTemperatures();
  ComponentBalances();
  Normalise();
  DistNegativeFlow n;
  if (!guard || !Dist_Find_Negative_Flow(n)) return true;
  for (int j = 1; j <= c.NT; ++j) {
    c.Tray_T[j] = w.keptT[j], c.Tray_V[j] = w.keptV[j], c.Tray_L[j] = w.keptL[j];
    c.Dist_Tray_HV[j] = w.keptHV[j], c.Dist_Tray_HL[j] = w.keptHL[j];
    for (int i = 1; i <= c.NC; ++i) c.Tray_X[i][j] = w.keptX[i][j], c.Tray_Y[i][j] = w.keptY[i][j];
  }
  policy_.SweepWentNegative();
  return false;
}

// One simultaneous correction, a Newton step or one of pseudo-time with the
// policy's theta, and what the policy makes of it.
DistCorrectionFacts DistSolver::Correct(bool& corrected) {
  if (!newton_) newton_ = std::make_unique<DistStageNewton>(work_->in, pass_ == 2);
  DistNewtonStep step;
  if (!policy_.InPseudoTime()) {
    step = newton_->Step(policy_.Limits().newton);
  } else {
    const bool reweigh = policy_.PseudoTimeReweigh();
    const bool finite = newton_->LinearisePseudoTime(reweigh, step);
    policy_.PseudoTimeLinearised(reweigh, newton_->LinearisedNorm(), finite);
    for (DistPassPolicy::Try t = DistPassPolicy::Try::Again; finite && t == DistPassPolicy::Try::Again;) {
      t = policy_.AfterPseudoTimeTry(newton_->LinearisedNorm(), newton_->TryPseudoTime(policy_.Theta()));
      if (t == DistPassPolicy::Try::Take) newton_->AcceptPseudoTime(step);
      if (t == DistPassPolicy::Try::GiveUp) newton_->RejectPseudoTime();
    }
  }
  DistCorrectionFacts f;
  f.taken = step.taken;
  f.pseudoTime = step.pseudoTime;
  f.before = step.before;
  f.after = step.after;
  f.fraction = step.fraction;
  const DistCorrectionMove move = policy_.AfterCorrection(f);
  if (move.restart) RestartFromPassStart();
  corrected = move.corrected;
  return f;
}

DistIterationReport DistSolver::Step() {
  DistIterationReport rep;
  if (!started_ && !Start()) finished_ = true;
  if (finished_) {
    rep.finished = true;
    return rep;
  }
  if (Case.Stop_Flag != 0) {
    EndRun(DistRunStatus::Stopped);
    rep.finished = true;
    return rep;
  }
  // The iteration: a correction when the policy says so, otherwise (or when
  // the correction found nothing to take) a sweep.
  DistCorrectionFacts corr;
  bool corrected = false;
  if (DistStageNewton::Available() && policy_.CorrectionNext()) corr = Correct(corrected);
  lastWasNewton_ = corrected;
  const bool swept = !corrected && Sweep();
  if (corrected && corr.taken) ++outcome_.newtonIterations;
  const double e = BalanceError();
  rep.pass = pass_;
  rep.iteration = iteration_;
  rep.error = e;
  rep.newton = corrected;
  const PassVerdict v = Verdict(corrected, swept, corr, e);
  if (v == PassVerdict::Converged) {
    rep.passConverged = true;
    rep.statusLine = "  Convergenced";
  } else if (statusText_) {
    rep.statusLine = txt::Plain(pass_) + " " + txt::Plain(iteration_) + " " + txt::Plain(e);
  }
  if (v == PassVerdict::Continue) {
    rep.redraw = iteration_ > 0;
    ++iteration_;
  } else if (v == PassVerdict::NotFinite) {
    outcome_.passes[pass_] = {true, false, iteration_ + 1, e};
    EndRun(DistRunStatus::NotFinite);
  } else {
    rep.redraw = v != PassVerdict::Converged && v != PassVerdict::Infeasible && iteration_ > 0;
    EndPass(v, iteration_ + 1, e);
  }
  rep.finished = finished_;
  return rep;
}

// The verdict of the pass after an iteration: whether it goes on and, if not,
// why it ends; the one place that says a pass has converged. The corrections
// go on until the largest scaled residual of the stage equations (each
// component balance per unit of its own flow) is at the floor that rounding
// leaves (DistPassLimits::floor and nearFloor).
DistSolver::PassVerdict DistSolver::Verdict(bool corrected, bool swept, const DistCorrectionFacts& corr, double e) {
  if (!std::isfinite(e)) return PassVerdict::NotFinite;
  const CaseData& c = Case;
  const bool lastPass = pass_ == outcome_.passCount;
  const bool canNewton = DistStageNewton::Available();
  if (corrected) {
    // A correction converges on the residuals of the stage equations
    // themselves, once they are as small as rounding lets them be; the first
    // of two passes, which only lays the start of the heat pass, sooner. The
    // column check, each balance on its own scale, has the last word.
    if (policy_.CheckDue(corr, lastPass, std::max(10 * c.Conv_Crit[1], 1e-5))) {
      // A correction taken stored its own evaluation of the state it stored.
      DistResidualReport check = Dist_Column_Residuals(c.Conv_Crit[1], c.Conv_Crit[2], pass_ == 2, corr.taken);
      if (!check.balanced && check.worst.kind == DistResidualKind::Component && lastPass && policy_.AtFloor(corr) &&
          SolveTraceBalances(10 * c.Conv_Crit[1]))
        check = Dist_Column_Residuals(c.Conv_Crit[1], c.Conv_Crit[2], pass_ == 2);
      outcome_.worst = check.worst;
      if (check.balanced) return PassVerdict::Converged;
    }
  } else if (swept) {
    // Without the corrections a heat-pass sweep that drives a flow below zero
    // ends the run: nothing else can keep the flows positive.
    if (pass_ == 2 && !canNewton && Dist_Find_Negative_Flow(outcome_.negative)) return PassVerdict::Infeasible;
    const bool changeTest = damping_.Update(iteration_, e, c.Conv_Crit[pass_]);
    switch (policy_.AfterSweep(e, changeTest, lastPass, canNewton)) {
      case DistPassPolicy::SweepEnd::PassConverged:
        return PassVerdict::Converged;
      case DistPassPolicy::SweepEnd::CheckAlone: {
        // A vanishing change between iterations is not yet a solution: the
        // column must satisfy its own equations as well, with every vapour in
        // equilibrium with its liquid. Until it does the pass goes on.
        Equilibrate();
        const DistResidualReport check = Dist_Column_Residuals(c.Conv_Crit[1], c.Conv_Crit[2], pass_ == 2);
        outcome_.worst = check.worst;
        if (check.balanced) return PassVerdict::Converged;
        stalled_ = true;
        damping_.previousError = e;
        policy_.CheckAloneFailed(canNewton);
        break;
      }
      case DistPassPolicy::SweepEnd::GoOn:
        break;
    }
  }
  if (iteration_ < c.Max_Iter[pass_]) return PassVerdict::Continue;
  return lastPass ? FinalVerdict() : PassVerdict::NotConverged;
}

// The last pass has used up its iterations. The stored vapour is the one in
// equilibrium with the stored liquid, and the worst residual says how far that
// state is from a solution; a profile whose every residual holds is a
// solution, whatever stopped the iterations. (A correction part of the way
// leaves liquids that need not sum to 1 off their bubble points: every stage
// is put at the bubble point of its normalised liquid.) A flow that the sweeps
// would drive below zero on the way says nothing of the specification: the
// corrections keep every flow positive, and a run they do not finish is
// reported by its worst residual.
DistSolver::PassVerdict DistSolver::FinalVerdict() {
  const CaseData& c = Case;
  if (lastWasNewton_) Normalise();
  Equilibrate();
  const DistResidualReport check = Dist_Column_Residuals(c.Conv_Crit[1], c.Conv_Crit[2], pass_ == 2);
  outcome_.worst = check.worst;
  if (check.balanced) return PassVerdict::Converged;
  // A pass that stood still without balancing is reported by its worst residual.
  return stalled_ ? PassVerdict::Unbalanced : PassVerdict::NotConverged;
}

void DistSolver::EndPass(PassVerdict v, int iterations, double e) {
  outcome_.passes[pass_] = {true, v == PassVerdict::Converged, iterations, e};
  if (pass_ < outcome_.passCount) {
    BeginPass(pass_ + 1);
    return;
  }
  EndRun(v == PassVerdict::Converged    ? DistRunStatus::Converged
         : v == PassVerdict::Unbalanced ? DistRunStatus::Unbalanced
         : v == PassVerdict::Infeasible ? DistRunStatus::Infeasible
                                        : DistRunStatus::IterationLimit);
}

void DistSolver::EndRun(DistRunStatus status) {
  outcome_.status = status;
  outcome_.pass = pass_;
  if (pass_ >= 1) {
    outcome_.iterations = outcome_.passes[pass_].iterations;
    outcome_.lastError = outcome_.passes[pass_].lastError;
  }
  if (status == DistRunStatus::Converged || status == DistRunStatus::IterationLimit ||
      status == DistRunStatus::Unbalanced) {
    resultNote = Dist_Outcome_Text(outcome_);
    CaseData& c = Case;
    c.Result_Flag = 1;
    const std::string previous = c.Data_File;
    c.Data_File = seqfile::JoinPath(c.Data_Dir, "\\Result.dat");
    outcome_.resultWritten = writeResultFile_ && Save_Dist_Data();
    c.Data_File = previous;
  } else if (status == DistRunStatus::NotFinite || status == DistRunStatus::Infeasible) {
    Calc_Message(Dist_Outcome_Text(outcome_));
  }
  finished_ = true;
  scope_.reset();
}

const DistRunOutcome& DistSolver::Run(const std::function<void(const DistIterationReport&)>& onIteration) {
  if (!Start()) return outcome_;
  // Nobody reads the reports of a run without a callback: their status lines
  // are not put together (number text costs a small column several percent).
  statusText_ = static_cast<bool>(onIteration);
  while (!finished_) {
    const DistIterationReport rep = Step();
    if (rep.pass > 0 && onIteration) onIteration(rep);
  }
  return outcome_;
}
