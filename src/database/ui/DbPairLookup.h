// What the Wilson, NRTL and Kij lookups share: the pair of the opener (the
// K-value dialog's matrix cell, or the VLE estimation's two components), the
// pair search in both orders, and the copy into the matrix or the VLE pair.
#pragma once

#include "database/DbLookup.h"
#include "database/ui/DbLookupForm.h"

class DbPairLookup : public DbLookupForm {
  Q_OBJECT

 protected:
  DbPairLookup(const char* name, vzdb::LookupKind kind, int columns);

  std::vector<Captions> Headings() const override;
  std::vector<std::string> Listed_Columns() const override;
  std::vector<vzdb::Record> Search(vzdb::PropertyDb& db) override;
  bool Copy(vzdb::PropertyDb& db, int row) override;

  // The two names to search: from the VLE estimation (Program_No 4, Wilson and
  // NRTL) or from the K-value dialog's active matrix cell; false when none.
  bool Pair_Names(std::string& name1, std::string& name2) const;
  // True when the pair goes to the VLE estimation (Program_No 4, Wilson and NRTL).
  bool For_Vle_Estimation() const;
  virtual std::vector<vzdb::Record> Pair_Query(vzdb::PropertyDb& db, const std::string& n1,
                                               const std::string& n2);

  vzdb::LookupKind kind_;
  const vzdb::TableSpec* table_;
};
