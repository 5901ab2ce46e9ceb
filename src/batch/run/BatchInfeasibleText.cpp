#include "batch/run/BatchInfeasibleText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "batch/model/BatchData.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"

namespace {

// A value in a message, to four significant digits ("-22.8", "-400000").
std::string Short(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3e", value);
  return txt::Plain(std::strtod(text, nullptr));
}

// A heat or duty in the case's unit with its name: BTU has no conversion, so
// its values stay in J.
std::string HeatText(double jPerHour, const char* per) {
  const bool kcal = Case.H_Unit == 2;
  return Short(kcal ? Unit_Heat_Out(jPerHour) : jPerHour) + (kcal ? " Kcal" : " J") + per;
}

// A component on the plate whose vapour enthalpy is not above its liquid's at
// the plate's temperature, in words, or empty: with such data no flow the
// energy balances give means anything.
std::string LatentHeatBlame(int plate) {
  CompVec pure{};
  const std::string own = "Tray " + txt::Plain(plate);
  for (int i = 1; i <= Case.NC; ++i) {
    if (!(Case.Tray_X[i][plate] > 0 || Case.Tray_Y[i][plate] > 0)) continue;
    const double t = Case.Tray_T[plate], p = Case.Tray_P[plate];
    pure[i] = 1;
    const double latent = Enthalpy_Vap(t, p, pure) - Enthalpy_Liq(t, p, pure);
    pure[i] = 0;
    if (!(latent > 0)) {
      const std::string value = HeatText(latent, "/Kgmol");
      return InLanguage(own + " で " + Case.Comp_Name[i] + " の蒸発潜熱が 0 以下です (" + value +
                     ")。エンタルピーデータを確認してください",
                 "the latent heat of " + Case.Comp_Name[i] + " on " + own + " is 0 or less (" + value +
                     "): check its enthalpy data");
    }
  }
  return {};
}

// Why plate `plate`'s flow came out negative, in words; `balance` is the
// plate whose heat balance gave the flow. The enthalpy data come first (a
// latent heat of 0 or less leaves no flow equation its meaning), then the side
// heats the flow carries, then the reboiler duty.
std::string NegativeFlowText(int plate, bool vapour, double flow, int balance, bool topDown, double duty) {
  const int nt = Case.NT;
  const std::string tray = "Tray " + txt::Plain(plate), flowText = " (" + Short(flow) + " Kgmol/H): ";
  const std::string text = InLanguage(tray + (vapour ? " の蒸気流量がマイナス" : " の液流量がマイナス") + flowText,
                               (vapour ? "Negative vapour flow on " : "Negative liquid flow on ") + tray + flowText);
  const std::string own = "Tray " + txt::Plain(balance);
  if (const std::string blame = LatentHeatBlame(balance); !blame.empty()) return text + blame;
  // The side heats (plates 2..NT-1) the flow carries: from the plate of the
  // balance down to the still when the sweep starts at the still, from the
  // top down to it when it starts at the top. From the still a cooled plate
  // takes vapour and a heated one dries its own liquid; from the top a heated
  // plate needs less vapour from below and passes less liquid down.
  const bool cooling = !topDown && vapour;
  int first = std::max(balance, 2), last = nt - 1;  // from the still: the vapour's way up
  if (topDown) first = 2, last = std::min(balance, nt - 1);
  else if (!vapour) last = balance;
  int from = 0, to = 0;
  double sum = 0;
  for (int j = first; j <= last; ++j) {
    const double q = Batch.Tray_Heat[j];
    if (cooling ? q < 0 : q > 0) {
      if (from == 0) from = j;
      to = j;
      sum += q;
    }
  }
  if (from != 0) {
    const std::string plates =
        from == to ? "Tray " + txt::Plain(from)
                   : InLanguage("Tray " + txt::Plain(from) + " ～ " + txt::Plain(to), "Trays " + txt::Plain(from) + " to " +
                                                                                   txt::Plain(to));
    const std::string heat = HeatText(sum, "/H") + (from == to ? "" : InLanguage(" 合計", " in all"));
    if (cooling)
      return text + InLanguage(plates + " の除熱量 (" + heat + ") が下からの蒸気で賄えません",
                        "the heat removed on " + plates + " (" + heat +
                            ") is more than the vapour from below can give");
    return text + InLanguage(plates + " の加熱量 (" + heat + ") が流れ込む液より多くを蒸発させます",
                      "the heat put into " + plates + " (" + heat + ") boils off more liquid than reaches it");
  }
  if (!topDown)
    return text + InLanguage("リボイラー熱量 (" + HeatText(duty, "/H") + ") が小さすぎて蒸気が上がりません",
                      "the reboiler duty (" + HeatText(duty, "/H") + ") is too small to boil up vapour");
  const std::string heat = HeatText(Batch.Tray_Heat[balance], "/H");
  return text + InLanguage(own + " の熱収支 (熱量 " + heat + ") が成り立ちません",
                    "the heat balance of " + own + " (heat input " + heat + ") cannot be met");
}

}  // namespace

std::string Batch_Negative_Flow_Text(bool withdrawal, int mode, double duty) {
  const int nt = Case.NT;
  const double* v = Case.Tray_V;
  const double* l = Case.Tray_L;
  if (withdrawal && mode == 3 && Batch.Run_Distillate < 0) {
    const std::string tank = txt::Plain(Batch.Tank_No), d = Short(Batch.Run_Distillate);
    return InLanguage("TANK " + tank + " のリボイラー熱量 (" + HeatText(duty, "/H") + ") が小さすぎて留出しません (D = " + d +
                   " Kgmol/H)",
               "the reboiler duty of Tank " + tank + " (" + HeatText(duty, "/H") +
                   ") is too small to give any distillate (D = " + d + " Kgmol/H)");
  }
  // The flows in the order their sweep found them, each with the plate
  // whose balance gave it.
  struct Flow {
    int plate;
    bool vapour;
    int balance;
  };
  const bool topDown = withdrawal && mode == 2;
  Flow found{0, false, 0};
  auto negative = [&](int plate, bool vapour, int balance) {
    if (found.plate == 0 && (vapour ? v[plate] : l[plate]) < 0) found = {plate, vapour, balance};
  };
  if (topDown) {
    negative(1, false, 1);
    negative(2, true, 1);
    for (int j = 2; j <= nt - 1; ++j) negative(j + 1, true, j), negative(j, false, j);
  } else {
    negative(nt, true, nt);
    negative(nt - 1, false, nt);
    for (int k = nt - 1; k >= 2; --k) negative(k, true, k), negative(k - 1, false, k);
  }
  if (found.plate == 0) return {};
  return NegativeFlowText(found.plate, found.vapour, found.vapour ? v[found.plate] : l[found.plate], found.balance,
                          topDown, duty);
}

std::string Batch_Runaway_Flow_Text(int plate) {
  for (int k = 0; k < Case.NT; ++k) {
    const int p = (plate - 1 + k) % Case.NT + 1;  // the fastest plate first
    const std::string blame = LatentHeatBlame(p);
    if (blame.empty()) continue;
    const std::string flows = Short(Case.Tray_V[plate]) + " / " + Short(Case.Tray_L[plate]);
    return InLanguage("Tray " + txt::Plain(plate) + " の蒸気/液流量が大きすぎます (" + flows + " Kgmol/H): ",
               "Runaway vapour / liquid flows on Tray " + txt::Plain(plate) + " (" + flows + " Kgmol/H): ") +
           blame;
  }
  return {};
}
