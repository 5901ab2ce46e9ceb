// Gallery shots of the flash window after each calculation type and of the
// condensing curve with a point read out.
#include "core/model/CaseData.h"
#include "flash/frmFlash.h"
#include "flash/frmFlashCondensingCurve.h"
#include "platform/ui/Gallery.h"

namespace {

QWidget* AfterCalc(bool example2, int type, const char* temp = nullptr, int hMethod = -1) {
  Case.Language = 0;
  auto& form = ui::Forms::Get<frmFlash>();
  if (example2) form.cmdSample2_Click();
  else form.cmdSample1_Click();
  if (hMethod >= 0) {
    Case.H_Method = hMethod;
    form.Set_Int_Display_Data();
  }
  if (temp) form.txtTemp->setText(temp);
  form.optCalcType.Click(type);
  form.cmdGoCalc_Click();
  return &form;
}

}  // namespace

VZ_GALLERY_SHOT("flash_bubble_t", [] { return AfterCalc(false, 0); });
VZ_GALLERY_SHOT("flash_dew_t", [] { return AfterCalc(false, 1); });
VZ_GALLERY_SHOT("flash_bubble_p", [] { return AfterCalc(false, 2); });
VZ_GALLERY_SHOT("flash_dew_p", [] { return AfterCalc(false, 3); });
VZ_GALLERY_SHOT("flash_isothermal", [] { return AfterCalc(false, 4, " 92.000", 1); });
VZ_GALLERY_SHOT("flash_srk_bubble_t", [] { return AfterCalc(true, 0); });
// SRK has no dew point: after the bubble point, the refused dew type leaves no numbers.
VZ_GALLERY_SHOT("flash_srk_dew_t_refused", [] {
  AfterCalc(true, 0);
  return AfterCalc(true, 1);
});

VZ_GALLERY_SHOT("flash_curve_type", [] {
  Case.Language = 0;
  auto& form = ui::Forms::Get<frmFlash>();
  form.cmdSample1_Click();
  form.optCalcType.Click(5);
  return static_cast<QWidget*>(&form);
});

VZ_GALLERY_SHOT("flash_condensing_curve", [] {
  Case.Language = 0;
  auto& form = ui::Forms::Get<frmFlash>();
  form.cmdSample1_Click();
  Case.H_Method = 1;
  form.optCalcType.Click(5);
  form.txtTemp->setText("");
  form.txtTemp2->setText("");
  Flash_Calc(FlashCalcType::CondensingCurve, "", ui::S(form.txtPress->text()));
  auto& curve = ui::Forms::Get<frmFlashCondensingCurve>();
  curve.Form_Activate();
  const CurveFrame& f = curve.Frame();
  curve.picCalc_MouseDown(1, 0, Curve_Point_X(f, 101), f.Top + 100);
  return static_cast<QWidget*>(&curve);
});
