// The units dialog: display units of temperature, pressure and heat. It stays
// loaded after OK and its lists serve other windows as unit captions.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <string>

#include "platform/ui/Form.h"

class frmUnit : public ui::Form {
  Q_OBJECT

 public:
  frmUnit();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdOK_Click();
  void cmdCancel_Click();

  // Selects in each list the entry of the stored code (`T_Unit`, `P_Unit`,
  // `H_Unit`); a code without an entry selects none.
  void Select_Stored_Codes();

  // A dialog loaded hidden before the language changed takes the captions and
  // list texts of the language chosen now, keeping its selections.
  void Follow_Language();

  QComboBox* cboTemp;   // T_Unit 1..3
  QComboBox* cboPress;  // P_Unit 1..6
  QComboBox* cboHeat;   // H_Unit 1..2
  QLabel* lblTitle;
  QLabel* lblTemp;
  QLabel* lblPress;
  QLabel* lblHeat;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 private:
  int captionLanguage_ = -1;  // the Language the captions were written in
};

// Selects the stored unit codes in the units dialog, loading it hidden when it
// is not loaded (the column, batch and flash summaries do this before reading).
void Select_Unit_Entries();

// The texts of the units dialog's chosen entries ("℃", "mmHg", "Kcal"), as
// other windows show them beside their values; the dialog is loaded hidden when
// needed and the selection is not changed.
std::string Unit_Temp_Text();
std::string Unit_Press_Text();
std::string Unit_Heat_Text();
