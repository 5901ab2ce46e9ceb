// Bubble temperature by a cubic equation of state with one interaction
// parameter per pair: Soave-Redlich-Kwong (Soave 1972) or Peng-Robinson
// (Peng and Robinson 1976). Initial K-values from a Riedel-type reduced
// vapour-pressure correlation; temperature by the reverse-communication root
// finder. Critical pressures and the working pressure both enter in bar: only
// their ratio matters, and the gas constant 0.082053 cancels between a, b and
// the reduced A and B.
#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "core/thermo/ThermoInternal.h"

namespace {

constexpr double kGasConstant = 0.082053;
constexpr double kKelvinOffset = 273.15;
constexpr double kBarPerMPa = 10.0;
constexpr double kSqrt2 = 1.414213562;
constexpr double kTwoPiThirds = 2.0943951023931957;   // 120 degrees between the three real roots
constexpr double kFourPiThirds = 4.1887902047863914;
const char* const kSrkMessage = "T_Bubble_srk No-Convergence";

struct PureConstants {
  double ac;  // a at the critical point
  double b;
  double m;   // slope of the square root of the temperature function
};

PureConstants pureConstants(int32_t eos, int i) {
  const double tc = Case.Comp_Tc[i];
  const double pc = Case.Comp_Pc[i];
  const double w = Case.Comp_Omega[i];
  if (eos == 0) return {0.00287803 * tc * tc / pc, 0.00710907 * tc / pc, 0.48 + 1.574 * w - 0.176 * w * w};
  return {0.0030785 * tc * tc / pc, 0.00638372 * tc / pc, 0.37464 + 1.54226 * w - 0.26992 * w * w};
}

// Square root of the temperature function, 1 + m (1 - sqrt(T / Tc)).
double alphaRoot(double m, double T, int i) { return 1.0 + m * (1.0 - std::sqrt(T) / std::sqrt(Case.Comp_Tc[i])); }

// The equation of state has no self interaction: k(i, i) is 0 whatever the matrix
// holds (the flash defaults store 1 on the diagonal).
double kij(int i, int j) { return i == j ? 0.0 : Case.EOS_Kij[i][j]; }

}  // namespace

void K_Initial_Riedel(const double& t, const double& P) {
  if (thermo::CountOutside()) return;
  const double T = t + kKelvinOffset;
  const double pBar = P * kBarPerMPa;
  for (int i = 1; i <= Case.NC; ++i) {
    const double w = Case.Comp_Omega[i];
    double tr = T / Case.Comp_Tc[i];
    double lnPr;
    if (tr <= 1.0) {
      if (tr <= 0.0) tr = 0.1;
      lnPr = (5.81 + 4.92 * w) * std::log(tr) -
             0.0838 * (2.06 + 4.92 * w) * (36.0 / tr - 35.0 - std::pow(tr, 6) + 42.0 * std::log(tr));
    } else {
      const double zc = 0.291 - 0.08 * w;
      const double a = ((-90.0 * zc + 73.85) * zc - 16.26) * (1.0 - tr) / tr;
      const double e = -8.68 * (tr - 1.8 + 6.2 * zc) * (tr - 1.8 + 6.2 * zc);
      lnPr = e > -75.0 ? a - std::pow(10.0, e) : a;
    }
    if (lnPr < -75.0) lnPr = -75.0;
    const double K = Case.Comp_Pc[i] * std::exp(lnPr) / pBar;
    Case.K_Value[i] = K > 0.0 ? K : 1e-10;
  }
}

void EOS_Parameter(const int32_t& eos, const double& t, const double comp[], double& a, double& b) {
  const double T = t + kKelvinOffset;
  const int nc = Case.NC;
  double root[kMaxComp + 1];  // sqrt(ac(i)) s(i) x(i)
  a = 0.0;
  b = 0.0;
  if (thermo::CountOutside()) return;
  for (int i = 1; i <= nc; ++i) {
    root[i] = 0.0;
    if (comp[i] <= 0.0) continue;
    const PureConstants c = pureConstants(eos, i);
    root[i] = std::sqrt(c.ac) * alphaRoot(c.m, T, i) * comp[i];
    b += comp[i] * c.b;
  }
  for (int i = 1; i <= nc; ++i) {
    if (comp[i] <= 0.0) continue;
    for (int j = 1; j <= nc; ++j) {
      if (comp[j] <= 0.0) continue;
      a += (1.0 - kij(i, j)) * root[i] * root[j];
    }
  }
}

void EOS_Cubic_Root(const int32_t& eos, const int32_t& phase, const double& t, const double& P,
                    const double[], double& density, const double& a, const double& b) {
  const double T = t + kKelvinOffset;
  const double pBar = P * kBarPerMPa;
  const double rt = kGasConstant * T;
  const double A = pBar * a / (rt * rt);
  const double B = pBar * b / rt;
  double c2, c1, c0;
  if (eos == 0) {
    c2 = -1.0;
    c1 = A - B - B * B;
    c0 = -A * B;
  } else {
    c2 = B - 1.0;
    c1 = A - 3.0 * B * B - 2.0 * B;
    c0 = -A * B + B * B + B * B * B;
  }
  const double p = c1 / 3.0 - (c2 / 3.0) * (c2 / 3.0);
  const double q = 2.0 * std::pow(c2 / 3.0, 3) - (c1 / 3.0) * c2 + c0;
  const double D = q * q + 4.0 * p * p * p;
  double Z;
  if (D <= 0.0) {
    if (p == 0.0) {
      Z = -c2 / 3.0;
    } else {
      const double r = 2.0 * std::sqrt(-p);
      // Rounding can carry the cosine just past +-1 near a double root.
      const double cosine = std::fmax(-1.0, std::fmin(1.0, -q / (2.0 * std::pow(-p, 1.5))));
      const double phi = std::acos(cosine) / 3.0;
      const double z1 = r * std::cos(phi) - c2 / 3.0;
      const double z2 = r * std::cos(phi + kTwoPiThirds) - c2 / 3.0;
      const double z3 = r * std::cos(phi + kFourPiThirds) - c2 / 3.0;
      Z = phase == 0 ? std::fmin(z1, std::fmin(z2, z3)) : std::fmax(z1, std::fmax(z2, z3));
    }
  } else {
    // Cardano with the larger-magnitude term first to avoid cancellation.
    const double u = q < 0.0 ? (-q + std::sqrt(D)) / 2.0 : (-q - std::sqrt(D)) / 2.0;
    const double v = -p * p * p / u;
    Z = std::cbrt(u) + std::cbrt(v) - c2 / 3.0;
  }
  density = pBar / (Z * rt);
}

void EOS_Fugacity(const int32_t& eos, const double& t, const double& P, const double comp[], double phi[],
                  const double& density, const double& a, const double& b) {
  const double T = t + kKelvinOffset;
  const double pBar = P * kBarPerMPa;
  const double rt = kGasConstant * T;
  const double Z = pBar / (density * rt);
  const double A = pBar * a / (rt * rt);
  const double B = pBar * b / rt;
  if (thermo::CountOutside()) return;
  const int nc = Case.NC;
  // The Peng-Robinson a(i) of the fugacity carries its own rounding of the constant.
  const double acConstant = eos == 0 ? 0.00287803 : 0.00307846;
  double sqrtA[kMaxComp + 1];
  double bi[kMaxComp + 1];
  for (int i = 1; i <= nc; ++i) {
    const PureConstants c = pureConstants(eos, i);
    const double tc = Case.Comp_Tc[i];
    sqrtA[i] = std::sqrt(acConstant * tc * tc / Case.Comp_Pc[i]) * alphaRoot(c.m, T, i);
    bi[i] = c.b;
  }
  // Degenerate roots and non-positive logarithm arguments give a zero term.
  const double L = Z > B ? std::log(Z - B) : 0.0;
  double logTerm, factor;
  if (eos == 0) {
    logTerm = 1.0 + B / Z > 0.0 ? std::log(1.0 + B / Z) : 0.0;
    factor = A / B;
  } else {
    const double arg = (Z + (1.0 + kSqrt2) * B) / (Z + (1.0 - kSqrt2) * B);
    logTerm = arg > 0.0 ? std::log(arg) : 0.0;
    factor = A / (2.0 * kSqrt2 * B);
  }
  for (int i = 1; i <= nc; ++i) {
    double sum = 0.0;
    for (int j = 1; j <= nc; ++j) {
      if (comp[j] <= 0.0) continue;
      sum += comp[j] * (1.0 - kij(i, j)) * sqrtA[i] * sqrtA[j];
    }
    const double bRatio = bi[i] / b;
    const double lnPhi = bRatio * (Z - 1.0) - L - factor * (2.0 * sum / a - bRatio) * logTerm;
    phi[i] = std::exp(lnPhi);
  }
}

namespace {

constexpr int kVapourPasses = 31;        // successive substitutions of the vapour per temperature
constexpr double kVapourChange = 1e-6;   // relative change of K that counts as settled
constexpr double kTrivialK = 1e-4;       // |K - 1| below this for all components ...
constexpr double kTrivialZ = 1e-6;       // ... with one compressibility for both phases: no real split

// The pure-component terms of one temperature, shared by the liquid and every
// vapour pass: the same products EOS_Parameter and EOS_Fugacity form, computed once.
struct TemperatureTerms {
  double t = 0;
  double rootParam[kMaxComp + 1];  // sqrt(ac(i)) s(i) of the mixture a
  double rootFug[kMaxComp + 1];    // sqrt(a(i)) of the fugacity (PR: its own constant)
  double b[kMaxComp + 1];
};

void prepareTerms(int32_t eos, double t, TemperatureTerms& terms) {
  const double T = t + kKelvinOffset;
  const double acConstant = eos == 0 ? 0.00287803 : 0.00307846;
  terms.t = t;
  for (int i = 1; i <= Case.NC; ++i) {
    const PureConstants c = pureConstants(eos, i);
    const double s = alphaRoot(c.m, T, i);
    const double tc = Case.Comp_Tc[i];
    terms.rootParam[i] = std::sqrt(c.ac) * s;
    terms.rootFug[i] = std::sqrt(acConstant * tc * tc / Case.Comp_Pc[i]) * s;
    terms.b[i] = c.b;
  }
}

// EOS_Parameter, EOS_Cubic_Root and EOS_Fugacity of comp with the terms of one
// temperature; returns the density.
double phaseFugacity(int32_t eos, int32_t phase, const TemperatureTerms& terms, double P, const double comp[],
                     double phi[]) {
  const int nc = Case.NC;
  double r[kMaxComp + 1];
  double a = 0.0, b = 0.0;
  for (int i = 1; i <= nc; ++i) {
    r[i] = comp[i] > 0.0 ? terms.rootParam[i] * comp[i] : 0.0;
    if (comp[i] > 0.0) b += comp[i] * terms.b[i];
  }
  for (int i = 1; i <= nc; ++i) {
    if (comp[i] <= 0.0) continue;
    for (int j = 1; j <= nc; ++j)
      if (comp[j] > 0.0) a += (1.0 - kij(i, j)) * r[i] * r[j];
  }
  double density;
  EOS_Cubic_Root(eos, phase, terms.t, P, comp, density, a, b);
  const double pBar = P * kBarPerMPa;
  const double rt = kGasConstant * (terms.t + kKelvinOffset);
  const double Z = pBar / (density * rt);
  const double A = pBar * a / (rt * rt);
  const double B = pBar * b / rt;
  const double L = Z > B ? std::log(Z - B) : 0.0;
  double logTerm, factor;
  if (eos == 0) {
    logTerm = 1.0 + B / Z > 0.0 ? std::log(1.0 + B / Z) : 0.0;
    factor = A / B;
  } else {
    const double arg = (Z + (1.0 + kSqrt2) * B) / (Z + (1.0 - kSqrt2) * B);
    logTerm = arg > 0.0 ? std::log(arg) : 0.0;
    factor = A / (2.0 * kSqrt2 * B);
  }
  for (int i = 1; i <= nc; ++i) {
    double sum = 0.0;
    for (int j = 1; j <= nc; ++j) {
      if (comp[j] <= 0.0) continue;
      sum += comp[j] * (1.0 - kij(i, j)) * terms.rootFug[i] * terms.rootFug[j];
    }
    const double bRatio = terms.b[i] / b;
    phi[i] = std::exp(bRatio * (Z - 1.0) - L - factor * (2.0 * sum / a - bRatio) * logTerm);
  }
  return density;
}

// One temperature of the bubble search. The liquid fugacity coefficients are
// taken at T once; the vapour y = x K / sum(x K) and its coefficients are
// substituted until K = phiL / phiV stands still, starting from the K-values the
// caller leaves in Case.K_Value (those of the previous temperature). f = 1 -
// sum x K then depends on T alone, so the root finder sees one smooth function
// and a start that already satisfies the bubble condition is taken as it is.
struct BubblePoint {
  double f = 0;
  double zL = 0, zV = 0;  // compressibilities of the liquid and the last vapour
  bool settled = false;   // the vapour substitution stood still
};

BubblePoint bubbleResidual(int32_t eos, double t, double P, const double x[], double phiL[], double phiV[],
                           double y[], int passes = kVapourPasses) {
  const int nc = Case.NC;
  const double pBar = P * kBarPerMPa;
  const double rt = kGasConstant * (t + kKelvinOffset);
  BubblePoint point;
  TemperatureTerms terms;
  prepareTerms(eos, t, terms);
  double density = phaseFugacity(eos, 0, terms, P, x, phiL);
  point.zL = pBar / (density * rt);
  // Far from the root the sign and size of f are all the finder needs: the
  // substitution stops once K moves by less than a twentieth of |f|.
  for (int pass = 0; pass < passes; ++pass) {
    double sum = 0.0;
    for (int i = 1; i <= nc; ++i) sum += x[i] * Case.K_Value[i];
    for (int i = 1; i <= nc; ++i) y[i] = x[i] * Case.K_Value[i] / sum;
    density = phaseFugacity(eos, 1, terms, P, y, phiV);
    double change = 0.0, sumNew = 0.0;
    for (int i = 1; i <= nc; ++i) {
      const double K = phiL[i] / phiV[i];
      const double relative = std::fabs(K - Case.K_Value[i]) / Case.K_Value[i];
      change = relative > change || !(relative == relative) ? relative : change;
      Case.K_Value[i] = K;
      sumNew += x[i] * K;
    }
    point.settled = change <= kVapourChange;
    if (point.settled || change <= 0.2 * std::fabs(1.0 - sumNew)) break;
  }
  point.zV = pBar / (density * rt);
  double sum = 0.0;
  for (int i = 1; i <= nc; ++i) sum += x[i] * Case.K_Value[i];
  for (int i = 1; i <= nc; ++i) y[i] = x[i] * Case.K_Value[i] / sum;
  point.f = 1.0 - sum;
  return point;
}

// Liquid and vapour alike: above the mixture's critical region the cubic has one
// root, phiL = phiV and every K = 1 solves sum x K = 1 without a second phase.
bool isTrivial(const BubblePoint& point) {
  if (!(std::fabs(point.zL - point.zV) <= kTrivialZ * std::fmax(std::fabs(point.zL), std::fabs(point.zV))))
    return false;
  for (int i = 1; i <= Case.NC; ++i)
    if (!(std::fabs(Case.K_Value[i] - 1.0) <= kTrivialK)) return false;
  return true;
}

// sum x K of the Riedel-type correlation (ideal K = Psat / P) at t; leaves those K-values.
double idealSum(double t, double P, const double x[]) {
  K_Initial_Riedel(t, P);
  double sum = 0.0;
  for (int i = 1; i <= Case.NC; ++i) sum += x[i] * Case.K_Value[i];
  return sum;
}

// The ideal bubble point, sum x Psat(t) / P = 1 with the correlation's vapour
// pressures, by bisection: each K rises with temperature. Ends within 1e-3 K, or
// at the bound the condition cannot be met inside.
double idealBubbleC(double P, const double x[], double tStart) {
  double lo = -270.0, hi = std::fmax(tStart, 0.0) + 100.0;
  if (!(idealSum(lo, P, x) < 1.0)) return lo;
  for (int n = 0; n < 20 && idealSum(hi, P, x) < 1.0; ++n) hi += 2.0 * (hi - lo);
  for (int n = 0; n < 80 && hi - lo > 1e-3; ++n) {
    const double mid = 0.5 * (lo + hi);
    if (idealSum(mid, P, x) < 1.0) lo = mid;
    else hi = mid;
  }
  return 0.5 * (lo + hi);
}

struct SearchEnd {
  double T;
  int32_t state;
  BubblePoint point;
};

// The root finder over [t - 50, t + 50] (the lower bound kept above absolute
// zero) from t with the K-values in Case.K_Value.
SearchEnd searchBubble(int32_t eos, double t, double P, const double x[], double phiL[], double phiV[], double y[],
                       ThermoOutcome& out, int passes = kVapourPasses) {
  double T = t;
  const double tHigh = T + 50.0;
  double tLow = T - 50.0;
  if (tLow < -kKelvinOffset) tLow = -270.0;
  int32_t state = 1, calls = 0;
  double xPos = 0, fPos = 0, xNeg = 0, fNeg = 0, xPrev = 0, fPrev = 0;
  BubblePoint point;
  while (state < 4) {
    point = bubbleResidual(eos, T, P, x, phiL, phiV, y, passes);
    ++out.iterations;
    out.residual = std::fabs(point.f);
    Root_Search(state, calls, T, point.f, tLow, tHigh, 0.5, 1e-5, xPos, fPos, xNeg, fNeg, xPrev, fPrev);
    if (!std::isfinite(point.f)) out.status = ThermoStatus::NotFinite;
  }
  // The secant can stall within a bracket while |f| is still above the
  // tolerance: finish by regula falsi (Illinois) inside the bracket.
  if (state == 6 && std::isfinite(point.f) && fPos < 1e30 && fNeg > -1e30) {
    int side = 0;
    for (int n = 0; n < 60 && state == 6; ++n) {
      T = (xPos * fNeg - xNeg * fPos) / (fNeg - fPos);
      point = bubbleResidual(eos, T, P, x, phiL, phiV, y, passes);
      ++out.iterations;
      out.residual = std::fabs(point.f);
      if (!std::isfinite(point.f)) break;
      if (out.residual <= 1e-5) state = 4;
      else if (point.f >= 0.0) {
        xPos = T, fPos = point.f;
        if (side == 1) fNeg *= 0.5;
        side = 1;
      } else {
        xNeg = T, fNeg = point.f;
        if (side == -1) fPos *= 0.5;
        side = -1;
      }
    }
  }
  return {T, state, point};
}

}  // namespace

double T_Bubble_srk(const int32_t& eos, const double& t, const double& P, const double x[],
                    ThermoOutcome* outcome) {
  ThermoOutcome local;
  ThermoOutcome& out = outcome ? *outcome : local;
  out = ThermoOutcome{};
  if (thermo::InputRefused(nullptr, &P, out)) return t;
  double phiL[kMaxComp + 1], phiV[kMaxComp + 1], y[kMaxComp + 1];
  K_Initial_Riedel(t, P);
  SearchEnd end = searchBubble(eos, t, P, x, phiL, phiV, y, out);
  if ((end.state == 4 && isTrivial(end.point)) || (end.state > 4 && out.status != ThermoStatus::NotFinite)) {
    // Every K = 1 is no bubble point, and a search that ran out of its bounds may
    // have started far away: search again from the ideal bubble point, where the
    // liquid and the vapour differ.
    const double t0 = idealBubbleC(P, x, t);
    end = searchBubble(eos, t0, P, x, phiL, phiV, y, out);
    if (end.state == 4 && isTrivial(end.point)) end.state = 6;
  }
  // A vapour that never stood still leaves f without meaning.
  if (end.state == 4 && !end.point.settled) end.state = 5;
  const double T = end.T;
  if (end.state > 4) {
    Calc_Message(kSrkMessage);
    if (out.status == ThermoStatus::NotFinite) {
      // The finder went back to its best finite point: leave K-values of that point.
      K_Initial_Riedel(T, P);
      bubbleResidual(eos, T, P, x, phiL, phiV, y);
    } else {
      out.status = end.state == 5 ? ThermoStatus::IterationLimit : ThermoStatus::Stalled;
    }
  }
  return T;
}
