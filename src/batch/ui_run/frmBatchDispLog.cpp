#include "batch/ui_run/frmBatchDispLog.h"

#include <fstream>
#include <iterator>

#include "batch/model/BatchData.h"
#include "core/model/CaseData.h"
#include "platform/text/SeqFile.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

VZ_FORM_FACTORY(frmBatchDispLog);

frmBatchDispLog::frmBatchDispLog() : ui::Form("frmBatchDispLog") {
  setFixedSize(ui::Px(9480), ui::Px(6600));
  lblTitle = ui::NewLabel(this, "lblTitle", "計算過程のログ");
  ui::Place(lblTitle, 240, 120, 4000, 255);
  txtMemoText = ui::NewMultiLineTextBox(this, "txtMemoText");
  ui::Place(txtMemoText, 240, 480, 9000, 5400);
  txtMemoText->setReadOnly(true);
  txtMemoText->setLineWrapMode(QPlainTextEdit::NoWrap);
  cmdOK = ui::NewButton(this, "cmdOK", "戻る(&X)");
  ui::Place(cmdOK, 8040, 6060, 1215, 375);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmBatchDispLog::Form_Load() {
  if (Case.Language != 0 && Case.Language != 1) return;
  const bool english = Case.Language == 1;
  SetCaption(ui::Q(Case.Prog_Title + (english ? "Calculation Log" : "Ｌｏｇの表示")));
  lblTitle->setText(english ? "Calculation Log" : "計算過程のログ");
  cmdOK->setText(english ? "Exit (&X)" : "戻る(&X)");
}

bool Batch_Read_Log_Text(const std::string& path, std::string& text) {
  text.clear();
  if (path.empty()) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  const std::string decoded = seqfile::DecodeFileText(bytes);
  // Every line as it is, blank ones included; a last line without its break gets one.
  std::size_t pos = 0;
  while (pos < decoded.size()) {
    const std::size_t end = decoded.find_first_of("\r\n", pos);
    const std::size_t stop = end == std::string::npos ? decoded.size() : end;
    text += decoded.substr(pos, stop - pos) + "\r\n";
    pos = stop;
    if (pos < decoded.size() && decoded[pos] == '\r') ++pos;
    if (pos < decoded.size() && decoded[pos] == '\n') ++pos;
  }
  return true;
}

void frmBatchDispLog::Form_Activate() {
  // Filled once per opening; a message box closing over it changes nothing.
  if (shown_) return;
  shown_ = true;
  std::string text;
  const bool read = Batch_Read_Log_Text(Batch.Batch_Log_File, text);
  txtMemoText->setPlainText(ui::Q(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  if (!read) {
    const std::string name = Batch.Batch_Log_File;
    ui::MsgBox(Case.Language == 1 ? "The calculation log cannot be read: " + name
                                  : "計算過程のログが読めません: " + name,
               ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
  }
}

void frmBatchDispLog::cmdOK_Click() { ui::Forms::Unload(this); }

void frmBatchDispLog::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}
