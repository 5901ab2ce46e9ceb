// Vapour or liquid flow of every plate against time, from a history file.
#pragma once

#include "batch/results/BatchResultCommon.h"

class frmBatchResultVLload : public batchres::HistoryTableForm {
  Q_OBJECT

 public:
  frmBatchResultVLload();
  void Form_Load() override;

  // phase 0 total reflux, else withdrawal; kind 0 liquid, else vapour.
  void Set_Flow_Table(int phase, int kind);

  void cmdVload1_Click() { Choose(0); }
  void cmdLload1_Click() { Choose(1); }
  void cmdVload2_Click() { Choose(2); }
  void cmdLload2_Click() { Choose(3); }

 protected:
  void Fill(int phase, int kind) override { Set_Flow_Table(phase, kind); }
};
