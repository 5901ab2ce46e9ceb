#include <gtest/gtest.h>

#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace {

TEST(ActivityTest, BinariesMatchTheClosedForms) {
  Reset_Case_Data();
  Case.NC = 2;
  Case.NRTL_Alpha = 0.3;
  const double l12 = 0.42, l21 = 1.37, t12 = 1.9, t21 = -0.35;
  Case.Wilson_Lambda[1][1] = Case.Wilson_Lambda[2][2] = 1;
  Case.Wilson_Lambda[1][2] = l12, Case.Wilson_Lambda[2][1] = l21;
  Case.NRTL_Tau[1][2] = t12, Case.NRTL_Tau[2][1] = t21;
  const double g12 = std::exp(-0.3 * t12), g21 = std::exp(-0.3 * t21);
  for (double x1 : {0.02, 0.3, 0.81, 0.999}) {
    const double x2 = 1 - x1, x[] = {0, x1, x2};
    ActivityCoeff_Wilson(x);
    const double d1 = x1 + l12 * x2, d2 = x2 + l21 * x1;
    EXPECT_NEAR(std::log(Case.Gamma[1]), -std::log(d1) + x2 * (l12 / d1 - l21 / d2), 1e-13);
    EXPECT_NEAR(std::log(Case.Gamma[2]), -std::log(d2) - x1 * (l12 / d1 - l21 / d2), 1e-13);
    ActivityCoeff_NRTL(x);
    EXPECT_NEAR(std::log(Case.Gamma[1]),
                x2 * x2 * (t21 * std::pow(g21 / (x1 + x2 * g21), 2) + t12 * g12 / std::pow(x2 + x1 * g12, 2)), 1e-13);
    EXPECT_NEAR(std::log(Case.Gamma[2]),
                x1 * x1 * (t12 * std::pow(g12 / (x2 + x1 * g12), 2) + t21 * g21 / std::pow(x1 + x2 * g21, 2)), 1e-13);
  }
}

// Identities every activity model must satisfy, on a four-component liquid.
class ActivityModelTest : public ::testing::TestWithParam<void (*)(const double[])> {
 protected:
  void SetUp() override {
    Reset_Case_Data();
    Case.NC = 4;
    Case.NRTL_Alpha = 0.3;
    for (int i = 1; i <= 4; ++i)
      for (int j = 1; j <= 4; ++j) {
        Case.Wilson_Lambda[i][j] = i == j ? 1.0 : 0.3 + 0.1 * ((3 * i + 5 * j) % 11);
        Case.NRTL_Tau[i][j] = i == j ? 0.0 : -0.4 + 0.2 * ((7 * i + 2 * j) % 13);
      }
  }
  double lnGamma(const double x[], int i) {
    GetParam()(x);
    return std::log(Case.Gamma[i]);
  }
};

// Gibbs-Duhem: sum x(i) d ln Gamma(i) = 0 along every change that keeps sum x = 1.
TEST_P(ActivityModelTest, GibbsDuhemHolds) {
  const double x0[] = {0, 0.1, 0.35, 0.2, 0.35}, h = 1e-6;
  for (int k = 1; k <= 4; ++k)
    for (int m = k + 1; m <= 4; ++m) {
      double up[5], down[5];
      for (int i = 0; i <= 4; ++i) up[i] = down[i] = x0[i];
      up[k] += h, up[m] -= h, down[k] -= h, down[m] += h;
      double sum = 0;
      for (int i = 1; i <= 4; ++i) sum += x0[i] * (lnGamma(up, i) - lnGamma(down, i)) / (2 * h);
      EXPECT_NEAR(sum, 0.0, 1e-7) << k << "," << m;
    }
}

TEST_P(ActivityModelTest, PureComponentIsIdealAndSlotsAboveNcAreUntouched) {
  Case.Gamma[5] = 123.0;
  for (int i = 1; i <= 4; ++i) {
    double x[6] = {0, 0, 0, 0, 0, 99.0};
    x[i] = 1.0;
    EXPECT_NEAR(lnGamma(x, i), 0.0, 1e-14) << i;
  }
  EXPECT_EQ(Case.Gamma[5], 123.0);
}

INSTANTIATE_TEST_SUITE_P(WilsonAndNrtl, ActivityModelTest, ::testing::Values(&ActivityCoeff_Wilson, &ActivityCoeff_NRTL));

TEST(ActivityTest, NonPositiveWilsonSumFallsBackToIdealWithAMessage) {
  Reset_Case_Data();
  Case.NC = 2;
  Case.Wilson_Lambda[1][1] = Case.Wilson_Lambda[2][2] = 1;
  Case.Wilson_Lambda[2][1] = -5.0;  // S(2) = -5 x(1) + x(2) < 0
  const double x[] = {0, 0.7, 0.3};
  CalcMessageRecorder recorder;
  ActivityCoeff_Wilson(x);
  EXPECT_EQ(recorder.Messages().size(), 1u);
  EXPECT_EQ(Case.Gamma[1], 1.0);
  EXPECT_EQ(Case.Gamma[2], 1.0);
}

}  // namespace
