// The real message box: the buttons and default of each style, and a width at
// which the window frame shows the title whole.
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/ui/Gallery.h"
#include "platform/ui/Interaction.h"
#include "support/UiTest.h"

namespace {

class MessageBoxTest : public UiTest {
 protected:
  // Shows the box off screen (a box sizes itself when shown) and writes it to
  // VZ_GALLERY_OUT, when set, to be looked at.
  void Render(QMessageBox& box, const std::string& name) {
    const char* out = std::getenv("VZ_GALLERY_OUT");
    const std::string dir = out ? out : scratch_.path().toStdString();
    ASSERT_TRUE(ui::RenderToPng(&box, dir + "/" + name + ".png")) << name;
  }

  // The same box as Qt lays it out by itself.
  void RenderPlain(QMessageBox& plain, const ui::MessageRequest& r) {
    plain.setWindowTitle(QString::fromStdString(r.title.empty() ? ui::ApplicationTitle() : r.title));
    plain.setText(QString::fromStdString(r.text));
    if (r.style & ui::vbExclamation) plain.setIcon(QMessageBox::Warning);
    plain.addButton(QMessageBox::Ok);
    Render(plain, "plain");
  }

 private:
  QTemporaryDir scratch_;
};

// A short message used to get a box narrower than its title ("V... d").
TEST_F(MessageBoxTest, ShortMessagesGetABoxWideEnoughForTheTitle) {
  struct Case {
    const char* name;
    ui::MessageRequest request;
  };
  const Case cases[] = {
      {"msgbox_short", {"中止しました", ui::vbOKOnly, ""}},
      {"msgbox_short_en", {"Stopped", ui::vbOKOnly, ""}},
      {"msgbox_title", {"OK", ui::vbOKOnly | ui::vbExclamation, "バッチ蒸留計算  "}},
      {"msgbox_title_en", {"OK", ui::vbOKOnly | ui::vbExclamation, "Step by Step Distillation"}},
  };
  for (const Case& c : cases) {
    const auto box = ui::NewMessageBox(c.request);
    Render(*box, c.name);
    const std::string title = c.request.title.empty() ? "Vadezid" : c.request.title;
    EXPECT_EQ(box->windowTitle().toStdString(), title);
    EXPECT_GE(box->width(), ui::TitleWidthPx(*box, title)) << c.name;
    // Qt by itself makes the box narrower than that (the case that was cut);
    // the room for the title adds width, not height.
    QMessageBox plain;
    RenderPlain(plain, c.request);
    EXPECT_LT(plain.width(), ui::TitleWidthPx(plain, title)) << c.name;
    EXPECT_EQ(box->height(), plain.height()) << c.name;
  }
  // The title needs room for the frame's icon and buttons, not just its text.
  const auto box = ui::NewMessageBox({"x", ui::vbOKOnly, "Vadezid"});
  const QFontMetrics fm(box->font());
  EXPECT_GT(ui::TitleWidthPx(*box, "Vadezid"), fm.horizontalAdvance("Vadezid") + 3 * fm.height());
}

// A box whose text is wider than its title keeps the size Qt gives it, and a
// title longer than the screen allows never makes the box wider than the screen.
TEST_F(MessageBoxTest, WideTextsAndLongTitlesKeepTheirOwnLimits) {
  for (const char* text : {"段数が入力されていません", "T.Plate does not input",
                           "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW を保存しますか？"}) {
    const ui::MessageRequest wide{text, ui::vbOKOnly | ui::vbExclamation, ""};
    const auto box = ui::NewMessageBox(wide);
    Render(*box, "msgbox_wide");
    QMessageBox plain;
    RenderPlain(plain, wide);
    EXPECT_EQ(box->size(), plain.size()) << text;
    EXPECT_GE(box->width(), ui::TitleWidthPx(*box, "Vadezid")) << text;
  }
  const auto longTitle = ui::NewMessageBox({"OK", ui::vbOKOnly, std::string(400, 'T')});
  Render(*longTitle, "msgbox_long_title");
  EXPECT_LE(longTitle->width(), longTitle->screen()->availableGeometry().width());
  EXPECT_GE(longTitle->width(), std::min(longTitle->screen()->availableGeometry().width(), 1000) - 480)
      << "as wide as the screen lets it be";
}

// Each style shows its buttons in order, with the default the style names.
TEST_F(MessageBoxTest, StylesGiveTheirButtonsAndDefault) {
  struct Case {
    int style;
    std::vector<QMessageBox::StandardButton> buttons;
    QMessageBox::StandardButton def;  // NoButton: Qt's own choice
    QMessageBox::Icon icon;
  };
  const Case cases[] = {
      {ui::vbOKOnly, {QMessageBox::Ok}, QMessageBox::Ok, QMessageBox::NoIcon},
      {ui::vbOKCancel | ui::vbCritical, {QMessageBox::Ok, QMessageBox::Cancel}, QMessageBox::Ok, QMessageBox::Critical},
      {ui::vbYesNoCancel | ui::vbQuestion | ui::vbDefaultButton2,
       {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel},
       QMessageBox::No,
       QMessageBox::Question},
      {ui::vbAbortRetryIgnore | ui::vbDefaultButton3,
       {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore},
       QMessageBox::Ignore,
       QMessageBox::NoIcon},
      {ui::vbYesNo | ui::vbInformation, {QMessageBox::Yes, QMessageBox::No}, QMessageBox::Yes,
       QMessageBox::Information},
      {ui::vbRetryCancel | ui::vbExclamation | ui::vbDefaultButton3,  // no third button
       {QMessageBox::Retry, QMessageBox::Cancel},
       QMessageBox::NoButton,
       QMessageBox::Warning},
  };
  for (const Case& c : cases) {
    const auto box = ui::NewMessageBox({"?", c.style, ""});
    ASSERT_EQ(box->buttons().size(), static_cast<qsizetype>(c.buttons.size())) << c.style;
    for (auto b : c.buttons) EXPECT_NE(box->button(b), nullptr) << c.style;
    EXPECT_EQ(box->defaultButton(), c.def == QMessageBox::NoButton ? nullptr : box->button(c.def)) << c.style;
    EXPECT_EQ(box->icon(), c.icon) << c.style;
  }
}

}  // namespace
