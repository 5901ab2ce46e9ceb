// The run log of the last batch calculation, shown line by line as the file
// holds it.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <string>

#include "platform/ui/Form.h"

class frmBatchDispLog : public ui::Form {
  Q_OBJECT

 public:
  frmBatchDispLog();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdOK_Click();

  QLabel* lblTitle;
  QPlainTextEdit* txtMemoText;
  QPushButton* cmdOK;

 private:
  bool shown_ = false;
};

// The text of a run log: every line of the file followed by CR LF, the last
// one included. False (text empty) when the file cannot be read.
bool Batch_Read_Log_Text(const std::string& path, std::string& text);
