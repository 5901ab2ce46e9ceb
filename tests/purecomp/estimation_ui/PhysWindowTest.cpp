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
#include "purecomp/estimation_ui/frmPhysicalGraph.h"
#include "purecomp/estimation_ui/frmPhysicalIdealGasHeat.h"
#include "purecomp/estimation_ui/frmPhysicalJoback.h"
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
  script.Answer(ui::vbOK, "推算温度範囲に臨界温度Tc未満の温度がないため");
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

TEST_F(PhysWindowTest, RangeEndBelowAbsoluteZeroIsRefusedNamingItsBoxAndLeftAsTyped) {
  frmPhysicalMain& f = Open();
  Hexane(f);
  f.optCpIdeal.Click(1);
  // Refused before any estimate: no group dialog opens (an unscripted one would fail).
  struct Typed {
    const char *low, *high;
    int language;
    const char* says;
  } typed[] = {
      {"-300", "300", 0, "「推算温度範囲（下限）」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。"},
      {"-300", "300", 1, "Temperature range (low): enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C."},
      {"5", "-888", 0, "「推算温度範囲（上限）」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。"},
      {"5", "-273.15", 1, "Temperature range (high): enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C."},
  };
  for (const Typed& t : typed) {
    SCOPED_TRACE(t.says);
    Case.Language = static_cast<int16_t>(t.language);
    f.txtTempLow->setText(t.low);
    f.txtTempHigh->setText(t.high);
    script.Answer(ui::vbOK, t.says);
    f.cmdEstimation->click();
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(ui::S(f.txtTempLow->text()), t.low);
    EXPECT_EQ(ui::S(f.txtTempHigh->text()), t.high);
    EXPECT_EQ(Text(f.lblAntoineAEst), "");
  }
  Case.Language = 0;
}

TEST_F(PhysWindowTest, NoTcStopsTheRunWithItsMessages) {
  frmPhysicalMain& f = Open();
  Hexane(f);
  f.lblAntoineAEst->setText("old");
  script.OnModal("frmPhysicalLydersen", [](ui::Form& d) { static_cast<PhysGroupDialog&>(d).cmdExit->click(); });
  script.Answer(ui::vbOK, "Tcが 0のため偏心因子ωが推算できません。");
  script.Answer(ui::vbOK, "臨界温度Tcを越えています。");
  script.Answer(ui::vbOK, "推算温度範囲に臨界温度Tc未満の温度がないため");
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(endRequests, 0);
  EXPECT_EQ(Text(f.lblAntoineAEst), "") << "nothing of an earlier run stays in sight";
  EXPECT_EQ(Text(f.lblTcEst), "");
  EXPECT_EQ(Phys.Phys_Temp_High, -273.15);
}

TEST_F(PhysWindowTest, VanishingPivotEndsTheStepAndTheWindowGoesOn) {
  frmPhysicalMain& f = Open();
  // Acetone (Lydersen: 2 -CH3, one >CO, Tc 235 degC) over a falling range that starts
  // above Tc: the liquid properties stop at the first point, so they have no point.
  f.txtComponentName->setText("Acetone");
  f.txtMolWeight->setText("58.08");
  f.txtBubblePointTemp->setText("56.05");
  f.txtTotalAtom->setText("10");
  f.txtTempLow->setText("300");
  f.txtTempHigh->setText("100");
  script.OnModal("frmPhysicalLydersen", [](ui::Form& d) { Estimate(d, {{1, "2"}, {20, "1"}}); });
  script.OnModal("frmPhysicalIdealGasHeat", [](ui::Form& d) { Estimate(d, {{2, "2"}}); });
  f.lblHvEst[0]->setText("old");
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
  auto& ambrose = ui::Forms::Get<frmPhysicalAmbrose>();
  EXPECT_EQ(count(ambrose), 15);
  EXPECT_EQ(ambrose.vaSpread1->Text(3, 28), "f(nC)") << "the alcohol -OH follows the carbon number";
  // A row without only its Vc increment takes a count (Vc is then not estimated).
  EXPECT_TRUE(ambrose.Row_Without_Vc(35));
  ambrose.vaSpread1->TypeText(2, 35, "1");
  EXPECT_EQ(ambrose.vaSpread1->Text(2, 35), "1");
  ui::Forms::Unload<frmPhysicalAmbrose>();
  // Heading rows take no count: it would add nothing.
  auto& joback = ui::Forms::Get<frmPhysicalJoback>();
  for (int row : {1, 12, 18, 23, 34, 43}) {
    EXPECT_EQ(joback.vaSpread1->Text(2, row), "");
    joback.vaSpread1->TypeText(2, row, "2");
    EXPECT_EQ(joback.vaSpread1->Text(2, row), "") << "heading row " << row;
  }
  joback.vaSpread1->TypeText(2, 2, "2");
  EXPECT_EQ(joback.vaSpread1->Text(2, 2), "2");
  ui::Forms::Unload<frmPhysicalJoback>();
  EXPECT_EQ(count(ui::Forms::Get<frmPhysicalFedors>()), 42);
  ui::Forms::Unload<frmPhysicalFedors>();
  auto& cp = ui::Forms::Get<frmPhysicalIdealGasHeat>();
  EXPECT_EQ(count(cp), 19);
  EXPECT_EQ(count(ui::Forms::Get<frmPhysicalLydersen>()), 1);  // >B-
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
  EXPECT_EQ(d.vaSpread1->Text(5, 37), "値なし") << ">B- has no published Vc increment";
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
  script.Answer(ui::vbOK, "構造要素が入力されていません。");
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

TEST_F(PhysWindowTest, BoxesThatAreNotWhollyANumberAreRefusedAndTheRunStays) {
  frmPhysicalMain& f = Open();
  Hexane(f);
  ScriptHexaneDialogs();
  f.cmdEstimation->click();
  ASSERT_EQ(Text(f.lblTcEst), "508.296");
  const std::string antoineA = Text(f.lblAntoineAEst);
  struct Bad {
    QLineEdit* box;
    const char* text;
    const char* says;
  } bad[] = {
      {f.txtMolWeight, "abc", "「分子量」の「abc」は数値ではありません。"},
      {f.txtMolWeight, "86.2abc", "「分子量」の「86.2abc」は数値ではありません。"},
      {f.txtMolWeight, "", "「分子量」に数値を入力してください。"},
      {f.txtBubblePointTemp, "1e999", "「標準沸点(ﾟC)」の「1e999」は数値の範囲を超えています。"},
      {f.txtTotalAtom, "4294967297", "「Total原子数」には 0 から 10000 までの整数を入力してください。"},
      {f.txtTempLow, "abc", "「推算温度範囲（下限）」の「abc」は数値ではありません。"},
      {f.txtTempHigh, "", "「推算温度範囲（上限）」に数値を入力してください。"},
      {f.txtTempHigh, "1e999", "「推算温度範囲（上限）」の「1e999」は数値の範囲を超えています。"},
  };
  for (const Bad& b : bad) {
    Hexane(f);
    b.box->setText(b.text);
    script.modalForms.clear();
    script.Answer(ui::vbOK, b.says);
    f.cmdEstimation->click();
    EXPECT_EQ(script.Pending(), 0u) << b.text;
    EXPECT_TRUE(script.modalForms.empty()) << "no dialog opens for " << b.text;
    EXPECT_EQ(ui::S(b.box->text()), b.text) << "the box keeps what was typed";
    EXPECT_EQ(Text(f.lblTcEst), "508.296") << "the last run stays in sight";
    EXPECT_EQ(Text(f.lblAntoineAEst), antoineA);
    EXPECT_EQ(Phys.Phys_Mol_Wt, 86.17536);
  }
  // A group count that is no whole number is refused in its dialog, naming the group.
  Hexane(f);
  script.OnModal("frmPhysicalLydersen", [](ui::Form& d) {
    auto& g = static_cast<PhysGroupDialog&>(d);
    g.vaSpread1->TypeText(2, 3, "4294967297");
    g.cmdEstimation->click();
    EXPECT_EQ(Text(g.resultData[0]), "");
    g.cmdExit->click();
  });
  script.Answer(ui::vbOK, "「>CH-」には 0 から 999 までの整数を入力してください。");
  script.Answer(ui::vbOK, "Tcが 0のため偏心因子ωが推算できません。");
  script.Answer(ui::vbOK, "臨界温度Tcを越えています。");
  script.Answer(ui::vbOK, "推算温度範囲に臨界温度Tc未満の温度がないため");
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
}

// n-hexane asked for 300..400 degC, all above Tc (234.5 degC): with no temperature below Tc
// nothing is computed and the range stays as typed (cut, it read 300 ~ 233.88 and the next
// run answered "fewer than three points"); a range cut at Tc is echoed in full.
TEST_F(PhysWindowTest, RangeAboveTcComputesNothingAndShowsTheCutValueInFull) {
  frmPhysicalMain& f = Open();
  Hexane(f);
  f.txtTempLow->setText("300");
  f.txtTempHigh->setText("400");
  f.optCpIdeal.Click(1);
  script.OnModal("frmPhysicalAmbrose", [](ui::Form& d) { Estimate(d, {{1, "6"}}); });
  f.optTcPcVc.Click(1);
  script.Answer(ui::vbOK, "臨界温度Tcを越えています。");
  script.Answer(ui::vbOK, "推算温度範囲に臨界温度Tc未満の温度がないため、蒸気圧・液物性は計算しません。");
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(Text(f.lblAntoineAEst), "");
  EXPECT_EQ(Text(f.lblHvEst[0]), "");
  for (int i = 1; i <= physprop::kPhysPoints; ++i) EXPECT_EQ(Phys.Phys_Pvap[i], 0);
  EXPECT_EQ(ui::S(f.txtTempLow->text()), "300");
  EXPECT_EQ(ui::S(f.txtTempHigh->text()), "400");
  // The same run again gives the same answer.
  script.OnModal("frmPhysicalAmbrose", [](ui::Form& d) { Estimate(d, {{1, "6"}}); });
  script.Answer(ui::vbOK, "臨界温度Tcを越えています。");
  script.Answer(ui::vbOK, "推算温度範囲に臨界温度Tc未満の温度がないため、蒸気圧・液物性は計算しません。");
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(ui::S(f.txtTempHigh->text()), "400");

  // From 100 degC up the range is cut at Tc: the point at Tc has no pressure, none lies above Pc.
  f.txtTempLow->setText("100");
  f.txtTempHigh->setText("400");
  script.OnModal("frmPhysicalAmbrose", [](ui::Form& d) { Estimate(d, {{1, "6"}}); });
  script.Answer(ui::vbOK, "臨界温度Tcを越えています。");
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_FALSE(Text(f.lblAntoineAEst).empty());
  EXPECT_EQ(Phys.Phys_Pvap[51], 0);
  for (int i = 1; i <= 50; ++i) EXPECT_LT(Phys.Phys_Pvap[i], 760 * Phys.Phys_Pc);
  const std::string high = ui::S(f.txtTempHigh->text());
  EXPECT_EQ(high, txt::Plain(507.03942028985506 - 273.15));
  EXPECT_EQ(high.substr(0, 6), "233.88");
  EXPECT_GE(f.txtTempHigh->width(), f.txtTempHigh->fontMetrics().horizontalAdvance(f.txtTempHigh->text()))
      << "the whole value is in sight";
  EXPECT_EQ(f.txtTempHigh->cursorPosition(), 0);

}

TEST_F(PhysWindowTest, HeldBackVcAndJobackPcSayWhyAndTheRestIsEstimated) {
  frmPhysicalMain& f = Open();
  // Benzene by Ambrose: Tc and Pc from the ring row, no Vc (its increment is not published).
  f.txtComponentName->setText("Benzene");
  f.txtMolWeight->setText("78.11184");
  f.txtBubblePointTemp->setText("80.09");
  f.txtTotalAtom->setText("12");
  f.txtTempLow->setText("20");
  f.txtTempHigh->setText("200");
  f.optTcPcVc.Click(1);
  f.optCpIdeal.Click(1);
  script.OnModal("frmPhysicalAmbrose", [](ui::Form& d) {
    auto& g = static_cast<PhysGroupDialog&>(d);
    g.vaSpread1->TypeText(2, 35, "1");
    g.cmdEstimation->click();
    EXPECT_EQ(Text(g.resultData[0]), "562.258");
    EXPECT_EQ(Text(g.resultData[2]), "") << "not 40.000";
    g.cmdExit->click();
  });
  script.Answer(ui::vbOK, "Vcは推算しません: Aromatic  Benzene");
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(Text(f.lblVcEst), "");
  EXPECT_EQ(Text(f.lblPcEst), "48.327") << "Ambrose gives bar: 48.968 bar is 48.327 atm";
  EXPECT_FALSE(Text(f.lblAntoineAEst).empty()) << "the run goes on without Vc";
  EXPECT_FALSE(Text(f.lblDenLiq1Est[0]).empty());

  // Ethyl acetate by Joback with the atom count blank: Pc is asked for, not made up.
  f.txtMolWeight->setText("88.10512");
  f.txtBubblePointTemp->setText("77.11");
  f.txtTotalAtom->setText("");
  f.optTcPcVc.Click(2);
  script.OnModal("frmPhysicalJoback", [](ui::Form& d) { Estimate(d, {{2, "2"}, {3, "1"}, {32, "1"}}); });
  script.Answer(ui::vbOK, "Joback法のPcには原子数が必要");
  script.Answer(ui::vbOK, "偏心因子が計算できません。");
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(Phys.Phys_Pc, 0) << "not 74.756 atm from 0 atoms";
  EXPECT_EQ(Text(f.lblPcEst), "");
  EXPECT_EQ(Text(f.lblVcEst), "285.500");
  EXPECT_EQ(Text(f.lblAntoineAEst), "");
  // With the 14 atoms typed: Pc 38.697 atm (database 37.8).
  f.txtTotalAtom->setText("14");
  script.OnModal("frmPhysicalJoback", [](ui::Form& d) { Estimate(d, {{2, "2"}, {3, "1"}, {32, "1"}}); });
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(Text(f.lblPcEst), "38.697");
}

TEST_F(PhysWindowTest, WindowsFollowTheLanguageChosenNow) {
  frmPhysicalMain& f = Open();
  EXPECT_EQ(ui::S(f.Caption()), "純物質の物性値推算");
  EXPECT_EQ(ui::S(f.cmdEstimation->text()), "推算(&E)");
  // Switched while the window is loaded: it follows when it is shown again.
  Case.Language = 1;
  f.Show();
  EXPECT_EQ(ui::S(f.Caption()), "Pure Component Property Estimation");
  EXPECT_EQ(ui::S(f.cmdEstimation->text()), "&Estimate");
  EXPECT_EQ(ui::S(f.fraTcPcVc->title()), "Tc, Pc, Vc method");
  EXPECT_EQ(ui::S(f.optTcPcVc[1]->text()), "Ambrose");
  EXPECT_EQ(ui::S(f.lblLymanDanner->text()), "(unavailable: no published X, K values)");
  auto& d = ui::Forms::Get<frmPhysicalAmbrose>();
  EXPECT_EQ(ui::S(d.Caption()), "Critical constants (Tc, Pc, Vc) by Ambrose");
  EXPECT_EQ(d.vaSpread1->Text(1, 0), "Group");
  EXPECT_EQ(d.vaSpread1->Text(1, 1), "C atoms (alkyl)");
  EXPECT_EQ(d.vaSpread1->Text(3, 20), "no value");
  EXPECT_EQ(ui::S(d.cmdExit->text()), "E&xit");
  ui::Forms::Unload<frmPhysicalAmbrose>();
  // Messages too.
  Hexane(f);
  f.txtMolWeight->setText("abc");
  script.Answer(ui::vbOK, "Molecular weight: \"abc\" is not a number.");
  f.cmdEstimation->click();
  EXPECT_EQ(script.Pending(), 0u);
  script.OnModal("frmPhysicalGraph", [](ui::Form& form) {
    EXPECT_EQ(ui::S(form.Caption()), "Graphs");
    EXPECT_EQ(ui::S(static_cast<frmPhysicalGraph&>(form).lbl->text()), "Vapour pressure  logP(mmHg) = A - B/(t + C)");
    static_cast<frmPhysicalGraph&>(form).cmdExit->click();
  });
  f.cmdDispGraph->click();
  script.OnModal("frmPhysicalEstimateData", [](ui::Form& form) {
    auto& t = static_cast<frmPhysicalEstimateData&>(form);
    EXPECT_EQ(t.vaSpread1->Text(1, 2), "Molecular weight");
    EXPECT_EQ(t.vaSpread2->Text(2, 1), "Vapour press.");
    t.cmdExit->click();
  });
  f.cmdDispEstData->click();
  Case.Language = 0;
  f.Show();
  EXPECT_EQ(ui::S(f.cmdEstimation->text()), "推算(&E)");
}

}  // namespace

// The ideal-gas Cp dialog offered benzene's six aromatic CH for acetone: each component starts
// from its own counts, and a component estimated before gets its own back.
TEST_F(PhysWindowTest, GroupDialogsOfferEachComponentItsOwnCounts) {
  frmPhysicalMain& f = Open();
  Hexane(f);
  f.txtTempHigh->setText("60");
  std::string offered;
  auto run = [&](const char* name, std::initializer_list<std::pair<int, const char*>> cp0) {
    f.txtComponentName->setText(name);
    script.OnModal("frmPhysicalLydersen", [](ui::Form& d) { Estimate(d, {{1, "6"}}); });
    script.OnModal("frmPhysicalIdealGasHeat", [&offered, cp0](ui::Form& d) {
      offered = static_cast<PhysGroupDialog&>(d).vaSpread1->Text(2, 19);
      Estimate(d, cp0);
    });
    f.cmdEstimation->click();
    EXPECT_EQ(script.Pending(), 0u) << name;
  };
  run("benzene", {{19, "6"}});
  EXPECT_EQ(offered, "0");
  run("acetone", {{2, "2"}});
  EXPECT_EQ(offered, "0") << "not benzene's 6";
  run("benzene", {});
  EXPECT_EQ(offered, "6") << "benzene's own counts come back";
}

// Every caption of the data table and of the group grids is read whole in both languages
// ("Cp0=A+B*T+C*T^2+D*T...", "Tempe...", "Aliphatic hydrocarb...", "=O (except as ..." were cut).
TEST_F(PhysWindowTest, GridCaptionsAreReadWholeInBothLanguages) {
  auto fits = [](ui::SpreadGrid& g, int col, int row) {
    const QString text = QString::fromStdString(g.Text(col, row));
    const int room = g.columnWidth(col - 1) - 6;  // the cell's margins
    EXPECT_LE(g.fontMetrics().horizontalAdvance(text), room) << "column " << col << " row " << row << ": "
                                                             << text.toStdString();
  };
  for (int language : {0, 1}) {
    Case.Language = static_cast<int16_t>(language);
    frmPhysicalMain& f = Open();
    (void)f;
    auto& data = ui::Forms::Get<frmPhysicalEstimateData>();
    for (int r = 1; r <= 26; ++r) fits(*data.vaSpread1, 1, r);
    for (int c = 1; c <= 6; ++c) fits(*data.vaSpread2, c, 1);
    ui::Forms::Unload<frmPhysicalEstimateData>();
    for (ui::Form* d : {static_cast<ui::Form*>(&ui::Forms::Get<frmPhysicalJoback>()),
                        static_cast<ui::Form*>(&ui::Forms::Get<frmPhysicalIdealGasHeat>()),
                        static_cast<ui::Form*>(&ui::Forms::Get<frmPhysicalAmbrose>()),
                        static_cast<ui::Form*>(&ui::Forms::Get<frmPhysicalFedors>())}) {
      auto& g = *static_cast<PhysGroupDialog*>(d)->vaSpread1;
      for (int r = 1; r <= g.MaxRows(); ++r) fits(g, 1, r);
    }
    ui::Forms::Unload<frmPhysicalJoback>();
    ui::Forms::Unload<frmPhysicalIdealGasHeat>();
    ui::Forms::Unload<frmPhysicalAmbrose>();
    ui::Forms::Unload<frmPhysicalFedors>();
    ui::Forms::Unload<frmPhysicalMain>();
  }
  Case.Language = 0;
}
