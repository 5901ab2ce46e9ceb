#include "continuous/results/ResultText.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include "continuous/results/DistResultData.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/ui/Controls.h"

namespace results {

bool KnownLanguage() { return Case.Language == 0 || In_English(); }
void SetCaption(QWidget* control, const char* japanese, const char* english) {
  if (!KnownLanguage() || !control) return;
  const QString text = QString::fromUtf8(In_English() ? english : japanese);
  if (auto* b = qobject_cast<QAbstractButton*>(control)) b->setText(text);
  else if (auto* l = qobject_cast<QLabel*>(control)) l->setText(text);
  else if (auto* g = qobject_cast<QGroupBox*>(control)) g->setTitle(text);
  else control->setWindowTitle(text);
}

QLabel* NewWarningLabel(QWidget* parent, const char* name) {
  QLabel* l = ui::NewLabel(parent, name);
  l->setStyleSheet("color: #c00000;");
  l->setWordWrap(true);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setVisible(false);
  return l;
}

void ShowWarning(QLabel* label) {
  const std::string text = Dist_Result_Warning();
  label->setText(QString::fromStdString(text));
  label->setVisible(!text.empty());
}

}  // namespace results

#include "core/model/Language.h"
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
