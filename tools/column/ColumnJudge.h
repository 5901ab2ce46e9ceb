// One engine run on a generated column and its verdict against the reference:
// the window's way of running it (Lay_Column, then DistSolver::Run), the six
// estimate pairs a user might type, and what counts as a false verdict.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ColumnGenerator.h"
#include "ColumnReference.h"

// K: a converged stage temperature further than this from the reference is off it.
inline constexpr double kOffReference = 0.01;
// A converged profile off the reference whose scaled residual in the reference's
// equations is below this is another steady state of the column, not a false verdict.
inline constexpr double kOtherSolution = 1e-5;

// Converged on the reference's temperatures, yet a balance off by more than this
// part of its component's own flow: counted apart (the run is still "ok").
inline constexpr double kLooseBalance = 1e-4;

inline constexpr int kEstimateCount = 6;
// "boiling" (pure boiling points of the lightest and heaviest at the top and
// bottom pressures), "rounded" (the reference ends rounded to 10 C), "low30",
// "high30" (both ends 30 K off), "tophot" (top 20 K hot, bottom 20 K cold),
// "20-200" (20 C and 200 C).
const char* Estimate_Name(int e);
void Estimate_Pair(int e, const GenColumn& col, const RefProfile& ref, double& tTop, double& tBottom);

enum class Verdict {
  Ok,          // Converged on the reference
  Other,       // Converged on another profile that satisfies the stage equations
  False,       // Converged on a profile that does not
  Infeasible,  // Infeasible on a feasible case
  NotConverged,
};
const char* Verdict_Name(Verdict v);

struct EngineRun {
  std::string status;  // the DistRunStatus by name
  int iterations = 0;  // of both passes
  double deviation = 0;  // K, largest over stages (converged runs)
  double residual = 0;   // in the reference's equations (converged runs)
  Verdict verdict = Verdict::NotConverged;
};

// Whether the reference solved the case with every flow positive.
bool Reference_Feasible(const RefProfile& ref);

// Lays the column with the estimates and limits (times the defaults), runs the
// engine and judges its end.
EngineRun Run_Engine(const GenColumn& col, const RefProfile& ref, double tTop, double tBottom, int limitFactor);

// The judge's text (column_judge's "case,", "run," and "dropped," lines)
// summarised per limit, and matched against a baseline's text by case
// fingerprint, estimate and limit.
struct LimitSummary {
  int factor = 1;
  int runs = 0, ok = 0, falseConverged = 0, other = 0, infeasible = 0;
  int okLoose = 0;  // ok runs with a residual beyond kLooseBalance
  double worstOkResidual = 0;
  std::string worstOkRun;
  std::map<std::string, int> notOkByFamily;  // "model balance split verdict" -> runs
  // Against the baseline: runs found in it, runs it solved that are not solved
  // here (lost) and the reverse (gained), iterations over the runs both solve,
  // the largest ratio of iterations here to there, and runs beyond 3x+10 of it.
  int matched = 0, lost = 0, gained = 0, beyond = 0;
  long iterations = 0, baselineIterations = 0;
  double worstRatio = 0;
  std::string worstRun;
};
struct JudgeSummary {
  int cases = 0, feasible = 0;
  int missed = 0;  // dropped cases the engine solved with every flow positive
  LimitSummary limits[2];  // x1, x10
};
JudgeSummary Summarise_Judge(const std::string& text, const std::string& baselineText);
std::string Summary_Text(const JudgeSummary& s, bool withBaseline);
// The fields of one CSV line ("..." may hold commas).
std::vector<std::string> Csv_Fields(const std::string& line);
