// The feed and product tables of the solved column: one column per stream,
// the feeds, the liquid draws or the vapour draws, on a mole or weight basis.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "continuous/results/ResultText.h"
#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class frmDistResultProd : public ui::Form {
  Q_OBJECT

 public:
  frmDistResultProd();
  void Form_Load() override;
  void Form_Unload() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  // basis 0 mole, any other value weight.
  void Disp_Feed_Data(int basis);
  void Disp_Liq_SideCut(int basis);
  void Disp_Vap_SideCut(int basis);
  // Rows 0 to NC + 5 of the current column for one draw: phase 0 liquid, any
  // other vapour; `stage` the stage it leaves, `flow` its mole flow,
  // `composition` its mole fractions 1..NC.
  void Set_Stream_Condition(int basis, int phase, int stage, double flow, const double composition[]);

  QLabel* lblResultProdText;
  QLabel* lblResultNotConverged;  // "Not converged" and why, when the results are no solution
  ui::SpreadGrid* vaSpread1;
  QPushButton* cmdResultProdFeed;
  QPushButton* cmdResultProdFeedWt;
  QPushButton* cmdResultProdVapSC;
  QPushButton* cmdResultProdVapSCWt;
  QPushButton* cmdResultProdLiqSC;
  QPushButton* cmdResultProdLiqSCWt;
  QPushButton* cmdResultProdExit;

 private:
  // Lays the buttons along the bottom, each as wide as its caption needs.
  void Place_Buttons();

  std::string Start_Table(int basis);  // the basis suffix; clears the stream columns
  void Use_Column(int col);
  int col_ = 1;
  results::MessageSink messages_;
};
