#include "continuous/ui/frmDistMain.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <string>

#include "continuous/DistCaseFile.h"
#include "continuous/DistDefaults.h"
#include "continuous/DistSolver.h"
#include "continuous/ui/DistDisplay.h"
#include "continuous/ui/frmDistConvergence.h"
#include "continuous/ui/frmDistFeed.h"
#include "continuous/ui/frmDistGoCalc.h"
#include "continuous/ui/frmDistPressProfile.h"
#include "continuous/ui/frmDistSideCut.h"
#include "continuous/ui/frmDistTower.h"
#include "core/dialogs/CaseFilePrompts.h"
#include "core/dialogs/frmComponent.h"
#include "core/dialogs/frmEnthalpy.h"
#include "core/dialogs/frmK_Value.h"
#include "core/dialogs/frmMemo.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/model/PhysicalRange.h"
#include "core/thermo/Thermo.h"
#include "platform/text/SeqFile.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Programs.h"

VZ_PROGRAM_WINDOW(0, frmDistMain, 1);
VZ_FORM_FACTORY(frmDistMain);

namespace {

struct ButtonText {
  const char* name;
  const char* japanese;
  const char* english;
  const char* tip;
};

const ButtonText kButtons[] = {
    {"cmdUnit", "単位系(&0)", "Unit (&0)", "単位系の変更をします。"},
    {"cmdComponent", "成分(&1)", "Component(&1)", "成分名と分子量を入力します。（最大20成分です）"},
    {"cmdDistSpec", "蒸留塔仕様(&2)", "Tower Spec(&2)",
     "理論段数、塔頂の抜き出し量、還流比、圧力、初期温度を入力します。"},
    {"cmdFeed", "ﾌｨｰﾄﾞﾃﾞｰﾀ(&3)", "Feed Data(&3)",
     "フィード段、フィード量、フィード組成を入力します。(フィード数はmax5です。）"},
    {"cmdSideCut", "ｻｲﾄﾞｶｯﾄ流量(&4)", "SideCutFlow(&4)", "ｻｲﾄﾞｶｯﾄ段と流量を入力します。（ｻｲﾄﾞｶｯﾄはmax5です。)"},
    {"cmdKValue", "気液平衡推算法(&5)", "K-Value(&5)", "物性推算法とAntoine定数/2成分ﾊﾟﾗﾒｰﾀを入力します。"},
    {"cmdEnthalpy", "ｴﾝﾀﾙﾋﾟｰ推算法(&6)", "Enthalpy(&6)", "エンタルピー推算手法とﾊﾟﾗﾒｰﾀを入力します。"},
    {"cmdConvergence", "収束条件(&7)", "Convergence(&7)", "蒸留計算の収束条件を入力します。"},
    {"cmdDistMainPressProfile", "塔内圧力分布(&8)", "Press Profile(&8)", "塔内圧力分布データを入力します。"},
    {"cmdMemo", "メモ入力(&9)", "Memo(&9)", "計算条件などメモを入力します。"},
    {"cmdPrintInputData", "入力ﾃﾞｰﾀ印刷(&P)", "Print Input Data(&P)", "入力データを印刷します。"},
    {"cmdExample1", "例題ﾃﾞｰﾀ1(&D)", "Example-1(&D)",
     "Methanol - Ethanol - Water -Pronanol 系の例題(Wilson､ 15段)"},
    {"cmdExample2", "例題ﾃﾞｰﾀ2(&E)", "Example-2(&E)", "高圧系の例題(S-R-K､   段)"},
    {"cmdReadData", "データ読込(&R)", "Read Data(&R)", "保存したデータを読み込みます。"},
    {"cmdReadContinue", "前回データ(&C)", "Continue(&C)", "前回計算のデータファイルを読み込みます。"},
    {"cmdSaveData", "データ保存(&S)", "Save Data(&S)", "入力／計算結果データを保存します。"},
    {"cmdShortCut", "ShortCut計算(&F)", "ShortCut Calc(&F)",
     "Fensk-Underwood-Gilland式による最小理論段数、最小還流比の計算をします。"},
    {"cmdGoCalc", "計算開始(&G)", "Go Calc(&G)", "逐次段蒸留計算を開始します。"},
    {"cmdResult", "計算結果(&Z)", "Show Result(&Z)",
     "計算結果の組成分布ｸﾞﾗﾌ表示、蒸気/液組成、熱収支などを表示します。"},
    {"cmdExit", "戻る(&X)", "Exit(&X)", "メニューに戻ります。"},
    {"cmdVersion", "ﾊﾞｰｼﾞｮﾝ情報(&Ａ)", "Version(&Ａ)", "Version情報などを表示します。"},
};

QLabel* Value(QWidget* parent, const char* name, int minWidth = 90) {
  QLabel* l = ui::NewLabel(parent, name);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setMinimumWidth(minWidth);
  return l;
}

// Opens a window of another part of the program by name; nothing when it is not built.
void Show_By_Name(const char* name) {
  if (ui::Form* f = ui::Forms::LoadByName(name)) f->ShowModal();
}

}  // namespace

frmDistMain::frmDistMain() : ui::Form("frmDistMain") {
  auto* top = new QVBoxLayout(this);
  lblTitle = ui::NewLabel(this, "lblTitle");
  QFont big = lblTitle->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  lblTitle->setFont(big);
  lblTitle->setAlignment(Qt::AlignCenter);
  top->addWidget(lblTitle);

  auto* body = new QHBoxLayout();
  auto* summary = new QGroupBox(this);
  summary->setObjectName("fraSummary");
  auto* g = new QGridLayout(summary);
  g->setHorizontalSpacing(8);
  int r = 0;
  auto cap = [&](const char* name, int row, int col) { g->addWidget(ui::NewLabel(summary, name), row, col); };
  auto val = [&](const char* name, int row, int col, int span = 1, int width = 90) {
    g->addWidget(Value(summary, name, width), row, col, 1, span);
  };
  cap("lblMainUnitTemp", r, 0);
  val("lblMainUnitTempData", r, 1);
  cap("lblMainUnitPress", r, 2);
  val("lblMainUnitPressData", r, 3);
  cap("lblMainUnitHeat", r, 4);
  val("lblMainUnitHeatData", r, 5);
  ++r;
  val("lblMainKValue", r, 0, 3, 200);
  val("lblMainEnthalpy", r, 3, 3, 200);
  ++r;
  cap("lblMainComponent", r, 0);
  val("lblMainNC", r, 1);
  cap("lblMainTotalTray", r, 2);
  val("lblMainNT", r, 3);
  cap("lblMainRefluxRation", r, 4);
  val("lblMainRR", r, 5);
  ++r;
  cap("lblMainTowerTopPress", r, 0);
  val("lblMainPTop", r, 1);
  cap("lblUnitTopPress", r, 2);
  cap("lblMainTowerBottomPress", r, 3);
  val("lblMainPBottom", r, 4);
  cap("lblUnitBtmPress", r, 5);
  ++r;
  cap("lblMainFeed", r, 0);
  val("lblMainNF", r, 1);
  cap("lblMainTotalFeed", r, 2);
  val("lblMainTotalFeedData", r, 3);
  ++r;
  cap("lblMainLiqSC", r, 0);
  val("lblMainNSCLiq", r, 1);
  cap("lblMainVapSC", r, 2);
  val("lblMainNSCVap", r, 3);
  ++r;
  cap("lblMainTopProd", r, 0);
  val("lblMainTopProdData", r, 1);
  cap("lblMainSideCutProd", r, 2);
  val("lblMainSideCutProdData", r, 3);
  cap("lblMainBottomProd", r, 4);
  val("lblMainBottomProdData", r, 5);
  ++r;
  g->addWidget(ui::NewLabel(summary, "lblMainConv1"), r, 1, 1, 3);
  ++r;
  cap("lblMainConv2A", r, 0);
  val("lblMainMax1", r, 1);
  val("lblMainLimit1", r, 2);
  ++r;
  cap("lblMainConv2B", r, 0);
  val("lblMainMax2", r, 1);
  val("lblMainLimit2", r, 2);
  ++r;
  cap("lblFileName", r, 0);
  val("lblFileNameData", r, 1, 5);
  ++r;
  cap("lblMainDataFileName", r, 0);
  val("lblMainDataFile", r, 1, 5);
  g->setRowStretch(r + 1, 1);
  body->addWidget(summary, 1);

  auto* buttons = new QGridLayout();
  int i = 0;
  for (const ButtonText& b : kButtons) {
    QPushButton* button = ui::NewButton(this, b.name);
    button->setToolTip(QString::fromUtf8(b.tip));
    button->setMinimumHeight(28);
    button->setMinimumWidth(150);
    buttons->addWidget(button, i % 11, i / 11);
    ++i;
  }
  body->addLayout(buttons);
  top->addLayout(body, 1);

  cmdUnit = Ctl<QPushButton>("cmdUnit");
  cmdComponent = Ctl<QPushButton>("cmdComponent");
  cmdDistSpec = Ctl<QPushButton>("cmdDistSpec");
  cmdFeed = Ctl<QPushButton>("cmdFeed");
  cmdSideCut = Ctl<QPushButton>("cmdSideCut");
  cmdKValue = Ctl<QPushButton>("cmdKValue");
  cmdEnthalpy = Ctl<QPushButton>("cmdEnthalpy");
  cmdConvergence = Ctl<QPushButton>("cmdConvergence");
  cmdDistMainPressProfile = Ctl<QPushButton>("cmdDistMainPressProfile");
  cmdMemo = Ctl<QPushButton>("cmdMemo");
  cmdPrintInputData = Ctl<QPushButton>("cmdPrintInputData");
  cmdExample1 = Ctl<QPushButton>("cmdExample1");
  cmdExample2 = Ctl<QPushButton>("cmdExample2");
  cmdReadData = Ctl<QPushButton>("cmdReadData");
  cmdReadContinue = Ctl<QPushButton>("cmdReadContinue");
  cmdSaveData = Ctl<QPushButton>("cmdSaveData");
  cmdShortCut = Ctl<QPushButton>("cmdShortCut");
  cmdGoCalc = Ctl<QPushButton>("cmdGoCalc");
  cmdResult = Ctl<QPushButton>("cmdResult");
  cmdExit = Ctl<QPushButton>("cmdExit");
  cmdVersion = Ctl<QPushButton>("cmdVersion");

  auto on = [this](QPushButton* b, void (frmDistMain::*handler)()) {
    connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
  };
  on(cmdUnit, &frmDistMain::cmdUnit_Click);
  on(cmdComponent, &frmDistMain::cmdComponent_Click);
  on(cmdDistSpec, &frmDistMain::cmdDistSpec_Click);
  on(cmdFeed, &frmDistMain::cmdFeed_Click);
  on(cmdSideCut, &frmDistMain::cmdSideCut_Click);
  on(cmdKValue, &frmDistMain::cmdKValue_Click);
  on(cmdEnthalpy, &frmDistMain::cmdEnthalpy_Click);
  on(cmdConvergence, &frmDistMain::cmdConvergence_Click);
  on(cmdDistMainPressProfile, &frmDistMain::cmdDistMainPressProfile_Click);
  on(cmdMemo, &frmDistMain::cmdMemo_Click);
  on(cmdPrintInputData, &frmDistMain::cmdPrintInputData_Click);
  on(cmdExample1, &frmDistMain::cmdExample1_Click);
  on(cmdExample2, &frmDistMain::cmdExample2_Click);
  on(cmdReadData, &frmDistMain::cmdReadData_Click);
  on(cmdReadContinue, &frmDistMain::cmdReadContinue_Click);
  on(cmdSaveData, &frmDistMain::cmdSaveData_Click);
  on(cmdShortCut, &frmDistMain::cmdShortCut_Click);
  on(cmdGoCalc, &frmDistMain::cmdGoCalc_Click);
  on(cmdResult, &frmDistMain::cmdResult_Click);
  on(cmdExit, &frmDistMain::cmdExit_Click);
  on(cmdVersion, &frmDistMain::cmdVersion_Click);

  Set_Captions(true);
  resize(1000, 560);
}

void frmDistMain::Set_Captions(bool design) {
  // The window caption and the title follow the program title, set with them.
  dist::Apply_Captions(
      this,
      {
          {"lblTitle", "逐次段蒸留計算プログラムメイン画面", "Step by Step Distillation Main Menu"},
          {"lblMainUnitTemp", "温度：", "Temp:"},
          {"lblMainUnitPress", "圧力：", "Press:"},
          {"lblMainUnitHeat", "熱量：", "Heat:"},
          {"lblMainComponent", "成分数=", "N Comp="},
          {"lblMainTotalTray", "理論段数=", "T.Plate="},
          {"lblMainRefluxRation", "還流比=", "RefluxRatio="},
          {"lblMainTowerTopPress", "塔頂圧力=", "Top Press="},
          {"lblMainTowerBottomPress", "塔底圧力", "Bottom Press"},
          {"lblMainFeed", "ﾌｨｰﾄﾞ数=", "N Feed="},
          {"lblMainTotalFeed", "TotalFeed=", "TotalFeed="},
          {"lblMainLiqSC", "液ｻｲﾄﾞｶｯﾄ数=", "N Liq SC="},
          {"lblMainVapSC", "蒸気ｻｲﾄﾞｶｯﾄ数=", "N Vap SC="},
          {"lblMainTopProd", "Top=", "Top="},
          {"lblMainSideCutProd", "SideCut=", "SideCut="},
          {"lblMainBottomProd", "Bottom=", "Bottom="},
          {"lblMainConv1", "最大繰返回数　収束許容誤差", "Max Iteration   Conv Criteria"},
          {"lblMainConv2A", "物質収支", "Mate Bala"},
          {"lblMainConv2B", "熱収支", "Heat Bala"},
          {"lblFileName", "Data File Name=", "Data File Name="},
          {"lblMainDataFileName", "Result File Name=", "Result File Name="},
      },
      design);
  if (!design && !dist::Language_Known()) return;
  const bool english = !design && In_English();
  for (const ButtonText& b : kButtons)
    ui::SetControlText(this, b.name, english ? b.english : b.japanese);
}

void frmDistMain::Form_Load() {
  Case.Max_Comp = kMaxComp;
  Case.Max_Tray = kMaxTray;
  if (dist::Language_Known()) {
    Case.Prog_Title = InLanguage("逐次段蒸留計算", "Step by Step Distillation");
    SetCaption(ui::Q(Case.Prog_Title + InLanguage(" メイン ", "  Main")));
    Set_Captions(false);
  }
  // The engine and the thermodynamic library report through the message sink;
  // this window shows what they say while the program is open.
  previousHandler_ = Set_Calc_Message_Handler([](const std::string& text) { ui::MsgBox(text); });
  handlerInstalled_ = true;
  Dist_Initial_set();
}

void frmDistMain::Form_Unload() {
  if (handlerInstalled_) Set_Calc_Message_Handler(std::move(previousHandler_));
  handlerInstalled_ = false;
}

void frmDistMain::Dist_Initial_set() {
  cmdResult->setVisible(false);
  ::Dist_Initial_set();
}

void frmDistMain::Edit_Inputs(ui::Form& dialog) {
  const std::string before = Dist_Column_Inputs();
  dialog.ShowModal();
  // Results belong to the inputs they were computed from: once the column
  // changes they are no longer offered.
  if (Dist_Column_Inputs() != before) {
    Case.Result_Flag = 0;
    cmdResult->setVisible(false);
  }
}

void frmDistMain::cmdUnit_Click() { Edit_Inputs(ui::Forms::Get<frmUnit>()); }
void frmDistMain::cmdComponent_Click() { Edit_Inputs(ui::Forms::Get<frmComponent>()); }
void frmDistMain::cmdDistSpec_Click() { Edit_Inputs(ui::Forms::Get<frmDistTower>()); }
void frmDistMain::cmdFeed_Click() { Edit_Inputs(ui::Forms::Get<frmDistFeed>()); }
void frmDistMain::cmdSideCut_Click() { Edit_Inputs(ui::Forms::Get<frmDistSideCut>()); }
void frmDistMain::cmdKValue_Click() { Edit_Inputs(ui::Forms::Get<frmK_Value>()); }
void frmDistMain::cmdEnthalpy_Click() { Edit_Inputs(ui::Forms::Get<frmEnthalpy>()); }
void frmDistMain::cmdConvergence_Click() { ui::Forms::Get<frmDistConvergence>().ShowModal(); }
void frmDistMain::cmdDistMainPressProfile_Click() { Edit_Inputs(ui::Forms::Get<frmDistPressProfile>()); }

void frmDistMain::cmdMemo_Click() {
  auto& memo = ui::Forms::Get<frmMemo>();
  QString text;
  for (int i = 1; i <= kMaxMemo; ++i) text += ui::Q(Case.Memo[i]) + "\r\n";
  memo.txtMemoText->setPlainText(text);
  memo.ShowModal();
}

void frmDistMain::cmdPrintInputData_Click() { ui::MsgBox("この機能は未だサポートしていません。"); }

// An example is no file: the names of the last file read or written go.
void frmDistMain::Clear_File_Names() {
  ui::SetControlText(this, "lblFileNameData", "");
  ui::SetControlText(this, "lblMainDataFile", "");
}

void frmDistMain::cmdExample1_Click() {
  Dist_Initial_set();
  Dist_Example1_set();
  Clear_File_Names();
  Set_Dist_Display_Data();
}

void frmDistMain::cmdExample2_Click() {
  ui::MsgBox("この例題のデータはまだありません。");
  Dist_Initial_set();
  Dist_Clear_Kept_Data();
  Clear_File_Names();
  Set_Dist_Display_Data(false);
}

bool frmDistMain::Read_Case_File(const std::string& path) {
  // The defaults fill what a file leaves out; a file that is refused leaves the
  // case, its summary and its result button as they were.
  const auto before = std::make_unique<CaseData>(Case);
  const bool resultShown = !cmdResult->isHidden();
  Case.Data_File = path;
  Dist_Initial_set();
  bool read;
  {
    CalcMessageScope scope;
    read = Read_Dist_Data();
  }
  if (read) return true;
  Case = *before;
  Case.Read_Error = 1;
  cmdResult->setVisible(resultShown);
  Set_Dist_Display_Data(false);
  return false;
}

void frmDistMain::cmdReadData_Click() {
  const std::string path = Choose_Case_File_To_Read();
  if (path.empty()) return;
  if (!Read_Case_File(path)) return;
  CalcMessageScope scope;
  Disp_File_Name(0);
  Set_Dist_Display_Data();
  if (Case.Result_Flag == 1) cmdResult->setVisible(true);
}

void frmDistMain::cmdReadContinue_Click() {
  const std::string path = seqfile::JoinPath(Case.Data_Dir, "\\Result.dat");
  if (!seqfile::FileExists(path)) {
    ui::MsgBox(InLanguage("前回計算結果データファイルがありません", "not exist Continue Data"));
    return;
  }
  // Left behind by a run whose own results could not be written: not that run's.
  if (dist::Result_File_Is_Stale(path)) {
    const std::string ja = "前回計算結果データファイル [ " + path + " ] は最後の計算のものではありません（保存できませんでした）。";
    const std::string en = "[ " + path + " ] does not hold the last run (its results could not be saved).";
    ui::MsgBox(InLanguage(ja.c_str(), en.c_str()), ui::vbOKOnly | ui::vbExclamation);
    return;
  }
  if (!Read_Case_File(path)) return;
  CalcMessageScope scope;
  Disp_File_Name(0);
  cmdResult->setVisible(true);
  Set_Dist_Display_Data();
}

void frmDistMain::cmdSaveData_Click() {
  // The save question of this program carries its own title.
  const std::string path = Choose_Case_File_To_Save("dat", PromptLanguage::Current, Case.Prog_Title);
  if (path.empty()) return;
  Case.Data_File = path;
  CalcMessageScope scope;
  if (Save_Dist_Data()) Disp_File_Name(1);
}

void frmDistMain::cmdShortCut_Click() { Show_By_Name("frmDistShortCut"); }

void frmDistMain::cmdGoCalc_Click() {
  if (Case.Top_Liq_Prod > 0 && Case.Top_Vap_Prod > 0) {
    ui::MsgBox("塔頂からの蒸気、液の同時抜き出しは未だサポートしていません。", ui::vbExclamation);
    return;
  }
  // A case the solver cannot run (no feed, no stages, a feed off the column...)
  // is refused here, before the start dialog lays profiles from it.
  Dist_Material_Balance();
  bool runnable;
  {
    CalcMessageScope scope;
    runnable = Dist_Run_Check();
  }
  if (!runnable) return;
  ui::Forms::Get<frmDistGoCalc>().ShowModal();
}

void frmDistMain::cmdResult_Click() { Show_By_Name("frmDistResultMenu"); }

void frmDistMain::cmdExit_Click() {
  ui::Forms::Unload(this);
  ui::ReturnToMenu();
}

void frmDistMain::cmdVersion_Click() { Show_By_Name("frmAbout"); }
