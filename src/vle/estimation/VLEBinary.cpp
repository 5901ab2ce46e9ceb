#include "vle/estimation/VLEBinary.h"

#include <cmath>
#include <string>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "vle/estimation/VLEData.h"

namespace vlefit {

namespace {

constexpr double kLn10 = 2.30258509299405;
constexpr double kGammaFloor = 0.00001;  // stands in for a coefficient that has no value
constexpr int kBubbleMaxSteps = 100;
constexpr double kMaxStepC = 20;

// A coefficient without a value is replaced by the floor; the user is told, as
// a point sitting on the floor is no result of the model.
void Floored(int i, double& gamma) {
  gamma = kGammaFloor;
  Calc_Message("ActivityCoeff:G(" + std::to_string(i) + ") " +
               InLanguage("Wilson 式の値がないため活量係数を 0.00001 としました",
                         "has no value by the Wilson equation: 0.00001 was used"));
}

void Wilson(double x1, double& gamma1, double& gamma2) {
  const double x[3] = {0, x1, 1 - x1};
  const double L[3][3] = {{0, 0, 0}, {0, 1, Case.Wilson_L12}, {0, Case.Wilson_L21, 1}};
  const double S[3] = {0, L[1][1] * x[1] + L[1][2] * x[2], L[2][1] * x[1] + L[2][2] * x[2]};
  double* gamma[3] = {nullptr, &gamma1, &gamma2};
  for (int i = 1; i <= 2; ++i) {
    if (S[i] <= 0) {
      Floored(i, *gamma[i]);
      continue;
    }
    double T = 0;
    for (int k = 1; k <= 2; ++k) {
      // An absent component adds nothing, even where its own sum is zero (a pure
      // end with Lambda = 0 would otherwise give 0/0).
      if (x[k] == 0) continue;
      T += L[k][i] * x[k] / S[k];
    }
    if (!std::isfinite(T)) {
      Floored(i, *gamma[i]);
      continue;
    }
    const double g = std::exp(1 - std::log(S[i]) - T);
    if (g <= 0) {
      Calc_Message("ActivityCoeff:G(" + std::to_string(i) + ") <=0");
      *gamma[i] = kGammaFloor;
    } else {
      *gamma[i] = g;
    }
  }
}

void Nrtl(double x1, double& gamma1, double& gamma2) {
  const double x2 = 1 - x1;
  const double a = Case.NRTL_Alpha, t12 = Case.NRTL_Tau12, t21 = Case.NRTL_Tau21;
  const double G12 = std::exp(-a * t12), G21 = std::exp(-a * t21);
  const double D1 = (x1 + x2 * G21) * (x1 + x2 * G21);
  const double D2 = (x2 + x1 * G12) * (x2 + x1 * G12);
  gamma1 = std::exp(x2 * x2 * (t21 * G21 * G21 / D1 + t12 * G12 / D2));
  gamma2 = std::exp(x1 * x1 * (t12 * G12 * G12 / D2 + t21 * G21 / D1));
}

// d(ln Psat)/dt of component i times y, the Newton slope term; 0 where t = -C.
double SlopeTerm(int i, double y, double t) {
  const double d = t + Case.Antoine_C[i];
  if (d == 0) return 0;
  return y * Case.Antoine_B[i] / (d * d);
}

}  // namespace

double Antoine_Psat_mmHg(int i, double t) {
  const double d = t + Case.Antoine_C[i];
  if (d == 0) return 0;
  return std::pow(10.0, Case.Antoine_A[i] - Case.Antoine_B[i] / d);
}

void ActivityCoeff(double x1, double& gamma1, double& gamma2) {
  if (Is_Wilson_Type(VLE.VLE_Calc_Type))
    Wilson(x1, gamma1, gamma2);
  else
    Nrtl(x1, gamma1, gamma2);
}

double T_Bubble(double t, double x1, double gamma1, double gamma2, BubbleOutcome* outcome, double tolerance) {
  const double P = VLE.VLE_Press;
  const double x2 = 1 - x1;
  BubbleOutcome local;
  BubbleOutcome& out = outcome ? *outcome : local;
  out = BubbleOutcome{BubbleStatus::IterationLimit, 0};
  for (int step = 1; step <= kBubbleMaxSteps; ++step) {
    out.iterations = step;
    const double y1 = Antoine_Psat_mmHg(1, t) * x1 * gamma1 / P;
    VLE.VLE_Y1_Calc = y1;
    const double y2 = Antoine_Psat_mmHg(2, t) * x2 * gamma2 / P;
    VLE.VLE_Y2_Calc = y2;
    const double f = 1 - y1 - y2;
    if (!std::isfinite(f)) {
      out.status = BubbleStatus::NotFinite;
      return t;
    }
    if (std::fabs(f) < tolerance) {
      out.status = BubbleStatus::Converged;
      return t;
    }
    const double slope = (SlopeTerm(1, y1, t) + SlopeTerm(2, y2, t)) * kLn10;
    double dt;
    if (slope == 0 || !std::isfinite(slope))
      dt = std::copysign(kMaxStepC, f);  // no usable slope: the largest step toward the root
    else
      dt = f / slope;
    if (std::fabs(dt) > kMaxStepC) dt = std::copysign(kMaxStepC, dt);
    t += dt;
  }
  return t;
}

double P_Bubble(double t, double x1, double gamma1, double gamma2, BubbleOutcome* outcome) {
  const double p1 = Antoine_Psat_mmHg(1, t) * x1 * gamma1;
  const double p2 = Antoine_Psat_mmHg(2, t) * (1 - x1) * gamma2;
  const double P = p1 + p2;
  const bool ok = P > 0 && std::isfinite(P);
  VLE.VLE_Y1_Calc = ok ? p1 / P : 0;
  VLE.VLE_Y2_Calc = ok ? p2 / P : 0;
  if (outcome) *outcome = BubbleOutcome{ok ? BubbleStatus::Converged : BubbleStatus::NotFinite, 1};
  return P;
}

}  // namespace vlefit
