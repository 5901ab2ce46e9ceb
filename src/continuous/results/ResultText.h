// Captions of the result windows by the language flag: 0 Japanese, 1 English;
// any other flag leaves a control's caption as the window was built.
#pragma once

#include <QString>

#include <string>

class QWidget;

namespace results {

bool KnownLanguage();
bool English();
// The Japanese or the English text by the flag (Japanese for any other flag).
std::string Pick(const char* japanese, const char* english);
// Sets the caption of a button, label or frame for flags 0 and 1 only.
void SetCaption(QWidget* control, const char* japanese, const char* english);

}  // namespace results

#include "core/model/CalcMessages.h"

namespace results {

// Shows the calculation libraries' messages in message boxes while a window is
// loaded, and gives the previous receiver back when it unloads.
class MessageSink {
 public:
  void Install();
  void Restore();

 private:
  CalcMessageHandler previous_;
  bool installed_ = false;
};

}  // namespace results
