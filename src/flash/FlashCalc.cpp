#include "flash/FlashCalc.h"

#include <algorithm>
#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/model/PhysicalRange.h"
#include "core/model/PhysicalUnits.h"
#include "platform/text/NumberText.h"

namespace {

int CompCount() { return std::clamp(static_cast<int>(Case.NC), 0, kMaxComp); }

// A value that is not a finite number is never shown: its cell stays blank.
std::string Shown(double v, const char* pattern) { return std::isfinite(v) ? txt::Format(v, pattern) : ""; }
std::string Fraction(double v) { return Shown(v, kFmtMoleFraction); }
std::string KText(double v) { return Shown(v, kFmtKValue); }

// Divides v[1..nc] by its sum; false (v untouched) when the sum is not a positive number.
bool Normalise(double v[], int nc) {
  double s = 0.0;
  for (int i = 1; i <= nc; ++i) s += v[i];
  if (!(s > 0.0) || !std::isfinite(s)) return false;
  for (int i = 1; i <= nc; ++i) v[i] /= s;
  return true;
}

// Texts that passed Flash_Input_Problem: wholly numbers (a result text written
// back by a calculation is one too).
double Number(const std::string& text) { return txt::ParseNumber(text).value_or(0.0); }
double TempInC(const std::string& text) { return Unit_Temp_In(Number(text)); }
double PressInMPa(const std::string& text) { return Unit_Press_In(Number(text)); }

// The refusal of a box's text, naming the box as the window labels it; empty
// when the text is a number (or blank where `blankAllowed`).
std::string BoxProblem(const std::string& text, const char* fieldJa, const char* fieldEn, bool blankAllowed,
                       double& value) {
  const txt::NumberProblem p = txt::ParseNumber(text, value);
  if (p == txt::NumberProblem::None || (blankAllowed && p == txt::NumberProblem::Blank)) return "";
  return txt::NumberProblemMessage(p, InLanguage(fieldJa, fieldEn), text);
}

// The feed the calculation starts from must be fractions: none negative or not
// finite, and not all zero.
std::string FeedProblem() {
  double sum = 0.0;
  for (int i = 1; i <= CompCount(); ++i) {
    const double z = Case.Flash_Z[i];
    if (!std::isfinite(z) || z < 0.0) {
      const std::string row = std::to_string(i);
      return InLanguage("Feed の組成 (" + row + " 行目) が負の値か数値ではありません。",
                        "The feed fraction of row " + row + " is negative or not a number.");
    }
    sum += z;
  }
  if (!(sum > 0.0)) return InLanguage("Feed の組成の合計が 0 です。", "The feed fractions sum to 0.");
  return "";
}

}  // namespace

std::string Flash_Input_Problem(FlashCalcType type, const std::string& tempText, const std::string& pressText,
                                const std::string& temp2Text) {
  if (Case.NC < 1 || Case.NC > kMaxComp)
    return InLanguage("成分数は 1 から 20 の範囲で指定してください。", "The number of components must be 1 to 20.");
  const bool curve = type == FlashCalcType::CondensingCurve;
  // The curve takes an empty limit as the bubble or dew point.
  double t = 0.0, p = 0.0, t2 = 0.0;
  std::string problem = BoxProblem(tempText, curve ? "下限温度" : "温度", curve ? "Lower temperature" : "Temperature",
                                   curve, t);
  if (problem.empty()) problem = BoxProblem(pressText, "圧力", "Pressure", false, p);
  if (problem.empty() && curve) problem = BoxProblem(temp2Text, "上限温度", "Upper temperature", true, t2);
  if (!problem.empty()) return problem;
  // Below 0 K or 0 MPa nothing is defined, and beyond the suite's range a bubble
  // or dew point still comes out, with K near 1, from a state no equilibrium has.
  problem = Press_Range_Problem(Unit_Press_In(p), "圧力", "Pressure");
  if (problem.empty())
    problem = Temp_Range_Problem(Unit_Temp_In(t), curve ? "下限温度" : "温度", curve ? "Lower temperature" : "Temperature");
  if (problem.empty() && curve) problem = Temp_Range_Problem(Unit_Temp_In(t2), "上限温度", "Upper temperature");
  if (!problem.empty()) return problem;
  return FeedProblem();
}

bool Read_Flash_Feed(const std::vector<std::string>& cells, std::string& message) {
  message.clear();
  const int nc = CompCount();
  double z[kMaxComp + 1] = {};
  double sum = 0.0;
  for (int i = 1; i <= nc; ++i) {
    const std::string text = static_cast<std::size_t>(i) <= cells.size() ? cells[static_cast<std::size_t>(i - 1)] : "";
    const std::string row = std::to_string(i);
    const txt::NumberProblem p = txt::ParseNumber(text, z[i]);
    if (p != txt::NumberProblem::None) {
      message = txt::NumberProblemMessage(p, InLanguage("Feed (" + row + " 行目)", "Feed (row " + row + ")"), text);
      return false;
    }
    if (z[i] < 0.0 || z[i] > 1.0) {
      message = InLanguage("Feed の組成は 0 から 1 の数値を入力してください (" + row + " 行目)。",
                           "Enter each feed fraction as a number from 0 to 1 (row " + row + ").");
      return false;
    }
    sum += z[i];
  }
  if (!(sum > 0.0)) {
    message = InLanguage("Feed の組成の合計が 0 です。", "The feed fractions sum to 0.");
    return false;
  }
  if (std::fabs(sum - 1.0) > 1e-9)
    message = InLanguage("Feed の組成の合計が 1 ではありません (" + txt::Plain(sum) + ")。正規化して使います。",
                         "The feed fractions do not sum to 1 (" + txt::Plain(sum) + "); they are used normalised.");
  for (int i = 1; i <= nc; ++i) Case.Flash_Z[i] = z[i] / sum;
  return true;
}

std::vector<FlashResultRow> Disp_Bubble_Result() {
  const int nc = CompCount();
  for (int i = 1; i <= nc; ++i) {
    Case.Flash_X[i] = Case.Flash_Z[i];
    Case.Flash_Y[i] = Case.K_Value[i] * Case.Flash_Z[i];
  }
  const bool ok = Normalise(Case.Flash_Y, nc);
  if (!ok) Calc_Message(kVanishingSumMessage);
  std::vector<FlashResultRow> rows(static_cast<std::size_t>(nc));
  for (int i = 1; i <= nc; ++i) {
    auto& r = rows[static_cast<std::size_t>(i - 1)];
    r.vapour = ok ? Fraction(Case.Flash_Y[i]) : "";
    r.liquid = Fraction(Case.Flash_Z[i]);
    r.kValue = KText(Case.K_Value[i]);
  }
  return rows;
}

std::vector<FlashResultRow> Disp_Dew_Result() {
  const int nc = CompCount();
  bool ok = true;
  for (int i = 1; i <= nc; ++i) {
    Case.Flash_Y[i] = Case.Flash_Z[i];
    // A zero K-value leaves no finite liquid: the display reports it instead of dividing.
    if (Case.K_Value[i] > 0.0) Case.Flash_X[i] = Case.Flash_Z[i] / Case.K_Value[i];
    else ok = false;
  }
  ok = ok && Normalise(Case.Flash_X, nc);
  if (!ok) Calc_Message(kVanishingSumMessage);
  std::vector<FlashResultRow> rows(static_cast<std::size_t>(nc));
  for (int i = 1; i <= nc; ++i) {
    auto& r = rows[static_cast<std::size_t>(i - 1)];
    r.vapour = Fraction(Case.Flash_Z[i]);
    r.liquid = ok ? Fraction(Case.Flash_X[i]) : "";
    r.kValue = KText(Case.K_Value[i]);
  }
  return rows;
}

std::vector<FlashResultRow> Disp_Flash_Result() {
  const int nc = CompCount();
  std::vector<FlashResultRow> rows(static_cast<std::size_t>(nc));
  for (int i = 1; i <= nc; ++i) {
    auto& r = rows[static_cast<std::size_t>(i - 1)];
    r.vapour = Fraction(Case.Flash_Y[i]);
    r.liquid = Fraction(Case.Flash_X[i]);
    r.kValue = KText(Case.K_Value[i]);
  }
  return rows;
}

FlashEnthalpyRow Enthalpy_Row(double VF, double HV_J, double HL_J) {
  FlashEnthalpyRow row;
  if (Case.H_Method != 1) return row;
  // The library works in J; the table shows the display heat unit per mole
  // (kcal/kmol, that is cal/mol, with the kcal unit of the examples).
  const double hv = Unit_Heat_Out(HV_J);
  const double hl = Unit_Heat_Out(HL_J);
  row.feed = Shown(VF * hv + (1.0 - VF) * hl, kFmtEnthalpy);
  if (VF > 0.0) row.vapour = Shown(hv, kFmtEnthalpy);
  if (VF < 1.0) row.liquid = Shown(hl, kFmtEnthalpy);
  return row;
}

FlashEnthalpyRow Disp_Enthalpy_Result(double VF, double tC, double pMPa) {
  if (Case.H_Method != 1) return Enthalpy_Row(VF, 0.0, 0.0);
  const double hv = Enthalpy_Vap(tC, pMPa, Case.Flash_Y);
  const double hl = Enthalpy_Liq(tC, pMPa, Case.Flash_X);
  return Enthalpy_Row(VF, hv, hl);
}

FlashDisplay Flash_Calc(FlashCalcType type, const std::string& tempText, const std::string& pressText,
                        const std::string& temp2Text) {
  CalcMessageScope scope;
  FlashDisplay d;
  d.tempText = tempText;
  d.pressText = pressText;
  const std::string problem = Flash_Input_Problem(type, tempText, pressText, temp2Text);
  if (!problem.empty()) {
    Calc_Message(problem);
    d.outcome.status = ThermoStatus::Refused;
    return d;
  }
  // SRK and Peng-Robinson serve the bubble temperature alone: any other type is
  // refused here, once, rather than shown with K = 1.
  if (Eos_K_Method()) {
    const std::string eos = type == FlashCalcType::BubbleT ? Eos_Constants_Problem() : Eos_Refused_Text();
    if (!eos.empty()) {
      Calc_Message(eos);
      d.outcome.status = ThermoStatus::Refused;
      return d;
    }
  }
  if (type == FlashCalcType::CondensingCurve) {
    // The curve works at the pressure as shown, three decimals, in the display unit.
    Case.Flash_P = Number(txt::Format(Number(pressText), kFmtTempPress));
    d.showCurve = true;
    return d;
  }
  const double T = TempInC(tempText);
  const double P = PressInMPa(pressText);
  switch (type) {
    case FlashCalcType::BubbleT:
      Case.Flash_T = T_Bubble_Mix(T, P, Case.Flash_Z, &d.outcome);
      if (std::isfinite(Case.Flash_T)) d.tempText = Shown(Unit_Temp_Out(Case.Flash_T), kFmtTempPress);
      d.vf = 0.0;
      d.vfText = " 0.0";
      break;
    case FlashCalcType::DewT:
      Case.Flash_T = T_Dew_Mix(T, P, Case.Flash_Z, &d.outcome);
      if (std::isfinite(Case.Flash_T)) d.tempText = Shown(Unit_Temp_Out(Case.Flash_T), kFmtTempPress);
      d.vf = 1.0;
      d.vfText = " 1.0";
      break;
    case FlashCalcType::BubbleP:
      Case.Flash_P = P_Bubble_Mix(T, P, Case.Flash_Z, &d.outcome);
      if (std::isfinite(Case.Flash_P)) d.pressText = Shown(Case.Flash_P, kFmtTempPress);
      d.vf = 0.0;
      d.vfText = " 0.0";
      break;
    case FlashCalcType::DewP:
      Case.Flash_P = P_Dew_Mix(T, P, Case.Flash_Z, &d.outcome);
      if (std::isfinite(Case.Flash_P)) d.pressText = Shown(Case.Flash_P, kFmtTempPress);
      d.vf = 1.0;
      d.vfText = " 1.0";
      break;
    case FlashCalcType::Flash:
      ITFlash(T, P, d.vf, Case.Flash_Z, &d.outcome);
      d.vfText = Shown(d.vf, kFmtVF);
      Flash_XY(T, P, d.vf, Case.Flash_Z, Case.Flash_Y, Case.Flash_X);
      break;
    case FlashCalcType::CondensingCurve:
      break;
  }
  // Without components there is nothing to show: the tables keep their contents.
  if (CompCount() == 0) return d;
  switch (type) {
    case FlashCalcType::BubbleT:
    case FlashCalcType::BubbleP: d.rows = Disp_Bubble_Result(); break;
    case FlashCalcType::DewT:
    case FlashCalcType::DewP: d.rows = Disp_Dew_Result(); break;
    default: d.rows = Disp_Flash_Result(); break;
  }
  if (Case.H_Method > 0) {
    // At the result as shown: the new temperature (types 0, 1) or pressure (2, 3).
    d.enthalpy = Disp_Enthalpy_Result(d.vf, TempInC(d.tempText), PressInMPa(d.pressText));
    d.enthalpyWritten = true;
  }
  return d;
}
