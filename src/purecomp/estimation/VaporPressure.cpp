#include "core/model/PhysicalUnits.h"
#include "purecomp/estimation/VaporPressure.h"

#include <cmath>

namespace physprop {

namespace {

constexpr double kLog10e = 0.434294481903252;
// Pc is in atm: a reduced pressure of 1/Pc is one atmosphere, 760 mmHg.

double Log10(double x) { return std::log(x) * kLog10e; }

}  // namespace

double Vapor_Press_Riedel_Plank_Miller(double t, double Tb, double Tc, double Pc) {
  const double Tr = (t + kKelvinOffset) / Tc;
  const double Tbr = Tb / Tc;
  const double h = Tbr * std::log(Pc) / (1.0 - Tbr);
  const double G = 0.4835 + 0.4605 * h;
  const double k = (h / G - (1.0 + Tbr)) / ((1.0 - Tbr) * (1.0 - Tbr) * (3.0 + Tbr));
  const double lnPr =
      -(G / Tr) * ((1.0 - Tr * Tr) + k * (3.0 + Tr) * std::pow(1.0 - Tr, 3));
  return kMmHgPerAtm * Pc * std::exp(lnPr);
}

double Vapor_Press_Pitzer(double t, double Tc, double Pc, double omega) {
  const double Tr = (t + kKelvinOffset) / Tc;
  const double L = Log10(Tr);
  const double phi = 36.0 / Tr - 35.0 - std::pow(Tr, 6) + 96.73 * L;
  const double a = L - 0.0364 * phi;
  const double b = 7.0 * L - 0.118 * phi;
  const double c = b - 1.192 * a;
  return kMmHgPerAtm * Pc * std::pow(10.0, c + 4.93 * omega * a);
}

double Vapor_Press_Lee_Kesler(double t, double Tc, double Pc, double omega) {
  const double Tr = (t + kKelvinOffset) / Tc;
  const double f0 = 5.92714 - 6.09648 / Tr - 1.28862 * std::log(Tr) + 0.169347 * std::pow(Tr, 6);
  const double f1 = 15.2518 - 15.6875 / Tr - 13.4721 * std::log(Tr) + 0.43577 * std::pow(Tr, 6);
  return kMmHgPerAtm * Pc * std::exp(f0 + omega * f1);
}

double Det_3x3(double a1, double a2, double a3, double a4, double a5, double a6,
               double a7, double a8, double a9) {
  return a1 * a5 * a9 - a1 * a6 * a8 - a2 * a4 * a9 + a2 * a6 * a7 + a3 * a4 * a8 - a3 * a5 * a7;
}

namespace {

double Pressure_At(int method, double t) {
  switch (method) {
    case kRiedelPlankMiller:
      return Vapor_Press_Riedel_Plank_Miller(t, Phys.Phys_Tb_K, Phys.Phys_Tc, Phys.Phys_Pc);
    case kPitzer:
      return Vapor_Press_Pitzer(t, Phys.Phys_Tc, Phys.Phys_Pc, Phys.Phys_Omega);
    default:
      return Vapor_Press_Lee_Kesler(t, Phys.Phys_Tc, Phys.Phys_Pc, Phys.Phys_Omega);
  }
}

}  // namespace

PhysStatus Vapor_Press_Antoine_Fit(int method) {
  // Only temperatures below Tc have a vapour pressure; the others are left 0
  // (not computed) and kept out of the fit.
  double St = 0, Sx = 0, Stt = 0, Sxx = 0, Stx = 0, Sy = 0, Sty = 0, Sxy = 0;
  double P_i[kPhysPoints + 1] = {};
  int n = 0;
  for (int i = 1; i <= kPhysPoints; ++i) {
    if (!(Phys.Phys_Temp_K[i] < Phys.Phys_Tc)) continue;
    const double t = Phys.Phys_Temp_C[i];
    const double P = Pressure_At(method, t);
    if (!(std::isfinite(P) && P > 0)) return PhysStatus::NotFinite;
    // A correlation pushed past its range may put a point above Pc: no liquid is there.
    if (P > kMmHgPerAtm * Phys.Phys_Pc) continue;
    P_i[i] = P;
    ++n;
    const double y = Log10(P);
    const double x = t * y;
    St += t; Sx += x; Stt += t * t; Sxx += x * x; Stx += t * x;
    Sy += y; Sty += t * y; Sxy += x * y;
  }
  if (n == 0) return PhysStatus::NoPointBelowTc;
  for (int i = 1; i <= kPhysPoints; ++i) Phys.Phys_Pvap[i] = P_i[i];
  if (n < 3) return PhysStatus::TooFewPointsBelowTc;
  // The normal equations divided by the number of points fitted.
  const double N = n;
  St /= N; Sx /= N; Stt /= N; Sxx /= N; Stx /= N; Sy /= N; Sty /= N; Sxy /= N;
  const double D = Det_3x3(1, St, Sx, St, Stt, Stx, Sx, Stx, Sxx);
  // Equal temperatures (a range without width) make M singular, but rounding
  // leaves a determinant of noise: below this fraction of the diagonal product
  // the three constants are not determined by the points.
  if (!(std::fabs(D) > 1e-13 * std::fabs(Stt * Sxx))) return PhysStatus::NotFinite;
  const double k0 = Det_3x3(Sy, St, Sx, Sty, Stt, Stx, Sxy, Stx, Sxx) / D;
  const double k1 = Det_3x3(1, Sy, Sx, St, Sty, Stx, Sx, Sxy, Sxx) / D;
  const double k2 = Det_3x3(1, St, Sy, St, Stt, Sty, Sx, Stx, Sxy) / D;
  const double C = -1.0 / k2;
  const double A = k1 * C;
  const double B = -(k1 / k2 + k0) * C;
  if (!(std::isfinite(A) && std::isfinite(B) && std::isfinite(C))) return PhysStatus::NotFinite;
  Phys.Phys_Antoine_A = A;
  Phys.Phys_Antoine_B = B;
  Phys.Phys_Antoine_C = C;
  return PhysStatus::Ok;
}

}  // namespace physprop
