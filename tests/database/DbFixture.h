// A small database in a scratch folder, built through the library's own writer.
#pragma once

#include <filesystem>
#include <string>

#include "database/PropertyDb.h"

namespace vzdb::test {

class ScratchDb {
 public:
  // An empty database with the nine tables.
  ScratchDb();
  ~ScratchDb();
  const std::string& Path() const { return path_; }
  const std::filesystem::path& Folder() const { return folder_; }
  // Fills the rows the tests search: a few components, reversed pairs, odd names.
  void Fill();

 private:
  std::filesystem::path folder_;
  std::string path_;
};

// Adds a row given as alternating column names and texts ("" = null).
void Add(PropertyDb& db, const char* table, std::initializer_list<const char*> pairs);

const TableSpec& T(const char* name);

}  // namespace vzdb::test
