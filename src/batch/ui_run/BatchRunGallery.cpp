// Gallery shots of the run window and its run-time windows on the example case.
#include <QDir>

#include "batch/model/BatchData.h"
#include "batch/run/BatchRun.h"
#include "batch/ui_run/frmBatchCalc.h"
#include "batch/ui_run/frmBatchChangeConvLimit.h"
#include "batch/ui_run/frmBatchChangeDistillate.h"
#include "batch/ui_run/frmBatchChangeQReb.h"
#include "batch/ui_run/frmBatchDispLog.h"
#include "batch/ui_run/frmBatchMessage.h"
#include "batch/ui_run/frmBatchTankData.h"
#include "batch/ui_run/frmBatchTrayData.h"
#include "core/model/CaseData.h"
#include "platform/ui/Gallery.h"

namespace {

void Example(int language, int mode) {
  Reset_Batch_Data();
  // The run files of these shots stay in a folder of their own.
  const QString dir = QDir::tempPath() + "/vz_gallery_batch_run";
  QDir().mkpath(dir);
  Case.Data_Dir = dir.toStdString();
  Case.Language = static_cast<int16_t>(language);
  Case.Max_Comp = 20;
  Case.Max_Tray = 200;
  Case.Prog_Title = language == 1 ? "Batch Distillation  " : "バッチ蒸留計算  ";
  Batch_Initial_set();
  Batch_Example_set();
  Batch.Ope_Mode = mode;
  Batch.QReb = Batch.QReb_TR;
}

// The example run without a window for a number of steps (or to its end).
void RunHeadless(long steps) {
  BatchHost host;
  BatchRun run(host);
  if (!run.Start()) return;
  while (run.Steps() < steps && run.Step()) {
  }
}

// The run window after a whole run; `abortAtHours` > 0 aborts the withdrawal there.
QWidget* RunWindow(int language, int mode, double abortAtHours) {
  Example(language, mode);
  frmBatchCalc::Yield_Hook = [abortAtHours](frmBatchCalc&) {
    if (abortAtHours > 0 && Batch.Prod_Phase == 1 && Batch.Oper_Time >= abortAtHours) Case.Stop_Flag = 1;
  };
  auto& w = ui::Forms::Get<frmBatchCalc>();
  frmBatchCalc::Yield_Hook = nullptr;
  return &w;
}

template <typename Dialog>
QWidget* Dialog_After(int language, int mode, long steps) {
  Example(language, mode);
  RunHeadless(steps);
  auto& d = ui::Forms::Get<Dialog>();
  d.Form_Activate();
  return &d;
}

}  // namespace

VZ_GALLERY_SHOT("batch_run_total_reflux", [] { return RunWindow(0, 1, 0); });
VZ_GALLERY_SHOT("batch_run_withdrawal_en", [] { return RunWindow(1, 2, 0.8); });
VZ_GALLERY_SHOT("batch_run_tray_data", [] { return Dialog_After<frmBatchTrayData>(0, 2, 3000); });
VZ_GALLERY_SHOT("batch_run_change_conv_limit", [] { return Dialog_After<frmBatchChangeConvLimit>(0, 2, 1500); });
VZ_GALLERY_SHOT("batch_run_change_qreb_en", [] { return Dialog_After<frmBatchChangeQReb>(1, 3, 100); });
VZ_GALLERY_SHOT("batch_run_change_distillate", [] { return Dialog_After<frmBatchChangeDistillate>(0, 2, 100); });
VZ_GALLERY_SHOT("batch_run_tank_data", [] { return Dialog_After<frmBatchTankData>(0, 2, 7000); });
VZ_GALLERY_SHOT("batch_run_notice", [] {
  Case.Language = 0;
  auto& n = ui::Forms::Get<frmBatchMessage>();
  n.lblMesssage->setText("全還流収束");
  return static_cast<QWidget*>(&n);
});
VZ_GALLERY_SHOT("batch_run_log", [] { return Dialog_After<frmBatchDispLog>(0, 2, 6000); });
