// Gallery shots of the column program's main window after Example-1 and of its
// input, start and solver windows.
#include "continuous/ui/frmDistCalc.h"
#include "continuous/ui/frmDistConvergence.h"
#include "continuous/ui/frmDistFeed.h"
#include "continuous/ui/frmDistGoCalc.h"
#include "continuous/ui/frmDistMain.h"
#include "continuous/ui/frmDistPressProfile.h"
#include "continuous/ui/frmDistSideCut.h"
#include "continuous/ui/frmDistTower.h"
#include "continuous/DistInitialProfile.h"
#include "core/model/CaseData.h"
#include "platform/ui/Gallery.h"

namespace {

frmDistMain& Example(int language) {
  Case.Language = static_cast<int16_t>(language);
  auto& main = ui::Forms::Get<frmDistMain>();
  main.cmdExample1_Click();
  return main;
}

template <typename T>
QWidget* Dialog(int language) {
  Example(language);
  auto& d = ui::Forms::Get<T>();
  d.Form_Activate();
  return &d;
}

}  // namespace

VZ_GALLERY_SHOT("dist_main_example1", [] { return static_cast<QWidget*>(&Example(0)); });
VZ_GALLERY_SHOT("dist_main_example1_en", [] { return static_cast<QWidget*>(&Example(1)); });
VZ_GALLERY_SHOT("dist_tower", [] { return Dialog<frmDistTower>(0); });
VZ_GALLERY_SHOT("dist_feed_en", [] { return Dialog<frmDistFeed>(1); });
VZ_GALLERY_SHOT("dist_sidecut", [] {
  Example(0);
  Case.N_LiqSC = 1;
  Case.LiqSC_Stage[1] = 10;
  Case.LiqSC_Flow[1] = 12.5;
  auto& d = ui::Forms::Get<frmDistSideCut>();
  d.Form_Activate();
  return static_cast<QWidget*>(&d);
});
VZ_GALLERY_SHOT("dist_press_profile", [] { return Dialog<frmDistPressProfile>(0); });
VZ_GALLERY_SHOT("dist_convergence", [] { return Dialog<frmDistConvergence>(0); });
VZ_GALLERY_SHOT("dist_start", [] { return Dialog<frmDistGoCalc>(1); });
VZ_GALLERY_SHOT("dist_calc_after_run", [] {
  Example(0);
  Initial_Composition_set();
  Initial_Profile_set();
  auto& calc = ui::Forms::Get<frmDistCalc>();
  calc.Run_Calculation();
  return static_cast<QWidget*>(&calc);
});
VZ_GALLERY_SHOT("dist_calc_not_converged", [] {
  Example(1);
  Case.Max_Iter[1] = Case.Max_Iter[2] = 1;
  Initial_Composition_set();
  Initial_Profile_set();
  auto& calc = ui::Forms::Get<frmDistCalc>();
  calc.Run_Calculation();
  return static_cast<QWidget*>(&calc);
});
