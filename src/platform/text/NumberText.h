// Number-to-text and text-to-number rules shared by every window and case file.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace txt {

// The plain number-to-text form: integers as digits, other values with up to
// 15 significant digits, exponent form ("5E-05", "1.5E+20") below 1E-04 and
// from 1E+15 on; no leading blank ("0.5", "-3", "351.35").
std::string Plain(double value);
std::string Plain(long long value);
// The plain form with as few digits beyond 15 as it takes to read back as
// exactly `value` (at most 17): for the rare value whose 15-digit form would be
// judged otherwise by a reader.
std::string PlainExact(double value);
inline std::string Plain(int value) { return Plain(static_cast<long long>(value)); }

// The plain form with a leading blank in place of the sign of a non-negative
// number, as numbers are joined into messages (" 200", "-3", " .5").
std::string Signed(double value);
std::string Signed(long long value);
inline std::string Signed(int value) { return Signed(static_cast<long long>(value)); }

// Formats a value through a pattern of the kind "###0.000", "#.0000000E+##",
// " ##0.00000000": '0' a required digit, '#' an optional digit, '.' the point,
// "E+"/"E-" an exponent (digits after it: '0' required, '#' optional), any other
// character a literal. Integer digits beyond the placeholders are all shown;
// an integer part of zero with only '#' before the point is left out (".5000").
std::string Format(double value, std::string_view pattern);

// The leading number of a text: blanks skipped, an optional sign, digits, a
// point and an exponent; anything after the number is ignored and a text
// without a number (empty text too) gives 0, and so does a number past the
// range of a double ("1e999"): what Val returns is always finite.
double Val(std::string_view text);

// True when the leading number of the text is past the range of a double
// ("1e999", "-1E400"), so that Val gave 0 for it.
bool Overflows(std::string_view text);

// A count or stage number typed as text: Val rounded to the nearest whole
// number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4). A value past the
// range of a long long gives 0 (never a wrapped count); windows check typed
// counts with ParseCount first.
long long ValCount(std::string_view text);
long long RoundHalfEven(double value);

// True when the whole text (blanks around it allowed) is one finite number.
bool IsNumeric(std::string_view text);

// Why a box's text gives no number a calculation may use.
enum class NumberProblem {
  None,        // the text is wholly one finite number (count: within its range)
  Blank,       // nothing but blanks
  NotNumber,   // "abc", "12abc", "1.2.3"
  Overflow,    // a number past the range of a double ("1e999")
  OutOfRange,  // a count outside the range it may take
};

// The number a box holds when the whole text (blanks around it allowed) is one
// finite number; otherwise the problem, and `value` is left alone.
NumberProblem ParseNumber(std::string_view text, double& value);
std::optional<double> ParseNumber(std::string_view text);

// A count typed as text (stages, atoms, an index): wholly a number, rounded to
// the nearest whole number (halves to even) and within lo..hi. The range is
// checked on the number before it is converted, so "4294967297" or "3e9" is
// refused, never wrapped.
NumberProblem ParseCount(std::string_view text, long long lo, long long hi, long long& value);

// The message for a refused box, naming the field, in the language of the
// shared texts: "「温度」の「abc」は数値ではありません。" / "Temperature: "abc" is not a
// number." For OutOfRange the range lo..hi is named.
std::string NumberProblemMessage(NumberProblem problem, std::string_view field, std::string_view text,
                                 long long lo = 0, long long hi = 0);

// The number text shortened until `fits` accepts it, for a narrow column: fewer
// decimals while at least three significant digits stay, else the exponent form
// with fewer mantissa digits ("3.1656E-06" -> "3.17E-06"). An exponent is never
// dropped. Text that fits, and text that is no number, is returned as it is.
std::string FitNumber(std::string_view text, const std::function<bool(std::string_view)>& fits);

// Whether the texts of the shared readers and controls speak English (else
// Japanese, also while unset). The program points this at its language flag.
bool EnglishMessages();
void SetMessageLanguage(bool (*english)());

}  // namespace txt
