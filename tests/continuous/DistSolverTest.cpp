// The column solver: its step limits and damping schedule, the run's statuses,
// and converged columns checked against the stage equations themselves and
// against an independent simultaneous solve.
#include <gtest/gtest.h>

#include <cmath>

#include "continuous/DistCaseFile.h"
#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "continuous/DistSolver.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"
#include "ColumnFixture.h"

namespace {

class DistSolverTest : public ColumnFixture {
 protected:
  // Example-1 laid out as the Initial start button does. The default criterion is
  // near the floor that the bubble point's own tolerance (sum K x within 1e-6) sets.
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

  // Feed, side-cut and product flows of component i leaving and entering: feed
  // = distillate + bottoms + side cuts, relative to the component's feed.
  static void ExpectOverallComponentBalances(double tol) {
    const CaseData& c = Case;
    for (int i = 1; i <= c.NC; ++i) {
      double in = 0, out = c.Top_Liq_Prod * c.Tray_X[i][1] + c.Top_Vap_Prod * c.Tray_Y[i][1] +
                           c.Bottom_Flow * c.Tray_X[i][c.NT];
      for (int f = 1; f <= c.N_Feed; ++f) in += c.Feed_Flow[f] * c.Feed_Z[i][f];
      for (int k = 1; k <= c.N_LiqSC; ++k) out += c.LiqSC_Flow[k] * c.Tray_X[i][c.LiqSC_Stage[k]];
      for (int k = 1; k <= c.N_VapSC; ++k) out += c.VapSC_Flow[k] * c.Tray_Y[i][c.VapSC_Stage[k]];
      EXPECT_NEAR(out / in, 1.0, tol) << "component " << i;
    }
  }

  // Every component balance of every stage, relative to the stage's throughput.
  static void ExpectStageComponentBalances(double tol) {
    const CaseData& c = Case;
    for (int j = 1; j <= c.NT; ++j) {
      double feed[kMaxComp + 1]{}, sl = 0, sv = 0;
      for (int f = 1; f <= c.N_Feed; ++f)
        if (c.Feed_Stage[f] == j)
          for (int i = 1; i <= c.NC; ++i) feed[i] += c.Feed_Flow[f] * c.Feed_Z[i][f];
      for (int k = 1; k <= c.N_LiqSC; ++k) sl += c.LiqSC_Stage[k] == j ? c.LiqSC_Flow[k] : 0;
      for (int k = 1; k <= c.N_VapSC; ++k) sv += c.VapSC_Stage[k] == j ? c.VapSC_Flow[k] : 0;
      const double draw = j == 1 ? c.Top_Liq_Prod : 0;
      const double scale = c.Tray_L[j] + c.Tray_V[j] + sl + sv + draw;
      for (int i = 1; i <= c.NC; ++i) {
        const double in = feed[i] + (j > 1 ? c.Tray_L[j - 1] * c.Tray_X[i][j - 1] : 0) +
                          (j < c.NT ? c.Tray_V[j + 1] * c.Tray_Y[i][j + 1] : 0);
        const double out = (c.Tray_L[j] + sl + draw) * c.Tray_X[i][j] + (c.Tray_V[j] + sv) * c.Tray_Y[i][j];
        EXPECT_NEAR((in - out) / scale, 0, tol) << "stage " << j << " component " << i;
      }
    }
  }

  // y = K x with K of a fresh bubble point at the stage temperature.
  static void ExpectEquilibrium(double tol) {
    CaseData& c = Case;
    for (int j = 1; j <= c.NT; ++j) {
      double x[kMaxComp + 1]{};
      for (int i = 1; i <= c.NC; ++i) x[i] = c.Tray_X[i][j];
      const double t = T_Bubble_Mix(c.Tray_T[j], c.Tray_P[j], x);
      EXPECT_NEAR(t, c.Tray_T[j], 1e-4) << "stage " << j;
      for (int i = 1; i <= c.NC; ++i)
        EXPECT_NEAR(c.Tray_Y[i][j], c.K_Value[i] * x[i], tol * std::max(c.Tray_Y[i][j], 1e-3))
            << "stage " << j << " component " << i;
    }
  }

  // Enthalpy balances of the stages between condenser and reboiler, relative.
  static void ExpectStageEnergyBalances(double tol) {
    const CaseData& c = Case;
    double hv[kMaxTray + 1], hl[kMaxTray + 1];
    for (int j = 1; j <= c.NT; ++j) {
      double x[kMaxComp + 1]{}, y[kMaxComp + 1]{};
      for (int i = 1; i <= c.NC; ++i) {
        x[i] = c.Tray_X[i][j];
        y[i] = c.Tray_Y[i][j];
      }
      hv[j] = Enthalpy_Vap_Poly(c.Tray_T[j], y);
      hl[j] = Enthalpy_Liq_Poly(c.Tray_T[j], x);
    }
    for (int j = 2; j <= c.NT - 1; ++j) {
      double fh = 0, sl = 0, sv = 0;
      for (int f = 1; f <= c.N_Feed; ++f) fh += c.Feed_Stage[f] == j ? c.Feed_Flow[f] * c.Feed_H[f] : 0;
      for (int k = 1; k <= c.N_LiqSC; ++k) sl += c.LiqSC_Stage[k] == j ? c.LiqSC_Flow[k] : 0;
      for (int k = 1; k <= c.N_VapSC; ++k) sv += c.VapSC_Stage[k] == j ? c.VapSC_Flow[k] : 0;
      const double in = c.Tray_L[j - 1] * hl[j - 1] + c.Tray_V[j + 1] * hv[j + 1] + fh;
      const double out = (c.Tray_L[j] + sl) * hl[j] + (c.Tray_V[j] + sv) * hv[j];
      EXPECT_NEAR((in - out) / std::fabs(c.Tray_V[j + 1] * hv[j + 1]), 0, tol) << "stage " << j;
    }
  }
};

TEST(DistStepLimit, CutsLargeStepsAndNeverLeavesZero) {
  EXPECT_DOUBLE_EQ(Dist_Limit_Step(0.1, 0.5, 1.0), 0.18);   // up by at most 80 %
  EXPECT_DOUBLE_EQ(Dist_Limit_Step(0.1, 0.01, 1.0), 0.02);  // down by at most 80 %
  EXPECT_DOUBLE_EQ(Dist_Limit_Step(0.1, 0.15, 1.0), 0.15);  // within the limit: taken whole
  // The damping factor scales only the size test; the step is taken whole.
  EXPECT_DOUBLE_EQ(Dist_Limit_Step(0.1, 0.25, 0.5), 0.25);
  EXPECT_DOUBLE_EQ(Dist_Limit_Step(0.1, 0.3, 0.5), 0.18);
  // Through zero under a small factor: the exponential approach.
  EXPECT_DOUBLE_EQ(Dist_Limit_Step(0.1, -0.05, 0.1), 0.1 * std::exp(-1.5));
  // A component absent from every feed: 1e-10, then a fifth per iteration.
  EXPECT_EQ(Dist_Limit_Step(0.0, 0.0, 1.0), 1e-10);
  EXPECT_DOUBLE_EQ(Dist_Limit_Step(1e-10, 0.0, 1.0), 2e-11);
  EXPECT_EQ(Dist_Limit_Step(0.0, -3.0, 1.0), 1e-10);
}

TEST(DistDampingSchedule, FollowsTheErrorAndStopsFallingAtAHalf) {
  DistDamping d;
  d.f = 0.9;
  d.previousError = 0.02;
  EXPECT_FALSE(d.Update(3, 0.015, 1e-5));
  EXPECT_DOUBLE_EQ(d.f, 0.95);
  EXPECT_EQ(d.previousError, 0.015);
  d.f = 0.9;
  d.previousError = 0.02;
  EXPECT_FALSE(d.Update(3, 0.025, 1e-5));
  EXPECT_DOUBLE_EQ(d.f, 0.8);

  // Rising errors from f = 1: the fifth step leaves just above 0.5, the sixth
  // just above 0.4, and no step goes lower.
  DistDamping r;
  EXPECT_FALSE(r.Update(0, 1.0, 1e-9));
  EXPECT_EQ(r.f, 1.0);  // the first iteration changes nothing
  double e = 1.0;
  for (int n = 1; n <= 8; ++n) r.Update(n, e *= 2, 1e-9);
  EXPECT_GT(r.f, 0.4);
  EXPECT_LT(r.f, 0.4 + 1e-12);

  // A change of at most previous error x criterion converges however large the error.
  DistDamping big;
  big.previousError = 100;
  EXPECT_TRUE(big.Update(5, 100.4, 5e-3));
  // At a fall to the criterion the pass converges even on the first iteration.
  DistDamping first;
  EXPECT_TRUE(first.Update(0, 1e-6, 1e-5));
}

TEST_F(DistSolverTest, ConvergedExampleOneSatisfiesEveryStageEquation) {
  Example1();
  Case.Data_File = PathOf("mine.dat");
  DistSolver s;
  const auto reports = RunAll(s);
  const DistRunOutcome& o = s.Outcome();
  ASSERT_EQ(o.status, DistRunStatus::Converged);
  EXPECT_EQ(o.passCount, 2);
  EXPECT_TRUE(o.passes[1].converged);
  EXPECT_TRUE(o.passes[2].converged);
  EXPECT_EQ(Dist_Outcome_Text(o), "");
  EXPECT_EQ(reports.back().statusLine, "  Convergenced");
  EXPECT_TRUE(Messages().empty());

  ExpectOverallComponentBalances(1e-6);
  ExpectStageComponentBalances(1e-6);
  ExpectEquilibrium(1e-5);
  ExpectStageEnergyBalances(1e-6);

  // Values of tools/column/example1_newton.py (all stage equations solved at once).
  struct Stage {
    int j;
    double T, L, V, x1, x3;
  };
  const Stage newton[] = {
      {1, 72.21603584, 249.0, 0.0, 0.553735650, 0.353044427},
      {2, 80.07030310, 235.32663493, 332.0, 0.228396566, 0.680135305},
      {5, 94.61066381, 414.07897245, 310.56432813, 0.025517881, 0.958141974},
      {6, 96.82201811, 413.65823869, 117.07897245, 0.012060486, 0.971715486},
      {10, 99.45326374, 413.31234781, 116.34527218, 0.000406904, 0.987429083},
      {15, 100.14013766, 297.0, 116.12825564, 0.000003166, 0.995635373},
  };
  for (const Stage& n : newton) {
    SCOPED_TRACE(n.j);
    EXPECT_NEAR(Case.Tray_T[n.j], n.T, 2e-4);
    EXPECT_NEAR(Case.Tray_L[n.j], n.L, 1e-3);
    EXPECT_NEAR(Case.Tray_V[n.j], n.V, 1e-3);
    EXPECT_NEAR(Case.Tray_X[1][n.j], n.x1, 2e-5 * n.x1 + 1e-10);
    EXPECT_NEAR(Case.Tray_X[3][n.j], n.x3, 1e-5);
  }

  // The run wrote Result.dat (78 lines) and left the case file path alone.
  EXPECT_EQ(Case.Result_Flag, 1);
  EXPECT_TRUE(o.resultWritten);
  EXPECT_EQ(Case.Data_File, PathOf("mine.dat"));
  const auto lines = Lines(ReadFile(PathOf("Result.dat")));
  ASSERT_EQ(lines.size(), 78u);
  EXPECT_EQ(lines[61], "1");
  EXPECT_EQ(FieldCount(lines[77]), 14);
}

TEST_F(DistSolverTest, PassesReportLikeTheSolverWindowShowsThem) {
  Example1(1e-15);  // never met: each pass runs to its limit
  Case.Max_Iter[1] = 20;
  Case.Max_Iter[2] = 4;
  DistSolver s;
  const auto reports = RunAll(s);
  ASSERT_EQ(reports.size(), 21u + 5u);
  for (int n = 0; n <= 20; ++n) {
    EXPECT_EQ(reports[n].pass, 1);
    EXPECT_EQ(reports[n].iteration, n);
    EXPECT_EQ(reports[n].redraw, n > 0);
  }
  EXPECT_EQ(reports[21].pass, 2);
  EXPECT_EQ(reports[21].iteration, 0);
  EXPECT_EQ(reports[0].statusLine, "1 0 " + txt::Plain(reports[0].error));
  EXPECT_TRUE(reports.back().finished);

  const DistRunOutcome& o = s.Outcome();
  EXPECT_EQ(o.status, DistRunStatus::IterationLimit);
  EXPECT_EQ(o.passes[1].iterations, 21);
  EXPECT_FALSE(o.passes[1].converged);
  EXPECT_EQ(o.pass, 2);
  EXPECT_EQ(o.iterations, 5);
  EXPECT_EQ(o.lastError, reports.back().error);
  // Not converged is said, with pass, iterations and error; the results are still kept.
  const std::string text = Dist_Outcome_Text(o);
  EXPECT_NE(text.find("収束しませんでした"), std::string::npos);
  EXPECT_NE(text.find(" 2, 5, "), std::string::npos);
  EXPECT_EQ(Case.Result_Flag, 1);
  EXPECT_TRUE(seqfile::FileExists(PathOf("Result.dat")));
}

TEST_F(DistSolverTest, MaterialPassAloneKeepsTheLaidFlows) {
  for (int model : {0, 2, 3}) {
    SCOPED_TRACE(model);
    Example1();
    Case.H_Method = model;
    Case.Feed_H[1] = 12345;
    double L[kMaxTray + 1], V[kMaxTray + 1];
    for (int j = 1; j <= 15; ++j) {
      L[j] = Case.Tray_L[j];
      V[j] = Case.Tray_V[j];
    }
    const std::size_t before = Messages().size();
    DistSolver s;
    RunAll(s);
    EXPECT_EQ(s.Outcome().passCount, 1);
    EXPECT_EQ(s.Outcome().status, DistRunStatus::Converged);
    EXPECT_EQ(s.Outcome().materialBalanceOnly, model != 0);
    // Models without enthalpies say that the heat balance is left out.
    EXPECT_EQ(Messages().size(), before + (model != 0 ? 1 : 0));
    EXPECT_EQ(Case.Feed_H[1], model == 0 ? 12345 : 0);
    for (int j = 1; j <= 15; ++j) {
      EXPECT_EQ(Case.Tray_L[j], L[j]);
      EXPECT_EQ(Case.Tray_V[j], V[j]);
    }
    ExpectOverallComponentBalances(1e-6);
    ExpectStageComponentBalances(1e-6);
  }
}

TEST_F(DistSolverTest, HeatBalanceKeepsAStageThatAlreadyBalances) {
  // With a damping factor below 1 a stage whose vapour flow already satisfies its
  // enthalpy balance must keep it: the blend is with its own previous flow.
  Example1();
  DistSolver s;
  ASSERT_TRUE(s.Start());
  for (int j = 1; j <= 15; ++j) {
    Case.Dist_Tray_HV[j] = 4.0e4 + 100 * j;
    Case.Dist_Tray_HL[j] = 0.5e4 + 80 * j;
  }
  s.Heat_Balance(7, 1.0);  // the balanced flow of stage 7
  const double v7 = Case.Tray_V[7], l6 = Case.Tray_L[6];
  Case.Tray_V[7] = 0;
  s.Heat_Balance(7, 0.5);
  EXPECT_NEAR(Case.Tray_V[7], 0.5 * v7, 1e-9);
  Case.Tray_V[7] = v7;
  s.Heat_Balance(7, 0.5);
  EXPECT_NEAR(Case.Tray_V[7], v7, 1e-9);
  EXPECT_NEAR(Case.Tray_L[6], l6, 1e-9);
  EXPECT_NE(v7, Case.Tray_V[6]);
}

TEST_F(DistSolverTest, EveryFeedAndSideCutEntersItsStage) {
  // Two feeds of different composition on one stage, a liquid side cut on the
  // condenser and on the bottom stage, a vapour side cut below the feed.
  Example1();
  Case.N_Feed = 2;
  Case.Feed_Flow[1] = 300;
  Case.Feed_Stage[2] = 5;
  Case.Feed_Flow[2] = 80;
  Case.Feed_T[2] = 80;
  Case.Feed_VF[2] = 0;
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
  DistSolver s;
  RunAll(s);
  ASSERT_EQ(s.Outcome().status, DistRunStatus::Converged);
  EXPECT_EQ(Case.Bottom_Flow, 380 - 83 - 34);
  ExpectOverallComponentBalances(1e-6);
  ExpectStageComponentBalances(1e-6);
  ExpectEquilibrium(1e-5);
  ExpectStageEnergyBalances(1e-6);
}

TEST_F(DistSolverTest, SplitFeedGivesTheSameColumn) {
  Example1();
  DistSolver one;
  RunAll(one);
  double T[kMaxTray + 1], x1[kMaxTray + 1];
  for (int j = 1; j <= 15; ++j) {
    T[j] = Case.Tray_T[j];
    x1[j] = Case.Tray_X[1][j];
  }
  Example1();
  Case.N_Feed = 2;
  Case.Feed_Flow[1] = Case.Feed_Flow[2] = 190;
  Case.Feed_Stage[2] = 5;
  Case.Feed_T[2] = 93;
  Case.Feed_VF[2] = 0.5;
  for (int i = 1; i <= 4; ++i) Case.Feed_Z[i][2] = Case.Feed_Z[i][1];
  Initial_Composition_set();
  Initial_Profile_set();
  DistSolver two;
  RunAll(two);
  ASSERT_EQ(two.Outcome().status, DistRunStatus::Converged);
  for (int j = 1; j <= 15; ++j) {
    EXPECT_NEAR(Case.Tray_T[j], T[j], 1e-4) << j;
    EXPECT_NEAR(Case.Tray_X[1][j], x1[j], 1e-5 * x1[j] + 1e-9) << j;
  }
}

TEST_F(DistSolverTest, DegenerateColumnsAreRefusedBeforeTheRun) {
  struct Bad {
    const char* name;
    void (*spoil)();
  };
  const Bad bad[] = {
      {"partial condenser", [] { Case.Top_Vap_Prod = 10; }},
      {"both top products", [] { Case.Reflux_Ratio = 0; Case.Top_Vap_Prod = 10; }},
      {"no feed", [] { Case.N_Feed = 0; }},
      {"feed of nothing", [] { Case.Feed_Flow[1] = 0; }},
      {"one stage", [] { Case.NT = 1; }},
      {"feed off the column", [] { Case.Feed_Stage[1] = 16; }},
      {"side cut off the column", [] { Case.N_LiqSC = 1; Case.LiqSC_Stage[1] = 0; }},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.name);
    Example1();
    b.spoil();
    const double t5 = Case.Tray_T[5];
    const std::size_t before = Messages().size();
    DistSolver s;
    const auto reports = RunAll(s);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(s.Outcome().status, DistRunStatus::Refused);
    EXPECT_EQ(Messages().size(), before + 1);
    EXPECT_EQ(Case.Result_Flag, 0);
    EXPECT_EQ(Case.Tray_T[5], t5);
    EXPECT_FALSE(seqfile::FileExists(PathOf("Result.dat")));
  }
}

TEST_F(DistSolverTest, StoppedRunStoresNothing) {
  Example1();
  DistSolver s;
  int seen = 0;
  s.Run([&](const DistIterationReport&) {
    if (++seen == 3) Case.Stop_Flag = 1;  // the user confirmed the stop during this yield
  });
  EXPECT_EQ(seen, 3);
  EXPECT_EQ(s.Outcome().status, DistRunStatus::Stopped);
  EXPECT_EQ(Case.Result_Flag, 0);
  EXPECT_FALSE(seqfile::FileExists(PathOf("Result.dat")));
  // The next run starts with the flag cleared.
  DistSolver again;
  again.Run();
  EXPECT_EQ(again.Outcome().status, DistRunStatus::Converged);
}

TEST_F(DistSolverTest, ContinueOnEmptyProfilesStartsFromTheFeed) {
  Example1();
  for (int j = 1; j <= 15; ++j)
    for (int i = 1; i <= 4; ++i) Case.Tray_X[i][j] = Case.Tray_Y[i][j] = 0;
  Case.NC_Save = 4;
  Case.NT_Save = 15;
  ASSERT_TRUE(Continue_Composition_set());
  Initial_Profile_set();
  DistSolver s;
  RunAll(s);
  EXPECT_EQ(s.Outcome().status, DistRunStatus::Converged);
  ExpectOverallComponentBalances(1e-6);
}

TEST_F(DistSolverTest, ResultDatContinuesToTheSameColumn) {
  Example1();
  DistSolver s;
  RunAll(s);
  double T[kMaxTray + 1];
  for (int j = 1; j <= 15; ++j) T[j] = Case.Tray_T[j];
  Dist_Initial_set();
  Case.Data_File = PathOf("Result.dat");
  ASSERT_TRUE(Read_Dist_Data());
  EXPECT_EQ(Case.Result_Flag, 1);
  EXPECT_NEAR(Case.Tray_T[1], T[1], 1e-9);
  ASSERT_TRUE(Continue_Composition_set());
  Initial_Profile_set();
  DistSolver again;
  RunAll(again);
  EXPECT_EQ(again.Outcome().status, DistRunStatus::Converged);
  for (int j = 1; j <= 15; ++j) EXPECT_NEAR(Case.Tray_T[j], T[j], 1e-4) << j;
}

}  // namespace
