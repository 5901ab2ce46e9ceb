#include <gtest/gtest.h>

#include "core/model/CalcMessages.h"
#include "PhysTestSupport.h"

using namespace physprop;
using namespace phystest;

TEST(PhysEstimation, ReadInputs) {
  Reset_Phys_Data();
  Phys.Phys_Tb_Blank = 1;
  Estimation_Read_Inputs("Benzene", "78.11abc", "", "12.5");
  EXPECT_EQ(Phys.Phys_Tb_Blank, 0);
  EXPECT_EQ(Phys.Phys_Comp_Name, "Benzene");
  EXPECT_EQ(Phys.Phys_Mol_Wt, 78.11);
  EXPECT_EQ(Phys.Phys_Tb_C, 0);
  EXPECT_EQ(Phys.Phys_Tb_K, 273.15);
  EXPECT_EQ(Phys.Phys_Total_Atom, 12);
}

TEST(PhysEstimation, AcentricFactor) {
  // Values from tools/physprop/reference_values.py; benzene omega 0.209 (ChemSep).
  Benzene();
  ASSERT_EQ(Acentric_Factor(kEdmister), PhysStatus::Ok);
  EXPECT_NEAR(Phys.Phys_Omega, 0.22093681791752506, 1e-12);
  ASSERT_EQ(Acentric_Factor(kLeeKeslerOmega), PhysStatus::Ok);
  EXPECT_NEAR(Phys.Phys_Omega, 0.20829060260725132, 1e-12);
  EXPECT_NEAR(Phys.Phys_Omega, 0.209, 0.002);

  CalcMessageRecorder rec;
  Phys.Phys_Tc = 0;
  EXPECT_EQ(Acentric_Factor(kEdmister), PhysStatus::Ok);
  EXPECT_EQ(Phys.Phys_Omega, 0);
  ASSERT_EQ(rec.Messages().size(), 1u);
  EXPECT_EQ(rec.Messages()[0], "Tcが 0のため偏心因子ωが推算できません。");
  // Tb = Tc or Pc = 0 give no acentric factor.
  Benzene();
  Phys.Phys_Tb_K = Phys.Phys_Tc;
  EXPECT_EQ(Acentric_Factor(kEdmister), PhysStatus::NotFinite);
  Benzene();
  Phys.Phys_Pc = 0;
  EXPECT_EQ(Acentric_Factor(kLeeKeslerOmega), PhysStatus::NotFinite);
}

TEST(PhysEstimation, RangeIsCutToTcAndAbsoluteZero) {
  Reset_Phys_Data();
  Phys.Phys_Tc = 500;
  CalcMessageRecorder rec;
  // High exactly at Tc and low exactly at absolute zero pass.
  RangeCut cut = Estimation_Range(-273.15, 500 - 273.15);
  EXPECT_FALSE(cut.highCut);
  EXPECT_FALSE(cut.lowCut);
  EXPECT_TRUE(rec.Messages().empty());
  EXPECT_EQ(Phys.Phys_Temp_C[1], -273.15);
  EXPECT_NEAR(Phys.Phys_Temp_C[51], 226.85, 1e-9);
  EXPECT_NEAR(Phys.Phys_Temp_K[26], 250.0, 1e-9);

  cut = Estimation_Range(-273.16, 300);
  EXPECT_TRUE(cut.highCut);
  EXPECT_TRUE(cut.lowCut);
  ASSERT_EQ(rec.Messages().size(), 2u);
  EXPECT_EQ(rec.Messages()[0], "臨界温度Tcを越えています。");
  EXPECT_EQ(rec.Messages()[1], "-273.15℃以下です。");
  EXPECT_NEAR(Phys.Phys_Temp_High, 226.85, 1e-12);
  EXPECT_EQ(Phys.Phys_Temp_Low, -273.15);

  // A low above the high gives a falling sequence.
  Estimation_Range(100, 0);
  EXPECT_EQ(Phys.Phys_Temp_C[1], 100);
  EXPECT_EQ(Phys.Phys_Temp_C[51], 0);
}
