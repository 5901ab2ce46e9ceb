// The calculations of the flash window: bubble and dew temperature at a given
// pressure, bubble and dew pressure at a given temperature, the isothermal flash,
// and the texts of the result table (phase compositions, K-values, enthalpies).
// Plain C++ over the case data (Case): the window hands in its text boxes and
// shows what comes back.
#pragma once

#include <string>
#include <vector>

#include "core/thermo/Thermo.h"

// The calculation types, numbered as the window's option buttons.
enum class FlashCalcType : int {
  BubbleT = 0,          // bubble temperature at the given pressure
  DewT = 1,             // dew temperature at the given pressure
  BubbleP = 2,          // bubble pressure at the given temperature
  DewP = 3,             // dew pressure at the given temperature
  Flash = 4,            // isothermal flash at the given temperature and pressure
  CondensingCurve = 5,  // the condensing curve at the given pressure (its own window)
};

// Number formats of the flash results.
inline constexpr const char* kFmtTempPress = " ###0.000";
// V/F keeps its leading zero ("0.8204"), as the fractions of the table do.
inline constexpr const char* kFmtVF = "#0.0000";
inline constexpr const char* kFmtMoleFraction = "#0.#00000";
inline constexpr const char* kFmtKValue = "#.#00000E+#0";
inline constexpr const char* kFmtEnthalpy = "#.#0000E+#0";

// Shown when the phase that a bubble or dew display normalises has no amount.
inline constexpr const char* kVanishingSumMessage = "組成の合計が 0 になり、正規化できません。";

// Checks what a calculation starts from: a component count of 1..20; texts
// that are wholly numbers (the condensing curve's limits may be empty); the
// temperature (and the curve's upper limit) above absolute zero, the pressure
// above 0; a feed Flash_Z of finite fractions, none negative, not all zero.
// Returns the message to show in the chosen language, naming the box, or an
// empty text.
std::string Flash_Input_Problem(FlashCalcType type, const std::string& tempText, const std::string& pressText,
                                const std::string& temp2Text);

// Reads the Feed cells typed for rows 1..NC into Flash_Z. Each must be wholly a
// number (a blank cell too is refused), a fraction in 0..1 and their sum above 0; then Flash_Z takes them normalised and
// true is returned, with `message` saying so when they did not sum to 1. When
// refused, Flash_Z stays as it was and `message` tells why.
bool Read_Flash_Feed(const std::vector<std::string>& cells, std::string& message);

// One row of the composition table: vapour y, liquid x, K (columns 2..4).
struct FlashResultRow {
  std::string vapour, liquid, kValue;
};

// The enthalpy row: Feed, Vapor, Liquid, in the display heat unit per mole.
struct FlashEnthalpyRow {
  std::string feed, vapour, liquid;
};

// What the window shows after a calculation.
struct FlashDisplay {
  std::string tempText;   // txtTemp afterwards (the result of types 0 and 1)
  std::string pressText;  // txtPress afterwards (the result of types 2 and 3)
  std::string vfText;     // lblVFData; empty when the type writes none
  double vf = 0;          // vapour fraction V/F (mol/mol)
  std::vector<FlashResultRow> rows;  // rows 1..NC of the table; empty when not written
  bool enthalpyWritten = false;      // false: the enthalpy row keeps what it showed
  FlashEnthalpyRow enthalpy;
  ThermoOutcome outcome;   // how the library call ended
  bool showCurve = false;  // type 5: the window opens the condensing curve
};

// Runs one calculation type on the texts of txtTemp and txtPress (display units,
// each wholly a number). Writes Flash_T (degC, types 0 and 1), Flash_P
// (display unit, types 2, 3 and 5), Flash_X, Flash_Y and K_Value. Messages of the
// library go through Calc_Message, each once per call.
// Input that Flash_Input_Problem refuses is reported through Calc_Message and
// nothing is computed (outcome Refused, no rows).
FlashDisplay Flash_Calc(FlashCalcType type, const std::string& tempText, const std::string& pressText,
                        const std::string& temp2Text = "");

// Table rows 1..NC: the bubble point (x = z, y = K z normalised), the dew point
// (y = z, x = z / K normalised), and a flash (Flash_Y, Flash_X). The bubble and dew
// forms set Flash_X and Flash_Y.
std::vector<FlashResultRow> Disp_Bubble_Result();
std::vector<FlashResultRow> Disp_Dew_Result();
std::vector<FlashResultRow> Disp_Flash_Result();

// The enthalpy row at vapour fraction VF from vapour and liquid enthalpies (J/mol):
// Feed = VF HV + (1 - VF) HL, Vapor blank at VF <= 0, Liquid blank at VF >= 1.
// Only the polynomial model (H_Method 1) computes enthalpies; for the equation-of-
// state entries the cells stay blank.
FlashEnthalpyRow Enthalpy_Row(double VF, double HV_J, double HL_J);

// Feed enthalpy row at t (degC) and P (MPa) for the phases Flash_Y, Flash_X.
FlashEnthalpyRow Disp_Enthalpy_Result(double VF, double tC, double pMPa);
