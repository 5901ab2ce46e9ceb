// Reading the shipped CSV tables.
#include <gtest/gtest.h>

#include "database/CsvTable.h"

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

}  // namespace
}  // namespace vzdb
