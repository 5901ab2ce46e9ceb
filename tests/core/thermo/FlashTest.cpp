#include <gtest/gtest.h>

#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "core/thermo/ThermoFixtures.h"

namespace {

using namespace thermo_test;

// Rachford-Rice by bisection with the K-values left in K_Value (a second method).
double rachfordRiceByBisection(const double z[]) {
  double lo = 0, hi = 1;
  for (int k = 0; k < 200; ++k) {
    const double v = 0.5 * (lo + hi);
    double f = 0;
    for (int i = 1; i <= Case.NC; ++i) f += (Case.K_Value[i] - 1) * z[i] / (1 + v * (Case.K_Value[i] - 1));
    (f > 0 ? lo : hi) = v;
  }
  return 0.5 * (lo + hi);
}

// K_Value must be Gamma(x) Psat / P of the liquid x it is returned with.
void expectKOfTheLiquid(const double x[], double t, double P) {
  double kLeft[kMaxComp + 1];
  for (int i = 1; i <= Case.NC; ++i) kLeft[i] = Case.K_Value[i];
  ActivityCoeff_Select(x);
  for (int i = 1; i <= Case.NC; ++i) {
    const double K = Case.Gamma[i] * Antoine_Psat(i, t) / (P * kMmHgPerMPa);
    EXPECT_NEAR(kLeft[i], K, 1e-8 * K) << i;
  }
}

// Values from tools/thermo/check_flash_examples.py (fsolve on balance and equilibrium).
TEST(FlashTest, Example1TwoPhaseFlashIsInEquilibrium) {
  LoadExample1();
  const double t = 90.652053, P = kExample1PressureMPa, *z = Case.Flash_Z;
  double vf = -1, y[5], x[5];
  ThermoOutcome out;
  ITFlash(t, P, vf, z, &out);
  EXPECT_EQ(out.status, ThermoStatus::Converged);
  EXPECT_NEAR(vf, 0.2794880538, 1e-6);
  Flash_XY(t, P, vf, z, y, x);
  const double xRef[] = {0, 0.0539242001, 0.0083341138, 0.92387031, 0.0138713761};
  const double yRef[] = {0, 0.2903414602, 0.0142946055, 0.659564523, 0.0357994114};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_NEAR(x[i], xRef[i], 1e-6) << i;
    EXPECT_NEAR(y[i], yRef[i], 1e-6) << i;
    EXPECT_NEAR(y[i], Case.K_Value[i] * x[i], 1e-8) << i;
    EXPECT_NEAR((1 - vf) * x[i] + vf * y[i], z[i], 1e-8) << i;
  }
  expectKOfTheLiquid(x, t, P);
}

// Values from tools/thermo/check_flash_examples.py. Substituting the liquid
// straight back into Gamma oscillates here: the flash ended at V/F = 1e-6 with
// "ITFlash No-Convergence".
TEST(FlashTest, NegativeDeviationsConvergeTheLiquid) {
  LoadNegativeDeviationBinary();
  const double t = 105.6, P = SameMmHg(0.05), *z = Case.Flash_Z;
  double vf = 0, y[3], x[3];
  CalcMessageRecorder recorder;
  ThermoOutcome out;
  ITFlash(t, P, vf, z, &out);
  EXPECT_EQ(out.status, ThermoStatus::Converged);
  EXPECT_TRUE(recorder.Messages().empty());
  EXPECT_NEAR(vf, 0.2430532839, 1e-7);
  Flash_XY(t, P, vf, z, y, x);
  EXPECT_NEAR(x[1], 0.46731457, 1e-7);
  EXPECT_NEAR(y[1], 0.6017930246, 1e-7);
  expectKOfTheLiquid(x, t, P);
}

TEST(FlashTest, PhaseTestsAtTheBubbleAndDewPoints) {
  LoadExample1();
  const double P = kExample1PressureMPa, *z = Case.Flash_Z;
  const double tb = T_Bubble_Mix(80.0, P, z), td = T_Dew_Mix(80.0, P, z);
  double vf = 0.5, y[5], x[5];
  ThermoOutcome out;
  ITFlash(tb - 0.01, P, vf, z, &out);
  EXPECT_EQ(vf, 0.0);
  EXPECT_EQ(out.iterations, 0);
  ITFlash(td + 0.01, P, vf, z, &out);
  EXPECT_EQ(vf, 1.0);
  EXPECT_EQ(out.iterations, 0);
  Flash_XY(0, 0, vf, z, y, x);  // the dew liquid
  expectKOfTheLiquid(x, td + 0.01, P);
  for (double t : {tb + 0.01, td - 0.01}) {
    ITFlash(t, P, vf, z, &out);
    EXPECT_EQ(out.status, ThermoStatus::Converged) << t;
    EXPECT_TRUE(vf > 0.0 && vf < 1.0) << vf;
  }
  // A feed in kilomoles flashes like its fractions (ideal K: bisection agrees).
  Case.K_Method = 1;
  const double kmol[] = {0, 12, 1, 85, 2};
  double vfKmol = 0;
  ITFlash(95.0, P, vf, z, nullptr);
  ITFlash(95.0, P, vfKmol, kmol, nullptr);
  EXPECT_DOUBLE_EQ(vfKmol, vf);
  EXPECT_NEAR(vf, rachfordRiceByBisection(z), 1e-6);
}

TEST(FlashTest, OvershootsAreHeldInsideTheRange) {
  // Antoine with B = 0 at P_mm = 1 mmHg gives K = 10^A. K = 10 and 0.1, z =
  // 0.9, 0.1: the root is V/F = 89/90 and the first Newton step from 0.8 lands
  // at 1.11, past which the Rachford-Rice function has a second, meaningless
  // root. K = 100 and 0.5, z = 0.05, 0.95: the root is 179/1980 and the first
  // step lands at -0.19, from where Newton runs off to minus infinity.
  struct Split {
    double a1, a2, z1, root;
  };
  for (const Split& c : {Split{1.0, -1.0, 0.9, 89.0 / 90.0}, Split{2.0, std::log10(0.5), 0.05, 179.0 / 1980.0}}) {
    Reset_Case_Data();
    Case.NC = 2;
    Case.K_Method = 1;
    Case.Antoine_A[1] = c.a1, Case.Antoine_A[2] = c.a2;
    Case.Antoine_C[1] = Case.Antoine_C[2] = 200;
    const double z[] = {0, c.z1, 1 - c.z1};
    double vf = 0;
    ThermoOutcome out;
    ITFlash(25.0, 1.0 / kMmHgPerMPa, vf, z, &out);
    EXPECT_EQ(out.status, ThermoStatus::Converged) << c.z1;
    EXPECT_NEAR(vf, c.root, 1e-7) << c.z1;
  }
}

TEST(FlashTest, RefusalsEmptyFeedAndTheSplitsOfFlashXY) {
  LoadExample1();
  CalcMessageRecorder recorder;
  double vf = 0.5;
  const double empty[] = {0, 0, 0, 0, 0};
  Case.K_Value[1] = 7.0;
  ITFlash(90.0, kExample1PressureMPa, vf, empty, nullptr);
  EXPECT_EQ(vf, 0.5);
  EXPECT_EQ(Case.K_Value[1], 7.0);
  Case.K_Method = 4;
  ITFlash(90.0, kExample1PressureMPa, vf, Case.Flash_Z, nullptr);
  EXPECT_EQ(vf, 0.0);
  EXPECT_EQ(Case.K_Value[1], 1.0);
  Case.NC = 2;
  Case.K_Value[1] = 3.0, Case.K_Value[2] = 0.5;
  const double z[] = {0, 2.0, 2.0};
  double y[3] = {0, -1, -1}, x[3] = {0, -1, -1};
  Flash_XY(0, 0, 1.5, z, y, x);
  EXPECT_EQ(y[1] + x[2], -2.0);  // untouched
  Flash_XY(0, 0, 0.0, z, y, x);  // bubble vapour, the feed as given
  EXPECT_DOUBLE_EQ(y[1], 6.0 / 7.0);
  EXPECT_DOUBLE_EQ(x[1], 2.0);
  Flash_XY(0, 0, 1.0, z, y, x);  // dew liquid
  EXPECT_DOUBLE_EQ(x[1], (2.0 / 3.0) / (2.0 / 3.0 + 4.0));
  ASSERT_EQ(recorder.Messages().size(), 2u);
  EXPECT_EQ(recorder.Messages()[0], "S-R-K / P-Rの式は未だありません");
  EXPECT_EQ(recorder.Messages()[1], "V/Fが<0 or >1です");
}

}  // namespace
