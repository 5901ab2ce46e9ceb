// Add-component dialog: registers one component's critical constants in
// CriticalConstant and hands the formula back through New_Formula.
#pragma once

#include <QPushButton>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class frmDBCriticalConstant : public ui::Form {
  Q_OBJECT

 public:
  frmDBCriticalConstant();
  void Form_KeyDown(int& keyCode, int shift) override;
  // Adds the record with the next free Index of its name; a database error is
  // shown, nothing is added and the dialog stays open for correction.
  void cmdSave_Click();
  void cmdCancel_Click();

  ui::SpreadGrid* vaSpread1;
  QPushButton* cmdSave;
  QPushButton* cmdCancel;
};
