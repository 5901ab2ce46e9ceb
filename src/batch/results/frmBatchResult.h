// The result menu of the batch program: graph scale and divisions, the data
// source, the plate of the plate graph, and one button per result window.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "batch/results/BatchResultCommon.h"
#include "platform/ui/Controls.h"

class frmBatchResult : public batchres::ResultForm {
  Q_OBJECT

 public:
  frmBatchResult();
  void Form_Load() override;
  void Form_Activate() override;

  void optGraphScale_Click(int index);
  void optData_Click(int index);
  void txtGraphDiv_Change();
  void txtTrayNo_Change();
  void cmdMenu1_Click();
  void cmdMenu2_Click();
  void cmdMenu3_Click();
  void cmdMenu4_Click();
  void cmdMenu5_Click();
  void cmdMenu6_Click();
  void cmdMenu7_Click();
  void cmdMenu8_Click();
  void cmdMenu9_Click();
  void cmdMenuA_Click();
  void cmdMenuL_Click();
  void cmdOK_Click() { cmdExit_Click(); }

  QGroupBox* fraGraphScale;
  ui::OptionArray optGraphScale;
  QLabel* lblGraphDiv;
  QLineEdit* txtGraphDiv;
  QGroupBox* fraData;
  ui::OptionArray optData;
  QLineEdit* txtTrayNo;
  QPushButton* cmdMenu1;
  QPushButton* cmdMenu2;
  QPushButton* cmdMenu3;
  QPushButton* cmdMenu4;
  QPushButton* cmdMenu5;
  QPushButton* cmdMenu6;
  QPushButton* cmdMenu7;
  QPushButton* cmdMenu8;
  QPushButton* cmdMenu9;
  QPushButton* cmdMenuA;
  QPushButton* cmdMenuL;
  QPushButton* cmdOK;

 private:
  void Graph(int kind, const char* window);
  static void Open(const char* window);
};
