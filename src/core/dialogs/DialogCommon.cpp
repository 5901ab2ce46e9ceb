#include "core/dialogs/DialogCommon.h"

#include <QRegularExpression>

#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/QLanguage.h"

namespace dlg {

QString Dialog_Caption(const char* japanese, const char* english) {
  return ui::Q(Case.Prog_Title) + QInLanguage(japanese, english);
}

void Set_Dialog_Caption(ui::Form& dialog, const char* japanese, const char* english) {
  dialog.SetCaption(Dialog_Caption(japanese, english));
}

const char* Main_Window_Name(int programMode) {
  switch (programMode) {
    case 0: return "frmDistMain";
    case 1: return "frmBatchDistillationMain";
    case 2: return "frmFlash";
    default: return nullptr;
  }
}

ui::Form* Program_Main_Window() {
  const char* name = Main_Window_Name(Case.Program_Mode);
  return name ? ui::Forms::FindByName(QString::fromLatin1(name)) : nullptr;
}

void Write_Main_Label(const char* distLabel, const char* batchLabel, const char* flashLabel,
                      const std::string& text) {
  const char* label = nullptr;
  switch (Case.Program_Mode) {
    case 0: label = distLabel; break;
    case 1: label = batchLabel; break;
    case 2: label = flashLabel; break;
    default: return;
  }
  if (label) ui::SetControlText(Program_Main_Window(), label, text);
}

bool Read_Number(const QString& text, const std::string& field, double& value) {
  return ui::ReadNumber(ui::S(text), field, value);
}

bool Read_Cell(const ui::SpreadGrid& grid, int col, int row, const std::string& rowName, double& value) {
  const std::string text = grid.Text(col, row);
  if (text.find_first_not_of(" \t") == std::string::npos) {
    value = 0;
    return true;
  }
  return Read_Number(ui::Q(text), rowName + " " + Field_Name(ui::Q(grid.Text(col, 0))), value);
}

bool Read_Count(const QString& text, const std::string& field, long long lo, long long hi, long long& value) {
  return ui::ReadCount(ui::S(text), field, lo, hi, value);
}

std::string Field_Name(const QString& caption) {
  QString name = caption;
  name.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
  name = name.trimmed();
  while (name.endsWith(QLatin1Char(':')) || name.endsWith(QChar(0xFF1A))) name.chop(1);
  return ui::S(name.trimmed());
}

}  // namespace dlg
