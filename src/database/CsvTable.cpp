#include "database/CsvTable.h"

#include "platform/text/SeqFile.h"

namespace vzdb {

CsvTable Parse_Csv(std::string_view text) {
  CsvTable table;
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::string field;
  bool quoted = false, field_started = false;
  int line = 1, record_line = 1;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // UTF-8 byte-order mark
  auto end_record = [&] {
    record.push_back(std::move(field));
    field.clear();
    records.push_back(std::move(record));
    record.clear();
    field_started = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        if (c == '\n') ++line;
        field += c;
      }
      continue;
    }
    if (c == '"' && !field_started) {
      quoted = field_started = true;
    } else if (c == ',') {
      record.push_back(std::move(field));
      field.clear();
      field_started = false;
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      // the LF ends the record
    } else if (c == '\n') {
      end_record();
      record_line = ++line;
    } else {
      field += c;
      field_started = true;
    }
  }
  if (quoted) {
    table.error = "line " + std::to_string(record_line) + ": quoted field not closed";
    return table;
  }
  if (field_started || !record.empty() || !field.empty()) end_record();
  if (records.empty()) {
    table.error = "no header";
    return table;
  }
  table.header = std::move(records.front());
  for (std::size_t r = 1; r < records.size(); ++r) {
    if (records[r].size() != table.header.size()) {
      table.error = "record " + std::to_string(r + 1) + ": " + std::to_string(records[r].size()) +
                    " fields, header has " + std::to_string(table.header.size());
      table.rows.clear();
      return table;
    }
    table.rows.push_back(std::move(records[r]));
  }
  return table;
}

CsvTable Read_Csv_Bytes(std::string_view bytes) {
  std::string text;
  try {
    text = seqfile::DecodeFileText(bytes);
  } catch (const seqfile::ReadError& e) {
    CsvTable table;
    table.error = e.what();
    return table;
  }
  return Parse_Csv(text);
}

std::string Csv_Header_Fault(const TableSpec& table, const std::vector<std::string>& header) {
  for (std::size_t i = 0; i < header.size(); ++i) {
    if (!Find_Column(table, header[i])) return "unknown column \"" + header[i] + "\"";
    // Two fields for one column: one would overwrite the other in every row.
    for (std::size_t k = 0; k < i; ++k)
      if (Same_Name_Nocase(header[k], header[i]))
        return "column \"" + header[i] + "\" named twice (fields " + std::to_string(k + 1) + " and " +
               std::to_string(i + 1) + (header[k] == header[i] ? "" : ", as \"" + header[k] + "\"") + ")";
  }
  return {};
}

}  // namespace vzdb
