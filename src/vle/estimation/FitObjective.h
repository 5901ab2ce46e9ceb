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
// Every evaluation hands its state on to the next; Accept() keeps a copy of
// the state as the fit's point left it (see Marquardt_Fit for the evaluations
// that put it back).
class FitObjective {
 public:
  explicit FitObjective(const LeastSquaresProblem& problem);

  const LeastSquaresProblem& Problem() const { return problem_; }
  int Residuals() const { return problem_.m; }

  // Residuals at (a, b) into r[1..m] (r holds m + 1 values); returns their sum
  // of squares.
  double Evaluate(double a, double b, std::vector<double>& r);
  // The state the last evaluation left becomes the accepted point's.
  void Accept();

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
