#include "batch/ui_run/frmBatchCalc.h"

#include <cmath>

#include "batch/model/BatchData.h"
#include "batch/run/BatchRunFiles.h"
#include "batch/ui_run/BatchGraphs.h"
#include "batch/ui_run/frmBatchChangeConvLimit.h"
#include "batch/ui_run/frmBatchChangeDiffTime.h"
#include "batch/ui_run/frmBatchChangeDistillate.h"
#include "batch/ui_run/frmBatchChangeQReb.h"
#include "batch/ui_run/frmBatchChangeReflux.h"
#include "batch/ui_run/frmBatchChangeSaveInterval.h"
#include "batch/ui_run/frmBatchMessage.h"
#include "batch/ui_run/frmBatchTankData.h"
#include "batch/ui_run/frmBatchTrayData.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

VZ_FORM_FACTORY(frmBatchCalc);

std::function<void(frmBatchCalc&)> frmBatchCalc::Yield_Hook;

// What the run shows and asks through this window.
class frmBatchCalc::Host : public BatchHost {
 public:
  explicit Host(frmBatchCalc& w) : w_(w) {}

  void Yield() override {
    ui::DoEvents();
    if (Yield_Hook) Yield_Hook(w_);
  }
  void Message(const std::string& text) override { ui::MsgBox(text, ui::vbOKOnly, Case.Prog_Title); }
  bool AskRetry(const std::string& text) override {
    return ui::MsgBox(text, ui::vbRetryCancel, Case.Prog_Title) == ui::vbRetry;
  }
  void Notice(const std::string& text) override { Batch_Show_Notice(text); }
  void RunStarted() override {
    w_.Draw_Start_Graphs();
    w_.Show_Start_Captions();
  }
  void StepDone() override { w_.Graph_Tray_Profile2(); }
  void DrawProfile() override { Graph_Tray_Profile(w_); }
  void DrawProfileFrame() override { Graph_Tray_Frame(w_, 0); }
  void MarkLine(int paletteColour) override { Graph_Mark_Line(w_, ui::QBColor(paletteColour)); }
  void WithdrawalStarted() override { w_.Show_Withdrawal_Captions(); }
  void RunEnded(BatchEnd end) override {
    w_.end_ = end;
    switch (end) {
      case BatchEnd::Converged:
      case BatchEnd::NegativeComposition:
        // The buttons stay for a last look at the plates; one click on the
        // exit button leaves, as the ended run has set the stop flag.
        w_.cmdOK->setText(ui::Q(InLanguage("戻る(&X)", "Exit(&X)")));
        break;
      case BatchEnd::Refused:
        Case.Stop_Flag = -1;
        w_.Show_Ended_Captions();
        break;
      default:
        w_.Show_Ended_Captions();
        break;
    }
  }

 private:
  frmBatchCalc& w_;
};

namespace {

const char* const kMenuTips[7] = {"",
                                  "塔内の温度、液組成の値を表示する。",
                                  "微分時間を変更する。",
                                  "計算結果保存間隔を変更する。",
                                  "組成の収束誤差の表示（各段毎）",
                                  "リボイラー熱量の変更",
                                  "製品タンクの量／組成の表示"};
const char* const kMenuCaptions[7] = {"", "塔内組成(&1)", "微分時間(&2)", "保存周期(&3)",
                                     "収束誤差(&4)", "ﾘﾎﾞｲﾗ(&5)", "製品組成(&6)"};
const double kMenuLeft[7] = {0, 480, 1920, 3360, 4800, 6240, 7560};

ui::PictureBox* NewPicture(QWidget* parent, const char* name, double left, double top, double width,
                           double height) {
  auto* p = new ui::PictureBox(name, parent);
  p->move(ui::Px(left), ui::Px(top));
  p->SetSizePixels(ui::Px(width), ui::Px(height));
  return p;
}

}  // namespace

frmBatchCalc::frmBatchCalc() : ui::Form("frmBatchCalc") {
  setFixedSize(ui::Px(11760), ui::Px(7275));
  Picture1 = NewPicture(this, "Picture1", 80, 360, 3150, 6255);
  Picture2 = NewPicture(this, "Picture2", 3240, 360, 8415, 6255);
  // The plot area of the history graph; the history frame places it.
  Picture2A = NewPicture(Picture2, "Picture2A", 800, 400, 7415, 5655);
  Picture3 = NewPicture(this, "Picture3", 9480, 90, 855, 255);
  Picture3->SetBackColor(ui::QBColor(15));
  Picture3->SetForeColor(ui::QBColor(0));
  Picture3->Cls();
  Picture3->SetFontSize(8);

  lblTrayProfile = ui::NewLabel(this, "lblTrayProfile", "塔内液組成分布");
  ui::Place(lblTrayProfile, 240, 120, 2415, 255);
  lblTrayProfile->setAlignment(Qt::AlignCenter);
  lblCalc = ui::NewLabel(this, "lblCalc", "塔 頂／塔 底　液 組 成 変 化");
  ui::Place(lblCalc, 2880, 120, 3255, 255);
  lblCalc->setAlignment(Qt::AlignCenter);
  lblCalType = ui::NewLabel(this, "lblCalType", "");
  ui::Place(lblCalType, 6360, 120, 1575, 255);
  lblCalTime = ui::NewLabel(this, "lblCalTime", "操作時間");
  // Ends short of the time box, so a caption as wide as its box never runs under it.
  ui::Place(lblCalTime, 8040, 120, 1335, 255);
  lblCalTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblCalcTimeUnit = ui::NewLabel(this, "lblCalcTimeUnit", "(Hr)");
  ui::Place(lblCalcTimeUnit, 10320, 120, 375, 255);

  cmdMenu[0] = nullptr;
  for (int i = 1; i <= 6; ++i) {
    const std::string name = "cmdMenu" + std::to_string(i);
    cmdMenu[i] = ui::NewButton(this, name.c_str(), kMenuCaptions[i]);
    ui::Place(cmdMenu[i], kMenuLeft[i], 6720, i == 5 ? 1095 : 1215, 375);
  }
  cmdOK = ui::NewButton(this, "cmdOK", "戻る(&X)");
  ui::Place(cmdOK, 10320, 6720, 1095, 495);

  connect(cmdMenu[1], &QPushButton::clicked, this, [this] { cmdMenu1_Click(); });
  connect(cmdMenu[2], &QPushButton::clicked, this, [this] { cmdMenu2_Click(); });
  connect(cmdMenu[3], &QPushButton::clicked, this, [this] { cmdMenu3_Click(); });
  connect(cmdMenu[4], &QPushButton::clicked, this, [this] { cmdMenu4_Click(); });
  connect(cmdMenu[5], &QPushButton::clicked, this, [this] { cmdMenu5_Click(); });
  connect(cmdMenu[6], &QPushButton::clicked, this, [this] { cmdMenu6_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  Picture1->onMouseDown = [this](int, int, double, double) { Picture1_Click(); };
  Set_Captions();
}

frmBatchCalc::~frmBatchCalc() = default;

void frmBatchCalc::Set_Captions() {
  struct Caption {
    QWidget* control;
    const char* japanese;
    const char* english;
  };
  const Caption captions[] = {
      {lblTrayProfile, "塔内液組成分布", "Tray Distribution"},
      {lblCalc, "塔 頂／塔 底　液 組 成 変 化", "Top/Bottom Liquid Composition"},
      {lblCalType, "", ""},
      {lblCalTime, "操作時間", "Ope.Time"},
      {lblCalcTimeUnit, "(Hr)", "(Hr)"},
      {cmdMenu[1], "塔内組成(&1)", "Comp  (&1)"},
      {cmdMenu[2], "微分時間(&2)", "Diff T(&2)"},
      {cmdMenu[3], "保存周期(&3)", "Save T(&3)"},
      {cmdMenu[4], "収束誤差(&4)", "Conv (&4)"},
      {cmdMenu[5], "ﾘﾎﾞｲﾗ(&5)", "Reboi(&5)"},
      {cmdMenu[6], "製品組成(&6)", "Prod (&6)"},
      {cmdOK, "戻る(&X)", "Exit (&X)"},
  };
  for (int i = 1; i <= 6; ++i) cmdMenu[i]->setToolTip(QString::fromUtf8(kMenuTips[i]));
  // Any other language keeps the captions the window was built with.
  if (Case.Language != 0 && !In_English()) return;
  for (const Caption& c : captions)
    ui::SetControlText(this, c.control->objectName().toLatin1().constData(),
                       In_English() ? c.english : c.japanese);
  SetCaption(ui::Q(Case.Prog_Title + InLanguage("計算過程", "Calculation")));
}

void frmBatchCalc::Form_Load() {
  Set_Captions();
  Picture1->setVisible(true);
  Picture2->setVisible(true);
  previousHandler_ = Set_Calc_Message_Handler([](const std::string& text) { ui::MsgBox(text); });
  handlerInstalled_ = true;
  // On the screen while the run goes on inside this handler; the windows the
  // run opens return to it.
  running_ = true;
  Show();
  Batch_Calc();
  // An abort during total reflux leaves the window as soon as the run has returned.
  if (Case.Stop_Flag == 1 && !running_) Leave();
}

void frmBatchCalc::Form_Unload() {
  if (handlerInstalled_) Set_Calc_Message_Handler(std::move(previousHandler_));
  handlerInstalled_ = false;
}

void frmBatchCalc::Batch_Calc() {
  Host host(*this);
  running_ = true;
  end_ = ::Batch_Calc(host);
  running_ = false;
}

// ---------------------------------------------------------------- captions of the run

void frmBatchCalc::Show_Start_Captions() {
  cmdOK->setText(ui::Q(InLanguage("中止(&X)", "Abort(&X)")));
  lblCalType->setText(ui::Q(InLanguage("[全還流計算]", "[TotalReflux]")));
  cmdMenu[6]->setVisible(false);
}

void frmBatchCalc::Show_Withdrawal_Captions() {
  lblCalType->setText(ui::Q(InLanguage("[製品抜出操作]", "[Product Ope]")));
  cmdMenu[4]->setText(ui::Q(InLanguage("還流比(&4)", "R/D(&4)")));
  cmdMenu[4]->setToolTip(ui::Q(InLanguage("製品抜出時の還流比を変更する。", "Change Reflux Ratio (Prod)")));
  if (Batch.Ope_Mode == 2) {
    cmdMenu[5]->setText(ui::Q(InLanguage("抜出量(&5)", "Dist(&5)")));
    cmdMenu[5]->setToolTip(ui::Q(InLanguage("製品抜出時の抜出量を変更する。", "Change Distillate Flow(Prod)")));
  } else {
    cmdMenu[5]->setText(ui::Q(InLanguage("ﾘﾎﾞｲﾗ(&5)", "Reboil(&5)")));
    cmdMenu[5]->setToolTip(
        ui::Q(InLanguage("製品抜出時のﾘﾎﾞｲﾗ熱量を変更する。", "Change Reboiler Heat Duty(Prod)")));
  }
  cmdMenu[6]->setVisible(true);
}

void frmBatchCalc::Show_Ended_Captions() {
  for (int i = 1; i <= 6; ++i) cmdMenu[i]->setVisible(false);
  cmdOK->setText(ui::Q(InLanguage("戻る(&X)", "Exit(&X)")));
}

// ---------------------------------------------------------------- graphs

void frmBatchCalc::Draw_Start_Graphs() {
  BatchGraphState& g = Batch_Graph;
  Graph_Tray_Frame(*this, 0);
  Graph_History_Frame(*this, 0);
  Graph_History_Label(*this, 370, "1.0", ui::QBColor(15));
  g.Graph_Left = 800;
  g.Graph_Top = 400;
  g.Graph_Right = g.Graph_Pic2_W - 1000;
  g.Graph_Bottom = g.Graph_Pic2_H - 200;
  const int div = std::max(1, static_cast<int>(Batch.Graph_Div));
  g.Graph_Div_H = static_cast<int>(txt::RoundHalfEven(Picture2A->ScaleHeight() / div));
  for (int i = 1; i <= div; ++i) {
    // The labels of the division lines: decades on a logarithmic axis, tenths
    // of the range on a linear one.
    const double y = g.Graph_Bottom - (i - 1) * g.Graph_Div_H - 1 - 30;
    Graph_History_Label(*this, y,
                        Batch.Graph_Scale == 0 ? txt::Plain(std::pow(10.0, i - div - 1))
                                               : txt::Format(static_cast<double>(i - 1) / div, "0.0"),
                        ui::QBColor(15));
  }
  g.Graph_X_Step = 0;
}

void frmBatchCalc::Graph_Tray_Profile2() {
  BatchGraphState& g = Batch_Graph;
  const double w = Picture2A->ScaleWidth(), h = Picture2A->ScaleHeight();
  const int div = std::max(1, static_cast<int>(Batch.Graph_Div));
  const int d = static_cast<int>(txt::RoundHalfEven(h / div));
  g.Graph_X = static_cast<int>(std::floor(g.Graph_X_Step));
  // The step in units of the case's step: a changed step moves the graph in proportion.
  const double s = Batch.Diff_Time != 0 ? Batch.Run_Diff_Time / Batch.Diff_Time : 1;
  for (int c = 1; c <= Case.NC; ++c) {
    Picture2A->SetForeColor(Batch_Component_Colour(c));
    const int y1 = History_Y(Case.Tray_X[c][1], h, d);
    const int y2 = History_Y(Case.Tray_X[c][Case.NT], h, d);
    if (g.Graph_X > 0) {
      if (g.Graph_Last_Y[1][c] < h && y1 < h) Picture2A->Line(g.Graph_X, g.Graph_Last_Y[1][c], g.Graph_X + s, y1);
      if (g.Graph_Last_Y[2][c] < h && y2 < h) Picture2A->Line(g.Graph_X, g.Graph_Last_Y[2][c], g.Graph_X + s, y2);
    }
    g.Graph_Last_Y[1][c] = y1;
    g.Graph_Last_Y[2][c] = y2;
  }
  if (g.Graph_X >= w) {
    Batch_Show_Notice(InLanguage("Ｘ軸をオーバーします。", "over X-axis"));
    Graph_History_Clip(*this, 0);
    g.Graph_X_Step = std::floor(g.Graph_X_Step / 2);
  }
  g.Graph_X_Step += s;
  Print_Time_Box();
}

void frmBatchCalc::Print_Time_Box() {
  Picture3->Cls();
  Picture3->CurrentX = 1;
  Picture3->CurrentY = 1;
  Picture3->Print(Batch_Time_Text(Batch.Oper_Time));
}

void frmBatchCalc::Picture1_Click() {
  Graph_Tray_Frame(*this, 0);
  Graph_Tray_Profile(*this);
  Print_Time_Box();
}

// ---------------------------------------------------------------- buttons

void frmBatchCalc::cmdMenu1_Click() { ui::Forms::Get<frmBatchTrayData>().ShowModal(); }
void frmBatchCalc::cmdMenu2_Click() { ui::Forms::Get<frmBatchChangeDiffTime>().ShowModal(); }
void frmBatchCalc::cmdMenu3_Click() { ui::Forms::Get<frmBatchChangeSaveInterval>().ShowModal(); }

void frmBatchCalc::cmdMenu4_Click() {
  if (Batch.Prod_Phase == 1)
    ui::Forms::Get<frmBatchChangeReflux>().ShowModal();
  else
    ui::Forms::Get<frmBatchChangeConvLimit>().ShowModal();
}

void frmBatchCalc::cmdMenu5_Click() {
  if (Batch.Prod_Phase == 1 && Batch.Ope_Mode == 2)
    ui::Forms::Get<frmBatchChangeDistillate>().ShowModal();
  else
    ui::Forms::Get<frmBatchChangeQReb>().ShowModal();
}

void frmBatchCalc::cmdMenu6_Click() { ui::Forms::Get<frmBatchTankData>().ShowModal(); }

void frmBatchCalc::cmdOK_Click() {
  if (Case.Stop_Flag != 0) {
    // A stop already requested is taken by the run after this yield.
    if (!running_) Leave();
    return;
  }
  Case.Msg_Text = InLanguage("計算中止", "Stop Calculation");
  if (ui::MsgBox(Case.Msg_Text, ui::vbYesNo, Case.Prog_Title) != ui::vbYes) return;
  // The results are offered when the run has ended and left its files.
  Case.Stop_Flag = 1;
}

void frmBatchCalc::Form_Activate() {
  // Modal windows closing during the run activate this window again: it only
  // leaves once the run has returned.
  if (Case.Stop_Flag == 1 && !running_) Leave();
}

void frmBatchCalc::Leave() {
  if (ui::Form* main = ui::Forms::FindByName("frmBatchDistillationMain")) {
    // Only a run whose files are all written has results to offer.
    if (auto* result = main->Ctl<QPushButton>("cmdResult")) result->setVisible(Batch_Run_Files_Complete());
    main->setEnabled(true);
    if (!main->isVisible()) main->show();
  }
  ui::Forms::Unload(this);
}
