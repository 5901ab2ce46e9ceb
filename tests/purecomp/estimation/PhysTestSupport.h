// Benzene as the estimated component (ChemSep constants of data/CriticalConstant.csv).
#pragma once

#include "purecomp/estimation/PhysData.h"
#include "purecomp/estimation/PhysEstimation.h"

namespace phystest {

constexpr double kBenzeneTc = 562.05;            // K
constexpr double kBenzenePcAtm = 48.95 / 1.01325;  // 48.95 bar
constexpr double kBenzeneTb = 353.24;            // K
constexpr double kBenzeneOmega = 0.209;
constexpr double kBenzeneM = 78.11184;

// Benzene over 20..280 degC (51 points).
inline void Benzene(double lowC = 20, double highC = 280) {
  physprop::Reset_Phys_Data();
  auto& p = physprop::Phys;
  p.Phys_Tc = kBenzeneTc;
  p.Phys_Pc = kBenzenePcAtm;
  p.Phys_Tb_K = kBenzeneTb;
  p.Phys_Tb_C = kBenzeneTb - 273.15;
  p.Phys_Omega = kBenzeneOmega;
  p.Phys_Mol_Wt = kBenzeneM;
  physprop::Estimation_Range(lowC, highC);
}

}  // namespace phystest
