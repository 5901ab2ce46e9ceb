// Enthalpy-coefficient lookup: by the enthalpy dialog's chosen model, the
// EnthalpyCoefficent polynomials or the HeatCapacity coefficients of the
// component of the dialog's active row, copied into that row and the case.
#pragma once

#include <QLabel>

#include "database/ui/DbLookupForm.h"

class frmDBEnthalpyCoeff : public DbLookupForm {
  Q_OBJECT

 public:
  frmDBEnthalpyCoeff();

  QLabel* lblEnthalpyEquation;

 protected:
  Captions Caption() const override;
  Captions Not_Found() const override;
  std::vector<Captions> Headings() const override;
  std::vector<std::string> Listed_Columns() const override;
  std::vector<vzdb::Record> Search(vzdb::PropertyDb& db) override;
  bool Copy(vzdb::PropertyDb& db, int row) override;
  bool Message_With_App_Title() const override { return true; }
  void Give_Back_Opener_Button() override;

 private:
  // The enthalpy dialog's model list index, -1 when the dialog is not loaded.
  int List_Index() const;
};
