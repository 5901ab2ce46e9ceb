// The components dialog: names, molecular weights and critical constants of the
// case's components, with the component database lookup.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class frmComponent : public ui::Form {
  Q_OBJECT

 public:
  frmComponent();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void vaSpreadComp_Click(int col, int row);
  void cmdDBSearch_Click();
  void cmdOK_Click();
  void cmdCancel_Click();

  // Columns: 1 name, 2 molecular weight, 3 Tc (K), 4 Pc, 5 Vc, 6 acentric factor.
  ui::SpreadGrid* vaSpreadComp;
  QLabel* lblTitle;
  QPushButton* cmdDBSearch;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
};
