#include "flash/FlashCase.h"

#include <string>

#include "core/model/CaseData.h"

void Flash_Initial_set() {
  CaseData& c = Case;
  for (int i = 1; i <= kMaxComp; ++i) {
    c.Comp_Name[i].clear();
    c.Mol_Wt[i] = 0;
    c.Antoine_A[i] = c.Antoine_B[i] = c.Antoine_C[i] = 0;
    c.Comp_Tc[i] = c.Comp_Pc[i] = c.Comp_Vc[i] = c.Comp_Omega[i] = 0;
    c.Flash_Cp_1[i] = c.Flash_Cp_2[i] = c.Flash_Cp_3[i] = 0;
    c.Flash_Cp_4[i] = c.Flash_Cp_5[i] = c.Flash_Cp_6[i] = 0;
    c.HL_A[i] = c.HL_B[i] = c.HL_C[i] = 0;
    c.HV_A[i] = c.HV_B[i] = c.HV_C[i] = 0;
  }
  for (int k = 1; k <= kMaxMemo; ++k) c.Memo[k].clear();
  // Lambda = 1 off the diagonal too: a zero there makes the Wilson sum of a
  // component vanish when its partners are absent (ln 0), whereas 1 is the
  // ideal solution.
  for (int i = 1; i <= kMaxComp; ++i)
    for (int j = 1; j <= kMaxComp; ++j) {
      c.Wilson_Lambda[i][j] = 1.0;
      c.EOS_Kij[i][j] = i == j ? 1.0 : 0.0;
      c.NRTL_Tau[i][j] = 0.0;
    }
  c.H_Unit = 2;
  c.NRTL_Alpha = 0.4;
  c.T_Unit = 1;
  c.P_Unit = 3;
  c.K_Method = 1;
  c.H_Method = 1;
}

namespace {

void SetMemo(const std::string& title, const std::string& system, const std::string& date) {
  Case.Memo[1] = "ＦＬＡＳＨ計算プログラム";
  Case.Memo[2] = title;
  Case.Memo[3].clear();
  Case.Memo[4] = system;
  Case.Memo[5].clear();
  Case.Memo[6] = "         " + date + "  Vadezid";
}

struct Example1Comp {
  const char* name;
  double mw, a, b, c, hvA, hvB, hvC, hlA, hlB, hlC;
};

struct Example2Comp {
  const char* name;
  double mw, tc, pc, vc, omega, a, b, c, cp[6];
};

}  // namespace

void Flash_Example1_set(FlashWindowValues& win) {
  Flash_Initial_set();
  SetMemo("   例題データ－１", "    Methanol - Ethanol - Water - Propanol 系", "1999/02/10");
  Case.T_Unit = 1;
  Case.P_Unit = 3;
  Case.H_Unit = 2;
  Case.NC = 4;
  Case.K_Method = 2;
  Case.H_Method = 0;
  Case.NRTL_Alpha = 0.4;
  win.Flash_Win_T = 80;
  win.Flash_Win_P = 760;
  static const Example1Comp comps[4] = {
      {"Methanol", 32.04, 7.8786, 1473.11, 230, 62.453, 0.39014, 0, -253.37, 0.81773, 0},
      {"Ethanol", 46.07, 8.0449, 1554.3, 222.65, 64.272, 0.41893, 0, -174.17, 0.77057, 0},
      {"Water", 18.015, 8.07131, 1730.63, 233.43, 119.87, 0.46615, 0, -485.52, 0, 0},
      {"1-Propanol", 60.9, 7.9973, 1569.7, 209.5, 44.672, 0.3663, 0, -147.14999, 0.6577, 0},
  };
  static const double z[4] = {0.12, 0.01, 0.85, 0.02};
  static const double lambda[4][4] = {
      {1, 1, 0.382, 1}, {1, 1, 0.999, 1}, {1, 0.826, 1, 0.001}, {1, 1, 0.67, 1}};
  for (int i = 1; i <= 4; ++i) {
    const Example1Comp& e = comps[i - 1];
    Case.Comp_Name[i] = e.name;
    Case.Mol_Wt[i] = e.mw;
    Case.Antoine_A[i] = e.a;
    Case.Antoine_B[i] = e.b;
    Case.Antoine_C[i] = e.c;
    Case.HV_A[i] = e.hvA;
    Case.HV_B[i] = e.hvB;
    Case.HV_C[i] = e.hvC;
    Case.HL_A[i] = e.hlA;
    Case.HL_B[i] = e.hlB;
    Case.HL_C[i] = e.hlC;
    Case.Flash_Z[i] = z[i - 1];
    for (int j = 1; j <= 4; ++j) Case.Wilson_Lambda[i][j] = lambda[i - 1][j - 1];
  }
}

void Flash_Example2_set(FlashWindowValues& win) {
  Flash_Initial_set();
  SetMemo("   例題データ－２", "    Ethane - Propane - n-Butane 系", "1999/02/15");
  Case.T_Unit = 1;
  Case.P_Unit = 5;
  Case.H_Unit = 2;
  Case.NC = 3;
  Case.K_Method = 4;
  Case.H_Method = 2;
  win.Flash_Win_T = -10;
  win.Flash_Win_P = 10;
  static const Example2Comp comps[3] = {
      {"Ethane", 30.07, 305.4, 48.8, 148.3, 0.099, 6.80266, 656.401, 255.99,
       {0, 1.292, 0.04254, -1.657E-05, 2.081E-09, 0}},
      {"Propane", 44.094, 369.8, 42.5, 203, 0.153, 6.82971, 813.199, 247.99,
       {0, -1.009, 0.07315, -3.789E-05, 7.678E-09, 0}},
      {"n-Butane", 58.124, 425.2, 38, 255, 0.199, 6.80896, 935.861, 238.73,
       {0, 2.266, 0.07913, -2.647E-05, -6.74E-10, 0}},
  };
  static const double z[3] = {0.2, 0.5, 0.3};
  for (int i = 1; i <= 3; ++i) {
    const Example2Comp& e = comps[i - 1];
    Case.Comp_Name[i] = e.name;
    Case.Mol_Wt[i] = e.mw;
    Case.Comp_Tc[i] = e.tc;
    Case.Comp_Pc[i] = e.pc;
    Case.Comp_Vc[i] = e.vc;
    Case.Comp_Omega[i] = e.omega;
    Case.Antoine_A[i] = e.a;
    Case.Antoine_B[i] = e.b;
    Case.Antoine_C[i] = e.c;
    Case.Flash_Cp_1[i] = e.cp[0];
    Case.Flash_Cp_2[i] = e.cp[1];
    Case.Flash_Cp_3[i] = e.cp[2];
    Case.Flash_Cp_4[i] = e.cp[3];
    Case.Flash_Cp_5[i] = e.cp[4];
    Case.Flash_Cp_6[i] = e.cp[5];
    Case.Flash_Z[i] = z[i - 1];
    for (int j = 1; j <= 3; ++j) Case.EOS_Kij[i][j] = i == j ? 1.0 : 0.0;
  }
}
