#include "batch/ui_run/frmBatchTrayData.h"

#include "batch/model/BatchData.h"
#include "batch/ui_run/BatchGraphs.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"

VZ_FORM_FACTORY(frmBatchTrayData);

frmBatchTrayData::frmBatchTrayData() : ui::Form("frmBatchTrayData") {
  setFixedSize(ui::Px(8295), ui::Px(5085));
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  ui::Place(vaSpread1, 360, 240, 7695, 4095);
  vaSpread1->SetAllLocked(true);
  lblTime = ui::NewLabel(this, "lblTime", "操作時間=");
  ui::Place(lblTime, 240, 4560, 1215, 255);
  lblTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblTimeValue = ui::NewLabel(this, "lblTimeValue");
  ui::Place(lblTimeValue, 1440, 4560, 2400, 255);
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  ui::Place(cmdExit, 7200, 4560, 855, 375);
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frmBatchTrayData::Form_Load() {
  const bool english = In_English();
  if (Case.Language == 0 || english) {
    SetCaption(ui::Q(Case.Prog_Title + (english ? "Tray Composition Profile" : "塔内組成")));
    lblTime->setText(english ? "Ope.Time=" : "操作時間=");
    cmdExit->setText(english ? "Exit(&X)" : "戻る(&X)");
  }
  lblTimeValue->setText(ui::Q(Batch_Time_Text(Batch.Oper_Time)));

  const int nc = Case.NC, nt = Case.NT;
  vaSpread1->SetMaxCols(nc + 1);
  vaSpread1->SetMaxRows(nt);
  auto& units = ui::Forms::Get<frmUnit>();
  units.cboTemp->setCurrentIndex(Case.T_Unit >= 1 && Case.T_Unit <= units.cboTemp->count() ? Case.T_Unit - 1 : -1);
  vaSpread1->SetText(0, 0, english ? "Stage" : "段");
  vaSpread1->SetText(1, 0, (english ? "Temp " : "温度 ") + ui::S(units.cboTemp->currentText()));
  for (int c = 1; c <= nc; ++c) vaSpread1->SetText(c + 1, 0, Case.Comp_Name[c]);
  vaSpread1->SetColWidth(1, 11);
  vaSpread1->SetNumberFormat(1, 1, 1, nt, 3);
  if (nc > 0) vaSpread1->SetNumberFormat(2, 1, nc + 1, nt, 6);
  for (int j = 1; j <= nt; ++j) {
    vaSpread1->SetText(0, j, std::to_string(j));
    vaSpread1->SetValue(1, j, Unit_Temp_Out(Case.Tray_T[j]));
    for (int c = 1; c <= nc; ++c) vaSpread1->SetValue(c + 1, j, Case.Tray_X[c][j]);
  }
}

void frmBatchTrayData::cmdExit_Click() { ui::Forms::Unload(this); }

void frmBatchTrayData::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}
