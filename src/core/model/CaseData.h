// The process-wide case data: one case of the continuous, batch and flash
// programs, the application state of the shell and the last equilibrium results.
// Arrays are indexed from 0 with element 0 unused: components 1..20, stages
// 1..200, feeds and side cuts 1..5. Temperatures are in degrees Celsius and
// pressures in MPa during a calculation; typed values stay in the display unit.
#pragma once

#include <cstdint>
#include <string>

constexpr int kMaxComp = 20;   // components
constexpr int kMaxTray = 200;  // stages
constexpr int kMaxFeed = 5;    // feeds, liquid and vapour side cuts
constexpr int kMaxMemo = 10;   // memo lines

using CompVec = double[kMaxComp + 1];
using CompMatrix = double[kMaxComp + 1][kMaxComp + 1];
using TrayVec = double[kMaxTray + 1];
using FeedVec = double[kMaxFeed + 1];
using FeedIntVec = int32_t[kMaxFeed + 1];

struct CaseData {
  // Application state (main menu).
  std::string Data_Dir;      // folder of case files, Result.dat and run files
  std::string DB_Path;       // full path of the component property database
  std::string Msg_Text;      // text of the next message box
  std::string Prog_Title;    // running program's title, heads the shared dialogs' captions
  std::string New_Formula;   // formula of the component last registered in the database
  int16_t Language = 0;      // 0 Japanese, 1 English
  int16_t Program_No = 0;    // 0 continuous, 1 batch, 2 flash, 3 Antoine, 4 VLE, 5 UNIFAC,
                             // 6 property estimation, 7 pure-component DB, 8 pair DB
  int16_t Program_Mode = 0;  // shared dialogs' target: 0 continuous, 1 batch, 2 flash
  uint8_t Read_Error = 0;    // 1 when the last column or batch read was rejected
  std::string Data_File;     // case file last chosen, or Result.dat before a column run writes

  // Counts and limits.
  int32_t Max_Comp = 0;
  int32_t Max_Tray = 0;
  int32_t NC = 0;
  int32_t NT = 0;
  int32_t N_Feed = 0;
  int32_t N_LiqSC = 0;
  int32_t N_VapSC = 0;
  int32_t NC_Save = 0;
  int32_t NT_Save = 0;

  // Component data, per component 1..NC.
  std::string Comp_Name[kMaxComp + 1];
  CompVec Mol_Wt{};
  CompVec Antoine_A{}, Antoine_B{}, Antoine_C{};  // log10 P[mmHg] = A - B / (t[degC] + C)
  CompVec Comp_Tc{};     // critical temperature, K
  CompVec Comp_Pc{};     // critical pressure, bar (the unit of the database and the EOS)
  CompVec Comp_Vc{};     // critical volume, carried only
  CompVec Comp_Omega{};  // acentric factor
  CompVec HL_A{}, HL_B{}, HL_C{};  // liquid enthalpy per unit mass, A + B t + C t^2, display heat unit
  CompVec HV_A{}, HV_B{}, HV_C{};  // vapour enthalpy, as above
  CompVec Cp_A{}, Cp_B{}, Cp_C{}, Cp_D{};  // ideal-gas Cp = A + B T + C T^2 + D T^3, T in K
  CompVec Flash_Cp_1{}, Flash_Cp_2{}, Flash_Cp_3{}, Flash_Cp_4{}, Flash_Cp_5{}, Flash_Cp_6{};
  std::string Memo[kMaxMemo + 1];  // memo lines 1..10

  // Methods, units and interaction parameters.
  int32_t K_Method = 0;  // 1 ideal, 2 Wilson, 3 NRTL, 4 SRK, 5 Peng-Robinson
  int32_t H_Method = 0;  // 0 none, 1 polynomial, 2 SRK, 3 Peng-Robinson
  int32_t T_Unit = 0;    // 1 degC, 2 K, 3 degF
  int32_t P_Unit = 0;    // 1 MPa, 2 kPa, 3 mmHg, 4 mmH2O, 5 kgf/cm2, 6 psia
  int32_t H_Unit = 0;    // 1 J, 2 kcal
  CompMatrix Wilson_Lambda{};  // Lambda(i, j), i the component whose gamma it serves
  CompMatrix NRTL_Tau{};
  double NRTL_Alpha = 0;
  CompMatrix EOS_Kij{};
  double Wilson_L12 = 0, Wilson_L21 = 0, NRTL_Tau12 = 0, NRTL_Tau21 = 0;  // VLE estimation pair

  // Continuous column case (display units).
  double P_Top = 0, P_Bottom = 0;
  TrayVec Tray_Press{};  // specified pressure per stage, 0 = interpolate
  double T_Top_Est = 0, T_Bottom_Est = 0;
  double Top_Liq_Prod = 0, Top_Vap_Prod = 0;
  double Reflux_Ratio = 0;  // 0 = no condenser
  double Conv_Crit[3]{};    // 1 material pass, 2 heat pass
  int32_t Max_Iter[3]{};
  FeedIntVec Feed_Stage{}, LiqSC_Stage{}, VapSC_Stage{};
  FeedVec Feed_T{}, Feed_P{}, Feed_VF{}, Feed_Flow{}, Feed_H{};
  double Feed_Z[kMaxComp + 1][kMaxFeed + 1]{};  // (component, feed)
  FeedVec LiqSC_Flow{}, VapSC_Flow{};
  double Feed_Sum = 0, Side_Sum = 0, Bottom_Flow = 0;
  int32_t Dist_Graph_Div = 0;  // decades of the profile graphs' composition axis

  // Shortcut design.
  int32_t SC_LK = 0, SC_HK = 0, SC_Calc_Type = 0, SC_Condenser = 0, SC_Temp_Given = 0;
  double SC_LK_Spec[3]{}, SC_HK_Spec[3]{};
  double SC_Press = 0, SC_Temp = 0;
  CompVec SC_Feed_Comp_Flow{};
  double SC_Feed_Total = 0;
  CompVec SC_Z{}, SC_D{}, SC_B{};

  // Stage arrays and run state.
  TrayVec Tray_T{};  // degC
  TrayVec Tray_P{};  // MPa
  TrayVec Tray_V{}, Tray_L{};
  double Tray_X[kMaxComp + 1][kMaxTray + 1]{};  // (component, stage)
  double Tray_Y[kMaxComp + 1][kMaxTray + 1]{};
  TrayVec Dist_Tray_HV{}, Dist_Tray_HL{};
  uint8_t Result_Flag = 0;
  int32_t Stop_Flag = 0;

  // Flash scratch.
  double Flash_T = 0;  // degC
  double Flash_P = 0, Flash_T_Low = 0, Flash_T_High = 0;  // display units
  CompVec Flash_Z{}, Flash_X{}, Flash_Y{};
  double Flash_Curve_VF[202]{};

  // Last equilibrium results of the thermodynamic library.
  CompVec K_Value{};
  CompVec Gamma{};
};

// The one case of the process.
extern CaseData Case;

// Back to the state at process start (tests; nothing in the program calls it).
void Reset_Case_Data();
