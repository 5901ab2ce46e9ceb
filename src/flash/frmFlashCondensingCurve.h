// The condensing curve window: V/F and the mixture enthalpy against temperature
// at the main window's pressure, the bubble and dew marks, and a cursor (mouse
// or arrow keys) that reads out one point's phases, K-values and enthalpies.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "flash/CondensingCurve.h"
#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/SpreadGrid.h"

// Window heights, twips: the plot alone, and with the read-out tables.
inline constexpr int kCurveHeightCollapsed = 4300;
inline constexpr int kCurveHeightExpanded = 8000;

class frmFlashCondensingCurve : public ui::Form {
  Q_OBJECT

 public:
  frmFlashCondensingCurve();
  void Form_Load() override;
  // The caption in the language chosen now (each showing sets it again).
  void Set_Caption();
  void Form_Activate() override;

  // Clears the plot and draws the whole curve again.
  void Calc_Condensing_Curve();
  // Draws the cursor and reads out the point under it.
  void Disp_Point_Data();
  void picCalc_MouseDown(int button, int shift, double x, double y);
  void picCalc_KeyDown(int keyCode);
  void cmdExit_Click();

  void SetHeightTwips(int twips);
  int HeightTwips() const;

  int Curve_Cursor_X = 0;     // twips of picCalc
  const CurveFrame& Frame() const { return frame_; }
  const CondensingCurve& Curve() const { return curve_; }

  ui::PictureBox* picCalc;
  QLabel* lblTile;
  QLabel* lblBPT;
  QLabel* lblB_Temp;
  QLabel* lblBPT_Unit;
  QLabel* lblDPT;
  QLabel* lblD_Temp;
  QLabel* lblDPT_Unit;
  QLabel* lblX;
  QLineEdit* txtX;
  QLabel* lblY;
  QLineEdit* txtY;
  ui::SpreadGrid* spdData;
  ui::SpreadGrid* spdData2;
  QPushButton* cmdExit;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Draw_Frame();
  void Draw_Scales();
  void Draw_Marks();
  void Draw_Curves();
  void PrintAt(double x, double y, int colour, const std::string& text);

  CurveFrame frame_;
  CondensingCurve curve_;
  int heightTwips_ = 0;
};
