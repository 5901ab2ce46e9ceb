// The feed dialog: up to five feeds, one grid column each: stage, temperature,
// pressure, V/F, flow and mole fractions.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class frmDistFeed : public ui::Form {
  Q_OBJECT

 public:
  frmDistFeed();
  void Form_Load() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdFeedOK_Click();
  void cmdFeedCancel_Click();

  // Columns 1 description, 2 unit, 3..7 feeds 1..5; rows 1..5 stage, temperature,
  // pressure, V/F, flow; rows 6.. the mole fractions of components 1..NC.
  ui::SpreadGrid* vaSpreadFeed;
  QLabel* lblFeedTitle;
  QPushButton* cmdFeedOK;
  QPushButton* cmdFeedCancel;
};
