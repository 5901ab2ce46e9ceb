#include "continuous/DistNewton.h"

#include <algorithm>
#include <cmath>

#include "core/thermo/Thermo.h"

namespace {

// Largest change per correction: 10 K of a stage temperature, a factor e^3 of
// a mole fraction, half of a flow. Far from the solution the linearisation is
// poor; these keep a step inside the region where the line search can judge it.
constexpr double kMaxStepT = 5.0;
constexpr double kMaxStepLnX = 3.0;
constexpr double kMaxFall = 27.6;  // ln 1e12: the largest fall of a mole fraction in one step
constexpr double kMaxFlowCut = 0.5;
// A component balance is measured against the component's own flow, but never
// against less than this share of the feed (below it the flow is lost in rounding).
constexpr double kFlowFloor = 1e-280;

// The block kernels take the block size N as a template argument for the
// small blocks of the common columns (1 to 8 components), whose loops the
// compiler then lays out in full; N = 0 reads the size from `nRun`.
template <int N>
constexpr int Size(int nRun) {
  return N > 0 ? N : nRun;
}

// Dense LU with partial pivoting of an n x n row-major matrix, in place; the
// diagonal ends holding the reciprocals of the pivots.
template <int N>
bool LuFactor(double* a, int* piv, int nRun) {
  const int n = Size<N>(nRun);
  for (int k = 0; k < n; ++k) {
    int p = k;
    for (int r = k + 1; r < n; ++r)
      if (std::fabs(a[r * n + k]) > std::fabs(a[p * n + k])) p = r;
    if (!(std::fabs(a[p * n + k]) > 1e-300)) return false;
    piv[k] = p;
    if (p != k)
#pragma GCC unroll 16
      for (int c = 0; c < n; ++c) std::swap(a[k * n + c], a[p * n + c]);
    const double inv = 1.0 / a[k * n + k];
    for (int r = k + 1; r < n; ++r) {
      double& m = a[r * n + k];
      m *= inv;
#pragma GCC unroll 16
      for (int c = k + 1; c < n; ++c) a[r * n + c] -= m * a[k * n + c];
    }
    // The solves only ever divide by the pivot: keep its reciprocal in its place.
    a[k * n + k] = inv;
  }
  return true;
}

// Solves LU x = b for `cols` right-hand sides stored as the columns of b (n x cols, row-major).
template <int N, int Cols>
void LuSolve(const double* a, const int* piv, int nRun, double* b, int colsRun) {
  const int n = Size<N>(nRun), cols = Size<Cols>(colsRun);
  // Factor swapped whole rows, multipliers included: all swaps come first.
  for (int k = 0; k < n; ++k)
    if (piv[k] != k)
#pragma GCC unroll 16
      for (int c = 0; c < cols; ++c) std::swap(b[k * cols + c], b[piv[k] * cols + c]);
  for (int k = 0; k < n; ++k) {
    const double* bk = b + k * cols;
    for (int r = k + 1; r < n; ++r) {
      const double m = a[r * n + k];
      double* br = b + r * cols;
#pragma GCC unroll 16
      for (int c = 0; c < cols; ++c) br[c] -= m * bk[c];
    }
  }
  // Row by row, so that the inner loops run along the right-hand sides.
  for (int k = n - 1; k >= 0; --k) {
    double* bk = b + k * cols;
    for (int r = k + 1; r < n; ++r) {
      const double m = a[k * n + r];
      const double* br = b + r * cols;
#pragma GCC unroll 16
      for (int c = 0; c < cols; ++c) bk[c] -= m * br[c];
    }
    const double inv = a[k * n + k];  // the pivot's reciprocal (LuFactor)
#pragma GCC unroll 16
    for (int c = 0; c < cols; ++c) bk[c] *= inv;
  }
}

// M -= A G of two n x n blocks; A is sparse (most of its entries are zero).
template <int N>
void SubtractProduct(double* m, const double* a, const double* g, int n) {
  for (int r = 0; r < n; ++r)
    for (int k = 0; k < n; ++k) {
      const double ark = a[r * n + k];
      if (ark == 0) continue;
#pragma GCC unroll 16
      for (int c = 0; c < n; ++c) m[r * n + c] -= ark * g[k * n + c];
    }
}

// Block Thomas factorisation over stages 1..nt (blocks n x n at index j):
// diag ends as the LU of M_j = B_j - A_j G_(j-1), upper as G_j = M_j^-1 C_j;
// lower stays A_j. A block size known at compile time works on copies in
// local arrays, whose loops the compiler lays out in full.
template <int N>
bool BlockFactor(int nRun, int nt, const double* lower, double* diag, double* upper, int* piv) {
  const int n = Size<N>(nRun), nn = n * n;
  if constexpr (N > 0) {
    double m[N * N], g[N * N], gPrev[N * N];
    for (int j = 1; j <= nt; ++j) {
      std::copy_n(diag + j * nn, N * N, m);
      if (j > 1) SubtractProduct<N>(m, lower + j * nn, gPrev, N);
      if (!LuFactor<N>(m, piv + j * N, N)) return false;
      std::copy_n(m, N * N, diag + j * nn);
      if (j < nt) {
        std::copy_n(upper + j * nn, N * N, g);
        LuSolve<N, N>(m, piv + j * N, N, g, N);
        std::copy_n(g, N * N, upper + j * nn);
        std::copy_n(g, N * N, gPrev);
      }
    }
    return true;
  }
  for (int j = 1; j <= nt; ++j) {
    double* m = diag + j * nn;
    if (j > 1) SubtractProduct<N>(m, lower + j * nn, upper + (j - 1) * nn, n);
    if (!LuFactor<N>(m, piv + j * n, n)) return false;
    if (j < nt) LuSolve<N, N>(m, piv + j * n, n, upper + j * nn, n);
  }
  return true;
}

// dz = -J^-1 rhs with the factorisation of BlockFactor; g holds the
// right-hand sides on their way (indexed like rhs, from stage 1), dz from stage 0.
template <int N>
void BlockSolve(int nRun, int nt, const double* lower, const double* diag, const double* upper, const int* piv,
                const double* rhs, double* g, double* dz) {
  const int n = Size<N>(nRun), nn = n * n;
  for (int j = 1; j <= nt; ++j) {
    double* gj = g + j * n;
    for (int r = 0; r < n; ++r) gj[r] = -rhs[j * n + r];
    if (j > 1) {
      const double* a = lower + j * nn;
      const double* gPrev = g + (j - 1) * n;
      for (int r = 0; r < n; ++r) {
        double s = 0;
        for (int k = 0; k < n; ++k) s += a[r * n + k] * gPrev[k];
        gj[r] -= s;
      }
    }
    LuSolve<N, 1>(diag + j * nn, piv + j * n, n, gj, 1);
  }
  for (int j = nt; j >= 1; --j) {
    double* d = dz + (j - 1) * n;
    const double* gj = g + j * n;
    if (j == nt) {
      for (int r = 0; r < n; ++r) d[r] = gj[r];
      continue;
    }
    const double* u = upper + j * nn;
    const double* next = dz + j * n;
    for (int r = 0; r < n; ++r) {
      double s = gj[r];
      for (int c = 0; c < n; ++c) s -= u[r * n + c] * next[c];
      d[r] = s;
    }
  }
}

}  // namespace

bool DistStageNewton::Available() { return Case.K_Method != 4 && Case.K_Method != 5; }

DistStageNewton::DistStageNewton(const DistStageInputs& inputs, bool heat)
    : in_(inputs), heat_(heat), nc_(Case.NC), nt_(Case.NT) {
  const int n = Block();
  const std::size_t stages = static_cast<std::size_t>(nt_);
  z_.assign(stages * n, 0);
  zBase_ = dz_ = z_;
  x_.assign(stages * nc_, 0);
  y_ = weight_ = dydT_ = dhvdz_ = dhldz_ = x_;
  dydz_.assign(stages * nc_ * nc_, 0);
  hv_.assign(nt_ + 1, 0);
  hl_ = dhvdT_ = dhldT_ = fixedV_ = fixedL_ = hv_;
  const std::size_t blocks = static_cast<std::size_t>(nt_ + 1) * n * n;
  lower_.assign(blocks, 0);
  diag_ = upper_ = lower_;
  rhs_.assign(static_cast<std::size_t>(nt_ + 1) * n, 0);
  piv_.assign(static_cast<std::size_t>(nt_ + 1) * n, 0);
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
  if (!heat_ || haveFactor_) return;
  // The enthalpy balances are scaled by a heat of vaporisation of the column.
  double sum = 0;
  for (int j = 1; j <= nt_; ++j) {
    double x[kMaxComp + 1];  // 1..NC, all that the enthalpies read
    for (int i = 1; i <= nc_; ++i) x[i] = c.Tray_X[i][j];
    sum += std::fabs(Enthalpy_Vap(c.Tray_T[j], c.Tray_P[j], x) - Enthalpy_Liq(c.Tray_T[j], c.Tray_P[j], x));
  }
  hScale_ = std::max(sum / nt_, 1.0);
}

// x = exp(ln x), y = Gamma(x / sum x) Psat(T) / P x and the enthalpies of stage
// j; with `derivatives` also their derivatives along T and every ln x(k).
void DistStageNewton::Properties(int j, bool derivatives) {
  CaseData& c = Case;
  const double* zj = &z_[(j - 1) * Block()];
  // Components 1..NC only, all that the thermodynamic routines read (clearing
  // the whole arrays cost a third of this routine).
  double x[kMaxComp + 1], xn[kMaxComp + 1], y[kMaxComp + 1];
  double g[kMaxComp * kMaxComp];
  double s = 0;
  for (int i = 1; i <= nc_; ++i) s += x[i] = std::exp(zj[i]);
  for (int i = 1; i <= nc_; ++i) xn[i] = x[i] / s;
  const bool gammaVaries = derivatives && ActivityCoeff_LnGamma_Jacobian(xn, g);
  if (!derivatives) ActivityCoeff_Select(xn);
  const double t = zj[0];
  const double pmm = c.Tray_P[j] * kMmHgPerMPa;
  const std::size_t base = static_cast<std::size_t>(j - 1) * nc_;
  double* xs = &x_[base];
  double* ys = &y_[base];
  for (int i = 1; i <= nc_; ++i) {
    // Below the pole of an Antoine equation there is no vapour pressure.
    const double psat = t + c.Antoine_C[i] > 0 || c.Antoine_B[i] == 0 ? Antoine_Psat(i, t) : NAN;
    y[i] = c.Gamma[i] * psat / pmm * x[i];
    xs[i - 1] = x[i];
    ys[i - 1] = y[i];
  }
  if (derivatives) {
    double* dT = &dydT_[base];
    double* dz = &dydz_[base * nc_];
    for (int i = 1; i <= nc_; ++i) {
      dT[i - 1] = y[i] * Antoine_dLnPsat_dT(i, t);
      // d ln y(i) / d ln x(k) = delta(i, k) + xn(k) (G(i, k) - sum_m G(i, m) xn(m)),
      // G = d ln Gamma / d x taken through the normalisation xn = x / sum x.
      double* row = dz + (i - 1) * nc_;
      double mean = 0;
      if (gammaVaries)
        for (int m = 1; m <= nc_; ++m) mean += g[(i - 1) * nc_ + m - 1] * xn[m];
      for (int k = 1; k <= nc_; ++k) {
        const double d = gammaVaries ? xn[k] * (g[(i - 1) * nc_ + k - 1] - mean) : 0.0;
        row[k - 1] = y[i] * ((i == k ? 1.0 : 0.0) + d);
      }
    }
  }
  if (!heat_) return;
  if (!derivatives) {
    hv_[j] = Enthalpy_Vap(t, c.Tray_P[j], y);
    hl_[j] = Enthalpy_Liq(t, c.Tray_P[j], x);
    return;
  }
  double dHdy[kMaxComp + 1], dHdx[kMaxComp + 1], hvT, hlT;
  hv_[j] = Enthalpy_Vap_Deriv(t, y, hvT, dHdy);
  hl_[j] = Enthalpy_Liq_Deriv(t, x, hlT, dHdx);
  const double* dT = &dydT_[base];
  const double* dz = &dydz_[base * nc_];
  for (int m = 1; m <= nc_; ++m) hvT += dHdy[m] * dT[m - 1];
  dhvdT_[j] = hvT;
  dhldT_[j] = hlT;
  for (int k = 1; k <= nc_; ++k) {
    double v = 0;
    for (int m = 1; m <= nc_; ++m) v += dHdy[m] * dz[(m - 1) * nc_ + k - 1];
    dhvdz_[base + k - 1] = v;
    dhldz_[base + k - 1] = dHdx[k] * x[k];
  }
}

// Each component balance is divided by the component's own flow out of its
// stage: a trace at 1e-12 is then held as tightly as a key component. Far from
// the solution, though, a trace's relative error says little and would rule
// the line search, so no flow is taken as smaller than the present largest
// balance error per unit feed: the weights become relative as the column
// converges. A component that no feed carries has no flow of its own; it is
// measured per unit of total feed.
void DistStageNewton::SetWeights() {
  const CaseData& c = Case;
  const int n = Block();
  const double fs = c.Feed_Sum;
  // The residuals of rhs_, as Evaluate has just laid them.
  double error = 0;
  for (int j = 1; j <= nt_; ++j)
    for (int i = 0; i < nc_; ++i) error = std::max(error, std::fabs(rhs_[j * n + i]));
  const double floor = std::clamp(std::isfinite(error) ? error : 1.0, kFlowFloor, 1.0) * fs;
  for (int i = 1; i <= nc_; ++i) {
    double fed = 0;
    for (int j = 1; j <= nt_; ++j) fed += in_.zF[i][j];
    for (int j = 1; j <= nt_; ++j) {
      const double* zj = &z_[(j - 1) * n];
      const double sl = in_.sideLiq[j] + (j == 1 ? c.Top_Liq_Prod : 0), sv = in_.sideVap[j];
      const std::size_t k = static_cast<std::size_t>(j - 1) * nc_ + i - 1;
      const double own = (zj[nc_ + 2] + sl) * x_[k] + (zj[nc_ + 1] + sv) * y_[k];
      const double scale = fed > 0 ? std::max(own, floor) : fs;
      weight_[k] = std::isfinite(scale) && scale > 0 ? fs / scale : 1.0;
    }
  }
}

void DistStageNewton::StageResidual(int j, double* r) const {
  const CaseData& c = Case;
  const int n = Block();
  auto V = [&](int s) { return z_[(s - 1) * n + nc_ + 1]; };
  auto L = [&](int s) { return z_[(s - 1) * n + nc_ + 2]; };
  auto X = [&](int s, int i) { return x_[(s - 1) * nc_ + i - 1]; };
  auto Y = [&](int s, int i) { return y_[(s - 1) * nc_ + i - 1]; };
  const double fs = c.Feed_Sum;
  const double sl = in_.sideLiq[j] + (j == 1 ? c.Top_Liq_Prod : 0), sv = in_.sideVap[j];
  const double lAbove = j > 1 ? L(j - 1) : 0, vBelow = j < nt_ ? V(j + 1) : 0;
  double sum = 0;
  for (int i = 1; i <= nc_; ++i) {
    const double in = in_.zF[i][j] + (j > 1 ? lAbove * X(j - 1, i) : 0) + (j < nt_ ? vBelow * Y(j + 1, i) : 0);
    r[i - 1] = (in - (L(j) + sl) * X(j, i) - (V(j) + sv) * Y(j, i)) / fs;
    sum += DewTop(j) ? X(j, i) : Y(j, i);
  }
  r[nc_] = sum - 1;
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

// Properties and residuals of every stage into rhs_ (component balances per
// unit feed: the linear systems are solved in that scale, whose rows are of
// like size); the squared norm of the scaled residuals.
double DistStageNewton::Evaluate(bool derivatives) {
  const int n = Block();
  for (int j = 1; j <= nt_; ++j) Properties(j, derivatives);
  for (int j = 1; j <= nt_; ++j) StageResidual(j, &rhs_[j * n]);
  if (derivatives && !weightsFrozen_) SetWeights();
  double s = 0;
  for (int j = 1; j <= nt_; ++j)
    for (int k = 0; k < n; ++k) {
      const double v = Scaled(j, k);
      s += v * v;
    }
  stored_ = false;
  return lastNorm_ = std::isfinite(s) ? s : HUGE_VAL;
}

double DistStageNewton::MaxResidual() const {
  const int n = Block();
  double m = 0;
  for (int j = 1; j <= nt_; ++j)
    for (int k = 0; k < n; ++k) m = std::max(m, std::fabs(Scaled(j, k)));
  return std::isfinite(m) ? m : HUGE_VAL;
}

// The exact Jacobian, block rows stage by stage: the equations of stage j hold
// the variables of stages j - 1 (lower_), j (diag_) and j + 1 (upper_).
// Expects Evaluate(true) at the current point.
void DistStageNewton::Jacobian() {
  const CaseData& c = Case;
  const int n = Block(), nn = n * n, nc = nc_;
  const int cT = 0, cV = nc + 1, cL = nc + 2;
  const double fs = c.Feed_Sum;
  const double q = 1.0 / (fs * hScale_);
  // Factor leaves lower_ as it is, and every Jacobian writes the same entries
  // of it. Of the blocks Factor overwrote, only the entries below are not
  // written again: the closing row and the two flow rows, and the reflux
  // column of the component rows above the diagonal (clearing whole blocks
  // cost a small column more than the entries themselves).
  for (int j = 1; j <= nt_; ++j) {
    double* B = &diag_[j * nn];
    double* C = &upper_[j * nn];
    std::fill(B + nc * n, B + nn, 0.0);
    std::fill(C + nc * n, C + nn, 0.0);
    for (int i = 0; i < nc; ++i) C[i * n + cL] = 0;
  }
  auto zV = [&](int s) { return z_[(s - 1) * n + cV]; };
  auto zL = [&](int s) { return z_[(s - 1) * n + cL]; };
  for (int j = 1; j <= nt_; ++j) {
    double* A = &lower_[j * nn];
    double* B = &diag_[j * nn];
    double* C = &upper_[j * nn];
    const std::size_t own = static_cast<std::size_t>(j - 1) * nc;
    const double sl = in_.sideLiq[j] + (j == 1 ? c.Top_Liq_Prod : 0), sv = in_.sideVap[j];
    const double Lo = zL(j) + sl, Vo = zV(j) + sv;
    const double w = 1.0 / fs;  // the component rows per unit feed
    for (int i = 0; i < nc; ++i) {
      double* rowB = B + i * n;
      rowB[cT] = -w * Vo * dydT_[own + i];
      for (int k = 0; k < nc; ++k) rowB[1 + k] = -w * Vo * dydz_[(own + i) * nc + k];
      rowB[1 + i] -= w * Lo * x_[own + i];
      rowB[cV] = -w * y_[own + i];
      rowB[cL] = -w * x_[own + i];
      if (j > 1) {
        const std::size_t up = own - nc;
        A[i * n + 1 + i] = w * zL(j - 1) * x_[up + i];
        A[i * n + cL] = w * x_[up + i];
      }
      if (j < nt_) {
        const std::size_t dn = own + nc;
        double* rowC = C + i * n;
        const double vb = zV(j + 1);
        rowC[cT] = w * vb * dydT_[dn + i];
        for (int k = 0; k < nc; ++k) rowC[1 + k] = w * vb * dydz_[(dn + i) * nc + k];
        rowC[cV] = w * y_[dn + i];
      }
    }
    // sum y - 1, or sum x - 1 on a dew-point top stage
    double* rowS = B + nc * n;
    for (int i = 0; i < nc; ++i) {
      if (DewTop(j)) {
        rowS[1 + i] = x_[own + i];
        continue;
      }
      rowS[cT] += dydT_[own + i];
      for (int k = 0; k < nc; ++k) rowS[1 + k] += dydz_[(own + i) * nc + k];
    }
    auto fix = [&](int row, int col) { B[row * n + col] = 1.0 / fs; };
    auto total = [&](int row) {
      B[row * n + cV] = B[row * n + cL] = -1.0 / fs;
      if (j > 1) A[row * n + cL] = 1.0 / fs;
      if (j < nt_) C[row * n + cV] = 1.0 / fs;
    };
    auto energy = [&](int row) {
      double* rb = B + row * n;
      rb[cT] = -q * (Lo * dhldT_[j] + Vo * dhvdT_[j]);
      for (int k = 0; k < nc; ++k) rb[1 + k] = -q * (Lo * dhldz_[own + k] + Vo * dhvdz_[own + k]);
      rb[cV] = -q * hv_[j];
      rb[cL] = -q * hl_[j];
      if (j > 1) {
        double* ra = A + row * n;
        const double la = zL(j - 1);
        ra[cT] = q * la * dhldT_[j - 1];
        for (int k = 0; k < nc; ++k) ra[1 + k] = q * la * dhldz_[own - nc + k];
        ra[cL] = q * hl_[j - 1];
      }
      if (j < nt_) {
        double* rc = C + row * n;
        const double vb = zV(j + 1);
        rc[cT] = q * vb * dhvdT_[j + 1];
        for (int k = 0; k < nc; ++k) rc[1 + k] = q * vb * dhvdz_[own + nc + k];
        rc[cV] = q * hv_[j + 1];
      }
    };
    if (!heat_) {
      fix(nc + 1, cV);
      fix(nc + 2, cL);
    } else if (j == 1) {
      fix(nc + 1, cV);
      if (c.Reflux_Ratio > 0) fix(nc + 2, cL); else energy(nc + 2);
    } else if (j < nt_) {
      total(nc + 1);
      energy(nc + 2);
    } else {
      total(nc + 1);
      fix(nc + 2, cL);
    }
  }
}

bool DistStageNewton::Factor() {
  const int n = Block();
  double *lo = lower_.data(), *di = diag_.data(), *up = upper_.data();
  int* pv = piv_.data();
  switch (n) {
    case 4: return BlockFactor<4>(n, nt_, lo, di, up, pv);
    case 5: return BlockFactor<5>(n, nt_, lo, di, up, pv);
    case 6: return BlockFactor<6>(n, nt_, lo, di, up, pv);
    case 7: return BlockFactor<7>(n, nt_, lo, di, up, pv);
    case 8: return BlockFactor<8>(n, nt_, lo, di, up, pv);
    case 9: return BlockFactor<9>(n, nt_, lo, di, up, pv);
    case 10: return BlockFactor<10>(n, nt_, lo, di, up, pv);
    case 11: return BlockFactor<11>(n, nt_, lo, di, up, pv);
    default: return BlockFactor<0>(n, nt_, lo, di, up, pv);
  }
}

// dz_ = -J^-1 rhs_ with the factorisation held.
void DistStageNewton::SolveFactored() {
  const int n = Block();
  solveWork_.resize(rhs_.size());
  const double *lo = lower_.data(), *di = diag_.data(), *up = upper_.data(), *r = rhs_.data();
  const int* pv = piv_.data();
  double *g = solveWork_.data(), *d = dz_.data();
  switch (n) {
    case 4: return BlockSolve<4>(n, nt_, lo, di, up, pv, r, g, d);
    case 5: return BlockSolve<5>(n, nt_, lo, di, up, pv, r, g, d);
    case 6: return BlockSolve<6>(n, nt_, lo, di, up, pv, r, g, d);
    case 7: return BlockSolve<7>(n, nt_, lo, di, up, pv, r, g, d);
    case 8: return BlockSolve<8>(n, nt_, lo, di, up, pv, r, g, d);
    case 9: return BlockSolve<9>(n, nt_, lo, di, up, pv, r, g, d);
    case 10: return BlockSolve<10>(n, nt_, lo, di, up, pv, r, g, d);
    case 11: return BlockSolve<11>(n, nt_, lo, di, up, pv, r, g, d);
    default: return BlockSolve<0>(n, nt_, lo, di, up, pv, r, g, d);
  }
}

// The share of dz_ that keeps every temperature change within kMaxStepT and
// every flow above half its value.
double DistStageNewton::LimitStep() const {
  const int n = Block();
  double alpha = 1;
  for (int j = 1; j <= nt_; ++j) {
    const double* d = &dz_[(j - 1) * n];
    const double* zj = &z_[(j - 1) * n];
    if (std::fabs(d[0]) > kMaxStepT) alpha = std::min(alpha, kMaxStepT / std::fabs(d[0]));
    for (int k = nc_ + 1; k <= nc_ + 2; ++k)
      if (d[k] < 0 && zj[k] > 0) alpha = std::min(alpha, kMaxFlowCut * zj[k] / -d[k]);
  }
  return alpha;
}

void DistStageNewton::Store() {
  CaseData& c = Case;
  const int n = Block();
  stored_ = true;
  storedNorm_ = lastNorm_;
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

bool DistStageNewton::StoredStateStands() const {
  if (!stored_) return false;
  const CaseData& c = Case;
  const int n = Block();
  for (int j = 1; j <= nt_; ++j) {
    const double* zj = &z_[(j - 1) * n];
    if (c.Tray_T[j] != zj[0] || c.Tray_V[j] != zj[nc_ + 1] || c.Tray_L[j] != zj[nc_ + 2]) return false;
    for (int i = 1; i <= nc_; ++i) {
      const std::size_t k = static_cast<std::size_t>(j - 1) * nc_ + i - 1;
      if (c.Tray_X[i][j] != x_[k] || c.Tray_Y[i][j] != y_[k]) return false;
    }
    if (heat_ && (c.Dist_Tray_HV[j] != hv_[j] || c.Dist_Tray_HL[j] != hl_[j])) return false;
  }
  return true;
}

double DistStageNewton::Residual() {
  Load();
  Evaluate(true);
  return MaxResidual();
}

DistNewtonStep DistStageNewton::Step(const DistNewtonLimits& lim) {
  DistNewtonStep step;
  const int n = Block();
  // Between two corrections nothing else moves the stage arrays, as a rule:
  // the chord step then goes on from the state the last one stored, as it
  // holds it (ln x itself, not the logarithm of its stored exponential), and
  // from the evaluation it already made there.
  const bool kept = haveFactor_ && StoredStateStands();
  if (!kept) Load();
  zBase_ = z_;
  if (haveFactor_) {
    // A chord step with the factorisation of an earlier correction.
    const double n0 = kept ? storedNorm_ : Evaluate(false);
    step.before = step.after = MaxResidual();
    if (std::isfinite(n0)) {
      SolveFactored();
      if (LimitStep() == 1) {
        // A trace far off in ln x is held to kMaxStepLnX without holding back the others.
        for (int j = 1; j <= nt_; ++j)
          for (int i = 1; i <= nc_; ++i) {
            double& d = dz_[(j - 1) * n + i];
            d = std::clamp(d, -kMaxStepLnX, kMaxStepLnX);
          }
        Advance(1, false);
        const double n1 = Evaluate(false);
        if (n1 < lim.reuseGain * n0) {
          Store();
          step.taken = step.reused = true;
          step.after = MaxResidual();
          step.fraction = 1;
          step.maxDeltaT = MaxDeltaT(1);
          return step;
        }
      }
    }
    haveFactor_ = false;
    Load();  // the column's heat scale afresh
    zBase_ = z_;
  }
  // A fresh, exact Jacobian at the stage arrays.
  const double n0 = Evaluate(true);
  step.before = step.after = MaxResidual();
  if (!std::isfinite(n0)) return step;
  Jacobian();
  if (!Factor()) return step;
  haveFactor_ = true;
  SolveFactored();
  // First along the straight line in x, then, should that find no lower
  // residuals, along ln x.
  if (LineSearch(n0, step, true, lim) || LineSearch(n0, step, false, lim)) {
    if (step.fraction >= lim.sliverFraction || step.after < lim.sliverFall * step.before) return step;
  }
  // A Jacobian this close to singular (a pinched section, whose composition
  // front may shift along the column at almost no cost) sends the step far
  // along its null direction, and only a sliver of it lowers the residuals.
  // Stronger diagonals shorten that direction, as a step of pseudo-time
  // would; the first that lowers the residuals more than the sliver is taken.
  const DistNewtonStep sliver = step;
  const std::vector<double> zSliver = z_;
  const double nSliver = step.taken ? Evaluate(false) : n0;
  for (const double lambda : lim.boosts) {
    z_ = zBase_;
    Evaluate(true);
    Jacobian();
    const int nn = n * n;
    for (int j = 1; j <= nt_; ++j)
      for (int k = 0; k < n; ++k) diag_[j * nn + k * n + k] *= 1 + lambda;
    if (!Factor()) break;
    SolveFactored();
    DistNewtonStep trial = sliver;
    if (LineSearch(nSliver, trial, true, lim)) {
      haveFactor_ = false;
      step = trial;
      return step;
    }
  }
  haveFactor_ = false;
  z_ = sliver.taken ? zSliver : zBase_;
  if (sliver.taken) {
    Evaluate(false);
    Store();
  }
  step = sliver;
  return step;
}

// Pseudo-time steps from the stage arrays: each component balance gains a
// hold-up term, its own flow through the stage over theta, so that a step
// solves (J + D / theta) dz = -r, D the diagonal of those flows. A short theta
// moves every stage's compositions by a small share of their own size whatever
// the other stages ask; a long one is the Newton step. Each stage's temperature
// change is held to kMaxStepT and each ln x change to kMaxStepLnX on its own,
// so that one stage far off does not shorten the step of all the others; only
// a flow that would fall below half its value still shortens the whole step.
// The residual weights stay those of the last linearisation that laid them
// (they follow the errors otherwise, and the steps could cycle between two
// weighings). Which theta, and whether to re-weigh, is the caller's.
bool DistStageNewton::LinearisePseudoTime(bool reweigh, DistNewtonStep& step) {
  step = DistNewtonStep{};
  step.pseudoTime = true;
  const CaseData& c = Case;
  const int n = Block();
  if (!StoredStateStands()) Load();
  zBase_ = z_;
  haveFactor_ = false;
  pseudoTries_ = 0;
  const double fs = c.Feed_Sum;
  weightsFrozen_ = !reweigh;
  baseNorm_ = Evaluate(true);
  weightsFrozen_ = false;
  step.before = step.after = MaxResidual();
  if (!std::isfinite(baseNorm_)) return false;
  Jacobian();
  // A shorter theta changes only the hold-up terms: the Jacobian, the
  // residuals and the stages' own flows of the first try serve every try.
  const std::size_t stages = static_cast<std::size_t>(nt_);
  savedDiag_.assign(diag_.begin(), diag_.end());
  savedUpper_.assign(upper_.begin(), upper_.end());
  savedRhs_.assign(rhs_.begin(), rhs_.end());
  ownFlow_.resize(stages * nc_);
  for (int j = 1; j <= nt_; ++j) {
    const double* zj = &z_[(j - 1) * n];
    const double sl = in_.sideLiq[j] + (j == 1 ? c.Top_Liq_Prod : 0), sv = in_.sideVap[j];
    for (int i = 0; i < nc_; ++i) {
      const std::size_t k = static_cast<std::size_t>(j - 1) * nc_ + i;
      ownFlow_[k] = ((zj[nc_ + 2] + sl) * x_[k] + (zj[nc_ + 1] + sv) * y_[k]) / fs;
    }
  }
  return true;
}

double DistStageNewton::TryPseudoTime(double theta) {
  const int n = Block(), nn = n * n;
  if (pseudoTries_++ > 0) {
    std::copy(savedDiag_.begin(), savedDiag_.end(), diag_.begin());
    std::copy(savedUpper_.begin(), savedUpper_.end(), upper_.begin());
    std::copy(savedRhs_.begin(), savedRhs_.end(), rhs_.begin());
  }
  z_ = zBase_;
  for (int j = 1; j <= nt_; ++j)
    for (int i = 0; i < nc_; ++i)
      diag_[j * nn + i * n + 1 + i] -= ownFlow_[static_cast<std::size_t>(j - 1) * nc_ + i] / theta;
  if (!Factor()) return HUGE_VAL;
  SolveFactored();
  for (int j = 1; j <= nt_; ++j) {
    double* d = &dz_[(j - 1) * n];
    for (int i = 1; i <= nc_; ++i) d[i] = std::clamp(d[i], -kMaxStepLnX, kMaxStepLnX);
    d[0] = std::clamp(d[0], -kMaxStepT, kMaxStepT);
  }
  trialFraction_ = LimitStep();
  Advance(trialFraction_, false);
  return Evaluate(false);
}

void DistStageNewton::AcceptPseudoTime(DistNewtonStep& step) {
  Store();
  step.taken = true;
  step.after = MaxResidual();
  step.fraction = trialFraction_;
  step.maxDeltaT = MaxDeltaT(trialFraction_);
}

void DistStageNewton::RejectPseudoTime() { z_ = zBase_; }

// Tries dz_ with halvings; true when a step lowered the squared norm n0 and
// was stored. `linear`: the mole fractions move along the straight line
// x (1 + alpha d ln x), as in a Newton method in x itself. The balances are
// linear in x, so a trace whose fraction must fall by orders of magnitude
// gets there in one step (along ln x it would fall by a factor e per step),
// and one far too small is raised in proportion, not exponentially. A fall
// through zero is taken as a fall by kMaxFall. Otherwise along ln x, the whole
// step shortened to the largest ln x change kMaxStepLnX.
void DistStageNewton::Advance(double alpha, bool linear) {
  const int n = Block();
  for (int j = 1; j <= nt_; ++j)
    for (int k = 0; k < n; ++k) {
      const std::size_t q = static_cast<std::size_t>(j - 1) * n + k;
      const double d = alpha * dz_[q];
      const bool lnx = k >= 1 && k <= nc_;
      z_[q] = zBase_[q] + (!lnx || !linear ? d : std::max(std::log1p(std::max(d, -1 + 1e-300)), -kMaxFall));
    }
}

double DistStageNewton::MaxDeltaT(double alpha) const {
  double m = 0;
  for (int j = 1; j <= nt_; ++j) m = std::max(m, std::fabs(alpha * dz_[(j - 1) * Block()]));
  return m;
}

bool DistStageNewton::LineSearch(double n0, DistNewtonStep& step, bool linear, const DistNewtonLimits& lim) {
  const int n = Block();
  double alpha = LimitStep();
  double big = 0;
  for (int j = 1; j <= nt_; ++j)
    for (int i = 1; i <= nc_; ++i) {
      big = std::max(big, std::fabs(dz_[(j - 1) * n + i]));
    }
  if (!linear) {
    if (!(big > kMaxStepLnX)) return false;  // the same path as the linear one, near enough
    alpha = std::min(alpha, kMaxStepLnX / big);
  }
  for (int h = 0; h <= lim.halvings; ++h, alpha *= 0.5) {
    Advance(alpha, linear);
    const double n1 = Evaluate(false);
    if (n1 < n0 * (1 - lim.armijo * alpha)) {
      Store();
      step.taken = true;
      step.after = MaxResidual();
      step.fraction = alpha;
      step.maxDeltaT = MaxDeltaT(alpha);
      // A short step says the linearisation does not hold this far: the next
      // correction starts from a fresh Jacobian.
      if (alpha < 1) haveFactor_ = false;
      return true;
    }
  }
  return false;
}

void DistStageNewton::ExactJacobian(std::vector<double>& r, std::vector<double>& jac) {
  Load();
  Evaluate(true);
  Jacobian();
  const int n = Block(), nn = n * n, size = nt_ * n;
  r.assign(rhs_.begin() + n, rhs_.begin() + (nt_ + 1) * n);
  jac.assign(static_cast<std::size_t>(size) * size, 0.0);
  for (int j = 1; j <= nt_; ++j)
    for (int row = 0; row < n; ++row)
      for (int col = 0; col < n; ++col) {
        const std::size_t R = static_cast<std::size_t>((j - 1) * n + row) * size;
        jac[R + (j - 1) * n + col] = diag_[j * nn + row * n + col];
        if (j > 1) jac[R + (j - 2) * n + col] = lower_[j * nn + row * n + col];
        if (j < nt_) jac[R + j * n + col] = upper_[j * nn + row * n + col];
      }
}

void DistStageNewton::ResidualsAt(const std::vector<double>& u, std::vector<double>& r) {
  const int n = Block();
  z_ = u;
  Evaluate(false);
  r.assign(rhs_.begin() + n, rhs_.begin() + (nt_ + 1) * n);
}
