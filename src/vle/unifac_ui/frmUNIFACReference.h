// The literature source of the UNIFAC parameter set and its range of validity.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "platform/ui/Form.h"

class frmUNIFACReference : public ui::Form {
  Q_OBJECT

 public:
  frmUNIFACReference();
  void Form_Load() override;
  void Form_KeyDown(int& keyCode, int shift) override;
  void cmdExit_Click();

  QLabel* lblReference;
  QLabel* lblMessage;
  QPushButton* cmdExit;
};
