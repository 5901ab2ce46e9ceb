#include "batch/results/frmBatchResultGraph1.h"

#include <QPointer>
#include <QTimer>

#include <cmath>

#include "batch/model/BatchData.h"
#include "batch/ui_run/BatchGraphs.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/QLanguage.h"

VZ_FORM_FACTORY(frmBatchResultGraph1);


namespace {

ui::PictureBox* NewPicture(QWidget* parent, const char* name, double left, double top, double width, double height) {
  auto* p = new ui::PictureBox(name, parent);
  p->move(ui::Px(left), ui::Px(top));
  p->SetSizePixels(ui::Px(width), ui::Px(height));
  return p;
}

}  // namespace

frmBatchResultGraph1::frmBatchResultGraph1() : ResultForm("frmBatchResultGraph1") {
  lblTitle = ui::NewLabel(this, "lblTitle");
  ui::Place(lblTitle, 120, 90, 3000, 300);
  QFont f = lblTitle->font();
  f.setBold(true);
  lblTitle->setFont(f);
  lblTime = ui::NewLabel(this, "lblTime", "操作時間");
  ui::Place(lblTime, 3300, 90, 1000, 270);
  Picture3 = NewPicture(this, "Picture3", 4360, 75, 1300, 285);
  Picture3->SetBackColor(ui::QBColor(15));
  Picture3->SetForeColor(ui::QBColor(0));
  Picture3->Cls();
  lblHour = ui::NewLabel(this, "lblHour", "(Hr)");
  ui::Place(lblHour, 5720, 90, 500, 270);
  Picture1 = NewPicture(this, "Picture1", 120, 450, 7200, 7800);
  Picture1->onMouseDown = [this](int, int, double, double) { Picture1_Click(); };
  cmdProdData = ui::NewButton(this, "cmdProdData", "製品抜出(&P)");
  ui::Place(cmdProdData, 4260, 8370, 1440, 400);
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  ui::Place(cmdExit, 5880, 8370, 1440, 400);
  cmdProdData->setVisible(false);
  setFixedSize(ui::Px(7440), ui::Px(8910));
  connect(cmdProdData, &QPushButton::clicked, this, [this] { cmdProdData_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frmBatchResultGraph1::Form_Load() {
  ResultForm::Form_Load();
  SetCaption(batchres::Caption("計算結果", "Calculation Result"));
  lblTime->setText(QInLanguage("操作時間", "Time"));
  cmdProdData->setText(QInLanguage("製品抜出(&P)", "Product(&P)"));
  cmdExit->setText(QInLanguage("戻る(&X)", "Exit(&X)"));
}

void frmBatchResultGraph1::Form_Activate() {
  if (pending_ || drawing_) return;
  pending_ = true;
  QPointer<frmBatchResultGraph1> self(this);
  QTimer::singleShot(0, this, [self] {
    if (self && self->pending_ && !self->Unloading()) self->Draw_Graph();
  });
}

void frmBatchResultGraph1::Form_KeyDown(int& keyCode, int shift) {
  (void)shift;
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  cmdExit_Click();  // a replay is asked to stop, not cut off
}

void frmBatchResultGraph1::Frame_And_Legend() {
  Graph_Tray_Frame(*this, 1);
  BatchGraphState& g = Batch_Graph;
  g.Graph_Div_W = static_cast<int>(txt::RoundHalfEven((g.Graph_Right - g.Graph_Left) / 5.0));
  double x = 20, y = 20;
  for (int c = 1; c <= Case.NC; ++c) {
    Picture1->SetForeColor(Batch_Component_Colour(c));
    Picture1->CurrentX = x;
    Picture1->CurrentY = y;
    Picture1->Print(Case.Comp_Name[c]);
    x += g.Graph_Div_W;
    if (c % 5 == 0) {
      x = 20;
      y += 130;
    }
  }
}

void frmBatchResultGraph1::Draw_Graph() {
  pending_ = false;
  run_ = History_Run_Case(Batch_Result_Path(Batch_Result.Graph_Kind == 5 ? Batch_History_Name(0) : Batch.Batch_File));
  const RunCaseScope run(run_);
  QPointer<frmBatchResultGraph1> self(this);
  Frame_And_Legend();
  if (Batch_Result.Graph_Kind == 5) {
    Batch_Result.Data_Phase = 0;
    Batch.Batch_File = Batch_Result_Name(2);
    lblTitle->setText(QInLanguage("全還流収束データ", "Convergence Data"));
    Play_Profile_History();
    if (self) cmdProdData->setVisible(false);
    return;
  }
  const bool product = Batch_Result.Data_Phase != 0;
  lblTitle->setText(product ? QInLanguage("製品抜出データ", "Product Data") : QInLanguage("全還流データ", "Total Reflux"));
  Play_Profile_History();
  if (!self) return;
  if (Case.Stop_Flag == 1) {
    ui::Forms::Unload(this);
    return;
  }
  cmdProdData->setVisible(Batch_Result.Data_Phase == 0);
}

void frmBatchResultGraph1::Show_Time() {
  Picture3->Cls();
  Picture3->CurrentX = 1;
  Picture3->CurrentY = 1;
  Picture3->Print(Batch_Time_Text(Batch.Oper_Time, 3));
}

void frmBatchResultGraph1::Play_Profile_History() {
  batchres::Say(InLanguage("表示開始", "Start Display"));
  Case.Stop_Flag = 0;
  drawing_ = true;
  cmdProdData->setVisible(false);
  QPointer<frmBatchResultGraph1> self(this);

  if (Batch_Result.Graph_Kind == 5) {
    // The converged state comes with its case, which becomes the case in memory.
    const RunFileResult r = Load_Total_Reflux_State(run_);
    const RunCaseScope converged(run_);
    if (r.status == RunFileStatus::Missing) batchres::Say_Run_File(r);  // a refusal was said by the reader
    if (r.ok()) {
      ui::DoEvents();
      if (!self) return;
      if (Case.Stop_Flag == 1) {
        drawing_ = false;
        return;
      }
      Frame_And_Legend();  // the plates and names of the case just read
      Show_Time();
      Graph_Tray_Profile(*this);
    }
    Case.Stop_Flag = -1;
    drawing_ = false;
    return;
  }

  const bool product = Batch_Result.Data_Phase == 1;
  TankChanges tanks;
  if (product) tanks.Open(Batch_Result_Path(Batch_Result_Name(5)));
  HistoryFile file;
  RunFileResult r = file.Open(Batch_Result_Path(Batch.Batch_File));
  HistoryRecord rec;
  while (r.ok() && !file.AtEnd()) {
    ui::DoEvents();
    if (!self) return;
    if (Case.Stop_Flag == 1) {
      drawing_ = false;
      return;
    }
    r = file.Next(rec);
    if (!r.ok()) break;
    Apply_History_Record(rec);
    Show_Time();
    if (product && Batch.Oper_Time > tanks.Pending()) {
      batchres::Say(InLanguage("製品タンク切替", "Change Tank"));
      if (!self) return;
      Frame_And_Legend();
      tanks.Advance();
    }
    Graph_Tray_Profile(*this);
  }
  batchres::Say_Run_File(r);
  Case.Stop_Flag = -1;
  drawing_ = false;
}

void frmBatchResultGraph1::cmdProdData_Click() {
  pending_ = false;  // one drawing at a time: a queued one no longer runs
  Batch.Batch_File = Batch_History_Name(1);
  lblTitle->setText(QInLanguage("製品抜出データ", "Product Data"));
  Batch_Result.Data_Phase = 1;
  run_ = History_Run_Case(Batch_Result_Path(Batch.Batch_File));
  const RunCaseScope run(run_);
  Frame_And_Legend();
  QPointer<frmBatchResultGraph1> self(this);
  Play_Profile_History();
  if (self) cmdProdData->setVisible(false);
}

void frmBatchResultGraph1::Picture1_Click() {
  const RunCaseScope run(run_);
  Frame_And_Legend();
  Graph_Tray_Profile(*this);
}

void frmBatchResultGraph1::cmdExit_Click() {
  Case.Msg_Text = InLanguage("表示中止", "Abort Display");
  if (!drawing_ || Case.Stop_Flag != 0) {
    ResultForm::cmdExit_Click();
    return;
  }
  if (ui::MsgBox(Case.Msg_Text, ui::vbYesNo, Case.Prog_Title) == ui::vbYes) Case.Stop_Flag = 1;
}
