#include "ColumnJudge.h"

#include <algorithm>
#include <cmath>

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

}  // namespace

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
