#include "database/ui/frmDBCriticalConstant.h"

#include <QColor>
#include <QVBoxLayout>

#include <cstdio>

#include "core/model/CaseData.h"
#include "database/PropertyDb.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Services.h"

namespace {

struct RowSpec {
  const char* header;
  const char* kind;
  const char* field;
};

const RowSpec kRows[13] = {
    {"化学式", "ﾃｷｽﾄ型", "Formula"},
    {"物質名", "ﾃｷｽﾄ型", "Name"},
    {"物質名-1", "ﾃｷｽﾄ型", "Name-1"},
    {"分子量 (Kg/Kmol)", "数値型", "MW"},
    {"融点　Tm(ﾟK)", "数値型", "Tm"},
    {"沸点  Ts(ﾟK)", "数値型", "Tb"},
    {"臨界温度  Tc(ﾟK)", "数値型", "Tc"},
    {"臨界圧力  Pc(bar)", "数値型", "Pc"},
    {"臨界分子容積  Vc(cm3/mol)", "数値型", "Vc"},
    {"臨界圧縮係数  Zc(-)", "数値型", "Zc"},
    {"偏心係数  ω(-)", "数値型", "Omg"},
    {"双極子ﾓｰﾒﾝﾄ  μ(Debye)", "数値型", "dp"},
    {"メモ", "メモ型", "Memo"},
};

std::string Today() {
  const std::tm t = ui::Now();
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
  return buf;
}

}  // namespace

frmDBCriticalConstant::frmDBCriticalConstant() : ui::Form("frmDBCriticalConstant") {
  setWindowTitle("臨界定数データベース登録");
  auto* v = new QVBoxLayout(this);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetMaxCols(2);
  vaSpread1->SetMaxRows(13);
  vaSpread1->SetText(1, 0, "データ");
  vaSpread1->SetText(2, 0, "ﾃﾞｰﾀ型");
  for (int r = 1; r <= 13; ++r) {
    vaSpread1->SetText(0, r, kRows[r - 1].header);
    vaSpread1->SetText(2, r, kRows[r - 1].kind);
    vaSpread1->SetBackColor(2, r, QColor(192, 192, 192));
  }
  vaSpread1->SetLocked(2, 1, 2, 13);
  vaSpread1->SetColWidth(1, 30);
  vaSpread1->SetColWidth(2, 10);
  vaSpread1->setMinimumSize(560, 320);
  v->addWidget(vaSpread1);
  auto* row = new QHBoxLayout();
  row->addStretch(1);
  cmdSave = ui::NewButton(this, "cmdSave", "保存(&S)");
  cmdCancel = ui::NewButton(this, "cmdCancel", "取消(&C)");
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  row->addWidget(cmdSave);
  row->addWidget(cmdCancel);
  v->addLayout(row);
}

void frmDBCriticalConstant::cmdSave_Click() {
  // Each number row holds a number or nothing; other text is refused, naming
  // the row, before the database is touched, and the dialog stays open.
  for (int r = 4; r <= 12; ++r) {
    const std::string text = vaSpread1->Text(1, r);
    double value = 0.0;
    const txt::NumberProblem p = txt::ParseNumber(text, value);
    std::string why = p != txt::NumberProblem::None && p != txt::NumberProblem::Blank
                          ? txt::NumberProblemMessage(p, kRows[r - 1].header, text)
                          : std::string();
    if (p == txt::NumberProblem::None)
      why = vzdb::Physical_Value_Problem(*vzdb::Find_Table("CriticalConstant"), kRows[r - 1].field, value,
                                         kRows[r - 1].header);
    if (!why.empty()) {
      ui::MsgBox(why, ui::vbExclamation);
      vaSpread1->SetActiveCell(1, r);
      return;
    }
  }
  const std::string formula = vaSpread1->Text(1, 1);
  const std::string name = vaSpread1->Text(1, 2);
  vzdb::PropertyDb db(Case.DB_Path);
  const vzdb::TableSpec& table = *vzdb::Find_Table("CriticalConstant");
  vzdb::Record row;
  row.Set("Formula", formula);
  row.Set("Name", name);
  for (int r = 3; r <= 13; ++r) {
    const std::string text = vaSpread1->Text(1, r);
    row.Set(kRows[r - 1].field, text.empty() ? vzdb::Value::Null() : vzdb::Value::Of(text));
  }
  row.Set("No", vzdb::Value::Null());
  row.Set("Date_Create", Today());
  vzdb::DbStatus status = db.Open_Status();
  if (status.Ok()) {
    // A name registered before gets a further data set, not a second Index 0.
    const long long index = db.Next_Index(table, name);
    status = db.Last_Status();
    row.Set("Index", std::to_string(index));
    if (status.Ok()) status = db.Add_Row(table, row);
  }
  if (!status.Ok()) {
    ui::MsgBox(vzdb::Db_Error_Text(status, Case.DB_Path, Case.Language), ui::vbExclamation);
    return;
  }
  Case.New_Formula = formula;
  ui::Forms::Unload(this);
}

void frmDBCriticalConstant::cmdCancel_Click() { ui::Forms::Unload(this); }

void frmDBCriticalConstant::Form_KeyDown(int& keyCode, int) {
  if (keyCode == ui::vbKeyEscape) {
    keyCode = 0;
    ui::Forms::Unload(this);
  }
}

VZ_FORM_FACTORY(frmDBCriticalConstant);
