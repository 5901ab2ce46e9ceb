// Helpers shared by the library's source files (not part of the public API).
#pragma once

#include <cmath>

#include "core/model/CaseData.h"

namespace thermo {

inline constexpr double kLn10 = 2.302585092994046;
inline constexpr double kInvLn10 = 0.434294481903252;  // 1 / ln 10, the Newton factor of base-10 Antoine
inline constexpr double kStepLimitC = 20.0;            // largest temperature step of a Newton iteration
inline constexpr int kMaxNewton = 51;                  // iterations of the bubble and dew Newton loops
inline constexpr double kTolerance = 1e-6;

const char* const kRefusedMessage = "S-R-K / P-Rの式は未だありません";

// Antoine vapour pressure of component i at t (degC), mmHg; inline for the hot loops.
inline double PsatMmHg(int i, double t) {
  return std::exp(kLn10 * (Case.Antoine_A[i] - Case.Antoine_B[i] / (t + Case.Antoine_C[i])));
}

// True when Case.NC lies outside 0..20: no routine reads or writes its arrays then.
inline bool CountOutside() { return Case.NC < 0 || Case.NC > kMaxComp; }

// Refuses, with a message in the chosen language and the status Refused, a
// component count outside 0..20, a given temperature (t, degC) that is not a
// finite number above absolute zero and a given pressure (P, MPa) that is not a
// finite number above 0; a null pointer skips that check. Nothing else is changed.
bool InputRefused(const double* t, const double* P, ThermoOutcome& out);

// True for the K-value models (SRK, Peng-Robinson) that only the bubble temperature supports.
bool IsEosMethod();
// Sets K_Value(1..NC) = 1 after a refused method.
void SetUnitK();
// Lowest temperature (degC) at which every Antoine equation of the case is defined: max of -C(i).
double AntoineFloorC();
// Sum of comp(1..NC).
double CompSum(const double comp[]);
// True when the activity-coefficient model makes Gamma depend on the composition.
bool GammaVaries();

// Successive substitution of the liquid composition at which the activity
// coefficients are taken (dew points, flash): each pass the equilibrium gives a
// new liquid F(x) from Gamma(x). The plain step x = F(x) oscillates and diverges
// for strongly negative deviations and crawls near a liquid-liquid split, so the
// step is scaled by a secant estimate of the dominant eigenvalue of F (Wegstein's
// method with one factor for all components), kept positive and bounded, and the
// liquid stays non-negative and normalised.
class LiquidSubstitution {
 public:
  // Starts at x[1..NC] (normalised by the caller).
  explicit LiquidSubstitution(const double x[]);
  // Moves toward the liquid the equilibrium gives; returns sum |F(x) - x| before the move.
  double Step(const double target[]);
  // The liquid to evaluate Gamma at next.
  const double* X() const { return x_; }

 private:
  double x_[kMaxComp + 1];
  double lastDelta_[kMaxComp + 1];
  double weight_ = 1.0;
  bool haveLast_ = false;
};

}  // namespace thermo
