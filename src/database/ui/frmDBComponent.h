// Component lookup: lists the CriticalConstant data sets of the opener's
// component and copies the chosen one into the components dialog's grid or the
// Antoine program's grid (nothing into the case data model).
#pragma once

#include "database/ui/DbLookupForm.h"

class frmDBComponent : public DbLookupForm {
  Q_OBJECT

 public:
  frmDBComponent();

 protected:
  Captions Caption() const override;
  Captions Not_Found() const override;
  std::vector<Captions> Headings() const override;
  std::vector<std::string> Listed_Columns() const override;
  std::vector<vzdb::Record> Search(vzdb::PropertyDb& db) override;
  bool Copy(vzdb::PropertyDb& db, int row) override;
  void Give_Back_Opener_Button() override;
};
