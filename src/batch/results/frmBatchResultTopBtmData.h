// Temperature and liquid composition of the top plate or the still against
// time, from a history file.
#pragma once

#include "batch/results/BatchResultCommon.h"

class frmBatchResultTopBtmData : public batchres::HistoryTableForm {
  Q_OBJECT

 public:
  frmBatchResultTopBtmData();
  void Form_Load() override;

  // phase 0 total reflux, else withdrawal; kind 0 top plate, else the still.
  void Set_Top_Btm_Table(int phase, int kind);

  void cmdTopLiquid1_Click() { Choose(0); }
  void cmdBtmLiquid1_Click() { Choose(1); }
  void cmdTopLiquid2_Click() { Choose(2); }
  void cmdBtmLiquid2_Click() { Choose(3); }

 protected:
  void Fill(int phase, int kind) override { Set_Top_Btm_Table(phase, kind); }
};
