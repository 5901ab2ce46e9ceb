#include "continuous/results/frmDistResultMenu.h"

#include "continuous/DistSolver.h"
#include "continuous/results/DistGraphs.h"
#include "continuous/results/ResultText.h"
#include "continuous/results/frmDistGraphScale.h"
#include "continuous/results/frmDistResultBalance.h"
#include "continuous/results/frmDistResultProd.h"
#include "continuous/results/frmDistResultTray.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"

VZ_FORM_FACTORY(frmDistResultMenu);

frmDistResultMenu::frmDistResultMenu() : ui::Form("frmDistResultMenu") {
  Create_Dist_Graph_Pictures(*this);
  Picture1 = Ctl<ui::PictureBox>("Picture1");
  Picture2 = Ctl<ui::PictureBox>("Picture2");
  Picture1->onMouseDown = [this](int, int, double, double) { Picture1_Click(); };
  Picture2->onMouseDown = [this](int, int, double, double) { Picture2_Click(); };

  struct B { QPushButton** button; const char* name; const char* caption; };
  const B buttons[] = {
      {&cmdResultGraphPrint, "cmdResultGraphPrint", "ｸﾞﾗﾌ印刷(&P)"},
      {&cmdResultGraphScale, "cmdResultGraphScale", "ｸﾞﾗﾌ分割数(&G)"},
      {&cmdResultBalance, "cmdResultBalance", "物質/熱収支(&B)"},
      {&cmdResultTray, "cmdResultTray", "塔内組成(&C)"},
      {&cmdResultProd, "cmdResultProd", "ﾌｨｰﾄﾞ/製品(&D)"},
      {&cmdResultExit, "cmdResultExit", "戻る(&X)"},
  };
  int left = 120;
  for (const B& b : buttons) {
    *b.button = ui::NewButton(this, b.name, b.caption);
    ui::Place(*b.button, left, 7140, 1750, 420);
    left += 1850;
  }
  cmdResultBalance->setToolTip(QString::fromUtf8("物質収支、熱収支、ｺﾝﾃﾞﾝｻｰ/ﾘﾎﾞｲﾗｰ熱負荷の表示をします。"));
  cmdResultProd->setToolTip(QString::fromUtf8("フィード／製品データの表示をします。"));
  connect(cmdResultGraphPrint, &QPushButton::clicked, this, [this] { cmdResultGraphPrint_Click(); });
  connect(cmdResultGraphScale, &QPushButton::clicked, this, [this] { cmdResultGraphScale_Click(); });
  connect(cmdResultBalance, &QPushButton::clicked, this, [this] { cmdResultBalance_Click(); });
  connect(cmdResultTray, &QPushButton::clicked, this, [this] { cmdResultTray_Click(); });
  connect(cmdResultProd, &QPushButton::clicked, this, [this] { cmdResultProd_Click(); });
  connect(cmdResultExit, &QPushButton::clicked, this, [this] { cmdResultExit_Click(); });
  // Below the buttons, where it is read before any graph: the profiles drawn
  // may be no solution of the column.
  lblResultNotConverged = results::NewWarningLabel(this, "lblResultNotConverged");
  ui::Place(lblResultNotConverged, 120, 7640, 11060, 520);
  setFixedSize(ui::Px(11300), ui::Px(8260));
}

void frmDistResultMenu::Form_Load() {
  results::SetCaption(this, "逐次段蒸留計算　計算結果", "Step by Step Distillation Calculation Result");
  // Results of a run that did not converge are kept, and say so.
  if (!Dist_Result_Note().empty())
    setWindowTitle(windowTitle() + QString::fromStdString("  " + Dist_Result_Note()));
  results::SetCaption(cmdResultGraphPrint, "ｸﾞﾗﾌ印刷(&P)", "Print Graph(&P)");
  results::SetCaption(cmdResultGraphScale, "ｸﾞﾗﾌ分割数(&G)", "Graph Division(&G)");
  results::SetCaption(cmdResultBalance, "物質/熱収支(&B)", "M.B/H.B(&B)");
  results::SetCaption(cmdResultTray, "塔内組成(&C)", "Tray Data(&C)");
  results::SetCaption(cmdResultProd, "ﾌｨｰﾄﾞ/製品(&D)", "Feed/Product(&D)");
  results::SetCaption(cmdResultExit, "戻る(&X)", "Exit(&X)");
}

void frmDistResultMenu::Form_Activate() {
  results::ShowWarning(lblResultNotConverged);
  Graph_Dist_Comp_Frame(*this);
  Graph_Dist_Comp_Profile(1.0, *this);
  Graph_Dist_Temp_Frame(*this);
  Graph_Dist_Temp_Profile(*this);
}

void frmDistResultMenu::cmdResultGraphPrint_Click() { ui::MsgBox("この機能は未だありません", ui::vbOKOnly); }

void frmDistResultMenu::cmdResultGraphScale_Click() {
  ui::Forms::Get<frmDistGraphScale>().ShowModal();
  Picture1_Click();
}

void frmDistResultMenu::cmdResultBalance_Click() { ui::Forms::Get<frmDistResultBalance>().ShowModal(); }
void frmDistResultMenu::cmdResultTray_Click() { ui::Forms::Get<frmDistResultTray>().ShowModal(); }
void frmDistResultMenu::cmdResultProd_Click() { ui::Forms::Get<frmDistResultProd>().ShowModal(); }
void frmDistResultMenu::cmdResultExit_Click() { ui::Forms::Unload(this); }

void frmDistResultMenu::Picture1_Click() {
  Graph_Dist_Comp_Frame(*this);
  Graph_Dist_Comp_Profile(1.0, *this);
}

void frmDistResultMenu::Picture2_Click() {
  Graph_Dist_Temp_Frame(*this);
  Graph_Dist_Temp_Profile(*this);
}
