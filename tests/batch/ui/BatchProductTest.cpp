// The product plan dialog: the tank frames follow the count, OK checks the
// plan tank by tank and stores the change conditions in their encoding.
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "batch/ui/BatchTestWindows.h"
#include "batch/ui/frmBatchProduct.h"

namespace {

// Opens the product plan on the example case (through the operation dialog's button).
frmBatchProduct& OpenPlan() {
  auto& f = ui::Forms::Get<frmBatchProduct>();
  f.Form_Activate();
  return f;
}

std::vector<bool> FramesShown(const frmBatchProduct& f) {
  std::vector<bool> shown;
  for (QGroupBox* g : f.fraTank) shown.push_back(!g->isHidden());
  return shown;
}

}  // namespace

TEST_F(BatchWindowTest, PlanShowsTheExampleTanks) {
  OpenExample(1);
  auto& f = OpenPlan();
  EXPECT_EQ(ui::S(f.Caption()), "Batch Distillation  Product Operation");
  EXPECT_TRUE(f.optOpeType[0]->isChecked());
  EXPECT_EQ(FramesShown(f), (std::vector<bool>{true, true, false, false, false}));
  EXPECT_EQ(ui::S(f.lblOpeMax->text()), "(Max.4)");
  EXPECT_TRUE(f.optCond[0]->isChecked());
  EXPECT_EQ(ui::S(f.txtWeight[0]->text()), "2");
  EXPECT_EQ(ui::S(f.cboMolWt[0]->currentText()), "Kgmol");
  EXPECT_TRUE(f.optCond[3]->isChecked());
  EXPECT_EQ(ui::S(f.txtCompNo[1]->text()), "1");
  EXPECT_EQ(ui::S(f.txtFr[1]->text()), "0.88");
  EXPECT_EQ(ui::S(f.cboUpDown[1]->currentText()), "<");
  EXPECT_TRUE(f.txtWeight[1]->isHidden());

  // The count shows its frames while typed; 5 and more leave them; -1 hides all.
  f.txtProdChange->setText("3.5");
  EXPECT_EQ(FramesShown(f), (std::vector<bool>{true, true, true, true, true}));
  f.txtProdChange->setText("2.5");
  EXPECT_EQ(FramesShown(f), (std::vector<bool>{true, true, true, false, false}));
  f.txtProdChange->setText("7");
  EXPECT_EQ(FramesShown(f), (std::vector<bool>{true, true, true, false, false}));
  f.txtProdChange->setText("-1");
  EXPECT_EQ(FramesShown(f), (std::vector<bool>{false, false, false, false, false}));

  // A change of type shows the stored values of the other kind, not what was typed.
  f.txtProd_Qreb[0]->setText("99");
  f.optOpeType.Click(1);
  EXPECT_EQ(ui::S(f.txtProd_Qreb[0]->text()), "0");
  EXPECT_EQ(ui::S(f.lblUnitProd_Qreb[0]->text()), "Kcal/H");
  f.optOpeType.Click(0);
  EXPECT_EQ(ui::S(f.txtProd_Qreb[0]->text()), "10");
}

TEST_F(BatchWindowTest, PlanStoresTanksInTheirEncoding) {
  auto& main = OpenExample(1);
  auto& f = OpenPlan();
  f.txtProdChange->setText("2");
  // Tank 2 by weight fraction, rising; tank 3 by amount in kg.
  f.cboMolWtFr[1]->setCurrentIndex(1);
  f.cboUpDown[1]->setCurrentIndex(0);
  f.txtCompNo[1]->setText("2.5");
  f.txtReflux[2]->setText("3");
  f.txtProd_Qreb[2]->setText("0");
  f.optCond.Click(4);
  f.cboMolWt[2]->setCurrentIndex(1);
  f.txtWeight[2]->setText("2000");
  f.cmdOK->click();
  EXPECT_EQ(Batch.Ope_Mode, 2);
  EXPECT_EQ(Batch.N_Change_Tank, 2);
  EXPECT_EQ(Batch.Tank_Cond[2], 102) << "2.5 goes to component 2, + 100 for a weight fraction";
  EXPECT_EQ(Batch.Tank_Value[2], 0.88);
  EXPECT_EQ(Batch.Tank_Cond[3], -2);
  EXPECT_EQ(Batch.Tank_Value[3], 2000);
  EXPECT_EQ(Batch.Prod_Spec[1][3], 3);
  EXPECT_EQ(Batch.Prod_Spec[2][3], 0) << "a distillate rate of 0 passes";
  EXPECT_EQ(Text(main.lblProdChangeData), "2");
  EXPECT_EQ(ui::Forms::Find<frmBatchProduct>(), nullptr);
}

TEST_F(BatchWindowTest, PlanRefusesTankByTankKeepingWhatWentBefore) {
  auto& main = OpenExample(0);
  auto& f = OpenPlan();
  f.optOpeType.Click(1);
  f.txtProdChange->setText("5");
  script.Answer(ui::vbOK, "タンク切替回数がMax4 を越えています。");
  f.cmdOK->click();
  EXPECT_EQ(script.messages.back().title, "") << "the plan's refusals carry the application's title";
  EXPECT_EQ(Batch.N_Change_Tank, 1) << "the refused count is not stored";
  EXPECT_EQ(Batch.Ope_Mode, 3) << "the type is stored before the count is checked";

  f.txtProdChange->setText("2");
  f.txtReflux[0]->setText("6");
  f.txtProd_Qreb[0]->setText("100");
  f.txtProd_Qreb[1]->setText("100");
  f.txtReflux[2]->setText("4");
  f.txtProd_Qreb[2]->setText("-1");
  script.Answer(ui::vbOK, "リボイラー熱量が 0以下です。");
  f.cmdOK->click();
  EXPECT_EQ(Batch.N_Change_Tank, 2);
  EXPECT_EQ(Batch.Prod_Spec[1][1], 6);
  EXPECT_DOUBLE_EQ(Batch.Prod_Spec[3][1], 100 * 4186.05);
  EXPECT_EQ(Batch.Prod_Spec[1][3], 4) << "the failing tank's reflux ratio was stored before its duty";
  EXPECT_EQ(Text(main.lblProdChangeData), "1") << "the count label waits for a plan that passes";

  // A mode-3 tank without heat would never fill.
  f.txtProd_Qreb[2]->setText("0");
  script.Answer(ui::vbOK, "リボイラー熱量が 0以下です。");
  f.cmdOK->click();

  // Amount limits: the charge in kmol, or in kg by the charge's molecular weights.
  f.txtProd_Qreb[2]->setText("50");
  f.optCond.Click(4);
  f.cboMolWt[2]->setCurrentIndex(0);
  f.txtWeight[2]->setText("100");
  script.Answer(ui::vbOK, "抜き出し量が 0以下またはフィード量100より多い。");
  f.cmdOK->click();
  f.cboMolWt[2]->setCurrentIndex(1);
  f.txtWeight[2]->setText("2140");
  // 100 x (0.12 x 32.04 + 0.03 x 46.07 + 0.85 x 18.015) = 2053.965 kg
  script.Answer(ui::vbOK, "フィード量2053.965より多い。");
  f.cmdOK->click();
  f.txtWeight[2]->setText("2053");
  f.cmdOK->click();
  EXPECT_EQ(Batch.Tank_Cond[3], -2);
}

TEST_F(BatchWindowTest, PlanRefusesComponentsAndFractionsOutsideTheCase) {
  OpenExample(1);
  auto& f = OpenPlan();
  f.txtProdChange->setText("0");
  f.optCond.Click(1);
  f.cboMolWtFr[0]->setCurrentIndex(0);
  f.txtFr[0]->setText("0.5");
  for (const char* bad : {"3.5", "0", "0.4"}) {
    f.txtCompNo[0]->setText(bad);
    script.Answer(ui::vbOK, "Component No =<0 or Max Component");
    f.cmdOK->click();
  }
  // Text that is not wholly a number is refused as such, naming the box and tank.
  const std::pair<const char*, const char*> texts[] = {{"", "Tank Component No (TANK 1): enter a number"},
                                                       {"abc", "\"abc\" is not a number"},
                                                       {"12abc", "\"12abc\" is not a number"},
                                                       {"1e999", "\"1e999\" is beyond the range"}};
  for (const auto& [bad, said] : texts) {
    f.txtCompNo[0]->setText(bad);
    script.Answer(ui::vbOK, said);
    f.cmdOK->click();
  }
  f.txtCompNo[0]->setText("3");
  f.txtProdChange->setText("4294967297");
  script.Answer(ui::vbOK, "No of TANK -1: enter a whole number from");
  f.cmdOK->click();
  f.txtProdChange->setText("0");
  f.txtCompNo[0]->setText("3");
  for (const char* bad : {"1", "0", "1.2"}) {
    f.txtFr[0]->setText(bad);
    script.Answer(ui::vbOK, "Composition =< 0 or >=1 ");
    f.cmdOK->click();
  }
  f.txtFr[0]->setText("0.95");
  f.cmdOK->click();
  EXPECT_EQ(Batch.N_Change_Tank, 0);
  EXPECT_EQ(Batch.Tank_Cond[1], 3);
  EXPECT_EQ(Batch.Tank_Value[1], -0.95) << "no direction chosen counts as the second entry";
}

TEST_F(BatchWindowTest, PlanRefusesNegativeCounts) {
  // A plan without a tank is refused by the run and by the case-file reader:
  // it is not stored in the first place.
  auto& main = OpenExample(1);
  auto& f = OpenPlan();
  f.txtProdChange->setText("-3");
  EXPECT_EQ(FramesShown(f), (std::vector<bool>{false, false, false, false, false}));
  for (const char* count : {"-1", "-3"}) {
    f.txtProdChange->setText(count);
    script.Answer(ui::vbOK, "Tank Change < 0");
    f.cmdOK->click();
  }
  EXPECT_EQ(Batch.N_Change_Tank, 1);
  EXPECT_EQ(Batch.Tank_Cond[1], -1) << "no tank is checked or changed";
  EXPECT_EQ(Text(main.lblProdChangeData), "1");
  ASSERT_NE(ui::Forms::Find<frmBatchProduct>(), nullptr) << "the dialog stays open";
}

TEST_F(BatchWindowTest, UnplannedTankOpensAsDesignedAndStoresAWeightFraction) {
  OpenExample(1);
  Batch.Ope_Mode = 1;  // total reflux only: the plan opens with the duty type
  Batch.N_Change_Tank = 2;
  auto& f = OpenPlan();
  EXPECT_TRUE(f.optOpeType[1]->isChecked());
  EXPECT_TRUE(f.optCond[5]->isChecked());
  EXPECT_FALSE(f.txtWeight[2]->isHidden());
  EXPECT_FALSE(f.txtCompNo[2]->isHidden());
  EXPECT_EQ(f.cboMolWtFr[2]->currentIndex(), -1);
  f.txtReflux[2]->setText("2");
  for (int i = 0; i < 3; ++i) f.txtProd_Qreb[i]->setText("100");  // a tank needs heat to fill
  script.Answer(ui::vbOK, "Component No");
  f.cmdOK->click();
  f.txtCompNo[2]->setText("1");
  f.txtFr[2]->setText("0.3");
  f.cmdOK->click();
  EXPECT_EQ(Batch.Ope_Mode, 3);
  EXPECT_EQ(Batch.Tank_Cond[3], 101);
  EXPECT_EQ(Batch.Tank_Value[3], -0.3);
}
