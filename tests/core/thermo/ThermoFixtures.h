// The flash program's two examples as case data, for the thermodynamic library's tests.
#pragma once

#include "core/model/CaseData.h"

namespace thermo_test {

// Methanol - ethanol - water - 1-propanol with Wilson (example 1).
inline void LoadExample1() {
  Reset_Case_Data();
  Case.NC = 4, Case.T_Unit = 1, Case.P_Unit = 3, Case.H_Unit = 2, Case.K_Method = 2, Case.NRTL_Alpha = 0.4;
  const double abc[5][3] = {{0}, {7.8786, 1473.11, 230}, {8.0449, 1554.3, 222.65}, {8.07131, 1730.63, 233.43},
                            {7.9973, 1569.7, 209.5}};
  const double lambda[5][5] = {{0}, {0, 1, 1, 0.382, 1}, {0, 1, 1, 0.999, 1}, {0, 1, 0.826, 1, 0.001},
                               {0, 1, 1, 0.67, 1}};
  const double z[] = {0, 0.12, 0.01, 0.85, 0.02};
  for (int i = 1; i <= 4; ++i) {
    Case.Antoine_A[i] = abc[i][0], Case.Antoine_B[i] = abc[i][1], Case.Antoine_C[i] = abc[i][2];
    Case.Flash_Z[i] = z[i];
    for (int j = 1; j <= 4; ++j) Case.Wilson_Lambda[i][j] = lambda[i][j];
  }
}

// Ethane - propane - n-butane with SRK (example 2); Pc in bar. The diagonal of
// k(i, j) is stored as 1, as the flash defaults leave it.
inline void LoadExample2() {
  Reset_Case_Data();
  Case.NC = 3, Case.T_Unit = 1, Case.P_Unit = 5, Case.H_Unit = 2, Case.K_Method = 4, Case.H_Method = 2;
  const double crit[4][3] = {{0}, {305.4, 48.8, 0.099}, {369.8, 42.5, 0.153}, {425.2, 38, 0.199}};
  const double abc[4][3] = {{0}, {6.80266, 656.401, 255.99}, {6.82971, 813.199, 247.99}, {6.80896, 935.861, 238.73}};
  const double z[] = {0, 0.2, 0.5, 0.3};
  for (int i = 1; i <= 3; ++i) {
    Case.Comp_Tc[i] = crit[i][0], Case.Comp_Pc[i] = crit[i][1], Case.Comp_Omega[i] = crit[i][2];
    Case.Antoine_A[i] = abc[i][0], Case.Antoine_B[i] = abc[i][1], Case.Antoine_C[i] = abc[i][2];
    Case.Flash_Z[i] = z[i];
    for (int j = 1; j <= 3; ++j) Case.EOS_Kij[i][j] = i == j ? 1.0 : 0.0;
  }
}

// A binary with strongly negative deviations (NRTL tau12 = tau21 = -1, alpha
// 0.3; water's Antoine constants and A - 0.3) and a liquid or vapour (0.5, 0.5):
// substituting the dew or flash liquid straight back into Gamma oscillates.
inline void LoadNegativeDeviationBinary() {
  Reset_Case_Data();
  Case.NC = 2, Case.K_Method = 3, Case.NRTL_Alpha = 0.3, Case.P_Unit = 1;
  for (int i = 1; i <= 2; ++i) {
    Case.Antoine_A[i] = 8.07131 - 0.3 * (i - 1), Case.Antoine_B[i] = 1730.63, Case.Antoine_C[i] = 233.43;
    Case.Flash_Z[i] = 0.5;
  }
  Case.NRTL_Tau[1][2] = Case.NRTL_Tau[2][1] = -1.0;
}

// Some independent values below were computed for a pressure in MPa read as
// 7506.380423 mmHg per MPa. The MPa of that same mmHg pressure keeps them valid;
// a pressure the library answers in MPa or a display unit scales by the ratio.
inline constexpr double kQuotedMmHgPerMPa = 7506.380423;
inline double SameMmHg(double quotedMPa) { return quotedMPa * kQuotedMmHgPerMPa / (760.0 / 0.101325); }
inline double PressureOfQuoted(double quoted) { return quoted * kQuotedMmHgPerMPa / (760.0 / 0.101325); }

// 760 mmHg and 10 kgf/cm2 as the windows convert them in.
inline constexpr double kExample1PressureMPa = 0.101325;
inline constexpr double kExample2PressureMPa = 10 * 0.0980665;

}  // namespace thermo_test
