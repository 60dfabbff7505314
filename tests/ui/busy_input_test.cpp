// Input that arrives while cards fly never reaches the table or the menus:
// nothing is moved twice and no command starts in the middle of a move.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMouseEvent>

#include "core/cards.h"
#include "engine/newgame.h"
#include "tests/ui/ui_fixture.h"

namespace tw::testing {
namespace {

class BusyInputTest : public WindowTest {
 protected:
  std::vector<std::string> ExtraPreferences() override { return {"Cards_Animate=Y"}; }
};

TEST_F(BusyInputTest, ClicksKeysAndShortcutsDuringAFlightAreSwallowed) {
  Deal(1, "1");
  const std::string deal = ctx().Cfg(cfg::DealNumber);
  const int ace = TopCard(ctx().FilaPiles[7]);
  const int other = TopCard(ctx().FilaPiles[0]);
  const QPoint otherGrip = Grip(other);
  const QPoint freeCell(ctx().GetReserveX(1) + 20, ctx().GetReserveY(1) + 20);
  int frames = 0, busyFrames = 0;
  window().SetOnFrameShown([&] {
    ++frames;
    if (!InputBusy(ctx()) || busyFrames++ > 0) return;
    // Straight from the window system while the card flies...
    QTest::keyClick(handle(), Qt::Key_F2);
    QTest::keyClick(handle(), Qt::Key_Z, Qt::ControlModifier);
    Press(otherGrip);
    MoveTo(freeCell);
    Release(freeCell);
    // ...and queued behind the flight.
    QApplication::postEvent(
        window().Surface(),
        new QMouseEvent(QEvent::MouseButtonPress, QPointF(otherGrip), QPointF(At(otherGrip)),
                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QApplication::postEvent(window().Surface(),
                            new QKeyEvent(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier));
  });
  // The drop flies the card to its foundation.
  const QPoint grip = Grip(ace);
  Drag(grip, QPoint(ctx().GetFoundationX(0), ctx().GetFoundationY(0)) + Offset(ace, grip));
  window().SetOnFrameShown(nullptr);
  QApplication::processEvents();

  ASSERT_GT(busyFrames, 0) << "the move showed no flight";
  // One move, the double-clicked one; the other card stayed; same deal.
  int onFoundations = 0;
  for (const std::string& p : ctx().DestPiles) onFoundations += PileCardCount(p);
  EXPECT_EQ(onFoundations, 1);
  EXPECT_EQ(TopCard(ctx().FilaPiles[0]), other);
  EXPECT_TRUE(ctx().AppoggPiles[1].empty());
  EXPECT_EQ(ctx().Cfg(cfg::DealNumber), deal);
  EXPECT_EQ(ctx().GameState.MovingCard(), 0);
  EXPECT_EQ(ctx().TfrmMain.BusyDepth, 0);
  EXPECT_GT(window().Filter().Swallowed(), 0);
  // Afterwards input reaches the table again.
  const std::string before = ctx().AppoggPiles[0];
  Press(otherGrip);
  MoveTo(QPoint(ctx().GetReserveX(0) + 12, ctx().GetReserveY(0) + 6));
  Release(QPoint(ctx().GetReserveX(0) + 12, ctx().GetReserveY(0) + 6));
  EXPECT_EQ(TopCard(ctx().AppoggPiles[0]), other);
}

}  // namespace
}  // namespace tw::testing
