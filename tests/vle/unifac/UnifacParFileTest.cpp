// The group parameter file: what the layout allows reads right, what breaks a
// limit or the layout is refused with its line and leaves the loaded data alone.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "vle/unifac/UnifacParFile.h"

namespace fs = std::filesystem;
using unifac::ParReadStatus;

namespace {

const char* const kMinimal =
    "2,Two groups\r\n"
    "GA,1,0.5,0.4\r\n"
    "GB,2,0.75,0.25\r\n"
    "Main group table\r\n"
    "MA first,0,100.5\r\n"
    "MB second,-20,0\r\n";

class UnifacParFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Case_Data();
    data_ = std::make_unique<UnifacData>();
  }
  ParReadStatus Read(const std::string& text) {
    return unifac::Read_UNIFAC_Par_Text(text, *data_, &message_);
  }
  // Reads `text` over the minimal file already loaded and expects a refusal
  // naming `line`, with the minimal file's data still in place.
  void ExpectRefused(const std::string& text, const std::string& line) {
    ASSERT_EQ(Read(kMinimal), ParReadStatus::Ok);
    EXPECT_EQ(Read(text), ParReadStatus::BadLayout) << text;
    EXPECT_NE(message_.find("UNIFAC.PAR " + line + " 行目"), std::string::npos) << message_;
    EXPECT_EQ(data_->UNIFAC_NSub, 2);
    EXPECT_EQ(data_->UNIFAC_NMain, 2);
    EXPECT_EQ(data_->UNIFAC_Sub_Name[1], "GA");
    EXPECT_DOUBLE_EQ(data_->UNIFAC_A[1][2], 100.5);
  }

  std::unique_ptr<UnifacData> data_;
  std::string message_;
};

TEST_F(UnifacParFileTest, MinimalFileReadsEveryItem) {
  ASSERT_EQ(Read(kMinimal), ParReadStatus::Ok) << message_;
  EXPECT_EQ(data_->UNIFAC_NSub, 2);
  EXPECT_EQ(data_->UNIFAC_NMain, 2);
  EXPECT_EQ(data_->UNIFAC_Sub_Name[2], "GB");
  EXPECT_EQ(data_->UNIFAC_Main_Of[2], 2);
  EXPECT_DOUBLE_EQ(data_->UNIFAC_R[2], 0.75);
  EXPECT_DOUBLE_EQ(data_->UNIFAC_Q[2], 0.25);
  EXPECT_EQ(data_->UNIFAC_Main_Name[1], "MA");
  EXPECT_EQ(data_->UNIFAC_Main_Name[2], "MB");
  EXPECT_DOUBLE_EQ(data_->UNIFAC_A[1][2], 100.5);
  EXPECT_DOUBLE_EQ(data_->UNIFAC_A[2][1], -20);
}

TEST_F(UnifacParFileTest, ItemRulesOfTheLayout) {
  // Blanks between the numbers of a main-group line, LF line ends, a quoted
  // name with a comma and a quoted number.
  ASSERT_EQ(Read("2,t\n\"G,A\",1,0.5,\"0.4\"\nGB,2,0.75,0.25\nhead\nMA first,0  100.5\nMB x,-20 ,0\n"),
            ParReadStatus::Ok)
      << message_;
  EXPECT_EQ(data_->UNIFAC_Sub_Name[1], "G,A");
  EXPECT_DOUBLE_EQ(data_->UNIFAC_Q[1], 0.4);
  EXPECT_DOUBLE_EQ(data_->UNIFAC_A[1][1], 0);
  EXPECT_DOUBLE_EQ(data_->UNIFAC_A[1][2], 100.5);
  EXPECT_DOUBLE_EQ(data_->UNIFAC_A[2][1], -20);
  EXPECT_DOUBLE_EQ(data_->UNIFAC_A[2][2], 0);
}

TEST_F(UnifacParFileTest, MainGroupCountIsTheLargestOfAnySubgroup) {
  ASSERT_EQ(Read("2,t\nGA,3,1,1\nGB,1,1,1\nhead\n"
                 "M1 a,0,1,2\nM2 b,3,0,4\nM3 c,5,6,0\n"),
            ParReadStatus::Ok)
      << message_;
  EXPECT_EQ(data_->UNIFAC_NMain, 3);
  EXPECT_EQ(data_->UNIFAC_Main_Name[3], "M3");
  EXPECT_DOUBLE_EQ(data_->UNIFAC_A[3][2], 6);
  EXPECT_DOUBLE_EQ(data_->UNIFAC_A[2][3], 4);
  // Only two main-group records where the first subgroup asks for three.
  ExpectRefused("2,t\nGA,3,1,1\nGB,1,1,1\nhead\nM1 a,0,1,2\nM2 b,3,0,4\n", "6");
}

TEST_F(UnifacParFileTest, CommaInTheTitleShiftsTheItemsAndIsRefused) {
  // "Two, groups" makes " groups" the first subgroup's name and "GA" its main
  // group, which reads as 0.
  ExpectRefused("2,Two, groups\r\nGA,1,0.5,0.4\r\nGB,2,0.75,0.25\r\nhead\r\nMA x,0,1\r\nMB y,1,0\r\n",
                "2");
}

TEST_F(UnifacParFileTest, EachLimitIsRefusedWithItsLine) {
  ExpectRefused("101,t\n", "1");
  ExpectRefused("0,t\n", "1");
  ExpectRefused("2,t\nGA,1,1,1\nGB,51,1,1\n", "3");
  ExpectRefused("2,t\nGA,0,1,1\nGB,1,1,1\n", "2");
  ExpectRefused("2,t\nGA,1,1,1\nGB,2,1,1\nhead\nMA,0,1\nMB x,1,0\n", "5");
  ExpectRefused("2,t\nGA,1,1,1\nGB,2,1,1\nhead\nMA x,0,1\nMB x,1\n", "6");
  ExpectRefused("2,t\nGA,1,1,1\n", "2");
  ExpectRefused("2,t\nGA,1,1e999,1\nGB,2,1,1\n", "2");
  ExpectRefused("", "1");
  // A field must be wholly a number: no leading part of a typo, no text as 0.
  ExpectRefused("2,t\nGA,1,0.54x,1\nGB,2,1,1\n", "2");
  ExpectRefused("2,t\nGA,1,1,1\nGB,2,1,abc\n", "3");
  ExpectRefused("2,t\nGA,1,1,1\nGB,2,1,1\nhead\nMA x,0,1\nMB y,1O,0\n", "6");
  ExpectRefused("x,t\n", "1");
  Case.Language = 1;
  EXPECT_EQ(Read("2,t\nGA,1,0.54x,1\nGB,2,1,1\n"), ParReadStatus::BadLayout);
  EXPECT_EQ(message_, "UNIFAC.PAR line 2: \"0.54x\" is not a number.");
  EXPECT_EQ(Read("2,t\nGA,1,1,1\nGB,51,1,1\n"), ParReadStatus::BadLayout);
  EXPECT_EQ(message_, "UNIFAC.PAR line 3: the main group 51 is outside 1..50.");
}

TEST_F(UnifacParFileTest, BinaryContentAndHugeFilesAreRefused) {
  // A NUL byte in a subgroup name, or anywhere: refused with its line.
  ExpectRefused(std::string("2,t\nGA,1,1,1\nG\0B,2,1,1\n", 23), "3");
  ExpectRefused(std::string("2,t\nGA,1,1,1\nGB,2,1,1\nhead\nMA x,0,1\nMB y,1,0\n\0", 46), "7");
  ExpectRefused("2,t\nGA,1,1,1\nG\x01B,2,1,1\n", "3");
  Case.Language = 1;
  EXPECT_EQ(Read(std::string("2,t\nG\0A,1,1,1\nGB,2,1,1\n", 23)), ParReadStatus::BadLayout);
  EXPECT_EQ(message_, "UNIFAC.PAR line 2: binary content (a NUL byte).");

  // A file far larger than any parameter file is refused before it is read (a
  // sparse file), and a FIFO is never opened.
  const fs::path dir = fs::temp_directory_path() / ("unifac_big_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  ASSERT_EQ(Read(kMinimal), ParReadStatus::Ok);
  {
    std::ofstream big(dir / "UNIFAC.PAR", std::ios::binary);
    big << kMinimal;
    big.seekp(200 * 1024 * 1024);
    big << 'x';
  }
  EXPECT_EQ(unifac::Read_UNIFAC_Par((dir / "UNIFAC.PAR").string(), *data_, &message_), ParReadStatus::BadLayout);
  EXPECT_EQ(message_, "UNIFAC.PAR: the file is too large for a case file (over 16 MB)");
  EXPECT_EQ(data_->UNIFAC_NSub, 2);
  fs::remove(dir / "UNIFAC.PAR");
  ASSERT_EQ(::mkfifo((dir / "UNIFAC.PAR").c_str(), 0600), 0);
  EXPECT_EQ(unifac::Read_UNIFAC_Par((dir / "UNIFAC.PAR").string(), *data_, &message_), ParReadStatus::Missing);
  fs::remove_all(dir);
}

// What follows the matrix is refused as every reader refuses what follows its
// last record; blank lines and an old end-of-file mark are no content.
TEST_F(UnifacParFileTest, LinesAfterTheMatrixAreRefused) {
  ExpectRefused(std::string(kMinimal) + "MC third,1,2\r\n", "7");
  ExpectRefused(std::string(kMinimal) + "\r\n\r\n  x\r\n", "9");
  ExpectRefused("2,t\nGA,1,1,1\nGB,2,1,1\nhead\nMA x,0,1\nMB y,1,0,5\n", "6");
  ASSERT_EQ(Read(std::string(kMinimal) + "\r\n  \r\n\t\r\n\x1a"), ParReadStatus::Ok) << message_;
  Case.Language = 1;
  EXPECT_EQ(Read(std::string(kMinimal) + "remark\r\n"), ParReadStatus::BadLayout);
  EXPECT_EQ(message_, "UNIFAC.PAR line 7: the file goes on after the main-group lines.");
}

// Names in the Japanese code page read as their text; a file that is neither
// that nor UTF-8 is refused with its line, before a name could come out garbled.
TEST_F(UnifacParFileTest, TextIsDecodedOrRefusedWithItsLine) {
  const fs::path dir = fs::temp_directory_path() / ("unifac_text_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string path = (dir / "UNIFAC.PAR").string();
  // "メチル" in the code page: 83 81 83 60 83 8B.
  std::ofstream(path, std::ios::binary) << "2,t\r\n\x83\x81\x83\x60\x83\x8B,1,0.5,0.4\r\nGB,2,0.75,0.25\r\nhead\r\n"
                                           "MA x,0,100.5\r\nMB y,-20,0\r\n";
  ASSERT_EQ(unifac::Read_UNIFAC_Par(path, *data_, &message_), ParReadStatus::Ok) << message_;
  EXPECT_EQ(data_->UNIFAC_Sub_Name[1], "メチル");
  std::ofstream(path, std::ios::binary) << "2,t\r\nGA,1,0.5,0.4\r\nGB,2,0.75,0.25\r\nhead メチル\r\n"
                                           "MA caf\xE9,0,100.5\r\nMB y,-20,0\r\n";
  EXPECT_EQ(unifac::Read_UNIFAC_Par(path, *data_, &message_), ParReadStatus::BadLayout);
  EXPECT_EQ(message_.find("UNIFAC.PAR 5 行目: バイト 0xE9"), 0u) << message_;
  EXPECT_EQ(data_->UNIFAC_Sub_Name[1], "メチル");
  fs::remove_all(dir);
}

TEST_F(UnifacParFileTest, ShippedFileHoldsTheClassicNumbering) {
  ASSERT_EQ(unifac::Read_UNIFAC_Par(VZ_BIN_DIR "/UNIFAC.PAR", *data_, &message_), ParReadStatus::Ok)
      << message_;
  EXPECT_EQ(data_->UNIFAC_NSub, 100);
  EXPECT_EQ(data_->UNIFAC_NMain, 47);
  EXPECT_EQ(data_->UNIFAC_Sub_Name[10], "ACH");
  EXPECT_EQ(data_->UNIFAC_Main_Of[10], 3);
  EXPECT_EQ(data_->UNIFAC_Sub_Name[16], "CH3OH");
  EXPECT_EQ(data_->UNIFAC_Sub_Name[17], "H2O");
  EXPECT_EQ(data_->UNIFAC_Main_Name[47], "OCCOH");
  EXPECT_DOUBLE_EQ(data_->UNIFAC_A[2][1], -35.36);
  EXPECT_DOUBLE_EQ(data_->UNIFAC_A[47][1], -11.92);
  for (int m = 1; m <= 47; ++m) EXPECT_DOUBLE_EQ(data_->UNIFAC_A[m][m], 0) << m;
}

TEST_F(UnifacParFileTest, MissingFileShowsTheMessageOnce) {
  const fs::path dir = fs::temp_directory_path() / ("unifac_par_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  CalcMessageRecorder shown;
  EXPECT_EQ(unifac::Load_UNIFAC_Par(dir.string(), *data_), ParReadStatus::Missing);
  ASSERT_EQ(shown.Messages().size(), 1u);
  EXPECT_EQ(shown.Messages()[0], unifac::kParMissingMessage);
  EXPECT_EQ(data_->UNIFAC_NSub, 0);

  std::ofstream(dir / "UNIFAC.PAR", std::ios::binary) << kMinimal;
  EXPECT_EQ(unifac::Load_UNIFAC_Par(dir.string(), *data_), ParReadStatus::Ok);
  EXPECT_EQ(shown.Messages().size(), 1u);
  EXPECT_EQ(data_->UNIFAC_NSub, 2);
  fs::remove_all(dir);
}

}  // namespace
