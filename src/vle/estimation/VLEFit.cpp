#include "vle/estimation/VLEFit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "vle/estimation/VLEBinary.h"
#include "vle/estimation/VLEData.h"

namespace vlefit {

namespace {

constexpr double kDiffStep = 0.001;      // parameter units
constexpr double kDampGrow = 1.5;
constexpr double kDampShrink = 0.5;
constexpr double kConvTol = 1e-6;        // relative to max(1, |p1|, |p2|)
constexpr double kCentralTol = 1e-4;     // relative, as above
constexpr double kAbsoluteZeroC = -273.15;

int DataCount() { return std::clamp(VLE.VLE_NData, 0, kMaxData); }

// Vapour fractions of point i by the bubble point its case type calls for.
void VapourAt(int i, double x1, double g1, double g2, double& y1c, double& y2c, ObjectOutcome& out) {
  BubbleOutcome bubble;
  if (VLE.VLE_TP_Type == 0) {
    const double t = T_Bubble(VLE.VLE_T_Calc[i], x1, g1, g2, &bubble);
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

// The 2 x 2 upper-triangular factor and right-hand side of the damped problem.
struct Factor {
  double R11 = 0, R12 = 0, R22 = 0, z1 = 0, z2 = 0;
};

// Householder QR (no pivoting) of [J r0; V 0 0; 0 V 0], (m + 2) x 3.
Factor Householder(const std::vector<double>& J1, const std::vector<double>& J2,
                   const std::vector<double>& r0, int m, double V) {
  std::vector<std::array<double, 4>> a(static_cast<size_t>(m) + 3);
  for (int k = 1; k <= m; ++k) a[k] = {0, J1[k], J2[k], r0[k]};
  a[m + 1] = {0, V, 0, 0};
  a[m + 2] = {0, 0, V, 0};
  double Rdiag[3] = {0, 0, 0};
  for (int c = 1; c <= 2; ++c) {
    // Rows c..m+c are the only ones that can be non-zero in column c.
    double s = 0;
    for (int i = c; i <= m + c; ++i) s += a[i][c] * a[i][c];
    s = std::sqrt(s);
    const double beta = 1 / ((std::fabs(a[c][c]) + s) * s);
    if (a[c][c] == 0) {
      Rdiag[c] = -s;
      a[c][c] = s;
    } else {
      const double sg = a[c][c] > 0 ? 1.0 : -1.0;
      Rdiag[c] = -sg * s;
      a[c][c] += sg * s;
    }
    for (int j = c + 1; j <= 3; ++j) {
      double t = 0;
      for (int i = c; i <= m + c; ++i) t += a[i][c] * a[i][j];
      t *= beta;
      for (int i = c; i <= m + c; ++i) a[i][j] -= t * a[i][c];
    }
  }
  return Factor{Rdiag[1], a[1][2], Rdiag[2], a[1][3], a[2][3]};
}

bool Finite(const std::vector<double>& v, int m) {
  for (int k = 1; k <= m; ++k)
    if (!std::isfinite(v[k])) return false;
  return true;
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
  if (type < 1 || type > 5) return Lang_Text("収束評価関数が選択されていません。", "No Object Func");
  const int n = VLE.VLE_NData;
  if (n < 1) return Lang_Text("実測気液平衡データが未入力です", "No VLE Data");
  if (n > kMaxData) return Lang_Text("データの最大数50を越えています。", "Over Max Data (50)");
  const bool constP = VLE.VLE_TP_Type == 0;
  const std::string pressureMsg = Lang_Text("圧力が0以下です。", "Pressure is 0 or less");
  const std::string tempMsg = Lang_Text("温度が絶対零度以下です。", "Temperature at or below absolute zero");
  const std::string notFinite = Lang_Text("数値でないデータがあります", "Not a number in VLE Data");
  auto aboveZeroK = [](double t) { return t > kAbsoluteZeroC; };
  if (constP) {
    if (!std::isfinite(VLE.VLE_Press)) return notFinite;
    if (!(VLE.VLE_Press > 0)) return pressureMsg;
  } else {
    if (!std::isfinite(VLE.VLE_Temp)) return notFinite;
    if (!aboveZeroK(VLE.VLE_Temp)) return tempMsg;
  }
  for (int i = 1; i <= n; ++i) {
    const double measured = constP ? VLE.VLE_T_Data[i] : VLE.VLE_P_Data[i];
    if (!std::isfinite(measured) || !std::isfinite(VLE.VLE_X1_Data[i]) || !std::isfinite(VLE.VLE_Y1_Data[i]))
      return notFinite;
    if (constP && !aboveZeroK(measured)) return tempMsg;
    if (!constP && !(measured > 0)) return pressureMsg;
    if (!(VLE.VLE_X1_Data[i] > 0 && VLE.VLE_X1_Data[i] < 1))
      return Lang_Text("X の値が0以下又は1以上です。", "out of X range(0-1)");
    if (!(VLE.VLE_Y1_Data[i] > 0 && VLE.VLE_Y1_Data[i] < 1))
      return Lang_Text("Y の値が0以下又は1以上です。", "out of Y range(0-1)");
    // Objectives 1 to 3 compare with the measured coefficients, which must exist.
    if (type <= 3) {
      for (int j = 1; j <= 2; ++j) {
        const double g = VLE.VLE_Gamma_Exp[j][i];
        if (!(g > 0 && std::isfinite(g)))
          return Lang_Text("実測データの活量係数が計算できません。",
                           "Cannot compute the activity coefficients of the VLE Data");
      }
    }
  }
  // Two parameters need two independent residuals; with fewer, any pair on a
  // whole line of pairs fits and the result means nothing.
  if (Independent_Residuals(type, n) < 2)
    return Lang_Text("データが不足しています。この収束評価関数では X の異なる2点以上のデータが必要です。",
                     "Too few VLE Data: this Object Func needs 2 or more points with different X");
  return {};
}

FitResult Marquardt_Fit(const LeastSquaresProblem& problem, double p1, double p2,
                        const MarquardtLimits& limits,
                        const std::function<void(const FitProgress&)>& onAccepted) {
  const int m = problem.m;
  const long long callLimit = static_cast<long long>(limits.callsPerResidual) * m;
  double p[2] = {p1, p2};
  std::vector<double> r0(m + 1), rMinus(m + 1), r(m + 1), rCand(m + 1);
  std::vector<double> J[2] = {std::vector<double>(m + 1), std::vector<double>(m + 1)};

  int calls = 0;
  bool usable = true;
  auto evaluate = [&](double a, double b, std::vector<double>& into) {
    usable = true;
    ++calls;
    return problem.evaluate(a, b, into.data(), usable);
  };

  FitResult res;
  double F = evaluate(p[0], p[1], r0);
  bool lastAtP = true;  // the problem's last evaluation was at p
  double V = 0;
  bool central = false;
  int iteration = 1;

  auto finish = [&](FitStatus status) {
    // Whatever the exit, the best accepted pair is the result, and the problem's
    // last evaluation (its shared state) belongs to it.
    if (!lastAtP) F = evaluate(p[0], p[1], r);
    res.status = status;
    res.iterations = iteration;
    res.calls = calls;
    res.objective = F;
    res.p1 = p[0];
    res.p2 = p[1];
    return res;
  };

  if (!std::isfinite(F)) return finish(FitStatus::NotFinite);

  for (;;) {
    // Jacobian by differences; p itself is restored exactly after each column.
    for (int j = 0; j < 2; ++j) {
      const double saved = p[j];
      if (!central) {
        p[j] = saved + kDiffStep;
        evaluate(p[0], p[1], r);
        for (int k = 1; k <= m; ++k) J[j][k] = (r[k] - r0[k]) / kDiffStep;
      } else {
        p[j] = saved - kDiffStep;
        evaluate(p[0], p[1], rMinus);
        p[j] = saved + kDiffStep;
        evaluate(p[0], p[1], r);
        for (int k = 1; k <= m; ++k) J[j][k] = (r[k] - rMinus[k]) / (2 * kDiffStep);
      }
      p[j] = saved;
    }
    lastAtP = false;
    if (!Finite(J[0], m) || !Finite(J[1], m)) return finish(FitStatus::Singular);

    if (iteration == 1) {
      double sum = 0;
      for (int j = 0; j < 2; ++j)
        for (int k = 1; k <= m; ++k) sum += J[j][k] * J[j][k];
      V = std::sqrt(sum / (2.0 * m));
      // A Jacobian of zeros: the residuals do not depend on the pair at all.
      if (V == 0) return finish(FitStatus::Singular);
    }

    int retries = 0;
    Factor f = Householder(J[0], J[1], r0, m, V);
    double N11 = 0, N12 = 0, N22 = 0, g1 = 0, g2 = 0;
    double q[2] = {0, 0}, Fnew = 0, dmax = 0, pmax = 1;
    for (;;) {
      const double d2 = f.z2 / f.R22;
      const double d1 = (f.z1 - f.R12 * d2) / f.R11;
      q[0] = p[0] - d1;
      q[1] = p[1] - d2;
      Fnew = evaluate(q[0], q[1], rCand);
      // A candidate without a finite objective, or one the problem marks unusable,
      // is never taken: it is handled like a worse one.
      const bool accepted = usable && std::isfinite(Fnew) && Fnew <= F;
      pmax = std::max({1.0, std::fabs(p[0]), std::fabs(p[1])});
      dmax = std::max(std::fabs(d1), std::fabs(d2));
      if (!std::isfinite(dmax)) return finish(FitStatus::Singular);
      if (dmax < kConvTol * pmax) {
        if (accepted) {
          p[0] = q[0];
          p[1] = q[1];
          F = Fnew;
          lastAtP = true;
        }
        return finish(FitStatus::Converged);
      }
      if (accepted) break;

      ++retries;
      if (retries == 1) {
        N11 = f.R11 * f.R11;
        N12 = f.R11 * f.R12;
        N22 = f.R12 * f.R12 + f.R22 * f.R22;
        g1 = f.R11 * f.z1;
        g2 = f.R12 * f.z1 + f.R22 * f.z2;
      }
      // (1.5 V)^2 = V^2 + 1.25 V^2: the normal equations take the grown damping.
      N11 += 1.25 * V * V;
      N22 += 1.25 * V * V;
      f.R11 = std::sqrt(std::fabs(N11));
      f.R12 = N12 / f.R11;
      f.R22 = std::sqrt(std::fabs(N22 - f.R12 * f.R12));
      f.z1 = g1 / f.R11;
      f.z2 = (g2 - f.R12 * f.z1) / f.R22;
      V *= kDampGrow;
      if (V > limits.dampingLimit) {
        Calc_Message("Marquardt Too Big V");
        return finish(FitStatus::DampingLimit);
      }
      if (retries > limits.maxRetries) return finish(FitStatus::RetryLimit);
    }

    central = dmax < kCentralTol * pmax;
    p[0] = q[0];
    p[1] = q[1];
    F = Fnew;
    lastAtP = true;
    r0.swap(rCand);
    if (retries == 0) V *= kDampShrink;
    if (onAccepted) onAccepted(FitProgress{iteration, calls, F, p[0], p[1], V});
    if (calls > callLimit) return finish(FitStatus::CallLimit);
    ++iteration;
  }
}

FitResult Marquardt(const std::function<void(const FitProgress&)>& onAccepted) {
  CalcMessageScope scope;  // a message repeated by thousands of evaluations shows once
  const bool wilson = Is_Wilson_Type(VLE.VLE_Calc_Type);
  const double p1 = wilson ? Case.Wilson_L12 : Case.NRTL_Tau12;
  const double p2 = wilson ? Case.Wilson_L21 : Case.NRTL_Tau21;
  if (const std::string msg = Check_Fit_Data(); !msg.empty()) {
    Calc_Message(msg);
    FitResult refused;
    refused.status = FitStatus::Refused;
    refused.p1 = p1;
    refused.p2 = p2;
    return refused;
  }
  int failures = 0;
  LeastSquaresProblem problem;
  problem.m = Residual_Count(VLE.VLE_Obj_Type, VLE.VLE_NData);
  problem.evaluate = [&](double a, double b, double* r, bool& usable) {
    Set_Parameter(a, b);
    ObjectOutcome o;
    const double F = Object(&o);
    std::copy(VLE.VLE_Residual + 1, VLE.VLE_Residual + problem.m + 1, r + 1);
    failures += o.bubbleFailures;
    usable = o.bubbleFailures == 0;
    return F;
  };
  FitResult res = Marquardt_Fit(problem, p1, p2, MarquardtLimits{}, onAccepted);
  Set_Parameter(res.p1, res.p2);
  res.bubbleFailures = failures;
  if (res.status == FitStatus::Singular)
    Calc_Message(Lang_Text("最小二乗法の連立方程式が特異です。フィッティングを中止しました。",
                           "The least-squares system is singular: the fit was stopped"));
  else if (res.status == FitStatus::NotFinite)
    Calc_Message(Lang_Text("初期値で収束評価関数が計算できません。フィッティングを中止しました。",
                           "The Object Func has no value at the start parameters: the fit was stopped"));
  if (failures > 0)
    Calc_Message(VLE.VLE_TP_Type == 0 ? "T_Bubble No-Convergence" : "P_Bubble No-Convergence");
  return res;
}

}  // namespace vlefit
