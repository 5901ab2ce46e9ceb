#include "vle/estimation/VLEFit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "vle/estimation/VLEBinary.h"
#include "vle/estimation/VLEData.h"
#include "vle/estimation/VLERunStart.h"

namespace vlefit {

namespace {

constexpr double kDiffRel = 1e-3;        // difference step in ln Lambda
constexpr double kWilsonLambdaInside = 1e-6;  // where a Lambda on its lower bound is compared

// The objectives' bubble points are held to 1e-11 rather than the 1e-6 of a
// single bubble point: with 1e-6 the vapour fractions carry errors of that size,
// which the differenced Jacobian magnifies a thousandfold, and the normal
// equations of a fit could not be checked. Newton needs about one more step.
constexpr double kObjectBubbleTol = 1e-11;

int DataCount() { return std::clamp(VLE.VLE_NData, 0, kMaxData); }

// Vapour fractions of point i by the bubble point its case type calls for.
void VapourAt(int i, double x1, double g1, double g2, double& y1c, double& y2c, ObjectOutcome& out) {
  BubbleOutcome bubble;
  if (VLE.VLE_TP_Type == 0) {
    const double t = T_Bubble(VLE.VLE_T_Calc[i], x1, g1, g2, &bubble, kObjectBubbleTol);
    // Only a converged temperature seeds the next search: a wandering one would
    // start every later search from nowhere.
    if (bubble.status == BubbleStatus::Converged) VLE.VLE_T_Calc[i] = t;
  } else {
    P_Bubble(VLE.VLE_Temp, x1, g1, g2, &bubble);
  }
  if (bubble.status != BubbleStatus::Converged) ++out.bubbleFailures;
  y1c = VLE.VLE_Y1_Calc;
  y2c = VLE.VLE_Y2_Calc;
}

// How precisely objective `type` knows its residual vector (the norm of the
// possible errors): the vapour fractions of a bubble point stop within
// |1 - y1 - y2| < kObjectBubbleTol, and objective 5 divides them into the measured
// ones; the other objectives are exact to rounding.
double Residual_Noise(int type) {
  if (type != 4 && type != 5) return 0;
  double sum = 0;
  for (int i = 1; i <= DataCount(); ++i) {
    const double y1 = VLE.VLE_Y1_Data[i], y2 = 1 - y1;
    sum += type == 4 ? 2 : (y1 > 0 && y2 > 0 ? 1 / (y1 * y1) + 1 / (y2 * y2) : 0);
  }
  return kObjectBubbleTol * std::sqrt(sum);
}

}  // namespace

int Residual_Count(int objType, int nData) { return (objType == 1 || objType == 3) ? nData : 2 * nData; }

double Object(ObjectOutcome* outcome) {
  ObjectOutcome local;
  ObjectOutcome& out = outcome ? *outcome : local;
  out = ObjectOutcome{};
  const int type = VLE.VLE_Obj_Type;
  if (type < 1 || type > 5) return 0;
  const int n = DataCount();
  double* r = VLE.VLE_Residual;
  for (int i = 1; i <= n; ++i) {
    const double x1 = VLE.VLE_X1_Data[i], y1 = VLE.VLE_Y1_Data[i], x2 = 1 - x1;
    const double ge1 = VLE.VLE_Gamma_Exp[1][i], ge2 = VLE.VLE_Gamma_Exp[2][i];
    double g1 = 0, g2 = 0;
    ActivityCoeff(x1, g1, g2);
    double y1c = 0, y2c = 0;
    switch (type) {
      case 1:
        r[i] = x1 * (std::log(ge1) - std::log(g1)) + x2 * (std::log(ge2) - std::log(g2));
        break;
      case 2:
        r[2 * i - 1] = ge1 - g1;
        r[2 * i] = ge2 - g2;
        break;
      case 3:
        r[i] = std::log(ge1 / ge2) - std::log(g1 / g2);
        break;
      case 4:
        VapourAt(i, x1, g1, g2, y1c, y2c, out);
        r[2 * i - 1] = y1 - y1c;
        r[2 * i] = (1 - y1) - y2c;
        break;
      default:
        VapourAt(i, x1, g1, g2, y1c, y2c, out);
        r[2 * i - 1] = y1 / y1c - 1;
        r[2 * i] = (1 - y1) / y2c - 1;
        break;
    }
  }
  double F = 0;
  for (int k = 1; k <= Residual_Count(type, n); ++k) F += r[k] * r[k];
  return F;
}

void Set_Parameter(double p1, double p2) {
  if (Is_Wilson_Type(VLE.VLE_Calc_Type)) {
    Case.Wilson_L12 = p1;
    Case.Wilson_L21 = p2;
  } else {
    Case.NRTL_Tau12 = p1;
    Case.NRTL_Tau21 = p2;
  }
}

int Independent_Residuals(int objType, int nData) {
  // The model side of every objective depends on a point's x1 alone: points
  // with the same x1 add nothing the fit can use. Objectives 4 and 5 compare
  // computed vapour fractions that sum to 1, so their two residuals move
  // together; only objective 2 draws two independent residuals from a point.
  const int n = std::clamp(nData, 0, kMaxData);
  int distinct = 0;
  for (int i = 1; i <= n; ++i) {
    bool seen = false;
    for (int j = 1; j < i && !seen; ++j) seen = VLE.VLE_X1_Data[j] == VLE.VLE_X1_Data[i];
    if (!seen) ++distinct;
  }
  return objType == 2 ? 2 * distinct : distinct;
}

std::string Check_Fit_Data() {
  const int type = VLE.VLE_Obj_Type;
  if (type < 1 || type > 5) return InLanguage("収束評価関数が選択されていません。", "No Object Func");
  const int n = VLE.VLE_NData;
  if (n < 1) return InLanguage("実測気液平衡データが未入力です", "No VLE Data");
  if (n > kMaxData) return InLanguage("データの最大数50を越えています。", "Over Max Data (50)");
  const bool constP = VLE.VLE_TP_Type == 0;
  const std::string notFinite = InLanguage("数値でないデータがあります", "Not a number in VLE Data");
  const double condition = constP ? VLE.VLE_Press : VLE.VLE_Temp;
  if (!std::isfinite(condition)) return notFinite;
  if (std::string range = Condition_Range_Problem(condition); !range.empty()) return range;
  for (int i = 1; i <= n; ++i) {
    const double measured = constP ? VLE.VLE_T_Data[i] : VLE.VLE_P_Data[i];
    if (!std::isfinite(measured) || !std::isfinite(VLE.VLE_X1_Data[i]) || !std::isfinite(VLE.VLE_Y1_Data[i]))
      return notFinite;
    if (std::string range = Data_Range_Problem(measured, i); !range.empty()) return range;
    if (!(VLE.VLE_X1_Data[i] > 0 && VLE.VLE_X1_Data[i] < 1))
      return InLanguage("X の値が0以下又は1以上です。", "out of X range(0-1)");
    if (!(VLE.VLE_Y1_Data[i] > 0 && VLE.VLE_Y1_Data[i] < 1))
      return InLanguage("Y の値が0以下又は1以上です。", "out of Y range(0-1)");
    // Objectives 1 to 3 compare with the measured coefficients, which must exist.
    if (type <= 3) {
      for (int j = 1; j <= 2; ++j) {
        const double g = VLE.VLE_Gamma_Exp[j][i];
        if (!(g > 0 && std::isfinite(g)))
          return InLanguage("実測データの活量係数が計算できません。",
                           "Cannot compute the activity coefficients of the VLE Data");
      }
    }
  }
  // Two parameters need two independent residuals; with fewer, any pair on a
  // whole line of pairs fits and the result means nothing.
  if (Independent_Residuals(type, n) < 2)
    return InLanguage("データが不足しています。この収束評価関数では X の異なる2点以上のデータが必要です。",
                     "Too few VLE Data: this Object Func needs 2 or more points with different X");
  return {};
}

namespace {

bool Fitting_Wilson() { return Is_Wilson_Type(VLE.VLE_Calc_Type); }

std::string Parameter_Name(int parameter) {
  if (Fitting_Wilson()) return parameter == 1 ? "Λ12" : "Λ21";
  return parameter == 1 ? "τ12" : "τ21";
}

double Bound_Value(bool upper) {
  if (Fitting_Wilson()) return upper ? kWilsonLambdaMax : kWilsonLambdaMin;
  const double limit = NRTL_Tau_Limit(Case.NRTL_Alpha);
  return upper ? limit : -limit;
}

std::string Range_Text() {
  if (Fitting_Wilson()) return txt::Plain(kWilsonLambdaMin) + " ≤ Λ ≤ " + txt::Plain(kWilsonLambdaMax);
  return "|τ| ≤ " + txt::Plain(NRTL_Tau_Limit(Case.NRTL_Alpha));
}

}  // namespace

double NRTL_Tau_Limit(double alpha) {
  const double a = std::fabs(alpha);
  return a > 12.0 / 50 ? 12 / a : 50;
}

std::string Fit_Status_Message(const FitResult& r) {
  // The common end says nothing: no text is put together for it.
  if (r.status == FitStatus::Converged) return {};
  const std::string off = txt::Format(r.gradient, "0.0E+00");
  const std::string tail = InLanguage("（正規方程式の相対残差 ", " (normal equations off by ") + off +
                           InLanguage("）。結果は最小点ではありません。", ", relative): the result is not a minimum.");
  switch (r.status) {
    case FitStatus::AtBound: {
      const std::string bound = txt::Plain(Bound_Value(r.boundUpper));
      return InLanguage("この初期値からのフィッティングは ", "The fit from this start ended on the bound ") +
             Parameter_Name(r.boundParameter) + " = " + bound + InLanguage(" の境界（範囲 ", " of the range ") +
             Range_Text() +
             InLanguage("）で終わりました。そこでは収束評価関数が境界に向かって減少します。これはこの初期値の近くでの結果にすぎず、"
                       "範囲内にもっと小さい最小があるかもしれません。別の初期値も試してください。",
                       ": the Object Func falls toward the bound there. This holds near this start only; a lower "
                       "minimum may lie inside the range: try another start.");
    }
    case FitStatus::NoSensitivity: {
      const std::string name = Parameter_Name(r.boundParameter);
      const std::string at = txt::Format(r.boundParameter == 1 ? r.p1 : r.p2, "0.000E+00");
      return InLanguage("フィッティングが収束しません: ", "The fit did not converge: at ") + name +
             (Case.Language == 1 ? " = " + at + " the Object Func no longer depends measurably on " + name +
                                       ", so no step toward a minimum can be found. The result is not a minimum: "
                                       "try another start."
                                 : " = " + at + " では収束評価関数が " + name +
                                       " にほとんど依存しないため、最小へ向かう刻みが求められません。結果は最小点ではありません。"
                                       "別の初期値を試してください。");
    }
    case FitStatus::Stalled:
      return InLanguage("フィッティングが停滞しました: 減衰を大きくしても収束評価関数が減少しないまま刻みが許容値を下回りました",
                       "The fit stalled: damping shrank the step below the tolerance without lowering the Object Func") +
             tail;
    case FitStatus::CallLimit:
      return InLanguage("フィッティングが収束しません: 収束評価関数の計算回数が上限に達しました",
                       "The fit did not converge: the limit of Object Func evaluations was reached") +
             tail;
    case FitStatus::RetryLimit:
      return InLanguage("フィッティングが収束しません: 減衰の再試行回数が上限に達しました",
                       "The fit did not converge: the limit of damped retries was reached") +
             tail;
    case FitStatus::Singular:
      return InLanguage("最小二乗法の連立方程式が特異です。フィッティングを中止しました。",
                       "The least-squares system is singular: the fit was stopped");
    case FitStatus::NotFinite:
      return InLanguage("初期値で収束評価関数が計算できません。フィッティングを中止しました。",
                       "The Object Func has no value at the start parameters: the fit was stopped");
    default:
      return {};
  }
}

FitResult Marquardt(const std::function<void(const FitProgress&)>& onAccepted) {
  CalcMessageScope scope;  // a message repeated by thousands of evaluations shows once
  const ThermoRunScope thermoRun;  // what the fit's calls remember lives and ends with it
  const bool wilson = Is_Wilson_Type(VLE.VLE_Calc_Type);
  const double p1 = wilson ? Case.Wilson_L12 : Case.NRTL_Tau12;
  const double p2 = wilson ? Case.Wilson_L21 : Case.NRTL_Tau21;
  std::string refusal = Check_Fit_Data();
  if (refusal.empty() && wilson && !(p1 > 0 && p2 > 0)) refusal = Wilson_Positive_Message();
  if (!refusal.empty()) {
    Calc_Message(refusal);
    FitResult refused;
    refused.status = FitStatus::Refused;
    refused.p1 = p1;
    refused.p2 = p2;
    return refused;
  }
  int failures = 0;
  LeastSquaresProblem problem;
  problem.m = Residual_Count(VLE.VLE_Obj_Type, VLE.VLE_NData);
  problem.residualNoise = Residual_Noise(VLE.VLE_Obj_Type);
  // A Wilson pair is fitted as ln Lambda: the search stays inside Lambda > 0, and
  // steps and differences are relative to Lambda, whose effect on the
  // coefficients scales with its own size (Lambda x1 beside x2 near a pure end).
  const double lowerU = std::log(kWilsonLambdaMin), upperU = std::log(kWilsonLambdaMax);
  auto toModel = [wilson, lowerU, upperU](double u) {
    return !wilson ? u : u <= lowerU ? kWilsonLambdaMin : u >= upperU ? kWilsonLambdaMax : std::exp(u);
  };
  if (wilson) {
    problem.lower[0] = problem.lower[1] = lowerU;
    problem.upper[0] = problem.upper[1] = upperU;
    problem.step[0] = problem.step[1] = kDiffRel;
    // Near Lambda = 0 the coefficients move with Lambda itself, not with
    // ln Lambda: the bound is judged against Lambda = 1e-6.
    problem.insideLower[0] = problem.insideLower[1] = std::log(kWilsonLambdaInside);
  } else {
    const double limit = NRTL_Tau_Limit(Case.NRTL_Alpha);
    problem.lower[0] = problem.lower[1] = -limit;
    problem.upper[0] = problem.upper[1] = limit;
  }
  // Where the sensitivities fade (tiny or huge Lambda, exp(-alpha tau) near 0)
  // a column is taken again over up to a factor e in Lambda or 1 in tau.
  problem.maxStep[0] = problem.maxStep[1] = 1;
  problem.evaluate = [&](double a, double b, double* r, bool& usable) {
    Set_Parameter(toModel(a), toModel(b));
    ObjectOutcome o;
    const double F = Object(&o);
    std::copy(VLE.VLE_Residual + 1, VLE.VLE_Residual + problem.m + 1, r + 1);
    failures += o.bubbleFailures;
    usable = o.bubbleFailures == 0;
    return F;
  };
  // Objectives 4 and 5 start each bubble-point search from the last converged
  // temperature of its point.
  std::array<double, kMaxData + 1> savedTCalc{};
  problem.saveState = [&] { std::copy(VLE.VLE_T_Calc, VLE.VLE_T_Calc + kMaxData + 1, savedTCalc.begin()); };
  problem.restoreState = [&] { std::copy(savedTCalc.begin(), savedTCalc.end(), VLE.VLE_T_Calc); };
  std::function<void(const FitProgress&)> progress;
  if (onAccepted)
    progress = [&](const FitProgress& step) {
      FitProgress shown = step;
      shown.p1 = toModel(step.p1);
      shown.p2 = toModel(step.p2);
      onAccepted(shown);
    };
  const double u1 = wilson ? std::log(p1) : p1, u2 = wilson ? std::log(p2) : p2;  // clamped into the range by the fit
  FitResult res = Marquardt_Fit(problem, u1, u2, MarquardtLimits{}, progress);
  res.p1 = toModel(res.p1);
  res.p2 = toModel(res.p2);
  Set_Parameter(res.p1, res.p2);
  res.bubbleFailures = failures;
  if (const std::string msg = Fit_Status_Message(res); !msg.empty()) Calc_Message(msg);
  if (failures > 0)
    Calc_Message(VLE.VLE_TP_Type == 0 ? "T_Bubble No-Convergence" : "P_Bubble No-Convergence");
  return res;
}

std::string Wilson_Positive_Message() {
  return InLanguage("Wilson パラメータ Λ12, Λ21 は正の値でなければなりません。",
                   "Wilson parameters Λ12 and Λ21 must be positive.");
}

}  // namespace vlefit
