#include <gtest/gtest.h>

#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "PhysTestSupport.h"

using namespace physprop;
using namespace phystest;

TEST(PhysEstimation, ReadInputs) {
  Reset_Phys_Data();
  Phys.Phys_Tb_Blank = 1;
  EXPECT_EQ(Estimation_Read_Inputs("Benzene", " 78.11 ", "", "12.5"), "");
  EXPECT_EQ(Phys.Phys_Tb_Blank, 0);
  EXPECT_EQ(Phys.Phys_Comp_Name, "Benzene");
  EXPECT_EQ(Phys.Phys_Mol_Wt, 78.11);
  EXPECT_EQ(Phys.Phys_Tb_C, 0);
  EXPECT_EQ(Phys.Phys_Tb_K, 273.15);
  EXPECT_EQ(Phys.Phys_Total_Atom, 12) << "halves to even";
  EXPECT_EQ(Phys.Phys_Total_Atom_Blank, 0);
  EXPECT_EQ(Estimation_Read_Inputs("Benzene", "78.11", "80.09", ""), "");
  EXPECT_EQ(Phys.Phys_Total_Atom_Blank, 1) << "a blank count is not 0 atoms";
  EXPECT_EQ(Phys.Phys_Tb_K, 80.09 + 273.15);
}

// Every box must hold wholly a number; the refusal names the box and nothing changes.
TEST(PhysEstimation, BoxesThatAreNotWhollyANumberAreRefused) {
  struct Bad {
    const char *molWt, *tb, *atoms, *says;
  };
  const Bad bad[] = {
      {"abc", "80", "12", "「分子量」の「abc」は数値ではありません。"},
      {"12abc", "80", "12", "「分子量」の「12abc」は数値ではありません。"},
      {"", "80", "12", "「分子量」に数値を入力してください。"},
      {"1e999", "80", "12", "「分子量」の「1e999」は数値の範囲を超えています。"},
      {"0", "80", "12", "「分子量」には0より大きい値を入力してください。"},
      {"78", "8O", "12", "「標準沸点(ﾟC)」の「8O」は数値ではありません。"},
      {"78", "-300", "12", "「標準沸点(ﾟC)」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。"},
      {"78", "1e308", "12", "「標準沸点(ﾟC)」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。"},
      {"78", "80", "4294967297", "「Total原子数」には 0 から 10000 までの整数を入力してください。"},
      {"78", "80", "3e9", "「Total原子数」には 0 から 10000 までの整数を入力してください。"},
      {"78", "80", "-1", "「Total原子数」には 0 から 10000 までの整数を入力してください。"},
      {"78", "80", "12abc", "「Total原子数」の「12abc」は数値ではありません。"},
  };
  for (const Bad& b : bad) {
    Reset_Phys_Data();
    Phys.Phys_Mol_Wt = 50;
    Phys.Phys_Total_Atom = 7;
    Phys.Phys_Tb_Blank = 1;
    EXPECT_EQ(Estimation_Read_Inputs("X", b.molWt, b.tb, b.atoms), b.says);
    EXPECT_EQ(Phys.Phys_Mol_Wt, 50);
    EXPECT_EQ(Phys.Phys_Total_Atom, 7);
    EXPECT_EQ(Phys.Phys_Tb_Blank, 1);
  }
  double lo = 1, hi = 2;
  EXPECT_EQ(Estimation_Read_Range("0", "abc", lo, hi), "「推算温度範囲（上限）」の「abc」は数値ではありません。");
  EXPECT_EQ(Estimation_Read_Range("", "100", lo, hi), "「推算温度範囲（下限）」に数値を入力してください。");
  EXPECT_EQ(Estimation_Read_Range("1e999", "100", lo, hi), "「推算温度範囲（下限）」の「1e999」は数値の範囲を超えています。");
  // An end outside the suite's range, above or below, is refused naming its box,
  // and nothing is read (the window rewrites no box).
  EXPECT_EQ(Estimation_Read_Range("-300", "200", lo, hi),
            "「推算温度範囲（下限）」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。");
  EXPECT_EQ(Estimation_Read_Range("5", "-888", lo, hi),
            "「推算温度範囲（上限）」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。");
  EXPECT_EQ(Estimation_Read_Range("-273.15", "0", lo, hi),
            "「推算温度範囲（下限）」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。");
  EXPECT_EQ(Estimation_Read_Reference("-300", "0.66", lo, hi),
            "「Tref」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。");
  EXPECT_EQ(Estimation_Read_Range("0", "1e308", lo, hi),
            "「推算温度範囲（上限）」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。");
  EXPECT_EQ(Estimation_Read_Range("20000", "100", lo, hi),
            "「推算温度範囲（下限）」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。");
  EXPECT_EQ(Estimation_Read_Reference("20000", "0.66", lo, hi),
            "「Tref」には -273.15 ℃（絶対零度）より高く 10000 ℃ 以下の温度を入力してください。");
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 2);
  EXPECT_EQ(Estimation_Read_Range("-10", " 200 ", lo, hi), "");
  EXPECT_EQ(lo, -10);
  EXPECT_EQ(hi, 200);
  double t = 0, d = 0;
  EXPECT_EQ(Estimation_Read_Reference("20", "0.66g", t, d), "「ρref」の「0.66g」は数値ではありません。");
  EXPECT_EQ(Estimation_Read_Reference("20", "-0.5", t, d), "「ρref」には0より大きい値を入力してください。");
  EXPECT_EQ(Estimation_Read_Reference("20", "0.66", t, d), "");
  EXPECT_EQ(d, 0.66);
  Case.Language = 1;
  EXPECT_EQ(Estimation_Read_Range("0", "abc", lo, hi), "Temperature range (high): \"abc\" is not a number.");
  EXPECT_EQ(Range_Above_Tc_Message(), "The range goes above the critical temperature Tc.");
  EXPECT_EQ(Estimation_Read_Range("-300", "200", lo, hi),
            "Temperature range (low): enter a temperature above -273.15 °C (absolute zero) and at most 10000 °C.");
  Case.Language = 0;
}

TEST(PhysEstimation, AcentricFactor) {
  // Values from tools/physprop/reference_values.py; benzene omega 0.209 (ChemSep).
  Benzene();
  ASSERT_EQ(Acentric_Factor(kEdmister), PhysStatus::Ok);
  EXPECT_NEAR(Phys.Phys_Omega, 0.22093681791752506, 1e-12);
  ASSERT_EQ(Acentric_Factor(kLeeKeslerOmega), PhysStatus::Ok);
  EXPECT_NEAR(Phys.Phys_Omega, 0.20829060260725132, 1e-12);
  EXPECT_NEAR(Phys.Phys_Omega, 0.209, 0.002);

  CalcMessageRecorder rec;
  Phys.Phys_Tc = 0;
  EXPECT_EQ(Acentric_Factor(kEdmister), PhysStatus::Ok);
  EXPECT_EQ(Phys.Phys_Omega, 0);
  ASSERT_EQ(rec.Messages().size(), 1u);
  EXPECT_EQ(rec.Messages()[0], "Tcが 0のため偏心因子ωが推算できません。");
  // Tb = Tc or Pc = 0 give no acentric factor.
  Benzene();
  Phys.Phys_Tb_K = Phys.Phys_Tc;
  EXPECT_EQ(Acentric_Factor(kEdmister), PhysStatus::NotFinite);
  Benzene();
  Phys.Phys_Pc = 0;
  EXPECT_EQ(Acentric_Factor(kLeeKeslerOmega), PhysStatus::NotFinite);
}

TEST(PhysEstimation, RangeIsCutToTc) {
  Reset_Phys_Data();
  Phys.Phys_Tc = 500;
  CalcMessageRecorder rec;
  // High exactly at Tc passes.
  RangeCut cut = Estimation_Range(-223.15, 500 - 273.15);
  EXPECT_FALSE(cut.highCut);
  EXPECT_TRUE(rec.Messages().empty());
  EXPECT_EQ(Phys.Phys_Temp_C[1], -223.15);
  EXPECT_NEAR(Phys.Phys_Temp_C[51], 226.85, 1e-9);
  EXPECT_NEAR(Phys.Phys_Temp_K[26], 275.0, 1e-9);

  cut = Estimation_Range(-100, 300);
  EXPECT_TRUE(cut.highCut);
  ASSERT_EQ(rec.Messages().size(), 1u);
  EXPECT_EQ(rec.Messages()[0], "臨界温度Tcを越えています。");
  EXPECT_NEAR(Phys.Phys_Temp_High, 226.85, 1e-12);
  EXPECT_EQ(Phys.Phys_Temp_Low, -100);

  // A low above the high gives a falling sequence.
  Estimation_Range(100, 0);
  EXPECT_EQ(Phys.Phys_Temp_C[1], 100);
  EXPECT_EQ(Phys.Phys_Temp_C[51], 0);
}

// An acentric factor outside -1..3 is no estimate (999 alkyl carbons gave -111.6 with status Ok).
TEST(PhysEstimation, AcentricFactorOutsideItsRangeIsRefused) {
  Reset_Phys_Data();
  Phys.Phys_Omega = 0.25;
  Phys.Phys_Tb_K = 373.15;
  Phys.Phys_Tc = 373.6;   // Tb/Tc near 1: Edmister's omega runs far above 3
  Phys.Phys_Pc = 50;
  double rejected = 0;
  EXPECT_EQ(Acentric_Factor(kEdmister, &rejected), PhysStatus::OutOfRange);
  EXPECT_GT(rejected, kMaxOmega);
  EXPECT_EQ(Phys.Phys_Omega, 0.25);
  Phys.Phys_Pc = 1e-40;  // Pc far below 1 atm: far below -1
  EXPECT_EQ(Acentric_Factor(kEdmister, &rejected), PhysStatus::OutOfRange);
  EXPECT_LT(rejected, kMinOmega);
  EXPECT_EQ(Acentric_Factor(kLeeKeslerOmega), PhysStatus::OutOfRange);
  EXPECT_NE(Omega_Out_Of_Range_Message(-111.6).find("-111.600000"), std::string::npos);
  // Benzene-like constants stay well inside.
  Phys.Phys_Tb_K = 353.24;
  Phys.Phys_Tc = 562.0;
  Phys.Phys_Pc = 48.3;
  EXPECT_EQ(Acentric_Factor(kEdmister), PhysStatus::Ok);
  EXPECT_NEAR(Phys.Phys_Omega, 0.21, 0.02);
}

// The dialogs offer each component its own counts: benzene's six aromatic CH were offered for acetone.
TEST(PhysEstimation, EachComponentStartsFromItsOwnCounts) {
  Reset_Phys_Data();
  ASSERT_EQ(Estimation_Read_Inputs("benzene", "78.11", "80.1", "12"), "");
  Phys.Phys_Cnt_CpIdeal[19] = 6;
  Phys.Phys_Cnt_Joback[16] = 6;
  ASSERT_EQ(Estimation_Read_Inputs("benzene ", "78.11", "80.1", "12"), "");  // the same component
  EXPECT_EQ(Phys.Phys_Cnt_CpIdeal[19], 6);
  ASSERT_EQ(Estimation_Read_Inputs("acetone", "58.08", "56.1", "10"), "");
  EXPECT_EQ(Phys.Phys_Cnt_CpIdeal[19], 0);
  EXPECT_EQ(Phys.Phys_Cnt_Joback[16], 0);
  Phys.Phys_Cnt_CpIdeal[2] = 2;
  // A refused input changes nothing, counts included.
  EXPECT_NE(Estimation_Read_Inputs("benzene", "abc", "80.1", "12"), "");
  EXPECT_EQ(Phys.Phys_Cnt_CpIdeal[2], 2);
  ASSERT_EQ(Estimation_Read_Inputs("benzene", "78.11", "80.1", "12"), "");
  EXPECT_EQ(Phys.Phys_Cnt_CpIdeal[19], 6);
  EXPECT_EQ(Phys.Phys_Cnt_CpIdeal[2], 0);
  ASSERT_EQ(Estimation_Read_Inputs("acetone", "58.08", "56.1", "10"), "");
  EXPECT_EQ(Phys.Phys_Cnt_CpIdeal[2], 2);
  EXPECT_EQ(Phys.Phys_Cnt_CpIdeal[19], 0);
  // The window's load forgets them all.
  Clear_Group_Counts();
  ASSERT_EQ(Estimation_Read_Inputs("benzene", "78.11", "80.1", "12"), "");
  EXPECT_EQ(Phys.Phys_Cnt_CpIdeal[19], 0);
}
