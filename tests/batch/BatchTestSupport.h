// Shared set-up of the batch tests: a scratch data folder, the example case and
// a host that records what the run shows and answers its questions.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "batch/model/BatchData.h"
#include "batch/run/BatchChecks.h"
#include "batch/run/BatchRun.h"
#include "batch/run/BatchRunFiles.h"
#include "core/model/CaseData.h"
#include "support/ScratchDir.h"

namespace batchtest {

// Records every hook; answers the negative-composition question from a script.
class RecordingHost : public BatchHost {
 public:
  std::vector<std::string> messages, notices;
  std::vector<int> marks;
  std::vector<BatchEnd> ends;
  int retryQuestions = 0, steps = 0, saves = 0, withdrawals = 0;
  bool answerRetry = false;
  std::function<void()> onYield, onSave, onStep, onWithdrawal;

  void Message(const std::string& text) override { messages.push_back(text); }
  bool AskRetry(const std::string& text) override {
    ++retryQuestions;
    messages.push_back(text);
    return answerRetry;
  }
  void Notice(const std::string& text) override { notices.push_back(text); }
  void StepDone() override {
    ++steps;
    if (onStep) onStep();
  }
  void RecordSaved(int) override {
    ++saves;
    if (onSave) onSave();
  }
  void MarkLine(int colour) override { marks.push_back(colour); }
  void WithdrawalStarted() override {
    ++withdrawals;
    if (onWithdrawal) onWithdrawal();
  }
  void Yield() override {
    if (onYield) onYield();
  }
  void RunEnded(BatchEnd end) override { ends.push_back(end); }
};

class BatchFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = ScratchDirFor("batch");
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    Reset_Case_Data();
    Reset_Batch_Data();
    Case.Data_Dir = dir_.string();
    Case.Max_Comp = 20;
    Case.Max_Tray = 200;
    previousClock_ = Set_Batch_Log_Clock([] { return std::string("2026/12/09 05:00:00"); });
  }
  void TearDown() override {
    Set_Batch_Log_Clock(previousClock_);
    std::filesystem::remove_all(dir_);
  }
  void LoadExample() {
    Batch_Initial_set();
    Batch_Example_set();
    ASSERT_TRUE(Batch_Check_Case().ok);
  }
  void English() { Case.Language = 1; }
  std::string File(int n) const { return Batch_Run_File(n); }
  bool Exists(int n) const { return std::filesystem::exists(File(n)); }
  static std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static std::vector<std::string> Lines(const std::string& path) {
    std::vector<std::string> out;
    std::string text = Slurp(path), line;
    for (char ch : text) {
      if (ch == '\n') {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
        line.clear();
      } else {
        line += ch;
      }
    }
    if (!line.empty()) out.push_back(line);
    return out;
  }
  // The log lines without their date and time.
  static std::vector<std::string> LogTails() {
    std::vector<std::string> out;
    for (const std::string& line : Lines(Batch_Log_Path())) out.push_back(line.substr(19));
    return out;
  }
  std::filesystem::path dir_;
  BatchLogClock previousClock_;
};

}  // namespace batchtest
