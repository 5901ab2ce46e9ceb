#include "continuous/results/ResultText.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include "core/model/CaseData.h"

namespace results {

bool KnownLanguage() { return Case.Language == 0 || Case.Language == 1; }
bool English() { return Case.Language == 1; }

std::string Pick(const char* japanese, const char* english) { return English() ? english : japanese; }

void SetCaption(QWidget* control, const char* japanese, const char* english) {
  if (!KnownLanguage() || !control) return;
  const QString text = QString::fromUtf8(English() ? english : japanese);
  if (auto* b = qobject_cast<QAbstractButton*>(control)) b->setText(text);
  else if (auto* l = qobject_cast<QLabel*>(control)) l->setText(text);
  else if (auto* g = qobject_cast<QGroupBox*>(control)) g->setTitle(text);
  else control->setWindowTitle(text);
}

}  // namespace results

#include "platform/ui/Interaction.h"

namespace results {

void MessageSink::Install() {
  if (installed_) return;
  previous_ = Set_Calc_Message_Handler([](const std::string& text) { ui::MsgBox(text); });
  installed_ = true;
}

void MessageSink::Restore() {
  if (!installed_) return;
  Set_Calc_Message_Handler(std::move(previous_));
  installed_ = false;
}

}  // namespace results
