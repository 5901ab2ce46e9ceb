// Helpers shared by the case dialogs: the current language, the dialog caption
// and the summary labels of the main window that the active-program code names.
#pragma once

#include <QString>

#include <string>

#include "platform/ui/Form.h"

namespace dlg {

// True when the captions are English (`Language` 1).
bool English();

// The caption for the current language.
QString Pick(const char* japanese, const char* english);

// The window caption of a shared dialog: `Prog_Title` followed by its title word.
QString Dialog_Caption(const char* japanese, const char* english);

// Window name of the main window for an active-program code (0 frmDistMain,
// 1 frmBatchDistillationMain, 2 frmFlash); nullptr for any other code.
const char* Main_Window_Name(int programMode);

// The loaded main window that `Program_Mode` names, or nullptr.
ui::Form* Program_Main_Window();

// Writes `text` into the summary label of that main window: `distLabel` for the
// column, `batchLabel` for the batch and `flashLabel` for the flash program (a
// nullptr label writes nothing for that program).
void Write_Main_Label(const char* distLabel, const char* batchLabel, const char* flashLabel,
                      const std::string& text);

}  // namespace dlg
