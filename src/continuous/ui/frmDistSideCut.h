// The side-cut dialog: up to five liquid and five vapour side draws, each by
// its stage and flow.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class frmDistSideCut : public ui::Form {
  Q_OBJECT

 public:
  frmDistSideCut();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdSideCutOK_Click();
  void cmdSideCutCancel_Click();

  // Columns 1..5 the side cuts; row 1 the stage from the top, row 2 the flow, kmol/h.
  ui::SpreadGrid* vaSpreadSideCutLiquid;
  ui::SpreadGrid* vaSpreadSideCutVapor;
  QPushButton* cmdSideCutOK;
  QPushButton* cmdSideCutCancel;
};
