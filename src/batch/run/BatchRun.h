// The batch run: a total-reflux start-up integrated in time until the plate
// compositions converge, then (operation modes 2 and 3) product withdrawal
// into the tanks of the product plan. The engine performs one time step per
// call and talks to its host (the run window, or a test) through BatchHost.
// It steps the plate model (BatchPlateModel) in time: splits a step into the
// parts its fastest stage needs, rolls a failed step back and retries it,
// tests the phases and the ends, and writes the run files and the log.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "batch/run/BatchPlateModel.h"

// How a run ended.
enum class BatchEnd {
  None,          // still running (or not started)
  Refused,       // the case failed the run's checks; nothing was written
  Converged,     // operation mode 1: total reflux converged
  LastTank,      // the last tank of the plan is full
  Abort,         // the user stopped the run
  StillEmpty,    // the still's hold-up reached 0
  TimeOver,      // the phase time passed the longest operating time
  NegativeComposition,  // a composition went negative, or a step was too long to split, and the
                        // user cancelled (or retries ran out)
  NotFinite,     // the plate model produced a flow or temperature that is not a number
  Infeasible,    // a vapour or liquid flow (or the mode-3 distillate) came out negative:
                 // the plate heats, the reboiler duty or the enthalpy data cannot be met
  WriteFailed,   // a run file or the log could not be written: the run stopped there
};

// What the engine needs of the window that hosts it. Every hook has a
// do-nothing default, so a host overrides only what it shows.
class BatchHost {
 public:
  virtual ~BatchHost() = default;
  // Runs the pending window events once per step; the abort button sets
  // Case.Stop_Flag = 1 and the change dialogs replace the values in force here.
  virtual void Yield() {}
  // A modal message with the OK button (program title); default: Calc_Message.
  virtual void Message(const std::string& text);
  // The negative-composition question: true for Retry, false for Cancel.
  virtual bool AskRetry(const std::string& text) { (void)text; return false; }
  // The notice that closes itself (convergence, tank change).
  virtual void Notice(const std::string& text) { (void)text; }
  // The run has been set up: clear the graphs, phase caption, abort button.
  virtual void RunStarted() {}
  // One step is complete (the live history graph and the time box).
  virtual void StepDone() {}
  // A state record was written to history file 1 or 4.
  virtual void RecordSaved(int file) { (void)file; }
  // Redraw the liquid profile over the current frame.
  virtual void DrawProfile() {}
  // Redraw the frame of the profile graph.
  virtual void DrawProfileFrame() {}
  // A vertical marker on the history graph in a 16-colour palette entry
  // (15 white at convergence, 8 grey at a tank change).
  virtual void MarkLine(int paletteColour) { (void)paletteColour; }
  // Withdrawal begins: phase caption and the buttons of the withdrawal phase;
  // called before the convergence notice (the run's state is still that of
  // total reflux).
  virtual void WithdrawalStarted() {}
  // The run has ended (buttons hidden, exit caption); also after a refusal.
  // An abort during withdrawal ends twice: the normal end after the tank is
  // recorded (LastTank), then the abort end (Abort). Case.Stop_Flag is -1 after
  // every end except an abort during total reflux, which keeps its 1.
  virtual void RunEnded(BatchEnd end) { (void)end; }
};

class BatchRun {
 public:
  explicit BatchRun(BatchHost& host);
  ~BatchRun();
  BatchRun(const BatchRun&) = delete;
  BatchRun& operator=(const BatchRun&) = delete;

  // Sets the run up; false (with the refusal shown) when the case cannot run.
  bool Start();
  // One time step; false once the run has ended.
  bool Step();
  // Start, then steps until the end (the whole run); a message of the
  // calculation routines is shown once in it.
  BatchEnd Run();

  bool Ended() const { return end_ != BatchEnd::None; }
  BatchEnd End() const { return end_; }
  double CalTime() const { return calTime_; }            // phase time, h
  double StepTime() const { return stepTime_; }          // step of the last step, h
  double NextSaveTime() const { return nextSaveTime_; }  // time of the next record, h
  double TotalDistillate() const { return totalDistillate_; }  // kmol since withdrawal began
  long Steps() const { return steps_; }                  // accepted steps
  // The equal parts the last step was split into (1: taken whole).
  int Parts() const { return splitInto_; }
  // What the last accepted step brought into the still with the liquid from
  // the plate above it, and took out of it with its vapour, per component
  // (index 1..NC), kmol.
  const std::vector<double>& StillInflow() const { return stillIn_; }
  const std::vector<double>& StillOutflow() const { return stillOut_; }

  // Upper bound of step halvings when a negative composition is retried.
  static constexpr int kMaxRetryHalvings = 10;
  // Upper bound of the parts of a step that integrate an emptying still.
  static constexpr int kMaxStillParts = 64;
  // Upper bound of the parts the plates and the drum may split a step into;
  // a step that would need more is retried with half the step.
  static constexpr int kMaxStepParts = 4096;
  // Upper bound of splits within splits: a part that needs splitting again
  // and again is as good as one too long to split.
  static constexpr int kMaxSplitDepth = 12;
  // The longest part, as a multiple of the shortest residence time M / (L + V K)
  // of the plates, the drum and the still: the fourth-order Taylor polynomial
  // that every four-stage Runge-Kutta step applies to a linear system keeps
  // every amount non-negative up to 1 (its threshold factor).
  static constexpr double kPartResidence = 1.0;

 private:
  struct Snapshot;
  struct Failure {
    int component, plate;
  };

  bool AdvanceColumn();
  bool PhaseTest();
  bool EndTest();
  void PrepareRunFiles(bool continued);
  void ResetRunState();
  void EvaluateModel();
  void RangesAndHeat();
  bool NegativeFlowEnds();
  bool RunawayFlowEnds(int plate);
  void EndInfeasible(const std::string& text);
  std::vector<Failure> Integrate(int parts);
  enum class Split { Taken, Failed, Ended, StillEmptied };
  Split TakeSpan(double length, int depth, std::vector<Failure>* failures);
  bool FlowsEnd();
  void KeepWhole();
  void RollBack();
  void AcceptCompositions();
  void Equilibrium();
  void SaveIfDue();
  bool Converged() const;
  void SwitchAtConvergence();
  void EndOfTimeOrStill(BatchEnd end);
  void AbortEnd();
  void ChangeTank();
  void CalcEnd();
  void EndRun(BatchEnd end, const std::string& message, const std::string& logText, bool writeFinal);
  void WriteFinal(bool normalEnd);
  void Log(const std::string& text);
  void Written(bool ok, const std::string& path);
  bool EndIfWriteFailed();

  BatchHost& host_;
  BatchEnd end_ = BatchEnd::None;
  bool started_ = false;
  double calTime_ = 0, stepTime_ = 0, nextSaveTime_ = 0, totalDistillate_ = 0;
  double startSaveInterval_ = 0;
  double lastStepTime_ = 0;  // length of the last accepted step (or part of one), h
  // Length the plate model and the integration take, h: the step, or one of
  // the equal parts a split step is taken in.
  double modelStep_ = 0;
  double partTime_ = 0;  // length of one part of the step's integration, h
  bool stillEmptied_ = false;  // the last step would have left the still without liquid
  // The column's equations: the state of its plates and what they give.
  BatchPlateModel model_;
  // The step's new amounts (laid out as the model's), Gill's carry-over, scratch.
  std::vector<double> trial_, carry_, rates_;
  std::vector<double> tankQ_;  // Gill's carry-over of the tank's amounts
  std::vector<double> stillIn_, stillOut_;
  std::string writeFailure_;  // the message for the first file that could not be written
  bool ending_ = false;       // inside EndRun: a failed write no longer ends the run
  long steps_ = 0;
  int parts_ = 0;      // integrations the step has taken so far, its parts' parts included
  int splitInto_ = 1;  // the parts the step was split into
  std::unique_ptr<Snapshot> snapshot_;  // kept to reuse its storage from step to step
  std::vector<Snapshot> spans_;         // the start of each split part, by depth
};

// The change condition of tank k on the amounts in Batch.Tank_Amount: an amount
// (-1 kmol, -2 kg) or a mole (n) or mass (100 + n) fraction, full once it rises
// strictly above a positive threshold or falls strictly below minus a negative
// one. A threshold of 0 never fills; a fraction of an empty tank never fires.
bool Batch_Tank_Full(int k);

// The whole run (the run window's Batch_Calc): returns how it ended.
BatchEnd Batch_Calc(BatchHost& host);
