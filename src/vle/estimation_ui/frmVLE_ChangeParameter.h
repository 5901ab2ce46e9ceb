// The result window's dialog that puts a parameter pair (and NRTL alpha) in
// force by hand, without a refit; the result window redraws when it returns.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/ui/Form.h"

class frmVLE_ChangeParameter : public ui::Form {
  Q_OBJECT

 public:
  frmVLE_ChangeParameter();
  void Form_Load() override;
  void Form_KeyDown(int& keyCode, int shift) override;
  // Each filled box replaces its parameter and the result window's label; empty boxes keep theirs.
  void cmdChangeParameterOK_Click();
  void cmdChangeParameterCancel_Click();

  QGroupBox* fraCalcParameter;
  QLabel* lblChangeParameterPara12;
  QLabel* lblChangeParameterPara21;
  QLabel* lblChangeParameterPara12Data;
  QLabel* lblChangeParameterPara21Data;
  QLabel* lblChangeParameterAlpha;
  QLabel* lblChangeParameterAlphaData;
  QGroupBox* fraNewParameter;
  QLabel* lblChangeParameterPara12New;
  QLabel* lblChangeParameterPara21New;
  QLineEdit* txtChangeParameterPara12;
  QLineEdit* txtChangeParameterPara21;
  QLabel* lblChangeParameterAlphaNew;
  QLineEdit* txtChangeParameterAlpha;
  QPushButton* cmdChangeParameterOK;
  QPushButton* cmdChangeParameterCancel;
};
