#include "continuous/results/DistResultData.h"

#include <algorithm>

#include "continuous/DistColumnCheck.h"
#include "continuous/DistSolver.h"
#include "core/model/CalcMessages.h"
#include "core/thermo/Thermo.h"

namespace {

int Comps() { return std::clamp(Case.NC, 0, kMaxComp); }
int Count(int32_t n) { return std::clamp(n, 0, kMaxFeed); }
int StageIndex(int p) { return std::clamp(p, 0, kMaxTray); }

}  // namespace

double DistStream::Fraction(int i) const {
  const int p = StageIndex(stage);
  return phase == 0 ? Case.Tray_X[i][p] : Case.Tray_Y[i][p];
}

double DistStream::Enthalpy() const {
  const int p = StageIndex(stage);
  return phase == 0 ? Case.Dist_Tray_HL[p] : Case.Dist_Tray_HV[p];
}

std::vector<DistStream> Dist_Liquid_Draws() {
  std::vector<DistStream> s;
  if (Case.Top_Liq_Prod > 0) s.push_back({Case.Top_Liq_Prod, 1, 0});
  for (int k = 1; k <= Count(Case.N_LiqSC); ++k) s.push_back({Case.LiqSC_Flow[k], Case.LiqSC_Stage[k], 0});
  s.push_back({Case.Bottom_Flow, Case.NT, 0});
  return s;
}

std::vector<DistStream> Dist_Vapour_Draws() {
  std::vector<DistStream> s;
  if (Case.Top_Vap_Prod > 0) s.push_back({Case.Top_Vap_Prod, 1, 1});
  for (int k = 1; k <= Count(Case.N_VapSC); ++k) s.push_back({Case.VapSC_Flow[k], Case.VapSC_Stage[k], 1});
  return s;
}

std::vector<DistStream> Dist_Product_Streams() {
  std::vector<DistStream> s;
  if (Case.Top_Liq_Prod > 0) s.push_back({Case.Top_Liq_Prod, 1, 0});
  if (Case.Top_Vap_Prod > 0) s.push_back({Case.Top_Vap_Prod, 1, 1});
  for (int k = 1; k <= Count(Case.N_LiqSC); ++k) s.push_back({Case.LiqSC_Flow[k], Case.LiqSC_Stage[k], 0});
  for (int k = 1; k <= Count(Case.N_VapSC); ++k) s.push_back({Case.VapSC_Flow[k], Case.VapSC_Stage[k], 1});
  s.push_back({Case.Bottom_Flow, Case.NT, 0});
  return s;
}

void Dist_Stage_Enthalpies(double hv[], double hl[]) {
  const int nc = Comps();
  for (int j = 1; j <= StageIndex(Case.NT); ++j) {
    double x[kMaxComp + 1]{}, y[kMaxComp + 1]{};
    for (int i = 1; i <= nc; ++i) {
      x[i] = Case.Tray_X[i][j];
      y[i] = Case.Tray_Y[i][j];
    }
    hv[j] = Enthalpy_Vap(Case.Tray_T[j], Case.Tray_P[j], y);
    hl[j] = Enthalpy_Liq(Case.Tray_T[j], Case.Tray_P[j], x);
  }
}

DistBalance Dist_Balance_Calc() {
  DistBalance b;
  const int nc = Comps();
  // The stage enthalpies of the state shown, not those the flows were last
  // balanced with: a run stopped short of its solution then shows its imbalance.
  double HV[kMaxTray + 1]{}, HL[kMaxTray + 1]{};
  Dist_Stage_Enthalpies(HV, HL);
  for (int f = 1; f <= Count(Case.N_Feed); ++f) {
    b.FeedHeat += Case.Feed_Flow[f] * Case.Feed_H[f];
    for (int i = 1; i <= nc; ++i) {
      const double n = Case.Feed_Flow[f] * Case.Feed_Z[i][f];
      b.FeedComp[i] += n;
      b.FeedMass += n * Case.Mol_Wt[i];
    }
  }
  for (const DistStream& s : Dist_Product_Streams()) {
    const int p = StageIndex(s.stage);
    b.ProdHeat += s.flow * (s.phase == 0 ? HL[p] : HV[p]);
    for (int i = 1; i <= nc; ++i) {
      const double n = s.flow * s.Fraction(i);
      b.ProdComp[i] += n;
      b.ProdMoles += n;
      b.ProdMass += n * Case.Mol_Wt[i];
    }
  }
  // Without a condenser the top vapour leaves the column from stage 1 and is a
  // product like any other: no duty at the top.
  if (Case.Reflux_Ratio != 0) {
    b.Qc = Case.Tray_V[2] * HV[2] - (Case.Top_Liq_Prod + Case.Tray_L[1]) * HL[1];
    if (Case.Top_Vap_Prod > 0) b.Qc -= Case.Top_Vap_Prod * HV[1];
  }
  // The reboiler duty from the bottom stage's own balance (vapour up, bottoms and
  // draws out, liquid from the stage above and feeds in), not as what closes the
  // overall balance: then IN (feeds + Qr) against OUT (products + Qc) shows how
  // well the stages in between balance.
  const int nt = StageIndex(Case.NT);
  if (nt >= 2) {
    b.Qr = Case.Tray_V[nt] * HV[nt] + Case.Bottom_Flow * HL[nt] - Case.Tray_L[nt - 1] * HL[nt - 1];
    for (int k = 1; k <= Count(Case.N_LiqSC); ++k)
      if (Case.LiqSC_Stage[k] == nt) b.Qr += Case.LiqSC_Flow[k] * HL[nt];
    for (int k = 1; k <= Count(Case.N_VapSC); ++k)
      if (Case.VapSC_Stage[k] == nt) b.Qr += Case.VapSC_Flow[k] * HV[nt];
    for (int f = 1; f <= Count(Case.N_Feed); ++f)
      if (Case.Feed_Stage[f] == nt) b.Qr -= Case.Feed_Flow[f] * Case.Feed_H[f];
  } else {
    b.Qr = b.ProdHeat - b.FeedHeat + b.Qc;
  }
  b.HeatIn = b.FeedHeat + b.Qr;
  b.HeatOut = b.ProdHeat + b.Qc;
  return b;
}

std::string Dist_Result_Warning() {
  if (!Dist_Result_Note().empty()) return Dist_Result_Note();
  // Results read from a file carry no note: judge them by their own equations.
  CalcMessageScope scope;
  const DistResidualReport r =
      Dist_Column_Residuals(Case.Conv_Crit[1], Case.Conv_Crit[2], Case.H_Method == 1);
  return r.balanced ? std::string() : Dist_Residual_Text(r.worst);
}

std::optional<double> Relative_Difference(double in, double out) {
  if (in == 0) return std::nullopt;
  return (in - out) / in * 100;
}

double Mean_Mol_Wt(const double z[]) {
  double m = 0;
  for (int i = 1; i <= Comps(); ++i) m += z[i] * Case.Mol_Wt[i];
  return m;
}

StreamView Stream_View(bool weight, double moleFlow, double molarEnthalpy, const double z[]) {
  StreamView v;
  const int nc = Comps();
  const double h = Unit_Heat_Out(molarEnthalpy);
  if (!weight) {
    v.flow = moleFlow;
    v.enthalpy = h;
    for (int i = 1; i <= nc; ++i) v.fraction[i] = z[i];
    return v;
  }
  // Mass / mole flow is the mean molecular weight, so a stream (or a stage's
  // phase) without flow still has its mass fractions.
  const double m = Mean_Mol_Wt(z);
  v.flow = moleFlow * m;
  if (m == 0) return v;  // no composition: no mass fractions
  v.enthalpy = h / m;
  for (int i = 1; i <= nc; ++i) v.fraction[i] = z[i] * Case.Mol_Wt[i] / m;
  return v;
}
