// SRK and PR cases at calculate in the batch and column programs: a component
// without its critical constants is refused with its name, a column without a
// condenser (its top stage needs a dew point) is refused once, and the batch
// initial set leaves a k matrix under which the charge boils between its pure
// components.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "batch/model/BatchData.h"
#include "batch/run/BatchChecks.h"
#include "continuous/DistDefaults.h"
#include "continuous/DistSolver.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace {

// Methanol, ethanol, water, 1-propanol (data/CriticalConstant.csv): Tc K, Pc bar, omega.
const double kTc[] = {0, 512.64, 513.92, 647.14, 536.78};
const double kPc[] = {0, 80.97, 61.48, 220.64, 51.75};
const double kOmega[] = {0, 0.565, 0.649, 0.344, 0.629};

void SetCriticalConstants(int nc) {
  for (int i = 1; i <= nc; ++i) {
    Case.Comp_Tc[i] = kTc[i];
    Case.Comp_Pc[i] = kPc[i];
    Case.Comp_Omega[i] = kOmega[i];
  }
}

void BatchExample() {
  Reset_Case_Data();
  Reset_Batch_Data();
  Case.Max_Comp = kMaxComp;
  Case.Max_Tray = kMaxTray;
  Batch_Initial_set();
  Batch_Example_set();
}

TEST(EosCalculateCheckTest, BatchRefusesAComponentWithoutItsConstants) {
  for (int16_t method : {4, 5}) {
    BatchExample();
    Case.K_Method = method;
    SetCriticalConstants(3);
    CalcMessageRecorder ok;
    EXPECT_TRUE(Batch_Check_Case().ok);
    EXPECT_TRUE(ok.Messages().empty());
    Case.Comp_Tc[2] = 0;  // what the database leaves for a component it lacks
    for (int16_t language : {0, 1}) {
      Case.Language = language;
      CalcMessageRecorder rec;
      const BatchCheckResult r = Batch_Check_Case();
      EXPECT_FALSE(r.ok);
      ASSERT_EQ(rec.Messages().size(), 1u);
      EXPECT_NE(r.message.find("Ethanol"), std::string::npos) << r.message;
      EXPECT_NE(r.message.find(language == 1 ? "critical temperature Tc" : "臨界温度 Tc"), std::string::npos);
      EXPECT_FALSE(Batch_Check_Run().ok);
    }
  }
}

TEST(EosCalculateCheckTest, BatchInitialSetLetsEveryPairAttract) {
  BatchExample();
  Case.K_Method = 4;
  SetCriticalConstants(3);
  // The charge's bubble point with the k matrix the initial set leaves must lie
  // between the pure components' (k = 1 off the diagonal put it 200 K outside).
  double x[kMaxComp + 1] = {0, 1.0 / 3, 1.0 / 3, 1.0 / 3};
  const double P = 0.101325;
  ThermoOutcome out;
  const double t = T_Bubble_srk(0, 80.0, P, x, &out);
  ASSERT_EQ(out.status, ThermoStatus::Converged);
  double low = 1e9, high = -1e9;
  for (int i = 1; i <= 3; ++i) {
    double pure[kMaxComp + 1] = {};
    pure[i] = 1.0;
    const double tb = T_Bubble_srk(0, 80.0, P, pure);
    low = std::min(low, tb);
    high = std::max(high, tb);
  }
  EXPECT_GT(t, low);
  EXPECT_LT(t, high);
}

void ColumnExample() {
  Reset_Case_Data();
  Case.Max_Comp = kMaxComp;
  Case.Max_Tray = kMaxTray;
  Dist_Example1_set();
  Case.K_Method = 5;
  SetCriticalConstants(4);
}

TEST(EosCalculateCheckTest, ColumnRefusesMissingConstantsAndATopWithoutCondenser) {
  ColumnExample();
  {
    CalcMessageRecorder rec;
    EXPECT_TRUE(Dist_Run_Check());
    EXPECT_TRUE(rec.Messages().empty());
  }
  Case.Comp_Pc[3] = 0;
  Case.Language = 1;
  {
    CalcMessageRecorder rec;
    EXPECT_FALSE(Dist_Run_Check());
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Messages()[0].rfind("Component Water has no critical pressure Pc", 0), 0u) << rec.Messages()[0];
  }
  // No condenser: the top stage's vapour product needs a dew point.
  ColumnExample();
  Case.Top_Vap_Prod = Case.Top_Liq_Prod;
  Case.Top_Liq_Prod = 0;
  Case.Reflux_Ratio = 0;
  {
    CalcMessageRecorder rec;
    EXPECT_FALSE(Dist_Run_Check());
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Messages()[0], "S-R-K / P-Rの式は未だありません");
  }
  Case.K_Method = 2;  // Wilson serves the dew point
  CalcMessageRecorder rec;
  EXPECT_TRUE(Dist_Run_Check());
  EXPECT_TRUE(rec.Messages().empty());
}

}  // namespace
