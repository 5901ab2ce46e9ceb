// A scratch folder name for the running test. A parameterised test's name
// holds a '/', which would make the folder a child of one that nothing removes.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

inline std::filesystem::path ScratchDirFor(const std::string& prefix) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = prefix + "_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name();
  std::replace(name.begin(), name.end(), '/', '_');
  return std::filesystem::temp_directory_path() / name;
}
