#include "core/thermo/Thermo.h"
double Antoine_Psat(int, double) { return 0; }
void ActivityCoeff_Wilson(const double[]) {}
void ActivityCoeff_NRTL(const double[]) {}
void ActivityCoeff_Select(const double[]) {}
