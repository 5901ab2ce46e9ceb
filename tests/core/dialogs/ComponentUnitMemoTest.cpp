// The components, units and memo dialogs.
#include <gtest/gtest.h>

#include "core/dialogs/frmComponent.h"
#include "core/dialogs/frmMemo.h"
#include "core/dialogs/frmUnit.h"
#include "core/dialogs/DialogTestSupport.h"

namespace {

void SetComponents(int nc) {
  Case.NC = nc;
  for (int i = 1; i <= nc; ++i) {
    Case.Comp_Name[i] = "C" + std::to_string(i);
    Case.Mol_Wt[i] = 10.0 * i;
    Case.Comp_Tc[i] = 300.0 + i;
  }
}

}  // namespace

TEST_F(DialogTest, ComponentOkStoresRowsUpToTheFirstEmptyNameAndWritesTheCount) {
  ui::Form& dist = Main(0);
  SetComponents(5);
  // A constant that is not wholly a number is refused by name, and nothing is
  // stored; an empty one is a constant not entered (0).
  script.Answer(ui::vbOK, "「C1 分子量」の「12.5abc」は数値ではありません。");
  script.Answer(ui::vbOK, "「C1 Tc」の「abc」は数値ではありません。");
  Run<frmComponent>([](frmComponent& d) {
    EXPECT_EQ(d.windowTitle().toStdString(), "逐次段蒸留計算成分");
    auto* g = d.vaSpreadComp;
    EXPECT_EQ(g->Text(1, 5), "C5");
    g->TypeText(2, 1, "12.5abc");
    g->TypeText(3, 1, "abc");
    g->TypeText(1, 2, "only name ");
    g->TypeText(1, 3, "");
    d.cmdOK_Click();
    EXPECT_EQ(Case.NC, 5);
    g->TypeText(2, 1, "12.5");
    d.cmdOK_Click();
    g->TypeText(3, 1, "");
    d.cmdOK_Click();
  });
  EXPECT_EQ(Case.NC, 2);
  EXPECT_DOUBLE_EQ(Case.Mol_Wt[1], 12.5);
  EXPECT_DOUBLE_EQ(Case.Comp_Tc[1], 0);
  EXPECT_EQ(Case.Comp_Name[2], "only name ");
  EXPECT_DOUBLE_EQ(Case.Mol_Wt[2], 20);  // the cell still held the stored value
  // Entries beyond the new count are kept, out of sight.
  EXPECT_EQ(Case.Comp_Name[4], "C4");
  EXPECT_EQ(Label(dist, "lblMainNC"), "2");
  Run<frmComponent>([](frmComponent& d) {
    EXPECT_EQ(d.vaSpreadComp->Text(1, 3), "");
    d.cmdCancel_Click();
  });
}

TEST_F(DialogTest, ComponentLimitMessageAndBatchLabel) {
  ui::Form& dist = Main(0);
  ui::Form& batch = Main(1);
  script.Answer(ui::vbOK, "最大成分数( 20)を越えています。");
  Run<frmComponent>([](frmComponent& d) {
    d.vaSpreadComp->SetMaxRows(21);
    for (int r = 1; r <= 21; ++r) d.vaSpreadComp->TypeText(1, r, "N" + std::to_string(r));
    d.cmdOK_Click();
  });
  EXPECT_EQ(Case.NC, 20);
  EXPECT_EQ(script.messages[0].style, ui::vbOKOnly);
  EXPECT_EQ(Label(batch, "lblNCData"), "20");
  EXPECT_EQ(Label(dist, "lblMainNC"), "");
}

TEST_F(DialogTest, ComponentCancelEscapeAndCloseBoxStoreNothing) {
  ui::Form& dist = Main(0);
  SetComponents(2);
  Run<frmComponent>([](frmComponent& d) {
    d.vaSpreadComp->TypeText(1, 1, "changed");
    d.cmdCancel_Click();
  });
  Run<frmComponent>([](frmComponent& d) {
    d.vaSpreadComp->TypeText(1, 1, "changed");
    d.close();  // the close box is refused
    EXPECT_TRUE(ui::Forms::IsLoaded("frmComponent"));
    ui::SendKey(d.vaSpreadComp, ui::vbKeyEscape);
  });
  EXPECT_FALSE(ui::Forms::IsLoaded("frmComponent"));
  EXPECT_EQ(Case.Comp_Name[1], "C1");
  EXPECT_EQ(Label(dist, "lblMainNC"), "");
}

TEST_F(DialogTest, UnitDialogSelectsStoredCodesAndOkWritesTheColumnLabels) {
  ui::Form& dist = Main(0);
  Case.T_Unit = 2;
  Case.P_Unit = 3;
  Case.H_Unit = 2;
  Run<frmUnit>([](frmUnit& d) {
    EXPECT_EQ(d.windowTitle().toStdString(), "逐次段蒸留計算単位系");
    EXPECT_EQ(d.cboTemp->currentText().toStdString(), "゜K");
    EXPECT_EQ(d.cboPress->currentText().toStdString(), "mmHg");
    EXPECT_EQ(d.cboHeat->currentText().toStdString(), "Kcal");
    d.cboPress->setCurrentIndex(1);
    d.cmdOK_Click();
  });
  EXPECT_EQ(Case.P_Unit, 2);
  for (const char* label : {"lblMainUnitPressData", "lblUnitTopPress", "lblUnitBtmPress"})
    EXPECT_EQ(Label(dist, label), "KPa") << label;
  EXPECT_EQ(Label(dist, "lblMainUnitTempData"), "゜K");
  // Hidden, not unloaded: readers get the units chosen at OK, in the language
  // chosen now, also after a switch and back.
  ASSERT_TRUE(ui::Forms::IsLoaded("frmUnit"));
  EXPECT_FALSE(ui::Forms::Get<frmUnit>().isVisible());
  Case.Language = 1;
  EXPECT_EQ(Unit_Press_Text(), "KPa");
  EXPECT_EQ(Unit_Temp_Text(), "K");
  EXPECT_EQ(ui::Forms::Get<frmUnit>().lblTemp->text().toStdString(), "Temperature");
  Case.Language = 0;
  EXPECT_EQ(Unit_Temp_Text(), "゜K");
}

TEST_F(DialogTest, UnitCancelUnloadsAndAnOutOfListCodeIsKept) {
  Main(1);
  Case.Language = 1;
  Case.T_Unit = 2;
  Case.P_Unit = 9;  // from a foreign file: no entry
  Case.H_Unit = 1;
  Run<frmUnit>([](frmUnit& d) {
    EXPECT_EQ(d.cboPress->currentIndex(), -1);
    d.cboTemp->setCurrentIndex(0);
    d.cmdCancel_Click();
  });
  EXPECT_EQ(Case.T_Unit, 2);
  EXPECT_EQ(Unit_Temp_Text(), "K");  // loaded afresh, hidden, from the stored code
  Run<frmUnit>([](frmUnit& d) { d.cmdOK_Click(); });
  EXPECT_EQ(Case.P_Unit, 9);
}

TEST_F(DialogTest, MemoKeepsALastLineWithoutEnterAndDropsLinesAfterTheTenth) {
  Main(0);
  for (int i = 1; i <= 10; ++i) Case.Memo[i] = i == 5 ? "" : "line " + std::to_string(i);
  Run<frmMemo>([](frmMemo& d) {
    EXPECT_EQ(d.windowTitle().toStdString(), "逐次段蒸留計算メモ入力");
    d.cmdOK_Click();
  });
  EXPECT_EQ(Case.Memo[5], "");
  EXPECT_EQ(Case.Memo[10], "line 10");

  Run<frmMemo>([](frmMemo& d) {
    d.cmdErase_Click();
    d.txtMemoText->setPlainText("first\n\nthird typed without Enter");
    d.cmdOK_Click();
  });
  EXPECT_EQ(Case.Memo[2], "");
  EXPECT_EQ(Case.Memo[3], "third typed without Enter");

  std::string lines[11];
  Split_Memo_Text("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n", lines);
  EXPECT_EQ(lines[1], "1");
  EXPECT_EQ(lines[10], "10");
}

TEST_F(DialogTest, MemoQuoteBecomesAnApostropheAndCancelAfterEraseKeepsTheLines) {
  Main(0);
  Run<frmMemo>([](frmMemo& d) {
    d.txtMemoText->setPlainText("He said \"go\", 日本語\n");
    d.cmdOK_Click();
  });
  EXPECT_EQ(Case.Memo[1], "He said 'go', 日本語");

  Run<frmMemo>([](frmMemo& d) {
    d.cmdErase_Click();
    d.cmdCancel_Click();
  });
  EXPECT_EQ(Case.Memo[1], "He said 'go', 日本語");
}
