// The Fedors group dialog: the critical temperature from the group counts.
#pragma once

#include "purecomp/estimation_ui/PhysGroupDialog.h"

class frmPhysicalFedors : public PhysGroupDialog {
 public:
  frmPhysicalFedors() : PhysGroupDialog("frmPhysicalFedors", physprop::GroupMethod::Fedors, "cmdEstimation") {}
};
