// Isothermal flash by the Rachford-Rice equation (Rachford and Rice 1952), with
// the activity coefficients converged at the liquid the flash leaves, and the
// phase split with the K-values it leaves.
#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "core/thermo/ThermoInternal.h"

namespace {

using namespace thermo;

const char* const kFlashMessage = "ITFlash No-Convergence";
const char* const kVfRangeMessage = "V/Fが<0 or >1です";
constexpr int kMaxFlash = 51;
constexpr double kVfHigh = 0.999999;
constexpr double kVfLow = 1e-6;
constexpr double kGammaTolerance = 1e-10;  // relative change of K between passes

// K_Value = Gamma Psat / P_mm.
void setK(const double psat[], double pmm) {
  for (int i = 1; i <= Case.NC; ++i) Case.K_Value[i] = Case.Gamma[i] * psat[i] / pmm;
}

// Gamma from x, K_Value from Gamma; returns the largest relative change of K.
double updateK(const double x[], const double psat[], double pmm) {
  ActivityCoeff_Select(x);
  double change = 0.0;
  for (int i = 1; i <= Case.NC; ++i) {
    const double K = Case.Gamma[i] * psat[i] / pmm;
    change = std::fmax(change, std::fabs(K - Case.K_Value[i]) / K);
    Case.K_Value[i] = K;
  }
  return change;
}

// Rachford-Rice Newton iteration with the K-values held, from VF; VF in and out.
ThermoStatus rachfordRice(double& VF, const double z[], ThermoOutcome& out) {
  for (int n = 1; n <= kMaxFlash; ++n) {
    double f = 0.0, df = 0.0;
    for (int i = 1; i <= Case.NC; ++i) {
      const double km1 = Case.K_Value[i] - 1.0;
      const double den = 1.0 + VF * km1;
      f -= km1 * z[i] / den;
      df += km1 * km1 * z[i] / (den * den);
    }
    ++out.iterations;
    out.residual = std::fabs(f);
    if (!(df > 0.0) || !std::isfinite(f) || !std::isfinite(df)) return ThermoStatus::Stalled;
    VF -= f / df;
    // Overshoots are held just inside the two-phase range.
    if (VF > 1.0) VF = kVfHigh;
    if (VF < 0.0) VF = kVfLow;
    if (std::fabs(f) < kTolerance) return ThermoStatus::Converged;
  }
  return ThermoStatus::IterationLimit;
}

// Dew liquid of feed z: x = z / K normalised, with Gamma converged at it.
void convergeDewLiquid(const double z[], const double psat[], double pmm) {
  double x[kMaxComp + 1];
  for (int pass = 0; pass < kMaxFlash; ++pass) {
    double sum = 0.0;
    for (int i = 1; i <= Case.NC; ++i) sum += z[i] / Case.K_Value[i];
    for (int i = 1; i <= Case.NC; ++i) x[i] = z[i] / Case.K_Value[i] / sum;
    if (updateK(x, psat, pmm) < kGammaTolerance) return;
  }
}

}  // namespace

void ITFlash(const double& t, const double& P, double& VF, const double z[], ThermoOutcome* outcome) {
  ThermoOutcome local;
  ThermoOutcome& out = outcome ? *outcome : local;
  out = ThermoOutcome{};
  const int nc = Case.NC;
  if (IsEosMethod()) {
    Calc_Message(kRefusedMessage);
    VF = 0.0;
    SetUnitK();
    out.status = ThermoStatus::Refused;
    return;
  }
  const double total = CompSum(z);
  if (total == 0.0) {
    out.status = ThermoStatus::NothingToDo;
    return;
  }
  double zn[kMaxComp + 1];
  double psat[kMaxComp + 1];
  const double pmm = P * kMmHgPerMPa;
  for (int i = 1; i <= nc; ++i) {
    zn[i] = z[i] / total;
    psat[i] = PsatMmHg(i, t);
  }
  // At the bubble point the liquid is the feed, so Gamma at the feed decides
  // the bubble side exactly.
  ActivityCoeff_Select(zn);
  setK(psat, pmm);
  double szk = 0.0;
  for (int i = 1; i <= nc; ++i) szk += zn[i] * Case.K_Value[i];
  if (szk <= 1.0) {
    VF = 0.0;
    return;
  }
  // At the dew point the liquid is z / K: decide the dew side with Gamma there.
  const bool varies = GammaVaries();
  if (varies) convergeDewLiquid(zn, psat, pmm);
  double szok = 0.0;
  for (int i = 1; i <= nc; ++i) szok += zn[i] / Case.K_Value[i];
  if (szok <= 1.0) {
    VF = 1.0;
    return;
  }
  // Two phases: Rachford-Rice with K held, then Gamma at the liquid it gives,
  // until K stands still, so that y = K x holds for the phases returned.
  VF = 0.8;
  double x[kMaxComp + 1];
  for (int pass = 0; pass < kMaxFlash; ++pass) {
    out.status = rachfordRice(VF, zn, out);
    if (out.status != ThermoStatus::Converged) {
      Calc_Message(kFlashMessage);
      return;
    }
    if (!varies) return;
    double sum = 0.0;
    for (int i = 1; i <= nc; ++i) {
      x[i] = zn[i] / (1.0 + VF * (Case.K_Value[i] - 1.0));
      sum += x[i];
    }
    for (int i = 1; i <= nc; ++i) x[i] /= sum;
    const double change = updateK(x, psat, pmm);
    out.residual = change;
    if (change < kGammaTolerance) {
      // K moved by less than 1e-10: one more Rachford-Rice pass makes VF exact for it.
      out.status = rachfordRice(VF, zn, out);
      if (out.status != ThermoStatus::Converged) Calc_Message(kFlashMessage);
      return;
    }
  }
  out.status = ThermoStatus::IterationLimit;
  Calc_Message(kFlashMessage);
}

void Flash_XY(const double&, const double&, const double& VF, const double z[], double y[], double x[]) {
  const int nc = Case.NC;
  if (VF < 0.0 || VF > 1.0) {
    Calc_Message(kVfRangeMessage);
    return;
  }
  const double* K = Case.K_Value;
  // Normalises v(1..NC) by its sum; an all-zero set stays as it is.
  auto normalise = [nc](double v[]) {
    double s = 0.0;
    for (int i = 1; i <= nc; ++i) s += v[i];
    if (s == 0.0) return;
    for (int i = 1; i <= nc; ++i) v[i] /= s;
  };
  if (VF == 0.0) {
    for (int i = 1; i <= nc; ++i) {
      y[i] = z[i] * K[i];
      x[i] = z[i];
    }
    normalise(y);
  } else if (VF == 1.0) {
    for (int i = 1; i <= nc; ++i) {
      y[i] = z[i];
      x[i] = z[i] / K[i];
    }
    normalise(x);
  } else {
    for (int i = 1; i <= nc; ++i) {
      x[i] = (1.0 - VF) * z[i] / (1.0 + VF * (K[i] - 1.0));
      y[i] = z[i] - x[i];
    }
    normalise(x);
    normalise(y);
  }
}
