// Edits one field of a file the programs wrote, as the reader tests damage it.
#pragma once

#include <algorithm>
#include <string>

namespace testfile {

// Record `line` (1-based) of CR LF lines, field `field` (0-based) replaced by `to`.
inline std::string EditField(const std::string& text, int line, int field, const std::string& to) {
  std::size_t from = 0;
  for (int k = 1; k < line; ++k) from = text.find("\r\n", from) + 2;
  const std::size_t end = text.find("\r\n", from);
  std::string record = text.substr(from, end - from);
  std::size_t a = 0;
  for (int k = 0; k < field; ++k) a = record.find(',', a) + 1;
  const std::size_t b = std::min(record.find(',', a), record.size());
  record.replace(a, b - a, to);
  return text.substr(0, from) + record + text.substr(end);
}

}  // namespace testfile
