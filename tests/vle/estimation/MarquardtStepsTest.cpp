// The pieces of the Marquardt fit on analytic problems whose answers are known
// in closed form: two identical Jacobian columns, a saddle, a narrow valley, a
// minimum on a bound, residuals that bend within a difference step.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "vle/estimation/FitObjective.h"
#include "vle/estimation/MarquardtSteps.h"
#include "vle/estimation/VLEFit.h"

using namespace vlefit;
using namespace vlefit::steps;

namespace {

LeastSquaresProblem Problem(int m, std::function<void(double, double, double*)> residuals) {
  LeastSquaresProblem p;
  p.m = m;
  p.evaluate = [m, residuals](double a, double b, double* r, bool& usable) {
    usable = true;
    residuals(a, b, r);
    double F = 0;
    for (int k = 1; k <= m; ++k) F += r[k] * r[k];
    return F;
  };
  return p;
}

FitPoint PointAt(FitObjective& objective, double a, double b) {
  FitPoint at;
  at.p[0] = a;
  at.p[1] = b;
  at.r.resize(objective.Residuals() + 1);
  at.F = objective.Evaluate(a, b, at.r);
  return at;
}

// r_k = a_k s + b_k d^2 - c_k with s = p1 + p2, d = p1 - p2: at d = 0 both
// columns are a_k. The data c_k come from s = 0.3, d = +-0.4, so the minima
// (F = 0) are (0.35, -0.05) and (-0.05, 0.35).
const double kA[4] = {0, 1.0, 2.0, -1.5}, kB[4] = {0, 1.0, -0.5, 2.0};
LeastSquaresProblem DegenerateAtTheDiagonal() {
  return Problem(3, [](double p1, double p2, double* r) {
    const double s = p1 + p2, d = p1 - p2;
    for (int k = 1; k <= 3; ++k) r[k] = kA[k] * (s - 0.3) + kB[k] * (d * d - 0.16);
  });
}

TEST(MarquardtSteps, IdenticalOrNearlyParallelColumnsDoNotDetermineBothParameters) {
  const int m = 3;
  const bool none[2] = {false, false};
  Columns cols;
  cols.central[0] = cols.central[1] = true;
  cols.h[0] = cols.h[1] = 1e-3;
  std::vector<double> J[2] = {{0, 1, 2, 3}, {0, 1, 2, 3}};
  std::vector<double> r = {0, 3, 0, -1};  // orthogonal to both columns
  Stationarity s = Normal_Equations(J, r, m, none, 0, cols);
  EXPECT_TRUE(s.holds);  // the columns' own cosines vanish
  EXPECT_TRUE(s.parallel);
  EXPECT_FALSE(s.determined);

  // Columns 1e-5 apart with the residuals along their difference: each
  // column's cosine is within tolerance, the orthogonal parts' are not.
  J[1] = {0, 1 + 1e-5, 2, 3 - 1e-5 / 3};
  r = {0, 1, 0, -1.0 / 3};  // r . J0 = 0
  s = Normal_Equations(J, r, m, none, 0, cols);
  EXPECT_TRUE(s.holds);
  EXPECT_TRUE(s.parallel);
  EXPECT_FALSE(s.determined);

  // Columns well apart: the columns' cosines are the whole test.
  J[1] = {0, 3, -1, 0};
  r = {0, 3, 9, -7};  // orthogonal to both
  s = Normal_Equations(J, r, m, none, 0, cols);
  EXPECT_TRUE(s.holds);
  EXPECT_FALSE(s.parallel);
  EXPECT_TRUE(s.determined);
}

TEST(MarquardtSteps, AFitFromTwoIdenticalColumnsEndsAtAMinimum) {
  const FitResult r = Marquardt_Fit(DegenerateAtTheDiagonal(), 0, 0);
  EXPECT_EQ(r.status, FitStatus::Converged);
  EXPECT_LT(r.objective, 1e-20);
  EXPECT_NEAR(r.p1 + r.p2, 0.3, 1e-9);
  EXPECT_NEAR(std::fabs(r.p1 - r.p2), 0.4, 1e-9);
}

// r = (p1, p2, 1 - p2^2): stationary at the origin with half-Hessian
// diag(1, -1); the minima are at p1 = 0, p2 = +-sqrt(1/2) with F = 3/4.
LeastSquaresProblem Saddle() {
  return Problem(3, [](double p1, double p2, double* r) {
    r[1] = p1;
    r[2] = p2;
    r[3] = 1 - p2 * p2;
  });
}

TEST(MarquardtSteps, ASaddleShowsItsNegativeCurvatureAndIsLeftAlongIt) {
  const LeastSquaresProblem problem = Saddle();
  FitObjective objective(problem);
  const FitPoint at = PointAt(objective, 0, 0);
  std::vector<double> J[2] = {std::vector<double>(4), std::vector<double>(4)};
  Stencil stencil(3);
  Columns cols;
  Differences(objective, at, true, J, stencil, cols);
  const bool none[2] = {false, false};
  const Curvature c = Measure_Curvature(objective, at, J, stencil, none, cols);
  ASSERT_TRUE(c.known);
  EXPECT_NEAR(c.lmin, -1, 1e-6);
  EXPECT_LT(c.lmin, -c.error);
  EXPECT_NEAR(std::fabs(c.v[1]), 1, 1e-9);

  FitPoint found;
  found.r.resize(4);
  EXPECT_TRUE(Probe(objective, at, c.v, {0.01, 0.1, 1}, 1e-15, found));
  EXPECT_LT(found.F, at.F);

  const FitResult r = Marquardt_Fit(problem, 0, 0);
  EXPECT_EQ(r.status, FitStatus::Converged);
  // The normal equations hold to a cosine of 1e-5: p2 to about 4e-6.
  EXPECT_NEAR(r.objective, 0.75, 1e-10);
  EXPECT_NEAR(r.p1, 0, 1e-9);
  EXPECT_NEAR(std::fabs(r.p2), std::sqrt(0.5), 1e-5);
}

TEST(MarquardtSteps, ANarrowValleyIsFollowedToItsMinimum) {
  // Rosenbrock's valley as residuals: r = (10 (p2 - p1^2), 1 - p1), minimum (1, 1).
  const LeastSquaresProblem valley = Problem(2, [](double p1, double p2, double* r) {
    r[1] = 10 * (p2 - p1 * p1);
    r[2] = 1 - p1;
  });
  const FitResult r = Marquardt_Fit(valley, -1.2, 1);
  EXPECT_EQ(r.status, FitStatus::Converged);
  EXPECT_NEAR(r.p1, 1, 1e-6);
  EXPECT_NEAR(r.p2, 1, 1e-6);

  // At the origin p1 is the soft direction: a straight probe along it rises
  // (100 t^4 outgrows the fall of 0.01 (1 - t)^2), the probe corrected across
  // the valley (p2 = t^2) falls.
  FitObjective objective(valley);
  const FitPoint at = PointAt(objective, 0, 0);
  std::vector<double> J[2] = {{0, 0, -1}, {0, 10, 0}};
  const double v[2] = {1, 0};
  FitPoint found;
  found.r.resize(3);
  EXPECT_FALSE(Probe(objective, at, v, {0.5}, 0, found));
  ASSERT_TRUE(Valley_Probe(objective, at, v, -1, J, {0.5}, 0, found));
  EXPECT_DOUBLE_EQ(found.p[0], 0.5);
  EXPECT_DOUBLE_EQ(found.p[1], 0.25);
  EXPECT_NEAR(found.F, 0.25, 1e-12);
}

TEST(MarquardtSteps, AMinimumOnABoundIsHeldExactlyOnIt) {
  // r = (p1 + 1, p2 - 2) with p1 >= 0: the minimum in the range is (0, 2).
  LeastSquaresProblem problem = Problem(2, [](double p1, double p2, double* r) {
    r[1] = p1 + 1;
    r[2] = p2 - 2;
  });
  problem.lower[0] = 0;
  problem.upper[0] = problem.upper[1] = 40;
  problem.lower[1] = -40;
  const FitResult r = Marquardt_Fit(problem, 3, -7);
  EXPECT_EQ(r.status, FitStatus::AtBound);
  EXPECT_EQ(r.boundParameter, 1);
  EXPECT_FALSE(r.boundUpper);
  EXPECT_EQ(r.p1, 0.0);
  EXPECT_NEAR(r.p2, 2, 1e-9);
  EXPECT_LE(r.gradient, 1e-5);

  // A few rounding units from a bound is on it; a measurable distance is not.
  const double justInside = 40 * (1 - 4 * std::numeric_limits<double>::epsilon());
  EXPECT_EQ(Clamp_To_Range(problem, 0, justInside), 40.0);
  EXPECT_EQ(Clamp_To_Range(problem, 1, -justInside), -40.0);
  EXPECT_EQ(Clamp_To_Range(problem, 0, 40 - 1e-9), 40 - 1e-9);
  EXPECT_EQ(Clamp_To_Range(problem, 0, 41), 40.0);
  EXPECT_EQ(Clamp_To_Range(problem, 0, -1e-300), 0.0);
}

TEST(MarquardtSteps, DifferencesResolveResidualsThatBendWithinAStep) {
  // r1 = exp(1000 p1): over the default step 1e-3 the residual bends as much as
  // it rises (a central difference 17 % off); a step ten times shorter is 0.17 %.
  LeastSquaresProblem problem = Problem(2, [](double p1, double p2, double* r) {
    r[1] = std::exp(1000 * p1);
    r[2] = p2;
  });
  FitObjective objective(problem);
  const FitPoint at = PointAt(objective, 0, 0.5);
  std::vector<double> J[2] = {std::vector<double>(3), std::vector<double>(3)};
  Stencil stencil(2);
  Columns cols;
  Differences(objective, at, true, J, stencil, cols);
  EXPECT_NEAR(cols.h[0], 1e-4, 1e-16);
  EXPECT_NEAR(J[0][1], 1000, 2);
  EXPECT_NEAR(cols.h[1], 1e-3, 1e-16);  // a linear residual keeps its step
  EXPECT_NEAR(J[1][2], 1, 1e-12);

  // Beside a bound central differences are taken over the room left.
  problem.lower[0] = -0.0004;
  Columns near;
  const FitPoint low = PointAt(objective, 0, 0.5);
  Differences(objective, low, true, J, stencil, near);
  EXPECT_TRUE(near.central[0]);
  EXPECT_LE(near.h[0], 0.0004);
}

TEST(MarquardtSteps, ALookLeavesTheProblemsStateAsItFoundIt) {
  // The state: a count of evaluations that handed it on.
  int state = 0, saved = 0;
  LeastSquaresProblem problem = Problem(1, [&state](double p1, double, double* r) {
    ++state;
    r[1] = p1;
  });
  problem.saveState = [&] { saved = state; };
  problem.restoreState = [&] { state = saved; };
  FitObjective objective(problem);
  std::vector<double> r(2);
  objective.Evaluate(1, 2, r);
  objective.Evaluate(3, 4, r);
  EXPECT_EQ(state, 2);
  EXPECT_EQ(objective.Look(5, 6, r), 25);
  EXPECT_EQ(state, 2);
  EXPECT_EQ(objective.Calls(), 3);
  EXPECT_TRUE(objective.LastAt(5, 6));
  EXPECT_FALSE(objective.LastAt(3, 4));
}

}  // namespace
