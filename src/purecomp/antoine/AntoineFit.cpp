#include "purecomp/antoine/AntoineFit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/model/PhysicalRange.h"
#include "core/model/PhysicalUnits.h"
#include "platform/text/NumberText.h"

namespace antoine {

namespace {

constexpr double kLog10E = 0.434294481903252;

bool Empty(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

void Say(const std::string& ja, const std::string& en) {
  Case.Msg_Text = In_English() ? en : ja;
  Calc_Message(Case.Msg_Text);
}

// Why a cell's text is no number, naming the cell; empty when it is one (or
// blank where blank is allowed).
std::string Cell_Problem(const std::string& text, const std::string& field, bool blankAllowed) {
  double v = 0;
  const txt::NumberProblem p = txt::ParseNumber(text, v);
  if (p == txt::NumberProblem::None || (blankAllowed && p == txt::NumberProblem::Blank)) return "";
  return txt::NumberProblemMessage(p, field, text);
}

// The number a checked cell holds (blank reads 0).
double Cell_Value(const std::string& text) { return txt::ParseNumber(text).value_or(0.0); }

const char* const kConstHeads[9] = {"", "", "", "A", "B", "C", "Tc", "Pc", "ω"};

// Every cell the calculation will read, before anything is read: a measured
// point needs both numbers; a constant or critical constant may be blank (not
// given) but not text that is no number.
std::string Check_Cells(const AntoineInput& in) {
  for (int i = 1; i <= kMaxComp; ++i) {
    for (int row = 2, n = 0; row <= AntoineInput::kDataRows && n < kMaxPoint; ++row, ++n) {
      if (Empty(in.Points[row][2 * i - 1])) break;
      const std::string at = InLanguage(" (成分" + std::to_string(i) + ", " + std::to_string(row) + "行)",
                                  " (component " + std::to_string(i) + ", row " + std::to_string(row) + ")");
      if (auto m = Cell_Problem(in.Points[row][2 * i - 1], InLanguage("Ｔ(℃)", "T (deg C)") + at, false); !m.empty())
        return m;
      if (auto m = Cell_Problem(in.Points[row][2 * i], "P(mmHg)" + at, false); !m.empty()) return m;
    }
  }
  for (int r = 1; r <= kMaxComp; ++r) {
    if (Empty(in.Const[r][2])) break;
    for (int c = 3; c <= 8; ++c)
      if (auto m = Cell_Problem(in.Const[r][c], in.Const[r][2] + " " + kConstHeads[c], true); !m.empty()) return m;
  }
  return "";
}

// Reads the points of every column pair: temperatures downward until the first
// empty temperature cell (the cells were checked first).

void Read_Points(const AntoineInput& in, AntoineData& data) {
  for (int i = 1; i <= kMaxComp; ++i) {
    int n = 0;
    for (int row = 2; row <= AntoineInput::kDataRows && n < kMaxPoint; ++row) {
      if (Empty(in.Points[row][2 * i - 1])) break;
      ++n;
      data.Antoine_T_Data[i][n] = Cell_Value(in.Points[row][2 * i - 1]);
      data.Antoine_P_Data[i][n] = Cell_Value(in.Points[row][2 * i]);
    }
    data.Antoine_NData[i] = static_cast<int16_t>(n);
  }
}

// Eleven Lee-Kesler points over the graph range in ten equal steps.
bool Generate_Points(int r, AntoineData& data) {
  const double tc = Case.Comp_Tc[r], pc = Case.Comp_Pc[r], omega = Case.Comp_Omega[r];
  for (int j = 1; j <= kLeeKeslerPoints; ++j) {
    const double t = data.Scale_T_Min + (j - 1) * (data.Scale_T_Max - data.Scale_T_Min) / 10;
    data.Antoine_T_Data[r][j] = t;
    data.Antoine_P_Data[r][j] = Lee_Kesler_Psat(t, tc, pc, omega);
  }
  data.Antoine_NData[r] = kLeeKeslerPoints;
  return true;
}

bool Read_Components(const AntoineInput& in, AntoineData& data, CalcOutcome& out) {
  Case.NC = 0;
  for (int r = 1; r <= kMaxComp; ++r) {
    if (Empty(in.Const[r][2])) break;
    Case.NC = r;
    Case.Comp_Name[r] = in.Const[r][2];
    Case.Antoine_A[r] = Cell_Value(in.Const[r][3]);
    Case.Antoine_B[r] = Cell_Value(in.Const[r][4]);
    Case.Antoine_C[r] = Cell_Value(in.Const[r][5]);
    Case.Comp_Tc[r] = Cell_Value(in.Const[r][6]);
    Case.Comp_Pc[r] = Cell_Value(in.Const[r][7]);
    Case.Comp_Omega[r] = Cell_Value(in.Const[r][8]);
    const bool constants = Case.Antoine_A[r] != 0 && Case.Antoine_B[r] != 0 && Case.Antoine_C[r] != 0;
    if (constants || data.Antoine_NData[r] > 0) continue;
    const bool critical = Case.Comp_Tc[r] != 0 || Case.Comp_Pc[r] != 0 || Case.Comp_Omega[r] != 0;
    // The correlation needs a positive Tc and Pc; without them no point can be made.
    if (!critical || !(Case.Comp_Tc[r] > 0) || !(Case.Comp_Pc[r] > 0)) {
      Say("Antoine 定数が未入力です", "No Antoine's parameters");
      return false;
    }
    out.generated[r] = Generate_Points(r, data);
  }
  return true;
}

// Why the points of a component cannot be fitted, in the chosen language.
void Say_Point_Fault(FitStatus status, const std::string& name) {
  switch (status) {
    case FitStatus::TooFewPoints:
      Say("Antoine 定数を求めるには異なる温度の点が3点以上必要です（" + name + "）",
          "Three constants need points at three or more different temperatures (" + name + ")");
      break;
    case FitStatus::NotFiniteValue:
      Say("数値として扱えない温度または圧力の点があります（" + name + "）",
          "A point's temperature or pressure is not a finite number (" + name + ")");
      break;
    default:
      Say("Antoine 定数が求められません（" + name + "）",
          "Antoine's parameters cannot be fitted (" + name + ")");
      break;
  }
}

bool Fit_Components(AntoineData& data, CalcOutcome& out) {
  // Every component's points are checked before any constant is replaced.
  for (int i = 1; i <= Case.NC; ++i) {
    const int n = data.Antoine_NData[i];
    if (n <= 0) continue;
    // Inside the suite's range of temperatures and pressures, naming the cell,
    // before any other rule of the points.
    for (int k = 1; k <= n; ++k) {
      const std::string at = InLanguage(" (成分" + std::to_string(i) + ", " + std::to_string(k + 1) + "行)",
                                  " (component " + std::to_string(i) + ", row " + std::to_string(k + 1) + ")");
      std::string range = Temp_Range_Problem(data.Antoine_T_Data[i][k], "Ｔ(℃)" + at, "T (deg C)" + at);
      if (range.empty())
        range = Press_Range_Problem(data.Antoine_P_Data[i][k] * kMPaPerMmHg, "P(mmHg)" + at, "P(mmHg)" + at);
      if (!range.empty()) {
        Case.Msg_Text = range;
        Calc_Message(range);
        return false;
      }
    }
    const FitStatus check = Check_Points(data.Antoine_T_Data[i], data.Antoine_P_Data[i], n);
    if (check != FitStatus::Ok) {
      Say_Point_Fault(check, Case.Comp_Name[i]);
      return false;
    }
  }
  for (int i = 1; i <= Case.NC; ++i) {
    const int n = data.Antoine_NData[i];
    if (n <= 0) continue;
    const FitResult fit = Fit_Antoine(data.Antoine_T_Data[i], data.Antoine_P_Data[i], n);
    if (!fit.Ok()) {
      // No finite solution from points that passed the checks.
      Say_Point_Fault(fit.status, Case.Comp_Name[i]);
      return false;
    }
    Case.Antoine_A[i] = fit.A;
    Case.Antoine_B[i] = fit.B;
    Case.Antoine_C[i] = fit.C;
    out.fitted[i] = true;
  }
  return true;
}

}  // namespace

double Det3(double a1, double a2, double a3, double a4, double a5, double a6, double a7,
            double a8, double a9) {
  return a1 * a5 * a9 - a1 * a6 * a8 - a2 * a4 * a9 + a2 * a6 * a7 + a3 * a4 * a8 - a3 * a5 * a7;
}

FitStatus Check_Points(const double* tempC, const double* pressMmHg, int n) {
  for (int k = 1; k <= n; ++k)
    if (!std::isfinite(tempC[k]) || !std::isfinite(pressMmHg[k])) return FitStatus::NotFiniteValue;
  for (int k = 1; k <= n; ++k)
    if (!Temp_In_Range(tempC[k]) || !Press_In_Range(pressMmHg[k] * kMPaPerMmHg)) return FitStatus::OutOfRange;
  // Identical temperatures count once: three constants need three of them.
  int distinct = 0;
  for (int k = 1; k <= n && distinct < 3; ++k) {
    bool seen = false;
    for (int j = 1; j < k && !seen; ++j) seen = tempC[j] == tempC[k];
    if (!seen) ++distinct;
  }
  return distinct < 3 ? FitStatus::TooFewPoints : FitStatus::Ok;
}

FitResult Fit_Antoine(const double* tempC, const double* pressMmHg, int n) {
  FitResult res;
  res.status = Check_Points(tempC, pressMmHg, n);
  if (res.status != FitStatus::Ok) return res;
  double sy = 0, st = 0, sw = 0, stt = 0, sww = 0, stw = 0, sty = 0, swy = 0;
  for (int k = 1; k <= n; ++k) {
    const double t = tempC[k];
    const double y = std::log(pressMmHg[k]) * kLog10E;
    const double w = t * y;
    sy += y;
    st += t;
    sw += w;
    stt += t * t;
    sww += w * w;
    stw += t * w;
    sty += t * y;
    swy += w * y;
  }
  const double y_ = sy / n, t_ = st / n, w_ = sw / n, tt = stt / n, ww = sww / n, tw = stw / n,
               ty = sty / n, wy = swy / n;
  const double D = Det3(1, t_, w_, t_, tt, tw, w_, tw, ww);
  if (!std::isfinite(D) || D == 0) {
    res.status = FitStatus::Singular;
    return res;
  }
  const double a0 = Det3(y_, t_, w_, ty, tt, tw, wy, tw, ww) / D;
  const double a1 = Det3(1, y_, w_, t_, ty, tw, w_, wy, ww) / D;
  const double a2 = Det3(1, t_, y_, t_, tt, ty, w_, tw, wy) / D;
  const double C = -1 / a2;
  const double A = a1 * C;
  const double B = -(a1 / a2 + a0) * C;
  if (!std::isfinite(A) || !std::isfinite(B) || !std::isfinite(C) || a2 == 0) {
    res.status = FitStatus::NotFinite;
    return res;
  }
  res = {FitStatus::Ok, A, B, C};
  return res;
}

double Lee_Kesler_Psat(double tempC, double tcK, double pcBar, double omega) {
  const double tr = (tempC + kKelvinOffset) / tcK;
  const double f0 = 5.92714 - 6.09648 / tr - 1.28862 * std::log(tr) + 0.169347 * std::pow(tr, 6);
  const double f1 = 15.2518 - 15.6875 / tr - 13.4721 * std::log(tr) + 0.43577 * std::pow(tr, 6);
  return std::exp(f0 + omega * f1) * pcBar * kMmHgPerBar;
}

double Antoine_Psat(double A, double B, double C, double tempC) {
  return std::pow(10.0, A - B / (tempC + C));
}

bool Read_Temp_Range(const std::string& tempMin, const std::string& tempMax, AntoineData& data) {
  if (Empty(tempMin) || Empty(tempMax)) {
    Say("温度の下限／上限が入力されていません。", "Enter the lower and upper temperatures of the range.");
    return false;
  }
  double lo = 0, hi = 0;
  for (auto [text, value, ja, en] : {std::tuple{&tempMin, &lo, "温度範囲 下限", "Temp range Low"},
                                     std::tuple{&tempMax, &hi, "温度範囲 上限", "Temp range Upper"}}) {
    const txt::NumberProblem p = txt::ParseNumber(*text, *value);
    if (p != txt::NumberProblem::None) {
      Case.Msg_Text = txt::NumberProblemMessage(p, InLanguage(ja, en), *text);
      Calc_Message(Case.Msg_Text);
      return false;
    }
  }
  // Points are generated and the graph drawn over this range: an end outside
  // the suite's range is refused naming its box before anything is made of it.
  for (auto [value, ja, en] : {std::tuple{lo, "温度範囲 下限", "Temp range Low"},
                               std::tuple{hi, "温度範囲 上限", "Temp range Upper"}}) {
    if (std::string range = Temp_Range_Problem(value, ja, en); !range.empty()) {
      Case.Msg_Text = range;
      Calc_Message(range);
      return false;
    }
  }
  data.Scale_T_Min = lo;
  data.Scale_T_Max = hi;
  if (lo > hi) {
    Say("温度の下限／上限が間違っています。", "The lower temperature lies above the upper one.");
    return false;
  }
  return true;
}

CalcOutcome Antoine_Calc(const AntoineInput& in, AntoineData& data) {
  CalcOutcome out;
  if (!Read_Temp_Range(in.TempMin, in.TempMax, data)) return out;
  if (const std::string refused = Check_Cells(in); !refused.empty()) {
    Case.Msg_Text = refused;
    Calc_Message(refused);
    return out;
  }
  Read_Points(in, data);
  if (!Read_Components(in, data, out)) return out;
  if (Case.NC == 0) {
    Say("成分データが未入力です", "No Component");
    return out;
  }
  if (!Fit_Components(data, out)) return out;
  out.drawGraph = true;
  return out;
}

GraphAxes Graph_Axes(const AntoineData& data, int nc) {
  GraphAxes ax;
  nc = std::min(nc, kMaxComp);
  if (nc < 1) return ax;
  ax.P_Max = 0;
  ax.P_Min = 999999;
  for (int i = 1; i <= nc; ++i) {
    const double hi = Antoine_Psat(Case.Antoine_A[i], Case.Antoine_B[i], Case.Antoine_C[i], data.Scale_T_Max);
    const double lo = Antoine_Psat(Case.Antoine_A[i], Case.Antoine_B[i], Case.Antoine_C[i], data.Scale_T_Min);
    // A pole of the equation inside the range gives no number to scale by.
    if (!std::isfinite(hi) || !std::isfinite(lo)) return ax;
    ax.P_Max = std::max(ax.P_Max, hi);
    ax.P_Min = std::min(ax.P_Min, lo);
  }
  ax.T_Low = std::floor(data.Scale_T_Min / 10) * 10;
  ax.T_High = std::floor(data.Scale_T_Max / 10 + 0.9) * 10;
  if (!(ax.T_High > ax.T_Low)) {
    Say("温度の下限／上限が間違っています。", "The lower temperature lies above the upper one.");
    return ax;
  }
  if (!(ax.P_Min > 0) || !(ax.P_Max > 0)) return ax;
  ax.lowDecade = static_cast<int>(std::floor(std::log10(ax.P_Min)));
  ax.decades = static_cast<int>(std::floor(std::log10(ax.P_Max))) - ax.lowDecade + 1;
  if (ax.decades < 1 || ax.decades > 100) return ax;
  ax.ok = true;
  return ax;
}

}  // namespace antoine
