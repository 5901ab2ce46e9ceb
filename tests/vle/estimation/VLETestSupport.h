// Shared set-up of the estimation tests: a clean case and the example systems.
#pragma once

#include "core/model/CaseData.h"
#include "vle/estimation/VLEData.h"

namespace vlefit::test {

inline void ResetAll() {
  Reset_Case_Data();
  VLE = VLEData{};
}

// Methanol (1) - water (2), the Antoine constants of example 1.
inline void SetMethanolWater() {
  Case.Antoine_A[1] = 7.8786;
  Case.Antoine_B[1] = 1473.11;
  Case.Antoine_C[1] = 230.0;
  Case.Antoine_A[2] = 8.07131;
  Case.Antoine_B[2] = 1730.63;
  Case.Antoine_C[2] = 233.426;
}

inline void UseWilson(double l12, double l21) {
  VLE.VLE_Calc_Type = 1;
  Case.Wilson_L12 = l12;
  Case.Wilson_L21 = l21;
}

inline void UseNrtl(double t12, double t21, double alpha) {
  VLE.VLE_Calc_Type = 2;
  Case.NRTL_Tau12 = t12;
  Case.NRTL_Tau21 = t21;
  Case.NRTL_Alpha = alpha;
}

}  // namespace vlefit::test
