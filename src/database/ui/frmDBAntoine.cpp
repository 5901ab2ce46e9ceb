#include "database/ui/frmDBAntoine.h"

#include <QColor>

#include "core/model/CaseData.h"
#include "database/DbLookup.h"

frmDBAntoine::frmDBAntoine() : DbLookupForm("frmDBAntoine", 10) {}

DbLookupForm::Captions frmDBAntoine::Caption() const {
  return {"Antoine定数ＤＢ検索", "Querry Antoine Constant from Data Base"};
}

DbLookupForm::Captions frmDBAntoine::Not_Found() const {
  return {"Antoine定数がデータベースにありません。", "Antoine's constants does not exist in Data Base"};
}

std::vector<DbLookupForm::Captions> frmDBAntoine::Headings() const {
  return {{"化学式", "Formula"}, {"物質名", "Name"}, {"index", "index"}, {"式ﾀｲﾌﾟ", "Eq"},
          {"An", "An"},         {"Bn", "Bn"},       {"Cn", "Cn"},       {"TL", "TL"},
          {"TU", "TU"},         {"Memo", "Memo"}};
}

std::vector<std::string> frmDBAntoine::Listed_Columns() const {
  return {"Formula", "Name", "Index", "Equation Type", "An", "Bn", "Cn", "TL", "TU", "Memo"};
}

std::vector<vzdb::Record> frmDBAntoine::Search(vzdb::PropertyDb& db) {
  return db.Name_Search(*vzdb::Find_Table("AntoineConstant"), Key_From_Grid(ui::Caller_Grid));
}

bool frmDBAntoine::Copy(vzdb::PropertyDb& db, int row) {
  const auto record = Fetch_Chosen(db, "AntoineConstant", row);
  if (!record) return false;
  const auto set = vzdb::Antoine_From_Record(*record);
  ui::SpreadGrid* grid = ui::Caller_Grid;
  if (!set || !grid) return false;
  const int r = grid->ActiveRow();
  // Every check is done: from here on the whole set is written.
  if (!vzdb::Store_Antoine(r, *set)) return false;
  if (Case.Program_No != 3) {
    grid->SetText(1, r, record->Text("Name"));
    grid->SetValue(2, r, set->a);
    grid->SetValue(3, r, set->b);
    grid->SetValue(4, r, set->c);
  } else {
    grid->SetText(1, r, set->formula);
    grid->SetText(2, r, record->Text("Name"));
    grid->SetValue(3, r, set->a);
    grid->SetValue(4, r, set->b);
    grid->SetValue(5, r, set->c);
    for (int c = 3; c <= 5; ++c) {
      grid->SetForeColor(c, r, Qt::black);
      grid->SetBackColor(c, r, Qt::white);
    }
  }
  return true;
}

VZ_FORM_FACTORY(frmDBAntoine);
