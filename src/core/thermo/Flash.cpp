#include "core/thermo/Thermo.h"
void ITFlash(const double&, const double&, double&, const double[], ThermoOutcome*) {}
void Flash_XY(const double&, const double&, const double&, const double[], double[], double[]) {}
