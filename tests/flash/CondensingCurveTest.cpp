// The condensing curve: plot geometry, the 201 points of example 1 against
// tools/flash/flash_reference.py, the same curve in any temperature unit, and
// the point read-out.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "flash/CondensingCurve.h"
#include "flash/FlashCase.h"
#include "platform/text/NumberText.h"

namespace {

class CondensingCurveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Case_Data();
    Flash_Example1_set(win);
    Case.Flash_P = 760;
    Case.Flash_T = 80;
  }
  FlashWindowValues win;
};

TEST_F(CondensingCurveTest, FrameGeometry) {
  const CurveFrame f = Curve_Frame(9000, 4000);
  EXPECT_EQ(f.Right, 8500);
  EXPECT_EQ(f.Bottom, 3800);
  EXPECT_EQ(f.DivX, 683);  // 8200 / 12 = 683.3
  EXPECT_EQ(f.DivY, 296);  // 3550 / 12 = 295.8
  EXPECT_EQ(f.Width, 8200 - 2 * 683);
  EXPECT_EQ(f.Height, 3550 - 2 * 296);
  EXPECT_EQ(Curve_Point_X(f, 1), 300 + 683);
  EXPECT_EQ(Curve_Point_X(f, 201), 300 + 683 + f.Width);
  EXPECT_EQ(Curve_Y(f, 0.0), 3800 - 296);
  EXPECT_EQ(Curve_Y(f, 1.0), 250 + 296);
  for (int i : {1, 2, 57, 200, 201}) EXPECT_EQ(Curve_Point_Index(f, Curve_Point_X(f, i)), i);
  EXPECT_LT(Curve_Point_Index(f, f.Left), 1);
  EXPECT_GT(Curve_Point_Index(f, f.Right), 201);
}

TEST_F(CondensingCurveTest, Example1FromBubbleToDew) {
  const CondensingCurve c = Calc_Condensing_Curve("", "");
  ASSERT_TRUE(c.drawn);
  // flash_reference.py: bubble 85.0845173564845, dew 96.2195896391624 degC.
  EXPECT_NEAR(c.TB, 85.0845173564845, 1e-5);
  EXPECT_NEAR(c.TD, 96.2195896391624, 5e-5);
  EXPECT_EQ(c.TLow, c.TB);
  EXPECT_EQ(c.THigh, c.TD);
  EXPECT_EQ(Case.Flash_T_Low, c.TB);
  EXPECT_TRUE(c.bubbleInRange);
  EXPECT_TRUE(c.dewInRange);
  EXPECT_NEAR(c.VF[1], 0.0, 1e-5);
  EXPECT_NEAR(c.VF[201], 1.0, 1e-5);
  // Points 51, 101, 151 (flash_reference.py).
  EXPECT_NEAR(c.VF[51], 0.1301501623478163, 2e-6);
  EXPECT_NEAR(c.VF[101], 0.27948805378206504, 2e-6);
  EXPECT_NEAR(c.VF[151], 0.5036944130023321, 2e-6);
  EXPECT_NEAR(c.PointT(101), 90.65205349782345, 1e-5);
  for (int i = 2; i <= kCurvePoints; ++i) {
    EXPECT_GE(c.VF[i], c.VF[i - 1]) << "V/F grows with temperature, point " << i;
    EXPECT_EQ(Case.Flash_Curve_VF[i], c.VF[i]);
  }
  EXPECT_FALSE(c.enthalpy);
}

// Kelvin and Fahrenheit limits of the same temperatures give the same curve and
// the same marks: limits, marks and the start value are in one unit throughout.
TEST_F(CondensingCurveTest, SameCurveInEveryTemperatureUnit) {
  const CondensingCurve celsius = Calc_Condensing_Curve("80", "100");
  ASSERT_TRUE(celsius.drawn);
  struct Unit {
    int code;
    std::string low, high;
  };
  for (const Unit& u : {Unit{2, "353.15", "373.15"}, Unit{3, "176", "212"}}) {
    Case.T_Unit = u.code;
    const CondensingCurve other = Calc_Condensing_Curve(u.low, u.high);
    ASSERT_TRUE(other.drawn) << u.code;
    EXPECT_NEAR(other.TB, celsius.TB, 1e-9);
    EXPECT_NEAR(other.TD, celsius.TD, 1e-9);
    EXPECT_EQ(other.bubbleInRange, celsius.bubbleInRange);
    EXPECT_EQ(other.dewInRange, celsius.dewInRange);
    EXPECT_NEAR(other.TFraction(Unit_Temp_Out(other.TB)), celsius.TFraction(celsius.TB), 1e-9);
    EXPECT_NEAR(other.TFraction(Unit_Temp_Out(other.TD)), celsius.TFraction(celsius.TD), 1e-9);
    for (int i = 1; i <= kCurvePoints; ++i) EXPECT_NEAR(other.VF[i], celsius.VF[i], 1e-9) << u.code << " " << i;
  }
  // Empty limits in kelvin: the curve still runs from the bubble to the dew point.
  Case.T_Unit = 2;
  const CondensingCurve k = Calc_Condensing_Curve("", "");
  EXPECT_NEAR(k.TLow, k.TB + 273.15, 1e-9);
  EXPECT_NEAR(k.VF[1], 0.0, 1e-5);
  EXPECT_NEAR(k.VF[201], 1.0, 1e-5);
}

TEST_F(CondensingCurveTest, ReversedOrEqualLimits) {
  const CondensingCurve c = Calc_Condensing_Curve("90", "90");
  EXPECT_FALSE(c.drawn);
  EXPECT_EQ(c.message, "温度の上下限が逆転しています。 TL= 90. TU= 90.");
  const CondensingCurve d = Calc_Condensing_Curve("95.5", "80.25");
  EXPECT_EQ(d.message, "温度の上下限が逆転しています。 TL= 95.5 TU= 80.25");
  // A limit that is not wholly a number draws nothing and keeps the stored limits.
  Case.Flash_T_Low = 1;
  const CondensingCurve e = Calc_Condensing_Curve("80", "100abc");
  EXPECT_FALSE(e.drawn);
  EXPECT_EQ(e.message, "「上限温度」の「100abc」は数値ではありません。");
  EXPECT_EQ(Case.Flash_T_Low, 1);
}

TEST_F(CondensingCurveTest, EnthalpyCurveAndFlatRange) {
  Case.H_Method = 1;
  const CondensingCurve c = Calc_Condensing_Curve("80", "100");
  ASSERT_TRUE(c.enthalpy);
  EXPECT_LT(c.HLow, c.HHigh);
  EXPECT_NEAR(c.H[1], c.HLow, 1e-9 * std::abs(c.HLow));
  EXPECT_NEAR(c.H[201], c.HHigh, 1e-9 * std::abs(c.HHigh));
  EXPECT_DOUBLE_EQ(c.HFraction(c.HHigh), 1.0);
  CondensingCurve flat = c;
  flat.HHigh = flat.HLow;
  EXPECT_EQ(flat.HFraction(c.H[100]), 0.0) << "no division by a zero range";
}

TEST_F(CondensingCurveTest, PointReadout) {
  Case.H_Method = 1;
  const CondensingCurve c = Calc_Condensing_Curve("", "");
  const CurveReadout r = Curve_Point_Readout(c, 101);
  EXPECT_EQ(r.tText, txt::Format(c.PointT(101), "####.#0"));
  EXPECT_EQ(r.tText, "90.65");
  EXPECT_NEAR(txt::Val(r.vfText), 0.27948805378206504, 1e-4);
  ASSERT_EQ(r.rows.size(), 4u);
  double sy = 0, sx = 0;
  for (const auto& row : r.rows) {
    sy += txt::Val(row.vapour);
    sx += txt::Val(row.liquid);
  }
  EXPECT_NEAR(sy, 1.0, 3e-6);
  EXPECT_NEAR(sx, 1.0, 3e-6);
  EXPECT_TRUE(r.enthalpyWritten);
  EXPECT_NE(r.enthalpy.vapour, "");
  EXPECT_NE(r.enthalpy.liquid, "");
  const CurveReadout outside = Curve_Point_Readout(c, 202);
  EXPECT_TRUE(outside.rows.empty());
  EXPECT_EQ(outside.tText, "");
  Case.H_Method = 0;
  EXPECT_FALSE(Curve_Point_Readout(c, 1).enthalpyWritten);
}

// The curve's dew point and flashes have no SRK or Peng-Robinson form: opened with
// either, it draws nothing and says why, instead of 201 vapour fractions of K = 1.
TEST_F(CondensingCurveTest, EquationOfStateDrawsNothing) {
  for (int16_t method : {4, 5}) {
    Case.K_Method = method;
    for (int i = 1; i <= kCurvePoints; ++i) Case.Flash_Curve_VF[i] = 0.5;
    CalcMessageRecorder rec;
    const CondensingCurve c = Calc_Condensing_Curve("", "");
    EXPECT_FALSE(c.drawn);
    EXPECT_EQ(c.message, "S-R-K / P-Rの式は未だありません");
    EXPECT_TRUE(rec.Messages().empty());  // the window shows c.message, once
    for (int i = 1; i <= kCurvePoints; ++i) ASSERT_EQ(Case.Flash_Curve_VF[i], 0.5);
  }
}

}  // namespace
