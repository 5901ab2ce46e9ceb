#include "batch/results/frmBatchResultVLload.h"

#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"

VZ_FORM_FACTORY(frmBatchResultVLload);

using batchres::QPick;

frmBatchResultVLload::frmBatchResultVLload() : ResultForm("frmBatchResultVLload") {
  lblTitle = ui::NewLabel(this, "lblTitle");
  ui::Place(lblTitle, 120, 120, 6000, 300);
  QFont f = lblTitle->font();
  f.setBold(true);
  lblTitle->setFont(f);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetAllLocked(true);
  ui::Place(vaSpread1, 120, 480, 11400, 5400);
  cmdVload1 = ui::NewButton(this, "cmdVload1", "全還流蒸気流量(&1)");
  cmdLload1 = ui::NewButton(this, "cmdLload1", "全還流液流量(&2)");
  cmdVload2 = ui::NewButton(this, "cmdVload2", "抜出時蒸気流量(&3)");
  cmdLload2 = ui::NewButton(this, "cmdLload2", "抜出時液流量(&4)");
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  double left = 120;
  for (QPushButton* b : {cmdVload1, cmdLload1, cmdVload2, cmdLload2}) {
    ui::Place(b, left, 6000, 2000, 400);
    left += 2100;
  }
  ui::Place(cmdExit, 10080, 6000, 1440, 400);
  setFixedSize(ui::Px(11640), ui::Px(6540));
  connect(cmdVload1, &QPushButton::clicked, this, [this] { cmdVload1_Click(); });
  connect(cmdLload1, &QPushButton::clicked, this, [this] { cmdLload1_Click(); });
  connect(cmdVload2, &QPushButton::clicked, this, [this] { cmdVload2_Click(); });
  connect(cmdLload2, &QPushButton::clicked, this, [this] { cmdLload2_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frmBatchResultVLload::Form_Load() {
  ResultForm::Form_Load();
  SetCaption(batchres::Caption("塔内蒸気／液流量", "Tray Vapor/Liquid Flow"));
  cmdVload1->setText(QPick("全還流蒸気流量(&1)", "T.Reflux Vapor (&1)"));
  cmdLload1->setText(QPick("全還流液流量(&2)", "T.Reflux Liquid(&2)"));
  cmdVload2->setText(QPick("抜出時蒸気流量(&3)", "Product Vapor (&3)"));
  cmdLload2->setText(QPick("抜出時液流量(&4)", "Product Liquid(&4)"));
  cmdExit->setText(QPick("戻る(&X)", "Exit(&X)"));
  lblTitle->setText("");
}

void frmBatchResultVLload::Set_Flow_Table(int phase, int kind) {
  const RunCaseScope run(History_Run_Case(Batch_Result_Path(Batch_History_Name(phase))));
  const int nt = Case.NT;
  vaSpread1->SetMaxRows(0);
  vaSpread1->SetMaxCols(nt + 1);
  vaSpread1->ClearAll();
  vaSpread1->SetText(1, 0, batchres::Pick("時間", "Time"));
  for (int i = 1; i <= nt; ++i) vaSpread1->SetText(i + 1, 0, "Tray #" + txt::Signed(i));
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
    for (int i = 1; i <= nt; ++i) vaSpread1->SetText(i + 1, n, txt::Format(kind != 0 ? rec.V(i) : rec.L(i), "###0.0000"));
  }
  vaSpread1->SetMaxRows(n);
  // Widths after the rows are set: a new row count lays the columns out afresh.
  for (int c = 1; c <= nt + 1; ++c) vaSpread1->SetColWidth(c, 10);
  batchres::Say_Run_File(r);
}

void frmBatchResultVLload::cmdVload1_Click() {
  lblTitle->setText(QPick("全還流操作蒸気流量(Kg-mol/H)", "Total Reflux Vapor Flow (Kg-mol/H)"));
  Set_Flow_Table(0, 1);
}

void frmBatchResultVLload::cmdLload1_Click() {
  lblTitle->setText(QPick("全還流操作液流量(Kg-mol/H)", "Total Reflux Liquid Flow (Kg-mol/H)"));
  Set_Flow_Table(0, 0);
}

void frmBatchResultVLload::cmdVload2_Click() {
  lblTitle->setText(QPick("製品抜出操作蒸気流量(Kg-mol/H)", "Product Vapor Flow (Kg-mol/H)"));
  Set_Flow_Table(1, 1);
}

void frmBatchResultVLload::cmdLload2_Click() {
  lblTitle->setText(QPick("製品抜出操作液流量(Kg-mol/H)", "Product Liquid Flow (Kg-mol/H)"));
  Set_Flow_Table(1, 0);
}
