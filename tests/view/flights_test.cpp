// Flights that start where the card lies and leave nothing behind: autoplay,
// the fill of an empty tableau pile, the face-up turn's drop; the wait after
// a waste turnover; the poker squares panel and its flashing hands; the band
// of a covered card back; the stock and waste slots after stock clicks; a
// squared reserve whose edge thins as its cards are dragged off.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/autoplay.h"
#include "engine/executor.h"
#include "engine/pileops.h"
#include "tests/view/play_fixture.h"

namespace tw::testing {
namespace {

constexpr int kKlondike = 0;
constexpr int kGolf = 3;
constexpr int kCanfield = 7;
constexpr int kPokerSquares = 13;
constexpr int kAmericanToad = 72;

class FlightTest : public PlayTest {
 protected:
  // Every new place the lifted picture is shown at from now on (only while
  // that card is the moving one, when given).
  void RecordFrames(int card = 0) {
    QPoint last(ctx.TfrmMain.DragRect.Left, ctx.TfrmMain.DragRect.Top);
    duringPresent = [this, last, card]() mutable {
      const QPoint now(ctx.TfrmMain.DragRect.Left, ctx.TfrmMain.DragRect.Top);
      if (now == last || (card != 0 && ctx.GameState.MovingCard() != card)) return;
      frames.push_back(now);
      last = now;
    };
  }
  // True when every frame lies on the way from one place to the other.
  bool FramesBetween(QPoint from, QPoint to) const {
    const QRect box = QRect(from, to).normalized().adjusted(-2, -2, 2, 2);
    return std::all_of(frames.begin(), frames.end(), [&](QPoint p) { return box.contains(p); });
  }
  std::vector<QPoint> frames;
};

TEST_F(FlightTest, AutoplayFliesTheCardFromItsOwnPlaceAndLeavesNoCopy) {
  Start(kKlondike);
  Place(ctx.FilaPiles, 3, {Spades(9), Hearts(1)});
  Rect from;
  ASSERT_TRUE(FindCardRect(ctx, Hearts(1), from));
  const QPoint to(ctx.GetFoundationX(0), ctx.GetFoundationY(0));
  ctx.TfrmMain.AutoPlayOn = 1;
  RecordFrames(Hearts(1));
  EXPECT_TRUE(AutoPlay(ctx));
  EXPECT_EQ(TopCard(ctx.DestPiles[0]), Hearts(1));
  ASSERT_GT(frames.size(), 2u);
  EXPECT_TRUE(FramesBetween(QPoint(from.Left, from.Top), to))
      << "a frame at " << frames.front().x() << "," << frames.front().y();
  EXPECT_EQ(WindowMismatches(), 0) << "the old place shows the pile without the card";
}

TEST_F(FlightTest, TheFillOfAnEmptyPileFliesFromTheReserve) {
  Start(kCanfield);
  const int card = TopCard(ctx.AppoggPiles[0]);
  const QPoint from(ctx.GetReserveX(0), ctx.GetReserveY(0));
  const QPoint to(ctx.TableauX[1], CardTopY(ctx, "Fila2", 1, 0, false));
  ctx.MazzoPiles[0] += ctx.FilaPiles[1];
  ctx.FilaPiles[1].clear();
  view.RedrawWholeTable();
  RecordFrames();
  EXPECT_TRUE(AutoFillEmptyTableaus(ctx));
  EXPECT_EQ(ctx.FilaPiles[1], CardCodeText(card));
  EXPECT_GT(frames.size(), 2u) << "the card flew";
  EXPECT_TRUE(FramesBetween(from, to));
  EXPECT_EQ(WindowMismatches(), 0);
}

TEST_F(FlightTest, AFaceUpTurnDropsTheCardFromItsLiftedPlace) {
  ctx.SetCfg(cfg::Cards_Shadowed, "Y");
  ctx.SetCfg(cfg::Automatic_FaceUp, "N");
  Start(kKlondike);
  Place(ctx.FilaPiles, 2, {Spades(3), Spades(4)}, {Spades(3), Spades(4)});
  Rect r;
  ASSERT_TRUE(FindCardRect(ctx, Spades(4), r));
  RecordFrames();
  Click(QPoint(r.Left + ctx.CardWidth / 2, r.Top + 40));
  ASSERT_TRUE(IsFaceUp(ctx, Spades(4)));
  const int lift = ctx.TfrmMain.ShadowOffset - 2;
  const bool dropped = std::any_of(frames.begin(), frames.end(), [&](QPoint p) {
    return p.x() < r.Left && p.y() < r.Top && p.x() >= r.Left - lift && p.y() >= r.Top - lift;
  });
  EXPECT_TRUE(dropped) << "no frame above the card's place";
  EXPECT_TRUE(ShowsFace(view.WindowCanvas(), Spades(4), r.Left, r.Top));
  EXPECT_EQ(WindowMismatches(), 0);
}

TEST_F(FlightTest, TheRedealSoundStopsAfterAPauseOnTheTurnedWaste) {
  ctx.SetCfg(cfg::Redeal_Animation, "Y");
  Start(kKlondike);
  ctx.MazzoPiles[1] += ctx.MazzoPiles[0];
  ctx.MazzoPiles[0].clear();
  view.RedrawWholeTable();
  ctx.GameState.RedealMarkerShown() = 1;
  uint64_t lastFrame = 0, stopped = 0;
  duringPresent = [&] {
    if (stopped == 0) lastFrame = clock.ms;
  };
  fakes.sound.onStop = [&] { stopped = clock.ms; };
  ASSERT_TRUE(PlayToPile(ctx, 0, "Mazzo_Vis"));
  ASSERT_GT(stopped, 0u);
  // Waits end at the clock's next reading, a second later.
  EXPECT_GE(stopped - lastFrame, 100u) << "no wait between the last card and the sound's end";
}

// Poker squares: the panel beside the grid, the hand a card completes named
// there while its five cards flash, the total after it.
TEST_F(FlightTest, PokerSquaresShowsItsPanelAndNamesTheHandMade) {
  UsePlayFlights(view, play);
  view.Hooks().DrawGameKindExtras = [this](int kind) { play.DrawGameKindExtras(kind); };
  Start(kPokerSquares);
  const GameStateRecord& s = ctx.GameState;
  ASSERT_GT(s.PokerPanelWidth(), 0) << "no panel drawn";
  const QRect panel(s.PokerPanelX(), s.PokerPanelY(), s.PokerPanelWidth(), 62);
  EXPECT_FALSE(QRect(ctx.TableauX[0], ctx.TableauY[0], 5 * ctx.CardWidth, 5 * ctx.CardHeight)
                   .intersects(panel))
      << "the panel covers the grid";
  // Dark pixels in the first text line of the panel.
  auto inkInLine1 = [&] {
    int ink = 0;
    for (int y = panel.top() + 5; y < panel.top() + 18; ++y)
      for (int x = panel.left() + 7; x < panel.right() - 10; ++x)
        ink += (At(view.WindowCanvas(), x, y) & 0xFF) < 100;
    return ink;
  };
  EXPECT_EQ(inkInLine1(), 0) << "no hand named before one is made";

  // Row 1 holds one pair once the waste's top card goes to its last cell:
  // the same rank in another suit and three cards of other, scattered ranks.
  const int last = TopCard(ctx.MazzoPiles[1]);
  std::vector<int> row = {last <= 26 ? last + 26 : last - 26};
  for (int rank : {2, 6, 9, 12}) {
    if (rank != CardRank(last) && row.size() < 4) {
      row.push_back(row.size() % 2 ? Clubs(rank) : Hearts(rank));
    }
  }
  for (int i = 0; i < 4; ++i) Place(ctx.FilaPiles, i, {row[static_cast<size_t>(i)]});
  ASSERT_EQ(TopCard(ctx.MazzoPiles[1]), last);

  const QPoint probe(ctx.TableauX[0] + 20, ctx.TableauY[0] + 20);
  const gfx::Colour face = At(view.TableBmp(), probe.x(), probe.y());
  bool flashed = false;
  duringPresent = [&] {
    flashed = flashed || At(view.WindowCanvas(), probe.x(), probe.y()) == (face ^ 0xFFFFFF);
  };
  const QPoint cell(ctx.TableauX[4] + ctx.CardWidth / 2, ctx.TableauY[4] + ctx.CardHeight / 2);
  Drag(StockCentre(1), cell);
  ASSERT_EQ(TopCard(ctx.FilaPiles[4]), last) << "the card was not placed";
  EXPECT_EQ(ctx.Cfg(cfg::Score), "2");
  EXPECT_TRUE(flashed) << "the hand's cards did not flash";
  EXPECT_GT(inkInLine1(), 0) << "the hand is not named";
  EXPECT_EQ(WindowMismatches(), 0) << "the flash ended";
}

// A covered back in a fan shows its pattern in the band that stays visible.
TEST_F(FlightTest, CoveredBacksShowMoreThanAWhiteMargin) {
  Start(kKlondike);
  ASSERT_GE(PileCardCount(ctx.FilaPiles[6]), 3);
  const int x = ctx.TableauX[6], y = CardTopY(ctx, "Fila7", 6, PileCardCount(ctx.FilaPiles[6]) - 1,
                                              false);
  const int band = ctx.GameState.FanStepDownDown();
  ASSERT_GT(band, 1);
  int coloured = 0;
  for (int dy = 1; dy < band; ++dy)
    for (int dx = 5; dx < ctx.CardWidth - 5; ++dx) {
      const gfx::Colour c = At(view.WindowCanvas(), x + dx, y + dy);
      coloured += c != gfx::kWhite;
    }
  EXPECT_GT(coloured, ctx.CardWidth / 2) << "only the white margin shows";
}

// After stock clicks the stock and waste look as a full redraw draws them:
// no card-coloured pixels left in their rounded corners.
TEST_F(FlightTest, StockClicksLeaveTheSlotsAsAFullRedrawDrawsThem) {
  for (int game : {kKlondike, kGolf}) {
    Start(game);
    for (int click = 0; click < 6 && !ctx.MazzoPiles[0].empty(); ++click) {
      Click(StockCentre(0));
      const QImage after = view.WindowCanvas().Image().copy();
      view.RedrawWholeTable();
      const QImage whole = view.WindowCanvas().Image();
      int wrong = 0;
      for (size_t slot : {0u, 1u}) {
        if (ctx.StockBaseX[slot] < kUnusedBelow) continue;
        const QRect r(ctx.StockBaseX[slot] - 16, ctx.StockBaseY[slot] - 16, ctx.CardWidth + 32,
                      ctx.CardHeight + 32);
        for (int y = r.top(); y <= r.bottom(); ++y)
          for (int x = r.left(); x <= r.right(); ++x) {
            wrong += after.pixel(x, y) != whole.pixel(x, y);
          }
      }
      EXPECT_EQ(wrong, 0) << "game " << game << " click " << click;
    }
  }
}

// A squared reserve stands on an edge as thick as its card count. Its cards
// dragged off one by one onto a tableau pile (and one dropped nowhere and
// put back) leave the table as a full redraw draws it: no pixels of the
// thicker edge are left.
TEST_F(FlightTest, ReserveCardsDraggedOffLeaveThePileAsAFullRedrawDrawsIt) {
  struct Case {
    int game, reserveCards;
    bool inSuit;  // the tableau builds down in suit, else in alternate colours
  };
  for (const Case& c : {Case{kCanfield, 13, false}, Case{kAmericanToad, 20, true}}) {
    Start(c.game);
    ctx.TfrmMain.AutoPlayOn = 0;
    // Onto the King of spades: Queen, Jack, ... and round the corner (a
    // second deck's cards after the Ace).
    std::vector<int> run;  // the reserve's top card first
    for (int s = 1; s < c.reserveCards; ++s) {
      const int rank = (13 - s % 13) % 13 == 0 ? 13 : (13 - s % 13) % 13;
      const int card = c.inSuit || s % 2 == 0 ? Spades(rank) : Hearts(rank);
      run.push_back(card + (s >= 13 ? 52 : 0));
    }
    std::vector<int> reserve = {Diamonds(5)};
    reserve.insert(reserve.end(), run.rbegin(), run.rend());
    Place(ctx.AppoggPiles, 0, reserve);
    // No tableau pile left empty: the reserve would fill it.
    for (int i = 0; i < ctx.GameRules.TableauCount(); ++i)
      Place(ctx.FilaPiles, i, {i == 0 ? Spades(13) : Clubs(i)});
    ASSERT_EQ(PileCardCount(ctx.AppoggPiles[0]), c.reserveCards);
    for (int card : run) {
      const int n = PileCardCount(ctx.AppoggPiles[0]);
      const int d = StockEdgeDepth(n);
      Rect r;
      ASSERT_TRUE(FindCardRect(ctx, card, r)) << c.game << ": " << n << " cards";
      EXPECT_EQ(QPoint(r.Left, r.Top), QPoint(ctx.GetReserveX(0) - d, ctx.GetReserveY(0) - d))
          << c.game << ": " << n << " cards";
      const QPoint from = CentreOf(card);
      if (n == 7) {
        // Lifted, the stack is one pixel thinner; put back, it is as before.
        Drag(from, QPoint(1000, 700));
        ASSERT_EQ(PileCardCount(ctx.AppoggPiles[0]), n);
      }
      Drag(from, CentreOf(TopCard(ctx.FilaPiles[0])));
      ASSERT_EQ(TopCard(ctx.FilaPiles[0]), card) << c.game << ": " << n << " cards";
      const QImage after = view.TableBmp().Image().copy();
      EXPECT_EQ(WindowMismatches(), 0);
      view.RedrawWholeTable();
      const QImage& whole = view.TableBmp().Image();
      int wrong = 0;
      QRect box;
      for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x)
          if (after.pixel(x, y) != whole.pixel(x, y)) {
            ++wrong;
            box |= QRect(x, y, 1, 1);
          }
      EXPECT_EQ(wrong, 0) << c.game << ": " << n - 1 << " cards left, wrong at " << box.x() << ","
                          << box.y() << " " << box.width() << "x" << box.height();
    }
    EXPECT_EQ(PileCardCount(ctx.AppoggPiles[0]), 1);
  }
}

}  // namespace
}  // namespace tw::testing
