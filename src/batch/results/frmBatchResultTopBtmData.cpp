#include "batch/results/frmBatchResultTopBtmData.h"

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"

VZ_FORM_FACTORY(frmBatchResultTopBtmData);

namespace {

const batchres::HistoryTableForm::Choice kChoices[4] = {
    {"cmdTopLiquid1",
     {"全還流塔頂液組成(&1)", "T.Reflux Top Liq(&1)"},
     {"全還流操作 塔頂液組成", "Total Reflux Top Liquid Composition"},
     0,
     0},
    {"cmdBtmLiquid1",
     {"全還流塔底液組成(&2)", "T.Reflux Btm Liq(&2)"},
     {"全還流操作　塔底液組成", "Total Reflux Bottom Liquid Composition"},
     0,
     1},
    {"cmdTopLiquid2",
     {"製品抜出塔頂液組成(&3)", "Product Top Liq(&3)"},
     {"製品抜出操作 塔頂液組成", "Product Top Liquid Composition"},
     1,
     0},
    {"cmdBtmLiquid2",
     {"製品抜出塔底液組成(&4)", "Product Btm Liq(&4)"},
     {"製品抜出操作　塔底液組成", "Product Bottom Liquid Composition"},
     1,
     1},
};

}  // namespace

frmBatchResultTopBtmData::frmBatchResultTopBtmData()
    : HistoryTableForm("frmBatchResultTopBtmData", kChoices, 2300, 2400) {}

void frmBatchResultTopBtmData::Form_Load() {
  HistoryTableForm::Form_Load();
  SetCaption(batchres::Caption("塔頂／塔底の組成", "Top/Bottom Data"));
}

void frmBatchResultTopBtmData::Set_Top_Btm_Table(int phase, int kind) {
  const RunCaseScope run(History_Run_Case(Batch_Result_Path(Batch_History_Name(phase))));
  const int nc = Case.NC;
  vaSpread1->SetMaxRows(0);
  vaSpread1->SetMaxCols(nc + 2);
  vaSpread1->ClearAll();
  vaSpread1->SetText(1, 0, InLanguage("時間", "Time"));
  vaSpread1->SetText(2, 0, InLanguage("温度", "Temp"));
  for (int j = 1; j <= nc; ++j) vaSpread1->SetText(2 + j, 0, Case.Comp_Name[j]);
  const int plate = kind == 0 ? 1 : Case.NT;
  Fill_Rows(phase, [nc, plate](const HistoryRecord& rec, std::vector<std::string>& cells) {
    if (plate < 1 || plate > rec.nt) return;  // a case without plates has no top or still to show
    for (int j = 1; j <= nc && j <= rec.nc; ++j) cells[static_cast<std::size_t>(j)] = txt::Format(rec.X(j, plate), "#0.000000000");
    cells[0] = txt::Format(rec.T(plate), "###0.000");
  });
  // Widths after the rows are set: a new row count lays the columns out afresh.
  for (int c = 1; c <= nc + 2; ++c) vaSpread1->SetColWidth(c, c <= 2 ? 10 : 14);
}
