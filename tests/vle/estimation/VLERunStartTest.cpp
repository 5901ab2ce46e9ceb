#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "vle/estimation/VLERunStart.h"
#include "vle/estimation/VLETestSupport.h"

using namespace vlefit;
using namespace vlefit::test;

namespace {

// The shared range's refusals in English, after the field name.
const std::string kTempRange = "enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C.";
const std::string kPressRange = "enter a pressure above 0 and at most 1000 MPa.";

using Rows = std::vector<std::array<std::string, 3>>;

class VLERunStart : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAll();
    VLE_Initial_set();
  }
};

TEST_F(VLERunStart, DefaultsAndTheExamples) {
  VLE.VLE_Gamma_Exp[1][1] = 3.5;
  VLE.VLE_T_Calc[1] = 70;
  Load_VLE_Example(1);
  VLE_Initial_set();
  EXPECT_EQ(VLE.VLE_NData, 0);
  EXPECT_EQ(VLE.VLE_X1_Data[12], 0);
  EXPECT_TRUE(Case.Memo[2].empty());
  // The defaults leave the measured coefficients and the bubble starts alone.
  EXPECT_EQ(VLE.VLE_Gamma_Exp[1][1], 3.5);
  EXPECT_EQ(VLE.VLE_T_Calc[1], 70);

  ASSERT_TRUE(Load_VLE_Example(2));
  EXPECT_EQ(VLE.VLE_NData, 20);
  EXPECT_EQ(VLE.VLE_Obj_Type, 1);  // the example selects the first objective
  // Full-width names and the ideographic blanks of the memo are part of the example.
  EXPECT_EQ(Case.Comp_Name[2], "ＷＡＴＥＲ");
  EXPECT_EQ(Case.Memo[2], "TBA - WATER \u3000系（共沸する系）\u3000Wilson定数を求める");
  EXPECT_EQ(Case.Memo[7], "\u3000\u3000\u3000  \u3000Λ21＝ 0.76689");
  EXPECT_FALSE(Load_VLE_Example(3));
  EXPECT_EQ(VLE.VLE_NData, 20);
}

TEST_F(VLERunStart, RowsAreConvertedFromTheDisplayUnits) {
  Case.T_Unit = 2;  // K
  EXPECT_EQ(Store_VLE_Data_Rows({{"373.15", "0.5", "0.6"}, {" 353.15 ", ".2", "3E-1"}}), "");
  EXPECT_EQ(VLE.VLE_NData, 2);
  EXPECT_NEAR(VLE.VLE_T_Data[1], 100, 1e-12);
  EXPECT_NEAR(VLE.VLE_T_Data[2], 80, 1e-12);
  EXPECT_EQ(VLE.VLE_X1_Data[2], 0.2);
  EXPECT_EQ(VLE.VLE_Y1_Data[2], 0.3);
  Case.T_Unit = 3;
  EXPECT_NEAR(Display_Temp_To_C(212), 100, 1e-12);

  VLE.VLE_TP_Type = 1;
  Case.P_Unit = 2;  // kPa; the value from tools/vle_fit/reference_values.py
  EXPECT_EQ(Store_VLE_Data_Rows({{"101.325", "0.5", "0.6"}}), "");
  // One atmosphere, whatever the library's mmHg factor, and back unchanged.
  EXPECT_NEAR(VLE.VLE_P_Data[1], 760, 0.6);
  EXPECT_NEAR(mmHg_To_Display_Press(VLE.VLE_P_Data[1]), 101.325, 1e-10);
  EXPECT_STREQ(Display_Press_Unit(), "KPa");
  Case.P_Unit = 3;
  EXPECT_DOUBLE_EQ(Display_Press_To_mmHg(760), 760);
  EXPECT_DOUBLE_EQ(mmHg_To_Display_Press(759.99), 759.99);
}

TEST_F(VLERunStart, RowsEndAtTheFirstEmptyFirstCell) {
  EXPECT_EQ(Store_VLE_Data_Rows({{"80", "0.5", "0.6"}, {"", "0.4", "0.5"}, {"70", "0.7", "0.8"}}), "");
  EXPECT_EQ(VLE.VLE_NData, 1);
  Case.Language = 1;
  EXPECT_EQ(Store_VLE_Data_Rows({{"", "0.5", "0.6"}}), "No VLE Data");
  EXPECT_EQ(Store_VLE_Data_Rows({}), "No VLE Data");
}

TEST_F(VLERunStart, FiftyRowsAreTheMost) {
  Rows rows(50, {"80", "0.5", "0.6"});
  EXPECT_EQ(Store_VLE_Data_Rows(rows), "");
  EXPECT_EQ(VLE.VLE_NData, 50);
  rows.push_back({"80", "0.5", "0.6"});
  Case.Language = 1;
  EXPECT_EQ(Store_VLE_Data_Rows(rows), "Over Max Data (50)");
  Case.Language = 0;
  EXPECT_EQ(Store_VLE_Data_Rows(rows), "データの最大数50を越えています。");
}

TEST_F(VLERunStart, BadCellsAreRefusedInOrder) {
  Case.Language = 1;
  EXPECT_EQ(Store_VLE_Data_Rows({{"80", "0.5", "0.6"}, {"7O", "0.5", "0.6"}}),
            "Temp (row 2): \"7O\" is not a number.");
  EXPECT_EQ(VLE.VLE_NData, 0);  // a refused table stores nothing
  EXPECT_EQ(Store_VLE_Data_Rows({{"80", "0.5x", "0.6"}}), "x1 (row 1): \"0.5x\" is not a number.");
  EXPECT_EQ(Store_VLE_Data_Rows({{"80", "0.5", "1e999"}}), "y1 (row 1): \"1e999\" is beyond the range of a number.");
  EXPECT_EQ(Store_VLE_Data_Rows({{"80", "0.5", "0.6"}, {"12abc", "0.5", "0.6"}}),
            "Temp (row 2): \"12abc\" is not a number.");
  VLE.VLE_TP_Type = 1;
  EXPECT_EQ(Store_VLE_Data_Rows({{"abc", "0.5", "0.6"}}), "Press (row 1): \"abc\" is not a number.");
  VLE.VLE_TP_Type = 0;
  EXPECT_EQ(Store_VLE_Data_Rows({{"80", "0", "0.6"}}), "out of X range(0-1) (row 1)");
  EXPECT_EQ(Store_VLE_Data_Rows({{"80", "0.5", "0.6"}, {"80", "1", "0.6"}}), "out of X range(0-1) (row 2)");
  EXPECT_EQ(Store_VLE_Data_Rows({{"80", "0.5", "1"}}), "out of Y range(0-1) (row 1)");
  // A blank cell in a filled row is named, not read as 0.
  EXPECT_EQ(Store_VLE_Data_Rows({{"80", "0.5", ""}}), "y1 (row 1): enter a number.");
  EXPECT_EQ(Store_VLE_Data_Rows({{"80", "0.5", "0.6"}, {"80", "0.5", "0.6"}, {"86.7", " ", "0.4375"}}),
            "x1 (row 3): enter a number.");
  // The checks keep their order within a row: x1 before y1.
  EXPECT_EQ(Store_VLE_Data_Rows({{"80", "2", "abc"}}), "out of X range(0-1) (row 1)");
  Case.Language = 0;
  EXPECT_EQ(Store_VLE_Data_Rows({{"80", "abc", "0.6"}}), "「x1（1行目）」の「abc」は数値ではありません。");
  EXPECT_EQ(Store_VLE_Data_Rows({{"80", "-0.1", "0.6"}}), "X の値が0以下又は1以上です。（1行目）");
}

TEST_F(VLERunStart, ARefusedTableLeavesTheStoredPointsWhole) {
  Case.Language = 1;
  Rows seven;
  for (int i = 0; i < 7; ++i) seven.push_back({std::to_string(80 + i), "0." + std::to_string(i + 1), "0.5"});
  ASSERT_EQ(Store_VLE_Data_Rows(seven), "");
  Rows typed = seven;
  typed[2][1] = "";
  typed[5][0] = "99";
  EXPECT_EQ(Store_VLE_Data_Rows(typed), "x1 (row 3): enter a number.");
  EXPECT_EQ(VLE.VLE_NData, 7);
  for (int i = 1; i <= 7; ++i) {
    EXPECT_EQ(VLE.VLE_T_Data[i], 79 + i);
    EXPECT_DOUBLE_EQ(VLE.VLE_X1_Data[i], 0.1 * i) << i;
  }
}

TEST_F(VLERunStart, SavedRowsFollowTheRulesOfAFileThatReadsBack) {
  Case.Language = 1;
  DataRows read;
  // No rows and pure ends are a case a file can hold; beyond 0..1 is not.
  EXPECT_EQ(Read_VLE_Data_Rows({}, RowRule::Save, read), "");
  EXPECT_EQ(read.n, 0);
  EXPECT_EQ(Read_VLE_Data_Rows({{"100", "0", "0"}, {"64.5", "1", "1"}, {"", "", ""}, {"7", "8", "9"}},
                               RowRule::Save, read),
            "");
  EXPECT_EQ(read.n, 2);
  EXPECT_EQ(read.x1[2], 1);
  EXPECT_EQ(Read_VLE_Data_Rows({{"80", "0.5", "0.6"}, {"80", "1.2", "0.6"}}, RowRule::Save, read),
            "out of X range(0-1) (row 2)");
  EXPECT_EQ(Read_VLE_Data_Rows({{"80", "0.5", "-0.01"}}, RowRule::Save, read), "out of Y range(0-1) (row 1)");
  EXPECT_EQ(Read_VLE_Data_Rows({{"80", "abc", "0.6"}}, RowRule::Save, read), "x1 (row 1): \"abc\" is not a number.");
  EXPECT_EQ(Read_VLE_Data_Rows({{"-300", "0.5", "0.6"}}, RowRule::Save, read), "Temp (row 1): " + kTempRange);
  EXPECT_EQ(Read_VLE_Data_Rows({{"80", "0.5", "0.6"}, {"1e308", "0.5", "0.6"}}, RowRule::Fit, read),
            "Temp (row 2): " + kTempRange);
  VLE.VLE_TP_Type = 1;
  EXPECT_EQ(Read_VLE_Data_Rows({{"0", "0.5", "0.6"}}, RowRule::Save, read), "Press (row 1): " + kPressRange);
  EXPECT_EQ(Read_VLE_Data_Rows({{"7.6e6", "0.5", "0.6"}}, RowRule::Fit, read), "Press (row 1): " + kPressRange);
  EXPECT_EQ(Read_VLE_Data_Rows({{"7.5e6", "0.5", "0.6"}}, RowRule::Fit, read), "") << "1000 MPa is 7.50062e6 mmHg";
  // Reading stores nothing.
  EXPECT_EQ(VLE.VLE_NData, 0);
}

// Values from tools/vle_fit/reference_values.py.
TEST_F(VLERunStart, MeasuredActivityCoefficients) {
  Load_VLE_Example(1);
  ASSERT_EQ(Calc_Gamma_Exp(), "");
  EXPECT_NEAR(VLE.VLE_Gamma_Exp[1][1], 2.195295826937, 1e-11);
  EXPECT_NEAR(VLE.VLE_Gamma_Exp[2][1], 1.006689165778, 1e-11);
  EXPECT_NEAR(VLE.VLE_Gamma_Exp[1][12], 1.016454219460, 1e-11);
  EXPECT_NEAR(VLE.VLE_Gamma_Exp[2][12], 2.030797856861, 1e-11);
  for (int i = 1; i <= 12; ++i) EXPECT_NEAR(VLE.VLE_T_Calc[i], 76.866666666667, 1e-11);

  VLE.VLE_TP_Type = 1;
  VLE.VLE_Temp = 60;
  VLE.VLE_NData = 1;
  VLE.VLE_P_Data[1] = 500;
  VLE.VLE_X1_Data[1] = 0.4;
  VLE.VLE_Y1_Data[1] = 0.7;
  VLE.VLE_T_Calc[1] = 12;
  ASSERT_EQ(Calc_Gamma_Exp(), "");
  EXPECT_NEAR(VLE.VLE_Gamma_Exp[1][1], 1.390265379928, 1e-11);
  EXPECT_NEAR(VLE.VLE_Gamma_Exp[2][1], 1.677419831215, 1e-11);
  EXPECT_EQ(VLE.VLE_T_Calc[1], 12);  // constant temperature: untouched
}

TEST_F(VLERunStart, PressuresOfZeroOrLessAndAntoinePolesAreRefused) {
  Load_VLE_Example(1);
  Case.Language = 1;
  VLE.VLE_Press = 0;
  EXPECT_EQ(Calc_Gamma_Exp(), "Press: " + kPressRange);
  VLE.VLE_Press = 1e308;
  EXPECT_EQ(Calc_Gamma_Exp(), "Press: " + kPressRange);
  VLE.VLE_Press = 760;
  VLE.VLE_TP_Type = 1;
  for (int i = 1; i <= 12; ++i) VLE.VLE_P_Data[i] = 700;
  VLE.VLE_P_Data[4] = -5;
  EXPECT_EQ(Calc_Gamma_Exp(), "Press (row 4): " + kPressRange);
  VLE.VLE_P_Data[4] = 700;
  VLE.VLE_Temp = -230;  // -C of methanol
  EXPECT_EQ(Calc_Gamma_Exp(), "Cannot compute the activity coefficients of the VLE Data (row 1)");
  // Antoine's equation still has a value at -300 degC; the state does not exist.
  VLE.VLE_Temp = -300;
  EXPECT_EQ(Calc_Gamma_Exp(), "Temp: " + kTempRange);
  VLE.VLE_TP_Type = 0;
  VLE.VLE_T_Data[3] = -273.15;
  EXPECT_EQ(Calc_Gamma_Exp(), "Temp (row 3): " + kTempRange);
}

}  // namespace
