// The plate dialog: pressure, liquid hold-up and heat input of every plate.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "batch/ui/BatchUiCommon.h"
#include "platform/ui/SpreadGrid.h"

class frmBatchTray : public batchui::BatchDialog {
  Q_OBJECT

 public:
  frmBatchTray();
  void Form_Load() override;
  void Form_Activate() override;

  // The user picked another hold-up unit.
  void cboHoldupUnit_Click();
  void cmdOK_Click();

  QLabel* lblTitle1;
  QLabel* lblTitle2;
  QLabel* lblPressUnit;
  QLabel* lblHeatUnit;
  QComboBox* cboHoldupUnit;
  ui::SpreadGrid* vaSpread1;  // rows 1..NT plates, NT + 1 totals; columns press, hold-up, heat
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
};
