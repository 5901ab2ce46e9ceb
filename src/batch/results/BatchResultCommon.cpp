#include "batch/results/BatchResultCommon.h"

#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/text/NumberText.h"
#include "platform/ui/QLanguage.h"

namespace batchres {

QString Caption(const char* japanese, const char* english) {
  return ui::Q(Case.Prog_Title) + QInLanguage(japanese, english);
}

void Say(const std::string& text) { ui::MsgBox(text, ui::vbOKOnly, Case.Prog_Title); }

void Say_Run_File(const RunFileResult& r) {
  if (r.failed()) ui::MsgBox(Run_File_Message(r), ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
}

ResultForm::ResultForm(const QString& name) : ui::Form(name) {}

void ResultForm::Form_Load() {
  previous_ = Set_Calc_Message_Handler([](const std::string& text) { ui::MsgBox(text); });
  installed_ = true;
}

void ResultForm::Form_Unload() {
  if (installed_) Set_Calc_Message_Handler(std::move(previous_));
  installed_ = false;
}

void ResultForm::Form_KeyDown(int& keyCode, int shift) {
  (void)shift;
  if (keyCode == ui::vbKeyEscape) {
    keyCode = 0;
    ui::Forms::Unload(this);
  }
}

void ResultForm::cmdExit_Click() { ui::Forms::Unload(this); }

HistoryTableForm::HistoryTableForm(const QString& name, const Choice (&choices)[4], double buttonWidth,
                                   double buttonStep)
    : ResultForm(name), choices_(choices) {
  lblTitle = ui::NewLabel(this, "lblTitle");
  ui::Place(lblTitle, 120, 120, 6000, 300);
  QFont f = lblTitle->font();
  f.setBold(true);
  lblTitle->setFont(f);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetAllLocked(true);
  ui::Place(vaSpread1, 120, 480, 11400, 5400);
  for (int i = 0; i < 4; ++i) {
    buttons_[i] = ui::NewButton(this, choices[i].name, choices[i].caption[0]);
    ui::Place(buttons_[i], 120 + i * buttonStep, 6000, buttonWidth, 400);
    connect(buttons_[i], &QPushButton::clicked, this, [this, i] { Choose(i); });
  }
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  ui::Place(cmdExit, 10080, 6000, 1440, 400);
  setFixedSize(ui::Px(11640), ui::Px(6540));
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void HistoryTableForm::Form_Load() {
  ResultForm::Form_Load();
  for (int i = 0; i < 4; ++i) buttons_[i]->setText(QInLanguage(choices_[i].caption[0], choices_[i].caption[1]));
  cmdExit->setText(QInLanguage("戻る(&X)", "Exit(&X)"));
  lblTitle->setText("");
}

void HistoryTableForm::Choose(int i) {
  lblTitle->setText(QInLanguage(choices_[i].title[0], choices_[i].title[1]));
  Fill(choices_[i].phase, choices_[i].kind);
}

void HistoryTableForm::Fill_Rows(int phase, const std::function<void(int, const HistoryRecord&)>& row) {
  HistoryFile file;
  RunFileResult r = file.Open(Batch_Result_Path(Batch_History_Name(phase)));
  HistoryRecord rec;
  int n = 0;
  while (r.ok()) {
    r = file.Next(rec);
    if (!r.ok()) break;
    ++n;
    if (n > vaSpread1->MaxRows()) vaSpread1->SetMaxRows(2 * n + 62);  // grows by blocks, cut at the end
    vaSpread1->SetText(1, n, txt::Format(rec.time, "##0.0000"));
    row(n, rec);
  }
  vaSpread1->SetMaxRows(n);
  Say_Run_File(r);
}

}  // namespace batchres
