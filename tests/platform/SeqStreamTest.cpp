// The stream reader reads what the whole-file reader reads, slice boundaries
// anywhere, in both languages of the messages; it reads ASCII files of any
// size, ends the text at the end-of-file mark and refuses what it cannot read.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"
#include "platform/text/SeqStream.h"
#include "support/CodePage.h"
#include "support/ScratchDir.h"

namespace fs = std::filesystem;

namespace {

bool english = false;
bool English() { return english; }

class SeqStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = ScratchDirFor("seqstream");
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    txt::SetMessageLanguage(&English);
    english = false;
  }
  void TearDown() override {
    english = false;
    fs::remove_all(dir_);
  }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  std::string Write(const char* name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }
  fs::path dir_;
};

// One read of either reader: the value as text, or the refusal's words.
template <typename R>
std::string Step(R& r, int op) {
  try {
    switch (op) {
      case 0: {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.17g", r.Double());
        return buf;
      }
      case 1: return "t:" + r.Text();
      case 2: return "i:" + std::to_string(r.Int());
      default: return "l:" + r.LineInput();
    }
  } catch (const seqfile::ReadError& e) {
    return std::string("!") + e.what();
  }
}

// A file of short lines of the kinds run and case files hold, and of their
// damage: numbers in every form, quoted texts with commas, texts where
// numbers belong, an unclosed quote, blanks and blank lines, all three line
// ends. No line is longer than 60 bytes.
std::string RandomFile(std::mt19937& rng) {
  std::uniform_int_distribution<int> pick(0, 99);
  const char* ends[] = {"\r\n", "\n", "\r"};
  std::string out;
  const int lines = 1 + pick(rng) % 40;
  for (int l = 0; l < lines; ++l) {
    std::string line;
    const int fields = pick(rng) % 5;
    for (int f = 0; f < fields; ++f) {
      if (f > 0) line += pick(rng) < 90 ? "," : " ,";
      const int kind = pick(rng);
      char buf[32];
      if (kind < 40) {
        std::snprintf(buf, sizeof buf, "%.6g", std::uniform_real_distribution<double>(-1e3, 1e3)(rng));
        line += buf;
      } else if (kind < 55) {
        line += std::to_string(pick(rng) - 50);
      } else if (kind < 70) {
        line += "\"a,b" + std::to_string(pick(rng)) + "\"";
      } else if (kind < 75) {
        line += "1e999";
      } else if (kind < 80) {
        line += "abc";
      } else if (kind < 83) {
        line += "\"open";
      } else if (kind < 88) {
        line += "  ";
      } else if (kind < 92) {
        line += "\"q\"tail";
      } else {
        line += "";
      }
    }
    out += line + ends[pick(rng) % 3];
    if (pick(rng) < 10) out += "\r\n";
  }
  return out;
}

TEST_F(SeqStreamTest, SlicesReadWhatTheWholeFileReaderReads) {
  std::mt19937 rng(20261211);
  for (int n = 0; n < 400; ++n) {
    english = n % 2 == 0;
    const std::string path = Write("random.dat", RandomFile(rng));
    for (std::size_t slice : {std::size_t{16}, std::size_t{23}, std::size_t{64}, seqfile::StreamReader::kSliceBytes}) {
      seqfile::Reader whole;
      seqfile::StreamReader stream(slice);
      ASSERT_TRUE(whole.Open(path));
      ASSERT_TRUE(stream.Open(path));
      const unsigned pattern = rng();
      for (int k = 0; k < 400; ++k) {
        ASSERT_EQ(whole.Eof(), stream.Eof()) << "file " << n << ", slice " << slice << ", step " << k;
        if (whole.Eof()) break;
        const int op = static_cast<int>((pattern >> (2 * (k % 16))) & 3u);
        const std::string a = Step(whole, op), b = Step(stream, op);
        ASSERT_EQ(a, b) << "file " << n << ", slice " << slice << ", step " << k;
        ASSERT_EQ(whole.Line(), stream.Line()) << "file " << n << ", slice " << slice << ", step " << k;
        if (a[0] == '!') break;
      }
    }
  }
}

TEST_F(SeqStreamTest, SeekReturnsToAMarkInAnotherSlice) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += i == 150 ? "word,1\r\n" : std::to_string(i) + "," + std::to_string(i * 0.5) + "\r\n";
  const std::string path = Write("marks.dat", text);
  seqfile::StreamReader r(16);
  ASSERT_TRUE(r.Open(path));
  std::vector<seqfile::StreamReader::Mark> marks;
  while (!r.Eof()) {
    marks.push_back(r.Loc());
    r.LineInput();
  }
  ASSERT_EQ(marks.size(), 200u);
  for (int i : {149, 3, 199, 0, 77}) {
    r.Seek(marks[static_cast<std::size_t>(i)]);
    EXPECT_EQ(r.Line(), i + 1);
    EXPECT_EQ(r.Int(), i);
    EXPECT_DOUBLE_EQ(r.Double(), i * 0.5);
  }
  // A refusal after a seek names the line counted from the start of the file.
  r.Seek(marks[150]);
  try {
    r.Int();
    FAIL() << "a word read as a number";
  } catch (const seqfile::ReadError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("151 行目: ", 0), 0u) << e.what();
  }
}

TEST_F(SeqStreamTest, TheEndOfFileMarkEndsTheText) {
  seqfile::StreamReader r;
  ASSERT_TRUE(r.Open(Write("mark.dat", std::string("\x1a" "0\r\n"))));
  EXPECT_TRUE(r.Eof());
  EXPECT_THROW(r.Double(), seqfile::ReadError);

  ASSERT_TRUE(r.Open(Write("mark2.dat", std::string("1,2\r\n\x1a" "3,4\r\n"))));
  EXPECT_EQ(r.Int(), 1);
  EXPECT_EQ(r.Int(), 2);
  EXPECT_TRUE(r.Eof());
  // Bytes after the mark are not read: not even a binary one refuses the file.
  ASSERT_TRUE(r.Open(Write("mark3.dat", std::string("5\r\n\x1a\x01\x02", 6))));
  EXPECT_EQ(r.Int(), 5);
  EXPECT_TRUE(r.Eof());
}

TEST_F(SeqStreamTest, AsciiBeyondTheCaseFileBoundIsReadToItsLastLine) {
  // Lines of a thousand bytes, so that the file is large but has few fields.
  const std::string line = "\"" + std::string(998 - 2, 'x') + "\"\r\n";
  const std::size_t lines = seqfile::kMaxFileBytes / line.size() + 100;
  {
    std::ofstream out(Path("big.dat"), std::ios::binary);
    out << "12.5\r\n";
    for (std::size_t i = 0; i < lines; ++i) out << line;
    out << "oops\r\n";
  }
  ASSERT_GT(fs::file_size(Path("big.dat")), seqfile::kMaxFileBytes);
  seqfile::Reader whole;
  seqfile::FileFault fault{};
  EXPECT_FALSE(whole.Open(Path("big.dat"), nullptr, &fault));
  EXPECT_EQ(fault, seqfile::FileFault::TooLarge);

  seqfile::StreamReader r;
  ASSERT_TRUE(r.Open(Path("big.dat")));
  EXPECT_DOUBLE_EQ(r.Double(), 12.5);
  for (std::size_t i = 0; i < lines; ++i) ASSERT_EQ(r.LineInput().size(), line.size() - 2);
  english = true;
  try {
    r.Double();
    FAIL() << "a word read as a number";
  } catch (const seqfile::ReadError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("line " + std::to_string(lines + 2) + ": ", 0), 0u) << e.what();
  }
  EXPECT_TRUE(r.Eof());
  r.Seek({});
  EXPECT_DOUBLE_EQ(r.Double(), 12.5);
}

TEST_F(SeqStreamTest, OtherTextIsDecodedAsAWholeWithinTheCaseFileBound) {
  const std::string cp932 = testfile::ToCp932("\"ベンゼン\",1.5\r\n");
  seqfile::StreamReader r;
  ASSERT_TRUE(r.Open(Write("cp932.dat", cp932)));
  EXPECT_EQ(r.Text(), "ベンゼン");
  EXPECT_DOUBLE_EQ(r.Double(), 1.5);

  // A stray byte in UTF-8 text is refused as by the whole-file reader.
  const std::string bad = "\"25 °C\",\"64 °C\",\"µ\",\"é\"\r\n\"\xB0\"\r\n";
  std::string e1, e2;
  seqfile::Reader whole;
  const std::string badPath = Write("bad.dat", bad);
  const bool wholeRead = whole.Open(badPath, &e1);
  EXPECT_EQ(wholeRead, r.Open(badPath, &e2));
  EXPECT_EQ(e1, e2);

  // Beyond the bound only ASCII is read: a run writes nothing else.
  {
    std::ofstream out(Path("bigtext.dat"), std::ios::binary);
    out << "\"é\"\r\n" << std::string(seqfile::kMaxFileBytes, ' ');
  }
  seqfile::FileFault fault{};
  EXPECT_FALSE(r.Open(Path("bigtext.dat"), nullptr, &fault));
  EXPECT_EQ(fault, seqfile::FileFault::TooLarge);
  EXPECT_FALSE(r.Open(Write("binary.dat", std::string("1,2\r\n\0", 6)), nullptr, &fault));
  EXPECT_EQ(fault, seqfile::FileFault::NotText);
  EXPECT_FALSE(r.Open(Path("none.dat"), nullptr, &fault));
  EXPECT_EQ(fault, seqfile::FileFault::Missing);
  EXPECT_FALSE(r.Open(dir_.string(), nullptr, &fault));
  EXPECT_EQ(fault, seqfile::FileFault::NotAFile);
  EXPECT_TRUE(r.Eof());  // a reader whose file was refused holds no field
}

TEST_F(SeqStreamTest, ALineLongerThanTheSlicesMayGrowToIsRefusedNamingIt) {
  seqfile::StreamReader r(16);
  ASSERT_TRUE(r.Open(Write("long.dat", "1\r\n2\r\n" + std::string(100, '7') + "\r\n")));
  EXPECT_EQ(r.Int(), 1);
  EXPECT_EQ(r.Int(), 2);
  english = true;
  try {
    r.Double();
    FAIL() << "a line of 100 bytes read in slices of 16";
  } catch (const seqfile::StreamError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("line 3: ", 0), 0u) << e.what();
  }
  // On the first line too: the file opens, its first read refuses.
  ASSERT_TRUE(r.Open(Write("long1.dat", std::string(100, '7') + "\r\n2\r\n")));
  EXPECT_FALSE(r.Eof());
  EXPECT_THROW(r.LineInput(), seqfile::StreamError);
  try {
    r.Int();
    FAIL() << "a line of 100 bytes read in slices of 16";
  } catch (const seqfile::StreamError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("line 1: ", 0), 0u) << e.what();
  }
}

}  // namespace
