#include "purecomp/estimation/LiquidProperties.h"

#include <cmath>
#include <functional>

#include "core/model/PhysicalUnits.h"
#include "purecomp/estimation/LeastSquares.h"

namespace physprop {

namespace {

constexpr double kLog10e = 0.434294481903252;
constexpr double kR_cal = 1.987;            // gas constant, cal/mol/K
constexpr double kR_J = 8.31441;            // gas constant, J/mol/K
constexpr double kJPerCal = 4.18605;
constexpr double kR_cm3atm = 82.05;         // gas constant, cm3 atm/mol/K

struct PropertyRange {
  double* values;
  double* minimum;
  double* maximum;
};

// The point loop shared by every property: values at the points below Tc, the
// range, and the quadratic fit in T. Points from the first one at or above Tc
// keep what an earlier run left.
PhysStatus Fill_Points(FitWork& work, PropertyRange out, double coef[3],
                       const std::function<double(double T, double Tr)>& value) {
  double lo = 1e10, hi = -1e10;
  work.Fit_NP = kPhysPoints;
  for (int i = 1; i <= kPhysPoints; ++i) {
    const double T = Phys.Phys_Temp_K[i];
    const double Tr = T / Phys.Phys_Tc;
    if (!(Tr < 1.0)) {
      work.Fit_NP = i - 1;
      break;
    }
    const double v = value(T, Tr);
    if (!std::isfinite(v)) return PhysStatus::NotFinite;
    out.values[i] = v;
    work.Fit_X[i][1] = 1;
    work.Fit_X[i][2] = T;
    work.Fit_X[i][3] = T * T;
    work.Fit_Y[i] = v;
    if (v < lo) lo = v;
    if (v > hi) hi = v;
  }
  *out.minimum = lo;
  *out.maximum = hi;
  if (Least_Square(3, work) != FitStatus::Fitted) return PhysStatus::PivotVanished;
  for (int k = 0; k < 3; ++k) coef[k] = work.Fit_Coef[k + 1];
  return PhysStatus::Ok;
}

PhysStatus Fill_CpL(FitWork& work, const std::function<double(double T, double Tr)>& value) {
  double coef[3];
  const PhysStatus s = Fill_Points(work, {Phys.Phys_CpL, &Phys.Phys_CpL_Min, &Phys.Phys_CpL_Max},
                                   coef, value);
  if (s != PhysStatus::Ok) return s;
  Phys.Phys_CpL_A = coef[0];
  Phys.Phys_CpL_B = coef[1];
  Phys.Phys_CpL_C = coef[2];
  return PhysStatus::Ok;
}

// Both density procedures: the quadratic fit, then ln rho = ln A - (1 - Tr)^(2/7) ln B.
PhysStatus Fill_Density(FitWork& work, const std::function<double(double T, double Tr)>& value) {
  double coef[3];
  PhysStatus s = Fill_Points(work, {Phys.Phys_DenL, &Phys.Phys_DenL_Min, &Phys.Phys_DenL_Max},
                             coef, value);
  if (s != PhysStatus::Ok) return s;
  Phys.Phys_DenL2_A = coef[0];
  Phys.Phys_DenL2_B = coef[1];
  Phys.Phys_DenL2_C = coef[2];
  for (int i = 1; i <= work.Fit_NP; ++i) {
    const double Tr = Phys.Phys_Temp_K[i] / Phys.Phys_Tc;
    if (!(Phys.Phys_DenL[i] > 0)) return PhysStatus::NotFinite;
    work.Fit_X[i][1] = 1;
    work.Fit_X[i][2] = -std::pow(1.0 - Tr, 2.0 / 7.0);
    work.Fit_Y[i] = std::log(Phys.Phys_DenL[i]);
  }
  if (Least_Square(2, work) != FitStatus::Fitted) return PhysStatus::PivotVanished;
  Phys.Phys_DenL1_A = std::exp(work.Fit_Coef[1]);
  Phys.Phys_DenL1_B = std::exp(work.Fit_Coef[2]);
  return PhysStatus::Ok;
}

}  // namespace

double Cp0_At(double T) {
  return Phys.Phys_Cp0[1] + Phys.Phys_Cp0[2] * T + Phys.Phys_Cp0[3] * T * T +
         Phys.Phys_Cp0[4] * T * T * T;
}

PhysStatus CpLiq_Rowlinson_Bondi(FitWork& work) {
  const double w = Phys.Phys_Omega;
  return Fill_CpL(work, [w](double T, double Tr) {
    const double u = 1.0 - Tr;
    return Cp0_At(T) + kR_cal * (2.56 + 0.436 / u +
                                 w * (2.91 + 4.28 * std::cbrt(u) / Tr + 0.296 / u));
  });
}

double Heat_Of_Vaporization_Tb() {
  const double Tc = Phys.Phys_Tc;
  const double theta = Phys.Phys_Tb_K / Tc;
  const double PcBar = kBarPerAtm * Phys.Phys_Pc;
  const double hvbJ = kR_J * Tc * theta * (0.4343 * std::log(PcBar) - 0.69431 + 0.89584 * theta) /
                      (0.37691 - 0.37306 * theta + 0.15075 / (PcBar * theta * theta));
  return hvbJ / kJPerCal;
}

PhysStatus Heat_Of_Vaporization(FitWork& work) {
  const double theta = Phys.Phys_Tb_K / Phys.Phys_Tc;
  const double hvb = Heat_Of_Vaporization_Tb();
  if (!std::isfinite(hvb)) return PhysStatus::NotFinite;
  double coef[3];
  const PhysStatus s = Fill_Points(
      work, {Phys.Phys_Hv, &Phys.Phys_Hv_Min, &Phys.Phys_Hv_Max}, coef,
      [theta, hvb](double, double Tr) { return std::pow((1.0 - Tr) / (1.0 - theta), 0.38) * hvb; });
  if (s != PhysStatus::Ok) return s;
  Phys.Phys_Hv_A = coef[0];
  Phys.Phys_Hv_B = coef[1];
  Phys.Phys_Hv_C = coef[2];
  return PhysStatus::Ok;
}

PhysStatus LiqDensity_Gunn_Yamada(FitWork& work) {
  const double w = Phys.Phys_Omega;
  const double M = Phys.Phys_Mol_Wt;
  const double Vsc = (kR_cm3atm * Phys.Phys_Tc / Phys.Phys_Pc) * (0.292 - 0.0967 * w);
  return Fill_Density(work, [w, M, Vsc](double, double Tr) {
    double V0;
    if (Tr > 0.8) {
      const double u = 1.0 - Tr;
      V0 = 1.0 + 1.3 * std::sqrt(u) * std::log(u) * kLog10e - 0.50879 * u - 0.91534 * u * u;
    } else {
      // Gunn & Yamada's Tr coefficient is 0.33953: with it both branches meet at Tr = 0.8.
      V0 = 0.33593 - 0.33953 * Tr + 1.51941 * Tr * Tr - 2.02512 * Tr * Tr * Tr +
           1.11422 * Tr * Tr * Tr * Tr;
    }
    const double delta = 0.29607 - 0.09045 * Tr - 0.04842 * Tr * Tr;
    return M / (Vsc * V0 * (1.0 - w * delta));
  });
}

PhysStatus LiqDensity_Spencer_Danner(FitWork& work, double rhoRef, double TrefC) {
  const double Tc = Phys.Phys_Tc, Pc = Phys.Phys_Pc, M = Phys.Phys_Mol_Wt;
  const double TrRef = (TrefC + kKelvinOffset) / Tc;
  const double Zref = Pc * M / (kR_cm3atm * Tc * rhoRef);
  const double ZRA = std::pow(Zref, 1.0 / (1.0 + std::pow(1.0 - TrRef, 2.0 / 7.0)));
  if (!std::isfinite(ZRA)) return PhysStatus::NotFinite;
  return Fill_Density(work, [=](double, double Tr) {
    return M * Pc / (kR_cm3atm * Tc * std::pow(ZRA, 1.0 + std::pow(1.0 - Tr, 2.0 / 7.0)));
  });
}

}  // namespace physprop
