#include <gtest/gtest.h>

#include <cmath>

#include "purecomp/estimation/VaporPressure.h"
#include "PhysTestSupport.h"

using namespace physprop;
using namespace phystest;

// Values from tools/physprop/reference_values.py unless stated otherwise.

TEST(VaporPressure, NormalBoilingPointIsOneAtmosphere) {
  // Riedel-Plank-Miller is built through (Tb, 1 atm): 760 mmHg, not 735.56.
  EXPECT_NEAR(Vapor_Press_Riedel_Plank_Miller(kBenzeneTb - 273.15, kBenzeneTb, kBenzeneTc, kBenzenePcAtm),
              760.0, 1e-9);
  // Lee-Kesler with the Lee-Kesler acentric factor (0.20829060260725) also passes through it.
  EXPECT_NEAR(Vapor_Press_Lee_Kesler(kBenzeneTb - 273.15, kBenzeneTc, kBenzenePcAtm, 0.20829060260725132),
              760.0, 1e-7);
}

TEST(VaporPressure, CriticalPointAndAcentricDefinition) {
  const double t = kBenzeneTc - 273.15;
  const double Pc = 760.0 * kBenzenePcAtm;
  EXPECT_NEAR(Vapor_Press_Riedel_Plank_Miller(t, kBenzeneTb, kBenzeneTc, kBenzenePcAtm), Pc, 1e-9 * Pc);
  EXPECT_NEAR(Vapor_Press_Pitzer(t, kBenzeneTc, kBenzenePcAtm, 0.3), Pc, 1e-9 * Pc);
  EXPECT_NEAR(Vapor_Press_Lee_Kesler(t, kBenzeneTc, kBenzenePcAtm, 0.3), Pc, 1e-4 * Pc);
  // At Tr = 0.7 the Pitzer form gives log10 Pr = -1.2080844 (about -1 - omega).
  const double P07 = Vapor_Press_Pitzer(0.7 * kBenzeneTc - 273.15, kBenzeneTc, kBenzenePcAtm, kBenzeneOmega);
  EXPECT_NEAR(std::log10(P07 / Pc), -1.2080844183768036, 1e-9);
}

TEST(VaporPressure, AntoineFitMatchesIndependentLeastSquares) {
  // numpy lstsq on log10 P = k0 + k1 t + k2 t log10 P over the same 51 points.
  struct Case { int method; double A, B, C; };
  const Case cases[] = {{kRiedelPlankMiller, 7.160274305, 1393.641795, 245.1770693},
                        {kPitzer, 7.088264206, 1329.909935, 235.870339},
                        {kLeeKesler, 7.080723743, 1322.537321, 234.5273422}};
  for (const Case& c : cases) {
    Benzene();
    ASSERT_EQ(Vapor_Press_Antoine_Fit(c.method), PhysStatus::Ok);
    EXPECT_NEAR(Phys.Phys_Antoine_A, c.A, 1e-7) << c.method;
    EXPECT_NEAR(Phys.Phys_Antoine_B, c.B, 1e-5) << c.method;
    EXPECT_NEAR(Phys.Phys_Antoine_C, c.C, 1e-5) << c.method;
  }
  // The points themselves: RPM at 20 and 280 degC.
  Benzene();
  Vapor_Press_Antoine_Fit(kRiedelPlankMiller);
  EXPECT_NEAR(Phys.Phys_Pvap[1], 78.30168602, 1e-6);
  EXPECT_NEAR(Phys.Phys_Pvap[51], 32828.61056418, 1e-5);
}

TEST(VaporPressure, DescendingRangeFitsTheSamePoints) {
  Benzene(20, 280);
  Vapor_Press_Antoine_Fit(kLeeKesler);
  const double A = Phys.Phys_Antoine_A, B = Phys.Phys_Antoine_B, C = Phys.Phys_Antoine_C;
  Benzene(280, 20);
  ASSERT_EQ(Vapor_Press_Antoine_Fit(kLeeKesler), PhysStatus::Ok);
  EXPECT_NEAR(Phys.Phys_Antoine_A, A, 1e-9);
  EXPECT_NEAR(Phys.Phys_Antoine_B, B, 1e-6);
  EXPECT_NEAR(Phys.Phys_Antoine_C, C, 1e-6);
}

TEST(VaporPressure, UnusableInputsAreNotFiniteAndKeepTheConstants) {
  Benzene();
  Phys.Phys_Antoine_A = 1;
  Phys.Phys_Antoine_B = 2;
  Phys.Phys_Antoine_C = 3;
  Phys.Phys_Tc = 0;  // no critical temperature: no point lies below it
  EXPECT_EQ(Vapor_Press_Antoine_Fit(kPitzer), PhysStatus::NoPointBelowTc);
  Benzene();
  Phys.Phys_Pc = 0;
  EXPECT_EQ(Vapor_Press_Antoine_Fit(kRiedelPlankMiller), PhysStatus::NotFinite);
  Benzene(100, 100);  // all 51 temperatures equal: zero determinant
  Phys.Phys_Antoine_A = 1;
  EXPECT_EQ(Vapor_Press_Antoine_Fit(kLeeKesler), PhysStatus::NotFinite);
  EXPECT_EQ(Phys.Phys_Antoine_A, 1);
  EXPECT_EQ(Det_3x3(1, 2, 3, 4, 5, 6, 7, 8, 10), -3);
}

// A range reaching past Tc: only the points below it have a vapour pressure,
// none above Pc is listed, and the fit goes through those points alone.
TEST(VaporPressure, OnlyPointsBelowTcAreComputedAndFitted) {
  const double tcC = kBenzeneTc - 273.15;
  for (int method : {kRiedelPlankMiller, kPitzer, kLeeKesler}) {
    SCOPED_TRACE(method);
    // 200..400 degC straight through Tc (288.9 degC).
    Benzene();
    for (int i = 1; i <= kPhysPoints; ++i) {  // as a caller that did not cut the range would leave them
      Phys.Phys_Temp_C[i] = 200 + (i - 1) * 4.0;
      Phys.Phys_Temp_K[i] = Phys.Phys_Temp_C[i] + 273.15;
    }
    ASSERT_EQ(Vapor_Press_Antoine_Fit(method), PhysStatus::Ok);
    int below = 0;
    for (int i = 1; i <= kPhysPoints; ++i) {
      if (Phys.Phys_Temp_C[i] < tcC) {
        ++below;
        EXPECT_GT(Phys.Phys_Pvap[i], 0);
        EXPECT_LE(Phys.Phys_Pvap[i], 760.0 * kBenzenePcAtm);
      } else {
        EXPECT_EQ(Phys.Phys_Pvap[i], 0) << "no pressure at " << Phys.Phys_Temp_C[i];
      }
    }
    EXPECT_EQ(below, Points_Below_Tc());
    EXPECT_EQ(below, 23);
    // The fitted equation passes near the points it was fitted to.
    for (int i = 1; i <= below; ++i) {
      const double t = Phys.Phys_Temp_C[i];
      const double P = std::pow(10.0, Phys.Phys_Antoine_A - Phys.Phys_Antoine_B / (t + Phys.Phys_Antoine_C));
      EXPECT_NEAR(P, Phys.Phys_Pvap[i], 0.01 * Phys.Phys_Pvap[i]);
    }
  }
  // n-hexane asked for 300..400 degC (Tc 234.5 degC): the high end is cut to Tc and
  // the falling range 300 -> 234.5 has no point below Tc: nothing is computed.
  physprop::Reset_Phys_Data();
  Phys.Phys_Tc = 507.65;
  Phys.Phys_Pc = 29.85;
  Phys.Phys_Tb_K = 341.88;
  Phys.Phys_Omega = 0.3;
  Phys.Phys_Pvap[3] = 123;
  Phys.Phys_Antoine_A = 7;
  Estimation_Range(300, 400);
  EXPECT_EQ(Points_Below_Tc(), 0);
  EXPECT_EQ(Vapor_Press_Antoine_Fit(kRiedelPlankMiller), PhysStatus::NoPointBelowTc);
  EXPECT_EQ(Phys.Phys_Pvap[3], 123);
  EXPECT_EQ(Phys.Phys_Antoine_A, 7);
  // Two points below Tc are too few for three constants.
  Estimation_Range(234.0, 234.5);
  Phys.Phys_Temp_K[3] = Phys.Phys_Temp_K[1];
  for (int i = 1; i <= kPhysPoints; ++i) Phys.Phys_Temp_K[i] = i <= 2 ? 500 + i : 600;
  EXPECT_EQ(Vapor_Press_Antoine_Fit(kLeeKesler), PhysStatus::TooFewPointsBelowTc);
  EXPECT_EQ(Phys.Phys_Antoine_A, 7);
}
