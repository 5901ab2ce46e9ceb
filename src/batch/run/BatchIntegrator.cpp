#include "batch/run/BatchIntegrator.h"

#include <cmath>

#include "core/model/CaseData.h"

namespace {

const double kHalfRoot = std::sqrt(0.5);
// Gill's coefficients per stage 1..4.
const double kA[5] = {0, 0.5, 1 - kHalfRoot, 1 + kHalfRoot, 1.0 / 6.0};
const double kB[5] = {0, 2, 1, 1, 2};
const double kC[5] = {0, 0.5, 1 - kHalfRoot, 1 + kHalfRoot, 0.5};
// The weights of the stage derivatives in the step's increment.
const double kWeight[5] = {0, 1.0 / 6.0, (1 - kHalfRoot) / 3.0, (1 + kHalfRoot) / 3.0, 1.0 / 6.0};

}  // namespace

void RKG_Tridiagonal_Step(int n, const double a[], const double b[], const double c[], double w[],
                          double q[], double dt, double* firstMean) {
  double f[kMaxTray + 1];
  double mean = 0;
  for (int s = 1; s <= 4; ++s) {
    mean += kWeight[s] * w[1];
    for (int j = 1; j <= n; ++j) {
      double d = b[j] * w[j];
      if (j > 1) d += a[j] * w[j - 1];
      if (j < n) d += c[j] * w[j + 1];
      f[j] = d;
    }
    for (int j = 1; j <= n; ++j) {
      const double k = f[j] * dt;
      const double r = kA[s] * (k - kB[s] * q[j]);
      w[j] += r;
      q[j] += 3 * r - kC[s] * k;
    }
  }
  if (firstMean) *firstMean = mean;
}
