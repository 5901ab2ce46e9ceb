// Random feasible columns (tools/column): the generator, its independent
// reference, and the engine judged on a small fixed sample of them from the
// estimates a user might type.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ColumnGenerator.h"
#include "ColumnJudge.h"
#include "ColumnReference.h"
#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "continuous/DistSolver.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace {

constexpr uint64_t kSeed = 7;

class GeneratedColumns : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tables_ = std::make_unique<ComponentTables>(VZ_DATA_DIR); }
  static void TearDownTestSuite() { tables_.reset(); }
  void SetUp() override { previous_ = Set_Calc_Message_Handler([](const std::string&) {}); }
  void TearDown() override { Set_Calc_Message_Handler(previous_); }

  static const ComponentTables& Tables() { return *tables_; }

  // The first `count` feasible cases from `first` on with at most `size`
  // stages times components (a fixed rule, not a chosen list).
  static std::vector<std::pair<GenColumn, RefProfile>> Sample(int first, int count, int size) {
    std::vector<std::pair<GenColumn, RefProfile>> out;
    for (int i = first; static_cast<int>(out.size()) < count && i < first + 400; ++i) {
      GenColumn col = Generate_Column(Tables(), kSeed, i);
      if (col.nt * static_cast<int>(col.comps.size()) > size) continue;
      Lay_Column(col, 50, 100);
      RefProfile ref = Reference_Solve(col);
      if (Reference_Feasible(ref)) out.emplace_back(std::move(col), std::move(ref));
    }
    return out;
  }

 private:
  static std::unique_ptr<ComponentTables> tables_;
  CalcMessageHandler previous_;
};

std::unique_ptr<ComponentTables> GeneratedColumns::tables_;

TEST_F(GeneratedColumns, AreReproducibleAndIndependentOfOneAnother) {
  std::set<uint64_t> hashes;
  std::set<int> stageCounts;
  int sameAsNext = 0;
  GenColumn previous;
  for (int i = 0; i < 40; ++i) {
    const GenColumn a = Generate_Column(Tables(), kSeed, i);
    const GenColumn again = Generate_Column(Tables(), kSeed, i);
    EXPECT_EQ(a.Hash(), again.Hash()) << a.Describe();
    EXPECT_EQ(a.Describe(), again.Describe());
    hashes.insert(a.Hash());
    stageCounts.insert(a.nt);
    // Neighbouring cases are no shifted copies of one random sequence.
    if (i > 0 && a.nt == previous.nt && a.distillate == previous.distillate) ++sameAsNext;
    previous = a;
  }
  EXPECT_EQ(hashes.size(), 40u);
  EXPECT_GE(stageCounts.size(), 20u);
  EXPECT_EQ(sameAsNext, 0);
  EXPECT_NE(Generate_Column(Tables(), kSeed, 3).Hash(), Generate_Column(Tables(), kSeed + 1, 3).Hash());
}

TEST_F(GeneratedColumns, CoverTheFamiliesUsersReach) {
  std::set<int> models, heat, states;
  int binaries = 0, many = 0, short_ = 0, tall = 0, twoFeeds = 0, traces = 0, sharp = 0, loose = 0, drop = 0;
  std::set<std::string> feedStates;
  for (int i = 0; i < 120; ++i) {
    const GenColumn c = Generate_Column(Tables(), kSeed, i);
    const int nc = static_cast<int>(c.comps.size());
    ASSERT_GE(nc, 2) << c.Describe();
    ASSERT_LE(nc, 8);
    ASSERT_GE(c.nt, 8);
    ASSERT_LE(c.nt, 120);
    ASSERT_GT(c.reflux, c.refluxMin) << c.Describe();
    ASSERT_LE(c.reflux, 10.01 * c.refluxMin) << c.Describe();
    ASSERT_GT(c.distillate, 0);
    for (int k = 1; k < nc; ++k) ASSERT_LE(c.comps[k - 1].tb, c.comps[k].tb) << "lightest first";
    for (const GenFeed& f : c.feeds) {
      ASSERT_GE(f.stage, 2);
      ASSERT_LE(f.stage, c.nt - 1);
      double s = 0;
      for (double z : f.z) s += z;
      ASSERT_NEAR(s, 1, 1e-12);
      feedStates.insert(f.state);
    }
    models.insert(c.kMethod);
    heat.insert(c.hMethod);
    binaries += nc == 2;
    many += nc >= 6;
    short_ += c.nt <= 15;
    tall += c.nt >= 80;
    twoFeeds += c.feeds.size() == 2;
    traces += c.trace >= 0;
    sharp += c.sharp;
    loose += !c.sharp;
    drop += c.pBottom > c.pTop;
  }
  EXPECT_EQ(models, (std::set<int>{1, 2, 3}));
  EXPECT_EQ(heat, (std::set<int>{0, 1}));
  EXPECT_EQ(feedStates, (std::set<std::string>{"subcooled", "liquid", "part", "vapour", "superheated"}));
  for (int n : {binaries, many, short_, tall, twoFeeds, traces, sharp, loose, drop}) EXPECT_GE(n, 5);
}

// The reference solves its cases to its tolerance with the flows the engine
// lays for the same specification (constant molal overflow), and its residual
// tells a solution from a profile half a tenth of a kelvin off it.
TEST_F(GeneratedColumns, ReferenceSolvesTheSpecificationTheEngineLays) {
  const auto sample = Sample(0, 8, 200);
  ASSERT_EQ(sample.size(), 8u);
  int overflow = 0;
  for (const auto& [col, ref] : sample) {
    SCOPED_TRACE(col.Describe());
    EXPECT_LT(ref.residual, kReferenceTolerance);
    EXPECT_LT(Reference_Residual(col, ref), kReferenceTolerance);
    Lay_Column(col, 50, 100);
    if (col.hMethod == 0) {
      ++overflow;
      for (int j = 1; j <= col.nt; ++j) {
        EXPECT_NEAR(ref.L[j - 1], Case.Tray_L[j], 1e-9 * (1 + ref.L[j - 1])) << "stage " << j;
        if (j > 1) {
          EXPECT_NEAR(ref.V[j - 1], Case.Tray_V[j], 1e-9 * (1 + ref.V[j - 1])) << "stage " << j;
        }
      }
    }
    // Each component's feed leaves in the products.
    for (size_t i = 0; i < col.comps.size(); ++i) {
      double fed = 0;
      for (const GenFeed& f : col.feeds) fed += f.flow * f.z[i];
      const double out = col.distillate * ref.x.front()[i] + ref.L.back() * ref.x.back()[i];
      EXPECT_NEAR(out, fed, 1e-8 * std::max(fed, 1e-3)) << col.comps[i].name;
    }
    RefProfile off = ref;
    off.T[col.nt / 2] += 0.05;
    EXPECT_GT(Reference_Residual(col, off), kOtherSolution);
  }
  EXPECT_GT(overflow, 0);
}

// The project's own Example-1 (Wilson, heat balance) read back as a column:
// the reference and the engine agree on every stage, and the first estimate
// pair is each end component's own boiling point at its end's pressure.
TEST_F(GeneratedColumns, ReferenceAndEngineAgreeOnExample1) {
  Dist_Example1_set();
  GenColumn col;
  std::string why;
  ASSERT_TRUE(Column_From_Case(col, why)) << why;
  const RefProfile ref = Reference_Solve(col);
  ASSERT_TRUE(Reference_Feasible(ref)) << ref.why;
  Dist_Example1_set();
  Initial_Composition_set();
  Initial_Profile_set();
  DistSolver solver(false);
  ASSERT_EQ(solver.Run().status, DistRunStatus::Converged);
  for (int j = 1; j <= col.nt; ++j) {
    EXPECT_NEAR(Case.Tray_T[j], ref.T[j - 1], 1e-4) << "stage " << j;
    if (j > 1 && j < col.nt) {
      EXPECT_NEAR(Case.Tray_L[j], ref.L[j - 1], 1e-4 * ref.L[j - 1]) << "stage " << j;
    }
  }
  double t1, t2;
  Estimate_Pair(0, col, ref, t1, t2);
  Lay_Components(col);
  // Methanol boils first at the top, water last at the bottom (typed to 0.01 K).
  EXPECT_NEAR(Antoine_Psat(1, t1), col.pTop, 5e-4 * col.pTop);
  EXPECT_NEAR(Antoine_Psat(3, t2), col.pBottom, 5e-4 * col.pBottom);
  EXPECT_GT(t2, t1 + 30);

  // What the reference does not model is refused, not solved as something else.
  Dist_Example1_set();
  Case.N_LiqSC = 1;
  Case.LiqSC_Stage[1] = 3;
  Case.LiqSC_Flow[1] = 10;
  EXPECT_FALSE(Column_From_Case(col, why));
  Dist_Example1_set();
  Case.Tray_Press[7] = 770;
  EXPECT_FALSE(Column_From_Case(col, why));
}

// What users must be able to trust on columns nobody tuned to: no run ends
// "Converged" off the solution and no feasible case ends "Infeasible", from
// each of the six estimate pairs, at the default limits and (where those end
// short) at ten times them.
TEST_F(GeneratedColumns, EngineNeverConvergesOffTheSolutionNorCallsAFeasibleCaseInfeasible) {
  const auto sample = Sample(100, 14, 300);
  ASSERT_EQ(sample.size(), 14u);
  int converged = 0, runs = 0;
  for (const auto& [col, ref] : sample) {
    for (int e = 0; e < kEstimateCount; ++e) {
      double t1, t2;
      Estimate_Pair(e, col, ref, t1, t2);
      for (int factor : {1, 10}) {
        const EngineRun r = Run_Engine(col, ref, t1, t2, factor);
        ++runs;
        SCOPED_TRACE(col.Describe() + " from " + Estimate_Name(e) + " x" + std::to_string(factor) + ": " + r.status);
        EXPECT_NE(r.verdict, Verdict::False) << "max deviation " << r.deviation << " K, residual " << r.residual;
        EXPECT_NE(r.verdict, Verdict::Infeasible);
        converged += r.verdict == Verdict::Ok;
        if (r.status == "Converged") break;  // ten times the limits run the same iterations
      }
    }
  }
  EXPECT_GT(converged, 0) << runs << " runs";
}

// The comparison with a baseline counts a run as solved only on the reference
// (a false "Converged" there is no solved run to lose), compares iterations
// only over the runs both solve, and matches runs by case fingerprint, estimate
// and limit whatever their order.
TEST(JudgeSummary, CountsLostGainedAndIterationsOverRunsBothSolve) {
  const std::string mine =
      "case,0,h0,1,0,50,90,,10,10,\"ideal heat nc 2 (A,B) nt 10 sharp\"\n"
      "case,1,h1,0,0.1,nan,nan,Newton found no solution,inf,inf,\"NRTL CMO nc 3 (A,B,C) nt 20 loose\"\n"
      "dropped,1,h1,Converged,1e-09,3.5\n"
      "case,2,h2,0,0.1,nan,nan,Newton found no solution,inf,inf,\"NRTL CMO nc 3 (A,B,C) nt 20 loose\"\n"
      "dropped,2,h2,Converged,1e-09,-2\n"
      "run,0,h0,high30,1,Converged,12,0,1e-12,ok\n"
      "run,0,h0,boiling,1,Converged,10,0,1e-12,ok\n"
      "run,0,h0,rounded,1,IterationLimit,21,0,nan,limit\n"
      "run,0,h0,low30,1,Converged,41,0,1e-12,ok\n"
      "run,0,h0,boiling,10,Converged,10,3.5,0.2,FALSE\n"
      "run,0,h0,20-200,1,Converged,10,0.001,0.003,ok\n";
  const std::string base =
      "run,0,h0,boiling,1,Converged,5,0,1e-12,ok\n"
      "run,0,h0,low30,1,Converged,10,0,1e-12,ok\n"
      "run,0,h0,rounded,1,Converged,8,0,1e-12,ok\n"
      "run,0,h0,high30,1,Converged,9,40,3,FALSE\n"
      "run,0,h0,boiling,10,Converged,5,0,1e-12,ok\n"
      "run,0,hX,20-200,1,Converged,3,0,1e-12,ok\n";
  const JudgeSummary j = Summarise_Judge(mine, base);
  EXPECT_EQ(j.cases, 3);
  EXPECT_EQ(j.feasible, 1);
  EXPECT_EQ(j.missed, 1);  // the engine's solution with a negative flow is none
  const LimitSummary& x1 = j.limits[0];
  EXPECT_EQ(x1.runs, 5);
  EXPECT_EQ(x1.ok, 4);
  EXPECT_EQ(x1.matched, 4);  // 20-200 is of another case there
  EXPECT_EQ(x1.lost, 1);     // rounded
  EXPECT_EQ(x1.gained, 1);   // high30: Converged off the solution there
  EXPECT_EQ(x1.iterations, 10 + 41);
  EXPECT_EQ(x1.baselineIterations, 5 + 10);
  EXPECT_DOUBLE_EQ(x1.worstRatio, 4.1);
  EXPECT_EQ(x1.beyond, 1);  // 41 > 3 x 10 + 10
  EXPECT_EQ(x1.notOkByFamily.at("ideal heat sharp limit"), 1);
  EXPECT_EQ(x1.okLoose, 1);  // on the reference's temperatures, a balance 0.3 % off
  EXPECT_EQ(x1.worstOkRun, "0/20-200");
  const LimitSummary& x10 = j.limits[1];
  EXPECT_EQ(x10.runs, 1);
  EXPECT_EQ(x10.falseConverged, 1);
  EXPECT_EQ(x10.lost, 1);
  EXPECT_EQ(x10.iterations, 0);
  EXPECT_NE(Summary_Text(j, true).find("false Converged 1"), std::string::npos);
}

}  // namespace

namespace {

// A short binary column by heat balance whose corrections ran four stages
// dry: with no liquid flow a stage takes any liquid at all, and a profile with
// fractions summing to 2.9 there (43 K off the solution) satisfied every
// balance. It must end on the solution, or not as converged.
TEST_F(GeneratedColumns, ADryStageIsNotASolution) {
  const GenColumn col = Generate_Column(Tables(), 2, 187);
  ASSERT_EQ(col.nt, 8);
  Lay_Column(col, 50, 100);
  const RefProfile ref = Reference_Solve(col);
  ASSERT_TRUE(Reference_Feasible(ref));
  double tTop, tBottom;
  Estimate_Pair(0, col, ref, tTop, tBottom);
  Lay_Column(col, tTop, tBottom, 10);
  DistSolver solver(false);
  if (solver.Run().status != DistRunStatus::Converged) return;
  for (int j = 1; j <= col.nt; ++j) {
    double sx = 0;
    for (int i = 1; i <= Case.NC; ++i) sx += Case.Tray_X[i][j];
    EXPECT_NEAR(sx, 1.0, 1e-5) << "stage " << j;
    EXPECT_NEAR(Case.Tray_T[j], ref.T[j - 1], kOffReference) << "stage " << j;
  }
}

}  // namespace
