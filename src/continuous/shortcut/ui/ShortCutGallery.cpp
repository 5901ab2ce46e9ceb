// Gallery shots of the shortcut design window over Example-1.
#include "continuous/DistDefaults.h"
#include "continuous/shortcut/ui/frmDistShortCut.h"
#include "core/model/CaseData.h"
#include "platform/ui/Gallery.h"

namespace {

QWidget* Example1(int language, bool calculate, int calcType) {
  Case.Language = static_cast<int16_t>(language);
  Dist_Example1_set();
  Case.SC_Calc_Type = calcType;
  ui::Forms::Unload<frmDistShortCut>();
  auto& form = ui::Forms::Get<frmDistShortCut>();
  form.Form_Activate();
  if (calculate) form.cmdCalc_Click();
  return &form;
}

}  // namespace

VZ_GALLERY_SHOT("dist_shortcut_open", [] { return Example1(0, false, 0); });
VZ_GALLERY_SHOT("dist_shortcut_mol_fr", [] { return Example1(0, true, 0); });
VZ_GALLERY_SHOT("dist_shortcut_recovery_en", [] { return Example1(1, true, 1); });
