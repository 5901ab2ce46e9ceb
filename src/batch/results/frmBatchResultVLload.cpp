#include "batch/results/frmBatchResultVLload.h"

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"

VZ_FORM_FACTORY(frmBatchResultVLload);

namespace {

const batchres::HistoryTableForm::Choice kChoices[4] = {
    {"cmdVload1",
     {"全還流蒸気流量(&1)", "T.Reflux Vapor (&1)"},
     {"全還流操作蒸気流量(Kg-mol/H)", "Total Reflux Vapor Flow (Kg-mol/H)"},
     0,
     1},
    {"cmdLload1",
     {"全還流液流量(&2)", "T.Reflux Liquid(&2)"},
     {"全還流操作液流量(Kg-mol/H)", "Total Reflux Liquid Flow (Kg-mol/H)"},
     0,
     0},
    {"cmdVload2",
     {"抜出時蒸気流量(&3)", "Product Vapor (&3)"},
     {"製品抜出操作蒸気流量(Kg-mol/H)", "Product Vapor Flow (Kg-mol/H)"},
     1,
     1},
    {"cmdLload2",
     {"抜出時液流量(&4)", "Product Liquid(&4)"},
     {"製品抜出操作液流量(Kg-mol/H)", "Product Liquid Flow (Kg-mol/H)"},
     1,
     0},
};

}  // namespace

frmBatchResultVLload::frmBatchResultVLload() : HistoryTableForm("frmBatchResultVLload", kChoices, 2000, 2100) {}

void frmBatchResultVLload::Form_Load() {
  HistoryTableForm::Form_Load();
  SetCaption(batchres::Caption("塔内蒸気／液流量", "Tray Vapor/Liquid Flow"));
}

void frmBatchResultVLload::Set_Flow_Table(int phase, int kind) {
  const RunCaseScope run(History_Run_Case(Batch_Result_Path(Batch_History_Name(phase))));
  const int nt = Case.NT;
  vaSpread1->SetMaxRows(0);
  vaSpread1->SetMaxCols(nt + 1);
  vaSpread1->ClearAll();
  vaSpread1->SetText(1, 0, InLanguage("時間", "Time"));
  for (int i = 1; i <= nt; ++i) vaSpread1->SetText(i + 1, 0, "Tray #" + txt::Signed(i));
  Fill_Rows(phase, [nt, kind](const HistoryRecord& rec, std::vector<std::string>& cells) {
    for (int i = 1; i <= nt && i <= rec.nt; ++i)
      cells[static_cast<std::size_t>(i - 1)] = txt::Format(kind != 0 ? rec.V(i) : rec.L(i), "###0.0000");
  });
  // Widths after the rows are set: a new row count lays the columns out afresh.
  for (int c = 1; c <= nt + 1; ++c) vaSpread1->SetColWidth(c, 10);
}
