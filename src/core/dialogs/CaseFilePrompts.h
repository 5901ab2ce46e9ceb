// The file dialog and the Yes/No/Cancel prompts that every read and save of a
// case file goes through.
#pragma once

#include <string>

#include "platform/text/SeqFile.h"

// Which language the prompts speak: the user's, or Japanese whatever the
// language flag says (the flash program's prompts).
enum class PromptLanguage { Current, Japanese };

// Shows the open (save = false) or save dialog for case files, starting in
// `Data_Dir` with the case-file filter. Returns the chosen full path and stores it
// in `Data_File`; a cancelled dialog returns "" and leaves `Data_File` unchanged.
std::string Case_File_Dialog(bool save, const std::string& defaultExt = "*.dat");

// "[ file ] を読み込みます？" / "Read [ file ]？": true only when answered Yes.
bool Confirm_Case_Read(const std::string& file, PromptLanguage language = PromptLanguage::Current);

// "[ file ] を保存しますか？" / "Save [ file ]？" and, after Yes, when the file
// exists, "[ file ] が存在します。上書きしますか？" / "exist [ file ] , Over-Write？":
// true only when every prompt shown was answered Yes. The save question carries
// `saveTitle` (the column program gives its program title), the application's
// title when empty; the overwrite question always the application's title.
bool Confirm_Case_Save(const std::string& file, PromptLanguage language = PromptLanguage::Current,
                       const std::string& saveTitle = "");

// The open dialog followed by the read prompt: the confirmed path, or "" when the
// user cancelled either of them.
std::string Choose_Case_File_To_Read(PromptLanguage language = PromptLanguage::Current);

// The save dialog followed by the save and overwrite prompts: the confirmed path,
// or "" when the user cancelled any of them.
std::string Choose_Case_File_To_Save(const std::string& defaultExt = "*.dat",
                                     PromptLanguage language = PromptLanguage::Current,
                                     const std::string& saveTitle = "");

// Puts the writer's content into `path` (beside it, then renamed, so a failed
// save keeps the previous file). A failure is shown in a message box naming the
// file and the reason; returns whether the file was saved.
bool Save_Case_File(const seqfile::Writer& content, const std::string& path,
                    PromptLanguage language = PromptLanguage::Current);
