// The two browsers and the add-component dialog against a scratch database:
// listing, search, edits written at once, refused edits reported.
#include <QHeaderView>
#include <QTableView>

#include <tuple>
#include <utility>

#include "DbFixture.h"
#include "core/model/CaseData.h"
#include "database/ui/frmDBCriticalConstant.h"
#include "database/ui/frmPhysicalDatabase.h"
#include "database/ui/frmPhysicalDatabase2.h"
#include "platform/ui/Services.h"
#include "support/UiTest.h"

namespace {

using vzdb::test::ScratchDb;
using vzdb::test::T;

int Column_Of(DbTableModel* m, const char* field) {
  for (int c = 0; c < m->columnCount(); ++c)
    if (m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toStdString() == field) return c;
  return -1;
}

class DbBrowserWindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    db_.Fill();
    Case.DB_Path = db_.Path();
  }
  ScratchDb db_;
};

TEST_F(DbBrowserWindowTest, PureBrowserListsOrderedAndSearchesNamesOnAllTabs) {
  auto& f = ui::Forms::Get<frmPhysicalDatabase>();
  ASSERT_EQ(f.Tab_Count(), 6);
  EXPECT_EQ(f.windowTitle().toStdString(), "物性定数Database");
  EXPECT_EQ(f.SSTab1->tabText(4).toStdString(), "R && K Parameter");
  EXPECT_EQ(f.Data(0)->RecordCount(), 8);
  EXPECT_EQ(f.Data(0)->Text(0, "Formula"), "C2H6O");
  EXPECT_EQ(f.Data(0)->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString().toStdString(), "化学式");
  EXPECT_EQ(f.Data(1)->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString().toStdString(), "Eq.");
  // One empty row more than records: typing there adds one.
  EXPECT_EQ(f.Data(0)->rowCount(), 9);

  f.txtName->setText("*ETHANOL");
  f.cmdKensaku_Click();
  EXPECT_EQ(f.Data(0)->RecordCount(), 2);
  EXPECT_EQ(f.Data(1)->RecordCount(), 2);  // Methanol's two Antoine sets
  EXPECT_EQ(f.Data(3)->RecordCount(), 1);
  EXPECT_EQ(f.Data(4)->RecordCount(), 0);  // in no R & K row
  f.txtName->setText("CH4O");  // formulas are not searched
  f.cmdKensaku_Click();
  EXPECT_EQ(f.Data(0)->RecordCount(), 0);
  f.txtName->clear();
  f.cmdKensaku_Click();
  EXPECT_EQ(f.Data(0)->RecordCount(), 8);
}

TEST_F(DbBrowserWindowTest, EditsAddsAndDeletesReachTheDatabase) {
  auto& f = ui::Forms::Get<frmPhysicalDatabase>();
  DbTableModel* m = f.Data(0);
  const int tc = Column_Of(m, "臨界温度(ﾟK)");
  const int name = Column_Of(m, "物質名");
  int row = -1;
  for (int r = 0; r < m->RecordCount(); ++r)
    if (m->Text(r, "Name") == "Ethanol") row = r;
  ASSERT_GE(row, 0);

  EXPECT_TRUE(m->setData(m->index(row, tc), "514.5", Qt::EditRole));
  vzdb::PropertyDb db(db_.Path());
  EXPECT_EQ(db.Fetch(T("CriticalConstant"), "Ethanol", 0)->Number("Tc"), 514.5);
  // An emptied cell is stored as null and shown empty.
  EXPECT_TRUE(m->Edit(row, tc, ""));
  EXPECT_TRUE(db.Fetch(T("CriticalConstant"), "Ethanol", 0)->Get("Tc").IsNull());
  EXPECT_EQ(m->data(m->index(row, tc), Qt::DisplayRole).toString(), "");
  // Text that is not wholly a number is refused naming the column as shown;
  // the record keeps its value.
  for (const char* bad : {"hot", "12abc", "1e999"}) {
    script.Answer(ui::vbOK, std::string("「臨界温度(ﾟK)」の「") + bad + "」");
    EXPECT_FALSE(m->Edit(row, tc, bad)) << bad;
    EXPECT_TRUE(db.Fetch(T("CriticalConstant"), "Ethanol", 0)->Get("Tc").IsNull()) << bad;
  }
  // A number no substance has is refused too: a Tc of -5 K reached every program that looked it up.
  const int omega = Column_Of(m, "偏心係数(-)");
  for (auto [column, bad] : {std::pair{tc, "-5"}, std::pair{tc, "0"}, std::pair{omega, "4"}}) {
    script.Answer(ui::vbOK, std::string("の ") + bad + " は物理的にありえない");
    EXPECT_FALSE(m->Edit(row, column, bad)) << bad;
    EXPECT_TRUE(db.Fetch(T("CriticalConstant"), "Ethanol", 0)->Get("Tc").IsNull()) << bad;
  }
  EXPECT_EQ(script.Pending(), 0u);

  // Typing into the empty last row adds a record.
  const int before = m->RecordCount();
  EXPECT_FALSE(m->Edit(before, name, ""));
  EXPECT_EQ(m->RecordCount(), before);
  EXPECT_TRUE(m->Edit(before, name, "Toluene"));
  EXPECT_EQ(m->RecordCount(), before + 1);
  EXPECT_EQ(m->Text(before, "Name"), "Toluene");
  EXPECT_TRUE(m->Edit(before, tc, "591.75"));
  ASSERT_EQ(db.Name_Search(T("CriticalConstant"), "Toluene").size(), 1u);
  EXPECT_EQ(db.Name_Search(T("CriticalConstant"), "Toluene").front().Text("Tc"), "591.75");

  f.Grid(0)->selectRow(before);
  f.Delete_Selected(0);
  EXPECT_EQ(m->RecordCount(), before);
  EXPECT_TRUE(db.Name_Search(T("CriticalConstant"), "Toluene").empty());
}

// Every heading is read whole ("臨界分子容(cm3/mo..." was cut), on every tab of both browsers.
TEST_F(DbBrowserWindowTest, ColumnHeadingsAreReadWhole) {
  auto check = [](DbBrowserForm& f) {
    for (int t = 0; t < f.Tab_Count(); ++t) {
      QTableView* g = f.Grid(t);
      for (int c = 0; c < g->model()->columnCount(); ++c) {
        const QString h = g->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        EXPECT_LE(g->horizontalHeader()->fontMetrics().horizontalAdvance(h), g->columnWidth(c) - 6)
            << "tab " << t << ": " << h.toStdString();
      }
    }
  };
  check(ui::Forms::Get<frmPhysicalDatabase>());
  check(ui::Forms::Get<frmPhysicalDatabase2>());
}

TEST_F(DbBrowserWindowTest, PairBrowserSearchesOneOrTwoNames) {
  Case.Language = 1;
  auto& f = ui::Forms::Get<frmPhysicalDatabase2>();
  EXPECT_EQ(f.SSTab1->tabText(2).toStdString(), "Interraction Parameter(kij)");
  EXPECT_EQ(f.cmdKensaku->text().toStdString(), "Querry(&Q)");
  EXPECT_EQ(f.Data(0)->RecordCount(), 2);
  f.txtName2->setText("Methanol");
  f.cmdKensaku_Click();
  EXPECT_EQ(f.Data(0)->RecordCount(), 2);
  EXPECT_EQ(f.Data(1)->RecordCount(), 2);
  EXPECT_EQ(f.Data(2)->RecordCount(), 1);
  f.txtName1->setText("water");
  f.cmdKensaku_Click();
  EXPECT_EQ(f.Data(0)->RecordCount(), 1);
  EXPECT_EQ(f.Data(2)->RecordCount(), 0);
  f.txtName1->setText("Star*Name");
  f.txtName2->clear();
  f.cmdKensaku_Click();
  EXPECT_EQ(f.Data(0)->RecordCount(), 0);
  EXPECT_EQ(f.Data(2)->RecordCount(), 1);  // the star is a character in the kij table
}

TEST_F(DbBrowserWindowTest, BrowserWithoutDatabaseSaysSoAndShowsNothing) {
  Case.DB_Path = DataPath("nowhere.mdb");
  script.Answer(ui::vbOK, "nowhere.mdb").Answer(ui::vbOK, "nowhere.mdb");
  auto& f = ui::Forms::Get<frmPhysicalDatabase2>();
  EXPECT_EQ(f.Data(0)->RecordCount(), 0);
  f.cmdKensaku_Click();
}

class AddComponentTest : public DbBrowserWindowTest {
 protected:
  frmDBCriticalConstant& Dialog(const char* formula, const char* name) {
    auto& d = ui::Forms::Get<frmDBCriticalConstant>();
    d.vaSpread1->SetText(1, 1, formula);
    d.vaSpread1->SetText(1, 2, name);
    return d;
  }
};

TEST_F(AddComponentTest, SavesNullsIndexAndDateAndHandsBackTheFormula) {
  Dialog("C7H8", "Toluene").cmdSave_Click();
  EXPECT_FALSE(ui::Forms::IsLoaded("frmDBCriticalConstant"));
  EXPECT_EQ(Case.New_Formula, "C7H8");
  vzdb::PropertyDb db(db_.Path());
  const auto row = db.Fetch(T("CriticalConstant"), "Toluene", 0);
  ASSERT_TRUE(row);
  EXPECT_EQ(row->Text("Formula"), "C7H8");
  for (const char* c : {"Name-1", "MW", "Tc", "OMG", "Dp", "Memo", "No"}) EXPECT_TRUE(row->Get(c).IsNull()) << c;
  const std::string today = ui::NowText().substr(0, 10);  // "yyyy/mm/dd"
  EXPECT_EQ(row->Text("Date_Create"), today.substr(0, 4) + "-" + today.substr(5, 2) + "-" + today.substr(8, 2));

  // The same name again gets the next Index, not a second Index 0.
  auto& d = Dialog("C7H8", "Toluene");
  d.vaSpread1->SetText(1, 7, "591.75");
  d.vaSpread1->SetText(1, 11, "0.264");
  d.cmdSave_Click();
  const auto second = db.Fetch(T("CriticalConstant"), "Toluene", 1);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Number("Tc"), 591.75);
  EXPECT_EQ(second->Number("OMG"), 0.264);
}

TEST_F(AddComponentTest, RefusedValueIsReportedAndNothingIsAdded) {
  Case.New_Formula = "before";
  auto& d = Dialog("C6H6", "Benzene*");
  vzdb::PropertyDb db(db_.Path());
  // Each number row takes a number or nothing; the refusal names the row.
  for (const char* bad : {"seventy-eight", "78abc", "1e999"}) {
    d.vaSpread1->SetText(1, 4, bad);
    script.Answer(ui::vbOK, std::string("「分子量 (Kg/Kmol)」の「") + bad + "」");
    d.cmdSave_Click();
    EXPECT_EQ(script.Pending(), 0u) << bad;
    EXPECT_TRUE(ui::Forms::IsLoaded("frmDBCriticalConstant"));
    EXPECT_EQ(Case.New_Formula, "before");
    EXPECT_EQ(db.Listing(T("CriticalConstant")).size(), 8u);
  }
  d.vaSpread1->SetText(1, 4, "");
  Case.Language = 1;
  d.vaSpread1->SetText(1, 8, "40bar");
  script.Answer(ui::vbOK, "\"40bar\" is not a number");
  d.cmdSave_Click();
  EXPECT_EQ(script.Pending(), 0u);
  d.vaSpread1->SetText(1, 8, "");
  Case.Language = 0;
  // Numbers no substance has: each refused naming its row, nothing added.
  for (auto [row, bad, says] : {std::tuple{7, "-5", "「臨界温度  Tc(ﾟK)」の -5 は物理的にありえない値です"},
                                std::tuple{9, "0", "「臨界分子容積  Vc(cm3/mol)」の 0 は物理的にありえない値です"},
                                std::tuple{11, "3.2", "「偏心係数  ω(-)」の 3.2 は物理的にありえない偏心因子です"}}) {
    d.vaSpread1->SetText(1, row, bad);
    script.Answer(ui::vbOK, says);
    d.cmdSave_Click();
    EXPECT_EQ(script.Pending(), 0u) << bad;
    EXPECT_EQ(db.Listing(T("CriticalConstant")).size(), 8u);
    d.vaSpread1->SetText(1, row, "");
  }
  // Corrected, the name with a wildcard character adds exactly one record.
  d.vaSpread1->SetText(1, 4, "78.11");
  d.cmdSave_Click();
  EXPECT_EQ(db.Listing(T("CriticalConstant")).size(), 9u);
  EXPECT_EQ(Case.New_Formula, "C6H6");
}

TEST_F(AddComponentTest, CancelAndEscapeAddNothing) {
  Case.New_Formula = "before";
  Dialog("C7H8", "Toluene").cmdCancel_Click();
  auto& d = Dialog("C7H8", "Toluene");
  ui::SendKey(d.vaSpread1, ui::vbKeyEscape);
  EXPECT_FALSE(ui::Forms::IsLoaded("frmDBCriticalConstant"));
  EXPECT_EQ(Case.New_Formula, "before");
  vzdb::PropertyDb db(db_.Path());
  EXPECT_TRUE(db.Name_Search(T("CriticalConstant"), "Toluene").empty());
}

}  // namespace
