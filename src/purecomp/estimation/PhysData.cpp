#include "purecomp/estimation/PhysData.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace physprop {

PhysData Phys;

namespace {

// Counts kept for the components of this window's earlier runs, by name; the
// counts in Phys belong to countsOwner.
std::map<std::string, PhysData> keptCounts;
std::string countsOwner;

void Copy_Counts(const PhysData& from, PhysData& to) {
  std::copy(std::begin(from.Phys_Cnt_Lydersen), std::end(from.Phys_Cnt_Lydersen), to.Phys_Cnt_Lydersen);
  std::copy(std::begin(from.Phys_Cnt_Ambrose), std::end(from.Phys_Cnt_Ambrose), to.Phys_Cnt_Ambrose);
  std::copy(std::begin(from.Phys_Cnt_Joback), std::end(from.Phys_Cnt_Joback), to.Phys_Cnt_Joback);
  std::copy(std::begin(from.Phys_Cnt_Klincewicz), std::end(from.Phys_Cnt_Klincewicz), to.Phys_Cnt_Klincewicz);
  std::copy(std::begin(from.Phys_Cnt_Fedors), std::end(from.Phys_Cnt_Fedors), to.Phys_Cnt_Fedors);
  std::copy(std::begin(from.Phys_Cnt_CpIdeal), std::end(from.Phys_Cnt_CpIdeal), to.Phys_Cnt_CpIdeal);
}

std::string Trimmed(const std::string& s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

}  // namespace

void Reset_Phys_Data() {
  Phys = PhysData{};
  keptCounts.clear();
  countsOwner.clear();
}

void Clear_Results() {
  PhysData fresh;
  fresh.Phys_Comp_Name = Phys.Phys_Comp_Name;
  fresh.Phys_Mol_Wt = Phys.Phys_Mol_Wt;
  fresh.Phys_Tb_C = Phys.Phys_Tb_C;
  fresh.Phys_Tb_K = Phys.Phys_Tb_K;
  fresh.Phys_Total_Atom = Phys.Phys_Total_Atom;
  fresh.Phys_Total_Atom_Blank = Phys.Phys_Total_Atom_Blank;
  fresh.Phys_Tb_Blank = Phys.Phys_Tb_Blank;
  Copy_Counts(Phys, fresh);
  Phys = fresh;
}

void Clear_Group_Counts() {
  std::fill(std::begin(Phys.Phys_Cnt_Lydersen), std::end(Phys.Phys_Cnt_Lydersen), 0);
  std::fill(std::begin(Phys.Phys_Cnt_Ambrose), std::end(Phys.Phys_Cnt_Ambrose), 0);
  std::fill(std::begin(Phys.Phys_Cnt_Joback), std::end(Phys.Phys_Cnt_Joback), 0);
  std::fill(std::begin(Phys.Phys_Cnt_Klincewicz), std::end(Phys.Phys_Cnt_Klincewicz), 0);
  std::fill(std::begin(Phys.Phys_Cnt_Fedors), std::end(Phys.Phys_Cnt_Fedors), 0);
  std::fill(std::begin(Phys.Phys_Cnt_CpIdeal), std::end(Phys.Phys_Cnt_CpIdeal), 0);
  keptCounts.clear();
  countsOwner.clear();
}

void Use_Group_Counts_Of(const std::string& componentName) {
  const std::string name = Trimmed(componentName);
  if (name == countsOwner) return;
  Copy_Counts(Phys, keptCounts[countsOwner]);
  const auto kept = keptCounts.find(name);
  Copy_Counts(kept != keptCounts.end() ? kept->second : PhysData{}, Phys);
  countsOwner = name;
}

}  // namespace physprop
