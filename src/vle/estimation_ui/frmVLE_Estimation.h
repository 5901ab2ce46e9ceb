// The main window of the binary Wilson/NRTL parameter estimation program: two
// components with their Antoine constants, the condition, the measured points,
// the calculation type, the objective and the parameters; examples, case file,
// memo, and the run start that opens the result window.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <string>
#include <vector>

#include "core/model/CalcMessages.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

// Rows of the measured-data grid: room for one row past the 50 points, so an
// over-full table is answered instead of cut off.
inline constexpr int kVleDataGridRows = 60;

class frmVLE_Estimation : public ui::Form {
  Q_OBJECT

 public:
  frmVLE_Estimation();
  void Form_Load() override;
  // Captions follow a language chosen on the menu while the window was open.
  void Form_Activate() override;
  void Form_Unload() override;

  // Loads the program's defaults into the case (the window shows them after Set_Display_Data).
  void VLE_Initial_set();
  // Writes the stored case into the window, in the display units of the case.
  void Set_Display_Data();

  void optTPType_Click(int index);
  void optMainCalcType_Click(int index);
  void optMainCalcFunc_Click(int index);
  void cmdDBAntoine_Click();
  void cmdDBWilson_Click();
  void cmdInitialize_Click();
  void cmdMainExample1_Click();
  void cmdMainExample2_Click();
  void cmdMainExample3_Click();
  void cmdMainMemo_Click();
  void cmdMainReadData_Click();
  void cmdMainSaveData_Click();
  void cmdMainGoCalc_Click();
  void cmdMainVersion_Click();
  void cmdMainExit_Click();
  // Any input other than the Antoine grid hides the Antoine lookup button.
  void Input_Click();

  // The objective option's caption (1..5), "" outside.
  std::string Objective_Caption(int objType) const;

  QLabel* lblMainTitle;
  QGroupBox* fraTPType;
  ui::OptionArray optTPType;
  QComboBox* cboMainTempUnit;
  QComboBox* cboMainPressUnit;
  QLabel* lblMainTemp;
  QLabel* lblMainPress;
  QLineEdit* txtMainTemp;
  QLineEdit* txtMainPress;
  QLabel* lblMainAntoine;
  QLabel* lblMainAntoineEq;
  ui::SpreadGrid* vaSpreadAntoine;
  QLabel* lblDataTitle;
  ui::SpreadGrid* vaSpread1;
  QPushButton* cmdDBAntoine;
  QGroupBox* fraMainCalcType;
  ui::OptionArray optMainCalcType;
  QGroupBox* fraMainCalcFunc;
  ui::OptionArray optMainCalcFunc;
  QLabel* lblTempInitial;
  QLineEdit* txtTempInitial;
  QGroupBox* fraMainParameter;
  QLabel* lblMainPara12;
  QLabel* lblMainPara21;
  QLineEdit* txtMainPara12;
  QLineEdit* txtMainPara21;
  QLabel* lblMainAlpha;
  QLineEdit* txtMainAlpha;
  QPushButton* cmdDBWilson;
  QPushButton* cmdMainExample1;
  QPushButton* cmdMainExample2;
  QPushButton* cmdMainExample3;
  QPushButton* cmdInitialize;
  QPushButton* cmdMainMemo;
  QPushButton* cmdMainReadData;
  QPushButton* cmdMainSaveData;
  QPushButton* cmdMainGoCalc;
  QPushButton* cmdMainVersion;
  QPushButton* cmdMainExit;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Set_Captions();
  // Every caption in the language chosen now, those that follow the case's state too.
  void Apply_Language();
  int captionLanguage_ = -1;
  void Load_Example(int number);
  // The run start's steps, also the save's (the condition under the same rules,
  // the others with `forSave`): each takes what its boxes show into the case, or
  // returns false after showing its message. A save takes a partly filled case
  // (names and constants may be missing) and keeps the stored parameters where
  // the boxes still show what the window wrote (they show 8 digits of them).
  bool Take_Condition();
  bool Take_Components(bool forSave = false);
  bool Take_Data_Rows();
  bool Take_Parameters(bool forSave = false);
  // Writes the parameters of the model shown (and alpha for NRTL) into their
  // boxes and keeps the texts written.
  void Write_Parameter_Boxes(bool nrtl);
  QString shown12_, shown21_, shownAlpha_;
  bool Fail(const std::string& message);
  // The data grid's texts, rows 1..kVleDataGridRows.
  std::vector<std::array<std::string, 3>> Data_Rows() const;
  // A typed data cell that is not a number is refused at once, naming its row.
  void Data_Cell_Changed(int col, int row);
  // What each data cell holds now: a refused edit goes back to it.
  void Keep_Data_Cells();
  std::array<std::array<std::string, 4>, kVleDataGridRows + 1> dataCells_;
  // The save dialog, its questions and the write; false when nothing was written.
  bool Save_Case_File();
  // The number a box holds, or false after showing the refusal that names `field`.
  bool Box_Number(const std::string& text, const std::string& field, double& value);

  CalcMessageHandler previousHandler_;
  bool handlerInstalled_ = false;
};
