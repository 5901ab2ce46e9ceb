#include "ColumnJudge.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "continuous/DistSolver.h"
#include "core/model/CaseData.h"

namespace {

const char* StatusName(DistRunStatus s) {
  switch (s) {
    case DistRunStatus::Running: return "Running";
    case DistRunStatus::Converged: return "Converged";
    case DistRunStatus::IterationLimit: return "IterationLimit";
    case DistRunStatus::Unbalanced: return "Unbalanced";
    case DistRunStatus::Infeasible: return "Infeasible";
    case DistRunStatus::NotFinite: return "NotFinite";
    case DistRunStatus::Stopped: return "Stopped";
    case DistRunStatus::Refused: return "Refused";
  }
  return "?";
}

struct Run {
  std::string hash, estimate, verdict;
  int index = 0, factor = 0, iterations = 0;
  double residual = 0;
};

std::vector<Run> ReadRuns(const std::string& text) {
  std::vector<Run> runs;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("run,", 0) != 0) continue;
    const auto f = Csv_Fields(line);
    if (f.size() < 10) continue;
    Run r;
    r.index = std::atoi(f[1].c_str());
    r.hash = f[2];
    r.estimate = f[3];
    r.factor = std::atoi(f[4].c_str());
    r.iterations = std::atoi(f[6].c_str());
    r.residual = std::atof(f[8].c_str());
    r.verdict = f[9];
    runs.push_back(r);
  }
  return runs;
}

std::string Key(const Run& r) { return r.hash + "/" + r.estimate + "/" + std::to_string(r.factor); }

}  // namespace

std::vector<std::string> Csv_Fields(const std::string& line) {
  std::vector<std::string> f;
  std::string cur;
  bool quoted = false;
  for (char ch : line) {
    if (ch == '"') quoted = !quoted;
    else if (ch == ',' && !quoted) f.push_back(cur), cur.clear();
    else cur += ch;
  }
  f.push_back(cur);
  return f;
}

JudgeSummary Summarise_Judge(const std::string& text, const std::string& baselineText) {
  JudgeSummary out;
  std::map<int, std::string> family;  // case index -> "model balance split"
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const auto f = Csv_Fields(line);
    if (line.rfind("case,", 0) == 0 && f.size() > 3) {
      ++out.cases;
      out.feasible += f[3] == "1";
      std::istringstream d(f.back());
      std::string model, balance;
      d >> model >> balance;
      family[std::atoi(f[1].c_str())] =
          model + " " + balance + (f.back().find(" sharp") != std::string::npos ? " sharp" : " loose");
    } else if (line.rfind("dropped,", 0) == 0 && f.size() > 5) {
      out.missed += f[3] == "Converged" && std::atof(f[4].c_str()) <= kOtherSolution && std::atof(f[5].c_str()) > 0;
    }
  }
  const std::vector<Run> runs = ReadRuns(text);
  std::map<std::string, Run> base;
  for (const Run& r : ReadRuns(baselineText)) base[Key(r)] = r;
  for (int k = 0; k < 2; ++k) {
    LimitSummary& s = out.limits[k];
    s.factor = k == 0 ? 1 : 10;
    for (const Run& r : runs) {
      if (r.factor != s.factor) continue;
      ++s.runs;
      s.ok += r.verdict == "ok";
      s.other += r.verdict == "other";
      s.falseConverged += r.verdict == "FALSE";
      s.infeasible += r.verdict == "infeasible";
      if (r.verdict != "ok") ++s.notOkByFamily[family[r.index] + " " + r.verdict];
      if (r.verdict == "ok" && r.residual > kLooseBalance) ++s.okLoose;
      if (r.verdict == "ok" && r.residual > s.worstOkResidual) {
        s.worstOkResidual = r.residual;
        s.worstOkRun = std::to_string(r.index) + "/" + r.estimate;
      }
      auto it = base.find(Key(r));
      if (it == base.end()) continue;
      ++s.matched;
      const bool mine = r.verdict == "ok", theirs = it->second.verdict == "ok";
      s.lost += theirs && !mine;
      s.gained += mine && !theirs;
      if (!(mine && theirs)) continue;
      s.iterations += r.iterations;
      s.baselineIterations += it->second.iterations;
      s.beyond += r.iterations > 3 * it->second.iterations + 10;
      const double ratio = static_cast<double>(r.iterations) / std::max(1, it->second.iterations);
      if (ratio > s.worstRatio) {
        s.worstRatio = ratio;
        s.worstRun = std::to_string(r.index) + "/" + r.estimate + " " + std::to_string(r.iterations) + " vs " +
                     std::to_string(it->second.iterations);
      }
    }
  }
  return out;
}

std::string Summary_Text(const JudgeSummary& j, bool withBaseline) {
  std::ostringstream o;
  o << "summary,cases " << j.cases << ", feasible " << j.feasible << ", dropped (reference unsolved) "
    << j.cases - j.feasible << ", of which the engine solved with every flow positive " << j.missed << "\n";
  for (const LimitSummary& s : j.limits) {
    o << "summary,limits x" << s.factor << " runs not ok by family:";
    for (const auto& [k, v] : s.notOkByFamily) o << " [" << k << "] " << v;
    o << "\n";
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "summary,limits x%d: runs %d, converged on the reference %d (%.1f %%), false Converged %d, "
                  "Converged on another steady state %d, Infeasible on feasible cases %d\n",
                  s.factor, s.runs, s.ok, s.runs ? 100.0 * s.ok / s.runs : 0.0, s.falseConverged, s.other,
                  s.infeasible);
    o << buf;
    std::snprintf(buf, sizeof buf,
                  "summary,limits x%d: converged on the reference with a balance beyond %g of its own flow %d "
                  "(largest %.2e, %s)\n",
                  s.factor, kLooseBalance, s.okLoose, s.worstOkResidual, s.worstOkRun.c_str());
    o << buf;
    if (withBaseline) {
      std::snprintf(buf, sizeof buf,
                    "summary,limits x%d vs baseline: matched %d, lost %d, gained %d, iterations over runs both solve "
                    "%ld vs %ld, worst ratio %.2f (%s), beyond 3x+10: %d\n",
                    s.factor, s.matched, s.lost, s.gained, s.iterations, s.baselineIterations, s.worstRatio,
                    s.worstRun.c_str(), s.beyond);
      o << buf;
    }
  }
  return o.str();
}

const char* Estimate_Name(int e) {
  static const char* kNames[kEstimateCount] = {"boiling", "rounded", "low30", "high30", "tophot", "20-200"};
  return e >= 0 && e < kEstimateCount ? kNames[e] : "?";
}

void Estimate_Pair(int e, const GenColumn& col, const RefProfile& ref, double& t1, double& t2) {
  const double top = ref.T.front(), bottom = ref.T.back();
  switch (e) {
    case 0:
      // The lightest component's boiling point at the top, the heaviest's at the bottom.
      t1 = INFINITY, t2 = -INFINITY;
      for (const GenComponent& c : col.comps) {
        t1 = std::min(t1, Pure_Boiling_Point(c, col.pTop));
        t2 = std::max(t2, Pure_Boiling_Point(c, col.pBottom));
      }
      break;
    case 1: t1 = std::round(top / 10) * 10, t2 = std::round(bottom / 10) * 10; break;
    case 2: t1 = top - 30, t2 = bottom - 30; break;
    case 3: t1 = top + 30, t2 = bottom + 30; break;
    case 4: t1 = top + 20, t2 = bottom - 20; break;
    default: t1 = 20, t2 = 200; break;
  }
  // As typed: two decimals.
  t1 = std::round(t1 * 100) / 100;
  t2 = std::round(t2 * 100) / 100;
}

const char* Verdict_Name(Verdict v) {
  switch (v) {
    case Verdict::Ok: return "ok";
    case Verdict::Other: return "other";
    case Verdict::False: return "FALSE";
    case Verdict::Infeasible: return "infeasible";
    case Verdict::NotConverged: return "limit";
  }
  return "?";
}

bool Reference_Feasible(const RefProfile& ref) {
  if (!ref.solved || ref.T.empty()) return false;
  for (size_t j = 0; j < ref.T.size(); ++j)
    if (!((j == 0 || ref.V[j] > 0) && ref.L[j] > 0)) return false;
  return true;
}

EngineRun Run_Engine(const GenColumn& col, const RefProfile& ref, double tTop, double tBottom, int limitFactor) {
  Lay_Column(col, tTop, tBottom, limitFactor);
  DistSolver solver(false);
  const DistRunOutcome run = solver.Run();
  EngineRun r;
  r.status = StatusName(run.status);
  r.iterations = run.passes[1].iterations + run.passes[2].iterations;
  if (run.status == DistRunStatus::Infeasible) r.verdict = Verdict::Infeasible;
  if (run.status != DistRunStatus::Converged) return r;
  const int nt = col.nt, nc = static_cast<int>(col.comps.size());
  RefProfile mine;
  mine.T.resize(nt);
  mine.L.resize(nt);
  mine.V.resize(nt);
  mine.x.assign(nt, std::vector<double>(nc));
  for (int j = 1; j <= nt; ++j) {
    mine.T[j - 1] = Case.Tray_T[j];
    mine.L[j - 1] = Case.Tray_L[j];
    mine.V[j - 1] = Case.Tray_V[j];
    for (int i = 1; i <= nc; ++i) mine.x[j - 1][i - 1] = Case.Tray_X[i][j];
    const double d = std::fabs(Case.Tray_T[j] - ref.T[j - 1]);
    r.deviation = std::isfinite(d) ? std::max(r.deviation, d) : 1e300;
  }
  r.residual = Reference_Residual(col, mine);
  r.verdict = r.deviation <= kOffReference ? Verdict::Ok : r.residual <= kOtherSolution ? Verdict::Other : Verdict::False;
  return r;
}
