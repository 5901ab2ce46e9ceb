// The result window's dialog that changes the x1 and y1 ranges of the diagram
// (each within 0..1, lower below upper).
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/ui/Form.h"

class frmVLE_ChangeScale : public ui::Form {
  Q_OBJECT

 public:
  frmVLE_ChangeScale();
  void Form_Load() override;
  void Form_KeyDown(int& keyCode, int shift) override;
  // Stores the four bounds when every check passes; else shows the first failure and stays open.
  void cmdChangeScaleOK_Click();
  void cmdChangeScaleCancel_Click();

  QLabel* lblChangeScaleX_Title;
  QLabel* lblChangeScaleY_Title;
  QLabel* lblChangeScaleMin;
  QLabel* lblChangeScaleMax;
  QLineEdit* txtChangeScaleXmin;
  QLineEdit* txtChangeScaleXmax;
  QLineEdit* txtChangeScaleYmin;
  QLineEdit* txtChangeScaleYmax;
  QPushButton* cmdChangeScaleOK;
  QPushButton* cmdChangeScaleCancel;
};
