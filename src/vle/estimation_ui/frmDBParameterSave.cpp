#include "vle/estimation_ui/frmDBParameterSave.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "database/PropertyDb.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Services.h"
#include "vle/estimation/VLEData.h"

VZ_FORM_FACTORY(frmDBParameterSave);

using vlefit::VLE;

namespace {

bool Wilson() { return vlefit::Is_Wilson_Type(VLE.VLE_Calc_Type); }

const vzdb::TableSpec& Table(const char* name) { return *vzdb::Find_Table(name); }
const vzdb::TableSpec& Pair_Table() { return Table(Wilson() ? "Wilson Parameter" : "NRTL Parameter"); }

// A number for the database with every digit of the double, so that the value
// read back is the value fitted.
std::string Full(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17G", v);
  return buf;
}

// The database hands numbers back in the 15-digit plain form; two values are
// the same data when they agree in that form.
bool Same(const std::optional<double>& stored, double value) {
  return stored && txt::Plain(*stored) == txt::Plain(value);
}

// A stored data-set number. One that is no count within 0..2^31 - 2 (a file
// edited by hand) numbers nothing: it is read as 0 rather than wrapped, and the
// next number stays representable.
int Index_Of(const vzdb::Record& r) {
  long long index = 0;
  if (txt::ParseCount(r.Text("Index"), 0, 2147483646LL, index) != txt::NumberProblem::None) return 0;
  return static_cast<int>(index);
}

void Tell(const std::string& text) {
  Case.Msg_Text = text;
  ui::MsgBox(text, ui::vbOKOnly);
}

// The rows of the pair stored with Name1 = first and Name2 = second, in Index order.
std::vector<vzdb::Record> Pair_Rows(vzdb::PropertyDb& db, const std::string& first, const std::string& second) {
  std::vector<vzdb::Record> rows;
  for (vzdb::Record& r : db.Pair_Search(Pair_Table(), first, second))
    if (vzdb::Same_Name_Nocase(r.Text("Name1"), first) && vzdb::Same_Name_Nocase(r.Text("Name2"), second))
      rows.push_back(std::move(r));
  std::stable_sort(rows.begin(), rows.end(),
                   [](const vzdb::Record& a, const vzdb::Record& b) { return Index_Of(a) < Index_Of(b); });
  return rows;
}

// The stored row holds the current pair, read in orientation k (2: the row's
// names are the case's in reverse order).
bool Pair_Equals(const vzdb::Record& r, int k) {
  const bool w = Wilson();
  const char* c12 = w ? "Lambda12" : "Tau12";
  const char* c21 = w ? "Lambda21" : "Tau21";
  const double p12 = w ? Case.Wilson_L12 : Case.NRTL_Tau12;
  const double p21 = w ? Case.Wilson_L21 : Case.NRTL_Tau21;
  const bool same = k == 1 ? Same(r.Number(c12), p12) && Same(r.Number(c21), p21)
                           : Same(r.Number(c21), p12) && Same(r.Number(c12), p21);
  return same && (w || Same(r.Number("Alpha"), Case.NRTL_Alpha));
}

}  // namespace

frmDBParameterSave::frmDBParameterSave() : ui::Form("frmDBParameterSave") {
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetMaxCols(4);
  vaSpread1->SetMaxRows(2);
  const char* heads[5] = {"", "化学式", "物質名", "1", "2"};
  for (int c = 1; c <= 4; ++c) vaSpread1->SetText(c, 0, heads[c]);
  vaSpread1->SetColWidth(1, 14);
  vaSpread1->SetColWidth(2, 22);
  vaSpread1->SetColWidth(3, 17);
  vaSpread1->SetColWidth(4, 17);
  vaSpread1->SetLocked(2, 1, 4, 2);
  ui::Place(vaSpread1, 120, 120, 8400, 1000);
  lblNRTLAlpha = ui::NewLabel(this, "lblNRTLAlpha");
  ui::Place(lblNRTLAlpha, 120, 1200, 2500, 300);
  lblWarning = ui::NewLabel(this, "lblWarning");
  QFont bold = lblWarning->font();
  bold.setBold(true);
  lblWarning->setFont(bold);
  lblWarning->setStyleSheet("color: rgb(255, 0, 0);");
  ui::Place(lblWarning, 2800, 1200, 3000, 300);
  lblDataIndex = ui::NewLabel(this, "lblDataIndex");
  ui::Place(lblDataIndex, 6000, 1200, 2500, 300);
  lblMemo = ui::NewLabel(this, "lblMemo", "Memo");
  ui::Place(lblMemo, 120, 1650, 800, 300);
  txtMemo = ui::NewTextBox(this, "txtMemo");
  ui::Place(txtMemo, 900, 1620, 7600, 330);
  cmdSave = ui::NewButton(this, "cmdSave", "保存(&S)");
  ui::Place(cmdSave, 5300, 2150, 1500, 400);
  cmdCancel = ui::NewButton(this, "cmdCancel", "ｷｬﾝｾﾙ(&C)");
  ui::Place(cmdCancel, 7000, 2150, 1500, 400);
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  setFixedSize(ui::Px(8700), ui::Px(2700));
}

void frmDBParameterSave::Form_Load() {
  const bool w = Wilson();
  for (int i = 1; i <= 2; ++i) {
    vaSpread1->SetText(2, i, Case.Comp_Name[i]);
    vaSpread1->SetText(i + 2, i, txt::Format(w ? 1.0 : 0.0, "#.0"));
  }
  if (w) {
    Case.Msg_Text = In_English() ? "Save Wilson Parameter" : "Wilson Parameter 保存";
    vaSpread1->SetText(4, 1, txt::Format(Case.Wilson_L12, "#.000000E+##"));
    vaSpread1->SetText(3, 2, txt::Format(Case.Wilson_L21, "#.000000E+##"));
  } else {
    Case.Msg_Text = In_English() ? "Save N.R.T.L. Parameter" : "N.R.T.L. Parameter 保存";
    vaSpread1->SetText(4, 1, txt::Format(Case.NRTL_Tau12, "#.000000E+##"));
    vaSpread1->SetText(3, 2, txt::Format(Case.NRTL_Tau21, "#.000000E+##"));
    lblNRTLAlpha->setText(ui::Q("Alpha= " + txt::Signed(Case.NRTL_Alpha)));
  }
  lblNRTLAlpha->setVisible(!w);
  SetCaption(ui::Q(Case.Msg_Text));
  lblWarning->clear();
  lblWarning->setVisible(false);
  lblDataIndex->setVisible(false);
  if (!Look_Up()) Tell("ERROR: DataBase ｴﾗｰ!!");
}

bool frmDBParameterSave::Look_Up() {
  vzdb::PropertyDb db(Case.DB_Path);
  if (!db.Ok()) return false;
  for (int i = 1; i <= 2; ++i) {
    Antoine_Found[i] = false;
    Antoine_Last_Index[i] = -1;
    const std::vector<vzdb::Record> rows = db.Data_Sets(Table("AntoineConstant"), Case.Comp_Name[i]);
    if (!db.Last_Status().Ok()) return false;
    if (rows.empty()) continue;
    vaSpread1->SetText(1, i, rows.front().Text("Formula"));
    for (const vzdb::Record& r : rows) {
      if (Same(r.Number("An"), Case.Antoine_A[i]) && Same(r.Number("Bn"), Case.Antoine_B[i]) &&
          Same(r.Number("Cn"), Case.Antoine_C[i])) {
        Antoine_Found[i] = true;
        break;
      }
      Antoine_Last_Index[i] = Index_Of(r);
    }
  }

  Pair_Match = 0;
  Pair_Last_Index = -1;
  for (int k = 1; k <= 2; ++k) {
    const std::vector<vzdb::Record> rows = Pair_Rows(db, Case.Comp_Name[k], Case.Comp_Name[3 - k]);
    if (!db.Last_Status().Ok()) return false;
    if (rows.empty()) {
      lblWarning->setText("新規登録");
      lblWarning->setVisible(true);
      continue;
    }
    for (const vzdb::Record& r : rows) {
      Pair_Last_Index = Index_Of(r);
      if (Pair_Equals(r, k)) {
        Pair_Match = k;
        txtMemo->setText(ui::Q(r.Text("Memo")));
        return true;
      }
    }
    lblWarning->setText("Parameter追加登録");
    lblWarning->setVisible(true);
    break;
  }
  lblDataIndex->setText(ui::Q("Data Index= " + txt::Plain(Pair_Last_Index + 1)));
  lblDataIndex->setVisible(true);
  return true;
}

void frmDBParameterSave::Form_Activate() {
  if (Pair_Match > 0)
    Tell(Wilson() ? "すでに同じWilson Parameterが登録済み！！" : "すでに同じN.R.T.L Parameterが登録済み！！");
}

bool frmDBParameterSave::Fail_Db(const vzdb::DbStatus& status) {
  ui::MsgBox(vzdb::Db_Error_Text(status, Case.DB_Path, Case.Language), ui::vbOKOnly | ui::vbExclamation);
  return false;
}

// Offers to register a component that CriticalConstant lacks; false when the
// user declines (the save then stops).
bool frmDBParameterSave::Register_Component(int i) {
  Case.Msg_Text = Case.Comp_Name[i] + " が臨界定数Databaseに登録されていません。登録しますか？";
  if (ui::MsgBox(Case.Msg_Text, ui::vbYesNo | ui::vbExclamation | ui::vbDefaultButton2, " ") != ui::vbYes)
    return false;
  ui::Form* add = ui::Forms::LoadByName("frmDBCriticalConstant");
  auto* grid = add ? add->Ctl<ui::SpreadGrid>("vaSpread1") : nullptr;
  if (!grid) return false;
  grid->SetText(1, 1, vaSpread1->Text(1, i));
  grid->SetText(1, 2, Case.Comp_Name[i]);
  // Only a registration made now may give this component its formula; one
  // cancelled keeps the formula the grid holds rather than a stale one.
  const std::string before = Case.New_Formula;
  Case.New_Formula.clear();
  add->ShowModal();
  if (Case.New_Formula.empty()) Case.New_Formula = before;
  else vaSpread1->SetText(1, i, Case.New_Formula);
  return true;
}

void frmDBParameterSave::cmdSave_Click() {
  vzdb::PropertyDb db(Case.DB_Path);
  if (!db.Ok()) {
    Fail_Db(db.Open_Status());
    return;
  }
  for (int i = 1; i <= 2; ++i) {
    const bool exists = db.Name_Exists(Table("CriticalConstant"), Case.Comp_Name[i]);
    if (!db.Last_Status().Ok()) {
      Fail_Db(db.Last_Status());
      return;
    }
    if (!exists && !Register_Component(i)) return;
  }
  for (int j = 1; j <= 2; ++j) {
    if (vaSpread1->Text(1, j).empty()) {
      Tell("'" + Case.Comp_Name[j] + "' の化学式を入力して下さい。");
      return;
    }
  }
  if (ui::S(txtMemo->text()).empty()) {
    Tell("メモを入力して下さい。");
    return;
  }
  if (Pair_Match != 0) {
    ui::Forms::Unload(this);
    return;
  }
  const std::string now = ui::NowText();
  for (int i = 1; i <= 2; ++i) {
    if (Antoine_Found[i]) continue;
    const std::string& name = Case.Comp_Name[i];
    Tell("'" + name + "' のAntoine定数が未登録です。");
    vzdb::Record row;
    row.Set("Formula", vaSpread1->Text(1, i));
    row.Set("Name", name);
    row.Set("Index", std::to_string(Antoine_Last_Index[i] + 1));
    row.Set("Equation Type", "1");
    row.Set("An", Full(Case.Antoine_A[i]));
    row.Set("Bn", Full(Case.Antoine_B[i]));
    row.Set("Cn", Full(Case.Antoine_C[i]));
    row.Set("Date_Create", now);
    const vzdb::DbStatus s = db.Add_Row(Table("AntoineConstant"), row);
    if (!s.Ok()) {
      Fail_Db(s);
      return;
    }
    // A save repeated after a later failure must not add the same constants twice.
    Antoine_Found[i] = true;
    Tell("'" + name + "' のAntoine定数を登録しました。");
  }
  const bool w = Wilson();
  vzdb::Record pair;
  pair.Set("Formula1", vaSpread1->Text(1, 1));
  pair.Set("Name1", Case.Comp_Name[1]);
  pair.Set("Formula2", vaSpread1->Text(1, 2));
  pair.Set("Name2", Case.Comp_Name[2]);
  pair.Set("Index", std::to_string(Pair_Last_Index + 1));
  if (w) {
    pair.Set("Lambda12", Full(Case.Wilson_L12));
    pair.Set("Lambda21", Full(Case.Wilson_L21));
  } else {
    pair.Set("Tau12", Full(Case.NRTL_Tau12));
    pair.Set("Tau21", Full(Case.NRTL_Tau21));
    pair.Set("Alpha", Full(Case.NRTL_Alpha));
  }
  if (VLE.VLE_TP_Type == 1) pair.Set("Temp", Full(VLE.VLE_Temp));
  else pair.Set("Press", Full(VLE.VLE_Press));
  pair.Set("Memo", ui::S(txtMemo->text()));
  pair.Set("Date_Create", now);
  const vzdb::DbStatus s = db.Add_Row(Pair_Table(), pair);
  if (!s.Ok()) {
    Fail_Db(s);
    return;
  }
  Tell("'" + Case.Comp_Name[1] + " - " + Case.Comp_Name[2] +
       (w ? "' のWilson定数を保存しました。" : "' のN.R.T.L定数を保存しました。"));
  ui::Forms::Unload(this);
}

void frmDBParameterSave::cmdCancel_Click() { ui::Forms::Unload(this); }

void frmDBParameterSave::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}
