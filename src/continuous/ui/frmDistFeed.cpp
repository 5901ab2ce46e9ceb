#include "continuous/ui/frmDistFeed.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

#include "continuous/ui/DistDisplay.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

VZ_FORM_FACTORY(frmDistFeed);

namespace {

constexpr int kFirstFeedCol = 3;
constexpr int kFirstCompRow = 6;

void Apply(QWidget* form, bool design) {
  dist::Apply_Captions(
      form,
      {
          {nullptr, "逐次段蒸留計算　　フィード", "Step by Step Distillation  Feed"},
          {"lblFeedTitle", "フィード段、温度、圧力、V/F、流量及びモル分率を入力します。",
           "Input Feed Location, Temp, Press, V/F, Flow and Mole Fraction"},
          {"cmdFeedOK", "ＯＫ(&O)", "OK(&O)"},
          {"cmdFeedCancel", "取消(&C)", "Cancel(&C)"},
      },
      design);
}

bool Empty(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

int Component_Count() { return std::clamp(static_cast<int>(Case.NC), 0, kMaxComp); }

}  // namespace

frmDistFeed::frmDistFeed() : ui::Form("frmDistFeed") {
  auto* v = new QVBoxLayout(this);
  lblFeedTitle = ui::NewLabel(this, "lblFeedTitle");
  v->addWidget(lblFeedTitle);
  vaSpreadFeed = new ui::SpreadGrid("vaSpreadFeed", this);
  vaSpreadFeed->SetMaxCols(kFirstFeedCol + kMaxFeed - 1);
  vaSpreadFeed->SetMaxRows(kMaxComp + 5);
  vaSpreadFeed->SetColWidth(1, 14);
  vaSpreadFeed->SetColWidth(2, 9);
  for (int col = kFirstFeedCol; col < kFirstFeedCol + kMaxFeed; ++col) vaSpreadFeed->SetColWidth(col, 14);
  // The description and unit columns are the dialog's own text.
  vaSpreadFeed->SetLocked(1, 1, 2, kMaxComp + 5);
  vaSpreadFeed->setMinimumSize(900, 440);
  v->addWidget(vaSpreadFeed, 1);
  auto* buttons = new QHBoxLayout();
  cmdFeedCancel = ui::NewButton(this, "cmdFeedCancel");
  cmdFeedOK = ui::NewButton(this, "cmdFeedOK");
  buttons->addStretch();
  buttons->addWidget(cmdFeedCancel);
  buttons->addWidget(cmdFeedOK);
  v->addLayout(buttons);
  connect(cmdFeedOK, &QPushButton::clicked, this, [this] { cmdFeedOK_Click(); });
  connect(cmdFeedCancel, &QPushButton::clicked, this, [this] { cmdFeedCancel_Click(); });
  Apply(this, true);
}

void frmDistFeed::Form_Load() {
  const CaseData& c = Case;
  Apply(this, false);
  ui::SpreadGrid& g = *vaSpreadFeed;
  g.SetText(1, 0, dist::Pick("説明", "Description"));
  g.SetText(2, 0, dist::Pick("単位", "Unit"));
  const int nFeed = std::clamp(static_cast<int>(c.N_Feed), 0, kMaxFeed);
  for (int f = 1; f <= kMaxFeed; ++f)
    g.SetText(f + 2, 0, f <= nFeed ? dist::Pick("ﾌｨｰﾄﾞ #", "Feed #") + txt::Plain(f) : " ");
  const char* rows[5][2] = {{"フィード段", "Feed Loc"},
                            {"フィード温度", "Feed Temp"},
                            {"フィード圧力", "Feed Press"},
                            {"フィードＶ／Ｆ", "Feed V/F"},
                            {"フィード量", "Feed Flow"}};
  for (int r = 0; r < 5; ++r) g.SetText(1, r + 1, dist::Pick(rows[r][0], rows[r][1]));
  g.SetText(2, 1, dist::Pick("塔頂から", "from Top"));
  g.SetText(2, 2, Unit_Temp_Text());
  g.SetText(2, 3, Unit_Press_Text());
  g.SetText(2, 4, "  -");
  g.SetText(2, 5, "Kgmol/H");
  const int nc = Component_Count();
  for (int i = 1; i <= nc; ++i) {
    g.SetText(1, i + 5, c.Comp_Name[i]);
    g.SetText(2, i + 5, dist::Pick("ﾓﾙ分率", "Mole Fr"));
  }
  for (int f = 1; f <= nFeed; ++f) {
    const int col = f + 2;
    g.SetText(col, 1, txt::Plain(static_cast<int>(c.Feed_Stage[f])));
    g.SetText(col, 2, txt::Plain(c.Feed_T[f]));
    g.SetText(col, 3, txt::Plain(c.Feed_P[f]));
    g.SetText(col, 4, txt::Plain(c.Feed_VF[f]));
    g.SetText(col, 5, txt::Plain(c.Feed_Flow[f]));
    for (int i = 1; i <= nc; ++i) g.SetText(col, i + 5, txt::Plain(c.Feed_Z[i][f]));
  }
}

void frmDistFeed::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

void frmDistFeed::cmdFeedOK_Click() {
  CaseData& c = Case;
  const ui::SpreadGrid& g = *vaSpreadFeed;
  // Feeds are read column by column up to the first column without a stage.
  // Every stage is checked before anything is stored: a feed off the column is
  // reported and the dialog stays open with what was typed, so the feeds of the
  // case never end up half replaced.
  int count = 0;
  while (count < kMaxFeed && !Empty(g.Text(kFirstFeedCol + count, 1))) {
    const long long stage = txt::ValCount(g.Text(kFirstFeedCol + count, 1));
    if (stage < 2 || stage > c.NT) {
      ui::MsgBox("フィード段が1以下または理論段数以上です。");
      return;
    }
    ++count;
  }
  const int nc = Component_Count();
  c.N_Feed = count;
  for (int f = 1; f <= count; ++f) {
    const int col = f + 2;
    c.Feed_Stage[f] = static_cast<int32_t>(txt::ValCount(g.Text(col, 1)));
    c.Feed_T[f] = g.Value(col, 2);
    c.Feed_P[f] = g.Value(col, 3);
    c.Feed_VF[f] = g.Value(col, 4);
    c.Feed_Flow[f] = g.Value(col, 5);
    for (int i = 1; i <= nc; ++i) c.Feed_Z[i][f] = g.Value(col, i + kFirstCompRow - 1);
  }
  Set_Dist_Display_Data();
  ui::Forms::Unload(this);
}

void frmDistFeed::cmdFeedCancel_Click() { ui::Forms::Unload(this); }
