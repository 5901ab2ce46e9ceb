#include "platform/ui/Interaction.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QUrl>

#include <algorithm>
#include <cstdio>

#include "platform/text/NumberText.h"
#include "platform/ui/Form.h"

namespace ui {
namespace {

RealInteraction g_real;
Interaction* g_current = nullptr;

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

Interaction& CurrentInteraction() { return g_current ? *g_current : g_real; }

Interaction* SetInteraction(Interaction* service) {
  Interaction* previous = g_current;
  g_current = service;
  return previous;
}

namespace {

// The buttons of a box style, each with the answer it gives, the first one first.
struct StyleButton {
  QMessageBox::StandardButton button;
  int result;
};

std::vector<StyleButton> ButtonsOf(int style) {
  switch (style & 0x7) {
    case vbOKCancel: return {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
    case vbAbortRetryIgnore:
      return {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
    case vbYesNoCancel: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
    case vbYesNo: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
    case vbRetryCancel: return {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
    default: return {{QMessageBox::Ok, vbOK}};
  }
}

// A message box sizes itself to its text and buttons, so a short message gets a
// box too narrow for its title, which the window frame then cuts ("V... d").
// The button row, which spans the box, is kept as wide as the title needs (an
// item added to the box's layout would change its spacing).
void KeepTitleWhole(QMessageBox& box) {
  auto* buttons = box.findChild<QDialogButtonBox*>();
  if (!buttons || !box.layout()) return;
  const QMargins m = box.layout()->contentsMargins();
  // The box never grows past what it allows itself on this screen (where it
  // would squeeze its contents instead).
  const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
  const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
  const int limit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
  const int needed = std::min(TitleWidthPx(box, box.windowTitle().toStdString()), limit);
  buttons->setMinimumWidth(std::max(needed - m.left() - m.right(), 0));
}

}  // namespace

int TitleWidthPx(const QWidget& window, const std::string& title) {
  // Frames draw the title in their own font, often bold; the title bar font the
  // application knows, made bold, errs on the wide side.
  QFont font = QApplication::font("QMdiSubWindowTitleBar");
  font.setBold(true);
  const QFontMetrics fm(font);
  // Beside the title a frame draws the window icon at the left and minimise,
  // maximise and close at the right, each about as wide as the bar is high,
  // with a border either side and some space around the text.
  const int bar = std::max(window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window), fm.height() + 8);
  const int border = window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
  return fm.horizontalAdvance(QString::fromStdString(title)) + 4 * bar + 2 * border + 2 * fm.averageCharWidth();
}

std::unique_ptr<QMessageBox> NewMessageBox(const MessageRequest& r) {
  auto box = std::make_unique<QMessageBox>();
  box->setWindowTitle(Q(r.title.empty() ? ApplicationTitle() : r.title));
  box->setText(Q(r.text));
  switch (r.style & 0x70) {
    case vbCritical: box->setIcon(QMessageBox::Critical); break;
    case vbQuestion: box->setIcon(QMessageBox::Question); break;
    case vbExclamation: box->setIcon(QMessageBox::Warning); break;
    case vbInformation: box->setIcon(QMessageBox::Information); break;
    default: break;
  }
  const std::vector<StyleButton> buttons = ButtonsOf(r.style);
  for (const auto& b : buttons) box->addButton(b.button);
  const std::size_t def = (r.style & vbDefaultButton3) ? 2 : (r.style & vbDefaultButton2) ? 1 : 0;
  if (def < buttons.size()) box->setDefaultButton(buttons[def].button);
  KeepTitleWhole(*box);
  return box;
}

int RealInteraction::Message(const MessageRequest& r) {
  const auto box = NewMessageBox(r);
  const int pressed = box->exec();
  const std::vector<StyleButton> buttons = ButtonsOf(r.style);
  for (const auto& b : buttons)
    if (pressed == b.button) return b.result;
  // Closing the box answers Cancel where there is one, else the only button.
  return buttons.size() > 1 ? vbCancel : vbOK;
}

std::unique_ptr<QFileDialog> NewFileDialog(const FileRequest& r) {
  QString filter = Q(r.filter);
  // "Description|pattern" becomes Qt's "Description (pattern)" form.
  if (const int bar = filter.indexOf('|'); bar >= 0) filter = filter.left(bar);
  QString start = Q(r.initialDir);
  if (!r.fileName.empty()) start += "/" + Q(r.fileName);
  auto dialog = std::make_unique<QFileDialog>(nullptr, Q(r.title), start, filter);
  // Qt's own dialog speaks the language of the installed translation (a
  // desktop's native one speaks the desktop's), and asks no overwrite question
  // of its own: each program asks its one before it writes.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  dialog->setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  QString ext = Q(r.defaultExt);
  ext.remove("*.");
  if (!ext.isEmpty()) dialog->setDefaultSuffix(ext);
  if (!r.save && r.fileName == "Dummy") dialog->setFileMode(QFileDialog::AnyFile);
  return dialog;
}

std::string RealInteraction::File(const FileRequest& r) {
  const auto dialog = NewFileDialog(r);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return "";
  return dialog->selectedFiles().front().toStdString();
}

void RealInteraction::RunModal(Form& form) { form.exec(); }

void RealInteraction::OpenUrl(const std::string& url) { QDesktopServices::openUrl(QUrl(Q(url))); }

ScriptedInteraction& ScriptedInteraction::Answer(int answer, std::string expectedText) {
  answers_.push_back({answer, std::move(expectedText)});
  return *this;
}

ScriptedInteraction& ScriptedInteraction::ChooseFile(std::string path) {
  files_.push_back(std::move(path));
  return *this;
}

ScriptedInteraction& ScriptedInteraction::OnModal(std::string formName,
                                                  std::function<void(Form&)> action) {
  modals_.push_back({std::move(formName), std::move(action)});
  return *this;
}

void ScriptedInteraction::Fail(const std::string& what) {
  if (onUnscripted) onUnscripted(what);
  throw UnscriptedPrompt(what);
}

int ScriptedInteraction::Message(const MessageRequest& r) {
  messages.push_back(r);
  if (answers_.empty()) Fail("unscripted message box: \"" + r.text + "\"");
  Expected e = answers_.front();
  answers_.pop_front();
  if (!e.text.empty() && r.text.find(e.text) == std::string::npos)
    Fail("message box \"" + r.text + "\" shown where \"" + e.text + "\" was expected");
  return e.answer;
}

std::string ScriptedInteraction::File(const FileRequest& r) {
  fileDialogs.push_back(r);
  if (files_.empty()) Fail("unscripted file dialog (initial folder \"" + r.initialDir + "\")");
  std::string path = files_.front();
  files_.pop_front();
  return path;
}

void ScriptedInteraction::RunModal(Form& form) {
  const std::string name = form.objectName().toStdString();
  modalForms.push_back(name);
  if (modals_.empty() || modals_.front().form != name)
    Fail("unscripted modal window \"" + name + "\"" +
         (modals_.empty() ? std::string() : " (script expected \"" + modals_.front().form + "\")"));
  Modal m = std::move(modals_.front());
  modals_.pop_front();
  QPointer<Form> guard(&form);
  m.action(form);
  if (guard && guard->isVisible()) guard->hide();
}

void ScriptedInteraction::OpenUrl(const std::string& url) { openedUrls.push_back(url); }

int MsgBox(const std::string& text, int style, const std::string& title) {
  return CurrentInteraction().Message({text, style, title});
}

std::string FileDialog(const FileRequest& request) { return CurrentInteraction().File(request); }

int SilentInteraction::Message(const MessageRequest& request) {
  if (log_) std::fprintf(stderr, "  (message: %s)\n", request.text.c_str());
  return vbOK;
}

bool ReadNumber(const std::string& text, const std::string& field, double& value, int style, const std::string& title) {
  const txt::NumberProblem problem = txt::ParseNumber(text, value);
  if (problem == txt::NumberProblem::None) return true;
  MsgBox(txt::NumberProblemMessage(problem, field, text), style, title);
  return false;
}

bool ReadCount(const std::string& text, const std::string& field, long long lo, long long hi, long long& value,
               int style, const std::string& title) {
  const txt::NumberProblem problem = txt::ParseCount(text, lo, hi, value);
  if (problem == txt::NumberProblem::None) return true;
  MsgBox(txt::NumberProblemMessage(problem, field, text, lo, hi), style, title);
  return false;
}

}  // namespace ui
