// Helpers the batch windows share: the caption language, the main window's
// summary labels that the dialogs write, and the Escape key of the dialogs.
#pragma once

#include <QString>

#include <string>

#include "core/model/CalcMessages.h"
#include "platform/ui/Form.h"

namespace batchui {

// Name of the batch program's main window (the dialogs write its labels).
inline constexpr const char* kMainWindow = "frmBatchDistillationMain";

// True when the captions are English (`Language` 1).
bool English();
// The text for the current language.
std::string Pick(const char* japanese, const char* english);
QString QPick(const char* japanese, const char* english);

// `Prog_Title` followed by the dialog's title word.
QString Caption(const char* japanese, const char* english);

// Writes a label of the main window (nothing happens when it is not loaded).
void Write_Main_Label(const char* label, const std::string& text);
// Shows or hides a control of the main window.
void Set_Main_Visible(const char* control, bool visible);

// A number as the summary labels and text boxes show it (general number text).
std::string General(double value);

// The part of a path after its last separator.
std::string Name_Part(const std::string& path);

// A batch input dialog: Escape unloads it without storing, like Cancel.
class BatchDialog : public ui::Form {
  Q_OBJECT

 public:
  using ui::Form::Form;
  void Form_KeyDown(int& keyCode, int shift) override;
  void cmdCancel_Click();
};

}  // namespace batchui
