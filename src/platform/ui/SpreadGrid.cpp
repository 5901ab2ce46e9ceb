#include "platform/ui/SpreadGrid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

#include <algorithm>

#include "platform/text/NumberText.h"
#include "platform/ui/Interaction.h"

namespace ui {

SpreadGrid* Caller_Grid = nullptr;

namespace {
long long Key(int col, int row) { return static_cast<long long>(row) * 1024 + col; }
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

SpreadModel::SpreadModel(SpreadGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

int SpreadModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_->rows_; }
int SpreadModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_->cols_; }

QVariant SpreadModel::data(const QModelIndex& index, int role) const {
  const int col = index.column() + 1, row = index.row() + 1;
  const auto* cell = grid_->Find(col, row);
  if (!cell) {
    if (role != Qt::DisplayRole || !grid_->cellSource || row > grid_->rows_ || col > grid_->cols_) return {};
    return Q(grid_->ShownText(col, grid_->cellSource(col, row)));
  }
  switch (role) {
    case Qt::DisplayRole: return Q(grid_->ShownText(col, cell->text));
    case Qt::EditRole: return Q(cell->text);
    case Qt::ForegroundRole: return cell->fore ? QVariant(*cell->fore) : QVariant();
    case Qt::BackgroundRole: return cell->back ? QVariant(*cell->back) : QVariant();
    case Qt::TextAlignmentRole:
      return grid_->DecimalsAt(col, row) >= 0 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default: return {};
  }
}

bool SpreadModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole) return false;
  grid_->UserEdited(index.column() + 1, index.row() + 1, value.toString().toStdString());
  return true;
}

Qt::ItemFlags SpreadModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (!grid_->allLocked_ && !grid_->LockedAt(index.column() + 1, index.row() + 1)) f |= Qt::ItemIsEditable;
  return f;
}

QVariant SpreadModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::ToolTipRole && orientation == Qt::Horizontal) {
    const auto i = static_cast<std::size_t>(section + 1);
    if (i < grid_->colTips_.size() && !grid_->colTips_[i].empty()) return Q(grid_->colTips_[i]);
    return {};
  }
  if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  const auto& heads = orientation == Qt::Horizontal ? grid_->colHeads_ : grid_->rowHeads_;
  const auto i = static_cast<std::size_t>(section + 1);
  if (i < heads.size() && !heads[i].empty()) return Q(heads[i]);
  if (orientation == Qt::Vertical) return section + 1;
  // Unnamed columns are lettered as in a spreadsheet.
  QString letters;
  for (int n = section + 1; n > 0; n = (n - 1) / 26) letters.prepend(QChar('A' + (n - 1) % 26));
  return letters;
}

void SpreadModel::CellChanged(int col, int row) {
  const QModelIndex i = index(row - 1, col - 1);
  emit dataChanged(i, i);
}

SpreadGrid::SpreadGrid(const QString& name, QWidget* parent) : QTableView(parent), model_(new SpreadModel(this)) {
  setObjectName(name);
  setModel(model_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  verticalHeader()->setDefaultSectionSize(20);
  horizontalHeader()->setHighlightSections(false);
  connect(this, &QTableView::clicked, this, [this](const QModelIndex& i) { ClickCell(i.column() + 1, i.row() + 1); });
}

SpreadGrid::~SpreadGrid() {
  // A lookup must never write into the grid of a window that is gone.
  if (Caller_Grid == this) Caller_Grid = nullptr;
}

void SpreadGrid::SetMaxRows(int rows) {
  rows_ = rows < 0 ? 0 : rows;
  // Row headings are kept only as far as one was written: a long table holds
  // no empty heading per row.
  if (rowHeads_.size() > static_cast<std::size_t>(rows_) + 1) rowHeads_.resize(static_cast<std::size_t>(rows_) + 1);
  model_->Reset();
}

void SpreadGrid::SetMaxCols(int cols) {
  cols_ = cols < 0 ? 0 : cols;
  colHeads_.resize(static_cast<std::size_t>(cols_) + 1);
  model_->Reset();
}

SpreadGrid::Cell& SpreadGrid::At(int col, int row) { return cells_[Key(col, row)]; }

const SpreadGrid::Cell* SpreadGrid::Find(int col, int row) const {
  auto it = cells_.find(Key(col, row));
  return it == cells_.end() ? nullptr : &it->second;
}

void SpreadGrid::SetText(int col, int row, const std::string& text) {
  if (row == 0 || col == 0) {
    auto& heads = row == 0 ? colHeads_ : rowHeads_;
    const int i = row == 0 ? col : row;
    if (i < 0) return;
    if (static_cast<std::size_t>(i) >= heads.size()) heads.resize(static_cast<std::size_t>(i) + 1);
    heads[static_cast<std::size_t>(i)] = text;
    model_->HeaderChanged(row == 0 ? Qt::Horizontal : Qt::Vertical, i - 1);
    return;
  }
  if (col < 0 || row < 0 || col > cols_ || row > rows_) return;
  At(col, row).text = text;
  model_->CellChanged(col, row);
  if (!sums_.empty()) RecomputeSums();
}

std::string SpreadGrid::Text(int col, int row) const {
  if (row == 0 || col == 0) {
    const auto& heads = row == 0 ? colHeads_ : rowHeads_;
    const auto i = static_cast<std::size_t>(row == 0 ? col : row);
    return i < heads.size() ? heads[i] : std::string();
  }
  const auto* cell = Find(col, row);
  if (!cell && cellSource && row >= 1 && row <= rows_ && col >= 1 && col <= cols_) return cellSource(col, row);
  return cell ? cell->text : std::string();
}

void SpreadGrid::SetValue(int col, int row, double value) {
  SetText(col, row, FormatNumber(value, DecimalsAt(col, row)));
}

double SpreadGrid::Value(int col, int row) const { return txt::Val(Text(col, row)); }

void SpreadGrid::ClearRange(int col1, int row1, int col2, int row2) {
  for (auto& [key, cell] : cells_) {
    const int row = static_cast<int>(key / 1024), col = static_cast<int>(key % 1024);
    if (col >= col1 && col <= col2 && row >= row1 && row <= row2) cell.text.clear();
  }
  if (!sums_.empty()) RecomputeSums();
  model_->Reset();
}

void SpreadGrid::SetColWidth(int col, double chars) {
  if (col == 0) {
    verticalHeader()->setFixedWidth(static_cast<int>(chars * fontMetrics().averageCharWidth() + 8));
    return;
  }
  setColumnWidth(col - 1, static_cast<int>(chars * fontMetrics().averageCharWidth() + 8));
}

void SpreadGrid::SetColToolTip(int col, const std::string& tip) {
  if (col < 1) return;
  if (static_cast<std::size_t>(col) >= colTips_.size()) colTips_.resize(static_cast<std::size_t>(col) + 1);
  colTips_[static_cast<std::size_t>(col)] = tip;
}

void SpreadGrid::SetRowHeadersVisible(bool visible) { verticalHeader()->setVisible(visible); }
void SpreadGrid::SetColHeadersVisible(bool visible) { horizontalHeader()->setVisible(visible); }

void SpreadGrid::SetNumberFormat(int col1, int row1, int col2, int row2, int decimals) {
  if (row1 <= 1 && row2 >= rows_) {
    for (int c = std::max(col1, 1); c <= col2; ++c) {
      if (static_cast<std::size_t>(c) >= colDecimals_.size()) colDecimals_.resize(static_cast<std::size_t>(c) + 1, -1);
      colDecimals_[static_cast<std::size_t>(c)] = decimals;
    }
    return;
  }
  for (int r = row1; r <= row2; ++r)
    for (int c = col1; c <= col2; ++c) At(c, r).decimals = decimals;
}

void SpreadGrid::SetLocked(int col1, int row1, int col2, int row2, bool locked) {
  if (row1 <= 1 && row2 >= rows_) {
    for (int c = std::max(col1, 1); c <= col2; ++c) {
      if (static_cast<std::size_t>(c) >= colLocked_.size()) colLocked_.resize(static_cast<std::size_t>(c) + 1, 0);
      colLocked_[static_cast<std::size_t>(c)] = locked ? 1 : 0;
    }
    return;
  }
  for (int r = row1; r <= row2; ++r)
    for (int c = col1; c <= col2; ++c) At(c, r).locked = locked ? 1 : 0;
}

int SpreadGrid::DecimalsAt(int col, int row) const {
  const auto* cell = Find(col, row);
  if (cell && cell->decimals >= 0) return cell->decimals;
  const auto c = static_cast<std::size_t>(col);
  return c < colDecimals_.size() ? colDecimals_[c] : -1;
}

bool SpreadGrid::LockedAt(int col, int row) const {
  const auto* cell = Find(col, row);
  if (cell && cell->locked >= 0) return cell->locked == 1;
  const auto c = static_cast<std::size_t>(col);
  return c < colLocked_.size() && colLocked_[c] == 1;
}

std::string SpreadGrid::FormatNumber(double value, int decimals) const {
  if (decimals < 0) return txt::Plain(value);
  return txt::Format(value, "0." + std::string(static_cast<std::size_t>(decimals), '0'));
}

void SpreadGrid::SetForeColor(int col, int row, const QColor& color) {
  At(col, row).fore = color;
  model_->CellChanged(col, row);
}

void SpreadGrid::SetBackColor(int col, int row, const QColor& color) {
  At(col, row).back = color;
  model_->CellChanged(col, row);
}

std::optional<QColor> SpreadGrid::ForeColor(int col, int row) const {
  const auto* c = Find(col, row);
  return c ? c->fore : std::nullopt;
}

std::optional<QColor> SpreadGrid::BackColor(int col, int row) const {
  const auto* c = Find(col, row);
  return c ? c->back : std::nullopt;
}

void SpreadGrid::SetSumFormula(int col, int row, int col1, int row1, int col2, int row2) {
  std::erase_if(sums_, [&](const Sum& s) { return s.col == col && s.row == row; });
  sums_.push_back({col, row, col1, row1, col2, row2});
  At(col, row).locked = 1;
  RecomputeSums();
}

void SpreadGrid::RecomputeSums() {
  for (const auto& s : sums_) {
    double total = 0;
    for (int r = s.row1; r <= s.row2; ++r)
      for (int c = s.col1; c <= s.col2; ++c)
        if (const auto* cell = Find(c, r)) total += txt::Val(cell->text);
    At(s.col, s.row).text = FormatNumber(total, DecimalsAt(s.col, s.row));
    model_->CellChanged(s.col, s.row);
  }
}

void SpreadGrid::SetActiveCell(int col, int row) {
  activeCol_ = col;
  activeRow_ = row;
  if (col >= 1 && row >= 1 && col <= cols_ && row <= rows_) setCurrentIndex(model_->index(row - 1, col - 1));
}

void SpreadGrid::ClickCell(int col, int row) {
  activeCol_ = col;
  activeRow_ = row;
  if (onClick) onClick(col, row);
}

std::string SpreadGrid::ShownText(int col, const std::string& text) const {
  // A number too wide for its column is shown shorter, never cut to "0...."
  // (the cell keeps its full text; editing shows it).
  if (text.empty() || col < 1) return text;
  const QFontMetrics fm(font());
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  // The cell is the column less its grid line; the item's text keeps a margin
  // on either side. A text wider than that is elided by the view ("0....").
  const int room = columnWidth(col - 1) - (showGrid() ? 1 : 0) - 2 * margin;
  return txt::FitNumber(text, [&](std::string_view s) {
    return fm.horizontalAdvance(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()))) <= room;
  });
}

void SpreadGrid::UserEdited(int col, int row, const std::string& text) {
  if (col < 1 || row < 1 || col > cols_ || row > rows_) return;
  if (allLocked_ || LockedAt(col, row)) return;
  const int decimals = DecimalsAt(col, row);
  double number = 0.0;
  const txt::NumberProblem problem = txt::ParseNumber(text, number);
  // A number cell takes a number or nothing; any cell refuses a number past the
  // range of a double (it would be stored as Inf). The cell keeps what it held.
  const bool refused = (decimals >= 0 && problem != txt::NumberProblem::None && problem != txt::NumberProblem::Blank) ||
                       txt::Overflows(text);
  if (refused) {
    MsgBox(txt::NumberProblemMessage(problem == txt::NumberProblem::None ? txt::NumberProblem::Overflow : problem,
                                     FieldName(col, row), text),
           vbOKOnly | vbExclamation);
    model_->CellChanged(col, row);
    return;
  }
  std::string shown = text;
  // A number cell shows what was typed as a number with its places.
  if (decimals >= 0 && problem == txt::NumberProblem::None) shown = FormatNumber(number, decimals);
  SetText(col, row, shown);
  activeCol_ = col;
  activeRow_ = row;
  if (onChange) onChange(col, row);
}

void SpreadGrid::TypeText(int col, int row, const std::string& text) { UserEdited(col, row, text); }

std::string SpreadGrid::FieldName(int col, int row) const {
  auto heading = [](const std::vector<std::string>& heads, int i) {
    const auto k = static_cast<std::size_t>(i);
    if (k >= heads.size()) return std::string();
    const std::string& h = heads[k];
    // Padding headings of unused rows (" ") name nothing.
    const auto first = h.find_first_not_of(" \t"), last = h.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : h.substr(first, last - first + 1);
  };
  const std::string colHead = heading(colHeads_, col), rowHead = heading(rowHeads_, row);
  const std::string letters = model_->headerData(col - 1, Qt::Horizontal, Qt::DisplayRole).toString().toStdString();
  // Neither heading: the cell as a spreadsheet names it ("B3").
  if (colHead.empty() && rowHead.empty()) return letters + std::to_string(row);
  // A one-column sheet whose rows are the fields ("Tc", "Pc"): the row heading is the name.
  if (colHead.empty() && cols_ == 1) return rowHead;
  const std::string column = colHead.empty() ? letters : colHead;
  const bool en = txt::EnglishMessages();
  // A row is named by its number, as the windows name rows; a numbered heading
  // is the number the row shows, and a heading that is a name (a component,
  // "Total") follows the number.
  const bool numbered = rowHead.empty() || rowHead.find_first_not_of("0123456789") == std::string::npos;
  const std::string number = numbered && !rowHead.empty() ? rowHead : std::to_string(row);
  if (en) return column + " (row " + number + (numbered ? "" : ", " + rowHead) + ")";
  return column + "（" + number + "行目" + (numbered ? "" : "、" + rowHead) + "）";
}

void SpreadGrid::keyPressEvent(QKeyEvent* event) {
  // Delete empties the current cell as typing an empty text would (locked cells
  // stay as they are); while a cell is being edited the key is the editor's.
  if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && state() != EditingState &&
      currentIndex().isValid()) {
    const QModelIndex i = currentIndex();
    UserEdited(i.column() + 1, i.row() + 1, "");
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

}  // namespace ui
