#include <gtest/gtest.h>

#include <cmath>

#include "core/model/CalcMessages.h"
#include "vle/estimation/VLEBinary.h"
#include "vle/estimation/VLETestSupport.h"

using namespace vlefit;
using namespace vlefit::test;

namespace {

class VLEBinary : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAll();
    SetMethanolWater();
  }
};

struct GammaRow {
  double x1, g1, g2;
};

// Ethanol (1) - water (2) at 362.475 K, from the shared data's binary checks
// (/work/shared/data/binary_checks.md): coefficients computed with an independent
// Wilson / NRTL implementation (the thermo package) from the same constants. The
// table's parameters are rounded to 8 decimals, hence a relative 5e-8.
const GammaRow kWilsonEthanolWater[] = {
    {0.0, 6.33786271, 1.00000000}, {0.1, 3.21899374, 1.03295226}, {0.3, 1.68113502, 1.20288825},
    {0.5, 1.24273765, 1.46402518}, {0.7, 1.07013885, 1.82529976}, {0.9, 1.00677288, 2.31989504},
    {1.0, 1.00000000, 2.63326396}};
const GammaRow kNrtlEthanolWater[] = {
    {0.0, 5.16291890, 1.00000000}, {0.1, 3.19816153, 1.02463284}, {0.3, 1.73154547, 1.18762007},
    {0.5, 1.25067166, 1.46799473}, {0.7, 1.06766375, 1.85194164}, {0.9, 1.00601974, 2.33310840},
    {1.0, 1.00000000, 2.60792287}};

TEST_F(VLEBinary, WilsonAndNrtlMatchAnIndependentImplementation) {
  UseWilson(0.18128773, 0.86112822);
  for (const auto& row : kWilsonEthanolWater) {
    double g1 = 0, g2 = 0;
    ActivityCoeff(row.x1, g1, g2);
    EXPECT_NEAR(g1, row.g1, 5e-8 * row.g1) << "Wilson x1 = " << row.x1;
    EXPECT_NEAR(g2, row.g2, 5e-8 * row.g2) << "Wilson x1 = " << row.x1;
  }
  UseNrtl(-0.08046529, 1.72389164, 0.2937);
  for (const auto& row : kNrtlEthanolWater) {
    double g1 = 0, g2 = 0;
    ActivityCoeff(row.x1, g1, g2);
    EXPECT_NEAR(g1, row.g1, 5e-8 * row.g1) << "NRTL x1 = " << row.x1;
    EXPECT_NEAR(g2, row.g2, 5e-8 * row.g2) << "NRTL x1 = " << row.x1;
  }
}

TEST_F(VLEBinary, IdealParametersGiveUnitCoefficients) {
  for (double x1 : {0.0, 0.2, 0.5, 0.9, 1.0}) {
    double g1 = 0, g2 = 0;
    UseWilson(1, 1);
    ActivityCoeff(x1, g1, g2);
    EXPECT_DOUBLE_EQ(g1, 1);
    EXPECT_DOUBLE_EQ(g2, 1);
    UseNrtl(0, 0, 0.3);
    ActivityCoeff(x1, g1, g2);
    EXPECT_DOUBLE_EQ(g1, 1);
    EXPECT_DOUBLE_EQ(g2, 1);
  }
}

// Identities every binary model must satisfy, for both models and several pairs.
struct ModelCase {
  int calcType;
  double p1, p2;
};

class VLEBinaryIdentity : public ::testing::TestWithParam<ModelCase> {
 protected:
  void SetUp() override {
    ResetAll();
    const auto& c = GetParam();
    if (c.calcType == 1)
      UseWilson(c.p1, c.p2);
    else
      UseNrtl(c.p1, c.p2, 0.35);
  }
  static double LnG(double x1, int which) {
    double g1 = 0, g2 = 0;
    ActivityCoeff(x1, g1, g2);
    return std::log(which == 1 ? g1 : g2);
  }
};

TEST_P(VLEBinaryIdentity, GibbsDuhemAndPureLimits) {
  // x1 dln(g1)/dx1 + x2 dln(g2)/dx1 = 0, by central differences.
  const double h = 1e-6;
  for (double x1 : {0.1, 0.3, 0.5, 0.7, 0.9}) {
    const double d1 = (LnG(x1 + h, 1) - LnG(x1 - h, 1)) / (2 * h);
    const double d2 = (LnG(x1 + h, 2) - LnG(x1 - h, 2)) / (2 * h);
    EXPECT_NEAR(x1 * d1 + (1 - x1) * d2, 0, 1e-6) << "x1 = " << x1;
  }
  EXPECT_NEAR(LnG(1.0, 1), 0, 1e-14);
  EXPECT_NEAR(LnG(0.0, 2), 0, 1e-14);
}

INSTANTIATE_TEST_SUITE_P(Models, VLEBinaryIdentity,
                         ::testing::Values(ModelCase{1, 0.43, 0.95}, ModelCase{1, 0.02, 2.5},
                                           ModelCase{2, 0.5, 1.2}, ModelCase{2, -0.4, 3.0}));

TEST_F(VLEBinary, WilsonSumGuardAtAPureEndIsReported) {
  CalcMessageScope scope;
  CalcMessageRecorder rec;
  double g1 = 0, g2 = 0;
  // Lambda12 < 0: S1 = Lambda12 < 0 at x1 = 0.
  UseWilson(-0.5, 0.8);
  ActivityCoeff(0.0, g1, g2);
  EXPECT_EQ(g1, 0.00001);
  EXPECT_DOUBLE_EQ(g2, 1);
  // Lambda12 = 0: S1 = 0 at x1 = 0, and component 1's term in gamma2 is 0/0.
  UseWilson(0.0, 0.8);
  ActivityCoeff(0.0, g1, g2);
  EXPECT_EQ(g1, 0.00001);
  EXPECT_DOUBLE_EQ(g2, 1);
  // A coefficient on the floor is no result of the model: the user is told (once).
  ASSERT_EQ(rec.Messages().size(), 1u);
  EXPECT_EQ(rec.Messages()[0], "ActivityCoeff:G(1) Wilson 式の値がないため活量係数を 0.00001 としました");
}

TEST_F(VLEBinary, WilsonUnderflowIsReportedAndFloored) {
  CalcMessageRecorder rec;
  // S1 = 0.5 - 0.4999995 = 5e-7: x1/S1 = 1e6 drives exp() to zero.
  UseWilson(-0.999999, 1.0);
  double g1 = 0, g2 = 0;
  ActivityCoeff(0.5, g1, g2);
  EXPECT_EQ(g1, 0.00001);
  ASSERT_EQ(rec.Messages().size(), 1u);
  EXPECT_EQ(rec.Messages()[0], "ActivityCoeff:G(1) <=0");
}

// Normal boiling points from the Antoine equation solved for t
// (tools/vle_fit/reference_values.py).
TEST_F(VLEBinary, PureComponentBubblePointsOfTheExamples) {
  UseWilson(1, 1);
  VLE.VLE_Press = 760;
  BubbleOutcome out;
  EXPECT_NEAR(T_Bubble(80, 1.0, 1, 1, &out), 64.7524923684, 1e-4);
  EXPECT_EQ(out.status, BubbleStatus::Converged);
  EXPECT_NEAR(VLE.VLE_Y1_Calc, 1, 1e-6);
  EXPECT_NEAR(T_Bubble(80, 0.0, 1, 1, &out), 99.9968297367, 1e-4);
  EXPECT_NEAR(VLE.VLE_Y2_Calc, 1, 1e-6);
  Case.Antoine_A[1] = 7.60203;
  Case.Antoine_B[1] = 1285.067;
  Case.Antoine_C[1] = 189.318;
  Case.Antoine_A[2] = 8.10765;
  Case.Antoine_B[2] = 1750.286;
  Case.Antoine_C[2] = 235.0;
  EXPECT_NEAR(T_Bubble(80, 1.0, 1, 1, &out), 82.8718106384, 1e-4);
  EXPECT_NEAR(T_Bubble(80, 0.0, 1, 1, &out), 99.8652728857, 1e-4);
  EXPECT_EQ(out.status, BubbleStatus::Converged);
}

// Brent's method on the same bubble equation (tools/vle_fit/reference_values.py).
TEST_F(VLEBinary, MixtureBubbleTemperatureAndPressure) {
  UseWilson(0.43045, 0.94934);
  VLE.VLE_Press = 760;
  double g1 = 0, g2 = 0;
  ActivityCoeff(0.3, g1, g2);
  EXPECT_NEAR(g1, 1.397851311843, 1e-10);
  EXPECT_NEAR(g2, 1.093909046970, 1e-10);
  EXPECT_NEAR(T_Bubble(60, 0.3, g1, g2), 77.5474814655, 1e-4);
  EXPECT_NEAR(VLE.VLE_Y1_Calc, 0.6768721159, 1e-5);
  EXPECT_NEAR(VLE.VLE_Y1_Calc + VLE.VLE_Y2_Calc, 1, 1e-6);

  BubbleOutcome out;
  EXPECT_NEAR(P_Bubble(70, 0.3, g1, g2, &out), 568.3256840704, 1e-7);
  EXPECT_EQ(out.status, BubbleStatus::Converged);
  EXPECT_NEAR(VLE.VLE_Y1_Calc, 0.685832849943, 1e-11);
  EXPECT_NEAR(VLE.VLE_Y1_Calc + VLE.VLE_Y2_Calc, 1, 1e-15);
}

TEST_F(VLEBinary, BubbleStartAtTheSolutionReturnsItUnchanged) {
  VLE.VLE_Press = 760;
  const double t = T_Bubble(70, 1.0, 1, 1);
  BubbleOutcome out;
  VLE.VLE_Y1_Calc = -1;
  EXPECT_EQ(T_Bubble(t, 1.0, 1, 1, &out), t);
  EXPECT_EQ(out.iterations, 1);
  EXPECT_NEAR(VLE.VLE_Y1_Calc, 1, 1e-6);
}

TEST_F(VLEBinary, BubbleStepsAreLimitedTo20Degrees) {
  VLE.VLE_Press = 760;
  BubbleOutcome out;
  // 150 degrees below the boiling point of methanol: at least eight 20-degree steps.
  const double t = T_Bubble(64.75 - 150, 1.0, 1, 1, &out);
  EXPECT_EQ(out.status, BubbleStatus::Converged);
  EXPECT_NEAR(t, 64.7524923684, 1e-4);
  EXPECT_GE(out.iterations, 9);
  // From 150 degrees above it, likewise.
  T_Bubble(64.75 + 150, 1.0, 1, 1, &out);
  EXPECT_EQ(out.status, BubbleStatus::Converged);
  EXPECT_GE(out.iterations, 9);
}

TEST_F(VLEBinary, BubbleStartAtMinusCDoesNotPoisonTheSearch) {
  VLE.VLE_Press = 760;
  BubbleOutcome out;
  // t = -C of methanol: the Antoine equation has no value there.
  const double t = T_Bubble(-230.0, 1.0, 1, 1, &out);
  EXPECT_TRUE(std::isfinite(t));
  EXPECT_EQ(out.status, BubbleStatus::Converged);
  EXPECT_NEAR(t, 64.7524923684, 1e-4);
}

TEST_F(VLEBinary, UnreachablePressureEndsAtTheStepLimitWithAStatus) {
  // Far above 10^A mmHg: no temperature reaches it.
  VLE.VLE_Press = 1e12;
  BubbleOutcome out;
  const double t = T_Bubble(70, 0.5, 1, 1, &out);
  EXPECT_EQ(out.status, BubbleStatus::IterationLimit);
  EXPECT_EQ(out.iterations, 100);
  // Every Newton step asks for far more than 20 degrees and is cut to 20.
  EXPECT_EQ(t, 70 + 100 * 20.0);
}

TEST_F(VLEBinary, BubblePressureWithoutAPressureIsFlagged) {
  BubbleOutcome out;
  EXPECT_EQ(P_Bubble(70, 0.5, 0, 0, &out), 0);
  EXPECT_EQ(out.status, BubbleStatus::NotFinite);
  EXPECT_EQ(VLE.VLE_Y1_Calc, 0);
  EXPECT_EQ(VLE.VLE_Y2_Calc, 0);
  // At t = -C of both components (methanol's C made water's) there is no pressure either.
  Case.Antoine_C[1] = Case.Antoine_C[2];
  P_Bubble(-Case.Antoine_C[2], 0.5, 1, 1, &out);
  EXPECT_EQ(out.status, BubbleStatus::NotFinite);
}

}  // namespace
