// Captions of a window kept in Japanese and English and set in the language
// chosen now, so that a window loaded before the language was switched follows
// the switch when it is shown again.
#pragma once

#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

class BilingualCaptions {
 public:
  enum class Kind { Text, ToolTip };
  // Registers a label, button, option or frame caption and sets it now.
  QWidget* Add(QWidget* widget, const char* ja, const char* en, Kind kind = Kind::Text);
  // Sets every registered caption in the language of Case.Language.
  void Apply() const;

 private:
  struct Item {
    QPointer<QWidget> widget;
    std::string ja, en;
    Kind kind;
  };
  static void Set(const Item& item);
  std::vector<Item> items_;
};

