#include "batch/run/BatchIntegrator.h"

#include <cmath>

namespace {
const double kHalfRoot = std::sqrt(0.5);
}  // namespace

const double RKG_Coefficients::A[5] = {0, 0.5, 1 - kHalfRoot, 1 + kHalfRoot, 1.0 / 6.0};
const double RKG_Coefficients::B[5] = {0, 2, 1, 1, 2};
const double RKG_Coefficients::C[5] = {0, 0.5, 1 - kHalfRoot, 1 + kHalfRoot, 0.5};
const double RKG_Coefficients::Weight[5] = {0, 1.0 / 6.0, (1 - kHalfRoot) / 3.0, (1 + kHalfRoot) / 3.0,
                                            1.0 / 6.0};
