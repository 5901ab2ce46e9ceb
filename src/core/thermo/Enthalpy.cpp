#include "core/thermo/Thermo.h"
double Enthalpy_Vap(const double&, const double&, const double[]) { return 0; }
double Enthalpy_Liq(const double&, const double&, const double[]) { return 0; }
double Enthalpy_Vap_Poly(const double&, const double[]) { return 0; }
double Enthalpy_Liq_Poly(const double&, const double[]) { return 0; }
