// The column case file: the whole continuous-distillation case and, after a run,
// its results (also written as Result.dat in the data folder at the end of a run).
#pragma once

#include <string>

#include "core/model/CaseData.h"

// The file's text for `from`: head, counts, component block, column, feeds, side
// cuts, Result_Flag and, when it is 1, the feed enthalpies and one line per stage.
std::string Dist_Case_Text(const CaseData& from = Case);

// Writes the current case to Case.Data_File, replacing it only once the whole file
// is written. A case whose file the reader would refuse (a code off its list, a
// value out of its range) is not written. On failure says so through
// Calc_Message and returns false (the previous file and the case in memory stay
// as they were).
bool Save_Dist_Data();

// Reads Case.Data_File. The case changes only when the whole file was read: a
// missing file, a wrong header, a count beyond the limits (20 components, 200
// stages, 5 feeds, 5 side cuts of each kind), a model or unit code off its list
// (0, not chosen, is kept), a value out of its physical range (fractions 0..1,
// temperatures above absolute zero in their unit, pressures above 0, flows,
// molar masses and stage pressures 0 or more, iteration limits at least 1),
// results of a run with such a value ("the results are damaged"), fields left
// after the last record, or a short or malformed file leaves
// the case as it was, sets Read_Error = 1 and says why through Calc_Message.
// Success sets Read_Error = 0 and NC_Save, NT_Save to the counts read. Callers
// reset the case with Dist_Initial_set first, so fields the file does not reach
// keep their defaults. Returns true on success.
bool Read_Dist_Data();
