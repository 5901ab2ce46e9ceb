// The Klincewicz-Reid group dialog: the critical temperature, pressure and volume from the group counts.
#pragma once

#include "purecomp/estimation_ui/PhysGroupDialog.h"

class frmPhysicalKlincewicz : public PhysGroupDialog {
 public:
  frmPhysicalKlincewicz() : PhysGroupDialog("frmPhysicalKlincewicz", physprop::GroupMethod::Klincewicz, "cmdEstimation") {}
};
