// What the batch result windows share: captions by language, the message
// boxes titled by the program, the Escape key and the close box, and the run
// files' messages.
#pragma once

#include <QString>

#include <string>

#include "batch/results/BatchResultFiles.h"
#include "core/model/CalcMessages.h"
#include "platform/ui/Form.h"

namespace batchres {

bool English();
std::string Pick(const char* japanese, const char* english);
QString QPick(const char* japanese, const char* english);
// `Prog_Title` followed by the window's title word.
QString Caption(const char* japanese, const char* english);
// A message box with the OK button titled by the program.
void Say(const std::string& text);
// Tells what is wrong with a run file (nothing for Ok and End).
void Say_Run_File(const RunFileResult& r);

// A result window: the calculation libraries' messages reach the user while it
// is loaded; Escape unloads it; the close box is refused.
class ResultForm : public ui::Form {
  Q_OBJECT

 public:
  explicit ResultForm(const QString& name);
  void Form_Load() override;
  void Form_Unload() override;
  void Form_KeyDown(int& keyCode, int shift) override;
  virtual void cmdExit_Click();

 private:
  CalcMessageHandler previous_;
  bool installed_ = false;
};

}  // namespace batchres
