#include "flash/frmFlash.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/dialogs/CaseFilePrompts.h"
#include "core/dialogs/frmComponent.h"
#include "core/dialogs/frmEnthalpy.h"
#include "core/dialogs/frmK_Value.h"
#include "core/dialogs/frmMemo.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "flash/FlashFile.h"
#include "flash/frmFlashCondensingCurve.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Programs.h"

VZ_PROGRAM_WINDOW(2, frmFlash, 1);
VZ_FORM_FACTORY(frmFlash);

namespace {

constexpr int kGridRows = kMaxComp;
const char* const kBlank = " ";

QPushButton* Button(QWidget* parent, QBoxLayout* layout, const char* name, const char* caption) {
  QPushButton* b = ui::NewButton(parent, name, caption);
  b->setMinimumHeight(28);
  layout->addWidget(b);
  return b;
}

}  // namespace

frmFlash::frmFlash() : ui::Form("frmFlash") {
  auto* top = new QHBoxLayout(this);

  // Buttons: the case dialogs, the examples and files, calculation and exit.
  auto* buttons = new QVBoxLayout();
  cmdUnit = Button(this, buttons, "cmdUnit", "単位系(&0)");
  cmdComponent = Button(this, buttons, "cmdComponent", "成分組成(&1)");
  cmdK_Value = Button(this, buttons, "cmdK_Value", "気液平衡(&2)");
  cmdEnthalpy = Button(this, buttons, "cmdEnthalpy", "ｴﾝﾀﾙﾋﾟｰ推算(&3)");
  cmdMemo = Button(this, buttons, "cmdMemo", "メモ入力(&4)");
  buttons->addSpacing(10);
  cmdSample1 = Button(this, buttons, "cmdSample1", "例題１(&D)");
  cmdSample2 = Button(this, buttons, "cmdSample2", "例題2(&E)");
  cmdReadData = Button(this, buttons, "cmdReadData", "データ読込(&R)");
  cmdSaveData = Button(this, buttons, "cmdSaveData", "データ保存(&S)");
  buttons->addSpacing(10);
  cmdGoCalc = Button(this, buttons, "cmdGoCalc", "計算(&G)");
  cmdAbout = Button(this, buttons, "cmdAbout", "Version(&A)");
  cmdExit = Button(this, buttons, "cmdExit", "戻る(&X)");
  buttons->addStretch();
  top->addLayout(buttons);

  auto* right = new QVBoxLayout();
  auto* summary = new QGridLayout();
  lblNC = ui::NewLabel(this, "lblNC", "成分数");
  lblNCData = ui::NewLabel(this, "lblNCData");
  lblK_ValueTitle = ui::NewLabel(this, "lblK_ValueTitle", "気液平衡");
  lblK_Value = ui::NewLabel(this, "lblK_Value");
  lblEnthalpyTitle = ui::NewLabel(this, "lblEnthalpyTitle", "ｴﾝﾀﾙﾋﾟｰ");
  lblEnthalpy = ui::NewLabel(this, "lblEnthalpy");
  for (QLabel* l : {lblNCData, lblK_Value, lblEnthalpy}) {
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(220);
  }
  summary->addWidget(lblNC, 0, 0);
  summary->addWidget(lblNCData, 0, 1);
  summary->addWidget(lblK_ValueTitle, 1, 0);
  summary->addWidget(lblK_Value, 1, 1);
  summary->addWidget(lblEnthalpyTitle, 2, 0);
  summary->addWidget(lblEnthalpy, 2, 1);

  fraCalcType = ui::NewFrame(this, "fraCalcType", "計算種類");
  auto* types = new QVBoxLayout(fraCalcType);
  optCalcType.Create(fraCalcType, "optCalcType", 6);
  const char* typeCaptions[6] = {"沸点計算(圧力指定)", "露点計算(圧力指定)", "沸点計算(温度指定)",
                                 "露点計算(温度指定)", "フラッシュ計算(温度、圧力指定)", "凝縮曲線(圧力指定)"};
  for (int i = 0; i < 6; ++i) {
    optCalcType[i]->setText(typeCaptions[i]);
    types->addWidget(optCalcType[i]);
  }
  optCalcType.SetValue(0);
  optCalcType.onClick = [this](int index) { optCalcType_Click(index); };

  auto* inputs = new QGridLayout();
  lblTemp = ui::NewLabel(this, "lblTemp", "温度");
  txtTemp = ui::NewTextBox(this, "txtTemp");
  lblTempUnit = ui::NewLabel(this, "lblTempUnit", "℃");
  lblTemp2 = ui::NewLabel(this, "lblTemp2", "上限温度");
  txtTemp2 = ui::NewTextBox(this, "txtTemp2");
  lblTempUnit2 = ui::NewLabel(this, "lblTempUnit2", "ﾟC");
  lblPress = ui::NewLabel(this, "lblPress", "圧力");
  txtPress = ui::NewTextBox(this, "txtPress");
  lblPressUnit = ui::NewLabel(this, "lblPressUnit", "mmHg");
  lblVF = ui::NewLabel(this, "lblVF", "V/F");
  lblVFData = ui::NewLabel(this, "lblVFData");
  lblVFData->setFrameShape(QFrame::Panel);
  lblVFData->setFrameShadow(QFrame::Sunken);
  for (QLineEdit* t : {txtTemp, txtTemp2, txtPress}) t->setAlignment(Qt::AlignRight);
  inputs->addWidget(lblTemp, 0, 0);
  inputs->addWidget(txtTemp, 0, 1);
  inputs->addWidget(lblTempUnit, 0, 2);
  inputs->addWidget(lblTemp2, 1, 0);
  inputs->addWidget(txtTemp2, 1, 1);
  inputs->addWidget(lblTempUnit2, 1, 2);
  inputs->addWidget(lblPress, 2, 0);
  inputs->addWidget(txtPress, 2, 1);
  inputs->addWidget(lblPressUnit, 2, 2);
  inputs->addWidget(lblVF, 3, 0);
  inputs->addWidget(lblVFData, 3, 1);
  inputs->setColumnMinimumWidth(2, 60);
  optCalcType_Click(0);

  auto* upper = new QHBoxLayout();
  auto* upperLeft = new QVBoxLayout();
  upperLeft->addLayout(summary);
  upperLeft->addLayout(inputs);
  upperLeft->addStretch();
  upper->addLayout(upperLeft);
  upper->addWidget(fraCalcType);
  right->addLayout(upper);

  lblResult = ui::NewLabel(this, "lblResult", "【計算結果】");
  right->addWidget(lblResult);
  spdData = new ui::SpreadGrid("spdData", this);
  spdData->SetMaxCols(4);
  spdData->SetMaxRows(kGridRows);
  const char* heads[5] = {"", "Ｆｅｅｄ", "Ｖａｐｏｒ", "Ｌｉｑｕｉｄ", "K-Value"};
  for (int c = 1; c <= 4; ++c) {
    spdData->SetText(c, 0, heads[c]);
    spdData->SetColWidth(c, c == 4 ? 17 : 13);
  }
  spdData->setMinimumHeight(300);
  Lock_Grid();
  // A feed typed after a calculation leaves the shown phases without their feed.
  spdData->onChange = [this](int col, int) {
    if (col == 1) Clear_Result();
  };
  right->addWidget(spdData, 1);
  spdData2 = new ui::SpreadGrid("spdData2", this);
  spdData2->SetMaxCols(3);
  spdData2->SetMaxRows(1);
  spdData2->SetText(1, 0, "Feed");
  spdData2->SetText(2, 0, "Vapor");
  spdData2->SetText(3, 0, "Liquid");
  spdData2->SetText(0, 1, "Enthalpy(Cal/Mol)");
  for (int c = 1; c <= 3; ++c) spdData2->SetColWidth(c, 16);
  spdData2->SetAllLocked(true);
  spdData2->setFixedHeight(64);
  right->addWidget(spdData2);
  top->addLayout(right, 1);

  connect(cmdUnit, &QPushButton::clicked, this, [this] { cmdUnit_Click(); });
  connect(cmdComponent, &QPushButton::clicked, this, [this] { cmdComponent_Click(); });
  connect(cmdK_Value, &QPushButton::clicked, this, [this] { cmdK_Value_Click(); });
  connect(cmdEnthalpy, &QPushButton::clicked, this, [this] { cmdEnthalpy_Click(); });
  connect(cmdMemo, &QPushButton::clicked, this, [this] { cmdMemo_Click(); });
  connect(cmdSample1, &QPushButton::clicked, this, [this] { cmdSample1_Click(); });
  connect(cmdSample2, &QPushButton::clicked, this, [this] { cmdSample2_Click(); });
  connect(cmdReadData, &QPushButton::clicked, this, [this] { cmdReadData_Click(); });
  connect(cmdSaveData, &QPushButton::clicked, this, [this] { cmdSaveData_Click(); });
  connect(cmdGoCalc, &QPushButton::clicked, this, [this] { cmdGoCalc_Click(); });
  connect(cmdAbout, &QPushButton::clicked, this, [this] { cmdAbout_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  resize(900, 640);
}

void frmFlash::Form_Load() {
  Case.Program_Mode = 2;
  Set_Title();
  // The thermodynamic library reports through the message sink; this window shows it.
  previousHandler_ = Set_Calc_Message_Handler([](const std::string& text) { ui::MsgBox(text); });
  handlerInstalled_ = true;
  Flash_Initial_set();
}

void frmFlash::Set_Title() {
  Case.Prog_Title = In_English() ? "Flash Calculation" : "ＦＬＡＳＨ計算";
  SetCaption(ui::Q(Case.Prog_Title));
}

// Each showing speaks the language chosen now (the title heads the dialogs too).
void frmFlash::Form_Activate() { Set_Title(); }

void frmFlash::Form_Unload() {
  if (handlerInstalled_) Set_Calc_Message_Handler(std::move(previousHandler_));
  handlerInstalled_ = false;
}

void frmFlash::Write_Unit_Captions() {
  Select_Unit_Entries();
  const std::string t = Unit_Temp_Text();
  lblTempUnit->setText(ui::Q(t));
  // The upper limit is typed in the same unit as the lower one.
  lblTempUnit2->setText(ui::Q(t));
  lblPressUnit->setText(ui::Q(Unit_Press_Text()));
}

void frmFlash::Write_Component_Names() {
  const int nc = std::clamp(static_cast<int>(Case.NC), 0, kGridRows);
  for (int i = 1; i <= nc; ++i) spdData->SetText(0, i, Case.Comp_Name[i]);
  for (int i = nc + 1; i <= kGridRows; ++i)
    for (int c = 0; c <= 4; ++c) spdData->SetText(c, i, kBlank);
  Lock_Grid();
}

void frmFlash::Lock_Grid() {
  const int nc = std::clamp(static_cast<int>(Case.NC), 0, kGridRows);
  spdData->SetLocked(0, 1, 4, kGridRows, true);
  // Row by row: a cell's own lock outlasts a later lock of its whole column.
  for (int i = 1; i <= kGridRows; ++i) spdData->SetLocked(1, i, 1, i, i > nc);
}

void frmFlash::Clear_Result() {
  for (int i = 1; i <= kGridRows; ++i)
    for (int c = 2; c <= 4; ++c) spdData->SetText(c, i, kBlank);
  for (int c = 1; c <= 3; ++c) spdData2->SetText(c, 1, kBlank);
  lblVFData->setText("");
}

bool frmFlash::Read_Feed() {
  const int nc = std::clamp(static_cast<int>(Case.NC), 0, kGridRows);
  std::vector<std::string> cells;
  for (int i = 1; i <= nc; ++i) cells.push_back(spdData->Text(1, i));
  std::string message;
  const bool ok = Read_Flash_Feed(cells, message);
  if (!message.empty()) ui::MsgBox(message);
  // What is used is what the column shows.
  if (ok)
    for (int i = 1; i <= nc; ++i) spdData->SetText(1, i, txt::Plain(Case.Flash_Z[i]));
  return ok;
}

void frmFlash::Set_Int_Display_Data() {
  txtTemp->setText(ui::Q(txt::Format(Win_Values.Flash_Win_T, kFmtTempPress)));
  txtPress->setText(ui::Q(txt::Format(Win_Values.Flash_Win_P, kFmtTempPress)));
  txtTemp2->setText(ui::Q(txt::Format(Win_Values.Flash_Win_T + 20, kFmtTempPress)));
  Write_Unit_Captions();
  lblNCData->setText(ui::Q(txt::Plain(static_cast<int>(Case.NC))));
  const int nc = std::clamp(static_cast<int>(Case.NC), 0, kGridRows);
  for (int i = 1; i <= nc; ++i) {
    spdData->SetText(0, i, Case.Comp_Name[i]);
    spdData->SetText(1, i, txt::Plain(Case.Flash_Z[i]));
    for (int c = 2; c <= 4; ++c) spdData->SetText(c, i, kBlank);
  }
  for (int i = nc + 1; i <= kGridRows; ++i)
    for (int c = 0; c <= 4; ++c) spdData->SetText(c, i, kBlank);
  Lock_Grid();
  optCalcType.Click(0);
  for (int c = 1; c <= 3; ++c) spdData2->SetText(c, 1, kBlank);
  lblK_Value->setText(ui::Q(Select_K_Value_Entry()));
  lblEnthalpy->setText(ui::Q(Select_Enthalpy_Entry()));
}

void frmFlash::optCalcType_Click(int index) {
  const bool curve = index == static_cast<int>(FlashCalcType::CondensingCurve);
  lblTemp->setText(curve ? "下限温度" : "温度");
  lblTemp2->setVisible(curve);
  txtTemp2->setVisible(curve);
  lblTempUnit2->setVisible(curve);
  lblVF->setVisible(!curve);
  lblVFData->setVisible(!curve);
}

void frmFlash::cmdUnit_Click() {
  ui::Forms::Get<frmUnit>().ShowModal();
  // The units dialog rewrites no label of this window: the captions follow here.
  Write_Unit_Captions();
}

void frmFlash::cmdComponent_Click() {
  ui::Forms::Get<frmComponent>().ShowModal();
  Write_Component_Names();
}

void frmFlash::cmdK_Value_Click() { ui::Forms::Get<frmK_Value>().ShowModal(); }
void frmFlash::cmdEnthalpy_Click() { ui::Forms::Get<frmEnthalpy>().ShowModal(); }
void frmFlash::cmdMemo_Click() { ui::Forms::Get<frmMemo>().ShowModal(); }

void frmFlash::cmdSample1_Click() {
  Flash_Example1_set(Win_Values);
  Set_Int_Display_Data();
}

void frmFlash::cmdSample2_Click() {
  Flash_Example2_set(Win_Values);
  Set_Int_Display_Data();
}

void frmFlash::cmdReadData_Click() {
  // Reading a flash case leaves the current case-file path as it was (the file
  // dialog stores the chosen name there).
  const std::string dataFile = Case.Data_File;
  const std::string path = Choose_Case_File_To_Read(PromptLanguage::Japanese);
  Case.Data_File = dataFile;
  if (path.empty()) return;
  const FlashReadResult r = Read_Flash_Data(path, Win_Values);
  if (r.status != FlashReadStatus::Read) ui::MsgBox(Flash_Read_Failure_Message(r));
  if (!r.notice.empty()) ui::MsgBox(r.notice);
  Set_Int_Display_Data();
}

void frmFlash::cmdSaveData_Click() {
  // The feed as typed is the feed saved.
  if (Case.NC >= 1 && Case.NC <= kMaxComp && !Read_Feed()) return;
  // The temperature and pressure as they stand in the text boxes: numbers, or
  // empty (kept as 0); other text is refused before a file is chosen.
  FlashWindowValues shown;
  if (!Box_Number(txtTemp, "温度", "Temperature", shown.Flash_Win_T) ||
      !Box_Number(txtPress, "圧力", "Pressure", shown.Flash_Win_P))
    return;
  if (const std::string why = Flash_File_Refusal(shown); !why.empty()) {
    ui::MsgBox(why, ui::vbOKOnly | ui::vbExclamation);
    return;
  }
  const std::string path = Choose_Case_File_To_Save("*.dat", PromptLanguage::Japanese);
  if (path.empty()) return;
  Save_Case_File(Flash_File_Writer(shown), path, PromptLanguage::Japanese);
}

bool frmFlash::Box_Number(QLineEdit* box, const char* fieldJa, const char* fieldEn, double& value) {
  const std::string text = ui::S(box->text());
  const txt::NumberProblem p = txt::ParseNumber(text, value);
  if (p == txt::NumberProblem::None) return true;
  if (p == txt::NumberProblem::Blank) {
    value = 0.0;
    return true;
  }
  ui::MsgBox(txt::NumberProblemMessage(p, In_English() ? fieldEn : fieldJa, text));
  return false;
}

void frmFlash::cmdGoCalc_Click() {
  const int type = optCalcType.Value();
  if (type < 0) return;
  if (Case.NC >= 1 && Case.NC <= kMaxComp && !Read_Feed()) {
    Clear_Result();
    return;
  }
  const FlashDisplay d = Flash_Calc(static_cast<FlashCalcType>(type), ui::S(txtTemp->text()),
                                    ui::S(txtPress->text()), ui::S(txtTemp2->text()));
  if (d.outcome.status == ThermoStatus::Refused && d.rows.empty() && !d.showCurve) {
    // Refused input (the message is shown): nothing computed, nothing old left standing.
    Clear_Result();
    return;
  }
  if (d.showCurve) {
    auto& curve = ui::Forms::Get<frmFlashCondensingCurve>();
    curve.SetHeightTwips(kCurveHeightCollapsed);
    curve.ShowModal();
    return;
  }
  Show_Result(d);
}

void frmFlash::Show_Result(const FlashDisplay& d) {
  txtTemp->setText(ui::Q(d.tempText));
  txtPress->setText(ui::Q(d.pressText));
  if (!d.vfText.empty()) lblVFData->setText(ui::Q(d.vfText));
  for (std::size_t k = 0; k < d.rows.size() && k < static_cast<std::size_t>(kGridRows); ++k) {
    const int row = static_cast<int>(k) + 1;
    spdData->SetText(2, row, d.rows[k].vapour);
    spdData->SetText(3, row, d.rows[k].liquid);
    spdData->SetText(4, row, d.rows[k].kValue);
  }
  if (d.enthalpyWritten) {
    spdData2->SetText(1, 1, d.enthalpy.feed);
    spdData2->SetText(2, 1, d.enthalpy.vapour);
    spdData2->SetText(3, 1, d.enthalpy.liquid);
  }
}

void frmFlash::cmdAbout_Click() {
  if (ui::Form* about = ui::Forms::LoadByName("frmAbout")) about->ShowModal();
}

void frmFlash::cmdExit_Click() {
  ui::Forms::Unload<frmFlashCondensingCurve>();
  ui::Forms::Unload(this);
  ui::ReturnToMenu();
}
