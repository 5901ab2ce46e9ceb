#include "continuous/DistPassPolicy.h"

#include <algorithm>
#include <cmath>

void DistPassPolicy::BeginPass(bool correcting) {
  correcting_ = correcting;
  gaveUp_ = restarted_ = pseudoTimeTried_ = false;
  pause_ = failures_ = tries_ = 0;
  theta_ = weighedNorm_ = 0;
  sweepErrors_.clear();
  pseudoTimeAfter_.clear();
}

bool DistPassPolicy::CorrectionNext() {
  if (correcting_ && pause_ == 0) return true;
  if (pause_ > 0) --pause_;
  return false;
}

DistCorrectionMove DistPassPolicy::AfterCorrection(const DistCorrectionFacts& f) {
  DistCorrectionMove m;
  // A correction that found no step is still one when the column already
  // stands at the floor of the residuals: the check then decides.
  m.corrected = f.taken || f.before <= lim_.nearFloor;
  const bool creeping =
      f.taken && !f.pseudoTime && f.fraction < lim_.creepFraction && f.after > lim_.creepFall * f.before;
  // Pseudo-time steps creep too where a composition front must travel the
  // column: an episode that has not halved the largest residual over its
  // last pseudoTimeSpan steps ends, a Newton step is tried from where it got
  // to and, should it creep, a fresh episode starts there.
  if (f.pseudoTime && f.taken) {
    pseudoTimeAfter_.push_back(f.after);
    const std::size_t n = pseudoTimeAfter_.size();
    if (n > lim_.pseudoTimeSpan && f.after > lim_.pseudoTimeFall * pseudoTimeAfter_[n - 1 - lim_.pseudoTimeSpan]) {
      m.endPseudoTime = true;
      pseudoTimeTried_ = false;
      theta_ = weighedNorm_ = 0;
    }
  }
  if (m.corrected && !creeping) return m;
  if (!pseudoTimeTried_ && f.before > lim_.nearFloor) {
    pseudoTimeTried_ = true;
    pseudoTimeAfter_.clear();
    m.beginPseudoTime = true;
    theta_ = lim_.firstTheta;
    weighedNorm_ = 0;
    m.corrected = f.taken;
  } else if (!restarted_) {
    pseudoTimeTried_ = false;
    m.restart = true;
    Restarted();
  } else {
    pseudoTimeTried_ = false;
    pause_ = lim_.pauseStep * ++failures_;
    if (failures_ >= lim_.correctionTries) gaveUp_ = true, correcting_ = false;
  }
  return m;
}

void DistPassPolicy::Restarted() {
  restarted_ = true;
  theta_ = weighedNorm_ = 0;
  sweepErrors_.clear();
}

void DistPassPolicy::SweepWentNegative() {
  correcting_ = true;
  pause_ = 0;
}

bool DistPassPolicy::SweepsSlow(bool lastPass) const {
  const std::size_t n = sweepErrors_.size();
  if (!lastPass && n > lim_.sweepRises) {
    bool rising = true;
    for (std::size_t k = n - lim_.sweepRises; k < n; ++k) rising = rising && sweepErrors_[k] > sweepErrors_[k - 1];
    if (rising) return true;
  }
  return n >= lim_.sweepWindow && sweepErrors_[n - 1] > lim_.sweepSlowFall * sweepErrors_[n - 1 - lim_.sweepSpan];
}

DistPassPolicy::SweepEnd DistPassPolicy::AfterSweep(double e, bool changeTestMet, bool lastPass,
                                                    bool correctionsAvailable) {
  sweepErrors_.push_back(e);
  if (correctionsAvailable && !gaveUp_ && (lastPass || !changeTestMet)) {
    if (changeTestMet || SweepsSlow(lastPass)) correcting_ = true;
    return SweepEnd::GoOn;
  }
  if (!changeTestMet) return SweepEnd::GoOn;
  return lastPass ? SweepEnd::CheckAlone : SweepEnd::PassConverged;
}

bool DistPassPolicy::AtFloor(const DistCorrectionFacts& f) const {
  return f.after <= lim_.floor || (f.after <= lim_.nearFloor && f.after > 0.5 * f.before);
}

bool DistPassPolicy::CheckDue(const DistCorrectionFacts& f, bool lastPass, double firstPassLimit) const {
  return lastPass ? AtFloor(f) : f.after <= firstPassLimit;
}

void DistPassPolicy::PseudoTimeLinearised(bool reweighed, double norm, bool finite) {
  if (reweighed) weighedNorm_ = norm;
  tries_ = 0;
  if (!finite) theta_ = 0;
}

DistPassPolicy::Try DistPassPolicy::AfterPseudoTimeTry(double n0, double n1) {
  if (std::isfinite(n1) && n1 < n0 * (1 - lim_.pseudoTimeDecrease)) {
    theta_ *= std::clamp(std::sqrt(n0 / n1), lim_.minGrowth, lim_.maxGrowth);
    if (n1 < lim_.reweighFall * weighedNorm_) weighedNorm_ = 0;
    if (theta_ > lim_.newtonTheta) theta_ = 0;
    return Try::Take;
  }
  theta_ *= lim_.retreat;
  if (++tries_ < lim_.pseudoTimeTries && theta_ >= lim_.shortestTheta) return Try::Again;
  theta_ = 0;
  return Try::GiveUp;
}
