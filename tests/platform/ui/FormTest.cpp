// Forms keep the life cycle the windows are written for, and no prompt in a
// test can wait for a user.
#include <QLineEdit>

#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "support/UiTest.h"

namespace {

struct Counts {
  int load = 0, activate = 0, unload = 0, keys = 0;
};
Counts g_counts;

class frmProbe : public ui::Form {
 public:
  frmProbe() : ui::Form("frmProbe") { box = ui::NewTextBox(this, "txtBox"); }
  void Form_Load() override { ++g_counts.load; box->setText("loaded"); }
  void Form_Activate() override { ++g_counts.activate; }
  void Form_Unload() override { ++g_counts.unload; }
  void Form_KeyDown(int& keyCode, int) override {
    ++g_counts.keys;
    if (keyCode == ui::vbKeyEscape) {
      keyCode = 0;
      ui::Forms::Unload(this);
    }
  }
  QLineEdit* box;
};

class frmChild : public ui::Form {
 public:
  frmChild() : ui::Form("frmChild") {}
};

class FormTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    g_counts = {};
  }
};

TEST_F(FormTest, LoadsOnceAndStartsAfreshAfterUnload) {
  auto& f = ui::Forms::Get<frmProbe>();
  EXPECT_EQ(&ui::Forms::Get<frmProbe>(), &f);
  EXPECT_EQ(g_counts.load, 1);
  EXPECT_FALSE(f.isVisible());  // loaded hidden
  f.box->setText("typed");
  EXPECT_EQ(ui::Forms::FindByName("frmProbe"), &f);
  EXPECT_TRUE(ui::Forms::Unload(&f));
  EXPECT_EQ(g_counts.unload, 1);
  EXPECT_EQ(ui::Forms::Find<frmProbe>(), nullptr);
  ui::Forms::FlushDeleted();
  auto& again = ui::Forms::Get<frmProbe>();
  EXPECT_EQ(again.box->text(), "loaded");
  EXPECT_EQ(g_counts.load, 2);
}

TEST_F(FormTest, CloseBoxIsRefusedButCodeUnloads) {
  auto& f = ui::Forms::Get<frmProbe>();
  f.Show();
  EXPECT_EQ(g_counts.activate, 1);
  f.close();  // the close box
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(ui::Forms::Find<frmProbe>(), &f);
  EXPECT_TRUE(ui::Forms::Unload(&f));
  EXPECT_FALSE(f.isVisible());
}

TEST_F(FormTest, EscapeReachesTheFormBeforeItsControls) {
  auto& f = ui::Forms::Get<frmProbe>();
  f.Show();
  ui::SendKey(f.box, ui::vbKeyEscape);
  EXPECT_EQ(g_counts.keys, 1);
  EXPECT_EQ(g_counts.unload, 1);
  EXPECT_EQ(ui::Forms::Find<frmProbe>(), nullptr);
}

TEST_F(FormTest, ReturningFromAModalWindowActivatesTheOneBelow) {
  auto& f = ui::Forms::Get<frmProbe>();
  f.Show();
  ASSERT_EQ(g_counts.activate, 1);
  bool ran = false;
  script.OnModal("frmChild", [&](ui::Form& child) {
    ran = true;
    EXPECT_TRUE(static_cast<frmChild&>(child).IsModal());
    ui::Forms::Unload(&child);
  });
  // Opened from the probe's own code, as a button handler would.
  ui::Forms::Get<frmChild>().ShowModal();
  EXPECT_TRUE(ran);
  EXPECT_EQ(script.modalForms, std::vector<std::string>{"frmChild"});
  EXPECT_GE(g_counts.activate, 2);
}

TEST_F(FormTest, UnscriptedPromptsFailAtOnceNamingThePrompt) {
  ui::ScriptedInteraction strict;
  std::string reported;
  strict.onUnscripted = [&](const std::string& what) { reported = what; };
  ui::Interaction* saved = ui::SetInteraction(&strict);
  EXPECT_THROW(ui::MsgBox("読み込みますか？", ui::vbYesNo), ui::UnscriptedPrompt);
  EXPECT_NE(reported.find("読み込みますか？"), std::string::npos);
  EXPECT_THROW(ui::FileDialog({}), ui::UnscriptedPrompt);
  EXPECT_THROW(ui::Forms::Get<frmChild>().ShowModal(), ui::UnscriptedPrompt);
  EXPECT_NE(reported.find("frmChild"), std::string::npos);
  ui::SetInteraction(saved);

  // A scripted answer must match the text it was written for.
  strict.Answer(ui::vbYes, "上書き");
  ui::SetInteraction(&strict);
  EXPECT_THROW(ui::MsgBox("別の質問", ui::vbYesNo), ui::UnscriptedPrompt);
  ui::SetInteraction(saved);
}

TEST_F(FormTest, ScriptedAnswersComeBackInOrder) {
  script.Answer(ui::vbNo).Answer(ui::vbYes, "保存").ChooseFile("/tmp/x.dat").ChooseFile("");
  EXPECT_EQ(ui::MsgBox("first", ui::vbYesNoCancel), ui::vbNo);
  EXPECT_EQ(ui::MsgBox("[ a ] を保存しますか？", ui::vbYesNoCancel), ui::vbYes);
  EXPECT_EQ(ui::FileDialog({}), "/tmp/x.dat");
  EXPECT_EQ(ui::FileDialog({}), "");
  ASSERT_EQ(script.messages.size(), 2u);
  EXPECT_EQ(script.messages[1].style, ui::vbYesNoCancel);
}

TEST_F(FormTest, OptionArraysReportTheirIndex) {
  auto& f = ui::Forms::Get<frmProbe>();
  ui::OptionArray opt;
  opt.Create(&f, "optTest", 3);
  int clicked = -1;
  opt.onClick = [&](int i) { clicked = i; };
  EXPECT_EQ(opt.Value(), -1);
  opt.Click(2);
  EXPECT_EQ(clicked, 2);
  EXPECT_EQ(opt.Value(), 2);
  opt.SetValue(0);  // no click event
  EXPECT_EQ(clicked, 2);
  EXPECT_EQ(opt.Value(), 0);
  EXPECT_EQ(opt[1]->objectName(), "optTest(1)");
}

}  // namespace
