// Group-contribution tables of the critical-constant and ideal-gas heat-capacity
// dialogs: the group names and the contribution texts of each row, as the
// dialogs' grids show them.
#pragma once

#include <string>
#include <vector>

namespace physprop {

// One group row. A contribution is its text ("00000" reads as 0, kept only
// where the method has no such contribution by design); an empty text marks a
// heading row; nullptr a contribution for which no published value is at hand
// (a count on it cannot be estimated); kCarbonNumberCell one that a relation in
// the carbon number gives (Ambrose_Alcohol_Increment).
struct GroupRow {
  const char* name;
  const char* cell[4];
};

inline constexpr const char* kCarbonNumberCell = "f(nC)";

// Ambrose rows: carbon atoms (alkyl) and the aliphatic-alcohol -OH.
constexpr int kAmbroseCarbonRow = 1;
constexpr int kAmbroseAlcoholRow = 28;

// Ambrose (1978, 1979) increment of one aliphatic-alcohol -OH for column 0 (Tc)
// or 1 (Pc), with nC carbon atoms: 0.87 - 0.11 nC + 0.003 nC^2 and 0.100 - 0.013 nC.
double Ambrose_Alcohol_Increment(int column, int carbonAtoms);

enum class GroupMethod { Lydersen, Ambrose, Joback, Klincewicz, Fedors, RihaniDoraiswamy };

struct GroupTable {
  GroupMethod method;
  const char* caption;      // the dialog's caption
  const char* captionEn;    // the same in English
  const char* countTitle;   // title of the count column
  int contributionCols;     // columns 3.. of the grid
  const char* colTitles[4];
  const std::vector<GroupRow>* rows;  // rows 1..N as elements 0..N-1
  int Rows() const { return static_cast<int>(rows->size()); }
  const GroupRow& Row(int i) const { return (*rows)[static_cast<std::size_t>(i - 1)]; }
};

const GroupTable& Group_Table(GroupMethod method);

// A row's group name without its indent, in the chosen language (names of the
// table written in Japanese have an English form).
std::string Group_Row_Name(GroupMethod method, int row);
// The grid's cell text of a row's name (indent kept) and the dialog's caption, in the chosen language.
std::string Group_Row_Cell(GroupMethod method, int row);
std::string Group_Caption(GroupMethod method);
// A heading row: its contribution cells are empty; it only groups the rows below.
bool Group_Heading_Row(GroupMethod method, int row);

// The kept counts of a method's dialog (Phys_Cnt_*), elements 1..Rows().
int* Group_Counts(GroupMethod method);

}  // namespace physprop
