// Analytic derivatives of the activity coefficients, vapour pressures and
// mixture enthalpies, for solvers that correct all stage equations at once.
// Each mirrors the value routine of Activity.cpp or Enthalpy.cpp term by term.
#include <algorithm>
#include <cmath>

#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "core/thermo/ThermoInternal.h"

namespace {

// Wilson (1964): ln Gamma(i) = 1 - ln S_i - sum_k Lambda(k, i) x(k) / S_k with
// S_k = sum_j Lambda(k, j) x(j), so
// d ln Gamma(i) / d x(m) = -Lambda(i, m) / S_i - Lambda(m, i) / S_m
//                          + sum_k Lambda(k, i) Lambda(k, m) x(k) / S_k^2.
bool WilsonJacobian(const double x[], double* d) {
  const int nc = Case.NC;
  const auto& lambda = Case.Wilson_Lambda;
  double s[kMaxComp + 1], w[kMaxComp + 1];
  for (int k = 1; k <= nc; ++k) {
    double sum = 0.0;
    for (int j = 1; j <= nc; ++j) sum += lambda[k][j] * x[j];
    if (!(sum > 0.0) || !std::isfinite(sum)) return false;
    s[k] = sum;
    w[k] = x[k] / (sum * sum);
  }
  // The last sum is symmetric in i and m: each pair is formed once.
  for (int i = 1; i <= nc; ++i) {
    double* row = d + (i - 1) * nc;
    for (int m = i; m <= nc; ++m) {
      double sum = 0.0;
      for (int k = 1; k <= nc; ++k) sum += lambda[k][i] * lambda[k][m] * w[k];
      row[m - 1] = sum;
      d[(m - 1) * nc + i - 1] = sum;
    }
  }
  for (int i = 1; i <= nc; ++i)
    for (int m = 1; m <= nc; ++m) d[(i - 1) * nc + m - 1] -= lambda[i][m] / s[i] + lambda[m][i] / s[m];
  return true;
}

// NRTL (Renon and Prausnitz 1968) with G(a, b) = exp(-alpha tau(a, b)),
// C_j = sum_k G(k, j) x(k), D_j = sum_k G(k, j) tau(k, j) x(k):
// ln Gamma(i) = D_i / C_i + sum_j x(j) G(i, j) / C_j (tau(i, j) - D_j / C_j), so
// d ln Gamma(i) / d x(m) = G(m, i) (tau(m, i) - D_i / C_i) / C_i
//     + G(i, m) (tau(i, m) - D_m / C_m) / C_m
//     - sum_j x(j) G(i, j) G(m, j) (tau(i, j) + tau(m, j) - 2 D_j / C_j) / C_j^2.
bool NrtlJacobian(const double x[], double* d) {
  const int nc = Case.NC;
  const auto& tau = Case.NRTL_Tau;
  const double alpha = Case.NRTL_Alpha;
  double g[kMaxComp + 1][kMaxComp + 1];
  double c[kMaxComp + 1], dc[kMaxComp + 1];
  for (int a = 1; a <= nc; ++a)
    for (int b = 1; b <= nc; ++b) g[a][b] = std::exp(-alpha * tau[a][b]);
  for (int j = 1; j <= nc; ++j) {
    double cj = 0.0, dj = 0.0;
    for (int k = 1; k <= nc; ++k) {
      cj += g[k][j] * x[k];
      dj += g[k][j] * tau[k][j] * x[k];
    }
    if (!(cj != 0.0) || !std::isfinite(cj + dj)) return false;
    c[j] = cj;
    dc[j] = dj / cj;
  }
  for (int i = 1; i <= nc; ++i) {
    double* row = d + (i - 1) * nc;
    for (int m = 1; m <= nc; ++m) {
      double v = g[m][i] * (tau[m][i] - dc[i]) / c[i] + g[i][m] * (tau[i][m] - dc[m]) / c[m];
      for (int j = 1; j <= nc; ++j)
        v -= x[j] * g[i][j] * g[m][j] * (tau[i][j] + tau[m][j] - 2 * dc[j]) / (c[j] * c[j]);
      row[m - 1] = v;
    }
  }
  return true;
}

// sum comp MW (A + B t + C t^2) / sum comp in J/mol, with its derivatives.
double PolynomialMixDeriv(double t, const double comp[], const double A[], const double B[], const double C[],
                          double& dHdt, double dHdc[]) {
  const int nc = Case.NC;
  dHdt = 0.0;
  for (int i = 1; i <= nc; ++i) dHdc[i] = 0.0;
  if (thermo::CountOutside() || nc < 1) return 0.0;
  double h = 0.0, dt = 0.0, s = 0.0;
  for (int i = 1; i <= nc; ++i) {
    h += comp[i] * Case.Mol_Wt[i] * ((C[i] * t + B[i]) * t + A[i]);
    dt += comp[i] * Case.Mol_Wt[i] * (2 * C[i] * t + B[i]);
    s += comp[i];
  }
  if (s == 0.0) return 0.0;
  // The unit conversion is a factor: take it once.
  const double factor = Unit_Heat_In(1.0);
  const double mix = h / s;
  for (int i = 1; i <= nc; ++i)
    dHdc[i] = factor * (Case.Mol_Wt[i] * ((C[i] * t + B[i]) * t + A[i]) - mix) / s;
  dHdt = factor * dt / s;
  return factor * mix;
}

}  // namespace

bool ActivityCoeff_LnGamma_Jacobian(const double x[], double dLnGamma[]) {
  if (thermo::CountOutside()) return false;
  const int nc = Case.NC;
  ActivityCoeff_Select(x);
  bool ok = true;
  switch (Case.K_Method) {
    case 2: ok = WilsonJacobian(x, dLnGamma); break;
    case 3: ok = NrtlJacobian(x, dLnGamma); break;
    default: ok = false; break;
  }
  if (!ok)
    for (int k = 0; k < nc * nc; ++k) dLnGamma[k] = 0.0;
  return ok;
}

double Antoine_dLnPsat_dT(int i, double t) {
  const double tc = t + Case.Antoine_C[i];
  return thermo::kLn10 * Case.Antoine_B[i] / (tc * tc);
}

double Enthalpy_Vap_Deriv(const double& t, const double y[], double& dHdt, double dHdy[]) {
  if (Case.H_Method != 1) {
    dHdt = 0.0;
    for (int i = 1; i <= std::min(std::max(Case.NC, 0), kMaxComp); ++i) dHdy[i] = 0.0;
    return 0.0;
  }
  return PolynomialMixDeriv(t, y, Case.HV_A, Case.HV_B, Case.HV_C, dHdt, dHdy);
}

double Enthalpy_Liq_Deriv(const double& t, const double x[], double& dHdt, double dHdx[]) {
  if (Case.H_Method != 1) {
    dHdt = 0.0;
    for (int i = 1; i <= std::min(std::max(Case.NC, 0), kMaxComp); ++i) dHdx[i] = 0.0;
    return 0.0;
  }
  return PolynomialMixDeriv(t, x, Case.HL_A, Case.HL_B, Case.HL_C, dHdt, dHdx);
}
