#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "core/model/CalcMessages.h"
#include "vle/estimation/VLEBinary.h"
#include "vle/estimation/VLEFit.h"
#include "vle/estimation/VLERunStart.h"
#include "vle/estimation/VLETestSupport.h"

using namespace vlefit;
using namespace vlefit::test;

namespace {

// Bubble temperature of the model in force at VLE_Press, by bisection to 1e-12
// degC: exact data for the fit-back tests, independent of T_Bubble's Newton steps.
double ExactBubbleT(double x1, double g1, double g2) {
  double lo = 0, hi = 150;
  auto f = [&](double t) {
    return Antoine_Psat_mmHg(1, t) * x1 * g1 + Antoine_Psat_mmHg(2, t) * (1 - x1) * g2 - VLE.VLE_Press;
  };
  while (hi - lo > 1e-12) {
    const double mid = 0.5 * (lo + hi);
    (f(mid) > 0 ? hi : lo) = mid;
  }
  return 0.5 * (lo + hi);
}

// Ten points generated from the pair in force, at 760 mmHg (constant pressure)
// or at 60 degC (constant temperature, with VLE_Press left at an unrelated 760).
void GenerateData(bool constT) {
  VLE.VLE_TP_Type = constT ? 1 : 0;
  VLE.VLE_Press = 760;
  VLE.VLE_Temp = 60;
  VLE.VLE_NData = 10;
  for (int i = 1; i <= 10; ++i) {
    const double x1 = 0.05 + 0.1 * (i - 1);
    double g1 = 0, g2 = 0;
    ActivityCoeff(x1, g1, g2);
    VLE.VLE_X1_Data[i] = x1;
    if (constT) {
      VLE.VLE_P_Data[i] = P_Bubble(60, x1, g1, g2);
      VLE.VLE_Y1_Data[i] = VLE.VLE_Y1_Calc;
    } else {
      const double t = ExactBubbleT(x1, g1, g2);
      VLE.VLE_T_Data[i] = t;
      VLE.VLE_Y1_Data[i] = Antoine_Psat_mmHg(1, t) * x1 * g1 / 760;
    }
  }
  ASSERT_EQ(Calc_Gamma_Exp(), "");
}

struct FitCase {
  int calcType;  // 1 Wilson, 2 NRTL
  int objType;
  bool constT;
};

std::string FitCaseText(const FitCase& c) {
  return std::string(c.calcType == 1 ? "Wilson" : "Nrtl") + "Obj" + std::to_string(c.objType) +
         (c.constT ? "ConstT" : "ConstP");
}
std::string FitCaseName(const ::testing::TestParamInfo<FitCase>& info) { return FitCaseText(info.param); }
void PrintTo(const FitCase& c, std::ostream* os) { *os << FitCaseText(c); }

class VLEFitBack : public ::testing::TestWithParam<FitCase> {
 protected:
  static constexpr double kTrue1W = 0.40, kTrue2W = 0.90;  // Wilson Lambda12, Lambda21
  static constexpr double kTrue1N = -0.20, kTrue2N = 1.00; // NRTL tau12, tau21 (alpha 0.4)

  void SetUp() override {
    ResetAll();
    SetMethanolWater();
    const auto& c = GetParam();
    if (c.calcType == 1)
      UseWilson(kTrue1W, kTrue2W);
    else
      UseNrtl(kTrue1N, kTrue2N, 0.4);
    GenerateData(c.constT);
    VLE.VLE_Obj_Type = c.objType;
  }
  double True1() const { return GetParam().calcType == 1 ? kTrue1W : kTrue1N; }
  double True2() const { return GetParam().calcType == 1 ? kTrue2W : kTrue2N; }
};

TEST_P(VLEFitBack, RecoversThePairWithAFallingObjective) {
  Set_Parameter(True1() + 0.15, True2() - 0.1);
  std::vector<double> accepted;
  CalcMessageRecorder rec;
  const FitResult r = Marquardt([&](const FitProgress& p) { accepted.push_back(p.objective); });
  EXPECT_EQ(r.status, FitStatus::Converged);
  EXPECT_NEAR(r.p1, True1(), 1e-6);
  EXPECT_NEAR(r.p2, True2(), 1e-6);
  // The fitted pair is the one left in force.
  const bool wilson = GetParam().calcType == 1;
  EXPECT_EQ(wilson ? Case.Wilson_L12 : Case.NRTL_Tau12, r.p1);
  EXPECT_EQ(wilson ? Case.Wilson_L21 : Case.NRTL_Tau21, r.p2);
  EXPECT_LT(r.objective, 1e-12);
  ASSERT_FALSE(accepted.empty());
  for (size_t k = 1; k < accepted.size(); ++k) EXPECT_LE(accepted[k], accepted[k - 1]) << "step " << k;
  EXPECT_EQ(r.bubbleFailures, 0);
  EXPECT_TRUE(rec.Messages().empty());
}

TEST_P(VLEFitBack, StartAtTheOptimumStopsAtOnce) {
  Set_Parameter(True1(), True2());
  const FitResult r = Marquardt();
  EXPECT_EQ(r.status, FitStatus::Converged);
  EXPECT_EQ(r.iterations, 1);
  EXPECT_NEAR(r.p1, True1(), 1e-6);
  EXPECT_NEAR(r.p2, True2(), 1e-6);
}

std::vector<FitCase> AllFitCases() {
  std::vector<FitCase> cases;
  for (int model : {1, 2})
    for (int obj = 1; obj <= 5; ++obj)
      for (bool constT : {false, true}) cases.push_back({model, obj, constT});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(AllObjectives, VLEFitBack, ::testing::ValuesIn(AllFitCases()), FitCaseName);

class VLEFit : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAll();
    SetMethanolWater();
  }
};

TEST_F(VLEFit, ConstantTemperatureVapourIsComputedAtTheDataTemperature) {
  UseWilson(0.4, 0.9);
  GenerateData(true);
  VLE.VLE_T_Calc[3] = 12.5;
  for (int obj : {4, 5}) {
    VLE.VLE_Obj_Type = obj;
    ObjectOutcome out;
    // Exact data: y at 60 degC matches; y at the unrelated 760 mmHg would not.
    EXPECT_LT(Object(&out), 1e-24) << "objective " << obj;
    EXPECT_EQ(out.bubbleFailures, 0);
  }
  EXPECT_EQ(VLE.VLE_T_Calc[3], 12.5);
}

TEST_F(VLEFit, ConstantPressureBubbleStartsFollowTheResults) {
  UseWilson(0.4, 0.9);
  GenerateData(false);
  VLE.VLE_Obj_Type = 4;
  Object();
  for (int i = 1; i <= 10; ++i) EXPECT_NEAR(VLE.VLE_T_Calc[i], VLE.VLE_T_Data[i], 1e-4) << "point " << i;
}

TEST_F(VLEFit, AnUnknownObjectiveComputesNothing) {
  UseWilson(0.4, 0.9);
  GenerateData(false);
  VLE.VLE_Obj_Type = 0;
  VLE.VLE_Residual[1] = 7;
  EXPECT_EQ(Object(), 0);
  EXPECT_EQ(VLE.VLE_Residual[1], 7);
}

TEST_F(VLEFit, NoObjectiveChosenIsRefusedWithAMessage) {
  Load_VLE_Example(1);
  ASSERT_EQ(Calc_Gamma_Exp(), "");
  VLE.VLE_Obj_Type = 0;  // the defaults leave it so
  CalcMessageRecorder rec;
  const FitResult r = Marquardt();
  EXPECT_EQ(r.status, FitStatus::Refused);
  ASSERT_EQ(rec.Messages().size(), 1u);
  EXPECT_EQ(rec.Messages()[0], "収束評価関数が選択されていません。");
  EXPECT_EQ(Case.Wilson_L12, 0.43045);
  EXPECT_EQ(Case.Wilson_L21, 0.94934);
}

TEST_F(VLEFit, UnusableDataIsRefusedBeforeTheFit) {
  Load_VLE_Example(1);
  ASSERT_EQ(Calc_Gamma_Exp(), "");
  Case.Language = 1;
  CalcMessageRecorder rec;
  VLE.VLE_Press = 0;
  VLE.VLE_Obj_Type = 4;
  EXPECT_EQ(Marquardt().status, FitStatus::Refused);
  VLE.VLE_Press = 760;
  VLE.VLE_Obj_Type = 1;
  VLE.VLE_Gamma_Exp[2][5] = 0;
  EXPECT_EQ(Marquardt().status, FitStatus::Refused);
  VLE.VLE_NData = 0;
  EXPECT_EQ(Marquardt().status, FitStatus::Refused);
  const std::vector<std::string> expected = {
      "Press: enter a pressure above 0 and at most 1000 MPa.", "Cannot compute the activity coefficients of the VLE Data", "No VLE Data"};
  EXPECT_EQ(rec.Messages(), expected);
  EXPECT_EQ(Case.Wilson_L12, 0.43045);
}

TEST_F(VLEFit, BubblePointsThatFailAreReportedOncePerFit) {
  Load_VLE_Example(1);
  ASSERT_EQ(Calc_Gamma_Exp(), "");
  VLE.VLE_Obj_Type = 4;
  // Antoine equations whose 10^A lies below the pressure: no temperature reaches it.
  Case.Antoine_A[1] = Case.Antoine_A[2] = 2;
  CalcMessageRecorder rec;
  const FitResult r = Marquardt();
  EXPECT_GT(r.bubbleFailures, 0);
  EXPECT_FALSE(At_Minimum(r.status));
  ASSERT_FALSE(rec.Messages().empty());
  EXPECT_EQ(rec.Messages().back(), "T_Bubble No-Convergence");
  EXPECT_EQ(std::count(rec.Messages().begin(), rec.Messages().end(), "T_Bubble No-Convergence"), 1);
  // No candidate was usable: the start pair stays.
  EXPECT_EQ(Case.Wilson_L12, 0.43045);
  EXPECT_EQ(Case.Wilson_L21, 0.94934);
}

TEST_F(VLEFit, FitsWithoutTwoIndependentResidualsAreRefused) {
  UseWilson(0.4, 0.9);
  GenerateData(false);
  Case.Language = 1;
  const std::string tooFew = "Too few VLE Data: this Object Func needs 2 or more points with different X";
  CalcMessageRecorder rec;
  // One point: one residual under objectives 1 and 3, two that sum to nothing
  // new under 4 and 5 (the computed vapour fractions add up to 1).
  VLE.VLE_NData = 1;
  for (int obj : {1, 3, 4, 5}) {
    SCOPED_TRACE(obj);
    VLE.VLE_Obj_Type = obj;
    Set_Parameter(0.6, 0.7);
    EXPECT_EQ(Check_Fit_Data(), tooFew);
    EXPECT_EQ(Marquardt().status, FitStatus::Refused);
    EXPECT_EQ(Case.Wilson_L12, 0.6);
  }
  // Three copies of one point, and two points that share their x1.
  VLE.VLE_NData = 3;
  VLE.VLE_Obj_Type = 1;
  for (int i = 2; i <= 3; ++i) {
    VLE.VLE_T_Data[i] = VLE.VLE_T_Data[1];
    VLE.VLE_X1_Data[i] = VLE.VLE_X1_Data[1];
    VLE.VLE_Y1_Data[i] = VLE.VLE_Y1_Data[1];
  }
  ASSERT_EQ(Calc_Gamma_Exp(), "");
  EXPECT_EQ(Check_Fit_Data(), tooFew);
  VLE.VLE_T_Data[2] += 5;
  ASSERT_EQ(Calc_Gamma_Exp(), "");
  EXPECT_EQ(Check_Fit_Data(), tooFew);
  EXPECT_EQ(Independent_Residuals(2, 3), 2);
  // Below absolute zero, and values that are not finite.
  VLE.VLE_X1_Data[2] = 0.35;
  VLE.VLE_T_Data[3] = -300;
  EXPECT_EQ(Check_Fit_Data(), "Temp (row 3): enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C.");
  VLE.VLE_T_Data[3] = VLE.VLE_T_Data[1];
  VLE.VLE_Y1_Data[3] = NAN;
  EXPECT_EQ(Check_Fit_Data(), "Not a number in VLE Data");
  VLE.VLE_Y1_Data[3] = VLE.VLE_Y1_Data[1];
  VLE.VLE_Press = INFINITY;
  EXPECT_EQ(Check_Fit_Data(), "Not a number in VLE Data");
  VLE.VLE_Press = 760;
  EXPECT_EQ(Check_Fit_Data(), "");
  EXPECT_EQ(rec.Messages().size(), 4u);
}

TEST_F(VLEFit, OnePointWithTwoResidualsStillFitsThePair) {
  // Objective 2 compares both activity coefficients: one point (an azeotrope
  // gives just that) determines the two parameters.
  UseWilson(0.4, 0.9);
  GenerateData(false);
  VLE.VLE_NData = 1;
  VLE.VLE_Obj_Type = 2;
  Set_Parameter(0.6, 0.7);
  const FitResult r = Marquardt();
  EXPECT_EQ(r.status, FitStatus::Converged);
  EXPECT_LT(r.objective, 1e-16);
  EXPECT_NEAR(r.p1, 0.4, 1e-6);
  EXPECT_NEAR(r.p2, 0.9, 1e-6);
}

// Fitted pairs of the two examples by an independent least-squares solver on the
// same objectives (tools/vle_fit/fit_examples.py: closed-form coefficients, bubble
// points by Brent's method, scipy's trust-region solver).
// Example 2's Wilson minimum under objective 1 lies at Lambda12 = -0.00338,
// outside Lambda > 0: its row is the least squares with Lambda12 on the bound
// (tools/vle_fit/varied_fits.py).
struct ExampleFit {
  int example, calcType, objType;
  double p1, p2, F;
  FitStatus status = FitStatus::Converged;
};

const ExampleFit kExampleFits[] = {
    {1, 1, 1, 0.4244980481, 0.9512089427, 0.000697757054},
    {1, 1, 2, 0.5452008342, 0.8017810301, 0.07226649687},
    {1, 1, 3, 0.4819318993, 0.9065179005, 0.03304534893},
    {1, 1, 4, 0.3954781061, 1.0917223175, 0.0003534561787},
    {1, 1, 5, 0.4964609942, 0.8748641329, 0.02746380138},
    {1, 2, 1, -0.0003952613, 0.8855462980, 0.0007429192201},
    {1, 2, 2, 0.1817385259, 0.6312980915, 0.07476042775},
    {1, 2, 3, 0.0435798002, 0.7732531796, 0.03373329568},
    {1, 2, 4, -0.1820877032, 1.0217204137, 0.0002905110571},
    {1, 2, 5, 0.0845033479, 0.7367733082, 0.02805320908},
    {2, 1, 1, kWilsonLambdaMin, 0.7276118772, 0.002629157751, FitStatus::AtBound},
    {2, 1, 2, 0.0342285848, 0.6347548604, 3.426937458},
    {2, 1, 3, 0.0201693752, 0.7690308753, 0.06390275911},
    {2, 1, 4, 0.0216403434, 0.7476251228, 0.005903121838},
    {2, 1, 5, 0.0196674313, 0.7740403160, 0.03526005767},
    {2, 2, 1, 0.3096543981, 3.3880799826, 0.003754054725},
    {2, 2, 2, 0.1302604805, 3.2056213033, 1.864028654},
    {2, 2, 3, 0.2014258233, 3.0120661919, 0.1171494533},
    {2, 2, 4, 0.1670598262, 3.0524883615, 0.01174178607},
    {2, 2, 5, 0.2173185507, 2.9969823847, 0.06440096713},
};

TEST_F(VLEFit, ExamplesFitFromTheirStartValuesToTheLeastSquaresMinimum) {
  for (const auto& ex : kExampleFits) {
    SCOPED_TRACE("example " + std::to_string(ex.example) + " type " + std::to_string(ex.calcType) +
                 " objective " + std::to_string(ex.objType));
    Load_VLE_Example(ex.example);
    VLE.VLE_Calc_Type = ex.calcType;  // NRTL starts from tau = 0, 0
    VLE.VLE_Obj_Type = ex.objType;
    ASSERT_EQ(Calc_Gamma_Exp(), "");
    const FitResult r = Marquardt();
    EXPECT_EQ(r.status, ex.status);
    // The minima are long shallow valleys: a fit that holds the normal equations
    // lies within 2e-5 of the solver's pair and 1e-8 (relative) of its sum of squares.
    EXPECT_NEAR(r.p1, ex.p1, 2e-5);
    EXPECT_NEAR(r.p2, ex.p2, 2e-5);
    EXPECT_NEAR(r.objective, ex.F, 1e-8 * ex.F);
  }
}

// ---- The engine's exits, on synthetic problems ----

// A lopsided cone with its apex at the start: every candidate is worse, but the
// differences (forward and central alike) see a slope that points away from the
// apex, so the normal equations never hold there.
LeastSquaresProblem Cone(double a, double b, double base, double slope) {
  LeastSquaresProblem p;
  p.m = 2;
  p.evaluate = [=](double p1, double p2, double* r, bool& usable) {
    usable = true;
    r[1] = base + slope * (std::fabs(p1 - a) + 0.5 * (p1 - a));
    r[2] = base + slope * (std::fabs(p2 - b) + 0.5 * (p2 - b));
    return r[1] * r[1] + r[2] * r[2];
  };
  return p;
}

TEST(VLEFitEngine, DampingLimitLeavesTheBestAcceptedPair) {
  CalcMessageRecorder rec;
  // V starts near 1e6 and passes it within the first retries, while the damped
  // step is still far above the tolerance.
  const FitResult r = Marquardt_Fit(Cone(0.3, 0.7, 100, 1e6), 0.3, 0.7);
  EXPECT_EQ(r.status, FitStatus::DampingLimit);
  EXPECT_EQ(r.p1, 0.3);
  EXPECT_EQ(r.p2, 0.7);
  EXPECT_EQ(r.objective, 2 * 100.0 * 100.0);
  EXPECT_GT(r.gradient, 0.1);
  ASSERT_EQ(rec.Messages().size(), 1u);
  EXPECT_EQ(rec.Messages()[0], "Marquardt Too Big V");
}

TEST(VLEFitEngine, RetryLimitLeavesTheBestAcceptedPair) {
  MarquardtLimits limits;
  limits.maxRetries = 3;
  limits.dampingLimit = 1e300;
  const FitResult r = Marquardt_Fit(Cone(0.3, 0.7, 100, 1e6), 0.3, 0.7, limits);
  EXPECT_EQ(r.status, FitStatus::RetryLimit);
  EXPECT_EQ(r.p1, 0.3);
  EXPECT_EQ(r.p2, 0.7);
  // Start, forward Jacobian, a rejected candidate, central Jacobian, four damped
  // candidates, the pair again.
  EXPECT_EQ(r.calls, 1 + 2 + 1 + 4 + 4 + 1);
}

TEST(VLEFitEngine, AStepDampedToNothingWithoutADecreaseIsStalledNotConverged) {
  // A gentle cone: the damped steps shrink below 1e-6 before V reaches 1e6, with
  // every candidate rejected. The old step test called that converged.
  const FitResult r = Marquardt_Fit(Cone(0.3, 0.7, 1, 1), 0.3, 0.7);
  EXPECT_EQ(r.status, FitStatus::Stalled);
  EXPECT_FALSE(At_Minimum(r.status));
  EXPECT_EQ(r.p1, 0.3);
  EXPECT_EQ(r.p2, 0.7);
  EXPECT_EQ(r.objective, 2.0);
  EXPECT_NEAR(r.gradient, 1 / std::sqrt(2.0), 1e-6);  // each column meets r at 45 degrees
  EXPECT_NE(Fit_Status_Message(r).find("7.1E-01"), std::string::npos) << Fit_Status_Message(r);
}

// Linear residuals r = p - (1, 2), solved by (1, 2).
LeastSquaresProblem Linear() {
  LeastSquaresProblem p;
  p.m = 2;
  p.evaluate = [](double p1, double p2, double* r, bool&) {
    r[1] = p1 - 1;
    r[2] = p2 - 2;
    return r[1] * r[1] + r[2] * r[2];
  };
  return p;
}

TEST(VLEFitEngine, CallLimitAfterAnAcceptedStepKeepsThatStep) {
  // The first candidate is accepted and the limit of one call per residual is
  // already passed.
  const LeastSquaresProblem lin = Linear();
  MarquardtLimits limits;
  limits.callsPerResidual = 1;
  const FitResult r = Marquardt_Fit(lin, 0, 0, limits);
  EXPECT_EQ(r.status, FitStatus::CallLimit);
  EXPECT_LT(r.objective, 5.0);
  EXPECT_GT(r.p1, 0);
  EXPECT_EQ(r.objective, (r.p1 - 1) * (r.p1 - 1) + (r.p2 - 2) * (r.p2 - 2));
  // Without the limit the same problem converges to the solution.
  const FitResult full = Marquardt_Fit(lin, 0, 0);
  EXPECT_EQ(full.status, FitStatus::Converged);
  EXPECT_NEAR(full.p1, 1, 1e-9);
  EXPECT_NEAR(full.p2, 2, 1e-9);
}

TEST(VLEFitEngine, CentralDifferencesFollowAStepBelowTheThreshold) {
  // No retries on the linear problem, so an iteration costs the Jacobian
  // (2 calls forward, 4 central) and one candidate.
  const LeastSquaresProblem lin = Linear();
  std::vector<FitProgress> steps;
  const FitResult r = Marquardt_Fit(lin, 0, 0, {}, [&](const FitProgress& s) { steps.push_back(s); });
  ASSERT_EQ(r.status, FitStatus::Converged);
  ASSERT_GE(steps.size(), 3u);
  EXPECT_EQ(steps[0].calls, 1 + 2 + 1);  // the first iteration always differences forward
  // The last iteration converges at its (accepted) candidate: it ends with r.calls.
  std::vector<int> calls;
  for (const auto& s : steps) calls.push_back(s.calls);
  calls.push_back(r.calls);
  bool sawCentral = false;
  double prev1 = 0, prev2 = 0;
  for (size_t k = 0; k < steps.size(); ++k) {
    const double pmax = std::max({1.0, std::fabs(prev1), std::fabs(prev2)});
    const double dmax = std::max(std::fabs(steps[k].p1 - prev1), std::fabs(steps[k].p2 - prev2));
    const bool central = dmax < 1e-4 * pmax;
    sawCentral = sawCentral || central;
    EXPECT_EQ(calls[k + 1] - calls[k], central ? 5 : 3) << "iteration " << k + 2;
    prev1 = steps[k].p1;
    prev2 = steps[k].p2;
  }
  EXPECT_TRUE(sawCentral);
}

TEST(VLEFitEngine, UnusableOrNonFiniteCandidatesAreNeverTaken) {
  // The true minimum (1, 2) lies in a region the problem marks unusable.
  LeastSquaresProblem p;
  p.m = 2;
  p.evaluate = [](double p1, double p2, double* r, bool& usable) {
    r[1] = p1 - 1;
    r[2] = p2 - 2;
    usable = p1 < 0.5;
    return p1 > 0.9 ? NAN : r[1] * r[1] + r[2] * r[2];
  };
  const FitResult r = Marquardt_Fit(p, 0, 0);
  EXPECT_LT(r.p1, 0.5);
  EXPECT_TRUE(std::isfinite(r.objective));
}

TEST(VLEFitEngine, AnEqualSumOfSquaresIsAcceptedAndHalvesTheDamping) {
  // Flat everywhere but at the first forward-difference probe: the first candidate
  // has exactly the start's sum of squares.
  LeastSquaresProblem p;
  p.m = 1;
  p.evaluate = [](double p1, double, double* r, bool&) {
    r[1] = p1 == 0.5 + 0.001 ? 2 : 1;
    return r[1] * r[1];
  };
  std::vector<FitProgress> steps;
  const FitResult r = Marquardt_Fit(p, 0.5, 0.5, {}, [&](const FitProgress& s) { steps.push_back(s); });
  ASSERT_EQ(steps.size(), 1u);
  // V0 = rms of J = (1000, 0) = 1000 / sqrt(2), halved after the retry-free step.
  EXPECT_NEAR(steps[0].damping, 1000 / std::sqrt(2.0) / 2, 1e-9);
  EXPECT_NEAR(r.p1, 0.5 - 1000.0 / (1e6 + 5e5), 1e-12);
  EXPECT_EQ(r.p2, 0.5);
  // Flat in both parameters after the step: no minimum, whatever the tiny step.
  EXPECT_EQ(r.status, FitStatus::NoSensitivity);
  EXPECT_EQ(r.iterations, 2);
}

TEST(VLEFitEngine, StartsWithoutAValueOrASlopeEndAtTheStart) {
  LeastSquaresProblem flat;
  flat.m = 3;
  flat.evaluate = [](double, double, double* r, bool&) {
    r[1] = r[2] = r[3] = 1;
    return 3.0;
  };
  FitResult r = Marquardt_Fit(flat, 0.2, 0.4);
  EXPECT_EQ(r.status, FitStatus::Singular);
  EXPECT_EQ(r.p1, 0.2);
  EXPECT_EQ(r.p2, 0.4);

  LeastSquaresProblem nan;
  nan.m = 1;
  nan.evaluate = [](double, double, double* r, bool&) {
    r[1] = NAN;
    return NAN;
  };
  r = Marquardt_Fit(nan, 0.2, 0.4);
  EXPECT_EQ(r.status, FitStatus::NotFinite);
  EXPECT_EQ(r.calls, 1);
  EXPECT_EQ(r.p1, 0.2);
}

}  // namespace

namespace {

// r = (1 + exp(-p1), p2 - 1): the first residual falls toward p1 -> infinity and
// flattens out, so its sensitivity vanishes while the objective has no minimum.
LeastSquaresProblem Fading() {
  LeastSquaresProblem p;
  p.m = 2;
  p.evaluate = [](double p1, double p2, double* r, bool&) {
    r[1] = 1 + std::exp(-p1);
    r[2] = p2 - 1;
    return r[1] * r[1] + r[2] * r[2];
  };
  return p;
}

}  // namespace

TEST(VLEFitEngine, ASensitivityThatFadesIsNeverConvergence) {
  // Unbounded, the fit walks out until exp(-p1) is lost in rounding: that is
  // no minimum, and it says which parameter lost its sensitivity.
  FitResult r = Marquardt_Fit(Fading(), 0, 0);
  EXPECT_EQ(r.status, FitStatus::NoSensitivity);
  EXPECT_EQ(r.boundParameter, 1);
  EXPECT_FALSE(At_Minimum(r.status));
  EXPECT_NEAR(r.p2, 1, 1e-6);
  // Larger difference steps find the slope again where the default one lost it.
  LeastSquaresProblem wide = Fading();
  wide.maxStep[0] = wide.maxStep[1] = 1;
  const FitResult far = Marquardt_Fit(wide, 0, 0);
  EXPECT_GT(far.p1, r.p1);
  // With an upper bound the fit ends on it: the objective falls out of the range there.
  LeastSquaresProblem bounded = Fading();
  bounded.upper[0] = 8;
  r = Marquardt_Fit(bounded, 0, 0);
  EXPECT_EQ(r.status, FitStatus::AtBound);
  EXPECT_EQ(r.boundParameter, 1);
  EXPECT_TRUE(r.boundUpper);
  EXPECT_EQ(r.p1, 8);
  EXPECT_NEAR(r.p2, 1, 1e-6);
}

TEST(VLEFitEngine, ABoundHoldsOnlyWhereTheObjectiveFallsOutOfTheRange) {
  // F = (p1 - 0.3)^2 + (p2 - 2)^2 with p1 >= 0 judged at 0.05: from a start on the
  // bound the objective is lower inside, so the fit leaves it for the minimum.
  LeastSquaresProblem p;
  p.m = 2;
  p.evaluate = [](double p1, double p2, double* r, bool&) {
    r[1] = p1 - 0.3;
    r[2] = p2 - 2;
    return r[1] * r[1] + r[2] * r[2];
  };
  p.lower[0] = 0;
  p.insideLower[0] = 0.05;
  FitResult r = Marquardt_Fit(p, 0, 0);
  EXPECT_EQ(r.status, FitStatus::Converged);
  EXPECT_NEAR(r.p1, 0.3, 1e-8);
  EXPECT_NEAR(r.p2, 2, 1e-8);
  // The minimum below the bound: held there, with the other parameter fitted.
  p.evaluate = [](double p1, double p2, double* r, bool&) {
    r[1] = p1 + 0.3;
    r[2] = p2 - 2;
    return r[1] * r[1] + r[2] * r[2];
  };
  r = Marquardt_Fit(p, 1, 0);
  EXPECT_EQ(r.status, FitStatus::AtBound);
  EXPECT_EQ(r.boundParameter, 1);
  EXPECT_FALSE(r.boundUpper);
  EXPECT_EQ(r.p1, 0);
  EXPECT_NEAR(r.p2, 2, 1e-8);
}

TEST(VLEFitEngine, NrtlTauRangeFollowsAlpha) {
  EXPECT_DOUBLE_EQ(NRTL_Tau_Limit(0.4), 30);
  EXPECT_DOUBLE_EQ(NRTL_Tau_Limit(0.3), 40);
  EXPECT_DOUBLE_EQ(NRTL_Tau_Limit(-0.3), 40);
  EXPECT_DOUBLE_EQ(NRTL_Tau_Limit(0.0381), 50);  // the shipped pair with tau 38.9
  EXPECT_DOUBLE_EQ(NRTL_Tau_Limit(0), 50);
}
