#include "flash/frmFlashCondensingCurve.h"

#include <QKeyEvent>

#include <cmath>

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "flash/frmFlash.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

VZ_FORM_FACTORY(frmFlashCondensingCurve);

namespace {

// Palette colours of the plot.
constexpr int kColFrame = 7, kColGrid = 8, kColTemp = 10, kColCursor = 11, kColVF = 12, kColDew = 13,
              kColEnthalpy = 14;
constexpr double kMarkRadius = 30;
constexpr int kWidthTwips = 11100;
constexpr int kCursorStep = 5;

}  // namespace

frmFlashCondensingCurve::frmFlashCondensingCurve() : ui::Form("frmFlashCondensingCurve") {
  lblTile = ui::NewLabel(this, "lblTile", "凝縮曲線");
  QFont f = lblTile->font();
  f.setPointSize(f.pointSize() + 3);
  f.setBold(true);
  lblTile->setFont(f);
  ui::Place(lblTile, 120, 60, 1800, 330);
  lblBPT = ui::NewLabel(this, "lblBPT", "沸点温度");
  ui::Place(lblBPT, 2400, 90, 900, 270);
  lblB_Temp = ui::NewLabel(this, "lblB_Temp");
  ui::Place(lblB_Temp, 3300, 60, 1100, 300);
  lblBPT_Unit = ui::NewLabel(this, "lblBPT_Unit");
  ui::Place(lblBPT_Unit, 4450, 90, 500, 270);
  lblDPT = ui::NewLabel(this, "lblDPT", "露点温度");
  ui::Place(lblDPT, 5300, 90, 900, 270);
  lblD_Temp = ui::NewLabel(this, "lblD_Temp");
  ui::Place(lblD_Temp, 6200, 60, 1100, 300);
  lblDPT_Unit = ui::NewLabel(this, "lblDPT_Unit");
  ui::Place(lblDPT_Unit, 7350, 90, 500, 270);
  for (QLabel* l : {lblB_Temp, lblD_Temp}) {
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }

  picCalc = new ui::PictureBox("picCalc", this);
  ui::Place(picCalc, 120, 450, 10800, 3330);
  picCalc->SetSizePixels(ui::Px(10800), ui::Px(3330));
  picCalc->setFocusPolicy(Qt::StrongFocus);
  picCalc->installEventFilter(this);
  picCalc->onMouseDown = [this](int button, int shift, double x, double y) { picCalc_MouseDown(button, shift, x, y); };

  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  ui::Place(cmdExit, 9720, 3840, 1200, 375);
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });

  // The read-out, below the collapsed height.
  lblX = ui::NewLabel(this, "lblX", "温度");
  ui::Place(lblX, 120, 4410, 700, 270);
  txtX = ui::NewTextBox(this, "txtX");
  ui::Place(txtX, 840, 4380, 1200, 300);
  lblY = ui::NewLabel(this, "lblY", "V/F");
  ui::Place(lblY, 2300, 4410, 500, 270);
  txtY = ui::NewTextBox(this, "txtY");
  ui::Place(txtY, 2840, 4380, 1200, 300);
  for (QLineEdit* t : {txtX, txtY}) {
    t->setReadOnly(true);
    t->setAlignment(Qt::AlignRight);
  }
  spdData = new ui::SpreadGrid("spdData", this);
  spdData->SetMaxCols(4);
  spdData->SetMaxRows(kMaxComp);
  const char* heads[5] = {"", "Ｆｅｅｄ", "Ｖａｐｏｒ", "Ｌｉｑｕｉｄ", "K-Value"};
  for (int c = 1; c <= 4; ++c) {
    spdData->SetText(c, 0, heads[c]);
    spdData->SetColWidth(c, c == 4 ? 15 : 11);
  }
  spdData->SetAllLocked(true);
  ui::Place(spdData, 120, 4800, 6600, 3000);
  spdData2 = new ui::SpreadGrid("spdData2", this);
  spdData2->SetMaxCols(3);
  spdData2->SetMaxRows(1);
  spdData2->SetText(1, 0, "Feed");
  spdData2->SetText(2, 0, "Vapor");
  spdData2->SetText(3, 0, "Liquid");
  for (int c = 1; c <= 3; ++c) spdData2->SetColWidth(c, 14);
  spdData2->SetRowHeadersVisible(false);
  spdData2->SetAllLocked(true);
  ui::Place(spdData2, 6840, 4800, 4100, 900);

  setFixedWidth(ui::Px(kWidthTwips));
  SetHeightTwips(kCurveHeightCollapsed);
}

void frmFlashCondensingCurve::Form_Load() { Set_Caption(); }

void frmFlashCondensingCurve::Set_Caption() {
  if (In_English()) {
    SetCaption("Flash Calculation Condensing Curve");
  } else {
    SetCaption("ＦＬＡＳＨ計算 凝縮曲線");
    lblTile->setText("凝縮曲線");
  }
}

void frmFlashCondensingCurve::Form_Activate() {
  Set_Caption();
  Calc_Condensing_Curve();
}

void frmFlashCondensingCurve::SetHeightTwips(int twips) {
  heightTwips_ = twips;
  setFixedHeight(ui::Px(twips));
}

int frmFlashCondensingCurve::HeightTwips() const { return heightTwips_; }

void frmFlashCondensingCurve::PrintAt(double x, double y, int colour, const std::string& text) {
  picCalc->SetForeColor(ui::QBColor(colour));
  picCalc->CurrentX = x;
  picCalc->CurrentY = y;
  picCalc->Print(text);
}

void frmFlashCondensingCurve::Draw_Frame() {
  picCalc->Cls();
  frame_ = Curve_Frame(picCalc->ScaleWidth(), picCalc->ScaleHeight());
  const CurveFrame& f = frame_;
  const QColor grid = ui::QBColor(kColGrid);
  if (f.DivX > 0)
    for (int x = f.Left; x <= f.Right; x += f.DivX) picCalc->Line(x, f.Top, x, f.Bottom, grid);
  if (f.DivY > 0)
    for (int y = f.Top; y <= f.Bottom; y += f.DivY) picCalc->Line(f.Left, y, f.Right, y, grid);
  picCalc->Box(f.Left, f.Top, f.Right, f.Bottom, ui::QBColor(kColFrame));
}

void frmFlashCondensingCurve::Draw_Scales() {
  const CurveFrame& f = frame_;
  const CondensingCurve& c = curve_;
  PrintAt(f.Left - 150, f.Bottom, kColTemp, "Temp");
  // The limits are in the display unit already.
  for (int k = 0; k <= 5; ++k) {
    const double t = c.TLow + k * (c.THigh - c.TLow) / 5.0;
    PrintAt(f.Width * k / 5.0 + f.Left + f.DivX - 100, f.Bottom, kColTemp, txt::Format(t, "###0.0"));
  }
  for (int k = 0; k <= 10; ++k)
    PrintAt(f.Right + 40, Curve_Y(f, k / 10.0) - 80, kColVF, txt::Format(k / 10.0, " 0.0"));
  if (!c.enthalpy) return;
  const double range = Unit_Heat_Out(c.HHigh) - Unit_Heat_Out(c.HLow);
  PrintAt(f.Left + 40, f.Top + 20, kColEnthalpy, "Enthalpy");
  PrintAt(f.Left + 40, Curve_Y(f, 1.0) + 20, kColEnthalpy, txt::Format(range, "#.###E+##"));
  PrintAt(f.Left + 40, Curve_Y(f, 0.0) - 200, kColEnthalpy, "0.0");
}

void frmFlashCondensingCurve::Draw_Marks() {
  const CurveFrame& f = frame_;
  const CondensingCurve& c = curve_;
  if (c.dewInRange) {
    const double x = Curve_X(f, c.TFraction(Unit_Temp_Out(c.TD)));
    const double y = Curve_Y(f, 1.0);
    picCalc->Circle(x, y, kMarkRadius, ui::QBColor(kColDew));
    if (c.enthalpy) picCalc->Circle(x, y, kMarkRadius, ui::QBColor(kColEnthalpy));
  }
  if (c.bubbleInRange) {
    const double x = Curve_X(f, c.TFraction(Unit_Temp_Out(c.TB)));
    const double y = Curve_Y(f, 0.0);
    picCalc->Circle(x, y, kMarkRadius, ui::QBColor(kColVF));
    if (c.enthalpy) picCalc->Circle(x, y, kMarkRadius, ui::QBColor(kColEnthalpy));
  }
}

void frmFlashCondensingCurve::Draw_Curves() {
  const CurveFrame& f = frame_;
  const CondensingCurve& c = curve_;
  for (int i = 2; i <= kCurvePoints; ++i) {
    const int x0 = Curve_Point_X(f, i - 1), x1 = Curve_Point_X(f, i);
    picCalc->Line(x0, Curve_Y(f, c.VF[i - 1]), x1, Curve_Y(f, c.VF[i]), ui::QBColor(kColVF));
    if (c.enthalpyLine)
      picCalc->Line(x0, Curve_Y(f, c.HFraction(c.H[i - 1])), x1, Curve_Y(f, c.HFraction(c.H[i])),
                    ui::QBColor(kColEnthalpy));
  }
}

void frmFlashCondensingCurve::Calc_Condensing_Curve() {
  Draw_Frame();
  auto* main = ui::Forms::Find<frmFlash>();
  const std::string low = main ? ui::S(main->txtTemp->text()) : "";
  const std::string high = main ? ui::S(main->txtTemp2->text()) : "";
  curve_ = ::Calc_Condensing_Curve(low, high);
  if (!curve_.drawn) {
    ui::MsgBox(curve_.message);
    return;
  }
  const QString unit = main ? main->lblTempUnit->text() : QString();
  lblBPT_Unit->setText(unit);
  lblDPT_Unit->setText(unit);
  lblB_Temp->setText(ui::Q(txt::Format(Unit_Temp_Out(curve_.TB), " ###0.000")));
  lblD_Temp->setText(ui::Q(txt::Format(Unit_Temp_Out(curve_.TD), " ###0.000")));
  Draw_Scales();
  Draw_Marks();
  Draw_Curves();
}

void frmFlashCondensingCurve::Disp_Point_Data() {
  const int i = Curve_Point_Index(frame_, Curve_Cursor_X);
  if (!curve_.drawn || i < 1 || i > kCurvePoints) {
    SetHeightTwips(kCurveHeightCollapsed);
    return;
  }
  picCalc->Line(Curve_Cursor_X, frame_.Top, Curve_Cursor_X, frame_.Bottom, ui::QBColor(kColCursor));
  const CurveReadout r = Curve_Point_Readout(curve_, i);
  txtX->setText(ui::Q(r.tText));
  txtY->setText(ui::Q(r.vfText));
  SetHeightTwips(kCurveHeightExpanded);
  const int nc = static_cast<int>(r.rows.size());
  for (int k = 1; k <= nc; ++k) {
    const FlashResultRow& row = r.rows[static_cast<std::size_t>(k - 1)];
    spdData->SetText(0, k, Case.Comp_Name[k]);
    spdData->SetText(1, k, txt::Format(Case.Flash_Z[k], kFmtMoleFraction));
    spdData->SetText(2, k, row.vapour);
    spdData->SetText(3, k, row.liquid);
    spdData->SetText(4, k, row.kValue);
  }
  for (int k = nc + 1; k <= kMaxComp; ++k) spdData->SetText(0, k, "   ");
  if (r.enthalpyWritten) {
    spdData2->SetText(1, 1, r.enthalpy.feed);
    spdData2->SetText(2, 1, r.enthalpy.vapour);
    spdData2->SetText(3, 1, r.enthalpy.liquid);
  }
}

void frmFlashCondensingCurve::picCalc_MouseDown(int button, int, double x, double) {
  Curve_Cursor_X = static_cast<int>(std::floor(x));
  Calc_Condensing_Curve();
  if (button == 1 && frame_.Left <= Curve_Cursor_X && Curve_Cursor_X <= frame_.Right) Disp_Point_Data();
}

void frmFlashCondensingCurve::picCalc_KeyDown(int keyCode) {
  if (keyCode != ui::vbKeyLeft && keyCode != ui::vbKeyRight) return;
  if (Curve_Cursor_X < frame_.Left || Curve_Cursor_X > frame_.Right) return;
  Curve_Cursor_X += keyCode == ui::vbKeyLeft ? -kCursorStep : kCursorStep;
  Calc_Condensing_Curve();
  Disp_Point_Data();
}

bool frmFlashCondensingCurve::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picCalc && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Left) picCalc_KeyDown(ui::vbKeyLeft);
    else if (key == Qt::Key_Right) picCalc_KeyDown(ui::vbKeyRight);
    else return ui::Form::eventFilter(watched, event);
    return true;
  }
  return ui::Form::eventFilter(watched, event);
}

void frmFlashCondensingCurve::cmdExit_Click() { ui::Forms::Unload(this); }
