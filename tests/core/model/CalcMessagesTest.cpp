// Calculation messages reach the window's handler, once per text within one
// user action, and the case store starts at zero.
#include <gtest/gtest.h>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"

namespace {

TEST(CalcMessages, OncePerTextWithinAnAction) {
  CalcMessageRecorder rec;
  Calc_Message("ITFlash No-Convergence");
  Calc_Message("ITFlash No-Convergence");  // outside an action every call shows
  EXPECT_EQ(rec.Messages().size(), 2u);
  {
    CalcMessageScope action;
    for (int i = 0; i < 201; ++i) Calc_Message("T_Bubble_srk No-Convergence");
    {
      CalcMessageScope inner;  // a nested scope belongs to the same action
      Calc_Message("T_Bubble_srk No-Convergence");
      Calc_Message("V/Fが<0 or >1です");
    }
    Calc_Message("V/Fが<0 or >1です");
  }
  EXPECT_EQ(rec.Messages().size(), 4u);
  {
    CalcMessageScope next;  // the next action shows it again
    Calc_Message("T_Bubble_srk No-Convergence");
  }
  EXPECT_EQ(rec.Messages().size(), 5u);
}

TEST(CalcMessages, RecorderRestoresThePreviousHandler) {
  CalcMessageRecorder outer;
  {
    CalcMessageRecorder inner;
    Calc_Message("a");
    EXPECT_EQ(inner.Messages().size(), 1u);
  }
  Calc_Message("b");
  ASSERT_EQ(outer.Messages().size(), 1u);
  EXPECT_EQ(outer.Messages()[0], "b");
}

TEST(CaseData, ResetClearsTheWholeStore) {
  Case.NC = 20;
  Case.NT = 200;
  Case.Tray_X[20][200] = 0.5;
  Case.Wilson_Lambda[20][20] = 2.0;
  Case.Comp_Name[20] = "Water";
  Case.Memo[10] = "memo";
  Reset_Case_Data();
  EXPECT_EQ(Case.NC, 0);
  EXPECT_EQ(Case.Tray_X[20][200], 0.0);
  EXPECT_EQ(Case.Wilson_Lambda[20][20], 0.0);
  EXPECT_TRUE(Case.Comp_Name[20].empty());
  EXPECT_TRUE(Case.Memo[10].empty());
  EXPECT_EQ(Case.Language, 0);
}

}  // namespace
