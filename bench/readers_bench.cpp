// Reading the files the programs write, as the result windows and the case
// readers do: every record of the batch example's withdrawal history, and the
// column case of example 1 with results on each of its stages.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "batch/model/BatchData.h"
#include "batch/results/BatchResultFiles.h"
#include "batch/run/BatchChecks.h"
#include "batch/run/BatchRun.h"
#include "continuous/DistCaseFile.h"
#include "continuous/DistDefaults.h"
#include "core/model/CaseData.h"

namespace {

class SilentHost : public BatchHost {
 public:
  void Message(const std::string&) override {}
};

void BM_BatchHistoryRead(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / ("readers_bench_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  Reset_Case_Data();
  Reset_Batch_Data();
  Case.Data_Dir = dir.string();
  Case.Max_Comp = 20;
  Case.Max_Tray = 200;
  Batch_Initial_set();
  Batch_Example_set();
  Batch_Check_Case();
  SilentHost host;
  BatchRun run(host);
  run.Run();
  const std::string path = Batch_Result_Path(Batch_History_Name(1));
  long records = 0;
  for (auto _ : state) {
    HistoryFile file;
    HistoryRecord rec;
    records = 0;
    if (!file.Open(path).ok()) state.SkipWithError("the history file cannot be read");
    while (file.Next(rec).ok()) ++records;
    benchmark::DoNotOptimize(rec.time);
  }
  state.counters["records"] = static_cast<double>(records);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove_all(dir);
}

void BM_ColumnCaseRead(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / ("readers_bench_col_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  Reset_Case_Data();
  Case.Max_Comp = 20;
  Case.Max_Tray = 200;
  Dist_Example1_set();
  Case.Result_Flag = 1;
  for (int j = 1; j <= Case.NT; ++j) {
    Case.Tray_T[j] = 65 + j;
    Case.Tray_P[j] = 0.1013;
    Case.Tray_L[j] = 100;
    Case.Tray_V[j] = 120;
    for (int i = 1; i <= Case.NC; ++i) Case.Tray_X[i][j] = Case.Tray_Y[i][j] = 1.0 / Case.NC;
  }
  Case.Data_File = (dir / "case.dat").string();
  if (!Save_Dist_Data()) state.SkipWithError("the case cannot be saved");
  for (auto _ : state) {
    Dist_Initial_set();
    if (!Read_Dist_Data()) state.SkipWithError("the case cannot be read");
    benchmark::DoNotOptimize(Case.Tray_T[1]);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace

BENCHMARK(BM_BatchHistoryRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColumnCaseRead)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
