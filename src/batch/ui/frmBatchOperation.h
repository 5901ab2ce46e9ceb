// The operation dialog: times, tolerance, operating mode, reboiler duty at
// total reflux and the scale of the result graphs.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "batch/ui/BatchUiCommon.h"
#include "platform/ui/Controls.h"

class frmBatchOperation : public batchui::BatchDialog {
  Q_OBJECT

 public:
  frmBatchOperation();
  void Form_Load() override;
  void Form_Activate() override;

  void optOpeSpec_Click(int index);
  void optGraphScale_Click(int index);
  void cmdProdSpec_Click();
  void cmdOK_Click();

  QLabel* lblOpeTime;
  QLabel* lblDiffTime;
  QLabel* lblSaveInterval;
  QLabel* lblConvLimit;
  QLineEdit* txtOpeTime;
  QLineEdit* txtDiffTime;
  QLineEdit* txtSaveInterval;
  QLineEdit* txtConvLimit;
  QLabel* lblOpeTimeUnit;
  QLabel* lblDiffTimeUnit;
  QLabel* lblSaveIntervalUnit;
  QGroupBox* fraOpeSpec;
  ui::OptionArray optOpeSpec;
  QLabel* lblQreb;
  QLineEdit* txtQReb;
  QLabel* lblQRebUnit;
  QGroupBox* fraGraphScale;
  ui::OptionArray optGraphScale;
  QLabel* lblGraphDiv;
  QLineEdit* txtGraphDiv;
  QPushButton* cmdProdSpec;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 private:
  bool filled_ = false;
};
