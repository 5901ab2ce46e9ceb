#include <gtest/gtest.h>

#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "core/thermo/ThermoFixtures.h"

namespace {

using Model = void (*)(const double[]);

// A four-component liquid with asymmetric Wilson and NRTL parameters.
void loadFourComponents() {
  Reset_Case_Data();
  Case.NC = 4;
  Case.NRTL_Alpha = 0.3;
  const double lambda[5][5] = {
      {0}, {0, 1, 0.35, 1.2, 0.8}, {0, 0.9, 1, 0.25, 1.6}, {0, 0.4, 1.1, 1, 0.7}, {0, 1.3, 0.6, 0.95, 1}};
  const double tau[5][5] = {
      {0}, {0, 0, 1.2, -0.3, 0.5}, {0, 0.8, 0, 2.1, -0.2}, {0, 0.1, 0.9, 0, 1.4}, {0, -0.4, 0.3, 0.6, 0}};
  for (int i = 1; i <= 4; ++i)
    for (int j = 1; j <= 4; ++j) {
      Case.Wilson_Lambda[i][j] = lambda[i][j];
      Case.NRTL_Tau[i][j] = tau[i][j];
    }
}

TEST(ActivityTest, BinaryWilsonMatchesTheClosedForm) {
  Reset_Case_Data();
  Case.NC = 2;
  const double l12 = 0.42, l21 = 1.37;
  Case.Wilson_Lambda[1][1] = Case.Wilson_Lambda[2][2] = 1;
  Case.Wilson_Lambda[1][2] = l12;
  Case.Wilson_Lambda[2][1] = l21;
  for (double x1 : {0.02, 0.3, 0.5, 0.81, 0.999}) {
    const double x2 = 1 - x1;
    const double x[] = {0, x1, x2};
    ActivityCoeff_Wilson(x);
    const double d1 = x1 + l12 * x2, d2 = x2 + l21 * x1;
    const double lng1 = -std::log(d1) + x2 * (l12 / d1 - l21 / d2);
    const double lng2 = -std::log(d2) - x1 * (l12 / d1 - l21 / d2);
    EXPECT_NEAR(std::log(Case.Gamma[1]), lng1, 1e-13) << x1;
    EXPECT_NEAR(std::log(Case.Gamma[2]), lng2, 1e-13) << x1;
  }
}

TEST(ActivityTest, BinaryNrtlMatchesTheClosedForm) {
  Reset_Case_Data();
  Case.NC = 2;
  Case.NRTL_Alpha = 0.3;
  const double t12 = 1.9, t21 = -0.35;
  Case.NRTL_Tau[1][2] = t12;
  Case.NRTL_Tau[2][1] = t21;
  const double g12 = std::exp(-0.3 * t12), g21 = std::exp(-0.3 * t21);
  for (double x1 : {0.02, 0.3, 0.5, 0.81, 0.999}) {
    const double x2 = 1 - x1;
    const double x[] = {0, x1, x2};
    ActivityCoeff_NRTL(x);
    const double lng1 = x2 * x2 * (t21 * std::pow(g21 / (x1 + x2 * g21), 2) + t12 * g12 / std::pow(x2 + x1 * g12, 2));
    const double lng2 = x1 * x1 * (t12 * std::pow(g12 / (x2 + x1 * g12), 2) + t21 * g21 / std::pow(x1 + x2 * g21, 2));
    EXPECT_NEAR(std::log(Case.Gamma[1]), lng1, 1e-13) << x1;
    EXPECT_NEAR(std::log(Case.Gamma[2]), lng2, 1e-13) << x1;
  }
}

class ActivityModelTest : public ::testing::TestWithParam<Model> {
 protected:
  void SetUp() override { loadFourComponents(); }
  double lnGamma(const double x[], int i) {
    GetParam()(x);
    return std::log(Case.Gamma[i]);
  }
};

// Gibbs-Duhem: sum x(i) d ln Gamma(i) = 0 along any change of composition that keeps sum x = 1.
TEST_P(ActivityModelTest, GibbsDuhemHolds) {
  const double x0[] = {0, 0.1, 0.35, 0.2, 0.35};
  const double h = 1e-6;
  for (int k = 1; k <= 4; ++k)
    for (int m = 1; m <= 4; ++m) {
      if (k == m) continue;
      double up[5], down[5];
      for (int i = 0; i <= 4; ++i) up[i] = down[i] = x0[i];
      up[k] += h, up[m] -= h, down[k] -= h, down[m] += h;
      double sum = 0;
      for (int i = 1; i <= 4; ++i) sum += x0[i] * (lnGamma(up, i) - lnGamma(down, i)) / (2 * h);
      EXPECT_NEAR(sum, 0.0, 1e-7) << k << "," << m;
    }
}

TEST_P(ActivityModelTest, PureComponentIsIdealAndSlotsAboveNcUntouched) {
  Case.Gamma[5] = 123.0;
  for (int i = 1; i <= 4; ++i) {
    double x[6] = {0, 0, 0, 0, 0, 99.0};  // x(5) lies above NC: never read
    x[i] = 1.0;
    GetParam()(x);
    EXPECT_NEAR(Case.Gamma[i], 1.0, 1e-14) << i;
  }
  EXPECT_EQ(Case.Gamma[5], 123.0);
}

TEST_P(ActivityModelTest, DefaultParametersGiveIdealLiquid) {
  Reset_Case_Data();
  Case.NC = 4;
  for (int i = 1; i <= 4; ++i)
    for (int j = 1; j <= 4; ++j) Case.Wilson_Lambda[i][j] = 1;
  const double x[] = {0, 0.1, 0.2, 0.3, 0.4};
  GetParam()(x);
  for (int i = 1; i <= 4; ++i) EXPECT_NEAR(Case.Gamma[i], 1.0, 1e-14);
}

INSTANTIATE_TEST_SUITE_P(Models, ActivityModelTest,
                         ::testing::Values(&ActivityCoeff_Wilson, &ActivityCoeff_NRTL));

TEST(ActivityTest, WilsonWithNonPositiveSumFallsBackToIdealAndSaysSo) {
  loadFourComponents();
  Case.Wilson_Lambda[2][1] = -5.0;  // S(2) = -5 x(1) + x(2) + ... < 0
  const double x[] = {0, 0.7, 0.1, 0.1, 0.1};
  CalcMessageRecorder recorder;
  ActivityCoeff_Wilson(x);
  ASSERT_EQ(recorder.Messages().size(), 1u);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(Case.Gamma[i], 1.0);
}

TEST(ActivityTest, SelectionFollowsTheKValueModel) {
  loadFourComponents();
  const double x[] = {0, 0.1, 0.35, 0.2, 0.35};
  Case.K_Method = 3;
  ActivityCoeff_Select(x);
  const double nrtl = Case.Gamma[2];
  Case.K_Method = 2;
  ActivityCoeff_Select(x);
  EXPECT_NE(Case.Gamma[2], nrtl);
  Case.K_Method = 1;
  ActivityCoeff_Select(x);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(Case.Gamma[i], 1.0);
}

}  // namespace
