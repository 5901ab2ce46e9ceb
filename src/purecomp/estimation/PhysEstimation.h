// Steps of one estimation run that the estimation window drives between its
// dialogs: reading the component data, the acentric factor, the temperature
// range with its 51 points, and the texts of the run's messages.
#pragma once

#include <string>

#include "purecomp/estimation/PhysData.h"

namespace physprop {

// Choice of the acentric-factor relation (the index of the window's option group).
enum OmegaMethod { kEdmister = 0, kLeeKeslerOmega = 1 };

// Component data as typed: name, molecular weight, normal boiling point (degC;
// blank reads as 0), total atom count (halves to even). Sets Phys_Tb_Blank to 0.
void Estimation_Read_Inputs(const std::string& name, const std::string& molWt,
                            const std::string& tbC, const std::string& totalAtom);

// Acentric factor into Phys_Omega: Edmister (1958) or Lee-Kesler (1975), from
// Tb/Tc and Pc (atm). With Tc = 0 the message of that case, omega 0 and Ok;
// NotFinite (omega left as it was) when Pc <= 0 or Tb = Tc.
PhysStatus Acentric_Factor(int method);

// The estimation range (degC) cut to Tc and to absolute zero with their
// messages, and the 51 points from low to high.
struct RangeCut {
  bool highCut = false;  // high was above Tc: now Tc - 273.15
  bool lowCut = false;   // low was below -273.15: now -273.15
};
RangeCut Estimation_Range(double lowC, double highC);

// Message texts of a run.
// Lyman-Danner needs group values of its correlation that are not published in
// the program's data: the option is shown but cannot be chosen.
std::string Lyman_Danner_Unavailable_Message();
// A blank boiling point needs the Fedors Tc: without it the run stops.
std::string Fedors_Not_Estimated_Message();
// The liquid heat capacity needs the ideal-gas one of this run.
std::string Cp0_Not_Estimated_Message();
std::string Spencer_Danner_Missing_Message();
// A step whose inputs give no finite value ("蒸気圧" and the like name the step).
std::string Step_Fault_Message(const std::string& step);

}  // namespace physprop
