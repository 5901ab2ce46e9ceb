#include "continuous/DistNewton.h"

#include <algorithm>
#include <cmath>

#include "core/thermo/Thermo.h"

namespace {

// Largest change per correction: 10 K of a stage temperature, a factor e^3 of
// a mole fraction, half of a flow. Far from the solution the linearisation is
// poor; these keep a step inside the region where the line search can judge it.
constexpr double kMaxStepT = 10.0;
constexpr double kMaxStepLnX = 3.0;
constexpr double kMaxFlowCut = 0.5;
constexpr int kHalvings = 12;

// Dense LU with partial pivoting of an n x n row-major matrix, in place.
bool Factor(double* a, int* piv, int n) {
  for (int k = 0; k < n; ++k) {
    int p = k;
    for (int r = k + 1; r < n; ++r)
      if (std::fabs(a[r * n + k]) > std::fabs(a[p * n + k])) p = r;
    if (!(std::fabs(a[p * n + k]) > 1e-300)) return false;
    piv[k] = p;
    if (p != k)
      for (int c = 0; c < n; ++c) std::swap(a[k * n + c], a[p * n + c]);
    for (int r = k + 1; r < n; ++r) {
      const double m = a[r * n + k] /= a[k * n + k];
      for (int c = k + 1; c < n; ++c) a[r * n + c] -= m * a[k * n + c];
    }
  }
  return true;
}

// Solves LU x = b for `cols` right-hand sides stored as the columns of b (n x cols, row-major).
void Back(const double* a, const int* piv, int n, double* b, int cols) {
  // Factor swapped whole rows, multipliers included: all swaps come first.
  for (int k = 0; k < n; ++k)
    if (piv[k] != k)
      for (int c = 0; c < cols; ++c) std::swap(b[k * cols + c], b[piv[k] * cols + c]);
  for (int k = 0; k < n; ++k) {
    for (int r = k + 1; r < n; ++r)
      for (int c = 0; c < cols; ++c) b[r * cols + c] -= a[r * n + k] * b[k * cols + c];
  }
  for (int k = n - 1; k >= 0; --k)
    for (int c = 0; c < cols; ++c) {
      double s = b[k * cols + c];
      for (int r = k + 1; r < n; ++r) s -= a[k * n + r] * b[r * cols + c];
      b[k * cols + c] = s / a[k * n + k];
    }
}

}  // namespace

bool DistStageNewton::Available() { return Case.K_Method != 4 && Case.K_Method != 5; }

DistStageNewton::DistStageNewton(const DistStageInputs& inputs, bool heat)
    : in_(inputs), heat_(heat), nc_(Case.NC), nt_(Case.NT) {
  const int n = Block();
  z_.assign(static_cast<std::size_t>(nt_) * n, 0);
  zBase_ = dz_ = z_;
  x_.assign(static_cast<std::size_t>(nt_) * nc_, 0);
  y_ = x_;
  hv_.assign(nt_ + 1, 0);
  hl_ = hv_;
  fixedV_ = fixedL_ = hv_;
  const std::size_t blocks = static_cast<std::size_t>(nt_ + 1) * n * n;
  lower_.assign(blocks, 0);
  diag_ = upper_ = lower_;
  rhs_.assign(static_cast<std::size_t>(nt_ + 1) * n, 0);
}

void DistStageNewton::Load() {
  const CaseData& c = Case;
  const int n = Block();
  for (int j = 1; j <= nt_; ++j) {
    double* zj = &z_[(j - 1) * n];
    zj[0] = c.Tray_T[j];
    for (int i = 1; i <= nc_; ++i) zj[i] = std::log(std::max(c.Tray_X[i][j], 1e-300));
    zj[nc_ + 1] = fixedV_[j] = c.Tray_V[j];
    zj[nc_ + 2] = fixedL_[j] = c.Tray_L[j];
  }
  if (!heat_) return;
  // The enthalpy balances are scaled by a heat of vaporisation of the column.
  double sum = 0;
  for (int j = 1; j <= nt_; ++j) {
    double x[kMaxComp + 1]{};
    for (int i = 1; i <= nc_; ++i) x[i] = c.Tray_X[i][j];
    sum += std::fabs(Enthalpy_Vap(c.Tray_T[j], c.Tray_P[j], x) - Enthalpy_Liq(c.Tray_T[j], c.Tray_P[j], x));
  }
  hScale_ = std::max(sum / nt_, 1.0);
}

void DistStageNewton::Properties(int j) {
  CaseData& c = Case;
  const double* zj = &z_[(j - 1) * Block()];
  double x[kMaxComp + 1]{}, xn[kMaxComp + 1]{}, y[kMaxComp + 1]{};
  double s = 0;
  for (int i = 1; i <= nc_; ++i) s += x[i] = std::exp(zj[i]);
  for (int i = 1; i <= nc_; ++i) xn[i] = x[i] / s;
  ActivityCoeff_Select(xn);
  const double t = zj[0];
  const double pmm = c.Tray_P[j] * kMmHgPerMPa;
  double* xs = &x_[(j - 1) * nc_];
  double* ys = &y_[(j - 1) * nc_];
  for (int i = 1; i <= nc_; ++i) {
    // Below the pole of an Antoine equation there is no vapour pressure.
    const double psat = t + c.Antoine_C[i] > 0 || c.Antoine_B[i] == 0 ? Antoine_Psat(i, t) : NAN;
    y[i] = c.Gamma[i] * psat / pmm * x[i];
    xs[i - 1] = x[i];
    ys[i - 1] = y[i];
  }
  if (heat_) {
    hv_[j] = Enthalpy_Vap(t, c.Tray_P[j], y);
    hl_[j] = Enthalpy_Liq(t, c.Tray_P[j], x);
  }
}

void DistStageNewton::Residual(int j, double* r) const {
  const CaseData& c = Case;
  const int n = Block();
  auto V = [&](int s) { return z_[(s - 1) * n + nc_ + 1]; };
  auto L = [&](int s) { return z_[(s - 1) * n + nc_ + 2]; };
  auto X = [&](int s, int i) { return x_[(s - 1) * nc_ + i - 1]; };
  auto Y = [&](int s, int i) { return y_[(s - 1) * nc_ + i - 1]; };
  const double fs = c.Feed_Sum;
  const double sl = in_.sideLiq[j] + (j == 1 ? c.Top_Liq_Prod : 0), sv = in_.sideVap[j];
  const double lAbove = j > 1 ? L(j - 1) : 0, vBelow = j < nt_ ? V(j + 1) : 0;
  double sumY = 0;
  for (int i = 1; i <= nc_; ++i) {
    const double in = in_.zF[i][j] + (j > 1 ? lAbove * X(j - 1, i) : 0) + (j < nt_ ? vBelow * Y(j + 1, i) : 0);
    r[i - 1] = (in - (L(j) + sl) * X(j, i) - (V(j) + sv) * Y(j, i)) / fs;
    sumY += Y(j, i);
  }
  r[nc_] = sumY - 1;
  const double fixV = (V(j) - fixedV_[j]) / fs, fixL = (L(j) - fixedL_[j]) / fs;
  if (!heat_) {
    r[nc_ + 1] = fixV;
    r[nc_ + 2] = fixL;
    return;
  }
  const double total = (in_.feed[j] + lAbove + vBelow - L(j) - V(j) - sl - sv) / fs;
  const double energy = (in_.feedHeat[j] + (j > 1 ? lAbove * hl_[j - 1] : 0) + (j < nt_ ? vBelow * hv_[j + 1] : 0) -
                         (L(j) + sl) * hl_[j] - (V(j) + sv) * hv_[j]) /
                        (fs * hScale_);
  // The top stage keeps its vapour flow (and with a condenser its reflux), the
  // bottom stage its bottoms; the duties go where those balances are left out.
  // The total balance of stage 1 follows from the others and the overall balance.
  if (j == 1) {
    r[nc_ + 1] = fixV;
    r[nc_ + 2] = Case.Reflux_Ratio > 0 ? fixL : energy;
  } else if (j < nt_) {
    r[nc_ + 1] = total;
    r[nc_ + 2] = energy;
  } else {
    r[nc_ + 1] = total;
    r[nc_ + 2] = fixL;
  }
}

double DistStageNewton::Norm() {
  const int n = Block();
  for (int j = 1; j <= nt_; ++j) Properties(j);
  double s = 0;
  for (int j = 1; j <= nt_; ++j) {
    Residual(j, &rhs_[j * n]);
    for (int k = 0; k < n; ++k) s += rhs_[j * n + k] * rhs_[j * n + k];
  }
  return std::isfinite(s) ? s : HUGE_VAL;
}

// Forward differences, stage by stage: a variable of stage j enters only the
// equations of stages j - 1, j and j + 1. Expects Norm() of the current point.
void DistStageNewton::Jacobian() {
  const int n = Block(), nn = n * n;
  std::vector<double> base(rhs_);
  double r[kMaxComp + 3];
  double xs[kMaxComp], ys[kMaxComp];
  for (int j = 1; j <= nt_; ++j) {
    std::copy_n(&x_[(j - 1) * nc_], nc_, xs);
    std::copy_n(&y_[(j - 1) * nc_], nc_, ys);
    const double hv = hv_[j], hl = hl_[j];
    for (int k = 0; k < n; ++k) {
      double& v = z_[(j - 1) * n + k];
      const double keep = v;
      const double h = k == 0 ? 1e-6 * (1 + std::fabs(v)) : k <= nc_ ? 1e-7 : 1e-7 * std::max(1.0, std::fabs(v));
      v += h;
      if (k <= nc_) Properties(j);
      for (int s = std::max(1, j - 1); s <= std::min(nt_, j + 1); ++s) {
        Residual(s, r);
        double* block = s == j ? &diag_[j * nn] : s == j - 1 ? &upper_[s * nn] : &lower_[s * nn];
        for (int row = 0; row < n; ++row) block[row * n + k] = (r[row] - base[s * n + row]) / h;
      }
      v = keep;
      if (k <= nc_) {
        std::copy_n(xs, nc_, &x_[(j - 1) * nc_]);
        std::copy_n(ys, nc_, &y_[(j - 1) * nc_]);
        hv_[j] = hv;
        hl_[j] = hl;
      }
    }
  }
  for (std::size_t k = 0; k < rhs_.size(); ++k) rhs_[k] = -base[k];
}

// Block Thomas algorithm: upper_ ends as M^-1 C, rhs_ as M^-1 r, then dz_.
bool DistStageNewton::Solve() {
  const int n = Block(), nn = n * n;
  int piv[kMaxComp + 3];
  std::vector<double> m(nn);
  for (int j = 1; j <= nt_; ++j) {
    std::copy_n(&diag_[j * nn], nn, m.data());
    double* g = &rhs_[j * n];
    if (j > 1) {
      const double* a = &lower_[j * nn];
      const double* gPrev = &upper_[(j - 1) * nn];
      const double* rPrev = &rhs_[(j - 1) * n];
      for (int r = 0; r < n; ++r)
        for (int k = 0; k < n; ++k) {
          const double ark = a[r * n + k];
          if (ark == 0) continue;
          for (int c = 0; c < n; ++c) m[r * n + c] -= ark * gPrev[k * n + c];
          g[r] -= ark * rPrev[k];
        }
    }
    if (!Factor(m.data(), piv, n)) return false;
    if (j < nt_) Back(m.data(), piv, n, &upper_[j * nn], n);
    Back(m.data(), piv, n, g, 1);
  }
  for (int j = nt_; j >= 1; --j) {
    double* d = &dz_[(j - 1) * n];
    for (int r = 0; r < n; ++r) {
      double s = rhs_[j * n + r];
      if (j < nt_)
        for (int c = 0; c < n; ++c) s -= upper_[j * nn + r * n + c] * dz_[j * n + c];
      d[r] = s;
    }
  }
  for (double v : dz_)
    if (!std::isfinite(v)) return false;
  return true;
}

void DistStageNewton::Store() {
  CaseData& c = Case;
  const int n = Block();
  for (int j = 1; j <= nt_; ++j) {
    const double* zj = &z_[(j - 1) * n];
    c.Tray_T[j] = zj[0];
    for (int i = 1; i <= nc_; ++i) {
      c.Tray_X[i][j] = x_[(j - 1) * nc_ + i - 1];
      c.Tray_Y[i][j] = y_[(j - 1) * nc_ + i - 1];
    }
    c.Tray_V[j] = zj[nc_ + 1];
    c.Tray_L[j] = zj[nc_ + 2];
    if (heat_) {
      c.Dist_Tray_HV[j] = hv_[j];
      c.Dist_Tray_HL[j] = hl_[j];
    }
  }
}

DistNewtonStep DistStageNewton::Step() {
  DistNewtonStep step;
  Load();
  const double n0 = Norm();
  step.norm = std::sqrt(n0);
  if (!std::isfinite(n0)) return step;
  Jacobian();
  if (!Solve()) return step;
  const int n = Block();
  double alpha = 1;
  for (int j = 1; j <= nt_; ++j) {
    double* d = &dz_[(j - 1) * n];
    const double* zj = &z_[(j - 1) * n];
    step.maxDeltaT = std::max(step.maxDeltaT, std::fabs(d[0]));
    if (std::fabs(d[0]) > kMaxStepT) alpha = std::min(alpha, kMaxStepT / std::fabs(d[0]));
    // A trace component may be far off in ln x without weighing on the others.
    for (int i = 1; i <= nc_; ++i) d[i] = std::clamp(d[i], -kMaxStepLnX, kMaxStepLnX);
    for (int k = nc_ + 1; k <= nc_ + 2; ++k)
      if (d[k] < 0 && zj[k] > 0) alpha = std::min(alpha, kMaxFlowCut * zj[k] / -d[k]);
  }
  zBase_ = z_;
  for (int h = 0; h <= kHalvings; ++h, alpha *= 0.5) {
    for (std::size_t k = 0; k < z_.size(); ++k) z_[k] = zBase_[k] + alpha * dz_[k];
    const double n1 = Norm();
    if (n1 < n0 * (1 - 1e-4 * alpha)) {
      Store();
      step.taken = true;
      step.norm = std::sqrt(n1);
      step.fraction = alpha;
      return step;
    }
  }
  z_ = zBase_;
  return step;
}
