// One Marquardt fit per iteration: an example loaded, its measured activity
// coefficients computed, then the fit from the example's start values. And the
// default-start fits of the varied data sets the tests hold, one objective at a
// time.
#include <benchmark/benchmark.h>

#include <array>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/model/CalcMessages.h"
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

// The data sets of tests/vle/estimation/varied_fit_minima.txt (Wilson and NRTL,
// at constant pressure and temperature, exact and with noise).
struct VariedSet {
  bool wilson = true;
  int tp = 0;
  double condition = 0, alpha = 0.4;
  double ant[6] = {};
  std::vector<std::array<double, 3>> points;
};

const std::vector<VariedSet>& VariedSets() {
  static const std::vector<VariedSet> sets = [] {
    std::vector<VariedSet> out;
    std::ifstream in(std::string(VZ_SOURCE_DIR) + "/tests/vle/estimation/varied_fit_minima.txt");
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream s(line);
      std::string kind, name, model;
      s >> kind;
      if (kind == "set") {
        VariedSet d;
        s >> name >> model >> d.tp >> d.condition >> d.alpha;
        for (double& a : d.ant) s >> a;
        d.wilson = model == "W";
        out.push_back(d);
      } else if (kind == "pt" && !out.empty()) {
        std::array<double, 3> p{};
        s >> p[0] >> p[1] >> p[2];
        out.back().points.push_back(p);
      }
    }
    return out;
  }();
  return sets;
}

void LoadVaried(const VariedSet& d, int obj) {
  Reset_Case_Data();
  vlefit::VLE = vlefit::VLEData{};
  for (int i = 1; i <= 2; ++i) {
    Case.Antoine_A[i] = d.ant[3 * i - 3];
    Case.Antoine_B[i] = d.ant[3 * i - 2];
    Case.Antoine_C[i] = d.ant[3 * i - 1];
  }
  // The default start: Wilson (1, 1), NRTL (0, 0).
  vlefit::VLE.VLE_Calc_Type = d.wilson ? 1 : 2;
  Case.Wilson_L12 = Case.Wilson_L21 = 1;
  Case.NRTL_Tau12 = Case.NRTL_Tau21 = 0;
  Case.NRTL_Alpha = d.alpha;
  vlefit::VLE.VLE_TP_Type = d.tp;
  (d.tp == 0 ? vlefit::VLE.VLE_Press : vlefit::VLE.VLE_Temp) = d.condition;
  vlefit::VLE.VLE_NData = static_cast<int>(d.points.size());
  for (size_t k = 0; k < d.points.size(); ++k) {
    (d.tp == 0 ? vlefit::VLE.VLE_T_Data : vlefit::VLE.VLE_P_Data)[k + 1] = d.points[k][0];
    vlefit::VLE.VLE_X1_Data[k + 1] = d.points[k][1];
    vlefit::VLE.VLE_Y1_Data[k + 1] = d.points[k][2];
  }
  vlefit::Calc_Gamma_Exp();
  vlefit::VLE.VLE_Obj_Type = obj;
}

// Argument: objective (1..5). One iteration fits every varied set from the default start.
void BM_VLEFitVaried(benchmark::State& state) {
  const int obj = static_cast<int>(state.range(0));
  const std::vector<VariedSet>& sets = VariedSets();
  Set_Calc_Message_Handler([](const std::string&) {});
  long long calls = 0;
  for (auto _ : state) {
    calls = 0;
    for (const VariedSet& d : sets) {
      state.PauseTiming();
      LoadVaried(d, obj);
      state.ResumeTiming();
      const vlefit::FitResult r = vlefit::Marquardt();
      benchmark::DoNotOptimize(r.objective);
      calls += r.calls;
    }
  }
  state.counters["fits"] = static_cast<double>(sets.size());
  state.counters["objective_calls"] = static_cast<double>(calls);
}

BENCHMARK(BM_VLEFitVaried)->ArgName("objective")->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
