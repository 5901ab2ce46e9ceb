// The nine tables of the component property database: their names, their
// columns in stored order and the kind of value each column holds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vzdb {

// Kind of value a column holds. Every column may also be null.
enum class ColType {
  Text,     // text, compared without regard to letter case
  Number,   // floating-point number
  Integer,  // whole number (Index, Equation Type)
  Date,     // date and time, stored as "YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS"
};

struct ColumnSpec {
  std::string name;  // as the table stores it, blanks and hyphens included
  ColType type;
};

struct TableSpec {
  std::string name;  // as the database stores it ("Wilson Parameter")
  bool pair;         // true for the binary-parameter tables (Name1, Name2)
  std::vector<ColumnSpec> columns;
};

// The nine tables in the order the browsers show them: six pure-component
// tables, then the three pair tables.
const std::vector<TableSpec>& All_Tables();

// The table of that name (letter case ignored), or nullptr.
const TableSpec* Find_Table(std::string_view name);

// The column of that name (letter case ignored), or nullptr.
const ColumnSpec* Find_Column(const TableSpec& table, std::string_view name);

// Table and column names as written in SQL: "[Wilson Parameter]".
std::string Quoted_Name(std::string_view name);

// CREATE TABLE text of one table. Text columns compare without regard to
// letter case; number, whole-number and date columns refuse other values.
std::string Create_Table_Sql(const TableSpec& table);

// True when the two names are equal apart from ASCII letter case.
bool Same_Name_Nocase(std::string_view a, std::string_view b);

}  // namespace vzdb
