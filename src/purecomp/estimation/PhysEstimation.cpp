#include "purecomp/estimation/PhysEstimation.h"

#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"

namespace physprop {

namespace {
constexpr double kLog10e = 0.434294481903252;
constexpr double kAbsoluteZeroC = -273.15;
}  // namespace

void Estimation_Read_Inputs(const std::string& name, const std::string& molWt,
                            const std::string& tbC, const std::string& totalAtom) {
  Phys.Phys_Tb_Blank = 0;
  Phys.Phys_Comp_Name = name;
  Phys.Phys_Mol_Wt = txt::Val(molWt);
  Phys.Phys_Tb_C = txt::Val(tbC);
  Phys.Phys_Tb_K = Phys.Phys_Tb_C + 273.15;
  Phys.Phys_Total_Atom = static_cast<int>(txt::ValCount(totalAtom));
}

PhysStatus Acentric_Factor(int method) {
  if (Phys.Phys_Tc == 0) {
    Calc_Message("Tcが 0のため偏心因子ωが推算できません。");
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
  Phys.Phys_Omega = w;
  return PhysStatus::Ok;
}

RangeCut Estimation_Range(double lowC, double highC) {
  RangeCut cut;
  Phys.Phys_Temp_Low = lowC;
  Phys.Phys_Temp_High = highC;
  if (Phys.Phys_Temp_High + 273.15 > Phys.Phys_Tc) {
    Calc_Message("臨界温度Tcを越えています。");
    Phys.Phys_Temp_High = Phys.Phys_Tc - 273.15;
    cut.highCut = true;
  }
  if (Phys.Phys_Temp_Low < kAbsoluteZeroC) {
    Calc_Message("-273.15℃以下です。");
    Phys.Phys_Temp_Low = kAbsoluteZeroC;
    cut.lowCut = true;
  }
  Phys.Phys_Temp_Step = (Phys.Phys_Temp_High - Phys.Phys_Temp_Low) / 50.0;
  for (int i = 1; i <= kPhysPoints; ++i) {
    Phys.Phys_Temp_C[i] = (i - 1) * Phys.Phys_Temp_Step + Phys.Phys_Temp_Low;
    Phys.Phys_Temp_K[i] = Phys.Phys_Temp_C[i] + 273.15;
  }
  return cut;
}

namespace {
std::string Chosen(const char* ja, const char* en) { return Case.Language == 1 ? en : ja; }
}  // namespace

std::string Lyman_Danner_Unavailable_Message() {
  return Chosen("Lyman-Danner法は使用できません。相関式の定数Ｘと会合係数Ｋの公表値がデータにないため、"
                "推算値に根拠がありません。",
                "Lyman-Danner cannot be used: the published values of its constant X and of the "
                "association factor K are not in the data, so an estimate would have no basis.");
}

std::string Fedors_Not_Estimated_Message() {
  return Chosen("標準沸点が空白で、Fedors法のTcが推算されなかったため、推算を中止します。",
                "The normal boiling point is blank and no Fedors Tc was estimated: the run stops.");
}

std::string Cp0_Not_Estimated_Message() {
  return Chosen("理想気体比熱が推算されなかったため、液比熱は計算しません。",
                "No ideal-gas heat capacity was estimated: the liquid heat capacity is not computed.");
}

std::string Spencer_Danner_Missing_Message() {
  return "Spencer-Danner式はRohRef, Trefデータが入力されていないため計算できない。";
}

std::string Step_Fault_Message(const std::string& step) {
  return step + "が計算できません。入力値（分子量、沸点、臨界定数、温度範囲）を確認して下さい。";
}

}  // namespace physprop
