// Helpers shared by the case dialogs: the current language, the dialog caption
// and the summary labels of the main window that the active-program code names.
#pragma once

#include <QString>

#include <string>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

namespace dlg {

// The window caption of a shared dialog: `Prog_Title` followed by its title word.
QString Dialog_Caption(const char* japanese, const char* english);

// Captions a shared dialog with the program that shows it now. Each showing
// calls it, not only the load: the units, K-value and enthalpy dialogs stay
// loaded for the main windows' summaries, and the next program to show one
// must not find the previous program's name on it.
void Set_Dialog_Caption(ui::Form& dialog, const char* japanese, const char* english);

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

// The number a box or grid cell holds when its whole text is one finite number;
// otherwise a message naming `field` (the caption the user sees beside it) says
// why it is refused, `value` is left alone and the result is false.
bool Read_Number(const QString& text, const std::string& field, double& value);

// A grid cell of constants where an empty cell means "not entered" and gives 0:
// any other text must be wholly a number, else refused as above. The field
// name is the row's and the column's heading.
bool Read_Cell(const ui::SpreadGrid& grid, int col, int row, const std::string& rowName, double& value);

// A count typed into a box or cell: wholly a number, rounded half to even and
// within lo..hi (checked before conversion); otherwise refused as above.
bool Read_Count(const QString& text, const std::string& field, long long lo, long long hi, long long& value);

// A field's name for a refusal message: the caption without its access-key
// ampersand and trailing colon, e.g. "Reflux Ratio" for "Reflux Ratio(&R):".
std::string Field_Name(const QString& caption);

}  // namespace dlg
