#include "continuous/results/frmDistResultProd.h"

#include <algorithm>

#include "continuous/results/DistResultData.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

VZ_FORM_FACTORY(frmDistResultProd);

namespace {

constexpr double kStreamWidth = 17.25;
// Feeds, or a top product, five side cuts and the bottoms.
constexpr int kMaxStreamCols = kMaxFeed + 2;

int Comps() { return std::clamp(Case.NC, 0, kMaxComp); }

std::string StageHeading(int stage) { return " # " + txt::Signed(stage); }

}  // namespace

frmDistResultProd::frmDistResultProd() : ui::Form("frmDistResultProd") {
  lblResultProdText = ui::NewLabel(this, "lblResultProdText");
  ui::Place(lblResultProdText, 120, 120, 6000, 300);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetMaxCols(1);
  vaSpread1->SetMaxRows(5);
  vaSpread1->SetAllLocked(true);
  vaSpread1->setWordWrap(false);
  vaSpread1->SetColWidth(0, 16);
  ui::Place(vaSpread1, 120, 480, 11400, 5400);

  struct B { QPushButton** button; const char* name; const char* caption; };
  const B buttons[] = {
      {&cmdResultProdFeed, "cmdResultProdFeed", "ﾌｲｰﾄﾞモル表示(&1)"},
      {&cmdResultProdFeedWt, "cmdResultProdFeedWt", "ﾌｲｰﾄﾞ重量表示(&2)"},
      {&cmdResultProdVapSC, "cmdResultProdVapSC", "蒸気抜出モル表示(&3)"},
      {&cmdResultProdVapSCWt, "cmdResultProdVapSCWt", "蒸気抜出重量表示(&4)"},
      {&cmdResultProdLiqSC, "cmdResultProdLiqSC", "液抜出モル表示(&5)"},
      {&cmdResultProdLiqSCWt, "cmdResultProdLiqSCWt", "液抜出重量表示(&6)"},
      {&cmdResultProdExit, "cmdResultProdExit", "戻る(&X)"},
  };
  for (const B& b : buttons) *b.button = ui::NewButton(this, b.name, b.caption);
  Place_Buttons();
  connect(cmdResultProdFeed, &QPushButton::clicked, this, [this] { Disp_Feed_Data(0); });
  connect(cmdResultProdFeedWt, &QPushButton::clicked, this, [this] { Disp_Feed_Data(1); });
  connect(cmdResultProdVapSC, &QPushButton::clicked, this, [this] { Disp_Vap_SideCut(0); });
  connect(cmdResultProdVapSCWt, &QPushButton::clicked, this, [this] { Disp_Vap_SideCut(1); });
  connect(cmdResultProdLiqSC, &QPushButton::clicked, this, [this] { Disp_Liq_SideCut(0); });
  connect(cmdResultProdLiqSCWt, &QPushButton::clicked, this, [this] { Disp_Liq_SideCut(1); });
  connect(cmdResultProdExit, &QPushButton::clicked, this, [this] { ui::Forms::Unload(this); });
  lblResultNotConverged = results::NewWarningLabel(this, "lblResultNotConverged");
  ui::Place(lblResultNotConverged, 120, 6500, 11400, 520);
}

void frmDistResultProd::Place_Buttons() {
  // Each button as wide as its caption needs (the side-cut captions are the
  // longest), at least the common width, along the bottom of the window.
  QPushButton* row[] = {cmdResultProdFeed, cmdResultProdFeedWt, cmdResultProdVapSC, cmdResultProdVapSCWt,
                        cmdResultProdLiqSC, cmdResultProdLiqSCWt, cmdResultProdExit};
  int left = 120;
  for (QPushButton* b : row) {
    const int need = b->fontMetrics().horizontalAdvance(b->text().remove(QLatin1Char('&'))) + 16;
    const int width = std::max(b == cmdResultProdExit ? 900 : 1450, need * 15);
    ui::Place(b, left, 6000, width, 420);
    left += width + 50;
  }
  setFixedSize(ui::Px(std::max(11700, left + 70)), ui::Px(7100));
}

void frmDistResultProd::Form_Load() {
  messages_.Install();
  frmUnit& unit = ui::Forms::Get<frmUnit>();
  unit.Follow_Language();  // loaded hidden before a change of language
  auto select = [](QComboBox* list, int code) {
    list->setCurrentIndex(code >= 1 && code <= list->count() ? code - 1 : -1);
  };
  select(unit.cboTemp, Case.T_Unit);
  select(unit.cboPress, Case.P_Unit);
  const int nc = Comps();
  vaSpread1->SetMaxRows(nc + 5);

  if (results::KnownLanguage()) {
    results::SetCaption(this, "逐次段蒸留計算　フィード／製品", "Step by Step Distillation  Feed/Product");
    results::SetCaption(cmdResultProdFeed, "ﾌｲｰﾄﾞモル表示(&1)", "Feed Mol(&1)");
    results::SetCaption(cmdResultProdFeedWt, "ﾌｲｰﾄﾞ重量表示(&2)", "Feed Wt(&2)");
    results::SetCaption(cmdResultProdVapSC, "蒸気抜出モル表示(&3)", "Vap SC Mol(&3)");
    results::SetCaption(cmdResultProdVapSCWt, "蒸気抜出重量表示(&4)", "Vap SC Wt(&4)");
    results::SetCaption(cmdResultProdLiqSC, "液抜出モル表示(&5)", "Liq SC Mol(&5)");
    results::SetCaption(cmdResultProdLiqSCWt, "液抜出重量表示(&6)", "Liq SC Wt(&6)");
    results::SetCaption(cmdResultProdExit, "戻る(&X)", "Exit(&X)");
    Place_Buttons();
    const std::string t = ui::S(unit.cboTemp->currentText()), p = ui::S(unit.cboPress->currentText());
    vaSpread1->SetText(0, 1, InLanguage("温度 ", "Temp ") + t);
    vaSpread1->SetText(0, 2, InLanguage("圧力 ", "Press ") + p);
    vaSpread1->SetText(0, 3, "-");
    vaSpread1->SetText(0, 4, InLanguage("流量", "Flow"));
    vaSpread1->SetText(0, 5, InLanguage("エンタルピー", "Enthalpy"));
  }
  for (int i = 1; i <= nc; ++i) vaSpread1->SetText(0, 5 + i, Case.Comp_Name[i]);
  CalcMessageScope scope;
  results::ShowWarning(lblResultNotConverged);
}

void frmDistResultProd::Form_Unload() { messages_.Restore(); }

void frmDistResultProd::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

std::string frmDistResultProd::Start_Table(int basis) {
  const std::string suffix = basis == 0 ? InLanguage("(モル)", "(Mol)") : InLanguage("(重量)", "(Wt)");
  vaSpread1->ClearRange(1, 1, std::max(kMaxStreamCols, vaSpread1->MaxCols()), std::max(Case.Max_Comp, Comps()) + 5);
  return suffix;
}

void frmDistResultProd::Use_Column(int col) {
  col_ = col;
  if (vaSpread1->MaxCols() < col) vaSpread1->SetMaxCols(col);
  vaSpread1->SetColWidth(col, kStreamWidth);
}

namespace {

void PutView(ui::SpreadGrid* g, int col, const StreamView& v) {
  g->SetValue(col, 4, v.flow);
  if (v.enthalpy) g->SetValue(col, 5, *v.enthalpy);
  for (int i = 1; i <= Comps(); ++i)
    if (v.fraction[i]) g->SetValue(col, 5 + i, *v.fraction[i]);
}

}  // namespace

void frmDistResultProd::Disp_Feed_Data(int basis) {
  CalcMessageScope scope;
  const std::string suffix = Start_Table(basis);
  const int nFeed = std::clamp(Case.N_Feed, 0, kMaxFeed);
  for (int f = 1; f <= nFeed; ++f) {
    Use_Column(f);
    vaSpread1->SetText(f, 0, StageHeading(Case.Feed_Stage[f]));
    vaSpread1->SetValue(f, 1, Case.Feed_T[f]);
    vaSpread1->SetValue(f, 2, Case.Feed_P[f]);
    vaSpread1->SetValue(f, 3, Case.Feed_VF[f]);
    double z[kMaxComp + 1] = {};
    for (int i = 1; i <= Comps(); ++i) z[i] = Case.Feed_Z[i][f];
    PutView(vaSpread1, f, Stream_View(basis != 0, Case.Feed_Flow[f], Case.Feed_H[f], z));
  }
  vaSpread1->SetMaxCols(nFeed);
  lblResultProdText->setText(ui::Q(InLanguage("フィードデータ", "Feed Data ") + suffix));
}

void frmDistResultProd::Set_Stream_Condition(int basis, int phase, int stage, double flow,
                                             const double composition[]) {
  const int p = std::clamp(stage, 0, kMaxTray);
  vaSpread1->SetText(col_, 0, StageHeading(stage));
  vaSpread1->SetValue(col_, 1, Unit_Temp_Out(Case.Tray_T[p]));
  vaSpread1->SetValue(col_, 2, Unit_Press_Out(Case.Tray_P[p]));
  vaSpread1->SetText(col_, 3, " ");
  const double h = phase == 0 ? Case.Dist_Tray_HL[p] : Case.Dist_Tray_HV[p];
  PutView(vaSpread1, col_, Stream_View(basis != 0, flow, h, composition));
}

namespace {

// A draw's composition, copied from its stage.
void Composition(const DistStream& s, double z[]) {
  for (int i = 1; i <= Comps(); ++i) z[i] = s.Fraction(i);
}

}  // namespace

void frmDistResultProd::Disp_Liq_SideCut(int basis) {
  CalcMessageScope scope;
  const std::string suffix = Start_Table(basis);
  const std::vector<DistStream> draws = Dist_Liquid_Draws();
  int col = 0;
  for (const DistStream& s : draws) {
    Use_Column(++col);
    double z[kMaxComp + 1] = {};
    Composition(s, z);
    Set_Stream_Condition(basis, 0, s.stage, s.flow, z);
  }
  vaSpread1->SetMaxCols(col);
  lblResultProdText->setText(ui::Q(InLanguage("液抜き出し", "Liquid Side Cut") + suffix));
}

void frmDistResultProd::Disp_Vap_SideCut(int basis) {
  if (Case.Top_Vap_Prod == 0 && Case.N_VapSC == 0) {
    Case.Msg_Text = InLanguage("蒸気抜き出しはありません。", "no Vapor Side Cut");
    ui::MsgBox(Case.Msg_Text, ui::vbOKOnly);
    return;
  }
  CalcMessageScope scope;
  const std::string suffix = Start_Table(basis);
  const std::vector<DistStream> draws = Dist_Vapour_Draws();
  int col = 0;
  for (const DistStream& s : draws) {
    Use_Column(++col);
    double z[kMaxComp + 1] = {};
    Composition(s, z);
    Set_Stream_Condition(basis, 1, s.stage, s.flow, z);
  }
  vaSpread1->SetMaxCols(col);
  lblResultProdText->setText(ui::Q(InLanguage("蒸気抜き出し", "Vapor Side Cut") + suffix));
}
