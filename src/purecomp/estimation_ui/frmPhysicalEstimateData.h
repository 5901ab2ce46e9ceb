// The estimated values as tables: the component's constants and fitted
// coefficients, and the 51 temperatures with the property values at each.
#pragma once

#include <QPushButton>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class frmPhysicalEstimateData : public ui::Form {
  Q_OBJECT

 public:
  frmPhysicalEstimateData();
  void Form_Load() override;
  void Form_Activate() override;
  void cmdExit_Click();

  ui::SpreadGrid* vaSpread1;  // 26 rows: name, unit or letter, value
  ui::SpreadGrid* vaSpread2;  // two title rows, then the 51 points
  QPushButton* cmdExit;

 private:
  void Fill_Constants();
  void Fill_Points();
  void Apply_Language();
};
