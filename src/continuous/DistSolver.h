// The column solver: the bubble-point method over a column of theoretical stages.
// Per component a tridiagonal material balance over the whole column (Thomas
// algorithm), stage temperatures as bubble points (the top stage without a
// condenser as a dew point) with K-values from the thermodynamic library, damped
// between iterations; with the temperature-polynomial enthalpy model a second
// pass corrects the flows by stage enthalpy balances. Works on Case in place.
//
// Where the damped substitution stalls, cycles or creeps, and in the last pass
// once its change test is met, the iterations go on as simultaneous Newton
// corrections of the same stage equations (DistNewton.h) until their
// residuals are at the floor rounding leaves, so that a run is called
// converged only on a profile that satisfies them all, each component's
// balance to a small part of its own flow. What a pass does next is
// DistPassPolicy's; Step() shows where each iteration is taken and Verdict()
// alone says how the pass stands and why it ends.
//
// A window drives it one iteration per Step() (redrawing and yielding between
// calls) or lets Run() loop with a callback per iteration. Case.Stop_Flag is
// tested once per iteration; a stopped run stores no result.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "continuous/DistColumnCheck.h"
#include "continuous/DistNewton.h"
#include "continuous/DistPassPolicy.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"

// How a run ended.
enum class DistRunStatus {
  Running,         // not ended yet
  Converged,       // the last pass met its criterion
  IterationLimit,  // the last pass used up Max_Iter + 1 iterations; results written all the same
  Unbalanced,      // the last pass stood still without the column balancing and used up its
                   // iterations; results written all the same, marked not converged
  Infeasible,      // without the corrections, a heat-pass sweep drove a flow below zero (the reason
                   // was shown); nothing stored
  NotFinite,       // the error turned NaN or infinite; nothing stored
  Stopped,         // the user stopped the run; nothing stored
  Refused,         // the case cannot be run (the reason was shown); nothing changed
};

// One pass of a run.
struct DistPassResult {
  bool ran = false;
  bool converged = false;
  int iterations = 0;    // iterations run in the pass
  double lastError = 0;  // error of its last iteration
};

// What the solver window shows and draws after one iteration.
struct DistIterationReport {
  int pass = 0;                // 1 material balance, 2 heat balance
  int iteration = 0;           // numbered from 0 within the pass
  bool newton = false;         // the iteration was a simultaneous correction
  double error = 0;            // component-balance error per unit feed and stage
  bool passConverged = false;  // the status line then reads "  Convergenced"
  bool redraw = false;         // the window redraws the liquid and temperature profiles
  bool finished = false;       // the run has ended (see DistRunOutcome)
  std::string statusLine;      // "p n e" in plain number text, or "  Convergenced"
};

// The end of a run.
struct DistRunOutcome {
  DistRunStatus status = DistRunStatus::Running;
  int passCount = 0;
  DistPassResult passes[3];   // index 1 material pass, 2 heat pass
  int pass = 0;               // the last pass run
  int iterations = 0;         // iterations of that pass
  double lastError = 0;       // its last error
  bool materialBalanceOnly = false;  // the enthalpy model gave no enthalpies: heat pass dropped
  bool resultWritten = false;        // Result.dat was written
  DistResidual worst;                // the worst residual of the final check
  DistNegativeFlow negative;         // the flow that ended an Infeasible run
  int newtonIterations = 0;          // simultaneous corrections among the iterations of the last pass
};

// The text a window shows for an ended run: empty for a converged run, otherwise
// what went wrong with pass, iterations and last error (or the worst residual),
// in the Case.Language.
std::string Dist_Outcome_Text(const DistRunOutcome& outcome);

// What the results of the last run that stored any must be read with: empty when
// they are converged, otherwise Dist_Outcome_Text of that run. Cleared when a run
// starts and when a case file is read.
const std::string& Dist_Result_Note();
// Forgets the note: the results in the case are no longer those of that run.
void Dist_Clear_Result_Note();

// Checks the case before a run: simultaneous top liquid and vapour products, a
// top vapour product with a condenser, a top liquid product without one, no top
// product, fewer than 2 stages, no components, no feed, counts beyond the limits,
// a feed or side cut off the column, a feed without composition, a negative
// bottoms flow, a pressure at or below 0 or beyond the Antoine equations.
// False with the reason shown through Calc_Message.
bool Dist_Run_Check();

// Feed_H(f), J/mol, of every feed: with the temperature polynomial (H_Method 1)
// V/F times the vapour plus (1 - V/F) times the liquid enthalpy at the feed
// temperature and composition; any other model 0.
void Feed_Enthalpy_set();

// The step limits of a new liquid mole fraction xn against the old x0 under the
// damping factor f: a step beyond 80 % of x0 is cut to 80 %, a step through zero
// ends on the exponential approach to it, and the result is never below 1e-10.
double Dist_Limit_Step(double x0, double xn, double f);

// Damping factor and previous error of a pass, with its schedule.
struct DistDamping {
  double f = 1.0;
  double previousError = 0;
  // After the error e of iteration n (from 0) under criterion c: true when the pass
  // has converged (relative change at most c, or e at most c). A falling error
  // raises f by 0.05 up to 1; a rising one lowers it by 0.1 while it is above 0.5.
  bool Update(int n, double e, double c);
};

class DistSolver {
 public:
  // `writeResultFile` false leaves out the writing of Result.dat (a benchmark's
  // timing of the calculation alone); the run is otherwise the same.
  explicit DistSolver(bool writeResultFile = true);
  ~DistSolver();

  // Run start: checks the case, resets the result flag, gammas and stage
  // enthalpies, fills a stage without a composition with the mean feed, sets the
  // feed enthalpies and the passes. False when the case is refused.
  bool Start();

  // One iteration, then the convergence test. When the last pass ends the run ends:
  // Result_Flag = 1 and the case with its results is written to Result.dat in
  // Data_Dir (Data_File restored). Tests Case.Stop_Flag first.
  DistIterationReport Step();

  // Start() and Step() until the end, with `onIteration` after each iteration (the
  // window draws and yields there). Without one, no status line is put together.
  const DistRunOutcome& Run(const std::function<void(const DistIterationReport&)>& onIteration = {});

  bool Finished() const { return finished_; }
  const DistRunOutcome& Outcome() const { return outcome_; }

  // Enthalpy balance of stage j - 1 giving the new Tray_V(j) and Tray_L(j - 1), with
  // damping factor f blending the new vapour flow with the stage's own previous one.
  // Uses Dist_Tray_HV, Dist_Tray_HL as they stand. For Start()ed runs only.
  void Heat_Balance(int j, double f);

 private:
  struct Work;
  // How the pass stands after an iteration.
  enum class PassVerdict { Continue, Converged, NotConverged, Unbalanced, Infeasible, NotFinite };
  void StageTemperatures();
  void StageEquilibrium(int j, const double k[]);
  void ComponentBalances();
  void CorrectProductSplit();
  void Normalise();
  double BalanceError() const;
  void Equilibrate();
  bool SolveTraceBalances(double limit);
  bool Sweep();
  DistCorrectionFacts Correct(bool& corrected);
  PassVerdict Verdict(bool corrected, bool swept, const DistCorrectionFacts& corr, double e);
  PassVerdict FinalVerdict();
  void BeginPass(int p);
  void RestartFromPassStart();
  void EndPass(PassVerdict v, int iterations, double e);
  void EndRun(DistRunStatus status);

  std::unique_ptr<Work> work_;  // the fixed-size work arrays of the run
  std::optional<CalcMessageScope> scope_;
  DistRunOutcome outcome_;
  DistDamping damping_;
  DistPassPolicy policy_;                    // what the pass does next (DistPassPolicy.h)
  std::unique_ptr<DistStageNewton> newton_;  // the corrections, once the pass is handed to them
  int pass_ = 0;
  int iteration_ = 0;
  bool condenser_ = false;
  bool stalled_ = false;  // the last pass met its change test without balancing
  bool lastWasNewton_ = false;
  bool started_ = false;
  bool finished_ = false;
  bool writeResultFile_ = true;
  bool statusText_ = true;  // Step() puts together each report's statusLine
};
