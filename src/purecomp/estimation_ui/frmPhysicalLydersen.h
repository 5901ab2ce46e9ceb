// The Lydersen group dialog: the critical temperature, pressure and volume from the group counts.
#pragma once

#include "purecomp/estimation_ui/PhysGroupDialog.h"

class frmPhysicalLydersen : public PhysGroupDialog {
 public:
  frmPhysicalLydersen() : PhysGroupDialog("frmPhysicalLydersen", physprop::GroupMethod::Lydersen, "cmdEstimate") {}
};
