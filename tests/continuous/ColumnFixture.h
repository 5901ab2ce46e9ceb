// Shared set-up of the column engine tests: a fresh case with the window's limits,
// a scratch data folder and a recorder of the messages shown.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "support/ScratchDir.h"

class ColumnFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Case_Data();
    Case.Max_Comp = kMaxComp;
    Case.Max_Tray = kMaxTray;
    dir_ = ScratchDirFor("column");
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    Case.Data_Dir = dir_.string();
    recorder_ = std::make_unique<CalcMessageRecorder>();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  const std::vector<std::string>& Messages() const { return recorder_->Messages(); }

  static std::string ReadFile(const std::string& path) {
    std::ostringstream ss;
    ss << std::ifstream(path, std::ios::binary).rdbuf();
    return ss.str();
  }
  // The lines of a file without their CR LF.
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0, end; pos < text.size(); pos = end + 2) {
      end = text.find("\r\n", pos);
      lines.push_back(text.substr(pos, end - pos));
      if (end == std::string::npos) break;
    }
    return lines;
  }
  static long FieldCount(const std::string& line) { return 1 + std::count(line.begin(), line.end(), ','); }

  std::filesystem::path dir_;
  std::unique_ptr<CalcMessageRecorder> recorder_;
};
