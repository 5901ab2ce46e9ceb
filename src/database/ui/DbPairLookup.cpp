#include "database/ui/DbPairLookup.h"

#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"

DbPairLookup::DbPairLookup(const char* name, vzdb::LookupKind kind, int columns)
    : DbLookupForm(name, columns),
      kind_(kind),
      table_(vzdb::Find_Table(kind == vzdb::LookupKind::Wilson ? "Wilson Parameter"
                              : kind == vzdb::LookupKind::NRTL ? "NRTL Parameter"
                                                               : "Kij Parameter")) {}

std::vector<DbLookupForm::Captions> DbPairLookup::Headings() const {
  std::vector<Captions> h = {{"物質名1", "Name1"}, {"物質名2", "Name2"}, {"index", "index"}};
  if (kind_ == vzdb::LookupKind::Wilson) {
    h.push_back({"Λ12", "Λ12"});
    h.push_back({"Λ21", "Λ21"});
  } else if (kind_ == vzdb::LookupKind::NRTL) {
    h.push_back({"τ12", "τ12"});
    h.push_back({"τ21", "τ21"});
  } else {
    h.push_back({"kij", "kij"});
  }
  for (const char* s : {"Temp", "Press", "Memo"}) h.push_back({s, s});
  return h;
}

std::vector<std::string> DbPairLookup::Listed_Columns() const {
  std::vector<std::string> c = {"Name1", "Name2", "Index"};
  if (kind_ == vzdb::LookupKind::Wilson) c.insert(c.end(), {"Lambda12", "Lambda21"});
  else if (kind_ == vzdb::LookupKind::NRTL) c.insert(c.end(), {"Tau12", "Tau21"});
  else c.push_back("Kij");
  c.insert(c.end(), {"Temp", "Press", "Memo"});
  return c;
}

bool DbPairLookup::For_Vle_Estimation() const {
  return Case.Program_No == 4 && kind_ != vzdb::LookupKind::Kij;
}

bool DbPairLookup::Pair_Names(std::string& name1, std::string& name2) const {
  if (For_Vle_Estimation()) {
    name1 = Case.Comp_Name[1];
    name2 = Case.Comp_Name[2];
    return true;
  }
  ui::SpreadGrid* g = Opener_Grid("frmK_Value", "vaSpreadWilson");
  if (!g) return false;
  const auto pair = vzdb::Matrix_Pair(g->ActiveRow(), g->ActiveCol());
  if (!pair) return false;
  name1 = Case.Comp_Name[pair->a];
  name2 = Case.Comp_Name[pair->b];
  return true;
}

std::vector<vzdb::Record> DbPairLookup::Pair_Query(vzdb::PropertyDb& db, const std::string& n1,
                                                   const std::string& n2) {
  return db.Pair_Search(*table_, n1, n2);
}

std::vector<vzdb::Record> DbPairLookup::Search(vzdb::PropertyDb& db) {
  std::string n1, n2;
  if (!Pair_Names(n1, n2)) return {};
  return Pair_Query(db, n1, n2);
}

bool DbPairLookup::Copy(vzdb::PropertyDb& db, int row) {
  const std::string n1 = vaSpread1->Text(1, row), n2 = vaSpread1->Text(2, row);
  if (n1.empty() || n2.empty()) return false;
  const auto index = Listed_Index(row);
  if (!index) return false;
  const auto record = db.Fetch_Pair(*table_, n1, n2, *index);
  if (!record) return false;
  const bool vle = For_Vle_Estimation();
  const auto set = vzdb::Pair_From_Record(kind_, *record, vzdb::Pair_Component_Count(vle));
  if (!set) return false;
  if (vle) {
    vzdb::Store_Pair_VLE(kind_, *set);
    const bool wilson = kind_ == vzdb::LookupKind::Wilson;
    if (ui::Form* window = ui::Forms::FindByName("frmVLE_Estimation")) {
      ui::SetControlText(window, "txtMainPara12", txt::Plain(wilson ? Case.Wilson_L12 : Case.NRTL_Tau12));
      ui::SetControlText(window, "txtMainPara21", txt::Plain(wilson ? Case.Wilson_L21 : Case.NRTL_Tau21));
    }
    return true;
  }
  vzdb::Store_Pair_Matrix(kind_, *set);
  if (ui::SpreadGrid* g = Opener_Grid("frmK_Value", "vaSpreadWilson")) {
    g->SetValue(set->at.b, set->at.a, set->v12);
    g->SetValue(set->at.a, set->at.b, set->v21);
  }
  return true;
}
