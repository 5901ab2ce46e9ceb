#include "continuous/results/frmDistResultBalance.h"

#include <algorithm>
#include <cmath>

#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"

VZ_FORM_FACTORY(frmDistResultBalance);

namespace {

constexpr int kTotalDecimals = 6, kCompDecimals = 9;

void PutValue(ui::SpreadGrid* g, int col, int row, double v) {
  if (std::isfinite(v)) g->SetValue(col, row, v);
  else g->SetText(col, row, txt::Plain(v));
}

}  // namespace

frmDistResultBalance::frmDistResultBalance() : ui::Form("frmDistResultBalance") {
  lblResultBalanceText = ui::NewLabel(this, "lblResultBalanceText", "物質収支、熱収支、ｺﾝﾃﾞﾝｻｰ/ﾘﾎﾞｲﾗｰ熱負荷");
  ui::Place(lblResultBalanceText, 120, 120, 7000, 300);

  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetMaxCols(4);
  vaSpread1->SetMaxRows(3);
  const char* heads[] = {"", "ＩＮ", "ＯＵＴ", "△", "△(%)"};
  for (int c = 1; c <= 4; ++c) {
    vaSpread1->SetText(c, 0, heads[c]);
    vaSpread1->SetColWidth(c, 19);
  }
  vaSpread1->SetText(0, 1, "TotalFLow(Kgmol)");
  vaSpread1->SetText(0, 2, "TotalFlow(Kg)");
  vaSpread1->SetText(0, 3, "HeatFlow");
  vaSpread1->SetAllLocked(true);
  vaSpread1->setWordWrap(false);
  ui::Place(vaSpread1, 120, 480, 9600, 4200);

  fraResultBalanceHeatDuty = ui::NewFrame(this, "fraResultBalanceHeatDuty", "熱負荷");
  ui::Place(fraResultBalanceHeatDuty, 120, 4800, 6600, 1100);
  lblResultBalanceQcon = ui::NewLabel(fraResultBalanceHeatDuty, "lblResultBalanceQcon", "コンデンサー");
  ui::Place(lblResultBalanceQcon, 120, 300, 1500, 300);
  lblResultBalanceQConData = ui::NewLabel(fraResultBalanceHeatDuty, "lblResultBalanceQConData");
  ui::Place(lblResultBalanceQConData, 1700, 270, 3000, 330);
  lblResultHeatUnit1 = ui::NewLabel(fraResultBalanceHeatDuty, "lblResultHeatUnit1");
  ui::Place(lblResultHeatUnit1, 4800, 300, 1600, 300);
  lblResultBalanceQreb = ui::NewLabel(fraResultBalanceHeatDuty, "lblResultBalanceQreb", "リボイラー");
  ui::Place(lblResultBalanceQreb, 120, 680, 1500, 300);
  lblResultBalanceQRebData = ui::NewLabel(fraResultBalanceHeatDuty, "lblResultBalanceQRebData");
  ui::Place(lblResultBalanceQRebData, 1700, 650, 3000, 330);
  lblResultHeatUnit2 = ui::NewLabel(fraResultBalanceHeatDuty, "lblResultHeatUnit2");
  ui::Place(lblResultHeatUnit2, 4800, 680, 1600, 300);
  for (QLabel* l : {lblResultBalanceQConData, lblResultBalanceQRebData}) {
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }

  cmdResultBalanceExit = ui::NewButton(this, "cmdResultBalanceExit", "戻る(&X)");
  ui::Place(cmdResultBalanceExit, 8520, 5400, 1200, 420);
  connect(cmdResultBalanceExit, &QPushButton::clicked, this, [this] { cmdResultBalanceExit_Click(); });
  lblResultNotConverged = results::NewWarningLabel(this, "lblResultNotConverged");
  ui::Place(lblResultNotConverged, 120, 6000, 9600, 520);
  setFixedSize(ui::Px(9900), ui::Px(6600));
}

void frmDistResultBalance::Form_Load() {
  messages_.Install();
  results::SetCaption(this, "逐次段蒸留計算　物質収支／熱収支", "Step by Step Distillation Material/Heat Balance");
  results::SetCaption(lblResultBalanceText, "物質収支、熱収支、ｺﾝﾃﾞﾝｻｰ/ﾘﾎﾞｲﾗｰ熱負荷",
                      "Material/Heat Balance, Condenser/Reboiler Heat Duty");
  results::SetCaption(fraResultBalanceHeatDuty, "熱負荷", "Heat Duty");
  results::SetCaption(lblResultBalanceQcon, "コンデンサー", "Condenser");
  results::SetCaption(lblResultBalanceQreb, "リボイラー", "Reboiler");
  results::SetCaption(cmdResultBalanceExit, "戻る(&X)", "Exit(&X)");
}

void frmDistResultBalance::Form_Unload() { messages_.Restore(); }

void frmDistResultBalance::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

void frmDistResultBalance::cmdResultBalanceExit_Click() { ui::Forms::Unload(this); }

void frmDistResultBalance::Form_Activate() {
  CalcMessageScope scope;
  results::ShowWarning(lblResultNotConverged);
  balance_ = Dist_Balance_Calc();
  const DistBalance& b = balance_;
  const int nc = std::clamp(Case.NC, 0, kMaxComp);

  vaSpread1->SetMaxCols(4);
  vaSpread1->SetMaxRows(nc + 3);
  vaSpread1->ClearRange(1, 1, 4, std::max(Case.Max_Comp, nc) + 3);
  vaSpread1->SetNumberFormat(1, 1, 4, 3, kTotalDecimals);
  if (nc > 0) vaSpread1->SetNumberFormat(1, 4, 4, nc + 3, kCompDecimals);

  // A row whose IN is 0 (a component fed nowhere) has no relative difference.
  auto relative = [this](int row, double in, double out) {
    if (const auto rel = Relative_Difference(in, out)) PutValue(vaSpread1, 4, row, *rel);
  };
  for (int i = 1; i <= nc; ++i) {
    const int row = 3 + i;
    vaSpread1->SetText(0, row, Case.Comp_Name[i]);
    PutValue(vaSpread1, 1, row, b.FeedComp[i]);
    PutValue(vaSpread1, 2, row, b.ProdComp[i]);
    PutValue(vaSpread1, 3, row, b.FeedComp[i] - b.ProdComp[i]);
    relative(row, b.FeedComp[i], b.ProdComp[i]);
  }
  // The feed side of the first row is the total feed flow.
  PutValue(vaSpread1, 1, 1, Case.Feed_Sum);
  PutValue(vaSpread1, 2, 1, b.ProdMoles);
  PutValue(vaSpread1, 3, 1, Case.Feed_Sum - b.ProdMoles);
  relative(1, Case.Feed_Sum, b.ProdMoles);
  PutValue(vaSpread1, 1, 2, b.FeedMass);
  PutValue(vaSpread1, 2, 2, b.ProdMass);
  PutValue(vaSpread1, 3, 2, b.FeedMass - b.ProdMass);
  relative(2, b.FeedMass, b.ProdMass);

  if (Case.H_Method == 0) {
    fraResultBalanceHeatDuty->setVisible(false);
    return;
  }
  fraResultBalanceHeatDuty->setVisible(true);
  // The reboiler duty comes in, the condenser duty goes out.
  PutValue(vaSpread1, 1, 3, Unit_Heat_Out(b.HeatIn));
  PutValue(vaSpread1, 2, 3, Unit_Heat_Out(b.HeatOut));
  PutValue(vaSpread1, 3, 3, Unit_Heat_Out(b.HeatIn - b.HeatOut));
  relative(3, b.HeatIn, b.HeatOut);

  lblResultBalanceQConData->setText(ui::Q(txt::Plain(Unit_Heat_Out(b.Qc))));
  lblResultBalanceQRebData->setText(ui::Q(txt::Plain(Unit_Heat_Out(b.Qr))));

  frmUnit& unit = ui::Forms::Get<frmUnit>();
  const int entry = Case.H_Unit - 1;
  unit.cboHeat->setCurrentIndex(entry >= 0 && entry < unit.cboHeat->count() ? entry : -1);
  const QString text = "( " + unit.cboHeat->currentText() + " )";
  lblResultHeatUnit1->setText(text);
  lblResultHeatUnit2->setText(text);
}
