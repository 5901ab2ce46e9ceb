// The continuous column's case file: a file the reader takes is saved, and
// the saved file reads back to the same case.
#include "FuzzSupport.h"
#include "continuous/DistCaseFile.h"
#include "core/model/CaseData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FreshState(size % 2 == 0);
  const std::string in = fuzz::ScratchPath("column"), saved = fuzz::ScratchPath("column-saved");
  fuzz::WriteFile(in, fuzz::Bytes(data, size));
  Case.Data_File = in;
  if (!Read_Dist_Data()) return 0;
  const std::string text = Dist_Case_Text(Case);
  Case.Data_File = saved;
  fuzz::Require(Save_Dist_Data(), "a case read is saved", text);
  fuzz::FreshState(size % 2 == 0);
  Case.Data_File = saved;
  fuzz::Require(Read_Dist_Data(), "a saved case reads back", text);
  fuzz::Require(Dist_Case_Text(Case) == text, "the saved case is the case read", text);
  return 0;
}
