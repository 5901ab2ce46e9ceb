#include "flash/FlashFile.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "core/model/CaseData.h"
#include "core/model/CaseFileBlocks.h"
#include "platform/text/SeqFile.h"

namespace {

// The fields of each non-blank line of a file, counted the way the reader
// splits them (commas and line ends end a field; commas inside quotes do not).
std::vector<int> FieldCounts(const std::string& text) {
  std::vector<int> counts;
  int fields = 0;
  bool inQuotes = false, anything = false;
  auto endLine = [&] {
    if (anything) counts.push_back(fields + 1);
    fields = 0;
    anything = false;
  };
  for (char c : text) {
    if (c == '\n') {
      inQuotes = false;  // a quote never runs past its line
      endLine();
      continue;
    }
    if (c == '\r' || c == '\x1a') continue;
    if (c == '"') inQuotes = !inQuotes;
    if (c == ',' && !inQuotes) ++fields;
    if (c != ' ' && c != '\t') anything = true;
  }
  endLine();
  return counts;
}

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
  for (std::size_t k = 0; k < n; ++k)
    if (counts[k] != expected[k])
      Reject("line " + std::to_string(k + 1) + ": " + std::to_string(counts[k]) + " fields where " +
             std::to_string(expected[k]) + " belong");
  if (counts.size() < expected.size())
    Reject("the file ends after line " + std::to_string(counts.size()) + " of " +
           std::to_string(expected.size()));
  if (counts.size() > expected.size())
    Reject("line " + std::to_string(expected.size() + 1) + ": the file goes on after the feed composition");
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

bool Save_Flash_Data(const std::string& path, const FlashWindowValues& win, std::string* error) {
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
      Reject("line 12: the number of components " + std::to_string(nc) + " is outside 0..20");
    CheckLayout(FieldCounts(text), static_cast<int>(nc));
    scratch->NC = static_cast<int32_t>(nc);
    Read_Component_Block(r, *scratch, /*flashLayout=*/true);
    scratch->T_Unit = static_cast<int32_t>(r.Int());
    scratch->P_Unit = static_cast<int32_t>(r.Int());
    scratch->H_Unit = static_cast<int32_t>(r.Int());
    scratch->K_Method = static_cast<int32_t>(r.Int());
    scratch->H_Method = static_cast<int32_t>(r.Int());
    newWin.Flash_Win_T = r.Double();
    newWin.Flash_Win_P = r.Double();
    for (int i = 1; i <= nc; ++i) scratch->Flash_Z[i] = r.Double();
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
  std::string text, error;
  // Missing, oversized and binary files are refused before any field is read.
  if (!seqfile::ReadFileText(path, &text, &error)) return {FlashReadStatus::Rejected, error};
  return Read_Flash_Text(text, win);
}

std::string Flash_Read_Failure_Message(const FlashReadResult& result) {
  if (result.status == FlashReadStatus::WrongHeader) return kFlashWrongFileMessage;
  return std::string("Flash計算のデータファイルとして読めません。ケースは変更していません。\r\n(") +
         result.reason + ")";
}
