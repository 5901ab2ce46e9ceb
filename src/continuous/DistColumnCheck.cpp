#include "continuous/DistColumnCheck.h"

#include <algorithm>
#include <cmath>

#include "continuous/DistNewton.h"

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/model/PhysicalRange.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"

namespace {

// Side draws of a stage besides Tray_L and Tray_V (the distillate counts with stage 1).
// (No member initialisers: an array of them is cleared only where it is used.)
struct StageDraws {
  double liq, vap, feed, feedHeat;
};

StageDraws DrawsOf(int j) {
  const CaseData& c = Case;
  StageDraws d{};
  for (int f = 1; f <= c.N_Feed; ++f)
    if (c.Feed_Stage[f] == j) {
      d.feed += c.Feed_Flow[f];
      d.feedHeat += c.Feed_Flow[f] * c.Feed_H[f];
    }
  for (int k = 1; k <= c.N_LiqSC; ++k) d.liq += c.LiqSC_Stage[k] == j ? c.LiqSC_Flow[k] : 0;
  for (int k = 1; k <= c.N_VapSC; ++k) d.vap += c.VapSC_Stage[k] == j ? c.VapSC_Flow[k] : 0;
  if (j == 1) d.liq += c.Top_Liq_Prod;
  return d;
}

struct Tracker {
  DistResidualReport report;
  double worstRatio = -1;
  void Add(DistResidualKind kind, double value, double limit, int stage, int component) {
    // A NaN residual counts as beyond every limit.
    const double ratio = std::isfinite(value) ? value / limit : HUGE_VAL;
    if (!(ratio <= 1)) report.balanced = false;
    if (ratio > worstRatio) {
      worstRatio = ratio;
      report.worst = {kind, value, limit, stage, component};
    }
  }
};

// The equilibrium of stage j: the larger of |sum K x - 1| (|sum y / K - 1| for
// a dew-point top) and every |y - K x|, K recomputed from the stored
// temperature, pressure and liquid. The equation-of-state models have no K at
// a given temperature outside their bubble-point routine; their stages are
// measured by that routine instead.
double EquilibriumResidual(int j, bool dewTop) {
  CaseData& c = Case;
  const int nc = c.NC;
  double x[kMaxComp + 1], y[kMaxComp + 1];  // 1..NC, all that is read
  for (int i = 1; i <= nc; ++i) {
    x[i] = c.Tray_X[i][j];
    y[i] = c.Tray_Y[i][j];
  }
  const double t = c.Tray_T[j];
  const double p = c.Tray_P[j];
  double off = 0;  // the largest |y - K x|
  if (c.K_Method == 4 || c.K_Method == 5) {
    // The K-values at the bubble point, applied at the stage temperature through
    // the Antoine slope: a temperature off by dT moves sum K x by about
    // sum x K B ln10 / (T + C)^2 dT.
    const double tb = T_Bubble_Mix(t, p, x);
    double slope = 0;
    for (int i = 1; i <= nc; ++i) {
      const double tc = tb + c.Antoine_C[i];
      if (tc != 0) slope += x[i] * c.K_Value[i] * c.Antoine_B[i] * std::log(10.0) / (tc * tc);
      off = std::max(off, std::fabs(y[i] - c.K_Value[i] * x[i]));
    }
    return std::max(off, std::fabs(slope * (tb - t)));
  }
  double xn[kMaxComp + 1];
  double sx = 0;
  for (int i = 1; i <= nc; ++i) sx += x[i];
  for (int i = 1; i <= nc; ++i) xn[i] = sx > 0 ? x[i] / sx : x[i];
  ActivityCoeff_Select(xn);
  const double pmm = p * kMmHgPerMPa;
  double s = 0;
  for (int i = 1; i <= nc; ++i) {
    const double k = c.Gamma[i] * Antoine_Psat(i, t) / pmm;
    s += dewTop ? (k > 0 ? y[i] / k : HUGE_VAL) : k * x[i];
    off = std::max(off, std::fabs(y[i] - k * x[i]));
  }
  return std::max(off, std::fabs(s - 1));
}

std::string Num(double v) { return txt::Format(v, "0.00E+00"); }

// Below this share of the feed a component's flow is lost in rounding.
constexpr double kFlowFloor = 1e-280;

}  // namespace

DistResidualReport Dist_Column_Residuals(double materialCrit, double heatCrit, bool heat, bool evaluated) {
  const CaseData& c = Case;
  const int nt = c.NT, nc = c.NC;
  const double matLimit = std::max(materialCrit, 1e-10);
  const double heatLimit = std::max(heatCrit, 1e-10);
  const double feed = c.Feed_Sum;
  const bool condenser = c.Reflux_Ratio > 0;
  const double* L = c.Tray_L;
  const double* V = c.Tray_V;
  Tracker t;

  // The bubble and dew points themselves stop at sum K x within 1e-6: no run can
  // hold its stages tighter than about ten times that.
  const double eqLimit = std::max(matLimit, 1e-5);
  const bool kStored = evaluated && DistStageNewton::Available();
  for (int j = 1; j <= nt; ++j) {
    const bool dewTop = j == 1 && !condenser;
    double e;
    if (kStored) {
      double s = 0;
      for (int i = 1; i <= nc; ++i) s += dewTop ? c.Tray_X[i][j] : c.Tray_Y[i][j];
      e = std::fabs(s - 1);
    } else {
      e = EquilibriumResidual(j, dewTop);
    }
    // Liquid and vapour each sum to 1. The balances imply it where the flows
    // are positive, but a stage whose liquid flow has fallen to nothing takes
    // any liquid at all: a profile with fractions summing to 2.9 there
    // satisfied every other equation.
    double sx = 0, sy = 0;
    for (int i = 1; i <= nc; ++i) {
      sx += c.Tray_X[i][j];
      sy += c.Tray_Y[i][j];
    }
    e = std::max({e, std::fabs(sx - 1), std::fabs(sy - 1)});
    t.Add(DistResidualKind::Equilibrium, e, eqLimit, j, 0);
  }

  // Stage balances and the balance of the whole column, each per unit of the
  // component's own flow: a trace in a pinched section is off by as much as
  // its own balance says, however small that is beside the feed. A component
  // that no feed carries has no flow of its own and is measured per unit feed.
  // The draws and feeds of every stage, gathered once.
  // (Left uninitialised beyond the column's own stages: clearing the full
  // arrays would cost a small column more than its check.)
  StageDraws draws[kMaxTray + 1];
  double feedOf[kMaxComp + 1][kMaxTray + 1];
  for (int j = 1; j <= nt; ++j) {
    draws[j] = DrawsOf(j);
    for (int i = 1; i <= nc; ++i) feedOf[i][j] = 0;
  }
  for (int f = 1; f <= c.N_Feed; ++f) {
    const int j = c.Feed_Stage[f];
    if (j < 1 || j > nt) continue;
    for (int i = 1; i <= nc; ++i) feedOf[i][j] += c.Feed_Flow[f] * c.Feed_Z[i][f];
  }
  for (int i = 1; i <= nc; ++i) {
    double fed = 0;
    for (int j = 1; j <= nt; ++j) fed += feedOf[i][j];
    double in = 0, out = 0;
    for (int j = 1; j <= nt; ++j) {
      const StageDraws& d = draws[j];
      const double x = c.Tray_X[i][j], y = c.Tray_Y[i][j];
      const double zF = feedOf[i][j];
      const double sin = zF + (j > 1 ? L[j - 1] * c.Tray_X[i][j - 1] : 0) + (j < nt ? V[j + 1] * c.Tray_Y[i][j + 1] : 0);
      const double sout = (L[j] + d.liq) * x + (V[j] + d.vap) * y;
      const double own = fed > 0 ? std::max({std::fabs(sin), std::fabs(sout), kFlowFloor * feed}) : feed;
      t.Add(DistResidualKind::Component, std::fabs(sin - sout) / own, matLimit, j, i);
      in += zF;
      out += d.liq * x + d.vap * y + (j == 1 ? V[1] * y : 0) + (j == nt ? L[nt] * x : 0);
    }
    t.Add(DistResidualKind::Component, std::fabs(in - out) / (fed > 0 ? fed : feed), matLimit, 0, i);
  }

  if (heat) {
    double hv[kMaxTray + 1], hl[kMaxTray + 1];  // stages 1..nt only
    for (int j = 1; j <= nt; ++j) {
      if (evaluated) {
        hv[j] = c.Dist_Tray_HV[j];
        hl[j] = c.Dist_Tray_HL[j];
        continue;
      }
      double x[kMaxComp + 1], y[kMaxComp + 1];  // 1..NC, all that is read
      for (int i = 1; i <= nc; ++i) {
        x[i] = c.Tray_X[i][j];
        y[i] = c.Tray_Y[i][j];
      }
      hv[j] = Enthalpy_Vap(c.Tray_T[j], c.Tray_P[j], y);
      hl[j] = Enthalpy_Liq(c.Tray_T[j], c.Tray_P[j], x);
    }
    auto imbalance = [&](int j) {  // out - in of stage j
      const StageDraws& d = draws[j];
      const double in = (j > 1 ? L[j - 1] * hl[j - 1] : 0) + (j < nt ? V[j + 1] * hv[j + 1] : 0) + d.feedHeat;
      return (L[j] + d.liq) * hl[j] + (V[j] + d.vap) * hv[j] - in;
    };
    // The duties are what the end stages lack; every other stage must balance
    // to a small part of the larger of them.
    const double qc = condenser ? std::fabs(imbalance(1)) : 0;
    const double qr = std::fabs(imbalance(nt));
    double scale = std::max(qc, qr);
    if (!(scale > 0)) scale = 1;
    for (int j = condenser ? 2 : 1; j <= nt - 1; ++j)
      t.Add(DistResidualKind::Heat, std::fabs(imbalance(j)) / scale, heatLimit, j, 0);
  }
  return t.report;
}

std::string Dist_Residual_Text(const DistResidual& r, bool head) {
  const CaseData& c = Case;
  std::string ja, en;
  const std::string stage = std::to_string(r.stage);
  switch (r.kind) {
    case DistResidualKind::Equilibrium:
      ja = "段" + stage + "の気液平衡";
      en = "vapour-liquid equilibrium of stage " + stage;
      break;
    case DistResidualKind::Component: {
      const std::string name = r.component >= 1 && r.component <= kMaxComp ? c.Comp_Name[r.component] : "";
      ja = (r.stage == 0 ? name + "の全体物質収支" : "段" + stage + "の" + name + "の物質収支") + "（その成分の流量当たり）";
      en = (r.stage == 0 ? "overall balance of " + name : "balance of " + name + " on stage " + stage) +
           " per unit of its own flow";
      break;
    }
    case DistResidualKind::Heat:
      ja = "段" + stage + "の熱収支";
      en = "heat balance of stage " + stage;
      break;
    case DistResidualKind::None:
      break;
  }
  if (r.kind == DistResidualKind::None) return "";
  return InLanguage((head ? "収束していません。" : "") + std::string("最大残差 ") + Num(r.value) + "（" + ja +
                        "、許容値 " + Num(r.limit) + "）",
                    (head ? "Not converged: largest" : "largest") + std::string(" residual ") + Num(r.value) + " (" +
                        en + ", allowed " + Num(r.limit) + ")");
}

bool Dist_Find_Negative_Flow(DistNegativeFlow& found) {
  const CaseData& c = Case;
  // A flow that should be exactly zero (the liquid off an open top stage) moves
  // a little about it while the heat pass settles.
  const double floor = -1e-4 * std::max(c.Feed_Sum, 1.0);
  for (int j = 1; j <= c.NT; ++j) {
    if (c.Tray_V[j] < floor || !std::isfinite(c.Tray_V[j])) {
      found = {j, true, c.Tray_V[j]};
      return true;
    }
    if (c.Tray_L[j] < floor || !std::isfinite(c.Tray_L[j])) {
      found = {j, false, c.Tray_L[j]};
      return true;
    }
  }
  return false;
}

std::string Dist_Negative_Flow_Text(const DistNegativeFlow& n) {
  const std::string stage = std::to_string(n.stage);
  const std::string flow = txt::Format(n.flow, "0.00");
  return InLanguage("段" + stage + "の" + (n.vapour ? "蒸気" : "液") + "流量が負になりました（" + flow +
                        "）。この仕様では塔が成り立ちません。還流比を上げるか、留出量を下げてください。",
                    "The " + std::string(n.vapour ? "vapour" : "liquid") + " flow of stage " + stage +
                        " turned negative (" + flow +
                        "): the column cannot meet this specification. Raise the reflux ratio or lower the distillate.");
}

bool Dist_Pressure_Check(bool laidStagePressures) {
  const CaseData& c = Case;
  const int nt = std::clamp(c.NT, 0, kMaxTray);
  auto refuse = [](const std::string& ja, const std::string& en) {
    Calc_Message(InLanguage(ja, en));
    return false;
  };
  // The typed pressures: top and bottom always, a middle stage when given (0 = interpolated).
  for (int j = 1; j <= nt; ++j) {
    const double typed = j == 1 ? c.P_Top : j == nt ? c.P_Bottom : c.Tray_Press[j];
    const bool given = j == 1 || j == nt || typed != 0;
    if (given && !(typed > 0 && std::isfinite(typed)))
      return refuse("段" + std::to_string(j) + "の圧力[" + txt::Signed(typed) + " ]は0より大きくしてください。",
                    "The pressure of stage " + std::to_string(j) + " [" + txt::Signed(typed) +
                        " ] must be above 0.");
  }
  // A pressure at or above 10^A mmHg has no Antoine temperature for that component.
  // (The logarithm once per stage pressure: stages mostly share theirs.)
  double lastMmHg = NAN, lgMmHg = NAN;
  for (int j = 1; j <= nt; ++j) {
    const double typed = j == 1 ? c.P_Top : j == nt ? c.P_Bottom : c.Tray_Press[j];
    const double mpa = laidStagePressures ? c.Tray_P[j] : typed != 0 ? Unit_Press_In(typed) : 0;
    if (laidStagePressures && !(mpa > 0 && std::isfinite(mpa)))
      return refuse("段" + std::to_string(j) + "の圧力が0以下です。計算開始で圧力分布を設定し直してください。",
                    "The pressure of stage " + std::to_string(j) +
                        " is 0 or below: lay the pressure profile again in the start dialog.");
    if (!(mpa > 0)) continue;
    const double mmHg = mpa * kMmHgPerMPa;
    if (!(mmHg == lastMmHg)) lgMmHg = std::log10(lastMmHg = mmHg);
    for (int i = 1; i <= std::clamp(c.NC, 0, kMaxComp); ++i) {
      if (c.Antoine_B[i] == 0) continue;
      if (lgMmHg >= c.Antoine_A[i])
        return refuse("段" + std::to_string(j) + "の圧力では" + c.Comp_Name[i] +
                          "のAntoine式の沸点が求まりません（10^A 以上）。圧力を下げてください。",
                      "At the pressure of stage " + std::to_string(j) + " the Antoine equation of " +
                          c.Comp_Name[i] + " has no boiling point (10^A or above): lower the pressure.");
    }
  }
  return true;
}

bool Dist_Range_Check() {
  const CaseData& c = Case;
  auto refused = [](const std::string& problem) {
    if (problem.empty()) return false;
    Calc_Message(problem);
    return true;
  };
  auto press = [&](double typed, const std::string& ja, const std::string& en) {
    return refused(Press_Range_Problem(Unit_Press_In(typed), ja, en));
  };
  auto temp = [&](double typed, const std::string& ja, const std::string& en) {
    return refused(Temp_Range_Problem(Unit_Temp_In(typed), ja, en));
  };
  const int nt = std::clamp(static_cast<int>(c.NT), 0, kMaxTray);
  if (press(c.P_Top, "塔頂圧力", "Top Press") || press(c.P_Bottom, "塔底圧力", "Bottom Press")) return false;
  // A middle stage's 0 means "interpolated".
  for (int j = 2; j < nt; ++j) {
    const std::string n = std::to_string(j);
    if (c.Tray_Press[j] != 0 && press(c.Tray_Press[j], "段" + n + "の圧力", "Pressure of stage " + n)) return false;
  }
  if (temp(c.T_Top_Est, "初期温度 塔頂", "Initial Temp Top") || temp(c.T_Bottom_Est, "初期温度 塔底", "Initial Temp Bottom"))
    return false;
  for (int f = 1; f <= std::clamp(static_cast<int>(c.N_Feed), 0, kMaxFeed); ++f) {
    const std::string n = std::to_string(f);
    if (temp(c.Feed_T[f], "フィード温度 ﾌｨｰﾄﾞ #" + n, "Feed Temp Feed #" + n)) return false;
    // The solver does not use a feed's pressure: 0 stands for "not given".
    if (c.Feed_P[f] != 0 && press(c.Feed_P[f], "フィード圧力 ﾌｨｰﾄﾞ #" + n, "Feed Press Feed #" + n)) return false;
  }
  return true;
}
