#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

// The SRK / Peng-Robinson bubble point is one temperature of the liquid: the
// lowest root of ln sum x K that rises with T on a lighter incipient phase over
// a stable liquid. It must not depend on the start, on what the run remembers
// or on what ran before. References from tools/thermo/eos_bubble_check.py,
// which scans every root with its own solvers.
namespace {

struct Liquid {
  const char* label;
  int32_t eos;
  int nc;
  double tc[3], pc[3], w[3];
  double k12, k13, k23;
  double x[3];
  double pMPa;
  double tC;  // NaN: no bubble point at this pressure
};

const Liquid kLiquids[] = {
    // A falling root on a denser phase (193.97 C) below the bubble point; the
    // vapour exists only in a window of some 15 K about it.
    {"cumene hydroperoxide / 2,5-dimethylhexane PR", 1, 2, {605.0, 550.0}, {33.4, 24.9}, {0.995, 0.357}, 0.1882,
     0, 0, {0.44, 0.56}, 2.017, 257.481599},
    {"1-nitropropane / n-butyric acid SRK", 0, 2, {605.0, 624.0}, {43.5, 40.3}, {0.412773, 0.72}, 0.0855, 0, 0,
     {0.7257, 0.2743}, 3.838, 321.073358},
    // A rising root on a denser phase (-88.6926 C, a dew point) just below the
    // bubble point, where pure methane forms.
    {"methane / n-decane SRK", 0, 2, {190.56, 617.7}, {45.99, 21.1}, {0.011, 0.491}, 0.0411, 0, 0, {0.6, 0.4},
     4.0, -87.730175},
    {"methane / n-decane PR", 1, 2, {190.56, 617.7}, {45.99, 21.1}, {0.011, 0.491}, 0.0411, 0, 0, {0.6, 0.4}, 4.0,
     -86.028474},
    // Hydrogen in n-decane above n-decane's critical pressure: the gas only
    // redissolves on heating (ln sum x K falls through 0), no bubble point.
    {"hydrogen / n-decane SRK", 0, 2, {33.19, 617.7}, {13.13, 21.1}, {-0.215993, 0.491}, 0, 0, 0, {0.02, 0.98}, 3.0,
     NAN},
    // Generated (tools/thermo/eos_random_check.py), from starts that used to
    // end on another root or on none. The first has a denser branch, a second
    // liquid, on which ln sum x K stays above 0 about its bubble point (a
    // second liquid is not looked for).
    {"argon / n-decane / H2S SRK", 0, 3, {150.86, 617.7, 373.53}, {48.98, 21.1, 89.6291}, {-0.002, 0.491, 0.0941677},
     0.0385, -0.0552, 0.0747, {0.22995420684104118, 0.3566525555438578, 0.41339323761510116}, 3.9863966526195873,
     -77.222671},
    {"H2S / benzene / methane PR", 1, 3, {373.53, 562.05, 190.56}, {89.6291, 48.95, 45.99}, {0.0941677, 0.209, 0.011},
     0.0325, -0.0221, 0.073, {0.38726036975003664, 0.2904241063679207, 0.32231552388204265}, 3.8273079662003786,
     -82.107518},
};

void load(const Liquid& l, double x[]) {
  Reset_Case_Data();
  Case.NC = l.nc;
  const double k[3][3] = {{0, l.k12, l.k13}, {l.k12, 0, l.k23}, {l.k13, l.k23, 0}};
  for (int i = 1; i <= l.nc; ++i) {
    Case.Comp_Tc[i] = l.tc[i - 1], Case.Comp_Pc[i] = l.pc[i - 1], Case.Comp_Omega[i] = l.w[i - 1];
    x[i] = l.x[i - 1];
    for (int j = 1; j <= l.nc; ++j) Case.EOS_Kij[i][j] = k[i - 1][j - 1];
  }
}

// The ideal estimate a user would start from: sum x K = 1 with Wilson's K-values.
double wilsonBubbleC(double P, const double x[]) {
  double lo = 3.0, hi = 3000.0;
  for (int n = 0; n < 100; ++n) {
    const double T = 0.5 * (lo + hi);
    double sum = 0;
    for (int i = 1; i <= Case.NC; ++i)
      sum += x[i] * Case.Comp_Pc[i] / (10 * P) * std::exp(5.373 * (1 + Case.Comp_Omega[i]) * (1 - Case.Comp_Tc[i] / T));
    (sum < 1 ? lo : hi) = T;
  }
  return 0.5 * (lo + hi) - 273.15;
}

TEST(EosBubbleDefinitionTest, EveryStartEndsOnTheOneBubblePointOrOnNone) {
  for (const Liquid& l : kLiquids) {
    double x[kMaxComp + 1] = {};
    load(l, x);
    for (const bool inRun : {false, true}) {
      std::vector<double> starts = {-10.0, wilsonBubbleC(l.pMPa, x)};
      for (size_t n = 0; n < starts.size(); ++n) {
        const std::string where = std::string(l.label) + (inRun ? " in a run" : "") + " from " +
                                  std::to_string(starts[n]);
        CalcMessageRecorder recorder;
        std::optional<ThermoRunScope> run;
        if (inRun) run.emplace();
        ThermoOutcome out;
        const double t = T_Bubble_srk(l.eos, starts[n], l.pMPa, x, &out);
        if (std::isnan(l.tC)) {
          EXPECT_EQ(out.status, ThermoStatus::NoSolution) << where << " at " << t;
          EXPECT_EQ(t, starts[n]) << where;
          ASSERT_EQ(recorder.Messages().size(), 1u) << where;
          EXPECT_NE(recorder.Messages()[0].find("沸点がありません"), std::string::npos) << where;
          continue;
        }
        ASSERT_EQ(out.status, ThermoStatus::Converged) << where;
        EXPECT_NEAR(t, l.tC, 0.01) << where;
        EXPECT_TRUE(recorder.Messages().empty()) << where;
        // Called again from its own answer (in the run: with it remembered).
        if (n == 0) starts.push_back(t);
      }
    }
  }
}

// Ethane with nitrogen entered twice (PR, 2.38696 MPa). Liquid B lies 0.0005
// from liquid A: whatever A gave, B alone and B right after A (in one run and
// outside any) must end the same.
TEST(EosBubbleDefinitionTest, ANeighboursAnswerDoesNotDecideTheStatus) {
  Reset_Case_Data();
  Case.NC = 3;
  const double tc[] = {0, 305.32, 126.2, 126.2}, pc[] = {0, 48.72, 33.98, 33.98}, w[] = {0, 0.099, 0.037, 0.037};
  const double k[4][4] = {{0, 0, 0, 0}, {0, 0, -0.05, 0.1}, {0, -0.05, 0, -0.05}, {0, 0.1, -0.05, 0}};
  for (int i = 1; i <= 3; ++i) {
    Case.Comp_Tc[i] = tc[i], Case.Comp_Pc[i] = pc[i], Case.Comp_Omega[i] = w[i];
    for (int j = 1; j <= 3; ++j) Case.EOS_Kij[i][j] = k[i][j];
  }
  const double a[] = {0, 0.31596698899883273, 0.17237065129134456, 0.51166235970982277};
  const double b[] = {0, a[1] + 0.0005, a[2] - 0.0005, a[3]};
  const double P = 2.38696, startB = -155.927437;
  CalcMessageRecorder quiet;
  ThermoOutcome alone;
  const double tAlone = T_Bubble_srk(1, startB, P, b, &alone);
  EXPECT_EQ(alone.status, ThermoStatus::NoSolution);  // the checker finds no root of B there
  for (const bool inRun : {false, true}) {
    std::optional<ThermoRunScope> run;
    if (inRun) run.emplace();
    ThermoOutcome outA, outB;
    T_Bubble_srk(1, -156.0, P, a, &outA);
    const double tB = T_Bubble_srk(1, startB, P, b, &outB);
    EXPECT_EQ(outB.status, alone.status) << (inRun ? "in a run" : "outside a run") << " A " << int(outA.status);
    EXPECT_NEAR(tB, tAlone, 1e-8) << (inRun ? "in a run" : "outside a run");
  }
}

// Sweeps down a column: 12 stages from 90 % of the first component to 10 %,
// twice over in one run (the second from each answer plus 0.2 K, the stage
// before's K-values in place), against each liquid alone in a run of its own.
struct SweepMixture {
  const char* label;
  int nc;
  double tc[4], pc[4], w[4], x[4];
  double k12;
  double pMPa;
};
const SweepMixture kSweeps[] = {
    {"N2 / methane (light gases)", 2, {126.2, 190.56}, {33.98, 45.99}, {0.037, 0.011}, {0.2, 0.8}, 0.0289, 1.0},
    {"argon / methane (light gases)", 2, {150.86, 190.56}, {48.98, 45.99}, {-0.002, 0.011}, {0.3, 0.7}, 0.0152, 1.5},
    {"C1-C4 (natural-gas liquid)", 4, {190.56, 305.32, 369.83, 425.12}, {45.99, 48.72, 42.48, 37.96},
     {0.011, 0.099, 0.152, 0.199}, {0.05, 0.15, 0.4, 0.4}, -0.0059, 2.0},
    {"C3-C6 (natural-gas liquid)", 4, {369.83, 425.12, 469.7, 507.6}, {42.48, 37.96, 33.7, 30.25},
     {0.152, 0.199, 0.251, 0.297}, {0.25, 0.25, 0.25, 0.25}, 0.0033, 0.5},
    {"CO2 / propane k 0.1315", 2, {304.21, 369.83}, {73.83, 42.48}, {0.223621, 0.152}, {0.3, 0.7}, 0.1315, 2.0},
    {"CO2 / n-decane k 0.1141", 2, {304.21, 617.7}, {73.83, 21.1}, {0.223621, 0.491}, {0.5, 0.5}, 0.1141, 5.0},
    {"ethane / propane near critical", 2, {305.32, 369.83}, {48.72, 42.48}, {0.099, 0.152}, {0.5, 0.5}, 0.0011, 4.5},
    // Near a second-liquid split: methane / n-decane at 4 MPa has a denser
    // incipient phase just below its bubble points.
    {"methane / n-decane near a split", 2, {190.56, 617.7}, {45.99, 21.1}, {0.011, 0.491}, {0.6, 0.4}, 0.0411, 4.0},
};

TEST(EosBubbleDefinitionTest, ASweepInOneRunEndsWhereEachLiquidAloneEnds) {
  constexpr int kStages = 12;
  for (const SweepMixture& m : kSweeps) {
    for (int32_t eos : {0, 1}) {
      Reset_Case_Data();
      Case.NC = m.nc;
      for (int i = 1; i <= m.nc; ++i) {
        Case.Comp_Tc[i] = m.tc[i - 1], Case.Comp_Pc[i] = m.pc[i - 1], Case.Comp_Omega[i] = m.w[i - 1];
        for (int j = 1; j <= m.nc; ++j) Case.EOS_Kij[i][j] = 0;
      }
      Case.EOS_Kij[1][2] = Case.EOS_Kij[2][1] = m.k12;
      double xs[kStages][kMaxComp + 1] = {}, rest = 0;
      for (int i = 2; i <= m.nc; ++i) rest += m.x[i - 1];
      for (int s = 0; s < kStages; ++s) {
        const double light = 0.9 - 0.8 * s / (kStages - 1);
        xs[s][1] = light;
        for (int i = 2; i <= m.nc; ++i) xs[s][i] = (1 - light) * m.x[i - 1] / rest;
      }
      CalcMessageRecorder quiet;
      double t[kStages];
      ThermoStatus status[kStages];
      {
        const ThermoRunScope run;
        for (int pass = 0; pass < 2; ++pass)
          for (int s = 0; s < kStages; ++s) {
            ThermoOutcome out;
            t[s] = T_Bubble_srk(eos, pass == 0 ? (s == 0 ? 20.0 : t[s - 1]) : t[s] + 0.2, m.pMPa, xs[s], &out);
            if (out.status != ThermoStatus::Converged) t[s] = pass == 0 && s > 0 ? t[s - 1] : 20.0;
            status[s] = out.status;
          }
      }
      int converged = 0;
      for (int s = 0; s < kStages; ++s) {
        const std::string where = std::string(m.label) + (eos ? " PR" : " SRK") + " stage " + std::to_string(s);
        const ThermoRunScope alone;
        ThermoOutcome out;
        const double start = status[s] == ThermoStatus::Converged ? t[s] + 0.2 : t[s];
        const double tAlone = T_Bubble_srk(eos, start, m.pMPa, xs[s], &out);
        ASSERT_EQ(out.status, status[s]) << where;
        if (out.status != ThermoStatus::Converged) continue;
        ++converged;
        EXPECT_NEAR(tAlone, t[s], 1e-8) << where;
      }
      EXPECT_GE(converged, kStages / 2) << m.label << (eos ? " PR" : " SRK");
    }
  }
}

// A run's memory is its own: a run opened inside another starts with nothing,
// and the outer run's memory serves again once it closes.
TEST(EosBubbleDefinitionTest, ARunOpenedInsideAnotherStartsWithNothing) {
  const SweepMixture& m = kSweeps[2];
  Reset_Case_Data();
  Case.NC = m.nc;
  for (int i = 1; i <= m.nc; ++i) Case.Comp_Tc[i] = m.tc[i - 1], Case.Comp_Pc[i] = m.pc[i - 1], Case.Comp_Omega[i] = m.w[i - 1];
  double x[kMaxComp + 1] = {};
  for (int i = 1; i <= m.nc; ++i) x[i] = m.x[i - 1];
  ThermoOutcome fresh, outer, inner, again;
  const double tFresh = T_Bubble_srk(0, 20.0, m.pMPa, x, &fresh);
  const ThermoRunScope run;
  const double t0 = T_Bubble_srk(0, 20.0, m.pMPa, x, &outer);
  double tInner;
  {
    const ThermoRunScope nested;
    tInner = T_Bubble_srk(0, 20.0, m.pMPa, x, &inner);
  }
  const double tAgain = T_Bubble_srk(0, t0 + 0.2, m.pMPa, x, &again);
  // Bit for bit: a run that starts empty follows the path a call outside any takes.
  EXPECT_EQ(tInner, tFresh);
  EXPECT_EQ(inner.iterations, fresh.iterations);
  EXPECT_EQ(t0, tFresh);
  EXPECT_LT(again.iterations, fresh.iterations);  // the outer run's memory served
  EXPECT_NEAR(tAgain, tFresh, 1e-8);
}

}  // namespace
