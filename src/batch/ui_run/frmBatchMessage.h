// The run's notice (total reflux converged, tank changed, history graph full):
// modal over the run window, it closes itself after 5 seconds or on OK.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <string>

#include "platform/ui/Form.h"

class frmBatchMessage : public ui::Form {
  Q_OBJECT

 public:
  frmBatchMessage();
  void Form_Load() override;
  void Form_Activate() override;

  void Timer1_Timer();
  void cmdOK_Click();

  // How long the notice stays, ms.
  static constexpr int kShowMs = 5000;

  QLabel* lblMesssage;
  QPushButton* cmdOK;
  QTimer* Timer1;
};

// Shows the notice with `text` modally over the run window; returns when it has closed.
void Batch_Show_Notice(const std::string& text);
