#include "platform/ui/LanguageAudit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

namespace ui {
namespace {

std::string Where(const QObject* o) {
  const QString n = o->objectName();
  return (n.isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : n).toStdString();
}

void Put(std::map<std::string, std::string>& out, std::string key, const QString& text) {
  // Two controls of one name (option arrays) keep both texts.
  while (out.count(key)) key += "'";
  out[key] = text.toStdString();
}

Form* Load(const QString& name, int language, const std::function<void(int)>& setLanguage,
           const std::function<void()>& prepare) {
  if (prepare) prepare();
  setLanguage(language);
  Form* f = Forms::LoadByName(name);
  if (f) f->Form_Activate();
  return f;
}

}  // namespace

std::map<std::string, std::string> Visible_Texts(const Form& form) {
  std::map<std::string, std::string> out;
  out["#title"] = form.windowTitle().toStdString();
  for (const QObject* o : form.findChildren<QObject*>()) {
    if (const auto* l = qobject_cast<const QLabel*>(o)) Put(out, Where(o), l->text());
    else if (const auto* b = qobject_cast<const QAbstractButton*>(o)) Put(out, Where(o), b->text());
    else if (const auto* g = qobject_cast<const QGroupBox*>(o)) Put(out, Where(o), g->title());
    else if (const auto* c = qobject_cast<const QComboBox*>(o)) {
      for (int i = 0; i < c->count(); ++i) Put(out, Where(o) + "[" + std::to_string(i) + "]", c->itemText(i));
    } else if (const auto* t = qobject_cast<const QTabWidget*>(o)) {
      for (int i = 0; i < t->count(); ++i) Put(out, Where(o) + "[" + std::to_string(i) + "]", t->tabText(i));
    } else if (const auto* s = qobject_cast<const SpreadGrid*>(o)) {
      for (int col = 1; col <= s->MaxCols(); ++col) Put(out, Where(o) + ":head " + std::to_string(col), QString::fromStdString(s->Text(col, 0)));
      for (int r = 1; r <= s->MaxRows() && r <= 40; ++r)
        Put(out, Where(o) + ":row " + std::to_string(r), QString::fromStdString(s->Text(0, r)));
    }
  }
  return out;
}

std::vector<StaleText> Audit_Language_Switch(const QString& name, int from, int to,
                                             const std::function<void(int)>& setLanguage,
                                             const std::function<void()>& prepare) {
  std::vector<StaleText> stale;
  std::map<std::string, std::string> before, after, fresh;
  if (Form* f = Load(name, from, setLanguage, prepare)) {
    before = Visible_Texts(*f);
    setLanguage(to);
    f->Form_Activate();
    after = Visible_Texts(*f);
  }
  Forms::UnloadAll();
  if (Form* f = Load(name, to, setLanguage, prepare)) fresh = Visible_Texts(*f);
  Forms::UnloadAll();
  for (const auto& [where, text] : fresh) {
    const auto b = before.find(where), a = after.find(where);
    if (b == before.end() || a == after.end()) continue;
    // A text the two languages share says nothing; one still in the old
    // language does.
    if (b->second != text && a->second != text) stale.push_back({where, a->second, text});
  }
  return stale;
}

}  // namespace ui
