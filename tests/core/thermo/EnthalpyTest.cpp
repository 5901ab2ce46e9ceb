#include <gtest/gtest.h>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace {

class EnthalpyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Case_Data();
    Case.NC = 2;
    Case.H_Method = 1;
    Case.H_Unit = 2;
    Case.Mol_Wt[1] = 18;
    Case.Mol_Wt[2] = 46;
    Case.HV_A[1] = 100, Case.HV_B[1] = 1, Case.HV_C[1] = 0;
    Case.HV_A[2] = 50, Case.HV_B[2] = 0.5, Case.HV_C[2] = 0.01;
    Case.HL_A[1] = -20, Case.HL_B[1] = 1, Case.HL_C[1] = 0.002;
    Case.HL_A[2] = 5, Case.HL_B[2] = 0.6, Case.HL_C[2] = 0;
  }
};

TEST_F(EnthalpyTest, OneComponentInKcalIsConvertedToJoules) {
  const double y[] = {0, 1, 0};
  EXPECT_DOUBLE_EQ(Enthalpy_Vap(50.0, 0.1, y), 18 * 150 * 4186.05);
  Case.H_Unit = 1;
  EXPECT_DOUBLE_EQ(Enthalpy_Vap_Poly(50.0, y), 18 * 150);
}

TEST_F(EnthalpyTest, MixtureIsMolarAverageOverTheCompositionSum) {
  const double t = 80.0;
  const double half[] = {0, 0.5, 0.5};
  const double twos[] = {0, 2, 2};
  const double hv1 = 18 * (100 + t), hv2 = 46 * (50 + 0.5 * t + 0.01 * t * t);
  const double hl1 = 18 * (-20 + t + 0.002 * t * t), hl2 = 46 * (5 + 0.6 * t);
  EXPECT_NEAR(Enthalpy_Vap(t, 0.1, half), 0.5 * (hv1 + hv2) * 4186.05, 1e-6);
  EXPECT_NEAR(Enthalpy_Liq(t, 0.1, half), 0.5 * (hl1 + hl2) * 4186.05, 1e-6);
  EXPECT_DOUBLE_EQ(Enthalpy_Vap(t, 0.1, twos), Enthalpy_Vap(t, 0.1, half));
  EXPECT_DOUBLE_EQ(Enthalpy_Liq_Poly(t, twos), Enthalpy_Liq_Poly(t, half));
}

TEST_F(EnthalpyTest, NoEnthalpyWithoutThePolynomialModelOrComposition) {
  const double y[] = {0, 0.3, 0.7};
  const double empty[] = {0, 0, 0};
  EXPECT_EQ(Enthalpy_Vap_Poly(30.0, empty), 0.0);
  EXPECT_EQ(Enthalpy_Liq(30.0, 0.1, empty), 0.0);
  for (int method : {0, 2, 3}) {
    Case.H_Method = method;
    for (double t : {-40.0, 25.0, 300.0}) {
      EXPECT_EQ(Enthalpy_Vap(t, 0.1, y), 0.0);
      EXPECT_EQ(Enthalpy_Liq(t, 0.1, y), 0.0);
    }
  }
  Case.H_Method = 1;
  Case.NC = 0;
  EXPECT_EQ(Enthalpy_Vap(30.0, 0.1, y), 0.0);
}

TEST_F(EnthalpyTest, BtuShowsTheMessageAndLeavesTheValue) {
  Case.H_Unit = 3;
  CalcMessageRecorder recorder;
  const double y[] = {0, 1, 0};
  EXPECT_DOUBLE_EQ(Enthalpy_Vap(50.0, 0.1, y), 18 * 150);
  EXPECT_EQ(recorder.Messages().size(), 1u);
}

}  // namespace
