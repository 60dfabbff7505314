// A table taller than the window scrolls when the preferences allow it.
#include <gtest/gtest.h>

#include <QScrollBar>

#include "table/view/table_view.h"
#include "tests/ui/ui_fixture.h"

namespace tw::testing {
namespace {

class TableScrollTest : public WindowTest {
 protected:
  std::vector<std::string> ExtraPreferences() override { return {"VertScrollBar=Y"}; }
  QSize WindowSize() override { return QSize(1000, 300); }
  QScrollBar* Bar() {
    return window().Surface()->findChild<QScrollBar*>(QString(), Qt::FindDirectChildrenOnly);
  }
};

TEST_F(TableScrollTest, ATallTableGetsTheBarAndScrolls) {
  Deal(1, "1");
  const int client = window().Surface()->height();
  ASSERT_GT(ctx().GameState.TableHeight(), client);
  ASSERT_TRUE(window().TableScrollVisible());
  // Two card heights of room below the lowest card.
  EXPECT_GE(program->View().TableBmp().Height(),
            ctx().GameState.TableHeight() + 2 * ctx().CardHeight - 30);
  const int stockTop = ctx().GetFoundationY(0);
  ASSERT_NE(Bar(), nullptr);
  Bar()->setValue(20);
  EXPECT_EQ(ctx().GameState.ScrollOffsetY(), 20);
  EXPECT_EQ(ctx().GetFoundationY(0), stockTop - 20);
  ctx().SetCfg(cfg::VertScrollBar, "N");
  window().UpdateTableScroll();
  EXPECT_FALSE(window().TableScrollVisible());
  EXPECT_EQ(ctx().GameState.ScrollOffsetY(), 0);
  EXPECT_EQ(ctx().GetFoundationY(0), stockTop);
}

class NoTableScrollTest : public TableScrollTest {
 protected:
  std::vector<std::string> ExtraPreferences() override { return {"VertScrollBar=N"}; }
};

TEST_F(NoTableScrollTest, WithoutPermissionTheBarStaysHidden) {
  Deal(1, "1");
  ASSERT_GT(ctx().GameState.TableHeight(), window().Surface()->height());
  EXPECT_FALSE(window().TableScrollVisible());
}

}  // namespace
}  // namespace tw::testing
