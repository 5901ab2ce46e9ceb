// Peak memory of every batch result window over the history of a long run at
// the finest record interval (a record every step): the run of the example
// case is made with a short time step until its withdrawal history passes the
// size asked for, then each window is opened off-screen and driven to the end
// of its file, and the growth of the peak resident set is printed per window.
//   result_memory [folder] [megabytes of history, default 50]
#include <QApplication>
#include <QScrollBar>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "batch/model/BatchData.h"
#include "batch/results/BatchResultFiles.h"
#include "batch/results/frmBatchResultGraph1.h"
#include "batch/results/frmBatchResultGraph2.h"
#include "batch/results/frmBatchResultTopBtmData.h"
#include "batch/results/frmBatchResultTrayData.h"
#include "batch/results/frmBatchResultVLload.h"
#include "batch/run/BatchRun.h"
#include "core/model/CaseData.h"
#include "platform/ui/Interaction.h"

namespace {

// Answers every prompt as a user who lets the drawing run would: OK, and No
// to the question whether to stop.
class Unattended : public ui::Interaction {
 public:
  int Message(const ui::MessageRequest& r) override {
    ++messages;
    return (r.style & 7) == ui::vbYesNo ? ui::vbNo : ui::vbOK;
  }
  std::string File(const ui::FileRequest&) override { return {}; }
  void RunModal(ui::Form&) override {}
  void OpenUrl(const std::string&) override {}
  int messages = 0;
};

long StatusKb(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string k;
  long v = 0;
  while (in >> k) {
    if (k == key) {
      in >> v;
      return v;
    }
    in.ignore(1 << 12, '\n');
  }
  return -1;
}

void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

void Measure(const char* what, const std::function<void()>& drive) {
  const long before = StatusKb("VmRSS:");
  ResetPeak();
  drive();
  const long peak = StatusKb("VmHWM:");
  std::printf("%-44s peak %7.1f MB, %+6.1f MB over the %6.1f MB before\n", what, peak / 1024.0,
              (peak - before) / 1024.0, before / 1024.0);
}

// The example run with a record every step; the step is shortened until the
// withdrawal history is long enough (a few tries at most). The longest
// operating time is cut to what the example needs, so that the run files stay
// within what a run may write.
bool LongRun(const std::string& folder, double megabytes) {
  double dt = 0;
  for (int attempt = 0; attempt < 6; ++attempt) {
    Reset_Case_Data();
    Reset_Batch_Data();
    Case.Max_Comp = 20;
    Case.Max_Tray = 200;
    Case.Data_Dir = folder;
    Case.Prog_Title = "Batch  ";
    Batch_Initial_set();
    Batch_Example_set();
    Batch.Ope_Mode = 2;
    Batch.QReb = Batch.QReb_TR;
    Batch.Max_Ope_Time = 3;
    if (dt == 0) dt = Batch.Diff_Time;
    Batch.Diff_Time = dt;
    Batch.Save_Interval = dt;
    struct Host : BatchHost {
      void Message(const std::string& text) override { std::printf("run: %s\n", text.c_str()); }
    } host;
    const BatchEnd end = Batch_Calc(host);
    if (end == BatchEnd::Refused) return false;
    const double mb = std::filesystem::file_size(Batch_Result_Path(Batch_History_Name(1))) / 1048576.0;
    std::printf("run with a step of %g h (end %d): withdrawal history %.1f MB, total reflux %.1f MB\n", dt,
                static_cast<int>(end), mb, std::filesystem::file_size(Batch_Result_Path(Batch_History_Name(0))) / 1048576.0);
    std::fflush(stdout);
    if (mb >= megabytes) return true;
    dt *= mb > 0 ? std::max(0.2, mb / megabytes * 0.9) : 0.5;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const std::string folder =
      argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / ("result_memory_" + std::to_string(::getpid()))).string();
  const double megabytes = argc > 2 ? std::atof(argv[2]) : 50;
  std::filesystem::create_directories(folder);
  Unattended answers;
  ui::SetInteraction(&answers);
  if (!LongRun(folder, megabytes)) {
    std::printf("no run wrote a history of %.0f MB\n", megabytes);
    return 1;
  }
  const std::string history = Batch_Result_Path(Batch_History_Name(1));
  {
    HistoryFile f;
    const RunFileResult r = f.Open(history);
    std::printf("withdrawal history: %s, %zu records of %d components, %d plates\n", r.ok() ? "reads" : r.reason.c_str(),
                f.Records(), f.NC(), f.NT());
  }
  Measure("reading the history through (HistoryFile)", [&] {
    HistoryFile f;
    HistoryRecord rec;
    f.Open(history);
    while (f.Next(rec).ok()) {
    }
  });
  // Kind 1 twice: its first drawing also pays what Qt sets up once (fonts,
  // the off-screen surfaces).
  for (int kind : {1, 1, 2, 3}) {
    const std::string what = "time graph kind " + std::to_string(kind) + " (withdrawal)";
    Measure(what.c_str(), [&] {
      auto& g = ui::Forms::Get<frmBatchResultGraph2>();
      g.show();
      Batch_Result.Graph_Kind = kind;
      Batch_Result.Graph_Tray = 5;
      Batch_Result.Data_Phase = 1;
      Batch.Batch_File = Batch_History_Name(1);
      g.Draw_Graph();
      g.grab();
      ui::Forms::Unload(&g);
    });
  }
  Measure("profile replay (withdrawal)", [&] {
    auto& g = ui::Forms::Get<frmBatchResultGraph1>();
    g.show();
    Batch_Result.Graph_Kind = 4;
    Batch_Result.Data_Phase = 1;
    Batch.Batch_File = Batch_History_Name(1);
    g.Draw_Graph();
    g.grab();
    ui::Forms::Unload(&g);
  });
  auto scrollThrough = [](ui::SpreadGrid* grid, QWidget* window) {
    // The grid drawn page by page from its first row to its last.
    QScrollBar* bar = grid->verticalScrollBar();
    const int pages = 40;
    for (int i = 0; i <= pages; ++i) {
      bar->setValue(bar->minimum() + (bar->maximum() - bar->minimum()) * i / pages);
      window->grab();
    }
  };
  Measure("flow table (withdrawal vapour), scrolled", [&] {
    auto& v = ui::Forms::Get<frmBatchResultVLload>();
    v.show();
    v.cmdVload2_Click();
    scrollThrough(v.vaSpread1, &v);
    std::printf("  flow table rows: %d\n", v.vaSpread1->MaxRows());
    ui::Forms::Unload(&v);
  });
  Measure("top/bottom table (withdrawal still), scrolled", [&] {
    auto& t = ui::Forms::Get<frmBatchResultTopBtmData>();
    t.show();
    t.cmdBtmLiquid2_Click();
    scrollThrough(t.vaSpread1, &t);
    ui::Forms::Unload(&t);
  });
  Measure("record view (withdrawal liquid), Next10 x5", [&] {
    auto& t = ui::Forms::Get<frmBatchResultTrayData>();
    t.show();
    t.Form_Activate();
    t.cmdLiquid2_Click();
    for (int i = 0; i < 5; ++i) t.cmdNext10_Click();
    t.grab();
    ui::Forms::Unload(&t);
  });
  std::printf("prompts answered: %d\n", answers.messages);
  ui::SetInteraction(nullptr);
  if (argc <= 1) std::filesystem::remove_all(folder);
  return 0;
}
