// Number texts: what parses is finite and reads back from its written form,
// the written form of any double reads back on the same side of every bound a
// reader holds it to, and counts stay in their range.
#include <cmath>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"

namespace {

// Writes `v` as a case file writes a number and reads it back as the readers do.
void WriteAndRead(double v) {
  if (!std::isfinite(v)) return;
  seqfile::Writer w;
  w.Num(v).EndRecord();
  seqfile::Reader r;
  r.OpenText(w.Content());
  double back = 0;
  try {
    back = r.Double();
  } catch (const seqfile::ReadError&) {
    // Only the numbers next to the largest double, which 15 digits carry past it.
    fuzz::Require(std::fabs(v) >= 1.79769313486231e308, "a finite number written reads back", w.Content());
    return;
  }
  fuzz::Require(std::fabs(back - v) <= 1e-14 * std::fabs(v), "15 digits hold the value", w.Content());
  for (int unit = 1; unit <= 3; ++unit)
    fuzz::Require(seqfile::AboveAbsoluteZero(v, unit) == seqfile::AboveAbsoluteZero(back, unit),
                  "a temperature reads back on its side of absolute zero", w.Content());
  fuzz::Require((v > 0) == (back > 0) && (v >= 0) == (back >= 0) && (v <= 1) == (back <= 1),
                "a number reads back on its side of 0 and 1", w.Content());
  const std::string exact = txt::PlainExact(v);
  double e = 0;
  fuzz::Require(txt::ParseNumber(exact, e) == txt::NumberProblem::None && e == v, "the exact form is exact", exact);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(fuzz::Bytes(data, size).substr(0, 256));
  double v = 0;
  const txt::NumberProblem problem = txt::ParseNumber(text, v);
  if (problem == txt::NumberProblem::None) {
    fuzz::Require(std::isfinite(v), "a parsed number is finite", text);
    fuzz::Require(txt::IsNumeric(text), "a parsed number is numeric", text);
    WriteAndRead(v);
    (void)txt::Format(v, "###0.0000");
    (void)txt::Signed(v);
    // Next to the largest double the 15-digit form is past it: no number to shorten.
    if (const std::string plain = txt::Plain(v); txt::IsNumeric(plain)) {
      const std::string fitted = txt::FitNumber(plain, [](std::string_view s) { return s.size() <= 8; });
      fuzz::Require(txt::IsNumeric(fitted), "a number shortened for a column is a number", fitted);
    }
  } else {
    fuzz::Require(!txt::IsNumeric(text), "a refused text is no number", text);
  }
  fuzz::Require(std::isfinite(txt::Val(text)), "Val is finite", text);
  fuzz::Require((problem == txt::NumberProblem::Overflow) <= txt::Overflows(text), "an overflow is seen as one", text);
  long long count = 0;
  if (txt::ParseCount(text, -5, 2147483647LL, count) == txt::NumberProblem::None)
    fuzz::Require(count >= -5 && count <= 2147483647LL, "a count is in its range", text);
  (void)txt::ValCount(text);
  // The bytes as doubles, so that every bit pattern is written and read back.
  for (std::size_t at = 0; at + sizeof(double) <= size; at += sizeof(double)) {
    double raw = 0;
    std::memcpy(&raw, data + at, sizeof raw);
    WriteAndRead(raw);
    WriteAndRead(std::nextafter(-273.15, raw));
    WriteAndRead(std::nextafter(-459.67, raw));
  }
  return 0;
}
