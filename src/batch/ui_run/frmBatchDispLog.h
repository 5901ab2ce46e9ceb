// The run log of the last batch calculation, shown line by line as the file
// holds it.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cstddef>
#include <string>

#include "platform/text/SeqFile.h"
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

// A run log is a few lines per run; one that has grown past this (a run that
// retried thousands of steps, logs appended for years) is shown by its end.
inline constexpr std::size_t kLogShownBytes = 2u * 1024u * 1024u;

// What reading a run log gave.
struct BatchLogText {
  bool ok = false;
  bool cut = false;  // the log is longer than it was read: `text` is its end
  seqfile::FileFault fault = seqfile::FileFault::None;
  std::string text;  // every line read, each followed by CR LF
};

// Reads the run log at `path`: a regular file only (a folder, a device or a
// pipe is refused unopened), and of a longer file only its last `maxBytes`.
BatchLogText Batch_Read_Log(const std::string& path, std::size_t maxBytes = kLogShownBytes);
// The text of a run log: every line of the file followed by CR LF, the last
// one included. False (text empty) when the file cannot be read.
bool Batch_Read_Log_Text(const std::string& path, std::string& text);
// Why the log cannot be shown, in the language of the captions.
std::string Batch_Log_Fault_Text(const std::string& path, seqfile::FileFault fault);
