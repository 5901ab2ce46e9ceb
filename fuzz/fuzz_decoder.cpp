// The decoder of case and table files: what it returns is UTF-8, UTF-8 comes
// back as it went in, and a file it reads in the code page only with a notice
// is refused by a caller that cannot show one.
#include <string>

#include "FuzzSupport.h"
#include "platform/text/SeqFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::Bytes(data, size);
  fuzz::SetLanguage(size % 2 == 0);
  std::string notice, text;
  bool read = true;
  try {
    text = seqfile::DecodeFileText(bytes, &notice);
  } catch (const seqfile::ReadError& e) {
    read = false;
    const std::string why = e.what();
    fuzz::Require(why.find("line ") == 0 || why.find(" 行目") != std::string::npos, "a refusal names the line", why);
    fuzz::Require(why.find("0x") != std::string::npos, "a refusal names the byte", why);
  }
  std::string_view body = bytes;
  if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
  if (fuzz::IsUtf8(body)) {
    fuzz::Require(read && text == body && notice.empty(), "UTF-8 is read as it is");
  }
  if (!read) return 0;
  fuzz::Require(fuzz::IsUtf8(text), "the decoded text is UTF-8", text);
  // Without a way to say how it read the file, the decoder refuses what it
  // read only with a notice, and reads the rest the same.
  bool readSilently = true;
  std::string again;
  try {
    again = seqfile::DecodeFileText(bytes);
  } catch (const seqfile::ReadError&) {
    readSilently = false;
  }
  fuzz::Require(readSilently == notice.empty(), "a notice where a silent read is refused");
  if (readSilently) fuzz::Require(again == text, "the same reading either way");
  return 0;
}
