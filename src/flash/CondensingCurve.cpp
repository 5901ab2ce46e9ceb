#include "flash/CondensingCurve.h"

#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"

namespace {

int Nearest(double v) { return static_cast<int>(txt::RoundHalfEven(v)); }

// Dew-point search start, degC.
constexpr double kDewStartC = 100.0;

// V/F and the mixture enthalpy (J/mol) of the feed at t (degC) and P (MPa); the
// phases stay in Flash_Y and Flash_X.
double FlashAt(double tC, double pMPa, double& vf, bool withEnthalpy) {
  vf = 0.0;
  ITFlash(tC, pMPa, vf, Case.Flash_Z);
  Flash_XY(tC, pMPa, vf, Case.Flash_Z, Case.Flash_Y, Case.Flash_X);
  if (!withEnthalpy) return 0.0;
  return vf * Enthalpy_Vap(tC, pMPa, Case.Flash_Y) + (1.0 - vf) * Enthalpy_Liq(tC, pMPa, Case.Flash_X);
}

// A limit: the number its text holds, or `fallback` (degC converted out) when
// the text is blank; the refusal naming the box otherwise.
std::string Limit(const std::string& text, double fallback, const char* fieldJa, const char* fieldEn,
                  double& value) {
  const txt::NumberProblem p = txt::ParseNumber(text, value);
  if (p == txt::NumberProblem::None) return "";
  if (p == txt::NumberProblem::Blank) {
    value = fallback;
    return "";
  }
  return txt::NumberProblemMessage(p, In_English() ? fieldEn : fieldJa, text);
}

}  // namespace

CurveFrame Curve_Frame(double pictureWidth, double pictureHeight) {
  CurveFrame f;
  f.Right = Nearest(pictureWidth) - 500;
  f.Bottom = Nearest(pictureHeight) - 200;
  f.DivX = Nearest((f.Right - f.Left) / 12.0);
  f.DivY = Nearest((f.Bottom - f.Top) / 12.0);
  f.Width = f.Right - f.Left - 2 * f.DivX;
  f.Height = f.Bottom - f.Top - 2 * f.DivY;
  return f;
}

int Curve_X(const CurveFrame& f, double fraction) { return Nearest(f.Left + f.DivX + fraction * f.Width); }
int Curve_Y(const CurveFrame& f, double fraction) { return Nearest(f.Bottom - f.DivY - fraction * f.Height); }
int Curve_Point_X(const CurveFrame& f, int i) { return Curve_X(f, (i - 1) / 200.0); }

int Curve_Point_Index(const CurveFrame& f, int cursorX) {
  if (f.Width <= 0) return 0;
  return Nearest(static_cast<double>(cursorX - f.Left - f.DivX) / f.Width * 200.0 + 1.0);
}

double CondensingCurve::HFraction(double h) const {
  // A flat enthalpy (no range) is drawn along the foot of the scale.
  const double range = HHigh - HLow;
  if (range == 0.0 || !std::isfinite(range)) return 0.0;
  return (h - HLow) / range;
}

CondensingCurve Calc_Condensing_Curve(const std::string& lowText, const std::string& highText) {
  CalcMessageScope scope;
  CondensingCurve c;
  // The curve's dew point and flashes have no SRK or Peng-Robinson form: nothing
  // is computed, rather than a curve of K = 1.
  if (Eos_K_Method()) {
    c.message = Eos_Refused_Text();
    return c;
  }
  c.enthalpy = Case.H_Method == 1;
  c.enthalpyLine = Case.H_Method > 0;
  c.pressMPa = Unit_Press_In(Case.Flash_P);
  const double P = c.pressMPa;
  // The last bubble or dew temperature of the main window is held in degC already.
  c.TB = T_Bubble_Mix(Case.Flash_T, P, Case.Flash_Z, &c.bubbleOutcome);
  c.TD = T_Dew_Mix(kDewStartC, P, Case.Flash_Z, &c.dewOutcome);
  if (c.enthalpy) {
    c.HBubbleLiq = Enthalpy_Liq(c.TB, P, Case.Flash_Z);
    c.HDewVap = Enthalpy_Vap(c.TD, P, Case.Flash_Z);
  }
  // Limits in the display unit throughout; the bubble and dew points are converted
  // out before they stand in for an empty limit or are compared with one.
  const double tbDisplay = Unit_Temp_Out(c.TB);
  const double tdDisplay = Unit_Temp_Out(c.TD);
  // A limit box holds a number or nothing; other text draws no curve.
  std::string problem = Limit(lowText, tbDisplay, "下限温度", "Lower temperature", c.TLow);
  if (problem.empty()) problem = Limit(highText, tdDisplay, "上限温度", "Upper temperature", c.THigh);
  if (!problem.empty()) {
    c.message = problem;
    return c;
  }
  Case.Flash_T_Low = c.TLow;
  Case.Flash_T_High = c.THigh;
  if (!(c.THigh > c.TLow)) {
    c.message = "温度の上下限が逆転しています。 TL=" + txt::Format(c.TLow, " ####.##") + " TU=" +
                txt::Format(c.THigh, " ####.##");
    return c;
  }
  c.drawn = true;
  c.TStep = (c.THigh - c.TLow) / 200.0;
  c.HHigh = 0;
  double vf = 0;
  c.HLow = FlashAt(Unit_Temp_In(c.TLow), P, vf, c.enthalpy);
  c.HHigh = FlashAt(Unit_Temp_In(c.THigh), P, vf, c.enthalpy);
  c.dewInRange = c.TLow <= tdDisplay && tdDisplay <= c.THigh;
  c.bubbleInRange = c.TLow <= tbDisplay && tbDisplay <= c.THigh;
  for (int i = 1; i <= kCurvePoints; ++i) {
    const double tC = Unit_Temp_In(c.PointT(i));
    c.H[i] = FlashAt(tC, P, c.VF[i], c.enthalpy);
    Case.Flash_Curve_VF[i] = c.VF[i];
  }
  return c;
}

CurveReadout Curve_Point_Readout(const CondensingCurve& curve, int i) {
  CalcMessageScope scope;
  CurveReadout r;
  r.index = i;
  if (i < 1 || i > kCurvePoints) return r;
  const double T = curve.PointT(i);
  const double tC = Unit_Temp_In(T);
  double vf = 0;
  FlashAt(tC, curve.pressMPa, vf, false);
  Case.Flash_Curve_VF[i] = vf;
  r.tText = txt::Format(T, "####.#0");
  r.vfText = txt::Format(vf, "#0.###0");
  const int nc = Case.NC < 0 ? 0 : (Case.NC > kMaxComp ? kMaxComp : Case.NC);
  for (int k = 1; k <= nc; ++k)
    r.rows.push_back({txt::Format(Case.Flash_Y[k], kFmtMoleFraction), txt::Format(Case.Flash_X[k], kFmtMoleFraction),
                      txt::Format(Case.K_Value[k], kFmtKValue)});
  if (Case.H_Method > 0) {
    r.enthalpyWritten = true;
    r.enthalpy = Disp_Enthalpy_Result(vf, tC, curve.pressMPa);
  }
  return r;
}
