// Linear least squares y = a1 x1 + ... + aM xM by the normal equations, solved
// by Gaussian elimination with row exchange on the largest pivot.
#pragma once

#include <string>

#include "purecomp/estimation/PhysData.h"

namespace physprop {

enum class FitStatus {
  Fitted,         // coefficients in A[1..M]
  PivotVanished,  // fewer distinct points than coefficients, or a pivot below 1e-10 (proportional regressors)
};

// Smallest pivot magnitude the elimination accepts.
constexpr double kPivotLimit = 1e-10;

// Fits M (1..3) coefficients to points 1..N of X (X[k][j], j = 1..M) and Y[k];
// A[1..M] receives them. A is left as it was when the pivot vanishes.
FitStatus Least_Square(int M, int N, const double X[][4], const double Y[], double A[]);

// Least_Square over the work state's Fit_NP points into Fit_Coef.
FitStatus Least_Square(int M, FitWork& work);

// The message of a vanished pivot, in the chosen language: the fit's step ends
// without a result, the window and its data stay.
std::string Least_Square_Pivot_Message();

}  // namespace physprop
