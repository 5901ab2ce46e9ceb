// The result windows over a small column with known numbers and over the
// solved Example-1: balance and duties, feed/product tables, stage tables,
// the graph-division dialog and the result menu.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <cmath>

#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "continuous/DistSolver.h"
#include "continuous/results/frmDistGraphScale.h"
#include "continuous/results/frmDistResultBalance.h"
#include "continuous/results/frmDistResultMenu.h"
#include "continuous/results/frmDistResultProd.h"
#include "core/thermo/Thermo.h"
#include "continuous/results/frmDistResultTray.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Gallery.h"
#include "support/UiTest.h"

namespace {

constexpr double kKcal = 4186.05;

class DistResultWindowsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Case.Max_Comp = kMaxComp;
    Case.Max_Tray = kMaxTray;
  }
  // Two components (MW 10 and 30) over four stages; 100 kmol/h of feed, 40 to
  // the top as liquid, 60 from the bottom; heats in kcal.
  void SmallColumn() {
    CaseData& c = Case;
    c.NC = 2;
    c.NT = 4;
    c.Comp_Name[1] = "A";
    c.Comp_Name[2] = "B";
    c.Mol_Wt[1] = 10;
    c.Mol_Wt[2] = 30;
    c.T_Unit = 1;
    c.P_Unit = 2;  // kPa
    c.H_Unit = 2;
    c.H_Method = 1;
    c.N_Feed = 1;
    c.Feed_Stage[1] = 2;
    c.Feed_Flow[1] = 100;
    c.Feed_Z[1][1] = 0.5;
    c.Feed_Z[2][1] = 0.5;
    c.Feed_H[1] = 2000;
    c.Feed_Sum = 100;
    c.Reflux_Ratio = 2;
    c.Top_Liq_Prod = 40;
    c.Bottom_Flow = 60;
    const double x1[] = {0, 0.9, 0.7, 0.4, 0.2}, y1[] = {0, 0.95, 0.9, 0.7, 0.5};
    for (int j = 1; j <= 4; ++j) {
      c.Tray_X[1][j] = x1[j];
      c.Tray_X[2][j] = 1 - x1[j];
      c.Tray_Y[1][j] = y1[j];
      c.Tray_Y[2][j] = 1 - y1[j];
      c.Tray_T[j] = 50 + 10 * j;
      c.Tray_P[j] = 0.1 + 0.001 * j;
      c.Tray_L[j] = 80;
      c.Tray_V[j] = 120;
      c.Dist_Tray_HL[j] = 1000 * j;
      c.Dist_Tray_HV[j] = 5000 + 1000 * j;
    }
    c.Tray_V[1] = 0;  // total condenser
    // Enthalpy polynomials (kcal/kg) that give the stage enthalpies above at
    // these temperatures: the balance window computes them afresh.
    for (int i = 1; i <= 2; ++i) {
      c.HL_A[i] = -5000 / kKcal / c.Mol_Wt[i];
      c.HL_B[i] = c.HV_B[i] = 100 / kKcal / c.Mol_Wt[i];
      c.HV_A[i] = c.HL_C[i] = c.HV_C[i] = 0;
    }
  }
  void SolvedExample1() {
    Dist_Example1_set();
    Case.Data_Dir = DataDir();
    Case.Conv_Crit[1] = Case.Conv_Crit[2] = 1e-8;
    Case.Max_Iter[1] = Case.Max_Iter[2] = 300;
    Initial_Composition_set();
    Initial_Profile_set();
    DistSolver s;
    ASSERT_EQ(s.Run().status, DistRunStatus::Converged);
  }
};

TEST_F(DistResultWindowsTest, BalanceOfAColumnWithCondenser) {
  SmallColumn();
  auto& f = ui::Forms::Get<frmDistResultBalance>();
  f.Form_Activate();
  const DistBalance& b = f.Balance();
  // Products: 40 of stage-1 liquid (0.9 A) and 60 of stage-4 liquid (0.2 A).
  EXPECT_DOUBLE_EQ(b.ProdComp[1], 40 * 0.9 + 60 * 0.2);
  EXPECT_NEAR(b.ProdHeat, 40 * 1000.0 + 60 * 4000.0, 1e-6);
  EXPECT_DOUBLE_EQ(b.FeedHeat, 200000.0);
  // Vapour from stage 2 less reflux and top product at the stage-1 liquid enthalpy.
  EXPECT_NEAR(b.Qc, 120 * 7000.0 - (40 + 80) * 1000.0, 1e-6);
  // Vapour and bottoms leaving stage 4 less the liquid from stage 3.
  EXPECT_NEAR(b.Qr, 120 * 9000.0 + 60 * 4000.0 - 80 * 3000.0, 1e-6);

  EXPECT_EQ(f.vaSpread1->MaxRows(), 5);
  EXPECT_EQ(f.vaSpread1->Text(0, 4), "A");
  EXPECT_EQ(f.vaSpread1->Text(1, 1), "100.000000");
  EXPECT_EQ(f.vaSpread1->Text(1, 4), "50.000000000");
  EXPECT_EQ(f.vaSpread1->Text(2, 4), "48.000000000");
  EXPECT_EQ(f.vaSpread1->Text(4, 4), "4.000000000");  // (50 - 48) / 50 %
  // The heat row in kcal, the reboiler duty with IN and the condenser duty
  // with OUT (these made-up stages do not balance); its relative difference on
  // the values themselves.
  EXPECT_NEAR(f.vaSpread1->Value(1, 3), (200000.0 + 1080000.0) / kKcal, 1e-6);
  EXPECT_NEAR(f.vaSpread1->Value(2, 3), (280000.0 + 720000.0) / kKcal, 1e-6);
  EXPECT_NEAR(f.vaSpread1->Value(3, 3), 280000.0 / kKcal, 1e-6);
  EXPECT_NEAR(f.vaSpread1->Value(4, 3), 280000.0 / 1280000.0 * 100, 1e-9);
  EXPECT_NEAR(txt::Val(ui::S(f.lblResultBalanceQConData->text())), 720000.0 / kKcal, 1e-6);
  EXPECT_EQ(f.lblResultHeatUnit1->text(), "( Kcal )");
  EXPECT_FALSE(f.fraResultBalanceHeatDuty->isHidden());

  // Without a heat balance: no duties, no heat row; a component fed nowhere
  // has no relative difference.
  Case.H_Method = 0;
  Case.Feed_Z[1][1] = 0;
  f.Form_Activate();
  EXPECT_TRUE(f.fraResultBalanceHeatDuty->isHidden());
  EXPECT_EQ(f.vaSpread1->Text(1, 3), "");
  EXPECT_EQ(f.vaSpread1->Text(4, 4), "");
  EXPECT_NE(f.vaSpread1->Text(4, 5), "");
}

TEST_F(DistResultWindowsTest, TopVapourWithoutCondenserHasNoCondenserDuty) {
  SmallColumn();
  Case.Reflux_Ratio = 0;
  Case.Top_Liq_Prod = 0;
  Case.Top_Vap_Prod = 40;
  const DistBalance b = Dist_Balance_Calc();
  EXPECT_DOUBLE_EQ(b.Qc, 0.0);
  EXPECT_NEAR(b.ProdHeat, 40 * 6000.0 + 60 * 4000.0, 1e-6);
  EXPECT_DOUBLE_EQ(b.HeatOut, b.ProdHeat);
  EXPECT_NEAR(b.Qr, 120 * 9000.0 + 60 * 4000.0 - 80 * 3000.0, 1e-6);
}

TEST_F(DistResultWindowsTest, SolvedExample1ClosesItsMaterialBalance) {
  SolvedExample1();
  auto& f = ui::Forms::Get<frmDistResultBalance>();
  f.Form_Activate();
  EXPECT_DOUBLE_EQ(f.vaSpread1->Value(1, 1), 380.0);
  EXPECT_NEAR(f.vaSpread1->Value(3, 1), 0.0, 1e-4);
  for (int i = 1; i <= 4; ++i) EXPECT_NEAR(f.vaSpread1->Value(3, 3 + i), 0.0, 1e-4) << i;
  EXPECT_NEAR(f.vaSpread1->Value(3, 2), 0.0, 1e-2);  // kg/h
  const DistBalance& b = f.Balance();
  EXPECT_GT(b.Qc, 0);
  EXPECT_GT(b.Qr, 0);
  // With heat balances the duties balance the feeds and products: the heat row
  // reads near 0 (the duties are of the order of the feed heat).
  ASSERT_NE(Case.H_Method, 0);
  EXPECT_FALSE(f.fraResultBalanceHeatDuty->isHidden());
  EXPECT_NEAR(f.vaSpread1->Value(4, 3), 0.0, 1e-3) << f.vaSpread1->Text(4, 3);
  EXPECT_NEAR(b.HeatIn - b.HeatOut, 0.0, 1e-5 * b.Qr);
  EXPECT_NEAR(f.vaSpread1->Value(1, 3), Unit_Heat_Out(b.FeedHeat + b.Qr), 1e-6 * b.Qr);
}

TEST_F(DistResultWindowsTest, UnconvergedRunShowsItsImbalanceAndSaysSo) {
  // The converged Example-1 carries no mark.
  SolvedExample1();
  auto& balance = ui::Forms::Get<frmDistResultBalance>();
  balance.Form_Activate();
  EXPECT_TRUE(balance.lblResultNotConverged->isHidden());
  EXPECT_NEAR(balance.vaSpread1->Value(4, 3), 0.0, 1e-3);  // per cent
  {
    auto& menu = ui::Forms::Get<frmDistResultMenu>();
    menu.Form_Activate();
    EXPECT_TRUE(menu.lblResultNotConverged->isHidden());
    ui::Forms::Unload(&menu);
  }

  // Stopped after two iterations of the heat pass: the stage enthalpies of the
  // final state do not balance, and every result window says so.
  for (int language : {1, 0}) {
    SCOPED_TRACE(language);
    Case.Language = language;
    Dist_Example1_set();
    Case.Data_Dir = DataDir();
    Case.Max_Iter[2] = 1;
    Initial_Composition_set();
    Initial_Profile_set();
    DistSolver s;
    ASSERT_EQ(s.Run().status, DistRunStatus::IterationLimit);
    const std::string head = language == 1 ? "Not converged" : "収束しませんでした";
    balance.Form_Activate();
    EXPECT_FALSE(balance.lblResultNotConverged->isHidden());
    EXPECT_EQ(ui::S(balance.lblResultNotConverged->text()).rfind(head, 0), 0u);
    EXPECT_GT(std::fabs(balance.vaSpread1->Value(4, 3)), 0.01) << balance.vaSpread1->Text(4, 3);
    auto& tray = ui::Forms::Get<frmDistResultTray>();
    tray.Form_Activate();
    EXPECT_FALSE(tray.lblResultNotConverged->isHidden());
    EXPECT_EQ(ui::S(tray.lblResultNotConverged->text()).rfind(head, 0), 0u);
    ui::Forms::Unload(&tray);
    auto& prod = ui::Forms::Get<frmDistResultProd>();
    EXPECT_FALSE(prod.lblResultNotConverged->isHidden());
    ui::Forms::Unload(&prod);

    // The result menu, the first window a user opens, says it in the window,
    // below its buttons and whole inside it, and still after a table window.
    auto& menu = ui::Forms::Get<frmDistResultMenu>();
    menu.Form_Activate();
    QLabel* note = menu.lblResultNotConverged;
    EXPECT_FALSE(note->isHidden());
    EXPECT_EQ(ui::S(note->text()).rfind(head, 0), 0u);
    EXPECT_EQ(note->text(), balance.lblResultNotConverged->text());
    EXPECT_GE(note->geometry().top(), menu.cmdResultExit->geometry().bottom());
    EXPECT_LE(note->geometry().bottom(), menu.height());
    EXPECT_LE(note->geometry().right(), menu.width());
    script.OnModal("frmDistResultTray", [](ui::Form& d) { ui::Forms::Unload(&d); });
    menu.cmdResultTray_Click();
    EXPECT_FALSE(note->isHidden());
    ui::Forms::Unload(&menu);
  }
  // The same results read back from a file carry no note, and are judged by
  // their own equations.
  Dist_Clear_Result_Note();
  Case.Language = 1;
  balance.Form_Activate();
  EXPECT_EQ(ui::S(balance.lblResultNotConverged->text()).rfind("Not converged: largest residual", 0), 0u);
  auto& menu = ui::Forms::Get<frmDistResultMenu>();
  menu.Form_Activate();
  EXPECT_EQ(ui::S(menu.lblResultNotConverged->text()).rfind("Not converged: largest residual", 0), 0u);
}

TEST_F(DistResultWindowsTest, ProductTablesListTheDrawsInOrderOnBothBases) {
  SmallColumn();
  Case.N_LiqSC = 2;
  Case.LiqSC_Stage[1] = 2;
  Case.LiqSC_Flow[1] = 5;
  Case.LiqSC_Stage[2] = 3;
  Case.LiqSC_Flow[2] = 5;
  Case.Bottom_Flow = 50;
  Case.N_Feed = 2;
  Case.Feed_Stage[2] = 3;
  Case.Feed_T[1] = 77.5;
  auto& f = ui::Forms::Get<frmDistResultProd>();
  EXPECT_EQ(f.vaSpread1->Text(0, 2), "圧力 KPa");
  f.Disp_Liq_SideCut(0);
  ASSERT_EQ(f.vaSpread1->MaxCols(), 4);
  EXPECT_EQ(f.vaSpread1->Text(1, 0), " #  1");
  EXPECT_EQ(f.vaSpread1->Text(2, 0), " #  2");
  EXPECT_EQ(f.vaSpread1->Text(3, 0), " #  3");
  EXPECT_EQ(f.vaSpread1->Text(4, 0), " #  4");
  EXPECT_EQ(f.vaSpread1->Text(4, 1), "90");  // stage 4 at 90 degC
  EXPECT_NEAR(f.vaSpread1->Value(4, 2), 104.0, 1e-9);         // 0.104 MPa in kPa
  EXPECT_EQ(f.lblResultProdText->text(), "液抜き出し(モル)");

  f.Disp_Liq_SideCut(1);
  // Stage 4 liquid: 0.2 A (MW 10), 0.8 B (MW 30): M = 26.
  EXPECT_NEAR(f.vaSpread1->Value(4, 4), 50 * 26.0, 1e-9);
  EXPECT_NEAR(f.vaSpread1->Value(4, 6) + f.vaSpread1->Value(4, 7), 1.0, 1e-12);
  EXPECT_NEAR(f.vaSpread1->Value(4, 6), 2.0 / 26.0, 1e-12);
  EXPECT_NEAR(f.vaSpread1->Value(4, 5), 4000.0 / kKcal / 26.0, 1e-12);

  // No vapour draw: the message, and the table and its label stay.
  script.Answer(ui::vbOK, "蒸気抜き出しはありません。");
  f.Disp_Vap_SideCut(0);
  EXPECT_EQ(f.vaSpread1->MaxCols(), 4);
  EXPECT_EQ(f.lblResultProdText->text(), "液抜き出し(重量)");

  // The feeds as entered, two columns.
  f.Disp_Feed_Data(0);
  EXPECT_EQ(f.vaSpread1->MaxCols(), 2);
  EXPECT_EQ(f.vaSpread1->Text(1, 1), "77.5");
  EXPECT_EQ(f.vaSpread1->Text(2, 0), " #  3");
}

TEST_F(DistResultWindowsTest, StageTableViewsAndFormats) {
  SmallColumn();
  auto& f = ui::Forms::Get<frmDistResultTray>();
  f.Form_Activate();
  EXPECT_EQ(f.vaSpread1->MaxRows(), 4);
  EXPECT_EQ(f.vaSpread1->MaxCols(), 6);
  EXPECT_EQ(f.lblResultTitle->text(), "液 (モル) 組成");
  EXPECT_EQ(f.vaSpread1->Text(5, 1), "0.9000000000000");
  EXPECT_EQ(f.vaSpread1->Text(3, 0), "流量(Kgmol/H)");

  // Vapour by weight: stage 1 carries no vapour flow yet has its mass fractions.
  f.Disp_Tray_Profile(1, 1);
  EXPECT_EQ(f.lblResultTitle->text(), "蒸気 (重量) 組成");
  const double m1 = 0.95 * 10 + 0.05 * 30;
  EXPECT_NEAR(f.vaSpread1->Value(5, 1), 9.5 / m1, 1e-12);
  EXPECT_NEAR(f.vaSpread1->Value(5, 1) + f.vaSpread1->Value(6, 1), 1.0, 1e-12);
  EXPECT_NEAR(f.vaSpread1->Value(4, 2), 7000.0 / kKcal / (0.9 * 10 + 0.1 * 30), 1e-5);
  EXPECT_NEAR(f.vaSpread1->Value(3, 2), 120 * 12.0, 1e-9);
  // A stage without any vapour fraction has no mean molecular weight: no mass
  // fractions and no enthalpy per kg instead of a division by zero.
  Case.Tray_Y[1][3] = Case.Tray_Y[2][3] = 0;
  f.Disp_Tray_Profile(1, 1);
  EXPECT_EQ(f.vaSpread1->Text(3, 3), "0.00000");
  EXPECT_EQ(f.vaSpread1->Text(4, 3), "");
  EXPECT_EQ(f.vaSpread1->Text(5, 3), "");

  // Twelve components: ten formatted composition columns, the rest plain.
  Case.NC = 12;
  for (int i = 3; i <= 12; ++i) Case.Comp_Name[i] = "C" + std::to_string(i);
  Case.Tray_X[12][1] = 0.25;
  Case.Tray_X[10][1] = 0.25;
  f.Disp_Tray_Profile(0, 0);
  EXPECT_EQ(f.vaSpread1->Text(14, 1), "0.2500000000000");
  EXPECT_EQ(f.vaSpread1->Text(16, 1), "0.25");

  script.Answer(ui::vbOK, "この機能は未だありません。");
  f.cmdResultTrayPrint->click();
  EXPECT_EQ(f.vaSpread1->Text(16, 1), "0.25");
}

TEST_F(DistResultWindowsTest, GraphDivisionDialogAndResultMenu) {
  SolvedExample1();
  EXPECT_EQ(Case.Dist_Graph_Div, 6);
  auto& d = ui::Forms::Get<frmDistGraphScale>();
  d.Form_Activate();
  EXPECT_EQ(d.cboGraphScale->currentText(), "～ 0.000001");
  d.cboGraphScale->setCurrentIndex(1);
  d.cmdGraphScaleCancel_Click();
  EXPECT_EQ(Case.Dist_Graph_Div, 6);
  auto& e = ui::Forms::Get<frmDistGraphScale>();
  e.Form_Activate();
  e.cboGraphScale->setCurrentIndex(-1);
  e.cmdGraphScaleOK_Click();
  EXPECT_EQ(Case.Dist_Graph_Div, 6);

  Case.Language = 1;
  auto& m = ui::Forms::Get<frmDistResultMenu>();
  EXPECT_EQ(m.Caption(), "Step by Step Distillation Calculation Result");
  m.Form_Activate();
  script.OnModal("frmDistGraphScale", [](ui::Form& form) {
    auto& g = static_cast<frmDistGraphScale&>(form);
    g.cboGraphScale->setCurrentIndex(2);
    g.cmdGraphScaleOK_Click();
  });
  m.cmdResultGraphScale_Click();
  EXPECT_EQ(Case.Dist_Graph_Div, 3);
  bool labelled = false;
  for (const auto& c : m.Picture1->Calls()) labelled |= c.kind == "Print" && c.text == "0.001";
  EXPECT_TRUE(labelled);
  script.Answer(ui::vbOK, "この機能は未だありません");
  m.cmdResultGraphPrint_Click();
  EXPECT_EQ(script.Pending(), 0u);
}

TEST_F(DistResultWindowsTest, GalleryShotsRender) {
  const char* out = std::getenv("VZ_GALLERY_OUT");
  QTemporaryDir scratch;
  const std::string dir = out ? out : scratch.path().toStdString();
  for (const ui::GalleryShot& shot : ui::GalleryShots()) {
    if (shot.name.rfind("dist_", 0) != 0) continue;
    QWidget* w = shot.prepare();
    ASSERT_NE(w, nullptr) << shot.name;
    EXPECT_TRUE(ui::RenderToPng(w, dir + "/" + shot.name + ".png")) << shot.name;
    ui::Forms::UnloadAll();
  }
}

}  // namespace
