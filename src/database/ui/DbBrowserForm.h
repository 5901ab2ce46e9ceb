// What the two table browsers share: tabs of editable grids bound to tables,
// the listing at load, the search, the version and exit buttons.
#pragma once

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

#include <string>
#include <vector>

#include "database/ui/DbTableModel.h"
#include "platform/ui/Form.h"

class DbBrowserForm : public ui::Form {
  Q_OBJECT

 public:
  void Form_Load() override;
  // Each showing speaks the language chosen now.
  void Form_Activate() override;
  void Set_Captions();
  void cmdKensaku_Click();
  void cmdVersion_Click();
  void cmdExit_Click();
  bool eventFilter(QObject* watched, QEvent* event) override;

  // The data control and the grid of tab i (0-based).
  DbTableModel* Data(int tab) const { return data_.at(static_cast<std::size_t>(tab)); }
  QTableView* Grid(int tab) const { return grids_.at(static_cast<std::size_t>(tab)); }
  int Tab_Count() const { return static_cast<int>(data_.size()); }
  // Deletes the rows selected in a tab's grid (the Delete key).
  void Delete_Selected(int tab);

  QTabWidget* SSTab1;
  QLabel* lblCompName;
  QPushButton* cmdKensaku;
  QPushButton* cmdVersion;
  QPushButton* cmdExit;

 protected:
  struct TabSpec {
    const char* table;
    const char* captionJa;
    const char* captionEn;
    std::vector<DbTableModel::Column> columns;
  };
  DbBrowserForm(const char* name, std::vector<TabSpec> tabs);
  // Adds the search boxes to the row above the tabs.
  virtual void Add_Search_Boxes(QHBoxLayout* row) = 0;
  // One tab's search result (db.Last_Status() tells whether it failed).
  virtual std::vector<vzdb::Record> Search_Table(vzdb::PropertyDb& db, const vzdb::TableSpec& t) = 0;
  virtual const char* Window_Caption(bool en) const = 0;

  void Build();
  // Reports a database that cannot be used, once per user action.
  void Report(const vzdb::DbStatus& status);

 private:
  std::vector<TabSpec> tabs_;
  std::vector<DbTableModel*> data_;
  std::vector<QTableView*> grids_;
};

// The grid columns of a table whose headings are the column names, with some
// headings given ("Date_Create" shows "登録年月日" in every table).
std::vector<DbTableModel::Column> Browser_Columns(
    const char* table, std::vector<std::pair<const char*, const char*>> headings = {});
