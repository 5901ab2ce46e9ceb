// The database the build puts beside the program: it opens, holds every row of
// the shipped tables, and finds the components of the example cases by the
// names the examples use. Expected values: tools/database/check_shipped_database.py,
// which reads the built file with Python's own sqlite3 and compares every cell
// with the CSV tables.
#include <gtest/gtest.h>

#include "database/DbLookup.h"
#include "database/PropertyDb.h"

namespace vzdb {
namespace {

const TableSpec& T(const char* name) { return *Find_Table(name); }

class ShippedDatabaseTest : public ::testing::Test {
 protected:
  PropertyDb db_{Database_Path(VZ_BIN_DIR)};
};

TEST_F(ShippedDatabaseTest, OpensWithEveryRow) {
  ASSERT_TRUE(db_.Ok()) << Db_Error_Text(db_.Open_Status(), db_.Path(), 1);
  EXPECT_EQ(db_.Path().substr(db_.Path().size() - 4), ".mdb");
  const std::pair<const char*, std::size_t> counts[] = {
      {"CriticalConstant", 431}, {"AntoineConstant", 459}, {"HeatCapacity", 431},
      {"EnthalpyCoefficent", 410}, {"LiquidDensity", 424}, {"Rk_Parameter", 423},
      {"Wilson Parameter", 260}, {"NRTL Parameter", 266}, {"Kij Parameter", 167}};
  for (const auto& [table, n] : counts) EXPECT_EQ(db_.Listing(T(table)).size(), n) << table;
}

TEST_F(ShippedDatabaseTest, MethanolAndWaterDataSets) {
  const auto methanol = db_.Name_Search(T("CriticalConstant"), "Methanol");
  ASSERT_EQ(methanol.size(), 1u);
  const ComponentSet c = Component_From_Record(methanol.front());
  EXPECT_EQ(c.formula, "CH4O");
  EXPECT_EQ(c.mw_text, "32.04186");
  EXPECT_EQ(c.tc_K, 512.64);
  EXPECT_EQ(c.pc_bar, 80.97);
  EXPECT_EQ(c.omega, 0.565);
  EXPECT_EQ(methanol.front().Text("Date_Create"), "2026-12-09");

  const auto water = db_.Name_Search(T("AntoineConstant"), "Water");
  ASSERT_EQ(water.size(), 2u);  // ChemSep's set and the refit, Index 0 and 1
  const auto refit = db_.Fetch(T("AntoineConstant"), "Water", 1);
  ASSERT_TRUE(refit);
  const auto a = Antoine_From_Record(*refit);
  ASSERT_TRUE(a);
  EXPECT_DOUBLE_EQ(a->a, 7.97993536);
  EXPECT_DOUBLE_EQ(a->b, 1681.02478);
  EXPECT_DOUBLE_EQ(a->c, 229.614751);
  EXPECT_EQ(refit->Text("TL"), "0");
  EXPECT_EQ(refit->Text("TU"), "300");

  const auto h = db_.Fetch(T("EnthalpyCoefficent"), "Water", 0);
  ASSERT_TRUE(h);
  EXPECT_EQ(h->Text("AHV"), "595.63887");
  const auto wilson = db_.Pair_Search(T("Wilson Parameter"), "Water", "Methanol");
  ASSERT_EQ(wilson.size(), 1u);
  EXPECT_EQ(wilson.front().Text("Lambda12"), "0.33192105");
  EXPECT_EQ(db_.Pair_Search_Alpha("Methanol", "Water", 0.2999).size(), 1u);
}

TEST_F(ShippedDatabaseTest, ExampleComponentsAreFoundUnderTheirExampleNames) {
  for (const char* name : {"Methanol", "Ethanol", "Water", "1-Propanol", "Ethane", "Propane",
                           "n-Butane", "Benzene"}) {
    for (const char* table : {"CriticalConstant", "AntoineConstant", "HeatCapacity"}) {
      const auto rows = db_.Name_Search(T(table), name);
      ASSERT_FALSE(rows.empty()) << table << " " << name;
      // Stored with the example's own capitals, so that pair copies accept them.
      EXPECT_EQ(rows.front().Text("Name"), name);
    }
  }
  EXPECT_EQ(db_.Pair_Search(T("Wilson Parameter"), "Methanol", "Ethanol").size(), 1u);
  EXPECT_EQ(db_.Pair_Search(T("Wilson Parameter"), "Water", "1-Propanol").size(), 1u);
}

}  // namespace
}  // namespace vzdb
