#include "batch/ui_run/frmBatchTankData.h"

#include "batch/model/BatchData.h"
#include "batch/ui_run/BatchChangeDialog.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/PictureBox.h"

VZ_FORM_FACTORY(frmBatchTankData);

frmBatchTankData::frmBatchTankData() : ui::Form("frmBatchTankData") {
  setFixedSize(ui::Px(7320), ui::Px(5160));
  lblTime = ui::NewLabel(this, "lblTime", "操作時間");
  ui::Place(lblTime, 240, 180, 1095, 255);
  lblTimeValue = ui::NewLabel(this, "lblTimeValue");
  ui::Place(lblTimeValue, 1440, 180, 1215, 255);
  lblTimeValue->setFrameShape(QFrame::Panel);
  lblTimeValue->setFrameShadow(QFrame::Sunken);
  lblHour = ui::NewLabel(this, "lblHour", "(Hr)");
  ui::Place(lblHour, 2760, 180, 495, 255);
  lblTKChange = ui::NewLabel(this, "lblTKChange", "タンク切替条件");
  ui::Place(lblTKChange, 240, 540, 1935, 255);
  lblTKChangeData = ui::NewLabel(this, "lblTKChangeData");
  ui::Place(lblTKChangeData, 2280, 540, 4800, 255);
  lblTKChangeData->setFrameShape(QFrame::Panel);
  lblTKChangeData->setFrameShadow(QFrame::Sunken);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  ui::Place(vaSpread1, 240, 960, 6840, 3495);
  vaSpread1->SetMaxCols(4);
  vaSpread1->SetAllLocked(true);
  for (int c = 1; c <= 4; ++c) vaSpread1->SetColWidth(c, 11);
  vaSpread1->SetColWidth(0, 14);
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  ui::Place(cmdExit, 5880, 4620, 1215, 375);
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frmBatchTankData::Form_Load() {
  const bool english = In_English();
  if (Case.Language == 0 || english) {
    SetCaption(ui::Q(Case.Prog_Title + (english ? "Product Tank Change" : "製品タンク切替")));
    lblTime->setText(english ? "Ope.Time" : "操作時間");
    lblTKChange->setText(english ? "Change Condition" : "タンク切替条件");
    cmdExit->setText(english ? "Exit(&X)" : "戻る(&X)");
  }
  lblHour->setText("(Hr)");
  lblTKChangeData->setText("");
  lblTimeValue->setText(ui::Q(txt::Format(Batch.Oper_Time, "#0.######")));

  const int nc = Case.NC;
  double total = 0, weight = 0;
  for (int c = 1; c <= nc; ++c) {
    total += Batch.Tank_Amount[c];
    weight += Batch.Tank_Amount[c] * Case.Mol_Wt[c];
  }
  const char* headsJ[5] = {"", "モル量", "モル分率", "重量", "重量分率"};
  const char* headsE[5] = {"", "Mole", "Mol Fr", "Weight", "Wt Fr"};
  const char* units[5] = {"", "(Kg-mol)", "(-)", "(Kg)", "(-)"};
  vaSpread1->SetMaxRows(nc + 2);
  for (int col = 1; col <= 4; ++col) {
    vaSpread1->SetText(col, 0, english ? headsE[col] : headsJ[col]);
    vaSpread1->SetText(col, 2, units[col]);
  }
  // The totals and units rows carry no name.
  vaSpread1->SetText(0, 1, " ");
  vaSpread1->SetText(0, 2, " ");
  vaSpread1->SetText(1, 1, txt::Format(total, "####0.###"));
  vaSpread1->SetText(3, 1, txt::Format(weight, "####0.###"));
  for (int c = 1; c <= nc; ++c) {
    const double amount = Batch.Tank_Amount[c], mass = amount * Case.Mol_Wt[c];
    vaSpread1->SetText(0, c + 2, Case.Comp_Name[c]);
    vaSpread1->SetText(1, c + 2, txt::Format(amount, "####0.###"));
    vaSpread1->SetText(3, c + 2, txt::Format(mass, "####0.###"));
    // An empty tank has no composition yet: its fraction cells stay empty.
    vaSpread1->SetText(2, c + 2, total > 0 ? txt::Format(amount / total, "#0.######") : "");
    vaSpread1->SetText(4, c + 2, weight > 0 ? txt::Format(mass / weight, "#0.######") : "");
  }
  Show_Condition();
}

void frmBatchTankData::Show_Condition() {
  const BatchTankCondition cond = Batch_Tank_Condition_Text(Batch.Tank_No);
  lblTKChangeData->setText(ui::Q(cond.text));
  if (cond.col < 1 || cond.row < 1 || cond.row > vaSpread1->MaxRows()) return;
  vaSpread1->SetForeColor(cond.col, cond.row, ui::QBColor(0));
  vaSpread1->SetBackColor(cond.col, cond.row, Batch_Highlight_Colour());
}

BatchTankCondition Batch_Tank_Condition_Text(int k) {
  BatchTankCondition out;
  if (k < 0 || k > kMaxTank) return out;
  const bool english = In_English();
  const int code = Batch.Tank_Cond[k];
  const double v = Batch.Tank_Value[k];
  const std::string head = "(" + std::to_string(k) + ") ";
  if (code == -2) {
    out.text = head + (english ? "Total Weight = " : "全重量 ＝ ") + txt::Plain(v) + "(Kg)";
    out.col = 3, out.row = 1;
    return out;
  }
  if (code == -1) {
    out.text = head + (english ? "Total Mole = " : "全モル数 ＝ ") + txt::Plain(v) + "(Kg-mol)";
    out.col = 1, out.row = 1;
    return out;
  }
  const bool weight = code > 100;
  const int n = weight ? code - 100 : code;
  const std::string name = n >= 0 && n <= kMaxComp ? Case.Comp_Name[n] : std::string();
  const bool rising = v > 0;
  std::string what;
  if (english)
    what = std::string(weight ? " Wt Fraction " : " Mole Fraction ") + (rising ? "> " : "< ");
  else
    what = std::string(weight ? "の重量分率 " : "のモル分率 ") + (rising ? "＞ " : "＜ ");
  out.text = head + name + what + txt::Plain(rising ? v : 0.0 - v);
  // Only a component of the case has a row in the table.
  if (n >= 1 && n <= Case.NC) {
    out.col = weight ? 4 : 2;
    out.row = n + 2;
  }
  return out;
}

void frmBatchTankData::cmdExit_Click() { ui::Forms::Unload(this); }

void frmBatchTankData::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}
