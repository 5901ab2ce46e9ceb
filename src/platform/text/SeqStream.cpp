#include "platform/text/SeqStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/text/NumberText.h"

namespace seqfile {

namespace {


bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads up to `n` bytes at `offset`; fewer only at the end of the file.
// False, with errno, on a failed read.
bool ReadAt(int fd, std::uint64_t offset, char* into, std::size_t n, std::size_t& got) {
  got = 0;
  while (got < n) {
    const ssize_t r = ::pread(fd, into + got, n - got, static_cast<off_t>(offset + got));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return false;
    if (r == 0) break;
    got += static_cast<std::size_t>(r);
  }
  return true;
}

// What the first reading of a file finds before the end-of-file mark.
struct Survey {
  std::uint64_t textEnd = 0;  // bytes before the mark (or the end of the file)
  std::uint64_t lastNonBlank = 0;  // one past the last character that is no blank
  bool binary = false;        // a control byte no text file holds
  bool ascii = true;          // nothing but ASCII: no decoding to do
  int err = 0;                // errno of a failed read
};

// Control characters other than tab, line ends and form feed mark binary
// content, as they do to Reader; bytes past 0x7F leave the decoding to
// ReadFileText.
Survey SurveyFile(int fd) {
  Survey s;
  std::string block(StreamReader::kSliceBytes, '\0');
  for (;;) {
    std::size_t got = 0;
    if (!ReadAt(fd, s.textEnd, block.data(), block.size(), got)) {
      s.err = errno ? errno : EIO;
      return s;
    }
    for (std::size_t i = 0; i < got; ++i) {
      const auto c = static_cast<unsigned char>(block[i]);
      if (c > 0x20 && c < 0x80) {
        s.lastNonBlank = s.textEnd + i + 1;
        continue;
      }
      if (c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
      if (c == '\f') {
        s.lastNonBlank = s.textEnd + i + 1;  // no blank to the field reader
        continue;
      }
      if (c >= 0x80) {
        s.ascii = false;
        return s;
      }
      if (c == static_cast<unsigned char>(kEndOfFileMark)) {
        s.textEnd += i;
        return s;
      }
      s.binary = true;
      return s;
    }
    s.textEnd += got;
    if (got < block.size()) return s;
  }
}

bool Report(const std::string& path, FileFault why, const std::string& detail, std::string* error, FileFault* fault) {
  if (fault) *fault = why;
  if (why == FileFault::None) return true;
  if (error) *error = path + ": " + FaultText(why, detail);
  return false;
}

// The line a refusal starts with ("line 12: ..." or "12 行目: ..."), moved on
// by `shift` lines; other texts as they are.
std::string ShiftLine(const std::string& message, long long shift) {
  std::size_t at = 0;
  const bool english = message.rfind("line ", 0) == 0;
  if (english) at = 5;
  std::size_t end = at;
  while (end < message.size() && end - at < 12 && message[end] >= '0' && message[end] <= '9') ++end;
  if (end == at) return message;
  const std::string_view rest = std::string_view(message).substr(end);
  if (english ? rest.rfind(":", 0) != 0 : rest.rfind(" 行目", 0) != 0) return message;
  const long long line = std::stoll(message.substr(at, end - at)) + shift;
  return message.substr(0, at) + std::to_string(line) + std::string(rest);
}

}  // namespace

StreamReader::~StreamReader() {
  if (fd_ >= 0) ::close(fd_);
}

bool StreamReader::Open(const std::string& path, std::string* error, FileFault* fault) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  path_ = path;
  slice_ = Reader{};
  sliceStart_ = textEnd_ = textLastNonBlank_ = 0;
  sliceBytes_ = lastNonBlank_ = 0;
  sliceLine_ = 1;
  sliceBreaks_ = 0;
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return Report(path, FaultOf(errno), ErrnoText(errno), error, fault);
  if (!S_ISREG(st.st_mode)) return Report(path, FileFault::NotAFile, "", error, fault);
  // Not blocking: a file swapped for a pipe between the look and the open
  // must not wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Report(path, FaultOf(errno), ErrnoText(errno), error, fault);
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return Report(path, FileFault::NotAFile, "", error, fault);
  }
  const Survey s = SurveyFile(fd);
  if (s.err != 0) {
    ::close(fd);
    return Report(path, FaultOf(s.err), ErrnoText(s.err), error, fault);
  }
  if (s.binary) {
    ::close(fd);
    return Report(path, FileFault::NotText, "", error, fault);
  }
  if (!s.ascii) {
    ::close(fd);
    // Text beyond ASCII is decoded as a whole, and only a file a user could
    // bring in is: the run files are ASCII.
    if (static_cast<unsigned long long>(st.st_size) > kMaxFileBytes)
      return Report(path, FileFault::TooLarge, "", error, fault);
    std::string text;
    if (!ReadFileText(path, &text, error, fault)) return false;
    const std::size_t mark = text.find(kEndOfFileMark);
    if (mark != std::string::npos) text.resize(mark);
    sliceBytes_ = text.size();
    textEnd_ = text.size();
    lastNonBlank_ = sliceBytes_;
    while (lastNonBlank_ > 0 && Blank(text[lastNonBlank_ - 1])) --lastNonBlank_;
    textLastNonBlank_ = lastNonBlank_;
    slice_.OpenText(std::move(text));
    return true;
  }
  fd_ = fd;
  textEnd_ = s.textEnd;
  textLastNonBlank_ = s.lastNonBlank;
  try {
    Load(Mark{});
  } catch (const ReadError&) {
    // A first line too long for a slice: the file is text, and the read of
    // that line says what is wrong with it (the empty slice loads it again).
    slice_.OpenText(std::string());
  }
  return true;
}

void StreamReader::Load(const Mark& at) {
  const std::uint64_t from = std::min<std::uint64_t>(at.byte, textEnd_);
  std::string buf;
  std::size_t cut = std::string::npos;
  bool last = false;
  while (cut == std::string::npos) {
    const std::size_t have = buf.size();
    const std::uint64_t left = textEnd_ - from - have;
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(sliceSize_, left));
    buf.resize(have + want);
    std::size_t got = 0;
    if (!ReadAt(fd_, from + have, buf.data() + have, want, got)) {
      const int err = errno ? errno : EIO;
      throw StreamError(path_ + ": " + FaultText(FaultOf(err), ErrnoText(err)));
    }
    buf.resize(have + got);
    if (got < want) textEnd_ = from + buf.size();  // the file shrank since it was opened
    last = from + buf.size() >= textEnd_;
    if (last) break;
    // A slice ends after a line break, so that no field is cut in two; a line
    // that ends in a carriage return alone (no line feed follows) ends there.
    const std::size_t lf = buf.rfind('\n');
    if (lf != std::string::npos) {
      cut = lf + 1;
    } else if (const std::size_t cr = buf.rfind('\r', buf.size() - 2); buf.size() >= 2 && cr != std::string::npos) {
      cut = cr + 1;
    } else if (buf.size() >= kLineSlices * sliceSize_) {
      const std::string line = std::to_string(at.line), most = std::to_string(kLineSlices * sliceSize_);
      throw StreamError(txt::EnglishMessages() ? "line " + line + ": the line is longer than " + most + " bytes"
                                               : line + " 行目: 行が " + most + " バイトを超えています");
    }
  }
  if (!last) buf.resize(cut);
  sliceStart_ = from;
  sliceLine_ = at.line;
  sliceBytes_ = buf.size();
  sliceBreaks_ = static_cast<long long>(std::count(buf.begin(), buf.end(), '\n'));
  lastNonBlank_ = sliceBytes_;
  while (lastNonBlank_ > 0 && Blank(buf[lastNonBlank_ - 1])) --lastNonBlank_;
  slice_.OpenText(std::move(buf));
}

void StreamReader::SkipBlankSlices() {
  while (slice_.Loc() >= lastNonBlank_ && MoreSlices())
    Load(Mark{sliceStart_ + sliceBytes_, sliceLine_ + sliceBreaks_});
}

std::string StreamReader::Relined(const ReadError& e) const {
  if (dynamic_cast<const StreamError*>(&e)) return e.what();
  return ShiftLine(e.what(), sliceLine_ - 1);
}

void StreamReader::Rethrow(const ReadError& e) const {
  if (dynamic_cast<const StreamError*>(&e)) throw;
  throw ReadError(Relined(e));
}

std::string StreamReader::Text() {
  Reader& r = Field();
  try {
    return r.Text();
  } catch (const ReadError& e) {
    Rethrow(e);
  }
}

double StreamReader::Double() {
  Reader& r = Field();
  try {
    return r.Double();
  } catch (const ReadError& e) {
    Rethrow(e);
  }
}

long long StreamReader::Int() {
  Reader& r = Field();
  try {
    return r.Int();
  } catch (const ReadError& e) {
    Rethrow(e);
  }
}

std::string StreamReader::LineInput() {
  if (slice_.Loc() >= sliceBytes_ && MoreSlices()) Load(Mark{sliceStart_ + sliceBytes_, sliceLine_ + sliceBreaks_});
  try {
    return slice_.LineInput();
  } catch (const ReadError& e) {
    Rethrow(e);
  }
}

bool StreamReader::Eof() const { return sliceStart_ + slice_.Loc() >= textLastNonBlank_; }

StreamReader::Mark StreamReader::Loc() const {
  return Mark{sliceStart_ + slice_.Loc(), sliceLine_ + slice_.Line() - 1};
}

long long StreamReader::Line() const { return sliceLine_ + slice_.Line() - 1; }

bool StreamReader::Seek(const Mark& at) {
  if (fd_ < 0 || (at.byte >= sliceStart_ && at.byte <= sliceStart_ + sliceBytes_)) {
    slice_.Seek(static_cast<std::size_t>(std::min<std::uint64_t>(at.byte - std::min(at.byte, sliceStart_), sliceBytes_)));
    return true;
  }
  try {
    Load(at);
    return true;
  } catch (const ReadError&) {
    // Nothing is read from a place that could not be reached.
    slice_.OpenText(std::string());
    sliceStart_ = textEnd_;
    sliceBytes_ = lastNonBlank_ = 0;
    return false;
  }
}

}  // namespace seqfile
