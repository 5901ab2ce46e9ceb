// What the lookups copy from a chosen database row into the case: each copy
// reads every value it needs first and writes only when all of them are there,
// so that a failed copy leaves the case as it was.
#pragma once

#include <optional>
#include <string>

#include "database/PropertyDb.h"

namespace vzdb {

// The six lookups.
enum class LookupKind { Antoine, Component, Wilson, NRTL, Kij, Enthalpy };

// Antoine constants of one row (log10 P[mmHg] = A - B / (t[degC] + C)).
struct AntoineSet {
  std::string formula, name;
  double a = 0, b = 0, c = 0;
};
// The set, or nullopt when An, Bn or Cn is empty.
std::optional<AntoineSet> Antoine_From_Record(const Record& row);
// Stores the constants of component row (1..20); false (nothing stored) outside.
bool Store_Antoine(int row, const AntoineSet& set);

// Critical constants of one row: MW as its stored text, the others only where
// the row holds a value.
struct ComponentSet {
  std::string formula, name, mw_text;
  std::optional<double> tc_K, pc_bar, vc, omega;
};
ComponentSet Component_From_Record(const Record& row);

// Positions a and b of a pair's names among the components 1..count (letter
// case included), or nullopt when either name is not one of them.
struct PairPositions {
  int a = 0, b = 0;
};
std::optional<PairPositions> Pair_Positions(const std::string& name1, const std::string& name2,
                                            int count);
// How many components a pair copy searches: the case's NC for the K-value
// dialog's matrices; two for the VLE estimation, which keeps its pair in
// components 1 and 2 and leaves NC as the last program set it.
int Pair_Component_Count(bool vle_estimation);

// The components whose pair a matrix lookup searches: (row, column) of the
// K-value dialog's matrix, the smaller number first; nullopt outside 1..20.
std::optional<PairPositions> Matrix_Pair(int active_row, int active_column);

// The 12 and 21 values of a pair row, with the positions of its names.
struct PairSet {
  PairPositions at;
  double v12 = 0, v21 = 0;  // Lambda12/21, Tau12/21, or Kij twice
};
// The set of a Wilson, NRTL or Kij row; nullopt when a name is not one of the
// components 1..count or a value is empty.
std::optional<PairSet> Pair_From_Record(LookupKind kind, const Record& row, int count);
// Into the case matrix: (a, b) = 12 value, (b, a) = 21 value (Kij both).
void Store_Pair_Matrix(LookupKind kind, const PairSet& set);
// Into the VLE estimation's pair values: as stored when the row's Name1 is
// component 1, else swapped (Wilson and NRTL).
void Store_Pair_VLE(LookupKind kind, const PairSet& set);

// Enthalpy lookup: the table that the enthalpy dialog's list index chooses
// (1 polynomial: EnthalpyCoefficent, 2 and 3: HeatCapacity), else nullptr.
const TableSpec* Enthalpy_Table(int list_index);
// Coefficients of one row in the order of the enthalpy dialog's columns 2..:
// AHV, BHV, CHV, AHL, BHL, CHL (list index 1) or CpA..CpD (2, 3).
struct EnthalpySet {
  std::string name;
  int count = 0;
  double v[6]{};
};
std::optional<EnthalpySet> Enthalpy_From_Record(int list_index, const Record& row);
// Stores into HV_A.., HL_A.. or Cp_A.. of component row (1..20); false outside.
bool Store_Enthalpy(int list_index, int row, const EnthalpySet& set);

}  // namespace vzdb
