// Every prompt a user answers (message boxes, file dialogs, modal windows, links
// opened in the shell) goes through one interaction service. The program uses
// the real one; tests install a ScriptedInteraction that answers from a script
// and fails the test at once on a prompt the script did not expect.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class QFileDialog;
class QMessageBox;
class QWidget;

namespace ui {

class Form;

// Message box styles and answers, with the values the windows' code is written in.
enum MsgStyle : int {
  vbOKOnly = 0,
  vbOKCancel = 1,
  vbAbortRetryIgnore = 2,
  vbYesNoCancel = 3,
  vbYesNo = 4,
  vbRetryCancel = 5,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
  vbDefaultButton2 = 256,
  vbDefaultButton3 = 512,
};
enum MsgResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

struct MessageRequest {
  std::string text;
  int style = vbOKOnly;
  std::string title;
};

// An open or save file dialog; the answer is the chosen full path, "" when cancelled.
struct FileRequest {
  bool save = false;
  std::string title;
  std::string initialDir;
  std::string fileName;     // pre-filled name ("Dummy" for the folder choice)
  std::string defaultExt;   // "dat" or "*.dat"
  std::string filter = "データ ファイル (*.dat)|*.dat";
};

class Interaction {
 public:
  virtual ~Interaction() = default;
  virtual int Message(const MessageRequest& request) = 0;
  virtual std::string File(const FileRequest& request) = 0;
  // Runs a form modally: returns when the form is hidden or unloaded.
  virtual void RunModal(Form& form) = 0;
  virtual void OpenUrl(const std::string& url) = 0;
};

Interaction& CurrentInteraction();
// Installs a service (nullptr restores the real one); returns the previous one.
Interaction* SetInteraction(Interaction* service);

// The real service: Qt message boxes and file dialogs, QDialog::exec.
class RealInteraction : public Interaction {
 public:
  int Message(const MessageRequest& request) override;
  std::string File(const FileRequest& request) override;
  void RunModal(Form& form) override;
  void OpenUrl(const std::string& url) override;
};

// The box the real service shows for a request, built but not shown: its title
// (the application's title when the request has none), text, icon and buttons,
// and wide enough that the window frame shows the title whole.
std::unique_ptr<QMessageBox> NewMessageBox(const MessageRequest& request);
// The file dialog RealInteraction runs for `request`, not yet shown.
std::unique_ptr<QFileDialog> NewFileDialog(const FileRequest& request);
// The width in pixels a window needs for its frame to show `title` whole: the
// title's text in a title bar's font and the frame's icon, buttons and borders.
int TitleWidthPx(const QWidget& window, const std::string& title);

// Answers every prompt at once: a message box with its first button, a file
// dialog as cancelled, a modal window not run. For the off-screen tools (the
// gallery, the language audit), where no user is there to answer; with
// `logMessages` each message's text goes to standard error.
class SilentInteraction : public Interaction {
 public:
  explicit SilentInteraction(bool logMessages = false) : log_(logMessages) {}
  int Message(const MessageRequest& request) override;
  std::string File(const FileRequest&) override { return ""; }
  void RunModal(Form&) override {}
  void OpenUrl(const std::string&) override {}

 private:
  bool log_;
};

// A prompt that no script answered.
class UnscriptedPrompt : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Answers prompts from a script, in order. Every message box, file dialog and
// modal window must be expected; anything else fails at once.
class ScriptedInteraction : public Interaction {
 public:
  // The next message box is answered with `answer`; when `expectedText` is not
  // empty the box's text must contain it.
  ScriptedInteraction& Answer(int answer, std::string expectedText = "");
  // The next file dialog returns `path` ("" = cancelled).
  ScriptedInteraction& ChooseFile(std::string path);
  // The next modal showing of the form named `formName` runs `action` on it (fill
  // it, press its buttons); a form still shown afterwards is hidden.
  ScriptedInteraction& OnModal(std::string formName, std::function<void(Form&)> action);

  int Message(const MessageRequest& request) override;
  std::string File(const FileRequest& request) override;
  void RunModal(Form& form) override;
  void OpenUrl(const std::string& url) override;

  // What was shown, in order.
  std::vector<MessageRequest> messages;
  std::vector<FileRequest> fileDialogs;
  std::vector<std::string> modalForms;
  std::vector<std::string> openedUrls;

  // Prompts still expected but never shown.
  std::size_t Pending() const { return answers_.size() + files_.size() + modals_.size(); }

  // Called before an UnscriptedPrompt is thrown (tests report the failure there).
  std::function<void(const std::string&)> onUnscripted;

 private:
  [[noreturn]] void Fail(const std::string& what);

  struct Expected {
    int answer;
    std::string text;
  };
  struct Modal {
    std::string form;
    std::function<void(Form&)> action;
  };
  std::deque<Expected> answers_;
  std::deque<std::string> files_;
  std::deque<Modal> modals_;
};

// Shortcuts the windows use.
int MsgBox(const std::string& text, int style = vbOKOnly, const std::string& title = "");
std::string FileDialog(const FileRequest& request);

// A box's text as a number (wholly one, finite) or a count within lo..hi. On a
// refusal the message naming `field` is shown in a message box of `style` and
// `title`, `value` is left alone and false is returned.
bool ReadNumber(const std::string& text, const std::string& field, double& value, int style = vbOKOnly,
                const std::string& title = "");
bool ReadCount(const std::string& text, const std::string& field, long long lo, long long hi, long long& value,
               int style = vbOKOnly, const std::string& title = "");

}  // namespace ui
