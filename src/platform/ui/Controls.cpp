#include "platform/ui/Controls.h"

namespace ui {

void Place(QWidget* w, double left, double top, double width, double height) {
  w->setGeometry(Px(left), Px(top), Px(width), Px(height));
}

QLabel* NewLabel(QWidget* parent, const char* name, const std::string& caption) {
  auto* w = new QLabel(Q(caption), parent);
  w->setObjectName(name);
  return w;
}

QPushButton* NewButton(QWidget* parent, const char* name, const std::string& caption) {
  auto* w = new QPushButton(Q(caption), parent);
  w->setObjectName(name);
  w->setAutoDefault(false);
  return w;
}

QLineEdit* NewTextBox(QWidget* parent, const char* name) {
  auto* w = new QLineEdit(parent);
  w->setObjectName(name);
  return w;
}

QPlainTextEdit* NewMultiLineTextBox(QWidget* parent, const char* name) {
  auto* w = new QPlainTextEdit(parent);
  w->setObjectName(name);
  return w;
}

QComboBox* NewComboBox(QWidget* parent, const char* name) {
  auto* w = new QComboBox(parent);
  w->setObjectName(name);
  return w;
}

QGroupBox* NewFrame(QWidget* parent, const char* name, const std::string& caption) {
  auto* w = new QGroupBox(Q(caption), parent);
  w->setObjectName(name);
  return w;
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const std::string& caption) {
  auto* w = new QCheckBox(Q(caption), parent);
  w->setObjectName(name);
  return w;
}

void OptionArray::Create(QWidget* parent, const char* name, int count) {
  for (int i = 0; i < count; ++i) {
    auto* b = new QRadioButton(parent);
    b->setObjectName(QString("%1(%2)").arg(name).arg(i));
    QObject::connect(b, &QRadioButton::clicked, b, [this, i] {
      if (onClick) onClick(i);
    });
    buttons_.push_back(b);
  }
}

int OptionArray::Value() const {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i]->isChecked()) return static_cast<int>(i);
  return -1;
}

void OptionArray::Click(int index) {
  if (index < 0 || index >= Count()) return;
  buttons_[static_cast<std::size_t>(index)]->setChecked(true);
  if (onClick) onClick(index);
}

void OptionArray::SetValue(int index) {
  if (index < 0 || index >= Count()) return;
  buttons_[static_cast<std::size_t>(index)]->setChecked(true);
}

void SetControlText(QWidget* form, const char* control, const std::string& text) {
  if (!form) return;
  QObject* c = form->findChild<QObject*>(QString::fromLatin1(control));
  if (auto* l = qobject_cast<QLabel*>(c)) l->setText(Q(text));
  else if (auto* b = qobject_cast<QAbstractButton*>(c)) b->setText(Q(text));
  else if (auto* e = qobject_cast<QLineEdit*>(c)) e->setText(Q(text));
  else if (auto* g = qobject_cast<QGroupBox*>(c)) g->setTitle(Q(text));
  else if (auto* p = qobject_cast<QPlainTextEdit*>(c)) p->setPlainText(Q(text));
}

std::string ControlText(QWidget* form, const char* control) {
  if (!form) return {};
  QObject* c = form->findChild<QObject*>(QString::fromLatin1(control));
  if (auto* l = qobject_cast<QLabel*>(c)) return S(l->text());
  if (auto* b = qobject_cast<QAbstractButton*>(c)) return S(b->text());
  if (auto* e = qobject_cast<QLineEdit*>(c)) return S(e->text());
  if (auto* g = qobject_cast<QGroupBox*>(c)) return S(g->title());
  if (auto* p = qobject_cast<QPlainTextEdit*>(c)) return S(p->toPlainText());
  if (auto* cb = qobject_cast<QComboBox*>(c)) return S(cb->currentText());
  return {};
}

}  // namespace ui
