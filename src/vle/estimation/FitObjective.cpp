#include "vle/estimation/FitObjective.h"

namespace vlefit {

FitObjective::FitObjective(const LeastSquaresProblem& problem) : problem_(problem) {
  if (problem_.saveState) problem_.saveState();
}

double FitObjective::Evaluate(double a, double b, std::vector<double>& r) {
  ++calls_;
  last_[0] = a;
  last_[1] = b;
  usable_ = true;
  return problem_.evaluate(a, b, r.data(), usable_);
}

void FitObjective::Accept() {
  if (problem_.saveState) problem_.saveState();
}

}  // namespace vlefit
