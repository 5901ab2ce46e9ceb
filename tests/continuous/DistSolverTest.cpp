// The column solver: its step limits and damping schedule, the run's statuses,
// and converged columns checked against the stage equations themselves and
// against an independent simultaneous solve.
#include <gtest/gtest.h>

#include <cmath>

#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "continuous/DistSolver.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"
#include "ColumnFixture.h"

namespace {

// Example-1 laid out as the Initial start does. The default criterion sits just
// above the floor that the bubble point's own tolerance (sum K x within 1e-6) sets.
void Example1(double crit = 1.5e-8) {
  Dist_Example1_set();
  Case.Conv_Crit[1] = Case.Conv_Crit[2] = crit;
  Case.Max_Iter[1] = Case.Max_Iter[2] = 300;
  Initial_Composition_set();
  Initial_Profile_set();
}

std::vector<DistIterationReport> RunAll(DistSolver& s) {
  std::vector<DistIterationReport> reports;
  s.Run([&](const DistIterationReport& r) { reports.push_back(r); });
  return reports;
}

// Flows of component i (or enthalpy) drawn from stage j besides Tray_L and Tray_V.
struct Draws {
  double feed[kMaxComp + 1]{}, feedFlow = 0, feedHeat = 0, liq = 0, vap = 0;
  explicit Draws(int j) {
    const CaseData& c = Case;
    for (int f = 1; f <= c.N_Feed; ++f)
      if (c.Feed_Stage[f] == j) {
        for (int i = 1; i <= c.NC; ++i) feed[i] += c.Feed_Flow[f] * c.Feed_Z[i][f];
        feedFlow += c.Feed_Flow[f];
        feedHeat += c.Feed_Flow[f] * c.Feed_H[f];
      }
    for (int k = 1; k <= c.N_LiqSC; ++k) liq += c.LiqSC_Stage[k] == j ? c.LiqSC_Flow[k] : 0;
    for (int k = 1; k <= c.N_VapSC; ++k) vap += c.VapSC_Stage[k] == j ? c.VapSC_Flow[k] : 0;
    if (j == 1) liq += c.Top_Liq_Prod;
  }
};

// Every equation a converged column must satisfy, evaluated here from the
// profiles alone: component balances of each stage and of the whole column,
// y = K x with K of a fresh bubble point, and (with enthalpies) the enthalpy
// balances of every stage that has no duty.
void ExpectColumnSatisfiesItsEquations() {
  CaseData& c = Case;
  const int nt = c.NT;
  double hv[kMaxTray + 1], hl[kMaxTray + 1];
  for (int j = 1; j <= nt; ++j) {
    const Draws d(j);
    double x[kMaxComp + 1]{}, y[kMaxComp + 1]{};
    for (int i = 1; i <= c.NC; ++i) {
      x[i] = c.Tray_X[i][j];
      y[i] = c.Tray_Y[i][j];
      const double in = d.feed[i] + (j > 1 ? c.Tray_L[j - 1] * c.Tray_X[i][j - 1] : 0) +
                        (j < nt ? c.Tray_V[j + 1] * c.Tray_Y[i][j + 1] : 0);
      const double out = (c.Tray_L[j] + d.liq) * x[i] + (c.Tray_V[j] + d.vap) * y[i];
      EXPECT_NEAR((in - out) / (c.Tray_L[j] + c.Tray_V[j] + d.liq + d.vap), 0, 1e-6)
          << "stage " << j << " component " << i;
    }
    const bool dewTop = j == 1 && !(c.Reflux_Ratio > 0);
    const double t = dewTop ? T_Dew_Mix(c.Tray_T[j], c.Tray_P[j], y) : T_Bubble_Mix(c.Tray_T[j], c.Tray_P[j], x);
    EXPECT_NEAR(t, c.Tray_T[j], 1e-4) << "stage " << j;
    for (int i = 1; i <= c.NC && !dewTop; ++i)
      EXPECT_NEAR(y[i], c.K_Value[i] * x[i], 1e-5 * y[i] + 1e-12) << "stage " << j << " component " << i;
    hv[j] = Enthalpy_Vap(c.Tray_T[j], c.Tray_P[j], y);
    hl[j] = Enthalpy_Liq(c.Tray_T[j], c.Tray_P[j], x);
  }
  for (int i = 1; i <= c.NC; ++i) {
    double in = 0, out = c.Top_Liq_Prod * c.Tray_X[i][1] + c.Top_Vap_Prod * c.Tray_Y[i][1] + c.Bottom_Flow * c.Tray_X[i][nt];
    for (int f = 1; f <= c.N_Feed; ++f) in += c.Feed_Flow[f] * c.Feed_Z[i][f];
    for (int k = 1; k <= c.N_LiqSC; ++k) out += c.LiqSC_Flow[k] * c.Tray_X[i][c.LiqSC_Stage[k]];
    for (int k = 1; k <= c.N_VapSC; ++k) out += c.VapSC_Flow[k] * c.Tray_Y[i][c.VapSC_Stage[k]];
    EXPECT_NEAR(out / in, 1.0, 1e-6) << "overall balance of component " << i;
  }
  if (c.H_Method != 1) return;
  for (int j = c.Reflux_Ratio > 0 ? 2 : 1; j <= nt - 1; ++j) {
    const Draws d(j);
    const double in = (j > 1 ? c.Tray_L[j - 1] * hl[j - 1] : 0) + c.Tray_V[j + 1] * hv[j + 1] + d.feedHeat;
    const double out = (c.Tray_L[j] + d.liq) * hl[j] + (c.Tray_V[j] + d.vap) * hv[j];
    EXPECT_NEAR((in - out) / std::fabs(c.Tray_V[j + 1] * hv[j + 1]), 0, 1e-6) << "enthalpy balance of stage " << j;
  }
}

TEST(DistStepLimit, CutsLargeStepsAndNeverLeavesZero) {
  EXPECT_DOUBLE_EQ(Dist_Limit_Step(0.1, 0.5, 1.0), 0.18);   // up by at most 80 %
  EXPECT_DOUBLE_EQ(Dist_Limit_Step(0.1, 0.01, 1.0), 0.02);  // down by at most 80 %
  EXPECT_DOUBLE_EQ(Dist_Limit_Step(0.1, 0.15, 1.0), 0.15);
  // The damping factor scales only the size test; an accepted step is taken whole.
  EXPECT_DOUBLE_EQ(Dist_Limit_Step(0.1, 0.25, 0.5), 0.25);
  EXPECT_DOUBLE_EQ(Dist_Limit_Step(0.1, -0.05, 0.1), 0.1 * std::exp(-1.5));  // through zero
  // A component absent from every feed: 1e-10, then a fifth per iteration.
  EXPECT_EQ(Dist_Limit_Step(0.0, 0.0, 1.0), 1e-10);
  EXPECT_DOUBLE_EQ(Dist_Limit_Step(1e-10, 0.0, 1.0), 2e-11);
}

TEST(DistDampingSchedule, FollowsTheErrorAndStopsFallingAtAHalf) {
  DistDamping d{0.9, 0.02};
  EXPECT_FALSE(d.Update(3, 0.015, 1e-5));
  EXPECT_DOUBLE_EQ(d.f, 0.95);
  d = DistDamping{0.9, 0.02};
  EXPECT_FALSE(d.Update(3, 0.025, 1e-5));
  EXPECT_DOUBLE_EQ(d.f, 0.8);
  // Rising errors from f = 1: the first iteration changes nothing, the fifth step
  // leaves just above 0.5, the sixth just above 0.4, and none goes lower.
  DistDamping r;
  double e = 1.0;
  for (int n = 0; n <= 8; ++n) r.Update(n, e *= 2, 1e-9);
  EXPECT_GT(r.f, 0.4);
  EXPECT_LT(r.f, 0.4 + 1e-12);
  // A change of at most previous error x criterion converges however large the error.
  DistDamping big{1.0, 100};
  EXPECT_TRUE(big.Update(5, 100.4, 5e-3));
}

class DistSolverTest : public ColumnFixture {};

TEST_F(DistSolverTest, ExampleOneMatchesTheSimultaneousSolve) {
  Example1();
  Case.Data_File = PathOf("mine.dat");
  DistSolver s;
  const auto reports = RunAll(s);
  const DistRunOutcome& o = s.Outcome();
  ASSERT_EQ(o.status, DistRunStatus::Converged) << Dist_Outcome_Text(o);
  EXPECT_TRUE(o.passes[1].converged && o.passes[2].converged);
  EXPECT_EQ(reports.back().statusLine, "  Convergenced");
  EXPECT_EQ(Dist_Outcome_Text(o), "");
  EXPECT_TRUE(Messages().empty());

  // Values of tools/column/example1_newton.py (all stage equations solved at once).
  const struct {
    int j;
    double T, L, V, x1, x3;
  } newton[] = {
      {1, 72.21603584, 249.0, 0.0, 0.553735650, 0.353044427},
      {2, 80.07030310, 235.32663493, 332.0, 0.228396566, 0.680135305},
      {5, 94.61066381, 414.07897245, 310.56432813, 0.025517881, 0.958141974},
      {6, 96.82201811, 413.65823869, 117.07897245, 0.012060486, 0.971715486},
      {10, 99.45326374, 413.31234781, 116.34527218, 0.000406904, 0.987429083},
      {15, 100.14013766, 297.0, 116.12825564, 0.000003166, 0.995635373},
  };
  for (const auto& n : newton) {
    SCOPED_TRACE(n.j);
    EXPECT_NEAR(Case.Tray_T[n.j], n.T, 2e-4);
    EXPECT_NEAR(Case.Tray_L[n.j], n.L, 1e-3);
    EXPECT_NEAR(Case.Tray_V[n.j], n.V, 1e-3);
    EXPECT_NEAR(Case.Tray_X[1][n.j], n.x1, 2e-5 * n.x1 + 1e-10);
    EXPECT_NEAR(Case.Tray_X[3][n.j], n.x3, 1e-5);
  }
  // Result.dat holds the case and 1 + 15 result lines; the case file path is kept.
  EXPECT_EQ(Case.Result_Flag, 1);
  EXPECT_EQ(Case.Data_File, PathOf("mine.dat"));
  EXPECT_EQ(Lines(ReadFile(PathOf("Result.dat"))).size(), 78u);
}

// Columns that must converge to a state satisfying all their equations.
struct ColumnCase {
  const char* name;
  void (*setUp)();
};
void PrintTo(const ColumnCase& c, std::ostream* os) { *os << c.name; }

class DistColumnEquations : public ColumnFixture, public ::testing::WithParamInterface<ColumnCase> {};

TEST_P(DistColumnEquations, ConvergedColumnSatisfiesItsEquations) {
  GetParam().setUp();
  DistSolver s;
  s.Run();
  ASSERT_EQ(s.Outcome().status, DistRunStatus::Converged) << Dist_Outcome_Text(s.Outcome());
  ExpectColumnSatisfiesItsEquations();
}

const ColumnCase kColumns[] = {
    {"Example1", [] { Example1(); }},
    {"FeedsAndSideCutsSharingStages",
     [] {
       // Two feeds of different composition on one stage, liquid side cuts on the
       // condenser and on the bottom stage, a vapour side cut below the feed.
       Example1();
       Case.N_Feed = 2;
       Case.Feed_Flow[1] = 300;
       Case.Feed_Stage[2] = 5;
       Case.Feed_Flow[2] = 80;
       Case.Feed_T[2] = 80;
       const double z2[] = {0, 0.3, 0.05, 0.6, 0.05};
       for (int i = 1; i <= 4; ++i) Case.Feed_Z[i][2] = z2[i];
       Case.N_LiqSC = 2;
       Case.LiqSC_Stage[1] = 1;
       Case.LiqSC_Flow[1] = 4;
       Case.LiqSC_Stage[2] = 15;
       Case.LiqSC_Flow[2] = 20;
       Case.N_VapSC = 1;
       Case.VapSC_Stage[1] = 9;
       Case.VapSC_Flow[1] = 10;
       Initial_Composition_set();
       Initial_Profile_set();
     }},
    {"NoCondenser",
     [] {
       // A reboiled stripper: liquid feed on stage 2, vapour product from stage 1.
       Example1();
       Case.Reflux_Ratio = Case.Top_Liq_Prod = 0;
       Case.Top_Vap_Prod = 83;
       Case.Feed_Stage[1] = 2;
       Case.Feed_VF[1] = 0;
       Initial_Profile_set();
     }},
    {"EnthalpyModelWithoutEnthalpies", [] { Example1(); Case.H_Method = 3; }},
};
INSTANTIATE_TEST_SUITE_P(Columns, DistColumnEquations, ::testing::ValuesIn(kColumns),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(DistSolverTest, PassesReportLikeTheSolverWindowShowsThem) {
  Example1(1e-15);  // limits too short for either pass to balance
  Case.Max_Iter[1] = 2;
  Case.Max_Iter[2] = 1;
  DistSolver s;
  const auto reports = RunAll(s);
  ASSERT_EQ(reports.size(), 3u + 2u);
  for (int n = 0; n <= 2; ++n) {
    EXPECT_EQ(reports[n].pass, 1);
    EXPECT_EQ(reports[n].iteration, n);
    EXPECT_EQ(reports[n].redraw, n > 0);
  }
  EXPECT_EQ(reports[3].pass, 2);
  EXPECT_EQ(reports[3].iteration, 0);
  EXPECT_EQ(reports[0].statusLine, "1 0 " + txt::Plain(reports[0].error));
  // Not converged is said, with pass, iterations and error; the results are still kept.
  const DistRunOutcome& o = s.Outcome();
  EXPECT_EQ(o.status, DistRunStatus::IterationLimit);
  EXPECT_EQ(o.passes[1].iterations, 3);
  EXPECT_EQ(o.pass, 2);
  EXPECT_EQ(o.iterations, 2);
  EXPECT_EQ(o.lastError, reports.back().error);
  EXPECT_NE(Dist_Outcome_Text(o).find(" 2, 2, " + txt::Format(o.lastError, "0.000E+00")), std::string::npos);
  EXPECT_EQ(Case.Result_Flag, 1);
  EXPECT_TRUE(seqfile::FileExists(PathOf("Result.dat")));
}

TEST_F(DistSolverTest, MaterialPassAloneKeepsTheLaidFlows) {
  for (int model : {0, 2}) {
    SCOPED_TRACE(model);
    Example1();
    Case.H_Method = model;
    Case.Feed_H[1] = 12345;
    const double v6 = Case.Tray_V[6], l14 = Case.Tray_L[14];
    const std::size_t before = Messages().size();
    DistSolver s;
    s.Run();
    EXPECT_EQ(s.Outcome().passCount, 1);
    EXPECT_EQ(s.Outcome().materialBalanceOnly, model != 0);
    // A model without enthalpies says that the heat balance is left out.
    EXPECT_EQ(Messages().size(), before + (model != 0));
    EXPECT_EQ(Case.Feed_H[1], model == 0 ? 12345 : 0);
    EXPECT_EQ(Case.Tray_V[6], v6);
    EXPECT_EQ(Case.Tray_L[14], l14);
  }
}

TEST_F(DistSolverTest, HeatBalanceKeepsAStageThatAlreadyBalances) {
  // With a damping factor below 1 a stage whose vapour flow already satisfies its
  // enthalpy balance keeps it: the blend is with its own previous flow.
  Example1();
  DistSolver s;
  ASSERT_TRUE(s.Start());
  for (int j = 1; j <= 15; ++j) {
    Case.Dist_Tray_HV[j] = 4.0e4 + 100 * j;
    Case.Dist_Tray_HL[j] = 0.5e4 + 80 * j;
  }
  s.Heat_Balance(7, 1.0);
  const double v7 = Case.Tray_V[7], l6 = Case.Tray_L[6];
  ASSERT_NE(v7, Case.Tray_V[6]);
  s.Heat_Balance(7, 0.5);
  EXPECT_NEAR(Case.Tray_V[7], v7, 1e-9);
  EXPECT_NEAR(Case.Tray_L[6], l6, 1e-9);
  Case.Tray_V[7] = 0;
  s.Heat_Balance(7, 0.5);
  EXPECT_NEAR(Case.Tray_V[7], 0.5 * v7, 1e-9);
}

TEST_F(DistSolverTest, DegenerateColumnsAreRefusedBeforeTheRun) {
  const struct {
    const char* name;
    void (*spoil)();
  } bad[] = {
      {"partial condenser", [] { Case.Top_Vap_Prod = 10; }},
      {"both top products", [] { Case.Reflux_Ratio = 0; Case.Top_Vap_Prod = 10; }},
      {"liquid product without reflux", [] { Case.Reflux_Ratio = 0; }},
      {"no top product", [] { Case.Top_Liq_Prod = 0; }},
      {"more drawn than fed", [] { Case.Top_Liq_Prod = 400; }},
      // Nothing leaves the bottom: its temperature has no equation to fix it.
      {"bottoms flow of 0", [] { Case.Top_Liq_Prod = 380; }},
      {"feed without composition", [] { for (int i = 1; i <= 4; ++i) Case.Feed_Z[i][1] = 0; }},
      {"no feed", [] { Case.N_Feed = 0; }},
      {"feed of nothing", [] { Case.Feed_Flow[1] = 0; }},
      {"one stage", [] { Case.NT = 1; }},
      {"feed off the column", [] { Case.Feed_Stage[1] = 16; }},
      {"side cut off the column", [] { Case.N_LiqSC = 1; }},
  };
  for (const auto& b : bad) {
    SCOPED_TRACE(b.name);
    Example1();
    b.spoil();
    const double t5 = Case.Tray_T[5];
    const std::size_t before = Messages().size();
    DistSolver s;
    EXPECT_TRUE(RunAll(s).empty());
    EXPECT_EQ(s.Outcome().status, DistRunStatus::Refused);
    EXPECT_EQ(Messages().size(), before + 1);
    EXPECT_EQ(Case.Result_Flag, 0);
    EXPECT_EQ(Case.Tray_T[5], t5);
  }
  EXPECT_EQ(Messages()[4], "Bottom流量[ -20 ]が負です。");
  EXPECT_EQ(Messages()[5], "Bottom流量[  0 ]が負です。");
  EXPECT_FALSE(seqfile::FileExists(PathOf("Result.dat")));
}

TEST_F(DistSolverTest, StoppedOrDivergedRunStoresNothing) {
  Example1();
  DistSolver s;
  int seen = 0;
  s.Run([&](const DistIterationReport&) {
    if (++seen == 3) Case.Stop_Flag = 1;  // the user confirmed the stop during this yield
  });
  EXPECT_EQ(seen, 3);
  EXPECT_EQ(s.Outcome().status, DistRunStatus::Stopped);
  EXPECT_EQ(Case.Result_Flag, 0);

  Case.Antoine_B[2] = std::nan("");
  DistSolver nan;
  nan.Run();
  EXPECT_EQ(nan.Outcome().status, DistRunStatus::NotFinite);
  EXPECT_EQ(Messages().back(), Dist_Outcome_Text(nan.Outcome()));
  EXPECT_EQ(Case.Result_Flag, 0);
  EXPECT_FALSE(seqfile::FileExists(PathOf("Result.dat")));
}

TEST_F(DistSolverTest, ContinueOnEmptyProfilesStartsFromTheFeed) {
  Example1();
  for (int j = 1; j <= 15; ++j)
    for (int i = 1; i <= 4; ++i) Case.Tray_X[i][j] = Case.Tray_Y[i][j] = 0;
  ASSERT_TRUE(Continue_Composition_set());
  DistSolver s;
  s.Run();
  EXPECT_EQ(s.Outcome().status, DistRunStatus::Converged);
  EXPECT_NEAR(Case.Tray_X[1][1], 0.553735650, 1e-4);
}

}  // namespace
