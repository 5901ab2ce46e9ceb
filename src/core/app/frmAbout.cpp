#include "core/app/frmAbout.h"

#include <QEvent>
#include <QGridLayout>
#include <QStyle>

#include "core/app/frmMenu.h"
#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

const char* const kContactAddress = "support@vadezid.example";

namespace {

const char* const kDisclaimer =
    "本プログラムは現状のまま提供されます。計算結果の正しさ及び特定の目的への適合性は保証されません。"
    "計算結果の利用は使用者の責任において行ってください。";

}  // namespace

std::string Revision_History(int programNo) {
  const std::string L1 = "2002.09.吉日 改訂初版発表";
  const std::string L1b = "2002.10.吉日 改訂初版発表";
  const std::string L2 = "2003.12.14   物性DB検索　検索条件指定方法のバグ修正";
  const std::string L3 = "2003.12.17   物性DB検索　取消時のバグ修正";
  const std::string L4 = "2004.01.04   物性DB検索、Antoine定数検索　成分検索後の戻り時再度検索できないバグ修正";
  const std::string L5 = "2003.12.14   臨界定数検索/Antoine定数検索　バグ修正";
  const std::string L6 = "2003.12.14   Antoine定数検索　バグ修正";
  const std::string L7 = "2004.02.16   表計算ツール SPREAD3.0 のアップデートに伴う再コンパイル";
  const std::string L8 = "2004.02.24   物性ﾃﾞｰﾀﾍﾞｰｽ接続方法変更";
  const std::string nl = "\r\n";
  switch (programNo) {
    case 0:
    case 1: return L1 + nl + L2 + nl + L3 + nl + L4 + nl + L7;
    case 2: return L1b + nl + L2 + nl + L3 + nl + L4 + nl + L7;
    case 3: return L1 + nl + L5 + nl + L7;
    case 4:
    case 5: return L1 + nl + L6 + nl + L7;
    case 6: return L1b + nl + L7;
    case 7:
    case 8: return L1b + nl + L7 + nl + L8;
    default: return "";
  }
}

frmAbout::frmAbout() : ui::Form("frmAbout") {
  auto* g = new QGridLayout(this);
  picIcon = ui::NewLabel(this, "picIcon");
  picIcon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
  g->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
  lblTitle = ui::NewLabel(this, "lblTitle", "逐次段蒸留計算プログラム");
  QFont f = lblTitle->font();
  f.setPointSize(f.pointSize() + 4);
  f.setBold(true);
  lblTitle->setFont(f);
  g->addWidget(lblTitle, 0, 1);
  lblVersion = ui::NewLabel(this, "lblVersion");
  g->addWidget(lblVersion, 1, 1);
  lblDescription = ui::NewLabel(this, "lblDescription", "更新履歴");
  g->addWidget(lblDescription, 2, 1);
  txtVersion = ui::NewMultiLineTextBox(this, "txtVersion");
  txtVersion->setReadOnly(true);
  txtVersion->setMinimumSize(520, 110);
  g->addWidget(txtVersion, 3, 1);
  lblDisclaimer = ui::NewLabel(this, "lblDisclaimer");
  lblDisclaimer->setWordWrap(true);
  g->addWidget(lblDisclaimer, 4, 1);
  lblEMailAddressTitle = ui::NewLabel(this, "lblEMailAddressTitle", "著作権者の電子メールアドレス：");
  g->addWidget(lblEMailAddressTitle, 5, 1);
  lblMailAddress = ui::NewLabel(this, "lblMailAddress", kContactAddress);
  lblMailAddress->setStyleSheet("color: blue; text-decoration: underline;");
  lblMailAddress->setCursor(Qt::PointingHandCursor);
  lblMailAddress->installEventFilter(this);
  g->addWidget(lblMailAddress, 6, 1);
  cmdOK = ui::NewButton(this, "cmdOK", "OK");
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  g->addWidget(cmdOK, 7, 1, Qt::AlignRight);
}

void frmAbout::Form_Load() {
  lblVersion->setText(kVersionText);
  txtVersion->setPlainText(ui::Q(Revision_History(Case.Program_No)));
  lblDisclaimer->setText(ui::Q(kDisclaimer));
}

void frmAbout::Form_Activate() { setWindowTitle(lblTitle->text() + "のﾊﾞｰｼﾞｮﾝ情報"); }

void frmAbout::Form_KeyDown(int& keyCode, int) {
  if (keyCode == ui::vbKeyEscape) {
    keyCode = 0;
    ui::Forms::Unload(this);
  }
}

void frmAbout::cmdOK_Click() { ui::Forms::Unload(this); }

void frmAbout::lblMailAddress_Click() {
  ui::CurrentInteraction().OpenUrl("mailto:" + lblMailAddress->text().toStdString());
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lblMailAddress && event->type() == QEvent::MouseButtonRelease) {
    lblMailAddress_Click();
    return true;
  }
  return ui::Form::eventFilter(watched, event);
}

// Every program's version button opens the about box by name.
VZ_FORM_FACTORY(frmAbout);
