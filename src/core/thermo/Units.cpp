// Display units <-> internal units (degC, MPa, J). The pressure-out conversion
// divides by the same factor as the conversion in, so that a value converted in
// and out comes back unchanged; mmHg uses the exact 101325 / 760 Pa.
#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/PhysicalUnits.h"
#include "core/thermo/Thermo.h"

namespace {

constexpr double kJPerKcal = 4186.05;
const char* const kBtuMessage = "熱量変換 BTU は未だサポートしていません。";

// MPa per display pressure unit, or 0 for a code outside 1..6.
double pressureFactorMPa(int32_t code) {
  switch (code) {
    case 1: return 1.0;
    case 2: return 0.001;
    case 3: return kMPaPerMmHg;
    case 4: return 9.80665e-6;
    case 5: return 0.0980665;
    case 6: return 0.006895;
    default: return 0.0;
  }
}

}  // namespace

double Unit_Temp_In(const double& T) {
  switch (Case.T_Unit) {
    case 2: return T - kKelvinOffset;
    case 3: return (T - 32.0) * (5.0 / 9.0);
    default: return T;
  }
}

double Unit_Temp_Out(const double& T) {
  switch (Case.T_Unit) {
    case 2: return T + kKelvinOffset;
    case 3: return T * 1.8 + 32.0;
    default: return T;
  }
}

double Unit_Press_In(const double& P) {
  const double factor = pressureFactorMPa(Case.P_Unit);
  return factor > 0.0 ? P * factor : P;
}

double Unit_Press_Out(const double& P) {
  if (Case.P_Unit == 2) return P * 1000.0;
  const double factor = pressureFactorMPa(Case.P_Unit);
  return factor > 0.0 ? P / factor : P;
}

double Unit_Heat_In(const double& H) {
  switch (Case.H_Unit) {
    case 2: return H * kJPerKcal;
    case 3: Calc_Message(kBtuMessage); return H;
    default: return H;
  }
}

double Unit_Heat_Out(const double& H) {
  switch (Case.H_Unit) {
    case 2: return H / kJPerKcal;
    case 3: Calc_Message(kBtuMessage); return H;
    default: return H;
  }
}
