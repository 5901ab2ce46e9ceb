// The charge dialog: total charge of the still and its composition.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <vector>

#include "batch/ui/BatchUiCommon.h"
#include "platform/ui/SpreadGrid.h"

class frmBatchFeed : public batchui::BatchDialog {
  Q_OBJECT

 public:
  frmBatchFeed();
  void Form_Load() override;
  void Form_Activate() override;

  // The basis list leaves the focus (or an entry is picked): the basis is stored at once.
  void cboFeedUnit_LostFocus();
  void cmdOK_Click();

  // Puts the basis list on `Feed_Comp_Unit`.
  void Select_Feed_Unit();

  QLabel* lblTitle;
  QLabel* lblFeed;
  QLineEdit* txtFeed;
  QComboBox* cboFeedUnit;
  ui::SpreadGrid* vaSpread1;  // rows 1..NC: component name, fraction
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Set_Captions();
  void Write_Fraction_Header();
  void Fill_Rows();
  bool Read_Rows(double& total, std::vector<double>& fractions);
  void Take_Rows(double total, const std::vector<double>& fractions);
};
