// The field reader on any text: no read past the end, the end-of-file mark and
// the end agree in every part of it, and the fields the layout checks count are
// the fields it reads.
#include <numeric>
#include <string>

#include "FuzzSupport.h"
#include "platform/text/SeqFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(fuzz::Bytes(data, size));
  fuzz::SetLanguage(true);
  seqfile::Reader r;
  try {
    r.OpenText(text);
  } catch (const seqfile::ReadError&) {
    return 0;  // binary content
  }
  // Every field to the end, as the case readers take them.
  const std::vector<int> perLine = seqfile::FieldsPerLine(text);
  const int counted = std::accumulate(perLine.begin(), perLine.end(), 0);
  int fields = 0;
  bool whole = true;
  while (!r.Eof()) {
    try {
      (void)r.Text();
      ++fields;
    } catch (const seqfile::ReadError& e) {
      const std::string why = e.what();
      fuzz::Require(why.find("ends before") == std::string::npos, "a reader not at the end has a field", why);
      whole = false;
      break;
    }
    fuzz::Require(r.Loc() <= text.size(), "the reader stays within the text");
  }
  if (whole) {
    fuzz::Require(fields == counted, "the layout count is the reader's count", text);
    bool threw = false;
    try {
      (void)r.Text();
    } catch (const seqfile::ReadError&) {
      threw = true;
    }
    fuzz::Require(threw, "at the end no field is left");
  }
  // Mixed reads from the start, steered by the text's own bytes.
  r.Seek(0);
  for (std::size_t step = 0; step < 64 && !text.empty(); ++step) {
    const unsigned op = static_cast<unsigned char>(text[step % text.size()]) % 5;
    try {
      switch (op) {
        case 0: (void)r.Double(); break;
        case 1: (void)r.Int(); break;
        case 2: (void)r.LineInput(); break;
        case 3: (void)r.Text(); break;
        default: r.Seek(static_cast<unsigned char>(text[(step * 7) % text.size()]) * step % (text.size() + 2)); break;
      }
    } catch (const seqfile::ReadError&) {
    }
    fuzz::Require(r.Line() >= 1 && r.FieldLine() >= 1, "lines count from 1");
  }
  return 0;
}
