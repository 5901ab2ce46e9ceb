// The run window driving whole runs of the example case, its buttons chosen by
// phase, the stop question and the ends, and the live graphs.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include <cmath>

#include "batch/ui/frmBatchDistillationMain.h"
#include "batch/ui_run/BatchGraphs.h"
#include "batch/ui_run/frmBatchCalc.h"
#include "batch/ui_run/frmBatchChangeDiffTime.h"
#include "batch/ui_run/frmBatchMessage.h"
#include "batch/ui_run/frmBatchTankData.h"
#include "platform/text/NumberText.h"
#include "batch/ui_run/BatchRunUiSupport.h"
#include "batch/ui_run/GraphLabelChecks.h"

namespace {

int LinesIn(const ui::PictureBox* pic, const QColor& colour) {
  int n = 0;
  for (const auto& c : pic->Calls())
    if (c.kind == "Line" && c.color == colour) ++n;
  return n;
}

bool Printed(const ui::PictureBox* pic, const std::string& text) {
  for (const auto& c : pic->Calls())
    if (c.kind == "Print" && c.text == text) return true;
  return false;
}

void CloseNotice(ui::Form& f, const std::string& text) {
  auto& notice = static_cast<frmBatchMessage&>(f);
  EXPECT_EQ(ui::S(notice.lblMesssage->text()), text);
  notice.Timer1_Timer();
}

class BatchRunWindowTest : public BatchRunUiTest {
 protected:
  void TearDown() override {
    frmBatchCalc::Yield_Hook = nullptr;
    BatchRunUiTest::TearDown();
  }
};

TEST_F(BatchRunWindowTest, TotalRefluxOnlyRunKeepsItsButtonsAndLeavesWithOneClick) {
  Example(1);
  auto& main = Main();
  script.Answer(ui::vbOK, "計算を開始します").Answer(ui::vbOK, "計算完了");
  auto& w = ui::Forms::Get<frmBatchCalc>();

  EXPECT_EQ(w.RunEnd(), BatchEnd::Converged);
  EXPECT_EQ(ui::S(w.windowTitle()), "バッチ蒸留計算  計算過程");
  EXPECT_EQ(ui::S(w.lblCalType->text()), "[全還流計算]");
  for (int i = 1; i <= 5; ++i) EXPECT_TRUE(w.cmdMenu[i]->isVisibleTo(&w)) << i;
  EXPECT_FALSE(w.cmdMenu[6]->isVisibleTo(&w));
  // The top and still lines of every component, and the white convergence marker.
  for (int c = 1; c <= Case.NC; ++c) EXPECT_GT(LinesIn(w.Picture2A, Batch_Component_Colour(c)), 100) << c;
  EXPECT_EQ(LinesIn(w.Picture2A, ui::QBColor(15)), 1);
  // Decade labels of the logarithmic axis (six decades in the example).
  EXPECT_TRUE(Printed(w.Picture2, "1E-06"));
  EXPECT_TRUE(Printed(w.Picture2, "0.1"));
  EXPECT_EQ(ExpectLabelsBesideThePlot(*w.Picture2, *w.Picture2A), 7);  // six decades and "1.0"
  // The time box: the operating time cut to four decimals.
  const double shown = txt::Val(w.Picture3->Calls().back().text);
  EXPECT_LE(shown, Batch.Oper_Time);
  EXPECT_GT(shown, Batch.Oper_Time - 1e-4);

  // The ended run has set the stop flag: the exit button leaves at once.
  EXPECT_EQ(ui::S(w.cmdOK->text()), "戻る(&X)");
  w.cmdOK_Click();
  EXPECT_EQ(ui::Forms::Find<frmBatchCalc>(), nullptr);
  EXPECT_TRUE(main.isEnabled());
  EXPECT_TRUE(main.cmdResult->isVisibleTo(&main));
}

TEST_F(BatchRunWindowTest, LinearAxisIsLabelledInFractionsNotDecades) {
  Example(1);
  Batch.Graph_Scale = 1;
  Batch.Graph_Div = 5;
  script.Answer(ui::vbOK, "計算を開始します").Answer(ui::vbOK, "計算完了");
  auto& w = ui::Forms::Get<frmBatchCalc>();
  for (const char* label : {"0.0", "0.2", "0.4", "0.6", "0.8"}) EXPECT_TRUE(Printed(w.Picture2, label)) << label;
  EXPECT_FALSE(Printed(w.Picture2, "1E-05"));
  EXPECT_EQ(ExpectLabelsBesideThePlot(*w.Picture2, *w.Picture2A), 6);
}

TEST_F(BatchRunWindowTest, ButtonsOpenTheDialogOfThePhaseAndAbortDuringWithdrawalStays) {
  Example(2);
  Case.Language = 1;
  Case.Prog_Title = "Batch Distillation  ";
  auto& main = Main();
  int totalReflux = 0, withdrawal = 0;
  frmBatchCalc::Yield_Hook = [&](frmBatchCalc& w) {
    if (Batch.Prod_Phase == 0 && ++totalReflux == 5) {
      w.cmdMenu4_Click();
      w.cmdMenu5_Click();
    }
    if (Batch.Prod_Phase == 1 && ++withdrawal == 3) {
      EXPECT_EQ(ui::S(w.lblCalType->text()), "[Product Ope]");
      EXPECT_EQ(ui::S(w.cmdMenu[4]->text()), "R/D(&4)");
      EXPECT_EQ(ui::S(w.cmdMenu[5]->text()), "Dist(&5)");
      EXPECT_TRUE(w.cmdMenu[6]->isVisibleTo(&w));
      w.cmdMenu4_Click();
      w.cmdMenu5_Click();
      w.cmdMenu6_Click();
      w.cmdOK_Click();
    }
  };
  auto cancel = [](ui::Form& f) { f.Ctl<QPushButton>("cmdCancel")->click(); };
  script.Answer(ui::vbOK, "Start Calculation")
      .OnModal("frmBatchChangeConvLimit", cancel)
      .OnModal("frmBatchChangeQReb", cancel)
      .OnModal("frmBatchMessage", [](ui::Form& f) { CloseNotice(f, "Total Reflux Converged"); })
      .OnModal("frmBatchChangeReflux", cancel)
      .OnModal("frmBatchChangeDistillate", cancel)
      .OnModal("frmBatchTankData",
               [](ui::Form& f) {
                 EXPECT_EQ(ui::S(static_cast<frmBatchTankData&>(f).lblTKChangeData->text()),
                           "(1) Total Mole = 2(Kg-mol)");
               })
      .Answer(ui::vbYes, "Stop Calculation")
      .OnModal("frmBatchMessage", [](ui::Form& f) { CloseNotice(f, "Change Tank1"); })
      .Answer(ui::vbOK, "End of Calculation")
      .Answer(ui::vbOK, "Abort, end of calculation");
  auto& w = ui::Forms::Get<frmBatchCalc>();

  // The notice of the tank change closed over the window while the stop was
  // pending: the window stays for the final state.
  ASSERT_EQ(ui::Forms::Find<frmBatchCalc>(), &w);
  EXPECT_EQ(w.RunEnd(), BatchEnd::Abort);
  EXPECT_EQ(Case.Stop_Flag, -1);
  for (int i = 1; i <= 6; ++i) EXPECT_FALSE(w.cmdMenu[i]->isVisibleTo(&w)) << i;
  EXPECT_EQ(ui::S(w.cmdOK->text()), "Exit(&X)");
  const auto log = LogTails();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], " Cal_time=0.0030 End of Calculation");
  EXPECT_EQ(log.back(), " Cal_time=0.0030 Abort, end of calculation");
  // A grey marker for the recorded tank beside the white one of convergence.
  EXPECT_EQ(LinesIn(w.Picture2A, ui::QBColor(8)) > 0, true);

  w.cmdOK_Click();
  EXPECT_EQ(ui::Forms::Find<frmBatchCalc>(), nullptr);
  EXPECT_TRUE(main.isEnabled());
  // The run left all its files: its results are offered.
  EXPECT_TRUE(main.cmdResult->isVisibleTo(&main));
}

TEST_F(BatchRunWindowTest, ModeThreeWithdrawalOpensTheReboilerDialog) {
  Example(3);
  Batch.Prod_Spec[3][1] = Batch.Prod_Spec[3][2] = Batch.QReb_TR;
  frmBatchCalc::Yield_Hook = [](frmBatchCalc& w) {
    if (Batch.Prod_Phase == 1) {
      EXPECT_EQ(ui::S(w.cmdMenu[5]->text()), "ﾘﾎﾞｲﾗ(&5)");
      w.cmdMenu5_Click();
      Case.Stop_Flag = 1;
    }
  };
  script.Answer(ui::vbOK, "計算を開始します")
      .OnModal("frmBatchMessage", [](ui::Form& f) { CloseNotice(f, "全還流収束"); })
      .OnModal("frmBatchChangeQReb", [](ui::Form& f) { f.Ctl<QPushButton>("cmdCancel")->click(); })
      .OnModal("frmBatchMessage", [](ui::Form& f) { CloseNotice(f, "製品タンク切替1"); })
      .Answer(ui::vbOK, "計算完了")
      .Answer(ui::vbOK, "中止により計算終了");
  ui::Forms::Get<frmBatchCalc>();
}

TEST_F(BatchRunWindowTest, StopQuestionAnsweredNoGoesOnAndYesDuringTotalRefluxCloses) {
  Example(2);
  auto& main = Main();
  int steps = 0;
  frmBatchCalc::Yield_Hook = [&](frmBatchCalc& w) {
    ++steps;
    if (steps == 3) {
      w.cmdOK_Click();
      EXPECT_EQ(Case.Stop_Flag, 0);
      EXPECT_FALSE(main.cmdResult->isVisibleTo(&main));
    }
    if (steps == 6) w.cmdOK_Click();
  };
  script.Answer(ui::vbOK, "計算を開始します")
      .Answer(ui::vbNo, "計算中止")
      .Answer(ui::vbYes, "計算中止")
      .Answer(ui::vbOK, "中止により計算終了");
  ui::Forms::Get<frmBatchCalc>();

  EXPECT_EQ(steps, 6);
  EXPECT_EQ(ui::Forms::Find<frmBatchCalc>(), nullptr);
  EXPECT_EQ(Case.Stop_Flag, 1);
  EXPECT_TRUE(main.isEnabled());
  EXPECT_TRUE(main.cmdResult->isVisibleTo(&main));
  EXPECT_EQ(LogTails().back(), " Cal_time=0.0060 中止により計算終了");
}

// A left click at the middle of a control, as the mouse gives it.
void MouseClick(QWidget* w) {
  const QPointF at(w->width() / 2.0, w->height() / 2.0);
  QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(w, &release);
}

// The mouse alone: the calculate button starts the run, the run window's
// buttons open change dialogs during it (a refused value first), and its abort
// button ends it.
TEST_F(BatchRunWindowTest, MouseStartsARunChangesItAndAbortsIt) {
  Case.Program_Mode = 1;
  auto& main = ui::Forms::Get<frmBatchDistillationMain>();
  main.Show();
  MouseClick(main.cmdExample);
  Batch.Diff_Time = 0.001;
  int steps = 0;
  frmBatchCalc::Yield_Hook = [&](frmBatchCalc& w) {
    ++steps;
    EXPECT_FALSE(main.isEnabled());
    if (steps == 3) {
      MouseClick(w.cmdMenu[2]);
      MouseClick(w.cmdMenu[4]);
    }
    if (steps == 6) MouseClick(w.cmdOK);
  };
  auto type = [](const char* box, const char* text) {
    return [=](ui::Form& f) {
      f.Ctl<QLineEdit>(box)->setText(text);
      MouseClick(f.Ctl<QPushButton>("cmdOK"));
    };
  };
  script.Answer(ui::vbOK, "計算を開始します")
      .OnModal("frmBatchChangeDiffTime",
               [&](ui::Form& f) {
                 type("txtDiffTimeNew", "0")(f);
                 ASSERT_EQ(ui::Forms::Find<frmBatchChangeDiffTime>(), &f);
                 type("txtDiffTimeNew", "0.002")(f);
               })
      .Answer(ui::vbOK, "微分時間は0より大きい値を入力してください。")
      .OnModal("frmBatchChangeConvLimit", type("txtConvLimitNew", "1e-9"))
      .Answer(ui::vbYes, "計算中止")
      .Answer(ui::vbOK, "中止により計算終了");
  MouseClick(main.cmdGoCalc);

  EXPECT_EQ(steps, 6);
  EXPECT_EQ(ui::Forms::Find<frmBatchCalc>(), nullptr);
  EXPECT_EQ(Batch.Run_Diff_Time, 0.002);
  EXPECT_EQ(Batch.Run_Conv_Limit, 1e-9);
  EXPECT_TRUE(main.isEnabled());
  EXPECT_TRUE(main.cmdResult->isVisibleTo(&main));
  // The changes are logged at the time of the step they interrupt, and the new
  // step is taken from the next step on: three of 0.001 h, then three of 0.002 h.
  const auto log = LogTails();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[1], " Cal_time=0.0020 微分時間変更　　　　Old= 0.001  New=0.002");
  EXPECT_EQ(log[2], " Cal_time=0.0020 収束許容誤差変更　　Old= 0.001  New=1e-9");
  EXPECT_EQ(log[3], " Cal_time=0.0090 中止により計算終了");
}

// ---------------------------------------------------------------- graphs

class BatchGraphsTest : public BatchRunUiTest {
 protected:
  void SetUp() override {
    BatchRunUiTest::SetUp();
    Case.NC = 2;
    Case.NT = 3;
    Case.Comp_Name[1] = "A";
    Case.Comp_Name[2] = "B";
    Batch.Graph_Div = 5;
    Batch.Graph_Scale = 0;
    Batch.Diff_Time = Batch.Run_Diff_Time = 0.001;
    Case.Tray_X[1][1] = 0.01;
    Case.Tray_X[1][3] = 0.5;
    Case.Tray_X[2][1] = 0;  // absent at the top: below the logarithmic axis
    Case.Tray_X[2][3] = 0.5;
  }
};

TEST_F(BatchGraphsTest, LogarithmicAxesPlaceAHundredthThreeDivisionsIn) {
  frmBatchCalc w;
  Graph_Tray_Frame(w, 0);
  const BatchGraphState& g = Batch_Graph;
  EXPECT_EQ(Profile_X(0.01, g.Graph_Left, g.Graph_Right, g.Graph_Div_W), g.Graph_Left + 3 * g.Graph_Div_W);
  EXPECT_EQ(Profile_X(0, g.Graph_Left, g.Graph_Right, g.Graph_Div_W), g.Graph_Left);
  // The compact frame labels only the left end of the axis, then "1.0" at the right.
  EXPECT_TRUE(Printed(w.Picture1, "1E-05"));
  EXPECT_FALSE(Printed(w.Picture1, "0.001"));
  EXPECT_TRUE(Printed(w.Picture1, "1.0"));

  Graph_History_Frame(w, 0);
  const double h = w.Picture2A->ScaleHeight();
  const int d = static_cast<int>(txt::RoundHalfEven(h / 5));
  EXPECT_EQ(History_Y(0.01, h, d), static_cast<int>(std::floor(h - 3 * d)));
  EXPECT_GE(History_Y(0, h, d), h);
  EXPECT_GE(History_Y(1e-5, h, d), h);
}

TEST_F(BatchGraphsTest, LiveHistoryJoinsPointsAboveTheAxisAndScrollsWhenFull) {
  frmBatchCalc w;
  Graph_History_Frame(w, 0);
  Batch_Graph.Graph_X_Step = 0;
  const QColor a = Batch_Component_Colour(1), b = Batch_Component_Colour(2);
  w.Graph_Tray_Profile2();  // the first step only records where the lines start
  EXPECT_EQ(LinesIn(w.Picture2A, a) + LinesIn(w.Picture2A, b), 0);
  w.Graph_Tray_Profile2();
  EXPECT_EQ(LinesIn(w.Picture2A, a), 2);
  EXPECT_EQ(LinesIn(w.Picture2A, b), 1);  // the still only: the top fraction is 0
  // A doubled step moves the graph twice as far.
  Batch.Run_Diff_Time = 0.002;
  const double before = Batch_Graph.Graph_X_Step;
  w.Graph_Tray_Profile2();
  EXPECT_DOUBLE_EQ(Batch_Graph.Graph_X_Step, before + 2);

  Case.Language = 1;
  const double width = w.Picture2A->ScaleWidth();
  Batch_Graph.Graph_X_Step = width;
  script.OnModal("frmBatchMessage", [](ui::Form& f) { CloseNotice(f, "over X-axis"); });
  w.Graph_Tray_Profile2();
  EXPECT_DOUBLE_EQ(Batch_Graph.Graph_X_Step, std::floor(width / 2) + 2);
  ASSERT_FALSE(w.Picture2A->Calls().empty());
  EXPECT_EQ(w.Picture2A->Calls().front().kind, "Paint");
  EXPECT_EQ(Batch_Graph.Graph_Last_Y[2][1], History_Y(0.5, w.Picture2A->ScaleHeight(), Batch_Graph.Graph_Div_H));
}

TEST_F(BatchGraphsTest, ProfileClickRedrawsFrameProfileAndTime) {
  frmBatchCalc w;
  Batch.Oper_Time = 0.123456;
  w.Picture1->ClickAt(100, 100);
  EXPECT_GT(LinesIn(w.Picture1, Batch_Component_Colour(1)), 0);
  EXPECT_EQ(w.Picture3->Calls().back().text, "0.1234");
}

}  // namespace
