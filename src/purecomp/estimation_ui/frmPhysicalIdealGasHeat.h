// The Rihani-Doraiswamy group dialog: the ideal-gas heat-capacity coefficients from the group counts.
#pragma once

#include "purecomp/estimation_ui/PhysGroupDialog.h"

class frmPhysicalIdealGasHeat : public PhysGroupDialog {
 public:
  frmPhysicalIdealGasHeat() : PhysGroupDialog("frmPhysicalIdealGasHeat", physprop::GroupMethod::RihaniDoraiswamy, "cmdEstimate") {}
};
