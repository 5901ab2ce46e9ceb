// What the batch result windows share: captions by language, the message
// boxes titled by the program, the Escape key and the close box, and the run
// files' messages.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// The rows of a history table, one per record, read from the file as the grid
// shows them: a block of HistoryFile::kMarkStride records at a time, the last
// two blocks kept as text. A table of any length holds no more than that.
class HistoryRows {
 public:
  // The text of columns 2.. of a record's row (column 1 is its time).
  using RowCells = std::function<void(const HistoryRecord&, std::vector<std::string>& cells)>;
  HistoryRows(int cols, RowCells row) : cols_(cols), row_(std::move(row)) {}
  RunFileResult Open(const std::string& path) { return file_.Open(path); }
  std::size_t Records() const { return file_.Records(); }
  // The text of (col, row), rows 1-based; empty where the file no longer reads.
  const std::string& Cell(int col, int row);

 private:
  struct Block {
    std::size_t first = static_cast<std::size_t>(-1);  // the block's first record
    std::vector<std::string> cells;                     // rows x cols
  };
  Block& Fetch(std::size_t first);

  int cols_;
  RowCells row_;
  HistoryFile file_;
  HistoryRecord rec_;
  Block blocks_[2];
  int lastUsed_ = 0;
  std::vector<std::string> rowCells_;
  std::string none_;
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
  ~HistoryTableForm() override;
  void Form_Load() override;

  QPushButton* cmdExit;
  QLabel* lblTitle;
  ui::SpreadGrid* vaSpread1;

 protected:
  // Fills the grid for a choice (phase 0 total reflux, else withdrawal).
  virtual void Fill(int phase, int kind) = 0;
  // The rows of the phase's history, one per record: column 1 its time, the
  // columns after it what `row` gives (it must capture what it needs by
  // value: it is called as the rows are shown). A missing or damaged file is
  // said and leaves no row. The headers are the caller's, written before.
  void Fill_Rows(int phase, HistoryRows::RowCells row);

  void Choose(int i);

 private:
  const Choice (&choices_)[4];
  QPushButton* buttons_[4];
  std::unique_ptr<HistoryRows> rows_;
};

}  // namespace batchres
