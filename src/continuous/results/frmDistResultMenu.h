// The column's result menu: the composition and temperature profile graphs of
// the last run (or of a case read with results), and the buttons that open the
// balance, stage and feed/product windows and the graph-division dialog.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"

class frmDistResultMenu : public ui::Form {
  Q_OBJECT

 public:
  frmDistResultMenu();
  void Form_Load() override;
  void Form_Activate() override;

  void cmdResultGraphPrint_Click();
  void cmdResultGraphScale_Click();
  void cmdResultBalance_Click();
  void cmdResultTray_Click();
  void cmdResultProd_Click();
  void cmdResultExit_Click();
  void Picture1_Click();
  void Picture2_Click();

  ui::PictureBox* Picture1;
  ui::PictureBox* Picture2;
  QPushButton* cmdResultGraphPrint;
  QPushButton* cmdResultGraphScale;
  QPushButton* cmdResultBalance;
  QPushButton* cmdResultTray;
  QPushButton* cmdResultProd;
  QPushButton* cmdResultExit;
  QLabel* lblResultNotConverged;  // "Not converged" and why, when the results are no solution
};
