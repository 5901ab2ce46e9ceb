#include "platform/ui/Interaction.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

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

int RealInteraction::Message(const MessageRequest& r) {
  QMessageBox box;
  box.setWindowTitle(Q(r.title.empty() ? ApplicationTitle() : r.title));
  box.setText(Q(r.text));
  switch (r.style & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  struct B { QMessageBox::StandardButton button; int result; };
  std::vector<B> buttons;
  switch (r.style & 0x7) {
    case vbOKCancel: buttons = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
    case vbAbortRetryIgnore:
      buttons = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
      break;
    case vbYesNoCancel:
      buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
      break;
    case vbYesNo: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
    case vbRetryCancel: buttons = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
    default: buttons = {{QMessageBox::Ok, vbOK}}; break;
  }
  for (const auto& b : buttons) box.addButton(b.button);
  std::size_t def = (r.style & vbDefaultButton3) ? 2 : (r.style & vbDefaultButton2) ? 1 : 0;
  if (def < buttons.size()) box.setDefaultButton(buttons[def].button);
  const int pressed = box.exec();
  for (const auto& b : buttons)
    if (pressed == b.button) return b.result;
  // Closing the box answers Cancel where there is one, else the only button.
  return buttons.size() > 1 ? vbCancel : vbOK;
}

std::string RealInteraction::File(const FileRequest& r) {
  QString filter = Q(r.filter);
  // "Description|pattern" becomes Qt's "Description (pattern)" form.
  if (const int bar = filter.indexOf('|'); bar >= 0) filter = filter.left(bar);
  QString start = Q(r.initialDir);
  if (!r.fileName.empty()) start += "/" + Q(r.fileName);
  QFileDialog dialog(nullptr, Q(r.title), start, filter);
  dialog.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  QString ext = Q(r.defaultExt);
  ext.remove("*.");
  if (!ext.isEmpty()) dialog.setDefaultSuffix(ext);
  if (!r.save && r.fileName == "Dummy") dialog.setFileMode(QFileDialog::AnyFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
  return dialog.selectedFiles().front().toStdString();
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
