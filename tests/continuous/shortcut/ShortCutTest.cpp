// The shortcut design against an independent solution of Example-1
// (tools/shortcut/shortcut_reference.py: scipy root finders, Fenske written as
// d/b ratios), and what it does with inputs the equations have no value for.
#include <gtest/gtest.h>

#include <cmath>

#include "continuous/DistDefaults.h"
#include "continuous/shortcut/ShortCut.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace {

class ShortCutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Case_Data();
    Dist_Example1_set();
    ShortCut_Feed_set();
    for (int i = 1; i <= Case.NC; ++i) Case.SC_Z[i] = Case.SC_Feed_Comp_Flow[i] / Case.SC_Feed_Total;
  }
  // 760 mmHg, bubble-point feed.
  ShortCutResult Design() {
    CalcMessageScope scope;
    return ShortCut_Design(Unit_Press_In(760.0), false, 0);
  }
  CalcMessageRecorder recorder;
};

TEST_F(ShortCutTest, MoleFractionSpecificationMatchesTheIndependentDesign) {
  const ShortCutResult r = Design();
  ASSERT_TRUE(r.done);
  EXPECT_TRUE(r.splitConverged);
  EXPECT_TRUE(recorder.Messages().empty());
  // shortcut_reference.py: bubble T 85.0671035861, alpha 6.5159301574 2.2088466885 1 2.9755566073.
  EXPECT_NEAR(r.T, 85.0671035861, 2e-3);
  EXPECT_NEAR(Case.K_Value[1], 6.5159301574, 2e-4);
  EXPECT_NEAR(Case.K_Value[2], 2.2088466885, 1e-4);
  EXPECT_DOUBLE_EQ(Case.K_Value[3], 1.0);
  EXPECT_NEAR(Case.K_Value[4], 2.9755566073, 1e-4);
  EXPECT_DOUBLE_EQ(r.VF, 0.0);
  // D/F 0.2109783501, Smin 3.6273097076, SminF 1.3076191625, theta 2.1628010678, Rmin 1.2396212714.
  EXPECT_NEAR(r.DF, 0.2109783501, 5e-5);
  EXPECT_NEAR(r.BF, 1 - r.DF, 1e-15);
  EXPECT_NEAR(r.Smin, 3.6273097076, 2e-3);
  EXPECT_NEAR(r.SminF, 1.3076191625, 1e-3);
  EXPECT_NEAR(r.theta, 2.1628010678, 1e-4);
  EXPECT_NEAR(r.Rmin, 1.2396212714, 1e-3);
  // The key targets are met: heavy key in the top, light key in the bottom.
  EXPECT_NEAR(r.xD[3], 0.35, 1e-4);
  EXPECT_NEAR(r.xB[2], 0.005, 1e-4);
  const double xD[] = {0, 0.5665932703, 0.0313060167, 0.35, 0.052100713};
  const double xB[] = {0, 0.001788397924, 0.005, 0.9903879818, 0.002823594935};
  double sumD = 0, sumB = 0;
  for (int i = 1; i <= 4; ++i) {
    EXPECT_NEAR(r.xD[i], xD[i], 2e-4) << i;
    EXPECT_NEAR(r.xB[i], xB[i], 2e-5) << i;
    sumD += r.xD[i];
    sumB += r.xB[i];
    EXPECT_NEAR(Case.SC_D[i] + Case.SC_B[i], Case.SC_Z[i], 1e-15);
  }
  EXPECT_NEAR(sumD, 1.0, 1e-12);
  // B/F is 1 - D/F while the feed fractions sum to 0.99999998.
  EXPECT_NEAR(sumB, 1.0, 3e-8);
}

TEST_F(ShortCutTest, RecoverySpecificationAndPartialCondenserGilliland) {
  Case.SC_Calc_Type = 1;
  const ShortCutResult r = Design();
  ASSERT_TRUE(r.done);
  // shortcut_reference.py: D/F 0.2300091093, Smin 7.6836232141, SminF 1.0737360741, Rmin 1.8336189586.
  EXPECT_NEAR(r.DF, 0.2300091093, 2e-5);
  EXPECT_NEAR(r.Smin, 7.6836232141, 2e-3);
  EXPECT_NEAR(r.SminF, 1.0737360741, 1e-3);
  EXPECT_NEAR(r.Rmin, 1.8336189586, 1e-3);
  // Recoveries are met exactly by the Fenske split.
  EXPECT_NEAR(Case.SC_D[2] / Case.SC_Z[2], 0.98, 1e-12);
  EXPECT_NEAR(Case.SC_D[3] / Case.SC_Z[3], 0.1, 1e-12);

  // Reference Gilliland points with the reference Smin, SminF, Rmin (partial condenser).
  const GillilandCurve g = Gilliland_Curve(7.6836232141, 1.0737360741, 1.8336189586, 1);
  ASSERT_TRUE(g.drawable);
  EXPECT_NEAR(g.R[1], 1.9986446648, 1e-9);
  EXPECT_NEAR(g.R[51], 5.6658825820, 1e-9);
  EXPECT_NEAR(g.N[1], 19.9860782759, 1e-8);
  EXPECT_NEAR(g.NF[1], 2.7929236802, 1e-8);
  EXPECT_NEAR(g.N[26], 10.3221344546, 1e-8);
  EXPECT_NEAR(g.NF[51], 1.2411143759, 1e-8);
  // A total condenser counts one stage more at every reflux ratio.
  const GillilandCurve total = Gilliland_Curve(7.6836232141, 1.0737360741, 1.8336189586, 0);
  for (int k = 1; k <= 51; ++k) EXPECT_NEAR(total.N[k] - g.N[k], 1.0, 1e-12);
  EXPECT_FALSE(Gilliland_Curve(3.0, 1.0, 0.0, 0).drawable);
  EXPECT_FALSE(Gilliland_Curve(3.0, 1.0, -0.5, 0).drawable);
}

// Minimum reflux at the feed's own condition against tools/shortcut/underwood_feed.py
// (bisection roots, its own flash): subcooled, saturated liquid, partly vaporised,
// saturated and superheated vapour, for both kinds of key target.
TEST_F(ShortCutTest, MinimumRefluxFollowsTheFeedCondition) {
  struct Point {
    bool tempGiven;
    double T, VF, theta, Rmin[2];  // Rmin for mole-fraction and for recovery targets
  };
  const Point points[] = {
      {true, 70.0, 0.0, 2.2087230996, {1.1654672299, 1.7268876366}},
      {false, 0, 0.0, 2.1628010678, {1.2396212912, 1.8336189586}},
      {true, 90.0, 0.2318264688, 2.3531107158, {1.6465416200, 2.4244036582}},
      {true, 93.0, 0.4418285883, 2.4513019158, {2.1537787835, 3.1550889706}},
      {true, 96.34406178, 0.9999999996, 2.5490793789, {3.7082991541, 5.3904987766}},
      {true, 97.0, 1.0, 2.5464196697, {3.7107745282, 5.3941334138}},
      {true, 110.0, 1.0, 2.4946899555, {3.7610339742, 5.4674298268}},
  };
  for (int type = 0; type <= 1; ++type) {
    Case.SC_Calc_Type = type;
    double previous = 0;
    for (const Point& p : points) {
      CalcMessageScope scope;
      const ShortCutResult r = ShortCut_Design(Unit_Press_In(760.0), p.tempGiven, p.T);
      SCOPED_TRACE(testing::Message() << "type " << type << " T " << p.T);
      ASSERT_TRUE(r.done);
      EXPECT_NEAR(r.VF, p.VF, 1e-6);
      EXPECT_NEAR(r.theta, p.theta, 1e-4 * p.theta);
      EXPECT_NEAR(r.Rmin, p.Rmin[type], 1e-3 * p.Rmin[type]);
      // A hotter feed needs more reflux.
      EXPECT_GT(r.Rmin, previous);
      previous = r.Rmin;
    }
  }
}

TEST_F(ShortCutTest, KeysWithoutASeparationAreRefused) {
  Case.SC_HK = Case.SC_LK;
  EXPECT_FALSE(Design().done);
  // Water as the light key against ethanol: relative volatility below 1.
  Case.SC_LK = 3;
  Case.SC_HK = 2;
  EXPECT_FALSE(Design().done);
  ASSERT_EQ(recorder.Messages().size(), 2u);
  EXPECT_EQ(recorder.Messages()[0], "低沸点限界成分と高沸点限界成分が同じです。");
  EXPECT_EQ(recorder.Messages()[1], "低沸点限界成分の比揮発度が高沸点限界成分より大きくありません。");
}

TEST_F(ShortCutTest, ASpecificationNoSplitCanMeetEndsWithAMessageNotWithNumbers) {
  // More light key in the bottom than in the feed: no distillate fraction gives
  // a light-key recovery within 0..1.
  Case.SC_LK_Spec[1] = 0.5;
  const ShortCutResult r = Design();
  EXPECT_FALSE(r.done);
  EXPECT_FALSE(r.splitConverged);
  ASSERT_EQ(recorder.Messages().size(), 2u);
  EXPECT_EQ(recorder.Messages()[0], "Top/Bottomの濃度収束計算が収束しない");
  EXPECT_EQ(recorder.Messages()[1], "ShortCut計算の結果が求まりません。限界成分の指定を確認して下さい。");
}

TEST_F(ShortCutTest, CaseCheckReportsEveryComponentWithoutConstants) {
  Case.Language = 1;
  Case.Antoine_B[1] = 0;
  Case.Antoine_C[4] = 0;
  EXPECT_TRUE(ShortCut_Check_Case());
  ASSERT_EQ(recorder.Messages().size(), 2u);
  EXPECT_EQ(recorder.Messages()[1], "No Antoine Constants, input at Main Menu 'K-Value'");
  Case.K_Method = 0;
  EXPECT_FALSE(ShortCut_Check_Case());
  EXPECT_EQ(recorder.Messages().back(), "No K-Value Method, input at Main Menu 'K-Value'");
  Case.K_Method = 4;
  EXPECT_TRUE(ShortCut_Check_Case());  // Example-1 has no critical constants
  EXPECT_EQ(recorder.Messages().size(), 3u + 4u);
  Case.NC = 0;
  EXPECT_FALSE(ShortCut_Check_Case());
}

}  // namespace
