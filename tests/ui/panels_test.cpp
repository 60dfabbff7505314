// The time and score panels: shown by the preferences, hidden from their own
// menus and shown again from the toolbar's, the score panel taking the time
// panel's place; the clock follows the deal.
#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>

#include "tests/ui/ui_fixture.h"

namespace tw::testing {
namespace {

class PanelsTest : public WindowTest {
 protected:
  QFrame* PanelWith(const QString& caption) {
    for (QLabel* label : window().findChildren<QLabel*>()) {
      if (label->text() == caption) return qobject_cast<QFrame*>(label->parentWidget());
    }
    return nullptr;
  }
};

TEST_F(PanelsTest, HidingTheTimePanelMovesTheScorePanelRight) {
  QFrame* time = PanelWith("Time:");
  QFrame* score = PanelWith("Score:");
  ASSERT_TRUE(time && score);
  EXPECT_FALSE(time->isHidden());
  EXPECT_LT(score->x(), time->x());
  const int right = time->x();
  time->actions().at(0)->trigger();
  EXPECT_TRUE(time->isHidden());
  EXPECT_EQ(score->x(), right);
  EXPECT_NE(dir_->ReadCfg().find("Show_Time=N"), std::string::npos);
  QWidget* bar = time->parentWidget();
  QAction* showTime = nullptr;
  for (QAction* a : bar->actions()) {
    if (a->text() == "Show time") showTime = a;
  }
  ASSERT_TRUE(showTime);
  EXPECT_TRUE(showTime->isEnabled());
  showTime->trigger();
  EXPECT_FALSE(time->isHidden());
  EXPECT_FALSE(showTime->isEnabled());
  EXPECT_LT(score->x(), time->x());
}

TEST_F(PanelsTest, TheClockRunsFromTheDeal) {
  EXPECT_EQ(window().ClockText(), "0:00:00");
  Deal(1, "4");
  EXPECT_EQ(ctx().TfrmMain.ClockRunning, 1);
  window().Timer1Timer();  // every reading of the test clock is a second later
  EXPECT_NE(window().ClockText(), "0:00:00");
  EXPECT_EQ(window().ScoreText().toStdString(), ctx().Cfg(cfg::Score));
}

}  // namespace
}  // namespace tw::testing
