// One-variable root finder by reverse communication: the caller evaluates f at
// x and calls again while state < 4. It searches for a sign change with a
// secant through the best point of the other sign (or the previous best of the
// same sign), and stops at a bound it cannot leave.
#include <cmath>

#include "core/thermo/Thermo.h"

namespace {

constexpr double kNoPositive = 1e30;   // fPos while no point with f >= 0 is known
constexpr double kNoNegative = -1e30;  // fNeg while no point with f < 0 is known
constexpr int32_t kMaxCalls = 50;

enum : int32_t { kStart = 1, kSearching = 2, kBracketed = 3, kConverged = 4, kCallLimit = 5, kStalled = 6 };

// A non-finite f cannot steer the search: stop, back at the best point known.
void stopAtBestPoint(int32_t& state, double& x, double xPos, double fPos, double xNeg, double fNeg) {
  const bool havePos = fPos < kNoPositive;
  const bool haveNeg = fNeg > kNoNegative;
  if (state != kStart) {
    if (havePos && (!haveNeg || fPos <= -fNeg)) x = xPos;
    else if (haveNeg) x = xNeg;
  }
  state = kStalled;
}

}  // namespace

void Root_Search(int32_t& state, int32_t& calls, double& x, const double& f, const double& xLow,
                 const double& xHigh, const double& dx, const double& tol, double& xPos, double& fPos,
                 double& xNeg, double& fNeg, double& xPrev, double& fPrev) {
  if (!std::isfinite(f) || !std::isfinite(x)) {
    stopAtBestPoint(state, x, xPos, fPos, xNeg, fNeg);
    return;
  }
  if (state == kStart) {
    if (x < xLow || x > xHigh) {
      x = (xLow + xHigh) / 2.0;
      return;
    }
    if (std::fabs(f) <= tol) {
      state = kConverged;
      return;
    }
    calls = 0;
    state = kSearching;
    if (f >= 0.0) {
      xPos = x;
      fPos = f;
      fNeg = kNoNegative;
    } else {
      xNeg = x;
      fNeg = f;
      fPos = kNoPositive;
    }
    x += dx;
    if (x >= xHigh) x -= 2.0 * dx;
    return;
  }

  if (std::fabs(f) <= tol) {
    state = kConverged;
    return;
  }
  if (calls > kMaxCalls) {
    state = kCallLimit;
    return;
  }
  ++calls;

  if (state == kBracketed) {
    if (f >= 0.0) {
      if (f < fPos) {
        xPos = x;
        fPos = f;
      }
      xPrev = xNeg;
      fPrev = fNeg;
    } else {
      if (f > fNeg) {
        xNeg = x;
        fNeg = f;
      }
      xPrev = xPos;
      fPrev = fPos;
    }
  } else if (f > 0.0) {
    if (fPos >= kNoPositive) {
      state = kBracketed;
      xPos = x;
      fPos = f;
      xPrev = xNeg;
      fPrev = fNeg;
    } else {
      xPrev = xPos;
      fPrev = fPos;
      if (f < fPos) {
        xPos = x;
        fPos = f;
      }
    }
  } else {
    if (fNeg <= kNoNegative) {
      state = kBracketed;
      xNeg = x;
      fNeg = f;
      xPrev = xPos;
      fPrev = fPos;
    } else {
      xPrev = xNeg;
      fPrev = fNeg;
      if (f > fNeg) {
        xNeg = x;
        fNeg = f;
      }
    }
  }

  // Secant step from (x, f) through the partner (xPrev, fPrev).
  const double r = (f - fPrev) / f;
  if (std::fabs(r) <= 1e-5) {
    state = kStalled;
    return;
  }
  const double d = (x - xPrev) / r;
  if (std::fabs(d / (xHigh - xLow)) < 1e-5) {
    state = kStalled;
    return;
  }
  const double here = x;
  x -= d;
  if (x >= xLow && x <= xHigh) return;
  x = x < xLow ? xLow : xHigh;
  if (x == here) state = kStalled;
}
