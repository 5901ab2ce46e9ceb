// Columns whose plates turn their liquid over faster than the typed step:
// the run splits each step as the plates need and lands on the answer of a
// small step, checked against an independent integrator; flows that come out
// negative stop the run, naming the plate and the heat to blame.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>

#include "batch/BatchColumnCases.h"
#include "batch/BatchTestSupport.h"
#include "core/thermo/Thermo.h"
#include "platform/text/SeqFile.h"

using namespace batchtest;

namespace {

// Whether `text` holds `blame`, whose # stands for a plate number.
bool HasBlame(const std::string& text, const std::string& blame) {
  const std::size_t hash = blame.find('#');
  if (hash == std::string::npos) return text.find(blame) != std::string::npos;
  const std::string head = blame.substr(0, hash), tail = blame.substr(hash + 1);
  for (std::size_t at = text.find(head); at != std::string::npos; at = text.find(head, at + 1)) {
    std::size_t end = at + head.size();
    const std::size_t digits = end;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    if (end > digits && text.compare(end, tail.size(), tail) == 0) return true;
  }
  return false;
}

// Events of a run: the total-reflux convergence from the log, the tanks from "_5".
struct Events {
  BatchEnd end = BatchEnd::None;
  int retries = 0;
  double converged = -1;
  std::vector<double> tanks;
  std::vector<std::vector<double>> amounts;
};

class BatchSplitTest : public BatchFixture {
 protected:
  Events Run() {
    Events e;
    RecordingHost host;  // a Retry question would end the run
    e.end = Batch_Calc(host);
    e.retries = host.retryQuestions;
    for (const std::string& line : LogTails())
      if (line.size() > 16 && line.substr(16) == " 全還流収束") e.converged = std::stod(line.substr(10, 6));
    seqfile::Reader r;
    if (r.Open(File(5)))
      while (!r.Eof()) {
        r.Int();
        e.tanks.push_back(r.Double());
        std::vector<double> a;
        for (int i = 1; i <= Case.NC; ++i) a.push_back(r.Double());
        e.amounts.push_back(a);
        for (int p = 1; p <= Case.NT; ++p) r.Double();
      }
    return e;
  }

  // Every flow, hold-up, fraction and range the run files of a run that did not
  // reach its last tank hold is at least 0.
  void ExpectNothingNegativeWritten() {
    const int nc = Case.NC, nt = Case.NT;
    for (int n : {1, 4}) {
      seqfile::Reader r;
      if (!r.Open(File(n))) continue;
      while (!r.Eof()) {
        r.Double();
        for (int p = 1; p <= nt; ++p) {
          for (int k = 0; k < 2 * nc; ++k) EXPECT_GE(r.Double(), 0) << n << " plate " << p;
          double v[10];
          for (double& value : v) value = r.Double();
          EXPECT_GE(v[1], 0) << n << " V plate " << p;
          EXPECT_GE(v[2], 0) << n << " L plate " << p;
          EXPECT_GT(v[6], 0) << n << " M plate " << p;
        }
      }
    }
    seqfile::Reader r;
    ASSERT_TRUE(r.Open(File(3)));
    for (int k = 0; k < 9; ++k) EXPECT_GE(r.Double(), 0) << "range " << k;
    for (int p = 1; p <= nt; ++p) r.Double();  // heat totals (an end other than the last tank's)
    for (int k = 0; k < 4; ++k) r.Double();     // phase and times
    for (int p = 1; p <= nt; ++p) {
      for (int k = 0; k < 2 * nc; ++k) EXPECT_GE(r.Double(), 0) << "_3 plate " << p;
      double v[7];
      for (double& value : v) value = r.Double();
      EXPECT_GE(v[1], 0) << "_3 V plate " << p;
      EXPECT_GE(v[2], 0) << "_3 L plate " << p;
    }
  }
};

// ---------------------------------------------------------------- steps the plates cannot take

// Plates of 0.01 kmol under 30 kmol/h of vapour turn over some 7,000 times an
// hour: a step of 0.0005 h is several residence times. Reference: the
// independent integrator (tools/batch/batch_reference.py, case bt12): total
// reflux converges at 0.0276 h, tank 1 is full 7.4400 h after withdrawal began.
TEST_F(BatchSplitTest, ThinPlatesRunAtTheTypedStepWithoutRetry) {
  for (double step : {0.0005, 0.00025}) {
    SCOPED_TRACE(step);
    ColumnCase c;
    c.step = step;
    c.maxTime = 10;
    Load(c);
    const Events e = Run();
    EXPECT_EQ(e.retries, 0);
    EXPECT_EQ(e.end, BatchEnd::TimeOver);  // tank 2 needs 7.5 h more
    ASSERT_EQ(e.tanks.size(), 2u);         // the second one partly filled
    // Within one step: the tank a step late at most, the convergence (logged
    // at the start of the step that converged) a step early at most.
    EXPECT_GE(e.tanks[0], 7.4400 - 1e-4);
    EXPECT_LE(e.tanks[0], 7.4400 + step + 1e-4);
    EXPECT_GE(e.converged, 0.0276 - step - 1e-4);
    EXPECT_LE(e.converged, 0.0276 + 1e-4);
  }
}

// Plates of 0.5 kmol at a step of 0.05 h: every event within one step of the
// small step's (bt12_thick: converged at 0.9434 h, tank 1 full at 7.8052 h,
// tank 2 at 15.3058 h) and the engine's own run at 0.0002 h.
TEST_F(BatchSplitTest, ThickPlatesAtATwentiethOfAnHour) {
  ColumnCase c;
  c.plate = 0.5;
  c.step = 0.05;
  Load(c);
  const Events large = Run();
  c.step = 0.0002;
  Load(c);
  const Events small = Run();
  for (const Events* e : {&large, &small}) {
    EXPECT_EQ(e->retries, 0);
    EXPECT_EQ(e->end, BatchEnd::LastTank);
    ASSERT_EQ(e->tanks.size(), 2u);
  }
  EXPECT_NEAR(small.converged, 0.9434, 0.001);
  EXPECT_NEAR(small.tanks[0], 7.8052, 0.001);
  EXPECT_NEAR(small.tanks[1], 15.3058, 0.001);
  EXPECT_NEAR(large.converged, small.converged, 0.05);
  EXPECT_NEAR(large.tanks[0], small.tanks[0], 0.05);
  // The second tank, counted from the first.
  EXPECT_NEAR(large.tanks[1] - large.tanks[0], small.tanks[1] - small.tanks[0], 0.05);
  // What the tanks hold does not depend on the step either, but for the
  // events on the typed grid: tank 1 up to one step's distillate (0.25 kmol),
  // tank 2 that and its own (0.2 kmol). Tank 2's 30 kmol fall on the grid,
  // where round-off decides the step that fills it.
  for (int k = 0; k < 2; ++k)
    for (int i = 0; i < 2; ++i)
      EXPECT_NEAR(large.amounts[k][i], small.amounts[k][i], k == 0 ? 0.25 : 0.45) << k << " " << i;
}

// The example's plates (1 kmol) need two to three dozen parts of a step of
// 0.05 h, and their K-values and activity coefficients move over the step:
// taken with them frozen, the last tank ended two steps early (1.55 h).
TEST_F(BatchSplitTest, ExampleAtATwentiethOfAnHourEndsWithTheSmallStep) {
  Events e[2];
  const double steps[2] = {0.05, 0.0002};
  for (int k = 0; k < 2; ++k) {
    Batch_Initial_set();
    Batch_Example_set();
    Batch.Save_Interval = 0;
    Batch.QReb = Batch.QReb_TR;
    Batch.Diff_Time = steps[k];
    e[k] = Run();
    EXPECT_EQ(e[k].retries, 0);
    EXPECT_EQ(e[k].end, BatchEnd::LastTank);
    ASSERT_EQ(e[k].tanks.size(), 2u);
  }
  EXPECT_NEAR(e[0].converged, e[1].converged, steps[0]);
  EXPECT_NEAR(e[0].tanks[0], e[1].tanks[0], steps[0]);
  EXPECT_NEAR(e[0].tanks[1], e[1].tanks[1], steps[0]);
}

// What a run holds after a step: liquid, temperatures, hold-ups, flows, the
// tank and the heat totals.
std::vector<double> StateNow() {
  std::vector<double> s;
  for (int p = 1; p <= Case.NT; ++p) {
    for (int i = 1; i <= Case.NC; ++i) s.push_back(Case.Tray_X[i][p]);
    s.insert(s.end(), {Case.Tray_T[p], Batch.Holdup_Mol[p], Case.Tray_V[p], Case.Tray_L[p], Batch.Tray_Q_Sum[p]});
  }
  // The tank is emptied when withdrawal begins.
  for (int i = 1; i <= Case.NC; ++i) s.push_back(Batch.Prod_Phase == 1 ? Batch.Tank_Amount[i] : 0);
  return s;
}

// A split step is the steps of its parts: the bubble points, K-values and
// flows are evaluated afresh at every part. The same case run at the typed
// step and at steps as long as each typed step's parts (changed at every
// typed step) holds the same after every typed step, in total reflux and in
// both withdrawal modes, with hold-ups in kmol and in kg.
TEST_F(BatchSplitTest, ASplitStepIsTheStepsOfItsParts) {
  struct Variant {
    const char* name;
    int mode, holdupUnit;
  };
  const double first = 1e-5, typed = 0.002;  // the first step is short enough to take whole
  for (const Variant& v : {Variant{"total reflux", 1, 1}, Variant{"total reflux, kg", 1, 2},
                           Variant{"mode 2", 2, 1}, Variant{"mode 3, kg", 3, 2}}) {
    SCOPED_TRACE(v.name);
    ColumnCase c;
    c.mode = v.mode;
    c.conv = v.mode == 1 ? 1e-12 : 1;  // no convergence, or at the first step
    c.tanks = {{-1, 1000, 5, 5, 250000}, {-1, 30, 8, 4, 250000}};  // the first never fills
    c.step = first;
    auto load = [&] {
      Load(c);
      if (v.holdupUnit == 2) {
        Batch.Holdup_Unit = 2;
        for (int p = 1; p < c.nt; ++p) Batch.Tray_Holdup[2][p] = p == 1 ? 4.0 : 0.85;
      }
      ASSERT_TRUE(Batch_Check_Run().ok) << Batch_Check_Run().message;
    };

    // At the typed step: the parts of every step and the state after it.
    load();
    std::vector<int> parts;
    std::vector<std::vector<double>> typedStates;
    {
      RecordingHost host;
      BatchRun run(host);
      host.onYield = [&] { Batch.Run_Diff_Time = typed; };
      host.onStep = [&] {
        parts.push_back(run.Parts());
        typedStates.push_back(StateNow());
      };
      ASSERT_TRUE(run.Start());
      for (int k = 0; k < 25; ++k) ASSERT_TRUE(run.Step()) << k;
      EXPECT_EQ(host.retryQuestions, 0);
    }
    ASSERT_EQ(parts.front(), 1);
    EXPECT_GE(*std::max_element(parts.begin() + 1, parts.end()), 8);

    // At the parts' steps, switched at every typed step.
    load();
    std::vector<double> schedule;
    for (std::size_t k = 1; k < parts.size(); ++k) schedule.insert(schedule.end(), parts[k], typed / parts[k]);
    std::vector<std::vector<double>> smallStates;
    {
      RecordingHost host;
      BatchRun run(host);
      std::size_t next = 0;
      host.onYield = [&] { Batch.Run_Diff_Time = next < schedule.size() ? schedule[next++] : typed; };
      host.onStep = [&] { smallStates.push_back(StateNow()); };
      ASSERT_TRUE(run.Start());
      for (std::size_t k = 0; k <= schedule.size(); ++k) ASSERT_TRUE(run.Step()) << k;
    }
    std::size_t small = 0;
    for (std::size_t k = 0; k < parts.size(); ++k) {
      small += k == 0 ? 0 : parts[k];
      const std::vector<double>& a = typedStates[k];
      const std::vector<double>& b = smallStates[small];
      ASSERT_EQ(a.size(), b.size());
      for (std::size_t e = 0; e < a.size(); ++e)
        ASSERT_NEAR(a[e], b[e], 1e-10 * std::max(1.0, std::fabs(b[e]))) << "step " << k << " value " << e;
    }
  }
}

// ---------------------------------------------------------------- infeasible duties

// Duties the column cannot meet give negative flows: the run stops at that
// step with the state of the last step it took, so no run file holds a
// negative flow, and says which plate and which heat are to blame.
TEST_F(BatchSplitTest, NegativeFlowsStopTheRunNamingThePlateAndTheHeat) {
  struct Infeasible {
    const char* name;
    std::function<void()> change;
    const char* english;  // the blame, after the flow
    const char* japanese;
  };
  const std::vector<Infeasible> cases = {
      {"side cooling", [] { Batch.Tray_Heat[6] = Unit_Heat_In(-400000); },
       "the heat removed on Tray 6 (-400000 Kcal/H) is more than the vapour from below can give",
       "Tray 6 の除熱量 (-400000 Kcal/H) が下からの蒸気で賄えません"},
      {"cooling on two plates",
       [] { Batch.Tray_Heat[9] = Unit_Heat_In(-150000), Batch.Tray_Heat[6] = Unit_Heat_In(-150000); },
       "the heat removed on Trays 6 to 9 (-300000 Kcal/H in all) is more than the vapour from below can give",
       "Tray 6 ～ 9 の除熱量 (-300000 Kcal/H 合計) が下からの蒸気で賄えません"},
      // Flows run away or turn negative, on whichever plate comes first (#).
      {"latent heat 0",
       [] { Case.HV_A[1] = Case.HL_A[1], Case.HV_B[1] = Case.HL_B[1], Case.HV_C[1] = Case.HL_C[1]; },
       "the latent heat of Benzene on Tray # is 0 or less (0 Kcal/Kgmol): check its enthalpy data",
       "Tray # で Benzene の蒸発潜熱が 0 以下です (0 Kcal/Kgmol)。エンタルピーデータを確認してください"},
      // The heavy component's: the run goes on until the still's side of the
      // column holds little else, where a liquid flow turns negative.
      {"latent heat 0 of the heavy component",
       [] { Case.HV_A[2] = Case.HL_A[2], Case.HV_B[2] = Case.HL_B[2], Case.HV_C[2] = Case.HL_C[2]; },
       "the latent heat of Toluene on Tray 11 is 0 or less (0 Kcal/Kgmol): check its enthalpy data",
       "Tray 11 で Toluene の蒸発潜熱が 0 以下です (0 Kcal/Kgmol)。エンタルピーデータを確認してください"},
      {"heating in withdrawal", [] { Batch.Tray_Heat[4] = Unit_Heat_In(200000); },
       "the heat put into Tray 4 (200000 Kcal/H) boils off more liquid than reaches it",
       "Tray 4 の加熱量 (200000 Kcal/H) が流れ込む液より多くを蒸発させます"},
      // The example: a duty that cannot even keep its still boiling at the first draw.
      {"mode 3 duty too small",
       [] {
         Batch_Initial_set();
         Batch_Example_set();
         Batch.QReb = Batch.QReb_TR;
         Batch.Diff_Time = 0.005;
         Batch.Ope_Mode = 3, Batch.Prod_Spec[3][1] = Batch.Prod_Spec[3][2] = Unit_Heat_In(100);
       },
       "the reboiler duty of Tank 1 (100 Kcal/H) is too small to give any distillate (D = -",
       "TANK 1 のリボイラー熱量 (100 Kcal/H) が小さすぎて留出しません (D = -"},
  };
  for (const Infeasible& c : cases) {
    for (int language : {1, 0}) {
      SCOPED_TRACE(std::string(c.name) + (language ? " en" : " ja"));
      ColumnCase column;
      column.maxTime = 10;
      column.step = 0.005;  // ten times what the thinnest plate takes: the run splits it
      Load(column);
      Case.Language = language;
      Batch.Save_Interval = 0.001;
      c.change();
      RecordingHost host;
      EXPECT_EQ(Batch_Calc(host), BatchEnd::Infeasible);
      EXPECT_EQ(host.retryQuestions, 0);
      EXPECT_EQ(Case.Stop_Flag, -1);
      ASSERT_FALSE(host.messages.empty());
      const std::string& shown = host.messages.back();
      const std::string tail = language ? ", end of calculation" : "。計算を中止しました";
      ASSERT_GT(shown.size(), tail.size());
      EXPECT_EQ(shown.substr(shown.size() - tail.size()), tail);
      EXPECT_EQ(shown.substr(0, 6), "ERROR:");
      EXPECT_TRUE(HasBlame(shown, language ? c.english : c.japanese)) << shown;
      // The log ends with the same words, the run files with the last step taken.
      const std::string last = LogTails().back();
      EXPECT_NE(shown.find(last.substr(17)), std::string::npos) << last;
      EXPECT_GE(Batch.Run_Distillate, 0);
      ExpectNothingNegativeWritten();
    }
  }
}

// ---------------------------------------------------------------- against an independent integrator

// The events of eleven columns at typed steps of 2 to 10 residence times of
// their fastest plate, against tools/batch/batch_reference.py (classical
// Runge-Kutta with the bubble points and flows evaluated afresh at every
// stage, at half the shortest residence time; events interpolated between its
// steps). The engine tests at the end of a step, so each event comes within
// one typed step of the reference: the convergence a step early at most (it
// is logged at the start of the step that converged), a tank a step late at
// most, each tank counted from the one before.
struct Reference {
  const char* name;
  double step, converged, tanks[2];
};

void PrintTo(const Reference& r, std::ostream* os) { *os << r.name << " at " << r.step << " h"; }

class BatchReferenceTest : public BatchSplitTest, public ::testing::WithParamInterface<Reference> {
 protected:
  void LoadCase(const std::string& name) {
    if (name.rfind("example", 0) == 0) {
      Batch_Initial_set();
      Batch_Example_set();
      if (name == "example_nrtl") {
        Case.K_Method = 3;
        Case.NRTL_Alpha = 0.3;
        const double tau[3][3] = {{0, 0.1, -0.2}, {0.05, 0, 0.3}, {0.6, 0.4, 0}};
        for (int i = 1; i <= 3; ++i)
          for (int j = 1; j <= 3; ++j) Case.NRTL_Tau[i][j] = tau[i - 1][j - 1];
      }
      for (int p = 2; p <= 9; ++p) Case.Tray_Press[p] = 0;  // linear from 760 to 770 mmHg
      Batch.Save_Interval = 0;
      Batch.QReb = Batch.QReb_TR;
      return;
    }
    ColumnCase c;
    if (name == "bt12_thick") c.plate = 0.5;
    if (name == "bt12_cooled") c.sideKcal = {{6, -50000}};
    if (name == "bt12_heated") c.plate = 0.1, c.sideKcal = {{4, 20000}};
    if (name == "bt12_mode3") c.plate = 0.1, c.mode = 3, c.tanks = {{1, -0.95, 5, 0, 250000}, {-1, 30, 8, 0, 200000}};
    if (name == "four") {
      c.comps = {kPentane, kBenzene, kToluene, kPXylene};
      c.z = {0.002, 0.3, 0.4, 0.298};
      c.plate = 0.1;
      c.tanks = {{102, 0.9, 6, 5, 0}, {-1, 25, 8, 4, 0}};
    }
    if (name == "sharp") {
      c.comps = {kPentane, kPXylene};
      c.z = {0.3, 0.7};
      c.nt = 8;
      c.plate = 0.1;
      c.tanks = {{1, -0.99, 3, 8, 0}, {-1, 20, 3, 8, 0}};
    }
    if (name == "odd_start") c.plate = 0.1, c.t0 = 20, c.conv = 0.005;
    if (name == "tiny") c.plate = 0.002, c.drum = 0.01, c.maxTime = 6, c.tanks = {{1, -0.95, 1, 10, 0}, {-1, 10, 1, 10, 0}};
    Load(c);
  }
};

TEST_P(BatchReferenceTest, EventsWithinOneStep) {
  const Reference& ref = GetParam();
  LoadCase(ref.name);
  Batch.Diff_Time = ref.step;
  ASSERT_TRUE(Batch_Check_Run().ok);
  const Events e = Run();
  EXPECT_EQ(e.retries, 0);
  EXPECT_EQ(e.end, BatchEnd::LastTank);
  ASSERT_EQ(e.tanks.size(), 2u);
  // A few ten-thousandths of an hour allow for the reference's interpolation.
  const double step = ref.step, slack = 5e-4;
  EXPECT_LE(e.converged, ref.converged + slack);
  EXPECT_GE(e.converged, ref.converged - step - slack);
  EXPECT_GE(e.tanks[0], ref.tanks[0] - slack);
  EXPECT_LE(e.tanks[0], ref.tanks[0] + step + slack);
  // The second tank starts up to a step late and ends up to a step late after that.
  EXPECT_NEAR(e.tanks[1], ref.tanks[1], 2 * step + slack);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, BatchReferenceTest,
    ::testing::Values(Reference{"bt12", 0.001, 0.0276, {7.4394, 14.9394}},
                      Reference{"bt12_thick", 0.02, 0.9434, {7.8052, 15.3058}},
                      Reference{"bt12_cooled", 0.001, 0.0314, {7.7462, 15.2462}},
                      Reference{"bt12_heated", 0.005, 0.1913, {7.3308, 14.8312}},
                      Reference{"bt12_mode3", 0.005, 0.1917, {6.7317, 17.4258}},
                      Reference{"four", 0.005, 1.9280, {0.3627, 6.6128}},
                      Reference{"sharp", 0.005, 0.0560, {3.6796, 6.1796}},
                      Reference{"odd_start", 0.005, 0.1477, {7.5140, 15.0144}},
                      Reference{"example", 0.005, 0.9276, {0.2000, 1.6448}},
                      Reference{"example_nrtl", 0.005, 1.3652, {0.2000, 1.2163}},
                      Reference{"tiny", 0.0005, 0.0055, {0.0075, 1.0075}}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
