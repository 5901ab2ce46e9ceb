// The plate table of a running batch column: per plate the temperature and the
// liquid mole fraction of every component, with the operating time. Filled
// once when it opens; the run waits while it is open.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class frmBatchTrayData : public ui::Form {
  Q_OBJECT

 public:
  frmBatchTrayData();
  void Form_Load() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdExit_Click();

  ui::SpreadGrid* vaSpread1;
  QLabel* lblTime;
  QLabel* lblTimeValue;
  QPushButton* cmdExit;
};
