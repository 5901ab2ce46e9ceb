#include "batch/results/BatchResultCommon.h"

#include <algorithm>
#include <cstdint>

#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/text/NumberText.h"
#include "platform/ui/QLanguage.h"

namespace batchres {

QString Caption(const char* japanese, const char* english) {
  return ui::Q(Case.Prog_Title) + QInLanguage(japanese, english);
}

void Say(const std::string& text) { ui::MsgBox(text, ui::vbOKOnly, Case.Prog_Title); }

void Say_Run_File(const RunFileResult& r) {
  if (r.failed()) ui::MsgBox(Run_File_Message(r), ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
}

ResultForm::ResultForm(const QString& name) : ui::Form(name) {}

void ResultForm::Form_Load() {
  previous_ = Set_Calc_Message_Handler([](const std::string& text) { ui::MsgBox(text); });
  installed_ = true;
}

void ResultForm::Form_Unload() {
  if (installed_) Set_Calc_Message_Handler(std::move(previous_));
  installed_ = false;
}

void ResultForm::Form_KeyDown(int& keyCode, int shift) {
  (void)shift;
  if (keyCode == ui::vbKeyEscape) {
    keyCode = 0;
    ui::Forms::Unload(this);
  }
}

void ResultForm::cmdExit_Click() { ui::Forms::Unload(this); }

HistoryTableForm::HistoryTableForm(const QString& name, const Choice (&choices)[4], double buttonWidth,
                                   double buttonStep)
    : ResultForm(name), choices_(choices) {
  lblTitle = ui::NewLabel(this, "lblTitle");
  ui::Place(lblTitle, 120, 120, 6000, 300);
  QFont f = lblTitle->font();
  f.setBold(true);
  lblTitle->setFont(f);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetAllLocked(true);
  ui::Place(vaSpread1, 120, 480, 11400, 5400);
  for (int i = 0; i < 4; ++i) {
    buttons_[i] = ui::NewButton(this, choices[i].name, choices[i].caption[0]);
    ui::Place(buttons_[i], 120 + i * buttonStep, 6000, buttonWidth, 400);
    connect(buttons_[i], &QPushButton::clicked, this, [this, i] { Choose(i); });
  }
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  ui::Place(cmdExit, 10080, 6000, 1440, 400);
  setFixedSize(ui::Px(11640), ui::Px(6540));
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void HistoryTableForm::Form_Load() {
  ResultForm::Form_Load();
  for (int i = 0; i < 4; ++i) buttons_[i]->setText(QInLanguage(choices_[i].caption[0], choices_[i].caption[1]));
  cmdExit->setText(QInLanguage("戻る(&X)", "Exit(&X)"));
  lblTitle->setText("");
}

void HistoryTableForm::Choose(int i) {
  lblTitle->setText(QInLanguage(choices_[i].title[0], choices_[i].title[1]));
  Fill(choices_[i].phase, choices_[i].kind);
}

HistoryTableForm::~HistoryTableForm() { vaSpread1->cellSource = nullptr; }

void HistoryTableForm::Fill_Rows(int phase, HistoryRows::RowCells row) {
  vaSpread1->cellSource = nullptr;
  rows_ = std::make_unique<HistoryRows>(vaSpread1->MaxCols(), std::move(row));
  const RunFileResult r = rows_->Open(Batch_Result_Path(Batch_History_Name(phase)));
  if (!r.ok()) {
    rows_.reset();
    vaSpread1->SetMaxRows(0);
    Say_Run_File(r);
    return;
  }
  // A grid counts its rows in an int; no run writes that many records.
  const std::size_t n = std::min<std::size_t>(rows_->Records(), static_cast<std::size_t>(INT32_MAX));
  HistoryRows* rows = rows_.get();
  vaSpread1->cellSource = [rows](int col, int row) { return rows->Cell(col, row); };
  vaSpread1->SetMaxRows(static_cast<int>(n));
}

HistoryRows::Block& HistoryRows::Fetch(std::size_t first) {
  for (int i = 0; i < 2; ++i)
    if (blocks_[i].first == first) {
      lastUsed_ = i;
      return blocks_[i];
    }
  Block& b = blocks_[1 - lastUsed_];
  lastUsed_ = 1 - lastUsed_;
  b.first = first;
  b.cells.clear();
  const std::size_t cols = static_cast<std::size_t>(std::max(cols_, 1));
  const std::size_t count = std::min(HistoryFile::kMarkStride, file_.Records() - std::min(first, file_.Records()));
  if (!file_.SeekRecord(first, rec_)) return b;
  for (std::size_t k = 0; k < count; ++k) {
    if (!file_.Next(rec_).ok()) break;  // changed since it was opened: the rest stays empty
    rowCells_.assign(cols - 1, std::string());
    row_(rec_, rowCells_);
    b.cells.push_back(txt::Format(rec_.time, "##0.0000"));
    for (std::size_t c = 0; c + 1 < cols; ++c) b.cells.push_back(std::move(rowCells_[c]));
  }
  return b;
}

const std::string& HistoryRows::Cell(int col, int row) {
  if (row < 1 || col < 1 || col > cols_) return none_;
  const std::size_t r = static_cast<std::size_t>(row - 1);
  const std::size_t first = r / HistoryFile::kMarkStride * HistoryFile::kMarkStride;
  const Block& b = Fetch(first);
  const std::size_t i = (r - first) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(col - 1);
  return i < b.cells.size() ? b.cells[i] : none_;
}

}  // namespace batchres
