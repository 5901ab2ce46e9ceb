// The property graphs: axes, labels and curves drawn from the estimation's values.
#include <algorithm>
#include <cmath>

#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "purecomp/estimation/PhysData.h"
#include "purecomp/estimation_ui/frmPhysicalGraph.h"
#include "support/UiTest.h"

using physprop::Phys;

namespace {

std::vector<std::string> Texts(const ui::PictureBox& p) {
  std::vector<std::string> t;
  for (const auto& c : p.Calls())
    if (c.kind == "Print") t.push_back(c.text);
  return t;
}

int Lines(const ui::PictureBox& p, int colour) {
  int n = 0;
  for (const auto& c : p.Calls())
    if (c.kind == "Line" && c.color == ui::QBColor(colour)) ++n;
  return n;
}

class PhysGraphTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    physprop::Reset_Phys_Data();
  }
  // Antoine constants through 15 mmHg at 20 degC and 2300 mmHg at 120 degC (C = 230).
  static void Antoine_15_2300() {
    Phys.Phys_Antoine_C = 230;
    Phys.Phys_Antoine_B = (std::log10(2300.0) - std::log10(15.0)) / (1.0 / 250 - 1.0 / 350);
    Phys.Phys_Antoine_A = std::log10(15.0) + Phys.Phys_Antoine_B / 250;
    Phys.Phys_Temp_Low = 20;
    Phys.Phys_Temp_High = 120;
  }
};

TEST_F(PhysGraphTest, AxisEnds) {
  EXPECT_EQ(physgraph::Axis_High(226.85), 230);
  EXPECT_EQ(physgraph::Axis_High(230.5), 230);
  EXPECT_EQ(physgraph::Axis_High(-9.5), -10);
  EXPECT_EQ(physgraph::Axis_Low(-273.15), -280);
  EXPECT_EQ(physgraph::Axis_Low(20), 20);
  EXPECT_DOUBLE_EQ(physgraph::Value_Low(0.72), 0.71);
  EXPECT_DOUBLE_EQ(physgraph::Value_High(0.88), 0.97);
}

TEST_F(PhysGraphTest, LinearGraphsLabelsAndCurves) {
  Phys.Phys_Temp_Low = 20;
  Phys.Phys_Temp_High = 226.85;
  Phys.Phys_Tc = 600;
  Phys.Phys_DenL_Min = 0.72;
  Phys.Phys_DenL_Max = 0.88;
  Phys.Phys_DenL2_A = 1.1;
  Phys.Phys_DenL2_B = -0.001;
  Phys.Phys_DenL1_A = 0.3;
  Phys.Phys_DenL1_B = 0.27;
  Phys.Phys_Hv_Min = 5.5;
  Phys.Phys_Hv_Max = 9.4;
  Phys.Phys_Hv_A = 12;
  Phys.Phys_Hv_B = -0.01;
  auto& g = ui::Forms::Get<frmPhysicalGraph>();
  const auto density = Texts(*g.Picture3);
  for (const char* t : {".710", ".970", " 20", " 62", " 104", " 146", " 188", " 230"})
    EXPECT_NE(std::find(density.begin(), density.end(), t), density.end()) << t;
  const auto hv = Texts(*g.Picture4);
  for (const char* t : {"5.49", "9.49"}) EXPECT_NE(std::find(hv.begin(), hv.end(), t), hv.end()) << t;
  // The accumulated steps of 1.05 overshoot 230: 200 points, 199 segments per curve;
  // the density pair in colours 10 and 11.
  EXPECT_EQ(Lines(*g.Picture3, 10), 199);
  EXPECT_EQ(Lines(*g.Picture3, 11), 199);
  EXPECT_EQ(Lines(*g.Picture4, 11), 0);
  // Five bands, four inner verticals: nine grid lines in light grey.
  EXPECT_EQ(Lines(*g.Picture4, 7), 9);
}

TEST_F(PhysGraphTest, RackettCurveEndsAtTc) {
  Phys.Phys_Temp_Low = 20;
  Phys.Phys_Temp_High = 226.85;  // axis to 230 degC, above Tc
  Phys.Phys_Tc = 473.15;         // 200 degC
  Phys.Phys_DenL_Min = 0.5;
  Phys.Phys_DenL_Max = 0.9;
  Phys.Phys_DenL1_A = 0.3;
  Phys.Phys_DenL1_B = 0.27;
  auto& g = ui::Forms::Get<frmPhysicalGraph>();
  // Steps of 1.05 degrees: the points up to 199.55 degC (172 of them) are joined, the rest not.
  EXPECT_EQ(Lines(*g.Picture3, 11), 171);
}

TEST_F(PhysGraphTest, VapourPressureDecades) {
  Antoine_15_2300();
  auto& g = ui::Forms::Get<frmPhysicalGraph>();
  const auto t = Texts(*g.Picture1);
  for (const char* s : {" 10", " 100", " 1000", " 10000"})
    EXPECT_NE(std::find(t.begin(), t.end(), s), t.end()) << s;
  // Three decade lines with ten lines each (two on decade lines), four verticals.
  EXPECT_EQ(Lines(*g.Picture1, 7), 3 + 30 + 4);
  EXPECT_EQ(Lines(*g.Picture1, 10), 200);

  // A pressure of 999999 mmHg or more at the lower end counts as 999999.
  Phys.Phys_Antoine_A = 9;
  Phys.Phys_Antoine_B = 0;
  g.Picture1->ClickAt(100, 100);
  const auto high = Texts(*g.Picture1);
  EXPECT_NE(std::find(high.begin(), high.end(), " 100000"), high.end());
  EXPECT_NE(std::find(high.begin(), high.end(), " 10000000000"), high.end());
}

TEST_F(PhysGraphTest, ClickRedrawsOnlyItsGraphAndCloseBoxIsRefused) {
  Phys.Phys_Temp_Low = 20;
  Phys.Phys_Temp_High = 100;
  Phys.Phys_DenL_Min = 0.72;
  Phys.Phys_DenL_Max = 0.88;
  Phys.Phys_Hv_Min = 5.5;
  Phys.Phys_Hv_Max = 9.4;
  auto& g = ui::Forms::Get<frmPhysicalGraph>();
  const auto hvBefore = Texts(*g.Picture4);
  Phys.Phys_DenL_Max = 1.2;
  Phys.Phys_Hv_Max = 20;
  g.Picture3->ClickAt(500, 500);
  const auto density = Texts(*g.Picture3);
  EXPECT_NE(std::find(density.begin(), density.end(), "1.290"), density.end());
  EXPECT_EQ(Texts(*g.Picture4), hvBefore);
  g.close();
  EXPECT_TRUE(ui::Forms::IsLoaded("frmPhysicalGraph"));
  g.cmdExit->click();
  EXPECT_FALSE(ui::Forms::IsLoaded("frmPhysicalGraph"));
}

// The equation captions fit their places (up to the exit button) in both languages.
TEST_F(PhysGraphTest, CaptionsFitTheirPlacesInBothLanguages) {
  for (int16_t language : {0, 1}) {
    Case.Language = language;
    auto& g = ui::Forms::Get<frmPhysicalGraph>();
    for (QLabel* l : {g.lbl, g.lblIHeatCapacity, g.lblLiqCapacity, g.lblLiqDensity2, g.lblLiqDensity1,
                      g.lblLatentHeat})
      EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width()) << ui::S(l->text());
    EXPECT_LE(g.lblIHeatCapacity->geometry().right(), g.cmdExit->geometry().left());
    g.cmdExit->click();
  }
  Case.Language = 0;
}

TEST_F(PhysGraphTest, BeforeAnyRunOnlyFramesAreDrawn) {
  auto& g = ui::Forms::Get<frmPhysicalGraph>();
  for (ui::PictureBox* p : {g.Picture1, g.Picture2, g.Picture3, g.Picture4}) {
    EXPECT_EQ(Lines(*p, 10), 0);
    EXPECT_EQ(Lines(*p, 11), 0);
  }
}

// Long value labels (a heat of vaporisation of thousands of cal/mol, a decade of
// ten million mmHg) are moved left to end inside the picture, never cut at its edge.
TEST_F(PhysGraphTest, ValueLabelsEndInsideThePicture) {
  Antoine_15_2300();
  Phys.Phys_Antoine_A = 9;
  Phys.Phys_Antoine_B = 0;
  Phys.Phys_Hv_Min = 2433.5;
  Phys.Phys_Hv_Max = 7654.25;
  Phys.Phys_CpL_Min = 40;
  Phys.Phys_CpL_Max = 61.5;
  auto& g = ui::Forms::Get<frmPhysicalGraph>();
  for (ui::PictureBox* p : {g.Picture1, g.Picture2, g.Picture4}) {
    int labels = 0;
    for (const auto& c : p->Calls()) {
      if (c.kind != "Print") continue;
      ++labels;
      EXPECT_LE(c.x1 + p->TextWidth(c.text), p->ScaleWidth()) << c.text;
    }
    EXPECT_GE(labels, 8);
  }
  const auto hv = Texts(*g.Picture4);
  EXPECT_NE(std::find(hv.begin(), hv.end(), "7654.34"), hv.end()) << "the whole number is printed";
}

}  // namespace
