// An independent steady-state solution of a generated column's stage equations
// (total condenser, partial reboiler), apart from the engine: its own
// equations, start, Newton method and banded elimination; the library serves
// only the K-values (activity coefficients, Antoine) and the enthalpy
// polynomials, through the process-wide Case that Lay_Column left.
//
// Unknowns per stage: temperature, ln x of every component, and with the heat
// balance ln V (below the top) and ln L (between top and bottom), so every
// flow and fraction of a solution is positive by construction. Equations per
// stage: the component balances with y = K x, sum y = 1, and with the heat
// balance the enthalpy balance (stages without a duty) and the total balance.
// Without the heat balance the flows are constant molal overflow from the
// reflux, the distillate and the feeds' vapour fractions.
//
// The start is a run of bubble-point sweeps at constant molal overflow; Newton
// solves that problem, then a continuation carries it to the heat balance,
// blending each enthalpy balance with the constant-overflow liquid flow.
#pragma once

#include <string>
#include <vector>

#include "ColumnGenerator.h"

struct RefProfile {
  bool solved = false;
  std::string why;  // why not solved
  int newtonSteps = 0;
  double residual = 0;  // largest scaled residual at the end
  std::vector<double> T, L, V;             // stages 0..nt-1
  std::vector<std::vector<double>> x, y;   // [stage][component]
};

// Solves the column Case holds (laid by Lay_Column from `col`).
RefProfile Reference_Solve(const GenColumn& col);

// The largest scaled residual of a profile (T, x, L, V as a solver left them) in
// the reference's equations: each component balance per unit of the
// component's own flow out of its stage, sum y - 1, the enthalpy balance per
// unit feed and 40 kJ/mol, the total balance per unit feed.
double Reference_Residual(const GenColumn& col, const RefProfile& p);

// The residual below which a profile is called a solution of the equations.
inline constexpr double kReferenceTolerance = 1e-8;
