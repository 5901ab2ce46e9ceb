#include "continuous/ui/frmDistCalc.h"

#include <QTimer>

#include <algorithm>
#include <cmath>
#include <vector>

#include "continuous/results/DistGraphs.h"
#include "continuous/ui/DistDisplay.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/ui/Controls.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/PictureBox.h"

VZ_FORM_FACTORY(frmDistCalc);

namespace {

// Places below the two graphs, in twips.
constexpr double kStatusTop = 7095;
constexpr double kStatusHeight = 420;
// The status picture: room for the line of the run and, at its end, a
// not-converged note of up to three lines.
constexpr double kStatusPictureHeight = 720;
constexpr double kStatusPoints = 9, kStatusMinPoints = 6;

}  // namespace

frmDistCalc::frmDistCalc() : ui::Form("frmDistCalc"), solver_(std::make_unique<DistSolver>()) {
  Create_Dist_Graph_Pictures(*this);
  Picture1 = Ctl<ui::PictureBox>("Picture1");
  Picture2 = Ctl<ui::PictureBox>("Picture2");
  Picture3 = new ui::PictureBox("Picture3", this);
  ui::Place(Picture3, 120, kStatusTop, 6800, kStatusPictureHeight);
  Picture3->SetSizePixels(ui::Px(6800), ui::Px(kStatusPictureHeight));
  Picture3->SetBackColor(ui::QBColor(15));
  Picture3->Cls();
  cmdCalcScale = ui::NewButton(this, "cmdCalcScale", "ｸﾞﾗﾌ分割数(&G)");
  ui::Place(cmdCalcScale, 7200, kStatusTop, 1800, kStatusHeight);
  cmdCalcAbort = ui::NewButton(this, "cmdCalcAbort", "計算終了(&X)");
  ui::Place(cmdCalcAbort, 9375, kStatusTop, 1800, kStatusHeight);
  setFixedSize(ui::Px(11295), ui::Px(kStatusTop + kStatusPictureHeight + 150));

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

namespace {

// `text` broken at blanks into lines no wider than `room` (a word wider than
// that stands on a line of its own).
std::vector<std::string> Wrap(const ui::PictureBox& pic, const std::string& text, double room) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at + 1);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(at, end - at);
    if (!line.empty() && pic.TextWidth(line + word) > room) {
      lines.push_back(line);
      line = word.substr(word.find_first_not_of(' ') == std::string::npos ? word.size() : word.find_first_not_of(' '));
    } else {
      line += word;
    }
    at = end;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

void frmDistCalc::Status_Line(const std::string& text, const std::string& second) {
  ui::PictureBox& pic = *Picture3;
  // Every word is shown: the second text wraps under the first, and the font
  // steps down until the lines fit the picture.
  const double room = pic.ScaleWidth() - 20;
  std::vector<std::string> lines;
  for (double points = kStatusPoints; points >= kStatusMinPoints; points -= 0.5) {
    pic.SetFontSize(points);
    lines = second.empty() ? std::vector<std::string>{} : Wrap(pic, second, room);
    double widest = pic.TextWidth(text);
    for (const std::string& l : lines) widest = std::max(widest, pic.TextWidth(l));
    if (widest <= room && (lines.size() + 1) * pic.TextHeight("0") + 20 <= pic.ScaleHeight()) break;
  }
  pic.Cls();
  pic.SetForeColor(ui::QBColor(0));
  pic.CurrentX = 10;
  pic.CurrentY = 10;
  pic.Print(text);
  pic.SetForeColor(ui::QBColor(12));
  for (const std::string& l : lines) pic.Print(l);
}

std::string Dist_Status_Text(const DistIterationReport& rep) {
  if (rep.passConverged || !std::isfinite(rep.error)) return rep.statusLine;
  // Pass, iteration and error: the error with four significant digits.
  return txt::Plain(rep.pass) + " " + txt::Plain(rep.iteration) + " " + txt::Format(rep.error, "0.000E+00");
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
        lastStatus_ = Dist_Status_Text(rep);
        Status_Line(lastStatus_);
        if (rep.redraw) {
          Graph_Dist_Comp_Profile(0, *this);
          // The curves pile up to show the run converging; the end
          // temperatures are this iteration's only.
          Clear_Dist_Temp_Ends(*Picture2);
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
  // The results stay in the case for the result windows; when Result.dat could
  // not be written, no earlier Result.dat may pass for this run's.
  std::string unsaved;
  if (stored && o.resultWritten) dist::Forget_Stale_Result();
  if (stored && !o.resultWritten) {
    unsaved = dist::Discard_Unsaved_Result();
    ui::MsgBox(unsaved, ui::vbOKOnly | ui::vbExclamation);
  }
  if (stored) dist::Show_Result_Button(o.resultWritten);
  // A run that used up its iterations, did not balance or went below zero flows
  // is not passed off as converged: the status line says so under the last
  // iteration's figures.
  std::string note;
  if (o.status == DistRunStatus::IterationLimit || o.status == DistRunStatus::Unbalanced ||
      o.status == DistRunStatus::Infeasible)
    note = Dist_Outcome_Text(o);
  if (!unsaved.empty()) note += (note.empty() ? "" : " ") + unsaved;
  if (!note.empty()) Status_Line(lastStatus_, note);
  dist::Apply_Captions(this, {{"cmdCalcAbort", "戻る(&X)", "Exit(&X)"}});
}

void frmDistCalc::cmdCalcAbort_Click() {
  Case.Msg_Text = InLanguage("計算中止", "End of Calc");
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
