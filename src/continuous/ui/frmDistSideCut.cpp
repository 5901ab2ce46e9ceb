#include "continuous/ui/frmDistSideCut.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "continuous/ui/DistDisplay.h"
#include "core/dialogs/DialogCommon.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

VZ_FORM_FACTORY(frmDistSideCut);

namespace {

void Apply(QWidget* form, bool design) {
  dist::Apply_Captions(
      form,
      {
          {nullptr, "逐次段蒸留計算　ｻｲﾄﾞｶｯﾄ", "Step by Step Distillation  Side Cut"},
          {"lblSideCutTitle", "液／蒸気のサイドカット段と抜き出し量を入力します。",
           "Input Liquid/Vapor Side cut location and flow rate"},
          {"lblSideCutTitle1", "液サイドカット", "Liquid Sidecut"},
          {"lblSideCutTitle2", "蒸気サイドカット", "Vapor sidecut"},
          {"cmdSideCutOK", "ＯＫ(&O)", "OK(&O)"},
          {"cmdSideCutCancel", "取消(&C)", "Cancel(&C)"},
      },
      design);
}

ui::SpreadGrid* NewGrid(QWidget* parent, const char* name) {
  auto* g = new ui::SpreadGrid(name, parent);
  g->SetMaxCols(kMaxFeed);
  g->SetMaxRows(2);
  for (int k = 1; k <= kMaxFeed; ++k) g->SetColWidth(k, 11);
  g->setMinimumWidth(720);
  g->setFixedHeight(80);
  return g;
}

bool Empty(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

struct SideCuts {
  int count = 0;
  int32_t stage[kMaxFeed + 1]{};
  double flow[kMaxFeed + 1]{};
};

// Reads one grid up to its first column without a stage. False, after the
// message of the failing column, when a stage is off the column or a flow negative.
bool Read_Grid(const ui::SpreadGrid& g, SideCuts& out, const char* stageJa, const char* flowJa,
               const char* flowEn) {
  for (int k = 1; k <= kMaxFeed && !Empty(g.Text(k, 1)); ++k) {
    // The stage is checked against the column before it is converted.
    const auto field = [&g, k](int row) { return dlg::Field_Name(ui::Q(g.Text(0, row))) + " " + g.Text(k, 0); };
    long long stage = 0;
    const txt::NumberProblem p = txt::ParseCount(g.Text(k, 1), 2, Case.NT, stage);
    if (p == txt::NumberProblem::OutOfRange) {
      ui::MsgBox(InLanguage(stageJa, "Location <1 or >NT"));
      return false;
    }
    if (p != txt::NumberProblem::None) {
      ui::MsgBox(txt::NumberProblemMessage(p, field(1), g.Text(k, 1)));
      return false;
    }
    double typed = 0;
    if (!dlg::Read_Number(ui::Q(g.Text(k, 2)), field(2), typed)) return false;
    // Flows are kept at single precision, as the case has always held them.
    const double flow = static_cast<double>(static_cast<float>(typed));
    if (!std::isfinite(flow)) {
      ui::MsgBox(txt::NumberProblemMessage(txt::NumberProblem::Overflow, field(2), g.Text(k, 2)));
      return false;
    }
    if (flow < 0) {
      ui::MsgBox(InLanguage(flowJa, flowEn));
      return false;
    }
    out.count = k;
    out.stage[k] = static_cast<int32_t>(stage);
    out.flow[k] = flow;
  }
  return true;
}

void Fill_Grid(ui::SpreadGrid& g, int count, const int32_t* stage, const double* flow) {
  g.ClearAll();
  for (int k = 1; k <= std::clamp(count, 0, kMaxFeed); ++k) {
    g.SetText(k, 1, txt::Plain(static_cast<int>(stage[k])));
    g.SetText(k, 2, txt::Plain(flow[k]));
  }
}

}  // namespace

frmDistSideCut::frmDistSideCut() : ui::Form("frmDistSideCut") {
  auto* v = new QVBoxLayout(this);
  v->addWidget(ui::NewLabel(this, "lblSideCutTitle"));
  v->addWidget(ui::NewLabel(this, "lblSideCutTitle1"));
  vaSpreadSideCutLiquid = NewGrid(this, "vaSpreadSideCutLiquid");
  v->addWidget(vaSpreadSideCutLiquid);
  v->addWidget(ui::NewLabel(this, "lblSideCutTitle2"));
  vaSpreadSideCutVapor = NewGrid(this, "vaSpreadSideCutVapor");
  v->addWidget(vaSpreadSideCutVapor);
  auto* buttons = new QHBoxLayout();
  cmdSideCutCancel = ui::NewButton(this, "cmdSideCutCancel");
  cmdSideCutOK = ui::NewButton(this, "cmdSideCutOK");
  buttons->addStretch();
  buttons->addWidget(cmdSideCutCancel);
  buttons->addWidget(cmdSideCutOK);
  v->addLayout(buttons);
  connect(cmdSideCutOK, &QPushButton::clicked, this, [this] { cmdSideCutOK_Click(); });
  connect(cmdSideCutCancel, &QPushButton::clicked, this, [this] { cmdSideCutCancel_Click(); });
  Apply(this, true);
}

void frmDistSideCut::Form_Load() {
  Apply(this, false);
  for (int k = 1; k <= kMaxFeed; ++k) {
    const std::string head = InLanguage("ｻｲﾄﾞｶｯﾄ #", "Sidecut #") + txt::Plain(k);
    vaSpreadSideCutLiquid->SetText(k, 0, head);
    vaSpreadSideCutVapor->SetText(k, 0, head);
  }
  const std::string location = InLanguage("ｻｲﾄﾞｶｯﾄ段(塔頂から)", "Location(from top)");
  vaSpreadSideCutLiquid->SetText(0, 1, location);
  vaSpreadSideCutVapor->SetText(0, 1, location);
  vaSpreadSideCutLiquid->SetText(0, 2, InLanguage("液抜出量(Kgmol/H)", "LiquidFlow(Kgmol/H)"));
  vaSpreadSideCutVapor->SetText(0, 2, InLanguage("蒸気抜出量(Kgmol/H)", "VaporFlow(Kgmol/H)"));
}

void frmDistSideCut::Form_Activate() {
  const CaseData& c = Case;
  Fill_Grid(*vaSpreadSideCutLiquid, c.N_LiqSC, c.LiqSC_Stage, c.LiqSC_Flow);
  Fill_Grid(*vaSpreadSideCutVapor, c.N_VapSC, c.VapSC_Stage, c.VapSC_Flow);
}

void frmDistSideCut::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

void frmDistSideCut::cmdSideCutOK_Click() {
  // Both grids are checked before anything is stored: a bad side cut is
  // reported and the dialog stays open with what was typed.
  SideCuts liquid, vapour;
  if (!Read_Grid(*vaSpreadSideCutLiquid, liquid, "液サイドカット段が1以下または理論段数以上です。",
                 "液抜出量が0以下です。", "Negative Liquid Flow rate"))
    return;
  if (!Read_Grid(*vaSpreadSideCutVapor, vapour, "蒸気サイドカット段が1以下または理論段数以上です。",
                 "蒸気抜出量が0以下です。", "Negative Vapor Flow rate"))
    return;
  CaseData& c = Case;
  c.N_LiqSC = liquid.count;
  c.N_VapSC = vapour.count;
  for (int k = 1; k <= liquid.count; ++k) {
    c.LiqSC_Stage[k] = liquid.stage[k];
    c.LiqSC_Flow[k] = liquid.flow[k];
  }
  for (int k = 1; k <= vapour.count; ++k) {
    c.VapSC_Stage[k] = vapour.stage[k];
    c.VapSC_Flow[k] = vapour.flow[k];
  }
  Set_Dist_Display_Data();
  ui::Forms::Unload(this);
}

void frmDistSideCut::cmdSideCutCancel_Click() { ui::Forms::Unload(this); }
