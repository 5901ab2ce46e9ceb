#include "vle/unifac_ui/frmUNIFAC.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMetaObject>

#include <algorithm>

#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Programs.h"
#include "platform/ui/Services.h"
#include "vle/unifac/UnifacParFile.h"
#include "vle/unifac_ui/frmUNIFACReference.h"
#include "vle/unifac_ui/frmUNIFAC_DispPara.h"
#include "vle/unifac_ui/frmUNIFAC_VLE.h"

VZ_PROGRAM_WINDOW(5, frmUNIFAC, 1);
VZ_FORM_FACTORY(frmUNIFAC);

using ui::Q;

namespace {

constexpr int kBlockRows = 22;
constexpr int kBlockCols = 5;
constexpr int kBlocks = 4;

struct CaptionText {
  const char* control;
  const char* ja;
  const char* en;
};

const CaptionText kCaptions[] = {
    {"lblAntoine", "Antoine定数  Log(P)=A- B/(t + C) :mmHg", "Antoine's Para.  Log(P)=A- B/(t + C) :mmHg"},
    {"cmdDBAntoine", "Antoine定数検索(&Q)", "Querry Antoine's Para.(&Q)"},
    {"lblPress", "圧力", "Press"},
    {"lblPressUnit", "mmHg", "mmHg"},
    {"lblTemp", "温度初期値", "Init Temp"},
    {"lblTempUnit", "℃", "Deg C"},
    {"cmdReference", "出典(&R)", "Reference(&R)"},
    {"cmdDispPara", "相互作用ﾊﾟﾗﾒｰﾀ表示(&P)", "Interraction Para.(&P)"},
    {"cmdVersion", "ﾊﾞｰｼﾞｮﾝ情報(&A)", "Version(&A)"},
    {"cmdExample1", "例題1(&1)", "Example1(&1)"},
    {"cmdExample2", "例題2(&2)", "Example2(&2)"},
    {"cmdCalc", "気液平衡推算(&G)", "Estimate VLE(&G)"},
    {"cmdExit", "戻る(&X)", "Exit (&X)"},
};

QPushButton* Button(QWidget* parent, const char* name, double left, double top, double width) {
  QPushButton* b = ui::NewButton(parent, name);
  ui::Place(b, left, top, width, 420);
  return b;
}

}  // namespace

frmUNIFAC::frmUNIFAC() : ui::Form("frmUNIFAC") {
  lblAntoine = ui::NewLabel(this, "lblAntoine", "Antoine定数  Log(P)=A- B/(t + C) :mmHg");
  ui::Place(lblAntoine, 120, 90, 7000, 300);
  vaSpreadAntoine = new ui::SpreadGrid("vaSpreadAntoine", this);
  vaSpreadAntoine->SetMaxCols(4);
  vaSpreadAntoine->SetMaxRows(unifac::kNComp);
  vaSpreadAntoine->SetText(1, 0, "成分名");
  vaSpreadAntoine->SetText(2, 0, "Ａ");
  vaSpreadAntoine->SetText(3, 0, "Ｂ");
  vaSpreadAntoine->SetText(4, 0, "Ｃ");
  vaSpreadAntoine->SetColWidth(1, 22);
  for (int c = 2; c <= 4; ++c) vaSpreadAntoine->SetColWidth(c, 15);
  ui::Place(vaSpreadAntoine, 120, 420, 7400, 1200);
  vaSpreadAntoine->onClick = [this](int col, int row) { vaSpreadAntoine_Click(col, row); };

  cmdDBAntoine = Button(this, "cmdDBAntoine", 7680, 420, 2600);
  cmdDBAntoine->setVisible(false);  // shown after a click into the Antoine grid

  lblPress = ui::NewLabel(this, "lblPress", "圧力");
  ui::Place(lblPress, 7680, 960, 1100, 300);
  txtPress = ui::NewTextBox(this, "txtPress");
  ui::Place(txtPress, 8800, 930, 1000, 330);
  lblPressUnit = ui::NewLabel(this, "lblPressUnit", "mmHg");
  ui::Place(lblPressUnit, 9880, 960, 700, 300);
  lblTemp = ui::NewLabel(this, "lblTemp", "温度初期値");
  ui::Place(lblTemp, 7680, 1380, 1100, 300);
  txtTemp = ui::NewTextBox(this, "txtTemp");
  ui::Place(txtTemp, 8800, 1350, 1000, 330);
  lblTempUnit = ui::NewLabel(this, "lblTempUnit", "℃");
  ui::Place(lblTempUnit, 9880, 1380, 700, 300);
  for (QLineEdit* t : {txtPress, txtTemp}) {
    t->setAlignment(Qt::AlignRight);
    t->installEventFilter(this);
  }

  fraPara = ui::NewFrame(this, "fraPara", "UNIFAC Parameter");
  ui::Place(fraPara, 10800, 300, 4200, 1200);
  lblNam = ui::NewLabel(fraPara, "lblNam");
  ui::Place(lblNam, 150, 300, 3900, 300);
  auto* lblR = ui::NewLabel(fraPara, "lblR", "R=");
  ui::Place(lblR, 150, 720, 400, 300);
  lblParaR = ui::NewLabel(fraPara, "lblParaR");
  ui::Place(lblParaR, 550, 720, 1400, 300);
  auto* lblQ = ui::NewLabel(fraPara, "lblQ", "Q=");
  ui::Place(lblQ, 2100, 720, 400, 300);
  lblParaQ = ui::NewLabel(fraPara, "lblParaQ");
  ui::Place(lblParaQ, 2500, 720, 1400, 300);
  fraPara->setVisible(false);

  vaSpread2 = new ui::SpreadGrid("vaSpread2", this);
  vaSpread2->SetMaxCols(kBlocks * kBlockCols);
  vaSpread2->SetMaxRows(kBlockRows);
  const char* heads[kBlockCols] = {"No", "G", "Group", "x1", "x2"};
  for (int b = 0; b < kBlocks; ++b) {
    for (int j = 0; j < kBlockCols; ++j) {
      const int col = b * kBlockCols + j + 1;
      vaSpread2->SetText(col, 0, heads[j]);
      vaSpread2->SetColWidth(col, j == 2 ? 12 : (j < 2 ? 3.5 : 3.6));
    }
    // Only the two count columns take typing.
    vaSpread2->SetLocked(b * kBlockCols + 1, 1, b * kBlockCols + 3, kBlockRows);
  }
  vaSpread2->SetRowHeadersVisible(false);
  vaSpread2->setWordWrap(false);
  ui::Place(vaSpread2, 120, 1800, 15000, 7000);
  vaSpread2->onClick = [this](int col, int row) { vaSpread2_Click(col, row); };

  const double y = 8880;
  cmdCalc = Button(this, "cmdCalc", 120, y, 2300);
  cmdExample1 = Button(this, "cmdExample1", 2520, y, 1700);
  cmdExample1->setToolTip("Methanol - Water の例題データ");
  cmdExample2 = Button(this, "cmdExample2", 4320, y, 1700);
  cmdExample2->setToolTip("Benzene - Methanol の例題データ");
  cmdDispPara = Button(this, "cmdDispPara", 6120, y, 2600);
  cmdReference = Button(this, "cmdReference", 8820, y, 1800);
  cmdVersion = Button(this, "cmdVersion", 10720, y, 2000);
  cmdExit = Button(this, "cmdExit", 13200, y, 1920);

  connect(cmdDBAntoine, &QPushButton::clicked, this, [this] { cmdDBAntoine_Click(); });
  connect(cmdCalc, &QPushButton::clicked, this, [this] { cmdCalc_Click(); });
  connect(cmdExample1, &QPushButton::clicked, this, [this] { cmdExample1_Click(); });
  connect(cmdExample2, &QPushButton::clicked, this, [this] { cmdExample2_Click(); });
  connect(cmdDispPara, &QPushButton::clicked, this, [this] { cmdDispPara_Click(); });
  connect(cmdReference, &QPushButton::clicked, this, [this] { cmdReference_Click(); });
  connect(cmdVersion, &QPushButton::clicked, this, [this] { cmdVersion_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });

  setFixedSize(ui::Px(15240), ui::Px(kUnifacMainHeight));
}

void frmUNIFAC::Form_Activate() {
  if (captionLanguage_ != Case.Language) Set_Captions();
}

void frmUNIFAC::Set_Captions() {
  captionLanguage_ = Case.Language;
  const int lang = Case.Language;
  if (lang != 0 && lang != 1) return;
  const bool en = lang == 1;
  SetCaption(en ? "V-L Equibrium by Group Contribution Method (UNIFAC)"
                : "グループ寄与法による気液平衡推算（ＵＮＩＦＡＣ）");
  Case.Prog_Title = en ? "UNIFAC" : "ＵＮＩＦＡＣ";
  for (const CaptionText& c : kCaptions) ui::SetControlText(this, c.control, en ? c.en : c.ja);
  vaSpreadAntoine->SetText(1, 0, en ? "Name" : "成分名");
}

void frmUNIFAC::Form_Load() {
  // The UNIFAC library reports its refusals through the message sink.
  previousHandler_ = Set_Calc_Message_Handler([](const std::string& text) { ui::MsgBox(text); });
  handlerInstalled_ = true;
  Set_Captions();
  unifac::ParReadStatus status;
  {
    CalcMessageScope scope;
    status = unifac::Load_UNIFAC_Par(ui::CurrentDesktop().applicationFolder(), Unifac);
  }
  // Without a group file the application cannot offer UNIFAC at all; a file
  // that is there but refused (its message names the line) closes this program
  // only, once the menu has finished opening it, so the user can mend the file
  // and open UNIFAC again.
  if (status == unifac::ParReadStatus::Missing) {
    ui::EndApplication();
    return;
  }
  if (status != unifac::ParReadStatus::Ok) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (ui::Forms::Unload(this)) ui::ReturnToMenu();
        },
        Qt::QueuedConnection);
    return;
  }
  Fill_Subgroup_Grid();
  txtPress->setText("760");
  txtTemp->setText("60");
}

void frmUNIFAC::Form_Unload() {
  if (handlerInstalled_) Set_Calc_Message_Handler(std::move(previousHandler_));
  handlerInstalled_ = false;
  if (ui::Caller_Grid == vaSpreadAntoine) ui::Caller_Grid = nullptr;
}

int frmUNIFAC::Count_Row(int k) { return (k - 1) % kBlockRows + 1; }
int frmUNIFAC::Count_Col(int k, int comp) {
  return (k - 1) / kBlockRows * kBlockCols + 3 + comp;
}

void frmUNIFAC::Fill_Subgroup_Grid() {
  const int shown = std::min<int>(Unifac.UNIFAC_NSub, unifac::kGridSub);
  for (int k = 1; k <= unifac::kGridSub; ++k) {
    const int row = Count_Row(k);
    const int col = (k - 1) / kBlockRows * kBlockCols + 1;
    if (k <= shown) {
      vaSpread2->SetText(col, row, txt::Plain(k));
      vaSpread2->SetText(col + 1, row, txt::Plain(static_cast<int>(Unifac.UNIFAC_Main_Of[k])));
      vaSpread2->SetText(col + 2, row, Unifac.UNIFAC_Sub_Name[k]);
    } else {
      // No subgroup here: nothing to count either.
      vaSpread2->ClearRange(col, row, col + 4, row);
      vaSpread2->SetLocked(col, row, col + 4, row);
    }
  }
  // The name columns take the widest name of the file ("HCON(CH2)2" was cut).
  const QFontMetrics fm = vaSpread2->fontMetrics();
  int widest = 0;
  for (int k = 1; k <= shown; ++k) widest = std::max(widest, fm.horizontalAdvance(Q(Unifac.UNIFAC_Sub_Name[k])));
  for (int b = 0; b < kBlocks; ++b) {
    const int column = b * kBlockCols + 2;  // 0-based index of the block's "Group" column
    vaSpread2->setColumnWidth(column, std::max(vaSpread2->columnWidth(column), widest + 12));
  }
}

void frmUNIFAC::Hide_Lookup_And_Para() {
  cmdDBAntoine->setVisible(false);
  fraPara->setVisible(false);
}

void frmUNIFAC::vaSpreadAntoine_Click(int, int) {
  cmdDBAntoine->setVisible(true);
  fraPara->setVisible(false);
}

void frmUNIFAC::txtPress_Click() { Hide_Lookup_And_Para(); }
void frmUNIFAC::txtTemp_Click() { Hide_Lookup_And_Para(); }

bool frmUNIFAC::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    if (watched == txtPress) txtPress_Click();
    else if (watched == txtTemp) txtTemp_Click();
  }
  return ui::Form::eventFilter(watched, event);
}

void frmUNIFAC::vaSpread2_Click(int col, int row) {
  cmdDBAntoine->setVisible(false);
  const int block = (col - 1) / kBlockCols + 1;
  const bool descriptive = col >= 1 && (col - 1) % kBlockCols < 3;
  const int k = row + kBlockRows * (block - 1);
  if (!descriptive || row < 1 || row > kBlockRows || k > std::min<int>(Unifac.UNIFAC_NSub, unifac::kGridSub)) {
    fraPara->setVisible(false);
    return;
  }
  lblNam->setText(Q(Unifac.UNIFAC_Sub_Name[k] + " "));
  lblParaR->setText(Q(txt::Signed(Unifac.UNIFAC_R[k])));
  lblParaQ->setText(Q(txt::Signed(Unifac.UNIFAC_Q[k])));
  fraPara->setVisible(true);
}

void frmUNIFAC::cmdDBAntoine_Click() {
  Hide_Lookup_And_Para();
  ui::Caller_Grid = vaSpreadAntoine;
  if (ui::Form* lookup = ui::Forms::LoadByName("frmDBAntoine")) lookup->ShowModal();
}

unifac::UnifacEntry frmUNIFAC::Read_Entry() const {
  unifac::UnifacEntry e;
  for (int i = 1; i <= unifac::kNComp; ++i) {
    e.Name[i] = vaSpreadAntoine->Text(1, i);
    for (int j = 1; j <= 3; ++j) e.Antoine[i][j] = vaSpreadAntoine->Text(j + 1, i);
  }
  e.Press = ui::S(txtPress->text());
  e.Temp = ui::S(txtTemp->text());
  for (int k = 1; k <= unifac::kGridSub; ++k)
    for (int i = 1; i <= unifac::kNComp; ++i) e.Count[i][k] = vaSpread2->Text(Count_Col(k, i), Count_Row(k));
  return e;
}

void frmUNIFAC::Write_Entry(const unifac::UnifacEntry& e) {
  for (int i = 1; i <= unifac::kNComp; ++i) {
    vaSpreadAntoine->SetText(1, i, e.Name[i]);
    for (int j = 1; j <= 3; ++j) vaSpreadAntoine->SetText(j + 1, i, e.Antoine[i][j]);
  }
  txtPress->setText(Q(e.Press));
  txtTemp->setText(Q(e.Temp));
  const int shown = std::min<int>(Unifac.UNIFAC_NSub, unifac::kGridSub);
  for (int k = 1; k <= shown; ++k)
    for (int i = 1; i <= unifac::kNComp; ++i) vaSpread2->SetText(Count_Col(k, i), Count_Row(k), e.Count[i][k]);
}

void frmUNIFAC::Clear_Group_Count() {
  const int shown = std::min<int>(Unifac.UNIFAC_NSub, unifac::kGridSub);
  for (int k = 1; k <= shown; ++k)
    for (int i = 1; i <= unifac::kNComp; ++i) vaSpread2->SetText(Count_Col(k, i), Count_Row(k), "");
}

void frmUNIFAC::cmdCalc_Click() {
  Hide_Lookup_And_Para();
  bool ready = false;
  {
    CalcMessageScope scope;
    ready = unifac::Estimate_Start(Read_Entry(), Unifac);
  }
  if (!ready) return;
  // A fresh result window each time: its load computes the curve.
  ui::Forms::Unload<frmUNIFAC_VLE>();
  ui::Forms::Get<frmUNIFAC_VLE>().ShowModal();
}

void frmUNIFAC::cmdExample1_Click() {
  Clear_Group_Count();
  unifac::UnifacEntry e = Read_Entry();
  unifac::Apply_Example(e, 1);
  Write_Entry(e);
  Hide_Lookup_And_Para();
}

void frmUNIFAC::cmdExample2_Click() {
  Clear_Group_Count();
  unifac::UnifacEntry e = Read_Entry();
  unifac::Apply_Example(e, 2);
  Write_Entry(e);
  Hide_Lookup_And_Para();
}

void frmUNIFAC::cmdDispPara_Click() {
  Hide_Lookup_And_Para();
  ui::Forms::Unload<frmUNIFAC_DispPara>();
  ui::Forms::Get<frmUNIFAC_DispPara>().ShowModal();
}

void frmUNIFAC::cmdReference_Click() {
  ui::Forms::Unload<frmUNIFACReference>();
  ui::Forms::Get<frmUNIFACReference>().ShowModal();
}

void frmUNIFAC::cmdVersion_Click() {
  if (ui::Form* about = ui::Forms::LoadByName("frmAbout")) about->ShowModal();
}

void frmUNIFAC::cmdExit_Click() {
  ui::Forms::Unload<frmUNIFAC_VLE>();
  ui::Forms::Unload(this);
  ui::ReturnToMenu();
}
