// The batch example run without a window: total reflux from the charge, then
// the two product tanks, with every run file and the run log written.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "batch/model/BatchData.h"
#include "batch/run/BatchChecks.h"
#include "batch/run/BatchRun.h"
#include "core/model/CaseData.h"

namespace {

// The run's hooks left empty: no window to draw or to ask.
class SilentHost : public BatchHost {
 public:
  void Message(const std::string&) override {}
};

void LoadExample(const std::string& dir) {
  Reset_Case_Data();
  Reset_Batch_Data();
  Case.Data_Dir = dir;
  Case.Max_Comp = 20;
  Case.Max_Tray = 200;
  Batch_Initial_set();
  Batch_Example_set();
  Batch_Check_Case();
}

void BM_BatchExampleRun(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / ("batch_bench_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  long steps = 0;
  for (auto _ : state) {
    state.PauseTiming();
    LoadExample(dir.string());
    state.ResumeTiming();
    SilentHost host;
    BatchRun run(host);
    run.Run();
    steps = run.Steps();
    if (run.End() != BatchEnd::LastTank) state.SkipWithError("the example did not reach its last tank");
  }
  state.counters["steps"] = static_cast<double>(steps);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_BatchExampleRun)->Unit(benchmark::kMillisecond);

// The same run with no records saved, to show the cost of the run files.
void BM_BatchExampleRunNoSaving(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / ("batch_bench_ns_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  for (auto _ : state) {
    state.PauseTiming();
    LoadExample(dir.string());
    Batch.Save_Interval = 0;
    state.ResumeTiming();
    SilentHost host;
    Batch_Calc(host);
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_BatchExampleRunNoSaving)->Unit(benchmark::kMillisecond);

// The example by SRK (critical constants of the component database, every k 0),
// no records saved: the bubble point of every plate at every step is the run's cost.
void BM_BatchExampleSrk(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / ("batch_bench_srk_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  // Methanol, ethanol, water: Tc K, Pc bar, acentric factor.
  const double tc[] = {0, 512.64, 513.92, 647.14}, pc[] = {0, 80.97, 61.48, 220.64}, w[] = {0, 0.565, 0.649, 0.344};
  for (auto _ : state) {
    state.PauseTiming();
    LoadExample(dir.string());
    Batch.Save_Interval = 0;
    Case.K_Method = 4;
    for (int i = 1; i <= 3; ++i) {
      Case.Comp_Tc[i] = tc[i];
      Case.Comp_Pc[i] = pc[i];
      Case.Comp_Omega[i] = w[i];
      for (int j = 1; j <= 3; ++j) Case.EOS_Kij[i][j] = 0;
    }
    state.ResumeTiming();
    SilentHost host;
    Batch_Calc(host);
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_BatchExampleSrk)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
