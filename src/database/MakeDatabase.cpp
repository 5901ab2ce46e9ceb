// Builds the shipped component property database from the CSV tables:
//   vz_make_database <database file> <registration date YYYY-MM-DD> <CSV folder>
// Each table comes from "<folder>/<table name>.csv" (UTF-8, or the Japanese
// code page); its header names the columns (any order, each once, letter case
// ignored; Date_Create may be left out and then gets the date). A fault ends
// the build with its file and a non-zero exit status.
// The file is built beside the target and renamed over it only when complete.
#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "database/CsvTable.h"
#include "database/PropertyDb.h"
#include "platform/text/NumberText.h"

namespace {

int Fail(const std::string& text) {
  std::fprintf(stderr, "vz_make_database: %s\n", text.c_str());
  return 1;
}

std::string Read_File(const std::filesystem::path& path, bool& ok) {
  std::ifstream in(path, std::ios::binary);
  ok = static_cast<bool>(in);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  txt::SetMessageLanguage([] { return true; });  // a build tool: its messages are English
  if (argc != 4) return Fail("usage: vz_make_database <database> <date> <csv folder>");
  const std::filesystem::path target = argv[1];
  const std::string date = argv[2];
  const std::filesystem::path folder = argv[3];
  const std::filesystem::path scratch = target.string() + ".building";
  std::error_code ec;
  std::filesystem::remove(scratch, ec);

  if (auto s = vzdb::Create_Database_File(scratch.string()); !s.Ok()) return Fail(s.detail);
  {
    vzdb::PropertyDb db(scratch.string());
    if (!db.Ok()) return Fail(db.Open_Status().detail);
    db.Begin_Batch();
    for (const vzdb::TableSpec& table : vzdb::All_Tables()) {
      const auto file = folder / (table.name + ".csv");
      bool ok = false;
      const std::string text = Read_File(file, ok);
      if (!ok) return Fail("cannot read " + file.string());
      const vzdb::CsvTable csv = vzdb::Read_Csv_Bytes(text);
      if (!csv.error.empty()) return Fail(file.string() + ": " + csv.error);
      if (const std::string fault = vzdb::Csv_Header_Fault(table, csv.header); !fault.empty())
        return Fail(file.string() + ": " + fault);
      const bool has_date = std::any_of(csv.header.begin(), csv.header.end(), [](const std::string& h) {
        return vzdb::Same_Name_Nocase(h, "Date_Create");
      });
      std::size_t line = 1;
      for (const auto& fields : csv.rows) {
        ++line;
        vzdb::Record row;
        for (std::size_t i = 0; i < fields.size(); ++i)
          row.Set(csv.header[i], fields[i].empty() ? vzdb::Value::Null() : vzdb::Value::Of(fields[i]));
        if (!has_date) row.Set("Date_Create", date);
        if (auto s = db.Add_Row(table, row); !s.Ok())
          return Fail(file.string() + " record " + std::to_string(line) + ": " + s.detail);
      }
      std::printf("%s: %zu rows\n", table.name.c_str(), csv.rows.size());
    }
    if (auto s = db.Commit_Batch(); !s.Ok()) return Fail(s.detail);
  }
  std::filesystem::rename(scratch, target, ec);
  if (ec) return Fail("cannot rename to " + target.string() + ": " + ec.message());
  return 0;
}
