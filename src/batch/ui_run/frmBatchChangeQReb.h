// The run-time dialog that changes the reboiler duty, shown and typed in the display heat unit per hour.
#pragma once

#include "batch/ui_run/BatchChangeDialog.h"

class frmBatchChangeQReb : public BatchChangeDialog {
 public:
  frmBatchChangeQReb();
};
