// The pressure-profile dialog: the pressures of chosen stages; blank stages are
// interpolated when a run starts.
#pragma once

#include <QPushButton>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class frmDistPressProfile : public ui::Form {
  Q_OBJECT

 public:
  frmDistPressProfile();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdPressProfileOK_Click();
  void cmdPressProfileCancel_Click();

  // One row per stage (1 the top), the pressure in the display unit.
  ui::SpreadGrid* vaSpreadPressProfile;
  QPushButton* cmdPressProfileOK;
  QPushButton* cmdPressProfileCancel;
};
