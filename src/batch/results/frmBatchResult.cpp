#include "batch/results/frmBatchResult.h"

#include "batch/model/BatchData.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/QLanguage.h"

VZ_FORM_FACTORY(frmBatchResult);


namespace {

// Graph divisions the graphs can draw: a count below 1 has no scale, and a
// very large one only draws lines on top of each other.
constexpr long long kMaxGraphDiv = 20;

}  // namespace

frmBatchResult::frmBatchResult() : ResultForm("frmBatchResult") {
  fraGraphScale = ui::NewFrame(this, "fraGraphScale", "グラフ表示");
  ui::Place(fraGraphScale, 120, 60, 2700, 1020);
  optGraphScale.Create(fraGraphScale, "optGraphScale", 2);
  ui::Place(optGraphScale[0], 150, 270, 900, 300);
  ui::Place(optGraphScale[1], 150, 600, 900, 300);
  lblGraphDiv = ui::NewLabel(fraGraphScale, "lblGraphDiv", "分割数");
  ui::Place(lblGraphDiv, 1200, 300, 700, 270);
  txtGraphDiv = ui::NewTextBox(fraGraphScale, "txtGraphDiv");
  ui::Place(txtGraphDiv, 1950, 270, 570, 300);

  fraData = ui::NewFrame(this, "fraData", "結果データ");
  ui::Place(fraData, 2940, 60, 2700, 1020);
  optData.Create(fraData, "optData", 2);
  ui::Place(optData[0], 150, 270, 2200, 300);
  ui::Place(optData[1], 150, 600, 2200, 300);

  struct B {
    QPushButton** button;
    const char* name;
  };
  const B buttons[] = {{&cmdMenu1, "cmdMenu1"}, {&cmdMenu2, "cmdMenu2"}, {&cmdMenu3, "cmdMenu3"},
                       {&cmdMenu4, "cmdMenu4"}, {&cmdMenu5, "cmdMenu5"}, {&cmdMenu6, "cmdMenu6"},
                       {&cmdMenu7, "cmdMenu7"}, {&cmdMenu8, "cmdMenu8"}, {&cmdMenu9, "cmdMenu9"},
                       {&cmdMenuA, "cmdMenuA"}, {&cmdMenuL, "cmdMenuL"}};
  double top = 1200;
  for (const B& b : buttons) {
    *b.button = ui::NewButton(this, b.name);
    ui::Place(*b.button, 120, top, 5520, 400);
    (*b.button)->setStyleSheet("text-align: left; padding-left: 8px;");
    top += 450;
  }
  // The plate number sits at the start of button 3, whose caption leaves room for it.
  txtTrayNo = ui::NewTextBox(this, "txtTrayNo");
  ui::Place(txtTrayNo, 170, 1200 + 2 * 450 + 50, 420, 300);
  txtTrayNo->setText("1");
  txtTrayNo->raise();
  cmdMenu3->setStyleSheet("text-align: left; padding-left: 40px;");

  cmdOK = ui::NewButton(this, "cmdOK", "戻る(&X)");
  ui::Place(cmdOK, 4200, top + 60, 1440, 400);
  setFixedSize(ui::Px(5760), ui::Px(top + 600));

  optGraphScale.onClick = [this](int i) { optGraphScale_Click(i); };
  optData.onClick = [this](int i) { optData_Click(i); };
  connect(txtGraphDiv, &QLineEdit::textChanged, this, [this] { txtGraphDiv_Change(); });
  connect(txtTrayNo, &QLineEdit::textChanged, this, [this] { txtTrayNo_Change(); });
  connect(cmdMenu1, &QPushButton::clicked, this, [this] { cmdMenu1_Click(); });
  connect(cmdMenu2, &QPushButton::clicked, this, [this] { cmdMenu2_Click(); });
  connect(cmdMenu3, &QPushButton::clicked, this, [this] { cmdMenu3_Click(); });
  connect(cmdMenu4, &QPushButton::clicked, this, [this] { cmdMenu4_Click(); });
  connect(cmdMenu5, &QPushButton::clicked, this, [this] { cmdMenu5_Click(); });
  connect(cmdMenu6, &QPushButton::clicked, this, [this] { cmdMenu6_Click(); });
  connect(cmdMenu7, &QPushButton::clicked, this, [this] { cmdMenu7_Click(); });
  connect(cmdMenu8, &QPushButton::clicked, this, [this] { cmdMenu8_Click(); });
  connect(cmdMenu9, &QPushButton::clicked, this, [this] { cmdMenu9_Click(); });
  connect(cmdMenuA, &QPushButton::clicked, this, [this] { cmdMenuA_Click(); });
  connect(cmdMenuL, &QPushButton::clicked, this, [this] { cmdMenuL_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmBatchResult::Form_Load() {
  ResultForm::Form_Load();
  SetCaption(batchres::Caption("結果表示", "Calculation Result"));
  fraGraphScale->setTitle(QInLanguage("グラフ表示", "Graph"));
  optGraphScale[0]->setText("Log");
  optGraphScale[1]->setText(QInLanguage("直線", "Linear"));
  lblGraphDiv->setText(QInLanguage("分割数", "Div"));
  fraData->setTitle(QInLanguage("結果データ", "Result Data"));
  optData[0]->setText(QInLanguage("全還流", "Total Reflux"));
  optData[1]->setText(QInLanguage("製品抜出", "Product"));
  cmdMenu1->setText(QInLanguage("塔頂/塔底の液組成変化のグラフ表示(&1)", "Top/Btm Liquid Composition [Graph](&1)"));
  cmdMenu2->setText(QInLanguage("塔頂/塔底の温度変化のグラフ表示(&2)", "Top/Btm Temperature [Graph](&2)"));
  cmdMenu3->setText(QInLanguage("   段の液組成変化のグラフ表示(&3)", "   Tray Liquid Composition [Graph](&3)"));
  cmdMenu4->setText(QInLanguage("塔内液組成変化のグラフ表示(&4)", "Tower Liquid Composition [Graph](&4)"));
  cmdMenu5->setText(QInLanguage("全還流収束時の塔内液組成グラフ表示(&5)", "Total Reflux Liquid Composition[Graph](&5)"));
  cmdMenu6->setText(QInLanguage("全還流収束ﾃﾞｰﾀの表示(&6)", "Total Reflux [Data](&6)"));
  cmdMenu7->setText(QInLanguage("留出タンクの組成表示(&7)", "Product Tank Composition [Data](&7)"));
  cmdMenu8->setText(QInLanguage("蒸気／液流量ﾃﾞｰﾀ表示(&8)", "Vapor/Liquid Internal Flow [Data](&8)"));
  cmdMenu9->setText(QInLanguage("計算過程のデータ表示(&9)", "Each Calculation Result [Data](&9)"));
  cmdMenuA->setText(QInLanguage("塔頂/塔底の温度･液組成データ表示(&A)", "Top/Btm Temp/Liquid Composition [Data](&A)"));
  cmdMenuL->setText(QInLanguage("計算処理ログの表示(&L)", "Calculation Log (&L)"));
  cmdOK->setText(QInLanguage("戻る(&X)", "Exit(&X)"));
}

void frmBatchResult::Form_Activate() {
  Batch.Graph_Scale = 0;
  optGraphScale.SetValue(0);
  Batch_Result.Data_Phase = 0;
  optData.SetValue(0);
  {
    // Writing the box must not take its text back as a new count.
    const QSignalBlocker block(txtGraphDiv);
    txtGraphDiv->setText(ui::Q(txt::Plain(static_cast<long long>(Batch.Graph_Div))));
  }
  Batch.Batch_File = Batch_History_Name(0);
}

void frmBatchResult::optGraphScale_Click(int index) { Batch.Graph_Scale = index == 0 ? 0 : 1; }

void frmBatchResult::optData_Click(int index) {
  Batch_Result.Data_Phase = index == 0 ? 0 : 1;
  Batch.Batch_File = Batch_History_Name(Batch_Result.Data_Phase);
}

void frmBatchResult::txtGraphDiv_Change() {
  // Only a count the graphs can draw is taken; any other text leaves the count
  // in force, which the box shows again when the menu is next activated.
  long long n;
  if (txt::ParseCount(ui::S(txtGraphDiv->text()), 1, kMaxGraphDiv, n) == txt::NumberProblem::None)
    Batch.Graph_Div = static_cast<int32_t>(n);
}

namespace {

// The plates of the run whose history the graphs draw, which the case may no
// longer have.
int Run_Plates() { return History_Run_Case(Batch_Result_Path(Batch_History_Name(Batch_Result.Data_Phase))).nt; }

}  // namespace

void frmBatchResult::txtTrayNo_Change() {
  const std::string text = ui::S(txtTrayNo->text());
  if (text.empty()) return;
  // Only a whole text that is a plate of the run is a plate ("12abc" is none).
  long long n;
  if (txt::ParseCount(text, 1, Run_Plates(), n) != txt::NumberProblem::None)
    batchres::Say(InLanguage("段数が違います", "invalid Stage"));
}

void frmBatchResult::Open(const char* window) {
  if (ui::Form* f = ui::Forms::LoadByName(QString::fromLatin1(window))) f->ShowModal();
}

void frmBatchResult::Graph(int kind, const char* window) {
  Batch_Result.Graph_Kind = kind;
  Open(window);
}

void frmBatchResult::cmdMenu1_Click() { Graph(1, "frmBatchResultGraph2"); }
void frmBatchResult::cmdMenu2_Click() { Graph(2, "frmBatchResultGraph2"); }

void frmBatchResult::cmdMenu3_Click() {
  long long n = 0;
  const bool plate = txt::ParseCount(ui::S(txtTrayNo->text()), 1, Run_Plates(), n) == txt::NumberProblem::None;
  Batch_Result.Graph_Tray = static_cast<int32_t>(plate ? n : 0);
  if (!plate) {
    ui::MsgBox("段数が違います", ui::vbOKOnly);
    return;
  }
  Graph(3, "frmBatchResultGraph2");
}

void frmBatchResult::cmdMenu4_Click() { Graph(4, "frmBatchResultGraph1"); }
void frmBatchResult::cmdMenu5_Click() { Graph(5, "frmBatchResultGraph1"); }
void frmBatchResult::cmdMenu6_Click() { Open("frmBatchResultTotalReflux"); }
void frmBatchResult::cmdMenu7_Click() { Open("frmBatchResultTank"); }
void frmBatchResult::cmdMenu8_Click() { Open("frmBatchResultVLload"); }
void frmBatchResult::cmdMenu9_Click() { Open("frmBatchResultTrayData"); }
void frmBatchResult::cmdMenuA_Click() { Open("frmBatchResultTopBtmData"); }
void frmBatchResult::cmdMenuL_Click() { Open("frmBatchDispLog"); }
