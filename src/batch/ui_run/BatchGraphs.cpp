#include "batch/ui_run/BatchGraphs.h"

#include <algorithm>
#include <cmath>

#include "batch/model/BatchData.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"

BatchGraphState Batch_Graph;

namespace {

BatchGraphState& G = Batch_Graph;

int Nearest(double v) { return static_cast<int>(txt::RoundHalfEven(v)); }

// A division count of at least 1, so that no scale divides by zero.
int Divisions() { return std::max(1, static_cast<int>(Batch.Graph_Div)); }
bool LogAxis() { return Batch.Graph_Scale == 0; }

// Holds a computed coordinate inside what an int and the painter can take.
int Coordinate(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::clamp(v, -1.0e6, 1.0e6));
}

// Left edge of the history plot (Picture2A) inside Picture2, and the room
// kept between a scale label and it.
constexpr double kHistoryPlotLeft = 800;
constexpr double kLabelGap = 60;

const QColor kGrey = ui::QBColor(8);
const QColor kLightGrey = ui::QBColor(7);

void PrintAt(ui::PictureBox* pic, double x, double y, const std::string& text) {
  pic->CurrentX = x;
  pic->CurrentY = y;
  pic->Print(text);
}

// Prints a label whole: one that would run past the right or bottom edge of
// the picture is moved in until it fits.
void PrintInside(ui::PictureBox* pic, double x, double y, const std::string& text) {
  const double w = pic->TextWidth(text), h = pic->TextHeight(text);
  PrintAt(pic, std::max(0.0, std::min(x, pic->ScaleWidth() - w - 15)),
          std::max(0.0, std::min(y, pic->ScaleHeight() - h)), text);
}

void PlotEdges(ui::PictureBox* pic) {
  G.Graph_Pic1_W = static_cast<int>(pic->ScaleWidth());
  G.Graph_Pic1_H = static_cast<int>(pic->ScaleHeight());
  G.Graph_Left = 200;
  G.Graph_Top = 400;
  G.Graph_Right = G.Graph_Pic1_W - 200;
  G.Graph_Bottom = G.Graph_Pic1_H - 200;
}

// One plate step of the profile: a column of a single plate has none.
int PlateStep() { return Nearest(static_cast<double>(G.Graph_Bottom - G.Graph_Top) / std::max(1, Case.NT - 1)); }

// The division lines across the history plot, bottom edge first.
void HistoryDivisionLines(ui::PictureBox* a, double w, double h) {
  for (int i = 1; i <= Divisions(); ++i) {
    const double y = h - (i - 1) * G.Graph_Div_H - 1;
    a->Line(0, y, w, y, kGrey);
  }
}

}  // namespace

QColor Batch_Component_Colour(int c) { return ui::QBColor(((c + 8) % 15) + 1); }

int Profile_X(double x, int left, int right, int divisionWidth) {
  if (!LogAxis()) return Coordinate(std::floor((right - left) * x) + left);
  // Nothing below the axis can be placed on it: such a fraction sits on the left edge.
  if (!(x > 0)) return left;
  const int at = Coordinate(std::floor((std::log10(x) + Divisions()) * divisionWidth) + left);
  return std::max(at, left);
}

int History_Y(double x, double h, int divisionHeight) {
  // A fraction that is no number has no place: it is treated as off the plot.
  if (!std::isfinite(x)) return Coordinate(h + 1);
  if (!LogAxis()) return Coordinate(std::nearbyint(h - h * x));  // halves to even
  // A fraction of 0 (or less) lies below every decade: under the bottom edge.
  if (!(x > 0)) return Coordinate(h + 1);
  return Coordinate(std::floor(h - (std::log10(x) + Divisions()) * divisionHeight));
}

void Graph_Tray_Frame(ui::Form& window, int mode) {
  auto* pic = window.Ctl<ui::PictureBox>("Picture1");
  if (!pic) return;
  pic->Cls();
  PlotEdges(pic);
  const int div = Divisions();
  G.Graph_Div_W = Nearest(static_cast<double>(G.Graph_Right - G.Graph_Left) / div);
  G.Graph_Div_H = PlateStep();
  const int L = G.Graph_Left, T = G.Graph_Top, R = G.Graph_Right, B = G.Graph_Bottom;

  for (int i = 1; i <= div; ++i) {
    const double x = L + (i - 1) * G.Graph_Div_W;
    pic->Line(x, B, x, T, kGrey);
    pic->SetForeColor(kLightGrey);
    if (!LogAxis()) {
      PrintAt(pic, x - 150, T - 200, txt::Format(static_cast<double>(i - 1) / div, "0.0"));
      continue;
    }
    const double d = std::pow(10.0, i - div - 1);
    if (mode == 1 || i == 1) PrintAt(pic, x - 150, T - 200, txt::Plain(d));
    for (int k = 1; k <= 9; ++k) {
      const double xk = Nearest(std::floor((std::log10(k * d) + div) * G.Graph_Div_W) + L);
      if (mode == 1) {
        pic->Line(xk, T - 30, xk, B + 30, kGrey);
      } else {
        pic->Line(xk, T - 30, xk, T, kGrey);
        pic->Line(xk, B, xk, B + 30, kGrey);
      }
    }
  }
  for (int j = 2; j <= Case.NT - 1; ++j) {
    const double y = T + (j - 1) * G.Graph_Div_H;
    pic->Line(L, y, L - 80, y, kGrey);
    pic->Line(R, y, R + 80, y, kGrey);
  }
  pic->Box(L, T, R, B, kLightGrey);
  pic->SetForeColor(kLightGrey);
  // The axis end above the frame, the plate numbers beside it.
  PrintInside(pic, R - pic->TextWidth("1.0") / 2, T - 200, "1.0");
  PrintInside(pic, R + 50, T - 50, "1");
  PrintInside(pic, R + 50, B - 50, txt::Plain(Case.NT));
}

void Graph_Tray_Profile(ui::Form& window) {
  auto* pic = window.Ctl<ui::PictureBox>("Picture1");
  if (!pic) return;
  PlotEdges(pic);
  const int dw = Nearest(static_cast<double>(G.Graph_Right - G.Graph_Left) / Divisions());
  const int dh = PlateStep();
  for (int c = 1; c <= Case.NC; ++c) {
    const QColor colour = Batch_Component_Colour(c);
    for (int j = 1; j <= Case.NT - 1; ++j) {
      const double y1 = G.Graph_Top + (j - 1) * dh, y2 = G.Graph_Top + j * dh;
      const int x1 = Profile_X(Case.Tray_X[c][j], G.Graph_Left, G.Graph_Right, dw);
      const int x2 = Profile_X(Case.Tray_X[c][j + 1], G.Graph_Left, G.Graph_Right, dw);
      pic->Line(x1, y1, x2, y2, colour);
    }
  }
}

void Graph_History_Frame(ui::Form& window, int mode) {
  auto* p2 = window.Ctl<ui::PictureBox>("Picture2");
  auto* a = window.Ctl<ui::PictureBox>("Picture2A");
  if (!p2 || !a) return;
  p2->Cls();
  a->Cls();
  p2->SetForeColor(ui::QBColor(0));
  G.Graph_Pic2_W = static_cast<int>(p2->ScaleWidth());
  G.Graph_Pic2_H = static_cast<int>(p2->ScaleHeight());

  a->move(ui::Px(kHistoryPlotLeft), ui::Px(400));
  a->SetSizePixels(std::max(1, ui::Px(G.Graph_Pic2_W - 1000)), std::max(1, ui::Px(G.Graph_Pic2_H - 600)));
  a->SetForeColor(ui::QBColor(0));
  const double w = a->ScaleWidth(), h = a->ScaleHeight();
  const int div = Divisions();
  G.Graph_Div_H = Nearest(h / div);
  HistoryDivisionLines(a, w, h);
  a->Box(0, 0, w, h, kGrey);

  G.Graph_Left = 800;
  G.Graph_Top = 400;
  G.Graph_Right = G.Graph_Pic2_W - 200;
  G.Graph_Bottom = G.Graph_Pic2_H - 200;
  const int L = G.Graph_Left, R = G.Graph_Right, B = G.Graph_Bottom;

  if (LogAxis()) {
    for (int i = 1; i <= div; ++i) {
      const double y = B - (i - 1) * G.Graph_Div_H - 1;
      p2->Line(L - 30, y, L, y, kGrey);
      p2->Line(R, y, R + 30, y, kGrey);
      const double d = std::pow(10.0, i - div - 1);
      for (int k = 1; k <= 9; ++k) {
        const double decades = std::log10(k * d) + div;
        if (mode == 1) {
          const double ya = std::floor(h - decades * G.Graph_Div_H);
          a->Line(0, ya, w, ya, kGrey);
        }
        const double yb = std::floor(B - decades * G.Graph_Div_H);
        p2->Line(L - 50, yb, L, yb, kGrey);
        p2->Line(R, yb, R + 50, yb, kGrey);
      }
    }
  }
  p2->Box(L, G.Graph_Top, R, B, kGrey);

  // Legend: five names to a row.
  G.Graph_Div_W = Nearest(static_cast<double>(R - L) / 5);
  double x = 20, y = 20;
  for (int c = 1; c <= Case.NC; ++c) {
    p2->SetForeColor(Batch_Component_Colour(c));
    PrintAt(p2, x, y, Case.Comp_Name[c]);
    x += G.Graph_Div_W;
    if (c % 5 == 0) {
      x = 20;
      y += 130;
    }
  }
}

void Graph_History_Label(ui::Form& window, double y, const std::string& text, const QColor& colour) {
  auto* p2 = window.Ctl<ui::PictureBox>("Picture2");
  if (!p2) return;
  p2->SetForeColor(colour);
  PrintAt(p2, std::max(0.0, kHistoryPlotLeft - kLabelGap - p2->TextWidth(text)), y, text);
}

void Graph_History_Clip(ui::Form& window, int mode) {
  auto* a = window.Ctl<ui::PictureBox>("Picture2A");
  if (!a) return;
  a->SetForeColor(ui::QBColor(0));
  const double w = a->ScaleWidth(), h = a->ScaleHeight();
  // The right half of the plot becomes its left half, at the same scale.
  const QImage right = a->CopyRegion(w / 2, 0, w / 2, h);
  const QPointF size = a->ToPixels(w / 2, h);
  const QImage left = right.scaled(std::max(1, static_cast<int>(std::lround(size.x()))),
                                   std::max(1, static_cast<int>(std::lround(size.y()))));
  a->Cls();
  a->PaintImage(left, 0, 0);

  const int div = Divisions();
  G.Graph_Div_H = Nearest(h / div);
  HistoryDivisionLines(a, w, h);
  if (LogAxis() && mode == 1) {
    for (int i = 1; i <= div; ++i) {
      const double d = std::pow(10.0, i - div - 1);
      for (int k = 1; k <= 9; ++k) {
        const double ya = std::floor(h - (std::log10(k * d) + div) * G.Graph_Div_H);
        a->Line(w / 2, ya, w, ya, kGrey);
      }
    }
  }
  a->Box(0, 0, w, h, kGrey);
}

void Graph_Mark_Line(ui::Form& window, const QColor& colour) {
  auto* a = window.Ctl<ui::PictureBox>("Picture2A");
  if (!a) return;
  a->Line(G.Graph_X, 0, G.Graph_X, a->ScaleHeight(), colour);
}

std::string Batch_Time_Text(double hours, int decimals) {
  if (!std::isfinite(hours)) return txt::Plain(hours);
  // Nine places hold any step a run takes; what lies below them is the noise
  // of adding the steps up.
  const double places = std::pow(10.0, decimals);
  const double clean = std::round(hours * 1e9) / std::pow(10.0, 9 - decimals);
  return txt::Plain(std::floor(clean) / places);
}
