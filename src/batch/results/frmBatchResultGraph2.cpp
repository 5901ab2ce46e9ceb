#include "batch/results/frmBatchResultGraph2.h"

#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "batch/model/BatchData.h"
#include "batch/ui_run/BatchGraphs.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/QLanguage.h"

VZ_FORM_FACTORY(frmBatchResultGraph2);


namespace {

BatchGraphState& G = Batch_Graph;

int Nearest(double v) { return static_cast<int>(txt::RoundHalfEven(v)); }
int Divisions() { return std::max(1, static_cast<int>(Batch.Graph_Div)); }

// Held to what a coordinate can be.
int Clamp(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::clamp(v, -1.0e6, 1.0e6));
}

ui::PictureBox* NewPicture(QWidget* parent, const char* name, double left, double top, double width, double height) {
  auto* p = new ui::PictureBox(name, parent);
  p->move(ui::Px(left), ui::Px(top));
  p->SetSizePixels(ui::Px(width), ui::Px(height));
  return p;
}

// Temperature range of the plates drawn (top and still) over a whole history
// file, for a run whose final-state file is not there.
bool History_Temperature_Range(const std::string& path, double& tMax, double& tMin) {
  HistoryFile file;
  if (!file.Open(path).ok()) return false;
  HistoryRecord rec;
  bool any = false;
  while (file.Next(rec).ok()) {
    for (int p : {1, Case.NT}) {
      if (p < 1) continue;
      tMax = any ? std::max(tMax, rec.T(p)) : rec.T(p);
      tMin = any ? std::min(tMin, rec.T(p)) : rec.T(p);
      any = true;
    }
  }
  return any;
}

}  // namespace

frmBatchResultGraph2::frmBatchResultGraph2() : ResultForm("frmBatchResultGraph2") {
  lblTitle = ui::NewLabel(this, "lblTitle");
  ui::Place(lblTitle, 120, 90, 4000, 300);
  QFont f = lblTitle->font();
  f.setBold(true);
  lblTitle->setFont(f);
  lblTime = ui::NewLabel(this, "lblTime", "操作時間");
  ui::Place(lblTime, 7700, 90, 1000, 270);
  Picture3 = NewPicture(this, "Picture3", 8760, 75, 1300, 285);
  Picture3->SetBackColor(ui::QBColor(15));
  Picture3->SetForeColor(ui::QBColor(0));
  Picture3->Cls();
  lblHour = ui::NewLabel(this, "lblHour", "(Hr)");
  ui::Place(lblHour, 10120, 90, 500, 270);
  Picture2 = NewPicture(this, "Picture2", 120, 450, 11400, 6300);
  Picture2A = NewPicture(Picture2, "Picture2A", 800, 400, 10400, 5700);
  cmdProdData = ui::NewButton(this, "cmdProdData", "製品抜出(&P)");
  ui::Place(cmdProdData, 8460, 6870, 1440, 400);
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  ui::Place(cmdExit, 10080, 6870, 1440, 400);
  cmdProdData->setVisible(false);
  setFixedSize(ui::Px(11640), ui::Px(7410));
  connect(cmdProdData, &QPushButton::clicked, this, [this] { cmdProdData_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frmBatchResultGraph2::Form_Load() {
  ResultForm::Form_Load();
  SetCaption(batchres::Caption("計算結果", "Calculation Result"));
  lblTime->setText(QInLanguage("操作時間", "Time"));
  cmdProdData->setText(QInLanguage("製品抜出(&P)", "Product(&P)"));
  cmdExit->setText(QInLanguage("戻る(&X)", "Exit(&X)"));
}

void frmBatchResultGraph2::Form_Activate() {
  if (pending_ || drawing_) return;
  pending_ = true;
  QPointer<frmBatchResultGraph2> self(this);
  QTimer::singleShot(0, this, [self] {
    if (self && self->pending_ && !self->Unloading()) self->Draw_Graph();
  });
}

void frmBatchResultGraph2::PrintOn(ui::PictureBox* pic, double x, double y, int colour, const std::string& text) {
  pic->SetForeColor(ui::QBColor(colour));
  pic->CurrentX = x;
  pic->CurrentY = y;
  pic->Print(text);
}

void frmBatchResultGraph2::Temperature_Axis() {
  RunFileResult r = Read_Final_Ranges(Batch_Result_Path(Batch_Result_Name(3)));
  if (!r.ok()) {
    // Without the final state (a run that ended at total reflux) the axis
    // spans the temperatures of the history drawn.
    double tMax = 0, tMin = 0;
    if (History_Temperature_Range(Batch_Result_Path(Batch.Batch_File), tMax, tMin)) {
      Batch.Scale_T_Max = tMax;
      Batch.Scale_T_Min = tMin;
    } else {
      batchres::Say_Run_File(r);
    }
  }
  const double tMax = Unit_Temp_Out(Batch.Scale_T_Max), tMin = Unit_Temp_Out(Batch.Scale_T_Min);
  Temp_Axis_Top = (std::floor(tMax / 10) + 1) * 10;
  Temp_Axis_Bottom = (std::floor(tMin / 10) - 1) * 10;
  Temp_Axis_Range = Temp_Axis_Top - Temp_Axis_Bottom;
  Graph_History_Label(*this, G.Graph_Top - 150, txt::Format(Temp_Axis_Top, "###0"), ui::QBColor(15));
  Graph_History_Label(*this, G.Graph_Pic2_H - 230, txt::Format(Temp_Axis_Bottom, "###0"), ui::QBColor(15));
}

void frmBatchResultGraph2::Draw_Graph() {
  pending_ = false;
  const RunCaseScope run(History_Run_Case(Batch_Result_Path(Batch.Batch_File)));
  QPointer<frmBatchResultGraph2> self(this);
  const bool product = Batch_Result.Data_Phase != 0;
  lblTitle->setText(product ? QInLanguage("製品抜出データ", "Product Data") : QInLanguage("全還流データ", "Total Reflux Data"));
  cmdProdData->setVisible(false);
  G.Graph_X = 0;
  Prev_X = 0;
  const int kind = Batch_Result.Graph_Kind;
  if (kind == 2) {
    Batch.Graph_Scale = 1;
    Graph_History_Frame(*this, 1);
    Temperature_Axis();
    Graph_Temperature_Time();
  } else {
    Graph_History_Frame(*this, 1);
    Graph_History_Label(*this, 370, "1.0", ui::QBColor(15));
    if (Batch.Graph_Scale == 1) {
      Graph_History_Label(*this, G.Graph_Pic2_H - 230, "0.0", ui::QBColor(15));
    } else {
      G.Graph_Left = 800;
      G.Graph_Top = 400;
      G.Graph_Right = G.Graph_Pic2_W - 1000;
      G.Graph_Bottom = G.Graph_Pic2_H - 200;
      const int div = Divisions();
      G.Graph_Div_H = Nearest(std::round(Picture2A->ScaleHeight()) / div);
      for (int i = 1; i <= div; ++i)
        Graph_History_Label(*this, G.Graph_Bottom - (i - 1) * G.Graph_Div_H - 31,
                            txt::Plain(std::pow(10.0, i - div - 1)), ui::QBColor(15));
    }
    if (kind == 3) PrintOn(Picture2, G.Graph_Right - 600, G.Graph_Top - 200, 7, "Tray=" + txt::Plain(Batch_Result.Graph_Tray));
    Graph_Composition_Time();
  }
  if (!self) return;
  if (Case.Stop_Flag == 1) {
    ui::Forms::Unload(this);
    return;
  }
  cmdProdData->setVisible(Batch_Result.Data_Phase == 0);
}

void frmBatchResultGraph2::Advance_Time_Axis(double w) {
  if (G.Graph_X > w) {
    batchres::Say(InLanguage("Ｘ軸をオーバーします。", "Over X-Axis"));
    Graph_History_Clip(*this, 1);
    G.Graph_X = Nearest(G.Graph_X - w / 2);
  }
  Prev_X = G.Graph_X;
  // One record is as many steps of the case's size as it saves; a step of no
  // size has no scale, and such a record advances one unit.
  double step = Batch.Save_Interval / Batch.Diff_Time;
  if (!(step > 0) || !std::isfinite(step)) step = 1;
  G.Graph_X = Clamp(txt::RoundHalfEven(Prev_X + std::min(step, 1.0e6)));
}

template <typename Plot>
bool frmBatchResultGraph2::Replay(Plot plot) {
  Case.Stop_Flag = 0;
  drawing_ = true;
  const double w = std::round(Picture2A->ScaleWidth()), h = std::round(Picture2A->ScaleHeight());
  Picture2A->setVisible(true);
  const bool product = Batch_Result.Data_Phase == 1;
  TankChanges tanks;
  if (product) tanks.Open(Batch_Result_Path(Batch_Result_Name(5)));
  HistoryFile file;
  RunFileResult r = file.Open(Batch_Result_Path(Batch.Batch_File));
  HistoryRecord rec;
  QPointer<frmBatchResultGraph2> self(this);
  while (r.ok() && !file.AtEnd()) {
    ui::DoEvents();
    if (!self || Case.Stop_Flag == 1) {
      if (self) drawing_ = false;
      return false;
    }
    r = file.Next(rec);
    if (!r.ok()) break;
    Apply_History_Record(rec);
    Picture3->Cls();
    Picture3->CurrentX = 1;
    Picture3->CurrentY = 1;
    Picture3->Print(Batch_Time_Text(Batch.Oper_Time));
    if (product && Batch.Oper_Time > tanks.Pending()) {
      Graph_Mark_Line(*this, ui::QBColor(8));
      tanks.Advance();
    }
    plot(h);
    Advance_Time_Axis(w);
  }
  batchres::Say_Run_File(r);  // a missing file, or the record a damaged one ends in
  Graph_Mark_Line(*this, ui::QBColor(15));
  Case.Stop_Flag = -1;
  drawing_ = false;
  return true;
}

void frmBatchResultGraph2::Graph_Composition_Time() {
  const int kind = Batch_Result.Graph_Kind;
  const int div = Divisions();
  Replay([&](double h) {
    const int d = Nearest(h / div);
    const int plate = kind == 3 ? Batch_Result.Graph_Tray : 1;
    if (plate < 1 || plate > Case.NT) return;  // a plate the case does not have
    for (int c = 1; c <= Case.NC; ++c) {
      Picture2A->SetForeColor(Batch_Component_Colour(c));
      const int y1 = History_Y(Case.Tray_X[c][plate], h, d);
      const int y2 = kind == 1 ? History_Y(Case.Tray_X[c][Case.NT], h, d) : 0;
      if (G.Graph_X > 0) {
        if (G.Graph_Last_Y[1][c] < h && y1 < h) Picture2A->Line(Prev_X, G.Graph_Last_Y[1][c], G.Graph_X, y1);
        if (kind == 1 && G.Graph_Last_Y[2][c] < h && y2 < h)
          Picture2A->Line(Prev_X, G.Graph_Last_Y[2][c], G.Graph_X, y2);
      }
      G.Graph_Last_Y[1][c] = y1;
      if (kind == 1) G.Graph_Last_Y[2][c] = y2;
    }
  });
}

void frmBatchResultGraph2::Graph_Temperature_Time() {
  Replay([&](double h) {
    if (Case.NT < 1) return;
    auto y = [&](double t) {
      return Clamp(std::floor(h - h * (Unit_Temp_Out(t) - Temp_Axis_Bottom) / Temp_Axis_Range));
    };
    const int y1 = y(Case.Tray_T[1]), y2 = y(Case.Tray_T[Case.NT]);
    const QColor yellow = ui::QBColor(14);
    if (G.Graph_X > 0) {
      if (G.Graph_Last_Y[1][1] < h && y1 < h) Picture2A->Line(Prev_X, G.Graph_Last_Y[1][1], G.Graph_X, y1, yellow);
      if (G.Graph_Last_Y[2][1] < h && y2 < h) Picture2A->Line(Prev_X, G.Graph_Last_Y[2][1], G.Graph_X, y2, yellow);
    }
    G.Graph_Last_Y[1][1] = y1;
    G.Graph_Last_Y[2][1] = y2;
  });
}

void frmBatchResultGraph2::cmdProdData_Click() {
  pending_ = false;  // one drawing at a time: a queued one no longer runs
  Batch.Batch_File = Batch_History_Name(1);
  lblTitle->setText(QInLanguage("製品抜出データ", "Product Data"));
  Batch_Result.Data_Phase = 1;
  cmdProdData->setVisible(false);
  const RunCaseScope run(History_Run_Case(Batch_Result_Path(Batch.Batch_File)));
  if (Batch_Result.Graph_Kind == 2) Graph_Temperature_Time();
  else Graph_Composition_Time();
}

void frmBatchResultGraph2::Form_KeyDown(int& keyCode, int shift) {
  (void)shift;
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  cmdExit_Click();  // a drawing is asked to stop, not cut off
}

void frmBatchResultGraph2::cmdExit_Click() {
  Case.Msg_Text = InLanguage("表示中止", "Abort Display");
  if (!drawing_ || Case.Stop_Flag != 0) {
    ResultForm::cmdExit_Click();
    return;
  }
  if (ui::MsgBox(Case.Msg_Text, ui::vbYesNo, Case.Prog_Title) == ui::vbYes) Case.Stop_Flag = 1;
}
