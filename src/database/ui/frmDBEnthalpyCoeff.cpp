#include "database/ui/frmDBEnthalpyCoeff.h"

#include <QComboBox>
#include <QGridLayout>

#include "core/model/CaseData.h"
#include "database/DbLookup.h"
#include "platform/ui/Controls.h"

namespace {

const char* const kPolynomial = "H(Kcal/Kgmol)=A + B*t + C*t^2     t:℃";
const char* const kHeatCapacity = "Cp(Kcal/KgmolK)=A + B*t + C*t^2 + D*t^3 t:K";

}  // namespace

frmDBEnthalpyCoeff::frmDBEnthalpyCoeff() : DbLookupForm("frmDBEnthalpyCoeff", 12) {
  lblEnthalpyEquation = ui::NewLabel(this, "lblEnthalpyEquation");
  static_cast<QGridLayout*>(layout())->addWidget(lblEnthalpyEquation, 2, 0);
}

DbLookupForm::Captions frmDBEnthalpyCoeff::Caption() const {
  return {"Enthalpy係数ＤＢ検索", "Querry Enthalpy from Data Base"};
}

DbLookupForm::Captions frmDBEnthalpyCoeff::Not_Found() const {
  return {"Enthalpy係数がデータベースにありません。", "Enthalpy係数がデータベースにありません。"};
}

std::vector<DbLookupForm::Captions> frmDBEnthalpyCoeff::Headings() const {
  return {{"化学式", "Formula"}, {"物質名", "Name"}, {"index", "index"}, {"", ""}, {"", ""},
          {"", ""},             {"", ""},           {"", ""},           {"", ""}, {"TL", "TL"},
          {"TU", "TU"},         {"Memo", "Memo"}};
}

int frmDBEnthalpyCoeff::List_Index() const {
  ui::Form* f = ui::Forms::FindByName("frmEnthalpy");
  auto* cbo = f ? f->Ctl<QComboBox>("cboEnthalpy") : nullptr;
  return cbo ? cbo->currentIndex() : -1;
}

std::vector<std::string> frmDBEnthalpyCoeff::Listed_Columns() const {
  if (List_Index() == 1)
    return {"Formula", "Name", "Index", "AHV", "BHV", "CHV", "AHL", "BHL", "CHL", "TL", "TU", "Memo"};
  return {"Formula", "Name", "Index", "CpA", "CpB", "CpC", "CpD", "TL", "TU"};
}

std::vector<vzdb::Record> frmDBEnthalpyCoeff::Search(vzdb::PropertyDb& db) {
  const int list = List_Index();
  const vzdb::TableSpec* table = vzdb::Enthalpy_Table(list);
  if (!table) return {};
  const bool poly = list == 1;
  lblEnthalpyEquation->setText(ui::Q(poly ? kPolynomial : kHeatCapacity));
  const char* const polyHeads[] = {"A(Vap)", "B(Vap)", "C(Vap)", "A(Liq)", "B(Liq)", "C(Liq)"};
  const char* const cpHeads[] = {"A", "B", "C", "D", "TL", "TU"};
  for (int i = 0; i < 6; ++i) vaSpread1->SetText(4 + i, 0, poly ? polyHeads[i] : cpHeads[i]);
  ui::SpreadGrid* g = Opener_Grid("frmEnthalpy", "vaSpreadEnthalpy");
  const int r = g ? g->ActiveRow() : 0;
  const std::string name = r >= 1 && r <= kMaxComp ? Case.Comp_Name[r] : std::string();
  return db.Name_Search(*table, name);
}

bool frmDBEnthalpyCoeff::Copy(vzdb::PropertyDb& db, int row) {
  const int list = List_Index();
  const vzdb::TableSpec* table = vzdb::Enthalpy_Table(list);
  ui::SpreadGrid* g = Opener_Grid("frmEnthalpy", "vaSpreadEnthalpy");
  if (!table || !g) return false;
  const auto record = Fetch_Chosen(db, table->name.c_str(), row);
  if (!record) return false;
  const auto set = vzdb::Enthalpy_From_Record(list, *record);
  const int r = g->ActiveRow();
  if (!set || !vzdb::Store_Enthalpy(list, r, *set)) return false;
  g->SetText(1, r, record->Text("Name"));
  for (int i = 0; i < set->count; ++i) g->SetValue(2 + i, r, set->v[i]);
  if (set->count == 4) {
    g->SetText(6, r, "");
    g->SetText(7, r, "");
  }
  return true;
}

void frmDBEnthalpyCoeff::Give_Back_Opener_Button() {
  if (ui::Form* f = ui::Forms::FindByName("frmEnthalpy"))
    if (auto* b = f->Ctl<QPushButton>("cmdDBEnthalpyCoeff")) b->setVisible(true);
}

VZ_FORM_FACTORY(frmDBEnthalpyCoeff);
