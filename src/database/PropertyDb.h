// The component property database: an SQLite file opened through Qt SQL.
// Every value a user typed reaches the database as a bound parameter, never as
// SQL text. The header is free of Qt so that any library can use it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "database/DbSchema.h"

namespace vzdb {

// One cell: null or the text the database gives for it (numbers in the plain
// number-to-text form, "0.13032281", "5E-05").
struct Value {
  std::optional<std::string> text;

  static Value Null() { return {}; }
  static Value Of(std::string t) { return {std::move(t)}; }
  bool IsNull() const { return !text.has_value(); }
};

// One row of a table, read by column name (letter case ignored), never by position.
class Record {
 public:
  // SQLite row id of the row read; 0 for a row built in memory.
  long long RowId() const { return rowid_; }
  void SetRowId(long long id) { rowid_ = id; }

  // The value of a column; a null value when the row has no such column.
  const Value& Get(std::string_view column) const;
  // The text of a column, "" when null.
  std::string Text(std::string_view column) const;
  // The number of a column read as its leading number; nullopt when null.
  std::optional<double> Number(std::string_view column) const;
  // Sets (or adds) a column's value.
  void Set(std::string_view column, Value value);
  void Set(std::string_view column, std::string text) { Set(column, Value::Of(std::move(text))); }

  const std::vector<std::pair<std::string, Value>>& Fields() const { return fields_; }

 private:
  long long rowid_ = 0;
  std::vector<std::pair<std::string, Value>> fields_;
};

enum class DbError {
  None,
  Missing,        // no file at the path
  CannotOpen,     // the file is not a database the driver can read
  MissingTable,   // one of the nine tables is absent
  MissingColumn,  // a table lacks a column the program reads
  Query,          // a statement failed (the driver's text in detail)
  BadValue,       // a value that its column's type does not accept
  TooLong,        // a search text longer than any name (kMaxSearchChars)
};

// Longer search texts are refused with a message (no name comes near it).
inline constexpr std::size_t kMaxSearchChars = 255;

struct DbStatus {
  DbError code = DbError::None;
  std::string detail;  // table, column or the driver's error text
  bool Ok() const { return code == DbError::None; }
};

// The database beside the program: folder + "\Vadezid$.mdb" when that file
// exists, else the same with ".mde" (whether or not that one exists).
std::string Database_Path(const std::string& folder);

// The message a window shows for a failed status: names the file and says that
// the program goes on without the database. language: 0 Japanese, 1 English.
std::string Db_Error_Text(const DbStatus& status, const std::string& path, int language);

// Acentric factors a real substance may have.
inline constexpr double kMinAcentricFactor = -1.0;
inline constexpr double kMaxAcentricFactor = 3.0;

// Why a number may not be stored in a column, or empty when it may: the
// component data keep only physical values (CriticalConstant MW, Tb, Tc, Pc and
// Vc above 0, the acentric factor OMG within -1..3; a value that is not finite
// nowhere). The refusal names `field` (the column's heading where the user typed
// it) in the language of the messages.
std::string Physical_Value_Problem(const TableSpec& table, std::string_view column, double value,
                                   std::string_view field);

// The SQL LIKE pattern (escape character '\') of a search key typed by the user:
// '*' any run of characters, '?' one character; '%', '_' and '\' match themselves.
std::string Like_Pattern(std::string_view typed);

// Two NRTL alphas are the same data set's alpha when they differ by no more
// than round-off (a value kept in single precision included).
constexpr double kAlphaTolerance = 1e-6;

// One open connection to the database file. Each user action opens its own and
// closes it when done, so that no connection outlives the operation.
class PropertyDb {
 public:
  // Opens the file and checks that the nine tables and their columns are there.
  // A missing file is not created.
  explicit PropertyDb(std::string path);
  ~PropertyDb();
  PropertyDb(const PropertyDb&) = delete;
  PropertyDb& operator=(const PropertyDb&) = delete;

  bool Ok() const { return open_.Ok(); }
  // Status of the opening.
  const DbStatus& Open_Status() const { return open_; }
  // Status of the last query or write.
  const DbStatus& Last_Status() const { return last_; }
  const std::string& Path() const { return path_; }

  // Lookups of the pure-component tables: Name or Formula Like the key.
  std::vector<Record> Name_Search(const TableSpec& table, std::string_view key);
  // Lookups of the pair tables: the two names in either order (letter case ignored).
  std::vector<Record> Pair_Search(const TableSpec& table, std::string_view name1,
                                  std::string_view name2);
  // The NRTL lookup: as Pair_Search, only data sets whose Alpha is the case's
  // alpha within kAlphaTolerance.
  std::vector<Record> Pair_Search_Alpha(std::string_view name1, std::string_view name2,
                                        double alpha);
  // A lookup's OK: the first row with that Name and Index.
  std::optional<Record> Fetch(const TableSpec& table, std::string_view name, long long index);
  // A pair lookup's OK: the first row with that Name1, Name2 and Index.
  std::optional<Record> Fetch_Pair(const TableSpec& table, std::string_view name1,
                                   std::string_view name2, long long index);

  // One row by its row id (a browser reads back what it wrote).
  std::optional<Record> Fetch_Row(const TableSpec& table, long long rowid);

  // Browser listing: the whole table, ordered by Formula, Name (pure tables) or
  // Formula1, Name1, Formula2, Name2 (pair tables).
  std::vector<Record> Listing(const TableSpec& table);
  // Pure-component browser search: Name Like the key; the whole table for an empty key.
  std::vector<Record> Browser_Search(const TableSpec& table, std::string_view key);
  // Pair browser search by the texts of its two name boxes (empty = not given).
  // Wilson Parameter compares with Like, the NRTL and Kij tables with equality.
  std::vector<Record> Pair_Browser_Search(const TableSpec& table, std::string_view key1,
                                          std::string_view key2);

  // The data sets of one name (equal, letter case ignored), ordered by Index
  // (the Antoine and VLE parameter saves look for an existing set).
  std::vector<Record> Data_Sets(const TableSpec& table, std::string_view name);
  // True when a row of the table has a Name Like the given name.
  bool Name_Exists(const TableSpec& table, std::string_view name);
  // One above the highest Index stored for that name (equal, letter case
  // ignored), 0 when the name has no row.
  long long Next_Index(const TableSpec& table, std::string_view name);

  // Adds a row with the given columns (others null). Texts of number, whole-number
  // and date columns are converted; one that does not convert adds nothing and
  // gives BadValue naming the column. The new row id goes to *rowid.
  DbStatus Add_Row(const TableSpec& table, const Record& values, long long* rowid = nullptr);
  // Changes the given columns of one row.
  DbStatus Update_Row(const TableSpec& table, long long rowid, const Record& changes);
  // Deletes one row.
  DbStatus Delete_Row(const TableSpec& table, long long rowid);

  // Groups many writes into one transaction (the database maker).
  DbStatus Begin_Batch();
  DbStatus Commit_Batch();

 private:
  struct Bound;
  std::vector<Record> Select(const std::string& sql, const std::vector<Bound>& params);
  DbStatus Execute(const std::string& sql, const std::vector<Bound>& params,
                   long long* insertId);
  DbStatus Check_Schema();
  DbStatus Convert(const TableSpec& table, const Record& values, std::vector<std::string>& cols,
                   std::vector<Bound>& params) const;

  std::string path_;
  std::string connection_;
  DbStatus open_;
  DbStatus last_;
  std::vector<Record> Refuse_Search();  // a search text too long: nothing, and why
};

// Creates a new database file with the nine empty tables (the build's database
// maker and the tests; the program itself never creates or repairs a file).
DbStatus Create_Database_File(const std::string& path);

}  // namespace vzdb
