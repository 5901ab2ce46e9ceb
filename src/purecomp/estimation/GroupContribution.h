// Critical constants by group contribution (Lydersen, Ambrose, Joback,
// Klincewicz-Reid), Tc by Fedors' method, and the ideal-gas heat capacity by
// Rihani-Doraiswamy, from the group counts typed into the dialogs.
#pragma once

#include <string>
#include <vector>

#include "purecomp/estimation/GroupTables.h"

namespace physprop {

enum class GroupStatus {
  Estimated,            // stored; `vcMissing` or `pcNeedsAtoms` may still hold one value back
  BadCount,             // a count text is no whole number in range: nothing stored
  MissingContribution,  // a counted group has no published Tc/Pc contribution: nothing stored
  NotFinite,            // a zero denominator or a logarithm of a non-positive sum: nothing stored
  NoGroups,             // no group is counted: no structure to estimate from, nothing stored
  OutOfRange,           // a result outside its physical range (`badProperty`): nothing stored
};

// Counts a group may take: a molecule holds a group or not, never less than none.
constexpr long long kMinGroupCount = 0;
constexpr long long kMaxGroupCount = 999;

struct GroupEstimate {
  GroupStatus status = GroupStatus::Estimated;
  std::vector<std::string> missingGroups;  // names of the counted groups without a value
  // Estimated without Vc (Phys_Vc 0): these counted groups have no published Vc increment.
  std::vector<std::string> vcMissing;
  // Joback estimated without Pc (Phys_Pc 0): its Pc relation needs the atom count, left blank or 0.
  bool pcNeedsAtoms = false;
  std::string countMessage;  // BadCount: the refusal naming the group and the text
  std::string badProperty;   // OutOfRange: "Tc", "Pc", "Vc", "Tb" or "Cp0"
  std::string badRange;      // OutOfRange: what the property must be, in the chosen language
};

// Reads the count texts (rows 1..N in elements 1..N; each wholly a number, halves
// to even, within kMinGroupCount..kMaxGroupCount, blank = 0) and sums count x
// contribution per column. sums[c] is the sum over contribution column c (0-based);
// rows without a value in column c that are counted are named in `missing[c]`.
// A text that is no count leaves the kept counts alone and sets `countMessage`.
struct GroupSums {
  double sums[4] = {};
  int counted = 0;  // groups counted (sum of the counts)
  std::vector<std::string> missing[4];
  std::string countMessage;
};
GroupSums Sum_Groups(GroupMethod method, const std::vector<std::string>& countTexts);

// Tc (K), Pc (atm) and Vc (cm3/mol) of one of the four critical-constant methods
// into Phys; Tc from the boiling point, or the boiling point from the Fedors Tc
// when Phys_Tb_Blank is set. A counted group without a Vc increment leaves Vc 0
// (named in vcMissing); Joback without an atom count leaves Pc 0 (pcNeedsAtoms).
// Refused without any counted group, and when Tc <= Tb, Pc <= 0 or Vc <= 0.
GroupEstimate Critical_Estimate(GroupMethod method, const std::vector<std::string>& countTexts);

// Fedors (1982) Tc (K) into Phys_Tc with Phys_Tb_Blank = 1: 535 log10(S1) without
// an atom count, 535 (log10(nA + S2) - 0.35) with one.
GroupEstimate Fedors_Estimate(const std::vector<std::string>& countTexts);

// Rihani-Doraiswamy (1965) ideal-gas Cp coefficients (cal/mol/K, T in K) into Phys_Cp0[1..4].
GroupEstimate Cp0_Estimate(const std::vector<std::string>& countTexts);

// The message a dialog shows when its estimate was refused or held a value
// back, in the chosen language; empty when everything was estimated.
std::string Group_Estimate_Message(const GroupEstimate& estimate);

}  // namespace physprop
