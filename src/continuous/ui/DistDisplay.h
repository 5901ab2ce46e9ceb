// What the column program's windows share: captions in the user's language, the
// summary of the main window and the file-name labels.
#pragma once

#include <QString>

#include <initializer_list>
#include <string>

class QWidget;

namespace dist {

// One control's caption in Japanese and English.
struct Caption {
  const char* control;  // control name; nullptr for the window caption
  const char* japanese;
  const char* english;
};

// Writes the captions of `form` for the language flag: Japanese for 0, English
// for 1. With any other value nothing is written (the design captions stay), or,
// when `design` is set, the Japanese captions are written regardless (the look
// of a window before it loads).
void Apply_Captions(QWidget* form, std::initializer_list<Caption> captions, bool design = false);

// True when the language flag names a language the captions know (0 or 1).
bool Language_Known();

// The loaded column main window, or nullptr.
QWidget* Main_Window();

// Shows the main window's result button and, beside "Result File Name=", the
// file the run wrote its results to (Result.dat), or nothing when `written` is
// false: a run ended with results.
void Show_Result_Button(bool written = true);

// After a run whose results could not be written to Result.dat: an earlier
// Result.dat in the data folder would be read later by the continue button as if
// it were this run, so it is removed (a file or a link, never a folder). One
// that cannot be removed is remembered and refused by Result_File_Is_Stale.
// Returns what to tell the user, in the chosen language.
std::string Discard_Unsaved_Result();

// Forgets a remembered stale Result.dat (a later run wrote its results).
void Forget_Stale_Result();

// True when `path` is the Result.dat an unsaved run left behind, unchanged since.
bool Result_File_Is_Stale(const std::string& path);

// " " and the part of `path` after its last folder separator.
std::string File_Name_Text(const std::string& path);

}  // namespace dist

// Puts the shared dialogs' unit and model lists in line with the case, rewrites
// the summary labels of the column main window and the material balance
// (Feed_Sum, Side_Sum, Bottom_Flow, kmol/h), which reports a bottoms flow of 0 or
// less unless `reportBottoms` is false (a refresh after no input of the user's:
// an emptied case, a refused file read).
void Set_Dist_Display_Data(bool reportBottoms = true);

// Shows the name of Data_File in the main window: 0 beside "Data File Name="
// (after a read), any other value beside "Result File Name=" (after a write).
void Disp_File_Name(int which);
