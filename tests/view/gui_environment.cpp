// The pictures and text need the GUI application, so every view test runs in one
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
  char name_[8] = "view";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

const testing::Environment* const kGui = testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
