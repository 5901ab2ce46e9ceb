// Captions of the result windows by the language flag: 0 Japanese, 1 English;
// any other flag leaves a control's caption as the window was built.
#pragma once

#include <QString>

#include <string>

class QLabel;
class QWidget;

namespace results {

bool KnownLanguage();
// Sets the caption of a button, label or frame for flags 0 and 1 only.
void SetCaption(QWidget* control, const char* japanese, const char* english);

// The label that says, inside a result window, that the results shown are not
// converged (Dist_Result_Warning), in red and wrapped; hidden until ShowWarning.
QLabel* NewWarningLabel(QWidget* parent, const char* name);
// Shows the warning for the results in the case, or hides the label when there is none.
void ShowWarning(QLabel* label);

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
