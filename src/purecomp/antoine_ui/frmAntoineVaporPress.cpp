#include "purecomp/antoine_ui/frmAntoineVaporPress.h"

#include <QEvent>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "database/PropertyDb.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Programs.h"
#include "platform/ui/Services.h"

VZ_PROGRAM_WINDOW(3, frmAntoineVaporPress, 1);
VZ_FORM_FACTORY(frmAntoineVaporPress);

using ui::Q;

namespace {

constexpr int kConstRows = antoine::kMaxComp;
constexpr int kConstCols = 8;
constexpr int kDataRows = antoine::AntoineInput::kDataRows;
constexpr int kDataCols = 2 * antoine::kMaxComp;
constexpr double kPointRadius = 30;

struct CaptionText {
  const char* control;
  const char* ja;
  const char* en;
};

const CaptionText kCaptions[] = {
    {"lblVaporPress", "蒸気圧グラフ表示", "Vapor Pressure Graph"},
    {"lblAntoine", "Antoine定数  Log(P)=A - B/(t + C)  :mmHg", "Antoine's Para Log(P)=A - B/(t + C)  :mmHg"},
    {"cmdDBComponent", "臨界定数検索(&C)", "Querry Tc,Pc Data(&C)"},
    {"cmdDBAntoine", "Antoine定数検索(&Q)", "Querry Antoine's Para(&Q)"},
    {"cmdDBAntoineSave", "Antoine定数保存(&S)", "Save Antoine's Para(&S)"},
    {"lblTempRange", "グラフ表示温度範囲（℃)", "Graph Temp Range(Deg C)"},
    {"lblMin", "下限", "Low"},
    {"lblMax", "上限", "Upper"},
    {"cmdCalc", "推算＆グラフ表示(&E)", "Estimate / Disp Graph(&E)"},
    {"cmdInitial", "初期化(&I)", "Initial(&I)"},
    {"cmdExample", "例題(&1)", "Example(&1)"},
    {"lblData", "測定データ", "Messure Data"},
    {"lblMemo", "Antoine定数及び測定データなしで、臨界定数がある場合\nLee-Kesler式で求める",
     "not exsist Antoine's Para and Messure data, but exist Critical Constants\nthen Calculate 'Lee-Kesler Equation'"},
    {"cmdAbout", "Version(&A)", "Version(&A)"},
    {"cmdExit", "戻る(&X)", "Exit (&X)"},
};

QPushButton* Button(QWidget* parent, const char* name, double left, double top, double width) {
  QPushButton* b = ui::NewButton(parent, name);
  ui::Place(b, left, top, width, 420);
  return b;
}

// A picture position: whole units, halves to even, held where the conversion is defined.
double Pos(double v) { return static_cast<double>(txt::RoundHalfEven(std::clamp(v, -1e7, 1e7))); }

// A number as the picture prints it: leading blank for the sign, one blank behind.
std::string Num(double v) { return txt::Signed(v) + " "; }

void PrintAt(ui::PictureBox& pic, double x, double y, const std::string& text) {
  pic.CurrentX = x;
  pic.CurrentY = y;
  pic.Print(text);
}

// A label at the right-hand side: at its place when it fits, else moved left
// just enough to end inside the picture (a long pressure is never cut).
void PrintRight(ui::PictureBox& pic, double x, double y, const std::string& text) {
  const double room = static_cast<double>(txt::RoundHalfEven(pic.ScaleWidth())) - 15 - pic.TextWidth(text);
  PrintAt(pic, std::max(0.0, std::min(x, room)), y, text);
}

std::string Today() {
  const std::tm t = ui::Now();
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
  return buf;
}

}  // namespace

frmAntoineVaporPress::frmAntoineVaporPress() : ui::Form("frmAntoineVaporPress") {
  lblAntoine = ui::NewLabel(this, "lblAntoine");
  ui::Place(lblAntoine, 120, 90, 9000, 300);
  vaSpreadAntoine = new ui::SpreadGrid("vaSpreadAntoine", this);
  vaSpreadAntoine->SetMaxCols(kConstCols);
  vaSpreadAntoine->SetMaxRows(kConstRows);
  const char* heads[kConstCols + 1] = {"", "化学式", "物質名", "Ａ", "Ｂ", "Ｃ", "Tc", "Pc", "ω"};
  // Wide enough for a fitted constant's 15 digits and an acentric factor such as 0.644.
  const double widths[kConstCols + 1] = {0, 7, 12, 22, 22, 22, 7, 6, 7};
  for (int c = 1; c <= kConstCols; ++c) {
    vaSpreadAntoine->SetText(c, 0, heads[c]);
    vaSpreadAntoine->SetColWidth(c, widths[c]);
  }
  // Long constants are cut at the cell edge, not wrapped at their decimal point.
  vaSpreadAntoine->setWordWrap(false);
  vaSpreadAntoine->SetColToolTip(6, "K");
  vaSpreadAntoine->SetColToolTip(7, "bar");
  ui::Place(vaSpreadAntoine, 120, 400, 11700, 1860);
  vaSpreadAntoine->onClick = [this](int col, int row) { vaSpreadAntoine_Click(col, row); };
  vaSpreadAntoine->onChange = [this](int col, int row) { vaSpreadAntoine_Change(col, row); };

  lblData = ui::NewLabel(this, "lblData");
  ui::Place(lblData, 120, 2420, 2000, 300);
  cmdDBComponent = Button(this, "cmdDBComponent", 2280, 2340, 2700);
  cmdDBAntoine = Button(this, "cmdDBAntoine", 5080, 2340, 2700);
  cmdDBAntoineSave = Button(this, "cmdDBAntoineSave", 7880, 2340, 2740);

  vaSpread2 = new ui::SpreadGrid("vaSpread2", this);
  vaSpread2->SetMaxCols(kDataCols);
  vaSpread2->SetMaxRows(kDataRows);
  for (int i = 1; i <= antoine::kMaxComp; ++i) {
    vaSpread2->SetText(2 * i - 1, 0, "Ｔ(℃)");
    vaSpread2->SetText(2 * i, 0, "P(mmHg)");
    // The temperature column also holds the component's name in row 1.
    vaSpread2->SetColWidth(2 * i - 1, 11);
    vaSpread2->SetColWidth(2 * i, 9);
  }
  vaSpread2->SetText(0, 1, "物質名");
  vaSpread2->setWordWrap(false);
  ui::Place(vaSpread2, 120, 2840, 11700, 5000);
  vaSpread2->onClick = [this](int col, int row) { vaSpread2_Click(col, row); };

  lblVaporPress = ui::NewLabel(this, "lblVaporPress");
  ui::Place(lblVaporPress, 12060, 90, 4000, 300);
  Picture1 = new ui::PictureBox("Picture1", this);
  ui::Place(Picture1, 12060, 400, 6600, 5200);
  Picture1->SetSizePixels(ui::Px(6600), ui::Px(5200));
  Picture1->onMouseDown = [this](int, int, double, double) { Picture1_Click(); };

  lblTempRange = ui::NewLabel(this, "lblTempRange");
  ui::Place(lblTempRange, 12060, 5720, 4000, 300);
  lblMin = ui::NewLabel(this, "lblMin");
  ui::Place(lblMin, 12060, 6090, 600, 300);
  txtTempMin = ui::NewTextBox(this, "txtTempMin");
  ui::Place(txtTempMin, 12660, 6060, 1000, 330);
  Label1 = ui::NewLabel(this, "Label1", "～");
  ui::Place(Label1, 13740, 6090, 300, 300);
  lblMax = ui::NewLabel(this, "lblMax");
  ui::Place(lblMax, 14100, 6090, 700, 300);
  txtTempMax = ui::NewTextBox(this, "txtTempMax");
  ui::Place(txtTempMax, 14800, 6060, 1000, 330);
  for (QLineEdit* t : {txtTempMin, txtTempMax}) {
    t->setAlignment(Qt::AlignRight);
    t->installEventFilter(this);
  }
  lblMemo = ui::NewLabel(this, "lblMemo");
  lblMemo->setWordWrap(true);
  lblMemo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ui::Place(lblMemo, 12060, 6500, 6600, 620);

  const double y = 7320;
  cmdCalc = Button(this, "cmdCalc", 12060, y, 2600);
  cmdInitial = Button(this, "cmdInitial", 14760, y, 1900);
  cmdExample = Button(this, "cmdExample", 16760, y, 1900);
  cmdAbout = Button(this, "cmdAbout", 14760, y + 520, 1900);
  cmdExit = Button(this, "cmdExit", 16760, y + 520, 1900);

  connect(cmdCalc, &QPushButton::clicked, this, [this] { cmdCalc_Click(); });
  connect(cmdInitial, &QPushButton::clicked, this, [this] { cmdInitial_Click(); });
  connect(cmdExample, &QPushButton::clicked, this, [this] { cmdExample_Click(); });
  connect(cmdDBComponent, &QPushButton::clicked, this, [this] { cmdDBComponent_Click(); });
  connect(cmdDBAntoine, &QPushButton::clicked, this, [this] { cmdDBAntoine_Click(); });
  connect(cmdDBAntoineSave, &QPushButton::clicked, this, [this] { cmdDBAntoineSave_Click(); });
  connect(cmdAbout, &QPushButton::clicked, this, [this] { cmdAbout_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });

  // The database buttons appear after a click into the constants grid.
  Hide_DB_Buttons();
  setFixedSize(ui::Px(18900), ui::Px(8400));
}

void frmAntoineVaporPress::Set_Captions() {
  const bool en = In_English();
  if (Case.Language != 0 && !en) return;
  Case.Prog_Title = en ? "Antoine Vapor Pressure" : "Antoine蒸気圧";
  SetCaption(Q(Case.Prog_Title));
  for (const CaptionText& c : kCaptions) ui::SetControlText(this, c.control, en ? c.en : c.ja);
  vaSpreadAntoine->SetText(1, 0, en ? "Formula" : "化学式");
  vaSpreadAntoine->SetText(2, 0, en ? "Name" : "物質名");
  vaSpread2->SetText(0, 1, en ? "Name" : "物質名");
}

void frmAntoineVaporPress::Form_Load() {
  ui::Caller_Grid = vaSpreadAntoine;
  previousHandler_ = Set_Calc_Message_Handler([](const std::string& text) { ui::MsgBox(text); });
  handlerInstalled_ = true;
  Set_Captions();
  for (int i = 1; i <= antoine::kMaxComp; ++i) {
    Case.Comp_Name[i].clear();
    Case.Antoine_A[i] = Case.Antoine_B[i] = Case.Antoine_C[i] = 0;
    Data.Antoine_NData[i] = 0;
    for (int j = 1; j <= antoine::kMaxPoint; ++j) Data.Antoine_T_Data[i][j] = Data.Antoine_P_Data[i][j] = 0;
  }
}

void frmAntoineVaporPress::Form_Activate() { Set_Captions(); }

void frmAntoineVaporPress::Form_Unload() {
  if (handlerInstalled_) Set_Calc_Message_Handler(std::move(previousHandler_));
  handlerInstalled_ = false;
  if (ui::Caller_Grid == vaSpreadAntoine) ui::Caller_Grid = nullptr;
}

bool frmAntoineVaporPress::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    if (watched == txtTempMin) txtTempMin_Click();
    else if (watched == txtTempMax) txtTempMax_Click();
  }
  return ui::Form::eventFilter(watched, event);
}

void frmAntoineVaporPress::Hide_DB_Buttons() {
  cmdDBComponent->setVisible(false);
  cmdDBAntoine->setVisible(false);
  cmdDBAntoineSave->setVisible(false);
}

void frmAntoineVaporPress::vaSpreadAntoine_Click(int, int) {
  cmdDBComponent->setVisible(true);
  cmdDBAntoine->setVisible(true);
  cmdDBAntoineSave->setVisible(true);
}

void frmAntoineVaporPress::vaSpread2_Click(int, int) { Hide_DB_Buttons(); }
void frmAntoineVaporPress::txtTempMin_Click() { Hide_DB_Buttons(); }
void frmAntoineVaporPress::txtTempMax_Click() { Hide_DB_Buttons(); }

void frmAntoineVaporPress::Copy_Name_To_Data_Grid(int row) {
  if (row < 1 || row > kConstRows) return;
  vaSpread2->SetText(2 * row - 1, 1, vaSpreadAntoine->Text(2, row));
}

void frmAntoineVaporPress::vaSpreadAntoine_Change(int, int row) { Copy_Name_To_Data_Grid(row); }

antoine::AntoineInput frmAntoineVaporPress::Read_Input() const {
  antoine::AntoineInput in;
  for (int r = 1; r <= kConstRows; ++r)
    for (int c = 1; c <= kConstCols; ++c) in.Const[r][c] = vaSpreadAntoine->Text(c, r);
  for (int r = 1; r <= kDataRows; ++r)
    for (int c = 1; c <= kDataCols; ++c) in.Points[r][c] = vaSpread2->Text(c, r);
  in.TempMin = ui::S(txtTempMin->text());
  in.TempMax = ui::S(txtTempMax->text());
  return in;
}

void frmAntoineVaporPress::Show_Outcome(const antoine::CalcOutcome& out) {
  for (int r = 1; r <= antoine::kMaxComp; ++r) {
    if (out.generated[r]) {
      for (int j = 1; j <= Data.Antoine_NData[r]; ++j) {
        vaSpread2->SetText(2 * r - 1, j + 1, txt::Format(Data.Antoine_T_Data[r][j], "###0.00"));
        vaSpread2->SetText(2 * r, j + 1, txt::Format(Data.Antoine_P_Data[r][j], "###0.00"));
      }
    }
    if (out.fitted[r]) {
      const double values[3] = {Case.Antoine_A[r], Case.Antoine_B[r], Case.Antoine_C[r]};
      for (int k = 0; k < 3; ++k) {
        vaSpreadAntoine->SetValue(3 + k, r, values[k]);
        vaSpreadAntoine->SetForeColor(3 + k, r, ui::RGB(255, 0, 0));
        vaSpreadAntoine->SetBackColor(3 + k, r, ui::RGB(255, 255, 255));
      }
    }
  }
}

void frmAntoineVaporPress::cmdCalc_Click() {
  Hide_DB_Buttons();
  CalcMessageScope scope;
  const antoine::CalcOutcome out = antoine::Antoine_Calc(Read_Input(), Data);
  Show_Outcome(out);
  if (!out.drawGraph) return;
  calculated_ = true;
  Graph_Vapor_Press();
}

void frmAntoineVaporPress::Picture1_Click() {
  if (!calculated_) return;
  CalcMessageScope scope;
  Graph_Vapor_Press();
}

void frmAntoineVaporPress::Graph_Vapor_Press() {
  if (!antoine::Read_Temp_Range(ui::S(txtTempMin->text()), ui::S(txtTempMax->text()), Data)) return;
  // Only the window's own components, and only those of a calculation: until
  // then the shared arrays hold nothing of this window.
  const int nc = std::min<int>(Case.NC, antoine::kMaxComp);
  Axes = antoine::Graph_Axes(Data, nc);
  if (!Axes.ok) return;

  ui::PictureBox& pic = *Picture1;
  const double W = static_cast<double>(txt::RoundHalfEven(pic.ScaleWidth()));
  const double H = static_cast<double>(txt::RoundHalfEven(pic.ScaleHeight()));
  const int N = Axes.decades;
  const double m0 = Axes.lowDecade;
  const double tSpan = Axes.T_High - Axes.T_Low;
  auto xOf = [&](double t) { return Pos(100 + (t - Axes.T_Low) / tSpan * (W - 600)); };
  auto yOf = [&](double p) { return Pos((H - 300) - (std::log10(p) - m0) * (H - 600) / N); };

  pic.Cls();
  pic.SetForeColor(ui::QBColor(0));
  pic.SetForeColor(ui::QBColor(15));
  const double dy = (H - 600) / N;
  for (int k = 1; k <= N; ++k) {
    const double yk = (H - 300) - (k - 1) * dy;
    pic.Line(100, Pos(yk), W - 500, Pos(yk), ui::QBColor(8));
    PrintRight(pic, W - 550, yk - 100, Num(std::pow(10.0, m0 + k - 1)));
    for (int j = 2; j <= 9; ++j) {
      const double yj = Pos(yk - std::log10(static_cast<double>(j)) * dy);
      pic.Line(100, yj, W - 500, yj, ui::QBColor(8));
    }
  }
  PrintRight(pic, W - 550, 250, Num(std::pow(10.0, m0 + N)));
  pic.Box(100, 300, W - 500, H - 300, ui::QBColor(8));

  double step = tSpan / 5;
  for (int i = 1; i <= 4; ++i) {
    const double x = Pos(100 + i * (W - 600) / 5);
    pic.Line(x, 300, x, H - 300, ui::QBColor(8));
    PrintAt(pic, x - 120, H - 250, Num(std::floor(Axes.T_Low + i * step)));
  }
  PrintAt(pic, -20, H - 250, Num(Axes.T_Low));
  PrintRight(pic, W - 620, H - 250, Num(Axes.T_High));

  double legendX = 20;
  for (int i = 1; i <= nc; ++i) {
    pic.SetForeColor(ui::QBColor(i + 9));
    PrintAt(pic, legendX, 20, Case.Comp_Name[i]);
    legendX += (W - 600) / 5;
  }

  step = tSpan / 200;
  for (int i = 1; i <= nc; ++i) {
    const QColor colour = ui::QBColor(i + 9);
    bool started = false;
    double px = 0, py = 0;
    for (int k = 0; k <= 200; ++k) {
      const double t = Axes.T_Low + k * step;
      const double p = antoine::Antoine_Psat(Case.Antoine_A[i], Case.Antoine_B[i], Case.Antoine_C[i], t);
      // Past a pole of the equation the curve breaks off and starts again.
      if (!std::isfinite(p) || !(p > 0)) {
        started = false;
        continue;
      }
      const double x = xOf(t), y = yOf(p);
      if (started) pic.Line(px, py, x, y, colour);
      px = x;
      py = y;
      started = true;
    }
  }
  for (int i = 1; i <= nc; ++i) {
    const QColor colour = ui::QBColor(i + 9);
    for (int j = 1; j <= Data.Antoine_NData[i]; ++j)
      if (Data.Antoine_P_Data[i][j] > 0)
        pic.Circle(xOf(Data.Antoine_T_Data[i][j]), yOf(Data.Antoine_P_Data[i][j]), kPointRadius, colour);
  }
}

void frmAntoineVaporPress::cmdInitial_Click() {
  Hide_DB_Buttons();
  vaSpreadAntoine->ClearRange(1, 1, kConstCols, kConstRows);
  vaSpread2->ClearRange(1, 1, kDataCols, kDataRows);
  txtTempMin->setText("");
  txtTempMax->setText("");
  Picture1->Cls();
}

void frmAntoineVaporPress::cmdExample_Click() {
  cmdInitial_Click();
  struct Row {
    const char* cells[kConstCols];
  };
  const Row rows[4] = {
      {{"CH4O", "Methanol", "", "", "", "", "", ""}},
      {{"C2H6O", "Ethanol", "", "", "", "513.9", "61.4", "0.644"}},
      {{"H2O", "Water", "7.9668", "1668.21", "228", "", "", ""}},
      {{"C3H8O", "1-Propanol", "7.9973", "1569.7", "209.5", "", "", ""}},
  };
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < kConstCols; ++c) vaSpreadAntoine->SetText(c + 1, r + 1, rows[r].cells[c]);
  const char* names[4] = {"  Methanol", "  Ethanol", "  Water", "  Propanol"};
  for (int i = 0; i < 4; ++i) vaSpread2->SetText(2 * i + 1, 1, names[i]);
  const char* points[5][2] = {{"-16.2", "10"}, {"-6.3", "20"}, {"11.4", "60"}, {"34.03", "200"}, {"64.51", "760"}};
  for (int j = 0; j < 5; ++j) {
    vaSpread2->SetText(1, j + 2, points[j][0]);
    vaSpread2->SetText(2, j + 2, points[j][1]);
  }
  txtTempMin->setText("-20");
  txtTempMax->setText("80");
  Hide_DB_Buttons();
}

void frmAntoineVaporPress::cmdDBComponent_Click() {
  Hide_DB_Buttons();
  if (ui::Form* lookup = ui::Forms::LoadByName("frmDBComponent")) lookup->ShowModal();
}

void frmAntoineVaporPress::cmdDBAntoine_Click() {
  Hide_DB_Buttons();
  ui::Caller_Grid = vaSpreadAntoine;
  if (ui::Form* lookup = ui::Forms::LoadByName("frmDBAntoine")) lookup->ShowModal();
  Copy_Name_To_Data_Grid(vaSpreadAntoine->ActiveRow());
}

void frmAntoineVaporPress::cmdDBAntoineSave_Click() {
  Hide_DB_Buttons();
  const int r = vaSpreadAntoine->ActiveRow();
  if (r < 1 || r > kConstRows) return;
  const std::string formula = vaSpreadAntoine->Text(1, r);
  const std::string name = vaSpreadAntoine->Text(2, r);
  const bool en = In_English();
  // The constants as typed: each wholly a number, or the row is not saved.
  double abc[3] = {0, 0, 0};
  const char* heads[3] = {"A", "B", "C"};
  for (int k = 0; k < 3; ++k) {
    const std::string text = vaSpreadAntoine->Text(3 + k, r);
    const txt::NumberProblem p = txt::ParseNumber(text, abc[k]);
    if (p == txt::NumberProblem::Blank) return;
    if (p != txt::NumberProblem::None) {
      ui::MsgBox(txt::NumberProblemMessage(p, name + " " + heads[k], text));
      return;
    }
  }
  const double A = abc[0], B = abc[1], C = abc[2];
  if (formula.empty() || name.empty() || A == 0 || B == 0 || C == 0) return;

  auto failed = [](const vzdb::DbStatus& status) {
    ui::MsgBox(vzdb::Db_Error_Text(status, Case.DB_Path, Case.Language), ui::vbExclamation);
  };
  const vzdb::TableSpec& critical = *vzdb::Find_Table("CriticalConstant");
  const vzdb::TableSpec& antoineTable = *vzdb::Find_Table("AntoineConstant");
  bool registered = false;
  {
    vzdb::PropertyDb db(Case.DB_Path);
    if (!db.Ok()) return failed(db.Open_Status());
    registered = db.Name_Exists(critical, name);
    if (!db.Last_Status().Ok()) return failed(db.Last_Status());
  }
  if (!registered) {
    const int answer = ui::MsgBox(en ? name + " is not in the critical constant database. Register it?"
                                     : name + " が臨界定数Databaseに登録されていません。登録しますか？",
                                  ui::vbYesNo | ui::vbExclamation | ui::vbDefaultButton2, "");
    if (answer != ui::vbYes) return;
    if (ui::Form* add = ui::Forms::LoadByName("frmDBCriticalConstant")) {
      if (auto* grid = add->Ctl<ui::SpreadGrid>("vaSpread1")) {
        grid->SetText(1, 1, formula);
        grid->SetText(1, 2, name);
      }
      add->ShowModal();
    }
  }

  vzdb::PropertyDb db(Case.DB_Path);
  if (!db.Ok()) return failed(db.Open_Status());
  const std::vector<vzdb::Record> sets = db.Data_Sets(antoineTable, name);
  if (!db.Last_Status().Ok()) return failed(db.Last_Status());
  long long lastIndex = -1;
  for (const vzdb::Record& rec : sets) {
    if (rec.Number("An") == A && rec.Number("Bn") == B && rec.Number("Cn") == C) {
      Case.Msg_Text = en ? "'" + name + "' already has the same data." : "'" + name + "' はすでに同じデータがある。！！";
      ui::MsgBox(Case.Msg_Text);
      return;
    }
    if (const auto index = rec.Number("Index")) lastIndex = std::max(lastIndex, txt::RoundHalfEven(*index));
  }
  vzdb::Record row;
  row.Set("Formula", formula);
  row.Set("Name", name);
  row.Set("Index", txt::Plain(lastIndex + 1));
  row.Set("Equation Type", "1");
  row.Set("An", txt::Plain(A));
  row.Set("Bn", txt::Plain(B));
  row.Set("Cn", txt::Plain(C));
  row.Set("Date_Create", Today());
  const vzdb::DbStatus added = db.Add_Row(antoineTable, row);
  if (!added.Ok()) return failed(added);
  Case.Msg_Text = en ? "Antoine's parameters of '" + name + "' saved." : "'" + name + "' のAntoine定数を保存しました。";
  ui::MsgBox(Case.Msg_Text);
}

void frmAntoineVaporPress::cmdAbout_Click() {
  Hide_DB_Buttons();
  if (ui::Form* about = ui::Forms::LoadByName("frmAbout")) about->ShowModal();
}

void frmAntoineVaporPress::cmdExit_Click() {
  ui::Forms::Unload(this);
  ui::ReturnToMenu();
}
