// The batch case file (header "Batch Distillastion Data") and the continuation
// state that a run appends after the case in the total-reflux file.
#pragma once

#include <cstdint>
#include <string>

#include "platform/text/SeqFile.h"

// Header record of a batch case file (the spelling is part of the format).
inline constexpr const char* kBatchFileHeader = "Batch Distillastion Data";

// Writes the case records (header, memo, counts, operation, tanks, plates,
// components, matrices, charge) into `w`.
void Write_Batch_Case(seqfile::Writer& w);

// Why the file of the current case would not read back (a code off its list,
// a value out of its range), naming the field and the line; empty when it would.
std::string Batch_Case_Refusal();

// Writes the case to Batch.Batch_File; a failed write leaves the previous file
// as it was. A case Batch_Case_Refusal refuses is not written. False with a
// reason on failure.
bool Save_Batch_Data(std::string* error = nullptr);

enum class BatchReadStatus {
  Ok,
  OpenFailed,   // the file could not be opened or decoded
  WrongHeader,  // not a batch case file; its message was shown, Read_Error = 1
  Malformed,    // a missing or malformed field, or a count or code out of range
};

struct BatchReadResult {
  BatchReadStatus status = BatchReadStatus::Ok;
  std::string reason;  // what is wrong, naming the line, for every status but Ok
  bool ok() const { return status == BatchReadStatus::Ok; }
};

// Reads the case in Batch.Batch_File and, when withState is not 0, the
// continuation state after it (Oper_Time, the Cont_ arrays, RKG_Q); fields left
// after them are refused (a total-reflux file read as a case alone passes when
// its state is sound). Codes off their lists and values out of their ranges
// are refused with the field and the line. The case and
// the batch variables change only when everything asked for was read; a rejected
// file leaves them as they were and says why through Calc_Message. Sets
// Case.Read_Error (0 read, 1 refused) and, on success, NC_Save and NT_Save.
BatchReadResult Read_Batch_Continue(int32_t withState);

// Reads the case alone (Read_Batch_Continue with withState 0).
BatchReadResult Read_Batch_Data();
