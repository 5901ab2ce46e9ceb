// Case data for the thermodynamic library's tests: the flash program's two
// examples and small hand-made mixtures.
#pragma once

#include "core/model/CaseData.h"

namespace thermo_test {

// Methanol - ethanol - water - 1-propanol with Wilson, 760 mmHg (flash example 1).
inline void LoadExample1() {
  Reset_Case_Data();
  Case.NC = 4;
  Case.T_Unit = 1;
  Case.P_Unit = 3;
  Case.H_Unit = 2;
  Case.K_Method = 2;
  Case.NRTL_Alpha = 0.4;
  const double a[] = {0, 7.8786, 8.0449, 8.07131, 7.9973};
  const double b[] = {0, 1473.11, 1554.3, 1730.63, 1569.7};
  const double c[] = {0, 230, 222.65, 233.43, 209.5};
  const double mw[] = {0, 32.04, 46.07, 18.015, 60.9};
  const double lambda[5][5] = {{0, 0, 0, 0, 0},
                               {0, 1, 1, 0.382, 1},
                               {0, 1, 1, 0.999, 1},
                               {0, 1, 0.826, 1, 0.001},
                               {0, 1, 1, 0.67, 1}};
  const double z[] = {0, 0.12, 0.01, 0.85, 0.02};
  for (int i = 1; i <= 4; ++i) {
    Case.Antoine_A[i] = a[i];
    Case.Antoine_B[i] = b[i];
    Case.Antoine_C[i] = c[i];
    Case.Mol_Wt[i] = mw[i];
    Case.Flash_Z[i] = z[i];
    for (int j = 1; j <= 4; ++j) Case.Wilson_Lambda[i][j] = lambda[i][j];
  }
}

// Ethane - propane - n-butane with SRK, 10 kgf/cm2 (flash example 2). The
// diagonal of k(i, j) is stored as 1, as the flash defaults leave it.
inline void LoadExample2() {
  Reset_Case_Data();
  Case.NC = 3;
  Case.T_Unit = 1;
  Case.P_Unit = 5;
  Case.H_Unit = 2;
  Case.K_Method = 4;
  Case.H_Method = 2;
  Case.NRTL_Alpha = 0.4;
  const double mw[] = {0, 30.07, 44.094, 58.124};
  const double tc[] = {0, 305.4, 369.8, 425.2};
  const double pc[] = {0, 48.8, 42.5, 38};
  const double omega[] = {0, 0.099, 0.153, 0.199};
  const double a[] = {0, 6.80266, 6.82971, 6.80896};
  const double b[] = {0, 656.401, 813.199, 935.861};
  const double c[] = {0, 255.99, 247.99, 238.73};
  const double z[] = {0, 0.2, 0.5, 0.3};
  for (int i = 1; i <= 3; ++i) {
    Case.Mol_Wt[i] = mw[i];
    Case.Comp_Tc[i] = tc[i];
    Case.Comp_Pc[i] = pc[i];
    Case.Comp_Omega[i] = omega[i];
    Case.Antoine_A[i] = a[i];
    Case.Antoine_B[i] = b[i];
    Case.Antoine_C[i] = c[i];
    Case.Flash_Z[i] = z[i];
    for (int j = 1; j <= 3; ++j) Case.EOS_Kij[i][j] = i == j ? 1.0 : 0.0;
  }
  for (int i = 1; i <= kMaxComp; ++i) Case.Wilson_Lambda[i][i] = 1.0;
}

// 760 mmHg and 10 kgf/cm2 as the windows convert them in.
inline constexpr double kExample1PressureMPa = 760 * 0.00013322;
inline constexpr double kExample2PressureMPa = 10 * 0.0980665;

}  // namespace thermo_test
