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

// Alkanes with ideal K-values and top recoveries as key targets, checked against
// tools/shortcut/underwood_between_keys.py (regula falsi roots, exact-fraction
// elimination of the Underwood equations).
class UnderwoodBetweenKeysTest : public ::testing::Test {
 protected:
  struct Alkane {
    const char* name;
    double A, B, C;
  };
  void SetCase(std::initializer_list<Alkane> comps, std::initializer_list<double> z, int lk, int hk, double rLK,
               double rHK) {
    Reset_Case_Data();
    Case.K_Method = 1;
    int i = 0;
    for (const Alkane& a : comps) {
      ++i;
      Case.Comp_Name[i] = a.name;
      Case.Antoine_A[i] = a.A;
      Case.Antoine_B[i] = a.B;
      Case.Antoine_C[i] = a.C;
    }
    Case.NC = i;
    i = 0;
    for (double v : z) Case.SC_Z[++i] = v;
    Case.SC_LK = lk;
    Case.SC_HK = hk;
    Case.SC_Calc_Type = 1;
    Case.SC_LK_Spec[2] = rLK;
    Case.SC_HK_Spec[2] = rHK;
  }
  ShortCutResult Design(double mmHg, double T) {
    CalcMessageScope scope;
    return ShortCut_Design(mmHg / kMmHgPerMPa, true, T);
  }
  static constexpr Alkane kC5{"N-pentane", 6.97356638, 1132.336, 240.589};
  static constexpr Alkane kC6{"N-hexane", 6.8849703, 1177.71978, 225.236};
  static constexpr Alkane kC7{"N-heptane", 6.99310963, 1322.07926, 223.001};
  static constexpr Alkane kC8{"N-octane", 6.9557603, 1371.41511, 210.994};
  static constexpr Alkane kC9{"N-nonane", 7.04392208, 1499.35827, 209.382};
  CalcMessageRecorder recorder;
};

TEST_F(UnderwoodBetweenKeysTest, OneAndTwoComponentsBetweenTheKeysDistribute) {
  // n-hexane between n-pentane and n-heptane: one root per interval (a single
  // root bracketed between the keys gave Rmin -0.0783 at theta 4.4015).
  SetCase({kC5, kC6, kC7, kC8}, {0.2, 0.3, 0.3, 0.2}, 1, 3, 0.98, 0.02);
  ShortCutResult r = Design(787.08, 70.48);
  ASSERT_TRUE(r.done);
  EXPECT_NEAR(r.VF, 0.0001177378, 1e-8);
  EXPECT_NEAR(r.Smin, 3.9998334908, 1e-8);
  EXPECT_NEAR(r.theta, 1.3725929921, 1e-8);
  EXPECT_NEAR(r.Rmin, 0.4188118827, 1e-7);
  const double q = 1 - r.VF;
  UnderwoodResult u = Underwood_Min_Reflux(4, Case.K_Value, Case.SC_Z, Case.SC_D, q, 1, 3);
  ASSERT_EQ(u.roots, 2);
  EXPECT_NEAR(u.theta[2], 4.4016315596, 1e-8);
  EXPECT_NEAR(u.d[2], 0.0838751797, 1e-8);
  EXPECT_NEAR(u.D, 0.2859732472, 1e-8);
  // The keys and the component outside them keep the Fenske split.
  EXPECT_DOUBLE_EQ(u.d[1], Case.SC_D[1]);
  EXPECT_DOUBLE_EQ(u.d[4], Case.SC_D[4]);

  // n-hexane and n-heptane between n-pentane and n-octane, feed 71 % vapour.
  SetCase({kC5, kC6, kC7, kC8}, {0.25, 0.25, 0.25, 0.25}, 1, 4, 0.99, 0.01);
  r = Design(760, 90);
  ASSERT_TRUE(r.done);
  EXPECT_NEAR(r.VF, 0.7101928456, 1e-7);
  EXPECT_NEAR(r.Rmin, 0.4787055667, 1e-6);
  u = Underwood_Min_Reflux(4, Case.K_Value, Case.SC_Z, Case.SC_D, 1 - r.VF, 1, 4);
  ASSERT_EQ(u.roots, 3);
  const double theta[] = {0, 1.4471582673, 3.9115208861, 10.8128773251};
  for (int k = 1; k <= 3; ++k) EXPECT_NEAR(u.theta[k], theta[k], 1e-7 * theta[k]) << k;
  EXPECT_NEAR(u.d[2], 0.1957557731, 1e-7);
  EXPECT_NEAR(u.d[3], 0.1101316019, 1e-7);

  // Two between the keys and one outside on each side, subcooled feed.
  SetCase({kC5, kC6, kC7, kC8, kC9}, {0.1, 0.25, 0.3, 0.25, 0.1}, 2, 5, 0.995, 0.005);
  r = Design(1500, 20);
  ASSERT_TRUE(r.done);
  EXPECT_DOUBLE_EQ(r.VF, 0.0);
  EXPECT_NEAR(r.Rmin, 0.0400086256, 1e-7);
  u = Underwood_Min_Reflux(5, Case.K_Value, Case.SC_Z, Case.SC_D, 1, 2, 5);
  EXPECT_NEAR(u.d[3], 0.0719684022, 1e-8);
  EXPECT_NEAR(u.d[4], 0.0139603900, 1e-8);
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(UnderwoodBetweenKeysTest, ComponentsOfOneVolatilityShareOnePoleAndANegativeMinimumIsRefused) {
  // Two components of the same volatility between the keys are one pole: the
  // answer is that of one component with their summed feed, split by feed.
  const double alpha[] = {0, 4, 2, 2, 1}, z2[] = {0, 0.3, 0.1, 0.2, 0.4}, one[] = {0, 4, 2, 1};
  const double zOne[] = {0, 0.3, 0.3, 0.4}, d2[] = {0, 0.29, 0.05, 0.1, 0.01}, dOne[] = {0, 0.29, 0.15, 0.01};
  const UnderwoodResult pair = Underwood_Min_Reflux(4, alpha, z2, d2, 1, 1, 4);
  const UnderwoodResult single = Underwood_Min_Reflux(3, one, zOne, dOne, 1, 1, 3);
  ASSERT_TRUE(pair.done && single.done);
  EXPECT_EQ(pair.roots, 2);
  EXPECT_NEAR(pair.Rmin, single.Rmin, 1e-12);
  EXPECT_NEAR(pair.d[2] + pair.d[3], single.d[2], 1e-12);
  EXPECT_NEAR(pair.d[3], 2 * pair.d[2], 1e-12);

  // A sloppy split (99.9 % / 30 % recoveries): Underwood's minimum reflux is
  // -0.186, no design to base a reflux on.
  SetCase({kC5, kC6, kC7, kC8}, {0.3, 0.05, 0.4, 0.25}, 1, 3, 0.999, 0.3);
  Case.Language = 1;
  EXPECT_FALSE(Design(760, 70).done);
  ASSERT_EQ(recorder.Messages().size(), 1u);
  EXPECT_EQ(recorder.Messages()[0], "Minimum Reflux Ratio is negative, check the Light Key/Heavy Key data");
}

}  // namespace
