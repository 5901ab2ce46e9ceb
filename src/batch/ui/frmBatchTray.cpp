#include "batch/ui/frmBatchTray.h"

#include <vector>

#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

#include "batch/model/BatchData.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QLanguage.h"

using batchui::General;

namespace {

const QColor kGrey(192, 192, 192);

int Plates() { return std::clamp<int>(Case.NT, 0, kMaxTray); }

bool UnitInUse() { return Batch.Holdup_Unit >= 1 && Batch.Holdup_Unit <= 3; }

std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// A cell of the plate table as a refusal names it: the plate and the column.
std::string Cell_Name(const ui::SpreadGrid& grid, int col, int row) {
  const std::string field = grid.Text(col, 0);
  if (row > Plates()) return grid.Text(0, row) + " " + field;
  return In_English() ? "Tray " + txt::Plain(row) + " " + field : txt::Plain(row) + "段目の" + field;
}

// Checks what is typed into a cell before the grid takes it: a text that is
// not wholly a number (a blank is fine) never enters the table, so the live
// heat total never counts it and OK never meets it. The refusal names the
// plate and the column, titled by the program.
class PlateCellGate : public QStyledItemDelegate {
 public:
  explicit PlateCellGate(ui::SpreadGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    // The box takes the focus from the editor, which asks to commit again.
    if (refusing_) return;
    const auto* line = qobject_cast<QLineEdit*>(editor);
    if (line && !Acceptable(ui::S(line->text()), index.column() + 1, index.row() + 1)) return;
    QStyledItemDelegate::setModelData(editor, model, index);
  }

 private:
  bool Acceptable(const std::string& text, int col, int row) const {
    if (text.find_first_not_of(" \t") == std::string::npos) return true;
    double value = 0;
    refusing_ = true;
    const bool ok = batchui::Read_Number(text, Cell_Name(*grid_, col, row), value);
    refusing_ = false;
    return ok;
  }

  ui::SpreadGrid* grid_;
  mutable bool refusing_ = false;
};

}  // namespace

frmBatchTray::frmBatchTray() : batchui::BatchDialog("frmBatchTray") {
  auto* layout = new QVBoxLayout(this);
  lblTitle1 = ui::NewLabel(this, "lblTitle1");
  lblTitle2 = ui::NewLabel(this, "lblTitle2");
  layout->addWidget(lblTitle1);
  layout->addWidget(lblTitle2);
  auto* units = new QHBoxLayout();
  lblPressUnit = ui::NewLabel(this, "lblPressUnit");
  cboHoldupUnit = ui::NewComboBox(this, "cboHoldupUnit");
  cboHoldupUnit->addItems({"Kgmol", "Kg", "m3"});
  lblHeatUnit = ui::NewLabel(this, "lblHeatUnit");
  // The unit of each column stands over it.
  units->addSpacing(60);
  units->addWidget(lblPressUnit, 1, Qt::AlignCenter);
  units->addWidget(cboHoldupUnit, 1, Qt::AlignCenter);
  units->addWidget(lblHeatUnit, 1, Qt::AlignCenter);
  layout->addLayout(units);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetMaxCols(3);
  vaSpread1->SetMaxRows(1);
  vaSpread1->SetColWidth(0, 7);
  for (int c = 1; c <= 3; ++c) vaSpread1->SetColWidth(c, 14);
  vaSpread1->setMinimumSize(420, 360);
  vaSpread1->setItemDelegate(new PlateCellGate(vaSpread1));
  layout->addWidget(vaSpread1, 1);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch();
  cmdOK = ui::NewButton(this, "cmdOK");
  cmdCancel = ui::NewButton(this, "cmdCancel");
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  layout->addLayout(buttons);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  // Only a pick by the user changes the unit (setting the list from the case does not).
  connect(cboHoldupUnit, &QComboBox::activated, this, [this] { cboHoldupUnit_Click(); });
}

void frmBatchTray::Form_Load() {
  setWindowTitle(batchui::Caption("ＴＲＡＹﾃﾞｰﾀ", "Tray Data"));
  lblTitle1->setText(QInLanguage("各段の圧力、ホールドアップ量（必須）、熱の出入を入力します。",
                           "Set Press, Holdup(Need), HeatInput for each tray"));
  lblTitle2->setText(QInLanguage("(指定する段の圧力／ﾎｰﾙﾄﾞｱｯﾌﾟ量／熱量(＋：入、－：出)、他は空白）",
                           "(Tray Press / Holdup / Heat(+:in, -:out) or blank）"));
  cmdOK->setText(QInLanguage("ＯＫ(&O)", "OK(&O)"));
  cmdCancel->setText(QInLanguage("取消(&C)", "Cancel(&C)"));
  lblPressUnit->setText("mmHg");
  lblHeatUnit->setText(ui::Q(TrimRight(Unit_Heat_Text()) + "/H"));
  vaSpread1->SetText(1, 0, InLanguage("圧力", "Press"));
  vaSpread1->SetText(2, 0, InLanguage("ﾎｰﾙﾄﾞｱｯﾌﾟ量", "Hold up"));
  vaSpread1->SetText(3, 0, "HeatInput");
}

void frmBatchTray::Form_Activate() {
  // A conversion message (an unsupported heat unit) is said once, not once per plate.
  CalcMessageScope scope;
  lblPressUnit->setText(ui::Q(Unit_Press_Text()));
  lblHeatUnit->setText(ui::Q(Unit_Heat_Text() + "/H"));
  cboHoldupUnit->setCurrentIndex(UnitInUse() ? Batch.Holdup_Unit - 1 : -1);
  const int nt = Plates();
  vaSpread1->SetMaxRows(nt + 1);
  for (int j = 1; j <= nt; ++j) {
    if (Case.Tray_Press[j] > 0) vaSpread1->SetValue(1, j, Case.Tray_Press[j]);
    if (UnitInUse()) vaSpread1->SetValue(2, j, Batch.Tray_Holdup[Batch.Holdup_Unit][j]);
    vaSpread1->SetValue(3, j, Unit_Heat_Out(Batch.Tray_Heat[j]));
    vaSpread1->SetText(0, j, txt::Plain(j));
  }
  // The charge, shown beside the plates' hold-ups; it is the charge dialog's to
  // change. Nothing reads the total row's cells, so none takes typing (the
  // pressure cell stays empty).
  vaSpread1->SetValue(2, nt + 1, Batch.Total_Feed);
  vaSpread1->SetBackColor(2, nt + 1, kGrey);
  vaSpread1->SetLocked(1, nt + 1, 2, nt + 1);
  if (nt >= 1) {
    vaSpread1->SetBackColor(2, nt, kGrey);
    vaSpread1->SetLocked(2, nt, 2, nt);
    // The top plate's heat is the condenser duty, which the run works out.
    vaSpread1->SetText(3, 1, "");
    vaSpread1->SetLocked(3, 1, 3, 1);
  }
  // Heat put into the plates between the top and the still.
  vaSpread1->SetSumFormula(3, nt + 1, 3, 2, 3, nt - 1);
  vaSpread1->SetBackColor(3, nt + 1, kGrey);
  vaSpread1->SetLocked(3, nt + 1, 3, nt + 1);
  if (nt >= 1) {
    vaSpread1->SetText(0, 1, InLanguage("塔頂", "Top"));
    vaSpread1->SetText(0, nt, InLanguage("塔底", "BTM"));
    vaSpread1->SetValue(3, nt, Unit_Heat_Out(Batch.QReb_TR));
  }
  vaSpread1->SetText(0, nt + 1, "Total");
}

void frmBatchTray::cboHoldupUnit_Click() {
  const int pick = cboHoldupUnit->currentIndex();
  if (pick < 0 || pick > 2) return;
  Batch.Holdup_Unit = pick + 1;
  const int nt = Plates();
  if (nt < 1) return;
  double sum = 0;
  for (int j = 1; j <= nt - 1; ++j) {
    vaSpread1->SetValue(2, j, Batch.Tray_Holdup[Batch.Holdup_Unit][j]);
    sum += Batch.Tray_Holdup[Batch.Holdup_Unit][j];
  }
  Batch.Tray_Holdup[Batch.Holdup_Unit][nt] = Batch.Total_Feed - sum;
  vaSpread1->SetValue(2, nt, Batch.Tray_Holdup[Batch.Holdup_Unit][nt]);
}

void frmBatchTray::cmdOK_Click() {
  CalcMessageScope scope;
  const int nt = Plates();
  if (nt < 1 || !UnitInUse()) {
    ui::Forms::Unload(this);
    return;
  }
  const int unit = Batch.Holdup_Unit;
  // A blank cell is 0 (a pressure of 0 is interpolated by the run); any other
  // text must be a number as a whole, or nothing is stored.
  std::vector<double> cells(static_cast<std::size_t>(4 * (nt + 1)), 0.0);
  auto cell = [&](int col, int row) -> double& { return cells[static_cast<std::size_t>(row * 4 + col)]; };
  for (int j = 1; j <= nt; ++j)
    for (int col = 1; col <= 3; ++col) {
      if (j == nt && col == 2) continue;  // the still's hold-up is worked out
      const std::string text = vaSpread1->Text(col, j);
      if (text.find_first_not_of(" \t") == std::string::npos) continue;
      if (!batchui::Read_Number(text, Cell_Name(*vaSpread1, col, j), cell(col, j))) return;
    }
  double sum = 0;
  for (int j = 1; j <= nt - 1; ++j) {
    Case.Tray_Press[j] = cell(1, j);
    Batch.Tray_Holdup[unit][j] = cell(2, j);
    sum += Batch.Tray_Holdup[unit][j];
    Batch.Tray_Heat[j] = Unit_Heat_In(cell(3, j));
  }
  Case.Tray_Press[nt] = cell(1, nt);
  Batch.Tray_Heat[nt] = Unit_Heat_In(cell(3, nt));
  Batch.QReb = Batch.Tray_Heat[nt];
  Batch.QReb_TR = Batch.Tray_Heat[nt];
  Batch.Tray_Holdup[unit][nt] = Batch.Total_Feed - sum;
  // The summary shows the still in the charge's basis, beside its unit.
  batchui::Write_Main_Label("lblBtmData", General(batchui::Charge_In_Basis().still));
  ui::Forms::Unload(this);
}
