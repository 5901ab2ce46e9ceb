#include <gtest/gtest.h>

#include "core/model/CaseData.h"
#include "purecomp/estimation/LeastSquares.h"

using namespace physprop;

namespace {

struct Points {
  double X[kFitRows][4] = {};
  double Y[kFitRows] = {};
  double A[4] = {};
};

}  // namespace

TEST(LeastSquares, ReproducesExactQuadraticAndLine) {
  Points p;
  const double T[3] = {300, 350, 420};
  for (int k = 1; k <= 3; ++k) {
    const double t = T[k - 1];
    p.X[k][1] = 1;
    p.X[k][2] = t;
    p.X[k][3] = t * t;
    p.Y[k] = 12.5 - 0.031 * t + 4.2e-5 * t * t;
  }
  ASSERT_EQ(Least_Square(3, 3, p.X, p.Y, p.A), FitStatus::Fitted);
  EXPECT_NEAR(p.A[1], 12.5, 1e-6);
  EXPECT_NEAR(p.A[2], -0.031, 1e-8);
  EXPECT_NEAR(p.A[3], 4.2e-5, 1e-11);

  // Rows in the other order need the exchange on the largest pivot.
  Points q;
  for (int k = 1; k <= 4; ++k) {
    q.X[k][1] = k;
    q.X[k][2] = 1;
    q.Y[k] = 3 * k - 2;
  }
  ASSERT_EQ(Least_Square(2, 4, q.X, q.Y, q.A), FitStatus::Fitted);
  EXPECT_NEAR(q.A[1], 3, 1e-12);
  EXPECT_NEAR(q.A[2], -2, 1e-12);
}

TEST(LeastSquares, VanishingPivotIsReportedAndLeavesCoefficients) {
  Points p;
  p.A[1] = 7;
  EXPECT_EQ(Least_Square(3, 0, p.X, p.Y, p.A), FitStatus::PivotVanished);  // no points
  EXPECT_EQ(p.A[1], 7);
  // Two points cannot carry three coefficients.
  for (int k = 1; k <= 2; ++k) {
    p.X[k][1] = 1;
    p.X[k][2] = 300 + k;
    p.X[k][3] = (300.0 + k) * (300.0 + k);
  }
  EXPECT_EQ(Least_Square(3, 2, p.X, p.Y, p.A), FitStatus::PivotVanished);
  // Proportional regressors.
  Points q;
  for (int k = 1; k <= 5; ++k) {
    q.X[k][1] = k;
    q.X[k][2] = 2.0 * k;
    q.Y[k] = k;
  }
  EXPECT_EQ(Least_Square(2, 5, q.X, q.Y, q.A), FitStatus::PivotVanished);
  // The message ends the step, not the program, in either language.
  Case.Language = 0;
  EXPECT_EQ(Least_Square_Pivot_Message().find("終了する"), std::string::npos);
  Case.Language = 1;
  EXPECT_NE(Least_Square_Pivot_Message().find("no result"), std::string::npos);
  Case.Language = 0;
}

TEST(LeastSquares, PivotThresholdIsOneEMinusTen) {
  Points p;
  p.X[1][1] = 2e-5;  // normal entry 4e-10
  p.Y[1] = 1;
  EXPECT_EQ(Least_Square(1, 1, p.X, p.Y, p.A), FitStatus::Fitted);
  EXPECT_NEAR(p.A[1], 5e4, 1e-6);
  p.X[1][1] = 0.99e-5;  // normal entry 9.8e-11
  EXPECT_EQ(Least_Square(1, 1, p.X, p.Y, p.A), FitStatus::PivotVanished);
}
