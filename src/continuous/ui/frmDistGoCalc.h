// The start dialog of a column run: the stage compositions start from the mean
// feed (Initial) or from the last profiles (Continue); then the flow,
// temperature and pressure profiles are laid and the solver window runs.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "platform/ui/Form.h"

class frmDistGoCalc : public ui::Form {
  Q_OBJECT

 public:
  frmDistGoCalc();
  void Form_Load() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdGoCalcInz_Click();
  void cmdGoCalcCont_Click();
  void cmdGoCalcExit_Click();

  // The initial flow, temperature and pressure profiles of the column.
  static void Initial_Profile_set();

  QLabel* lblGoCalc;
  QPushButton* cmdGoCalcInz;
  QPushButton* cmdGoCalcCont;
  QPushButton* cmdGoCalcExit;

 private:
  // The common end of both start buttons: profiles, close, run.
  void Start_Run();
};
