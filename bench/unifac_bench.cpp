// UNIFAC speed: one activity-coefficient evaluation of a ternary, one
// bubble-point curve of 201 points (the work of opening the result window), and
// one read of the shipped group parameter file (the work of opening the window).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "vle/unifac/UnifacCalc.h"
#include "vle/unifac/UnifacEntry.h"
#include "vle/unifac/UnifacParFile.h"

namespace {

std::unique_ptr<UnifacData> LoadFile() {
  auto data = std::make_unique<UnifacData>();
  if (unifac::Read_UNIFAC_Par(VZ_BIN_DIR "/UNIFAC.PAR", *data) != unifac::ParReadStatus::Ok) {
    std::fprintf(stderr, "UNIFAC.PAR not readable beside the executables\n");
    std::exit(1);
  }
  return data;
}

// Ethanol / water / acetone at 60 deg C.
void BM_GammaTernary(benchmark::State& state) {
  const auto data = LoadFile();
  const int subgroups[] = {0, 1, 2, 15, 17, 19};
  const double nu[4][6] = {{}, {0, 1, 1, 1, 0, 0}, {0, 0, 0, 0, 1, 0}, {0, 1, 0, 0, 0, 1}};
  unifac::GroupMixture mix;
  mix.nComp = 3;
  mix.nGroup = 5;
  int mainOf[unifac::kMaxGroup + 1] = {};
  for (int g = 1; g <= 5; ++g) {
    const int k = subgroups[g];
    mainOf[g] = data->UNIFAC_Main_Of[k];
    mix.Q[g] = data->UNIFAC_Q[k];
    for (int i = 1; i <= 3; ++i) {
      mix.nu[i][g] = nu[i][g];
      mix.nuTotal[i] += nu[i][g];
      mix.r[i] += nu[i][g] * data->UNIFAC_R[k];
      mix.q[i] += nu[i][g] * data->UNIFAC_Q[k];
    }
  }
  for (int i = 1; i <= 3; ++i) mix.l[i] = 5 * (mix.r[i] - mix.q[i]) - (mix.r[i] - 1);
  unifac::Set_Temperature(mix, data->UNIFAC_A, mainOf, 333.15);
  double x[] = {0, 0.2, 0.5, 0.3};
  double lnC[4], lnR[4], gamma[4];
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    unifac::Activity(mix, x, lnC, lnR, gamma);
    benchmark::DoNotOptimize(gamma);
  }
}
BENCHMARK(BM_GammaTernary);

// Example 2 (benzene - methanol at 760 mmHg, coefficients at 80 deg C).
void BM_Curve201(benchmark::State& state) {
  const auto data = LoadFile();
  unifac::UnifacEntry entry;
  unifac::Apply_Example(entry, 2);
  if (!unifac::Estimate_Start(entry, *data)) {
    state.SkipWithError("example refused");
    return;
  }
  for (auto _ : state) {
    const unifac::CurveResult curve = unifac::Calc_VLE_Curve(*data);
    benchmark::DoNotOptimize(curve);
  }
}
BENCHMARK(BM_Curve201)->Unit(benchmark::kMicrosecond);

void BM_ParFileRead(benchmark::State& state) {
  auto data = std::make_unique<UnifacData>();
  for (auto _ : state) {
    const auto status = unifac::Read_UNIFAC_Par(VZ_BIN_DIR "/UNIFAC.PAR", *data);
    benchmark::DoNotOptimize(status);
  }
}
BENCHMARK(BM_ParFileRead)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
