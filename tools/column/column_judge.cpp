// Judges the column engine on random feasible columns (ColumnGenerator.h) the
// way users meet it: each case from six estimate pairs a user might type, at
// the default iteration limits and at ten times them, against the independent
// reference (ColumnReference.h).
//
//   column_judge [--cases N] [--first K] [--seed S] [--workers W] [--out FILE.csv]
//                [--baseline FILE.csv] [--data DIR] [--quiet]
//
// Prints (and with --out writes) one CSV line per case ("case,...") and per run
// ("run,..."), then the summary per limit. A case whose reference does not
// solve with every flow positive is dropped (not feasible) and counted. With
// --baseline the runs are matched by case fingerprint, estimate and limit to
// a file an older build wrote, and the comparison is summarised.
//
// Verdicts of a run: ok (Converged on the reference within kOffReference K on
// every stage), other (Converged elsewhere on a profile that satisfies the
// stage equations: another steady state), FALSE (Converged on a profile that
// does not), infeasible (Infeasible on a feasible case), limit (did not
// converge: any other status).
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ColumnGenerator.h"
#include "ColumnReference.h"
#include "continuous/DistSolver.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"

namespace {

constexpr double kOffReference = 0.01;  // K: a converged stage temperature further from the reference is off it
// A converged profile off the reference whose scaled residual in the reference's equations is
// below this is another steady state of the column, not a false verdict.
constexpr double kOtherSolution = 1e-5;

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

struct Options {
  int cases = 300, first = 0, workers = 0;
  uint64_t seed = 1;
  std::string out, baseline, data = VZ_DATA_DIR;
  bool quiet = false;
};

const char* kEstimates[] = {"boiling", "rounded", "low30", "high30", "tophot", "20-200"};

// The six estimate pairs of case `col` with reference ends top and bottom.
void EstimatePair(int e, const GenColumn& col, double top, double bottom, double& t1, double& t2) {
  switch (e) {
    case 0:
      t1 = Pure_Boiling_Point(col.comps.front(), col.pTop);
      t2 = Pure_Boiling_Point(col.comps.back(), col.pBottom);
      break;
    case 1: t1 = std::round(top / 10) * 10, t2 = std::round(bottom / 10) * 10; break;
    case 2: t1 = top - 30, t2 = bottom - 30; break;
    case 3: t1 = top + 30, t2 = bottom + 30; break;
    case 4: t1 = top + 20, t2 = bottom - 20; break;
    default: t1 = 20, t2 = 200; break;
  }
  t1 = std::round(t1 * 100) / 100;
  t2 = std::round(t2 * 100) / 100;
}

// Every line one worker writes for one case.
std::string JudgeCase(const ComponentTables& tables, const Options& o, int index) {
  std::ostringstream out;
  out.precision(6);
  const GenColumn col = Generate_Column(tables, o.seed, index);
  Lay_Column(col, 50, 100);
  const RefProfile ref = Reference_Solve(col);
  bool positive = ref.solved;
  for (size_t j = 0; positive && j < ref.T.size(); ++j)
    positive = (j == 0 || ref.V[j] > 0) && ref.L[j] > 0;
  const bool feasible = ref.solved && positive;
  const int nt = col.nt, nc = static_cast<int>(col.comps.size());
  char hash[32];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(col.Hash()));
  out << "case," << index << "," << hash << "," << (feasible ? 1 : 0) << "," << (feasible ? 0.0 : ref.residual) << ","
      << (ref.T.empty() ? NAN : ref.T.front()) << "," << (ref.T.empty() ? NAN : ref.T.back()) << ","
      << (feasible ? "" : ref.why) << ",\"" << col.Describe() << "\"\n";
  if (!feasible) return out.str();
  for (int e = 0; e < 6; ++e) {
    double t1, t2;
    EstimatePair(e, col, ref.T.front(), ref.T.back(), t1, t2);
    for (int factor : {1, 10}) {
      Lay_Column(col, t1, t2, factor);
      DistSolver solver(false);
      const DistRunOutcome run = solver.Run();
      const int iterations = run.passes[1].iterations + run.passes[2].iterations;
      double dev = 0, resid = NAN;
      std::string verdict = "limit";
      if (run.status == DistRunStatus::Converged) {
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
          dev = std::max(dev, std::fabs(Case.Tray_T[j] - ref.T[j - 1]));
        }
        if (!std::isfinite(dev)) dev = 1e300;
        resid = Reference_Residual(col, mine);
        verdict = dev <= kOffReference ? "ok" : resid <= kOtherSolution ? "other" : "FALSE";
      } else if (run.status == DistRunStatus::Infeasible) {
        verdict = "infeasible";
      }
      out << "run," << index << "," << hash << "," << kEstimates[e] << "," << factor << "," << StatusName(run.status)
          << "," << iterations << "," << dev << "," << resid << "," << verdict << "\n";
    }
  }
  return out.str();
}

struct Run {
  std::string hash, estimate, status, verdict;
  int index = 0, factor = 0, iterations = 0;
  double dev = 0;
};

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> f;
  std::string cur;
  bool q = false;
  for (char ch : line) {
    if (ch == '"') q = !q;
    else if (ch == ',' && !q) f.push_back(cur), cur.clear();
    else cur += ch;
  }
  f.push_back(cur);
  return f;
}

std::vector<Run> ReadRuns(const std::string& text) {
  std::vector<Run> runs;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("run,", 0) != 0) continue;
    const auto f = Fields(line);
    if (f.size() < 10) continue;
    Run r;
    r.index = std::atoi(f[1].c_str());
    r.hash = f[2];
    r.estimate = f[3];
    r.factor = std::atoi(f[4].c_str());
    r.status = f[5];
    r.iterations = std::atoi(f[6].c_str());
    r.dev = std::atof(f[7].c_str());
    r.verdict = f[9];
    runs.push_back(r);
  }
  return runs;
}

std::string Summary(const std::string& text, const std::string& baselineText) {
  std::ostringstream o;
  int cases = 0, feasible = 0;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("case,", 0) == 0) {
      ++cases;
      feasible += Fields(line)[3] == "1";
    }
  o << "summary,cases " << cases << ", feasible " << feasible << ", dropped (reference unsolved) " << cases - feasible
    << "\n";
  const std::vector<Run> runs = ReadRuns(text);
  std::map<std::string, Run> base;
  for (const Run& r : ReadRuns(baselineText)) base[r.hash + r.estimate + std::to_string(r.factor)] = r;
  for (int factor : {1, 10}) {
    int n = 0, conv = 0, falseConv = 0, other = 0, infeasible = 0;
    long both = 0, bothBase = 0;
    int matched = 0, lost = 0, gained = 0, beyond = 0;
    double worst = 0;
    std::string worstRun;
    for (const Run& r : runs) {
      if (r.factor != factor) continue;
      ++n;
      conv += r.verdict == "ok";
      other += r.verdict == "other";
      falseConv += r.verdict == "FALSE";
      infeasible += r.verdict == "infeasible";
      auto it = base.find(r.hash + r.estimate + std::to_string(r.factor));
      if (it == base.end()) continue;
      ++matched;
      const bool mine = r.verdict == "ok", theirs = it->second.verdict == "ok";
      lost += theirs && !mine;
      gained += mine && !theirs;
      if (mine && theirs) {
        both += r.iterations;
        bothBase += it->second.iterations;
        const double ratio = static_cast<double>(r.iterations) / std::max(1, it->second.iterations);
        if (r.iterations > 3 * it->second.iterations + 10) ++beyond;
        if (ratio > worst) {
          worst = ratio;
          worstRun = std::to_string(r.index) + "/" + r.estimate + " " + std::to_string(r.iterations) + " vs " +
                     std::to_string(it->second.iterations);
        }
      }
    }
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "summary,limits x%d: runs %d, converged on the reference %d (%.1f %%), false Converged %d, "
                  "Converged on another steady state %d, Infeasible on feasible cases %d\n",
                  factor, n, conv, n ? 100.0 * conv / n : 0.0, falseConv, other, infeasible);
    o << buf;
    if (!baselineText.empty()) {
      std::snprintf(buf, sizeof buf,
                    "summary,limits x%d vs baseline: matched %d, lost %d, gained %d, iterations over runs both solve "
                    "%ld vs %ld, worst ratio %.2f (%s), beyond 3x+10: %d\n",
                    factor, matched, lost, gained, both, bothBase, worst, worstRun.c_str(), beyond);
      o << buf;
    }
  }
  return o.str();
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int a = 1; a < argc; ++a) {
    const std::string k = argv[a];
    auto next = [&]() -> std::string {
      if (a + 1 >= argc) {
        std::fprintf(stderr, "%s needs a value\n", k.c_str());
        std::exit(2);
      }
      return argv[++a];
    };
    if (k == "--cases") o.cases = std::atoi(next().c_str());
    else if (k == "--first") o.first = std::atoi(next().c_str());
    else if (k == "--seed") o.seed = std::strtoull(next().c_str(), nullptr, 10);
    else if (k == "--workers") o.workers = std::atoi(next().c_str());
    else if (k == "--out") o.out = next();
    else if (k == "--baseline") o.baseline = next();
    else if (k == "--data") o.data = next();
    else if (k == "--quiet") o.quiet = true;
    else {
      std::fprintf(stderr, "unknown option %s\n", k.c_str());
      return 2;
    }
  }
  if (o.workers <= 0) o.workers = std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 2);
  Set_Calc_Message_Handler([](const std::string&) {});
  const ComponentTables tables(o.data);

  // The library works on one process-wide case: the workers are processes,
  // each writing its cases to a file of its own.
  char tmpl[] = "/tmp/column_judge_XXXXXX";
  const char* dir = mkdtemp(tmpl);
  if (!dir) {
    std::perror("mkdtemp");
    return 1;
  }
  std::vector<pid_t> kids;
  for (int w = 0; w < o.workers; ++w) {
    const pid_t pid = fork();
    if (pid == 0) {
      std::ofstream f(std::string(dir) + "/" + std::to_string(w));
      for (int i = o.first + w; i < o.first + o.cases; i += o.workers) {
        f << JudgeCase(tables, o, i);
        f.flush();
      }
      std::_Exit(0);
    }
    kids.push_back(pid);
  }
  for (pid_t p : kids) waitpid(p, nullptr, 0);
  std::map<int, std::string> byCase;
  for (int w = 0; w < o.workers; ++w) {
    const std::string path = std::string(dir) + "/" + std::to_string(w);
    std::istringstream in(Slurp(path));
    std::string line;
    while (std::getline(in, line)) {
      const auto f = Fields(line);
      if (f.size() > 1) byCase[std::atoi(f[1].c_str())] += line + "\n";
    }
    std::remove(path.c_str());
  }
  rmdir(dir);
  std::string text;
  for (const auto& [i, lines] : byCase) text += lines;
  const std::string summary = Summary(text, o.baseline.empty() ? "" : Slurp(o.baseline));
  if (!o.quiet) std::fputs(text.c_str(), stdout);
  std::fputs(summary.c_str(), stdout);
  if (!o.out.empty()) {
    std::ofstream f(o.out);
    f << "# column_judge --seed " << o.seed << " --first " << o.first << " --cases " << o.cases << "\n"
      << text << summary;
  }
  return 0;
}
