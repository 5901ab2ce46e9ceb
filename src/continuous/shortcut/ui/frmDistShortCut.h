// The shortcut design window: for the column's combined feed and a chosen light
// and heavy key, the feed condition, minimum stages, feed stage and minimum
// reflux, the top and bottom compositions, and the Gilliland curve.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/model/CalcMessages.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/SpreadGrid.h"

class frmDistShortCut : public ui::Form {
  Q_OBJECT

 public:
  frmDistShortCut();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload() override;

  void optCalcType_Click(int index);
  void cmdCalc_Click();
  void cmdExit_Click();
  void picResult_Click();
  // Draws the Gilliland curve of the last results on picResult.
  void Draw_Gilliland_Graph();

  // The last results (kept while the window exists).
  double Smin = 0, SminF = 0, Rmin = 0;
  bool HasResult() const { return hasResult_; }

  QGroupBox* fraInputData;
  QLabel* lblCalcType;
  ui::OptionArray optCalcType;
  QLabel* lblNameLK;
  QComboBox* cboNamLK;
  QLabel* lblMolLK;
  QLineEdit* txtMolLK;
  QLabel* lblNameHK;
  QComboBox* cboNamHK;
  QLabel* lblMolHK;
  QLineEdit* txtMolHK;
  QLabel* lblCondenserType;
  ui::OptionArray optCondenser;
  QLabel* lblPress;
  QLineEdit* txtPress;
  QLabel* lblPressUnit;
  QLabel* lblTemp;
  QLineEdit* txtTemp;
  QLabel* lblTempUnit;
  QLabel* lblTempMemo;
  QGroupBox* fraResult;
  QLabel* lblSmin;
  QLabel* lblSminData;
  QLabel* lblSminF;
  QLabel* lblSminFData;
  QLabel* lblRmin;
  QLabel* lblRminData;
  QLabel* lblVF;
  QLabel* lblVFData;
  ui::SpreadGrid* vaSpread1;
  ui::PictureBox* picResult;
  QPushButton* cmdCalc;
  QPushButton* cmdExit;

 private:
  void Stop(const char* japanese, const char* english);
  bool hasResult_ = false;
  int condenser_ = 0;  // of the last results
  CalcMessageHandler previousHandler_;
  bool handlerInstalled_ = false;
};
