#include "batch/results/frmBatchResultTrayData.h"

#include "batch/model/BatchData.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QLanguage.h"

VZ_FORM_FACTORY(frmBatchResultTrayData);


frmBatchResultTrayData::frmBatchResultTrayData() : ResultForm("frmBatchResultTrayData") {
  lblTitle = ui::NewLabel(this, "lblTitle");
  ui::Place(lblTitle, 120, 120, 5000, 300);
  QFont f = lblTitle->font();
  f.setBold(true);
  lblTitle->setFont(f);
  lblCalTime = ui::NewLabel(this, "lblCalTime", "操作時間=");
  ui::Place(lblCalTime, 6000, 120, 1300, 300);
  lblCalTimeValue = ui::NewLabel(this, "lblCalTimeValue");
  ui::Place(lblCalTimeValue, 7350, 100, 1400, 330);
  lblCalTimeValue->setFrameShape(QFrame::Panel);
  lblCalTimeValue->setFrameShadow(QFrame::Sunken);
  lblCalTimeValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetAllLocked(true);
  ui::Place(vaSpread1, 120, 540, 11400, 5340);
  cmdVapor1 = ui::NewButton(this, "cmdVapor1", "全還流蒸気(&1)");
  cmdLiquid1 = ui::NewButton(this, "cmdLiquid1", "全還流液(&2)");
  cmdVapor2 = ui::NewButton(this, "cmdVapor2", "製品抜出蒸気(&3)");
  cmdLiquid2 = ui::NewButton(this, "cmdLiquid2", "製品抜出液(&4)");
  cmdNext = ui::NewButton(this, "cmdNext", "次(&N)");
  cmdNext10 = ui::NewButton(this, "cmdNext10", "次10(&M)");
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  double left = 120;
  for (QPushButton* b : {cmdVapor1, cmdLiquid1, cmdVapor2, cmdLiquid2}) {
    ui::Place(b, left, 6000, 1900, 400);
    left += 2000;
  }
  ui::Place(cmdNext, 120, 6000, 1900, 400);
  ui::Place(cmdNext10, 2120, 6000, 1900, 400);
  ui::Place(cmdExit, 10080, 6000, 1440, 400);
  setFixedSize(ui::Px(11640), ui::Px(6540));
  connect(cmdVapor1, &QPushButton::clicked, this, [this] { cmdVapor1_Click(); });
  connect(cmdLiquid1, &QPushButton::clicked, this, [this] { cmdLiquid1_Click(); });
  connect(cmdVapor2, &QPushButton::clicked, this, [this] { cmdVapor2_Click(); });
  connect(cmdLiquid2, &QPushButton::clicked, this, [this] { cmdLiquid2_Click(); });
  connect(cmdNext, &QPushButton::clicked, this, [this] { cmdNext_Click(); });
  connect(cmdNext10, &QPushButton::clicked, this, [this] { cmdNext10_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  cmdNext->setVisible(false);
  cmdNext10->setVisible(false);
}

void frmBatchResultTrayData::Form_Load() {
  ResultForm::Form_Load();
  SetCaption(batchres::Caption("計算過程の各段毎の組成データ", "Tray Data at iteration"));
  cmdVapor1->setText(QInLanguage("全還流蒸気(&1)", "T.Reflux Vap (&1)"));
  cmdLiquid1->setText(QInLanguage("全還流液(&2)", "T.Reflux Liq (&2)"));
  cmdVapor2->setText(QInLanguage("製品抜出蒸気(&3)", "Product Vap (&3)"));
  cmdLiquid2->setText(QInLanguage("製品抜出液(&4)", "Product Liq (&4)"));
  cmdNext->setText(QInLanguage("次(&N)", "Next (&N)"));
  cmdNext10->setText(QInLanguage("次10(&M)", "Next10 (&M)"));
  cmdExit->setText(QInLanguage("戻る(&X)", "Exit(&X)"));
  lblCalTime->setText(QInLanguage("操作時間=", "Calc Time="));
  lblTitle->setText("");
}

void frmBatchResultTrayData::Form_Activate() { Show_Choices(true); }

void frmBatchResultTrayData::Show_Choices(bool choices) {
  Record_View = choices ? 0 : 1;
  for (QPushButton* b : {cmdVapor1, cmdLiquid1, cmdVapor2, cmdLiquid2}) b->setVisible(choices);
  cmdNext->setVisible(!choices);
  cmdNext10->setVisible(!choices);
}

void frmBatchResultTrayData::Choose(const char* japanese, const char* english, int phase, int kind) {
  lblTitle->setText(QInLanguage(japanese, english));
  Show_Vapor = kind != 0 ? 1 : 0;
  Open_Tray_Data(phase, kind);
  Show_Choices(false);
}

void frmBatchResultTrayData::cmdExit_Click() {
  if (Record_View == 1) Show_Choices(true);
  else ResultForm::cmdExit_Click();
}

void frmBatchResultTrayData::Open_Tray_Data(int phase, int kind) {
  Batch.Batch_File = Batch_History_Name(phase);
  run_ = History_Run_Case(Batch_Result_Path(Batch.Batch_File));
  const RunCaseScope run(run_);
  const int nc = Case.NC;
  vaSpread1->SetMaxRows(Case.NT);
  vaSpread1->SetMaxCols(nc + 2);
  vaSpread1->ClearAll();
  lblCalTimeValue->setText("");
  vaSpread1->SetText(1, 0, "Temp");
  vaSpread1->SetText(2, 0, kind != 0 ? InLanguage("蒸気流量", "Vapor") : InLanguage("液流量", "Liquid"));
  vaSpread1->SetColWidth(1, 10);
  vaSpread1->SetColWidth(2, 11);
  for (int j = 1; j <= nc; ++j) {
    vaSpread1->SetText(2 + j, 0, Case.Comp_Name[j]);
    vaSpread1->SetColWidth(2 + j, 14);
  }
  Next_Pos = {};
  HistoryFile file;
  const RunFileResult r = file.Open(Batch_Result_Path(Batch.Batch_File));
  if (!r.ok()) {
    batchres::Say_Run_File(r);
    return;
  }
  // A file without records shows the headings only.
  Read_Tray_Block(file);
}

bool frmBatchResultTrayData::Read_Tray_Block(HistoryFile& file) {
  const RunFileResult r = file.Next(rec_);
  if (!r.ok()) {
    batchres::Say_Run_File(r);  // the grid keeps the last whole record
    return false;
  }
  lblCalTimeValue->setText(ui::Q(txt::Format(rec_.time, "##0.0000")));
  for (int i = 1; i <= Case.NT; ++i) {
    for (int j = 1; j <= Case.NC; ++j)
      vaSpread1->SetText(2 + j, i, txt::Format(Show_Vapor == 1 ? rec_.Y(j, i) : rec_.X(j, i), "#0.000000000"));
    vaSpread1->SetText(1, i, txt::Format(rec_.T(i), "###0.000"));
    vaSpread1->SetText(2, i, txt::Format(Show_Vapor == 1 ? rec_.V(i) : rec_.L(i), "#####0.000"));
  }
  Next_Pos = file.Pos();
  return true;
}

void frmBatchResultTrayData::Read_Next_Block(int count) {
  const RunCaseScope run(run_);
  HistoryFile file;
  const RunFileResult r = file.Open(Batch_Result_Path(Batch.Batch_File));
  if (!r.ok()) {
    batchres::Say_Run_File(r);
    return;
  }
  file.Seek(Next_Pos);
  for (int k = 0; k < count; ++k) {
    if (file.AtEnd()) break;
    if (!Read_Tray_Block(file)) break;
  }
}
