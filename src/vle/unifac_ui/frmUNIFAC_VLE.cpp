#include "vle/unifac_ui/frmUNIFAC_VLE.h"

#include <algorithm>
#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"

using ui::Q;

namespace {

constexpr double kNear = 30;       // read-out: largest distance from the y-x curve, picture units
constexpr double kCross = 100;     // half length of the read-out cross
constexpr int kLastPoint = unifac::kNPoint;

// A picture position: whole units, halves to even. Values far outside any
// picture are held where the conversion stays defined (the line is clipped anyway).
double Pos(double v) { return static_cast<double>(txt::RoundHalfEven(std::clamp(v, -1e7, 1e7))); }

// A number as the picture prints it: leading blank for the sign, one blank behind.
std::string Num(double v) { return txt::Signed(v) + " "; }

void PrintAt(ui::PictureBox& pic, double x, double y, const std::string& text) {
  pic.CurrentX = x;
  pic.CurrentY = y;
  pic.Print(text);
}

QLabel* DataLabel(QWidget* parent, const char* name) {
  QLabel* l = ui::NewLabel(parent, name);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return l;
}

std::string Indexed(const char* name, int i) { return std::string(name) + "(" + std::to_string(i) + ")"; }

}  // namespace

frmUNIFAC_VLE::frmUNIFAC_VLE() : ui::Form("frmUNIFAC_VLE") {
  picCalc = new ui::PictureBox("picCalc", this);
  ui::Place(picCalc, 120, 120, 8400, 4800);
  picCalc->SetSizePixels(ui::Px(8400), ui::Px(4800));
  // A small font, so that the right-hand axis texts ("Temp", the temperatures)
  // fit the 400 twips beside the frame and the left gamma value its 250.
  picCalc->SetFontSize(7);
  picCalc->setToolTip(
      "気液平衡線を左ｸﾘｯｸすると値表示する。[黄色（気液平衡）、緑（沸点温度）、赤・紫（活量係数）]");
  picCalc->onMouseDown = [this](int button, int shift, double x, double y) {
    picCalc_MouseDown(button, shift, x, y);
  };

  fraAntoine = ui::NewFrame(this, "fraAntoine", "Antoine 定数");
  ui::Place(fraAntoine, 8700, 60, 4800, 1500);
  lblA = ui::NewLabel(fraAntoine, "lblA", "A");
  lblB = ui::NewLabel(fraAntoine, "lblB", "B");
  lblC = ui::NewLabel(fraAntoine, "lblC", "C");
  ui::Place(lblA, 1800, 300, 900, 270);
  ui::Place(lblB, 2760, 300, 900, 270);
  ui::Place(lblC, 3720, 300, 900, 270);
  for (QLabel* l : {lblA, lblB, lblC}) l->setAlignment(Qt::AlignCenter);
  for (int i = 0; i < 2; ++i) {
    const double y = 620 + i * 380;
    lblCompName[i] = ui::NewLabel(fraAntoine, Indexed("lblCompName", i).c_str());
    ui::Place(lblCompName[i], 120, y, 1640, 300);
    lblAntoine_A[i] = DataLabel(fraAntoine, Indexed("lblAntoine_A", i).c_str());
    ui::Place(lblAntoine_A[i], 1800, y, 900, 300);
    lblAntoine_B[i] = DataLabel(fraAntoine, Indexed("lblAntoine_B", i).c_str());
    ui::Place(lblAntoine_B[i], 2760, y, 900, 300);
    lblAntoine_C[i] = DataLabel(fraAntoine, Indexed("lblAntoine_C", i).c_str());
    ui::Place(lblAntoine_C[i], 3720, y, 900, 300);
  }

  lblPress = ui::NewLabel(this, "lblPress", "圧力=");
  ui::Place(lblPress, 8760, 1700, 900, 300);
  lblPressData = DataLabel(this, "lblPressData");
  ui::Place(lblPressData, 9700, 1680, 1300, 300);
  lblPressUnit = ui::NewLabel(this, "lblPressUnit", "mmHg");
  ui::Place(lblPressUnit, 11080, 1700, 700, 300);

  fraWilsonParameter = ui::NewFrame(this, "fraWilsonParameter", "推算したWilson Parameter");
  ui::Place(fraWilsonParameter, 8700, 2160, 4800, 1200);
  const char* wilsonCaptions[2] = {"Λ12=", "Λ21="};
  for (int i = 0; i < 2; ++i) {
    const double y = 330 + i * 400;
    lblWilsonPara[i] = ui::NewLabel(fraWilsonParameter, Indexed("lblWilsonPara", i).c_str(), wilsonCaptions[i]);
    ui::Place(lblWilsonPara[i], 240, y, 800, 300);
    lblWilsonParaData[i] = DataLabel(fraWilsonParameter, Indexed("lblWilsonParaData", i).c_str());
    ui::Place(lblWilsonParaData[i], 1100, y, 2000, 300);
  }

  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  ui::Place(cmdExit, 12000, 4500, 1500, 420);
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });

  // The read-out, below the collapsed height.
  fraPoint = ui::NewFrame(this, "fraPoint", "ﾏｳｽｸﾘｯｸ");
  ui::Place(fraPoint, 120, 5760, 13380, 900);
  struct Pair {
    QLabel** caption;
    QLabel** data;
    const char* captionName;
    const char* dataName;
    const char* text;
  };
  const Pair pairs[5] = {{&lblX1, &lblX1Data, "lblX1", "lblX1Data", "x1="},
                         {&lblY1, &lblY1Data, "lblY1", "lblY1Data", "y1="},
                         {&lblGamma1, &lblGamma1Data, "lblGamma1", "lblGamma1Data", "γ1="},
                         {&lblGamma2, &lblGamma2Data, "lblGamma2", "lblGamma2Data", "γ2="},
                         {&lblTP, &lblTPData, "lblTP", "lblTPData", "Temp="}};
  for (int i = 0; i < 5; ++i) {
    const double x = 150 + i * 2500;
    *pairs[i].caption = ui::NewLabel(fraPoint, pairs[i].captionName, pairs[i].text);
    ui::Place(*pairs[i].caption, x, 390, 700, 300);
    *pairs[i].data = DataLabel(fraPoint, pairs[i].dataName);
    ui::Place(*pairs[i].data, x + 700, 360, 1250, 300);
  }
  lblTPUnit = ui::NewLabel(fraPoint, "lblTPUnit", "℃");
  ui::Place(lblTPUnit, 150 + 4 * 2500 + 2000, 390, 500, 300);
  fraPoint->setVisible(false);

  setFixedWidth(ui::Px(13680));
  SetHeightTwips(kUnifacVleHeight);
}

void frmUNIFAC_VLE::SetHeightTwips(int twips) {
  heightTwips_ = twips;
  setFixedHeight(ui::Px(twips));
}

void frmUNIFAC_VLE::Set_Captions() {
  captionLanguage_ = Case.Language;
  const int lang = Case.Language;
  if (lang != 0 && lang != 1) return;
  const bool en = lang == 1;
  SetCaption(en ? "Estimate V-L Equibrium by Group Contribution MEthod (UNIFAC)"
                : "グループ寄与法による気液平衡推算(UNIFAC)");
  fraWilsonParameter->setTitle(en ? "Estimate Wilson Parameter" : "推算したWilson Parameter");
  fraAntoine->setTitle(en ? "Antoine's Parameter" : "Antoine 定数");
  lblPress->setText(en ? "Press=" : "圧力=");
  fraPoint->setTitle(en ? "Mouse Click point" : "ﾏｳｽｸﾘｯｸ");
  cmdExit->setText(en ? "Exit (&X)" : "戻る(&X)");
}

void frmUNIFAC_VLE::Show_Inputs() {
  for (int i = 0; i < 2; ++i) {
    lblCompName[i]->setText(Q(Case.Comp_Name[i + 1]));
    lblAntoine_A[i]->setText(Q(txt::Signed(Case.Antoine_A[i + 1])));
    lblAntoine_B[i]->setText(Q(txt::Signed(Case.Antoine_B[i + 1])));
    lblAntoine_C[i]->setText(Q(txt::Signed(Case.Antoine_C[i + 1])));
  }
  lblPressData->setText(Q(txt::Signed(Unifac.VLE_Press)));
}

void frmUNIFAC_VLE::Show_Wilson() {
  const double values[2] = {Wilson.Lambda12, Wilson.Lambda21};
  for (int i = 0; i < 2; ++i)
    lblWilsonParaData[i]->setText(std::isfinite(values[i]) ? Q(txt::Format(values[i], " ##0.00000000")) : "");
}

void frmUNIFAC_VLE::Form_Load() {
  Set_Captions();
  fraPoint->setVisible(false);
  SetHeightTwips(kUnifacVleHeight);
  Show_Inputs();
  {
    CalcMessageScope scope;
    Curve = unifac::Calc_VLE_Curve(Unifac);
    // Without a curve there are no coefficients to take the Wilson pair from.
    Wilson = Curve.refused ? unifac::WilsonResult{NAN, NAN, unifac::IterStatus::NotFinite, 0}
                           : unifac::Wilson_From_Curve(Unifac);
  }
  Show_Wilson();
  Draw_VLE_Diagram();
}

void frmUNIFAC_VLE::Form_Activate() {
  if (captionLanguage_ != Case.Language) Set_Captions();
  Draw_VLE_Diagram();
}

void frmUNIFAC_VLE::Draw_VLE_Diagram() {
  ui::PictureBox& pic = *picCalc;
  const UnifacData& d = Unifac;
  pic.Cls();
  pic.SetForeColor(ui::QBColor(8));
  const long long W = txt::RoundHalfEven(pic.ScaleWidth());
  const long long H = txt::RoundHalfEven(pic.ScaleHeight());
  Plot_Left = Plot_Top = 250;
  Plot_Right = static_cast<int>(W - 400);
  Plot_Bottom = static_cast<int>(H - 200);
  const double L = Plot_Left, T = Plot_Top, R = Plot_Right, B = Plot_Bottom;

  pic.Line(R, T, L, B, ui::QBColor(7));
  const double sx = std::max(1.0, Pos((R - L) / 10.0));
  const double sy = std::max(1.0, Pos((B - T) / 10.0));
  for (double x = L; x <= R; x += sx) pic.Line(x, T, x, B, ui::QBColor(8));
  for (double y = T; y <= B; y += sy) pic.Line(L, y, R, y, ui::QBColor(8));
  pic.Box(L, T, R, B, ui::QBColor(7));

  PrintAt(pic, L - 200, B, Num(0));
  PrintAt(pic, R - 200, B, Num(1));
  PrintAt(pic, L - 250, T - 50, Num(1));
  PrintAt(pic, L - 250, B - 120, Num(0));

  Plot_Height = Plot_Bottom - Plot_Top;
  const double height = Plot_Height;
  // No converged point leaves the range empty: the temperature axis and curve
  // have nothing to show then.
  const bool hasTemp = d.Scale_T_Max >= d.Scale_T_Min;
  double tTop = 0;
  if (hasTemp) {
    tTop = std::floor(d.Scale_T_Max / 10 + 1) * 10;
    const double tBottom = std::floor(d.Scale_T_Min / 10) * 10;
    Plot_TP_Span = tTop - tBottom;
    Plot_TP_Step = Plot_TP_Span / 5;
    pic.SetForeColor(ui::QBColor(10));
    PrintAt(pic, R, T - 250, "Temp");
    PrintAt(pic, R, T - 50, Num(tTop));
    PrintAt(pic, R, B - 50, Num(tBottom));
    for (int k = 1; k <= 4; ++k)
      PrintAt(pic, R, B - 50 - height * k / 5, Num(std::floor(tBottom + k * Plot_TP_Step)));
  }

  auto xAt = [&](int i) { return Pos(L + (R - L) / 200 * (i - 1)); };
  auto yOfY1 = [&](int i) { return Pos(B - d.UNIFAC_Pt_Y1[i] * height); };
  auto yOfT = [&](int i) { return Pos(T + (tTop - d.UNIFAC_Pt_T[i]) / Plot_TP_Span * height); };

  Plot_Gamma_Max = 1;
  for (int i = 1; i <= kLastPoint; ++i)
    for (int c = 1; c <= 2; ++c)
      if (std::isfinite(d.UNIFAC_Pt_Gamma[c][i])) Plot_Gamma_Max = std::max(Plot_Gamma_Max, d.UNIFAC_Pt_Gamma[c][i]);
  for (double top : {2.0, 5.0, 10.0, 20.0, 50.0}) {
    if (Plot_Gamma_Max < top || top == 50.0) {
      Plot_Gamma_Max = top;
      break;
    }
  }
  auto gammaRaw = [&](int c, int i) { return T + (Plot_Gamma_Max - d.UNIFAC_Pt_Gamma[c][i]) / Plot_Gamma_Max * height; };
  auto yOfGamma = [&](int c, int i) { return Pos(std::max(gammaRaw(c, i), T)); };

  const double g1 = d.UNIFAC_Pt_Gamma[1][1], g2 = d.UNIFAC_Pt_Gamma[2][kLastPoint];
  if (std::isfinite(g1)) {
    pic.SetForeColor(ui::QBColor(12));
    // Kept inside the picture: its own blank would otherwise push it past the left edge.
    PrintAt(pic, std::max(0.0, L - 300), gammaRaw(1, 1) - 20, Num(std::floor(g1 * 10) / 10));
  }
  if (std::isfinite(g2)) {
    pic.SetForeColor(ui::QBColor(13));
    PrintAt(pic, R, gammaRaw(2, kLastPoint) - 20, Num(std::floor(g2 * 10) / 10));
  }

  auto finite2 = [](double a, double b) { return std::isfinite(a) && std::isfinite(b); };
  for (int i = 2; i <= kLastPoint; ++i) {
    const double x0 = xAt(i - 1), x1 = xAt(i);
    for (int c = 1; c <= 2; ++c)
      if (finite2(d.UNIFAC_Pt_Gamma[c][i - 1], d.UNIFAC_Pt_Gamma[c][i]))
        pic.Line(x0, yOfGamma(c, i - 1), x1, yOfGamma(c, i), ui::QBColor(c == 1 ? 12 : 13));
    if (finite2(d.UNIFAC_Pt_Y1[i - 1], d.UNIFAC_Pt_Y1[i])) {
      const double ya = yOfY1(i - 1), yb = yOfY1(i);
      if (ya >= T && ya <= B && yb >= T && yb <= B) pic.Line(x0, ya, x1, yb, ui::QBColor(14));
    }
    if (hasTemp && finite2(d.UNIFAC_Pt_T[i - 1], d.UNIFAC_Pt_T[i]))
      pic.Line(x0, yOfT(i - 1), x1, yOfT(i), ui::QBColor(10));
  }
}

void frmUNIFAC_VLE::picCalc_MouseDown(int, int, double xIn, double yIn) {
  const double X = std::floor(xIn), Y = std::floor(yIn);
  Draw_VLE_Diagram();
  fraPoint->setVisible(true);
  const long long n = txt::RoundHalfEven(
      std::clamp((X - Plot_Left) / (Plot_Right - Plot_Left) * 200 + 1, -1e6, 1e6));
  const bool inside = n >= 1 && n <= kLastPoint;
  const int i = inside ? static_cast<int>(n) : 1;
  const double y1 = Unifac.UNIFAC_Pt_Y1[i];
  if (!inside || !std::isfinite(y1) ||
      !(std::fabs(Pos(Plot_Bottom - Plot_Height * y1) - Y) < kNear)) {
    fraPoint->setVisible(false);
    SetHeightTwips(kUnifacVleHeight);
    return;
  }
  lblX1Data->setText(Q(txt::Format((i - 1) / 200.0, "#.####0")));
  lblY1Data->setText(Q(txt::Format(y1, "#.####0")));
  lblGamma1Data->setText(Q(txt::Format(Unifac.UNIFAC_Pt_Gamma[1][i], "#.####0")));
  lblGamma2Data->setText(Q(txt::Format(Unifac.UNIFAC_Pt_Gamma[2][i], "#.####0")));
  lblTPData->setText(Q(txt::Format(Unifac.UNIFAC_Pt_T[i], "####.#0")));
  lblTP->setText("Temp=");
  lblTPUnit->setText("℃");
  picCalc->Line(X - kCross, Y, X + kCross, Y, ui::QBColor(12));
  picCalc->Line(X, Y - kCross, X, Y + kCross, ui::QBColor(12));
  SetHeightTwips(kUnifacVleHeightPoint);
}

void frmUNIFAC_VLE::Form_KeyDown(int& keyCode, int) {
  if (keyCode == ui::vbKeyEscape) {
    keyCode = 0;
    cmdExit_Click();
  }
}

void frmUNIFAC_VLE::cmdExit_Click() { ui::Forms::Unload(this); }
