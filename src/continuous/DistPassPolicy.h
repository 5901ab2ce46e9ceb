// What a pass of the column solver does next, from the facts of its last
// iteration: the strategy, apart from the stage equations and the
// thermodynamics (nothing here reads the case or the thermo library), every
// threshold a named limit.
//
// A pass starts with damped bubble-point sweeps. They hand over to the
// simultaneous corrections (DistNewton.h) when they creep or cycle, when in
// the first of two passes their error keeps rising, and in the last pass once
// their change test is met (a vanishing change is not yet a solution). A
// correction that finds no lower residuals, or creeps, is followed in turn
// by: pseudo-time steps from where the column stands; the corrections again
// from the profile the pass began with; sweeps that move the profile on
// (longer after each failure) before the corrections try again; and after
// `correctionTries` such failures the sweeps alone. A pseudo-time episode
// whose steps have not halved the largest residual over `pseudoTimeSpan`
// steps ends, and a Newton step is tried from where it got to.
//
// Pseudo-time steps solve (J + D / theta) dz = -r, D each component balance's
// own flow through its stage: a short theta moves every stage by a small share
// of its own size, a long one is Newton's step. The policy holds theta: it
// grows after each step taken by the fall of the residual norm, is quartered
// for another try of a step that found no lower residuals, and once it is
// that of a Newton step the corrections are Newton steps again.
#pragma once

#include <cstddef>
#include <vector>

// The rules of one Newton correction (DistStageNewton::Step): a kept
// factorisation serves a chord step while its full step cuts the squared
// scaled norm below reuseGain of itself; a line search halves the step at most
// `halvings` times and takes it where the squared norm falls by armijo times
// the share taken; a step taken over less than sliverFraction of the Newton
// step that leaves more than sliverFall of the residual is a sliver (a Jacobian
// near singular along a composition front), and the diagonals are then
// strengthened by each factor of `boosts` in turn until one lowers the
// residuals more.
struct DistNewtonLimits {
  double reuseGain = 1.0 / 16;  // a tenth of the residuals
  int halvings = 12;
  double armijo = 1e-4;
  double sliverFraction = 1.0 / 16;
  double sliverFall = 0.9;
  double boosts[4] = {1e-6, 1e-4, 1e-2, 1.0};
};

// The limits of the strategy.
struct DistPassLimits {
  DistNewtonLimits newton;
  // Sweeps whose error has not fallen below sweepSlowFall of what it was
  // sweepSpan sweeps before, once there are sweepWindow of them, creep or cycle.
  std::size_t sweepWindow = 10;
  std::size_t sweepSpan = 5;
  double sweepSlowFall = 0.5;
  // In the first of two passes (which only lays the start of the heat pass),
  // an error that rose sweepRises times running says the sweeps move away.
  std::size_t sweepRises = 4;
  // A correction taken over less than creepFraction of the Newton step that
  // leaves more than creepFall of the residual creeps along a valley.
  double creepFraction = 1.0 / 16;
  double creepFall = 0.9;
  // Pseudo-time steps within which the largest residual must halve.
  std::size_t pseudoTimeSpan = 12;
  double pseudoTimeFall = 0.5;
  // Failed corrections, each followed by pauseStep more sweeps than the one
  // before, before the pass is left to the sweeps alone.
  int correctionTries = 6;
  int pauseStep = 5;
  // The largest scaled residual at which the last pass asks the column
  // check: below floor, or below nearFloor with a correction that no longer
  // halves it.
  double floor = 1e-9;
  double nearFloor = 1e-7;
  // Pseudo-time: theta of an episode's first step, the one from which a step
  // is Newton's and the shortest tried; after a step taken theta grows by the
  // fall of the residual norm, within minGrowth..maxGrowth; a step that lowers
  // the squared norm by less than pseudoTimeDecrease of itself is not taken
  // and is tried again with retreat times theta, at most pseudoTimeTries times.
  // The residual weights of an episode stay until the squared norm has fallen
  // by reweighFall (re-weighing at every step made the steps cycle).
  double firstTheta = 16;
  double newtonTheta = 1e6;
  double shortestTheta = 1e-4;
  double minGrowth = 2;
  double maxGrowth = 10;
  double pseudoTimeDecrease = 1e-4;
  double retreat = 0.25;
  int pseudoTimeTries = 4;
  double reweighFall = 1e-6;
};

// The facts of one correction, as the kernel reports them.
struct DistCorrectionFacts {
  bool taken = false;       // a step lowered the residuals and was stored
  bool pseudoTime = false;  // it was a pseudo-time step
  double before = 0;        // largest scaled residual before it
  double after = 0;         // after it (before, when none was taken)
  double fraction = 0;      // share of the Newton step taken
};

// What follows a correction.
struct DistCorrectionMove {
  bool corrected = false;        // the iteration counts as a correction (else a sweep follows)
  bool beginPseudoTime = false;  // an episode of pseudo-time steps begins (Theta() is its first)
  bool endPseudoTime = false;    // the episode ends: the next correction is a Newton step again
  bool restart = false;          // the caller goes back to the profile the pass began with
};

class DistPassPolicy {
 public:
  explicit DistPassPolicy(const DistPassLimits& limits = {}) : lim_(limits) {}
  const DistPassLimits& Limits() const { return lim_; }

  // A new pass; `correcting`: it starts in the corrections (the first pass
  // ended in them and hands them its profile).
  void BeginPass(bool correcting);
  // Whether the pass has been handed to the corrections for good or for now.
  bool Correcting() const { return correcting_; }
  // True when the corrections found no lower residuals time after time.
  bool GaveUp() const { return gaveUp_; }

  // Before an iteration: true when it is a correction, false for a sweep
  // (counting down a pause of the corrections).
  bool CorrectionNext();
  // After a correction: what follows.
  DistCorrectionMove AfterCorrection(const DistCorrectionFacts& f);
  // What follows a sweep.
  enum class SweepEnd {
    GoOn,           // the pass goes on
    PassConverged,  // a first of two passes met its change test
    CheckAlone,     // the sweeps alone met the change test of the last pass: the column check decides
  };
  // After a sweep with error `e`, whose change test was `changeTestMet`. With
  // the corrections at hand the pass is handed to them where the sweeps creep,
  // cycle or (first of two passes) rise, and in the last pass once they meet
  // their change test.
  SweepEnd AfterSweep(double e, bool changeTestMet, bool lastPass, bool correctionsAvailable);
  // The column check after CheckAlone failed: the corrections take over, if at hand.
  void CheckAloneFailed(bool correctionsAvailable) { correcting_ = correcting_ || correctionsAvailable; }
  // A heat-pass sweep drove a flow below zero and was not taken: the
  // corrections, which keep every flow positive, go on from the state before it.
  void SweepWentNegative();
  // The profile went back to the pass start: the sweep record starts afresh.
  void Restarted();
  // After a correction: whether its residuals say the column check is due;
  // in the first of two passes once they are below firstPassLimit.
  bool CheckDue(const DistCorrectionFacts& f, bool lastPass, double firstPassLimit) const;
  // --- Pseudo-time steps ---
  // True while the corrections are pseudo-time steps.
  bool InPseudoTime() const { return theta_ > 0; }
  // Whether the next linearisation lays the residual weights afresh.
  bool PseudoTimeReweigh() const { return weighedNorm_ == 0; }
  // The step was linearised, with squared norm `norm` (re-weighed or not);
  // `finite`: its residuals are finite (otherwise Newton steps follow).
  void PseudoTimeLinearised(bool reweighed, double norm, bool finite);
  // Theta of the next try.
  double Theta() const { return theta_; }
  // What a try from squared norm n0 to n1 leads to.
  enum class Try { Take, Again, GiveUp };
  Try AfterPseudoTimeTry(double n0, double n1);

  // The check failed at the floor of the corrections with a component's
  // balance off: worth solving the trace balances directly.
  bool AtFloor(const DistCorrectionFacts& f) const;

 private:
  bool SweepsSlow(bool lastPass) const;

  DistPassLimits lim_;
  bool correcting_ = false;       // the pass is in the corrections
  bool gaveUp_ = false;           // the corrections failed correctionTries times
  bool restarted_ = false;        // they went back to the pass start
  bool pseudoTimeTried_ = false;  // pseudo-time steps were tried since the last restart or pause
  int pause_ = 0;                 // sweeps before the next correction
  int failures_ = 0;              // failed corrections of this pass
  double theta_ = 0;              // pseudo-time step length; 0: Newton steps
  double weighedNorm_ = 0;        // squared norm when the episode's weights were laid; 0: lay them
  int tries_ = 0;                 // tries of the present pseudo-time step
  std::vector<double> sweepErrors_;       // errors of the sweeps of this pass (since a restart)
  std::vector<double> pseudoTimeAfter_;   // largest residual after each step of the episode
};
