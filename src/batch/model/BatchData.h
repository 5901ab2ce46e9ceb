// The batch program's own variables beside the shared case data model: the
// batch case (charge, operation, product plan, plate data), the values in force
// during a run, the run state of the column and the tanks, and the continuation
// state read back from the total-reflux file. Arrays are indexed from 1 with
// element 0 unused, as in the case data model. Units inside a run: degC, MPa,
// h, kmol, kmol/h, J/kmol for enthalpies and J/h for duties.
#pragma once

#include <cstdint>
#include <string>

#include "core/model/CaseData.h"

constexpr int kMaxTank = 5;  // product tanks (N_Change_Tank + 1 of them)

using TankVec = double[kMaxTank + 1];
using TankIntVec = int32_t[kMaxTank + 1];

struct BatchData {
  // ---- The batch case (kept by the case file except where noted)
  int32_t Ope_Mode = 0;      // 1 total reflux only; 2 then withdrawal at R and D; 3 at R and reboiler duty
  int32_t Holdup_Unit = 0;   // column of Tray_Holdup in use: 1 kmol, 2 kg, 3 m3
  double Conv_Limit = 0;     // total-reflux tolerance, mole fraction
  double Diff_Time = 0;      // integration step, h
  double Max_Ope_Time = 0;   // longest time of each phase, h
  double QReb_TR = 0;        // reboiler duty at total reflux, J/h
  double QReb = 0;           // reboiler duty in force when a run starts, J/h (not in the file)
  double Save_Interval = 0;  // period of the saved records, h
  int32_t Continue_Flag = 0;  // 1: the next run goes on from the continuation state (not in the file)
  double Init_Temp = 0;       // start of the plate bubble-point searches, display temperature unit
  int32_t N_Change_Tank = 0;  // tank changes; N_Change_Tank + 1 tanks are filled (0..4)
  int32_t Feed_Comp_Unit = 0;  // caption basis of the charge: 0 mole, 1 weight (not in the file)
  double Total_Feed = 0;       // charge put into the still
  int32_t Graph_Scale = 0;     // composition axis: 0 logarithmic, 1 linear (not in the file)
  int32_t Graph_Div = 0;       // axis divisions (decades on a log axis) (not in the file)
  int32_t Batch_Opt3 = 0;      // integer option stored after H_Method; read by no calculation
  TankIntVec Tank_Cond{};      // -1 amount kmol, -2 amount kg, n mole fraction of n, 100 + n mass fraction
  TankVec Tank_Value{};        // threshold: +f full once above f, -f once below f; amounts positive
  double Prod_Spec[4][kMaxTank + 1]{};     // (1 reflux ratio, 2 distillate kmol/h, 3 duty J/h; tank)
  double Tray_Holdup[4][kMaxTray + 1]{};   // (unit 1 kmol / 2 kg / 3 m3; plate)
  TrayVec Tray_Heat{};                     // heat input (+) or removal (-) per plate, J/h
  CompVec Feed_Comp{};                     // charge fractions

  // ---- Values in force during a run (set by the run, replaced by the change dialogs)
  double Run_Conv_Limit = 0, Run_Diff_Time = 0, Run_QReb = 0;
  double Run_Save_Interval = 0, Run_Distillate = 0, Run_Reflux = 0;

  // ---- Run state
  TrayVec Holdup_Mol{};       // molar hold-up, kmol; at the still its contents
  TrayVec Tray_HV{}, Tray_HL{};  // vapour and liquid molar enthalpy, J/kmol
  TrayVec Tray_dM{};          // hold-up change rate, kmol/h
  TrayVec Tray_dHL{};         // liquid enthalpy change rate, J/kmol/h
  TrayVec Tray_Q_Sum{};       // heat put into the plate since the run began, J
  TrayVec Tray_Q_Sum_Prev{};  // heat put into the plate while the current tank fills, J
  CompVec Work_Comp{};        // composition handed to the equilibrium and enthalpy routines
  CompVec Tank_Amount{};      // kmol of each component in the current tank
  double RKG_Q[kMaxTray + 1][kMaxComp + 1]{};  // Runge-Kutta-Gill carry-over (plate, component)
  double Oper_Time = 0;     // phase time at the start of the current step, h
  double Restart_Time = 0;  // time a continued run goes on from, h
  double Scale_T_Max = 0, Scale_T_Min = 0;  // temperature range of the run, degC
  double Scale_V_Max = 0, Scale_V_Min = 0;  // largest and smallest non-zero vapour flow, kmol/h
  double Scale_L_Max = 0, Scale_L_Min = 0;  // the same for the liquid flow
  int32_t First_Step_Done = 0;  // 1 once the first step of a run has finished
  int32_t Prod_Phase = 0;       // 0 total reflux, 1 product withdrawal
  int32_t Tank_No = 0;          // current tank during withdrawal, 1..5
  int32_t Tank_Count = 0;       // tanks recorded so far in the run
  int32_t Last_Tank_Full = 0;   // 1 once the last tank of the plan is recorded
  std::string Batch_File;       // path the case-file routines read or write
  std::string Batch_Log_File;   // path of the run log

  // ---- Continuation state (the total-reflux file's state part)
  double Cont_X[kMaxComp + 1][kMaxTray + 1]{};  // (component, plate)
  double Cont_Y[kMaxComp + 1][kMaxTray + 1]{};
  TrayVec Cont_T{}, Cont_V{}, Cont_L{}, Cont_HV{}, Cont_HL{};
  TrayVec Cont_Heat{}, Cont_M{}, Cont_dM{}, Cont_dHL{}, Cont_Q_Sum{};
};

// The batch program's variables of the process.
extern BatchData Batch;

// Back to the state at process start (tests).
void Reset_Batch_Data();

// Puts the batch input back to its defaults each time the batch program opens;
// every field it does not name keeps its value (counts, pressures, charge,
// plate data, product plan).
void Batch_Initial_set();

// Loads the methanol - ethanol - water example case (the Example button,
// without the window refresh); memo texts follow Case.Language.
void Batch_Example_set();
