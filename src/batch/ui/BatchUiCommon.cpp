#include "batch/ui/BatchUiCommon.h"

#include <QWidget>

#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"

namespace batchui {

bool English() { return Case.Language == 1; }

std::string Pick(const char* japanese, const char* english) { return English() ? english : japanese; }

QString QPick(const char* japanese, const char* english) { return QString::fromUtf8(Pick(japanese, english)); }

QString Caption(const char* japanese, const char* english) {
  return ui::Q(Case.Prog_Title) + QPick(japanese, english);
}

void Write_Main_Label(const char* label, const std::string& text) {
  ui::SetControlText(ui::Forms::FindByName(kMainWindow), label, text);
}

void Set_Main_Visible(const char* control, bool visible) {
  ui::Form* main = ui::Forms::FindByName(kMainWindow);
  if (!main) return;
  if (auto* w = main->findChild<QWidget*>(QString::fromLatin1(control))) w->setVisible(visible);
}

std::string General(double value) { return txt::Plain(value); }

std::string Name_Part(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

void BatchDialog::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

void BatchDialog::cmdCancel_Click() { ui::Forms::Unload(this); }

}  // namespace batchui
