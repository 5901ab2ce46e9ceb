// Start-up, the main menu and the about box as a user meets them.
#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QPushButton>

#include <filesystem>
#include <fstream>

#include "core/app/ProgramPlaceholders.h"
#include "core/app/frmAbout.h"
#include "core/app/frmMenu.h"
#include "core/dialogs/frmMemo.h"
#include "core/model/CaseData.h"
#include "platform/ui/Interaction.h"
#include "support/UiTest.h"

namespace {

class MenuTest : public UiTest {};

// The window each program button opens, in the order of the buttons.
constexpr const char* kProgramWindows[9] = {"frmDistMain",          "frmBatchDistillationMain", "frmFlash",
                                            "frmAntoineVaporPress", "frmVLE_Estimation",        "frmUNIFAC",
                                            "frmPhysicalMain",      "frmPhysicalDatabase",      "frmPhysicalDatabase2"};

TEST_F(MenuTest, StartsInTheDocumentsFolderWithoutStoringIt) {
  auto& menu = ui::Forms::Get<frmMenu>();
  EXPECT_FALSE(menu.startupRefused);
  EXPECT_EQ(Case.Data_Dir, documents);
  EXPECT_EQ(menu.lblDataDir->toolTip().toStdString(), documents);
  EXPECT_EQ(menu.lblVersion->text(), "Ver.05.1010");
  EXPECT_EQ(Case.Language, 0);
  EXPECT_EQ(settings.writes, 0);
}

TEST_F(MenuTest, StartsInTheStoredFolder) {
  settings.Save("startup", "Path", "/data/cases");
  settings.writes = 0;
  ui::Forms::Get<frmMenu>();
  EXPECT_EQ(Case.Data_Dir, "/data/cases");  // read as section "Startup": the store ignores case
  EXPECT_EQ(settings.writes, 0);
}

// A fresh account has no documents folder: the menu makes it; one it cannot
// make is said once; a chosen folder that has gone is marked on the menu.
TEST_F(MenuTest, DataFolderIsMadeWhenMissingAndAVanishedOneIsMarked) {
  namespace fs = std::filesystem;
  fs::remove_all(documents);
  {
    auto& menu = ui::Forms::Get<frmMenu>();
    EXPECT_TRUE(fs::is_directory(documents));
    EXPECT_EQ(menu.lblDataDir->toolTip().toStdString(), documents);
  }
  ui::Forms::UnloadAll();

  // Below a plain file no folder can be made.
  std::ofstream(appFolder + "/file") << "x";
  documents = appFolder + "/file/docs";
  script.Answer(ui::vbOK, "データフォルダ [ " + documents + " ] を作成できません。");
  {
    auto& menu = ui::Forms::Get<frmMenu>();
    EXPECT_TRUE(menu.lblDataDir->toolTip().contains("フォルダがありません"));
    menu.optLanguage.Click(1);  // not said twice
    EXPECT_TRUE(menu.lblDataDir->toolTip().contains("folder not found"));
    EXPECT_FALSE(menu.lblDataDir->toolTip().contains("フォルダ"));
  }
  ui::Forms::UnloadAll();

  const std::string chosen = appFolder + "/cases";
  fs::create_directories(chosen);
  settings.Save("startup", "Path", chosen);
  fs::remove_all(chosen);
  documents = appFolder + "/docs2";
  auto& menu = ui::Forms::Get<frmMenu>();
  EXPECT_EQ(Case.Data_Dir, chosen);
  EXPECT_FALSE(fs::exists(chosen));  // a chosen folder is not made again behind the user's back
  EXPECT_EQ(menu.lblDataDir->toolTip().toStdString(), chosen + "  （フォルダがありません）");
  menu.cmdMyDocuments_Click();
  EXPECT_EQ(menu.lblDataDir->toolTip().toStdString(), documents);
  EXPECT_TRUE(fs::is_directory(documents));
}

TEST_F(MenuTest, DatabasePathPrefersMdbAndFallsBackToMde) {
  ui::Forms::Get<frmMenu>();
  EXPECT_EQ(Case.DB_Path, appFolder + "/Vadezid$.mde");  // neither file exists
  ui::Forms::UnloadAll();
  std::ofstream(appFolder + "/Vadezid$.mdb") << "x";
  ui::Forms::Get<frmMenu>();
  EXPECT_EQ(Case.DB_Path, appFolder + "/Vadezid$.mdb");
}

TEST_F(MenuTest, PlatformCheckAcceptsTheNamedReleasesAndThisBuild) {
  auto& menu = ui::Forms::Get<frmMenu>();
  struct V { int id, major, minor; bool ok; };
  const V versions[] = {{1, 4, 10, true},  {2, 5, 0, true},  {2, 5, 1, true},  {ui::kThisPlatform, 1, 0, true},
                        {1, 4, 90, false}, {1, 4, 0, false}, {2, 4, 0, false}, {2, 5, 2, false},
                        {2, 6, 0, false}};
  for (const auto& v : versions) {
    ui::CurrentDesktop().platformVersion = [v] { return ui::PlatformVersion{v.id, v.major, v.minor}; };
    EXPECT_EQ(menu.Check_OS_Version(), v.ok) << v.id << " " << v.major << "." << v.minor;
  }
}

TEST_F(MenuTest, RefusedPlatformShowsItsMessageAndEnds) {
  ui::CurrentDesktop().platformVersion = [] { return ui::PlatformVersion{1, 4, 90}; };
  script.Answer(ui::vbOK, "Windows98,Windows2000,WindowsXP 以外で使用することは出来ません");
  auto& menu = ui::Forms::Get<frmMenu>();
  EXPECT_TRUE(menu.startupRefused);
  EXPECT_EQ(endRequests, 1);
  EXPECT_EQ(Case.Data_Dir, DataDir());  // nothing further ran
}

TEST_F(MenuTest, SecondInstanceIsRefused) {
  ui::CurrentDesktop().anotherInstanceRunning = [] { return true; };
  script.Answer(ui::vbOK, "このアプリケーションを複数起動することは出来ません。");
  ui::Forms::Get<frmMenu>();
  EXPECT_EQ(endRequests, 1);
  EXPECT_EQ(script.messages.back().style, ui::vbExclamation);
}

TEST_F(MenuTest, FolderDialogConfirmedStoresTheFolderCancelledChangesNothing) {
  auto& menu = ui::Forms::Get<frmMenu>();
  script.ChooseFile("");  // cancelled
  menu.cmdDataDir_Click();
  EXPECT_EQ(Case.Data_Dir, documents);
  EXPECT_EQ(settings.writes, 0);
  ASSERT_EQ(script.fileDialogs.size(), 1u);
  EXPECT_EQ(script.fileDialogs[0].fileName, "Dummy");
  EXPECT_EQ(script.fileDialogs[0].initialDir, documents);
  EXPECT_EQ(script.fileDialogs[0].filter, "データ ファイル (*.dat)|*.dat");

  script.ChooseFile(appFolder + "/Dummy");  // the pre-filled name confirmed in another folder
  menu.cmdDataDir_Click();
  EXPECT_EQ(Case.Data_Dir, appFolder);
  EXPECT_EQ(menu.lblDataDir->toolTip().toStdString(), appFolder);
  EXPECT_EQ(settings.Get("Startup", "Path"), appFolder);
  EXPECT_EQ(settings.writes, 1);

  menu.cmdMyDocuments_Click();  // back to the documents folder, not stored
  EXPECT_EQ(Case.Data_Dir, documents);
  EXPECT_EQ(settings.writes, 1);
}

TEST_F(MenuTest, LanguageSwitchRewritesTheCaptions) {
  auto& menu = ui::Forms::Get<frmMenu>();
  EXPECT_EQ(menu.cmdProgram[0]->text(), "逐次段蒸留計算 (&1)");
  menu.optLanguage.Click(1);
  EXPECT_EQ(Case.Language, 1);
  EXPECT_EQ(menu.cmdProgram[0]->text(), "Step by Step Distillation (&1)");
  EXPECT_EQ(menu.cmdProgram[8]->text(), "Interraction Parameter (&9)");
  EXPECT_EQ(menu.cmdExit->text(), "E x i t (&X)");
  EXPECT_EQ(menu.cmdDataDir->text(), "Change Data Directory(&D)");
  EXPECT_TRUE(menu.lblTitle->text().startsWith("["));
  EXPECT_EQ(menu.cmdMyDocuments->text(), "My Documents(&Z)");
  EXPECT_EQ(menu.cmdProgram[2]->toolTip(), "沸点・露点及びフラッシュ計算");
  // Qt's own buttons of the standard dialogs follow the choice.
  EXPECT_EQ(ui::NewMessageBox({"?", ui::vbYesNo, ""})->button(QMessageBox::Yes)->text(), "&Yes");
  menu.optLanguage.Click(0);
  EXPECT_EQ(menu.cmdProgram[5]->text(), "Ｕ Ｎ Ｉ Ｆ Ａ Ｃ (&6)");
  EXPECT_TRUE(menu.lblTitle->text().startsWith("【"));
  EXPECT_EQ(ui::NewMessageBox({"?", ui::vbYesNo, ""})->button(QMessageBox::Yes)->text(), "はい(&Y)");
  menu.optLanguage.Click(1);
}

TEST_F(MenuTest, EveryProgramButtonOpensItsWindowAndExitReturnsToTheMenu) {
  auto& menu = ui::Forms::Get<frmMenu>();
  menu.Show();
  for (int no = 0; no < 9; ++no) {
    Case.Program_Mode = 7;
    menu.cmdProgram[no]->click();
    EXPECT_EQ(Case.Program_No, no);
    ui::Form* w = ui::Forms::FindByName(kProgramWindows[no]);
    ASSERT_NE(w, nullptr) << kProgramWindows[no];
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(menu.isVisible());
    // The flash window sets its own code when it loads; programs 3..8 leave it.
    EXPECT_EQ(Case.Program_Mode, no <= 2 ? no : 7);
    const char* exitName = no == 4 ? "cmdMainExit" : "cmdExit";
    auto* exit = w->Ctl<QPushButton>(exitName);
    ASSERT_NE(exit, nullptr) << kProgramWindows[no];
    exit->click();
    EXPECT_EQ(ui::Forms::FindByName(kProgramWindows[no]), nullptr);
    EXPECT_TRUE(menu.isVisible());
  }
}

// After every program has been opened and left, a language switch on the menu
// leaves no window loaded that still carries the earlier language.
TEST_F(MenuTest, LanguageSwitchLeavesNoHiddenWindowInTheEarlierLanguage) {
  auto& menu = ui::Forms::Get<frmMenu>();
  menu.Show();
  for (int no = 0; no < 9; ++no) {
    menu.cmdProgram[no]->click();
    ui::Form* w = ui::Forms::FindByName(kProgramWindows[no]);
    ASSERT_NE(w, nullptr) << kProgramWindows[no];
    w->Ctl<QPushButton>(no == 4 ? "cmdMainExit" : "cmdExit")->click();
  }
  ASSERT_TRUE(menu.isVisible());
  int hidden = 0;
  for (const QString& name : ui::Forms::FactoryNames())
    if (name != "frmMenu" && ui::Forms::FindByName(name)) ++hidden;
  EXPECT_EQ(hidden, 0);  // each program unloads what it opened...
  ui::Forms::Get<frmMemo>();  // ...or leaves a dialog loaded hidden, as the column summary does
  menu.optLanguage.Click(1);
  for (const QString& name : ui::Forms::FactoryNames())
    if (name != "frmMenu") {
      EXPECT_EQ(ui::Forms::FindByName(name), nullptr) << name.toStdString();
    }
  EXPECT_TRUE(menu.isVisible());
  EXPECT_TRUE(ui::Forms::Get<frmMemo>().Caption().endsWith("Memorandum"));
  menu.cmdProgram[0]->click();
  ui::Form* column = ui::Forms::FindByName("frmDistMain");
  ASSERT_NE(column, nullptr);
  EXPECT_TRUE(column->isVisible());
  EXPECT_EQ(column->Caption().toStdString().find("逐次"), std::string::npos);
  column->Ctl<QPushButton>("cmdExit")->click();
}

TEST_F(MenuTest, MenuClosesOnlyByItsExitButton) {
  auto& menu = ui::Forms::Get<frmMenu>();
  menu.Show();
  menu.close();
  EXPECT_TRUE(menu.isVisible());
  EXPECT_EQ(endRequests, 0);
  menu.cmdExit->click();
  EXPECT_EQ(endRequests, 1);
}

TEST_F(MenuTest, AboutBoxHistoryByProgram) {
  const int lines[10] = {5, 5, 5, 3, 3, 3, 2, 3, 3, 0};
  for (int no = 0; no <= 9; ++no) {
    const std::string h = Revision_History(no);
    int count = h.empty() ? 0 : 1;
    for (std::size_t p = h.find("\r\n"); p != std::string::npos; p = h.find("\r\n", p + 2)) ++count;
    EXPECT_EQ(count, lines[no]) << "program " << no;
    EXPECT_FALSE(h.size() >= 2 && h.substr(h.size() - 2) == "\r\n");
  }
  EXPECT_TRUE(Revision_History(2).starts_with("2002.10.吉日"));
  const std::string db = Revision_History(8);
  EXPECT_EQ(db.substr(db.size() - std::string("2004.02.24   物性ﾃﾞｰﾀﾍﾞｰｽ接続方法変更").size()),
            "2004.02.24   物性ﾃﾞｰﾀﾍﾞｰｽ接続方法変更");
}

TEST_F(MenuTest, AboutBoxOpensFromAProgramAndClosesByOkOrEscape) {
  Case.Program_No = 7;
  auto& about = ui::Forms::Get<frmAbout>();
  about.Form_Activate();
  EXPECT_EQ(about.windowTitle(), "逐次段蒸留計算プログラムのﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(about.lblVersion->text(), "Ver.05.1010");
  EXPECT_TRUE(about.txtVersion->toPlainText().endsWith("物性ﾃﾞｰﾀﾍﾞｰｽ接続方法変更"));
  about.lblMailAddress_Click();
  ASSERT_EQ(script.openedUrls.size(), 1u);
  EXPECT_EQ(script.openedUrls[0], std::string("mailto:") + kContactAddress);
  about.close();  // refused
  EXPECT_NE(ui::Forms::Find<frmAbout>(), nullptr);
  ui::SendKey(about.cmdOK, ui::vbKeyEscape);
  EXPECT_EQ(ui::Forms::Find<frmAbout>(), nullptr);

  // From a program's version button, modally.
  Register_Program_Placeholders();
  auto& flash = ui::Forms::Get<frmPlaceholder<2>>();
  flash.Show();
  script.OnModal("frmAbout", [](ui::Form& f) { static_cast<frmAbout&>(f).cmdOK->click(); });
  flash.Ctl<QPushButton>("cmdVersion")->click();
  EXPECT_EQ(ui::Forms::Find<frmAbout>(), nullptr);
}

// A data folder too long for its label loses its middle, keeps its end, and
// the whole path stays in the tooltip.
TEST_F(MenuTest, LongDataFolderIsShortenedInTheMiddle) {
  auto& menu = ui::Forms::Get<frmMenu>();
  std::string longDir = documents;
  for (int i = 0; i < 12; ++i) longDir += "/a-rather-long-folder-name-" + std::to_string(i);
  std::filesystem::create_directories(longDir);
  script.ChooseFile(longDir + "/Dummy");
  menu.cmdDataDir_Click();
  const QString shown = menu.lblDataDir->text();
  EXPECT_EQ(menu.lblDataDir->toolTip().toStdString(), longDir);
  EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith("name-11")) << shown.toStdString();
  EXPECT_TRUE(shown.startsWith("/")) << shown.toStdString();
  EXPECT_LE(menu.lblDataDir->fontMetrics().horizontalAdvance(shown),
            std::max(menu.lblDataDir->width(), menu.lblDataDir->minimumWidth()));
  // Wider, more of the path shows.
  menu.resize(1800, menu.height());
  menu.lblDataDir->resize(1500, menu.lblDataDir->height());
  QResizeEvent grow(menu.size(), menu.size());
  QApplication::sendEvent(&menu, &grow);
  EXPECT_GT(menu.lblDataDir->text().size(), shown.size());
}

}  // namespace
