// The lookups' copies into the case: all values or none, positions among the
// case's own components, swaps of reversed pairs.
#include <gtest/gtest.h>

#include "DbFixture.h"
#include "core/model/CaseData.h"
#include "database/DbLookup.h"

namespace vzdb::test {
namespace {

class DbLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Case_Data();
    scratch_.Fill();
    Case.NC = 3;
    Case.Comp_Name[1] = "Methanol";
    Case.Comp_Name[2] = "Water";
    Case.Comp_Name[3] = "Ethanol";
  }
  void TearDown() override { Reset_Case_Data(); }
  ScratchDb scratch_;
};

TEST_F(DbLookupTest, AntoineCopiesAllThreeOrNothing) {
  PropertyDb db(scratch_.Path());
  const auto row = db.Fetch(T("AntoineConstant"), "Methanol", 1);
  ASSERT_TRUE(row);
  const auto set = Antoine_From_Record(*row);
  ASSERT_TRUE(set);
  EXPECT_EQ(set->formula, "CH4O");
  ASSERT_TRUE(Store_Antoine(2, *set));
  EXPECT_DOUBLE_EQ(Case.Antoine_A[2], 8.0176);
  EXPECT_DOUBLE_EQ(Case.Antoine_B[2], 1544.05);
  EXPECT_DOUBLE_EQ(Case.Antoine_C[2], 235.99);
  EXPECT_FALSE(Store_Antoine(21, *set));
  EXPECT_FALSE(Store_Antoine(0, *set));

  // Water's set lacks Bn: no constant is taken, A stays as it was.
  Case.Antoine_A[3] = 99;
  const auto water = db.Fetch(T("AntoineConstant"), "Water", 0);
  ASSERT_TRUE(water);
  EXPECT_FALSE(Antoine_From_Record(*water));
  EXPECT_EQ(Case.Antoine_A[3], 99);
}

TEST_F(DbLookupTest, ComponentKeepsMissingValuesMissing) {
  PropertyDb db(scratch_.Path());
  const auto water = db.Fetch(T("CriticalConstant"), "water", 0);
  ASSERT_TRUE(water);
  const ComponentSet c = Component_From_Record(*water);
  EXPECT_EQ(c.mw_text, "18.015");
  EXPECT_FALSE(c.tc_K);
  EXPECT_EQ(c.pc_bar, 220.64);
  EXPECT_FALSE(c.omega);
}

TEST_F(DbLookupTest, ReversedPairLandsSwappedInTheMatrix) {
  PropertyDb db(scratch_.Path());
  // Stored as (Ethanol, Methanol); the case has Methanol 1, Ethanol 3.
  const auto rows = db.Pair_Search(T("Wilson Parameter"), "Methanol", "Ethanol");
  ASSERT_EQ(rows.size(), 1u);
  const auto set = Pair_From_Record(LookupKind::Wilson, rows.front(), Case.NC);
  ASSERT_TRUE(set);
  EXPECT_EQ(set->at.a, 3);
  EXPECT_EQ(set->at.b, 1);
  Store_Pair_Matrix(LookupKind::Wilson, *set);
  EXPECT_DOUBLE_EQ(Case.Wilson_Lambda[3][1], 0.56);  // Lambda(Ethanol, Methanol) = Lambda12
  EXPECT_DOUBLE_EQ(Case.Wilson_Lambda[1][3], 1.58);
}

TEST_F(DbLookupTest, VleEstimationSwapsWhenName1IsTheSecondComponent) {
  PropertyDb db(scratch_.Path());
  const auto nrtl = db.Pair_Search_Alpha("Methanol", "Water", 0.3);  // stored (Water, Methanol)
  ASSERT_EQ(nrtl.size(), 1u);
  auto set = Pair_From_Record(LookupKind::NRTL, nrtl.front(), 2);
  ASSERT_TRUE(set);
  Store_Pair_VLE(LookupKind::NRTL, *set);
  EXPECT_DOUBLE_EQ(Case.NRTL_Tau12, -0.27);
  EXPECT_DOUBLE_EQ(Case.NRTL_Tau21, 1.12);
  const auto wilson = db.Pair_Search(T("Wilson Parameter"), "Methanol", "Water");
  set = Pair_From_Record(LookupKind::Wilson, wilson.front(), 2);
  ASSERT_TRUE(set);
  Store_Pair_VLE(LookupKind::Wilson, *set);
  EXPECT_DOUBLE_EQ(Case.Wilson_L12, 0.43045);
  EXPECT_DOUBLE_EQ(Case.Wilson_L21, 0.94934);
  EXPECT_EQ(Case.Wilson_Lambda[1][2], 0);  // the matrix is not touched
}

TEST_F(DbLookupTest, KijGoesToBothElements) {
  PropertyDb db(scratch_.Path());
  const auto rows = db.Pair_Search(T("Kij Parameter"), "Methanol", "Ethanol");
  ASSERT_EQ(rows.size(), 1u);
  const auto set = Pair_From_Record(LookupKind::Kij, rows.front(), Case.NC);
  ASSERT_TRUE(set);
  Store_Pair_Matrix(LookupKind::Kij, *set);
  EXPECT_DOUBLE_EQ(Case.EOS_Kij[1][3], 0.012);
  EXPECT_DOUBLE_EQ(Case.EOS_Kij[3][1], 0.012);
}

TEST_F(DbLookupTest, PairNamesCountOnlyAmongTheComponentsInUse) {
  // A name left in a row beyond NC is no component of this case.
  Case.Comp_Name[5] = "Propanol";
  EXPECT_FALSE(Pair_Positions("Methanol", "Propanol", Case.NC));
  ASSERT_TRUE(Pair_Positions("Methanol", "Propanol", 5));
  EXPECT_EQ(Pair_Positions("Methanol", "Propanol", 5)->b, 5);
  // Letter case counts: the search finds the pair, the copy refuses it.
  EXPECT_FALSE(Pair_Positions("methanol", "Water", Case.NC));
  // A count beyond the arrays is held to 20.
  EXPECT_TRUE(Pair_Positions("Methanol", "Water", 500));
  // The matrices take the case's NC; the VLE estimation always its two
  // components, whatever NC the last program left.
  Case.NC = 0;
  EXPECT_EQ(Pair_Component_Count(false), 0);
  EXPECT_EQ(Pair_Component_Count(true), 2);
  EXPECT_FALSE(Pair_Positions("Methanol", "Ethanol", Pair_Component_Count(true)));
}

TEST_F(DbLookupTest, MatrixCellGivesThePairSmallerFirst) {
  EXPECT_EQ(Matrix_Pair(3, 1)->a, 1);
  EXPECT_EQ(Matrix_Pair(3, 1)->b, 3);
  EXPECT_EQ(Matrix_Pair(1, 3)->a, 1);
  EXPECT_EQ(Matrix_Pair(1, 3)->b, 3);
  EXPECT_FALSE(Matrix_Pair(0, 2));
  EXPECT_FALSE(Matrix_Pair(2, 21));
}

TEST_F(DbLookupTest, EnthalpyTablesByListIndex) {
  PropertyDb db(scratch_.Path());
  EXPECT_EQ(Enthalpy_Table(1)->name, "EnthalpyCoefficent");
  EXPECT_EQ(Enthalpy_Table(3)->name, "HeatCapacity");
  EXPECT_EQ(Enthalpy_Table(0), nullptr);
  const auto poly = db.Fetch(*Enthalpy_Table(1), "Methanol", 0);
  ASSERT_TRUE(poly);
  const auto h = Enthalpy_From_Record(1, *poly);
  ASSERT_TRUE(h);
  ASSERT_TRUE(Store_Enthalpy(1, 2, *h));
  EXPECT_DOUBLE_EQ(Case.HV_A[2], 293.6);
  EXPECT_DOUBLE_EQ(Case.HL_C[2], 9.4e-4);
  const auto cp = db.Fetch(*Enthalpy_Table(2), "Methanol", 0);
  const auto c = Enthalpy_From_Record(2, *cp);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->count, 4);
  ASSERT_TRUE(Store_Enthalpy(2, 1, *c));
  EXPECT_DOUBLE_EQ(Case.Cp_D[1], -1.1e-8);
  // Coefficients of one table are not stored under another's list index.
  EXPECT_FALSE(Store_Enthalpy(1, 1, *c));
  EXPECT_FALSE(Enthalpy_From_Record(4, *cp));
}

}  // namespace
}  // namespace vzdb::test
