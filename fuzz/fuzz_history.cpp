// The history readers of the result windows on arbitrary bytes: the stream
// reader must read exactly what the whole-file reader reads (the same values,
// the same refusals naming the same line), slice boundaries anywhere, and the
// history file must stay bounded and never crash.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "batch/results/BatchResultFiles.h"
#include "core/model/CaseData.h"
#include "platform/text/SeqFile.h"
#include "platform/text/SeqStream.h"

namespace {

const std::string& ScratchPath() {
  static const std::string path = [] {
    char name[] = "/tmp/fuzz_history_XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd >= 0) ::close(fd);
    return std::string(name);
  }();
  return path;
}

bool WriteScratch(const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(ScratchPath().c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

[[noreturn]] void Differ(const char* what, const std::string& a, const std::string& b) {
  std::fprintf(stderr, "stream and whole-file readers differ (%s): [%s] vs [%s]\n", what, a.c_str(), b.c_str());
  std::abort();
}

// One read of either reader: the value as text, or the refusal.
template <typename R>
std::string Step(R& r, int op) {
  try {
    switch (op) {
      case 0: {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.17g", r.Double());
        return buf;
      }
      case 1: return "t:" + r.Text();
      case 2: return "i:" + std::to_string(r.Int());
      default: return "l:" + r.LineInput();
    }
  } catch (const seqfile::StreamError&) {
    throw;
  } catch (const seqfile::ReadError& e) {
    return std::string("!") + e.what();
  }
}

// Both readers over the same file, one operation at a time (chosen by the
// input's first bytes), until both are at the end.
void Compare(const uint8_t* data, size_t size) {
  const size_t slice = 16 + (size > 0 ? data[0] % 48 : 0);
  const unsigned pattern = size > 1 ? data[1] : 0;
  seqfile::Reader whole;
  seqfile::StreamReader stream(slice);
  std::string e1, e2;
  seqfile::FileFault f1{}, f2{};
  const bool o1 = whole.Open(ScratchPath(), &e1, &f1), o2 = stream.Open(ScratchPath(), &e2, &f2);
  if (o1 != o2) Differ("open", e1, e2);
  if (!o1) return;
  try {
    for (int n = 0; n < 4096; ++n) {
      const bool end1 = whole.Eof(), end2 = stream.Eof();
      if (end1 != end2) Differ("end", std::to_string(end1), std::to_string(end2));
      if (end1) break;
      const int op = static_cast<int>((pattern >> (2 * (n % 4))) & 3u);
      const std::string a = Step(whole, op), b = Step(stream, op);
      if (a != b) Differ("field", a, b);
      if (a[0] == '!') break;
      if (whole.Line() != stream.Line()) Differ("line", std::to_string(whole.Line()), std::to_string(stream.Line()));
    }
  } catch (const seqfile::StreamError&) {
    // A line longer than the stream's slices may hold: refused, not read.
  }
}

// The history file as the windows use it: open, every record, a seek back.
void History(int language) {
  Case.Language = language;
  HistoryFile file;
  if (!file.Open(ScratchPath()).ok()) return;
  HistoryRecord rec;
  std::size_t n = 0;
  while (file.Next(rec).ok()) ++n;
  if (n != file.Records()) std::abort();
  if (n > 0 && !file.SeekRecord(n - 1, rec)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 16) || !WriteScratch(data, size)) return 0;
  Compare(data, size);
  History(size % 2 == 0 ? 1 : 0);
  return 0;
}
