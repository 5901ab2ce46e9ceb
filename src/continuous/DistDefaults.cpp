#include "continuous/DistDefaults.h"

#include <algorithm>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"

namespace {

// Counts used as loop bounds come from dialogs or files; never run past the arrays.
int Bounded(int n, int limit) { return std::clamp(n, 0, limit); }

}  // namespace

void Dist_Initial_set() {
  CaseData& c = Case;
  c.Dist_Graph_Div = 6;
  c.Result_Flag = 0;
  c.NC_Save = 0;
  c.NT_Save = 0;

  c.SC_LK = 0;
  c.SC_HK = 0;
  c.SC_LK_Spec[1] = c.SC_LK_Spec[2] = 0;
  c.SC_HK_Spec[1] = c.SC_HK_Spec[2] = 0;

  for (int k = 1; k <= kMaxMemo; ++k) c.Memo[k].clear();

  const int maxComp = Bounded(c.Max_Comp, kMaxComp);
  for (int i = 1; i <= maxComp; ++i) {
    c.Comp_Name[i].clear();
    c.Mol_Wt[i] = 0;
    c.Antoine_A[i] = c.Antoine_B[i] = c.Antoine_C[i] = 0;
    c.HL_A[i] = c.HL_B[i] = c.HL_C[i] = 0;
    c.HV_A[i] = c.HV_B[i] = c.HV_C[i] = 0;
  }
  for (int i = 1; i <= maxComp; ++i) {
    c.Gamma[i] = 1.0;
    for (int j = 1; j <= maxComp; ++j) {
      c.Wilson_Lambda[j][i] = 1.0;
      c.NRTL_Tau[j][i] = 0;
    }
  }
  c.NRTL_Alpha = 0.4;

  for (int f = 1; f <= kMaxFeed; ++f) {
    c.Feed_Stage[f] = 0;
    c.Feed_T[f] = c.Feed_P[f] = c.Feed_VF[f] = c.Feed_Flow[f] = 0;
    for (int i = 1; i <= maxComp; ++i) c.Feed_Z[i][f] = 0;
    c.LiqSC_Stage[f] = 0;
    c.LiqSC_Flow[f] = 0;
    c.VapSC_Stage[f] = 0;
    c.VapSC_Flow[f] = 0;
  }

  c.Max_Iter[1] = 20;
  c.Max_Iter[2] = 30;
  c.Conv_Crit[1] = 5e-5;
  c.Conv_Crit[2] = 5e-6;

  c.P_Unit = 2;
  c.H_Unit = 2;
  c.T_Unit = 1;

  c.NC = c.NT = c.N_Feed = c.N_LiqSC = c.N_VapSC = 0;

  c.Top_Liq_Prod = 0;
  c.Top_Vap_Prod = 0;
  c.Reflux_Ratio = 2.0;
  c.T_Top_Est = 100;
  c.T_Bottom_Est = 100;
  c.P_Top = 760;
  c.P_Bottom = 780;

  c.K_Method = 1;
  c.H_Method = 0;
}

void Dist_Clear_Kept_Data() {
  CaseData& c = Case;
  for (int i = 0; i <= kMaxComp; ++i) {
    c.Comp_Tc[i] = c.Comp_Pc[i] = c.Comp_Vc[i] = c.Comp_Omega[i] = 0;
    c.Cp_A[i] = c.Cp_B[i] = c.Cp_C[i] = c.Cp_D[i] = 0;
    for (int j = 0; j <= kMaxComp; ++j) c.EOS_Kij[i][j] = 0;
  }
  for (double& p : c.Tray_Press) p = 0;
}

namespace {

template <typename T>
void AddBytes(std::string& key, const T& v) {
  key.append(reinterpret_cast<const char*>(&v), sizeof v);
}

}  // namespace

std::string Dist_Column_Inputs() {
  const CaseData& c = Case;
  std::string key;
  for (int i = 0; i <= kMaxComp; ++i) key += c.Comp_Name[i] + '\0';
  AddBytes(key, c.NC);
  AddBytes(key, c.NT);
  AddBytes(key, c.N_Feed);
  AddBytes(key, c.N_LiqSC);
  AddBytes(key, c.N_VapSC);
  for (const auto* v : {&c.Mol_Wt, &c.Antoine_A, &c.Antoine_B, &c.Antoine_C, &c.Comp_Tc, &c.Comp_Pc, &c.Comp_Omega,
                        &c.HL_A, &c.HL_B, &c.HL_C, &c.HV_A, &c.HV_B, &c.HV_C, &c.Cp_A, &c.Cp_B, &c.Cp_C, &c.Cp_D})
    AddBytes(key, *v);
  AddBytes(key, c.K_Method);
  AddBytes(key, c.H_Method);
  AddBytes(key, c.T_Unit);
  AddBytes(key, c.P_Unit);
  AddBytes(key, c.H_Unit);
  AddBytes(key, c.Wilson_Lambda);
  AddBytes(key, c.NRTL_Tau);
  AddBytes(key, c.NRTL_Alpha);
  AddBytes(key, c.EOS_Kij);
  AddBytes(key, c.P_Top);
  AddBytes(key, c.P_Bottom);
  AddBytes(key, c.Tray_Press);
  AddBytes(key, c.Top_Liq_Prod);
  AddBytes(key, c.Top_Vap_Prod);
  AddBytes(key, c.Reflux_Ratio);
  AddBytes(key, c.Feed_Stage);
  AddBytes(key, c.LiqSC_Stage);
  AddBytes(key, c.VapSC_Stage);
  AddBytes(key, c.Feed_T);
  AddBytes(key, c.Feed_P);
  AddBytes(key, c.Feed_VF);
  AddBytes(key, c.Feed_Flow);
  AddBytes(key, c.Feed_Z);
  AddBytes(key, c.LiqSC_Flow);
  AddBytes(key, c.VapSC_Flow);
  return key;
}

void Dist_Example1_set() {
  Dist_Clear_Kept_Data();
  Dist_Initial_set();
  CaseData& c = Case;
  c.Memo[1] = "逐次段蒸留計算プログラム";
  c.Memo[2] = "   例題データ";
  c.Memo[3] = "";
  c.Memo[4] = "Methanol - Ethanol - Water - Propanol系 の例題";
  c.Memo[5] = "";
  c.Memo[6] = "                              2026/12  Vadezid";

  c.SC_LK = 2;
  c.SC_HK = 3;
  c.SC_Calc_Type = 0;
  c.SC_Condenser = 0;
  c.SC_Temp_Given = 0;
  c.SC_LK_Spec[1] = 0.005;
  c.SC_LK_Spec[2] = 0.98;
  c.SC_HK_Spec[1] = 0.35;
  c.SC_HK_Spec[2] = 0.1;
  c.SC_Press = 760;
  c.SC_Temp = 80;

  c.H_Unit = 2;
  c.K_Method = 2;
  c.P_Unit = 3;
  c.T_Unit = 1;
  c.H_Method = 1;

  c.NC = 4;
  c.NT = 15;
  c.N_Feed = 1;
  c.N_LiqSC = 0;
  c.N_VapSC = 0;

  struct Row {
    const char* name;
    double mw, a, b, cc, hva, hvb, hvc, hla, hlb, hlc;
  };
  static const Row rows[4] = {
      {"Methanol", 32.04, 7.8786, 1473.11, 230.0, 62.453, 0.39014, 0, -253.37, 0.81773, 0},
      {"Ethanol", 46.07, 8.0449, 1554.3, 222.65, 64.272, 0.41893, 0, -174.17, 0.77057, 0},
      {"Water", 18.015, 8.07131, 1730.63, 233.43, 119.87, 0.46615, 0, -485.52, 0.46615, 0},
      {"1-Propanol", 60.9, 7.9973, 1569.7, 209.5, 44.672, 0.3663, 0, -147.14999, 0.6577, 0},
  };
  for (int i = 1; i <= 4; ++i) {
    const Row& r = rows[i - 1];
    c.Comp_Name[i] = r.name;
    c.Mol_Wt[i] = r.mw;
    c.Antoine_A[i] = r.a;
    c.Antoine_B[i] = r.b;
    c.Antoine_C[i] = r.cc;
    c.HV_A[i] = r.hva;
    c.HV_B[i] = r.hvb;
    c.HV_C[i] = r.hvc;
    c.HL_A[i] = r.hla;
    c.HL_B[i] = r.hlb;
    c.HL_C[i] = r.hlc;
  }
  for (int i = 1; i <= 4; ++i)
    for (int j = 1; j <= 4; ++j) c.Wilson_Lambda[i][j] = 1.0;
  c.Wilson_Lambda[1][3] = 0.382;
  c.Wilson_Lambda[2][3] = 0.999;
  c.Wilson_Lambda[3][2] = 0.826;
  c.Wilson_Lambda[3][4] = 0.001;
  c.Wilson_Lambda[4][3] = 0.67;

  c.Reflux_Ratio = 3.0;
  c.P_Top = 760;
  c.P_Bottom = 770;
  c.T_Top_Est = 72;
  c.T_Bottom_Est = 105;
  c.Top_Liq_Prod = 83;
  c.Top_Vap_Prod = 0;

  c.Feed_Stage[1] = 5;
  c.Feed_T[1] = 93;
  c.Feed_P[1] = 770;
  c.Feed_VF[1] = 0.5;
  c.Feed_Flow[1] = 380;
  c.Feed_Z[1][1] = 0.120949998;
  c.Feed_Z[2][1] = 0.01055;
  c.Feed_Z[3][1] = 0.855279982;
  c.Feed_Z[4][1] = 0.01322;

  c.Max_Iter[1] = 10;
  c.Max_Iter[2] = 20;
  c.Conv_Crit[1] = 5e-5;
  c.Conv_Crit[2] = 1e-5;

  c.Result_Flag = 0;
  for (int j = 1; j <= c.NT; ++j) c.Tray_Press[j] = 0;
  c.Tray_Press[1] = c.P_Top;
  c.Tray_Press[c.NT] = c.P_Bottom;

  Dist_Material_Balance();
}

void Total_Feed_Calc() {
  CaseData& c = Case;
  c.Feed_Sum = 0;
  for (int f = 1; f <= Bounded(c.N_Feed, kMaxFeed); ++f) c.Feed_Sum += c.Feed_Flow[f];
}

void Dist_Material_Balance() {
  CaseData& c = Case;
  Total_Feed_Calc();
  c.Side_Sum = 0;
  for (int k = 1; k <= Bounded(c.N_LiqSC, kMaxFeed); ++k) c.Side_Sum += c.LiqSC_Flow[k];
  for (int k = 1; k <= Bounded(c.N_VapSC, kMaxFeed); ++k) c.Side_Sum += c.VapSC_Flow[k];
  c.Bottom_Flow = c.Feed_Sum - c.Top_Liq_Prod - c.Top_Vap_Prod - c.Side_Sum;
}

void Bottom_Flow_Calc() {
  Dist_Material_Balance();
  if (Case.Bottom_Flow <= 0) Calc_Message("Bottom流量[ " + txt::Signed(Case.Bottom_Flow) + " ]が負です。");
}
