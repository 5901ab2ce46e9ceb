// Initial and Continue starts and the initial flow, temperature and pressure profiles.
#include <gtest/gtest.h>

#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "ColumnFixture.h"

namespace {

class DistInitialProfileTest : public ColumnFixture {
 protected:
  // Two components; one feed of 100 at V/F 0.5 on `stage`; reflux ratio 2, distillate 50; mmHg.
  static void SimpleColumn(int nt, int stage) {
    Dist_Initial_set();
    Case.NC = 2;
    Case.NT = nt;
    Case.N_Feed = 1;
    Case.Feed_Stage[1] = stage;
    Case.Feed_Flow[1] = 100;
    Case.Feed_VF[1] = 0.5;
    Case.Feed_Z[1][1] = 0.4;
    Case.Feed_Z[2][1] = 0.6;
    Case.Reflux_Ratio = 2;
    Case.Top_Liq_Prod = 50;
    Case.P_Unit = 3;
    Case.Tray_Press[1] = Case.P_Top = 760;
    Case.Tray_Press[nt] = Case.P_Bottom = 780;
  }

  // Total material balance of every stage under the laid flows, kmol/h.
  static void ExpectStageBalancesClose() {
    const CaseData& c = Case;
    double feed[kMaxTray + 1]{}, draw[kMaxTray + 1]{};
    for (int f = 1; f <= c.N_Feed; ++f) feed[c.Feed_Stage[f]] += c.Feed_Flow[f];
    for (int k = 1; k <= c.N_LiqSC; ++k) draw[c.LiqSC_Stage[k]] += c.LiqSC_Flow[k];
    for (int k = 1; k <= c.N_VapSC; ++k) draw[c.VapSC_Stage[k]] += c.VapSC_Flow[k];
    draw[1] += c.Top_Liq_Prod;
    for (int j = 1; j <= c.NT; ++j) {
      const double in = feed[j] + (j > 1 ? c.Tray_L[j - 1] : 0) + (j < c.NT ? c.Tray_V[j + 1] : 0);
      EXPECT_NEAR(in, c.Tray_L[j] + c.Tray_V[j] + draw[j], 1e-9) << "stage " << j;
    }
  }
};

TEST_F(DistInitialProfileTest, ConstantMolalOverflowAroundAFeed) {
  SimpleColumn(10, 5);
  Initial_Profile_set();
  const double L[] = {0, 100, 100, 100, 100, 150, 150, 150, 150, 150, 50};
  const double V[] = {0, 0, 150, 150, 150, 150, 100, 100, 100, 100, 100};
  for (int j = 1; j <= 10; ++j) {
    EXPECT_EQ(Case.Tray_L[j], L[j]) << j;
    EXPECT_EQ(Case.Tray_V[j], V[j]) << j;
  }
  // Without a condenser the vapour product leaves stage 1 and rises from stage 2.
  Case.Reflux_Ratio = 0;
  Case.Top_Liq_Prod = 0;
  Case.Top_Vap_Prod = 40;
  Initial_Profile_set();
  EXPECT_EQ(Case.Tray_L[1], 0);
  EXPECT_EQ(Case.Tray_V[1], 40);
  EXPECT_EQ(Case.Tray_V[2], 40);
}

TEST_F(DistInitialProfileTest, EveryFeedAndSideCutOfAStageCounts) {
  // Two feeds on one stage, side cuts on the top, an inner and the bottom stage:
  // every stage's total balance must close with the flows laid.
  for (bool condenser : {true, false}) {
    SCOPED_TRACE(condenser ? "condenser" : "no condenser");
    SimpleColumn(12, 6);
    if (!condenser) {
      Case.Reflux_Ratio = Case.Top_Liq_Prod = 0;
      Case.Top_Vap_Prod = 60;
    }
    Case.N_Feed = 3;
    Case.Feed_Stage[2] = 6;
    Case.Feed_Flow[2] = 40;
    Case.Feed_VF[2] = 1.0;
    Case.Feed_Stage[3] = 9;
    Case.Feed_Flow[3] = 30;
    Case.Feed_VF[3] = 0.2;
    Case.N_LiqSC = 3;
    Case.LiqSC_Stage[1] = 1;
    Case.LiqSC_Flow[1] = 5;
    Case.LiqSC_Stage[2] = Case.LiqSC_Stage[3] = 7;
    Case.LiqSC_Flow[2] = 4;
    Case.LiqSC_Flow[3] = 3;
    Case.N_VapSC = 2;
    Case.VapSC_Stage[1] = 12;
    Case.VapSC_Flow[1] = 6;
    Case.VapSC_Stage[2] = 3;
    Case.VapSC_Flow[2] = 2;
    Initial_Profile_set();
    EXPECT_EQ(Case.Bottom_Flow, 170 - 50 * condenser - 60 * !condenser - 20);
    ExpectStageBalancesClose();
  }
}

TEST_F(DistInitialProfileTest, TemperaturesAndPressuresRunStraightBetweenSetValues) {
  SimpleColumn(11, 5);
  Case.T_Top_Est = 70;
  Case.T_Bottom_Est = 95;
  Initial_Profile_set();
  for (int j = 1; j <= 11; ++j) {
    EXPECT_DOUBLE_EQ(Case.Tray_T[j], 70 + 2.5 * (j - 1)) << j;
    EXPECT_DOUBLE_EQ(Case.Tray_P[j], (760 + 2 * (j - 1)) * (101325.0 / 760.0 * 1e-6)) << j;
  }
  Case.P_Bottom = Case.Tray_Press[11] = 800;
  Case.Tray_Press[6] = 770;
  Initial_Profile_set();
  const double mmHg[] = {0, 760, 762, 764, 766, 768, 770, 776, 782, 788, 794, 800};
  for (int j = 1; j <= 11; ++j) EXPECT_NEAR(Case.Tray_P[j], mmHg[j] * (101325.0 / 760.0 * 1e-6), 1e-15) << j;
}

TEST_F(DistInitialProfileTest, InitialStartTakesTheFlowWeightedMeanFeed) {
  SimpleColumn(6, 3);
  Case.N_Feed = 2;
  Case.Feed_Stage[2] = 4;
  Case.Feed_Flow[2] = 300;
  Case.Feed_Z[1][2] = 0.8;
  Case.Feed_Z[2][2] = 0.2;
  Case.NC_Save = Case.NT_Save = 9;
  Initial_Composition_set();
  EXPECT_EQ(Case.NC_Save, 2);
  EXPECT_EQ(Case.NT_Save, 6);
  for (int j = 1; j <= 6; ++j) {  // (100 x 0.4 + 300 x 0.8) / 400 = 0.7
    EXPECT_DOUBLE_EQ(Case.Tray_X[1][j], 0.7) << j;
    EXPECT_DOUBLE_EQ(Case.Tray_Y[1][j], 0.7) << j;
    EXPECT_DOUBLE_EQ(Case.Tray_X[2][j], 0.3) << j;
    EXPECT_DOUBLE_EQ(Case.Tray_Y[2][j], 0.3) << j;
  }
}

TEST_F(DistInitialProfileTest, ContinueRemapsTheStoredStagesToANewCount) {
  auto stored = [](int nt) {
    Case.NC_Save = 2;
    Case.NT_Save = nt;
    for (int j = 1; j <= nt; ++j) Case.Tray_X[1][j] = Case.Tray_Y[2][j] = j;
  };
  SimpleColumn(15, 5);
  stored(10);
  ASSERT_TRUE(Continue_Composition_set());
  for (int j = 1; j <= 15; ++j) EXPECT_EQ(Case.Tray_X[1][j], std::min(j, 10)) << j;
  EXPECT_EQ(Case.Tray_Y[2][15], 10);
  EXPECT_EQ(Case.NT_Save, 15);

  SimpleColumn(10, 5);
  stored(15);
  ASSERT_TRUE(Continue_Composition_set());
  for (int j = 1; j <= 9; ++j) EXPECT_EQ(Case.Tray_X[1][j], j);
  EXPECT_EQ(Case.Tray_X[1][10], 15);
  EXPECT_EQ(Case.Tray_Y[2][10], 15);

  // A changed component count is refused and nothing moves.
  Case.NC_Save = 3;
  Case.NT_Save = 8;
  Case.Language = 1;
  EXPECT_FALSE(Continue_Composition_set());
  EXPECT_EQ(Case.NT_Save, 8);
  EXPECT_EQ(Case.Tray_X[1][9], 9);
  Case.Language = 0;
  EXPECT_FALSE(Continue_Composition_set());
  EXPECT_EQ(Messages(), (std::vector<std::string>{"No of Component is not Equal", "成分数が違います。"}));
}

}  // namespace
