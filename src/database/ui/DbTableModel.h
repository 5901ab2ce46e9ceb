// An editable grid over one table of the database: the rows of a listing or a
// search, plus an empty last row where typing adds a record. Every change is
// written at once through its own connection; a cell emptied is stored as null.
#pragma once

#include <QAbstractTableModel>

#include <functional>
#include <string>
#include <vector>

#include "database/PropertyDb.h"

class DbTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  struct Column {
    std::string field;    // column of the table
    std::string heading;  // what the grid's heading shows
  };
  DbTableModel(const vzdb::TableSpec& table, std::vector<Column> columns, QObject* parent);

  const vzdb::TableSpec& Table() const { return table_; }
  // Shows these rows (a listing or a search result).
  void SetRows(std::vector<vzdb::Record> rows);
  int RecordCount() const { return static_cast<int>(rows_.size()); }
  const vzdb::Record& RecordAt(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
  // Text of a cell (row 0-based, column by field name).
  std::string Text(int row, const std::string& field) const;

  // What a user does in the grid, for tests and the key handler: type a text
  // into a cell (the empty last row adds a record), delete rows.
  bool Edit(int row, int column, const std::string& text);
  bool Delete_Rows(std::vector<int> rows);

  // Told of a write the database refused (the window shows it).
  std::function<void(const vzdb::DbStatus&)> onError;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  bool Fail(const vzdb::DbStatus& status);
  // Reads one row back as the database stored it (numbers converted).
  void Reread(int row, vzdb::PropertyDb& db);

  const vzdb::TableSpec& table_;
  std::vector<Column> columns_;
  std::vector<vzdb::Record> rows_;
};
