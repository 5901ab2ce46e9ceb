// The liquid-composition profile over the column: replayed record by record
// from a history file (kind 4), or the profile at total-reflux convergence
// (kind 5). Tank changes of the withdrawal are announced; a total-reflux
// replay can go on with the withdrawal.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "batch/results/BatchResultCommon.h"
#include "platform/ui/PictureBox.h"

class frmBatchResultGraph1 : public batchres::ResultForm {
  Q_OBJECT

 public:
  frmBatchResultGraph1();
  void Form_Load() override;
  // Queues the replay, so that it runs with the window on the screen.
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  // The work of the activation (the queued work; tests may call it).
  void Draw_Graph();
  void Frame_And_Legend();
  void Play_Profile_History();
  void cmdProdData_Click();
  void Picture1_Click();
  void cmdExit_Click() override;

  bool Drawing() const { return drawing_; }
  bool Draw_Pending() const { return pending_; }

  ui::PictureBox* Picture1;
  ui::PictureBox* Picture3;
  QLabel* lblTitle;
  QLabel* lblTime;
  QLabel* lblHour;
  QPushButton* cmdProdData;
  QPushButton* cmdExit;

 private:
  BatchRunCase run_;  // the case of the run drawn
  void Show_Time();
  bool pending_ = false;
  bool drawing_ = false;
};
