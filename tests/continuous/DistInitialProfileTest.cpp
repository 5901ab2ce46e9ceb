// Initial and Continue starts and the initial flow, temperature and pressure profiles.
#include <gtest/gtest.h>

#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "core/thermo/Thermo.h"
#include "ColumnFixture.h"

namespace {

using DistInitialProfileTest = ColumnFixture;

// Two components; one feed of `flow` at V/F 0.5 on `stage`; reflux ratio 2, distillate 50.
void SimpleColumn(int nt, int stage, double flow) {
  Dist_Initial_set();
  Case.NC = 2;
  Case.NT = nt;
  Case.N_Feed = 1;
  Case.Feed_Stage[1] = stage;
  Case.Feed_Flow[1] = flow;
  Case.Feed_VF[1] = 0.5;
  Case.Feed_Z[1][1] = 0.4;
  Case.Feed_Z[2][1] = 0.6;
  Case.Reflux_Ratio = 2;
  Case.Top_Liq_Prod = 50;
  Case.P_Unit = 3;
  for (int j = 1; j <= nt; ++j) Case.Tray_Press[j] = 0;
  Case.Tray_Press[1] = Case.P_Top = 760;
  Case.Tray_Press[nt] = Case.P_Bottom = 780;
}

// Total material balance of every stage under the laid flows, kmol/h.
void ExpectStageBalancesClose() {
  const CaseData& c = Case;
  double feed[kMaxTray + 1]{}, sl[kMaxTray + 1]{}, sv[kMaxTray + 1]{};
  for (int f = 1; f <= c.N_Feed; ++f) feed[c.Feed_Stage[f]] += c.Feed_Flow[f];
  for (int k = 1; k <= c.N_LiqSC; ++k) sl[c.LiqSC_Stage[k]] += c.LiqSC_Flow[k];
  for (int k = 1; k <= c.N_VapSC; ++k) sv[c.VapSC_Stage[k]] += c.VapSC_Flow[k];
  for (int j = 1; j <= c.NT; ++j) {
    const double in = feed[j] + (j > 1 ? c.Tray_L[j - 1] : 0) + (j < c.NT ? c.Tray_V[j + 1] : 0);
    const double out = c.Tray_L[j] + c.Tray_V[j] + sl[j] + sv[j] + (j == 1 ? c.Top_Liq_Prod : 0);
    EXPECT_NEAR(in, out, 1e-9) << "stage " << j;
  }
}

TEST_F(DistInitialProfileTest, ConstantMolalOverflowAroundAFeed) {
  SimpleColumn(10, 5, 100);
  Initial_Profile_set();
  EXPECT_EQ(Case.Tray_L[1], 100);
  EXPECT_EQ(Case.Tray_V[1], 0);
  for (int j = 2; j <= 4; ++j) EXPECT_EQ(Case.Tray_L[j], 100) << j;
  for (int j = 5; j <= 9; ++j) EXPECT_EQ(Case.Tray_L[j], 150) << j;
  for (int j = 2; j <= 5; ++j) EXPECT_EQ(Case.Tray_V[j], 150) << j;
  for (int j = 6; j <= 10; ++j) EXPECT_EQ(Case.Tray_V[j], 100) << j;
  EXPECT_EQ(Case.Tray_L[10], 50);
  ExpectStageBalancesClose();
}

TEST_F(DistInitialProfileTest, NoCondenserSendsTheVapourProductFromStageOne) {
  SimpleColumn(8, 4, 100);
  Case.Reflux_Ratio = 0;
  Case.Top_Liq_Prod = 0;
  Case.Top_Vap_Prod = 40;
  Initial_Profile_set();
  EXPECT_EQ(Case.Tray_L[1], 0);
  EXPECT_EQ(Case.Tray_V[1], 40);
  EXPECT_EQ(Case.Tray_V[2], 40);
  ExpectStageBalancesClose();
}

TEST_F(DistInitialProfileTest, EveryFeedAndSideCutOfAStageCounts) {
  // Two feeds on one stage, side cuts on the top, an inner and the bottom stage:
  // every stage's total balance must close with the flows laid.
  for (bool condenser : {true, false}) {
    SCOPED_TRACE(condenser ? "condenser" : "no condenser");
    SimpleColumn(12, 6, 100);
    if (!condenser) {
      Case.Reflux_Ratio = 0;
      Case.Top_Liq_Prod = 0;
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
    Case.LiqSC_Stage[2] = 7;
    Case.LiqSC_Flow[2] = 4;
    Case.LiqSC_Stage[3] = 7;
    Case.LiqSC_Flow[3] = 3;
    Case.N_VapSC = 2;
    Case.VapSC_Stage[1] = 12;
    Case.VapSC_Flow[1] = 6;
    Case.VapSC_Stage[2] = 3;
    Case.VapSC_Flow[2] = 2;
    Initial_Profile_set();
    EXPECT_EQ(Case.Bottom_Flow, 170 - Case.Top_Liq_Prod - Case.Top_Vap_Prod - 20);
    ExpectStageBalancesClose();
  }
}

TEST_F(DistInitialProfileTest, TemperaturesRunStraightBetweenTheEstimates) {
  SimpleColumn(15, 5, 100);
  Case.T_Top_Est = 70;
  Case.T_Bottom_Est = 105;
  Initial_Profile_set();
  for (int j = 1; j <= 15; ++j) EXPECT_DOUBLE_EQ(Case.Tray_T[j], 70 + 2.5 * (j - 1)) << j;
  Case.T_Unit = 2;  // kelvin estimates are converted
  Case.T_Top_Est = 343.15;
  Case.T_Bottom_Est = 378.15;
  Initial_Profile_set();
  EXPECT_NEAR(Case.Tray_T[3], 75, 1e-9);
}

TEST_F(DistInitialProfileTest, PressuresInterpolateBetweenSetStages) {
  SimpleColumn(11, 5, 100);
  Initial_Profile_set();
  for (int j = 1; j <= 11; ++j) EXPECT_DOUBLE_EQ(Case.Tray_P[j], (760 + 2 * (j - 1)) * 0.00013322) << j;

  Case.P_Bottom = Case.Tray_Press[11] = 800;
  Case.Tray_Press[6] = 770;
  Initial_Profile_set();
  const double expected[] = {0, 760, 762, 764, 766, 768, 770, 776, 782, 788, 794, 800};
  for (int j = 1; j <= 11; ++j) EXPECT_NEAR(Case.Tray_P[j], expected[j] * 0.00013322, 1e-15) << j;
}

TEST_F(DistInitialProfileTest, InitialStartsEveryStageAtTheMeanFeed) {
  SimpleColumn(6, 3, 100);
  Case.N_Feed = 2;
  Case.Feed_Stage[2] = 3;
  Case.Feed_Flow[2] = 300;
  Case.Feed_Z[1][2] = 0.8;
  Case.Feed_Z[2][2] = 0.2;
  Initial_Composition_set();
  EXPECT_EQ(Case.NC_Save, 2);
  EXPECT_EQ(Case.NT_Save, 6);
  for (int j = 1; j <= 6; ++j) {
    EXPECT_DOUBLE_EQ(Case.Tray_X[1][j], 0.7);
    EXPECT_DOUBLE_EQ(Case.Tray_Y[1][j], 0.7);
    EXPECT_DOUBLE_EQ(Case.Tray_X[2][j], 0.3);
  }
}

TEST_F(DistInitialProfileTest, ContinueRemapsTheStoredStagesToANewCount) {
  auto fill = [](int nt) {
    for (int j = 1; j <= nt; ++j)
      for (int i = 1; i <= 2; ++i) {
        Case.Tray_X[i][j] = i * 100 + j;
        Case.Tray_Y[i][j] = -(i * 100 + j);
      }
  };
  SimpleColumn(15, 5, 100);
  Case.NC_Save = 2;
  Case.NT_Save = 10;
  fill(10);
  ASSERT_TRUE(Continue_Composition_set());
  for (int j = 1; j <= 10; ++j) EXPECT_EQ(Case.Tray_X[2][j], 200 + j);
  for (int j = 11; j <= 15; ++j) {
    EXPECT_EQ(Case.Tray_X[1][j], 110);
    EXPECT_EQ(Case.Tray_Y[2][j], -210);
  }
  EXPECT_EQ(Case.NT_Save, 15);

  SimpleColumn(10, 5, 100);
  Case.NC_Save = 2;
  Case.NT_Save = 15;
  fill(15);
  ASSERT_TRUE(Continue_Composition_set());
  for (int j = 1; j <= 9; ++j) EXPECT_EQ(Case.Tray_X[1][j], 100 + j);
  EXPECT_EQ(Case.Tray_X[1][10], 115);
  EXPECT_EQ(Case.Tray_Y[2][10], -215);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(DistInitialProfileTest, ContinueRefusesAChangedComponentCount) {
  SimpleColumn(10, 5, 100);
  Case.NC_Save = 3;
  Case.NT_Save = 8;
  Case.Tray_X[1][9] = 0.25;
  Case.Language = 1;
  EXPECT_FALSE(Continue_Composition_set());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "No of Component is not Equal");
  EXPECT_EQ(Case.NT_Save, 8);
  EXPECT_EQ(Case.Tray_X[1][9], 0.25);
  Case.Language = 0;
  EXPECT_FALSE(Continue_Composition_set());
  EXPECT_EQ(Messages()[1], "成分数が違います。");
}

}  // namespace
