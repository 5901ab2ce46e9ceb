// Column solver speed: whole runs from the initial profiles to the end.
// The runs leave out the writing of Result.dat, so the figures are the
// calculation alone; BM_Example1WithResultFile adds the real file write.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "continuous/DistSolver.h"
#include "core/model/CaseData.h"

namespace {

const char* const kNoFolder = "/nonexistent-column-bench-folder";

void Example1Case() {
  Reset_Case_Data();
  Case.Max_Comp = kMaxComp;
  Case.Max_Tray = kMaxTray;
  Dist_Example1_set();
  Case.Data_Dir = kNoFolder;
  Initial_Composition_set();
  Initial_Profile_set();
}

// `nc` hypothetical components of a close-boiling series (Antoine B rising by 10 K
// per member, relative volatility about 1.07 between neighbours), Wilson with unit
// parameters (`kMethod` 2) or ideal (1), the temperature-polynomial enthalpies;
// `nt` stages at 1 atm, one liquid feed of 1000 kmol/h at 120 C on the middle
// stage, distillate 500, reflux ratio 2.
void SyntheticCase(int nc, int nt, int kMethod) {
  Reset_Case_Data();
  Case.Max_Comp = kMaxComp;
  Case.Max_Tray = kMaxTray;
  Dist_Initial_set();
  CaseData& c = Case;
  c.NC = nc;
  c.NT = nt;
  c.N_Feed = 1;
  c.K_Method = kMethod;
  c.H_Method = 1;
  c.P_Unit = 3;
  c.H_Unit = 2;
  for (int i = 1; i <= nc; ++i) {
    c.Comp_Name[i] = std::to_string(i);
    c.Comp_Name[i].insert(0, 1, 'C');
    c.Mol_Wt[i] = 50 + 10 * i;
    c.Antoine_A[i] = 7.0;
    c.Antoine_B[i] = 1400 + 10 * i;
    c.Antoine_C[i] = 220;
    c.HL_A[i] = -300;
    c.HL_B[i] = 0.5;
    c.HV_A[i] = 100 - 2 * i;
    c.HV_B[i] = 0.4;
    c.Feed_Z[i][1] = 1.0 / nc;
  }
  c.Reflux_Ratio = 2;
  c.Top_Liq_Prod = 500;
  c.P_Top = c.Tray_Press[1] = 760;
  c.P_Bottom = c.Tray_Press[nt] = 760;
  c.T_Top_Est = 80;
  c.T_Bottom_Est = 200;
  c.Feed_Stage[1] = nt / 2;
  c.Feed_Flow[1] = 1000;
  c.Feed_T[1] = 120;
  c.Feed_VF[1] = 0;
  c.Max_Iter[1] = c.Max_Iter[2] = 200;
  c.Conv_Crit[1] = 5e-5;
  c.Conv_Crit[2] = 1e-5;
  c.Data_Dir = kNoFolder;
  Initial_Composition_set();
  Initial_Profile_set();
}

void Synthetic200x20Case() { SyntheticCase(20, 200, 2); }
// The series' first two members on 50 stages with ideal K-values.
void Binary50Case() { SyntheticCase(2, 50, 1); }

void RunColumn(benchmark::State& state, void (*setUp)(), bool writeResultFile = false) {
  DistRunStatus status = DistRunStatus::Running;
  int iterations = 0, corrections = 0;
  for (auto _ : state) {
    state.PauseTiming();
    setUp();
    state.ResumeTiming();
    DistSolver s(writeResultFile);
    s.Run();
    status = s.Outcome().status;
    iterations = s.Outcome().passes[1].iterations + s.Outcome().passes[2].iterations;
    corrections = s.Outcome().newtonIterations;
    benchmark::DoNotOptimize(Case.Tray_T[1]);
  }
  if (status != DistRunStatus::Converged) state.SkipWithError("the column did not converge");
  state.counters["iterations"] = iterations;
  state.counters["corrections"] = corrections;
}

void BM_Example1(benchmark::State& state) { RunColumn(state, Example1Case); }
void BM_Synthetic200x20(benchmark::State& state) { RunColumn(state, Synthetic200x20Case); }
void BM_Binary50(benchmark::State& state) { RunColumn(state, Binary50Case); }

void BM_Example1WithResultFile(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / "column_bench";
  std::filesystem::create_directories(dir);
  RunColumn(state, [] {
    Example1Case();
    Case.Data_Dir = (std::filesystem::temp_directory_path() / "column_bench").string();
  }, true);
  std::error_code gone;
  std::filesystem::remove_all(dir, gone);
}

}  // namespace

BENCHMARK(BM_Example1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Example1WithResultFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Synthetic200x20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Binary50)->Unit(benchmark::kMillisecond);

// Example 1 by SRK (critical constants of the component database, every k 0):
// one bubble point per stage and iteration by the equation of state.
namespace {
void Example1SrkCase() {
  Example1Case();
  // Methanol, ethanol, water, 1-propanol: Tc K, Pc bar, acentric factor.
  const double tc[] = {0, 512.64, 513.92, 647.14, 536.78}, pc[] = {0, 80.97, 61.48, 220.64, 51.75};
  const double w[] = {0, 0.565, 0.649, 0.344, 0.629};
  Case.K_Method = 4;
  for (int i = 1; i <= 4; ++i) {
    Case.Comp_Tc[i] = tc[i];
    Case.Comp_Pc[i] = pc[i];
    Case.Comp_Omega[i] = w[i];
    for (int j = 1; j <= 4; ++j) Case.EOS_Kij[i][j] = 0;
  }
  Initial_Profile_set();
}
void BM_Example1Srk(benchmark::State& state) { RunColumn(state, Example1SrkCase); }
}  // namespace
BENCHMARK(BM_Example1Srk)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
