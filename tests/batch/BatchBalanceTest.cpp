// Component balances of whole runs whose light component runs out in the
// still: each component is kept, the still's own balance follows its flows,
// no fraction goes negative and the run reaches its normal end, at the step
// of the example and at a half and a quarter of it.
#include <cmath>

#include "batch/BatchTestSupport.h"
#include "platform/text/SeqFile.h"

using namespace batchtest;

namespace {

struct Charge {
  const char* name;
  double kmol[4];  // per component 1..3; [0] unused
};

// The example with methanol lowered to 0.2 (the others scaled to sum 1), and
// the example charged as 1000 kg and 2000 kg of 0.3/0.1/0.6 by mass (molar
// masses 32.04, 46.07, 18.015).
const Charge kCharges[] = {
    {"Methanol02", {0, 20, 3 * 0.8 / 0.88, 85 * 0.8 / 0.88}},
    {"Mass1000kg", {0, 300 / 32.04, 100 / 46.07, 600 / 18.015}},
    {"Mass2000kg", {0, 600 / 32.04, 200 / 46.07, 1200 / 18.015}},
};

struct Outcome {
  BatchEnd end = BatchEnd::None;
  double convergedAt = -1;
  std::vector<double> tankTimes;
  double worstCharge = 0, worstStill = 0, worstTrapezoid = 0, leastFraction = 1;
  long steps = 0;
};

class BatchBalanceTest : public BatchFixture, public ::testing::WithParamInterface<int> {
 protected:
  Outcome RunCharge(const Charge& c, double step) {
    LoadExample();
    Batch.Total_Feed = c.kmol[1] + c.kmol[2] + c.kmol[3];
    for (int i = 1; i <= 3; ++i) Batch.Feed_Comp[i] = c.kmol[i] / Batch.Total_Feed;
    Batch.Diff_Time = step;
    Batch.Save_Interval = 0;
    Outcome out;
    double recorded[4] = {0, 0, 0, 0}, inTank[4] = {0, 0, 0, 0};
    int tank = 1;
    // The state the next step starts from: still amounts, the liquid of the
    // plate above it, the still's vapour-liquid ratios.
    double stillBefore[4], aboveBefore[4], kStill[4];
    RecordingHost host;
    BatchRun run(host);
    auto remember = [&] {
      for (int i = 1; i <= 3; ++i) {
        stillBefore[i] = Batch.Holdup_Mol[10] * Case.Tray_X[i][10];
        aboveBefore[i] = Case.Tray_X[i][9];
        kStill[i] = Case.Tray_X[i][10] > 0 ? Case.Tray_Y[i][10] / Case.Tray_X[i][10] : 0;
      }
    };
    host.onWithdrawal = [&] { out.convergedAt = run.CalTime() + run.StepTime(); };
    host.onStep = [&] {
      if (Batch.Prod_Phase == 1 && Batch.Tank_No != tank) {
        for (int i = 1; i <= 3; ++i) recorded[i] += inTank[i];
        tank = Batch.Tank_No;
      }
      const double dt = run.StepTime(), l = Case.Tray_L[9], v = Case.Tray_V[10];
      double kx = 0;
      for (int i = 1; i <= 3; ++i) kx += kStill[i] * Case.Tray_X[i][10];
      for (int i = 1; i <= 3; ++i) {
        double n = recorded[i] + (Batch.Prod_Phase == 1 ? Batch.Tank_Amount[i] : 0);
        for (int p = 1; p <= 10; ++p) n += Batch.Holdup_Mol[p] * Case.Tray_X[i][p];
        out.worstCharge = std::max(out.worstCharge, std::fabs(n - c.kmol[i]) / c.kmol[i]);
        inTank[i] = Batch.Tank_Amount[i];
        out.leastFraction = std::min({out.leastFraction, Batch.Tank_Amount[i]});
        for (int p = 1; p <= 10; ++p)
          out.leastFraction = std::min({out.leastFraction, Case.Tray_X[i][p], Case.Tray_Y[i][p]});

        // The still's change against what its flows brought and took.
        const double in = run.StillInflow()[i], outflow = run.StillOutflow()[i];
        const double change = Batch.Holdup_Mol[10] * Case.Tray_X[i][10] - stillBefore[i];
        const double gross = std::max(in, outflow);
        if (gross > 0) out.worstStill = std::max(out.worstStill, std::fabs(change - (in - outflow)) / gross);
        // Independently of the engine's stages: the trapezoid rule over the
        // step with the step's flows and the still's frozen ratios.
        const double heldBefore = stillBefore[1] + stillBefore[2] + stillBefore[3];
        const double yStart = kStill[i] * stillBefore[i] / heldBefore;  // normalised by its equilibrium
        const double yEnd = kx > 0 ? kStill[i] * Case.Tray_X[i][10] / kx : 0;
        const double trapezoid = dt / 2 * (l * (aboveBefore[i] + Case.Tray_X[i][9]) - v * (yStart + yEnd));
        if (gross > 0) out.worstTrapezoid = std::max(out.worstTrapezoid, std::fabs(change - trapezoid) / gross);
      }
      remember();
    };
    if (!run.Start()) return out;
    remember();
    while (run.Step()) {
    }
    out.end = run.End();
    out.steps = run.Steps();
    seqfile::Reader r;
    if (r.Open(File(5)))
      while (!r.Eof()) {
        r.Int();
        out.tankTimes.push_back(r.Double());
        for (int k = 0; k < 3 + 10; ++k) r.Double();
      }
    return out;
  }
};

TEST_P(BatchBalanceTest, LightComponentRunsOutAndTheRunGoesToItsEnd) {
  const Charge& c = kCharges[GetParam()];
  std::vector<Outcome> runs;
  for (int divisor : {1, 2, 4}) {
    SCOPED_TRACE(divisor);
    const Outcome o = RunCharge(c, 0.0002 / divisor);
    EXPECT_EQ(o.end, BatchEnd::LastTank) << static_cast<int>(o.end);
    ASSERT_EQ(o.tankTimes.size(), 2u);
    EXPECT_LT(o.worstCharge, 1e-9);
    EXPECT_LT(o.worstStill, 1e-6);
    // Second order in the step: about 3e-5 at 0.0002 h.
    EXPECT_LT(o.worstTrapezoid, 1e-4 / (divisor * divisor));
    EXPECT_GE(o.leastFraction, 0);
    EXPECT_GT(o.steps, 5000 * divisor);
    runs.push_back(o);
  }
  // The events do not depend on the step.
  for (const Outcome& o : runs) {
    EXPECT_NEAR(o.convergedAt, runs.back().convergedAt, 0.005);
    for (int k = 0; k < 2; ++k) EXPECT_NEAR(o.tankTimes[k], runs.back().tankTimes[k], 0.005) << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Charges, BatchBalanceTest, ::testing::Values(0, 1, 2),
                         [](const auto& p) { return std::string(kCharges[p.param].name); });

}  // namespace
