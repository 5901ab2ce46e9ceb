// Antoine vapour pressures and the Wilson and NRTL activity coefficients. These
// run once per stage and iteration of a column: everything lives on the stack.
#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "core/thermo/ThermoInternal.h"

namespace {

const char* const kWilsonMessage = "ActivityCoeff_Wilson: Σ Lambda(i, j) x(j) ≤ 0";
const char* const kNrtlMessage = "ActivityCoeff_NRTL: Not-Finite";

void setIdeal(int nc) {
  for (int i = 1; i <= nc; ++i) Case.Gamma[i] = 1.0;
}

}  // namespace

double Antoine_Psat(int i, double t) { return thermo::PsatMmHg(i, t); }

void ActivityCoeff_Wilson(const double x[]) {
  if (thermo::CountOutside()) return;
  const int nc = Case.NC;
  const auto& lambda = Case.Wilson_Lambda;
  double s[kMaxComp + 1];    // S_k = sum_j Lambda(k, j) x(j)
  double xOverS[kMaxComp + 1];
  for (int k = 1; k <= nc; ++k) {
    double sum = 0.0;
    for (int j = 1; j <= nc; ++j) sum += lambda[k][j] * x[j];
    // ln S_k and x(k) / S_k need S_k > 0; a Lambda matrix that allows S_k <= 0
    // has no physical meaning, so fall back to an ideal liquid and say so.
    if (!(sum > 0.0) || !std::isfinite(sum)) {
      Calc_Message(kWilsonMessage);
      setIdeal(nc);
      return;
    }
    s[k] = sum;
  }
  // Each step over all components before the next, so that the divisions and
  // the logarithms of the components overlap.
  for (int k = 1; k <= nc; ++k) xOverS[k] = x[k] / s[k];
  double lnS[kMaxComp + 1];
  for (int i = 1; i <= nc; ++i) lnS[i] = std::log(s[i]);
  for (int i = 1; i <= nc; ++i) {
    double t = 0.0;
    for (int k = 1; k <= nc; ++k) t += lambda[k][i] * xOverS[k];
    Case.Gamma[i] = 1.0 - lnS[i] - t;
  }
  for (int i = 1; i <= nc; ++i) Case.Gamma[i] = std::exp(Case.Gamma[i]);
}

void ActivityCoeff_NRTL(const double x[]) {
  if (thermo::CountOutside()) return;
  const int nc = Case.NC;
  const auto& tau = Case.NRTL_Tau;
  const double alpha = Case.NRTL_Alpha;
  // G is computed once per call (NC^2 exponentials) rather than inside the sums.
  double g[kMaxComp + 1][kMaxComp + 1];
  double c[kMaxComp + 1];         // C_j = sum_k G(k, j) x(k)
  double dOverC[kMaxComp + 1];    // D_j / C_j, D_j = sum_k G(k, j) tau(k, j) x(k)
  for (int a = 1; a <= nc; ++a)
    for (int b = 1; b <= nc; ++b) g[a][b] = std::exp(-alpha * tau[a][b]);
  for (int j = 1; j <= nc; ++j) {
    double cj = 0.0, dj = 0.0;
    for (int k = 1; k <= nc; ++k) {
      const double gx = g[k][j] * x[k];
      cj += gx;
      dj += gx * tau[k][j];
    }
    c[j] = cj;
    dOverC[j] = dj / cj;
  }
  for (int i = 1; i <= nc; ++i) {
    const double first = dOverC[i];  // sum_j tau(j, i) G(j, i) x(j) / C_i is D_i / C_i
    double second = 0.0;
    for (int j = 1; j <= nc; ++j) second += x[j] * g[i][j] / c[j] * (tau[i][j] - dOverC[j]);
    const double lnGamma = first + second;
    // C_j vanishes only for an empty composition; tau so large that G
    // overflows also ends here. Neither has a meaning: ideal liquid, and say so.
    if (!std::isfinite(lnGamma)) {
      Calc_Message(kNrtlMessage);
      setIdeal(nc);
      return;
    }
    Case.Gamma[i] = std::exp(lnGamma);
  }
}

void ActivityCoeff_Select(const double x[]) {
  if (thermo::CountOutside()) return;
  switch (Case.K_Method) {
    case 2: ActivityCoeff_Wilson(x); break;
    case 3: ActivityCoeff_NRTL(x); break;
    default: setIdeal(Case.NC); break;
  }
}
