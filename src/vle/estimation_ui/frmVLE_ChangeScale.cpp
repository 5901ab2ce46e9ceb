#include "vle/estimation_ui/frmVLE_ChangeScale.h"

#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/QLanguage.h"
#include "vle/estimation/VLEData.h"

VZ_FORM_FACTORY(frmVLE_ChangeScale);

using vlefit::VLE;

namespace {

}  // namespace

frmVLE_ChangeScale::frmVLE_ChangeScale() : ui::Form("frmVLE_ChangeScale") {
  lblChangeScaleMin = ui::NewLabel(this, "lblChangeScaleMin", "下限");
  lblChangeScaleMax = ui::NewLabel(this, "lblChangeScaleMax", "上限");
  ui::Place(lblChangeScaleMin, 1300, 120, 1300, 280);
  ui::Place(lblChangeScaleMax, 2800, 120, 1300, 280);
  lblChangeScaleX_Title = ui::NewLabel(this, "lblChangeScaleX_Title", "Ｘ軸");
  lblChangeScaleY_Title = ui::NewLabel(this, "lblChangeScaleY_Title", "Ｙ軸");
  ui::Place(lblChangeScaleX_Title, 120, 480, 1100, 280);
  ui::Place(lblChangeScaleY_Title, 120, 880, 1100, 280);
  txtChangeScaleXmin = ui::NewTextBox(this, "txtChangeScaleXmin");
  txtChangeScaleXmax = ui::NewTextBox(this, "txtChangeScaleXmax");
  txtChangeScaleYmin = ui::NewTextBox(this, "txtChangeScaleYmin");
  txtChangeScaleYmax = ui::NewTextBox(this, "txtChangeScaleYmax");
  ui::Place(txtChangeScaleXmin, 1300, 450, 1300, 320);
  ui::Place(txtChangeScaleXmax, 2800, 450, 1300, 320);
  ui::Place(txtChangeScaleYmin, 1300, 850, 1300, 320);
  ui::Place(txtChangeScaleYmax, 2800, 850, 1300, 320);
  for (QLineEdit* t : {txtChangeScaleXmin, txtChangeScaleXmax, txtChangeScaleYmin, txtChangeScaleYmax})
    t->setAlignment(Qt::AlignRight);
  cmdChangeScaleOK = ui::NewButton(this, "cmdChangeScaleOK", "ＯＫ(&O)");
  cmdChangeScaleCancel = ui::NewButton(this, "cmdChangeScaleCancel", "取消(&C)");
  ui::Place(cmdChangeScaleOK, 1300, 1350, 1300, 400);
  ui::Place(cmdChangeScaleCancel, 2800, 1350, 1300, 400);
  connect(cmdChangeScaleOK, &QPushButton::clicked, this, [this] { cmdChangeScaleOK_Click(); });
  connect(cmdChangeScaleCancel, &QPushButton::clicked, this, [this] { cmdChangeScaleCancel_Click(); });
  setFixedSize(ui::Px(4300), ui::Px(1900));
}

void frmVLE_ChangeScale::Form_Load() {
  if (Case.Language == 0 || In_English()) {
    SetCaption(QInLanguage("気液平衡推算　ｸﾞﾗﾌｽｹｰﾙ変更", "Change Graph Range(V-L Equibrium)"));
    lblChangeScaleX_Title->setText(QInLanguage("Ｘ軸", "X-Axis"));
    lblChangeScaleY_Title->setText(QInLanguage("Ｙ軸", "Y-Axis"));
    cmdChangeScaleOK->setText(QInLanguage("ＯＫ(&O)", "OK(&O)"));
    cmdChangeScaleCancel->setText(QInLanguage("取消(&C)", "Cancel(&C)"));
  }
  txtChangeScaleXmin->setText(ui::Q(txt::Plain(VLE.VLE_Graph_Xmin)));
  txtChangeScaleXmax->setText(ui::Q(txt::Plain(VLE.VLE_Graph_Xmax)));
  txtChangeScaleYmin->setText(ui::Q(txt::Plain(VLE.VLE_Graph_Ymin)));
  txtChangeScaleYmax->setText(ui::Q(txt::Plain(VLE.VLE_Graph_Ymax)));
}

void frmVLE_ChangeScale::cmdChangeScaleOK_Click() {
  // Every box must hold a number; a refusal names the box and stores nothing.
  double v[4] = {0, 0, 0, 0};
  QLineEdit* boxes[4] = {txtChangeScaleXmin, txtChangeScaleXmax, txtChangeScaleYmin, txtChangeScaleYmax};
  const char* fields[4][2] = {{"Ｘ軸の下限", "X-Axis min"}, {"Ｘ軸の上限", "X-Axis max"},
                              {"Ｙ軸の下限", "Y-Axis min"}, {"Ｙ軸の上限", "Y-Axis max"}};
  for (int k = 0; k < 4; ++k) {
    const std::string text = ui::S(boxes[k]->text());
    const txt::NumberProblem problem = txt::ParseNumber(text, v[k]);
    if (problem != txt::NumberProblem::None) {
      Case.Msg_Text = txt::NumberProblemMessage(problem, InLanguage(fields[k][0], fields[k][1]), text);
      ui::MsgBox(Case.Msg_Text, ui::vbOKOnly);
      return;
    }
  }
  const double xmin = v[0], xmax = v[1], ymin = v[2], ymax = v[3];
  const char* failure = nullptr;
  if (xmin < 0) failure = "Ｘ軸の下限が０以下です";
  else if (xmax > 1) failure = "Ｘ軸の上限が１以上です";
  else if (xmin >= xmax) failure = "Ｘ軸の下限≧上限です";
  else if (ymin < 0) failure = "Ｙ軸の下限が０以下です";
  else if (ymax > 1) failure = "Ｙ軸の上限が１以上です";
  else if (ymin >= ymax) failure = "Ｙ軸の下限≧上限です";
  if (failure) {
    Case.Msg_Text = failure;
    ui::MsgBox(failure, ui::vbOKOnly);
    return;
  }
  VLE.VLE_Graph_Xmin = xmin;
  VLE.VLE_Graph_Xmax = xmax;
  VLE.VLE_Graph_Ymin = ymin;
  VLE.VLE_Graph_Ymax = ymax;
  ui::Forms::Unload(this);
}

void frmVLE_ChangeScale::cmdChangeScaleCancel_Click() { ui::Forms::Unload(this); }

void frmVLE_ChangeScale::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  ui::Forms::Unload(this);
}
