#include "core/model/PhysicalRange.h"

#include <cmath>

#include "core/model/CaseData.h"
#include "core/model/Language.h"

bool Temp_In_Range(double tC) { return std::isfinite(tC) && tC > kTempRangeLowC && tC <= kTempRangeHighC; }

bool Press_In_Range(double pMPa) { return std::isfinite(pMPa) && pMPa > 0 && pMPa <= kPressRangeHighMPa; }

std::string Temp_Range_Problem(double tC, const std::string& fieldJa, const std::string& fieldEn) {
  if (Temp_In_Range(tC)) return {};
  if (In_English()) return fieldEn + ": enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C.";
  return "「" + fieldJa + "」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。";
}

std::string Press_Range_Problem(double pMPa, const std::string& fieldJa, const std::string& fieldEn) {
  if (Press_In_Range(pMPa)) return {};
  if (In_English()) return fieldEn + ": enter a pressure above 0 and at most 1000 MPa.";
  return "「" + fieldJa + "」には 0 より大きく 1000 MPa 以下の圧力を入力してください。";
}
