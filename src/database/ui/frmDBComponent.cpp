#include "database/ui/frmDBComponent.h"

#include "core/model/CaseData.h"
#include "database/DbLookup.h"
#include "platform/ui/Controls.h"

frmDBComponent::frmDBComponent() : DbLookupForm("frmDBComponent", 9) {}

DbLookupForm::Captions frmDBComponent::Caption() const {
  return {"物性定数検索", "Querry Physical Property from Data Base"};
}

DbLookupForm::Captions frmDBComponent::Not_Found() const {
  return {"物質名がデータベースにありません。", "Component Name does not exist in Data Base"};
}

std::vector<DbLookupForm::Captions> frmDBComponent::Headings() const {
  return {{"化学式", "Formula"}, {"物質名", "Name"}, {"index", "index"}, {"Tb", "Tb"}, {"Tc", "Tc"},
          {"Pc", "Pc"},         {"Vc", "Vc"},       {"ω", "ω"},         {"メモ", "Memo"}};
}

std::vector<std::string> frmDBComponent::Listed_Columns() const {
  return {"Formula", "Name", "Index", "Tb", "Tc", "Pc", "Vc", "OMG", "Memo"};
}

std::vector<vzdb::Record> frmDBComponent::Search(vzdb::PropertyDb& db) {
  std::string key;
  if (Case.Program_No >= 0 && Case.Program_No <= 2) {
    if (ui::SpreadGrid* g = Opener_Grid("frmComponent", "vaSpreadComp")) key = g->Text(1, g->ActiveRow());
  } else if (Case.Program_No == 3) {
    key = Key_From_Grid(Opener_Grid("frmAntoineVaporPress", "vaSpreadAntoine"));
  }
  return db.Name_Search(*vzdb::Find_Table("CriticalConstant"), key);
}

bool frmDBComponent::Copy(vzdb::PropertyDb& db, int row) {
  const auto record = Fetch_Chosen(db, "CriticalConstant", row);
  if (!record) return false;
  const vzdb::ComponentSet c = vzdb::Component_From_Record(*record);
  const bool dialog = Case.Program_No >= 0 && Case.Program_No <= 2;
  ui::SpreadGrid* grid = dialog                  ? Opener_Grid("frmComponent", "vaSpreadComp")
                         : Case.Program_No == 3 ? Opener_Grid("frmAntoineVaporPress", "vaSpreadAntoine")
                                                : nullptr;
  if (!grid) return false;
  const int r = grid->ActiveRow();
  if (r < 1 || r > grid->MaxRows()) return false;
  auto put = [&](int col, const std::optional<double>& v) {
    if (v) grid->SetValue(col, r, *v);
  };
  if (dialog) {
    grid->SetText(1, r, c.name);
    grid->SetText(2, r, c.mw_text);
    put(3, c.tc_K);
    put(4, c.pc_bar);
    put(5, c.vc);
    put(6, c.omega);
  } else {
    grid->SetText(1, r, c.formula);
    grid->SetText(2, r, c.name);
    put(6, c.tc_K);
    put(7, c.pc_bar);
    put(8, c.omega);
  }
  return true;
}

void frmDBComponent::Give_Back_Opener_Button() {
  if (Case.Program_No < 0 || Case.Program_No > 2) return;
  if (ui::Form* f = ui::Forms::FindByName("frmComponent"))
    if (auto* b = f->Ctl<QPushButton>("cmdDBSearch")) b->setVisible(true);
}

VZ_FORM_FACTORY(frmDBComponent);
