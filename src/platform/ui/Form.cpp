#include "platform/ui/Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

#include <map>
#include <vector>

#include "platform/ui/Interaction.h"

namespace ui {
namespace {

struct Entry {
  std::type_index type;
  QPointer<Form> form;
};

std::vector<Entry>& Loaded() {
  static std::vector<Entry> loaded;
  return loaded;
}

std::vector<QPointer<Form>>& PendingDelete() {
  static std::vector<QPointer<Form>> pending;
  return pending;
}

std::vector<QPointer<Form>>& ModalStack() {
  static std::vector<QPointer<Form>> stack;
  return stack;
}

std::string g_title = "Vadezid";
QPointer<Form> g_lastShown;  // the modeless window most recently shown
std::function<void()> g_endHandler;

int ToVbKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Escape: return vbKeyEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vbKeyReturn;
    case Qt::Key_Tab: return vbKeyTab;
    case Qt::Key_Backspace: return vbKeyBack;
    case Qt::Key_Space: return vbKeySpace;
    case Qt::Key_PageUp: return vbKeyPageUp;
    case Qt::Key_PageDown: return vbKeyPageDown;
    case Qt::Key_End: return vbKeyEnd;
    case Qt::Key_Home: return vbKeyHome;
    case Qt::Key_Left: return vbKeyLeft;
    case Qt::Key_Up: return vbKeyUp;
    case Qt::Key_Right: return vbKeyRight;
    case Qt::Key_Down: return vbKeyDown;
    case Qt::Key_Delete: return vbKeyDelete;
    default:
      if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return vbKeyF1 + (qtKey - Qt::Key_F1);
      if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // same codes as 'A'..'Z'
      if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;
      return qtKey & 0xFFFF;
  }
}

int FromVbKey(int vbKey) {
  switch (vbKey) {
    case vbKeyEscape: return Qt::Key_Escape;
    case vbKeyReturn: return Qt::Key_Return;
    case vbKeyTab: return Qt::Key_Tab;
    case vbKeyBack: return Qt::Key_Backspace;
    case vbKeyPageUp: return Qt::Key_PageUp;
    case vbKeyPageDown: return Qt::Key_PageDown;
    case vbKeyEnd: return Qt::Key_End;
    case vbKeyHome: return Qt::Key_Home;
    case vbKeyLeft: return Qt::Key_Left;
    case vbKeyUp: return Qt::Key_Up;
    case vbKeyRight: return Qt::Key_Right;
    case vbKeyDown: return Qt::Key_Down;
    case vbKeyDelete: return Qt::Key_Delete;
    default:
      if (vbKey >= vbKeyF1 && vbKey < vbKeyF1 + 12) return Qt::Key_F1 + (vbKey - vbKeyF1);
      return vbKey;
  }
}

// Gives each form its key events before the focused control sees them.
class KeyPreview : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* form = qobject_cast<Form*>(static_cast<QWidget*>(watched)->window());
    if (!form) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // Every widget on the way up sees the same event: the form takes it once.
    if (key == last_) return false;
    last_ = key;
    int code = ToVbKey(key->key());
    int shift = 0;
    if (key->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (key->modifiers() & Qt::ControlModifier) shift |= 2;
    if (key->modifiers() & Qt::AltModifier) shift |= 4;
    QPointer<Form> guard(form);
    form->Form_KeyDown(code, shift);
    last_ = nullptr;
    return code == 0 || !guard;
  }

 private:
  QKeyEvent* last_ = nullptr;
};

void InstallKeyPreview() {
  static KeyPreview* preview = nullptr;
  if (!preview && qApp) {
    preview = new KeyPreview();
    qApp->installEventFilter(preview);
  }
}

}  // namespace

Form::Form(const QString& name, QWidget* parent) : QDialog(parent) {
  setObjectName(name);
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  InstallKeyPreview();
}

Form::~Form() {
  auto& loaded = Loaded();
  std::erase_if(loaded, [this](const Entry& e) { return e.form == this || e.form.isNull(); });
}

void Form::Show() {
  if (unloading_) return;
  modal_ = false;
  show();
  raise();
  g_lastShown = this;
  Form_Activate();
}

void Form::ShowModal() {
  if (unloading_) return;
  QPointer<Form> opener = ModalStack().empty() ? nullptr : ModalStack().back();
  if (!opener) opener = g_lastShown;
  modal_ = true;
  ModalStack().push_back(this);
  setWindowModality(Qt::ApplicationModal);
  Form_Activate();
  QPointer<Form> self(this);
  struct Pop {
    QPointer<Form> self;
    ~Pop() {
      auto& s = ModalStack();
      std::erase_if(s, [this](const QPointer<Form>& f) { return f.isNull() || f == self; });
    }
  } pop{self};
  CurrentInteraction().RunModal(*this);
  if (self) self->modal_ = false;
  // Returning from a modal window activates the window below it again.
  if (opener && opener != self && !opener->unloading_ && opener->isVisible()) opener->Form_Activate();
}

void Form::Hide() { hide(); }

void Form::closeEvent(QCloseEvent* event) {
  if (unloading_) {
    event->accept();
    return;
  }
  bool cancel = false;
  Form_QueryUnload(cancel, UnloadMode::CloseBox);
  if (cancel) {
    event->ignore();
    return;
  }
  event->ignore();
  Forms::Unload(this);
}

void Form::reject() {}

void Form::done(int r) {
  // A modal run ends by hiding; QDialog::done would also hide.
  QDialog::done(r);
}

Form* Forms::FindByName(const QString& name) {
  for (const auto& e : Loaded())
    if (e.form && !e.form->unloading_ && e.form->objectName() == name) return e.form;
  return nullptr;
}

Form* Forms::FindByType(std::type_index type) {
  for (const auto& e : Loaded())
    if (e.form && !e.form->unloading_ && e.type == type) return e.form;
  return nullptr;
}

void Forms::Register(Form* form, std::type_index type) { Loaded().push_back({type, form}); }

bool Forms::Unload(Form* form) {
  if (!form || form->unloading_) return true;
  bool cancel = false;
  form->Form_QueryUnload(cancel, UnloadMode::Code);
  if (cancel) return false;
  form->unloading_ = true;
  form->Form_Unload();
  if (form->isVisible()) form->hide();
  auto& loaded = Loaded();
  std::erase_if(loaded, [form](const Entry& e) { return e.form == form || e.form.isNull(); });
  // The form may be unloading from inside one of its own handlers: delete it later.
  PendingDelete().push_back(form);
  form->deleteLater();
  return true;
}

void Forms::UnloadAll() {
  while (!Loaded().empty()) {
    Form* f = Loaded().back().form;
    if (!f) {
      Loaded().pop_back();
      continue;
    }
    f->unloading_ = true;
    f->Form_Unload();
    f->hide();
    Loaded().pop_back();
    PendingDelete().push_back(f);
    f->deleteLater();
  }
  FlushDeleted();
}

void Forms::UnloadHidden(const Form* keep) {
  std::vector<QPointer<Form>> hidden;
  for (const auto& e : Loaded())
    if (e.form && e.form != keep && !e.form->unloading_ && !e.form->isVisible()) hidden.push_back(e.form);
  for (auto it = hidden.rbegin(); it != hidden.rend(); ++it)
    if (*it) Unload(it->data());
}

void Forms::FlushDeleted() {
  for (auto& f : PendingDelete())
    if (f) delete f.data();
  PendingDelete().clear();
}

namespace {
std::map<QString, std::function<Form*()>>& Factories() {
  static std::map<QString, std::function<Form*()>> factories;
  return factories;
}
}  // namespace

void Forms::RegisterFactory(const QString& name, std::function<Form*()> load) { Factories()[name] = std::move(load); }

Form* Forms::LoadByName(const QString& name) {
  if (Form* f = FindByName(name)) return f;
  auto it = Factories().find(name);
  return it == Factories().end() ? nullptr : it->second();
}

std::vector<QString> Forms::FactoryNames() {
  std::vector<QString> names;
  for (const auto& entry : Factories()) names.push_back(entry.first);
  return names;
}

std::string ApplicationTitle() { return g_title; }
void SetApplicationTitle(const std::string& title) { g_title = title; }

void DoEvents() {
  if (qApp) QCoreApplication::processEvents();
}

void EndApplication() {
  if (g_endHandler) {
    g_endHandler();
    return;
  }
  Forms::UnloadAll();
  if (qApp) QCoreApplication::exit(0);
}

std::function<void()> SetEndHandler(std::function<void()> handler) {
  auto previous = std::move(g_endHandler);
  g_endHandler = std::move(handler);
  return previous;
}

void SendKey(QWidget* target, int vbKeyCode) {
  QKeyEvent press(QEvent::KeyPress, FromVbKey(vbKeyCode), Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

}  // namespace ui
