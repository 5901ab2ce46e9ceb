// The graph-division dialog: how many decades the logarithmic composition axis
// of the column's profile graphs spans (Dist_Graph_Div, 1..9).
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "platform/ui/Form.h"

class frmDistGraphScale : public ui::Form {
  Q_OBJECT

 public:
  frmDistGraphScale();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdGraphScaleOK_Click();
  void cmdGraphScaleCancel_Click();

  QLabel* lblGraphScaleText;
  QComboBox* cboGraphScale;
  QPushButton* cmdGraphScaleOK;
  QPushButton* cmdGraphScaleCancel;
};
