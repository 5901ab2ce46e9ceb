#include "purecomp/estimation/PhysEstimation.h"

#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/model/PhysicalRange.h"
#include "core/model/PhysicalUnits.h"
#include "platform/text/NumberText.h"

namespace physprop {

namespace {
constexpr double kLog10e = 0.434294481903252;
}  // namespace

namespace {
// A required number box: wholly one finite number.
std::string Read_Number(const std::string& text, const char* fieldJa, const char* fieldEn, double& value) {
  const txt::NumberProblem p = txt::ParseNumber(text, value);
  return p == txt::NumberProblem::None ? "" : txt::NumberProblemMessage(p, InLanguage(fieldJa, fieldEn), text);
}

std::string Not_Positive(const char* fieldJa, const char* fieldEn) {
  return In_English() ? std::string(fieldEn) + ": enter a value greater than 0."
                            : "「" + std::string(fieldJa) + "」には0より大きい値を入力してください。";
}
}  // namespace

std::string Estimation_Read_Inputs(const std::string& name, const std::string& molWt,
                                   const std::string& tbC, const std::string& totalAtom) {
  double M = 0;
  if (auto m = Read_Number(molWt, "分子量", "Molecular weight", M); !m.empty()) return m;
  if (!(M > 0)) return Not_Positive("分子量", "Molecular weight");
  double Tb = 0;
  const bool tbBlank = tbC.find_first_not_of(" \t") == std::string::npos;
  if (!tbBlank) {
    if (auto m = Read_Number(tbC, "標準沸点(ﾟC)", "Normal boiling point (deg C)", Tb); !m.empty()) return m;
    if (auto m = Temp_Range_Problem(Tb, "標準沸点(ﾟC)", "Normal boiling point (deg C)"); !m.empty()) return m;
  }
  long long atoms = 0;
  const txt::NumberProblem ap = txt::ParseCount(totalAtom, 0, kMaxTotalAtoms, atoms);
  if (ap != txt::NumberProblem::None && ap != txt::NumberProblem::Blank)
    return txt::NumberProblemMessage(ap, InLanguage("Total原子数", "Total atoms"), totalAtom, 0, kMaxTotalAtoms);
  Phys.Phys_Tb_Blank = 0;
  Use_Group_Counts_Of(name);
  Phys.Phys_Comp_Name = name;
  Phys.Phys_Mol_Wt = M;
  Phys.Phys_Tb_C = Tb;
  Phys.Phys_Tb_K = Phys.Phys_Tb_C + kKelvinOffset;
  Phys.Phys_Total_Atom = static_cast<int>(atoms);
  Phys.Phys_Total_Atom_Blank = ap == txt::NumberProblem::Blank ? 1 : 0;
  return "";
}

std::string Estimation_Read_Range(const std::string& lowText, const std::string& highText, double& lowC,
                                  double& highC) {
  double lo = 0, hi = 0;
  if (auto m = Read_Number(lowText, "推算温度範囲（下限）", "Temperature range (low)", lo); !m.empty()) return m;
  if (auto m = Read_Number(highText, "推算温度範囲（上限）", "Temperature range (high)", hi); !m.empty()) return m;
  // An end outside the suite's range is refused naming its box, before any
  // estimate: below absolute zero no property exists to estimate.
  if (auto m = Temp_Range_Problem(lo, "推算温度範囲（下限）", "Temperature range (low)"); !m.empty()) return m;
  if (auto m = Temp_Range_Problem(hi, "推算温度範囲（上限）", "Temperature range (high)"); !m.empty()) return m;
  lowC = lo;
  highC = hi;
  return "";
}

std::string Estimation_Read_Reference(const std::string& trefText, const std::string& drefText, double& trefC,
                                      double& rhoRef) {
  double t = 0, d = 0;
  if (auto m = Read_Number(trefText, "Tref", "Tref", t); !m.empty()) return m;
  if (auto m = Temp_Range_Problem(t, "Tref", "Tref"); !m.empty()) return m;
  if (auto m = Read_Number(drefText, "ρref", "ρref", d); !m.empty()) return m;
  if (!(d > 0)) return Not_Positive("ρref", "ρref");
  trefC = t;
  rhoRef = d;
  return "";
}

int Points_Below_Tc() {
  int n = 0;
  for (int i = 1; i <= kPhysPoints; ++i)
    if (Phys.Phys_Temp_K[i] < Phys.Phys_Tc) ++n;
  return n;
}

PhysStatus Acentric_Factor(int method, double* rejectedOmega) {
  if (Phys.Phys_Tc == 0) {
    Calc_Message(Tc_Zero_Omega_Message());
    Phys.Phys_Omega = 0;
    return PhysStatus::Ok;
  }
  const double th = Phys.Phys_Tb_K / Phys.Phys_Tc;
  const double Pc = Phys.Phys_Pc;
  double w;
  if (method == kEdmister) {
    w = (3.0 / 7.0) * th / (1.0 - th) * (std::log(Pc) * kLog10e) - 1.0;
  } else {
    const double th6 = std::pow(th, 6);
    w = (-std::log(Pc) - 5.92714 + 6.09648 / th + 1.28862 * std::log(th) - 0.169347 * th6) /
        (15.2518 - 15.6875 / th - 13.4721 * std::log(th) + 0.43577 * th6);
  }
  if (!std::isfinite(w)) return PhysStatus::NotFinite;
  if (w < kMinOmega || w > kMaxOmega) {
    if (rejectedOmega != nullptr) *rejectedOmega = w;
    return PhysStatus::OutOfRange;
  }
  Phys.Phys_Omega = w;
  return PhysStatus::Ok;
}

RangeCut Estimation_Range(double lowC, double highC) {
  RangeCut cut;
  Phys.Phys_Temp_Low = lowC;
  Phys.Phys_Temp_High = highC;
  if (Phys.Phys_Temp_High + kKelvinOffset > Phys.Phys_Tc) {
    Calc_Message(Range_Above_Tc_Message());
    Phys.Phys_Temp_High = Phys.Phys_Tc - kKelvinOffset;
    cut.highCut = true;
  }
  Phys.Phys_Temp_Step = (Phys.Phys_Temp_High - Phys.Phys_Temp_Low) / 50.0;
  for (int i = 1; i <= kPhysPoints; ++i) {
    Phys.Phys_Temp_C[i] = (i - 1) * Phys.Phys_Temp_Step + Phys.Phys_Temp_Low;
    Phys.Phys_Temp_K[i] = Phys.Phys_Temp_C[i] + kKelvinOffset;
  }
  return cut;
}

std::string Lyman_Danner_Unavailable_Message() {
  return InLanguage("Lyman-Danner法は使用できません。相関式の定数Ｘと会合係数Ｋの公表値がデータにないため、"
                "推算値に根拠がありません。",
                "Lyman-Danner cannot be used: the published values of its constant X and of the "
                "association factor K are not in the data, so an estimate would have no basis.");
}

std::string Fedors_Not_Estimated_Message() {
  return InLanguage("標準沸点が空白で、Fedors法のTcが推算されなかったため、推算を中止します。",
                "The normal boiling point is blank and no Fedors Tc was estimated: the run stops.");
}

std::string Cp0_Not_Estimated_Message() {
  return InLanguage("理想気体比熱が推算されなかったため、液比熱は計算しません。",
                "No ideal-gas heat capacity was estimated: the liquid heat capacity is not computed.");
}

std::string Spencer_Danner_Missing_Message() {
  return InLanguage("Spencer-Danner式はRohRef, Trefデータが入力されていないため計算できない。",
                "Spencer-Danner cannot be computed: RhoRef and Tref are not entered.");
}

std::string Step_Fault_Message(const std::string& stepJa, const std::string& stepEn) {
  return In_English() ? "The " + stepEn +
                                  " cannot be computed. Check the molecular weight, boiling point, critical "
                                  "constants and temperature range."
                            : stepJa + "が計算できません。入力値（分子量、沸点、臨界定数、温度範囲）を確認して下さい。";
}

std::string No_Point_Below_Tc_Message() {
  return InLanguage("推算温度範囲に臨界温度Tc未満の温度がないため、蒸気圧・液物性は計算しません。",
                "No temperature of the range lies below the critical temperature Tc: no vapour pressure or "
                "liquid property is computed.");
}

std::string Too_Few_Points_Below_Tc_Message() {
  return InLanguage("臨界温度Tc未満の温度が3点未満のため、Antoine定数を求められません。",
                "Fewer than three temperatures of the range lie below Tc: no Antoine constants can be fitted.");
}

std::string Range_Above_Tc_Message() {
  return InLanguage("臨界温度Tcを越えています。", "The range goes above the critical temperature Tc.");
}

std::string Omega_Out_Of_Range_Message(double omega) {
  const std::string w = txt::Format(omega, "0.000000");
  return In_English()
             ? "The estimated acentric factor (omega " + w +
                   ") is outside its physical range (-1 to 3): it is not used. Check the group counts and the "
                   "critical constants."
             : "推算した偏心因子(ω " + w + ")が物理的な範囲（-1～3）の外にあるため、使用しません。構造要素の数と臨界定数を確認して下さい。";
}

std::string Tc_Zero_Omega_Message() {
  return InLanguage("Tcが 0のため偏心因子ωが推算できません。",
                "Tc is 0, so the acentric factor cannot be estimated.");
}

}  // namespace physprop
