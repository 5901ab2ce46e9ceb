// The Antoine constant fit, the Lee-Kesler points and the calculate step,
// against values computed independently (tools/antoine/antoine_fit_check.py).
#include <gtest/gtest.h>

#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "purecomp/antoine/AntoineFit.h"

using namespace antoine;

namespace {

// The example of the program: methanol by measured points, ethanol by its
// critical constants, water and 1-propanol by typed constants.
AntoineInput Example() {
  AntoineInput in;
  const char* rows[4][8] = {{"CH4O", "Methanol", "", "", "", "", "", ""},
                            {"C2H6O", "Ethanol", "", "", "", "513.9", "61.4", "0.644"},
                            {"H2O", "Water", "7.9668", "1668.21", "228", "", "", ""},
                            {"C3H8O", "1-Propanol", "7.9973", "1569.7", "209.5", "", "", ""}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 8; ++c) in.Const[r + 1][c + 1] = rows[r][c];
  const char* pts[5][2] = {{"-16.2", "10"}, {"-6.3", "20"}, {"11.4", "60"}, {"34.03", "200"}, {"64.51", "760"}};
  in.Points[1][1] = "  Methanol";
  for (int j = 0; j < 5; ++j) {
    in.Points[j + 2][1] = pts[j][0];
    in.Points[j + 2][2] = pts[j][1];
  }
  in.TempMin = "-20";
  in.TempMax = "80";
  return in;
}

class AntoineCalcTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset_Case_Data(); }
  CalcMessageRecorder messages;
  AntoineData data;
};

}  // namespace

TEST(AntoineFit, MethanolPointsGiveTheLeastSquaresConstants) {
  const double t[] = {0, -16.2, -6.3, 11.4, 34.03, 64.51};
  const double p[] = {0, 10, 20, 60, 200, 760};
  const FitResult f = Fit_Antoine(t, p, 5);
  ASSERT_TRUE(f.Ok());
  // antoine_fit_check.py (numpy lstsq of the same linearised problem)
  EXPECT_NEAR(f.A, 8.1092099318, 1e-8);
  EXPECT_NEAR(f.B, 1594.9967383, 1e-5);
  EXPECT_NEAR(f.C, 240.560274062, 1e-6);
}

TEST(AntoineFit, ExactAntoineDataComeBackExactly) {
  double t[7] = {}, p[7] = {};
  for (int k = 1; k <= 6; ++k) {
    t[k] = 20.0 * (k - 1);
    p[k] = Antoine_Psat(7.9668, 1668.21, 228, t[k]);
  }
  const FitResult f = Fit_Antoine(t, p, 6);
  ASSERT_TRUE(f.Ok());
  EXPECT_NEAR(f.A, 7.9668, 1e-7);
  EXPECT_NEAR(f.B, 1668.21, 1e-4);
  EXPECT_NEAR(f.C, 228, 1e-5);
}

TEST(AntoineFit, PointsThatCannotFixThreeConstantsAreRefused) {
  const double t2[] = {0, 10, 20};
  const double p2[] = {0, 100, 200};
  EXPECT_EQ(Fit_Antoine(t2, p2, 2).status, FitStatus::TooFewPoints);
  // Eleven points at one temperature (equal range ends for generated points).
  double t[12], p[12];
  for (int k = 1; k <= 11; ++k) t[k] = 50, p[k] = 300;
  EXPECT_EQ(Fit_Antoine(t, p, 11).status, FitStatus::TooFewPoints);
  // Many points at two temperatures are still two.
  for (int k = 1; k <= 11; ++k) t[k] = k % 2 ? 50 : 60;
  EXPECT_EQ(Fit_Antoine(t, p, 11).status, FitStatus::TooFewPoints);
  t[11] = 70;
  EXPECT_EQ(Check_Points(t, p, 11), FitStatus::Ok);
  // A point outside the suite's range (at or below absolute zero, a pressure of
  // 0 or less), or one that is no number.
  t[3] = -300;
  EXPECT_EQ(Fit_Antoine(t, p, 11).status, FitStatus::OutOfRange);
  t[3] = -273.15;
  EXPECT_EQ(Fit_Antoine(t, p, 11).status, FitStatus::OutOfRange);
  t[3] = 55;
  p[4] = INFINITY;
  EXPECT_EQ(Fit_Antoine(t, p, 11).status, FitStatus::NotFiniteValue);
  p[4] = NAN;
  EXPECT_EQ(Fit_Antoine(t, p, 11).status, FitStatus::NotFiniteValue);
  const double t3[] = {0, 10, 20, 30};
  const double p3[] = {0, 100, 0, 300};
  EXPECT_EQ(Fit_Antoine(t3, p3, 3).status, FitStatus::OutOfRange);
  EXPECT_DOUBLE_EQ(Det3(2, 0, 0, 0, 3, 0, 0, 0, 4), 24);
  EXPECT_DOUBLE_EQ(Det3(1, 2, 3, 4, 5, 6, 7, 8, 10), -3);
}

TEST(AntoineFit, LeeKeslerTakesPcInBar) {
  // antoine_fit_check.py: ethanol, Tc 513.9 K, Pc 61.4 bar, omega 0.644
  EXPECT_NEAR(Lee_Kesler_Psat(-20, 513.9, 61.4, 0.644), 1.94243543, 1e-8);
  EXPECT_NEAR(Lee_Kesler_Psat(80, 513.9, 61.4, 0.644), 811.9266586, 1e-6);
}

TEST_F(AntoineCalcTest, ExampleUsesTheThreeRoutes) {
  const CalcOutcome out = Antoine_Calc(Example(), data);
  ASSERT_TRUE(out.drawGraph);
  EXPECT_TRUE(messages.Messages().empty());
  EXPECT_EQ(Case.NC, 4);
  EXPECT_TRUE(out.fitted[1] && out.fitted[2]);
  EXPECT_FALSE(out.fitted[3] || out.fitted[4] || out.generated[1]);
  EXPECT_TRUE(out.generated[2]);
  EXPECT_EQ(data.Antoine_NData[1], 5);
  EXPECT_EQ(data.Antoine_NData[2], 11);
  EXPECT_DOUBLE_EQ(data.Antoine_T_Data[2][1], -20);
  EXPECT_DOUBLE_EQ(data.Antoine_T_Data[2][11], 80);
  EXPECT_NEAR(data.Antoine_P_Data[2][3], 10.15308492, 1e-7);
  // antoine_fit_check.py: the fits of methanol and of ethanol's generated points
  EXPECT_NEAR(Case.Antoine_A[1], 8.1092099318, 1e-8);
  EXPECT_NEAR(Case.Antoine_A[2], 7.97054682218, 1e-8);
  EXPECT_NEAR(Case.Antoine_B[2], 1481.04076814, 1e-5);
  EXPECT_NEAR(Case.Antoine_C[2], 212.728660344, 1e-6);
  EXPECT_DOUBLE_EQ(Case.Antoine_B[3], 1668.21);
  EXPECT_EQ(Case.Comp_Name[4], "1-Propanol");
  EXPECT_DOUBLE_EQ(Case.Comp_Pc[2], 61.4);
}

TEST_F(AntoineCalcTest, PointsOverrideTypedConstants) {
  AntoineInput in = Example();
  in.Const[1][3] = "1";
  in.Const[1][4] = "2";
  in.Const[1][5] = "3";
  ASSERT_TRUE(Antoine_Calc(in, data).fitted[1]);
  EXPECT_NEAR(Case.Antoine_A[1], 8.1092099318, 1e-8);
}

TEST_F(AntoineCalcTest, InputFailuresStopWithTheirMessage) {
  AntoineInput in = Example();
  in.TempMax = "";
  EXPECT_FALSE(Antoine_Calc(in, data).drawGraph);
  in = Example();
  in.TempMin = "90";
  EXPECT_FALSE(Antoine_Calc(in, data).drawGraph);
  EXPECT_DOUBLE_EQ(data.Scale_T_Min, 90) << "the range is stored before it is tested";
  // Row 3 has no constants, no points and no critical constants: the run stops
  // there although row 4 is complete; ethanol's points were made before.
  in = Example();
  in.Const[3][4] = "0";
  const CalcOutcome out = Antoine_Calc(in, data);
  EXPECT_FALSE(out.drawGraph);
  EXPECT_TRUE(out.generated[2]);
  EXPECT_EQ(Case.NC, 3);
  // Only Tc given: the correlation cannot run without Pc.
  in = Example();
  in.Const[2][7] = "";
  EXPECT_FALSE(Antoine_Calc(in, data).drawGraph);
  in = AntoineInput{};
  in.TempMin = "0";
  in.TempMax = "0";
  EXPECT_FALSE(Antoine_Calc(in, data).drawGraph);
  const std::vector<std::string> expected = {"温度の下限／上限が入力されていません。", "温度の下限／上限が間違っています。",
                                             "Antoine 定数が未入力です", "Antoine 定数が未入力です",
                                             "成分データが未入力です"};
  EXPECT_EQ(messages.Messages(), expected);
}

TEST_F(AntoineCalcTest, EqualRangeEndsPassButGeneratedPointsCannotBeFitted) {
  Case.Language = 1;
  AntoineInput in = Example();
  in.TempMin = in.TempMax = "50";
  const CalcOutcome out = Antoine_Calc(in, data);
  EXPECT_FALSE(out.drawGraph);
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.Messages()[0], "Three constants need points at three or more different temperatures (Ethanol)");
  EXPECT_FALSE(out.fitted[1]) << "the points are checked before any fit";
  EXPECT_EQ(Case.Antoine_A[1], 0);
}

TEST_F(AntoineCalcTest, PointsThatCannotCarryAFitAreRefusedInEitherLanguage) {
  struct Bad {
    std::vector<std::pair<const char*, const char*>> points;
    const char* ja;
    const char* en;
  } cases[] = {
      {{{"10", "50"}, {"20", "90"}}, "異なる温度の点が3点以上必要です（Methanol）",
       "three or more different temperatures (Methanol)"},
      {{{"10", "50"}, {"10", "50"}, {"10", "50"}, {"10", "50"}}, "異なる温度の点が3点以上必要です",
       "three or more different temperatures"},
      // Outside the suite's range of temperatures and pressures, below or beyond, naming the cell.
      {{{"-300", "1"}, {"10", "50"}, {"20", "90"}}, "「Ｔ(℃) (成分1, 2行)」には -273.15 ℃（絶対零度）より高く",
       "T (deg C) (component 1, row 2): enter a temperature above -273.15 °C"},
      {{{"0", "10"}, {"10", "0"}, {"20", "90"}}, "「P(mmHg) (成分1, 3行)」には 0 より大きく 1000 MPa 以下",
       "P(mmHg) (component 1, row 3): enter a pressure above 0 and at most 1000 MPa."},
      {{{"0", "10"}, {"10", "-5"}, {"20", "90"}}, "「P(mmHg) (成分1, 3行)」には 0 より大きく 1000 MPa 以下",
       "P(mmHg) (component 1, row 3): enter a pressure above 0 and at most 1000 MPa."},
      {{{"0", "10"}, {"10", "50"}, {"20000", "90"}}, "「Ｔ(℃) (成分1, 4行)」には -273.15 ℃（絶対零度）より高く",
       "T (deg C) (component 1, row 4): enter a temperature above -273.15 °C"},
      {{{"0", "10"}, {"10", "1e308"}, {"20", "90"}}, "「P(mmHg) (成分1, 3行)」には 0 より大きく 1000 MPa 以下",
       "P(mmHg) (component 1, row 3): enter a pressure above 0 and at most 1000 MPa."},
      {{{"0", "10"}, {"10", "1e999"}, {"20", "90"}}, "「P(mmHg) (成分1, 3行)」の「1e999」は数値の範囲を超えています。",
       "P(mmHg) (component 1, row 3): \"1e999\" is beyond the range of a number."},
      {{{"0", "10"}, {"10", "abc"}, {"20", "90"}}, "「P(mmHg) (成分1, 3行)」の「abc」は数値ではありません。",
       "P(mmHg) (component 1, row 3): \"abc\" is not a number."},
      {{{"0", "10"}, {"12abc", "50"}, {"20", "90"}}, "「Ｔ(℃) (成分1, 3行)」の「12abc」は数値ではありません。",
       "T (deg C) (component 1, row 3): \"12abc\" is not a number."},
      {{{"0", "10"}, {"10", ""}, {"20", "90"}}, "「P(mmHg) (成分1, 3行)」に数値を入力してください。",
       "P(mmHg) (component 1, row 3): enter a number."},
  };
  for (int lang = 0; lang <= 1; ++lang) {
    for (const Bad& b : cases) {
      Case.Language = static_cast<int16_t>(lang);
      AntoineInput in = Example();
      for (int r = 2; r <= 7; ++r) in.Points[r][1] = in.Points[r][2] = "";
      int r = 2;
      for (auto [t, p] : b.points) {
        in.Points[r][1] = t;
        in.Points[r][2] = p;
        ++r;
      }
      CalcMessageRecorder rec;
      const CalcOutcome out = Antoine_Calc(in, data);
      EXPECT_FALSE(out.drawGraph);
      ASSERT_EQ(rec.Messages().size(), 1u);
      EXPECT_NE(rec.Messages()[0].find(lang ? b.en : b.ja), std::string::npos) << rec.Messages()[0];
      EXPECT_FALSE(out.fitted[2]) << "ethanol is not fitted either: the run stops at its start";
    }
  }
  Case.Language = 0;
}

TEST_F(AntoineCalcTest, GraphAxesRoundTheRangeToTens) {
  ASSERT_TRUE(Antoine_Calc(Example(), data).drawGraph);
  struct Case_ {
    double lo, hi, low, high;
  } cases[] = {{-20, 80, -20, 80}, {12, 47, 10, 50}, {-25, 80, -30, 80}, {0, 80.5, 0, 80}, {0, 85, 0, 90}};
  for (const auto& c : cases) {
    data.Scale_T_Min = c.lo;
    data.Scale_T_Max = c.hi;
    const GraphAxes ax = Graph_Axes(data, 4);
    ASSERT_TRUE(ax.ok) << c.lo << ".." << c.hi;
    EXPECT_DOUBLE_EQ(ax.T_Low, c.low);
    EXPECT_DOUBLE_EQ(ax.T_High, c.high);
  }
  data.Scale_T_Min = -20;
  data.Scale_T_Max = 80;
  const GraphAxes ax = Graph_Axes(data, 4);
  // Decades from the curves at the range ends: 1-propanol at -20 (0.5 mmHg)
  // up to methanol at 80 (1340 mmHg).
  EXPECT_EQ(ax.lowDecade, -1);
  EXPECT_EQ(ax.decades, 5);
  data.Scale_T_Min = 10;
  data.Scale_T_Max = 10.5;
  EXPECT_FALSE(Graph_Axes(data, 4).ok);
  EXPECT_EQ(messages.Messages().back(), "温度の下限／上限が間違っています。");
  EXPECT_FALSE(Graph_Axes(data, 0).ok);
}

// Constants, critical constants and range ends must each be wholly a number
// (a blank constant is one not given); a refusal names the cell and changes nothing.
TEST_F(AntoineCalcTest, CellsThatAreNotWhollyANumberAreRefused) {
  struct Bad {
    int row, col;
    const char* text;
    const char* says;
  } cases[] = {
      {3, 3, "7.9668abc", "「Water A」の「7.9668abc」は数値ではありません。"},
      {2, 6, "abc", "「Ethanol Tc」の「abc」は数値ではありません。"},
      {2, 7, "1e999", "「Ethanol Pc」の「1e999」は数値の範囲を超えています。"},
      {2, 8, "0.6 44", "「Ethanol ω」の「0.6 44」は数値ではありません。"},
  };
  for (const Bad& b : cases) {
    AntoineInput in = Example();
    in.Const[b.row][b.col] = b.text;
    Case.NC = 9;
    Case.Antoine_A[3] = 1.5;
    CalcMessageRecorder rec;
    EXPECT_FALSE(Antoine_Calc(in, data).drawGraph);
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Messages()[0], b.says);
    EXPECT_EQ(Case.NC, 9) << "nothing of the case changes";
    EXPECT_EQ(Case.Antoine_A[3], 1.5);
  }
  CalcMessageRecorder rec;
  AntoineInput in = Example();
  in.TempMax = "8O";
  EXPECT_FALSE(Antoine_Calc(in, data).drawGraph);
  in.TempMax = "80";
  in.TempMin = "1e999";
  EXPECT_FALSE(Antoine_Calc(in, data).drawGraph);
  Case.Language = 1;
  in.TempMin = "-20abc";
  EXPECT_FALSE(Antoine_Calc(in, data).drawGraph);
  Case.Language = 0;
  const std::vector<std::string> expected = {"「温度範囲 上限」の「8O」は数値ではありません。",
                                             "「温度範囲 下限」の「1e999」は数値の範囲を超えています。",
                                             "Temp range Low: \"-20abc\" is not a number."};
  EXPECT_EQ(rec.Messages(), expected);
  // Blank constants are constants not given: the example still runs.
  in = Example();
  in.Const[2][8] = " ";
  EXPECT_TRUE(Antoine_Calc(in, data).drawGraph);
}
