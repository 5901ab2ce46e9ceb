// Searches, pair swaps, alpha matching, nulls and writes against a scratch database.
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <algorithm>
#include <fstream>
#include <set>

#include "DbFixture.h"
#include "core/model/CaseData.h"
#include "database/PropertyDb.h"

namespace vzdb::test {
namespace {

std::set<std::string> Names(const std::vector<Record>& rows, const char* col = "Name") {
  std::set<std::string> out;
  for (const Record& r : rows) out.insert(r.Text(col));
  return out;
}

class PropertyDbTest : public ::testing::Test {
 protected:
  void SetUp() override { scratch_.Fill(); }
  ScratchDb scratch_;
};

TEST(LikePatternTest, WildcardsTranslatedAndSqlWildcardsEscaped) {
  EXPECT_EQ(Like_Pattern("*"), "%");
  EXPECT_EQ(Like_Pattern("Me?h*"), "Me_h%");
  EXPECT_EQ(Like_Pattern("100%_a\\b"), "100\\%\\_a\\\\b");
  EXPECT_EQ(Like_Pattern("O'Brien \"x\""), "O'Brien \"x\"");
}

TEST_F(PropertyDbTest, NameSearchFollowsLikeRules) {
  PropertyDb db(scratch_.Path());
  ASSERT_TRUE(db.Ok());
  const TableSpec& cc = T("CriticalConstant");
  // A lone star lists every row.
  EXPECT_EQ(db.Name_Search(cc, "*").size(), 8u);
  // Prefix star: every name that begins so, in any letter case; "Ethanol" by
  // name and "ethylene glycol" by name, not "Methanol".
  EXPECT_EQ(Names(db.Name_Search(cc, "eth*")), (std::set<std::string>{"Ethanol", "ethylene glycol"}));
  // Capitals find a name stored in small letters; a whole-text match only.
  EXPECT_EQ(Names(db.Name_Search(cc, "WATER")), std::set<std::string>{"water"});
  EXPECT_TRUE(db.Name_Search(cc, "Wat").empty());
  // The formula matches too, so both C2H6O rows come back.
  EXPECT_EQ(db.Name_Search(cc, "c2h6o").size(), 2u);
  // ? stands for exactly one character.
  EXPECT_EQ(Names(db.Name_Search(cc, "?ater")), std::set<std::string>{"water"});
  EXPECT_TRUE(db.Name_Search(cc, "?water").empty());
}

TEST_F(PropertyDbTest, QuotesAndSqlWildcardsInNamesAreSearchedLiterally) {
  PropertyDb db(scratch_.Path());
  const TableSpec& cc = T("CriticalConstant");
  EXPECT_EQ(db.Name_Search(cc, "Methyl isobutyrate's ester").size(), 1u);
  EXPECT_EQ(db.Name_Search(cc, "Quoted \"Q\" name").size(), 1u);
  EXPECT_TRUE(db.Last_Status().Ok());
  // An attempt at SQL is just a name that is not there, and the table survives.
  EXPECT_TRUE(db.Name_Search(cc, "x\" OR 1=1 OR \"").empty());
  EXPECT_TRUE(db.Name_Search(cc, "x'); DROP TABLE [CriticalConstant]; --").empty());
  EXPECT_EQ(db.Name_Search(cc, "*").size(), 8u);
  // % and _ typed by the user match themselves only.
  EXPECT_EQ(Names(db.Name_Search(cc, "100%_pure")), std::set<std::string>{"100%_pure"});
  EXPECT_TRUE(db.Name_Search(cc, "100%").empty());
  EXPECT_EQ(Names(db.Name_Search(cc, "100*pure")),
            (std::set<std::string>{"100%_pure", "100 pure"}));
}

TEST_F(PropertyDbTest, PairSearchFindsBothOrders) {
  PropertyDb db(scratch_.Path());
  const TableSpec& w = T("Wilson Parameter");
  const auto fwd = db.Pair_Search(w, "Methanol", "Water");
  const auto rev = db.Pair_Search(w, "Water", "Methanol");
  ASSERT_EQ(fwd.size(), 1u);
  ASSERT_EQ(rev.size(), 1u);
  EXPECT_EQ(rev.front().Text("Name1"), "Methanol");
  // Equality ignores letter case, as the pair search always has.
  EXPECT_EQ(db.Pair_Search(w, "methanol", "ETHANOL").size(), 1u);
  EXPECT_TRUE(db.Pair_Search(w, "Methanol", "Methanol").empty());
}

TEST_F(PropertyDbTest, NrtlAlphaMatchesWithinRoundOffOnly) {
  PropertyDb db(scratch_.Path());
  // 0.3 typed and 0.3 stored match, also as the single-precision value a
  // converted file may hold; 0.2999 is another data set's alpha.
  const auto exact = db.Pair_Search_Alpha("Methanol", "Water", 0.3);
  ASSERT_EQ(exact.size(), 1u);
  EXPECT_EQ(exact.front().Text("Index"), "0");
  EXPECT_EQ(db.Pair_Search_Alpha("Methanol", "Water", static_cast<double>(0.3f)).size(), 1u);
  EXPECT_EQ(db.Pair_Search_Alpha("Methanol", "Water", 0.1 + 0.2).size(), 1u);
  const auto other = db.Pair_Search_Alpha("Water", "Methanol", 0.2999);
  ASSERT_EQ(other.size(), 1u);
  EXPECT_EQ(other.front().Text("Index"), "1");
  EXPECT_TRUE(db.Pair_Search_Alpha("Methanol", "Water", 0.4).empty());
  EXPECT_TRUE(db.Pair_Search_Alpha("Methanol", "Water", 0.3005).empty());
}

TEST_F(PropertyDbTest, FetchTakesNameAndIndexAndShowsNullsEmpty) {
  PropertyDb db(scratch_.Path());
  const TableSpec& ac = T("AntoineConstant");
  const auto second = db.Fetch(ac, "Methanol", 1);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Text("Memo"), "second set");
  EXPECT_EQ(second->Text("An"), "8.0176");
  EXPECT_EQ(second->Text("AN"), "8.0176");  // column names ignore letter case
  const auto first = db.Fetch(ac, "Methanol", 0);
  ASSERT_TRUE(first);
  EXPECT_TRUE(first->Get("TL").IsNull());
  EXPECT_EQ(first->Text("TL"), "");
  EXPECT_FALSE(first->Number("TL"));
  EXPECT_FALSE(db.Fetch(ac, "Methanol", 2));
  const auto pair = db.Fetch_Pair(T("Wilson Parameter"), "Ethanol", "Methanol", 0);
  ASSERT_TRUE(pair);
  EXPECT_EQ(pair->Text("Lambda12"), "0.56");
}

TEST_F(PropertyDbTest, BrowserListingIsOrderedAndSearchMatchesNameOnly) {
  PropertyDb db(scratch_.Path());
  const TableSpec& cc = T("CriticalConstant");
  const auto all = db.Listing(cc);
  ASSERT_EQ(all.size(), 8u);
  for (std::size_t i = 1; i < all.size(); ++i) {
    const std::string a = all[i - 1].Text("Formula"), b = all[i].Text("Formula");
    EXPECT_LE(QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive), 0);
  }
  EXPECT_EQ(db.Browser_Search(cc, "").size(), 8u);
  EXPECT_TRUE(db.Browser_Search(cc, "H2O").empty());  // the formula is not searched
  EXPECT_EQ(Names(db.Browser_Search(cc, "*ETHANOL")), (std::set<std::string>{"Methanol", "Ethanol"}));
  // A component in some tables only leaves the others empty.
  EXPECT_EQ(db.Browser_Search(T("LiquidDensity"), "Ethanol").size(), 0u);
}

TEST_F(PropertyDbTest, PairBrowserSearchByOneOrTwoNames) {
  PropertyDb db(scratch_.Path());
  const TableSpec& w = T("Wilson Parameter");
  const TableSpec& k = T("Kij Parameter");
  EXPECT_EQ(db.Pair_Browser_Search(w, "Methanol", "").size(), 2u);
  EXPECT_EQ(db.Pair_Browser_Search(w, "", "Methanol").size(), 2u);
  EXPECT_EQ(db.Pair_Browser_Search(w, "Water", "methanol").size(), 1u);
  EXPECT_EQ(db.Pair_Browser_Search(w, "", "").size(), 2u);
  // Patterns work in the Wilson table only; a star is a plain character elsewhere.
  EXPECT_EQ(db.Pair_Browser_Search(w, "Meth*", "").size(), 2u);
  EXPECT_TRUE(db.Pair_Browser_Search(k, "Meth*", "").empty());
  EXPECT_EQ(db.Pair_Browser_Search(k, "Star*Name", "").size(), 1u);
  EXPECT_EQ(db.Pair_Browser_Search(k, "methanol", "ethanol").size(), 1u);
}

TEST_F(PropertyDbTest, AddEditDeleteKeepNullsAndRefuseBadValues) {
  PropertyDb db(scratch_.Path());
  const TableSpec& cc = T("CriticalConstant");
  Record row;
  row.Set("Formula", "C6H6");
  row.Set("Name", "Benzene");
  row.Set("Index", "0");
  row.Set("MW", "78.11");
  row.Set("Tc", "");  // an empty text is stored as null in a number column
  row.Set("Memo", Value::Null());
  row.Set("Date_Create", "2004/02/24");
  long long id = 0;
  ASSERT_TRUE(db.Add_Row(cc, row, &id).Ok()) << db.Last_Status().detail;
  auto back = db.Fetch(cc, "benzene", 0);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->RowId(), id);
  EXPECT_EQ(back->Text("MW"), "78.11");
  EXPECT_TRUE(back->Get("Tc").IsNull());
  EXPECT_TRUE(back->Get("Memo").IsNull());
  EXPECT_EQ(back->Text("Date_Create"), "2004-02-24");

  // Letters in a number column, a fraction in Index, a non-date: nothing is written.
  Record bad;
  bad.Set("Tc", "abc");
  DbStatus s = db.Update_Row(cc, id, bad);
  EXPECT_EQ(s.code, DbError::BadValue);
  EXPECT_NE(s.detail.find("[Tc]"), std::string::npos);
  Record frac;
  frac.Set("Name", "Benzene 2");
  frac.Set("Index", "1.5");
  EXPECT_EQ(db.Add_Row(cc, frac).code, DbError::BadValue);
  Record nodate;
  nodate.Set("Date_Create", "yesterday");
  EXPECT_EQ(db.Update_Row(cc, id, nodate).code, DbError::BadValue);
  Record unknown;
  unknown.Set("Colour", "red");
  EXPECT_EQ(db.Add_Row(cc, unknown).code, DbError::BadValue);
  EXPECT_EQ(db.Name_Search(cc, "Benzene*").size(), 1u);

  Record edit;
  edit.Set("Tc", " 562.05 ");
  edit.Set("MW", Value::Null());
  ASSERT_TRUE(db.Update_Row(cc, id, edit).Ok());
  back = db.Fetch(cc, "Benzene", 0);
  EXPECT_EQ(back->Number("Tc"), 562.05);
  EXPECT_TRUE(back->Get("MW").IsNull());

  ASSERT_TRUE(db.Delete_Row(cc, id).Ok());
  EXPECT_FALSE(db.Fetch(cc, "Benzene", 0));
  EXPECT_EQ(db.Listing(cc).size(), 8u);
}

// The component data keep only physical values: a Tc of -5 K stored by a browser reached every
// program that looked the component up. Each write refuses it, naming the field, and nothing changes.
TEST_F(PropertyDbTest, NonPhysicalComponentValuesAreRefused) {
  PropertyDb db(scratch_.Path());
  const TableSpec& cc = T("CriticalConstant");
  const std::size_t before = db.Listing(cc).size();
  struct Bad {
    const char* column;
    const char* text;
  };
  const Bad bad[] = {{"Tc", "-5"}, {"Tc", "0"}, {"Pc", "-1"}, {"Vc", "0"}, {"MW", "-78"},
                     {"Tb", "0"},  {"OMG", "3.5"}, {"OMG", "-1.2"}};
  Record good;
  good.Set("Name", "Fine");
  good.Set("Tc", "562.05");
  good.Set("OMG", "-0.39");  // helium-4: a negative acentric factor is physical
  long long id = 0;
  ASSERT_TRUE(db.Add_Row(cc, good, &id).Ok());
  for (const Bad& b : bad) {
    SCOPED_TRACE(std::string(b.column) + " " + b.text);
    Record row;
    row.Set("Name", "Odd");
    row.Set(b.column, b.text);
    DbStatus s = db.Add_Row(cc, row);
    EXPECT_EQ(s.code, DbError::BadValue);
    EXPECT_NE(s.detail.find(std::string("「") + b.column + "」"), std::string::npos) << s.detail;
    s = db.Update_Row(cc, id, row);
    EXPECT_EQ(s.code, DbError::BadValue);
  }
  EXPECT_EQ(db.Listing(cc).size(), before + 1);
  EXPECT_EQ(db.Fetch_Row(cc, id)->Number("Tc"), 562.05);
  // Other tables take their own signs: an Antoine C or a heat-capacity coefficient may be negative.
  Record antoine;
  antoine.Set("Name", "Odd");
  antoine.Set("Cn", "-43.15");
  EXPECT_TRUE(db.Add_Row(T("AntoineConstant"), antoine).Ok());
  // In English.
  Case.Language = 1;
  EXPECT_NE(Physical_Value_Problem(cc, "Tc", -5, "Tc").find("Tc: -5 is no physical value"), std::string::npos);
  Case.Language = 0;
}

// What the add dialogs and the CSV import write: a number past the range of a
// double, or Inf and NaN spelt out, is refused like letters; a search text longer
// than any name is refused with a message instead of a driver error.
TEST_F(PropertyDbTest, NonFiniteNumbersAndOverlongSearchesAreRefused) {
  PropertyDb db(scratch_.Path());
  const TableSpec& cc = T("CriticalConstant");
  const std::size_t before = db.Listing(cc).size();
  for (const char* v : {"1e999", "-1e999", "inf", "nan", "1E+400"}) {
    Record row;
    row.Set("Name", "Odd");
    row.Set("Tc", v);
    const DbStatus s = db.Add_Row(cc, row);
    EXPECT_EQ(s.code, DbError::BadValue) << v;
    EXPECT_NE(Db_Error_Text(s, "db", 1).find(v), std::string::npos) << v;
    Record index;
    index.Set("Name", "Odd");
    index.Set("Index", v);
    EXPECT_EQ(db.Add_Row(cc, index).code, DbError::BadValue) << v;
  }
  EXPECT_EQ(db.Listing(cc).size(), before);

  const std::string longest(kMaxSearchChars, 'x');
  const std::string longer = std::string(kMaxSearchChars, 'x') + "y";
  EXPECT_TRUE(db.Name_Search(cc, longest).empty());
  EXPECT_TRUE(db.Last_Status().Ok());
  std::string kana;
  for (std::size_t i = 0; i < kMaxSearchChars; ++i) kana += "ベ";  // characters, not bytes
  EXPECT_TRUE(db.Browser_Search(cc, kana).empty());
  EXPECT_TRUE(db.Last_Status().Ok());
  EXPECT_TRUE(db.Name_Search(cc, longer).empty());
  EXPECT_EQ(db.Last_Status().code, DbError::TooLong);
  EXPECT_TRUE(db.Browser_Search(cc, std::string(100000, '*')).empty());
  EXPECT_EQ(db.Last_Status().code, DbError::TooLong);
  EXPECT_TRUE(db.Pair_Browser_Search(T("Wilson Parameter"), "Water", longer).empty());
  EXPECT_EQ(db.Last_Status().code, DbError::TooLong);
  EXPECT_EQ(Db_Error_Text(db.Last_Status(), "db", 0), "検索する文字列が長すぎます（255 文字まで）。");
  EXPECT_EQ(Db_Error_Text(db.Last_Status(), "db", 1), "The search text is too long (at most 255 characters).");
  EXPECT_EQ(db.Name_Search(cc, "*").size(), before);
  EXPECT_TRUE(db.Last_Status().Ok());
}

TEST_F(PropertyDbTest, NextIndexAndNameExists) {
  PropertyDb db(scratch_.Path());
  EXPECT_EQ(db.Next_Index(T("AntoineConstant"), "Methanol"), 2);
  EXPECT_EQ(db.Next_Index(T("AntoineConstant"), "METHANOL"), 2);
  EXPECT_EQ(db.Next_Index(T("AntoineConstant"), "Benzene"), 0);
  const auto sets = db.Data_Sets(T("AntoineConstant"), "methanol");
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(sets[1].Text("Memo"), "second set");
  EXPECT_TRUE(db.Name_Exists(T("CriticalConstant"), "methanol"));
  EXPECT_FALSE(db.Name_Exists(T("CriticalConstant"), "Methanol 2"));
}

TEST(DatabaseFileTest, MdbBeforeMdeAndMdeWhenNoMdb) {
  ScratchDb scratch;  // creates Vadezid$.mdb in its folder
  const std::string folder = scratch.Folder().string();
  EXPECT_EQ(Database_Path(folder), (scratch.Folder() / "Vadezid$.mdb").string());
  std::filesystem::rename(scratch.Folder() / "Vadezid$.mdb", scratch.Folder() / "Vadezid$.mde");
  EXPECT_EQ(Database_Path(folder), (scratch.Folder() / "Vadezid$.mde").string());
  PropertyDb db(Database_Path(folder));
  EXPECT_TRUE(db.Ok());
  // Neither file: the path still ends in ".mde", and opening it says it is missing.
  std::filesystem::remove(scratch.Folder() / "Vadezid$.mde");
  const std::string none = Database_Path(folder);
  EXPECT_EQ(none.substr(none.size() - 4), ".mde");
  PropertyDb missing(none);
  EXPECT_EQ(missing.Open_Status().code, DbError::Missing);
  EXPECT_FALSE(std::filesystem::exists(none));  // nothing was created
}

TEST(DatabaseFileTest, UnusableFilesAreReportedNamingTheFile) {
  ScratchDb scratch;
  // A text file where the database should be.
  const auto junk = scratch.Folder() / "junk.mdb";
  std::ofstream(junk) << "Standard Jet DB, not SQLite at all";
  PropertyDb bad(junk.string());
  EXPECT_EQ(bad.Open_Status().code, DbError::CannotOpen);
  EXPECT_TRUE(bad.Name_Search(T("CriticalConstant"), "*").empty());
  EXPECT_FALSE(bad.Last_Status().Ok());
  const std::string text = Db_Error_Text(bad.Open_Status(), junk.string(), 1);
  EXPECT_NE(text.find(junk.string()), std::string::npos);

  // A database without one of the nine tables.
  {
    QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
    raw.setDatabaseName(QString::fromStdString(scratch.Path()));
    ASSERT_TRUE(raw.open());
    QSqlQuery(raw).exec(QStringLiteral("DROP TABLE [Kij Parameter]"));
    raw.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("raw"));
  PropertyDb partial(scratch.Path());
  EXPECT_EQ(partial.Open_Status().code, DbError::MissingTable);
  EXPECT_EQ(partial.Open_Status().detail, "Kij Parameter");
  const std::string ja = Db_Error_Text(partial.Open_Status(), scratch.Path(), 0);
  EXPECT_NE(ja.find("[Kij Parameter]"), std::string::npos);
  EXPECT_NE(ja.find(scratch.Path()), std::string::npos);
  EXPECT_EQ(partial.Add_Row(T("CriticalConstant"), Record{}).code, DbError::MissingTable);
}

}  // namespace
}  // namespace vzdb::test
