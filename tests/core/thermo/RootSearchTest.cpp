#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "core/thermo/Thermo.h"

namespace {

// The caller's memory of one search, driven the way the library's callers drive it.
struct Search {
  int32_t state = 1, calls = 0;
  double x = 0, xLow = 0, xHigh = 0, dx = 0, tol = 0;
  double xPos = 0, fPos = 0, xNeg = 0, fNeg = 0, xPrev = 0, fPrev = 0;
  void step(double f) { Root_Search(state, calls, x, f, xLow, xHigh, dx, tol, xPos, fPos, xNeg, fNeg, xPrev, fPrev); }
  // Runs to a final state; returns the number of evaluations.
  int run(const std::function<double(double)>& fn) {
    int evaluations = 0;
    while (state < 4 && evaluations < 1000) {
      step(fn(x));
      ++evaluations;
    }
    return evaluations;
  }
};

Search makeSearch(double x, double lo, double hi, double dx = 0.5, double tol = 1e-5) {
  Search s;
  s.x = x, s.xLow = lo, s.xHigh = hi, s.dx = dx, s.tol = tol;
  return s;
}

TEST(RootSearchTest, StartStates) {
  Search s = makeSearch(2.0, 0.0, 10.0);
  s.step(1e-6);  // already within tol
  EXPECT_EQ(s.state, 4);
  EXPECT_EQ(s.x, 2.0);

  s = makeSearch(12.0, 0.0, 10.0);  // outside the bounds: midpoint, still starting
  s.step(5.0);
  EXPECT_EQ(s.state, 1);
  EXPECT_EQ(s.x, 5.0);

  s = makeSearch(9.8, 0.0, 10.0);  // the first step would cross xHigh: go the other way
  s.step(1.0);
  EXPECT_EQ(s.state, 2);
  EXPECT_DOUBLE_EQ(s.x, 9.3);
  EXPECT_EQ(s.fNeg, -1e30);
}

TEST(RootSearchTest, BracketsAndConverges) {
  Search s = makeSearch(1.0, 0.0, 10.0);
  int seenBracketed = 0;
  s.run([&](double x) {
    seenBracketed += s.state == 3;
    return (x - 4.0) * (1.0 + 0.01 * x);  // root at 4
  });
  EXPECT_EQ(s.state, 4);
  EXPECT_NEAR(s.x, 4.0, 1e-4);
  EXPECT_GT(seenBracketed, 0);
  EXPECT_LE(s.calls, 50);
}

TEST(RootSearchTest, SecantAgainstAStaleEndStopsOnTheSmallStepTest) {
  // The secant keeps the best point of the other sign: on a convex function the
  // steps shrink below 1e-5 of the range before |f| reaches tol.
  Search s = makeSearch(1.0, 0.0, 10.0);
  s.run([](double x) { return std::exp(0.3 * x) - 2.5; });
  EXPECT_EQ(s.state, 6);
  EXPECT_NEAR(s.x, std::log(2.5) / 0.3, 1e-3);
}

TEST(RootSearchTest, NoRootInTheBoundsEndsAtABound) {
  Search s = makeSearch(5.0, 0.0, 10.0);
  s.run([](double x) { return x + 100.0; });
  EXPECT_TRUE(s.state == 5 || s.state == 6);
  EXPECT_EQ(s.x, 0.0);

  s = makeSearch(5.0, 0.0, 10.0);
  s.run([](double x) { return 1.0 / (1.0 + x); });  // tends to 0 without reaching it
  EXPECT_TRUE(s.state == 5 || s.state == 6);
}

TEST(RootSearchTest, EqualSuccessiveValuesStall) {
  Search s = makeSearch(5.0, 0.0, 10.0);
  s.run([](double) { return 1.0; });
  EXPECT_EQ(s.state, 6);
}

TEST(RootSearchTest, CallLimit) {
  // A slowly moving secant on a function that sits just above tol: many small steps.
  Search s = makeSearch(0.0, -1e9, 1e9, 1.0, 0.0);
  s.run([](double x) { return std::atan(x) + 1.5707; });  // root near x = -10000
  ASSERT_GE(s.state, 4);
  if (s.state == 5) {
    EXPECT_GT(s.calls, 50);
  }
}

TEST(RootSearchTest, NotFiniteValueStopsAtTheBestPoint) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  Search s = makeSearch(1.0, 0.0, 10.0);
  s.step(-2.0);  // x = 1 -> 1.5
  s.step(-1.0);  // best negative point now 1.5
  EXPECT_LT(s.state, 4);
  s.step(nan);
  EXPECT_EQ(s.state, 6);
  EXPECT_EQ(s.x, 1.5);

  Search start = makeSearch(1.0, 0.0, 10.0);
  start.step(nan);
  EXPECT_EQ(start.state, 6);
  EXPECT_EQ(start.x, 1.0);
}

}  // namespace
