// The grid of every input and result table: 1-based rows and columns, row 0
// and column 0 the headings, cell text and value, fixed-point number cells,
// colours, locked cells, SUM cells, click and change events. A model/view
// grid, so result tables of many thousands of rows stay light.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace ui {

class SpreadGrid;

class SpreadModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit SpreadModel(SpreadGrid* grid);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Reset() { beginResetModel(); endResetModel(); }
  void CellChanged(int col, int row);
  void HeaderChanged(Qt::Orientation o, int section) { emit headerDataChanged(o, section, section); }

 private:
  SpreadGrid* grid_;
};

class SpreadGrid : public QTableView {
  Q_OBJECT

 public:
  explicit SpreadGrid(const QString& name, QWidget* parent = nullptr);
  ~SpreadGrid() override;

  // Row and column counts (rows 1..MaxRows, columns 1..MaxCols).
  void SetMaxRows(int rows);
  void SetMaxCols(int cols);
  int MaxRows() const { return rows_; }
  int MaxCols() const { return cols_; }

  // Cell text; row 0 is the column heading, column 0 the row heading.
  void SetText(int col, int row, const std::string& text);
  std::string Text(int col, int row) const;
  // Cell value: the leading number of the text (empty 0). Setting a value writes
  // it through the cell's number format, or as plain number text.
  void SetValue(int col, int row, double value);
  double Value(int col, int row) const;

  // Clears the text of a block of cells (formats and colours stay).
  void ClearRange(int col1, int row1, int col2, int row2);
  void ClearAll() { ClearRange(1, 1, cols_, rows_); }

  // Column width in characters of the grid's font.
  void SetColWidth(int col, double chars);
  // A tip shown over a column heading (the unit of the column, for one).
  void SetColToolTip(int col, const std::string& tip);
  void SetRowHeadersVisible(bool visible);
  void SetColHeadersVisible(bool visible);

  // Fixed-point number cells with `decimals` places over a block. A number cell
  // takes typed text that is wholly a number, or nothing; other text is refused
  // with a message naming the cell by its column and its row.
  void SetNumberFormat(int col1, int row1, int col2, int row2, int decimals);
  // Cells the user cannot edit.
  void SetLocked(int col1, int row1, int col2, int row2, bool locked = true);
  void SetAllLocked(bool locked) { allLocked_ = locked; }
  void SetForeColor(int col, int row, const QColor& color);
  void SetBackColor(int col, int row, const QColor& color);
  std::optional<QColor> ForeColor(int col, int row) const;
  std::optional<QColor> BackColor(int col, int row) const;
  // A cell holding the sum of a block, kept up to date as the block changes.
  void SetSumFormula(int col, int row, int col1, int row1, int col2, int row2);

  // The current cell.
  int ActiveCol() const { return activeCol_; }
  int ActiveRow() const { return activeRow_; }
  void SetActiveCell(int col, int row);

  // Events: a click in a cell (col, row), a cell edited by the user (also
  // emptied with the Delete key).
  std::function<void(int col, int row)> onClick;
  std::function<void(int col, int row)> onChange;

  // Text of the cells of rows 1..MaxRows that were never written, when set: a
  // result table of millions of rows reads its rows as they are shown.
  std::function<std::string(int col, int row)> cellSource;

  // What a user does, for tests: click a cell; type a text into a cell.
  void ClickCell(int col, int row);
  void TypeText(int col, int row, const std::string& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  friend class SpreadModel;
  struct Cell {
    std::string text;
    int decimals = -1;  // -1: the column's format (if any)
    int locked = -1;    // -1: the column's lock, else 0 or 1
    std::optional<QColor> fore, back;
  };
  struct Sum {
    int col, row, col1, row1, col2, row2;
  };
  Cell& At(int col, int row);
  int DecimalsAt(int col, int row) const;  // -1 when the cell is no number cell
  bool LockedAt(int col, int row) const;
  std::string FormatNumber(double value, int decimals) const;
  // What a cell shows of its text in the column's present width.
  std::string ShownText(int col, const std::string& text) const;
  const Cell* Find(int col, int row) const;
  void RecomputeSums();
  void UserEdited(int col, int row, const std::string& text);
  // The cell as a refusal names it, in the messages' language: its column
  // (heading, else letters) and its row (number, then a heading that is a
  // name): "x1 (row 3)", "Feed (row 2, Benzene)", "x1（3行目）"; "B3" where
  // neither has a heading.
  std::string FieldName(int col, int row) const;

  int rows_ = 0, cols_ = 0;
  std::unordered_map<long long, Cell> cells_;  // key: row * 1024 + col
  std::vector<std::string> colHeads_, rowHeads_, colTips_;
  // Formats and locks set over whole columns: kept per column, so a result table
  // of many thousands of rows holds no per-cell entry for them.
  std::vector<int> colDecimals_;
  std::vector<char> colLocked_;
  std::vector<Sum> sums_;
  bool allLocked_ = false;
  int activeCol_ = 1, activeRow_ = 1;
  SpreadModel* model_;
};

// The grid an Antoine lookup writes into (set by the window that opens it).
extern SpreadGrid* Caller_Grid;

}  // namespace ui
