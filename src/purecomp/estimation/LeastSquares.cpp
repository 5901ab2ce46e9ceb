#include "purecomp/estimation/LeastSquares.h"

#include <cmath>
#include <utility>

#include "core/model/CaseData.h"
#include "core/model/Language.h"

namespace physprop {

namespace {

constexpr int kMaxCoef = 3;

// Augmented normal matrix, rows and columns from 1; column M + 1 the right-hand side.
struct Augmented {
  double e[kMaxCoef + 1][kMaxCoef + 2] = {};
};

void Build_Normal_Equations(Augmented& a, int M, int N, const double X[][4], const double Y[]) {
  for (int i = 1; i <= M; ++i) {
    for (int j = i; j <= M; ++j) {
      double s = 0;
      for (int k = 1; k <= N; ++k) s += X[k][i] * X[k][j];
      a.e[i][j] = s;
      a.e[j][i] = s;
    }
    double r = 0;
    for (int k = 1; k <= N; ++k) r += X[k][i] * Y[k];
    a.e[i][M + 1] = r;
  }
}

// Of equal magnitudes the lowest row wins, so the search compares with >=.
int Pivot_Row(const Augmented& a, int p, int M) {
  int row = p;
  double best = std::fabs(a.e[p][p]);
  for (int r = p + 1; r <= M; ++r) {
    if (std::fabs(a.e[r][p]) >= best) {
      best = std::fabs(a.e[r][p]);
      row = r;
    }
  }
  return row;
}

// Points with equal regressors count once. Fewer distinct points than
// coefficients leave the normal matrix singular, but with regressors such as
// T^2 its round-off keeps every pivot far above the limit, so they are counted.
int Distinct_Rows(int M, int N, const double X[][4]) {
  int distinct = 0;
  for (int k = 1; k <= N && distinct < M; ++k) {
    bool seen = false;
    for (int j = 1; j < k && !seen; ++j) {
      bool same = true;
      for (int i = 1; i <= M && same; ++i) same = X[j][i] == X[k][i];
      seen = same;
    }
    if (!seen) ++distinct;
  }
  return distinct;
}

}  // namespace

FitStatus Least_Square(int M, int N, const double X[][4], const double Y[], double A[]) {
  if (Distinct_Rows(M, N, X) < M) return FitStatus::PivotVanished;
  Augmented a;
  Build_Normal_Equations(a, M, N, X, Y);
  for (int p = 1; p <= M; ++p) {
    const int row = Pivot_Row(a, p, M);
    // A NaN pivot fails this test as well: it is no usable pivot either.
    if (!(std::fabs(a.e[row][p]) >= kPivotLimit)) return FitStatus::PivotVanished;
    if (row != p)
      for (int c = p; c <= M + 1; ++c) std::swap(a.e[p][c], a.e[row][c]);
    const double inv = 1.0 / a.e[p][p];
    for (int c = p; c <= M + 1; ++c) a.e[p][c] *= inv;
    for (int r = p + 1; r <= M; ++r)
      for (int c = p + 1; c <= M + 1; ++c) a.e[r][c] -= a.e[r][p] * a.e[p][c];
  }
  for (int i = M - 1; i >= 1; --i)
    for (int j = i + 1; j <= M; ++j) a.e[i][M + 1] -= a.e[i][j] * a.e[j][M + 1];
  for (int i = 1; i <= M; ++i) A[i] = a.e[i][M + 1];
  return FitStatus::Fitted;
}

FitStatus Least_Square(int M, FitWork& work) {
  return Least_Square(M, work.Fit_NP, work.Fit_X, work.Fit_Y, work.Fit_Coef);
}

std::string Least_Square_Pivot_Message() {
  if (In_English())
    return "Least squares: a pivot fell below 1E-10 (fewer points below the critical temperature "
           "than coefficients). This step gives no result.";
  return "最小自乗法でPivotが1E-10になった（臨界温度未満の点が係数の数より少ない）。この推算は結果なしで終わります。";
}

}  // namespace physprop
