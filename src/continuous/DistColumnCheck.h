// Checks of a column solution against its own equations, and of the flows a pass
// has laid. The solver asks them before it calls a run converged and after every
// iteration; they read the case data model only.
#pragma once

#include <string>

// Which equation a residual belongs to.
enum class DistResidualKind {
  None,
  Equilibrium,  // |sum K x - 1| of a stage (sum y / K for a dew-point top stage), or its largest |y - K x|
  Component,    // a component's balance, per unit of its own flow through the stage (column)
  Heat,         // a stage enthalpy balance, per unit of the larger duty
};

struct DistResidual {
  DistResidualKind kind = DistResidualKind::None;
  double value = 0;  // the residual itself
  double limit = 0;  // what it is allowed
  int stage = 0;     // 0: the whole column
  int component = 0;
};

struct DistResidualReport {
  DistResidual worst;   // the residual furthest beyond (or nearest to) its limit
  bool balanced = true; // every residual within its limit
};

// The residuals of the stage arrays as they stand: the bubble (dew) condition
// of every stage, the equilibrium y = K x of each of its components and the
// sums of its liquid and vapour fractions, the component balance of every
// stage and of the whole column,
// and with `heat` the enthalpy balance of every stage without a duty.
// `materialCrit` and `heatCrit` are the user's convergence criteria; each
// residual is allowed its criterion (ten times it let a run end as converged
// a hundredth of a kelvin off the solution). A component balance is taken per
// unit of that component's own flow (per unit feed for one no feed carries).
// `evaluated`: the stage arrays are as a correction stored them, every vapour
// y = K x from the K-values at the stored temperature and liquid and, with
// `heat`, Dist_Tray_HV and Dist_Tray_HL the enthalpies of that state; those
// are taken instead of being evaluated again, and the equilibrium of a stage
// is then its |sum y - 1| (|sum x - 1| at a dew-point top).
DistResidualReport Dist_Column_Residuals(double materialCrit, double heatCrit, bool heat, bool evaluated = false);

// The worst residual, what it belongs to and its limit, in the Case.Language;
// with `head` it starts with "not converged". Empty for no residual.
std::string Dist_Residual_Text(const DistResidual& r, bool head = true);

// The first flow below zero of the stage arrays, from the top: stage j with
// its liquid (Tray_L) or vapour (Tray_V) flow. False when there is none.
struct DistNegativeFlow {
  int stage = 0;
  bool vapour = false;
  double flow = 0;
};
bool Dist_Find_Negative_Flow(DistNegativeFlow& found);

// The message for a negative flow: the stage, the flow and what to change.
std::string Dist_Negative_Flow_Text(const DistNegativeFlow& n);

// Checks the pressures: every typed pressure and every stage pressure laid for
// the run above zero and below the pressure at which a component's Antoine
// equation has no temperature (10^A mmHg). False with the reason shown.
bool Dist_Pressure_Check(bool laidStagePressures);

// The typed temperatures and pressures of the column inside the suite's range
// (core/model/PhysicalRange.h), naming the first box that is not; false after
// its message. The run check's first step: a value outside would confuse every
// later check.
bool Dist_Range_Check();
