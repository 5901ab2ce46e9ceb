// The estimation program's case file: a sequential text file headed
// "V_L Equibrium Data" with the memo, the two components with their Antoine
// constants, the conditions and codes, the measured points (degC and mmHg) and
// the parameters.
#pragma once

#include <string>

namespace vlefit {

enum class VLEFileStatus {
  Ok,
  CannotOpen,   // the file cannot be opened or decoded
  WrongHeader,  // not a case file of this program
  BadData,      // ends early, a field of the wrong type, or a count or code out of range
  CannotWrite,  // the save failed; the previous file is left as it was
};

struct VLEFileResult {
  VLEFileStatus status = VLEFileStatus::Ok;
  std::string message;  // what to show the user (when Ok: how the text was decoded, if the user must be told)
};

// Writes the case as it stands in VLE and Case to `path` (replacing it only once
// the whole file is written); a case the reader would refuse is not written.
VLEFileResult Write_VLE_File(const std::string& path);

// Reads a case file. Only a file read whole and valid (0..50 points, known codes,
// x1 and y1 in 0..1, temperatures above absolute zero, the fixed pressure and a
// point's measured pressure above 0, Lambda and alpha 0 or more, each record on
// a line of its own, nothing after the parameters) changes the
// case: it is first reset to the defaults of VLE_Initial_set, then takes the
// file's values. VLE_Gamma_Exp and VLE_T_Calc are never touched.
VLEFileResult Read_VLE_File(const std::string& path);

}  // namespace vlefit
