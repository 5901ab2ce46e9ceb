#include "continuous/ui/frmDistTower.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "continuous/ui/DistDisplay.h"
#include "core/dialogs/DialogCommon.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/model/PhysicalRange.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

VZ_FORM_FACTORY(frmDistTower);

namespace {

void Apply(QWidget* form, bool design) {
  dist::Apply_Captions(
      form,
      {
          {nullptr, "逐次段蒸留計算　蒸留塔条件", "Step by Step Distillation  Tower Specification"},
          {"lblTowerTitle", "蒸留塔の仕様を入力します。", "Input Tower Specification"},
          {"lblTowerNT", "全理論段数(1)", "Total Theoretical Plates(1)"},
          {"lblTowerRR", "還流比(2)", "Reflux Ratio(2)"},
          {"lblTowerTopProduct", "塔頂抜出量(3)", "Top Distillate(3)"},
          {"lblTowerLiqProd", "液", "Liquid"},
          {"lblTowerVapProd", "蒸気", "Vapor"},
          {"lblTowerPress", "圧力(5)", "Press(5)"},
          {"lblTop", "塔頂", "Top"},
          {"lblBottom", "塔底", "Bottom"},
          {"lblTowerTemp", "初期温度(6)", "Initial Temp(6)"},
          {"cmdTowerOK", "ＯＫ(&O)", "OK(&O)"},
          {"cmdTowerCancel", "取消(&C)", "Cancel(&C)"},
      },
      design);
}

QLineEdit* Box(QWidget* parent, const char* name) {
  QLineEdit* t = ui::NewTextBox(parent, name);
  t->setAlignment(Qt::AlignRight);
  t->setMaximumWidth(110);
  return t;
}

}  // namespace

frmDistTower::frmDistTower() : ui::Form("frmDistTower") {
  auto* g = new QGridLayout(this);
  g->addWidget(ui::NewLabel(this, "lblTowerTitle"), 0, 0, 1, 5);
  txtTowerNT = Box(this, "txtTowerNT");
  txtTowerRR = Box(this, "txtTowerRR");
  txtTowerU1 = Box(this, "txtTowerU1");
  txtTowerW1 = Box(this, "txtTowerW1");
  txtTowerPTop = Box(this, "txtTowerPTop");
  txtTowerPBottom = Box(this, "txtTowerPBottom");
  txtTowerTTop = Box(this, "txtTowerTTop");
  txtTowerTBottom = Box(this, "txtTowerTBottom");
  lblTowerMaxNT = ui::NewLabel(this, "lblTowerMaxNT");
  lblTowerPressUnit = ui::NewLabel(this, "lblTowerPressUnit");
  lblTowerTempUnit = ui::NewLabel(this, "lblTowerTempUnit");

  g->addWidget(ui::NewLabel(this, "lblTowerNT"), 1, 0);
  g->addWidget(txtTowerNT, 1, 2);
  g->addWidget(lblTowerMaxNT, 1, 3);
  g->addWidget(ui::NewLabel(this, "lblTowerRR"), 2, 0);
  g->addWidget(txtTowerRR, 2, 2);
  g->addWidget(ui::NewLabel(this, "lblTowerTopProduct"), 3, 0);
  g->addWidget(ui::NewLabel(this, "lblTowerLiqProd"), 3, 1);
  g->addWidget(txtTowerU1, 3, 2);
  g->addWidget(ui::NewLabel(this, "Label1", "Kgmol/H"), 3, 3);
  g->addWidget(ui::NewLabel(this, "lblTowerVapProd"), 4, 1);
  g->addWidget(txtTowerW1, 4, 2);
  // Pressures and temperature estimates: one row each, top and bottom side by side.
  g->addWidget(ui::NewLabel(this, "lblTop"), 5, 2);
  g->addWidget(ui::NewLabel(this, "lblBottom"), 5, 3);
  g->addWidget(ui::NewLabel(this, "lblTowerPress"), 6, 0);
  g->addWidget(txtTowerPTop, 6, 2);
  g->addWidget(txtTowerPBottom, 6, 3);
  g->addWidget(lblTowerPressUnit, 6, 4);
  g->addWidget(ui::NewLabel(this, "lblTowerTemp"), 7, 0);
  g->addWidget(txtTowerTTop, 7, 2);
  g->addWidget(txtTowerTBottom, 7, 3);
  g->addWidget(lblTowerTempUnit, 7, 4);
  g->setColumnMinimumWidth(4, 60);

  auto* buttons = new QHBoxLayout();
  cmdTowerCancel = ui::NewButton(this, "cmdTowerCancel");
  cmdTowerOK = ui::NewButton(this, "cmdTowerOK");
  buttons->addStretch();
  buttons->addWidget(cmdTowerCancel);
  buttons->addWidget(cmdTowerOK);
  g->addLayout(buttons, 9, 0, 1, 5);
  connect(cmdTowerOK, &QPushButton::clicked, this, [this] { cmdTowerOK_Click(); });
  connect(cmdTowerCancel, &QPushButton::clicked, this, [this] { cmdTowerCancel_Click(); });
  Apply(this, true);
}

void frmDistTower::Form_Load() {
  Apply(this, false);
}

void frmDistTower::Form_Activate() {
  const CaseData& c = Case;
  lblTowerMaxNT->setText(ui::Q("(Max" + txt::Signed(static_cast<int>(c.Max_Tray)) + ")"));
  // The unit lists may still show an earlier case's units (an example resets the
  // case without refreshing them): bring them in line first.
  Select_Unit_Entries();
  lblTowerPressUnit->setText(ui::Q(Unit_Press_Text()));
  lblTowerTempUnit->setText(ui::Q(Unit_Temp_Text()));
  txtTowerNT->setText(ui::Q(txt::Plain(static_cast<int>(c.NT))));
  txtTowerRR->setText(ui::Q(txt::Plain(c.Reflux_Ratio)));
  txtTowerU1->setText(ui::Q(txt::Plain(c.Top_Liq_Prod)));
  txtTowerW1->setText(ui::Q(txt::Plain(c.Top_Vap_Prod)));
  txtTowerPTop->setText(ui::Q(txt::Plain(c.P_Top)));
  txtTowerPBottom->setText(ui::Q(txt::Plain(c.P_Bottom)));
  txtTowerTTop->setText(ui::Q(txt::Plain(c.T_Top_Est)));
  txtTowerTBottom->setText(ui::Q(txt::Plain(c.T_Bottom_Est)));
}

void frmDistTower::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

// The caption of a control of the form, as a field name for a refusal message.
std::string frmDistTower::Field(const char* label, const char* second) {
  std::string name = dlg::Field_Name(ui::Q(ui::ControlText(this, label)));
  if (second) name += " " + dlg::Field_Name(ui::Q(ui::ControlText(this, second)));
  return name;
}

void frmDistTower::cmdTowerOK_Click() {
  CaseData& c = Case;
  // The stage count is checked against its range before it is converted: a
  // count past the range of an integer is refused, never wrapped.
  long long n = 0;
  const QString ntText = txtTowerNT->text();
  const std::string ntField = Field("lblTowerNT");
  double typed = 0;
  if (!dlg::Read_Number(ntText, ntField, typed)) return;
  if (txt::ParseCount(ui::S(ntText), 1, c.Max_Tray, n) != txt::NumberProblem::None) {
    if (typed > 1) {
      const std::string max = txt::Signed(static_cast<int>(c.Max_Tray));
      ui::MsgBox(InLanguage(("最大理論段数(" + max + ")を越えています。").c_str(),
                            ("Over max theoretical plates (" + max + ")").c_str()));
    } else {
      // The pressure profile's bottom end is stage NT: a count below 1 has no
      // bottom stage and would address the profile before its first element.
      ui::MsgBox(InLanguage("理論段数が1未満です。", "Theoretical plates less than 1"));
    }
    return;
  }
  // Every box is read before anything is stored.
  struct Entry {
    QLineEdit* box;
    const char* label;
    const char* second;
    double value = 0;
  };
  Entry entries[] = {{txtTowerRR, "lblTowerRR", nullptr},      {txtTowerU1, "lblTowerTopProduct", "lblTowerLiqProd"},
                     {txtTowerW1, "lblTowerTopProduct", "lblTowerVapProd"}, {txtTowerPTop, "lblTowerPress", "lblTop"},
                     {txtTowerPBottom, "lblTowerPress", "lblBottom"}, {txtTowerTTop, "lblTowerTemp", "lblTop"},
                     {txtTowerTBottom, "lblTowerTemp", "lblBottom"}};
  for (Entry& e : entries)
    if (!dlg::Read_Number(e.box->text(), Field(e.label, e.second), e.value)) return;
  // The estimates start the stage temperatures: one below absolute zero (or
  // beyond the suite's range) is refused here, as every typed temperature is.
  for (int k = 5; k <= 6; ++k) {
    const std::string field = Field(entries[k].label, entries[k].second);
    const std::string problem = Temp_Range_Problem(Unit_Temp_In(entries[k].value), field, field);
    if (!problem.empty()) {
      ui::MsgBox(problem, ui::vbOKOnly | ui::vbExclamation);
      entries[k].box->setFocus();
      return;
    }
  }
  // A new stage count keeps the profile the user fixed: the old bottom stage
  // becomes an ordinary stage (its pressure was the old bottom end, not a
  // pressure anyone fixed there) and stages beyond the column are cleared.
  const int oldNT = c.NT;
  if (n != oldNT) {
    if (oldNT > 1 && oldNT <= kMaxTray) c.Tray_Press[oldNT] = 0;
    for (int j = static_cast<int>(n) + 1; j <= kMaxTray; ++j) c.Tray_Press[j] = 0;
  }
  c.NT = static_cast<int32_t>(n);
  c.Reflux_Ratio = entries[0].value;
  c.Top_Liq_Prod = entries[1].value;
  c.Top_Vap_Prod = entries[2].value;
  c.P_Top = entries[3].value;
  c.P_Bottom = entries[4].value;
  c.T_Top_Est = entries[5].value;
  c.T_Bottom_Est = entries[6].value;
  c.Tray_Press[1] = c.P_Top;
  c.Tray_Press[c.NT] = c.P_Bottom;
  Set_Dist_Display_Data();
  ui::Forms::Unload(this);
}

void frmDistTower::cmdTowerCancel_Click() { ui::Forms::Unload(this); }
