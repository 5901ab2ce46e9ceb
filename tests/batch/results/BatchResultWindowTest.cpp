// The result menu and the result windows over run files written here (small
// cases with known values) or by a run of the example case.
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "batch/model/BatchData.h"
#include "batch/results/BatchResultFiles.h"
#include "batch/results/frmBatchResult.h"
#include "batch/results/frmBatchResultGraph1.h"
#include "batch/results/frmBatchResultGraph2.h"
#include "batch/results/frmBatchResultTank.h"
#include "batch/results/frmBatchResultTopBtmData.h"
#include "batch/results/frmBatchResultTotalReflux.h"
#include "batch/results/frmBatchResultTrayData.h"
#include "batch/results/frmBatchResultVLload.h"
#include "batch/run/BatchRun.h"
#include "batch/run/BatchRunFiles.h"
#include "batch/ui_run/BatchGraphs.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"
#include "batch/ui_run/GraphLabelChecks.h"
#include "support/UiTest.h"

namespace {

constexpr const char* kTitle = "バッチ蒸留計算  ";

class ResultWindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Reset_Batch_Data();
    Reset_Batch_Result();
    Batch_Graph = BatchGraphState{};
    Case.Data_Dir = DataDir();
    Case.Prog_Title = kTitle;
    Case.Max_Comp = 20;
    Case.Max_Tray = 200;
  }
  // Three components with the molecular weights of the reference script, three plates.
  static void SmallCase() {
    Case.NC = 3;
    Case.NT = 3;
    const char* names[] = {"", "A", "B", "C"};
    const double mw[] = {0, 32.042, 46.069, 18.015};
    for (int i = 1; i <= 3; ++i) {
      Case.Comp_Name[i] = names[i];
      Case.Mol_Wt[i] = mw[i];
    }
  }
  // A history record of the small case: x(1) = x1 on every plate, T = t0 + plate.
  static void Record(seqfile::Writer& w, double time, double x1, double t0 = 60) {
    w.Record(time);
    for (int p = 1; p <= 3; ++p) {
      w.Record(x1, 0.5, (1 - x1) / 2, 0.3, (1 - x1) / 2, 0.2);
      w.Record(t0 + p, 10.0 + p, 0.5 * p, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0);
    }
  }
  static std::string Path(int n) { return Batch_Result_Path(Batch_Result_Name(n)); }
  static void Example_Run() {
    Batch_Initial_set();
    Batch_Example_set();
    Batch.Ope_Mode = 2;
    Batch.QReb = Batch.QReb_TR;
    Batch.Save_Interval = 0.02;  // some sixty records: the replays stay short
    BatchHost host;
    ASSERT_EQ(Batch_Calc(host), BatchEnd::LastTank);
  }
  static int Count(const ui::PictureBox& pic, const char* kind, int colour) {
    int n = 0;
    for (const auto& c : pic.Calls())
      if (c.kind == kind && c.color == ui::QBColor(colour)) ++n;
    return n;
  }
  static bool Printed(const ui::PictureBox& pic, const std::string& text) {
    for (const auto& c : pic.Calls())
      if (c.kind == "Print" && c.text == text) return true;
    return false;
  }
};

// ---------------------------------------------------------------- menu

TEST_F(ResultWindowTest, MenuPlateNumberWhileTypingAndOnButton3) {
  Case.NT = 10;
  auto& m = ui::Forms::Get<frmBatchResult>();
  m.Form_Activate();
  EXPECT_EQ(m.txtTrayNo->text(), "1");
  m.txtTrayNo->setText("");   // nothing while the box is empty
  m.txtTrayNo->setText("1");  // the first digit of 12 is a plate
  script.Answer(ui::vbOK, "段数が違います");
  m.txtTrayNo->setText("12");
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].title, kTitle);
  EXPECT_EQ(Batch_Result.Graph_Tray, 0);  // typing stores nothing

  // Button 3 refuses an empty box with the application's title, in English too.
  Case.Language = 1;
  m.txtTrayNo->setText("");
  script.Answer(ui::vbOK, "段数が違います");
  m.cmdMenu3_Click();
  EXPECT_EQ(script.messages.back().title, "");
  EXPECT_EQ(Batch_Result.Graph_Tray, 0);
  EXPECT_TRUE(script.modalForms.empty());

  // 3.5 is plate 4 and opens the plate graph; 2.5 is plate 2; text that is not
  // wholly a number, or a count past any plate, is no plate.
  script.OnModal("frmBatchResultGraph2", [](ui::Form&) {});
  m.txtTrayNo->setText("3.5");
  m.cmdMenu3_Click();
  EXPECT_EQ(Batch_Result.Graph_Tray, 4);
  EXPECT_EQ(Batch_Result.Graph_Kind, 3);
  script.OnModal("frmBatchResultGraph2", [](ui::Form&) {});
  m.txtTrayNo->setText("2.5");
  m.cmdMenu3_Click();
  EXPECT_EQ(Batch_Result.Graph_Tray, 2);
  for (const char* bad : {"4abc", "abc", "1e999", "4294967297"}) {
    script.Answer(ui::vbOK, "invalid Stage").Answer(ui::vbOK, "段数が違います");
    m.txtTrayNo->setText(bad);
    m.cmdMenu3_Click();
    EXPECT_EQ(Batch_Result.Graph_Tray, 0) << bad;
  }
  EXPECT_EQ(script.Pending(), 0u);
}

TEST_F(ResultWindowTest, MenuChoicesHoldForTheNextWindowOnlyAndDivisionsStay) {
  Batch.Graph_Div = 5;
  auto& m = ui::Forms::Get<frmBatchResult>();
  m.Form_Activate();
  EXPECT_EQ(m.txtGraphDiv->text(), "5");
  EXPECT_EQ(Batch.Batch_File, "\\B_Calc_1.dat");
  m.optGraphScale.Click(1);
  m.optData.Click(1);
  EXPECT_EQ(Batch.Graph_Scale, 1);
  EXPECT_EQ(Batch_Result.Data_Phase, 1);
  EXPECT_EQ(Batch.Batch_File, "\\B_Calc_4.dat");
  m.txtGraphDiv->setText("3");
  EXPECT_EQ(Batch.Graph_Div, 3);
  // Counts no graph can draw leave the count in force.
  m.txtGraphDiv->setText("0");
  m.txtGraphDiv->setText("-2");
  m.txtGraphDiv->setText("abc");
  m.txtGraphDiv->setText("500");
  EXPECT_EQ(Batch.Graph_Div, 3);
  m.txtGraphDiv->setText("2.5");
  EXPECT_EQ(Batch.Graph_Div, 2);

  // The table window closes; the menu is back to the total-reflux history and Log.
  script.OnModal("frmBatchResultVLload", [](ui::Form& f) { static_cast<frmBatchResultVLload&>(f).cmdExit_Click(); });
  m.Show();
  m.cmdMenu8_Click();
  EXPECT_EQ(Batch.Graph_Scale, 0);
  EXPECT_EQ(m.optGraphScale.Value(), 0);
  EXPECT_EQ(m.optData.Value(), 0);
  EXPECT_EQ(Batch_Result.Data_Phase, 0);
  EXPECT_EQ(Batch.Batch_File, "\\B_Calc_1.dat");
  EXPECT_EQ(m.txtGraphDiv->text(), "2");
  EXPECT_EQ(Batch.Graph_Div, 2);
}

TEST_F(ResultWindowTest, MenuCaptions) {
  Case.Language = 1;
  Case.Prog_Title = "Batch Distillation  ";
  auto& m = ui::Forms::Get<frmBatchResult>();
  EXPECT_EQ(m.Caption(), "Batch Distillation  Calculation Result");
  EXPECT_EQ(m.cmdMenu3->text(), "   Tray Liquid Composition [Graph](&3)");
  EXPECT_EQ(m.cmdMenu5->text(), "Total Reflux Liquid Composition[Graph](&5)");
  ui::Forms::Unload(&m);
  Case.Language = 0;
  Case.Prog_Title = kTitle;
  auto& j = ui::Forms::Get<frmBatchResult>();
  EXPECT_EQ(j.Caption(), QString::fromUtf8("バッチ蒸留計算  結果表示"));
  EXPECT_EQ(j.cmdMenu6->text(), QString::fromUtf8("全還流収束ﾃﾞｰﾀの表示(&6)"));
}

// ---------------------------------------------------------------- tank table

TEST_F(ResultWindowTest, TankTableFractionsTotalsAndHeat) {
  SmallCase();
  seqfile::Writer w;
  w.Record(0, 0.8125).Record(1.2, 0.3, 0.05).Record(-1.5e6, 0.0, 2.5e6);
  w.Record(1, 1.4444).Record(0.4, 0.9, 0.7).Record(-3.0e6, 1234.5, 4.1868e6);
  ASSERT_TRUE(w.Save(Path(5)));
  Case.H_Unit = 2;  // kcal
  auto& t = ui::Forms::Get<frmBatchResultTank>();
  t.Form_Activate();
  ui::SpreadGrid& g = *t.vaSpread1;
  EXPECT_EQ(Batch.Tank_Count, 1);
  // Expected cells: tools/batch_results/tank_table_reference.py.
  EXPECT_EQ(g.Text(1, 1), "[切替時間(Hr)]");
  EXPECT_EQ(g.Text(2, 1), "0.8125");
  EXPECT_EQ(g.Text(4, 1), "1.4444");
  EXPECT_EQ(g.Text(2, 2), "<Mol Fr>");
  EXPECT_EQ(g.Text(3, 2), "<Wt Fr>");
  EXPECT_EQ(g.Text(1, 3), "A");
  EXPECT_EQ(g.Text(2, 3), "0.774193548387");
  EXPECT_EQ(g.Text(3, 3), "0.723134515726");
  EXPECT_EQ(g.Text(3, 5), "0.016940354718");
  EXPECT_EQ(g.Text(4, 4), "0.450000000000");
  EXPECT_EQ(g.Text(5, 4), "0.619860545916");
  EXPECT_EQ(g.Text(1, 6), "[Total]");
  EXPECT_EQ(g.Text(2, 6), "1.55");
  EXPECT_EQ(g.Text(3, 6), "53.17");
  EXPECT_EQ(g.Text(5, 6), "66.89");
  EXPECT_EQ(g.Text(2, 8), "[Total Heat Input]");
  EXPECT_EQ(g.Text(1, 9), "Tray 1");
  EXPECT_EQ(g.Text(1, 11), "Tray 3");
  EXPECT_EQ(g.Text(2, 9), "-358.3");
  EXPECT_EQ(g.Text(2, 11), "597.2");
  EXPECT_EQ(g.Text(4, 10), "0.3");
  EXPECT_EQ(g.Text(4, 11), "1000.2");
  EXPECT_EQ(g.Text(6, 1), "");  // two tanks only
}

TEST_F(ResultWindowTest, TankTableEmptyTankAndMissingFile) {
  SmallCase();
  seqfile::Writer w;
  w.Record(0, 0.5).Record(0.0, 0.0, 0.0).Record(0.0, 0.0, 0.0);
  ASSERT_TRUE(w.Save(Path(5)));
  auto& t = ui::Forms::Get<frmBatchResultTank>();
  t.Form_Activate();
  EXPECT_EQ(t.vaSpread1->Text(2, 3), "");  // no fraction of an empty tank
  EXPECT_EQ(t.vaSpread1->Text(2, 6), "0.00");

  std::filesystem::remove(Path(5));
  script.Answer(ui::vbOK, "結果ファイルがありません");
  t.Form_Activate();
  EXPECT_EQ(t.vaSpread1->Text(2, 1), "");  // nothing of the earlier reading
  EXPECT_EQ(script.messages.back().title, kTitle);
}

// ---------------------------------------------------------------- total-reflux table

TEST_F(ResultWindowTest, TotalRefluxViews) {
  Batch_Initial_set();
  Batch_Example_set();
  SmallCase();
  Case.Tray_Press[2] = 0;  // interpolated
  Case.Tray_Press[3] = 101.3;
  const double x[] = {0, 0.6, 0.3, 0.1}, y[] = {0, 0.5, 0.3, 0.1};
  for (int i = 1; i <= 3; ++i) {
    Case.Tray_X[i][2] = x[i];
    Case.Tray_Y[i][2] = y[i];
  }
  Case.Tray_V[2] = 12.5;
  Case.Tray_L[2] = 10.0;
  Case.Tray_T[2] = 71.25;
  Batch.Tray_Q_Sum[2] = 1234.5 * 4186.05;  // J: 1234.5 kcal put in since the start
  Batch.Oper_Time = 0.928;
  ASSERT_TRUE(Write_Total_Reflux_File(Batch_Run_File(2)));
  // The case in memory changes after the run; the table shows the run's case.
  Reset_Batch_Data();
  Case.NC = 1;
  Case.NT = 1;
  Case.Comp_Name[1] = "other";

  auto& t = ui::Forms::Get<frmBatchResultTotalReflux>();
  t.Form_Activate();
  ui::SpreadGrid& g = *t.vaSpread1;
  // The run's three plates and names; the live case stays as the user left it.
  EXPECT_EQ(Case.NT, 1);
  EXPECT_EQ(Case.Comp_Name[1], "other");
  EXPECT_EQ(t.lblTitle->text(), "液モル分率");
  EXPECT_EQ(t.lblConvTime->text(), "0.928");
  EXPECT_EQ(g.Text(6, 0), "A");
  EXPECT_EQ(g.Text(8, 0), "C");
  EXPECT_EQ(g.Text(1, 2), "71.2500");
  EXPECT_EQ(g.Text(2, 2), "0.0000");
  EXPECT_EQ(g.Text(2, 3), "101.3000");
  // The heat total in the case's unit, under its unit; the heading's tip says what it is.
  EXPECT_EQ(g.Text(3, 2), "1234.5");
  EXPECT_EQ(g.Text(3, 0), "Heat Input (Kcal)");
  const std::string tip = ui::S(g.model()->headerData(2, Qt::Horizontal, Qt::ToolTipRole).toString());
  EXPECT_NE(tip.find("運転開始から全還流収束までに各段へ入った熱量の合計（Kcal、毎時の値ではありません）"), std::string::npos) << tip;
  EXPECT_EQ(g.Text(4, 2), "12.500");
  EXPECT_EQ(g.Text(6, 2), "0.600000000");
  // Expected fractions and loads: tools/batch_results/tank_table_reference.py.
  t.cmdVaporMol_Click();
  EXPECT_EQ(t.lblTitle->text(), "蒸気モル分率");
  EXPECT_EQ(g.Text(6, 2), "0.555555556");
  EXPECT_EQ(g.Text(8, 2), "0.111111111");
  t.cmdLiquidWt_Click();
  EXPECT_EQ(g.Text(6, 2), "0.551696827");
  EXPECT_EQ(g.Text(5, 2), "348.474");
  EXPECT_EQ(g.Text(4, 2), "395.540");
  EXPECT_EQ(g.Text(1, 2), "71.2500");
  t.cmdVaporWt_Click();
  EXPECT_EQ(t.lblTitle->text(), "蒸気重量分率");
  EXPECT_EQ(g.Text(7, 2), "0.436766825");
  EXPECT_EQ(g.Text(3, 2), "1234.5") << "the weight views keep the heat column";

  // In joules, in English.
  Case.H_Unit = 1;
  Case.Language = 1;
  t.cmdLiquidMol_Click();
  EXPECT_EQ(g.Text(3, 2), "5167678.7");
  EXPECT_EQ(g.Text(3, 0), "Heat Input (J)");
  const std::string en = ui::S(g.model()->headerData(2, Qt::Horizontal, Qt::ToolTipRole).toString());
  EXPECT_NE(en.find("from the start of the run to total-reflux convergence, in J (a total, not per hour)"),
            std::string::npos) << en;
}

// The still's heat total of a run is its duty over the time to convergence.
TEST_F(ResultWindowTest, TotalRefluxHeatOfTheStillIsItsDutyOverTheTime) {
  Example_Run();
  auto& t = ui::Forms::Get<frmBatchResultTotalReflux>();
  t.Form_Activate();
  const int nt = Case.NT;
  const double kcalPerHour = Batch.QReb_TR / 4186.05, hours = Batch.Oper_Time;
  const double shown = t.vaSpread1->Value(3, nt);
  // Within a step of the duty: the still's duty of each step is its own balance.
  EXPECT_NEAR(shown, kcalPerHour * hours, kcalPerHour * (Batch.Diff_Time + 1e-3 * hours)) << hours;
  EXPECT_LT(t.vaSpread1->Value(3, 1), 0) << "the condenser takes heat out";
}

TEST_F(ResultWindowTest, TotalRefluxFileMissingOrNotABatchCase) {
  auto& t = ui::Forms::Get<frmBatchResultTotalReflux>();
  script.Answer(ui::vbOK, "B_Calc_2.dat");
  t.Form_Activate();
  EXPECT_EQ(t.vaSpread1->Text(1, 1), "");
  seqfile::Writer w;
  w.Record("Distillation Data");
  ASSERT_TRUE(w.Save(Path(2)));
  Case.NT = 7;
  script.Answer(ui::vbOK, "バッチ蒸留計算のデータファイルではありません");
  t.Form_Activate();
  EXPECT_EQ(Case.NT, 7);
  EXPECT_EQ(script.messages.size(), 2u);
}

// ---------------------------------------------------------------- history tables

// The tables of a run of ten plates, opened after the case was changed to
// fifteen plates and other names: each shows the run's plates and names, and
// the case stays as the user left it.
TEST_F(ResultWindowTest, TablesOfATenPlateRunWhileTheCaseHasFifteen) {
  Example_Run();
  HistoryFile h;
  ASSERT_TRUE(h.Open(Path(4)).ok());
  HistoryRecord first;
  ASSERT_TRUE(h.Next(first).ok());
  Case.NT = 15;
  Case.Comp_Name[1] = "changed";
  auto unchanged = [] {
    EXPECT_EQ(Case.NT, 15);
    EXPECT_EQ(Case.NC, 3);
    EXPECT_EQ(Case.Comp_Name[1], "changed");
  };

  auto& v = ui::Forms::Get<frmBatchResultVLload>();
  v.cmdVload2_Click();
  EXPECT_EQ(v.vaSpread1->MaxCols(), 11);
  EXPECT_EQ(v.vaSpread1->Text(11, 0), "Tray # 10");
  EXPECT_EQ(v.vaSpread1->Text(11, 1), txt::Format(first.V(10), "###0.0000"));
  unchanged();

  auto& tb = ui::Forms::Get<frmBatchResultTopBtmData>();
  tb.cmdBtmLiquid2_Click();
  EXPECT_EQ(tb.vaSpread1->Text(3, 0), "Methanol");
  EXPECT_EQ(tb.vaSpread1->Text(2, 1), txt::Format(first.T(10), "###0.000"));  // the still
  unchanged();

  auto& td = ui::Forms::Get<frmBatchResultTrayData>();
  td.Form_Activate();
  td.cmdLiquid2_Click();
  EXPECT_EQ(td.vaSpread1->MaxRows(), 10);
  EXPECT_EQ(td.vaSpread1->Text(1, 10), txt::Format(first.T(10), "###0.000"));
  td.cmdNext_Click();
  unchanged();

  auto& tank = ui::Forms::Get<frmBatchResultTank>();
  tank.Form_Activate();
  EXPECT_EQ(tank.vaSpread1->MaxRows(), 3 + 5 + 10);
  EXPECT_EQ(tank.vaSpread1->Text(1, 3), "Methanol");
  unchanged();

  auto& t = ui::Forms::Get<frmBatchResultTotalReflux>();
  t.Form_Activate();
  EXPECT_EQ(t.vaSpread1->Text(6, 0), "Methanol");
  EXPECT_NE(t.vaSpread1->Text(1, 10), "");
  EXPECT_EQ(t.vaSpread1->Text(1, 11), "");
  unchanged();
}

TEST_F(ResultWindowTest, FlowAndTopBottomTables) {
  SmallCase();
  seqfile::Writer w;
  Record(w, 0.5, 0.25);
  Record(w, 1.0, 0.125, 70);
  ASSERT_TRUE(w.Save(Path(4)));
  auto& v = ui::Forms::Get<frmBatchResultVLload>();
  v.cmdLload2_Click();
  EXPECT_EQ(v.lblTitle->text(), "製品抜出操作液流量(Kg-mol/H)");
  EXPECT_EQ(v.vaSpread1->MaxRows(), 2);
  EXPECT_EQ(v.vaSpread1->Text(2, 0), "Tray # 1");
  EXPECT_EQ(v.vaSpread1->Text(1, 1), "0.5000");
  EXPECT_EQ(v.vaSpread1->Text(2, 1), "0.5000");
  EXPECT_EQ(v.vaSpread1->Text(4, 2), "1.5000");
  v.cmdVload2_Click();
  EXPECT_EQ(v.vaSpread1->Text(4, 2), "13.0000");

  auto& tb = ui::Forms::Get<frmBatchResultTopBtmData>();
  tb.cmdBtmLiquid2_Click();
  EXPECT_EQ(tb.lblTitle->text(), "製品抜出操作　塔底液組成");
  EXPECT_EQ(tb.vaSpread1->Text(3, 0), "A");
  EXPECT_EQ(tb.vaSpread1->Text(2, 2), "73.000");  // the still, plate NT
  EXPECT_EQ(tb.vaSpread1->Text(3, 2), "0.125000000");
  EXPECT_EQ(tb.vaSpread1->Text(4, 2), "0.437500000");
  tb.cmdTopLiquid2_Click();
  EXPECT_EQ(tb.vaSpread1->Text(2, 1), "61.000");

  // A file ending inside its second record is damaged: no row of it is shown,
  // the damage is said.
  seqfile::Writer s;
  Record(s, 0.5, 0.25);
  s.Record(1.0, 0.1);
  ASSERT_TRUE(s.Save(Path(1)));
  script.Answer(ui::vbOK, "結果ファイルが壊れています");
  tb.cmdTopLiquid1_Click();
  EXPECT_EQ(tb.vaSpread1->MaxRows(), 0);
  // So is one with a negative fraction in a whole record.
  seqfile::Writer n;
  Record(n, 0.5, -0.25);
  ASSERT_TRUE(n.Save(Path(1)));
  script.Answer(ui::vbOK, "結果ファイルが壊れています");
  tb.cmdTopLiquid1_Click();
  EXPECT_EQ(tb.vaSpread1->MaxRows(), 0);
  // An empty history gives the heading row only.
  seqfile::Writer e;
  ASSERT_TRUE(e.Save(Path(1)));
  v.cmdVload1_Click();
  EXPECT_EQ(v.vaSpread1->MaxRows(), 0);
  EXPECT_EQ(v.vaSpread1->Text(1, 0), "時間");
}

TEST_F(ResultWindowTest, TrayDataStepsThroughRecords) {
  SmallCase();
  seqfile::Writer w1, w4;
  for (int k = 0; k < 12; ++k) Record(w1, 0.5 * k, 0.01 * (k + 1));
  Record(w4, 2.0, 0.9);
  Record(w4, 3.0, 0.8);
  ASSERT_TRUE(w1.Save(Path(1)));
  ASSERT_TRUE(w4.Save(Path(4)));
  auto& t = ui::Forms::Get<frmBatchResultTrayData>();
  t.Form_Activate();
  EXPECT_FALSE(t.cmdNext->isVisibleTo(&t));
  t.cmdVapor2_Click();
  EXPECT_EQ(Batch.Batch_File, "\\B_Calc_4.dat");
  EXPECT_EQ(t.Record_View, 1);
  EXPECT_FALSE(t.cmdVapor1->isVisibleTo(&t));
  EXPECT_TRUE(t.cmdNext10->isVisibleTo(&t));
  EXPECT_EQ(t.lblCalTimeValue->text(), "2.0000");
  EXPECT_EQ(t.vaSpread1->Text(2, 0), "蒸気流量");
  EXPECT_EQ(t.vaSpread1->Text(3, 1), "0.500000000");  // y of A
  EXPECT_EQ(t.vaSpread1->Text(2, 3), "13.000");
  // Next10 with one record left shows it and stops at the end of the file.
  t.cmdNext10_Click();
  EXPECT_EQ(t.lblCalTimeValue->text(), "3.0000");
  EXPECT_EQ(t.Next_Pos.byte, std::filesystem::file_size(Path(4)));
  t.cmdNext_Click();
  EXPECT_EQ(t.lblCalTimeValue->text(), "3.0000");

  // Exit leaves the record view; the liquid view of total reflux starts at its first record.
  t.cmdExit_Click();
  EXPECT_EQ(t.Record_View, 0);
  EXPECT_TRUE(t.cmdVapor1->isVisibleTo(&t));
  t.cmdLiquid1_Click();
  EXPECT_EQ(t.lblCalTimeValue->text(), "0.0000");  // never without its leading zero
  EXPECT_EQ(t.vaSpread1->Text(3, 1), "0.010000000");
  EXPECT_EQ(t.vaSpread1->Text(2, 1), "0.500");
  t.cmdNext10_Click();
  EXPECT_EQ(t.lblCalTimeValue->text(), "5.0000");
  EXPECT_EQ(t.vaSpread1->Text(3, 1), "0.110000000");
  t.cmdExit_Click();
  t.cmdExit_Click();
  EXPECT_EQ(ui::Forms::Find<frmBatchResultTrayData>(), nullptr);
}

// ---------------------------------------------------------------- time graphs

TEST_F(ResultWindowTest, CompositionTimeGraphSteps) {
  SmallCase();
  Batch.Save_Interval = 0.001;
  Batch.Diff_Time = 0.0001;
  Batch.Graph_Div = 5;
  seqfile::Writer w;
  Record(w, 0.0, 0.1);
  Record(w, 0.001, 0.01);
  Record(w, 0.002, 0.001);
  ASSERT_TRUE(w.Save(Path(1)));
  Batch_Result.Graph_Kind = 1;
  Batch.Batch_File = Batch_History_Name(0);
  auto& g = ui::Forms::Get<frmBatchResultGraph2>();
  g.Draw_Graph();
  ui::PictureBox& a = *g.Picture2A;
  // Every record advances x by 10; the first draws nothing.
  int first = 0;
  for (const auto& c : a.Calls())
    if (c.kind == "Line" && c.color == ui::QBColor(10)) {
      if (first++ == 0) {
        EXPECT_DOUBLE_EQ(c.x1, 0);
        EXPECT_DOUBLE_EQ(c.x2, 10);
      }
    }
  EXPECT_EQ(first, 4);  // two joins of the top and two of the still for component 1
  EXPECT_EQ(Count(a, "Line", 15), 1);  // the end of the data
  EXPECT_EQ(Batch_Graph.Graph_X, 30);
  EXPECT_EQ(Case.Stop_Flag, -1);
  EXPECT_DOUBLE_EQ(Batch.Oper_Time, 0.002);
  EXPECT_TRUE(g.cmdProdData->isVisibleTo(&g));
  EXPECT_TRUE(Printed(*g.Picture2, "1E-05"));
  EXPECT_TRUE(Printed(*g.Picture3, "0.002"));
  // A fraction of 0.1 on five decades lies 4 divisions above the bottom.
  const double h = std::round(a.ScaleHeight());
  const int d = static_cast<int>(std::lround(h / 5));
  EXPECT_EQ(Batch_Graph.Graph_Last_Y[1][2], static_cast<int>(std::floor(h - (std::log10(0.4995) + 5) * d)));
}

// The scale labels of every time graph show whole beside the plot: decades
// down to 1E-08 ("0.0001" is the widest), tenths, temperatures.
TEST_F(ResultWindowTest, TimeGraphLabelsShowWholeBesideThePlot) {
  SmallCase();
  Batch.Save_Interval = 0.001;
  Batch.Diff_Time = 0.0001;
  seqfile::Writer w;
  Record(w, 0.0, 0.1);
  Record(w, 0.001, 0.01);
  ASSERT_TRUE(w.Save(Path(1)));
  ASSERT_TRUE(w.Save(Path(4)));
  seqfile::Writer t;
  t.Record(0, 0.0005).Record(1.0, 1.0, 1.0).Record(0.0, 0.0, 0.0);
  ASSERT_TRUE(t.Save(Path(5)));
  struct Graph {
    int kind, phase, scale, div, labels;
  } graphs[] = {
      {1, 0, 0, 5, 6},  // total reflux, five decades and "1.0"
      {1, 0, 0, 8, 9},
      {1, 1, 0, 6, 7},  // product
      {3, 0, 0, 5, 6},  // one plate
      {3, 1, 0, 4, 5},
      {1, 1, 1, 5, 2},  // linear: "1.0" and "0.0"
      {2, 0, 0, 5, 2},  // temperature: its top and bottom
  };
  for (int language : {0, 1}) {
    Case.Language = language;
    for (const Graph& gr : graphs) {
      SCOPED_TRACE("kind " + std::to_string(gr.kind) + " phase " + std::to_string(gr.phase) + " div " +
                   std::to_string(gr.div) + " scale " + std::to_string(gr.scale));
      Batch_Result.Graph_Kind = gr.kind;
      Batch_Result.Data_Phase = gr.phase;
      Batch_Result.Graph_Tray = 2;
      Batch.Graph_Scale = gr.scale;
      Batch.Graph_Div = gr.div;
      Batch.Batch_File = Batch_History_Name(gr.phase);
      auto& g = ui::Forms::Get<frmBatchResultGraph2>();
      g.Draw_Graph();
      EXPECT_EQ(ExpectLabelsBesideThePlot(*g.Picture2, *g.Picture2A), gr.labels);
      if (gr.scale == 0 && gr.kind != 2) {
        EXPECT_TRUE(Printed(*g.Picture2, "0.0001"));
      }
      g.cmdExit_Click();
    }
  }
}

TEST_F(ResultWindowTest, ProductGraphMarksTankChangesOnePerRecord) {
  SmallCase();
  Batch.Save_Interval = 0.5;
  Batch.Diff_Time = 0.05;
  Batch.Graph_Div = 5;
  seqfile::Writer w;
  Record(w, 1.5, 0.1);
  Record(w, 2.0, 0.1);
  Record(w, 2.5, 0.1);
  ASSERT_TRUE(w.Save(Path(4)));
  seqfile::Writer t;
  t.Record(0, 0.8).Record(1.0, 1.0, 1.0).Record(0.0, 0.0, 0.0);
  t.Record(1, 1.4).Record(1.0, 1.0, 1.0).Record(0.0, 0.0, 0.0);
  ASSERT_TRUE(t.Save(Path(5)));
  Batch_Result.Graph_Kind = 1;
  Batch_Result.Data_Phase = 1;
  Batch.Batch_File = Batch_History_Name(1);
  auto& g = ui::Forms::Get<frmBatchResultGraph2>();
  g.Draw_Graph();
  // The first record lies after both changes: one grey line each for two records.
  std::vector<double> marks;
  for (const auto& c : g.Picture2A->Calls())
    if (c.kind == "Line" && c.color == ui::QBColor(8) && c.x1 == c.x2 && c.y1 == 0) marks.push_back(c.x1);
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_DOUBLE_EQ(marks[0], 0);
  EXPECT_DOUBLE_EQ(marks[1], 10);
  EXPECT_EQ(g.lblTitle->text(), "製品抜出データ");
  EXPECT_FALSE(g.cmdProdData->isVisibleTo(&g));
}

TEST_F(ResultWindowTest, TemperatureGraphAxisAndProductContinuation) {
  SmallCase();
  Batch.Save_Interval = 0.001;
  Batch.Diff_Time = 0.0001;
  seqfile::Writer w;
  Record(w, 0.0, 0.1);
  Record(w, 0.001, 0.1, 62);
  ASSERT_TRUE(w.Save(Path(1)));
  ASSERT_TRUE(w.Save(Path(4)));
  seqfile::Writer f;
  f.Record(9.0, 100.0, 56.2, 30.0, 3.0, 25.0, 2.0, 0.5, 1.5);
  ASSERT_TRUE(f.Save(Path(3)));
  Batch_Result.Graph_Kind = 2;
  Batch.Graph_Scale = 0;
  Batch.Batch_File = Batch_History_Name(0);
  auto& g = ui::Forms::Get<frmBatchResultGraph2>();
  g.Draw_Graph();
  EXPECT_EQ(Batch.Graph_Scale, 1);
  EXPECT_DOUBLE_EQ(g.Temp_Axis_Top, 110);
  EXPECT_DOUBLE_EQ(g.Temp_Axis_Bottom, 40);
  EXPECT_TRUE(Printed(*g.Picture2, "110"));
  EXPECT_TRUE(Printed(*g.Picture2, "40"));
  EXPECT_EQ(Count(*g.Picture2A, "Line", 14), 2);
  // The product button goes on to the right from the last points.
  ASSERT_TRUE(g.cmdProdData->isVisibleTo(&g));
  g.cmdProdData_Click();
  EXPECT_EQ(Batch.Batch_File, "\\B_Calc_4.dat");
  EXPECT_EQ(Batch_Result.Data_Phase, 1);
  EXPECT_EQ(Count(*g.Picture2A, "Line", 14), 6);
  EXPECT_EQ(Batch_Graph.Graph_X, 40);
  EXPECT_FALSE(g.cmdProdData->isVisibleTo(&g));
}

TEST_F(ResultWindowTest, StoppingAGraphClosesItAndAProductStopKeepsIt) {
  SmallCase();
  Batch.Save_Interval = 0.001;
  Batch.Diff_Time = 0.0001;
  seqfile::Writer w;
  for (int k = 0; k < 5; ++k) Record(w, 0.001 * k, 0.1);
  ASSERT_TRUE(w.Save(Path(1)));
  ASSERT_TRUE(w.Save(Path(4)));
  Batch_Result.Graph_Kind = 1;
  Batch.Batch_File = Batch_History_Name(0);
  auto& g = ui::Forms::Get<frmBatchResultGraph2>();
  // No stops the question only; Yes ends the drawing before its next record.
  script.Answer(ui::vbNo, "表示中止").Answer(ui::vbYes, "表示中止");
  QTimer::singleShot(0, &g, [&g] { g.cmdExit_Click(); });
  QTimer::singleShot(0, &g, [&g] { g.cmdExit_Click(); });
  g.Draw_Graph();
  EXPECT_EQ(Case.Stop_Flag, 1);
  EXPECT_EQ(ui::Forms::Find<frmBatchResultGraph2>(), nullptr);

  auto& p = ui::Forms::Get<frmBatchResultGraph2>();
  p.Draw_Graph();
  script.Answer(ui::vbYes, "表示中止");
  QTimer::singleShot(0, &p, [&p] { p.cmdExit_Click(); });
  p.cmdProdData_Click();
  EXPECT_EQ(Case.Stop_Flag, 1);
  ASSERT_EQ(ui::Forms::Find<frmBatchResultGraph2>(), &p);
  p.cmdExit_Click();  // nothing runs: it closes
  EXPECT_EQ(ui::Forms::Find<frmBatchResultGraph2>(), nullptr);
}

// ---------------------------------------------------------------- profile replay

TEST_F(ResultWindowTest, ReplayFromTheMenuAndConvergedProfile) {
  Example_Run();
  ASSERT_FALSE(HasFatalFailure());
  const double converged = [] {
    HistoryFile f;
    HistoryRecord r;
    f.Open(Batch_Result_Path(Batch_Result_Name(1)));
    double last = 0;
    while (f.Next(r).ok()) last = r.time;
    return last;
  }();
  auto& m = ui::Forms::Get<frmBatchResult>();
  m.Show();
  // Graph kind 4 of the total-reflux history, from the menu, then the product replay.
  // One change message for each record that passes a change not yet announced.
  int changes = 0;
  {
    TankChanges tanks;
    tanks.Open(Batch_Result_Path(Batch_Result_Name(5)));
    HistoryFile f;
    HistoryRecord r;
    f.Open(Batch_Result_Path(Batch_Result_Name(4)));
    while (f.Next(r).ok())
      if (r.time > tanks.Pending()) {
        ++changes;
        tanks.Advance();
      }
  }
  ASSERT_GE(changes, 1);

  script.Answer(ui::vbOK, "表示開始");
  script.Answer(ui::vbOK, "表示開始");
  for (int i = 0; i < changes; ++i) script.Answer(ui::vbOK, "製品タンク切替");
  script.OnModal("frmBatchResultGraph1", [](ui::Form& f) {
    auto& g = static_cast<frmBatchResultGraph1&>(f);
    for (int i = 0; i < 5 && g.Draw_Pending(); ++i) ui::DoEvents();  // the queued drawing
    EXPECT_EQ(g.lblTitle->text(), "全還流データ");
    EXPECT_TRUE(g.cmdProdData->isVisibleTo(&g));
    g.cmdProdData_Click();
    EXPECT_EQ(g.lblTitle->text(), "製品抜出データ");
    g.cmdExit_Click();
  });
  m.cmdMenu4_Click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(Batch_Result.Data_Phase, 0);  // the menu is back to total reflux

  // Kind 5: one profile stamped with the convergence time, drawn with the
  // state file's case; the live case keeps what the user changed.
  Case.Comp_Name[1] = "changed";
  script.Answer(ui::vbOK, "表示開始");
  script.OnModal("frmBatchResultGraph1", [converged](ui::Form& f) {
    auto& g = static_cast<frmBatchResultGraph1&>(f);
    for (int i = 0; i < 5 && g.Draw_Pending(); ++i) ui::DoEvents();  // the queued drawing
    EXPECT_EQ(g.lblTitle->text(), "全還流収束データ");
    EXPECT_EQ(Case.Comp_Name[1], "changed");
    EXPECT_TRUE(Printed(*g.Picture1, "Methanol"));
    EXPECT_GE(Batch.Oper_Time, converged);
    EXPECT_LT(Batch.Oper_Time, 1.0);
    EXPECT_TRUE(Printed(*g.Picture3, Batch_Time_Text(Batch.Oper_Time, 3)));
    EXPECT_FALSE(g.cmdProdData->isVisibleTo(&g));
    // One profile: NT - 1 joins for each of the three components.
    EXPECT_EQ(Count(*g.Picture1, "Line", 10), Case.NT - 1);
    g.cmdExit_Click();
  });
  m.cmdMenu5_Click();
  EXPECT_EQ(script.Pending(), 0u);
}

TEST_F(ResultWindowTest, ReplayOfAnEmptyOrMissingFile) {
  SmallCase();
  seqfile::Writer e;
  ASSERT_TRUE(e.Save(Path(1)));
  Batch_Result.Graph_Kind = 4;
  Batch.Batch_File = Batch_History_Name(0);
  auto& g = ui::Forms::Get<frmBatchResultGraph1>();
  script.Answer(ui::vbOK, "表示開始");
  g.Draw_Graph();
  EXPECT_EQ(Case.Stop_Flag, -1);
  EXPECT_EQ(Count(*g.Picture1, "Print", 10), 1);  // the legend's first name
  g.cmdExit_Click();
  EXPECT_EQ(ui::Forms::Find<frmBatchResultGraph1>(), nullptr);

  Batch_Result.Graph_Kind = 5;
  auto& k = ui::Forms::Get<frmBatchResultGraph1>();
  script.Answer(ui::vbOK, "表示開始").Answer(ui::vbOK, "B_Calc_2.dat");
  k.Draw_Graph();
  EXPECT_EQ(Case.Stop_Flag, -1);
  EXPECT_EQ(script.Pending(), 0u);
}

// The tables read their rows from the file as the grid shows them, a block
// of records at a time: every record is a row with its own values, whichever
// block is asked for and in whatever order. (Histories beyond the bound for
// case files are read by the same reader: the file tests; every window over a
// long run's history: tools/batch_results/result_memory.)
TEST_F(ResultWindowTest, TablesReadTheirRowsAsTheyAreShown) {
  SmallCase();
  for (int n : {1, 4}) Batch_Run_File_Written(n);
  const int records = 5 * static_cast<int>(HistoryFile::kMarkStride) + 7;
  seqfile::Writer w;
  for (int k = 0; k < records; ++k) Record(w, k * 0.25, 0.001 * (k + 1), 60 + k);
  ASSERT_TRUE(w.Save(Path(4)));
  auto& tb = ui::Forms::Get<frmBatchResultTopBtmData>();
  tb.cmdTopLiquid2_Click();
  ASSERT_EQ(tb.vaSpread1->MaxRows(), records);
  for (int row : {records, 1, 200, 65, 64, records - 1, 130, 2}) {
    const int k = row - 1;
    EXPECT_EQ(tb.vaSpread1->Text(1, row), txt::Format(k * 0.25, "##0.0000")) << row;
    EXPECT_EQ(tb.vaSpread1->Text(2, row), txt::Format(61.0 + k, "###0.000")) << row;
    EXPECT_EQ(tb.vaSpread1->Text(3, row), txt::Format(0.001 * (k + 1), "#0.000000000")) << row;
  }
  EXPECT_EQ(tb.vaSpread1->Text(6, 2), "");            // past the last column
  EXPECT_EQ(tb.vaSpread1->Text(1, records + 1), "");  // past the last row
  auto& v = ui::Forms::Get<frmBatchResultVLload>();
  v.cmdVload2_Click();
  ASSERT_EQ(v.vaSpread1->MaxRows(), records);
  EXPECT_EQ(v.vaSpread1->Text(4, records - 70), "13.0000");
  // Another choice reads the other file afresh.
  seqfile::Writer one;
  Record(one, 9.5, 0.5);
  ASSERT_TRUE(one.Save(Path(1)));
  v.cmdVload1_Click();
  ASSERT_EQ(v.vaSpread1->MaxRows(), 1);
  EXPECT_EQ(v.vaSpread1->Text(1, 1), "9.5000");
  EXPECT_EQ(v.vaSpread1->Text(1, 2), "");
  auto& t = ui::Forms::Get<frmBatchResultTrayData>();
  t.cmdLiquid2_Click();
  EXPECT_EQ(t.lblCalTimeValue->text(), "0.0000");
  for (int i = 0; i < 7; ++i) t.cmdNext10_Click();
  EXPECT_EQ(t.lblCalTimeValue->text(), "17.5000");
  EXPECT_EQ(t.vaSpread1->Text(1, 3), "133.000");
  EXPECT_TRUE(script.messages.empty());
}

}  // namespace
