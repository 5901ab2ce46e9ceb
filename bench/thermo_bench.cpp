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
  const ThermoRunScope run;  // the calls of one run
  const double start = T_Bubble_srk(eos, -10.0, 0.980665, x) + 0.3;
  for (auto _ : state) benchmark::DoNotOptimize(T_Bubble_srk(eos, start, 0.980665, x));
}
BENCHMARK(BM_T_Bubble_srk_Warm)->ArgName("eos")->Arg(0)->Arg(1);


// Mixtures an equation of state is chosen for, 2 to 4 components at 1 to 30
// bar (critical constants of data/CriticalConstant.csv, k(i, j) of
// data/Kij Parameter.csv where the case has them).
struct EosMixture {
  int nc;
  double tc[5], pc[5], w[5], x[5];
  double k12;  // k between components 1 and 2, every other pair 0
  double pMPa;
};
const EosMixture kEosMixtures[] = {
    // methane, ethane, propane at 25 bar
    {3, {0, 190.56, 305.32, 369.83}, {0, 45.99, 48.72, 42.48}, {0, 0.011, 0.099, 0.152}, {0, 0.1, 0.3, 0.6}, 0, 2.5},
    // nitrogen, methane at 10 bar
    {2, {0, 126.2, 190.56}, {0, 33.98, 45.99}, {0, 0.037, 0.011}, {0, 0.2, 0.8}, 0.0289, 1.0},
    // carbon dioxide, propane at 20 bar
    {2, {0, 304.21, 369.83}, {0, 73.83, 42.48}, {0, 0.223621, 0.152}, {0, 0.3, 0.7}, 0.1315, 2.0},
    // methane in n-decane at 30 bar
    {2, {0, 190.56, 617.7}, {0, 45.99, 21.1}, {0, 0.011, 0.491}, {0, 0.1, 0.9}, 0.0411, 3.0},
    // propane, n-butane, n-pentane, n-hexane at 5 bar
    {4, {0, 369.83, 425.12, 469.7, 507.6}, {0, 42.48, 37.96, 33.7, 30.25}, {0, 0.152, 0.199, 0.251, 0.297},
     {0, 0.25, 0.25, 0.25, 0.25}, 0.0033, 0.5},
    // benzene, toluene at 1 atm
    {2, {0, 562.05, 591.75}, {0, 48.95, 41.08}, {0, 0.209, 0.264}, {0, 0.5, 0.5}, 0, 0.101325},
    // ethane, propane at 30 bar, some 30 K below the mixture's critical point
    {2, {0, 305.32, 369.83}, {0, 48.72, 42.48}, {0, 0.099, 0.152}, {0, 0.5, 0.5}, 0.0011, 3.0},
    // hydrogen sulfide, n-heptane at 10 bar
    {2, {0, 373.53, 540.2}, {0, 89.6291, 27.4}, {0, 0.0941677, 0.35}, {0, 0.1, 0.9}, 0, 1.0},
};

const EosMixture& loadEos(int which, double x[]) {
  const EosMixture& m = kEosMixtures[which];
  Reset_Case_Data();
  Case.NC = m.nc;
  for (int i = 1; i <= m.nc; ++i) {
    Case.Comp_Tc[i] = m.tc[i];
    Case.Comp_Pc[i] = m.pc[i];
    Case.Comp_Omega[i] = m.w[i];
    x[i] = m.x[i];
    for (int j = 1; j <= m.nc; ++j) Case.EOS_Kij[i][j] = 0;
  }
  Case.EOS_Kij[1][2] = Case.EOS_Kij[2][1] = m.k12;
  return m;
}

// A stage's call started half a kelvin above its answer, after a call on the
// same liquid in the same run (the K-values that call left still in place).
void BM_T_Bubble_srk_SetWarm(benchmark::State& state) {
  double x[kMaxComp + 1] = {};
  const EosMixture& m = loadEos(static_cast<int>(state.range(0)), x);
  const int32_t eos = static_cast<int32_t>(state.range(1));
  const ThermoRunScope run;  // the calls of one run
  const double start = T_Bubble_srk(eos, 20.0, m.pMPa, x) + 0.5;
  for (auto _ : state) benchmark::DoNotOptimize(T_Bubble_srk(eos, start, m.pMPa, x));
}
BENCHMARK(BM_T_Bubble_srk_SetWarm)->ArgNames({"mix", "eos"})->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7}, {0, 1}});

// The same starts with nothing of an earlier call to go on (no run open): SRK
// and PR called in turn (time per pair of calls).
void BM_T_Bubble_srk_SetCold(benchmark::State& state) {
  double x[kMaxComp + 1] = {};
  const EosMixture& m = loadEos(static_cast<int>(state.range(0)), x);
  const double start0 = T_Bubble_srk(0, 20.0, m.pMPa, x) + 0.5;
  const double start1 = T_Bubble_srk(1, 20.0, m.pMPa, x) + 0.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T_Bubble_srk(0, start0, m.pMPa, x));
    benchmark::DoNotOptimize(T_Bubble_srk(1, start1, m.pMPa, x));
  }
}
BENCHMARK(BM_T_Bubble_srk_SetCold)->ArgName("mix")->DenseRange(0, 7);

// A sweep down a column of 12 stages whose liquids run from 90 % of the first
// component to 10 %, each stage started from its answer of the sweep before
// plus 0.2 K (time per sweep).
void BM_T_Bubble_srk_Sweep(benchmark::State& state) {
  double x0[kMaxComp + 1] = {};
  const EosMixture& m = loadEos(static_cast<int>(state.range(0)), x0);
  const int32_t eos = static_cast<int32_t>(state.range(1));
  constexpr int kStages = 12;
  const ThermoRunScope run;  // the sweeps of one run
  double xs[kStages][kMaxComp + 1] = {}, t[kStages];
  for (int s = 0; s < kStages; ++s) {
    const double light = 0.9 - 0.8 * s / (kStages - 1);
    double rest = 0;
    for (int i = 2; i <= m.nc; ++i) rest += m.x[i];
    xs[s][1] = light;
    for (int i = 2; i <= m.nc; ++i) xs[s][i] = (1 - light) * m.x[i] / rest;
    t[s] = T_Bubble_srk(eos, 20.0, m.pMPa, xs[s]);
  }
  for (auto _ : state)
    for (int s = 0; s < kStages; ++s) benchmark::DoNotOptimize(T_Bubble_srk(eos, t[s] + 0.2, m.pMPa, xs[s]));
}
BENCHMARK(BM_T_Bubble_srk_Sweep)->ArgNames({"mix", "eos"})->ArgsProduct({{0, 2, 4}, {0, 1}});

}  // namespace

BENCHMARK_MAIN();
