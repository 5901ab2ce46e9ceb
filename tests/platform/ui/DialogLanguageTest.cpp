// Qt's own texts of the standard dialogs follow the suite's language, and a
// save dialog asks no overwrite question of its own.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>


#include "platform/ui/DialogLanguage.h"
#include "platform/ui/Interaction.h"
#include "support/UiTest.h"

namespace {

class DialogLanguageTest : public UiTest {
 protected:
  void TearDown() override {
    ui::Use_Standard_Dialog_Language(false);
    UiTest::TearDown();
  }
  static QString Button(QMessageBox& box, QMessageBox::StandardButton which) { return box.button(which)->text(); }
  static QString AcceptText(QFileDialog& dialog) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    if (!buttons) return {};
    for (QAbstractButton* b : buttons->buttons())
      if (buttons->buttonRole(b) == QDialogButtonBox::AcceptRole) return b->text();
    return {};
  }
};

}  // namespace

TEST_F(DialogLanguageTest, YesNoAndFileDialogButtonsSpeakTheChosenLanguage) {
  ASSERT_TRUE(ui::Use_Standard_Dialog_Language(true)) << "qt6-translations-l10n is not installed";
  {
    const auto box = ui::NewMessageBox({"?", ui::vbYesNoCancel, "Vadezid"});
    EXPECT_TRUE(Button(*box, QMessageBox::Yes).contains(QStringLiteral("はい")));
    EXPECT_TRUE(Button(*box, QMessageBox::No).contains(QStringLiteral("いいえ")));
    ui::FileRequest save;
    save.save = true;
    save.title = "Save";
    const auto dialog = ui::NewFileDialog(save);
    EXPECT_TRUE(AcceptText(*dialog).contains(QStringLiteral("保存")));
  }
  // Back in English: Qt's own English.
  ASSERT_TRUE(ui::Use_Standard_Dialog_Language(false));
  const auto box = ui::NewMessageBox({"?", ui::vbYesNo, "Vadezid"});
  EXPECT_EQ(Button(*box, QMessageBox::Yes), "&Yes");
  EXPECT_EQ(Button(*box, QMessageBox::No), "&No");
  ui::FileRequest open;
  const auto dialog = ui::NewFileDialog(open);
  EXPECT_EQ(AcceptText(*dialog), "&Open");
}

TEST_F(DialogLanguageTest, SaveDialogLeavesTheOverwriteQuestionToTheProgram) {
  ui::FileRequest save;
  save.save = true;
  const auto dialog = ui::NewFileDialog(save);
  EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
}
