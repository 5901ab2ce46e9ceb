#include "batch/results/frmBatchResultTopBtmData.h"

#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"

VZ_FORM_FACTORY(frmBatchResultTopBtmData);

using batchres::QPick;

frmBatchResultTopBtmData::frmBatchResultTopBtmData() : ResultForm("frmBatchResultTopBtmData") {
  lblTitle = ui::NewLabel(this, "lblTitle");
  ui::Place(lblTitle, 120, 120, 6000, 300);
  QFont f = lblTitle->font();
  f.setBold(true);
  lblTitle->setFont(f);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetAllLocked(true);
  ui::Place(vaSpread1, 120, 480, 11400, 5400);
  cmdTopLiquid1 = ui::NewButton(this, "cmdTopLiquid1", "全還流塔頂液組成(&1)");
  cmdBtmLiquid1 = ui::NewButton(this, "cmdBtmLiquid1", "全還流塔底液組成(&2)");
  cmdTopLiquid2 = ui::NewButton(this, "cmdTopLiquid2", "製品抜出塔頂液組成(&3)");
  cmdBtmLiquid2 = ui::NewButton(this, "cmdBtmLiquid2", "製品抜出塔底液組成(&4)");
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  double left = 120;
  for (QPushButton* b : {cmdTopLiquid1, cmdBtmLiquid1, cmdTopLiquid2, cmdBtmLiquid2}) {
    ui::Place(b, left, 6000, 2300, 400);
    left += 2400;
  }
  ui::Place(cmdExit, 10080, 6000, 1440, 400);
  setFixedSize(ui::Px(11640), ui::Px(6540));
  connect(cmdTopLiquid1, &QPushButton::clicked, this, [this] { cmdTopLiquid1_Click(); });
  connect(cmdBtmLiquid1, &QPushButton::clicked, this, [this] { cmdBtmLiquid1_Click(); });
  connect(cmdTopLiquid2, &QPushButton::clicked, this, [this] { cmdTopLiquid2_Click(); });
  connect(cmdBtmLiquid2, &QPushButton::clicked, this, [this] { cmdBtmLiquid2_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frmBatchResultTopBtmData::Form_Load() {
  ResultForm::Form_Load();
  SetCaption(batchres::Caption("塔頂／塔底の組成", "Top/Bottom Data"));
  cmdTopLiquid1->setText(QPick("全還流塔頂液組成(&1)", "T.Reflux Top Liq(&1)"));
  cmdBtmLiquid1->setText(QPick("全還流塔底液組成(&2)", "T.Reflux Btm Liq(&2)"));
  cmdTopLiquid2->setText(QPick("製品抜出塔頂液組成(&3)", "Product Top Liq(&3)"));
  cmdBtmLiquid2->setText(QPick("製品抜出塔底液組成(&4)", "Product Btm Liq(&4)"));
  cmdExit->setText(QPick("戻る(&X)", "Exit(&X)"));
  lblTitle->setText("");
}

void frmBatchResultTopBtmData::Set_Top_Btm_Table(int phase, int kind) {
  const RunCaseScope run(History_Run_Case(Batch_Result_Path(Batch_History_Name(phase))));
  const int nc = Case.NC;
  vaSpread1->SetMaxRows(0);
  vaSpread1->SetMaxCols(nc + 2);
  vaSpread1->ClearAll();
  vaSpread1->SetText(1, 0, batchres::Pick("時間", "Time"));
  vaSpread1->SetText(2, 0, batchres::Pick("温度", "Temp"));
  for (int j = 1; j <= nc; ++j) vaSpread1->SetText(2 + j, 0, Case.Comp_Name[j]);
  const int plate = kind == 0 ? 1 : Case.NT;
  HistoryFile file;
  RunFileResult r = file.Open(Batch_Result_Path(Batch_History_Name(phase)));
  HistoryRecord rec;
  int n = 0;
  while (r.ok()) {
    r = file.Next(rec);
    if (!r.ok()) break;
    ++n;
    if (n > vaSpread1->MaxRows()) vaSpread1->SetMaxRows(2 * n + 62);  // grows by blocks, cut at the end
    vaSpread1->SetText(1, n, txt::Format(rec.time, "##0.0000"));
    if (plate < 1) continue;  // a case without plates has no top or still to show
    for (int j = 1; j <= nc; ++j) vaSpread1->SetText(2 + j, n, txt::Format(rec.X(j, plate), "#0.000000000"));
    vaSpread1->SetText(2, n, txt::Format(rec.T(plate), "###0.000"));
  }
  vaSpread1->SetMaxRows(n);
  // Widths after the rows are set: a new row count lays the columns out afresh.
  for (int c = 1; c <= nc + 2; ++c) vaSpread1->SetColWidth(c, c <= 2 ? 10 : 14);
  batchres::Say_Run_File(r);
}

void frmBatchResultTopBtmData::cmdTopLiquid1_Click() {
  lblTitle->setText(QPick("全還流操作 塔頂液組成", "Total Reflux Top Liquid Composition"));
  Set_Top_Btm_Table(0, 0);
}

void frmBatchResultTopBtmData::cmdBtmLiquid1_Click() {
  lblTitle->setText(QPick("全還流操作　塔底液組成", "Total Reflux Bottom Liquid Composition"));
  Set_Top_Btm_Table(0, 1);
}

void frmBatchResultTopBtmData::cmdTopLiquid2_Click() {
  lblTitle->setText(QPick("製品抜出操作 塔頂液組成", "Product Top Liquid Composition"));
  Set_Top_Btm_Table(1, 0);
}

void frmBatchResultTopBtmData::cmdBtmLiquid2_Click() {
  lblTitle->setText(QPick("製品抜出操作　塔底液組成", "Product Bottom Liquid Composition"));
  Set_Top_Btm_Table(1, 1);
}
