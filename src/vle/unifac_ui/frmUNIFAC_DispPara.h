// The main-group interaction matrix of the UNIFAC parameter file: registered
// pairs coloured in the lower triangle, the two parameters of a clicked pair.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

// Window heights in twips: without and with the pair frame below.
inline constexpr int kDispParaHeight = 8100;
inline constexpr int kDispParaHeightPair = 8880;

class frmUNIFAC_DispPara : public ui::Form {
  Q_OBJECT

 public:
  frmUNIFAC_DispPara();
  void Form_Load() override;
  void Form_KeyDown(int& keyCode, int shift) override;
  void vaSpread1_Click(int col, int row);
  void cmdExit_Click();

  void SetHeightTwips(int twips);
  int HeightTwips() const { return heightTwips_; }

  ui::SpreadGrid* vaSpread1;
  QGroupBox* fraPara;
  QLabel* lblNam1;
  QLabel* lblNam2;
  QLabel* lblPara12;
  QLabel* lblPara21;
  QPushButton* cmdExit;

 private:
  int heightTwips_ = 0;
};
