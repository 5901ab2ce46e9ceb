// The batch program's main window: the summary of the case, the buttons of the
// input dialogs, the example, reading and saving case files, the checks before
// a run and the start of the run window.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "core/model/CalcMessages.h"
#include "platform/ui/Form.h"

class frmBatchDistillationMain : public ui::Form {
  Q_OBJECT

 public:
  frmBatchDistillationMain();
  void Form_Load() override;
  // Every showing speaks the language chosen now, also after a switch while loaded.
  void Form_Activate() override;
  void Form_Unload() override;

  void cmdUnit_Click();
  void cmdComponent_Click();
  void cmdDistSpec_Click();
  void cmdFeed_Click();
  void cmdTray_Click();
  void cmdKValue_Click();
  void cmdEnthalpy_Click();
  void cmdOpeCondition_Click();
  void cmdMemo_Click();
  void cmdVersion_Click();
  void cmdExample_Click();
  void cmdReadData_Click();
  void cmdReadContinue_Click();
  void cmdSaveData_Click();
  void cmdPrintData_Click();
  void cmdGoCalc_Click();
  void cmdResult_Click();
  void cmdExit_Click();

  QPushButton* cmdUnit;
  QPushButton* cmdComponent;
  QPushButton* cmdDistSpec;
  QPushButton* cmdFeed;
  QPushButton* cmdTray;
  QPushButton* cmdKValue;
  QPushButton* cmdEnthalpy;
  QPushButton* cmdOpeCondition;
  QPushButton* cmdMemo;
  QPushButton* cmdVersion;
  QPushButton* cmdExample;
  QPushButton* cmdReadData;
  QPushButton* cmdReadContinue;
  QPushButton* cmdSaveData;
  QPushButton* cmdPrintData;
  QPushButton* cmdGoCalc;
  QPushButton* cmdResult;
  QPushButton* cmdExit;

  QLabel* lblTitle;
  QLabel* lblTempUnit;
  QLabel* lblPressUnit;
  QLabel* lblHeatUnit;
  QLabel* lblNC;
  QLabel* lblNT;
  QLabel* lblTopPress;
  QLabel* lblBtmPress;
  QLabel* lblFeed;
  QLabel* lblBottomVolume;
  QLabel* lblOpeTime;
  QLabel* lblDiffTime;
  QLabel* lblOperation;
  QLabel* lblProdChange;
  QLabel* lblFileName;
  QLabel* lblSaveFileName;

  QLabel* lblTempUnitData;
  QLabel* lblPressUnitData;
  QLabel* lblHeatUnitData;
  QLabel* lblNCData;
  QLabel* lblNTData;
  QLabel* lblTopPressData;
  QLabel* lblBtmPressData;
  QLabel* lblKValue;
  QLabel* lblEnthalpy;
  QLabel* lblFeedData;
  QLabel* lblUnitFeed;
  QLabel* lblBtmData;
  QLabel* lblUnitBottom;
  QLabel* lblOpeTimeData;
  QLabel* lblDiffTimeData;
  QLabel* lblProdChangeData;
  QLabel* lblFileNameData;
  QLabel* lblSaveFileNameData;

 private:
  void Set_Captions();
  // Puts the window back in use once the run window has gone.
  void Run_Window_Closed();
  int captionLanguage_ = -1;  // the language the captions were last written in

  CalcMessageHandler previousHandler_;
  bool handlerInstalled_ = false;
};

// Rewrites the main window's summary labels from the case (selecting the
// stored units and models in the shared dialogs first).
void Set_Batch_Display_Data();
