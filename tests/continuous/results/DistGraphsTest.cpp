// The column profile graphs: axis mapping, ticks, labels and legend colours,
// the cut of a curve at the left edge and the dashed vapour curves.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "continuous/results/DistGraphs.h"
#include "core/model/CaseData.h"
#include "platform/ui/PictureBox.h"
#include "support/UiTest.h"

namespace {

using Call = ui::PictureBox::DrawCall;

class DistGraphsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    pic = std::make_unique<ui::PictureBox>("Picture1");
    pic->SetSizePixels(577, 457);  // 8655 x 6855 twips, the graph's design size
    Case.Dist_Graph_Div = 6;
  }
  std::vector<Call> Lines(int colour) const {
    std::vector<Call> out;
    for (const Call& c : pic->Calls())
      if (c.kind == "Line" && c.color == ui::QBColor(colour)) out.push_back(c);
    return out;
  }
  const Call* Printed(const std::string& text) const {
    for (const Call& c : pic->Calls())
      if (c.kind == "Print" && c.text == text) return &c;
    return nullptr;
  }
  std::unique_ptr<ui::PictureBox> pic;
};

TEST_F(DistGraphsTest, GeometryRoundsAndMapsFractionsOnTheDecadeAxis) {
  Case.NT = 15;
  const DistGraphGeometry g = Dist_Graph_Geometry(pic->ScaleWidth(), pic->ScaleHeight());
  EXPECT_EQ(g.W, 8655);
  EXPECT_EQ(g.H, 6855);
  EXPECT_EQ(g.dy, 440);   // (6855 - 700) / 14 + 0.5 = 440.1
  EXPECT_EQ(g.dx, 1342);  // 8055 / 6 = 1342.5, the half to the even neighbour
  EXPECT_EQ(g.StageY(15), 500 + 14 * 440);
  EXPECT_EQ(g.CompX(1.0), 6 * 1342 + 200);
  EXPECT_EQ(g.CompX(1e-6), 200);
  EXPECT_EQ(g.CompX(0.0), 200);     // no fraction: on the edge, not off the plot
  EXPECT_EQ(g.CompX(1e-25), 200);
  EXPECT_LT(g.CompX(1e-7), 200);    // below the axis: left of the edge
  EXPECT_EQ(Dist_Comp_Colour(1), 10);
  EXPECT_EQ(Dist_Comp_Colour(6), 15);
  EXPECT_EQ(Dist_Comp_Colour(7), 1);
  EXPECT_EQ(Dist_Comp_Colour(15), 9);
  EXPECT_EQ(Dist_Comp_Colour(16), 10);
}

TEST_F(DistGraphsTest, CompositionFrameTicksLabelsMarkersAndLegend) {
  Case.NT = 12;
  Case.NC = 16;
  for (int c = 1; c <= 16; ++c) Case.Comp_Name[c] = "C" + std::to_string(c);
  Case.N_Feed = 1;
  Case.Feed_Stage[1] = 4;
  Case.N_LiqSC = 1;
  Case.LiqSC_Stage[1] = 8;
  Case.Dist_Graph_Div = 1;
  Graph_Dist_Comp_Frame(*pic);

  const Call* low = Printed("0.1");
  ASSERT_NE(low, nullptr);
  EXPECT_DOUBLE_EQ(low->x1, 50);
  ASSERT_NE(Printed("1.0"), nullptr);
  EXPECT_DOUBLE_EQ(Printed("1.0")->x1, 8655 - 550);
  EXPECT_NE(Printed("蒸気／液組成分布"), nullptr);
  EXPECT_EQ(Case.Msg_Text, "蒸気／液組成分布");
  EXPECT_NE(Printed("12"), nullptr);

  // Ticks: 100 twips at stage 10, 40 elsewhere, on both edges.
  const DistGraphGeometry g = Dist_Graph_Geometry(8655, 6855);
  int tenth = 0, ninth = 0;
  for (const Call& c : Lines(15)) {
    if (c.y1 == g.StageY(10) && c.x1 == 100 && c.x2 == 200) ++tenth;
    if (c.y1 == g.StageY(10) && c.x1 == 8255 && c.x2 == 8355) ++tenth;
    if (c.y1 == g.StageY(9) && c.x1 == 160 && c.x2 == 200) ++ninth;
  }
  EXPECT_EQ(tenth, 2);
  EXPECT_EQ(ninth, 1);
  // One decade: ten grid lines; a feed and a side-cut line across the plot.
  int across = 0;
  for (const Call& c : Lines(8)) across += c.y1 == c.y2 && c.x1 == 200 && c.x2 == 8255;
  EXPECT_EQ(Lines(8).size(), 10u + 2u);
  EXPECT_EQ(across, 2);

  // Legend: five names a row, colours from 10 and again after 15 components.
  const Call* c6 = Printed("C6");
  const Call* c16 = Printed("C16");
  ASSERT_TRUE(c6 && c16);
  EXPECT_DOUBLE_EQ(c6->x1, 20);
  EXPECT_DOUBLE_EQ(c6->y1, 150);
  EXPECT_DOUBLE_EQ(c16->y1, 410);
  EXPECT_EQ(c16->color, ui::QBColor(10));
  EXPECT_EQ(Printed("C7")->color, ui::QBColor(1));
}

TEST_F(DistGraphsTest, LiquidCurveIsCutAtTheLeftEdgeAndCarriesOnFromIt) {
  Case.NT = 4;
  Case.NC = 1;
  Case.Dist_Graph_Div = 2;
  const double x[] = {0, 0.5, 1e-4, 0.5, 0.0};
  for (int p = 1; p <= 4; ++p) Case.Tray_X[1][p] = x[p];
  Graph_Dist_Comp_Profile(0.0, *pic);
  const DistGraphGeometry g = Dist_Graph_Geometry(8655, 6855);
  const std::vector<Call> l = Lines(10);
  ASSERT_EQ(l.size(), 3u);
  const int x05 = g.CompX(0.5), xLow = g.CompX(1e-4);
  // Into the edge: ends at the interpolated crossing.
  EXPECT_EQ(l[0].x1, x05);
  EXPECT_EQ(l[0].x2, 200);
  const double yc = g.StageY(1) + (200.0 - x05) / (xLow - x05) * (g.StageY(2) - g.StageY(1));
  EXPECT_NEAR(l[0].y2, yc, 0.5);
  // Out again: from the edge at the previous stage's height.
  EXPECT_EQ(l[1].x1, 200);
  EXPECT_EQ(l[1].y1, g.StageY(2));
  EXPECT_EQ(l[1].x2, x05);
  // A fraction of 0 lands on the edge.
  EXPECT_EQ(l[2].x2, 200);
  EXPECT_EQ(l[2].y2, g.StageY(4));
}

TEST_F(DistGraphsTest, VapourCurveIsDashedAndOnlyDrawnWithTheFlag) {
  Case.NT = 3;
  Case.NC = 1;
  for (int p = 1; p <= 3; ++p) Case.Tray_X[1][p] = Case.Tray_Y[1][p] = 0.1;
  Graph_Dist_Comp_Profile(0.0, *pic);
  EXPECT_EQ(Lines(10).size(), 2u);
  pic->Cls();
  Graph_Dist_Comp_Profile(1.0, *pic);
  const DistGraphGeometry g = Dist_Graph_Geometry(8655, 6855);
  // Two solid segments, and per stage segment dashes every 20 twips from its
  // lower end up to and including its upper end, each 10 twips long.
  const std::vector<Call> l = Lines(10);
  const int perSegment = g.dy / 20 + 1;
  ASSERT_EQ(static_cast<int>(l.size()), 2 + 2 * perSegment);
  const Call& dash = l[1];
  EXPECT_EQ(dash.y1, g.StageY(2));
  EXPECT_EQ(dash.y2, g.StageY(2) + 10);
}

TEST_F(DistGraphsTest, TemperatureProfileLabelsAndDegenerateColumns) {
  Case.NT = 3;
  Case.Tray_T[1] = 65.123456;
  Case.Tray_T[2] = 80;
  Case.Tray_T[3] = 100;
  Graph_Dist_Temp_Profile(*pic);
  EXPECT_NE(Printed(" 65.123"), nullptr);  // leading blank, cut to 7 characters
  EXPECT_NE(Printed(" 100"), nullptr);
  const std::vector<Call> l = Lines(7);
  ASSERT_EQ(l.size(), 2u);
  EXPECT_DOUBLE_EQ(l[0].x1, 200);
  EXPECT_DOUBLE_EQ(l[1].x2, 8655 - 200);

  // Equal end temperatures and a single stage draw without dividing by zero.
  pic->Cls();
  Case.Tray_T[3] = Case.Tray_T[1];
  Graph_Dist_Temp_Profile(*pic);
  for (const Call& c : Lines(7)) EXPECT_TRUE(std::isfinite(c.x1) && std::isfinite(c.x2));
  Case.NT = 1;
  Graph_Dist_Temp_Frame(*pic);
  Graph_Dist_Comp_Frame(*pic);
  Graph_Dist_Comp_Profile(1.0, *pic);
  Graph_Dist_Temp_Profile(*pic);
}

// Stage numbers stay readable however many stages: at 200 only every few are
// printed, never closer than a line of text; at 12 every one.
TEST_F(DistGraphsTest, StageNumbersNeverOverlap) {
  pic->SetFontSize(8);
  for (int nt : {12, 60, 200}) {
    Case.NT = nt;
    Graph_Dist_Comp_Frame(*pic);
    const double h = pic->TextHeight("0");
    std::vector<std::pair<int, double>> numbers;  // stage, y
    for (const Call& c : pic->Calls())
      if (c.kind == "Print" && c.x1 == 8655 - 300) numbers.emplace_back(std::stoi(c.text), c.y1);
    ASSERT_FALSE(numbers.empty()) << nt;
    EXPECT_EQ(numbers.front().first, 1) << nt;
    for (std::size_t k = 1; k < numbers.size(); ++k)
      EXPECT_GE(numbers[k].second - numbers[k - 1].second, h) << nt << " stage " << numbers[k].first;
    if (nt == 12) {
      EXPECT_EQ(numbers.size(), 12u);
    }
    if (nt == 200) {
      EXPECT_GE(numbers.size(), 10u);
      EXPECT_EQ(numbers.back().first, 200);
    }
  }
  EXPECT_EQ(Stage_Number_Step(440, 160), 1);
  EXPECT_EQ(Stage_Number_Step(31, 160), 10);
}

}  // namespace
