#include "database/PropertyDb.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

#include <atomic>
#include <cmath>
#include <filesystem>

#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"

namespace vzdb {

// One bound parameter of a statement.
struct PropertyDb::Bound {
  QVariant value;
};

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

std::string U(const QString& s) { return s.toStdString(); }

std::string Columns_Of(const TableSpec& t) { return Quoted_Name(t.name) + ".*"; }

std::string Select_From(const TableSpec& t) {
  return "SELECT rowid AS vz_rowid, " + Columns_Of(t) + " FROM " + Quoted_Name(t.name);
}

// A cell as text: numbers in the plain form, so that what the grids show and
// what the lookups copy read back to the stored value.
Value Cell_Value(const QVariant& v) {
  if (v.isNull()) return Value::Null();
  switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
      return Value::Of(txt::Plain(v.toDouble()));
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
      return Value::Of(txt::Plain(v.toLongLong()));
    default:
      return Value::Of(U(v.toString()));
  }
}

bool Is_Blank(std::string_view s) { return s.find_first_not_of(" \t") == std::string_view::npos; }

// A date as the user may type it ("2004/02/24", "2004-02-24 10:30"); empty when
// it is no date.
std::string Normalised_Date(std::string_view typed) {
  QString t = Q(typed).trimmed();
  t.replace(QLatin1Char('/'), QLatin1Char('-'));
  for (const char* fmt : {"yyyy-M-d", "yyyy-M-d H:mm", "yyyy-M-d H:mm:ss", "yyyy-M-dTH:mm:ss"}) {
    const QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(fmt));
    if (dt.isValid()) {
      if (dt.time() == QTime(0, 0)) return U(dt.date().toString(Qt::ISODate));
      return U(dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
  }
  return {};
}

std::atomic<int> g_connection_count{0};

// Characters (not bytes) of a UTF-8 text.
bool Too_Long(std::string_view key) {
  std::size_t chars = 0;
  for (char c : key)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;
  return chars > kMaxSearchChars;
}

}  // namespace

// ---------------------------------------------------------------- Record

const Value& Record::Get(std::string_view column) const {
  static const Value null_value;
  for (const auto& [name, value] : fields_)
    if (Same_Name_Nocase(name, column)) return value;
  return null_value;
}

std::string Record::Text(std::string_view column) const {
  const Value& v = Get(column);
  return v.text ? *v.text : std::string();
}

std::optional<double> Record::Number(std::string_view column) const {
  const Value& v = Get(column);
  if (v.IsNull()) return std::nullopt;
  return txt::Val(*v.text);
}

void Record::Set(std::string_view column, Value value) {
  for (auto& [name, v] : fields_) {
    if (Same_Name_Nocase(name, column)) {
      v = std::move(value);
      return;
    }
  }
  fields_.emplace_back(std::string(column), std::move(value));
}

// ---------------------------------------------------------------- free functions

std::string Database_Path(const std::string& folder) {
  const std::string mdb = seqfile::JoinPath(folder, "\\Vadezid$.mdb");
  if (seqfile::FileExists(mdb)) return mdb;
  return seqfile::JoinPath(folder, "\\Vadezid$.mde");
}

std::string Like_Pattern(std::string_view typed) {
  std::string out;
  out.reserve(typed.size() + 4);
  for (char c : typed) {
    switch (c) {
      case '*': out += '%'; break;
      case '?': out += '_'; break;
      case '%': out += "\\%"; break;
      case '_': out += "\\_"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Db_Error_Text(const DbStatus& status, const std::string& path, int language) {
  const bool en = language == 1;
  const std::string goes_on =
      en ? "The program goes on without the database." : "データベースなしで続けます。";
  switch (status.code) {
    case DbError::None:
      return {};
    case DbError::Missing:
      return (en ? "The database file does not exist: " : "データベースファイルがありません: ") +
             path + "\n" + goes_on;
    case DbError::CannotOpen:
      return (en ? "Cannot open the database: " : "データベースを開けません: ") + path + "\n" +
             status.detail + "\n" + goes_on;
    case DbError::MissingTable:
      return (en ? "The database " + path + " has no table [" + status.detail + "]."
                 : "データベース " + path + " にテーブル [" + status.detail + "] がありません。") +
             "\n" + goes_on;
    case DbError::MissingColumn:
      return (en ? "The database " + path + " has no column " + status.detail + "."
                 : "データベース " + path + " に列 " + status.detail + " がありません。") +
             "\n" + goes_on;
    case DbError::Query:
      return (en ? "Database error (" : "データベースエラー (") + path + "):\n" + status.detail;
    case DbError::BadValue:
      return (en ? "Not a valid value: " : "入力できない値です: ") + status.detail;
    case DbError::TooLong:
      return en ? "The search text is too long (at most " + std::to_string(kMaxSearchChars) + " characters)."
                : "検索する文字列が長すぎます（" + std::to_string(kMaxSearchChars) + " 文字まで）。";
  }
  return {};
}

// ---------------------------------------------------------------- PropertyDb

PropertyDb::PropertyDb(std::string path) : path_(std::move(path)) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path_, ec)) {
    open_ = {DbError::Missing, path_};
    return;
  }
  connection_ = "vz_property_db_" + std::to_string(++g_connection_count);
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Q(connection_));
  db.setDatabaseName(Q(path_));
  db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
  if (!db.open()) {
    open_ = {DbError::CannotOpen, U(db.lastError().text())};
    return;
  }
  open_ = Check_Schema();
}

PropertyDb::~PropertyDb() {
  if (connection_.empty()) return;
  {
    QSqlDatabase db = QSqlDatabase::database(Q(connection_), false);
    if (db.isOpen()) db.close();
  }
  QSqlDatabase::removeDatabase(Q(connection_));
}

DbStatus PropertyDb::Check_Schema() {
  QSqlDatabase db = QSqlDatabase::database(Q(connection_), false);
  for (const TableSpec& t : All_Tables()) {
    QSqlQuery q(db);
    if (!q.exec(Q("PRAGMA table_info(" + Quoted_Name(t.name) + ")"))) {
      // A file that is not SQLite fails at its first statement.
      return {DbError::CannotOpen, U(q.lastError().text())};
    }
    std::vector<std::string> present;
    while (q.next()) present.push_back(U(q.value(QStringLiteral("name")).toString()));
    if (present.empty()) return {DbError::MissingTable, t.name};
    for (const ColumnSpec& c : t.columns) {
      bool found = false;
      for (const std::string& p : present) found = found || Same_Name_Nocase(p, c.name);
      if (!found) return {DbError::MissingColumn, Quoted_Name(t.name) + "." + Quoted_Name(c.name)};
    }
  }
  return {};
}

std::vector<Record> PropertyDb::Select(const std::string& sql, const std::vector<Bound>& params) {
  std::vector<Record> rows;
  if (!Ok()) {
    last_ = open_;
    return rows;
  }
  QSqlQuery q(QSqlDatabase::database(Q(connection_), false));
  q.setForwardOnly(true);
  if (!q.prepare(Q(sql))) {
    last_ = {DbError::Query, U(q.lastError().text())};
    return rows;
  }
  for (const Bound& b : params) q.addBindValue(b.value);
  if (!q.exec()) {
    last_ = {DbError::Query, U(q.lastError().text())};
    return rows;
  }
  const QSqlRecord shape = q.record();
  while (q.next()) {
    Record r;
    for (int i = 0; i < shape.count(); ++i) {
      const QString name = shape.fieldName(i);
      if (name == QLatin1String("vz_rowid"))
        r.SetRowId(q.value(i).toLongLong());
      else
        r.Set(U(name), Cell_Value(q.value(i)));
    }
    rows.push_back(std::move(r));
  }
  last_ = {};
  return rows;
}

DbStatus PropertyDb::Execute(const std::string& sql, const std::vector<Bound>& params,
                             long long* insertId) {
  if (!Ok()) return last_ = open_;
  QSqlQuery q(QSqlDatabase::database(Q(connection_), false));
  if (!q.prepare(Q(sql))) return last_ = {DbError::Query, U(q.lastError().text())};
  for (const Bound& b : params) q.addBindValue(b.value);
  if (!q.exec()) return last_ = {DbError::Query, U(q.lastError().text())};
  if (insertId) *insertId = q.lastInsertId().toLongLong();
  return last_ = {};
}

std::vector<Record> PropertyDb::Refuse_Search() {
  last_ = {DbError::TooLong, ""};
  return {};
}

std::vector<Record> PropertyDb::Name_Search(const TableSpec& table, std::string_view key) {
  if (Too_Long(key)) return Refuse_Search();
  const std::string pattern = Like_Pattern(key);
  const std::string t = Quoted_Name(table.name);
  return Select(Select_From(table) + " WHERE " + t + ".[Name] LIKE ? ESCAPE '\\' OR " + t +
                    ".[Formula] LIKE ? ESCAPE '\\'",
                {{Q(pattern)}, {Q(pattern)}});
}

std::vector<Record> PropertyDb::Pair_Search(const TableSpec& table, std::string_view name1,
                                            std::string_view name2) {
  return Select(Select_From(table) +
                    " WHERE ([Name1] = ? AND [Name2] = ?) OR ([Name2] = ? AND [Name1] = ?)",
                {{Q(name1)}, {Q(name2)}, {Q(name1)}, {Q(name2)}});
}

std::vector<Record> PropertyDb::Pair_Search_Alpha(std::string_view name1, std::string_view name2,
                                                  double alpha) {
  const TableSpec& table = *Find_Table("NRTL Parameter");
  return Select(Select_From(table) +
                    " WHERE (([Name1] = ? AND [Name2] = ?) OR ([Name2] = ? AND [Name1] = ?))"
                    " AND abs([Alpha] - ?) <= ?",
                {{Q(name1)}, {Q(name2)}, {Q(name1)}, {Q(name2)}, {alpha},
                 {kAlphaTolerance * std::max(1.0, std::fabs(alpha))}});
}

std::optional<Record> PropertyDb::Fetch(const TableSpec& table, std::string_view name,
                                        long long index) {
  auto rows = Select(Select_From(table) + " WHERE [Name] = ? AND [Index] = ? ORDER BY rowid LIMIT 1",
                     {{Q(name)}, {QVariant::fromValue(static_cast<qlonglong>(index))}});
  if (rows.empty()) return std::nullopt;
  return std::move(rows.front());
}

std::optional<Record> PropertyDb::Fetch_Pair(const TableSpec& table, std::string_view name1,
                                             std::string_view name2, long long index) {
  auto rows = Select(Select_From(table) +
                         " WHERE [Name1] = ? AND [Name2] = ? AND [Index] = ? ORDER BY rowid LIMIT 1",
                     {{Q(name1)}, {Q(name2)}, {QVariant::fromValue(static_cast<qlonglong>(index))}});
  if (rows.empty()) return std::nullopt;
  return std::move(rows.front());
}

std::optional<Record> PropertyDb::Fetch_Row(const TableSpec& table, long long rowid) {
  auto rows = Select(Select_From(table) + " WHERE rowid = ?",
                     {{QVariant::fromValue(static_cast<qlonglong>(rowid))}});
  if (rows.empty()) return std::nullopt;
  return std::move(rows.front());
}

std::vector<Record> PropertyDb::Listing(const TableSpec& table) {
  const char* order = table.pair ? " ORDER BY [Formula1], [Name1], [Formula2], [Name2], rowid"
                                 : " ORDER BY [Formula], [Name], rowid";
  return Select(Select_From(table) + order, {});
}

std::vector<Record> PropertyDb::Browser_Search(const TableSpec& table, std::string_view key) {
  if (Too_Long(key)) return Refuse_Search();
  if (key.empty()) return Select(Select_From(table), {});
  return Select(Select_From(table) + " WHERE [Name] LIKE ? ESCAPE '\\'", {{Q(Like_Pattern(key))}});
}

std::vector<Record> PropertyDb::Pair_Browser_Search(const TableSpec& table, std::string_view key1,
                                                    std::string_view key2) {
  if (Too_Long(key1) || Too_Long(key2)) return Refuse_Search();
  // The Wilson table takes patterns; the NRTL and Kij tables compare whole names.
  const bool like = Same_Name_Nocase(table.name, "Wilson Parameter");
  const std::string cmp = like ? " LIKE ? ESCAPE '\\'" : " = ?";
  auto key = [&](std::string_view k) { return Bound{Q(like ? Like_Pattern(k) : std::string(k))}; };
  if (!key1.empty() && !key2.empty()) {
    return Select(Select_From(table) + " WHERE ([Name1]" + cmp + " AND [Name2]" + cmp +
                      ") OR ([Name2]" + cmp + " AND [Name1]" + cmp + ")",
                  {key(key2), key(key1), key(key2), key(key1)});
  }
  if (key1.empty() && key2.empty()) return Select(Select_From(table), {});
  const std::string_view k = key1.empty() ? key2 : key1;
  return Select(Select_From(table) + " WHERE [Name1]" + cmp + " OR [Name2]" + cmp,
                {key(k), key(k)});
}

std::vector<Record> PropertyDb::Data_Sets(const TableSpec& table, std::string_view name) {
  return Select(Select_From(table) + " WHERE [Name] = ? ORDER BY [Index], rowid", {{Q(name)}});
}

bool PropertyDb::Name_Exists(const TableSpec& table, std::string_view name) {
  return !Select("SELECT rowid AS vz_rowid FROM " + Quoted_Name(table.name) +
                     " WHERE [Name] LIKE ? ESCAPE '\\' LIMIT 1",
                 {{Q(Like_Pattern(name))}})
              .empty();
}

long long PropertyDb::Next_Index(const TableSpec& table, std::string_view name) {
  auto rows = Select("SELECT max([Index]) AS [Top] FROM " + Quoted_Name(table.name) +
                         " WHERE [Name] = ?",
                     {{Q(name)}});
  if (rows.empty()) return 0;
  const auto top = rows.front().Number("Top");
  return top ? static_cast<long long>(*top) + 1 : 0;
}

std::string Physical_Value_Problem(const TableSpec& table, std::string_view column, double value,
                                   std::string_view field) {
  const bool en = txt::EnglishMessages();
  const std::string f(field);
  const std::string shown = txt::Plain(value);
  if (!std::isfinite(value))
    return en ? f + ": \"" + shown + "\" is not a finite number." : "「" + f + "」の値が有限の数ではありません。";
  if (!Same_Name_Nocase(table.name, "CriticalConstant")) return {};
  // Positive by nature: molecular weight, boiling point and critical constants in K, bar, cm3/mol.
  for (const char* positive : {"MW", "Tb", "Tc", "Pc", "Vc"})
    if (Same_Name_Nocase(column, positive) && !(value > 0))
      return en ? f + ": " + shown + " is no physical value; enter a value greater than 0."
                : "「" + f + "」の " + shown + " は物理的にありえない値です。0より大きい値を入力してください。";
  if (Same_Name_Nocase(column, "OMG") && !(value >= kMinAcentricFactor && value <= kMaxAcentricFactor))
    return en ? f + ": " + shown + " is no physical acentric factor; enter a value from -1 to 3."
              : "「" + f + "」の " + shown + " は物理的にありえない偏心因子です。-1 から 3 までの値を入力してください。";
  return {};
}

DbStatus PropertyDb::Convert(const TableSpec& table, const Record& values,
                             std::vector<std::string>& cols, std::vector<Bound>& params) const {
  for (const auto& field : values.Fields()) {
    const auto& name = field.first;
    const auto& value = field.second;
    const ColumnSpec* col = Find_Column(table, name);
    if (!col) return {DbError::BadValue, Quoted_Name(table.name) + " has no column " + Quoted_Name(name)};
    cols.push_back(Quoted_Name(col->name));
    const auto bad = [&] {
      return DbStatus{DbError::BadValue, Quoted_Name(col->name) + " \"" + *value.text + "\""};
    };
    if (value.IsNull() || (col->type != ColType::Text && Is_Blank(*value.text))) {
      params.push_back({QVariant()});
      continue;
    }
    const std::string& text = *value.text;
    switch (col->type) {
      case ColType::Text:
        params.push_back({Q(text)});
        break;
      case ColType::Number: {
        if (!txt::IsNumeric(text)) return bad();
        const double v = txt::Val(text);
        if (std::string why = Physical_Value_Problem(table, col->name, v, col->name); !why.empty())
          return {DbError::BadValue, why};
        params.push_back({v});
        break;
      }
      case ColType::Integer: {
        if (!txt::IsNumeric(text)) return bad();
        const double v = txt::Val(text);
        if (v != std::floor(v) || std::fabs(v) > 9e15) return bad();
        params.push_back({QVariant::fromValue(static_cast<qlonglong>(v))});
        break;
      }
      case ColType::Date: {
        const std::string d = Normalised_Date(text);
        if (d.empty()) return bad();
        params.push_back({Q(d)});
        break;
      }
    }
  }
  return {};
}

DbStatus PropertyDb::Add_Row(const TableSpec& table, const Record& values, long long* rowid) {
  std::vector<std::string> cols;
  std::vector<Bound> params;
  if (DbStatus s = Convert(table, values, cols, params); !s.Ok()) return last_ = s;
  std::string sql = "INSERT INTO " + Quoted_Name(table.name);
  if (cols.empty()) {
    sql += " DEFAULT VALUES";
  } else {
    std::string names, marks;
    for (std::size_t i = 0; i < cols.size(); ++i) {
      names += (i ? ", " : "") + cols[i];
      marks += i ? ", ?" : "?";
    }
    sql += " (" + names + ") VALUES (" + marks + ")";
  }
  return Execute(sql, params, rowid);
}

DbStatus PropertyDb::Update_Row(const TableSpec& table, long long rowid, const Record& changes) {
  std::vector<std::string> cols;
  std::vector<Bound> params;
  if (DbStatus s = Convert(table, changes, cols, params); !s.Ok()) return last_ = s;
  if (cols.empty()) return last_ = {};
  std::string sets;
  for (std::size_t i = 0; i < cols.size(); ++i) sets += (i ? ", " : "") + cols[i] + " = ?";
  params.push_back({QVariant::fromValue(static_cast<qlonglong>(rowid))});
  return Execute("UPDATE " + Quoted_Name(table.name) + " SET " + sets + " WHERE rowid = ?",
                 params, nullptr);
}

DbStatus PropertyDb::Delete_Row(const TableSpec& table, long long rowid) {
  return Execute("DELETE FROM " + Quoted_Name(table.name) + " WHERE rowid = ?",
                 {{QVariant::fromValue(static_cast<qlonglong>(rowid))}}, nullptr);
}

DbStatus PropertyDb::Begin_Batch() {
  if (!Ok()) return last_ = open_;
  QSqlDatabase db = QSqlDatabase::database(Q(connection_), false);
  if (!db.transaction()) return last_ = {DbError::Query, U(db.lastError().text())};
  return last_ = {};
}

DbStatus PropertyDb::Commit_Batch() {
  if (!Ok()) return last_ = open_;
  QSqlDatabase db = QSqlDatabase::database(Q(connection_), false);
  if (!db.commit()) return last_ = {DbError::Query, U(db.lastError().text())};
  return last_ = {};
}

// ---------------------------------------------------------------- creation

DbStatus Create_Database_File(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) return {DbError::CannotOpen, "file exists: " + path};
  const std::string name = "vz_create_db_" + std::to_string(++g_connection_count);
  DbStatus status;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Q(name));
    db.setDatabaseName(Q(path));
    if (!db.open()) {
      status = {DbError::CannotOpen, U(db.lastError().text())};
    } else {
      QSqlQuery q(db);
      for (const TableSpec& t : All_Tables()) {
        if (!q.exec(Q(Create_Table_Sql(t)))) {
          status = {DbError::Query, U(q.lastError().text())};
          break;
        }
        // The lookups search by name; the indices keep them quick on a large file.
        const std::string idx = t.pair ? "([Name1], [Name2])" : "([Name])";
        std::string iname = "[ix_" + t.name + "]";
        if (!q.exec(Q("CREATE INDEX " + iname + " ON " + Quoted_Name(t.name) + " " + idx))) {
          status = {DbError::Query, U(q.lastError().text())};
          break;
        }
      }
      q.finish();
      db.close();
    }
  }
  QSqlDatabase::removeDatabase(Q(name));
  return status;
}

}  // namespace vzdb
