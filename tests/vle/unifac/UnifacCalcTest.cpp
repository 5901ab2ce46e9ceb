// UNIFAC activity coefficients, the bubble-point curve and the Wilson pair.
// Reference values: tools/unifac/unifac_reference.py (textbook UNIFAC on the same
// file, bubble points by bracketing, the Wilson pair by a two-variable solver).
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "vle/unifac/UnifacCalc.h"
#include "vle/unifac/UnifacEntry.h"
#include "vle/unifac/UnifacParFile.h"

namespace {

using Groups = std::map<int, int>;  // subgroup number -> count
const Groups kEthanol{{1, 1}, {2, 1}, {15, 1}};
const Groups kWater{{17, 1}};
const Groups kAcetone{{1, 1}, {19, 1}};
const Groups kMethanol{{16, 1}};
const Groups kBenzene{{10, 6}};

class UnifacCalcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Case_Data();
    data_ = std::make_unique<UnifacData>();
    ASSERT_EQ(unifac::Read_UNIFAC_Par(VZ_BIN_DIR "/UNIFAC.PAR", *data_), unifac::ParReadStatus::Ok);
  }
  // Enters a binary through the estimate start (methanol-water Antoine constants).
  void Enter(const Groups& c1, const Groups& c2, double tempC) {
    unifac::UnifacEntry e;
    unifac::Apply_Example(e, 1);
    unifac::Clear_Group_Count(e);
    for (const auto& [k, n] : c1) e.Count[1][k] = std::to_string(n);
    for (const auto& [k, n] : c2) e.Count[2][k] = std::to_string(n);
    e.Temp = std::to_string(tempC);
    ASSERT_TRUE(unifac::Estimate_Start(e, *data_));
  }
  // gamma1, gamma2 at x1 through the program's own procedures.
  std::pair<double, double> Gammas(double x1) {
    unifac::Binary_Mixture(*data_);
    data_->UNIFAC_Liq_X[1] = x1;
    data_->UNIFAC_Liq_X[2] = 1 - x1;
    unifac::Vapor_Pressure(*data_, data_->Init_Temp);
    unifac::Activity_Coefficient(*data_);
    return {data_->UNIFAC_Gamma[1], data_->UNIFAC_Gamma[2]};
  }
  void RunExample(int example) {
    unifac::UnifacEntry e;
    unifac::Apply_Example(e, example);
    ASSERT_TRUE(unifac::Estimate_Start(e, *data_));
    const unifac::CurveResult curve = unifac::Calc_VLE_Curve(*data_);
    EXPECT_TRUE(curve.Ok());
  }

  std::unique_ptr<UnifacData> data_;
};

struct Published {
  double x1, g1, g2;
};

TEST_F(UnifacCalcTest, PublishedBinariesAtSixtyDegrees) {
  // unifac_reference.py, 333.15 K.
  const Published ethanolWater[] = {{0.0, 7.166080493304, 1.0},
                                    {0.1, 3.409620123217, 1.036752576110},
                                    {0.5, 1.224272612897, 1.489196508144},
                                    {0.9, 1.009180190391, 2.304745938978},
                                    {1.0, 1.0, 2.769839429502}};
  const Published acetoneMethanol[] = {{0.0, 1.870580097219, 1.0},
                                       {0.3, 1.348911545929, 1.058778777801},
                                       {0.7, 1.055480003382, 1.351490542166},
                                       {1.0, 1.0, 1.834533901340}};
  Enter(kEthanol, kWater, 60);
  for (const auto& p : ethanolWater) {
    const auto [g1, g2] = Gammas(p.x1);
    EXPECT_NEAR(g1, p.g1, 1e-10 * p.g1) << p.x1;
    EXPECT_NEAR(g2, p.g2, 1e-10 * p.g2) << p.x1;
  }
  Enter(kAcetone, kMethanol, 60);
  for (const auto& p : acetoneMethanol) {
    const auto [g1, g2] = Gammas(p.x1);
    EXPECT_NEAR(g1, p.g1, 1e-10 * p.g1) << p.x1;
    EXPECT_NEAR(g2, p.g2, 1e-10 * p.g2) << p.x1;
  }
}

// Identities every binary must satisfy, whatever its groups.
class UnifacIdentityTest : public UnifacCalcTest,
                           public ::testing::WithParamInterface<std::pair<Groups, Groups>> {};

TEST_P(UnifacIdentityTest, PureLimitsAndGibbsDuhem) {
  Enter(GetParam().first, GetParam().second, 70);
  const auto [g1Pure, g2Dilute] = Gammas(1.0);
  const auto [g1Dilute, g2Pure] = Gammas(0.0);
  EXPECT_NEAR(g1Pure, 1.0, 1e-12);
  EXPECT_NEAR(g2Pure, 1.0, 1e-12);
  EXPECT_TRUE(std::isfinite(g1Dilute) && g1Dilute > 0);
  EXPECT_TRUE(std::isfinite(g2Dilute) && g2Dilute > 0);
  // x1 d ln gamma1 + x2 d ln gamma2 = 0 at constant T and P.
  const double h = 1e-5;
  for (double x1 = 0.05; x1 < 1; x1 += 0.15) {
    const auto [a1, a2] = Gammas(x1 + h);
    const auto [b1, b2] = Gammas(x1 - h);
    const double gd = x1 * (std::log(a1) - std::log(b1)) + (1 - x1) * (std::log(a2) - std::log(b2));
    EXPECT_NEAR(gd / (2 * h), 0.0, 1e-7) << x1;
  }
}

INSTANTIATE_TEST_SUITE_P(Binaries, UnifacIdentityTest,
                         ::testing::Values(std::make_pair(kEthanol, kWater),
                                           std::make_pair(kAcetone, kMethanol),
                                           std::make_pair(kBenzene, kMethanol),
                                           std::make_pair(kEthanol, kAcetone)));

TEST_F(UnifacCalcTest, IdenticalComponentsAreIdeal) {
  Enter(kEthanol, kEthanol, 50);
  for (double x1 : {0.0, 0.3, 0.8, 1.0}) {
    const auto [g1, g2] = Gammas(x1);
    EXPECT_NEAR(g1, 1.0, 1e-12) << x1;
    EXPECT_NEAR(g2, 1.0, 1e-12) << x1;
  }
}

TEST_F(UnifacCalcTest, GroupTypedAsZeroChangesNothing) {
  Enter(kEthanol, kWater, 60);
  const auto [g1, g2] = Gammas(0.3);
  Enter(kEthanol, Groups{{17, 1}, {19, 0}}, 60);  // CH3CO in the list with count 0
  ASSERT_EQ(data_->UNIFAC_NGroup, 5);
  const auto [z1, z2] = Gammas(0.3);
  EXPECT_NEAR(z1, g1, 1e-13);
  EXPECT_NEAR(z2, g2, 1e-13);
}

struct CurvePoint {
  int n;
  double g1, g2, y1, t;
};

TEST_F(UnifacCalcTest, ExampleCurvesMatchTheReference) {
  // unifac_reference.py: gamma and y at 80 deg C, bubble T at 760 mmHg.
  const CurvePoint methanolWater[] = {
      {1, 2.291812562062, 1.0, 0.0, 99.9968297367},
      {21, 1.806251045526, 1.012138504494, 0.428143417817, 87.9431788895},
      {101, 1.130073926287, 1.213203466230, 0.778617036193, 73.4080608564},
      {181, 1.003637113521, 1.569945265537, 0.955993799559, 66.2935247028},
      {201, 1.0, 1.680116795510, 1.0, 64.7507230807}};
  const CurvePoint benzeneMethanol[] = {
      {21, 4.265904302715, 1.016961729560, 0.208747932114, 60.5764570701},
      {101, 1.709097618703, 1.510749945487, 0.390374116514, 58.3467065677},
      {151, 1.186102353029, 2.819524984252, 0.416688406738, 58.9268225091},
      {201, 1.0, 10.814759425449, 1.0, 80.0999933616}};
  const auto check = [this](int example, const CurvePoint* p, const CurvePoint* end) {
    RunExample(example);
    for (; p != end; ++p) {
      EXPECT_NEAR(data_->UNIFAC_Pt_Gamma[1][p->n], p->g1, 1e-10) << example << " " << p->n;
      EXPECT_NEAR(data_->UNIFAC_Pt_Gamma[2][p->n], p->g2, 1e-10) << example << " " << p->n;
      EXPECT_NEAR(data_->UNIFAC_Pt_Y1[p->n], p->y1, 1e-10) << example << " " << p->n;
      EXPECT_NEAR(data_->UNIFAC_Pt_T[p->n], p->t, 1e-6) << example << " " << p->n;
    }
  };
  check(1, std::begin(methanolWater), std::end(methanolWater));
  check(2, std::begin(benzeneMethanol), std::end(benzeneMethanol));
  // The benzene-methanol azeotrope: lowest at point 81 (unifac_reference.py).
  EXPECT_NEAR(data_->Scale_T_Min, 58.2814978696, 1e-6);
  EXPECT_NEAR(data_->Scale_T_Max, 80.0999933616, 1e-6);
  RunExample(1);
  EXPECT_NEAR(data_->Scale_T_Max, 99.9968297367, 1e-6);
  EXPECT_NEAR(data_->Scale_T_Min, 64.7507230807, 1e-6);
}

TEST_F(UnifacCalcTest, CoefficientsOfTheCurveBelongToTheEnteredTemperature) {
  RunExample(1);
  const double g80 = data_->UNIFAC_Pt_Gamma[1][101];
  const double y80 = data_->UNIFAC_Pt_Y1[101];
  const double t80 = data_->UNIFAC_Pt_T[101];
  unifac::UnifacEntry e;
  unifac::Apply_Example(e, 1);
  e.Temp = "40";
  ASSERT_TRUE(unifac::Estimate_Start(e, *data_));
  ASSERT_TRUE(unifac::Calc_VLE_Curve(*data_).Ok());
  EXPECT_GT(std::fabs(data_->UNIFAC_Pt_Gamma[1][101] - g80), 1e-3);
  EXPECT_GT(std::fabs(data_->UNIFAC_Pt_Y1[101] - y80), 1e-4);
  EXPECT_NEAR(data_->UNIFAC_Pt_T[101], t80, 1.0);  // the bubble point moves only a little
}

TEST_F(UnifacCalcTest, BubbleNewtonEndsWithAStatus) {
  const double A[] = {0, 8.07131}, B[] = {0, 1730.63}, C[] = {0, 233.426};
  const double x[] = {0, 1}, gamma[] = {0, 1};
  // Water boils at 99.9968 deg C at 760 mmHg with these constants (unifac_reference.py).
  auto r = unifac::Bubble_Temperature(1, x, gamma, A, B, C, 760, 250);
  EXPECT_EQ(r.status, unifac::IterStatus::Converged);
  EXPECT_GE(r.iterations, 8);  // 150 degrees away, steps of at most 20
  EXPECT_NEAR(r.tempC, 99.9968297367, 1e-7);
  const double converged = r.tempC;
  r = unifac::Bubble_Temperature(1, x, gamma, A, B, C, 760, converged);
  EXPECT_EQ(r.iterations, 0);
  EXPECT_EQ(r.tempC, converged);

  r = unifac::Bubble_Temperature(1, x, gamma, A, B, C, 1e12, 80);  // above any vapour pressure
  EXPECT_EQ(r.status, unifac::IterStatus::IterationLimit);
  EXPECT_EQ(r.iterations, unifac::kMaxBubbleIter);

  const double none[] = {0, 0};
  r = unifac::Bubble_Temperature(1, none, gamma, A, B, C, 760, 80);
  EXPECT_EQ(r.status, unifac::IterStatus::ZeroDerivative);

  const double pole[] = {0, 1e-300}, negB[] = {0, -1e5};
  r = unifac::Bubble_Temperature(1, x, gamma, A, negB, pole, 760, 0);
  EXPECT_EQ(r.status, unifac::IterStatus::NotFinite);
}

TEST_F(UnifacCalcTest, CurveThatCannotConvergeReportsOnce) {
  unifac::UnifacEntry e;
  unifac::Apply_Example(e, 1);
  // 760 mmHg lies above 10^A of both components: no bubble point exists.
  e.Antoine[1][1] = e.Antoine[2][1] = "2";
  ASSERT_TRUE(unifac::Estimate_Start(e, *data_));
  CalcMessageRecorder shown;
  const unifac::CurveResult curve = unifac::Calc_VLE_Curve(*data_);
  EXPECT_FALSE(curve.Ok());
  EXPECT_EQ(curve.failedPoints, 201);
  EXPECT_EQ(curve.firstFailed, 1);
  EXPECT_EQ(curve.firstStatus, unifac::IterStatus::IterationLimit);
  EXPECT_EQ(shown.Messages(), std::vector<std::string>{"UNIFAC T_Bubble No-Convergence"});

  // A vapour-pressure pole at the entered temperature: at x1 = 0 the bubble
  // pressure is not a number, which must fail like the other points.
  unifac::Apply_Example(e, 1);
  e.Antoine[1][2] = "-1e5";
  e.Antoine[1][3] = "-80";
  ASSERT_TRUE(unifac::Estimate_Start(e, *data_));
  EXPECT_EQ(unifac::Calc_VLE_Curve(*data_).failedPoints, 201);
}

// ln gamma(inf) of a Wilson pair, in the Wilson convention of the estimation
// program: ln gamma1 = -ln(x1 + L12 x2) + x2 (L12/(x1 + L12 x2) - L21/(x2 + L21 x1)).
double WilsonLnGamma1Inf(double l12, double l21) { return 1 - std::log(l12) - l21; }
double WilsonLnGamma2Inf(double l12, double l21) { return 1 - std::log(l21) - l12; }

TEST_F(UnifacCalcTest, WilsonPairReproducesBothInfiniteDilutionCoefficients) {
  struct Case {
    double g1, g2, l12, l21;  // unifac_reference.py (fsolve on both equations)
  };
  const Case cases[] = {{2.291812562062, 1.680116795510, 0.4017211209, 1.0826541439},
                        {5.893611473263, 10.814759425449, 0.3889829036, 0.1703509227},
                        {7.166080493304, 2.769839429502, 0.1650650207, 0.8320569662},
                        {1.870580097219, 1.834533901340, 0.6922928214, 0.7414976654},
                        // Opposite deviations whose h1 + h2 is 2 (no nearly ideal pair).
                        {1.2515150269742823, 0.7990315565108665, 0.1, 3.0782302540},
                        // Negative deviations, where a plain Newton leaves the positive axis.
                        {0.5, 0.8, 5.3495146229, 0.0161413485}};
  for (const auto& c : cases) {
    const unifac::WilsonResult w = unifac::Wilson_From_Infinite_Dilution(c.g1, c.g2);
    EXPECT_EQ(w.status, unifac::IterStatus::Converged);
    // The Newton stops on a step below 1e-5, so the pair is that close.
    EXPECT_NEAR(w.Lambda12, c.l12, 2e-5) << c.g1;
    EXPECT_NEAR(w.Lambda21, c.l21, 2e-5) << c.g1;
    EXPECT_NEAR(WilsonLnGamma1Inf(w.Lambda12, w.Lambda21), std::log(c.g1), 1e-4) << c.g1;
    EXPECT_NEAR(WilsonLnGamma2Inf(w.Lambda12, w.Lambda21), std::log(c.g2), 1e-4) << c.g1;
  }
  // From the example curve: its end points are the infinite-dilution values.
  RunExample(1);
  const unifac::WilsonResult w = unifac::Wilson_From_Curve(*data_);
  EXPECT_NEAR(w.Lambda12, 0.4017211209, 2e-5);
  EXPECT_NEAR(w.Lambda21, 1.0826541439, 2e-5);
}

TEST_F(UnifacCalcTest, WilsonSpecialOutcomes) {
  auto w = unifac::Wilson_From_Infinite_Dilution(1.0, 1.0);
  EXPECT_EQ(w.status, unifac::IterStatus::Converged);
  EXPECT_DOUBLE_EQ(w.Lambda12, 1.0);
  EXPECT_DOUBLE_EQ(w.Lambda21, 1.0);
  // Nearly ideal: L = 1 without iterating.
  w = unifac::Wilson_From_Infinite_Dilution(std::exp(2e-5), std::exp(3e-5));
  EXPECT_EQ(w.iterations, 0);
  EXPECT_DOUBLE_EQ(w.Lambda21, 1.0);
  EXPECT_NEAR(w.Lambda12, 1 - 3e-5, 1e-12);

  CalcMessageRecorder shown;
  // Strong negative deviations: the pair stays a Wilson pair (unifac_reference.py:
  // Lambda12 = 9.0573524101, Lambda21 = 0.0003959554); the step test of 1e-5
  // leaves the small Lambda21 a few per cent off.
  data_->UNIFAC_Pt_Gamma[1][1] = 0.3;
  data_->UNIFAC_Pt_Gamma[2][unifac::kNPoint] = 0.8;
  w = unifac::Wilson_From_Curve(*data_);
  EXPECT_EQ(w.status, unifac::IterStatus::Converged);
  EXPECT_NEAR(w.Lambda12, 9.0573524101, 0.02);
  EXPECT_NEAR(w.Lambda21, 0.0003959554, 2e-5);
  EXPECT_TRUE(shown.Messages().empty());

  data_->UNIFAC_Pt_Gamma[1][1] = 0;  // no finite h1
  w = unifac::Wilson_From_Curve(*data_);
  EXPECT_EQ(w.status, unifac::IterStatus::NotFinite);
  EXPECT_EQ(shown.Messages(), std::vector<std::string>{"UNIFAC Wilson Parameter No-Convergence"});
}

}  // namespace

namespace {

TEST_F(UnifacCalcTest, AMissingGroupPairIsRefusedByTheTemperatureRoutineItself) {
  Enter(kEthanol, kWater, 60);
  const UnifacData before = *data_;
  // Unregister the water - alcohol pair after the entry check has passed, as a
  // caller that skips the check would leave it.
  const int mWater = data_->UNIFAC_Main_Of[17], mOH = data_->UNIFAC_Main_Of[15];
  data_->UNIFAC_A[mOH][mWater] = -9999;
  unifac::GroupMixture mix;
  mix.nComp = 2;
  mix.nGroup = data_->UNIFAC_NGroup;
  int mainOf[unifac::kMaxGroup + 1] = {};
  for (int g = 1; g <= mix.nGroup; ++g) mainOf[g] = data_->UNIFAC_Main_Of[data_->UNIFAC_Group_List[g]];
  mix.psi[1][1] = 0.5;  // must stay as it was
  unifac::TemperatureCheck check = unifac::Set_Temperature(mix, data_->UNIFAC_A, mainOf, 333.15);
  EXPECT_FALSE(check.ok);
  EXPECT_EQ(check.mainM, mOH);
  EXPECT_EQ(check.mainN, mWater);
  EXPECT_EQ(mix.psi[1][1], 0.5);
  EXPECT_EQ(check.Message(), "相互作用ﾊﾟﾗﾒｰﾀ a" + txt::Signed(mOH) + "," + txt::Signed(mWater) + "が登録されていません。");
  // A temperature that is no temperature is refused too.
  data_->UNIFAC_A[mOH][mWater] = before.UNIFAC_A[mOH][mWater];
  EXPECT_FALSE(unifac::Set_Temperature(mix, data_->UNIFAC_A, mainOf, -1).ok);
  EXPECT_TRUE(unifac::Set_Temperature(mix, data_->UNIFAC_A, mainOf, 333.15).ok);

  // The curve computes nothing, says why once and leaves the points alone.
  data_->UNIFAC_A[mOH][mWater] = -9999;
  CalcMessageRecorder rec;
  const unifac::CurveResult curve = unifac::Calc_VLE_Curve(*data_);
  EXPECT_TRUE(curve.refused);
  EXPECT_FALSE(curve.Ok() && !curve.refused);
  ASSERT_EQ(rec.Messages().size(), 1u);
  EXPECT_EQ(rec.Messages()[0], check.Message());
  for (int n = 1; n <= unifac::kNPoint; ++n) ASSERT_EQ(data_->UNIFAC_Pt_Gamma[1][n], before.UNIFAC_Pt_Gamma[1][n]);
  EXPECT_EQ(data_->UNIFAC_Psi[1][2], before.UNIFAC_Psi[1][2]);
}

}  // namespace
