// Gallery shots of the batch main window with the example case and of each
// input dialog filled from it.
#include "batch/ui/frmBatchDistillationMain.h"
#include "batch/ui/frmBatchFeed.h"
#include "batch/ui/frmBatchOperation.h"
#include "batch/ui/frmBatchProduct.h"
#include "batch/ui/frmBatchTowerSpec.h"
#include "batch/ui/frmBatchTray.h"
#include "core/model/CaseData.h"
#include "platform/ui/Gallery.h"

namespace {

frmBatchDistillationMain& ExampleMain(int language) {
  ui::Forms::UnloadAll();
  Case.Language = static_cast<int16_t>(language);
  Case.Program_Mode = 1;
  auto& main = ui::Forms::Get<frmBatchDistillationMain>();
  main.cmdExample_Click();
  return main;
}

template <typename Dialog>
QWidget* Dialog_After_Example(int language) {
  ExampleMain(language);
  auto& dialog = ui::Forms::Get<Dialog>();
  dialog.Form_Activate();
  return &dialog;
}

}  // namespace

VZ_GALLERY_SHOT("batch_main_example", [] { return static_cast<QWidget*>(&ExampleMain(0)); });
VZ_GALLERY_SHOT("batch_main_example_en", [] { return static_cast<QWidget*>(&ExampleMain(1)); });
VZ_GALLERY_SHOT("batch_main_fresh", [] {
  ui::Forms::UnloadAll();
  Case.Language = 0;
  return static_cast<QWidget*>(&ui::Forms::Get<frmBatchDistillationMain>());
});
VZ_GALLERY_SHOT("batch_feed", [] { return Dialog_After_Example<frmBatchFeed>(0); });
VZ_GALLERY_SHOT("batch_tower", [] { return Dialog_After_Example<frmBatchTowerSpec>(0); });
VZ_GALLERY_SHOT("batch_tray", [] { return Dialog_After_Example<frmBatchTray>(0); });
VZ_GALLERY_SHOT("batch_tray_en", [] { return Dialog_After_Example<frmBatchTray>(1); });
VZ_GALLERY_SHOT("batch_operation", [] { return Dialog_After_Example<frmBatchOperation>(0); });
VZ_GALLERY_SHOT("batch_product", [] { return Dialog_After_Example<frmBatchProduct>(0); });
VZ_GALLERY_SHOT("batch_product_en", [] { return Dialog_After_Example<frmBatchProduct>(1); });
