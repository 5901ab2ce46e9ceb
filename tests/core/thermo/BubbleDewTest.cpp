#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "core/thermo/ThermoFixtures.h"

namespace {

using namespace thermo_test;

double sumXK(const double x[]) {
  double s = 0;
  for (int i = 1; i <= Case.NC; ++i) s += x[i] * Case.K_Value[i];
  return s;
}

double sumYoverK(const double y[]) {
  double s = 0;
  for (int i = 1; i <= Case.NC; ++i) s += y[i] / Case.K_Value[i];
  return s;
}

// Two components with water's Antoine constants; they boil where Psat = P_mm.
void loadEqualAntoineBinary() {
  Reset_Case_Data();
  Case.NC = 2;
  Case.K_Method = 1;
  Case.P_Unit = 3;
  for (int i = 1; i <= 2; ++i) Case.Antoine_A[i] = 8.07131, Case.Antoine_B[i] = 1730.63, Case.Antoine_C[i] = 233.43;
}
const double kWaterBoilsC = 1730.63 / (8.07131 - std::log10(0.1 * kMmHgPerMPa)) - 233.43;  // at 0.1 MPa

TEST(BubbleDewTest, EqualAntoineBinaryAndTheStepLimit) {
  loadEqualAntoineBinary();
  ThermoOutcome out;
  for (double x1 : {0.0, 0.25, 0.9}) {
    const double x[] = {0, x1, 1 - x1};
    EXPECT_NEAR(T_Bubble_Mix(kWaterBoilsC + 0.1, 0.1, x, &out), kWaterBoilsC, 1e-6);
    EXPECT_EQ(out.iterations, 3);  // two Newton steps and the final test, whatever x
  }
  // From 1600 degC every step wants far more than 20 degrees: after the 51
  // iterations the temperature is 1600 - 51 x 20, silently, with the K-values
  // of the temperature before the last step.
  const double x[] = {0, 0.5, 0.5};
  CalcMessageRecorder recorder;
  EXPECT_NEAR(T_Bubble_Mix(1600.0, 0.1, x, &out), 580.0, 1e-9);
  EXPECT_EQ(out.status, ThermoStatus::IterationLimit);
  EXPECT_NEAR(Case.K_Value[1], Antoine_Psat(1, 600.0) / (0.1 * kMmHgPerMPa), 1e-9 * Case.K_Value[1]);
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST(BubbleDewTest, PureComponentBubblePressureIsTheVapourPressure) {
  loadEqualAntoineBinary();
  Case.Antoine_A[2] = 7.0;
  const double x[] = {0, 1, 0};
  const double P = P_Bubble_Mix(100.0, 0.5, x);  // mmHg
  EXPECT_NEAR(P, std::pow(10.0, 8.07131 - 1730.63 / 333.43) / kMmHgPerMPa / kMPaPerMmHg, 1e-9);
  EXPECT_NEAR(Case.K_Value[1], 1.0, 1e-15);
}

// Flash example 1; values from tools/thermo/check_flash_examples.py.
TEST(BubbleDewExampleTest, Example1BubbleAndDewPoints) {
  LoadExample1();
  const double* z = Case.Flash_Z;
  const double P = kExample1PressureMPa;
  ThermoOutcome out;
  EXPECT_NEAR(T_Bubble_Mix(80.0, P, z), 85.08451736, 2e-5);
  EXPECT_NEAR(P_Bubble_Mix(80.0, P, z), 627.70537897, 1e-5);  // mmHg
  // Dew points take Gamma at the dew liquid (Gamma at the vapour gave 95.7338 degC).
  EXPECT_NEAR(T_Dew_Mix(80.0, P, z, &out), 96.21958964, 2e-5);
  EXPECT_EQ(out.status, ThermoStatus::Converged);
  const double x[] = {0, z[1] / Case.K_Value[1], z[2] / Case.K_Value[2], z[3] / Case.K_Value[3], z[4] / Case.K_Value[4]};
  EXPECT_NEAR(x[1], 0.01628187, 1e-6);
  EXPECT_NEAR(x[3], 0.9737526, 1e-6);
  const double gammaLeft = Case.Gamma[1];
  ActivityCoeff_Wilson(x);  // the Gamma left belongs to that liquid
  EXPECT_NEAR(Case.Gamma[1], gammaLeft, 1e-5 * gammaLeft);
  EXPECT_NEAR(P_Dew_Mix(80.0, P, z, &out), 407.04976159, 1e-4);
  Case.K_Method = 1;
  EXPECT_NEAR(T_Bubble_Mix(80.0, P, z), 92.43228779, 2e-5);
  EXPECT_NEAR(T_Dew_Mix(80.0, P, z), 97.30052614, 2e-5);
}

// Flash example 2 with ideal K-values, pressures in kgf/cm2; values from
// tools/thermo/check_flash_examples.py.
TEST(BubbleDewExampleTest, Example2IdealBubbleAndDewPoints) {
  LoadExample2();
  Case.K_Method = 1;
  const double* z = Case.Flash_Z;
  const double P = SameMmHg(kExample2PressureMPa);
  EXPECT_NEAR(T_Bubble_Mix(-10.0, P, z), 11.85791022, 2e-5);
  EXPECT_NEAR(T_Dew_Mix(-10.0, P, z), 46.65011448, 2e-5);
  EXPECT_NEAR(P_Bubble_Mix(-10.0, P, z), PressureOfQuoted(5.6707737753), 1e-8);
  EXPECT_NEAR(P_Dew_Mix(-10.0, P, z), PressureOfQuoted(1.7348789396), 1e-8);
}

// Values from tools/thermo/check_flash_examples.py (fsolve on the dew liquid and
// T or P together). Plain substitution of the dew liquid oscillates here and
// ended at its pass limit near 116.6 degC and 0.01325 MPa.
TEST(BubbleDewExampleTest, NegativeDeviationsConvergeTheDewLiquid) {
  LoadNegativeDeviationBinary();
  const double* y = Case.Flash_Z;
  ThermoOutcome out;
  EXPECT_NEAR(P_Dew_Mix(80.0, 0.1, y, &out), PressureOfQuoted(0.0183083126), 1e-9);  // MPa
  EXPECT_EQ(out.status, ThermoStatus::Converged);
  EXPECT_NEAR(sumYoverK(y), 1.0, 1e-12);
  EXPECT_NEAR(y[1] / Case.K_Value[1], 0.41905983, 1e-6);
  EXPECT_NEAR(T_Dew_Mix(100.0, SameMmHg(0.05), y, &out), 106.89267602, 2e-5);
  EXPECT_EQ(out.status, ThermoStatus::Converged);
  EXPECT_NEAR(sumYoverK(y), 1.0, 1e-6);
  EXPECT_NEAR(y[1] / Case.K_Value[1], 0.41905983, 1e-6);
}

// Every returned bubble point satisfies sum x K = 1, every dew point sum y / K = 1.
struct ConsistencyCase {
  int kMethod;
  double comp[5];
};
void PrintTo(const ConsistencyCase& c, std::ostream* os) { *os << "K_Method " << c.kMethod << ", x1 " << c.comp[1]; }

class BubbleDewConsistencyTest : public ::testing::TestWithParam<ConsistencyCase> {};

TEST_P(BubbleDewConsistencyTest, ReturnedPointsSatisfyTheirCondition) {
  LoadExample1();
  Case.K_Method = GetParam().kMethod;
  Case.P_Unit = 1;
  for (int i = 1; i <= 4; ++i)
    for (int j = 1; j <= 4; ++j) Case.NRTL_Tau[i][j] = i == j ? 0.0 : 0.1 * ((5 * i + 3 * j) % 13) - 0.2;
  const double* c = GetParam().comp;
  for (double P : {0.02, 0.1012472, 0.5}) {
    ThermoOutcome out;
    const double tb = T_Bubble_Mix(60.0, P, c, &out);
    ASSERT_EQ(out.status, ThermoStatus::Converged) << P;
    EXPECT_NEAR(sumXK(c), 1.0, 1e-6);
    const double td = T_Dew_Mix(60.0, P, c, &out);
    ASSERT_EQ(out.status, ThermoStatus::Converged) << P;
    EXPECT_NEAR(sumYoverK(c), 1.0, 1e-6);
    EXPECT_GE(td, tb - 1e-6);
    EXPECT_NEAR(P_Bubble_Mix(tb, P, c), P, 1e-5 * P);
    EXPECT_NEAR(P_Dew_Mix(td, P, c), P, 1e-5 * P);
    EXPECT_NEAR(sumYoverK(c), 1.0, 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(Models, BubbleDewConsistencyTest,
                         ::testing::Values(ConsistencyCase{1, {0, 0.12, 0.01, 0.85, 0.02}},
                                           ConsistencyCase{2, {0, 0.12, 0.01, 0.85, 0.02}},
                                           ConsistencyCase{2, {0, 0.4, 0.3, 0.1, 0.2}},
                                           ConsistencyCase{3, {0, 0.12, 0.01, 0.85, 0.02}},
                                           ConsistencyCase{3, {0, 0.25, 0.25, 0.25, 0.25}}));

TEST(BubbleDewTest, EosMethodsAreRefusedExceptForTheBubbleTemperature) {
  LoadExample2();
  Case.K_Method = 5;
  CalcMessageRecorder recorder;
  ThermoOutcome out;
  EXPECT_NEAR(P_Dew_Mix(20.0, kExample2PressureMPa, Case.Flash_Z, &out), 10.0, 1e-12);  // kgf/cm2
  EXPECT_EQ(out.status, ThermoStatus::Refused);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(Case.K_Value[i], 1.0);
  EXPECT_NEAR(P_Bubble_Mix(20.0, kExample2PressureMPa, Case.Flash_Z), 10.0, 1e-12);
  EXPECT_EQ(T_Dew_Mix(-10.0, kExample2PressureMPa, Case.Flash_Z), -10.0);
  ASSERT_EQ(recorder.Messages().size(), 3u);
  EXPECT_EQ(recorder.Messages()[0], "S-R-K / P-Rの式は未だありません");
  EXPECT_NEAR(T_Bubble_Mix(-10.0, kExample2PressureMPa, Case.Flash_Z), 15.40749964, 1e-3);  // Peng-Robinson
  EXPECT_EQ(recorder.Messages().size(), 3u);
}

// Non-physical temperatures and pressures and component counts past the arrays
// are refused with a message before anything is computed or written.
TEST(BubbleDewTest, NonPhysicalInputAndCountsAreRefused) {
  loadEqualAntoineBinary();
  const double x[] = {0, 0.5, 0.5};
  CalcMessageRecorder recorder;
  ThermoOutcome out;
  Case.K_Value[1] = 7.0;
  double vf = 0.5;
  ITFlash(50.0, -0.1, vf, x, &out);
  EXPECT_EQ(out.status, ThermoStatus::Refused);
  EXPECT_EQ(vf, 0.0);
  ITFlash(-300.0, 0.1, vf, x, &out);
  EXPECT_EQ(out.status, ThermoStatus::Refused);
  EXPECT_EQ(P_Bubble_Mix(-274.0, 0.1, x, &out), Unit_Press_Out(0.1));
  EXPECT_EQ(out.status, ThermoStatus::Refused);
  EXPECT_EQ(P_Dew_Mix(std::numeric_limits<double>::infinity(), 0.1, x, &out), Unit_Press_Out(0.1));
  EXPECT_EQ(out.status, ThermoStatus::Refused);
  EXPECT_EQ(T_Bubble_srk(0, 20.0, -1.0, x, &out), 20.0);
  EXPECT_EQ(out.status, ThermoStatus::Refused);
  EXPECT_EQ(Case.K_Value[1], 7.0);
  ASSERT_EQ(recorder.Messages().size(), 5u);
  EXPECT_NE(recorder.Messages()[0].find("物理的にあり得ない"), std::string::npos);
  Case.Language = 1;
  for (int nc : {21, -1, 1000}) {
    Case.NC = nc;
    EXPECT_EQ(T_Bubble_Mix(50.0, 0.1, x, &out), 50.0) << nc;
    EXPECT_EQ(out.status, ThermoStatus::Refused);
    ITFlash(50.0, 0.1, vf, x, &out);
    EXPECT_EQ(out.status, ThermoStatus::Refused);
    double a = 1, b = 1, y[kMaxComp + 2], xs[kMaxComp + 2];
    EOS_Parameter(0, 20.0, x, a, b);
    EXPECT_EQ(a + b, 0.0);
    Flash_XY(50.0, 0.1, 0.5, x, y, xs);  // nothing written past the arrays (the sanitizer watches)
    ActivityCoeff_Select(x);
    K_Initial_Riedel(20.0, 0.1);
  }
  EXPECT_EQ(recorder.Messages().back(), "The number of components is outside 0 to 20; nothing is calculated.");
  Case.Language = 0;
}

TEST(BubbleDewTest, GuardsReportAndReturnASoundValue) {
  loadEqualAntoineBinary();
  const double x[] = {0, 0.5, 0.5};
  CalcMessageRecorder recorder;
  ThermoOutcome out;
  EXPECT_EQ(T_Bubble_Mix(50.0, 0.0, x, &out), 50.0);  // P = 0 would give infinite K
  EXPECT_EQ(out.status, ThermoStatus::Refused);
  EXPECT_EQ(T_Dew_Mix(50.0, std::numeric_limits<double>::quiet_NaN(), x, &out), 50.0);
  EXPECT_EQ(out.status, ThermoStatus::Refused);
  for (int i = 1; i <= 2; ++i) Case.Antoine_B[i] = 0;  // Psat independent of T: zero derivative
  EXPECT_EQ(T_Bubble_Mix(50.0, 0.1, x, &out), 50.0);
  EXPECT_EQ(out.status, ThermoStatus::Stalled);
  EXPECT_EQ(T_Dew_Mix(50.0, 0.1, x, &out), 50.0);
  EXPECT_EQ(out.status, ThermoStatus::Stalled);
  EXPECT_EQ(recorder.Messages().size(), 4u);
  // At the Antoine pole there is no vapour pressure: the given pressure comes
  // back, with a message rather than as if it were the bubble pressure.
  loadEqualAntoineBinary();
  EXPECT_EQ(P_Bubble_Mix(-233.43, 0.1, x, &out), 0.1 / kMPaPerMmHg);
  EXPECT_EQ(out.status, ThermoStatus::NotFinite);
  ASSERT_EQ(recorder.Messages().size(), 5u);
  EXPECT_EQ(recorder.Messages()[4], "P_Bubble_Mix No-Convergence");
}

TEST(BubbleDewTest, EmptyCompositionAnswersTheGivenValueSilently) {
  // NRTL of an empty liquid divides 0 by 0: nothing may be evaluated.
  loadEqualAntoineBinary();
  Case.K_Method = 3;
  const double none[] = {0, 0, 0};
  CalcMessageRecorder recorder;
  ThermoOutcome out;
  EXPECT_EQ(T_Bubble_Mix(50.0, 0.1, none, &out), 50.0);
  EXPECT_EQ(out.status, ThermoStatus::NothingToDo);
  EXPECT_EQ(T_Dew_Mix(50.0, 0.1, none, &out), 50.0);
  EXPECT_EQ(out.status, ThermoStatus::NothingToDo);
  EXPECT_EQ(P_Bubble_Mix(50.0, 0.1, none, &out), Unit_Press_Out(0.1));
  EXPECT_EQ(out.status, ThermoStatus::NothingToDo);
  EXPECT_EQ(P_Dew_Mix(50.0, 0.1, none, &out), Unit_Press_Out(0.1));
  EXPECT_EQ(out.status, ThermoStatus::NothingToDo);
  EXPECT_EQ(Case.K_Value[1], 1.0);
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST(BubbleDewTest, NewtonNeverStepsPastTheAntoinePole) {
  // A start below -C has no vapour pressure: the bubble point still converges.
  loadEqualAntoineBinary();
  Case.Antoine_C[2] = 100.0;  // pole of component 2 at -100 degC
  const double x[] = {0, 0.5, 0.5};
  ThermoOutcome out;
  EXPECT_GT(T_Bubble_Mix(-150.0, 0.1, x, &out), -100.0);
  EXPECT_EQ(out.status, ThermoStatus::Converged);
  // A dew point 10 degrees above the pole: from -86 degC the first Newton step
  // (limited to 20 degrees) would land at -106, beyond the pole.
  Case.NC = 1;
  Case.Antoine_A[1] = 8.0, Case.Antoine_B[1] = 50.0, Case.Antoine_C[1] = 100.0;
  const double y[] = {0, 1.0};
  EXPECT_NEAR(T_Dew_Mix(-86.0, 0.1, y, &out), 50.0 / (8.0 - std::log10(0.1 * kMmHgPerMPa)) - 100.0, 1e-6);
  EXPECT_EQ(out.status, ThermoStatus::Converged);
}

}  // namespace

namespace {

// What one T_Bubble_Mix call after another leaves: each answer, its K-values,
// and the gammas, K-values and messages left at the end.
struct BubbleRecord {
  std::vector<double> t;
  std::vector<std::vector<double>> k;
  std::vector<double> gamma, kValue;
  std::vector<std::string> messages;
};

BubbleRecord OneByOne(const std::vector<double>& t0, const std::vector<double>& p,
                      const std::vector<std::vector<double>>& xs) {
  CalcMessageRecorder recorder;
  BubbleRecord r;
  for (std::size_t q = 0; q < xs.size(); ++q) {
    r.t.push_back(T_Bubble_Mix(t0[q], p[q], xs[q].data()));
    r.k.emplace_back(Case.K_Value, Case.K_Value + Case.NC + 1);
  }
  r.gamma.assign(Case.Gamma, Case.Gamma + Case.NC + 1);
  r.kValue.assign(Case.K_Value, Case.K_Value + Case.NC + 1);
  r.messages = recorder.Messages();
  return r;
}

BubbleRecord SideBySide(const std::vector<double>& t0, const std::vector<double>& p,
                        const std::vector<std::vector<double>>& xs) {
  CalcMessageRecorder recorder;
  BubbleRecord r;
  r.t = t0;
  std::vector<const double*> x;
  for (const auto& v : xs) x.push_back(v.data());
  std::vector<std::array<double, kMaxComp + 1>> k(xs.size());
  T_Bubble_Mix_Each(static_cast<int>(xs.size()), r.t.data(), p.data(), x.data(),
                    reinterpret_cast<double(*)[kMaxComp + 1]>(k.data()));
  for (const auto& kq : k) r.k.emplace_back(kq.begin(), kq.begin() + Case.NC + 1);
  r.gamma.assign(Case.Gamma, Case.Gamma + Case.NC + 1);
  r.kValue.assign(Case.K_Value, Case.K_Value + Case.NC + 1);
  r.messages = recorder.Messages();
  return r;
}

}  // namespace

// The column finds its stage bubble points side by side: every answer, every
// K-value, the state left behind and the messages are those of one call after
// another, to the last bit, over starts near and far, liquids the Newton
// iteration cannot finish, and liquids T_Bubble_Mix refuses or has no work for.
TEST(BubbleDewTest, SideBySideBubblePointsAreTheCallsOneByOne) {
  struct Model {
    const char* name;
    void (*load)();
  } models[] = {{"Wilson", LoadExample1},
                {"NRTL", LoadNegativeDeviationBinary},
                {"ideal", [] { LoadExample1(); Case.K_Method = 1; }},
                {"SRK", LoadExample2}};
  for (const Model& m : models) {
    SCOPED_TRACE(m.name);
    m.load();
    const int nc = Case.NC;
    std::vector<double> t0, p;
    std::vector<std::vector<double>> xs;
    // Eleven liquids (more than one group of eight): varied compositions, starts
    // at and far from their answers, one at 1600 degC (the iteration limit),
    // one at an Antoine pole, pressures of 0 and -1 (refused: K of the liquid before),
    // an empty liquid (nothing to do).
    for (int q = 0; q < 11; ++q) {
      std::vector<double> x(kMaxComp + 1, 0.0);
      double s = 0;
      for (int i = 1; i <= nc; ++i) s += x[i] = 1.0 + ((q + 1) * i * 7 % 11);
      for (int i = 1; i <= nc; ++i) x[i] /= s;
      xs.push_back(x);
      t0.push_back(20.0 + 9 * q);
      p.push_back(0.05 + 0.02 * q);
    }
    t0[3] = 1600;
    t0[4] = -Case.Antoine_C[1];
    p[6] = 0;
    p[7] = -1;
    std::fill(xs[8].begin(), xs[8].end(), 0.0);
    const BubbleRecord one = OneByOne(t0, p, xs);
    const BubbleRecord each = SideBySide(t0, p, xs);
    for (std::size_t q = 0; q < xs.size(); ++q) {
      SCOPED_TRACE(q);
      EXPECT_EQ(each.t[q], one.t[q]);
      for (int i = 1; i <= nc; ++i) EXPECT_EQ(each.k[q][i], one.k[q][i]) << "component " << i;
    }
    for (int i = 1; i <= nc; ++i) {
      EXPECT_EQ(each.gamma[i], one.gamma[i]);
      EXPECT_EQ(each.kValue[i], one.kValue[i]);
    }
    EXPECT_EQ(each.messages, one.messages);
    EXPECT_FALSE(one.messages.empty());  // the refused pressure says so
  }
}
