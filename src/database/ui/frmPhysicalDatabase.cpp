#include "database/ui/frmPhysicalDatabase.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Programs.h"

namespace {

std::vector<DbTableModel::Column> CriticalColumns() {
  return Browser_Columns("CriticalConstant",
                         {{"Formula", "化学式"},
                          {"Name", "物質名"},
                          {"Name-1", "物質名-1"},
                          {"Index", "index"},
                          {"MW", "分子量"},
                          {"Tm", "融点(ﾟK)"},
                          {"Tb", "沸点(ﾟK)"},
                          {"Tc", "臨界温度(ﾟK)"},
                          {"Pc", "臨界圧力(bar)"},
                          {"Vc", "臨界分子容(cm3/mol)"},
                          {"Zc", "臨界圧縮係数(-)"},
                          {"OMG", "偏心係数(-)"},
                          {"Dp", "双極子ﾓｰﾒﾝﾄ(Debye)"},
                          {"Memo", "参照文献"},
                          {"No", "VDI No"}});
}

}  // namespace

frmPhysicalDatabase::frmPhysicalDatabase()
    : DbBrowserForm("frmPhysicalDatabase",
                    {{"CriticalConstant", "臨界定数", "Critical Const", CriticalColumns()},
                     {"AntoineConstant", "Antoine定数", "Antoine Const",
                      Browser_Columns("AntoineConstant", {{"Equation Type", "Eq."}})},
                     {"HeatCapacity", "理想気体ガス比熱", "Ideal Gas Heat Cap", Browser_Columns("HeatCapacity")},
                     {"LiquidDensity", "液密度", "Liquid Density", Browser_Columns("LiquidDensity")},
                     {"Rk_Parameter", "R & K Parameter", "R & K Parameter", Browser_Columns("Rk_Parameter")},
                     {"EnthalpyCoefficent", "Enthalpy式係数", "Enthalpy Eq. Coeff.",
                      Browser_Columns("EnthalpyCoefficent")}}) {
  Build();
}

void frmPhysicalDatabase::Add_Search_Boxes(QHBoxLayout* row) {
  txtName = ui::NewTextBox(this, "txtName");
  txtName->setMinimumWidth(220);
  row->addWidget(txtName);
}

std::vector<vzdb::Record> frmPhysicalDatabase::Search_Table(vzdb::PropertyDb& db, const vzdb::TableSpec& t) {
  return db.Browser_Search(t, txtName->text().toStdString());
}

const char* frmPhysicalDatabase::Window_Caption(bool en) const {
  return en ? "Physical Property Database" : "物性定数Database";
}

VZ_PROGRAM_WINDOW(7, frmPhysicalDatabase, 2);
