// Thermodynamic library of the continuous, batch and flash programs: unit
// conversion, Antoine vapour pressures, Wilson and NRTL activity coefficients,
// bubble and dew points, isothermal flash, mixture enthalpies, the SRK and
// Peng-Robinson bubble point and a one-variable root finder.
//
// Conventions: temperatures in and out in degrees Celsius, pressures in in MPa,
// heats in J; compositions are arrays indexed 1..Case.NC (element 0 unused), not
// normalised unless a routine says so. The K-values and activity coefficients of
// the last call stay in Case.K_Value and Case.Gamma. Messages go through
// Calc_Message (a caller that runs many calls for one user action opens a
// CalcMessageScope so each message shows once); non-convergence is also
// reported through the optional ThermoOutcome.
#pragma once

#include <cstdint>
#include <string>

#include "core/model/CaseData.h"
#include "core/model/PhysicalUnits.h"

// How an iterative routine ended.
enum class ThermoStatus {
  Converged,       // the tolerance was met
  IterationLimit,  // the iteration limit was reached; the last value was returned
  Stalled,         // a zero derivative, a stalled root search or a bad parameter stopped it
  NotFinite,       // a value turned NaN or infinite; the last sound value was returned
  Refused,         // the K-value model is not supported by this routine (K = 1)
  NothingToDo,     // empty composition: nothing was computed
  NoSolution,      // the equations have no solution here (no bubble point at this pressure)
};

// Outcome of one call, for callers that test convergence.
struct ThermoOutcome {
  ThermoStatus status = ThermoStatus::Converged;
  int iterations = 0;    // Newton, Rachford-Rice or root-finder steps taken
  double residual = 0;   // last |residual| of the convergence test
};

// ---- Unit conversion (display unit <-> degC, MPa, J; codes T_Unit, P_Unit, H_Unit)

double Unit_Temp_In(const double& T);    // display temperature -> degC
double Unit_Temp_Out(const double& T);   // degC -> display temperature
double Unit_Press_In(const double& P);   // display pressure -> MPa
double Unit_Press_Out(const double& P);  // MPa -> display pressure
double Unit_Heat_In(const double& H);    // display heat -> J (BTU: message, unconverted)
double Unit_Heat_Out(const double& H);   // J -> display heat (BTU: message, unconverted)

// Antoine vapour pressure of component i at t (degC), mmHg: 10^(A - B / (t + C)).
double Antoine_Psat(int i, double t);

// ---- Activity coefficients (liquid mole fractions x[1..NC]) -> Case.Gamma

void ActivityCoeff_Wilson(const double x[]);  // Wilson (1964), Lambda(i, j) from Case.Wilson_Lambda
void ActivityCoeff_NRTL(const double x[]);    // Renon-Prausnitz (1968), tau from Case.NRTL_Tau
// Gamma by Case.K_Method: 2 Wilson, 3 NRTL, otherwise 1.
void ActivityCoeff_Select(const double x[]);

// ---- Bubble and dew points (results leave Case.K_Value, Case.Gamma)

// Bubble temperature, degC; t start (degC), P (MPa), x liquid. K_Method 4/5: T_Bubble_srk.
double T_Bubble_Mix(const double& t, const double& P, const double x[], ThermoOutcome* outcome = nullptr);
// The bubble temperatures of `count` liquids x[q] at P[q] (MPa), each as T_Bubble_Mix
// gives it from the start t[q] (degC; the answer replaces it), k[q][1..NC] the
// K-values that call leaves. The same as the calls one after another (Case.K_Value
// and Case.Gamma end as the last leaves them), faster: the liquids are iterated
// side by side.
void T_Bubble_Mix_Each(int count, double t[], const double P[], const double* const x[], double (*k)[kMaxComp + 1]);
// Bubble pressure at t (degC) in the display pressure unit; P (MPa) is returned for refused methods.
double P_Bubble_Mix(const double& t, const double& P, const double x[], ThermoOutcome* outcome = nullptr);
// Dew pressure at t (degC) in the display pressure unit; y vapour.
double P_Dew_Mix(const double& t, const double& P, const double y[], ThermoOutcome* outcome = nullptr);
// Dew temperature, degC; t start (degC), P (MPa), y vapour.
double T_Dew_Mix(const double& t, const double& P, const double y[], ThermoOutcome* outcome = nullptr);

// ---- Isothermal flash

// Vapour fraction VF (0..1, mol vapour per mol feed) of feed z at t (degC), P (MPa); K in Case.K_Value.
void ITFlash(const double& t, const double& P, double& VF, const double z[], ThermoOutcome* outcome = nullptr);
// Vapour y and liquid x (normalised) of feed z at vapour fraction VF with Case.K_Value; t, P unused.
void Flash_XY(const double& t, const double& P, const double& VF, const double z[], double y[], double x[]);

// ---- Mixture enthalpies, J/mol (Case.H_Method 1 only; otherwise 0)

double Enthalpy_Vap(const double& t, const double& P, const double y[]);  // t degC, P unused
double Enthalpy_Liq(const double& t, const double& P, const double x[]);  // t degC, P unused
double Enthalpy_Vap_Poly(const double& t, const double y[]);  // sum y MW (A + B t + C t^2) / sum y
double Enthalpy_Liq_Poly(const double& t, const double x[]);  // the same with the liquid coefficients

// ---- Derivatives for simultaneous solvers (compositions as above, not normalised)

// d ln Gamma(i) / d x(m) at x by Case.K_Method (Wilson, NRTL; every other model 0), each x(m) taken
// as independent, row-major in dLnGamma[(i - 1) NC + (m - 1)]; also leaves Gamma(x) in Case.Gamma.
// False (and all 0) for an ideal liquid or where the model has no value.
bool ActivityCoeff_LnGamma_Jacobian(const double x[], double dLnGamma[]);
// d ln Psat(i) / dt of the Antoine equation, 1/K: ln 10 B / (t + C)^2.
double Antoine_dLnPsat_dT(int i, double t);
// Enthalpy_Vap (J/mol) with dH/dt (J/mol/K) and dH/dy(m) (J/mol per unit of y(m)); 0 unless H_Method 1.
double Enthalpy_Vap_Deriv(const double& t, const double y[], double& dHdt, double dHdy[]);
// Enthalpy_Liq (J/mol) with dH/dt and dH/dx(m), as Enthalpy_Vap_Deriv.
double Enthalpy_Liq_Deriv(const double& t, const double x[], double& dHdt, double dHdx[]);

// ---- Cubic equation of state (eos 0 SRK: Soave 1972; 1 PR: Peng-Robinson 1976)
// Critical temperatures in K, critical pressures in bar; the working pressure
// (MPa) enters as bar.

// Bubble temperature by the equation of state, degC; P (MPa); K in Case.K_Value. From the start t
// (a stage's last temperature, or any estimate) a local solve reaches the bubble point near it at
// which the liquid starts to boil on heating, and a tangent-plane test finds no other vapour the
// liquid would rather form; otherwise a scan of the whole range returns the lowest such bubble
// point (a message says when it sees another). Never a one-phase answer. Without a bubble point:
// status NoSolution, a message, t returned. A call remembers its answer for the calls after it on
// the same mixture (equation, components, critical constants, k): the vapour starts from the
// answer of the same liquid's stage (within 0.02 in every mole fraction at the same pressure), else
// from the K-values the call before left in Case.K_Value, else from the correlation; the
// tangent-plane test is spared where that stage's liquid was found stable next to the answer.
double T_Bubble_srk(const int32_t& eos, const double& t, const double& P, const double x[],
                    ThermoOutcome* outcome = nullptr);
// The calculate check of every program that offers SRK and Peng-Robinson: empty
// unless Case.K_Method is 4 or 5 and a component 1..NC lacks a critical temperature
// or pressure (not a number above 0) or an acentric factor (not a finite number);
// then the refusal in the chosen language, naming the component and the constant.
std::string Eos_Constants_Problem();
// True when Case.K_Method is SRK or Peng-Robinson, which no routine but the bubble
// temperature serves.
bool Eos_K_Method();
// What the other routines say for them: "S-R-K / P-Rの式は未だありません".
const char* Eos_Refused_Text();
// Initial K-values into Case.K_Value by the Riedel-type reduced vapour-pressure correlation; t degC, P MPa.
void K_Initial_Riedel(const double& t, const double& P);
// Mixture a and b (gas constant 0.082053, pressures in bar) of comp at t (degC); k(i, i) taken as 0.
void EOS_Parameter(const int32_t& eos, const double& t, const double comp[], double& a, double& b);
// Molar density P/(Z R T) of the liquid (phase 0, smallest Z) or vapour (phase 1, largest Z) root.
void EOS_Cubic_Root(const int32_t& eos, const int32_t& phase, const double& t, const double& P,
                    const double comp[], double& density, const double& a, const double& b);
// Fugacity coefficients phi[1..NC] of composition comp at t (degC), P (MPa) and the density of EOS_Cubic_Root.
void EOS_Fugacity(const int32_t& eos, const double& t, const double& P, const double comp[], double phi[],
                  const double& density, const double& a, const double& b);

// ---- One-variable root finder by reverse communication
// state: 1 start, 2 searching for a sign change, 3 bracketed, 4 converged,
// 5 call limit exceeded, 6 stalled (also a non-finite f: x goes back to the best point).
// The caller evaluates f at x and calls again while state < 4.
void Root_Search(int32_t& state, int32_t& calls, double& x, const double& f, const double& xLow,
                 const double& xHigh, const double& dx, const double& tol, double& xPos, double& fPos,
                 double& xNeg, double& fNeg, double& xPrev, double& fPrev);
