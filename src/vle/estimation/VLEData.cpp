#include "vle/estimation/VLEData.h"

#include "core/model/CaseData.h"

namespace vlefit {

VLEData VLE;

void VLE_Initial_set() {
  for (int i = 1; i <= kMaxMemo; ++i) Case.Memo[i].clear();
  for (int i = 1; i <= 2; ++i) {
    Case.Comp_Name[i].clear();
    Case.Antoine_A[i] = 0;
    Case.Antoine_B[i] = 0;
    Case.Antoine_C[i] = 0;
  }
  // The ideal pair: a Wilson Lambda is positive, and 1, 1 is also where a fit
  // with empty boxes starts.
  Case.Wilson_L12 = 1;
  Case.Wilson_L21 = 1;
  Case.NRTL_Tau12 = 0;
  Case.NRTL_Tau21 = 0;
  Case.NRTL_Alpha = 0.4;
  VLE.VLE_Press = 760;
  VLE.VLE_Temp = 60;
  VLE.VLE_NData = 0;
  for (int i = 1; i <= kMaxData; ++i) {
    VLE.VLE_T_Data[i] = 0;
    VLE.VLE_P_Data[i] = 0;
    VLE.VLE_X1_Data[i] = 0;
    VLE.VLE_Y1_Data[i] = 0;
  }
  VLE.VLE_Calc_Type = 1;
  VLE.VLE_Obj_Type = 0;
  Case.T_Unit = 1;
  Case.P_Unit = 3;
  VLE.VLE_Graph_Xmin = 0;
  VLE.VLE_Graph_Xmax = 1;
  VLE.VLE_Graph_Ymin = 0;
  VLE.VLE_Graph_Ymax = 1;
  VLE.VLE_TP_Type = 0;
}

namespace {

struct ExamplePoint {
  double t, x1, y1;
};

struct Example {
  const char* memo2;
  const char* memo6;
  const char* memo7;
  const char* name1;
  double a1, b1, c1;
  const char* name2;
  double a2, b2, c2;
  double lambda12, lambda21;
  int points;
  ExamplePoint data[20];
};

// Methanol - water at 760 mmHg with literature Wilson constants as start values.
const Example kExample1 = {
    "METHANOL - WATER　系の　Wilson定数／N.R.T.L 定数を求める",
    "　　　　　Λ12＝ 0.43045",
    "　　　  　Λ21＝ 0.94934",
    "Methanol", 7.8786, 1473.11, 230.0,
    "Water", 8.07131, 1730.63, 233.426,
    0.43045, 0.94934,
    12,
    {{96.4, 0.02, 0.134}, {91.2, 0.06, 0.304}, {87.7, 0.1, 0.418}, {81.7, 0.2, 0.579},
     {78.0, 0.3, 0.665}, {75.3, 0.4, 0.729}, {73.1, 0.5, 0.779}, {71.2, 0.6, 0.825},
     {69.3, 0.7, 0.87}, {67.5, 0.8, 0.915}, {66.0, 0.9, 0.958}, {65.0, 0.95, 0.975}}};

// TBA - water at 760 mmHg, an azeotropic system.
const Example kExample2 = {
    "TBA - WATER 　系（共沸する系）　Wilson定数を求める",
    "　　　　　Λ12＝ 0.022706",
    "　　　  　Λ21＝ 0.76689",
    "ＴＢＡ", 7.60203, 1285.067, 189.318,
    "ＷＡＴＥＲ", 8.10765, 1750.286, 235.0,
    0.022706, 0.76689,
    20,
    {{86.5, 0.019, 0.404}, {83.8, 0.027, 0.463}, {82.0, 0.043, 0.484}, {81.7, 0.063, 0.489},
     {81.4, 0.119, 0.499}, {81.1, 0.167, 0.507}, {81.0, 0.234, 0.519}, {80.9, 0.316, 0.534},
     {80.65, 0.369, 0.544}, {80.5, 0.388, 0.546}, {80.3, 0.467, 0.57}, {80.0, 0.529, 0.589},
     {80.0, 0.609, 0.622}, {80.0, 0.638, 0.641}, {80.1, 0.671, 0.696}, {80.2, 0.755, 0.716},
     {80.3, 0.828, 0.785}, {80.9, 0.874, 0.833}, {81.25, 0.912, 0.877}, {81.8, 0.941, 0.905}}};

}  // namespace

bool Load_VLE_Example(int number) {
  const Example* ex = number == 1 ? &kExample1 : number == 2 ? &kExample2 : nullptr;
  if (!ex) return false;
  VLE_Initial_set();
  VLE.VLE_Press = 760;
  Case.P_Unit = 3;
  Case.T_Unit = 1;
  for (int i = 1; i <= kMaxMemo; ++i) Case.Memo[i].clear();
  Case.Memo[2] = ex->memo2;
  Case.Memo[4] = "Wilson定数の文献値";
  Case.Memo[6] = ex->memo6;
  Case.Memo[7] = ex->memo7;
  Case.Comp_Name[1] = ex->name1;
  Case.Antoine_A[1] = ex->a1;
  Case.Antoine_B[1] = ex->b1;
  Case.Antoine_C[1] = ex->c1;
  Case.Comp_Name[2] = ex->name2;
  Case.Antoine_A[2] = ex->a2;
  Case.Antoine_B[2] = ex->b2;
  Case.Antoine_C[2] = ex->c2;
  VLE.VLE_NData = ex->points;
  for (int i = 1; i <= ex->points; ++i) {
    VLE.VLE_T_Data[i] = ex->data[i - 1].t;
    VLE.VLE_X1_Data[i] = ex->data[i - 1].x1;
    VLE.VLE_Y1_Data[i] = ex->data[i - 1].y1;
  }
  VLE.VLE_Calc_Type = 1;
  Case.Wilson_L12 = ex->lambda12;
  Case.Wilson_L21 = ex->lambda21;
  Case.NRTL_Tau12 = 0;
  Case.NRTL_Tau21 = 0;
  Case.NRTL_Alpha = 0.4;
  // The example selects the Wilson fit and the first objective on the window.
  VLE.VLE_Obj_Type = 1;
  VLE.VLE_TP_Type = 0;
  return true;
}

}  // namespace vlefit
