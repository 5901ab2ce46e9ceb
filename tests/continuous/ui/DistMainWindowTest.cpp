// The column main window: load, the example summary, the material balance
// message, the case files and the calculate button's refusal.
#include <filesystem>
#include <fstream>

#include "continuous/DistCaseFile.h"
#include "continuous/DistDefaults.h"
#include "continuous/ui/DistWindowFixture.h"
#include "core/dialogs/frmMemo.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Programs.h"

namespace {

// The summary labels of Example-1 (the case of the example buttons).
void ExpectExample1Summary() {
  const std::pair<const char*, const char*> expected[] = {
      {"lblMainNC", "4"},          {"lblMainNT", "15"},           {"lblMainRR", "3"},
      {"lblMainPTop", "760"},      {"lblMainPBottom", "770"},     {"lblMainNF", "1"},
      {"lblMainNSCLiq", "0"},      {"lblMainNSCVap", "0"},        {"lblMainTotalFeedData", "380"},
      {"lblMainTopProdData", "83"}, {"lblMainSideCutProdData", "0"}, {"lblMainBottomProdData", "297"},
      {"lblMainMax1", "10"},       {"lblMainMax2", "20"},         {"lblMainLimit1", "5E-05"},
      {"lblMainLimit2", "1E-05"},  {"lblMainUnitPressData", "mmHg"},
      {"lblMainUnitHeatData", "Kcal"}, {"lblMainKValue", "2.Antoine+Wilson"},
  };
  for (const auto& [label, text] : expected) EXPECT_EQ(ui::ControlText(ui::Forms::FindByName("frmDistMain"), label), text) << label;
}

}  // namespace

TEST_F(DistWindowTest, MenuOpensTheWindowWithItsDefaults) {
  const ui::ProgramWindow* w = ui::FindProgramWindow(0);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->formName, "frmDistMain");
  Case.NC = 3;
  Case.Max_Iter[1] = 99;
  frmDistMain& f = Open(1);
  EXPECT_EQ(Case.Max_Tray, 200);
  EXPECT_EQ(Case.Max_Comp, 20);
  EXPECT_EQ(Case.Prog_Title, "Step by Step Distillation");
  EXPECT_EQ(ui::S(f.Caption()), "Step by Step Distillation  Main");
  EXPECT_EQ(ui::S(f.cmdGoCalc->text()), "Go Calc(&G)");
  EXPECT_EQ(Label("lblMainConv1"), "Max Iteration   Conv Criteria");
  EXPECT_EQ(Case.NC, 0);
  EXPECT_EQ(Case.Max_Iter[1], 20);
  EXPECT_EQ(Case.P_Unit, 2);
  EXPECT_EQ(Label("lblMainNC"), "") << "the summary is not refreshed on load";
  EXPECT_FALSE(f.cmdResult->isVisibleTo(&f));
}

TEST_F(DistWindowTest, UnknownLanguageKeepsTheDesignCaptionsAndTitle) {
  Case.Prog_Title = "before";
  frmDistMain& f = Open(2);
  EXPECT_EQ(Case.Prog_Title, "before");
  EXPECT_EQ(ui::S(f.cmdGoCalc->text()), "計算開始(&G)");
}

TEST_F(DistWindowTest, Example1FillsTheSummaryAndExample2OnlyResetsTheCase) {
  frmDistMain& f = Open();
  f.cmdExample1->click();
  ExpectExample1Summary();
  EXPECT_EQ(Label("lblMainUnitTempData"), "℃");
  // The unit beside the top and bottom pressures is the case's, not the list's first.
  EXPECT_EQ(Label("lblUnitTopPress"), "mmHg");
  EXPECT_EQ(Label("lblUnitBtmPress"), "mmHg");
  EXPECT_EQ(Case.Tray_Press[15], 770);

  script.Answer(ui::vbOK, "この例題のデータはまだありません。");
  f.cmdExample2->click();
  EXPECT_EQ(Case.NC, 0);
  EXPECT_EQ(Case.Comp_Name[1], "");
  // The summary shows the emptied case, without a word on its bottoms flow of 0.
  EXPECT_EQ(Label("lblMainNC"), "0");
  EXPECT_EQ(Label("lblMainTotalFeedData"), "0");
  EXPECT_EQ(Label("lblMainPTop"), txt::Plain(Case.P_Top));
  EXPECT_FALSE(f.cmdResult->isVisibleTo(&f));
}

TEST_F(DistWindowTest, ExamplesStartFromACleanCase) {
  frmDistMain& f = Open();
  auto dirty = [] {
    Case.Comp_Tc[2] = 514.0;
    Case.Comp_Pc[2] = 61.4;
    Case.Comp_Omega[2] = 0.64;
    Case.Cp_A[3] = 32.2;
    Case.EOS_Kij[1][2] = 0.05;
    Case.Tray_Press[8] = 765;
    Case.Tray_Press[18] = 780;
  };
  auto clean = [] {
    EXPECT_EQ(Case.Comp_Tc[2], 0);
    EXPECT_EQ(Case.Comp_Pc[2], 0);
    EXPECT_EQ(Case.Comp_Omega[2], 0);
    EXPECT_EQ(Case.Cp_A[3], 0);
    EXPECT_EQ(Case.EOS_Kij[1][2], 0);
    EXPECT_EQ(Case.Tray_Press[8], 0);
    EXPECT_EQ(Case.Tray_Press[18], 0);
    EXPECT_EQ(Label("lblFileNameData"), "");
    EXPECT_EQ(Label("lblMainDataFile"), "");
  };
  ui::SetControlText(&f, "lblFileNameData", " old.dat");
  ui::SetControlText(&f, "lblMainDataFile", " Result.dat");
  dirty();
  f.cmdExample1->click();
  clean();
  EXPECT_EQ(Case.Tray_Press[1], 760);
  EXPECT_EQ(Case.Tray_Press[15], 770);

  ui::SetControlText(&f, "lblMainDataFile", " Result.dat");
  dirty();
  script.Answer(ui::vbOK, "この例題のデータはまだありません。");
  f.cmdExample2->click();
  clean();
}

TEST_F(DistWindowTest, PrintAnswersNotAvailable) {
  frmDistMain& f = Open(1);
  script.Answer(ui::vbOK, "この機能は未だサポートしていません。");
  f.cmdPrintInputData->click();
}

TEST_F(DistWindowTest, MemoDialogOpensWithTheCaseLines) {
  frmDistMain& f = Open();
  f.cmdExample1->click();
  std::string shown;
  script.OnModal("frmMemo", [&](ui::Form& d) { shown = ui::S(static_cast<frmMemo&>(d).txtMemoText->toPlainText()); });
  f.cmdMemo->click();
  EXPECT_EQ(shown.rfind("逐次段蒸留計算プログラム\n   例題データ\n\nMethanol - Ethanol - Water - Propanol系 の例題\n", 0), 0u)
      << shown;
}

TEST_F(DistWindowTest, CalculateRefusesBothTopProductsAndCasesTheSolverCannotRun) {
  frmDistMain& f = Open();
  f.cmdExample1->click();
  Case.Top_Liq_Prod = 10;
  Case.Top_Vap_Prod = 5;
  script.Answer(ui::vbOK, "塔頂からの蒸気、液の同時抜き出しは未だサポートしていません。");
  f.cmdGoCalc->click();
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].style, ui::vbExclamation);
  EXPECT_TRUE(script.modalForms.empty());

  // A column without feed would start from an undefined mean feed: refused
  // before the start dialog.
  Case.Top_Vap_Prod = 0;
  Case.N_Feed = 0;
  script.Answer(ui::vbOK, "");
  f.cmdGoCalc->click();
  EXPECT_TRUE(script.modalForms.empty());

  Case.N_Feed = 1;
  script.OnModal("frmDistGoCalc", [](ui::Form&) {});
  f.cmdGoCalc->click();
  EXPECT_EQ(script.modalForms, std::vector<std::string>{"frmDistGoCalc"});
}

// Calculate refuses a typed temperature or pressure outside the suite's range,
// naming it, before the start dialog: a case from a file or an example that
// went round the dialogs' checks.
TEST_F(DistWindowTest, CalculateRefusesTemperaturesAndPressuresOutsideTheRange) {
  frmDistMain& f = Open(1);
  f.cmdExample1->click();
  struct Bad {
    double* value;
    double typed;
    const char* message;
  } bad[] = {
      {&Case.T_Top_Est, -300, "Initial Temp Top: enter a temperature above -273.15 °C"},
      {&Case.T_Bottom_Est, 1e308, "Initial Temp Bottom: enter a temperature"},
      {&Case.Feed_T[1], 20000, "Feed Temp Feed #1: enter a temperature"},
      {&Case.Feed_P[1], 1e7, "Feed Press Feed #1: enter a pressure above 0 and at most 1000 MPa."},
      {&Case.Tray_Press[7], 7.6e6, "Pressure of stage 7: enter a pressure above 0 and at most 1000 MPa."},
      // Beyond every Antoine pole: the range names the box before the pole check speaks.
      {&Case.P_Top, 1e308, "Top Press: enter a pressure above 0 and at most 1000 MPa."},
      {&Case.P_Bottom, 1e308, "Bottom Press: enter a pressure above 0 and at most 1000 MPa."},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.message);
    const double kept = *b.value;
    *b.value = b.typed;
    script.Answer(ui::vbOK, b.message);
    f.cmdGoCalc->click();
    EXPECT_TRUE(script.modalForms.empty());
    *b.value = kept;
  }
  Case.Language = 0;
  const double top = Case.P_Top;
  Case.P_Top = 1e308;
  script.Answer(ui::vbOK, "「塔頂圧力」には 0 より大きく 1000 MPa 以下の圧力を入力してください。");
  f.cmdGoCalc->click();
  EXPECT_TRUE(script.modalForms.empty());
  Case.P_Top = top;
  Case.Language = 1;
  // 7.5e6 mmHg lies just inside 1000 MPa: the start dialog opens.
  Case.Tray_Press[7] = 7.5e6;
  script.OnModal("frmDistGoCalc", [](ui::Form&) {});
  f.cmdGoCalc->click();
  EXPECT_EQ(script.modalForms, std::vector<std::string>{"frmDistGoCalc"});
}

TEST_F(DistWindowTest, SavedCaseReadsBackIntoTheSameSummary) {
  frmDistMain& f = Open(1);
  f.cmdExample1->click();
  const std::string path = DataPath("column.dat");
  script.ChooseFile(path).Answer(ui::vbYes, "Save [ " + path + " ]");
  f.cmdSaveData->click();
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(Label("lblMainDataFile"), " column.dat");
  EXPECT_EQ(script.messages.back().title, Case.Prog_Title);  // the save question carries the program's title

  // Saving over it asks twice; No at the second prompt leaves the file.
  std::ifstream before(path);
  const std::string text((std::istreambuf_iterator<char>(before)), {});
  Case.NT = 9;
  script.ChooseFile(path).Answer(ui::vbYes, "Save [").Answer(ui::vbNo, "Over-Write");
  f.cmdSaveData->click();
  EXPECT_NE(script.messages.back().title, Case.Prog_Title);  // the overwrite question keeps the application's
  std::ifstream after(path);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(after)), {}), text);

  script.Answer(ui::vbOK, "この例題のデータはまだありません。");
  f.cmdExample2->click();
  script.ChooseFile(path).Answer(ui::vbYes, "Read [ " + path + " ]");
  f.cmdReadData->click();
  ExpectExample1Summary();
  EXPECT_EQ(Label("lblUnitBtmPress"), "mmHg") << "not blank after reading a case";
  EXPECT_EQ(Label("lblFileNameData"), " column.dat");
  EXPECT_EQ(Case.NC_Save, 4);
  EXPECT_FALSE(f.cmdResult->isVisibleTo(&f)) << "a file without results";
}

TEST_F(DistWindowTest, ReadOfAFileWithResultsShowsTheResultButton) {
  frmDistMain& f = Open();
  f.cmdExample1->click();
  Case.Result_Flag = 1;
  for (int j = 1; j <= Case.NT; ++j) Case.Tray_P[j] = 0.1;  // results hold stage pressures
  Case.Data_File = DataPath("with_results.dat");
  ASSERT_TRUE(Save_Dist_Data());
  script.ChooseFile(Case.Data_File).Answer(ui::vbYes);
  f.cmdReadData->click();
  EXPECT_TRUE(f.cmdResult->isVisibleTo(&f));
  EXPECT_EQ(Case.Result_Flag, 1);
}

TEST_F(DistWindowTest, WrongHeaderOrCancelledReadLeavesTheCaseAsItWas) {
  frmDistMain& f = Open();
  f.cmdExample1->click();
  const std::string path = DataPath("batch.dat");
  std::ofstream(path) << "\"Batch Distillastion Data\"\n";
  script.ChooseFile(path).Answer(ui::vbNo);
  f.cmdReadData->click();
  EXPECT_EQ(Case.NC, 4) << "No at the prompt keeps the case";

  // A refused file leaves the case and its summary as they were.
  Case.NC = 3;
  script.ChooseFile(path).Answer(ui::vbYes).Answer(ui::vbOK, "蒸留計算のデータファイルではありません。");
  f.cmdReadData->click();
  EXPECT_EQ(Case.Read_Error, 1);
  EXPECT_EQ(Case.NC, 3);
  EXPECT_EQ(Case.Comp_Name[2], "Ethanol");
  EXPECT_EQ(Label("lblMainNC"), "3");
  EXPECT_EQ(Label("lblMainPBottom"), "770");
  EXPECT_EQ(Label("lblFileNameData"), "");
  EXPECT_FALSE(f.cmdResult->isVisibleTo(&f));
}

// A save its reader would refuse (a memo pasted past the size of any case
// file) says so and keeps the old file; a UTF-8 file with a stray byte is
// refused naming its line, and the case stays.
TEST_F(DistWindowTest, RefusedSavesAndGarbledFilesAreReported) {
  frmDistMain& f = Open();
  f.cmdExample1->click();
  const std::string path = DataPath("column.dat");
  auto slurp = [](const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  script.ChooseFile(path).Answer(ui::vbYes, "を保存しますか");
  f.cmdSaveData->click();
  const std::string saved = slurp(path);
  Case.Memo[3] = std::string(17 * 1024 * 1024, 'x');
  script.ChooseFile(path)
      .Answer(ui::vbYes, "を保存しますか")
      .Answer(ui::vbYes, "上書きしますか")
      .Answer(ui::vbOK, "ケースのファイルとしては大きすぎます（16 MB 超）");
  f.cmdSaveData->click();
  EXPECT_EQ(slurp(path), saved);

  Case.Language = 1;
  std::string stray = saved;
  stray.insert(stray.find("逐次段"), "\xE9");
  const std::string strayPath = DataPath("stray.dat");
  std::ofstream(strayPath, std::ios::binary) << stray;
  script.ChooseFile(strayPath).Answer(ui::vbYes, "Read [").Answer(ui::vbOK, "line 2: the byte 0xE9 is no UTF-8 character");
  f.cmdReadData->click();
  EXPECT_EQ(Case.Read_Error, 1);
  EXPECT_EQ(Case.Memo[3].size(), 17u * 1024u * 1024u);
  EXPECT_EQ(Label("lblMainNC"), "4");
}

TEST_F(DistWindowTest, ContinueReadsResultDatOrSaysItIsMissing) {
  frmDistMain& f = Open(1);
  f.cmdExample1->click();
  script.Answer(ui::vbOK, "not exist Continue Data");
  f.cmdReadContinue->click();
  EXPECT_EQ(Case.NC, 4) << "nothing changes";

  Case.Data_File = DataPath("Result.dat");
  ASSERT_TRUE(Save_Dist_Data());
  Case.NC = 0;
  f.cmdReadContinue->click();  // no prompt
  EXPECT_EQ(Case.NC, 4);
  EXPECT_TRUE(f.cmdResult->isVisibleTo(&f)) << "shown whatever the file's result flag";
  EXPECT_EQ(Label("lblFileNameData"), " Result.dat");
  EXPECT_EQ(Label("lblMainBottomProdData"), "297");
}

TEST_F(DistWindowTest, ExitUnloadsAndReturnsToTheMenu) {
  int menuShown = 0;
  ui::SetMenuReturn([&] { ++menuShown; });
  frmDistMain& f = Open();
  f.cmdExit->click();
  EXPECT_EQ(menuShown, 1);
  EXPECT_EQ(ui::Forms::FindByName("frmDistMain"), nullptr);
  ui::SetMenuReturn(nullptr);
}
