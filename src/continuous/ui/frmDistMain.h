// The continuous-distillation program's main window: the case summary, the
// buttons of the input dialogs, the example, the case files, the calculation,
// the results and the shortcut design.
#pragma once

#include <QLabel>
#include <QPushButton>

#include <string>

#include "core/model/CalcMessages.h"
#include "platform/ui/Form.h"

class frmDistMain : public ui::Form {
  Q_OBJECT

 public:
  frmDistMain();
  void Form_Load() override;
  void Form_Unload() override;

  // The column defaults (Max_Comp entries of the component data, feeds, side
  // cuts, iteration limits, units, models) and the result button hidden.
  void Dist_Initial_set();

  void cmdUnit_Click();
  void cmdComponent_Click();
  void cmdDistSpec_Click();
  void cmdFeed_Click();
  void cmdSideCut_Click();
  void cmdKValue_Click();
  void cmdEnthalpy_Click();
  void cmdConvergence_Click();
  void cmdDistMainPressProfile_Click();
  void cmdMemo_Click();
  void cmdPrintInputData_Click();
  void cmdExample1_Click();
  void cmdExample2_Click();
  void cmdReadData_Click();
  void cmdReadContinue_Click();
  void cmdSaveData_Click();
  void cmdShortCut_Click();
  void cmdGoCalc_Click();
  void cmdResult_Click();
  void cmdExit_Click();
  void cmdVersion_Click();

  QLabel* lblTitle;
  QPushButton* cmdUnit;
  QPushButton* cmdComponent;
  QPushButton* cmdDistSpec;
  QPushButton* cmdFeed;
  QPushButton* cmdSideCut;
  QPushButton* cmdKValue;
  QPushButton* cmdEnthalpy;
  QPushButton* cmdConvergence;
  QPushButton* cmdDistMainPressProfile;
  QPushButton* cmdMemo;
  QPushButton* cmdPrintInputData;
  QPushButton* cmdExample1;
  QPushButton* cmdExample2;
  QPushButton* cmdReadData;
  QPushButton* cmdReadContinue;
  QPushButton* cmdSaveData;
  QPushButton* cmdShortCut;
  QPushButton* cmdGoCalc;
  QPushButton* cmdResult;
  QPushButton* cmdExit;
  QPushButton* cmdVersion;

 private:
  // Reads the case file at `path` over the defaults; false, with the case as it
  // was and its summary shown again, when the file is refused.
  bool Read_Case_File(const std::string& path);

  void Set_Captions(bool design);
  // Shows an input dialog; when it changed the column, the results are no longer valid.
  void Edit_Inputs(ui::Form& dialog);
  void Clear_File_Names();

  CalcMessageHandler previousHandler_;
  bool handlerInstalled_ = false;
};
