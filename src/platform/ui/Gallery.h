// Every window can be rendered to a PNG without a desktop: each window library
// registers shots (a function that builds the window in a state worth seeing),
// and the gallery program writes them all.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace ui {

struct GalleryShot {
  std::string name;                    // file name without ".png"
  std::function<QWidget*()> prepare;   // builds and fills the window; the gallery grabs it
};

std::vector<GalleryShot>& GalleryShots();

struct GalleryRegistrar {
  GalleryRegistrar(std::string name, std::function<QWidget*()> prepare) {
    GalleryShots().push_back({std::move(name), std::move(prepare)});
  }
};

// Renders a window as it would look on screen (laid out, not shown) to a PNG.
bool RenderToPng(QWidget* window, const std::string& path);

}  // namespace ui

#define VZ_GALLERY_CAT2(a, b) a##b
#define VZ_GALLERY_CAT(a, b) VZ_GALLERY_CAT2(a, b)
// VZ_GALLERY_SHOT("flash_bubble", [] { ...; return &form; });
#define VZ_GALLERY_SHOT(name, ...) \
  static ::ui::GalleryRegistrar VZ_GALLERY_CAT(vz_gallery_shot_, __LINE__)(name, __VA_ARGS__)
