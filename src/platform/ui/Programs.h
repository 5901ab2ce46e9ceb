// The nine programs of the main menu, by running-program number: each program's
// main window registers how it is opened; the menu opens it and the program's
// exit button returns to the menu. A real window registered with a higher
// priority replaces a stand-in.
#pragma once

#include <functional>
#include <string>

namespace ui {

class Form;

struct ProgramWindow {
  int programNo = -1;
  std::string formName;
  std::function<Form*()> load;  // loads (or finds) the window; the menu shows it
  int priority = 1;
};

void RegisterProgramWindow(ProgramWindow window);
// The registered window of a program with the highest priority, or nullptr.
const ProgramWindow* FindProgramWindow(int programNo);

// The menu installs how it is shown again; programs call ReturnToMenu on exit.
void SetMenuReturn(std::function<void()> showMenu);
void ReturnToMenu();

struct ProgramRegistrar {
  explicit ProgramRegistrar(ProgramWindow w) { RegisterProgramWindow(std::move(w)); }
};

}  // namespace ui

// VZ_PROGRAM_WINDOW(2, frmFlash, 1): registers frmFlash as program 2's window.
#define VZ_PROGRAM_WINDOW(no, Type, prio)                                                   \
  static ::ui::ProgramRegistrar vz_program_window_##Type(::ui::ProgramWindow{               \
      no, #Type, [] { return static_cast<::ui::Form*>(&::ui::Forms::Get<Type>()); }, prio})
