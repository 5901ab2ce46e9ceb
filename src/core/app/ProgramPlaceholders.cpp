#include "core/app/ProgramPlaceholders.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/frmAbout.h"
#include "core/dialogs/frmComponent.h"
#include "core/dialogs/frmEnthalpy.h"
#include "core/dialogs/frmK_Value.h"
#include "core/dialogs/frmMemo.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Programs.h"

namespace {

const PlaceholderSpec kSpecs[9] = {
    {0, "frmDistMain", "逐次段蒸留計算", "Step by Step Distillation", "cmdExit",
     {"lblMainNC", "lblMainKValue", "lblMainEnthalpy", "lblMainUnitTempData", "lblMainUnitPressData",
      "lblMainUnitHeatData", "lblUnitTopPress", "lblUnitBtmPress"},
     {"cmdComponent", "cmdUnit", "cmdKValue", "cmdEnthalpy", "cmdMemo"}, 0},
    {1, "frmBatchDistillationMain", "バッチ蒸留計算  ", "Batch Distillation  ", "cmdExit",
     {"lblNCData", "lblKValue", "lblEnthalpy", "lblTempUnitData", "lblPressUnitData", "lblHeatUnitData"},
     {"cmdComponent", "cmdUnit", "cmdKValue", "cmdEnthalpy", "cmdMemo"}, 0},
    {2, "frmFlash", "ＦＬＡＳＨ計算", "Flash Calculation", "cmdExit",
     {"lblNCData", "lblK_Value", "lblEnthalpy", "lblTempUnit", "lblPressUnit"},
     {"cmdComponent", "cmdUnit", "cmdKValue", "cmdEnthalpy", "cmdMemo"}, 0},
    {3, "frmAntoineVaporPress", "Antoine定数推算", "Antoine's Constants Estimation", "cmdExit", {},
     {"cmdDBAntoine", "cmdDBComponent", "cmdDBAntoineSave"}, 8},
    {4, "frmVLE_Estimation", "Wilson/N.R.T.L.定数推算", "Wilson/NRTL Parameter Estimation", "cmdMainExit",
     {"txtMainPara12", "txtMainPara21"}, {"cmdDBAntoine", "cmdDBWilson", "cmdMainMemo"}, 4},
    {5, "frmUNIFAC", "ＵＮＩＦＡＣ", "U N I F A C", "cmdExit", {}, {"cmdDBAntoine"}, 4},
    {6, "frmPhysicalMain", "純物質の物性定数推算", "Physical Property Estimation", "cmdExit", {}, {}, 0},
    {7, "frmPhysicalDatabase", "物性定数データベース", "Physical Property Database", "cmdExit", {}, {}, 0},
    {8, "frmPhysicalDatabase2", "２成分パラメータデータベース", "Interraction Parameter", "cmdExit", {}, {}, 0},
};

// The shared case dialogs that a program's case buttons open.
template <typename Dialog>
void ShowCaseDialog() {
  ui::Forms::Get<Dialog>().ShowModal();
}

void ConnectCaseButton(QPushButton* button) {
  const std::string name = button->objectName().toStdString();
  void (*open)() = nullptr;
  if (name == "cmdComponent") open = ShowCaseDialog<frmComponent>;
  else if (name == "cmdUnit") open = ShowCaseDialog<frmUnit>;
  else if (name == "cmdKValue") open = ShowCaseDialog<frmK_Value>;
  else if (name == "cmdEnthalpy") open = ShowCaseDialog<frmEnthalpy>;
  else if (name == "cmdMemo" || name == "cmdMainMemo") open = ShowCaseDialog<frmMemo>;
  if (open) QObject::connect(button, &QPushButton::clicked, button, open);
}

}  // namespace

const PlaceholderSpec& Placeholder_Spec(int programNo) { return kSpecs[programNo]; }

frmProgramPlaceholder::frmProgramPlaceholder(const PlaceholderSpec& spec)
    : ui::Form(spec.formName), spec_(spec) {
  auto* layout = new QVBoxLayout(this);
  auto* title = ui::NewLabel(this, "lblTitle");
  QFont f = title->font();
  f.setPointSize(f.pointSize() + 4);
  f.setBold(true);
  title->setFont(f);
  layout->addWidget(title);
  for (const char* name : spec.labels) {
    // The two parameter boxes of the VLE window are text boxes; the rest are labels.
    if (std::string(name).rfind("txt", 0) == 0) layout->addWidget(ui::NewTextBox(this, name));
    else layout->addWidget(ui::NewLabel(this, name));
  }
  if (spec.antoineGridCols > 0) {
    vaSpreadAntoine = new ui::SpreadGrid("vaSpreadAntoine", this);
    vaSpreadAntoine->SetMaxCols(spec.antoineGridCols);
    vaSpreadAntoine->SetMaxRows(spec.programNo == 3 ? 5 : 2);
    vaSpreadAntoine->setMinimumHeight(120);
    layout->addWidget(vaSpreadAntoine);
  }
  auto* row = new QHBoxLayout();
  for (const char* name : spec.buttons) {
    auto* button = ui::NewButton(this, name, name);
    ConnectCaseButton(button);
    row->addWidget(button);
  }
  auto* version = ui::NewButton(this, "cmdVersion", "Version");
  connect(version, &QPushButton::clicked, this, [this] { cmdVersion_Click(); });
  row->addWidget(version);
  auto* exit = ui::NewButton(this, spec.exitButton, In_English() ? "E x i t" : "終  了");
  connect(exit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  row->addWidget(exit);
  layout->addLayout(row);
  resize(560, 300);
}

void frmProgramPlaceholder::Form_Load() {
  const bool en = In_English();
  const std::string title = en ? spec_.titleEn : spec_.titleJa;
  if (spec_.programNo <= 1) {
    Case.Max_Comp = kMaxComp;
    Case.Max_Tray = kMaxTray;
  }
  if (spec_.programNo == 2) Case.Program_Mode = 2;
  if (spec_.programNo <= 2) Case.Prog_Title = title;
  ui::SetControlText(this, "lblTitle", title);
  setWindowTitle(ui::Q(title));
  if (vaSpreadAntoine && (spec_.programNo == 3 || spec_.programNo == 4)) ui::Caller_Grid = vaSpreadAntoine;
}

void frmProgramPlaceholder::Form_Unload() {
  if (ui::Caller_Grid == vaSpreadAntoine) ui::Caller_Grid = nullptr;
}

void frmProgramPlaceholder::cmdExit_Click() {
  ui::Forms::Unload(this);
  ui::ReturnToMenu();
}

void frmProgramPlaceholder::cmdVersion_Click() { ui::Forms::Get<frmAbout>().ShowModal(); }

// Registered with the lowest priority: a program's own window replaces its stand-in.
template <int No>
static ui::ProgramRegistrar RegisterPlaceholder() {
  return ui::ProgramRegistrar(ui::ProgramWindow{
      No, kSpecs[No].formName, [] { return static_cast<ui::Form*>(&ui::Forms::Get<frmPlaceholder<No>>()); }, 0});
}

void Register_Program_Placeholders() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterPlaceholder<0>();
  RegisterPlaceholder<1>();
  RegisterPlaceholder<2>();
  RegisterPlaceholder<3>();
  RegisterPlaceholder<4>();
  RegisterPlaceholder<5>();
  RegisterPlaceholder<6>();
  RegisterPlaceholder<7>();
  RegisterPlaceholder<8>();
}
