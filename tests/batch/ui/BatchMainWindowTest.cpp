// The batch main window: load, example summary, the calculate button's checks
// and the start of the run window, reading and saving case files.
#include <QPushButton>

#include <fstream>

#include "batch/model/BatchCaseFile.h"
#include "batch/run/BatchRunFiles.h"
#include "batch/ui/frmBatchFeed.h"
#include "platform/ui/Programs.h"
#include "batch/ui/BatchTestWindows.h"

namespace {

// Stands in for the run window so the start of a run can be watched.
class FakeRun : public ui::Form {
 public:
  FakeRun() : ui::Form("frmBatchCalc") {}
};

}  // namespace

TEST_F(BatchWindowTest, LoadsAsProgramOneWithDefaultsAndEmptySummary) {
  const ui::ProgramWindow* program = ui::FindProgramWindow(1);
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(program->formName, "frmBatchDistillationMain");
  Case.NC = 12;
  Case.NT = 30;
  Case.Comp_Name[1] = "Old";
  Batch.Ope_Mode = 2;
  auto& f = OpenMain(1);
  EXPECT_EQ(Case.Prog_Title, "Batch Distillation  ");
  EXPECT_EQ(ui::S(f.Caption()), "Batch Distillation  Program Menu  ");
  EXPECT_EQ(ui::S(f.cmdTray->text()), "TrayData(&4)");
  EXPECT_EQ(Case.Max_Tray, 200);
  EXPECT_EQ(Case.NC, 12) << "the defaults keep the counts";
  EXPECT_EQ(Case.NT, 30);
  EXPECT_EQ(Case.Comp_Name[1], "");
  EXPECT_EQ(Batch.Ope_Mode, 1);
  EXPECT_FALSE(f.cmdResult->isVisibleTo(&f));
  EXPECT_EQ(Text(f.lblNCData), "");
  EXPECT_EQ(Text(f.lblSaveFileNameData), " B_Calc_1 ～ _5.dat");
}

TEST_F(BatchWindowTest, ExampleFillsTheSummary) {
  auto& f = OpenExample();
  EXPECT_EQ(Text(f.lblTempUnitData), "℃");
  EXPECT_EQ(Text(f.lblPressUnitData), "mmHg");
  EXPECT_EQ(Text(f.lblHeatUnitData), "Kcal");
  EXPECT_EQ(Text(f.lblNCData), "3");
  EXPECT_EQ(Text(f.lblNTData), "10");
  EXPECT_EQ(Text(f.lblTopPressData), "760");
  EXPECT_EQ(Text(f.lblBtmPressData), "770");
  EXPECT_EQ(Text(f.lblKValue), "2.Antoine+Wilson");
  EXPECT_EQ(Text(f.lblFeedData), "100");
  EXPECT_EQ(Text(f.lblBtmData), "87");
  EXPECT_EQ(Text(f.lblUnitFeed), "Kgmol");
  EXPECT_EQ(Text(f.lblUnitBottom), "Kgmol");
  EXPECT_EQ(Text(f.lblDiffTimeData), "0.0002");
  EXPECT_EQ(Text(f.lblOperation), "全還流運転→製品抜出操作");
  EXPECT_TRUE(f.lblProdChangeData->isVisibleTo(&f));
  EXPECT_EQ(Text(f.lblProdChangeData), "1");
  EXPECT_EQ(Case.Program_Mode, 1);
}

TEST_F(BatchWindowTest, MissingCountsGiveTheirMessagesWithTheProgramTitle) {
  auto& f = OpenMain(1);
  script.Answer(ui::vbOK, "No Component Name").Answer(ui::vbOK, "T.Plate does not input");
  Case.NC = 0;
  Case.NT = 0;
  f.cmdFeed->click();
  f.cmdTray->click();
  ASSERT_EQ(script.messages.size(), 2u);
  EXPECT_EQ(script.messages[0].title, "Batch Distillation  ");
  EXPECT_EQ(script.messages[0].style, ui::vbOKOnly);
  script.Answer(ui::vbOK, "not support");
  f.cmdPrintData->click();
  EXPECT_EQ(script.messages[2].title, "") << "the print answer carries the application's title";
}

TEST_F(BatchWindowTest, GoCalcRefusesWithExclamationAndStartsTheRunWindow) {
  auto& f = OpenExample();
  Batch.Total_Feed = 0;
  script.Answer(ui::vbOK, "仕込量が入力されていません。");
  f.cmdGoCalc->click();
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].style, ui::vbOKOnly | ui::vbExclamation);
  EXPECT_EQ(script.messages[0].title, "バッチ蒸留計算  ");
  EXPECT_TRUE(f.isEnabled());

  // A continuation whose plate count changed is announced (no icon) and the run starts afresh.
  Batch.Total_Feed = 100;
  Batch.QReb = 0;
  Batch.Continue_Flag = 1;
  Case.NC_Save = 3;
  Case.NT_Save = 12;
  ui::Forms::RegisterFactory("frmBatchCalc", [] { return static_cast<ui::Form*>(&ui::Forms::Get<FakeRun>()); });
  script.Answer(ui::vbOK, "初期状態から計算する");
  f.cmdGoCalc->click();
  EXPECT_EQ(script.messages[1].style, ui::vbOKOnly);
  EXPECT_EQ(Batch.Continue_Flag, 0);
  EXPECT_EQ(Batch.QReb, Batch.QReb_TR) << "the start-up duty is the duty in force";
  auto* run = ui::Forms::Find<FakeRun>();
  ASSERT_NE(run, nullptr);
  EXPECT_TRUE(run->isVisible());
  EXPECT_FALSE(f.isEnabled()) << "the main window is out of use during the run";

  // However the run window goes, the main window comes back in use; a run
  // that left no complete files offers no results.
  ui::Forms::Unload(run);
  ui::Forms::FlushDeleted();
  EXPECT_TRUE(f.isEnabled());
  EXPECT_FALSE(f.cmdResult->isVisibleTo(&f));
}

TEST_F(BatchWindowTest, SavedCaseReadsBackAndRefreshesTheWindow) {
  auto& f = OpenExample(1);
  const std::string path = DataPath("case.dat");
  script.ChooseFile(path).Answer(ui::vbYes, "Save [ " + path + " ]？");
  f.cmdSaveData->click();
  EXPECT_EQ(script.messages.back().title, "Batch Distillation  ");
  EXPECT_EQ(Text(f.lblFileNameData), " case.dat");

  // Changed in memory, then read back.
  Case.NT = 4;
  Batch.Total_Feed = 7;
  Batch.Feed_Comp_Unit = 1;
  Batch.Continue_Flag = 1;
  f.cmdResult->setVisible(true);
  script.ChooseFile(path).Answer(ui::vbYes, "Read [ " + path + " ]？");
  f.cmdReadData->click();
  EXPECT_EQ(Case.NT, 10);
  EXPECT_EQ(Batch.Total_Feed, 100);
  EXPECT_EQ(Batch.Feed_Comp_Unit, 1) << "the charge basis is not in the file";
  EXPECT_EQ(Batch.Continue_Flag, 0);
  EXPECT_EQ(Text(f.lblNTData), "10");
  EXPECT_FALSE(f.cmdResult->isVisibleTo(&f));

  // An existing file is overwritten only after its own question.
  script.ChooseFile(path).Answer(ui::vbYes, "Save").Answer(ui::vbNo, "exist [ " + path + " ] , Over-Write？");
  Case.NT = 5;
  f.cmdSaveData->click();
  Case.NT = 0;
  script.ChooseFile(path).Answer(ui::vbYes, "Read");
  f.cmdReadData->click();
  EXPECT_EQ(Case.NT, 10) << "the refused overwrite left the file as it was";
}

TEST_F(BatchWindowTest, FailedSaveIsReportedAndNamesNoFile) {
  auto& f = OpenExample(1);
  const std::string path = DataPath("missing_folder/case.dat");
  script.ChooseFile(path).Answer(ui::vbYes, "Save").Answer(ui::vbOK, "Could not save");
  f.cmdSaveData->click();
  EXPECT_EQ(Text(f.lblFileNameData), "") << "a case that is not on disk is not named as saved";
}

TEST_F(BatchWindowTest, ColumnCaseFileIsRefusedAndLeavesTheCase) {
  auto& f = OpenExample(1);
  const std::string path = DataPath("column.dat");
  std::ofstream(path) << "\"Distillation Data\"\r\n";
  script.ChooseFile(path).Answer(ui::vbYes, "Read").Answer(ui::vbOK, "not Batch Distillation Data");
  f.cmdReadData->click();
  EXPECT_EQ(script.messages.back().title, "") << "the reader's message carries the application's title";
  EXPECT_EQ(Case.NT, 10);
  EXPECT_EQ(Text(f.lblFileNameData), "");
}

TEST_F(BatchWindowTest, ContinuationReadsTheTotalRefluxFile) {
  auto& f = OpenExample(1);
  script.Answer(ui::vbOK, "not exist Total Reflux Data");
  f.cmdReadContinue->click();
  EXPECT_EQ(Batch.Continue_Flag, 0);
  EXPECT_FALSE(f.cmdResult->isVisibleTo(&f));

  Batch.Oper_Time = 0.928;
  ASSERT_TRUE(Write_Total_Reflux_File(Batch_Run_File(2)));
  Case.Data_File = DataPath("my case.dat");
  Batch.Oper_Time = 0;
  Case.NT = 3;
  f.cmdReadContinue->click();
  EXPECT_EQ(Batch.Continue_Flag, 1);
  EXPECT_EQ(Case.NT, 10);
  EXPECT_EQ(Case.NT_Save, 10);
  EXPECT_DOUBLE_EQ(Batch.Restart_Time, 0.928);
  EXPECT_TRUE(f.cmdResult->isVisibleTo(&f));
  EXPECT_EQ(Text(f.lblFileNameData), " my case.dat") << "the label names the case file, not the run file";
  EXPECT_EQ(Batch.Batch_Log_File, Batch_Log_Path());
}

TEST_F(BatchWindowTest, ExitUnloadsTheWindowAndItsHiddenChargeDialog) {
  auto& f = OpenExample();
  ASSERT_NE(ui::Forms::Find<frmBatchFeed>(), nullptr) << "the refresh loads the charge dialog hidden";
  f.cmdExit->click();
  EXPECT_EQ(ui::Forms::Find<frmBatchDistillationMain>(), nullptr);
  EXPECT_EQ(ui::Forms::Find<frmBatchFeed>(), nullptr);
}

// A language switch while the window is loaded: its next showing speaks the
// new language, captions and summary alike, and so does the hidden charge dialog.
TEST_F(BatchWindowTest, SummaryFollowsTheLanguageChosenNow) {
  auto& f = OpenExample(0);
  EXPECT_EQ(ui::S(f.cmdExample->text()), "例題ﾃﾞｰﾀ(&E)");
  EXPECT_EQ(Text(f.lblOperation), "全還流運転→製品抜出操作");
  Case.Language = 1;
  f.Form_Activate();
  EXPECT_EQ(ui::S(f.cmdExample->text()), "Example(&E)");
  EXPECT_EQ(Text(f.lblFeed), "Total Feed=");
  EXPECT_EQ(Text(f.lblOperation), "T.Reflux→ProdOpe");
  EXPECT_EQ(Text(f.lblFeedData), "100");
  auto* feed = ui::Forms::Find<frmBatchFeed>();
  ASSERT_NE(feed, nullptr);
  feed->Form_Activate();
  EXPECT_EQ(ui::S(feed->lblFeed->text()), "Total Feed=");
  EXPECT_EQ(feed->vaSpread1->Text(1, 0), "Mol Fr");
}
