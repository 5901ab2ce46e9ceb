// The stage profile table of the solved column: per stage temperature,
// pressure, the liquid or vapour flow, its enthalpy and composition, on a mole
// or weight basis.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "continuous/results/ResultText.h"
#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class frmDistResultTray : public ui::Form {
  Q_OBJECT

 public:
  frmDistResultTray();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  // phase 0 liquid, any other vapour; basis 0 mole, any other weight.
  void Disp_Tray_Profile(int phase, int basis);
  void cmdResultPrint_Click();

  QLabel* lblResultTitle;
  QLabel* lblResultNotConverged;  // "Not converged" and why, when the results are no solution
  ui::SpreadGrid* vaSpread1;
  QPushButton* cmdResultLiquid;
  QPushButton* cmdResultVapor;
  QPushButton* cmdResultLiquidWt;
  QPushButton* cmdResultVaporWt;
  QPushButton* cmdResultTrayPrint;
  QPushButton* cmdResultPrintAll;
  QPushButton* cmdResultExit;

 private:
  results::MessageSink messages_;
};
