#include "continuous/shortcut/ShortCut.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/model/CalcMessages.h"
#include "core/model/Language.h"
#include "core/thermo/Thermo.h"

namespace {

int Comps() { return std::clamp(Case.NC, 0, kMaxComp); }

void Message(const char* japanese, const char* english) { Calc_Message(In_English() ? english : japanese); }

// One split for a trial distillate fraction phi under mole-fraction
// key targets; the residual is the top amount less phi.
double SplitResidual(double phi, double& Smin) {
  CaseData& c = Case;
  const double zL = c.SC_Z[c.SC_LK], zH = c.SC_Z[c.SC_HK];
  const double rHK = phi * c.SC_HK_Spec[1] / zH;
  const double rLK = (zL - (1 - phi) * c.SC_LK_Spec[1]) / zL;
  Calc_Top_Btm_Composition(c.SC_Z, c.SC_D, c.SC_B, Smin, rLK, rHK, c.K_Value[c.SC_LK]);
  double d = 0;
  for (int i = 1; i <= Comps(); ++i) d += c.SC_D[i];
  return d - phi;
}

bool Finite(double v) { return std::isfinite(v); }

// The root of the feed equation sum z a / (a - theta) = rhs between two
// neighbouring poles lo < hi: the sum rises from -inf to +inf between them, so
// bisection keeps the root bracketed; it stops when the bracket no longer narrows.
double FeedRoot(int nc, const double alpha[], const double z[], double rhs, double lo, double hi) {
  double theta = (lo + hi) / 2;
  for (int n = 1; n <= 200; ++n) {
    theta = (lo + hi) / 2;
    if (!(theta > lo && theta < hi)) break;
    double sum = 0;
    for (int i = 1; i <= nc; ++i) sum += z[i] * alpha[i] / (alpha[i] - theta);
    if (sum >= rhs) hi = theta;
    else lo = theta;
  }
  return theta;
}

// Solves A x = b (n unknowns, A row-major n x n) by elimination with partial
// pivoting; false when A is singular.
bool SolveLinear(std::vector<double>& A, std::vector<double>& b, int n) {
  for (int col = 0; col < n; ++col) {
    int piv = col;
    for (int r = col + 1; r < n; ++r)
      if (std::abs(A[r * n + col]) > std::abs(A[piv * n + col])) piv = r;
    if (!(std::abs(A[piv * n + col]) > 0)) return false;
    if (piv != col) {
      for (int j = 0; j < n; ++j) std::swap(A[col * n + j], A[piv * n + j]);
      std::swap(b[col], b[piv]);
    }
    for (int r = col + 1; r < n; ++r) {
      const double f = A[r * n + col] / A[col * n + col];
      for (int j = col; j < n; ++j) A[r * n + j] -= f * A[col * n + j];
      b[r] -= f * b[col];
    }
  }
  for (int r = n - 1; r >= 0; --r) {
    double s = b[r];
    for (int j = r + 1; j < n; ++j) s -= A[r * n + j] * b[j];
    b[r] = s / A[r * n + r];
  }
  return true;
}

// Components between the keys that share one volatility share one pole: they
// are one unknown, split in proportion to their feed.
struct PoleGroup {
  double alpha = 0, feed = 0;
  std::vector<int> members;
  bool free = true;
  double d = 0;
};

}  // namespace

void ShortCut_Feed_set() {
  CaseData& c = Case;
  const int nFeed = std::clamp(c.N_Feed, 0, kMaxFeed);
  c.SC_Feed_Total = 0;
  for (int f = 1; f <= nFeed; ++f) c.SC_Feed_Total += c.Feed_Flow[f];
  for (int i = 1; i <= Comps(); ++i) {
    c.SC_Feed_Comp_Flow[i] = 0;
    for (int f = 1; f <= nFeed; ++f) c.SC_Feed_Comp_Flow[i] += c.Feed_Z[i][f] * c.Feed_Flow[f];
  }
}

bool ShortCut_Check_Case() {
  const CaseData& c = Case;
  if (c.NC <= 0) {
    Message("成分数が入力されていません。メイン画面の成分で入力して下さい。",
            "No Component Name, input at Main Menu 'Component'");
    return false;
  }
  if (c.K_Method >= 1 && c.K_Method <= 3) {
    for (int i = 1; i <= Comps(); ++i)
      if (c.Antoine_A[i] == 0 || c.Antoine_B[i] == 0 || c.Antoine_C[i] == 0)
        Message("Antoine定数が入力されていません。メイン画面の気液平衡推算法で入力して下さい。",
                "No Antoine Constants, input at Main Menu 'K-Value'");
  } else if (c.K_Method == 4 || c.K_Method == 5) {
    for (int i = 1; i <= Comps(); ++i)
      if (c.Comp_Tc[i] == 0 || c.Comp_Pc[i] == 0 || c.Comp_Omega[i] == 0)
        Message("臨界定数が入力されていません。メイン画面の気液平衡推算法で入力して下さい。",
                "No Critical Constants, input at Main Menu 'K-Value'");
  } else {
    Message("気液平衡推算法が入力されていません。メイン画面の気液平衡推算法で入力して下さい。",
            "No K-Value Method, input at Main Menu 'K-Value'");
    return false;
  }
  return true;
}

void Calc_Top_Btm_Composition(const double z[], double d[], double b[], double& Smin, double rLK, double rHK,
                              double aLK) {
  Smin = std::log(rLK * (1 - rHK) / ((1 - rLK) * rHK)) / std::log(aLK);
  for (int i = 1; i <= Comps(); ++i) {
    const double alpha = Case.K_Value[i];
    double r = 1;
    if (alpha != 0 && z[i] != 0) {
      const double a = std::pow(alpha, Smin);
      const double s = (a - 1) * rHK + 1;
      r = s == 0 ? 1 : a * rHK / s;
      if (r > 1) r = 1;
      if (r < 0) r = 0;
    }
    d[i] = r * z[i];
    b[i] = z[i] - d[i];
  }
}

ShortCutResult ShortCut_Design(double P, bool tempGiven, double T) {
  CaseData& c = Case;
  ShortCutResult res;
  const int nc = Comps();
  const int lk = c.SC_LK, hk = c.SC_HK;
  if (lk < 1 || lk > nc || hk < 1 || hk > nc) {
    Message("低沸点／高沸点限界成分が入力されていません。", "Light Key or Heavey Key is not input");
    return res;
  }
  if (lk == hk) {
    Message("低沸点限界成分と高沸点限界成分が同じです。", "Light Key and Heavy Key are the same component");
    return res;
  }

  // Feed condition; both leave the feed's K-values in K_Value.
  if (!tempGiven) {
    res.T = T_Bubble_Mix(100.0, P, c.SC_Z);
    res.VF = 0;
  } else {
    res.T = T;
    ITFlash(T, P, res.VF, c.SC_Z);
  }

  // Relative volatilities to the heavy key.
  const double kHK = c.K_Value[hk];
  for (int i = 1; i <= nc; ++i) c.K_Value[i] = c.K_Value[i] / kHK;
  const double aLK = c.K_Value[lk];
  // The Fenske and Underwood equations need a light key that is lighter.
  if (!(aLK > 1) || !Finite(aLK)) {
    Message("低沸点限界成分の比揮発度が高沸点限界成分より大きくありません。",
            "Light Key is not more volatile than Heavy Key");
    return res;
  }

  const double zL = c.SC_Z[lk], zH = c.SC_Z[hk];
  if (c.SC_Calc_Type == 1) {
    Calc_Top_Btm_Composition(c.SC_Z, c.SC_D, c.SC_B, res.Smin, c.SC_LK_Spec[2], c.SC_HK_Spec[2], aLK);
  } else {
    int32_t state = 1, calls = 0;
    double phi = 0.7, f = 0;
    double xPos = 0, fPos = 0, xNeg = 0, fNeg = 0, xPrev = 0, fPrev = 0;
    bool reported = false;
    double lastPhi = phi;
    do {
      lastPhi = phi;
      f = SplitResidual(phi, res.Smin);
      Root_Search(state, calls, phi, f, 1e-6, 0.999999, 0.001, 1e-5, xPos, fPos, xNeg, fNeg, xPrev, fPrev);
      if (state > 4 && !reported) {
        Message("Top/Bottomの濃度収束計算が収束しない", "No Convergence in Top/Bottom Mol Fr Calculation");
        reported = true;
      }
    } while (state < 4);
    res.splitConverged = state == 4;
    // A trial fraction that puts a key recovery outside 0..1 has no split; the
    // finder then went back to its best point, whose split is the one to keep.
    if (!Finite(f) || phi != lastPhi) SplitResidual(phi, res.Smin);
  }

  for (int i = 1; i <= nc; ++i) res.DF += c.SC_D[i];
  res.BF = 1 - res.DF;

  // Underwood at the feed's condition: q = 1 - V/F (a subcooled feed has V/F 0,
  // so q = 1; a superheated one V/F 1, so q = 0).
  const double q = 1 - std::clamp(res.VF, 0.0, 1.0);
  const UnderwoodResult u = Underwood_Min_Reflux(nc, c.K_Value, c.SC_Z, c.SC_D, q, lk, hk);
  res.theta = u.theta[1];
  res.Rmin = u.done ? u.Rmin : std::numeric_limits<double>::quiet_NaN();
  for (int i = 1; i <= nc; ++i) {
    res.xD[i] = c.SC_D[i] / res.DF;
    res.xB[i] = c.SC_B[i] / res.BF;
  }

  // Kirkbride: rectifying over stripping stages.
  const double X = res.BF / res.DF * zH / zL * std::pow(res.xB[lk] / res.xD[hk], 2);
  const double ratio = std::pow(10.0, 0.206 * std::log(X) / 2.302585093);
  res.SminF = res.Smin * ratio / (ratio + 1);

  if (!Finite(res.Smin) || !Finite(res.SminF) || !Finite(res.Rmin) || !Finite(res.DF) || res.DF <= 0 ||
      res.BF <= 0) {
    Message("ShortCut計算の結果が求まりません。限界成分の指定を確認して下さい。",
            "No Result of Short Cut Calculation, check the Light Key/Heavy Key data");
    return res;
  }
  // A negative minimum reflux means the keys' split needs no rectification at
  // this feed condition: no design to base a reflux on.
  if (res.Rmin < 0) {
    Message("最小還流比が負になります。限界成分の指定を確認して下さい。",
            "Minimum Reflux Ratio is negative, check the Light Key/Heavy Key data");
    return res;
  }
  res.done = true;
  return res;
}

UnderwoodResult Underwood_Min_Reflux(int nc, const double alpha[], const double z[], const double dFenske[], double q,
                                     int lk, int hk) {
  UnderwoodResult u;
  nc = std::clamp(nc, 0, kMaxComp);
  for (int i = 1; i <= nc; ++i) u.d[i] = dFenske[i];
  const double aL = alpha[lk], aH = alpha[hk];

  std::vector<int> between;
  for (int i = 1; i <= nc; ++i)
    if (z[i] > 0 && alpha[i] > aH && alpha[i] < aL) between.push_back(i);
  std::sort(between.begin(), between.end(), [&](int a, int b) { return alpha[a] < alpha[b]; });
  std::vector<PoleGroup> groups;
  for (int i : between) {
    if (groups.empty() || alpha[i] != groups.back().alpha) groups.push_back({alpha[i], 0, {}, true, 0});
    groups.back().members.push_back(i);
    groups.back().feed += z[i];
  }
  const int G = static_cast<int>(groups.size());

  // Poles aH < group alphas < aL; root k (0-based) lies between pole k and k + 1,
  // so group g (0-based) has root g below it and root g + 1 above it.
  std::vector<double> poles{aH};
  for (const PoleGroup& g : groups) poles.push_back(g.alpha);
  poles.push_back(aL);
  const double rhs = 1 - q;
  u.roots = G + 1;
  for (int k = 0; k <= G; ++k) u.theta[k + 1] = FeedRoot(nc, alpha, z, rhs, poles[k], poles[k + 1]);
  std::vector<bool> used(G + 1, true);

  // Unknowns Vmin and the free groups' top amounts, one equation per root in use.
  // A group whose amount falls outside 0..feed is fixed at that bound and one
  // root beside it is dropped: by Underwood's maximum criterion the minimum
  // vapour is then set by the root on the far side of the bound (a group sent
  // wholly to the top keeps the root above it, one kept wholly at the bottom the
  // root below), so the other goes. Each pass fixes a group, so at most G + 1.
  for (int pass = 0; pass <= G; ++pass) {
    std::vector<int> freeIdx, rootIdx;
    for (int g = 0; g < G; ++g)
      if (groups[g].free) freeIdx.push_back(g);
    for (int k = 0; k <= G; ++k)
      if (used[k]) rootIdx.push_back(k);
    const int n = static_cast<int>(freeIdx.size()) + 1;
    if (static_cast<int>(rootIdx.size()) != n) return u;
    std::vector<double> A(n * n), b(n);
    for (int r = 0; r < n; ++r) {
      const double th = u.theta[rootIdx[r] + 1];
      A[r * n] = 1;
      for (int j = 0; j + 1 < n; ++j) {
        const double a = groups[freeIdx[j]].alpha;
        A[r * n + j + 1] = -a / (a - th);
      }
      double known = 0;
      for (int i = 1; i <= nc; ++i) {
        const bool isFree = std::any_of(freeIdx.begin(), freeIdx.end(), [&](int g) {
          const auto& m = groups[g].members;
          return std::find(m.begin(), m.end(), i) != m.end();
        });
        if (!isFree) known += alpha[i] * u.d[i] / (alpha[i] - th);
      }
      b[r] = known;
    }
    if (!SolveLinear(A, b, n)) return u;
    u.Vmin = b[0];
    int out = -1;
    for (int j = 0; j + 1 < n; ++j) {
      PoleGroup& g = groups[freeIdx[j]];
      g.d = b[j + 1];
      for (int i : g.members) u.d[i] = g.d * z[i] / g.feed;
      if (out < 0 && (g.d < 0 || g.d > g.feed)) out = freeIdx[j];
    }
    if (out < 0) break;
    PoleGroup& g = groups[out];
    const bool toTop = g.d > g.feed;
    g.d = toTop ? g.feed : 0;
    g.free = false;
    for (int i : g.members) u.d[i] = g.d * z[i] / g.feed;
    // The root to drop, or the other neighbour when an earlier fix took it.
    const int drop = toTop ? out : out + 1, other = toTop ? out + 1 : out;
    used[used[drop] ? drop : other] = false;
  }

  for (int i = 1; i <= nc; ++i) u.D += u.d[i];
  u.Rmin = u.Vmin / u.D - 1;
  u.done = Finite(u.Rmin) && u.D > 0;
  return u;
}

GillilandCurve Gilliland_Curve(double Smin, double SminF, double Rmin, int condenser) {
  GillilandCurve g;
  const double ratio = SminF / Smin;
  for (int k = 1; k <= GillilandCurve::kPoints; ++k) {
    g.R[k] = (1.05 + 0.04 * k) * Rmin;
    const double X = (g.R[k] - Rmin) / (g.R[k] + 1);
    const double Y = 0.75 * (1 - std::pow(X, 0.5668));
    g.N[k] = (Y + Smin) / (1 - Y) - condenser;
    g.NF[k] = ratio * g.N[k];
  }
  const int n = GillilandCurve::kPoints;
  g.drawable = Rmin > 0 && Finite(Rmin) && Finite(g.N[1]) && Finite(g.NF[n]) && g.N[1] > g.NF[n] &&
               g.R[n] > g.R[1];
  return g;
}
