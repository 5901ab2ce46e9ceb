#include "platform/ui/DialogLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace ui {

namespace {

// The one translator the application has installed, owned here for as long as
// it is installed (Qt keeps only a pointer to it).
std::unique_ptr<QTranslator>& Installed() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

}  // namespace

bool Use_Standard_Dialog_Language(bool japanese) {
  std::unique_ptr<QTranslator>& installed = Installed();
  if (installed) {
    QCoreApplication::removeTranslator(installed.get());
    installed.reset();
  }
  if (!japanese) return true;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return false;
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
  return true;
}

}  // namespace ui
