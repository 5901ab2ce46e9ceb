// The Antoine window driven through its controls: grids, calculate and graph,
// and the exchange with a scratch database.
#include <QPushButton>

#include <utility>

#include "core/model/CaseData.h"
#include "database/PropertyDb.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Programs.h"
#include "purecomp/antoine_ui/frmAntoineVaporPress.h"
#include "support/UiTest.h"

namespace {

using Fields = std::initializer_list<std::pair<const char*, const char*>>;

class AntoineWindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Case.Program_No = 3;
  }
  frmAntoineVaporPress& Open() {
    auto& f = ui::Forms::Get<frmAntoineVaporPress>();
    f.Show();
    return f;
  }
  void MakeDb() {
    Case.DB_Path = DataPath("db.mdb");
    ASSERT_TRUE(vzdb::Create_Database_File(Case.DB_Path).Ok());
  }
  static void AddRow(const char* table, Fields fields) {
    vzdb::PropertyDb db(Case.DB_Path);
    vzdb::Record row;
    for (auto [k, v] : fields) row.Set(k, std::string(v));
    ASSERT_TRUE(db.Add_Row(*vzdb::Find_Table(table), row).Ok());
  }
  static std::vector<vzdb::Record> AntoineSets(const char* name) {
    vzdb::PropertyDb db(Case.DB_Path);
    return db.Data_Sets(*vzdb::Find_Table("AntoineConstant"), name);
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

}  // namespace

TEST_F(AntoineWindowTest, LoadSetsTheCallerGridAndClearsTheWindowsComponents) {
  Case.Language = 1;
  Case.Comp_Name[5] = "Left over";
  Case.Antoine_A[5] = 7;
  Case.Comp_Name[6] = "Sixth";
  frmAntoineVaporPress& f = Open();
  EXPECT_EQ(ui::Caller_Grid, f.vaSpreadAntoine);
  EXPECT_EQ(Case.Prog_Title, "Antoine Vapor Pressure");
  EXPECT_EQ(ui::S(f.Caption()), "Antoine Vapor Pressure");
  EXPECT_EQ(ui::S(f.cmdCalc->text()), "Estimate / Disp Graph(&E)");
  EXPECT_EQ(f.vaSpreadAntoine->Text(1, 0), "Formula");
  EXPECT_EQ(f.vaSpread2->Text(0, 1), "Name");
  EXPECT_EQ(Case.Comp_Name[5], "");
  EXPECT_EQ(Case.Antoine_A[5], 0);
  EXPECT_EQ(Case.Comp_Name[6], "Sixth") << "only the window's five components";
  f.cmdExit->click();
  EXPECT_EQ(ui::Caller_Grid, nullptr);
}

TEST_F(AntoineWindowTest, NameChangesFollowIntoTheDataGridAndClicksMoveTheDatabaseButtons) {
  frmAntoineVaporPress& f = Open();
  f.vaSpreadAntoine->TypeText(2, 3, "Toluene");
  EXPECT_EQ(f.vaSpread2->Text(5, 1), "Toluene");
  f.vaSpread2->SetText(5, 1, "edited");
  f.vaSpreadAntoine->TypeText(4, 3, "1343.9");  // another cell of the row copies the name again
  EXPECT_EQ(f.vaSpread2->Text(5, 1), "Toluene");
  f.vaSpreadAntoine->ClickCell(3, 3);
  EXPECT_TRUE(f.cmdDBAntoineSave->isVisibleTo(&f));
  f.vaSpread2->ClickCell(1, 2);
  EXPECT_FALSE(f.cmdDBAntoineSave->isVisibleTo(&f));
  f.vaSpreadAntoine->ClickCell(3, 3);
  f.txtTempMax_Click();
  EXPECT_FALSE(f.cmdDBComponent->isVisibleTo(&f));
}

TEST_F(AntoineWindowTest, ExampleCalculateFitsGeneratesAndDraws) {
  frmAntoineVaporPress& f = Open();
  f.cmdExample->click();
  EXPECT_EQ(f.vaSpread2->Text(3, 1), "  Ethanol");
  f.Picture1_Click();
  EXPECT_TRUE(f.Picture1->Calls().empty()) << "nothing to draw before a calculation";
  f.cmdCalc->click();
  EXPECT_EQ(Case.NC, 4);
  // Fitted constants written back as numbers, in red on white.
  EXPECT_EQ(f.vaSpreadAntoine->Text(3, 1), txt::Plain(Case.Antoine_A[1]));
  EXPECT_NEAR(f.vaSpreadAntoine->Value(4, 2), 1481.04076814, 1e-5);  // antoine_fit_check.py
  EXPECT_EQ(f.vaSpreadAntoine->ForeColor(5, 2), ui::RGB(255, 0, 0));
  EXPECT_EQ(f.vaSpreadAntoine->BackColor(5, 2), ui::RGB(255, 255, 255));
  EXPECT_EQ(f.vaSpreadAntoine->Text(3, 3), "7.9668");
  EXPECT_FALSE(f.vaSpreadAntoine->ForeColor(3, 3));
  // Ethanol's eleven Lee-Kesler points, to two decimals.
  EXPECT_EQ(f.vaSpread2->Text(3, 2), "-20.00");
  EXPECT_EQ(f.vaSpread2->Text(4, 2), "1.94");
  EXPECT_EQ(f.vaSpread2->Text(3, 12), "80.00");
  EXPECT_EQ(f.vaSpread2->Text(4, 12), "811.93");
  EXPECT_EQ(f.vaSpread2->Text(3, 13), "");
  // The graph: a legend and a curve per component, each point a circle.
  const ui::PictureBox& pic = *f.Picture1;
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(Count(pic, "Line", i + 9), 200) << "component " << i;
  EXPECT_EQ(Count(pic, "Circle", 10), 5);
  EXPECT_EQ(Count(pic, "Circle", 11), 11);
  EXPECT_EQ(Count(pic, "Circle", 12), 0);
  EXPECT_TRUE(Printed(pic, "1-Propanol"));
  EXPECT_TRUE(Printed(pic, "-20 "));
  EXPECT_TRUE(Printed(pic, " 80 "));
  EXPECT_TRUE(Printed(pic, " 40 ")) << "inner labels at a fifth of the span";
  // A click redraws with the range now in the boxes, without a new fit.
  const double a1 = Case.Antoine_A[1];
  f.txtTempMin->setText("12");
  f.txtTempMax->setText("47");
  f.Picture1->ClickAt(100, 100);
  EXPECT_TRUE(Printed(*f.Picture1, " 10 "));
  EXPECT_TRUE(Printed(*f.Picture1, " 50 "));
  EXPECT_EQ(Case.Antoine_A[1], a1);
}

TEST_F(AntoineWindowTest, InitialEmptiesTheCellsButKeepsTheirColours) {
  frmAntoineVaporPress& f = Open();
  f.cmdExample->click();
  f.cmdCalc->click();
  f.cmdInitial->click();
  EXPECT_EQ(f.vaSpreadAntoine->Text(3, 1), "");
  EXPECT_EQ(f.vaSpread2->Text(1, 2), "");
  EXPECT_EQ(ui::S(f.txtTempMin->text()), "");
  EXPECT_TRUE(f.Picture1->Calls().empty());
  EXPECT_EQ(f.vaSpreadAntoine->ForeColor(3, 1), ui::RGB(255, 0, 0));
  EXPECT_EQ(Case.NC, 4) << "the shared arrays stay";
}

TEST_F(AntoineWindowTest, CalculateRefusalsAreShownAndDrawNothing) {
  frmAntoineVaporPress& f = Open();
  f.cmdExample->click();
  f.txtTempMax->setText("");
  script.Answer(ui::vbOK, "温度の下限／上限が入力されていません。");
  f.cmdCalc->click();
  f.txtTempMax->setText("80");
  f.vaSpreadAntoine->SetText(8, 2, "");
  f.vaSpreadAntoine->SetText(7, 2, "");
  f.vaSpreadAntoine->SetText(6, 2, "");
  Case.Language = 1;
  script.Answer(ui::vbOK, "No Antoine's parameters");
  f.cmdCalc->click();
  EXPECT_TRUE(f.Picture1->Calls().empty());
}

TEST_F(AntoineWindowTest, SaveAddsTheNextDataSetAndRefusesADuplicate) {
  MakeDb();
  AddRow("CriticalConstant", {{"Formula", "H2O"}, {"Name", "Water"}, {"Index", "0"}});
  for (const char* index : {"0", "1", "4"})
    AddRow("AntoineConstant", {{"Formula", "H2O"}, {"Name", "Water"}, {"Index", index}, {"An", "8"},
                               {"Bn", index}, {"Cn", "230"}});
  frmAntoineVaporPress& f = Open();
  f.cmdExample->click();
  f.vaSpreadAntoine->ClickCell(4, 3);
  script.Answer(ui::vbOK, "'Water' のAntoine定数を保存しました。");
  f.cmdDBAntoineSave->click();
  auto sets = AntoineSets("Water");
  ASSERT_EQ(sets.size(), 4u);
  EXPECT_EQ(sets.back().Text("Index"), "5");
  EXPECT_EQ(sets.back().Number("Bn"), 1668.21);
  EXPECT_EQ(sets.back().Text("Equation Type"), "1");
  EXPECT_TRUE(sets.back().Get("TL").IsNull());
  f.vaSpreadAntoine->ClickCell(2, 3);
  script.Answer(ui::vbOK, "'Water' はすでに同じデータがある。！！");
  f.cmdDBAntoineSave->click();
  EXPECT_EQ(AntoineSets("Water").size(), 4u);
  // A row without all three constants is not saved, silently.
  f.vaSpreadAntoine->ClickCell(2, 1);
  f.cmdDBAntoineSave->click();
  EXPECT_TRUE(AntoineSets("Methanol").empty());
}

TEST_F(AntoineWindowTest, SaveOffersToRegisterAMissingComponent) {
  MakeDb();
  frmAntoineVaporPress& f = Open();
  f.cmdExample->click();
  f.vaSpreadAntoine->ClickCell(2, 4);
  script.Answer(ui::vbNo, "1-Propanol が臨界定数Databaseに登録されていません。登録しますか？");
  f.cmdDBAntoineSave->click();
  EXPECT_EQ(script.messages.back().style, ui::vbYesNo | ui::vbExclamation | ui::vbDefaultButton2);
  EXPECT_TRUE(AntoineSets("1-Propanol").empty());
  // Yes, then the add-component dialog is cancelled: the constants are saved all the same.
  script.Answer(ui::vbYes, "登録しますか？");
  script.OnModal("frmDBCriticalConstant", [](ui::Form& add) {
    auto* grid = add.Ctl<ui::SpreadGrid>("vaSpread1");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->Text(1, 1), "C3H8O");
    EXPECT_EQ(grid->Text(1, 2), "1-Propanol");
    add.Ctl<QPushButton>("cmdCancel")->click();
  });
  script.Answer(ui::vbOK, "'1-Propanol' のAntoine定数を保存しました。");
  f.vaSpreadAntoine->ClickCell(2, 4);
  f.cmdDBAntoineSave->click();
  ASSERT_EQ(AntoineSets("1-Propanol").size(), 1u);
  EXPECT_EQ(AntoineSets("1-Propanol")[0].Text("Index"), "0");
}

TEST_F(AntoineWindowTest, SaveWithoutADatabaseSaysSoAndKeepsTheWindow) {
  Case.DB_Path = DataPath("missing.mdb");
  frmAntoineVaporPress& f = Open();
  f.cmdExample->click();
  f.vaSpreadAntoine->ClickCell(2, 3);
  script.Answer(ui::vbOK, "missing.mdb");
  f.cmdDBAntoineSave->click();
  EXPECT_TRUE(ui::Forms::IsLoaded("frmAntoineVaporPress"));
}

TEST_F(AntoineWindowTest, AntoineLookupFillsTheRowAndTheDataGridName) {
  MakeDb();
  AddRow("AntoineConstant", {{"Formula", "C7H8"}, {"Name", "Toluene"}, {"Index", "0"}, {"An", "6.95464"},
                             {"Bn", "1344.8"}, {"Cn", "219.482"}});
  frmAntoineVaporPress& f = Open();
  f.vaSpreadAntoine->SetText(2, 2, "Toluene");
  f.vaSpreadAntoine->ClickCell(2, 2);
  script.OnModal("frmDBAntoine", [](ui::Form& lookup) { lookup.Ctl<QPushButton>("cmdOK")->click(); });
  f.cmdDBAntoine->click();
  EXPECT_EQ(f.vaSpreadAntoine->Text(1, 2), "C7H8");
  EXPECT_EQ(f.vaSpreadAntoine->Text(5, 2), "219.482");
  EXPECT_DOUBLE_EQ(Case.Antoine_B[2], 1344.8);
  EXPECT_EQ(f.vaSpread2->Text(3, 1), "Toluene");
}

TEST_F(AntoineWindowTest, SaveRefusesConstantsThatAreNotWhollyNumbers) {
  MakeDb();
  AddRow("CriticalConstant", {{"Formula", "H2O"}, {"Name", "Water"}, {"Index", "0"}});
  frmAntoineVaporPress& f = Open();
  f.cmdExample->click();
  f.vaSpreadAntoine->SetText(4, 3, "1668.21abc");
  f.vaSpreadAntoine->ClickCell(4, 3);
  script.Answer(ui::vbOK, "「Water B」の「1668.21abc」は数値ではありません。");
  f.cmdDBAntoineSave->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_TRUE(AntoineSets("Water").empty()) << "not saved as 1668.21";
  f.vaSpreadAntoine->SetText(5, 3, "1e999");
  f.vaSpreadAntoine->SetText(4, 3, "1668.21");
  f.vaSpreadAntoine->ClickCell(4, 3);
  script.Answer(ui::vbOK, "「Water C」の「1e999」は数値の範囲を超えています。");
  f.cmdDBAntoineSave->click();
  EXPECT_TRUE(AntoineSets("Water").empty());
}

// A window loaded before the language is switched follows the switch when it is shown again.
TEST_F(AntoineWindowTest, LoadedWindowFollowsALanguageSwitch) {
  Case.Language = 0;
  frmAntoineVaporPress& f = Open();
  EXPECT_EQ(ui::S(f.cmdCalc->text()), "推算＆グラフ表示(&E)");
  Case.Language = 1;
  f.Show();
  EXPECT_EQ(ui::S(f.Caption()), "Antoine Vapor Pressure");
  EXPECT_EQ(ui::S(f.cmdCalc->text()), "Estimate / Disp Graph(&E)");
  EXPECT_EQ(f.vaSpreadAntoine->Text(2, 0), "Name");
  f.cmdExample->click();
  f.txtTempMin->setText("abc");
  script.Answer(ui::vbOK, "Temp range Low: \"abc\" is not a number.");
  f.cmdCalc->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_TRUE(f.Picture1->Calls().empty());
  Case.Language = 0;
}

// The decade labels of the graph end inside the picture, however long.
TEST_F(AntoineWindowTest, GraphLabelsStayInsideThePicture) {
  frmAntoineVaporPress& f = Open();
  f.cmdExample->click();
  f.txtTempMax->setText("200");
  f.cmdCalc->click();
  const double W = f.Picture1->ScaleWidth();
  int labels = 0;
  for (const auto& c : f.Picture1->Calls()) {
    if (c.kind != "Print") continue;
    ++labels;
    EXPECT_LE(c.x1 + f.Picture1->TextWidth(c.text), W) << c.text;
  }
  EXPECT_GT(labels, 10);
}

// A graph range end outside the suite's range (below absolute zero, or a slip
// such as 1e308) is refused naming its box, in either language, before any
// point is generated: the data grid and the graph stay as they were, and the
// corrected range then fits as usual.
TEST_F(AntoineWindowTest, GraphRangeOutsideTheSuitesRangeIsRefusedNamingTheBoxAndWritesNoRow) {
  frmAntoineVaporPress& f = Open();
  struct Typed {
    const char *low, *high;
    int language;
    const char* says;
  } typed[] = {
      {"-300", "80", 0, "「温度範囲 下限」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。"},
      {"-300", "80", 1, "Temp range Low: enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C."},
      {"-20", "1e308", 0, "「温度範囲 上限」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。"},
      {"-20", "1e308", 1, "Temp range Upper: enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C."},
  };
  for (const Typed& t : typed) {
    SCOPED_TRACE(t.says);
    Case.Language = static_cast<int16_t>(t.language);
    f.cmdExample->click();
    const std::string ethanolFirst = f.vaSpread2->Text(3, 2);
    f.txtTempMin->setText(t.low);
    f.txtTempMax->setText(t.high);
    script.Answer(ui::vbOK, t.says);
    f.cmdCalc->click();
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(f.vaSpread2->Text(3, 2), ethanolFirst) << "no generated point is written";
    EXPECT_EQ(f.vaSpread2->Text(4, 2), "");
    EXPECT_TRUE(f.Picture1->Calls().empty());
    EXPECT_EQ(ui::S(f.txtTempMin->text()), t.low);
  }
  // Back inside the range, Calculate fits with no cell to clear first.
  Case.Language = 0;
  f.txtTempMin->setText("-20");
  f.txtTempMax->setText("80");
  f.cmdCalc->click();
  EXPECT_EQ(f.vaSpread2->Text(3, 2), "-20.00");
  EXPECT_FALSE(f.Picture1->Calls().empty());
}
