// UNIFAC activity coefficients (Fredenslund, Jones and Prausnitz 1975:
// combinatorial part with coordination number 10, residual part by group
// activity coefficients), the 201-point bubble-point curve at a given pressure
// and Wilson parameters from the activity coefficients at infinite dilution.
#pragma once

#include <string>

#include "vle/unifac/UnifacData.h"

namespace unifac {

constexpr int kMaxMixComp = 10;  // components the kernel takes (the program uses 2)

// A liquid described by its list groups at one temperature: everything that does
// not depend on the composition. Indices from 1 (components i, list groups g).
struct GroupMixture {
  int nComp = 0;
  int nGroup = 0;
  double Q[kMaxGroup + 1]{};                          // area parameter of list group g
  double nu[kMaxMixComp + 1][kMaxGroup + 1]{};        // count of group g in component i
  double nuTotal[kMaxMixComp + 1]{};                  // all groups of component i
  double r[kMaxMixComp + 1]{}, q[kMaxMixComp + 1]{}, l[kMaxMixComp + 1]{};
  double psi[kMaxGroup + 1][kMaxGroup + 1]{};         // exp(-a(M_k, M_l) / T)
  double lnGammaPure[kMaxMixComp + 1][kMaxGroup + 1]{};  // ln Gamma_k in pure component i
};

// Group mole fractions X, area fractions theta and ln Gamma_k of the liquid x
// (x[1..nComp]); the three outputs have room for kMaxGroup + 1 values.
void Group_Residual(const GroupMixture& mix, const double* x, double* X, double* theta,
                    double* lnGamma);

// Whether a temperature could be set: every main-group pair of the list has a
// registered a(m, n), and the temperature lies in the suite's range.
struct TemperatureCheck {
  bool ok = true;
  int mainM = 0, mainN = 0;  // the first pair without a(m, n), 0 when none
  double tempK = 0;          // the temperature asked for, K
  std::string Message() const;  // "相互作用ﾊﾟﾗﾒｰﾀ a m, nが登録されていません。" or the temperature's range refusal
};

// psi(k, l) at temperature T (K) from a(m, n) in K, and the pure-component
// references ln Gamma_k(i) at that temperature. Refuses, leaving `mix` as it
// was, a pair of the list whose a(m, n) is not registered (below -9000) and a
// temperature outside the suite's range (above 0 K, at most 10000 degC): such a pair gives no coefficient at all,
// not the 1e-10 or 1e-29 that exp(9999 / T) would make of it.
TemperatureCheck Set_Temperature(GroupMixture& mix, const double a[kMaxMain + 1][kMaxMain + 1],
                                 const int mainOf[kMaxGroup + 1], double tempK);

// Combinatorial and residual ln gamma and gamma of the liquid x (x[1..nComp]);
// the group values of that liquid also go to X, theta and lnGroup when given.
void Activity(const GroupMixture& mix, const double* x, double* lnGammaC, double* lnGammaR,
              double* gamma, double* X = nullptr, double* theta = nullptr,
              double* lnGroup = nullptr);

// The binary of the estimate (list, counts, r, q, l of `data`) at the entered
// temperature `data.Init_Temp`; also fills `data.UNIFAC_Psi` and
// `data.UNIFAC_Group_LnGamma_Pure`. When the temperature is refused (`check`
// says why) neither is changed.
GroupMixture Binary_Mixture(UnifacData& data, TemperatureCheck* check = nullptr);

// Antoine vapour pressures of components 1 and 2 (Case's constants) at t (deg C)
// into UNIFAC_Psat, mmHg.
void Vapor_Pressure(UnifacData& data, double tempC);

// X, theta and ln Gamma of every list group for the liquid UNIFAC_Liq_X, from
// UNIFAC_Psi (the work variables of `data`, set by Binary_Mixture).
void Group_Residual(UnifacData& data);

// gamma of components 1 and 2 of the liquid UNIFAC_Liq_X (after Binary_Mixture),
// y into UNIFAC_Vap_Y with the current UNIFAC_Psat; returns the bubble pressure
// sum gamma x Psat, mmHg.
double Activity_Coefficient(UnifacData& data);

// How an iteration ended.
enum class IterStatus {
  Converged,
  IterationLimit,  // no convergence within the bound
  ZeroDerivative,  // the Newton step cannot be formed
  NotFinite,       // the function left the real numbers (temperature near -C)
};

constexpr int kMaxBubbleIter = 100;
constexpr double kMaxBubbleStepC = 20.0;  // largest temperature step, deg C

struct BubbleResult {
  double tempC = 0;     // the last temperature reached (the bubble point when converged)
  IterStatus status = IterStatus::Converged;
  int iterations = 0;
  double residual = 0;  // P - sum gamma x Psat at tempC, mmHg
};

// Bubble temperature at P (mmHg) of the liquid x[1..nComp] with fixed gamma,
// Antoine constants A, B, C [1..nComp] (mmHg, deg C): Newton from t0 with a
// forward difference of 0.01 deg C, |f| < 1e-6 mmHg, steps of at most 20 deg C.
BubbleResult Bubble_Temperature(int nComp, const double* x, const double* gamma, const double* A,
                                const double* B, const double* C, double pressMmHg, double t0C);

struct CurveResult {
  bool refused = false;     // the temperature was refused: no point was computed
  int failedPoints = 0;     // points whose bubble temperature did not converge
  int firstFailed = 0;      // the first of them (0 when none)
  IterStatus firstStatus = IterStatus::Converged;
  bool Ok() const { return failedPoints == 0; }
};

// The 201 points of the curve (x1 = (n - 1) / 200): gamma and y1 at the entered
// temperature, the bubble temperature at the entered pressure; sets
// Scale_T_Max / Scale_T_Min to the range of the converged bubble temperatures.
// Points that do not converge keep their last temperature and are reported once
// through Calc_Message ("UNIFAC T_Bubble No-Convergence"). A refused temperature
// (a missing group pair) is reported and computes nothing.
CurveResult Calc_VLE_Curve(UnifacData& data);

struct WilsonResult {
  double Lambda12 = 1;  // Wilson Lambda12: ln gamma1(inf) = 1 - ln Lambda12 - Lambda21
  double Lambda21 = 1;  // Wilson Lambda21: ln gamma2(inf) = 1 - ln Lambda21 - Lambda12
  IterStatus status = IterStatus::Converged;
  int iterations = 0;
};

constexpr int kMaxWilsonIter = 100;

// The Wilson pair that reproduces two activity coefficients at infinite
// dilution: Newton on ln L + exp(h1 - L) - h2 = 0 (h = 1 - ln gamma inf) from
// 0.001 or exp(h2), kept on the positive axis, until a step is below 1e-5; a
// nearly ideal pair (h1 and h2 within 1e-4 of 1, their sum within 1e-4 of 2)
// gives L = 1. Lambda21 = L and Lambda12 = h2 - ln L. NotFinite when a gamma is
// not a positive number.
WilsonResult Wilson_From_Infinite_Dilution(double gamma1Inf, double gamma2Inf);

// Wilson parameters of the curve in `data` (gamma1 at point 1, gamma2 at point
// 201); an iteration that fails is reported through Calc_Message
// ("UNIFAC Wilson Parameter No-Convergence").
WilsonResult Wilson_From_Curve(const UnifacData& data);

}  // namespace unifac
