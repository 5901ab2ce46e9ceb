// One Marquardt fit per iteration: an example loaded, its measured activity
// coefficients computed, then the fit from the example's start values.
#include <benchmark/benchmark.h>

#include "core/model/CaseData.h"
#include "vle/estimation/VLEData.h"
#include "vle/estimation/VLEFit.h"
#include "vle/estimation/VLERunStart.h"

namespace {

// Arguments: example (1, 2), calculation type (1 Wilson, 2 NRTL), objective (1..5).
void BM_VLEFit(benchmark::State& state) {
  const int example = static_cast<int>(state.range(0));
  const int calcType = static_cast<int>(state.range(1));
  const int objType = static_cast<int>(state.range(2));
  int calls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    vlefit::Load_VLE_Example(example);
    vlefit::VLE.VLE_Calc_Type = calcType;
    vlefit::VLE.VLE_Obj_Type = objType;
    vlefit::Calc_Gamma_Exp();
    state.ResumeTiming();
    const vlefit::FitResult r = vlefit::Marquardt();
    benchmark::DoNotOptimize(r.objective);
    calls = r.calls;
  }
  state.counters["objective_calls"] = calls;
}

void AllFits(benchmark::internal::Benchmark* b) {
  for (int example : {1, 2})
    for (int calcType : {1, 2})
      for (int obj = 1; obj <= 5; ++obj) b->Args({example, calcType, obj});
}

BENCHMARK(BM_VLEFit)->ArgNames({"example", "type", "objective"})->Apply(AllFits)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
