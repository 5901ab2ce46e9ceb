// The diagram's geometry: axis rounding, the 201-point sweep and the point a
// click reads out. Reference values: tools/vle_estimation_ui/diagram_reference.py.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/model/CaseData.h"
#include "vle/estimation/VLEData.h"
#include "vle/estimation/VLERunStart.h"
#include "vle/estimation_ui/VLEDiagram.h"

namespace {

using vlefit::VLE;
namespace vd = vlediagram;

class VLEDiagramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Case_Data();
    VLE = vlefit::VLEData{};
    vlefit::Load_VLE_Example(1);  // methanol - water, Wilson 0.43045 / 0.94934, 760 mmHg
    VLE.VLE_Calc_Type = 3;
    VLE.VLE_Graph_Xmax = VLE.VLE_Graph_Ymax = 1;
    vd::Set_Frame(frame, 7395, 5850);
  }
  vd::PlotFrame frame;
};

TEST(VLEDiagramAxes, RightAxisRoundsOnTheSecondDigitAndGammaAxisSteps) {
  struct Case_ {
    double v, top, bottom;
  };
  // Positive values: diagram_reference.py (exact decimals). Values of 0 or less
  // have no logarithm and fall back to whole numbers.
  const Case_ cases[] = {{78.3, 79, 78}, {760, 770, 760}, {5.3, 5.4, 5.3}, {100, 110, 100},
                         {64.5, 65, 64}, {355, 360, 350}, {0, 1, 0},       {-5.3, -5, -6}};
  for (const Case_& c : cases) {
    EXPECT_DOUBLE_EQ(vd::Axis_Top(c.v), c.top) << c.v;
    EXPECT_DOUBLE_EQ(vd::Axis_Bottom(c.v), c.bottom) << c.v;
  }
  const double gammas[][2] = {{0.5, 2}, {1, 2}, {1.99, 2}, {2, 5}, {9.9, 10}, {19.99, 20}, {20, 50}, {80, 50}};
  for (const auto& g : gammas) EXPECT_DOUBLE_EQ(vd::Gamma_Axis_Max(g[0]), g[1]) << g[0];
}

TEST_F(VLEDiagramTest, ConstantPressureSweepMatchesIndependentBubblePoints) {
  vd::Calc_Curve(frame);
  EXPECT_NEAR(VLE.Curve_TP[1], 99.9968297, 1e-4);
  EXPECT_NEAR(VLE.Curve_TP[101], 72.7531790, 1e-4);
  EXPECT_NEAR(VLE.Curve_Y1[101], 0.7866556, 1e-5);
  EXPECT_NEAR(VLE.Curve_TP[201], 64.7524924, 1e-4);
  EXPECT_NEAR(VLE.Curve_Gamma1[1], 2.4438731, 1e-6);
  EXPECT_NEAR(VLE.Curve_Gamma2[201], 1.8617898, 1e-6);
  EXPECT_DOUBLE_EQ(frame.Plot_TP_Top, 100);
  EXPECT_DOUBLE_EQ(frame.Plot_TP_Bottom, 64);
  EXPECT_DOUBLE_EQ(frame.Plot_TP_Step, 36.0 / 5);
  EXPECT_DOUBLE_EQ(frame.Plot_Gamma_Max, 5);
}

// Example 2 fitted to Lambda12 on its lower bound: gamma1 at x1 = 0 is
// exp(1 - ln 1e-10 - 0.7276) = 1.3e9. The axis keeps the measured coefficients'
// scale (the largest, gamma1 of the first point, is 6.3) and cuts the curve.
TEST_F(VLEDiagramTest, ACurveBeyondEveryScaleKeepsTheMeasuredOnesReadable) {
  vlefit::Load_VLE_Example(2);
  VLE.VLE_Calc_Type = 1;
  Case.Wilson_L12 = 1e-10;
  Case.Wilson_L21 = 0.7276118772;
  ASSERT_EQ(vlefit::Calc_Gamma_Exp(), "");
  double measured = 0;
  for (int i = 1; i <= VLE.VLE_NData; ++i) measured = std::max({measured, VLE.VLE_Gamma_Exp[1][i], VLE.VLE_Gamma_Exp[2][i]});
  vd::Calc_Curve(frame);
  EXPECT_NEAR(VLE.Curve_Gamma1[1], std::exp(1 - std::log(1e-10) - 0.7276118772), 1e3);
  EXPECT_DOUBLE_EQ(frame.Plot_Gamma_Max, vd::Gamma_Axis_Max(measured));
  EXPECT_LT(frame.Plot_Gamma_Max, 50);
  EXPECT_TRUE(frame.Plot_Gamma_Cut);
  // Lambda12 = 0.1 puts gamma1 at x1 = 0 at 12.6, within the scales: the curve
  // sets the axis and nothing is cut.
  Case.Wilson_L12 = 0.1;
  vd::Calc_Curve(frame);
  EXPECT_NEAR(VLE.Curve_Gamma1[1], std::exp(1 - std::log(0.1) - 0.7276118772), 1e-9);
  EXPECT_FALSE(frame.Plot_Gamma_Cut);
  EXPECT_DOUBLE_EQ(frame.Plot_Gamma_Max, 20);
}

TEST_F(VLEDiagramTest, ConstantTemperatureAxisSpeaksTheDisplayPressureUnit) {
  VLE.VLE_TP_Type = 1;
  VLE.VLE_Temp = 60;
  Case.P_Unit = 3;
  vd::Calc_Curve(frame);
  EXPECT_NEAR(VLE.Curve_TP[101], 457.3692131, 1e-6);  // mmHg, whatever the unit
  EXPECT_DOUBLE_EQ(frame.Plot_TP_Bottom, 140);
  EXPECT_DOUBLE_EQ(frame.Plot_TP_Top, 630);
  Case.P_Unit = 2;
  vd::Calc_Curve(frame);
  EXPECT_DOUBLE_EQ(frame.Plot_TP_Bottom, 19);
  EXPECT_DOUBLE_EQ(frame.Plot_TP_Top, 84);
  EXPECT_NEAR(vd::Axis_Value(VLE.Curve_TP[101]), 457.3692131 * 101.325 / 760, 1e-6);
}

TEST_F(VLEDiagramTest, NarrowedRangeSweepsOnlyThatRange) {
  VLE.VLE_Graph_Xmin = 0.2;
  VLE.VLE_Graph_Xmax = 0.8;
  vd::Calc_Curve(frame);
  EXPECT_DOUBLE_EQ(frame.Plot_X_Span, 0.6);
  // x1 = 0.5 is point 101 of 0..1 and point 101 of 0.2..0.8 too.
  EXPECT_NEAR(VLE.Curve_TP[101], 72.7531790, 1e-4);
  EXPECT_LT(VLE.Curve_TP[1], 99);  // x1 = 0.2, not pure water
}

// A click reads out the nearest measured point (lowest number first) within one
// curve step and 30 twips, else the y-x curve within 30 twips.
TEST_F(VLEDiagramTest, ClickPicksPointOrCurveOrNothing) {
  VLE.VLE_Calc_Type = 1;
  vd::Calc_Curve(frame);
  frame.Plot_X_Scale = vd::Whole(frame.Plot_Right - frame.Plot_Left);
  const int k = 6;  // x1 0.4, y1 0.729
  const double px = vd::Point_X(frame, VLE.VLE_X1_Data[k]);
  const double py = vd::Y1_Pos(frame, VLE.VLE_Y1_Data[k]);
  vd::Readout r = vd::Locate(frame, px, py + 10);
  EXPECT_TRUE(r.shown);
  EXPECT_EQ(r.point, k);
  EXPECT_EQ(r.index, 81);  // floor(0.4 * 200 + 1)

  // A second point at the same place: the lower number wins.
  VLE.VLE_X1_Data[3] = VLE.VLE_X1_Data[k];
  VLE.VLE_Y1_Data[3] = VLE.VLE_Y1_Data[k];
  EXPECT_EQ(vd::Locate(frame, px, py).point, 3);

  // On the curve away from any point.
  const double cx = vd::Curve_X(frame, 171);  // x1 0.85, between points 10 and 11
  r = vd::Locate(frame, cx, vd::Y1_Pos(frame, VLE.Curve_Y1[171]));
  EXPECT_TRUE(r.shown);
  EXPECT_EQ(r.point, 0);
  EXPECT_EQ(r.index, 171);

  // Far below the curve: nothing.
  r = vd::Locate(frame, cx, frame.Plot_Bottom);
  EXPECT_TRUE(r.inRange);
  EXPECT_FALSE(r.shown);

  // Left of the plot by more than half a step: out of range.
  EXPECT_FALSE(vd::Locate(frame, frame.Plot_Left - 30, py).inRange);
  EXPECT_TRUE(vd::Locate(frame, frame.Plot_Left - 5, py).inRange);
}

// A measured point right of the narrowed x range lies beyond the 201 curve
// points: it is not taken, so no curve value past the sweep is ever read.
TEST_F(VLEDiagramTest, PointBeyondTheSweepIsNotPicked) {
  VLE.VLE_Calc_Type = 1;
  VLE.VLE_Graph_Xmax = 0.5;
  vd::Calc_Curve(frame);
  frame.Plot_X_Scale = vd::Whole((frame.Plot_Right - frame.Plot_Left) / 0.5);
  VLE.VLE_NData = 1;
  VLE.VLE_X1_Data[1] = 0.5 + 0.5 / 200 * 1.2;  // one step and a fifth past the last point
  VLE.VLE_Y1_Data[1] = 0.95;
  const double px = frame.Plot_Right;
  const vd::Readout r = vd::Locate(frame, px, vd::Y1_Pos(frame, 0.95));
  EXPECT_EQ(r.point, 0);
  EXPECT_LE(r.index, vlefit::kCurvePoints);
}

}  // namespace
