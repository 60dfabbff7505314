// Runs lifted and dropped, autoplay after a release, and the selection games'
// presses and verdicts.
#include <gtest/gtest.h>

#include "engine/newgame.h"
#include "engine/pairs.h"
#include "engine/undo.h"
#include "table/view/selection.h"
#include "tests/view/play_fixture.h"

namespace tw {
namespace {

using testing::Diamonds;
using testing::Hearts;
using testing::PlayTest;
using testing::Spades;

constexpr int kKlondike = 0;
constexpr int kFreeCell = 1;
constexpr int kElevens = 18;

TEST_F(PlayTest, ARunIsLiftedWholeAndDroppedOnAnotherPile) {
  Start(kKlondike);
  ASSERT_EQ(ctx.GameRules.RunMoveRule(), 1);
  const int under = TopCard(ctx.FilaPiles[3]);
  Place(ctx.FilaPiles, 0, {Spades(13)});
  Place(ctx.FilaPiles, 1, {under, Hearts(12), Spades(11)}, {under});
  const int cards = CardCount();

  const Rect queen{ctx.TableauX[1], CardTopY(ctx, "Fila2", 1, 1, false), 0, 0};
  const QPoint grab(queen.Left + ctx.CardWidth / 2, queen.Top + 4);
  // Onto a foundation it goes back whole.
  const Table before = Piles();
  Drag(grab, FoundationCentre(0));
  EXPECT_EQ(Piles(), before);
  EXPECT_EQ(WindowMismatches(), 0);
  Press(QPoint(queen.Left + ctx.CardWidth / 2, queen.Top + 4));
  ASSERT_EQ(ctx.GameState.MovingCard(), Hearts(12));
  EXPECT_GT(ctx.TfrmMain.DragHeight, ctx.CardHeight);
  EXPECT_TRUE(ShowsFace(view.Pictures().DragBmp, Spades(11), 0, ctx.GameState.FanStepDownUp()))
      << "the run's top card lies one fan step down in the drag picture";
  const QPoint king = CentreOf(Spades(13));
  for (int k = 1; k <= 4; ++k) {
    TableMouseMove(ctx, play, queen.Left + ctx.CardWidth / 2 + (king.x() - queen.Left) * k / 4,
                   queen.Top + 4 + (king.y() - queen.Top) * k / 4);
  }
  Release();
  EXPECT_EQ(ctx.FilaPiles[0],
            CardCodeText(Spades(13)) + CardCodeText(Hearts(12)) + CardCodeText(Spades(11)));
  EXPECT_EQ(ctx.FilaPiles[1], CardCodeText(under));
  EXPECT_EQ(CardCount(), cards);
  Rect jack;
  ASSERT_TRUE(FindCardRect(ctx, Spades(11), jack));
  EXPECT_TRUE(ShowsFace(view.WindowCanvas(), Spades(11), jack.Left, jack.Top));
  EXPECT_EQ(WindowMismatches(), 0);
}

TEST_F(PlayTest, AnEmptyStockShowsTheRedealMarkerAndRedealsOnTheRelease) {
  Start(kKlondike);
  std::string& stock = ctx.MazzoPiles[0];
  const int cards = PileCardCount(stock);
  while (!stock.empty()) {
    const int c = TopCard(stock);
    stock.erase(stock.size() - 3);
    ctx.MazzoPiles[1] += CardCodeText(c);
    SetCardFace(ctx, c, "1");
  }
  view.RedrawWholeTable();
  const QPoint at = StockCentre(0);
  const gfx::Bitmap& marker = view.Pictures().RedealMarkerBmp;
  ASSERT_FALSE(marker.Empty());
  const QPoint inMarker(marker.Width() / 2, marker.Height() / 2);
  Press(at);
  EXPECT_EQ(ctx.GameState.RedealMarkerShown(), 1);
  EXPECT_EQ(
      At(view.WindowCanvas(), ctx.GetStockX(0) + inMarker.x(), ctx.GetStockY(0) + inMarker.y()),
      At(marker, inMarker.x(), inMarker.y()));
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[1]), cards) << "nothing is turned before the release";
  Release();
  EXPECT_EQ(ctx.GameState.RedealMarkerShown(), 0);
  // The waste went back to the stock (the executor may turn the next cards).
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[0]) + PileCardCount(ctx.MazzoPiles[1]), cards);
  EXPECT_LE(PileCardCount(ctx.MazzoPiles[1]), ctx.GameRules.CardsPerStockTurn());
  EXPECT_EQ(CardCount(), 52);
}

TEST_F(PlayTest, DragsOnAScrolledTableUseTheScrolledPositions) {
  Start(kFreeCell);
  ctx.GameState.ScrollOffsetY() = 20;
  view.RefreshScreen();
  const int top = TopCard(ctx.FilaPiles[2]);
  Rect r;
  ASSERT_TRUE(FindCardRect(ctx, top, r));
  EXPECT_TRUE(ShowsFace(view.WindowCanvas(), top, r.Left, r.Top));
  Drag(CentreOf(top), ReserveCentre(1));
  EXPECT_EQ(ctx.AppoggPiles[1], CardCodeText(top));
  EXPECT_TRUE(ShowsFace(view.WindowCanvas(), top, ctx.GetReserveX(1), ctx.GetReserveY(1)));
  EXPECT_EQ(WindowMismatches(), 0);
}

TEST_F(PlayTest, WithShadowsAndFlightsNoShadowIsLeftBehind) {
  ctx.SetCfg(cfg::Cards_Shadowed, "Y");
  ctx.SetCfg(cfg::Piles_TT, "Y");
  Start(kFreeCell);
  int top = TopCard(ctx.FilaPiles[0]);
  Drag(CentreOf(top), ReserveCentre(0));
  EXPECT_EQ(ctx.AppoggPiles[0], CardCodeText(top));
  EXPECT_EQ(WindowMismatches(), 0) << "after a drop";
  top = TopCard(ctx.FilaPiles[1]);
  const Table before = Piles();
  Drag(CentreOf(top), QPoint(CentreOf(top).x() + 30, 700));
  EXPECT_EQ(Piles(), before);
  EXPECT_EQ(WindowMismatches(), 0) << "after a put-back";
  EXPECT_EQ(fakes.sound.played.size(), 0u) << "sounds are off";
}

TEST_F(PlayTest, APressOnAFaceDownTopTurnsItUp) {
  ctx.SetCfg(cfg::Automatic_FaceUp, "N");
  Start(kKlondike);
  Place(ctx.FilaPiles, 2, {Spades(3), Spades(4)}, {Spades(3), Spades(4)});
  Click(QPoint(ctx.TableauX[2] + ctx.CardWidth / 2, CardTopY(ctx, "Fila3", 2, 0, false) + 40));
  EXPECT_TRUE(IsFaceUp(ctx, Spades(4)));
  EXPECT_FALSE(IsFaceUp(ctx, Spades(3)));
  EXPECT_EQ(ctx.GameState.MovingCard(), 0) << "turning is no pick-up";
  Rect r;
  ASSERT_TRUE(FindCardRect(ctx, Spades(4), r));
  EXPECT_TRUE(ShowsFace(view.WindowCanvas(), Spades(4), r.Left, r.Top));
}

// Klondike's table with the stock turned into a dealer of other kinds.
class StockDealTest : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    if (IsSkipped()) return;
    Start(kKlondike);
    GameRulesRecord& rules = ctx.GameRules;
    rules.HasWaste() = 0;
    rules.TableauRedeal() = 0;
    rules.TalonStyle() = 0;
  }
};

TEST_F(StockDealTest, DealingToTheTableauWaitsUntilEveryGapIsFilled) {
  for (int i = 0; i < ctx.GameRules.TableauCount(); ++i) ctx.GameRules.StockDealToTableau(i) = 2;
  ctx.MazzoPiles[0] += ctx.FilaPiles[0];
  ctx.FilaPiles[0].clear();
  view.RedrawWholeTable();
  const Table before = Piles();
  Click(StockCentre(0));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], "Before deal, fill any gaps in the tableau");
  EXPECT_EQ(Piles(), before);
}

TEST_F(StockDealTest, AlternateReserveDealsAreOneUndoStepEach) {
  GameRulesRecord& rules = ctx.GameRules;
  rules.ReserveCount() = 2;
  rules.StockDealToReserve(0) = 4;
  rules.StockDealToReserve(1) = 4;
  ctx.SetReserveX(0, 800);
  ctx.SetReserveY(0, 400);
  ctx.SetReserveX(1, 900);
  ctx.SetReserveY(1, 400);
  const int stock = PileCardCount(ctx.MazzoPiles[0]);
  Click(StockCentre(0));
  EXPECT_EQ(PileCardCount(ctx.AppoggPiles[0]), 3);
  EXPECT_TRUE(ctx.AppoggPiles[1].empty());
  Click(StockCentre(0));
  EXPECT_EQ(PileCardCount(ctx.AppoggPiles[1]), 3);
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[0]), stock - 6);
  EXPECT_EQ(UndoDepth(ctx), 2);
  EXPECT_NE(ctx.UndoLog.find("002"), std::string::npos);
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_TRUE(ctx.AppoggPiles[1].empty()) << "the three deals of one click go back together";
  EXPECT_EQ(PileCardCount(ctx.AppoggPiles[0]), 3);
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[0]), stock - 3);
}

TEST_F(PlayTest, AnAnimatedDealFliesEveryCardAndEndsWithTheTableShown) {
  ctx.SetCfg(cfg::Deal_Animation, "Y");
  ctx.SetCfg(cfg::Cards_Shadowed, "Y");
  UsePlayFlights(view, play);
  int flights = 0;
  TableViewHooks& hooks = view.Hooks();
  auto fly = hooks.Flight;
  hooks.Flight = [&](int card, bool down, int fx, int fy, int tx, int ty) {
    ++flights;
    fly(card, down, fx, fy, tx, ty);
  };
  ctx.SetCfg(cfg::Game, "0000");
  ctx.SetCfg(cfg::DealNumber, "3");
  ASSERT_TRUE(SetupGame(ctx, play));
  ASSERT_TRUE(NewGame(ctx, play, true, true, 1, false));
  EXPECT_EQ(flights, 52 - PileCardCount(ctx.MazzoPiles[0]));
  EXPECT_EQ(ctx.TfrmMain.BusyDepth, 0);
  EXPECT_EQ(ctx.CfgIs(cfg::Cards_Shadowed, "Y"), true) << "the flights gave the setting back";
  EXPECT_EQ(WindowMismatches(), 0);
}

TEST_F(PlayTest, AutoplayAfterTheReleasePlaysUncoveredAces) {
  Start(kFreeCell);
  const int top = TopCard(ctx.FilaPiles[1]);
  Place(ctx.FilaPiles, 0, {Diamonds(1), top});
  ctx.TfrmMain.AutoPlayOn = 1;
  Drag(CentreOf(top), ReserveCentre(0));
  EXPECT_EQ(ctx.AppoggPiles[0], CardCodeText(top));
  int aces = 0;
  for (const std::string& d : ctx.DestPiles) aces += d.find(CardCodeText(Diamonds(1))) == 0;
  EXPECT_EQ(aces, 1);
  EXPECT_EQ(CardCount(), 52);

  // Not while a demo plays back.
  ctx.DemoMode = 1;
  const std::string before = ctx.FilaPiles[2];
  ctx.TfrmMain.GameInProgress = 1;
  RunAutoPlayAfterMove(ctx);
  EXPECT_EQ(ctx.FilaPiles[2], before);
}

TEST_F(PlayTest, SelectionHighlightsAndClickingAgainDeselects) {
  Start(kElevens);
  ASSERT_NE(ctx.GameRules.SelectionFoundation(), 0);
  // Two cards that do not complete a selection: both of one number rank.
  int a = 0, b = 0;
  for (int i = 0; i < ctx.GameRules.TableauCount() && !b; ++i) {
    const int c = TopCard(ctx.FilaPiles[static_cast<size_t>(i)]);
    if (c <= 0 || CardRank(c) > 10 || CardRank(c) == 0) continue;
    if (!a) {
      a = c;
    } else if (CardRank(a) + CardRank(c) != 11) {
      b = c;
    }
  }
  ASSERT_TRUE(a && b);
  Rect r;
  ASSERT_TRUE(FindCardRect(ctx, a, r));
  Click(CentreOf(a));
  EXPECT_EQ(SelectedCards(ctx), std::vector<int>{a});
  EXPECT_FALSE(ShowsFace(view.TableBmp(), a, r.Left, r.Top)) << "nothing was highlighted";
  EXPECT_EQ(WindowMismatches(), 0) << "window and table picture highlighted alike";
  // The highlighted card's rounded corners show the table, not its inversion.
  for (QPoint corner : {QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Top),
                        QPoint(r.Left, r.Bottom - 1), QPoint(r.Right - 1, r.Bottom - 1)}) {
    EXPECT_EQ(At(view.WindowCanvas(), corner.x(), corner.y()),
              At(view.BackgroundBmp(), corner.x(), corner.y()))
        << corner.x() << "," << corner.y();
  }
  EXPECT_EQ(ui.beeps, 0);
  Click(CentreOf(b));
  EXPECT_EQ(SelectedCards(ctx), (std::vector<int>{a, b}));
  Click(CentreOf(b));
  Click(CentreOf(a));
  EXPECT_TRUE(SelectedCards(ctx).empty());
  EXPECT_EQ(WindowMismatches(), 0);
  EXPECT_TRUE(ShowsFace(view.TableBmp(), a, r.Left, r.Top)) << "the highlight is gone";
}

struct SelectionCase {
  int kind, target;
  std::vector<int> cards;
  SelectionVerdict verdict;
  bool top = true;
  int firstPile = 0, clickedPile = 1;
};

TEST(SelectionVerdictTest, EachKindJudgesItsSelections) {
  using V = SelectionVerdict;
  const SelectionCase cases[] = {
      {17, 1, {Hearts(5), Spades(6)}, V::Complete},
      {17, 1, {Hearts(11)}, V::Accepted},
      {17, 1, {Hearts(11), Diamonds(12), Spades(13)}, V::Complete},
      {17, 1, {Hearts(5), Spades(11)}, V::Refused},
      {17, 1, {Hearts(11), Spades(11)}, V::Refused},
      {1, 15, {Hearts(7), Spades(8)}, V::Complete},
      {1, 15, {Hearts(10), Diamonds(10), Spades(10)}, V::Accepted},
      {1, 15, {Hearts(10), Diamonds(10), Spades(10), Diamonds(10) + 13}, V::Complete},
      {1, 15, {Hearts(10), Spades(11)}, V::Refused},
      {1, 15, {Hearts(5), Spades(10)}, V::Refused},
      {1, 10, {Hearts(3), Spades(7)}, V::Complete},
      {1, 10, {Hearts(2), Spades(3), Diamonds(4)}, V::Refused},
      {18, 1, {Hearts(1)}, V::Complete},
      {18, 1, {Hearts(1), Spades(5)}, V::Refused},
      {18, 1, {Hearts(11), Spades(5), Diamonds(6), Hearts(7)}, V::Complete},
      {18, 1, {Hearts(11), Spades(12)}, V::Refused},
      {18, 1, {Hearts(5), Diamonds(5)}, V::Refused},
      {24, 1, {Hearts(4), Spades(5)}, V::Complete},
      {24, 1, {Hearts(9)}, V::Complete},
      {24, 1, {Hearts(10), Spades(11), Diamonds(12), Hearts(13)}, V::Complete},
      {24, 1, {Hearts(9), Spades(10)}, V::Refused},
      {8, 1, {Hearts(4), Spades(4)}, V::Complete, true, 0, 1},
      {8, 1, {Hearts(4), Spades(4)}, V::Refused, true, 0, 7},
      {8, 1, {Hearts(4), Spades(5)}, V::Refused, true, 0, 1},
      {14, 1, {Hearts(4), Spades(4)}, V::Refused, false},
      {14, 1, {Hearts(4), Spades(4)}, V::Complete},
      {7, 13, {Hearts(6), Spades(7)}, V::Complete},
      {7, 13, {Hearts(6), Spades(3), Diamonds(4)}, V::Refused},
      {6, 13, {Spades(13)}, V::Complete},
      {6, 13, {Spades(6), Hearts(3)}, V::Accepted},
  };
  for (const SelectionCase& c : cases) {
    GameContext ctx;
    InitCardsAndPiles(ctx);
    ctx.GameRules.GameKind() = static_cast<int16_t>(c.kind);
    ctx.GameRules.SelectionFoundation() = static_cast<int16_t>(c.target);
    EXPECT_EQ(JudgeSelection(ctx, c.cards, c.cards.back(), c.top, c.firstPile, c.clickedPile),
              c.verdict)
        << "kind " << c.kind << ", " << c.cards.size() << " cards, first " << c.cards[0];
  }
}

TEST(PyramidTest, ACardIsUncoveredWhenTheNextRowNoLongerHoldsItsTwoCoveringCards) {
  GameContext ctx;
  InitCardsAndPiles(ctx);
  ctx.GameRules.TableauCount() = 3;
  ctx.FilaPiles[0] = "001";
  ctx.FilaPiles[1] = "002003";
  ctx.FilaPiles[2] = "004005006";
  EXPECT_TRUE(IsCardUncovered(ctx, 5)) << "last row";
  EXPECT_FALSE(IsCardUncovered(ctx, 2));
  ctx.FilaPiles[2] = "000000006";
  EXPECT_TRUE(IsCardUncovered(ctx, 2)) << "both covering cards gone";
  EXPECT_FALSE(IsCardUncovered(ctx, 3)) << "one covering card left";
  ctx.FilaPiles[2] = "000000000";
  EXPECT_TRUE(IsCardUncovered(ctx, 3)) << "every later row cleared";
  EXPECT_FALSE(IsCardUncovered(ctx, 9)) << "not on the table";
}

}  // namespace
}  // namespace tw

namespace tw::testing {
namespace {

// A reserve whose every card is in reach (Flower Garden's bouquet): a card
// under others is taken on its own, the cards over it stay.
TEST_F(PlayTest, ABouquetCardUnderOthersIsTakenAlone) {
  Start(84);
  ASSERT_EQ(ctx.GameRules.SingleCardPick(), -11);
  Place(ctx.AppoggPiles, 0, {Hearts(1), Spades(9), Hearts(5)});
  // The Ace lies under two cards: the third card from the top.
  const QPoint ace(CardLeftX(ctx, "Appogg1", 0, 2, false) + ctx.CardWidth / 2,
                   CardTopY(ctx, "Appogg1", 0, 2, false) + 4);
  Drag(ace, FoundationCentre(0));
  EXPECT_EQ(ctx.DestPiles[0], CardCodeText(Hearts(1)));
  EXPECT_EQ(ctx.AppoggPiles[0], CardCodeText(Spades(9)) + CardCodeText(Hearts(5)));
  EXPECT_EQ(WindowMismatches(), 0);
}

}  // namespace
}  // namespace tw::testing
