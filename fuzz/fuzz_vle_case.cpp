// The VLE fit's case file: a file the reader takes is saved, and the saved
// file reads back and saves to the same bytes.
#include <fstream>
#include <iterator>

#include "FuzzSupport.h"
#include "vle/estimation/VLEFile.h"

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FreshState(size % 2 == 0);
  const std::string in = fuzz::ScratchPath("vle"), saved = fuzz::ScratchPath("vle-saved"),
                    again = fuzz::ScratchPath("vle-again");
  fuzz::WriteFile(in, fuzz::Bytes(data, size));
  if (vlefit::Read_VLE_File(in).status != vlefit::VLEFileStatus::Ok) return 0;
  vlefit::VLEFileResult w = vlefit::Write_VLE_File(saved);
  fuzz::Require(w.status == vlefit::VLEFileStatus::Ok, "a case read is saved", w.message);
  fuzz::FreshState(size % 2 == 0);
  const vlefit::VLEFileResult r = vlefit::Read_VLE_File(saved);
  fuzz::Require(r.status == vlefit::VLEFileStatus::Ok, "a saved case reads back", r.message + "\n" + Slurp(saved));
  w = vlefit::Write_VLE_File(again);
  fuzz::Require(w.status == vlefit::VLEFileStatus::Ok && Slurp(again) == Slurp(saved), "the saved case is the case read",
                Slurp(saved));
  return 0;
}
