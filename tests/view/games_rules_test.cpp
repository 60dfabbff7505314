// Games whose rule words were mended to play as their traditional rules, and
// the games added beside them, checked through the table's mouse: the drag
// that the game's rules allow lands, the one they forbid goes back.
#include <functional>

#include "tests/view/play_fixture.h"

namespace tw::testing {
namespace {

struct DropCase {
  const char* what;
  int game;
  std::function<void()> setUp;  // places the cards
  int card;                              // dragged
  bool toFoundation;                     // else onto the top card of tableau pile 2
  int foundation;                        // 0-based
  bool lands;
};

TEST_F(PlayTest, MendedGamesJudgeTheirDragsByTheirTraditionalRules) {
  const DropCase cases[] = {
      {"Bristol builds its foundations regardless of suit", 85,
       [this] {
         Place(ctx.DestPiles, 0, {Hearts(1)});
         Place(ctx.FilaPiles, 0, {Spades(2)});
       },
       Spades(2), true, 0, true},
      {"Fortress lays no Ace on a King", 89,
       [this] {
         Place(ctx.FilaPiles, 0, {Hearts(1)});
         Place(ctx.FilaPiles, 1, {Hearts(13)});
       },
       Hearts(1), false, 0, false},
      {"Fortress still builds down in suit from a King", 89,
       [this] {
         Place(ctx.FilaPiles, 0, {Hearts(12)});
         Place(ctx.FilaPiles, 1, {Hearts(13)});
       },
       Hearts(12), false, 0, true},
      {"Bastion lays no King on an Ace", 93,
       [this] {
         Place(ctx.FilaPiles, 0, {Spades(13)});
         Place(ctx.FilaPiles, 1, {Spades(1)});
       },
       Spades(13), false, 0, false},
      {"Canister builds regardless of suit", 28,
       [this] {
         Place(ctx.FilaPiles, 0, {Clubs(7)});
         Place(ctx.FilaPiles, 1, {Spades(8)});
       },
       Clubs(7), false, 0, true},
  };
  for (const DropCase& c : cases) {
    SCOPED_TRACE(c.what);
    Start(c.game);
    c.setUp();
    const Table before = Piles();
    const QPoint to = c.toFoundation ? FoundationCentre(c.foundation)
                                     : CentreOf(TopCard(ctx.FilaPiles[1]));
    Drag(CentreOf(c.card), to);
    const std::string& target = c.toFoundation ? ctx.DestPiles[static_cast<size_t>(c.foundation)]
                                               : ctx.FilaPiles[1];
    EXPECT_EQ(TopCard(target) == c.card, c.lands);
    if (!c.lands) {
      EXPECT_TRUE(Piles() == before);
    }
  }
}

TEST_F(PlayTest, AgnesSorelDealsEveryCardFaceUpAndAcmeDealsTheAces) {
  Start(23);
  for (int i = 0; i < 7; ++i)
    for (int k = 0; k < PileCardCount(ctx.FilaPiles[static_cast<size_t>(i)]); ++k)
      EXPECT_TRUE(IsFaceUp(ctx, PileCardAt(ctx.FilaPiles[static_cast<size_t>(i)], k)))
          << "pile " << i + 1 << " card " << k + 1;
  Start(71);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ctx.DestPiles[static_cast<size_t>(i)], CardCodeText(i * 13 + 1));
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[0]), 31);
}

// Whitehorse turns three at a time and as often as wanted; Number Ten goes
// through its stock once.
TEST_F(PlayTest, StockPassesFollowEachGamesRules) {
  Start(31);
  Click(StockCentre(0));
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[1]), 3);
  for (int game : {31, 54}) {
    SCOPED_TRACE(game);
    Start(game);
    ctx.MazzoPiles[1] += ctx.MazzoPiles[0];
    ctx.MazzoPiles[0].clear();
    for (int k = 0; k < PileCardCount(ctx.MazzoPiles[1]); ++k)
      SetCardFace(ctx, PileCardAt(ctx.MazzoPiles[1], k), "1");
    view.RedrawWholeTable();
    const Table before = Piles();
    Click(StockCentre(0));
    if (game == 31) {
      EXPECT_GT(PileCardCount(ctx.MazzoPiles[0]), 0) << "the waste is turned back over";
    } else {
      EXPECT_TRUE(Piles() == before) << "no second pass";
    }
  }
}

// Congress fills a space at once from the waste.
TEST_F(PlayTest, CongressFillsASpaceFromTheWaste) {
  Start(65);
  Place(ctx.FilaPiles, 0, {Hearts(1)});
  Place(ctx.MazzoPiles, 1, {Spades(9)});
  Drag(CentreOf(Hearts(1)), FoundationCentre(0));
  EXPECT_EQ(ctx.DestPiles[0], CardCodeText(Hearts(1)));
  EXPECT_EQ(ctx.FilaPiles[0], CardCodeText(Spades(9)));
  EXPECT_TRUE(ctx.MazzoPiles[1].empty());
}

// Sly Fox: Kings and Aces out; a pile's card goes up between batches only.
TEST_F(PlayTest, SlyFoxPlaysItsPilesToTheFoundationsOnlyBetweenBatches) {
  Start(113, "2026121000003");
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(PileCardAt(ctx.DestPiles[static_cast<size_t>(i)], 0), i * 13 + 13);
    EXPECT_EQ(PileCardAt(ctx.DestPiles[static_cast<size_t>(i + 4)], 0), i * 13 + 1);
  }
  // The deal has played up what fitted; the next heart goes on foundation 5.
  const auto nextHeart = [this] { return Hearts(CardRank(TopCard(ctx.DestPiles[4])) + 1); };
  const int first = nextHeart();
  Place(ctx.FilaPiles, 0, {first});
  Drag(CentreOf(first), FoundationCentre(4));
  EXPECT_EQ(TopCard(ctx.DestPiles[4]), first) << "before the first batch";
  EXPECT_EQ(PileCardCount(ctx.FilaPiles[0]), 1) << "the space is refilled from the stock";

  Click(StockCentre(0));
  ASSERT_EQ(PileCardCount(ctx.MazzoPiles[1]), 20);
  const int turned = TopCard(ctx.MazzoPiles[1]);
  Drag(CentreOf(turned), CentreOf(TopCard(ctx.FilaPiles[5])));
  ASSERT_EQ(TopCard(ctx.FilaPiles[5]), turned);
  const int second = nextHeart();
  Place(ctx.FilaPiles, 1, {second});
  const Table before = Piles();
  Drag(CentreOf(second), FoundationCentre(4));
  EXPECT_TRUE(Piles() == before) << "inside a batch";
}

}  // namespace
}  // namespace tw::testing
