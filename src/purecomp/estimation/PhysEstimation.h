// Steps of one estimation run that the estimation window drives between its
// dialogs: reading the component data, the acentric factor, the temperature
// range with its 51 points, and the texts of the run's messages.
#pragma once

#include <string>

#include "purecomp/estimation/PhysData.h"

namespace physprop {

// Choice of the acentric-factor relation (the index of the window's option group).
enum OmegaMethod { kEdmister = 0, kLeeKeslerOmega = 1 };

// Atoms a molecule may be given.
constexpr long long kMaxTotalAtoms = 10000;

// Component data as typed: name, molecular weight (required, > 0), normal
// boiling point (degC, above absolute zero; blank reads as 0 and asks for the
// Fedors Tc), total atom count (0..kMaxTotalAtoms, halves to even; blank allowed
// and marked in Phys_Total_Atom_Blank). Each number box must hold wholly a
// number. Returns the refusal naming the field, in the chosen language, and then
// changes nothing; empty when read (Phys_Tb_Blank set to 0).
std::string Estimation_Read_Inputs(const std::string& name, const std::string& molWt,
                                   const std::string& tbC, const std::string& totalAtom);

// The two range boxes (degC, both required, wholly numbers) into lowC/highC;
// the refusal message naming the box, or empty.
std::string Estimation_Read_Range(const std::string& lowText, const std::string& highText, double& lowC,
                                  double& highC);

// The Spencer-Danner reference boxes: Tref (degC, above absolute zero) and the
// density there (g/cm3, > 0), both wholly numbers; the refusal, or empty.
std::string Estimation_Read_Reference(const std::string& trefText, const std::string& drefText, double& trefC,
                                      double& rhoRef);

// Points of the range whose temperature lies below Tc (the only ones at which
// a liquid and its vapour pressure exist).
int Points_Below_Tc();

// Acentric factors a real substance may have.
constexpr double kMinOmega = -1.0;
constexpr double kMaxOmega = 3.0;

// Acentric factor into Phys_Omega: Edmister (1958) or Lee-Kesler (1975), from
// Tb/Tc and Pc (atm). With Tc = 0 the message of that case, omega 0 and Ok;
// NotFinite (omega left as it was) when Pc <= 0 or Tb = Tc; OutOfRange (omega
// left as it was, its value in *rejectedOmega) outside kMinOmega..kMaxOmega.
PhysStatus Acentric_Factor(int method, double* rejectedOmega = nullptr);
// The refusal of an acentric factor outside kMinOmega..kMaxOmega.
std::string Omega_Out_Of_Range_Message(double omega);

// The estimation range (degC, both ends in the suite's range: Estimation_Read_Range)
// cut to Tc with its message, and the 51 points from low to high.
struct RangeCut {
  bool highCut = false;  // high was above Tc, now Tc - 273.15
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
// No temperature of the range lies below Tc: nothing is computed over it.
std::string No_Point_Below_Tc_Message();
// Fewer than three temperatures below Tc: no Antoine fit.
std::string Too_Few_Points_Below_Tc_Message();
// The range message: above Tc (high cut to Tc).
std::string Range_Above_Tc_Message();
std::string Tc_Zero_Omega_Message();
// A step whose inputs give no finite value ("蒸気圧" and the like name the step).
std::string Step_Fault_Message(const std::string& stepJa, const std::string& stepEn);

}  // namespace physprop
