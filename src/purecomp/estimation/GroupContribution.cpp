#include "purecomp/estimation/GroupContribution.h"

#include <cmath>

#include "platform/text/NumberText.h"
#include "purecomp/estimation/PhysData.h"

namespace physprop {

namespace {

constexpr double kBarPerAtm = 1.01325;

std::string Trimmed(const char* name) {
  std::string s = name;
  const auto b = s.find_first_not_of(' ');
  const auto e = s.find_last_not_of(' ');
  return b == std::string::npos ? s : s.substr(b, e - b + 1);
}

GroupEstimate Refused(const std::vector<std::string>& missing) {
  GroupEstimate r;
  r.status = GroupStatus::MissingContribution;
  r.missingGroups = missing;
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

// Pc in atm. Joback's and Klincewicz-Reid's relations give bar.
double Pc_Atm(GroupMethod m, double S, double M, int atoms) {
  switch (m) {
    case GroupMethod::Lydersen: return M / std::pow(0.34 + S, 2);
    case GroupMethod::Ambrose: return M / std::pow(0.339 + S, 2);
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
  int* counts = Group_Counts(method);
  GroupSums s;
  for (int i = 1; i <= table.Rows(); ++i) {
    const std::string text = i < static_cast<int>(countTexts.size()) ? countTexts[static_cast<std::size_t>(i)] : "";
    const int n = static_cast<int>(txt::ValCount(text));
    counts[i] = n;
    const GroupRow& row = table.Row(i);
    for (int c = 0; c < table.contributionCols; ++c) {
      if (row.cell[c] == nullptr) {
        if (n != 0) s.missing[c].push_back(Trimmed(row.name));
        continue;
      }
      s.sums[c] += n * txt::Val(row.cell[c]);
    }
  }
  return s;
}

GroupEstimate Critical_Estimate(GroupMethod method, const std::vector<std::string>& countTexts) {
  const GroupSums s = Sum_Groups(method, countTexts);
  for (int c = 0; c < 3; ++c)
    if (!s.missing[c].empty()) return Refused(s.missing[c]);
  const double M = Phys.Phys_Mol_Wt;
  double Tc = Phys.Phys_Tc, TbK, TbC = Phys.Phys_Tb_C;
  if (Phys.Phys_Tb_Blank == 0) {
    TbK = Phys.Phys_Tb_C + 273.15;
    Tc = Tc_From_Tb(method, TbK, s.sums[0], M);
  } else {
    TbK = Tb_From_Tc(method, Tc, s.sums[0], M);
    TbC = TbK - 273.15;
  }
  const double Pc = Pc_Atm(method, s.sums[1], M, Phys.Phys_Total_Atom);
  const double Vc = Vc_Cm3(method, s.sums[2], M);
  GroupEstimate r = Finite_Or_Refused({Tc, TbK, Pc, Vc});
  if (r.status != GroupStatus::Estimated) return r;
  Phys.Phys_Tc = Tc;
  Phys.Phys_Tb_K = TbK;
  Phys.Phys_Tb_C = TbC;
  Phys.Phys_Pc = Pc;
  Phys.Phys_Vc = Vc;
  return r;
}

GroupEstimate Fedors_Estimate(const std::vector<std::string>& countTexts) {
  const GroupSums s = Sum_Groups(GroupMethod::Fedors, countTexts);
  const int nA = Phys.Phys_Total_Atom;
  const int col = nA == 0 ? 0 : 1;
  if (!s.missing[col].empty()) return Refused(s.missing[col]);
  // The group values satisfy dj1 = 10^-0.35 (atoms of the group + dj2), so the
  // relation with the atom count is the first one written with nA + S2.
  const double arg = nA == 0 ? s.sums[0] : (nA + s.sums[1]) * std::pow(10.0, -0.35);
  const double Tc = arg > 0 ? 535.0 * std::log10(arg) : NAN;
  GroupEstimate r = Finite_Or_Refused({Tc});
  if (r.status != GroupStatus::Estimated) return r;
  Phys.Phys_Tb_Blank = 1;
  Phys.Phys_Tc = Tc;
  return r;
}

GroupEstimate Cp0_Estimate(const std::vector<std::string>& countTexts) {
  const GroupSums s = Sum_Groups(GroupMethod::RihaniDoraiswamy, countTexts);
  for (int c = 0; c < 4; ++c)
    if (!s.missing[c].empty()) return Refused(s.missing[c]);
  Phys.Phys_Cp0[1] = s.sums[0];
  Phys.Phys_Cp0[2] = s.sums[1] * 0.01;
  Phys.Phys_Cp0[3] = s.sums[2] * 0.0001;
  Phys.Phys_Cp0[4] = s.sums[3] * 1e-6;
  return GroupEstimate{};
}

std::string Group_Estimate_Message(const GroupEstimate& estimate) {
  if (estimate.status == GroupStatus::MissingContribution) {
    std::string names;
    for (const auto& n : estimate.missingGroups) names += (names.empty() ? "" : ", ") + n;
    return "寄与値が登録されていない構造要素があるため推算できません: " + names;
  }
  if (estimate.status == GroupStatus::NotFinite)
    return "推算値が計算できません。構造要素の数、分子量、沸点、原子数を確認して下さい。";
  return "";
}

}  // namespace physprop
