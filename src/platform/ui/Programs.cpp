#include "platform/ui/Programs.h"

#include <vector>

namespace ui {
namespace {
std::vector<ProgramWindow>& Windows() {
  static std::vector<ProgramWindow> windows;
  return windows;
}
std::function<void()> g_showMenu;
}  // namespace

void RegisterProgramWindow(ProgramWindow window) { Windows().push_back(std::move(window)); }

const ProgramWindow* FindProgramWindow(int programNo) {
  const ProgramWindow* best = nullptr;
  for (const auto& w : Windows())
    if (w.programNo == programNo && (!best || w.priority > best->priority)) best = &w;
  return best;
}

void SetMenuReturn(std::function<void()> showMenu) { g_showMenu = std::move(showMenu); }

void ReturnToMenu() {
  if (g_showMenu) g_showMenu();
}

}  // namespace ui
