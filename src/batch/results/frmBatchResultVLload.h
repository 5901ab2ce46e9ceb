// Vapour or liquid flow of every plate against time, from a history file.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "batch/results/BatchResultCommon.h"
#include "platform/ui/SpreadGrid.h"

class frmBatchResultVLload : public batchres::ResultForm {
  Q_OBJECT

 public:
  frmBatchResultVLload();
  void Form_Load() override;

  // phase 0 total reflux, else withdrawal; kind 0 liquid, else vapour.
  void Set_Flow_Table(int phase, int kind);

  void cmdVload1_Click();
  void cmdLload1_Click();
  void cmdVload2_Click();
  void cmdLload2_Click();

  QPushButton* cmdVload1;
  QPushButton* cmdLload1;
  QPushButton* cmdVload2;
  QPushButton* cmdLload2;
  QPushButton* cmdExit;
  QLabel* lblTitle;
  ui::SpreadGrid* vaSpread1;
};
