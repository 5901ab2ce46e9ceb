#include "purecomp/estimation_ui/frmPhysicalGraph.h"

#include <QFont>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/model/PhysicalUnits.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QLanguage.h"
#include "purecomp/estimation/LiquidProperties.h"
#include "purecomp/estimation/PhysData.h"

VZ_FORM_FACTORY(frmPhysicalGraph);

using physprop::Phys;

namespace physgraph {
double Axis_Low(double lowC) { return 10.0 * std::floor(lowC / 10.0); }
double Axis_High(double highC) { return 10.0 * std::floor(highC / 10.0 + 0.9); }
double Value_Low(double ymin) { return std::floor(100.0 * ymin - 1.0) / 100.0; }
double Value_High(double ymax) { return std::floor(100.0 * ymax + 9.0) / 100.0; }
}  // namespace physgraph

namespace {

using Curve = std::function<double(double tC)>;

const QColor Grey() { return ui::QBColor(7); }

double Nearest(double x) { return static_cast<double>(txt::RoundHalfEven(x)); }

// Positions beyond a 16-bit coordinate are held at its ends: the picture cuts
// them off anyway.
double Clip16(double v) { return std::clamp(v, -32768.0, 32767.0); }

void Text(ui::PictureBox& p, double x, double y, const std::string& text) {
  p.SetForeColor(Grey());
  p.CurrentX = x;
  p.CurrentY = y;
  p.Print(text);
}

// A value label at the right-hand side: at its place when it fits there, else
// moved left just enough to end inside the picture (a long label is never cut).
void Value_Text(ui::PictureBox& p, double x, double y, const std::string& text) {
  const double room = Nearest(p.ScaleWidth()) - 15 - p.TextWidth(text);
  Text(p, std::max(0.0, std::min(x, room)), y, text);
}

struct Frame {
  double xr = 0, yb = 0;
  double xLow = 0, xHigh = 0;
};

Frame Start(ui::PictureBox& p) {
  Frame f;
  f.xLow = physgraph::Axis_Low(Phys.Phys_Temp_Low);
  f.xHigh = physgraph::Axis_High(Phys.Phys_Temp_High);
  p.Cls();
  f.xr = Nearest(p.ScaleWidth()) - 500;
  f.yb = Nearest(p.ScaleHeight()) - 300;
  return f;
}

// The frame, the vertical grid and the temperature labels.
void Frame_And_Temperatures(ui::PictureBox& p, const Frame& f) {
  p.Box(100, 300, f.xr, f.yb, Grey());
  const double dx = Nearest((f.xr - 100) / 5);
  const double s = (f.xHigh - f.xLow) / 5;
  for (int i = 1; i <= 4; ++i) {
    p.Line(100 + i * dx, 300, 100 + i * dx, f.yb, Grey());
    Text(p, 100 + i * dx - 120, f.yb + 50, txt::Signed(std::floor(f.xLow + i * s)));
  }
  Text(p, -20, f.yb + 50, txt::Signed(f.xLow));
  Text(p, f.xr - 120, f.yb + 50, txt::Signed(f.xHigh));
}

// The curves from x_low to x_high in 200 steps; `toY` maps a value to its
// position. A value that is not finite (beyond Tc, at an Antoine pole) breaks
// the curve there.
void Curves(ui::PictureBox& p, const Frame& f, const std::vector<std::pair<Curve, int>>& curves,
            const std::function<double(double)>& toY) {
  if (!(f.xHigh > f.xLow)) return;
  const double step = (f.xHigh - f.xLow) / 200;
  std::vector<double> lastX(curves.size()), lastY(curves.size());
  std::vector<bool> have(curves.size(), false);
  for (double t = f.xLow; t <= f.xHigh; t += step) {
    const double px = Clip16(Nearest(100 + (t - f.xLow) * (f.xr - 100) / (f.xHigh - f.xLow)));
    for (std::size_t c = 0; c < curves.size(); ++c) {
      const double y = toY(curves[c].first(t));
      if (!std::isfinite(y)) {
        have[c] = false;
        continue;
      }
      const double py = Clip16(Nearest(y));
      if (have[c]) p.Line(lastX[c], lastY[c], px, py, ui::QBColor(curves[c].second));
      lastX[c] = px;
      lastY[c] = py;
      have[c] = true;
    }
  }
}

// A graph with a linear value axis of five bands.
void Linear_Graph(ui::PictureBox& p, double ymin, double ymax, const char* pattern,
                  const std::vector<std::pair<Curve, int>>& curves) {
  const double yLow = physgraph::Value_Low(ymin);
  const double yHigh = physgraph::Value_High(ymax);
  const Frame f = Start(p);
  const double dy = Nearest((f.yb - 300) / 5);
  for (int i = 1; i <= 5; ++i) p.Line(100, f.yb - (i - 1) * dy, f.xr, f.yb - (i - 1) * dy, Grey());
  Value_Text(p, f.xr + 10, f.yb - 100, txt::Format(yLow, pattern));
  Value_Text(p, f.xr + 10, 200, txt::Format(yHigh, pattern));
  Frame_And_Temperatures(p, f);
  if (!(yHigh > yLow) || !std::isfinite(yHigh - yLow)) return;
  Curves(p, f, curves, [&](double v) { return f.yb - (v - yLow) * (f.yb - 300) / (yHigh - yLow); });
}

double Antoine_P(double t) {
  return std::pow(10.0, Phys.Phys_Antoine_A - Phys.Phys_Antoine_B / (Phys.Phys_Antoine_C + t));
}

double Quadratic(double a, double b, double c, double T) { return a + b * T + c * T * T; }

}  // namespace

frmPhysicalGraph::frmPhysicalGraph() : ui::Form("frmPhysicalGraph") {
  QFont font(QString::fromUtf8("ＭＳ ゴシック"), 9);
  setFont(font);
  auto picture = [this](const char* name, double left, double top) {
    auto* p = new ui::PictureBox(name, this);
    ui::Place(p, left, top, 4815, 2895);
    p->SetSizePixels(ui::Px(4815), ui::Px(2895));
    p->SetFontSize(9);
    return p;
  };
  Picture1 = picture("Picture1", 120, 600);
  Picture2 = picture("Picture2", 5160, 600);
  Picture3 = picture("Picture3", 120, 4200);
  Picture4 = picture("Picture4", 5160, 4200);
  auto label = [this](const char* name, const char* ja, const char* en, double left, double top, double width,
                      const QColor* color) {
    QLabel* l = ui::NewLabel(this, name);
    captions_.Add(l, ja, en);
    ui::Place(l, left, top, width, 255);
    if (color) l->setStyleSheet(QString("color: %1").arg(color->name()));
    return l;
  };
  const QColor green = ui::RGB(0, 128, 0), cyan = ui::RGB(0, 128, 128);
  lbl = label("lbl", "蒸気圧  logP(mmHg) = A - B/(t + C)", "Vapour pressure  logP(mmHg) = A - B/(t + C)", 360,
              240, 4455, nullptr);
  lblIHeatCapacity = label("lblIHeatCapacity", "理想気体 Cp0(cal/mol/ﾟK)=A +B*T +C*T^2 +D*T^3",
                           "Ideal gas Cp0(cal/mol/K)=A +B*T +C*T^2 +D*T^3", 5160, 120, 4095, &green);
  lblLiqCapacity = label("lblLiqCapacity", "液比熱 　CpL(cal/mol/ﾟK)=A +B*T +C*T^2 ",
                         "Liquid CpL(cal/mol/K)=A +B*T +C*T^2", 5160, 360, 4095, &cyan);
  lblLiqDensity2 = label("lblLiqDensity2", "液密度 ρ(g/mol)=A*B^(-(1-Tr)^(2/7)",
                         "Liquid density ρ(g/mol)=A*B^(-(1-Tr)^(2/7)", 360, 3720, 4455, &cyan);
  lblLiqDensity1 = label("lblLiqDensity1", "液密度 ρ(g/mol)=A +B*T +C*T^2", "Liquid density ρ(g/mol)=A +B*T +C*T^2",
                         360, 3960, 4455, &green);
  lblLatentHeat = label("lblLatentHeat", "蒸発潜熱(cal/mol) Hv = A + B*T + C*T^2",
                        "Heat of vap.(cal/mol) Hv = A + B*T + C*T^2", 5160, 3840, 4095, nullptr);
  cmdExit = ui::NewButton(this, "cmdExit");
  captions_.Add(cmdExit, "戻る(&X)", "E&xit");
  ui::Place(cmdExit, 9360, 120, 855, 375);
  setFixedSize(ui::Px(10320), ui::Px(7275));

  Picture1->onMouseDown = [this](int, int, double, double) { Graph_Est_Vapor_Press(); };
  Picture2->onMouseDown = [this](int, int, double, double) { Graph_Est_Heat_Capacity(); };
  Picture3->onMouseDown = [this](int, int, double, double) { Graph_Est_Liq_Density(); };
  Picture4->onMouseDown = [this](int, int, double, double) { Graph_Est_Latent_Heat(); };
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frmPhysicalGraph::Form_Load() {
  Apply_Language();
  Draw_All();
}

void frmPhysicalGraph::Form_Activate() {
  Apply_Language();
  Draw_All();
}

void frmPhysicalGraph::Apply_Language() {
  SetCaption(QInLanguage("グラフ表示", "Graphs"));
  captions_.Apply();
  // A caption wider than its place (the equations run up to the exit button)
  // is set in a smaller size rather than cut.
  for (QLabel* l : {lbl, lblIHeatCapacity, lblLiqCapacity, lblLiqDensity2, lblLiqDensity1, lblLatentHeat}) {
    QFont f = font();
    for (double pt = f.pointSizeF(); pt >= 6.0; pt -= 0.5) {
      f.setPointSizeF(pt);
      if (QFontMetrics(f).horizontalAdvance(l->text()) <= l->width()) break;
    }
    l->setFont(f);
  }
}

void frmPhysicalGraph::Draw_All() {
  Graph_Est_Vapor_Press();
  Graph_Est_Heat_Capacity();
  Graph_Est_Liq_Density();
  Graph_Est_Latent_Heat();
}

void frmPhysicalGraph::Graph_Est_Vapor_Press() {
  ui::PictureBox& p = *Picture1;
  const double pHigh = Antoine_P(Phys.Phys_Temp_High);
  const double pLow = std::min(Antoine_P(Phys.Phys_Temp_Low), 999999.0);
  const double L = std::floor(std::log10(pLow));
  const double N = std::floor(std::log10(pHigh)) - L + 1;
  const Frame f = Start(p);
  // Without a rising pressure over at least one decade there is no pressure axis to draw.
  const bool axis = std::isfinite(L) && std::isfinite(N) && N >= 1 && N <= 60;
  if (axis) {
    const double dy = Nearest((f.yb - 300) / N);
    for (int i = 1; i <= static_cast<int>(N); ++i) {
      const double yi = f.yb - (i - 1) * dy;
      p.Line(100, yi, f.xr, yi, Grey());
      Value_Text(p, f.xr - 50, yi - 100, txt::Signed(std::pow(10.0, L + i - 1)));
      for (int j = 1; j <= 10; ++j) {
        const double y = std::floor(f.yb - (i - 1 + std::log10(static_cast<double>(j))) * dy);
        p.Line(100, y, f.xr, y, Grey());
      }
    }
    Value_Text(p, f.xr - 50, 250, txt::Signed(std::pow(10.0, L + N)));
  }
  Frame_And_Temperatures(p, f);
  if (!axis) return;
  const double band = (f.yb - 300) / N;
  Curves(p, f, {{Antoine_P, 10}}, [&](double P) { return f.yb - (std::log10(P) - L) * band; });
}

void frmPhysicalGraph::Graph_Est_Heat_Capacity() {
  const double xLow = physgraph::Axis_Low(Phys.Phys_Temp_Low);
  const double xHigh = physgraph::Axis_High(Phys.Phys_Temp_High);
  const double ymin = std::min(physprop::Cp0_At(xLow + kKelvinOffset), Phys.Phys_CpL_Min);
  const double ymax = std::max(physprop::Cp0_At(xHigh + kKelvinOffset), Phys.Phys_CpL_Max);
  Linear_Graph(*Picture2, ymin, ymax, "##.#0",
               {{[](double t) { return physprop::Cp0_At(t + kKelvinOffset); }, 10},
                {[](double t) { return Quadratic(Phys.Phys_CpL_A, Phys.Phys_CpL_B, Phys.Phys_CpL_C, t + kKelvinOffset); },
                 11}});
}

void frmPhysicalGraph::Graph_Est_Liq_Density() {
  Linear_Graph(
      *Picture3, Phys.Phys_DenL_Min, Phys.Phys_DenL_Max, "##.#00",
      {{[](double t) { return Quadratic(Phys.Phys_DenL2_A, Phys.Phys_DenL2_B, Phys.Phys_DenL2_C, t + kKelvinOffset); },
        10},
       {[](double t) {
          // Defined up to Tc only: beyond it the curve ends.
          const double u = 1.0 - (t + kKelvinOffset) / Phys.Phys_Tc;
          return u < 0 ? NAN : Phys.Phys_DenL1_A * std::pow(Phys.Phys_DenL1_B, -std::pow(u, 2.0 / 7.0));
        },
        11}});
}

void frmPhysicalGraph::Graph_Est_Latent_Heat() {
  Linear_Graph(*Picture4, Phys.Phys_Hv_Min, Phys.Phys_Hv_Max, "##.#0",
               {{[](double t) { return Quadratic(Phys.Phys_Hv_A, Phys.Phys_Hv_B, Phys.Phys_Hv_C, t + kKelvinOffset); },
                 10}});
}

void frmPhysicalGraph::cmdExit_Click() { ui::Forms::Unload(this); }
