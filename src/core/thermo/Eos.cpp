#include "core/thermo/Thermo.h"
double T_Bubble_srk(const int32_t&, const double& t, const double&, const double[], ThermoOutcome*) { return t; }
void K_Initial_Riedel(const double&, const double&) {}
void EOS_Parameter(const int32_t&, const double&, const double[], double&, double&) {}
void EOS_Cubic_Root(const int32_t&, const int32_t&, const double&, const double&, const double[], double&,
                    const double&, const double&) {}
void EOS_Fugacity(const int32_t&, const double&, const double&, const double[], double[], const double&,
                  const double&, const double&) {}
