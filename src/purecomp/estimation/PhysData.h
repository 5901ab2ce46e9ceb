// The values of the one component whose properties are estimated: its input
// data, critical constants, the 51 temperature points with the property at
// each, the fitted coefficients and the group counts typed into the dialogs.
#pragma once

#include <string>

namespace physprop {

constexpr int kPhysPoints = 51;     // temperature points of an estimation run
constexpr int kFitRows = 61;        // rows of the least-squares work matrix

// Outcome of one step of an estimation run.
enum class PhysStatus {
  Ok,
  PivotVanished,  // a least-squares fit met a vanishing pivot (too few points below Tc)
  NoPointBelowTc, // no temperature of the range lies below Tc: nothing to compute
  TooFewPointsBelowTc,  // fewer than three temperatures below Tc for the Antoine fit
  NotFinite,      // the inputs give no finite value (Tc or Pc 0, M 0, a zero determinant, ...)
  OutOfRange,     // a finite result outside its physical range (an acentric factor beyond -1..3)
};

struct PhysData {
  std::string Phys_Comp_Name;       // name as typed
  double Phys_Mol_Wt = 0;           // molecular weight, g/mol
  double Phys_Tb_C = 0;             // normal boiling point, degC
  double Phys_Tb_K = 0;             // normal boiling point, K
  int Phys_Total_Atom = 0;          // atoms in the molecule
  int Phys_Total_Atom_Blank = 0;    // 1: the atom count was left blank (Joback Pc needs it)
  int Phys_Tb_Blank = 0;            // 1: boiling point blank, Tc from the Fedors groups
  double Phys_Tc = 0;               // critical temperature, K
  double Phys_Pc = 0;               // critical pressure, atm
  double Phys_Vc = 0;               // critical volume, cm3/mol
  double Phys_Omega = 0;            // acentric factor
  double Phys_Temp_Low = 0;         // estimation range, degC
  double Phys_Temp_High = 0;
  double Phys_Temp_Step = 0;        // (high - low) / 50
  double Phys_Temp_C[kPhysPoints + 1] = {};  // points 1..51, degC
  double Phys_Temp_K[kPhysPoints + 1] = {};  // points 1..51, K
  // log10 P[mmHg] = A - B / (t[degC] + C)
  double Phys_Antoine_A = 0, Phys_Antoine_B = 0, Phys_Antoine_C = 0;
  double Phys_Pvap[kPhysPoints + 1] = {};    // vapour pressure, mmHg
  // Ideal-gas Cp0 = A + B T + C T^2 + D T^3 in elements 1..4 (T in K, cal/mol/K)
  double Phys_Cp0[5] = {};
  // Liquid Cp, cal/mol/K; CpL = A + B T + C T^2 (T in K)
  double Phys_CpL[kPhysPoints + 1] = {};
  double Phys_CpL_A = 0, Phys_CpL_B = 0, Phys_CpL_C = 0, Phys_CpL_Min = 0, Phys_CpL_Max = 0;
  // Heat of vaporisation, cal/mol; Hv = A + B T + C T^2 (T in K)
  double Phys_Hv[kPhysPoints + 1] = {};
  double Phys_Hv_A = 0, Phys_Hv_B = 0, Phys_Hv_C = 0, Phys_Hv_Min = 0, Phys_Hv_Max = 0;
  // Saturated liquid density, g/cm3; rho = A + B T + C T^2 and rho = A B^(-(1-Tr)^(2/7))
  double Phys_DenL[kPhysPoints + 1] = {};
  double Phys_DenL2_A = 0, Phys_DenL2_B = 0, Phys_DenL2_C = 0;
  double Phys_DenL1_A = 0, Phys_DenL1_B = 0;
  double Phys_DenL_Min = 0, Phys_DenL_Max = 0;
  // Group counts of the dialogs, rows from 1 (element 0 unused).
  int Phys_Cnt_Lydersen[38] = {};
  int Phys_Cnt_Ambrose[52] = {};
  int Phys_Cnt_Joback[47] = {};
  int Phys_Cnt_Klincewicz[36] = {};
  int Phys_Cnt_Fedors[50] = {};
  int Phys_Cnt_CpIdeal[54] = {};
};

// The estimation's process-wide values.
extern PhysData Phys;

// Back to the values at program start (tests).
void Reset_Phys_Data();

// Clears every result of a run (critical constants, acentric factor, points,
// fitted coefficients) and keeps the inputs and group counts, so that a step
// that fails or is refused shows nothing left from an earlier component.
void Clear_Results();

// Sets every group count of the six dialogs to 0 and forgets the counts kept
// for other components (the estimation window's load).
void Clear_Group_Counts();

// Makes the dialogs' counts those of the named component: the counts in place
// are kept for the component they were typed for, and a component seen before
// gets its own back; a new one starts from none. Leading and trailing blanks of
// the name do not count.
void Use_Group_Counts_Of(const std::string& componentName);

// The work state of the fits of one estimation run: regressors of point i in
// Fit_X[i][1..3], the fitted value in Fit_Y[i], the coefficients in Fit_Coef[1..3].
struct FitWork {
  double Fit_X[kFitRows][4] = {};
  double Fit_Y[kFitRows] = {};
  double Fit_Coef[4] = {};
  int Fit_NP = 0;
  double CpL_R = 0, CpL_K = 0;      // Lyman-Danner parameters last read
};

}  // namespace physprop
