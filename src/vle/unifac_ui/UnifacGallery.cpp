// Gallery shots of the UNIFAC windows: the entry after an example, the result
// diagram with a point read out, the interaction matrix with a pair shown, and
// the reference.
#include "core/model/CaseData.h"
#include "platform/ui/Gallery.h"
#include "vle/unifac_ui/frmUNIFAC.h"
#include "vle/unifac_ui/frmUNIFACReference.h"
#include "vle/unifac_ui/frmUNIFAC_DispPara.h"
#include "vle/unifac_ui/frmUNIFAC_VLE.h"

namespace {

frmUNIFAC& MainWithExample(int example) {
  Case.Language = 0;
  Case.Program_No = 5;
  auto& form = ui::Forms::Get<frmUNIFAC>();
  if (example == 1) form.cmdExample1_Click();
  else form.cmdExample2_Click();
  return form;
}

}  // namespace

VZ_GALLERY_SHOT("unifac_main_example1", [] {
  auto& form = MainWithExample(1);
  form.vaSpread2_Click(1, 16);
  return static_cast<QWidget*>(&form);
});

VZ_GALLERY_SHOT("unifac_result_example2", [] {
  auto& form = MainWithExample(2);
  if (!unifac::Estimate_Start(form.Read_Entry(), Unifac)) return static_cast<QWidget*>(&form);
  auto& result = ui::Forms::Get<frmUNIFAC_VLE>();
  const double x = result.Plot_Left + (result.Plot_Right - result.Plot_Left) * 0.3;
  const double y = result.Plot_Bottom - result.Plot_Height * Unifac.UNIFAC_Pt_Y1[61];
  result.picCalc_MouseDown(1, 0, x, y);
  return static_cast<QWidget*>(&result);
});

VZ_GALLERY_SHOT("unifac_result_example1_english", [] {
  auto& form = MainWithExample(1);
  Case.Language = 1;
  if (!unifac::Estimate_Start(form.Read_Entry(), Unifac)) return static_cast<QWidget*>(&form);
  return static_cast<QWidget*>(&ui::Forms::Get<frmUNIFAC_VLE>());
});

VZ_GALLERY_SHOT("unifac_interaction_matrix", [] {
  MainWithExample(1);
  auto& form = ui::Forms::Get<frmUNIFAC_DispPara>();
  form.vaSpread1_Click(6, 7);
  return static_cast<QWidget*>(&form);
});

VZ_GALLERY_SHOT("unifac_reference", [] {
  Case.Language = 0;
  return static_cast<QWidget*>(&ui::Forms::Get<frmUNIFACReference>());
});
