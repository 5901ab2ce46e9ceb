#include "batch/ui_run/frmBatchMessage.h"

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/ui/Controls.h"

VZ_FORM_FACTORY(frmBatchMessage);

frmBatchMessage::frmBatchMessage() : ui::Form("frmBatchMessage") {
  setFixedSize(ui::Px(2265), ui::Px(1035));
  lblMesssage = ui::NewLabel(this, "lblMesssage", "Ｘ軸をオーバーします。");
  ui::Place(lblMesssage, 120, 120, 2055, 375);
  cmdOK = ui::NewButton(this, "cmdOK", "ＯＫ(&O)");
  ui::Place(cmdOK, 480, 480, 1215, 375);
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmBatchMessage::Form_Load() {
  SetCaption(ui::Q(Case.Prog_Title));
  if (Case.Language == 0) cmdOK->setText("ＯＫ(&O)");
  else if (In_English()) cmdOK->setText("OK (&O)");
}

void frmBatchMessage::Form_Activate() {
  // Beside the middle of the run window, then the timer that closes the notice.
  if (ui::Form* run = ui::Forms::FindByName("frmBatchCalc")) {
    const QRect r = run->frameGeometry();
    move(r.left() + r.width() / 2, r.top() + r.height() / 2 - width() / 2);
  }
  Timer1->start(kShowMs);
}

void frmBatchMessage::Timer1_Timer() {
  Timer1->stop();
  ui::Forms::Unload(this);
}

void frmBatchMessage::cmdOK_Click() {
  Timer1->stop();
  ui::Forms::Unload(this);
}

void Batch_Show_Notice(const std::string& text) {
  auto& notice = ui::Forms::Get<frmBatchMessage>();
  notice.lblMesssage->setText(ui::Q(text));
  notice.ShowModal();
}
