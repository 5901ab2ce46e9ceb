#include <gtest/gtest.h>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace {

class UnitsTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset_Case_Data(); }
};

TEST_F(UnitsTest, TemperatureCodes) {
  Case.T_Unit = 2;
  EXPECT_DOUBLE_EQ(Unit_Temp_Out(100.0), 373.15);
  EXPECT_DOUBLE_EQ(Unit_Temp_In(373.15), 100.0);
  Case.T_Unit = 3;
  EXPECT_DOUBLE_EQ(Unit_Temp_Out(100.0), 212.0);
  EXPECT_DOUBLE_EQ(Unit_Temp_In(32.0), 0.0);
  EXPECT_DOUBLE_EQ(Unit_Temp_In(212.0), 100.0);
  Case.T_Unit = 0;  // a case file holding 0 converts nothing
  EXPECT_EQ(Unit_Temp_In(55.5), 55.5);
  EXPECT_EQ(Unit_Temp_Out(55.5), 55.5);
}

TEST_F(UnitsTest, PressureUsesTheTableFactorBothWays) {
  Case.P_Unit = 3;
  EXPECT_NEAR(Unit_Press_In(760.0), 0.1012472, 1e-12);
  EXPECT_NEAR(Unit_Press_Out(0.1), 0.1 / 0.00013322, 1e-9);  // 750.638..., not 0.1 x 7506.38
  EXPECT_NEAR(Unit_Press_Out(0.1), 750.6380423, 1e-6);
  Case.P_Unit = 2;
  EXPECT_DOUBLE_EQ(Unit_Press_In(101.325), 0.101325);
  EXPECT_DOUBLE_EQ(Unit_Press_Out(0.101325), 101.325);
  const double factor[] = {0, 1, 0.001, 0.00013322, 9.80665e-6, 0.0980665, 0.006895};
  for (int code = 1; code <= 6; ++code) {
    Case.P_Unit = code;
    EXPECT_DOUBLE_EQ(Unit_Press_In(2.0), 2.0 * factor[code]) << code;
    EXPECT_NEAR(Unit_Press_Out(Unit_Press_In(2.0)), 2.0, 1e-12) << code;
  }
  for (int code : {0, 7, -1}) {
    Case.P_Unit = code;
    EXPECT_EQ(Unit_Press_In(3.5), 3.5);
    EXPECT_EQ(Unit_Press_Out(3.5), 3.5);
  }
}

TEST_F(UnitsTest, HeatKcalAndRefusedBtu) {
  Case.H_Unit = 2;
  EXPECT_DOUBLE_EQ(Unit_Heat_In(1.0), 4186.05);
  EXPECT_DOUBLE_EQ(Unit_Heat_Out(4186.05), 1.0);
  Case.H_Unit = 3;
  CalcMessageRecorder recorder;
  EXPECT_EQ(Unit_Heat_In(7.0), 7.0);
  EXPECT_EQ(Unit_Heat_Out(7.0), 7.0);
  ASSERT_EQ(recorder.Messages().size(), 2u);
  EXPECT_EQ(recorder.Messages()[0], "熱量変換 BTU は未だサポートしていません。");
  {
    // One user action that converts many heats shows the box once.
    CalcMessageScope scope;
    for (int k = 0; k < 50; ++k) Unit_Heat_In(1.0);
  }
  EXPECT_EQ(recorder.Messages().size(), 3u);
  Case.H_Unit = 0;
  EXPECT_EQ(Unit_Heat_In(7.0), 7.0);
  EXPECT_EQ(recorder.Messages().size(), 3u);
}

}  // namespace
