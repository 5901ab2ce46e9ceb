#include "core/dialogs/frmComponent.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

#include "core/dialogs/DialogCommon.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/QLanguage.h"

namespace {
constexpr int kCompCols = 6;
constexpr const char* kTitleJa = "成分";
constexpr const char* kTitleEn = "Component";
}

frmComponent::frmComponent() : ui::Form("frmComponent") {
  auto* layout = new QVBoxLayout(this);
  lblTitle = ui::NewLabel(this, "lblTitle");
  layout->addWidget(lblTitle);
  vaSpreadComp = new ui::SpreadGrid("vaSpreadComp", this);
  vaSpreadComp->SetMaxCols(kCompCols);
  vaSpreadComp->SetMaxRows(kMaxComp);
  vaSpreadComp->SetColWidth(1, 20);
  for (int c = 2; c <= kCompCols; ++c) vaSpreadComp->SetColWidth(c, 10);
  vaSpreadComp->setMinimumSize(640, 440);
  vaSpreadComp->onClick = [this](int col, int row) { vaSpreadComp_Click(col, row); };
  layout->addWidget(vaSpreadComp);
  auto* buttons = new QHBoxLayout();
  cmdDBSearch = ui::NewButton(this, "cmdDBSearch");
  cmdCancel = ui::NewButton(this, "cmdCancel");
  cmdOK = ui::NewButton(this, "cmdOK");
  buttons->addWidget(cmdDBSearch);
  buttons->addStretch();
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdOK);
  layout->addLayout(buttons);
  connect(cmdDBSearch, &QPushButton::clicked, this, [this] { cmdDBSearch_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  cmdDBSearch->setVisible(false);
}

void frmComponent::Form_Load() {
  dlg::Set_Dialog_Caption(*this, kTitleJa, kTitleEn);
  lblTitle->setText(QInLanguage("蒸留計算の成分名、分子量を入力します。", "Input Component Name / Moleculer Weight"));
  cmdDBSearch->setText(QInLanguage("物性DB検索(&Q)", "Querry DB(&Q)"));
  cmdCancel->setText(QInLanguage("取消(&C)", "Cancel(&C)"));
  cmdOK->setText(QInLanguage("ＯＫ(&O)", "OK (&O)"));
  vaSpreadComp->SetText(1, 0, ui::S(QInLanguage("成分名", "Name")));
  vaSpreadComp->SetText(2, 0, ui::S(QInLanguage("分子量", "Mol Wt")));
  vaSpreadComp->SetText(3, 0, "Tc");
  vaSpreadComp->SetText(4, 0, "Pc");
  // The equation of state takes the critical pressure in bar, as the database holds it.
  vaSpreadComp->SetColToolTip(3, ui::S(QInLanguage("臨界温度 (K)", "Critical temperature (K)")));
  vaSpreadComp->SetColToolTip(4, ui::S(QInLanguage("臨界圧力 (bar)", "Critical pressure (bar)")));
  vaSpreadComp->SetText(5, 0, "Vc");
  vaSpreadComp->SetText(6, 0, "ω");

  // The grid is filled here only: what the user typed and what a lookup wrote
  // stay in it while the dialog is open.
  const int nc = std::min<int>(Case.NC, kMaxComp);
  for (int i = 1; i <= nc; ++i) {
    vaSpreadComp->SetText(1, i, Case.Comp_Name[i]);
    vaSpreadComp->SetValue(2, i, Case.Mol_Wt[i]);
    vaSpreadComp->SetValue(3, i, Case.Comp_Tc[i]);
    vaSpreadComp->SetValue(4, i, Case.Comp_Pc[i]);
    vaSpreadComp->SetValue(5, i, Case.Comp_Vc[i]);
    vaSpreadComp->SetValue(6, i, Case.Comp_Omega[i]);
  }
}

void frmComponent::Form_Activate() { dlg::Set_Dialog_Caption(*this, kTitleJa, kTitleEn); }

void frmComponent::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

void frmComponent::vaSpreadComp_Click(int, int) { cmdDBSearch->setVisible(true); }

void frmComponent::cmdDBSearch_Click() {
  cmdDBSearch->setVisible(false);
  if (ui::Form* lookup = ui::Forms::LoadByName("frmDBComponent")) lookup->ShowModal();
}

void frmComponent::cmdOK_Click() {
  // Every constant is read before anything is stored: a cell that is not wholly
  // a number is refused by name and the dialog stays open.
  int rows = 0;
  double values[kMaxComp + 1][7] = {};
  for (int row = 1; row <= vaSpreadComp->MaxRows() && !vaSpreadComp->Text(1, row).empty(); ++row) {
    if (rows == kMaxComp) {
      const std::string limit = txt::Signed(kMaxComp);
      ui::MsgBox(In_English() ? "Over max components (" + limit + ")" : "最大成分数(" + limit + ")を越えています。",
                 ui::vbOKOnly);
      break;
    }
    ++rows;
    for (int col = 2; col <= 6; ++col)
      if (!dlg::Read_Cell(*vaSpreadComp, col, row, vaSpreadComp->Text(1, row), values[rows][col])) return;
  }
  const int nc = rows;
  for (int i = 1; i <= nc; ++i) {
    Case.Comp_Name[i] = vaSpreadComp->Text(1, i);
    Case.Mol_Wt[i] = values[i][2];
    Case.Comp_Tc[i] = values[i][3];
    Case.Comp_Pc[i] = values[i][4];
    Case.Comp_Vc[i] = values[i][5];
    Case.Comp_Omega[i] = values[i][6];
  }
  Case.NC = nc;
  dlg::Write_Main_Label("lblMainNC", "lblNCData", "lblNCData", txt::Plain(nc));
  ui::Forms::Unload(this);
}

void frmComponent::cmdCancel_Click() { ui::Forms::Unload(this); }

// Other windows open it by name without linking to this library.
VZ_FORM_FACTORY(frmComponent);
