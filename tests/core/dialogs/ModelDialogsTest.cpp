// The K-value model and enthalpy model dialogs.
#include <gtest/gtest.h>

#include "core/dialogs/frmEnthalpy.h"
#include "core/dialogs/frmK_Value.h"
#include "core/dialogs/DialogTestSupport.h"

namespace {

void ThreeComponents() {
  Case.NC = 3;
  for (int i = 1; i <= 3; ++i) {
    Case.Comp_Name[i] = "C" + std::to_string(i);
    Case.Antoine_A[i] = 7 + 0.1 * i;
    Case.HV_A[i] = 60 + i;
    Case.HL_C[i] = 0.001 * i;
    Case.Cp_A[i] = 5 + i;
    for (int j = 1; j <= 3; ++j) {
      Case.Wilson_Lambda[i][j] = 1 + 0.1 * i + 0.01 * j;
      Case.NRTL_Tau[i][j] = 2 + 0.1 * i + 0.01 * j;
      Case.EOS_Kij[i][j] = 0.1 * i + 0.01 * j;
    }
  }
  Case.NRTL_Alpha = 0.4;
}

}  // namespace

TEST_F(DialogTest, KValueModelChoiceShowsTheMatrixAndOkStoresItRowByComponent) {
  ui::Form& batch = Main(1);
  ThreeComponents();
  Case.K_Method = 1;
  Run<frmK_Value>([](frmK_Value& d) {
    EXPECT_EQ(d.windowTitle().toStdString(), "バッチ蒸留計算  気液平衡推算法");
    EXPECT_FALSE(d.fraWison->isVisible());
    d.cboK_Value->setCurrentIndex(1);  // "2.Antoine+Wilson"
    EXPECT_EQ(Case.K_Method, 2);
    EXPECT_TRUE(d.fraWison->isVisible());
    // No cell beyond the components: OK would never store what was typed there.
    EXPECT_EQ(d.vaSpreadWilson->MaxRows(), 3);
    EXPECT_EQ(d.vaSpreadWilson->MaxCols(), 3);
    EXPECT_DOUBLE_EQ(d.vaSpreadWilson->Value(2, 1), Case.Wilson_Lambda[1][2]);
    d.vaSpreadWilson->TypeText(2, 1, "0.5");  // row 1, column 2
    d.vaSpreadWilson->TypeText(3, 3, "0.9");
    d.vaSpreadAntoine->TypeText(3, 2, "1500.5");
    d.cmdOK_Click();
  });
  EXPECT_DOUBLE_EQ(Case.Wilson_Lambda[1][2], 0.5);
  EXPECT_DOUBLE_EQ(Case.Wilson_Lambda[2][1], 1.21);
  EXPECT_DOUBLE_EQ(Case.Wilson_Lambda[3][3], 0.9);
  EXPECT_DOUBLE_EQ(Case.Antoine_B[2], 1500.5);
  EXPECT_DOUBLE_EQ(Case.NRTL_Tau[1][2], 2.12);
  EXPECT_EQ(Label(batch, "lblKValue"), "2.Antoine+Wilson");
}

TEST_F(DialogTest, KValueCancelUndoesModelAlphaAndLookupChanges) {
  ui::Form& dist = Main(0);
  ThreeComponents();
  Case.K_Method = 1;
  Run<frmK_Value>([this](frmK_Value& d) {
    script.OnModal("frmDBNRTL", [](ui::Form& lookup) {
      Case.NRTL_Tau[1][3] = 9;
      ui::Forms::Unload(&lookup);
    });
    d.cboK_Value->setCurrentIndex(2);
    EXPECT_TRUE(d.txtNRTLAlpha->isVisible());
    d.txtNRTLAlpha->setText("0.3");
    EXPECT_DOUBLE_EQ(Case.NRTL_Alpha, 0.3);  // the NRTL lookup searches with it
    d.vaSpreadWilson->ClickCell(3, 1);
    d.cmdDBWilson->click();
    ui::SendKey(d.vaSpreadWilson, ui::vbKeyEscape);
  });
  EXPECT_EQ(Case.K_Method, 1);
  EXPECT_DOUBLE_EQ(Case.NRTL_Alpha, 0.4);
  EXPECT_DOUBLE_EQ(Case.NRTL_Tau[1][3], 2.13);
  EXPECT_EQ(Label(dist, "lblMainKValue"), "");
}

TEST_F(DialogTest, KValueTypedConstantsSurviveAnAntoineLookupForAnotherRow) {
  Main(2);
  ThreeComponents();
  Case.K_Method = 1;
  Run<frmK_Value>([this](frmK_Value& d) {
    script.OnModal("frmDBAntoine", [&d](ui::Form& lookup) {
      ASSERT_EQ(ui::Caller_Grid, d.vaSpreadAntoine);
      const int r = ui::Caller_Grid->ActiveRow();
      Case.Antoine_A[r] = 8.5;
      ui::Caller_Grid->SetValue(2, r, 8.5);
      ui::Forms::Unload(&lookup);
    });
    d.vaSpreadAntoine->TypeText(2, 1, "6.25");
    d.vaSpreadAntoine->ClickCell(2, 2);
    EXPECT_TRUE(d.cmdDBAntoine->isVisible());
    EXPECT_FALSE(d.cmdDBWilson->isVisible());
    d.cmdDBAntoine->click();
    EXPECT_EQ(d.vaSpreadAntoine->Text(2, 1), "6.25");
    EXPECT_EQ(d.vaSpreadAntoine->Text(2, 2), "8.5");
    d.cmdOK_Click();
  });
  EXPECT_DOUBLE_EQ(Case.Antoine_A[1], 6.25);
  EXPECT_DOUBLE_EQ(Case.Antoine_A[2], 8.5);
  EXPECT_EQ(ui::Caller_Grid, nullptr);
  EXPECT_EQ(ui::ControlText(ui::Forms::FindByName("frmFlash"), "lblK_Value"), "1.理想系(Antoine)");
}

TEST_F(DialogTest, KValueSwitchingModelsKeepsTypedMatrixCellsUntilOk) {
  Main(0);
  ThreeComponents();
  Case.K_Method = 4;
  Run<frmK_Value>([](frmK_Value& d) {
    EXPECT_EQ(d.vaSpreadWilson->MaxCols(), 3);
    d.vaSpreadWilson->TypeText(1, 2, "0.07");
    d.cboK_Value->setCurrentIndex(1);
    d.cboK_Value->setCurrentIndex(4);  // P-R edits the same kij matrix
    EXPECT_EQ(d.vaSpreadWilson->Text(1, 2), "0.07");
    d.cmdOK_Click();
  });
  EXPECT_EQ(Case.K_Method, 5);
  EXPECT_DOUBLE_EQ(Case.EOS_Kij[2][1], 0.07);
  EXPECT_DOUBLE_EQ(Case.Wilson_Lambda[2][1], 1.21);
}

TEST_F(DialogTest, KValueMatrixGridFollowsTheComponentCount) {
  ui::Form& dist = Main(0);
  ThreeComponents();
  Case.K_Method = 2;
  EXPECT_EQ(Select_K_Value_Entry(), "2.Antoine+Wilson");  // loaded hidden with three components
  // A case with five components is read while the dialog waits hidden.
  Case.NC = 5;
  Case.Wilson_Lambda[5][4] = 0.54;
  Run<frmK_Value>([](frmK_Value& d) {
    EXPECT_EQ(d.vaSpreadWilson->MaxCols(), 5);
    EXPECT_EQ(d.vaSpreadWilson->Text(5, 0), "5");
    EXPECT_DOUBLE_EQ(d.vaSpreadWilson->Value(4, 5), 0.54);
    d.cmdCancel_Click();
  });

  Case.NC = 0;
  Case.K_Method = 1;
  Run<frmK_Value>([](frmK_Value& d) {
    d.cboK_Value->setCurrentIndex(3);
    EXPECT_EQ(d.vaSpreadAntoine->MaxRows(), 0);
    EXPECT_EQ(d.vaSpreadWilson->MaxRows(), 0);
    d.cmdOK_Click();
  });
  EXPECT_EQ(Case.K_Method, 4);
  EXPECT_EQ(Label(dist, "lblMainKValue"), "4.S-R-K");
}

TEST_F(DialogTest, KValueCodeOutsideTheListSelectsNoEntryAndOkStoresZero) {
  Main(0);
  Case.K_Method = 7;
  EXPECT_EQ(Select_K_Value_Entry(), "");  // loaded hidden as a caption store
  Run<frmK_Value>([](frmK_Value& d) {
    EXPECT_FALSE(d.fraWison->isVisible());
    d.cmdOK_Click();
  });
  EXPECT_EQ(Case.K_Method, 0);
}

TEST_F(DialogTest, EnthalpyLayoutsStoreTheirOwnCoefficients) {
  ui::Form& dist = Main(0);
  Case.Language = 1;
  ThreeComponents();
  Case.H_Method = 0;
  Run<frmEnthalpy>([](frmEnthalpy& d) {
    EXPECT_EQ(d.windowTitle().toStdString(), "逐次段蒸留計算Enthalpy Estimation Method");
    EXPECT_EQ(d.cboEnthalpy->currentText().toStdString(), "0.not Heatr Balance");
    EXPECT_FALSE(d.fraEnthalpy->isVisible());
    d.cboEnthalpy->setCurrentIndex(1);
    EXPECT_DOUBLE_EQ(d.vaSpreadEnthalpy->Value(7, 2), 0.002);
    d.vaSpreadEnthalpy->TypeText(2, 1, "1.5E+2");
    d.vaSpreadEnthalpy->TypeText(3, 1, "");
    d.cmdOK_Click();
  });
  EXPECT_EQ(Case.H_Method, 1);
  EXPECT_DOUBLE_EQ(Case.HV_A[1], 150);
  EXPECT_DOUBLE_EQ(Case.HV_B[1], 0);
  EXPECT_EQ(Label(dist, "lblMainEnthalpy"), "1.Equation(H=A+B*t+C*t^2)");

  Run<frmEnthalpy>([](frmEnthalpy& d) {
    d.vaSpreadEnthalpy->TypeText(2, 2, "111");
    d.cboEnthalpy->setCurrentIndex(2);
    EXPECT_EQ(d.vaSpreadEnthalpy->Text(6, 1), "");
    d.vaSpreadEnthalpy->TypeText(5, 3, "0.25");
    d.cmdOK_Click();
  });
  EXPECT_EQ(Case.H_Method, 2);
  EXPECT_DOUBLE_EQ(Case.Cp_D[3], 0.25);
  EXPECT_DOUBLE_EQ(Case.HV_A[2], 62);  // the other layout's set is untouched
}

TEST_F(DialogTest, EnthalpyCancelAfterALookupLeavesTheCaseAndAHiddenDialogRefillsWhenShown) {
  Main(1);
  ThreeComponents();
  Case.H_Method = 1;
  EXPECT_EQ(Select_Enthalpy_Entry(), "1.温度多項式(H=A+B*t+C*t^2)");
  // A second case with more components is read while the dialog waits hidden.
  Case.NC = 4;
  Case.Comp_Name[4] = "C4";
  Case.HV_A[4] = 64;
  Run<frmEnthalpy>([this](frmEnthalpy& d) {
    script.OnModal("frmDBEnthalpyCoeff", [](ui::Form& lookup) {
      Case.HV_A[2] = 999;
      ui::Forms::Unload(&lookup);
    });
    EXPECT_EQ(d.vaSpreadEnthalpy->MaxRows(), 4);
    EXPECT_EQ(d.vaSpreadEnthalpy->Text(1, 4), "C4");
    d.vaSpreadEnthalpy->ClickCell(2, 2);
    d.cmdDBEnthalpyCoeff->click();
    d.cmdCancel_Click();
  });
  EXPECT_DOUBLE_EQ(Case.HV_A[2], 62);
  EXPECT_FALSE(ui::Forms::IsLoaded("frmEnthalpy"));
}

// The summaries load the model dialogs hidden; a language chosen afterwards
// (either way) is the one their list texts and captions show.
TEST_F(DialogTest, ModelDialogsLoadedHiddenFollowTheLanguageChosenNow) {
  Main(0);
  ThreeComponents();
  Case.K_Method = 1;
  Case.H_Method = 1;
  EXPECT_EQ(Select_K_Value_Entry(), "1.理想系(Antoine)");
  EXPECT_EQ(Select_Enthalpy_Entry(), "1.温度多項式(H=A+B*t+C*t^2)");
  Case.Language = 1;
  EXPECT_EQ(Select_K_Value_Entry(), "1.Ideal(Antoine)");
  EXPECT_EQ(Select_Enthalpy_Entry(), "1.Equation(H=A+B*t+C*t^2)");
  Run<frmK_Value>([](frmK_Value& d) {
    EXPECT_EQ(d.lblAntoine->text().toStdString(), "Antoine Constants");
    EXPECT_EQ(d.cboK_Value->currentIndex(), 0);
    d.cmdCancel_Click();
  });
  Case.K_Method = 3;
  EXPECT_EQ(Select_K_Value_Entry(), "3.Antoine+N.R.T.L");
  EXPECT_EQ(ui::Forms::Get<frmK_Value>().lblWilson->text().toStdString(), "N.R.T.L Para(τij)");
  Case.Language = 0;
  EXPECT_EQ(Select_K_Value_Entry(), "3.Antoine+N.R.T.L");
  EXPECT_EQ(ui::Forms::Get<frmK_Value>().lblWilson->text().toStdString(), "N.R.T.Lﾊﾟﾗﾒｰﾀ(τij)");
  EXPECT_EQ(Select_Enthalpy_Entry(), "1.温度多項式(H=A+B*t+C*t^2)");
  EXPECT_EQ(ui::Forms::Get<frmEnthalpy>().lblEnthalpy->text().toStdString(), "エンタルピー推算法");
}

// Constants, matrix cells and alpha that are not wholly a number are refused by
// name and nothing is stored; an empty constant is one not entered (0).
TEST_F(DialogTest, ModelDialogsRefuseCellsThatAreNotWhollyANumber) {
  Main(0);
  Case.Language = 1;
  ThreeComponents();
  Case.K_Method = 3;
  script.Answer(ui::vbOK, "C2 Ｂ: \"7.2x\" is not a number.");
  script.Answer(ui::vbOK, "N.R.T.L Para(τij) 1, 2: \"abc\" is not a number.");
  script.Answer(ui::vbOK, "N.R.T.L Para(τij) Alpha=: \"1e999\" is beyond the range of a number.");
  Run<frmK_Value>([](frmK_Value& d) {
    d.vaSpreadAntoine->TypeText(3, 2, "7.2x");
    d.cmdOK_Click();
    d.vaSpreadAntoine->TypeText(3, 2, "");
    d.vaSpreadWilson->TypeText(2, 1, "abc");
    d.cmdOK_Click();
    d.vaSpreadWilson->TypeText(2, 1, "0.3");
    d.txtNRTLAlpha->setText("1e999");
    d.cmdOK_Click();
    EXPECT_DOUBLE_EQ(Case.NRTL_Alpha, 0.4) << "the box's change follows numbers only";
    EXPECT_DOUBLE_EQ(Case.NRTL_Tau[1][2], 2.12);
    d.txtNRTLAlpha->setText("0.3");
    d.cmdOK_Click();
  });
  EXPECT_DOUBLE_EQ(Case.Antoine_B[2], 0);
  EXPECT_DOUBLE_EQ(Case.NRTL_Tau[1][2], 0.3);
  EXPECT_DOUBLE_EQ(Case.NRTL_Alpha, 0.3);

  Case.H_Method = 1;
  script.Answer(ui::vbOK, "C3 C(Liq): \"12abc\" is not a number.");
  Run<frmEnthalpy>([](frmEnthalpy& d) {
    d.vaSpreadEnthalpy->TypeText(7, 3, "12abc");
    d.vaSpreadEnthalpy->TypeText(2, 1, "70");
    d.cmdOK_Click();
    EXPECT_DOUBLE_EQ(Case.HV_A[1], 61);
    d.vaSpreadEnthalpy->TypeText(7, 3, "0.5");
    d.cmdOK_Click();
  });
  EXPECT_DOUBLE_EQ(Case.HV_A[1], 70);
  EXPECT_DOUBLE_EQ(Case.HL_C[3], 0.5);
}
