#include "batch/ui/frmBatchOperation.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <limits>

#include "batch/model/BatchData.h"
#include "batch/ui/frmBatchProduct.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/QLanguage.h"

using batchui::General;

frmBatchOperation::frmBatchOperation() : batchui::BatchDialog("frmBatchOperation") {
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout();
  lblOpeTime = ui::NewLabel(this, "lblOpeTime");
  lblDiffTime = ui::NewLabel(this, "lblDiffTime");
  lblSaveInterval = ui::NewLabel(this, "lblSaveInterval");
  lblConvLimit = ui::NewLabel(this, "lblConvLimit");
  txtOpeTime = ui::NewTextBox(this, "txtOpeTime");
  txtDiffTime = ui::NewTextBox(this, "txtDiffTime");
  txtSaveInterval = ui::NewTextBox(this, "txtSaveInterval");
  txtConvLimit = ui::NewTextBox(this, "txtConvLimit");
  lblOpeTimeUnit = ui::NewLabel(this, "lblOpeTimeUnit", "Hour");
  lblDiffTimeUnit = ui::NewLabel(this, "lblDiffTimeUnit", "Hour");
  lblSaveIntervalUnit = ui::NewLabel(this, "lblSaveIntervalUnit", "Hour");
  QLabel* captions[4] = {lblOpeTime, lblDiffTime, lblSaveInterval, lblConvLimit};
  QLineEdit* boxes[4] = {txtOpeTime, txtDiffTime, txtSaveInterval, txtConvLimit};
  QLabel* units[4] = {lblOpeTimeUnit, lblDiffTimeUnit, lblSaveIntervalUnit, nullptr};
  for (int r = 0; r < 4; ++r) {
    grid->addWidget(captions[r], r, 0);
    boxes[r]->setAlignment(Qt::AlignRight);
    captions[r]->setBuddy(boxes[r]);
    grid->addWidget(boxes[r], r, 1);
    if (units[r]) grid->addWidget(units[r], r, 2);
  }
  grid->setColumnMinimumWidth(2, 80);
  layout->addLayout(grid);

  fraOpeSpec = ui::NewFrame(this, "fraOpeSpec");
  auto* ope = new QGridLayout(fraOpeSpec);
  optOpeSpec.Create(fraOpeSpec, "optOpeSpec", 2);
  ope->addWidget(optOpeSpec[0], 0, 0, 1, 3);
  ope->addWidget(optOpeSpec[1], 1, 0, 1, 2);
  cmdProdSpec = ui::NewButton(fraOpeSpec, "cmdProdSpec");
  ope->addWidget(cmdProdSpec, 1, 2);
  lblQreb = ui::NewLabel(fraOpeSpec, "lblQreb");
  txtQReb = ui::NewTextBox(fraOpeSpec, "txtQReb");
  txtQReb->setAlignment(Qt::AlignRight);
  lblQRebUnit = ui::NewLabel(fraOpeSpec, "lblQRebUnit");
  ope->addWidget(lblQreb, 2, 0);
  ope->addWidget(txtQReb, 2, 1);
  ope->addWidget(lblQRebUnit, 2, 2);
  layout->addWidget(fraOpeSpec);

  auto* graphRow = new QHBoxLayout();
  fraGraphScale = ui::NewFrame(this, "fraGraphScale");
  auto* scale = new QHBoxLayout(fraGraphScale);
  optGraphScale.Create(fraGraphScale, "optGraphScale", 2);
  scale->addWidget(optGraphScale[0]);
  scale->addWidget(optGraphScale[1]);
  lblGraphDiv = ui::NewLabel(fraGraphScale, "lblGraphDiv");
  txtGraphDiv = ui::NewTextBox(fraGraphScale, "txtGraphDiv");
  txtGraphDiv->setMaximumWidth(60);
  txtGraphDiv->setAlignment(Qt::AlignRight);
  lblGraphDiv->setBuddy(txtGraphDiv);
  scale->addSpacing(20);
  scale->addWidget(lblGraphDiv);
  scale->addWidget(txtGraphDiv);
  graphRow->addWidget(fraGraphScale);
  graphRow->addStretch();
  layout->addLayout(graphRow);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch();
  cmdOK = ui::NewButton(this, "cmdOK");
  cmdCancel = ui::NewButton(this, "cmdCancel");
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  layout->addLayout(buttons);

  optOpeSpec.onClick = [this](int i) { optOpeSpec_Click(i); };
  optGraphScale.onClick = [this](int i) { optGraphScale_Click(i); };
  connect(cmdProdSpec, &QPushButton::clicked, this, [this] { cmdProdSpec_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmBatchOperation::Form_Load() {
  setWindowTitle(batchui::Caption("操作条件", "Operation"));
  lblOpeTime->setText(QInLanguage("最大操作時間(&1)", "Max Ope Time(&1)"));
  lblDiffTime->setText(QInLanguage("微分時間(&2)", "Diff Time(&2)"));
  lblSaveInterval->setText(QInLanguage("計算結果保存周期(&3)", "Save Interval(&3)"));
  lblConvLimit->setText(QInLanguage("全還流収束許容誤差(&4)", "T.Reflux Conv Limit(&4)"));
  fraOpeSpec->setTitle(QInLanguage("操作条件(&5)", "Operation(&5)"));
  optOpeSpec[0]->setText(QInLanguage("全還流運転", "Total Reflux"));
  optOpeSpec[1]->setText(QInLanguage("全還流運転→製品抜出操作", "T.Reflux -> Product"));
  lblQreb->setText(QInLanguage("全還流ﾘﾎﾞｲﾗ熱量", "Reboiler Duty(T.Reflux)"));
  fraGraphScale->setTitle(QInLanguage("グラフ表示(&6)", "Graph(&6)"));
  optGraphScale[0]->setText(QInLanguage("ログ", "Log"));
  optGraphScale[1]->setText(QInLanguage("直線", "Linear"));
  lblGraphDiv->setText(QInLanguage("分割数(&7)", "Div(&7)"));
  cmdProdSpec->setText(QInLanguage("製品抜出仕様(&P)", "Product Spec(&P)"));
  cmdOK->setText(QInLanguage("ＯＫ(&O)", "OK (&O)"));
  cmdCancel->setText(QInLanguage("取消(&C)", "Cancel(&C)"));
}

void frmBatchOperation::Form_Activate() {
  // Filled once per opening: coming back from the product plan keeps what was
  // typed here meanwhile.
  if (filled_) return;
  filled_ = true;
  CalcMessageScope scope;
  txtOpeTime->setText(ui::Q(General(Batch.Max_Ope_Time)));
  txtDiffTime->setText(ui::Q(General(Batch.Diff_Time)));
  txtSaveInterval->setText(ui::Q(General(Batch.Save_Interval)));
  txtConvLimit->setText(ui::Q(General(Batch.Conv_Limit)));
  txtQReb->setText(ui::Q(General(Unit_Heat_Out(Batch.QReb_TR))));
  lblQRebUnit->setText(ui::Q(Unit_Heat_Text() + "/H"));
  const bool totalRefluxOnly = Batch.Ope_Mode == 1;
  optOpeSpec.SetValue(totalRefluxOnly ? 0 : 1);
  cmdProdSpec->setVisible(!totalRefluxOnly);
  optGraphScale.SetValue(Batch.Graph_Scale == 0 ? 0 : 1);
  txtGraphDiv->setText(ui::Q(txt::Plain(Batch.Graph_Div)));
}

void frmBatchOperation::optOpeSpec_Click(int index) {
  Batch.Ope_Mode = index == 0 ? 1 : 2;
  cmdProdSpec->setVisible(index != 0);
}

void frmBatchOperation::optGraphScale_Click(int index) { Batch.Graph_Scale = index == 0 ? 0 : 1; }

void frmBatchOperation::cmdProdSpec_Click() { ui::Forms::Get<frmBatchProduct>().ShowModal(); }

void frmBatchOperation::cmdOK_Click() {
  // The graphs divide their axes by the count: it must be a whole number of at
  // least 1. Checked first, so a refusal stores nothing.
  const std::string divText = ui::S(txtGraphDiv->text());
  const long long div = txt::IsNumeric(divText) ? txt::RoundHalfEven(txt::Val(divText)) : 0;
  if (div < 1 || div > std::numeric_limits<int32_t>::max()) {
    ui::MsgBox(InLanguage("分割数が正しくありません。", "Invalid Div"), ui::vbOKOnly, Case.Prog_Title);
    return;
  }
  // Every box must hold a number as a whole; a refusal names the box and stores nothing.
  double opeTime, diffTime, saveInterval, convLimit, qReb;
  auto read = [](QLineEdit* box, const char* ja, const char* en, double& v) {
    return batchui::Read_Number(ui::S(box->text()), InLanguage(ja, en), v);
  };
  if (!read(txtOpeTime, "最大操作時間", "Max Ope Time", opeTime) ||
      !read(txtDiffTime, "微分時間", "Diff Time", diffTime) ||
      !read(txtSaveInterval, "計算結果保存周期", "Save Interval", saveInterval) ||
      !read(txtConvLimit, "全還流収束許容誤差", "T.Reflux Conv Limit", convLimit) ||
      !read(txtQReb, "全還流ﾘﾎﾞｲﾗ熱量", "Reboiler Duty(T.Reflux)", qReb))
    return;
  CalcMessageScope scope;
  Batch.Max_Ope_Time = opeTime;
  Batch.Diff_Time = diffTime;
  Batch.Save_Interval = saveInterval;
  Batch.Conv_Limit = convLimit;
  Batch.QReb_TR = Unit_Heat_In(qReb);
  if (optOpeSpec[0]->isChecked()) {
    Batch.Ope_Mode = 1;
    batchui::Write_Main_Label("lblOperation", InLanguage("全還流運転", "Total RTeflux"));
    batchui::Set_Main_Visible("lblProdChange", false);
    batchui::Set_Main_Visible("lblProdChangeData", false);
  } else {
    batchui::Write_Main_Label("lblOperation", InLanguage("全還流運転→製品抜出操作", "T.Reflux -> Product"));
    batchui::Set_Main_Visible("lblProdChange", true);
    batchui::Set_Main_Visible("lblProdChangeData", true);
    batchui::Write_Main_Label("lblProdChangeData", txt::Plain(Batch.N_Change_Tank));
  }
  Batch.Graph_Scale = optGraphScale[0]->isChecked() ? 0 : 1;
  Batch.Graph_Div = static_cast<int32_t>(div);
  batchui::Write_Main_Label("lblOpeTimeData", General(Batch.Max_Ope_Time));
  batchui::Write_Main_Label("lblDiffTimeData", General(Batch.Diff_Time));
  ui::Forms::Unload(this);
}
