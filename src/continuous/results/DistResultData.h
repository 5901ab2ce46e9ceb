// What the column's result windows show, computed from the run state in the
// case data (the solver's results or those read back from a case file): the
// product streams, the overall material and heat balance with the condenser
// and reboiler duties, and the streams and stages on a mole or weight basis.
// No Qt; the windows only place these numbers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/model/CaseData.h"

// One product stream of the column: what leaves, from which stage, in which phase.
struct DistStream {
  double flow = 0;  // kmol/h
  int stage = 0;    // the stage it leaves
  int phase = 0;    // 0 liquid, 1 vapour
  // Mole fraction of component i (Tray_X or Tray_Y of its stage).
  double Fraction(int i) const;
  // Molar enthalpy, internal heat unit per kmol (Dist_Tray_HL or Dist_Tray_HV).
  double Enthalpy() const;
};

// The products in the order they are summed: top liquid product (when above 0),
// top vapour product (when above 0), liquid side cuts, vapour side cuts, bottoms.
std::vector<DistStream> Dist_Product_Streams();
// The liquid draws (top liquid product, liquid side cuts, bottoms) and the
// vapour draws (top vapour product, vapour side cuts), as the tables list them.
std::vector<DistStream> Dist_Liquid_Draws();
std::vector<DistStream> Dist_Vapour_Draws();

// The overall balance of a solved column.
struct DistBalance {
  CompVec FeedComp{}, ProdComp{};  // kmol/h per component
  double ProdMoles = 0;            // kmol/h, the products' fractions as they stand
  double FeedMass = 0, ProdMass = 0;  // kg/h
  double FeedHeat = 0, ProdHeat = 0;  // internal heat unit per hour
  double Qc = 0, Qr = 0;              // condenser and reboiler duty, internal unit per hour
  double HeatIn = 0, HeatOut = 0;     // FeedHeat + Qr and ProdHeat + Qc
};
// Vapour and liquid molar enthalpies of every stage, J/kmol, from its stored
// temperature, pressure and compositions with the case's enthalpy model.
void Dist_Stage_Enthalpies(double hv[], double hl[]);

// Feeds against products, and the duties, with the stage enthalpies
// recomputed by Dist_Stage_Enthalpies: Qc is the vapour entering the
// condenser from stage 2 less the liquid leaving it (reflux and top liquid
// product) and the top vapour product; without a condenser (reflux ratio 0)
// there is no condenser duty. Qr is the heat the bottom stage needs: vapour
// and bottoms (and draws there) out, less the liquid from the stage above (and
// feeds there); a one-stage column takes Qr = ProdHeat - FeedHeat + Qc.
DistBalance Dist_Balance_Calc();

// What the results shown must be read with: empty when they are a solution,
// otherwise "Not converged" (Japanese or English) with what is wrong: the note
// of the run that left them, or for results read back from a file the worst
// residual of their stage equations.
std::string Dist_Result_Warning();

// (in - out) / in * 100; none when in is 0 (a component fed nowhere).
std::optional<double> Relative_Difference(double in, double out);

// A stream's values on the mole basis (weight = false) or the weight basis:
// the flow (kmol/h or kg/h), the enthalpy (display heat unit per kmol, or per
// kg) and the fractions. On the weight basis a composition that is all zero
// (no mean molecular weight) has no mass fractions and no per-mass enthalpy.
struct StreamView {
  double flow = 0;
  std::optional<double> enthalpy;
  std::optional<double> fraction[kMaxComp + 1];
};
// `molarEnthalpy` in the internal heat unit, `z` the mole fractions 1..NC.
StreamView Stream_View(bool weight, double moleFlow, double molarEnthalpy, const double z[]);

// Mean molecular weight of a composition: sum z(i) Mol_Wt(i), not renormalised.
double Mean_Mol_Wt(const double z[]);
