// Pieces shared by the case files of the column and flash programs: the head
// (header record and the ten memo lines) and the component block (names,
// constants, enthalpy and heat-capacity coefficients, interaction matrices).
#pragma once

#include <cstdint>
#include <string>
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
// seqfile::ReadError on a short or malformed file, a component count outside
// 0..20, or a value out of its range: a negative molar mass or critical
// constant, a negative Wilson Lambda or NRTL alpha (0 stands for "not entered").
void Read_Component_Block(seqfile::Reader& r, CaseData& into, bool flashLayout);

// The name of a field in both languages, with the indices it carries
// ("フィード温度 (2)" / "feed temperature (2)"). The texts are literals: the
// name is put together only when a message needs it.
struct FieldName {
  const char* ja;
  const char* en;
  int i = 0, j = 0;
  std::string Ja() const;
  std::string En() const;
};
inline FieldName Field(const char* ja, const char* en, int i = 0, int j = 0) { return {ja, en, i, j}; }

// Reads of one field each that refuse a value no calculation can use: they
// throw seqfile::ReadError naming the field, its value and the line it is on,
// in the language of the shared texts (txt::EnglishMessages).
namespace casecheck {

[[noreturn]] void Refuse(int line, const FieldName& f, const std::string& value, const std::string& ja,
                         const std::string& en);

// A whole number in lo..hi: a code of a list, a count or a limit.
int32_t Code(seqfile::Reader& r, const FieldName& f, long long lo, long long hi);
// A mole fraction, vapour fraction or recovery: 0..1.
double Fraction(seqfile::Reader& r, const FieldName& f);
// A flow, amount, time, hold-up, molar mass or critical constant: 0 or more.
double NonNegative(seqfile::Reader& r, const FieldName& f);
// A pressure or a step that must be above 0.
double Positive(seqfile::Reader& r, const FieldName& f);
// A temperature in the display unit `tUnit` (1 degC, 2 K, 3 degF, other codes
// convert nothing: degC), above absolute zero.
double Temperature(seqfile::Reader& r, const FieldName& f, int tUnit);
// Refuses fields left over after the last record a reader takes.
void End(const seqfile::Reader& r);
// True when `t` in the display unit `tUnit` lies above absolute zero.
bool AboveAbsoluteZero(double t, int tUnit);

}  // namespace casecheck
