// The product tanks: change time, composition in mole and weight fractions,
// totals, and the heat put into each plate while the tank filled.
#pragma once

#include <QPushButton>

#include "batch/results/BatchResultCommon.h"
#include "platform/ui/SpreadGrid.h"

class frmBatchResultTank : public batchres::ResultForm {
  Q_OBJECT

 public:
  frmBatchResultTank();
  void Form_Load() override;
  void Form_Activate() override;
  void Set_Tank_Table();

  ui::SpreadGrid* vaSpread1;
  QPushButton* cmdExit;
};
