#include "purecomp/estimation_ui/PhysGroupDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "core/model/CaseData.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/QLanguage.h"
#include "purecomp/estimation_ui/BilingualCaptions.h"
#include "purecomp/estimation/PhysData.h"

using physprop::GroupMethod;
using physprop::Phys;

namespace {

QLabel* Framed(QLabel* l) {
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setMinimumWidth(150);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return l;
}

// Widens a column to its longest text (never narrower than set): group names are read whole.
void Fit_Column(ui::SpreadGrid* grid, int col) {
  const int preset = grid->columnWidth(col - 1);
  grid->resizeColumnToContents(col - 1);
  if (grid->columnWidth(col - 1) < preset) grid->setColumnWidth(col - 1, preset);
}

const QColor kNoValueBack(224, 224, 224);
const QColor kNoValueFore(128, 128, 128);
const QColor kHeadingBack(236, 236, 220);

}  // namespace

PhysGroupDialog::PhysGroupDialog(const char* formName, GroupMethod method, const char* estimateName)
    : ui::Form(formName), method_(method) {
  const physprop::GroupTable& table = physprop::Group_Table(method);
  auto* top = new QHBoxLayout(this);

  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  const int cols = 2 + table.contributionCols;
  vaSpread1->SetMaxCols(cols);
  vaSpread1->SetMaxRows(table.Rows());
  vaSpread1->SetText(2, 0, table.countTitle);
  for (int c = 0; c < table.contributionCols; ++c) vaSpread1->SetText(3 + c, 0, table.colTitles[c]);
  vaSpread1->SetColWidth(1, 22);
  vaSpread1->SetColWidth(2, 5);
  for (int c = 3; c <= cols; ++c) vaSpread1->SetColWidth(c, c == 6 ? 11 : 9);
  vaSpread1->SetLocked(1, 1, 1, table.Rows());
  vaSpread1->SetLocked(3, 1, cols, table.Rows());
  // A group without its published value cannot be counted as 0: lock and grey
  // it now. A heading row only groups the rows below it: a count there would
  // add nothing, so it takes none either.
  for (int i = 1; i <= table.Rows(); ++i) {
    const bool heading = physprop::Group_Heading_Row(method, i);
    if (heading || Row_Without_Values(i)) vaSpread1->SetLocked(2, i, 2, i);
    if (heading) {
      for (int c = 1; c <= cols; ++c) vaSpread1->SetBackColor(c, i, kHeadingBack);
      continue;
    }
    if (!Row_Without_Values(i) && !Row_Without_Vc(i)) continue;
    for (int c = 1; c <= cols; ++c) {
      vaSpread1->SetBackColor(c, i, kNoValueBack);
      if (Row_Without_Values(i)) vaSpread1->SetForeColor(c, i, kNoValueFore);
    }
  }
  vaSpread1->setMinimumWidth(cols > 5 ? 600 : 470);
  vaSpread1->setMinimumHeight(420);
  auto* gridColumn = new QVBoxLayout();
  gridColumn->addWidget(vaSpread1, 1);
  lblNoValues = ui::NewLabel(this, "lblNoValues");
  lblNoValues->setWordWrap(true);
  gridColumn->addWidget(lblNoValues);
  top->addLayout(gridColumn, 1);

  auto* side = new QVBoxLayout();
  cmdEstimation = ui::NewButton(this, estimateName);
  cmdExit = ui::NewButton(this, "cmdExit");
  side->addWidget(cmdEstimation);
  side->addWidget(cmdExit);
  side->addSpacing(12);
  lblEstimate = ui::NewLabel(this, "lblEstimate");
  side->addWidget(lblEstimate);
  auto* results = new QGridLayout();
  if (method == GroupMethod::RihaniDoraiswamy) {
    const char* titles[4] = {"Cp0", "Cp1", "Cp2", "Cp3"};
    for (int k = 0; k < 4; ++k) {
      const std::string t = "lblCp(" + std::to_string(k) + ")";
      const std::string d = "lblCpData(" + std::to_string(k) + ")";
      resultTitles.push_back(ui::NewLabel(this, t.c_str(), titles[k]));
      resultData.push_back(Framed(ui::NewLabel(this, d.c_str())));
    }
  } else {
    const char* names[3] = {"lblTc", "lblPc", "lblVc"};
    const char* data[3] = {"lblTcData", "lblPcData", "lblVcData"};
    const char* titles[3] = {"Tc", "Pc", "Vc"};
    const int n = method == GroupMethod::Fedors ? 1 : 3;
    for (int k = 0; k < n; ++k) {
      resultTitles.push_back(ui::NewLabel(this, names[k], titles[k]));
      resultData.push_back(Framed(ui::NewLabel(this, data[k])));
    }
  }
  for (std::size_t k = 0; k < resultData.size(); ++k) {
    results->addWidget(resultTitles[k], static_cast<int>(k), 0);
    results->addWidget(resultData[k], static_cast<int>(k), 1);
  }
  side->addLayout(results);
  side->addStretch();
  top->addLayout(side);

  connect(cmdEstimation, &QPushButton::clicked, this, [this] { cmdEstimation_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  resize(cols > 5 ? 860 : 760, 560);
  Apply_Language();
}

void PhysGroupDialog::Apply_Language() {
  const physprop::GroupTable& table = physprop::Group_Table(method_);
  SetCaption(ui::Q(physprop::Group_Caption(method_)));
  vaSpread1->SetText(1, 0, InLanguage("構造要素", "Group"));
  const std::string noValue = InLanguage("値なし", "no value");
  for (int i = 1; i <= table.Rows(); ++i) {
    vaSpread1->SetText(1, i, physprop::Group_Row_Cell(method_, i));
    for (int c = 0; c < table.contributionCols; ++c) {
      const char* cell = table.Row(i).cell[c];
      vaSpread1->SetText(3 + c, i, cell ? std::string(cell) : noValue);
    }
  }
  const bool critical = method_ != GroupMethod::Fedors && method_ != GroupMethod::RihaniDoraiswamy;
  lblNoValues->setText(
      critical ? QInLanguage("灰色の行は寄与値の公表値がないため、数を入力できません（Vcだけがない行は数を入力でき、Vcは推算しません）。",
                      "Grey rows: no published contribution is at hand, so they cannot be counted (a row without "
                      "only its Vc can be counted; Vc is then not estimated).")
               : QInLanguage("灰色の行は寄与値の公表値がないため、数を入力できません。",
                      "Grey rows: no published contribution is at hand, so they cannot be counted."));
  if (method_ == GroupMethod::Ambrose)
    lblNoValues->setText(lblNoValues->text() + "\n" +
                         QInLanguage("f(nC): アルコールの-OHの寄与は炭素原子数nC（1行目の数）による: "
                              "△Tc = 0.87 - 0.11 nC + 0.003 nC²、△Pc = 0.100 - 0.013 nC。",
                              "f(nC): the alcohol -OH increments follow the carbon number nC (the count of row 1): "
                              "△Tc = 0.87 - 0.11 nC + 0.003 nC², △Pc = 0.100 - 0.013 nC."));
  Fit_Column(vaSpread1, 1);
  int width = vaSpread1->verticalHeader()->width() + vaSpread1->verticalScrollBar()->sizeHint().width() + 8;
  for (int c = 0; c < vaSpread1->MaxCols(); ++c) width += vaSpread1->columnWidth(c);
  vaSpread1->setMinimumWidth(std::max(table.contributionCols > 3 ? 600 : 470, width));
  cmdEstimation->setText(QInLanguage("推算(&E)", "&Estimate"));
  cmdExit->setText(QInLanguage("戻る(&X)", "E&xit"));
  lblEstimate->setText(QInLanguage("推算値", "Estimate"));
}

void PhysGroupDialog::Form_Activate() { Apply_Language(); }

bool PhysGroupDialog::Row_Without_Vc(int row) const {
  const physprop::GroupTable& table = physprop::Group_Table(method_);
  if (method_ == GroupMethod::Fedors || method_ == GroupMethod::RihaniDoraiswamy) return false;
  if (row < 1 || row > table.Rows()) return false;
  return table.Row(row).cell[2] == nullptr && !Row_Without_Values(row);
}

bool PhysGroupDialog::Row_Without_Values(int row) const {
  const physprop::GroupTable& table = physprop::Group_Table(method_);
  if (row < 1 || row > table.Rows()) return false;
  // Vc alone may be held back (Tc and Pc are estimated without it).
  const bool critical = method_ != GroupMethod::Fedors && method_ != GroupMethod::RihaniDoraiswamy;
  const int needed = critical ? 2 : table.contributionCols;
  for (int c = 0; c < needed; ++c)
    if (table.Row(row).cell[c] == nullptr) return true;
  return false;
}

void PhysGroupDialog::Form_Load() {
  estimated_ = false;
  const int* counts = physprop::Group_Counts(method_);
  for (int i = 1; i <= vaSpread1->MaxRows(); ++i)
    vaSpread1->SetText(2, i,
                       Row_Without_Values(i) || physprop::Group_Heading_Row(method_, i) ? "" : txt::Plain(counts[i]));
}

std::vector<std::string> PhysGroupDialog::Count_Texts() const {
  std::vector<std::string> texts(static_cast<std::size_t>(vaSpread1->MaxRows() + 1));
  for (int i = 1; i <= vaSpread1->MaxRows(); ++i) texts[static_cast<std::size_t>(i)] = vaSpread1->Text(2, i);
  return texts;
}

void PhysGroupDialog::cmdEstimation_Click() {
  physprop::GroupEstimate r;
  switch (method_) {
    case GroupMethod::Fedors: r = physprop::Fedors_Estimate(Count_Texts()); break;
    case GroupMethod::RihaniDoraiswamy: r = physprop::Cp0_Estimate(Count_Texts()); break;
    default: r = physprop::Critical_Estimate(method_, Count_Texts()); break;
  }
  if (r.status != physprop::GroupStatus::Estimated) {
    estimated_ = false;
    ui::MsgBox(physprop::Group_Estimate_Message(r));
    return;
  }
  estimated_ = true;
  Show_Results();
  // Estimated, but a value held back (Vc without its increment, Joback Pc without the atom count).
  if (const std::string held = physprop::Group_Estimate_Message(r); !held.empty()) ui::MsgBox(held);
}

void PhysGroupDialog::Show_Results() {
  if (method_ == GroupMethod::RihaniDoraiswamy) {
    for (int k = 0; k < 4; ++k)
      resultData[static_cast<std::size_t>(k)]->setText(
          ui::Q(txt::Format(Phys.Phys_Cp0[k + 1], "#.#000000E+##")));
    return;
  }
  resultData[0]->setText(ui::Q(txt::Format(Phys.Phys_Tc, "####.000")));
  if (resultData.size() < 3) return;
  resultData[1]->setText(Phys.Phys_Pc > 0 ? ui::Q(txt::Format(Phys.Phys_Pc, "###.000")) : QString());
  resultData[2]->setText(Phys.Phys_Vc > 0 ? ui::Q(txt::Format(Phys.Phys_Vc, "###.000")) : QString());
}

void PhysGroupDialog::cmdExit_Click() { ui::Forms::Unload(this); }
