// Forms keep the life cycle the windows are written for, and no prompt in a
// test can wait for a user.
#include <QLineEdit>

#include <unistd.h>

#include <algorithm>

#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/LanguageAudit.h"
#include "platform/ui/Services.h"
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

// The single-instance lock is one per user id, whatever $USER says.
TEST_F(FormTest, InstanceLockIsKeyedByTheUserId) {
  const QString name = ui::InstanceLockName();
  EXPECT_TRUE(name.contains(QString::number(::getuid()))) << name.toStdString();
  const QByteArray user = qgetenv("USER");
  qunsetenv("USER");
  EXPECT_EQ(ui::InstanceLockName(), name);
  qputenv("USER", "someone-else");
  EXPECT_EQ(ui::InstanceLockName(), name);
  if (user.isNull()) qunsetenv("USER");
  else qputenv("USER", user);
}

int g_language = 0;

// One window that sets its captions only when it loads, one that sets them at
// each showing as well.
class frmLoadOnly : public ui::Form {
 public:
  frmLoadOnly() : ui::Form("frmLoadOnly") { label = ui::NewLabel(this, "lblTitle"); }
  void Form_Load() override { label->setText(g_language == 1 ? "Title" : "題名"); }
  QLabel* label;
};
class frmEachShowing : public frmLoadOnly {
 public:
  frmEachShowing() { setObjectName("frmEachShowing"); }
  void Form_Activate() override { Form_Load(); }
};
VZ_FORM_FACTORY(frmLoadOnly);
VZ_FORM_FACTORY(frmEachShowing);

TEST_F(FormTest, LanguageAuditFindsTextsKeptFromTheEarlierLanguage) {
  const auto set = [](int language) { g_language = language; };
  for (const auto& [from, to] : {std::pair{0, 1}, std::pair{1, 0}}) {
    const auto stale = ui::Audit_Language_Switch("frmLoadOnly", from, to, set);
    ASSERT_EQ(stale.size(), 1u);
    EXPECT_EQ(stale[0].where, "lblTitle");
    EXPECT_EQ(stale[0].shown, from == 0 ? "題名" : "Title");
    EXPECT_EQ(stale[0].fresh, from == 0 ? "Title" : "題名");
    EXPECT_TRUE(ui::Audit_Language_Switch("frmEachShowing", from, to, set).empty());
  }
  EXPECT_FALSE(ui::Forms::IsLoaded("frmLoadOnly"));
  const auto names = ui::Forms::FactoryNames();
  EXPECT_NE(std::find(names.begin(), names.end(), QString("frmEachShowing")), names.end());
}

}  // namespace
