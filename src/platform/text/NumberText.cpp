#include "platform/text/NumberText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <charconv>
#include <system_error>
#include <string>

namespace txt {
namespace {

struct Digits {
  std::string digits;  // significant digits, no leading zeros (or "0")
  int exponent = 0;    // decimal exponent of the first digit
  bool negative = false;
};

// Rounds |value| to `sig` significant digits and splits it into digits and exponent.
Digits ToDigits(double value, int sig) {
  Digits d;
  d.negative = std::signbit(value) && value != 0.0;
  if (value == 0.0 || !std::isfinite(value)) {
    d.digits = "0";
    return d;
  }
  // The digits printf's "%.*e" gives (to_chars rounds the same, exactly), without
  // its cost: case and run files are written a number at a time.
  char buf[64];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, sig - 1);
  const std::string_view s(buf, ec == std::errc() ? static_cast<std::size_t>(end - buf) : 0);
  const auto e = s.find('e');
  if (e == std::string_view::npos) {
    d.digits = "0";
    return d;
  }
  int exponent = 0;
  std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exponent);
  d.exponent = exponent;
  d.digits.reserve(static_cast<std::size_t>(sig));
  for (std::size_t i = 0; i < e; ++i)
    if (s[i] >= '0' && s[i] <= '9') d.digits += s[i];
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

std::string ExponentText(int exponent) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return buf;
}

}  // namespace

std::string Plain(long long value) { return std::to_string(value); }

namespace {

// The plain form with `sig` significant digits at most.
std::string PlainDigits(double value, int sig) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
  if (value == 0.0) return "0";
  const Digits d = ToDigits(value, sig);
  std::string out = d.negative ? "-" : "";
  if (d.exponent < -4 || d.exponent >= 15) {
    out += d.digits[0];
    if (d.digits.size() > 1) out += "." + d.digits.substr(1);
    return out + ExponentText(d.exponent);
  }
  if (d.exponent < 0) {
    out += "0." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    return out;
  }
  const auto intLen = static_cast<std::size_t>(d.exponent + 1);
  if (d.digits.size() <= intLen) {
    out += d.digits + std::string(intLen - d.digits.size(), '0');
  } else {
    out += d.digits.substr(0, intLen) + "." + d.digits.substr(intLen);
  }
  return out;
}

}  // namespace

std::string Plain(double value) { return PlainDigits(value, 15); }

std::string PlainExact(double value) {
  // 17 significant digits tell every double apart; fewer do for most.
  for (int sig = 15; sig < 17; ++sig) {
    std::string s = PlainDigits(value, sig);
    double back = 0;
    if (std::from_chars(s.data(), s.data() + s.size(), back).ec == std::errc() && back == value) return s;
  }
  return PlainDigits(value, 17);
}

std::string Signed(long long value) { return value < 0 ? Plain(value) : " " + Plain(value); }

std::string Signed(double value) {
  if (std::signbit(value) && value != 0.0) return Plain(value);
  std::string s = Plain(value);
  // The signed form drops the zero before the point, as in " .5".
  if (s.size() > 1 && s[0] == '0' && s[1] == '.') s.erase(0, 1);
  return " " + s;
}

namespace {

struct Pattern {
  std::string prefix;     // literal text before the first placeholder
  int intRequired = 0;    // '0' placeholders before the point
  int intPlaces = 0;      // all placeholders before the point
  bool point = false;
  int fracPlaces = 0;     // placeholders after the point
  int fracRequired = 0;   // places that must show, up to the last '0'
  bool exponent = false;
  char expSign = '+';
  int expRequired = 0;
  std::string suffix;     // literal text after the last placeholder
};

Pattern Parse(std::string_view p) {
  Pattern pat;
  std::size_t i = 0;
  while (i < p.size() && p[i] != '#' && p[i] != '0' && p[i] != '.') pat.prefix += p[i++];
  for (; i < p.size() && (p[i] == '#' || p[i] == '0' || p[i] == ','); ++i) {
    if (p[i] == ',') continue;
    ++pat.intPlaces;
    if (p[i] == '0') ++pat.intRequired;
  }
  if (i < p.size() && p[i] == '.') {
    pat.point = true;
    ++i;
    for (int place = 1; i < p.size() && (p[i] == '#' || p[i] == '0'); ++i, ++place) {
      ++pat.fracPlaces;
      if (p[i] == '0') pat.fracRequired = place;
    }
  }
  if (i + 1 < p.size() && (p[i] == 'E' || p[i] == 'e') && (p[i + 1] == '+' || p[i + 1] == '-')) {
    pat.exponent = true;
    pat.expSign = p[i + 1];
    i += 2;
    for (; i < p.size() && (p[i] == '#' || p[i] == '0'); ++i)
      if (p[i] == '0') ++pat.expRequired;
  }
  pat.suffix = std::string(p.substr(i));
  return pat;
}

// Fixed-point digits of |value| with `decimals` places: integer and fraction
// text. The value is taken to its 15 significant digits first and a half is then
// rounded away from zero, so what is shown agrees with the plain form
// (2.675 -> "2.68", 0.25 -> "0.3") rather than with the binary tail.
void FixedParts(double value, int decimals, std::string& intPart, std::string& fracPart) {
  const Digits d = ToDigits(value, 15);
  // Digits placed on a fixed grid: `lead` zeros before the first significant one.
  std::string digits;
  int pointAt;  // number of digits before the decimal point
  if (d.exponent >= 0) {
    digits = d.digits;
    pointAt = d.exponent + 1;
    if (static_cast<int>(digits.size()) < pointAt) digits.append(static_cast<std::size_t>(pointAt) - digits.size(), '0');
  } else {
    digits = std::string(static_cast<std::size_t>(-d.exponent), '0') + d.digits;
    pointAt = 1;
  }
  const std::size_t keep = static_cast<std::size_t>(pointAt + decimals);
  if (digits.size() < keep) digits.append(keep - digits.size(), '0');
  const bool roundUp = digits.size() > keep && digits[keep] >= '5';
  digits.resize(keep);
  if (roundUp) {
    int i = static_cast<int>(digits.size()) - 1;
    for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i) digits[static_cast<std::size_t>(i)] = '0';
    if (i >= 0) {
      ++digits[static_cast<std::size_t>(i)];
    } else {
      digits.insert(0, "1");
      ++pointAt;
    }
  }
  intPart = digits.substr(0, static_cast<std::size_t>(pointAt));
  while (intPart.size() > 1 && intPart[0] == '0') intPart.erase(0, 1);
  if (intPart.empty()) intPart = "0";
  fracPart = digits.substr(static_cast<std::size_t>(pointAt));
}

std::string Assemble(const Pattern& pat, std::string intPart, std::string fracPart) {
  if (intPart == "0") intPart.clear();
  if (static_cast<int>(intPart.size()) < pat.intRequired)
    intPart.insert(0, static_cast<std::size_t>(pat.intRequired) - intPart.size(), '0');
  while (static_cast<int>(fracPart.size()) > pat.fracRequired && !fracPart.empty() &&
         fracPart.back() == '0')
    fracPart.pop_back();
  std::string out = intPart;
  if (pat.point) out += "." + fracPart;
  return out;
}

}  // namespace

std::string Format(double value, std::string_view pattern) {
  if (!std::isfinite(value)) return Plain(value);
  const Pattern pat = Parse(pattern);
  std::string body;
  bool negative = false;
  if (!pat.exponent) {
    std::string intPart, fracPart;
    FixedParts(value, pat.fracPlaces, intPart, fracPart);
    body = Assemble(pat, intPart, fracPart);
    negative = std::signbit(value) && (intPart.find_first_not_of('0') != std::string::npos ||
                                       fracPart.find_first_not_of('0') != std::string::npos);
  } else {
    // The mantissa keeps as many integer digits as the pattern has places (at least one).
    const int intDigits = std::max(1, pat.intPlaces);
    int exponent = 0;
    double mantissa = std::fabs(value);
    if (mantissa != 0.0) {
      exponent = static_cast<int>(std::floor(std::log10(mantissa))) - (intDigits - 1);
      mantissa /= std::pow(10.0, exponent);
      // Rounding to the pattern's decimals may carry into another digit.
      const double scale = std::pow(10.0, pat.fracPlaces);
      if (std::round(mantissa * scale) / scale >= std::pow(10.0, intDigits)) {
        ++exponent;
        mantissa /= 10.0;
      }
    }
    std::string intPart, fracPart;
    FixedParts(mantissa, pat.fracPlaces, intPart, fracPart);
    body = Assemble(pat, intPart, fracPart);
    std::string expDigits = std::to_string(std::abs(exponent));
    if (static_cast<int>(expDigits.size()) < pat.expRequired)
      expDigits.insert(0, static_cast<std::size_t>(pat.expRequired) - expDigits.size(), '0');
    std::string sign = exponent < 0 ? "-" : (pat.expSign == '+' ? "+" : "");
    body += "E" + sign + expDigits;
    negative = std::signbit(value) && value != 0.0;
  }
  return pat.prefix + (negative ? "-" : "") + body + pat.suffix;
}

namespace {

// Length of the leading number of `s` (after blanks), 0 when there is none.
std::size_t NumberLength(std::string_view s, std::size_t start) {
  std::size_t i = start;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
      while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
      i = j;
    }
  }
  return i - start;
}

std::size_t SkipBlanks(std::string_view s, std::size_t i = 0) {
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n')) ++i;
  return i;
}

// The leading number as the C library reads it (±HUGE_VAL past the range).
double LeadingNumber(std::string_view text) {
  const std::size_t start = SkipBlanks(text);
  const std::size_t len = NumberLength(text, start);
  if (len == 0) return 0.0;
  std::string_view n = text.substr(start, len);
  // Case and run files hold thousands of numbers: the plain form is converted
  // in place (correctly rounded, as strtod); a sign '+', the old exponent
  // letter D and results past the range go the C library's way.
  bool letterD = false;
  for (char c : n) letterD = letterD || c == 'D' || c == 'd';
  if (n.front() != '+' && !letterD) {
    double v = 0.0;
    const auto [end, ec] = std::from_chars(n.data(), n.data() + n.size(), v);
    if (ec == std::errc() && end == n.data() + n.size()) return v;
  }
  std::string s(n);
  for (char& c : s)
    if (c == 'D' || c == 'd') c = 'E';
  return std::strtod(s.c_str(), nullptr);
}

bool (*g_english)() = nullptr;

}  // namespace

double Val(std::string_view text) {
  const double v = LeadingNumber(text);
  // A number past the range of a double is no number any window can use: it
  // reads as a text without a number, so no Inf reaches a case.
  return std::isfinite(v) ? v : 0.0;
}

bool Overflows(std::string_view text) { return !std::isfinite(LeadingNumber(text)); }

namespace {

// Significant digits a number text shows ("0.00310" -> 3, "1.5E+20" -> 2).
int SignificantDigits(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (c == 'E' || c == 'e' || c == 'D' || c == 'd') break;
    if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
  }
  const auto first = digits.find_first_not_of('0');
  return first == std::string::npos ? 0 : static_cast<int>(digits.size() - first);
}

}  // namespace

std::string FitNumber(std::string_view text, const std::function<bool(std::string_view)>& fits) {
  if (fits(text) || !IsNumeric(text)) return std::string(text);
  const double v = Val(text);
  if (v == 0.0) return "0";
  const int sig = std::max(1, SignificantDigits(text));
  const bool exponentForm = text.find_first_of("EeDd") != std::string_view::npos;
  if (!exponentForm) {
    const auto point = text.find('.');
    int decimals = 0;
    if (point != std::string_view::npos)
      while (point + 1 + static_cast<std::size_t>(decimals) < text.size() &&
             std::isdigit(static_cast<unsigned char>(text[point + 1 + static_cast<std::size_t>(decimals)])))
        ++decimals;
    for (int d = decimals - 1; d >= 0; --d) {
      const std::string s = Format(v, d == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(d), '#'));
      if (SignificantDigits(s) < std::min(3, sig)) break;  // fewer places only lose more
      if (fits(s)) return s;
    }
  }
  // Next to the largest double a mantissa rounded up is past it ("1.8E+308"):
  // no number at all, so such a form is never shown.
  std::string shortest(text);
  for (int m = std::min(sig - 1, 14); m >= 0; --m) {
    const std::string s = Format(v, m == 0 ? "0E+00" : "0." + std::string(static_cast<std::size_t>(m), '0') + "E+00");
    if (Overflows(s)) continue;
    if (fits(s)) return s;
    shortest = s;
  }
  return shortest;  // the shortest exponent form, even when the column is narrower still
}

bool EnglishMessages() { return g_english != nullptr && g_english(); }

void SetMessageLanguage(bool (*english)()) { g_english = english; }

long long RoundHalfEven(double value) {
  // Converting a double beyond the range of a long long is undefined: such a
  // value is no count at all.
  if (!std::isfinite(value) || !(std::fabs(value) < 9.2e18)) return 0;
  return static_cast<long long>(std::nearbyint(value));  // default rounding mode: ties to even
}

long long ValCount(std::string_view text) { return RoundHalfEven(Val(text)); }

bool IsNumeric(std::string_view text) {
  const std::size_t start = SkipBlanks(text);
  const std::size_t len = NumberLength(text, start);
  return len > 0 && SkipBlanks(text, start + len) == text.size() && !Overflows(text);
}

NumberProblem ParseNumber(std::string_view text, double& value) {
  const std::size_t start = SkipBlanks(text);
  if (start == text.size()) return NumberProblem::Blank;
  const std::size_t len = NumberLength(text, start);
  if (len == 0 || SkipBlanks(text, start + len) != text.size()) return NumberProblem::NotNumber;
  const double v = LeadingNumber(text);
  if (!std::isfinite(v)) return NumberProblem::Overflow;
  value = v;
  return NumberProblem::None;
}

std::optional<double> ParseNumber(std::string_view text) {
  double v = 0.0;
  if (ParseNumber(text, v) != NumberProblem::None) return std::nullopt;
  return v;
}

NumberProblem ParseCount(std::string_view text, long long lo, long long hi, long long& value) {
  double v = 0.0;
  const NumberProblem p = ParseNumber(text, v);
  if (p != NumberProblem::None) return p;
  const double r = std::nearbyint(v);
  // Beyond +-9.2e18 a double no longer converts to a long long defined; no
  // count of this program comes near that.
  if (!(std::fabs(r) < 9.2e18)) return NumberProblem::OutOfRange;
  const long long c = static_cast<long long>(r);
  if (c < lo || c > hi) return NumberProblem::OutOfRange;
  value = c;
  return NumberProblem::None;
}

std::string NumberProblemMessage(NumberProblem problem, std::string_view field, std::string_view text,
                                 long long lo, long long hi) {
  const std::string f(field);
  std::string t(text);
  if (t.size() > 40) {
    // Cut at a character boundary: half a character would be no text at all.
    std::size_t cut = 40;
    while (cut > 0 && (static_cast<unsigned char>(t[cut]) & 0xC0) == 0x80) --cut;
    t = t.substr(0, cut) + "...";
  }
  const bool en = EnglishMessages();
  switch (problem) {
    case NumberProblem::None:
      return "";
    case NumberProblem::Blank:
      return en ? f + ": enter a number." : "「" + f + "」に数値を入力してください。";
    case NumberProblem::NotNumber:
      return en ? f + ": \"" + t + "\" is not a number." : "「" + f + "」の「" + t + "」は数値ではありません。";
    case NumberProblem::Overflow:
      return en ? f + ": \"" + t + "\" is beyond the range of a number."
                : "「" + f + "」の「" + t + "」は数値の範囲を超えています。";
    case NumberProblem::OutOfRange:
      return en ? f + ": enter a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) + "."
                : "「" + f + "」には " + std::to_string(lo) + " から " + std::to_string(hi) +
                      " までの整数を入力してください。";
  }
  return "";
}

}  // namespace txt
