#include "batch/ui/frmBatchTowerSpec.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "batch/model/BatchData.h"
#include "batch/ui/frmBatchDistillationMain.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/QLanguage.h"

using batchui::General;

frmBatchTowerSpec::frmBatchTowerSpec() : batchui::BatchDialog("frmBatchTowerSpec") {
  auto* layout = new QVBoxLayout(this);
  lblTitle = ui::NewLabel(this, "lblTitle");
  layout->addWidget(lblTitle);
  auto* grid = new QGridLayout();
  lblNT = ui::NewLabel(this, "lblNT");
  txtNT = ui::NewTextBox(this, "txtNT");
  lblTopPress = ui::NewLabel(this, "lblTopPress");
  txtTopPress = ui::NewTextBox(this, "txtTopPress");
  lblTopPressUnit = ui::NewLabel(this, "lblTopPressUnit");
  lblBtmPress = ui::NewLabel(this, "lblBtmPress");
  txtBtmPress = ui::NewTextBox(this, "txtBtmPress");
  lblBtmPressUnit = ui::NewLabel(this, "lblBtmPressUnit");
  lblTemp = ui::NewLabel(this, "lblTemp");
  txtTemp = ui::NewTextBox(this, "txtTemp");
  lblTempUnit = ui::NewLabel(this, "lblTempUnit");
  QLabel* rows[4][3] = {{lblNT, nullptr, nullptr},
                        {lblTopPress, nullptr, lblTopPressUnit},
                        {lblBtmPress, nullptr, lblBtmPressUnit},
                        {lblTemp, nullptr, lblTempUnit}};
  QLineEdit* boxes[4] = {txtNT, txtTopPress, txtBtmPress, txtTemp};
  for (int r = 0; r < 4; ++r) {
    grid->addWidget(rows[r][0], r, 0);
    boxes[r]->setAlignment(Qt::AlignRight);
    rows[r][0]->setBuddy(boxes[r]);
    grid->addWidget(boxes[r], r, 1);
    if (rows[r][2]) grid->addWidget(rows[r][2], r, 2);
  }
  grid->setColumnMinimumWidth(2, 70);
  layout->addLayout(grid);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch();
  cmdOK = ui::NewButton(this, "cmdOK");
  cmdCancel = ui::NewButton(this, "cmdCancel");
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  layout->addLayout(buttons);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmBatchTowerSpec::Form_Load() {
  setWindowTitle(batchui::Caption("蒸留塔仕様", "Tower Specification"));
  lblTitle->setText(QInLanguage("蒸留塔の仕様を入力します。", "Set Tower Specification"));
  lblNT->setText(QInLanguage("理論段数(&1)", "Theoretical Plates(&1)"));
  lblTopPress->setText(QInLanguage("塔頂圧力(&2)", "Top Press(&2)"));
  lblBtmPress->setText(QInLanguage("塔底圧力(&3)", "Bottom Press(&3)"));
  lblTemp->setText(QInLanguage("塔の初期温度(&4)", "Initial Temperature(&4)"));
  cmdOK->setText(QInLanguage("ＯＫ(&O)", "OK(&O)"));
  cmdCancel->setText(QInLanguage("取消(&C)", "Cancel(&C)"));
}

void frmBatchTowerSpec::Form_Activate() {
  txtNT->setText(ui::Q(txt::Plain(Case.NT)));
  txtTopPress->setText(ui::Q(General(Case.P_Top)));
  txtBtmPress->setText(ui::Q(General(Case.P_Bottom)));
  txtTemp->setText(ui::Q(General(Batch.Init_Temp)));
  const QString press = ui::Q(Unit_Press_Text());
  lblTopPressUnit->setText(press);
  lblBtmPressUnit->setText(press);
  lblTempUnit->setText(ui::Q(Unit_Temp_Text()));
}

void frmBatchTowerSpec::cmdOK_Click() {
  long long n;
  if (!batchui::Read_Count(ui::S(txtNT->text()), InLanguage("理論段数", "Theoretical Plates"), -1000000000LL,
                           1000000000LL, n))
    return;
  if (n > Case.Max_Tray) {
    const std::string limit = txt::Signed(Case.Max_Tray);
    Case.Msg_Text = InLanguage(("最大理論段数(" + limit + ")を越えています。").c_str(),
                         ("Over max theoretical plates (" + limit + ")").c_str());
    ui::MsgBox(Case.Msg_Text, ui::vbOKOnly);
    return;
  }
  // The plate count indexes the plate arrays: a negative count has no plates.
  if (n < 0) {
    Case.Msg_Text = InLanguage("理論段数が 0未満です。", "Theoretical plates < 0");
    ui::MsgBox(Case.Msg_Text, ui::vbOKOnly);
    return;
  }
  // The pressures and the temperature must be numbers as a whole; nothing is
  // stored while one of them is not.
  double top, bottom, temp;
  if (!batchui::Read_Number(ui::S(txtTopPress->text()), InLanguage("塔頂圧力", "Top Press"), top) ||
      !batchui::Read_Number(ui::S(txtBtmPress->text()), InLanguage("塔底圧力", "Bottom Press"), bottom) ||
      !batchui::Read_Number(ui::S(txtTemp->text()), InLanguage("塔の初期温度", "Initial Temperature"), temp))
    return;
  Case.NT = static_cast<int32_t>(n);
  Case.P_Top = top;
  Case.P_Bottom = bottom;
  Batch.Init_Temp = temp;
  Case.Tray_Press[1] = Case.P_Top;
  Case.Tray_Press[Case.NT] = Case.P_Bottom;
  Set_Batch_Display_Data();
  ui::Forms::Unload(this);
}
