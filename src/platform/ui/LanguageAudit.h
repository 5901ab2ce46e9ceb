// Checks that a window speaks the language chosen now: loaded in one language,
// shown again after a switch, it must show what a window loaded fresh in the
// new language shows.
#pragma once

#include <QString>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace ui {

class Form;

// Every text a user reads on a window, by where it stands ("#title",
// "lblTitle", "cboTemp[2]", "vaSpread1:head 3"). Edit boxes hold values, not
// captions, and are left out.
std::map<std::string, std::string> Visible_Texts(const Form& form);

// One text that kept the earlier language.
struct StaleText {
  std::string where;  // as in Visible_Texts
  std::string shown;  // what the window shows after the switch
  std::string fresh;  // what a window loaded in the new language shows
};

// Loads `name` in language `from`, switches to `to` through `setLanguage`, shows
// it again (its activation) and compares with a fresh load in `to`. Only texts
// that differ between the two languages count; every window is unloaded
// afterwards. `prepare` runs before each load (a fresh case, say).
std::vector<StaleText> Audit_Language_Switch(const QString& name, int from, int to,
                                             const std::function<void(int)>& setLanguage,
                                             const std::function<void()>& prepare = {});

}  // namespace ui
