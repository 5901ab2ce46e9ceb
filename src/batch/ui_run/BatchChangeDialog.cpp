#include "batch/ui_run/BatchChangeDialog.h"

#include <cmath>

#include "batch/run/BatchRunFiles.h"
#include "batch/ui_run/BatchGraphs.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/PictureBox.h"

namespace {

// Blanks at the end of a list entry are not part of the unit's name.
std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// A number in a log line: a blank in place of the plus sign, one blank after,
// and the leading zero of a fraction kept (" 0.0002 ", not " .0002 ").
std::string Log_Number(double v) { return (std::signbit(v) ? "" : " ") + txt::Plain(v) + " "; }

}  // namespace

QColor Batch_Highlight_Colour() { return ui::RGB(255, 128, 128); }

BatchChangeDialog::BatchChangeDialog(const BatchChangeSpec& spec)
    : ui::Form(QString::fromLatin1(spec.formName)), spec_(spec) {
  const bool units = spec.unitLabels[0] != nullptr;
  lblTime = ui::NewLabel(this, "lblTime", "操作時間=");
  ui::Place(lblTime, 120, 120, 2445, 255);
  lblTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblTimeValue = ui::NewLabel(this, "lblTimeValue");
  ui::Place(lblTimeValue, 2640, 120, 1575, 255);
  lblOld = ui::NewLabel(this, spec.controls[0], spec.oldCaption[0]);
  ui::Place(lblOld, 120, 480, 2445, 255);
  lblOld->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblOldValue = ui::NewLabel(this, spec.controls[1]);
  ui::Place(lblOldValue, 2640, 480, 1575, 255);
  lblOldValue->setFrameShape(QFrame::Panel);
  lblOldValue->setFrameShadow(QFrame::Sunken);
  lblNew = ui::NewLabel(this, spec.controls[2], spec.newCaption[0]);
  ui::Place(lblNew, 120, 870, 2445, 255);
  lblNew->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  txtNew = ui::NewTextBox(this, spec.controls[3]);
  ui::Place(txtNew, 2640, 840, 1575, 315);
  if (units) {
    lblUnit1 = ui::NewLabel(this, spec.unitLabels[0]);
    ui::Place(lblUnit1, 4320, 480, 1215, 255);
    lblUnit2 = ui::NewLabel(this, spec.unitLabels[1]);
    ui::Place(lblUnit2, 4320, 870, 1215, 255);
  }
  const double width = spec.residuals ? 7560 : units ? 5640 : 4440;
  double buttonsTop = 1320;
  if (spec.residuals) {
    lblConvError = ui::NewLabel(this, "lblConvError", "収束誤差");
    ui::Place(lblConvError, 120, 1320, 2445, 255);
    vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
    ui::Place(vaSpread1, 120, 1620, 7320, 3360);
    vaSpread1->SetAllLocked(true);
    buttonsTop = 5100;
  }
  cmdOK = ui::NewButton(this, "cmdOK", "ＯＫ(&O)");
  ui::Place(cmdOK, width / 2 - 1335, buttonsTop, 1215, 375);
  cmdCancel = ui::NewButton(this, "cmdCancel", "取消(&C)");
  ui::Place(cmdCancel, width / 2 + 120, buttonsTop, 1215, 375);
  setFixedSize(ui::Px(width), ui::Px(buttonsTop + 555));
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void BatchChangeDialog::Form_Load() {
  if (Case.Language == 0 || In_English()) {
    const char* time[2] = {"操作時間=", "Ope.Time="};
    const char* ok[2] = {"ＯＫ(&O)", "OK (&O)"};
    const char* cancel[2] = {"取消(&C)", "Cancel(&C)"};
    const char* conv[2] = {"収束誤差", "Conv Limit"};
    SetCaption(ui::Q(Case.Prog_Title + InLanguage(spec_.title[0], spec_.title[1])));
    lblTime->setText(ui::Q(InLanguage(time[0], time[1])));
    lblOld->setText(ui::Q(InLanguage(spec_.oldCaption[0], spec_.oldCaption[1])));
    lblNew->setText(ui::Q(InLanguage(spec_.newCaption[0], spec_.newCaption[1])));
    cmdOK->setText(ui::Q(InLanguage(ok[0], ok[1])));
    cmdCancel->setText(ui::Q(InLanguage(cancel[0], cancel[1])));
    if (lblConvError) lblConvError->setText(ui::Q(InLanguage(conv[0], conv[1])));
  }
  if (lblUnit1) {
    const std::string unit = spec_.heat ? TrimRight(Unit_Heat_Text()) + "/H" : "(Kg-mol/H)";
    lblUnit1->setText(ui::Q(unit));
    lblUnit2->setText(ui::Q(unit));
  }
}

double BatchChangeDialog::Shown_Value() const {
  const double v = Batch.*spec_.value;
  return spec_.heat ? Unit_Heat_Out(v) : v;
}

void BatchChangeDialog::Form_Activate() {
  lblTimeValue->setText(ui::Q(Batch_Time_Text(Batch.Oper_Time)));
  const std::string shown = txt::Plain(Shown_Value());
  lblOldValue->setText(ui::Q(shown));
  txtNew->setText(ui::Q(shown));
  txtNew->selectAll();
  if (vaSpread1) Fill_Residuals();
}

void BatchChangeDialog::Fill_Residuals() {
  const int nc = Case.NC, plates = std::max(0, Case.NT - 1);
  vaSpread1->SetMaxCols(nc);
  vaSpread1->SetMaxRows(plates);
  vaSpread1->SetText(0, 0, "段");
  for (int c = 1; c <= nc; ++c) {
    vaSpread1->SetText(c, 0, Case.Comp_Name[c]);
    // Room for a residual in its full general form (sign, point, 15 digits).
    vaSpread1->SetColWidth(c, 22);
  }
  for (int p = 1; p <= plates; ++p)
    for (int c = 1; c <= nc; ++c) {
      // The liquid leaving plate p against the vapour rising to it from below.
      const double r = Case.Tray_X[c][p] - Case.Tray_Y[c][p + 1];
      // Ten places, or six digits with an exponent for the smallest: the
      // whole residual fits the column, never cut to dots.
      vaSpread1->SetText(c, p, std::fabs(r) >= 1e-4 || r == 0 ? txt::Format(r, "0.##########")
                                                              : txt::Format(r, "0.00000E+00"));
      if (std::fabs(r) > Batch.Run_Conv_Limit) {
        vaSpread1->SetForeColor(c, p, ui::QBColor(0));
        vaSpread1->SetBackColor(c, p, Batch_Highlight_Colour());
      }
    }
}

std::string BatchChangeDialog::Refusal(double value) const {
  if (!std::isfinite(value)) return In_English() ? "Enter a finite number." : "有限の数値を入力してください。";
  if (value < spec_.floor || (value == spec_.floor && !spec_.floorAllowed)) return InLanguage(spec_.refusal[0], spec_.refusal[1]);
  return {};
}

void BatchChangeDialog::cmdOK_Click() {
  const std::string typed = ui::S(txtNew->text());
  auto refuse = [this](const std::string& text) {
    ui::MsgBox(text, ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
    txtNew->setFocus();
    txtNew->selectAll();
  };
  // The whole text must be a number: a value the run cannot read is not
  // stored. The refusal names the box by its caption.
  double typedValue = 0;
  if (const txt::NumberProblem problem = txt::ParseNumber(typed, typedValue); problem != txt::NumberProblem::None) {
    std::string field = ui::S(lblNew->text());
    while (!field.empty() && (field.back() == '=' || field.back() == ' ')) field.pop_back();
    refuse(txt::NumberProblemMessage(problem, field, typed));
    return;
  }
  // Only a value the run really works with is stored and logged: a step of 0
  // would never advance it, a negative flow or duty has no meaning, and no
  // reflux leaves the column without liquid.
  if (const std::string why = Refusal(typedValue); !why.empty()) {
    refuse(why);
    return;
  }
  double value = typedValue;
  if (spec_.heat) value = Unit_Heat_In(value);
  double& inForce = Batch.*spec_.value;
  if (value != inForce) {
    const std::string line =
        Batch_Log_Time(Batch.Oper_Time) + InLanguage(spec_.eventText[0], spec_.eventText[1]) + Log_Number(Shown_Value()) + " New=" + typed;
    if (!Batch_Log_Append(Batch.Batch_Log_File, line))
      ui::MsgBox((In_English() ? "Cannot write the file: " : "ファイルに書き込めません: ") +
                 Batch.Batch_Log_File);
    inForce = value;
  }
  ui::Forms::Unload(this);
}

void BatchChangeDialog::cmdCancel_Click() { ui::Forms::Unload(this); }

void BatchChangeDialog::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}
