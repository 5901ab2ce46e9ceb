#include "continuous/ui/frmDistFeed.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "continuous/ui/DistDisplay.h"
#include "core/dialogs/DialogCommon.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
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
  g.SetText(1, 0, InLanguage("説明", "Description"));
  g.SetText(2, 0, InLanguage("単位", "Unit"));
  const int nFeed = std::clamp(static_cast<int>(c.N_Feed), 0, kMaxFeed);
  for (int f = 1; f <= kMaxFeed; ++f)
    g.SetText(f + 2, 0, f <= nFeed ? InLanguage("ﾌｨｰﾄﾞ #", "Feed #") + txt::Plain(f) : " ");
  const char* rows[5][2] = {{"フィード段", "Feed Loc"},
                            {"フィード温度", "Feed Temp"},
                            {"フィード圧力", "Feed Press"},
                            {"フィードＶ／Ｆ", "Feed V/F"},
                            {"フィード量", "Feed Flow"}};
  for (int r = 0; r < 5; ++r) g.SetText(1, r + 1, InLanguage(rows[r][0], rows[r][1]));
  g.SetText(2, 1, InLanguage("塔頂から", "from Top"));
  g.SetText(2, 2, Unit_Temp_Text());
  g.SetText(2, 3, Unit_Press_Text());
  g.SetText(2, 4, "  -");
  g.SetText(2, 5, "Kgmol/H");
  const int nc = Component_Count();
  for (int i = 1; i <= nc; ++i) {
    g.SetText(1, i + 5, c.Comp_Name[i]);
    g.SetText(2, i + 5, InLanguage("ﾓﾙ分率", "Mole Fr"));
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

namespace {

// One feed column as typed.
struct FeedColumn {
  long long stage = 0;
  double T = 0, P = 0, VF = 0, flow = 0;
  double z[kMaxComp + 1]{};
};

// "Feed #2" for column 4, also where the heading is still blank (a new feed).
std::string Feed_Name(int col) { return InLanguage("ﾌｨｰﾄﾞ #", "Feed #") + txt::Plain(col - kFirstFeedCol + 1); }

// The field name of a cell: its row's description and its feed.
std::string Cell_Field(const ui::SpreadGrid& g, int col, int row) {
  return dlg::Field_Name(ui::Q(g.Text(1, row))) + " " + Feed_Name(col);
}

// Reads feed column `col`; false after the message of the first refused cell.
bool Read_Feed_Column(const ui::SpreadGrid& g, int col, int nc, FeedColumn& f) {
  const std::string stageText = g.Text(col, 1);
  const txt::NumberProblem p = txt::ParseCount(stageText, 2, Case.NT, f.stage);
  if (p == txt::NumberProblem::OutOfRange) {
    ui::MsgBox("フィード段が1以下または理論段数以上です。");
    return false;
  }
  if (p != txt::NumberProblem::None) {
    ui::MsgBox(txt::NumberProblemMessage(p, Cell_Field(g, col, 1), stageText));
    return false;
  }
  double* values[] = {&f.T, &f.P, &f.VF, &f.flow};
  for (int r = 2; r <= 5; ++r)
    if (!dlg::Read_Number(ui::Q(g.Text(col, r)), Cell_Field(g, col, r), *values[r - 2])) return false;
  if (f.VF < 0 || f.VF > 1) {
    const std::string field = Cell_Field(g, col, 4);
    ui::MsgBox(InLanguage(("「" + field + "」は 0 から 1 の数値を入力して下さい。").c_str(),
                          (field + ": enter a number from 0 to 1.").c_str()));
    return false;
  }
  if (f.flow < 0) {
    const std::string field = Cell_Field(g, col, 5);
    ui::MsgBox(InLanguage(("「" + field + "」に負の流量は入力できません。").c_str(),
                          (field + ": a flow cannot be negative.").c_str()));
    return false;
  }
  // An empty fraction cell is a component the feed does not hold.
  for (int i = 1; i <= nc; ++i) {
    const int row = i + kFirstCompRow - 1;
    if (Empty(g.Text(col, row))) continue;
    if (!dlg::Read_Number(ui::Q(g.Text(col, row)), Cell_Field(g, col, row), f.z[i])) return false;
    if (f.z[i] < 0 || f.z[i] > 1) {
      const std::string field = Cell_Field(g, col, row);
      ui::MsgBox(InLanguage(("「" + field + "」は 0 から 1 のモル分率を入力して下さい。").c_str(),
                            (field + ": enter a mole fraction from 0 to 1.").c_str()));
      return false;
    }
  }
  return true;
}

// Fractions that do not sum to 1 are normalised, and the user is told so; typed
// fractions keep the rounding of their last digit, so a sum within 1e-6 of 1 is
// kept as typed. False, after a message, when they sum to 0.
bool Normalise_Feed(int col, int nc, FeedColumn& f) {
  double sum = 0;
  for (int i = 1; i <= nc; ++i) sum += f.z[i];
  const std::string feed = Feed_Name(col);
  if (nc > 0 && !(sum > 0)) {
    ui::MsgBox(InLanguage(("「" + feed + "」のモル分率の合計が 0 です。").c_str(),
                          (feed + ": the mole fractions sum to 0.").c_str()));
    return false;
  }
  if (nc > 0 && std::fabs(sum - 1) > 1e-6) {
    ui::MsgBox(InLanguage(
        ("「" + feed + "」のモル分率の合計が 1 ではありません (" + txt::Plain(sum) + ")。正規化して記憶します。").c_str(),
        (feed + ": the mole fractions sum to " + txt::Plain(sum) + ", not 1; they are stored normalised.").c_str()));
    for (int i = 1; i <= nc; ++i) f.z[i] /= sum;
  }
  return true;
}

}  // namespace

void frmDistFeed::cmdFeedOK_Click() {
  CaseData& c = Case;
  const ui::SpreadGrid& g = *vaSpreadFeed;
  // Feeds are read column by column up to the first column without a stage.
  // Every cell is checked before anything is stored: a refused cell is
  // reported and the dialog stays open with what was typed, so the feeds of the
  // case never end up half replaced.
  const int nc = Component_Count();
  FeedColumn feeds[kMaxFeed + 1];
  int count = 0;
  while (count < kMaxFeed && !Empty(g.Text(kFirstFeedCol + count, 1))) {
    if (!Read_Feed_Column(g, kFirstFeedCol + count, nc, feeds[count + 1])) return;
    ++count;
  }
  for (int f = 1; f <= count; ++f)
    if (!Normalise_Feed(f + 2, nc, feeds[f])) return;
  c.N_Feed = count;
  for (int f = 1; f <= count; ++f) {
    const FeedColumn& in = feeds[f];
    c.Feed_Stage[f] = static_cast<int32_t>(in.stage);
    c.Feed_T[f] = in.T;
    c.Feed_P[f] = in.P;
    c.Feed_VF[f] = in.VF;
    c.Feed_Flow[f] = in.flow;
    for (int i = 1; i <= nc; ++i) c.Feed_Z[i][f] = in.z[i];
  }
  Set_Dist_Display_Data();
  ui::Forms::Unload(this);
}

void frmDistFeed::cmdFeedCancel_Click() { ui::Forms::Unload(this); }
