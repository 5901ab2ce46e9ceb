// The result window: the summary and fit at load, the diagram at activation,
// the read-out of a click and the scale and parameter dialogs with the redraw
// that follows them. Reference values: tools/vle_estimation_ui/diagram_reference.py.
#include <functional>

#include "platform/text/NumberText.h"
#include "vle/estimation_ui/frmVLE_Calc.h"
#include "vle/estimation_ui/frmVLE_ChangeParameter.h"
#include "vle/estimation_ui/frmVLE_ChangeScale.h"
#include "vle/estimation_ui/frmVLE_Estimation.h"
#include "vle/estimation_ui/VLETestCase.h"

namespace {

using vlefit::VLE;
namespace vd = vlediagram;

std::string T(const QLabel* l) { return ui::S(l->text()); }

int Count(const ui::PictureBox& pic, const char* kind, int colour) {
  int n = 0;
  for (const auto& c : pic.Calls())
    if (c.kind == kind && c.color == ui::QBColor(colour)) ++n;
  return n;
}

bool Printed(const ui::PictureBox& pic, const std::string& text, int colour) {
  for (const auto& c : pic.Calls())
    if (c.kind == "Print" && c.text == text && c.color == ui::QBColor(colour)) return true;
  return false;
}

class VLEResultTest : public VleUiTest {
 protected:
  // Example 1 in the main window, type `typeIndex`, then Calc; `inside` runs in the result window.
  void Run(int typeIndex, const std::function<void(frmVLE_Calc&)>& inside) {
    Case.Program_No = 4;
    auto& main = ui::Forms::Get<frmVLE_Estimation>();
    main.Show();
    main.cmdMainExample1->click();
    main.optMainCalcType.Click(typeIndex);
    script.OnModal("frmVLE_Calc", [&](ui::Form& form) {
      auto& r = static_cast<frmVLE_Calc&>(form);
      r.show();  // visible, so that returning from a dialog activates it again
      inside(r);
      r.cmdCalcExit->click();
    });
    main.cmdMainGoCalc->click();
  }
};

TEST_F(VLEResultTest, GivenWilsonParametersDrawCurvesWithoutFit) {
  Run(2, [](frmVLE_Calc& r) {
    EXPECT_FALSE(r.fraCalcPHI->isVisibleTo(&r));
    EXPECT_EQ(T(r.lblCalcPara12Data), txt::Format(0.43045, " ##0.00000000"));
    EXPECT_EQ(T(r.lblCalcPara12Data).size(), std::string(" 0.43045000").size()) << "eight decimals";
    EXPECT_FALSE(r.lblCalcAlphaData->isVisibleTo(&r));
    const ui::PictureBox& pic = *r.picCalc;
    EXPECT_EQ(Count(pic, "Circle", 14), 0) << "no measured points for a given pair";
    EXPECT_EQ(Count(pic, "Line", 14), 200);
    EXPECT_EQ(Count(pic, "Line", 10), 200);
    EXPECT_EQ(Count(pic, "Line", 12), 200);
    EXPECT_TRUE(Printed(pic, "Temp", 10));
    EXPECT_TRUE(Printed(pic, " 100 ", 10));  // axis top over 99.9968 degC
    EXPECT_TRUE(Printed(pic, " 64 ", 10));
    EXPECT_TRUE(Printed(pic, " 2.4 ", 12));  // gamma1 at x1 = 0, cut to one decimal
    EXPECT_TRUE(Printed(pic, " 1.8 ", 13));  // gamma2 at x1 = 1
    EXPECT_DOUBLE_EQ(r.Frame().Plot_Gamma_Max, 5);
  });
}

TEST_F(VLEResultTest, FitMarksEveryPointFourTimes) {
  Run(0, [](frmVLE_Calc& r) {
    EXPECT_EQ(r.Fit().status, vlefit::FitStatus::Converged);
    const ui::PictureBox& pic = *r.picCalc;
    EXPECT_EQ(Count(pic, "Circle", 14), 12);
    EXPECT_EQ(Count(pic, "Circle", 10), 12);
    EXPECT_EQ(Count(pic, "Circle", 12), 12);
    EXPECT_EQ(Count(pic, "Circle", 13), 12);
    EXPECT_TRUE(r.fraCalcPHI->isVisibleTo(&r));
  });
}

TEST_F(VLEResultTest, ClickReadsOutPointCurveOrNothing) {
  Run(0, [](frmVLE_Calc& r) {
    EXPECT_FALSE(r.fraPoint->isVisibleTo(&r));
    EXPECT_EQ(r.HeightTwips(), kVleCalcHeightCollapsed);
    const vd::PlotFrame& f = r.Frame();
    const int k = 6;  // 75.3 degC, x1 0.4, y1 0.729
    r.picCalc->ClickAt(vd::Point_X(f, VLE.VLE_X1_Data[k]), vd::Y1_Pos(f, VLE.VLE_Y1_Data[k]) - 5);
    EXPECT_TRUE(r.fraPoint->isVisibleTo(&r));
    EXPECT_EQ(r.HeightTwips(), kVleCalcHeightExpanded);
    EXPECT_EQ(T(r.lblX1Data), ".40000");
    EXPECT_EQ(T(r.lblY1InputData), ".72900");
    EXPECT_EQ(T(r.lblTPInputData), "75.30");
    EXPECT_EQ(T(r.lblTP), "Temp=");
    EXPECT_EQ(T(r.lblTPUnit), "℃");
    EXPECT_EQ(T(r.lblTPData), txt::Format(VLE.Curve_TP[81], "####.#0"));
    EXPECT_TRUE(r.lblinput1->isVisibleTo(&r));
    // With the read-out shown the exit button is whole, above the frame, and
    // answers a click at its lower edge.
    const QRect exitBox = r.cmdCalcExit->geometry();
    EXPECT_FALSE(exitBox.intersects(r.fraPoint->geometry()));
    EXPECT_LE(r.fraPoint->geometry().bottom(), ui::Px(kVleCalcHeightExpanded));
    EXPECT_EQ(r.childAt(exitBox.center().x(), exitBox.bottom() - 1), r.cmdCalcExit);
    // The red cross-hair is the last thing drawn.
    const auto& calls = r.picCalc->Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.back().color, ui::QBColor(12));
    EXPECT_DOUBLE_EQ(calls.back().y2 - calls.back().y1, 200);

    // On the curve away from the points: no measured values.
    r.picCalc->ClickAt(vd::Curve_X(f, 171), vd::Y1_Pos(f, VLE.Curve_Y1[171]));
    EXPECT_FALSE(r.lblinput1->isVisibleTo(&r));
    EXPECT_EQ(T(r.lblX1Data), txt::Format(170 / 200.0, "#.####0"));

    // Far from everything: the frame goes and the window shrinks.
    r.picCalc->ClickAt(vd::Curve_X(f, 171), f.Plot_Bottom);
    EXPECT_FALSE(r.fraPoint->isVisibleTo(&r));
    EXPECT_EQ(r.HeightTwips(), kVleCalcHeightCollapsed);

    // Left of the sweep: only the frame's flag changes.
    r.picCalc->ClickAt(10, 1000);
    EXPECT_EQ(r.HeightTwips(), kVleCalcHeightCollapsed);
  });
}

TEST_F(VLEResultTest, PressureReadOutSpeaksTheCaseUnit) {
  Case.Program_No = 4;
  auto& main = ui::Forms::Get<frmVLE_Estimation>();
  main.Show();
  main.cmdMainExample1->click();
  main.optTPType.Click(1);  // constant temperature: the curve is a bubble pressure
  main.cboMainPressUnit->setCurrentIndex(1);  // kPa
  main.txtMainTemp->setText("60");
  main.optMainCalcType.Click(2);  // the given Wilson pair, no fit
  bool ran = false;
  script.OnModal("frmVLE_Calc", [&](ui::Form& form) {
    auto& r = static_cast<frmVLE_Calc&>(form);
    r.show();
    const vd::PlotFrame& f = r.Frame();
    r.picCalc->ClickAt(vd::Curve_X(f, 101), vd::Y1_Pos(f, VLE.Curve_Y1[101]));
    EXPECT_EQ(T(r.lblTP), "Press=");
    EXPECT_EQ(T(r.lblTPUnit), "KPa");
    // Methanol - water at 60 degC and x1 = 0.5: about 56 kPa (420 mmHg).
    EXPECT_GT(VLE.Curve_TP[101], 300);
    EXPECT_NEAR(txt::Val(T(r.lblTPData)), VLE.Curve_TP[101] * 101.325 / 760, 0.06);
    EXPECT_EQ(T(r.lblCalcTPUnit), "℃");
    r.cmdCalcExit->click();
    ran = true;
  });
  main.cmdMainGoCalc->click();
  EXPECT_TRUE(ran);
}

TEST_F(VLEResultTest, ScaleDialogChecksThenRedrawsWithTheNewRange) {
  Run(0, [this](frmVLE_Calc& r) {
    script.OnModal("frmVLE_ChangeScale", [this](ui::Form& form) {
      auto& d = static_cast<frmVLE_ChangeScale&>(form);
      EXPECT_EQ(ui::S(d.txtChangeScaleXmax->text()), "1");
      d.txtChangeScaleXmin->setText("0.5");
      d.txtChangeScaleXmax->setText("0.5");
      script.Answer(ui::vbOK, "Ｘ軸の下限≧上限です");
      d.cmdChangeScaleOK->click();
      d.txtChangeScaleXmin->setText("0.2");
      d.txtChangeScaleXmax->setText("0.8");
      d.txtChangeScaleYmax->setText("1.2");
      script.Answer(ui::vbOK, "Ｙ軸の上限が１以上です");
      d.cmdChangeScaleOK->click();
      EXPECT_DOUBLE_EQ(VLE.VLE_Graph_Xmin, 0) << "nothing stored while a check fails";
      // A box that is not wholly a number is refused by name (it read as 0 before).
      const std::pair<const char*, const char*> bad[] = {
          {"abc", "「Ｙ軸の上限」の「abc」は数値ではありません。"},
          {"0.9x", "「Ｙ軸の上限」の「0.9x」は数値ではありません。"},
          {"", "「Ｙ軸の上限」に数値を入力してください。"},
          {"1e999", "「Ｙ軸の上限」の「1e999」は数値の範囲を超えています。"}};
      for (const auto& [text, message] : bad) {
        d.txtChangeScaleYmax->setText(text);
        script.Answer(ui::vbOK, message);
        d.cmdChangeScaleOK->click();
        EXPECT_DOUBLE_EQ(VLE.VLE_Graph_Ymax, 1);
      }
      d.txtChangeScaleYmax->setText("1");
      d.cmdChangeScaleOK->click();
    });
    r.cmdCaclScale->click();
    EXPECT_DOUBLE_EQ(VLE.VLE_Graph_Xmin, 0.2);
    EXPECT_DOUBLE_EQ(VLE.VLE_Graph_Xmax, 0.8);
    EXPECT_TRUE(Printed(*r.picCalc, " .2 ", 7)) << "redrawn on return";
    EXPECT_TRUE(Printed(*r.picCalc, " .8 ", 7));
    // The measured point at x1 = 0.1 is still marked, left of the frame.
    EXPECT_EQ(Count(*r.picCalc, "Circle", 10), 12);

    script.OnModal("frmVLE_ChangeScale", [](ui::Form& form) {
      auto& d = static_cast<frmVLE_ChangeScale&>(form);
      d.txtChangeScaleXmin->setText("0");
      ui::SendKey(d.txtChangeScaleXmin, ui::vbKeyEscape);
    });
    r.cmdCaclScale->click();
    EXPECT_DOUBLE_EQ(VLE.VLE_Graph_Xmin, 0.2);
  });
}

TEST_F(VLEResultTest, ParameterDialogChangesOnlyFilledBoxes) {
  Run(3, [this](frmVLE_Calc& r) {
    const double tau12 = Case.NRTL_Tau12, alpha = Case.NRTL_Alpha;
    const std::string label12 = T(r.lblCalcPara12Data);
    const double tau21 = Case.NRTL_Tau21;
    const std::string label21 = T(r.lblCalcPara21Data);
    script.OnModal("frmVLE_ChangeParameter", [&](ui::Form& form) {
      auto& d = static_cast<frmVLE_ChangeParameter&>(form);
      EXPECT_EQ(ui::S(d.Caption()), "気液平衡推算　N.R.T.L.パラメータの変更");
      EXPECT_TRUE(d.txtChangeParameterAlpha->isVisibleTo(&d));
      // A box that is not wholly a number is refused, naming it; nothing is stored,
      // not even the good box beside it, and the dialog stays.
      const std::pair<const char*, const char*> bad[] = {
          {"1.5abc", "「τ21」の「1.5abc」は数値ではありません。"},
          {"abc", "「τ21」の「abc」は数値ではありません。"},
          {"1e999", "「τ21」の「1e999」は数値の範囲を超えています。"}};
      d.txtChangeParameterPara12->setText("0.25");
      for (const auto& [text, message] : bad) {
        d.txtChangeParameterPara21->setText(text);
        script.Answer(ui::vbOK, message);
        d.cmdChangeParameterOK->click();
        EXPECT_EQ(Case.NRTL_Tau21, tau21);
        EXPECT_EQ(Case.NRTL_Tau12, tau12);
        EXPECT_EQ(T(r.lblCalcPara21Data), label21);
      }
      d.txtChangeParameterPara12->setText("");
      d.txtChangeParameterPara21->setText(" 1.5 ");
      d.cmdChangeParameterOK->click();
    });
    r.cmdCalcChangePara->click();
    EXPECT_DOUBLE_EQ(Case.NRTL_Tau21, 1.5);
    EXPECT_DOUBLE_EQ(Case.NRTL_Tau12, tau12);
    EXPECT_DOUBLE_EQ(Case.NRTL_Alpha, alpha);
    EXPECT_EQ(T(r.lblCalcPara21Data), " 1.5 ") << "the text as typed";
    EXPECT_EQ(T(r.lblCalcPara12Data), label12);
    // The redraw on return uses the new tau21: gamma1 at x1 = 0 is exp(tau21 + tau12 exp(-alpha tau12)).
    EXPECT_NEAR(VLE.Curve_Gamma1[1], std::exp(1.5 + tau12 * std::exp(-alpha * tau12)), 1e-12);
  });
}

TEST_F(VLEResultTest, WilsonParameterDialogNeverTouchesAlpha) {
  Run(2, [this](frmVLE_Calc& r) {
    script.OnModal("frmVLE_ChangeParameter", [this](ui::Form& form) {
      auto& d = static_cast<frmVLE_ChangeParameter&>(form);
      EXPECT_FALSE(d.txtChangeParameterAlpha->isVisibleTo(&d));
      // A Wilson Lambda is positive: 0 and negative values are refused.
      for (const char* text : {"0", "-0.5"}) {
        d.txtChangeParameterPara12->setText(text);
        script.Answer(ui::vbOK, "Wilson パラメータ Λ12, Λ21 は正の値でなければなりません。");
        d.cmdChangeParameterOK->click();
      }
      d.txtChangeParameterPara12->setText("0.5");
      d.txtChangeParameterAlpha->setText("0.9");
      d.cmdChangeParameterOK->click();
    });
    r.cmdCalcChangePara->click();
    EXPECT_DOUBLE_EQ(Case.Wilson_L12, 0.5);
    EXPECT_DOUBLE_EQ(Case.Wilson_L21, 0.94934);
    EXPECT_DOUBLE_EQ(Case.NRTL_Alpha, 0.4);
    script.OnModal("frmVLE_ChangeParameter", [](ui::Form& form) {
      auto& d = static_cast<frmVLE_ChangeParameter&>(form);
      d.txtChangeParameterPara12->setText("0.7");
      ui::SendKey(d.txtChangeParameterPara12, ui::vbKeyEscape);
    });
    r.cmdCalcChangePara->click();
    EXPECT_DOUBLE_EQ(Case.Wilson_L12, 0.5);
  });
}

}  // namespace

namespace {

// A range the scale dialog accepts but far narrower than a twip per unit: the
// positions stay whole numbers of the picture and the diagram is still drawn.
TEST_F(VLEResultTest, HairlineRangeStillDraws) {
  Run(0, [](frmVLE_Calc& r) {
    VLE.VLE_Graph_Xmin = 0.4;
    VLE.VLE_Graph_Xmax = 0.4 + 1e-9;
    VLE.VLE_Graph_Ymin = 0.7;
    VLE.VLE_Graph_Ymax = 0.7 + 1e-9;
    r.Form_Activate();
    EXPECT_EQ(r.Frame().Plot_X_Scale, 1000000000);
    EXPECT_EQ(Count(*r.picCalc, "Circle", 12), 12);
    r.picCalc->ClickAt(3000, 3000);
  });
}

}  // namespace
