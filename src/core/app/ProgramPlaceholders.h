// Stand-in main windows for programs whose own window is not built yet: each
// opens and closes like the real one and carries the controls that other
// windows reach into (summary labels, the Antoine grid, the exit button).
#pragma once

#include <string>
#include <vector>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

struct PlaceholderSpec {
  int programNo;
  const char* formName;
  const char* titleJa;
  const char* titleEn;
  const char* exitButton;
  std::vector<const char*> labels;   // summary labels other windows write
  std::vector<const char*> buttons;  // buttons other code presses
  int antoineGridCols;               // columns of `vaSpreadAntoine`, 0 = none
};

class frmProgramPlaceholder : public ui::Form {
  Q_OBJECT

 public:
  explicit frmProgramPlaceholder(const PlaceholderSpec& spec);
  void Form_Load() override;
  void Form_Unload() override;
  void cmdExit_Click();
  void cmdVersion_Click();
  const PlaceholderSpec& Spec() const { return spec_; }
  ui::SpreadGrid* vaSpreadAntoine = nullptr;

 private:
  PlaceholderSpec spec_;
};

const PlaceholderSpec& Placeholder_Spec(int programNo);

// One window type per program, so each is loaded and found on its own.
template <int No>
class frmPlaceholder : public frmProgramPlaceholder {
 public:
  frmPlaceholder() : frmProgramPlaceholder(Placeholder_Spec(No)) {}
};

// Registers the stand-ins for all nine programs (once); the menu calls it at start.
void Register_Program_Placeholders();
