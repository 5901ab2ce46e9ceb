// The shortcut design window over Example-1: what it reads from its boxes and
// grid, what it refuses, and what it shows and draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "continuous/DistDefaults.h"
#include "continuous/shortcut/ShortCut.h"
#include "continuous/shortcut/ui/frmDistShortCut.h"
#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "support/UiTest.h"

namespace {

class ShortCutWindowTest : public UiTest {
 protected:
  frmDistShortCut& Open() {
    Dist_Example1_set();
    auto& f = ui::Forms::Get<frmDistShortCut>();
    f.Form_Activate();
    return f;
  }
  static int Lines(const ui::PictureBox& pic, int colour) {
    int n = 0;
    for (const auto& c : pic.Calls())
      if (c.kind == "Line" && c.color == ui::QBColor(colour)) ++n;
    return n;
  }
};

// An axis as a user reads it off the Gilliland graph: the grid lines that carry
// a label, by their position (twips) and the number printed beside them.
struct ReadAxis {
  std::map<double, double> labelled;
  // The value at `pos` by straight interpolation between the outer labelled lines.
  double At(double pos) const {
    const auto a = labelled.begin();
    const auto b = std::prev(labelled.end());
    return a->second + (pos - a->first) / (b->first - a->first) * (b->second - a->second);
  }
  // The value one twip stands for.
  double PerTwip() const {
    return std::fabs((std::prev(labelled.end())->second - labelled.begin()->second) /
                     (std::prev(labelled.end())->first - labelled.begin()->first));
  }
};

// Pairs each number printed left of the plot with the horizontal grid line it
// stands beside (reflux), and each number printed below it with the vertical
// grid line under whose middle it stands (stages).
void ReadAxes(const ui::PictureBox& pic, ReadAxis& reflux, ReadAxis& stages) {
  std::vector<double> rows, cols;
  for (const auto& c : pic.Calls())
    if (c.kind == "Line" && c.color == ui::QBColor(8)) (c.y1 == c.y2 ? rows : cols).push_back(c.y1 == c.y2 ? c.y1 : c.x1);
  const double H = pic.ScaleHeight(), W = pic.ScaleWidth();
  auto nearest = [](const std::vector<double>& at, double pos) {
    return *std::min_element(at.begin(), at.end(),
                             [pos](double a, double b) { return std::fabs(a - pos) < std::fabs(b - pos); });
  };
  for (const auto& c : pic.Calls()) {
    if (c.kind != "Print" || !txt::IsNumeric(c.text)) continue;
    if (c.y1 >= H - 300) {
      const double mid = std::clamp(c.x1 + pic.TextWidth(c.text) / 2, 0.0, W);
      const double line = nearest(cols, mid);
      EXPECT_LT(std::fabs(line - mid), pic.TextWidth(c.text)) << c.text;
      stages.labelled[line] = txt::Val(c.text);
    } else {
      const double line = nearest(rows, c.y1 + 100);
      EXPECT_LT(std::fabs(line - (c.y1 + 100)), 1.0) << c.text;
      reflux.labelled[line] = txt::Val(c.text);
    }
  }
}

TEST_F(ShortCutWindowTest, BubblePointShownInTheDisplayUnitIsReadBackAsTheSameTemperature) {
  auto& f = Open();
  Case.T_Unit = 2;  // kelvin
  EXPECT_EQ(f.txtTemp->text(), "");
  EXPECT_EQ(f.vaSpread1->Text(0, 1), "Total");
  EXPECT_DOUBLE_EQ(f.vaSpread1->Value(1, 1), 380.0);
  f.cmdCalc_Click();
  ASSERT_TRUE(f.HasResult());
  EXPECT_EQ(Case.SC_Temp_Given, 0);
  EXPECT_EQ(f.lblVFData->text(), "0.000");
  // shortcut_reference.py: bubble point 85.0671 degC = 358.22 K.
  EXPECT_EQ(f.txtTemp->text(), "358.22");
  const double smin = f.Smin;

  // The next calculation takes the box as a given temperature in kelvin: a feed
  // at (almost exactly) its bubble point, not one far below it.
  f.cmdCalc_Click();
  EXPECT_EQ(Case.SC_Temp_Given, 1);
  EXPECT_NEAR(Case.SC_Temp, 358.22, 1e-9);
  EXPECT_LT(txt::Val(ui::S(f.lblVFData->text())), 0.01);
  EXPECT_NEAR(f.Smin, smin, 0.01);
}

TEST_F(ShortCutWindowTest, RecoveriesInEnglishFillTheResultsGridAndGraph) {
  Case.Language = 1;
  auto& f = Open();
  f.optCalcType.Click(1);
  EXPECT_EQ(f.lblMolLK->text(), "TopRecovery");
  EXPECT_EQ(f.txtMolLK->text(), "0.98");
  EXPECT_EQ(f.txtMolHK->text(), "0.1");
  f.optCondenser.Click(1);
  EXPECT_EQ(f.optCalcType.Value(), 1);  // the two option groups do not exclude each other
  f.picResult_Click();  // before a result: the frame alone
  EXPECT_EQ(Lines(*f.picResult, 10), 0);

  f.cmdCalc_Click();
  EXPECT_EQ(Case.SC_Calc_Type, 1);
  EXPECT_EQ(Case.SC_Condenser, 1);
  // shortcut_reference.py: Smin 7.6836232141, Rmin 1.8336189586, D/F 0.2300091093.
  EXPECT_NEAR(txt::Val(ui::S(f.lblSminData->text())), 7.68362, 2e-3);
  EXPECT_NEAR(txt::Val(ui::S(f.lblRminData->text())), 1.83362, 1e-3);
  EXPECT_NEAR(f.vaSpread1->Value(2, 1), 380 * 0.2300091093, 0.01);
  EXPECT_NEAR(f.vaSpread1->Value(2, 1) + f.vaSpread1->Value(3, 1), 380.0, 1e-4);
  EXPECT_NEAR(f.vaSpread1->Value(2, 3), 0.04495, 1e-4);  // ethanol in the top
  // Fifty segments of the stage curve and fifty of the feed-stage curve.
  EXPECT_EQ(Lines(*f.picResult, 10), 50);
  EXPECT_EQ(Lines(*f.picResult, 11), 50);

  // A partly vaporised feed at 93 degC: underwood_feed.py V/F 0.4418, Rmin 3.1550889706.
  f.txtTemp->setText("93");
  f.cmdCalc_Click();
  EXPECT_EQ(f.lblVFData->text(), "0.442");
  EXPECT_NEAR(txt::Val(ui::S(f.lblRminData->text())), 3.15509, 3e-3);
  // Loose recoveries need less than a reflux ratio of 1: shown with its leading zero.
  f.txtMolLK->setText("0.7");
  f.txtMolHK->setText("0.3");
  f.cmdCalc_Click();
  ASSERT_LT(f.Rmin, 1.0);
  EXPECT_EQ(f.lblRminData->text().left(2), "0.") << ui::S(f.lblRminData->text());
  // So do the graph's reflux values below 1.
  int belowOne = 0;
  for (const auto& c : f.picResult->Calls())
    if (c.kind == "Print" && txt::IsNumeric(c.text)) {
      EXPECT_NE(c.text.front(), '.') << c.text;
      if (txt::Val(c.text) < 1) ++belowOne;
    }
  EXPECT_GT(belowOne, 0);
}

// Reads the graph as a user would and checks it against the curve's own numbers.
void ExpectGraphReadsTheCurve(const frmDistShortCut& f) {
  const ui::PictureBox& pic = *f.picResult;
  ReadAxis reflux, stages;
  ReadAxes(pic, reflux, stages);
  ASSERT_GE(reflux.labelled.size(), 3u);
  ASSERT_GE(stages.labelled.size(), 3u);
  // Every labelled line reads its own label: the lines are evenly spaced in value.
  for (const ReadAxis* a : {&reflux, &stages})
    for (const auto& [pos, value] : a->labelled) EXPECT_NEAR(a->At(pos), value, 1.5 * a->PerTwip()) << value;
  // The reflux labels stand left of the plot, not over it.
  const double plotLeft = stages.labelled.begin()->first;
  for (const auto& c : pic.Calls())
    if (c.kind == "Print" && txt::IsNumeric(c.text) && c.y1 < pic.ScaleHeight() - 300) {
      EXPECT_LE(c.x1 + pic.TextWidth(c.text), plotLeft) << c.text;
    }
  // The curve's points read back as its values, within the rounding of a
  // point to a whole twip.
  const GillilandCurve g = Gilliland_Curve(f.Smin, f.SminF, f.Rmin, Case.SC_Condenser);
  constexpr int n = GillilandCurve::kPoints;
  int k = 1;
  for (const auto& c : pic.Calls()) {
    if (c.kind != "Line" || c.color != ui::QBColor(10)) continue;
    ++k;  // segment k runs from point k to point k - 1, k = 2..51
    EXPECT_NEAR(reflux.At(c.y1), g.R[k], 1.5 * reflux.PerTwip()) << k;
    EXPECT_NEAR(stages.At(c.x1), g.N[k], 1.5 * stages.PerTwip()) << k;
  }
  EXPECT_EQ(k, n);
  // The curves lie inside the frame of labelled lines.
  EXPECT_LE(reflux.labelled.begin()->second, g.R[1]);
  EXPECT_GE(std::prev(reflux.labelled.end())->second, g.R[n]);
  EXPECT_LE(stages.labelled.begin()->second, g.NF[n]);
  EXPECT_GE(std::prev(stages.labelled.end())->second, g.N[1]);
}

TEST_F(ShortCutWindowTest, GillilandValuesReadOffTheGraphAreTheCurvesValues) {
  // Example-1 by mole fractions and by recoveries, loose recoveries (a reflux
  // ratio below 1), sharp ones (many stages) and a partial condenser.
  struct Spec { int type; const char* lk; const char* hk; int condenser; };
  const Spec specs[] = {{0, "0.005", "0.35", 0}, {1, "0.98", "0.1", 0}, {1, "0.8", "0.2", 0},
                        {1, "0.9999", "0.0001", 0}, {1, "0.95", "0.02", 1}};
  for (int language : {0, 1}) {
    Case.Language = language;
    for (const Spec& s : specs) {
      SCOPED_TRACE(std::string(s.lk) + " " + s.hk);
      auto& f = Open();
      f.optCalcType.Click(s.type);
      f.txtMolLK->setText(s.lk);
      f.txtMolHK->setText(s.hk);
      f.optCondenser.Click(s.condenser);
      f.cmdCalc_Click();
      ASSERT_TRUE(f.HasResult());
      f.picResult_Click();
      ExpectGraphReadsTheCurve(f);
      ui::Forms::Unload(&f);
    }
  }
  // Results far from Example-1's, as other columns give them: labels with many
  // places or digits, a fraction of a stage, hundreds of stages.
  struct Result { double smin, sminF, rmin; };
  auto& f = Open();
  f.cmdCalc_Click();
  for (const Result r : {Result{3.6, 1.3, 0.0123}, Result{3.6, 1.3, 153}, Result{0.4, 0.2, 1},
                         Result{180, 90, 2.5}, Result{1500, 700, 1234.5}, Result{12, 6, 0.97}}) {
    SCOPED_TRACE(r.rmin);
    f.Smin = r.smin;
    f.SminF = r.sminF;
    f.Rmin = r.rmin;
    f.picResult_Click();
    ExpectGraphReadsTheCurve(f);
  }
}

TEST_F(ShortCutWindowTest, BadInputsStopWithTheirMessageAndKeepTheStoredValues) {
  auto& f = Open();
  // Text that is not wholly a number is refused by name; nothing is stored.
  Case.SC_Press = 760;
  f.optCalcType.Click(1);
  f.txtMolLK->setText("abc");
  script.Answer(ui::vbOK, "「低沸点限界成分 塔頂回収率」の「abc」は数値ではありません。");
  f.cmdCalc_Click();
  EXPECT_EQ(Case.SC_Calc_Type, 0);
  f.optCalcType.Click(0);
  f.txtMolLK->setText("0.005");
  f.txtMolHK->setText("12abc");
  script.Answer(ui::vbOK, "「高沸点限界成分 塔頂ﾓﾙ分率」の「12abc」は数値ではありません。");
  f.cmdCalc_Click();
  EXPECT_DOUBLE_EQ(Case.SC_HK_Spec[1], 0.35);
  f.txtMolHK->setText("0.35");
  f.txtPress->setText("");
  script.Answer(ui::vbOK, "「圧力」に数値を入力してください。");
  f.cmdCalc_Click();
  f.txtPress->setText("700");
  f.txtTemp->setText("1e999");
  script.Answer(ui::vbOK, "「温度」の「1e999」は数値の範囲を超えています。");
  f.cmdCalc_Click();
  EXPECT_DOUBLE_EQ(Case.SC_Press, 760.0);
  EXPECT_EQ(Case.SC_Temp_Given, 0);
  // Beyond the suite's range of temperatures and pressures, named.
  f.txtTemp->setText("1e308");
  script.Answer(ui::vbOK, "「温度」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。");
  f.cmdCalc_Click();
  f.txtTemp->setText("");
  f.txtPress->setText("1e308");
  script.Answer(ui::vbOK, "「圧力」には 0 より大きく 1000 MPa 以下の圧力を入力してください。");
  f.cmdCalc_Click();
  EXPECT_FALSE(f.HasResult());
  f.txtPress->setText("700");
  f.vaSpread1->TypeText(1, 3, "0.01x");  // Ethanol
  script.Answer(ui::vbOK, "「ﾌｨｰﾄﾞ組成 Ethanol」の「0.01x」は数値ではありません。");
  f.cmdCalc_Click();
  EXPECT_FALSE(f.HasResult());
  f.vaSpread1->TypeText(1, 3, "0.01055");

  f.txtPress->setText("760");
  f.vaSpread1->TypeText(1, 5, "0");  // 1-Propanol
  script.Answer(ui::vbOK, "フィード組成が入力されていません。");
  f.cmdCalc_Click();
  EXPECT_FALSE(f.HasResult());

  // Keys chosen from the lists are stored; the same key twice has no design.
  f.vaSpread1->TypeText(1, 5, "0.01322");
  f.cboNamHK->setCurrentIndex(1);
  script.Answer(ui::vbOK, "低沸点限界成分と高沸点限界成分が同じです。");
  f.cmdCalc_Click();
  EXPECT_EQ(Case.SC_HK, 2);
  EXPECT_EQ(script.Pending(), 0u);
}

}  // namespace
