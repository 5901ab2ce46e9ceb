#include "continuous/ui/frmDistConvergence.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include <cstdint>
#include <limits>

#include "continuous/ui/DistDisplay.h"
#include "core/dialogs/DialogCommon.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"

VZ_FORM_FACTORY(frmDistConvergence);

frmDistConvergence::frmDistConvergence() : ui::Form("frmDistConvergence") {
  auto* g = new QGridLayout(this);
  g->addWidget(ui::NewLabel(this, "lblConvMaxLimit"), 0, 1, 1, 2);
  g->addWidget(ui::NewLabel(this, "lblConvMateBala"), 1, 0);
  g->addWidget(ui::NewLabel(this, "lblConvHeatBala"), 2, 0);
  txtConvMax1 = ui::NewTextBox(this, "txtConvMax1");
  txtConvMax2 = ui::NewTextBox(this, "txtConvMax2");
  txtConvLimit1 = ui::NewTextBox(this, "txtConvLimit1");
  txtConvLimit2 = ui::NewTextBox(this, "txtConvLimit2");
  for (QLineEdit* t : {txtConvMax1, txtConvMax2, txtConvLimit1, txtConvLimit2}) {
    t->setAlignment(Qt::AlignRight);
    t->setMaximumWidth(110);
  }
  g->addWidget(txtConvMax1, 1, 1);
  g->addWidget(txtConvLimit1, 1, 2);
  g->addWidget(txtConvMax2, 2, 1);
  g->addWidget(txtConvLimit2, 2, 2);
  auto* buttons = new QHBoxLayout();
  cmdConvDefault = ui::NewButton(this, "cmdConvDefault");
  cmdConvCancel = ui::NewButton(this, "cmdConvCancel");
  cmdConvOK = ui::NewButton(this, "cmdConvOK");
  buttons->addWidget(cmdConvDefault);
  buttons->addStretch();
  buttons->addWidget(cmdConvCancel);
  buttons->addWidget(cmdConvOK);
  g->addLayout(buttons, 3, 0, 1, 3);
  connect(cmdConvDefault, &QPushButton::clicked, this, [this] { cmdConvDefault_Click(); });
  connect(cmdConvOK, &QPushButton::clicked, this, [this] { cmdConvOK_Click(); });
  connect(cmdConvCancel, &QPushButton::clicked, this, [this] { cmdConvCancel_Click(); });
}

void frmDistConvergence::Form_Load() {
  dist::Apply_Captions(this, {
                                 {nullptr, "逐次段蒸留計算　  収束条件", "Step by Step Distillation"},
                                 {"lblConvMaxLimit", "最大繰返回数　収束許容誤差", "Max Iteration  Conv Criteria"},
                                 {"lblConvMateBala", "物質収支", "Mate Bala"},
                                 {"lblConvHeatBala", "熱収支", "Heat Bala"},
                                 {"cmdConvDefault", "標準値(&D)", "Default(&D)"},
                                 {"cmdConvCancel", "取消(&C)", "Cancel(&C)"},
                                 {"cmdConvOK", "ＯＫ(&O)", "OK(&O)"},
                             });
  const CaseData& c = Case;
  txtConvMax1->setText(ui::Q(txt::Plain(static_cast<int>(c.Max_Iter[1]))));
  txtConvMax2->setText(ui::Q(txt::Plain(static_cast<int>(c.Max_Iter[2]))));
  txtConvLimit1->setText(ui::Q(txt::Plain(c.Conv_Crit[1])));
  txtConvLimit2->setText(ui::Q(txt::Plain(c.Conv_Crit[2])));
}

void frmDistConvergence::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

void frmDistConvergence::cmdConvDefault_Click() {
  txtConvMax1->setText(ui::Q(txt::Plain(10)));
  txtConvMax2->setText(ui::Q(txt::Plain(20)));
  txtConvLimit1->setText(ui::Q(txt::Plain(0.00005)));
  txtConvLimit2->setText(ui::Q(txt::Plain(0.00001)));
}

void frmDistConvergence::cmdConvOK_Click() {
  CaseData& c = Case;
  // Field names: the row heading and the column heading's part for the box.
  const auto field = [this](const char* row, const char* japanese, const char* english) {
    return dlg::Field_Name(ui::Q(ui::ControlText(this, row))) + " " + InLanguage(japanese, english);
  };
  // The limits are checked against the range of the stored count before they
  // are converted; every box is read before anything is stored.
  long long max1 = 0, max2 = 0;
  double crit1 = 0, crit2 = 0;
  constexpr long long kMaxLimit = std::numeric_limits<int32_t>::max();
  if (!dlg::Read_Count(txtConvMax1->text(), field("lblConvMateBala", "最大繰返回数", "Max Iteration"), 0, kMaxLimit,
                       max1) ||
      !dlg::Read_Number(txtConvLimit1->text(), field("lblConvMateBala", "収束許容誤差", "Conv Criteria"), crit1) ||
      !dlg::Read_Count(txtConvMax2->text(), field("lblConvHeatBala", "最大繰返回数", "Max Iteration"), 0, kMaxLimit,
                       max2) ||
      !dlg::Read_Number(txtConvLimit2->text(), field("lblConvHeatBala", "収束許容誤差", "Conv Criteria"), crit2))
    return;
  c.Max_Iter[1] = static_cast<int32_t>(max1);
  c.Max_Iter[2] = static_cast<int32_t>(max2);
  c.Conv_Crit[1] = crit1;
  c.Conv_Crit[2] = crit2;
  QWidget* m = dist::Main_Window();
  ui::SetControlText(m, "lblMainMax1", txt::Plain(static_cast<int>(c.Max_Iter[1])));
  ui::SetControlText(m, "lblMainMax2", txt::Plain(static_cast<int>(c.Max_Iter[2])));
  ui::SetControlText(m, "lblMainLimit1", txt::Plain(c.Conv_Crit[1]));
  ui::SetControlText(m, "lblMainLimit2", txt::Plain(c.Conv_Crit[2]));
  ui::Forms::Unload(this);
}

void frmDistConvergence::cmdConvCancel_Click() { ui::Forms::Unload(this); }
