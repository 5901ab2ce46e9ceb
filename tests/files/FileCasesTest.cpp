// The case and run files of every program, as users meet them: a stray byte
// is refused naming its line and byte, a value read is a value saved, an
// integer out of its range is refused, and the end-of-file mark is the end.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "batch/model/BatchCaseFile.h"
#include "batch/model/BatchData.h"
#include "batch/results/BatchResultFiles.h"
#include "batch/run/BatchRunFiles.h"
#include "continuous/DistCaseFile.h"
#include "continuous/DistDefaults.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "flash/FlashFile.h"
#include "platform/text/SeqFile.h"
#include "support/CodePage.h"
#include "support/ScratchDir.h"
#include "vle/estimation/VLEData.h"
#include "vle/estimation/VLEFile.h"

namespace fs = std::filesystem;

namespace {

class FileCasesTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    dir_ = ScratchDirFor("filecases");
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    Reset_Case_Data();
    Reset_Batch_Data();
    Case.Max_Comp = kMaxComp;
    Case.Max_Tray = kMaxTray;
    Case.Language = English() ? 1 : 0;
  }
  void TearDown() override { fs::remove_all(dir_); }
  static bool English() { return GetParam(); }
  static std::string Given(const char* name) { return std::string(VZ_FILE_CASES) + "/" + name; }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  // "line 9: ... 0xE9" or "9 行目: ... 0xE9", as the chosen language words it.
  static std::string Where(int line, const char* byte) {
    return English() ? "line " + std::to_string(line) + ": the byte " + byte
                     : std::to_string(line) + " 行目: バイト " + byte;
  }
  fs::path dir_;
};

INSTANTIATE_TEST_SUITE_P(Languages, FileCasesTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "English" : "Japanese"; });

// The memo of the degree-signs file holds two UTF-8 "°" and one saved as a
// Latin-1 byte; the bad byte of the other file sits four lines below a valid
// UTF-8 "℃". Both are refused naming the line and the byte, and the case
// stays as it was.
TEST_P(FileCasesTest, StrayBytesAreRefusedNamingTheirLineAndByte) {
  const struct {
    const char* file;
    int line;
    const char* byte;
  } cases[] = {{"flash-utf8-degree-signs-one-latin1-byte.dat", 9, "0xB0"}, {"flash-bad-byte-on-line-9.dat", 9, "0xE9"}};
  for (const auto& c : cases) {
    Case.Memo[1] = "kept";
    FlashWindowValues win;
    win.Flash_Win_T = 42;
    const FlashReadResult r = Read_Flash_Data(Given(c.file), win);
    EXPECT_EQ(r.status, FlashReadStatus::Rejected) << c.file;
    EXPECT_NE(r.reason.find(Where(c.line, c.byte)), std::string::npos) << r.reason;
    EXPECT_NE(r.reason.find(English() ? "no UTF-8 character" : "UTF-8 の文字ではありません"), std::string::npos)
        << r.reason;
    EXPECT_EQ(Case.Memo[1], "kept");
    EXPECT_EQ(win.Flash_Win_T, 42);
  }
}

// A code-page memo whose half-width katakana make UTF-8 pairs by chance, next
// to a byte that is none, reads as code-page text in every program, and the
// reader says so, naming the line and byte.
TEST_P(FileCasesTest, AnAmbiguousCodePageFileReadsWithANotice) {
  const std::string taken = English() ? "read as text of the Japanese code page"
                                      : "日本語コードページ（Shift_JIS）のテキストとして読みました";
  // The case's texts in ASCII but for the one memo line.
  auto plainTexts = [] {
    for (int k = 1; k <= kMaxMemo; ++k) Case.Memo[k] = "";
    for (int i = 1; i <= kMaxComp; ++i) Case.Comp_Name[i] = "C" + std::to_string(i);
    Case.Memo[2] = "ﾃｷｽﾄ型";
  };
  auto toCodePage = [this](const char* name) {
    std::ifstream in(Path(name), std::ios::binary);
    const std::string utf8((std::istreambuf_iterator<char>(in)), {});
    in.close();
    std::ofstream(Path(name), std::ios::binary | std::ios::trunc) << testfile::ToCp932(utf8);
  };

  Dist_Example1_set();
  plainTexts();
  Case.Language = English() ? 1 : 0;
  Case.Data_File = Path("column.dat");
  ASSERT_TRUE(Save_Dist_Data());
  toCodePage("column.dat");
  Case.Memo[2] = "";
  {
    CalcMessageRecorder messages;
    ASSERT_TRUE(Read_Dist_Data());
    EXPECT_EQ(Case.Memo[2], "ﾃｷｽﾄ型");
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_NE(messages.Messages()[0].find(Where(3, "0xBD")), std::string::npos) << messages.Messages()[0];
    EXPECT_NE(messages.Messages()[0].find(taken), std::string::npos) << messages.Messages()[0];
  }

  FlashWindowValues win;
  ASSERT_TRUE(Save_Flash_Data(Path("flash.dat"), win));
  toCodePage("flash.dat");
  const FlashReadResult flash = Read_Flash_Data(Path("flash.dat"), win);
  ASSERT_EQ(flash.status, FlashReadStatus::Read) << flash.reason;
  EXPECT_NE(flash.notice.find(Where(3, "0xBD")), std::string::npos) << flash.notice;

  vlefit::VLE_Initial_set();
  ASSERT_TRUE(vlefit::Load_VLE_Example(1));
  plainTexts();
  ASSERT_EQ(vlefit::Write_VLE_File(Path("vle.dat")).status, vlefit::VLEFileStatus::Ok);
  toCodePage("vle.dat");
  const vlefit::VLEFileResult vle = vlefit::Read_VLE_File(Path("vle.dat"));
  ASSERT_EQ(vle.status, vlefit::VLEFileStatus::Ok) << vle.message;
  EXPECT_NE(vle.message.find(Where(3, "0xBD")), std::string::npos) << vle.message;
  EXPECT_NE(vle.message.find(taken), std::string::npos) << vle.message;

  Batch_Initial_set();
  Batch_Example_set();
  plainTexts();
  Batch.Batch_File = Path("batch.dat");
  std::string error;
  ASSERT_TRUE(Save_Batch_Data(&error)) << error;
  toCodePage("batch.dat");
  CalcMessageRecorder messages;
  ASSERT_TRUE(Read_Batch_Data().ok());
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_NE(messages.Messages()[0].find(Where(3, "0xBD")), std::string::npos) << messages.Messages()[0];
}

// -273.1499999999999 degC (the next double above absolute zero) is read, saved
// and read back as itself, in the column, VLE and batch files and the run
// files a batch run writes.
TEST_P(FileCasesTest, AValueJustAboveAbsoluteZeroIsSavedAndReadsBack) {
  const double justAbove = std::nextafter(-273.15, 0.0);
  Case.Data_File = Given("column-estimate-just-above-absolute-zero.dat");
  ASSERT_TRUE(Read_Dist_Data());
  ASSERT_EQ(Case.T_Top_Est, justAbove);
  Case.Data_File = Path("column.dat");
  ASSERT_TRUE(Save_Dist_Data());
  Case.T_Top_Est = 0;
  ASSERT_TRUE(Read_Dist_Data());
  EXPECT_EQ(Case.T_Top_Est, justAbove);

  vlefit::VLE_Initial_set();
  ASSERT_TRUE(vlefit::Load_VLE_Example(1));
  vlefit::VLE.VLE_Temp = justAbove;
  ASSERT_EQ(vlefit::Write_VLE_File(Path("vle.dat")).status, vlefit::VLEFileStatus::Ok);
  vlefit::VLE.VLE_Temp = 0;
  ASSERT_EQ(vlefit::Read_VLE_File(Path("vle.dat")).status, vlefit::VLEFileStatus::Ok);
  EXPECT_EQ(vlefit::VLE.VLE_Temp, justAbove);

  Reset_Case_Data();
  Case.Max_Comp = kMaxComp;
  Case.Max_Tray = kMaxTray;
  Case.Language = English() ? 1 : 0;
  Batch_Initial_set();
  Batch_Example_set();
  Batch.Init_Temp = justAbove;
  for (int p = 1; p <= Case.NT; ++p) {
    for (int i = 1; i <= Case.NC; ++i) Case.Tray_X[i][p] = Case.Tray_Y[i][p] = 1.0 / Case.NC;
    Case.Tray_T[p] = justAbove;
  }
  ASSERT_TRUE(Write_Total_Reflux_File(Path("B_Calc_2.dat")));
  ASSERT_TRUE(Append_State_Record(Path("B_Calc_1.dat")));
  Batch.Batch_File = Path("B_Calc_2.dat");
  const BatchReadResult read = Read_Batch_Continue(1);
  ASSERT_TRUE(read.ok()) << read.reason;
  EXPECT_EQ(Batch.Init_Temp, justAbove);
  EXPECT_EQ(Batch.Cont_T[1], justAbove);
  HistoryFile history;
  const RunFileResult opened = history.Open(Path("B_Calc_1.dat"));
  ASSERT_TRUE(opened.ok()) << opened.reason;
  HistoryRecord rec;
  ASSERT_TRUE(history.Next(rec).ok());
  EXPECT_EQ(rec.T(1), justAbove);
}

// Batch_Opt3 is a 32-bit integer: 4294967297 and 2.5e9 are refused with the
// range, never wrapped to 1 or a negative number.
TEST_P(FileCasesTest, AnIntegerPastItsRangeIsRefused) {
  std::ifstream in(Given("batch-option-4294967297.dat"), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  std::string wrapped = text;
  wrapped.replace(wrapped.find("4294967297"), 10, "2.5e9");
  std::ofstream(Path("wrapped.dat"), std::ios::binary) << wrapped;
  std::string fine = text;
  fine.replace(fine.find("4294967297"), 10, "-2147483648");
  std::ofstream(Path("fine.dat"), std::ios::binary) << fine;
  const std::string range = English() ? "is outside -2147483648..2147483647" : "は -2147483648..2147483647 の範囲外です";
  for (const std::string& file : {Given("batch-option-4294967297.dat"), Path("wrapped.dat")}) {
    Batch.Batch_Opt3 = 7;
    Batch.Batch_File = file;
    CalcMessageRecorder messages;
    const BatchReadResult r = Read_Batch_Data();
    EXPECT_EQ(r.status, BatchReadStatus::Malformed) << file;
    EXPECT_NE(r.reason.find(English() ? "line 12: Batch_Opt3 = " : "12 行目: Batch_Opt3 = "), std::string::npos) << r.reason;
    EXPECT_NE(r.reason.find(range), std::string::npos) << r.reason;
    EXPECT_EQ(Batch.Batch_Opt3, 7);
  }
  Batch.Batch_File = Path("fine.dat");
  ASSERT_TRUE(Read_Batch_Data().ok());
  EXPECT_EQ(Batch.Batch_Opt3, INT32_MIN);
}

// The bytes 1A 30 0D 0A as a history file: the text ends at the mark, so the
// file opens with no record, is at its end, and has no next record.
TEST_P(FileCasesTest, TheEndOfFileMarkIsTheEndOfAHistory) {
  HistoryFile file;
  ASSERT_TRUE(file.Open(Given("history-end-of-file-mark.dat")).ok());
  EXPECT_TRUE(file.AtEnd());
  HistoryRecord rec;
  EXPECT_EQ(file.Next(rec).status, RunFileStatus::End);
}

}  // namespace
