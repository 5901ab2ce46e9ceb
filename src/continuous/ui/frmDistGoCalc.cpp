#include "continuous/ui/frmDistGoCalc.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "continuous/DistInitialProfile.h"
#include "continuous/ui/DistDisplay.h"
#include "continuous/ui/frmDistCalc.h"
#include "core/model/CalcMessages.h"
#include "platform/ui/Controls.h"

VZ_FORM_FACTORY(frmDistGoCalc);

frmDistGoCalc::frmDistGoCalc() : ui::Form("frmDistGoCalc") {
  auto* v = new QVBoxLayout(this);
  lblGoCalc = ui::NewLabel(this, "lblGoCalc");
  v->addWidget(lblGoCalc);
  auto* buttons = new QHBoxLayout();
  cmdGoCalcInz = ui::NewButton(this, "cmdGoCalcInz");
  cmdGoCalcCont = ui::NewButton(this, "cmdGoCalcCont");
  cmdGoCalcExit = ui::NewButton(this, "cmdGoCalcExit");
  for (QPushButton* b : {cmdGoCalcInz, cmdGoCalcCont, cmdGoCalcExit}) {
    b->setMinimumSize(120, 32);
    buttons->addWidget(b);
  }
  v->addLayout(buttons);
  connect(cmdGoCalcInz, &QPushButton::clicked, this, [this] { cmdGoCalcInz_Click(); });
  connect(cmdGoCalcCont, &QPushButton::clicked, this, [this] { cmdGoCalcCont_Click(); });
  connect(cmdGoCalcExit, &QPushButton::clicked, this, [this] { cmdGoCalcExit_Click(); });
}

void frmDistGoCalc::Form_Load() {
  dist::Apply_Captions(this, {
                                 {nullptr, "逐次段蒸留計算　計算開始", "Step by Step Distillation Start Calculationm"},
                                 {"lblGoCalc", "塔内組成の初期値設定", "Initial Tray Composition "},
                                 {"cmdGoCalcInz", "初期化(&I)", "Initial(&I)"},
                                 {"cmdGoCalcCont", "前回値(&C)", "Continue(&C)"},
                                 {"cmdGoCalcExit", "取消(&X)", "Cancel(&X)"},
                             });
}

void frmDistGoCalc::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

void frmDistGoCalc::Initial_Profile_set() { ::Initial_Profile_set(); }

void frmDistGoCalc::cmdGoCalcInz_Click() {
  Initial_Composition_set();
  Start_Run();
}

void frmDistGoCalc::cmdGoCalcCont_Click() {
  bool kept;
  {
    CalcMessageScope scope;
    kept = Continue_Composition_set();
  }
  if (!kept) {
    ui::Forms::Unload(this);
    return;
  }
  Start_Run();
}

void frmDistGoCalc::cmdGoCalcExit_Click() { ui::Forms::Unload(this); }

void frmDistGoCalc::Start_Run() {
  Initial_Profile_set();
  // The dialog goes before the run; its handler returns when the solver window closes.
  ui::Forms::Unload(this);
  ui::Forms::Get<frmDistCalc>().ShowModal();
}
