// The pure-component browser: the six pure-component tables on six tabs,
// searched together by a component name.
#pragma once

#include "database/ui/DbBrowserForm.h"

class frmPhysicalDatabase : public DbBrowserForm {
  Q_OBJECT

 public:
  frmPhysicalDatabase();

  QLineEdit* txtName;

 protected:
  void Add_Search_Boxes(QHBoxLayout* row) override;
  std::vector<vzdb::Record> Search_Table(vzdb::PropertyDb& db, const vzdb::TableSpec& t) override;
  const char* Window_Caption(bool en) const override;
};
