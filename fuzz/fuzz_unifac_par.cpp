// The UNIFAC parameter file: refused with a reason or read, never crashed on.
#include <memory>

#include "FuzzSupport.h"
#include "vle/unifac/UnifacData.h"
#include "vle/unifac/UnifacParFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::SetLanguage(size % 2 == 0);
  const std::string path = fuzz::ScratchPath("unifac");
  fuzz::WriteFile(path, fuzz::Bytes(data, size));
  auto into = std::make_unique<UnifacData>();
  std::string message;
  const unifac::ParReadStatus status = unifac::Read_UNIFAC_Par(path, *into, &message);
  if (status != unifac::ParReadStatus::Ok) fuzz::Require(!message.empty(), "a refused file has a reason");
  return 0;
}
