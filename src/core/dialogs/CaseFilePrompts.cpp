#include "core/dialogs/CaseFilePrompts.h"

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/ui/Interaction.h"

namespace {

bool InEnglish(PromptLanguage language) { return language == PromptLanguage::Current && In_English(); }

bool AskYes(const std::string& text, const std::string& title = "") {
  return ui::MsgBox(text, ui::vbYesNoCancel | ui::vbQuestion, title) == ui::vbYes;
}

}  // namespace

std::string Case_File_Dialog(bool save, const std::string& defaultExt) {
  ui::FileRequest request;
  request.save = save;
  request.initialDir = Case.Data_Dir;
  request.defaultExt = defaultExt;
  request.filter = "データ ファイル (*.dat)|*.dat";
  std::string path = ui::FileDialog(request);
  if (!path.empty()) Case.Data_File = path;
  return path;
}

bool Confirm_Case_Read(const std::string& file, PromptLanguage language) {
  return AskYes(InEnglish(language) ? "Read [ " + file + " ]？" : "[ " + file + " ] を読み込みます？");
}

bool Confirm_Case_Save(const std::string& file, PromptLanguage language, const std::string& saveTitle) {
  const bool en = InEnglish(language);
  if (!AskYes(en ? "Save [ " + file + " ]？" : "[ " + file + " ] を保存しますか？", saveTitle)) return false;
  if (!seqfile::FileExists(file)) return true;
  return AskYes(en ? "exist [ " + file + " ] , Over-Write？" : "[ " + file + " ] が存在します。上書きしますか？");
}

std::string Choose_Case_File_To_Read(PromptLanguage language) {
  const std::string path = Case_File_Dialog(false, "*.dat");
  if (path.empty() || !Confirm_Case_Read(path, language)) return "";
  return path;
}

std::string Choose_Case_File_To_Save(const std::string& defaultExt, PromptLanguage language,
                                     const std::string& saveTitle) {
  const std::string path = Case_File_Dialog(true, defaultExt);
  if (path.empty() || !Confirm_Case_Save(path, language, saveTitle)) return "";
  return path;
}

bool Save_Case_File(const seqfile::Writer& content, const std::string& path, PromptLanguage language) {
  seqfile::FileFault fault = seqfile::FileFault::None;
  if (seqfile::SaveAtomic(path, content.Content(), nullptr, &fault)) return true;
  // A save that did not reach the disk must not pass for one that did; the
  // reason (disk full, permission, read-only) speaks the prompt's language.
  const bool en = InEnglish(language);
  const std::string why = seqfile::FaultText(fault, "", en);
  ui::MsgBox(en ? "Could not save [ " + path + " ] : " + why : "[ " + path + " ] を保存できませんでした。" + why,
             ui::vbOKOnly | ui::vbExclamation);
  return false;
}
