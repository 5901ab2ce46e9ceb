// The batch input dialogs driven through their controls: what they store, what
// they write on the main window and what they refuse.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "batch/ui/BatchTestWindows.h"
#include "batch/ui/frmBatchFeed.h"
#include "batch/ui/frmBatchOperation.h"
#include "batch/ui/frmBatchProduct.h"
#include "batch/ui/frmBatchTowerSpec.h"
#include "batch/ui/frmBatchTray.h"

namespace {
constexpr double kKcal = 4186.05;  // J per kcal, the unit conversion's factor

// Types into a cell as a user does: opens the cell's editor, writes the text
// and presses Enter, so the text reaches the grid through its editor.
void TypeInCell(ui::SpreadGrid& g, int col, int row, const std::string& text) {
  const QModelIndex i = g.model()->index(row - 1, col - 1);
  g.setCurrentIndex(i);
  g.edit(i);
  auto* editor = qobject_cast<QLineEdit*>(g.indexWidget(i));
  ASSERT_NE(editor, nullptr) << "no editor opened on cell " << col << ", " << row;
  editor->setText(ui::Q(text));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(editor, &enter);
  QApplication::processEvents();  // the editor commits from the event queue
}
}  // namespace

TEST_F(BatchWindowTest, ChargeDialogStoresTheChargeAndTheStillHoldup) {
  auto& main = OpenExample(1);
  // After the example every figure is in kmol, and says so.
  EXPECT_EQ(Text(main.lblFeedData), "100");
  EXPECT_EQ(Text(main.lblBtmData), "87");
  EXPECT_EQ(Text(main.lblUnitFeed), "Kgmol");
  EXPECT_EQ(Text(main.lblUnitBottom), "Kgmol");
  Batch.Tray_Holdup[2][10] = 55;  // another unit column stays as it is
  // Text that is not wholly a number is refused, naming the field, and the
  // basis stays as it was until the texts are numbers.
  script.Answer(ui::vbOK, "Ethanol Mol Fr: \"0.6abc\" is not a number")
      .Answer(ui::vbOK, "Ethanol Mol Fr: \"0.6abc\" is not a number")
      .Answer(ui::vbOK, "Total Feed: \"1e999\" is beyond the range")
      .Answer(ui::vbOK, "Total Feed: enter a number");
  script.OnModal("frmBatchFeed", [](ui::Form& form) {
    auto& f = static_cast<frmBatchFeed&>(form);
    EXPECT_EQ(f.vaSpread1->MaxRows(), 3);
    EXPECT_EQ(f.vaSpread1->Text(0, 3), "Water");
    EXPECT_EQ(f.vaSpread1->Text(1, 0), "Mol Fr");
    f.txtFeed->setText("120");
    f.vaSpread1->TypeText(1, 1, "0.5");
    f.vaSpread1->TypeText(1, 2, "0.6abc");
    f.cmdOK->click();
    EXPECT_EQ(Batch.Feed_Comp[2], 0.03) << "nothing stored";
    f.cboFeedUnit->setCurrentIndex(1);
    f.cboFeedUnit_LostFocus();
    EXPECT_EQ(f.cboFeedUnit->currentIndex(), 0);
    EXPECT_EQ(Batch.Feed_Comp_Unit, 0);
    f.vaSpread1->TypeText(1, 2, "0.6");  // fractions need not add up to 1
    f.txtFeed->setText("1e999");
    f.cmdOK->click();
    f.txtFeed->setText("");
    f.cmdOK->click();
    EXPECT_NEAR(Batch.Total_Feed, 100, 1e-12);
    f.txtFeed->setText("120");
    f.cboFeedUnit->setCurrentIndex(1);
    f.cboFeedUnit_LostFocus();
    EXPECT_EQ(f.vaSpread1->Text(1, 0), "Wt Fr");
    f.cmdOK->click();
  });
  main.cmdFeed->click();
  // What was typed in kmol keeps its meaning through the change of basis.
  EXPECT_NEAR(Batch.Total_Feed, 120, 1e-9);
  EXPECT_NEAR(Batch.Feed_Comp[1], 0.5 / 1.95, 1e-12);
  EXPECT_NEAR(Batch.Feed_Comp[2], 0.6 / 1.95, 1e-12);
  EXPECT_NEAR(Batch.Tray_Holdup[1][10], 107, 1e-9) << "120 less 5 + 8 x 1 on the plates";
  EXPECT_EQ(Batch.Tray_Holdup[2][10], 55);
  EXPECT_EQ(Text(main.lblUnitBottom), "Kg") << "the still's label shows the charge basis";
  // The figures beside those units are in kg: 120 kmol of the charge's mean molar mass.
  const double mw = (0.5 * 32.04 + 0.6 * 46.07 + 0.85 * 18.015) / 1.95;
  EXPECT_NEAR(std::stod(Text(main.lblFeedData)), 120 * mw, 1e-9);
  EXPECT_NEAR(std::stod(Text(main.lblBtmData)), 107 * mw, 1e-9);
  Set_Batch_Display_Data();
  EXPECT_NEAR(std::stod(Text(main.lblFeedData)), 120 * mw, 1e-9) << "a refresh keeps the basis";
  EXPECT_EQ(Text(main.lblUnitFeed), "Kg");

  // A basis chosen and then cancelled stays chosen; nothing else is stored.
  script.OnModal("frmBatchFeed", [](ui::Form& form) {
    auto& f = static_cast<frmBatchFeed&>(form);
    f.cboFeedUnit->setCurrentIndex(0);
    f.cboFeedUnit_LostFocus();
    f.txtFeed->setText("1");
    ui::SendKey(f.txtFeed, ui::vbKeyEscape);
  });
  main.cmdFeed->click();
  EXPECT_EQ(Batch.Feed_Comp_Unit, 0);
  EXPECT_NEAR(Batch.Total_Feed, 120, 1e-9);

  // A charge by weight without a molar mass is refused, naming the component.
  Case.Mol_Wt[2] = 0;
  script.Answer(ui::vbOK, "No molecular weight of \"Ethanol\"");
  script.OnModal("frmBatchFeed", [](ui::Form& form) {
    auto& f = static_cast<frmBatchFeed&>(form);
    f.cboFeedUnit->setCurrentIndex(1);
    f.cboFeedUnit_LostFocus();
    EXPECT_EQ(f.cboFeedUnit->currentIndex(), 0);
    ui::SendKey(f.txtFeed, ui::vbKeyEscape);
  });
  main.cmdFeed->click();
  EXPECT_EQ(Batch.Feed_Comp_Unit, 0);
  Case.Mol_Wt[2] = 46.07;

  // A charge typed in kg and mass fractions reaches the case in kmol:
  // 50 kg methanol (32.04), 20 kg ethanol (46.07), 30 kg water (18.015).
  script.OnModal("frmBatchFeed", [](ui::Form& form) {
    auto& f = static_cast<frmBatchFeed&>(form);
    f.cboFeedUnit->setCurrentIndex(1);
    f.cboFeedUnit_LostFocus();
    // 1000 kg: about 36 kmol, more than the plates' 13 kmol of hold-up.
    f.txtFeed->setText("1000");
    f.vaSpread1->TypeText(1, 1, "0.5");
    f.vaSpread1->TypeText(1, 2, "0.2");
    f.vaSpread1->TypeText(1, 3, "0.3");
    f.cmdOK->click();
  });
  main.cmdFeed->click();
  const double kmol = 500 / 32.04 + 200 / 46.07 + 300 / 18.015;
  EXPECT_NEAR(Batch.Total_Feed, kmol, 1e-12);
  EXPECT_NEAR(Batch.Feed_Comp[1], 500 / 32.04 / kmol, 1e-12);
  EXPECT_NEAR(Batch.Feed_Comp[3], 300 / 18.015 / kmol, 1e-12);
  // Shown again in kg, as typed.
  script.OnModal("frmBatchFeed", [](ui::Form& form) {
    auto& f = static_cast<frmBatchFeed&>(form);
    EXPECT_NEAR(std::stod(ui::S(f.txtFeed->text())), 1000, 1e-9);
    EXPECT_NEAR(f.vaSpread1->Value(1, 2), 0.2, 1e-12);
    ui::SendKey(f.txtFeed, ui::vbKeyEscape);
  });
  main.cmdFeed->click();
}

// A negative charge is refused at OK, saying it is negative, and the dialog
// stays with what was typed; Calculate says the same of a negative charge that
// came another way.
TEST_F(BatchWindowTest, ChargeDialogRefusesANegativeCharge) {
  auto& main = OpenExample(1);
  script.Answer(ui::vbOK, "Total Feed is negative: enter 0 or more.")
      .Answer(ui::vbOK, "全仕込量が負の値です。0 以上の値を入力してください。");
  script.OnModal("frmBatchFeed", [](ui::Form& form) {
    auto& f = static_cast<frmBatchFeed&>(form);
    f.txtFeed->setText("-100");
    f.cmdOK->click();
    EXPECT_TRUE(ui::Forms::IsLoaded("frmBatchFeed"));
    EXPECT_EQ(ui::S(f.txtFeed->text()), "-100");
    Case.Language = 0;
    f.cmdOK->click();
    f.cmdCancel->click();
  });
  main.cmdFeed->click();
  ASSERT_EQ(script.messages.size(), 2u);
  EXPECT_EQ(script.messages[0].title, "Batch Distillation  ");
  EXPECT_EQ(Batch.Total_Feed, 100) << "nothing stored";
  EXPECT_EQ(Text(main.lblFeedData), "100");
  Batch.Total_Feed = -100;
  script.Answer(ui::vbOK, "仕込量が負の値です。");
  main.cmdGoCalc->click();
}

// A charge below the plates' hold-ups (13 kmol in the example) would leave the
// still below zero, and a negative mole fraction is no composition: both are
// refused at OK, saying what is wrong, in either language, and the case and the
// main window keep the charge they had. Calculate says the same of a negative
// fraction or a still left empty that came another way.
TEST_F(BatchWindowTest, ChargeDialogRefusesANegativeStillAndANegativeFraction) {
  auto& main = OpenExample(1);
  script.Answer(ui::vbOK, "全仕込量が段のホールドアップの合計より少ないため、スチルの量が負になります。")
      .Answer(ui::vbOK, "Total Feed is less than the plates' hold-ups, so the still would hold a negative amount")
      .Answer(ui::vbOK, "仕込組成が負の値です（Methanol）。0 以上の値を入力してください。")
      .Answer(ui::vbOK, "The feed composition of Methanol is negative: enter 0 or more.");
  script.OnModal("frmBatchFeed", [](ui::Form& form) {
    auto& f = static_cast<frmBatchFeed&>(form);
    Case.Language = 0;
    f.txtFeed->setText("1");
    f.cmdOK->click();
    EXPECT_TRUE(ui::Forms::IsLoaded("frmBatchFeed"));
    Case.Language = 1;
    f.cmdOK->click();
    Case.Language = 0;
    f.txtFeed->setText("100");
    f.vaSpread1->TypeText(1, 1, "-0.12");
    f.cmdOK->click();
    Case.Language = 1;
    f.cmdOK->click();
    EXPECT_TRUE(ui::Forms::IsLoaded("frmBatchFeed"));
    f.cmdCancel->click();
  });
  main.cmdFeed->click();
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(Batch.Total_Feed, 100) << "nothing stored";
  EXPECT_GT(Batch.Feed_Comp[1], 0);
  EXPECT_EQ(Batch.Tray_Holdup[1][Case.NT], 87);
  EXPECT_EQ(Text(main.lblBtmData), "87");
  // The same faults arriving another way are named at Calculate.
  Case.Language = 0;
  const double z1 = Batch.Feed_Comp[1];
  Batch.Feed_Comp[1] = -0.12;
  script.Answer(ui::vbOK, "仕込組成が負の値です（Methanol）。");
  main.cmdGoCalc->click();
  Batch.Feed_Comp[1] = z1;
  Batch.Total_Feed = 1;
  Case.Language = 1;
  script.Answer(ui::vbOK, "The charge is not more than the plates' hold-ups: nothing is left in the still.");
  main.cmdGoCalc->click();
  EXPECT_EQ(script.Pending(), 0u);
}

TEST_F(BatchWindowTest, TowerDialogLimitsAndRoundsThePlateCount) {
  auto& main = OpenExample(1);
  script.OnModal("frmBatchTowerSpec", [this](ui::Form& form) {
    auto& f = static_cast<frmBatchTowerSpec&>(form);
    EXPECT_EQ(ui::S(f.lblTopPressUnit->text()), "mmHg");
    f.txtNT->setText("201");
    script.Answer(ui::vbOK, "Over max theoretical plates ( 200)");
    f.cmdOK->click();
    EXPECT_EQ(Case.NT, 10);
    // A negative count would index below the first plate.
    f.txtNT->setText("-2");
    script.Answer(ui::vbOK, "Theoretical plates < 0");
    f.cmdOK->click();
    // Pressures and temperature must be numbers as a whole.
    f.txtNT->setText("11.5");
    f.txtTopPress->setText("7O0");
    script.Answer(ui::vbOK, "not a number");
    f.cmdOK->click();
    EXPECT_EQ(Case.NT, 10) << "a refusal stores nothing";
    f.txtTopPress->setText("700");
    f.txtBtmPress->setText(" 720 ");
    f.cmdOK->click();
  });
  main.cmdDistSpec->click();
  EXPECT_EQ(script.messages[0].title, "") << "the plate refusal carries the application's title";
  EXPECT_EQ(Case.NT, 12) << "11.5 goes to the even neighbour";
  EXPECT_EQ(Case.P_Top, 700);
  EXPECT_EQ(Case.Tray_Press[1], 700);
  EXPECT_EQ(Case.Tray_Press[12], 720);
  EXPECT_EQ(Case.Tray_Press[10], 770) << "the former still keeps its pressure";
  EXPECT_EQ(Text(main.lblNTData), "12");
  EXPECT_EQ(Text(main.lblTopPressData), "700");
}

TEST_F(BatchWindowTest, PlateDialogFillsTheGridAndStoresTheStillDuty) {
  auto& main = OpenExample(1);
  Batch.Tray_Holdup[2][1] = 160;
  Batch.Tray_Heat[3] = 2 * kKcal;
  script.OnModal("frmBatchTray", [](ui::Form& form) {
    auto& f = static_cast<frmBatchTray&>(form);
    auto* g = f.vaSpread1;
    EXPECT_EQ(g->MaxRows(), 11);
    EXPECT_EQ(g->Text(1, 1), "760");
    EXPECT_EQ(g->Text(1, 2), "") << "a plate without a pressure shows a blank cell";
    EXPECT_EQ(g->Text(0, 10), "BTM");
    EXPECT_EQ(g->Text(0, 11), "Total");
    EXPECT_EQ(g->Text(3, 10), "1000000");
    EXPECT_EQ(g->Text(2, 11), "100");
    EXPECT_EQ(g->Value(3, 11), 2) << "heat of plates 2 to 9";
    // The computed cells (the still's hold-up, the charge, the heat total, the
    // condenser) and the total row's empty pressure take nothing typed, the
    // charge and the heat total shown grey; the plates' cells take typing.
    auto editable = [g](int col, int row) {
      return static_cast<bool>(g->model()->flags(g->model()->index(row - 1, col - 1)) & Qt::ItemIsEditable);
    };
    for (auto [col, row] : {std::pair{2, 10}, {2, 11}, {3, 11}, {3, 1}, {1, 11}}) {
      EXPECT_FALSE(editable(col, row)) << col << "," << row;
      g->TypeText(col, row, "7");
      EXPECT_NE(g->Text(col, row), "7") << col << "," << row;
    }
    for (auto [col, row] : {std::pair{2, 11}, {3, 11}}) EXPECT_EQ(g->BackColor(col, row), QColor(192, 192, 192));
    for (int row = 1; row <= 9; ++row) EXPECT_TRUE(editable(2, row)) << row;
    for (int row = 1; row <= 10; ++row) EXPECT_TRUE(editable(1, row)) << row;
    g->TypeText(3, 4, "3");
    EXPECT_EQ(g->Value(3, 11), 5);
    // Another unit shows its own column; the still takes the rest of the charge.
    f.cboHoldupUnit->setCurrentIndex(1);
    f.cboHoldupUnit_Click();
    EXPECT_EQ(g->Text(2, 1), "160");
    EXPECT_EQ(g->Text(2, 2), "0");
    EXPECT_EQ(g->Text(2, 10), "-60");
    g->TypeText(3, 10, "500");
    g->TypeText(1, 5, "765");
    f.cmdOK->click();
  });
  main.cmdTray->click();
  EXPECT_EQ(Batch.Holdup_Unit, 2);
  EXPECT_EQ(Batch.Tray_Holdup[2][10], -60);
  EXPECT_EQ(Batch.Tray_Holdup[1][10], 87) << "the kmol column is not touched";
  EXPECT_DOUBLE_EQ(Batch.Tray_Heat[10], 500 * kKcal);
  EXPECT_DOUBLE_EQ(Batch.QReb_TR, 500 * kKcal);
  EXPECT_DOUBLE_EQ(Batch.QReb, 500 * kKcal);
  EXPECT_DOUBLE_EQ(Batch.Tray_Heat[4], 3 * kKcal);
  EXPECT_EQ(Batch.Tray_Heat[1], 0) << "the condenser's heat is the run's";
  EXPECT_EQ(Case.Tray_Press[5], 765);
  EXPECT_EQ(Case.Tray_Press[2], 0);
  // The summary's still is in the charge's basis (kmol): what 160 kg on the
  // drum leave of 100 kmol of a charge of 20.53 kg/kmol.
  const double mw = 0.12 * 32.04 + 0.03 * 46.07 + 0.85 * 18.015;
  EXPECT_NEAR(std::stod(Text(main.lblBtmData)), 100 - 160 / mw, 1e-9);

  // The unit picked and then cancelled stays picked.
  script.OnModal("frmBatchTray", [](ui::Form& form) {
    auto& f = static_cast<frmBatchTray&>(form);
    f.cboHoldupUnit->setCurrentIndex(0);
    f.cboHoldupUnit_Click();
    f.cmdCancel->click();
  });
  main.cmdTray->click();
  EXPECT_EQ(Batch.Holdup_Unit, 1);
}

TEST_F(BatchWindowTest, OperationDialogStoresTimesDutyAndMode) {
  auto& main = OpenExample(1);
  Batch.Ope_Mode = 3;
  script.OnModal("frmBatchOperation", [](ui::Form& form) {
    auto& f = static_cast<frmBatchOperation&>(form);
    EXPECT_TRUE(f.optOpeSpec[1]->isChecked());
    EXPECT_EQ(ui::S(f.txtQReb->text()), "1000000");
    EXPECT_EQ(ui::S(f.lblQRebUnit->text()), "Kcal/H");
    f.txtQReb->setText("1000");
    f.txtOpeTime->setText("12");
    f.cmdOK->click();
  });
  main.cmdOpeCondition->click();
  EXPECT_EQ(Batch.Ope_Mode, 3) << "showing the mode does not change it";
  EXPECT_DOUBLE_EQ(Batch.QReb_TR, 1000 * kKcal);
  EXPECT_EQ(Batch.Max_Ope_Time, 12);
  EXPECT_EQ(Text(main.lblOperation), "T.Reflux -> Product");
  EXPECT_EQ(Text(main.lblOpeTimeData), "12");

  // The mode is stored when chosen, and stays when the dialog is cancelled.
  script.OnModal("frmBatchOperation", [](ui::Form& form) {
    auto& f = static_cast<frmBatchOperation&>(form);
    f.optOpeSpec.Click(0);
    EXPECT_FALSE(f.cmdProdSpec->isVisibleTo(&f));
    f.cmdCancel->click();
  });
  main.cmdOpeCondition->click();
  EXPECT_EQ(Batch.Ope_Mode, 1);

  script.OnModal("frmBatchOperation", [](ui::Form& form) {
    static_cast<frmBatchOperation&>(form).cmdOK->click();
  });
  main.cmdOpeCondition->click();
  EXPECT_EQ(Text(main.lblOperation), "Total RTeflux");
  EXPECT_FALSE(main.lblProdChangeData->isVisibleTo(&main));
}

TEST_F(BatchWindowTest, OperationDialogRefusesDivisionsThatAreNoCount) {
  auto& main = OpenExample(1);
  script.OnModal("frmBatchOperation", [this](ui::Form& form) {
    auto& f = static_cast<frmBatchOperation&>(form);
    f.txtOpeTime->setText("3");
    for (const char* bad : {"", "x", "0", "0.4", "-2"}) {
      f.txtGraphDiv->setText(bad);
      script.Answer(ui::vbOK, "Invalid Div");
      f.cmdOK->click();
    }
    EXPECT_EQ(Batch.Max_Ope_Time, 10) << "a refusal stores nothing";
    f.txtGraphDiv->setText("7.5");
    f.cmdOK->click();
  });
  main.cmdOpeCondition->click();
  EXPECT_EQ(Batch.Graph_Div, 8);
  EXPECT_EQ(Batch.Max_Ope_Time, 3);
}

TEST_F(BatchWindowTest, OperationDialogKeepsTypedValuesAcrossTheProductPlan) {
  auto& main = OpenExample(1);
  script.OnModal("frmBatchOperation", [this](ui::Form& form) {
    auto& f = static_cast<frmBatchOperation&>(form);
    f.txtDiffTime->setText("0.0005");
    script.OnModal("frmBatchProduct", [](ui::Form& p) { static_cast<frmBatchProduct&>(p).cmdCancel->click(); });
    f.cmdProdSpec->click();
    EXPECT_EQ(ui::S(f.txtDiffTime->text()), "0.0005");
    f.cmdOK->click();
  });
  main.cmdOpeCondition->click();
  EXPECT_EQ(Batch.Diff_Time, 0.0005);
}

TEST_F(BatchWindowTest, UnsupportedHeatUnitIsSaidOncePerOpening) {
  auto& main = OpenExample(1);
  Case.H_Unit = 3;
  script.Answer(ui::vbOK, "熱量変換 BTU は未だサポートしていません。");
  script.OnModal("frmBatchTray", [](ui::Form& form) {
    auto& f = static_cast<frmBatchTray&>(form);
    EXPECT_EQ(f.vaSpread1->Value(3, 10), Batch.QReb_TR) << "the duty passes unconverted";
    f.cmdCancel->click();
  });
  main.cmdTray->click();
  EXPECT_EQ(script.messages.size(), 1u);
}

// What is typed into the plate table is checked as it is typed: text that is
// not wholly a number never enters a cell, so the live heat total never counts
// it; the refusal names the plate and the column under the program's title.
TEST_F(BatchWindowTest, PlateTableRefusesTextAsItIsTyped) {
  for (int language : {0, 1}) {
    SCOPED_TRACE(language);
    Reset_Batch_Data();
    auto& main = OpenExample(language);
    Batch.Tray_Heat[3] = 2 * kKcal;
    script.OnModal("frmBatchTray", [this, language](ui::Form& form) {
      auto& f = static_cast<frmBatchTray&>(form);
      auto& g = *f.vaSpread1;
      EXPECT_EQ(g.Value(3, 11), 2);
      TypeInCell(g, 3, 4, "3");
      EXPECT_EQ(g.Text(3, 4), "3");
      EXPECT_EQ(g.Value(3, 11), 5);
      const struct {
        int col, row;
        const char* text;
        const char* said[2];
      } bad[] = {
          {3, 5, "12abc", {"「5段目のHeatInput」の「12abc」は数値ではありません", "Tray 5 HeatInput: \"12abc\" is not a number"}},
          {3, 4, "1e999", {"「4段目のHeatInput」の「1e999」は数値の範囲を超えています", "Tray 4 HeatInput: \"1e999\" is beyond the range"}},
          {1, 10, "760mm", {"「10段目の圧力」の「760mm」は数値ではありません", "Tray 10 Press: \"760mm\" is not a number"}},
          {2, 3, "0.5.1", {"「3段目のﾎｰﾙﾄﾞｱｯﾌﾟ量」の「0.5.1」は数値ではありません", "Tray 3 Hold up: \"0.5.1\" is not a number"}},
      };
      for (const auto& b : bad) {
        const std::size_t before = script.messages.size();
        const std::string held = g.Text(b.col, b.row);
        script.Answer(ui::vbOK, b.said[language]);
        TypeInCell(g, b.col, b.row, b.text);
        ASSERT_EQ(script.messages.size(), before + 1) << b.text << ": refused once";
        EXPECT_EQ(script.messages.back().title, Case.Prog_Title) << "titled by the program";
        EXPECT_EQ(g.Text(b.col, b.row), held) << "the cell keeps what it held";
        EXPECT_EQ(g.Value(3, 11), 5) << "the total counts no refused text";
      }
      // A blank cell and a number in exponent form are taken.
      TypeInCell(g, 3, 5, "1.5e1");
      EXPECT_EQ(g.Value(3, 11), 20);
      TypeInCell(g, 3, 5, "");
      EXPECT_EQ(g.Value(3, 11), 5);
      f.cmdOK->click();
    });
    main.cmdTray->click();
    EXPECT_DOUBLE_EQ(Batch.Tray_Heat[4], 3 * kKcal);
    EXPECT_EQ(Batch.Tray_Heat[5], 0);
    EXPECT_EQ(Case.Tray_Press[10], 770);
    ui::Forms::Unload(&main);
  }
}

// Every box and cell of the batch dialogs that must hold a number refuses text
// that is not wholly one, naming the field, and stores nothing.
TEST_F(BatchWindowTest, BoxesRefuseTextThatIsNotWhollyANumber) {
  auto& main = OpenExample(1);
  script.OnModal("frmBatchOperation", [this](ui::Form& form) {
    auto& f = static_cast<frmBatchOperation&>(form);
    const std::pair<const char*, const char*> texts[] = {{"abc", "Diff Time: \"abc\" is not a number"},
                                                         {"12abc", "Diff Time: \"12abc\" is not a number"},
                                                         {"", "Diff Time: enter a number"},
                                                         {"1e999", "Diff Time: \"1e999\" is beyond the range"}};
    f.txtOpeTime->setText("12");
    for (const auto& [bad, said] : texts) {
      f.txtDiffTime->setText(bad);
      script.Answer(ui::vbOK, said);
      f.cmdOK->click();
    }
    f.cmdCancel->click();
  });
  main.cmdOpeCondition->click();
  EXPECT_EQ(Batch.Max_Ope_Time, 10) << "a refusal stores nothing";
  EXPECT_EQ(Batch.Diff_Time, 0.0002);

  script.OnModal("frmBatchTowerSpec", [this](ui::Form& form) {
    auto& f = static_cast<frmBatchTowerSpec&>(form);
    for (const char* bad : {"abc", "12abc", "", "1e999"}) {
      f.txtNT->setText(bad);
      script.Answer(ui::vbOK, "Theoretical Plates:");
      f.cmdOK->click();
    }
    f.txtNT->setText("4294967297");  // refused before it is converted, never wrapped to 1
    script.Answer(ui::vbOK, "Theoretical Plates: enter a whole number");
    f.cmdOK->click();
    f.cmdCancel->click();
  });
  main.cmdDistSpec->click();
  EXPECT_EQ(Case.NT, 10);

  script.OnModal("frmBatchTray", [this](ui::Form& form) {
    auto& f = static_cast<frmBatchTray&>(form);
    f.vaSpread1->TypeText(3, 4, "3");
    f.vaSpread1->TypeText(2, 5, "1x");
    script.Answer(ui::vbOK, "Tray 5 Hold up: \"1x\" is not a number");
    f.cmdOK->click();
    f.cmdCancel->click();
  });
  main.cmdTray->click();
  EXPECT_EQ(Batch.Tray_Heat[4], 0);
  EXPECT_EQ(Batch.Tray_Holdup[1][5], 1);
}
