#include "batch/ui_run/frmBatchDispLog.h"

#include <QTextCursor>

#include <filesystem>
#include <system_error>

#include "batch/model/BatchData.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

VZ_FORM_FACTORY(frmBatchDispLog);

frmBatchDispLog::frmBatchDispLog() : ui::Form("frmBatchDispLog") {
  setFixedSize(ui::Px(9480), ui::Px(6600));
  lblTitle = ui::NewLabel(this, "lblTitle", "計算過程のログ");
  ui::Place(lblTitle, 240, 120, 6000, 255);
  txtMemoText = ui::NewMultiLineTextBox(this, "txtMemoText");
  ui::Place(txtMemoText, 240, 480, 9000, 5400);
  txtMemoText->setReadOnly(true);
  txtMemoText->setLineWrapMode(QPlainTextEdit::NoWrap);
  cmdOK = ui::NewButton(this, "cmdOK", "戻る(&X)");
  ui::Place(cmdOK, 8040, 6060, 1215, 375);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmBatchDispLog::Form_Load() {
  if (Case.Language != 0 && !In_English()) return;
  const bool english = In_English();
  SetCaption(ui::Q(Case.Prog_Title + (english ? "Calculation Log" : "Ｌｏｇの表示")));
  lblTitle->setText(english ? "Calculation Log" : "計算過程のログ");
  cmdOK->setText(english ? "Exit (&X)" : "戻る(&X)");
}

namespace {

// Every line as it is, blank ones included; a last line without its break gets one.
std::string Lines_With_Breaks(const std::string& decoded) {
  std::string text;
  text.reserve(decoded.size() + decoded.size() / 16 + 2);
  std::size_t pos = 0;
  while (pos < decoded.size()) {
    const std::size_t end = decoded.find_first_of("\r\n", pos);
    const std::size_t stop = end == std::string::npos ? decoded.size() : end;
    text.append(decoded, pos, stop - pos);
    text += "\r\n";
    pos = stop;
    if (pos < decoded.size() && decoded[pos] == '\r') ++pos;
    if (pos < decoded.size() && decoded[pos] == '\n') ++pos;
  }
  return text;
}

bool EnglishCaptions() { return In_English(); }

std::string Megabytes(double bytes) { return txt::Format(bytes / (1024.0 * 1024.0), "0.0"); }

}  // namespace

BatchLogText Batch_Read_Log(const std::string& path, std::size_t maxBytes) {
  BatchLogText log;
  if (path.empty()) {
    log.fault = seqfile::FileFault::Missing;
    return log;
  }
  std::string decoded;
  if (!seqfile::ReadFileTail(path, maxBytes, &decoded, &log.cut, nullptr, &log.fault)) return log;
  log.text = Lines_With_Breaks(decoded);
  log.ok = true;
  return log;
}

bool Batch_Read_Log_Text(const std::string& path, std::string& text) {
  BatchLogText log = Batch_Read_Log(path);
  text = std::move(log.text);
  return log.ok;
}

std::string Batch_Log_Fault_Text(const std::string& path, seqfile::FileFault fault) {
  const bool en = EnglishCaptions();
  std::string why;
  using seqfile::FileFault;
  if (path.empty()) why = en ? "no calculation has been run yet" : "まだ計算をしていません";
  else if (fault == FileFault::NotAFile)
    why = en ? "this is not a file (a folder, a device or a pipe)" : "ファイルではありません（フォルダ、デバイスまたはパイプ）";
  else if (fault == FileFault::TooLarge)
    why = en ? "not enough memory to show it" : "表示するためのメモリが足りません";
  else if (fault == FileFault::NotText)
    why = en ? "the log holds binary content, not text" : "ログがテキストではありません（バイナリの内容）";
  else why = seqfile::FaultText(fault, "", en);
  return en ? "The calculation log cannot be read: " + path + "\n(" + why + ")"
            : "計算過程のログが読めません: " + path + "\n（" + why + "）";
}

void frmBatchDispLog::Form_Activate() {
  // Filled once per opening; a message box closing over it changes nothing.
  if (shown_) return;
  shown_ = true;
  const std::string name = Batch.Batch_Log_File;
  BatchLogText log = Batch_Read_Log(name);
  const bool en = EnglishCaptions();
  if (log.cut) {
    log.text.insert(0, en ? "(the earlier part of the log is left out)\r\n" : "（ログの前の部分は省略しています）\r\n");
  }
  txtMemoText->setPlainText(ui::Q(log.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  if (!log.ok) {
    ui::MsgBox(Batch_Log_Fault_Text(name, log.fault), ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
    return;
  }
  if (log.cut) {
    // The end of the log is what tells how the last run went: show that end.
    txtMemoText->moveCursor(QTextCursor::End);
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(name, ec);
    const std::string size = ec ? std::string("?") : Megabytes(static_cast<double>(bytes));
    const std::string shown = Megabytes(static_cast<double>(kLogShownBytes));
    lblTitle->setText(ui::Q(en ? "Calculation Log (its last " + shown + " MB)" : "計算過程のログ（最後の " + shown + " MB）"));
    ui::MsgBox(en ? "The calculation log is too long (" + size + " MB): only its last " + shown + " MB are shown."
                  : "計算過程のログが長すぎるため（" + size + " MB）、最後の " + shown + " MB だけを表示します。",
               ui::vbOKOnly | ui::vbInformation, Case.Prog_Title);
  }
}

void frmBatchDispLog::cmdOK_Click() { ui::Forms::Unload(this); }

void frmBatchDispLog::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}
