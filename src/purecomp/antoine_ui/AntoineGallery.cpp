// Gallery shots of the Antoine window: the example before and after calculate.
#include "core/model/CaseData.h"
#include "platform/ui/Gallery.h"
#include "purecomp/antoine_ui/frmAntoineVaporPress.h"

VZ_GALLERY_SHOT("antoine_example", [] {
  Case.Language = 0;
  Case.Program_No = 3;
  auto& form = ui::Forms::Get<frmAntoineVaporPress>();
  form.cmdExample_Click();
  return static_cast<QWidget*>(&form);
});

VZ_GALLERY_SHOT("antoine_example_calculated", [] {
  Case.Language = 0;
  Case.Program_No = 3;
  auto& form = ui::Forms::Get<frmAntoineVaporPress>();
  form.cmdExample_Click();
  form.cmdCalc_Click();
  return static_cast<QWidget*>(&form);
});

VZ_GALLERY_SHOT("antoine_example_english", [] {
  Case.Language = 1;
  Case.Program_No = 3;
  auto& form = ui::Forms::Get<frmAntoineVaporPress>();
  form.cmdExample_Click();
  form.cmdCalc_Click();
  form.vaSpreadAntoine_Click(2, 1);
  return static_cast<QWidget*>(&form);
});
