#include "purecomp/estimation_ui/frmPhysicalEstimateData.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

#include "core/model/Language.h"
#include "platform/text/NumberText.h"
#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "purecomp/estimation/LiquidProperties.h"
#include "purecomp/estimation/PhysData.h"

VZ_FORM_FACTORY(frmPhysicalEstimateData);

using physprop::Phys;

namespace {

struct ConstantRow {
  const char* name;
  const char* nameEn;
  const char* unit;
};

const ConstantRow kConstantRows[26] = {
    {"物質名", "Component", ""}, {"分子量", "Molecular weight", ""}, {"原子数", "Atoms", ""},
    {"標準沸点(Tb)", "Normal b.p. (Tb)", "ﾟC"}, {"臨界温度(Tc)", "Critical temp. (Tc)", "ﾟK"},
    {"臨界圧力(Pc)", "Critical press. (Pc)", "atm"}, {"臨界分子容(Vc)", "Critical vol. (Vc)", "cc/mol"},
    {"偏心因子(ω)", "Acentric factor (ω)", " -"}, {"Antoine定数", "Antoine constants", "A"},
    {" logP=A-B/(t+C)", " logP=A-B/(t+C)", "B"}, {"", "", "C"},
    {"理想気体比熱式", "Ideal-gas Cp", "A"}, {" Cp0=A+B*T+C*T^2+D*T^3", " Cp0=A+B*T+C*T^2+D*T^3", "B"},
    {"", "", "C"}, {"", "", "D"},
    {"液比熱式係数", "Liquid Cp", "A"}, {" CpL=A+B*T+C*T^2", " CpL=A+B*T+C*T^2", "B"}, {"", "", "C"},
    {"蒸発潜熱式", "Heat of vaporisation", "A"}, {" Hv=A+B*T+C*T^2", " Hv=A+B*T+C*T^2", "B"}, {"", "", "C"},
    {"液密度式係数", "Liquid density", "A"}, {" ρL=A*B^(-(1-Tr)^(2/7))", " ρL=A*B^(-(1-Tr)^(2/7))", "B"},
    {"", "", "A"}, {" ρL=A+B*T+C*T^2", " ρL=A+B*T+C*T^2", "B"}, {"", "", "C"},
};

const char* const kPointTitles[2][6] = {
    {"温度", "蒸気圧", "理想気体比熱", "液比熱", "蒸発潜熱", "液密度"},
    {"(ﾟC)", "(mmHg)", "(cal/mol/ﾟK)", "(cal/mol/ﾟK)", "(cal/mol)", "(g/mol)"},
};
const char* const kPointTitlesEn[6] = {"Temperature", "Vapour press.", "Ideal-gas Cp", "Liquid Cp",
                                       "Heat of vap.", "Liquid density"};

// Widens every column to its longest text (never narrower than set), and the
// grid to its columns, so that no caption is cut in either language.
void Fit_Columns(ui::SpreadGrid* grid, int cols) {
  int total = grid->verticalHeader()->width() + 2 * grid->frameWidth() + 4;
  for (int c = 0; c < cols; ++c) {
    const int preset = grid->columnWidth(c);
    grid->resizeColumnToContents(c);
    if (grid->columnWidth(c) < preset) grid->setColumnWidth(c, preset);
    total += grid->columnWidth(c);
  }
  grid->setMinimumWidth(std::max(grid->minimumWidth(), total + grid->verticalScrollBar()->sizeHint().width()));
}

}  // namespace

frmPhysicalEstimateData::frmPhysicalEstimateData() : ui::Form("frmPhysicalEstimateData") {
  auto* top = new QHBoxLayout(this);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetMaxCols(3);
  vaSpread1->SetMaxRows(26);
  for (int r = 1; r <= 26; ++r) vaSpread1->SetText(2, r, kConstantRows[r - 1].unit);
  vaSpread1->SetColWidth(1, 29);
  vaSpread1->SetColWidth(2, 7);
  vaSpread1->SetColWidth(3, 16);
  vaSpread1->SetColHeadersVisible(false);
  vaSpread1->SetAllLocked(true);
  vaSpread1->setMinimumWidth(470);
  top->addWidget(vaSpread1);

  vaSpread2 = new ui::SpreadGrid("vaSpread2", this);
  vaSpread2->SetMaxCols(6);
  vaSpread2->SetMaxRows(2 + physprop::kPhysPoints);
  for (int c = 1; c <= 6; ++c) {
    vaSpread2->SetText(c, 2, kPointTitles[1][c - 1]);
    vaSpread2->SetColWidth(c, c == 1 ? 9 : 14);
  }
  vaSpread2->SetColHeadersVisible(false);
  vaSpread2->SetAllLocked(true);
  vaSpread2->setMinimumWidth(640);
  top->addWidget(vaSpread2, 1);

  auto* side = new QVBoxLayout();
  cmdExit = ui::NewButton(this, "cmdExit");
  side->addWidget(cmdExit);
  side->addStretch();
  top->addLayout(side);
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  resize(1200, 620);
}

void frmPhysicalEstimateData::Apply_Language() {
  const bool en = In_English();
  SetCaption(en ? "Estimated data" : "推算値");
  for (int r = 1; r <= 26; ++r) vaSpread1->SetText(1, r, en ? kConstantRows[r - 1].nameEn : kConstantRows[r - 1].name);
  for (int c = 1; c <= 6; ++c) vaSpread2->SetText(c, 1, en ? kPointTitlesEn[c - 1] : kPointTitles[0][c - 1]);
  cmdExit->setText(en ? "E&xit" : "戻る(&X)");
  Fit_Columns(vaSpread1, 3);
  Fit_Columns(vaSpread2, 6);
}

void frmPhysicalEstimateData::Form_Activate() { Apply_Language(); }

void frmPhysicalEstimateData::Form_Load() {
  Apply_Language();
  Fill_Constants();
  Fill_Points();
  Fit_Columns(vaSpread1, 3);
  Fit_Columns(vaSpread2, 6);
}

void frmPhysicalEstimateData::Fill_Constants() {
  const char* const coef = "#.#000000E+###";
  vaSpread1->SetText(3, 1, Phys.Phys_Comp_Name);
  vaSpread1->SetText(3, 2, txt::Plain(Phys.Phys_Mol_Wt));
  vaSpread1->SetText(3, 3, txt::Plain(Phys.Phys_Total_Atom));
  const double fixed3[4] = {Phys.Phys_Tb_C, Phys.Phys_Tc, Phys.Phys_Pc, Phys.Phys_Vc};
  for (int k = 0; k < 4; ++k) vaSpread1->SetText(3, 4 + k, txt::Format(fixed3[k], "####.000"));
  // A Pc or Vc its dialog held back is 0: shown empty, not as a value.
  for (int k = 2; k < 4; ++k)
    if (!(fixed3[k] > 0)) vaSpread1->SetText(3, 4 + k, "");
  vaSpread1->SetText(3, 8, txt::Format(Phys.Phys_Omega, "##.00000"));
  vaSpread1->SetText(3, 9, txt::Format(Phys.Phys_Antoine_A, "####.00000"));
  vaSpread1->SetText(3, 10, txt::Format(Phys.Phys_Antoine_B, "####.00000"));
  vaSpread1->SetText(3, 11, txt::Format(Phys.Phys_Antoine_C, "####.00000"));
  const double coefs[15] = {Phys.Phys_Cp0[1], Phys.Phys_Cp0[2], Phys.Phys_Cp0[3], Phys.Phys_Cp0[4],
                            Phys.Phys_CpL_A, Phys.Phys_CpL_B, Phys.Phys_CpL_C,
                            Phys.Phys_Hv_A, Phys.Phys_Hv_B, Phys.Phys_Hv_C,
                            Phys.Phys_DenL1_A, Phys.Phys_DenL1_B,
                            Phys.Phys_DenL2_A, Phys.Phys_DenL2_B, Phys.Phys_DenL2_C};
  // A step that was refused or failed leaves all its coefficients 0: shown empty.
  const int groups[5][2] = {{0, 4}, {4, 7}, {7, 10}, {10, 12}, {12, 15}};
  for (const auto& g : groups) {
    bool computed = false;
    for (int k = g[0]; k < g[1]; ++k) computed = computed || coefs[k] != 0;
    for (int k = g[0]; k < g[1]; ++k)
      vaSpread1->SetText(3, 12 + k, computed ? txt::Format(coefs[k], coef) : "");
  }
}

void frmPhysicalEstimateData::Fill_Points() {
  const char* const exp = "#.000000E+###";
  for (int i = 1; i <= physprop::kPhysPoints; ++i) {
    const int r = i + 2;
    vaSpread2->SetText(1, r, txt::Format(Phys.Phys_Temp_C[i], "####.00"));
    // Every property is positive where it was computed; 0 is a point no step filled.
    auto shown = [](double v, const char* pattern) { return v != 0 ? txt::Format(v, pattern) : std::string(); };
    const bool cp0 = Phys.Phys_Cp0[1] != 0 || Phys.Phys_Cp0[2] != 0 || Phys.Phys_Cp0[3] != 0 || Phys.Phys_Cp0[4] != 0;
    vaSpread2->SetText(2, r, shown(Phys.Phys_Pvap[i], "#####.000"));
    vaSpread2->SetText(3, r, cp0 ? txt::Format(physprop::Cp0_At(Phys.Phys_Temp_K[i]), exp) : "");
    vaSpread2->SetText(4, r, shown(Phys.Phys_CpL[i], exp));
    vaSpread2->SetText(5, r, shown(Phys.Phys_Hv[i], exp));
    vaSpread2->SetText(6, r, shown(Phys.Phys_DenL[i], exp));
  }
}

void frmPhysicalEstimateData::cmdExit_Click() { ui::Forms::Unload(this); }
