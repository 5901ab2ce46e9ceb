// Reader of the UNIFAC group parameter file "UNIFAC.PAR": the subgroup table
// (name, main group, R, Q) and the main-group interaction matrix a(m, n) in K.
#pragma once

#include <string>

#include "vle/unifac/UnifacData.h"

namespace unifac {

enum class ParReadStatus {
  Ok,         // the whole file was read into the variables
  Missing,    // the file cannot be opened; the program ends after the message
  BadLayout,  // a field that is not a number, a broken limit or layout, lines
              // after the matrix, text that cannot be decoded; the
              // variables are unchanged and only the UNIFAC program closes
};

// The message shown when the file cannot be opened (the same in both languages).
extern const char* const kParMissingMessage;

// The file's path: the program folder followed by "\UNIFAC.PAR".
std::string UNIFAC_Par_Path(const std::string& programFolder);

// Reads the file at `path` into the file group of `into` (subgroups, main groups,
// a(m, n)). Anything but blank lines after the last main-group line, and text
// that is neither UTF-8 nor the Japanese code page, is refused. Nothing is
// changed unless the whole file was read; otherwise `message` (when given) says
// what is wrong and on which line.
ParReadStatus Read_UNIFAC_Par(const std::string& path, UnifacData& into,
                              std::string* message = nullptr);

// Same, from text already in memory.
ParReadStatus Read_UNIFAC_Par_Text(const std::string& text, UnifacData& into,
                                   std::string* message = nullptr);

// The loading step of the UNIFAC window: reads "UNIFAC.PAR" of the program
// folder into `into` and shows a refusal through Calc_Message. Unless the result
// is Ok the program has no group data: a missing file ends the application, a
// refused one closes the UNIFAC program.
ParReadStatus Load_UNIFAC_Par(const std::string& programFolder, UnifacData& into);

}  // namespace unifac
