#include "database/ui/DbBrowserForm.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Programs.h"

std::vector<DbTableModel::Column> Browser_Columns(
    const char* table, std::vector<std::pair<const char*, const char*>> headings) {
  headings.emplace_back("Date_Create", "登録年月日");
  std::vector<DbTableModel::Column> out;
  for (const vzdb::ColumnSpec& c : vzdb::Find_Table(table)->columns) {
    std::string heading = c.name;
    for (const auto& [field, text] : headings)
      if (c.name == field) heading = text;
    out.push_back({c.name, heading});
  }
  return out;
}

DbBrowserForm::DbBrowserForm(const char* name, std::vector<TabSpec> tabs)
    : ui::Form(name), tabs_(std::move(tabs)) {}

void DbBrowserForm::Build() {
  auto* v = new QVBoxLayout(this);
  auto* top = new QHBoxLayout();
  lblCompName = ui::NewLabel(this, "lblCompName");
  top->addWidget(lblCompName);
  Add_Search_Boxes(top);
  cmdKensaku = ui::NewButton(this, "cmdKensaku");
  cmdVersion = ui::NewButton(this, "cmdVersion");
  cmdExit = ui::NewButton(this, "cmdExit");
  top->addWidget(cmdKensaku);
  top->addStretch(1);
  top->addWidget(cmdVersion);
  top->addWidget(cmdExit);
  v->addLayout(top);
  SSTab1 = new QTabWidget(this);
  SSTab1->setObjectName("SSTab1");
  v->addWidget(SSTab1, 1);
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    auto* model = new DbTableModel(*vzdb::Find_Table(tabs_[i].table), tabs_[i].columns, this);
    model->setObjectName(QString::fromStdString("Data" + n));
    model->onError = [this](const vzdb::DbStatus& s) { Report(s); };
    auto* grid = new QTableView(this);
    grid->setObjectName(QString::fromStdString("TDBGrid" + n));
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->installEventFilter(this);
    for (std::size_t c = 0; c < tabs_[i].columns.size(); ++c) {
      const std::string& f = tabs_[i].columns[c].field;
      const int width = f.rfind("Name", 0) == 0 ? 190 : f == "Memo" ? 320 : f.rfind("Formula", 0) == 0 ? 110 : 0;
      // Never narrower than its heading: "臨界分子容(cm3/mol)" is read whole.
      const int heading = grid->horizontalHeader()->sectionSizeHint(static_cast<int>(c));
      grid->setColumnWidth(static_cast<int>(c), std::max({width, heading, grid->columnWidth(static_cast<int>(c))}));
    }
    SSTab1->addTab(grid, QString());
    data_.push_back(model);
    grids_.push_back(grid);
  }
  connect(cmdKensaku, &QPushButton::clicked, this, [this] { cmdKensaku_Click(); });
  connect(cmdVersion, &QPushButton::clicked, this, [this] { cmdVersion_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  resize(980, 560);
}

void DbBrowserForm::Form_Load() {
  Set_Captions();
  SSTab1->setCurrentIndex(0);
  vzdb::PropertyDb db(Case.DB_Path);
  if (!db.Ok()) {
    Report(db.Open_Status());
    return;
  }
  for (DbTableModel* m : data_) m->SetRows(db.Listing(m->Table()));
}

void DbBrowserForm::Form_Activate() { Set_Captions(); }

void DbBrowserForm::Set_Captions() {
  const bool en = In_English();
  setWindowTitle(ui::Q(Window_Caption(en)));
  lblCompName->setText(ui::Q(en ? "Querry Name" : "検索物質名"));
  cmdKensaku->setText(ui::Q(en ? "Querry(&Q)" : "検索(&Q)"));
  cmdVersion->setText(ui::Q(en ? "Version (&A)" : "ﾊﾞｰｼﾞｮﾝ情報(&A)"));
  cmdExit->setText(ui::Q(en ? "Exit (&X)" : "戻る(&X)"));
  for (std::size_t i = 0; i < tabs_.size(); ++i)
    // "&" of "R & K Parameter" is a character of the caption, not an accelerator.
    SSTab1->setTabText(static_cast<int>(i),
                       ui::Q(en ? tabs_[i].captionEn : tabs_[i].captionJa).replace("&", "&&"));
}

void DbBrowserForm::cmdKensaku_Click() {
  vzdb::PropertyDb db(Case.DB_Path);
  if (!db.Ok()) {
    Report(db.Open_Status());
    return;
  }
  vzdb::DbStatus failed;
  for (DbTableModel* m : data_) {
    std::vector<vzdb::Record> rows = Search_Table(db, m->Table());
    // A table whose search failed keeps what it showed; the others go on.
    if (db.Last_Status().Ok()) m->SetRows(std::move(rows));
    else if (failed.Ok()) failed = db.Last_Status();
  }
  if (!failed.Ok()) Report(failed);  // once, not once per table
}

void DbBrowserForm::cmdVersion_Click() {
  if (ui::Form* about = ui::Forms::LoadByName("frmAbout")) about->ShowModal();
}

void DbBrowserForm::cmdExit_Click() {
  ui::Forms::Unload(this);
  ui::ReturnToMenu();
}

void DbBrowserForm::Delete_Selected(int tab) {
  QTableView* grid = Grid(tab);
  std::set<int> rows;
  for (const QModelIndex& i : grid->selectionModel()->selectedIndexes()) rows.insert(i.row());
  Data(tab)->Delete_Rows({rows.begin(), rows.end()});
}

bool DbBrowserForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    for (int t = 0; t < Tab_Count(); ++t) {
      if (watched == Grid(t)) {
        Delete_Selected(t);
        return true;
      }
    }
  }
  return ui::Form::eventFilter(watched, event);
}

void DbBrowserForm::Report(const vzdb::DbStatus& status) {
  ui::MsgBox(vzdb::Db_Error_Text(status, Case.DB_Path, Case.Language), ui::vbExclamation);
}
