// The enthalpy model dialog: how the heat balances compute enthalpies, with the
// per-component polynomial or ideal-gas heat-capacity coefficients and the
// enthalpy-coefficient lookup.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <memory>
#include <string>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

struct CaseData;

class frmEnthalpy : public ui::Form {
  Q_OBJECT

 public:
  frmEnthalpy();
  ~frmEnthalpy() override;
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  // Model choice; `position` is `H_Method` (0..3), -1 for none.
  void cboEnthalpy_Click(int position);
  void vaSpreadEnthalpy_Click(int col, int row);
  void cmdDBEnthalpyCoeff_Click();
  void cmdOK_Click();
  void cmdCancel_Click();

  // Selects the list entry of the stored `H_Method` (running the model choice)
  // and returns its text; what the column, batch and flash summaries read.
  std::string Select_Stored_Model();

  QComboBox* cboEnthalpy;
  QGroupBox* fraEnthalpy;
  // Column 1 name; polynomial: 2-4 HV_A..HV_C, 5-7 HL_A..HL_C; heat capacity: 2-5 Cp_A..Cp_D.
  ui::SpreadGrid* vaSpreadEnthalpy;
  QLabel* lblEnthalpyVap;
  QLabel* lblEnthalpyLiq;
  QLabel* lblEnthalpyEquation;
  QPushButton* cmdDBEnthalpyCoeff;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QLabel* lblEnthalpy;

  // A dialog loaded hidden before the language changed takes the captions and
  // list texts of the language chosen now, keeping its selection.
  void Follow_Language();

 private:
  int captionLanguage_ = -1;  // the Language the captions were written in
  void Select_Position(int position);
  void Show_Layout(int position, bool emptyUnused);
  void Restore_Case();

  // The coefficients as they were when the dialog was shown: Cancel puts back
  // what a lookup wrote into the case.
  std::unique_ptr<CaseData> before_;
};

// Selects the stored enthalpy model in the enthalpy dialog, loading it hidden
// when needed, and returns the entry's text ("0.エンタルピー計算なし").
std::string Select_Enthalpy_Entry();
