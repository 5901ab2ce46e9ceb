// Judges the column engine on random feasible columns (ColumnGenerator.h) the
// way users meet it: each case from six estimate pairs a user might type, at
// the default iteration limits and at ten times them, against the independent
// reference (ColumnReference.h).
//
//   column_judge [--cases N] [--first K] [--seed S] [--workers W] [--out FILE.csv]
//                [--baseline FILE.csv] [--data DIR] [--dump DIR] [--quiet]
//   column_judge --case-file FILE.dat [--case-file ...]
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
#include "ColumnJudge.h"
#include "ColumnReference.h"
#include "continuous/DistCaseFile.h"
#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "continuous/DistSolver.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/PhysicalUnits.h"

namespace {

struct Options {
  int cases = 300, first = 0, workers = 0;
  uint64_t seed = 1;
  std::string out, baseline, dump, data = VZ_DATA_DIR;
  std::vector<std::string> caseFiles;
  bool quiet = false;
};

// The reference profile in the dump format of mesh_check.py / column_newton.py
// (pressures in MPa), for checking the reference with their own formulas.
void Dump(const std::string& path, const GenColumn& col, const RefProfile& ref) {
  std::ofstream f(path);
  f.precision(17);
  const int nc = static_cast<int>(col.comps.size());
  f << nc << " " << col.nt << " " << col.kMethod << " " << col.hMethod << " 1\n";
  for (int i = 0; i < nc; ++i) {
    const GenComponent& c = col.comps[i];
    f << c.mw << " " << c.a << " " << c.b << " " << c.c;
    for (double v : c.hv) f << " " << v;
    for (double v : c.hl) f << " " << v;
    for (int j = 0; j < nc; ++j) f << " " << (col.kMethod == 2 ? col.lambda[i][j] : 1.0);
    f << "\n";
  }
  if (col.kMethod == 3) {
    f << col.alpha << "\n";
    for (int i = 0; i < nc; ++i) {
      for (int j = 0; j < nc; ++j) f << col.tau[i][j] << " ";
      f << "\n";
    }
  }
  f << col.feeds.size() << " " << col.distillate << "\n";
  for (const GenFeed& g : col.feeds) {
    f << g.stage << " " << g.flow << " " << g.t << " " << g.vf;
    for (double v : g.z) f << " " << v;
    f << "\n";
  }
  f << "0 0\n";
  for (int j = 0; j < col.nt; ++j) {
    f << ref.T[j] << " " << col.StagePressure(j + 1) * kMPaPerMmHg << " " << ref.L[j] << " " << ref.V[j];
    for (int i = 0; i < nc; ++i) f << " " << ref.x[j][i] << " " << ref.y[j][i];
    f << "\n";
  }
}

// Every line one worker writes for one case.
std::string JudgeCase(const ComponentTables& tables, const Options& o, int index) {
  std::ostringstream out;
  out.precision(6);
  const GenColumn col = Generate_Column(tables, o.seed, index);
  Lay_Column(col, 50, 100);
  const RefProfile ref = Reference_Solve(col);
  const bool feasible = Reference_Feasible(ref);
  double minV = INFINITY, minL = INFINITY;
  for (size_t j = 0; j < ref.T.size(); ++j) {
    if (j > 0) minV = std::min(minV, ref.V[j]);
    minL = std::min(minL, ref.L[j]);
  }
  char hash[32];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(col.Hash()));
  out << "case," << index << "," << hash << "," << (feasible ? 1 : 0) << "," << (feasible ? 0.0 : ref.residual) << ","
      << (ref.T.empty() ? NAN : ref.T.front()) << "," << (ref.T.empty() ? NAN : ref.T.back()) << ","
      << (feasible ? "" : ref.why) << "," << minV << "," << minL << ",\"" << col.Describe() << "\"\n";
  if (!feasible) {
    // What the engine makes of a dropped case (at ten times the limits, from
    // the pure boiling points): a converged profile that satisfies the stage
    // equations with every flow positive is a solution the reference missed.
    RefProfile none;
    none.T = {Pure_Boiling_Point(col.comps.front(), col.pTop), Pure_Boiling_Point(col.comps.back(), col.pBottom)};
    double t1, t2;
    Estimate_Pair(0, col, none, t1, t2);
    Lay_Column(col, t1, t2, 10);
    DistSolver solver(false);
    const DistRunOutcome run = solver.Run();
    double resid = NAN, minFlow = INFINITY;
    if (run.status == DistRunStatus::Converged) {
      RefProfile mine;
      for (int j = 1; j <= col.nt; ++j) {
        mine.T.push_back(Case.Tray_T[j]);
        mine.L.push_back(Case.Tray_L[j]);
        mine.V.push_back(Case.Tray_V[j]);
        mine.x.emplace_back();
        for (size_t i = 1; i <= col.comps.size(); ++i) mine.x.back().push_back(Case.Tray_X[i][j]);
        minFlow = std::min({minFlow, Case.Tray_L[j], j > 1 ? Case.Tray_V[j] : INFINITY});
      }
      resid = Reference_Residual(col, mine);
    }
    out << "dropped," << index << "," << hash << "," << (run.status == DistRunStatus::Converged ? "Converged" : "not converged")
        << "," << resid << "," << minFlow << "\n";
    return out.str();
  }
  if (!o.dump.empty()) Dump(o.dump + "/case" + std::to_string(index) + ".txt", col, ref);
  for (int e = 0; e < kEstimateCount; ++e) {
    double t1, t2;
    Estimate_Pair(e, col, ref, t1, t2);
    for (int factor : {1, 10}) {
      const EngineRun r = Run_Engine(col, ref, t1, t2, factor);
      out << "run," << index << "," << hash << "," << Estimate_Name(e) << "," << factor << "," << r.status << ","
          << r.iterations << "," << r.deviation << "," << (r.status == "Converged" ? r.residual : NAN) << ","
          << Verdict_Name(r.verdict) << "\n";
    }
  }
  return out.str();
}

// A case file of the program: the reference on every stage, the engine from
// the file's own estimates and limits, and from the six estimate pairs.
int JudgeCaseFile(const std::string& path) {
  auto read = [&] {
    Dist_Initial_set();
    Dist_Clear_Kept_Data();
    Case.Data_File = path;
    return Read_Dist_Data();
  };
  if (!read()) {
    std::printf("file,%s,unreadable\n", path.c_str());
    return 1;
  }
  GenColumn col;
  std::string why;
  if (!Column_From_Case(col, why)) {
    std::printf("file,%s,beyond the reference: %s\n", path.c_str(), why.c_str());
    return 1;
  }
  const RefProfile ref = Reference_Solve(col);
  const bool feasible = Reference_Feasible(ref);
  std::printf("file,%s,reference %s,top %.4f,bottom %.4f,residual %.1e\n", path.c_str(),
              feasible ? "solved" : ref.why.c_str(), ref.T.front(), ref.T.back(), ref.residual);
  for (size_t j = 0; j < ref.T.size(); ++j)
    std::printf("stage,%zu,T %.6f,L %.6f,V %.6f\n", j + 1, ref.T[j], ref.L[j], ref.V[j]);
  if (!feasible) return 1;
  read();
  Dist_Material_Balance();
  Initial_Composition_set();
  Initial_Profile_set();
  DistSolver solver(false);
  const DistRunOutcome run = solver.Run();
  double dev = 0;
  for (int j = 1; j <= col.nt; ++j) dev = std::max(dev, std::fabs(Case.Tray_T[j] - ref.T[j - 1]));
  std::printf("saved estimates,%s,iterations %d,max |T - Tref| %.2e K\n",
              run.status == DistRunStatus::Converged ? "Converged" : "not converged",
              run.passes[1].iterations + run.passes[2].iterations, dev);
  for (int e = 0; e < kEstimateCount; ++e) {
    double t1, t2;
    Estimate_Pair(e, col, ref, t1, t2);
    for (int factor : {1, 10}) {
      const EngineRun r = Run_Engine(col, ref, t1, t2, factor);
      std::printf("estimate,%s,%g/%g,x%d,%s,%d,%.2e,%s\n", Estimate_Name(e), t1, t2, factor, r.status.c_str(),
                  r.iterations, r.deviation, Verdict_Name(r.verdict));
    }
  }
  return 0;
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
    else if (k == "--dump") o.dump = next();
    else if (k == "--case-file") o.caseFiles.push_back(next());
    else if (k == "--quiet") o.quiet = true;
    else {
      std::fprintf(stderr, "unknown option %s\n", k.c_str());
      return 2;
    }
  }
  if (o.workers <= 0) o.workers = std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 2);
  Set_Calc_Message_Handler([](const std::string&) {});
  if (!o.caseFiles.empty()) {
    int bad = 0;
    for (const std::string& f : o.caseFiles) bad += JudgeCaseFile(f);
    return bad ? 1 : 0;
  }
  const ComponentTables tables(o.data);

  // The library works on one process-wide case: the workers are processes,
  // each writing its cases to a file of its own.
  char tmpl[] = "/tmp/column_judge_XXXXXX";
  const char* dir = mkdtemp(tmpl);
  if (!dir) {
    std::perror("mkdtemp");
    return 1;
  }
  // The case indices wait in a pipe; each worker takes the next when it is
  // free (reads of one int from a pipe are atomic), so one slow case does not
  // hold back the cases behind it.
  int queue[2];
  if (pipe(queue) != 0) {
    std::perror("pipe");
    return 1;
  }
  for (int i = o.first; i < o.first + o.cases; ++i)
    if (write(queue[1], &i, sizeof i) != static_cast<ssize_t>(sizeof i)) {
      std::perror("write");
      return 1;
    }
  close(queue[1]);
  std::vector<pid_t> kids;
  for (int w = 0; w < o.workers; ++w) {
    const pid_t pid = fork();
    if (pid == 0) {
      std::ofstream f(std::string(dir) + "/" + std::to_string(w));
      int i = 0;
      while (read(queue[0], &i, sizeof i) == static_cast<ssize_t>(sizeof i)) {
        f << JudgeCase(tables, o, i);
        f.flush();
      }
      std::_Exit(0);
    }
    kids.push_back(pid);
  }
  close(queue[0]);
  for (pid_t p : kids) waitpid(p, nullptr, 0);
  std::map<int, std::string> byCase;
  for (int w = 0; w < o.workers; ++w) {
    const std::string path = std::string(dir) + "/" + std::to_string(w);
    std::istringstream in(Slurp(path));
    std::string line;
    while (std::getline(in, line)) {
      const auto f = Csv_Fields(line);
      if (f.size() > 1) byCase[std::atoi(f[1].c_str())] += line + "\n";
    }
    std::remove(path.c_str());
  }
  rmdir(dir);
  std::string text;
  for (const auto& [i, lines] : byCase) text += lines;
  const std::string summary = Summary_Text(Summarise_Judge(text, o.baseline.empty() ? "" : Slurp(o.baseline)), !o.baseline.empty());
  if (!o.quiet) std::fputs(text.c_str(), stdout);
  std::fputs(summary.c_str(), stdout);
  if (!o.out.empty()) {
    std::ofstream f(o.out);
    f << "# column_judge --seed " << o.seed << " --first " << o.first << " --cases " << o.cases << "\n"
      << text << summary;
  }
  return 0;
}
