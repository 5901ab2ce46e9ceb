#include "vle/unifac/UnifacCalc.h"

#include <algorithm>
#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/PhysicalRange.h"
#include "core/model/PhysicalUnits.h"
#include "platform/text/NumberText.h"

namespace unifac {

namespace {

constexpr double kBubbleTolMmHg = 1e-6;
constexpr double kDiffStepC = 0.01;  // forward-difference step of the bubble Newton

// The kernel view of the estimate without touching its temperature-dependent part.
GroupMixture MixtureOf(const UnifacData& data) {
  GroupMixture mix;
  mix.nComp = kNComp;
  mix.nGroup = data.UNIFAC_NGroup;
  for (int g = 1; g <= mix.nGroup; ++g) mix.Q[g] = data.UNIFAC_Q[data.UNIFAC_Group_List[g]];
  for (int i = 1; i <= kNComp; ++i) {
    for (int g = 1; g <= mix.nGroup; ++g) {
      mix.nu[i][g] = data.UNIFAC_Nu[i][g];
      mix.nuTotal[i] += data.UNIFAC_Nu[i][g];
      mix.lnGammaPure[i][g] = data.UNIFAC_Group_LnGamma_Pure[i][g];
    }
    mix.r[i] = data.UNIFAC_Comp_r[i];
    mix.q[i] = data.UNIFAC_Comp_q[i];
    mix.l[i] = data.UNIFAC_Comp_l[i];
  }
  for (int k = 1; k <= mix.nGroup; ++k)
    for (int m = 1; m <= mix.nGroup; ++m) mix.psi[k][m] = data.UNIFAC_Psi[k][m];
  return mix;
}

double BubbleFunction(int nComp, const double* x, const double* gamma, const double* A,
                      const double* B, const double* C, double pressMmHg, double tempC) {
  double sum = 0;
  for (int i = 1; i <= nComp; ++i)
    sum += gamma[i] * x[i] * std::pow(10.0, A[i] - B[i] / (tempC + C[i]));
  return pressMmHg - sum;
}

// The activity coefficients of the current liquid of `data` into its work
// variables; returns the bubble pressure at the current vapour pressures.
double ActivityInto(const GroupMixture& mix, UnifacData& data) {
  Activity(mix, data.UNIFAC_Liq_X, data.UNIFAC_LnGamma_C, data.UNIFAC_LnGamma_R, data.UNIFAC_Gamma,
           data.UNIFAC_Group_X, data.UNIFAC_Group_Theta, data.UNIFAC_Group_LnGamma);
  double p[kNComp + 1] = {};
  double pb = 0;
  for (int i = 1; i <= kNComp; ++i) {
    p[i] = data.UNIFAC_Psat[i] * data.UNIFAC_Gamma[i] * data.UNIFAC_Liq_X[i];
    pb += p[i];
  }
  for (int i = 1; i <= kNComp; ++i) data.UNIFAC_Vap_Y[i] = p[i] / pb;
  return pb;
}

}  // namespace

void Group_Residual(const GroupMixture& mix, const double* x, double* X, double* theta,
                    double* lnGamma) {
  const int G = mix.nGroup;
  double groups = 0;
  for (int i = 1; i <= mix.nComp; ++i) groups += x[i] * mix.nuTotal[i];
  double area = 0;
  for (int m = 1; m <= G; ++m) {
    double n = 0;
    for (int i = 1; i <= mix.nComp; ++i) n += x[i] * mix.nu[i][m];
    X[m] = n / groups;
    area += mix.Q[m] * X[m];
  }
  for (int m = 1; m <= G; ++m) theta[m] = mix.Q[m] * X[m] / area;
  // S[m] = sum over n of theta_n psi(n, m), used both as the first sum of
  // ln Gamma_m and as the denominators of the second sum.
  double S[kMaxGroup + 1];
  for (int m = 1; m <= G; ++m) {
    double s = 0;
    for (int n = 1; n <= G; ++n) s += theta[n] * mix.psi[n][m];
    S[m] = s;
  }
  double w[kMaxGroup + 1];
  for (int m = 1; m <= G; ++m) w[m] = theta[m] / S[m];
  for (int k = 1; k <= G; ++k) {
    double second = 0;
    for (int m = 1; m <= G; ++m) second += w[m] * mix.psi[k][m];
    lnGamma[k] = mix.Q[k] * (1.0 - std::log(S[k]) - second);
  }
}

std::string TemperatureCheck::Message() const {
  if (mainM == 0)
    return Temp_Range_Problem(tempK - kKelvinOffset, "温度初期値", "Init Temp");
  return "相互作用ﾊﾟﾗﾒｰﾀ a" + txt::Signed(mainM) + "," + txt::Signed(mainN) + "が登録されていません。";
}

TemperatureCheck Set_Temperature(GroupMixture& mix, const double a[kMaxMain + 1][kMaxMain + 1],
                                 const int mainOf[kMaxGroup + 1], double tempK) {
  TemperatureCheck check;
  for (int k = 1; k <= mix.nGroup && check.ok; ++k)
    for (int m = 1; m <= mix.nGroup && check.ok; ++m)
      if (!(a[mainOf[k]][mainOf[m]] >= kMissingBelow)) {
        check.ok = false;
        check.mainM = mainOf[k];
        check.mainN = mainOf[m];
      }
  check.tempK = tempK;
  if (check.ok && !Temp_In_Range(tempK - kKelvinOffset)) check.ok = false;
  if (!check.ok) return check;
  for (int k = 1; k <= mix.nGroup; ++k)
    for (int m = 1; m <= mix.nGroup; ++m) mix.psi[k][m] = std::exp(-a[mainOf[k]][mainOf[m]] / tempK);
  double X[kMaxGroup + 1], theta[kMaxGroup + 1];
  for (int i = 1; i <= mix.nComp; ++i) {
    double x[kMaxMixComp + 1] = {};
    x[i] = 1.0;
    Group_Residual(mix, x, X, theta, mix.lnGammaPure[i]);
  }
  return check;
}

void Activity(const GroupMixture& mix, const double* x, double* lnGammaC, double* lnGammaR,
              double* gamma, double* X, double* theta, double* lnGroup) {
  double sq = 0, sr = 0, sl = 0;
  for (int i = 1; i <= mix.nComp; ++i) {
    sq += x[i] * mix.q[i];
    sr += x[i] * mix.r[i];
    sl += x[i] * mix.l[i];
  }
  // Written through r_i / SR (= Phi_i / x_i) and (q_i / r_i)(SR / SQ)
  // (= theta_i / Phi_i) so that a component at x_i = 0 still has a finite value.
  for (int i = 1; i <= mix.nComp; ++i) {
    const double rr = mix.r[i] / sr;
    lnGammaC[i] = std::log(rr) + 5.0 * mix.q[i] * std::log(mix.q[i] / mix.r[i] * sr / sq) +
                  mix.l[i] - rr * sl;
  }
  double Xl[kMaxGroup + 1], thetal[kMaxGroup + 1], lnG[kMaxGroup + 1];
  Group_Residual(mix, x, X ? X : Xl, theta ? theta : thetal, lnG);
  for (int i = 1; i <= mix.nComp; ++i) {
    double s = 0;
    for (int k = 1; k <= mix.nGroup; ++k)
      if (mix.nu[i][k] != 0) s += mix.nu[i][k] * (lnG[k] - mix.lnGammaPure[i][k]);
    lnGammaR[i] = s;
    gamma[i] = std::exp(lnGammaC[i] + s);
  }
  if (lnGroup)
    for (int k = 1; k <= mix.nGroup; ++k) lnGroup[k] = lnG[k];
}

GroupMixture Binary_Mixture(UnifacData& data, TemperatureCheck* check) {
  GroupMixture mix = MixtureOf(data);
  int mainOf[kMaxGroup + 1] = {};
  for (int g = 1; g <= mix.nGroup; ++g) mainOf[g] = data.UNIFAC_Main_Of[data.UNIFAC_Group_List[g]];
  const TemperatureCheck set = Set_Temperature(mix, data.UNIFAC_A, mainOf, data.Init_Temp + kKelvinOffset);
  if (check) *check = set;
  if (!set.ok) return mix;
  for (int k = 1; k <= mix.nGroup; ++k)
    for (int m = 1; m <= mix.nGroup; ++m) data.UNIFAC_Psi[k][m] = mix.psi[k][m];
  for (int i = 1; i <= kNComp; ++i)
    for (int g = 1; g <= mix.nGroup; ++g) data.UNIFAC_Group_LnGamma_Pure[i][g] = mix.lnGammaPure[i][g];
  return mix;
}

void Vapor_Pressure(UnifacData& data, double tempC) {
  for (int i = 1; i <= kNComp; ++i)
    data.UNIFAC_Psat[i] =
        std::pow(10.0, Case.Antoine_A[i] - Case.Antoine_B[i] / (Case.Antoine_C[i] + tempC));
}

void Group_Residual(UnifacData& data) {
  const GroupMixture mix = MixtureOf(data);
  Group_Residual(mix, data.UNIFAC_Liq_X, data.UNIFAC_Group_X, data.UNIFAC_Group_Theta,
                 data.UNIFAC_Group_LnGamma);
}

double Activity_Coefficient(UnifacData& data) { return ActivityInto(MixtureOf(data), data); }

BubbleResult Bubble_Temperature(int nComp, const double* x, const double* gamma, const double* A,
                                const double* B, const double* C, double pressMmHg, double t0C) {
  BubbleResult res;
  double t = t0C;
  double f = BubbleFunction(nComp, x, gamma, A, B, C, pressMmHg, t);
  res.tempC = t;
  res.residual = f;
  if (!std::isfinite(f)) {
    res.status = IterStatus::NotFinite;
    return res;
  }
  if (std::fabs(f) < kBubbleTolMmHg) return res;
  for (int it = 1; it <= kMaxBubbleIter; ++it) {
    const double fPlus = BubbleFunction(nComp, x, gamma, A, B, C, pressMmHg, t + kDiffStepC);
    const double slope = (fPlus - f) / kDiffStepC;
    if (slope == 0 || !std::isfinite(slope)) {
      res.status = slope == 0 ? IterStatus::ZeroDerivative : IterStatus::NotFinite;
      return res;
    }
    // Far from the solution the Antoine curve is steep; a bounded step keeps the
    // iteration away from the pole at t = -C.
    const double dt = std::clamp(-f / slope, -kMaxBubbleStepC, kMaxBubbleStepC);
    const double tNew = t + dt;
    const double fNew = BubbleFunction(nComp, x, gamma, A, B, C, pressMmHg, tNew);
    res.iterations = it;
    if (!std::isfinite(fNew)) {
      res.status = IterStatus::NotFinite;
      return res;
    }
    t = tNew;
    f = fNew;
    res.tempC = t;
    res.residual = f;
    if (std::fabs(f) < kBubbleTolMmHg) return res;
  }
  res.status = IterStatus::IterationLimit;
  return res;
}

CurveResult Calc_VLE_Curve(UnifacData& data) {
  TemperatureCheck check;
  const GroupMixture mix = Binary_Mixture(data, &check);
  if (!check.ok) {
    Calc_Message(check.Message());
    CurveResult refused;
    refused.refused = true;
    return refused;
  }
  const double t0 = data.Init_Temp;
  const double press = data.VLE_Press;
  data.Scale_T_Max = -999.0;
  data.Scale_T_Min = 9999.0;
  CurveResult curve;
  for (int n = 1; n <= kNPoint; ++n) {
    const double x1 = (n - 1) / 200.0;
    data.UNIFAC_Pt_X[1] = data.UNIFAC_Liq_X[1] = x1;
    data.UNIFAC_Pt_X[2] = data.UNIFAC_Liq_X[2] = 1.0 - x1;
    // The coefficients and y stay those of the entered temperature; only the
    // bubble temperature follows from the iteration.
    Vapor_Pressure(data, t0);
    const double pb = ActivityInto(mix, data);
    double t = t0;
    bool converged = true;
    // Written so that a bubble pressure that is not a number goes to the
    // iteration, which reports it, instead of passing as a converged point.
    if (!(std::fabs(pb - press) < kBubbleTolMmHg)) {
      const BubbleResult b = Bubble_Temperature(kNComp, data.UNIFAC_Liq_X, data.UNIFAC_Gamma,
                                                Case.Antoine_A, Case.Antoine_B, Case.Antoine_C,
                                                press, t0);
      t = b.tempC;
      if (b.status != IterStatus::Converged) {
        converged = false;
        if (curve.failedPoints++ == 0) {
          curve.firstFailed = n;
          curve.firstStatus = b.status;
        }
      }
    }
    data.UNIFAC_Pt_Y1[n] = data.UNIFAC_Vap_Y[1];
    data.UNIFAC_Pt_T[n] = t;
    data.UNIFAC_Pt_Gamma[1][n] = data.UNIFAC_Gamma[1];
    data.UNIFAC_Pt_Gamma[2][n] = data.UNIFAC_Gamma[2];
    if (converged) {
      data.Scale_T_Max = std::max(data.Scale_T_Max, t);
      data.Scale_T_Min = std::min(data.Scale_T_Min, t);
    }
  }
  if (!curve.Ok()) Calc_Message("UNIFAC T_Bubble No-Convergence");
  return curve;
}

WilsonResult Wilson_From_Infinite_Dilution(double gamma1Inf, double gamma2Inf) {
  const double h1 = 1.0 - std::log(gamma1Inf);
  const double h2 = 1.0 - std::log(gamma2Inf);
  WilsonResult res;
  double L = 1.0;
  // A nearly ideal pair has its root at L = 1, where the derivative vanishes.
  // Opposite deviations can also sum to 2 without L = 1 being a root, so both
  // must lie near 1.
  const bool nearlyIdeal = std::fabs(h1 + h2 - 2.0) < 0.0001 && std::fabs(h1 - 1.0) < 0.0001;
  if (!nearlyIdeal) {
    L = 0.001;
    if (std::exp(h1 - 1.0) >= h2 && h2 >= 1.0 && h1 >= 1.0) L = std::exp(h2);
    // f runs from -inf at L = 0+ to +inf, so a positive root always exists. The
    // last points where f was negative and positive bracket one; a Newton step
    // that leaves the bracket (or the positive axis) is replaced by a step into it.
    double below = 0.0, above = HUGE_VAL;
    res.status = IterStatus::IterationLimit;
    for (int it = 0; it <= kMaxWilsonIter; ++it) {
      const double e = std::exp(h1 - L);
      const double f = std::log(L) + e - h2;
      const double d = e - 1.0 / L;
      if (!std::isfinite(f)) {
        res.status = IterStatus::NotFinite;
        break;
      }
      (f < 0 ? below : above) = L;
      const double s = f / d;
      if (f == 0 || std::fabs(s) < 1e-5) {
        res.status = IterStatus::Converged;
        break;
      }
      if (it == kMaxWilsonIter) break;
      double next = L + s;
      const double lo = std::min(below, above), hi = std::max(below, above);
      if (!(next > lo && next < hi)) {
        if (lo > 0 && std::isfinite(hi)) next = std::sqrt(lo * hi);
        else if (lo > 0) next = lo * 10.0;
        else next = hi / 10.0;
      }
      L = next;
      res.iterations = it + 1;
    }
  }
  // From ln gamma1(inf) = 1 - ln Lambda12 - Lambda21 and
  // ln gamma2(inf) = 1 - ln Lambda21 - Lambda12: Lambda21 = L solves the equation
  // above and Lambda12 = h2 - ln Lambda21.
  res.Lambda21 = L;
  res.Lambda12 = h2 - std::log(L);
  return res;
}

WilsonResult Wilson_From_Curve(const UnifacData& data) {
  const WilsonResult res =
      Wilson_From_Infinite_Dilution(data.UNIFAC_Pt_Gamma[1][1], data.UNIFAC_Pt_Gamma[2][kNPoint]);
  if (res.status != IterStatus::Converged)
    Calc_Message("UNIFAC Wilson Parameter No-Convergence");
  return res;
}

}  // namespace unifac
