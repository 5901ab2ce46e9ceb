// The product plan dialog: operating type, number of tank changes and, per
// tank, reflux ratio, distillate rate or reboiler duty and change condition.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>

#include "batch/ui/BatchUiCommon.h"
#include "platform/ui/Controls.h"

class frmBatchProduct : public batchui::BatchDialog {
  Q_OBJECT

 public:
  static constexpr int kTanks = 5;
  static constexpr int kMaxChanges = kTanks - 1;

  frmBatchProduct();
  void Form_Load() override;
  void Form_Activate() override;

  void optOpeType_Click(int index);
  void optCond_Click(int index);
  void txtProdChange_Change();
  void cmdOK_Click();

  QGroupBox* fraProdType;
  ui::OptionArray optOpeType;
  QLabel* lblProdChange;
  QLineEdit* txtProdChange;
  QLabel* lblOpeMax;
  // Per tank i (tank i + 1); optCond has 2i (total quantity) and 2i + 1 (component).
  std::array<QGroupBox*, kTanks> fraTank{};
  std::array<QLabel*, kTanks> lblReflux{};
  std::array<QLineEdit*, kTanks> txtReflux{};
  std::array<QLabel*, kTanks> lblProd_Qreb{};
  std::array<QLineEdit*, kTanks> txtProd_Qreb{};
  std::array<QLabel*, kTanks> lblUnitProd_Qreb{};
  std::array<QGroupBox*, kTanks> fraOpeType{};
  ui::OptionArray optCond;
  std::array<QLineEdit*, kTanks> txtWeight{};
  std::array<QComboBox*, kTanks> cboMolWt{};
  std::array<QLineEdit*, kTanks> txtCompNo{};
  std::array<QLineEdit*, kTanks> txtFr{};
  std::array<QComboBox*, kTanks> cboMolWtFr{};
  std::array<QComboBox*, kTanks> cboUpDown{};
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 private:
  // Shows the amount row or the component row of tank i.
  void Show_Condition_Row(int i, bool amount);
  // The count as typed: rounded, halves to even.
  long long Typed_Count() const;
  void Refuse(const std::string& japanese, const std::string& english);
};
