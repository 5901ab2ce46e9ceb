// Sequential case files: what is written reads back, and what is broken is
// reported, never crashed on.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/text/SeqFile.h"

namespace fs = std::filesystem;

namespace {

class SeqFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("seqfile_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static std::string Slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path dir_;
};

TEST_F(SeqFileTest, RecordsRoundTrip) {
  seqfile::Writer w;
  w.Record("Distillation Data");
  w.Record("メモ, with a comma");
  w.Record(3, 1.0 / 3.0, -2.5e-7, std::string("x"));
  double matrix[21][21];
  for (int i = 1; i <= 20; ++i)
    for (int j = 1; j <= 20; ++j) matrix[i][j] = i + j / 100.0 + 1e-9 * i * j;
  for (int i = 1; i <= 20; ++i) {
    for (int j = 1; j <= 20; ++j) w.Num(matrix[j][i]);
    w.EndRecord();
  }
  ASSERT_TRUE(w.Save(Path("case.dat")));
  EXPECT_EQ(Slurp(Path("case.dat")).substr(0, 20), "\"Distillation Data\"\r");

  seqfile::Reader r;
  ASSERT_TRUE(r.Open(Path("case.dat")));
  EXPECT_EQ(r.Text(), "Distillation Data");
  EXPECT_EQ(r.Text(), "メモ, with a comma");
  EXPECT_EQ(r.Int(), 3);
  EXPECT_NEAR(r.Double(), 1.0 / 3.0, 1e-15);
  EXPECT_DOUBLE_EQ(r.Double(), -2.5e-7);
  EXPECT_EQ(r.Text(), "x");
  for (int i = 1; i <= 20; ++i)
    for (int j = 1; j <= 20; ++j) EXPECT_NEAR(r.Double(), matrix[j][i], 1e-13 * matrix[j][i]);
  EXPECT_TRUE(r.Eof());
  EXPECT_THROW(r.Text(), seqfile::ReadError);
}

TEST_F(SeqFileTest, BrokenFilesAreReportedAsReadErrors) {
  seqfile::Reader r;
  r.OpenText("\"Distillation Data\"\r\n3,4\r\n");
  EXPECT_EQ(r.Text(), "Distillation Data");
  EXPECT_EQ(r.Int(), 3);
  EXPECT_EQ(r.Int(), 4);
  EXPECT_THROW(r.Double(), seqfile::ReadError);  // truncated

  r.OpenText("\"text\",abc\r\n");
  EXPECT_THROW(r.Double(), seqfile::ReadError);  // a text where a number belongs
  EXPECT_THROW(r.Double(), seqfile::ReadError);  // not a number
  r.OpenText("\"unterminated\r\n");
  EXPECT_THROW(r.Text(), seqfile::ReadError);

  std::mt19937 gen(42);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(gen() & 0xFF);
  std::ofstream(Path("noise.dat"), std::ios::binary) << noise;
  std::string error;
  // Random bytes either fail to open as text or fail on the first field read.
  if (r.Open(Path("noise.dat"), &error)) {
    EXPECT_THROW({ for (int i = 0; i < 10000; ++i) r.Double(); }, seqfile::ReadError);
  } else {
    EXPECT_FALSE(error.empty());
  }
  EXPECT_FALSE(r.Open(Path("missing.dat"), &error));
}

TEST_F(SeqFileTest, FailedSaveLeavesTheOldFile) {
  seqfile::Writer old;
  old.Record("old content");
  ASSERT_TRUE(old.Save(Path("case.dat")));
  const std::string before = Slurp(Path("case.dat"));
  // A folder that cannot be written: the save fails and the file stays.
  if (::geteuid() != 0) {
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    seqfile::Writer w;
    w.Record("new content");
    std::string error;
    EXPECT_FALSE(w.Save(Path("case.dat"), &error));
    EXPECT_FALSE(error.empty());
    fs::permissions(dir_, fs::perms::owner_all);
  }
  // A target that is a folder cannot be replaced either (also as root).
  fs::create_directories(dir_ / "adir" / "inner");
  seqfile::Writer w2;
  w2.Record("new");
  EXPECT_FALSE(w2.Save(Path("adir")));
  EXPECT_TRUE(fs::is_directory(dir_ / "adir" / "inner"));
  EXPECT_EQ(Slurp(Path("case.dat")), before);
  EXPECT_FALSE(fs::exists(Path("adir") + ".tmp~"));
}

TEST_F(SeqFileTest, ReadsTheJapaneseWindowsCodePage) {
  // "蒸留" and "メタノール" in CP932, as the earlier Windows version wrote them.
  const std::string cp932 =
      "\"\x8f\xf6\x97\xaf\"\r\n\"\x83\x81\x83\x5e\x83\x6d\x81\x5b\x83\x8b\",1.5\r\n";
  std::ofstream(Path("old.dat"), std::ios::binary) << cp932;
  seqfile::Reader r;
  ASSERT_TRUE(r.Open(Path("old.dat")));
  EXPECT_EQ(r.Text(), "蒸留");
  EXPECT_EQ(r.Text(), "メタノール");
  EXPECT_EQ(r.Double(), 1.5);
}

TEST_F(SeqFileTest, LinesPositionsAndPaths) {
  seqfile::Reader r;
  r.OpenText("\"a\",1\r\nplain line, with comma\r\n\"b\"\r\n");
  EXPECT_EQ(r.Text(), "a");
  EXPECT_EQ(r.Int(), 1);
  const auto mark = r.Loc();
  EXPECT_EQ(r.LineInput(), "plain line, with comma");
  EXPECT_EQ(r.Line(), 3);
  r.Seek(mark);
  EXPECT_EQ(r.Line(), 2);  // back to an earlier line
  EXPECT_EQ(r.LineInput(), "plain line, with comma");
  EXPECT_EQ(r.Text(), "b");
  EXPECT_EQ(seqfile::JoinPath("/data", "\\Result.dat"), "/data/Result.dat");
  EXPECT_EQ(seqfile::JoinPath("/data/", "Result.dat"), "/data/Result.dat");

  seqfile::Writer w;
  w.Record("say \"hi\"");
  r.OpenText(w.Content());
  EXPECT_EQ(r.Text(), "say 'hi'");  // a quote inside a text field is kept as an apostrophe
}

}  // namespace
