// Temperature and liquid composition of the top plate or the still against
// time, from a history file.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "batch/results/BatchResultCommon.h"
#include "platform/ui/SpreadGrid.h"

class frmBatchResultTopBtmData : public batchres::ResultForm {
  Q_OBJECT

 public:
  frmBatchResultTopBtmData();
  void Form_Load() override;

  // phase 0 total reflux, else withdrawal; kind 0 top plate, else the still.
  void Set_Top_Btm_Table(int phase, int kind);

  void cmdTopLiquid1_Click();
  void cmdBtmLiquid1_Click();
  void cmdTopLiquid2_Click();
  void cmdBtmLiquid2_Click();

  QPushButton* cmdTopLiquid1;
  QPushButton* cmdBtmLiquid1;
  QPushButton* cmdTopLiquid2;
  QPushButton* cmdBtmLiquid2;
  QPushButton* cmdExit;
  QLabel* lblTitle;
  ui::SpreadGrid* vaSpread1;
};
