// Cases of the batch tests beyond the example: columns of the benzene/toluene
// family with ideal K-values, and a one-stage still of constant volatility.
#pragma once

#include <cmath>
#include <map>
#include <vector>

#include "batch/model/BatchData.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace batchtest {

// Molar mass, Antoine A, B, C (mmHg, degC), vapour and liquid enthalpy per kg
// (A + B t + C t^2, kcal), as the component database holds them.
struct Comp {
  const char* name;
  double mw, a, b, c, hv[3], hl[3];
};
const Comp kBenzene{"Benzene", 78.11, 7.02785319, 1293.02496, 231.645,
                    {104.9779, 0.25275966, 0.00014998964}, {-2.0970997, 0.39387084, 0.00040440457}};
const Comp kToluene{"Toluene", 92.14, 6.93621705, 1311.2219, 213.02,
                    {102.26198, 0.25076349, 0.00030513782}, {-0.18538037, 0.38546084, 0.00043497442}};
const Comp kPXylene{"P-xylene", 106.17, 7.04565926, 1497.36051, 221.182,
                    {92.442464, 0.28682422, 0.0002489355}, {-5.0768443, 0.38369006, 0.00043461639}};
const Comp kPentane{"N-pentane", 72.15, 6.97356638, 1132.336, 240.589,
                    {92.613409, 0.34083324, 0.00019399711}, {-0.16241073, 0.52760599, 0.00060081985}};

struct Tank {
  int cond;
  double value, reflux, distillate, dutyKcal;
};

// A column of the benzene/toluene family: NT stages at 760 mmHg at the top
// and 2 mmHg more per stage, kmol hold-ups, kcal, ideal K.
struct ColumnCase {
  std::vector<Comp> comps{kBenzene, kToluene};
  std::vector<double> z{0.4, 0.6};
  int nt = 12;
  double plate = 0.01, drum = 0.05, dutyKcal = 250000;
  int mode = 2;
  double conv = 0.0005, maxTime = 20, t0 = 90;
  std::vector<Tank> tanks{{1, -0.95, 5, 5, 0}, {-1, 30, 8, 4, 0}};
  std::map<int, double> sideKcal;
  double step = 0.0005;
};

inline void Load(const ColumnCase& c) {
  Batch_Initial_set();
  Case.NC = static_cast<int>(c.comps.size());
  Case.NT = c.nt;
  Case.K_Method = 1;
  Case.H_Method = 1;
  Case.P_Unit = 3;
  Case.H_Unit = 2;
  for (int i = 1; i <= Case.NC; ++i) {
    const Comp& k = c.comps[i - 1];
    Case.Comp_Name[i] = k.name;
    Case.Mol_Wt[i] = k.mw;
    Case.Antoine_A[i] = k.a, Case.Antoine_B[i] = k.b, Case.Antoine_C[i] = k.c;
    Case.HV_A[i] = k.hv[0], Case.HV_B[i] = k.hv[1], Case.HV_C[i] = k.hv[2];
    Case.HL_A[i] = k.hl[0], Case.HL_B[i] = k.hl[1], Case.HL_C[i] = k.hl[2];
    Batch.Feed_Comp[i] = c.z[i - 1];
  }
  for (int p = 1; p <= c.nt; ++p) {
    Case.Tray_Press[p] = 760 + 2 * (p - 1);
    Batch.Tray_Heat[p] = c.sideKcal.count(p) ? Unit_Heat_In(c.sideKcal.at(p)) : 0;
    Batch.Tray_Holdup[1][p] = p == 1 ? c.drum : c.plate;
  }
  Case.P_Top = 760;
  Case.P_Bottom = Case.Tray_Press[c.nt];
  Batch.Init_Temp = c.t0;
  Batch.Total_Feed = 100;
  Batch.Holdup_Unit = 1;
  Batch.QReb_TR = Batch.QReb = Unit_Heat_In(c.dutyKcal);
  Batch.Ope_Mode = c.mode;
  Batch.N_Change_Tank = static_cast<int>(c.tanks.size()) - 1;
  for (std::size_t k = 0; k < c.tanks.size(); ++k) {
    const Tank& t = c.tanks[k];
    Batch.Tank_Cond[k + 1] = t.cond;
    Batch.Tank_Value[k + 1] = t.value;
    Batch.Prod_Spec[1][k + 1] = t.reflux;
    Batch.Prod_Spec[2][k + 1] = t.distillate;
    Batch.Prod_Spec[3][k + 1] = Unit_Heat_In(t.dutyKcal);
  }
  Batch.Conv_Limit = c.conv;
  Batch.Diff_Time = c.step;
  Batch.Max_Ope_Time = c.maxTime;
  Batch.Save_Interval = 0;
}

// A binary of constant relative volatility alpha boiled from a still of
// 100 kmol under a drum of 0.01 kmol: one stage, no reflux in withdrawal.
inline void BinaryStill(double alpha) {
  Batch_Initial_set();
  Case.NC = 2;
  Case.NT = 2;
  Case.K_Method = 1;
  Case.H_Method = 1;
  Case.P_Unit = 3;
  Case.H_Unit = 1;
  for (int i = 1; i <= 2; ++i) {
    Case.Comp_Name[i] = i == 1 ? "Light" : "Heavy";
    Case.Mol_Wt[i] = 50;
    Case.Antoine_B[i] = 1500;
    Case.Antoine_C[i] = 220;
    Case.HV_A[i] = 1000;  // J/kg: a latent heat of 50 kJ/kmol, no sensible heat
    Batch.Feed_Comp[i] = 0.5;
  }
  Case.Antoine_A[2] = 7;
  Case.Antoine_A[1] = 7 + std::log10(alpha);  // equal B and C: constant volatility
  Case.P_Top = Case.P_Bottom = Case.Tray_Press[1] = Case.Tray_Press[2] = 760;
  Batch.Init_Temp = 100;
  Batch.Total_Feed = 100;
  Batch.Tray_Holdup[1][1] = 0.01;
  Batch.QReb_TR = 5e6;  // 100 kmol/h of vapour at total reflux
  Batch.Ope_Mode = 2;
  Batch.N_Change_Tank = 0;
  Batch.Tank_Cond[1] = -1;
  Batch.Tank_Value[1] = 50;
  Batch.Prod_Spec[1][1] = 0;
  Batch.Prod_Spec[2][1] = 10;
  Batch.Conv_Limit = 1e-6;
  Batch.Diff_Time = 1e-4;
  Batch.Save_Interval = 0;  // the run saves nothing
  Batch.QReb = Batch.QReb_TR;
}

}  // namespace batchtest
