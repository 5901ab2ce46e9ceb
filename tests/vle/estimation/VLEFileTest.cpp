#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "vle/estimation/VLEFile.h"
#include "vle/estimation/VLETestSupport.h"
#include "support/FileEdit.h"

using namespace vlefit;
using namespace vlefit::test;

namespace {

using testfile::EditField;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class VLEFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAll();
    path_ = ::testing::TempDir() + "vle_case_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
    std::remove(path_.c_str());
  }
  void TearDown() override { std::remove(path_.c_str()); }

  // The whole case as the writer sees it, plus what the file does not hold.
  std::string Snapshot() {
    const std::string snap = path_ + ".snap";
    EXPECT_EQ(Write_VLE_File(snap).status, VLEFileStatus::Ok);
    std::string s = ReadAll(snap);
    std::remove(snap.c_str());
    return s + std::to_string(VLE.VLE_Graph_Xmin) + std::to_string(VLE.VLE_Graph_Ymax) +
           std::to_string(VLE.VLE_Gamma_Exp[1][1]) + std::to_string(VLE.VLE_T_Calc[1]);
  }

  std::string path_;
};

TEST_F(VLEFile, RoundTripKeepsEveryField) {
  Load_VLE_Example(2);
  VLE.VLE_TP_Type = 1;
  VLE.VLE_Temp = 61.25;
  // At a fixed temperature every point holds its measured pressure.
  for (int i = 1; i <= VLE.VLE_NData; ++i) VLE.VLE_P_Data[i] = 500 + i;
  VLE.VLE_P_Data[3] = 512.5;
  VLE.VLE_Calc_Type = 4;
  VLE.VLE_Obj_Type = 5;
  Case.T_Unit = 2;
  Case.P_Unit = 6;
  Case.NRTL_Tau12 = -0.123456789012345;
  Case.NRTL_Tau21 = 2.5e-7;
  Case.NRTL_Alpha = 0.3;
  Case.Memo[10] = "a, \"quoted\" memo";
  ASSERT_EQ(Write_VLE_File(path_).status, VLEFileStatus::Ok);
  const std::string before = Snapshot();

  VLE_Initial_set();
  VLE.VLE_Gamma_Exp[1][1] = 1.5;
  VLE.VLE_T_Calc[1] = 75;
  const VLEFileResult r = Read_VLE_File(path_);
  ASSERT_EQ(r.status, VLEFileStatus::Ok) << r.message;
  EXPECT_TRUE(r.message.empty());
  EXPECT_EQ(Case.Memo[10], "a, 'quoted' memo");  // a double quote cannot live in a text field
  // The file never carries the measured coefficients or the bubble starts.
  EXPECT_EQ(VLE.VLE_Gamma_Exp[1][1], 1.5);
  EXPECT_EQ(VLE.VLE_T_Calc[1], 75);
  Case.Memo[10] = "a, \"quoted\" memo";
  VLE.VLE_Gamma_Exp[1][1] = 0;
  VLE.VLE_T_Calc[1] = 0;
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(VLEFile, DefaultsWriteSeventeenRecords) {
  VLE_Initial_set();
  ASSERT_EQ(Write_VLE_File(path_).status, VLEFileStatus::Ok);
  const std::string text = ReadAll(path_);
  std::string expected = "\"V_L Equibrium Data\"\r\n";
  for (int i = 0; i < 12; ++i) expected += "\"\"\r\n";
  expected += "0,0,0\r\n0,0,0\r\n0,1,3,60,760,0,1,0\r\n1,1,0,0,0.4\r\n";  // Wilson starts at the ideal pair
  EXPECT_EQ(text, expected);

  Load_VLE_Example(1);
  VLE.VLE_Graph_Xmin = 0.3;
  VLE.VLE_X1_Data[40] = 0.5;
  ASSERT_EQ(Read_VLE_File(path_).status, VLEFileStatus::Ok);
  EXPECT_EQ(VLE.VLE_Press, 760);
  EXPECT_EQ(VLE.VLE_NData, 0);
  EXPECT_EQ(VLE.VLE_Obj_Type, 0);
  EXPECT_EQ(Case.Wilson_L12, 1);
  EXPECT_TRUE(Case.Comp_Name[1].empty());
  // Fields the file does not hold take the defaults.
  EXPECT_EQ(VLE.VLE_Graph_Xmin, 0);
  EXPECT_EQ(VLE.VLE_X1_Data[40], 0);
  EXPECT_EQ(VLE.VLE_T_Data[1], 0);
}

TEST_F(VLEFile, AnotherProgramsFileIsRefused) {
  Load_VLE_Example(1);
  const std::string before = Snapshot();
  WriteAll(path_, "\"Distillation Data\"\r\n\"\"\r\n");
  Case.Language = 1;
  VLEFileResult r = Read_VLE_File(path_);
  EXPECT_EQ(r.status, VLEFileStatus::WrongHeader);
  EXPECT_EQ(r.message, "not Vapor-Liquid Equibrium Data");
  Case.Language = 0;
  WriteAll(path_, "\"v_l equibrium data\"\r\n");  // the header is compared exactly
  r = Read_VLE_File(path_);
  EXPECT_EQ(r.status, VLEFileStatus::WrongHeader);
  EXPECT_EQ(r.message, "気液平衡のデータファイルではありません。");
  WriteAll(path_, "");
  EXPECT_EQ(Read_VLE_File(path_).status, VLEFileStatus::WrongHeader);
  EXPECT_EQ(Read_VLE_File(path_ + ".missing").status, VLEFileStatus::CannotOpen);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(VLEFile, FifosDevicesHugeAndBinaryFilesAreRefusedUnread) {
  Load_VLE_Example(1);
  const std::string before = Snapshot();
  Case.Language = 1;
  auto refused = [&](const std::string& path, const std::string& reason) {
    const VLEFileResult r = Read_VLE_File(path);
    EXPECT_EQ(r.status, VLEFileStatus::CannotOpen) << path;
    EXPECT_NE(r.message.find(reason), std::string::npos) << r.message;
    EXPECT_EQ(Snapshot(), before);
  };
  // A FIFO with no writer would block the reader for ever; a device never ends.
  const std::string fifo = path_ + ".fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  refused(fifo, "this is not a file");
  std::remove(fifo.c_str());
  refused("/dev/zero", "this is not a file");
  refused(::testing::TempDir(), "this is not a file");
  // Far larger than any case: refused before a byte is read (a sparse file).
  {
    std::ofstream big(path_, std::ios::binary);
    big << "\"V_L Equibrium Data\"\r\n";
    big.seekp(200 * 1024 * 1024);
    big << 'x';
  }
  refused(path_, "too large");
  // A NUL byte inside: not a case file, whatever its header.
  WriteAll(path_, std::string("\"V_L Equibrium Data\"\r\n\"me\0mo\"\r\n", 29));
  refused(path_, "binary");
}

TEST_F(VLEFile, DamagedFilesLeaveTheCaseAsItWas) {
  Load_VLE_Example(2);
  ASSERT_EQ(Write_VLE_File(path_).status, VLEFileStatus::Ok);
  const std::string good = ReadAll(path_);
  Load_VLE_Example(1);
  Case.NRTL_Alpha = 0.25;
  const std::string before = Snapshot();

  auto replaceLine16 = [&](const std::string& record16) {
    std::string text = good;
    size_t pos = 0;
    for (int line = 1; line < 16; ++line) pos = text.find("\r\n", pos) + 2;
    const size_t end = text.find("\r\n", pos);
    return text.replace(pos, end - pos, record16);
  };
  struct Damage {
    const char* what;
    std::string text;
  };
  const Damage damages[] = {
      {"truncated in the points", good.substr(0, good.find("80.3,0,0.467"))},
      {"without the parameters", good.substr(0, good.rfind("0.022706"))},
      {"51 points", replaceLine16("0,1,3,60,760,51,1,1")},
      {"negative count", replaceLine16("0,1,3,60,760,-1,1,1")},
      {"T-P type 2", replaceLine16("2,1,3,60,760,20,1,1")},
      {"temperature unit 4", replaceLine16("0,4,3,60,760,20,1,1")},
      {"pressure unit 0", replaceLine16("0,1,0,60,760,20,1,1")},
      {"calculation type 5", replaceLine16("0,1,3,60,760,20,5,1")},
      {"objective 6", replaceLine16("0,1,3,60,760,20,1,6")},
      {"text for a number", replaceLine16("0,1,3,\"sixty\",760,20,1,1")},
      {"garbage number", replaceLine16("0,1,3,6O,760,20,1,1")},
      {"a number out of range", replaceLine16("0,1,3,1E999,760,20,1,1")},
      // A count that does not match the point records would shift the numbers
      // into the wrong variables without any field of the wrong type.
      {"one point fewer than the records", replaceLine16("0,1,3,60,760,19,1,1")},
      {"one point more than the records", replaceLine16("0,1,3,60,760,21,1,1")},
      {"a record split over two lines", replaceLine16("0,1,3,60,760\r\n20,1,1")},
      {"more after the parameters", good + "1,2,3,4,5\r\n"},
  };
  for (const auto& d : damages) {
    WriteAll(path_, d.text);
    const VLEFileResult r = Read_VLE_File(path_);
    EXPECT_EQ(r.status, VLEFileStatus::BadData) << d.what;
    EXPECT_FALSE(r.message.empty()) << d.what;
    EXPECT_EQ(Snapshot(), before) << d.what;
  }
  Case.Language = 1;
  WriteAll(path_, replaceLine16("0,1,3,60,760,51,1,1"));
  EXPECT_EQ(Read_VLE_File(path_).message,
            "Cannot read the data file: line 16: VLE_NData = 51 is outside 0..50");
  WriteAll(path_, replaceLine16("0,1,3,60,760,19,1,1"));
  EXPECT_EQ(Read_VLE_File(path_).message,
            "Cannot read the data file: line 36: wrong number of fields for the parameters");

  // Line ends without CR, blank lines between records and no final line end are no damage.
  std::string relaxed;
  for (char c : good)
    if (c != '\r') relaxed += c;
  relaxed.insert(relaxed.find("\n") + 1, "\n\n");
  relaxed.pop_back();
  WriteAll(path_, relaxed);
  ASSERT_EQ(Read_VLE_File(path_).status, VLEFileStatus::Ok);
  EXPECT_EQ(VLE.VLE_NData, 20);
  EXPECT_EQ(Case.NRTL_Alpha, 0.4);
}

TEST_F(VLEFile, AFailedSaveSaysSo) {
  Load_VLE_Example(1);
  const VLEFileResult r = Write_VLE_File(::testing::TempDir() + "no_such_folder/x/case.dat");
  EXPECT_EQ(r.status, VLEFileStatus::CannotWrite);
  EXPECT_NE(r.message.find("ファイルに保存できません"), std::string::npos);
  EXPECT_EQ(Case.Wilson_L12, 0.43045);
}

// Measured points and conditions no equilibrium can have are refused on
// reading, with the field and the line, not first at the run start.
TEST_F(VLEFile, ValuesOutOfTheirRangeAreRefusedByFieldAndLine) {
  Load_VLE_Example(2);  // 20 points at a fixed pressure
  ASSERT_EQ(Write_VLE_File(path_).status, VLEFileStatus::Ok);
  const std::string good = ReadAll(path_);
  Load_VLE_Example(1);
  const std::string before = Snapshot();
  Case.Language = 1;
  const struct {
    int line, field;
    const char* to;
    const char* says;
  } edits[] = {
      {17, 2, "1.2", "line 17: x1 (1) = 1.2"},
      {18, 3, "-0.1", "line 18: y1 (2) = -0.1"},
      {16, 4, "0", "line 16: VLE_Press = 0"},
      {16, 4, "-760", "line 16: VLE_Press = -760"},
      {19, 0, "-280", "line 19: VLE_T_Data (3) = -280"},
      {37, 4, "-0.4", "line 37: NRTL_Alpha = -0.4"},
      {37, 0, "-0.5", "line 37: Wilson_L12 = -0.5"},
  };
  for (const auto& e : edits) {
    SCOPED_TRACE(e.says);
    WriteAll(path_, EditField(good, e.line, e.field, e.to));
    const VLEFileResult r = Read_VLE_File(path_);
    EXPECT_EQ(r.status, VLEFileStatus::BadData);
    EXPECT_NE(r.message.find(e.says), std::string::npos) << r.message;
    Case.Language = 0;
    EXPECT_EQ(Snapshot(), before);
    Case.Language = 1;
  }
  // At a fixed temperature each point's pressure is the measured one.
  const std::string isothermal = EditField(good, 16, 0, "1");
  WriteAll(path_, isothermal);
  EXPECT_NE(Read_VLE_File(path_).message.find("line 17: VLE_P_Data (1) = 0 is not above 0"), std::string::npos);
  // A case that would not read back is not written, and the old file stays.
  Case.Language = 0;
  WriteAll(path_, good);
  VLE.VLE_X1_Data[2] = 1.5;
  const VLEFileResult w = Write_VLE_File(path_);
  EXPECT_EQ(w.status, VLEFileStatus::CannotWrite);
  EXPECT_NE(w.message.find("x1 (2) = 1.5"), std::string::npos) << w.message;
  EXPECT_EQ(ReadAll(path_), good);
}

// What opens must save and what saves must open: a number the 15-digit writer
// would write past the range of a double, a memo that makes the file larger
// than the reader takes, and a UTF-8 file with a stray byte are refused; the
// case and the file stay as they were.
TEST_F(VLEFile, WhatWouldNotReadBackIsNeitherReadNorSaved) {
  Load_VLE_Example(2);
  Case.Memo[2] = "メタノールと水の分離";
  ASSERT_EQ(Write_VLE_File(path_).status, VLEFileStatus::Ok);
  const std::string good = ReadAll(path_);
  const std::string before = Snapshot();
  const std::string other = path_ + ".other";

  WriteAll(other, EditField(good, 16, 4, "1.7976931348623157e308"));
  VLEFileResult r = Read_VLE_File(other);
  EXPECT_EQ(r.status, VLEFileStatus::BadData);
  EXPECT_NE(r.message.find("16 行目: 数値 \"1.7976931348623157e308\" が範囲外です"), std::string::npos) << r.message;
  EXPECT_EQ(Snapshot(), before);
  VLE.VLE_Press = 1.7976931348623151e308;  // typed
  r = Write_VLE_File(path_);
  EXPECT_EQ(r.status, VLEFileStatus::CannotWrite);
  EXPECT_NE(r.message.find("読み戻せない値があります"), std::string::npos) << r.message;
  Load_VLE_Example(2);

  Case.Memo[2] = std::string(17 * 1024 * 1024, 'x');  // pasted
  r = Write_VLE_File(path_);
  EXPECT_EQ(r.status, VLEFileStatus::CannotWrite);
  EXPECT_NE(r.message.find("ケースのファイルとしては大きすぎます（16 MB 超）"), std::string::npos) << r.message;
  Case.Language = 1;
  r = Write_VLE_File(path_);
  EXPECT_NE(r.message.find("the file is too large for a case file (over 16 MB)"), std::string::npos) << r.message;
  EXPECT_EQ(ReadAll(path_), good);

  std::string stray = good;
  stray.insert(stray.find("メタノールと水"), "\xE9");
  WriteAll(other, stray);
  r = Read_VLE_File(other);
  EXPECT_EQ(r.status, VLEFileStatus::CannotOpen);
  EXPECT_NE(r.message.find("line 3: the byte 0xE9 is no UTF-8 character"), std::string::npos) << r.message;
  EXPECT_EQ(Case.Memo[2].size(), 17u * 1024u * 1024u);
  std::remove(other.c_str());
}

// A file the program wrote with x1 above 1, kept as test data.
TEST_F(VLEFile, KeptDamagedFileIsRefused) {
  Load_VLE_Example(1);
  const std::string before = Snapshot();
  Case.Language = 1;
  const VLEFileResult r = Read_VLE_File(VZ_SOURCE_DIR "/tests/vle/estimation/data/x1_above_one.dat");
  EXPECT_EQ(r.status, VLEFileStatus::BadData);
  EXPECT_NE(r.message.find("line 17: x1 (1) = 1.2 is outside 0..1"), std::string::npos) << r.message;
  Case.Language = 0;
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
