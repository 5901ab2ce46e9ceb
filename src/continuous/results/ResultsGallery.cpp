// Gallery shots of the result windows over the solved Example-1 column.
#include <QDir>
#include <QTemporaryDir>

#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "continuous/DistSolver.h"
#include "continuous/results/frmDistGraphScale.h"
#include "continuous/results/frmDistResultBalance.h"
#include "continuous/results/frmDistResultMenu.h"
#include "continuous/results/frmDistResultProd.h"
#include "continuous/results/frmDistResultTray.h"
#include "core/model/CaseData.h"
#include "platform/ui/Gallery.h"

namespace {

// `heatIterations` 1 stops the heat pass at its limit: results that are no solution.
void SolvedExample1(int language, int heatIterations = 0) {
  static QTemporaryDir dir;
  Case.Language = static_cast<int16_t>(language);
  Dist_Example1_set();
  if (heatIterations > 0) Case.Max_Iter[2] = heatIterations;
  Case.Data_Dir = QDir::toNativeSeparators(dir.path()).toStdString();
  Initial_Composition_set();
  Initial_Profile_set();
  DistSolver solver;
  solver.Run();
}

template <typename T>
QWidget* Shown(int language, void (*fill)(T&) = nullptr) {
  SolvedExample1(language);
  ui::Forms::Unload<T>();
  auto& form = ui::Forms::Get<T>();
  form.Form_Activate();
  if (fill) fill(form);
  return &form;
}

QWidget* Menu(int language, int heatIterations) {
  SolvedExample1(language, heatIterations);
  ui::Forms::Unload<frmDistResultMenu>();
  auto& form = ui::Forms::Get<frmDistResultMenu>();
  form.Form_Activate();
  return &form;
}

}  // namespace

VZ_GALLERY_SHOT("dist_result_menu", [] { return Shown<frmDistResultMenu>(0); });
VZ_GALLERY_SHOT("dist_result_menu_en_div3", [] {
  SolvedExample1(1);
  Case.Dist_Graph_Div = 3;
  ui::Forms::Unload<frmDistResultMenu>();
  auto& form = ui::Forms::Get<frmDistResultMenu>();
  form.Form_Activate();
  return static_cast<QWidget*>(&form);
});
VZ_GALLERY_SHOT("dist_result_menu_not_converged", [] { return Menu(0, 1); });
VZ_GALLERY_SHOT("dist_result_menu_not_converged_en", [] { return Menu(1, 1); });
VZ_GALLERY_SHOT("dist_graph_scale", [] { return Shown<frmDistGraphScale>(0); });
VZ_GALLERY_SHOT("dist_result_balance", [] { return Shown<frmDistResultBalance>(0); });
VZ_GALLERY_SHOT("dist_result_balance_en", [] { return Shown<frmDistResultBalance>(1); });
VZ_GALLERY_SHOT("dist_result_tray", [] { return Shown<frmDistResultTray>(0); });
VZ_GALLERY_SHOT("dist_result_tray_vapour_wt", [] {
  return Shown<frmDistResultTray>(1, [](frmDistResultTray& f) { f.Disp_Tray_Profile(1, 1); });
});
VZ_GALLERY_SHOT("dist_result_prod_liquid", [] {
  return Shown<frmDistResultProd>(0, [](frmDistResultProd& f) { f.Disp_Liq_SideCut(0); });
});
VZ_GALLERY_SHOT("dist_result_prod_feed_wt", [] {
  return Shown<frmDistResultProd>(1, [](frmDistResultProd& f) { f.Disp_Feed_Data(1); });
});
