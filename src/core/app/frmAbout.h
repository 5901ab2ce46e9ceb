// The about box: version, the revision history of the running program, the
// legal notice and the contact address.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <string>

#include "platform/ui/Form.h"

class frmAbout : public ui::Form {
  Q_OBJECT

 public:
  frmAbout();
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;
  void cmdOK_Click();
  void lblMailAddress_Click();
  bool eventFilter(QObject* watched, QEvent* event) override;

  QLabel* lblTitle;
  QLabel* lblVersion;
  QLabel* lblDescription;
  QPlainTextEdit* txtVersion;
  QLabel* lblDisclaimer;
  QLabel* lblEMailAddressTitle;
  QLabel* lblMailAddress;
  QLabel* picIcon;
  QPushButton* cmdOK;
};

// The revision history shown for a running-program number (lines joined by CR LF).
std::string Revision_History(int programNo);

// The contact address of the about box.
extern const char* const kContactAddress;
