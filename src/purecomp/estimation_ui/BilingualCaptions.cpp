#include "purecomp/estimation_ui/BilingualCaptions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include "core/model/CaseData.h"
#include "core/model/Language.h"

QWidget* BilingualCaptions::Add(QWidget* widget, const char* ja, const char* en, Kind kind) {
  items_.push_back({widget, ja, en, kind});
  Set(items_.back());
  return widget;
}

void BilingualCaptions::Apply() const {
  for (const Item& item : items_) Set(item);
}

void BilingualCaptions::Set(const Item& item) {
  QWidget* w = item.widget;
  if (w == nullptr) return;
  const QString text = QString::fromStdString(In_English() ? item.en : item.ja);
  if (item.kind == Kind::ToolTip) {
    w->setToolTip(text);
  } else if (auto* l = qobject_cast<QLabel*>(w)) {
    l->setText(text);
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    b->setText(text);
  } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
    g->setTitle(text);
  }
}
