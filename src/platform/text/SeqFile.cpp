#include "platform/text/SeqFile.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <random>

#include "core/model/PhysicalUnits.h"  // constants only: the writer judges temperatures as the readers do
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

bool AboveAbsoluteZero(double t, int tUnit) {
  // The same conversions the calculations apply, so that what passes here is
  // above -273.15 degC there too.
  const double c = tUnit == 2 ? t - kKelvinOffset : tUnit == 3 ? (t - 32) * 5 / 9 : t;
  return std::isfinite(c) && c > kAbsoluteZeroC;
}

namespace {

// The strict bounds the readers hold a number to: above absolute zero in each
// temperature unit, above 0. Rounding to 15 digits never carries a number past a
// bound that has 15 digits or fewer, but it may carry it onto one.
bool SameSideOfBounds(double a, double b) {
  for (int unit = 1; unit <= 3; ++unit)
    if (AboveAbsoluteZero(a, unit) != AboveAbsoluteZero(b, unit)) return false;
  return (a > 0) == (b > 0);
}

// Where 15 digits can put a number on the other side of a bound: just above
// absolute zero in degC or degF, or just above 0 (absolute zero in kelvin).
bool NearStrictBound(double v) { return (v > -460.0 && v < -273.0) || (v > 0 && v < 1e-10); }

}  // namespace

Writer& Writer::Num(double value) {
  Separator();
  std::string text = txt::Plain(value);
  if (NearStrictBound(value)) {
    double back = 0;
    if (txt::ParseNumber(text, back) == txt::NumberProblem::None && back != value && !SameSideOfBounds(value, back))
      text = txt::PlainExact(value);
  }
  content_ += text;
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

namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The fault of a failed create or write: a file that cannot be created because
// its folder is gone is a missing folder, not a missing file.
FileFault WriteFault(int err, const std::string& path) {
  if (err == ENOENT || err == ENOTDIR) {
    struct stat st{};
    if (::stat(FolderOf(path).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return FileFault::FolderMissing;
  }
  return FaultOf(err);
}

std::string WriteFailure(const std::string& path, int err) {
  return path + ": " + FaultText(WriteFault(err, path), ErrnoText(err ? err : EIO));
}

}  // namespace

bool Writer::Append(const std::string& path, std::string* error) const {
  std::FILE* f = std::fopen(path.c_str(), "ab");
  if (!f) {
    if (error) *error = WriteFailure(path, errno);
    return false;
  }
  bool ok = std::fwrite(content_.data(), 1, content_.size(), f) == content_.size();
  int err = ok ? 0 : errno;
  if (std::fclose(f) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok && error) *error = WriteFailure(path, err);
  return ok;
}

namespace {

// Creates a temporary file beside `target` under a name no file there has yet
// (exclusive create, so a user's file is never taken over). Returns the open
// descriptor, or -1 with errno set.
int CreateTempBeside(const std::string& target, mode_t mode, std::string& tmp) {
  static std::mt19937_64 random{std::random_device{}()};
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char unique[64];
    std::snprintf(unique, sizeof unique, ".%ld-%u-%08llx.tmp~", static_cast<long>(::getpid()), ++counter,
                  static_cast<unsigned long long>(random() & 0xffffffffULL));
    tmp = target + unique;
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// The file a path names once symbolic links are followed (a bounded number of
// them): saving there keeps the link. A link to a missing file gives the path
// the link points to.
std::string ResolveLinks(const std::string& path) {
  std::string p = path;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st{};
    if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0) + 256, '\0');
    const ssize_t n = ::readlink(p.c_str(), target.data(), target.size());
    if (n <= 0) return p;
    target.resize(static_cast<std::size_t>(n));
    if (target.front() != '/') {
      const auto slash = p.rfind('/');
      target = (slash == std::string::npos ? std::string() : p.substr(0, slash + 1)) + target;
    }
    p = target;
  }
  return p;
}

// Control characters other than tab, line ends, form feed and the old end-of-file
// mark never occur in a text file: such bytes are binary content.
bool IsBinary(std::string_view bytes) {
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != 0x1a) return true;
  }
  return false;
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

FileFault FaultOf(int err) {
  switch (err) {
    case 0: return FileFault::None;
    case ENOENT:
    case ENOTDIR: return FileFault::Missing;
    case EISDIR: return FileFault::NotAFile;
    case EACCES:
    case EPERM:
    case EROFS: return FileFault::NoAccess;
    case ENOSPC:
    case EDQUOT: return FileFault::DiskFull;
    case EFBIG: return FileFault::TooLarge;
    default: return FileFault::Other;
  }
}

std::string ErrnoText(int err) { return ErrnoText(err, txt::EnglishMessages()); }

std::string ErrnoText(int err, bool en) {
  switch (err) {
    case EACCES:
    case EPERM: return en ? "permission denied" : "アクセスが拒否されました";
    case EROFS: return en ? "the disk is read-only" : "読み取り専用のディスクです";
    case ENOSPC: return en ? "no space left on the disk" : "ディスクに空きがありません";
    case EDQUOT: return en ? "the disk quota is used up" : "ディスクの割り当て容量を超えました";
    case EIO: return en ? "input/output error on the disk" : "ディスクの入出力エラーです";
    case ENOENT: return en ? "no such file or folder" : "ファイルまたはフォルダがありません";
    case ENOTDIR: return en ? "a part of the path is not a folder" : "パスの途中がフォルダではありません";
    case EISDIR: return en ? "this is a folder" : "フォルダです";
    case ENAMETOOLONG: return en ? "the file name is too long" : "ファイル名が長すぎます";
    case ELOOP: return en ? "too many symbolic links" : "シンボリックリンクが多すぎます";
    case EMFILE:
    case ENFILE: return en ? "too many files are open" : "開いているファイルが多すぎます";
    case EBUSY:
    case ETXTBSY: return en ? "the file is in use" : "ファイルは使用中です";
    case EEXIST: return en ? "the file already exists" : "ファイルが既に存在します";
    case EFBIG: return en ? "the file is too large" : "ファイルが大きすぎます";
    case EXDEV: return en ? "the file is on another disk" : "別のディスクにあります";
    case EINVAL: return en ? "invalid argument" : "引数が正しくありません";
    default: break;
  }
  const std::string system = std::strerror(err);
  return en ? system : "システムのエラーです (" + system + ")";
}

std::string FaultText(FileFault fault, const std::string& detail) {
  return FaultText(fault, detail, txt::EnglishMessages());
}

std::string FaultText(FileFault fault, const std::string& detail, bool en) {
  switch (fault) {
    case FileFault::None: return {};
    case FileFault::Missing: return en ? "the file does not exist" : "ファイルがありません";
    case FileFault::NotAFile: return en ? "this is not a file" : "ファイルではありません";
    case FileFault::TooLarge:
      return en ? "the file is too large for a case file (over 16 MB)"
                : "ケースのファイルとしては大きすぎます（16 MB 超）";
    case FileFault::NotText: return en ? "not a case file (binary content)" : "ケースのファイルではありません（バイナリの内容）";
    case FileFault::BadText:
      return (en ? "the text is damaged" : "文字が壊れています") + (detail.empty() ? "" : ": " + detail);
    case FileFault::NoAccess: return en ? "no permission for this file" : "このファイルへのアクセス権がありません";
    case FileFault::ReadOnly: return en ? "the file is read-only" : "ファイルは読み取り専用です";
    case FileFault::DiskFull: return en ? "the disk is full" : "ディスクに空きがありません";
    case FileFault::FolderMissing: return en ? "the folder does not exist" : "フォルダがありません";
    case FileFault::Other: break;
  }
  return (en ? "the file cannot be used" : "ファイルを使えません") + (detail.empty() ? "" : " (" + detail + ")");
}

bool SaveAtomic(const std::string& path, std::string_view content, std::string* error, FileFault* fault) {
  FileFault why = FileFault::None;
  int err = 0;
  const std::string target = ResolveLinks(path);
  struct stat st{};
  const bool exists = ::stat(target.c_str(), &st) == 0;
  // The rename would replace a read-only file all the same: refuse it instead.
  // Every reader refuses a file past the limit unread: such a save would only
  // replace a good file with one that no longer opens.
  if (content.size() > kMaxFileBytes) why = FileFault::TooLarge;
  else if (exists && !S_ISREG(st.st_mode)) why = FileFault::NotAFile;
  else if (exists && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) why = FileFault::ReadOnly;
  std::string tmp;
  if (why == FileFault::None) {
    const mode_t mode = exists ? (st.st_mode & 07777) : 0666;
    const int fd = CreateTempBeside(target, mode, tmp);
    if (fd < 0) {
      err = errno;
    } else {
      if (exists) (void)::fchmod(fd, st.st_mode & 07777);  // the umask must not narrow it
      if (!WriteAll(fd, content) || ::fsync(fd) != 0) err = errno ? errno : EIO;
      if (::close(fd) != 0 && err == 0) err = errno ? errno : EIO;
      if (err == 0 && std::rename(tmp.c_str(), target.c_str()) != 0) err = errno ? errno : EIO;
      if (err != 0) std::remove(tmp.c_str());
    }
    if (err != 0) why = WriteFault(err, target);
  }
  if (fault) *fault = why;
  if (why == FileFault::None) return true;
  // Callers that only look at errno learn the reason too.
  if (why == FileFault::TooLarge) errno = EFBIG;
  if (error) *error = path + ": " + FaultText(why, err ? ErrnoText(err) : "");
  return false;
}

namespace {

// Length of the well-formed UTF-8 sequence of two or more bytes that starts at
// `i` (no overlong forms, no encoded surrogates ED A0..BF, nothing past
// U+10FFFF); 0 when the byte there starts none.
std::size_t SequenceAt(std::string_view s, std::size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  std::size_t extra = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    extra = 1;
  } else if (c >= 0xE0 && c <= 0xEF) {
    extra = 2;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    extra = 3;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + extra >= s.size()) return 0;
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if (k == 1 ? (b < lo || b > hi) : (b & 0xC0) != 0x80) return 0;
  }
  return extra + 1;
}

// What reading the bytes as UTF-8 finds: the well-formed characters beyond
// ASCII, the bytes that belong to none, and how the runs of bytes beyond ASCII
// (what lies between two ASCII bytes) fall: wholly UTF-8 or holding a stray byte.
struct Utf8Scan {
  std::size_t twoByte = 0;  // well-formed two-byte characters
  std::size_t longer = 0;   // well-formed three- and four-byte characters
  std::size_t stray = 0;    // bytes that start or continue no character
  std::size_t firstStray = std::string_view::npos;
  std::size_t cleanRuns = 0;   // runs of non-ASCII bytes that are wholly UTF-8 characters
  std::size_t brokenRuns = 0;  // runs that hold a stray byte
  std::size_t MultiByte() const { return twoByte + longer; }
};

Utf8Scan ScanUtf8(std::string_view s) {
  Utf8Scan scan;
  std::size_t i = 0;
  bool inRun = false, runBroken = false;
  const auto endRun = [&] {
    if (inRun) (runBroken ? scan.brokenRuns : scan.cleanRuns) += 1;
    inRun = runBroken = false;
  };
  while (i < s.size()) {
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      if (inRun) endRun();
      ++i;
      continue;
    }
    inRun = true;
    const std::size_t n = SequenceAt(s, i);
    if (n == 0) {
      if (scan.stray++ == 0) scan.firstStray = i;
      runBroken = true;
      ++i;
    } else {
      (n == 2 ? scan.twoByte : scan.longer) += 1;
      i += n;
    }
  }
  endRun();
  return scan;
}

// Converts code-page text; false, with the offset of the first byte that is no
// character of the code page, when it is not wholly such text.
bool FromCp932(std::string_view bytes, std::string& out, std::size_t& badAt) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw ReadError("the Japanese code page is not available");
  out.assign(bytes.size() * 3 + 16, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* dst = out.data();
  std::size_t outLeft = out.size();
  bool ok = true;
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1)) {
      // EILSEQ: no character; EINVAL: a lead byte cut off by the end of the text.
      ok = false;
      badAt = static_cast<std::size_t>(in - bytes.data());
      break;
    }
  }
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return ok;
}

int LineOfByte(std::string_view bytes, std::size_t pos) {
  return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(pos), '\n'));
}

std::string ByteText(std::string_view bytes, std::size_t pos) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(static_cast<unsigned char>(bytes[pos])));
  return hex;
}

// The message of a refusal: the line and the byte where the reading broke.
std::string BadByteText(std::string_view bytes, std::size_t at, const char* en, const char* ja) {
  const std::string line = std::to_string(LineOfByte(bytes, at));
  const std::string byte = ByteText(bytes, at);
  return txt::EnglishMessages() ? "line " + line + ": the byte " + byte + en : line + " 行目: バイト " + byte + ja;
}

// Decodes `bytes` (BOM included, if any) or says, naming the line and the byte,
// why it cannot be done without garbling the text. A file that is not wholly
// UTF-8 is either UTF-8 with stray bytes (a character typed in another
// encoding, a damaged byte) or text of the Japanese code page, in which UTF-8
// characters turn up only by chance (pairs of half-width katakana mostly):
// - no UTF-8 character beyond ASCII, or more stray bytes than UTF-8
//   characters: code-page text;
// - otherwise the UTF-8 reading is as likely; a file whose runs of bytes beyond
//   ASCII are as often wholly UTF-8 as not is UTF-8 with stray bytes, refused
//   at the first of them (code-page text makes a whole run of UTF-8 only by
//   rare chance);
// - what is left could be either: read in the code page with `notice` saying
//   so, or refused when the caller has no way to say it.
// Where neither reading takes the whole file, the refusal names the byte where
// the likelier reading broke.
FileFault Decode(std::string_view bytes, std::string& text, std::string& detail, std::string* notice) {
  const bool bom = bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF";
  if (bom) bytes.remove_prefix(3);
  const Utf8Scan scan = ScanUtf8(bytes);
  if (scan.stray == 0) {
    text.assign(bytes);
    return FileFault::None;
  }
  constexpr const char* kStrayEn = " is no UTF-8 character, though the rest of the file is UTF-8 text";
  constexpr const char* kStrayJa = " は UTF-8 の文字ではありません（ファイルの他の部分は UTF-8 のテキストです）";
  const bool utf8Likely = bom || (scan.MultiByte() > 0 && scan.stray <= scan.MultiByte());
  const bool utf8Clear = bom || (utf8Likely && scan.cleanRuns >= scan.brokenRuns);
  if (utf8Clear) {
    detail = BadByteText(bytes, scan.firstStray, kStrayEn, kStrayJa);
    return FileFault::BadText;
  }
  std::size_t badAt = 0;
  if (FromCp932(bytes, text, badAt)) {
    if (!utf8Likely) return FileFault::None;
    if (notice) {
      *notice = BadByteText(bytes, scan.firstStray,
                            " is no UTF-8 character: the file was read as text of the Japanese code page "
                            "(Shift_JIS), which all of it is; if it was saved as UTF-8, that line is damaged",
                            " は UTF-8 の文字ではないため、ファイル全体を日本語コードページ（Shift_JIS）の"
                            "テキストとして読みました。UTF-8 で保存したファイルなら、この行は壊れています");
      return FileFault::None;
    }
    text.clear();
    detail = BadByteText(bytes, scan.firstStray,
                         " is no UTF-8 character, and the file may be UTF-8 text with a stray byte or text "
                         "of the Japanese code page (Shift_JIS): the two cannot be told apart",
                         " は UTF-8 の文字ではありません。UTF-8 のテキストに不正なバイトがあるのか、"
                         "日本語コードページ（Shift_JIS）のテキストなのか区別できません");
    return FileFault::BadText;
  }
  text.clear();
  if (utf8Likely) {
    detail = BadByteText(bytes, scan.firstStray, kStrayEn, kStrayJa);
  } else {
    detail = BadByteText(bytes, std::max(badAt, scan.firstStray),
                         " is a character neither of UTF-8 nor of the Japanese code page (Shift_JIS)",
                         " は UTF-8 の文字でも日本語コードページ（Shift_JIS）の文字でもありません");
  }
  return FileFault::BadText;
}

}  // namespace

std::string DecodeFileText(std::string_view bytes, std::string* notice) {
  std::string text, detail;
  if (notice) notice->clear();
  if (Decode(bytes, text, detail, notice) != FileFault::None) throw ReadError(detail);
  return text;
}

namespace {

// The bytes of a read that went well so far, as text: binary content refused,
// the code page decided. Returns the read's fault, with its detail.
FileFault DecodeRead(const std::string& read, FileFault why, std::string& detail, std::string* text,
                     std::string* notice) {
  if (notice) notice->clear();
  // The old end-of-file mark ends the file: what follows it (padding an old
  // editor left) is neither judged as text nor decoded. No byte of a UTF-8 or
  // code-page character is 0x1A, so the cut never splits a character.
  const std::string_view bytes = std::string_view(read).substr(0, read.find(kEndOfFileMark));
  if (why == FileFault::None && IsBinary(bytes)) why = FileFault::NotText;
  if (why != FileFault::None) return why;
  try {
    return Decode(bytes, *text, detail, notice);
  } catch (const ReadError& e) {
    detail = e.what();
    return FileFault::Other;
  } catch (const std::bad_alloc&) {
    return FileFault::TooLarge;
  }
}

// A read's outcome for its caller: the fault and a message naming the file.
bool ReportRead(const std::string& path, FileFault why, std::string detail, std::string* error, FileFault* fault) {
  if (fault) *fault = why;
  if (why == FileFault::None) return true;
  if (why == FileFault::Other && detail.empty()) detail = ErrnoText(EIO);
  if (error) *error = path + ": " + FaultText(why, detail);
  return false;
}

}  // namespace

bool ReadFileText(const std::string& path, std::string* text, std::string* error, FileFault* fault,
                  std::string* notice) {
  FileFault why = FileFault::None;
  std::string detail;
  std::string bytes;
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) {
    why = FaultOf(errno);
    detail = ErrnoText(errno);
  } else if (!S_ISREG(st.st_mode)) {
    why = FileFault::NotAFile;
  } else if (static_cast<unsigned long long>(st.st_size) > kMaxFileBytes) {
    // Refused before a byte is read: a huge file would only exhaust memory.
    why = FileFault::TooLarge;
  } else {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
      why = FaultOf(errno);
      detail = ErrnoText(errno);
    } else {
      try {
        char buf[65536];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
          bytes.append(buf, n);
          // The file may have grown since it was measured.
          if (bytes.size() > kMaxFileBytes) {
            why = FileFault::TooLarge;
            break;
          }
        }
        if (why == FileFault::None && std::ferror(f)) {
          why = FaultOf(errno);
          detail = ErrnoText(errno);
        }
      } catch (const std::bad_alloc&) {
        why = FileFault::TooLarge;
      }
      std::fclose(f);
    }
  }
  why = DecodeRead(bytes, why, detail, text, notice);
  return ReportRead(path, why, detail, error, fault);
}

bool Reader::Open(const std::string& path, std::string* error, FileFault* fault, std::string* notice) {
  std::string text;
  if (!ReadFileText(path, &text, error, fault, notice)) return false;
  OpenText(std::move(text));
  return true;
}

void Reader::OpenText(std::string text) {
  // The old end-of-file mark ends the text for every part of the reader: what
  // follows it was never part of the file's records.
  if (const std::size_t mark = text.find(kEndOfFileMark); mark != std::string::npos) text.resize(mark);
  // A NUL byte never occurs in a text file: such a file is no case file at all.
  if (IsBinary(text)) throw ReadError(FaultText(FileFault::NotText));
  data_ = std::move(text);
  pos_ = 0;
  linePos_ = 0;
  lineNo_ = 1;
}

int Reader::Line() const { return LineAt(pos_); }

int Reader::FieldLine() const { return LineAt(fieldStart_); }

int Reader::LineAt(std::size_t pos) const {
  if (pos < linePos_) {
    linePos_ = 0;
    lineNo_ = 1;
  }
  const std::size_t end = std::min(pos, data_.size());
  for (std::size_t i = linePos_; i < end; ++i)
    if (data_[i] == '\n') ++lineNo_;
  linePos_ = end;
  return lineNo_;
}

void Reader::Fail(const std::string& english, const std::string& japanese, std::size_t at) const {
  const std::string line = std::to_string(at == std::string::npos ? Line() : LineAt(at));
  if (txt::EnglishMessages()) throw ReadError("line " + line + ": " + english);
  throw ReadError(line + " 行目: " + japanese);
}

bool Reader::Eof() const {
  std::size_t i = pos_;
  while (i < data_.size() && (data_[i] == '\r' || data_[i] == '\n' || data_[i] == ' ' || data_[i] == '\t'))
    ++i;
  return i >= data_.size();
}

void Reader::Seek(std::size_t pos) { pos_ = pos > data_.size() ? data_.size() : pos; }

std::string Reader::RawField(bool* quoted) {
  // Blank lines between records carry no field.
  while (pos_ < data_.size() && (data_[pos_] == ' ' || data_[pos_] == '\t' ||
                                 data_[pos_] == '\r' || data_[pos_] == '\n'))
    ++pos_;
  if (pos_ >= data_.size()) Fail("the file ends before this field", "この項目の前でファイルが終わっています");
  std::string field;
  fieldStart_ = pos_;
  *quoted = data_[pos_] == '"';
  // Plain loops, not find_first_of: that one calls memchr once per character,
  // and run files hold millions of them.
  const std::size_t size = data_.size();
  if (*quoted) {
    std::size_t close = pos_ + 1;
    while (close < size && data_[close] != '"' && data_[close] != '\r' && data_[close] != '\n') ++close;
    if (close >= size || data_[close] != '"')
      Fail("a text field has no closing quote", "文字列の項目に閉じる引用符がありません");
    field = data_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close + 1;
    // Anything between the closing quote and the delimiter is dropped.
    while (pos_ < size && data_[pos_] != ',' && data_[pos_] != '\r' && data_[pos_] != '\n') ++pos_;
  } else {
    std::size_t stop = pos_;
    while (stop < size && data_[stop] != ',' && data_[stop] != '\r' && data_[stop] != '\n') ++stop;
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
  if (quoted)
    Fail("a number was expected, found the text \"" + field + "\"",
         "数値の項目に文字列 \"" + field + "\" があります", fieldStart_);
  if (field.empty()) return 0.0;
  // One parse for a sound number; the reason is looked for only on a fault.
  double v = 0.0;
  if (txt::ParseNumber(field, v) == txt::NumberProblem::None) {
    // The writer rounds to 15 digits: just below the largest double that gives
    // a number past the range, and a file that opened could not be saved again.
    if (std::fabs(v) >= 1.79769313486231e308 && txt::Overflows(txt::Plain(v)))
      Fail("the number \"" + field + "\" is out of range", "数値 \"" + field + "\" が範囲外です", fieldStart_);
    return v;
  }
  // Past the range of a double ("1e999") is no number a case can hold.
  if (txt::Overflows(field))
    Fail("the number \"" + field + "\" is out of range", "数値 \"" + field + "\" が範囲外です",
         fieldStart_);
  Fail("a number was expected, found \"" + field + "\"", "数値の項目に \"" + field + "\" があります",
       fieldStart_);
}

long long Reader::Int() {
  const double v = Double();
  if (v > 9.0e15 || v < -9.0e15) Fail("a whole number is out of range", "整数が範囲外です", fieldStart_);
  return txt::RoundHalfEven(v);
}

std::string Reader::LineInput() {
  if (pos_ >= data_.size()) Fail("the file ends before this line", "この行の前でファイルが終わっています");
  const std::size_t end = data_.find_first_of("\r\n", pos_);
  const std::size_t stop = end == std::string::npos ? data_.size() : end;
  std::string line = data_.substr(pos_, stop - pos_);
  pos_ = stop;
  if (pos_ < data_.size() && data_[pos_] == '\r') ++pos_;
  if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
  return line;
}

int FieldsOnLine(std::string_view line) {
  int n = 0;
  std::size_t i = 0;
  auto blank = [&](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  for (;;) {
    while (i < line.size() && blank(line[i])) ++i;
    if (i >= line.size() || line[i] == kEndOfFileMark) return n;
    ++n;
    // As RawField: a quote opens a text only where the field begins, and what
    // follows its closing quote up to the delimiter belongs to the same field.
    if (line[i] == '"') {
      const std::size_t close = line.find('"', i + 1);
      if (close == std::string_view::npos) return n;  // the reader refuses this field
      i = close + 1;
    }
    while (i < line.size() && line[i] != ',' && line[i] != '\r' && line[i] != '\n') ++i;
    if (i < line.size()) ++i;
  }
}

std::vector<int> FieldsPerLine(std::string_view text) {
  std::vector<int> counts;
  text = text.substr(0, text.find(kEndOfFileMark));  // as the reader, which ends there
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const int n = FieldsOnLine(text.substr(0, end));
    if (n > 0) counts.push_back(n);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return counts;
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

bool ReadFileTail(const std::string& path, std::size_t maxBytes, std::string* text, bool* cut,
                  std::string* error, FileFault* fault) {
  FileFault why = FileFault::None;
  std::string detail;
  std::string bytes;
  bool leftOut = false;
  struct stat st{};
  int fd = -1;
  if (::stat(path.c_str(), &st) != 0) {
    why = FaultOf(errno);
    detail = ErrnoText(errno);
  } else if (!S_ISREG(st.st_mode)) {
    why = FileFault::NotAFile;
  } else if ((fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) < 0) {
    why = FaultOf(errno);
    detail = ErrnoText(errno);
  } else if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    // Replaced by something else between the look and the open.
    why = FileFault::NotAFile;
  } else {
    const auto size = static_cast<unsigned long long>(st.st_size);
    const unsigned long long from = size > maxBytes ? size - maxBytes : 0;
    leftOut = from > 0;
    try {
      bytes.resize(static_cast<std::size_t>(size - from));
      std::size_t got = 0;
      // At most the measured size: a file that grows meanwhile is read no further.
      while (got < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + got, bytes.size() - got, static_cast<off_t>(from + got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
          why = FaultOf(errno);
          detail = ErrnoText(errno);
          break;
        }
        if (n == 0) break;  // shrunk since it was measured
        got += static_cast<std::size_t>(n);
      }
      bytes.resize(got);
    } catch (const std::bad_alloc&) {
      why = FileFault::TooLarge;
    }
  }
  if (fd >= 0) ::close(fd);
  if (why == FileFault::None && leftOut) {
    // The first line read is only the end of a line: the text starts after it.
    const std::size_t brk = bytes.find('\n');
    if (brk != std::string::npos) {
      bytes.erase(0, brk + 1);
    } else {
      std::size_t start = 0;  // one long line: at least no half character
      while (start < bytes.size() && (static_cast<unsigned char>(bytes[start]) & 0xC0) == 0x80) ++start;
      bytes.erase(0, start);
    }
  }
  why = DecodeRead(bytes, why, detail, text, nullptr);
  if (cut) *cut = why == FileFault::None && leftOut;
  return ReportRead(path, why, detail, error, fault);
}

}  // namespace seqfile
