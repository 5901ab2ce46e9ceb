// Activity coefficients and bubble points of the two-component liquid of the
// estimation case. Temperatures in degrees Celsius, pressures in mmHg; the
// parameter pair and the Antoine constants of components 1 and 2 come from Case,
// the model from VLE.VLE_Calc_Type (odd Wilson, even NRTL).
#pragma once

namespace vlefit {

// How a bubble-point call ended.
enum class BubbleStatus {
  Converged,       // |1 - y1 - y2| < 1e-6 (T_Bubble), or a positive finite pressure (P_Bubble)
  IterationLimit,  // 100 Newton steps without convergence; the last temperature was returned
  NotFinite,       // the vapour fractions or the pressure came out non-finite or not positive
};

struct BubbleOutcome {
  BubbleStatus status = BubbleStatus::Converged;
  int iterations = 0;  // vapour-pressure evaluations of T_Bubble
};

// Antoine vapour pressure of component i (1 or 2) at t (degC), mmHg:
// 10^(A - B / (t + C)); 0 at t = -C, where the equation has no value.
double Antoine_Psat_mmHg(int i, double t);

// Activity coefficients at x1 by Wilson (1964) for an odd VLE_Calc_Type or by
// Renon and Prausnitz (1968) NRTL for an even one. A Wilson coefficient whose sum
// is not positive (or whose terms have no value), or one that underflows, is
// reported and set to 1e-5.
void ActivityCoeff(double x1, double& gamma1, double& gamma2);

// Bubble temperature (degC) at VLE.VLE_Press by Newton's method from the start t,
// at most 100 steps of at most 20 degrees, until |1 - y1 - y2| < tolerance; the
// activity coefficients are held. Leaves y1, y2 in VLE.VLE_Y1_Calc, VLE.VLE_Y2_Calc.
double T_Bubble(double t, double x1, double gamma1, double gamma2, BubbleOutcome* outcome = nullptr,
                double tolerance = 1e-6);

// Bubble pressure (mmHg) at t (degC); leaves y1, y2 in VLE.VLE_Y1_Calc, VLE.VLE_Y2_Calc
// (both 0 when the pressure is not positive and finite).
double P_Bubble(double t, double x1, double gamma1, double gamma2, BubbleOutcome* outcome = nullptr);

}  // namespace vlefit
