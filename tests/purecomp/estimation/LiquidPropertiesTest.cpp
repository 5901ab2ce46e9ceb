#include <gtest/gtest.h>

#include <cmath>

#include "purecomp/estimation/LiquidProperties.h"
#include "PhysTestSupport.h"

using namespace physprop;
using namespace phystest;

// Values from tools/physprop/reference_values.py unless stated otherwise.

TEST(HeatOfVaporization, VetereAtTbAndWatsonFit) {
  Benzene();
  // Vetere with Pc in bar: 7277.836 cal/mol; measured 30.72 kJ/mol (NIST) = 7338.7 cal/mol.
  EXPECT_NEAR(Heat_Of_Vaporization_Tb(), 7277.836189700157, 1e-6);
  EXPECT_NEAR(Heat_Of_Vaporization_Tb(), 7338.66, 0.01 * 7338.66);
  FitWork w;
  ASSERT_EQ(Heat_Of_Vaporization(w), PhysStatus::Ok);
  EXPECT_EQ(w.Fit_NP, 51);
  // numpy.polyfit of the 51 Watson values.
  EXPECT_NEAR(Phys.Phys_Hv_A, 3966.01199602, 1e-5);
  EXPECT_NEAR(Phys.Phys_Hv_B, 30.5474682417, 1e-7);
  EXPECT_NEAR(Phys.Phys_Hv_C, -0.0592671679245, 1e-10);
  EXPECT_NEAR(Phys.Phys_Hv_Min, 2194.14329606, 1e-6);
  EXPECT_NEAR(Phys.Phys_Hv_Max, 8012.00643763, 1e-6);
}

TEST(HeatOfVaporization, PointsFromTcOnKeepEarlierValues) {
  // The range ends at Tc: the last point is not computed and keeps its value.
  Benzene(20, kBenzeneTc - 273.15);
  Phys.Phys_Hv[51] = -5;
  FitWork w;
  ASSERT_EQ(Heat_Of_Vaporization(w), PhysStatus::Ok);
  EXPECT_EQ(w.Fit_NP, 50);
  EXPECT_EQ(Phys.Phys_Hv[51], -5);
  // A range starting at Tc leaves no point: the fit's pivot vanishes.
  Benzene(kBenzeneTc - 273.15, kBenzeneTc - 273.15 + 50);
  EXPECT_EQ(Heat_Of_Vaporization(w), PhysStatus::PivotVanished);
  EXPECT_EQ(w.Fit_NP, 0);
}

TEST(LiquidDensity, GunnYamadaAgainstMeasuredAndIndependentFits) {
  Benzene();
  FitWork w;
  ASSERT_EQ(LiqDensity_Gunn_Yamada(w), PhysStatus::Ok);
  // 20 degC is point 1: 0.86216674 by the published correlation; ChemSep 0.877834 g/cm3.
  EXPECT_NEAR(Phys.Phys_DenL[1], 0.8621667399647529, 1e-9);
  EXPECT_NEAR(Phys.Phys_DenL[1], 0.877834, 0.02 * 0.877834);
  EXPECT_NEAR(Phys.Phys_DenL2_A, 0.702414362471, 1e-8);
  EXPECT_NEAR(Phys.Phys_DenL2_B, 0.00153000926051, 1e-10);
  EXPECT_NEAR(Phys.Phys_DenL2_C, -3.49520530282e-06, 1e-13);
  EXPECT_NEAR(Phys.Phys_DenL1_A, 0.302549760173, 1e-8);
  EXPECT_NEAR(Phys.Phys_DenL1_B, 0.274204550315, 1e-8);
}

TEST(LiquidDensity, GunnYamadaBranchesMeetAtTrPointEight) {
  // Two points around Tr = 0.8: the polynomial branch below, the logarithmic above.
  Benzene(0.8 * kBenzeneTc - 273.15 - 1e-9, 0.8 * kBenzeneTc - 273.15 + 50 * 1e-9);
  FitWork w;
  LiqDensity_Gunn_Yamada(w);
  // Continuous within 0.25 % (the 0.33593 Tr coefficient gave a 0.85 % jump).
  EXPECT_NEAR(Phys.Phys_DenL[51] / Phys.Phys_DenL[1], 1.0, 0.0025);
}

TEST(LiquidDensity, SpencerDannerReproducesItsReference) {
  Benzene();
  FitWork w;
  ASSERT_EQ(LiqDensity_Spencer_Danner(w, 0.877834, 20.0), PhysStatus::Ok);
  EXPECT_NEAR(Phys.Phys_DenL[1], 0.877834, 1e-12);  // point 1 is the reference temperature
  EXPECT_LT(Phys.Phys_DenL[51], Phys.Phys_DenL[1]);
  // At Trref = 1 the Rackett exponent is 1: rho = M Pc/(82.05 Tc Zref^(1+(1-Tr)^(2/7))), Zref from rhoRef.
  ASSERT_EQ(LiqDensity_Spencer_Danner(w, 0.3, kBenzeneTc - 273.15), PhysStatus::Ok);
  const double Zref = kBenzenePcAtm * kBenzeneM / (82.05 * kBenzeneTc * 0.3);
  const double Tr1 = Phys.Phys_Temp_K[1] / kBenzeneTc;
  EXPECT_NEAR(Phys.Phys_DenL[1],
              kBenzeneM * kBenzenePcAtm / (82.05 * kBenzeneTc * std::pow(Zref, 1 + std::pow(1 - Tr1, 2.0 / 7))),
              1e-12);
  // A reference above Tc gives no density.
  EXPECT_EQ(LiqDensity_Spencer_Danner(w, 0.8, kBenzeneTc), PhysStatus::NotFinite);
}

TEST(LiquidHeatCapacity, RowlinsonBondiAgainstMeasuredLiquid) {
  // Benzene, six HCA groups of Rihani-Doraiswamy; 25 degC as point 1.
  Benzene(25, 225);
  Phys.Phys_Cp0[1] = 6 * -1.4572;
  Phys.Phys_Cp0[2] = 6 * 1.9147e-2;
  Phys.Phys_Cp0[3] = 6 * -0.1233e-4;
  Phys.Phys_Cp0[4] = 6 * 0.002985e-6;
  FitWork w;
  ASSERT_EQ(CpLiq_Rowlinson_Bondi(w), PhysStatus::Ok);
  EXPECT_NEAR(Cp0_At(298.15), 19.40721191232809, 1e-9);
  EXPECT_NEAR(Phys.Phys_CpL[1], 30.413557760569116, 1e-9);
  EXPECT_NEAR(Phys.Phys_CpL[1], 32.50, 0.07 * 32.50);  // measured 136.0 J/mol/K
  EXPECT_EQ(Phys.Phys_CpL_Min, Phys.Phys_CpL[1]);
}

TEST(LiquidProperties, FewerPointsBelowTcThanCoefficientsGiveNoFit) {
  // Three coefficients need three points below Tc; with two every fit stops
  // with a vanished pivot instead of a curve through nothing.
  for (int below : {0, 1, 2, 3}) {
    Benzene();
    for (int i = 1; i <= kPhysPoints; ++i)
      Phys.Phys_Temp_K[i] = i <= below ? kBenzeneTc - 40.0 + 10.0 * i : kBenzeneTc + i;
    FitWork w;
    const PhysStatus expected = below < 3 ? PhysStatus::PivotVanished : PhysStatus::Ok;
    EXPECT_EQ(CpLiq_Rowlinson_Bondi(w), expected) << below;
    EXPECT_EQ(w.Fit_NP, below);
    EXPECT_EQ(Heat_Of_Vaporization(w), expected) << below;
    EXPECT_EQ(LiqDensity_Gunn_Yamada(w), expected) << below;
  }
}
