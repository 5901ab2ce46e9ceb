// What the six lookup dialogs share: the list grid, the not-found label, OK and
// Cancel, the selected row, the select-a-row message and the database's opening.
#pragma once

#include <QLabel>
#include <QPushButton>

#include <optional>
#include <string>
#include <vector>

#include "database/PropertyDb.h"
#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

class DbLookupForm : public ui::Form {
  Q_OBJECT

 public:
  void Form_Load() override;
  // Caption, headings and buttons in the language chosen now.
  void Set_Captions();
  // Takes the key from the opener, searches and lists the data sets.
  void Form_Activate() override;
  void Form_KeyDown(int& keyCode, int shift) override;
  void cmdOK_Click();
  void cmdCancel_Click();
  void vaSpread1_Click(int col, int row);

  // 0 before a listing and when nothing was found, 1 after a listing, then the clicked row.
  int Selected_Row() const { return selected_; }

  ui::SpreadGrid* vaSpread1;
  QLabel* lblDBSearchError;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 protected:
  DbLookupForm(const char* name, int columns);

  struct Captions {
    const char* ja;
    const char* en;
  };
  virtual Captions Caption() const = 0;
  virtual Captions Not_Found() const = 0;
  // Headings of row 0, columns 1..: Japanese and English.
  virtual std::vector<Captions> Headings() const = 0;
  // The database columns listed in grid columns 1.. (empty name = left empty).
  virtual std::vector<std::string> Listed_Columns() const = 0;
  // Finds the key in the opener and searches; sets found_table_.
  virtual std::vector<vzdb::Record> Search(vzdb::PropertyDb& db) = 0;
  // Fetches the chosen row again and copies it to the opener; false when
  // nothing was copied (the select-a-row message follows).
  virtual bool Copy(vzdb::PropertyDb& db, int row) = 0;
  // The Kij and enthalpy lookups title their message with the application's title.
  virtual bool Message_With_App_Title() const { return false; }
  // Runs as the dialog closes (copied or not) and after the select-a-row message.
  virtual void Give_Back_Opener_Button() {}

  // The chosen row's data set fetched again by its Name (column 2) and Index
  // (column 3); nullopt when the name is empty or no such row is stored.
  std::optional<vzdb::Record> Fetch_Chosen(vzdb::PropertyDb& db, const char* table, int row) const;
  // The data-set index listed in column 3 of `row`; nothing when the text is no
  // whole number within the range an index is stored in.
  std::optional<long long> Listed_Index(int row) const;
  void Show_Select_Row_Message();
  void Close();
  void Fill(const std::vector<vzdb::Record>& rows);

  int selected_ = 0;
  int columns_;
};

// The text of a grid's cell that a lookup takes as its key: the active cell,
// else its neighbour in column 2 (from column 1) or column 1. Makes the active
// cell current.
std::string Key_From_Grid(ui::SpreadGrid* grid);

// A grid of an opener, by the window's name and the grid's name; nullptr when
// that window is not loaded.
ui::SpreadGrid* Opener_Grid(const char* form, const char* grid);
