#include "purecomp/estimation_ui/PhysGroupDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "core/model/CaseData.h"
#include "platform/ui/Interaction.h"
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

const QColor kNoValueBack(224, 224, 224);
const QColor kNoValueFore(128, 128, 128);

}  // namespace

PhysGroupDialog::PhysGroupDialog(const char* formName, GroupMethod method, const char* estimateName)
    : ui::Form(formName), method_(method) {
  const physprop::GroupTable& table = physprop::Group_Table(method);
  SetCaption(QString::fromUtf8(table.caption));
  auto* top = new QHBoxLayout(this);

  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  const int cols = 2 + table.contributionCols;
  vaSpread1->SetMaxCols(cols);
  vaSpread1->SetMaxRows(table.Rows());
  vaSpread1->SetText(1, 0, "構造要素");
  vaSpread1->SetText(2, 0, table.countTitle);
  for (int c = 0; c < table.contributionCols; ++c) vaSpread1->SetText(3 + c, 0, table.colTitles[c]);
  const bool english = Case.Language == 1;
  const char* noValue = english ? "no value" : "値なし";
  for (int i = 1; i <= table.Rows(); ++i) {
    const physprop::GroupRow& row = table.Row(i);
    vaSpread1->SetText(1, i, row.name);
    for (int c = 0; c < table.contributionCols; ++c)
      vaSpread1->SetText(3 + c, i, row.cell[c] ? row.cell[c] : noValue);
  }
  vaSpread1->SetColWidth(1, 22);
  vaSpread1->SetColWidth(2, 5);
  for (int c = 3; c <= cols; ++c) vaSpread1->SetColWidth(c, c == 6 ? 11 : 9);
  vaSpread1->SetLocked(1, 1, 1, table.Rows());
  vaSpread1->SetLocked(3, 1, cols, table.Rows());
  // A group without its published value cannot be counted as 0: lock and grey it now.
  for (int i = 1; i <= table.Rows(); ++i) {
    if (!Row_Without_Values(i)) continue;
    vaSpread1->SetLocked(2, i, 2, i);
    for (int c = 1; c <= cols; ++c) {
      vaSpread1->SetBackColor(c, i, kNoValueBack);
      vaSpread1->SetForeColor(c, i, kNoValueFore);
    }
  }
  vaSpread1->setMinimumWidth(cols > 5 ? 600 : 470);
  vaSpread1->setMinimumHeight(420);
  auto* gridColumn = new QVBoxLayout();
  gridColumn->addWidget(vaSpread1, 1);
  lblNoValues = ui::NewLabel(this, "lblNoValues",
                             english ? "Grey rows: no published contribution is at hand, so they cannot be counted."
                                     : "灰色の行は寄与値の公表値がないため、数を入力できません。");
  lblNoValues->setWordWrap(true);
  gridColumn->addWidget(lblNoValues);
  top->addLayout(gridColumn, 1);

  auto* side = new QVBoxLayout();
  cmdEstimation = ui::NewButton(this, estimateName, "推算(&E)");
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  side->addWidget(cmdEstimation);
  side->addWidget(cmdExit);
  side->addSpacing(12);
  lblEstimate = ui::NewLabel(this, "lblEstimate", "推算値");
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
}

bool PhysGroupDialog::Row_Without_Values(int row) const {
  const physprop::GroupTable& table = physprop::Group_Table(method_);
  if (row < 1 || row > table.Rows()) return false;
  for (int c = 0; c < table.contributionCols; ++c)
    if (table.Row(row).cell[c] == nullptr) return true;
  return false;
}

void PhysGroupDialog::Form_Load() {
  estimated_ = false;
  const int* counts = physprop::Group_Counts(method_);
  for (int i = 1; i <= vaSpread1->MaxRows(); ++i)
    vaSpread1->SetText(2, i, Row_Without_Values(i) ? "" : txt::Plain(counts[i]));
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
  resultData[1]->setText(ui::Q(txt::Format(Phys.Phys_Pc, "###.000")));
  resultData[2]->setText(ui::Q(txt::Format(Phys.Phys_Vc, "###.000")));
}

void PhysGroupDialog::cmdExit_Click() { ui::Forms::Unload(this); }
