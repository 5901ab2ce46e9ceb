// The Antoine program's main window: constants, critical constants and measured
// vapour pressures of up to five components, the fit, the log P - t graph and
// the exchange with the component property database.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/model/CalcMessages.h"
#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/SpreadGrid.h"
#include "purecomp/antoine/AntoineFit.h"

class frmAntoineVaporPress : public ui::Form {
  Q_OBJECT

 public:
  frmAntoineVaporPress();
  void Form_Load() override;
  void Form_Unload() override;
  void Form_Activate() override;

  void cmdCalc_Click();
  void Picture1_Click();
  void cmdInitial_Click();
  void cmdExample_Click();
  void cmdDBComponent_Click();
  void cmdDBAntoine_Click();
  void cmdDBAntoineSave_Click();
  void cmdAbout_Click();
  void cmdExit_Click();
  void vaSpreadAntoine_Change(int col, int row);
  void vaSpreadAntoine_Click(int col, int row);
  void vaSpread2_Click(int col, int row);
  void txtTempMin_Click();
  void txtTempMax_Click();

  // Draws log P against t for the components of the last calculation.
  void Graph_Vapor_Press();

  // What the two grids and the range boxes hold.
  antoine::AntoineInput Read_Input() const;

  antoine::AntoineData Data;       // points of the window, kept while it is loaded
  antoine::GraphAxes Axes;         // axes of the last drawing

  ui::SpreadGrid* vaSpreadAntoine;
  ui::SpreadGrid* vaSpread2;
  QLineEdit* txtTempMin;
  QLineEdit* txtTempMax;
  ui::PictureBox* Picture1;
  QLabel* lblVaporPress;
  QLabel* lblAntoine;
  QLabel* lblTempRange;
  QLabel* lblMin;
  QLabel* lblMax;
  QLabel* lblData;
  QLabel* lblMemo;
  QLabel* Label1;
  QPushButton* cmdCalc;
  QPushButton* cmdInitial;
  QPushButton* cmdExample;
  QPushButton* cmdDBComponent;
  QPushButton* cmdDBAntoine;
  QPushButton* cmdDBAntoineSave;
  QPushButton* cmdAbout;
  QPushButton* cmdExit;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Set_Captions();
  void Hide_DB_Buttons();
  void Show_Outcome(const antoine::CalcOutcome& out);
  void Copy_Name_To_Data_Grid(int row);

  CalcMessageHandler previousHandler_;
  bool handlerInstalled_ = false;
  bool calculated_ = false;  // a calculate has put this window's components in place
};
