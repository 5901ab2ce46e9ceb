#include "batch/ui/BatchUiCommon.h"

#include <QWidget>

#include <algorithm>

#include "batch/model/BatchData.h"
#include "core/model/CaseData.h"
#include "platform/ui/Interaction.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QLanguage.h"

namespace batchui {

QString Caption(const char* japanese, const char* english) {
  return ui::Q(Case.Prog_Title) + QInLanguage(japanese, english);
}

void Write_Main_Label(const char* label, const std::string& text) {
  ui::SetControlText(ui::Forms::FindByName(kMainWindow), label, text);
}

void Set_Main_Visible(const char* control, bool visible) {
  ui::Form* main = ui::Forms::FindByName(kMainWindow);
  if (!main) return;
  if (auto* w = main->findChild<QWidget*>(QString::fromLatin1(control))) w->setVisible(visible);
}

std::string General(double value) { return txt::Plain(value); }

bool Read_Number(const std::string& text, const std::string& field, double& value) {
  return ui::ReadNumber(text, field, value, ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
}

bool Read_Count(const std::string& text, const std::string& field, long long lo, long long hi, long long& value) {
  return ui::ReadCount(text, field, lo, hi, value, ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
}

ChargeFigures Charge_In_Basis() {
  const int nc = std::clamp<int>(Case.NC, 0, kMaxComp), nt = Case.NT;
  double sum = 0, mass = 0;
  for (int i = 1; i <= nc; ++i) sum += Batch.Feed_Comp[i], mass += Batch.Feed_Comp[i] * Case.Mol_Wt[i];
  const double mw = sum > 0 ? mass / sum : 0;  // kg per kmol of the charge
  // The plates' hold-ups in kmol: those in kg through the charge's molar mass.
  double plates = 0;
  if (nt >= 2 && nt <= kMaxTray)
    for (int p = 1; p <= nt - 1; ++p)
      plates += Batch.Holdup_Unit == 2 ? (mw > 0 ? Batch.Tray_Holdup[2][p] / mw : 0) : Batch.Tray_Holdup[1][p];
  ChargeFigures f;
  const bool kg = Batch.Feed_Comp_Unit == 1 && mw > 0;
  const double scale = kg ? mw : 1;
  f.total = Batch.Total_Feed * scale;
  f.still = (Batch.Total_Feed - plates) * scale;
  f.unit = kg ? "Kg" : "Kgmol";
  return f;
}

std::string Name_Part(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

void BatchDialog::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

void BatchDialog::cmdCancel_Click() { ui::Forms::Unload(this); }

}  // namespace batchui
