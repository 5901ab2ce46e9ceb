// Small helpers over Qt's widgets for the controls the windows are built from:
// captions with "&X" accelerators, arrays of option buttons with an Index, and
// placing controls on a form in twips.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace ui {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

// Twips (1/1440 inch; 15 to a pixel on the program's screens) to pixels.
constexpr int Px(double twips) { return static_cast<int>(twips / 15.0 + 0.5); }
// Puts a control at (left, top) with (width, height), all in twips.
void Place(QWidget* w, double left, double top, double width, double height);

// Creates a named control on `parent`.
QLabel* NewLabel(QWidget* parent, const char* name, const std::string& caption = "");
QPushButton* NewButton(QWidget* parent, const char* name, const std::string& caption = "");
QLineEdit* NewTextBox(QWidget* parent, const char* name);
QPlainTextEdit* NewMultiLineTextBox(QWidget* parent, const char* name);
QComboBox* NewComboBox(QWidget* parent, const char* name);
QGroupBox* NewFrame(QWidget* parent, const char* name, const std::string& caption = "");
QCheckBox* NewCheckBox(QWidget* parent, const char* name, const std::string& caption = "");

// An array of option buttons sharing one name, reached by Index (0-based as
// the windows number them). Click events carry the index.
class OptionArray {
 public:
  OptionArray() = default;
  // Creates `count` buttons named "<name>(i)" on `parent`.
  void Create(QWidget* parent, const char* name, int count);
  QRadioButton* operator[](int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
  int Count() const { return static_cast<int>(buttons_.size()); }
  // Index of the chosen button, -1 when none.
  int Value() const;
  // Chooses a button as a click would (the click event runs).
  void Click(int index);
  // Chooses a button without running the click event.
  void SetValue(int index);
  std::function<void(int index)> onClick;

 private:
  std::vector<QRadioButton*> buttons_;
};

// Text of a control by name on a loaded form (labels, buttons, text boxes,
// frames); nothing happens when the form or the control is absent.
void SetControlText(QWidget* form, const char* control, const std::string& text);
std::string ControlText(QWidget* form, const char* control);

}  // namespace ui
