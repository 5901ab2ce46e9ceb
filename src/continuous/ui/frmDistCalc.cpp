#include "continuous/ui/frmDistCalc.h"

#include <QTimer>

#include "continuous/results/DistGraphs.h"
#include "continuous/ui/DistDisplay.h"
#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

VZ_FORM_FACTORY(frmDistCalc);

namespace {

// Places below the two graphs, in twips.
constexpr double kStatusTop = 7095;
constexpr double kStatusHeight = 420;

}  // namespace

frmDistCalc::frmDistCalc() : ui::Form("frmDistCalc"), solver_(std::make_unique<DistSolver>()) {
  Create_Dist_Graph_Pictures(*this);
  Picture1 = Ctl<ui::PictureBox>("Picture1");
  Picture2 = Ctl<ui::PictureBox>("Picture2");
  Picture3 = new ui::PictureBox("Picture3", this);
  ui::Place(Picture3, 120, kStatusTop, 6800, kStatusHeight);
  Picture3->SetSizePixels(ui::Px(6800), ui::Px(kStatusHeight));
  Picture3->SetBackColor(ui::QBColor(15));
  Picture3->Cls();
  cmdCalcScale = ui::NewButton(this, "cmdCalcScale", "ｸﾞﾗﾌ分割数(&G)");
  ui::Place(cmdCalcScale, 7200, kStatusTop, 1800, kStatusHeight);
  cmdCalcAbort = ui::NewButton(this, "cmdCalcAbort", "計算終了(&X)");
  ui::Place(cmdCalcAbort, 9375, kStatusTop, 1800, kStatusHeight);
  setFixedSize(ui::Px(11295), ui::Px(kStatusTop + kStatusHeight + 150));

  connect(cmdCalcAbort, &QPushButton::clicked, this, [this] { cmdCalcAbort_Click(); });
  connect(cmdCalcScale, &QPushButton::clicked, this, [this] { cmdCalcScale_Click(); });
  Picture1->onMouseDown = [this](int, int, double, double) { Picture1_Click(); };
  Picture2->onMouseDown = [this](int, int, double, double) { Picture2_Click(); };
}

frmDistCalc::~frmDistCalc() = default;

void frmDistCalc::Form_Load() {
  dist::Apply_Captions(this, {
                                 {nullptr, "逐次段蒸留計算", "Step by Step Distillation"},
                                 {"cmdCalcScale", "ｸﾞﾗﾌ分割数(&G)", "Graph Div(&G)"},
                                 {"cmdCalcAbort", "計算終了(&X)", "End of Calc(&X)"},
                             });
}

void frmDistCalc::Form_Activate() {
  if (started_) return;
  // The run begins once the window's own event loop runs, so the window is on
  // screen while the column converges.
  QTimer::singleShot(0, this, [this] { Run_Calculation(); });
}

void frmDistCalc::Status_Line(const std::string& text, const std::string& second) {
  Picture3->Cls();
  Picture3->SetForeColor(ui::QBColor(0));
  Picture3->CurrentX = 10;
  Picture3->CurrentY = 10;
  Picture3->Print(text);
  if (!second.empty()) {
    Picture3->SetForeColor(ui::QBColor(12));
    Picture3->Print(second);
  }
}

void frmDistCalc::Run_Calculation() {
  if (started_) return;
  started_ = true;
  Graph_Dist_Comp_Frame(*this);
  Graph_Dist_Temp_Frame(*this);
  if (solver_->Start()) {
    while (!solver_->Finished()) {
      const DistIterationReport rep = solver_->Step();
      if (rep.pass > 0) {
        lastStatus_ = rep.statusLine;
        Status_Line(rep.statusLine);
        if (rep.redraw) {
          Graph_Dist_Comp_Profile(0, *this);
          Graph_Dist_Temp_Profile(*this);
        }
      }
      if (rep.finished) break;
      // The stop button and the graph clicks are handled here, between iterations.
      ui::DoEvents();
    }
  }
  End_Of_Run();
}

void frmDistCalc::End_Of_Run() {
  runOver_ = true;
  const DistRunOutcome& o = solver_->Outcome();
  Case.Stop_Flag = 0;
  if (o.status == DistRunStatus::Stopped) {
    // Nothing was stored; the window closes as the user asked.
    ui::Forms::Unload(this);
    return;
  }
  const bool stored = o.status == DistRunStatus::Converged || o.status == DistRunStatus::IterationLimit ||
                      o.status == DistRunStatus::Unbalanced;
  if (stored) dist::Show_Result_Button();
  // A run that used up its iterations, did not balance or went below zero flows
  // is not passed off as converged: the status line says so under the last
  // iteration's figures.
  if (o.status == DistRunStatus::IterationLimit || o.status == DistRunStatus::Unbalanced ||
      o.status == DistRunStatus::Infeasible) {
    Status_Line(lastStatus_, Dist_Outcome_Text(o));
  }
  dist::Apply_Captions(this, {{"cmdCalcAbort", "戻る(&X)", "Exit(&X)"}});
}

void frmDistCalc::cmdCalcAbort_Click() {
  Case.Msg_Text = dist::Pick("計算中止", "End of Calc");
  if (Case.Result_Flag != 0 || runOver_) {
    ui::Forms::Unload(this);
    return;
  }
  if (ui::MsgBox(Case.Msg_Text, ui::vbYesNo) != ui::vbYes) return;
  if (!started_) {
    // Stopped before the first iteration: no run at all.
    started_ = true;
    ui::Forms::Unload(this);
    return;
  }
  // The run ends at its next step and closes the window then.
  Case.Stop_Flag = 1;
}

void frmDistCalc::cmdCalcScale_Click() {
  if (ui::Form* scale = ui::Forms::LoadByName("frmDistGraphScale")) scale->ShowModal();
  Picture1_Click();
}

void frmDistCalc::Picture1_Click() {
  Graph_Dist_Comp_Frame(*this);
  Graph_Dist_Comp_Profile(1.0, *this);
}

void frmDistCalc::Picture2_Click() {
  Graph_Dist_Temp_Frame(*this);
  Graph_Dist_Temp_Profile(*this);
}
