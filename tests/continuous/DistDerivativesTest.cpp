// The exact derivatives behind the column's Newton corrections: activity
// coefficients, vapour pressures and mixture enthalpies against central
// differences of the library's own value routines, and the whole stage
// Jacobian against differences of the stage residuals.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "ColumnFixture.h"
#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "continuous/DistNewton.h"
#include "continuous/DistSolver.h"
#include "core/thermo/Thermo.h"

namespace {

class DistDerivatives : public ColumnFixture {
 protected:
  // Four components with unlike interactions (Example-1's set).
  void FourComponents(int kMethod) {
    Dist_Example1_set();
    Case.K_Method = kMethod;
    Case.NRTL_Alpha = 0.3;
    const double tau[4][4] = {{0, 0.4, 1.9, -0.3}, {-0.2, 0, 1.2, 0.1}, {0.6, 0.9, 0, 2.4}, {0.2, -0.1, 0.8, 0}};
    for (int i = 1; i <= 4; ++i)
      for (int j = 1; j <= 4; ++j) Case.NRTL_Tau[i][j] = tau[i - 1][j - 1];
  }
};

// ln Gamma from the library at x.
std::vector<double> LnGamma(const double x[]) {
  ActivityCoeff_Select(x);
  std::vector<double> g(Case.NC);
  for (int i = 1; i <= Case.NC; ++i) g[i - 1] = std::log(Case.Gamma[i]);
  return g;
}

TEST_F(DistDerivatives, ActivityCoefficientsMatchDifferences) {
  for (int kMethod : {2, 3}) {
    SCOPED_TRACE(kMethod == 2 ? "Wilson" : "NRTL");
    FourComponents(kMethod);
    const int nc = Case.NC;
    // An unnormalised composition: the derivative takes every x(m) as independent.
    double x[kMaxComp + 1] = {0, 0.31, 0.07, 0.52, 0.13};
    double d[kMaxComp * kMaxComp];
    ASSERT_TRUE(ActivityCoeff_LnGamma_Jacobian(x, d));
    const std::vector<double> at = LnGamma(x);
    for (int i = 1; i <= nc; ++i) EXPECT_NEAR(std::log(Case.Gamma[i]), at[i - 1], 1e-15);
    for (int m = 1; m <= nc; ++m) {
      const double h = 1e-6;
      double xp[kMaxComp + 1], xm[kMaxComp + 1];
      std::copy(x, x + kMaxComp + 1, xp);
      std::copy(x, x + kMaxComp + 1, xm);
      xp[m] += h;
      xm[m] -= h;
      const std::vector<double> gp = LnGamma(xp), gm = LnGamma(xm);
      for (int i = 1; i <= nc; ++i)
        EXPECT_NEAR(d[(i - 1) * nc + m - 1], (gp[i - 1] - gm[i - 1]) / (2 * h), 1e-7) << i << ", " << m;
    }
  }
  // An ideal liquid has no composition derivative.
  FourComponents(1);
  double x[kMaxComp + 1] = {0, 0.25, 0.25, 0.25, 0.25}, d[kMaxComp * kMaxComp];
  EXPECT_FALSE(ActivityCoeff_LnGamma_Jacobian(x, d));
  for (int k = 0; k < 16; ++k) EXPECT_EQ(d[k], 0.0);
}

TEST_F(DistDerivatives, VapourPressureAndEnthalpiesMatchDifferences) {
  FourComponents(2);
  const double t = 83.7, h = 1e-5;
  for (int i = 1; i <= Case.NC; ++i)
    EXPECT_NEAR(Antoine_dLnPsat_dT(i, t),
                (std::log(Antoine_Psat(i, t + h)) - std::log(Antoine_Psat(i, t - h))) / (2 * h), 1e-8);
  // Heats in kcal: the derivatives carry the unit factor as the values do.
  double y[kMaxComp + 1] = {0, 0.4, 0.1, 0.3, 0.35};  // sums to 1.15: not normalised
  for (bool vapour : {true, false}) {
    SCOPED_TRACE(vapour ? "vapour" : "liquid");
    auto value = [&](double tt, const double* c) { return vapour ? Enthalpy_Vap(tt, 0.1, c) : Enthalpy_Liq(tt, 0.1, c); };
    double dT = 0, dc[kMaxComp + 1];
    const double v = vapour ? Enthalpy_Vap_Deriv(t, y, dT, dc) : Enthalpy_Liq_Deriv(t, y, dT, dc);
    EXPECT_DOUBLE_EQ(v, value(t, y));
    EXPECT_NEAR(dT, (value(t + h, y) - value(t - h, y)) / (2 * h), 1e-6 * std::fabs(dT));
    for (int m = 1; m <= Case.NC; ++m) {
      double p[kMaxComp + 1], q[kMaxComp + 1];
      std::copy(y, y + kMaxComp + 1, p);
      std::copy(y, y + kMaxComp + 1, q);
      p[m] += 1e-6;
      q[m] -= 1e-6;
      EXPECT_NEAR(dc[m], (value(t, p) - value(t, q)) / 2e-6, 1e-6 * std::fabs(v)) << m;
    }
  }
  // Without the polynomial model there are no enthalpies and no derivatives.
  Case.H_Method = 0;
  double dT = 1, dc[kMaxComp + 1];
  EXPECT_EQ(Enthalpy_Vap_Deriv(t, y, dT, dc), 0.0);
  EXPECT_EQ(dT, 0.0);
}

// The stage Jacobian of a column part-way to its solution against central
// differences of the residuals, every entry of the three block diagonals.
void ExpectJacobianMatchesDifferences(bool heat) {
  DistStageInputs in;
  const CaseData& c = Case;
  for (int f = 1; f <= c.N_Feed; ++f) {
    const int j = c.Feed_Stage[f];
    in.feed[j] += c.Feed_Flow[f];
    in.feedHeat[j] += c.Feed_H[f] * c.Feed_Flow[f];
    for (int i = 1; i <= c.NC; ++i) in.zF[i][j] += c.Feed_Z[i][f] * c.Feed_Flow[f];
  }
  DistStageNewton newton(in, heat);
  std::vector<double> r0, jac;
  newton.ExactJacobian(r0, jac);
  const int n = c.NC + 3, size = c.NT * n;
  std::vector<double> u(size);
  for (int j = 1; j <= c.NT; ++j) {
    u[(j - 1) * n] = c.Tray_T[j];
    for (int i = 1; i <= c.NC; ++i) u[(j - 1) * n + i] = std::log(c.Tray_X[i][j]);
    u[(j - 1) * n + c.NC + 1] = c.Tray_V[j];
    u[(j - 1) * n + c.NC + 2] = c.Tray_L[j];
  }
  std::vector<double> rp, rm;
  int checked = 0;
  for (int col = 0; col < size; ++col) {
    const double h = 1e-6 * std::max(1.0, std::fabs(u[col]));
    std::vector<double> up(u), um(u);
    up[col] += h;
    um[col] -= h;
    newton.ResidualsAt(up, rp);
    newton.ResidualsAt(um, rm);
    for (int row = 0; row < size; ++row) {
      const double fd = (rp[row] - rm[row]) / (2 * h);
      const double exact = jac[static_cast<std::size_t>(row) * size + col];
      ASSERT_NEAR(exact, fd, 1e-6 * std::max(1.0, std::fabs(fd))) << "row " << row << " column " << col;
      checked += exact != 0;
    }
  }
  EXPECT_GT(checked, size * 3);
}

TEST_F(DistDerivatives, StageJacobianMatchesDifferences) {
  struct Kind {
    const char* name;
    int kMethod;
    bool heat;
    bool condenser;
  } kinds[] = {{"Wilson with heat balance", 2, true, true},
               {"NRTL material balance", 3, false, true},
               {"ideal, no condenser, heat balance", 1, true, false}};
  for (const Kind& k : kinds) {
    SCOPED_TRACE(k.name);
    FourComponents(k.kMethod);
    Case.NT = 6;
    Case.Feed_Stage[1] = 3;
    Case.Tray_Press[6] = Case.P_Bottom;
    if (!k.condenser) {
      Case.Reflux_Ratio = Case.Top_Liq_Prod = 0;
      Case.Top_Vap_Prod = 83;
      Case.Feed_VF[1] = 0;
    }
    Dist_Material_Balance();
    Initial_Composition_set();
    Initial_Profile_set();
    Case.Max_Iter[1] = 2;  // a few sweeps: a profile off its solution
    Case.Max_Iter[2] = 1;
    Case.Conv_Crit[1] = Case.Conv_Crit[2] = 1e-15;
    DistSolver s(false);
    ASSERT_TRUE(s.Start());
    for (int n = 0; n < 3; ++n) s.Step();
    Feed_Enthalpy_set();
    // Unlike compositions on each stage, so no derivative vanishes by symmetry.
    for (int j = 1; j <= Case.NT; ++j)
      for (int i = 1; i <= Case.NC; ++i) Case.Tray_X[i][j] *= 1 + 0.05 * ((i + j) % 3);
    ExpectJacobianMatchesDifferences(k.heat);
  }
}

// A chord step goes on from the state the correction before it stored, and
// from its evaluation there, only while the stage arrays still hold that state:
// arrays changed in between (sweeps between corrections) are taken as they stand.
TEST_F(DistDerivatives, ChordStepStartsFromTheStageArraysAsTheyStand) {
  FourComponents(2);
  Dist_Material_Balance();
  Initial_Composition_set();
  Initial_Profile_set();
  {
    DistSolver s(false);
    ASSERT_EQ(s.Run().status, DistRunStatus::Converged);
  }
  // Near the solution, where a full correction keeps its factorisation.
  for (int j = 1; j <= Case.NT; ++j) Case.Tray_T[j] += 0.02 * (j % 3);
  DistStageInputs in;
  for (int f = 1; f <= Case.N_Feed; ++f) {
    const int j = Case.Feed_Stage[f];
    in.feed[j] += Case.Feed_Flow[f];
    in.feedHeat[j] += Case.Feed_H[f] * Case.Feed_Flow[f];
    for (int i = 1; i <= Case.NC; ++i) in.zF[i][j] += Case.Feed_Z[i][f] * Case.Feed_Flow[f];
  }
  const auto start = std::make_unique<CaseData>(Case);
  // The same two corrections, once straight on and once with stage 3 moved by
  // half a kelvin between them.
  DistNewtonStep straight[2], moved[2];
  for (int run = 0; run < 2; ++run) {
    Case = *start;
    DistStageNewton newton(in, true);
    DistNewtonStep* steps = run == 0 ? straight : moved;
    steps[0] = newton.Step();
    ASSERT_TRUE(steps[0].taken);
    ASSERT_EQ(steps[0].fraction, 1.0);  // the factorisation is kept for a chord step
    if (run == 1) Case.Tray_T[3] += 0.5;
    steps[1] = newton.Step();
  }
  EXPECT_EQ(straight[0].after, moved[0].after);
  EXPECT_EQ(straight[1].before, straight[0].after);  // the stored state and its evaluation
  EXPECT_GT(moved[1].before, 10 * straight[1].before);  // the moved stage, not the stored state
}

}  // namespace
