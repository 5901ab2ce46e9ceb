#include "vle/estimation/VLEFit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"
#include "vle/estimation/VLEBinary.h"
#include "vle/estimation/VLEData.h"
#include "vle/estimation/VLERunStart.h"

namespace vlefit {

namespace {

constexpr double kDiffRel = 1e-3;        // difference step relative to the parameter
constexpr double kGradTol = 1e-5;        // normal equations: largest residual-column cosine
constexpr double kDampGrow = 1.5;
constexpr double kDampShrink = 0.5;
constexpr double kConvTol = 1e-6;        // relative to max(1, |p1|, |p2|)
constexpr double kCentralTol = 1e-4;     // relative, as above
constexpr double kSlopeRel = 1e-8;       // a Newton step lowering F by more than this share is taken
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

double Dot(const std::vector<double>& a, const std::vector<double>& b, int m) {
  double s = 0;
  for (int k = 1; k <= m; ++k) s += a[k] * b[k];
  return s;
}

// Difference step of parameter j at p: the problem's own, else relative to the
// parameter and never below 0.001.
double DiffStep(const LeastSquaresProblem& problem, int j, double p) {
  return problem.step[j] > 0 ? problem.step[j] : kDiffRel * std::max(std::fabs(p), 1.0);
}

// A differenced column is known to 1 / kResolve of itself only when the change of
// the residuals over the step, |J_j| h, stands that far above their precision.
constexpr double kResolve = 1e3;

// The precision of a residual vector: the problem's own noise, or rounding.
double Residual_Precision(const LeastSquaresProblem& problem, const std::vector<double>& r0) {
  return std::max(problem.residualNoise, 1e-15 * (std::sqrt(Dot(r0, r0, problem.m)) + std::sqrt(problem.m)));
}

// The differences actually taken for each column.
struct Columns {
  double h[2] = {0, 0};
  bool resolved[2] = {true, true};
  bool central[2] = {false, false};  // taken by central differences (both sides known)
};

// The residuals at p + h_j e_j and p - h_j e_j of the last differences (only the
// side taken for a one-sided column): with r0 they give the second differences.
struct Stencil {
  std::vector<double> plus[2], minus[2];
  explicit Stencil(int m) : plus{std::vector<double>(m + 1), std::vector<double>(m + 1)},
                            minus{std::vector<double>(m + 1), std::vector<double>(m + 1)} {}
};

// Jacobian columns at p by differences (central ones where `central` and both
// points are within the bounds, else one-sided into the range); a column lost in
// the residuals' precision is taken again with steps ten times larger, up to the
// problem's largest. p is restored exactly. Only the columns of `which` are taken;
// near a lower bound with an inside point (at or below it) larger steps are
// tried only when `nearBound` says so: there the objective at the bound comes first.
template <class Eval>
void Differences(const LeastSquaresProblem& problem, double* p, bool central, const std::vector<double>& r0,
                 std::vector<double>* J, Eval evaluate, Stencil& at, Columns& cols,
                 const bool (&which)[2] = {true, true}, bool nearBound = false) {
  const int m = problem.m;
  const double precision = Residual_Precision(problem, r0);
  for (int j = 0; j < 2; ++j) {
    if (!which[j]) continue;
    const double saved = p[j];
    double h = DiffStep(problem, j, saved);
    for (;;) {
      cols.central[j] = central && saved - h >= problem.lower[j] && saved + h <= problem.upper[j];
      if (cols.central[j]) {
        const std::vector<double>&rp = at.plus[j], &rm = at.minus[j];
        p[j] = saved - h;
        evaluate(p[0], p[1], at.minus[j]);
        p[j] = saved + h;
        evaluate(p[0], p[1], at.plus[j]);
        for (int k = 1; k <= m; ++k) J[j][k] = (rp[k] - rm[k]) / (2 * h);
      } else {
        const double sign = saved + h <= problem.upper[j] ? 1.0 : -1.0;
        std::vector<double>& r = sign > 0 ? at.plus[j] : at.minus[j];
        p[j] = saved + sign * h;
        evaluate(p[0], p[1], r);
        for (int k = 1; k <= m; ++k) J[j][k] = sign * (r[k] - r0[k]) / h;
      }
      p[j] = saved;
      cols.h[j] = h;
      const double least = kResolve * precision / h;  // the smallest column norm resolved
      cols.resolved[j] = Dot(J[j], J[j], m) >= least * least;
      const bool judgedInside = saved <= problem.insideLower[j] && !nearBound;
      if (cols.resolved[j] || judgedInside || !(h < problem.maxStep[j])) break;
      h = std::min(10 * h, problem.maxStep[j]);
    }
  }
}

// How far the normal equations J^T r = 0 are from holding over the free columns.
struct Stationarity {
  double cosine = 1;    // largest |J_j . r| / (|J_j| |r|): scale-free, relative to the objective
  bool holds = false;   // every free cosine within what the residuals' precision can resolve
  double step = 1e308;  // largest component of the undamped Gauss-Newton step
  double delta[2] = {0, 0};  // that step (p - delta solves the linearised problem)
};

// `noise` is the norm of the residuals' possible errors and h the difference
// steps: a cosine is then uncertain by noise / |r| through the residuals and by
// about noise / (h |J_j|) through the differenced column, which a resolved
// column keeps below 1 / kResolve. An unresolved free column never holds: its
// cosine says nothing.
Stationarity Normal_Equations(const std::vector<double>* J, const std::vector<double>& r, int m,
                              const bool* held, double noise, const Columns& cols) {
  Stationarity s;
  const double rr = Dot(r, r, m);
  double A[2][2], g[2];
  for (int i = 0; i < 2; ++i) {
    g[i] = Dot(J[i], r, m);
    for (int j = 0; j < 2; ++j) A[i][j] = Dot(J[i], J[j], m);
  }
  s.cosine = 0;
  s.holds = true;
  for (int j = 0; j < 2; ++j) {
    if (held[j] || rr == 0) continue;
    if (!cols.resolved[j] || A[j][j] == 0) {
      s.holds = false;
      continue;
    }
    const double c = std::fabs(g[j]) / std::sqrt(A[j][j] * rr);
    const double tol = kGradTol + noise / std::sqrt(rr) + noise / (cols.h[j] * std::sqrt(A[j][j]));
    s.cosine = std::max(s.cosine, c);
    s.holds = s.holds && c <= tol;
  }
  if (held[0] && held[1]) {
    s.step = 0;
  } else if (held[0] || held[1]) {
    const int j = held[0] ? 1 : 0;
    if (A[j][j] > 0) s.delta[j] = g[j] / A[j][j];
    s.step = A[j][j] > 0 && cols.resolved[j] ? std::fabs(s.delta[j]) : 1e308;
  } else {
    // A nearly singular J^T J leaves the step unknown: only the cosine decides.
    const double det = A[0][0] * A[1][1] - A[0][1] * A[1][0];
    if (det > 1e-12 * A[0][0] * A[1][1] && cols.resolved[0] && cols.resolved[1]) {
      s.delta[0] = (g[0] * A[1][1] - A[0][1] * g[1]) / det;
      s.delta[1] = (A[0][0] * g[1] - A[1][0] * g[0]) / det;
      s.step = std::max(std::fabs(s.delta[0]), std::fabs(s.delta[1]));
    }
  }
  return s;
}

// Half the Hessian of F = |r|^2 over the free parameters at a point where the
// normal equations hold: J^T J plus the residuals' second-order term
// sum r_k d2r_k, which J^T J (positive semidefinite by construction) leaves out
// and which alone can show a saddle. The second differences reuse the
// residuals of the central differences; the cross term takes one more point
// (two where one does not settle the sign of the curvature).
struct Curvature {
  double H[2][2] = {{0, 0}, {0, 0}};
  double g[2] = {0, 0};   // J^T r over the free parameters
  double lmin = 0;        // smallest eigenvalue of H over the free parameters
  double error = 0;       // bound on its error from the residuals' precision and the steps
  double v[2] = {0, 0};   // unit direction of lmin
  bool known = false;     // every free column had its second difference
};

// Smallest eigenvalue of the symmetric [[a, b], [b, c]] and its unit direction.
void Smallest_Eigen(double a, double b, double c, double& lmin, double* v) {
  const double mean = 0.5 * (a + c), half = 0.5 * (a - c);
  lmin = mean - std::hypot(half, b);
  if (b == 0) {
    v[0] = a <= c ? 1 : 0;
    v[1] = a <= c ? 0 : 1;
    return;
  }
  // Of (b, lmin - a) and (lmin - c, b), the longer is the better conditioned.
  double x = b, y = lmin - a;
  if (std::fabs(lmin - c) > std::fabs(lmin - a)) {
    x = lmin - c;
    y = b;
  }
  const double n = std::hypot(x, y);
  v[0] = x / n;
  v[1] = y / n;
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

FitResult Marquardt_Fit(const LeastSquaresProblem& problem, double p1, double p2,
                        const MarquardtLimits& limits,
                        const std::function<void(const FitProgress&)>& onAccepted) {
  const int m = problem.m;
  const long long callLimit = static_cast<long long>(limits.callsPerResidual) * m;
  const double* lower = problem.lower;
  const double* upper = problem.upper;
  auto clampTo = [&](int j, double v) { return std::min(std::max(v, lower[j]), upper[j]); };
  double p[2] = {clampTo(0, p1), clampTo(1, p2)};
  std::vector<double> r0(m + 1), r(m + 1), rCand(m + 1);
  Stencil at(m);
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
  bool tinyStep = false;  // the last accepted step was below the convergence tolerance
  bool dampingSet = false;
  int iteration = 1;
  Stationarity stat;

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
    res.gradient = stat.cosine;
    return res;
  };

  if (!std::isfinite(F)) return finish(FitStatus::NotFinite);

  // Parameter j moves to `value` when the objective is lower there (or no
  // higher than its precision, with `orEqual`); true when it moved.
  auto Move_If_Lower = [&](int j, double value, bool orEqual) {
    double q[2] = {p[0], p[1]};
    q[j] = value;
    const double precision = Residual_Precision(problem, r0);
    const double level = orEqual ? F + 2 * std::sqrt(F) * precision + precision * precision : F;
    const double Fq = evaluate(q[0], q[1], rCand);
    lastAtP = false;
    if (!(usable && std::isfinite(Fq) && (Fq < F || (orEqual && Fq <= level)))) return false;
    p[j] = q[j];
    F = Fq;
    r0.swap(rCand);
    lastAtP = true;
    return true;
  };
  // From a lower bound to the problem's point inside it, and onto the bound.
  auto Leave_Bound = [&](int j) { return Move_If_Lower(j, problem.insideLower[j], false); };
  auto Go_To_Bound = [&](int j) { return Move_If_Lower(j, lower[j], true); };
  bool heldInside[2] = {false, false};  // held on a lower bound by its inside point

  std::vector<double> rCorner(m + 1), rFar(m + 1);
  // Curvature of the objective at p (where r0 was taken) over the parameters
  // not `held`, from the residuals of the last central differences `cols` (see
  // Curvature).
  auto Measure_Curvature = [&](const double* p, const bool* held, const Columns& cols) {
    Curvature c;
    const double rn = std::sqrt(Dot(r0, r0, m));
    const double precision = Residual_Precision(problem, r0);
    const double* h = cols.h;
    double err[2][2] = {{0, 0}, {0, 0}};
    double side[2] = {1, 1};  // the side of each column whose residuals are known
    double d2norm[2] = {0, 0};  // norms of the residuals' own second differences
    for (int j = 0; j < 2; ++j) {
      if (held[j]) continue;
      c.g[j] = Dot(J[j], r0, m);
      for (int i = 0; i < 2; ++i)
        if (!held[i]) c.H[i][j] = Dot(J[i], J[j], m);
      double d2 = 0;
      if (cols.central[j]) {
        for (int k = 1; k <= m; ++k) {
          const double d = at.plus[j][k] - 2 * r0[k] + at.minus[j][k];
          d2 += r0[k] * d;
          d2norm[j] += d * d;
        }
      } else {
        // One-sided near a bound: a second point further inside.
        side[j] = p[j] + cols.h[j] <= upper[j] ? 1 : -1;
        const std::vector<double>& near = side[j] > 0 ? at.plus[j] : at.minus[j];
        double q[2] = {p[0], p[1]};
        q[j] += 2 * side[j] * h[j];
        if (q[j] < lower[j] || q[j] > upper[j]) return c;
        evaluate(q[0], q[1], rFar);
        lastAtP = false;
        if (!usable) return c;
        for (int k = 1; k <= m; ++k) {
          const double d = rFar[k] - 2 * near[k] + r0[k];
          d2 += r0[k] * d;
          d2norm[j] += d * d;
        }
      }
      c.H[j][j] += d2 / (h[j] * h[j]);
      d2norm[j] = std::sqrt(d2norm[j]) / (h[j] * h[j]);
      err[j][j] = 4 * rn * precision / (h[j] * h[j]) + 2 * std::sqrt(Dot(J[j], J[j], m)) * precision / h[j];
    }
    if (!held[0] && !held[1]) {
      // The cross term by the corner on the known sides, one-sided in each
      // parameter: its error of the order of the step is bounded at 1 % of it,
      // and where that leaves the sign of the curvature open, the opposite corner
      // makes it central.
      for (int j = 0; j < 2; ++j)
        if (cols.central[j]) side[j] = p[j] + h[j] <= upper[j] ? 1 : -1;
      auto corner = [&](double s1, double s2, std::vector<double>& into) {
        evaluate(p[0] + s1 * h[0], p[1] + s2 * h[1], into);
        lastAtP = false;
        const std::vector<double>&a = s1 > 0 ? at.plus[0] : at.minus[0], &b = s2 > 0 ? at.plus[1] : at.minus[1];
        double d = 0;
        for (int k = 1; k <= m; ++k) d += r0[k] * (into[k] - a[k] - b[k] + r0[k]);
        return s1 * s2 * d / (h[0] * h[1]);
      };
      const double A12 = c.H[0][1];
      const double diagError = std::sqrt(err[0][0] * err[0][0] + err[1][1] * err[1][1]);
      // Small residuals on a well-conditioned J^T J: a cross term ten times the
      // size of the diagonal ones could not make the curvature vanish, and no
      // point is spent on it.
      const double crossBound = 10 * rn * std::max(d2norm[0], d2norm[1]);
      double worst = 0, unused[2];
      Smallest_Eigen(c.H[0][0], std::fabs(A12) + crossBound, c.H[1][1], worst, unused);
      c.error = 2 * diagError + 1e-12 * (std::fabs(c.H[0][0]) + std::fabs(c.H[1][1]));
      if (worst > c.error) {
        Smallest_Eigen(c.H[0][0], A12, c.H[1][1], c.lmin, c.v);  // at least `worst`
        c.known = true;
        return c;
      }
      double S12 = corner(side[0], side[1], rCorner);
      if (!usable) return c;
      const double base = 4 * rn * precision / (h[0] * h[1]) +
                          precision * (std::sqrt(Dot(J[0], J[0], m)) / h[1] + std::sqrt(Dot(J[1], J[1], m)) / h[0]);
      auto settle = [&](double truncation) {
        c.H[0][1] = c.H[1][0] = A12 + S12;
        err[0][1] = base + truncation;
        Smallest_Eigen(c.H[0][0], c.H[0][1], c.H[1][1], c.lmin, c.v);
        c.error = std::sqrt(err[0][0] * err[0][0] + 2 * err[0][1] * err[0][1] + err[1][1] * err[1][1]) +
                  1e-12 * (std::fabs(c.H[0][0]) + std::fabs(c.H[1][1]) + std::fabs(c.H[0][1]));
      };
      settle(0.01 * std::fabs(S12));
      if (std::fabs(c.lmin) <= c.error && cols.central[0] && cols.central[1]) {
        const double S12b = corner(-side[0], -side[1], rCorner);
        if (!usable) return c;
        S12 = 0.5 * (S12 + S12b);
        settle(0);
      }
    } else {
      const int j = held[0] ? 1 : 0;
      c.lmin = c.H[j][j];
      c.v[j] = 1;
      c.error = err[j][j] + 1e-12 * std::fabs(c.H[j][j]);
    }
    c.known = true;
    return c;
  };
  // The first of the steps along `c.v` (10, 100 and 1000 difference steps, each
  // way) that lowers the objective by more than its precision `tolF`; false when
  // the objective rises both ways at some length, or stays level, first.
  auto Probe = [&](const Curvature& c, const Columns& cols, double tolF, double* q, double& Fq) {
    const double scale = std::fabs(c.v[0]) * cols.h[0] + std::fabs(c.v[1]) * cols.h[1];
    for (double t = 10 * scale, n = 0; n < 3; ++n, t *= 10) {
      bool rises = true;
      for (double sign : {1.0, -1.0}) {
        const double a = clampTo(0, p[0] + sign * t * c.v[0]), b = clampTo(1, p[1] + sign * t * c.v[1]);
        if (a == p[0] && b == p[1]) continue;
        const double Fab = evaluate(a, b, rCand);
        lastAtP = false;
        if (!(usable && std::isfinite(Fab))) continue;
        if (Fab < F - tolF) {
          q[0] = a;
          q[1] = b;
          Fq = Fab;
          return true;
        }
        rises = rises && Fab > F + tolF;
      }
      if (rises) return false;
    }
    return false;
  };

  for (;;) {
    auto eval = [&](double a, double b, std::vector<double>& into) { return evaluate(a, b, into); };
    Columns cols;
    Differences(problem, p, central, r0, J, eval, at, cols);
    lastAtP = false;
    if (!Finite(J[0], m) || !Finite(J[1], m)) return finish(FitStatus::Singular);

    if (!dampingSet) {
      dampingSet = true;
      double sum = 0;
      for (int j = 0; j < 2; ++j)
        for (int k = 1; k <= m; ++k) sum += J[j][k] * J[j][k];
      V = std::sqrt(sum / (2.0 * m));
      // A Jacobian of zeros: the residuals do not depend on the pair at all.
      if (V == 0) return finish(FitStatus::Singular);
    }

    // A parameter on its bound whose objective still falls toward the bound is
    // held there; the other is fitted alone. Where the problem names a point
    // inside the lower bound, the objective there decides, and a lower one is
    // taken as the next pair: on such a bound the column is no guide.
    // A hold found so is kept while the other parameter moves, and tried again
    // before the fit ends on it.
    bool held[2] = {false, false}, moved = false;
    for (int j = 0; j < 2 && !moved; ++j) {
      // Between the bound and the inside point a column lost in the noise
      // cannot lead the way: the bound is taken when the objective is no higher
      // there, else the column is taken again with larger steps.
      if (!cols.resolved[j] && p[j] > lower[j] && p[j] <= problem.insideLower[j]) {
        moved = Go_To_Bound(j);
        if (moved) break;
        bool only[2] = {false, false};
        only[j] = true;
        Differences(problem, p, central, r0, J, eval, at, cols, only, true);
      }
      if (p[j] <= lower[j] && std::isfinite(problem.insideLower[j])) {
        held[j] = heldInside[j] || !(moved = Leave_Bound(j));
        heldInside[j] = held[j];
      } else if (cols.resolved[j]) {
        const double slope = Dot(J[j], r0, m);
        held[j] = (p[j] <= lower[j] && slope > 0) || (p[j] >= upper[j] && slope < 0);
      }
    }
    for (int j = 0; j < 2; ++j) heldInside[j] = heldInside[j] && held[j];
    if (moved) {
      if (calls > callLimit) return finish(FitStatus::CallLimit);
      ++iteration;
      continue;
    }
    // A free column lost in the residuals' precision even at the largest step:
    // the objective no longer depends measurably on that parameter here. It is
    // frozen while the other moves, and a fit that ends so is no minimum.
    bool frozen[2] = {held[0], held[1]};
    int insensitive = 0;
    for (int j = 1; j >= 0; --j) {
      if (!held[j] && !cols.resolved[j]) {
        frozen[j] = true;
        insensitive = j + 1;
      }
    }
    const double pmax = std::max({1.0, std::fabs(p[0]), std::fabs(p[1])});
    stat = Normal_Equations(J, r0, m, frozen, problem.residualNoise, cols);
    if (stat.holds || stat.step < kConvTol * pmax) {
      // Forward differences carry an error of the order of their step: a minimum
      // is confirmed by central ones.
      if (!central) {
        central = true;
        continue;
      }
      // Stationary is not yet a minimum: the objective's own curvature decides
      // (below). It is measured here, at the point of the differences; its
      // points leave the problem's state (the bubble-point starts) as they found it.
      const double base[2] = {p[0], p[1]};
      const bool curvatureTest = !insensitive && !(held[0] && held[1]) && F > 0;
      Curvature c;
      if (curvatureTest) {
        if (problem.saveState) problem.saveState();
        c = Measure_Curvature(base, held, cols);
        if (problem.restoreState) problem.restoreState();
      }
      // A last Gauss-Newton step below the tolerance is taken when it lowers the
      // objective: it brings a fit to exact data down to rounding.
      if (stat.step > 0 && stat.step < kConvTol * pmax) {
        const double c1 = clampTo(0, p[0] - stat.delta[0]), c2 = clampTo(1, p[1] - stat.delta[1]);
        const double Fpolish = evaluate(c1, c2, rCand);
        if (usable && std::isfinite(Fpolish) && Fpolish < F) {
          p[0] = c1;
          p[1] = c2;
          F = Fpolish;
          lastAtP = true;
        }
      }
      if (insensitive) {
        res.boundParameter = insensitive;
        return finish(FitStatus::NoSensitivity);
      }
      // Along a direction where the curvature is negative, or too small to be
      // told from zero, the objective is tried; a lower point there continues
      // the fit. Where it is positive, a Newton step with the full curvature
      // that would still lower the objective measurably (a narrow valley whose
      // normal equations hold to their tolerance) is tried the same way.
      if (curvatureTest) {
        const double precision = Residual_Precision(problem, r0);
        const double tolF = 2 * std::sqrt(F) * precision + precision * precision + 1e-15 * F;
        double q[2] = {p[0], p[1]}, Fq = F;
        bool lower = false;
        if (c.known && c.lmin > c.error) {
          double d[2] = {0, 0};
          if (held[0] || held[1]) {
            const int j = held[0] ? 1 : 0;
            d[j] = c.g[j] / c.H[j][j];
          } else {
            const double det = c.H[0][0] * c.H[1][1] - c.H[0][1] * c.H[1][0];
            d[0] = (c.g[0] * c.H[1][1] - c.H[0][1] * c.g[1]) / det;
            d[1] = (c.H[0][0] * c.g[1] - c.H[1][0] * c.g[0]) / det;
          }
          const double decrease = c.g[0] * d[0] + c.g[1] * d[1];
          if (std::max(std::fabs(d[0]), std::fabs(d[1])) >= kConvTol * pmax && decrease > kSlopeRel * F + tolF) {
            q[0] = clampTo(0, base[0] - d[0]);
            q[1] = clampTo(1, base[1] - d[1]);
            Fq = evaluate(q[0], q[1], rCand);
            lastAtP = false;
            lower = usable && std::isfinite(Fq) && Fq < F - tolF;
          }
        } else if (c.known) {
          lower = Probe(c, cols, tolF, q, Fq);
          // A curvature known to be negative with no lower point along it.
          if (!lower && c.lmin < -c.error) return finish(FitStatus::Stalled);
        }
        if (lower) {
          const double step = std::max(std::fabs(q[0] - p[0]), std::fabs(q[1] - p[1]));
          p[0] = q[0];
          p[1] = q[1];
          F = Fq;
          r0.swap(rCand);
          lastAtP = true;
          central = step < kCentralTol * pmax;
          tinyStep = false;
          if (onAccepted) onAccepted(FitProgress{iteration, calls, F, p[0], p[1], V});
          if (calls > callLimit) return finish(FitStatus::CallLimit);
          ++iteration;
          continue;
        }
      }
      // The other parameter has settled: is the objective still lower on the bound?
      bool left = false;
      for (int j = 0; j < 2 && !left; ++j) left = heldInside[j] && Leave_Bound(j);
      if (left) {
        heldInside[0] = heldInside[1] = false;
        if (calls > callLimit) return finish(FitStatus::CallLimit);
        ++iteration;
        continue;
      }
      res.boundParameter = held[0] ? 1 : held[1] ? 2 : 0;
      res.boundUpper = res.boundParameter > 0 && p[res.boundParameter - 1] >= upper[res.boundParameter - 1];
      return finish(res.boundParameter ? FitStatus::AtBound : FitStatus::Converged);
    }
    if (tinyStep) return finish(FitStatus::Stalled);
    for (int j = 0; j < 2; ++j)
      if (frozen[j]) std::fill(J[j].begin(), J[j].end(), 0.0);

    int retries = 0;
    Factor f = Householder(J[0], J[1], r0, m, V);
    double N11 = 0, N12 = 0, N22 = 0, g1 = 0, g2 = 0;
    double q[2] = {0, 0}, Fnew = 0, dmax = 0;
    for (;;) {
      const double d2 = f.z2 / f.R22;
      const double d1 = (f.z1 - f.R12 * d2) / f.R11;
      // A candidate beyond a bound is moved onto it.
      q[0] = clampTo(0, p[0] - d1);
      q[1] = clampTo(1, p[1] - d2);
      dmax = std::max(std::fabs(q[0] - p[0]), std::fabs(q[1] - p[1]));
      if (!std::isfinite(dmax)) return finish(FitStatus::Singular);
      Fnew = evaluate(q[0], q[1], rCand);
      // A candidate without a finite objective, or one the problem marks unusable,
      // is never taken: it is handled like a worse one.
      if (usable && std::isfinite(Fnew) && Fnew <= F) break;
      // A forward-difference slope is off by the order of its step, enough to
      // point the step uphill near a minimum: the first rejection takes central
      // differences before any damping.
      if (!central && retries == 0) break;
      // The damping has shrunk the step to nothing without a lower objective, and
      // the normal equations did not hold at p: not a minimum.
      if (dmax < kConvTol * pmax) return finish(FitStatus::Stalled);

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

    if (!(usable && std::isfinite(Fnew) && Fnew <= F)) {
      central = true;
      continue;
    }
    central = dmax < kCentralTol * pmax;
    tinyStep = dmax < kConvTol * pmax;
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
