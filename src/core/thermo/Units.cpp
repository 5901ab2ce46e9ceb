#include "core/thermo/Thermo.h"
double Unit_Temp_In(const double& T) { return T; }
double Unit_Temp_Out(const double& T) { return T; }
double Unit_Press_In(const double& P) { return P; }
double Unit_Press_Out(const double& P) { return P; }
double Unit_Heat_In(const double& H) { return H; }
double Unit_Heat_Out(const double& H) { return H; }
