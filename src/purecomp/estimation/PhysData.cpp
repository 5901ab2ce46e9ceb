#include "purecomp/estimation/PhysData.h"

#include <algorithm>
#include <iterator>

namespace physprop {

PhysData Phys;

void Reset_Phys_Data() { Phys = PhysData{}; }

void Clear_Results() {
  PhysData fresh;
  fresh.Phys_Comp_Name = Phys.Phys_Comp_Name;
  fresh.Phys_Mol_Wt = Phys.Phys_Mol_Wt;
  fresh.Phys_Tb_C = Phys.Phys_Tb_C;
  fresh.Phys_Tb_K = Phys.Phys_Tb_K;
  fresh.Phys_Total_Atom = Phys.Phys_Total_Atom;
  fresh.Phys_Total_Atom_Blank = Phys.Phys_Total_Atom_Blank;
  fresh.Phys_Tb_Blank = Phys.Phys_Tb_Blank;
  std::copy(std::begin(Phys.Phys_Cnt_Lydersen), std::end(Phys.Phys_Cnt_Lydersen), fresh.Phys_Cnt_Lydersen);
  std::copy(std::begin(Phys.Phys_Cnt_Ambrose), std::end(Phys.Phys_Cnt_Ambrose), fresh.Phys_Cnt_Ambrose);
  std::copy(std::begin(Phys.Phys_Cnt_Joback), std::end(Phys.Phys_Cnt_Joback), fresh.Phys_Cnt_Joback);
  std::copy(std::begin(Phys.Phys_Cnt_Klincewicz), std::end(Phys.Phys_Cnt_Klincewicz), fresh.Phys_Cnt_Klincewicz);
  std::copy(std::begin(Phys.Phys_Cnt_Fedors), std::end(Phys.Phys_Cnt_Fedors), fresh.Phys_Cnt_Fedors);
  std::copy(std::begin(Phys.Phys_Cnt_CpIdeal), std::end(Phys.Phys_Cnt_CpIdeal), fresh.Phys_Cnt_CpIdeal);
  Phys = fresh;
}

void Clear_Group_Counts() {
  std::fill(std::begin(Phys.Phys_Cnt_Lydersen), std::end(Phys.Phys_Cnt_Lydersen), 0);
  std::fill(std::begin(Phys.Phys_Cnt_Ambrose), std::end(Phys.Phys_Cnt_Ambrose), 0);
  std::fill(std::begin(Phys.Phys_Cnt_Joback), std::end(Phys.Phys_Cnt_Joback), 0);
  std::fill(std::begin(Phys.Phys_Cnt_Klincewicz), std::end(Phys.Phys_Cnt_Klincewicz), 0);
  std::fill(std::begin(Phys.Phys_Cnt_Fedors), std::end(Phys.Phys_Cnt_Fedors), 0);
  std::fill(std::begin(Phys.Phys_Cnt_CpIdeal), std::end(Phys.Phys_Cnt_CpIdeal), 0);
}

}  // namespace physprop
