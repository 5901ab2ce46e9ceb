// The Marquardt loop of Marquardt_Fit (VLEFit.h): each iteration differences
// the residuals at the fit's point, settles which parameters a bound holds,
// judges the normal equations, and either gives the verdict at a stationary
// point or takes a damped Gauss-Newton step. The pieces are in MarquardtSteps.h.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "core/model/CalcMessages.h"
#include "vle/estimation/FitObjective.h"
#include "vle/estimation/MarquardtSteps.h"
#include "vle/estimation/VLEFit.h"

namespace vlefit {

namespace {

using namespace steps;

constexpr double kDampGrow = 1.5;
constexpr double kDampShrink = 0.5;
constexpr double kCentralTol = 1e-4;  // steps below this (relative to max(1, |p|)) take central differences
constexpr double kShortestNewton = 1.0 / 64;  // the shortest share of a full-curvature Newton step tried
constexpr double kLongestValleyProbe = 4;     // in the fitted variables (ln Lambda, tau)

// The 2 x 2 upper-triangular factor and right-hand side of the damped problem.
struct Factor {
  double R11 = 0, R12 = 0, R22 = 0, z1 = 0, z2 = 0;
};

// Householder QR (no pivoting) of [J r0; V 0 0; 0 V 0], (m + 2) x 3.
Factor Householder(const std::vector<double>& J1, const std::vector<double>& J2, const std::vector<double>& r0,
                   int m, double V) {
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

// One fit: the point it stands on, the objective, and the loop's own state.
class MarquardtLoop {
 public:
  MarquardtLoop(const LeastSquaresProblem& problem, const MarquardtLimits& limits,
                const std::function<void(const FitProgress&)>& onAccepted)
      : problem_(problem), limits_(limits), onAccepted_(onAccepted), objective_(problem),
        m_(problem.m), callLimit_(static_cast<long long>(limits.callsPerResidual) * problem.m),
        stencil_(problem.m), J_{std::vector<double>(m_ + 1), std::vector<double>(m_ + 1)} {
    at_.r.resize(m_ + 1);
    trial_.r.resize(m_ + 1);
  }

  FitResult Run(double p1, double p2);

 private:
  // What the bound handling at the top of an iteration did.
  enum class Hold { Settled, Moved };
  // What the verdict at a stationary point found.
  struct Verdict {
    bool moved = false;  // a lower point was taken: the fit goes on from it
    FitStatus status = FitStatus::Converged;
  };

  Hold Hold_Bounds(Columns& cols, bool* held);
  Verdict At_Stationary(const Columns& cols, const bool* held, int insensitive, double pmax);
  void Polish(double pmax);
  // Where Gauss-Newton can go no further: a lower point by the objective's own
  // curvature, taken as the fit's point (Lower); none (None); none along a
  // curvature known to be negative (Saddle).
  enum class Search { Lower, None, Saddle };
  Search By_Curvature(const Columns& cols, const bool* held, double pmax, bool stationary);
  std::optional<FitStatus> Damped_Step(double pmax);
  // Takes trial_ as the fit's point.
  void Move_To_Trial();
  // The same, reporting it and counting the iteration; false when the call
  // limit is past.
  bool Take_Trial();
  bool Next_Iteration();
  FitResult Finish(FitStatus status);

  const LeastSquaresProblem& problem_;
  const MarquardtLimits& limits_;
  const std::function<void(const FitProgress&)>& onAccepted_;
  FitObjective objective_;
  const int m_;
  const long long callLimit_;
  FitPoint at_, trial_;
  Stencil stencil_;
  std::vector<double> J_[2];
  double V_ = 0;           // Marquardt damping
  bool central_ = false;   // take central differences next
  bool tinyStep_ = false;  // the last accepted step was below the convergence tolerance
  bool heldInside_[2] = {false, false};  // held on a lower bound by its inside point
  int iteration_ = 1;
  Stationarity stat_;
};

FitResult MarquardtLoop::Finish(FitStatus status) {
  // Whatever the exit, the best accepted pair is the result, and the problem's
  // last evaluation (its shared state) belongs to it.
  if (!objective_.LastAt(at_.p[0], at_.p[1])) at_.F = objective_.Evaluate(at_.p[0], at_.p[1], trial_.r);
  FitResult res;
  res.status = status;
  res.iterations = iteration_;
  res.calls = objective_.Calls();
  res.objective = at_.F;
  res.p1 = at_.p[0];
  res.p2 = at_.p[1];
  res.gradient = stat_.cosine;
  return res;
}

bool MarquardtLoop::Next_Iteration() {
  if (objective_.Calls() > callLimit_) return false;
  ++iteration_;
  return true;
}

void MarquardtLoop::Move_To_Trial() {
  at_.p[0] = trial_.p[0];
  at_.p[1] = trial_.p[1];
  at_.F = trial_.F;
  at_.r.swap(trial_.r);
}

bool MarquardtLoop::Take_Trial() {
  Move_To_Trial();
  if (onAccepted_) onAccepted_(FitProgress{iteration_, objective_.Calls(), at_.F, at_.p[0], at_.p[1], V_});
  return Next_Iteration();
}

// A parameter on its bound whose objective still falls toward the bound is held
// there; the other is fitted alone. Where the problem names a point inside the
// lower bound, the objective there decides, and a lower one is taken as the next
// point: on such a bound the column is no guide. A hold found so is kept while
// the other parameter moves, and tried again before the fit ends on it.
MarquardtLoop::Hold MarquardtLoop::Hold_Bounds(Columns& cols, bool* held) {
  held[0] = held[1] = false;
  bool moved = false;
  for (int j = 0; j < 2 && !moved; ++j) {
    // Between the bound and the inside point a column lost in the noise cannot
    // lead the way: the bound is taken when the objective is no higher there,
    // else the column is taken again with larger steps.
    if (!cols.resolved[j] && at_.p[j] > problem_.lower[j] && at_.p[j] <= problem_.insideLower[j]) {
      moved = Move_If_Lower(objective_, at_, j, problem_.lower[j], true, trial_);
      if (moved) break;
      bool only[2] = {false, false};
      only[j] = true;
      Differences(objective_, at_, central_, J_, stencil_, cols, only, true);
    }
    if (On_Lower(problem_, j, at_.p[j]) && std::isfinite(problem_.insideLower[j])) {
      held[j] = heldInside_[j] || !(moved = Move_If_Lower(objective_, at_, j, problem_.insideLower[j], false, trial_));
      heldInside_[j] = held[j];
    } else if (cols.resolved[j]) {
      const double slope = Dot(J_[j], at_.r, m_);
      held[j] = (On_Lower(problem_, j, at_.p[j]) && slope > 0) || (On_Upper(problem_, j, at_.p[j]) && slope < 0);
    }
  }
  for (int j = 0; j < 2; ++j) heldInside_[j] = heldInside_[j] && held[j];
  return moved ? Hold::Moved : Hold::Settled;
}

// The normal equations hold (by central differences): is this a minimum? The
// objective's own curvature decides (By_Curvature); a lower point it finds
// continues the fit, as does a lower objective inside a bound held by its
// inside point.
MarquardtLoop::Verdict MarquardtLoop::At_Stationary(const Columns& cols, const bool* held, int insensitive,
                                                    double pmax) {
  // A last Gauss-Newton step below the tolerance is taken when it lowers the
  // objective: it brings a fit to exact data down to rounding. (The curvature
  // is measured first, where the differences were taken.)
  const bool curvatureTest = !insensitive && !(held[0] && held[1]) && at_.F > 0;
  Search found = Search::None;
  if (curvatureTest) found = By_Curvature(cols, held, pmax, true);
  else Polish(pmax);
  if (insensitive) return {false, FitStatus::NoSensitivity};
  if (found == Search::Saddle) return {false, FitStatus::Stalled};
  if (found == Search::Lower) {
    if (!Next_Iteration()) return {false, FitStatus::CallLimit};
    return {true, FitStatus::Converged};
  }
  // The other parameter has settled: is the objective still lower inside the bound?
  for (int j = 0; j < 2; ++j) {
    if (heldInside_[j] && Move_If_Lower(objective_, at_, j, problem_.insideLower[j], false, trial_)) {
      heldInside_[0] = heldInside_[1] = false;
      if (!Next_Iteration()) return {false, FitStatus::CallLimit};
      return {true, FitStatus::Converged};
    }
  }
  return {false, held[0] || held[1] ? FitStatus::AtBound : FitStatus::Converged};
}

void MarquardtLoop::Polish(double pmax) {
  if (!(stat_.step > 0 && stat_.step < kConvTol * pmax)) return;
  trial_.p[0] = Clamp_To_Range(problem_, 0, at_.p[0] - stat_.delta[0]);
  trial_.p[1] = Clamp_To_Range(problem_, 1, at_.p[1] - stat_.delta[1]);
  trial_.F = objective_.Evaluate(trial_.p[0], trial_.p[1], trial_.r);
  if (objective_.Usable() && std::isfinite(trial_.F) && trial_.F < at_.F) Move_To_Trial();
}

// The objective's own curvature over the free parameters decides (J^T J and the
// residuals' second-order term). Where it is positive, the Newton step with
// the full curvature is tried, and halved down to kShortestNewton of itself
// (the quadratic model may hold only over part of it); at a stationary point
// only where it would still lower the objective measurably (a narrow valley
// whose normal equations hold to their tolerance). Where the curvature is
// negative, or too small to be told from zero (the direction two parallel
// columns cannot tell apart), the objective is probed along that direction.
MarquardtLoop::Search MarquardtLoop::By_Curvature(const Columns& cols, const bool* held, double pmax,
                                                  bool stationary) {
  const FitPoint base = at_;
  const Curvature c = Measure_Curvature(objective_, at_, J_, stencil_, held, cols);
  if (stationary) Polish(pmax);
  const double tolF = Objective_Precision(problem_, base.r, at_.F);
  bool lower = false;
  if (c.known && c.lmin > c.error) {
    const NewtonStep newton = Curvature_Newton(c, held);
    const double length = std::max(std::fabs(newton.d[0]), std::fabs(newton.d[1]));
    if (length >= kConvTol * pmax && (!stationary || newton.decrease > kSlopeRel * at_.F + tolF)) {
      for (double t = 1; !lower && t >= kShortestNewton && t * length >= kConvTol * pmax; t *= 0.5) {
        trial_.p[0] = Clamp_To_Range(problem_, 0, base.p[0] - t * newton.d[0]);
        trial_.p[1] = Clamp_To_Range(problem_, 1, base.p[1] - t * newton.d[1]);
        trial_.F = objective_.Evaluate(trial_.p[0], trial_.p[1], trial_.r);
        // A share of the step must lower the objective measurably: the full
        // step is where the model's minimum is, a share only a way toward it.
        lower = objective_.Usable() && std::isfinite(trial_.F) &&
                trial_.F < at_.F - (t < 1 ? kSlopeRel * at_.F + tolF : tolF);
      }
    }
  }
  const double scale = std::fabs(c.v[0]) * cols.h[0] + std::fabs(c.v[1]) * cols.h[1];
  if (c.known && !(c.lmin > c.error))
    lower = Probe(objective_, at_, c.v, {10 * scale, 100 * scale, 1000 * scale}, tolF, trial_);
  if (!lower && c.known && stat_.parallel && (!stationary || !stat_.determined)) {
    // Along the direction nearly parallel columns barely tell apart the
    // objective may fall in a valley whose floor bends away from the straight
    // steps above: from the Newton length along it (or 1000 difference steps)
    // down to a fraction of it, or to 10 difference steps, each probe
    // corrected across the valley.
    const double gv = c.g[0] * c.v[0] + c.g[1] * c.v[1];
    double length = c.lmin > 0 ? std::fabs(gv) / c.lmin : 1000 * scale;
    length = std::min(length, kLongestValleyProbe);
    std::vector<double> lengths;
    for (double t = length; t >= std::min(10 * scale, kShortestNewton * length); t *= 0.5) lengths.push_back(t);
    lower = Valley_Probe(objective_, at_, c.v, gv, J_, lengths, kSlopeRel * at_.F + tolF, trial_);
  }
  // A curvature known to be negative with no lower point along it.
  if (!lower && c.known && c.lmin < -c.error) return Search::Saddle;
  if (!lower) return Search::None;
  const double step = std::max(std::fabs(trial_.p[0] - at_.p[0]), std::fabs(trial_.p[1] - at_.p[1]));
  central_ = step < kCentralTol * pmax;
  tinyStep_ = false;
  Move_To_Trial();
  if (onAccepted_) onAccepted_(FitProgress{iteration_, objective_.Calls(), at_.F, at_.p[0], at_.p[1], V_});
  return Search::Lower;
}

// One damped Gauss-Newton step from the fit's point, damped further until the
// objective is no higher; nothing when the fit goes on, else how it ends.
std::optional<FitStatus> MarquardtLoop::Damped_Step(double pmax) {
  int retries = 0;
  Factor f = Householder(J_[0], J_[1], at_.r, m_, V_);
  double N11 = 0, N12 = 0, N22 = 0, g1 = 0, g2 = 0, dmax = 0;
  auto lower = [&] { return objective_.Usable() && std::isfinite(trial_.F) && trial_.F <= at_.F; };
  for (;;) {
    const double d2 = f.z2 / f.R22;
    const double d1 = (f.z1 - f.R12 * d2) / f.R11;
    // A candidate beyond a bound is moved onto it.
    trial_.p[0] = Clamp_To_Range(problem_, 0, at_.p[0] - d1);
    trial_.p[1] = Clamp_To_Range(problem_, 1, at_.p[1] - d2);
    dmax = std::max(std::fabs(trial_.p[0] - at_.p[0]), std::fabs(trial_.p[1] - at_.p[1]));
    if (!std::isfinite(dmax)) return FitStatus::Singular;
    trial_.F = objective_.Evaluate(trial_.p[0], trial_.p[1], trial_.r);
    // A candidate without a finite objective, or one the problem marks unusable,
    // is never taken: it is handled like a worse one.
    if (lower()) break;
    // A forward-difference slope is off by the order of its step, enough to
    // point the step uphill near a minimum: the first rejection takes central
    // differences before any damping.
    if (!central_ && retries == 0) {
      central_ = true;
      return std::nullopt;
    }
    // The damping has shrunk the step to nothing without a lower objective, and
    // the normal equations did not hold at the point: not a minimum.
    if (dmax < kConvTol * pmax) return FitStatus::Stalled;

    ++retries;
    if (retries == 1) {
      N11 = f.R11 * f.R11;
      N12 = f.R11 * f.R12;
      N22 = f.R12 * f.R12 + f.R22 * f.R22;
      g1 = f.R11 * f.z1;
      g2 = f.R12 * f.z1 + f.R22 * f.z2;
    }
    // (1.5 V)^2 = V^2 + 1.25 V^2: the normal equations take the grown damping.
    N11 += 1.25 * V_ * V_;
    N22 += 1.25 * V_ * V_;
    f.R11 = std::sqrt(std::fabs(N11));
    f.R12 = N12 / f.R11;
    f.R22 = std::sqrt(std::fabs(N22 - f.R12 * f.R12));
    f.z1 = g1 / f.R11;
    f.z2 = (g2 - f.R12 * f.z1) / f.R22;
    V_ *= kDampGrow;
    if (V_ > limits_.dampingLimit) {
      Calc_Message("Marquardt Too Big V");
      return FitStatus::DampingLimit;
    }
    if (retries > limits_.maxRetries) return FitStatus::RetryLimit;
  }
  central_ = dmax < kCentralTol * pmax;
  tinyStep_ = dmax < kConvTol * pmax;
  if (retries == 0) V_ *= kDampShrink;
  if (!Take_Trial()) return FitStatus::CallLimit;
  return std::nullopt;
}

FitResult MarquardtLoop::Run(double p1, double p2) {
  at_.p[0] = Clamp_To_Range(problem_, 0, p1);
  at_.p[1] = Clamp_To_Range(problem_, 1, p2);
  at_.F = objective_.Evaluate(at_.p[0], at_.p[1], at_.r);
  if (!std::isfinite(at_.F)) return Finish(FitStatus::NotFinite);
  for (;;) {
    Columns cols;
    Differences(objective_, at_, central_, J_, stencil_, cols);
    if (!Finite(J_[0], m_) || !Finite(J_[1], m_)) return Finish(FitStatus::Singular);
    if (V_ == 0) {
      double sum = 0;
      for (int j = 0; j < 2; ++j)
        for (int k = 1; k <= m_; ++k) sum += J_[j][k] * J_[j][k];
      V_ = std::sqrt(sum / (2.0 * m_));
      // A Jacobian of zeros: the residuals do not depend on the pair at all.
      if (V_ == 0) return Finish(FitStatus::Singular);
    }
    bool held[2];
    if (Hold_Bounds(cols, held) == Hold::Moved) {
      if (!Next_Iteration()) return Finish(FitStatus::CallLimit);
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
    // Steps are judged on the scale of the parameters that move: beside a held
    // parameter of 40 a step of 4e-5 in one of 0.7 has not converged.
    const double pmax = held[0] ? std::max(1.0, std::fabs(at_.p[1]))
                        : held[1] ? std::max(1.0, std::fabs(at_.p[0]))
                                  : std::max({1.0, std::fabs(at_.p[0]), std::fabs(at_.p[1])});
    stat_ = Normal_Equations(J_, at_.r, m_, frozen, problem_.residualNoise, cols);
    if (stat_.holds || stat_.step < kConvTol * pmax) {
      // Forward differences carry an error of the order of their step: a minimum
      // is confirmed by central ones.
      if (!central_) {
        central_ = true;
        continue;
      }
      const Verdict verdict = At_Stationary(cols, held, insensitive, pmax);
      if (verdict.moved) continue;
      FitResult res = Finish(verdict.status);
      if (verdict.status == FitStatus::NoSensitivity) {
        res.boundParameter = insensitive;
      } else if (verdict.status == FitStatus::AtBound || verdict.status == FitStatus::Converged) {
        res.boundParameter = held[0] ? 1 : held[1] ? 2 : 0;
        res.boundUpper = res.boundParameter > 0 && On_Upper(problem_, res.boundParameter - 1,
                                                           res.boundParameter == 1 ? res.p1 : res.p2);
      }
      return res;
    }
    bool stalled = tinyStep_;
    if (!stalled) {
      for (int j = 0; j < 2; ++j)
        if (frozen[j]) std::fill(J_[j].begin(), J_[j].end(), 0.0);
      const std::optional<FitStatus> end = Damped_Step(pmax);
      if (end && *end != FitStatus::Stalled) return Finish(*end);
      stalled = end.has_value();
    }
    if (stalled) {
      // Gauss-Newton goes no further while the normal equations do not hold
      // (near parallel columns its damped steps cannot move along the direction
      // they barely tell apart): the objective's own curvature may still find
      // a lower point.
      const bool curvature = !insensitive && !(held[0] && held[1]) && at_.F > 0;
      if (!curvature || By_Curvature(cols, held, pmax, false) != Search::Lower) return Finish(FitStatus::Stalled);
      if (!Next_Iteration()) return Finish(FitStatus::CallLimit);
    }
  }
}

}  // namespace

FitResult Marquardt_Fit(const LeastSquaresProblem& problem, double p1, double p2, const MarquardtLimits& limits,
                        const std::function<void(const FitProgress&)>& onAccepted) {
  MarquardtLoop loop(problem, limits, onAccepted);
  return loop.Run(p1, p2);
}

}  // namespace vlefit
