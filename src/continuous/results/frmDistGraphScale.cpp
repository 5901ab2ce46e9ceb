#include "continuous/results/frmDistGraphScale.h"

#include "continuous/results/ResultText.h"
#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"

VZ_FORM_FACTORY(frmDistGraphScale);

frmDistGraphScale::frmDistGraphScale() : ui::Form("frmDistGraphScale") {
  lblGraphScaleText = ui::NewLabel(this, "lblGraphScaleText", "グラフのスケールを変更します。");
  ui::Place(lblGraphScaleText, 240, 240, 3600, 300);
  cboGraphScale = ui::NewComboBox(this, "cboGraphScale");
  for (const char* e : {"～ 0.1", "～ 0.01", "～ 0.001", "～ 0.0001", "～ 0.00001", "～ 0.000001", "～ 0.0000001",
                        "～ 0.00000001", "～ 0.000000001"})
    cboGraphScale->addItem(QString::fromUtf8(e));
  cboGraphScale->setMaxVisibleItems(9);
  ui::Place(cboGraphScale, 240, 660, 2400, 330);
  cmdGraphScaleOK = ui::NewButton(this, "cmdGraphScaleOK", "ＯＫ(&O)");
  ui::Place(cmdGraphScaleOK, 240, 1260, 1200, 375);
  cmdGraphScaleCancel = ui::NewButton(this, "cmdGraphScaleCancel", "取消(&C)");
  ui::Place(cmdGraphScaleCancel, 1560, 1260, 1200, 375);
  connect(cmdGraphScaleOK, &QPushButton::clicked, this, [this] { cmdGraphScaleOK_Click(); });
  connect(cmdGraphScaleCancel, &QPushButton::clicked, this, [this] { cmdGraphScaleCancel_Click(); });
  setFixedSize(ui::Px(4200), ui::Px(1900));
}

void frmDistGraphScale::Form_Load() {
  results::SetCaption(this, "逐次段蒸留計算　ｸﾞﾗﾌｽｹｰﾙ", "Step by Step Distillation Graph Scale");
  results::SetCaption(lblGraphScaleText, "グラフのスケールを変更します。", "Change Graph Scale");
  results::SetCaption(cmdGraphScaleOK, "ＯＫ(&O)", "OK(&O)");
  results::SetCaption(cmdGraphScaleCancel, "取消(&C)", "Cancel(&C)");
}

void frmDistGraphScale::Form_Activate() {
  // A value outside 1..9 selects no entry.
  const int index = Case.Dist_Graph_Div - 1;
  cboGraphScale->setCurrentIndex(index >= 0 && index < cboGraphScale->count() ? index : -1);
}

void frmDistGraphScale::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

void frmDistGraphScale::cmdGraphScaleOK_Click() {
  const int div = cboGraphScale->currentIndex() + 1;
  Case.Dist_Graph_Div = div < 1 ? 6 : div;
  ui::Forms::Unload(this);
}

void frmDistGraphScale::cmdGraphScaleCancel_Click() { ui::Forms::Unload(this); }
