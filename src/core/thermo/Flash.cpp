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
constexpr double kLiquidTolerance = 1e-10;  // sum |x change| between passes of the liquid

// K_Value = Gamma Psat / P_mm.
void setK(const double psat[], double pmm) {
  for (int i = 1; i <= Case.NC; ++i) Case.K_Value[i] = Case.Gamma[i] * psat[i] / pmm;
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

// Sum of z K and sum of z / K with the K-values held.
void phaseSums(const double z[], double& szk, double& szok) {
  szk = 0.0;
  szok = 0.0;
  for (int i = 1; i <= Case.NC; ++i) {
    szk += z[i] * Case.K_Value[i];
    szok += z[i] / Case.K_Value[i];
  }
}

// Dew liquid of feed z, x = z / K normalised, into x.
void dewLiquid(const double z[], double x[]) {
  double sum = 0.0;
  for (int i = 1; i <= Case.NC; ++i) sum += z[i] / Case.K_Value[i];
  for (int i = 1; i <= Case.NC; ++i) x[i] = z[i] / Case.K_Value[i] / sum;
}

// Dew liquid of feed z with Gamma (and K) converged at it, into x; Gamma is at z on entry.
void convergeDewLiquid(const double z[], const double psat[], double pmm, double x[]) {
  LiquidSubstitution liquid(z);
  for (int pass = 0; pass < kMaxFlash; ++pass) {
    dewLiquid(z, x);
    if (liquid.Step(x) < kLiquidTolerance) return;
    ActivityCoeff_Select(liquid.X());
    setK(psat, pmm);
  }
}

}  // namespace

void ITFlash(const double& t, const double& P, double& VF, const double z[], ThermoOutcome* outcome) {
  ThermoOutcome local;
  ThermoOutcome& out = outcome ? *outcome : local;
  out = ThermoOutcome{};
  if (InputRefused(&t, &P, out)) {
    VF = 0.0;
    return;
  }
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
  double szk, szok;
  phaseSums(zn, szk, szok);
  if (szk <= 1.0) {
    VF = 0.0;
    return;
  }
  // At the dew point the liquid is z / K: decide the dew side with Gamma there.
  const bool varies = GammaVaries();
  double x[kMaxComp + 1];
  if (varies) {
    convergeDewLiquid(zn, psat, pmm, x);
    phaseSums(zn, szk, szok);
  }
  if (szok <= 1.0) {
    VF = 1.0;
    return;
  }
  // Two phases: Rachford-Rice with K held, then Gamma at the liquid it gives,
  // until the liquid stands still, so that y = K x holds for the phases
  // returned. Gamma is now at the dew liquid (or at the feed, ideal K).
  VF = 0.8;
  LiquidSubstitution liquid(varies ? x : zn);
  for (int pass = 0; pass < kMaxFlash; ++pass) {
    if (pass > 0) phaseSums(zn, szk, szok);
    if (szk <= 1.0) {
      // Gamma of an intermediate liquid can put the whole feed below its
      // bubble point (or above its dew point): that liquid is the feed (or the
      // dew liquid) for this pass; the equilibrium liquid lies between.
      VF = 0.0;
      for (int i = 1; i <= nc; ++i) x[i] = zn[i];
    } else if (szok <= 1.0) {
      VF = 1.0;
      dewLiquid(zn, x);
    } else {
      if (VF == 0.0 || VF == 1.0) VF = 0.8;
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
    }
    // Converged: Gamma and K belong to a liquid within 1e-10 of the one this
    // pass gives, and VF is exact for those K.
    out.residual = liquid.Step(x);
    if (out.residual < kLiquidTolerance) {
      out.status = ThermoStatus::Converged;
      return;
    }
    ActivityCoeff_Select(liquid.X());
    setK(psat, pmm);
  }
  out.status = ThermoStatus::IterationLimit;
  Calc_Message(kFlashMessage);
}

void Flash_XY(const double&, const double&, const double& VF, const double z[], double y[], double x[]) {
  if (CountOutside()) return;
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
