// What the program asks of the desktop: the per-user settings store, the
// documents folder, the platform version, the single-instance test and the
// clock. Each has a real implementation and can be replaced in tests.
#pragma once

#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include <QString>

namespace ui {

// The per-user settings store: values by section and key (section names ignore case).
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string Get(const std::string& section, const std::string& key) = 0;
  virtual void Save(const std::string& section, const std::string& key, const std::string& value) = 0;
};

// In memory (tests).
class MemorySettingsStore : public SettingsStore {
 public:
  std::string Get(const std::string& section, const std::string& key) override;
  void Save(const std::string& section, const std::string& key, const std::string& value) override;
  std::map<std::string, std::string> values;  // "section/key" in lower case -> value
  int writes = 0;
};

SettingsStore& Settings();
void SetSettingsStore(SettingsStore* store);  // nullptr: the real store

// The platform as the start-up check reads it.
struct PlatformVersion {
  int platformId = 0;  // 1 Windows 9x, 2 Windows NT; kThisPlatform for this build's own
  int major = 0;
  int minor = 0;
};
constexpr int kThisPlatform = 100;

// The desktop facts the start-up needs; replaced wholesale in tests.
struct Desktop {
  std::function<PlatformVersion()> platformVersion;
  std::function<bool()> anotherInstanceRunning;
  std::function<std::string()> documentsFolder;
  std::function<std::string()> applicationFolder;
};
Desktop& CurrentDesktop();
// Restores the real desktop.
void ResetDesktop();
// The file name (in the temporary folder) of the single-instance lock: one per
// user id.
QString InstanceLockName();

// The current local time.
std::tm Now();
// "yyyy/mm/dd hh:nn:ss", as dates are stored and logged.
std::string NowText();

}  // namespace ui
