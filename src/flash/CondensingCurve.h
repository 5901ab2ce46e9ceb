// The condensing curve of a feed at one pressure: the vapour fraction V/F and the
// mixture enthalpy at 201 equally spaced temperatures between two limits, the
// bubble and dew points, and the read-out of one point. The plot geometry lives
// here too, so the window only draws.
#pragma once

#include <string>
#include <vector>

#include "core/thermo/Thermo.h"
#include "flash/FlashCalc.h"

inline constexpr int kCurvePoints = 201;

// The plot frame inside a picture, in the picture's units (twips): the curves
// fill it less one grid step on every side.
struct CurveFrame {
  int Left = 300, Top = 250, Right = 0, Bottom = 0;
  int DivX = 0, DivY = 0;      // grid steps, a twelfth of the frame
  int Width = 0, Height = 0;   // the span of the curves
};

CurveFrame Curve_Frame(double pictureWidth, double pictureHeight);
// x of a fraction 0..1 of the temperature range; y of a fraction 0..1 of the height
// (V/F, or the enthalpy between its two limits). Nearest whole twip.
int Curve_X(const CurveFrame& f, double fraction);
int Curve_Y(const CurveFrame& f, double fraction);
// x of point i (1..201).
int Curve_Point_X(const CurveFrame& f, int i);
// The point under a cursor at x: nearest i; outside 1..201 when the cursor is
// beyond the curve.
int Curve_Point_Index(const CurveFrame& f, int cursorX);

struct CondensingCurve {
  bool drawn = false;        // false: a limit is no number, or reversed or equal: see message
  std::string message;       // why no curve is drawn
  double pressMPa = 0;       // the working pressure
  double TB = 0, TD = 0;     // bubble and dew temperature, degC
  double TLow = 0, THigh = 0, TStep = 0;  // limits and step, display temperature unit
  bool bubbleInRange = false, dewInRange = false;
  bool enthalpy = false;     // the polynomial model: enthalpies, their scale and marks
  bool enthalpyLine = false; // any enthalpy model: the enthalpy line is drawn (flat at
                             // the foot of the scale when the model yields no values)
  double HBubbleLiq = 0, HDewVap = 0;  // J/mol at the bubble and dew points
  double HLow = 0, HHigh = 0;          // mixture enthalpy at the two limits, J/mol
  double VF[kCurvePoints + 1]{};       // points 1..201
  double H[kCurvePoints + 1]{};        // J/mol
  ThermoOutcome bubbleOutcome, dewOutcome;

  double PointT(int i) const { return TLow + (i - 1) * TStep; }  // display unit
  // Fraction of the range for a display temperature and for an enthalpy.
  double TFraction(double tDisplay) const { return (tDisplay - TLow) / (THigh - TLow); }
  double HFraction(double h) const;
};

// Computes the curve at the pressure Flash_P (display unit). The limits are the
// numbers in the two limit texts (display unit), or the bubble and dew points
// when a text is empty (other text that is not wholly a number draws nothing). Writes Flash_T_Low, Flash_T_High, Flash_Curve_VF(1..201),
// Flash_X, Flash_Y and K_Value. Library messages go through Calc_Message.
CondensingCurve Calc_Condensing_Curve(const std::string& lowText, const std::string& highText);

// The read-out of point i (1..201): its temperature and V/F texts, the table rows
// and, with an enthalpy model, the enthalpy row. Writes Flash_Curve_VF(i),
// Flash_X, Flash_Y and K_Value.
struct CurveReadout {
  int index = 0;
  std::string tText, vfText;   // "####.#0", "#0.###0"
  std::vector<FlashResultRow> rows;
  bool enthalpyWritten = false;
  FlashEnthalpyRow enthalpy;
};
CurveReadout Curve_Point_Readout(const CondensingCurve& curve, int i);
