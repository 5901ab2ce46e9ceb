// The case of the binary Wilson/NRTL estimation program: the measured points,
// the conditions and the fit settings. Shared items (component names, Antoine
// constants, memo, display units, NRTL alpha and the parameter pair) stay in
// Case. Temperatures are in degrees Celsius and pressures in mmHg throughout.
#pragma once

#include <cstdint>
#include <string>

namespace vlefit {

constexpr int kMaxData = 50;     // measured points
constexpr int kMaxResidual = 100;  // two residuals per point
constexpr int kCurvePoints = 201;  // points of a diagram curve

struct VLEData {
  int32_t VLE_TP_Type = 0;   // 0 constant pressure (t, x1, y1 measured), 1 constant temperature (P, x1, y1)
  double VLE_Temp = 0;       // system temperature of a constant-temperature case, degC
  double VLE_Press = 0;      // system pressure of a constant-pressure case, mmHg
  int32_t VLE_NData = 0;     // measured points, 0..50
  double VLE_T_Data[kMaxData + 1]{};   // measured temperature of point i, degC
  double VLE_P_Data[kMaxData + 1]{};   // measured pressure of point i, mmHg
  double VLE_X1_Data[kMaxData + 1]{};  // measured liquid mole fraction of component 1
  double VLE_Y1_Data[kMaxData + 1]{};  // measured vapour mole fraction of component 1
  int32_t VLE_Calc_Type = 0;  // 1 fit Wilson, 2 fit NRTL, 3 VLE by Wilson, 4 VLE by NRTL
  int32_t VLE_Obj_Type = 0;   // objective 1..5 of the fit, 0 when none was chosen
  double VLE_Graph_Xmin = 0, VLE_Graph_Xmax = 0, VLE_Graph_Ymin = 0, VLE_Graph_Ymax = 0;  // diagram ranges, 0..1
  double VLE_Gamma_Exp[3][kMaxData + 1]{};  // measured activity coefficient (component 1..2, point)
  double VLE_T_Calc[kMaxData + 1]{};        // start temperature of each point's bubble search, degC
  double VLE_Y1_Calc = 0, VLE_Y2_Calc = 0;  // vapour fractions of the last bubble-point call
  double VLE_Residual[kMaxResidual + 1]{};  // residuals of the last objective evaluation
  double Curve_TP[kCurvePoints + 1]{}, Curve_Y1[kCurvePoints + 1]{};
  double Curve_Gamma1[kCurvePoints + 1]{}, Curve_Gamma2[kCurvePoints + 1]{};
};

// The one VLE case of the process.
extern VLEData VLE;

// True for the Wilson types (1, 3), false for NRTL (2, 4).
inline bool Is_Wilson_Type(int32_t calcType) { return calcType % 2 != 0; }

// Loads the program's defaults into VLE and into the shared items of Case it uses
// (memo, names and Antoine constants of components 1 and 2, the parameter pairs:
// Wilson 1, 1 and NRTL 0, 0, NRTL alpha 0.4, 760 mmHg, 60 degC, degC and mmHg). Leaves VLE_Gamma_Exp and
// VLE_T_Calc alone.
void VLE_Initial_set();

// Loads literature example 1 (methanol - water) or 2 (TBA - water), each a Wilson
// fit at 760 mmHg with the first objective. False for any other number (nothing changes).
bool Load_VLE_Example(int number);

}  // namespace vlefit
