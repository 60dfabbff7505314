// Pictures and text need a GUI application, so every test program that draws runs in one
// QGuiApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

namespace {

class GuiEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[8] = "tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

const testing::Environment* const kGui = testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
