#include "batch/model/BatchData.h"

#include <memory>

#include "core/model/Language.h"
#include "core/thermo/Thermo.h"

BatchData Batch;

void Reset_Batch_Data() {
  auto fresh = std::make_unique<BatchData>();
  Batch = *fresh;
}

void Batch_Initial_set() {
  Case.NC_Save = 0;
  Case.NT_Save = 0;
  Batch.Continue_Flag = 0;
  Batch.Holdup_Unit = 1;
  Batch.Ope_Mode = 1;
  Batch.Graph_Div = 5;

  for (int k = 1; k <= kMaxMemo; ++k) Case.Memo[k].clear();

  for (int i = 1; i <= kMaxComp; ++i) {
    Case.Comp_Name[i].clear();
    Case.Mol_Wt[i] = 0;
    Case.Antoine_A[i] = Case.Antoine_B[i] = Case.Antoine_C[i] = 0;
    Case.HL_A[i] = Case.HL_B[i] = Case.HL_C[i] = 0;
    Case.HV_A[i] = Case.HV_B[i] = Case.HV_C[i] = 0;
    Case.Cp_A[i] = Case.Cp_B[i] = Case.Cp_C[i] = Case.Cp_D[i] = 0;
  }
  for (int i = 1; i <= kMaxComp; ++i) {
    for (int j = 1; j <= kMaxComp; ++j) {
      Case.Wilson_Lambda[i][j] = 1;
      Case.NRTL_Tau[i][j] = 0;
      Case.EOS_Kij[i][j] = i == j ? 1 : 0;  // k 0 between components: every pair attracts
    }
  }

  Case.T_Unit = 1;
  Case.K_Method = 1;
  Case.H_Method = 1;
  Case.NRTL_Alpha = 0.4;
  Case.P_Unit = 2;
  Case.H_Unit = 2;

  Batch.Max_Ope_Time = 10;
  Batch.Diff_Time = 0.0001;
  Batch.Save_Interval = 0.001;
  Batch.Conv_Limit = 0.0005;
}

namespace {

void SetExampleMemo() {
  const bool english = In_English();
  Case.Memo[1] = english ? "Batch Distillation Program" : "バッチ蒸留計算プログラム";
  Case.Memo[2] = english ? "  Example Data" : "  例題データ";
  Case.Memo[3].clear();
  Case.Memo[4] = english ? "Methanol - Ethanol -Water" : "Methanol - Ethanol -Water系の例題";
  Case.Memo[5].clear();
  Case.Memo[6] = "            1998/11/30";
  Case.Memo[7] = "            Vadezid batch distillation";
}

void SetExampleComponents() {
  static const char* const kNames[] = {"", "Methanol", "Ethanol", "Water"};
  static const double kMolWt[] = {0, 32.04, 46.07, 18.015};
  static const double kA[] = {0, 7.8786, 8.0449, 8.07131};
  static const double kB[] = {0, 1473.11, 1554.3, 1730.63};
  static const double kC[] = {0, 230.0, 222.65, 233.426};
  static const double kHVA[] = {0, 62.453, 64.272, 119.87};
  static const double kHVB[] = {0, 0.39014, 0.41893, 0.46615};
  static const double kHLA[] = {0, -253.37, -174.17, -485.52};
  static const double kHLB[] = {0, 0.81773, 0.77057, 0.46615};
  for (int i = 1; i <= 3; ++i) {
    Case.Comp_Name[i] = kNames[i];
    Case.Mol_Wt[i] = kMolWt[i];
    Case.Antoine_A[i] = kA[i];
    Case.Antoine_B[i] = kB[i];
    Case.Antoine_C[i] = kC[i];
    Case.HV_A[i] = kHVA[i];
    Case.HV_B[i] = kHVB[i];
    Case.HV_C[i] = 0;
    Case.HL_A[i] = kHLA[i];
    Case.HL_B[i] = kHLB[i];
    Case.HL_C[i] = 0;
  }
  // Lambda(i, j), i the component whose activity coefficient it serves.
  static const double kLambda[4][4] = {
      {0, 0, 0, 0}, {0, 1, 1, 0.382}, {0, 1, 1, 0.999}, {0, 1, 0.829, 1}};
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) Case.Wilson_Lambda[i][j] = kLambda[i][j];
  Case.NRTL_Alpha = 0.4;
}

}  // namespace

void Batch_Example_set() {
  SetExampleMemo();

  Case.H_Unit = 2;
  Case.K_Method = 2;
  Batch.Ope_Mode = 2;
  Case.T_Unit = 1;
  Case.P_Unit = 3;
  Case.NC = 3;
  Case.NT = 10;
  Case.H_Method = 1;
  Batch.Batch_Opt3 = 1;
  Batch.Holdup_Unit = 1;

  const int nt = Case.NT;
  Case.P_Top = 760;
  Case.P_Bottom = 770;
  Batch.Init_Temp = 80;
  Case.Tray_Press[1] = 760;
  Case.Tray_Press[nt] = Case.P_Bottom;

  Batch.Conv_Limit = 0.001;
  Batch.Save_Interval = 0.002;
  Batch.Diff_Time = 0.0002;
  Batch.Max_Ope_Time = 10;
  Batch.QReb_TR = Unit_Heat_In(1000000.0);

  Batch.Feed_Comp_Unit = 0;
  Batch.Total_Feed = 100;
  Batch.Feed_Comp[1] = 0.12;
  Batch.Feed_Comp[2] = 0.03;
  Batch.Feed_Comp[3] = 0.85;

  Batch.N_Change_Tank = 1;
  Batch.Tank_Cond[1] = -1;
  Batch.Tank_Value[1] = 2;
  Batch.Prod_Spec[1][1] = 5;
  Batch.Prod_Spec[2][1] = 10;
  Batch.Prod_Spec[3][1] = 0;
  Batch.Tank_Cond[2] = 1;
  Batch.Tank_Value[2] = -0.88;
  Batch.Prod_Spec[1][2] = 8;
  Batch.Prod_Spec[2][2] = 5;
  Batch.Prod_Spec[3][2] = 0;

  Batch.Tray_Holdup[1][1] = 5;
  double plates = 5;
  for (int p = 2; p <= nt - 1; ++p) {
    Batch.Tray_Holdup[1][p] = 1;
    plates += 1;
  }
  Batch.Tray_Holdup[1][nt] = Batch.Total_Feed - plates;
  for (int p = 1; p <= nt; ++p) {
    Batch.Tray_Holdup[2][p] = 0;
    Batch.Tray_Holdup[3][p] = 0;
  }

  SetExampleComponents();

  Batch.Continue_Flag = 0;
  Batch.Graph_Div = 6;
  Case.Program_Mode = 1;
}
