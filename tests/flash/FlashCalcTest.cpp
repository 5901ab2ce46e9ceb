// The flash calculations on the two examples, against values solved
// independently by tools/flash/flash_reference.py (scipy brentq on each
// equilibrium condition, numpy.roots for the SRK cubic).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "flash/FlashCalc.h"
#include "flash/FlashCase.h"
#include "platform/text/NumberText.h"

namespace {

class FlashCalcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Case_Data();
    Flash_Example1_set(win);
  }
  FlashDisplay Run(FlashCalcType type, double t, double p) {
    return Flash_Calc(type, txt::Format(t, kFmtTempPress), txt::Format(p, kFmtTempPress));
  }
  static double Sum(const std::vector<FlashResultRow>& rows, std::string FlashResultRow::*col) {
    double s = 0;
    for (const auto& r : rows) s += txt::Val(r.*col);
    return s;
  }
  FlashWindowValues win;
};

TEST_F(FlashCalcTest, DefaultsKeepTheCountAndFeed) {
  Flash_Initial_set();
  EXPECT_EQ(Case.NC, 4);
  EXPECT_EQ(Case.Flash_Z[3], 0.85);
  EXPECT_EQ(Case.Comp_Name[1], "");
  EXPECT_EQ(Case.Wilson_Lambda[3][4], 1.0) << "1 off the diagonal too";
  EXPECT_EQ(Case.EOS_Kij[2][2], 1.0);
  EXPECT_EQ(Case.EOS_Kij[2][3], 0.0);
  Flash_Example2_set(win);
  EXPECT_EQ(Case.Comp_Name[4], "") << "example 2 clears example 1's fourth component";
}

// With the default Lambda of 1, a Wilson case whose feed lacks a component is
// the ideal solution; a zero off the diagonal made ln 0 of the absent partner.
TEST_F(FlashCalcTest, DefaultLambdaKeepsAbsentComponentFinite) {
  Flash_Initial_set();
  Case.NC = 2;
  Case.K_Method = 2;
  for (int i = 1; i <= 2; ++i) {
    Case.Antoine_A[i] = 8.07131;
    Case.Antoine_B[i] = 1730.63;
    Case.Antoine_C[i] = 233.43;
  }
  Case.Flash_Z[1] = 1.0;
  Case.Flash_Z[2] = 0.0;
  CalcMessageRecorder rec;
  const FlashDisplay d = Run(FlashCalcType::BubbleT, 80, 760);
  EXPECT_TRUE(rec.Messages().empty());
  EXPECT_NEAR(Case.Gamma[2], 1.0, 1e-12) << "the ideal solution";
  // Water's normal boiling point by its Antoine constants at 760 mmHg.
  const double pmm = 760.0;
  const double tExpected = 1730.63 / (8.07131 - std::log10(pmm)) - 233.43;
  EXPECT_NEAR(Case.Flash_T, tExpected, 1e-6);
  EXPECT_TRUE(std::isfinite(Case.K_Value[2]));
  EXPECT_EQ(d.rows.size(), 2u);
}

// Bubble and dew temperature at 760 mmHg, bubble and dew pressure at 80 degC.
TEST_F(FlashCalcTest, Example1BubbleAndDewPoints) {
  struct Case1 {
    FlashCalcType type;
    const char* shown;                 // txtTemp (types 0, 1) or txtPress (2, 3)
    const char* phase[4];              // the computed phase: y (bubble) or x (dew)
    double k[4];                       // K-values (types 0 and 1)
  };
  const Case1 cases[] = {
      {FlashCalcType::BubbleT, " 85.085", {"0.452905", "0.012885", "0.499563", "0.034648"},
       {3.774205, 1.288473, 0.5877209, 1.732393}},
      {FlashCalcType::DewT, " 96.220", {"0.016282", "0.004470", "0.973753", "0.005495"},
       {7.37016, 2.237001, 0.8729117, 3.6395}},
      {FlashCalcType::BubbleP, " 627.705", {"0.459602", "0.012832", "0.493748", "0.033818"}, {}},
      {FlashCalcType::DewP, " 407.050", {"0.014972", "0.004361", "0.974980", "0.005687"}, {}},
  };
  for (const Case1& c : cases) {
    const FlashDisplay d = Run(c.type, 80, 760);
    const bool bubble = c.type == FlashCalcType::BubbleT || c.type == FlashCalcType::BubbleP;
    const bool givenP = c.type == FlashCalcType::BubbleT || c.type == FlashCalcType::DewT;
    EXPECT_EQ(givenP ? d.tempText : d.pressText, c.shown);
    EXPECT_EQ(d.vfText, bubble ? " 0.0" : " 1.0");
    ASSERT_EQ(d.rows.size(), 4u);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(bubble ? d.rows[i].vapour : d.rows[i].liquid, c.phase[i]) << c.shown;
      if (c.k[i] > 0) {
        EXPECT_NEAR(txt::Val(d.rows[i].kValue), c.k[i], 2e-6 * c.k[i]) << c.shown;
      }
    }
    EXPECT_FALSE(d.enthalpyWritten) << "example 1 has no heat balance";
  }
  EXPECT_NEAR(Case.Flash_P, 407.050, 1e-3);
}

TEST_F(FlashCalcTest, Example1FlashAndEnthalpies) {
  Case.H_Method = 1;
  FlashDisplay d = Run(FlashCalcType::Flash, 95, 760);
  EXPECT_EQ(d.vfText, "0.7188");  // 0.7188135709267292
  EXPECT_NEAR(d.vf, 0.7188135709267292, 1e-7);
  const char* y[4] = {"0.157987", "0.011740", "0.805329", "0.024944"};
  const char* x[4] = {"0.022891", "0.005552", "0.964195", "0.007362"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(d.rows[i].vapour, y[i]);
    EXPECT_EQ(d.rows[i].liquid, x[i]);
  }
  // kcal/kmol of the phases at 95 degC (flash_reference.py): -2.2432E+02, 3.0623E+03, -8.6261E+03.
  ASSERT_TRUE(d.enthalpyWritten);
  EXPECT_NEAR(txt::Val(d.enthalpy.feed), -224.32, 0.01);
  EXPECT_NEAR(txt::Val(d.enthalpy.vapour), 3062.3, 0.1);
  EXPECT_NEAR(txt::Val(d.enthalpy.liquid), -8626.1, 0.1);
  // Subcooled at 80 degC: no vapour, so no vapour enthalpy.
  d = Run(FlashCalcType::Flash, 80, 760);
  EXPECT_EQ(d.vf, 0.0);
  EXPECT_EQ(d.enthalpy.vapour, "");
  EXPECT_NE(d.enthalpy.liquid, "");
  EXPECT_EQ(d.enthalpy.feed, d.enthalpy.liquid);
  // Superheated at 120 degC: no liquid.
  d = Run(FlashCalcType::Flash, 120, 760);
  EXPECT_EQ(d.vf, 1.0);
  EXPECT_EQ(d.enthalpy.liquid, "");
  EXPECT_EQ(d.enthalpy.feed, d.enthalpy.vapour);
}

// Bubble: liquid = feed and the vapour sums to 1; dew: vapour = feed and the
// liquid sums to 1; flash: both sum to 1 and y = K x.
TEST_F(FlashCalcTest, PhaseTablesHoldTheirIdentities) {
  for (FlashCalcType type : {FlashCalcType::BubbleT, FlashCalcType::BubbleP}) {
    const FlashDisplay d = Run(type, 80, 760);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(Case.Flash_X[i], Case.Flash_Z[i]);
    EXPECT_NEAR(Sum(d.rows, &FlashResultRow::vapour), 1.0, 3e-6);
    double s = 0;
    for (int i = 1; i <= 4; ++i) s += Case.K_Value[i] * Case.Flash_Z[i];
    EXPECT_NEAR(s, 1.0, 1e-5) << "sum x K = 1 at the bubble point";
  }
  for (FlashCalcType type : {FlashCalcType::DewT, FlashCalcType::DewP}) {
    const FlashDisplay d = Run(type, 80, 760);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(Case.Flash_Y[i], Case.Flash_Z[i]);
    EXPECT_NEAR(Sum(d.rows, &FlashResultRow::liquid), 1.0, 3e-6);
  }
  Run(FlashCalcType::Flash, 92, 760);
  for (int i = 1; i <= 4; ++i) EXPECT_NEAR(Case.Flash_Y[i], Case.K_Value[i] * Case.Flash_X[i], 1e-6);
}

TEST_F(FlashCalcTest, EnthalpyAtTheShownBubbleTemperature) {
  Case.H_Method = 1;
  const FlashDisplay d = Run(FlashCalcType::BubbleT, 80, 760);
  // Liquid = feed at 85.085 degC: -8.3024E+03 kcal/kmol; the vapour cell is blank at V/F 0.
  EXPECT_NEAR(txt::Val(d.enthalpy.liquid), -8302.4, 0.1);
  EXPECT_EQ(d.enthalpy.vapour, "");
  Case.H_Method = 2;
  const FlashDisplay e = Run(FlashCalcType::BubbleT, 80, 760);
  EXPECT_TRUE(e.enthalpyWritten);
  EXPECT_EQ(e.enthalpy.feed, "") << "no enthalpy is computed for the equation-of-state entries";
}

TEST_F(FlashCalcTest, Example2SrkBubbleAndRefusedTypes) {
  Flash_Example2_set(win);
  CalcMessageRecorder rec;
  FlashDisplay d = Run(FlashCalcType::BubbleT, -10, 10);
  // 14.909726646428737 degC by a fully converged SRK solve (flash_reference.py); the
  // root search stops at |1 - sum x K| < 1e-5, about 1e-4 K.
  EXPECT_NEAR(Case.Flash_T, 14.909726646428737, 5e-4);
  EXPECT_NEAR(txt::Val(d.tempText), 14.9097, 1e-3);
  const char* y[3] = {"0.533752", "0.395590", "0.070657"};
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(txt::Val(d.rows[i].vapour), txt::Val(y[i]), 3e-6);
  EXPECT_TRUE(rec.Messages().empty());
  // The other types have no SRK form: refused once each, nothing computed, no
  // K = 1 table and no vapour fraction, the bubble point's results left alone.
  const double bubbleT = Case.Flash_T, bubbleP = Case.Flash_P, k1 = Case.K_Value[1];
  for (FlashCalcType type : {FlashCalcType::DewT, FlashCalcType::BubbleP, FlashCalcType::DewP, FlashCalcType::Flash,
                             FlashCalcType::CondensingCurve}) {
    const std::size_t before = rec.Messages().size();
    d = Run(type, -10, 10);
    ASSERT_EQ(rec.Messages().size(), before + 1) << static_cast<int>(type);
    EXPECT_EQ(rec.Messages().back(), "S-R-K / P-Rの式は未だありません");
    EXPECT_EQ(d.outcome.status, ThermoStatus::Refused);
    EXPECT_TRUE(d.rows.empty());
    EXPECT_TRUE(d.vfText.empty());
    EXPECT_FALSE(d.enthalpyWritten);
    EXPECT_FALSE(d.showCurve);
    EXPECT_EQ(Case.Flash_T, bubbleT);
    EXPECT_EQ(Case.Flash_P, bubbleP);
    EXPECT_EQ(Case.K_Value[1], k1);
  }
}

TEST_F(FlashCalcTest, SrkWithoutCriticalConstantsIsRefusedNamingWhatIsMissing) {
  Flash_Example2_set(win);
  Case.Comp_Name[2] = "Propane";
  const double t = Case.Flash_T;
  struct Gap {
    double* field;
    const char* japanese;
    const char* english;
  } gaps[] = {{&Case.Comp_Tc[2], "臨界温度 Tc", "critical temperature Tc"},
              {&Case.Comp_Pc[2], "臨界圧力 Pc", "critical pressure Pc"},
              {&Case.Comp_Omega[2], "偏心因子", "acentric factor"}};
  for (const Gap& g : gaps) {
    for (int16_t language : {0, 1}) {
      const double kept = *g.field;
      *g.field = g.field == &Case.Comp_Omega[2] ? NAN : 0.0;
      Case.Language = language;
      CalcMessageRecorder rec;
      const FlashDisplay d = Run(FlashCalcType::BubbleT, -10, 10);
      *g.field = kept;
      ASSERT_EQ(rec.Messages().size(), 1u) << g.english;
      const std::string& m = rec.Messages()[0];
      EXPECT_NE(m.find("Propane"), std::string::npos) << m;
      EXPECT_NE(m.find(language == 1 ? g.english : g.japanese), std::string::npos) << m;
      EXPECT_EQ(d.outcome.status, ThermoStatus::Refused);
      EXPECT_TRUE(d.rows.empty());
      EXPECT_EQ(Case.Flash_T, t);
    }
  }
  // A negative acentric factor (hydrogen's) is a real one.
  Case.Comp_Omega[2] = -0.216;
  CalcMessageRecorder rec;
  const FlashDisplay d = Run(FlashCalcType::BubbleT, -10, 10);
  EXPECT_EQ(d.outcome.status, ThermoStatus::Converged);
  EXPECT_TRUE(rec.Messages().empty());
}

TEST_F(FlashCalcTest, CurveTypeKeepsThePressureToThreeDecimals) {
  Case.Flash_T = 12.5;
  // Empty limits stand for the bubble and dew points.
  const FlashDisplay d = Flash_Calc(FlashCalcType::CondensingCurve, "", " 760.12349 ");
  EXPECT_TRUE(d.showCurve);
  EXPECT_DOUBLE_EQ(Case.Flash_P, 760.123);
  EXPECT_EQ(Case.Flash_T, 12.5);
  EXPECT_TRUE(d.rows.empty());
  EXPECT_EQ(d.tempText, "");
}

TEST_F(FlashCalcTest, EmptyFeedIsReportedNotDivided) {
  // A feed of zeros is refused before any calculation.
  for (int i = 1; i <= 4; ++i) Case.Flash_Z[i] = 0;
  CalcMessageRecorder rec;
  const FlashDisplay d = Run(FlashCalcType::BubbleP, 80, 760);
  ASSERT_FALSE(rec.Messages().empty());
  EXPECT_EQ(rec.Messages().back(), "Feed の組成の合計が 0 です。");
  EXPECT_EQ(d.outcome.status, ThermoStatus::Refused);
  EXPECT_TRUE(d.rows.empty());
  // The display itself never divides by a vanishing sum.
  for (const auto& r : Disp_Bubble_Result()) EXPECT_EQ(r.vapour, "");
  EXPECT_EQ(rec.Messages().back(), kVanishingSumMessage);
  Case.NC = 0;
  const FlashDisplay e = Run(FlashCalcType::BubbleT, 80, 760);
  EXPECT_TRUE(e.rows.empty());
  EXPECT_FALSE(e.enthalpyWritten);
}

// A box's text is a number only when the whole of it is one: anything else is
// refused naming the box, in the chosen language, and nothing is computed.
TEST_F(FlashCalcTest, BoxTextsThatAreNotWhollyNumbersComputeNothing) {
  struct Bad {
    const char *text, *ja, *en;
  } bads[] = {{"abc", "の「abc」は数値ではありません", "\"abc\" is not a number"},
              {"12abc", "の「12abc」は数値ではありません", "\"12abc\" is not a number"},
              {"", "に数値を入力してください", ": enter a number"},
              {"1e999", "は数値の範囲を超えています", "beyond the range of a number"}};
  for (const Bad& b : bads) {
    for (int language : {0, 1}) {
      Case.Language = static_cast<int16_t>(language);
      for (int type = 0; type <= 4; ++type) {
        for (bool inTemp : {true, false}) {
          Case.Flash_T = -1;
          CalcMessageRecorder rec;
          const FlashDisplay d = Flash_Calc(static_cast<FlashCalcType>(type), inTemp ? b.text : "80",
                                            inTemp ? "760" : b.text);
          EXPECT_EQ(d.outcome.status, ThermoStatus::Refused) << b.text << " " << type;
          EXPECT_TRUE(d.rows.empty());
          EXPECT_EQ(Case.Flash_T, -1) << "nothing computed";
          ASSERT_EQ(rec.Messages().size(), 1u);
          const std::string field = language == 0 ? (inTemp ? "「温度」" : "「圧力」") : (inTemp ? "Temperature" : "Pressure");
          EXPECT_NE(rec.Messages()[0].find(field), std::string::npos) << rec.Messages()[0];
          EXPECT_NE(rec.Messages()[0].find(language == 0 ? b.ja : b.en), std::string::npos) << rec.Messages()[0];
        }
      }
    }
  }
  Case.Language = 0;
  // The condensing curve names its two limits; an empty limit is no fault there.
  CalcMessageRecorder rec;
  EXPECT_FALSE(Flash_Calc(FlashCalcType::CondensingCurve, "12abc", "760", "").showCurve);
  EXPECT_FALSE(Flash_Calc(FlashCalcType::CondensingCurve, "", "760", "abc").showCurve);
  ASSERT_EQ(rec.Messages().size(), 2u);
  EXPECT_NE(rec.Messages()[0].find("「下限温度」"), std::string::npos);
  EXPECT_NE(rec.Messages()[1].find("「上限温度」"), std::string::npos);
}

// The calculation itself, not only its window, refuses a feed that is no set of
// fractions: a negative or non-finite fraction never reports a result.
TEST_F(FlashCalcTest, NegativeOrNonFiniteFeedIsRefusedByTheCalculation) {
  for (double bad : {-0.5, -1e-12, std::nan(""), HUGE_VAL}) {
    Flash_Example1_set(win);
    Case.Flash_Z[1] = bad;
    for (int type = 0; type <= 5; ++type) {
      CalcMessageRecorder rec;
      const FlashDisplay d = Run(static_cast<FlashCalcType>(type), 95, 760);
      EXPECT_EQ(d.outcome.status, ThermoStatus::Refused) << bad << " " << type;
      EXPECT_TRUE(d.rows.empty());
      EXPECT_FALSE(d.showCurve);
      EXPECT_TRUE(d.vfText.empty());
      ASSERT_EQ(rec.Messages().size(), 1u);
      EXPECT_NE(rec.Messages()[0].find("(1 行目)"), std::string::npos) << rec.Messages()[0];
    }
  }
}

// Feed cells: a whole number from 0 to 1 each; text, blanks and overflows are
// refused naming the row, and Flash_Z stays.
TEST_F(FlashCalcTest, FeedCellsMustBeWhollyNumbers) {
  for (const char* bad : {"abc", "12abc", "", "1e999", "0.2x"}) {
    for (int language : {0, 1}) {
      Case.Language = static_cast<int16_t>(language);
      std::string message;
      EXPECT_FALSE(Read_Flash_Feed({"0.5", bad, "0.3", "0.2"}, message)) << bad;
      EXPECT_NE(message.find(language == 0 ? "Feed (2 行目)" : "Feed (row 2)"), std::string::npos) << message;
      EXPECT_EQ(Case.Flash_Z[2], 0.01);
    }
  }
  Case.Language = 0;
  std::string message;
  EXPECT_TRUE(Read_Flash_Feed({" 0.5 ", "0.0", "3E-1", "0.2"}, message));
  EXPECT_TRUE(message.empty());
  EXPECT_DOUBLE_EQ(Case.Flash_Z[3], 0.3);
}

}  // namespace
