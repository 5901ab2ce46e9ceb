#include "support/UiTest.h"

#include <QApplication>

#include <unistd.h>

#include "core/model/CaseData.h"
#include "support/ScratchDir.h"

void UiTest::SetUp() {
  dataDir_ = ScratchDirFor("vz_ui");
  std::filesystem::remove_all(dataDir_);
  std::filesystem::create_directories(dataDir_ / "docs");
  std::filesystem::create_directories(dataDir_ / "app");
  documents = (dataDir_ / "docs").string();
  appFolder = (dataDir_ / "app").string();

  Reset_Case_Data();
  Case.Data_Dir = dataDir_.string();
  script.onUnscripted = [](const std::string& what) { ADD_FAILURE() << what; };
  previous_ = ui::SetInteraction(&script);
  ui::SetSettingsStore(&settings);
  ui::SetEndHandler([this] { ++endRequests; });
  auto& desktop = ui::CurrentDesktop();
  desktop.platformVersion = [] { return ui::PlatformVersion{ui::kThisPlatform, 1, 0}; };
  desktop.anotherInstanceRunning = [] { return false; };
  desktop.documentsFolder = [this] { return documents; };
  desktop.applicationFolder = [this] { return appFolder; };
}

void UiTest::TearDown() {
  ui::Forms::UnloadAll();
  EXPECT_EQ(script.Pending(), 0u) << "prompts were scripted but never shown";
  ui::SetInteraction(previous_);
  ui::SetSettingsStore(nullptr);
  ui::SetEndHandler(nullptr);
  ui::ResetDesktop();
  std::filesystem::remove_all(dataDir_);
}

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
