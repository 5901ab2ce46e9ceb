// The lookups opened by the real case dialogs' database buttons: the names of
// the grids and buttons they reach into, and the values that land in the case.
#include "DbFixture.h"
#include "core/dialogs/frmComponent.h"
#include "core/dialogs/frmEnthalpy.h"
#include "core/dialogs/frmK_Value.h"
#include "core/model/CaseData.h"
#include "database/ui/DbLookupForm.h"
#include "support/UiTest.h"

namespace {

class DbOpenerIntegrationTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    db_.Fill();
    Case.DB_Path = db_.Path();
    Case.NC = 3;
    Case.Comp_Name[1] = "Methanol";
    Case.Comp_Name[2] = "Water";
    Case.Comp_Name[3] = "Ethanol";
  }
  // The next lookup of that name is confirmed with OK on its first data set.
  void Confirm(const char* lookup, int expectedRows) {
    script.OnModal(lookup, [expectedRows](ui::Form& f) {
      auto& l = static_cast<DbLookupForm&>(f);
      EXPECT_EQ(l.vaSpread1->MaxRows(), expectedRows);
      l.cmdOK_Click();
    });
  }
  vzdb::test::ScratchDb db_;
};

TEST_F(DbOpenerIntegrationTest, ComponentsDialog) {
  auto& dlg = ui::Forms::Get<frmComponent>();
  dlg.vaSpreadComp->SetText(1, 3, "Ethanol");
  dlg.vaSpreadComp->ClickCell(1, 3);
  Confirm("frmDBComponent", 1);
  dlg.cmdDBSearch_Click();
  EXPECT_EQ(dlg.vaSpreadComp->Text(2, 3).substr(0, 5), "46.07");
  EXPECT_EQ(dlg.vaSpreadComp->Value(3, 3), 513.92);
  EXPECT_TRUE(dlg.cmdDBSearch->isVisibleTo(&dlg));
}

TEST_F(DbOpenerIntegrationTest, KValueDialogAntoineAndWilson) {
  Case.K_Method = 2;
  auto& dlg = ui::Forms::Get<frmK_Value>();
  dlg.Form_Activate();
  dlg.vaSpreadAntoine->ClickCell(1, 1);
  Confirm("frmDBAntoine", 2);
  dlg.cmdDBAntoine_Click();
  EXPECT_DOUBLE_EQ(Case.Antoine_A[1], 7.8786);
  EXPECT_EQ(dlg.vaSpreadAntoine->Value(2, 1), 7.8786);

  dlg.vaSpreadWilson->ClickCell(3, 1);  // column 3, row 1: the pair (1, 3)
  Confirm("frmDBWilson", 1);
  dlg.cmdDBWilson_Click();
  EXPECT_DOUBLE_EQ(Case.Wilson_Lambda[3][1], 0.56);
  EXPECT_DOUBLE_EQ(Case.Wilson_Lambda[1][3], 1.58);
  EXPECT_EQ(dlg.vaSpreadWilson->Value(3, 1), 1.58);
}

TEST_F(DbOpenerIntegrationTest, EnthalpyDialogPolynomials) {
  Case.H_Method = 1;
  auto& dlg = ui::Forms::Get<frmEnthalpy>();
  dlg.Form_Activate();
  dlg.vaSpreadEnthalpy->ClickCell(2, 1);
  Confirm("frmDBEnthalpyCoeff", 1);
  dlg.cmdDBEnthalpyCoeff_Click();
  EXPECT_DOUBLE_EQ(Case.HV_A[1], 293.6);
  EXPECT_EQ(dlg.vaSpreadEnthalpy->Value(5, 1), -0.49);
}

}  // namespace
