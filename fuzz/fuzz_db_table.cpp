// The comma-separated tables the database is built from: every row as long as
// the header, or an error naming the line.
#include "FuzzSupport.h"
#include "database/CsvTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::SetLanguage(size % 2 == 0);
  const vzdb::CsvTable table = vzdb::Read_Csv_Bytes(fuzz::Bytes(data, size));
  if (!table.error.empty()) return 0;
  for (const auto& row : table.rows) fuzz::Require(row.size() == table.header.size(), "rows as long as the header");
  return 0;
}
