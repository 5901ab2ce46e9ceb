#include "vle/unifac_ui/frmUNIFAC_DispPara.h"

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/PictureBox.h"
#include "vle/unifac/UnifacData.h"

using ui::Q;

namespace {

// Values of -9999 and below mark a pair without a parameter in this window.
constexpr double kAbsentAtOrBelow = -9999.0;

}  // namespace

frmUNIFAC_DispPara::frmUNIFAC_DispPara() : ui::Form("frmUNIFAC_DispPara") {
  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetAllLocked(true);
  vaSpread1->SetRowHeadersVisible(false);
  ui::Place(vaSpread1, 120, 120, 14400, 7200);
  vaSpread1->onClick = [this](int col, int row) { vaSpread1_Click(col, row); };

  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  ui::Place(cmdExit, 13020, 7500, 1500, 420);
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });

  // The pair frame, below the collapsed height.
  fraPara = ui::NewFrame(this, "fraPara", "UNIFAC Interaction Parameter");
  ui::Place(fraPara, 120, 8130, 14400, 700);
  auto* open = ui::NewLabel(fraPara, "lblParenOpen", "Parameter(");
  ui::Place(open, 150, 330, 1200, 300);
  lblNam1 = ui::NewLabel(fraPara, "lblNam1");
  ui::Place(lblNam1, 1350, 330, 2400, 300);
  auto* comma = ui::NewLabel(fraPara, "lblComma", ",");
  ui::Place(comma, 3750, 330, 200, 300);
  lblNam2 = ui::NewLabel(fraPara, "lblNam2");
  ui::Place(lblNam2, 3950, 330, 2400, 300);
  auto* close = ui::NewLabel(fraPara, "lblParenClose", ")");
  ui::Place(close, 6350, 330, 200, 300);
  lblPara12 = ui::NewLabel(fraPara, "lblPara12");
  ui::Place(lblPara12, 6800, 330, 1500, 300);
  auto* dash = ui::NewLabel(fraPara, "lblDash", "-");
  ui::Place(dash, 8400, 330, 200, 300);
  lblPara21 = ui::NewLabel(fraPara, "lblPara21");
  ui::Place(lblPara21, 8700, 330, 1500, 300);
  fraPara->setVisible(false);

  setFixedWidth(ui::Px(14760));
  SetHeightTwips(kDispParaHeight);
}

void frmUNIFAC_DispPara::SetHeightTwips(int twips) {
  heightTwips_ = twips;
  setFixedHeight(ui::Px(twips));
}

void frmUNIFAC_DispPara::Form_Load() {
  if (Case.Language == 0) {
    SetCaption("グループ寄与法による気液平衡推算  ＵＮＩＦＡＣグループ相互作用パラメータ");
    vaSpread1->SetText(1, 0, "主Group");
    cmdExit->setText("戻る(&X)");
  } else if (In_English()) {
    SetCaption("UNIFAC Group interraction parameter");
    vaSpread1->SetText(1, 0, "MainGroup");
    cmdExit->setText("Exit (&X)");
  }
  const int nMain = Unifac.UNIFAC_NMain;
  vaSpread1->SetMaxCols(nMain + 1);
  vaSpread1->SetMaxRows(nMain);
  vaSpread1->SetColWidth(1, 10);
  for (int m = 1; m <= nMain; ++m) {
    vaSpread1->SetColWidth(m + 1, 3);
    vaSpread1->SetText(m + 1, 0, txt::Plain(m));
    vaSpread1->SetText(1, m, Unifac.UNIFAC_Main_Name[m]);
    for (int n = 1; n <= m; ++n) {
      if (Unifac.UNIFAC_A[m][n] > kAbsentAtOrBelow) {
        vaSpread1->SetForeColor(n + 1, m, ui::RGB(0, 0, 0));
        vaSpread1->SetBackColor(n + 1, m, ui::RGB(128, 128, 0));
      }
    }
  }
  SetHeightTwips(kDispParaHeight);
}

void frmUNIFAC_DispPara::vaSpread1_Click(int col, int row) {
  fraPara->setVisible(false);
  if (col == 1) return;
  const int n = col - 1;  // main group of the column
  const int m = row;      // main group of the row
  const int nMain = Unifac.UNIFAC_NMain;
  if (row < col - 1 || n < 1 || m < 1 || n > nMain || m > nMain ||
      Unifac.UNIFAC_A[n][m] <= kAbsentAtOrBelow) {
    SetHeightTwips(kDispParaHeight);
    return;
  }
  fraPara->setVisible(true);
  lblNam1->setText(Q(Unifac.UNIFAC_Main_Name[n] + " "));
  lblNam2->setText(Q(Unifac.UNIFAC_Main_Name[m] + " "));
  lblPara12->setText(Q(txt::Signed(Unifac.UNIFAC_A[n][m])));
  lblPara21->setText(Q(txt::Signed(Unifac.UNIFAC_A[m][n])));
  SetHeightTwips(kDispParaHeightPair);
}

void frmUNIFAC_DispPara::Form_KeyDown(int& keyCode, int) {
  if (keyCode == ui::vbKeyEscape) {
    keyCode = 0;
    cmdExit_Click();
  }
}

void frmUNIFAC_DispPara::cmdExit_Click() { ui::Forms::Unload(this); }
