// The tower, feed, side-cut, pressure-profile and convergence dialogs: what
// they show, what OK stores, what they refuse and what Cancel leaves.
#include "continuous/ui/DistWindowFixture.h"
#include "continuous/ui/frmDistConvergence.h"
#include "continuous/ui/frmDistFeed.h"
#include "continuous/ui/frmDistPressProfile.h"
#include "continuous/ui/frmDistSideCut.h"
#include "continuous/ui/frmDistTower.h"
#include "platform/text/NumberText.h"

namespace {

class DistDialogsTest : public DistWindowTest {
 protected:
  // Opens a dialog from its main-window button and runs `action` on it.
  template <typename T>
  void Through(QPushButton* button, const char* name, std::function<void(T&)> action) {
    script.OnModal(name, [action](ui::Form& d) { action(static_cast<T&>(d)); });
    button->click();
  }
  static bool Loaded(const char* name) { return ui::Forms::FindByName(name) != nullptr; }
};

}  // namespace

TEST_F(DistDialogsTest, TowerShowsStoresAndRoundsThePlateCount) {
  frmDistMain& m = Open(1);
  m.cmdExample1->click();
  Through<frmDistTower>(m.cmdDistSpec, "frmDistTower", [](frmDistTower& d) {
    EXPECT_EQ(ui::S(d.lblTowerMaxNT->text()), "(Max 200)");
    EXPECT_EQ(ui::S(d.lblTowerPressUnit->text()), "mmHg");
    EXPECT_EQ(ui::S(d.txtTowerNT->text()), "15");
    EXPECT_EQ(ui::S(d.txtTowerU1->text()), "83");
    d.txtTowerNT->setText("15.5");
    d.txtTowerPTop->setText("750");
    d.txtTowerPBottom->setText("0");
    d.cmdTowerOK->click();
  });
  EXPECT_EQ(Case.NT, 16);
  EXPECT_EQ(Case.P_Top, 750);
  EXPECT_EQ(Case.P_Bottom, 0);
  EXPECT_EQ(Case.Tray_Press[1], 750);
  EXPECT_EQ(Case.Tray_Press[16], 0);
  EXPECT_EQ(Case.Tray_Press[15], 0) << "the old bottom end is no fixed pressure of a middle stage";
  EXPECT_EQ(Label("lblMainNT"), "16");
  EXPECT_EQ(Label("lblMainPTop"), "750");

  Through<frmDistTower>(m.cmdDistSpec, "frmDistTower", [](frmDistTower& d) {
    d.txtTowerNT->setText("14.5");
    d.cmdTowerOK->click();
  });
  EXPECT_EQ(Case.NT, 14);
}

TEST_F(DistDialogsTest, TowerRefusesTooManyOrNoPlatesAndStaysOpen) {
  frmDistMain& m = Open(1);
  m.cmdExample1->click();
  script.Answer(ui::vbOK, "Over max theoretical plates ( 200)");
  script.Answer(ui::vbOK, "Theoretical plates less than 1");
  Through<frmDistTower>(m.cmdDistSpec, "frmDistTower", [](frmDistTower& d) {
    d.txtTowerNT->setText("201");
    d.txtTowerRR->setText("9");
    d.cmdTowerOK->click();
    EXPECT_TRUE(Loaded("frmDistTower"));
    EXPECT_EQ(ui::S(d.txtTowerNT->text()), "201") << "the input stays";
    // A negative count would set the pressure of a stage before the first.
    d.txtTowerNT->setText("-3");
    d.cmdTowerOK->click();
    EXPECT_TRUE(Loaded("frmDistTower"));
    d.txtTowerNT->setText("200");
    d.cmdTowerOK->click();
  });
  EXPECT_EQ(Case.NT, 200);
  EXPECT_EQ(Case.Reflux_Ratio, 9);
}

// A temperature estimate below absolute zero (or beyond the suite's range) is
// refused at OK, naming the box in the dialog's language, and nothing is stored.
TEST_F(DistDialogsTest, TowerRefusesEstimatesOutsideTheTemperatureRange) {
  frmDistMain& m = Open(1);
  m.cmdExample1->click();
  const double top = Case.T_Top_Est, bottom = Case.T_Bottom_Est;
  script.Answer(ui::vbOK,
                "Initial Temp(6) Top: enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C.");
  script.Answer(ui::vbOK, "Initial Temp(6) Bottom: enter a temperature above -273.15 °C");
  Through<frmDistTower>(m.cmdDistSpec, "frmDistTower", [](frmDistTower& d) {
    d.txtTowerTTop->setText("-300");
    d.txtTowerRR->setText("9");
    d.cmdTowerOK->click();
    EXPECT_TRUE(Loaded("frmDistTower"));
    d.txtTowerTTop->setText("60");
    d.txtTowerTBottom->setText("1e308");
    d.cmdTowerOK->click();
    EXPECT_TRUE(Loaded("frmDistTower"));
    d.cmdTowerCancel->click();
  });
  EXPECT_EQ(Case.T_Top_Est, top);
  EXPECT_EQ(Case.T_Bottom_Est, bottom);
  EXPECT_EQ(Case.Reflux_Ratio, 3) << "a refused OK stores nothing";
  // In kelvin 0 is absolute zero itself; Japanese captions name the box.
  Case.T_Unit = 2;
  Case.Language = 0;
  script.Answer(ui::vbOK, "「初期温度(6) 塔頂」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。");
  Through<frmDistTower>(m.cmdDistSpec, "frmDistTower", [](frmDistTower& d) {
    d.txtTowerTTop->setText("0");
    d.txtTowerTBottom->setText("380");
    d.cmdTowerOK->click();
    d.txtTowerTTop->setText("340");
    d.cmdTowerOK->click();
  });
  EXPECT_EQ(Case.T_Top_Est, 340);
  EXPECT_EQ(Case.T_Bottom_Est, 380);
}

TEST_F(DistDialogsTest, TowerWithoutFeedReportsTheNegativeBottomsAndCancelKeepsTheCase) {
  frmDistMain& m = Open();
  script.Answer(ui::vbOK, "Bottom流量[ -83 ]が負です。");
  Through<frmDistTower>(m.cmdDistSpec, "frmDistTower", [](frmDistTower& d) {
    d.txtTowerNT->setText("10");
    d.txtTowerU1->setText("83");
    d.cmdTowerOK->click();
  });
  EXPECT_EQ(Case.Top_Liq_Prod, 83);
  EXPECT_EQ(Label("lblMainBottomProdData"), "-83");

  Through<frmDistTower>(m.cmdDistSpec, "frmDistTower", [](frmDistTower& d) {
    d.txtTowerNT->setText("12");
    ui::SendKey(d.txtTowerNT, ui::vbKeyEscape);
    EXPECT_FALSE(Loaded("frmDistTower"));
  });
  Through<frmDistTower>(m.cmdDistSpec, "frmDistTower", [](frmDistTower& d) {
    EXPECT_EQ(ui::S(d.txtTowerNT->text()), "10");
    d.txtTowerNT->setText("13");
    d.cmdTowerCancel->click();
  });
  EXPECT_EQ(Case.NT, 10);
}

TEST_F(DistDialogsTest, FeedGridShowsAndStoresTheFeeds) {
  frmDistMain& m = Open(1);
  m.cmdExample1->click();
  Through<frmDistFeed>(m.cmdFeed, "frmDistFeed", [](frmDistFeed& d) {
    const ui::SpreadGrid& g = *d.vaSpreadFeed;
    EXPECT_EQ(g.Text(3, 0), "Feed #1");
    EXPECT_EQ(g.Text(4, 0), " ");
    EXPECT_EQ(g.Text(2, 3), "mmHg");
    EXPECT_EQ(g.Text(1, 8), "Water");
    EXPECT_EQ(g.Text(2, 8), "Mole Fr");
    EXPECT_EQ(g.Text(3, 1), "5");
    EXPECT_EQ(g.Text(3, 5), "380");
    EXPECT_EQ(g.Text(3, 8), "0.855279982");
    d.cmdFeedOK->click();
  });
  EXPECT_EQ(Case.N_Feed, 1);
  EXPECT_EQ(Case.Feed_Z[3][1], 0.855279982);
  EXPECT_EQ(Label("lblMainTotalFeedData"), "380");

  // A second feed on the bottom stage, a third after an empty column: not read.
  Through<frmDistFeed>(m.cmdFeed, "frmDistFeed", [](frmDistFeed& d) {
    ui::SpreadGrid& g = *d.vaSpreadFeed;
    g.TypeText(4, 1, "15");
    for (int row = 2; row <= 4; ++row) g.TypeText(4, row, "0");
    g.TypeText(4, 5, "20");
    g.TypeText(4, 6, "1");
    g.TypeText(6, 1, "7");
    g.TypeText(6, 5, "50");
    d.cmdFeedOK->click();
  });
  EXPECT_EQ(Case.N_Feed, 2);
  EXPECT_EQ(Case.Feed_Stage[2], 15);
  EXPECT_EQ(Case.Feed_Z[1][2], 1);
  EXPECT_EQ(Label("lblMainTotalFeedData"), "400");
  EXPECT_EQ(Label("lblMainBottomProdData"), "317");
}

TEST_F(DistDialogsTest, FeedOffTheColumnIsReportedAndNothingIsStored) {
  frmDistMain& m = Open();
  m.cmdExample1->click();
  script.Answer(ui::vbOK, "フィード段が1以下または理論段数以上です。");
  script.Answer(ui::vbOK, "フィード段が1以下または理論段数以上です。");
  Through<frmDistFeed>(m.cmdFeed, "frmDistFeed", [](frmDistFeed& d) {
    ui::SpreadGrid& g = *d.vaSpreadFeed;
    g.TypeText(3, 1, "6");
    g.TypeText(4, 1, "16");  // beyond NT = 15
    d.cmdFeedOK->click();
    EXPECT_TRUE(Loaded("frmDistFeed"));
    g.TypeText(4, 1, "1");  // the condenser stage
    d.cmdFeedOK->click();
    EXPECT_TRUE(Loaded("frmDistFeed"));
    d.cmdFeedCancel->click();
  });
  EXPECT_EQ(Case.N_Feed, 1);
  EXPECT_EQ(Case.Feed_Stage[1], 5) << "the first feed is not half replaced";

  // An empty first stage cell stores no feed.
  script.Answer(ui::vbOK, "Bottom流量[ -83 ]が負です。");
  Through<frmDistFeed>(m.cmdFeed, "frmDistFeed", [](frmDistFeed& d) {
    d.vaSpreadFeed->TypeText(3, 1, "");
    d.cmdFeedOK->click();
  });
  EXPECT_EQ(Case.N_Feed, 0);
  EXPECT_EQ(Label("lblMainTotalFeedData"), "0");
}

TEST_F(DistDialogsTest, SideCutsAreStoredAtSinglePrecisionAndReduceTheBottoms) {
  frmDistMain& m = Open(1);
  m.cmdExample1->click();
  Through<frmDistSideCut>(m.cmdSideCut, "frmDistSideCut", [](frmDistSideCut& d) {
    EXPECT_EQ(d.vaSpreadSideCutLiquid->Text(2, 0), "Sidecut #2");
    EXPECT_EQ(d.vaSpreadSideCutVapor->Text(0, 2), "VaporFlow(Kgmol/H)");
    d.vaSpreadSideCutLiquid->TypeText(1, 1, "15");
    d.vaSpreadSideCutLiquid->TypeText(1, 2, "10");
    d.vaSpreadSideCutVapor->TypeText(1, 1, "8");
    d.vaSpreadSideCutVapor->TypeText(1, 2, "12.3");
    d.cmdSideCutOK->click();
  });
  EXPECT_EQ(Case.N_LiqSC, 1);
  EXPECT_EQ(Case.N_VapSC, 1);
  EXPECT_EQ(Case.VapSC_Flow[1], static_cast<double>(12.3f));
  EXPECT_EQ(Label("lblMainSideCutProdData"), txt::Plain(10 + static_cast<double>(12.3f)));
  EXPECT_DOUBLE_EQ(Case.Bottom_Flow, 297 - 10 - static_cast<double>(12.3f));

  Through<frmDistSideCut>(m.cmdSideCut, "frmDistSideCut", [](frmDistSideCut& d) {
    EXPECT_EQ(d.vaSpreadSideCutLiquid->Text(1, 1), "15") << "stored side cuts shown again";
    d.cmdSideCutCancel->click();
  });
}

TEST_F(DistDialogsTest, BadSideCutIsReportedAndNothingIsStored) {
  frmDistMain& m = Open(1);
  m.cmdExample1->click();
  script.Answer(ui::vbOK, "Location <1 or >NT");
  script.Answer(ui::vbOK, "Negative Vapor Flow rate");
  Through<frmDistSideCut>(m.cmdSideCut, "frmDistSideCut", [](frmDistSideCut& d) {
    d.vaSpreadSideCutLiquid->TypeText(1, 1, "1");
    d.cmdSideCutOK->click();
    EXPECT_TRUE(Loaded("frmDistSideCut"));
    d.vaSpreadSideCutLiquid->TypeText(1, 1, "4");
    d.vaSpreadSideCutLiquid->TypeText(1, 2, "0");  // a flow of 0 is accepted
    d.vaSpreadSideCutVapor->TypeText(1, 1, "6");
    d.vaSpreadSideCutVapor->TypeText(1, 2, "-1");
    d.cmdSideCutOK->click();
    EXPECT_TRUE(Loaded("frmDistSideCut"));
    d.cmdSideCutCancel->click();
  });
  EXPECT_EQ(Case.N_LiqSC, 0) << "the good liquid side cut is not stored alone";
  EXPECT_EQ(Case.N_VapSC, 0);
}

TEST_F(DistDialogsTest, PressureProfileKeepsTypedPressuresThroughReopeningAndStageCountChanges) {
  frmDistMain& m = Open();
  m.cmdExample1->click();
  Through<frmDistPressProfile>(m.cmdDistMainPressProfile, "frmDistPressProfile", [](frmDistPressProfile& d) {
    const ui::SpreadGrid& g = *d.vaSpreadPressProfile;
    EXPECT_EQ(g.Text(1, 0), "Press mmHg");
    EXPECT_EQ(g.MaxRows(), 15) << "only the column's stages are offered";
    EXPECT_EQ(g.Text(0, 1), "Top");
    EXPECT_EQ(g.Text(0, 5), "Feed");
    EXPECT_EQ(g.Text(0, 15), "Bottom");
    EXPECT_EQ(g.Text(1, 1), "760");
    EXPECT_EQ(g.Text(1, 15), "770");
    d.vaSpreadPressProfile->TypeText(1, 8, "765.5");
    d.cmdPressProfileOK->click();
  });
  EXPECT_EQ(Case.Tray_Press[8], 765.5);

  // Reopened, the typed pressure is there; OK without a change stores the same profile.
  double before[kMaxTray + 1];
  std::copy(std::begin(Case.Tray_Press), std::end(Case.Tray_Press), before);
  Through<frmDistPressProfile>(m.cmdDistMainPressProfile, "frmDistPressProfile", [](frmDistPressProfile& d) {
    EXPECT_EQ(d.vaSpreadPressProfile->Text(1, 8), "765.5");
    EXPECT_EQ(d.vaSpreadPressProfile->Text(1, 7), "") << "an interpolated stage stays blank";
    d.cmdPressProfileOK->click();
  });
  for (int j = 1; j <= kMaxTray; ++j) EXPECT_EQ(Case.Tray_Press[j], before[j]) << j;

  // 15 -> 20 stages: 770 moves to the new bottom, stage 15 is interpolated again,
  // the typed stage 8 stays.
  Through<frmDistTower>(m.cmdDistSpec, "frmDistTower", [](frmDistTower& d) {
    d.txtTowerNT->setText("20");
    d.cmdTowerOK->click();
  });
  EXPECT_EQ(Case.Tray_Press[15], 0);
  EXPECT_EQ(Case.Tray_Press[20], 770);
  EXPECT_EQ(Case.Tray_Press[8], 765.5);
  Through<frmDistPressProfile>(m.cmdDistMainPressProfile, "frmDistPressProfile", [](frmDistPressProfile& d) {
    const ui::SpreadGrid& g = *d.vaSpreadPressProfile;
    EXPECT_EQ(g.MaxRows(), 20);
    EXPECT_EQ(g.Text(1, 15), "");
    EXPECT_EQ(g.Text(0, 15), "15");
    EXPECT_EQ(g.Text(0, 20), "Bottom");
    EXPECT_EQ(g.Text(1, 20), "770");
    d.vaSpreadPressProfile->TypeText(1, 18, "769");
    d.cmdPressProfileOK->click();
  });
  // 20 -> 6 stages: the pressures beyond the column are cleared, a later
  // 6 -> 20 does not bring them back.
  for (const char* nt : {"6", "20"})
    Through<frmDistTower>(m.cmdDistSpec, "frmDistTower", [nt](frmDistTower& d) {
      d.txtTowerNT->setText(nt);
      d.cmdTowerOK->click();
    });
  for (int j = 2; j <= 19; ++j) EXPECT_EQ(Case.Tray_Press[j], 0) << j;
  EXPECT_EQ(Case.Tray_Press[1], 760);
  EXPECT_EQ(Case.Tray_Press[20], 770);

  // Clearing the top cell sets the top pressure to 0, and the summary shows it.
  Through<frmDistPressProfile>(m.cmdDistMainPressProfile, "frmDistPressProfile", [](frmDistPressProfile& d) {
    d.vaSpreadPressProfile->TypeText(1, 1, "");
    d.cmdPressProfileOK->click();
  });
  EXPECT_EQ(Case.P_Top, 0);
  EXPECT_EQ(Label("lblMainPTop"), "0");
}

TEST_F(DistDialogsTest, TowerUnitCaptionsFollowTheCaseAfterAnExampleWithOtherUnits) {
  frmDistMain& m = Open(1);
  m.cmdExample1->click();  // mmHg
  script.Answer(ui::vbOK, "この例題のデータはまだありません。");
  m.cmdExample2->click();  // back to the defaults: kPa
  Through<frmDistTower>(m.cmdDistSpec, "frmDistTower", [](frmDistTower& d) {
    EXPECT_EQ(ui::S(d.lblTowerPressUnit->text()), "KPa");
    d.cmdTowerCancel->click();
  });
}

TEST_F(DistDialogsTest, ConvergenceDefaultsRoundingAndSummary) {
  frmDistMain& m = Open(1);
  Through<frmDistConvergence>(m.cmdConvergence, "frmDistConvergence", [](frmDistConvergence& d) {
    EXPECT_EQ(ui::S(d.txtConvLimit1->text()), "5E-05");
    EXPECT_EQ(ui::S(d.txtConvMax2->text()), "30");
    d.cmdConvDefault->click();
    d.cmdConvCancel->click();
  });
  EXPECT_EQ(Case.Max_Iter[2], 30) << "Default then Cancel stores nothing";

  Through<frmDistConvergence>(m.cmdConvergence, "frmDistConvergence", [](frmDistConvergence& d) {
    d.cmdConvDefault->click();
    d.txtConvMax1->setText("12.5");
    d.txtConvMax2->setText("13.5");
    d.txtConvLimit2->setText("1e-6");
    d.cmdConvOK->click();
  });
  EXPECT_EQ(Case.Max_Iter[1], 12);
  EXPECT_EQ(Case.Max_Iter[2], 14);
  EXPECT_EQ(Case.Conv_Crit[1], 0.00005);
  EXPECT_EQ(Case.Conv_Crit[2], 1e-6);
  EXPECT_EQ(Label("lblMainMax1"), "12");
  EXPECT_EQ(Label("lblMainLimit2"), "1E-06");
}

namespace {

// Text that is not wholly a number, and a count beyond its range, are refused
// by the name of their field; nothing of the dialog is stored.
TEST_F(DistDialogsTest, EveryColumnDialogRefusesTextThatIsNotWhollyANumber) {
  frmDistMain& m = Open(1);
  m.cmdExample1->click();
  script.Answer(ui::vbOK, "Over max theoretical plates ( 200)");
  script.Answer(ui::vbOK, "Reflux Ratio(2): \"abc\" is not a number.");
  script.Answer(ui::vbOK, "Press(5) Top: \"1e999\" is beyond the range of a number.");
  script.Answer(ui::vbOK, "Initial Temp(6) Bottom: enter a number.");
  Through<frmDistTower>(m.cmdDistSpec, "frmDistTower", [](frmDistTower& d) {
    d.txtTowerNT->setText("4294967297");
    d.cmdTowerOK->click();
    d.txtTowerNT->setText("12");
    d.txtTowerRR->setText("abc");
    d.cmdTowerOK->click();
    d.txtTowerRR->setText("2");
    d.txtTowerPTop->setText("1e999");
    d.cmdTowerOK->click();
    d.txtTowerPTop->setText("700");
    d.txtTowerTBottom->setText(" ");
    d.cmdTowerOK->click();
    d.cmdTowerCancel->click();
  });
  EXPECT_EQ(Case.NT, 15);
  EXPECT_EQ(Case.P_Top, 760);

  script.Answer(ui::vbOK, "Feed Temp Feed #1: \"12abc\" is not a number.");
  script.Answer(ui::vbOK, "フィード段が1以下または理論段数以上です。");
  script.Answer(ui::vbOK, "Feed V/F Feed #1: enter a number from 0 to 1.");
  script.Answer(ui::vbOK, "Water Feed #1: enter a mole fraction from 0 to 1.");
  Through<frmDistFeed>(m.cmdFeed, "frmDistFeed", [](frmDistFeed& d) {
    ui::SpreadGrid& g = *d.vaSpreadFeed;
    g.TypeText(3, 2, "12abc");
    d.cmdFeedOK->click();
    g.TypeText(3, 2, "93");
    g.TypeText(3, 1, "3e9");
    d.cmdFeedOK->click();
    g.TypeText(3, 1, "5");
    g.TypeText(3, 4, "1.5");
    d.cmdFeedOK->click();
    g.TypeText(3, 4, "0.5");
    g.TypeText(3, 8, "-0.1");
    d.cmdFeedOK->click();
    d.cmdFeedCancel->click();
  });
  EXPECT_EQ(Case.Feed_T[1], 93);
  EXPECT_EQ(Case.Feed_Z[3][1], 0.855279982);

  // Fractions summing to 1.095 are stored normalised, and the user is told.
  script.Answer(ui::vbOK, "Feed #1: the mole fractions sum to 1.09499998, not 1; they are stored normalised.");
  Through<frmDistFeed>(m.cmdFeed, "frmDistFeed", [](frmDistFeed& d) {
    d.vaSpreadFeed->TypeText(3, 6, "0.215949998");
    d.cmdFeedOK->click();
  });
  double sum = 0;
  for (int i = 1; i <= 4; ++i) sum += Case.Feed_Z[i][1];
  EXPECT_NEAR(sum, 1.0, 1e-15);
  EXPECT_NEAR(Case.Feed_Z[1][1], 0.215949998 / 1.09499998, 1e-15);

  script.Answer(ui::vbOK, "Location(from top) Sidecut #1: \"abc\" is not a number.");
  script.Answer(ui::vbOK, "LiquidFlow(Kgmol/H) Sidecut #1: \"1e39\" is beyond the range of a number.");
  Through<frmDistSideCut>(m.cmdSideCut, "frmDistSideCut", [](frmDistSideCut& d) {
    d.vaSpreadSideCutLiquid->TypeText(1, 1, "abc");
    d.cmdSideCutOK->click();
    d.vaSpreadSideCutLiquid->TypeText(1, 1, "4");
    d.vaSpreadSideCutLiquid->TypeText(1, 2, "1e39");
    d.cmdSideCutOK->click();
    d.cmdSideCutCancel->click();
  });
  EXPECT_EQ(Case.N_LiqSC, 0);

  script.Answer(ui::vbOK, "Mate Bala Max Iteration: enter a whole number from 0 to 2147483647.");
  script.Answer(ui::vbOK, "Heat Bala Conv Criteria: enter a number.");
  Through<frmDistConvergence>(m.cmdConvergence, "frmDistConvergence", [](frmDistConvergence& d) {
    d.txtConvMax1->setText("4294967297");
    d.cmdConvOK->click();
    d.txtConvMax1->setText("3");
    d.txtConvLimit2->setText("");
    d.cmdConvOK->click();
    d.cmdConvCancel->click();
  });
  EXPECT_NE(Case.Max_Iter[1], 3);

  script.Answer(ui::vbOK, "Press mmHg 3: \"12abc\" is not a number.");
  Through<frmDistPressProfile>(m.cmdDistMainPressProfile, "frmDistPressProfile", [](frmDistPressProfile& d) {
    d.vaSpreadPressProfile->TypeText(1, 3, "12abc");
    d.cmdPressProfileOK->click();
    d.cmdPressProfileCancel->click();
  });
  EXPECT_EQ(Case.Tray_Press[3], 0);
  EXPECT_EQ(script.Pending(), 0u);
}

}  // namespace
