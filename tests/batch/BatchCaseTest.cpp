// The batch case: defaults, the example, and the case file written and read back.
#include "batch/BatchTestSupport.h"
#include "batch/model/BatchCaseFile.h"
#include "core/model/CalcMessages.h"
#include "platform/text/SeqFile.h"
#include "support/FileEdit.h"

using namespace batchtest;

namespace {

using testfile::EditField;

class BatchCaseTest : public BatchFixture {
 protected:
  std::string CasePath() const { return (dir_ / "case.dat").string(); }
  void Save() {
    Batch.Batch_File = CasePath();
    ASSERT_TRUE(Save_Batch_Data());
  }
  void WriteText(const std::string& text) {
    ASSERT_TRUE(seqfile::SaveAtomic(CasePath(), text));
    Batch.Batch_File = CasePath();
  }
};

TEST_F(BatchCaseTest, InitialSetResetsItsListAndKeepsTheRest) {
  Case.NC = 12;
  Case.NT = 30;
  Case.Comp_Name[3] = "Benzene";
  Case.Comp_Tc[3] = 562.2;
  Case.Antoine_A[3] = 6.9;
  Case.HV_B[5] = 0.4;
  Case.Cp_D[20] = 1e-9;
  Case.Tray_Press[7] = 101.3;
  Case.NRTL_Tau[20][20] = 0.7;
  Batch.Tray_Holdup[1][4] = 2.5;
  Batch.N_Change_Tank = 3;
  Batch.Continue_Flag = 1;
  Batch_Initial_set();

  // Kept: counts, critical constants, plate data, the product plan.
  EXPECT_EQ(Case.NC, 12);
  EXPECT_EQ(Case.NT, 30);
  EXPECT_EQ(Case.Comp_Tc[3], 562.2);
  EXPECT_EQ(Case.Tray_Press[7], 101.3);
  EXPECT_EQ(Batch.Tray_Holdup[1][4], 2.5);
  EXPECT_EQ(Batch.N_Change_Tank, 3);
  // Cleared: names and every coefficient of all 20 components.
  EXPECT_EQ(Case.Comp_Name[3], "");
  EXPECT_EQ(Case.Antoine_A[3] + Case.HV_B[5] + Case.Cp_D[20], 0);
  for (int i = 1; i <= 20; ++i)
    for (int j = 1; j <= 20; ++j) {
      ASSERT_EQ(Case.Wilson_Lambda[i][j], 1);
      ASSERT_EQ(Case.NRTL_Tau[i][j], 0);
      ASSERT_EQ(Case.EOS_Kij[i][j], i == j ? 1 : 0);
    }
  EXPECT_EQ(Batch.Continue_Flag, 0);
  EXPECT_EQ(Batch.Ope_Mode, 1);
  EXPECT_EQ(Batch.Graph_Div, 5);
  EXPECT_EQ(Case.P_Unit, 2);
  EXPECT_EQ(Case.H_Unit, 2);
  EXPECT_EQ(Batch.Diff_Time, 0.0001);
  EXPECT_EQ(Batch.Conv_Limit, 0.0005);
}

TEST_F(BatchCaseTest, ExampleWritesPlateTenAsTheStillAndKeepsHigherPlates) {
  Case.NT = 30;
  Batch.Tray_Holdup[1][15] = 4;
  Case.Tray_Press[15] = 900;
  Case.Tray_Press[5] = 765;
  Batch_Initial_set();
  Batch_Example_set();
  EXPECT_EQ(Case.NT, 10);
  EXPECT_DOUBLE_EQ(Batch.Tray_Holdup[1][10], 87);  // 100 - 5 - 8 x 1
  EXPECT_EQ(Batch.Tray_Holdup[1][15], 4);
  EXPECT_EQ(Case.Tray_Press[15], 900);
  EXPECT_EQ(Case.Tray_Press[5], 765);  // intermediate plates keep their pressures
  EXPECT_EQ(Case.Tray_Press[10], 770);
  EXPECT_DOUBLE_EQ(Batch.QReb_TR, 1.0e6 * 4186.05);  // kcal/h into J/h
  EXPECT_EQ(Case.Wilson_Lambda[1][3], 0.382);
  EXPECT_EQ(Case.Wilson_Lambda[3][2], 0.829);
}

// Every field written comes back into its own place: the file written again
// from what was read is the same file.
TEST_F(BatchCaseTest, SavedCaseReadsBackEveryField) {
  Batch_Initial_set();
  Batch_Example_set();
  for (int i = 1; i <= 3; ++i) {
    Case.Comp_Tc[i] = 500 + i, Case.Comp_Pc[i] = 60 + i, Case.Comp_Vc[i] = 0.2 + i;
    Case.Comp_Omega[i] = 0.1 * i, Case.HV_C[i] = 1e-5 * i, Case.HL_C[i] = -2e-5 * i;
    Case.Cp_A[i] = 20 + i, Case.Cp_B[i] = 0.1 + i, Case.Cp_C[i] = -1e-4 * i, Case.Cp_D[i] = 1e-8 * i;
    for (int j = 1; j <= 3; ++j) Case.NRTL_Tau[i][j] = 0.1 * i - 0.03 * j, Case.EOS_Kij[i][j] = 0.01 * i * j;
  }
  Case.Memo[9] = "line nine, with a comma";
  Batch.Tray_Heat[4] = -1.5e-7;
  Case.Tray_Press[5] = 765.5;
  Batch.Tray_Holdup[2][3] = 12.5;
  Save();
  const std::string first = Slurp(CasePath());

  Reset_Case_Data();
  Reset_Batch_Data();
  Batch.Feed_Comp_Unit = 1;
  Batch.Graph_Div = 3;
  Batch.Batch_File = CasePath();
  ASSERT_TRUE(Read_Batch_Data().ok());
  EXPECT_EQ(Case.Read_Error, 0);
  EXPECT_EQ(Case.NC_Save, 3);
  EXPECT_EQ(Case.NT_Save, 10);
  EXPECT_EQ(Case.Memo[9], "line nine, with a comma");
  EXPECT_EQ(Case.NRTL_Tau[3][1], 0.3 - 0.03);
  EXPECT_EQ(Batch.Tank_Value[2], -0.88);
  // Not in the file: the caption basis and the graph divisions stay.
  EXPECT_EQ(Batch.Feed_Comp_Unit, 1);
  EXPECT_EQ(Batch.Graph_Div, 3);

  Batch.Batch_File = (dir_ / "again.dat").string();
  ASSERT_TRUE(Save_Batch_Data());
  EXPECT_EQ(Slurp(Batch.Batch_File), first);
}

TEST_F(BatchCaseTest, LayoutHasOneRecordPerTankAndPlateAndColumnOrderedMatrices) {
  Batch_Initial_set();
  Batch_Example_set();
  Batch.N_Change_Tank = 0;
  Case.Comp_Pc[1] = 80.97;
  Save();
  const std::vector<std::string> lines = Lines(CasePath());
  // header, 10 memo lines, counts, operation, then one tank record.
  ASSERT_GE(lines.size(), 14u);
  EXPECT_EQ(lines[0], "\"Batch Distillastion Data\"");
  EXPECT_EQ(lines[11], "3,10,2,1,2,1,1,1,3,2,0");
  EXPECT_EQ(lines[13], "-1,2,5,10,0");
  EXPECT_EQ(lines[14], "760,5,0,0,0");  // the first of exactly ten plate records
  EXPECT_EQ(lines[23], "770,87,0,0,0");
  EXPECT_EQ(lines[24], "\"Methanol\"");
  EXPECT_EQ(lines[27], "32.04,7.8786,1473.11,230,0,80.97,80.97,0,0");
  // Wilson block: record i holds Lambda(1, i), Lambda(2, i), Lambda(3, i).
  EXPECT_EQ(lines[36], "1,1,1");
  EXPECT_EQ(lines[37], "1,1,0.829");
  EXPECT_EQ(lines[38], "0.382,0.999,1");
}

TEST_F(BatchCaseTest, SeventhComponentValueIsTheCriticalPressure) {
  Batch_Initial_set();
  Batch_Example_set();
  Save();
  std::string text = Slurp(CasePath());
  const std::string from = "32.04,7.8786,1473.11,230,0,0,0,";
  ASSERT_NE(text.find(from), std::string::npos);
  text.replace(text.find(from), from.size(), "32.04,7.8786,1473.11,230,0,11,22,");
  WriteText(text);
  ASSERT_TRUE(Read_Batch_Data().ok());
  EXPECT_EQ(Case.Comp_Pc[1], 22);
}

TEST_F(BatchCaseTest, ColumnCaseFileIsRefusedAndChangesNothing) {
  Batch_Initial_set();
  Batch_Example_set();
  WriteText("\"Distillation Data\"\r\n\"memo\"\r\n");
  CalcMessageRecorder messages;
  const BatchReadResult r = Read_Batch_Data();
  EXPECT_EQ(r.status, BatchReadStatus::WrongHeader);
  EXPECT_EQ(Case.Read_Error, 1);
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.Messages()[0], "バッチ蒸留計算のデータファイルではありません");
  EXPECT_EQ(Case.NT, 10);
  EXPECT_EQ(Case.Memo[1], "バッチ蒸留計算プログラム");
}

// A file that fails part-way, or holds a count or a code out of range, is
// refused with its reason and leaves the case as it was.
TEST_F(BatchCaseTest, BrokenFilesAreRefusedWithTheirReason) {
  Batch_Initial_set();
  Batch_Example_set();
  Save();
  const std::string good = Slurp(CasePath());
  const std::string counts = "3,10,2,1,2,1,1,1,3,2,1";
  ASSERT_NE(good.find(counts), std::string::npos);
  struct Broken {
    std::string from, to, reason;
  };
  const std::vector<Broken> cases = {
      {counts, "21,10,2,1,2,1,1,1,3,2,1", "NC = 21"},
      {counts, "3,201,2,1,2,1,1,1,3,2,1", "NT = 201"},
      {counts, "3,10,2,1,2,1,1,1,3,2,5", "N_Change_Tank = 5"},
      {counts, "3,10,4,1,2,1,1,1,3,2,1", "Ope_Mode = 4"},
      {counts, "3,10,2,1,2,1,1,1,9,2,1", "P_Unit = 9"},
      {"-1,2,5,10,0", "7,2,5,10,0", "タンク切替条件 (1) = 7"},
      {"0.03\r\n0.85\r\n", "0.03\r\n", ""},  // the file ends before the last fraction
  };
  for (const Broken& b : cases) {
    std::string text = good;
    text.replace(text.find(b.from), b.from.size(), b.to);
    WriteText(text);
    Case.Memo[1] = "kept";
    Batch.Feed_Comp[3] = 0.85;
    CalcMessageRecorder messages;
    const BatchReadResult r = Read_Batch_Data();
    EXPECT_EQ(r.status, BatchReadStatus::Malformed) << b.to;
    EXPECT_NE(r.reason.find(b.reason), std::string::npos) << r.reason;
    EXPECT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(Case.Read_Error, 1);
    EXPECT_EQ(Case.Memo[1], "kept") << b.to;
    EXPECT_EQ(Case.NT, 10);
  }
  Batch.Batch_File = (dir_ / "missing.dat").string();
  EXPECT_EQ(Read_Batch_Data().status, BatchReadStatus::OpenFailed);
}

// Values no case can hold, edited one at a time into the example's file, are
// refused with the field and its line; what a dialog leaves as 0 stays readable.
TEST_F(BatchCaseTest, ValuesOutOfTheirRangeAreRefusedByFieldAndLine) {
  Case.Language = 1;
  Batch_Initial_set();
  Batch_Example_set();
  Save();
  const std::string good = Slurp(CasePath());
  const struct {
    int line, field;
    const char* to;
    const char* says;
  } edits[] = {
      {12, 4, "6", "line 12: K_Method = 6"},
      {13, 0, "-760", "line 13: P_Top = -760"},
      {13, 2, "-300", "line 13: Init_Temp = -300"},
      {13, 4, "-0.0002", "line 13: Diff_Time = -0.0002"},
      {13, 6, "-1", "line 13: QReb_TR = -1"},
      {14, 1, "-2", "line 14: Tank_Value (1) = -2"},
      {14, 2, "-5", "line 14: Prod_Spec (1, 1) = -5"},
      {17, 1, "-1", "line 17: Tray_Holdup (1, 2) = -1"},
      {29, 0, "-32.04", "line 29: molecular weight (1) = -32.04"},
      {44, 0, "-0.3", "line 44: NRTL alpha = -0.3"},
      {48, 0, "-100", "line 48: Total_Feed = -100"},
      {49, 0, "-0.12", "line 49: Feed_Comp (1) = -0.12"},
  };
  for (const auto& e : edits) {
    SCOPED_TRACE(e.says);
    WriteText(EditField(good, e.line, e.field, e.to));
    Case.Memo[1] = "kept";
    CalcMessageRecorder messages;
    const BatchReadResult r = Read_Batch_Data();
    EXPECT_EQ(r.status, BatchReadStatus::Malformed);
    EXPECT_NE(r.reason.find(e.says), std::string::npos) << r.reason;
    EXPECT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(Case.Memo[1], "kept");
  }
  // Fields left after the charge are refused; zeros a dialog leaves are read.
  WriteText(good + "1\r\n");
  EXPECT_NE(Read_Batch_Data().reason.find("fields left over"), std::string::npos);
  WriteText(EditField(EditField(good, 29, 0, "0"), 13, 3, "0"));
  EXPECT_TRUE(Read_Batch_Data().ok());
  EXPECT_EQ(Case.Mol_Wt[1], 0);
  // Saving a case the reader would refuse is refused, the old file kept.
  Case.Mol_Wt[1] = -32.04;
  Batch.Batch_File = CasePath();
  std::string error;
  EXPECT_FALSE(Save_Batch_Data(&error));
  EXPECT_NE(error.find("molecular weight (1) = -32.04"), std::string::npos) << error;
  EXPECT_EQ(Case.Mol_Wt[1], -32.04);
  EXPECT_TRUE(Read_Batch_Data().ok());
  EXPECT_EQ(Case.Mol_Wt[1], 0);
}

// What opens must save and what saves must open: a number the 15-digit writer
// would write past the range of a double, a memo that makes the file larger
// than the reader takes, and a UTF-8 file with a stray byte are refused; the
// case and the file stay as they were.
TEST_F(BatchCaseTest, WhatWouldNotReadBackIsNeitherReadNorSaved) {
  Batch_Initial_set();
  Batch_Example_set();
  Case.Memo[2] = "メタノールと水の分離";
  Save();
  const std::string good = Slurp(CasePath());

  WriteText(EditField(good, 48, 0, "1.7976931348623157e308"));
  CalcMessageRecorder messages;
  BatchReadResult r = Read_Batch_Data();
  EXPECT_EQ(r.status, BatchReadStatus::Malformed);
  EXPECT_NE(r.reason.find("48 行目: 数値 \"1.7976931348623157e308\" が範囲外です"), std::string::npos) << r.reason;
  const double charge = Batch.Total_Feed;
  Batch.Total_Feed = 1.7976931348623151e308;  // typed
  std::string error;
  EXPECT_FALSE(Save_Batch_Data(&error));
  EXPECT_NE(error.find("読み戻せない値があります"), std::string::npos) << error;
  Batch.Total_Feed = charge;

  WriteText(good);
  Case.Memo[2] = std::string(17 * 1024 * 1024, 'x');  // pasted
  EXPECT_FALSE(Save_Batch_Data(&error));
  EXPECT_NE(error.find("ケースのファイルとしては大きすぎます（16 MB 超）"), std::string::npos) << error;
  English();
  EXPECT_FALSE(Save_Batch_Data(&error));
  EXPECT_NE(error.find("the file is too large for a case file (over 16 MB)"), std::string::npos) << error;
  EXPECT_EQ(Slurp(CasePath()), good);

  std::string stray = good;
  stray.insert(stray.find("メタノールと水"), "\xE9");
  WriteText(stray);
  r = Read_Batch_Data();
  EXPECT_EQ(r.status, BatchReadStatus::OpenFailed);
  EXPECT_NE(r.reason.find("line 3: the byte 0xE9 is no UTF-8 character"), std::string::npos) << r.reason;
  EXPECT_EQ(Case.Read_Error, 1);
  EXPECT_EQ(Case.Memo[2].size(), 17u * 1024u * 1024u);
}

// A file the program wrote with a negative molecular weight, kept as test data.
TEST_F(BatchCaseTest, KeptDamagedFileIsRefused) {
  Case.Language = 1;
  Batch_Initial_set();
  Batch_Example_set();
  Batch.Batch_File = VZ_SOURCE_DIR "/tests/batch/data/negative_mol_wt.dat";
  const BatchReadResult r = Read_Batch_Data();
  EXPECT_EQ(r.status, BatchReadStatus::Malformed);
  EXPECT_NE(r.reason.find("line 29: molecular weight (1) = -32.04 is below 0"), std::string::npos) << r.reason;
  EXPECT_GT(Case.Mol_Wt[1], 0);
}

}  // namespace
