// The property-estimation window, its group dialogs and the data table, driven
// through their controls with scripted prompts.
#include <cmath>

#include "platform/text/NumberText.h"
#include "platform/ui/Programs.h"
#include "purecomp/estimation/PhysData.h"
#include "core/model/CaseData.h"
#include "purecomp/estimation/PhysEstimation.h"
#include "purecomp/estimation_ui/frmPhysicalAmbrose.h"
#include "purecomp/estimation_ui/frmPhysicalEstimateData.h"
#include "purecomp/estimation_ui/frmPhysicalFedors.h"
#include "purecomp/estimation_ui/frmPhysicalIdealGasHeat.h"
#include "purecomp/estimation_ui/frmPhysicalLydersen.h"
#include "purecomp/estimation_ui/frmPhysicalMain.h"
#include "support/UiTest.h"

using physprop::Phys;

namespace {

std::string Text(QLabel* l) { return ui::S(l->text()); }

class PhysWindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    physprop::Reset_Phys_Data();
  }

  frmPhysicalMain& Open() {
    auto& f = ui::Forms::Get<frmPhysicalMain>();
    f.Show();
    return f;
  }

  // n-hexane, Lydersen, 0..200 degC.
  static void Hexane(frmPhysicalMain& f, const char* tb = "68.73") {
    f.txtComponentName->setText("n-Hexane");
    f.txtMolWeight->setText("86.17536");
    f.txtBubblePointTemp->setText(tb);
    f.txtTotalAtom->setText("20");
    f.txtTempLow->setText("0");
    f.txtTempHigh->setText("200");
  }

  static void Estimate(ui::Form& d, std::initializer_list<std::pair<int, const char*>> counts) {
    auto& g = static_cast<PhysGroupDialog&>(d);
    for (auto [row, text] : counts) g.vaSpread1->TypeText(2, row, text);
    g.cmdEstimation->click();
    g.cmdExit->click();
  }

  void ScriptHexaneDialogs() {
    script.OnModal("frmPhysicalLydersen", [](ui::Form& d) { Estimate(d, {{1, "6"}}); });
    script.OnModal("frmPhysicalIdealGasHeat", [](ui::Form& d) { Estimate(d, {{2, "2"}, {3, "4"}}); });
  }
};

TEST_F(PhysWindowTest, OpensFromTheMenuWithItsInitialChoices) {
  const ui::ProgramWindow* w = ui::FindProgramWindow(6);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->formName, "frmPhysicalMain");
  Phys.Phys_Cnt_Joback[3] = 4;
  frmPhysicalMain& f = Open();
  EXPECT_EQ(Phys.Phys_Cnt_Joback[3], 0) << "the load clears the kept group counts";
  for (ui::OptionArray* o : {&f.optTcPcVc, &f.optOmg, &f.optVaporPress, &f.optCpIdeal, &f.optCpLiquid,
                             &f.optLiqDensity})
    EXPECT_EQ(o->Value(), 0);
  EXPECT_TRUE(f.fraCpLiquid->isVisibleTo(&f));
  EXPECT_FALSE(f.txtCpL_R->isVisibleTo(&f));
  EXPECT_FALSE(f.lblLiqD_Dref->isVisibleTo(&f));
  f.optCpLiquid.Click(1);
  f.optLiqDensity.Click(1);
  EXPECT_TRUE(f.txtCpL_K->isVisibleTo(&f));
  EXPECT_TRUE(f.txtLiqD_Tref->isVisibleTo(&f));
  f.optCpIdeal.Click(1);
  EXPECT_FALSE(f.fraCpLiquid->isVisibleTo(&f));
  f.optCpIdeal.Click(0);
  f.optCpLiquid.Click(0);
  EXPECT_FALSE(f.lblCpL_K->isVisibleTo(&f));
  // The close box is refused; only the exit button closes the window.
  f.close();
  EXPECT_TRUE(ui::Forms::IsLoaded("frmPhysicalMain"));
  f.cmdExit->click();
  EXPECT_FALSE(ui::Forms::IsLoaded("frmPhysicalMain"));
}

TEST_F(PhysWindowTest, EstimationRunFillsEveryResult) {
  frmPhysicalMain& f = Open();
  Hexane(f);
  ScriptHexaneDialogs();
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(script.modalForms, (std::vector<std::string>{"frmPhysicalLydersen", "frmPhysicalIdealGasHeat"}));
  EXPECT_TRUE(script.messages.empty());
  // Lydersen for n-hexane (tools/physprop/reference_values.py).
  EXPECT_EQ(Text(f.lblTcEst), "508.296");
  EXPECT_EQ(Text(f.lblPcEst), "29.748");
  EXPECT_EQ(Text(f.lblVcEst), "370.000");
  EXPECT_EQ(Text(f.lblTbEst), "68.730");
  EXPECT_EQ(Text(f.lblOmgEst), txt::Format(Phys.Phys_Omega, "##.000000"));
  EXPECT_NEAR(Phys.Phys_Omega, 0.30, 0.02) << "measured 0.297";
  // Vapour pressure at the normal boiling point from the fitted constants: one atmosphere.
  const double P = std::pow(10.0, Phys.Phys_Antoine_A - Phys.Phys_Antoine_B / (Phys.Phys_Antoine_C + 68.73));
  EXPECT_NEAR(P, 760, 760 * 0.01);
  EXPECT_EQ(Text(f.lblAntoineAEst), txt::Format(Phys.Phys_Antoine_A, "####.00000"));
  EXPECT_EQ(Text(f.lblCpIdealEst[0]), txt::Format(2 * 0.6087 + 4 * 0.3945, "#.#000000E+##"));
  EXPECT_FALSE(Text(f.lblCpLiqEst[2]).empty());
  EXPECT_FALSE(Text(f.lblHvEst[0]).empty());
  EXPECT_FALSE(Text(f.lblDenLiq1Est[1]).empty());
  // Density at 20 degC (point 6 of 0..200) near the measured 0.659 g/cm3.
  EXPECT_NEAR(Phys.Phys_DenL[6], 0.659, 0.03 * 0.659);
}

TEST_F(PhysWindowTest, BlankBoilingPointAsksFedorsFirst) {
  frmPhysicalMain& f = Open();
  Hexane(f, "");
  // Hexane by Fedors without the atom count: 2 -CH3 (1.79) and 4 -CH2- (no value here) ... use >CH- groups.
  f.txtTotalAtom->setText("0");
  script.OnModal("frmPhysicalFedors", [](ui::Form& d) { Estimate(d, {{1, "2"}, {12, "1"}}); });
  script.OnModal("frmPhysicalLydersen", [](ui::Form& d) { Estimate(d, {{1, "3"}, {24, "1"}}); });
  f.optCpIdeal.Click(1);
  f.cmdEstimation->click();
  EXPECT_EQ(script.modalForms, (std::vector<std::string>{"frmPhysicalFedors", "frmPhysicalLydersen"}));
  EXPECT_EQ(Phys.Phys_Tb_Blank, 1);
  EXPECT_NEAR(Phys.Phys_Tc, 618.1047800438081, 1e-9) << "the Fedors Tc is kept";
  const double S = 3 * 0.020 + 0.085;
  EXPECT_NEAR(Phys.Phys_Tb_K, 618.1047800438081 * (0.567 + S - S * S), 1e-9);
  EXPECT_EQ(Text(f.lblTbEst), txt::Format(Phys.Phys_Tb_K - 273.15, "####.000"));

  // A boiling point of "0" is given: no Fedors dialog.
  // Its dialog left without an estimate, the Fedors Tc of the run before is not used.
  script.modalForms.clear();
  f.txtBubblePointTemp->setText("0");
  script.OnModal("frmPhysicalLydersen", [](ui::Form& d) { static_cast<PhysGroupDialog&>(d).cmdExit->click(); });
  script.Answer(ui::vbOK, "Tcが 0のため偏心因子ωが推算できません。");
  script.Answer(ui::vbOK, "臨界温度Tcを越えています。");
  script.Answer(ui::vbOK, "蒸気圧が計算できません。");
  f.cmdEstimation->click();
  EXPECT_EQ(script.modalForms, (std::vector<std::string>{"frmPhysicalLydersen"}));
  EXPECT_EQ(Phys.Phys_Tc, 0);
  EXPECT_EQ(Text(f.lblTcEst), "");

  // A blank boiling point whose Fedors dialog gives no Tc stops the run at once:
  // no critical constants from a boiling point of 0.
  script.modalForms.clear();
  f.txtBubblePointTemp->setText("");
  script.OnModal("frmPhysicalFedors", [](ui::Form& d) { static_cast<PhysGroupDialog&>(d).cmdExit->click(); });
  script.Answer(ui::vbOK, "Fedors法のTcが推算されなかった");
  f.cmdEstimation->click();
  EXPECT_EQ(script.modalForms, (std::vector<std::string>{"frmPhysicalFedors"}));
  EXPECT_EQ(Phys.Phys_Tc, 0);
}

TEST_F(PhysWindowTest, StepsWithoutTheirInputsLeaveTheirResultsEmpty) {
  frmPhysicalMain& f = Open();
  Hexane(f);
  ScriptHexaneDialogs();
  // Lyman-Danner is in sight but cannot be chosen, and says why.
  EXPECT_TRUE(f.optCpLiquid[1]->isVisibleTo(&f));
  EXPECT_FALSE(f.optCpLiquid[1]->isEnabled());
  EXPECT_NE(ui::S(f.optCpLiquid[1]->toolTip()).find("公表値"), std::string::npos);
  EXPECT_TRUE(f.lblLymanDanner->isVisibleTo(&f));
  // Set by program all the same, it gives no liquid Cp, only its message.
  f.optCpLiquid.SetValue(1);
  f.optLiqDensity.Click(1);
  f.txtLiqD_Tref->setText("20");
  f.lblCpLiqEst[0]->setText("old");
  f.lblDenLiq2Est[0]->setText("old");
  script.Answer(ui::vbOK, "Lyman-Danner法は使用できません");
  script.Answer(ui::vbOK, "Spencer-Danner式はRohRef, Trefデータが入力されていないため計算できない。");
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(Text(f.lblCpLiqEst[0]), "");
  EXPECT_EQ(Phys.Phys_CpL_A, 0);
  EXPECT_EQ(Text(f.lblDenLiq2Est[0]), "");
  EXPECT_EQ(Text(f.lblHvEst[0]), txt::Format(Phys.Phys_Hv_A, "#.#000000E+##"));
  Case.Language = 1;
  EXPECT_NE(physprop::Lyman_Danner_Unavailable_Message().find("cannot be used"), std::string::npos);
  Case.Language = 0;

  // A full run first, then the ideal-gas dialog left without an estimate: no Cp0
  // and no liquid Cp from the earlier values, but Hv and density are computed.
  f.optCpLiquid.SetValue(0);
  f.optLiqDensity.Click(0);
  ScriptHexaneDialogs();
  f.cmdEstimation->click();
  ASSERT_NE(Phys.Phys_CpL_A, 0);
  script.modalForms.clear();
  script.OnModal("frmPhysicalLydersen", [](ui::Form& d) { Estimate(d, {{1, "6"}}); });
  script.OnModal("frmPhysicalIdealGasHeat", [](ui::Form& d) { static_cast<PhysGroupDialog&>(d).cmdExit->click(); });
  script.Answer(ui::vbOK, "理想気体比熱が推算されなかったため、液比熱は計算しません。");
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(Text(f.lblCpIdealEst[0]), "");
  EXPECT_EQ(Text(f.lblCpLiqEst[0]), "");
  EXPECT_EQ(Phys.Phys_Cp0[1], 0);
  EXPECT_EQ(Phys.Phys_CpL_A, 0);
  EXPECT_EQ(Phys.Phys_CpL[1], 0);
  EXPECT_EQ(Text(f.lblHvEst[0]), txt::Format(Phys.Phys_Hv_A, "#.#000000E+##"));
  EXPECT_FALSE(Text(f.lblDenLiq2Est[0]).empty());
  // The data table shows the missing heat capacities empty, the rest as computed.
  script.OnModal("frmPhysicalEstimateData", [](ui::Form& form) {
    auto& d = static_cast<frmPhysicalEstimateData&>(form);
    EXPECT_EQ(d.vaSpread1->Text(3, 12), "");
    EXPECT_EQ(d.vaSpread1->Text(3, 16), "");
    EXPECT_FALSE(d.vaSpread1->Text(3, 19).empty());
    EXPECT_EQ(d.vaSpread2->Text(3, 3), "");
    EXPECT_EQ(d.vaSpread2->Text(4, 3), "");
    EXPECT_FALSE(d.vaSpread2->Text(5, 3).empty());
    d.cmdExit->click();
  });
  f.cmdDispEstData->click();

  // With optCpIdeal(1) no ideal-gas dialog opens and no liquid Cp, but Hv and density are computed.
  script.modalForms.clear();
  f.optCpIdeal.Click(1);
  script.OnModal("frmPhysicalLydersen", [](ui::Form& d) { Estimate(d, {{1, "6"}}); });
  f.cmdEstimation->click();
  EXPECT_EQ(script.modalForms, (std::vector<std::string>{"frmPhysicalLydersen"}));
  EXPECT_EQ(Text(f.lblCpLiqEst[0]), "");
  EXPECT_EQ(Text(f.lblDenLiq2Est[0]), txt::Format(Phys.Phys_DenL2_A, "#.#000000E+##"));
}

TEST_F(PhysWindowTest, RangeIsCorrectedAndEchoed) {
  frmPhysicalMain& f = Open();
  Hexane(f);
  f.txtTempHigh->setText("300");
  f.txtTempLow->setText("-300");
  f.optCpIdeal.Click(1);
  script.OnModal("frmPhysicalLydersen", [](ui::Form& d) { Estimate(d, {{1, "6"}}); });
  script.Answer(ui::vbOK, "臨界温度Tcを越えています。");
  script.Answer(ui::vbOK, "-273.15℃以下です。");
  // At absolute zero no vapour pressure exists: the run stops there with its message.
  script.Answer(ui::vbOK, "蒸気圧が計算できません。");
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(ui::S(f.txtTempHigh->text()), txt::Plain(508.2961641391615 - 273.15));
  EXPECT_EQ(ui::S(f.txtTempLow->text()), "-273.15");
}

TEST_F(PhysWindowTest, NoTcStopsTheRunWithItsMessages) {
  frmPhysicalMain& f = Open();
  Hexane(f);
  f.lblAntoineAEst->setText("old");
  script.OnModal("frmPhysicalLydersen", [](ui::Form& d) { static_cast<PhysGroupDialog&>(d).cmdExit->click(); });
  script.Answer(ui::vbOK, "Tcが 0のため偏心因子ωが推算できません。");
  script.Answer(ui::vbOK, "臨界温度Tcを越えています。");
  script.Answer(ui::vbOK, "蒸気圧が計算できません。");
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(endRequests, 0);
  EXPECT_EQ(Text(f.lblAntoineAEst), "") << "nothing of an earlier run stays in sight";
  EXPECT_EQ(Text(f.lblTcEst), "");
  EXPECT_EQ(Phys.Phys_Temp_High, -273.15);
}

TEST_F(PhysWindowTest, VanishingPivotEndsTheStepAndTheWindowGoesOn) {
  frmPhysicalMain& f = Open();
  // Acetone (Lydersen: 2 -CH3, one >CO) over a range above its Tc: no point below Tc.
  f.txtComponentName->setText("Acetone");
  f.txtMolWeight->setText("58.08");
  f.txtBubblePointTemp->setText("56.05");
  f.txtTotalAtom->setText("10");
  f.txtTempLow->setText("260");
  f.txtTempHigh->setText("300");
  script.OnModal("frmPhysicalLydersen", [](ui::Form& d) { Estimate(d, {{1, "2"}, {20, "1"}}); });
  script.OnModal("frmPhysicalIdealGasHeat", [](ui::Form& d) { Estimate(d, {{2, "2"}}); });
  f.lblHvEst[0]->setText("old");
  script.Answer(ui::vbOK, "臨界温度Tcを越えています。");
  script.Answer(ui::vbOK, "最小自乗法でPivotが1E-10になった");
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(endRequests, 0) << "the application stays";
  EXPECT_TRUE(ui::Forms::IsLoaded("frmPhysicalMain"));
  EXPECT_EQ(Text(f.lblCpLiqEst[0]), "");
  EXPECT_EQ(Text(f.lblHvEst[0]), "") << "the run stops at the message, with nothing left from before";
  EXPECT_EQ(ui::S(f.txtMolWeight->text()), "58.08") << "the case stays";

  // The same window then estimates over a range below Tc.
  f.txtTempLow->setText("0");
  f.txtTempHigh->setText("100");
  script.OnModal("frmPhysicalLydersen", [](ui::Form& d) { Estimate(d, {{1, "2"}, {20, "1"}}); });
  script.OnModal("frmPhysicalIdealGasHeat", [](ui::Form& d) { Estimate(d, {{2, "2"}}); });
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(endRequests, 0);
  EXPECT_FALSE(Text(f.lblCpLiqEst[0]).empty());
  EXPECT_FALSE(Text(f.lblDenLiq1Est[1]).empty());
}

TEST_F(PhysWindowTest, RowsWithoutValuesAreLockedWhenTheDialogOpens) {
  frmPhysicalMain& f = Open();
  (void)f;
  struct Expect { PhysGroupDialog* d; int locked; };
  auto count = [](PhysGroupDialog& d) {
    int n = 0;
    for (int i = 1; i <= d.vaSpread1->MaxRows(); ++i) {
      if (!d.Row_Without_Values(i)) continue;
      ++n;
      EXPECT_EQ(d.vaSpread1->Text(2, i), "");
      EXPECT_TRUE(d.vaSpread1->BackColor(1, i).has_value());
      d.vaSpread1->TypeText(2, i, "3");
      EXPECT_EQ(d.vaSpread1->Text(2, i), "") << "row " << i << " takes no count";
    }
    EXPECT_FALSE(d.lblNoValues->text().isEmpty());
    return n;
  };
  EXPECT_EQ(count(ui::Forms::Get<frmPhysicalAmbrose>()), 38);
  ui::Forms::Unload<frmPhysicalAmbrose>();
  EXPECT_EQ(count(ui::Forms::Get<frmPhysicalFedors>()), 42);
  ui::Forms::Unload<frmPhysicalFedors>();
  auto& cp = ui::Forms::Get<frmPhysicalIdealGasHeat>();
  EXPECT_EQ(count(cp), 19);
  EXPECT_EQ(count(ui::Forms::Get<frmPhysicalLydersen>()), 0);
  // A row with values still takes its count.
  cp.vaSpread1->TypeText(2, 2, "1");
  EXPECT_EQ(cp.vaSpread1->Text(2, 2), "1");
}

TEST_F(PhysWindowTest, GroupDialogKeepsItsCountsAndRefusesUnknownGroups) {
  frmPhysicalMain& f = Open();
  (void)f;
  auto& d = ui::Forms::Get<frmPhysicalLydersen>();
  EXPECT_EQ(ui::S(d.Caption()), "臨界定数（Ｔｃ，Ｐｃ，Ｖｃ）の推算　Ｌｙｄｅｒｓｅｎ法");
  EXPECT_EQ(d.vaSpread1->Text(2, 5), "0");
  EXPECT_EQ(d.vaSpread1->Text(5, 37), "00000");
  Phys.Phys_Mol_Wt = 86.17536;
  Phys.Phys_Tb_C = 68.73;
  d.vaSpread1->TypeText(2, 1, "6");
  d.cmdEstimation->click();
  EXPECT_EQ(Text(d.resultData[0]), "508.296");
  EXPECT_EQ(Text(d.resultData[2]), "370.000");
  d.vaSpread1->TypeText(2, 3, "9");  // typed, not estimated: lost on closing
  d.cmdExit->click();
  auto& again = ui::Forms::Get<frmPhysicalLydersen>();
  EXPECT_EQ(again.vaSpread1->Text(2, 1), "6");
  EXPECT_EQ(again.vaSpread1->Text(2, 3), "0");
  EXPECT_EQ(Text(again.resultData[0]), "");
  again.cmdExit->click();

  // A Fedors group without a value takes no count: the estimate of nothing is refused.
  Phys.Phys_Tc = 500;
  auto& fed = ui::Forms::Get<frmPhysicalFedors>();
  fed.vaSpread1->TypeText(2, 2, "4");
  EXPECT_EQ(fed.vaSpread1->Text(2, 2), "");
  script.Answer(ui::vbOK, "推算値が計算できません。");
  fed.cmdEstimation->click();
  EXPECT_EQ(Phys.Phys_Tc, 500);
  EXPECT_EQ(Phys.Phys_Tb_Blank, 0);
  EXPECT_EQ(Text(fed.resultData[0]), "");
  fed.cmdExit->click();

  // The ideal-gas dialog: one -CH3.
  auto& cp = ui::Forms::Get<frmPhysicalIdealGasHeat>();
  EXPECT_EQ(cp.vaSpread1->Text(6, 0), "d*10^6");
  cp.vaSpread1->TypeText(2, 2, "1");
  cp.cmdEstimation->click();
  EXPECT_EQ(Text(cp.resultData[2]), txt::Format(-8.52e-6, "#.#000000E+##"));
  cp.cmdExit->click();
}

TEST_F(PhysWindowTest, EstimatedDataTables) {
  Phys.Phys_Comp_Name = "X";
  Phys.Phys_Tc = 508.3;
  Phys.Phys_Cp0[1] = 1;
  Phys.Phys_Cp0[2] = 0.01;
  Phys.Phys_Temp_C[1] = 26.85;
  Phys.Phys_Temp_K[1] = 300;
  Phys.Phys_Hv[51] = 1234.5;
  frmPhysicalMain& f = Open();
  script.OnModal("frmPhysicalEstimateData", [](ui::Form& form) {
    auto& d = static_cast<frmPhysicalEstimateData&>(form);
    EXPECT_EQ(d.vaSpread1->Text(3, 1), "X");
    EXPECT_EQ(d.vaSpread1->Text(3, 5), "508.300");
    EXPECT_EQ(d.vaSpread1->Text(1, 23), " ρL=A*B^(-(1-Tr)^(2/7))");
    EXPECT_EQ(d.vaSpread2->Text(1, 1), "温度");
    EXPECT_EQ(d.vaSpread2->Text(1, 3), txt::Format(26.85, "####.00"));
    // Cp0 from the kelvin column: 1 + 0.01 x 300 = 4.
    EXPECT_NEAR(txt::Val(d.vaSpread2->Text(3, 3)), 4.0, 1e-12);
    EXPECT_EQ(d.vaSpread2->Text(3, 3), txt::Format(4.0, "#.000000E+###"));
    EXPECT_NEAR(txt::Val(d.vaSpread2->Text(5, 53)), 1234.5, 1e-9);
    d.cmdExit->click();
  });
  f.cmdDispEstData->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_FALSE(ui::Forms::IsLoaded("frmPhysicalEstimateData"));
}

}  // namespace
