#include "continuous/DistInitialProfile.h"

#include <algorithm>

#include "continuous/DistDefaults.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace {

int Bounded(int n, int limit) { return std::clamp(n, 0, limit); }

// Liquid and vapour parts of all feeds, and all side cuts, summed per stage.
struct StageDraws {
  double feedLiq[kMaxTray + 1]{};
  double feedVap[kMaxTray + 1]{};
  double sideLiq[kMaxTray + 1]{};
  double sideVap[kMaxTray + 1]{};

  explicit StageDraws(const CaseData& c) {
    const int nt = Bounded(c.NT, kMaxTray);
    auto onColumn = [nt](int j) { return j >= 1 && j <= nt; };
    for (int f = 1; f <= Bounded(c.N_Feed, kMaxFeed); ++f) {
      const int j = c.Feed_Stage[f];
      if (!onColumn(j)) continue;
      const double vap = c.Feed_VF[f] * c.Feed_Flow[f];
      feedVap[j] += vap;
      feedLiq[j] += c.Feed_Flow[f] - vap;
    }
    for (int k = 1; k <= Bounded(c.N_LiqSC, kMaxFeed); ++k)
      if (onColumn(c.LiqSC_Stage[k])) sideLiq[c.LiqSC_Stage[k]] += c.LiqSC_Flow[k];
    for (int k = 1; k <= Bounded(c.N_VapSC, kMaxFeed); ++k)
      if (onColumn(c.VapSC_Stage[k])) sideVap[c.VapSC_Stage[k]] += c.VapSC_Flow[k];
  }
};

void SetStageComposition(int j, const double z[]) {
  for (int i = 1; i <= Case.NC; ++i) Case.Tray_X[i][j] = Case.Tray_Y[i][j] = z[i];
}

void LayPressures() {
  CaseData& c = Case;
  const int nt = c.NT;
  c.Tray_P[1] = Unit_Press_In(c.P_Top);
  c.Tray_P[nt] = Unit_Press_In(c.P_Bottom);
  if (nt <= 1) return;
  // The end stages take the top and bottom pressures; they also anchor the interpolation.
  auto entered = [&](int j) { return j == 1 ? c.P_Top : j == nt ? c.P_Bottom : c.Tray_Press[j]; };
  int j0 = 1;
  while (j0 < nt) {
    int j1 = j0 + 1;
    while (j1 < nt && c.Tray_Press[j1] == 0) ++j1;
    const double p0 = entered(j0), p1 = entered(j1);
    c.Tray_P[j1] = Unit_Press_In(p1);
    for (int k = 1; k < j1 - j0; ++k) {
      const double p = p0 + k * (p1 - p0) / (j1 - j0);
      c.Tray_P[j0 + k] = Unit_Press_In(p);
    }
    j0 = j1;
  }
  c.Tray_P[nt] = Unit_Press_In(c.P_Bottom);
}

}  // namespace

bool Dist_Mean_Feed_Composition(double z[]) {
  const CaseData& c = Case;
  double total = 0;
  for (int f = 1; f <= Bounded(c.N_Feed, kMaxFeed); ++f) total += c.Feed_Flow[f];
  if (!(total > 0)) return false;
  for (int i = 1; i <= Bounded(c.NC, kMaxComp); ++i) {
    double s = 0;
    for (int f = 1; f <= Bounded(c.N_Feed, kMaxFeed); ++f) s += c.Feed_Z[i][f] * c.Feed_Flow[f];
    z[i] = s / total;
  }
  return true;
}

void Initial_Composition_set() {
  CaseData& c = Case;
  c.NC_Save = c.NC;
  c.NT_Save = c.NT;
  double z[kMaxComp + 1]{};
  if (!Dist_Mean_Feed_Composition(z)) return;  // no feed: the run check refuses the case
  for (int j = 1; j <= Bounded(c.NT, kMaxTray); ++j) SetStageComposition(j, z);
}

bool Continue_Composition_set() {
  CaseData& c = Case;
  if (c.NC != c.NC_Save) {
    Calc_Message(c.Language == 1 ? "No of Component is not Equal" : "成分数が違います。");
    return false;
  }
  const int nt = Bounded(c.NT, kMaxTray);
  const int old = Bounded(c.NT_Save, kMaxTray);
  // Without stored stages there is nothing to carry over; the solver's start fills empty stages.
  if (old >= 1 && nt >= 1) {
    if (nt < old) {
      for (int i = 1; i <= c.NC; ++i) {
        c.Tray_X[i][nt] = c.Tray_X[i][old];
        c.Tray_Y[i][nt] = c.Tray_Y[i][old];
      }
    } else {
      for (int j = old + 1; j <= nt; ++j)
        for (int i = 1; i <= c.NC; ++i) {
          c.Tray_X[i][j] = c.Tray_X[i][old];
          c.Tray_Y[i][j] = c.Tray_Y[i][old];
        }
    }
  }
  c.NC_Save = c.NC;
  c.NT_Save = c.NT;
  return true;
}

void Initial_Profile_set() {
  CaseData& c = Case;
  const int nt = c.NT;
  if (nt < 1 || nt > kMaxTray) return;
  Dist_Material_Balance();
  const StageDraws s(c);
  const double D = c.Top_Liq_Prod + c.Top_Vap_Prod;
  const bool condenser = c.Reflux_Ratio > 0;

  // Top stage: with a condenser stage 1 returns the reflux and sends no vapour up;
  // without one the vapour product leaves stage 1 and its liquid is the feed's.
  // The vapour from stage 2 closes stage 1's balance with every draw on it.
  double L1, V1;
  if (condenser) {
    L1 = c.Reflux_Ratio * D;
    V1 = 0;
  } else {
    L1 = s.feedLiq[1] - s.sideLiq[1];
    V1 = c.Top_Vap_Prod;
  }
  const double V2 = L1 + s.sideLiq[1] + c.Top_Liq_Prod + (condenser ? c.Top_Vap_Prod : V1) +
                    s.sideVap[1] - s.feedLiq[1] - s.feedVap[1];
  c.Tray_L[1] = L1;
  c.Tray_V[1] = V1;
  double Lr = L1, Vr = V2, Vh = V2;

  const double dT = nt >= 2 ? (c.T_Bottom_Est - c.T_Top_Est) / (nt - 1) : 0.0;
  c.Tray_T[1] = Unit_Temp_In(c.T_Top_Est);
  for (int j = 2; j <= nt - 1; ++j) {
    Lr += s.feedLiq[j] - s.sideLiq[j];
    Vr += -s.feedVap[j] + s.sideVap[j];
    c.Tray_T[j] = Unit_Temp_In(c.T_Top_Est + (j - 1) * dT);
    c.Tray_L[j] = Lr;
    c.Tray_V[j] = Vh;
    Vh = Vr;
  }
  c.Tray_T[nt] = Unit_Temp_In(c.T_Bottom_Est);
  c.Tray_L[nt] = c.Bottom_Flow;
  c.Tray_V[nt] = Vh;

  LayPressures();
}
