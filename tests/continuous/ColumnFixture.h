// Shared set-up of the column engine tests: a fresh case data model with the
// window's limits, a scratch data folder and a recorder of the messages shown.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"

class ColumnFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Case_Data();
    Case.Max_Comp = kMaxComp;
    Case.Max_Tray = kMaxTray;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("column_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    Case.Data_Dir = dir_.string();
    recorder_ = std::make_unique<CalcMessageRecorder>();
  }
  void TearDown() override {
    recorder_.reset();
    std::filesystem::remove_all(dir_);
  }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  const std::vector<std::string>& Messages() const { return recorder_->Messages(); }

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  static void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  // The file's lines without their CR LF.
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
      const std::size_t end = text.find("\r\n", pos);
      lines.push_back(text.substr(pos, end - pos));
      if (end == std::string::npos) break;
      pos = end + 2;
    }
    return lines;
  }
  static int FieldCount(const std::string& line) {
    if (line.empty()) return 0;
    int n = 1;
    bool quoted = false;
    for (char ch : line) {
      if (ch == '"') quoted = !quoted;
      if (ch == ',' && !quoted) ++n;
    }
    return n;
  }

  std::filesystem::path dir_;
  std::unique_ptr<CalcMessageRecorder> recorder_;
};
