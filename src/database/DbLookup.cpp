#include "database/DbLookup.h"

#include <algorithm>
#include <array>

#include "core/model/CaseData.h"

namespace vzdb {

namespace {

bool In_Components(int row) { return row >= 1 && row <= kMaxComp; }

// Reads every named column; nullopt when one of them is empty.
template <std::size_t N>
std::optional<std::array<double, N>> All_Numbers(const Record& row, const char* const (&cols)[N]) {
  std::array<double, N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    const auto v = row.Number(cols[i]);
    if (!v) return std::nullopt;
    out[i] = *v;
  }
  return out;
}

}  // namespace

std::optional<AntoineSet> Antoine_From_Record(const Record& row) {
  static const char* const cols[] = {"An", "Bn", "Cn"};
  const auto v = All_Numbers(row, cols);
  if (!v) return std::nullopt;
  return AntoineSet{row.Text("Formula"), row.Text("Name"), (*v)[0], (*v)[1], (*v)[2]};
}

bool Store_Antoine(int row, const AntoineSet& set) {
  if (!In_Components(row)) return false;
  Case.Antoine_A[row] = set.a;
  Case.Antoine_B[row] = set.b;
  Case.Antoine_C[row] = set.c;
  return true;
}

ComponentSet Component_From_Record(const Record& row) {
  return {row.Text("Formula"), row.Text("Name"),   row.Text("MW"),     row.Number("Tc"),
          row.Number("Pc"),    row.Number("Vc"),   row.Number("OMG")};
}

std::optional<PairPositions> Pair_Positions(const std::string& name1, const std::string& name2,
                                            int count) {
  PairPositions p;
  // Only the components in use count: names left in rows beyond them belong
  // to no component of this case.
  const int n = std::clamp(count, 0, kMaxComp);
  for (int k = 1; k <= n; ++k) {
    if (p.a == 0 && Case.Comp_Name[k] == name1) p.a = k;
    if (p.b == 0 && Case.Comp_Name[k] == name2) p.b = k;
  }
  if (p.a == 0 || p.b == 0) return std::nullopt;
  return p;
}

int Pair_Component_Count(bool vle_estimation) { return vle_estimation ? 2 : Case.NC; }

std::optional<PairPositions> Matrix_Pair(int active_row, int active_column) {
  if (!In_Components(active_row) || !In_Components(active_column)) return std::nullopt;
  if (active_column < active_row) return PairPositions{active_column, active_row};
  return PairPositions{active_row, active_column};
}

std::optional<PairSet> Pair_From_Record(LookupKind kind, const Record& row, int count) {
  const auto at = Pair_Positions(row.Text("Name1"), row.Text("Name2"), count);
  if (!at) return std::nullopt;
  PairSet set{*at};
  if (kind == LookupKind::Kij) {
    const auto k = row.Number("Kij");
    if (!k) return std::nullopt;
    set.v12 = set.v21 = *k;
    return set;
  }
  const bool wilson = kind == LookupKind::Wilson;
  const auto v12 = row.Number(wilson ? "Lambda12" : "Tau12");
  const auto v21 = row.Number(wilson ? "Lambda21" : "Tau21");
  if (!v12 || !v21) return std::nullopt;
  set.v12 = *v12;
  set.v21 = *v21;
  return set;
}

void Store_Pair_Matrix(LookupKind kind, const PairSet& set) {
  CompMatrix& m = kind == LookupKind::Wilson ? Case.Wilson_Lambda
                  : kind == LookupKind::NRTL ? Case.NRTL_Tau
                                             : Case.EOS_Kij;
  m[set.at.a][set.at.b] = set.v12;
  m[set.at.b][set.at.a] = set.v21;
}

void Store_Pair_VLE(LookupKind kind, const PairSet& set) {
  const bool direct = set.at.a == 1;
  const double first = direct ? set.v12 : set.v21;
  const double second = direct ? set.v21 : set.v12;
  if (kind == LookupKind::Wilson) {
    Case.Wilson_L12 = first;
    Case.Wilson_L21 = second;
  } else if (kind == LookupKind::NRTL) {
    Case.NRTL_Tau12 = first;
    Case.NRTL_Tau21 = second;
  }
}

const TableSpec* Enthalpy_Table(int list_index) {
  if (list_index == 1) return Find_Table("EnthalpyCoefficent");
  if (list_index == 2 || list_index == 3) return Find_Table("HeatCapacity");
  return nullptr;
}

std::optional<EnthalpySet> Enthalpy_From_Record(int list_index, const Record& row) {
  EnthalpySet set;
  set.name = row.Text("Name");
  if (list_index == 1) {
    static const char* const cols[] = {"AHV", "BHV", "CHV", "AHL", "BHL", "CHL"};
    const auto v = All_Numbers(row, cols);
    if (!v) return std::nullopt;
    std::copy(v->begin(), v->end(), set.v);
    set.count = 6;
    return set;
  }
  if (list_index == 2 || list_index == 3) {
    static const char* const cols[] = {"CpA", "CpB", "CpC", "CpD"};
    const auto v = All_Numbers(row, cols);
    if (!v) return std::nullopt;
    std::copy(v->begin(), v->end(), set.v);
    set.count = 4;
    return set;
  }
  return std::nullopt;
}

bool Store_Enthalpy(int list_index, int row, const EnthalpySet& set) {
  if (!In_Components(row)) return false;
  if (list_index == 1 && set.count == 6) {
    Case.HV_A[row] = set.v[0];
    Case.HV_B[row] = set.v[1];
    Case.HV_C[row] = set.v[2];
    Case.HL_A[row] = set.v[3];
    Case.HL_B[row] = set.v[4];
    Case.HL_C[row] = set.v[5];
    return true;
  }
  if ((list_index == 2 || list_index == 3) && set.count == 4) {
    Case.Cp_A[row] = set.v[0];
    Case.Cp_B[row] = set.v[1];
    Case.Cp_C[row] = set.v[2];
    Case.Cp_D[row] = set.v[3];
    return true;
  }
  return false;
}

}  // namespace vzdb
