#include "database/ui/DbTableModel.h"

#include <algorithm>

#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"

DbTableModel::DbTableModel(const vzdb::TableSpec& table, std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(std::move(columns)) {}

void DbTableModel::SetRows(std::vector<vzdb::Record> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

std::string DbTableModel::Text(int row, const std::string& field) const {
  if (row < 0 || row >= RecordCount()) return {};
  return rows_[static_cast<std::size_t>(row)].Text(field);
}

int DbTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : RecordCount() + 1;
}

int DbTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant DbTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return QString::fromStdString(Text(index.row(), columns_[static_cast<std::size_t>(index.column())].field));
}

Qt::ItemFlags DbTableModel::flags(const QModelIndex& index) const {
  return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant DbTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section < RecordCount() ? QVariant(section + 1) : QVariant("*");
  if (section < 0 || section >= columnCount()) return {};
  return QString::fromStdString(columns_[static_cast<std::size_t>(section)].heading);
}

bool DbTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  return Edit(index.row(), index.column(), value.toString().toStdString());
}

bool DbTableModel::Fail(const vzdb::DbStatus& status) {
  if (onError) onError(status);
  return false;
}

void DbTableModel::Reread(int row, vzdb::PropertyDb& db) {
  vzdb::Record& r = rows_[static_cast<std::size_t>(row)];
  if (auto fresh = db.Fetch_Row(table_, r.RowId())) r = std::move(*fresh);
}

bool DbTableModel::Edit(int row, int column, const std::string& text) {
  if (row < 0 || row > RecordCount() || column < 0 || column >= columnCount()) return false;
  // Leaving the empty last row empty adds no blank record.
  if (row == RecordCount() && text.empty()) return false;
  const Column& col = columns_[static_cast<std::size_t>(column)];
  // A number column takes a number or nothing: the refusal names the column as
  // its heading shows it, and the record stays as it was.
  const vzdb::ColumnSpec* spec = vzdb::Find_Column(table_, col.field);
  if (spec && (spec->type == vzdb::ColType::Number || spec->type == vzdb::ColType::Integer)) {
    double value = 0.0;
    const txt::NumberProblem p = txt::ParseNumber(text, value);
    if (p != txt::NumberProblem::None && p != txt::NumberProblem::Blank)
      return Fail({vzdb::DbError::BadValue, txt::NumberProblemMessage(p, col.heading, text)});
    if (p == txt::NumberProblem::None)
      if (std::string why = vzdb::Physical_Value_Problem(table_, spec->name, value, col.heading); !why.empty())
        return Fail({vzdb::DbError::BadValue, why});
  }
  vzdb::PropertyDb db(Case.DB_Path);
  if (!db.Ok()) return Fail(db.Open_Status());
  vzdb::Record change;
  const std::string& field = col.field;
  change.Set(field, text.empty() ? vzdb::Value::Null() : vzdb::Value::Of(text));
  if (row == RecordCount()) {
    // Typing into the empty last row adds a record with just that value.
    long long id = 0;
    if (auto s = db.Add_Row(table_, change, &id); !s.Ok()) return Fail(s);
    beginInsertRows({}, row + 1, row + 1);
    vzdb::Record added;
    added.SetRowId(id);
    rows_.push_back(added);
    endInsertRows();
  } else {
    const long long id = rows_[static_cast<std::size_t>(row)].RowId();
    if (auto s = db.Update_Row(table_, id, change); !s.Ok()) return Fail(s);
  }
  Reread(row, db);
  emit dataChanged(index(row, 0), index(row, columnCount() - 1));
  emit headerDataChanged(Qt::Vertical, row, row + 1);
  return true;
}

bool DbTableModel::Delete_Rows(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end(), std::greater<int>());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  vzdb::PropertyDb db(Case.DB_Path);
  if (!db.Ok()) return Fail(db.Open_Status());
  for (int row : rows) {
    if (row < 0 || row >= RecordCount()) continue;
    if (auto s = db.Delete_Row(table_, rows_[static_cast<std::size_t>(row)].RowId()); !s.Ok()) return Fail(s);
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
  }
  return true;
}
