// Bubble temperature by a cubic equation of state with one interaction
// parameter per pair: Soave-Redlich-Kwong (Soave 1972) or Peng-Robinson
// (Peng and Robinson 1976). Initial K-values from a Riedel-type reduced
// vapour-pressure correlation; temperature by the reverse-communication root
// finder. Critical pressures and the working pressure both enter in bar: only
// their ratio matters, and the gas constant 0.082053 cancels between a, b and
// the reduced A and B.
#include <cmath>
#include <string>
#include <utility>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "core/thermo/ThermoInternal.h"

namespace {

constexpr double kGasConstant = 0.082053;
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
  const double c23 = c2 / 3.0;
  const double q = 2.0 * c23 * c23 * c23 - (c1 / 3.0) * c2 + c0;
  const double D = q * q + 4.0 * p * p * p;
  double Z;
  if (D <= 0.0) {
    if (p == 0.0) {
      Z = -c2 / 3.0;
    } else {
      const double r = 2.0 * std::sqrt(-p);
      // Rounding can carry the cosine just past +-1 near a double root.
      const double cosine = std::fmax(-1.0, std::fmin(1.0, -q / (2.0 * -p * std::sqrt(-p))));
      const double phi = std::acos(cosine) / 3.0;
      // The largest root r cos(phi) - c2/3 (cos(phi) >= 1/2) carries no
      // cancellation; the other two come from the quadratic left after dividing
      // it out, with its constant term -c0 / z3. Taking them from the cosine
      // formula too loses every digit of a liquid root near B at very low
      // pressure, where ln(Z - B) then turns meaningless.
      const double z3 = r * std::cos(phi) - c2 / 3.0;
      if (phase == 1) {
        Z = z3;  // cos(phi) >= cos(phi + 2 pi / 3), cos(phi + 4 pi / 3) for phi in [0, pi / 3]
      } else if (!(z3 > 0.0)) {
        const double z1 = r * std::cos(phi + kTwoPiThirds) - c2 / 3.0;
        const double z2 = r * std::cos(phi + kFourPiThirds) - c2 / 3.0;
        Z = std::fmin(z1, std::fmin(z2, z3));
      } else {
        const double e1 = c2 + z3, e0 = -c0 / z3;
        const double root = std::sqrt(std::fmax(0.0, e1 * e1 - 4.0 * e0));
        const double half = -0.5 * (e1 + std::copysign(root, e1));
        Z = half != 0.0 ? std::fmin(std::fmin(half, e0 / half), z3) : std::fmin(-0.5 * e1, z3);
      }
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

// The search scans the whole temperature range where a liquid of these
// components can boil, from well below the lowest critical temperature to well
// above the highest, so that every start gives the same answer and a second
// bubble point is seen.
constexpr double kColdestK = 3.15;        // -270 degC
constexpr double kScanColdTr = 0.25;      // coldest scanned T / mean Tc of the liquid
constexpr double kScanHotTr = 1.3;        // hottest scanned T / highest Tc of the liquid
constexpr int kMaxScanPoints = 400;       // far above the usual 20 to 40
constexpr int kMaxRoots = 8;
constexpr int kVapourPasses = 40;         // substitutions of the vapour before Newton takes over
constexpr double kScanLnKTol = 1e-8;      // vapour settled, while scanning
constexpr double kRootLnKTol = 1e-12;     // vapour settled, while polishing a root
constexpr double kRelCap = 1e-4;          // loosest vapour tolerance that a fraction of ln sum x K allows
constexpr double kRootTol = 1e-10;        // |ln sum x K| of an accepted bubble point
constexpr double kEdgeNearZero = 0.1;     // |ln sum x K| beside an edge worth looking into
constexpr double kJumpTol = 1e-7;         // |ln sum x K| left at a bracket that closed on a jump
// A vapour whose largest |ln K| and |Zv - Zl| both stay below this is taken as
// the liquid itself. Approaching that one-phase solution, ln sum x K falls
// toward 0 with the square or cube of the split, so 1e-3 keeps it above the
// 1e-10 that accepts a bubble point: a one-phase point can never pass as one.
constexpr double kOnePhase = 1e-3;

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
// temperature, as ln phi (exp of a very cold liquid's ln phi underflows);
// returns the compressibility of the chosen root.
double phaseLnPhi(int32_t eos, int32_t phase, const TemperatureTerms& terms, double P, const double comp[],
                  double lnPhi[]) {
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
    lnPhi[i] = bRatio * (Z - 1.0) - L - factor * (2.0 * sum / a - bRatio) * logTerm;
  }
  return Z;
}

// The vapour y = x K / sum(x K) of the liquid x; returns ln sum(x K). Scaled by
// the largest K so that neither the sum nor y overflows.
double vapourOf(const double x[], const double lnK[], double y[]) {
  double top = -HUGE_VAL;
  for (int i = 1; i <= Case.NC; ++i)
    if (x[i] > 0.0) top = std::fmax(top, lnK[i]);
  double sum = 0.0;
  for (int i = 1; i <= Case.NC; ++i) {
    y[i] = x[i] > 0.0 ? x[i] * std::exp(lnK[i] - top) : 0.0;
    sum += y[i];
  }
  for (int i = 1; i <= Case.NC; ++i) y[i] /= sum;
  return top + std::log(sum);
}

// One temperature of the scan: the incipient vapour of the liquid and
// g = ln sum(x K). valid: the vapour settled and differs from the liquid; only
// then does g mean anything.
struct TempPoint {
  double t = 0;  // degC
  double g = 0;
  double zL = 0;  // the liquid's compressibility
  double zV = 0;  // the incipient vapour's
  bool valid = false;
  bool finite = true;
  double settledTo = 0;  // the tolerance on ln K the vapour met
  double lnK[kMaxComp + 1];
  double lnPhiL[kMaxComp + 1];  // the liquid's ln phi
};

// The substitution has run onto the liquid itself (K = 1, one root), which it
// only leaves again by chance: no second phase from this start.
bool collapsed(const double x[], const double lnK[], double zV, double zL) {
  if (!(std::fabs(zV - zL) < kOnePhase)) return false;
  for (int i = 1; i <= Case.NC; ++i)
    if (x[i] > 0.0 && !(std::fabs(lnK[i]) < kOnePhase)) return false;
  return true;
}

// ln K' = ln phiL - ln phiV(y(ln K)); returns the vapour's root.
double vapourMap(int32_t eos, const TemperatureTerms& terms, double P, const double x[], const double lnPhiL[],
                 const double lnK[], double next[], double* g = nullptr) {
  double y[kMaxComp + 1], lnPhiV[kMaxComp + 1];
  const double lnSum = vapourOf(x, lnK, y);
  if (g) *g = lnSum;
  const double zV = phaseLnPhi(eos, 1, terms, P, y, lnPhiV);
  for (int i = 1; i <= Case.NC; ++i) next[i] = lnPhiL[i] - lnPhiV[i];
  return zV;
}

// Solves J d = r in place (partial pivoting); false when J is singular.
bool solveLinear(int n, double J[][kMaxComp + 1], double r[]) {
  for (int c = 1; c <= n; ++c) {
    int pivot = c;
    for (int k = c + 1; k <= n; ++k)
      if (std::fabs(J[k][c]) > std::fabs(J[pivot][c])) pivot = k;
    if (!(std::fabs(J[pivot][c]) > 1e-300)) return false;
    if (pivot != c) {
      for (int k = 1; k <= n; ++k) std::swap(J[c][k], J[pivot][k]);
      std::swap(r[c], r[pivot]);
    }
    for (int k = c + 1; k <= n; ++k) {
      const double f = J[k][c] / J[c][c];
      for (int m = c; m <= n; ++m) J[k][m] -= f * J[c][m];
      r[k] -= f * r[c];
    }
  }
  for (int c = n; c >= 1; --c) {
    for (int m = c + 1; m <= n; ++m) r[c] -= J[c][m] * r[m];
    r[c] /= J[c][c];
  }
  return true;
}

// Newton on F(ln K) = ln K - ln K'(ln K) with a finite-difference Jacobian, for
// the near-critical vapour where substitution crawls (its dominant eigenvalue
// nears 1). Steps are limited to 1 in ln K.
bool newtonVapour(int32_t eos, const TemperatureTerms& terms, double P, const double x[], const double lnPhiL[],
                  double lnK[], double tol, double& zV) {
  const int nc = Case.NC;
  double next[kMaxComp + 1], F[kMaxComp + 1], probe[kMaxComp + 1], J[kMaxComp + 1][kMaxComp + 1];
  for (int n = 0; n < 40; ++n) {
    zV = vapourMap(eos, terms, P, x, lnPhiL, lnK, next);
    double size = 0.0;
    for (int i = 1; i <= nc; ++i) {
      F[i] = lnK[i] - next[i];
      size = std::fmax(size, std::fabs(F[i]));
    }
    if (!std::isfinite(size)) return false;
    if (size <= tol) return true;
    for (int j = 1; j <= nc; ++j) {
      const double h = 1e-7 * std::fmax(1.0, std::fabs(lnK[j]));
      for (int i = 1; i <= nc; ++i) probe[i] = lnK[i];
      probe[j] += h;
      double moved[kMaxComp + 1];
      vapourMap(eos, terms, P, x, lnPhiL, probe, moved);
      for (int i = 1; i <= nc; ++i) J[i][j] = ((probe[i] - moved[i]) - F[i]) / h;
    }
    for (int i = 1; i <= nc; ++i) F[i] = -F[i];
    if (!solveLinear(nc, J, F)) return false;
    double longest = 0.0;
    for (int i = 1; i <= nc; ++i) longest = std::fmax(longest, std::fabs(F[i]));
    const double scale = longest > 1.0 ? 1.0 / longest : 1.0;
    for (int i = 1; i <= nc; ++i) lnK[i] += scale * F[i];
  }
  return false;
}

// Successive substitution of the vapour, K = phiL / phiV(y), from the ln K in
// lnK; passes are extrapolated along the dominant eigenvalue (Crowe and Nishio
// 1975). When that still crawls, Newton finishes. Returns true when ln K
// moved by less than tol, or by less than rel |ln sum x K| (at most kRelCap):
// a temperature step needs ln sum x K only to a fraction of itself. settledTo:
// the tolerance met; zV is the vapour's root.
bool settleVapour(int32_t eos, const TemperatureTerms& terms, double P, const double x[], const double lnPhiL[],
                  double zL, double lnK[], double tol, double rel, double& settledTo, double& zV) {
  const int nc = Case.NC;
  double next[kMaxComp + 1], delta[kMaxComp + 1], last[kMaxComp + 1];
  bool haveLast = false;
  // Settling loosely, every third pass is extrapolated; otherwise every fifth,
  // which keeps a near-critical vapour from being thrown onto another branch.
  const int every = rel > 0.0 ? 3 : 5;
  settledTo = tol;
  for (int pass = 0; pass < kVapourPasses; ++pass) {
    double g = 0.0;
    zV = vapourMap(eos, terms, P, x, lnPhiL, lnK, next, &g);
    if (rel > 0.0 && std::isfinite(g)) settledTo = std::fmax(tol, std::fmin(kRelCap, rel * std::fabs(g)));
    double change = 0.0, along = 0.0, lastSquared = 0.0;
    for (int i = 1; i <= nc; ++i) {
      delta[i] = next[i] - lnK[i];
      if (!std::isfinite(delta[i])) return false;
      change = std::fmax(change, std::fabs(delta[i]));
      if (haveLast) along += delta[i] * last[i], lastSquared += last[i] * last[i];
      lnK[i] = next[i];
    }
    if (change <= settledTo) return true;
    if (collapsed(x, lnK, zV, zL)) return false;
    const double lambda = lastSquared > 0.0 ? along / lastSquared : 0.0;
    if (pass % every == every - 1 && lambda > 0.0 && lambda < 0.95) {
      for (int i = 1; i <= nc; ++i) lnK[i] += delta[i] * lambda / (1.0 - lambda);
      haveLast = false;
      continue;
    }
    for (int i = 1; i <= nc; ++i) last[i] = delta[i];
    haveLast = true;
  }
  double saved[kMaxComp + 1];
  for (int i = 1; i <= nc; ++i) saved[i] = lnK[i];
  if (newtonVapour(eos, terms, P, x, lnPhiL, lnK, settledTo, zV)) return true;
  for (int i = 1; i <= nc; ++i) lnK[i] = saved[i];
  return false;
}

// The liquid's fugacities at t, then the vapour from warm (the ln K of a
// neighbouring temperature, or null) and, when that finds no second phase,
// from the Riedel-type K-values at t.
TempPoint evaluate(int32_t eos, double t, double P, const double x[], const double* warm, double tol, double rel) {
  TempPoint point;
  point.t = t;
  TemperatureTerms terms;
  prepareTerms(eos, t, terms);
  double* lnPhiL = point.lnPhiL;
  double y[kMaxComp + 1];
  const double zL = phaseLnPhi(eos, 0, terms, P, x, lnPhiL);
  point.zL = zL;
  for (int attempt = warm ? 0 : 1; attempt < 2 && !point.valid; ++attempt) {
    if (attempt == 0) {
      for (int i = 1; i <= Case.NC; ++i) point.lnK[i] = warm[i];
    } else {
      K_Initial_Riedel(t, P);
      for (int i = 1; i <= Case.NC; ++i) point.lnK[i] = std::log(Case.K_Value[i]);
    }
    double zV = zL;
    const bool settled = settleVapour(eos, terms, P, x, lnPhiL, zL, point.lnK, tol, rel, point.settledTo, zV);
    point.zV = zV;
    point.g = vapourOf(x, point.lnK, y);
    if (!std::isfinite(point.g) || !std::isfinite(zL) || !std::isfinite(zV)) {
      point.finite = false;
      continue;
    }
    double split = 0.0;
    for (int i = 1; i <= Case.NC; ++i)
      if (x[i] > 0.0) split = std::fmax(split, std::fabs(point.lnK[i]));
    // Equal roots with K = 1 are the liquid itself, not a second phase.
    point.valid = settled && (split > kOnePhase || std::fabs(zV - zL) > kOnePhase);
  }
  return point;
}

struct Root {
  TempPoint point;
  bool rising;  // ln sum x K rises through 0: the liquid starts to boil on heating
};

struct Search {
  int32_t eos = 0;
  double P = 0;
  const double* x = nullptr;
  int evaluations = 0;
  bool sawNotFinite = false;
  bool failedBracket = false;  // a bracket that closed without a root that holds
  TempPoint failedBest;
  Root roots[kMaxRoots];
  int rootCount = 0;

  TempPoint at(double t, const double* warm, double tol, double rel = 0.0) {
    ++evaluations;
    TempPoint p = evaluate(eos, t, P, x, warm, tol, rel);
    if (!p.finite) sawNotFinite = true;
    return p;
  }
};

bool sameSign(double a, double b) { return (a > 0.0) == (b > 0.0); }

// Regula falsi (Illinois) in 1/T between two valid points of opposite sign (from
// the scan: their signs hold, their vapour need not be settled tightly): ln sum
// x K is nearly linear in 1/T. Records the root, or the failure when the bracket
// closes on a jump between two vapour branches or loses its vapour.
void polish(Search& s, TempPoint a, TempPoint b) {
  const bool rising = a.t < b.t ? b.g > 0.0 : a.g > 0.0;
  double ga = a.g, gb = b.g;
  int side = 0;
  for (int n = 0; n < 100; ++n) {
    const double ua = 1.0 / (a.t + kKelvinOffset), ub = 1.0 / (b.t + kKelvinOffset);
    double u = (ua * gb - ub * ga) / (gb - ga);
    if (!(u > std::fmin(ua, ub) && u < std::fmax(ua, ub))) u = 0.5 * (ua + ub);
    const TempPoint& near = std::fabs(ga) < std::fabs(gb) ? a : b;
    TempPoint p = s.at(1.0 / u - kKelvinOffset, near.lnK, kRootLnKTol);
    if (!p.valid) p = s.at(0.5 * (a.t + b.t), near.lnK, kRootLnKTol);
    if (!p.valid) break;
    if (std::fabs(p.g) <= kRootTol) {
      if (s.rootCount < kMaxRoots) s.roots[s.rootCount++] = {p, rising};
      return;
    }
    if (sameSign(p.g, a.g)) {
      a = p, ga = p.g;
      if (side == -1) gb *= 0.5;
      side = -1;
    } else {
      b = p, gb = p.g;
      if (side == 1) ga *= 0.5;
      side = 1;
    }
    if (std::fabs(a.t - b.t) < 1e-7) break;
  }
  // A bracket closed to 1e-7 K holds a root when ln sum x K is as small as such
  // a width allows, and a jump between two vapour branches otherwise.
  const TempPoint& best = std::fabs(a.g) < std::fabs(b.g) ? a : b;
  const bool closed = std::fabs(a.t - b.t) < 1e-7;
  if (closed && std::fabs(best.g) <= kJumpTol) {
    if (s.rootCount < kMaxRoots) s.roots[s.rootCount++] = {best, rising};
    return;
  }
  if (!closed) {
    s.failedBracket = true;
    s.failedBest = best;
  }
}

// Between a valid and an invalid point the vapour appears or vanishes; a
// bubble point can lie just inside (near a critical point, where ln sum x K
// stays small). Bisection on validity finds the last valid point within 1e-3 K;
// a change of sign between it and the valid end is polished.
void examineEdge(Search& s, const TempPoint& validEnd, double invalidT) {
  if (std::fabs(validEnd.g) > kEdgeNearZero) return;
  TempPoint inner = validEnd;
  double outer = invalidT;
  for (int n = 0; n < 16 && std::fabs(outer - inner.t) > 1e-3; ++n) {
    const TempPoint mid = s.at(0.5 * (inner.t + outer), inner.lnK, kScanLnKTol);
    if (mid.valid) inner = mid;
    else outer = mid.t;
  }
  if (inner.t != validEnd.t && !sameSign(inner.g, validEnd.g)) polish(s, validEnd, inner);
}

// The lowest rising bubble point and one more are known: the scan can stop.
bool answerAndAnother(const Search& s) {
  if (s.rootCount < 2) return false;
  for (int r = 0; r < s.rootCount; ++r)
    if (s.roots[r].rising) return true;
  return false;
}

// The incipient phase is lighter than the liquid, as a vapour is.
bool lighter(const TempPoint& p) { return p.zV > p.zL; }

// Scans upward in steps that take ln sum x K about half way to zero at its
// present slope (at least 0.5 K, at most 5 % of T), polishing every change of
// sign between valid points. Near the liquid's critical region a vapour exists
// only in a window of a kelvin or two around the bubble point, and the liquid's
// compressibility changes fast there: the step is also kept below what changes
// it by 0.01. Stops once the answer and another bubble point are known.
void scan(Search& s, double tColdC, double tHotC) {
  TempPoint prev = s.at(tColdC, nullptr, kScanLnKTol);
  double slope = NAN, zSlope = 0.0, step = 1.0;
  for (int n = 0; n < kMaxScanPoints && prev.t < tHotC && !answerAndAnother(s); ++n) {
    const double tK = prev.t + kKelvinOffset;
    const double hMax = std::fmax(5.0, 0.05 * tK);
    double h = hMax;
    if (prev.valid && std::isfinite(slope) && slope != 0.0)
      h = 0.5 * std::fmax(std::fabs(prev.g), 0.02) / std::fabs(slope);
    h = std::fmin(std::fmax(h, 0.5), std::fmin(hMax, 2.0 * step));
    if (zSlope > 0.0) h = std::fmin(h, std::fmax(0.05, 0.01 / zSlope));
    step = h;
    TempPoint next = s.at(std::fmin(prev.t + h, tHotC), prev.valid ? prev.lnK : nullptr, kScanLnKTol);
    zSlope = std::fabs(next.zL - prev.zL) / (next.t - prev.t);
    if (prev.valid && next.valid) {
      const int before = s.rootCount;
      if (!sameSign(prev.g, next.g)) polish(s, prev, next);
      slope = (next.g - prev.g) / (next.t - prev.t);
      // A falling root whose incipient phase is denser than the liquid lies on
      // a second liquid's branch (or the liquid is itself a gas): the scan goes
      // on from the correlation's vapour, not along that branch, which would
      // pass a bubble point of the vapour's branch unseen.
      if (s.rootCount > before && !s.roots[before].rising && !lighter(s.roots[before].point)) {
        const TempPoint again = s.at(next.t, nullptr, kScanLnKTol);
        if (again.valid) next = again, slope = NAN;
      }
    } else {
      if (prev.valid) examineEdge(s, prev, next.t);
      else if (next.valid) examineEdge(s, next, prev.t);
      slope = NAN;
    }
    prev = next;
  }
}

// Scan range: from a quarter of the liquid's mole-averaged critical temperature
// (far below any triple point; colder, the cubic's temperature function is
// extrapolated beyond meaning and shows spurious splits), but not below -270
// degC, to 1.3 times the highest critical temperature of the components present.
bool scanRange(const double x[], double& tColdC, double& tHotC) {
  double sum = 0.0, weighted = 0.0, highTc = 0.0;
  for (int i = 1; i <= Case.NC; ++i) {
    if (!(x[i] > 0.0)) continue;
    sum += x[i];
    weighted += x[i] * Case.Comp_Tc[i];
    highTc = std::fmax(highTc, Case.Comp_Tc[i]);
  }
  if (!(sum > 0.0) || !(weighted > 0.0) || !std::isfinite(weighted) || !std::isfinite(highTc)) return false;
  tColdC = std::fmax(kColdestK, kScanColdTr * weighted / sum) - kKelvinOffset;
  tHotC = kScanHotTr * highTc - kKelvinOffset;
  return tHotC > tColdC;
}

void message(const char* japanese, const char* english) { Calc_Message(Case.Language == 1 ? english : japanese); }

// ---- The local solve: from the caller's start straight to the bubble point it
// lies near, as a batch or column run needs it thousands of times per case.

constexpr int kLocalSteps = 30;          // temperature steps of the local solve
constexpr double kLocalMaxRatio = 1.25;  // largest change of 1/T per step, as a factor
constexpr int kBackSteps = 12;           // halvings back toward a two-phase point
constexpr int kTrialPasses = 40;         // substitutions of one stability trial
constexpr double kTrialSettled = 1e-9;   // change of ln W at which a trial stands still
constexpr double kUnstableTm = -1e-7;    // modified tangent-plane distance that shows another phase
constexpr double kSameVapour = 1e-4;     // largest |ln y| apart of a trial that has reached the vapour found

constexpr double kLocalRootTol = 1e-11;  // vapour settled, at the root
constexpr double kThoroughTol = 1e-7;    // vapour settled, away from the root, in the thorough solve
constexpr int kNearSteps = 6;            // steps each way from a start without a distinct vapour
constexpr double kNearStep = 0.001;      // the first of them, on T; each next one twice as far
constexpr int kColderSteps = 8;          // steps down from a start without a distinct vapour
constexpr double kColderFactor = 0.93;   // each of them, on T

double reciprocal(double tC) { return 1.0 / (tC + kKelvinOffset); }

// The ideal bubble point, sum x K = 1 with the Riedel-type K-values, by bisection
// to 0.01 K inside the search range (its nearer end when there is none inside).
double idealBubbleC(double P, const double x[], double tColdC, double tHotC) {
  auto rises = [&](double t) {
    K_Initial_Riedel(t, P);
    double sum = 0.0;
    for (int i = 1; i <= Case.NC; ++i) sum += x[i] * Case.K_Value[i];
    return sum >= 1.0;
  };
  double lo = tColdC, hi = tHotC;
  if (rises(lo)) return lo;
  if (!rises(hi)) return hi;
  for (int n = 0; n < 60 && hi - lo > 1e-2; ++n) {
    const double mid = 0.5 * (lo + hi);
    (rises(mid) ? hi : lo) = mid;
  }
  return 0.5 * (lo + hi);
}

// d ln sum(x K) / d(1/T) at a settled point. With the vapour y the point's, the
// change of y itself drops out (sum y d ln phiV = 0 at fixed T and P, Gibbs-Duhem):
// the slope is sum y d(ln phiL - ln phiV) / d(1/T) at fixed compositions, here as
// the chord from the point's settled ln K to the temperature a first estimate
// (Wilson's K-values) puts the root at, so that the step carries the curvature
// over its own length; the chord is kept between 1e-5 and 1e-1 of T. dLnK: the
// chord's d ln K / d(1/T) of each component, to carry the vapour to the next step.
double newtonSlope(int32_t eos, double P, const double x[], const TempPoint& p, double dLnK[]) {
  double y[kMaxComp + 1], lnL[kMaxComp + 1], lnV[kMaxComp + 1];
  vapourOf(x, p.lnK, y);
  const double T = p.t + kKelvinOffset;
  double guess = 0.0;
  for (int i = 1; i <= Case.NC; ++i)
    if (x[i] > 0.0) guess -= y[i] * 5.373 * (1.0 + Case.Comp_Omega[i]) * Case.Comp_Tc[i];
  double h = 1.0 / (1.0 / T - p.g / guess) - T;
  if (!std::isfinite(h)) h = 1e-5 * T;
  h = std::copysign(std::fmin(std::fmax(std::fabs(h), 1e-5 * T), 1e-1 * T), h);
  TemperatureTerms terms;
  prepareTerms(eos, p.t + h, terms);
  phaseLnPhi(eos, 0, terms, P, x, lnL);
  phaseLnPhi(eos, 1, terms, P, y, lnV);
  const double du = reciprocal(p.t + h) - reciprocal(p.t);
  double change = 0.0;
  for (int i = 1; i <= Case.NC; ++i) {
    dLnK[i] = x[i] > 0.0 ? ((lnL[i] - lnV[i]) - p.lnK[i]) / du : 0.0;
    change += y[i] * dLnK[i];
  }
  return change;
}

// Tangent-plane test of the liquid x at t (Michelsen 1982) for another vapour:
// from the vapour-like trial of Wilson's K-values, x K, substitutes
// ln W = d - ln phiV(W / sum W) with d = ln x + ln phiL. A trial whose modified
// distance tm(W) = 1 + sum W (ln W + ln phi - d - 1) falls below zero is a vapour
// the liquid would rather form than the incipient one found (vapour, with distance
// 0): true then, and a bubble point on that vapour's branch lies elsewhere. A
// trial that runs onto the vapour found or onto the liquid itself, stands still
// with tm >= 0 or reaches its pass limit with tm >= 0 shows nothing. reached:
// the trial ran onto the vapour found, which is then the vapour-like one.
bool liquidUnstable(int32_t eos, double P, const double x[], const TempPoint& point, bool& reached) {
  reached = false;
  const int nc = Case.NC;
  const double t = point.t, zL = point.zL;
  TemperatureTerms terms;
  prepareTerms(eos, t, terms);
  double d[kMaxComp + 1], found[kMaxComp + 1];
  vapourOf(x, point.lnK, found);
  for (int i = 1; i <= nc; ++i) d[i] = x[i] > 0.0 ? std::log(x[i]) + point.lnPhiL[i] : 0.0;
  const double T = t + kKelvinOffset;
  const double pBar = P * kBarPerMPa;
  {
    const int32_t phase = 1;
    double lnW[kMaxComp + 1], W[kMaxComp + 1], y[kMaxComp + 1], lnPhi[kMaxComp + 1];
    for (int i = 1; i <= nc; ++i) {
      if (!(x[i] > 0.0)) continue;
      const double lnK = std::log(Case.Comp_Pc[i] / pBar) + 5.373 * (1.0 + Case.Comp_Omega[i]) * (1.0 - Case.Comp_Tc[i] / T);
      lnW[i] = std::log(x[i]) + lnK;
    }
    for (int pass = 0; pass < kTrialPasses; ++pass) {
      double top = -HUGE_VAL;
      for (int i = 1; i <= nc; ++i)
        if (x[i] > 0.0) top = std::fmax(top, lnW[i]);
      if (!std::isfinite(top) || top > 700.0) break;
      double sumW = 0.0;
      for (int i = 1; i <= nc; ++i) {
        W[i] = x[i] > 0.0 ? std::exp(lnW[i]) : 0.0;
        sumW += W[i];
      }
      for (int i = 1; i <= nc; ++i) y[i] = W[i] / sumW;
      const double z = phaseLnPhi(eos, phase, terms, P, y, lnPhi);
      double tm = 1.0, change = 0.0, spread = 0.0, apart = 0.0;
      for (int i = 1; i <= nc; ++i) {
        if (!(x[i] > 0.0)) continue;
        const double next = d[i] - lnPhi[i];
        tm += W[i] * (lnW[i] - next - 1.0);
        change = std::fmax(change, std::fabs(next - lnW[i]));
        spread = std::fmax(spread, std::fabs(std::log(y[i]) - std::log(x[i])));
        apart = std::fmax(apart, std::fabs(std::log(y[i]) - std::log(found[i])));
        lnW[i] = next;
      }
      if (!std::isfinite(tm)) break;
      if (tm < kUnstableTm) return true;
      if (apart < kSameVapour) {
        reached = true;
        break;
      }
      if (change <= kTrialSettled) break;
      if (spread < kOnePhase && std::fabs(z - zL) < kOnePhase) break;  // the liquid itself
    }
  }
  return false;
}

// What earlier calls found, for the calls of a column or batch sweep: each
// stage's liquid moves little from one sweep to the next, and the stage before
// it in a sweep leaves its K-values in Case.K_Value. An entry is one stage's last
// answer: its vapour (ln K), how the vapour moves with 1/T (dLnK) and the slope
// of ln sum x K, and where the tangent-plane test last found its liquid stable
// (the anchor). Entries belong to one mixture (equation, components, critical
// constants, k(i, j)); another mixture clears them.
constexpr int kRemembered = 256;      // stages remembered (above the largest column)
constexpr double kNearLiquid = 0.02;  // largest |x - x'| of a stage's own earlier answer
constexpr double kGuessReach = 0.05;  // largest change of 1/T, as a fraction, a remembered vapour is carried
constexpr double kStableLiquid = 1e-3;   // largest |x - x'| from the anchor that skips the test
constexpr double kStableT = 0.5;         // largest |T - T'| (K) from the anchor that skips the test
constexpr double kStableLnP = 1e-3;      // largest |ln P / P'| from the anchor (and of a match)
constexpr double kStableLnK = 0.05;      // largest |ln K - ln K'| from the anchor's vapour
constexpr double kRel = 1e-2;            // vapour settled to this fraction of ln sum x K on the way

struct Remembered {
  double x[kMaxComp + 1];
  double P, t, slope;  // slope: d ln sum(x K) / d(1/T) at t, NaN when unknown
  double lnK[kMaxComp + 1], dLnK[kMaxComp + 1];
  double anchorX[kMaxComp + 1], anchorLnK[kMaxComp + 1];
  double anchorT, anchorP;
};

struct Memory {
  int32_t eos = -1;
  int nc = -1;
  double tc[kMaxComp + 1], pc[kMaxComp + 1], omega[kMaxComp + 1], k[kMaxComp + 1][kMaxComp + 1];
  Remembered entries[kRemembered];
  int count = 0, next = 0;
  int last = -1;                 // the entry of the last call's answer
  double kLeft[kMaxComp + 1];    // the K-values it left in Case.K_Value
};

Memory& memory() {
  static Memory m;
  return m;
}

// True when the remembered entries belong to this mixture; otherwise forgets
// them and takes the mixture as its own.
bool sameMixture(Memory& m, int32_t eos) {
  const int nc = Case.NC;
  bool same = m.eos == eos && m.nc == nc;
  for (int i = 1; same && i <= nc; ++i) {
    same = m.tc[i] == Case.Comp_Tc[i] && m.pc[i] == Case.Comp_Pc[i] && m.omega[i] == Case.Comp_Omega[i];
    for (int j = 1; same && j <= nc; ++j) same = m.k[i][j] == kij(i, j);
  }
  if (same) return true;
  m.eos = eos, m.nc = nc, m.count = 0, m.next = 0, m.last = -1;
  for (int i = 1; i <= nc; ++i) {
    m.tc[i] = Case.Comp_Tc[i], m.pc[i] = Case.Comp_Pc[i], m.omega[i] = Case.Comp_Omega[i];
    for (int j = 1; j <= nc; ++j) m.k[i][j] = kij(i, j);
  }
  return false;
}

double liquidApart(const double a[], const double b[]) {
  double apart = 0.0;
  for (int i = 1; i <= Case.NC; ++i) apart = std::fmax(apart, std::fabs(a[i] - b[i]));
  return apart;
}

// The entry of this liquid's own stage: the nearest earlier answer at the same
// pressure within kNearLiquid; -1 when there is none.
int nearestEntry(const Memory& m, double P, const double x[]) {
  int best = -1;
  double bestApart = kNearLiquid;
  for (int e = 0; e < m.count; ++e) {
    const Remembered& r = m.entries[e];
    if (!(std::fabs(std::log(P / r.P)) <= kStableLnP)) continue;
    double apart = 0.0;
    for (int i = 1; i <= Case.NC && apart <= bestApart; ++i) apart = std::fmax(apart, std::fabs(x[i] - r.x[i]));
    if (apart <= bestApart) best = e, bestApart = apart;
  }
  return best;
}

// The K-values in Case.K_Value are the ones the last call left.
bool kValuesLeft(const Memory& m) {
  if (m.last < 0) return false;
  for (int i = 1; i <= Case.NC; ++i)
    if (Case.K_Value[i] != m.kLeft[i]) return false;
  return true;
}

// No need of the tangent-plane test: the stage's liquid was found stable at a
// temperature, pressure, liquid and vapour this close to the answer's.
bool stableBefore(const Remembered& r, double P, const double x[], const TempPoint& p) {
  if (!(std::fabs(p.t - r.anchorT) <= kStableT) || !(std::fabs(std::log(P / r.anchorP)) <= kStableLnP))
    return false;
  if (!(liquidApart(x, r.anchorX) <= kStableLiquid)) return false;
  for (int i = 1; i <= Case.NC; ++i)
    if (x[i] > 0.0 && !(std::fabs(p.lnK[i] - r.anchorLnK[i]) <= kStableLnK)) return false;
  return true;
}

// Keeps the answer in entry e (the stage's own, or a new one when e < 0). tested:
// the liquid was just found stable, else it was taken as stable from the
// entry's anchor.
void remember(Memory& m, int e, double P, const double x[], const TempPoint& p, double slope, const double dLnK[],
              bool tested) {
  const int nc = Case.NC;
  if (e < 0) {
    e = m.next;
    m.next = (m.next + 1) % kRemembered;
    if (m.count < kRemembered) ++m.count;
  }
  Remembered& r = m.entries[e];
  r.P = P, r.t = p.t, r.slope = slope;
  for (int i = 1; i <= nc; ++i) {
    r.x[i] = x[i];
    r.lnK[i] = p.lnK[i];
    r.dLnK[i] = dLnK ? dLnK[i] : 0.0;
  }
  if (tested) {
    r.anchorT = p.t, r.anchorP = P;
    for (int i = 1; i <= nc; ++i) r.anchorX[i] = x[i], r.anchorLnK[i] = p.lnK[i];
  }
  m.last = e;
  for (int i = 1; i <= nc; ++i) m.kLeft[i] = Case.K_Value[i];
}

// The stage's entry (e >= 0) no longer starts a call, nor do the K-values left.
void forget(Memory& m, int e) {
  if (e >= 0) m.entries[e].P = NAN;  // matches no pressure
  m.last = -1;
}

// Newton in 1/T on ln sum(x K), each step at most a quarter of 1/T and kept
// inside a bracket once the sign has changed; a step into one phase goes back
// half way until the vapour is distinct again. The vapour of each temperature is
// settled to a hundredth of ln sum x K only (tight at the root), starting from
// the last one carried along d ln K / d(1/T). The first slope is the chord of
// newtonSlope (or the remembered one of this liquid's stage), every later one the
// secant through the last two temperatures, with its d ln K. guess: an earlier
// answer to start the vapour from (and, with useSlope, the slope). Succeeds on a
// bubble point at which the liquid starts to boil on heating (ln sum x K rises
// through 0); a falling root, a jump between vapour branches or a lost vapour
// leaves it to the scan. slopeOut, dLnKOut: the last slope and d ln K.
// thorough: no guess, the chord at every temperature and every vapour settled
// to 1e-7 at least: slower, but a chord that reaches far can step over a
// maximum of ln sum x K that the secants stay beside.
bool localBubble(Search& s, double t0, double tColdC, double tHotC, const Remembered* guess, bool useSlope,
                 bool thorough, TempPoint& answer, double& slopeOut, double dLnKOut[]) {
  const int nc = Case.NC;
  const double rel = thorough ? 0.0 : kRel;
  double tol = thorough ? kThoroughTol : kLocalRootTol;
  const double start = std::fmin(std::fmax(t0, tColdC), tHotC);
  double slope = NAN, dLnK[kMaxComp + 1], warm[kMaxComp + 1];
  for (int i = 1; i <= nc; ++i) dLnK[i] = 0.0;
  const double* first = nullptr;
  if (guess) {
    const double du = reciprocal(start) - reciprocal(guess->t);
    if (std::fabs(du) <= kGuessReach * reciprocal(guess->t)) {
      const bool carried = std::isfinite(guess->slope);
      for (int i = 1; i <= nc; ++i) warm[i] = guess->lnK[i] + (carried ? guess->dLnK[i] * du : 0.0);
      first = warm;
      if (useSlope && carried && guess->slope < 0.0) {
        slope = guess->slope;
        for (int i = 1; i <= nc; ++i) dLnK[i] = guess->dLnK[i];
      }
    }
  }
  TempPoint p = s.at(start, first, tol, rel);
  if (!p.valid) slope = NAN;
  // A start where the liquid has no distinct vapour. Near the mixture's critical
  // region the vapour exists only in a window of a few kelvin about the bubble
  // point: hotter and colder by steps that double from 0.1 % of T first. Far off
  // (a gas above its critical temperature, or beyond the critical region): the
  // ideal estimate, and colder from there until the vapour is distinct.
  for (int k = 0; k < 2 * kNearSteps && !p.valid; ++k) {
    const double factor = kNearStep * (1 << (k / 2));
    const double near = (start + kKelvinOffset) * (k % 2 == 0 ? 1.0 + factor : 1.0 - factor) - kKelvinOffset;
    if (near > tHotC || near < tColdC) continue;
    p = s.at(near, nullptr, tol, rel);
  }
  if (!p.valid) p = s.at(idealBubbleC(s.P, s.x, tColdC, tHotC), nullptr, tol, rel);
  for (int k = 0; k < kColderSteps && !p.valid; ++k) {
    const double colder = (p.t + kKelvinOffset) * kColderFactor - kKelvinOffset;
    if (colder < tColdC) break;
    p = s.at(colder, nullptr, tol, rel);
  }
  if (!p.valid) return false;
  const double uLow = reciprocal(tHotC), uHigh = reciprocal(tColdC);
  bool havePos = false, haveNeg = false, havePrev = false;
  double uPos = 0, uNeg = 0;
  TempPoint prev;
  for (int n = 0; n < kLocalSteps; ++n) {
    if (std::fabs(p.g) <= kRootTol && (p.settledTo > kLocalRootTol || tol > kLocalRootTol)) {
      tol = kLocalRootTol;
      // Close enough to judge only with the vapour settled to the root's tolerance.
      p = s.at(p.t, p.lnK, kLocalRootTol);
      if (!p.valid) return false;
    }
    const double u = reciprocal(p.t);
    if (havePrev && !thorough) {
      // The secant through the last two temperatures, and how the vapour moved.
      const double du = u - reciprocal(prev.t);
      const double secant = (p.g - prev.g) / du;
      if (std::isfinite(secant) && secant < 0.0) {
        slope = secant;
        for (int i = 1; i <= nc; ++i) dLnK[i] = s.x[i] > 0.0 ? (p.lnK[i] - prev.lnK[i]) / du : 0.0;
      } else {
        slope = NAN;
      }
    }
    if (std::fabs(p.g) <= kRootTol) {
      if (!std::isfinite(slope)) slope = newtonSlope(s.eos, s.P, s.x, p, dLnK);
      answer = p;
      slopeOut = slope;
      for (int i = 1; i <= nc; ++i) dLnKOut[i] = dLnK[i];
      return slope < 0.0;  // ln sum x K rises with T
    }
    if (!std::isfinite(slope) || thorough) slope = newtonSlope(s.eos, s.P, s.x, p, dLnK);
    if (p.g > 0.0) havePos = true, uPos = u;
    else haveNeg = true, uNeg = u;
    if (!(std::isfinite(slope) && slope != 0.0)) return false;
    double next = u - p.g / slope;
    next = std::fmin(std::fmax(next, u / kLocalMaxRatio), u * kLocalMaxRatio);
    if (havePos && haveNeg) {
      const double lo = std::fmin(uPos, uNeg), hi = std::fmax(uPos, uNeg);
      if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
      if (hi - lo < 1e-12 * hi) return false;  // closed on a jump, not a root
    }
    next = std::fmin(std::fmax(next, uLow), uHigh);
    if (next == u) return false;
    // Newton squares the residual: below 1e-3 the next point is the root.
    if (thorough) tol = std::fabs(p.g) < 1e-3 ? kLocalRootTol : std::fmin(kThoroughTol, 1e-2 * p.g * p.g);
    for (int i = 1; i <= nc; ++i) warm[i] = p.lnK[i] + dLnK[i] * (next - u);
    TempPoint q = s.at(1.0 / next - kKelvinOffset, warm, tol, rel);
    for (int k = 0; k < kBackSteps && !q.valid; ++k) {
      next = 0.5 * (u + next);
      q = s.at(1.0 / next - kKelvinOffset, p.lnK, tol, rel);
    }
    if (!q.valid) return false;
    prev = p;
    havePrev = true;
    p = q;
  }
  return false;
}

}  // namespace

std::string Eos_Constants_Problem() {
  if (!thermo::IsEosMethod() || thermo::CountOutside()) return "";
  for (int i = 1; i <= Case.NC; ++i) {
    const char* japanese = nullptr;
    const char* english = nullptr;
    if (!(std::isfinite(Case.Comp_Tc[i]) && Case.Comp_Tc[i] > 0.0)) {
      japanese = "臨界温度 Tc";
      english = "critical temperature Tc";
    } else if (!(std::isfinite(Case.Comp_Pc[i]) && Case.Comp_Pc[i] > 0.0)) {
      japanese = "臨界圧力 Pc";
      english = "critical pressure Pc";
    } else if (!std::isfinite(Case.Comp_Omega[i])) {
      japanese = "偏心因子";
      english = "acentric factor";
    } else {
      continue;
    }
    const std::string name = Case.Comp_Name[i].empty() ? std::to_string(i) : Case.Comp_Name[i];
    if (Case.Language == 1)
      return "Component " + name + " has no " + english +
             ": the SRK and Peng-Robinson equations need the critical temperature, critical pressure and "
             "acentric factor of every component. Nothing is calculated.";
    return "成分 " + name + " の" + japanese +
           "がありません。S-R-K / P-R の式には全成分の臨界温度、臨界圧力、偏心因子が必要です。計算しません。";
  }
  return "";
}

bool Eos_K_Method() { return thermo::IsEosMethod(); }

const char* Eos_Refused_Text() { return thermo::kRefusedMessage; }

double T_Bubble_srk(const int32_t& eos, const double& t, const double& P, const double x[],
                    ThermoOutcome* outcome) {
  ThermoOutcome local;
  ThermoOutcome& out = outcome ? *outcome : local;
  out = ThermoOutcome{};
  if (thermo::InputRefused(nullptr, &P, out)) return t;
  double tColdC = 0, tHotC = 0;
  if (!(thermo::CompSum(x) > 0.0) || !scanRange(x, tColdC, tHotC)) {
    out.status = ThermoStatus::NothingToDo;
    return t;
  }
  Search s;
  s.eos = eos, s.P = P, s.x = x;
  // The vapour to start from: this liquid's stage's own last answer, else the
  // K-values the call before left (the stage before in a sweep), else the
  // correlation's.
  Memory& m = memory();
  const bool known = sameMixture(m, eos);
  const int own = known ? nearestEntry(m, P, x) : -1;
  const Remembered* guess = own >= 0 ? &m.entries[own] : known && kValuesLeft(m) ? &m.entries[m.last] : nullptr;
  // From the start first; the whole-range scan only when that finds no bubble
  // point at which the liquid boils on heating, or finds the liquid unstable
  // there. The tangent-plane test is spared where the stage's liquid was found
  // stable next to the answer.
  TempPoint near;
  double slope = NAN, dLnK[kMaxComp + 1];
  // The quick local solve (from what was remembered) stands only where the test
  // spares it or confirms its vapour as the vapour-like one. Otherwise the
  // thorough solve from the correlation's K-values, whose answer stands when the
  // liquid is found stable; the whole-range scan last.
  for (int attempt = 0; attempt < 2; ++attempt) {
    const bool thorough = attempt == 1;
    if (!localBubble(s, t, tColdC, tHotC, thorough ? nullptr : guess, own >= 0, thorough, near, slope, dLnK))
      continue;
    const bool skip = !thorough && own >= 0 && stableBefore(m.entries[own], P, x, near);
    bool confirmed = false;
    const bool unstable = !skip && liquidUnstable(eos, P, x, near, confirmed);
    if (unstable && thorough) break;
    if (unstable || !(skip || confirmed || thorough)) continue;
    out.iterations = s.evaluations;
    double sum = 0.0;
    for (int i = 1; i <= Case.NC; ++i) {
      Case.K_Value[i] = std::exp(near.lnK[i]);
      sum += x[i] * Case.K_Value[i];
    }
    out.residual = std::fabs(1.0 - sum);
    // Only an answer whose vapour the test confirmed starts later calls: a
    // start on another branch (a second liquid) would lead them along it.
    if (skip || confirmed) remember(m, own, P, x, near, slope, dLnK, !skip);
    else forget(m, own);
    return near.t;
  }
  forget(m, own);
  scan(s, tColdC, tHotC);
  out.iterations = s.evaluations;
  // The lowest bubble point at which the liquid starts to boil on heating;
  // without one, the lowest where gas coming out of solution redissolves: a
  // vapour lighter than the liquid, which is stable there. A root where ln sum
  // x K falls with T and the incipient phase is denser, or the liquid would
  // rather form another vapour, is a second liquid or the dew point of a liquid
  // that is itself a gas: no bubble point.
  const Root* chosen = nullptr;
  int found = 0;
  for (int r = 0; r < s.rootCount; ++r) {
    const Root& root = s.roots[r];
    bool reached = false;
    if (!root.rising && !(lighter(root.point) && !liquidUnstable(eos, P, x, root.point, reached))) continue;
    ++found;
    if (!chosen || (root.rising && !chosen->rising)) chosen = &root;
  }
  if (chosen) {
    double sum = 0.0;
    for (int i = 1; i <= Case.NC; ++i) {
      Case.K_Value[i] = std::exp(chosen->point.lnK[i]);
      sum += x[i] * Case.K_Value[i];
    }
    out.residual = std::fabs(1.0 - sum);
    if (found > 1)
      message("T_Bubble_srk: この圧力では沸点が二つ以上あります。加熱して液が沸き始める最も低い温度を返します。",
              "T_Bubble_srk: the liquid has more than one bubble point at this pressure; the lowest temperature "
              "at which it starts to boil on heating is returned.");
    return chosen->point.t;
  }
  if (s.failedBracket || s.sawNotFinite) {
    // A change of sign that could not be polished: the last temperature, not converged.
    Calc_Message(kSrkMessage);
    out.status = s.failedBracket ? ThermoStatus::Stalled : ThermoStatus::NotFinite;
    if (s.failedBracket) {
      double sum = 0.0;
      for (int i = 1; i <= Case.NC; ++i) {
        Case.K_Value[i] = std::exp(s.failedBest.lnK[i]);
        sum += x[i] * Case.K_Value[i];
      }
      out.residual = std::fabs(1.0 - sum);
      return s.failedBest.t;
    }
    K_Initial_Riedel(t, P);
    return t;
  }
  message("T_Bubble_srk: この圧力では液の沸点がありません（液と蒸気の二相になりません）。",
          "T_Bubble_srk: the liquid has no bubble point at this pressure (it does not split into liquid and "
          "vapour).");
  out.status = ThermoStatus::NoSolution;
  K_Initial_Riedel(t, P);
  return t;
}
