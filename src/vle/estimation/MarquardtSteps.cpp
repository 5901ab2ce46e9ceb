#include "vle/estimation/MarquardtSteps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vlefit::steps {

namespace {

constexpr double kDiffRel = 1e-3;  // difference step relative to the parameter
// A central difference whose residuals' second difference is this share of
// their first is taken again over a shorter step.
constexpr double kCoarse = 0.1;
constexpr int kShortenings = 2;  // at most 100 times shorter
// A value this close to a bound (relative to it) is on it: a step meant to end
// on the bound leaves rounding of this order, and a million times below the
// convergence tolerance no step can tell the two apart.
constexpr double kOnBound = 1e-12;
// Free columns whose orthogonal parts are below this share of their norms
// cannot be told apart by differences of relative step kDiffRel.
constexpr double kParallelSine = 1e-6;
// Below this sine of the angle between two free columns the cosines of the
// columns themselves no longer say whether the normal equations hold along the
// direction the columns barely tell apart: their orthogonal parts are judged.
// (Where the columns are further apart, an orthogonal cosine is within a small
// factor of the columns' own.)
constexpr double kNearlyParallelSine = 1e-2;

bool Near(double v, double bound) {
  return std::fabs(v - bound) <= kOnBound * std::fabs(bound);
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

}  // namespace

double Clamp_To_Range(const LeastSquaresProblem& problem, int j, double v) {
  if (v <= problem.lower[j] || Near(v, problem.lower[j])) return problem.lower[j];
  if (v >= problem.upper[j] || Near(v, problem.upper[j])) return problem.upper[j];
  return v;
}

bool On_Lower(const LeastSquaresProblem& problem, int j, double v) { return v <= problem.lower[j]; }
bool On_Upper(const LeastSquaresProblem& problem, int j, double v) { return v >= problem.upper[j]; }

double Residual_Precision(const LeastSquaresProblem& problem, const std::vector<double>& r) {
  return std::max(problem.residualNoise, 1e-15 * (std::sqrt(Dot(r, r, problem.m)) + std::sqrt(problem.m)));
}

double Objective_Precision(const LeastSquaresProblem& problem, const std::vector<double>& r, double F) {
  const double precision = Residual_Precision(problem, r);
  return 2 * std::sqrt(F) * precision + precision * precision + 1e-15 * F;
}

Stencil::Stencil(int m)
    : plus{std::vector<double>(m + 1), std::vector<double>(m + 1)},
      minus{std::vector<double>(m + 1), std::vector<double>(m + 1)} {}

void Differences(FitObjective& objective, const FitPoint& at, bool central, std::vector<double>* J,
                 Stencil& stencil, Columns& cols, const bool (&which)[2], bool nearBound) {
  const LeastSquaresProblem& problem = objective.Problem();
  const int m = problem.m;
  const double precision = Residual_Precision(problem, at.r);
  for (int j = 0; j < 2; ++j) {
    if (!which[j]) continue;
    double q[2] = {at.p[0], at.p[1]};
    const double pj = at.p[j];
    double h = DiffStep(problem, j, pj);
    int shortened = 0;
    bool grown = false;
    // Central differences beside a bound are taken over the distance to it
    // rather than one-sided over the full step (whose error is of the order of
    // the step), while that distance is at least kShortenings tenfold steps.
    const double room = std::min(pj - problem.lower[j], problem.upper[j] - pj);
    if (central && room < h && room >= h * std::pow(0.1, kShortenings)) h = room;
    for (;;) {
      cols.central[j] = central && pj - h >= problem.lower[j] && pj + h <= problem.upper[j];
      if (cols.central[j]) {
        const std::vector<double>&rp = stencil.plus[j], &rm = stencil.minus[j];
        q[j] = pj - h;
        objective.Evaluate(q[0], q[1], stencil.minus[j]);
        q[j] = pj + h;
        objective.Evaluate(q[0], q[1], stencil.plus[j]);
        double first = 0, second = 0;
        for (int k = 1; k <= m; ++k) {
          J[j][k] = (rp[k] - rm[k]) / (2 * h);
          first += (rp[k] - rm[k]) * (rp[k] - rm[k]);
          second += (rp[k] - 2 * at.r[k] + rm[k]) * (rp[k] - 2 * at.r[k] + rm[k]);
        }
        // Residuals that bend over the step as much as they rise (the NRTL
        // coefficients where exp(-alpha tau) is far from 1): the step is longer
        // than the scale on which the objective changes, and the column is
        // taken again over a step ten times shorter.
        if (second > kCoarse * kCoarse * first && shortened < kShortenings && !grown) {
          const double least = kResolve * precision / (0.1 * h);
          double norm = 0;
          for (int k = 1; k <= m; ++k) norm += J[j][k] * J[j][k];
          if (norm >= least * least) {
            h *= 0.1;
            ++shortened;
            continue;
          }
        }
      } else {
        const double sign = pj + h <= problem.upper[j] ? 1.0 : -1.0;
        std::vector<double>& r = sign > 0 ? stencil.plus[j] : stencil.minus[j];
        q[j] = pj + sign * h;
        objective.Evaluate(q[0], q[1], r);
        for (int k = 1; k <= m; ++k) J[j][k] = sign * (r[k] - at.r[k]) / h;
      }
      cols.h[j] = h;
      const double least = kResolve * precision / h;  // the smallest column norm resolved
      cols.resolved[j] = Dot(J[j], J[j], m) >= least * least;
      const bool judgedInside = pj <= problem.insideLower[j] && !nearBound;
      if (cols.resolved[j] || judgedInside || !(h < problem.maxStep[j])) break;
      h = std::min(10 * h, problem.maxStep[j]);
      grown = true;
    }
  }
}

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
  const double sine2 = A[0][0] > 0 && A[1][1] > 0 ? (A[0][0] * A[1][1] - A[0][1] * A[1][0]) / (A[0][0] * A[1][1]) : 1;
  if (!held[0] && !held[1] && rr > 0 && cols.resolved[0] && cols.resolved[1] &&
      sine2 < kNearlyParallelSine * kNearlyParallelSine) {
    s.parallel = true;
    s.determined = true;
    // Each column's part orthogonal to the other: what the residuals say about
    // that parameter alone. Where it is lost in the residuals' precision (or the
    // columns are parallel to the differences' own accuracy), the columns cannot
    // tell the parameters apart along one direction; else the normal equations
    // hold on a system that determines both parameters only when they hold on
    // those parts too: along a direction the columns barely tell apart, the
    // cosines of the columns themselves hold long before the objective stops
    // falling. (The orthogonal parts carry the differences' truncation errors
    // magnified by 1 / sine: they decide nothing alone; see `determined`.)
    const double precision = std::max(noise, 1e-15 * (std::sqrt(rr) + std::sqrt(m)));
    const double det = std::max(A[0][0] * A[1][1] - A[0][1] * A[1][0], 0.0);
    bool degenerate = false;
    for (int j = 0; j < 2 && !degenerate; ++j) {
      const int i = 1 - j;
      const double orthogonal = std::sqrt(det / A[i][i]);
      degenerate = orthogonal * cols.h[j] < kResolve * precision || sine2 <= kParallelSine * kParallelSine;
      if (degenerate) break;
      const double c = std::fabs(g[j] - A[i][j] / A[i][i] * g[i]) / (orthogonal * std::sqrt(rr));
      const double tol = kGradTol + noise / std::sqrt(rr) + noise / (cols.h[j] * orthogonal);
      s.determined = s.determined && c <= tol;
    }
    s.determined = s.determined && !degenerate;
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

Curvature Measure_Curvature(FitObjective& objective, const FitPoint& at, const std::vector<double>* J,
                            const Stencil& stencil, const bool* held, const Columns& cols) {
  const LeastSquaresProblem& problem = objective.Problem();
  const int m = problem.m;
  const std::vector<double>& r0 = at.r;
  const double* p = at.p;
  Curvature c;
  const double rn = std::sqrt(Dot(r0, r0, m));
  const double precision = Residual_Precision(problem, r0);
  const double* h = cols.h;
  double err[2][2] = {{0, 0}, {0, 0}};
  double side[2] = {1, 1};    // the side of each column whose residuals are known
  double d2norm[2] = {0, 0};  // norms of the residuals' own second differences
  std::vector<double> rFar(m + 1);
  for (int j = 0; j < 2; ++j) {
    if (held[j]) continue;
    c.g[j] = Dot(J[j], r0, m);
    for (int i = 0; i < 2; ++i)
      if (!held[i]) c.H[i][j] = Dot(J[i], J[j], m);
    double d2 = 0;
    if (cols.central[j]) {
      for (int k = 1; k <= m; ++k) {
        const double d = stencil.plus[j][k] - 2 * r0[k] + stencil.minus[j][k];
        d2 += r0[k] * d;
        d2norm[j] += d * d;
      }
    } else {
      // One-sided near a bound: a second point further inside.
      side[j] = p[j] + h[j] <= problem.upper[j] ? 1 : -1;
      const std::vector<double>& near = side[j] > 0 ? stencil.plus[j] : stencil.minus[j];
      double q[2] = {p[0], p[1]};
      q[j] += 2 * side[j] * h[j];
      if (q[j] < problem.lower[j] || q[j] > problem.upper[j]) return c;
      objective.Look(q[0], q[1], rFar);
      if (!objective.Usable()) return c;
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
  if (held[0] || held[1]) {
    const int j = held[0] ? 1 : 0;
    c.lmin = c.H[j][j];
    c.v[j] = 1;
    c.error = err[j][j] + 1e-12 * std::fabs(c.H[j][j]);
    c.known = true;
    return c;
  }
  // The cross term by the corner on the known sides, one-sided in each
  // parameter: its error of the order of the step is bounded at 1 % of it, and
  // where that leaves the sign of the curvature open, the opposite corner makes
  // it central.
  for (int j = 0; j < 2; ++j)
    if (cols.central[j]) side[j] = p[j] + h[j] <= problem.upper[j] ? 1 : -1;
  std::vector<double>& rCorner = rFar;
  auto corner = [&](double s1, double s2) {
    objective.Look(p[0] + s1 * h[0], p[1] + s2 * h[1], rCorner);
    const std::vector<double>&a = s1 > 0 ? stencil.plus[0] : stencil.minus[0],
                         &b = s2 > 0 ? stencil.plus[1] : stencil.minus[1];
    double d = 0;
    for (int k = 1; k <= m; ++k) d += r0[k] * (rCorner[k] - a[k] - b[k] + r0[k]);
    return s1 * s2 * d / (h[0] * h[1]);
  };
  const double A12 = c.H[0][1];
  const double diagError = std::sqrt(err[0][0] * err[0][0] + err[1][1] * err[1][1]);
  // Small residuals on a well-conditioned J^T J: a cross term ten times the size
  // of the diagonal ones could not make the curvature vanish, and no point is
  // spent on it.
  const double crossBound = 10 * rn * std::max(d2norm[0], d2norm[1]);
  double worst = 0, unused[2];
  Smallest_Eigen(c.H[0][0], std::fabs(A12) + crossBound, c.H[1][1], worst, unused);
  c.error = 2 * diagError + 1e-12 * (std::fabs(c.H[0][0]) + std::fabs(c.H[1][1]));
  if (worst > c.error) {
    Smallest_Eigen(c.H[0][0], A12, c.H[1][1], c.lmin, c.v);  // at least `worst`
    c.known = true;
    return c;
  }
  double S12 = corner(side[0], side[1]);
  if (!objective.Usable()) return c;
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
    const double S12b = corner(-side[0], -side[1]);
    if (!objective.Usable()) return c;
    S12 = 0.5 * (S12 + S12b);
    settle(0);
  }
  c.known = true;
  return c;
}

NewtonStep Curvature_Newton(const Curvature& c, const bool* held) {
  NewtonStep s;
  if (held[0] || held[1]) {
    const int j = held[0] ? 1 : 0;
    s.d[j] = c.g[j] / c.H[j][j];
  } else {
    const double det = c.H[0][0] * c.H[1][1] - c.H[0][1] * c.H[1][0];
    s.d[0] = (c.g[0] * c.H[1][1] - c.H[0][1] * c.g[1]) / det;
    s.d[1] = (c.H[0][0] * c.g[1] - c.H[1][0] * c.g[0]) / det;
  }
  s.decrease = c.g[0] * s.d[0] + c.g[1] * s.d[1];
  return s;
}

bool Probe(FitObjective& objective, const FitPoint& at, const double* v, const std::vector<double>& lengths,
           double tolF, FitPoint& found) {
  const LeastSquaresProblem& problem = objective.Problem();
  for (double t : lengths) {
    bool rises = true;
    for (double sign : {1.0, -1.0}) {
      const double a = Clamp_To_Range(problem, 0, at.p[0] + sign * t * v[0]);
      const double b = Clamp_To_Range(problem, 1, at.p[1] + sign * t * v[1]);
      if (a == at.p[0] && b == at.p[1]) continue;
      const double F = objective.Evaluate(a, b, found.r);
      if (!(objective.Usable() && std::isfinite(F))) continue;
      if (F < at.F - tolF) {
        found.p[0] = a;
        found.p[1] = b;
        found.F = F;
        return true;
      }
      rises = rises && F > at.F + tolF;
    }
    if (rises) return false;
  }
  return false;
}

bool Valley_Probe(FitObjective& objective, const FitPoint& at, const double* v, double gv,
                  const std::vector<double>* J, const std::vector<double>& lengths, double tolF, FitPoint& found) {
  const LeastSquaresProblem& problem = objective.Problem();
  const int m = problem.m;
  const double w[2] = {-v[1], v[0]};
  std::vector<double> Jw(m + 1);
  for (int k = 1; k <= m; ++k) Jw[k] = J[0][k] * w[0] + J[1][k] * w[1];
  const double JwJw = Dot(Jw, Jw, m);
  const double first = gv > 0 ? -1.0 : 1.0;
  for (double t : lengths) {
    for (double sign : {first, -first}) {
      double q[2] = {Clamp_To_Range(problem, 0, at.p[0] + sign * t * v[0]),
                     Clamp_To_Range(problem, 1, at.p[1] + sign * t * v[1])};
      if (q[0] == at.p[0] && q[1] == at.p[1]) continue;
      double F = objective.Evaluate(q[0], q[1], found.r);
      if (!(objective.Usable() && std::isfinite(F))) continue;
      if (JwJw > 0) {
        const double s = -Dot(Jw, found.r, m) / JwJw;
        const double c[2] = {Clamp_To_Range(problem, 0, q[0] + s * w[0]), Clamp_To_Range(problem, 1, q[1] + s * w[1])};
        const double Fc = objective.Evaluate(c[0], c[1], found.r);
        if (!(objective.Usable() && std::isfinite(Fc))) continue;
        q[0] = c[0];
        q[1] = c[1];
        F = Fc;
      }
      if (F < at.F - tolF) {
        found.p[0] = q[0];
        found.p[1] = q[1];
        found.F = F;
        return true;
      }
    }
  }
  return false;
}

bool Move_If_Lower(FitObjective& objective, FitPoint& at, int j, double value, bool orEqual, FitPoint& scratch) {
  double q[2] = {at.p[0], at.p[1]};
  q[j] = value;
  const double precision = Residual_Precision(objective.Problem(), at.r);
  const double level = orEqual ? at.F + 2 * std::sqrt(at.F) * precision + precision * precision : at.F;
  const double F = objective.Evaluate(q[0], q[1], scratch.r);
  if (!(objective.Usable() && std::isfinite(F) && (F < at.F || (orEqual && F <= level)))) return false;
  at.p[j] = q[j];
  at.F = F;
  at.r.swap(scratch.r);
  return true;
}

}  // namespace vlefit::steps
