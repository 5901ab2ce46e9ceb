// The run-time dialog that changes the period of the saved history records (h).
#pragma once

#include "batch/ui_run/BatchChangeDialog.h"

class frmBatchChangeSaveInterval : public BatchChangeDialog {
 public:
  frmBatchChangeSaveInterval();
};
