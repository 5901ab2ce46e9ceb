#include "continuous/results/frmDistResultTray.h"

#include <algorithm>

#include "continuous/results/DistResultData.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/thermo/Thermo.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

VZ_FORM_FACTORY(frmDistResultTray);

namespace {

constexpr int kValueDecimals = 5, kFractionDecimals = 13;
constexpr int kFormattedComps = 10;  // component columns with the fixed format

}  // namespace

frmDistResultTray::frmDistResultTray() : ui::Form("frmDistResultTray") {
  lblResultTitle = ui::NewLabel(this, "lblResultTitle");
  ui::Place(lblResultTitle, 120, 120, 6000, 300);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetMaxCols(4);
  vaSpread1->SetMaxRows(1);
  vaSpread1->SetAllLocked(true);
  vaSpread1->setWordWrap(false);
  ui::Place(vaSpread1, 120, 480, 11400, 6000);

  struct B { QPushButton** button; const char* name; const char* caption; };
  const B buttons[] = {
      {&cmdResultLiquid, "cmdResultLiquid", "液モル組成(&1)"},
      {&cmdResultVapor, "cmdResultVapor", "蒸気モル組成(&2)"},
      {&cmdResultLiquidWt, "cmdResultLiquidWt", "液重量組成(&3)"},
      {&cmdResultVaporWt, "cmdResultVaporWt", "蒸気重量組成(&4)"},
      {&cmdResultTrayPrint, "cmdResultTrayPrint", "印刷(&P)"},
      {&cmdResultPrintAll, "cmdResultPrintAll", "全印刷(&A)"},
      {&cmdResultExit, "cmdResultExit", "戻る(&X)"},
  };
  int left = 120;
  for (const B& b : buttons) {
    *b.button = ui::NewButton(this, b.name, b.caption);
    ui::Place(*b.button, left, 6600, 1560, 420);
    left += 1640;
  }
  connect(cmdResultLiquid, &QPushButton::clicked, this, [this] { Disp_Tray_Profile(0, 0); });
  connect(cmdResultVapor, &QPushButton::clicked, this, [this] { Disp_Tray_Profile(1, 0); });
  connect(cmdResultLiquidWt, &QPushButton::clicked, this, [this] { Disp_Tray_Profile(0, 1); });
  connect(cmdResultVaporWt, &QPushButton::clicked, this, [this] { Disp_Tray_Profile(1, 1); });
  connect(cmdResultTrayPrint, &QPushButton::clicked, this, [this] { cmdResultPrint_Click(); });
  connect(cmdResultPrintAll, &QPushButton::clicked, this, [this] { cmdResultPrint_Click(); });
  connect(cmdResultExit, &QPushButton::clicked, this, [this] { ui::Forms::Unload(this); });
  lblResultNotConverged = results::NewWarningLabel(this, "lblResultNotConverged");
  ui::Place(lblResultNotConverged, 120, 7100, 11400, 520);
  setFixedSize(ui::Px(11700), ui::Px(7700));
}

void frmDistResultTray::Form_Load() {
  messages_.Install();
  results::SetCaption(this, "逐次段蒸留計算　塔内組成", "Step by Step Distillation  Tray Composition Profile");
  results::SetCaption(cmdResultLiquid, "液モル組成(&1)", "Liquid Mol(&1)");
  results::SetCaption(cmdResultVapor, "蒸気モル組成(&2)", "Vapor Mol(&2)");
  results::SetCaption(cmdResultLiquidWt, "液重量組成(&3)", "Liquid Wt(&3)");
  results::SetCaption(cmdResultVaporWt, "蒸気重量組成(&4)", "Vapor Wt(&4)");
  results::SetCaption(cmdResultTrayPrint, "印刷(&P)", "Print(&P)");
  results::SetCaption(cmdResultPrintAll, "全印刷(&A)", "Print All(&A)");
  results::SetCaption(cmdResultExit, "戻る(&X)", "Exit(&X)");
}

void frmDistResultTray::Form_Activate() {
  {
    CalcMessageScope scope;
    results::ShowWarning(lblResultNotConverged);
  }
  Disp_Tray_Profile(0, 0);
}

void frmDistResultTray::Form_Unload() { messages_.Restore(); }

void frmDistResultTray::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

void frmDistResultTray::cmdResultPrint_Click() {
  Case.Msg_Text = InLanguage("この機能は未だありません。", "not support");
  ui::MsgBox(Case.Msg_Text, ui::vbOKOnly);
}

void frmDistResultTray::Disp_Tray_Profile(int phase, int basis) {
  CalcMessageScope scope;
  const bool vapour = phase != 0, weight = basis != 0;
  frmUnit& unit = ui::Forms::Get<frmUnit>();
  unit.Follow_Language();  // loaded hidden before a change of language
  auto select = [](QComboBox* list, int code) {
    list->setCurrentIndex(code >= 1 && code <= list->count() ? code - 1 : -1);
  };
  select(unit.cboTemp, Case.T_Unit);
  select(unit.cboPress, Case.P_Unit);

  // Headings and title words; an unknown language flag leaves them empty.
  std::string phaseWord, suffix, flowHead, enthalpyHead, tempWord, pressWord, compWord;
  if (results::KnownLanguage()) {
    const bool en = In_English();
    phaseWord = vapour ? (en ? "Vapor" : "蒸気") : (en ? "Liquid" : "液");
    suffix = weight ? (en ? "(Wt)" : "(重量)") : (en ? "(Mol)" : "(モル)");
    flowHead = weight ? (en ? "Flow(Kg/H)" : "流量(Kg/H)") : (en ? "Flow(Kgmol/H)" : "流量(Kgmol/H)");
    enthalpyHead = weight ? (en ? "Enthalpy(Cal/g)" : "ｴﾝﾀﾙﾋﾟｰ(Cal/g)") : (en ? "Enthalpy(Cal/mol)" : "ｴﾝﾀﾙﾋﾟｰ(Cal/mol)");
    tempWord = en ? "Temp " : "温度 ";
    pressWord = en ? "Press " : "圧力 ";
    compWord = en ? "Composition" : "組成";
  }

  const int nc = std::clamp(Case.NC, 0, kMaxComp);
  const int nt = std::clamp(Case.NT, 0, kMaxTray);
  vaSpread1->SetMaxCols(nc + 4);
  vaSpread1->SetMaxRows(nt);
  vaSpread1->ClearRange(1, 1, std::max(Case.Max_Comp, nc) + 4, std::max(Case.Max_Tray, nt));
  const int rows = std::max(nt, 1);
  vaSpread1->SetNumberFormat(1, 1, 4, rows, kValueDecimals);
  vaSpread1->SetNumberFormat(5, 1, 4 + std::min(nc, kFormattedComps), rows, kFractionDecimals);
  if (nc > kFormattedComps) vaSpread1->SetNumberFormat(5 + kFormattedComps, 1, 4 + nc, rows, -1);

  // The enthalpy heading ("Enthalpy(Cal/mol)") is the widest of the four.
  for (int col = 1; col <= nc + 4; ++col) vaSpread1->SetColWidth(col, col <= 3 ? 16 : col == 4 ? 21 : 19);
  vaSpread1->SetText(1, 0, tempWord + ui::S(unit.cboTemp->currentText()));
  vaSpread1->SetText(2, 0, pressWord + ui::S(unit.cboPress->currentText()));
  vaSpread1->SetText(3, 0, flowHead);
  vaSpread1->SetText(4, 0, enthalpyHead);
  for (int i = 1; i <= nc; ++i) vaSpread1->SetText(4 + i, 0, Case.Comp_Name[i]);

  for (int j = 1; j <= nt; ++j) {
    vaSpread1->SetValue(1, j, Unit_Temp_Out(Case.Tray_T[j]));
    vaSpread1->SetValue(2, j, Unit_Press_Out(Case.Tray_P[j]));
    double z[kMaxComp + 1] = {};
    for (int i = 1; i <= nc; ++i) z[i] = vapour ? Case.Tray_Y[i][j] : Case.Tray_X[i][j];
    const double flow = vapour ? Case.Tray_V[j] : Case.Tray_L[j];
    const double h = vapour ? Case.Dist_Tray_HV[j] : Case.Dist_Tray_HL[j];
    const StreamView v = Stream_View(weight, flow, h, z);
    vaSpread1->SetValue(3, j, v.flow);
    if (v.enthalpy) vaSpread1->SetValue(4, j, *v.enthalpy);
    for (int i = 1; i <= nc; ++i)
      if (v.fraction[i]) vaSpread1->SetValue(4 + i, j, *v.fraction[i]);
  }
  lblResultTitle->setText(ui::Q(phaseWord + " " + suffix + " " + compWord));
}
