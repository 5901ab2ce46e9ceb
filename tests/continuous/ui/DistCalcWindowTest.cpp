// The start dialog and the solver window: a run from the calculate button to
// Result.dat, Continue's refusal, and the stop button with its confirmation.
#include <QTimer>

#include <filesystem>
#include <regex>

#include "continuous/DistCaseFile.h"
#include "continuous/DistSolver.h"
#include "continuous/ui/DistWindowFixture.h"
#include "continuous/ui/frmDistCalc.h"
#include "continuous/ui/frmDistGoCalc.h"
#include "continuous/ui/frmDistPressProfile.h"
#include "continuous/ui/frmDistTower.h"
#include "continuous/results/frmDistGraphScale.h"

namespace {

class DistCalcWindowTest : public DistWindowTest {
 protected:
  std::string ResultPath() const { return DataPath("Result.dat"); }

  // Calculate, then `start` on the start dialog; when `during` is given the
  // solver window shows, runs, and `during` looks at it.
  void Calculate(frmDistMain& m, std::function<void(frmDistGoCalc&)> start,
                 std::function<void(frmDistCalc&)> during = {}) {
    script.OnModal("frmDistGoCalc", [start](ui::Form& d) { start(static_cast<frmDistGoCalc&>(d)); });
    if (during)
      script.OnModal("frmDistCalc", [during](ui::Form& d) {
        auto& calc = static_cast<frmDistCalc&>(d);
        calc.Run_Calculation();
        during(calc);
      });
    m.cmdGoCalc->click();
  }
  static std::string StatusText(const frmDistCalc& calc) {
    std::string text;
    for (const auto& c : calc.Picture3->Calls())
      if (c.kind == "Print") text += c.text + "|";
    return text;
  }
};

}  // namespace

TEST_F(DistCalcWindowTest, InitialRunWritesResultDatAndShowsTheResultButton) {
  frmDistMain& m = Open(1);
  m.cmdExample1->click();
  Case.Data_File = "kept.dat";
  Calculate(
      m,
      [](frmDistGoCalc& d) {
        EXPECT_EQ(ui::S(d.cmdGoCalcInz->text()), "Initial(&I)");
        d.cmdGoCalcInz->click();
      },
      [](frmDistCalc& calc) {
        EXPECT_TRUE(calc.Run_Over());
        EXPECT_EQ(calc.Outcome().status, DistRunStatus::Converged);
        EXPECT_EQ(StatusText(calc), "  Convergenced|");
        EXPECT_EQ(ui::S(calc.cmdCalcAbort->text()), "Exit(&X)");
        EXPECT_EQ(ui::S(calc.Caption()), "Step by Step Distillation");
        // The live drawing: frames once, then liquid profiles over them.
        EXPECT_FALSE(calc.Picture1->Calls().empty());
        EXPECT_FALSE(calc.Picture2->Calls().empty());
        calc.cmdCalcAbort->click();  // after the run: no question
        EXPECT_EQ(ui::Forms::FindByName("frmDistCalc"), nullptr);
      });
  EXPECT_EQ(script.modalForms, (std::vector<std::string>{"frmDistGoCalc", "frmDistCalc"}));
  EXPECT_EQ(Case.Result_Flag, 1);
  EXPECT_EQ(Case.NC_Save, 4);
  EXPECT_EQ(Case.Data_File, "kept.dat") << "the case-file path is restored after Result.dat";
  EXPECT_TRUE(m.cmdResult->isVisibleTo(&m));
  ASSERT_TRUE(std::filesystem::exists(ResultPath()));

  // The written results read back as the continue button reads them.
  const double topT = Case.Tray_T[1];
  Case.Tray_T[1] = 0;
  m.cmdReadContinue->click();
  EXPECT_EQ(Case.Result_Flag, 1);
  EXPECT_DOUBLE_EQ(Case.Tray_T[1], topT);
}

TEST_F(DistCalcWindowTest, RunAtItsIterationLimitSaysSoAndStillStoresResults) {
  frmDistMain& m = Open(1);
  m.cmdExample1->click();
  Case.Max_Iter[1] = 1;
  Case.Max_Iter[2] = 1;
  Calculate(
      m, [](frmDistGoCalc& d) { d.cmdGoCalcInz->click(); },
      [](frmDistCalc& calc) {
        EXPECT_EQ(calc.Outcome().status, DistRunStatus::IterationLimit);
        const std::string status = StatusText(calc);
        EXPECT_EQ(status.rfind("2 1 ", 0), 0u) << status;
        EXPECT_NE(status.find("Not converged"), std::string::npos) << status;
        // The error with four significant digits, and both lines whole.
        const std::string first = status.substr(0, status.find('|'));
        EXPECT_TRUE(std::regex_match(first, std::regex(R"(2 1 \d\.\d{3}E[-+]\d{2})"))) << first;
        for (const auto& c : calc.Picture3->Calls())
          if (c.kind == "Print") {
            EXPECT_LE(calc.Picture3->TextWidth(c.text) + 10, calc.Picture3->ScaleWidth()) << c.text;
          }
        // Each redraw clears the end temperatures before printing the new ones.
        int prints = 0, clearedBefore = 0;
        bool cleared = false;
        for (const auto& c : calc.Picture2->Calls()) {
          if (c.kind == "BoxFilled" && c.y1 == 300) cleared = true;
          if (c.kind == "Print" && c.y1 == 300 && c.x1 == 200) {
            ++prints;
            clearedBefore += cleared ? 1 : 0;
            cleared = false;
          }
        }
        EXPECT_GE(prints, 2);
        EXPECT_EQ(clearedBefore, prints);
      });
  EXPECT_EQ(Case.Result_Flag, 1);
  // The results kept carry the note that they are not converged.
  EXPECT_EQ(Dist_Result_Note().rfind("Not converged (pass, iterations, error = 2, 2, ", 0), 0u) << Dist_Result_Note();
  EXPECT_TRUE(std::filesystem::exists(ResultPath()));
}

// When Result.dat cannot be written after a run, the earlier one is removed:
// Continue must not load it later as if it were this run. The user is told,
// and the results stay in the case for the result windows.
TEST_F(DistCalcWindowTest, ResultThatCannotBeWrittenLeavesNoEarlierResultDat) {
  namespace fs = std::filesystem;
  frmDistMain& m = Open(1);
  m.cmdExample1->click();
  auto run = [&](std::function<void(frmDistCalc&)> look) {
    Calculate(m, [](frmDistGoCalc& d) { d.cmdGoCalcInz->click(); }, [look](frmDistCalc& calc) {
      look(calc);
      calc.cmdCalcAbort->click();
    });
  };
  run([](frmDistCalc&) {});
  ASSERT_TRUE(fs::exists(ResultPath()));
  const auto before = fs::file_size(ResultPath());
  fs::permissions(ResultPath(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  Case.Reflux_Ratio = 4;  // a run with other results than the first
  script.Answer(ui::vbOK, "Cannot save [ ");
  script.Answer(ui::vbOK, "Result.dat ] does not hold this run and was removed.");
  run([](frmDistCalc& calc) {
    EXPECT_EQ(calc.Outcome().status, DistRunStatus::Converged);
    EXPECT_FALSE(calc.Outcome().resultWritten);
    EXPECT_NE(StatusText(calc).find("could not be saved"), std::string::npos) << StatusText(calc);
  });
  EXPECT_FALSE(fs::exists(ResultPath())) << before;
  EXPECT_TRUE(m.cmdResult->isVisibleTo(&m)) << "this run's results are in the case";
  EXPECT_EQ(Label("lblMainDataFile"), "") << "no file holds them";
  script.Answer(ui::vbOK, "not exist Continue Data");
  m.cmdReadContinue->click();
  EXPECT_EQ(Case.Reflux_Ratio, 4);

  // Something that is no file under that name is left alone, and said so.
  fs::create_directory(ResultPath());
  Case.Language = 0;
  script.Answer(ui::vbOK, "ファイルを保存できません。");
  script.Answer(ui::vbOK, "は削除できませんでした。");
  run([](frmDistCalc&) {});
  EXPECT_TRUE(fs::is_directory(ResultPath()));

  // The next run that can write its results is read back by Continue.
  fs::remove(ResultPath());
  run([](frmDistCalc& calc) { EXPECT_TRUE(calc.Outcome().resultWritten); });
  Case.Reflux_Ratio = 3;
  m.cmdReadContinue->click();
  EXPECT_EQ(Case.Reflux_Ratio, 4);
  EXPECT_EQ(Label("lblMainDataFile"), " Result.dat");
}

TEST_F(DistCalcWindowTest, ContinueWithAnotherComponentCountIsRefused) {
  frmDistMain& m = Open(1);
  m.cmdExample1->click();
  Case.NC_Save = 3;
  script.Answer(ui::vbOK, "No of Component is not Equal");
  Calculate(m, [](frmDistGoCalc& d) { d.cmdGoCalcCont->click(); });
  EXPECT_EQ(script.modalForms, std::vector<std::string>{"frmDistGoCalc"}) << "no run";
  EXPECT_EQ(ui::Forms::FindByName("frmDistGoCalc"), nullptr);
  EXPECT_FALSE(std::filesystem::exists(ResultPath()));
}

TEST_F(DistCalcWindowTest, CancelAndEscapeStartNoRun) {
  frmDistMain& m = Open();
  m.cmdExample1->click();
  Calculate(m, [](frmDistGoCalc& d) {
    EXPECT_EQ(ui::S(d.Caption()), "逐次段蒸留計算　計算開始");
    d.cmdGoCalcExit->click();
  });
  Calculate(m, [](frmDistGoCalc& d) { ui::SendKey(d.cmdGoCalcInz, ui::vbKeyEscape); });
  EXPECT_EQ(script.modalForms, (std::vector<std::string>{"frmDistGoCalc", "frmDistGoCalc"}));
  EXPECT_EQ(Case.NC_Save, 0);
}

// The stop button is pressed while the run yields between iterations.
TEST_F(DistCalcWindowTest, StopAnsweredNoGoesOnAndYesStoresNothing) {
  frmDistMain& m = Open(1);
  m.cmdExample1->click();
  auto pressStopDuringTheRun = [](frmDistGoCalc& d) {
    auto& calc = ui::Forms::Get<frmDistCalc>();
    QTimer::singleShot(0, &calc, [&calc] { calc.cmdCalcAbort->click(); });
    d.cmdGoCalcInz->click();
  };
  script.Answer(ui::vbNo, "End of Calc");
  Calculate(m, pressStopDuringTheRun, [](frmDistCalc& calc) {
    EXPECT_EQ(calc.Outcome().status, DistRunStatus::Converged) << "No lets the run go on";
    calc.cmdCalcAbort->click();
  });
  EXPECT_EQ(Case.Result_Flag, 1);
  std::filesystem::remove(ResultPath());

  m.cmdExample1->click();
  script.Answer(ui::vbYes, "End of Calc");
  bool closed = false;
  Calculate(m, pressStopDuringTheRun, [&closed](frmDistCalc&) {
    closed = ui::Forms::FindByName("frmDistCalc") == nullptr;
  });
  EXPECT_TRUE(closed) << "Yes closes the window";
  EXPECT_EQ(Case.Result_Flag, 0);
  EXPECT_FALSE(std::filesystem::exists(ResultPath()));
  EXPECT_FALSE(m.cmdResult->isVisibleTo(&m));
  EXPECT_NE(Case.Tray_T[1], 72) << "the profiles of the iteration run stay";
  EXPECT_EQ(Case.Stop_Flag, 0);
}

TEST_F(DistCalcWindowTest, PictureClicksRedrawWithVapourCurves) {
  frmDistMain& m = Open();
  m.cmdExample1->click();
  Calculate(
      m, [](frmDistGoCalc& d) { d.cmdGoCalcInz->click(); },
      [](frmDistCalc& calc) {
        const std::size_t live = calc.Picture1->Calls().size();
        calc.Picture1->ClickAt(100, 100);
        EXPECT_GT(calc.Picture1->Calls().size(), 0u);
        EXPECT_NE(calc.Picture1->Calls().size(), live) << "a fresh frame with liquid and vapour profiles";
        calc.cmdCalcAbort->click();
      });
}

TEST_F(DistCalcWindowTest, GraphDivisionRedrawsOnItsNewScaleAndResultButtonOpensTheResultMenu) {
  frmDistMain& m = Open();
  m.cmdExample1->click();
  Calculate(
      m, [](frmDistGoCalc& d) { d.cmdGoCalcInz->click(); },
      [this](frmDistCalc& calc) {
        script.OnModal("frmDistGraphScale", [](ui::Form& d) {
          auto& scale = static_cast<frmDistGraphScale&>(d);
          scale.cboGraphScale->setCurrentIndex(0);
          scale.cmdGraphScaleOK_Click();
        });
        calc.cmdCalcScale->click();
        EXPECT_EQ(Case.Dist_Graph_Div, 1);
        // One decade: the left label of the fresh frame is 0.1.
        bool labelled = false;
        for (const auto& c : calc.Picture1->Calls())
          if (c.kind == "Print" && c.text.find("0.1") != std::string::npos) labelled = true;
        EXPECT_TRUE(labelled);
        calc.cmdCalcAbort->click();
      });
  script.OnModal("frmDistResultMenu", [](ui::Form& d) { ui::Forms::Unload(&d); });
  m.cmdResult->click();
  EXPECT_EQ(script.modalForms.back(), "frmDistResultMenu");
}

TEST_F(DistCalcWindowTest, ResultsOfARunAreWithdrawnWhenTheColumnChanges) {
  frmDistMain& m = Open(1);
  m.cmdExample1->click();
  auto run = [&] {
    Calculate(
        m, [](frmDistGoCalc& d) { d.cmdGoCalcInz->click(); },
        [](frmDistCalc& calc) { calc.cmdCalcAbort->click(); });
    ASSERT_EQ(Case.Result_Flag, 1);
    ASSERT_TRUE(m.cmdResult->isVisibleTo(&m));
  };
  run();
  EXPECT_EQ(Label("lblMainDataFile"), " Result.dat");

  // Dialogs left without a change keep the results.
  script.OnModal("frmDistTower", [](ui::Form& d) { static_cast<frmDistTower&>(d).cmdTowerCancel->click(); });
  m.cmdDistSpec->click();
  script.OnModal("frmDistPressProfile",
                 [](ui::Form& d) { static_cast<frmDistPressProfile&>(d).cmdPressProfileOK->click(); });
  m.cmdDistMainPressProfile->click();
  EXPECT_EQ(Case.Result_Flag, 1);
  EXPECT_TRUE(m.cmdResult->isVisibleTo(&m));

  // 15 -> 20 stages: the 15-stage results are no longer offered.
  script.OnModal("frmDistTower", [](ui::Form& d) {
    auto& t = static_cast<frmDistTower&>(d);
    t.txtTowerNT->setText("20");
    t.cmdTowerOK->click();
  });
  m.cmdDistSpec->click();
  EXPECT_EQ(Case.Result_Flag, 0);
  EXPECT_FALSE(m.cmdResult->isVisibleTo(&m));

  // The same after a fixed stage pressure.
  run();
  script.OnModal("frmDistPressProfile", [](ui::Form& d) {
    auto& p = static_cast<frmDistPressProfile&>(d);
    p.vaSpreadPressProfile->TypeText(1, 10, "765");
    p.cmdPressProfileOK->click();
  });
  m.cmdDistMainPressProfile->click();
  EXPECT_EQ(Case.Result_Flag, 0);
  EXPECT_FALSE(m.cmdResult->isVisibleTo(&m));

  // An example is no result file.
  m.cmdExample1->click();
  EXPECT_EQ(Label("lblMainDataFile"), "");
}
