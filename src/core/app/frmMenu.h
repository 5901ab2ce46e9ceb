// The main menu: start-up (platform check, single instance, data folder,
// language, database path) and the nine program buttons.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"

constexpr const char* kVersionText = "Ver.05.1010";

class frmMenu : public ui::Form {
  Q_OBJECT

 public:
  frmMenu();

  void Form_Load() override;
  void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override;

  // True only on an accepted platform.
  bool Check_OS_Version();

  // The program buttons, by running-program number 0..8.
  void Program_Click(int programNo);
  void cmdDistillation_Click() { Program_Click(0); }
  void cmdBatchDistillation_Click() { Program_Click(1); }
  void cmdFlashCalculation_Click() { Program_Click(2); }
  void cmdVaporPress_Click() { Program_Click(3); }
  void cmdVLE_Estimation_Click() { Program_Click(4); }
  void cmdUNIFAC_Click() { Program_Click(5); }
  void cmdPhycalProperty_Click() { Program_Click(6); }
  void cmdDBMentenance_Click() { Program_Click(7); }
  void cmdDBMentenance2_Click() { Program_Click(8); }
  void cmdExit_Click();
  void cmdDataDir_Click();
  void cmdMyDocuments_Click();
  void optLanguage_Click(int index);

  QLabel* lblTitle;
  QLabel* lblVersion;
  QLabel* lblDataDir;
  QPushButton* cmdProgram[9];
  QPushButton* cmdExit;
  QPushButton* cmdDataDir;
  QPushButton* cmdMyDocuments;
  QGroupBox* fraLanguage;
  ui::OptionArray optLanguage;

  // Set when the start-up refused to go on (the application is ending).
  bool startupRefused = false;

 private:
  // Shows the data folder on the menu: the documents folder is created when
  // missing (a failure said once), a chosen folder that is gone is marked.
  void Show_Data_Dir();
  // Writes the folder text into lblDataDir, shortened in the middle to fit.
  void Fit_Data_Dir();
  void resizeEvent(QResizeEvent* event) override;
  bool createFailureShown_ = false;
  QString dataDirText_;
};

// The program buttons' names and captions, by running-program number.
struct ProgramButton {
  const char* name;
  const char* captionJa;
  const char* captionEn;
  const char* tooltip;
};
extern const ProgramButton kProgramButtons[9];

// The suite's title in both languages.
extern const char* const kSuiteTitleJa;
extern const char* const kSuiteTitleEn;
