// The binary-parameter browser: the Wilson, NRTL and kij tables on three tabs,
// searched by one or two component names.
#pragma once

#include "database/ui/DbBrowserForm.h"

class frmPhysicalDatabase2 : public DbBrowserForm {
  Q_OBJECT

 public:
  frmPhysicalDatabase2();

  QLineEdit* txtName1;
  QLineEdit* txtName2;

 protected:
  void Add_Search_Boxes(QHBoxLayout* row) override;
  std::vector<vzdb::Record> Search_Table(vzdb::PropertyDb& db, const vzdb::TableSpec& t) override;
  const char* Window_Caption(bool en) const override;
};
