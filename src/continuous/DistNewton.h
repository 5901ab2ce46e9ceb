// Simultaneous correction of all stage equations of a column (the Newton
// method of Naphtali and Sandholm, 1971), used by the column solver where the
// bubble-point sweep stalls, cycles or creeps, and to finish every run: per
// stage the temperature, the logarithms of the liquid mole fractions and the
// vapour and liquid flows are corrected together from the component balances,
// the bubble-point condition sum K x = 1 (sum x = 1 at a dew-point top), and, in the heat pass, the stage
// enthalpy and total balances. The solution is that of the bubble-point
// method's own equations; only the way to it differs. Works on the stage
// arrays of Case in place. Only for the K-value models with K at a given
// temperature (ideal, Wilson, NRTL).
//
// The Jacobian is exact (analytic derivatives of K and of the enthalpies) and
// its factorisation is reused for later corrections while a full step with it
// still cuts the residuals to a tenth. Each component balance is measured against
// the component's own flow through its stage, so a trace is held to the same
// relative accuracy as a key component.
#pragma once

#include <algorithm>
#include <vector>

#include "continuous/DistPassPolicy.h"
#include "core/model/CaseData.h"

// Feeds and draws of every stage, as the balances take them.
struct DistStageInputs {
  DistStageInputs() : feed{}, feedHeat{}, sideLiq{}, sideVap{}, zF{} {}
  // Only the stages 0..nt of the components 0..nc, all that a column of that
  // size reads, start at zero: clearing the full arrays costs a small column
  // more than a correction's residuals.
  DistStageInputs(int nc, int nt) {
    const int n = std::clamp(nt, 0, kMaxTray) + 1;
    std::fill_n(feed, n, 0.0);
    std::fill_n(feedHeat, n, 0.0);
    std::fill_n(sideLiq, n, 0.0);
    std::fill_n(sideVap, n, 0.0);
    for (int i = 0; i <= std::clamp(nc, 0, kMaxComp); ++i) std::fill_n(zF[i], n, 0.0);
  }
  double feed[kMaxTray + 1];      // total feed flow on the stage, kmol/h
  double feedHeat[kMaxTray + 1];  // sum of Feed_H x flow of the stage's feeds, J/h
  double sideLiq[kMaxTray + 1];   // liquid side cuts on the stage, kmol/h
  double sideVap[kMaxTray + 1];   // vapour side cuts on the stage, kmol/h
  double zF[kMaxComp + 1][kMaxTray + 1];  // component feed flow (component, stage), kmol/h
};

// What one correction did.
struct DistNewtonStep {
  bool taken = false;       // a step lowered the residuals and was stored
  bool reused = false;      // the step used the factorisation of an earlier correction
  double before = 0;        // largest scaled residual before the step
  double after = 0;         // largest scaled residual after it (before it when none was taken)
  double maxDeltaT = 0;     // largest stage temperature change of the step taken, K
  double fraction = 0;      // share of the Newton step taken
  bool pseudoTime = false;  // a pseudo-time step was tried (see DistStageNewton::LinearisePseudoTime)
};

class DistStageNewton {
 public:
  // True for the K-value models it can serve.
  static bool Available();
  // `heat`: the enthalpy balances set the flows (Tray_V(1), Tray_L(NT) and, with
  // a condenser, the reflux Tray_L(1) stay as they are); otherwise every flow stays.
  DistStageNewton(const DistStageInputs& inputs, bool heat);

  // One Newton correction from the stage arrays as they stand, with a line
  // search on the scaled residuals (a chord step while a kept factorisation
  // still cuts them to a tenth; stronger diagonals where only a sliver of the
  // step lowers them), by the rules `lim`. Stores Tray_T, Tray_X, Tray_Y = K x,
  // Tray_V, Tray_L.
  DistNewtonStep Step(const DistNewtonLimits& lim = {});

  // Pseudo-time steps (see DistNewton.cpp): the linearisation at the stage
  // arrays (re-weighing the residuals when `reweigh`), false when its
  // residuals are not finite; `step` gets the residual there.
  bool LinearisePseudoTime(bool reweigh, DistNewtonStep& step);
  // The squared scaled norm at that linearisation.
  double LinearisedNorm() const { return baseNorm_; }
  // One trial with step length theta (in units of each stage's own
  // residence) from the linearisation: the squared scaled norm at the trial
  // state, HUGE_VAL when the blocks do not factor or it is not finite.
  double TryPseudoTime(double theta);
  // Stores the last trial (Tray_T, Tray_X, Tray_Y = K x, Tray_V, Tray_L) into the stage arrays and `step`.
  void AcceptPseudoTime(DistNewtonStep& step);
  // Back to the linearisation's state.
  void RejectPseudoTime();

  // The largest scaled residual of the stage arrays as they stand (component
  // balances per unit of the component's own flow through the stage).
  double Residual();

  // For tests: the residuals r (component balances per unit feed) and the
  // exact Jacobian dr/du at the stage arrays, u being per stage (T, ln x(1..NC),
  // V, L); row-major, n = NT (NC + 3).
  void ExactJacobian(std::vector<double>& r, std::vector<double>& jac);
  // The residuals at u, as ExactJacobian gives them.
  void ResidualsAt(const std::vector<double>& u, std::vector<double>& r);

 private:
  int Block() const { return nc_ + 3; }
  // The top stage without a condenser is at the dew point of its vapour: there
  // sum x = 1 closes the stage (its liquid enters no other balance).
  bool DewTop(int j) const { return j == 1 && !(Case.Reflux_Ratio > 0); }
  void Load();
  void Store();
  // True when the stage arrays hold just what the last Store wrote: the
  // correction's own state (T, ln x, V, L) and its evaluation still stand.
  bool StoredStateStands() const;
  void Properties(int j, bool derivatives);
  void SetWeights();
  void StageResidual(int j, double* r) const;
  double Evaluate(bool derivatives);
  double MaxResidual() const;
  // Row k of stage j's residuals as the line search and the convergence test
  // weigh it: a component balance per unit of the component's own flow.
  double Scaled(int j, int k) const {
    const double v = rhs_[j * Block() + k];
    return k < nc_ ? v * weight_[static_cast<std::size_t>(j - 1) * nc_ + k] : v;
  }
  void Jacobian();
  bool Factor();
  void SolveFactored();
  double LimitStep() const;
  bool LineSearch(double n0, DistNewtonStep& step, bool linear, const DistNewtonLimits& lim);
  // z_ = zBase_ + alpha dz_, the mole fractions along x or ln x (LineSearch).
  void Advance(double alpha, bool linear);
  double MaxDeltaT(double alpha) const;

  const DistStageInputs& in_;
  bool heat_;
  int nc_, nt_;
  double hScale_ = 1;
  bool haveFactor_ = false;
  bool weightsFrozen_ = false;  // Evaluate keeps the weights it has
  double baseNorm_ = 0;         // squared scaled norm at the pseudo-time linearisation
  int pseudoTries_ = 0;         // trials from that linearisation
  double trialFraction_ = 1;    // share of the last trial's step that the flows allowed
  std::vector<double> savedDiag_, savedUpper_, savedRhs_, ownFlow_;  // a pseudo-time step's first try
  // The last Store wrote the state z_ and its evaluation (rhs_, x_, y_, hv_,
  // hl_) whose squared scaled norm is storedNorm_.
  bool stored_ = false;
  double lastNorm_ = 0, storedNorm_ = 0;
  // Stage state: T, ln x (C), V, L per stage, and what it gives.
  std::vector<double> z_, zBase_, dz_;
  std::vector<double> x_, y_, hv_, hl_;  // per stage
  std::vector<double> weight_;           // feed / own flow of each component balance (stage, component)
  std::vector<double> dydT_, dydz_;      // dy/dT (stage, component), dy(i)/d ln x(k) (stage, i, k)
  std::vector<double> dhvdT_, dhldT_, dhvdz_, dhldz_;  // enthalpy derivatives, total along T and ln x
  std::vector<double> fixedV_, fixedL_;
  std::vector<double> lower_, diag_, upper_, rhs_;  // block rows of the Jacobian, stage by stage
  std::vector<int> piv_;                            // pivots of the factored diagonal blocks
  std::vector<double> solveWork_;                   // right-hand sides on their way through the blocks
};
