#include "core/app/frmMenu.h"

#include <algorithm>
#include <filesystem>

#include <QFontMetrics>
#include <QGridLayout>
#include <QVBoxLayout>

#include "core/app/ProgramPlaceholders.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/SeqFile.h"
#include "platform/ui/DialogLanguage.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Programs.h"
#include "platform/ui/Services.h"

const char* const kSuiteTitleJa = "蒸留・気液平衡計算システム";
const char* const kSuiteTitleEn = "Distillation and Vapour-Liquid Equilibrium Suite";

const ProgramButton kProgramButtons[9] = {
    {"cmdDistillation", "逐次段蒸留計算 (&1)", "Step by Step Distillation (&1)",
     "ShortCut蒸留計算及び逐次段蒸留計算"},
    {"cmdBatchDistillation", "バッチ蒸留計算 (&2)", "Batch Distillation (&2)", "バッチ（回分）蒸留計算"},
    {"cmdFlashCalculation", "フラッシュ計算 (&3)", "Flash Calculation (&3)", "沸点・露点及びフラッシュ計算"},
    {"cmdVaporPress", "Ａｎｔｏｉｎｅ定数推算(&4)", "Antoine's Constants Estimation (&4)",
     "Antoine定数推算及び蒸気圧表示"},
    {"cmdVLE_Estimation", "Wilson/N.R.T.L.定数推算(&5)", "Wilson/NRTL Parameter Estimation (&5)",
     "Wilson/NRTL定数推算及び気液平衡グラフ表示"},
    {"cmdUNIFAC", "Ｕ Ｎ Ｉ Ｆ Ａ Ｃ (&6)", "U N I F A C (&6)",
     "グループ寄与法（ＵＮＩＦＡＣ）による気液平衡推算、グラフ表示"},
    {"cmdPhycalProperty", "純物質の物性定数推算(&7)", "Physical Property Estimation (&7)",
     "純物質の分子構造から物性定数を推算します。"},
    {"cmdDBMentenance", "物性定数データベース(&8)", "Physical Property Database (&8)",
     "物性定数データベース（臨界定数、Antoine定数など）の検索、追加、編集、削除をします。"},
    {"cmdDBMentenance2", "２成分パラメータデータベース(&9)", "Interraction Parameter (&9)",
     "２成分パラメータ(Wilson/NRTL/SRK･PRﾊﾟﾗﾒｰﾀ)の検索、追加、編集、削除をします。"},
};

namespace {
const char* const kExitJa = "終  了 (&X)";
const char* const kExitEn = "E x i t (&X)";
const char* const kDataDirJa = "データフォルダ変更(&D)";
const char* const kDataDirEn = "Change Data Directory(&D)";
}  // namespace

frmMenu::frmMenu() : ui::Form("frmMenu") {
  Register_Program_Placeholders();
  // The design captions are the Japanese set.
  setWindowTitle(ui::Q(kSuiteTitleJa));
  auto* layout = new QVBoxLayout(this);
  lblTitle = ui::NewLabel(this, "lblTitle", std::string("【") + kSuiteTitleJa + "】");
  QFont titleFont = lblTitle->font();
  titleFont.setPointSize(titleFont.pointSize() + 5);
  titleFont.setBold(true);
  lblTitle->setFont(titleFont);
  lblTitle->setAlignment(Qt::AlignCenter);
  layout->addWidget(lblTitle);
  lblVersion = ui::NewLabel(this, "lblVersion");
  lblVersion->setAlignment(Qt::AlignRight);
  layout->addWidget(lblVersion);

  auto* grid = new QGridLayout();
  for (int i = 0; i < 9; ++i) {
    const auto& b = kProgramButtons[i];
    cmdProgram[i] = ui::NewButton(this, b.name, b.captionJa);
    cmdProgram[i]->setToolTip(ui::Q(b.tooltip));
    cmdProgram[i]->setMinimumHeight(34);
    connect(cmdProgram[i], &QPushButton::clicked, this, [this, i] { Program_Click(i); });
    grid->addWidget(cmdProgram[i], i < 7 ? i : i - 7, i < 7 ? 0 : 1);
  }
  fraLanguage = ui::NewFrame(this, "fraLanguage", "Language");
  auto* langLayout = new QVBoxLayout(fraLanguage);
  optLanguage.Create(fraLanguage, "optLanguage", 2);
  optLanguage[0]->setText("Japanease");
  optLanguage[1]->setText("English");
  optLanguage.SetValue(0);
  langLayout->addWidget(optLanguage[0]);
  langLayout->addWidget(optLanguage[1]);
  optLanguage.onClick = [this](int i) { optLanguage_Click(i); };
  grid->addWidget(fraLanguage, 2, 1, 3, 1);
  cmdExit = ui::NewButton(this, "cmdExit", kExitJa);
  cmdExit->setMinimumHeight(34);
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  grid->addWidget(cmdExit, 6, 1);
  layout->addLayout(grid);

  auto* dirRow = new QHBoxLayout();
  lblDataDir = ui::NewLabel(this, "lblDataDir");
  lblDataDir->setFrameShape(QFrame::Panel);
  lblDataDir->setFrameShadow(QFrame::Sunken);
  lblDataDir->setMinimumWidth(320);
  dirRow->addWidget(lblDataDir, 1);
  cmdDataDir = ui::NewButton(this, "cmdDataDir", kDataDirJa);
  cmdDataDir->setToolTip(ui::Q("Alt + Z で　｢ﾏｲﾄﾞｷｭﾒﾝﾄ｣ にします。 "));
  connect(cmdDataDir, &QPushButton::clicked, this, [this] { cmdDataDir_Click(); });
  dirRow->addWidget(cmdDataDir);
  cmdMyDocuments = ui::NewButton(this, "cmdMyDocuments", "My Documents(&Z)");
  connect(cmdMyDocuments, &QPushButton::clicked, this, [this] { cmdMyDocuments_Click(); });
  dirRow->addWidget(cmdMyDocuments);
  layout->addLayout(dirRow);
  resize(620, 420);
}

bool frmMenu::Check_OS_Version() {
  const ui::PlatformVersion v = ui::CurrentDesktop().platformVersion();
  // The Windows releases the program was made for, and the platform of this build.
  if (v.platformId == 1) return v.major == 4 && v.minor == 10;
  if (v.platformId == 2) return v.major == 5 && (v.minor == 0 || v.minor == 1);
  return v.platformId == ui::kThisPlatform;
}

void frmMenu::Form_Load() {
  if (!Check_OS_Version()) {
    startupRefused = true;
    ui::MsgBox("このアプリケーションは Windows98,Windows2000,WindowsXP 以外で使用することは出来ません", ui::vbOKOnly);
    ui::EndApplication();
    return;
  }
  if (ui::CurrentDesktop().anotherInstanceRunning()) {
    startupRefused = true;
    ui::MsgBox("このアプリケーションを複数起動することは出来ません。", ui::vbExclamation);
    ui::EndApplication();
    return;
  }
  // From here on a step that fails is skipped.
  Case.Data_Dir = ui::Settings().Get("Startup", "Path");
  if (Case.Data_Dir.empty()) Case.Data_Dir = ui::CurrentDesktop().documentsFolder();
  lblVersion->setText(kVersionText);
  Case.Language = 0;
  ui::Use_Standard_Dialog_Language(true);
  Show_Data_Dir();
  const std::string base = seqfile::JoinPath(ui::CurrentDesktop().applicationFolder(), "Vadezid$");
  Case.DB_Path = seqfile::FileExists(base + ".mdb") ? base + ".mdb" : base + ".mde";
  ui::SetMenuReturn([this] { Show(); });
}

void frmMenu::Form_QueryUnload(bool& cancel, ui::UnloadMode mode) {
  // The menu closes only through its exit button.
  cancel = mode == ui::UnloadMode::CloseBox;
}

void frmMenu::Program_Click(int programNo) {
  Case.Program_No = static_cast<int16_t>(programNo);
  if (programNo == 0 || programNo == 1) Case.Program_Mode = static_cast<int16_t>(programNo);
  const ui::ProgramWindow* w = ui::FindProgramWindow(programNo);
  if (!w) return;
  ui::Form* form = w->load();
  if (!form) return;
  form->Show();
  Hide();
}

void frmMenu::cmdExit_Click() { ui::EndApplication(); }

void frmMenu::cmdDataDir_Click() {
  ui::FileRequest request;
  request.initialDir = Case.Data_Dir;
  request.fileName = "Dummy";
  request.defaultExt = "*.dat";
  std::string chosen = ui::FileDialog(request);
  if (chosen.empty()) chosen = "Dummy";  // a cancelled dialog leaves the pre-filled name
  Case.Data_File = chosen;
  if (chosen == "Dummy") return;
  const auto slash = chosen.find_last_of("/\\");
  if (slash == std::string::npos) return;
  Case.Data_Dir = chosen.substr(0, slash);
  Show_Data_Dir();
  ui::Settings().Save("startup", "Path", Case.Data_Dir);
}

void frmMenu::cmdMyDocuments_Click() {
  Case.Data_Dir = ui::CurrentDesktop().documentsFolder();
  Show_Data_Dir();
  cmdDataDir->setFocus();
}

void frmMenu::Show_Data_Dir() {
  const bool en = In_English();
  std::error_code ec;
  bool present = std::filesystem::is_directory(Case.Data_Dir, ec);
  if (!present && !Case.Data_Dir.empty() && Case.Data_Dir == ui::CurrentDesktop().documentsFolder()) {
    // A fresh account may have no documents folder yet: every save would fail.
    present = std::filesystem::create_directories(Case.Data_Dir, ec) && !ec;
    if (!present && !createFailureShown_) {
      createFailureShown_ = true;
      ui::MsgBox(en ? "Cannot create the data folder [ " + Case.Data_Dir + " ] : " + ec.message()
                    : "データフォルダ [ " + Case.Data_Dir + " ] を作成できません。" + ec.message(),
                 ui::vbOKOnly | ui::vbExclamation);
    }
  }
  // A folder that has vanished is said here, not at the first save.
  dataDirText_ = ui::Q(present ? Case.Data_Dir
                               : Case.Data_Dir + (en ? "  (folder not found)" : "  （フォルダがありません）"));
  lblDataDir->setToolTip(dataDirText_);
  lblDataDir->setStyleSheet(present ? QString() : QStringLiteral("color: #c00000;"));
  Fit_Data_Dir();
}

void frmMenu::Fit_Data_Dir() {
  // A long path loses its middle, never its end (the folder's own name and the
  // not-found mark); the tooltip holds the whole.
  const QFontMetrics fm(lblDataDir->font());
  const int frame = 2 * lblDataDir->frameWidth() + 2 * lblDataDir->margin() + 4;
  const int room = std::max(lblDataDir->width(), lblDataDir->minimumWidth()) - frame;
  lblDataDir->setText(fm.horizontalAdvance(dataDirText_) <= room ? dataDirText_
                                                                  : fm.elidedText(dataDirText_, Qt::ElideMiddle, room));
}

void frmMenu::resizeEvent(QResizeEvent* event) {
  ui::Form::resizeEvent(event);
  Fit_Data_Dir();
}

void frmMenu::optLanguage_Click(int index) {
  Case.Language = static_cast<int16_t>(index);
  ui::Use_Standard_Dialog_Language(index != 1);
  // The menu is shown only while no program is open, so every other loaded
  // window is one a program left hidden (the unit, K-value and enthalpy dialogs
  // the column summary loads once): it is loaded again, in this language, when
  // it is next used, and takes its values from the case then.
  ui::Forms::UnloadHidden(this);
  const bool en = index == 1;
  for (int i = 0; i < 9; ++i)
    cmdProgram[i]->setText(ui::Q(en ? kProgramButtons[i].captionEn : kProgramButtons[i].captionJa));
  cmdExit->setText(ui::Q(en ? kExitEn : kExitJa));
  cmdDataDir->setText(ui::Q(en ? kDataDirEn : kDataDirJa));
  lblTitle->setText(ui::Q(en ? std::string("[") + kSuiteTitleEn + "]" : std::string("【") + kSuiteTitleJa + "】"));
  setWindowTitle(ui::Q(en ? kSuiteTitleEn : kSuiteTitleJa));
  Show_Data_Dir();
}
