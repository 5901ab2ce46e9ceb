// The column at total-reflux convergence, plate by plate: temperature,
// pressure, heat, loads and the composition in mole or weight fractions.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "batch/results/BatchResultCommon.h"
#include "platform/ui/SpreadGrid.h"

class frmBatchResultTotalReflux : public batchres::ResultForm {
  Q_OBJECT

 public:
  frmBatchResultTotalReflux();
  void Form_Load() override;
  void Form_Activate() override;

  // kind 0 liquid, any other vapour.
  void Set_Mol_Fraction_Table(int kind);
  void Set_Weight_Fraction_Table(int kind);

  void cmdLiquidMol_Click();
  void cmdVaporMol_Click();
  void cmdLiquidWt_Click();
  void cmdVaporWt_Click();

  QPushButton* cmdVaporMol;
  QPushButton* cmdLiquidMol;
  QPushButton* cmdVaporWt;
  QPushButton* cmdLiquidWt;
  QPushButton* cmdExit;
  QLabel* lblTitle;
  QLabel* lblConv;
  QLabel* lblConvTime;
  ui::SpreadGrid* vaSpread1;

 private:
  BatchRunCase run_;  // the case the total-reflux file was written with
  void Plate_Columns(int plate);
  void Clear_Table();
  void Set_Widths();
};
