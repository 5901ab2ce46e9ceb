#include "FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "batch/model/BatchData.h"
#include "core/model/CaseData.h"

namespace fuzz {

namespace {

// The folder of this process's scratch files, removed when the process ends.
// A folder in memory where there is one: saves sync the disk.
struct ScratchDir {
  std::filesystem::path path;
  ScratchDir() {
    const std::filesystem::path shm = "/dev/shm";
    const auto base = std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    path = base / ("vz_fuzz_" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

}  // namespace

std::string ScratchPath(const char* tag) {
  static const ScratchDir dir;
  return (dir.path / (std::string(tag) + ".dat")).string();
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void FreshState(bool english) {
  Reset_Case_Data();
  Reset_Batch_Data();
  Case.Max_Comp = kMaxComp;
  Case.Max_Tray = kMaxTray;
  Case.Language = english ? 1 : 0;
}

bool IsUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    int extra = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) { ++i; continue; }
    if ((c & 0xE0) == 0xC0) { extra = 1; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { extra = 2; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { extra = 3; cp = c & 0x07; }
    else return false;
    if (i + static_cast<std::size_t>(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr std::uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

void SetLanguage(bool english) { Case.Language = english ? 1 : 0; }

void Require(bool holds, const char* what, std::string_view detail) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n%.*s\n", what, static_cast<int>(detail.size()), detail.data());
  std::abort();
}

}  // namespace fuzz
