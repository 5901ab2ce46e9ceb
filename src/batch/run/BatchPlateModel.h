// The plate model of the batch column: from the column's state and the
// operating values of a step it gives the plates' bubble points and vapours,
// their enthalpies, hold-ups and changes, the vapour and liquid flows of the
// energy balances, the plate heats, and the rates of every component's amount
// on every stage. It writes no file, talks to no host and shows no message;
// the run (BatchRun) steps it in time, keeps what a step may have to undo and
// decides what a failed step means.
//
// What it touches. Reads the case: NC, NT, the pressures, hold-ups, charge,
// molecular weights and the thermo data (through the bubble-point and
// enthalpy routines), Init_Temp, Holdup_Unit, Tray_Holdup, Total_Feed, the
// plates' side heats Tray_Heat(2..NT-1), the K-values the bubble point leaves
// in K_Value, and for a continued run the Cont_ state. Writes the stage arrays
// Tray_T, Tray_P, Tray_X, Tray_Y, Tray_V, Tray_L, Tray_HV, Tray_HL, Tray_dHL,
// Holdup_Mol, Tray_dM, the condenser and still heats Tray_Heat(1) and
// Tray_Heat(NT), and Work_Comp (the composition it hands to the thermo
// routines); at set-up also Tray_Q_Sum and Tray_Q_Sum_Prev (0, or the
// continuation's). It owns the amount of every component on every stage (the
// state the run integrates) and the vapour-liquid ratios of the last
// equilibrium.
#pragma once

#include <cstddef>
#include <vector>

// The operating values a step evaluates the model with.
struct BatchOperation {
  bool withdrawal = false;  // product withdrawal (else total reflux)
  int mode = 1;             // operation mode 1..3: mode 2 sets the distillate, mode 3 the reboiler duty
  double duty = 0;          // reboiler duty in force, J/h (total reflux and mode 3)
  double reflux = 0;        // reflux ratio in force (withdrawal)
  double distillate = 0;    // distillate rate in force, kmol/h (mode-2 withdrawal)
  double length = 0;        // length of the step, or of the part of one, h
  double lastLength = 0;    // length of the step (or part) before, h
  bool firstDone = false;   // a step has been taken, so the liquid enthalpies have a change
};

class BatchPlateModel {
 public:
  // The column at the run's start: the charge's liquid on every plate (or the
  // continuation's), hold-ups in kmol, the plate pressures, the first
  // equilibrium and the amounts of every component on every stage.
  void SetUp(bool continued);

  // The model of one step (or part of one): enthalpies, hold-ups and their
  // changes (rates, kmol/h), the mode-3 distillate, the still's change and
  // the flows and heats of the energy balances, bottom-up or top-down.
  void Evaluate(const BatchOperation& op);
  // The still's duty of the last evaluation, J/h: the duty in force, or in
  // mode-2 withdrawal what the still's balance asks.
  double Duty() const { return duty_; }
  // The distillate rate of the last evaluation, kmol/h: the rate in force, or
  // in mode-3 withdrawal the one the reboiler duty gives.
  double Distillate() const { return distillate_; }
  // True when every flow, heat, hold-up and temperature and the distillate are numbers.
  bool Finite() const;

  // The parts a step of `length` h takes so that an emptying still stays
  // stable, or 0 when the step would leave it without liquid or need more
  // than maxParts parts.
  int StillParts(double length, int maxParts) const;
  // The fastest turnover of a step of `length` h with the distillate d, 1/h,
  // and the stage it belongs to in *plate.
  double FastestPlate(double length, double distillate, int* plate) const;
  // The component of the largest vapour-liquid ratio that `plate` holds.
  int LightestComponent(int plate) const;

  // Component balances of every stage and the tank for the amounts n, kmol/h,
  // into f, with the evaluated flows, the distillate d and the ratios of the
  // last equilibrium frozen. Leaves the liquid and vapour fractions of n.
  void Rates(const double* n, double* f, double distillate);
  // Liquid and vapour fraction of a component on a stage, of the last Rates.
  double Liquid(int component, int plate) const { return x_[Index(component, plate)]; }
  double Vapour(int component, int plate) const { return y_[Index(component, plate)]; }

  // The amounts of a step become the state (swapped with `amounts`); the
  // plates' hold-ups and liquid fractions are read from them.
  void TakeAmounts(std::vector<double>& amounts);
  // Bubble points and vapours of every plate's liquid, from the still upwards.
  void Equilibrium();

  // kmol of each component (row) on each stage 1..NT and in the tank (NT + 1).
  std::size_t Index(int component, int element) const {
    return static_cast<std::size_t>(component) * stride_ + element;
  }
  std::size_t Size() const { return moles_.size(); }
  const std::vector<double>& Amounts() const { return moles_; }
  // Vapour-liquid ratios of the last equilibrium (component, plate).
  const std::vector<double>& Ratios() const { return kEq_; }
  void Restore(const std::vector<double>& amounts, const std::vector<double>& ratios);

 private:
  void InitialProfile();
  void TakeContinuationState();
  void SetPressures();
  void FirstEquilibrium(bool continued);
  void PlateEquilibrium(int plate, double start);
  void InitialMoles();
  void Enthalpies(const BatchOperation& op);
  void PlateHoldups(double length);
  double TargetHoldup(int plate) const;
  double StillRate(double distillate) const;
  double SolveMode3Distillate(double reflux);
  void BottomUpSweep(double q, double dmStill, double* vOut, double* lOut, double* heatTop) const;
  void TopDownSweep(double reflux, double distillate);

  std::size_t stride_ = 0;  // NT + 2: elements 1..NT the stages, NT + 1 the tank
  double duty_ = 0;         // J/h
  double distillate_ = 0;   // kmol/h
  double platesRate_ = 0;   // the plates' (1..NT-1) hold-up change in the step, kmol/h
  // The state the steps integrate, row by component. Fractions and hold-ups
  // are derived from it, never the reverse, so no normalisation moves a mole.
  std::vector<double> moles_;
  std::vector<double> x_, y_;  // liquid and vapour fractions of a stage (component, plate)
  std::vector<double> kEq_;    // vapour-liquid ratio of the last equilibrium (component, plate)
};
