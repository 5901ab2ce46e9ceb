// Comma-separated tables (RFC 4180: fields with commas or quotes in double
// quotes, a doubled quote inside them), the form of the shipped data files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vzdb {

struct CsvTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;  // each as long as the header
  std::string error;                           // empty when the text was read
};

// Parses CSV text; line ends CR LF or LF; a trailing empty line is ignored.
// A row with another number of fields than the header is an error naming its line.
CsvTable Parse_Csv(std::string_view text);

}  // namespace vzdb
