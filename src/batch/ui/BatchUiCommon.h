// Helpers the batch windows share: the caption language, the main window's
// summary labels that the dialogs write, and the Escape key of the dialogs.
#pragma once

#include <QString>

#include <string>
#include <vector>

#include "core/model/CalcMessages.h"
#include "platform/ui/Form.h"

namespace batchui {

// Name of the batch program's main window (the dialogs write its labels).
inline constexpr const char* kMainWindow = "frmBatchDistillationMain";

// `Prog_Title` followed by the dialog's title word.
QString Caption(const char* japanese, const char* english);

// Writes a label of the main window (nothing happens when it is not loaded).
void Write_Main_Label(const char* label, const std::string& text);
// Shows or hides a control of the main window.
void Set_Main_Visible(const char* control, bool visible);

// A number as the summary labels and text boxes show it (general number text).
std::string General(double value);

// The number typed in a box or cell: true with `value` when the whole text is
// one finite number; otherwise the refusal naming the field is shown (program
// title) and `value` is left alone.
bool Read_Number(const std::string& text, const std::string& field, double& value);
// A count typed in a box: wholly a number, rounded, within lo..hi; else refused as above.
bool Read_Count(const std::string& text, const std::string& field, long long lo, long long hi, long long& value);

// The charge and what the still holds of it, in the charge's own basis
// (Feed_Comp_Unit: kmol, or kg through the molar masses), and that basis' unit.
struct ChargeFigures {
  double total = 0, still = 0;
  std::string unit;
};
ChargeFigures Charge_In_Basis();

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
