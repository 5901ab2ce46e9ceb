// Drives the shared dialogs from the program windows' stand-ins, as a user would.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "core/app/ProgramPlaceholders.h"
#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "support/UiTest.h"

// Database lookups under their own names; what each does is scripted per test.
inline const char* const kLookupNames[] = {"frmDBAntoine", "frmDBComponent", "frmDBWilson",
                                           "frmDBNRTL", "frmDBKij", "frmDBEnthalpyCoeff"};
template <std::size_t N>
struct FakeLookup : ui::Form {
  FakeLookup() : ui::Form(kLookupNames[N]) {}
};

class DialogTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    static const bool registered = [] {
      RegisterLookups(std::make_index_sequence<std::size(kLookupNames)>());
      return true;
    }();
    (void)registered;
  }

  // Loads the stand-in main window of a program (0 column, 1 batch, 2 flash),
  // which sets the program title, and makes it the dialogs' target.
  ui::Form& Main(int mode) {
    ui::Form* f = mode == 0   ? static_cast<ui::Form*>(&ui::Forms::Get<frmPlaceholder<0>>())
                  : mode == 1 ? static_cast<ui::Form*>(&ui::Forms::Get<frmPlaceholder<1>>())
                              : static_cast<ui::Form*>(&ui::Forms::Get<frmPlaceholder<2>>());
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
  template <std::size_t... N>
  static void RegisterLookups(std::index_sequence<N...>) {
    (ui::Forms::RegisterFactory(kLookupNames[N],
                                [] { return static_cast<ui::Form*>(&ui::Forms::Get<FakeLookup<N>>()); }),
     ...);
  }
};
