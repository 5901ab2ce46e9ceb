// Writes every window the program knows to a PNG, without a desktop:
//   vz_gallery <folder>
#include <QApplication>
#include <QDir>

#include <cstdio>
#include <string>

#include "core/model/CaseData.h"
#include "platform/ui/Form.h"
#include "platform/ui/Gallery.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Services.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const std::string folder = argc > 1 ? argv[1] : "gallery";
  QDir().mkpath(QString::fromStdString(folder));
  // No prompt may wait for a user here.
  ui::SilentInteraction silent(true);
  ui::SetInteraction(&silent);
  ui::MemorySettingsStore settings;
  ui::SetSettingsStore(&settings);
  ui::SetEndHandler([] {});
  int failures = 0;
  for (const auto& shot : ui::GalleryShots()) {
    Reset_Case_Data();
    Case.Data_Dir = QDir::tempPath().toStdString();
    QWidget* w = shot.prepare();
    const std::string path = folder + "/" + shot.name + ".png";
    if (ui::RenderToPng(w, path)) {
      std::printf("%s\n", path.c_str());
    } else {
      std::fprintf(stderr, "could not render %s\n", shot.name.c_str());
      ++failures;
    }
    ui::Forms::UnloadAll();
  }
  return failures == 0 ? 0 : 1;
}
