#include "flash/FlashFile.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "core/model/CaseData.h"
#include "core/model/CaseFileBlocks.h"
#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"

namespace {

[[noreturn]] void Reject(const std::string& why) { throw seqfile::ReadError(why); }

// The record layout, checked before any field is taken: a column case file
// shares the header, and read in the flash order its numbers would land in the
// wrong variables without a read error.
void CheckLayout(const std::vector<int>& counts, int nc) {
  std::vector<int> expected;
  auto add = [&](int lines, int fields) {
    for (int k = 0; k < lines; ++k) expected.push_back(fields);
  };
  add(1, 1);        // header
  add(kMaxMemo, 1);  // memo
  add(1, 1);        // NC
  add(nc, 1);       // names
  add(nc, 8);       // constants
  add(nc, 6);       // six-value set
  add(nc, 6);       // enthalpy coefficients
  add(nc, nc);      // Wilson
  add(nc, nc);      // NRTL
  add(1, 1);        // alpha
  add(nc, nc);      // EOS k(i, j)
  add(1, 5);        // codes
  add(1, 2);        // temperature and pressure
  add(nc, 1);       // feed
  const std::size_t n = std::min(expected.size(), counts.size());
  const bool en = txt::EnglishMessages();
  for (std::size_t k = 0; k < n; ++k)
    if (counts[k] != expected[k]) {
      const std::string line = std::to_string(k + 1), found = std::to_string(counts[k]),
                        want = std::to_string(expected[k]);
      Reject(en ? "line " + line + ": " + found + " fields where " + want + " belong"
                : line + " 行目: 項目が " + want + " 個のところに " + found + " 個あります");
    }
  if (counts.size() < expected.size()) {
    const std::string got = std::to_string(counts.size()), want = std::to_string(expected.size());
    Reject(en ? "the file ends after line " + got + " of " + want
              : "ファイルが " + want + " 行のうち " + got + " 行目で終わっています");
  }
  if (counts.size() > expected.size()) {
    const std::string line = std::to_string(expected.size() + 1);
    Reject(en ? "line " + line + ": the file goes on after the feed composition"
              : line + " 行目: フィード組成の後にファイルが続いています");
  }
}

}  // namespace

seqfile::Writer Flash_File_Writer(const FlashWindowValues& win) {
  const CaseData& c = Case;
  seqfile::Writer w;
  Write_Case_Head(w, kDistillationHeader, c);
  w.Record(static_cast<int>(c.NC));
  Write_Component_Block(w, /*flashLayout=*/true, c);
  w.Record(static_cast<int>(c.T_Unit), static_cast<int>(c.P_Unit), static_cast<int>(c.H_Unit),
           static_cast<int>(c.K_Method), static_cast<int>(c.H_Method));
  w.Record(win.Flash_Win_T, win.Flash_Win_P);
  for (int i = 1; i <= c.NC && i <= kMaxComp; ++i) w.Record(c.Flash_Z[i]);
  return w;
}

std::string Flash_File_Text(const FlashWindowValues& win) { return Flash_File_Writer(win).Content(); }

std::string Flash_File_Refusal(const FlashWindowValues& win) {
  const auto kept = std::make_unique<CaseData>(Case);
  FlashWindowValues back;
  const FlashReadResult check = Read_Flash_Text(Flash_File_Text(win), back);
  Case = *kept;
  if (check.status == FlashReadStatus::Read) return {};
  return txt::EnglishMessages() ? "Cannot save: a value would not read back (" + check.reason + ")"
                                : "保存できません。読み戻せない値があります（" + check.reason + "）";
}

bool Save_Flash_Data(const std::string& path, const FlashWindowValues& win, std::string* error) {
  // A value the reader refuses is not written: every file saved reads back.
  if (std::string why = Flash_File_Refusal(win); !why.empty()) {
    if (error) *error = path + ": " + why;
    return false;
  }
  return seqfile::SaveAtomic(path, Flash_File_Text(win), error);
}

FlashReadResult Read_Flash_Text(const std::string& text, FlashWindowValues& win) {
  FlashReadResult result;
  auto scratch = std::make_unique<CaseData>(Case);
  FlashWindowValues newWin;
  try {
    seqfile::Reader r;
    r.OpenText(text);
    if (!Read_Case_Head(r, kDistillationHeader, *scratch)) {
      result.status = FlashReadStatus::WrongHeader;
      return result;
    }
    const long long nc = r.Int();
    if (nc < 0 || nc > kMaxComp)
      casecheck::Refuse(r.FieldLine(), Field("成分数", "the number of components"), std::to_string(nc),
                        "は 0..20 の範囲外です", "is outside 0..20");
    // Counted the way the reader splits fields, so that a quote inside a field
    // cannot shift every later value without the layout noticing.
    CheckLayout(seqfile::FieldsPerLine(text), static_cast<int>(nc));
    scratch->NC = static_cast<int32_t>(nc);
    Read_Component_Block(r, *scratch, /*flashLayout=*/true);
    // 0 is the code of a model or unit not chosen yet: the calculation refuses it, the file keeps it.
    scratch->T_Unit = casecheck::Code(r, Field("温度単位", "T_Unit"), 0, 3);
    scratch->P_Unit = casecheck::Code(r, Field("圧力単位", "P_Unit"), 0, 6);
    scratch->H_Unit = casecheck::Code(r, Field("熱量単位", "H_Unit"), 0, 3);
    scratch->K_Method = casecheck::Code(r, Field("K値推算法", "K_Method"), 0, 5);
    scratch->H_Method = casecheck::Code(r, Field("エンタルピー推算法", "H_Method"), 0, 3);
    // The window's boxes: an empty box is 0, which a calculation that needs it refuses.
    newWin.Flash_Win_T = r.Double();
    if (newWin.Flash_Win_T != 0 && !casecheck::AboveAbsoluteZero(newWin.Flash_Win_T, scratch->T_Unit))
      casecheck::Refuse(r.FieldLine(), Field("温度", "temperature"), txt::Plain(newWin.Flash_Win_T),
                        "は絶対零度以下です", "is at or below absolute zero");
    newWin.Flash_Win_P = casecheck::NonNegative(r, Field("圧力", "pressure"));
    for (int i = 1; i <= nc; ++i) scratch->Flash_Z[i] = casecheck::Fraction(r, Field("フィード組成", "Flash_Z", i));
    casecheck::End(r);
  } catch (const seqfile::ReadError& e) {
    result.status = FlashReadStatus::Rejected;
    result.reason = e.what();
    return result;
  }
  Case = *scratch;
  win = newWin;
  return result;
}

FlashReadResult Read_Flash_Data(const std::string& path, FlashWindowValues& win) {
  std::string text, error, notice;
  // Missing, oversized and binary files are refused before any field is read.
  if (!seqfile::ReadFileText(path, &text, &error, nullptr, &notice)) return {FlashReadStatus::Rejected, error, {}};
  FlashReadResult result = Read_Flash_Text(text, win);
  if (result.status == FlashReadStatus::Read && !notice.empty()) result.notice = path + ": " + notice;
  return result;
}

std::string Flash_Read_Failure_Message(const FlashReadResult& result) {
  if (result.status == FlashReadStatus::WrongHeader) return kFlashWrongFileMessage;
  return std::string("Flash計算のデータファイルとして読めません。ケースは変更していません。\r\n(") +
         result.reason + ")";
}
