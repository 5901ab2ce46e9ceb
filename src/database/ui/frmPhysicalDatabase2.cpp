#include "database/ui/frmPhysicalDatabase2.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Programs.h"

frmPhysicalDatabase2::frmPhysicalDatabase2()
    : DbBrowserForm("frmPhysicalDatabase2",
                    {{"Wilson Parameter", "Wilson Parameter(Λij)", "Wilson Parameter(Λij)",
                      Browser_Columns("Wilson Parameter")},
                     {"NRTL Parameter", "N.R.T.L. Parameter(τij)", "N.R.T.L. Parameter(τij)",
                      Browser_Columns("NRTL Parameter")},
                     {"Kij Parameter", "状態方程式 相互作用係数(kij)", "Interraction Parameter(kij)",
                      Browser_Columns("Kij Parameter")}}) {
  Build();
}

void frmPhysicalDatabase2::Add_Search_Boxes(QHBoxLayout* row) {
  txtName1 = ui::NewTextBox(this, "txtName1");
  txtName2 = ui::NewTextBox(this, "txtName2");
  txtName1->setMinimumWidth(180);
  txtName2->setMinimumWidth(180);
  row->addWidget(txtName1);
  row->addWidget(txtName2);
}

std::vector<vzdb::Record> frmPhysicalDatabase2::Search_Table(vzdb::PropertyDb& db, const vzdb::TableSpec& t) {
  return db.Pair_Browser_Search(t, txtName1->text().toStdString(), txtName2->text().toStdString());
}

const char* frmPhysicalDatabase2::Window_Caption(bool en) const {
  return en ? "Wilson /N.R.T.L. /Interraction Parameter" : "２成分パラメータ";
}

VZ_PROGRAM_WINDOW(8, frmPhysicalDatabase2, 2);
