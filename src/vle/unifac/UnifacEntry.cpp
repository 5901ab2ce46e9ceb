#include "vle/unifac/UnifacEntry.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/model/PhysicalRange.h"
#include "core/model/PhysicalUnits.h"
#include "platform/text/NumberText.h"

namespace unifac {

namespace {

// Shows a check's message in the language of the session and keeps it in Msg_Text.
void Refuse(const char* ja, const char* en) {
  Case.Msg_Text = In_English() ? en : ja;
  Calc_Message(Case.Msg_Text);
}

// The same for a message already in the session's language.
void RefuseText(const std::string& text) {
  Case.Msg_Text = text;
  Calc_Message(Case.Msg_Text);
}

constexpr long long kMaxCount = 1000;  // groups of one kind in one molecule

bool IsEmptyCell(const std::string& text) {
  return text.find_first_not_of(" \t") == std::string::npos;
}

// The number a cell or box holds, or false after refusing it with a message
// that names the field.
bool NumberOf(const std::string& text, const std::string& field, double& value) {
  const txt::NumberProblem problem = txt::ParseNumber(text, value);
  if (problem == txt::NumberProblem::None) return true;
  Case.Msg_Text = txt::NumberProblemMessage(problem, field, text);
  Calc_Message(Case.Msg_Text);
  return false;
}

// A group count: wholly a whole number, 0..1000. A negative count keeps its
// own message; a fraction (a molecule holds no half group) and one past the
// range are refused before conversion, never rounded or wrapped.
bool CountOf(const std::string& text, int comp, int sub, int32_t& count) {
  const std::string field = InLanguage("原子寄与団", "Group") + " " + std::to_string(sub) + " x" + std::to_string(comp);
  double value = 0;
  if (!NumberOf(text, field, value)) return false;
  if (value < 0) {
    Refuse("原子寄与団の数が負です", "Negative group count");
    return false;
  }
  long long n = 0;
  const txt::NumberProblem problem =
      value != std::floor(value) ? txt::NumberProblem::OutOfRange : txt::ParseCount(text, 0, kMaxCount, n);
  if (problem != txt::NumberProblem::None) {
    Case.Msg_Text = txt::NumberProblemMessage(problem, field, text, 0, kMaxCount);
    Calc_Message(Case.Msg_Text);
    return false;
  }
  count = static_cast<int32_t>(n);
  return true;
}

bool CheckComponents(const UnifacEntry& entry) {
  for (int i = 1; i <= kNComp; ++i) {
    if (IsEmptyCell(entry.Name[i])) {
      Refuse("成分名が未入力です", "No Component Name");
      return false;
    }
    // All three are read before any is stored: a refused cell leaves the case alone.
    static const char* const kHeads[4] = {"", "Ａ", "Ｂ", "Ｃ"};
    double abc[4] = {0, 0, 0, 0};
    for (int c = 1; c <= 3; ++c) {
      if (IsEmptyCell(entry.Antoine[i][c])) continue;  // refused below as missing
      const std::string field = InLanguage("Antoine定数", "Antoine's Para.") + " " + kHeads[c] + " (" + entry.Name[i] + ")";
      if (!NumberOf(entry.Antoine[i][c], field, abc[c])) return false;
    }
    Case.Comp_Name[i] = entry.Name[i];
    Case.Antoine_A[i] = abc[1];
    Case.Antoine_B[i] = abc[2];
    Case.Antoine_C[i] = abc[3];
    if (Case.Antoine_A[i] == 0 || Case.Antoine_B[i] == 0 || Case.Antoine_C[i] == 0) {
      Refuse("Antoine 定数が未入力です", "No Antoine's parameters");
      return false;
    }
  }
  return true;
}

bool CheckConditions(const UnifacEntry& entry, UnifacData& data) {
  if (IsEmptyCell(entry.Press)) {
    Refuse("圧力が未入力です", "No Pressure data");
    return false;
  }
  double press = 0;
  if (!NumberOf(entry.Press, InLanguage("圧力", "Press"), press)) return false;
  // No bubble point exists at a pressure of 0 or less (the iteration would end
  // at the foot of the vapour-pressure curve as if it had found one), nor far
  // beyond the suite's range of pressures (the box is in mmHg).
  if (const std::string range = Press_Range_Problem(press * kMPaPerMmHg, "圧力", "Press"); !range.empty()) {
    RefuseText(range);
    return false;
  }
  data.VLE_Press = press;
  if (IsEmptyCell(entry.Temp)) {
    Refuse("温度が未入力です", "No Temperaturee data");
    return false;
  }
  double temp = 0;
  if (!NumberOf(entry.Temp, InLanguage("温度初期値", "Init Temp"), temp)) return false;
  // Antoine's equation and psi = exp(-a / T) have no meaning at or below 0 K.
  if (const std::string range = Temp_Range_Problem(temp, "温度初期値", "Init Temp"); !range.empty()) {
    RefuseText(range);
    return false;
  }
  data.Init_Temp = temp;
  return true;
}

// Builds the distinct-group list from the count cells, subgroup by subgroup,
// component 1's cell before component 2's. More than ten distinct subgroups do
// not fit the list and are refused.
bool BuildGroupList(const UnifacEntry& entry, UnifacData& data, bool hasGroup[kNComp + 1]) {
  data.UNIFAC_NGroup = 0;
  for (auto& row : data.UNIFAC_Nu) std::fill(std::begin(row), std::end(row), 0);
  const int shown = std::min<int>(data.UNIFAC_NSub, kGridSub);
  for (int k = 1; k <= shown; ++k) {
    for (int i = 1; i <= kNComp; ++i) {
      if (IsEmptyCell(entry.Count[i][k])) continue;
      const int position = Add_Group(data, k);
      if (position == 0) {
        Refuse("原子寄与団は10種類までしか選択できません",
               "No more than 10 groups can be chosen");
        return false;
      }
      if (!CountOf(entry.Count[i][k], i, k, data.UNIFAC_Nu[i][position])) return false;
      hasGroup[i] = true;
    }
  }
  return true;
}

// A negative count has no meaning, and a component whose counts are all 0 has
// no size (r = q = 0), which the combinatorial part cannot take.
bool CheckCounts(const UnifacData& data, const bool hasGroup[kNComp + 1]) {
  if (!hasGroup[1] || !hasGroup[2]) {
    Refuse("原子寄与団が未選択です", "No group data");
    return false;
  }
  for (int i = 1; i <= kNComp; ++i)
    for (int g = 1; g <= data.UNIFAC_NGroup; ++g)
      if (data.UNIFAC_Nu[i][g] < 0) {
        Refuse("原子寄与団の数が負です", "Negative group count");
        return false;
      }
  for (int i = 1; i <= kNComp; ++i) {
    int total = 0;
    for (int g = 1; g <= data.UNIFAC_NGroup; ++g) total += data.UNIFAC_Nu[i][g];
    if (total == 0) {
      Refuse("原子寄与団が未選択です", "No group data");
      return false;
    }
  }
  return true;
}

void ComputeComponentParameters(UnifacData& data) {
  for (int i = 1; i <= kNComp; ++i) {
    double r = 0, q = 0;
    for (int g = 1; g <= data.UNIFAC_NGroup; ++g) {
      const int k = data.UNIFAC_Group_List[g];
      r += data.UNIFAC_Nu[i][g] * data.UNIFAC_R[k];
      q += data.UNIFAC_Nu[i][g] * data.UNIFAC_Q[k];
    }
    data.UNIFAC_Comp_r[i] = r;
    data.UNIFAC_Comp_q[i] = q;
    data.UNIFAC_Comp_l[i] = 4 * r - 5 * q + 1;  // (z/2)(r - q) - (r - 1), z = 10
  }
}

// Every missing main-group pair in one message, each ordered pair once, in the
// order of the list positions.
bool CheckInteractions(const UnifacData& data) {
  std::vector<std::pair<int, int>> missing;
  for (int m = 1; m <= data.UNIFAC_NGroup; ++m) {
    for (int n = 1; n <= data.UNIFAC_NGroup; ++n) {
      const int M = data.UNIFAC_Main_Of[data.UNIFAC_Group_List[m]];
      const int N = data.UNIFAC_Main_Of[data.UNIFAC_Group_List[n]];
      if (data.UNIFAC_A[M][N] < kMissingBelow &&
          std::find(missing.begin(), missing.end(), std::make_pair(M, N)) == missing.end())
        missing.emplace_back(M, N);
    }
  }
  if (missing.empty()) return true;
  std::string text;
  for (const auto& [M, N] : missing) {
    if (!text.empty()) text += "\n";
    text += "相互作用ﾊﾟﾗﾒｰﾀ a" + txt::Signed(M) + "," + txt::Signed(N) + "が登録されていません。";
  }
  Case.Msg_Text = text;
  Calc_Message(text);
  return false;
}

}  // namespace

void Clear_Group_Count(UnifacEntry& entry) {
  for (auto& row : entry.Count)
    for (auto& cell : row) cell.clear();
}

void Apply_Example(UnifacEntry& entry, int example) {
  struct Component {
    const char* name;
    const char* a;
    const char* b;
    const char* c;
  };
  static const Component kMethanol1{"Methanol", "7.87863", "1473.11", "230.0"};
  static const Component kWater{"Water", "8.07131", "1730.63", "233.426"};
  static const Component kBenzene{"Benzene", "6.90565", "1211.033", "220.790"};
  static const Component kMethanol2{"Methanol", "7.8786", "1473.11", "230"};
  Clear_Group_Count(entry);
  const bool first = example == 1;
  const Component* comps[3] = {nullptr, first ? &kMethanol1 : &kBenzene,
                               first ? &kWater : &kMethanol2};
  for (int i = 1; i <= kNComp; ++i) {
    entry.Name[i] = comps[i]->name;
    entry.Antoine[i][1] = comps[i]->a;
    entry.Antoine[i][2] = comps[i]->b;
    entry.Antoine[i][3] = comps[i]->c;
  }
  // (component, subgroup, count): CH3OH and H2O, or six aromatic CH and CH3OH.
  struct Cell {
    int comp, sub;
    char count;
  };
  static const Cell kCells[2][2] = {{{1, 16, '1'}, {2, 17, '1'}}, {{1, 10, '6'}, {2, 16, '1'}}};
  for (const Cell& c : kCells[first ? 0 : 1]) entry.Count[c.comp][c.sub].assign(1, c.count);
  entry.Press = "760";
  entry.Temp = "80";
}

int Add_Group(UnifacData& data, int k) {
  for (int g = 1; g <= data.UNIFAC_NGroup; ++g)
    if (data.UNIFAC_Group_List[g] == k) return g;
  if (data.UNIFAC_NGroup >= kMaxGroup) return 0;
  ++data.UNIFAC_NGroup;
  data.UNIFAC_Group_List[data.UNIFAC_NGroup] = k;
  return data.UNIFAC_NGroup;
}

bool Estimate_Start(const UnifacEntry& entry, UnifacData& data) {
  if (!CheckComponents(entry) || !CheckConditions(entry, data)) return false;
  bool hasGroup[kNComp + 1] = {};
  if (!BuildGroupList(entry, data, hasGroup) || !CheckCounts(data, hasGroup)) return false;
  ComputeComponentParameters(data);
  return CheckInteractions(data);
}

}  // namespace unifac
