#include "vle/estimation_ui/frmVLE_ChangeParameter.h"

#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/QLanguage.h"
#include "vle/estimation/VLEData.h"
#include "vle/estimation/VLEFit.h"

VZ_FORM_FACTORY(frmVLE_ChangeParameter);

namespace {

bool Nrtl() { return !vlefit::Is_Wilson_Type(vlefit::VLE.VLE_Calc_Type); }

}  // namespace

frmVLE_ChangeParameter::frmVLE_ChangeParameter() : ui::Form("frmVLE_ChangeParameter") {
  fraCalcParameter = ui::NewFrame(this, "fraCalcParameter", "元のParameterの値");
  ui::Place(fraCalcParameter, 120, 120, 3200, 1250);
  lblChangeParameterPara12 = ui::NewLabel(fraCalcParameter, "lblChangeParameterPara12", "Λ12=");
  lblChangeParameterPara21 = ui::NewLabel(fraCalcParameter, "lblChangeParameterPara21", "Λ21=");
  lblChangeParameterAlpha = ui::NewLabel(fraCalcParameter, "lblChangeParameterAlpha", "Alpha=");
  lblChangeParameterPara12Data = ui::NewLabel(fraCalcParameter, "lblChangeParameterPara12Data");
  lblChangeParameterPara21Data = ui::NewLabel(fraCalcParameter, "lblChangeParameterPara21Data");
  lblChangeParameterAlphaData = ui::NewLabel(fraCalcParameter, "lblChangeParameterAlphaData");
  QLabel* oldNames[3] = {lblChangeParameterPara12, lblChangeParameterPara21, lblChangeParameterAlpha};
  QLabel* oldValues[3] = {lblChangeParameterPara12Data, lblChangeParameterPara21Data, lblChangeParameterAlphaData};
  for (int k = 0; k < 3; ++k) {
    ui::Place(oldNames[k], 120, 300 + 310 * k, 750, 280);
    ui::Place(oldValues[k], 900, 290 + 310 * k, 2150, 290);
    oldValues[k]->setFrameShape(QFrame::Panel);
    oldValues[k]->setFrameShadow(QFrame::Sunken);
    oldValues[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }

  fraNewParameter = ui::NewFrame(this, "fraNewParameter", "新しいParameterの値");
  ui::Place(fraNewParameter, 3450, 120, 3200, 1250);
  lblChangeParameterPara12New = ui::NewLabel(fraNewParameter, "lblChangeParameterPara12New", "Λ12=");
  lblChangeParameterPara21New = ui::NewLabel(fraNewParameter, "lblChangeParameterPara21New", "Λ21=");
  lblChangeParameterAlphaNew = ui::NewLabel(fraNewParameter, "lblChangeParameterAlphaNew", "Alpha=");
  txtChangeParameterPara12 = ui::NewTextBox(fraNewParameter, "txtChangeParameterPara12");
  txtChangeParameterPara21 = ui::NewTextBox(fraNewParameter, "txtChangeParameterPara21");
  txtChangeParameterAlpha = ui::NewTextBox(fraNewParameter, "txtChangeParameterAlpha");
  QLabel* newNames[3] = {lblChangeParameterPara12New, lblChangeParameterPara21New, lblChangeParameterAlphaNew};
  QLineEdit* boxes[3] = {txtChangeParameterPara12, txtChangeParameterPara21, txtChangeParameterAlpha};
  for (int k = 0; k < 3; ++k) {
    ui::Place(newNames[k], 120, 300 + 310 * k, 750, 280);
    ui::Place(boxes[k], 900, 280 + 310 * k, 2150, 300);
    boxes[k]->setAlignment(Qt::AlignRight);
  }

  cmdChangeParameterOK = ui::NewButton(this, "cmdChangeParameterOK", "ＯＫ(&O)");
  ui::Place(cmdChangeParameterOK, 3450, 1500, 1500, 400);
  cmdChangeParameterCancel = ui::NewButton(this, "cmdChangeParameterCancel", "取消(&C)");
  ui::Place(cmdChangeParameterCancel, 5150, 1500, 1500, 400);
  connect(cmdChangeParameterOK, &QPushButton::clicked, this, [this] { cmdChangeParameterOK_Click(); });
  connect(cmdChangeParameterCancel, &QPushButton::clicked, this, [this] { cmdChangeParameterCancel_Click(); });
  setFixedSize(ui::Px(6800), ui::Px(2050));
}

void frmVLE_ChangeParameter::Form_Load() {
  const bool nrtl = Nrtl();
  const bool known = Case.Language == 0 || In_English();
  if (known) {
    SetCaption(nrtl ? QInLanguage("気液平衡推算　N.R.T.L.パラメータの変更", "Change N.R.T.L. Parameter(V-L Equibrium)")
                    : QInLanguage("気液平衡推算　Wilsonパラメータの変更", "Change Wilson Parameter(V-L Equibrium)"));
    fraCalcParameter->setTitle(QInLanguage("元のParameterの値", "Old Parameter"));
    fraNewParameter->setTitle(QInLanguage("新しいParameterの値", "New Parameter"));
    cmdChangeParameterOK->setText(QInLanguage("ＯＫ(&O)", "OK (&O)"));
    cmdChangeParameterCancel->setText(QInLanguage("取消(&C)", "Cancel(&C)"));
  }
  const char* n12 = nrtl ? "τ12=" : "Λ12=";
  const char* n21 = nrtl ? "τ21=" : "Λ21=";
  lblChangeParameterPara12->setText(n12);
  lblChangeParameterPara21->setText(n21);
  lblChangeParameterPara12New->setText(n12);
  lblChangeParameterPara21New->setText(n21);
  const double p12 = nrtl ? Case.NRTL_Tau12 : Case.Wilson_L12;
  const double p21 = nrtl ? Case.NRTL_Tau21 : Case.Wilson_L21;
  lblChangeParameterPara12Data->setText(ui::Q(txt::Format(p12, "#.0000000E+##")));
  lblChangeParameterPara21Data->setText(ui::Q(txt::Format(p21, "#.0000000E+##")));
  lblChangeParameterAlphaData->setText(ui::Q(txt::Plain(Case.NRTL_Alpha)));
  for (QWidget* w : std::initializer_list<QWidget*>{lblChangeParameterAlpha, lblChangeParameterAlphaData,
                                                    lblChangeParameterAlphaNew, txtChangeParameterAlpha})
    w->setVisible(nrtl);
}

void frmVLE_ChangeParameter::cmdChangeParameterOK_Click() {
  const bool nrtl = Nrtl();
  ui::Form* result = ui::Forms::FindByName("frmVLE_Calc");
  struct Entry {
    QLineEdit* box;
    double* value;
    const char* label;
  };
  const Entry nrtlEntries[3] = {{txtChangeParameterPara12, &Case.NRTL_Tau12, "lblCalcPara12Data"},
                                {txtChangeParameterPara21, &Case.NRTL_Tau21, "lblCalcPara21Data"},
                                {txtChangeParameterAlpha, &Case.NRTL_Alpha, "lblCalcAlphaData"}};
  const Entry wilsonEntries[2] = {{txtChangeParameterPara12, &Case.Wilson_L12, "lblCalcPara12Data"},
                                  {txtChangeParameterPara21, &Case.Wilson_L21, "lblCalcPara21Data"}};
  const Entry* entries = nrtl ? nrtlEntries : wilsonEntries;
  const int count = nrtl ? 3 : 2;
  const char* fields[3] = {nrtl ? "τ12" : "Λ12", nrtl ? "τ21" : "Λ21", "Alpha"};
  // Every typed box is read before any value is stored: a refused one leaves the
  // parameters in force as they were. An empty box keeps its parameter.
  double values[3] = {0, 0, 0};
  bool typedAny[3] = {false, false, false};
  for (int k = 0; k < count; ++k) {
    const std::string typed = ui::S(entries[k].box->text());
    if (typed.find_first_not_of(" \t") == std::string::npos) continue;
    const txt::NumberProblem problem = txt::ParseNumber(typed, values[k]);
    std::string refusal;
    if (problem != txt::NumberProblem::None) refusal = txt::NumberProblemMessage(problem, fields[k], typed);
    else if (!nrtl && !(values[k] > 0)) refusal = vlefit::Wilson_Positive_Message();
    if (!refusal.empty()) {
      Case.Msg_Text = refusal;
      ui::MsgBox(refusal, ui::vbOKOnly);
      return;
    }
    typedAny[k] = true;
  }
  for (int k = 0; k < count; ++k) {
    if (!typedAny[k]) continue;
    *entries[k].value = values[k];
    ui::SetControlText(result, entries[k].label, ui::S(entries[k].box->text()));
  }
  ui::Forms::Unload(this);
}

void frmVLE_ChangeParameter::cmdChangeParameterCancel_Click() { ui::Forms::Unload(this); }

void frmVLE_ChangeParameter::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}
