// Saving the estimated pair to the property database: new pairs, further data
// sets, identical pairs, reversed pairs, missing components and Antoine rows.
#include <algorithm>

#include "database/DbSchema.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "vle/estimation_ui/frmDBParameterSave.h"
#include "vle/estimation_ui/VLETestCase.h"

namespace {

using vlefit::VLE;

const vzdb::TableSpec& Tab(const char* name) { return *vzdb::Find_Table(name); }

class VLEParameterSaveTest : public VleUiTest {
 protected:
  void SetUp() override {
    VleUiTest::SetUp();
    vlefit::Load_VLE_Example(1);  // Methanol - Water, Wilson 0.43045 / 0.94934 at 760 mmHg
    vzdb::PropertyDb db(Case.DB_Path);
    Add(db, "CriticalConstant", {{"Formula", "CH4O"}, {"Name", "Methanol"}, {"Index", "0"}});
    Add(db, "CriticalConstant", {{"Formula", "H2O"}, {"Name", "Water"}, {"Index", "0"}});
    // Methanol's constants are stored as the case has them; Water's with other values.
    Add(db, "AntoineConstant",
        {{"Formula", "CH4O"}, {"Name", "Methanol"}, {"Index", "0"}, {"An", "7.8786"}, {"Bn", "1473.11"}, {"Cn", "230"}});
    Add(db, "AntoineConstant",
        {{"Formula", "H2O"}, {"Name", "Water"}, {"Index", "0"}, {"An", "8.1"}, {"Bn", "1750"}, {"Cn", "235"}});
  }
  static void Add(vzdb::PropertyDb& db, const char* table, std::initializer_list<std::pair<const char*, const char*>> cols) {
    vzdb::Record r;
    for (const auto& [k, v] : cols) r.Set(k, std::string(v));
    ASSERT_TRUE(db.Add_Row(Tab(table), r).Ok());
  }
  static std::vector<vzdb::Record> Rows(const char* table) {
    vzdb::PropertyDb db(Case.DB_Path);
    return db.Listing(Tab(table));
  }
  frmDBParameterSave& Open() {
    auto& d = ui::Forms::Get<frmDBParameterSave>();
    d.Show();
    return d;
  }
};

TEST_F(VLEParameterSaveTest, NewPairIsSavedWithIndexZeroAndMissingAntoineRow) {
  frmDBParameterSave& d = Open();
  EXPECT_EQ(ui::S(d.Caption()), "Wilson Parameter 保存");
  EXPECT_EQ(ui::S(d.lblWarning->text()), "新規登録");
  EXPECT_EQ(ui::S(d.lblDataIndex->text()), "Data Index= 0");
  EXPECT_EQ(d.vaSpread1->Text(1, 1), "CH4O");
  EXPECT_EQ(d.vaSpread1->Text(3, 1), "1.0");
  EXPECT_EQ(d.vaSpread1->Text(4, 1), txt::Format(0.43045, "#.000000E+##"));
  EXPECT_FALSE(d.lblNRTLAlpha->isVisibleTo(&d));
  EXPECT_TRUE(d.Antoine_Found[1]);
  EXPECT_FALSE(d.Antoine_Found[2]);
  EXPECT_EQ(d.Antoine_Last_Index[2], 0);

  script.Answer(ui::vbOK, "メモを入力して下さい。");
  d.cmdSave->click();
  d.txtMemo->setText("methanol - water 760 mmHg");
  script.Answer(ui::vbOK, "'Water' のAntoine定数が未登録です。")
      .Answer(ui::vbOK, "'Water' のAntoine定数を登録しました。")
      .Answer(ui::vbOK, "'Methanol - Water' のWilson定数を保存しました。");
  d.cmdSave->click();
  EXPECT_FALSE(ui::Forms::IsLoaded("frmDBParameterSave"));

  const auto pairs = Rows("Wilson Parameter");
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].Text("Name1"), "Methanol");
  EXPECT_EQ(pairs[0].Text("Formula2"), "H2O");
  EXPECT_EQ(pairs[0].Text("Index"), "0");
  EXPECT_DOUBLE_EQ(*pairs[0].Number("Lambda12"), 0.43045);
  EXPECT_EQ(pairs[0].Text("Press"), "760");
  EXPECT_TRUE(pairs[0].Get("Temp").IsNull());
  EXPECT_FALSE(pairs[0].Get("Date_Create").IsNull());
  int waterRows = 0;
  for (const auto& r : Rows("AntoineConstant"))
    if (r.Text("Name") == "Water" && r.Text("Index") == "1" && r.Text("An") == "8.07131") ++waterRows;
  EXPECT_EQ(waterRows, 1);
  EXPECT_EQ(Rows("AntoineConstant").size(), 3u) << "Methanol's matching constants are not added again";
}

TEST_F(VLEParameterSaveTest, SameFittedPairTwiceIsReportedAndNotStoredAgain) {
  // A fitted value carries all seventeen digits.
  Case.Wilson_L12 = 0.43044999999999994;
  Case.Wilson_L21 = 0.94934123456789012;
  {
    frmDBParameterSave& d = Open();
    d.txtMemo->setText("first");
    script.Answer(ui::vbOK).Answer(ui::vbOK).Answer(ui::vbOK, "のWilson定数を保存しました。");
    d.cmdSave->click();
  }
  script.Answer(ui::vbOK, "すでに同じWilson Parameterが登録済み！！");
  frmDBParameterSave& d = Open();
  EXPECT_EQ(d.Pair_Match, 1);
  EXPECT_EQ(ui::S(d.txtMemo->text()), "first");
  d.cmdSave->click();
  EXPECT_FALSE(ui::Forms::IsLoaded("frmDBParameterSave"));
  EXPECT_EQ(Rows("Wilson Parameter").size(), 1u);
}

TEST_F(VLEParameterSaveTest, ReversedPairGivesTheIndexAndComparesCrosswise) {
  vzdb::PropertyDb db(Case.DB_Path);
  Add(db, "Wilson Parameter", {{"Formula1", "H2O"}, {"Name1", "Water"}, {"Formula2", "CH4O"}, {"Name2", "Methanol"},
                               {"Index", "0"}, {"Lambda12", "0.9"}, {"Lambda21", "0.4"}});
  Add(db, "Wilson Parameter", {{"Formula1", "H2O"}, {"Name1", "Water"}, {"Formula2", "CH4O"}, {"Name2", "Methanol"},
                               {"Index", "3"}, {"Lambda12", "0.8"}, {"Lambda21", "0.3"}});
  // The case's pair stored crosswise (Lambda12 of Water - Methanol is our Lambda21) matches.
  Case.Wilson_L12 = 0.3;
  Case.Wilson_L21 = 0.8;
  script.Answer(ui::vbOK, "すでに同じWilson Parameterが登録済み！！");
  Open().cmdCancel->click();
  Case.Wilson_L12 = 0.43045;
  Case.Wilson_L21 = 0.94934;
  frmDBParameterSave& d = Open();
  EXPECT_EQ(d.Pair_Match, 0);
  EXPECT_EQ(ui::S(d.lblWarning->text()), "Parameter追加登録");
  EXPECT_EQ(ui::S(d.lblDataIndex->text()), "Data Index= 4");
  d.txtMemo->setText("another set");
  script.Answer(ui::vbOK).Answer(ui::vbOK).Answer(ui::vbOK, "'Methanol - Water' のWilson定数を保存しました。");
  d.cmdSave->click();
  const auto rows = Rows("Wilson Parameter");
  const auto added = std::find_if(rows.begin(), rows.end(), [](const vzdb::Record& r) { return r.Text("Index") == "4"; });
  ASSERT_NE(added, rows.end());
  EXPECT_EQ(added->Text("Name1"), "Methanol") << "written with component 1 first";
}

TEST_F(VLEParameterSaveTest, NrtlWithAnotherAlphaIsAFurtherDataSetAtConstantTemperature) {
  VLE.VLE_Calc_Type = 2;
  VLE.VLE_TP_Type = 1;
  VLE.VLE_Temp = 60;
  Case.NRTL_Tau12 = 0.35;
  Case.NRTL_Tau21 = 1.25;
  Case.NRTL_Alpha = 0.3;
  vzdb::PropertyDb db(Case.DB_Path);
  Add(db, "NRTL Parameter", {{"Formula1", "CH4O"}, {"Name1", "Methanol"}, {"Formula2", "H2O"}, {"Name2", "Water"},
                             {"Index", "0"}, {"Tau12", "0.35"}, {"Tau21", "1.25"}, {"Alpha", "0.4"}});
  frmDBParameterSave& d = Open();
  EXPECT_EQ(d.Pair_Match, 0);
  EXPECT_EQ(ui::S(d.lblNRTLAlpha->text()), "Alpha=  .3");
  EXPECT_EQ(d.vaSpread1->Text(3, 1), ".0");
  d.txtMemo->setText("60 C");
  script.Answer(ui::vbOK).Answer(ui::vbOK).Answer(ui::vbOK, "'Methanol - Water' のN.R.T.L定数を保存しました。");
  d.cmdSave->click();
  const auto rows = Rows("NRTL Parameter");
  ASSERT_EQ(rows.size(), 2u);
  const vzdb::Record& added = rows[0].Text("Index") == "1" ? rows[0] : rows[1];
  EXPECT_EQ(added.Text("Index"), "1");
  EXPECT_EQ(added.Text("Alpha"), "0.3");
  EXPECT_EQ(added.Text("Temp"), "60");
  EXPECT_TRUE(added.Get("Press").IsNull());
}

TEST_F(VLEParameterSaveTest, MissingComponentDeclinedSavesNothing) {
  Case.Comp_Name[2] = "Ethanol";
  frmDBParameterSave& d = Open();
  d.txtMemo->setText("memo");
  script.Answer(ui::vbNo, "Ethanol が臨界定数Databaseに登録されていません。登録しますか？");
  d.cmdSave->click();
  EXPECT_EQ(script.messages.back().style, ui::vbYesNo | ui::vbExclamation | ui::vbDefaultButton2);
  EXPECT_TRUE(ui::Forms::IsLoaded("frmDBParameterSave"));
  EXPECT_EQ(Rows("AntoineConstant").size(), 2u);
  EXPECT_TRUE(Rows("Wilson Parameter").empty());
}

// A registration cancelled in the add-component dialog leaves the formula the
// grid had; a formula left from an earlier registration is not taken.
TEST_F(VLEParameterSaveTest, CancelledRegistrationKeepsTheGridFormula) {
  Case.Comp_Name[2] = "Ethanol";
  Case.New_Formula = "CH4O";  // from an earlier registration
  frmDBParameterSave& d = Open();
  d.vaSpread1->TypeText(1, 2, "C2H6O");
  d.txtMemo->setText("memo");
  script.Answer(ui::vbYes, "Ethanol が臨界定数Database");
  script.OnModal("frmDBCriticalConstant", [](ui::Form& add) {
    auto* grid = add.Ctl<ui::SpreadGrid>("vaSpread1");
    EXPECT_EQ(grid->Text(1, 1), "C2H6O");
    EXPECT_EQ(grid->Text(1, 2), "Ethanol");
    ui::Forms::Unload(&add);  // cancelled
  });
  script.Answer(ui::vbOK, "'Ethanol' のAntoine定数が未登録です。").Answer(ui::vbOK).Answer(ui::vbOK, "'Methanol - Ethanol'");
  d.cmdSave->click();
  const auto pairs = Rows("Wilson Parameter");
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].Text("Formula2"), "C2H6O");
  EXPECT_EQ(Case.New_Formula, "CH4O");
}

TEST_F(VLEParameterSaveTest, UnusableDatabaseIsReportedAtLoad) {
  Case.DB_Path = DataPath("missing.mdb");
  script.Answer(ui::vbOK, "ERROR: DataBase ｴﾗｰ!!");
  frmDBParameterSave& d = Open();
  EXPECT_EQ(d.vaSpread1->Text(2, 1), "Methanol") << "what was filled before stays";
  ui::SendKey(d.txtMemo, ui::vbKeyEscape);
  EXPECT_FALSE(ui::Forms::IsLoaded("frmDBParameterSave"));
}

}  // namespace
