// The window tests' fixture: a fresh estimation case besides the fresh shared
// case, and an empty property database in the test's folder.
#pragma once

#include "core/model/CaseData.h"
#include "database/PropertyDb.h"
#include "support/UiTest.h"
#include "vle/estimation/VLEData.h"

class VleUiTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    vlefit::VLE = vlefit::VLEData{};
    Case.DB_Path = DataPath("Vadezid$.mdb");
    ASSERT_TRUE(vzdb::Create_Database_File(Case.DB_Path).Ok());
  }
};
