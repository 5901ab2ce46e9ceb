// The tower dialog: plates, reflux ratio, top products, top and bottom pressures
// and the initial temperature estimates of the column.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

#include "platform/ui/Form.h"

class frmDistTower : public ui::Form {
  Q_OBJECT

 public:
  frmDistTower();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  void cmdTowerOK_Click();
  void cmdTowerCancel_Click();

  QLineEdit* txtTowerNT;       // NT, plates
  QLineEdit* txtTowerRR;       // Reflux_Ratio
  QLineEdit* txtTowerU1;       // Top_Liq_Prod, kmol/h
  QLineEdit* txtTowerW1;       // Top_Vap_Prod, kmol/h
  QLineEdit* txtTowerPTop;     // P_Top, display pressure unit
  QLineEdit* txtTowerPBottom;  // P_Bottom
  QLineEdit* txtTowerTTop;     // T_Top_Est, display temperature unit
  QLineEdit* txtTowerTBottom;  // T_Bottom_Est
  QLabel* lblTowerMaxNT;
  QLabel* lblTowerPressUnit;
  QLabel* lblTowerTempUnit;
  QPushButton* cmdTowerOK;
  QPushButton* cmdTowerCancel;

 private:
  // The caption of label (and of `second`, when given), naming a box in a refusal.
  std::string Field(const char* label, const char* second = nullptr);
};
