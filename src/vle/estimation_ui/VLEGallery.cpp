// Gallery shots of the estimation program: the main window after an example
// and in the given-parameter view, the result diagram with a point read out,
// the two change dialogs and the database save.
#include "core/model/CaseData.h"
#include "platform/ui/Gallery.h"
#include "vle/estimation/VLEData.h"
#include "vle/estimation/VLERunStart.h"
#include "vle/estimation_ui/VLEDiagram.h"
#include "vle/estimation_ui/frmDBParameterSave.h"
#include "vle/estimation_ui/frmVLE_Calc.h"
#include "vle/estimation_ui/frmVLE_ChangeParameter.h"
#include "vle/estimation_ui/frmVLE_ChangeScale.h"
#include "vle/estimation_ui/frmVLE_Estimation.h"

namespace {

frmVLE_Estimation& Main_With_Example(int number) {
  Case.Language = 0;
  auto& main = ui::Forms::Get<frmVLE_Estimation>();
  if (number == 1) main.cmdMainExample1_Click();
  else main.cmdMainExample2_Click();
  return main;
}

// The result window of an example as the run start leaves it, fitted and drawn.
frmVLE_Calc& Result_Of_Example(int number) {
  Main_With_Example(number);
  vlefit::Calc_Gamma_Exp();
  vlefit::Reset_Graph_Range();
  auto& result = ui::Forms::Get<frmVLE_Calc>();
  result.Form_Activate();
  return result;
}

}  // namespace

VZ_GALLERY_SHOT("vle_main_example1", [] { return static_cast<QWidget*>(&Main_With_Example(1)); });

VZ_GALLERY_SHOT("vle_main_given_nrtl", [] {
  auto& main = Main_With_Example(2);
  main.optMainCalcType.Click(3);
  return static_cast<QWidget*>(&main);
});

VZ_GALLERY_SHOT("vle_result_example1_readout", [] {
  auto& result = Result_Of_Example(1);
  const vlediagram::PlotFrame& f = result.Frame();
  // Click on the sixth measured point's y-x disc.
  result.picCalc_MouseDown(1, 0, vlediagram::Point_X(f, vlefit::VLE.VLE_X1_Data[6]),
                           vlediagram::Y1_Pos(f, vlefit::VLE.VLE_Y1_Data[6]));
  return static_cast<QWidget*>(&result);
});

VZ_GALLERY_SHOT("vle_result_example2", [] { return static_cast<QWidget*>(&Result_Of_Example(2)); });

VZ_GALLERY_SHOT("vle_change_scale", [] {
  Result_Of_Example(1);
  return static_cast<QWidget*>(&ui::Forms::Get<frmVLE_ChangeScale>());
});

VZ_GALLERY_SHOT("vle_change_parameter_nrtl", [] {
  Main_With_Example(1);
  vlefit::VLE.VLE_Calc_Type = 4;
  Case.NRTL_Tau12 = 0.35;
  Case.NRTL_Tau21 = 1.25;
  return static_cast<QWidget*>(&ui::Forms::Get<frmVLE_ChangeParameter>());
});

VZ_GALLERY_SHOT("vle_parameter_save", [] {
  Main_With_Example(1);
  // Without a database the dialog shows the pair with the error answered.
  Case.DB_Path = "";
  return static_cast<QWidget*>(&ui::Forms::Get<frmDBParameterSave>());
});

// Example 2 in English: Lambda12 ends on its lower bound and gamma1 at x1 = 0 is
// 1.3e9; the axis keeps the measured coefficients' scale and cuts the curve.
VZ_GALLERY_SHOT("vle_result_example2_en", [] {
  Main_With_Example(2);
  Case.Language = 1;
  vlefit::Calc_Gamma_Exp();
  vlefit::Reset_Graph_Range();
  auto& result = ui::Forms::Get<frmVLE_Calc>();
  result.Form_Activate();
  return static_cast<QWidget*>(&result);
});
