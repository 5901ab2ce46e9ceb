#include "vle/estimation_ui/VLEDiagram.h"

#include <algorithm>
#include <cmath>

#include "core/model/CaseData.h"
#include "core/model/PhysicalUnits.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "vle/estimation/VLEBinary.h"
#include "vle/estimation/VLEData.h"
#include "vle/estimation/VLERunStart.h"

namespace vlediagram {

using vlefit::VLE;

namespace {

constexpr int kSteps = vlefit::kCurvePoints - 1;  // 200 intervals
constexpr double kPickTwips = 30;
constexpr double kGammaScaleTop = 50;  // the largest top of the activity-coefficient axis

double YRange() { return VLE.VLE_Graph_Ymax - VLE.VLE_Graph_Ymin; }
double XRange() { return VLE.VLE_Graph_Xmax - VLE.VLE_Graph_Xmin; }

// The axis rounds on decimal digits: a value is scaled to its two leading
// digits by multiplying with a power of ten where that is exact (5.3 * 10 is
// 53, while 5.3 / 0.1 is 52.999...), and a slack far below one digit absorbs
// what round-off remains.
constexpr double kDigitSlack = 1e-9;
double To_Digits(double v, int exponent) {
  return exponent < 0 ? v * std::pow(10.0, -exponent) : v / std::pow(10.0, exponent);
}
double From_Digits(double digits, int exponent) {
  return exponent < 0 ? digits / std::pow(10.0, -exponent) : digits * std::pow(10.0, exponent);
}

}  // namespace

int Whole(double twips) {
  if (std::isnan(twips)) return 0;
  const double limited = std::clamp(twips, -1e9, 1e9);
  return static_cast<int>(txt::RoundHalfEven(limited));
}

void Set_Frame(PlotFrame& f, double w, double h) {
  f.Plot_Left = 250;
  f.Plot_Top = 250;
  f.Plot_Right = Whole(w) - 400;
  f.Plot_Bottom = Whole(h) - 200;
  f.Plot_Height = f.Plot_Bottom - f.Plot_Top;
}

double Axis_Top(double largest) {
  if (!(largest > 0)) return std::floor(largest) + 1;
  const int a = static_cast<int>(std::floor(std::log10(largest) - 1));
  return From_Digits(std::floor(To_Digits(largest, a) + 1 + kDigitSlack), a);
}

double Axis_Bottom(double smallest) {
  if (!(smallest > 0)) return std::floor(smallest);
  const int b = static_cast<int>(std::floor(std::log10(smallest) - 1));
  return From_Digits(std::floor(To_Digits(smallest, b) + kDigitSlack), b);
}

double Gamma_Axis_Max(double largestGamma) {
  const double g = std::max(1.0, largestGamma);
  for (double top : {2.0, 5.0, 10.0, 20.0})
    if (g < top) return top;
  return kGammaScaleTop;
}

double Axis_Value(double tOrP_mmHg) {
  if (VLE.VLE_TP_Type == 0) return tOrP_mmHg;
  return vlefit::mmHg_To_Display_Press(tOrP_mmHg);
}

void Calc_Curve(PlotFrame& f) {
  f.Plot_X_Span = XRange();
  const bool constP = VLE.VLE_TP_Type == 0;
  double largest = constP ? kAbsoluteZeroC : 0;
  double smallest = 9999999;
  double gammaMax = 1;
  for (int i = 1; i <= vlefit::kCurvePoints; ++i) {
    const double x1 = VLE.VLE_Graph_Xmin + f.Plot_X_Span / kSteps * (i - 1);
    double g1 = 1, g2 = 1;
    vlefit::ActivityCoeff(x1, g1, g2);
    VLE.Curve_Gamma1[i] = g1;
    VLE.Curve_Gamma2[i] = g2;
    // Every point is searched from 0 degC: the curve must not depend on its neighbour.
    VLE.Curve_TP[i] = constP ? vlefit::T_Bubble(0, x1, g1, g2) : vlefit::P_Bubble(VLE.VLE_Temp, x1, g1, g2);
    VLE.Curve_Y1[i] = VLE.VLE_Y1_Calc;
    // A point without a value (a failed bubble point) sets no axis.
    const double v = VLE.Curve_TP[i];
    if (std::isfinite(v)) {
      largest = std::max(largest, v);
      smallest = std::min(smallest, v);
    }
    for (double g : {g1, g2})
      if (std::isfinite(g)) gammaMax = std::max(gammaMax, g);
  }
  if (smallest > largest) smallest = largest;  // no finite point at all
  if (!constP) {
    largest = Axis_Value(largest);
    smallest = Axis_Value(smallest);
  }
  f.Plot_TP_Top = Axis_Top(largest);
  f.Plot_TP_Bottom = Axis_Bottom(smallest);
  f.Plot_TP_Span = f.Plot_TP_Top - f.Plot_TP_Bottom;
  f.Plot_TP_Step = f.Plot_TP_Span / 5;
  // A curve past the largest scale would flatten every other one against the
  // bottom: the axis then takes the scale of the measured coefficients (drawn
  // with a fit), and the curve is cut at its top.
  double measuredMax = 1;
  if (VLE.VLE_Calc_Type < 3) {
    const int n = std::clamp(static_cast<int>(VLE.VLE_NData), 0, vlefit::kMaxData);
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= 2; ++j)
        if (std::isfinite(VLE.VLE_Gamma_Exp[j][i])) measuredMax = std::max(measuredMax, VLE.VLE_Gamma_Exp[j][i]);
  }
  f.Plot_Gamma_Max = Gamma_Axis_Max(gammaMax >= kGammaScaleTop ? measuredMax : gammaMax);
  f.Plot_Gamma_Cut = gammaMax > f.Plot_Gamma_Max;
}

double Curve_X(const PlotFrame& f, int i) {
  return f.Plot_Left + static_cast<double>(f.Plot_Right - f.Plot_Left) / kSteps * (i - 1);
}

double Y1_Pos(const PlotFrame& f, double y1) {
  return f.Plot_Bottom - (y1 - VLE.VLE_Graph_Ymin) * f.Plot_Height / YRange();
}

double TP_Pos(const PlotFrame& f, double axisValue) {
  return f.Plot_Top + (f.Plot_TP_Top - axisValue) / f.Plot_TP_Span * f.Plot_Height;
}

double Gamma_Pos(const PlotFrame& f, double gamma) {
  return f.Plot_Top + (f.Plot_Gamma_Max - gamma) / f.Plot_Gamma_Max * f.Plot_Height;
}

double Point_X(const PlotFrame& f, double x1) {
  return (x1 - VLE.VLE_Graph_Xmin) * f.Plot_X_Scale + f.Plot_Left;
}

Readout Locate(const PlotFrame& f, double x, double y) {
  Readout r;
  r.xc = Whole(std::floor(x));
  r.yc = Whole(std::floor(y));
  const double width = f.Plot_Right - f.Plot_Left;
  if (!(width > 0)) return r;
  const double at = (r.xc - f.Plot_Left) / width * kSteps + 1;
  if (!(at >= 0.5 && at <= vlefit::kCurvePoints + 0.5)) return r;
  int i = static_cast<int>(txt::RoundHalfEven(at));
  if (i < 1 || i > vlefit::kCurvePoints) return r;
  r.inRange = true;
  const int curveY = Whole(Y1_Pos(f, VLE.Curve_Y1[i]));
  const int n = std::clamp(static_cast<int>(VLE.VLE_NData), 0, vlefit::kMaxData);
  for (int k = 1; k <= n; ++k) {
    const double pos = (VLE.VLE_X1_Data[k] - VLE.VLE_Graph_Xmin) / XRange() * kSteps + 1;
    // A point beyond the sweep has no curve values to show beside it.
    if (!(pos >= 1 && pos < vlefit::kCurvePoints + 1)) continue;
    const int ik = static_cast<int>(std::floor(pos));
    const double dy = std::fabs(r.yc - Y1_Pos(f, VLE.VLE_Y1_Data[k]));
    if (std::abs(i - ik) < 2 && dy < kPickTwips) {
      r.point = k;
      i = ik;
      break;
    }
  }
  r.index = i;
  r.shown = r.point > 0 || std::abs(curveY - r.yc) < kPickTwips;
  return r;
}

}  // namespace vlediagram
