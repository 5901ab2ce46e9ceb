// The run-time dialog that changes the integration time step (h).
#pragma once

#include "batch/ui_run/BatchChangeDialog.h"

class frmBatchChangeDiffTime : public BatchChangeDialog {
 public:
  frmBatchChangeDiffTime();
};
