// Speed of the thermodynamic library's hot paths: the column solver calls the
// bubble point once per stage and iteration, the batch run once per plate and
// time step. Run: <build>/bin/thermo_bench (a Release build).
#include <benchmark/benchmark.h>

#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace {

// nc components with Antoine constants spread around those of light alcohols
// and water, non-ideal Wilson and NRTL parameters, and an even liquid.
void loadMixture(int nc, int kMethod, double x[]) {
  Reset_Case_Data();
  Case.NC = nc;
  Case.K_Method = kMethod;
  Case.NRTL_Alpha = 0.3;
  for (int i = 1; i <= nc; ++i) {
    Case.Antoine_A[i] = 7.8 + 0.02 * (i % 7);
    Case.Antoine_B[i] = 1400.0 + 25.0 * i;
    Case.Antoine_C[i] = 230.0 - 1.5 * (i % 5);
    x[i] = 1.0 / nc;
    for (int j = 1; j <= nc; ++j) {
      Case.Wilson_Lambda[i][j] = i == j ? 1.0 : 0.5 + 0.05 * ((i * 7 + j * 3) % 17);
      Case.NRTL_Tau[i][j] = i == j ? 0.0 : -0.4 + 0.1 * ((i * 5 + j * 11) % 13);
    }
  }
}

void BM_T_Bubble_Mix(benchmark::State& state) {
  const int nc = static_cast<int>(state.range(0));
  double x[kMaxComp + 1];
  loadMixture(nc, static_cast<int>(state.range(1)), x);
  const double P = 0.1013;
  const double answer = T_Bubble_Mix(80.0, P, x);
  const double start = answer - 5.0;  // a column stage starts near its last temperature
  for (auto _ : state) benchmark::DoNotOptimize(T_Bubble_Mix(start, P, x));
}
BENCHMARK(BM_T_Bubble_Mix)
    ->ArgNames({"NC", "K_Method"})
    ->Args({5, 1})->Args({20, 1})->Args({5, 2})->Args({20, 2})->Args({5, 3})->Args({20, 3});

void BM_ActivityCoeff_NRTL(benchmark::State& state) {
  const int nc = static_cast<int>(state.range(0));
  double x[kMaxComp + 1];
  loadMixture(nc, 3, x);
  for (auto _ : state) {
    ActivityCoeff_NRTL(x);
    benchmark::DoNotOptimize(Case.Gamma[1]);
  }
}
BENCHMARK(BM_ActivityCoeff_NRTL)->ArgName("NC")->Arg(5)->Arg(20);

void BM_ITFlash(benchmark::State& state) {
  const int nc = static_cast<int>(state.range(0));
  double z[kMaxComp + 1];
  loadMixture(nc, static_cast<int>(state.range(1)), z);
  const double P = 0.1013;
  const double t = 0.5 * (T_Bubble_Mix(80.0, P, z) + T_Dew_Mix(80.0, P, z));  // two phases
  for (auto _ : state) {
    double vf = 0;
    ITFlash(t, P, vf, z);
    benchmark::DoNotOptimize(vf);
  }
}
BENCHMARK(BM_ITFlash)->ArgNames({"NC", "K_Method"})->Args({5, 1})->Args({5, 2})->Args({20, 2});

void BM_T_Bubble_srk(benchmark::State& state) {
  // Ethane, propane, n-butane at 10 kgf/cm2 (the flash program's second example).
  Reset_Case_Data();
  Case.NC = 3;
  const double tc[] = {0, 305.4, 369.8, 425.2}, pc[] = {0, 48.8, 42.5, 38}, w[] = {0, 0.099, 0.153, 0.199};
  const double x[] = {0, 0.2, 0.5, 0.3};
  for (int i = 1; i <= 3; ++i) {
    Case.Comp_Tc[i] = tc[i];
    Case.Comp_Pc[i] = pc[i];
    Case.Comp_Omega[i] = w[i];
  }
  const int32_t eos = static_cast<int32_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(T_Bubble_srk(eos, -10.0, 0.980665, x));
}
BENCHMARK(BM_T_Bubble_srk)->ArgName("eos")->Arg(0)->Arg(1);

void BM_T_Bubble_srk_DissolvedGas(benchmark::State& state) {
  // Methane in n-decane at 10 bar, k = 0.0411: the bubble point lies far from
  // the ideal one.
  Reset_Case_Data();
  Case.NC = 2;
  const double tc[] = {0, 190.56, 617.7}, pc[] = {0, 45.99, 21.1}, w[] = {0, 0.011, 0.491};
  const double x[] = {0, 0.05, 0.95};
  for (int i = 1; i <= 2; ++i) {
    Case.Comp_Tc[i] = tc[i];
    Case.Comp_Pc[i] = pc[i];
    Case.Comp_Omega[i] = w[i];
  }
  Case.EOS_Kij[1][2] = Case.EOS_Kij[2][1] = 0.0411;
  const int32_t eos = static_cast<int32_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(T_Bubble_srk(eos, 20.0, 1.0, x));
}
BENCHMARK(BM_T_Bubble_srk_DissolvedGas)->ArgName("eos")->Arg(0)->Arg(1);

// A stage's call in a column or batch run: the start is the stage's last
// temperature, a few tenths of a kelvin from the answer (flash example 2).
void BM_T_Bubble_srk_Warm(benchmark::State& state) {
  Reset_Case_Data();
  Case.NC = 3;
  const double tc[] = {0, 305.4, 369.8, 425.2}, pc[] = {0, 48.8, 42.5, 38}, w[] = {0, 0.099, 0.153, 0.199};
  const double x[] = {0, 0.2, 0.5, 0.3};
  for (int i = 1; i <= 3; ++i) {
    Case.Comp_Tc[i] = tc[i];
    Case.Comp_Pc[i] = pc[i];
    Case.Comp_Omega[i] = w[i];
  }
  const int32_t eos = static_cast<int32_t>(state.range(0));
  const double start = T_Bubble_srk(eos, -10.0, 0.980665, x) + 0.3;
  for (auto _ : state) benchmark::DoNotOptimize(T_Bubble_srk(eos, start, 0.980665, x));
}
BENCHMARK(BM_T_Bubble_srk_Warm)->ArgName("eos")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
