// The real main window driven with mouse events as a user's mouse sends them.
#include <gtest/gtest.h>

#include <QBackingStore>
#include <QPushButton>

#include "core/cards.h"
#include "engine/random_player.h"
#include "table/view/animate.h"
#include "table/view/table_view.h"
#include "tests/ui/solver.h"
#include "tests/ui/ui_fixture.h"
#include "ui/game_won.h"

namespace tw::testing {
namespace {

constexpr int kFreeCell = 1;
constexpr int kKlondike = 0;

// Where a dragged card's grip point has to go for the card to land on the
// pile's next place.
QPoint LandingPoint(GameContext& ctx, const std::string& target, QPoint grip) {
  int index = 0;
  ParsePileName(target, index);
  const int x = CardLeftX(ctx, target, index, 0, true);
  const int y = CardTopY(ctx, target, index, 0, true);
  return QPoint(x + grip.x(), y + grip.y());
}

class TablePlayTest : public WindowTest {
 protected:
  // Drags the card (with what lies on it) onto the target pile.
  void DragTo(int card, const std::string& target) {
    const QPoint from = Grip(card);
    const QPoint grip = Offset(card, from);
    Drag(from, LandingPoint(ctx(), target, grip));
  }
  const std::string& Pile(const std::string& name) {
    int index = 0;
    const PileKind kind = ParsePileName(name, index);
    return PileString(ctx(), kind, index);
  }
  // The first legal drop onto a tableau pile of at least `lifted` cards.
  bool FindTableauDrop(int lifted, PlayerMove& out) {
    for (const PlayerMove& m : LegalDrops(ctx())) {
      if (m.target.rfind("Fila", 0) == 0 && m.lifted >= lifted && !Pile(m.target).empty()) {
        out = m;
        return true;
      }
    }
    return false;
  }
  // Plays the drop with the mouse and checks that exactly it was made.
  void PlayDrop(const PlayerMove& m) {
    const std::string before = Pile(m.target);
    DragTo(m.card, m.target);
    const std::string& after = Pile(m.target);
    ASSERT_EQ(PileCardCount(after), PileCardCount(before) + m.lifted) << m.card << " " << m.target;
    EXPECT_EQ(PileCardAt(after, PileCardCount(before)), m.card);
    EXPECT_EQ(ctx().GameState.MovingCard(), 0);
  }
};

TEST_F(TablePlayTest, DragsACardToAFreeCellAndARefusedDropPutsItBack) {
  Deal(kFreeCell, "1");
  ASSERT_EQ(ctx().TfrmMain.GameInProgress, 1);
  const std::string pile = ctx().FilaPiles[0];
  const int top = TopCard(pile);
  DragTo(top, "Appogg1");
  EXPECT_EQ(TopCard(ctx().AppoggPiles[0]), top);
  EXPECT_EQ(ctx().FilaPiles[0], pile.substr(0, pile.size() - 3));
  // Dropped where no pile takes it, the card flies back to its cell.
  const QPoint from = Grip(top);
  Drag(from, QPoint(from.x() + 3, 700));
  EXPECT_EQ(TopCard(ctx().AppoggPiles[0]), top);
  // Its old place does not take it back (a 3 on a 6).
  DragTo(top, "Fila1");
  EXPECT_EQ(TopCard(ctx().AppoggPiles[0]), top);
  EXPECT_EQ(ctx().FilaPiles[0], pile.substr(0, pile.size() - 3));
}

TEST_F(TablePlayTest, DragsCardsAndRunsBetweenTableauPiles) {
  Deal(kFreeCell, "3");
  DropSolver solver(ctx());
  ASSERT_TRUE(solver.Solve(40000));
  // The line up to its first run moved onto another pile's card.
  bool single = false, run = false;
  for (const PlayerMove& m : solver.Line()) {
    const bool onCard = m.target.rfind("Fila", 0) == 0 && !Pile(m.target).empty();
    PlayDrop(m);
    if (::testing::Test::HasFatalFailure()) return;
    single = single || (onCard && m.lifted == 1);
    if (onCard && m.lifted > 1) {
      run = true;
      break;
    }
  }
  EXPECT_TRUE(single);
  EXPECT_TRUE(run);
}

TEST_F(TablePlayTest, DoubleClickSendsACardToItsFoundation) {
  Deal(kFreeCell, "1");
  // Deal 1 has the Ace of hearts on top of the eighth pile.
  const int ace = TopCard(ctx().FilaPiles[7]);
  ASSERT_EQ(CardRank(ace), 1);
  DoubleClick(Grip(ace));
  int onFoundations = 0;
  for (const std::string& p : ctx().DestPiles) onFoundations += PileCardCount(p);
  EXPECT_EQ(onFoundations, 1);
  EXPECT_EQ(TopCard(ctx().DestPiles[0]) + TopCard(ctx().DestPiles[1]) +
                TopCard(ctx().DestPiles[2]) + TopCard(ctx().DestPiles[3]),
            ace);
  EXPECT_NE(TopCard(ctx().FilaPiles[7]), ace);
  // The press Qt sends inside the double-click lifted nothing afterwards.
  EXPECT_EQ(ctx().GameState.MovingCard(), 0);
}

TEST_F(TablePlayTest, StockClicksTurnThroughAPassAndRedeal) {
  Deal(kKlondike, "7");
  const std::string stock = ctx().MazzoPiles[0];
  const int cards = PileCardCount(stock);
  ASSERT_EQ(cards, 24);
  const QPoint at(ctx().GetStockX(0) + ctx().CardWidth / 2, ctx().GetStockY(0) + 20);
  int clicks = 0;
  while (!ctx().MazzoPiles[0].empty() && clicks < 100) {
    const int before = PileCardCount(ctx().MazzoPiles[1]);
    Click(at);
    ++clicks;
    ASSERT_GT(PileCardCount(ctx().MazzoPiles[1]), before) << "click " << clicks;
  }
  EXPECT_EQ(PileCardCount(ctx().MazzoPiles[1]), cards);
  EXPECT_GE(clicks, 1);
  // The empty stock takes the waste back in the order it was dealt, and
  // the same click turns the next cards.
  Click(at);
  const int turn = ctx().GameRules.CardsPerStockTurn();
  EXPECT_EQ(PileCardCount(ctx().MazzoPiles[1]), turn);
  EXPECT_EQ(ctx().MazzoPiles[0], stock.substr(0, stock.size() - 3 * static_cast<size_t>(turn)));
  EXPECT_EQ(ctx().GameState.RedealsDone(), 2);
}

// Pressing the empty stock shows the redeal marker; leaving the stock with
// the button held takes the redeal back, so the release turns nothing over.
TEST_F(TablePlayTest, LeavingTheStockWithTheMarkerShownCancelsTheRedeal) {
  Deal(kKlondike, "7");
  const QPoint at(ctx().GetStockX(0) + ctx().CardWidth / 2, ctx().GetStockY(0) + 20);
  for (int clicks = 0; !ctx().MazzoPiles[0].empty() && clicks < 100; ++clicks) Click(at);
  ASSERT_TRUE(ctx().MazzoPiles[0].empty());
  const std::string waste = ctx().MazzoPiles[1];
  const int redeals = ctx().GameState.RedealsDone();
  Press(at);
  ASSERT_EQ(ctx().GameState.RedealMarkerShown(), 1);
  MoveTo(at + QPoint(10, 10));
  EXPECT_EQ(ctx().GameState.RedealMarkerShown(), 1) << "still on the stock";
  const QPoint away(at.x(), at.y() + 2 * ctx().CardHeight);
  MoveTo(away);
  EXPECT_EQ(ctx().GameState.RedealMarkerShown(), 0);
  Release(away);
  EXPECT_EQ(ctx().MazzoPiles[1], waste);
  EXPECT_EQ(ctx().GameState.RedealsDone(), redeals);
  // The marker's picture is gone from the stock: it shows as a full redraw does.
  const QImage shown = program->View().WindowCanvas().Image().copy();
  program->View().RedrawWholeTable();
  const QRect stock(ctx().GetStockX(0), ctx().GetStockY(0), ctx().CardWidth, ctx().CardHeight);
  EXPECT_TRUE(shown.copy(stock) == program->View().WindowCanvas().Image().copy(stock));
  // A click that stays on the stock redeals.
  Click(at);
  EXPECT_EQ(ctx().GameState.RedealsDone(), redeals + 1);
}

TEST_F(TablePlayTest, PlaysAFixedFreeCellDealToAWin) {
  const char* deal = "3";
  Deal(kFreeCell, deal);
  DropSolver solver(ctx());
  ASSERT_TRUE(solver.Solve(40000)) << "no line found for deal " << deal;
  bool wonShown = false;
  WhenShown(window().GameWonForm(), [&] {
    wonShown = true;
    window().GameWonForm()->CancelButton()->click();
  });
  int step = 0;
  for (const PlayerMove& m : solver.Line()) {
    ++step;
    if (ctx().TfrmMain.GameInProgress == 0) break;
    SCOPED_TRACE("step " + std::to_string(step));
    PlayDrop(m);
    if (::testing::Test::HasFatalFailure()) return;
  }
  int onFoundations = 0;
  for (const std::string& p : ctx().DestPiles) onFoundations += PileCardCount(p);
  EXPECT_EQ(onFoundations, 52);
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 0);
  EXPECT_TRUE(wonShown);
}

TEST_F(TablePlayTest, TheRightButtonShowsACoveredCardUntilReleased) {
  Deal(kFreeCell, "1");
  const std::string& pile = ctx().FilaPiles[0];
  const int covered = PileCardAt(pile, 2);
  const QPoint at = Grip(covered);
  // What the window shows of the pile.
  auto shown = [&] {
    const QRect r(ctx().TableauX[0], ctx().TableauY[0], ctx().CardWidth, 300);
    return program->View().WindowCanvas().Image().copy(r);
  };
  const QImage before = shown();
  Press(at, Qt::RightButton);
  EXPECT_EQ(ctx().TfrmMain.PeekShown, 1);
  EXPECT_TRUE(shown() != before);
  Release(at, Qt::RightButton);
  EXPECT_EQ(ctx().TfrmMain.PeekShown, 0);
  EXPECT_TRUE(shown() == before);
  EXPECT_EQ(PileCardAt(pile, 2), covered);
}

TEST_F(TablePlayTest, MenuShortcutsUndoRedoAndDealAgain) {
  Deal(kFreeCell, "1");
  window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  const std::string pile = ctx().FilaPiles[0];
  const int top = TopCard(pile);
  DragTo(top, "Appogg1");
  ASSERT_EQ(TopCard(ctx().AppoggPiles[0]), top);
  QTest::keyClick(handle(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ctx().FilaPiles[0], pile);
  EXPECT_TRUE(ctx().AppoggPiles[0].empty());
  QTest::keyClick(handle(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(TopCard(ctx().AppoggPiles[0]), top);
  const std::string deal = ctx().Cfg(cfg::DealNumber);
  QTest::keyClick(handle(), Qt::Key_F2);
  EXPECT_NE(ctx().Cfg(cfg::DealNumber), deal);
  EXPECT_TRUE(ctx().AppoggPiles[0].empty());
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  // Restart deals the same number again.
  const std::string again = ctx().Cfg(cfg::DealNumber);
  const std::string first = ctx().FilaPiles[0];
  DragTo(TopCard(first), "Appogg2");
  QTest::keyClick(handle(), Qt::Key_F2, Qt::ControlModifier);
  EXPECT_EQ(ctx().Cfg(cfg::DealNumber), again);
  EXPECT_EQ(ctx().FilaPiles[0], first);
}

TEST_F(TablePlayTest, AutoplayPlaysOnlyWhileADealIsInProgress) {
  Deal(kFreeCell, "1");
  QAction* autoplay = window().AutoPlayAction();
  ASSERT_FALSE(autoplay->isChecked());
  autoplay->trigger();  // on: the Ace of hearts goes up at once
  EXPECT_TRUE(autoplay->isChecked());
  EXPECT_EQ(ctx().TfrmMain.AutoPlayOn, 1);
  int onFoundations = 0;
  for (const std::string& p : ctx().DestPiles) onFoundations += PileCardCount(p);
  EXPECT_GE(onFoundations, 1);
  autoplay->trigger();
  EXPECT_FALSE(autoplay->isChecked());

  // After the deal has ended nothing moves on the dead table.
  window().close();
  const StringList piles = ctx().FilaPiles;
  autoplay->trigger();
  EXPECT_EQ(ctx().FilaPiles, piles);
}

// The first deal at start-up, with autoplay on: while the program waits
// before the first autoplay, the dealt table is on the screen (the window's
// backing store), though the window system showed the window only after the
// deal began.
class FirstTableTest : public TablePlayTest {
 protected:
  std::vector<std::string> ExtraPreferences() override { return {"Game=0", "AutoPlay=Y"}; }
  void SetUp() override {
    clock.onTick = [this] {
      if (looked_ || !program) return;
      const GameContext& c = program->Context();
      if (!c.TfrmMain.GameInProgress || !c.GameState.TableDrawn()) return;
      looked_ = true;
      on_screen_ = TableOnScreen();
    };
    TablePlayTest::SetUp();
    clock.onTick = nullptr;
  }
  // The window's backing store shows the tableau's cards as drawn.
  bool TableOnScreen() {
    QBackingStore* store = window().backingStore();
    if (!store || !store->paintDevice() || store->paintDevice()->devType() != QInternal::Image) {
      return false;
    }
    const QImage& screen = *static_cast<const QImage*>(store->paintDevice());
    const QImage& canvas = program->View().WindowCanvas().Image();
    for (int i = 0; i < ctx().GameRules.TableauCount(); ++i) {
      const QPoint p(ctx().TableauX[static_cast<size_t>(i)] + ctx().CardWidth / 2,
                     ctx().TableauY[static_cast<size_t>(i)] + ctx().CardHeight / 2);
      const QPoint s = window().Surface()->mapTo(&window(), p);
      if (!screen.rect().contains(s) || screen.pixel(s) != canvas.pixel(p)) return false;
    }
    return true;
  }
  bool looked_ = false, on_screen_ = false;
};

TEST_F(FirstTableTest, TheDealtTableIsOnTheScreenBeforeTheFirstAutoplay) {
  ASSERT_TRUE(looked_) << "no deal at start-up";
  EXPECT_TRUE(on_screen_);
}

class WonAnimationTest : public TablePlayTest {
 protected:
  std::vector<std::string> ExtraPreferences() override { return {"Winning_Animation=Y"}; }
};

// The frames of moves and of the won shower are written into the window's
// picture without paint events: what reaches it is what a full redraw of the
// table (and of what lies over it) gives, during the animation and after.
TEST_F(WonAnimationTest, TheFramesShownAreWhatARedrawShows) {
  auto onScreen = [this] {
    QBackingStore* store = window().backingStore();
    if (!store || !store->paintDevice() || store->paintDevice()->devType() != QInternal::Image)
      return QImage();
    const QImage& screen = *static_cast<const QImage*>(store->paintDevice());
    return screen.copy(QRect(At(QPoint(0, 0)), window().Surface()->size()))
        .convertToFormat(QImage::Format_RGB32);
  };
  auto redrawn = [this] {
    return window().Surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  };
  Deal(kFreeCell, "3");
  QApplication::processEvents();
  ASSERT_FALSE(onScreen().isNull());
  DropSolver solver(ctx());
  ASSERT_TRUE(solver.Solve(40000));
  const std::vector<PlayerMove> line = solver.Line();
  for (size_t i = 0; i < 6 && i < line.size(); ++i) PlayDrop(line[i]);
  EXPECT_TRUE(onScreen() == redrawn()) << "after the moves";
  int frames = 0;
  bool same = true;
  window().SetOnFrameShown([&] {
    if (++frames % 97 == 0) same = same && onScreen() == redrawn();
    if (frames == 400) ctx().TfrmMain.WinAnimationRunning = 0;
  });
  program->Play().PlayWinAnimation(1);
  window().SetOnFrameShown(nullptr);
  EXPECT_GE(frames, 400);
  EXPECT_TRUE(same) << "during the shower";
  EXPECT_TRUE(onScreen() == redrawn()) << "after the shower";
}

TEST_F(WonAnimationTest, ClosingDuringTheAnimationClosesWhenItEnds) {
  Deal(kFreeCell, "3");
  DropSolver solver(ctx());
  ASSERT_TRUE(solver.Solve(40000));
  int closeRequests = 0;
  window().SetOnFrameShown([&] {
    if (ctx().TfrmMain.WinAnimationRunning == 1 && closeRequests++ == 0) window().close();
  });
  for (const PlayerMove& m : solver.Line()) {
    if (ctx().TfrmMain.GameInProgress == 0) break;
    PlayDrop(m);
    if (::testing::Test::HasFatalFailure()) return;
  }
  window().SetOnFrameShown(nullptr);
  QApplication::processEvents();
  EXPECT_EQ(closeRequests > 0, true);
  EXPECT_FALSE(window().isVisible());
  // The window closed instead of congratulating.
  EXPECT_FALSE(window().GameWonForm()->isVisible());
}

}  // namespace
}  // namespace tw::testing
