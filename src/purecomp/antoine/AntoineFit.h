// Antoine vapour-pressure constants of log10 P[mmHg] = A - B / (t[deg C] + C):
// the linearised least-squares fit of measured or generated points, vapour
// pressures from the critical constants by Lee and Kesler (1975), and the
// calculate step of the Antoine program over the texts of its two grids.
#pragma once

#include <cstdint>
#include <string>

#include "core/model/PhysicalUnits.h"

namespace antoine {

constexpr int kMaxComp = 5;    // components of the program
constexpr int kMaxPoint = 50;  // points per component the arrays hold
constexpr int kLeeKeslerPoints = 11;

// The window-level data of the Antoine program, components and points from 1.
struct AntoineData {
  double Antoine_T_Data[kMaxComp + 1][kMaxPoint + 1]{};  // deg C
  double Antoine_P_Data[kMaxComp + 1][kMaxPoint + 1]{};  // mmHg
  int16_t Antoine_NData[kMaxComp + 1]{};
  // The graph's temperature range as last read from the range boxes, deg C.
  double Scale_T_Min = 0, Scale_T_Max = 0;
};

// Determinant of the 3 x 3 matrix with rows (a1, a2, a3), (a4, a5, a6),
// (a7, a8, a9), by the rule of Sarrus.
double Det3(double a1, double a2, double a3, double a4, double a5, double a6, double a7,
            double a8, double a9);

enum class FitStatus {
  Ok,
  TooFewPoints,         // fewer than three distinct temperatures for three constants
  OutOfRange,           // a temperature or pressure outside the suite's range (PhysicalRange.h)
  NotFiniteValue,       // a temperature or pressure that is no finite number
  Singular,             // the normal equations have no unique solution
  NotFinite,            // the solution gives no finite constants (a2 = 0)
};

// The points' own faults, before any sum is formed: too few distinct
// temperatures, non-finite values, a temperature or pressure outside the
// suite's range (a pressure <= 0 has no logarithm). Ok when the points can
// carry a fit.
FitStatus Check_Points(const double* tempC, const double* pressMmHg, int n);

struct FitResult {
  FitStatus status = FitStatus::TooFewPoints;
  double A = 0, B = 0, C = 0;
  bool Ok() const { return status == FitStatus::Ok; }
};

// Least squares of y = a0 + a1 t + a2 t y (y = log10 P; from y (t + C) =
// A (t + C) - B), solved by Cramer's rule on the normal equations, then
// C = -1/a2, A = a1 C, B = -(a1/a2 + a0) C. t in deg C, p in mmHg, [1..n].
FitResult Fit_Antoine(const double* tempC, const double* pressMmHg, int n);

// Vapour pressure, mmHg, at t (deg C) from Tc (K), Pc (bar) and the acentric
// factor by the Lee-Kesler correlation (Lee and Kesler 1975).
double Lee_Kesler_Psat(double tempC, double tcK, double pcBar, double omega);

// Antoine vapour pressure, mmHg, at t (deg C).
double Antoine_Psat(double A, double B, double C, double tempC);

// What the window's controls hold, as typed.
struct AntoineInput {
  std::string Const[kMaxComp + 1][9];  // constants grid: [row 1..5][col 1..8]
  // Measured-data grid: [row 1..50][col 1..10]; row 1 the names, rows 2.. points.
  static constexpr int kDataRows = 50;
  std::string Points[kDataRows + 1][2 * kMaxComp + 1];
  std::string TempMin, TempMax;
};

struct CalcOutcome {
  bool drawGraph = false;               // every step passed: draw the graph
  bool generated[kMaxComp + 1]{};       // Lee-Kesler points were made for this row
  bool fitted[kMaxComp + 1]{};          // A, B, C of this row come from a fit
};

// The graph range of the two boxes into data.Scale_T_Min / Max; a message
// and false when a box is empty or the lower end lies above the upper.
bool Read_Temp_Range(const std::string& tempMin, const std::string& tempMax, AntoineData& data);

// The calculate button: range, points, components (Case.NC, Comp_Name,
// Antoine_A/B/C, Comp_Tc, Comp_Pc (bar), Comp_Omega), Lee-Kesler points for
// components with neither constants nor points, and the fit of every
// component that has points. The points of every component are checked
// before any is fitted. The first failing step shows its message through
// Calc_Message and ends the run; what was read until then stays.
CalcOutcome Antoine_Calc(const AntoineInput& in, AntoineData& data);

// The axes of the vapour-pressure graph over the range in `data` for the
// components 1..nc of Case.
struct GraphAxes {
  bool ok = false;
  double T_Low = 0, T_High = 0;  // deg C, whole tens
  double P_Min = 0, P_Max = 0;   // mmHg: the curves at the range ends
  int decades = 0;               // decades of the pressure axis
  int lowDecade = 0;             // log10 of the lowest decade's pressure
};

// Axes of the graph: temperature ends widened to whole tens, pressure decades
// from the curves' values at the two range ends. Not ok (nothing to draw) for
// no component, a pressure that is not a positive number, or a temperature
// span of zero (reported as a wrong range through Calc_Message).
GraphAxes Graph_Axes(const AntoineData& data, int nc);

}  // namespace antoine
