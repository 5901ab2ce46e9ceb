#include "vle/estimation/FitObjective.h"

namespace vlefit {

FitObjective::FitObjective(const LeastSquaresProblem& problem) : problem_(problem) {}

double FitObjective::Evaluate(double a, double b, std::vector<double>& r) {
  ++calls_;
  last_[0] = a;
  last_[1] = b;
  usable_ = true;
  return problem_.evaluate(a, b, r.data(), usable_);
}

double FitObjective::Look(double a, double b, std::vector<double>& r) {
  if (problem_.saveState) problem_.saveState();
  const double F = Evaluate(a, b, r);
  if (problem_.restoreState) problem_.restoreState();
  return F;
}

}  // namespace vlefit
