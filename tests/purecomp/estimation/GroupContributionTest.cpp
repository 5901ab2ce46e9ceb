#include <gtest/gtest.h>

#include <cmath>

#include "core/model/CaseData.h"
#include "purecomp/estimation/GroupContribution.h"
#include "purecomp/estimation/PhysData.h"

using namespace physprop;

namespace {

// Count texts for rows 1..n of a table, every row "0" but the ones given.
std::vector<std::string> Counts(GroupMethod m, const std::vector<std::pair<int, const char*>>& set) {
  std::vector<std::string> t(static_cast<std::size_t>(Group_Table(m).Rows() + 1), "0");
  for (auto [row, text] : set) t[static_cast<std::size_t>(row)] = text;
  return t;
}

void Component(double M, double TbK, int atoms = 0) {
  Reset_Phys_Data();
  Phys.Phys_Mol_Wt = M;
  Phys.Phys_Tb_K = TbK;
  Phys.Phys_Tb_C = TbK - 273.15;
  Phys.Phys_Total_Atom = atoms;
}

constexpr double kHexaneM = 86.17536, kHexaneTb = 341.88;  // measured Tc 507.6 K, Pc 30.25 bar, Vc 368

}  // namespace

// Values from tools/physprop/reference_values.py.

TEST(GroupContribution, CriticalConstantsOfHexane) {
  struct Row {
    GroupMethod m;
    std::vector<std::string> counts;
    double Tc, Pc, Vc;
  };
  const Row cases[] = {
      {GroupMethod::Lydersen, Counts(GroupMethod::Lydersen, {{1, "6"}}), 508.2961641391615, 29.748426196594583, 370.0},
      {GroupMethod::Ambrose, Counts(GroupMethod::Ambrose, {{1, "6"}}), 507.03942028985506, 29.602411326608163, 370.6},
      {GroupMethod::Joback, Counts(GroupMethod::Joback, {{2, "2"}, {3, "4"}}), 507.6979169475826, 30.664685167454405,
       371.5},
  };
  for (const Row& c : cases) {
    Component(kHexaneM, kHexaneTb, 20);
    ASSERT_EQ(Critical_Estimate(c.m, c.counts).status, GroupStatus::Estimated);
    EXPECT_NEAR(Phys.Phys_Tc, c.Tc, 1e-9);
    EXPECT_NEAR(Phys.Phys_Pc, c.Pc, 1e-9);
    EXPECT_NEAR(Phys.Phys_Vc, c.Vc, 1e-9);
    // Within 1 % of the measured constants (Pc 30.25 bar = 29.854 atm).
    EXPECT_NEAR(Phys.Phys_Tc, 507.6, 5.076);
    EXPECT_NEAR(Phys.Phys_Pc, 29.854, 0.03 * 29.854);
  }
}

TEST(GroupContribution, KlincewiczReidPressureOfAcetoneIsNearMeasured) {
  // Two -CH3 and one >CO; measured 508.1 K, 47 bar (46.39 atm), 209 cm3/mol.
  Component(58.07914, 329.22);
  ASSERT_EQ(Critical_Estimate(GroupMethod::Klincewicz, Counts(GroupMethod::Klincewicz, {{1, "2"}, {18, "1"}})).status,
            GroupStatus::Estimated);
  EXPECT_NEAR(Phys.Phys_Tc, 510.43606220000004, 1e-9);
  EXPECT_NEAR(Phys.Phys_Pc, 45.0923187542533, 1e-9);
  EXPECT_NEAR(Phys.Phys_Vc, 213.52159199999997, 1e-9);
  EXPECT_NEAR(Phys.Phys_Pc, 46.39, 0.05 * 46.39);
}

// A structure without groups is no molecule: Lydersen would give Tc 655 K and Pc 867 atm from
// M and Tb alone, Fedors 541 K, Rihani-Doraiswamy Cp0 = 0. Nothing is stored.
TEST(GroupContribution, StructureWithoutGroupsIsRefused) {
  for (GroupMethod m : {GroupMethod::Lydersen, GroupMethod::Ambrose, GroupMethod::Joback, GroupMethod::Klincewicz}) {
    Component(100, 373.15, 23);
    Phys.Phys_Tb_C = 100;
    Phys.Phys_Tc = 1;
    Phys.Phys_Pc = 2;
    // A count in a Joback heading row is no group either.
    const GroupEstimate r = Critical_Estimate(m, Counts(m, m == GroupMethod::Joback ? std::vector<std::pair<int, const char*>>{{1, "3"}}
                                                                                  : std::vector<std::pair<int, const char*>>{}));
    EXPECT_EQ(r.status, GroupStatus::NoGroups);
    EXPECT_EQ(Phys.Phys_Tc, 1);
    EXPECT_EQ(Phys.Phys_Pc, 2);
    EXPECT_NE(Group_Estimate_Message(r).find("構造要素が入力されていません"), std::string::npos);
  }
  Component(0, 0, 23);
  EXPECT_EQ(Fedors_Estimate(Counts(GroupMethod::Fedors, {})).status, GroupStatus::NoGroups);
  EXPECT_EQ(Phys.Phys_Tb_Blank, 0);
  Phys.Phys_Cp0[1] = 7;
  EXPECT_EQ(Cp0_Estimate(Counts(GroupMethod::RihaniDoraiswamy, {{1, "2"}})).status, GroupStatus::NoGroups);
  EXPECT_EQ(Phys.Phys_Cp0[1], 7);
}

// Sums that overturn a relation give no critical point; the message names the property.
TEST(GroupContribution, ResultsOutsidePhysicalRangesAreRefused) {
  struct Bad {
    GroupMethod m;
    std::vector<std::pair<int, const char*>> counts;
    const char* property;
  };
  const Bad bad[] = {
      // Klincewicz-Reid: 30 -OH take Tc far below the boiling point.
      {GroupMethod::Klincewicz, {{1, "1"}, {15, "30"}}, "Tc"},
      // Joback: 30 alcohol -OH turn Tc's denominator negative.
      {GroupMethod::Joback, {{24, "30"}}, "Tc"},
      // Ambrose: six >C< corrections on one carbon atom give a negative Vc (40 + 55.1 - 6 x 17).
      {GroupMethod::Ambrose, {{1, "1"}, {3, "6"}}, "Vc"},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.property);
    Component(100, 373.15, 10);
    Phys.Phys_Tc = 1;
    const GroupEstimate r = Critical_Estimate(b.m, Counts(b.m, b.counts));
    EXPECT_EQ(r.status, GroupStatus::OutOfRange);
    EXPECT_EQ(r.badProperty, b.property);
    EXPECT_EQ(Phys.Phys_Tc, 1) << "nothing stored";
    const std::string m = Group_Estimate_Message(r);
    EXPECT_NE(m.find(std::string("推算した") + b.property), std::string::npos) << m;
  }
  Case.Language = 1;
  Component(100, 373.15, 10);
  const GroupEstimate r = Critical_Estimate(GroupMethod::Ambrose, Counts(GroupMethod::Ambrose, {{1, "1"}, {3, "6"}}));
  EXPECT_NE(Group_Estimate_Message(r).find("estimated Vc is outside its physical range"), std::string::npos);
  Case.Language = 0;
  // A heat capacity that is not positive over 298.15..1500 K: three 6-rings (-13.39 each) and nothing else.
  Reset_Phys_Data();
  const GroupEstimate cp = Cp0_Estimate(Counts(GroupMethod::RihaniDoraiswamy, {{27, "3"}}));
  EXPECT_EQ(cp.status, GroupStatus::OutOfRange);
  EXPECT_EQ(cp.badProperty, "Cp0");
  EXPECT_EQ(Phys.Phys_Cp0[1], 0);
}

TEST(GroupContribution, CountTextsAndHeadings) {
  Component(kHexaneM, kHexaneTb);
  // 2.5 counts 2, 3.5 counts 4, an empty count 0, the heading row nothing.
  Critical_Estimate(GroupMethod::Joback,
                    Counts(GroupMethod::Joback, {{1, "7"}, {2, "2.5"}, {3, "3.5"}, {4, ""}, {5, " "}}));
  EXPECT_EQ(Phys.Phys_Cnt_Joback[1], 7);
  EXPECT_EQ(Phys.Phys_Cnt_Joback[2], 2);
  EXPECT_EQ(Phys.Phys_Cnt_Joback[3], 4);
  EXPECT_EQ(Phys.Phys_Cnt_Joback[4], 0);
  EXPECT_NEAR(Phys.Phys_Vc, 17.5 + 2 * 65 + 4 * 56, 1e-9);
  // Estimating twice gives the same values.
  const auto counts = Counts(GroupMethod::Lydersen, {{1, "7"}, {3, "1"}});
  Critical_Estimate(GroupMethod::Lydersen, counts);
  const double Tc = Phys.Phys_Tc;
  Critical_Estimate(GroupMethod::Lydersen, counts);
  EXPECT_EQ(Phys.Phys_Tc, Tc);
  EXPECT_NEAR(Phys.Phys_Vc, 40 + 7 * 55.0 + 51.0, 1e-9);
  // A molecule holds no fewer than no groups: a negative count is refused, naming the group
  // (it gave Vc -125 cm3/mol), and nothing is kept.
  Phys.Phys_Vc = 3;
  const GroupEstimate r = Critical_Estimate(GroupMethod::Lydersen, Counts(GroupMethod::Lydersen, {{1, "2"}, {3, "-4"}}));
  EXPECT_EQ(r.status, GroupStatus::BadCount);
  EXPECT_EQ(Phys.Phys_Vc, 3);
  EXPECT_EQ(Phys.Phys_Cnt_Lydersen[3], 1);
  EXPECT_NE(Group_Estimate_Message(r).find(">CH-"), std::string::npos);
}

TEST(GroupContribution, BoilingPointFromFedorsTcGoesBackToTheSameTc) {
  const GroupMethod methods[] = {GroupMethod::Lydersen, GroupMethod::Ambrose, GroupMethod::Joback,
                                 GroupMethod::Klincewicz};
  for (GroupMethod m : methods) {
    Component(kHexaneM, 273.15);
    Phys.Phys_Tb_Blank = 1;
    Phys.Phys_Tc = 510.0;
    const auto counts = m == GroupMethod::Joback ? Counts(m, {{2, "2"}, {3, "3"}}) : Counts(m, {{1, "5"}, {3, "1"}});
    ASSERT_EQ(Critical_Estimate(m, counts).status, GroupStatus::Estimated);
    EXPECT_EQ(Phys.Phys_Tc, 510.0);
    EXPECT_NEAR(Phys.Phys_Tb_C, Phys.Phys_Tb_K - 273.15, 1e-12);
    Phys.Phys_Tb_Blank = 0;
    Phys.Phys_Tb_C = Phys.Phys_Tb_K - 273.15;
    Critical_Estimate(m, counts);
    EXPECT_NEAR(Phys.Phys_Tc, 510.0, 1e-9);
  }
}

TEST(GroupContribution, FedorsBothRelations) {
  // Atom count 0: 535 log10(S1) with two -CH3 (1.79) and one -CO-OH (10.72).
  Component(0, 0, 0);
  ASSERT_EQ(Fedors_Estimate(Counts(GroupMethod::Fedors, {{1, "2"}, {12, "1"}})).status, GroupStatus::Estimated);
  EXPECT_NEAR(Phys.Phys_Tc, 618.1047800438081, 1e-9);
  EXPECT_EQ(Phys.Phys_Tb_Blank, 1);
  // With the atom count, S2 over column 4 (-CH3 0.0, -CO-OH 20.0): 535 (log10(13 + 20) - 0.35).
  Component(0, 0, 13);
  Fedors_Estimate(Counts(GroupMethod::Fedors, {{1, "2"}, {12, "1"}}));
  EXPECT_NEAR(Phys.Phys_Tc, 625.1549578346697, 1e-9);
  // The second relation gives the first when the atom count is that of the groups.
  EXPECT_NEAR(625.1549578346697, 618.1047800438081, 0.02 * 618.1);
}

TEST(GroupContribution, GroupsWithoutPublishedValueRefuseTheEstimate) {
  Component(kHexaneM, kHexaneTb);
  Phys.Phys_Tc = 1;
  Phys.Phys_Pc = 2;
  // Fedors -CH2- has no value: counting it must not count it as 0.
  GroupEstimate r = Fedors_Estimate(Counts(GroupMethod::Fedors, {{1, "2"}, {2, "4"}}));
  EXPECT_EQ(r.status, GroupStatus::MissingContribution);
  ASSERT_EQ(r.missingGroups.size(), 1u);
  EXPECT_EQ(r.missingGroups[0], "-CH2-");
  EXPECT_EQ(Phys.Phys_Tc, 1);
  EXPECT_EQ(Phys.Phys_Tb_Blank, 0);
  EXPECT_EQ(Phys.Phys_Cnt_Fedors[2], 4);  // the counts are kept all the same
  EXPECT_NE(Group_Estimate_Message(r).find("-CH2-"), std::string::npos);
  // Ambrose aromatic -I has a Pc but no Tc increment: nothing is estimated.
  r = Critical_Estimate(GroupMethod::Ambrose, Counts(GroupMethod::Ambrose, {{35, "1"}, {41, "1"}}));
  EXPECT_EQ(r.status, GroupStatus::MissingContribution);
  EXPECT_EQ(Phys.Phys_Pc, 2);
  // A negative sum under the Fedors logarithm gives no Tc.
  Component(50, 0, 0);
  r = Fedors_Estimate(Counts(GroupMethod::Fedors, {{5, "1"}}));  // log10 of -0.22
  EXPECT_EQ(r.status, GroupStatus::NotFinite);
  EXPECT_EQ(Phys.Phys_Tc, 0);
}

TEST(GroupContribution, RihaniDoraiswamyCoefficients) {
  Reset_Phys_Data();
  Cp0_Estimate(Counts(GroupMethod::RihaniDoraiswamy, {{2, "1"}}));
  EXPECT_NEAR(Phys.Phys_Cp0[1], 0.6087, 1e-12);
  EXPECT_NEAR(Phys.Phys_Cp0[2], 2.1433e-2, 1e-14);
  EXPECT_NEAR(Phys.Phys_Cp0[3], -8.52e-6, 1e-18);
  EXPECT_NEAR(Phys.Phys_Cp0[4], 1.135e-9, 1e-20);
  // Propane: 2 -CH3 + 1 >CH2, heading row 1 counted: 18.40 cal/mol/K at 300 K (TRC 17.66, within 5 %).
  Cp0_Estimate(Counts(GroupMethod::RihaniDoraiswamy, {{1, "3"}, {2, "2"}, {3, "1"}}));
  const double cp = Phys.Phys_Cp0[1] + Phys.Phys_Cp0[2] * 300 + Phys.Phys_Cp0[3] * 9e4 + Phys.Phys_Cp0[4] * 2.7e7;
  EXPECT_NEAR(cp, 18.401381999999998, 1e-9);
  EXPECT_NEAR(cp, 17.66, 0.05 * 17.66);
}

TEST(GroupContribution, TablesHaveTheirRows) {
  EXPECT_EQ(Group_Table(GroupMethod::Lydersen).Rows(), 37);
  EXPECT_EQ(Group_Table(GroupMethod::Ambrose).Rows(), 51);
  EXPECT_EQ(Group_Table(GroupMethod::Joback).Rows(), 46);
  EXPECT_EQ(Group_Table(GroupMethod::Klincewicz).Rows(), 35);
  EXPECT_EQ(Group_Table(GroupMethod::Fedors).Rows(), 49);
  EXPECT_EQ(Group_Table(GroupMethod::RihaniDoraiswamy).Rows(), 53);
  EXPECT_STREQ(Group_Table(GroupMethod::Lydersen).Row(14).name, "-Br ");
  // Cells whose method has no such contribution by design read 0; the alcohol -OH is a relation.
  EXPECT_STREQ(Group_Table(GroupMethod::Ambrose).Row(6).cell[2], "00000");
  EXPECT_STREQ(Group_Table(GroupMethod::Ambrose).Row(43).cell[1], "00000");
  EXPECT_STREQ(Group_Table(GroupMethod::Ambrose).Row(28).cell[0], kCarbonNumberCell);
}

// Ambrose's aliphatic alcohols: the -OH increments depend on the carbon number (they read 0 before:
// ethanol Tc 583.0 K, Pc 74.6 bar). tools/physprop/critical_check.py; measured Tc (K), Pc (bar).
TEST(GroupContribution, AmbroseAlcoholsFollowTheCarbonNumber) {
  struct Alcohol {
    const char* name;
    double M, Tb;
    const char* carbons;
    double Tc, PcAtm, Vc, measuredTc, measuredPcBar;
  };
  const Alcohol alcohols[] = {
      {"methanol", 32.04186, 337.69, "1", 495.26816145590294, 74.38851938080361, 110.1, 512.6, 80.97},
      {"ethanol", 46.06844, 351.44, "2", 512.6510091743119, 60.765164619346635, 165.2, 513.9, 61.4},
      {"1-butanol", 74.1216, 390.81, "4", 562.8214436619718, 43.891021500945655, 275.4, 563.0, 44.23},
      {"1-hexanol", 102.17476, 430.64, "6", 610.9750083752093, 34.20475023485539, 385.6, 611.3, 35.1},
  };
  for (const Alcohol& a : alcohols) {
    SCOPED_TRACE(a.name);
    Component(a.M, a.Tb, 0);
    ASSERT_EQ(Critical_Estimate(GroupMethod::Ambrose, Counts(GroupMethod::Ambrose, {{1, a.carbons}, {28, "1"}})).status,
              GroupStatus::Estimated);
    EXPECT_NEAR(Phys.Phys_Tc, a.Tc, 1e-9);
    EXPECT_NEAR(Phys.Phys_Pc, a.PcAtm, 1e-9);
    EXPECT_NEAR(Phys.Phys_Vc, a.Vc, 1e-9);
    EXPECT_NEAR(Phys.Phys_Tc, a.measuredTc, 0.04 * a.measuredTc);
    EXPECT_NEAR(Phys.Phys_Pc * 1.01325, a.measuredPcBar, 0.09 * a.measuredPcBar);
  }
}

// Cells without a published value refuse what needs them, naming the group.
TEST(GroupContribution, UnpublishedCellsRefuseTheirProperty) {
  // Lydersen >B- has no Pc increment (it read 0): the estimate is refused.
  Component(100, 373.15, 0);
  GroupEstimate r = Critical_Estimate(GroupMethod::Lydersen, Counts(GroupMethod::Lydersen, {{1, "3"}, {37, "1"}}));
  EXPECT_EQ(r.status, GroupStatus::MissingContribution);
  EXPECT_EQ(r.missingGroups, std::vector<std::string>{">B-"});
  // Lydersen >Si< has Tc and Pc but no Vc: Vc alone is held back.
  r = Critical_Estimate(GroupMethod::Lydersen, Counts(GroupMethod::Lydersen, {{1, "4"}, {36, "1"}}));
  ASSERT_EQ(r.status, GroupStatus::Estimated);
  EXPECT_EQ(r.vcMissing, std::vector<std::string>{">Si<"});
  EXPECT_EQ(Phys.Phys_Vc, 0);
  // Ambrose "double bond(ring)" has only its Tc correction.
  r = Critical_Estimate(GroupMethod::Ambrose, Counts(GroupMethod::Ambrose, {{29, "6"}, {51, "1"}}));
  EXPECT_EQ(r.status, GroupStatus::MissingContribution);
  EXPECT_EQ(r.missingGroups, std::vector<std::string>{"double bond(ring)"});
}

// Fourteen compounds through Joback and Ambrose: tools/physprop/critical_check.py
// evaluates the published relations and increments on its own. A group without a
// published Vc increment leaves Vc out (0) and names the group; Tc and Pc stand.
TEST(GroupContribution, JobackAndAmbroseOnFourteenCompounds) {
  constexpr double kNoVc = 0;
  struct Compound {
    const char* name;
    double M, Tb;
    int atoms;
    std::vector<std::pair<int, const char*>> joback;
    double jTc, jPc, jVc;
    std::vector<std::pair<int, const char*>> ambrose;  // empty: not tried
    double aTc, aPc, aVc;
  };
  const Compound compounds[] = {
      {"n-hexane", 86.17536, 341.88, 20, {{2, "2"}, {3, "4"}}, 507.6979169475826, 30.664685167454405, 371.5,
       {{1, "6"}}, 507.03942028985506, 29.602411326608163, 370.6},
      {"2-methylpentane", 86.17536, 333.41, 20, {{2, "3"}, {3, "2"}, {4, "1"}}, 499.2585843059463,
       30.940012048294406, 365.5, {{1, "6"}, {2, "1"}}, 497.89445979279725, 29.813103980946057, 362.6},
      {"cyclohexane", 84.15948, 353.87, 18, {{13, "6"}}, 554.3944853517156, 40.762818227311996, 305.5, {{29, "6"}},
       552.4502469135803, 40.56086082639574, 307.0},
      {"benzene", 78.11184, 353.24, 12, {{16, "6"}}, 561.5386170825503, 47.07022387118128, 263.5, {{35, "1"}},
       562.2577514792899, 48.32741377371207, kNoVc},
      {"toluene", 92.13842, 383.78, 15, {{16, "5"}, {17, "1"}, {2, "1"}}, 593.9445083919849, 40.606088536220305,
       319.5, {{35, "1"}, {1, "1"}, {43, "1"}}, 592.583046789989, 41.01424796231329, kNoVc},
      {"ethylbenzene", 106.165, 409.35, 18, {{16, "5"}, {17, "1"}, {3, "1"}, {2, "1"}}, 618.9026241879484,
       36.031918902383616, 375.5, {{35, "1"}, {1, "2"}, {43, "1"}}, 616.5109311740891, 35.62349314007106, kNoVc},
      {"chlorobenzene", 112.5569, 404.87, 12, {{16, "5"}, {17, "1"}, {20, "1"}}, 629.494009148723,
       43.86325629848947, 312.5, {{35, "1"}, {39, "1"}}, 633.6101129943503, 44.44181335819674, kNoVc},
      {"ethanol", 46.06844, 351.44, 9, {{2, "1"}, {3, "1"}, {24, "1"}}, 519.9731213074773, 56.81363372539973,
       166.5, {{1, "2"}, {28, "1"}}, 512.6510091743119, 60.765164619346635, 165.2},
      {"diethyl ether", 74.1216, 307.58, 15, {{2, "2"}, {3, "2"}, {26, "1"}}, 468.12540537486734,
       37.65214218874814, 277.5, {{1, "4"}, {7, "1"}}, 466.7828985507246, 37.163176761647414, kNoVc},
      {"acetone", 58.07914, 329.22, 10, {{2, "2"}, {28, "1"}}, 511.6079463862472, 47.39698598563441, 209.5,
       {{1, "2"}, {8, "1"}}, 518.6446260069044, 49.78564300634889, kNoVc},
      {"ethyl acetate", 88.10512, 350.26, 14, {{2, "2"}, {3, "1"}, {32, "1"}}, 525.281035701954,
       38.69666656273612, 285.5, {{1, "3"}, {12, "1"}}, 526.6245518630413, 39.32444460138791, kNoVc},
      {"acetonitrile", 41.05192, 354.75, 6, {{2, "1"}, {41, "1"}}, 553.0759511959233, 47.92692720397298, 173.5,
       {{1, "1"}, {17, "1"}}, 551.5054076539101, 47.351462371207504, kNoVc},
      {"pyridine", 79.0999, 388.38, 11, {{16, "5"}, {40, "1"}}, 617.1450091348999, 54.072031886680584, 256.5,
       {{36, "1"}}, 618.190650887574, 55.219899615914265, kNoVc},
      {"N-methylmethanimine", 43.0678, 300.0, 7, {{6, "1"}, {39, "1"}, {2, "1"}}, 475.7919513415819,
       44.275530359180664, kNoVc, {}, 0, 0, 0},
  };
  for (const Compound& c : compounds) {
    SCOPED_TRACE(c.name);
    Component(c.M, c.Tb, c.atoms);
    GroupEstimate r = Critical_Estimate(GroupMethod::Joback, Counts(GroupMethod::Joback, c.joback));
    ASSERT_EQ(r.status, GroupStatus::Estimated);
    EXPECT_NEAR(Phys.Phys_Tc, c.jTc, 1e-9);
    EXPECT_NEAR(Phys.Phys_Pc, c.jPc, 1e-9);
    EXPECT_NEAR(Phys.Phys_Vc, c.jVc, 1e-9);
    EXPECT_EQ(r.vcMissing.empty(), c.jVc != kNoVc);
    if (c.ambrose.empty()) continue;
    Component(c.M, c.Tb, c.atoms);
    r = Critical_Estimate(GroupMethod::Ambrose, Counts(GroupMethod::Ambrose, c.ambrose));
    ASSERT_EQ(r.status, GroupStatus::Estimated);
    EXPECT_NEAR(Phys.Phys_Tc, c.aTc, 1e-9);
    EXPECT_NEAR(Phys.Phys_Pc, c.aPc, 1e-9);
    EXPECT_NEAR(Phys.Phys_Vc, c.aVc, 1e-9);
    EXPECT_EQ(r.vcMissing.empty(), c.aVc != kNoVc);
  }
}

TEST(GroupContribution, VcOrJobackPcHeldBackNamesWhy) {
  // Benzene by Ambrose: the ring's Vc increment is not published; Tc and Pc are estimated.
  Component(78.11184, 353.24, 12);
  GroupEstimate r = Critical_Estimate(GroupMethod::Ambrose, Counts(GroupMethod::Ambrose, {{35, "1"}}));
  ASSERT_EQ(r.status, GroupStatus::Estimated);
  ASSERT_EQ(r.vcMissing, std::vector<std::string>{"Aromatic  Benzene"});
  EXPECT_EQ(Phys.Phys_Vc, 0) << "never 40 from a value read as 0";
  EXPECT_NE(Group_Estimate_Message(r).find("Aromatic  Benzene"), std::string::npos);
  // Joback -N= (nonring): no Vc, named.
  r = Critical_Estimate(GroupMethod::Joback, Counts(GroupMethod::Joback, {{6, "1"}, {39, "1"}, {2, "1"}}));
  EXPECT_EQ(r.vcMissing, std::vector<std::string>{"-N=   (nonring)"});

  // Ethyl acetate by Joback with the atom count left blank: Tc and Vc, no Pc.
  Component(88.10512, 350.26, 0);
  Phys.Phys_Total_Atom_Blank = 1;
  Phys.Phys_Pc = 5;
  const auto ester = Counts(GroupMethod::Joback, {{2, "2"}, {3, "1"}, {32, "1"}});
  r = Critical_Estimate(GroupMethod::Joback, ester);
  ASSERT_EQ(r.status, GroupStatus::Estimated);
  EXPECT_TRUE(r.pcNeedsAtoms);
  EXPECT_EQ(Phys.Phys_Pc, 0) << "not 74.756 from 0 atoms";
  EXPECT_NEAR(Phys.Phys_Tc, 525.281035701954, 1e-9);
  EXPECT_NEAR(Phys.Phys_Vc, 285.5, 1e-9);
  EXPECT_NE(Group_Estimate_Message(r).find("原子数"), std::string::npos);
  // The other methods do not need it.
  r = Critical_Estimate(GroupMethod::Lydersen, Counts(GroupMethod::Lydersen, {{1, "3"}, {23, "1"}}));
  EXPECT_FALSE(r.pcNeedsAtoms);
  EXPECT_GT(Phys.Phys_Pc, 0);
}

TEST(GroupContribution, CountTextThatIsNoWholeNumberChangesNothing) {
  struct Bad {
    const char* text;
    const char* says;
  };
  const Bad bad[] = {{"abc", "数値ではありません"},
                     {"12abc", "数値ではありません"},
                     {"1e999", "数値の範囲を超えています"},
                     {"4294967297", "0 から 999"},
                     {"-1", "0 から 999"},
                     {"3e9", "0 から 999"}};
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.text);
    Component(kHexaneM, kHexaneTb, 20);
    Phys.Phys_Cnt_Lydersen[1] = 5;
    Phys.Phys_Tc = 1;
    const GroupEstimate r =
        Critical_Estimate(GroupMethod::Lydersen, Counts(GroupMethod::Lydersen, {{1, "6"}, {3, b.text}}));
    EXPECT_EQ(r.status, GroupStatus::BadCount);
    EXPECT_EQ(Phys.Phys_Cnt_Lydersen[1], 5) << "no count is kept from a refused grid";
    EXPECT_EQ(Phys.Phys_Tc, 1);
    const std::string m = Group_Estimate_Message(r);
    EXPECT_NE(m.find(">CH-"), std::string::npos) << "the message names the group";
    EXPECT_NE(m.find(b.says), std::string::npos) << m;
  }
  // The same refusal in the other dialogs, and in English.
  Case.Language = 1;
  EXPECT_EQ(Fedors_Estimate(Counts(GroupMethod::Fedors, {{1, "x"}})).status, GroupStatus::BadCount);
  const GroupEstimate r = Cp0_Estimate(Counts(GroupMethod::RihaniDoraiswamy, {{19, "1e999"}}));
  EXPECT_EQ(r.status, GroupStatus::BadCount);
  EXPECT_NE(Group_Estimate_Message(r).find("HCA"), std::string::npos);
  EXPECT_EQ(Group_Row_Name(GroupMethod::Ambrose, 1), "C atoms (alkyl)");
  Case.Language = 0;
  EXPECT_EQ(Group_Row_Name(GroupMethod::Ambrose, 1), "炭素原子数(alkyl)");
}
