// The result window's dialog that stores the estimated Wilson or NRTL pair in
// the property database: it tells whether the pair is new, a further data set
// or already stored, registers missing components and Antoine constants, and
// adds the pair row.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

#include "database/PropertyDb.h"
#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class frmDBParameterSave : public ui::Form {
  Q_OBJECT

 public:
  frmDBParameterSave();
  // Fills the grid and looks the two components and the pair up in the database.
  void Form_Load() override;
  // Tells the user when the same pair is stored already.
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;
  void cmdSave_Click();
  void cmdCancel_Click();

  // What the lookup at load found.
  bool Antoine_Found[3] = {false, false, false};      // the component's constants are stored
  int Antoine_Last_Index[3] = {-1, -1, -1};           // last Index of its Antoine rows before a match
  int Pair_Match = 0;                                 // orientation (1, 2) of an identical stored pair, or 0
  int Pair_Last_Index = -1;                           // last Index of the pair's rows, -1 when none

  ui::SpreadGrid* vaSpread1;
  QLabel* lblNRTLAlpha;
  QLabel* lblWarning;
  QLabel* lblDataIndex;
  QLabel* lblMemo;
  QLineEdit* txtMemo;
  QPushButton* cmdSave;
  QPushButton* cmdCancel;

 private:
  bool Look_Up();
  bool Register_Component(int i);
  bool Fail_Db(const vzdb::DbStatus& status);
};
