// Reading the shipped CSV tables, and the tool that builds the database from them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "database/CsvTable.h"
#include "database/PropertyDb.h"
#include "platform/text/NumberText.h"
#include "support/ScratchDir.h"

namespace vzdb {
namespace {

TEST(CsvTableTest, QuotedFieldsEmptyCellsAndLineEnds) {
  const auto t = Parse_Csv(
      "\xEF\xBB\xBFName,Memo,TL\r\n"
      "Water,\"a, b\",\r\n"
      "\"Say \"\"hi\"\"\",\"two\r\nlines\",5\n");
  ASSERT_TRUE(t.error.empty()) << t.error;
  ASSERT_EQ(t.header.size(), 3u);
  EXPECT_EQ(t.header[0], "Name");
  ASSERT_EQ(t.rows.size(), 2u);
  EXPECT_EQ(t.rows[0][1], "a, b");
  EXPECT_EQ(t.rows[0][2], "");
  EXPECT_EQ(t.rows[1][0], "Say \"hi\"");
  EXPECT_EQ(t.rows[1][1], "two\r\nlines");
  EXPECT_EQ(t.rows[1][2], "5");
}

TEST(CsvTableTest, BrokenTextsAreRefused) {
  EXPECT_FALSE(Parse_Csv("A,B\r\n1,2,3\r\n").error.empty());
  EXPECT_FALSE(Parse_Csv("A,B\r\n\"open,2\r\n").error.empty());
  EXPECT_FALSE(Parse_Csv("").error.empty());
  // Without a final line end the last record still counts.
  EXPECT_EQ(Parse_Csv("A\r\n1").rows.size(), 1u);
}

// A header that names a column twice would let one field overwrite the other
// in every row; names match without letter case, so "Name" and "NAME" clash.
TEST(CsvTableTest, HeaderNamesEachColumnOnce) {
  const TableSpec& wilson = *Find_Table("Wilson Parameter");
  const TableSpec& critical = *Find_Table("CriticalConstant");
  EXPECT_EQ(Csv_Header_Fault(wilson, {"Formula1", "Name1", "Formula2", "Name2", "Index", "Lambda12"}), "");
  EXPECT_EQ(Csv_Header_Fault(wilson, {"Formula1", "Name1", "Formula1", "Name2"}),
            "column \"Formula1\" named twice (fields 1 and 3)");
  EXPECT_EQ(Csv_Header_Fault(critical, {"Formula", "Name", "MW", "NAME"}),
            "column \"NAME\" named twice (fields 2 and 4, as \"Name\")");
  EXPECT_EQ(Csv_Header_Fault(critical, {"Formula", "Nmae"}), "unknown column \"Nmae\"");
  EXPECT_EQ(Csv_Header_Fault(critical, {"formula", "OMG", "omg"}),
            "column \"omg\" named twice (fields 2 and 3, as \"OMG\")");
}

// Table files are decoded as case files are: Japanese names saved in the old
// code page arrive as the same text as in UTF-8; a byte that is text of neither
// is refused with its line, never stored as a replacement character.
TEST(CsvTableTest, TextIsDecodedAsCaseFilesAre) {
  const std::string utf8 = "Formula,Name\r\nCH4O,メタノール\r\nH2O,水\r\n";
  // The same in the code page: メタノール 83 81 83 5E 83 6D 81 5B 83 8B, 水 90 85.
  const std::string cp932 = "Formula,Name\r\nCH4O,\x83\x81\x83\x5E\x83\x6D\x81\x5B\x83\x8B\r\nH2O,\x90\x85\r\n";
  for (const std::string& bytes : {utf8, cp932, "\xEF\xBB\xBF" + utf8}) {
    const CsvTable t = Read_Csv_Bytes(bytes);
    ASSERT_TRUE(t.error.empty()) << t.error;
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[0][1], "メタノール");
    EXPECT_EQ(t.rows[1][1], "水");
  }
  txt::SetMessageLanguage([] { return true; });
  EXPECT_EQ(Read_Csv_Bytes("Formula,Name,Memo\r\nCH4O,メタノール,ok\r\nH2O,水,caf\xE9\r\n").error.find("line 3: the byte 0xE9"),
            0u);
  EXPECT_EQ(Read_Csv_Bytes("Formula,Name\r\nCH4O,\x83\x81\x83\x5E\x80\r\n").error.find("line 2: the byte 0x80"), 0u);
  txt::SetMessageLanguage(nullptr);
}

// The build tool itself: a faulty table ends it with a non-zero status and the
// file and the fault on its error output; a code-page table builds.
class MakeDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = ScratchDirFor("make_db");
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    // Every table present with its header alone.
    for (const TableSpec& t : All_Tables()) {
      std::string header;
      for (const ColumnSpec& c : t.columns) header += (header.empty() ? "" : ",") + c.name;
      Write(t.name, header + "\r\n");
    }
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Write(const std::string& table, const std::string& bytes) {
    std::ofstream((dir_ / (table + ".csv")).string(), std::ios::binary) << bytes;
  }
  // Runs the tool; its exit status, with its error output in `errors`.
  int Build(std::string& errors) {
    const std::string db = (dir_ / "test.mdb").string(), err = (dir_ / "errors.txt").string();
    const std::string command = "ASAN_OPTIONS=detect_leaks=0 '" + std::string(VZ_MAKE_DATABASE) + "' '" + db +
                                "' 2026-12-09 '" + dir_.string() + "' >/dev/null 2>'" + err + "'";
    const int status = std::system(command.c_str());
    std::ifstream in(err);
    errors.assign(std::istreambuf_iterator<char>(in), {});
    return status;
  }
  std::filesystem::path dir_;
};

TEST_F(MakeDatabaseTest, FaultyTablesEndTheBuildNamingFileAndColumn) {
  std::string errors;
  Write("Wilson Parameter", "Formula1,Name1,Formula1,Name2,Index,Lambda12,Lambda21\r\nC2H6O,Ethanol,H2O,Water,0,0.1,0.9\r\n");
  EXPECT_NE(Build(errors), 0);
  EXPECT_NE(errors.find("Wilson Parameter.csv: column \"Formula1\" named twice"), std::string::npos) << errors;
  EXPECT_FALSE(std::filesystem::exists(dir_ / "test.mdb"));

  Write("Wilson Parameter", "Formula1,Name1\r\n");
  Write("CriticalConstant", "Formula,Name,NAME,MW\r\nH2O,Water,water,18.015\r\n");
  EXPECT_NE(Build(errors), 0);
  EXPECT_NE(errors.find("CriticalConstant.csv: column \"NAME\" named twice"), std::string::npos) << errors;

  Write("CriticalConstant", "Formula,Name,Memo\r\nCH4O,メタノール,\r\nH2O,水,caf\xE9\r\n");
  EXPECT_NE(Build(errors), 0);
  EXPECT_NE(errors.find("CriticalConstant.csv: line 3: the byte 0xE9"), std::string::npos) << errors;
}

TEST_F(MakeDatabaseTest, CodePageTablesAreStoredAsTheirText) {
  Write("CriticalConstant", "Formula,Name,MW\r\nCH4O,\x83\x81\x83\x5E\x83\x6D\x81\x5B\x83\x8B,32.04\r\n");
  Write("AntoineConstant", "Formula,name,index,AN,date_create\r\nH2O,\x90\x85,0,8.07,2001-02-03\r\n");
  std::string errors;
  ASSERT_EQ(Build(errors), 0) << errors;
  PropertyDb db((dir_ / "test.mdb").string());
  ASSERT_TRUE(db.Ok());
  const auto methanol = db.Name_Search(*Find_Table("CriticalConstant"), "メタノール");
  ASSERT_EQ(methanol.size(), 1u);
  EXPECT_EQ(methanol.front().Text("MW"), "32.04");
  EXPECT_EQ(methanol.front().Text("Date_Create"), "2026-12-09");
  // A date column named in small letters is the table's own date, not the build's.
  const auto water = db.Name_Search(*Find_Table("AntoineConstant"), "水");
  ASSERT_EQ(water.size(), 1u);
  EXPECT_EQ(water.front().Text("Date_Create"), "2001-02-03");
}

}  // namespace
}  // namespace vzdb
