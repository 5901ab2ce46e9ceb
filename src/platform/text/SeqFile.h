// Sequential case files: records of comma-separated fields, text in double
// quotes, numbers as plain text, CR LF line ends, read back field by field.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace seqfile {

// A file that cannot be read as written: too short, a field of the wrong type,
// bytes that are no text. The message names the line.
class ReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Why a file could not be read or saved.
enum class FileFault {
  None,
  Missing,    // no such file
  NotAFile,   // a folder or a device, not a file
  TooLarge,   // far larger than any case or run file
  NotText,    // binary content (a NUL byte): not a case file
  BadText,    // a stray byte in UTF-8 text, or bytes that are text neither of
              // UTF-8 nor of the Japanese code page
  NoAccess,   // no permission to read or write
  ReadOnly,   // the file exists and is marked read-only
  DiskFull,   // no room left on the disk
  FolderMissing,  // a save into a folder that does not exist (or is no folder)
  Other,
};

// The end-of-file mark of old DOS and Windows text files: the text ends at the
// first one; what follows is no part of any record.
inline constexpr char kEndOfFileMark = '\x1a';

// Case and run files stay far below this; a larger file is refused unread, and
// a save that would write more is refused (it could not be read back).
inline constexpr std::size_t kMaxFileBytes = 16u * 1024u * 1024u;

// The reason in the language of the program's texts (txt::EnglishMessages);
// `detail` is the system's own words for an unexpected failure.
std::string FaultText(FileFault fault, const std::string& detail = "");
std::string FaultText(FileFault fault, const std::string& detail, bool english);
// The fault for a system error number (errno).
FileFault FaultOf(int err);
// The reason for a system error number in the language of the program's texts
// (or the one asked for): "permission denied" / "アクセスが拒否されました"; a number
// without a text of its own gives the system's words, in Japanese with a
// Japanese lead-in.
std::string ErrnoText(int err);
std::string ErrnoText(int err, bool english);

// True when `t` in the display unit `tUnit` (1 degC, 2 K, 3 degF, other codes
// convert nothing: degC) lies above absolute zero, as the readers judge it.
bool AboveAbsoluteZero(double t, int tUnit);

// Builds the content of a case or run file in memory; Save() puts it on disk.
class Writer {
 public:
  Writer& Text(std::string_view text);   // a quoted text field
  // A number field, up to 15 significant digits; a number those would carry onto
  // a bound a reader holds it to (absolute zero, 0) gets the digits it needs.
  Writer& Num(double value);
  Writer& Int(long long value);          // a whole-number field
  Writer& EndRecord();                   // ends the record (CR LF)
  Writer& Line(std::string_view text);   // a plain text line, unquoted, with CR LF

  // One record of fields: strings are written quoted, arithmetic values as numbers.
  template <typename... Fields>
  Writer& Record(const Fields&... fields) {
    (Field(fields), ...);
    return EndRecord();
  }

  const std::string& Content() const { return content_; }
  void Clear() { content_.clear(); fieldsInRecord_ = 0; }

  // Replaces `path` once the whole content is written beside it.
  bool Save(const std::string& path, std::string* error = nullptr) const;
  // Appends the content to `path` (created when absent).
  bool Append(const std::string& path, std::string* error = nullptr) const;

 private:
  void Separator();
  void Field(std::string_view s) { Text(s); }
  void Field(const std::string& s) { Text(s); }
  void Field(const char* s) { Text(s); }
  void Field(double v) { Num(v); }
  void Field(float v) { Num(v); }
  void Field(int v) { Int(v); }
  void Field(long v) { Int(v); }
  void Field(long long v) { Int(v); }
  void Field(unsigned char v) { Int(v); }
  void Field(short v) { Int(v); }

  std::string content_;
  int fieldsInRecord_ = 0;
};

// Writes `content` to `path` through a temporary file beside it and a rename, so
// that a failed save leaves the previous file as it was. Content larger than
// kMaxFileBytes is refused (TooLarge) before anything is written. The temporary file has
// a name no other file in the folder has (created exclusively) and is removed
// when the save fails; a folder that is missing is reported as such. A symbolic link is
// followed (the file it points to is replaced, the link stays); a read-only file
// is refused. The error names the file and the reason (disk full, permission).
bool SaveAtomic(const std::string& path, std::string_view content, std::string* error = nullptr,
                FileFault* fault = nullptr);

// Reads a whole case or run file as UTF-8 text (decoded as DecodeFileText does,
// `notice` as there). False, with the file and the reason, when it is missing,
// no file, larger than kMaxFileBytes (refused before reading), binary content (a
// NUL byte) or text that DecodeFileText refuses (BadText, naming the line and
// the byte).
bool ReadFileText(const std::string& path, std::string* text, std::string* error = nullptr,
                  FileFault* fault = nullptr, std::string* notice = nullptr);

// Reads a case or run file field by field in the order written. Every read
// throws ReadError when the file has no such field.
class Reader {
 public:
  Reader() = default;
  // Opens and decodes a file as ReadFileText does (UTF-8, or the Japanese Windows
  // code page). False, with a reason, when it cannot be read: missing, no file,
  // larger than kMaxFileBytes (refused before reading), binary content, text
  // that is neither UTF-8 nor the code page. `notice` as DecodeFileText has it.
  bool Open(const std::string& path, std::string* error = nullptr, FileFault* fault = nullptr,
            std::string* notice = nullptr);
  // Reads from text already in memory (UTF-8).
  void OpenText(std::string text);

  std::string Text();        // next field as text (quoted or not)
  // Next field as a finite number; empty gives 0. A number the writer could not
  // write back (one whose 15-digit form is past the range of a double, as
  // 1.7976931348623157E+308 is) is refused as out of range.
  double Double();
  long long Int();           // next field as a whole number, halves to even
  std::string LineInput();   // the rest of the current line, raw
  bool Eof() const;          // no further field or line
  std::size_t Loc() const { return pos_; }   // byte position in the text
  void Seek(std::size_t pos);
  int Line() const;          // 1-based line of the current position
  int FieldLine() const;     // 1-based line where the field last read began

 private:
  std::string RawField(bool* quoted);
  // Throws ReadError naming the line of `at` (the current position by default).
  [[noreturn]] void Fail(const std::string& english, const std::string& japanese,
                         std::size_t at = std::string::npos) const;
  int LineAt(std::size_t pos) const;

  std::string data_;
  std::size_t pos_ = 0;
  std::size_t fieldStart_ = 0;  // where the field last read began
  // Line() is asked once per record by readers that report where they are:
  // count on from the last answer instead of from the start.
  mutable std::size_t linePos_ = 0;
  mutable int lineNo_ = 1;
};

// Decodes bytes read from disk to UTF-8: valid UTF-8 (a leading BOM dropped) as
// is; text of the Japanese Windows code page (CP932) converted. Text that is
// UTF-8 but for stray bytes (a byte-order mark, or no more stray bytes than
// UTF-8 characters, with runs of bytes beyond ASCII as often wholly UTF-8 as
// not), and text that is neither UTF-8 nor the code page, throws ReadError
// naming the line and the byte where the reading broke: neither is ever read
// garbled. Text that could be either (no more stray bytes than UTF-8
// characters, but most runs broken) is read in the code page with `notice` set
// to say so and why; without `notice` it is refused, naming the line and byte.
std::string DecodeFileText(std::string_view bytes, std::string* notice = nullptr);

// The fields the Reader takes from one line, split as it splits them: a quote
// opens a text only at the start of a field, a comma inside such a text does not
// end it, blanks alone carry no field, and the end-of-file mark ends the text.
int FieldsOnLine(std::string_view line);
// FieldsOnLine for each line of `text` that holds at least one field.
std::vector<int> FieldsPerLine(std::string_view text);

bool FileExists(const std::string& path);

// Joins a folder and a file name given as "\Result.dat" or "Result.dat" with
// the platform's separator.
std::string JoinPath(const std::string& folder, std::string_view name);

// Reads a text file that may have grown long (a run log): regular files only,
// as ReadFileText, but a file larger than `maxBytes` is not refused: only its
// last `maxBytes` are read, from the first line break in them, and `cut` is set.
// A folder, a device or a pipe is refused before it is opened for reading, so
// nothing waits on a writer or reads without end.
bool ReadFileTail(const std::string& path, std::size_t maxBytes, std::string* text, bool* cut,
                  std::string* error = nullptr, FileFault* fault = nullptr);

}  // namespace seqfile
