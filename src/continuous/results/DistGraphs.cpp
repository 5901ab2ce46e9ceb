#include "continuous/results/DistGraphs.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"

namespace {

constexpr int kForeColour = 15, kGridColour = 8, kFrameColour = 7;
constexpr int kTop = 500, kLeft = 200;

// Nearest whole number, halves to even; values that have none (a zero stage
// spacing, a degenerate crossing) give 0 so that nothing is drawn far away.
int RoundInt(double v) {
  if (!std::isfinite(v)) return 0;
  v = std::clamp(v, -1e9, 1e9);
  return static_cast<int>(txt::RoundHalfEven(v));
}

int Stages() { return std::clamp(Case.NT, 0, kMaxTray); }
int Comps() { return std::clamp(Case.NC, 0, kMaxComp); }
int Count(int32_t n) { return std::clamp(n, 0, kMaxFeed); }

void PrintAt(ui::PictureBox& pic, double x, double y, const std::string& text) {
  pic.CurrentX = x;
  pic.CurrentY = y;
  pic.Print(text);
}

// Stage ticks on both edges: 100 twips at every tenth stage, else 40.
void StageTicks(ui::PictureBox& pic, const DistGraphGeometry& g, int right) {
  for (int p = 1; p <= Stages(); ++p) {
    const int y = g.StageY(p);
    const int len = p % 10 == 0 ? 100 : 40;
    pic.Line(kLeft - len, y, kLeft, y);
    pic.Line(right, y, right + len, y);
  }
}

int StageOf(const int32_t* stages, int k) { return stages[k]; }

// Dashes from a lower end (xs, ys) up to yt: 10 twips drawn, 10 left out.
void Dashes(ui::PictureBox& pic, const QColor& colour, int xs, int ys, int yt, int s) {
  long long x = xs;
  for (long long y = ys; y >= yt; y -= 20) {
    pic.Line(static_cast<double>(x), static_cast<double>(y), static_cast<double>(x + s), static_cast<double>(y + 10),
             colour);
    x -= 2LL * s;
  }
}

// The crossing height of a segment with the left edge.
int Crossing(int y0, int y1, double xa, double xb) {
  return RoundInt(y0 + (kLeft - xa) / (xb - xa) * (y1 - y0));
}

ui::PictureBox* Picture(ui::Form& frm, const char* name) { return frm.Ctl<ui::PictureBox>(name); }

}  // namespace

int Stage_Number_Step(int dy, double textHeight) {
  for (int step : {1, 2, 5, 10, 20, 50, 100})
    if (static_cast<double>(step) * dy >= textHeight) return step;
  return 200;
}

int DistGraphGeometry::CompX(double z) const {
  if (!(z >= 1e-20)) return kLeft;  // zero, tiny, negative or not a number
  const double div = Case.Dist_Graph_Div;
  const double x = std::floor((std::log10(z) + div) * dx + kLeft);
  return static_cast<int>(std::clamp(x, -1e9, 1e9));
}

DistGraphGeometry Dist_Graph_Geometry(double scaleWidth, double scaleHeight) {
  DistGraphGeometry g;
  g.W = RoundInt(scaleWidth);
  g.H = RoundInt(scaleHeight);
  const int nt = Stages();
  g.dy = nt > 1 ? RoundInt((g.H - 700.0) / (nt - 1) + 0.5) : 0;
  const int div = Case.Dist_Graph_Div;
  g.dx = div > 0 ? RoundInt((g.W - 600.0) / div) : 0;
  return g;
}

int Dist_Comp_Colour(int c) { return ((c + 8) % 15) + 1; }

void Graph_Dist_Comp_Frame(ui::PictureBox& pic) {
  const DistGraphGeometry g = Dist_Graph_Geometry(pic.ScaleWidth(), pic.ScaleHeight());
  const int W = g.W, H = g.H, div = Case.Dist_Graph_Div;
  pic.Cls();
  pic.SetForeColor(ui::QBColor(kForeColour));
  const QColor grid = ui::QBColor(kGridColour);

  // Decade grid: the lines of 1..10 times the decade's first value.
  for (int k = 1; k <= div; ++k) {
    const int e = k - div - 1;
    for (int j = 1; j <= 10; ++j) {
      const int xj = static_cast<int>(std::floor((k - 1 + std::log10(static_cast<double>(j))) * g.dx + kLeft));
      pic.Line(xj, kTop, xj, H - 200, grid);
    }
    PrintAt(pic, kLeft + (k - 1) * g.dx - 150, 300, txt::Plain(std::pow(10.0, e)));
  }
  PrintAt(pic, W - 550, 300, "1.0");

  StageTicks(pic, g, W - 400);

  const double h = pic.TextHeight(">>");
  for (int f = 1; f <= Count(Case.N_Feed); ++f) {
    const int y = g.StageY(StageOf(Case.Feed_Stage, f));
    pic.Line(kLeft, y, W - 400, y, grid);
    PrintAt(pic, 50, y - h / 2, ">>");
  }
  for (int f = 1; f <= Count(Case.N_LiqSC); ++f) {
    const int y = g.StageY(StageOf(Case.LiqSC_Stage, f));
    pic.Line(kLeft, y, W - 400, y, grid);
    PrintAt(pic, W - 380, y - h / 2, ">>");
  }
  for (int f = 1; f <= Count(Case.N_VapSC); ++f) {
    const int y = g.StageY(StageOf(Case.VapSC_Stage, f));
    pic.Line(kLeft, y, W - 400, y, grid);
    PrintAt(pic, W - 380, y - h / 2, ">>");
  }

  // Stage numbers at a step that keeps them apart (1, 2, 5, 10, 20, 50 ...),
  // the top stage first and the bottom stage where each has room.
  const double textH = pic.TextHeight("0");
  const int step = Stage_Number_Step(g.dy, textH);
  const int nt = Stages();
  double lastY = -1e9;
  for (int p = 1; p <= nt; ++p) {
    const double y = g.StageY(p) - 80;
    if ((p == 1 || p % step == 0 || p == nt) && y - lastY >= textH) {
      PrintAt(pic, W - 300, y, txt::Plain(p));
      lastY = y;
    }
  }

  pic.Box(kLeft, kTop, W - 400, H - 200, ui::QBColor(kFrameColour));

  Case.Msg_Text = In_English() ? "Vapor/Liquid Profile" : "蒸気／液組成分布";
  pic.SetForeColor(ui::QBColor(kForeColour));
  PrintAt(pic, (kLeft + W - 400) / 2.0 - 200, H - 180, Case.Msg_Text);

  // Legend: five names a row.
  const int lw = RoundInt((W - 600) / 5.0);
  double x = 20, y = 20;
  for (int c = 1; c <= Comps(); ++c) {
    pic.SetForeColor(ui::QBColor(Dist_Comp_Colour(c)));
    PrintAt(pic, x, y, Case.Comp_Name[c]);
    x += lw;
    if (c % 5 == 0) {
      x = 20;
      y += 130;
    }
  }
}

void Graph_Dist_Comp_Profile(double vaporFlag, ui::PictureBox& pic) {
  const DistGraphGeometry g = Dist_Graph_Geometry(pic.ScaleWidth(), pic.ScaleHeight());
  const int nt = Stages();
  for (int c = 1; c <= Comps(); ++c) {
    const QColor colour = ui::QBColor(Dist_Comp_Colour(c));
    pic.SetForeColor(colour);
    int xl = g.CompX(Case.Tray_X[c][1]);
    int xv = g.CompX(Case.Tray_Y[c][1]);
    for (int p = 2; p <= nt; ++p) {
      const int y0 = g.StageY(p - 1), y1 = g.StageY(p);

      // Liquid: solid, cut where it leaves the plot to the left.
      int x1 = g.CompX(Case.Tray_X[c][p]);
      if (x1 >= kLeft && xl >= kLeft) {
        pic.Line(xl, y0, x1, y1, colour);
      } else if (x1 >= kLeft) {
        pic.Line(kLeft, Crossing(y0, y1, xl, x1), x1, y1, colour);
      } else if (xl > kLeft) {
        pic.Line(xl, y0, kLeft, Crossing(y0, y1, xl, x1), colour);
        x1 = kLeft;
      }
      xl = x1;

      if (vaporFlag == 0) continue;
      // Vapour: dashed, drawn upwards from the segment's lower end.
      x1 = g.CompX(Case.Tray_Y[c][p]);
      if (x1 >= kLeft && xv >= kLeft) {
        Dashes(pic, colour, x1, y1, y0, RoundInt(static_cast<double>(x1 - xv) / (y1 - y0) * 10));
      } else if (x1 >= kLeft) {
        const int yc = Crossing(y0, y1, xv, x1);
        Dashes(pic, colour, x1, y1, yc, RoundInt(static_cast<double>(x1 - kLeft) / (y1 - yc) * 10));
      } else if (xv > kLeft) {
        const int yc = Crossing(y0, y1, xv, x1);
        Dashes(pic, colour, kLeft, yc, y0, RoundInt(static_cast<double>(kLeft - xv) / (yc - y0) * 10));
        x1 = kLeft;
      }
      xv = x1;
    }
  }
}

void Graph_Dist_Temp_Frame(ui::PictureBox& pic) {
  const DistGraphGeometry g = Dist_Graph_Geometry(pic.ScaleWidth(), pic.ScaleHeight());
  const int W = g.W, H = g.H;
  pic.Cls();
  pic.SetForeColor(ui::QBColor(kForeColour));
  const QColor grid = ui::QBColor(kGridColour);

  StageTicks(pic, g, W - 200);
  for (int f = 1; f <= Count(Case.N_Feed); ++f) {
    const int y = g.StageY(StageOf(Case.Feed_Stage, f));
    pic.Line(kLeft, y, W - 200, y, grid);
  }
  for (int f = 1; f <= Count(Case.N_LiqSC); ++f) {
    const int y = g.StageY(StageOf(Case.LiqSC_Stage, f));
    pic.Line(kLeft, y, W - 200, y, grid);
  }
  for (int f = 1; f <= Count(Case.N_VapSC); ++f) {
    const int y = g.StageY(StageOf(Case.VapSC_Stage, f));
    pic.Line(kLeft, y, W - 200, y, grid);
  }
  const int q = RoundInt((W - 400) / 4.0 + 0.5);
  for (int i = 1; i <= 3; ++i) pic.Line(kLeft + i * q, kTop, kLeft + i * q, H - 200, grid);
  pic.Box(kLeft, kTop, W - 200, H - 200, ui::QBColor(kFrameColour));

  Case.Msg_Text = In_English() ? "Temp Profile" : "温度分布";
  pic.SetForeColor(ui::QBColor(kForeColour));
  PrintAt(pic, (kLeft + W - 200) / 2.0 - 200, H - 180, Case.Msg_Text);
}

void Clear_Dist_Temp_Ends(ui::PictureBox& pic) {
  const DistGraphGeometry g = Dist_Graph_Geometry(pic.ScaleWidth(), pic.ScaleHeight());
  // Above the frame (top at kTop), over the whole width the end values use.
  pic.Box(0, 300, g.W, kTop - 1, Qt::black, true);
}

void Graph_Dist_Temp_Profile(ui::PictureBox& pic) {
  const DistGraphGeometry g = Dist_Graph_Geometry(pic.ScaleWidth(), pic.ScaleHeight());
  const int nt = Stages();
  if (nt < 1) return;
  const double t1 = Case.Tray_T[1], tn = Case.Tray_T[nt];
  const double s = (tn - t1) / (g.W - 400);

  pic.SetForeColor(ui::QBColor(kForeColour));
  PrintAt(pic, kLeft, 300, txt::Signed(t1).substr(0, 7));
  PrintAt(pic, g.W - 620, 300, txt::Signed(tn).substr(0, 7));

  // Equal end temperatures give no scale: the curve then stands in the middle.
  const bool scaled = s != 0 && std::isfinite(s);
  auto X = [&](double t) { return scaled ? (t - t1) / s + kLeft : g.W / 2.0; };
  const QColor colour = ui::QBColor(kFrameColour);
  for (int p = 2; p <= nt; ++p) {
    const double xa = X(Case.Tray_T[p - 1]), xb = X(Case.Tray_T[p]);
    if (!std::isfinite(xa) || !std::isfinite(xb)) continue;
    pic.Line(xa, g.StageY(p - 1), xb, g.StageY(p), colour);
  }
}

void Graph_Dist_Comp_Frame(ui::Form& frm) {
  if (auto* pic = Picture(frm, "Picture1")) Graph_Dist_Comp_Frame(*pic);
}
void Graph_Dist_Comp_Profile(double vaporFlag, ui::Form& frm) {
  if (auto* pic = Picture(frm, "Picture1")) Graph_Dist_Comp_Profile(vaporFlag, *pic);
}
void Graph_Dist_Temp_Frame(ui::Form& frm) {
  if (auto* pic = Picture(frm, "Picture2")) Graph_Dist_Temp_Frame(*pic);
}
void Graph_Dist_Temp_Profile(ui::Form& frm) {
  if (auto* pic = Picture(frm, "Picture2")) Graph_Dist_Temp_Profile(*pic);
}

void Create_Dist_Graph_Pictures(ui::Form& frm) {
  struct Spec { const char* name; int left, top, width, height; };
  for (const Spec& s : {Spec{"Picture1", 120, 120, 8655, 6855}, Spec{"Picture2", 8760, 120, 2415, 6855}}) {
    auto* pic = new ui::PictureBox(QString::fromLatin1(s.name), &frm);
    ui::Place(pic, s.left, s.top, s.width, s.height);
    pic->SetSizePixels(ui::Px(s.width), ui::Px(s.height));
    pic->SetBackColor(Qt::black);
    pic->SetFontSize(8);  // the end temperatures fit the narrow temperature graph
  }
}
