// The column main window opened as the menu opens it, with helpers to read
// its labels.
#pragma once

#include <QLabel>

#include <string>

#include "continuous/ui/frmDistMain.h"
#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "support/UiTest.h"

class DistWindowTest : public UiTest {
 protected:
  frmDistMain& Open(int language = 0) {
    Case.Language = static_cast<int16_t>(language);
    Case.Program_No = 0;
    Case.Program_Mode = 0;
    auto& f = ui::Forms::Get<frmDistMain>();
    f.Show();
    return f;
  }
  static std::string Label(const char* name) {
    ui::Form* m = ui::Forms::FindByName("frmDistMain");
    return m ? ui::ControlText(m, name) : std::string("<no window>");
  }
};
