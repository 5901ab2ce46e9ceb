// Drives the shared dialogs from the program windows' stand-ins, as a user would.
#pragma once

#include <functional>
#include <string>

#include "core/app/ProgramPlaceholders.h"
#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "support/UiTest.h"

// A database lookup of its own name; what it does is scripted per test.
template <int N>
struct FakeLookup : ui::Form {
  static const char* Name() {
    static const char* const names[] = {"frmDBAntoine", "frmDBComponent", "frmDBWilson",
                                        "frmDBNRTL", "frmDBKij", "frmDBEnthalpyCoeff"};
    return names[N];
  }
  FakeLookup() : ui::Form(Name()) {}
};

class DialogTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    RegisterLookups();
  }

  // Loads the stand-in main window of a program (0 column, 1 batch, 2 flash),
  // which sets the program title, and makes it the dialogs' target.
  ui::Form& Main(int mode) {
    ui::Form* f = nullptr;
    if (mode == 0) f = &ui::Forms::Get<frmPlaceholder<0>>();
    else if (mode == 1) f = &ui::Forms::Get<frmPlaceholder<1>>();
    else f = &ui::Forms::Get<frmPlaceholder<2>>();
    Case.Program_Mode = static_cast<int16_t>(mode);
    return *f;
  }

  // Shows dialog D modally; `act` runs while it is on screen.
  template <typename D>
  void Run(std::function<void(D&)> act) {
    script.OnModal(ui::Forms::Get<D>().objectName().toStdString(), [act](ui::Form& f) {
      f.show();
      act(static_cast<D&>(f));
    });
    ui::Forms::Get<D>().ShowModal();
  }

  static std::string Label(ui::Form& main, const char* name) { return ui::ControlText(&main, name); }

 private:
  static void RegisterLookups() {
    static bool done = false;
    if (done) return;
    done = true;
    Register<FakeLookup<0>>();
    Register<FakeLookup<1>>();
    Register<FakeLookup<2>>();
    Register<FakeLookup<3>>();
    Register<FakeLookup<4>>();
    Register<FakeLookup<5>>();
  }
  template <typename L>
  static void Register() {
    ui::Forms::RegisterFactory(L::Name(), [] { return static_cast<ui::Form*>(&ui::Forms::Get<L>()); });
  }
};
