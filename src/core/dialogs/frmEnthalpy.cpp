#include "core/dialogs/frmEnthalpy.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

#include "core/dialogs/DialogCommon.h"
#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QLanguage.h"

namespace {

constexpr const char* kTitleJa = "エンタルピー推算法";
constexpr const char* kTitleEn = "Enthalpy Estimation Method";
constexpr int kModels = 4;
constexpr int kEnthalpyCols = 7;

int CaseNC() { return std::clamp<int>(Case.NC, 0, kMaxComp); }

bool Polynomial(int position) { return position == 1; }
bool HeatCapacity(int position) { return position == 2 || position == 3; }

void CopyVec(CompVec& to, const CompVec& from) { std::copy(std::begin(from), std::end(from), std::begin(to)); }

}  // namespace

frmEnthalpy::frmEnthalpy() : ui::Form("frmEnthalpy") {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout();
  lblEnthalpy = ui::NewLabel(this, "lblEnthalpy");
  cboEnthalpy = ui::NewComboBox(this, "cboEnthalpy");
  cboEnthalpy->setMinimumWidth(260);
  top->addWidget(lblEnthalpy);
  top->addWidget(cboEnthalpy);
  top->addStretch();
  layout->addLayout(top);

  fraEnthalpy = ui::NewFrame(this, "fraEnthalpy");
  auto* fg = new QGridLayout(fraEnthalpy);
  lblEnthalpyEquation = ui::NewLabel(fraEnthalpy, "lblEnthalpyEquation");
  lblEnthalpyVap = ui::NewLabel(fraEnthalpy, "lblEnthalpyVap");
  lblEnthalpyLiq = ui::NewLabel(fraEnthalpy, "lblEnthalpyLiq");
  fg->addWidget(lblEnthalpyEquation, 0, 0, 1, 2);
  fg->addWidget(lblEnthalpyVap, 1, 0);
  fg->addWidget(lblEnthalpyLiq, 1, 1);
  vaSpreadEnthalpy = new ui::SpreadGrid("vaSpreadEnthalpy", fraEnthalpy);
  vaSpreadEnthalpy->SetMaxCols(kEnthalpyCols);
  vaSpreadEnthalpy->SetMaxRows(kMaxComp);
  vaSpreadEnthalpy->SetColWidth(1, 16);
  for (int c = 2; c <= kEnthalpyCols; ++c) vaSpreadEnthalpy->SetColWidth(c, 11);
  vaSpreadEnthalpy->setMinimumSize(700, 300);
  fg->addWidget(vaSpreadEnthalpy, 2, 0, 1, 2);
  layout->addWidget(fraEnthalpy);

  auto* buttons = new QHBoxLayout();
  cmdDBEnthalpyCoeff = ui::NewButton(this, "cmdDBEnthalpyCoeff");
  cmdCancel = ui::NewButton(this, "cmdCancel");
  cmdOK = ui::NewButton(this, "cmdOK");
  buttons->addWidget(cmdDBEnthalpyCoeff);
  buttons->addStretch();
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdOK);
  layout->addLayout(buttons);

  connect(cboEnthalpy, &QComboBox::currentIndexChanged, this, [this](int i) { cboEnthalpy_Click(i); });
  vaSpreadEnthalpy->onClick = [this](int col, int row) { vaSpreadEnthalpy_Click(col, row); };
  connect(cmdDBEnthalpyCoeff, &QPushButton::clicked, this, [this] { cmdDBEnthalpyCoeff_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  cmdDBEnthalpyCoeff->setVisible(false);
  fraEnthalpy->setVisible(false);
}

frmEnthalpy::~frmEnthalpy() = default;

void frmEnthalpy::Form_Load() {
  captionLanguage_ = Case.Language;
  dlg::Set_Dialog_Caption(*this, kTitleJa, kTitleEn);
  lblEnthalpy->setText(QInLanguage(kTitleJa, kTitleEn));
  cmdDBEnthalpyCoeff->setText(QInLanguage("Enthalpy係数検索(&S)", "Querry Enthalpy(&S)"));
  cmdCancel->setText(QInLanguage("取消(&C)", "Cancel(&C)"));
  cmdOK->setText(QInLanguage("ＯＫ(&O)", "OK (&O)"));
  QSignalBlocker block(cboEnthalpy);
  cboEnthalpy->clear();
  cboEnthalpy->addItem(QInLanguage("0.エンタルピー計算なし", "0.not Heatr Balance"));
  cboEnthalpy->addItem(QInLanguage("1.温度多項式(H=A+B*t+C*t^2)", "1.Equation(H=A+B*t+C*t^2)"));
  cboEnthalpy->addItem(QString::fromUtf8("2.Ｓ－Ｒ－Ｋ"));
  cboEnthalpy->addItem(QString::fromUtf8("3.Ｐ－Ｒ"));
  cboEnthalpy->setCurrentIndex(-1);
}

void frmEnthalpy::Follow_Language() {
  if (captionLanguage_ == Case.Language) return;
  const int position = cboEnthalpy->currentIndex();
  Form_Load();
  QSignalBlocker block(cboEnthalpy);
  cboEnthalpy->setCurrentIndex(position);
}

void frmEnthalpy::Form_Activate() {
  Follow_Language();
  dlg::Set_Dialog_Caption(*this, kTitleJa, kTitleEn);
  // Back from the lookup the dialog is still on screen: the lookup wrote into the
  // grid itself, and what the user typed stays.
  if (isVisible()) return;
  before_ = std::make_unique<CaseData>(Case);
  Select_Position(Case.H_Method);
  vaSpreadEnthalpy->SetMaxRows(CaseNC());
  Show_Layout(cboEnthalpy->currentIndex(), false);
}

void frmEnthalpy::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  cmdCancel_Click();
}

void frmEnthalpy::Select_Position(int position) {
  if (position < 0 || position >= cboEnthalpy->count()) position = -1;
  {
    QSignalBlocker block(cboEnthalpy);
    cboEnthalpy->setCurrentIndex(position);
  }
  cboEnthalpy_Click(position);
}

std::string frmEnthalpy::Select_Stored_Model() {
  Follow_Language();
  Select_Position(Case.H_Method);
  return ui::S(cboEnthalpy->currentText());
}

void frmEnthalpy::Show_Layout(int position, bool emptyUnused) {
  if (!Polynomial(position) && !HeatCapacity(position)) {
    fraEnthalpy->setVisible(false);
    return;
  }
  fraEnthalpy->setVisible(true);
  auto* g = vaSpreadEnthalpy;
  g->SetText(1, 0, ui::S(QInLanguage("成分名", "Name")));
  const int nc = CaseNC();
  if (Polynomial(position)) {
    const char* heads[] = {"A(Vap)", "B(Vap)", "C(Vap)", "A(Liq)", "B(Liq)", "C(Liq)"};
    for (int c = 2; c <= kEnthalpyCols; ++c) g->SetText(c, 0, heads[c - 2]);
    lblEnthalpyVap->setText(QInLanguage("蒸気エンタルピー", "Vapor Enthalpy"));
    lblEnthalpyLiq->setText(QInLanguage("液エンタルピー", "Liquid Enthalpy"));
    lblEnthalpyEquation->setText(QString::fromUtf8("H(Kcal/Kgmol)=A + B*t + C*t^2     t:℃"));
    for (int i = 1; i <= nc; ++i) {
      g->SetText(1, i, Case.Comp_Name[i]);
      const double values[] = {Case.HV_A[i], Case.HV_B[i], Case.HV_C[i], Case.HL_A[i], Case.HL_B[i], Case.HL_C[i]};
      for (int c = 2; c <= kEnthalpyCols; ++c) g->SetValue(c, i, values[c - 2]);
    }
    return;
  }
  const char* heads[] = {"A", "B", "C", "D", "", ""};
  for (int c = 2; c <= kEnthalpyCols; ++c) g->SetText(c, 0, heads[c - 2]);
  lblEnthalpyVap->setText("Ideal Gas Capacity");
  lblEnthalpyLiq->setText("");
  lblEnthalpyEquation->setText("Cp(Kcal/KgmolK)=A + B*t + C*t^2 + D*t^3 t:K");
  for (int i = 1; i <= nc; ++i) {
    g->SetText(1, i, Case.Comp_Name[i]);
    const double values[] = {Case.Cp_A[i], Case.Cp_B[i], Case.Cp_C[i], Case.Cp_D[i]};
    for (int c = 2; c <= 5; ++c) g->SetValue(c, i, values[c - 2]);
    if (emptyUnused) {
      g->SetText(6, i, "");
      g->SetText(7, i, "");
    }
  }
}

void frmEnthalpy::cboEnthalpy_Click(int position) {
  cmdDBEnthalpyCoeff->setVisible(false);
  Show_Layout(position, true);
}

void frmEnthalpy::vaSpreadEnthalpy_Click(int, int) { cmdDBEnthalpyCoeff->setVisible(true); }

void frmEnthalpy::cmdDBEnthalpyCoeff_Click() {
  cmdDBEnthalpyCoeff->setVisible(false);
  if (ui::Form* lookup = ui::Forms::LoadByName("frmDBEnthalpyCoeff")) lookup->ShowModal();
}

void frmEnthalpy::cmdOK_Click() {
  const int position = cboEnthalpy->currentIndex();
  // With no entry chosen (a stored code outside the list) nothing is stored.
  if (position >= 0 && position < kModels) {
    const int nc = CaseNC();
    // Every coefficient is read before anything is stored: a cell that is not
    // wholly a number is refused by name and the dialog stays open.
    double cells[kMaxComp + 1][kEnthalpyCols + 1] = {};
    const int lastCol = Polynomial(position) ? kEnthalpyCols : HeatCapacity(position) ? 5 : 1;
    for (int i = 1; i <= nc; ++i)
      for (int c = 2; c <= lastCol; ++c)
        if (!dlg::Read_Cell(*vaSpreadEnthalpy, c, i, vaSpreadEnthalpy->Text(1, i), cells[i][c])) return;
    Case.H_Method = position;
    dlg::Write_Main_Label("lblMainEnthalpy", "lblEnthalpy", "lblEnthalpy", ui::S(cboEnthalpy->currentText()));
    for (int i = 1; i <= nc; ++i) {
      const auto v = [&](int c) { return cells[i][c]; };
      if (Polynomial(position)) {
        Case.HV_A[i] = v(2);
        Case.HV_B[i] = v(3);
        Case.HV_C[i] = v(4);
        Case.HL_A[i] = v(5);
        Case.HL_B[i] = v(6);
        Case.HL_C[i] = v(7);
      } else if (HeatCapacity(position)) {
        Case.Cp_A[i] = v(2);
        Case.Cp_B[i] = v(3);
        Case.Cp_C[i] = v(4);
        Case.Cp_D[i] = v(5);
      }
    }
  }
  before_.reset();
  ui::Forms::Unload(this);
}

void frmEnthalpy::Restore_Case() {
  if (!before_) return;
  const CaseData& b = *before_;
  for (auto [to, from] : {std::pair{&Case.HV_A, &b.HV_A}, {&Case.HV_B, &b.HV_B}, {&Case.HV_C, &b.HV_C},
                          {&Case.HL_A, &b.HL_A}, {&Case.HL_B, &b.HL_B}, {&Case.HL_C, &b.HL_C},
                          {&Case.Cp_A, &b.Cp_A}, {&Case.Cp_B, &b.Cp_B}, {&Case.Cp_C, &b.Cp_C},
                          {&Case.Cp_D, &b.Cp_D}})
    CopyVec(*to, *from);
  before_.reset();
}

void frmEnthalpy::cmdCancel_Click() {
  // Cancel stores nothing, also not what the lookup wrote into the case meanwhile.
  Restore_Case();
  ui::Forms::Unload(this);
}

std::string Select_Enthalpy_Entry() { return ui::Forms::Get<frmEnthalpy>().Select_Stored_Model(); }

// Other windows open it by name without linking to this library.
VZ_FORM_FACTORY(frmEnthalpy);
