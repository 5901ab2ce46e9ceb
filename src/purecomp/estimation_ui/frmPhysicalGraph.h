// The estimation's results as four graphs over the estimation range: vapour
// pressure on a logarithmic axis, the ideal-gas and liquid heat capacities, the
// two liquid-density equations and the heat of vaporisation.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <functional>

#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"
#include "purecomp/estimation_ui/BilingualCaptions.h"

class frmPhysicalGraph : public ui::Form {
  Q_OBJECT

 public:
  frmPhysicalGraph();
  void Form_Load() override;
  void Form_Activate() override;
  void cmdExit_Click();

  void Graph_Est_Vapor_Press();
  void Graph_Est_Heat_Capacity();
  void Graph_Est_Liq_Density();
  void Graph_Est_Latent_Heat();

  ui::PictureBox* Picture1;
  ui::PictureBox* Picture2;
  ui::PictureBox* Picture3;
  ui::PictureBox* Picture4;
  QLabel* lbl;
  QLabel* lblIHeatCapacity;
  QLabel* lblLiqCapacity;
  QLabel* lblLiqDensity2;
  QLabel* lblLiqDensity1;
  QLabel* lblLatentHeat;
  QPushButton* cmdExit;

 private:
  void Draw_All();
  void Apply_Language();
  BilingualCaptions captions_;
};

// Axis arithmetic of the graphs (whole twips, halves to even).
namespace physgraph {
// Temperature axis ends: 10 floor(low/10) and 10 floor(high/10 + 0.9).
double Axis_Low(double lowC);
double Axis_High(double highC);
// Value axis ends: floor(100 ymin - 1)/100 and floor(100 ymax + 9)/100.
double Value_Low(double ymin);
double Value_High(double ymax);
}  // namespace physgraph
