// Windows ("forms") with the life cycle the program's windows are written for:
// Load once when first used, Activate whenever shown or returned to, QueryUnload
// before closing (the close box is refused unless a form allows it), Unload, and
// key events that the form sees before its controls.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

#include <functional>
#include <string>
#include <typeindex>
#include <vector>

namespace ui {

// Why a form is asked to unload.
enum class UnloadMode { CloseBox = 0, Code = 1 };

// Key codes as the windows test them.
enum KeyCode : int {
  vbKeyBack = 8, vbKeyTab = 9, vbKeyReturn = 13, vbKeyEscape = 27, vbKeySpace = 32,
  vbKeyPageUp = 33, vbKeyPageDown = 34, vbKeyEnd = 35, vbKeyHome = 36,
  vbKeyLeft = 37, vbKeyUp = 38, vbKeyRight = 39, vbKeyDown = 40, vbKeyDelete = 46,
  vbKeyF1 = 112,
};

class Form : public QDialog {
  Q_OBJECT

 public:
  // `name` is the window's name (`frmUnit`): forms are found and scripted by it.
  explicit Form(const QString& name, QWidget* parent = nullptr);
  ~Form() override;

  // Life-cycle events, overridden by each window.
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  // Set `cancel` to keep the form. By default the close box is refused and
  // unloads by the program pass.
  virtual void Form_QueryUnload(bool& cancel, UnloadMode mode) { cancel = mode == UnloadMode::CloseBox; }
  virtual void Form_Unload() {}
  // Seen before the focused control; set keyCode to 0 to swallow the key.
  virtual void Form_KeyDown(int& keyCode, int shift) { (void)keyCode; (void)shift; }

  // Shows the form without blocking (loading it first when needed) and activates it.
  void Show();
  // Shows the form modally through the interaction service; returns when it is
  // hidden or unloaded. The window that was active before gets Activate again.
  void ShowModal();
  bool IsModal() const { return modal_; }
  // Hides without unloading (the form keeps its state).
  void Hide();

  // A control of this form by name (nullptr when it has none).
  template <typename W>
  W* Ctl(const char* name) const { return findChild<W*>(QString::fromLatin1(name)); }

  // Caption of the window.
  void SetCaption(const QString& caption) { setWindowTitle(caption); }
  QString Caption() const { return windowTitle(); }

  bool Unloading() const { return unloading_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;  // the Escape key is the form's to handle, not the dialog's
  void done(int r) override;

 private:
  friend class Forms;
  bool unloading_ = false;
  bool modal_ = false;
};

// The loaded forms, by name: one instance per window at a time, as the program
// expects (a form unloaded and used again starts from its definition).
class Forms {
 public:
  // The loaded instance of T, loading it (construct + Form_Load, hidden) first when needed.
  template <typename T>
  static T& Get() {
    if (T* f = Find<T>()) return *f;
    T* f = new T();
    Register(f, typeid(T));
    f->Form_Load();
    return *f;
  }
  // The loaded instance of T, or nullptr.
  template <typename T>
  static T* Find() { return dynamic_cast<T*>(FindByType(typeid(T))); }
  // A loaded form by window name, or nullptr.
  static Form* FindByName(const QString& name);
  static bool IsLoaded(const QString& name) { return FindByName(name) != nullptr; }
  // Unloads a form: QueryUnload (by code), Unload, then it is gone. False when
  // the form refused.
  static bool Unload(Form* form);
  template <typename T>
  static bool Unload() { T* f = Find<T>(); return f ? Unload(f) : true; }
  // Unloads every form (tests and the end of the application).
  static void UnloadAll();
  // Unloads every loaded form that is not shown, except `keep`, newest first:
  // what a window wrote at its load (captions in the language of that moment)
  // is written afresh when it is next used.
  static void UnloadHidden(const Form* keep);
  // Deletes unloaded forms whose deletion is still pending.
  static void FlushDeleted();

  // Windows that other libraries open without linking to them (a case dialog
  // opening a database lookup) register a loader under their name.
  static void RegisterFactory(const QString& name, std::function<Form*()> load);
  // The loaded form of that name, or the one its registered loader loads;
  // nullptr when no such window is known.
  static Form* LoadByName(const QString& name);
  // The names of every window with a registered loader.
  static std::vector<QString> FactoryNames();

 private:
  static void Register(Form* form, std::type_index type);
  static Form* FindByType(std::type_index type);
};

// The application's title: message boxes without a title of their own carry it.
std::string ApplicationTitle();
void SetApplicationTitle(const std::string& title);

// Lets pending window events run (long calculations call it once per step).
void DoEvents();

// Ends the application (after its message, where there is one). Tests install a
// handler that records the request instead.
void EndApplication();
std::function<void()> SetEndHandler(std::function<void()> handler);

// Sends a key to a widget as the keyboard would (the form sees it first).
void SendKey(QWidget* target, int vbKeyCode);

struct FormFactoryRegistrar {
  FormFactoryRegistrar(const char* name, std::function<Form*()> load) {
    Forms::RegisterFactory(QString::fromLatin1(name), std::move(load));
  }
};

}  // namespace ui

// VZ_FORM_FACTORY(frmDBAntoine): lets other code load frmDBAntoine by name. The
// executables link window libraries whole, so these registrations are kept.
#define VZ_FORM_FACTORY(Type)                                                  \
  static ::ui::FormFactoryRegistrar vz_form_factory_##Type(#Type, [] {         \
    return static_cast<::ui::Form*>(&::ui::Forms::Get<Type>());                \
  })
