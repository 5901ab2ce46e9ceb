// The run-time dialog that changes the reflux ratio of the tank being filled.
#pragma once

#include "batch/ui_run/BatchChangeDialog.h"

class frmBatchChangeReflux : public BatchChangeDialog {
 public:
  frmBatchChangeReflux();
};
