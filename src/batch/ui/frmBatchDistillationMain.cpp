#include "batch/ui/frmBatchDistillationMain.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPointer>
#include <QVBoxLayout>

#include "batch/model/BatchCaseFile.h"
#include "batch/model/BatchData.h"
#include "batch/run/BatchChecks.h"
#include "batch/run/BatchRunFiles.h"
#include "batch/ui/BatchUiCommon.h"
#include "batch/ui/frmBatchFeed.h"
#include "batch/ui/frmBatchOperation.h"
#include "batch/ui/frmBatchTowerSpec.h"
#include "batch/ui/frmBatchTray.h"
#include "core/dialogs/CaseFilePrompts.h"
#include "core/dialogs/frmComponent.h"
#include "core/dialogs/frmEnthalpy.h"
#include "core/dialogs/frmK_Value.h"
#include "core/dialogs/frmMemo.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "platform/text/SeqFile.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Programs.h"
#include "platform/ui/QLanguage.h"

VZ_PROGRAM_WINDOW(1, frmBatchDistillationMain, 1);
VZ_FORM_FACTORY(frmBatchDistillationMain);

using batchui::General;

namespace {

// The notice of a continuation whose counts no longer match: not a refusal.
const char* const kMismatchJa = "全還流収束データの成分数or理論段数と違うため、初期状態から計算する。";
const char* const kMismatchEn = "not Equal N.Comp or T.Plate at total reflux data, calculate initial state";

QLabel* DataLabel(QWidget* parent, const char* name) {
  QLabel* l = ui::NewLabel(parent, name);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setMinimumWidth(150);
  return l;
}

QPushButton* Button(QWidget* parent, QGridLayout* grid, int row, int col, const char* name) {
  QPushButton* b = ui::NewButton(parent, name);
  b->setMinimumHeight(30);
  b->setMinimumWidth(150);
  grid->addWidget(b, row, col);
  return b;
}

bool AskYes(const std::string& text) {
  return ui::MsgBox(text, ui::vbYesNoCancel | ui::vbQuestion, Case.Prog_Title) == ui::vbYes;
}

}  // namespace

frmBatchDistillationMain::frmBatchDistillationMain() : ui::Form("frmBatchDistillationMain") {
  auto* top = new QVBoxLayout(this);
  lblTitle = ui::NewLabel(this, "lblTitle");
  QFont big = lblTitle->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  lblTitle->setFont(big);
  top->addWidget(lblTitle);

  auto* body = new QHBoxLayout();
  top->addLayout(body, 1);

  // The summary of the case: caption, value, unit.
  auto* summary = new QGridLayout();
  int row = 0;
  auto add = [&](QLabel* caption, QLabel* data, QLabel* unit = nullptr) {
    summary->addWidget(caption, row, 0);
    summary->addWidget(data, row, 1);
    if (unit) summary->addWidget(unit, row, 2);
    ++row;
  };
  lblTempUnit = ui::NewLabel(this, "lblTempUnit");
  lblTempUnitData = DataLabel(this, "lblTempUnitData");
  add(lblTempUnit, lblTempUnitData);
  lblPressUnit = ui::NewLabel(this, "lblPressUnit");
  lblPressUnitData = DataLabel(this, "lblPressUnitData");
  add(lblPressUnit, lblPressUnitData);
  lblHeatUnit = ui::NewLabel(this, "lblHeatUnit");
  lblHeatUnitData = DataLabel(this, "lblHeatUnitData");
  add(lblHeatUnit, lblHeatUnitData);
  lblKValue = DataLabel(this, "lblKValue");
  summary->addWidget(lblKValue, row++, 0, 1, 3);
  lblEnthalpy = DataLabel(this, "lblEnthalpy");
  summary->addWidget(lblEnthalpy, row++, 0, 1, 3);
  lblNC = ui::NewLabel(this, "lblNC");
  lblNCData = DataLabel(this, "lblNCData");
  add(lblNC, lblNCData);
  lblNT = ui::NewLabel(this, "lblNT");
  lblNTData = DataLabel(this, "lblNTData");
  add(lblNT, lblNTData);
  lblTopPress = ui::NewLabel(this, "lblTopPress");
  lblTopPressData = DataLabel(this, "lblTopPressData");
  add(lblTopPress, lblTopPressData);
  lblBtmPress = ui::NewLabel(this, "lblBtmPress");
  lblBtmPressData = DataLabel(this, "lblBtmPressData");
  add(lblBtmPress, lblBtmPressData);
  lblFeed = ui::NewLabel(this, "lblFeed");
  lblFeedData = DataLabel(this, "lblFeedData");
  lblUnitFeed = ui::NewLabel(this, "lblUnitFeed");
  add(lblFeed, lblFeedData, lblUnitFeed);
  lblBottomVolume = ui::NewLabel(this, "lblBottomVolume");
  lblBtmData = DataLabel(this, "lblBtmData");
  lblUnitBottom = ui::NewLabel(this, "lblUnitBottom");
  add(lblBottomVolume, lblBtmData, lblUnitBottom);
  lblOpeTime = ui::NewLabel(this, "lblOpeTime");
  lblOpeTimeData = DataLabel(this, "lblOpeTimeData");
  add(lblOpeTime, lblOpeTimeData, ui::NewLabel(this, "lblOpeTimeUnit", "Hour"));
  lblDiffTime = ui::NewLabel(this, "lblDiffTime");
  lblDiffTimeData = DataLabel(this, "lblDiffTimeData");
  add(lblDiffTime, lblDiffTimeData, ui::NewLabel(this, "lblDiffTimeUnit", "Hour"));
  lblOperation = ui::NewLabel(this, "lblOperation");
  summary->addWidget(lblOperation, row++, 0, 1, 3);
  lblProdChange = ui::NewLabel(this, "lblProdChange");
  lblProdChangeData = DataLabel(this, "lblProdChangeData");
  add(lblProdChange, lblProdChangeData);
  lblFileName = ui::NewLabel(this, "lblFileName");
  lblFileNameData = DataLabel(this, "lblFileNameData");
  add(lblFileName, lblFileNameData);
  lblSaveFileName = ui::NewLabel(this, "lblSaveFileName");
  lblSaveFileNameData = DataLabel(this, "lblSaveFileNameData");
  add(lblSaveFileName, lblSaveFileNameData);
  summary->setColumnMinimumWidth(2, 60);
  summary->setRowStretch(row, 1);
  body->addLayout(summary, 1);

  // The buttons: case input on the left, files and run on the right.
  auto* buttons = new QGridLayout();
  cmdUnit = Button(this, buttons, 0, 0, "cmdUnit");
  cmdComponent = Button(this, buttons, 1, 0, "cmdComponent");
  cmdDistSpec = Button(this, buttons, 2, 0, "cmdDistSpec");
  cmdFeed = Button(this, buttons, 3, 0, "cmdFeed");
  cmdTray = Button(this, buttons, 4, 0, "cmdTray");
  cmdKValue = Button(this, buttons, 5, 0, "cmdKValue");
  cmdEnthalpy = Button(this, buttons, 6, 0, "cmdEnthalpy");
  cmdOpeCondition = Button(this, buttons, 7, 0, "cmdOpeCondition");
  cmdMemo = Button(this, buttons, 8, 0, "cmdMemo");
  cmdExample = Button(this, buttons, 0, 1, "cmdExample");
  cmdReadData = Button(this, buttons, 1, 1, "cmdReadData");
  cmdReadContinue = Button(this, buttons, 2, 1, "cmdReadContinue");
  cmdSaveData = Button(this, buttons, 3, 1, "cmdSaveData");
  cmdPrintData = Button(this, buttons, 4, 1, "cmdPrintData");
  cmdGoCalc = Button(this, buttons, 5, 1, "cmdGoCalc");
  cmdResult = Button(this, buttons, 6, 1, "cmdResult");
  cmdVersion = Button(this, buttons, 7, 1, "cmdVersion");
  cmdExit = Button(this, buttons, 8, 1, "cmdExit");
  buttons->setRowStretch(9, 1);
  body->addLayout(buttons);

  const std::pair<QPushButton*, void (frmBatchDistillationMain::*)()> handlers[] = {
      {cmdUnit, &frmBatchDistillationMain::cmdUnit_Click},
      {cmdComponent, &frmBatchDistillationMain::cmdComponent_Click},
      {cmdDistSpec, &frmBatchDistillationMain::cmdDistSpec_Click},
      {cmdFeed, &frmBatchDistillationMain::cmdFeed_Click},
      {cmdTray, &frmBatchDistillationMain::cmdTray_Click},
      {cmdKValue, &frmBatchDistillationMain::cmdKValue_Click},
      {cmdEnthalpy, &frmBatchDistillationMain::cmdEnthalpy_Click},
      {cmdOpeCondition, &frmBatchDistillationMain::cmdOpeCondition_Click},
      {cmdMemo, &frmBatchDistillationMain::cmdMemo_Click},
      {cmdVersion, &frmBatchDistillationMain::cmdVersion_Click},
      {cmdExample, &frmBatchDistillationMain::cmdExample_Click},
      {cmdReadData, &frmBatchDistillationMain::cmdReadData_Click},
      {cmdReadContinue, &frmBatchDistillationMain::cmdReadContinue_Click},
      {cmdSaveData, &frmBatchDistillationMain::cmdSaveData_Click},
      {cmdPrintData, &frmBatchDistillationMain::cmdPrintData_Click},
      {cmdGoCalc, &frmBatchDistillationMain::cmdGoCalc_Click},
      {cmdResult, &frmBatchDistillationMain::cmdResult_Click},
      {cmdExit, &frmBatchDistillationMain::cmdExit_Click},
  };
  for (const auto& [button, handler] : handlers)
    connect(button, &QPushButton::clicked, this, [this, h = handler] { (this->*h)(); });
  resize(760, 480);
}

void frmBatchDistillationMain::Form_Load() {
  Case.Max_Comp = kMaxComp;
  Case.Max_Tray = kMaxTray;
  cmdResult->setVisible(false);
  lblSaveFileNameData->setText(ui::Q(" B_Calc_1 ～ _5.dat"));
  Set_Captions();
  // The libraries' messages (case-file reader, unit conversions, the run) reach
  // the user through this window while the program is open.
  previousHandler_ = Set_Calc_Message_Handler([](const std::string& text) { ui::MsgBox(text); });
  handlerInstalled_ = true;
  Batch_Initial_set();
}

void frmBatchDistillationMain::Form_Activate() {
  if (Case.Language == captionLanguage_) return;
  Set_Captions();
  // A summary already shown is written again in the language chosen now.
  if (!lblNCData->text().isEmpty()) Set_Batch_Display_Data();
}

void frmBatchDistillationMain::Form_Unload() {
  if (handlerInstalled_) Set_Calc_Message_Handler(std::move(previousHandler_));
  handlerInstalled_ = false;
}

void frmBatchDistillationMain::Set_Captions() {
  captionLanguage_ = Case.Language;
  Case.Prog_Title = InLanguage("バッチ蒸留計算  ", "Batch Distillation  ");
  SetCaption(batchui::Caption("メイン画面", "Program Menu  "));
  lblTitle->setText(QInLanguage("バッチ蒸留計算プログラムメイン画面", "Batch Distillation Program Menu"));
  struct Cap {
    QAbstractButton* button;
    const char* ja;
    const char* en;
  };
  const Cap buttons[] = {
      {cmdUnit, "単位系(&0)", "Unit(&0)"},
      {cmdComponent, "成分(&1)", "Component(&1)"},
      {cmdDistSpec, "蒸留塔仕様(&2)", "Tower Spec(&2)"},
      {cmdFeed, "仕込量(&3)", "Feed(&3)"},
      {cmdTray, "各段のﾃﾞｰﾀ(&4)", "TrayData(&4)"},
      {cmdKValue, "気液平衡推算法(&5)", "K-Value(&5)"},
      {cmdEnthalpy, "ｴﾝﾀﾙﾋﾟｰ推算法(&6)", "Enthalpy(&6)"},
      {cmdOpeCondition, "操作条件(&7)", "Ope.Cond(&7)"},
      {cmdMemo, "メモ入力(&8)", "Memo(&8)"},
      {cmdVersion, "ﾊﾞｰｼﾞｮﾝ情報(&A)", "Version(&A)"},
      {cmdExample, "例題ﾃﾞｰﾀ(&E)", "Example(&E)"},
      {cmdReadData, "データ読込(&R)", "Read Data(&R)"},
      {cmdReadContinue, "全還流収束値(&C)", "T.RefluxData(&C)"},
      {cmdSaveData, "データ保存(&S)", "Save Data(&S)"},
      {cmdPrintData, "入力ﾃﾞｰﾀ印刷(&P)", "Print Data(&P)"},
      {cmdGoCalc, "計算開始(&G)", "Go Calc(&G)"},
      {cmdResult, "計算結果(&Z)", "Show Result(&Z)"},
      {cmdExit, "戻る(&X)", "Exit(&X)"},
  };
  for (const Cap& c : buttons) c.button->setText(QInLanguage(c.ja, c.en));
  struct LabelCap {
    QLabel* label;
    const char* ja;
    const char* en;
  };
  const LabelCap labels[] = {
      {lblTempUnit, "温度：", "Temp："},
      {lblPressUnit, "圧力：", "Press："},
      {lblHeatUnit, "熱量：", "Heat："},
      {lblNC, "成分数=", "N Comp="},
      {lblNT, "理論段数=", "T.Plate="},
      {lblTopPress, "塔頂圧力=", "Top Press="},
      {lblBtmPress, "塔底圧力=", "Bottom Press="},
      {lblFeed, "全仕込量=", "Total Feed="},
      {lblBottomVolume, "塔底仕込量=", "Bottom Feed="},
      {lblOpeTime, "最大操作時間=", "MaxOpeTime="},
      {lblDiffTime, "微分時間=", "DiffTime="},
      {lblOperation, "全還流運転→製品抜出操作", "T.Reflux→ProdOpe"},
      {lblProdChange, "製品抜出切替回数=", "N Change Tank="},
  };
  for (const LabelCap& c : labels) c.label->setText(QInLanguage(c.ja, c.en));
  lblFileName->setText("Data File Name=");
  lblSaveFileName->setText("Save File Name=");
}

void Set_Batch_Display_Data() {
  Select_Unit_Entries();
  const std::string temp = Unit_Temp_Text(), press = Unit_Press_Text(), heat = Unit_Heat_Text();
  const std::string kValue = Select_K_Value_Entry();
  const std::string enthalpy = Select_Enthalpy_Entry();
  // The charge dialog's basis list follows the case too (loading it hidden
  // writes the charge unit labels of this window).
  frmBatchFeed& feed = ui::Forms::Get<frmBatchFeed>();
  feed.Select_Feed_Unit();

  auto* f = ui::Forms::Find<frmBatchDistillationMain>();
  if (!f) return;
  f->lblTempUnitData->setText(ui::Q(temp));
  f->lblPressUnitData->setText(ui::Q(press));
  f->lblHeatUnitData->setText(ui::Q(heat));
  f->lblNCData->setText(ui::Q(General(Case.NC)));
  f->lblNTData->setText(ui::Q(General(Case.NT)));
  f->lblTopPressData->setText(ui::Q(General(Case.P_Top)));
  f->lblBtmPressData->setText(ui::Q(General(Case.P_Bottom)));
  f->lblKValue->setText(ui::Q(kValue));
  f->lblEnthalpy->setText(ui::Q(enthalpy));
  // Each figure in the charge's basis, with its own unit.
  const batchui::ChargeFigures charge = batchui::Charge_In_Basis();
  f->lblFeedData->setText(ui::Q(General(charge.total)));
  f->lblBtmData->setText(ui::Q(General(charge.still)));
  f->lblUnitFeed->setText(ui::Q(charge.unit));
  f->lblUnitBottom->setText(ui::Q(charge.unit));
  f->lblOpeTimeData->setText(ui::Q(General(Batch.Max_Ope_Time)));
  f->lblDiffTimeData->setText(ui::Q(General(Batch.Diff_Time)));
  const bool withdrawal = Batch.Ope_Mode != 1;
  f->lblOperation->setText(withdrawal ? QInLanguage("全還流運転→製品抜出操作", "T.Reflux→ProdOpe")
                                      : QInLanguage("全還流運転", "TotalReflux"));
  f->lblProdChange->setVisible(withdrawal);
  f->lblProdChangeData->setVisible(withdrawal);
  if (withdrawal) f->lblProdChangeData->setText(ui::Q(General(Batch.N_Change_Tank)));
}

void frmBatchDistillationMain::cmdUnit_Click() { ui::Forms::Get<frmUnit>().ShowModal(); }
void frmBatchDistillationMain::cmdComponent_Click() { ui::Forms::Get<frmComponent>().ShowModal(); }
void frmBatchDistillationMain::cmdDistSpec_Click() { ui::Forms::Get<frmBatchTowerSpec>().ShowModal(); }

void frmBatchDistillationMain::cmdFeed_Click() {
  if (Case.NC != 0) {
    ui::Forms::Get<frmBatchFeed>().ShowModal();
    return;
  }
  ui::MsgBox(InLanguage("成分名が入力されていません", "No Component Name"), ui::vbOKOnly, Case.Prog_Title);
}

void frmBatchDistillationMain::cmdTray_Click() {
  if (Case.NT != 0) {
    ui::Forms::Get<frmBatchTray>().ShowModal();
    return;
  }
  ui::MsgBox(InLanguage("段数が入力されていません", "T.Plate does not input"), ui::vbOKOnly, Case.Prog_Title);
}

void frmBatchDistillationMain::cmdKValue_Click() { ui::Forms::Get<frmK_Value>().ShowModal(); }
void frmBatchDistillationMain::cmdEnthalpy_Click() { ui::Forms::Get<frmEnthalpy>().ShowModal(); }
void frmBatchDistillationMain::cmdOpeCondition_Click() { ui::Forms::Get<frmBatchOperation>().ShowModal(); }
void frmBatchDistillationMain::cmdMemo_Click() { ui::Forms::Get<frmMemo>().ShowModal(); }

void frmBatchDistillationMain::cmdVersion_Click() {
  if (ui::Form* about = ui::Forms::LoadByName("frmAbout")) about->ShowModal();
}

void frmBatchDistillationMain::cmdExample_Click() {
  Batch_Example_set();
  Case.Program_Mode = 1;
  Set_Batch_Display_Data();
  cmdResult->setVisible(false);
}

void frmBatchDistillationMain::cmdReadData_Click() {
  CalcMessageScope scope;
  const std::string path = Case_File_Dialog(false, "*.dat");
  if (path.empty()) return;
  if (!AskYes(InLanguage(("[ " + path + " ] を読み込みます？").c_str(), ("Read [ " + path + " ]？").c_str()))) return;
  Batch.Batch_File = Case.Data_File;
  // A rejected file says why and leaves the case as it was.
  const BatchReadResult r = Read_Batch_Continue(0);
  if (!r.ok() || Case.Read_Error != 0) return;
  Batch.Continue_Flag = 0;
  lblFileNameData->setText(ui::Q(" " + batchui::Name_Part(Case.Data_File)));
  Set_Batch_Display_Data();
  cmdResult->setVisible(false);
}

void frmBatchDistillationMain::cmdReadContinue_Click() {
  CalcMessageScope scope;
  Batch.Batch_Log_File = Batch_Log_Path();
  Batch.Batch_File = Batch_Run_File(2);
  if (!seqfile::FileExists(Batch.Batch_File)) {
    ui::MsgBox(InLanguage("全還流収束値ファイルがありません", "not exist Total Reflux Data"), ui::vbOKOnly);
    return;
  }
  const BatchReadResult r = Read_Batch_Continue(1);
  if (r.ok() && Case.Read_Error == 0) {
    lblFileNameData->setText(ui::Q(" " + batchui::Name_Part(Case.Data_File)));
    Set_Batch_Display_Data();
    Batch.Continue_Flag = 1;
  }
  // A file that could not be read at all (or broke off) is not a total-reflux
  // result: only an accepted file or one refused for its header goes on here.
  if (r.ok() || r.status == BatchReadStatus::WrongHeader) {
    cmdResult->setVisible(true);
    Batch.Restart_Time = Batch.Oper_Time;
  }
}

void frmBatchDistillationMain::cmdSaveData_Click() {
  const std::string path = Case_File_Dialog(true, "dat");
  if (path.empty()) return;
  if (!AskYes(InLanguage(("[ " + path + " ] を保存しますか？").c_str(), ("Save [ " + path + " ]？").c_str()))) return;
  if (seqfile::FileExists(path) &&
      !AskYes(InLanguage(("[ " + path + " ] が存在します。上書きしますか？").c_str(),
                   ("exist [ " + path + " ] , Over-Write？").c_str())))
    return;
  Batch.Batch_File = Case.Data_File;
  std::string error;
  if (!Save_Batch_Data(&error)) {
    // The previous file is left as it was; the user must know the case is not on disk.
    ui::MsgBox(InLanguage(("[ " + path + " ] を保存できませんでした。" + error).c_str(),
                    ("Could not save [ " + path + " ] : " + error).c_str()),
               ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
    return;
  }
  lblFileNameData->setText(ui::Q(" " + batchui::Name_Part(Case.Data_File)));
}

void frmBatchDistillationMain::cmdPrintData_Click() { ui::MsgBox("not support", ui::vbOKOnly); }

void frmBatchDistillationMain::cmdGoCalc_Click() {
  BatchCheckResult r;
  {
    CalcMessageScope scope;
    // The refusals carry the exclamation icon and the program title; the
    // notice of a continuation that cannot be used has no icon.
    CalcMessageHandler previous = Set_Calc_Message_Handler([](const std::string& text) {
      const bool notice = text == kMismatchJa || text == kMismatchEn;
      ui::MsgBox(text, notice ? ui::vbOKOnly : ui::vbOKOnly | ui::vbExclamation, Case.Prog_Title);
    });
    r = Batch_Check_Case();
    Set_Calc_Message_Handler(std::move(previous));
  }
  if (!r.ok) return;
  setEnabled(false);
  QPointer<ui::Form> run = ui::Forms::LoadByName("frmBatchCalc");
  if (!run) {
    setEnabled(true);
    return;
  }
  // However the run window is left, this window comes back in use.
  QPointer<frmBatchDistillationMain> self = this;
  connect(run.data(), &QObject::destroyed, this, [self] {
    if (self) self->Run_Window_Closed();
  });
  if (!run->Unloading()) run->Show();
}

void frmBatchDistillationMain::Run_Window_Closed() {
  setEnabled(true);
  // Results only of a run whose files are complete.
  cmdResult->setVisible(Batch_Run_Files_Complete());
}

void frmBatchDistillationMain::cmdResult_Click() {
  if (ui::Form* result = ui::Forms::LoadByName("frmBatchResult")) result->ShowModal();
}

void frmBatchDistillationMain::cmdExit_Click() {
  ui::Forms::Unload<frmBatchFeed>();
  ui::Forms::Unload(this);
  ui::ReturnToMenu();
}
