// Set-up shared by the run-window tests: the example case in a scratch data
// folder, a fixed log clock and a stand-in for the batch main window.
#pragma once

#include <QPushButton>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "batch/model/BatchData.h"
#include "batch/run/BatchRunFiles.h"
#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "support/UiTest.h"

// What the run window needs of the main window: the result button and the
// window it puts back in use.
class StubBatchMain : public ui::Form {
 public:
  StubBatchMain() : ui::Form("frmBatchDistillationMain") {
    cmdResult = ui::NewButton(this, "cmdResult", "結果");
    cmdResult->setVisible(false);
  }
  QPushButton* cmdResult;
};

class BatchRunUiTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Reset_Batch_Data();
    Case.Max_Comp = 20;
    Case.Max_Tray = 200;
    Case.Prog_Title = "バッチ蒸留計算  ";
    previousClock_ = Set_Batch_Log_Clock([] { return std::string("2026/12/09 05:00:00"); });
  }
  void TearDown() override {
    UiTest::TearDown();
    Set_Batch_Log_Clock(previousClock_);
  }
  // The example case with a coarser step, so a run takes a few thousand steps.
  void Example(int mode) {
    Batch_Initial_set();
    Batch_Example_set();
    Batch.Ope_Mode = mode;
    Batch.Diff_Time = 0.001;
    Batch.QReb = Batch.QReb_TR;
  }
  // The main window as the calculate button leaves it: out of use, no result button.
  StubBatchMain& Main() {
    auto& main = ui::Forms::Get<StubBatchMain>();
    main.setEnabled(false);
    return main;
  }
  static std::vector<std::string> LogTails() {
    std::vector<std::string> out;
    std::ifstream in(Batch_Log_Path(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      out.push_back(line.substr(19));
    }
    return out;
  }

 private:
  BatchLogClock previousClock_;
};
