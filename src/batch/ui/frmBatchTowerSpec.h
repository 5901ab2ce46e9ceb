// The column dialog: number of plates, top and bottom pressure, initial temperature.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "batch/ui/BatchUiCommon.h"

class frmBatchTowerSpec : public batchui::BatchDialog {
  Q_OBJECT

 public:
  frmBatchTowerSpec();
  void Form_Load() override;
  void Form_Activate() override;
  void cmdOK_Click();

  QLabel* lblTitle;
  QLabel* lblNT;
  QLabel* lblTopPress;
  QLabel* lblBtmPress;
  QLabel* lblTemp;
  QLineEdit* txtNT;
  QLineEdit* txtTopPress;
  QLineEdit* txtBtmPress;
  QLineEdit* txtTemp;
  QLabel* lblTopPressUnit;
  QLabel* lblBtmPressUnit;
  QLabel* lblTempUnit;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
};
