// The number-text rules as one table each: what a user sees in labels, grids,
// messages and case files, and how typed text is read back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/text/NumberText.h"

namespace {

struct FormatCase {
  double value;
  const char* pattern;
  const char* expected;
};

TEST(NumberText, FormatPatterns) {
  const FormatCase cases[] = {
      {351.35, "###0.000", "351.350"},
      {0.71, "#.000", ".710"},
      {0.5, "#.0000", ".5000"},
      {535.0, "###.000", "535.000"},
      {0.0, "###0.000", "0.000"},
      {0.0, "###.000", ".000"},
      {-2.5, "###0.000", "-2.500"},
      {1234567.891, "###0.000", "1234567.891"},
      {0.123456789, "#0.000000000", "0.123456789"},
      {12345.678, "#.0000000E+##", "1.2345678E+4"},
      {0.000123, "#.0000000E+##", "1.2300000E-4"},
      {-0.000123, "#.0000000E+##", "-1.2300000E-4"},
      {12345.678, "#.#000000E+###", "1.2345678E+4"},
      {9.99999999, "#.000E+##", "1.000E+1"},
      {0.5, "##.#0", ".50"},
      {12.345, "##.#0", "12.35"},
      {3.14159, " ##0.00000000", " 3.14159000"},
      {2.675, "0.00", "2.68"},  // decided on 15 digits, not on the binary tail
      {0.125, "0.00", "0.13"},
      {1234.5, "#.###E+##", "1.235E+3"},
      {-0.000123, "#.####0", "-.00012"},
      {0.0, "#", ""},
      {1234.5, "####0.###", "1234.5"},
      {999.9996, "###0.000", "1000.000"},
      {0.00099999999, "0.000", "0.001"},
      {7.0, "0", "7"},
      {42.0, "00000", "00042"},
      {1.5, "#.##", "1.5"},
      {2.0, "####.##", "2."},
      {0.25, "0.0", "0.3"},
      {99.95, "###0.0", "100.0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(txt::Format(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
}

TEST(NumberText, PlainAndSignedForms) {
  EXPECT_EQ(txt::Plain(5e-05), "5E-05");
  EXPECT_EQ(txt::Plain(0.0001), "0.0001");
  EXPECT_EQ(txt::Plain(0.5), "0.5");
  EXPECT_EQ(txt::Plain(200.0), "200");
  EXPECT_EQ(txt::Plain(-3.0), "-3");
  EXPECT_EQ(txt::Plain(351.35), "351.35");
  EXPECT_EQ(txt::Plain(0.1 + 0.2), "0.3");  // 15 significant digits hide the binary tail
  EXPECT_EQ(txt::Plain(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(txt::Plain(1.5e20), "1.5E+20");
  EXPECT_EQ(txt::Plain(123456789012345.0), "123456789012345");
  EXPECT_EQ(txt::Plain(-1.25e-7), "-1.25E-07");
  EXPECT_EQ(txt::Plain(20), "20");
  EXPECT_EQ(txt::Signed(200), " 200");
  EXPECT_EQ(txt::Signed(-7), "-7");
  EXPECT_EQ(txt::Signed(0.5), " .5");
  EXPECT_EQ(txt::Signed(200.0), " 200");
}

TEST(NumberText, PlainFormReadsBackToFifteenDigits) {
  const double values[] = {1.0 / 3.0, 2.0 / 3.0 * 1e-9, 6.02214076e23, -0.7071067811865476,
                           373.15, 1e-300, 4186.05, 0.00013322};
  for (double v : values) {
    const double back = txt::Val(txt::Plain(v));
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << txt::Plain(v);
  }
}

TEST(NumberText, ValReadsTheLeadingNumber) {
  EXPECT_EQ(txt::Val(""), 0.0);
  EXPECT_EQ(txt::Val("   "), 0.0);
  EXPECT_EQ(txt::Val("abc"), 0.0);
  EXPECT_EQ(txt::Val("12.5kPa"), 12.5);
  EXPECT_EQ(txt::Val("  -3"), -3.0);
  EXPECT_EQ(txt::Val(".5"), 0.5);
  EXPECT_EQ(txt::Val("1e3"), 1000.0);
  EXPECT_EQ(txt::Val("1E"), 1.0);
  EXPECT_EQ(txt::Val("5E-05"), 5e-05);
  EXPECT_EQ(txt::Val("1,000"), 1.0);
  EXPECT_EQ(txt::Val("-"), 0.0);
}

TEST(NumberText, CountsRoundHalvesToEven) {
  EXPECT_EQ(txt::ValCount("2.5"), 2);
  EXPECT_EQ(txt::ValCount("3.5"), 4);
  EXPECT_EQ(txt::ValCount("-2.5"), -2);
  EXPECT_EQ(txt::ValCount("2.51"), 3);
  EXPECT_EQ(txt::ValCount("7"), 7);
  EXPECT_EQ(txt::ValCount(""), 0);
  EXPECT_TRUE(txt::IsNumeric(" 1.5 "));
  EXPECT_FALSE(txt::IsNumeric("1.5x"));
  EXPECT_FALSE(txt::IsNumeric(""));
}

}  // namespace

namespace {

TEST(NumberText, NumbersPastTheRangeOfADoubleAreNoNumbers) {
  for (const char* t : {"1e999", "-1e999", " 1E+400 ", "9d999", "1e999abc"}) {
    EXPECT_EQ(txt::Val(t), 0.0) << t;
    EXPECT_FALSE(txt::IsNumeric(t)) << t;
    EXPECT_TRUE(txt::Overflows(t)) << t;
  }
  for (const char* t : {"inf", "nan", "-Infinity"}) {
    EXPECT_EQ(txt::Val(t), 0.0) << t;
    EXPECT_FALSE(txt::IsNumeric(t)) << t;
  }
  EXPECT_TRUE(txt::IsNumeric("1.7976931348623157E+308"));
  EXPECT_FALSE(txt::Overflows("1e-999"));
  EXPECT_EQ(txt::Val("1e-999"), 0.0);
}

// A number in a narrow column is shortened, never cut: it keeps three
// significant digits or its exponent, and reads back close to the value.
TEST(NumberText, FitNumberShortensWithoutLosingTheMagnitude) {
  auto width = [](std::size_t n) { return [n](std::string_view s) { return s.size() <= n; }; };
  EXPECT_EQ(txt::FitNumber("3.1656E-06", width(8)), "3.17E-06");
  EXPECT_EQ(txt::FitNumber("0.0000031656", width(8)), "3.17E-06");
  EXPECT_EQ(txt::FitNumber("0.123456789", width(5)), "0.123");
  EXPECT_EQ(txt::FitNumber("-0.123456789", width(6)), "-0.123");
  EXPECT_EQ(txt::FitNumber("12345.678", width(5)), "12346");
  EXPECT_EQ(txt::FitNumber("1.5E+20", width(5)), "2E+20");
  EXPECT_EQ(txt::FitNumber("0.000000", width(3)), "0");
  EXPECT_EQ(txt::FitNumber("Water", width(2)), "Water");  // no number: as it is
  EXPECT_EQ(txt::FitNumber("0.5", width(9)), "0.5");
  // Rounded up, the mantissa of a number next to the largest double would be
  // past it: the form shown is one that is still a number.
  EXPECT_EQ(txt::FitNumber("1.79764967297931E+308", width(8)), "1.7976E+308");
  EXPECT_EQ(txt::FitNumber("1.79769313486231E+308", width(12)), "1.79769E+308");
  for (double v : {3.1656e-6, -7.25e-11, 0.987654321, 1234567.891, 6.02214076e23, -0.0004567}) {
    const std::string full = txt::Plain(v);
    for (std::size_t n = 6; n <= full.size(); ++n) {
      const std::string s = txt::FitNumber(full, width(n));
      EXPECT_LE(s.size(), n) << full;
      EXPECT_EQ(s.find(".."), std::string::npos) << s;
      if (full.find('E') != std::string::npos) {
        EXPECT_NE(s.find('E'), std::string::npos) << s;
      }
      EXPECT_NEAR(txt::Val(s), v, 0.5 * std::fabs(v)) << full << " -> " << s;
      EXPECT_EQ(std::signbit(txt::Val(s)), std::signbit(v)) << s;
    }
  }
}

// A box's text is a number only when all of it is one; a count is checked
// against its range before it is converted, so a huge count is never wrapped.
TEST(NumberText, BoxesTakeOnlyWholeNumbersAndCountsInRange) {
  using txt::NumberProblem;
  double v = -1.0;
  EXPECT_EQ(txt::ParseNumber(" 12.5 ", v), NumberProblem::None);
  EXPECT_EQ(v, 12.5);
  EXPECT_EQ(txt::ParseNumber("-.5E+2", v), NumberProblem::None);
  EXPECT_EQ(v, -50.0);
  v = 7.0;
  EXPECT_EQ(txt::ParseNumber("abc", v), NumberProblem::NotNumber);
  EXPECT_EQ(txt::ParseNumber("12abc", v), NumberProblem::NotNumber);
  EXPECT_EQ(txt::ParseNumber("1 2", v), NumberProblem::NotNumber);
  EXPECT_EQ(txt::ParseNumber("", v), NumberProblem::Blank);
  EXPECT_EQ(txt::ParseNumber("   ", v), NumberProblem::Blank);
  EXPECT_EQ(txt::ParseNumber("1e999", v), NumberProblem::Overflow);
  EXPECT_EQ(txt::ParseNumber("nan", v), NumberProblem::NotNumber);
  EXPECT_EQ(txt::ParseNumber("inf", v), NumberProblem::NotNumber);
  EXPECT_EQ(v, 7.0);  // untouched by every refusal
  EXPECT_FALSE(txt::ParseNumber("12abc").has_value());

  long long n = -1;
  EXPECT_EQ(txt::ParseCount("4294967297", 1, 200, n), NumberProblem::OutOfRange);
  EXPECT_EQ(txt::ParseCount("3e9", 0, 2147483647, n), NumberProblem::OutOfRange);
  EXPECT_EQ(txt::ParseCount("1e300", 0, 100, n), NumberProblem::OutOfRange);
  EXPECT_EQ(txt::ParseCount("-1", 0, 100, n), NumberProblem::OutOfRange);
  EXPECT_EQ(txt::ParseCount("9223372036854775807", 0, 9223372036854775807LL, n), NumberProblem::OutOfRange);
  EXPECT_EQ(n, -1);
  EXPECT_EQ(txt::ParseCount("2.5", 0, 100, n), NumberProblem::None);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(txt::ParseCount(" 200 ", 1, 200, n), NumberProblem::None);
  EXPECT_EQ(n, 200);
  EXPECT_EQ(txt::ValCount("3e30"), 0);  // never a wrapped value
}

TEST(NumberText, RefusalMessagesNameTheFieldInTheChosenLanguage) {
  using txt::NumberProblem;
  txt::SetMessageLanguage([] { return true; });
  EXPECT_EQ(txt::NumberProblemMessage(NumberProblem::NotNumber, "Temperature", "abc"),
            "Temperature: \"abc\" is not a number.");
  EXPECT_NE(txt::NumberProblemMessage(NumberProblem::OutOfRange, "Stages", "0", 1, 200).find("1 to 200"),
            std::string::npos);
  txt::SetMessageLanguage(nullptr);
  EXPECT_EQ(txt::NumberProblemMessage(NumberProblem::Blank, "温度", ""), "「温度」に数値を入力してください。");
  EXPECT_NE(txt::NumberProblemMessage(NumberProblem::Overflow, "圧力", "1e999").find("1e999"), std::string::npos);
  // A long text is shortened at a character boundary, never inside one.
  std::string kana;
  for (int i = 0; i < 20; ++i) kana += "あ";  // 3 bytes each: byte 40 falls inside a character
  const std::string m = txt::NumberProblemMessage(NumberProblem::NotNumber, "温度", "ab" + kana);
  EXPECT_NE(m.find("「ab" + kana.substr(0, 36) + "...」"), std::string::npos) << m;
}

}  // namespace

// Every spelling a file may hold gives the value the C library reads for it:
// a sign '+', the old exponent letter D, a number without digits after the
// point, digits past double precision, subnormal and underflowing values.
TEST(NumberTextTest, ValReadsEveryFormAsTheCLibraryDoes) {
  const char* forms[] = {"0.1", "+1.5", "1.5D+02", "2.5d-3", "1.", ".5", "-0", "123456789012345678901234567890",
                         "4.9E-324", "2.2250738585072011E-308", "1e-999", "0.30000000000000004", "-7.25E+15"};
  for (const char* f : forms) {
    std::string c = f;
    for (char& ch : c)
      if (ch == 'D' || ch == 'd') ch = 'E';
    EXPECT_EQ(txt::Val(f), std::strtod(c.c_str(), nullptr)) << f;
  }
  EXPECT_EQ(txt::Val(" 12.5abc"), 12.5);
  EXPECT_EQ(txt::Val("1e999"), 0.0);
  EXPECT_TRUE(txt::Overflows("-1E400"));
}

// The plain form keeps the digits printf's "%.14e" gives, ties and the last
// of 15 digits included, for values spread over the whole range.
TEST(NumberTextTest, PlainKeepsFifteenDigitsAsPrintfRoundsThem) {
  for (double v : {0.1 + 0.2, 1.0 / 3, 2.0 / 3, 5e-5, 1e15, 123456789012345.6, 0.12094999849796295, 9.9999999999999995e-5,
                   1.5e300, 4.9e-324, -273.15, 760.0 / 7}) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", v);
    EXPECT_EQ(txt::Val(txt::Plain(v)), std::strtod(buf, nullptr)) << buf << " " << txt::Plain(v);
  }
  EXPECT_EQ(txt::Plain(0.12094999849796295), "0.120949998497963");
  EXPECT_EQ(txt::Plain(5e-5), "5E-05");
  EXPECT_EQ(txt::Plain(1.5e20), "1.5E+20");
}
