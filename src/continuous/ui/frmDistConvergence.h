// The convergence dialog: iteration limits and criteria of the material-balance
// and heat-balance passes of the column solver.
#pragma once

#include <QLineEdit>
#include <QPushButton>

#include "platform/ui/Form.h"

class frmDistConvergence : public ui::Form {
  Q_OBJECT

 public:
  frmDistConvergence();
  void Form_Load() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdConvDefault_Click();
  void cmdConvOK_Click();
  void cmdConvCancel_Click();

  QLineEdit* txtConvMax1;    // Max_Iter(1)
  QLineEdit* txtConvMax2;    // Max_Iter(2)
  QLineEdit* txtConvLimit1;  // Conv_Crit(1)
  QLineEdit* txtConvLimit2;  // Conv_Crit(2)
  QPushButton* cmdConvDefault;
  QPushButton* cmdConvCancel;
  QPushButton* cmdConvOK;
};
