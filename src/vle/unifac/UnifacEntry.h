// The UNIFAC window's entries and the estimate start: the checks of the entries,
// the list of distinct subgroups, r, q and l of each component and the check
// that every needed interaction parameter is registered.
#pragma once

#include <string>

#include "vle/unifac/UnifacData.h"

namespace unifac {

// What the window's controls hold, as typed (a text that must be a number is
// refused unless it is wholly one).
struct UnifacEntry {
  std::string Name[kNComp + 1];        // component names, rows 1 and 2 of the Antoine grid
  std::string Antoine[kNComp + 1][4];  // [i][1..3]: A, B, C of component i
  std::string Press;                   // mmHg
  std::string Temp;                    // deg C
  // Count cells "x1" and "x2" of the subgroup grid by subgroup number 1..88:
  // Count[i][k] is the count of subgroup k in component i; empty = not chosen.
  std::string Count[kNComp + 1][kGridSub + 1];
};

// Empties every count cell (`frmUNIFAC.Clear_Group_Count`).
void Clear_Group_Count(UnifacEntry& entry);

// Fills the entry with built-in example 1 (methanol - water) or 2 (benzene -
// methanol): names, Antoine constants, 760 mmHg, 80 deg C and the group counts;
// the other counts are emptied first.
void Apply_Example(UnifacEntry& entry, int example);

// Appends subgroup k to the distinct-group list unless it is there already;
// returns its list position, or 0 when the list is full (10 subgroups).
int Add_Group(UnifacData& data, int k);

// The estimate start. Stores the names and Antoine constants into Case and the
// pressure and temperature into `data`, builds the distinct-group list, r, q
// and l, and checks the interaction parameters. The first failing check shows
// its message through Calc_Message and returns false (no result window opens);
// true when the curve may be computed.
bool Estimate_Start(const UnifacEntry& entry, UnifacData& data);

}  // namespace unifac
