// The language of Qt's own texts in the standard dialogs: the file dialogs, and
// the Yes / No / Cancel buttons of message boxes.
#pragma once

namespace ui {

// Japanese loads Qt's own Japanese translation (package qt6-translations-l10n)
// for the whole application; English removes it, leaving Qt's English. False
// when the Japanese translation is not installed: the dialogs then stay English.
bool Use_Standard_Dialog_Language(bool japanese);

}  // namespace ui
