// The widgets need the application object, so every window test runs in one
// QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

class GuiEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[8] = "ui";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

const testing::Environment* const kGui = testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
