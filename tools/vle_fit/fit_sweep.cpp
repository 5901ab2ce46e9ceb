// Fits every data set of tests/vle/estimation/varied_fit_minima.txt, and the
// chloroform (1) / acetone (2) set whose objective 4 has a saddle point, with
// each objective from the default start and from typed starts (the tests'
// seven and every pair of 0.001, 3.6, 10, -3, 8; Wilson starts must be
// positive), and prints one line per fit for curvature_check.py:
//   <set> <W|N> <obj> <start1> <start2> <status> <p1> <p2> <F> <calls> <boundParameter>
// Further set files (same format, "min" lines not needed) are fitted as well;
// "default" among the arguments fits only the default starts, "examples" fits
// only the two shipped examples from their own start values (Wilson and NRTL,
// each objective); "trace <set> <obj> <start1> <start2>" after the set files
// fits that one case and prints every accepted step and the messages.
//
// Build against a Release tree (from the repository root):
//   g++ -std=c++20 -O2 -Isrc tools/vle_fit/fit_sweep.cpp build-rel/src/vle/estimation/libvz_vle_estimation.a \
//       build-rel/src/core/model/libvz_model.a build-rel/src/platform/libvz_text.a \
//       build-rel/src/core/thermo/libvz_thermo.a -o fit_sweep
//   ./fit_sweep tests/vle/estimation/varied_fit_minima.txt > fits.txt
//   python3 tools/vle_fit/curvature_check.py fits.txt
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "vle/estimation/VLEData.h"
#include "vle/estimation/VLEFit.h"
#include "vle/estimation/VLERunStart.h"

using namespace vlefit;

namespace {

struct DataSet {
  std::string name;
  bool wilson = true;
  int tp = 0;
  double condition = 0, alpha = 0.4;
  double ant[6] = {};
  std::vector<std::array<double, 3>> points;
};

std::vector<DataSet> Read(const char* path) {
  std::ifstream in(path);
  std::vector<DataSet> sets;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    std::string kind, model;
    s >> kind;
    if (kind == "set") {
      DataSet d;
      int n = 0;
      s >> d.name >> model >> d.tp >> d.condition >> d.alpha;
      for (double& a : d.ant) s >> a;
      s >> n;
      d.wilson = model == "W";
      sets.push_back(d);
    } else if (kind == "pt" && !sets.empty()) {
      std::array<double, 3> p{};
      s >> p[0] >> p[1] >> p[2];
      sets.back().points.push_back(p);
    }
  }
  return sets;
}

bool Load(const DataSet& d, int obj, double s1, double s2) {
  Reset_Case_Data();
  VLE = VLEData{};
  Case.Language = 1;
  for (int i = 1; i <= 2; ++i) {
    Case.Antoine_A[i] = d.ant[3 * i - 3];
    Case.Antoine_B[i] = d.ant[3 * i - 2];
    Case.Antoine_C[i] = d.ant[3 * i - 1];
  }
  VLE.VLE_Calc_Type = d.wilson ? 1 : 2;
  (d.wilson ? Case.Wilson_L12 : Case.NRTL_Tau12) = s1;
  (d.wilson ? Case.Wilson_L21 : Case.NRTL_Tau21) = s2;
  Case.NRTL_Alpha = d.alpha;
  VLE.VLE_TP_Type = d.tp;
  (d.tp == 0 ? VLE.VLE_Press : VLE.VLE_Temp) = d.condition;
  VLE.VLE_NData = static_cast<int>(d.points.size());
  for (size_t k = 0; k < d.points.size(); ++k) {
    (d.tp == 0 ? VLE.VLE_T_Data : VLE.VLE_P_Data)[k + 1] = d.points[k][0];
    VLE.VLE_X1_Data[k + 1] = d.points[k][1];
    VLE.VLE_Y1_Data[k + 1] = d.points[k][2];
  }
  if (!Calc_Gamma_Exp().empty()) return false;
  VLE.VLE_Obj_Type = obj;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: fit_sweep varied_fit_minima.txt [more sets...] [default|examples]\n");
    return 2;
  }
  Set_Calc_Message_Handler([](const std::string&) {});
  bool defaultOnly = false;
  std::vector<DataSet> sets;
  for (int a = 1; a < argc; ++a) {
    const std::string arg = argv[a];
    if (arg == "examples") {
      for (int example : {1, 2})
        for (int type : {1, 2})
          for (int obj = 1; obj <= 5; ++obj) {
            Load_VLE_Example(example);
            VLE.VLE_Calc_Type = type;
            VLE.VLE_Obj_Type = obj;
            Calc_Gamma_Exp();
            const FitResult r = Marquardt();
            std::printf("example-%d %c %d %d %.17g %.17g %.17g %d %d\n", example, type == 1 ? 'W' : 'N', obj,
                        static_cast<int>(r.status), r.p1, r.p2, r.objective, r.calls, r.boundParameter);
          }
      return 0;
    }
    if (arg == "trace" && a + 4 < argc) {
      for (const DataSet& d : sets) {
        if (d.name != argv[a + 1]) continue;
        if (!Load(d, std::atoi(argv[a + 2]), std::atof(argv[a + 3]), std::atof(argv[a + 4]))) return 1;
        Set_Calc_Message_Handler([](const std::string& m) { std::printf("message: %s\n", m.c_str()); });
        const FitResult r = Marquardt([](const FitProgress& p) {
          std::printf("step %d calls %d F %.12g p %.12g %.12g V %.3g\n", p.iteration, p.calls, p.objective, p.p1,
                      p.p2, p.damping);
        });
        std::printf("end status %d p %.17g %.17g F %.17g calls %d cosine %.3g bound %d\n",
                    static_cast<int>(r.status), r.p1, r.p2, r.objective, r.calls, r.gradient, r.boundParameter);
        return 0;
      }
      return 1;
    }
    if (arg == "default") {
      defaultOnly = true;
    } else {
      std::vector<DataSet> more = Read(argv[a]);
      sets.insert(sets.end(), more.begin(), more.end());
    }
  }
  DataSet ca;
  ca.name = "chloroform-acetone-W";
  const double ant[6] = {7.22719435, 1336.49784, 246.332, 7.1837649, 1238.04328, 231.469};
  std::copy(ant, ant + 6, ca.ant);
  ca.condition = 760;
  ca.points = {{56.58182928, 0.02, 0.00900639}, {57.08921758, 0.05, 0.02371156}, {57.95655066, 0.10, 0.05163057},
               {59.72252774, 0.20, 0.12162028}, {61.41804277, 0.30, 0.21222415}, {62.88395449, 0.40, 0.32338360},
               {63.95095517, 0.50, 0.45125899}, {64.47452489, 0.60, 0.58754385}, {64.37876625, 0.70, 0.72059666},
               {63.69061993, 0.80, 0.83852118}, {62.54592770, 0.90, 0.93274006}, {61.86892190, 0.95, 0.96973195},
               {61.44750065, 0.98, 0.98868186}};
  sets.push_back(ca);
  const double typed[] = {0.001, 3.6, 10, -3, 8};
  for (const DataSet& d : sets) {
    for (int obj = 1; obj <= 5; ++obj) {
      std::vector<std::pair<double, double>> starts = {d.wilson ? std::pair{1.0, 1.0} : std::pair{0.0, 0.0}};
      if (!defaultOnly) {
        const std::vector<std::pair<double, double>> seven =
            d.wilson ? std::vector<std::pair<double, double>>{{0.001, 0.001}, {1e-6, 1e-6}, {0.03, 0.03},
                                                              {10, 10},       {100, 0.01},  {0.2, 3}}
                     : std::vector<std::pair<double, double>>{{10, -3}, {-3, 10}, {5, 5}, {-2, -2}, {20, 20}, {1, -1}};
        starts.insert(starts.end(), seven.begin(), seven.end());
        for (double a : typed)
          for (double b : typed)
            if (!d.wilson || (a > 0 && b > 0)) starts.push_back({a, b});
      }
      for (const auto& [s1, s2] : starts) {
        if (!Load(d, obj, s1, s2)) {
          std::printf("%s %d %g %g LOADFAIL\n", d.name.c_str(), obj, s1, s2);
          continue;
        }
        const FitResult r = Marquardt();
        std::printf("%s %c %d %.17g %.17g %d %.17g %.17g %.17g %d %d\n", d.name.c_str(), d.wilson ? 'W' : 'N', obj,
                    s1, s2, static_cast<int>(r.status), r.p1, r.p2, r.objective, r.calls, r.boundParameter);
      }
    }
  }
  return 0;
}
