#include "platform/ui/Services.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <functional>

namespace ui {
namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

class QtSettingsStore : public SettingsStore {
 public:
  std::string Get(const std::string& section, const std::string& key) override {
    QSettings s("Vadezid", "Vadezid");
    return s.value(QString::fromStdString(Lower(section) + "/" + key)).toString().toStdString();
  }
  void Save(const std::string& section, const std::string& key, const std::string& value) override {
    QSettings s("Vadezid", "Vadezid");
    s.setValue(QString::fromStdString(Lower(section) + "/" + key), QString::fromStdString(value));
  }
};

QtSettingsStore g_realSettings;
SettingsStore* g_settings = nullptr;

}  // namespace

QString InstanceLockName() {
  // Keyed by the user id, not by $USER: an unset or shared variable must not
  // let one user's instance refuse another's.
  return QStringLiteral("vadezid-uid%1.lock").arg(static_cast<qulonglong>(::getuid()));
}

namespace {

Desktop RealDesktop() {
  Desktop d;
  d.platformVersion = [] { return PlatformVersion{kThisPlatform, 1, 0}; };
  d.anotherInstanceRunning = [] {
    // The lock lives as long as the process; a second process cannot take it.
    static QLockFile* lock = nullptr;
    if (!lock) {
      lock = new QLockFile(QDir::temp().filePath(InstanceLockName()));
      lock->setStaleLockTime(0);
      if (!lock->tryLock(0)) return true;
    }
    return false;
  };
  d.documentsFolder = [] {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
  };
  d.applicationFolder = [] { return QCoreApplication::applicationDirPath().toStdString(); };
  return d;
}

Desktop g_desktop = RealDesktop();

}  // namespace

std::string MemorySettingsStore::Get(const std::string& section, const std::string& key) {
  auto it = values.find(Lower(section) + "/" + key);
  return it == values.end() ? std::string() : it->second;
}

void MemorySettingsStore::Save(const std::string& section, const std::string& key, const std::string& value) {
  values[Lower(section) + "/" + key] = value;
  ++writes;
}

SettingsStore& Settings() { return g_settings ? *g_settings : g_realSettings; }
void SetSettingsStore(SettingsStore* store) { g_settings = store; }

Desktop& CurrentDesktop() { return g_desktop; }
void ResetDesktop() { g_desktop = RealDesktop(); }

std::tm Now() {
  const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

std::string NowText() {
  const std::tm t = Now();
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec);
  return buf;
}

}  // namespace ui
