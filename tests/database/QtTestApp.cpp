// The Qt SQL driver is a plugin, and plugins load only inside a Qt application
// object: one lives for the whole test run.
#include <gtest/gtest.h>

#include <QCoreApplication>

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!QCoreApplication::instance()) app_ = new QCoreApplication(argc_, argv_);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  int argc_ = 1;
  char name_[16] = "database_tests";
  char* argv_[2] = {name_, nullptr};
  QCoreApplication* app_ = nullptr;
};

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
