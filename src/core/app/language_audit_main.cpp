// Lists every window that keeps the earlier language after a switch: each is
// loaded in one language, the language is switched, the window is shown again
// and compared with the same window loaded fresh in the new language. Both
// directions are tried. Exit status 1 when any window kept a text.
//   vz_language_audit
#include <QApplication>
#include <QDir>

#include <cstdio>
#include <string>

#include "core/model/CaseData.h"
#include "platform/ui/Form.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/LanguageAudit.h"
#include "platform/ui/Services.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // No prompt may wait for a user here.
  ui::SilentInteraction silent;
  ui::SetInteraction(&silent);
  ui::MemorySettingsStore settings;
  ui::SetSettingsStore(&settings);
  ui::SetEndHandler([] {});
  const std::string dbPath = QDir(QCoreApplication::applicationDirPath()).filePath("Vadezid$.mdb").toStdString();
  const auto prepare = [&] {
    Reset_Case_Data();
    Case.Data_Dir = QDir::tempPath().toStdString();
    Case.DB_Path = dbPath;
  };
  const auto setLanguage = [](int language) { Case.Language = static_cast<int16_t>(language); };
  int windows = 0;
  int staleWindows = 0;
  for (const QString& name : ui::Forms::FactoryNames()) {
    ++windows;
    bool stale = false;
    for (const auto& [from, to] : {std::pair{0, 1}, std::pair{1, 0}}) {
      const auto texts = ui::Audit_Language_Switch(name, from, to, setLanguage, prepare);
      for (const auto& t : texts) {
        std::printf("%s (%s -> %s) %s: shows \"%s\", fresh \"%s\"\n", name.toStdString().c_str(),
                    from == 0 ? "ja" : "en", to == 0 ? "ja" : "en", t.where.c_str(), t.shown.c_str(),
                    t.fresh.c_str());
        stale = true;
      }
    }
    if (stale) ++staleWindows;
  }
  std::printf("%d of %d windows keep a text of the earlier language\n", staleWindows, windows);
  return staleWindows == 0 ? 0 : 1;
}
