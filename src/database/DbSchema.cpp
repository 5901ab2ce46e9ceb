#include "database/DbSchema.h"

#include <cctype>

namespace vzdb {

namespace {

using enum ColType;

std::vector<TableSpec> MakeTables() {
  const ColumnSpec memo{"Memo", Text}, date{"Date_Create", Date};
  const ColumnSpec formula{"Formula", Text}, name{"Name", Text}, index{"Index", Integer};
  const ColumnSpec tl{"TL", Number}, tu{"TU", Number};
  const ColumnSpec f1{"Formula1", Text}, n1{"Name1", Text}, f2{"Formula2", Text}, n2{"Name2", Text};
  const ColumnSpec temp{"Temp", Number}, press{"Press", Number};
  return {
      {"CriticalConstant", false,
       {formula, name, {"Name-1", Text}, index, {"MW", Number}, {"Tm", Number}, {"Tb", Number},
        {"Tc", Number}, {"Pc", Number}, {"Vc", Number}, {"Zc", Number}, {"OMG", Number},
        {"Dp", Number}, memo, {"No", Text}, date}},
      {"AntoineConstant", false,
       {formula, name, index, {"Equation Type", Integer}, {"An", Number}, {"Bn", Number},
        {"Cn", Number}, tl, tu, memo, date}},
      {"HeatCapacity", false,
       {formula, name, index, {"CpA", Number}, {"CpB", Number}, {"CpC", Number}, {"CpD", Number},
        tl, tu, memo, date}},
      {"LiquidDensity", false,
       {formula, name, index, {"LiqDen", Number}, {"TDen", Number}, memo, date}},
      {"Rk_Parameter", false, {formula, name, index, {"R", Number}, {"k", Number}, date}},
      {"EnthalpyCoefficent", false,
       {formula, name, index, {"AHV", Number}, {"BHV", Number}, {"CHV", Number}, {"AHL", Number},
        {"BHL", Number}, {"CHL", Number}, tl, tu, memo, date}},
      {"Wilson Parameter", true,
       {f1, n1, f2, n2, index, {"Lambda12", Number}, {"Lambda21", Number}, temp, press, memo, date}},
      {"NRTL Parameter", true,
       {f1, n1, f2, n2, index, {"Tau12", Number}, {"Tau21", Number}, {"Alpha", Number}, temp, press,
        memo, date}},
      {"Kij Parameter", true, {f1, n1, f2, n2, index, {"Kij", Number}, temp, press, memo, date}},
  };
}

}  // namespace

const std::vector<TableSpec>& All_Tables() {
  static const std::vector<TableSpec> tables = MakeTables();
  return tables;
}

bool Same_Name_Nocase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

const TableSpec* Find_Table(std::string_view name) {
  for (const TableSpec& t : All_Tables())
    if (Same_Name_Nocase(t.name, name)) return &t;
  return nullptr;
}

const ColumnSpec* Find_Column(const TableSpec& table, std::string_view name) {
  for (const ColumnSpec& c : table.columns)
    if (Same_Name_Nocase(c.name, name)) return &c;
  return nullptr;
}

std::string Quoted_Name(std::string_view name) { return "[" + std::string(name) + "]"; }

std::string Create_Table_Sql(const TableSpec& table) {
  std::string sql = "CREATE TABLE " + Quoted_Name(table.name) + " (";
  bool first = true;
  for (const ColumnSpec& c : table.columns) {
    if (!first) sql += ", ";
    first = false;
    const std::string q = Quoted_Name(c.name);
    sql += q;
    // The checks make the file refuse what the program would otherwise read
    // back as a wrong number: SQLite itself would keep letters in a number column.
    switch (c.type) {
      case ColType::Text:
        sql += " TEXT COLLATE NOCASE";
        break;
      case ColType::Number:
        sql += " REAL CHECK (" + q + " IS NULL OR typeof(" + q + ") IN ('real', 'integer'))";
        break;
      case ColType::Integer:
        sql += " INTEGER CHECK (" + q + " IS NULL OR typeof(" + q + ") = 'integer')";
        break;
      case ColType::Date:
        sql += " TEXT CHECK (" + q + " IS NULL OR datetime(" + q + ") IS NOT NULL)";
        break;
    }
  }
  sql += ")";
  return sql;
}

}  // namespace vzdb
