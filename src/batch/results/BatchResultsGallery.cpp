// Gallery shots of the result menu and of every result window over the run
// files of the example case, run without a window.
#include <QDir>

#include "batch/model/BatchData.h"
#include "batch/results/frmBatchResult.h"
#include "batch/results/frmBatchResultGraph1.h"
#include "batch/results/frmBatchResultGraph2.h"
#include "batch/results/frmBatchResultTank.h"
#include "batch/results/frmBatchResultTopBtmData.h"
#include "batch/results/frmBatchResultTotalReflux.h"
#include "batch/results/frmBatchResultTrayData.h"
#include "batch/results/frmBatchResultVLload.h"
#include "batch/run/BatchRun.h"
#include "core/model/CaseData.h"
#include "platform/ui/Gallery.h"

namespace {

// The example run (total reflux, then both tanks) into a folder of its own,
// once per gallery; every shot starts from the case of that run.
void Example_Run(int language) {
  static const std::string folder = (QDir::tempPath() + "/vz_batch_results_gallery").toStdString();
  static bool done = false;
  Reset_Batch_Data();
  Reset_Batch_Result();
  Case.Language = static_cast<int16_t>(language);
  Case.Max_Comp = 20;
  Case.Max_Tray = 200;
  Case.Prog_Title = language == 1 ? "Batch Distillation  " : "バッチ蒸留計算  ";
  Case.Data_Dir = folder;
  Batch_Initial_set();
  Batch_Example_set();
  Batch.Ope_Mode = 2;
  Batch.QReb = Batch.QReb_TR;
  Batch.Graph_Div = 5;
  Batch.Save_Interval = 0.02;  // records enough for the graphs, quick to replay
  if (!done) {
    QDir().mkpath(QString::fromStdString(folder));
    BatchHost host;
    Batch_Calc(host);
    done = true;
  }
  Batch.Batch_File = Batch_History_Name(0);
}

template <typename W>
W& Window(int language) {
  Example_Run(language);
  return ui::Forms::Get<W>();
}

QWidget* Menu(int language) {
  auto& m = Window<frmBatchResult>(language);
  m.Form_Activate();
  return &m;
}

QWidget* Graph2(int kind, int phase, int scale) {
  auto& g = Window<frmBatchResultGraph2>(0);
  Batch_Result.Graph_Kind = kind;
  Batch_Result.Graph_Tray = 5;
  Batch_Result.Data_Phase = phase;
  Batch.Graph_Scale = scale;
  Batch.Batch_File = Batch_History_Name(phase);
  g.Draw_Graph();
  return &g;
}

QWidget* Graph1(int kind, int phase) {
  auto& g = Window<frmBatchResultGraph1>(0);
  Batch_Result.Graph_Kind = kind;
  Batch_Result.Data_Phase = phase;
  Batch.Graph_Scale = 0;
  Batch.Batch_File = Batch_History_Name(phase);
  g.Draw_Graph();
  return &g;
}

}  // namespace

VZ_GALLERY_SHOT("batch_result_menu", [] { return Menu(0); });
VZ_GALLERY_SHOT("batch_result_menu_en", [] { return Menu(1); });
VZ_GALLERY_SHOT("batch_result_total_reflux", [] {
  auto& w = Window<frmBatchResultTotalReflux>(0);
  w.Form_Activate();
  return static_cast<QWidget*>(&w);
});
VZ_GALLERY_SHOT("batch_result_total_reflux_wt_en", [] {
  auto& w = Window<frmBatchResultTotalReflux>(1);
  w.Form_Activate();
  w.cmdVaporWt_Click();
  return static_cast<QWidget*>(&w);
});
VZ_GALLERY_SHOT("batch_result_tank", [] {
  auto& w = Window<frmBatchResultTank>(0);
  w.Form_Activate();
  return static_cast<QWidget*>(&w);
});
VZ_GALLERY_SHOT("batch_result_flow", [] {
  auto& w = Window<frmBatchResultVLload>(0);
  w.cmdVload2_Click();
  return static_cast<QWidget*>(&w);
});
VZ_GALLERY_SHOT("batch_result_flow_en", [] {
  auto& w = Window<frmBatchResultVLload>(1);
  w.cmdLload1_Click();
  return static_cast<QWidget*>(&w);
});
VZ_GALLERY_SHOT("batch_result_tray_data", [] {
  auto& w = Window<frmBatchResultTrayData>(0);
  w.Form_Activate();
  w.cmdLiquid1_Click();
  w.cmdNext10_Click();
  return static_cast<QWidget*>(&w);
});
VZ_GALLERY_SHOT("batch_result_tray_data_choices_en", [] {
  auto& w = Window<frmBatchResultTrayData>(1);
  w.Form_Activate();
  return static_cast<QWidget*>(&w);
});
VZ_GALLERY_SHOT("batch_result_top_btm", [] {
  auto& w = Window<frmBatchResultTopBtmData>(0);
  w.cmdBtmLiquid1_Click();
  return static_cast<QWidget*>(&w);
});
VZ_GALLERY_SHOT("batch_result_top_btm_en", [] {
  auto& w = Window<frmBatchResultTopBtmData>(1);
  w.cmdTopLiquid2_Click();
  return static_cast<QWidget*>(&w);
});
VZ_GALLERY_SHOT("batch_result_graph_top_btm_log", [] { return Graph2(1, 0, 0); });
VZ_GALLERY_SHOT("batch_result_graph_top_btm_product_linear", [] { return Graph2(1, 1, 1); });
VZ_GALLERY_SHOT("batch_result_graph_temperature", [] {
  QWidget* w = Graph2(2, 0, 0);
  static_cast<frmBatchResultGraph2*>(w)->cmdProdData_Click();
  return w;
});
VZ_GALLERY_SHOT("batch_result_graph_tray", [] { return Graph2(3, 0, 0); });
VZ_GALLERY_SHOT("batch_result_profile_replay", [] { return Graph1(4, 1); });
VZ_GALLERY_SHOT("batch_result_profile_converged", [] { return Graph1(5, 0); });
