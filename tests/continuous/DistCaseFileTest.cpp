// The column case file and the shared blocks: layout, round trips, and files
// that are refused without touching the case.
#include <gtest/gtest.h>

#include "continuous/DistCaseFile.h"
#include "continuous/DistDefaults.h"
#include "core/model/CaseFileBlocks.h"
#include "platform/text/SeqFile.h"
#include "ColumnFixture.h"

namespace {

using DistCaseFileTest = ColumnFixture;

TEST_F(DistCaseFileTest, Example1FileHasTheLayoutOfItsRecords) {
  Dist_Example1_set();
  Case.Data_File = PathOf("ex1.dat");
  ASSERT_TRUE(Save_Dist_Data());
  const auto lines = Lines(ReadFile(Case.Data_File));
  ASSERT_EQ(lines.size(), 62u);
  EXPECT_EQ(lines[0], "\"Distillation Data\"");
  EXPECT_EQ(lines[1], "\"逐次段蒸留計算プログラム\"");
  EXPECT_EQ(lines[10], "\"\"");  // memo line 10
  EXPECT_EQ(lines[11], "4,15,1,0,0,2,1,1,3,2");
  EXPECT_EQ(lines[12], "10,5E-05,20,1E-05");
  EXPECT_EQ(lines[14], "\"Methanol\"");
  // Field counts of the component block: 8 constants, 6 enthalpy, 4 Cp, matrices of 4.
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(FieldCount(lines[18 + i]), 8);
    EXPECT_EQ(FieldCount(lines[22 + i]), 6);
    EXPECT_EQ(FieldCount(lines[26 + i]), 4);
    EXPECT_EQ(FieldCount(lines[30 + i]), 4);
  }
  // Liquid coefficients come first; record i of a matrix is its column i.
  EXPECT_EQ(lines[22], "-253.37,0.81773,0,62.453,0.39014,0");
  EXPECT_EQ(lines[32], "0.382,0.999,1,0.67");
  EXPECT_EQ(lines[31], "1,1,0.826,1");
  EXPECT_EQ(lines[38], "0.4");
  EXPECT_EQ(lines[43], "83,0,3,72,105,760,770");
  EXPECT_EQ(lines[44], "760");
  EXPECT_EQ(lines[45], "0");
  EXPECT_EQ(lines[58], "770");
  EXPECT_EQ(lines[59], "5,93,770,0.5,380");
  EXPECT_EQ(lines[60], "0.120949998,0.01055,0.855279982,0.01322");
  EXPECT_EQ(lines[61], "0");
}

TEST_F(DistCaseFileTest, SavedCaseReadsBackWhole) {
  Dist_Example1_set();
  Case.N_LiqSC = 1;
  Case.LiqSC_Stage[1] = 8;
  Case.LiqSC_Flow[1] = 12.5;
  Case.N_VapSC = 2;
  Case.VapSC_Stage[1] = 11;
  Case.VapSC_Flow[1] = 3;
  Case.VapSC_Stage[2] = 12;
  Case.VapSC_Flow[2] = 1.25;
  Case.Comp_Pc[2] = 61.37;
  Case.EOS_Kij[1][2] = 0.012;
  Case.Memo[3] = "a, b and c";  // a comma inside a memo line
  Case.Result_Flag = 1;
  Case.Feed_H[1] = -1.5e7;
  for (int j = 1; j <= 15; ++j) {
    Case.Tray_T[j] = 70 + j;
    Case.Tray_L[j] = 100 + j;
    for (int i = 1; i <= 4; ++i) Case.Tray_X[i][j] = 0.01 * i + 0.001 * j;
  }
  Case.Data_File = PathOf("case.dat");
  ASSERT_TRUE(Save_Dist_Data());
  auto saved = std::make_unique<CaseData>(Case);

  Dist_Initial_set();
  Case.Data_File = PathOf("case.dat");
  ASSERT_TRUE(Read_Dist_Data());
  EXPECT_EQ(Case.Read_Error, 0);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Case.NC_Save, 4);
  EXPECT_EQ(Case.NT_Save, 15);
  EXPECT_EQ(Case.Memo[3], "a, b and c");
  EXPECT_EQ(Case.N_VapSC, 2);
  EXPECT_EQ(Case.VapSC_Stage[2], 12);
  EXPECT_EQ(Case.VapSC_Flow[2], 1.25);
  EXPECT_EQ(Case.LiqSC_Flow[1], 12.5);
  EXPECT_EQ(Case.Comp_Pc[2], 61.37);
  EXPECT_EQ(Case.EOS_Kij[1][2], 0.012);
  EXPECT_EQ(Case.EOS_Kij[2][1], 0);
  for (int i = 1; i <= 4; ++i)
    for (int j = 1; j <= 4; ++j) EXPECT_EQ(Case.Wilson_Lambda[i][j], saved->Wilson_Lambda[i][j]);
  EXPECT_EQ(Case.Feed_Z[3][1], 0.855279982);
  EXPECT_EQ(Case.Result_Flag, 1);
  EXPECT_EQ(Case.Feed_H[1], -1.5e7);
  EXPECT_EQ(Case.Tray_T[15], 85);
  EXPECT_EQ(Case.Tray_L[3], 103);
  EXPECT_DOUBLE_EQ(Case.Tray_X[4][15], saved->Tray_X[4][15]);
  EXPECT_EQ(Case.P_Unit, 3);
  EXPECT_EQ(Case.Max_Iter[2], 20);
  EXPECT_EQ(Case.Conv_Crit[2], 1e-5);
  EXPECT_EQ(Case.SC_HK_Spec[1], 0.35);
}

TEST_F(DistCaseFileTest, RejectedFilesLeaveTheCaseAndSayWhy) {
  Dist_Example1_set();
  Case.Data_File = PathOf("good.dat");
  ASSERT_TRUE(Save_Dist_Data());
  const std::string good = ReadFile(Case.Data_File);
  const auto lines = Lines(good);
  auto join = [](const std::vector<std::string>& ls, std::size_t n) {
    std::string s;
    for (std::size_t k = 0; k < n && k < ls.size(); ++k) s += ls[k] + "\r\n";
    return s;
  };
  auto badIterations = lines;
  badIterations[12] = "\"x\",1,20,1E-05";
  std::string tooMany = good;
  tooMany.replace(tooMany.find("4,15,1,"), 7, "4,201,1,");

  struct Bad {
    const char* name;
    std::string text;
    const char* message;  // start of the message shown
  };
  const Bad bad[] = {
      {"header", "\"Batch Distillastion Data\"\r\n" + good.substr(good.find("\r\n") + 2),
       "蒸留計算のデータファイルではありません。"},
      {"short", join(lines, 50), "データファイルを読み込めません。"},
      {"stages", tooMany, "データファイルを読み込めません。"},
      {"text for a number", join(badIterations, badIterations.size()), "データファイルを読み込めません。"},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.name);
    WriteFile(PathOf("bad.dat"), b.text);
    Dist_Initial_set();
    Case.Data_File = PathOf("bad.dat");
    const std::size_t before = Messages().size();
    EXPECT_FALSE(Read_Dist_Data());
    EXPECT_EQ(Case.Read_Error, 1);
    ASSERT_EQ(Messages().size(), before + 1);
    EXPECT_EQ(Messages().back().rfind(b.message, 0), 0u) << Messages().back();
    // Nothing of the file reached the case: the defaults stand.
    EXPECT_EQ(Case.NC, 0);
    EXPECT_EQ(Case.NT, 0);
    EXPECT_EQ(Case.Memo[1], "");
    EXPECT_EQ(Case.NC_Save, 0);
    EXPECT_EQ(Case.Data_File, PathOf("bad.dat"));
  }

  Dist_Initial_set();
  Case.Data_File = PathOf("absent.dat");
  EXPECT_FALSE(Read_Dist_Data());
  EXPECT_EQ(Case.Read_Error, 1);
  EXPECT_EQ(Messages().back(), "ファイルがありません");

  // A good read afterwards clears the flag.
  Case.Data_File = PathOf("good.dat");
  EXPECT_TRUE(Read_Dist_Data());
  EXPECT_EQ(Case.Read_Error, 0);
  EXPECT_EQ(Case.NT, 15);
}

TEST_F(DistCaseFileTest, FlashFileUnderTheSameHeaderIsRefusedByTheColumnReader) {
  // The flash layout: head, a record with NC alone, then its component block.
  Dist_Example1_set();
  seqfile::Writer w;
  Write_Case_Head(w, kDistillationHeader);
  w.Record(Case.NC);
  Write_Component_Block(w, true);
  WriteFile(PathOf("flash.dat"), w.Content());
  Dist_Initial_set();
  Case.Data_File = PathOf("flash.dat");
  EXPECT_FALSE(Read_Dist_Data());
  EXPECT_EQ(Case.Read_Error, 1);
  EXPECT_EQ(Case.NC, 0);
  EXPECT_EQ(Case.Comp_Name[1], "");
}

TEST_F(DistCaseFileTest, ComponentBlockLayoutsReadBackInTheirOwnOrder) {
  Case.NC = 1;
  Case.Comp_Name[1] = "Water";
  Case.Mol_Wt[1] = 18.015;
  Case.Flash_Cp_1[1] = 7.7;
  Case.Flash_Cp_6[1] = -6;
  Case.HL_A[1] = 1;
  Case.HV_C[1] = 6;
  Case.Cp_D[1] = 4e-9;
  Case.Wilson_Lambda[1][1] = 1;
  Case.NRTL_Alpha = 0.3;
  for (bool flash : {false, true}) {
    SCOPED_TRACE(flash ? "flash" : "column");
    seqfile::Writer w;
    Write_Component_Block(w, flash);
    const auto lines = Lines(w.Content());
    // names, constants, [flash set], enthalpies, [Cp], Wilson, NRTL, alpha, Kij
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2], flash ? "7.7,0,0,0,0,-6" : "1,0,0,0,0,6");
    EXPECT_EQ(lines[3], flash ? "1,0,0,0,0,6" : "0,0,0,4E-09");
    EXPECT_EQ(lines[4], "1");  // NC = 1: one field per matrix record

    auto into = std::make_unique<CaseData>();
    into->NC = 1;
    seqfile::Reader r;
    r.OpenText(w.Content());
    Read_Component_Block(r, *into, flash);
    EXPECT_TRUE(r.Eof());
    EXPECT_EQ(into->Comp_Name[1], "Water");
    EXPECT_EQ(into->HV_C[1], 6);
    EXPECT_EQ(into->NRTL_Alpha, 0.3);
    EXPECT_EQ(into->Flash_Cp_6[1], flash ? -6 : 0);
    EXPECT_EQ(into->Cp_D[1], flash ? 0 : 4e-9);
  }
}

TEST_F(DistCaseFileTest, TwentyComponentMatricesAreTwentyRecordsOfTwenty) {
  Case.NC = 20;
  for (int i = 1; i <= 20; ++i)
    for (int j = 1; j <= 20; ++j) Case.NRTL_Tau[i][j] = i + j / 100.0;
  seqfile::Writer w;
  Write_Component_Block(w, false);
  const auto lines = Lines(w.Content());
  ASSERT_EQ(lines.size(), 20u * 7 + 1);
  const std::size_t nrtl = 20 * 5;  // after names, constants, enthalpies, Cp, Wilson
  EXPECT_EQ(FieldCount(lines[nrtl + 19]), 20);
  EXPECT_EQ(lines[nrtl + 1].substr(0, 10), "1.02,2.02,");  // record 2 = column 2
  auto into = std::make_unique<CaseData>();
  into->NC = 20;
  seqfile::Reader r;
  r.OpenText(w.Content());
  Read_Component_Block(r, *into, false);
  EXPECT_EQ(into->NRTL_Tau[20][3], 20.03);
  EXPECT_EQ(into->NRTL_Tau[3][20], 3.2);
}

TEST_F(DistCaseFileTest, FailedSaveSaysSoAndKeepsThePreviousFile) {
  Dist_Example1_set();
  Case.Data_File = PathOf("keep.dat");
  ASSERT_TRUE(Save_Dist_Data());
  const std::string before = ReadFile(Case.Data_File);
  Case.Data_File = PathOf("no-such-folder/x.dat");
  EXPECT_FALSE(Save_Dist_Data());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("no-such-folder"), std::string::npos);
  EXPECT_EQ(ReadFile(PathOf("keep.dat")), before);
}

TEST_F(DistCaseFileTest, ExampleOneMaterialBalanceAndDefaults) {
  Dist_Example1_set();
  EXPECT_EQ(Case.Feed_Sum, 380);
  EXPECT_EQ(Case.Bottom_Flow, 297);
  EXPECT_EQ(Case.Tray_Press[1], 760);
  EXPECT_EQ(Case.Tray_Press[15], 770);
  Case.Top_Liq_Prod = 380;
  Bottom_Flow_Calc();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Bottom流量[  0 ]が負です。");
  Dist_Initial_set();
  EXPECT_EQ(Case.NC, 0);
  EXPECT_EQ(Case.Comp_Name[1], "");
  EXPECT_EQ(Case.Wilson_Lambda[1][3], 1.0);
  EXPECT_EQ(Case.Reflux_Ratio, 2.0);
  EXPECT_EQ(Case.Tray_Press[15], 770);  // not reset
}

}  // namespace
