#include "DbFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include <unistd.h>

namespace vzdb::test {

namespace {
std::atomic<int> g_counter{0};
}

const TableSpec& T(const char* name) {
  const TableSpec* t = Find_Table(name);
  EXPECT_NE(t, nullptr) << name;
  return *t;
}

void Add(PropertyDb& db, const char* table, std::initializer_list<const char*> pairs) {
  Record row;
  std::vector<const char*> v(pairs);
  for (std::size_t i = 0; i + 1 < v.size(); i += 2)
    row.Set(v[i], *v[i + 1] ? Value::Of(v[i + 1]) : Value::Null());
  const DbStatus s = db.Add_Row(T(table), row);
  ASSERT_TRUE(s.Ok()) << table << ": " << s.detail;
}

ScratchDb::ScratchDb() {
  folder_ = std::filesystem::temp_directory_path() /
            ("vz_db_test_" + std::to_string(getpid()) + "_" + std::to_string(++g_counter));
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_);
  path_ = (folder_ / "Vadezid$.mdb").string();
  const DbStatus s = Create_Database_File(path_);
  EXPECT_TRUE(s.Ok()) << s.detail;
}

ScratchDb::~ScratchDb() {
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

void ScratchDb::Fill() {
  PropertyDb db(path_);
  ASSERT_TRUE(db.Ok()) << db.Open_Status().detail;
  // Pure components; "methanol" is also stored in small letters as a second name.
  Add(db, "CriticalConstant", {"Formula", "CH4O", "Name", "Methanol", "Index", "0", "MW", "32.04",
                               "Tb", "337.69", "Tc", "512.64", "Pc", "80.97", "Vc", "118", "OMG",
                               "0.565", "Memo", "ref A"});
  Add(db, "CriticalConstant", {"Formula", "C2H6O", "Name", "Ethanol", "Index", "0", "MW", "46.07",
                               "Tc", "513.92", "Pc", "61.48", "Vc", "167", "OMG", "0.649"});
  Add(db, "CriticalConstant", {"Formula", "C2H6O", "Name", "ethylene glycol", "Index", "0"});
  Add(db, "CriticalConstant", {"Formula", "H2O", "Name", "water", "Index", "0", "MW", "18.015",
                               "Tc", "", "Pc", "220.64"});
  Add(db, "CriticalConstant", {"Formula", "C5H10O2", "Name", "Methyl isobutyrate's ester",
                               "Index", "0"});
  Add(db, "CriticalConstant", {"Formula", "X", "Name", "Quoted \"Q\" name", "Index", "0"});
  Add(db, "CriticalConstant", {"Formula", "Y", "Name", "100%_pure", "Index", "0"});
  Add(db, "CriticalConstant", {"Formula", "Z", "Name", "100 pure", "Index", "0"});

  Add(db, "AntoineConstant", {"Formula", "CH4O", "Name", "Methanol", "Index", "0",
                              "Equation Type", "1", "An", "7.8786", "Bn", "1473.11", "Cn", "230",
                              "TL", "", "TU", "", "Memo", "first set"});
  Add(db, "AntoineConstant", {"Formula", "CH4O", "Name", "Methanol", "Index", "1",
                              "Equation Type", "1", "An", "8.0176", "Bn", "1544.05", "Cn",
                              "235.99", "TL", "34.75", "TU", "186.45", "Memo", "second set"});
  Add(db, "AntoineConstant", {"Formula", "H2O", "Name", "Water", "Index", "0", "An", "8.07131",
                              "Bn", "", "Cn", "233.426"});

  Add(db, "EnthalpyCoefficent", {"Formula", "CH4O", "Name", "Methanol", "Index", "0", "AHV",
                                 "293.6", "BHV", "0.17", "CHV", "-1.2E-4", "AHL", "-0.49", "BHL",
                                 "0.567", "CHL", "9.4E-4"});
  Add(db, "HeatCapacity", {"Formula", "CH4O", "Name", "Methanol", "Index", "0", "CpA", "6.69",
                           "CpB", "0.0096", "CpC", "1.6E-05", "CpD", "-1.1E-08"});
  Add(db, "LiquidDensity", {"Formula", "CH4O", "Name", "Methanol", "Index", "0", "LiqDen",
                            "0.7934", "TDen", "20"});

  // Pairs: (Methanol, Water) stored in that order; (Ethanol, Methanol) stored
  // the other way round from how the tests ask.
  Add(db, "Wilson Parameter", {"Formula1", "CH4O", "Name1", "Methanol", "Formula2", "H2O", "Name2",
                               "Water", "Index", "0", "Lambda12", "0.43045", "Lambda21", "0.94934",
                               "Temp", "", "Press", "760"});
  Add(db, "Wilson Parameter", {"Formula1", "C2H6O", "Name1", "Ethanol", "Formula2", "CH4O",
                               "Name2", "Methanol", "Index", "0", "Lambda12", "0.56", "Lambda21",
                               "1.58"});
  Add(db, "NRTL Parameter", {"Name1", "Water", "Name2", "Methanol", "Index", "0", "Tau12", "1.12",
                             "Tau21", "-0.27", "Alpha", "0.3"});
  Add(db, "NRTL Parameter", {"Name1", "Methanol", "Name2", "Water", "Index", "1", "Tau12", "0.5",
                             "Tau21", "0.6", "Alpha", "0.2999"});
  Add(db, "Kij Parameter", {"Name1", "Ethanol", "Name2", "Methanol", "Index", "0", "Kij", "0.012"});
  Add(db, "Kij Parameter", {"Name1", "Star*Name", "Name2", "Water", "Index", "0", "Kij", "0.1"});
}

}  // namespace vzdb::test
