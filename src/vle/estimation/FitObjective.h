// The objective of a two-parameter least-squares fit as the fit sees it: one
// object evaluates the problem and owns what an evaluation carries.
#pragma once

#include <vector>

#include "vle/estimation/VLEFit.h"

namespace vlefit {

// Evaluates a LeastSquaresProblem and keeps, for one fit:
// - the number of evaluations (the call limit counts them);
// - the last point evaluated, and whether that evaluation was usable (a bubble
//   point that did not converge makes it unusable);
// - the problem's state that one evaluation hands on to the next (for the VLE
//   objectives 4 and 5 at constant pressure the bubble-point start temperatures,
//   VLE_T_Calc), through the problem's saveState / restoreState.
// Which evaluations may move that state: every Evaluate hands it on (the
// candidates, the differences, the probes, the moves onto and off a bound, the
// polish and the full-curvature steps: each starts its searches from the last
// converged temperatures, near where the fit stands); a Look leaves it as it
// found it (the curvature measurement's extra points, beside the differences,
// never steer the fit). Either way a bubble point converges to 1e-11 from any
// start, so the state moves the path of a fit by rounding only.
class FitObjective {
 public:
  explicit FitObjective(const LeastSquaresProblem& problem);

  const LeastSquaresProblem& Problem() const { return problem_; }
  int Residuals() const { return problem_.m; }

  // Residuals at (a, b) into r[1..m] (r holds m + 1 values); returns their sum
  // of squares. The state it leaves is handed on.
  double Evaluate(double a, double b, std::vector<double>& r);
  // The same, leaving the problem's state as it was.
  double Look(double a, double b, std::vector<double>& r);

  // The problem did not mark the last evaluation unusable (for the VLE
  // objectives: its bubble points converged). Its value may still be non-finite.
  bool Usable() const { return usable_; }
  int Calls() const { return calls_; }
  // The last evaluation was at exactly (a, b).
  bool LastAt(double a, double b) const { return calls_ > 0 && last_[0] == a && last_[1] == b; }

 private:
  const LeastSquaresProblem& problem_;
  int calls_ = 0;
  bool usable_ = true;
  double last_[2] = {0, 0};
};

}  // namespace vlefit
