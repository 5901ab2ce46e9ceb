#include "purecomp/estimation/PhysData.h"

#include <algorithm>
#include <iterator>

namespace physprop {

PhysData Phys;

void Reset_Phys_Data() { Phys = PhysData{}; }

void Clear_Group_Counts() {
  std::fill(std::begin(Phys.Phys_Cnt_Lydersen), std::end(Phys.Phys_Cnt_Lydersen), 0);
  std::fill(std::begin(Phys.Phys_Cnt_Ambrose), std::end(Phys.Phys_Cnt_Ambrose), 0);
  std::fill(std::begin(Phys.Phys_Cnt_Joback), std::end(Phys.Phys_Cnt_Joback), 0);
  std::fill(std::begin(Phys.Phys_Cnt_Klincewicz), std::end(Phys.Phys_Cnt_Klincewicz), 0);
  std::fill(std::begin(Phys.Phys_Cnt_Fedors), std::end(Phys.Phys_Cnt_Fedors), 0);
  std::fill(std::begin(Phys.Phys_Cnt_CpIdeal), std::end(Phys.Phys_Cnt_CpIdeal), 0);
}

}  // namespace physprop
