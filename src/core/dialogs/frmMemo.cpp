#include "core/dialogs/frmMemo.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "core/dialogs/DialogCommon.h"
#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QLanguage.h"

namespace {
constexpr const char* kTitleJa = "メモ入力";
constexpr const char* kTitleEn = "Memorandum";
}  // namespace

void Split_Memo_Text(const std::string& text, std::string (&lines)[11]) {
  std::size_t pos = 0;
  for (int i = 1; i <= kMaxMemo; ++i) {
    lines[i].clear();
    if (pos >= text.size()) continue;
    const std::size_t end = text.find_first_of("\r\n", pos);
    // A last line without a line break is a line too: dropping it would lose
    // what the user typed.
    lines[i] = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    if (end == std::string::npos) {
      pos = text.size();
    } else {
      pos = end + 1;
      if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    }
    // A case file writes the line as a quoted field, which cannot hold a
    // double quote; the apostrophe keeps the text readable and the file sound.
    for (char& c : lines[i])
      if (c == '"') c = '\'';
  }
}

frmMemo::frmMemo() : ui::Form("frmMemo") {
  auto* g = new QGridLayout(this);
  lblTitle = ui::NewLabel(this, "lblTitle");
  g->addWidget(lblTitle, 0, 0);
  txtMemoText = ui::NewMultiLineTextBox(this, "txtMemoText");
  txtMemoText->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtMemoText->setMinimumSize(560, 220);
  g->addWidget(txtMemoText, 1, 0);
  auto* buttons = new QHBoxLayout();
  cmdErase = ui::NewButton(this, "cmdErase");
  cmdCancel = ui::NewButton(this, "cmdCancel");
  cmdOK = ui::NewButton(this, "cmdOK");
  buttons->addWidget(cmdErase);
  buttons->addStretch();
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdOK);
  g->addLayout(buttons, 2, 0);
  connect(cmdErase, &QPushButton::clicked, this, [this] { cmdErase_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmMemo::Form_Load() {
  dlg::Set_Dialog_Caption(*this, kTitleJa, kTitleEn);
  lblTitle->setText(QInLanguage("メモを入力します。(max 10行)", "Memorandum (max 10Line)"));
  cmdErase->setText(QInLanguage("消去(&E)", "Erase(&E)"));
  cmdCancel->setText(QInLanguage("取消(&C)", "Cancel(&C)"));
  cmdOK->setText(QInLanguage("ＯＫ(&O)", "OK (&O)"));
}

void frmMemo::Form_Activate() {
  dlg::Set_Dialog_Caption(*this, kTitleJa, kTitleEn);
  // Ten lines, each ended by a line break, empty lines included.
  QString text;
  for (int i = 1; i <= kMaxMemo; ++i) text += ui::Q(Case.Memo[i]) + "\n";
  txtMemoText->setPlainText(text);
}

void frmMemo::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

void frmMemo::cmdErase_Click() { txtMemoText->clear(); }

void frmMemo::cmdOK_Click() {
  std::string lines[kMaxMemo + 1];
  Split_Memo_Text(ui::S(txtMemoText->toPlainText()), lines);
  for (int i = 1; i <= kMaxMemo; ++i) Case.Memo[i] = lines[i];
  ui::Forms::Unload(this);
}

void frmMemo::cmdCancel_Click() { ui::Forms::Unload(this); }

// Other windows open it by name without linking to this library.
VZ_FORM_FACTORY(frmMemo);
