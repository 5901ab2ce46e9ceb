// Critical constants by group contribution (Lydersen, Ambrose, Joback,
// Klincewicz-Reid), Tc by Fedors' method, and the ideal-gas heat capacity by
// Rihani-Doraiswamy, from the group counts typed into the dialogs.
#pragma once

#include <string>
#include <vector>

#include "purecomp/estimation/GroupTables.h"

namespace physprop {

enum class GroupStatus {
  Estimated,
  MissingContribution,  // a counted group has no published contribution: nothing stored
  NotFinite,            // a zero denominator or a logarithm of a non-positive sum: nothing stored
};

struct GroupEstimate {
  GroupStatus status = GroupStatus::Estimated;
  std::vector<std::string> missingGroups;  // names of the counted groups without a value
};

// Reads the count texts (rows 1..N in elements 1..N; the leading number, halves
// to even) into the method's kept counts and sums count x contribution per column.
// sums[c] is the sum over contribution column c (0-based); rows without a value
// in column c that are counted are named in `missing[c]`.
struct GroupSums {
  double sums[4] = {};
  std::vector<std::string> missing[4];
};
GroupSums Sum_Groups(GroupMethod method, const std::vector<std::string>& countTexts);

// Tc (K), Pc (atm) and Vc (cm3/mol) of one of the four critical-constant methods
// into Phys; Tc from the boiling point, or the boiling point from the Fedors Tc
// when Phys_Tb_Blank is set.
GroupEstimate Critical_Estimate(GroupMethod method, const std::vector<std::string>& countTexts);

// Fedors (1982) Tc (K) into Phys_Tc with Phys_Tb_Blank = 1: 535 log10(S1) without
// an atom count, 535 (log10(nA + S2) - 0.35) with one.
GroupEstimate Fedors_Estimate(const std::vector<std::string>& countTexts);

// Rihani-Doraiswamy (1965) ideal-gas Cp coefficients (cal/mol/K, T in K) into Phys_Cp0[1..4].
GroupEstimate Cp0_Estimate(const std::vector<std::string>& countTexts);

// The message a dialog shows when its estimate was refused.
std::string Group_Estimate_Message(const GroupEstimate& estimate);

}  // namespace physprop
