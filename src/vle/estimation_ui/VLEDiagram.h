// The geometry of the estimation result diagram, apart from any window: the
// 201-point sweep of the binary model, the rounded right-hand (temperature or
// pressure) axis, the activity-coefficient axis, the mapping of values to
// picture positions (twips, origin top left, y down) and the point a mouse
// click reads out.
#pragma once

namespace vlediagram {

// Frame and axes of one drawing; every member is overwritten by each drawing.
struct PlotFrame {
  int Plot_Left = 0, Plot_Top = 0, Plot_Right = 0, Plot_Bottom = 0, Plot_Height = 0;  // twips
  double Plot_X_Span = 1;   // x1 range of the sweep
  int Plot_X_Scale = 0;     // twips per unit of x1, for the measured points
  double Plot_TP_Top = 1, Plot_TP_Bottom = 0, Plot_TP_Span = 1, Plot_TP_Step = 0.2;  // degC or display pressure
  double Plot_Gamma_Max = 2;  // top of the activity-coefficient axis (bottom is 0)
  bool Plot_Gamma_Cut = false;  // computed coefficients run above that top and are cut there
};

// A picture position as a whole number of twips, halves to the even neighbour;
// kept within +-1e9 so that a very narrow range cannot overflow it.
int Whole(double twips);

// The frame of a picture of width w and height h (twips): 250 from the top and
// left, 400 from the right, 200 from the bottom.
void Set_Frame(PlotFrame& f, double w, double h);

// Top of the right-hand axis: the largest value rounded up on its second
// significant digit, always above it (78.3 -> 79, 760 -> 770, 100 -> 110).
// A value of 0 or less has no logarithm: the next whole number above it.
double Axis_Top(double largest);
// Bottom of the right-hand axis: the smallest value rounded down on its second
// significant digit (64.5 -> 64, 355 -> 350); the whole number at or below a
// value of 0 or less.
double Axis_Bottom(double smallest);
// Top of the activity-coefficient axis for the largest coefficient: 2, 5, 10, 20 or 50.
double Gamma_Axis_Max(double largestGamma);

// The right-hand axis value of a curve point or measured point: degC at
// constant pressure, the pressure in the display unit (Case.P_Unit) at constant
// temperature from mmHg.
double Axis_Value(double tOrP_mmHg);

// Computes the 201 curve points of VLE.Curve_TP, Curve_Y1, Curve_Gamma1 and
// Curve_Gamma2 over VLE_Graph_Xmin..Xmax from the parameters in force: bubble
// temperatures (degC) at VLE_Press searched from 0 degC, or bubble pressures
// (mmHg) at VLE_Temp; then sets the frame's x span, the right-hand axis and the
// gamma axis from them. Where the computed coefficients pass the top of the
// axis scale (50), as they do near a pure end with a Lambda close to 0, the
// axis follows the measured coefficients instead and the curves are cut at it.
void Calc_Curve(PlotFrame& f);

// Picture positions (unrounded) of a curve index 1..201 and of values.
double Curve_X(const PlotFrame& f, int i);
double Y1_Pos(const PlotFrame& f, double y1);
double TP_Pos(const PlotFrame& f, double axisValue);
double Gamma_Pos(const PlotFrame& f, double gamma);
// x position of a measured point's x1 (with the rounded Plot_X_Scale).
double Point_X(const PlotFrame& f, double x1);

// What a mouse click at (x, y) reads out.
struct Readout {
  bool inRange = false;  // the click lies within the sweep (curve index 1..201)
  bool shown = false;    // near the y-x curve or on a measured point
  int index = 0;         // curve index read out, 1..201
  int point = 0;         // the measured point chosen, 0 for none
  int xc = 0, yc = 0;    // the click, whole twips
};
// A measured point is taken within one curve step across and less than 30 twips
// up or down, the lowest number first; else the y-x curve within 30 twips.
Readout Locate(const PlotFrame& f, double x, double y);

}  // namespace vlediagram
