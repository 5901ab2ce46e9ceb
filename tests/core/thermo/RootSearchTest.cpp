#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "core/thermo/Thermo.h"

namespace {

// The caller's memory of one search, driven the way the library's callers drive it.
struct Search {
  int32_t state = 1, calls = 0;
  double x, xLow, xHigh, dx = 0.5, tol = 1e-5;
  double xPos = 0, fPos = 0, xNeg = 0, fNeg = 0, xPrev = 0, fPrev = 0;
  Search(double x0, double lo, double hi) : x(x0), xLow(lo), xHigh(hi) {}
  void step(double f) { Root_Search(state, calls, x, f, xLow, xHigh, dx, tol, xPos, fPos, xNeg, fNeg, xPrev, fPrev); }
  void run(const std::function<double(double)>& fn) {
    for (int n = 0; state < 4 && n < 1000; ++n) step(fn(x));
  }
};

TEST(RootSearchTest, StartStates) {
  Search s(2.0, 0.0, 10.0);
  s.step(1e-6);  // already within tol
  EXPECT_EQ(s.state, 4);
  EXPECT_EQ(s.x, 2.0);
  Search outside(12.0, 0.0, 10.0);  // moved to the midpoint, still starting
  outside.step(5.0);
  EXPECT_EQ(outside.state, 1);
  EXPECT_EQ(outside.x, 5.0);
  Search nearTop(9.8, 0.0, 10.0);  // the first step would cross xHigh: the other way
  nearTop.step(1.0);
  EXPECT_EQ(nearTop.state, 2);
  EXPECT_DOUBLE_EQ(nearTop.x, 9.3);
}

TEST(RootSearchTest, SearchingBracketedAndConverged) {
  Search s(1.0, 0.0, 10.0);
  bool bracketed = false;
  s.run([&](double x) {
    bracketed |= s.state == 3;
    return (x - 4.0) * (1.0 + 0.01 * x);
  });
  EXPECT_EQ(s.state, 4);
  EXPECT_NEAR(s.x, 4.0, 1e-4);
  EXPECT_TRUE(bracketed);
}

TEST(RootSearchTest, StalledAndCallLimitStates) {
  // The secant keeps the best point of the other sign: on a convex function the
  // steps shrink below 1e-5 of the range before |f| reaches tol.
  Search convex(1.0, 0.0, 10.0);
  convex.run([](double x) { return std::exp(0.3 * x) - 2.5; });
  EXPECT_EQ(convex.state, 6);
  EXPECT_NEAR(convex.x, std::log(2.5) / 0.3, 1e-3);
  Search flat(5.0, 0.0, 10.0);  // two successive equal values
  flat.run([](double) { return 1.0; });
  EXPECT_EQ(flat.state, 6);
  Search noRoot(5.0, 0.0, 10.0);  // pushes against the bound it already sits on
  noRoot.run([](double x) { return x + 100.0; });
  EXPECT_EQ(noRoot.state, 6);
  EXPECT_EQ(noRoot.x, 0.0);
  Search wandering(5.0, 0.0, 10.0);  // positive everywhere, never flat: 51 steps
  wandering.run([](double x) { return 1.2 + std::sin(7.0 * x); });
  EXPECT_EQ(wandering.state, 5);
  EXPECT_EQ(wandering.calls, 51);
}

TEST(RootSearchTest, NotFiniteValueStopsAtTheBestPoint) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  Search s(1.0, 0.0, 10.0);
  s.step(-2.0);  // x = 1 -> 1.5
  s.step(-1.0);  // best negative point now 1.5
  s.step(nan);
  EXPECT_EQ(s.state, 6);
  EXPECT_EQ(s.x, 1.5);
  Search start(1.0, 0.0, 10.0);
  start.step(nan);
  EXPECT_EQ(start.state, 6);
  EXPECT_EQ(start.x, 1.0);
}

}  // namespace
