// The flash program's case file: a file the reader takes is saved, and the
// saved text reads back to the same case and window values.
#include "FuzzSupport.h"
#include "core/model/CaseData.h"
#include "flash/FlashFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FreshState(size % 2 == 0);
  const std::string in = fuzz::ScratchPath("flash");
  fuzz::WriteFile(in, fuzz::Bytes(data, size));
  FlashWindowValues win;
  if (Read_Flash_Data(in, win).status != FlashReadStatus::Read) return 0;
  const std::string text = Flash_File_Text(win);
  fuzz::Require(Flash_File_Refusal(win).empty(), "a case read is saved", text);
  fuzz::FreshState(size % 2 == 0);
  FlashWindowValues back;
  const FlashReadResult r = Read_Flash_Text(text, back);
  fuzz::Require(r.status == FlashReadStatus::Read, "a saved case reads back", r.reason + "\n" + text);
  fuzz::Require(Flash_File_Text(back) == text, "the saved case is the case read", text);
  return 0;
}
