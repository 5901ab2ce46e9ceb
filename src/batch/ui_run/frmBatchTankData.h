// The product tank being filled during a batch run: its contents by component
// in moles and by weight, the totals, and the condition on which the run
// changes to the next tank, with the watched cell highlighted. A snapshot of
// the moment it opens; the run waits while it is open.
#pragma once

#include <QLabel>
#include <QPushButton>

#include <string>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class frmBatchTankData : public ui::Form {
  Q_OBJECT

 public:
  frmBatchTankData();
  void Form_Load() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdExit_Click();

  QLabel* lblTime;
  QLabel* lblTimeValue;
  QLabel* lblHour;
  QLabel* lblTKChange;
  QLabel* lblTKChangeData;
  ui::SpreadGrid* vaSpread1;
  QPushButton* cmdExit;

 private:
  void Show_Condition();
};

// The change condition of tank k as the tank window states it, and the cell
// (column, row) it watches; column 0 when no cell of the table is watched.
struct BatchTankCondition {
  std::string text;
  int col = 0, row = 0;
};
BatchTankCondition Batch_Tank_Condition_Text(int k);
