// Shortcut design of a column for a light and a heavy key: feed condition,
// relative volatilities, Fenske minimum stages and split, Underwood minimum reflux
// at the feed's condition (q = 1 - V/F), Kirkbride feed stage and the Gilliland
// curve of stages against reflux.
// Works over the shortcut variables of the case data (SC_*); messages go
// through Calc_Message in the language of Case.Language. No Qt.
#pragma once

#include <string>

#include "core/model/CaseData.h"

// The combined feed of the column's feeds: SC_Feed_Total and SC_Feed_Comp_Flow.
void ShortCut_Feed_set();

// Checks the case before a calculation: no components or no K-value model stop
// it (false); missing Antoine or critical constants are reported once per
// component and do not stop it.
bool ShortCut_Check_Case();

// Fenske split for top recoveries rLK, rHK of the keys and the light key's
// relative volatility aLK (Case.K_Value holds every component's): Smin, and the
// top d(c) and bottom b(c) amounts per unit of feed z(c).
void Calc_Top_Btm_Composition(const double z[], double d[], double b[], double& Smin, double rLK, double rHK,
                              double aLK);

// The results of one design.
struct ShortCutResult {
  bool done = false;           // false: refused (the reason was shown), nothing below valid
  double T = 0;                // feed temperature, degC (the bubble point when none was given)
  double VF = 0;               // vapour fraction of the feed at T
  double DF = 0, BF = 0;       // distillate and bottoms per unit of feed
  double Smin = 0, SminF = 0;  // minimum stages; feed stage from the top at minimum stages
  double Rmin = 0;             // minimum reflux ratio (Underwood)
  double theta = 0;            // Underwood root next above the heavy key
  bool splitConverged = true;  // the distillate fraction was found (mole-fraction key targets)
  CompVec xD{}, xB{};          // top and bottom mole fractions
};

// The design from SC_Z, the keys SC_LK and SC_HK, the kind of key target SC_Calc_Type
// with SC_LK_Spec and SC_HK_Spec, at pressure P (MPa) and, when tempGiven, the
// feed temperature T (degC), else at the feed's bubble point. Writes SC_D, SC_B
// and the relative volatilities into Case.K_Value.
ShortCutResult ShortCut_Design(double P, bool tempGiven, double T);

// Underwood minimum reflux for the keys lk (light) and hk, with alpha(c) relative
// to the heavy key, feed fractions z(c), the feed's q (1 - V/F) and the Fenske
// top amounts dFenske(c) per unit of feed. Every root theta of
// sum z a / (a - theta) = 1 - q between the keys is found (one in each interval
// between the volatilities of the keys and the components between them); the
// components between the keys take the top amounts that make
// Vmin = sum a d / (a - theta) hold at every root, the others keep dFenske.
struct UnderwoodResult {
  bool done = false;           // false: no finite answer
  int roots = 0;               // roots found, theta[1..roots] ascending
  double theta[kMaxComp + 1]{};
  double d[kMaxComp + 1]{};    // top amount per unit of feed at minimum reflux
  double Vmin = 0, D = 0;      // top vapour and distillate per unit of feed
  double Rmin = 0;             // Vmin / D - 1
};
UnderwoodResult Underwood_Min_Reflux(int nc, const double alpha[], const double z[], const double dFenske[], double q,
                                     int lk, int hk);

// Gilliland curve over 51 reflux ratios from 1.09 to 3.09 times Rmin: stages
// N(k) (less one for a partial condenser) and feed stages NF(k) = N(k) SminF / Smin.
struct GillilandCurve {
  static constexpr int kPoints = 51;
  double R[kPoints + 1]{}, N[kPoints + 1]{}, NF[kPoints + 1]{};
  // False when the numbers span no range to draw (Rmin of 0 or less, or not finite).
  bool drawable = false;
};
GillilandCurve Gilliland_Curve(double Smin, double SminF, double Rmin, int condenser);
