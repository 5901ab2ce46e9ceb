// Mixture enthalpies from per-component temperature polynomials per unit mass.
// Only the polynomial model (H_Method 1) yields enthalpies; the other models give
// 0, which the solvers read as no heat balance.
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "core/thermo/ThermoInternal.h"

namespace {

// sum comp MW (A + B t + C t^2) / sum comp, converted from the display heat unit to J.
double polynomialMix(double t, const double comp[], const double A[], const double B[], const double C[]) {
  if (thermo::CountOutside()) return 0.0;
  const int nc = Case.NC;
  if (nc < 1) return 0.0;
  double h = 0.0, s = 0.0;
  for (int i = 1; i <= nc; ++i) {
    h += comp[i] * Case.Mol_Wt[i] * ((C[i] * t + B[i]) * t + A[i]);
    s += comp[i];
  }
  if (s == 0.0) return 0.0;
  return Unit_Heat_In(h / s);
}

}  // namespace

double Enthalpy_Vap_Poly(const double& t, const double y[]) {
  return polynomialMix(t, y, Case.HV_A, Case.HV_B, Case.HV_C);
}

double Enthalpy_Liq_Poly(const double& t, const double x[]) {
  return polynomialMix(t, x, Case.HL_A, Case.HL_B, Case.HL_C);
}

double Enthalpy_Vap(const double& t, const double&, const double y[]) {
  return Case.H_Method == 1 ? Enthalpy_Vap_Poly(t, y) : 0.0;
}

double Enthalpy_Liq(const double& t, const double&, const double x[]) {
  return Case.H_Method == 1 ? Enthalpy_Liq_Poly(t, x) : 0.0;
}
