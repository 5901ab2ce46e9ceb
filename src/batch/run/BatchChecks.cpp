#include "batch/run/BatchChecks.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "batch/model/BatchData.h"
#include "batch/run/BatchRunFiles.h"
#include "core/model/CalcMessages.h"
#include "core/model/Language.h"
#include "core/model/PhysicalRange.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"

namespace {

BatchCheckResult Refuse(const char* japanese, const char* english) {
  return {false, InLanguage(japanese, english)};
}

bool Positive(double v) { return std::isfinite(v) && v > 0; }

// Mean molecular weight of the charge, the basis of hold-ups entered in kg.
double ChargeMolWt() {
  double sum = 0, mw = 0;
  for (int i = 1; i <= Case.NC; ++i) {
    sum += Batch.Feed_Comp[i];
    mw += Batch.Feed_Comp[i] * Case.Mol_Wt[i];
  }
  return sum > 0 ? mw / sum : 0;
}

BatchCheckResult CheckHoldups() {
  const int nt = Case.NT, unit = Batch.Holdup_Unit;
  const char* ja = "Tray ﾎｰﾙﾄﾞｱｯﾌﾟ量が入力されていません。";
  const char* en = "Tray holdup rate does not input";
  for (int p = 1; p <= nt - 1; ++p) {
    if (Batch.Tray_Holdup[1][p] == 0 && Batch.Tray_Holdup[2][p] == 0 && Batch.Tray_Holdup[3][p] == 0)
      return Refuse(ja, en);
  }
  // Only kmol and kg can be turned into moles: no liquid density is kept.
  if (unit != 1 && unit != 2) return Refuse(ja, en);
  for (int p = 1; p <= nt - 1; ++p)
    if (!Positive(Batch.Tray_Holdup[unit][p])) return Refuse(ja, en);
  double plates = 0;
  if (unit == 1) {
    for (int p = 1; p <= nt - 1; ++p) plates += Batch.Tray_Holdup[1][p];
  } else {
    const double mw = ChargeMolWt();
    for (int i = 1; i <= Case.NC; ++i)
      if (!Positive(Case.Mol_Wt[i])) return Refuse(ja, en);
    for (int p = 1; p <= nt - 1; ++p) plates += Batch.Tray_Holdup[2][p] / mw;
  }
  // The still holds what the plates leave of the charge; it must hold something.
  if (!Positive(Batch.Total_Feed - plates))
    return Refuse("仕込量が段のホールドアップの合計以下のため、スチルに液が残りません。",
                  "The charge is not more than the plates' hold-ups: nothing is left in the still.");
  return {};
}

std::string Number(double v) { return txt::Plain(v); }

// Why tank k of the product plan cannot be run, or empty: a reflux ratio
// below 0, a distillate rate (mode 2) or reboiler duty (mode 3) that is not
// above 0 (the column would idle until the time is over), a condition on no
// component of the case or of no known kind (it would never be met), and
// values that are no number.
std::string TankProblem(int k) {
  const int nc = Case.NC, cond = Batch.Tank_Cond[k];
  const double reflux = Batch.Prod_Spec[1][k];
  if (!(std::isfinite(reflux) && reflux >= 0)) return InLanguage("還流比 ", "reflux ratio ") + Number(reflux);
  if (Batch.Ope_Mode == 3) {
    const double duty = Batch.Prod_Spec[3][k];
    if (!(std::isfinite(duty) && duty > 0))
      return InLanguage("リボイラー熱量 ", "reboiler duty ") + Number(Case.H_Unit == 2 ? Unit_Heat_Out(duty) : duty);
  } else {
    const double d = Batch.Prod_Spec[2][k];
    if (!(std::isfinite(d) && d > 0)) return InLanguage("抜出量 ", "distillate rate ") + Number(d);
  }
  const int component = cond > 100 ? cond - 100 : cond;
  if (cond >= 1 && (component < 1 || component > nc))
    return InLanguage("成分番号 ", "component ") + Number(component) + InLanguage("、成分数は ", " of a ") + Number(nc) +
           InLanguage("", "-component case");
  if (!(cond == -1 || cond == -2 || cond >= 1)) return InLanguage("切替条件 ", "change condition ") + Number(cond);
  if (!std::isfinite(Batch.Tank_Value[k])) return InLanguage("切替値 ", "change value ") + Number(Batch.Tank_Value[k]);
  return {};
}

// The product plan of the tanks in use, naming the first tank refused.
BatchCheckResult CheckProductPlan() {
  for (int k = 1; k <= Batch.N_Change_Tank + 1; ++k)
    if (const std::string problem = TankProblem(k); !problem.empty())
      return {false, InLanguage("製品抜出条件が正しくありません。(TANK ", "Product withdrawal condition is not valid (Tank ") +
                         Number(k) + ": " + problem + ")"};
  return {};
}

BatchCheckResult CheckCase(bool forRun) {
  const int nc = Case.NC, nt = Case.NT;
  if (nt < 2 || nc < 1)
    return Refuse("成分数 or 理論段数が入力されていません。", "N.Comp or T.Plate does not input");
  // Only the temperature polynomial yields enthalpies; without them every
  // flow equation of the plate model divides by zero.
  if (Case.K_Method < 1 || Case.K_Method > 5 || Case.H_Method != 1)
    return Refuse("気液平衡推算法 or エンタルピー推算法が入力されていません。",
                  "K-Value or Enthalpy Method does not input");
  if (std::string eos = Eos_Constants_Problem(); !eos.empty()) return {false, eos};
  for (int i = 1; i <= nc; ++i)
    if (Case.Antoine_A[i] == 0 || Case.Antoine_B[i] == 0 || Case.Antoine_C[i] == 0)
      return Refuse("Antoine定数が入力されていません。", "Antoine Constants does not input");
  if (Batch.Total_Feed < 0) return Refuse("仕込量が負の値です。", "Feed rate is negative");
  if (!Positive(Batch.Total_Feed))
    return Refuse("仕込量が入力されていません。", "Feed rate does not input");
  double charge = 0;
  for (int i = 1; i <= nc; ++i) {
    const double z = Batch.Feed_Comp[i];
    // The run itself leaves a component absent from the charge out of its balances.
    if (z < 0)
      return {false, InLanguage("仕込組成が負の値です（" + Case.Comp_Name[i] + "）。0 以上の値を入力してください。",
                                "The feed composition of " + Case.Comp_Name[i] + " is negative: enter 0 or more.")};
    const bool bad = forRun ? !(std::isfinite(z) && z >= 0) : !Positive(z);
    if (bad) return Refuse("仕込組成が入力されていません。", "Feed Composition doese not input");
    charge += z;
  }
  if (!Positive(charge)) return Refuse("仕込組成が入力されていません。", "Feed Composition doese not input");
  if (BatchCheckResult r = CheckHoldups(); !r.ok) return r;
  if (!Positive(Case.P_Top) || !Positive(Case.P_Bottom))
    return Refuse("圧力が入力されていません。", "Pressure does not input");
  // The button copies the start-up duty into the duty in force; the run uses the latter.
  if (!forRun) Batch.QReb = Batch.QReb_TR;
  if (!Positive(forRun ? Batch.QReb : Batch.QReb_TR))
    return Refuse("ﾘﾎﾞｲﾗｰ熱量が入力されていません。", "Reboiler heat duty does not input");
  // A save interval of 0 means "no saving" to the run; the button asks for one.
  const bool saveOk = forRun ? std::isfinite(Batch.Save_Interval) && Batch.Save_Interval >= 0
                             : Positive(Batch.Save_Interval);
  if (!Positive(Batch.Conv_Limit) || !Positive(Batch.Diff_Time) || !Positive(Batch.Max_Ope_Time) ||
      !saveOk)
    return Refuse("計算条件が入力されていません。", "Calculation condition does not input");
  if (Batch.Ope_Mode < 1 || Batch.Ope_Mode > 3 || Batch.N_Change_Tank < 0 ||
      Batch.N_Change_Tank > kMaxTank - 1)
    return Refuse("計算条件が入力されていません。", "Calculation condition does not input");
  // Each phase may step up to the longest operating time: a run that could
  // not end in reasonable time is refused before it starts.
  const double steps = std::ceil(Batch.Max_Ope_Time / Batch.Diff_Time);
  if (!(steps <= kMaxBatchSteps)) {
    char n[32];
    std::snprintf(n, sizeof n, steps < 1e15 ? "%.0f" : "%.3g", steps);
    return {false, InLanguage("計算ステップ数が多すぎます (", "Too many calculation steps (") + std::string(n) +
                       InLanguage(" ステップ、上限 10000000)。微分時間または最大操作時間を見直してください。",
                            " steps, limit 10000000): change the time step or the operating time")};
  }
  // The history files must fit a disk: a record at every step of a long run
  // would fill it before the run ends.
  if (const double bytes = Batch_Run_Files_Estimate(); bytes > kMaxRunFileBytes) {
    char gb[32];
    std::snprintf(gb, sizeof gb, "%.1f", bytes / 1e9);
    return {false, InLanguage("計算結果ファイルが大きすぎます (約 ", "The run files would take about ") + std::string(gb) +
                       InLanguage(" GB、上限 1 GB)。計算結果保存周期を長くするか最大操作時間を短くしてください。",
                            " GB (limit 1 GB): lengthen the Save Interval or shorten the Max Ope Time")};
  }
  // Values no plant has: pressures of the plates, the start temperature and
  // the product plan of the tanks in use.
  for (int p = 1; p <= nt; ++p)
    if (!std::isfinite(Case.Tray_Press[p]) || Case.Tray_Press[p] < 0)
      return Refuse("圧力が入力されていません。", "Pressure does not input");
  // The suite's range of temperatures and pressures, naming the first value outside it.
  std::string range = Press_Range_Problem(Unit_Press_In(Case.P_Top), "塔頂圧力", "Top Press");
  if (range.empty()) range = Press_Range_Problem(Unit_Press_In(Case.P_Bottom), "塔底圧力", "Bottom Press");
  for (int p = 1; p <= nt && range.empty(); ++p)
    if (Case.Tray_Press[p] != 0)  // 0: laid between the top and bottom pressures
      range = Press_Range_Problem(Unit_Press_In(Case.Tray_Press[p]), "段" + std::to_string(p) + "の圧力",
                                  "Pressure of plate " + std::to_string(p));
  if (range.empty()) range = Temp_Range_Problem(Unit_Temp_In(Batch.Init_Temp), "初期温度", "Initial Temp");
  if (!range.empty()) return {false, range};
  if (Batch.Ope_Mode > 1) return CheckProductPlan();
  return {};
}

}  // namespace

BatchCheckResult Batch_Check_Case() {
  if (Batch.Continue_Flag == 1 && (Case.NC != Case.NC_Save || Case.NT != Case.NT_Save)) {
    Calc_Message(InLanguage("全還流収束データの成分数or理論段数と違うため、初期状態から計算する。",
                      "not Equal N.Comp or T.Plate at total reflux data, calculate initial state"));
    Batch.Continue_Flag = 0;
  }
  BatchCheckResult r = CheckCase(false);
  if (!r.ok) Calc_Message(r.message);
  return r;
}

BatchCheckResult Batch_Check_Run() { return CheckCase(true); }
