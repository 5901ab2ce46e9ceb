// The result window of the estimation program: the case summary, the fit run
// when the window loads, the x-y, T-x-y or P-x-y and activity-coefficient
// diagram redrawn at every activation, the read-out of a clicked point, and
// the scale, parameter and database-save dialogs.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <string>

#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"
#include "vle/estimation/VLEFit.h"
#include "vle/estimation_ui/VLEDiagram.h"

// Window heights, twips: without and with the read-out frame (which lies below
// the last button, so that the button stays whole and clickable).
inline constexpr int kVleCalcHeightCollapsed = 6510;
inline constexpr int kVleCalcHeightExpanded = 7800;

class frmVLE_Calc : public ui::Form {
  Q_OBJECT

 public:
  frmVLE_Calc();
  void Form_Load() override;
  void Form_Activate() override;

  // Clears the picture and draws the whole diagram from the parameters in force.
  void Draw_Graph();
  void picCalc_MouseDown(int button, int shift, double x, double y);
  void cmdCaclScale_Click();
  void cmdCalcChangePara_Click();
  void cmdDBSaveParameter_Click();
  void cmdCalcExit_Click();

  void SetHeightTwips(int twips);
  int HeightTwips() const { return heightTwips_; }
  const vlediagram::PlotFrame& Frame() const { return frame_; }
  // How the fit of the last load ended (Refused when no fit ran).
  const vlefit::FitResult& Fit() const { return fit_; }

  ui::PictureBox* picCalc;
  QLabel* lblCalcComp1;
  QLabel* lblCalcComp2;
  QGroupBox* fraCalcAntoine;
  QLabel* lblCalcAntoine_A;
  QLabel* lblCalcAntoine_B;
  QLabel* lblCalcAntoine_C;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* lblCalcAntoine_A1;
  QLabel* lblCalcAntoine_B1;
  QLabel* lblCalcAntoine_C1;
  QLabel* lblCalcAntoine_A2;
  QLabel* lblCalcAntoine_B2;
  QLabel* lblCalcAntoine_C2;
  QLabel* lblCalcTP;
  QLabel* lblCalcTPData;
  QLabel* lblCalcTPUnit;
  QGroupBox* fraCalcParameter;
  QLabel* lblCalcPara12;
  QLabel* lblCalcPara21;
  QLabel* lblCalcPara12Data;
  QLabel* lblCalcPara21Data;
  QLabel* lblCalcAlpha;
  QLabel* lblCalcAlphaData;
  QGroupBox* fraCalcPHI;
  QLabel* lblCalcPHIType;
  QLabel* lblCalcPHI;
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
  QLabel* lblinput1;
  QLabel* lblinput2;
  QLabel* lblY1InputData;
  QLabel* lblTPInputData;
  QPushButton* cmdCaclScale;
  QPushButton* cmdCalcChangePara;
  QPushButton* cmdDBSaveParameter;
  QPushButton* cmdCalcExit;

 private:
  void Set_Captions();
  int captionLanguage_ = -1;
  void Show_Condition();
  void Show_Parameters();
  void Draw_Grid();
  void Draw_Axes();
  void Draw_Curves();
  void Draw_Points();
  void Write_Fit_Labels();
  void PrintAt(double x, double y, int colour, const std::string& text);
  void Show_Readout(const vlediagram::Readout& r);

  vlediagram::PlotFrame frame_;
  vlefit::FitResult fit_;
  int heightTwips_ = 0;
};
