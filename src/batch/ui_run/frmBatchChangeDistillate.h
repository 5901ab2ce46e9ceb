// The run-time dialog that changes the distillate rate of the tank being filled (kmol/h).
#pragma once

#include "batch/ui_run/BatchChangeDialog.h"

class frmBatchChangeDistillate : public BatchChangeDialog {
 public:
  frmBatchChangeDistillate();
};
