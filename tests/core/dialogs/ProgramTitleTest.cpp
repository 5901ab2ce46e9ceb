// The shared dialogs name the program that shows them, whichever program ran
// before: the real column, batch, flash and VLE-estimation windows, opened from
// the menu and driven through their buttons.
#include <gtest/gtest.h>

#include <QPushButton>

#include <string>
#include <vector>

#include "core/app/frmMenu.h"
#include "core/model/CaseData.h"
#include "platform/ui/Controls.h"
#include "support/UiTest.h"

namespace {

struct Program {
  int programNo;
  const char* window;
  const char* titleJa;
  const char* titleEn;
  const char* example;  // the example button: its summary loads the dialogs hidden
  const char* exit;
  // The dialogs it opens, by button.
  std::vector<std::pair<const char*, const char*>> dialogs;
};

const Program kColumn{0, "frmDistMain", "逐次段蒸留計算", "Step by Step Distillation", "cmdExample1", "cmdExit",
                      {{"cmdUnit", "frmUnit"}, {"cmdComponent", "frmComponent"}, {"cmdKValue", "frmK_Value"},
                       {"cmdEnthalpy", "frmEnthalpy"}, {"cmdMemo", "frmMemo"}}};
const Program kBatch{1, "frmBatchDistillationMain", "バッチ蒸留計算  ", "Batch Distillation  ", "cmdExample", "cmdExit",
                     {{"cmdUnit", "frmUnit"}, {"cmdComponent", "frmComponent"}, {"cmdKValue", "frmK_Value"},
                      {"cmdEnthalpy", "frmEnthalpy"}, {"cmdMemo", "frmMemo"}}};
const Program kFlash{2, "frmFlash", "ＦＬＡＳＨ計算", "Flash Calculation", "cmdSample1", "cmdExit",
                     {{"cmdUnit", "frmUnit"}, {"cmdComponent", "frmComponent"}, {"cmdK_Value", "frmK_Value"},
                      {"cmdEnthalpy", "frmEnthalpy"}, {"cmdMemo", "frmMemo"}}};
const Program kVLE{4, "frmVLE_Estimation", "気液平衡推算", "Vapor-Liquid Equibrium", nullptr, "cmdMainExit",
                   {{"cmdMainMemo", "frmMemo"}}};

std::string TitleWord(const std::string& dialog, bool en) {
  if (dialog == "frmUnit") return en ? "Unit" : "単位系";
  if (dialog == "frmComponent") return en ? "Component" : "成分";
  if (dialog == "frmK_Value") return en ? "Vapor-Liquid Equibrium" : "気液平衡推算法";
  if (dialog == "frmEnthalpy") return en ? "Enthalpy Estimation Method" : "エンタルピー推算法";
  return en ? "Memorandum" : "メモ入力";
}

class ProgramTitleTest : public UiTest {
 protected:
  void Click(ui::Form& form, const char* button) {
    auto* b = form.Ctl<QPushButton>(button);
    ASSERT_NE(b, nullptr) << form.objectName().toStdString() << "." << button;
    b->click();
  }

  // Opens the program from the menu, loads its example when asked (its summary
  // loads the dialogs hidden), shows each of its dialogs when asked and checks
  // each one's caption while it is on screen; the units dialog is left with OK,
  // so it stays loaded, the others with Cancel. Then back to the menu.
  void Use(frmMenu& menu, const Program& p, bool example, bool dialogs = true) {
    SCOPED_TRACE(p.window);
    const bool en = Case.Language == 1;
    menu.Program_Click(p.programNo);
    ui::Form* main = ui::Forms::FindByName(p.window);
    ASSERT_NE(main, nullptr);
    if (example && p.example) Click(*main, p.example);
    for (const auto& [button, dialog] : p.dialogs) {
      if (!dialogs) break;
      const std::string expected = std::string(en ? p.titleEn : p.titleJa) + TitleWord(dialog, en);
      std::string shown;
      script.OnModal(dialog, [&shown, dialog = std::string(dialog)](ui::Form& d) {
        shown = d.Caption().toStdString();
        d.Ctl<QPushButton>(dialog == "frmUnit" ? "cmdOK" : "cmdCancel")->click();
      });
      Click(*main, button);
      EXPECT_EQ(shown, expected) << button;
    }
    Click(*main, p.exit);
    EXPECT_FALSE(ui::Forms::IsLoaded(p.window));
  }
};

TEST_F(ProgramTitleTest, SharedDialogsNameTheProgramThatShowsThemNotThePreviousOne) {
  for (int language : {0, 1}) {
    SCOPED_TRACE(language);
    auto& menu = ui::Forms::Get<frmMenu>();
    menu.optLanguage.Click(language);
    // Each program after each other, with and without a summary that loads the
    // dialogs hidden first, so every dialog meets a program it was not loaded by.
    const Program* order[] = {&kColumn, &kBatch, &kColumn, &kFlash, &kBatch, &kFlash, &kVLE, &kColumn};
    bool example = true;
    for (const Program* p : order) {
      Use(menu, *p, example);
      example = !example;
    }
    // Dialogs a summary left loaded, never shown there, shown by the next program.
    for (const Program* p : {&kBatch, &kColumn, &kFlash, &kBatch}) {
      Use(menu, kColumn, true, false);
      Use(menu, *p, false);
      Use(menu, kBatch, true, false);
      Use(menu, *p, false);
    }
    ui::Forms::UnloadAll();
  }
}

}  // namespace
