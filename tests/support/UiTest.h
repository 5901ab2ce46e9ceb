// The fixture of every window test: a scripted interaction service (an
// unexpected prompt fails the test at once), an in-memory settings store, a
// fake desktop, a scratch data folder and a fresh case.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/ui/Form.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Services.h"

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The folder the case's data files go to in this test.
  std::string DataDir() const { return dataDir_.string(); }
  std::string DataPath(const std::string& name) const { return (dataDir_ / name).string(); }

  ui::ScriptedInteraction script;
  ui::MemorySettingsStore settings;
  int endRequests = 0;        // times the application was asked to end
  std::string documents;      // the fake documents folder
  std::string appFolder;      // the fake application folder

 private:
  std::filesystem::path dataDir_;
  ui::Interaction* previous_ = nullptr;
};
