// The run-time windows: change dialogs and their log lines, the residual table,
// the plate table, the tank status, the notice and the log viewer.
#include <QLineEdit>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <type_traits>
#include <vector>

#include "batch/ui_run/BatchChangeDialog.h"
#include "batch/ui_run/BatchGraphs.h"
#include "batch/ui_run/frmBatchChangeConvLimit.h"
#include "batch/ui_run/frmBatchChangeDiffTime.h"
#include "batch/ui_run/frmBatchChangeDistillate.h"
#include "batch/ui_run/frmBatchChangeQReb.h"
#include "batch/ui_run/frmBatchChangeReflux.h"
#include "batch/ui_run/frmBatchChangeSaveInterval.h"
#include "batch/ui_run/frmBatchDispLog.h"
#include "batch/ui_run/frmBatchMessage.h"
#include "batch/ui_run/frmBatchTankData.h"
#include "batch/ui_run/frmBatchTrayData.h"
#include "batch/ui_run/BatchRunUiSupport.h"

namespace {

class BatchRunDialogsTest : public BatchRunUiTest {
 protected:
  void SetUp() override {
    BatchRunUiTest::SetUp();
    Batch.Batch_Log_File = Batch_Log_Path();
    Batch.Oper_Time = 0.25;
  }
  // Opens a change dialog afresh, types `text` and presses OK.
  template <typename Dialog>
  Dialog& Change(const char* box, const std::string& text) {
    auto& d = ui::Forms::Get<Dialog>();
    d.Form_Activate();
    d.template Ctl<QLineEdit>(box)->setText(ui::Q(text));
    d.cmdOK_Click();
    return d;
  }
};

TEST_F(BatchRunDialogsTest, ChangeIsLoggedOnlyWhenTheNumberDiffers) {
  Batch.Run_Diff_Time = 0.5;
  auto& d = ui::Forms::Get<frmBatchChangeDiffTime>();
  d.Form_Activate();
  EXPECT_EQ(ui::S(d.lblOldValue->text()), "0.5");
  EXPECT_EQ(ui::S(d.txtNew->text()), "0.5");
  EXPECT_EQ(ui::S(d.lblTimeValue->text()), "0.25");
  d.cmdOK_Click();  // unchanged
  Change<frmBatchChangeDiffTime>("txtDiffTimeNew", "0.50");  // written otherwise, same number
  EXPECT_FALSE(std::ifstream(Batch_Log_Path()).good());
  EXPECT_EQ(Batch.Run_Diff_Time, 0.5);

  Change<frmBatchChangeDiffTime>("txtDiffTimeNew", "0.25");
  Change<frmBatchChangeDiffTime>("txtDiffTimeNew", "1e-3");
  EXPECT_EQ(Batch.Run_Diff_Time, 0.001);
  const auto log = LogTails();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], " Cal_time=0.2500 微分時間変更　　　　Old= 0.5  New=0.25");
  EXPECT_EQ(log[1], " Cal_time=0.2500 微分時間変更　　　　Old= 0.25  New=1e-3");
  EXPECT_EQ(ui::Forms::Find<frmBatchChangeDiffTime>(), nullptr);
}

TEST_F(BatchRunDialogsTest, TextThatIsNoNumberIsRefusedAndNothingStored) {
  Batch.Run_Reflux = 5;
  script.Answer(ui::vbOK, "に数値を入力してください。")
      .Answer(ui::vbOK, "の「6x」は数値ではありません。")
      .Answer(ui::vbOK, "の「abc」は数値ではありません。");
  Change<frmBatchChangeReflux>("txtRefluxNew", "");
  Change<frmBatchChangeReflux>("txtRefluxNew", "6x");
  Change<frmBatchChangeReflux>("txtRefluxNew", "abc");
  EXPECT_EQ(Batch.Run_Reflux, 5);
  EXPECT_NE(ui::Forms::Find<frmBatchChangeReflux>(), nullptr);  // still open for a correction
  Change<frmBatchChangeReflux>("txtRefluxNew", "0.5");
  EXPECT_EQ(Batch.Run_Reflux, 0.5);
  Case.Language = 1;
  Change<frmBatchChangeReflux>("txtRefluxNew", "2");
  const auto log = LogTails();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], " Cal_time=0.2500 還流比変更　　　　　Old= 5  New=0.5");
  EXPECT_EQ(log[1], " Cal_time=0.2500 Change Reflux Ratio Old= 0.5  New=2");
}

// Every value the run cannot work with is refused in both languages, stays
// out of the log and leaves the value in force; the dialog stays open.
TEST_F(BatchRunDialogsTest, ValuesTheRunCannotUseAreRefused) {
  Batch.Run_Diff_Time = 0.0002;
  Batch.Run_Save_Interval = 0.01;
  Batch.Run_Conv_Limit = 1e-5;
  Batch.Run_QReb = 1000;
  Batch.Run_Reflux = 3;
  Batch.Run_Distillate = 2;
  struct Case_ {
    int language;
    std::string text, message;
  };
  auto refuse = [&](auto* dialogType, const char* box, const std::vector<Case_>& cases) {
    using Dialog = std::remove_pointer_t<decltype(dialogType)>;
    for (const Case_& c : cases) {
      Case.Language = static_cast<int16_t>(c.language);
      script.Answer(ui::vbOK, c.message);
      Change<Dialog>(box, c.text);
      EXPECT_NE(ui::Forms::Find<Dialog>(), nullptr) << c.text;
      ui::Forms::Unload(ui::Forms::Find<Dialog>());
    }
  };
  refuse(static_cast<frmBatchChangeDiffTime*>(nullptr), "txtDiffTimeNew",
         {{0, "0", "微分時間は0より大きい値を入力してください。"},
          {1, "-0.001", "Enter a time step greater than 0."},
          {1, "1e999", "Diff Time New (Hr): \"1e999\" is beyond the range of a number."},
          {0, "-1e999", "「微分時間 Ｎｅｗ (Hr)」の「-1e999」は数値の範囲を超えています。"}});
  refuse(static_cast<frmBatchChangeSaveInterval*>(nullptr), "txtSaveTimeNew",
         {{0, "-0.01", "保存周期は0以上の値を入力してください。"}, {1, "-1", "Enter a save interval of 0 or more."}});
  refuse(static_cast<frmBatchChangeConvLimit*>(nullptr), "txtConvLimitNew",
         {{0, "-1e-5", "収束許容誤差は0以上の値を入力してください。"},
          {1, "-1", "Enter a convergence limit of 0 or more."}});
  refuse(static_cast<frmBatchChangeQReb*>(nullptr), "txtQrebNew",
         {{0, "-500", "リボイラー熱量は0より大きい値を入力してください。"},
          {1, "0", "Enter a reboiler heat duty greater than 0."}});
  refuse(static_cast<frmBatchChangeReflux*>(nullptr), "txtRefluxNew",
         {{0, "0", "還流比は0より大きい値を入力してください。"}, {1, "-1", "Enter a reflux ratio greater than 0."}});
  refuse(static_cast<frmBatchChangeDistillate*>(nullptr), "txtDistillateNew",
         {{0, "-2", "抜き出し量は0以上の値を入力してください。"}, {1, "-0.5", "Enter a distillate flow of 0 or more."}});
  EXPECT_EQ(Batch.Run_Diff_Time, 0.0002);
  EXPECT_EQ(Batch.Run_Save_Interval, 0.01);
  EXPECT_EQ(Batch.Run_Conv_Limit, 1e-5);
  EXPECT_EQ(Batch.Run_QReb, 1000);
  EXPECT_EQ(Batch.Run_Reflux, 3);
  EXPECT_EQ(Batch.Run_Distillate, 2);
  EXPECT_FALSE(std::ifstream(Batch_Log_Path()).good());

  // The bounds themselves where the run can use them: no saving, no withdrawal.
  Change<frmBatchChangeSaveInterval>("txtSaveTimeNew", "0");
  Change<frmBatchChangeDistillate>("txtDistillateNew", "0");
  EXPECT_EQ(Batch.Run_Save_Interval, 0);
  EXPECT_EQ(Batch.Run_Distillate, 0);
}

TEST_F(BatchRunDialogsTest, OperatingTimeShowsItsFourPlacesWithoutTheNoiseOfTheSteps) {
  double t = 0;
  for (int i = 0; i < 3063; ++i) t += 0.0002;  // 0.6126, as a run reaches it
  Batch.Oper_Time = t;
  auto& d = ui::Forms::Get<frmBatchChangeReflux>();
  d.Form_Activate();
  EXPECT_EQ(ui::S(d.lblTimeValue->text()), "0.6126");
  EXPECT_EQ(ui::S(ui::Forms::Get<frmBatchTrayData>().lblTimeValue->text()), "0.6126");
  EXPECT_EQ(Batch_Time_Text(1.4989999999999), "1.499");
  EXPECT_EQ(Batch_Time_Text(0.4903999999999979), "0.4904");
  EXPECT_EQ(Batch_Time_Text(0.123456), "0.1234");  // cut, not rounded
  EXPECT_EQ(Batch_Time_Text(0.00029), "0.0002");
  EXPECT_EQ(Batch_Time_Text(0.8306, 3), "0.83");
}

TEST_F(BatchRunDialogsTest, ALogThatCannotBeWrittenIsSaidAndTheChangeStillTakesEffect) {
  Batch.Batch_Log_File = DataPath("no such folder/B_Calc_Log.dat");
  Batch.Run_Save_Interval = 0.002;
  script.Answer(ui::vbOK, "ファイルに書き込めません: " + Batch.Batch_Log_File);
  Change<frmBatchChangeSaveInterval>("txtSaveTimeNew", "0.01");
  EXPECT_EQ(Batch.Run_Save_Interval, 0.01);
}

TEST_F(BatchRunDialogsTest, ReboilerDutyIsShownTypedAndLoggedInTheDisplayUnit) {
  Case.H_Unit = 2;  // kcal
  Batch.Run_QReb = 4186.05 * 1000;
  auto& d = ui::Forms::Get<frmBatchChangeQReb>();
  d.Form_Activate();
  EXPECT_EQ(ui::S(d.lblOldValue->text()), "1000");
  EXPECT_EQ(ui::S(d.lblUnit1->text()), "Kcal/H");
  EXPECT_EQ(ui::S(d.lblUnit2->text()), "Kcal/H");
  d.txtNew->setText("1500");
  d.cmdOK_Click();
  EXPECT_DOUBLE_EQ(Batch.Run_QReb, 4186.05 * 1500);
  EXPECT_EQ(LogTails().at(0), " Cal_time=0.2500 リボイラ熱量変更　　Old= 1000  New=1500");
}

TEST_F(BatchRunDialogsTest, CancelAndEscapeStoreNothing) {
  Batch.Run_Diff_Time = 0.5;
  auto& d = ui::Forms::Get<frmBatchChangeDiffTime>();
  d.Form_Activate();
  d.txtNew->setText("0.1");
  ui::SendKey(d.txtNew, ui::vbKeyEscape);
  EXPECT_EQ(ui::Forms::Find<frmBatchChangeDiffTime>(), nullptr);
  EXPECT_EQ(Batch.Run_Diff_Time, 0.5);
  EXPECT_FALSE(std::ifstream(Batch_Log_Path()).good());
}

TEST_F(BatchRunDialogsTest, ResidualTableHighlightsOnlyWhatExceedsTheLimit) {
  Case.NC = 2;
  Case.NT = 3;
  Case.Comp_Name[1] = "Methanol";
  Case.Comp_Name[2] = "Water";
  // Binary fractions, so the residuals are exact: 0.125 equals the limit, 0.25 exceeds it.
  Case.Tray_X[1][1] = 0.625, Case.Tray_Y[1][2] = 0.5;
  Case.Tray_X[2][1] = 0.5, Case.Tray_Y[2][2] = 0.25;
  Case.Tray_X[1][2] = 0.5, Case.Tray_Y[1][3] = 0.5;
  Case.Tray_X[2][2] = 0.25, Case.Tray_Y[2][3] = 0.5;
  Batch.Run_Conv_Limit = 0.125;
  auto& d = ui::Forms::Get<frmBatchChangeConvLimit>();
  d.Form_Activate();
  ui::SpreadGrid& g = *d.vaSpread1;
  EXPECT_EQ(g.MaxCols(), 2);
  EXPECT_EQ(g.MaxRows(), 2);
  EXPECT_EQ(g.Text(0, 0), "段");
  EXPECT_EQ(g.Text(2, 0), "Water");
  EXPECT_DOUBLE_EQ(g.Value(1, 1), 0.125);
  EXPECT_DOUBLE_EQ(g.Value(2, 2), -0.25);
  EXPECT_FALSE(g.BackColor(1, 1).has_value());
  EXPECT_EQ(g.BackColor(2, 1), Batch_Highlight_Colour());
  EXPECT_EQ(g.BackColor(2, 2), Batch_Highlight_Colour());
  EXPECT_FALSE(g.BackColor(1, 2).has_value());
  // Long and tiny residuals are written to fit the column, never cut to dots.
  Case.Tray_X[1][2] = 0.5 + 1.0 / 30;
  Case.Tray_X[2][2] = 3e-7, Case.Tray_Y[2][3] = 0;
  d.Form_Activate();
  EXPECT_EQ(g.Text(1, 2), "0.0333333333");
  EXPECT_EQ(g.Text(2, 2), "3.00000E-07");
}

TEST_F(BatchRunDialogsTest, PlateTableFollowsTheTemperatureUnit) {
  Case.Language = 1;
  Case.T_Unit = 2;
  Case.NC = 2;
  Case.NT = 200;
  Case.Comp_Name[2] = "Water";
  Case.Tray_T[200] = 100;
  Case.Tray_X[2][200] = 0.75;
  Batch.Oper_Time = 1.5;
  auto& t = ui::Forms::Get<frmBatchTrayData>();
  ui::SpreadGrid& g = *t.vaSpread1;
  EXPECT_EQ(g.MaxRows(), 200);
  EXPECT_EQ(g.MaxCols(), 3);
  EXPECT_EQ(g.Text(0, 0), "Stage");
  EXPECT_EQ(g.Text(1, 0).rfind("Temp ", 0), 0u);
  EXPECT_EQ(g.Text(3, 0), "Water");
  EXPECT_EQ(g.Text(0, 200), "200");
  EXPECT_DOUBLE_EQ(g.Value(1, 200), 373.15);
  EXPECT_DOUBLE_EQ(g.Value(3, 200), 0.75);
  EXPECT_EQ(ui::S(t.lblTimeValue->text()), "1.5");
  ui::SendKey(t.vaSpread1, ui::vbKeyEscape);
  EXPECT_EQ(ui::Forms::Find<frmBatchTrayData>(), nullptr);
}

TEST_F(BatchRunDialogsTest, TankWindowShowsContentsAndTheWatchedCell) {
  Case.NC = 2;
  Case.Comp_Name[1] = "Methanol";
  Case.Comp_Name[2] = "Water";
  Case.Mol_Wt[1] = 32;
  Case.Mol_Wt[2] = 18;
  Batch.Tank_Amount[1] = 1.5;
  Batch.Tank_Amount[2] = 0.5;
  Batch.Tank_No = 2;
  Batch.Tank_Cond[2] = 101;
  Batch.Tank_Value[2] = -0.05;
  auto& t = ui::Forms::Get<frmBatchTankData>();
  ui::SpreadGrid& g = *t.vaSpread1;
  EXPECT_EQ(ui::S(t.lblTKChangeData->text()), "(2) Methanolの重量分率 ＜ 0.05");
  EXPECT_EQ(g.BackColor(4, 3), Batch_Highlight_Colour());
  EXPECT_EQ(g.Text(1, 1), "2.");
  EXPECT_EQ(g.Text(3, 1), "57.");
  EXPECT_EQ(g.Text(2, 3), "0.75");
  EXPECT_EQ(g.Text(4, 3), "0.842105");  // 48 / 57, with its leading zero
  EXPECT_EQ(g.Text(1, 2), "(Kg-mol)");
  EXPECT_EQ(g.Text(0, 1).find_first_not_of(' '), std::string::npos);  // no name, no number

  // Amount conditions and a threshold of 0, in English.
  Case.Language = 1;
  Batch.Tank_Cond[1] = -1, Batch.Tank_Value[1] = 100;
  EXPECT_EQ(Batch_Tank_Condition_Text(1).text, "(1) Total Mole = 100(Kg-mol)");
  EXPECT_EQ(Batch_Tank_Condition_Text(1).row, 1);
  EXPECT_EQ(Batch_Tank_Condition_Text(1).col, 1);
  Batch.Tank_Cond[3] = 1, Batch.Tank_Value[3] = 0;
  EXPECT_EQ(Batch_Tank_Condition_Text(3).text, "(3) Methanol Mole Fraction < 0");
}

TEST_F(BatchRunDialogsTest, EmptyTankShowsNoFractions) {
  Case.NC = 2;
  Case.Mol_Wt[1] = Case.Mol_Wt[2] = 18;
  Batch.Tank_No = 0;  // no withdrawal yet in this process
  auto& t = ui::Forms::Get<frmBatchTankData>();
  EXPECT_EQ(t.vaSpread1->Text(2, 3), "");
  EXPECT_EQ(t.vaSpread1->Text(4, 4), "");
  EXPECT_EQ(t.vaSpread1->Text(1, 3), "0.");
}

TEST_F(BatchRunDialogsTest, NoticeClosesByItsTimerOrItsButton) {
  script.OnModal("frmBatchMessage", [](ui::Form& f) {
    auto& n = static_cast<frmBatchMessage&>(f);
    EXPECT_TRUE(n.Timer1->isActive());
    EXPECT_EQ(n.Timer1->interval(), 5000);
    n.Timer1_Timer();
  });
  script.OnModal("frmBatchMessage", [](ui::Form& f) { static_cast<frmBatchMessage&>(f).cmdOK_Click(); });
  Batch_Show_Notice("全還流収束");
  EXPECT_EQ(ui::Forms::Find<frmBatchMessage>(), nullptr);
  Batch_Show_Notice("製品タンク切替1");
  EXPECT_EQ(ui::Forms::Find<frmBatchMessage>(), nullptr);
}

TEST_F(BatchRunDialogsTest, LogViewerShowsEveryLineWithItsBreak) {
  std::string text;
  {
    std::ofstream(Batch_Log_Path(), std::ios::binary) << "a\r\n\r\nb 全還流収束";
  }
  ASSERT_TRUE(Batch_Read_Log_Text(Batch_Log_Path(), text));
  EXPECT_EQ(text, "a\r\n\r\nb 全還流収束\r\n");
  {
    std::ofstream(Batch_Log_Path(), std::ios::binary | std::ios::trunc);
  }
  ASSERT_TRUE(Batch_Read_Log_Text(Batch_Log_Path(), text));
  EXPECT_EQ(text, "");

  Batch.Batch_Log_File = DataPath("missing.dat");
  script.Answer(ui::vbOK, "計算過程のログが読めません");
  auto& v = ui::Forms::Get<frmBatchDispLog>();
  v.Form_Activate();
  EXPECT_TRUE(v.txtMemoText->toPlainText().isEmpty());
}

// The viewer over what a user may find in place of the log: every refusal
// comes at once, names the file and says why, and the window stays usable.
TEST_F(BatchRunDialogsTest, LogViewerRefusesWhatIsNoLogFile) {
  const std::string folder = DataPath("folder_Log.dat");
  std::filesystem::create_directory(folder);
  const std::string fifo = DataPath("fifo_Log.dat");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case_ {
    std::string path;
    const char* japanese;
    const char* english;
  } cases[] = {
      {folder, "ファイルではありません", "this is not a file"},
      {fifo, "ファイルではありません", "this is not a file"},  // would wait for a writer
      {"/dev/zero", "ファイルではありません", "this is not a file"},  // would be read without end
      {DataPath("missing_Log.dat"), "ファイルがありません", "the file does not exist"},
      {"", "まだ計算をしていません", "no calculation has been run yet"},
  };
  for (int language : {0, 1}) {
    ::Case.Language = language;
    for (const auto& c : cases) {
      SCOPED_TRACE(c.path + (language ? " en" : " ja"));
      Batch.Batch_Log_File = c.path;
      script.Answer(ui::vbOK, language ? c.english : c.japanese);
      auto& v = ui::Forms::Get<frmBatchDispLog>();
      v.Form_Load();
      v.Form_Activate();
      ASSERT_FALSE(script.messages.empty());
      EXPECT_NE(script.messages.back().text.find(language ? "The calculation log cannot be read: " + c.path
                                                           : "計算過程のログが読めません: " + c.path),
                std::string::npos);
      EXPECT_EQ(script.messages.back().title, ::Case.Prog_Title);
      EXPECT_TRUE(v.txtMemoText->toPlainText().isEmpty());
      v.cmdOK_Click();
      EXPECT_EQ(ui::Forms::Find<frmBatchDispLog>(), nullptr);
    }
  }
  // Binary bytes are no log either.
  ::Case.Language = 0;
  {
    std::ofstream(Batch_Log_Path(), std::ios::binary) << std::string("a\r\n\0\0b", 6);
  }
  Batch.Batch_Log_File = Batch_Log_Path();
  script.Answer(ui::vbOK, "テキストではありません");
  ui::Forms::Get<frmBatchDispLog>().Form_Activate();
  EXPECT_EQ(script.Pending(), 0u);
}

// A log far longer than any run writes (200 MiB, mostly a hole in the file):
// its end is shown, from a whole line, and the window says that it is the end.
TEST_F(BatchRunDialogsTest, LogViewerShowsTheEndOfALogTooLongToShow) {
  const std::string path = Batch_Log_Path();
  constexpr off_t kSize = 200LL * 1024 * 1024;
  std::string tail;
  for (int n = 0; tail.size() < kLogShownBytes + 300000; ++n)
    tail += "2026/12/09 05:00:00 Cal_time=   0.0001  i= 2            j = 5 : 組成がマイナス " + std::to_string(n) + "\r\n";
  tail += "2026/12/09 05:00:00 Cal_time=  10.0000  計算完了";  // no break after the last line
  {
    std::ofstream out(path, std::ios::binary);
  }
  ASSERT_EQ(::truncate(path.c_str(), kSize - static_cast<off_t>(tail.size())), 0);
  {
    std::ofstream(path, std::ios::binary | std::ios::app) << tail;
  }
  ASSERT_EQ(std::filesystem::file_size(path), static_cast<std::uintmax_t>(kSize));

  for (int language : {0, 1}) {
    ::Case.Language = language;
    script.Answer(ui::vbOK, language ? "too long (200.0 MB): only its last 2.0 MB" : "長すぎるため（200.0 MB）");
    auto& v = ui::Forms::Get<frmBatchDispLog>();
    v.Form_Load();
    v.Form_Activate();
    const std::string shown = ui::S(v.txtMemoText->toPlainText());
    EXPECT_EQ(shown.rfind(language ? "(the earlier part of the log is left out)\n" : "（ログの前の部分は省略しています）\n", 0), 0u);
    EXPECT_LE(shown.size(), kLogShownBytes + 100);
    EXPECT_GT(shown.size(), kLogShownBytes * 9 / 10);  // CR LF is shown as one break
    // The end of the file, its last line with a break; the first shown line is whole.
    EXPECT_EQ(shown.substr(shown.size() - 50), tail.substr(tail.size() - 49) + "\n");
    const std::size_t first = shown.find('\n') + 1;
    EXPECT_EQ(shown.compare(first, 20, "2026/12/09 05:00:00 "), 0);
    EXPECT_EQ(ui::S(v.lblTitle->text()), language ? "Calculation Log (its last 2.0 MB)" : "計算過程のログ（最後の 2.0 MB）");
    v.cmdOK_Click();
  }
  EXPECT_EQ(script.Pending(), 0u);
}

TEST_F(BatchRunDialogsTest, LogReadByItsEndStartsAtALineOrACharacter) {
  {
    std::ofstream(Batch_Log_Path(), std::ios::binary) << "first line\r\nsecond\r\nthird";
  }
  BatchLogText log = Batch_Read_Log(Batch_Log_Path(), 12);  // "cond\r\nthird" and one byte before
  ASSERT_TRUE(log.ok);
  EXPECT_TRUE(log.cut);
  EXPECT_EQ(log.text, "third\r\n");
  log = Batch_Read_Log(Batch_Log_Path(), 1000);
  EXPECT_FALSE(log.cut);
  EXPECT_EQ(log.text, "first line\r\nsecond\r\nthird\r\n");
  // One long line of three-byte characters cut inside one: no half character.
  {
    std::ofstream(Batch_Log_Path(), std::ios::binary) << "全還流収束";
  }
  log = Batch_Read_Log(Batch_Log_Path(), 7);
  ASSERT_TRUE(log.ok);
  EXPECT_EQ(log.text, "収束\r\n");
}

}  // namespace
