// Objective functions of the binary parameter fit and the Marquardt (damped
// Gauss-Newton) least-squares fit of the Wilson pair (Lambda12, Lambda21) or the
// NRTL pair (tau12, tau21, alpha held), after Marquardt (1963), with a
// finite-difference Jacobian and a Householder factorisation of the damped problem.
#pragma once

#include <functional>
#include <limits>
#include <string>

namespace vlefit {

// Residual count of objective `objType` for `nData` points: N for 1 and 3, 2N otherwise.
int Residual_Count(int objType, int nData);

// What one objective evaluation met.
struct ObjectOutcome {
  int bubbleFailures = 0;  // bubble-point searches that did not converge (objectives 4 and 5)
};

// Sum of squared residuals of VLE.VLE_Obj_Type (1..5) at the pair in force; fills
// VLE.VLE_Residual(1..m). Objectives 4 and 5 compute the vapour composition at each
// point: at constant pressure by T_Bubble at VLE_Press from VLE_T_Calc(i) (which
// takes each converged bubble temperature), at constant temperature by P_Bubble at
// VLE_Temp. Another objective code computes nothing and returns 0.
double Object(ObjectOutcome* outcome = nullptr);

// Puts a candidate pair in force: NRTL tau12, tau21 for an even VLE_Calc_Type,
// Wilson Lambda12, Lambda21 for an odd one.
void Set_Parameter(double p1, double p2);

// How a fit ended.
enum class FitStatus {
  Converged,     // a minimum: the normal equations hold at the accepted pair and the
                 // objective rises in every direction (its full curvature, the
                 // residuals' second-order term included, is positive, or a step
                 // along a direction of vanishing curvature finds no lower value);
                 // where the two Jacobian columns are nearly parallel (Lambda near
                 // 1, tau near 0), the objective also rises along the direction
                 // they barely tell apart at every length tried
  AtBound,       // a minimum with one parameter held on a bound of its range (a
                 // value within rounding of a bound is on it): the objective falls
                 // toward the bound, the other parameter's normal equation holds
                 // and the objective rises along it
  Stalled,       // damping shrank the step below 1e-6 * max(1, |p1|, |p2|) without a
                 // lower objective, while the normal equations do not hold, and
                 // no step by the objective's own curvature lowers it; or they
                 // hold where the curvature is negative and no step along it
                 // lowers the objective
  CallLimit,     // more than 800 m objective calls
  RetryLimit,    // more than 200 damped retries in one iteration
  DampingLimit,  // the damping grew past 1e6 ("Marquardt Too Big V")
  Refused,       // no objective chosen or unusable data: nothing was fitted
  NotFinite,     // the objective has no finite value at the start pair
  Singular,      // the residuals do not depend on the pair (zero or non-finite Jacobian)
  NoSensitivity, // the residuals stopped depending measurably on one parameter
                 // (its sensitivity vanished below the residuals' precision)
};

// True for the exits at a minimum (Converged, AtBound).
inline bool At_Minimum(FitStatus s) { return s == FitStatus::Converged || s == FitStatus::AtBound; }

struct FitResult {
  FitStatus status = FitStatus::Refused;
  int iterations = 0;       // iterations started
  int calls = 0;            // objective evaluations
  double objective = 0;     // sum of squares at the pair left in force
  double p1 = 0, p2 = 0;    // the pair left in force (the best accepted one)
  int bubbleFailures = 0;   // bubble-point searches that did not converge during the fit
  // How far the normal equations are from holding at the last Jacobian: the
  // largest cosine between the residual vector and a free Jacobian column
  // (0 when they hold exactly, 1 at most).
  double gradient = 1;
  int boundParameter = 0;   // 1 or 2: the parameter held on a bound (AtBound) or
                            // without sensitivity (NoSensitivity)
  bool boundUpper = false;  // AtBound: held on the upper bound of its range
};

// One accepted step of a fit, for a progress display.
struct FitProgress {
  int iteration = 0;
  int calls = 0;
  double objective = 0;  // sum of squares of the accepted pair
  double p1 = 0, p2 = 0;
  double damping = 0;    // Marquardt damping V after the step
};

// Limits of the Marquardt engine; the program always uses these defaults.
struct MarquardtLimits {
  int maxRetries = 200;         // damped retries per iteration (strictly more ends the fit)
  int callsPerResidual = 800;   // objective calls per residual (strictly more ends the fit)
  double dampingLimit = 1e6;    // damping V (strictly greater ends the fit)
};

// The range of a fitted Wilson Lambda = V_j/V_i exp(-a/RT): positive, and a fit
// whose objective keeps falling toward 0 stops at the lower end. Above 1e3 the
// volume ratio and interaction energy would be far beyond any liquid pair.
constexpr double kWilsonLambdaMin = 1e-10;
constexpr double kWilsonLambdaMax = 1e3;

// The range |tau| <= NRTL_Tau_Limit(alpha) of a fitted NRTL tau: at most 50, and
// at most 12 / |alpha|, beyond which exp(-alpha tau) is below 6e-6 (or above
// 1.6e5) and the coefficients stop depending on tau.
double NRTL_Tau_Limit(double alpha);

// A least-squares problem in two parameters with m residuals. `evaluate` fills
// r[1..m] at (p1, p2) and returns their sum of squares; it clears `usable` when the
// evaluation must not be taken as a step (a bubble point that did not converge).
// `lower` and `upper` bound each parameter (no bounds by default).
struct LeastSquaresProblem {
  int m = 0;
  std::function<double(double p1, double p2, double* r, bool& usable)> evaluate;
  double lower[2] = {-1e308, -1e308};
  double upper[2] = {1e308, 1e308};
  // A value just inside each lower bound: a parameter on the bound is held there
  // only when the objective is lower on the bound than here (where the
  // sensitivities vanish at the bound, its Jacobian column cannot tell); NaN: the
  // Jacobian decides.
  double insideLower[2] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
  double step[2] = {0, 0};  // difference steps; 0: 0.001 * max(|p|, 1)
  // The largest difference step tried when a column is lost in the residuals'
  // noise (0: no larger step than `step`).
  double maxStep[2] = {0, 0};
  double residualNoise = 0;  // norm of the possible errors of the residual vector (0: rounding only)
  // The state evaluations hand on to the next one (where a search starts), kept
  // and put back around the evaluations that must not steer the fit (see
  // FitObjective.h for which); none by default.
  std::function<void()> saveState, restoreState;
};

// Marquardt's damped Gauss-Newton fit of `problem` from (p1, p2): forward (later
// central) differences of step 0.001 * max(|p|, 1) or the problem's own, the
// damped problem factored by Householder reflections and re-solved by Cholesky
// when a step is damped further; candidates are kept at or above the lower
// bounds (a candidate within rounding of a bound is put on it). Converged (or
// AtBound) only when the normal equations hold at an accepted pair by central
// differences and the objective's curvature over the free parameters shows a
// minimum: where it is negative or cannot be told from zero, steps along it are
// tried and a lower point continues the fit; where a Newton step with the full
// curvature would still lower the objective by more than 1e-8 of it, that step
// and its halves down to 1/64 are tried too. Where the two columns are nearly
// parallel and their orthogonal parts do not satisfy the normal equations, the
// objective is also probed along the direction they barely tell apart, each
// probe corrected across it. A fit whose damped steps shrink to nothing takes
// the same steps by the curvature before it ends Stalled. Columns are taken
// again over shorter steps where the residuals bend within a step, and
// centrally over the room left beside a bound. Every exit leaves the best
// accepted pair as the result, and the last evaluation is at it. The loop is
// in MarquardtFit.cpp, its pieces in MarquardtSteps.h.
FitResult Marquardt_Fit(const LeastSquaresProblem& problem, double p1, double p2,
                        const MarquardtLimits& limits = {},
                        const std::function<void(const FitProgress&)>& onAccepted = {});

// Residuals of objective `objType` that can move independently of each other for
// the stored points: points sharing an x1 count once, and a point gives two only
// under objective 2 (the two vapour fractions of objectives 4 and 5 sum to 1).
int Independent_Residuals(int objType, int nData);

// The message that explains how fit `r` ended, in the user's language; empty for
// Converged and for the exits that show their own message.
std::string Fit_Status_Message(const FitResult& r);

// The refusal of a Wilson pair that is not positive, in the user's language.
std::string Wilson_Positive_Message();

// Checks that the stored case can be fitted: an objective 1..5, 1..50 points, finite
// values, temperatures above absolute zero, mole fractions strictly between 0 and 1,
// positive pressures, for objectives 1 to 3 measured activity coefficients that are
// positive and finite, and at least two independent residuals for the two
// parameters. Empty when it can; else the message.
std::string Check_Fit_Data();

// Fits the pair of VLE_Calc_Type's model from the pair in force to the measured
// points with objective VLE_Obj_Type, and leaves the best accepted pair in force,
// with VLE_Residual and VLE_T_Calc of that pair. A Wilson pair is fitted as
// ln Lambda within kWilsonLambdaMin..kWilsonLambdaMax, an NRTL pair within
// |tau| <= NRTL_Tau_Limit(alpha); a start outside is taken from the nearest
// bound. Refuses (with a message) a case that Check_Fit_Data refuses and
// a Wilson start that is not positive. Messages go through Calc_Message, each at
// most once per fit: every exit but Converged is explained (a fit that is not at a
// minimum says how far its normal equations are off); bubble points that did not
// converge are reported once at the end.
FitResult Marquardt(const std::function<void(const FitProgress&)>& onAccepted = {});

}  // namespace vlefit
