#include "vle/estimation_ui/frmVLE_Calc.h"

#include <cmath>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QLanguage.h"
#include "vle/estimation/VLEData.h"
#include "vle/estimation/VLERunStart.h"
#include "vle/estimation_ui/frmDBParameterSave.h"
#include "vle/estimation_ui/frmVLE_ChangeParameter.h"
#include "vle/estimation_ui/frmVLE_ChangeScale.h"
#include "vle/estimation_ui/frmVLE_Estimation.h"

VZ_FORM_FACTORY(frmVLE_Calc);

using vlefit::VLE;
using vlediagram::Whole;

namespace {

// Palette colours of the diagram.
constexpr int kColText = 15;
constexpr int kColFrame = 7, kColGrid = 8, kColTP = 10, kColGamma1 = 12, kColGamma2 = 13, kColYX = 14;
constexpr int kColCross = 12;
constexpr double kMarkRadius = 30;
constexpr int kWidthTwips = 11100;
const char* const kParamFormat = "#.0000000E+##";
const char* const kReadFormat = "#.####0";

// A pressure kept in mmHg, shown in the case's display unit: `pattern` for values
// of mmHg or kPa size, five decimals for the small numbers of MPa and the like.
std::string Pressure_Text(double pMmHg, const char* pattern) {
  const double p = vlefit::mmHg_To_Display_Press(pMmHg);
  return std::fabs(p) >= 10 ? txt::Format(p, pattern) : txt::Format(p, "##0.00000");
}
// A number as the picture prints it: a blank in place of the sign of a
// non-negative value, and one blank behind.
std::string Printed(double v) { return txt::Signed(v) + " "; }

QLabel* Value_Label(QWidget* parent, const char* name) {
  QLabel* l = ui::NewLabel(parent, name);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return l;
}

}  // namespace

frmVLE_Calc::frmVLE_Calc() : ui::Form("frmVLE_Calc") {
  picCalc = new ui::PictureBox("picCalc", this);
  ui::Place(picCalc, 120, 120, 7400, 5850);
  picCalc->SetSizePixels(ui::Px(7400), ui::Px(5850));
  // A small font, so that the right-hand axis numbers fit the 400 twips beside the frame.
  picCalc->SetFontSize(7);
  picCalc->setToolTip("気液平衡線を左ｸﾘｯｸすると値表示する。[黄色（気液平衡）、緑（沸点温度）、赤・紫（活量係数）]");
  picCalc->onMouseDown = [this](int button, int shift, double x, double y) { picCalc_MouseDown(button, shift, x, y); };

  const int right = 7700, width = 3250;
  lblCalcComp1 = ui::NewLabel(this, "lblCalcComp1");
  ui::Place(lblCalcComp1, right, 120, width, 280);
  lblCalcComp2 = ui::NewLabel(this, "lblCalcComp2");
  ui::Place(lblCalcComp2, right, 420, width, 280);

  fraCalcAntoine = ui::NewFrame(this, "fraCalcAntoine", "Antoine 定数");
  ui::Place(fraCalcAntoine, right, 750, width, 1150);
  lblCalcAntoine_A = ui::NewLabel(fraCalcAntoine, "lblCalcAntoine_A", "Ａ");
  lblCalcAntoine_B = ui::NewLabel(fraCalcAntoine, "lblCalcAntoine_B", "Ｂ");
  lblCalcAntoine_C = ui::NewLabel(fraCalcAntoine, "lblCalcAntoine_C", "Ｃ");
  Label1 = ui::NewLabel(fraCalcAntoine, "Label1", "1");
  Label2 = ui::NewLabel(fraCalcAntoine, "Label2", "2");
  lblCalcAntoine_A1 = Value_Label(fraCalcAntoine, "lblCalcAntoine_A1");
  lblCalcAntoine_B1 = Value_Label(fraCalcAntoine, "lblCalcAntoine_B1");
  lblCalcAntoine_C1 = Value_Label(fraCalcAntoine, "lblCalcAntoine_C1");
  lblCalcAntoine_A2 = Value_Label(fraCalcAntoine, "lblCalcAntoine_A2");
  lblCalcAntoine_B2 = Value_Label(fraCalcAntoine, "lblCalcAntoine_B2");
  lblCalcAntoine_C2 = Value_Label(fraCalcAntoine, "lblCalcAntoine_C2");
  QLabel* heads[3] = {lblCalcAntoine_A, lblCalcAntoine_B, lblCalcAntoine_C};
  QLabel* row1[3] = {lblCalcAntoine_A1, lblCalcAntoine_B1, lblCalcAntoine_C1};
  QLabel* row2[3] = {lblCalcAntoine_A2, lblCalcAntoine_B2, lblCalcAntoine_C2};
  for (int c = 0; c < 3; ++c) {
    heads[c]->setAlignment(Qt::AlignCenter);
    ui::Place(heads[c], 330 + 960 * c, 250, 900, 260);
    ui::Place(row1[c], 330 + 960 * c, 530, 900, 270);
    ui::Place(row2[c], 330 + 960 * c, 820, 900, 270);
  }
  ui::Place(Label1, 100, 530, 200, 270);
  ui::Place(Label2, 100, 820, 200, 270);

  lblCalcTP = ui::NewLabel(this, "lblCalcTP", "圧力 =");
  ui::Place(lblCalcTP, right, 2000, 800, 300);
  lblCalcTPData = Value_Label(this, "lblCalcTPData");
  ui::Place(lblCalcTPData, right + 800, 1980, 1400, 320);
  lblCalcTPUnit = ui::NewLabel(this, "lblCalcTPUnit");
  ui::Place(lblCalcTPUnit, right + 2280, 2000, 950, 300);

  fraCalcParameter = ui::NewFrame(this, "fraCalcParameter", "Parameter");
  ui::Place(fraCalcParameter, right, 2400, width, 1220);
  lblCalcPara12 = ui::NewLabel(fraCalcParameter, "lblCalcPara12", "Λ12=");
  lblCalcPara21 = ui::NewLabel(fraCalcParameter, "lblCalcPara21", "Λ21=");
  lblCalcAlpha = ui::NewLabel(fraCalcParameter, "lblCalcAlpha", "Alpha=");
  lblCalcPara12Data = Value_Label(fraCalcParameter, "lblCalcPara12Data");
  lblCalcPara21Data = Value_Label(fraCalcParameter, "lblCalcPara21Data");
  lblCalcAlphaData = Value_Label(fraCalcParameter, "lblCalcAlphaData");
  QLabel* names[3] = {lblCalcPara12, lblCalcPara21, lblCalcAlpha};
  QLabel* values[3] = {lblCalcPara12Data, lblCalcPara21Data, lblCalcAlphaData};
  for (int k = 0; k < 3; ++k) {
    ui::Place(names[k], 100, 280 + 300 * k, 750, 270);
    ui::Place(values[k], 850, 270 + 300 * k, 2300, 280);
  }

  fraCalcPHI = ui::NewFrame(this, "fraCalcPHI", "収束評価関数");
  ui::Place(fraCalcPHI, right, 3700, width, 900);
  lblCalcPHIType = ui::NewLabel(fraCalcPHI, "lblCalcPHIType");
  ui::Place(lblCalcPHIType, 100, 270, 3050, 270);
  lblCalcPHI = Value_Label(fraCalcPHI, "lblCalcPHI");
  ui::Place(lblCalcPHI, 100, 560, 3050, 280);

  cmdCaclScale = ui::NewButton(this, "cmdCaclScale", "ｸﾞﾗﾌｽｹｰﾙ変更(&G)");
  cmdCalcChangePara = ui::NewButton(this, "cmdCalcChangePara", "Parameter値変更(&C)");
  cmdDBSaveParameter = ui::NewButton(this, "cmdDBSaveParameter", "Parameter DB保存(&S)");
  cmdCalcExit = ui::NewButton(this, "cmdCalcExit", "戻る(&X)");
  int top = 4700;
  for (QPushButton* b : {cmdCaclScale, cmdCalcChangePara, cmdDBSaveParameter, cmdCalcExit}) {
    ui::Place(b, right, top, width, 360);
    top += 410;
  }

  fraPoint = ui::NewFrame(this, "fraPoint", "ﾏｳｽｸﾘｯｸ");
  ui::Place(fraPoint, 120, 6380, 10830, 1000);
  lblX1 = ui::NewLabel(fraPoint, "lblX1", "x1=");
  lblY1 = ui::NewLabel(fraPoint, "lblY1", "y1=");
  lblGamma1 = ui::NewLabel(fraPoint, "lblGamma1", "γ1=");
  lblGamma2 = ui::NewLabel(fraPoint, "lblGamma2", "γ2=");
  lblTP = ui::NewLabel(fraPoint, "lblTP", "Temp=");
  lblX1Data = Value_Label(fraPoint, "lblX1Data");
  lblY1Data = Value_Label(fraPoint, "lblY1Data");
  lblGamma1Data = Value_Label(fraPoint, "lblGamma1Data");
  lblGamma2Data = Value_Label(fraPoint, "lblGamma2Data");
  lblTPData = Value_Label(fraPoint, "lblTPData");
  lblTPUnit = ui::NewLabel(fraPoint, "lblTPUnit", "℃");
  QLabel* readNames[5] = {lblX1, lblY1, lblGamma1, lblGamma2, lblTP};
  QLabel* readValues[5] = {lblX1Data, lblY1Data, lblGamma1Data, lblGamma2Data, lblTPData};
  for (int k = 0; k < 5; ++k) {
    ui::Place(readNames[k], 100 + 2000 * k, 300, 650, 270);
    ui::Place(readValues[k], 750 + 2000 * k, 290, 1100, 280);
  }
  ui::Place(lblTPUnit, 9900, 300, 800, 270);
  lblinput1 = ui::NewLabel(fraPoint, "lblinput1", "(Input)");
  lblinput2 = ui::NewLabel(fraPoint, "lblinput2", "(Input)");
  lblY1InputData = Value_Label(fraPoint, "lblY1InputData");
  lblTPInputData = Value_Label(fraPoint, "lblTPInputData");
  ui::Place(lblinput1, 2100, 640, 650, 270);
  ui::Place(lblY1InputData, 2750, 630, 1100, 280);
  ui::Place(lblinput2, 8100, 640, 650, 270);
  ui::Place(lblTPInputData, 8750, 630, 1100, 280);

  connect(cmdCaclScale, &QPushButton::clicked, this, [this] { cmdCaclScale_Click(); });
  connect(cmdCalcChangePara, &QPushButton::clicked, this, [this] { cmdCalcChangePara_Click(); });
  connect(cmdDBSaveParameter, &QPushButton::clicked, this, [this] { cmdDBSaveParameter_Click(); });
  connect(cmdCalcExit, &QPushButton::clicked, this, [this] { cmdCalcExit_Click(); });

  setFixedWidth(ui::Px(kWidthTwips));
  SetHeightTwips(kVleCalcHeightCollapsed);
}

void frmVLE_Calc::SetHeightTwips(int twips) {
  heightTwips_ = twips;
  setFixedHeight(ui::Px(twips));
}

void frmVLE_Calc::Set_Captions() {
  captionLanguage_ = Case.Language;
  SetCaption(QInLanguage("気液平衡推算  計算結果", "Vapor-Liquid Equibrium Calculation Rresult"));
  fraPoint->setTitle(QInLanguage("ﾏｳｽｸﾘｯｸ", "Mouse Click point"));
  cmdDBSaveParameter->setText(QInLanguage("Parameter DB保存(&S)", "Save Parameter(&S)"));
  fraCalcAntoine->setTitle(QInLanguage("Antoine 定数", "Antoine's Constants"));
  lblCalcTP->setText(QInLanguage("圧力 =", "Press="));
  fraCalcPHI->setTitle(QInLanguage("収束評価関数", "Object Func"));
  cmdCaclScale->setText(QInLanguage("ｸﾞﾗﾌｽｹｰﾙ変更(&G)", "Change Graph Scale(&G)"));
  cmdCalcChangePara->setText(QInLanguage("Parameter値変更(&C)", "Change Parameter(&C)"));
  cmdCalcExit->setText(QInLanguage("戻る(&X)", "Exit (&X)"));
}

void frmVLE_Calc::Show_Condition() {
  const bool constT = VLE.VLE_TP_Type != 0;
  lblCalcTP->setText(constT ? QInLanguage("温度=", "Temp=") : QInLanguage("圧力=", "Press="));
  // The condition as typed on the main window, in its display unit.
  std::string typed, unit;
  if (auto* main = ui::Forms::Find<frmVLE_Estimation>()) {
    typed = ui::S((constT ? main->txtMainTemp : main->txtMainPress)->text());
    unit = ui::S((constT ? main->cboMainTempUnit : main->cboMainPressUnit)->currentText());
  } else {
    typed = txt::Plain(constT ? VLE.VLE_Temp : vlefit::mmHg_To_Display_Press(VLE.VLE_Press));
    unit = constT ? "℃" : vlefit::Display_Press_Unit();
  }
  lblCalcTPData->setText(ui::Q(txt::Format(txt::Val(typed), "#####.0000")));
  lblCalcTPUnit->setText(ui::Q(unit));
}

void frmVLE_Calc::Show_Parameters() {
  const bool nrtl = !vlefit::Is_Wilson_Type(VLE.VLE_Calc_Type);
  lblCalcPara12->setText(nrtl ? "τ12=" : "Λ12=");
  lblCalcPara21->setText(nrtl ? "τ21=" : "Λ21=");
  lblCalcAlpha->setVisible(nrtl);
  lblCalcAlphaData->setVisible(nrtl);
  if (nrtl) {
    lblCalcAlphaData->setText(ui::Q(txt::Plain(Case.NRTL_Alpha)));
    lblCalcPara12Data->setText(ui::Q(txt::Format(Case.NRTL_Tau12, " ##0.0000000")));
    lblCalcPara21Data->setText(ui::Q(txt::Format(Case.NRTL_Tau21, " ##0.0000000")));
  } else {
    lblCalcPara12Data->setText(ui::Q(txt::Format(Case.Wilson_L12, " ##0.00000000")));
    lblCalcPara21Data->setText(ui::Q(txt::Format(Case.Wilson_L21, " ##0.00000000")));
  }
}

void frmVLE_Calc::Form_Load() {
  if (Case.Language == 0 || In_English()) Set_Captions();
  fraPoint->setVisible(false);
  SetHeightTwips(kVleCalcHeightCollapsed);
  lblCalcComp1->setText(ui::Q(Case.Comp_Name[1]));
  lblCalcComp2->setText(ui::Q(Case.Comp_Name[2]));
  lblCalcAntoine_A1->setText(ui::Q(txt::Plain(Case.Antoine_A[1])));
  lblCalcAntoine_B1->setText(ui::Q(txt::Plain(Case.Antoine_B[1])));
  lblCalcAntoine_C1->setText(ui::Q(txt::Plain(Case.Antoine_C[1])));
  lblCalcAntoine_A2->setText(ui::Q(txt::Plain(Case.Antoine_A[2])));
  lblCalcAntoine_B2->setText(ui::Q(txt::Plain(Case.Antoine_B[2])));
  lblCalcAntoine_C2->setText(ui::Q(txt::Plain(Case.Antoine_C[2])));
  Show_Condition();
  Show_Parameters();

  const bool fit = VLE.VLE_Calc_Type == 1 || VLE.VLE_Calc_Type == 2;
  fraCalcPHI->setVisible(fit);
  if (fit) {
    std::string caption;
    if (auto* main = ui::Forms::Find<frmVLE_Estimation>()) caption = main->Objective_Caption(VLE.VLE_Obj_Type);
    const auto eq = caption.find('=');
    lblCalcPHIType->setText(ui::Q(eq == std::string::npos ? caption : caption.substr(eq + 1)));
    CalcMessageScope scope;
    fit_ = vlefit::Marquardt();
  } else {
    fit_ = vlefit::FitResult{};
  }
}

void frmVLE_Calc::Form_Activate() {
  // A language chosen since the load: the captions and the labels that speak it.
  if (captionLanguage_ != Case.Language && (Case.Language == 0 || In_English())) {
    Set_Captions();
    Show_Condition();
  }
  Draw_Graph();
}

void frmVLE_Calc::PrintAt(double x, double y, int colour, const std::string& text) {
  picCalc->SetForeColor(ui::QBColor(colour));
  picCalc->CurrentX = x;
  picCalc->CurrentY = y;
  picCalc->Print(text);
}

void frmVLE_Calc::Draw_Grid() {
  const vlediagram::PlotFrame& f = frame_;
  const QColor grid = ui::QBColor(kColGrid);
  picCalc->Line(f.Plot_Right, f.Plot_Top, f.Plot_Left, f.Plot_Bottom, ui::QBColor(kColFrame));
  const int sx = Whole((f.Plot_Right - f.Plot_Left) / 10.0);
  const int sy = Whole((f.Plot_Bottom - f.Plot_Top) / 10.0);
  if (sx > 0)
    for (int x = f.Plot_Left; x <= f.Plot_Right; x += sx) picCalc->Line(x, f.Plot_Top, x, f.Plot_Bottom, grid);
  if (sy > 0)
    for (int y = f.Plot_Top; y <= f.Plot_Bottom; y += sy) picCalc->Line(f.Plot_Left, y, f.Plot_Right, y, grid);
  picCalc->Box(f.Plot_Left, f.Plot_Top, f.Plot_Right, f.Plot_Bottom, ui::QBColor(kColFrame));
  PrintAt(f.Plot_Left - 200, f.Plot_Bottom, kColFrame, Printed(VLE.VLE_Graph_Xmin));
  PrintAt(f.Plot_Right - 200, f.Plot_Bottom, kColFrame, Printed(VLE.VLE_Graph_Xmax));
  PrintAt(f.Plot_Left - 250, f.Plot_Top - 50, kColFrame, Printed(VLE.VLE_Graph_Ymax));
  PrintAt(f.Plot_Left - 250, f.Plot_Bottom - 120, kColFrame, Printed(VLE.VLE_Graph_Ymin));
}

void frmVLE_Calc::Draw_Axes() {
  const vlediagram::PlotFrame& f = frame_;
  PrintAt(f.Plot_Right, f.Plot_Top - 250, kColTP, VLE.VLE_TP_Type == 0 ? "Temp" : "Press");
  PrintAt(f.Plot_Right, f.Plot_Top - 50, kColTP, Printed(f.Plot_TP_Top));
  PrintAt(f.Plot_Right, f.Plot_Bottom - 50, kColTP, Printed(f.Plot_TP_Bottom));
  for (int k = 1; k <= 4; ++k)
    PrintAt(f.Plot_Right, f.Plot_Bottom - 50 - f.Plot_Height * k / 5.0, kColTP,
            Printed(f.Plot_TP_Bottom + k * f.Plot_TP_Step));
  const double g1 = VLE.Curve_Gamma1[1], g2 = VLE.Curve_Gamma2[vlefit::kCurvePoints];
  // An end value above a cut axis is written inside the frame at its top,
  // marked as beyond it, with a note that the curves are cut there.
  auto endLabel = [](double g) { return Printed(std::floor(g * 10) / 10); };
  if (g1 > f.Plot_Gamma_Max)
    PrintAt(f.Plot_Left + 60, f.Plot_Top + 20, kColGamma1, "↑" + endLabel(g1));
  else
    PrintAt(f.Plot_Left - 300, vlediagram::Gamma_Pos(f, g1) - 20, kColGamma1, endLabel(g1));
  if (g2 > f.Plot_Gamma_Max)
    PrintAt(f.Plot_Right, f.Plot_Top + 150, kColGamma2, "↑" + endLabel(g2));
  else
    PrintAt(f.Plot_Right, vlediagram::Gamma_Pos(f, g2) - 20, kColGamma2, endLabel(g2));
  if (f.Plot_Gamma_Cut) {
    const std::string top = txt::Plain(f.Plot_Gamma_Max);
    PrintAt(f.Plot_Left + 60, f.Plot_Top + 230, kColText,
            In_English() ? "γ above " + top + " is cut at the top" : "γ > " + top + " は上端で打ち切り");
  }
}

void frmVLE_Calc::Draw_Curves() {
  const vlediagram::PlotFrame& f = frame_;
  auto segment = [this](double x1, double y1, double x2, double y2, int colour) {
    // A point without a value (a failed bubble point) breaks the curve.
    if (!std::isfinite(y1) || !std::isfinite(y2)) return;
    picCalc->Line(Whole(x1), Whole(y1), Whole(x2), Whole(y2), ui::QBColor(colour));
  };
  auto insideY = [&f](double y) { return Whole(y) >= f.Plot_Top && Whole(y) <= f.Plot_Bottom; };
  // A coefficient curve above a cut axis ends at the frame's top.
  auto gammaSegment = [&](double xa, double ga, double xb, double gb, int colour) {
    const double top = f.Plot_Gamma_Max;
    if (!(ga <= top) && !(gb <= top)) return;
    if (!(ga <= top) || !(gb <= top)) {
      if (!std::isfinite(ga) || !std::isfinite(gb)) return;
      const double xt = xa + (xb - xa) * (top - ga) / (gb - ga);
      (ga > top ? xa : xb) = xt;
      (ga > top ? ga : gb) = top;
    }
    segment(xa, vlediagram::Gamma_Pos(f, ga), xb, vlediagram::Gamma_Pos(f, gb), colour);
  };
  for (int i = 2; i <= vlefit::kCurvePoints; ++i) {
    const double xa = vlediagram::Curve_X(f, i - 1), xb = vlediagram::Curve_X(f, i);
    gammaSegment(xa, VLE.Curve_Gamma1[i - 1], xb, VLE.Curve_Gamma1[i], kColGamma1);
    gammaSegment(xa, VLE.Curve_Gamma2[i - 1], xb, VLE.Curve_Gamma2[i], kColGamma2);
    const double ya = vlediagram::Y1_Pos(f, VLE.Curve_Y1[i - 1]), yb = vlediagram::Y1_Pos(f, VLE.Curve_Y1[i]);
    // The y-x curve is cut off at the frame when the y range is narrowed.
    if (insideY(ya) && insideY(yb)) segment(xa, ya, xb, yb, kColYX);
    segment(xa, vlediagram::TP_Pos(f, vlediagram::Axis_Value(VLE.Curve_TP[i - 1])), xb,
            vlediagram::TP_Pos(f, vlediagram::Axis_Value(VLE.Curve_TP[i])), kColTP);
  }
}

void frmVLE_Calc::Draw_Points() {
  vlediagram::PlotFrame& f = frame_;
  f.Plot_X_Scale = Whole((f.Plot_Right - f.Plot_Left) / (VLE.VLE_Graph_Xmax - VLE.VLE_Graph_Xmin));
  const int n = std::clamp(static_cast<int>(VLE.VLE_NData), 0, vlefit::kMaxData);
  auto disc = [this](double x, double y, int colour) {
    if (std::isfinite(y)) picCalc->Circle(x, Whole(y), kMarkRadius, ui::QBColor(colour), true);
  };
  for (int i = 1; i <= n; ++i) {
    const int x = Whole(vlediagram::Point_X(f, VLE.VLE_X1_Data[i]));
    const double y1 = vlediagram::Y1_Pos(f, VLE.VLE_Y1_Data[i]);
    const double tp = VLE.VLE_TP_Type == 0 ? VLE.VLE_T_Data[i] : VLE.VLE_P_Data[i];
    if (Whole(y1) >= f.Plot_Top && Whole(y1) <= f.Plot_Bottom) disc(x, y1, kColYX);
    disc(x, vlediagram::TP_Pos(f, vlediagram::Axis_Value(tp)), kColTP);
    disc(x, vlediagram::Gamma_Pos(f, VLE.VLE_Gamma_Exp[1][i]), kColGamma1);
    disc(x, vlediagram::Gamma_Pos(f, VLE.VLE_Gamma_Exp[2][i]), kColGamma2);
  }
}

void frmVLE_Calc::Write_Fit_Labels() {
  lblCalcPHI->setText(ui::Q(txt::Plain(vlefit::Object())));
  if (vlefit::Is_Wilson_Type(VLE.VLE_Calc_Type)) {
    lblCalcPara12Data->setText(ui::Q(txt::Format(Case.Wilson_L12, kParamFormat)));
    lblCalcPara21Data->setText(ui::Q(txt::Format(Case.Wilson_L21, kParamFormat)));
  } else {
    lblCalcAlphaData->setText(ui::Q(txt::Plain(Case.NRTL_Alpha)));
    lblCalcPara12Data->setText(ui::Q(txt::Format(Case.NRTL_Tau12, kParamFormat)));
    lblCalcPara21Data->setText(ui::Q(txt::Format(Case.NRTL_Tau21, kParamFormat)));
  }
}

void frmVLE_Calc::Draw_Graph() {
  CalcMessageScope scope;
  picCalc->Cls();
  picCalc->SetForeColor(ui::QBColor(kColGrid));
  vlediagram::Set_Frame(frame_, picCalc->ScaleWidth(), picCalc->ScaleHeight());
  Draw_Grid();
  vlediagram::Calc_Curve(frame_);
  Draw_Axes();
  Draw_Curves();
  if (VLE.VLE_Calc_Type == 1 || VLE.VLE_Calc_Type == 2) {
    Draw_Points();
    Write_Fit_Labels();
  }
}

void frmVLE_Calc::picCalc_MouseDown(int, int, double x, double y) {
  Draw_Graph();
  fraPoint->setVisible(true);
  const vlediagram::Readout r = vlediagram::Locate(frame_, x, y);
  if (!r.inRange) return;
  if (!r.shown) {
    fraPoint->setVisible(false);
    SetHeightTwips(kVleCalcHeightCollapsed);
    return;
  }
  Show_Readout(r);
  SetHeightTwips(kVleCalcHeightExpanded);
}

void frmVLE_Calc::Show_Readout(const vlediagram::Readout& r) {
  const int i = r.index;
  const double x1 = r.point > 0 ? VLE.VLE_X1_Data[r.point]
                                : VLE.VLE_Graph_Xmin + (i - 1) * frame_.Plot_X_Span / (vlefit::kCurvePoints - 1);
  lblX1Data->setText(ui::Q(txt::Format(x1, kReadFormat)));
  lblY1Data->setText(ui::Q(txt::Format(VLE.Curve_Y1[i], kReadFormat)));
  lblGamma1Data->setText(ui::Q(txt::Format(VLE.Curve_Gamma1[i], kReadFormat)));
  lblGamma2Data->setText(ui::Q(txt::Format(VLE.Curve_Gamma2[i], kReadFormat)));
  const bool constT = VLE.VLE_TP_Type != 0;
  lblTPData->setText(ui::Q(constT ? Pressure_Text(VLE.Curve_TP[i], "####.#0")
                                  : txt::Format(VLE.Curve_TP[i], "####.#0")));
  const QColor red = ui::QBColor(kColCross);
  picCalc->Line(r.xc - 100, r.yc, r.xc + 100, r.yc, red);
  picCalc->Line(r.xc, r.yc - 100, r.xc, r.yc + 100, red);
  lblTP->setText(constT ? "Press=" : "Temp=");
  lblTPUnit->setText(constT ? vlefit::Display_Press_Unit() : "℃");
  const bool point = r.point > 0;
  if (point) {
    lblY1InputData->setText(ui::Q(txt::Format(VLE.VLE_Y1_Data[r.point], kReadFormat)));
    lblTPInputData->setText(ui::Q(constT ? Pressure_Text(VLE.VLE_P_Data[r.point], "###.##0")
                                         : txt::Format(VLE.VLE_T_Data[r.point], "####.#0")));
  }
  for (QLabel* l : {lblY1InputData, lblTPInputData, lblinput1, lblinput2}) l->setVisible(point);
}

void frmVLE_Calc::cmdCaclScale_Click() { ui::Forms::Get<frmVLE_ChangeScale>().ShowModal(); }
void frmVLE_Calc::cmdCalcChangePara_Click() { ui::Forms::Get<frmVLE_ChangeParameter>().ShowModal(); }
void frmVLE_Calc::cmdDBSaveParameter_Click() { ui::Forms::Get<frmDBParameterSave>().ShowModal(); }
void frmVLE_Calc::cmdCalcExit_Click() { ui::Forms::Unload(this); }
