// The shared range of temperatures and pressures: its ends, what lies outside
// it, and the refusal naming the field in either language.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/model/CaseData.h"
#include "core/model/PhysicalRange.h"

namespace {

TEST(PhysicalRangeTest, EndsAndValuesOutside) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(Temp_In_Range(-273.0));
  EXPECT_TRUE(Temp_In_Range(10000.0));
  EXPECT_FALSE(Temp_In_Range(-273.15)) << "absolute zero itself is no state";
  EXPECT_FALSE(Temp_In_Range(-300));
  EXPECT_FALSE(Temp_In_Range(std::nextafter(10000.0, inf)));
  EXPECT_FALSE(Temp_In_Range(1e308));
  EXPECT_FALSE(Temp_In_Range(NAN));
  EXPECT_TRUE(Press_In_Range(1e-12));
  EXPECT_TRUE(Press_In_Range(1000.0));
  EXPECT_FALSE(Press_In_Range(0));
  EXPECT_FALSE(Press_In_Range(-0.1));
  EXPECT_FALSE(Press_In_Range(1000.001));
  EXPECT_FALSE(Press_In_Range(inf));
  EXPECT_FALSE(Press_In_Range(NAN));
}

TEST(PhysicalRangeTest, RefusalNamesTheFieldInTheChosenLanguage) {
  const int16_t language = Case.Language;
  Case.Language = 0;
  EXPECT_EQ(Temp_Range_Problem(25, "温度", "Temperature"), "");
  EXPECT_EQ(Temp_Range_Problem(-300, "塔頂初期温度", "Initial Temp Top"),
            "「塔頂初期温度」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。");
  EXPECT_EQ(Press_Range_Problem(1e308, "圧力", "Press"), "「圧力」には 0 より大きく 1000 MPa 以下の圧力を入力してください。");
  Case.Language = 1;
  EXPECT_EQ(Press_Range_Problem(0.101325, "圧力", "Press"), "");
  EXPECT_EQ(Temp_Range_Problem(1e308, "温度", "Temperature"),
            "Temperature: enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C.");
  EXPECT_EQ(Press_Range_Problem(-1, "圧力", "Press"), "Press: enter a pressure above 0 and at most 1000 MPa.");
  Case.Language = language;
}

}  // namespace
