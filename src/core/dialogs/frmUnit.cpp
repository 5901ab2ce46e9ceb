#include "core/dialogs/frmUnit.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "core/dialogs/DialogCommon.h"
#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QLanguage.h"

namespace {

constexpr const char* kTitleJa = "単位系";
constexpr const char* kTitleEn = "Unit";

void Fill(QComboBox* box, std::initializer_list<const char*> entries) {
  QSignalBlocker block(box);
  box->clear();
  for (const char* e : entries) box->addItem(QString::fromUtf8(e));
}

// A stored code outside the list (from a case file, say) selects no entry.
void SelectCode(QComboBox* box, int code) {
  const int position = code - 1;
  box->setCurrentIndex(position >= 0 && position < box->count() ? position : -1);
}

// The code of the chosen entry; with no entry chosen the stored code stays.
void StoreCode(const QComboBox* box, int32_t& code) {
  if (box->currentIndex() >= 0) code = box->currentIndex() + 1;
}

}  // namespace

frmUnit::frmUnit() : ui::Form("frmUnit") {
  auto* g = new QGridLayout(this);
  lblTitle = ui::NewLabel(this, "lblTitle");
  g->addWidget(lblTitle, 0, 0, 1, 2);
  lblTemp = ui::NewLabel(this, "lblTemp");
  cboTemp = ui::NewComboBox(this, "cboTemp");
  lblPress = ui::NewLabel(this, "lblPress");
  cboPress = ui::NewComboBox(this, "cboPress");
  lblHeat = ui::NewLabel(this, "lblHeat");
  cboHeat = ui::NewComboBox(this, "cboHeat");
  g->addWidget(lblTemp, 1, 0);
  g->addWidget(cboTemp, 1, 1);
  g->addWidget(lblPress, 2, 0);
  g->addWidget(cboPress, 2, 1);
  g->addWidget(lblHeat, 3, 0);
  g->addWidget(cboHeat, 3, 1);
  for (QComboBox* box : {cboTemp, cboPress, cboHeat}) box->setMinimumWidth(140);
  auto* buttons = new QHBoxLayout();
  cmdCancel = ui::NewButton(this, "cmdCancel");
  cmdOK = ui::NewButton(this, "cmdOK");
  buttons->addStretch();
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdOK);
  g->addLayout(buttons, 4, 0, 1, 2);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmUnit::Form_Load() {
  captionLanguage_ = Case.Language;
  dlg::Set_Dialog_Caption(*this, kTitleJa, kTitleEn);
  lblTitle->setText(QInLanguage("単位系を選んで下さい。", "Select Unit"));
  lblTemp->setText(QInLanguage("温度単位系", "Temperature"));
  lblPress->setText(QInLanguage("圧力単位系", "Pressure"));
  lblHeat->setText(QInLanguage("熱量単位系", "Heat"));
  cmdCancel->setText(QInLanguage("取消(&C)", "Cancel(&C)"));
  cmdOK->setText(QInLanguage("ＯＫ(&O)", "OK (&O)"));
  if (In_English()) Fill(cboTemp, {"C", "K", "F"});
  else Fill(cboTemp, {"℃", "゜K", "゜F"});
  Fill(cboPress, {"MPa", "KPa", "mmHg", "mmH2O", "Kgf/cm2", "PSIA"});
  Fill(cboHeat, {"J", "Kcal"});
  Select_Stored_Codes();
}

void frmUnit::Form_Activate() {
  dlg::Set_Dialog_Caption(*this, kTitleJa, kTitleEn);
  Select_Stored_Codes();
}

void frmUnit::Follow_Language() {
  if (captionLanguage_ == Case.Language) return;
  const int temp = cboTemp->currentIndex(), press = cboPress->currentIndex(), heat = cboHeat->currentIndex();
  Form_Load();
  for (auto [box, index] : {std::pair{cboTemp, temp}, {cboPress, press}, {cboHeat, heat}}) {
    QSignalBlocker block(box);
    box->setCurrentIndex(index);
  }
}

void frmUnit::Select_Stored_Codes() {
  Follow_Language();
  SelectCode(cboTemp, Case.T_Unit);
  SelectCode(cboPress, Case.P_Unit);
  SelectCode(cboHeat, Case.H_Unit);
}

void frmUnit::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}

void frmUnit::cmdOK_Click() {
  StoreCode(cboTemp, Case.T_Unit);
  StoreCode(cboPress, Case.P_Unit);
  StoreCode(cboHeat, Case.H_Unit);
  const std::string temp = ui::S(cboTemp->currentText());
  const std::string press = ui::S(cboPress->currentText());
  const std::string heat = ui::S(cboHeat->currentText());
  dlg::Write_Main_Label("lblMainUnitTempData", "lblTempUnitData", nullptr, temp);
  dlg::Write_Main_Label("lblMainUnitPressData", "lblPressUnitData", nullptr, press);
  dlg::Write_Main_Label("lblMainUnitHeatData", "lblHeatUnitData", nullptr, heat);
  dlg::Write_Main_Label("lblUnitTopPress", nullptr, nullptr, press);
  dlg::Write_Main_Label("lblUnitBtmPress", nullptr, nullptr, press);
  // The flash window shows its typed temperature and pressure under these
  // captions: refresh them too, so a value is never shown under the old unit.
  dlg::Write_Main_Label(nullptr, nullptr, "lblTempUnit", temp);
  dlg::Write_Main_Label(nullptr, nullptr, "lblPressUnit", press);
  Hide();
}

void frmUnit::cmdCancel_Click() { ui::Forms::Unload(this); }

void Select_Unit_Entries() { ui::Forms::Get<frmUnit>().Select_Stored_Codes(); }

namespace {
frmUnit& Units_In_Current_Language() {
  frmUnit& f = ui::Forms::Get<frmUnit>();
  f.Follow_Language();
  return f;
}
}  // namespace

std::string Unit_Temp_Text() { return ui::S(Units_In_Current_Language().cboTemp->currentText()); }
std::string Unit_Press_Text() { return ui::S(Units_In_Current_Language().cboPress->currentText()); }
std::string Unit_Heat_Text() { return ui::S(Units_In_Current_Language().cboHeat->currentText()); }

// Other windows open it by name without linking to this library.
VZ_FORM_FACTORY(frmUnit);
