#include "batch/ui/frmBatchFeed.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "batch/model/BatchData.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/QLanguage.h"

using batchui::General;

frmBatchFeed::frmBatchFeed() : batchui::BatchDialog("frmBatchFeed") {
  auto* layout = new QVBoxLayout(this);
  lblTitle = ui::NewLabel(this, "lblTitle");
  layout->addWidget(lblTitle);
  auto* feedRow = new QHBoxLayout();
  lblFeed = ui::NewLabel(this, "lblFeed");
  txtFeed = ui::NewTextBox(this, "txtFeed");
  txtFeed->setAlignment(Qt::AlignRight);
  cboFeedUnit = ui::NewComboBox(this, "cboFeedUnit");
  cboFeedUnit->addItems({"Kgmol", "Kg"});
  cboFeedUnit->installEventFilter(this);
  feedRow->addWidget(lblFeed);
  feedRow->addWidget(txtFeed);
  feedRow->addWidget(cboFeedUnit);
  feedRow->addStretch();
  layout->addLayout(feedRow);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetMaxCols(1);
  vaSpread1->SetMaxRows(kMaxComp);
  vaSpread1->SetColWidth(0, 18);
  vaSpread1->SetColWidth(1, 14);
  vaSpread1->setMinimumSize(300, 330);
  layout->addWidget(vaSpread1, 1);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch();
  cmdOK = ui::NewButton(this, "cmdOK");
  cmdCancel = ui::NewButton(this, "cmdCancel");
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  layout->addLayout(buttons);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  connect(cboFeedUnit, &QComboBox::activated, this, [this] { cboFeedUnit_LostFocus(); });
}

bool frmBatchFeed::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cboFeedUnit && event->type() == QEvent::FocusOut) cboFeedUnit_LostFocus();
  return batchui::BatchDialog::eventFilter(watched, event);
}

void frmBatchFeed::Select_Feed_Unit() {
  const int unit = Batch.Feed_Comp_Unit;
  cboFeedUnit->setCurrentIndex(unit == 0 || unit == 1 ? unit : -1);
}

void frmBatchFeed::Write_Fraction_Header() {
  const bool weight = Batch.Feed_Comp_Unit == 1;
  vaSpread1->SetText(1, 0, ui::S(weight ? QInLanguage("重量分率", "Wt Fr") : QInLanguage("モル分率", "Mol Fr")));
}

// The case keeps the charge in kmol and mole fractions; with the kg basis the
// dialog shows and takes kg and mass fractions, through the molar masses.
static bool MassBasis() { return Batch.Feed_Comp_Unit == 1; }

// A charge by weight needs every molar mass: the first component without one
// is named and the weight basis refused.
static bool MolarMassesKnown() {
  for (int i = 1; i <= std::clamp<int>(Case.NC, 0, kMaxComp); ++i)
    if (!(std::isfinite(Case.Mol_Wt[i]) && Case.Mol_Wt[i] > 0)) {
      ui::MsgBox(InLanguage(("成分「" + Case.Comp_Name[i] + "」の分子量がないため重量基準では入力できません").c_str(),
                               ("No molecular weight of \"" + Case.Comp_Name[i] +
                                "\": the charge cannot be given by weight")
                                   .c_str()),
                 ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
      return false;
    }
  return true;
}

void frmBatchFeed::Fill_Rows() {
  const int nc = std::clamp<int>(Case.NC, 0, kMaxComp);
  double sum = 0, mass = 0;
  for (int i = 1; i <= nc; ++i) sum += Batch.Feed_Comp[i], mass += Batch.Feed_Comp[i] * Case.Mol_Wt[i];
  const bool kg = MassBasis() && mass > 0;
  for (int i = 1; i <= nc; ++i) {
    vaSpread1->SetText(0, i, Case.Comp_Name[i]);
    vaSpread1->SetValue(1, i, kg ? Batch.Feed_Comp[i] * Case.Mol_Wt[i] / mass : Batch.Feed_Comp[i]);
  }
  txtFeed->setText(ui::Q(General(kg ? Batch.Total_Feed * mass / sum : Batch.Total_Feed)));
}

// The amount and fractions typed, each wholly a number; false (with the
// refusal shown) otherwise.
bool frmBatchFeed::Read_Rows(double& total, std::vector<double>& fractions) {
  const int nc = std::clamp<int>(Case.NC, 0, kMaxComp);
  if (!batchui::Read_Number(ui::S(txtFeed->text()), InLanguage("全仕込量", "Total Feed"), total)) return false;
  const std::string header = vaSpread1->Text(1, 0);
  fractions.assign(nc + 1, 0.0);
  for (int i = 1; i <= nc; ++i)
    if (!batchui::Read_Number(vaSpread1->Text(1, i), Case.Comp_Name[i] + " " + header, fractions[i])) return false;
  return true;
}

// What the dialog shows, as kmol and mole fractions in the case.
void frmBatchFeed::Take_Rows(double total, const std::vector<double>& fractions) {
  const int nc = std::clamp<int>(Case.NC, 0, kMaxComp);
  double moles = 0, sum = 0;
  for (int i = 1; i <= nc; ++i) {
    Batch.Feed_Comp[i] = fractions[i];
    sum += Batch.Feed_Comp[i];
    if (MassBasis()) moles += Batch.Feed_Comp[i] / Case.Mol_Wt[i];
  }
  if (MassBasis() && moles > 0 && sum > 0) {
    for (int i = 1; i <= nc; ++i) Batch.Feed_Comp[i] = Batch.Feed_Comp[i] / Case.Mol_Wt[i] / moles;
    Batch.Total_Feed = total * moles / sum;
  } else {
    Batch.Total_Feed = total;
  }
}

void frmBatchFeed::Set_Captions() {
  setWindowTitle(batchui::Caption("仕込量", "Feed"));
  lblTitle->setText(QInLanguage("全仕込量と組成を入力します。", "Total Feed & Composition"));
  lblFeed->setText(QInLanguage("全仕込量=", "Total Feed="));
  cmdOK->setText(QInLanguage("ＯＫ(&O)", "OK (&O)"));
  cmdCancel->setText(QInLanguage("取消(&C)", "Cancel(&C)"));
}

void frmBatchFeed::Form_Load() {
  Set_Captions();
  Select_Feed_Unit();
  Write_Fraction_Header();
  Fill_Rows();
  for (int i = std::clamp<int>(Case.NC, 0, kMaxComp) + 1; i <= kMaxComp; ++i) vaSpread1->SetText(0, i, " ");
  const batchui::ChargeFigures shown = batchui::Charge_In_Basis();
  batchui::Write_Main_Label("lblUnitFeed", shown.unit);
  batchui::Write_Main_Label("lblUnitBottom", shown.unit);
}

void frmBatchFeed::Form_Activate() {
  // Loaded hidden by the main window, it may be shown after a language switch.
  Set_Captions();
  Select_Feed_Unit();
  vaSpread1->SetMaxRows(std::clamp<int>(Case.NC, 0, kMaxComp));
  Write_Fraction_Header();
  Fill_Rows();
}

void frmBatchFeed::cboFeedUnit_LostFocus() {
  const int unit = cboFeedUnit->currentIndex();
  if ((unit != 0 && unit != 1) || unit == Batch.Feed_Comp_Unit) return;
  // What is typed keeps its meaning: it is shown again in the new basis. A
  // text that is no number, or a weight basis without molar masses, keeps the
  // basis as it was.
  double total;
  std::vector<double> fractions;
  if (!Read_Rows(total, fractions) || (unit == 1 && !MolarMassesKnown())) {
    Select_Feed_Unit();
    return;
  }
  Take_Rows(total, fractions);
  Batch.Feed_Comp_Unit = unit;
  Write_Fraction_Header();
  Fill_Rows();
}

void frmBatchFeed::cmdOK_Click() {
  double total;
  std::vector<double> fractions;
  if (!Read_Rows(total, fractions)) return;
  // A charge below zero is no amount: refused as such, not later as one not entered.
  if (total < 0) {
    ui::MsgBox(InLanguage("全仕込量が負の値です。0 以上の値を入力してください。",
                             "Total Feed is negative: enter 0 or more."),
               ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
    txtFeed->setFocus();
    return;
  }
  for (int i = 1; i < static_cast<int>(fractions.size()); ++i) {
    if (fractions[i] < 0) {
      ui::MsgBox(InLanguage("仕込組成が負の値です（" + Case.Comp_Name[i] + "）。0 以上の値を入力してください。",
                            "The feed composition of " + Case.Comp_Name[i] + " is negative: enter 0 or more."),
                 ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
      return;
    }
  }
  if (MassBasis() && !MolarMassesKnown()) return;
  // Taken on trial: a charge the plates' hold-ups would leave the still below
  // zero of is refused, and the case keeps the charge it had.
  const BatchData before = Batch;
  Take_Rows(total, fractions);
  // The still holds what the plates leave of the charge, in the hold-up unit in use.
  const int unit = Batch.Holdup_Unit, nt = Case.NT;
  if (unit >= 1 && unit <= 2 && nt >= 1 && nt <= kMaxTray) {
    double plates = 0, mw = 0;
    for (int j = 1; j <= nt - 1; ++j) plates += Batch.Tray_Holdup[unit][j];
    for (int i = 1; i <= std::clamp<int>(Case.NC, 0, kMaxComp); ++i) mw += Batch.Feed_Comp[i] * Case.Mol_Wt[i];
    const double still = Batch.Total_Feed * (unit == 2 ? mw : 1) - plates;
    if (still < 0) {
      Batch = before;
      ui::MsgBox(InLanguage("全仕込量が段のホールドアップの合計より少ないため、スチルの量が負になります。"
                            "全仕込量を大きくするか、ホールドアップを小さくしてください。",
                            "Total Feed is less than the plates' hold-ups, so the still would hold a negative "
                            "amount: enter a larger Total Feed or smaller hold-ups."),
                 ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
      txtFeed->setFocus();
      return;
    }
    Batch.Tray_Holdup[unit][nt] = still;
  }
  // Each figure in the charge's basis, with its own unit.
  const batchui::ChargeFigures shown = batchui::Charge_In_Basis();
  batchui::Write_Main_Label("lblFeedData", General(shown.total));
  batchui::Write_Main_Label("lblBtmData", General(shown.still));
  batchui::Write_Main_Label("lblUnitFeed", shown.unit);
  batchui::Write_Main_Label("lblUnitBottom", shown.unit);
  ui::Forms::Unload(this);
}
