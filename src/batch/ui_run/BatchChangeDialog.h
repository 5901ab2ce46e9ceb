// The family of the six run-time change dialogs: each shows the operating time
// and one value in force during a batch run, offers it for editing, and on OK
// replaces it and logs the change in the run log when the typed value differs.
// The run reads the new value from its next time step.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

#include "batch/model/BatchData.h"
#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

// What one dialog of the family changes and how it is captioned.
struct BatchChangeSpec {
  const char* formName;
  const char* title[2];        // window title after Prog_Title (Japanese, English)
  const char* oldCaption[2];   // caption of the value in force
  const char* newCaption[2];   // caption of the new value
  const char* eventText[2];    // text of the log line, ending in "Old="
  const char* controls[4];     // names: old caption, old value, new caption, new value box
  const char* unitLabels[2];   // names of the two unit labels, nullptr when none
  double BatchData::*value;    // the value in force
  bool heat;                   // shown and typed in the display heat unit
  bool residuals;              // shows the plate residuals of the total-reflux test
  // The smallest value the run can work with; a value below it (or at it, when
  // the floor is not allowed) is refused with `refusal`.
  double floor;
  bool floorAllowed;
  const char* refusal[2];
};

class BatchChangeDialog : public ui::Form {
  Q_OBJECT

 public:
  explicit BatchChangeDialog(const BatchChangeSpec& spec);
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdOK_Click();
  void cmdCancel_Click();

  QLabel* lblTime;
  QLabel* lblTimeValue;
  QLabel* lblOld;        // named after the dialog's value (lblDiffTime, ...)
  QLabel* lblOldValue;
  QLabel* lblNew;
  QLineEdit* txtNew;
  QLabel* lblUnit1 = nullptr;
  QLabel* lblUnit2 = nullptr;
  QLabel* lblConvError = nullptr;
  ui::SpreadGrid* vaSpread1 = nullptr;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 private:
  void Fill_Residuals();
  // The value in force as the dialog shows it (display heat unit for a duty).
  double Shown_Value() const;
  // The message that refuses a typed value, empty when the run can use it.
  std::string Refusal(double value) const;

  const BatchChangeSpec& spec_;
};

// Highlight of a residual that keeps the total-reflux test from passing.
QColor Batch_Highlight_Colour();
