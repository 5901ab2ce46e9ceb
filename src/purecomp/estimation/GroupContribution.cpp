#include "purecomp/estimation/GroupContribution.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/model/Language.h"
#include "core/model/PhysicalUnits.h"
#include "platform/text/NumberText.h"
#include "core/model/CaseData.h"
#include "purecomp/estimation/PhysData.h"

namespace physprop {

namespace {


GroupEstimate Refused(const std::vector<std::string>& missing) {
  GroupEstimate r;
  r.status = GroupStatus::MissingContribution;
  r.missingGroups = missing;
  return r;
}

GroupEstimate Bad_Count(const std::string& message) {
  GroupEstimate r;
  r.status = GroupStatus::BadCount;
  r.countMessage = message;
  return r;
}

GroupEstimate Status_Only(GroupStatus status) {
  GroupEstimate r;
  r.status = status;
  return r;
}

GroupEstimate Out_Of_Range(const char* property, const char* rangeJa, const char* rangeEn) {
  GroupEstimate r;
  r.status = GroupStatus::OutOfRange;
  r.badProperty = property;
  r.badRange = In_English() ? rangeEn : rangeJa;
  return r;
}

GroupEstimate Finite_Or_Refused(std::initializer_list<double> values) {
  GroupEstimate r;
  for (double v : values)
    if (!std::isfinite(v)) r.status = GroupStatus::NotFinite;
  return r;
}

// Boiling point (K) from Tc and back: the method's Tc relation and its inverse.
double Tc_From_Tb(GroupMethod m, double Tb, double S, double M) {
  switch (m) {
    case GroupMethod::Lydersen: return Tb / (0.567 + S - S * S);
    case GroupMethod::Ambrose: return Tb * (1.0 + 1.0 / (1.242 + S));
    case GroupMethod::Joback: return Tb / (0.584 + 0.965 * S - S * S);
    default: return 45.4 - 0.77 * M + 1.55 * Tb + S;
  }
}

double Tb_From_Tc(GroupMethod m, double Tc, double S, double M) {
  switch (m) {
    case GroupMethod::Lydersen: return Tc * (0.567 + S - S * S);
    case GroupMethod::Ambrose: return Tc / (1.0 + 1.0 / (1.242 + S));
    case GroupMethod::Joback: return Tc * (0.584 + 0.965 * S - S * S);
    default: return (Tc - 45.4 + 0.77 * M - S) / 1.55;
  }
}

// Pc in atm. Lydersen's relation gives atm; Ambrose's, Joback's and Klincewicz-Reid's give bar.
double Pc_Atm(GroupMethod m, double S, double M, int atoms) {
  switch (m) {
    case GroupMethod::Lydersen: return M / std::pow(0.34 + S, 2);
    case GroupMethod::Ambrose: return M / std::pow(0.339 + S, 2) / kBarPerAtm;
    case GroupMethod::Joback: return std::pow(0.113 + 0.0032 * atoms - S, -2) / kBarPerAtm;
    default:
      // Klincewicz & Reid (1984): Pc[bar] = M / (0.348 + 0.0159 M + sum)^2.
      return M / std::pow(0.348 + 0.0159 * M + S, 2) / kBarPerAtm;
  }
}

double Vc_Cm3(GroupMethod m, double S, double M) {
  switch (m) {
    case GroupMethod::Lydersen:
    case GroupMethod::Ambrose: return 40.0 + S;
    case GroupMethod::Joback: return 17.5 + S;
    default: return 25.2 + 2.8 * M + S;
  }
}

}  // namespace

GroupSums Sum_Groups(GroupMethod method, const std::vector<std::string>& countTexts) {
  const GroupTable& table = Group_Table(method);
  GroupSums s;
  std::vector<int> read(static_cast<std::size_t>(table.Rows() + 1), 0);
  // Every count is checked before any is kept: a refused text changes nothing.
  for (int i = 1; i <= table.Rows(); ++i) {
    const std::string text = i < static_cast<int>(countTexts.size()) ? countTexts[static_cast<std::size_t>(i)] : "";
    long long n = 0;
    const txt::NumberProblem problem = txt::ParseCount(text, kMinGroupCount, kMaxGroupCount, n);
    if (problem == txt::NumberProblem::Blank) continue;  // an empty cell: none of this group
    if (problem != txt::NumberProblem::None) {
      s.countMessage = txt::NumberProblemMessage(problem, Group_Row_Name(method, i), text, kMinGroupCount,
                                                 kMaxGroupCount);
      return s;
    }
    read[static_cast<std::size_t>(i)] = static_cast<int>(n);
  }
  int* counts = Group_Counts(method);
  const int carbonAtoms = method == GroupMethod::Ambrose ? read[static_cast<std::size_t>(kAmbroseCarbonRow)] : 0;
  for (int i = 1; i <= table.Rows(); ++i) {
    const int n = read[static_cast<std::size_t>(i)];
    counts[i] = n;
    // A count on a heading row adds nothing: it is no group of the molecule.
    if (!Group_Heading_Row(method, i)) s.counted += n;
    const GroupRow& row = table.Row(i);
    for (int c = 0; c < table.contributionCols; ++c) {
      if (row.cell[c] == nullptr) {
        if (n != 0) s.missing[c].push_back(Group_Row_Name(method, i));
        continue;
      }
      s.sums[c] += n * (std::string_view(row.cell[c]) == kCarbonNumberCell ? Ambrose_Alcohol_Increment(c, carbonAtoms)
                                                                           : txt::Val(row.cell[c]));
    }
  }
  return s;
}

GroupEstimate Critical_Estimate(GroupMethod method, const std::vector<std::string>& countTexts) {
  const GroupSums s = Sum_Groups(method, countTexts);
  if (!s.countMessage.empty()) return Bad_Count(s.countMessage);
  if (s.counted == 0) return Status_Only(GroupStatus::NoGroups);
  // Tc and Pc cannot stand without a group's increment; Vc alone can be held back.
  for (int c = 0; c < 2; ++c)
    if (!s.missing[c].empty()) return Refused(s.missing[c]);
  const double M = Phys.Phys_Mol_Wt;
  double Tc = Phys.Phys_Tc, TbK, TbC = Phys.Phys_Tb_C;
  if (Phys.Phys_Tb_Blank == 0) {
    TbK = Phys.Phys_Tb_C + kKelvinOffset;
    Tc = Tc_From_Tb(method, TbK, s.sums[0], M);
  } else {
    TbK = Tb_From_Tc(method, Tc, s.sums[0], M);
    TbC = TbK - kKelvinOffset;
  }
  // Joback's Pc is built on the atom count: a blank (or 0) count is not a count of 0 atoms.
  const bool pcNeedsAtoms =
      method == GroupMethod::Joback && (Phys.Phys_Total_Atom_Blank != 0 || Phys.Phys_Total_Atom < 1);
  const double Pc = pcNeedsAtoms ? 0.0 : Pc_Atm(method, s.sums[1], M, Phys.Phys_Total_Atom);
  const bool vcMissing = !s.missing[2].empty();
  const double Vc = vcMissing ? 0.0 : Vc_Cm3(method, s.sums[2], M);
  GroupEstimate r = Finite_Or_Refused({Tc, TbK, Pc, Vc});
  if (r.status != GroupStatus::Estimated) return r;
  // A sum that overturns a relation gives no critical point: the liquid must boil below Tc,
  // and Pc and Vc must be positive.
  if (!(TbK > 0)) return Out_Of_Range("Tb", "0 Kより高い値", "above 0 K");
  if (!(Tc > TbK)) return Out_Of_Range("Tc", "標準沸点より高い値", "above the normal boiling point");
  if (!pcNeedsAtoms && !(Pc > 0)) return Out_Of_Range("Pc", "0より大きい値", "greater than 0");
  if (!vcMissing && !(Vc > 0)) return Out_Of_Range("Vc", "0より大きい値", "greater than 0");
  r.vcMissing = s.missing[2];
  r.pcNeedsAtoms = pcNeedsAtoms;
  Phys.Phys_Tc = Tc;
  Phys.Phys_Tb_K = TbK;
  Phys.Phys_Tb_C = TbC;
  Phys.Phys_Pc = Pc;
  Phys.Phys_Vc = Vc;
  return r;
}

GroupEstimate Fedors_Estimate(const std::vector<std::string>& countTexts) {
  const GroupSums s = Sum_Groups(GroupMethod::Fedors, countTexts);
  if (!s.countMessage.empty()) return Bad_Count(s.countMessage);
  if (s.counted == 0) return Status_Only(GroupStatus::NoGroups);
  const int nA = Phys.Phys_Total_Atom;
  const int col = nA == 0 ? 0 : 1;
  if (!s.missing[col].empty()) return Refused(s.missing[col]);
  // The group values satisfy dj1 = 10^-0.35 (atoms of the group + dj2), so the
  // relation with the atom count is the first one written with nA + S2.
  const double arg = nA == 0 ? s.sums[0] : (nA + s.sums[1]) * std::pow(10.0, -0.35);
  const double Tc = arg > 0 ? 535.0 * std::log10(arg) : NAN;
  GroupEstimate r = Finite_Or_Refused({Tc});
  if (r.status != GroupStatus::Estimated) return r;
  if (!(Tc > 0)) return Out_Of_Range("Tc", "0 Kより高い値", "above 0 K");
  Phys.Phys_Tb_Blank = 1;
  Phys.Phys_Tc = Tc;
  return r;
}

GroupEstimate Cp0_Estimate(const std::vector<std::string>& countTexts) {
  const GroupSums s = Sum_Groups(GroupMethod::RihaniDoraiswamy, countTexts);
  if (!s.countMessage.empty()) return Bad_Count(s.countMessage);
  if (s.counted == 0) return Status_Only(GroupStatus::NoGroups);
  for (int c = 0; c < 4; ++c)
    if (!s.missing[c].empty()) return Refused(s.missing[c]);
  const double cp[4] = {s.sums[0], s.sums[1] * 0.01, s.sums[2] * 0.0001, s.sums[3] * 1e-6};
  // A heat capacity is positive: checked over the correlation's range, 298.15 to 1500 K
  // (a cubic has at most two extrema, so the ends and the extrema decide).
  auto cp0 = [&cp](double T) { return cp[0] + T * (cp[1] + T * (cp[2] + T * cp[3])); };
  double lowest = std::min(cp0(298.15), cp0(1500.0));
  const double a = 3 * cp[3], b = 2 * cp[2], c = cp[1];
  const double disc = b * b - 4 * a * c;
  if (a != 0 && disc >= 0)
    for (double sign : {-1.0, 1.0}) {
      const double T = (-b + sign * std::sqrt(disc)) / (2 * a);
      if (T > 298.15 && T < 1500.0) lowest = std::min(lowest, cp0(T));
    }
  else if (a == 0 && b != 0 && -c / b > 298.15 && -c / b < 1500.0)
    lowest = std::min(lowest, cp0(-c / b));
  if (!(lowest > 0)) return Out_Of_Range("Cp0", "298.15～1500 Kで0より大きい値", "greater than 0 from 298.15 to 1500 K");
  for (int k = 0; k < 4; ++k) Phys.Phys_Cp0[k + 1] = cp[k];
  return GroupEstimate{};
}

std::string Group_Estimate_Message(const GroupEstimate& estimate) {
  const bool en = In_English();
  auto joined = [](const std::vector<std::string>& names) {
    std::string out;
    for (const auto& n : names) out += (out.empty() ? "" : ", ") + n;
    return out;
  };
  switch (estimate.status) {
    case GroupStatus::BadCount: return estimate.countMessage;
    case GroupStatus::MissingContribution:
      return (en ? "No published contribution for the counted group(s), so nothing is estimated: "
                 : "寄与値が登録されていない構造要素があるため推算できません: ") +
             joined(estimate.missingGroups);
    case GroupStatus::NotFinite:
      return en ? "The estimate gives no usable value. Check the group counts, molecular weight, boiling point "
                  "and atom count."
                : "推算値が計算できません。構造要素の数、分子量、沸点、原子数を確認して下さい。";
    case GroupStatus::NoGroups:
      return en ? "No group is counted: enter how many of each group the molecule holds."
                : "構造要素が入力されていません。分子に含まれる構造要素の数を入力して下さい。";
    case GroupStatus::OutOfRange:
      return en ? "The estimated " + estimate.badProperty + " is outside its physical range (it must be " +
                      estimate.badRange + "): nothing is estimated. Check the group counts."
                : "推算した" + estimate.badProperty + "が物理的な範囲（" + estimate.badRange +
                      "）の外にあるため、推算しません。構造要素の数を確認して下さい。";
    case GroupStatus::Estimated: break;
  }
  std::string text;
  if (estimate.pcNeedsAtoms)
    text = en ? "Pc is not estimated: Joback's Pc needs the total atom count. Enter it in the main window."
              : "Joback法のPcには原子数が必要なため、Pcは推算しません。メイン画面でTotal原子数を入力して下さい。";
  if (!estimate.vcMissing.empty()) {
    if (!text.empty()) text += "\n";
    text += (en ? "Vc is not estimated: no published Vc increment for " : "Vcの寄与値の公表値がない構造要素があるため、Vcは推算しません: ") +
            joined(estimate.vcMissing);
  }
  return text;
}

}  // namespace physprop
