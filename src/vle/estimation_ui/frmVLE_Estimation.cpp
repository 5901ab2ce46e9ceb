#include "vle/estimation_ui/frmVLE_Estimation.h"

#include <QEvent>

#include <array>
#include <vector>

#include "core/dialogs/CaseFilePrompts.h"
#include "core/dialogs/frmMemo.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Programs.h"
#include "platform/ui/QLanguage.h"
#include "vle/estimation/VLEData.h"
#include "vle/estimation/VLEFile.h"
#include "vle/estimation/VLEFit.h"
#include "vle/estimation/VLERunStart.h"
#include "vle/estimation_ui/frmVLE_Calc.h"

VZ_PROGRAM_WINDOW(4, frmVLE_Estimation, 1);
VZ_FORM_FACTORY(frmVLE_Estimation);

using vlefit::VLE;

namespace {

const char* const kParamFormat = "#.0000000E+##";

// Captions follow the language only for the codes 0 and 1; others keep the design.
bool KnownLanguage() { return Case.Language == 0 || In_English(); }
bool IsBlank(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

// A stored temperature (degC) and pressure (mmHg) in the display units of the case.
std::string Temp_Display(double tC) { return txt::Plain(Unit_Temp_Out(tC)); }
std::string Press_Display(double pMmHg) { return txt::Plain(vlefit::mmHg_To_Display_Press(pMmHg)); }

void Clear_Options(ui::OptionArray& options) {
  for (int i = 0; i < options.Count(); ++i) {
    options[i]->setAutoExclusive(false);
    options[i]->setChecked(false);
    options[i]->setAutoExclusive(true);
  }
}

}  // namespace

frmVLE_Estimation::frmVLE_Estimation() : ui::Form("frmVLE_Estimation") {
  lblMainTitle = ui::NewLabel(this, "lblMainTitle", "気液平衡推算(Ｗｉｌｓｏｎ／Ｎ.Ｒ.Ｔ.Ｌパラメータ)");
  QFont big = lblMainTitle->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  lblMainTitle->setFont(big);
  ui::Place(lblMainTitle, 120, 60, 9800, 450);

  fraTPType = ui::NewFrame(this, "fraTPType", "圧力温度条件");
  ui::Place(fraTPType, 120, 600, 2100, 1000);
  optTPType.Create(fraTPType, "optTPType", 2);
  optTPType[0]->setText("定圧条件");
  optTPType[1]->setText("定温条件");
  ui::Place(optTPType[0], 150, 300, 1800, 300);
  ui::Place(optTPType[1], 150, 620, 1800, 300);
  optTPType.SetValue(0);
  optTPType.onClick = [this](int i) { optTPType_Click(i); };

  lblMainTemp = ui::NewLabel(this, "lblMainTemp", "温度");
  ui::Place(lblMainTemp, 2400, 720, 700, 300);
  txtMainTemp = ui::NewTextBox(this, "txtMainTemp");
  ui::Place(txtMainTemp, 3150, 690, 1200, 330);
  cboMainTempUnit = ui::NewComboBox(this, "cboMainTempUnit");
  cboMainTempUnit->addItems({"℃", "ﾟK", "ﾟF"});
  cboMainTempUnit->setCurrentIndex(0);
  ui::Place(cboMainTempUnit, 4450, 690, 1100, 330);
  lblMainPress = ui::NewLabel(this, "lblMainPress", "圧力");
  ui::Place(lblMainPress, 2400, 1170, 700, 300);
  txtMainPress = ui::NewTextBox(this, "txtMainPress");
  txtMainPress->setText("760");
  ui::Place(txtMainPress, 3150, 1140, 1200, 330);
  cboMainPressUnit = ui::NewComboBox(this, "cboMainPressUnit");
  cboMainPressUnit->addItems({"MPa", "KPa", "mmHg", "mmH2O", "Kgf/cm2", "PSIA"});
  cboMainPressUnit->setCurrentIndex(2);
  ui::Place(cboMainPressUnit, 4450, 1140, 1100, 330);
  for (QLineEdit* t : {txtMainTemp, txtMainPress}) t->setAlignment(Qt::AlignRight);

  lblTempInitial = ui::NewLabel(this, "lblTempInitial", "温度初期値");
  ui::Place(lblTempInitial, 5800, 720, 1300, 300);
  txtTempInitial = ui::NewTextBox(this, "txtTempInitial");
  txtTempInitial->setAlignment(Qt::AlignRight);
  ui::Place(txtTempInitial, 7100, 690, 1000, 330);

  lblMainAntoine = ui::NewLabel(this, "lblMainAntoine", "Antoine定数");
  ui::Place(lblMainAntoine, 120, 1750, 1800, 300);
  lblMainAntoineEq = ui::NewLabel(this, "lblMainAntoineEq", "Log(P)=A - B/(t + C) :mmHg");
  ui::Place(lblMainAntoineEq, 2000, 1750, 4000, 300);
  vaSpreadAntoine = new ui::SpreadGrid("vaSpreadAntoine", this);
  vaSpreadAntoine->SetMaxCols(4);
  vaSpreadAntoine->SetMaxRows(2);
  const char* antoineHeads[5] = {"", "成分名", "Ａ", "Ｂ", "Ｃ"};
  for (int c = 1; c <= 4; ++c) {
    vaSpreadAntoine->SetText(c, 0, antoineHeads[c]);
    vaSpreadAntoine->SetColWidth(c, c == 1 ? 22 : 13);
  }
  ui::Place(vaSpreadAntoine, 120, 2070, 6300, 1000);
  vaSpreadAntoine->onClick = [this](int, int) { cmdDBAntoine->setVisible(true); };
  vaSpreadAntoine->onChange = [this](int, int) { cmdDBAntoine->setVisible(true); };
  cmdDBAntoine = ui::NewButton(this, "cmdDBAntoine", "Antoine定数検索(&Q)");
  ui::Place(cmdDBAntoine, 7200, 2370, 2600, 420);
  cmdDBAntoine->setVisible(false);

  lblDataTitle = ui::NewLabel(this, "lblDataTitle", "実測気液平衡データ");
  ui::Place(lblDataTitle, 120, 3200, 3000, 300);
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetMaxCols(3);
  vaSpread1->SetMaxRows(kVleDataGridRows);
  vaSpread1->SetText(1, 0, "温度");
  vaSpread1->SetText(2, 0, "x1");
  vaSpread1->SetText(3, 0, "y1");
  for (int c = 1; c <= 3; ++c) vaSpread1->SetColWidth(c, 11);
  ui::Place(vaSpread1, 120, 3520, 3900, 5000);
  vaSpread1->onClick = [this](int, int) { Input_Click(); };
  vaSpread1->onChange = [this](int col, int row) { Data_Cell_Changed(col, row); };

  fraMainCalcType = ui::NewFrame(this, "fraMainCalcType", "計算タイプ(&T)");
  ui::Place(fraMainCalcType, 4600, 3200, 2900, 1600);
  optMainCalcType.Create(fraMainCalcType, "optMainCalcType", 4);
  const char* typeCaptions[4] = {"Wilson Parameter推算", "NRTL   Parameter推算", "気液平衡 by Wilson ",
                                 "気液平衡 by NRTL"};
  for (int i = 0; i < 4; ++i) {
    optMainCalcType[i]->setText(typeCaptions[i]);
    ui::Place(optMainCalcType[i], 150, 280 + 310 * i, 2650, 300);
  }
  optMainCalcType.SetValue(0);
  optMainCalcType.onClick = [this](int i) { optMainCalcType_Click(i); };

  fraMainCalcFunc = ui::NewFrame(this, "fraMainCalcFunc", "収束評価関数(&F)");
  ui::Place(fraMainCalcFunc, 4600, 4900, 2900, 1900);
  optMainCalcFunc.Create(fraMainCalcFunc, "optMainCalcFunc", 5);
  const char* funcCaptions[5] = {"Q=x*log(r'-r)", "Gamma1=r'-r", "Gamma2=log(r2/r1)", "y1=y'-y", "y2=y'/y"};
  for (int i = 0; i < 5; ++i) {
    optMainCalcFunc[i]->setText(funcCaptions[i]);
    ui::Place(optMainCalcFunc[i], 150, 280 + 310 * i, 2650, 300);
  }
  optMainCalcFunc.onClick = [this](int i) { optMainCalcFunc_Click(i); };

  fraMainParameter = ui::NewFrame(this, "fraMainParameter", "Parameter");
  ui::Place(fraMainParameter, 4600, 6900, 2900, 1300);
  lblMainPara12 = ui::NewLabel(fraMainParameter, "lblMainPara12", "Λ12=");
  ui::Place(lblMainPara12, 120, 300, 600, 300);
  txtMainPara12 = ui::NewTextBox(fraMainParameter, "txtMainPara12");
  ui::Place(txtMainPara12, 720, 270, 2080, 330);
  lblMainPara21 = ui::NewLabel(fraMainParameter, "lblMainPara21", "Λ21=");
  ui::Place(lblMainPara21, 120, 640, 600, 300);
  txtMainPara21 = ui::NewTextBox(fraMainParameter, "txtMainPara21");
  ui::Place(txtMainPara21, 720, 610, 2080, 330);
  lblMainAlpha = ui::NewLabel(fraMainParameter, "lblMainAlpha", "Alpha=");
  ui::Place(lblMainAlpha, 120, 980, 600, 300);
  txtMainAlpha = ui::NewTextBox(fraMainParameter, "txtMainAlpha");
  ui::Place(txtMainAlpha, 720, 950, 2080, 330);
  lblMainAlpha->setVisible(false);
  txtMainAlpha->setVisible(false);
  for (QLineEdit* t : {txtMainPara12, txtMainPara21, txtMainAlpha}) t->setAlignment(Qt::AlignRight);

  cmdDBWilson = ui::NewButton(this, "cmdDBWilson", "Wilson定数検索(&W)");
  ui::Place(cmdDBWilson, 4600, 8280, 2900, 420);
  cmdDBWilson->setVisible(false);

  struct ButtonSpec {
    QPushButton** button;
    const char* name;
    const char* caption;
  };
  const ButtonSpec buttons[] = {
      {&cmdMainExample1, "cmdMainExample1", "例題1(&1)"},   {&cmdMainExample2, "cmdMainExample2", "例題2(&2)"},
      {&cmdMainExample3, "cmdMainExample3", "例題3(&3)"},   {&cmdInitialize, "cmdInitialize", "初期化(&Z)"},
      {&cmdMainMemo, "cmdMainMemo", "メモ入力(&M)"},         {&cmdMainReadData, "cmdMainReadData", "データ読込(&R)"},
      {&cmdMainSaveData, "cmdMainSaveData", "データ保存(&S)"}, {&cmdMainGoCalc, "cmdMainGoCalc", "計算(&G)"},
      {&cmdMainVersion, "cmdMainVersion", "ﾊﾞｰｼﾞｮﾝ情報(&A)"}, {&cmdMainExit, "cmdMainExit", "戻る(&X)"},
  };
  int top = 3200;
  for (const ButtonSpec& b : buttons) {
    *b.button = ui::NewButton(this, b.name, b.caption);
    ui::Place(*b.button, 7800, top, 2200, 420);
    top += (b.button == &cmdMainExample3 || b.button == &cmdMainSaveData) ? 600 : 480;
  }

  connect(cboMainTempUnit, &QComboBox::activated, this, [this] { Input_Click(); });
  connect(cboMainPressUnit, &QComboBox::activated, this, [this] { Input_Click(); });
  for (QLineEdit* t : {txtMainTemp, txtMainPress, txtMainPara12, txtMainPara21, txtMainAlpha, txtTempInitial})
    t->installEventFilter(this);
  connect(cmdDBAntoine, &QPushButton::clicked, this, [this] { cmdDBAntoine_Click(); });
  connect(cmdDBWilson, &QPushButton::clicked, this, [this] { cmdDBWilson_Click(); });
  connect(cmdInitialize, &QPushButton::clicked, this, [this] { cmdInitialize_Click(); });
  connect(cmdMainExample1, &QPushButton::clicked, this, [this] { cmdMainExample1_Click(); });
  connect(cmdMainExample2, &QPushButton::clicked, this, [this] { cmdMainExample2_Click(); });
  connect(cmdMainExample3, &QPushButton::clicked, this, [this] { cmdMainExample3_Click(); });
  connect(cmdMainMemo, &QPushButton::clicked, this, [this] { cmdMainMemo_Click(); });
  connect(cmdMainReadData, &QPushButton::clicked, this, [this] { cmdMainReadData_Click(); });
  connect(cmdMainSaveData, &QPushButton::clicked, this, [this] { cmdMainSaveData_Click(); });
  connect(cmdMainGoCalc, &QPushButton::clicked, this, [this] { cmdMainGoCalc_Click(); });
  connect(cmdMainVersion, &QPushButton::clicked, this, [this] { cmdMainVersion_Click(); });
  connect(cmdMainExit, &QPushButton::clicked, this, [this] { cmdMainExit_Click(); });

  setFixedSize(ui::Px(10200), ui::Px(8900));
}

bool frmVLE_Estimation::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && qobject_cast<QLineEdit*>(watched)) Input_Click();
  return ui::Form::eventFilter(watched, event);
}

void frmVLE_Estimation::Form_Load() {
  ui::Caller_Grid = vaSpreadAntoine;
  Apply_Language();
  // The estimation library reports through the message sink; this window shows it.
  previousHandler_ = Set_Calc_Message_Handler([](const std::string& text) { ui::MsgBox(text); });
  handlerInstalled_ = true;
}

void frmVLE_Estimation::Form_Activate() {
  if (captionLanguage_ != Case.Language) Apply_Language();
}

void frmVLE_Estimation::Apply_Language() {
  captionLanguage_ = Case.Language;
  Case.Prog_Title = In_English() ? "Vapor-Liquid Equibrium" : "気液平衡推算";
  SetCaption(ui::Q(Case.Prog_Title + (In_English() ? "Program Menu  " : "メイン画面")));
  if (!KnownLanguage()) return;
  Set_Captions();
  vaSpread1->SetText(1, 0, VLE.VLE_TP_Type == 1 ? InLanguage("圧力", "Press") : InLanguage("温度", "Temp"));
  const int type = optMainCalcType.Value();
  if (type >= 2)
    cmdDBWilson->setText(type == 3 ? QInLanguage("NRTL定数検索(&F)", "Querry NRTL(&F)") : QInLanguage("Wilson定数検索(&F)", "Querry Wilson(&F)"));
}

void frmVLE_Estimation::Form_Unload() {
  if (handlerInstalled_) Set_Calc_Message_Handler(std::move(previousHandler_));
  handlerInstalled_ = false;
  if (ui::Caller_Grid == vaSpreadAntoine) ui::Caller_Grid = nullptr;
}

void frmVLE_Estimation::Set_Captions() {
  lblMainTitle->setText(QInLanguage("気液平衡推算(Ｗｉｌｓｏｎ／Ｎ.Ｒ.Ｔ.Ｌパラメータ)", "V-L Equibrium(Wilson/NRTL Parameter Estimation)"));
  fraTPType->setTitle(QInLanguage("圧力温度条件", "Press/Temp Condition"));
  optTPType[0]->setText(QInLanguage("定圧条件", "P_Const"));
  optTPType[1]->setText(QInLanguage("定温条件", "T_Const"));
  lblMainTemp->setText(QInLanguage("温度", "Temp"));
  lblMainPress->setText(QInLanguage("圧力", "Press"));
  lblMainAntoine->setText(QInLanguage("Antoine定数", "Antoine Parameter"));
  vaSpreadAntoine->SetText(1, 0, InLanguage("成分名", "Name"));
  lblDataTitle->setText(QInLanguage("実測気液平衡データ", "V-L Data"));
  vaSpread1->SetText(1, 0, InLanguage("温度", "Temp"));
  cmdDBAntoine->setText(QInLanguage("Antoine定数検索(&Q)", "Querry Antoine(&Q)"));
  fraMainCalcType->setTitle(QInLanguage("計算タイプ(&T)", "Calc Type(&T)"));
  optMainCalcType[0]->setText(QInLanguage("Wilson Parameter推算", "Estimate Wilson Para"));
  optMainCalcType[1]->setText(QInLanguage("NRTL   Parameter推算", "Estimate NRTL   Para"));
  optMainCalcType[2]->setText(QInLanguage("気液平衡 by Wilson ", "Calc V-L by Wilson "));
  optMainCalcType[3]->setText(QInLanguage("気液平衡 by NRTL", "Calc V-L by NRTL"));
  fraMainCalcFunc->setTitle(QInLanguage("収束評価関数(&F)", "Object Func(&F)"));
  lblTempInitial->setText(QInLanguage("温度初期値", "Init Temp"));
  cmdDBWilson->setText(QInLanguage("Wilson定数検索(&W)", "Querry Wilson(&W)"));
  cmdMainExample1->setText(QInLanguage("例題1(&1)", "Examp-1(&1)"));
  cmdMainExample2->setText(QInLanguage("例題2(&2)", "Examp-2(&2)"));
  cmdMainExample3->setText(QInLanguage("例題3(&3)", "Examp-3(&3)"));
  cmdInitialize->setText(QInLanguage("初期化(&Z)", "Initialize(&Z)"));
  cmdMainMemo->setText(QInLanguage("メモ入力(&M)", "Memo(&M)"));
  cmdMainReadData->setText(QInLanguage("データ読込(&R)", "Read Data(&R)"));
  cmdMainSaveData->setText(QInLanguage("データ保存(&S)", "Save Data(&S)"));
  cmdMainGoCalc->setText(QInLanguage("計算(&G)", "Calc (&G)"));
  cmdMainVersion->setText(QInLanguage("ﾊﾞｰｼﾞｮﾝ情報(&A)", "Version(&A)"));
  cmdMainExit->setText(QInLanguage("戻る(&X)", "Exit (&X)"));
}

std::string frmVLE_Estimation::Objective_Caption(int objType) const {
  if (objType < 1 || objType > optMainCalcFunc.Count()) return {};
  return ui::S(optMainCalcFunc[objType - 1]->text());
}

void frmVLE_Estimation::Input_Click() { cmdDBAntoine->setVisible(false); }

void frmVLE_Estimation::VLE_Initial_set() {
  vlefit::VLE_Initial_set();
  cboMainTempUnit->setCurrentIndex(0);
  cboMainPressUnit->setCurrentIndex(2);
  txtMainTemp->setVisible(false);
  lblMainTemp->setVisible(false);
  cmdDBWilson->setVisible(false);
}

void frmVLE_Estimation::Set_Display_Data() {
  cmdDBAntoine->setVisible(false);
  if (Case.T_Unit >= 1 && Case.T_Unit <= 3) cboMainTempUnit->setCurrentIndex(Case.T_Unit - 1);
  if (Case.P_Unit >= 1 && Case.P_Unit <= 6) cboMainPressUnit->setCurrentIndex(Case.P_Unit - 1);
  // The case holds degC and mmHg; the boxes and the grid speak the chosen units,
  // so that the next run start converts them back to the same values.
  txtMainTemp->setText(ui::Q(Temp_Display(VLE.VLE_Temp)));
  txtMainPress->setText(ui::Q(Press_Display(VLE.VLE_Press)));

  for (int r = 1; r <= 2; ++r) {
    vaSpreadAntoine->SetText(1, r, Case.Comp_Name[r]);
    vaSpreadAntoine->SetText(2, r, txt::Plain(Case.Antoine_A[r]));
    vaSpreadAntoine->SetText(3, r, txt::Plain(Case.Antoine_B[r]));
    vaSpreadAntoine->SetText(4, r, txt::Plain(Case.Antoine_C[r]));
  }

  const bool constT = VLE.VLE_TP_Type == 1;
  vaSpread1->SetText(1, 0, constT ? InLanguage("圧力", "Press") : InLanguage("温度", "Temp"));
  const int n = std::clamp(static_cast<int>(VLE.VLE_NData), 0, vlefit::kMaxData);
  for (int i = 1; i <= n; ++i) {
    vaSpread1->SetText(1, i, constT ? Press_Display(VLE.VLE_P_Data[i]) : Temp_Display(VLE.VLE_T_Data[i]));
    vaSpread1->SetText(2, i, txt::Plain(VLE.VLE_X1_Data[i]));
    vaSpread1->SetText(3, i, txt::Plain(VLE.VLE_Y1_Data[i]));
  }
  vaSpread1->ClearRange(1, n + 1, 3, kVleDataGridRows);
  Keep_Data_Cells();

  // The options show the stored type and objective with the views they give.
  const int type = VLE.VLE_Calc_Type;
  if (type >= 1 && type <= 4) {
    optMainCalcType.SetValue(type - 1);
    optMainCalcType_Click(type - 1);
  }
  if (VLE.VLE_Obj_Type >= 1 && VLE.VLE_Obj_Type <= 5) optMainCalcFunc.SetValue(VLE.VLE_Obj_Type - 1);
  else Clear_Options(optMainCalcFunc);
  vaSpread1->setVisible(type < 3);

  const bool nrtl = !vlefit::Is_Wilson_Type(type);
  Write_Parameter_Boxes(nrtl);
  lblMainAlpha->setVisible(nrtl);
  txtMainAlpha->setVisible(nrtl);
  fraMainParameter->setVisible(true);

  optTPType.SetValue(constT ? 1 : 0);
  txtMainPress->setVisible(!constT);
  lblMainPress->setVisible(!constT);
  txtMainTemp->setVisible(constT);
  lblMainTemp->setVisible(constT);
}

void frmVLE_Estimation::optTPType_Click(int index) {
  Input_Click();
  // The window is laid out afresh for the other condition; what the user typed
  // into a box (and the unit it is typed in) stays, as nothing has taken it yet.
  const QString temp = txtMainTemp->text(), press = txtMainPress->text();
  const int tempUnit = cboMainTempUnit->currentIndex(), pressUnit = cboMainPressUnit->currentIndex();
  const QString p12 = txtMainPara12->text(), p21 = txtMainPara21->text(), alpha = txtMainAlpha->text();
  const bool typed12 = p12 != shown12_, typed21 = p21 != shown21_, typedAlpha = alpha != shownAlpha_;
  VLE.VLE_TP_Type = index;
  Set_Display_Data();
  txtMainTemp->setText(temp);
  txtMainPress->setText(press);
  cboMainTempUnit->setCurrentIndex(tempUnit);
  cboMainPressUnit->setCurrentIndex(pressUnit);
  if (typed12) txtMainPara12->setText(p12);
  if (typed21) txtMainPara21->setText(p21);
  if (typedAlpha && !vlefit::Is_Wilson_Type(VLE.VLE_Calc_Type)) txtMainAlpha->setText(alpha);
}

void frmVLE_Estimation::optMainCalcFunc_Click(int index) {
  Input_Click();
  VLE.VLE_Obj_Type = index + 1;
}

void frmVLE_Estimation::optMainCalcType_Click(int index) {
  Input_Click();
  VLE.VLE_Calc_Type = index + 1;
  const bool given = index >= 2;
  fraMainCalcFunc->setVisible(!given);
  lblDataTitle->setVisible(!given);
  vaSpread1->setVisible(!given);
  const bool nrtl = index % 2 == 1;
  lblMainAlpha->setVisible(nrtl);
  txtMainAlpha->setVisible(nrtl);
  lblMainPara12->setText(nrtl ? "τ12=" : "Λ12=");
  lblMainPara21->setText(nrtl ? "τ21=" : "Λ21=");
  Write_Parameter_Boxes(nrtl);
  if (given) {
    cmdDBWilson->setText(nrtl ? QInLanguage("NRTL定数検索(&F)", "Querry NRTL(&F)") : QInLanguage("Wilson定数検索(&F)", "Querry Wilson(&F)"));
  }
  cmdDBWilson->setVisible(given);
}

void frmVLE_Estimation::Write_Parameter_Boxes(bool nrtl) {
  txtMainPara12->setText(ui::Q(txt::Format(nrtl ? Case.NRTL_Tau12 : Case.Wilson_L12, kParamFormat)));
  txtMainPara21->setText(ui::Q(txt::Format(nrtl ? Case.NRTL_Tau21 : Case.Wilson_L21, kParamFormat)));
  if (nrtl) txtMainAlpha->setText(ui::Q(txt::Plain(Case.NRTL_Alpha)));
  shown12_ = txtMainPara12->text();
  shown21_ = txtMainPara21->text();
  shownAlpha_ = nrtl ? txtMainAlpha->text() : QString();
}

void frmVLE_Estimation::cmdDBAntoine_Click() {
  Input_Click();
  ui::Caller_Grid = vaSpreadAntoine;
  if (ui::Form* lookup = ui::Forms::LoadByName("frmDBAntoine")) lookup->ShowModal();
}

void frmVLE_Estimation::cmdDBWilson_Click() {
  Input_Click();
  const char* name = optMainCalcType.Value() == 2 ? "frmDBWilson" : "frmDBNRTL";
  if (ui::Form* lookup = ui::Forms::LoadByName(name)) lookup->ShowModal();
}

void frmVLE_Estimation::cmdInitialize_Click() {
  VLE_Initial_set();
  Set_Display_Data();
}

void frmVLE_Estimation::Load_Example(int number) {
  Input_Click();
  vlefit::Load_VLE_Example(number);
  cboMainPressUnit->setCurrentIndex(2);
  cboMainTempUnit->setCurrentIndex(0);
  txtMainPress->setText(ui::Q(txt::Plain(VLE.VLE_Press)));
  optMainCalcType.Click(0);
  optMainCalcFunc.Click(0);
  Set_Display_Data();
}

void frmVLE_Estimation::cmdMainExample1_Click() { Load_Example(1); }
void frmVLE_Estimation::cmdMainExample2_Click() { Load_Example(2); }

void frmVLE_Estimation::cmdMainExample3_Click() {
  Input_Click();
  Case.Msg_Text = "未だ例題データを準備していません。";
  ui::MsgBox(Case.Msg_Text, ui::vbOKOnly);
}

void frmVLE_Estimation::cmdMainMemo_Click() {
  Input_Click();
  ui::Forms::Get<frmMemo>().ShowModal();
}

void frmVLE_Estimation::cmdMainVersion_Click() {
  Input_Click();
  if (ui::Form* about = ui::Forms::LoadByName("frmAbout")) about->ShowModal();
}

void frmVLE_Estimation::cmdMainExit_Click() {
  ui::Forms::Unload<frmVLE_Calc>();
  ui::Forms::Unload(this);
  ui::ReturnToMenu();
}

void frmVLE_Estimation::Keep_Data_Cells() {
  for (int r = 1; r <= kVleDataGridRows; ++r)
    for (int c = 1; c <= 3; ++c) dataCells_[r][c] = vaSpread1->Text(c, r);
}

void frmVLE_Estimation::Data_Cell_Changed(int col, int row) {
  if (col < 1 || col > 3 || row < 1 || row > kVleDataGridRows) return;
  const std::string text = vaSpread1->Text(col, row);
  // A cell takes a number or nothing, as typed; the refused text leaves what it held.
  const std::string problem = vlefit::Data_Cell_Problem(text, col, row);
  if (!problem.empty()) {
    Case.Msg_Text = problem;
    ui::MsgBox(problem, ui::vbOKOnly | ui::vbExclamation);
    vaSpread1->SetText(col, row, dataCells_[row][col]);
    return;
  }
  dataCells_[row][col] = text;
}

std::vector<std::array<std::string, 3>> frmVLE_Estimation::Data_Rows() const {
  std::vector<std::array<std::string, 3>> rows;
  rows.reserve(kVleDataGridRows);
  for (int r = 1; r <= kVleDataGridRows; ++r)
    rows.push_back({vaSpread1->Text(1, r), vaSpread1->Text(2, r), vaSpread1->Text(3, r)});
  return rows;
}

void frmVLE_Estimation::cmdMainSaveData_Click() {
  Input_Click();
  // The file holds what the window shows: the condition box, the Antoine grid,
  // the parameter boxes and the points as the grid shows them, in the units the
  // combos show. A value a case file could not hold is refused before any
  // question, and the case stays as it was whenever nothing is written.
  struct Kept {
    std::string name[3];
    double A[3], B[3], C[3];
    double l12, l21, t12, t21, alpha;
    int32_t tUnit, pUnit;
  } kept{};
  for (int r = 1; r <= 2; ++r) {
    kept.name[r] = Case.Comp_Name[r];
    kept.A[r] = Case.Antoine_A[r];
    kept.B[r] = Case.Antoine_B[r];
    kept.C[r] = Case.Antoine_C[r];
  }
  kept.l12 = Case.Wilson_L12, kept.l21 = Case.Wilson_L21;
  kept.t12 = Case.NRTL_Tau12, kept.t21 = Case.NRTL_Tau21, kept.alpha = Case.NRTL_Alpha;
  kept.tUnit = Case.T_Unit, kept.pUnit = Case.P_Unit;
  const vlefit::VLEData before = VLE;
  auto restore = [&] {
    VLE = before;
    for (int r = 1; r <= 2; ++r) {
      Case.Comp_Name[r] = kept.name[r];
      Case.Antoine_A[r] = kept.A[r];
      Case.Antoine_B[r] = kept.B[r];
      Case.Antoine_C[r] = kept.C[r];
    }
    Case.Wilson_L12 = kept.l12, Case.Wilson_L21 = kept.l21;
    Case.NRTL_Tau12 = kept.t12, Case.NRTL_Tau21 = kept.t21, Case.NRTL_Alpha = kept.alpha;
    Case.T_Unit = kept.tUnit, Case.P_Unit = kept.pUnit;
  };
  if (!Take_Condition() || !Take_Components(true)) {
    restore();
    return;
  }
  vlefit::DataRows rows;
  const std::string refusal = vlefit::Read_VLE_Data_Rows(Data_Rows(), vlefit::RowRule::Save, rows);
  if (!refusal.empty()) {
    restore();
    Fail(refusal);
    return;
  }
  if (!Take_Parameters(true)) {
    restore();
    return;
  }
  vlefit::Put_VLE_Data_Rows(rows);
  if (!Save_Case_File()) restore();
}

bool frmVLE_Estimation::Save_Case_File() {
  const std::string path = Case_File_Dialog(true, "dat");
  if (path.empty()) return false;
  auto ask = [](const std::string& text) {
    Case.Msg_Text = text;
    return ui::MsgBox(text, ui::vbYesNoCancel | ui::vbQuestion) == ui::vbYes;
  };
  if (!ask(In_English() ? "Save [ " + path + " ]" : "[ " + path + " ] を保存しますか？")) return false;
  if (seqfile::FileExists(path) &&
      !ask(In_English() ? "exsist [ " + path + " ], over-write" : "[ " + path + " ] が存在します。上書きしますか？"))
    return false;
  const vlefit::VLEFileResult r = vlefit::Write_VLE_File(path);
  if (r.status == vlefit::VLEFileStatus::Ok) return true;
  ui::MsgBox(r.message, ui::vbOKOnly | ui::vbExclamation);
  return false;
}

void frmVLE_Estimation::cmdMainReadData_Click() {
  Input_Click();
  const std::string path = Case_File_Dialog(false, "*.dat");
  if (path.empty()) return;
  Case.Msg_Text = In_English() ? "Read [ " + path + " ]" : "[ " + path + " ] を読み込みます？";
  if (ui::MsgBox(Case.Msg_Text, ui::vbYesNoCancel | ui::vbQuestion) != ui::vbYes) return;
  const vlefit::VLEFileResult r = vlefit::Read_VLE_File(path);
  if (r.status != vlefit::VLEFileStatus::Ok) {
    // A refused file leaves the case as it was.
    ui::MsgBox(r.message, ui::vbOKOnly);
    return;
  }
  if (!r.message.empty()) ui::MsgBox(r.message, ui::vbOKOnly);
  Set_Display_Data();
}

bool frmVLE_Estimation::Fail(const std::string& message) {
  Case.Msg_Text = message;
  ui::MsgBox(message, ui::vbOKOnly);
  return false;
}

bool frmVLE_Estimation::Box_Number(const std::string& text, const std::string& field, double& value) {
  const txt::NumberProblem problem = txt::ParseNumber(text, value);
  return problem == txt::NumberProblem::None || Fail(txt::NumberProblemMessage(problem, field, text));
}

bool frmVLE_Estimation::Take_Condition() {
  const bool constT = VLE.VLE_TP_Type == 1;
  const std::string text = ui::S((constT ? txtMainTemp : txtMainPress)->text());
  if (IsBlank(text)) return Fail(constT ? InLanguage("温度が未入力です", "No Temperature Data") : InLanguage("圧力が未入力です", "No Pressure Data"));
  double v = 0;
  if (!Box_Number(text, constT ? InLanguage("温度", "Temp") : InLanguage("圧力", "Press"), v)) return false;
  Case.T_Unit = cboMainTempUnit->currentIndex() + 1;
  Case.P_Unit = cboMainPressUnit->currentIndex() + 1;
  // Refused before it is stored: the case keeps the condition it had.
  const double value = constT ? vlefit::Display_Temp_To_C(v) : vlefit::Display_Press_To_mmHg(v);
  const std::string range = vlefit::Condition_Range_Problem(value);
  if (!range.empty()) return Fail(range);
  (constT ? VLE.VLE_Temp : VLE.VLE_Press) = value;
  return true;
}

bool frmVLE_Estimation::Take_Components(bool forSave) {
  for (int r = 1; r <= 2; ++r) {
    const std::string name = vaSpreadAntoine->Text(1, r);
    if (!forSave && IsBlank(name)) return Fail(InLanguage("成分名が未入力です", "No Component Name"));
    // Read all three before storing any: a refused cell leaves the case as it was.
    double abc[3] = {0, 0, 0};
    for (int c = 0; c < 3; ++c) {
      const std::string text = vaSpreadAntoine->Text(c + 2, r);
      if (IsBlank(text)) continue;  // an empty constant is refused below as missing
      const std::string field = std::string(InLanguage("Antoine定数", "Antoine Parameter")) + " " +
                                vaSpreadAntoine->Text(c + 2, 0) + " (" + name + ")";
      if (!Box_Number(text, field, abc[c])) return false;
    }
    Case.Comp_Name[r] = name;
    Case.Antoine_A[r] = abc[0];
    Case.Antoine_B[r] = abc[1];
    Case.Antoine_C[r] = abc[2];
    // A saved case may still miss them: the run start asks for them.
    if (!forSave && (Case.Antoine_A[r] == 0 || Case.Antoine_B[r] == 0 || Case.Antoine_C[r] == 0))
      return Fail(InLanguage("Antoine 定数が未入力です", "No Antoine's parameters"));
  }
  return true;
}

bool frmVLE_Estimation::Take_Data_Rows() {
  const std::string message = vlefit::Store_VLE_Data_Rows(Data_Rows());
  return message.empty() || Fail(message);
}

bool frmVLE_Estimation::Take_Parameters(bool forSave) {
  const bool wilson = vlefit::Is_Wilson_Type(VLE.VLE_Calc_Type);
  double& stored12 = wilson ? Case.Wilson_L12 : Case.NRTL_Tau12;
  double& stored21 = wilson ? Case.Wilson_L21 : Case.NRTL_Tau21;
  // A save and a run keep the stored value whose box still shows what the
  // window wrote (the box holds 8 digits of it): what is shown, saved and used
  // is one pair. A box typed into wins.
  const bool same12 = txtMainPara12->text() == shown12_;
  const bool same21 = txtMainPara21->text() == shown21_;
  double p12 = stored12, p21 = stored21;
  if (!(same12 && same21)) {
    // Empty boxes start a fit from Wilson 1, 1 or NRTL 0, 0.
    const bool filled = !IsBlank(ui::S(txtMainPara12->text()));
    if (!same12) p12 = wilson ? 1.0 : 0.0;
    if (!same21) p21 = filled ? 0.0 : (wilson ? 1.0 : 0.0);
    if (filled) {
      if (!same12 && !Box_Number(ui::S(txtMainPara12->text()), wilson ? "Λ12" : "τ12", p12)) return false;
      const std::string t21 = ui::S(txtMainPara21->text());
      if (!same21 && !IsBlank(t21) && !Box_Number(t21, wilson ? "Λ21" : "τ21", p21)) return false;
    }
  }
  // A case file holds Lambda 0 for "not entered"; a run needs both above 0.
  if (wilson && !(forSave ? p12 >= 0 && p21 >= 0 : p12 > 0 && p21 > 0))
    return Fail(vlefit::Wilson_Positive_Message());
  double alpha = wilson ? Case.NRTL_Alpha : 0.4;
  const std::string a = ui::S(txtMainAlpha->text());
  const bool sameAlpha = txtMainAlpha->text() == shownAlpha_;
  if (!wilson && !sameAlpha && !IsBlank(a) && !Box_Number(a, "Alpha", alpha)) return false;
  if (!wilson && sameAlpha) alpha = Case.NRTL_Alpha;
  stored12 = p12;
  stored21 = p21;
  Case.NRTL_Alpha = alpha;
  return true;
}

void frmVLE_Estimation::cmdMainGoCalc_Click() {
  Input_Click();
  CalcMessageScope scope;
  if (!Take_Condition() || !Take_Components()) return;
  if (optMainCalcType.Value() >= 0) VLE.VLE_Calc_Type = optMainCalcType.Value() + 1;
  if (optMainCalcFunc.Value() >= 0) VLE.VLE_Obj_Type = optMainCalcFunc.Value() + 1;
  const bool fit = VLE.VLE_Calc_Type < 3;
  if (fit && !Take_Data_Rows()) return;
  if (!Take_Parameters()) return;
  if (fit) {
    std::string message = vlefit::Calc_Gamma_Exp();
    // A fit needs an objective and usable points: refused here, before the result window opens.
    if (message.empty()) message = vlefit::Check_Fit_Data();
    if (!message.empty()) {
      Fail(message);
      return;
    }
  }
  vlefit::Reset_Graph_Range();
  auto& result = ui::Forms::Get<frmVLE_Calc>();
  result.ShowModal();
  // A fit (or a change in the result window) leaves other parameters in force:
  // the boxes show them, so that Save writes and the next run uses that pair.
  Write_Parameter_Boxes(!vlefit::Is_Wilson_Type(VLE.VLE_Calc_Type));
}
