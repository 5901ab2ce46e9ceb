// Gallery shots of the shared case dialogs in both languages, filled with a
// small three-component case.
#include "core/dialogs/frmComponent.h"
#include "core/dialogs/frmEnthalpy.h"
#include "core/dialogs/frmK_Value.h"
#include "core/dialogs/frmMemo.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "platform/ui/Gallery.h"

namespace {

void SampleCase(int language) {
  Case.Language = static_cast<int16_t>(language);
  Case.Prog_Title = language == 1 ? "Step by Step Distillation" : "逐次段蒸留計算";
  Case.NC = 3;
  const char* names[] = {"", "Methanol", "Ethanol", "Water"};
  const double mw[] = {0, 32.042, 46.069, 18.015}, tc[] = {0, 512.6, 513.9, 647.1};
  const double pc[] = {0, 80.97, 61.48, 220.55}, vc[] = {0, 118, 167, 55.9}, om[] = {0, 0.564, 0.645, 0.345};
  const double a[] = {0, 7.8786, 8.0449, 8.07131}, b[] = {0, 1473.11, 1554.3, 1730.63}, c[] = {0, 230, 222.65, 233.43};
  for (int i = 1; i <= 3; ++i) {
    Case.Comp_Name[i] = names[i];
    Case.Mol_Wt[i] = mw[i];
    Case.Comp_Tc[i] = tc[i];
    Case.Comp_Pc[i] = pc[i];
    Case.Comp_Vc[i] = vc[i];
    Case.Comp_Omega[i] = om[i];
    Case.Antoine_A[i] = a[i];
    Case.Antoine_B[i] = b[i];
    Case.Antoine_C[i] = c[i];
    Case.HV_A[i] = 60 + i;
    Case.HV_B[i] = 0.4;
    Case.HL_A[i] = -250 + 10 * i;
    Case.HL_B[i] = 0.8;
    for (int j = 1; j <= 3; ++j) Case.NRTL_Tau[i][j] = i == j ? 0 : 0.1 * (i + j);
  }
  Case.T_Unit = 1;
  Case.P_Unit = 3;
  Case.H_Unit = 2;
  Case.K_Method = 3;
  Case.NRTL_Alpha = 0.3;
  Case.H_Method = 1;
  Case.Memo[1] = "逐次段蒸留計算プログラム";
  Case.Memo[2] = "   例題データ－１";
  Case.Memo[4] = "    Methanol - Ethanol - Water 系";
}

template <typename T>
QWidget* Shown(int language) {
  SampleCase(language);
  auto& form = ui::Forms::Get<T>();
  form.Form_Activate();
  return &form;
}

}  // namespace

VZ_GALLERY_SHOT("dialog_component_ja", [] { return Shown<frmComponent>(0); });
VZ_GALLERY_SHOT("dialog_component_en", [] { return Shown<frmComponent>(1); });
VZ_GALLERY_SHOT("dialog_unit_ja", [] { return Shown<frmUnit>(0); });
VZ_GALLERY_SHOT("dialog_unit_en", [] { return Shown<frmUnit>(1); });
VZ_GALLERY_SHOT("dialog_kvalue_ja", [] { return Shown<frmK_Value>(0); });
VZ_GALLERY_SHOT("dialog_kvalue_en", [] { return Shown<frmK_Value>(1); });
VZ_GALLERY_SHOT("dialog_enthalpy_ja", [] { return Shown<frmEnthalpy>(0); });
VZ_GALLERY_SHOT("dialog_enthalpy_en", [] { return Shown<frmEnthalpy>(1); });
VZ_GALLERY_SHOT("dialog_memo_ja", [] { return Shown<frmMemo>(0); });
VZ_GALLERY_SHOT("dialog_memo_en", [] { return Shown<frmMemo>(1); });
