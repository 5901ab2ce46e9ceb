#include "vle/unifac/UnifacParFile.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"

namespace unifac {

const char* const kParMissingMessage =
    "ｶﾚﾝﾄﾃﾞｨﾚｸﾄﾘｰにUNIFACﾊﾟﾗﾒｰﾀﾌｧｲﾙ(UNIFAC.PAR)がありません。 プログラム終了します。";

namespace {

// A refusal of the file, with the line it concerns.
struct LayoutError {
  std::string message;
};

std::string LineText(int line) { return std::to_string(line); }

// Splits the file into items: a comma or a line end ends an item; a text item
// runs from its first non-blank character (or from a double quote to the
// closing quote); a numeric item also ends at a blank.
class ItemReader {
 public:
  explicit ItemReader(std::string_view text) : s_(text) {}

  // The next item as text. Sets `line` to the line it starts on.
  std::string Text(int* line) {
    StartItem(line);
    std::string item;
    if (Peek() == '"') {
      item = Quoted();
    } else {
      while (pos_ < s_.size() && s_[pos_] != ',' && !AtLineEnd()) item += s_[pos_++];
      while (!item.empty() && IsBlank(item.back())) item.pop_back();
    }
    EndItem();
    return item;
  }

  // Refuses anything but blanks and line ends after the last item read (an old
  // end-of-file mark included), naming the line it is on.
  void End() {
    while (pos_ < s_.size() && (IsBlank(s_[pos_]) || s_[pos_] == '\r' || s_[pos_] == '\n' || s_[pos_] == '\x1a')) {
      if (s_[pos_] == '\n') ++line_;
      ++pos_;
    }
    if (pos_ < s_.size())
      throw LayoutError{InLanguage("UNIFAC.PAR " + LineText(line_) + " 行目: 主グループの行の後にファイルが続いています。",
                                  "UNIFAC.PAR line " + LineText(line_) + ": the file goes on after the main-group lines.")};
  }

  // The next item as a number: the whole item must be one finite number (a typo
  // such as "0.54x" would otherwise pass as 0.54 into every estimate).
  double Number(int* line) {
    StartItem(line);
    std::string item;
    if (Peek() == '"') {
      item = Quoted();
    } else {
      while (pos_ < s_.size() && s_[pos_] != ',' && !AtLineEnd() && !IsBlank(s_[pos_]))
        item += s_[pos_++];
    }
    SkipBlanks();
    EndItem();
    const double value = txt::IsNumeric(item) ? txt::Val(item) : NAN;
    if (txt::Overflows(item) || !std::isfinite(value)) {
      throw LayoutError{InLanguage("UNIFAC.PAR " + LineText(*line) + " 行目: 「" + item + "」は数値ではありません。",
                                  "UNIFAC.PAR line " + LineText(*line) + ": \"" + item + "\" is not a number.")};
    }
    return value;
  }

 private:
  static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
  char Peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }
  bool AtLineEnd() const { return pos_ < s_.size() && (s_[pos_] == '\r' || s_[pos_] == '\n'); }
  void SkipBlanks() {
    while (pos_ < s_.size() && IsBlank(s_[pos_])) ++pos_;
  }

  void StartItem(int* line) {
    SkipBlanks();
    if (pos_ >= s_.size()) {
      // Named by the last line that holds anything: the one that is too short.
      throw LayoutError{InLanguage("UNIFAC.PAR " + LineText(lastItemLine_) + " 行目: ファイルが途中で終わっています。",
                                  "UNIFAC.PAR line " + LineText(lastItemLine_) + ": the file ends early.")};
    }
    *line = lastItemLine_ = line_;
  }

  std::string Quoted() {
    ++pos_;
    std::string item;
    while (pos_ < s_.size() && s_[pos_] != '"' && !AtLineEnd()) item += s_[pos_++];
    if (Peek() == '"') ++pos_;
    // Whatever follows the closing quote up to the delimiter is not part of the item.
    while (pos_ < s_.size() && s_[pos_] != ',' && !AtLineEnd()) ++pos_;
    return item;
  }

  // Consumes the delimiter that ends the item: a comma or one line end.
  void EndItem() {
    if (pos_ >= s_.size()) return;
    if (s_[pos_] == ',') {
      ++pos_;
    } else if (s_[pos_] == '\r') {
      ++pos_;
      if (Peek() == '\n') ++pos_;
      ++line_;
    } else if (s_[pos_] == '\n') {
      ++pos_;
      ++line_;
    }
  }

  std::string_view s_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int lastItemLine_ = 1;
};

// A count or group number of the file; values beyond any limit stay beyond it.
long long WholeNumber(double value) {
  return txt::RoundHalfEven(std::clamp(value, -1e9, 1e9));
}

void ReadSubgroups(ItemReader& in, UnifacData& d) {
  int line = 0;
  const long long nSub = WholeNumber(in.Number(&line));
  if (nSub < 1 || nSub > kMaxSub) {
    throw LayoutError{InLanguage(
        "UNIFAC.PAR " + LineText(line) + " 行目: サブグループ数 " + std::to_string(nSub) +
            " は 1～100 の範囲外です。",
        "UNIFAC.PAR line " + LineText(line) + ": the subgroup count " + std::to_string(nSub) +
            " is outside 1..100.")};
  }
  d.UNIFAC_NSub = static_cast<int32_t>(nSub);
  in.Text(&line);  // title, not used
  d.UNIFAC_NMain = 0;
  for (int k = 1; k <= d.UNIFAC_NSub; ++k) {
    d.UNIFAC_Sub_Name[k] = in.Text(&line);
    // A name is shown in the grid and the messages: control characters have no
    // place in it and mean the file is not what it should be.
    const std::string& name = d.UNIFAC_Sub_Name[k];
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }))
      throw LayoutError{InLanguage("UNIFAC.PAR " + LineText(line) + " 行目: サブグループ名に制御文字があります。",
                                  "UNIFAC.PAR line " + LineText(line) + ": a control character in a subgroup name.")};
    const long long main = WholeNumber(in.Number(&line));
    if (main < 1 || main > kMaxMain) {
      throw LayoutError{InLanguage(
          "UNIFAC.PAR " + LineText(line) + " 行目: 主グループ番号 " + std::to_string(main) +
              " は 1～50 の範囲外です。",
          "UNIFAC.PAR line " + LineText(line) + ": the main group " + std::to_string(main) +
              " is outside 1..50.")};
    }
    d.UNIFAC_Main_Of[k] = static_cast<int32_t>(main);
    d.UNIFAC_R[k] = in.Number(&line);
    d.UNIFAC_Q[k] = in.Number(&line);
    if (d.UNIFAC_Main_Of[k] > d.UNIFAC_NMain) d.UNIFAC_NMain = d.UNIFAC_Main_Of[k];
  }
}

void ReadMainGroups(ItemReader& in, UnifacData& d) {
  int line = 0;
  in.Text(&line);  // heading line, not used
  for (int m = 1; m <= d.UNIFAC_NMain; ++m) {
    const std::string item = in.Text(&line);
    const std::size_t blank = item.find_first_of(" \t");
    if (blank == std::string::npos) {
      throw LayoutError{InLanguage(
          "UNIFAC.PAR " + LineText(line) + " 行目: 主グループ " + std::to_string(m) +
              " の名前の後に空白がありません。",
          "UNIFAC.PAR line " + LineText(line) + ": no blank after the name of main group " +
              std::to_string(m) + ".")};
    }
    d.UNIFAC_Main_Name[m] = item.substr(0, blank);
    for (int n = 1; n <= d.UNIFAC_NMain; ++n) d.UNIFAC_A[m][n] = in.Number(&line);
  }
}

// Copies the file group only, so the estimate's own variables stay as they are.
void CommitFileGroup(const UnifacData& from, UnifacData& to) {
  to.UNIFAC_NSub = from.UNIFAC_NSub;
  to.UNIFAC_NMain = from.UNIFAC_NMain;
  for (int k = 0; k <= kMaxSub; ++k) {
    to.UNIFAC_Sub_Name[k] = from.UNIFAC_Sub_Name[k];
    to.UNIFAC_Main_Of[k] = from.UNIFAC_Main_Of[k];
    to.UNIFAC_R[k] = from.UNIFAC_R[k];
    to.UNIFAC_Q[k] = from.UNIFAC_Q[k];
  }
  for (int m = 0; m <= kMaxMain; ++m) {
    to.UNIFAC_Main_Name[m] = from.UNIFAC_Main_Name[m];
    for (int n = 0; n <= kMaxMain; ++n) to.UNIFAC_A[m][n] = from.UNIFAC_A[m][n];
  }
}

}  // namespace

std::string UNIFAC_Par_Path(const std::string& programFolder) {
  return seqfile::JoinPath(programFolder, "\\UNIFAC.PAR");
}

ParReadStatus Read_UNIFAC_Par_Text(const std::string& text, UnifacData& into, std::string* message) {
  auto scratch = std::make_unique<UnifacData>();
  try {
    // A NUL byte is binary content, never text of a parameter file: refused with
    // its line rather than read as part of a name.
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos) {
      const int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(nul), '\n'));
      throw LayoutError{InLanguage("UNIFAC.PAR " + LineText(line) + " 行目: バイナリの内容（NUL バイト）があります。",
                                  "UNIFAC.PAR line " + LineText(line) + ": binary content (a NUL byte).")};
    }
    ItemReader in(text);
    ReadSubgroups(in, *scratch);
    ReadMainGroups(in, *scratch);
    // As every case reader: what follows the last record is a file of another
    // layout (a heading with a comma, a count too small), not data to ignore.
    in.End();
  } catch (const LayoutError& e) {
    if (message) *message = e.message;
    return ParReadStatus::BadLayout;
  }
  CommitFileGroup(*scratch, into);
  if (message) message->clear();
  return ParReadStatus::Ok;
}

ParReadStatus Read_UNIFAC_Par(const std::string& path, UnifacData& into, std::string* message) {
  std::error_code ec;
  std::ifstream file;
  // Only a regular file is opened: a FIFO or a device would block or never end.
  const bool regular = std::filesystem::is_regular_file(path, ec);
  if (regular) file.open(path, std::ios::binary);
  if (!file.is_open()) {
    if (message) *message = kParMissingMessage;
    return ParReadStatus::Missing;
  }
  // The file is a few kilobytes; one far larger is refused before it is read,
  // and the read stops at the bound should the file grow meanwhile. What the
  // file holds is read, not a buffer of the bound filled each time.
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  std::string bytes;
  if (!ec && size <= seqfile::kMaxFileBytes) {
    bytes.reserve(static_cast<std::size_t>(size));
    char buf[16384];
    while (bytes.size() <= seqfile::kMaxFileBytes) {
      file.read(buf, sizeof buf);
      const auto got = static_cast<std::size_t>(file.gcount());
      if (got == 0) break;
      bytes.append(buf, got);
    }
  }
  if (ec || size > seqfile::kMaxFileBytes || bytes.size() > seqfile::kMaxFileBytes) {
    if (message)
      *message = "UNIFAC.PAR: " + seqfile::FaultText(seqfile::FileFault::TooLarge, "", In_English());
    return ParReadStatus::BadLayout;
  }
  if (file.bad()) {
    if (message) *message = kParMissingMessage;
    return ParReadStatus::Missing;
  }
  std::string text;
  try {
    text = seqfile::DecodeFileText(bytes);
  } catch (const seqfile::ReadError& e) {
    // Neither UTF-8 nor the code page: names and headings would come out garbled.
    if (message) *message = "UNIFAC.PAR " + std::string(e.what());
    return ParReadStatus::BadLayout;
  }
  return Read_UNIFAC_Par_Text(text, into, message);
}

ParReadStatus Load_UNIFAC_Par(const std::string& programFolder, UnifacData& into) {
  std::string message;
  const ParReadStatus status = Read_UNIFAC_Par(UNIFAC_Par_Path(programFolder), into, &message);
  if (status != ParReadStatus::Ok) Calc_Message(message);
  return status;
}

}  // namespace unifac
