// Pieces shared by the case files of the column and flash programs: the head
// (header record and the ten memo lines) and the component block (names,
// constants, enthalpy and heat-capacity coefficients, interaction matrices).
#pragma once

#include <string_view>

#include "core/model/CaseData.h"
#include "platform/text/SeqFile.h"

// Header text of the column and flash case files.
inline constexpr std::string_view kDistillationHeader = "Distillation Data";

// Writes the header record and the memo lines 1..10 of `from`.
void Write_Case_Head(seqfile::Writer& w, std::string_view header, const CaseData& from = Case);

// Reads the header record; false (nothing more read) when it is not exactly `header`.
// Otherwise reads the ten memo lines into `into`. Throws seqfile::ReadError on a short file.
bool Read_Case_Head(seqfile::Reader& r, std::string_view header, CaseData& into);

// Writes the component block for `from.NC` components. The column layout keeps the
// ideal-gas Cp coefficients after the enthalpy coefficients; the flash layout keeps
// its six-value set before them and no Cp. Matrices are written column by column:
// record i holds elements (1, i) .. (NC, i).
void Write_Component_Block(seqfile::Writer& w, bool flashLayout, const CaseData& from = Case);

// Reads the component block for `into.NC` components in the order written. Throws
// seqfile::ReadError on a short or malformed file or a component count outside 0..20.
void Read_Component_Block(seqfile::Reader& r, CaseData& into, bool flashLayout);
