// The Joback group dialog: the critical temperature, pressure and volume from the group counts.
#pragma once

#include "purecomp/estimation_ui/PhysGroupDialog.h"

class frmPhysicalJoback : public PhysGroupDialog {
 public:
  frmPhysicalJoback() : PhysGroupDialog("frmPhysicalJoback", physprop::GroupMethod::Joback, "cmdEstimation") {}
};
