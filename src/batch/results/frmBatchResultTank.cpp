#include "batch/results/frmBatchResultTank.h"

#include "batch/model/BatchData.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QLanguage.h"

VZ_FORM_FACTORY(frmBatchResultTank);

namespace {
constexpr int kCols = 1 + 2 * kMaxTank;
}

frmBatchResultTank::frmBatchResultTank() : ResultForm("frmBatchResultTank") {
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetMaxCols(kCols);
  vaSpread1->SetMaxRows(0);
  vaSpread1->SetAllLocked(true);
  ui::Place(vaSpread1, 120, 120, 11400, 5700);
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  ui::Place(cmdExit, 10080, 5940, 1440, 400);
  setFixedSize(ui::Px(11640), ui::Px(6480));
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frmBatchResultTank::Form_Load() {
  ResultForm::Form_Load();
  SetCaption(batchres::Caption("留出ＴＡＮＫ組成", "Tank Data"));
  cmdExit->setText(QInLanguage("戻る(&X)", "Exit(&X)"));
}

void frmBatchResultTank::Form_Activate() {
  CalcMessageScope scope;  // a heat unit the conversion refuses is said once, not once per cell
  // The tank blocks hold the run's components and plates, as its withdrawal history does.
  const RunCaseScope run(History_Run_Case(Batch_Result_Path(Batch_History_Name(1))));
  const RunFileResult r = Read_Tank_File(Batch_Result_Path(Batch_Result_Name(5)));
  // Whole blocks read before a damaged one are still shown.
  Set_Tank_Table();
  batchres::Say_Run_File(r);
}

void frmBatchResultTank::Set_Tank_Table() {
  const int nc = Case.NC, nt = Case.NT;
  const int tanks = Batch.Tank_Count + 1;
  vaSpread1->SetMaxRows(nc + 5 + nt);
  vaSpread1->ClearAll();
  vaSpread1->SetText(1, 1, InLanguage("[切替時間(Hr)]", "[Change T(Hr)]"));
  for (int j = 1; j <= nc; ++j) vaSpread1->SetText(1, j + 2, Case.Comp_Name[j]);
  vaSpread1->SetText(1, nc + 3, "[Total]");
  for (int i = 1; i <= nt; ++i) vaSpread1->SetText(1, nc + 5 + i, "Tray" + txt::Signed(i));
  for (int k = 1; k <= tanks && k <= kMaxTank; ++k) {
    const int cm = 2 * k, cw = 2 * k + 1;
    double s = 0, w = 0;
    for (int j = 1; j <= nc; ++j) {
      s += Batch_Result.Tank_X[j][k];
      w += Batch_Result.Tank_X[j][k] * Case.Mol_Wt[j];
    }
    vaSpread1->SetText(cm, 1, txt::Format(Batch_Result.Tank_Time[k], "##0.0000"));
    vaSpread1->SetText(cm, 2, "<Mol Fr>");
    vaSpread1->SetText(cw, 2, "<Wt Fr>");
    for (int j = 1; j <= nc; ++j) {
      // An empty tank has no composition: its fraction cells stay empty.
      const double a = Batch_Result.Tank_X[j][k];
      if (s != 0) vaSpread1->SetText(cm, j + 2, txt::Format(a / s, "#0.000000000000"));
      if (w != 0) vaSpread1->SetText(cw, j + 2, txt::Format(a * Case.Mol_Wt[j] / w, "#0.000000000000"));
    }
    vaSpread1->SetText(cm, nc + 3, txt::Format(s, "######0.00"));
    vaSpread1->SetText(cw, nc + 3, txt::Format(w, "######0.00"));
    vaSpread1->SetText(cm, nc + 5, "[Total Heat Input]");
    for (int i = 1; i <= nt; ++i)
      vaSpread1->SetText(cm, nc + 5 + i, txt::Format(Unit_Heat_Out(Batch_Result.Tank_Tray_Val[i][k]), "#########0.0"));
  }
  // Widths after the rows are set: a new row count lays the columns out afresh.
  vaSpread1->SetColWidth(1, 19);
  for (int c = 2; c <= kCols; ++c) vaSpread1->SetColWidth(c, 19);
}
