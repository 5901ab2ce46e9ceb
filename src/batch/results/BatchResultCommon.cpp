#include "batch/results/BatchResultCommon.h"

#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

namespace batchres {

bool English() { return Case.Language == 1; }

std::string Pick(const char* japanese, const char* english) { return English() ? english : japanese; }

QString QPick(const char* japanese, const char* english) { return QString::fromUtf8(English() ? english : japanese); }

QString Caption(const char* japanese, const char* english) {
  return ui::Q(Case.Prog_Title) + QPick(japanese, english);
}

void Say(const std::string& text) { ui::MsgBox(text, ui::vbOKOnly, Case.Prog_Title); }

void Say_Run_File(const RunFileResult& r) {
  if (r.failed()) ui::MsgBox(Run_File_Message(r), ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
}

ResultForm::ResultForm(const QString& name) : ui::Form(name) {}

void ResultForm::Form_Load() {
  previous_ = Set_Calc_Message_Handler([](const std::string& text) { ui::MsgBox(text); });
  installed_ = true;
}

void ResultForm::Form_Unload() {
  if (installed_) Set_Calc_Message_Handler(std::move(previous_));
  installed_ = false;
}

void ResultForm::Form_KeyDown(int& keyCode, int shift) {
  (void)shift;
  if (keyCode == ui::vbKeyEscape) {
    keyCode = 0;
    ui::Forms::Unload(this);
  }
}

void ResultForm::cmdExit_Click() { ui::Forms::Unload(this); }

}  // namespace batchres
