// The K-value model dialog: the vapour-liquid equilibrium model of the case, the
// Antoine and critical constants of its components and the binary interaction
// matrix the model needs, with the Antoine and binary-parameter lookups.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Form.h"
#include "platform/ui/SpreadGrid.h"

struct CaseData;

class frmK_Value : public ui::Form {
  Q_OBJECT

 public:
  frmK_Value();
  ~frmK_Value() override;
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload() override;
  void Form_KeyDown(int& keyCode, int shift) override;

  // Model choice, run when the user picks an entry and when the program selects
  // one; `position` is the list position (K_Method - 1), -1 for none.
  void cboK_Value_Click(int position);
  void txtNRTLAlpha_Change();
  void vaSpreadAntoine_Click(int col, int row);
  void vaSpreadWilson_Click(int col, int row);
  void cmdDBAntoine_Click();
  void cmdDBWilson_Click();
  void cmdOK_Click();
  void cmdCancel_Click();

  // Selects the list entry of the stored `K_Method` (running the model choice)
  // and returns its text; what the column, batch and flash summaries read.
  std::string Select_Stored_Model();

  QComboBox* cboK_Value;
  ui::SpreadGrid* vaSpreadAntoine;  // 1 name, 2-4 Antoine A B C, 5 Tc, 6 Pc, 7 Vc, 8 omega
  QGroupBox* fraWison;
  ui::SpreadGrid* vaSpreadWilson;   // cell (row i, column j) = element (i, j)
  QLabel* lblWilson;
  QPushButton* cmdDBWilson;
  QLabel* lblNRTLAlpha;
  QLineEdit* txtNRTLAlpha;
  QPushButton* cmdDBAntoine;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QLabel* lblK_Value;
  QLabel* lblAntoine;
  QLabel* lblAntoineEquation;

  // A dialog loaded hidden before the language changed takes the captions and
  // list texts of the language chosen now, keeping its selection.
  void Follow_Language();

 private:
  int captionLanguage_ = -1;  // the Language the captions were written in
  // Which stored matrix a list position edits: 0 none, 1 Wilson, 2 NRTL, 3 kij.
  static int MatrixOf(int position);
  void Fill_Antoine_Grid();
  void Size_Matrix_Grid(int n);
  void Show_Matrix_Part(int position);
  void Fill_Matrix(int matrix);
  void Select_Position(int position);
  void Park_Matrix_Edits();
  void Restore_Case();

  int shownPosition_ = -1;   // the position whose matrix the grid shows
  bool matrixEdited_ = false;
  // Matrix cells typed (or filled by a lookup) under another model, kept until
  // OK or Cancel so that switching models loses no input: [matrix][row][col].
  std::array<std::vector<std::vector<std::string>>, 4> parked_;
  // The case as it was when the dialog was shown: Cancel puts back what the model
  // choice, the alpha box and the lookups changed.
  std::unique_ptr<CaseData> before_;
};

// Selects the stored K-value model in the K-value dialog, loading it hidden when
// needed, and returns the entry's text ("1.理想系(Antoine)", "4.S-R-K").
std::string Select_K_Value_Entry();
