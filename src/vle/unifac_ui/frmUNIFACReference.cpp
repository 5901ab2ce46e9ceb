#include "vle/unifac_ui/frmUNIFACReference.h"

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/ui/Controls.h"

frmUNIFACReference::frmUNIFACReference() : ui::Form("frmUNIFACReference") {
  SetCaption("UNIFAC　Parameter 出典");
  lblReference = ui::NewLabel(this, "lblReference");
  lblReference->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblReference->setWordWrap(true);
  ui::Place(lblReference, 240, 240, 7200, 1500);
  lblMessage = ui::NewLabel(this, "lblMessage");
  ui::Place(lblMessage, 240, 1860, 4200, 300);
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  ui::Place(cmdExit, 5940, 1800, 1500, 420);
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  setFixedSize(ui::Px(7680), ui::Px(2400));
}

void frmUNIFACReference::Form_Load() {
  lblReference->setText(
      "出典\r\n"
      "Ind. Eng. Chem. Res. 1987,26,159-161\r\n"
      "パラメータ表: 公開 UNIFAC パラメータ (Hansen et al., Ind. Eng. Chem. Res. 1991,30,2352 ほか)\r\n"
      "適用範囲：温度範囲(275～425K) 最大圧力 15bar");
  if (Case.Language == 0) {
    lblMessage->setText("");
    cmdExit->setText("戻る(&X)");
  } else if (In_English()) {
    lblMessage->setText("Sorry Japanease only");
    cmdExit->setText("Exit (&X)");
  }
}

void frmUNIFACReference::Form_KeyDown(int& keyCode, int) {
  if (keyCode == ui::vbKeyEscape) {
    keyCode = 0;
    cmdExit_Click();
  }
}

void frmUNIFACReference::cmdExit_Click() { ui::Forms::Unload(this); }
