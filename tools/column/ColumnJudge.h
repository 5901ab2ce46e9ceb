// One engine run on a generated column and its verdict against the reference:
// the window's way of running it (Lay_Column, then DistSolver::Run), the six
// estimate pairs a user might type, and what counts as a false verdict.
#pragma once

#include <string>

#include "ColumnGenerator.h"
#include "ColumnReference.h"

// K: a converged stage temperature further than this from the reference is off it.
inline constexpr double kOffReference = 0.01;
// A converged profile off the reference whose scaled residual in the reference's
// equations is below this is another steady state of the column, not a false verdict.
inline constexpr double kOtherSolution = 1e-5;

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
