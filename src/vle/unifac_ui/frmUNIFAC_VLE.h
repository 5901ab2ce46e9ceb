// The UNIFAC result window: computes the 201-point bubble-point curve and the
// Wilson parameters while it loads, shows the constants, and draws the y-x,
// bubble-temperature and activity-coefficient diagram with a point read-out.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"
#include "vle/unifac/UnifacCalc.h"

// Window heights in twips: without and with the read-out frame below.
inline constexpr int kUnifacVleHeight = 5730;
inline constexpr int kUnifacVleHeightPoint = 6780;

class frmUNIFAC_VLE : public ui::Form {
  Q_OBJECT

 public:
  frmUNIFAC_VLE();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  // Clears picCalc and draws the curve of the last computation.
  void Draw_VLE_Diagram();
  void picCalc_MouseDown(int button, int shift, double x, double y);
  void cmdExit_Click();

  void SetHeightTwips(int twips);
  int HeightTwips() const { return heightTwips_; }

  // Outcomes of the computation done by the load.
  unifac::CurveResult Curve;
  unifac::WilsonResult Wilson;

  // Frame of the diagram (picture units) and its axes, kept for the read-out.
  int Plot_Left = 0, Plot_Top = 0, Plot_Right = 0, Plot_Bottom = 0, Plot_Height = 0;
  double Plot_TP_Span = 0, Plot_TP_Step = 0, Plot_Gamma_Max = 0;

  ui::PictureBox* picCalc;
  QGroupBox* fraAntoine;
  QLabel* lblA;
  QLabel* lblB;
  QLabel* lblC;
  QLabel* lblCompName[2];
  QLabel* lblAntoine_A[2];
  QLabel* lblAntoine_B[2];
  QLabel* lblAntoine_C[2];
  QLabel* lblPress;
  QLabel* lblPressData;
  QLabel* lblPressUnit;
  QGroupBox* fraWilsonParameter;
  QLabel* lblWilsonPara[2];
  QLabel* lblWilsonParaData[2];
  QGroupBox* fraPoint;
  QLabel* lblX1;
  QLabel* lblX1Data;
  QLabel* lblY1;
  QLabel* lblY1Data;
  QLabel* lblGamma1;
  QLabel* lblGamma1Data;
  QLabel* lblGamma2;
  QLabel* lblGamma2Data;
  QLabel* lblTP;
  QLabel* lblTPData;
  QLabel* lblTPUnit;
  QPushButton* cmdExit;

 private:
  void Set_Captions();
  int captionLanguage_ = -1;
  void Show_Inputs();
  void Show_Wilson();

  int heightTwips_ = 0;
};
