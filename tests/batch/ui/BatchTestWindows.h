// Fixture of the batch window tests: a fresh batch case and the main window opened
// as the menu opens it.
#pragma once

#include <QLabel>

#include "batch/model/BatchData.h"
#include "batch/ui/frmBatchDistillationMain.h"
#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "support/UiTest.h"

class BatchWindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Reset_Batch_Data();
  }
  frmBatchDistillationMain& OpenMain(int language = 0) {
    Case.Language = static_cast<int16_t>(language);
    Case.Program_Mode = 1;
    auto& f = ui::Forms::Get<frmBatchDistillationMain>();
    f.Show();
    return f;
  }
  frmBatchDistillationMain& OpenExample(int language = 0) {
    auto& f = OpenMain(language);
    f.cmdExample->click();
    return f;
  }
  static std::string Text(const QLabel* l) { return ui::S(l->text()); }
};
