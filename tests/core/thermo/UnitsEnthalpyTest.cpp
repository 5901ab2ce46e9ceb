#include <gtest/gtest.h>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace {

TEST(UnitsTest, TemperaturePressureAndHeatCodes) {
  Reset_Case_Data();
  Case.T_Unit = 2;
  EXPECT_DOUBLE_EQ(Unit_Temp_Out(100.0), 373.15);
  Case.T_Unit = 3;
  EXPECT_DOUBLE_EQ(Unit_Temp_Out(100.0), 212.0);
  EXPECT_DOUBLE_EQ(Unit_Temp_In(32.0), 0.0);
  Case.P_Unit = 3;
  // One atmosphere: 760 mmHg is 101.325 kPa exactly, both ways.
  EXPECT_NEAR(Unit_Press_In(760.0), 0.101325, 1e-15);
  EXPECT_NEAR(Unit_Press_Out(0.1), 750.0616827041698, 1e-10);
  Case.P_Unit = 2;
  const double kPaInMPa = Unit_Press_In(101.325);
  Case.P_Unit = 3;
  EXPECT_NEAR(Unit_Press_Out(kPaInMPa), 760.0, 1e-12);
  EXPECT_NEAR(Unit_Press_In(760.0) * 1000.0, 101.325, 1e-12);
  EXPECT_NEAR(0.101325 * kMmHgPerMPa, 760.0, 1e-12);  // what the vapour-pressure routines compare with
  const double factor[] = {0, 1, 0.001, 101325.0 / 760.0 * 1e-6, 9.80665e-6, 0.0980665, 0.006895};
  for (int code = 1; code <= 6; ++code) {
    Case.P_Unit = code;
    EXPECT_DOUBLE_EQ(Unit_Press_In(2.0), 2.0 * factor[code]) << code;
    EXPECT_NEAR(Unit_Press_Out(Unit_Press_In(2.0)), 2.0, 1e-12) << code;
  }
  Case.H_Unit = 2;
  EXPECT_DOUBLE_EQ(Unit_Heat_In(1.0), 4186.05);
  EXPECT_DOUBLE_EQ(Unit_Heat_Out(4186.05), 1.0);
  Case.T_Unit = Case.P_Unit = Case.H_Unit = 0;  // a case file holding 0 converts nothing
  EXPECT_EQ(Unit_Temp_In(55.5) + Unit_Press_Out(55.5) + Unit_Heat_In(55.5), 3 * 55.5);
}

TEST(UnitsTest, BtuIsRefusedOncePerUserAction) {
  Reset_Case_Data();
  Case.H_Unit = 3;
  CalcMessageRecorder recorder;
  EXPECT_EQ(Unit_Heat_In(7.0), 7.0);
  EXPECT_EQ(Unit_Heat_Out(7.0), 7.0);
  {
    CalcMessageScope scope;
    for (int k = 0; k < 50; ++k) Unit_Heat_In(1.0);
  }
  ASSERT_EQ(recorder.Messages().size(), 3u);
  EXPECT_EQ(recorder.Messages()[0], "熱量変換 BTU は未だサポートしていません。");
}

TEST(EnthalpyTest, PolynomialMixtureEnthalpy) {
  Reset_Case_Data();
  Case.NC = 2;
  Case.H_Method = 1;
  Case.H_Unit = 2;
  Case.Mol_Wt[1] = 18, Case.Mol_Wt[2] = 46;
  Case.HV_A[1] = 100, Case.HV_B[1] = 1;
  Case.HV_A[2] = 50, Case.HV_B[2] = 0.5, Case.HV_C[2] = 0.01;
  Case.HL_A[1] = -20, Case.HL_C[1] = 0.002;
  const double water[] = {0, 1, 0}, half[] = {0, 0.5, 0.5}, twos[] = {0, 2, 2}, empty[] = {0, 0, 0};
  EXPECT_DOUBLE_EQ(Enthalpy_Vap(50.0, 0.1, water), 18 * 150 * 4186.05);
  const double t = 80.0;
  EXPECT_NEAR(Enthalpy_Vap(t, 0.1, half), 0.5 * (18 * (100 + t) + 46 * (50 + 0.5 * t + 0.01 * t * t)) * 4186.05, 1e-6);
  EXPECT_NEAR(Enthalpy_Liq(t, 0.1, water), 18 * (-20 + 0.002 * t * t) * 4186.05, 1e-6);
  EXPECT_DOUBLE_EQ(Enthalpy_Vap(t, 0.1, twos), Enthalpy_Vap(t, 0.1, half));
  EXPECT_EQ(Enthalpy_Vap_Poly(t, empty), 0.0);
  for (int method : {0, 2, 3}) {
    Case.H_Method = method;
    EXPECT_EQ(Enthalpy_Vap(t, 0.1, half), 0.0);
    EXPECT_EQ(Enthalpy_Liq(t, 0.1, half), 0.0);
  }
}

}  // namespace
