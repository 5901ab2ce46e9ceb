// Reads one liquid a line and prints the library's SRK / Peng-Robinson bubble
// point of it, for tools/thermo/eos_random_check.py:
//   in:  eos nc {Tc Pc omega}*nc k(i,j)*nc*nc x*nc P(MPa) t0(degC)
//   out: t(degC) status residual evaluations K*nc
// Build against a Release tree, e.g.
//   g++ -std=c++20 -O2 -Isrc tools/thermo/eos_random_driver.cpp build-rel/src/core/thermo/libvz_thermo.a
//       build-rel/src/core/model/libvz_model.a build-rel/src/platform/libvz_text.a -o /tmp/eos_random_driver
// (one command line).
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

int main() {
  Set_Calc_Message_Handler([](const std::string&) {});
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    int eos = 0, nc = 0;
    in >> eos >> nc;
    if (!in || nc < 1 || nc > kMaxComp) {
      std::printf("nan -1 nan 0\n");
      continue;
    }
    Reset_Case_Data();
    Case.NC = nc;
    for (int i = 1; i <= nc; ++i) in >> Case.Comp_Tc[i] >> Case.Comp_Pc[i] >> Case.Comp_Omega[i];
    for (int i = 1; i <= nc; ++i)
      for (int j = 1; j <= nc; ++j) in >> Case.EOS_Kij[i][j];
    double x[kMaxComp + 1] = {};
    for (int i = 1; i <= nc; ++i) in >> x[i];
    double P = 0, t0 = 0;
    in >> P >> t0;
    ThermoOutcome out;
    const double t = T_Bubble_srk(eos, t0, P, x, &out);
    std::printf("%.10f %d %.3e %d", t, static_cast<int>(out.status), out.residual, out.iterations);
    for (int i = 1; i <= nc; ++i) std::printf(" %.17g", Case.K_Value[i]);
    std::printf("\n");
    std::fflush(stdout);
  }
}
