#include "continuous/ui/frmDistPressProfile.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

#include "continuous/ui/DistDisplay.h"
#include "core/dialogs/DialogCommon.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"

VZ_FORM_FACTORY(frmDistPressProfile);

namespace {

void Apply(QWidget* form, bool design) {
  dist::Apply_Captions(
      form,
      {
          {nullptr, "逐次段蒸留計算　塔内圧力分布", "Step by Step Distillation Tower Pressure Profile"},
          {"lblPressProfileText", "塔内圧力分布を入力します。", "Input Tower Pressure Profile"},
          {"lblPressProfileText2", "（指定する段の圧力を入力、他は空白のまま)",
           "(Input press to be set, other blank)"},
          {"cmdPressProfileOK", "ＯＫ(&O)", "OK(&O)"},
          {"cmdPressProfileCancel", "取消(&C)", "Cancel(&C)"},
      },
      design);
}

// Stages of the case that the grid holds.
int Stage_Count() { return std::clamp(static_cast<int>(Case.NT), 0, kMaxTray); }

}  // namespace

frmDistPressProfile::frmDistPressProfile() : ui::Form("frmDistPressProfile") {
  auto* v = new QVBoxLayout(this);
  v->addWidget(ui::NewLabel(this, "lblPressProfileText"));
  v->addWidget(ui::NewLabel(this, "lblPressProfileText2"));
  vaSpreadPressProfile = new ui::SpreadGrid("vaSpreadPressProfile", this);
  vaSpreadPressProfile->SetMaxCols(1);
  vaSpreadPressProfile->SetMaxRows(kMaxTray);
  vaSpreadPressProfile->SetColWidth(1, 16);
  vaSpreadPressProfile->setMinimumSize(300, 420);
  v->addWidget(vaSpreadPressProfile, 1);
  auto* buttons = new QHBoxLayout();
  cmdPressProfileCancel = ui::NewButton(this, "cmdPressProfileCancel");
  cmdPressProfileOK = ui::NewButton(this, "cmdPressProfileOK");
  buttons->addStretch();
  buttons->addWidget(cmdPressProfileCancel);
  buttons->addWidget(cmdPressProfileOK);
  v->addLayout(buttons);
  connect(cmdPressProfileOK, &QPushButton::clicked, this, [this] { cmdPressProfileOK_Click(); });
  connect(cmdPressProfileCancel, &QPushButton::clicked, this, [this] { cmdPressProfileCancel_Click(); });
  Apply(this, true);
}

void frmDistPressProfile::Form_Load() { Apply(this, false); }

void frmDistPressProfile::Form_Activate() {
  const CaseData& c = Case;
  ui::SpreadGrid& g = *vaSpreadPressProfile;
  Select_Unit_Entries();
  g.SetText(1, 0, "Press " + Unit_Press_Text());
  g.ClearAll();
  // Only the column's own stages are offered.
  const int nt = Stage_Count();
  g.SetMaxRows(nt);
  for (int j = 1; j <= nt; ++j) g.SetText(0, j, txt::Plain(j));
  if (nt < 1) return;
  g.SetText(0, 1, "Top");
  g.SetText(0, nt, "Bottom");
  // Later headings replace earlier ones on a shared stage.
  auto mark = [&](int stage, const char* text) {
    if (stage >= 1 && stage <= nt) g.SetText(0, stage, text);
  };
  for (int f = 1; f <= std::clamp(static_cast<int>(c.N_Feed), 0, kMaxFeed); ++f) mark(c.Feed_Stage[f], "Feed");
  for (int k = 1; k <= std::clamp(static_cast<int>(c.N_LiqSC), 0, kMaxFeed); ++k) mark(c.LiqSC_Stage[k], "Liq SC");
  for (int k = 1; k <= std::clamp(static_cast<int>(c.N_VapSC), 0, kMaxFeed); ++k) mark(c.VapSC_Stage[k], "Vap SC");
  // The pressures fixed so far, so that OK without a change keeps them; a
  // stage left to the interpolation (0) stays blank.
  for (int j = 2; j < nt; ++j)
    if (c.Tray_Press[j] != 0) g.SetText(1, j, txt::Plain(c.Tray_Press[j]));
  g.SetText(1, 1, txt::Plain(c.P_Top));
  g.SetText(1, nt, txt::Plain(c.P_Bottom));
}

void frmDistPressProfile::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

void frmDistPressProfile::cmdPressProfileOK_Click() {
  CaseData& c = Case;
  const int nt = Stage_Count();
  // A blank stage is left to the interpolation (0); any other text must be
  // wholly a number, and every row is read before anything is stored.
  double press[kMaxTray + 1] = {};
  const ui::SpreadGrid& g = *vaSpreadPressProfile;
  for (int j = 1; j <= nt; ++j) {
    const std::string text = g.Text(1, j);
    if (text.find_first_not_of(" \t") == std::string::npos) continue;
    const std::string field = g.Text(1, 0) + " " + g.Text(0, j);
    if (!dlg::Read_Number(ui::Q(text), field, press[j])) return;
  }
  for (int j = 1; j <= nt; ++j) c.Tray_Press[j] = press[j];
  if (nt >= 1) {
    c.P_Top = c.Tray_Press[1];
    c.P_Bottom = c.Tray_Press[nt];
  }
  // The main window's summary shows the new top and bottom pressures at once.
  Set_Dist_Display_Data();
  ui::Forms::Unload(this);
}

void frmDistPressProfile::cmdPressProfileCancel_Click() { ui::Forms::Unload(this); }
