#include "database/ui/DbLookupForm.h"

#include <QGridLayout>

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

using ui::Q;

DbLookupForm::DbLookupForm(const char* name, int columns) : ui::Form(name), columns_(columns) {
  auto* g = new QGridLayout(this);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetMaxCols(columns);
  vaSpread1->SetMaxRows(0);
  vaSpread1->SetAllLocked(true);
  vaSpread1->setMinimumSize(760, 240);
  vaSpread1->onClick = [this](int col, int row) { vaSpread1_Click(col, row); };
  g->addWidget(vaSpread1, 0, 0, 1, 3);
  lblDBSearchError = ui::NewLabel(this, "lblDBSearchError");
  lblDBSearchError->setStyleSheet("color: red;");
  lblDBSearchError->setVisible(false);
  g->addWidget(lblDBSearchError, 1, 0, 1, 3);
  cmdOK = ui::NewButton(this, "cmdOK");
  cmdCancel = ui::NewButton(this, "cmdCancel");
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  g->addWidget(cmdOK, 2, 1);
  g->addWidget(cmdCancel, 2, 2);
  g->setColumnStretch(0, 1);
}

void DbLookupForm::Form_Load() { Set_Captions(); }

void DbLookupForm::Set_Captions() {
  const bool en = In_English();
  const Captions c = Caption();
  setWindowTitle(Q(Case.Prog_Title + (en ? c.en : c.ja)));
  const auto heads = Headings();
  for (std::size_t i = 0; i < heads.size(); ++i)
    vaSpread1->SetText(static_cast<int>(i) + 1, 0, en ? heads[i].en : heads[i].ja);
  const Captions nf = Not_Found();
  lblDBSearchError->setText(Q(en ? nf.en : nf.ja));
  cmdOK->setText(Q(en ? "OK (&O)" : "ＯＫ(&O)"));
  cmdCancel->setText(Q(en ? "Cancel(&C)" : "取消(&C)"));
}

void DbLookupForm::Form_Activate() {
  // Each showing speaks the language chosen now.
  Set_Captions();
  selected_ = 0;
  vaSpread1->SetMaxRows(0);
  lblDBSearchError->setVisible(false);
  vzdb::PropertyDb db(Case.DB_Path);
  if (!db.Ok()) {
    // Without the database the dialog lists nothing and says why.
    ui::MsgBox(vzdb::Db_Error_Text(db.Open_Status(), Case.DB_Path, Case.Language), ui::vbExclamation);
    lblDBSearchError->setVisible(true);
    return;
  }
  const std::vector<vzdb::Record> rows = Search(db);
  if (rows.empty()) {
    // A search that failed (a text too long, a query error) says why.
    if (!db.Last_Status().Ok())
      ui::MsgBox(vzdb::Db_Error_Text(db.Last_Status(), Case.DB_Path, Case.Language), ui::vbExclamation);
    lblDBSearchError->setVisible(true);
    return;
  }
  Fill(rows);
  selected_ = 1;
}

void DbLookupForm::Fill(const std::vector<vzdb::Record>& rows) {
  const auto cols = Listed_Columns();
  for (std::size_t c = 0; c < cols.size(); ++c) {
    if (cols[c] == "Memo") vaSpread1->SetColWidth(static_cast<int>(c) + 1, 60);
    else if (cols[c].rfind("Name", 0) == 0) vaSpread1->SetColWidth(static_cast<int>(c) + 1, 26);
  }
  vaSpread1->SetMaxRows(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < cols.size(); ++c)
      if (!cols[c].empty())
        vaSpread1->SetText(static_cast<int>(c) + 1, static_cast<int>(r) + 1, rows[r].Text(cols[c]));
}

void DbLookupForm::vaSpread1_Click(int, int row) { selected_ = row; }

void DbLookupForm::cmdOK_Click() {
  if (selected_ < 1 || selected_ > vaSpread1->MaxRows()) {
    Show_Select_Row_Message();
    return;
  }
  vzdb::PropertyDb db(Case.DB_Path);
  if (!db.Ok()) {
    ui::MsgBox(vzdb::Db_Error_Text(db.Open_Status(), Case.DB_Path, Case.Language), ui::vbExclamation);
    return;
  }
  if (!Copy(db, selected_)) {
    Show_Select_Row_Message();
    return;
  }
  Close();
}

void DbLookupForm::cmdCancel_Click() { Close(); }

void DbLookupForm::Form_KeyDown(int& keyCode, int) {
  if (keyCode == ui::vbKeyEscape) {
    keyCode = 0;
    Close();
  }
}

void DbLookupForm::Close() {
  Give_Back_Opener_Button();
  ui::Forms::Unload(this);
}

std::optional<vzdb::Record> DbLookupForm::Fetch_Chosen(vzdb::PropertyDb& db, const char* table,
                                                       int row) const {
  const std::string name = vaSpread1->Text(2, row);
  if (name.empty()) return std::nullopt;
  const auto index = Listed_Index(row);
  if (!index) return std::nullopt;
  return db.Fetch(*vzdb::Find_Table(table), name, *index);
}

std::optional<long long> DbLookupForm::Listed_Index(int row) const {
  // Indexes are stored as whole numbers within +-9e15 (exact in a double); a
  // text beyond that is no index and must not wrap to another data set.
  constexpr long long kIndexLimit = 9'000'000'000'000'000LL;
  long long index = 0;
  if (txt::ParseCount(vaSpread1->Text(3, row), -kIndexLimit, kIndexLimit, index) != txt::NumberProblem::None)
    return std::nullopt;
  return index;
}

void DbLookupForm::Show_Select_Row_Message() {
  const bool en = In_English();
  const std::string text = en ? "ERROR: Select Data" : "ERROR: 物質名を選択して下さい。";
  if (Message_With_App_Title()) {
    ui::MsgBox(text, ui::vbOKOnly, en ? "Batch Distillation" : ui::ApplicationTitle());
  } else {
    Case.Msg_Text = text;
    ui::MsgBox(Case.Msg_Text, ui::vbOKOnly, Case.Prog_Title);
  }
  Give_Back_Opener_Button();
}

std::string Key_From_Grid(ui::SpreadGrid* grid) {
  if (!grid) return {};
  const int row = grid->ActiveRow();
  int col = grid->ActiveCol();
  grid->SetActiveCell(col, row);
  std::string key = grid->Text(col, row);
  if (key.empty()) {
    col = col == 1 ? 2 : 1;
    key = grid->Text(col, row);
  }
  return key;
}

ui::SpreadGrid* Opener_Grid(const char* form, const char* grid) {
  ui::Form* f = ui::Forms::FindByName(QString::fromLatin1(form));
  return f ? f->Ctl<ui::SpreadGrid>(grid) : nullptr;
}
