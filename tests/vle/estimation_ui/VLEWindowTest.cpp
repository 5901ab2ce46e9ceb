// The estimation program's main window driven through its controls: the lookup
// button's visibility, the calculation-type views, Initialize, examples, the
// run start's checks in order, the display units and the case file.
#include <QRadioButton>

#include <fstream>

#include "database/DbSchema.h"
#include "database/ui/DbLookupForm.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Programs.h"
#include "vle/estimation/VLEFile.h"
#include "vle/estimation_ui/frmVLE_Calc.h"
#include "vle/estimation_ui/frmVLE_Estimation.h"
#include "vle/estimation_ui/VLETestCase.h"

namespace {

using vlefit::VLE;

std::string T(const QLabel* l) { return ui::S(l->text()); }
std::string T(const QLineEdit* l) { return ui::S(l->text()); }

class VLEWindowTest : public VleUiTest {
 protected:
  frmVLE_Estimation& Open() {
    Case.Program_No = 4;
    auto& f = ui::Forms::Get<frmVLE_Estimation>();
    f.Show();
    return f;
  }
  // Fills the window by hand: methanol - water at 760 mmHg, three points, Wilson fit, objective 1.
  void Fill(frmVLE_Estimation& f, bool objective = true) {
    f.cmdInitialize->click();
    const char* rows[3][4] = {{"Methanol", "7.8786", "1473.11", "230"}, {"Water", "8.07131", "1730.63", "233.426"}};
    for (int r = 1; r <= 2; ++r)
      for (int c = 1; c <= 4; ++c) f.vaSpreadAntoine->TypeText(c, r, rows[r - 1][c - 1]);
    const char* data[3][3] = {{"87.7", "0.1", "0.418"}, {"75.3", "0.4", "0.729"}, {"67.5", "0.8", "0.915"}};
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c) f.vaSpread1->TypeText(c, r, data[r - 1][c - 1]);
    if (objective) f.optMainCalcFunc.Click(0);
  }
  // Presses Calc expecting the message `text` and no result window.
  void Refused(frmVLE_Estimation& f, const std::string& text) {
    script.Answer(ui::vbOK, text);
    f.cmdMainGoCalc->click();
    EXPECT_EQ(script.modalForms.size(), 0u) << text;
    EXPECT_EQ(Case.Msg_Text, text);
  }
};

TEST_F(VLEWindowTest, OpensFromTheMenuAndReturnsToIt) {
  int shown = 0;
  ui::SetMenuReturn([&] { ++shown; });
  Case.Language = 1;
  const ui::ProgramWindow* w = ui::FindProgramWindow(4);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->formName, "frmVLE_Estimation");
  auto* f = static_cast<frmVLE_Estimation*>(w->load());
  f->Show();
  EXPECT_EQ(ui::Caller_Grid, f->vaSpreadAntoine);
  EXPECT_EQ(Case.Prog_Title, "Vapor-Liquid Equibrium");
  EXPECT_EQ(ui::S(f->Caption()), "Vapor-Liquid EquibriumProgram Menu  ");
  EXPECT_EQ(ui::S(f->cmdMainGoCalc->text()), "Calc (&G)");
  EXPECT_EQ(f->vaSpreadAntoine->Text(1, 0), "Name");
  // A language chosen on the menu while the window is open: its captions follow
  // when it is active again.
  Case.Language = 0;
  f->Form_Activate();
  EXPECT_EQ(ui::S(f->cmdMainGoCalc->text()), "計算(&G)");
  EXPECT_EQ(f->vaSpreadAntoine->Text(1, 0), "成分名");
  EXPECT_EQ(ui::S(f->Caption()), "気液平衡推算メイン画面");
  Case.Language = 1;
  f->Form_Activate();
  EXPECT_EQ(ui::S(f->cmdMainGoCalc->text()), "Calc (&G)");
  f->close();  // the close box is refused
  EXPECT_TRUE(ui::Forms::IsLoaded("frmVLE_Estimation"));
  f->cmdMainExit->click();
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(ui::Forms::IsLoaded("frmVLE_Estimation"));
  EXPECT_EQ(ui::Caller_Grid, nullptr);
  ui::SetMenuReturn(nullptr);
}

TEST_F(VLEWindowTest, AntoineLookupButtonFollowsTheInputUsed) {
  frmVLE_Estimation& f = Open();
  EXPECT_FALSE(f.cmdDBAntoine->isVisibleTo(&f));
  f.vaSpreadAntoine->ClickCell(1, 2);
  EXPECT_TRUE(f.cmdDBAntoine->isVisibleTo(&f));
  f.optMainCalcFunc.Click(2);
  EXPECT_FALSE(f.cmdDBAntoine->isVisibleTo(&f));
  EXPECT_EQ(VLE.VLE_Obj_Type, 3);
  f.vaSpreadAntoine->TypeText(1, 1, "Methanol");
  EXPECT_TRUE(f.cmdDBAntoine->isVisibleTo(&f));
  emit f.cboMainPressUnit->activated(1);
  EXPECT_FALSE(f.cmdDBAntoine->isVisibleTo(&f));
  EXPECT_EQ(VLE.VLE_TP_Type, 0) << "a unit click stores nothing";
  f.vaSpreadAntoine->ClickCell(1, 1);
  script.OnModal("frmDBAntoine", [&](ui::Form&) { EXPECT_FALSE(f.cmdDBAntoine->isVisibleTo(&f)); });
  f.cmdDBAntoine->click();
  EXPECT_FALSE(f.cmdDBAntoine->isVisibleTo(&f));
}

TEST_F(VLEWindowTest, CalculationTypeChoosesTheView) {
  frmVLE_Estimation& f = Open();
  f.cmdInitialize->click();
  Case.NRTL_Tau12 = 0.35;
  f.optMainCalcType.Click(3);
  EXPECT_EQ(VLE.VLE_Calc_Type, 4);
  EXPECT_FALSE(f.vaSpread1->isVisibleTo(&f));
  EXPECT_FALSE(f.lblDataTitle->isVisibleTo(&f));
  EXPECT_FALSE(f.fraMainCalcFunc->isVisibleTo(&f));
  EXPECT_TRUE(f.cmdDBWilson->isVisibleTo(&f));
  EXPECT_EQ(ui::S(f.cmdDBWilson->text()), "NRTL定数検索(&F)");
  EXPECT_EQ(T(f.lblMainPara12), "τ12=");
  EXPECT_EQ(T(f.txtMainPara12), txt::Format(0.35, "#.0000000E+##"));
  EXPECT_EQ(T(f.txtMainAlpha), "0.4");
  EXPECT_TRUE(f.txtMainAlpha->isVisibleTo(&f));
  script.OnModal("frmDBNRTL", [](ui::Form&) {});
  f.cmdDBWilson->click();
  f.optMainCalcType.Click(2);
  EXPECT_EQ(ui::S(f.cmdDBWilson->text()), "Wilson定数検索(&F)");
  EXPECT_FALSE(f.txtMainAlpha->isVisibleTo(&f));
  script.OnModal("frmDBWilson", [](ui::Form&) {});
  f.cmdDBWilson->click();
  f.optMainCalcType.Click(0);
  EXPECT_TRUE(f.vaSpread1->isVisibleTo(&f));
  EXPECT_TRUE(f.fraMainCalcFunc->isVisibleTo(&f));
  EXPECT_FALSE(f.cmdDBWilson->isVisibleTo(&f));
}

// The Wilson lookup finds the pair stored in reverse order and writes the
// swapped values into the case and into this window's parameter boxes.
TEST_F(VLEWindowTest, WilsonLookupFillsTheParameterBoxes) {
  {
    vzdb::PropertyDb db(Case.DB_Path);
    vzdb::Record r;
    for (const auto& [k, v] : {std::pair{"Name1", "Water"}, {"Name2", "Methanol"}, {"Index", "0"},
                               {"Lambda12", "0.9"}, {"Lambda21", "0.4"}})
      r.Set(k, std::string(v));
    ASSERT_TRUE(db.Add_Row(*vzdb::Find_Table("Wilson Parameter"), r).Ok());
  }
  frmVLE_Estimation& f = Open();
  f.cmdMainExample1->click();
  f.optMainCalcType.Click(2);
  script.OnModal("frmDBWilson", [](ui::Form& form) { static_cast<DbLookupForm&>(form).cmdOK->click(); });
  f.cmdDBWilson->click();
  EXPECT_DOUBLE_EQ(Case.Wilson_L12, 0.4);
  EXPECT_DOUBLE_EQ(Case.Wilson_L21, 0.9);
  EXPECT_EQ(T(f.txtMainPara12), "0.4");
  EXPECT_EQ(T(f.txtMainPara21), "0.9");
}

TEST_F(VLEWindowTest, InitializeAndTPOptionShowTheStoredCase) {
  frmVLE_Estimation& f = Open();
  f.cmdMainExample2->click();
  EXPECT_EQ(f.vaSpread1->Text(1, 20), "81.8");
  EXPECT_EQ(f.vaSpread1->Text(2, 21), "");
  EXPECT_EQ(f.vaSpreadAntoine->Text(1, 1), "ＴＢＡ");
  EXPECT_EQ(f.optMainCalcFunc.Value(), 0);
  f.cmdInitialize->click();
  EXPECT_EQ(T(f.txtMainPress), "760");
  EXPECT_EQ(ui::S(f.cboMainTempUnit->currentText()), "℃");
  EXPECT_EQ(ui::S(f.cboMainPressUnit->currentText()), "mmHg");
  EXPECT_EQ(f.vaSpreadAntoine->Text(1, 1), "");
  EXPECT_EQ(f.vaSpread1->Text(1, 1), "");
  EXPECT_EQ(T(f.txtMainPara12), txt::Format(1.0, "#.0000000E+##")) << "the ideal Wilson pair, where a fit may start";
  EXPECT_TRUE(f.txtMainPress->isVisibleTo(&f));
  EXPECT_FALSE(f.txtMainTemp->isVisibleTo(&f));
  EXPECT_EQ(f.optMainCalcFunc.Value(), -1) << "no objective after Initialize";
  // A typed value that no run start took yet stays in its box, in its unit.
  f.txtMainPress->setText("123");
  f.cboMainPressUnit->setCurrentIndex(0);
  f.optTPType.Click(1);
  EXPECT_EQ(VLE.VLE_TP_Type, 1);
  EXPECT_EQ(T(f.txtMainTemp), "60");
  EXPECT_TRUE(f.txtMainTemp->isVisibleTo(&f));
  EXPECT_FALSE(f.txtMainPress->isVisibleTo(&f));
  EXPECT_EQ(f.vaSpread1->Text(1, 0), "圧力");
  f.optTPType.Click(0);
  EXPECT_EQ(T(f.txtMainPress), "123");
  EXPECT_EQ(ui::S(f.cboMainPressUnit->currentText()), "MPa");
}

// 760 typed into the pressure box after a run at 500 stays through a change of
// condition and back, and so do typed parameter boxes; the next run uses them.
TEST_F(VLEWindowTest, TypedBoxesKeepTheirTextThroughAChangeOfCondition) {
  for (int language : {0, 1}) {
    SCOPED_TRACE(language);
    Case.Language = static_cast<int16_t>(language);
    frmVLE_Estimation& f = Open();
    f.cmdMainExample1->click();
    f.txtMainPress->setText("500");
    script.OnModal("frmVLE_Calc", [](ui::Form& r) { static_cast<frmVLE_Calc&>(r).cmdCalcExit->click(); });
    f.cmdMainGoCalc->click();
    ASSERT_EQ(VLE.VLE_Press, 500);
    f.txtMainPress->setText("760");
    f.txtMainPara21->setText("0.8");
    f.optTPType.Click(1);
    EXPECT_EQ(T(f.txtMainPara21), "0.8");
    f.txtMainTemp->setText("65");
    f.optTPType.Click(0);
    EXPECT_EQ(T(f.txtMainPress), "760");
    EXPECT_EQ(T(f.txtMainPara21), "0.8");
    f.optTPType.Click(1);
    EXPECT_EQ(T(f.txtMainTemp), "65");
    f.optTPType.Click(0);
    // The parameters in force after a run are shown; the typed one wins at the next start.
    f.optMainCalcType.Click(2);
    f.txtMainPara21->setText("0.8");
    double used21 = 0;
    script.OnModal("frmVLE_Calc", [&](ui::Form& r) {
      used21 = Case.Wilson_L21;
      static_cast<frmVLE_Calc&>(r).cmdCalcExit->click();
    });
    f.cmdMainGoCalc->click();
    EXPECT_EQ(VLE.VLE_Press, 760);
    EXPECT_EQ(used21, 0.8);
    ui::Forms::Unload<frmVLE_Estimation>();
  }
  Case.Language = 0;
}

// After a fit the parameter boxes show the fitted pair: the window shows, Save
// writes and the next "VLE by Wilson/NRTL" run uses one pair.
TEST_F(VLEWindowTest, AfterAFitShownSavedAndUsedAreOnePair) {
  struct Model {
    int fitType, givenType, language;
    const char* start12;
  } models[] = {{0, 2, 0, "4.3045000E-1"}, {1, 3, 1, ".0000000E+0"}, {0, 2, 1, "4.3045000E-1"}};
  for (const Model& m : models) {
    SCOPED_TRACE(m.fitType);
    Case.Language = static_cast<int16_t>(m.language);
    frmVLE_Estimation& f = Open();
    f.cmdMainExample1->click();
    f.optMainCalcType.Click(m.fitType);
    const bool nrtl = m.fitType == 1;
    f.optMainCalcFunc.Click(0);
    EXPECT_EQ(T(f.txtMainPara12), m.start12);
    script.OnModal("frmVLE_Calc", [](ui::Form& r) { static_cast<frmVLE_Calc&>(r).cmdCalcExit->click(); });
    f.cmdMainGoCalc->click();
    const double fitted12 = nrtl ? Case.NRTL_Tau12 : Case.Wilson_L12;
    const double fitted21 = nrtl ? Case.NRTL_Tau21 : Case.Wilson_L21;
    ASSERT_NE(txt::Format(fitted12, "#.0000000E+##"), m.start12);
    EXPECT_EQ(T(f.txtMainPara12), txt::Format(fitted12, "#.0000000E+##"));
    EXPECT_EQ(T(f.txtMainPara21), txt::Format(fitted21, "#.0000000E+##"));
    // Saved: the fitted pair, read back whole.
    const std::string path = DataPath("fitted.dat");
    script.ChooseFile(path).Answer(ui::vbYes);
    if (std::ifstream(path).good()) script.Answer(ui::vbYes);
    f.cmdMainSaveData->click();
    EXPECT_EQ(script.Pending(), 0u);
    // Used: a run with the given parameters starts from the boxes as shown.
    f.optMainCalcType.Click(m.givenType);
    double used12 = 0, used21 = 0;
    script.OnModal("frmVLE_Calc", [&](ui::Form& r) {
      used12 = nrtl ? Case.NRTL_Tau12 : Case.Wilson_L12;
      used21 = nrtl ? Case.NRTL_Tau21 : Case.Wilson_L21;
      static_cast<frmVLE_Calc&>(r).cmdCalcExit->click();
    });
    f.cmdMainGoCalc->click();
    EXPECT_EQ(used12, fitted12);
    EXPECT_EQ(used21, fitted21);
    // The file holds the same pair (to the digits a case file keeps).
    f.cmdInitialize->click();
    script.ChooseFile(path).Answer(ui::vbYes);
    f.cmdMainReadData->click();
    EXPECT_NEAR(nrtl ? Case.NRTL_Tau12 : Case.Wilson_L12, fitted12, 1e-9);
    EXPECT_NEAR(nrtl ? Case.NRTL_Tau21 : Case.Wilson_L21, fitted21, 1e-9);
    EXPECT_EQ(T(f.txtMainPara12), txt::Format(fitted12, "#.0000000E+##"));
    ui::Forms::Unload<frmVLE_Estimation>();
  }
  Case.Language = 0;
}

TEST_F(VLEWindowTest, ExampleOneFitsFromItsLiteratureValues) {
  frmVLE_Estimation& f = Open();
  f.cmdMainExample1->click();
  script.OnModal("frmVLE_Calc", [](ui::Form& form) {
    auto& r = static_cast<frmVLE_Calc&>(form);
    EXPECT_EQ(r.Fit().status, vlefit::FitStatus::Converged);
    EXPECT_EQ(T(r.lblCalcComp1), "Methanol");
    EXPECT_EQ(T(r.lblCalcAntoine_B2), "1730.63");
    EXPECT_EQ(T(r.lblCalcTP), "圧力=");
    EXPECT_EQ(T(r.lblCalcTPData), "760.0000");
    EXPECT_EQ(T(r.lblCalcTPUnit), "mmHg");
    EXPECT_EQ(T(r.lblCalcPHIType), "x*log(r'-r)");
    // The drawing after the fit writes the fitted pair and the objective.
    EXPECT_EQ(T(r.lblCalcPara12Data), txt::Format(Case.Wilson_L12, "#.0000000E+##"));
    EXPECT_EQ(T(r.lblCalcPHI), txt::Plain(r.Fit().objective));
    r.cmdCalcExit->click();
  });
  f.cmdMainGoCalc->click();
  EXPECT_EQ(VLE.VLE_NData, 12);
  EXPECT_NEAR(VLE.VLE_T_Calc[1], 922.4 / 12, 1e-9);  // mean of the twelve temperatures
  EXPECT_FALSE(ui::Forms::IsLoaded("frmVLE_Calc"));
}

TEST_F(VLEWindowTest, RunStartChecksInOrder) {
  frmVLE_Estimation& f = Open();
  Fill(f);
  f.txtMainPress->setText("");
  Refused(f, "圧力が未入力です");
  f.txtMainPress->setText("760");
  f.vaSpreadAntoine->TypeText(1, 2, "");
  Refused(f, "成分名が未入力です");
  EXPECT_EQ(Case.Comp_Name[1], "Methanol") << "component 1 was stored before";
  f.vaSpreadAntoine->TypeText(1, 2, "Water");
  f.vaSpreadAntoine->TypeText(4, 2, "0");
  Refused(f, "Antoine 定数が未入力です");
  f.vaSpreadAntoine->TypeText(4, 2, "233.426");
  f.vaSpread1->TypeText(2, 2, "1");
  Refused(f, "X の値が0以下又は1以上です。（2行目）");
  EXPECT_EQ(VLE.VLE_NData, 0) << "a refused table stores no row";
  f.vaSpread1->TypeText(2, 2, "0.4");
  f.vaSpread1->TypeText(3, 3, "1");
  Refused(f, "Y の値が0以下又は1以上です。（3行目）");
  f.vaSpread1->TypeText(3, 3, "0.915");
  f.vaSpread1->TypeText(2, 3, "");
  Refused(f, "「x1（3行目）」に数値を入力してください。");
  f.vaSpread1->TypeText(2, 3, "0.8");
  f.vaSpread1->ClearRange(1, 1, 3, kVleDataGridRows);
  Refused(f, "実測気液平衡データが未入力です");
  for (int r = 1; r <= 51; ++r) {
    f.vaSpread1->TypeText(1, r, "70");
    f.vaSpread1->TypeText(2, r, "0.5");
    f.vaSpread1->TypeText(3, r, "0.7");
  }
  Case.Language = 1;
  Refused(f, "Over Max Data (50)");
  Case.Language = 0;
  // Type 3 reads no data grid at all.
  f.optMainCalcType.Click(2);
  script.OnModal("frmVLE_Calc", [](ui::Form& r) { static_cast<frmVLE_Calc&>(r).cmdCalcExit->click(); });
  f.cmdMainGoCalc->click();
  EXPECT_EQ(VLE.VLE_NData, 0) << "the refused runs stored no row";
}

TEST_F(VLEWindowTest, ADataCellTakesANumberOrNothingAsTyped) {
  frmVLE_Estimation& f = Open();
  f.cmdMainExample1->click();
  Case.Language = 1;
  for (const char* bad : {"abc", "0.1.2", "7O"}) {
    script.Answer(ui::vbOK, std::string("x1 (row 3): \"") + bad + "\" is not a number.");
    f.vaSpread1->TypeText(2, 3, bad);
    EXPECT_EQ(f.vaSpread1->Text(2, 3), "0.1") << "the cell keeps what it held";
  }
  script.Answer(ui::vbOK, "Temp (row 12): \"hot\" is not a number.");
  f.vaSpread1->TypeText(1, 12, "hot");
  EXPECT_EQ(f.vaSpread1->Text(1, 12), "65");
  // A number or a blank is taken, and what a refusal goes back to follows it.
  f.vaSpread1->TypeText(2, 3, " 0.125 ");
  script.Answer(ui::vbOK, "x1 (row 3): \"x\" is not a number.");
  f.vaSpread1->TypeText(2, 3, "x");
  EXPECT_EQ(f.vaSpread1->Text(2, 3), " 0.125 ");
  f.vaSpread1->TypeText(2, 3, "");
  EXPECT_EQ(f.vaSpread1->Text(2, 3), "");
}

// A run refused for a blank x1 keeps every stored point, and Save writes the
// grid as it stands once the value is typed back.
TEST_F(VLEWindowTest, NothingTypedIsLostBetweenARefusedRunAndSave) {
  frmVLE_Estimation& f = Open();
  f.cmdMainExample1->click();
  Case.Language = 1;
  f.vaSpread1->TypeText(2, 3, "");
  Refused(f, "x1 (row 3): enter a number.");
  EXPECT_EQ(VLE.VLE_NData, 12);
  EXPECT_EQ(VLE.VLE_X1_Data[3], 0.1);
  EXPECT_EQ(VLE.VLE_X1_Data[12], 0.95);
  // While a cell is blank or outside 0..1, Save refuses before any question.
  const std::string path = DataPath("typed.dat");
  script.Answer(ui::vbOK, "x1 (row 3): enter a number.");
  f.cmdMainSaveData->click();
  f.vaSpread1->TypeText(2, 3, "1.5");
  script.Answer(ui::vbOK, "out of X range(0-1) (row 3)");
  f.cmdMainSaveData->click();
  EXPECT_TRUE(script.fileDialogs.empty());
  EXPECT_FALSE(std::ifstream(path).good());
  // Typed back with a changed value and a new row: the file holds the grid.
  f.vaSpread1->TypeText(2, 3, "0.11");
  f.vaSpread1->TypeText(1, 13, "64.6");
  f.vaSpread1->TypeText(2, 13, "0.97");
  f.vaSpread1->TypeText(3, 13, "0.985");
  script.ChooseFile(path).Answer(ui::vbYes, "Save [ " + path + " ]");
  f.cmdMainSaveData->click();
  EXPECT_EQ(VLE.VLE_NData, 13);
  f.cmdInitialize->click();
  script.ChooseFile(path).Answer(ui::vbYes);
  f.cmdMainReadData->click();
  ASSERT_EQ(VLE.VLE_NData, 13);
  EXPECT_EQ(VLE.VLE_X1_Data[3], 0.11);
  EXPECT_EQ(VLE.VLE_T_Data[3], 87.7);
  EXPECT_EQ(VLE.VLE_Y1_Data[13], 0.985);
  EXPECT_EQ(VLE.VLE_X1_Data[12], 0.95);
  EXPECT_EQ(f.vaSpread1->Text(2, 3), "0.11");
}

TEST_F(VLEWindowTest, BoxesThatAreNotWhollyANumberAreRefusedByName) {
  frmVLE_Estimation& f = Open();
  Fill(f);
  const double press = VLE.VLE_Press, a2 = Case.Antoine_A[2];
  struct Bad {
    QLineEdit* box;  // nullptr: the Antoine cell A of component 2
    const char* text;
    const char* message;
  };
  const Bad bad[] = {
      {f.txtMainPress, "abc", "「圧力」の「abc」は数値ではありません。"},
      {f.txtMainPress, "12abc", "「圧力」の「12abc」は数値ではありません。"},
      {f.txtMainPress, "1e999", "「圧力」の「1e999」は数値の範囲を超えています。"},
      {nullptr, "8.07x", "「Antoine定数 Ａ (Water)」の「8.07x」は数値ではありません。"},
      {f.txtMainPara12, "0.4abc", "「Λ12」の「0.4abc」は数値ではありません。"},
      {f.txtMainPara12, "-0.4", "Wilson パラメータ Λ12, Λ21 は正の値でなければなりません。"},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.text);
    const std::string before = b.box ? ui::S(b.box->text()) : f.vaSpreadAntoine->Text(2, 2);
    if (b.box) b.box->setText(b.text);
    else f.vaSpreadAntoine->TypeText(2, 2, b.text);
    Refused(f, b.message);
    EXPECT_EQ(VLE.VLE_Press, press);
    if (!b.box) {
      EXPECT_EQ(Case.Antoine_A[2], a2) << "nothing of the refused row stored";
    }
    if (b.box) b.box->setText(ui::Q(before));
    else f.vaSpreadAntoine->TypeText(2, 2, before);
  }
  // NRTL: tau and alpha boxes, in English.
  Case.Language = 1;
  f.optMainCalcType.Click(1);
  f.txtMainAlpha->setText("0.3 0.4");
  Refused(f, "Alpha: \"0.3 0.4\" is not a number.");
  f.txtMainAlpha->setText("0.3");
  f.txtMainPara21->setText("tau");
  Refused(f, "τ21: \"tau\" is not a number.");
}

// A fit without an objective has nothing to minimise: it is refused at the run
// start and the result window does not open.
TEST_F(VLEWindowTest, FitWithoutObjectiveIsRefusedBeforeTheResultWindow) {
  frmVLE_Estimation& f = Open();
  Fill(f, false);
  Refused(f, "収束評価関数が選択されていません。");
}

TEST_F(VLEWindowTest, FitsWithoutABasisAreRefusedAtCalc) {
  frmVLE_Estimation& f = Open();
  Fill(f);
  Case.Language = 1;
  // The third row the same as the second, the first at -300 degC.
  f.vaSpread1->TypeText(1, 1, "-300");
  Refused(f, "Temp (row 1): enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C.");
  for (int c = 1; c <= 3; ++c) f.vaSpread1->TypeText(c, 1, f.vaSpread1->Text(c, 2));
  f.vaSpread1->TypeText(1, 3, "");
  Refused(f, "Too few VLE Data: this Object Func needs 2 or more points with different X");
  // Objective 2 takes both coefficients of the one point: the fit runs.
  f.optMainCalcFunc.Click(1);
  bool opened = false;
  script.OnModal("frmVLE_Calc", [&](ui::Form& r) {
    opened = true;
    EXPECT_EQ(static_cast<frmVLE_Calc&>(r).Fit().status, vlefit::FitStatus::Converged);
    static_cast<frmVLE_Calc&>(r).cmdCalcExit->click();
  });
  f.cmdMainGoCalc->click();
  EXPECT_TRUE(opened);
}

TEST_F(VLEWindowTest, ParametersAndConditionTakenInDisplayUnits) {
  frmVLE_Estimation& f = Open();
  Fill(f);
  f.cboMainPressUnit->setCurrentIndex(1);  // kPa
  f.txtMainPress->setText("101.325");
  f.txtMainPara12->setText("");
  f.txtMainPara21->setText("0.7");
  script.OnModal("frmVLE_Calc", [](ui::Form& r) { static_cast<frmVLE_Calc&>(r).cmdCalcExit->click(); });
  f.optMainCalcType.Click(2);
  f.txtMainPara12->setText("");
  f.cmdMainGoCalc->click();
  EXPECT_EQ(Case.P_Unit, 2);
  EXPECT_NEAR(VLE.VLE_Press, 760, 0.6);  // one atmosphere
  EXPECT_DOUBLE_EQ(Case.Wilson_L12, 1.0) << "an empty first box gives 1.0 to both";
  EXPECT_DOUBLE_EQ(Case.Wilson_L21, 1.0);
  f.optMainCalcType.Click(3);
  f.txtMainPara12->setText("");
  f.txtMainAlpha->setText("");
  script.OnModal("frmVLE_Calc", [](ui::Form& r) { static_cast<frmVLE_Calc&>(r).cmdCalcExit->click(); });
  f.cmdMainGoCalc->click();
  EXPECT_DOUBLE_EQ(Case.NRTL_Tau12, 0);
  EXPECT_DOUBLE_EQ(Case.NRTL_Tau21, 0);
  EXPECT_DOUBLE_EQ(Case.NRTL_Alpha, 0.4);
}

// The case holds degC and mmHg; shown in other units the boxes and the grid
// carry the converted values, so a case read back and run again keeps its values.
TEST_F(VLEWindowTest, CaseInOtherUnitsSurvivesSaveReadAndRunStart) {
  frmVLE_Estimation& f = Open();
  Fill(f);
  f.cboMainTempUnit->setCurrentIndex(1);  // K
  for (int r = 1; r <= 3; ++r) f.vaSpread1->TypeText(1, r, txt::Plain(txt::Val(f.vaSpread1->Text(1, r)) + 273.15));
  script.OnModal("frmVLE_Calc", [](ui::Form& r) { static_cast<frmVLE_Calc&>(r).cmdCalcExit->click(); });
  f.cmdMainGoCalc->click();
  ASSERT_NEAR(VLE.VLE_T_Data[2], 75.3, 1e-9);
  const std::string path = DataPath("kelvin.dat");
  script.ChooseFile(path).Answer(ui::vbYes, "を保存しますか？");
  f.cmdMainSaveData->click();
  f.cmdInitialize->click();
  script.ChooseFile(path).Answer(ui::vbYes, "を読み込みます？");
  f.cmdMainReadData->click();
  EXPECT_EQ(ui::S(f.cboMainTempUnit->currentText()), "ﾟK");
  EXPECT_EQ(f.vaSpread1->Text(1, 2), "348.45");
  script.OnModal("frmVLE_Calc", [](ui::Form& r) { static_cast<frmVLE_Calc&>(r).cmdCalcExit->click(); });
  f.cmdMainGoCalc->click();
  EXPECT_NEAR(VLE.VLE_T_Data[2], 75.3, 1e-9);
}

TEST_F(VLEWindowTest, SaveAsksTwiceOverAnExistingFileAndReadRefusesOtherFiles) {
  frmVLE_Estimation& f = Open();
  f.cmdMainExample1->click();
  const std::string path = DataPath("case.dat");
  {
    std::ofstream old(path);
    old << "old\n";
  }
  Case.Language = 1;
  script.ChooseFile(path).Answer(ui::vbYes, "Save [ " + path + " ]").Answer(ui::vbNo, "exsist [ " + path + " ], over-write");
  f.cmdMainSaveData->click();
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "old");
  EXPECT_EQ(script.fileDialogs.back().initialDir, DataDir());
  Case.Language = 0;
  // Saving writes what the window shows, typed since the last run start or not.
  f.txtMainPress->setText("500");
  script.ChooseFile(path).Answer(ui::vbYes).Answer(ui::vbYes, "上書きしますか？");
  f.cmdMainSaveData->click();
  f.cmdInitialize->click();
  script.ChooseFile(path).Answer(ui::vbYes);
  f.cmdMainReadData->click();
  EXPECT_EQ(T(f.txtMainPress), "500");
  EXPECT_EQ(f.vaSpreadAntoine->Text(1, 1), "Methanol");
  EXPECT_EQ(f.vaSpread1->Text(3, 12), "0.975");
  EXPECT_EQ(f.optMainCalcFunc.Value(), 0);
  // Another program's case file is refused and changes nothing.
  const std::string other = DataPath("dist.dat");
  {
    std::ofstream o(other);
    o << "\"Distillation Data\"\n";
  }
  script.ChooseFile(other).Answer(ui::vbYes).Answer(ui::vbOK, "気液平衡のデータファイルではありません。");
  f.cmdMainReadData->click();
  EXPECT_EQ(VLE.VLE_NData, 12);
  script.ChooseFile("");  // a cancelled dialog asks nothing
  f.cmdMainReadData->click();
}

// A run at 500 mmHg, then 760 typed and saved without a run: the file holds
// 760, and so every box the window shows; a box a file cannot hold is refused
// by name and nothing is written or changed.
TEST_F(VLEWindowTest, SaveWritesEveryBoxAsShown) {
  frmVLE_Estimation& f = Open();
  f.cmdMainExample1->click();
  f.txtMainPress->setText("500");
  script.OnModal("frmVLE_Calc", [](ui::Form& r) { static_cast<frmVLE_Calc&>(r).cmdCalcExit->click(); });
  f.cmdMainGoCalc->click();
  ASSERT_EQ(VLE.VLE_Press, 500);
  const double fitted12 = Case.Wilson_L12, fitted21 = Case.Wilson_L21;
  f.Set_Display_Data();  // the fitted pair as the boxes show it, 8 digits
  f.txtMainPress->setText("760");
  f.vaSpreadAntoine->TypeText(1, 1, "Methyl alcohol");
  f.vaSpreadAntoine->TypeText(3, 2, "1730.5");
  f.txtMainPara21->setText("0.75");
  const std::string path = DataPath("typed.dat");
  script.ChooseFile(path).Answer(ui::vbYes, "を保存しますか？");
  f.cmdMainSaveData->click();
  EXPECT_EQ(VLE.VLE_Press, 760);
  f.cmdInitialize->click();
  script.ChooseFile(path).Answer(ui::vbYes);
  f.cmdMainReadData->click();
  EXPECT_EQ(VLE.VLE_Press, 760);
  EXPECT_EQ(T(f.txtMainPress), "760");
  EXPECT_EQ(Case.Comp_Name[1], "Methyl alcohol");
  EXPECT_EQ(Case.Antoine_B[2], 1730.5);
  // A box left as shown keeps its value as the file holds it (15 digits), not the box's 8.
  EXPECT_NEAR(Case.Wilson_L12, fitted12, 1e-14) << "a box left as shown keeps its value";
  EXPECT_NE(Case.Wilson_L21, fitted21);
  EXPECT_EQ(Case.Wilson_L21, 0.75);

  // Refused by name before any question; the case and the file stay as they were.
  Case.Language = 1;
  const std::size_t dialogs = script.fileDialogs.size();
  const struct {
    QLineEdit* box;
    const char* text;
    const char* message;
  } bad[] = {
      {f.txtMainPress, "", "No Pressure Data"},
      {f.txtMainPress, "7x", "Press: \"7x\" is not a number."},
      {f.txtMainPress, "1e308", "Press: enter a pressure above 0 and at most 1000 MPa."},
      {f.txtMainPara12, "-1", "Λ12"},
  };
  for (const auto& b : bad) {
    SCOPED_TRACE(b.text);
    const QString before = b.box->text();
    b.box->setText(b.text);
    script.Answer(ui::vbOK, b.message);
    f.cmdMainSaveData->click();
    EXPECT_EQ(VLE.VLE_Press, 760);
    EXPECT_EQ(Case.Wilson_L21, 0.75);
    b.box->setText(before);
  }
  f.vaSpreadAntoine->TypeText(2, 1, "8.1");
  f.vaSpreadAntoine->TypeText(2, 2, "abc");
  script.Answer(ui::vbOK, "is not a number");
  f.cmdMainSaveData->click();
  EXPECT_EQ(Case.Antoine_A[1], 7.8786) << "nothing of a refused save is stored";
  EXPECT_EQ(script.fileDialogs.size(), dialogs);

  // NRTL shows alpha and tau: an edited alpha is saved with the grid as typed.
  f.vaSpreadAntoine->TypeText(2, 2, "8.07131");
  f.optMainCalcType.Click(1);
  f.txtMainAlpha->setText("0.3");
  script.ChooseFile(path).Answer(ui::vbYes).Answer(ui::vbYes, "over-write");
  f.cmdMainSaveData->click();
  f.cmdInitialize->click();
  script.ChooseFile(path).Answer(ui::vbYes);
  f.cmdMainReadData->click();
  EXPECT_EQ(VLE.VLE_Calc_Type, 2);
  EXPECT_EQ(Case.NRTL_Alpha, 0.3);
  EXPECT_EQ(Case.Antoine_A[1], 8.1);
  EXPECT_EQ(Case.Wilson_L21, 0.75) << "the Wilson pair, not shown, is kept";
}

// Far outside the suite's range the run start refuses the condition and the
// measured values by name, before the fit (which would end at a bound on a
// 309-digit pressure); the stored condition stays.
TEST_F(VLEWindowTest, RunStartRefusesConditionsOutsideTheRange) {
  frmVLE_Estimation& f = Open();
  f.cmdMainExample1->click();
  f.txtMainPress->setText("1e308");
  Refused(f, "「圧力」には 0 より大きく 1000 MPa 以下の圧力を入力してください。");
  EXPECT_EQ(VLE.VLE_Press, 760);
  f.txtMainPress->setText("760");
  Case.Language = 1;
  f.vaSpread1->TypeText(1, 4, "20000");
  Refused(f, "Temp (row 4): enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C.");
  // In kelvin the same end: 10273.15 K passes the range, 10273.2 K does not.
  f.cboMainTempUnit->setCurrentIndex(1);
  for (int r = 1; r <= 12; ++r) f.vaSpread1->TypeText(1, r, "350");
  f.vaSpread1->TypeText(1, 4, "10273.2");
  Refused(f, "Temp (row 4): enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C.");
}

TEST_F(VLEWindowTest, ThirdExampleOnlyAnswers) {
  frmVLE_Estimation& f = Open();
  f.cmdMainExample1->click();
  Case.Language = 1;
  script.Answer(ui::vbOK, "未だ例題データを準備していません。");
  f.cmdMainExample3->click();
  EXPECT_EQ(VLE.VLE_NData, 12);
  script.OnModal("frmMemo", [](ui::Form&) {});
  f.cmdMainMemo->click();
}

}  // namespace
