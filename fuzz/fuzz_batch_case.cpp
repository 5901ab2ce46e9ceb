// The batch program's case file, alone and as the total-reflux file a
// continued run reads: a file the reader takes is saved, and the saved file
// reads back to the same case.
#include "FuzzSupport.h"
#include "batch/model/BatchCaseFile.h"
#include "batch/model/BatchData.h"
#include "core/model/CaseData.h"
#include "platform/text/SeqFile.h"

namespace {

std::string CaseText() {
  seqfile::Writer w;
  Write_Batch_Case(w);
  return w.Content();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const bool english = size % 2 == 0;
  fuzz::FreshState(english);
  const std::string in = fuzz::ScratchPath("batch"), saved = fuzz::ScratchPath("batch-saved");
  fuzz::WriteFile(in, fuzz::Bytes(data, size));
  Batch.Batch_File = in;
  // With its state, as a continued run reads the total-reflux file.
  (void)Read_Batch_Continue(1);
  fuzz::FreshState(english);
  Batch.Batch_File = in;
  if (!Read_Batch_Data().ok()) return 0;
  const std::string text = CaseText();
  Batch.Batch_File = saved;
  std::string error;
  fuzz::Require(Save_Batch_Data(&error), "a case read is saved", error + "\n" + text);
  fuzz::FreshState(english);
  Batch.Batch_File = saved;
  const BatchReadResult r = Read_Batch_Data();
  fuzz::Require(r.ok(), "a saved case reads back", r.reason + "\n" + text);
  fuzz::Require(CaseText() == text, "the saved case is the case read", text);
  return 0;
}
