// One step of Gill's variant of the fourth-order Runge-Kutta method (Gill 1951).
#pragma once

#include <cstddef>

// Gill's coefficients A(s), B(s), C(s) of stage s = 1..4, and the weight of
// each stage's derivative in the step's increment (those of the classical
// fourth-order method that Gill's scheme reproduces in exact arithmetic).
struct RKG_Coefficients {
  static const double A[5], B[5], C[5], Weight[5];
};

// Advances w[0..n) by dt along dw/dt = rates(w, f, stage): `rates` writes the
// derivative of every element into f (n values) and learns the stage 1..4 it
// serves. q is Gill's carry-over per element, updated in place and carried from
// step to step; f is scratch of n values. Every stage changes w by a linear
// combination of derivatives and carry-overs, so a weighted sum of the
// elements that the rates keep constant stays constant to round-off.
template <class Rates>
void RKG_Step(std::size_t n, double* w, double* q, double* f, double dt, Rates&& rates) {
  using C = RKG_Coefficients;
  for (int s = 1; s <= 4; ++s) {
    rates(static_cast<const double*>(w), f, s);
    for (std::size_t e = 0; e < n; ++e) {
      const double k = f[e] * dt;
      const double r = C::A[s] * (k - C::B[s] * q[e]);
      w[e] += r;
      q[e] += 3 * r - C::C[s] * k;
    }
  }
}
