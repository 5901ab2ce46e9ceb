#include "core/model/CaseFileBlocks.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/text/NumberText.h"

namespace {

std::string WithIndex(const char* name, int i, int j) {
  std::string s = name;
  if (i > 0) s += " (" + std::to_string(i) + (j > 0 ? ", " + std::to_string(j) : "") + ")";
  return s;
}

}  // namespace

std::string FieldName::Ja() const { return WithIndex(ja, i, j); }
std::string FieldName::En() const { return WithIndex(en, i, j); }

namespace casecheck {

void Refuse(int line, const FieldName& f, const std::string& value, const std::string& ja, const std::string& en) {
  const std::string l = std::to_string(line);
  if (txt::EnglishMessages()) throw seqfile::ReadError("line " + l + ": " + f.En() + " = " + value + " " + en);
  throw seqfile::ReadError(l + " 行目: " + f.Ja() + " = " + value + " " + ja);
}

int32_t Code(seqfile::Reader& r, const FieldName& f, long long lo, long long hi) {
  const long long v = r.Int();
  if (v < lo || v > hi) {
    const std::string range = std::to_string(lo) + ".." + std::to_string(hi);
    Refuse(r.FieldLine(), f, std::to_string(v), "は " + range + " の範囲外です", "is outside " + range);
  }
  return static_cast<int32_t>(v);
}

double Fraction(seqfile::Reader& r, const FieldName& f) {
  const double v = r.Double();
  if (!(v >= 0 && v <= 1)) Refuse(r.FieldLine(), f, txt::Plain(v), "は 0～1 の範囲外です", "is outside 0..1");
  return v;
}

double NonNegative(seqfile::Reader& r, const FieldName& f) {
  const double v = r.Double();
  if (!(v >= 0)) Refuse(r.FieldLine(), f, txt::Plain(v), "は負の値です", "is below 0");
  return v;
}

double Positive(seqfile::Reader& r, const FieldName& f) {
  const double v = r.Double();
  if (!(v > 0)) Refuse(r.FieldLine(), f, txt::Plain(v), "は0以下です", "is not above 0");
  return v;
}

void End(const seqfile::Reader& r) {
  if (r.Eof()) return;
  const std::string l = std::to_string(r.Line());
  if (txt::EnglishMessages()) throw seqfile::ReadError("line " + l + ": fields left over after the last record");
  throw seqfile::ReadError(l + " 行目: 最後の記録の後に余分な項目があります");
}

bool AboveAbsoluteZero(double t, int tUnit) { return seqfile::AboveAbsoluteZero(t, tUnit); }

double Temperature(seqfile::Reader& r, const FieldName& f, int tUnit) {
  const double v = r.Double();
  if (!AboveAbsoluteZero(v, tUnit))
    Refuse(r.FieldLine(), f, txt::Plain(v), "は絶対零度以下です", "is at or below absolute zero");
  return v;
}

}  // namespace casecheck

namespace {

void WriteMatrix(seqfile::Writer& w, const CompMatrix& m, int nc) {
  for (int i = 1; i <= nc; ++i) {
    for (int j = 1; j <= nc; ++j) w.Num(m[j][i]);
    w.EndRecord();
  }
}

void ReadMatrix(seqfile::Reader& r, CompMatrix& m, int nc) {
  for (int i = 1; i <= nc; ++i)
    for (int j = 1; j <= nc; ++j) m[j][i] = r.Double();
}

// Lambda(i, j) is a ratio of molar volumes times an exponential: never below 0.
void ReadWilson(seqfile::Reader& r, CompMatrix& m, int nc) {
  for (int i = 1; i <= nc; ++i)
    for (int j = 1; j <= nc; ++j) m[j][i] = casecheck::NonNegative(r, Field("Wilson Lambda", "Wilson Lambda", j, i));
}

}  // namespace

void Write_Case_Head(seqfile::Writer& w, std::string_view header, const CaseData& from) {
  w.Record(header);
  for (int k = 1; k <= kMaxMemo; ++k) w.Record(from.Memo[k]);
}

bool Read_Case_Head(seqfile::Reader& r, std::string_view header, CaseData& into) {
  if (r.Text() != header) return false;
  for (int k = 1; k <= kMaxMemo; ++k) into.Memo[k] = r.Text();
  return true;
}

void Write_Component_Block(seqfile::Writer& w, bool flashLayout, const CaseData& from) {
  const int nc = std::clamp(from.NC, 0, kMaxComp);  // never past the arrays, whatever the count holds
  for (int i = 1; i <= nc; ++i) w.Record(from.Comp_Name[i]);
  for (int i = 1; i <= nc; ++i)
    w.Record(from.Mol_Wt[i], from.Antoine_A[i], from.Antoine_B[i], from.Antoine_C[i], from.Comp_Tc[i],
             from.Comp_Pc[i], from.Comp_Vc[i], from.Comp_Omega[i]);
  if (flashLayout)
    for (int i = 1; i <= nc; ++i)
      w.Record(from.Flash_Cp_1[i], from.Flash_Cp_2[i], from.Flash_Cp_3[i], from.Flash_Cp_4[i],
               from.Flash_Cp_5[i], from.Flash_Cp_6[i]);
  for (int i = 1; i <= nc; ++i)
    w.Record(from.HL_A[i], from.HL_B[i], from.HL_C[i], from.HV_A[i], from.HV_B[i], from.HV_C[i]);
  if (!flashLayout)
    for (int i = 1; i <= nc; ++i) w.Record(from.Cp_A[i], from.Cp_B[i], from.Cp_C[i], from.Cp_D[i]);
  WriteMatrix(w, from.Wilson_Lambda, nc);
  WriteMatrix(w, from.NRTL_Tau, nc);
  w.Record(from.NRTL_Alpha);
  WriteMatrix(w, from.EOS_Kij, nc);
}

void Read_Component_Block(seqfile::Reader& r, CaseData& into, bool flashLayout) {
  const int nc = into.NC;
  // The count comes from the file itself: a value beyond the arrays must not be used as a bound.
  if (nc < 0 || nc > kMaxComp)
    casecheck::Refuse(r.Line(), Field("成分数", "the number of components"), std::to_string(nc),
                      "は 0..20 の範囲外です", "is outside 0..20");
  using casecheck::NonNegative;
  for (int i = 1; i <= nc; ++i) into.Comp_Name[i] = r.Text();
  for (int i = 1; i <= nc; ++i) {
    into.Mol_Wt[i] = NonNegative(r, Field("分子量", "molecular weight", i));
    into.Antoine_A[i] = r.Double();
    into.Antoine_B[i] = r.Double();
    into.Antoine_C[i] = r.Double();
    into.Comp_Tc[i] = NonNegative(r, Field("臨界温度", "critical temperature", i));
    into.Comp_Pc[i] = NonNegative(r, Field("臨界圧力", "critical pressure", i));
    into.Comp_Vc[i] = NonNegative(r, Field("臨界容積", "critical volume", i));
    into.Comp_Omega[i] = r.Double();
  }
  if (flashLayout)
    for (int i = 1; i <= nc; ++i) {
      into.Flash_Cp_1[i] = r.Double();
      into.Flash_Cp_2[i] = r.Double();
      into.Flash_Cp_3[i] = r.Double();
      into.Flash_Cp_4[i] = r.Double();
      into.Flash_Cp_5[i] = r.Double();
      into.Flash_Cp_6[i] = r.Double();
    }
  for (int i = 1; i <= nc; ++i) {
    into.HL_A[i] = r.Double();
    into.HL_B[i] = r.Double();
    into.HL_C[i] = r.Double();
    into.HV_A[i] = r.Double();
    into.HV_B[i] = r.Double();
    into.HV_C[i] = r.Double();
  }
  if (!flashLayout)
    for (int i = 1; i <= nc; ++i) {
      into.Cp_A[i] = r.Double();
      into.Cp_B[i] = r.Double();
      into.Cp_C[i] = r.Double();
      into.Cp_D[i] = r.Double();
    }
  ReadWilson(r, into.Wilson_Lambda, nc);
  ReadMatrix(r, into.NRTL_Tau, nc);
  into.NRTL_Alpha = NonNegative(r, Field("NRTL α", "NRTL alpha"));
  ReadMatrix(r, into.EOS_Kij, nc);
}
