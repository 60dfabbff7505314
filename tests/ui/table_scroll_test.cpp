// The table pictures hold what the window shows; a table taller than the
// window scrolls when the preferences allow it.
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
  // Scrolled to the end, the window's last row still comes from the table.
  Bar()->setValue(Bar()->maximum());
  TableView& view = program->View();
  EXPECT_EQ(view.TableBmp().Height(), view.TableSize().height());
  for (int x : {5, 400})
    EXPECT_EQ(gfx::GetPixel(view.TableBmp(), x, client - 1),
              gfx::GetPixel(view.WindowCanvas(), x, client - 1));
  Bar()->setValue(20);
  ctx().SetCfg(cfg::VertScrollBar, "N");
  window().UpdateTableScroll();
  EXPECT_FALSE(window().TableScrollVisible());
  EXPECT_EQ(ctx().GameState.ScrollOffsetY(), 0);
  EXPECT_EQ(ctx().GetFoundationY(0), stockTop);
}

class TablePictureTest : public WindowTest {
 protected:
  QSize WindowSize() override { return QSize(600, 450); }
};

TEST_F(TablePictureTest, HoldsWhatTheWindowShowsOfTheTable) {
  Deal(1, "1");
  TableView& view = program->View();
  const QSize screen = window().screen()->size();
  ASSERT_LT(window().Surface()->width(), screen.width());
  for (QSize size : {QSize(600, 450), QSize(screen.width() + 200, screen.height() + 100),
                     QSize(640, 480)}) {
    window().resize(size);
    QApplication::processEvents();
    const QSize client = window().Surface()->size();
    SCOPED_TRACE(client.width());
    // The table keeps the screen size and what the window has grown it to.
    EXPECT_GE(view.TableSize().width(), std::max(client.width(), screen.width()) + 30);
    EXPECT_GE(view.TableSize().height(), std::max(client.height(), screen.height()) + 30);
    EXPECT_EQ(view.TableBmp().Width(), client.width() + 30);
    EXPECT_EQ(view.TableBmp().Height(), client.height() + 30);
    // The bare table is right in the window and both pictures.
    const int x = client.width() - 2, y = client.height() - 30;
    const gfx::Colour bare = gfx::GetPixel(view.BackgroundBmp(), x, y);
    EXPECT_EQ(gfx::GetPixel(view.WindowCanvas(), x, y), bare);
    EXPECT_EQ(gfx::GetPixel(view.TableBmp(), x, y), bare);
    EXPECT_NE(bare, gfx::kWhite);
    EXPECT_TRUE(view.BackgroundBmp().Plain());
  }
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
