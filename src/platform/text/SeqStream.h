// A sequential file read field by field without holding it in memory: the run
// files of a long batch run grow far beyond what a case file may hold, and the
// result windows read them start to end, or from a place they marked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/text/SeqFile.h"

namespace seqfile {

// A refusal of the stream itself (a line too long for a slice, a read that
// failed): it names the line counted from the start of the file already.
class StreamError : public ReadError {
 public:
  using ReadError::ReadError;
};

// Reads as Reader does (the same fields, numbers and refusals, the line named
// counted from the start of the file), a slice of whole lines at a time. A file
// of ASCII text is read at any size; a file with other bytes is decoded as a
// whole, as Reader::Open does, within kMaxFileBytes. The end-of-file mark 0x1A
// ends the text: nothing after it is read, and a file that starts with it holds
// no field.
class StreamReader {
 public:
  // A place in the text: its byte (in the decoded text) and its line.
  struct Mark {
    std::uint64_t byte = 0;
    long long line = 1;
  };

  // The slice read at a time; a slice grows to hold a longer line up to
  // kLineSlices slices, a line longer than that is refused.
  static constexpr std::size_t kSliceBytes = 1u << 20;
  static constexpr std::size_t kLineSlices = 4;

  // `sliceBytes` other than the default serve tests of lines across slices.
  explicit StreamReader(std::size_t sliceBytes = kSliceBytes) : sliceSize_(sliceBytes < 16 ? 16 : sliceBytes) {}
  ~StreamReader();
  StreamReader(const StreamReader&) = delete;
  StreamReader& operator=(const StreamReader&) = delete;

  // False, with the file and the reason, as Reader::Open: missing, no file,
  // binary content, text neither UTF-8 nor the code page; a file over
  // kMaxFileBytes that is not ASCII text throughout is refused as too large.
  bool Open(const std::string& path, std::string* error = nullptr, FileFault* fault = nullptr);

  std::string Text();
  double Double();
  long long Int();
  std::string LineInput();
  // No further field or line: only blanks (or nothing) before the end.
  bool Eof() const;
  Mark Loc() const;
  // Goes to a place Loc gave for this file; false, and at the end, when the
  // file can no longer be read there.
  bool Seek(const Mark& at);
  long long Line() const;

  // The reader of the slice that holds the next field (loads the next slice
  // when this one has none): checks of a field that take a Reader read it
  // here. Its refusals name the line in the slice: pass them through Relined.
  Reader& Field() {
    if (slice_.Loc() >= lastNonBlank_ && MoreSlices()) SkipBlankSlices();
    return slice_;
  }
  // A refusal met while reading a field of Field(), its line counted from the
  // file's start.
  std::string Relined(const ReadError& e) const;

 private:
  // Loads the slice that starts at `at` (throws ReadError when a line is
  // longer than kLineSlices slices or the file cannot be read).
  void Load(const Mark& at);
  bool MoreSlices() const { return fd_ >= 0 && sliceStart_ + sliceBytes_ < textEnd_; }
  // Moves to the next slice while this one holds nothing but blanks.
  void SkipBlankSlices();
  [[noreturn]] void Rethrow(const ReadError& e) const;

  std::size_t sliceSize_;
  Reader slice_;
  int fd_ = -1;                    // the file, for ASCII text read slice by slice
  std::uint64_t textEnd_ = 0;      // where the text ends (end of file or the mark 0x1A)
  std::uint64_t textLastNonBlank_ = 0;  // one past the text's last character that is no blank
  std::uint64_t sliceStart_ = 0;   // byte of the slice's first character
  std::size_t sliceBytes_ = 0;
  std::size_t lastNonBlank_ = 0;   // one past the slice's last character that is no blank
  long long sliceLine_ = 1;        // line of the slice's first character
  long long sliceBreaks_ = 0;      // line feeds in the slice
  std::string path_;
};

}  // namespace seqfile
