// What the group-contribution dialogs of the property estimation share: the
// group grid with the kept counts, the estimate and exit buttons and the result
// labels. Each dialog is a subclass named after its window.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <vector>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"
#include "purecomp/estimation/GroupContribution.h"

class PhysGroupDialog : public ui::Form {
  Q_OBJECT

 public:
  void Form_Load() override;
  void Form_Activate() override;

  // The estimate button: sums the counts of the grid into the estimation's values.
  void cmdEstimation_Click();
  void cmdExit_Click();

  // True once Estimate stored a result during this opening.
  bool Estimated() const { return estimated_; }
  // A row with a contribution for which no published value is at hand (Vc
  // aside in the Tc, Pc, Vc dialogs): its count cell is locked and the row
  // greyed from the opening on.
  bool Row_Without_Values(int row) const;
  // A row of a Tc, Pc, Vc dialog that has Tc and Pc but no published Vc: it can
  // be counted, and Vc is then not estimated.
  bool Row_Without_Vc(int row) const;

  // Column 2 of rows 1..N as typed.
  std::vector<std::string> Count_Texts() const;

  ui::SpreadGrid* vaSpread1;
  QPushButton* cmdEstimation;  // "cmdEstimate" in the Lydersen and ideal-gas dialogs
  QPushButton* cmdExit;
  QLabel* lblEstimate;
  QLabel* lblNoValues;  // says why the grey rows cannot be counted
  std::vector<QLabel*> resultTitles;  // lblTc, lblPc, lblVc or lblCp(0..3)
  std::vector<QLabel*> resultData;    // lblTcData, lblPcData, lblVcData or lblCpData(0..3)

 protected:
  PhysGroupDialog(const char* formName, physprop::GroupMethod method, const char* estimateName);

 private:
  void Show_Results();
  void Apply_Language();
  physprop::GroupMethod method_;
  bool estimated_ = false;
};
