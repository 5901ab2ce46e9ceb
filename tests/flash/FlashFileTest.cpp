// The flash case file: layout, round trip, and refusal of files that are not
// flash cases without touching the case.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "continuous/DistCaseFile.h"
#include "continuous/DistDefaults.h"
#include "core/model/CaseData.h"
#include "flash/FlashCalc.h"
#include "flash/FlashFile.h"
#include "support/FileEdit.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The fields of the case that a flash file carries, as one comparable text.
std::string Snapshot(const FlashWindowValues& win) { return Flash_File_Text(win); }

class FlashFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Case_Data();
    Flash_Example1_set(win);
  }
  FlashWindowValues win;
};

TEST_F(FlashFileTest, Example1Layout) {
  Case.Memo[7] = "a, b";
  const auto lines = Lines(Flash_File_Text(win));
  // 1 header + 10 memo + NC + 4 x (names, constants, six-value set, enthalpy,
  // three matrices, feed) + alpha + codes + T/P.
  ASSERT_EQ(lines.size(), 1u + 10 + 1 + 4 * 8 + 1 + 1 + 1);
  EXPECT_EQ(lines[0], "\"Distillation Data\"");
  EXPECT_EQ(lines[7], "\"a, b\"");
  EXPECT_EQ(lines[11], "4");
  EXPECT_EQ(lines[12], "\"Methanol\"");
  EXPECT_EQ(lines[16], "32.04,7.8786,1473.11,230,0,0,0,0");
  EXPECT_EQ(lines[24], "-253.37,0.81773,0,62.453,0.39014,0") << "liquid coefficients first";
  // Wilson record 3 is column 3 of the matrix: Lambda(1..4, 3).
  EXPECT_EQ(lines[30], "0.382,0.999,1,0.67");
  EXPECT_EQ(lines[36], "0.4");
  EXPECT_EQ(lines[41], "1,3,2,2,0");
  EXPECT_EQ(lines[42], "80,760");
  EXPECT_EQ(lines[43], "0.12");
}

TEST_F(FlashFileTest, NoComponentsWritesOnlyTheFixedRecords) {
  Case.NC = 0;
  const auto lines = Lines(Flash_File_Text(win));
  EXPECT_EQ(lines.size(), 1u + 10 + 1 + 1 + 1 + 1);
  FlashWindowValues back;
  EXPECT_EQ(Read_Flash_Text(Flash_File_Text(win), back).status, FlashReadStatus::Read);
}

TEST_F(FlashFileTest, SavedCaseReadsBackWithTheSameResults) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("vz_flash_" + std::to_string(::getpid()) + ".dat")).string();
  Case.Memo[3] = "line with, a comma";
  win.Flash_Win_T = 95;
  ASSERT_TRUE(Save_Flash_Data(path, win));
  const std::string saved = Snapshot(win);
  const FlashDisplay before = Flash_Calc(FlashCalcType::Flash, "95", "760");

  Reset_Case_Data();
  FlashWindowValues back;
  const FlashReadResult r = Read_Flash_Data(path, back);
  std::filesystem::remove(path);
  ASSERT_EQ(r.status, FlashReadStatus::Read) << r.reason;
  EXPECT_EQ(back.Flash_Win_T, 95);
  EXPECT_EQ(back.Flash_Win_P, 760);
  EXPECT_EQ(Case.Memo[3], "line with, a comma");
  EXPECT_EQ(Snapshot(back), saved);
  const FlashDisplay after = Flash_Calc(FlashCalcType::Flash, "95", "760");
  EXPECT_EQ(after.vfText, before.vfText);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(after.rows[i].vapour, before.rows[i].vapour);
    EXPECT_EQ(after.rows[i].kValue, before.rows[i].kValue);
  }
}

TEST_F(FlashFileTest, SlotsAboveTheFileCountKeepTheirValues) {
  FlashWindowValues ex2;
  Flash_Example2_set(ex2);
  const std::string file = Flash_File_Text(ex2);
  Flash_Example1_set(win);
  ASSERT_EQ(Read_Flash_Text(file, win).status, FlashReadStatus::Read);
  EXPECT_EQ(Case.NC, 3);
  EXPECT_EQ(Case.Comp_Name[1], "Ethane");
  EXPECT_EQ(Case.Comp_Name[4], "1-Propanol");
  EXPECT_EQ(win.Flash_Win_T, -10);
}

TEST_F(FlashFileTest, WrongHeaderReadsNothing) {
  std::string file = Flash_File_Text(win);
  file.replace(1, 17, "distillation data");
  const std::string before = Snapshot(win);
  FlashWindowValues w2 = win;
  const FlashReadResult r = Read_Flash_Text(file, w2);
  EXPECT_EQ(r.status, FlashReadStatus::WrongHeader);
  EXPECT_EQ(Flash_Read_Failure_Message(r), "Flash計算のデータファイルではありません");
  EXPECT_EQ(Snapshot(w2), before);
}

// A column case file has the same header; read in the flash order its numbers
// would land in the wrong variables. It is refused and the case stays.
TEST_F(FlashFileTest, ColumnCaseFileIsRefusedWithoutChange) {
  Case.Max_Comp = kMaxComp;
  Dist_Example1_set();
  const std::string column = Dist_Case_Text();
  Reset_Case_Data();
  Flash_Example1_set(win);
  Case.Memo[1] = "flash case";
  const std::string before = Snapshot(win);
  FlashWindowValues w2 = win;
  const FlashReadResult r = Read_Flash_Text(column, w2);
  EXPECT_EQ(r.status, FlashReadStatus::Rejected);
  EXPECT_NE(r.reason.find("12 行目"), std::string::npos) << r.reason;
  EXPECT_EQ(Snapshot(w2), before);
  EXPECT_EQ(Case.Memo[1], "flash case");
  EXPECT_NE(Flash_Read_Failure_Message(r).find("12 行目"), std::string::npos);
}

// Cut after every line: each truncated file is refused and the case stays.
TEST_F(FlashFileTest, TruncatedFilesAreRefused) {
  const auto lines = Lines(Flash_File_Text(win));
  const std::string before = Snapshot(win);
  for (std::size_t keep = 1; keep < lines.size(); ++keep) {
    std::string text;
    for (std::size_t k = 0; k < keep; ++k) text += lines[k] + "\r\n";
    FlashWindowValues w2 = win;
    const FlashReadResult r = Read_Flash_Text(text, w2);
    EXPECT_EQ(r.status, FlashReadStatus::Rejected) << keep << " lines";
    EXPECT_EQ(Snapshot(w2), before) << keep << " lines";
  }
}

TEST_F(FlashFileTest, MalformedFilesAreRefused) {
  auto lines = Lines(Flash_File_Text(win));
  auto join = [](const std::vector<std::string>& ls) {
    std::string t;
    for (const auto& l : ls) t += l + "\r\n";
    return t;
  };
  const std::string before = Snapshot(win);
  struct Bad {
    const char* what;
    std::size_t line;
    std::string text;
  };
  const Bad bads[] = {
      {"count beyond 20", 11, "25"},
      {"negative count", 11, "-1"},
      {"text for a number", 16, "32.04,\"A\",1473.11,230,0,0,0,0"},
      {"letters for a number", 41, "1,3,x,2,0"},
      {"a field too many", 42, "80,760,1"},
  };
  for (const Bad& b : bads) {
    auto copy = lines;
    copy[b.line] = b.text;
    FlashWindowValues w2 = win;
    EXPECT_EQ(Read_Flash_Text(join(copy), w2).status, FlashReadStatus::Rejected) << b.what;
    EXPECT_EQ(Snapshot(w2), before) << b.what;
  }
  auto longer = lines;
  longer.push_back("0.5");
  FlashWindowValues w3 = win;
  EXPECT_EQ(Read_Flash_Text(join(longer), w3).status, FlashReadStatus::Rejected);
  FlashWindowValues w4;
  EXPECT_EQ(Read_Flash_Data("/nonexistent/case.dat", w4).status, FlashReadStatus::Rejected);
}

// Codes off their lists and values out of their range, edited into a file the
// program wrote, are refused with the field and the line; the case stays.
TEST_F(FlashFileTest, ValuesOutOfTheirRangeAreRefusedByFieldAndLine) {
  Case.Language = 1;
  const auto lines = Lines(Flash_File_Text(win));
  const std::string before = Snapshot(win);
  auto join = [](const std::vector<std::string>& ls) {
    std::string t;
    for (const auto& l : ls) t += l + "\r\n";
    return t;
  };
  const struct {
    std::size_t line;  // 0-based
    const char* text;
    const char* says;
  } bads[] = {
      {41, "1,3,2,6,0", "line 42: K_Method = 6"},
      {41, "9,3,2,2,0", "line 42: T_Unit = 9"},
      {41, "1,3,2,2,4", "line 42: H_Method = 4"},
      {16, "-32.04,7.8786,1473.11,230,0,0,0,0", "line 17: molecular weight (1) = -32.04"},
      {36, "-0.4", "line 37: NRTL alpha = -0.4"},
      {42, "-300,760", "line 43: temperature = -300"},
      {42, "80,-760", "line 43: pressure = -760"},
      {43, "-0.12", "line 44: Flash_Z (1) = -0.12"},
  };
  for (const auto& b : bads) {
    SCOPED_TRACE(b.says);
    auto copy = lines;
    copy[b.line] = b.text;
    FlashWindowValues w2 = win;
    const FlashReadResult r = Read_Flash_Text(join(copy), w2);
    EXPECT_EQ(r.status, FlashReadStatus::Rejected);
    EXPECT_NE(r.reason.find(b.says), std::string::npos) << r.reason;
    EXPECT_EQ(Snapshot(w2), before);
  }
  // A quote inside an unquoted memo field splits it in two, so that the last
  // memo line is read as the count and every later value one field on: the
  // layout, counted as the reader splits the fields, refuses it.
  auto shifted = lines;
  shifted[4] = "x\"y,z\"";
  shifted[10] = "4";
  shifted[15] = "\"78\"";
  FlashWindowValues w4 = win;
  const FlashReadResult q = Read_Flash_Text(join(shifted), w4);
  EXPECT_EQ(q.status, FlashReadStatus::Rejected);
  EXPECT_NE(q.reason.find("line 5: 2 fields where 1 belong"), std::string::npos) << q.reason;
  EXPECT_EQ(Snapshot(w4), before);

  // An empty temperature box is kept as 0 in any unit; codes 0 stay readable.
  auto kelvin = lines;
  kelvin[41] = "2,3,2,0,0";
  kelvin[42] = "0,760";
  FlashWindowValues w3;
  EXPECT_EQ(Read_Flash_Text(join(kelvin), w3).status, FlashReadStatus::Read);
  EXPECT_EQ(Case.T_Unit, 2);
}

// A case the reader would refuse is not saved, so every saved file reads back.
TEST_F(FlashFileTest, SaveRefusesACaseThatWouldNotReadBack) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("vz_flash_bad_" + std::to_string(::getpid()) + ".dat")).string();
  Case.Language = 1;
  Case.Flash_Z[2] = -0.01;
  std::string error;
  EXPECT_FALSE(Save_Flash_Data(path, win, &error));
  EXPECT_NE(Flash_File_Refusal(win).find("Flash_Z (2) = -0.01"), std::string::npos) << Flash_File_Refusal(win);
  EXPECT_NE(error.find("Flash_Z"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(Case.Flash_Z[2], -0.01) << "the check leaves the case as it was";
  Case.Flash_Z[2] = 0.01;
  EXPECT_TRUE(Flash_File_Refusal(win).empty());
}

// What opens must save and what saves must open: a number the 15-digit writer
// would write past the range of a double, a memo that makes the file larger
// than the reader takes, and a UTF-8 file with a stray byte are refused; the
// case, the window's values and the file stay as they were.
TEST_F(FlashFileTest, WhatWouldNotReadBackIsNeitherReadNorSaved) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("vz_flash_limits_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "case.dat").string(), other = (dir / "other.dat").string();
  auto slurp = [](const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  Case.Memo[2] = "メタノールと水の分離";
  ASSERT_TRUE(Save_Flash_Data(path, win));
  const std::string good = slurp(path), before = Snapshot(win);

  std::ofstream(other, std::ios::binary) << testfile::EditField(good, 43, 1, "1.7976931348623157e308");
  FlashWindowValues w2 = win;
  FlashReadResult r = Read_Flash_Data(other, w2);
  EXPECT_EQ(r.status, FlashReadStatus::Rejected);
  EXPECT_NE(r.reason.find("43 行目: 数値 \"1.7976931348623157e308\" が範囲外です"), std::string::npos) << r.reason;
  EXPECT_EQ(Snapshot(w2), before);
  std::string error;
  w2.Flash_Win_P = 1.7976931348623151e308;  // typed
  EXPECT_FALSE(Save_Flash_Data(path, w2, &error));
  EXPECT_NE(error.find("読み戻せない値があります"), std::string::npos) << error;

  Case.Memo[2] = std::string(17 * 1024 * 1024, 'x');  // pasted
  EXPECT_FALSE(Save_Flash_Data(path, win, &error));
  EXPECT_NE(error.find("ケースのファイルとしては大きすぎます（16 MB 超）"), std::string::npos) << error;
  Case.Language = 1;
  EXPECT_FALSE(Save_Flash_Data(path, win, &error));
  EXPECT_NE(error.find("the file is too large for a case file (over 16 MB)"), std::string::npos) << error;
  EXPECT_EQ(slurp(path), good);

  std::string stray = good;
  stray.insert(stray.find("メタノールと水"), "\xE9");
  std::ofstream(other, std::ios::binary) << stray;
  r = Read_Flash_Data(other, w2);
  EXPECT_EQ(r.status, FlashReadStatus::Rejected);
  EXPECT_NE(r.reason.find("line 3: the byte 0xE9 is no UTF-8 character"), std::string::npos) << r.reason;
  EXPECT_EQ(Case.Memo[2].size(), 17u * 1024u * 1024u);
  std::filesystem::remove_all(dir);
}

// Files the program wrote, each damaged in one place, kept as test data.
TEST_F(FlashFileTest, KeptDamagedFilesAreRefused) {
  Case.Language = 1;
  const std::string before = Snapshot(win);
  const struct {
    const char* file;
    const char* says;
  } kept[] = {
      {"memo_quote_shifts_fields.dat", "line 5: 2 fields where 1 belong"},
      {"k_method_6.dat", "line 42: K_Method = 6"},
  };
  for (const auto& k : kept) {
    SCOPED_TRACE(k.file);
    FlashWindowValues w2 = win;
    const FlashReadResult r = Read_Flash_Data(std::string(VZ_SOURCE_DIR "/tests/flash/data/") + k.file, w2);
    EXPECT_EQ(r.status, FlashReadStatus::Rejected);
    EXPECT_NE(r.reason.find(k.says), std::string::npos) << r.reason;
    EXPECT_EQ(Snapshot(w2), before);
  }
}

}  // namespace
