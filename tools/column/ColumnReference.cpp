#include "ColumnReference.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <limits>

#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace {

constexpr double kHScale = 4.0e4;        // J/mol: an enthalpy balance per unit feed and this
constexpr double kNewtonGoal = 1e-11;    // Newton stops below this scaled residual
constexpr int kNewtonSteps = 120;
constexpr double kMaxDT = 10;            // K per Newton step
constexpr double kMaxDLn = 4;            // ln x or ln flow per Newton step
constexpr int kSweeps = 600;             // bubble-point sweeps of the start
constexpr double kSweepGoal = 1e-4;      // K: the sweeps stop when no temperature moves more
constexpr double kMinContinuationStep = 1.0 / 512;

struct Stage {
  double T = 0, L = 0, V = 0, hl = 0, hv = 0;
  double x[kMaxComp]{}, y[kMaxComp]{};
};

// Banded matrix with room for the fill of partial pivoting; row r holds
// columns r - kl .. r + kl + ku.
class Band {
 public:
  Band(int n, int kl, int ku) : n_(n), kl_(kl), ku_(ku), w_(2 * kl + ku + 1), a_(static_cast<size_t>(n) * w_, 0.0) {}
  double& At(int r, int c) { return a_[static_cast<size_t>(r) * w_ + (c - r + kl_)]; }
  bool InBand(int r, int c) const { return c - r + kl_ >= 0 && c - r + kl_ < w_; }
  void ScaleRow(int r, double s) {
    for (int k = 0; k < w_; ++k) a_[static_cast<size_t>(r) * w_ + k] *= s;
  }
  // Solves in place; false on a zero pivot.
  bool Solve(std::vector<double>& b) {
    for (int k = 0; k < n_; ++k) {
      const int rLast = std::min(n_ - 1, k + kl_), cLast = std::min(n_ - 1, k + kl_ + ku_);
      int p = k;
      double best = std::fabs(At(k, k));
      for (int r = k + 1; r <= rLast; ++r)
        if (std::fabs(At(r, k)) > best) best = std::fabs(At(r, k)), p = r;
      if (!(best > 0) || !std::isfinite(best)) return false;
      if (p != k) {
        for (int c = k; c <= cLast; ++c) std::swap(At(k, c), At(p, c));
        std::swap(b[k], b[p]);
      }
      const double piv = At(k, k);
      for (int r = k + 1; r <= rLast; ++r) {
        const double m = At(r, k) / piv;
        if (m == 0) continue;
        At(r, k) = 0;
        for (int c = k + 1; c <= cLast; ++c) At(r, c) -= m * At(k, c);
        b[r] -= m * b[k];
      }
    }
    for (int k = n_ - 1; k >= 0; --k) {
      double s = b[k];
      const int cLast = std::min(n_ - 1, k + kl_ + ku_);
      for (int c = k + 1; c <= cLast; ++c) s -= At(k, c) * b[c];
      b[k] = s / At(k, k);
    }
    return true;
  }

 private:
  int n_, kl_, ku_, w_;
  std::vector<double> a_;
};

class Model {
 public:
  Model(const GenColumn& col, bool heat) : col_(col), nt_(col.nt), nc_(static_cast<int>(col.comps.size())), heat_(heat) {
    pmm_.resize(nt_);
    for (int j = 0; j < nt_; ++j) pmm_[j] = col.StagePressure(j + 1);
    F_.assign(nt_, 0);
    FH_.assign(nt_, 0);
    Fl_.assign(nt_, 0);
    Fz_.assign(nt_, std::vector<double>(nc_, 0));
    Ftot_ = 0;
    double z[kMaxComp + 1]{};
    for (const GenFeed& f : col.feeds) {
      const int j = f.stage - 1;
      F_[j] += f.flow;
      Fl_[j] += f.flow * (1 - f.vf);
      for (int i = 0; i < nc_; ++i) {
        Fz_[j][i] += f.flow * f.z[i];
        z[i + 1] = f.z[i];
      }
      FH_[j] += f.flow * (f.vf * Enthalpy_Vap_Poly(f.t, z) + (1 - f.vf) * Enthalpy_Liq_Poly(f.t, z));
      Ftot_ += f.flow;
    }
    D_ = col.distillate;
    // Constant molal overflow from the reflux down; the vapour from each stage's total balance.
    Lcmo_.assign(nt_, 0);
    Vcmo_.assign(nt_, 0);
    Lcmo_[0] = col.reflux * D_;
    Vcmo_[0] = 0;
    Vcmo_[1] = Lcmo_[0] + D_ - F_[0];
    for (int j = 1; j < nt_ - 1; ++j) {
      Lcmo_[j] = Lcmo_[j - 1] + Fl_[j];
      Vcmo_[j + 1] = Vcmo_[j] - (F_[j] - Fl_[j]);
    }
    Lcmo_[nt_ - 1] = Ftot_ - D_;
    first_.resize(nt_);
    int n = 0;
    maxSize_ = 0;
    for (int j = 0; j < nt_; ++j) {
      first_[j] = n;
      const int size = 1 + nc_ + FreeV(j) + FreeL(j);
      n += size;
      maxSize_ = std::max(maxSize_, size);
    }
    n_ = n;
  }

  int N() const { return n_; }
  int Nt() const { return nt_; }
  int Nc() const { return nc_; }
  double Ftot() const { return Ftot_; }
  const std::vector<double>& Lcmo() const { return Lcmo_; }
  const std::vector<double>& Vcmo() const { return Vcmo_; }
  bool FreeV(int j) const { return heat_ && j >= 1; }
  bool FreeL(int j) const { return heat_ && j >= 1 && j <= nt_ - 2; }
  double FixedL(int j) const { return heat_ ? (j == 0 ? Lcmo_[0] : Ftot_ - D_) : Lcmo_[j]; }
  double FixedV(int j) const { return heat_ ? 0.0 : Vcmo_[j]; }
  double lambda = 1;  // continuation: 0 constant molal overflow, 1 the enthalpy balances

  // K-values, y = K x and the enthalpies of a stage.
  void Equilibrium(int j, Stage& s) const {
    double xn[kMaxComp + 1]{}, sum = 0;
    for (int i = 0; i < nc_; ++i) sum += s.x[i];
    for (int i = 0; i < nc_; ++i) xn[i + 1] = s.x[i] / sum;
    ActivityCoeff_Select(xn);
    for (int i = 0; i < nc_; ++i) s.y[i] = Case.Gamma[i + 1] * Antoine_Psat(i + 1, s.T) / pmm_[j] * s.x[i];
    if (heat_) {
      double xv[kMaxComp + 1]{}, yv[kMaxComp + 1]{};
      for (int i = 0; i < nc_; ++i) xv[i + 1] = s.x[i], yv[i + 1] = s.y[i];
      s.hl = Enthalpy_Liq_Poly(s.T, xv);
      s.hv = Enthalpy_Vap_Poly(s.T, yv);
    }
  }

  Stage FromVector(const std::vector<double>& u, int j) const {
    Stage s;
    int k = first_[j];
    s.T = u[k++];
    for (int i = 0; i < nc_; ++i) s.x[i] = std::exp(u[k++]);
    s.V = FreeV(j) ? std::exp(u[k++]) : FixedV(j);
    s.L = FreeL(j) ? std::exp(u[k++]) : FixedL(j);
    Equilibrium(j, s);
    return s;
  }

  void ToVector(const Stage& s, int j, std::vector<double>& u) const {
    int k = first_[j];
    u[k++] = s.T;
    for (int i = 0; i < nc_; ++i) u[k++] = std::log(std::max(s.x[i], 1e-300));
    if (FreeV(j)) u[k++] = std::log(std::max(s.V, 1e-300));
    if (FreeL(j)) u[k++] = std::log(std::max(s.L, 1e-300));
  }

  // Equations of stage j into r[first_[j]...]; a and b the stages above and below (or null).
  void Equations(int j, const Stage* a, const Stage& s, const Stage* b, double* r) const {
    const double draw = j == 0 ? D_ : 0.0;
    int k = 0;
    for (int i = 0; i < nc_; ++i) {
      const double in = Fz_[j][i] + (a ? a->L * a->x[i] : 0) + (b ? b->V * b->y[i] : 0);
      const double out = (s.L + draw) * s.x[i] + s.V * s.y[i];
      r[k++] = (in - out) / Ftot_;
    }
    double sy = 0;
    for (int i = 0; i < nc_; ++i) sy += s.y[i];
    r[k++] = sy - 1;
    if (heat_ && j >= 1 && j <= nt_ - 2) {
      const double hin = FH_[j] + (a ? a->L * a->hl : 0) + (b ? b->V * b->hv : 0);
      const double hout = (s.L + draw) * s.hl + s.V * s.hv;
      r[k++] = lambda * (hin - hout) / (Ftot_ * kHScale) + (1 - lambda) * (s.L - Lcmo_[j]) / Ftot_;
    }
    if (heat_ && j >= 1) r[k++] = (F_[j] + (a ? a->L : 0) + (b ? b->V : 0) - s.L - draw - s.V) / Ftot_;
  }

  int Rows(int j) const { return (j + 1 < nt_ ? first_[j + 1] : n_) - first_[j]; }
  int First(int j) const { return first_[j]; }
  int MaxSize() const { return maxSize_; }

  void Residuals(const std::vector<Stage>& st, std::vector<double>& r) const {
    r.assign(n_, 0);
    for (int j = 0; j < nt_; ++j)
      Equations(j, j ? &st[j - 1] : nullptr, st[j], j + 1 < nt_ ? &st[j + 1] : nullptr, &r[first_[j]]);
  }

  // Row weights: each component balance per unit of the component's own flow
  // out of its stage, floored at the largest balance error (far from the
  // solution the traces then do not rule the step length).
  // With `floored` false every balance is taken per unit of its own flow
  // (the row scaling of the linear solve, where a trace's rows must keep
  // their size).
  void Weights(const std::vector<Stage>& st, const std::vector<double>& r, std::vector<double>& w,
               bool floored = true) const {
    double err = 0;
    for (int j = 0; j < nt_; ++j)
      for (int i = 0; i < nc_; ++i) err = std::max(err, std::fabs(r[first_[j] + i]));
    const double floor = (floored ? std::max(std::min(err, 1.0), 1e-280) : 1e-300) * Ftot_;
    w.assign(n_, 1.0);
    for (int j = 0; j < nt_; ++j) {
      const double draw = j == 0 ? D_ : 0.0;
      for (int i = 0; i < nc_; ++i) {
        const double own = (st[j].L + draw) * st[j].x[i] + st[j].V * st[j].y[i];
        w[first_[j] + i] = Ftot_ / std::max(own, floor);
      }
    }
  }

  double BubbleT(int j, Stage& s, double t0) const {
    double t = t0;
    for (int it = 0; it < 60; ++it) {
      s.T = t;
      Equilibrium(j, s);
      double f = 0;
      for (int i = 0; i < nc_; ++i) f += s.y[i];
      s.T = t + 0.01;
      Equilibrium(j, s);
      double f2 = 0;
      for (int i = 0; i < nc_; ++i) f2 += s.y[i];
      const double slope = (std::log(f2) - std::log(f)) / 0.01;
      if (!(slope > 0) || !std::isfinite(f)) break;
      const double dt = std::clamp(-std::log(f) / slope, -20.0, 20.0);
      t += dt;
      if (std::fabs(dt) < 1e-9) break;
    }
    s.T = t;
    Equilibrium(j, s);
    return t;
  }

 private:
  const GenColumn& col_;
  int nt_, nc_;
  bool heat_;
  std::vector<double> pmm_, F_, FH_, Fl_, Lcmo_, Vcmo_;
  std::vector<std::vector<double>> Fz_;
  double Ftot_ = 0, D_ = 0;
  std::vector<int> first_;
  int n_ = 0, maxSize_ = 0;
};

double MaxAbsWeighted(const std::vector<double>& r, const std::vector<double>& w) {
  double big = 0;
  for (size_t k = 0; k < r.size(); ++k) {
    const double v = std::fabs(r[k] * w[k]);
    if (!std::isfinite(v)) return std::numeric_limits<double>::infinity();
    big = std::max(big, v);
  }
  return big;
}

double Norm2(const std::vector<double>& r, const std::vector<double>& w) {
  double s = 0;
  for (size_t k = 0; k < r.size(); ++k) s += (r[k] * w[k]) * (r[k] * w[k]);
  return std::isfinite(s) ? s : std::numeric_limits<double>::infinity();
}

std::vector<Stage> States(const Model& m, const std::vector<double>& u) {
  std::vector<Stage> st(m.Nt());
  for (int j = 0; j < m.Nt(); ++j) st[j] = m.FromVector(u, j);
  return st;
}

// Damped Newton on the scaled residuals; true when the largest falls below the goal
// (or stalls below the tolerance at the floor rounding leaves).
bool Newton(const Model& m, std::vector<double>& u, int& steps, double& finalBig) {
  const int n = m.N(), nt = m.Nt();
  const int band = 2 * m.MaxSize();
  std::vector<double> r, w, rt;
  std::vector<Stage> st = States(m, u);
  m.Residuals(st, r);
  for (int it = 0; it < kNewtonSteps; ++it) {
    m.Weights(st, r, w);
    const double big = MaxAbsWeighted(r, w);
    finalBig = big;
    if (!std::isfinite(big)) return false;
    if (big < kNewtonGoal) return true;
    const double norm = Norm2(r, w);
    if (std::getenv("COLUMN_REF_DEBUG")) std::fprintf(stderr, "newton %d big %.3e norm %.3e\n", it, big, norm);
    // Forward-difference Jacobian, stage by stage.
    Band J(n, band, band);
    for (int j = 0; j < nt; ++j) {
      const int f = m.First(j), size = m.Rows(j);
      for (int k = 0; k < size; ++k) {
        const int col = f + k;
        const double keep = u[col];
        const double h = k == 0 ? 1e-6 * std::max(1.0, std::fabs(keep)) : 1e-7;
        u[col] = keep + h;
        const Stage sj = m.FromVector(u, j);
        u[col] = keep;
        for (int s = std::max(0, j - 1); s <= std::min(nt - 1, j + 1); ++s) {
          const Stage* a = s ? (s - 1 == j ? &sj : &st[s - 1]) : nullptr;
          const Stage& mid = s == j ? sj : st[s];
          const Stage* b = s + 1 < nt ? (s + 1 == j ? &sj : &st[s + 1]) : nullptr;
          double rs[kMaxComp + 4];
          m.Equations(s, a, mid, b, rs);
          for (int q = 0; q < m.Rows(s); ++q) {
            const double d = (rs[q] - r[m.First(s) + q]) / h;
            if (d != 0) J.At(m.First(s) + q, col) = d;
          }
        }
      }
    }
    std::vector<double> d(n), ws;
    m.Weights(st, r, ws, false);
    for (int k = 0; k < n; ++k) {
      J.ScaleRow(k, ws[k]);
      d[k] = -r[k] * ws[k];
    }
    if (!J.Solve(d)) return false;
    // The temperatures limit the whole step; a logarithm's step is cut on its
    // own (a trace's fraction may fall by orders of magnitude on the way,
    // and it touches little but its own balances).
    double alpha = 1;
    for (int j = 0; j < nt; ++j) {
      const int f = m.First(j);
      if (std::fabs(d[f]) * alpha > kMaxDT) alpha = kMaxDT / std::fabs(d[f]);
      for (int k = 1; k < m.Rows(j); ++k) d[f + k] = std::clamp(d[f + k], -kMaxDLn, kMaxDLn);
    }
    bool accepted = false;
    std::vector<double> trial(n);
    std::vector<Stage> stt;
    for (int half = 0; half < 40; ++half) {
      for (int k = 0; k < n; ++k) trial[k] = u[k] + alpha * d[k];
      stt = States(m, trial);
      m.Residuals(stt, rt);
      if (Norm2(rt, w) < (1 - 1e-4 * alpha) * norm) {
        accepted = true;
        break;
      }
      alpha *= 0.5;
    }
    ++steps;
    if (!accepted) return big < kReferenceTolerance;
    u.swap(trial);
    st.swap(stt);
    r.swap(rt);
  }
  m.Weights(st, r, w);
  finalBig = MaxAbsWeighted(r, w);
  return finalBig < kReferenceTolerance;
}

// Bubble-point sweeps at constant molal overflow: the start of the Newton method.
std::vector<Stage> SweepStart(const Model& m, const GenColumn& col) {
  const int nt = m.Nt(), nc = m.Nc();
  std::vector<double> zbar(nc, 0);
  for (const GenFeed& f : col.feeds)
    for (int i = 0; i < nc; ++i) zbar[i] += f.flow * f.z[i] / m.Ftot();
  std::vector<Stage> st(nt);
  const auto& L = m.Lcmo();
  const auto& V = m.Vcmo();
  double t0 = col.comps.front().tb;
  for (int j = 0; j < nt; ++j) {
    for (int i = 0; i < nc; ++i) st[j].x[i] = zbar[i];
    st[j].L = L[j];
    st[j].V = V[j];
    t0 = m.BubbleT(j, st[j], t0);
  }
  std::vector<double> fz(nt), aa(nt), bb(nt), cc(nt), xx(nt);
  std::vector<std::vector<double>> K(nt, std::vector<double>(nc));
  for (int sweep = 0; sweep < kSweeps; ++sweep) {
    for (int j = 0; j < nt; ++j)
      for (int i = 0; i < nc; ++i) K[j][i] = st[j].y[i] / st[j].x[i];
    for (int i = 0; i < nc; ++i) {
      // L(j-1) x(j-1) - (L(j) + D(j) + V(j) K(j)) x(j) + V(j+1) K(j+1) x(j+1) = -F z
      for (int j = 0; j < nt; ++j) {
        double fzj = 0;
        for (const GenFeed& f : col.feeds)
          if (f.stage - 1 == j) fzj += f.flow * f.z[i];
        aa[j] = j ? L[j - 1] : 0;
        bb[j] = -(L[j] + (j == 0 ? col.distillate : 0) + V[j] * K[j][i]);
        cc[j] = j + 1 < nt ? V[j + 1] * K[j + 1][i] : 0;
        fz[j] = -fzj;
      }
      for (int j = 1; j < nt; ++j) {
        const double mlt = aa[j] / bb[j - 1];
        bb[j] -= mlt * cc[j - 1];
        fz[j] -= mlt * fz[j - 1];
      }
      xx[nt - 1] = fz[nt - 1] / bb[nt - 1];
      for (int j = nt - 2; j >= 0; --j) xx[j] = (fz[j] - cc[j] * xx[j + 1]) / bb[j];
      for (int j = 0; j < nt; ++j) st[j].x[i] = std::isfinite(xx[j]) ? std::max(xx[j], 1e-300) : 1e-300;
    }
    double moved = 0;
    for (int j = 0; j < nt; ++j) {
      double s = 0;
      for (int i = 0; i < nc; ++i) s += st[j].x[i];
      for (int i = 0; i < nc; ++i) st[j].x[i] /= s;
      const double old = st[j].T;
      m.BubbleT(j, st[j], old);
      if (!std::isfinite(st[j].T)) st[j].T = old;
      moved = std::max(moved, std::fabs(st[j].T - old));
    }
    if (std::getenv("COLUMN_REF_DEBUG") && sweep % 50 == 0) std::fprintf(stderr, "sweep %d moved %.3e\n", sweep, moved);
    if (moved < kSweepGoal) break;
  }
  return st;
}

void Fill(const Model& m, const std::vector<double>& u, RefProfile& p) {
  const std::vector<Stage> st = States(m, u);
  const int nt = m.Nt(), nc = m.Nc();
  p.T.resize(nt);
  p.L.resize(nt);
  p.V.resize(nt);
  p.x.assign(nt, std::vector<double>(nc));
  p.y.assign(nt, std::vector<double>(nc));
  for (int j = 0; j < nt; ++j) {
    p.T[j] = st[j].T;
    p.L[j] = st[j].L;
    p.V[j] = st[j].V;
    for (int i = 0; i < nc; ++i) p.x[j][i] = st[j].x[i], p.y[j][i] = st[j].y[i];
  }
}

}  // namespace

RefProfile Reference_Solve(const GenColumn& col) {
  RefProfile p;
  Model cmo(col, false);
  for (int j = 0; j < cmo.Nt(); ++j)
    if (!(cmo.Lcmo()[j] > 0) || (j > 0 && !(cmo.Vcmo()[j] > 0))) {
      p.why = "constant molal overflow with a flow at or below zero";
      if (col.hMethod == 0) return p;
      break;
    }
  std::vector<Stage> start = SweepStart(cmo, col);
  std::vector<double> u(cmo.N());
  for (int j = 0; j < cmo.Nt(); ++j) cmo.ToVector(start[j], j, u);
  double big = 0;
  const bool cmoSolved = p.why.empty() && Newton(cmo, u, p.newtonSteps, big);
  if (col.hMethod == 0) {
    p.residual = big;
    p.solved = cmoSolved;
    if (!cmoSolved) p.why = "Newton found no solution";
    Fill(cmo, u, p);
    return p;
  }
  // Heat balance: from the constant-overflow profile (or the sweeps' one when
  // that had a non-positive flow), continued from lambda 0 to 1.
  Model heat(col, true);
  std::vector<double> v(heat.N());
  {
    const std::vector<Stage> st = States(cmo, u);
    for (int j = 0; j < heat.Nt(); ++j) {
      Stage s = st[j];
      s.L = std::max(s.L, 1e-3 * heat.Ftot());
      s.V = std::max(s.V, 1e-3 * heat.Ftot());
      heat.ToVector(s, j, v);
    }
  }
  double lambda = 0, step = 1;
  heat.lambda = 0;
  if (!Newton(heat, v, p.newtonSteps, big)) {
    p.why = "no constant-overflow solution to continue from";
    Fill(heat, v, p);
    return p;
  }
  while (lambda < 1) {
    const double next = std::min(1.0, lambda + step);
    std::vector<double> trial = v;
    heat.lambda = next;
    if (Newton(heat, trial, p.newtonSteps, big)) {
      v.swap(trial);
      lambda = next;
      step = std::min(1.0, step * 2);
    } else {
      step *= 0.5;
      if (step < kMinContinuationStep) break;
    }
  }
  heat.lambda = 1;
  p.solved = lambda >= 1;
  p.residual = big;
  if (!p.solved) p.why = "continuation to the heat balance stopped at " + std::to_string(lambda);
  Fill(heat, v, p);
  return p;
}

double Reference_Residual(const GenColumn& col, const RefProfile& p) {
  Model m(col, col.hMethod == 1);
  const int nt = m.Nt(), nc = m.Nc();
  if (static_cast<int>(p.T.size()) != nt) return std::numeric_limits<double>::infinity();
  std::vector<Stage> st(nt);
  for (int j = 0; j < nt; ++j) {
    st[j].T = p.T[j];
    for (int i = 0; i < nc; ++i) st[j].x[i] = p.x[j][i];
    st[j].V = m.FreeV(j) ? p.V[j] : m.FixedV(j);
    st[j].L = m.FreeL(j) ? p.L[j] : m.FixedL(j);
    m.Equilibrium(j, st[j]);
  }
  std::vector<double> r, w;
  m.Residuals(st, r);
  m.Weights(st, r, w);
  return MaxAbsWeighted(r, w);
}
