#include "vle/estimation/VLERunStart.h"

#include <cmath>

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/model/PhysicalRange.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "vle/estimation/VLEBinary.h"
#include "vle/estimation/VLEData.h"

namespace vlefit {

namespace {

constexpr int kMmHgUnit = 3;

bool IsBlank(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

std::string RowText(const char* japanese, const char* english, int row) {
  if (In_English()) return std::string(english) + " (row " + std::to_string(row) + ")";
  return std::string(japanese) + "（" + std::to_string(row) + "行目）";
}

// The shared range's refusal of a temperature (degC) or pressure (mmHg) of this program.
std::string RangeProblem(bool pressure, double value, const char* fieldJa, const char* fieldEn) {
  return pressure ? Press_Range_Problem(value * kMPaPerMmHg, fieldJa, fieldEn)
                  : Temp_Range_Problem(value, fieldJa, fieldEn);
}

}  // namespace

std::string Condition_Range_Problem(double value) {
  return VLE.VLE_TP_Type == 1 ? RangeProblem(false, value, "温度", "Temp") : RangeProblem(true, value, "圧力", "Press");
}

std::string Data_Range_Problem(double measured, int row) {
  const std::string field = Data_Cell_Name(1, row);
  return RangeProblem(VLE.VLE_TP_Type == 1, measured, field.c_str(), field.c_str());
}

double Display_Temp_To_C(double t) { return Unit_Temp_In(t); }

double Display_Press_To_mmHg(double p) {
  return Case.P_Unit == kMmHgUnit ? p : Unit_Press_In(p) * kMmHgPerMPa;
}

double mmHg_To_Display_Press(double pMmHg) {
  return Case.P_Unit == kMmHgUnit ? pMmHg : Unit_Press_Out(pMmHg / kMmHgPerMPa);
}

const char* Display_Press_Unit() {
  static const char* const kNames[] = {"MPa", "KPa", "mmHg", "mmH2O", "Kgf/cm2", "PSIA"};
  return Case.P_Unit >= 1 && Case.P_Unit <= 6 ? kNames[Case.P_Unit - 1] : "MPa";
}

bool Data_Cell_Value(const std::string& text, double& value) {
  if (IsBlank(text)) {
    value = 0;
    return true;
  }
  return txt::ParseNumber(text, value) == txt::NumberProblem::None;
}

std::string Data_Cell_Problem(const std::string& text, int column, int row) {
  double value = 0;
  if (IsBlank(text)) return {};
  const txt::NumberProblem problem = txt::ParseNumber(text, value);
  if (problem == txt::NumberProblem::None) return {};
  return txt::NumberProblemMessage(problem, Data_Cell_Name(column, row), text);
}

std::string Data_Cell_Name(int column, int row) {
  const std::string head = column == 2 ? "x1" : column == 3 ? "y1"
                           : VLE.VLE_TP_Type == 1 ? InLanguage("圧力", "Press")
                                                  : InLanguage("温度", "Temp");
  return RowText(head.c_str(), head.c_str(), row);
}

std::string Read_VLE_Data_Rows(const std::vector<std::array<std::string, 3>>& rows, RowRule rule, DataRows& out) {
  out = DataRows{};
  const bool open = rule == RowRule::Save;
  for (size_t r = 0; r < rows.size() && !IsBlank(rows[r][0]); ++r) {
    if (out.n == kMaxData) return InLanguage("データの最大数50を越えています。", "Over Max Data (50)");
    const int row = static_cast<int>(r) + 1;
    double v[3] = {0, 0, 0};
    // A fit needs 0 < x1, y1 < 1; a saved file may hold a pure end, not beyond it.
    auto inside = [open](double f) { return open ? f >= 0 && f <= 1 : f > 0 && f < 1; };
    for (int c = 0; c < 3; ++c) {
      // In a filled row every cell needs its number: a blank x1 or y1 is no 0.
      const txt::NumberProblem problem = txt::ParseNumber(rows[r][c], v[c]);
      if (problem != txt::NumberProblem::None)
        return txt::NumberProblemMessage(problem, Data_Cell_Name(c + 1, row), rows[r][c]);
      if (c == 1 && !inside(v[1]))
        return open ? RowText("X の値が0から1の範囲外です。", "out of X range(0-1)", row)
                    : RowText("X の値が0以下又は1以上です。", "out of X range(0-1)", row);
      if (c == 2 && !inside(v[2]))
        return open ? RowText("Y の値が0から1の範囲外です。", "out of Y range(0-1)", row)
                    : RowText("Y の値が0以下又は1以上です。", "out of Y range(0-1)", row);
    }
    const bool constT = VLE.VLE_TP_Type == 1;
    const double measured = constT ? Display_Press_To_mmHg(v[0]) : Display_Temp_To_C(v[0]);
    if (!std::isfinite(measured)) return txt::NumberProblemMessage(txt::NumberProblem::Overflow, Data_Cell_Name(1, row), rows[r][0]);
    if (std::string range = Data_Range_Problem(measured, row); !range.empty()) return range;
    ++out.n;
    out.measured[out.n] = measured;
    out.x1[out.n] = v[1];
    out.y1[out.n] = v[2];
  }
  if (out.n == 0 && !open) return InLanguage("実測気液平衡データが未入力です", "No VLE Data");
  return {};
}

void Put_VLE_Data_Rows(const DataRows& rows) {
  VLE.VLE_NData = rows.n;
  for (int i = 1; i <= rows.n; ++i) {
    (VLE.VLE_TP_Type == 1 ? VLE.VLE_P_Data : VLE.VLE_T_Data)[i] = rows.measured[i];
    VLE.VLE_X1_Data[i] = rows.x1[i];
    VLE.VLE_Y1_Data[i] = rows.y1[i];
  }
}

std::string Store_VLE_Data_Rows(const std::vector<std::array<std::string, 3>>& rows) {
  DataRows read;
  std::string message = Read_VLE_Data_Rows(rows, RowRule::Fit, read);
  if (message.empty()) Put_VLE_Data_Rows(read);
  return message;
}

std::string Calc_Gamma_Exp() {
  const int n = VLE.VLE_NData;
  if (n < 1 || n > kMaxData) return InLanguage("実測気液平衡データが未入力です", "No VLE Data");
  const bool constP = VLE.VLE_TP_Type == 0;
  // A pressure of zero or less gives coefficients of zero or less, whose
  // logarithms the objectives take; Antoine's equation gives a vapour pressure
  // at or below absolute zero too, but no such state exists; and far beyond
  // either the fit ends at a bound on figures no window can show.
  if (std::string range = Condition_Range_Problem(constP ? VLE.VLE_Press : VLE.VLE_Temp); !range.empty())
    return range;
  for (int i = 1; i <= n; ++i) {
    const double P = constP ? VLE.VLE_Press : VLE.VLE_P_Data[i];
    const double t = constP ? VLE.VLE_T_Data[i] : VLE.VLE_Temp;
    const std::string field = Data_Cell_Name(1, i);
    if (std::string range = RangeProblem(!constP, constP ? t : P, field.c_str(), field.c_str()); !range.empty())
      return range;
    const double x1 = VLE.VLE_X1_Data[i], y1 = VLE.VLE_Y1_Data[i];
    const double g1 = P * y1 / (x1 * Antoine_Psat_mmHg(1, t));
    const double g2 = P * (1 - y1) / ((1 - x1) * Antoine_Psat_mmHg(2, t));
    VLE.VLE_Gamma_Exp[1][i] = g1;
    VLE.VLE_Gamma_Exp[2][i] = g2;
    if (!(g1 > 0 && std::isfinite(g1) && g2 > 0 && std::isfinite(g2)))
      return RowText("実測データの活量係数が計算できません。",
                     "Cannot compute the activity coefficients of the VLE Data", i);
  }
  if (constP) {
    double sum = 0;
    for (int i = 1; i <= n; ++i) sum += VLE.VLE_T_Data[i];
    const double mean = sum / n;
    for (int i = 1; i <= n; ++i) VLE.VLE_T_Calc[i] = mean;
  }
  return {};
}

void Reset_Graph_Range() {
  VLE.VLE_Graph_Xmin = 0;
  VLE.VLE_Graph_Xmax = 1;
  VLE.VLE_Graph_Ymin = 0;
  VLE.VLE_Graph_Ymax = 1;
}

}  // namespace vlefit
