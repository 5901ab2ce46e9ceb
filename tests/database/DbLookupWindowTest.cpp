// The six lookup dialogs driven as a user would: opened modally from stand-ins
// of their openers, a row clicked, OK or Cancel pressed, prompts scripted.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DbFixture.h"
#include "core/model/CaseData.h"
#include "database/ui/frmDBAntoine.h"
#include "database/ui/frmDBComponent.h"
#include "database/ui/frmDBEnthalpyCoeff.h"
#include "database/ui/frmDBKij.h"
#include "database/ui/frmDBNRTL.h"
#include "database/ui/frmDBWilson.h"
#include "platform/ui/Controls.h"
#include "support/UiTest.h"

namespace {

using vzdb::test::ScratchDb;

// Stand-ins for the windows that open the lookups, with the controls the
// lookups read and write.
struct OpenerSpec {
  const char* form;
  const char* grid;
  int rows, cols;
  const char* button;
};
constexpr OpenerSpec kOpeners[] = {
    {"frmComponent", "vaSpreadComp", 20, 6, "cmdDBSearch"},
    {"frmK_Value", "vaSpreadWilson", 20, 20, "cmdDBWilson"},
    {"frmEnthalpy", "vaSpreadEnthalpy", 20, 7, "cmdDBEnthalpyCoeff"},
    {"frmVLE_Estimation", "vaSpreadAntoine", 2, 4, "txtMainPara12"},
    {"frmAntoineVaporPress", "vaSpreadAntoine", 5, 8, "cmdDBAntoine"},
};

template <int N>
class Opener : public ui::Form {
 public:
  Opener() : ui::Form(kOpeners[N].form) {
    auto* v = new QVBoxLayout(this);
    grid = new ui::SpreadGrid(kOpeners[N].grid, this);
    grid->SetMaxRows(kOpeners[N].rows);
    grid->SetMaxCols(kOpeners[N].cols);
    v->addWidget(grid);
    button = ui::NewButton(this, kOpeners[N].button);
    button->setVisible(false);
    ui::NewTextBox(this, "txtMainPara12");
    ui::NewTextBox(this, "txtMainPara21");
    cbo = ui::NewComboBox(this, "cboEnthalpy");
    cbo->addItems({"0", "1", "2", "3"});
  }
  ui::SpreadGrid* grid;
  QPushButton* button;
  QComboBox* cbo;
};

class DbLookupWindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    db_.Fill();
    Case.DB_Path = db_.Path();
    Case.Prog_Title = "Title-";
    Case.NC = 3;
    Case.Comp_Name[1] = "Methanol";
    Case.Comp_Name[2] = "Water";
    Case.Comp_Name[3] = "Ethanol";
    ui::SetApplicationTitle("AppTitle");
  }
  void TearDown() override {
    ui::Caller_Grid = nullptr;
    UiTest::TearDown();
  }
  // Opens lookup T modally; `user` acts on it while it is shown.
  template <typename T>
  void Open(std::function<void(T&)> user) {
    T& form = ui::Forms::Get<T>();
    script.OnModal(form.objectName().toStdString(), [user](ui::Form& f) { user(static_cast<T&>(f)); });
    form.ShowModal();
  }
  ScratchDb db_;
};

TEST_F(DbLookupWindowTest, AntoineListsDataSetsAndCopiesTheClickedOne) {
  auto& vle = ui::Forms::Get<Opener<3>>();
  Case.Program_No = 4;
  ui::Caller_Grid = vle.grid;
  vle.grid->SetText(1, 1, "Methanol");
  vle.grid->SetActiveCell(1, 1);
  Open<frmDBAntoine>([](frmDBAntoine& f) {
    EXPECT_EQ(f.windowTitle().toStdString(), "Title-Antoine定数ＤＢ検索");
    EXPECT_EQ(f.vaSpread1->MaxRows(), 2);
    EXPECT_EQ(f.vaSpread1->Text(4, 0), "式ﾀｲﾌﾟ");
    EXPECT_EQ(f.vaSpread1->Text(10, 2), "second set");
    EXPECT_EQ(f.vaSpread1->Text(8, 1), "");  // a null TL stays an empty cell
    EXPECT_EQ(f.Selected_Row(), 1);
    f.vaSpread1->ClickCell(1, 2);
    f.cmdOK_Click();
  });
  EXPECT_FALSE(ui::Forms::IsLoaded("frmDBAntoine"));
  EXPECT_EQ(vle.grid->Text(1, 1), "Methanol");
  EXPECT_EQ(vle.grid->Text(2, 1), "8.0176");
  EXPECT_EQ(vle.grid->Text(4, 1), "235.99");
  EXPECT_DOUBLE_EQ(Case.Antoine_B[1], 1544.05);
}

TEST_F(DbLookupWindowTest, AntoineWindowGetsFormulaAndNameAndTheFirstSetWithoutAClick) {
  auto& antoine = ui::Forms::Get<Opener<4>>();
  Case.Program_No = 3;
  Case.Language = 1;
  ui::Caller_Grid = antoine.grid;
  antoine.grid->SetText(1, 3, "methanol");  // column 2 empty: the key comes from column 1
  antoine.grid->SetActiveCell(2, 3);
  Open<frmDBAntoine>([](frmDBAntoine& f) {
    EXPECT_EQ(f.cmdOK->text().toStdString(), "OK (&O)");
    f.cmdOK_Click();
  });
  EXPECT_EQ(antoine.grid->Text(1, 3), "CH4O");
  EXPECT_EQ(antoine.grid->Text(2, 3), "Methanol");
  EXPECT_EQ(antoine.grid->Text(3, 3), "7.8786");
  EXPECT_EQ(antoine.grid->BackColor(5, 3), QColor(Qt::white));
  EXPECT_DOUBLE_EQ(Case.Antoine_C[3], 230);
}

TEST_F(DbLookupWindowTest, SelectARowMessageKeepsTheDialogOpenAndCopiesNothing) {
  auto& vle = ui::Forms::Get<Opener<3>>();
  Case.Program_No = 4;
  ui::Caller_Grid = vle.grid;
  vle.grid->SetText(1, 2, "Water");
  vle.grid->SetActiveCell(1, 2);
  Case.Antoine_A[2] = 5;
  script.Answer(ui::vbOK, "ERROR: 物質名を選択して下さい。").Answer(ui::vbOK, "ERROR: 物質名を選択して下さい。");
  Open<frmDBAntoine>([](frmDBAntoine& f) {
    // Water's data set lacks Bn: the copy fails as a whole.
    f.cmdOK_Click();
    EXPECT_TRUE(ui::Forms::IsLoaded("frmDBAntoine"));
    // A click on the heading row chooses no data set.
    f.vaSpread1->ClickCell(2, 0);
    f.cmdOK_Click();
    f.cmdCancel_Click();
  });
  ASSERT_EQ(script.messages.size(), 2u);
  EXPECT_EQ(script.messages[0].title, "Title-");
  EXPECT_EQ(Case.Msg_Text, "ERROR: 物質名を選択して下さい。");
  EXPECT_EQ(Case.Antoine_A[2], 5);
  EXPECT_EQ(vle.grid->Text(2, 2), "");
}

// The data-set index of the chosen row is a whole number; one past the range
// of the stored indexes ("4294967297", "3e9" read as 1 or a wrapped number
// before) fetches no other data set.
TEST_F(DbLookupWindowTest, ListedIndexOutsideItsRangeCopiesNothing) {
  auto& vle = ui::Forms::Get<Opener<3>>();
  Case.Program_No = 4;
  ui::Caller_Grid = vle.grid;
  vle.grid->SetText(1, 1, "Methanol");
  vle.grid->SetActiveCell(1, 1);
  for (int i = 0; i < 4; ++i) script.Answer(ui::vbOK, "ERROR: 物質名を選択して下さい。");
  Open<frmDBAntoine>([](frmDBAntoine& f) {
    for (const char* index : {"4294967297", "9.3e18", "1abc", ""}) {
      f.vaSpread1->SetText(3, 2, index);
      f.vaSpread1->ClickCell(1, 2);
      f.cmdOK_Click();
      EXPECT_TRUE(ui::Forms::IsLoaded("frmDBAntoine")) << index;
    }
    f.cmdCancel_Click();
  });
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(vle.grid->Text(2, 1), "");
}

// A lookup shown again after a language switch speaks the new language.
TEST_F(DbLookupWindowTest, CaptionsFollowTheLanguageAtEachShowing) {
  auto& vle = ui::Forms::Get<Opener<3>>();
  Case.Program_No = 4;
  ui::Caller_Grid = vle.grid;
  vle.grid->SetText(1, 1, "Methanol");
  vle.grid->SetActiveCell(1, 1);
  auto& f = ui::Forms::Get<frmDBAntoine>();
  EXPECT_EQ(f.cmdOK->text().toStdString(), "ＯＫ(&O)");
  Case.Language = 1;
  f.Form_Activate();
  EXPECT_EQ(f.cmdOK->text().toStdString(), "OK (&O)");
  EXPECT_EQ(f.cmdCancel->text().toStdString(), "Cancel(&C)");
  Case.Language = 0;
  f.Form_Activate();
  EXPECT_EQ(f.windowTitle().toStdString(), "Title-Antoine定数ＤＢ検索");
}

TEST_F(DbLookupWindowTest, NothingFoundShowsTheLabelAndEscapeCloses) {
  auto& vle = ui::Forms::Get<Opener<3>>();
  ui::Caller_Grid = vle.grid;
  vle.grid->SetText(1, 1, "Unobtainium");
  Case.Language = 1;
  script.Answer(ui::vbOK, "ERROR: Select Data");
  Open<frmDBAntoine>([](frmDBAntoine& f) {
    EXPECT_FALSE(f.lblDBSearchError->isHidden());
    EXPECT_EQ(f.lblDBSearchError->text().toStdString(), "Antoine's constants does not exist in Data Base");
    EXPECT_EQ(f.Selected_Row(), 0);
    f.cmdOK_Click();
    ui::SendKey(f.vaSpread1, ui::vbKeyEscape);
  });
  EXPECT_FALSE(ui::Forms::IsLoaded("frmDBAntoine"));
}

TEST_F(DbLookupWindowTest, ComponentFillsTheComponentsDialogRowWhereValuesExist) {
  auto& comp = ui::Forms::Get<Opener<0>>();
  Case.Program_No = 1;
  comp.grid->SetText(1, 2, "WATER");
  comp.grid->SetText(3, 2, "999");
  comp.grid->SetActiveCell(4, 2);
  Open<frmDBComponent>([](frmDBComponent& f) {
    EXPECT_EQ(f.vaSpread1->MaxRows(), 1);
    f.cmdOK_Click();
  });
  EXPECT_EQ(comp.grid->Text(1, 2), "water");
  EXPECT_EQ(comp.grid->Text(2, 2), "18.015");
  EXPECT_EQ(comp.grid->Text(3, 2), "999");  // the record has no Tc
  EXPECT_EQ(comp.grid->Text(4, 2), "220.64");
  EXPECT_TRUE(comp.button->isVisibleTo(&comp));
  EXPECT_EQ(Case.Comp_Tc[2], 0);  // the case is not written
}

TEST_F(DbLookupWindowTest, ComponentFillsTheAntoineWindowRowFromItsActiveCell) {
  auto& antoine = ui::Forms::Get<Opener<4>>();
  Case.Program_No = 3;
  antoine.grid->SetText(1, 2, "c2h6o");  // the formula finds both C2H6O rows
  antoine.grid->SetActiveCell(1, 2);
  Open<frmDBComponent>([](frmDBComponent& f) {
    ASSERT_EQ(f.vaSpread1->MaxRows(), 2);
    for (int r = 1; r <= 2; ++r)
      if (f.vaSpread1->Text(2, r) == "Ethanol") f.vaSpread1->ClickCell(3, r);
    f.cmdOK_Click();
  });
  EXPECT_EQ(antoine.grid->Text(1, 2), "C2H6O");
  EXPECT_EQ(antoine.grid->Text(2, 2), "Ethanol");
  EXPECT_EQ(antoine.grid->Text(6, 2), "513.92");
  EXPECT_EQ(antoine.grid->Text(7, 2), "61.48");
  EXPECT_EQ(antoine.grid->Text(8, 2), "0.649");
  EXPECT_EQ(antoine.grid->Text(3, 2), "");  // Antoine constants are not this lookup's
}

TEST_F(DbLookupWindowTest, WilsonFromEitherMatrixCellWritesByTheRecordsNames) {
  auto& kv = ui::Forms::Get<Opener<1>>();
  Case.Program_No = 0;
  for (auto [col, row] : {std::pair{1, 3}, std::pair{3, 1}}) {
    Case.Wilson_Lambda[1][3] = Case.Wilson_Lambda[3][1] = 0;
    kv.grid->SetActiveCell(col, row);
    Open<frmDBWilson>([](frmDBWilson& f) {
      ASSERT_EQ(f.vaSpread1->MaxRows(), 1);
      EXPECT_EQ(f.vaSpread1->Text(1, 1), "Ethanol");
      f.cmdOK_Click();
    });
    EXPECT_DOUBLE_EQ(Case.Wilson_Lambda[3][1], 0.56);
    EXPECT_DOUBLE_EQ(Case.Wilson_Lambda[1][3], 1.58);
    EXPECT_EQ(kv.grid->Text(1, 3), "0.56");  // row 3 (Ethanol), column 1
    EXPECT_EQ(kv.grid->Text(3, 1), "1.58");
  }
}

TEST_F(DbLookupWindowTest, NrtlForTheVleEstimationMatchesAlphaAndSwaps) {
  auto& vle = ui::Forms::Get<Opener<3>>();
  Case.Program_No = 4;
  Case.NC = 0;  // the VLE estimation keeps its pair in components 1 and 2 and sets no NC
  Case.NRTL_Alpha = 0.3;
  Open<frmDBNRTL>([](frmDBNRTL& f) {
    EXPECT_EQ(f.txtNRTLAlpha->text().toStdString(), "0.3");
    ASSERT_EQ(f.vaSpread1->MaxRows(), 1);
    EXPECT_EQ(f.vaSpread1->Text(1, 1), "Water");
    f.cmdOK_Click();
  });
  EXPECT_DOUBLE_EQ(Case.NRTL_Tau12, -0.27);
  EXPECT_DOUBLE_EQ(Case.NRTL_Tau21, 1.12);
  EXPECT_EQ(ui::ControlText(&vle, "txtMainPara12"), "-0.27");
  EXPECT_EQ(ui::ControlText(&vle, "txtMainPara21"), "1.12");

  Case.NRTL_Alpha = 0.4;  // no data set has this alpha
  Open<frmDBNRTL>([](frmDBNRTL& f) {
    EXPECT_EQ(f.vaSpread1->MaxRows(), 0);
    EXPECT_FALSE(f.lblDBSearchError->isHidden());
    f.cmdCancel_Click();
  });
}

TEST_F(DbLookupWindowTest, WilsonForTheVleEstimationNeedsTheNamesInTheirOwnLetters) {
  auto& vle = ui::Forms::Get<Opener<3>>();
  Case.Program_No = 4;
  Case.Comp_Name[1] = "methanol";
  script.Answer(ui::vbOK, "ERROR");
  Open<frmDBWilson>([](frmDBWilson& f) {
    EXPECT_EQ(f.vaSpread1->MaxRows(), 1);  // listed: the search ignores letter case
    f.cmdOK_Click();
    EXPECT_TRUE(ui::Forms::IsLoaded("frmDBWilson"));
    f.cmdCancel_Click();
  });
  EXPECT_EQ(Case.Wilson_L12, 0);

  Case.Comp_Name[1] = "Methanol";  // stored (Methanol, Water): taken as it is
  Open<frmDBWilson>([](frmDBWilson& f) { f.cmdOK_Click(); });
  EXPECT_DOUBLE_EQ(Case.Wilson_L12, 0.43045);
  EXPECT_DOUBLE_EQ(Case.Wilson_L21, 0.94934);
  EXPECT_EQ(ui::ControlText(&vle, "txtMainPara12"), "0.43045");
  EXPECT_EQ(Case.Wilson_Lambda[1][2], 0);  // the case matrix is not the destination
}

TEST_F(DbLookupWindowTest, KijGoesToBothCellsAndItsMessageHasTheApplicationTitle) {
  auto& kv = ui::Forms::Get<Opener<1>>();
  kv.grid->SetActiveCell(1, 3);
  script.Answer(ui::vbOK, "ERROR");
  Open<frmDBKij>([](frmDBKij& f) {
    f.vaSpread1->ClickCell(1, 0);
    f.cmdOK_Click();
    f.vaSpread1->ClickCell(4, 1);
    f.cmdOK_Click();
  });
  EXPECT_EQ(script.messages.at(0).title, "AppTitle");
  EXPECT_DOUBLE_EQ(Case.EOS_Kij[1][3], 0.012);
  EXPECT_DOUBLE_EQ(Case.EOS_Kij[3][1], 0.012);
  EXPECT_EQ(kv.grid->Text(1, 3), "0.012");
  EXPECT_EQ(kv.grid->Text(3, 1), "0.012");
}

TEST_F(DbLookupWindowTest, EnthalpyTakesTheTableOfTheChosenModel) {
  auto& dlg = ui::Forms::Get<Opener<2>>();
  dlg.grid->SetActiveCell(1, 1);
  dlg.grid->SetText(6, 1, "old");
  dlg.cbo->setCurrentIndex(2);
  Open<frmDBEnthalpyCoeff>([](frmDBEnthalpyCoeff& f) {
    EXPECT_EQ(f.vaSpread1->Text(4, 0), "A");
    EXPECT_EQ(f.lblEnthalpyEquation->text().toStdString(), "Cp(Kcal/KgmolK)=A + B*t + C*t^2 + D*t^3 t:K");
    f.cmdOK_Click();
  });
  EXPECT_DOUBLE_EQ(Case.Cp_A[1], 6.69);
  EXPECT_DOUBLE_EQ(Case.Cp_D[1], -1.1e-8);
  EXPECT_EQ(dlg.grid->Text(2, 1), "6.69");
  EXPECT_EQ(dlg.grid->Text(6, 1), "");
  EXPECT_TRUE(dlg.button->isVisibleTo(&dlg));

  dlg.cbo->setCurrentIndex(1);
  dlg.button->setVisible(false);
  Open<frmDBEnthalpyCoeff>([](frmDBEnthalpyCoeff& f) {
    EXPECT_EQ(f.vaSpread1->Text(4, 0), "A(Vap)");
    f.cmdOK_Click();
  });
  EXPECT_DOUBLE_EQ(Case.HV_A[1], 293.6);
  EXPECT_DOUBLE_EQ(Case.HL_C[1], 9.4e-4);
  EXPECT_EQ(dlg.grid->Text(7, 1), "0.00094");

  dlg.cbo->setCurrentIndex(0);  // no heat balance: nothing to list, OK refuses
  script.Answer(ui::vbOK, "ERROR");
  Open<frmDBEnthalpyCoeff>([](frmDBEnthalpyCoeff& f) {
    EXPECT_EQ(f.vaSpread1->MaxRows(), 0);
    f.cmdOK_Click();
    f.cmdCancel_Click();
  });
}

TEST_F(DbLookupWindowTest, MissingDatabaseIsNamedAndNothingIsListed) {
  auto& vle = ui::Forms::Get<Opener<3>>();
  ui::Caller_Grid = vle.grid;
  vle.grid->SetText(1, 1, "Methanol");
  Case.DB_Path = DataPath("Vadezid$.mde");
  script.Answer(ui::vbOK, Case.DB_Path).Answer(ui::vbOK, "ERROR");
  Open<frmDBAntoine>([](frmDBAntoine& f) {
    EXPECT_EQ(f.vaSpread1->MaxRows(), 0);
    f.cmdOK_Click();  // no data set: the select-a-row path, not a crash
    f.cmdCancel_Click();
  });
  EXPECT_NE(script.messages.at(0).text.find("データベースなしで続けます"), std::string::npos);
}

}  // namespace
