// The flash case file: the common head ("Distillation Data" and the memo), NC on
// a record of its own, the component block in its flash layout, the five method
// and unit codes, the window's temperature and pressure, and the feed.
#pragma once

#include <string>

#include "flash/FlashCase.h"
#include "platform/text/SeqFile.h"

// How a read ended.
enum class FlashReadStatus {
  Read,         // the whole file was read into the case
  WrongHeader,  // the first field is not "Distillation Data": nothing was read
  Rejected,     // the file cannot be read as a flash case (short, malformed, another
                // program's layout, counts out of range): the case is unchanged
};

struct FlashReadResult {
  FlashReadStatus status = FlashReadStatus::Read;
  std::string reason;  // for Rejected: what is wrong, naming the line
  std::string notice;  // for Read: how the text was decoded, when the user must be told
};

// The header message, shown in Japanese whatever the language.
inline constexpr const char* kFlashWrongFileMessage = "Flash計算のデータファイルではありません";

// The case file records for the current case and the window's temperature and
// pressure (display units), and the same as text.
seqfile::Writer Flash_File_Writer(const FlashWindowValues& win);
std::string Flash_File_Text(const FlashWindowValues& win);

// Why the file for the current case and `win` would not read back (a code off
// its list, a value out of its range), naming the field and the line; empty
// when it would. Nothing that would be refused is ever written.
std::string Flash_File_Refusal(const FlashWindowValues& win);

// Writes the case to `path`, replacing it only once the whole file is written;
// refuses (false, the reason in `error`) a case Flash_File_Refusal refuses.
bool Save_Flash_Data(const std::string& path, const FlashWindowValues& win, std::string* error = nullptr);

// Reads a flash case file into the case and `win`. The file is read whole into a
// copy of the case first; the case and `win` change only when every record was read.
// Fields a file does not reach (slots above its NC) keep their earlier values.
FlashReadResult Read_Flash_Data(const std::string& path, FlashWindowValues& win);
// The same from text already in memory.
FlashReadResult Read_Flash_Text(const std::string& text, FlashWindowValues& win);

// The message the window shows for a rejected file.
std::string Flash_Read_Failure_Message(const FlashReadResult& result);
