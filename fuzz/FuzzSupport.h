// What the fuzzing harnesses share: a scratch file per process, the program
// state put back before each input, and a check that stops the run on a fault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

// A file of this process in the temporary folder ("<tag>.dat").
std::string ScratchPath(const char* tag);
// Replaces `path` with `bytes`.
void WriteFile(const std::string& path, std::string_view bytes);

// The case, the batch group and the run state as a fresh program has them;
// the language taken from `english`.
void FreshState(bool english);
// Only the language of the messages, for harnesses that touch no case.
void SetLanguage(bool english);

// Well-formed UTF-8 (decoded code point by code point: no overlong form, no
// surrogate, nothing past U+10FFFF), checked apart from the decoder's own scan.
bool IsUtf8(std::string_view s);

// Stops the run (a crash libFuzzer records) when a property does not hold.
void Require(bool holds, const char* what, std::string_view detail = {});

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace fuzz
