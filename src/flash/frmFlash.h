// The flash program's main window: the case summary, the example and file
// buttons, the six calculation types and the result tables.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/model/CalcMessages.h"
#include "flash/FlashCalc.h"
#include "flash/FlashCase.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class frmFlash : public ui::Form {
  Q_OBJECT

 public:
  frmFlash();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload() override;

  // Rewrites the window from the case and the window's temperature and pressure.
  void Set_Int_Display_Data();
  void optCalcType_Click(int index);

  void cmdUnit_Click();
  void cmdComponent_Click();
  void cmdK_Value_Click();
  void cmdEnthalpy_Click();
  void cmdMemo_Click();
  void cmdSample1_Click();
  void cmdSample2_Click();
  void cmdReadData_Click();
  void cmdSaveData_Click();
  void cmdGoCalc_Click();
  void cmdAbout_Click();
  void cmdExit_Click();

  // The temperature and pressure the refresh writes into the text boxes (display units).
  FlashWindowValues Win_Values;

  QLineEdit* txtTemp;
  QLineEdit* txtTemp2;
  QLineEdit* txtPress;
  QLabel* lblTemp;
  QLabel* lblTemp2;
  QLabel* lblPress;
  QLabel* lblTempUnit;
  QLabel* lblTempUnit2;
  QLabel* lblPressUnit;
  QLabel* lblVF;
  QLabel* lblVFData;
  QLabel* lblNC;
  QLabel* lblNCData;
  QLabel* lblK_ValueTitle;
  QLabel* lblK_Value;
  QLabel* lblEnthalpyTitle;
  QLabel* lblEnthalpy;
  QGroupBox* fraCalcType;
  ui::OptionArray optCalcType;
  ui::SpreadGrid* spdData;   // rows 1..20: name, Feed, Vapor, Liquid, K-Value
  ui::SpreadGrid* spdData2;  // row 1: Feed, Vapor, Liquid enthalpies
  QLabel* lblResult;
  QPushButton* cmdUnit;
  QPushButton* cmdComponent;
  QPushButton* cmdK_Value;
  QPushButton* cmdEnthalpy;
  QPushButton* cmdMemo;
  QPushButton* cmdSample1;
  QPushButton* cmdSample2;
  QPushButton* cmdReadData;
  QPushButton* cmdSaveData;
  QPushButton* cmdGoCalc;
  QPushButton* cmdAbout;
  QPushButton* cmdExit;

 private:
  // The program title and window caption in the language chosen now.
  void Set_Title();
  void Show_Result(const FlashDisplay& d);
  // Reads the typed Feed column into Flash_Z (messages shown here); false when refused.
  bool Read_Feed();
  // Rows 1..NC of the Feed column editable, everything else locked.
  void Lock_Grid();
  // Results no longer belong to the inputs: blank them.
  void Clear_Result();
  void Write_Unit_Captions();
  // The number in a box for the case file (an empty box gives 0); false, with
  // the refusal shown, when the text is not wholly a number.
  bool Box_Number(QLineEdit* box, const char* fieldJa, const char* fieldEn, double& value);
  void Write_Component_Names();

  CalcMessageHandler previousHandler_;
  bool handlerInstalled_ = false;
};
