// Antoine-constant lookup: lists the AntoineConstant data sets of the opener's
// component and copies the chosen constants into the opener's Antoine grid
// (`Caller_Grid`) and into Antoine_A, B, C of that row.
#pragma once

#include "database/ui/DbLookupForm.h"

class frmDBAntoine : public DbLookupForm {
  Q_OBJECT

 public:
  frmDBAntoine();

 protected:
  Captions Caption() const override;
  Captions Not_Found() const override;
  std::vector<Captions> Headings() const override;
  std::vector<std::string> Listed_Columns() const override;
  std::vector<vzdb::Record> Search(vzdb::PropertyDb& db) override;
  bool Copy(vzdb::PropertyDb& db, int row) override;
};
