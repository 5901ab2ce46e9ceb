// One step of Gill's variant of the fourth-order Runge-Kutta method (Gill 1951)
// for the linear tridiagonal system of a column's component balances.
#pragma once

// dw(j)/dt = a(j) w(j - 1) + b(j) w(j) + c(j) w(j + 1), j = 1..n (a(1) and c(n)
// are not used). Advances w by dt in four stages; q is Gill's carry-over per
// plate, updated in place and carried from step to step. Arrays from index 1.
// firstMean, when given, receives w(1) averaged over the stages with the
// method's own weights: what a flow leaving element 1 at a rate proportional to
// w(1) carries over the step.
void RKG_Tridiagonal_Step(int n, const double a[], const double b[], const double c[], double w[],
                          double q[], double dt, double* firstMean = nullptr);
