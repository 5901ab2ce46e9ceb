// The column solver's strategy on scripted facts: each transition of what a
// pass does next, with no column behind it.
#include <gtest/gtest.h>

#include <cmath>

#include "continuous/DistPassPolicy.h"

namespace {

using SweepEnd = DistPassPolicy::SweepEnd;

DistCorrectionFacts Failed(double before) {
  DistCorrectionFacts f;
  f.before = f.after = before;
  return f;
}

DistCorrectionFacts Taken(double before, double after, double fraction = 1, bool pseudoTime = false) {
  DistCorrectionFacts f;
  f.taken = true;
  f.pseudoTime = pseudoTime;
  f.before = before;
  f.after = after;
  f.fraction = fraction;
  return f;
}

// A policy whose pass has just been handed to the corrections.
DistPassPolicy Correcting() {
  DistPassPolicy p;
  p.BeginPass(true);
  EXPECT_TRUE(p.CorrectionNext());
  return p;
}

TEST(DistPassPolicySweeps, HandOverOnTheChangeTestOnlyInTheLastPass) {
  DistPassPolicy p;
  p.BeginPass(false);
  EXPECT_FALSE(p.CorrectionNext());
  EXPECT_EQ(p.AfterSweep(1e-3, false, true, true), SweepEnd::GoOn);
  EXPECT_FALSE(p.Correcting());
  // The last pass: a vanishing change is not a solution; the corrections decide.
  EXPECT_EQ(p.AfterSweep(1e-3, true, true, true), SweepEnd::GoOn);
  EXPECT_TRUE(p.Correcting());
  EXPECT_TRUE(p.CorrectionNext());
  // A first of two passes ends on its change test as it always did.
  DistPassPolicy first;
  first.BeginPass(false);
  EXPECT_EQ(first.AfterSweep(1e-3, true, false, true), SweepEnd::PassConverged);
  EXPECT_FALSE(first.Correcting());
  // Without the corrections the last pass's change test asks the column check;
  // a failed check keeps the sweeps going unless the corrections are at hand.
  DistPassPolicy alone;
  alone.BeginPass(false);
  EXPECT_EQ(alone.AfterSweep(1e-3, true, true, false), SweepEnd::CheckAlone);
  alone.CheckAloneFailed(false);
  EXPECT_FALSE(alone.Correcting());
  alone.CheckAloneFailed(true);
  EXPECT_TRUE(alone.Correcting());
}

TEST(DistPassPolicySweeps, CreepingCyclingOrRisingSweepsHandOver) {
  // Ten sweeps, the last not below half of the one five before: creeping.
  DistPassPolicy p;
  p.BeginPass(false);
  const double creeping[] = {1, 0.95, 0.9, 0.85, 0.8, 0.75, 0.7, 0.65, 0.6, 0.55};
  for (int k = 0; k < 9; ++k) {
    p.AfterSweep(creeping[k], false, true, true);
    EXPECT_FALSE(p.Correcting()) << k;
  }
  p.AfterSweep(creeping[9], false, true, true);
  EXPECT_TRUE(p.Correcting());
  // Halving every five sweeps is progress.
  DistPassPolicy q;
  q.BeginPass(false);
  for (int k = 0; k < 20; ++k) q.AfterSweep(std::pow(0.8, k), false, true, true);
  EXPECT_FALSE(q.Correcting());
  // Four rises running: in the first of two passes the corrections take over
  // at once; in the last pass rises alone do not.
  for (const bool last : {false, true}) {
    DistPassPolicy r;
    r.BeginPass(false);
    for (const double e : {1.0, 1.1, 1.2, 1.3, 1.4}) r.AfterSweep(e, false, last, true);
    EXPECT_EQ(r.Correcting(), !last);
  }
  // Without the corrections nothing is handed over.
  DistPassPolicy s;
  s.BeginPass(false);
  for (int k = 0; k < 12; ++k) EXPECT_EQ(s.AfterSweep(1.0, false, true, false), SweepEnd::GoOn);
  EXPECT_FALSE(s.Correcting());
}

TEST(DistPassPolicyCorrections, AFailedOrCreepingStepStartsPseudoTime) {
  DistPassPolicy p = Correcting();
  const DistCorrectionMove m = p.AfterCorrection(Failed(0.1));
  EXPECT_TRUE(m.beginPseudoTime);
  EXPECT_FALSE(m.corrected);  // no step taken: a sweep follows in the same iteration
  EXPECT_FALSE(m.restart);
  // A sliver of a Newton step that leaves nine tenths of the residual creeps:
  // it is kept, and pseudo-time steps follow.
  DistPassPolicy q = Correcting();
  const DistCorrectionMove c = q.AfterCorrection(Taken(0.1, 0.095, 1.0 / 32));
  EXPECT_TRUE(c.beginPseudoTime);
  EXPECT_TRUE(c.corrected);
  // A good Newton step, and a short one that cuts the residual, go on as they are.
  for (const DistCorrectionFacts& f : {Taken(0.1, 0.01), Taken(0.1, 0.05, 1.0 / 32)}) {
    DistPassPolicy r = Correcting();
    const DistCorrectionMove g = r.AfterCorrection(f);
    EXPECT_TRUE(g.corrected);
    EXPECT_FALSE(g.beginPseudoTime || g.endPseudoTime || g.restart);
  }
  // At the floor already, a correction that finds no step is not a failure:
  // the column check decides.
  DistPassPolicy s = Correcting();
  const DistCorrectionMove f = s.AfterCorrection(Failed(1e-8));
  EXPECT_TRUE(f.corrected);
  EXPECT_FALSE(f.beginPseudoTime || f.restart);
}

TEST(DistPassPolicyCorrections, APseudoTimeEpisodeThatDoesNotHalveEnds) {
  DistPassPolicy p = Correcting();
  ASSERT_TRUE(p.AfterCorrection(Failed(0.1)).beginPseudoTime);
  // Twelve steps that take the residual from 1 to 0.6: the thirteenth, not
  // below half of the first, ends the episode.
  double r = 1;
  for (int k = 0; k < 12; ++k, r *= 0.96) {
    const DistCorrectionMove m = p.AfterCorrection(Taken(r, r * 0.96, 1, true));
    EXPECT_FALSE(m.endPseudoTime) << k;
  }
  EXPECT_TRUE(p.AfterCorrection(Taken(r, r * 0.96, 1, true)).endPseudoTime);
  // An episode whose steps halve the residual goes on.
  DistPassPolicy q = Correcting();
  q.AfterCorrection(Failed(0.1));
  r = 1;
  for (int k = 0; k < 30; ++k, r *= 0.9) EXPECT_FALSE(q.AfterCorrection(Taken(r, r * 0.9, 1, true)).endPseudoTime);
  // After an ended episode a creeping Newton step starts a fresh one.
  EXPECT_TRUE(p.AfterCorrection(Taken(0.5, 0.49, 1.0 / 64)).beginPseudoTime);
}

TEST(DistPassPolicyCorrections, FailuresGoBackToThePassStartThenPauseThenGiveUp) {
  DistPassPolicy p = Correcting();
  ASSERT_TRUE(p.AfterCorrection(Failed(0.1)).beginPseudoTime);
  // The pseudo-time steps fail too: once back to the profile the pass began with.
  const DistCorrectionMove back = p.AfterCorrection(Failed(0.1));
  EXPECT_TRUE(back.restart);
  EXPECT_FALSE(back.beginPseudoTime);
  EXPECT_TRUE(p.CorrectionNext());
  // From there: pseudo-time again, then sweeps, five more after each failure.
  ASSERT_TRUE(p.AfterCorrection(Failed(0.1)).beginPseudoTime);
  for (int failure = 1; failure <= 6; ++failure) {
    const DistCorrectionMove m = p.AfterCorrection(Failed(0.1));
    EXPECT_FALSE(m.restart) << failure;
    if (failure == 6) break;
    EXPECT_FALSE(p.GaveUp());
    for (int k = 0; k < 5 * failure; ++k) EXPECT_FALSE(p.CorrectionNext()) << failure << ' ' << k;
    EXPECT_TRUE(p.CorrectionNext()) << failure;
    ASSERT_TRUE(p.AfterCorrection(Failed(0.1)).beginPseudoTime) << failure;
  }
  // Six failures: the sweeps alone, whatever they do.
  EXPECT_TRUE(p.GaveUp());
  EXPECT_FALSE(p.Correcting());
  for (int k = 0; k < 12; ++k) EXPECT_EQ(p.AfterSweep(1.0, false, true, true), SweepEnd::GoOn);
  EXPECT_FALSE(p.Correcting());
  // A new pass does not inherit them.
  p.BeginPass(false);
  EXPECT_FALSE(p.GaveUp());
}

TEST(DistPassPolicyCorrections, ANegativeSweepHandsOverAtOnceEvenDuringAPause) {
  DistPassPolicy p = Correcting();
  p.AfterCorrection(Failed(0.1));  // pseudo-time
  p.AfterCorrection(Failed(0.1));  // back to the pass start
  p.AfterCorrection(Failed(0.1));  // pseudo-time
  p.AfterCorrection(Failed(0.1));  // a pause of five sweeps
  EXPECT_FALSE(p.CorrectionNext());
  p.SweepWentNegative();
  EXPECT_TRUE(p.CorrectionNext());
  // Also from the sweeps of a pass not yet handed over.
  DistPassPolicy q;
  q.BeginPass(false);
  EXPECT_FALSE(q.CorrectionNext());
  q.SweepWentNegative();
  EXPECT_TRUE(q.CorrectionNext());
}

TEST(DistPassPolicyCorrections, TheCheckIsDueAtTheFloorOfTheResiduals) {
  const DistPassPolicy p;
  // Last pass: below the floor, or below the near floor once a step no longer halves.
  EXPECT_TRUE(p.CheckDue(Taken(1e-6, 5e-10), true, 1e-5));
  EXPECT_FALSE(p.CheckDue(Taken(1e-6, 5e-8), true, 1e-5));
  EXPECT_TRUE(p.CheckDue(Taken(6e-8, 5e-8), true, 1e-5));
  EXPECT_FALSE(p.CheckDue(Taken(1e-3, 5e-7), true, 1e-5));
  EXPECT_TRUE(p.CheckDue(Failed(5e-8), true, 1e-5));
  // The first of two passes asks as soon as its residuals are below its own limit.
  EXPECT_TRUE(p.CheckDue(Taken(1e-3, 5e-6), false, 1e-5));
  EXPECT_FALSE(p.CheckDue(Taken(1e-3, 5e-5), false, 1e-5));
  EXPECT_TRUE(p.AtFloor(Taken(1e-6, 5e-10)));
  EXPECT_FALSE(p.AtFloor(Taken(1e-3, 5e-6)));
}

TEST(DistPassPolicyPseudoTime, ThetaFollowsTheResidualsUntilTheStepsAreNewtonsAgain) {
  using Try = DistPassPolicy::Try;
  DistPassPolicy p = Correcting();
  EXPECT_FALSE(p.InPseudoTime());
  ASSERT_TRUE(p.AfterCorrection(Failed(0.1)).beginPseudoTime);
  ASSERT_TRUE(p.InPseudoTime());
  EXPECT_EQ(p.Theta(), 16);
  EXPECT_TRUE(p.PseudoTimeReweigh());  // an episode lays its own weights
  p.PseudoTimeLinearised(true, 1.0, true);
  EXPECT_FALSE(p.PseudoTimeReweigh());
  // A step that lowers the squared norm fourfold doubles theta; one a
  // thousandfold grows it tenfold at most; one that barely lowers it still doubles it.
  EXPECT_EQ(p.AfterPseudoTimeTry(1.0, 0.25), Try::Take);
  EXPECT_DOUBLE_EQ(p.Theta(), 32);
  p.PseudoTimeLinearised(false, 0.25, true);
  EXPECT_EQ(p.AfterPseudoTimeTry(0.25, 0.25e-3), Try::Take);
  EXPECT_DOUBLE_EQ(p.Theta(), 320);
  p.PseudoTimeLinearised(false, 0.25e-3, true);
  EXPECT_EQ(p.AfterPseudoTimeTry(0.25e-3, 0.2e-3), Try::Take);
  EXPECT_DOUBLE_EQ(p.Theta(), 640);
  // Not lower by a ten-thousandth: tried again with a quarter of theta, four tries in all.
  p.PseudoTimeLinearised(false, 0.2e-3, true);
  EXPECT_EQ(p.AfterPseudoTimeTry(0.2e-3, 0.2e-3 * (1 - 1e-5)), Try::Again);
  EXPECT_DOUBLE_EQ(p.Theta(), 160);
  EXPECT_EQ(p.AfterPseudoTimeTry(0.2e-3, HUGE_VAL), Try::Again);
  EXPECT_EQ(p.AfterPseudoTimeTry(0.2e-3, 1.0), Try::Again);
  EXPECT_EQ(p.AfterPseudoTimeTry(0.2e-3, 1.0), Try::GiveUp);
  EXPECT_FALSE(p.InPseudoTime());  // a step that found nothing: Newton's turn, then the ladder
  // A squared norm a millionth of the episode's first: the weights are laid afresh.
  DistPassPolicy q = Correcting();
  q.AfterCorrection(Failed(0.1));
  q.PseudoTimeLinearised(true, 1.0, true);
  EXPECT_EQ(q.AfterPseudoTimeTry(1.0, 0.5e-6), Try::Take);
  EXPECT_TRUE(q.PseudoTimeReweigh());
  // Theta past that of a Newton step: the corrections are Newton steps again.
  for (int k = 0; k < 6 && q.InPseudoTime(); ++k) {
    q.PseudoTimeLinearised(true, 1.0, true);
    q.AfterPseudoTimeTry(1.0, 1e-3);
  }
  EXPECT_FALSE(q.InPseudoTime());
  // Residuals that are not finite end the episode at once.
  DistPassPolicy r = Correcting();
  r.AfterCorrection(Failed(0.1));
  r.PseudoTimeLinearised(true, HUGE_VAL, false);
  EXPECT_FALSE(r.InPseudoTime());
  // Going back to the pass start ends an episode too.
  DistPassPolicy t = Correcting();
  t.AfterCorrection(Failed(0.1));
  ASSERT_TRUE(t.InPseudoTime());
  ASSERT_TRUE(t.AfterCorrection(Failed(0.1)).restart);
  EXPECT_FALSE(t.InPseudoTime());
}

}  // namespace
