#include "platform/ui/Gallery.h"

#include <QPixmap>
#include <QLayout>
#include <QWidget>

namespace ui {

std::vector<GalleryShot>& GalleryShots() {
  static std::vector<GalleryShot> shots;
  return shots;
}

bool RenderToPng(QWidget* window, const std::string& path) {
  if (!window) return false;
  window->ensurePolished();
  if (window->layout()) window->layout()->activate();
  if (window->size().isEmpty()) window->adjustSize();
  // Rendering draws the widget tree without showing it on a screen.
  window->setAttribute(Qt::WA_DontShowOnScreen, true);
  window->show();
  const QPixmap pixmap = window->grab();
  return pixmap.save(QString::fromStdString(path), "PNG");
}

}  // namespace ui
