// Runs a harness over the files of its seed corpus (each argument a file or a
// folder of files), as libFuzzer would run them once: without the fuzzing
// engine, so that a build with any compiler keeps the harnesses working.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int RunFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
    return 1;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int failed = 0, ran = 0;
  for (int a = 1; a < argc; ++a) {
    const std::filesystem::path arg(argv[a]);
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(arg)) {
      for (const auto& entry : std::filesystem::directory_iterator(arg))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else {
      files.push_back(arg);
    }
    for (const auto& f : files) {
      failed += RunFile(f);
      ++ran;
    }
  }
  if (ran == 0) {
    std::fprintf(stderr, "no seed files given\n");
    return 1;
  }
  std::printf("%d seed files run\n", ran);
  return failed == 0 ? 0 : 1;
}
