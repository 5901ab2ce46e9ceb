// The memo dialog: the ten memo lines kept at the head of every case file.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <string>

#include "platform/ui/Form.h"

class frmMemo : public ui::Form {
  Q_OBJECT

 public:
  frmMemo();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdErase_Click();
  void cmdOK_Click();
  void cmdCancel_Click();

  QPlainTextEdit* txtMemoText;
  QLabel* lblTitle;
  QPushButton* cmdErase;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
};

// Splits an edited memo text into the lines 1..10: a line ends at a line break
// (CR LF, LF or CR); a last line typed without a break is kept; lines after the
// tenth are dropped; a double quote, which a case file cannot carry inside a
// text field, becomes an apostrophe. Missing lines are empty.
void Split_Memo_Text(const std::string& text, std::string (&lines)[11]);
