// The estimate start: checks in their order with their texts, the distinct-group
// list, r, q and l, and the refusals of entries the calculation cannot take.
#include <gtest/gtest.h>

#include <memory>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "vle/unifac/UnifacEntry.h"
#include "vle/unifac/UnifacParFile.h"

namespace {

class UnifacEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Case_Data();
    data_ = std::make_unique<UnifacData>();
    ASSERT_EQ(unifac::Read_UNIFAC_Par(VZ_BIN_DIR "/UNIFAC.PAR", *data_), unifac::ParReadStatus::Ok);
    unifac::Apply_Example(entry_, 1);
  }
  // Runs the estimate start and returns the messages it showed.
  std::vector<std::string> Start(bool expectOk) {
    CalcMessageRecorder shown;
    EXPECT_EQ(unifac::Estimate_Start(entry_, *data_), expectOk);
    return shown.Messages();
  }

  std::unique_ptr<UnifacData> data_;
  unifac::UnifacEntry entry_;
};

TEST_F(UnifacEntryTest, ExampleOneBuildsTheListAndComponentParameters) {
  EXPECT_TRUE(Start(true).empty());
  EXPECT_EQ(Case.Comp_Name[1], "Methanol");
  EXPECT_EQ(Case.Comp_Name[2], "Water");
  EXPECT_DOUBLE_EQ(Case.Antoine_C[2], 233.426);
  EXPECT_DOUBLE_EQ(data_->VLE_Press, 760);
  EXPECT_DOUBLE_EQ(data_->Init_Temp, 80);
  ASSERT_EQ(data_->UNIFAC_NGroup, 2);
  EXPECT_EQ(data_->UNIFAC_Group_List[1], 16);
  EXPECT_EQ(data_->UNIFAC_Group_List[2], 17);
  EXPECT_EQ(data_->UNIFAC_Nu[1][1], 1);
  EXPECT_EQ(data_->UNIFAC_Nu[1][2], 0);
  EXPECT_EQ(data_->UNIFAC_Nu[2][2], 1);
  // Published R, Q of CH3OH and H2O; l = 5 (r - q) - (r - 1).
  EXPECT_DOUBLE_EQ(data_->UNIFAC_Comp_r[1], 1.4311);
  EXPECT_DOUBLE_EQ(data_->UNIFAC_Comp_q[1], 1.432);
  EXPECT_NEAR(data_->UNIFAC_Comp_l[1], 5 * (1.4311 - 1.432) - (1.4311 - 1), 1e-12);
  EXPECT_NEAR(data_->UNIFAC_Comp_l[2], 5 * (0.92 - 1.4) - (0.92 - 1), 1e-12);
}

TEST_F(UnifacEntryTest, ChecksRunInOrderAndStopAtTheFirst) {
  entry_.Name[1] = "";
  EXPECT_EQ(Start(false), std::vector<std::string>{"成分名が未入力です"});

  unifac::Apply_Example(entry_, 1);
  entry_.Antoine[1][2] = "0";
  entry_.Name[2] = "";
  EXPECT_EQ(Start(false), std::vector<std::string>{"Antoine 定数が未入力です"});
  EXPECT_EQ(Case.Comp_Name[1], "Methanol");  // stored before the check failed
  EXPECT_EQ(Case.Comp_Name[2], "");          // component 2 never reached

  unifac::Apply_Example(entry_, 1);
  entry_.Press = "";
  entry_.Temp = "";
  EXPECT_EQ(Start(false), std::vector<std::string>{"圧力が未入力です"});
  entry_.Press = "0";  // a pressure of 0 has no bubble point
  EXPECT_EQ(Start(false), std::vector<std::string>{"「圧力」には 0 より大きく 1000 MPa 以下の圧力を入力してください。"});
  entry_.Press = "700";
  EXPECT_EQ(Start(false), std::vector<std::string>{"温度が未入力です"});
  EXPECT_DOUBLE_EQ(data_->VLE_Press, 700);

  entry_.Temp = "60";
  entry_.Count[2][17] = "";
  EXPECT_EQ(Start(false), std::vector<std::string>{"原子寄与団が未選択です"});
  EXPECT_EQ(Case.Msg_Text, "原子寄与団が未選択です");

  Case.Language = 1;
  EXPECT_EQ(Start(false), std::vector<std::string>{"No group data"});
  entry_.Press = "-1";
  EXPECT_EQ(Start(false), std::vector<std::string>{"Press: enter a pressure above 0 and at most 1000 MPa."});
  entry_.Press = "700";
  entry_.Temp = " ";
  EXPECT_EQ(Start(false), std::vector<std::string>{"No Temperaturee data"});
}

TEST_F(UnifacEntryTest, TextsThatAreNotWhollyNumbersAreRefusedByName) {
  const double press = data_->VLE_Press;
  struct Bad {
    std::string* cell;
    const char* text;
    const char* message;
  };
  const Bad bad[] = {
      {&entry_.Press, "abc", "「圧力」の「abc」は数値ではありません。"},
      {&entry_.Press, "760abc", "「圧力」の「760abc」は数値ではありません。"},
      {&entry_.Press, "1e999", "「圧力」の「1e999」は数値の範囲を超えています。"},
      {&entry_.Press, "1e308", "「圧力」には 0 より大きく 1000 MPa 以下の圧力を入力してください。"},
      {&entry_.Press, "-1", "「圧力」には 0 より大きく 1000 MPa 以下の圧力を入力してください。"},
      {&entry_.Temp, "60C", "「温度初期値」の「60C」は数値ではありません。"},
      {&entry_.Temp, "-300", "「温度初期値」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。"},
      {&entry_.Temp, "1e308", "「温度初期値」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。"},
      {&entry_.Antoine[2][3], "233.4x", "「Antoine定数 Ｃ (Water)」の「233.4x」は数値ではありません。"},
      {&entry_.Count[1][16], "1x", "「原子寄与団 16 x1」の「1x」は数値ではありません。"},
      {&entry_.Count[2][17], "4294967297", "「原子寄与団 17 x2」には 0 から 1000 までの整数を入力してください。"},
      {&entry_.Count[2][17], "3e9", "「原子寄与団 17 x2」には 0 から 1000 までの整数を入力してください。"},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.text);
    unifac::Apply_Example(entry_, 1);
    *b.cell = b.text;
    EXPECT_EQ(Start(false), std::vector<std::string>{b.message});
    EXPECT_EQ(Case.Msg_Text, b.message);
    if (b.cell == &entry_.Press) {
      EXPECT_EQ(data_->VLE_Press, press) << "a refused pressure is not stored";
    }
  }
  Case.Language = 1;
  unifac::Apply_Example(entry_, 1);
  entry_.Count[1][16] = "";
  entry_.Count[1][15] = "12abc";
  EXPECT_EQ(Start(false), std::vector<std::string>{"Group 15 x1: \"12abc\" is not a number."});
}

TEST_F(UnifacEntryTest, ZeroCellEntersTheListAndSharedSubgroupTakesOnePosition) {
  entry_.Count[2][16] = "0";  // methanol's group typed as 0 for water
  entry_.Count[1][17] = "2";
  EXPECT_TRUE(Start(true).empty());
  ASSERT_EQ(data_->UNIFAC_NGroup, 2);
  EXPECT_EQ(data_->UNIFAC_Nu[2][1], 0);
  EXPECT_EQ(data_->UNIFAC_Nu[1][2], 2);
  EXPECT_DOUBLE_EQ(data_->UNIFAC_Comp_r[1], 1.4311 + 2 * 0.92);

  // A second estimate builds its list from the cells as they are now.
  unifac::Apply_Example(entry_, 2);
  EXPECT_TRUE(Start(true).empty());
  EXPECT_EQ(data_->UNIFAC_Group_List[1], 10);
  EXPECT_EQ(data_->UNIFAC_Group_List[2], 16);
  EXPECT_EQ(data_->UNIFAC_Nu[1][2], 0);
}

// A negative count, or a component whose counts are all 0, would give the
// calculation a component without size: refused before it runs.
TEST_F(UnifacEntryTest, NegativeAndAllZeroCountsAreRefused) {
  entry_.Count[2][17] = "-1";
  EXPECT_EQ(Start(false), std::vector<std::string>{"原子寄与団の数が負です"});
  entry_.Count[2][17] = "0";
  EXPECT_EQ(Start(false), std::vector<std::string>{"原子寄与団が未選択です"});
}

// A molecule holds whole groups: 1.5 CH3 was rounded to 2 (acetone's gamma1 at infinite
// dilution 2.1 instead of 1.8). A fraction is refused as a count past the range is, naming the cell.
TEST_F(UnifacEntryTest, FractionalCountsAreRefusedNotRounded) {
  for (const char* text : {"1.5", "0.4", "2.0000001", "4294967297"}) {
    SCOPED_TRACE(text);
    unifac::Apply_Example(entry_, 1);
    entry_.Count[2][17] = text;
    EXPECT_EQ(Start(false), std::vector<std::string>{"「原子寄与団 17 x2」には 0 から 1000 までの整数を入力してください。"});
  }
  unifac::Apply_Example(entry_, 1);
  entry_.Count[2][17] = "1.0";  // a whole number written with a decimal point
  EXPECT_TRUE(Start(true).empty());
}

TEST_F(UnifacEntryTest, EleventhDistinctSubgroupIsRefused) {
  for (int k = 1; k <= 10; ++k) entry_.Count[1][k] = "1";
  entry_.Count[1][16] = "";
  entry_.Count[2][17] = "";
  entry_.Count[2][1] = "1";  // already in the list
  EXPECT_TRUE(Start(true).empty());
  EXPECT_EQ(data_->UNIFAC_NGroup, 10);
  entry_.Count[2][1] = "";
  entry_.Count[2][11] = "1";
  const auto shown = Start(false);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "原子寄与団は10種類までしか選択できません");
  EXPECT_EQ(data_->UNIFAC_NGroup, 10);
}

TEST_F(UnifacEntryTest, MissingInteractionPairsShareOneMessage) {
  unifac::Clear_Group_Count(entry_);
  entry_.Count[1][5] = "1";   // CH2=CH, main group 2
  entry_.Count[1][6] = "1";   // CH=CH, main group 2 as well
  entry_.Count[2][58] = "1";  // ACNO2, main group 27; a(2, 27), a(27, 2) unpublished
  const auto shown = Start(false);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0],
            "相互作用ﾊﾟﾗﾒｰﾀ a 2, 27が登録されていません。\n"
            "相互作用ﾊﾟﾗﾒｰﾀ a 27, 2が登録されていません。");
  Case.Language = 1;  // the same text in both languages
  EXPECT_EQ(Start(false), shown);
}

}  // namespace
