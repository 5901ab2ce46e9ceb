#include "core/model/CaseFileBlocks.h"

#include <algorithm>
#include <string>

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
    throw seqfile::ReadError("line " + std::to_string(r.Line()) + ": the number of components " +
                             std::to_string(nc) + " is outside 0..20");
  for (int i = 1; i <= nc; ++i) into.Comp_Name[i] = r.Text();
  for (int i = 1; i <= nc; ++i) {
    into.Mol_Wt[i] = r.Double();
    into.Antoine_A[i] = r.Double();
    into.Antoine_B[i] = r.Double();
    into.Antoine_C[i] = r.Double();
    into.Comp_Tc[i] = r.Double();
    into.Comp_Pc[i] = r.Double();
    into.Comp_Vc[i] = r.Double();
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
  ReadMatrix(r, into.Wilson_Lambda, nc);
  ReadMatrix(r, into.NRTL_Tau, nc);
  into.NRTL_Alpha = r.Double();
  ReadMatrix(r, into.EOS_Kij, nc);
}
