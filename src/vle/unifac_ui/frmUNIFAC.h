// The UNIFAC program's main window: the two components with their Antoine
// constants, pressure and temperature, the subgroup counts of each component,
// the examples, and the buttons to the result, parameter and reference windows.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/model/CalcMessages.h"
#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"
#include "vle/unifac/UnifacEntry.h"

// Window height in twips (the subgroup grid and the buttons fit above it).
inline constexpr int kUnifacMainHeight = 9480;

class frmUNIFAC : public ui::Form {
  Q_OBJECT

 public:
  frmUNIFAC();
  void Form_Load() override;
  // Captions follow a language chosen on the menu while the window was open.
  void Form_Activate() override;
  void Form_Unload() override;

  void vaSpreadAntoine_Click(int col, int row);
  void vaSpread2_Click(int col, int row);
  void txtPress_Click();
  void txtTemp_Click();
  void cmdDBAntoine_Click();
  void cmdCalc_Click();
  void cmdExample1_Click();
  void cmdExample2_Click();
  void cmdDispPara_Click();
  void cmdReference_Click();
  void cmdVersion_Click();
  void cmdExit_Click();

  // Empties the "x1" and "x2" cells of every shown subgroup row.
  void Clear_Group_Count();
  // What the controls hold, as the estimate start reads it.
  unifac::UnifacEntry Read_Entry() const;

  // Grid position of subgroup k (1..88): column of its "x1" cell (i = 1) or
  // "x2" cell (i = 2), and its row.
  static int Count_Col(int k, int comp);
  static int Count_Row(int k);

  ui::SpreadGrid* vaSpreadAntoine;
  QLabel* lblAntoine;
  QPushButton* cmdDBAntoine;
  QLineEdit* txtPress;
  QLabel* lblPress;
  QLabel* lblPressUnit;
  QLineEdit* txtTemp;
  QLabel* lblTemp;
  QLabel* lblTempUnit;
  ui::SpreadGrid* vaSpread2;
  QGroupBox* fraPara;
  QLabel* lblNam;
  QLabel* lblParaR;
  QLabel* lblParaQ;
  QPushButton* cmdCalc;
  QPushButton* cmdExample1;
  QPushButton* cmdExample2;
  QPushButton* cmdDispPara;
  QPushButton* cmdReference;
  QPushButton* cmdVersion;
  QPushButton* cmdExit;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Set_Captions();
  int captionLanguage_ = -1;
  void Fill_Subgroup_Grid();
  void Write_Entry(const unifac::UnifacEntry& entry);
  void Hide_Lookup_And_Para();

  CalcMessageHandler previousHandler_;
  bool handlerInstalled_ = false;
};
