// Column and batch runs by SRK and Peng-Robinson give the same numbers bit for
// bit however often they are run and whatever ran before them: what their
// bubble points remember belongs to the run.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "batch/model/BatchData.h"
#include "batch/run/BatchChecks.h"
#include "batch/run/BatchRun.h"
#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "continuous/DistSolver.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace {

// Methanol, ethanol, water, 1-propanol (data/CriticalConstant.csv): Tc K, Pc bar, omega.
const double kTc[] = {0, 512.64, 513.92, 647.14, 536.78};
const double kPc[] = {0, 80.97, 61.48, 220.64, 51.75};
const double kOmega[] = {0, 0.565, 0.649, 0.344, 0.629};

void Example1(int kMethod) {
  Reset_Case_Data();
  Case.Max_Comp = kMaxComp;
  Case.Max_Tray = kMaxTray;
  Dist_Example1_set();
  Case.Data_Dir = "/nonexistent-eos-run-test-folder";
  Case.K_Method = kMethod;
  for (int i = 1; i <= 4; ++i) {
    Case.Comp_Tc[i] = kTc[i], Case.Comp_Pc[i] = kPc[i], Case.Comp_Omega[i] = kOmega[i];
    for (int j = 1; j <= 4; ++j) Case.EOS_Kij[i][j] = 0;
  }
  Initial_Composition_set();
  Initial_Profile_set();
}

// Every stage temperature and liquid fraction, as doubles.
std::vector<double> SolveColumn(int kMethod) {
  Example1(kMethod);
  DistSolver s(false);
  s.Run();
  EXPECT_EQ(s.Outcome().status, DistRunStatus::Converged);
  std::vector<double> profile;
  for (int j = 1; j <= Case.NT; ++j) {
    profile.push_back(Case.Tray_T[j]);
    for (int i = 1; i <= Case.NC; ++i) profile.push_back(Case.Tray_X[i][j]);
  }
  return profile;
}

// Bubble points of other liquids and mixtures by both equations, outside any
// run and in one of their own, leaving their K-values in Case.K_Value.
void OtherBubblePoints() {
  Reset_Case_Data();
  Case.NC = 3;
  const double tc[] = {0, 190.56, 305.32, 369.83}, pc[] = {0, 45.99, 48.72, 42.48}, w[] = {0, 0.011, 0.099, 0.152};
  for (int i = 1; i <= 3; ++i) Case.Comp_Tc[i] = tc[i], Case.Comp_Pc[i] = pc[i], Case.Comp_Omega[i] = w[i];
  const double x[] = {0, 0.1, 0.3, 0.6};
  CalcMessageRecorder quiet;
  T_Bubble_srk(0, 20.0, 2.5, x);
  T_Bubble_srk(1, 20.0, 2.5, x);
  const ThermoRunScope run;
  T_Bubble_srk(1, -10.0, 2.5, x);
  // The column's own liquids under other constants.
  Example1(4);
  Case.Comp_Tc[1] += 1.0;
  const double y[] = {0, 0.3, 0.2, 0.4, 0.1};
  T_Bubble_srk(0, 80.0, 0.101325, y);
  T_Bubble_srk(1, 80.0, 0.101325, y);
}

TEST(EosRunTest, ColumnBySrkGivesTheSameProfileWhateverRanBefore) {
  CalcMessageRecorder quiet;
  const std::vector<double> first = SolveColumn(4);
  const std::vector<double> second = SolveColumn(4);
  OtherBubblePoints();
  const std::vector<double> third = SolveColumn(4);
  ASSERT_EQ(first.size(), second.size());
  ASSERT_EQ(first.size(), third.size());
  int differ = 0;
  for (size_t n = 0; n < first.size(); ++n) differ += first[n] != second[n] || first[n] != third[n];
  EXPECT_EQ(differ, 0) << "of " << first.size() << " stage temperatures and liquid fractions";
}

class SilentHost : public BatchHost {
 public:
  void Message(const std::string&) override {}
};

struct BatchEndState {
  BatchEnd end;
  long steps;
  double time;
  std::vector<double> plates;  // every plate temperature and liquid fraction
};

BatchEndState RunBatchSrk(const std::string& dir) {
  Reset_Case_Data();
  Reset_Batch_Data();
  Case.Data_Dir = dir;
  Case.Max_Comp = kMaxComp;
  Case.Max_Tray = kMaxTray;
  Batch_Initial_set();
  Batch_Example_set();
  Batch_Check_Case();
  Batch.Save_Interval = 0;
  Case.K_Method = 4;
  for (int i = 1; i <= 3; ++i) {
    Case.Comp_Tc[i] = kTc[i], Case.Comp_Pc[i] = kPc[i], Case.Comp_Omega[i] = kOmega[i];
    for (int j = 1; j <= 3; ++j) Case.EOS_Kij[i][j] = 0;
  }
  SilentHost host;
  BatchRun run(host);
  run.Run();
  BatchEndState s{run.End(), run.Steps(), run.CalTime(), {}};
  for (int j = 1; j <= Case.NT; ++j) {
    s.plates.push_back(Case.Tray_T[j]);
    for (int i = 1; i <= Case.NC; ++i) s.plates.push_back(Case.Tray_X[i][j]);
  }
  return s;
}

TEST(EosRunTest, BatchBySrkEndsTheSameWhateverRanBefore) {
  const auto dir = std::filesystem::temp_directory_path() / ("eos_run_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  CalcMessageRecorder quiet;
  const BatchEndState first = RunBatchSrk(dir.string());
  const BatchEndState second = RunBatchSrk(dir.string());
  SolveColumn(5);  // a column by Peng-Robinson in between
  const BatchEndState third = RunBatchSrk(dir.string());
  std::error_code gone;
  std::filesystem::remove_all(dir, gone);
  EXPECT_EQ(first.end, BatchEnd::LastTank);
  for (const BatchEndState* s : {&second, &third}) {
    EXPECT_EQ(s->end, first.end);
    EXPECT_EQ(s->steps, first.steps);
    EXPECT_EQ(s->time, first.time);
    ASSERT_EQ(s->plates.size(), first.plates.size());
    int differ = 0;
    for (size_t n = 0; n < first.plates.size(); ++n) differ += s->plates[n] != first.plates[n];
    EXPECT_EQ(differ, 0) << "of " << first.plates.size() << " plate temperatures and liquid fractions";
  }
}

}  // namespace
