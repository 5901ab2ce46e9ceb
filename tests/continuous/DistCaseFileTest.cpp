// The column case file and the shared blocks: layout, round trips, and files
// that are refused without touching the case.
#include <gtest/gtest.h>

#include "continuous/DistCaseFile.h"
#include "continuous/DistDefaults.h"
#include "core/model/CaseFileBlocks.h"
#include "platform/text/SeqFile.h"
#include "ColumnFixture.h"
#include "support/CodePage.h"
#include "support/FileEdit.h"

namespace {

using testfile::EditField;

using DistCaseFileTest = ColumnFixture;

TEST_F(DistCaseFileTest, Example1FileHasTheLayoutOfItsRecords) {
  Dist_Example1_set();
  Case.Data_File = PathOf("ex1.dat");
  ASSERT_TRUE(Save_Dist_Data());
  const auto lines = Lines(ReadFile(Case.Data_File));
  ASSERT_EQ(lines.size(), 62u);
  EXPECT_EQ(lines[0], "\"Distillation Data\"");
  EXPECT_EQ(lines[1], "\"逐次段蒸留計算プログラム\"");
  EXPECT_EQ(lines[11], "4,15,1,0,0,2,1,1,3,2");
  EXPECT_EQ(lines[12], "10,5E-05,20,1E-05");
  EXPECT_EQ(lines[14], "\"Methanol\"");
  for (int i = 0; i < 4; ++i) {  // 8 constants, 6 enthalpy and 4 Cp coefficients
    EXPECT_EQ(FieldCount(lines[18 + i]), 8);
    EXPECT_EQ(FieldCount(lines[22 + i]), 6);
    EXPECT_EQ(FieldCount(lines[26 + i]), 4);
  }
  // Liquid coefficients first; record i of a matrix is its column i.
  EXPECT_EQ(lines[22], "-253.37,0.81773,0,62.453,0.39014,0");
  EXPECT_EQ(lines[31], "1,1,0.826,1");
  EXPECT_EQ(lines[32], "0.382,0.999,1,0.67");
  EXPECT_EQ(lines[38], "0.4");
  EXPECT_EQ(lines[43], "83,0,3,72,105,760,770");
  EXPECT_EQ(lines[45], "0");
  EXPECT_EQ(lines[58], "770");
  EXPECT_EQ(lines[59], "5,93,770,0.5,380");
  EXPECT_EQ(lines[60], "0.120949998,0.01055,0.855279982,0.01322");
  EXPECT_EQ(lines[61], "0");
}

TEST_F(DistCaseFileTest, SavedCaseWithResultsReadsBackWhole) {
  Dist_Example1_set();
  Case.N_VapSC = 2;
  Case.VapSC_Stage[2] = 12;
  Case.VapSC_Flow[2] = 1.25;
  Case.N_LiqSC = 1;
  Case.LiqSC_Flow[1] = 12.5;
  Case.EOS_Kij[1][2] = 0.012;
  Case.Memo[3] = "a, b and c";  // a comma inside a memo line
  Case.Result_Flag = 1;
  Case.Feed_H[1] = -1.5e7;
  for (int j = 1; j <= 15; ++j) Case.Tray_X[4][j] = 1.0 / (3 + j);
  Case.Tray_T[15] = 100.140137;
  for (int j = 1; j <= 15; ++j) Case.Tray_P[j] = 0.1013 + j * 1e-4;
  Case.Data_File = PathOf("case.dat");
  ASSERT_TRUE(Save_Dist_Data());
  EXPECT_EQ(FieldCount(Lines(ReadFile(Case.Data_File)).back()), 6 + 2 * 4);

  Dist_Initial_set();
  ASSERT_TRUE(Read_Dist_Data());
  EXPECT_EQ(Case.Read_Error, 0);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Case.NC_Save, 4);
  EXPECT_EQ(Case.NT_Save, 15);
  EXPECT_EQ(Case.Memo[3], "a, b and c");
  EXPECT_EQ(Case.VapSC_Flow[2], 1.25);
  EXPECT_EQ(Case.VapSC_Stage[2], 12);
  EXPECT_EQ(Case.LiqSC_Flow[1], 12.5);
  EXPECT_EQ(Case.EOS_Kij[1][2], 0.012);
  EXPECT_EQ(Case.EOS_Kij[2][1], 0);
  EXPECT_EQ(Case.Wilson_Lambda[3][4], 0.001);
  EXPECT_EQ(Case.Wilson_Lambda[4][3], 0.67);
  EXPECT_EQ(Case.Feed_H[1], -1.5e7);
  EXPECT_EQ(Case.Tray_T[15], 100.140137);
  EXPECT_NEAR(Case.Tray_X[4][15], 1.0 / 18, 1e-15);
  EXPECT_EQ(Case.SC_HK_Spec[1], 0.35);
}

TEST_F(DistCaseFileTest, RejectedFilesLeaveTheCaseAndSayWhy) {
  Dist_Example1_set();
  Case.Data_File = PathOf("good.dat");
  ASSERT_TRUE(Save_Dist_Data());
  const auto good = Lines(ReadFile(Case.Data_File));
  auto text = [](std::vector<std::string> ls, std::size_t keep, int at = -1, const char* line = "") {
    if (at >= 0) ls[at] = line;
    std::string s;
    for (std::size_t k = 0; k < keep; ++k) s += ls[k] + "\r\n";
    return s;
  };
  // A flash case under the same header: its NC record, then its own block.
  seqfile::Writer flash;
  Write_Case_Head(flash, kDistillationHeader);
  flash.Record(Case.NC);
  Write_Component_Block(flash, true);

  const struct {
    const char* name;
    std::string text;
    const char* message;  // start of the message shown
  } bad[] = {
      {"header", text(good, 62, 0, "\"Batch Distillastion Data\""), "蒸留計算のデータファイルではありません。"},
      {"short", text(good, 50), "データファイルを読み込めません。"},
      {"stages", text(good, 62, 11, "4,201,1,0,0,2,1,1,3,2"), "データファイルを読み込めません。"},
      {"text for a number", text(good, 62, 12, "\"x\",5E-05,20,1E-05"), "データファイルを読み込めません。"},
      {"flash file", flash.Content(), "データファイルを読み込めません。"},
      // Specifications no column can have.
      {"feed stage off the column", text(good, 62, 59, "999,93,770,0.5,380"), "データファイルを読み込めません。"},
      {"feed stage 0", text(good, 62, 59, "0,93,770,0.5,380"), "データファイルを読み込めません。"},
      {"no feed flow", text(good, 62, 59, "5,93,770,0.5,0"), "データファイルを読み込めません。"},
      {"top pressure 0", text(good, 62, 43, "83,0,3,72,105,0,770"), "データファイルを読み込めません。"},
      {"negative middle pressure", text(good, 62, 50, "-10"), "データファイルを読み込めません。"},
  };
  for (const auto& b : bad) {
    SCOPED_TRACE(b.name);
    std::ofstream(PathOf("bad.dat"), std::ios::binary) << b.text;
    Dist_Initial_set();
    Case.Data_File = PathOf("bad.dat");
    EXPECT_FALSE(Read_Dist_Data());
    EXPECT_EQ(Case.Read_Error, 1);
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back().rfind(b.message, 0), 0u) << Messages().back();
    // Nothing of the file reached the case: the defaults stand.
    EXPECT_EQ(Case.NC, 0);
    EXPECT_EQ(Case.Memo[1], "");
    EXPECT_EQ(Case.Comp_Name[1], "");
  }
  EXPECT_EQ(Messages().size(), 10u);

  Case.Data_File = PathOf("absent.dat");
  EXPECT_FALSE(Read_Dist_Data());
  EXPECT_EQ(Messages().back(), "ファイルがありません");
  Case.Data_File = PathOf("good.dat");
  EXPECT_TRUE(Read_Dist_Data());
  EXPECT_EQ(Case.Read_Error, 0);
}

// A column case with the results of a run: every value within its range.
void Example1WithResults() {
  Dist_Example1_set();
  Case.Result_Flag = 1;
  Case.Feed_H[1] = -1.5e7;
  for (int j = 1; j <= 15; ++j) {
    Case.Tray_T[j] = 65 + j;
    Case.Tray_P[j] = 0.1013 + j * 1e-4;
    Case.Tray_L[j] = 100;
    Case.Tray_V[j] = 120;
    for (int i = 1; i <= 4; ++i) Case.Tray_X[i][j] = Case.Tray_Y[i][j] = 0.25;
  }
}

// Each value no calculation can use, edited into a file the program wrote,
// is refused with its field and its line, and the case stays as it was.
TEST_F(DistCaseFileTest, ValuesOutOfTheirRangeAreRefusedByFieldAndLine) {
  Case.Language = 1;
  Example1WithResults();
  Case.Data_File = PathOf("good.dat");
  ASSERT_TRUE(Save_Dist_Data());
  const std::string good = ReadFile(Case.Data_File);
  const struct {
    int line, field;
    const char* to;
    const char* says;  // the field and its value as the message names them
  } edits[] = {
      {12, 5, "9", "K_Method = 9"},           {12, 6, "4", "H_Method = 4"},
      {12, 7, "4", "T_Unit = 4"},             {12, 8, "7", "P_Unit = 7"},
      {12, 9, "-1", "H_Unit = -1"},           {13, 0, "-5", "Max_Iter (1) = -5"},
      {13, 2, "0", "Max_Iter (2) = 0"},       {13, 1, "-1E-05", "Conv_Crit (1) = -1E-05"},
      {14, 0, "5", "SC_LK = 5"},              {14, 2, "2", "SC_Calc_Type = 2"},
      {14, 4, "1.5", "SC_LK_Spec (1) = 1.5"}, {19, 0, "-32.04", "molecular weight (1) = -32.04"},
      {19, 4, "-1", "critical temperature (1) = -1"}, {31, 1, "-0.5", "Wilson Lambda (2, 1) = -0.5"},
      {39, 0, "-0.3", "NRTL alpha = -0.3"},   {44, 2, "-1", "Reflux_Ratio = -1"},
      {44, 3, "-273.15", "T_Top_Est = -273.15"}, {44, 0, "-5", "Top_Liq_Prod = -5"},
      {47, 0, "-1", "Tray_Press (3) = -1"},   {60, 1, "-400", "Feed_T (1) = -400"},
      {60, 3, "1.2", "Feed_VF (1) = 1.2"},    {60, 2, "-770", "Feed_P (1) = -770"},
      {61, 1, "-0.01", "Feed_Z (2, 1) = -0.01"}, {61, 0, "1.5", "Feed_Z (1, 1) = 1.5"},
      // The results of a run: damaged results are no results to show.
      {64, 0, "-300", "Tray_T (1) = -300"},   {64, 1, "0", "Tray_P (1) = 0"},
      {65, 3, "-120", "Tray_V (2) = -120"},   {66, 7, "-0.25", "Tray_Y (1, 3) = -0.25"},
  };
  for (const auto& e : edits) {
    SCOPED_TRACE(e.says);
    std::ofstream(PathOf("bad.dat"), std::ios::binary) << EditField(good, e.line, e.field, e.to);
    Dist_Initial_set();
    Case.Data_File = PathOf("bad.dat");
    EXPECT_FALSE(Read_Dist_Data());
    EXPECT_EQ(Case.Read_Error, 1);
    ASSERT_FALSE(Messages().empty());
    const std::string& m = Messages().back();
    EXPECT_NE(m.find("line " + std::to_string(e.line) + ": " + e.says), std::string::npos) << m;
    EXPECT_EQ(e.line >= 63, m.find("the results are damaged") != std::string::npos) << m;
    EXPECT_EQ(Case.NC, 0);
  }
  // A temperature is judged in its own unit: -400 degF is above absolute zero.
  std::ofstream(PathOf("bad.dat"), std::ios::binary) << EditField(EditField(good, 12, 7, "3"), 60, 1, "-400");
  EXPECT_TRUE(Read_Dist_Data()) << Messages().back();
  // Fields left after the last record are refused; Japanese names the line too.
  Case.Language = 0;
  std::ofstream(PathOf("bad.dat"), std::ios::binary) << good + "1,2\r\n";
  EXPECT_FALSE(Read_Dist_Data());
  EXPECT_NE(Messages().back().find("79 行目: 最後の記録の後に余分な項目があります"), std::string::npos)
      << Messages().back();
  // The codes the lists hold for "not chosen yet" stay readable.
  std::ofstream(PathOf("bad.dat"), std::ios::binary) << EditField(EditField(good, 12, 5, "0"), 12, 7, "0");
  EXPECT_TRUE(Read_Dist_Data());
  EXPECT_EQ(Case.K_Method, 0);
}

// What the reader would refuse is never written: the save says why and the
// previous file stays.
TEST_F(DistCaseFileTest, SaveRefusesACaseThatWouldNotReadBack) {
  Dist_Example1_set();
  Case.Data_File = PathOf("case.dat");
  ASSERT_TRUE(Save_Dist_Data());
  const std::string before = ReadFile(Case.Data_File);
  Case.Mol_Wt[2] = -46;
  EXPECT_FALSE(Save_Dist_Data());
  ASSERT_FALSE(Messages().empty());
  EXPECT_NE(Messages().back().find("分子量 (2) = -46"), std::string::npos) << Messages().back();
  EXPECT_EQ(ReadFile(Case.Data_File), before);
  Case.Mol_Wt[2] = 0;  // a weight not entered is kept
  EXPECT_TRUE(Save_Dist_Data());
  EXPECT_TRUE(Read_Dist_Data());
}

// What opens must save and what saves must open: a number that the 15-digit
// writer would write past the range of a double, a case whose file would be
// larger than the reader takes (a long memo, typed or read in the old code page,
// where each character grows by half in UTF-8) and a UTF-8 file with a stray
// byte are refused with a message; the case and the file stay as they were.
TEST_F(DistCaseFileTest, WhatWouldNotReadBackIsNeitherReadNorSaved) {
  Dist_Example1_set();
  Case.Memo[2] = "メタノールと水の分離";
  Case.Data_File = PathOf("case.dat");
  ASSERT_TRUE(Save_Dist_Data());
  const std::string good = ReadFile(Case.Data_File);

  std::ofstream(PathOf("big.dat"), std::ios::binary) << EditField(good, 44, 5, "1.7976931348623157e308");
  Case.Data_File = PathOf("big.dat");
  EXPECT_FALSE(Read_Dist_Data());
  ASSERT_FALSE(Messages().empty());
  EXPECT_NE(Messages().back().find("44 行目: 数値 \"1.7976931348623157e308\" が範囲外です"), std::string::npos)
      << Messages().back();
  EXPECT_EQ(Case.P_Top, 760);
  Case.P_Top = 1.7976931348623151e308;  // typed
  EXPECT_FALSE(Save_Dist_Data());
  EXPECT_NE(Messages().back().find("読み戻せない値があります"), std::string::npos) << Messages().back();
  Case.P_Top = 760;

  // 11.4 MB of kanji in the code page: read, but 17.1 MB in UTF-8.
  std::string kanji;
  kanji.reserve(17100000);
  for (int k = 0; k < 5700000; ++k) kanji += "水";
  const std::string old = testfile::ToCp932(EditField(good, 3, 0, "\"" + kanji + "\""));
  Case.Data_File = PathOf("old.dat");
  std::ofstream(Case.Data_File, std::ios::binary) << old;
  ASSERT_TRUE(Read_Dist_Data()) << Messages().back();
  EXPECT_TRUE(Case.Memo[2] == kanji);
  EXPECT_FALSE(Save_Dist_Data());
  EXPECT_NE(Messages().back().find("ケースのファイルとしては大きすぎます（16 MB 超）"), std::string::npos) << Messages().back();
  EXPECT_TRUE(ReadFile(Case.Data_File) == old);
  Case.Language = 1;
  Case.Memo[2] = std::string(17 * 1024 * 1024, 'x');  // pasted
  Case.Data_File = PathOf("case.dat");
  EXPECT_FALSE(Save_Dist_Data());
  EXPECT_NE(Messages().back().find("the file is too large for a case file (over 16 MB)"), std::string::npos)
      << Messages().back();
  EXPECT_EQ(ReadFile(Case.Data_File), good);

  std::string stray = good;
  stray.insert(stray.find("メタノールと水"), "\xE9");
  std::ofstream(PathOf("stray.dat"), std::ios::binary) << stray;
  Case.Data_File = PathOf("stray.dat");
  EXPECT_FALSE(Read_Dist_Data());
  EXPECT_EQ(Case.Read_Error, 1);
  EXPECT_NE(Messages().back().find("line 3: the byte 0xE9 is no UTF-8 character"), std::string::npos)
      << Messages().back();
  EXPECT_EQ(Case.Memo[2].size(), 17u * 1024u * 1024u);
}

TEST_F(DistCaseFileTest, ComponentBlockLayoutsReadBackInTheirOwnOrder) {
  Case.NC = 1;
  Case.Comp_Name[1] = "Water";
  Case.Flash_Cp_6[1] = -6;
  Case.HV_C[1] = 6;
  Case.Cp_D[1] = 4e-9;
  Case.Wilson_Lambda[1][1] = 1;
  Case.NRTL_Alpha = 0.3;
  for (bool flash : {false, true}) {
    SCOPED_TRACE(flash ? "flash" : "column");
    seqfile::Writer w;
    Write_Component_Block(w, flash);
    const auto lines = Lines(w.Content());
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2], flash ? "0,0,0,0,0,-6" : "0,0,0,0,0,6");  // flash set before enthalpies
    EXPECT_EQ(lines[3], flash ? "0,0,0,0,0,6" : "0,0,0,4E-09");    // column Cp after them
    EXPECT_EQ(lines[4], "1");  // NC = 1: one field per matrix record
    auto into = std::make_unique<CaseData>();
    into->NC = 1;
    seqfile::Reader r;
    r.OpenText(w.Content());
    Read_Component_Block(r, *into, flash);
    EXPECT_TRUE(r.Eof());
    EXPECT_EQ(into->HV_C[1], 6);
    EXPECT_EQ(into->NRTL_Alpha, 0.3);
    EXPECT_EQ(into->Flash_Cp_6[1], flash ? -6 : 0);
    EXPECT_EQ(into->Cp_D[1], flash ? 0 : 4e-9);
  }
}

TEST_F(DistCaseFileTest, DefaultsResetTheColumnCaseAndKeepTheRest) {
  Dist_Example1_set();
  Case.Comp_Tc[2] = 513.9;
  Case.Cp_D[3] = 1e-9;
  Case.EOS_Kij[1][2] = 0.01;
  Case.SC_Press = 700;
  Case.Tray_Press[8] = 765;
  Dist_Initial_set();
  // Kept: critical constants, Cp coefficients, k(i, j), stage pressures, shortcut inputs.
  EXPECT_EQ(Case.Comp_Tc[2], 513.9);
  EXPECT_EQ(Case.Cp_D[3], 1e-9);
  EXPECT_EQ(Case.EOS_Kij[1][2], 0.01);
  EXPECT_EQ(Case.Tray_Press[8], 765);
  EXPECT_EQ(Case.Tray_Press[1], 760);
  EXPECT_EQ(Case.SC_Press, 700);
  EXPECT_EQ(Case.SC_LK, 0);
  EXPECT_EQ(Case.SC_HK_Spec[1], 0);
  // Reset: the example's data and settings give way to the defaults.
  EXPECT_EQ(Case.NC, 0);
  EXPECT_EQ(Case.Antoine_B[1], 0);
  EXPECT_EQ(Case.HL_A[4], 0);
  EXPECT_EQ(Case.Wilson_Lambda[1][3], 1.0);
  EXPECT_EQ(Case.Feed_Flow[1], 0);
  EXPECT_EQ(Case.Feed_Z[3][1], 0);
  EXPECT_EQ(Case.Max_Iter[1], 20);
  EXPECT_EQ(Case.Max_Iter[2], 30);
  EXPECT_EQ(Case.Conv_Crit[1], 5e-5);
  EXPECT_EQ(Case.Conv_Crit[2], 5e-6);
  EXPECT_EQ(Case.P_Unit, 2);
  EXPECT_EQ(Case.Reflux_Ratio, 2.0);
  EXPECT_EQ(Case.Top_Liq_Prod, 0);
  EXPECT_EQ(Case.P_Bottom, 780);
  EXPECT_EQ(Case.K_Method, 1);
  EXPECT_EQ(Case.H_Method, 0);
}

TEST_F(DistCaseFileTest, BottomsFlowOfZeroOrLessIsReported) {
  Dist_Example1_set();
  EXPECT_EQ(Case.Bottom_Flow, 297);
  Case.Top_Liq_Prod = 380;
  Bottom_Flow_Calc();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Bottom流量[  0 ]が負です。");
}

// Files the program wrote, each damaged in one place, kept as test data.
TEST_F(DistCaseFileTest, KeptDamagedFilesAreRefused) {
  Case.Language = 1;
  const struct {
    const char* file;
    const char* says;
  } kept[] = {
      {"feed_minus_400C.dat", "line 60: Feed_T (1) = -400 is at or below absolute zero"},
      {"result_negative_fraction.dat", "the results are damaged: line 66: Tray_X (1, 3) = -0.25 is outside 0..1"},
  };
  for (const auto& k : kept) {
    SCOPED_TRACE(k.file);
    Dist_Initial_set();
    Case.Data_File = std::string(VZ_SOURCE_DIR "/tests/continuous/data/") + k.file;
    EXPECT_FALSE(Read_Dist_Data());
    ASSERT_FALSE(Messages().empty());
    EXPECT_NE(Messages().back().find(k.says), std::string::npos) << Messages().back();
    EXPECT_EQ(Case.NC, 0);
  }
}

}  // namespace
