// The UNIFAC windows driven through their controls, with the shipped group
// file or a small one written by the test.
#include <QCoreApplication>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/model/CaseData.h"
#include "database/PropertyDb.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Programs.h"
#include "support/UiTest.h"
#include "vle/unifac_ui/frmUNIFAC.h"
#include "vle/unifac_ui/frmUNIFACReference.h"
#include "vle/unifac_ui/frmUNIFAC_DispPara.h"
#include "vle/unifac_ui/frmUNIFAC_VLE.h"

namespace {

// Three subgroups of three main groups: a(1, 3) registered but a(3, 1) not,
// a(2, 3) between -9999 and -9000.
const char* const kSmallPar =
    "3,test groups\n"
    "CH3,1,0.9011,0.848\n"
    "OH,2,1.0,1.2\n"
    "H2O,3,0.92,1.4\n"
    "main groups\n"
    "CH2 alkanes,0,986.5,500\n"
    "OH alcohols,156.4,0,-9500\n"
    "H2O water,-9999,-229.1,0\n";

std::string Text(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) return ui::S(l->text());
  if (auto* t = qobject_cast<QLineEdit*>(w)) return ui::S(t->text());
  if (auto* b = qobject_cast<QPushButton*>(w)) return ui::S(b->text());
  return {};
}

class UnifacWindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Case.Program_No = 5;
  }
  void UseShippedFile() {
    std::filesystem::copy_file(std::string(VZ_SOURCE_DIR) + "/data/UNIFAC.PAR", appFolder + "/UNIFAC.PAR");
  }
  void UseSmallFile() { std::ofstream(appFolder + "/UNIFAC.PAR") << kSmallPar; }
  frmUNIFAC& Open() {
    auto& f = ui::Forms::Get<frmUNIFAC>();
    f.Show();
    return f;
  }
  static bool Printed(const ui::PictureBox& pic, const std::string& text, QColor colour) {
    for (const auto& c : pic.Calls())
      if (c.kind == "Print" && c.text == text && c.color == colour) return true;
    return false;
  }
};

}  // namespace

TEST_F(UnifacWindowTest, LoadFillsTheSubgroupGridInBothLanguages) {
  UseShippedFile();
  Case.Language = 1;
  frmUNIFAC& f = Open();
  EXPECT_EQ(Case.Prog_Title, "UNIFAC");
  EXPECT_EQ(ui::S(f.Caption()), "V-L Equibrium by Group Contribution Method (UNIFAC)");
  EXPECT_EQ(Text(f.lblTempUnit), "Deg C");
  EXPECT_EQ(f.vaSpreadAntoine->Text(1, 0), "Name");
  EXPECT_EQ(Text(f.txtPress), "760");
  EXPECT_EQ(Text(f.txtTemp), "60");
  EXPECT_EQ(f.vaSpread2->Text(3, 16), "CH3OH");
  EXPECT_EQ(f.vaSpread2->Text(2, 17), "7");
  EXPECT_EQ(f.vaSpread2->Text(6, 1), "23") << "block 2 starts at subgroup 23";
  EXPECT_EQ(f.vaSpread2->Text(18, 22), Unifac.UNIFAC_Sub_Name[88]);
  // The longest name of the shipped file fits its column whole.
  EXPECT_EQ(f.vaSpread2->Text(18, 7), "HCON(CH2)2");
  EXPECT_GT(f.vaSpread2->columnWidth(17), f.vaSpread2->fontMetrics().horizontalAdvance("HCON(CH2)2"));
  EXPECT_FALSE(f.cmdDBAntoine->isVisibleTo(&f));
  EXPECT_EQ(endRequests, 0);
  // The menu switches to Japanese while the window is open: it follows when active again.
  Case.Language = 0;
  f.Form_Activate();
  EXPECT_EQ(ui::S(f.Caption()), "グループ寄与法による気液平衡推算（ＵＮＩＦＡＣ）");
  EXPECT_EQ(Text(f.lblTempUnit), "℃");
  EXPECT_EQ(f.vaSpreadAntoine->Text(1, 0), "成分名");
  EXPECT_EQ(Case.Prog_Title, "ＵＮＩＦＡＣ");
}

TEST_F(UnifacWindowTest, MissingGroupFileEndsTheApplication) {
  script.Answer(ui::vbOK, "ｶﾚﾝﾄﾃﾞｨﾚｸﾄﾘｰにUNIFACﾊﾟﾗﾒｰﾀﾌｧｲﾙ(UNIFAC.PAR)がありません。 プログラム終了します。");
  ui::Forms::Get<frmUNIFAC>();
  EXPECT_EQ(endRequests, 1);
}

TEST_F(UnifacWindowTest, RefusedGroupFileClosesOnlyTheProgram) {
  std::string text = kSmallPar;
  text.replace(text.find("0.848"), 5, "0.84x");
  std::ofstream(appFolder + "/UNIFAC.PAR") << text;
  Case.Language = 1;
  int menuShown = 0;
  ui::SetMenuReturn([&] { ++menuShown; });
  script.Answer(ui::vbOK, "UNIFAC.PAR line 2: \"0.84x\" is not a number.");
  Open();
  QCoreApplication::processEvents();
  ui::Forms::FlushDeleted();
  EXPECT_EQ(ui::Forms::Find<frmUNIFAC>(), nullptr);
  EXPECT_EQ(menuShown, 1);
  EXPECT_EQ(endRequests, 0);

  // Mended, the program opens again in the same application.
  UseSmallFile();
  frmUNIFAC& f = Open();
  QCoreApplication::processEvents();
  EXPECT_EQ(ui::Forms::Find<frmUNIFAC>(), &f);
  EXPECT_EQ(f.vaSpread2->Text(3, 2), "OH");
  ui::SetMenuReturn({});
}

TEST_F(UnifacWindowTest, ClicksShowAndHideTheLookupButtonAndTheParameterFrame) {
  UseShippedFile();
  frmUNIFAC& f = Open();
  f.vaSpreadAntoine->ClickCell(1, 2);
  EXPECT_TRUE(f.cmdDBAntoine->isVisibleTo(&f));
  f.vaSpread2->ClickCell(8, 3);  // "Group" of block 2, row 3: subgroup 25
  EXPECT_FALSE(f.cmdDBAntoine->isVisibleTo(&f));
  ASSERT_TRUE(f.fraPara->isVisibleTo(&f));
  EXPECT_EQ(Text(f.lblNam), Unifac.UNIFAC_Sub_Name[25] + " ");
  f.vaSpread2->ClickCell(16, 16);  // subgroup 82 in block 4
  EXPECT_EQ(Text(f.lblNam), Unifac.UNIFAC_Sub_Name[82] + " ");
  f.vaSpread2->ClickCell(1, 16);
  EXPECT_EQ(Text(f.lblNam), "CH3OH ");
  EXPECT_EQ(Text(f.lblParaR), " 1.4311");
  EXPECT_EQ(Text(f.lblParaQ), " 1.432");
  f.vaSpread2->ClickCell(4, 16);  // a count cell
  EXPECT_FALSE(f.fraPara->isVisibleTo(&f));
  f.vaSpreadAntoine->ClickCell(2, 1);
  f.txtPress_Click();
  EXPECT_FALSE(f.cmdDBAntoine->isVisibleTo(&f));
}

TEST_F(UnifacWindowTest, ExampleOneEstimatesAndShowsTheResult) {
  UseShippedFile();
  frmUNIFAC& f = Open();
  f.vaSpread2->TypeText(5, 1, "3");  // a count of example 2 left from before: cleared
  f.cmdExample1->click();
  EXPECT_EQ(f.vaSpread2->Text(5, 1), "");
  EXPECT_EQ(f.vaSpread2->Text(4, 16), "1");
  EXPECT_EQ(f.vaSpread2->Text(5, 17), "1");
  EXPECT_EQ(f.vaSpreadAntoine->Text(1, 2), "Water");
  EXPECT_EQ(Text(f.txtTemp), "80");
  bool shown = false;
  script.OnModal("frmUNIFAC_VLE", [&](ui::Form& form) {
    auto& r = static_cast<frmUNIFAC_VLE&>(form);
    shown = true;
    EXPECT_TRUE(r.Curve.Ok());
    EXPECT_EQ(Text(r.lblCompName[0]), "Methanol");
    EXPECT_EQ(Text(r.lblAntoine_C[1]), " 233.426");
    EXPECT_EQ(Text(r.lblPressData), " 760");
    EXPECT_EQ(r.HeightTwips(), kUnifacVleHeight);
    // The labels show the Wilson pair of the engine, in the window's format.
    EXPECT_EQ(Text(r.lblWilsonParaData[0]), txt::Format(r.Wilson.Lambda12, " ##0.00000000"));
    EXPECT_EQ(Text(r.lblWilsonParaData[1]), txt::Format(r.Wilson.Lambda21, " ##0.00000000"));
    // Water boils at 99.997 and methanol at 64.751 deg C with these constants
    // (the Antoine equation solved for 760 mmHg): temperature axis 60..100 with
    // the inner numbers 68, 76, 84, 92.
    EXPECT_NEAR(Unifac.UNIFAC_Pt_T[1], 99.997, 0.001);
    EXPECT_NEAR(Unifac.UNIFAC_Pt_T[201], 64.751, 0.001);
    const QColor green = ui::QBColor(10);
    EXPECT_TRUE(Printed(*r.picCalc, "Temp", green));
    EXPECT_TRUE(Printed(*r.picCalc, " 100 ", green));
    EXPECT_TRUE(Printed(*r.picCalc, " 60 ", green));
    for (const char* inner : {" 68 ", " 76 ", " 84 ", " 92 "}) EXPECT_TRUE(Printed(*r.picCalc, inner, green));
    EXPECT_TRUE(Printed(*r.picCalc, " 0 ", ui::QBColor(8)));

    // A click on the y-x curve at x1 = 0.5 reads out point 101.
    const double x = r.Plot_Left + (r.Plot_Right - r.Plot_Left) * 0.5;
    const double y = r.Plot_Bottom - r.Plot_Height * Unifac.UNIFAC_Pt_Y1[101] + 10;
    r.picCalc->ClickAt(x, y);
    ASSERT_TRUE(r.fraPoint->isVisibleTo(&r));
    EXPECT_EQ(r.HeightTwips(), kUnifacVleHeightPoint);
    EXPECT_EQ(Text(r.lblX1Data), ".50000");
    EXPECT_EQ(Text(r.lblY1Data), txt::Format(Unifac.UNIFAC_Pt_Y1[101], "#.####0"));
    EXPECT_EQ(Text(r.lblTPData), txt::Format(Unifac.UNIFAC_Pt_T[101], "####.#0"));
    EXPECT_EQ(r.picCalc->Calls().back().color, ui::QBColor(12)) << "the cross";
    // 30 units or more away from the curve: the read-out goes.
    r.picCalc->ClickAt(x, y + 40);
    EXPECT_FALSE(r.fraPoint->isVisibleTo(&r));
    EXPECT_EQ(r.HeightTwips(), kUnifacVleHeight);
    int key = ui::vbKeyEscape;
    r.Form_KeyDown(key, 0);
  });
  f.cmdCalc->click();
  EXPECT_TRUE(shown);
  EXPECT_DOUBLE_EQ(Unifac.Init_Temp, 80);
  EXPECT_FALSE(ui::Forms::IsLoaded("frmUNIFAC_VLE"));
}

TEST_F(UnifacWindowTest, EstimateRefusalsShowTheirMessageAndOpenNothing) {
  UseSmallFile();
  frmUNIFAC& f = Open();
  script.Answer(ui::vbOK, "成分名が未入力です");
  f.cmdCalc->click();
  f.vaSpreadAntoine->SetText(1, 1, "A");
  f.vaSpreadAntoine->SetText(1, 2, "B");
  for (int i = 1; i <= 2; ++i)
    for (int c = 2; c <= 4; ++c) f.vaSpreadAntoine->SetText(c, i, "7");
  // CH3 in component 1 and H2O in component 2 need a(3, 1), which is not registered.
  f.vaSpread2->TypeText(frmUNIFAC::Count_Col(1, 1), frmUNIFAC::Count_Row(1), "1");
  f.vaSpread2->TypeText(frmUNIFAC::Count_Col(3, 2), frmUNIFAC::Count_Row(3), "1");
  script.Answer(ui::vbOK, "相互作用ﾊﾟﾗﾒｰﾀ a 3, 1が登録されていません。");
  f.cmdCalc->click();
  EXPECT_EQ(Case.Msg_Text, "相互作用ﾊﾟﾗﾒｰﾀ a 3, 1が登録されていません。");
  EXPECT_TRUE(script.modalForms.empty());
}

TEST_F(UnifacWindowTest, MatrixColoursRegisteredPairsAndShowsAClickedPair) {
  UseSmallFile();
  Open();
  auto& m = ui::Forms::Get<frmUNIFAC_DispPara>();
  EXPECT_EQ(m.vaSpread1->Text(1, 0), "主Group");
  EXPECT_EQ(m.vaSpread1->Text(1, 3), "H2O");
  EXPECT_EQ(m.vaSpread1->Text(4, 0), "3");
  const QColor olive = ui::RGB(128, 128, 0);
  EXPECT_EQ(m.vaSpread1->BackColor(2, 2), olive);   // a(2, 1)
  EXPECT_EQ(m.vaSpread1->BackColor(3, 3), olive);   // a(3, 2) = -229.1
  EXPECT_FALSE(m.vaSpread1->BackColor(2, 3));       // a(3, 1) = -9999
  EXPECT_FALSE(m.vaSpread1->BackColor(3, 1));       // upper triangle
  // a(2, 3) = -9500 is shown here although the estimate refuses it.
  m.vaSpread1->ClickCell(3, 3);
  ASSERT_TRUE(m.fraPara->isVisibleTo(&m));
  EXPECT_EQ(Text(m.lblNam1), "OH ");
  EXPECT_EQ(Text(m.lblNam2), "H2O ");
  EXPECT_EQ(Text(m.lblPara12), "-9500");
  EXPECT_EQ(Text(m.lblPara21), "-229.1");
  EXPECT_EQ(m.HeightTwips(), kDispParaHeightPair);
  m.vaSpread1->ClickCell(4, 2);  // above the diagonal
  EXPECT_FALSE(m.fraPara->isVisibleTo(&m));
  EXPECT_EQ(m.HeightTwips(), kDispParaHeight);
  m.vaSpread1->ClickCell(2, 1);  // diagonal: a(1, 1) twice
  EXPECT_EQ(Text(m.lblPara12), " 0");
  EXPECT_EQ(Text(m.lblPara21), " 0");
}

TEST_F(UnifacWindowTest, ReferenceIsJapaneseOnly) {
  UseSmallFile();
  Case.Language = 1;
  Open();
  auto& r = ui::Forms::Get<frmUNIFACReference>();
  EXPECT_EQ(Text(r.lblMessage), "Sorry Japanease only");
  EXPECT_EQ(Text(r.cmdExit), "Exit (&X)");
  const std::string text = Text(r.lblReference);
  EXPECT_EQ(text.rfind("出典\r\nInd. Eng. Chem. Res. 1987,26,159-161\r\n", 0), 0u);
  EXPECT_NE(text.find("適用範囲：温度範囲(275～425K) 最大圧力 15bar"), std::string::npos);
}

TEST_F(UnifacWindowTest, LookupWritesTheChosenConstantsIntoTheRow) {
  UseShippedFile();
  Case.DB_Path = DataPath("db.mdb");
  ASSERT_TRUE(vzdb::Create_Database_File(Case.DB_Path).Ok());
  {
    vzdb::PropertyDb db(Case.DB_Path);
    vzdb::Record row;
    for (auto [k, v] : {std::pair{"Formula", "C6H6"}, {"Name", "Benzene"}, {"Index", "0"}, {"Equation Type", "1"},
                        {"An", "6.90565"}, {"Bn", "1211.033"}, {"Cn", "220.79"}})
      row.Set(k, std::string(v));
    ASSERT_TRUE(db.Add_Row(*vzdb::Find_Table("AntoineConstant"), row).Ok());
  }
  frmUNIFAC& f = Open();
  f.vaSpreadAntoine->SetText(1, 2, "Benzene");
  f.vaSpreadAntoine->ClickCell(1, 2);
  script.OnModal("frmDBAntoine", [&](ui::Form& lookup) {
    EXPECT_EQ(ui::Caller_Grid, f.vaSpreadAntoine);
    lookup.Ctl<QPushButton>("cmdOK")->click();
  });
  f.cmdDBAntoine->click();
  EXPECT_FALSE(f.cmdDBAntoine->isVisibleTo(&f));
  EXPECT_EQ(f.vaSpreadAntoine->Text(2, 2), "6.90565");
  EXPECT_DOUBLE_EQ(Case.Antoine_C[2], 220.79);
}

TEST_F(UnifacWindowTest, ExitReturnsToTheMenu) {
  UseSmallFile();
  int menuShown = 0;
  ui::SetMenuReturn([&] { ++menuShown; });
  frmUNIFAC& f = Open();
  f.cmdExit->click();
  EXPECT_EQ(menuShown, 1);
  EXPECT_FALSE(ui::Forms::IsLoaded("frmUNIFAC"));
  ui::SetMenuReturn(nullptr);
}

namespace {

// A curve written straight into the UNIFAC variables: y1 = x1, gamma1 from g1
// at x1 = 0 down to 1, gamma2 from 1 up to g2, temperatures from tLow to tHigh.
void SyntheticCurve(double g1, double g2, double tLow, double tHigh) {
  for (int n = 1; n <= unifac::kNPoint; ++n) {
    const double x1 = (n - 1) / 200.0;
    Unifac.UNIFAC_Pt_Y1[n] = x1;
    Unifac.UNIFAC_Pt_Gamma[1][n] = g1 + (1 - g1) * x1;
    Unifac.UNIFAC_Pt_Gamma[2][n] = 1 + (g2 - 1) * x1;
    Unifac.UNIFAC_Pt_T[n] = tHigh + (tLow - tHigh) * x1;
  }
  Unifac.Scale_T_Max = tHigh;
  Unifac.Scale_T_Min = tLow;
}

int CountLines(const ui::PictureBox& pic, int colour) {
  int n = 0;
  for (const auto& c : pic.Calls())
    if (c.kind == "Line" && c.color == ui::QBColor(colour)) ++n;
  return n;
}

}  // namespace

TEST_F(UnifacWindowTest, DiagramRoundsTheTemperatureAxisToTens) {
  SyntheticCurve(1.5, 1.2, 64.5, 78.3);
  frmUNIFAC_VLE w;
  w.Draw_VLE_Diagram();
  const ui::PictureBox& pic = *w.picCalc;
  const QColor green = ui::QBColor(10);
  for (const char* label : {" 80 ", " 60 ", " 64 ", " 68 ", " 72 ", " 76 "}) EXPECT_TRUE(Printed(pic, label, green)) << label;
  EXPECT_DOUBLE_EQ(w.Plot_TP_Span, 20);
  EXPECT_DOUBLE_EQ(w.Plot_Gamma_Max, 2);
  // The highest point of the temperature curve lies 1.7/20 of the frame below its top.
  double top = 1e9;
  for (const auto& c : pic.Calls())
    if (c.kind == "Line" && c.color == green) top = std::min(top, std::min(c.y1, c.y2));
  EXPECT_NEAR(top, w.Plot_Top + w.Plot_Height * 1.7 / 20, 0.5);
  EXPECT_EQ(CountLines(pic, 14), 200);
}

TEST_F(UnifacWindowTest, DiagramClampsLargeGammasButLabelsThemAtTheirHeight) {
  SyntheticCurve(80, 3, 60, 70);
  frmUNIFAC_VLE w;
  w.Draw_VLE_Diagram();
  EXPECT_DOUBLE_EQ(w.Plot_Gamma_Max, 50);
  const ui::PictureBox& pic = *w.picCalc;
  bool label = false;
  for (const auto& c : pic.Calls()) {
    if (c.kind == "Line" && c.color == ui::QBColor(12)) {
      EXPECT_GE(c.y1, w.Plot_Top);
      EXPECT_GE(c.y2, w.Plot_Top);
    }
    if (c.kind == "Print" && c.text == " 80 " && c.color == ui::QBColor(12)) {
      label = true;
      EXPECT_LT(c.y1, w.Plot_Top) << "the end label stands above the frame";
    }
  }
  EXPECT_TRUE(label);
}

TEST_F(UnifacWindowTest, DiagramWithoutAConvergedPointLeavesOutTheTemperatureAxis) {
  SyntheticCurve(2.5, 1.8, 60, 70);
  for (int n = 1; n <= unifac::kNPoint; ++n) Unifac.UNIFAC_Pt_T[n] = std::nan("");
  Unifac.Scale_T_Max = -999;
  Unifac.Scale_T_Min = 9999;
  frmUNIFAC_VLE w;
  w.Draw_VLE_Diagram();
  const ui::PictureBox& pic = *w.picCalc;
  EXPECT_EQ(CountLines(pic, 10), 0);
  EXPECT_FALSE(Printed(pic, "Temp", ui::QBColor(10)));
  EXPECT_EQ(CountLines(pic, 14), 200) << "the y-x and gamma curves are still drawn";
  EXPECT_EQ(CountLines(pic, 13), 200);
}

// A temperature at or below absolute zero, a pressure of 0 and a slip such as
// 1e308 get the one range message that names the box, in either language, and
// no result window opens.
TEST_F(UnifacWindowTest, TemperaturesAndPressuresOutsideTheRangeAreRefusedNamingTheBox) {
  UseShippedFile();
  frmUNIFAC& f = Open();
  struct Bad {
    QLineEdit* box;
    const char* typed;
    int language;
    const char* says;
  } bad[] = {
      {f.txtTemp, "-300", 0, "「温度初期値」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。"},
      {f.txtTemp, "-273.15", 1, "Init Temp: enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C."},
      {f.txtTemp, "1e308", 1, "Init Temp: enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C."},
      {f.txtPress, "0", 0, "「圧力」には 0 より大きく 1000 MPa 以下の圧力を入力してください。"},
      {f.txtPress, "-760", 1, "Press: enter a pressure above 0 and at most 1000 MPa."},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.says);
    Case.Language = static_cast<int16_t>(b.language);
    f.cmdExample1->click();
    b.box->setText(b.typed);
    script.Answer(ui::vbOK, b.says);
    f.cmdCalc->click();
    EXPECT_TRUE(script.modalForms.empty());
  }
  Case.Language = 0;
}
