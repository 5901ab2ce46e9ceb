// A quantity of the column against time from a history file: the liquid
// composition of the top plate and the still (kind 1), their temperatures
// (kind 2) or the composition of one plate (kind 3). Tank changes of the
// withdrawal are marked; a total-reflux graph can go on with the withdrawal.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "batch/results/BatchResultCommon.h"
#include "platform/ui/PictureBox.h"

class frmBatchResultGraph2 : public batchres::ResultForm {
  Q_OBJECT

 public:
  frmBatchResultGraph2();
  void Form_Load() override;
  // Queues the drawing, so that it runs with the window on the screen.
  void Form_Activate() override;

  // The drawing of the activation (the queued work; tests may call it).
  void Draw_Graph();
  void Graph_Composition_Time();
  void Graph_Temperature_Time();
  void cmdProdData_Click();
  void cmdExit_Click() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  bool Drawing() const { return drawing_; }
  bool Draw_Pending() const { return pending_; }

  int Prev_X = 0;
  double Temp_Axis_Top = 0, Temp_Axis_Bottom = 0, Temp_Axis_Range = 0;

  ui::PictureBox* Picture2;
  ui::PictureBox* Picture2A;
  ui::PictureBox* Picture3;
  QLabel* lblTitle;
  QLabel* lblTime;
  QLabel* lblHour;
  QPushButton* cmdProdData;
  QPushButton* cmdExit;

 private:
  // Runs the history file through `plot` record by record; false when stopped.
  template <typename Plot>
  bool Replay(Plot plot);
  void Advance_Time_Axis(double w);
  void Temperature_Axis();
  void PrintOn(ui::PictureBox* pic, double x, double y, int colour, const std::string& text);
  bool pending_ = false;
  bool drawing_ = false;
};
