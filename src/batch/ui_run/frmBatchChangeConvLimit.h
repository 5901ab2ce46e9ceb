// The run-time dialog that changes the total-reflux convergence limit (mole fraction), beside the plate residuals.
#pragma once

#include "batch/ui_run/BatchChangeDialog.h"

class frmBatchChangeConvLimit : public BatchChangeDialog {
 public:
  frmBatchChangeConvLimit();
};
