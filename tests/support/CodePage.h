// Test files in the Japanese Windows code page, as the earlier Windows version
// of the programs wrote them.
#pragma once

#include <iconv.h>

#include <stdexcept>
#include <string>

namespace testfile {

// `utf8` converted to the code page (CP932); throws when a character has no
// place there.
inline std::string ToCp932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
  std::string out(utf8.size() + 16, '\0');
  char* in = const_cast<char*>(utf8.data());
  char* dst = out.data();
  std::size_t inLeft = utf8.size(), outLeft = out.size();
  const bool ok = iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  if (!ok) throw std::runtime_error("not text of the code page: " + utf8.substr(0, 40));
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace testfile
