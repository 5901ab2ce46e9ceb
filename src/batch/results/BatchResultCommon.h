// What the batch result windows share: captions by language, the message
// boxes titled by the program, the Escape key and the close box, and the run
// files' messages.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>

#include <functional>
#include <string>

#include "batch/results/BatchResultFiles.h"
#include "core/model/CalcMessages.h"
#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

namespace batchres {

// `Prog_Title` followed by the window's title word.
QString Caption(const char* japanese, const char* english);
// A message box with the OK button titled by the program.
void Say(const std::string& text);
// Tells what is wrong with a run file (nothing for Ok and End).
void Say_Run_File(const RunFileResult& r);

// A result window: the calculation libraries' messages reach the user while it
// is loaded; Escape unloads it; the close box is refused.
class ResultForm : public ui::Form {
  Q_OBJECT

 public:
  explicit ResultForm(const QString& name);
  void Form_Load() override;
  void Form_Unload() override;
  void Form_KeyDown(int& keyCode, int shift) override;
  virtual void cmdExit_Click();

 private:
  CalcMessageHandler previous_;
  bool installed_ = false;
};

// A history table: a bold title, the grid, four choice buttons and Exit. Each
// choice sets the title and fills the grid with one row per saved record.
class HistoryTableForm : public ResultForm {
  Q_OBJECT

 public:
  struct Choice {
    const char* name;
    const char* caption[2];  // Japanese, English
    const char* title[2];    // what the title label shows for it
    int phase, kind;
  };
  HistoryTableForm(const QString& name, const Choice (&choices)[4], double buttonWidth, double buttonStep);
  void Form_Load() override;

  QPushButton* cmdExit;
  QLabel* lblTitle;
  ui::SpreadGrid* vaSpread1;

 protected:
  // Fills the grid for a choice (phase 0 total reflux, else withdrawal).
  virtual void Fill(int phase, int kind) = 0;
  // The rows of the phase's history: `row` writes record n into row n after
  // the time column; the grid is cut to the records read and a damaged file
  // is said. The headers are the caller's, written before.
  void Fill_Rows(int phase, const std::function<void(int, const HistoryRecord&)>& row);

  void Choose(int i);

 private:
  const Choice (&choices_)[4];
  QPushButton* buttons_[4];
};

}  // namespace batchres
