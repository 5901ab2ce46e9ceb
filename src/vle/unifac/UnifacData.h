// The UNIFAC program's own variables: the group parameter file as read, the
// distinct-group list of the binary being estimated, the work values of one
// liquid and the 201 points of the bubble-point curve. Arrays are indexed from 1
// (element 0 unused); components are 1 and 2.
#pragma once

#include <cstdint>
#include <string>

namespace unifac {

constexpr int kMaxSub = 100;    // subgroups the parameter file may hold
constexpr int kMaxMain = 50;    // main groups the parameter file may hold
constexpr int kMaxGroup = 10;   // distinct subgroups of one estimate
constexpr int kNComp = 2;       // the program estimates binaries
constexpr int kGridSub = 88;    // subgroups the entry grid offers (4 blocks of 22 rows)
constexpr int kNPoint = 201;    // points of the bubble-point curve, x1 = (n - 1) / 200
constexpr double kMissingBelow = -9000.0;  // a(m, n) below this: pair not registered

}  // namespace unifac

struct UnifacData {
  // Group parameter file (UNIFAC.PAR).
  int32_t UNIFAC_NSub = 0;   // subgroups in the file, 1..100
  int32_t UNIFAC_NMain = 0;  // largest main-group number of any subgroup, 1..50
  std::string UNIFAC_Sub_Name[unifac::kMaxSub + 1];
  int32_t UNIFAC_Main_Of[unifac::kMaxSub + 1]{};   // main group of each subgroup
  double UNIFAC_R[unifac::kMaxSub + 1]{};          // volume parameter R_k
  double UNIFAC_Q[unifac::kMaxSub + 1]{};          // area parameter Q_k
  std::string UNIFAC_Main_Name[unifac::kMaxMain + 1];
  double UNIFAC_A[unifac::kMaxMain + 1][unifac::kMaxMain + 1]{};  // a(m, n), K

  // Distinct-group list of the estimate and the component parameters.
  int32_t UNIFAC_NGroup = 0;                              // 0..10
  int32_t UNIFAC_Group_List[unifac::kMaxGroup + 1]{};     // subgroup numbers, first met first
  int32_t UNIFAC_Nu[unifac::kNComp + 1][unifac::kMaxGroup + 1]{};  // (component, list position)
  double UNIFAC_Comp_r[unifac::kNComp + 1]{};
  double UNIFAC_Comp_q[unifac::kNComp + 1]{};
  double UNIFAC_Comp_l[unifac::kNComp + 1]{};

  // The program's copies of the values it shares with the other programs: the
  // pressure (mmHg) and temperature (deg C) of the estimate, and the range of the
  // curve's bubble temperatures (deg C) for the diagram's axis.
  double VLE_Press = 0;
  double Init_Temp = 0;
  double Scale_T_Max = 0;
  double Scale_T_Min = 0;

  // Work values of the current liquid (list positions g, components i).
  double UNIFAC_Psi[unifac::kMaxGroup + 1][unifac::kMaxGroup + 1]{};
  double UNIFAC_Group_X[unifac::kMaxGroup + 1]{};
  double UNIFAC_Group_Theta[unifac::kMaxGroup + 1]{};
  double UNIFAC_Group_LnGamma[unifac::kMaxGroup + 1]{};
  double UNIFAC_Group_LnGamma_Pure[unifac::kNComp + 1][unifac::kMaxGroup + 1]{};
  double UNIFAC_LnGamma_C[unifac::kNComp + 1]{};
  double UNIFAC_LnGamma_R[unifac::kNComp + 1]{};
  double UNIFAC_Gamma[unifac::kNComp + 1]{};
  double UNIFAC_Psat[unifac::kNComp + 1]{};   // mmHg
  double UNIFAC_Liq_X[unifac::kNComp + 1]{};
  double UNIFAC_Vap_Y[unifac::kNComp + 1]{};
  double UNIFAC_Pt_X[unifac::kNComp + 1]{};

  // The curve, points 1..201.
  double UNIFAC_Pt_Y1[unifac::kNPoint + 1]{};
  double UNIFAC_Pt_T[unifac::kNPoint + 1]{};   // bubble temperature, deg C
  double UNIFAC_Pt_Gamma[unifac::kNComp + 1][unifac::kNPoint + 1]{};  // (component, point)
};

// The one set of UNIFAC variables of the process.
extern UnifacData Unifac;
