// The balance and duties window: per component and in total what the feeds
// bring and the products take, the differences, the heat flows and the
// condenser and reboiler duties of the solved column.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "continuous/results/DistResultData.h"
#include "continuous/results/ResultText.h"
#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class frmDistResultBalance : public ui::Form {
  Q_OBJECT

 public:
  frmDistResultBalance();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdResultBalanceExit_Click();

  // The balance last shown (internal units).
  const DistBalance& Balance() const { return balance_; }

  QLabel* lblResultBalanceText;
  ui::SpreadGrid* vaSpread1;
  QGroupBox* fraResultBalanceHeatDuty;
  QLabel* lblResultBalanceQcon;
  QLabel* lblResultBalanceQConData;
  QLabel* lblResultBalanceQreb;
  QLabel* lblResultBalanceQRebData;
  QLabel* lblResultHeatUnit1;
  QLabel* lblResultHeatUnit2;
  QPushButton* cmdResultBalanceExit;
  QLabel* lblResultNotConverged;  // "Not converged" and why, when the results are no solution

 private:
  DistBalance balance_;
  results::MessageSink messages_;
};
