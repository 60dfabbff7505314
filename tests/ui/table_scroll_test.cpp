// The table picture follows the window; a table taller than the window
// scrolls when the preferences allow it.
#include <gtest/gtest.h>

#include <QScrollBar>

#include "platform/gfx/draw.h"
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

class TablePictureTest : public WindowTest {};

TEST_F(TablePictureTest, FollowsTheWindowAndGrowsWithIt) {
  Deal(1, "1");
  TableView& view = program->View();
  const auto covers = [&] {
    const QSize client = window().Surface()->size();
    EXPECT_GE(view.TableBmp().Width(), client.width() + 30);
    EXPECT_GE(view.TableBmp().Height(), client.height() + 30);
    // The grown part shows the bare table, in the window too.
    const int x = client.width() - 2, y = client.height() - 30;
    EXPECT_EQ(gfx::GetPixel(view.WindowCanvas(), x, y), gfx::GetPixel(view.BackgroundBmp(), x, y));
    EXPECT_EQ(gfx::GetPixel(view.TableBmp(), x, y), gfx::GetPixel(view.BackgroundBmp(), x, y));
    EXPECT_NE(gfx::GetPixel(view.TableBmp(), x, y), gfx::kWhite);
  };
  // Sized from the window, not the screen.
  EXPECT_EQ(view.TableBmp().Width(), window().Surface()->width() + 30);
  covers();
  window().resize(1400, 1000);
  QApplication::processEvents();
  ASSERT_GT(window().Surface()->width() + 30, 1000 + 30);
  covers();
  EXPECT_TRUE(view.BackgroundBmp().Plain());
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
