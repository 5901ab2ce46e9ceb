// Simultaneous correction of all stage equations of a column (the Newton
// method of Naphtali and Sandholm, 1971), used by the column solver where the
// bubble-point sweep stalls, cycles or creeps: per stage the temperature, the
// logarithms of the liquid mole fractions and the vapour and liquid flows are
// corrected together from the component balances, the bubble-point condition
// sum K x = 1, and, in the heat pass, the stage enthalpy and total balances.
// The solution is that of the bubble-point method's own equations; only the
// way to it differs. Works on the stage arrays of Case in place. Only for the
// K-value models with K at a given temperature (ideal, Wilson, NRTL).
#pragma once

#include <vector>

#include "core/model/CaseData.h"

// Feeds and draws of every stage, as the balances take them.
struct DistStageInputs {
  double feed[kMaxTray + 1]{};      // total feed flow on the stage, kmol/h
  double feedHeat[kMaxTray + 1]{};  // sum of Feed_H x flow of the stage's feeds, J/h
  double sideLiq[kMaxTray + 1]{};   // liquid side cuts on the stage, kmol/h
  double sideVap[kMaxTray + 1]{};   // vapour side cuts on the stage, kmol/h
  double zF[kMaxComp + 1][kMaxTray + 1]{};  // component feed flow (component, stage), kmol/h
};

// What one correction did.
struct DistNewtonStep {
  bool taken = false;   // a step lowered the residuals and was stored
  double norm = 0;      // scaled residual norm after the step (before it when none was taken)
  double maxDeltaT = 0; // largest stage temperature change of the full Newton step, K
  double fraction = 0;  // share of the Newton step taken
};

class DistStageNewton {
 public:
  // True for the K-value models it can serve.
  static bool Available();
  // `heat`: the enthalpy balances set the flows (Tray_V(1), Tray_L(NT) and, with
  // a condenser, the reflux Tray_L(1) stay as they are); otherwise every flow stays.
  DistStageNewton(const DistStageInputs& inputs, bool heat);

  // One correction from the stage arrays as they stand, with a line search on
  // the scaled residuals. Stores Tray_T, Tray_X, Tray_Y = K x, Tray_V, Tray_L.
  DistNewtonStep Step();

 private:
  int Block() const { return nc_ + 3; }
  void Load();
  void Store();
  void Properties(int j);
  void Residual(int j, double* r) const;
  double Norm();
  void Jacobian();
  bool Solve();

  const DistStageInputs& in_;
  bool heat_;
  int nc_, nt_;
  double hScale_ = 1;
  // Stage state: T, ln x (C), V, L per stage, and what it gives.
  std::vector<double> z_, zBase_, dz_;
  std::vector<double> x_, y_, hv_, hl_;  // per stage
  std::vector<double> fixedV_, fixedL_;
  std::vector<double> lower_, diag_, upper_, rhs_;  // block rows of the Jacobian, stage by stage
};
