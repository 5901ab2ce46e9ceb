// Comma-separated tables (RFC 4180: fields with commas or quotes in double
// quotes, a doubled quote inside them), the form of the shipped data files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "database/DbSchema.h"

namespace vzdb {

struct CsvTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;  // each as long as the header
  std::string error;                           // empty when the text was read
};

// Parses CSV text; line ends CR LF or LF; a trailing empty line is ignored.
// A row with another number of fields than the header is an error naming its line.
CsvTable Parse_Csv(std::string_view text);

// Parses the bytes of a table file, decoded as the case files are: UTF-8, or
// text of the Japanese Windows code page; text that is neither (or UTF-8 with a
// stray byte) is an error naming its line, never stored garbled.
CsvTable Read_Csv_Bytes(std::string_view bytes);

// Why the header cannot name the columns of `table`: a column the table does
// not have, or one named twice (names match without regard to letter case,
// so "Name" and "NAME" are the same column); empty when it can.
std::string Csv_Header_Fault(const TableSpec& table, const std::vector<std::string>& header);

}  // namespace vzdb
