// The solver window: runs the column solver one iteration at a time, shows the
// pass, iteration and error, redraws the composition and temperature profiles
// after each iteration, and stops the run on the user's confirmed request.
#pragma once

#include <QPushButton>

#include <memory>

#include "continuous/DistSolver.h"
#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"

// The status line of an iteration: pass, iteration and error ("1 23 1.489E-03"),
// or the solver's own line for a converged pass.
std::string Dist_Status_Text(const DistIterationReport& rep);

class frmDistCalc : public ui::Form {
  Q_OBJECT

 public:
  frmDistCalc();
  ~frmDistCalc() override;
  void Form_Load() override;
  // The first activation starts the run once the window is on screen; later
  // activations (returning from the graph-division dialog) do not restart it.
  void Form_Activate() override;

  // Runs the column from the profiles laid by the start dialog to its end or
  // to a confirmed stop; does nothing when the run has already started.
  void Run_Calculation();

  void cmdCalcAbort_Click();
  void cmdCalcScale_Click();
  void Picture1_Click();
  void Picture2_Click();

  // True once the run has ended (converged, at its limit, refused, diverged).
  bool Run_Over() const { return runOver_; }
  const DistRunOutcome& Outcome() const { return solver_->Outcome(); }

  ui::PictureBox* Picture1;  // composition profiles
  ui::PictureBox* Picture2;  // temperature profile
  ui::PictureBox* Picture3;  // status line
  QPushButton* cmdCalcScale;
  QPushButton* cmdCalcAbort;

 private:
  void Status_Line(const std::string& text, const std::string& second = "");
  void End_Of_Run();

  std::unique_ptr<DistSolver> solver_;
  bool started_ = false;
  bool runOver_ = false;
  std::string lastStatus_;  // the status line of the last iteration
};
