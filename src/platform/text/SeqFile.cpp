#include "platform/text/SeqFile.h"

#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/text/NumberText.h"

namespace seqfile {

void Writer::Separator() {
  if (fieldsInRecord_++ > 0) content_ += ',';
}

Writer& Writer::Text(std::string_view text) {
  Separator();
  content_ += '"';
  // A double quote cannot be carried inside a quoted field: it would end it.
  for (char c : text) content_ += (c == '"' ? '\'' : c);
  content_ += '"';
  return *this;
}

Writer& Writer::Num(double value) {
  Separator();
  content_ += txt::Plain(value);
  return *this;
}

Writer& Writer::Int(long long value) {
  Separator();
  content_ += std::to_string(value);
  return *this;
}

Writer& Writer::EndRecord() {
  content_ += "\r\n";
  fieldsInRecord_ = 0;
  return *this;
}

Writer& Writer::Line(std::string_view text) {
  content_ += text;
  return EndRecord();
}

bool Writer::Save(const std::string& path, std::string* error) const {
  return SaveAtomic(path, content_, error);
}

bool Writer::Append(const std::string& path, std::string* error) const {
  std::FILE* f = std::fopen(path.c_str(), "ab");
  if (!f) {
    if (error) *error = path + ": " + std::strerror(errno);
    return false;
  }
  const bool ok = std::fwrite(content_.data(), 1, content_.size(), f) == content_.size();
  const bool closed = std::fclose(f) == 0;
  if (!(ok && closed) && error) *error = path + ": write failed";
  return ok && closed;
}

bool SaveAtomic(const std::string& path, std::string_view content, std::string* error) {
  const std::string tmp = path + ".tmp~";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) {
    if (error) *error = path + ": " + std::strerror(errno);
    return false;
  }
  bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
  ok = (std::fflush(f) == 0) && ok;
  ok = (::fsync(fileno(f)) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) {
    if (error) *error = path + ": " + std::strerror(errno ? errno : EIO);
    std::remove(tmp.c_str());
  }
  return ok;
}

namespace {

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    int extra = 0;
    if (c < 0x80) extra = 0;
    else if ((c & 0xE0) == 0xC0 && c >= 0xC2) extra = 1;
    else if ((c & 0xF0) == 0xE0) extra = 2;
    else if ((c & 0xF8) == 0xF0 && c <= 0xF4) extra = 3;
    else return false;
    if (i + extra >= s.size()) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

std::string FromCp932(std::string_view bytes) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw ReadError("the Japanese code page is not available");
  std::string out;
  out.resize(bytes.size() * 3 + 16);
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* dst = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1)) {
      if (errno == EILSEQ || errno == EINVAL) {
        // A byte that is no character in the code page either: keep a marker, go on.
        ++in;
        --inLeft;
        if (outLeft >= 3) {
          std::memcpy(dst, "\xEF\xBF\xBD", 3);
          dst += 3;
          outLeft -= 3;
        }
      } else {
        break;
      }
    }
  }
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace

std::string DecodeFileText(std::string_view bytes) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return FromCp932(bytes);
}

bool Reader::Open(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = path + ": " + std::strerror(errno);
    return false;
  }
  std::ostringstream ss;
  ss << in.rdbuf();
  try {
    OpenText(DecodeFileText(ss.str()));
  } catch (const ReadError& e) {
    if (error) *error = e.what();
    return false;
  }
  return true;
}

void Reader::OpenText(std::string text) {
  // A NUL byte never occurs in a text file: such a file is read as having no fields.
  if (text.find('\0') != std::string::npos) throw ReadError("the file is not a text file");
  data_ = std::move(text);
  pos_ = 0;
  linePos_ = 0;
  lineNo_ = 1;
}

int Reader::Line() const {
  if (pos_ < linePos_) {
    linePos_ = 0;
    lineNo_ = 1;
  }
  const std::size_t end = std::min(pos_, data_.size());
  for (std::size_t i = linePos_; i < end; ++i)
    if (data_[i] == '\n') ++lineNo_;
  linePos_ = end;
  return lineNo_;
}

void Reader::Fail(const std::string& what) const {
  throw ReadError("line " + std::to_string(Line()) + ": " + what);
}

bool Reader::Eof() const {
  std::size_t i = pos_;
  while (i < data_.size() && (data_[i] == '\r' || data_[i] == '\n' || data_[i] == ' ' ||
                              data_[i] == '\t' || data_[i] == '\x1a'))
    ++i;
  return i >= data_.size();
}

void Reader::Seek(std::size_t pos) { pos_ = pos > data_.size() ? data_.size() : pos; }

std::string Reader::RawField(bool* quoted) {
  // Blank lines between records carry no field.
  while (pos_ < data_.size() && (data_[pos_] == ' ' || data_[pos_] == '\t' ||
                                 data_[pos_] == '\r' || data_[pos_] == '\n'))
    ++pos_;
  if (pos_ >= data_.size() || data_[pos_] == '\x1a') Fail("the file ends before this field");
  std::string field;
  *quoted = data_[pos_] == '"';
  if (*quoted) {
    const std::size_t close = data_.find('"', pos_ + 1);
    const std::size_t lineEnd = data_.find_first_of("\r\n", pos_ + 1);
    if (close == std::string::npos || (lineEnd != std::string::npos && lineEnd < close))
      Fail("a text field has no closing quote");
    field = data_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close + 1;
    // Anything between the closing quote and the delimiter is dropped.
    while (pos_ < data_.size() && data_[pos_] != ',' && data_[pos_] != '\r' && data_[pos_] != '\n')
      ++pos_;
  } else {
    const std::size_t end = data_.find_first_of(",\r\n", pos_);
    const std::size_t stop = end == std::string::npos ? data_.size() : end;
    field = data_.substr(pos_, stop - pos_);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.pop_back();
    pos_ = stop;
  }
  if (pos_ < data_.size()) {
    if (data_[pos_] == ',') {
      ++pos_;
    } else if (data_[pos_] == '\r') {
      ++pos_;
      if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
    } else if (data_[pos_] == '\n') {
      ++pos_;
    }
  }
  return field;
}

std::string Reader::Text() {
  bool quoted = false;
  return RawField(&quoted);
}

double Reader::Double() {
  bool quoted = false;
  const std::string field = RawField(&quoted);
  if (quoted) Fail("a number was expected, found the text \"" + field + "\"");
  if (field.empty()) return 0.0;
  if (!txt::IsNumeric(field)) Fail("a number was expected, found \"" + field + "\"");
  return txt::Val(field);
}

long long Reader::Int() {
  const double v = Double();
  if (v > 9.0e15 || v < -9.0e15) Fail("a whole number is out of range");
  return txt::RoundHalfEven(v);
}

std::string Reader::LineInput() {
  if (pos_ >= data_.size()) Fail("the file ends before this line");
  const std::size_t end = data_.find_first_of("\r\n", pos_);
  const std::size_t stop = end == std::string::npos ? data_.size() : end;
  std::string line = data_.substr(pos_, stop - pos_);
  pos_ = stop;
  if (pos_ < data_.size() && data_[pos_] == '\r') ++pos_;
  if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
  return line;
}

bool FileExists(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string JoinPath(const std::string& folder, std::string_view name) {
  while (!name.empty() && (name.front() == '\\' || name.front() == '/')) name.remove_prefix(1);
  if (folder.empty()) return std::string(name);
  if (folder.back() == '/') return folder + std::string(name);
  return folder + "/" + std::string(name);
}

}  // namespace seqfile
