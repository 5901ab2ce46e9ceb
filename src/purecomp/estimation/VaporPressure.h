// Vapour pressure of the estimated component by three corresponding-states
// correlations and an Antoine equation fitted to it at the 51 points.
#pragma once

#include "purecomp/estimation/PhysData.h"

namespace physprop {

// Choice of correlation (the index of the window's option group).
enum VaporPressMethod { kRiedelPlankMiller = 0, kPitzer = 1, kLeeKesler = 2 };

// Riedel-Plank-Miller (Reid, Prausnitz & Sherwood 1977): t degC, Tb and Tc K,
// Pc atm; returns mmHg (760 mmHg per atm).
double Vapor_Press_Riedel_Plank_Miller(double t, double Tb, double Tc, double Pc);

// Pitzer's corresponding-states form in decimal logarithms; t degC, Tc K, Pc atm -> mmHg.
double Vapor_Press_Pitzer(double t, double Tc, double Pc, double omega);

// Lee-Kesler (1975); t degC, Tc K, Pc atm -> mmHg.
double Vapor_Press_Lee_Kesler(double t, double Tc, double Pc, double omega);

// Determinant of the 3x3 matrix with rows (a1 a2 a3), (a4 a5 a6), (a7 a8 a9).
double Det_3x3(double a1, double a2, double a3, double a4, double a5, double a6,
               double a7, double a8, double a9);

// Fills Phys_Pvap[1..51] by the chosen correlation at the points below Tc (0 at
// the others, which no pressure above Pc stands for) and fits Phys_Antoine_A, B, C
// (log10 P = A - B/(t + C), mmHg, degC) to those points by linear least squares
// on log10 P = k0 + k1 t + k2 t log10 P. NoPointBelowTc (nothing written) or
// TooFewPointsBelowTc when the range gives fewer than three such points;
// NotFinite when a pressure or the fit is not finite (Tc or Pc 0, equal
// temperatures, ...): the Antoine constants are then left as they were.
PhysStatus Vapor_Press_Antoine_Fit(int method);

}  // namespace physprop
