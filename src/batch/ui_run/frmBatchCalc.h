// The window in which a batch calculation runs and is watched: the plate
// profile, the history of the top and still compositions, the operating time
// and the phase, the buttons of the run-time windows and the abort/exit button.
// The whole run happens inside its load handler, one time step per yield to
// the window events; afterwards the window shows the final state until the
// user leaves it.
#pragma once

#include <QLabel>
#include <QPushButton>

#include <functional>
#include <string>

#include "batch/run/BatchRun.h"
#include "core/model/CalcMessages.h"
#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"

class frmBatchCalc : public ui::Form {
  Q_OBJECT

 public:
  frmBatchCalc();
  ~frmBatchCalc() override;
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload() override;

  void cmdMenu1_Click();
  void cmdMenu2_Click();
  void cmdMenu3_Click();
  void cmdMenu4_Click();
  void cmdMenu5_Click();
  void cmdMenu6_Click();
  void cmdOK_Click();
  void Picture1_Click();

  // One time step of the live history graph, the time box, and the scroll when
  // the plot is full.
  void Graph_Tray_Profile2();

  bool Running() const { return running_; }
  BatchEnd RunEnd() const { return end_; }

  // Called in every yield of a run, after the pending window events (tests act
  // on the running window here).
  static std::function<void(frmBatchCalc&)> Yield_Hook;

  ui::PictureBox* Picture1;
  ui::PictureBox* Picture2;
  ui::PictureBox* Picture2A;
  ui::PictureBox* Picture3;
  QLabel* lblTrayProfile;
  QLabel* lblCalc;
  QLabel* lblCalType;
  QLabel* lblCalTime;
  QLabel* lblCalcTimeUnit;
  QPushButton* cmdMenu[7];  // 1..6
  QPushButton* cmdOK;

 private:
  class Host;
  friend class Host;

  void Set_Captions();
  void Batch_Calc();
  void Draw_Start_Graphs();
  void Show_Start_Captions();
  void Show_Withdrawal_Captions();
  void Show_Ended_Captions();
  void Print_Time_Box();
  void Leave();

  bool running_ = false;
  BatchEnd end_ = BatchEnd::None;
  CalcMessageHandler previousHandler_;
  bool handlerInstalled_ = false;
};
