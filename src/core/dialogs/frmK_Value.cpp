#include "core/dialogs/frmK_Value.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

#include "core/dialogs/DialogCommon.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QLanguage.h"

namespace {

constexpr const char* kTitleJa = "気液平衡推算法";
constexpr const char* kTitleEn = "Vapor-Liquid Equibrium";
constexpr int kModels = 5;
constexpr int kAntoineCols = 8;

enum Matrix { kNone = 0, kWilson = 1, kNrtl = 2, kKij = 3 };

CompMatrix& Stored(int matrix) {
  switch (matrix) {
    case kWilson: return Case.Wilson_Lambda;
    case kNrtl: return Case.NRTL_Tau;
    default: return Case.EOS_Kij;
  }
}

int CaseNC() { return std::clamp<int>(Case.NC, 0, kMaxComp); }

void CopyMatrix(CompMatrix& to, const CompMatrix& from) { std::copy(&from[0][0], &from[0][0] + (kMaxComp + 1) * (kMaxComp + 1), &to[0][0]); }
void CopyVec(CompVec& to, const CompVec& from) { std::copy(std::begin(from), std::end(from), std::begin(to)); }

}  // namespace

frmK_Value::frmK_Value() : ui::Form("frmK_Value") {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout();
  lblK_Value = ui::NewLabel(this, "lblK_Value");
  cboK_Value = ui::NewComboBox(this, "cboK_Value");
  cboK_Value->setMinimumWidth(220);
  top->addWidget(lblK_Value);
  top->addWidget(cboK_Value);
  top->addStretch();
  layout->addLayout(top);

  auto* antoineHead = new QHBoxLayout();
  lblAntoine = ui::NewLabel(this, "lblAntoine");
  lblAntoineEquation = ui::NewLabel(this, "lblAntoineEquation", "Log(P)=A-B/(t+C)   P:mmHg  t:℃");
  cmdDBAntoine = ui::NewButton(this, "cmdDBAntoine");
  antoineHead->addWidget(lblAntoine);
  antoineHead->addSpacing(20);
  antoineHead->addWidget(lblAntoineEquation);
  antoineHead->addStretch();
  antoineHead->addWidget(cmdDBAntoine);
  layout->addLayout(antoineHead);
  vaSpreadAntoine = new ui::SpreadGrid("vaSpreadAntoine", this);
  vaSpreadAntoine->SetMaxCols(kAntoineCols);
  vaSpreadAntoine->SetMaxRows(kMaxComp);
  const char* heads[kAntoineCols + 1] = {"", "成分名", "Ａ", "Ｂ", "Ｃ", "Tc", "Pc", "Vc", "ω"};
  for (int c = 1; c <= kAntoineCols; ++c) {
    vaSpreadAntoine->SetText(c, 0, heads[c]);
    vaSpreadAntoine->SetColWidth(c, c == 1 ? 16 : 10);
  }
  // The equation of state takes the critical pressure in bar, as the database holds it.
  vaSpreadAntoine->SetColToolTip(5, "Tc (K)");
  vaSpreadAntoine->SetColToolTip(6, "Pc (bar)");
  vaSpreadAntoine->setMinimumSize(760, 200);
  layout->addWidget(vaSpreadAntoine);

  fraWison = ui::NewFrame(this, "fraWison");
  auto* fg = new QGridLayout(fraWison);
  lblWilson = ui::NewLabel(fraWison, "lblWilson");
  lblNRTLAlpha = ui::NewLabel(fraWison, "lblNRTLAlpha", "Alpha=");
  txtNRTLAlpha = ui::NewTextBox(fraWison, "txtNRTLAlpha");
  txtNRTLAlpha->setMaximumWidth(100);
  cmdDBWilson = ui::NewButton(fraWison, "cmdDBWilson");
  fg->addWidget(lblWilson, 0, 0);
  fg->addWidget(lblNRTLAlpha, 0, 1, Qt::AlignRight);
  fg->addWidget(txtNRTLAlpha, 0, 2);
  fg->addWidget(cmdDBWilson, 0, 3);
  vaSpreadWilson = new ui::SpreadGrid("vaSpreadWilson", fraWison);
  Size_Matrix_Grid(kMaxComp);
  vaSpreadWilson->setMinimumSize(760, 200);
  fg->addWidget(vaSpreadWilson, 1, 0, 1, 4);
  layout->addWidget(fraWison);

  auto* buttons = new QHBoxLayout();
  cmdCancel = ui::NewButton(this, "cmdCancel");
  cmdOK = ui::NewButton(this, "cmdOK");
  buttons->addStretch();
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdOK);
  layout->addLayout(buttons);

  connect(cboK_Value, &QComboBox::currentIndexChanged, this, [this](int i) { cboK_Value_Click(i); });
  connect(txtNRTLAlpha, &QLineEdit::textChanged, this, [this] { txtNRTLAlpha_Change(); });
  vaSpreadAntoine->onClick = [this](int col, int row) { vaSpreadAntoine_Click(col, row); };
  vaSpreadWilson->onClick = [this](int col, int row) { vaSpreadWilson_Click(col, row); };
  vaSpreadWilson->onChange = [this](int, int) { matrixEdited_ = true; };
  connect(cmdDBAntoine, &QPushButton::clicked, this, [this] { cmdDBAntoine_Click(); });
  connect(cmdDBWilson, &QPushButton::clicked, this, [this] { cmdDBWilson_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  cmdDBAntoine->setVisible(false);
  cmdDBWilson->setVisible(false);
  fraWison->setVisible(false);
}

frmK_Value::~frmK_Value() = default;

int frmK_Value::MatrixOf(int position) {
  switch (position) {
    case 1: return kWilson;
    case 2: return kNrtl;
    case 3:
    case 4: return kKij;
    default: return kNone;
  }
}

void frmK_Value::Form_Load() {
  captionLanguage_ = Case.Language;
  dlg::Set_Dialog_Caption(*this, kTitleJa, kTitleEn);
  lblK_Value->setText(QInLanguage(kTitleJa, kTitleEn));
  lblAntoine->setText(QInLanguage("Ａｎｔｏｉｎｅ定数", "Antoine Constants"));
  cmdDBAntoine->setText(QInLanguage("Antoine定数検索(&S)", "Querry Antoine(&S)"));
  cmdCancel->setText(QInLanguage("取消(&C)", "Cancel(&C)"));
  cmdOK->setText(QInLanguage("ＯＫ(&O)", "OK (&O)"));
  QSignalBlocker block(cboK_Value);
  cboK_Value->clear();
  cboK_Value->addItem(QInLanguage("1.理想系(Antoine)", "1.Ideal(Antoine)"));
  for (const char* e : {"2.Antoine+Wilson", "3.Antoine+N.R.T.L", "4.S-R-K", "5.P-R"}) cboK_Value->addItem(e);
  // A freshly filled list has no entry chosen until the program or the user picks one.
  cboK_Value->setCurrentIndex(-1);
}

void frmK_Value::Follow_Language() {
  if (captionLanguage_ == Case.Language) return;
  const int position = cboK_Value->currentIndex();
  Form_Load();
  QSignalBlocker block(cboK_Value);
  cboK_Value->setCurrentIndex(position);
}

void frmK_Value::Form_Activate() {
  Follow_Language();
  dlg::Set_Dialog_Caption(*this, kTitleJa, kTitleEn);
  // Back from a lookup the dialog is still on screen: the lookup wrote its values
  // into the grids itself, and refilling them from the case would throw away what
  // the user typed and has not confirmed yet.
  if (isVisible()) return;
  before_ = std::make_unique<CaseData>(Case);
  for (auto& p : parked_) p.clear();
  matrixEdited_ = false;
  Fill_Antoine_Grid();
  Select_Position(Case.K_Method - 1);
}

void frmK_Value::Form_Unload() {
  if (ui::Caller_Grid == vaSpreadAntoine) ui::Caller_Grid = nullptr;
}

void frmK_Value::Fill_Antoine_Grid() {
  const int nc = CaseNC();
  vaSpreadAntoine->SetMaxRows(nc);
  for (int i = 1; i <= nc; ++i) {
    vaSpreadAntoine->SetText(1, i, Case.Comp_Name[i]);
    const double values[] = {Case.Antoine_A[i], Case.Antoine_B[i], Case.Antoine_C[i], Case.Comp_Tc[i],
                             Case.Comp_Pc[i],   Case.Comp_Vc[i],   Case.Comp_Omega[i]};
    for (int c = 2; c <= kAntoineCols; ++c) vaSpreadAntoine->SetValue(c, i, values[c - 2]);
  }
}

void frmK_Value::Select_Position(int position) {
  if (position < 0 || position >= cboK_Value->count()) position = -1;
  {
    QSignalBlocker block(cboK_Value);
    cboK_Value->setCurrentIndex(position);
  }
  cboK_Value_Click(position);
}

std::string frmK_Value::Select_Stored_Model() {
  Follow_Language();
  Select_Position(Case.K_Method - 1);
  return ui::S(cboK_Value->currentText());
}

void frmK_Value::Park_Matrix_Edits() {
  const int m = MatrixOf(shownPosition_);
  if (!matrixEdited_ || m == kNone) return;
  const int nc = CaseNC();
  auto& cells = parked_[static_cast<std::size_t>(m)];
  cells.assign(static_cast<std::size_t>(nc) + 1, std::vector<std::string>(static_cast<std::size_t>(nc) + 1));
  for (int i = 1; i <= nc; ++i)
    for (int j = 1; j <= nc; ++j) cells[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = vaSpreadWilson->Text(j, i);
  matrixEdited_ = false;
}

void frmK_Value::Size_Matrix_Grid(int n) {
  vaSpreadWilson->SetMaxRows(n);
  vaSpreadWilson->SetMaxCols(n);
  // Columns are numbered by component; a grid that grows again gets its numbers back.
  for (int c = 1; c <= n; ++c) {
    vaSpreadWilson->SetText(c, 0, std::to_string(c));
    vaSpreadWilson->SetColWidth(c, 8);
  }
}

void frmK_Value::Fill_Matrix(int matrix) {
  const int nc = CaseNC();
  const auto& cells = parked_[static_cast<std::size_t>(matrix)];
  const CompMatrix& stored = Stored(matrix);
  for (int i = 1; i <= nc; ++i)
    for (int j = 1; j <= nc; ++j) {
      if (!cells.empty()) vaSpreadWilson->SetText(j, i, cells[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]);
      else vaSpreadWilson->SetValue(j, i, stored[i][j]);
    }
  // What was parked is back on screen; it is parked again if edited once more.
  matrixEdited_ = !cells.empty();
}

void frmK_Value::Show_Matrix_Part(int position) {
  const int m = MatrixOf(position);
  if (m == kNone) {
    fraWison->setVisible(false);
    return;
  }
  static const char* const kLabel[4][2] = {
      {"", ""}, {"Wilsonﾊﾟﾗﾒｰﾀ(Λij)", "Wilson Para(Λij)"}, {"N.R.T.Lﾊﾟﾗﾒｰﾀ(τij)", "N.R.T.L Para(τij)"}, {"Kijﾊﾟﾗﾒｰﾀ", "Kij Para"}};
  static const char* const kButton[4][2] = {
      {"", ""}, {"Wilson定数検索(&W)", "Querry Wilson(&W)"}, {"NRTL定数検索(&N)", "Querry NRTL(&N)"}, {"Kij 定数検索(&N)", "Querry Kij(&N)"}};
  lblWilson->setText(QInLanguage(kLabel[m][0], kLabel[m][1]));
  cmdDBWilson->setText(QInLanguage(kButton[m][0], kButton[m][1]));
  lblNRTLAlpha->setVisible(m == kNrtl);
  txtNRTLAlpha->setVisible(m == kNrtl);
  fraWison->setVisible(true);
  // Exactly the case's components: a cell beyond them would take input that OK
  // never stores.
  Size_Matrix_Grid(CaseNC());
  Fill_Matrix(m);
  if (m == kNrtl) txtNRTLAlpha->setText(ui::Q(txt::Plain(Case.NRTL_Alpha)));
}

void frmK_Value::cboK_Value_Click(int position) {
  cmdDBAntoine->setVisible(false);
  cmdDBWilson->setVisible(false);
  // Matrix cells typed under the model being left are kept for a return to it.
  Park_Matrix_Edits();
  Show_Matrix_Part(position);
  shownPosition_ = position;
  // The first entry waits for OK; the others take effect at once, which the
  // lookups rely on (Cancel puts the code back).
  if (position >= 1 && position < kModels) Case.K_Method = position + 1;
}

void frmK_Value::txtNRTLAlpha_Change() {
  // The NRTL lookup searches with the case's alpha, so it follows the box at
  // once, as long as the box holds a number.
  if (const auto alpha = txt::ParseNumber(ui::S(txtNRTLAlpha->text()))) Case.NRTL_Alpha = *alpha;
}

void frmK_Value::vaSpreadAntoine_Click(int, int) {
  cmdDBAntoine->setVisible(true);
  cmdDBWilson->setVisible(false);
}

void frmK_Value::vaSpreadWilson_Click(int, int) {
  cmdDBAntoine->setVisible(false);
  cmdDBWilson->setVisible(true);
}

void frmK_Value::cmdDBAntoine_Click() {
  cmdDBAntoine->setVisible(false);
  ui::Caller_Grid = vaSpreadAntoine;
  if (ui::Form* lookup = ui::Forms::LoadByName("frmDBAntoine")) lookup->ShowModal();
}

void frmK_Value::cmdDBWilson_Click() {
  cmdDBWilson->setVisible(false);
  const char* name = nullptr;
  switch (cboK_Value->currentIndex()) {
    case 1: name = "frmDBWilson"; break;
    case 2: name = "frmDBNRTL"; break;
    case 3:
    case 4: name = "frmDBKij"; break;
    default: return;
  }
  if (ui::Form* lookup = ui::Forms::LoadByName(QString::fromLatin1(name))) lookup->ShowModal();
}

void frmK_Value::cmdOK_Click() {
  const int position = cboK_Value->currentIndex();
  const int nc = CaseNC();
  // Every cell is read before anything is stored: a cell that is not wholly a
  // number is refused by name and the dialog stays open (an empty one is a
  // constant not entered, 0).
  double antoine[kMaxComp + 1][kAntoineCols + 1] = {};
  for (int i = 1; i <= nc; ++i)
    for (int c = 2; c <= kAntoineCols; ++c)
      if (!dlg::Read_Cell(*vaSpreadAntoine, c, i, vaSpreadAntoine->Text(1, i), antoine[i][c])) return;
  const int m = MatrixOf(position);
  CompMatrix matrix{};
  double alpha = Case.NRTL_Alpha;
  if (m != kNone) {
    const std::string name = dlg::Field_Name(lblWilson->text());
    for (int i = 1; i <= nc; ++i)
      for (int j = 1; j <= nc; ++j)
        if (!dlg::Read_Cell(*vaSpreadWilson, j, i, name + " " + txt::Plain(i) + ",", matrix[i][j])) return;
    if (m == kNrtl && !dlg::Read_Number(txtNRTLAlpha->text(), name + " " + dlg::Field_Name(lblNRTLAlpha->text()),
                                        alpha))
      return;
  }
  Case.K_Method = position + 1;
  dlg::Write_Main_Label("lblMainKValue", "lblKValue", "lblK_Value", ui::S(cboK_Value->currentText()));
  for (int i = 1; i <= nc; ++i) {
    double* targets[] = {&Case.Antoine_A[i], &Case.Antoine_B[i], &Case.Antoine_C[i], &Case.Comp_Tc[i],
                         &Case.Comp_Pc[i],   &Case.Comp_Vc[i],   &Case.Comp_Omega[i]};
    for (int c = 2; c <= kAntoineCols; ++c) *targets[c - 2] = antoine[i][c];
  }
  if (m != kNone) {
    CompMatrix& target = Stored(m);
    for (int i = 1; i <= nc; ++i)
      for (int j = 1; j <= nc; ++j) target[i][j] = matrix[i][j];
    if (m == kNrtl) Case.NRTL_Alpha = alpha;
  }
  before_.reset();
  ui::Forms::Unload(this);
}

void frmK_Value::Restore_Case() {
  if (!before_) return;
  const CaseData& b = *before_;
  Case.K_Method = b.K_Method;
  Case.NRTL_Alpha = b.NRTL_Alpha;
  CopyVec(Case.Antoine_A, b.Antoine_A);
  CopyVec(Case.Antoine_B, b.Antoine_B);
  CopyVec(Case.Antoine_C, b.Antoine_C);
  CopyMatrix(Case.Wilson_Lambda, b.Wilson_Lambda);
  CopyMatrix(Case.NRTL_Tau, b.NRTL_Tau);
  CopyMatrix(Case.EOS_Kij, b.EOS_Kij);
  before_.reset();
}

void frmK_Value::cmdCancel_Click() {
  // Cancel stores nothing: the model code and alpha changed at once, and what the
  // lookups wrote into the case, go back to what they were when the dialog opened.
  Restore_Case();
  ui::Forms::Unload(this);
}

void frmK_Value::Form_KeyDown(int& keyCode, int) {
  if (keyCode != ui::vbKeyEscape) return;
  keyCode = 0;
  cmdCancel_Click();
}

std::string Select_K_Value_Entry() { return ui::Forms::Get<frmK_Value>().Select_Stored_Model(); }

// Other windows open it by name without linking to this library.
VZ_FORM_FACTORY(frmK_Value);
