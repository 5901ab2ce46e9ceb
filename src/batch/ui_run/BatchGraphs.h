// The two graphs of the batch program, shared by the run window and the result
// windows: the plate profile (liquid mole fraction of every component against
// the plate number) on a window's `Picture1`, and the history of the top and
// still compositions against time on `Picture2` with its plot area
// `Picture2A`. Each routine reaches the pictures of the window it is given by
// name, so every window that has them can use the same drawing.
#pragma once

#include <QColor>

#include <string>

namespace ui {
class Form;
class PictureBox;
}  // namespace ui

// The scales of the graph drawn last (picture scale units, twips).
struct BatchGraphState {
  int Graph_Left = 0, Graph_Top = 0, Graph_Right = 0, Graph_Bottom = 0;  // plot rectangle
  int Graph_Pic1_W = 0, Graph_Pic1_H = 0;  // scale size of Picture1
  int Graph_Pic2_W = 0, Graph_Pic2_H = 0;  // scale size of Picture2
  int Graph_Div_W = 0;  // one x division of the profile; spacing of the history legend
  int Graph_Div_H = 0;  // one plate step of the profile, or one division of the history
  int Graph_X = 0;      // x of the newest history point in Picture2A units
  double Graph_X_Step = 0;  // running x of the history graph, one unit per step of the case's size
  int Graph_Last_Y[3][21]{};  // last plotted y per series (1 top or chosen plate, 2 still) and component
};

extern BatchGraphState Batch_Graph;

// Colour of component c: palette entry ((c + 8) mod 15) + 1.
QColor Batch_Component_Colour(int c);

// Frame of the profile graph on Picture1; mode 1 the full grid of the result
// windows, any other value the compact frame of the run window.
void Graph_Tray_Frame(ui::Form& window, int mode);
// The current Tray_X profile over the frame (the picture is not cleared).
void Graph_Tray_Profile(ui::Form& window);
// Frame, scale ticks and legend of the history graph; places Picture2A inside
// Picture2. Mode 1 adds the minor lines of the logarithmic axis.
void Graph_History_Frame(ui::Form& window, int mode);
// A scale label of the history graph at height y of Picture2, in `colour`,
// ending a little left of the plot so that it shows whole beside the axis,
// whatever its width in the font in use.
void Graph_History_Label(ui::Form& window, double y, const std::string& text, const QColor& colour);
// Scrolls the history plot left by half its width (the right half is emptied).
void Graph_History_Clip(ui::Form& window, int mode);
// A vertical marker across the history plot at Graph_X.
void Graph_Mark_Line(ui::Form& window, const QColor& colour);

// y in a history plot of height h for the mole fraction x (logarithmic or
// linear by Graph_Scale); a fraction at or below the axis gives h or more.
int History_Y(double x, double h, int divisionHeight);
// x in the profile plot for the mole fraction x; a fraction below the axis is
// held at the left edge.
int Profile_X(double x, int left, int right, int divisionWidth);

// An operating time as the batch windows show it: cut to `decimals` places
// (four unless said otherwise) after the rounding noise of the summed steps is
// taken off, so 0.6126 reached as 0.612599999999 reads "0.6126".
std::string Batch_Time_Text(double hours, int decimals = 4);
