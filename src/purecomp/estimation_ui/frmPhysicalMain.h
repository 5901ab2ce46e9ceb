// The property-estimation program's main window: the component's data, the
// choice of methods, the estimation run through the group dialogs and the
// correlations, and the results with their fitted coefficients.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/model/CalcMessages.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "purecomp/estimation/PhysData.h"
#include "purecomp/estimation_ui/BilingualCaptions.h"

class frmPhysicalMain : public ui::Form {
  Q_OBJECT

 public:
  frmPhysicalMain();
  void Form_Load() override;
  void Form_Unload() override;
  void Form_Activate() override;

  void cmdEstimation_Click();
  void cmdDispEstData_Click();
  void cmdDispGraph_Click();
  void cmdVersion_Click();
  void cmdExit_Click();
  void optCpIdeal_Click(int index);
  void optCpLiquid_Click(int index);
  void optLiqDensity_Click(int index);

  // The fits' work state of this window.
  physprop::FitWork Fit;

  QLabel* lblHeader;
  QLineEdit* txtComponentName;
  QLineEdit* txtMolWeight;
  QLineEdit* txtBubblePointTemp;
  QLineEdit* txtTotalAtom;
  QLineEdit* txtTempLow;
  QLineEdit* txtTempHigh;
  QLineEdit* txtCpL_R;
  QLineEdit* txtCpL_K;
  QLabel* lblCpL_R;
  QLabel* lblLymanDanner;  // why Lyman-Danner cannot be chosen
  QLabel* lblCpL_K;
  QLineEdit* txtLiqD_Tref;
  QLineEdit* txtLiqD_Dref;
  QLabel* lblLiqD_Tref;
  QLabel* lblLiqD_Dref;
  QGroupBox* fraTcPcVc;
  QGroupBox* fraOmg;
  QGroupBox* fraVaporPress;
  QGroupBox* fraCpIdeal;
  QGroupBox* fraCpLiquid;
  QGroupBox* fraLiqDensity;
  ui::OptionArray optTcPcVc;
  ui::OptionArray optOmg;
  ui::OptionArray optVaporPress;
  ui::OptionArray optCpIdeal;
  ui::OptionArray optCpLiquid;
  ui::OptionArray optLiqDensity;
  QLabel* lblTcEst;
  QLabel* lblPcEst;
  QLabel* lblVcEst;
  QLabel* lblTbEst;
  QLabel* lblOmgEst;
  QLabel* lblAntoineAEst;
  QLabel* lblAntoineBEst;
  QLabel* lblAntoineCEst;
  QLabel* lblCpIdealEst[4];   // lblCpIdealAEst .. lblCpIdealDEst
  QLabel* lblCpLiqEst[3];     // lblCpLiqAEst .. lblCpLiqCEst
  QLabel* lblHvEst[3];        // lblHvAEst .. lblHvCEst
  QLabel* lblDenLiq2Est[3];   // lblDenLiq2AEst .. lblDenLiq2CEst
  QLabel* lblDenLiq1Est[2];   // lblDenLiq1AEst, lblDenLiq1BEst
  QPushButton* cmdEstimation;
  QPushButton* cmdDispEstData;
  QPushButton* cmdDispGraph;
  QPushButton* cmdVersion;
  QPushButton* cmdExit;

 private:
  // False when the step failed: its message is shown and the run ends there.
  bool Step_Ok(physprop::PhysStatus status, const char* stepJa, const char* stepEn);
  // Captions in the language chosen now (also after a switch while loaded).
  void Apply_Language();
  // Empties every result label (a new run shows only what it computes).
  void Clear_Result_Labels();
  void Show_Critical();
  void Show_Density();
  bool Run_Liquid_Cp();
  bool Run_Density();

  BilingualCaptions captions_;
  CalcMessageHandler previousHandler_;
  bool handlerInstalled_ = false;
};
