#include "core/thermo/Thermo.h"
double T_Bubble_Mix(const double& t, const double&, const double[], ThermoOutcome*) { return t; }
double P_Bubble_Mix(const double&, const double& P, const double[], ThermoOutcome*) { return P; }
double P_Dew_Mix(const double&, const double& P, const double[], ThermoOutcome*) { return P; }
double T_Dew_Mix(const double& t, const double&, const double[], ThermoOutcome*) { return t; }
