// The flash window and the condensing-curve window, driven through their
// controls with scripted prompts.
#include <QApplication>
#include <QKeyEvent>
#include <QFontMetrics>
#include <QRadioButton>
#include <QStyle>

#include <fstream>

#include "continuous/DistCaseFile.h"
#include "continuous/DistDefaults.h"
#include "core/dialogs/frmComponent.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "flash/FlashFile.h"
#include "flash/frmFlash.h"
#include "flash/frmFlashCondensingCurve.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Programs.h"
#include "support/UiTest.h"

namespace {

std::string Text(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) return ui::S(l->text());
  if (auto* t = qobject_cast<QLineEdit*>(w)) return ui::S(t->text());
  return {};
}

// Types `text` into a cell as a user does: select it, key the characters into
// the editor that opens, and press Enter.
void KeyIntoCell(ui::SpreadGrid* grid, int col, int row, const std::string& text) {
  const QModelIndex index = grid->model()->index(row - 1, col - 1);
  grid->setCurrentIndex(index);
  grid->edit(index);
  QLineEdit* editor = nullptr;
  for (QLineEdit* e : grid->viewport()->findChildren<QLineEdit*>())
    if (e->isVisible()) editor = e;
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  for (char ch : text) {
    const int key = ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(ch)));
    QApplication::sendEvent(editor, &press);
  }
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(editor, &enter);
  QApplication::processEvents();  // the view commits the editor by a queued call
}

class FlashWindowTest : public UiTest {
 protected:
  frmFlash& Open() {
    auto& f = ui::Forms::Get<frmFlash>();
    f.Show();
    return f;
  }
  static int CountCalls(const ui::PictureBox& pic, const char* kind, int colour) {
    int n = 0;
    for (const auto& c : pic.Calls())
      if (c.kind == kind && c.color == ui::QBColor(colour)) ++n;
    return n;
  }
};

TEST_F(FlashWindowTest, LoadSetsTheProgramAndDefaults) {
  Case.Program_Mode = 0;
  Case.Language = 1;
  Case.NC = 3;
  frmFlash& f = Open();
  EXPECT_EQ(Case.Program_Mode, 2);
  EXPECT_EQ(Case.Prog_Title, "Flash Calculation");
  EXPECT_EQ(ui::S(f.Caption()), "Flash Calculation");
  EXPECT_EQ(ui::S(f.cmdGoCalc->text()), "計算(&G)") << "control captions are Japanese in both languages";
  EXPECT_EQ(Case.P_Unit, 3);
  EXPECT_EQ(Case.H_Method, 1);
  EXPECT_EQ(Case.NC, 3);
  EXPECT_EQ(Text(f.txtTemp), "") << "the window is not refreshed on load";
  EXPECT_EQ(f.optCalcType.Value(), 0);
  EXPECT_FALSE(f.txtTemp2->isVisibleTo(&f));
}

TEST_F(FlashWindowTest, ExamplesFillTheWindow) {
  frmFlash& f = Open();
  f.cmdSample1->click();
  EXPECT_EQ(Text(f.txtTemp), " 80.000");
  EXPECT_EQ(Text(f.txtPress), " 760.000");
  EXPECT_EQ(Text(f.txtTemp2), " 100.000");
  EXPECT_EQ(Text(f.lblTempUnit), "℃");
  EXPECT_EQ(Text(f.lblPressUnit), "mmHg");
  EXPECT_EQ(Text(f.lblNCData), "4");
  EXPECT_EQ(Text(f.lblK_Value), "2.Antoine+Wilson");
  EXPECT_EQ(Text(f.lblEnthalpy), "0.エンタルピー計算なし");
  EXPECT_EQ(f.spdData->Text(0, 3), "Water");
  EXPECT_EQ(f.spdData->Text(1, 3), "0.85");
  EXPECT_EQ(f.spdData->Text(0, 5), " ");
  f.optCalcType.Click(5);
  EXPECT_EQ(Text(f.lblTemp), "下限温度");
  EXPECT_TRUE(f.txtTemp2->isVisibleTo(&f));
  EXPECT_FALSE(f.lblVFData->isVisibleTo(&f));
  f.cmdSample2->click();
  EXPECT_EQ(f.optCalcType.Value(), 0) << "the refresh selects type 0";
  EXPECT_FALSE(f.txtTemp2->isVisibleTo(&f));
  EXPECT_EQ(Text(f.txtTemp), " -10.000");
  EXPECT_EQ(Text(f.lblPressUnit), "Kgf/cm2");
  EXPECT_EQ(Text(f.lblK_Value), "4.S-R-K");
  EXPECT_EQ(Text(f.lblEnthalpy), "2.Ｓ－Ｒ－Ｋ");
  EXPECT_EQ(f.spdData->Text(0, 4), " ") << "example 1's fourth row is cleared";
}

// Every type through the button: the result lands in its box and in the table
// (values from tools/flash/flash_reference.py).
TEST_F(FlashWindowTest, EachCalculationTypeShowsItsResult) {
  frmFlash& f = Open();
  f.cmdSample1->click();
  struct Step {
    int type;
    const char* temp;
    QLineEdit* box;
    const char* shown;
    const char* vf;
    int col;
    const char* cell;  // row 1 (methanol) of that column
  };
  const Step steps[] = {
      {0, "80", f.txtTemp, " 85.085", " 0.0", 2, "0.452905"},
      {1, "80", f.txtTemp, " 96.220", " 1.0", 3, "0.016282"},
      {2, "80", f.txtPress, " 627.705", " 0.0", 2, "0.459602"},
      {3, "80", f.txtPress, " 407.050", " 1.0", 3, "0.014972"},
      {4, "95", f.txtTemp, "95", "0.7188", 3, "0.022891"},
  };
  for (const Step& s : steps) {
    f.txtTemp->setText(s.temp);
    f.txtPress->setText(" 760");
    f.optCalcType.Click(s.type);
    Case.H_Method = s.type == 4 ? 1 : 0;
    f.cmdGoCalc->click();
    EXPECT_EQ(Text(s.box), s.shown) << s.type;
    EXPECT_EQ(Text(f.lblVFData), s.vf) << s.type;
    EXPECT_EQ(f.spdData->Text(s.col, 1), s.cell) << s.type;
  }
  EXPECT_NEAR(f.spdData2->Value(2, 1), 3062.3, 0.1);  // kcal/kmol at 95 degC
  EXPECT_NEAR(f.spdData2->Value(3, 1), -8626.1, 0.1);
}

// The feed is typed in the Feed column and the calculation uses it; a feed that
// does not sum to 1 is used normalised with a word, one out of 0..1 is refused
// and leaves no old result standing.
TEST_F(FlashWindowTest, TypedFeedIsComputed) {
  frmFlash& f = Open();
  f.cmdSample1->click();
  const char* typed[4] = {"0.4", "0.1", "0.3", "0.2"};
  for (int i = 1; i <= 4; ++i) KeyIntoCell(f.spdData, 1, i, typed[i - 1]);
  EXPECT_EQ(f.spdData->Text(1, 1), "0.4");
  EXPECT_EQ(f.spdData->Text(0, 1), "Methanol") << "names stay locked";
  f.cmdGoCalc->click();
  EXPECT_TRUE(script.messages.empty());
  double vapour = 0;
  for (int i = 1; i <= 4; ++i) {
    EXPECT_DOUBLE_EQ(Case.Flash_Z[i], txt::Val(typed[i - 1])) << i;
    EXPECT_NEAR(txt::Val(f.spdData->Text(3, i)), Case.Flash_Z[i], 1e-6) << "the liquid is the typed feed";
    vapour += txt::Val(f.spdData->Text(2, i));
  }
  EXPECT_NEAR(vapour, 1.0, 5e-6);
  const double tTyped = txt::Val(Text(f.txtTemp));
  EXPECT_LT(tTyped, 80.0) << "methanol-rich boils lower than the example's water-rich feed";

  for (int i = 1; i <= 4; ++i) KeyIntoCell(f.spdData, 1, i, std::to_string(2 * txt::Val(typed[i - 1])));
  EXPECT_EQ(f.spdData->Text(2, 1), " ") << "a typed feed clears the result it no longer belongs to";
  script.Answer(ui::vbOK, "正規化して使います");
  f.cmdGoCalc->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_DOUBLE_EQ(Case.Flash_Z[1], 0.4);
  EXPECT_EQ(f.spdData->Text(1, 1), "0.4") << "the column shows the feed used";
  EXPECT_NEAR(txt::Val(Text(f.txtTemp)), tTyped, 1e-3);

  for (const char* bad : {"-0.1", "1.5"}) {
    KeyIntoCell(f.spdData, 1, 2, bad);
    script.Answer(ui::vbOK, "(2 行目)");
    f.cmdGoCalc->click();
    EXPECT_EQ(script.Pending(), 0u) << bad;
    EXPECT_DOUBLE_EQ(Case.Flash_Z[2], 0.1) << bad;
    EXPECT_EQ(f.spdData->Text(2, 1), " ") << bad;
  }
  for (int i = 1; i <= 4; ++i) KeyIntoCell(f.spdData, 1, i, "0");
  Case.Language = 1;
  script.Answer(ui::vbOK, "The feed fractions sum to 0.");
  f.cmdGoCalc->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_DOUBLE_EQ(Case.Flash_Z[2], 0.1);
}

// Pressures at or below 0, temperatures below absolute zero and numbers that are
// not finite are refused in the chosen language, with nothing computed.
TEST_F(FlashWindowTest, NonPhysicalInputsAreRefused) {
  frmFlash& f = Open();
  f.cmdSample1->click();
  f.cmdGoCalc->click();
  ASSERT_NE(f.spdData->Text(2, 1), " ");
  struct Case_ {
    int type;
    const char *temp, *press, *temp2, *japanese, *english;
  } cases[] = {
      // Outside the suite's range of temperatures and pressures, below or
      // beyond, refused by the one message that names the box.
      {0, "80", "0", "100", "「圧力」には 0 より大きく 1000 MPa 以下の圧力を入力してください。",
       "Pressure: enter a pressure above 0 and at most 1000 MPa."},
      {4, "80", "-760", "100", "「圧力」には 0 より大きく", "Pressure: enter a pressure above 0"},
      {2, "-273.15", "760", "100", "「温度」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。",
       "Temperature: enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C."},
      {4, "-400", "760", "100", "「温度」には -273.15 ℃", "Temperature: enter a temperature above -273.15 °C"},
      {5, "20", "760", "-300", "「上限温度」には -273.15 ℃", "Upper temperature: enter a temperature above -273.15 °C"},
      {1, "1e308", "760", "100", "「温度」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。",
       "Temperature: enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C."},
      {0, "80", "1e308", "100", "「圧力」には 0 より大きく 1000 MPa 以下の圧力を入力してください。",
       "Pressure: enter a pressure above 0 and at most 1000 MPa."},
      {5, "20", "760", "20000", "「上限温度」には -273.15 ℃", "Upper temperature: enter a temperature above"},
      {1, "80", "1e999", "100", "「圧力」の「1e999」は数値の範囲を超えています", "beyond the range of a number"},
      {0, "abc", "760", "100", "「温度」の「abc」は数値ではありません", "Temperature: \"abc\" is not a number"},
      {4, "80", "12abc", "100", "「圧力」の「12abc」", "Pressure: \"12abc\""},
      {2, "", "760", "100", "「温度」に数値を入力してください", "Temperature: enter a number"},
      {5, "x", "760", "100", "「下限温度」の「x」", "Lower temperature: \"x\""},
  };
  for (const Case_& c : cases) {
    for (int language : {0, 1}) {
      Case.Language = language;
      f.cmdSample1->click();
      f.optCalcType.Click(c.type);
      f.txtTemp->setText(c.temp);
      f.txtPress->setText(c.press);
      f.txtTemp2->setText(c.temp2);
      script.Answer(ui::vbOK, language == 0 ? c.japanese : c.english);
      f.cmdGoCalc->click();
      EXPECT_EQ(script.Pending(), 0u) << c.temp << " " << c.press << " " << language;
      EXPECT_EQ(f.spdData->Text(2, 1), " ") << c.type;
      EXPECT_EQ(Text(f.txtTemp), c.temp) << "what was typed stays";
    }
  }
  Case.Language = 0;
  EXPECT_TRUE(script.modalForms.empty() || script.modalForms.back() != "frmFlashCondensingCurve");
  // With kelvin the floor is 0 K; 0.5 K is taken.
  f.cmdSample1->click();
  Case.T_Unit = 2;
  f.txtTemp->setText("-1");
  script.Answer(ui::vbOK, "絶対零度");
  f.cmdGoCalc->click();
  EXPECT_EQ(script.Pending(), 0u);
}

TEST_F(FlashWindowTest, LibraryMessagesReachTheUser) {
  frmFlash& f = Open();
  f.cmdSample2->click();
  f.optCalcType.Click(1);
  script.Answer(ui::vbOK, "S-R-K / P-Rの式は未だありません");
  f.cmdGoCalc->click();
  // Refused at calculate: no K = 1 table is left standing.
  for (int row = 1; row <= 3; ++row) EXPECT_EQ(f.spdData->Text(4, row), f.spdData->Text(4, 20)) << row;
  EXPECT_EQ(Text(f.lblVFData), "");
  EXPECT_EQ(Text(f.txtTemp), " -10.000");
}

TEST_F(FlashWindowTest, ComponentAndUnitDialogsUpdateTheWindow) {
  frmFlash& f = Open();
  f.cmdSample1->click();
  script.OnModal("frmComponent", [](ui::Form& d) {
    auto& c = static_cast<frmComponent&>(d);
    c.vaSpreadComp->ClearRange(1, 3, 6, 4);
    c.vaSpreadComp->TypeText(1, 2, "Acetone");
    c.cmdOK_Click();
  });
  f.cmdComponent->click();
  EXPECT_EQ(Case.NC, 2);
  EXPECT_EQ(Text(f.lblNCData), "2");
  EXPECT_EQ(f.spdData->Text(0, 2), "Acetone");
  EXPECT_EQ(f.spdData->Text(0, 3), " ");
  script.OnModal("frmUnit", [](ui::Form& d) {
    auto& u = static_cast<frmUnit&>(d);
    u.cboTemp->setCurrentIndex(1);
    u.cmdOK_Click();
  });
  f.cmdUnit->click();
  EXPECT_EQ(Case.T_Unit, 2);
  EXPECT_EQ(Text(f.lblTempUnit), "゜K");
  EXPECT_EQ(Text(f.lblTempUnit2), "゜K");
}

// Feed cells and the boxes a save reads take only text that is wholly a
// number; the refusal names the field and nothing is computed or written.
TEST_F(FlashWindowTest, FeedCellsAndSavedBoxesRefuseTextThatIsNoNumber) {
  frmFlash& f = Open();
  f.cmdSample1->click();
  // Past the range of a double the cell itself refuses it while it is typed.
  script.Answer(ui::vbOK, "「Ｆｅｅｄ（2行目、Ethanol）」の「1e999」は数値の範囲を超えています");
  KeyIntoCell(f.spdData, 1, 2, "1e999");
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(f.spdData->Text(1, 2), "0.01");
  for (const char* bad : {"abc", "12abc", ""}) {
    KeyIntoCell(f.spdData, 1, 2, bad);
    script.Answer(ui::vbOK, "Feed (2 行目)");
    f.cmdGoCalc->click();
    EXPECT_EQ(script.Pending(), 0u) << bad;
    EXPECT_DOUBLE_EQ(Case.Flash_Z[2], 0.01) << bad;
    EXPECT_EQ(f.spdData->Text(2, 1), " ") << "no result for a refused feed";
  }
  KeyIntoCell(f.spdData, 1, 2, "0.01");
  for (const char* bad : {"abc", "92.5C", "1e999"}) {
    f.txtTemp->setText(bad);
    script.Answer(ui::vbOK, std::string("「温度」の「") + bad + "」");
    f.cmdSaveData->click();
    EXPECT_EQ(script.Pending(), 0u) << bad;
    EXPECT_TRUE(script.fileDialogs.empty()) << "refused before a file is chosen";
  }
}

// After normalising, the Feed column shows the places it can hold with a
// leading zero, never an elided "0....".
TEST_F(FlashWindowTest, NormalisedFeedFitsItsColumn) {
  frmFlash& f = Open();
  f.cmdSample1->click();
  for (int i = 1; i <= 4; ++i) KeyIntoCell(f.spdData, 1, i, "1");
  script.Answer(ui::vbOK, "正規化して使います");
  f.cmdGoCalc->click();
  const QFontMetrics fm(f.spdData->font());
  const int margin = f.spdData->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, f.spdData) + 1;
  const QString shown = f.spdData->model()->data(f.spdData->model()->index(0, 0), Qt::DisplayRole).toString();
  EXPECT_TRUE(shown.startsWith("0.25")) << shown.toStdString();
  EXPECT_LE(fm.horizontalAdvance(shown), f.spdData->columnWidth(0) - 1 - 2 * margin);
  f.optCalcType.Click(4);
  f.txtTemp->setText("95");
  f.cmdGoCalc->click();
  const std::string vf = Text(f.lblVFData);
  ASSERT_EQ(vf.size(), 6u) << vf;
  EXPECT_TRUE(vf[0] == '0' || vf[0] == '1') << "a leading digit, not \".xxxx\": " << vf;
  EXPECT_EQ(vf[1], '.');
}

// The window's caption and the program title follow the language at each
// showing.
TEST_F(FlashWindowTest, CaptionFollowsTheLanguageAtEachShowing) {
  frmFlash& f = Open();
  EXPECT_EQ(ui::S(f.Caption()), "ＦＬＡＳＨ計算");
  Case.Language = 1;
  f.Show();
  EXPECT_EQ(ui::S(f.Caption()), "Flash Calculation");
  EXPECT_EQ(Case.Prog_Title, "Flash Calculation");
  Case.Language = 0;
  f.Form_Activate();
  EXPECT_EQ(Case.Prog_Title, "ＦＬＡＳＨ計算");
}

TEST_F(FlashWindowTest, SaveAndReadBack) {
  frmFlash& f = Open();
  f.cmdSample1->click();
  f.txtTemp->setText("92.5");
  const std::string path = DataPath("case1.dat");
  script.ChooseFile(path).Answer(ui::vbYes, "を保存しますか");
  f.cmdSaveData->click();
  ASSERT_TRUE(seqfile::FileExists(path));
  EXPECT_EQ(Case.Data_File, path);
  f.cmdSample2->click();
  Case.Data_File = DataPath("column case.dat");
  script.ChooseFile(path).Answer(ui::vbYes, "を読み込みます");
  f.cmdReadData->click();
  EXPECT_EQ(Case.Data_File, DataPath("column case.dat")) << "reading keeps the case-file path";
  EXPECT_EQ(Text(f.txtTemp), " 92.500");
  EXPECT_EQ(Case.NC, 4);
  EXPECT_EQ(f.spdData->Text(0, 4), "1-Propanol");
  EXPECT_EQ(Text(f.lblK_Value), "2.Antoine+Wilson");
  // Saving again over it asks twice; No at the second leaves the file.
  std::ifstream in(path);
  const std::string before((std::istreambuf_iterator<char>(in)), {});
  f.cmdSample2->click();
  script.ChooseFile(path).Answer(ui::vbYes, "を保存しますか").Answer(ui::vbNo, "上書きしますか");
  f.cmdSaveData->click();
  std::ifstream again(path);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), {}), before);
}

TEST_F(FlashWindowTest, RefusedFilesLeaveTheCase) {
  frmFlash& f = Open();
  Case.Max_Comp = kMaxComp;
  Dist_Example1_set();
  const std::string column = DataPath("column.dat");
  ASSERT_TRUE(seqfile::SaveAtomic(column, Dist_Case_Text()));
  f.cmdSample2->click();
  const std::string before = Flash_File_Text(f.Win_Values);
  script.ChooseFile(column).Answer(ui::vbYes).Answer(ui::vbOK, "Flash計算のデータファイルとして読めません");
  f.cmdReadData->click();
  EXPECT_EQ(Flash_File_Text(f.Win_Values), before);
  EXPECT_EQ(Text(f.lblNCData), "3");

  const std::string other = DataPath("batch.dat");
  ASSERT_TRUE(seqfile::SaveAtomic(other, "\"Batch Distillastion Data\"\r\n"));
  script.ChooseFile(other).Answer(ui::vbYes).Answer(ui::vbOK, "Flash計算のデータファイルではありません");
  f.cmdReadData->click();
  EXPECT_EQ(Flash_File_Text(f.Win_Values), before);

  script.ChooseFile(other).Answer(ui::vbNo, "を読み込みます");
  f.cmdReadData->click();
  script.ChooseFile("");
  f.cmdReadData->click();
}

// Example 1's curve from the bubble to the dew point: 201 points, both marks,
// the read-out by mouse and by arrow keys.
TEST_F(FlashWindowTest, CondensingCurveWithCursor) {
  frmFlash& f = Open();
  f.cmdSample1->click();
  f.optCalcType.Click(5);
  f.txtTemp->setText("");
  f.txtTemp2->setText("");
  f.txtPress->setText("760.00049");
  bool ran = false;
  script.OnModal("frmFlashCondensingCurve", [&](ui::Form& form) {
    ran = true;
    auto& c = static_cast<frmFlashCondensingCurve&>(form);
    EXPECT_EQ(c.HeightTwips(), kCurveHeightCollapsed);
    EXPECT_EQ(ui::S(c.Caption()), "ＦＬＡＳＨ計算 凝縮曲線");
    const CurveFrame& fr = c.Frame();
    EXPECT_EQ(CountCalls(*c.picCalc, "Line", 12), 200) << "201 points joined";
    EXPECT_EQ(CountCalls(*c.picCalc, "Circle", 12), 1);
    EXPECT_EQ(CountCalls(*c.picCalc, "Circle", 13), 1);
    EXPECT_EQ(CountCalls(*c.picCalc, "Line", 14), 0) << "no enthalpy model";
    for (const auto& call : c.picCalc->Calls()) {
      if (call.kind != "Circle") continue;
      if (call.color == ui::QBColor(12)) {
        EXPECT_EQ(call.x1, Curve_Point_X(fr, 1));
      } else if (call.color == ui::QBColor(13)) {
        EXPECT_EQ(call.x1, Curve_Point_X(fr, 201));
      }
    }
    EXPECT_EQ(Text(c.lblB_Temp), " 85.085");
    EXPECT_EQ(Text(c.lblD_Temp), " 96.220");
    EXPECT_EQ(Text(c.lblBPT_Unit), "℃");
    EXPECT_DOUBLE_EQ(Case.Flash_P, 760.0);

    // Left click on point 101.
    c.picCalc->ClickAt(Curve_Point_X(fr, 101) + 0.7, fr.Top + 100);
    EXPECT_EQ(c.Curve_Cursor_X, Curve_Point_X(fr, 101));
    EXPECT_EQ(c.HeightTwips(), kCurveHeightExpanded);
    EXPECT_EQ(Text(c.txtX), "90.65");
    EXPECT_NEAR(txt::Val(Text(c.txtY)), 0.2795, 1e-4);  // 0.27948805378206504
    EXPECT_EQ(c.spdData->Text(0, 1), "Methanol");
    EXPECT_EQ(c.spdData->Text(1, 3), "0.850000");
    EXPECT_EQ(CountCalls(*c.picCalc, "Line", 11), 1) << "one cursor line";

    // Arrow keys move the cursor by 5 twips and read out the point under it.
    ui::SendKey(c.picCalc, ui::vbKeyRight);
    EXPECT_EQ(c.Curve_Cursor_X, Curve_Point_X(fr, 101) + 5);
    EXPECT_EQ(CountCalls(*c.picCalc, "Line", 11), 1);
    for (int k = 0; k < 40 && Curve_Point_Index(fr, c.Curve_Cursor_X) < 103; ++k)
      ui::SendKey(c.picCalc, ui::vbKeyRight);
    EXPECT_EQ(Text(c.txtX), txt::Format(c.Curve().PointT(103), "####.#0"));
    EXPECT_NE(Text(c.txtX), "90.65");

    // Right click: redraw and move, no read-out.
    c.SetHeightTwips(kCurveHeightCollapsed);
    c.picCalc->ClickAt(fr.Left, fr.Top + 100, 2);
    EXPECT_EQ(c.Curve_Cursor_X, fr.Left);
    EXPECT_EQ(c.HeightTwips(), kCurveHeightCollapsed);
    EXPECT_EQ(CountCalls(*c.picCalc, "Line", 11), 0);

    // At the left edge the arrow goes 5 twips beyond it, shows nothing, then stops.
    ui::SendKey(c.picCalc, ui::vbKeyLeft);
    EXPECT_EQ(c.Curve_Cursor_X, fr.Left - 5);
    EXPECT_EQ(c.HeightTwips(), kCurveHeightCollapsed);
    ui::SendKey(c.picCalc, ui::vbKeyLeft);
    EXPECT_EQ(c.Curve_Cursor_X, fr.Left - 5);
    c.cmdExit->click();
  });
  f.cmdGoCalc->click();
  EXPECT_TRUE(ran);
  EXPECT_NEAR(Case.Flash_Curve_VF[101], 0.27948805378206504, 2e-6);
  EXPECT_FALSE(ui::Forms::IsLoaded("frmFlashCondensingCurve"));
}

// The same curve drawn from limits typed in degrees Celsius and in kelvin.
TEST_F(FlashWindowTest, CondensingCurveInCelsiusAndKelvin) {
  frmFlash& f = Open();
  f.cmdSample1->click();
  Case.H_Method = 1;
  f.optCalcType.Click(5);
  auto geometry = [](const ui::PictureBox& pic) {
    std::vector<std::array<double, 4>> v;
    for (const auto& c : pic.Calls())
      if (c.kind == "Line" || c.kind == "Circle") v.push_back({c.x1, c.y1, c.x2, c.y2});
    return v;
  };
  std::vector<std::array<double, 4>> celsius, kelvin;
  script.OnModal("frmFlashCondensingCurve", [&](ui::Form& form) {
    celsius = geometry(*static_cast<frmFlashCondensingCurve&>(form).picCalc);
    EXPECT_EQ(CountCalls(*static_cast<frmFlashCondensingCurve&>(form).picCalc, "Circle", 14), 2);
  });
  f.cmdGoCalc->click();
  Case.T_Unit = 2;
  f.txtTemp->setText("353.15");
  f.txtTemp2->setText("373.15");
  script.OnModal("frmFlashCondensingCurve", [&](ui::Form& form) {
    auto& c = static_cast<frmFlashCondensingCurve&>(form);
    kelvin = geometry(*c.picCalc);
    EXPECT_EQ(Text(c.lblB_Temp), " 358.235");
  });
  f.cmdGoCalc->click();
  ASSERT_FALSE(celsius.empty());
  EXPECT_EQ(kelvin, celsius);
}

// Example 2's equation of state serves only the bubble point: the refused dew
// point and flashes say so once per drawing, and the curve is still drawn. Its
// enthalpy model yields no values: the enthalpy line lies flat at the foot, with
// neither scale nor marks.
TEST_F(FlashWindowTest, Example2CurveReportsTheRefusedModelOnce) {
  Case.Language = 1;
  frmFlash& f = Open();
  f.cmdSample2->click();
  f.optCalcType.Click(5);
  // One message at calculate and no curve window (an unscripted one would fail).
  script.Answer(ui::vbOK, "S-R-K / P-Rの式は未だありません");
  f.cmdGoCalc->click();
  EXPECT_EQ(Text(f.lblVFData), "");
}

TEST_F(FlashWindowTest, ReversedLimitsDrawOnlyTheGrid) {
  frmFlash& f = Open();
  f.cmdSample1->click();
  f.optCalcType.Click(5);
  f.txtTemp2->setText("80");
  script.OnModal("frmFlashCondensingCurve", [&](ui::Form& form) {
    auto& c = static_cast<frmFlashCondensingCurve&>(form);
    EXPECT_EQ(CountCalls(*c.picCalc, "Line", 12), 0);
    EXPECT_GT(CountCalls(*c.picCalc, "Line", 8), 0);
  });
  script.Answer(ui::vbOK, "温度の上下限が逆転しています。 TL= 80. TU= 80.");
  f.cmdGoCalc->click();
}

TEST_F(FlashWindowTest, ExitReturnsToTheMenu) {
  int shown = 0;
  ui::SetMenuReturn([&] { ++shown; });
  const ui::ProgramWindow* w = ui::FindProgramWindow(2);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->formName, "frmFlash");
  ui::Form* form = w->load();
  form->Show();
  static_cast<frmFlash*>(form)->cmdExit->click();
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(ui::Forms::IsLoaded("frmFlash"));
  ui::SetMenuReturn(nullptr);
}

}  // namespace
