// Liquid heat capacity, heat of vaporisation and saturated liquid density of
// the estimated component at the 51 points below Tc, each with its range and a
// least-squares fit A + B T + C T^2 (T in K).
#pragma once

#include "purecomp/estimation/PhysData.h"

namespace physprop {

// Ideal-gas heat capacity from Phys_Cp0[1..4] at T (K), cal/mol/K.
double Cp0_At(double T);

// Rowlinson-Bondi liquid Cp (Reid, Prausnitz & Sherwood 1977): Cp0 plus a
// residual of Tr and omega; fills Phys_CpL and its fit.
PhysStatus CpLiq_Rowlinson_Bondi(FitWork& work);

// Heat of vaporisation at the normal boiling point by Vetere's relation
// (Reid, Prausnitz & Poling 1987, Pc in bar), cal/mol.
double Heat_Of_Vaporization_Tb();

// Heat of vaporisation at each point by Watson's relation (exponent 0.38) from
// the boiling-point value, cal/mol; fills Phys_Hv and its fit.
PhysStatus Heat_Of_Vaporization(FitWork& work);

// Gunn-Yamada (1971) saturated liquid density, g/cm3; fills Phys_DenL and both fits.
PhysStatus LiqDensity_Gunn_Yamada(FitWork& work);

// Spencer-Danner (1972) modified Rackett density from a reference density
// rhoRef (g/cm3) at TrefC (degC); fills Phys_DenL and both fits.
PhysStatus LiqDensity_Spencer_Danner(FitWork& work, double rhoRef, double TrefC);

}  // namespace physprop
