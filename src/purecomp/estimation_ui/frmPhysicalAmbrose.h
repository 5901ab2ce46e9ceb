// The Ambrose group dialog: the critical temperature, pressure and volume from the group counts.
#pragma once

#include "purecomp/estimation_ui/PhysGroupDialog.h"

class frmPhysicalAmbrose : public PhysGroupDialog {
 public:
  frmPhysicalAmbrose() : PhysGroupDialog("frmPhysicalAmbrose", physprop::GroupMethod::Ambrose, "cmdEstimation") {}
};
