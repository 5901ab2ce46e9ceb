#include "batch/results/frmBatchResultTotalReflux.h"

#include "batch/model/BatchData.h"
#include "batch/ui_run/BatchGraphs.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QLanguage.h"

VZ_FORM_FACTORY(frmBatchResultTotalReflux);


namespace {
constexpr int kCols = 5 + kMaxComp;

// The heat unit the column is shown in: the case's display unit; a code the
// conversion does not know leaves the values in joules, and says so.
std::string Heat_Unit_Shown() {
  if (Case.H_Unit != 1 && Case.H_Unit != 2) return "J";
  Select_Unit_Entries();
  std::string unit = Unit_Heat_Text();
  while (!unit.empty() && unit.back() == ' ') unit.pop_back();
  return unit.empty() ? "J" : unit;
}
}  // namespace

frmBatchResultTotalReflux::frmBatchResultTotalReflux() : ResultForm("frmBatchResultTotalReflux") {
  lblTitle = ui::NewLabel(this, "lblTitle", "液モル分率");
  ui::Place(lblTitle, 120, 120, 3600, 300);
  QFont f = lblTitle->font();
  f.setBold(true);
  lblTitle->setFont(f);
  lblConv = ui::NewLabel(this, "lblConv", "収束時間(Hr)");
  ui::Place(lblConv, 4200, 120, 2200, 300);
  lblConvTime = ui::NewLabel(this, "lblConvTime");
  ui::Place(lblConvTime, 6450, 100, 2400, 330);
  lblConvTime->setFrameShape(QFrame::Panel);
  lblConvTime->setFrameShadow(QFrame::Sunken);
  lblConvTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetMaxCols(kCols);
  vaSpread1->SetMaxRows(kMaxTray);
  const char* heads[] = {"", "Temp", "Press", "Heat Input", "Vapor Load", "Liquid Load"};
  const int decimals[] = {0, 4, 4, 1, 3, 3};
  for (int c = 1; c <= 5; ++c) {
    vaSpread1->SetText(c, 0, heads[c]);
    vaSpread1->SetNumberFormat(c, 1, c, kMaxTray, decimals[c]);
  }
  vaSpread1->SetNumberFormat(6, 1, kCols, kMaxTray, 9);
  vaSpread1->SetAllLocked(true);
  ui::Place(vaSpread1, 120, 540, 11400, 5400);

  cmdVaporMol = ui::NewButton(this, "cmdVaporMol", "蒸気モル分率(&1)");
  cmdLiquidMol = ui::NewButton(this, "cmdLiquidMol", "液モル分率(&2)");
  cmdVaporWt = ui::NewButton(this, "cmdVaporWt", "蒸気重量分率(&3)");
  cmdLiquidWt = ui::NewButton(this, "cmdLiquidWt", "液重量分率(&4)");
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  double left = 120;
  for (QPushButton* b : {cmdVaporMol, cmdLiquidMol, cmdVaporWt, cmdLiquidWt}) {
    ui::Place(b, left, 6060, 1900, 400);
    left += 2000;
  }
  ui::Place(cmdExit, 10080, 6060, 1440, 400);
  setFixedSize(ui::Px(11640), ui::Px(6600));

  connect(cmdVaporMol, &QPushButton::clicked, this, [this] { cmdVaporMol_Click(); });
  connect(cmdLiquidMol, &QPushButton::clicked, this, [this] { cmdLiquidMol_Click(); });
  connect(cmdVaporWt, &QPushButton::clicked, this, [this] { cmdVaporWt_Click(); });
  connect(cmdLiquidWt, &QPushButton::clicked, this, [this] { cmdLiquidWt_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frmBatchResultTotalReflux::Form_Load() {
  ResultForm::Form_Load();
  SetCaption(batchres::Caption("全還流収束データ", "Total Reflux Data"));
  cmdVaporMol->setText(QInLanguage("蒸気モル分率(&1)", "Vap Mol Fr (&1)"));
  cmdLiquidMol->setText(QInLanguage("液モル分率(&2)", "Liq Mol Fr (&2)"));
  cmdVaporWt->setText(QInLanguage("蒸気重量分率(&3)", "Vap Wt Fr (&3)"));
  cmdLiquidWt->setText(QInLanguage("液重量分率(&4)", "Liq Wt Fr (&4)"));
  cmdExit->setText(QInLanguage("戻る(&X)", "Exit(&X)"));
  lblTitle->setText(QInLanguage("液モル分率", "Liquid Mol Fraction"));
  lblConv->setText(QInLanguage("収束時間(Hr)", "Convergence Time (Hr)"));
}

void frmBatchResultTotalReflux::Form_Activate() {
  CalcMessageScope scope;
  const RunFileResult r = Load_Total_Reflux_State(run_);
  // A refused file has been named by the case reader; a missing one is said here.
  if (r.status == RunFileStatus::Missing || r.status == RunFileStatus::OtherRun) batchres::Say_Run_File(r);
  if (!r.ok()) return;
  Set_Mol_Fraction_Table(0);
}

void frmBatchResultTotalReflux::Set_Widths() {
  for (int c = 1; c <= 5; ++c) vaSpread1->SetColWidth(c, c == 3 ? 18 : 11);
  // Digits are wider than the font's average letter: eleven of them need room
  // for sixteen letters, or the fractions are cut to "0....".
  for (int c = 6; c <= kCols; ++c) vaSpread1->SetColWidth(c, 16);
}

void frmBatchResultTotalReflux::Clear_Table() {
  vaSpread1->ClearAll();
  // The column holds what each plate took in since the run began: a total in
  // the heat unit, not a duty per hour (the condenser's is negative).
  const std::string unit = Heat_Unit_Shown();
  vaSpread1->SetText(3, 0, "Heat Input (" + unit + ")");
  vaSpread1->SetColToolTip(3, InLanguage(("運転開始から全還流収束までに各段へ入った熱量の合計（" + unit +
                                              "、毎時の値ではありません）。負は除かれた熱量（凝縮器）です。").c_str(),
                                             ("Heat put into each plate from the start of the run to total-reflux "
                                              "convergence, in " + unit +
                                              " (a total, not per hour); negative where heat is taken out (the condenser).")
                                                 .c_str()));
  for (int j = 1; j <= kMaxComp; ++j) vaSpread1->SetText(5 + j, 0, "");
  for (int j = 1; j <= Case.NC; ++j) vaSpread1->SetText(5 + j, 0, Case.Comp_Name[j]);
}

void frmBatchResultTotalReflux::Plate_Columns(int i) {
  vaSpread1->SetValue(1, i, Case.Tray_T[i]);
  vaSpread1->SetValue(2, i, Case.Tray_Press[i]);
  vaSpread1->SetValue(3, i, Unit_Heat_Out(Batch.Tray_Q_Sum[i]));
}

void frmBatchResultTotalReflux::Set_Mol_Fraction_Table(int kind) {
  CalcMessageScope scope;  // a unit the conversion refuses is said once, not per plate
  const RunCaseScope run(run_);
  Clear_Table();
  const int nc = Case.NC;
  for (int i = 1; i <= Case.NT; ++i) {
    Plate_Columns(i);
    vaSpread1->SetValue(4, i, Case.Tray_V[i]);
    vaSpread1->SetValue(5, i, Case.Tray_L[i]);
    double sum = 0;
    for (int j = 1; j <= nc; ++j) sum += Case.Tray_Y[j][i];
    for (int j = 1; j <= nc; ++j) {
      if (kind == 0) vaSpread1->SetValue(5 + j, i, Case.Tray_X[j][i]);
      else if (sum != 0) vaSpread1->SetValue(5 + j, i, Case.Tray_Y[j][i] / sum);  // no fraction of nothing
    }
  }
  lblConvTime->setText(ui::Q(Batch_Time_Text(Batch.Oper_Time)));
  Set_Widths();
}

void frmBatchResultTotalReflux::Set_Weight_Fraction_Table(int kind) {
  CalcMessageScope scope;  // a unit the conversion refuses is said once, not per plate
  const RunCaseScope run(run_);
  Clear_Table();
  const int nc = Case.NC;
  for (int i = 1; i <= Case.NT; ++i) {
    Plate_Columns(i);
    double mx = 0, my = 0;
    for (int j = 1; j <= nc; ++j) {
      mx += Case.Mol_Wt[j] * Case.Tray_X[j][i];
      my += Case.Mol_Wt[j] * Case.Tray_Y[j][i];
    }
    vaSpread1->SetValue(4, i, Case.Tray_V[i] * my);
    vaSpread1->SetValue(5, i, Case.Tray_L[i] * mx);
    const double m = kind == 0 ? mx : my;
    if (m == 0) continue;  // no mass to divide: the fraction cells stay empty
    for (int j = 1; j <= nc; ++j)
      vaSpread1->SetValue(5 + j, i, Case.Mol_Wt[j] * (kind == 0 ? Case.Tray_X[j][i] : Case.Tray_Y[j][i]) / m);
  }
  lblConvTime->setText(ui::Q(Batch_Time_Text(Batch.Oper_Time)));
  Set_Widths();
}

void frmBatchResultTotalReflux::cmdLiquidMol_Click() {
  lblTitle->setText(QInLanguage("液モル分率", "Liquid Mol Fraction"));
  Set_Mol_Fraction_Table(0);
}

void frmBatchResultTotalReflux::cmdVaporMol_Click() {
  lblTitle->setText(QInLanguage("蒸気モル分率", "Vapor Mol Fraction"));
  Set_Mol_Fraction_Table(1);
}

void frmBatchResultTotalReflux::cmdLiquidWt_Click() {
  lblTitle->setText(QInLanguage("液重量分率", "Liquid weight Fraction"));
  Set_Weight_Fraction_Table(0);
}

void frmBatchResultTotalReflux::cmdVaporWt_Click() {
  lblTitle->setText(QInLanguage("蒸気重量分率", "Vapor Weight Fraction"));
  Set_Weight_Fraction_Table(1);
}
