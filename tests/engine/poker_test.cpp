// Poker squares: the hand ratings, the grid score with its panel texts and
// flashes, and a whole deal of the shipped game through the move executor.
#include "engine/poker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/gamesfile.h"
#include "engine/executor.h"
#include "engine/legality.h"
#include "engine/undo.h"
#include "tests/engine/play_fixture.h"

namespace tw {
namespace {

using testing::C;
using testing::D;
using testing::H;
using testing::Pile;
using testing::S;

TEST(PokerHandTest, RatesEveryHand) {
  struct Case {
    std::array<int, 5> cards;
    int points;
    const char* name;
  } cases[] = {
      {{H(10), H(11), H(12), H(13), H(1)}, 100, "Royal Flush"},
      {{S(13), S(1), S(12), S(10), S(11)}, 100, "Royal Flush"},  // any order
      {{C(9), C(10), C(11), C(12), C(13)}, 75, "Straight Flush"},
      {{D(1), D(2), D(3), D(4), D(5)}, 75, "Straight Flush"},  // the Ace low
      {{H(2), H(7), H(9), H(11), H(13)}, 20, "Flush"},
      {{H(1), D(2), C(3), S(4), H(5)}, 15, "Straight"},
      {{H(10), D(11), C(12), S(13), H(1)}, 15, "Straight"},
      {{H(6), D(7), C(8), S(9), H(10)}, 15, "Straight"},
      {{H(11), D(12), C(13), S(1), H(2)}, 0, ""},  // no run through the King
      {{H(12), D(13), C(1), S(2), H(3)}, 0, ""},
      {{H(8), D(8), C(8), S(8), H(2)}, 50, "Four of a Kind"},
      {{H(8), D(8), C(8), S(2), H(2)}, 25, "Full House"},
      {{H(8), D(8), C(8), S(2), H(3)}, 10, "Three of a Kind"},
      {{H(8), D(8), C(2), S(2), H(3)}, 5, "Two Pair"},
      {{H(8), D(8), C(2), S(4), H(3)}, 2, "One Pair"},
      {{H(1), D(3), C(5), S(7), H(9)}, 0, ""},
      // The second deck rates as the first; five of a rank counts as four.
      {{H(1) + 52, H(10), H(11) + 52, H(12), H(13)}, 100, "Royal Flush"},
      {{H(8), H(8) + 52, D(8), D(8) + 52, C(8)}, 50, "Four of a Kind"},
      // Codes that are no card make no hand.
      {{0, H(2), H(3), H(4), H(5)}, 0, ""},
      {{105, H(2), H(3), H(4), H(5)}, 0, ""},
      {{-1, H(2), H(3), H(4), H(5)}, 0, ""},
  };
  for (const Case& c : cases) {
    std::string name = "stale";
    EXPECT_EQ(RatePokerHand(c.cards, name), c.points) << c.name;
    EXPECT_EQ(name, c.name);
  }
  std::string name;
  EXPECT_EQ(RatePokerHand(H(1), D(1), C(4), S(4), H(4), name), 25);
}

// The panel texts and flashes as the view receives them.
class PokerView : public testing::FakeView {
 public:
  void DrawPokerPanelText(const std::optional<std::string>& line1,
                          const std::optional<std::string>& line2, const std::string& label,
                          const std::string& value) override {
    calls.push_back("panel " + line1.value_or("-") + " / " + line2.value_or("-") + " / " + label +
                    value);
  }
  void HighlightPokerHand(const std::array<int, 5>& piles) override {
    std::string s = "flash";
    for (int p : piles) s += " " + std::to_string(p);
    calls.push_back(s);
  }
};

class PokerGridTest : public testing::PlayTest {
 protected:
  PokerGridTest() {
    fakes.ports.View = &view;
    ctx.GameRules.GameKind() = 9;
    ctx.GameRules.TableauCount() = 25;
    ctx.SetCfg(cfg::Sounds_Pairing, "Y");
  }
  void Place(int pile, int card) { ctx.FilaPiles[static_cast<size_t>(pile)] = Pile({card}); }
  PokerView view;
};

TEST_F(PokerGridTest, ACardCompletingARowAndAColumnScoresInTwoStages) {
  // Row 0 holds three Kings and a pair of 2s once pile 4 is filled; column
  // 4 (piles 4, 9, 14, 19, 24) a flush of spades. Row 1 already scores a pair.
  const int row0[] = {H(13), D(13), C(13), H(2)};
  for (int i = 0; i < 4; ++i) Place(i, row0[i]);
  const int col4[] = {S(3), S(7), S(9), S(11)};
  for (int k = 0; k < 4; ++k) Place(9 + 5 * k, col4[k]);
  const int row1[] = {H(5), D(5), C(6), H(7)};  // with pile 9's S(3)
  for (int i = 0; i < 4; ++i) Place(5 + i, row1[i]);
  Place(4, S(2));

  const PokerGridScore score = RatePokerGrid(ctx, S(2));
  ASSERT_EQ(score.completed.size(), 2u);
  EXPECT_EQ(score.total, 2 + 25 + 20);

  ScorePokerGrid(ctx, S(2));
  EXPECT_EQ(view.calls, (StringList{
                            "panel Full House / 25 points / Total: 27 points",
                            "flash 0 1 2 3 4",
                            "flash 0 1 2 3 4",
                            "panel Flush / 20 points / Total: 47 points",
                            "flash 4 9 14 19 24",
                            "flash 4 9 14 19 24",
                            "panel - / - / Total: 47 points",
                        }));
  EXPECT_EQ(fakes.window.scores, (StringList{"27", "47", "47"}));
  EXPECT_EQ(Sounds("Pairing"), 2);
  EXPECT_EQ(ctx.Cfg(cfg::Score), "47");
  EXPECT_FALSE(ctx.TfrmMain.GameWon);

  // A redraw shows the total only, without flashes or sounds.
  view.calls.clear();
  ScorePokerGrid(ctx, -1);
  EXPECT_EQ(view.calls, StringList{"panel - / - / Total: 47 points"});
  EXPECT_EQ(Sounds("Pairing"), 2);
}

TEST_F(PokerGridTest, OnlyFullLinesScoreAndAFullGridOfNothingShowsZero) {
  // A row with an empty cell is not rated, not even four of a straight flush.
  for (int i = 0; i < 4; ++i) Place(i, H(9 + i));
  ScorePokerGrid(ctx, H(12));
  EXPECT_EQ(view.calls, StringList{"panel - / - / Total: 0 points"});
  EXPECT_EQ(ctx.Cfg(cfg::Score), "0");

  // A full grid without a hand: no line repeats a rank or runs, and the
  // suits go round so that no line is of one suit.
  const int ranks[5][5] = {
      {1, 3, 5, 7, 9}, {4, 6, 8, 10, 2}, {8, 10, 2, 4, 6}, {11, 13, 9, 2, 4}, {6, 8, 12, 13, 11}};
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 5; ++c) {
      const int card = ((r + c) % 4) * 13 + ranks[r][c];
      Place(r * 5 + c, card);
    }
  }
  view.calls.clear();
  const PokerGridScore score = RatePokerGrid(ctx, -1);
  ASSERT_EQ(score.total, 0) << "the fixture holds a hand";
  ScorePokerGrid(ctx, TopCard(ctx.FilaPiles[24]));
  EXPECT_EQ(view.calls, StringList{"panel - / - / Total: 0 points"});
  EXPECT_EQ(ctx.Cfg(cfg::Score), "0");
  EXPECT_TRUE(ctx.TfrmMain.GameWon) << "a full grid ends the deal";
}

// The shipped game: the whole deck on the waste, placed cell by cell.
TEST_F(PokerGridTest, ADealOfTheShippedGameScoresEveryPlacementAndUndo) {
  const std::string dir = std::string(TW_DIST_DIR) + "/";
  if (!std::filesystem::exists(dir + kGamesFileName)) GTEST_SKIP() << "no games file built";
  CreateSharedGlobals(ctx, dir);
  InitCardsAndPiles(ctx);
  std::string error;
  ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
  int game = -1;
  for (const std::string& line : ctx.GameList) {
    ctx.SetCfg(cfg::Game, std::to_string(CatalogueNumber(line)));
    if (LoadGameRules(ctx) && ctx.GameRules.GameKind() == 9) game = CatalogueNumber(line);
  }
  ASSERT_GE(game, 0) << "no poker squares game in the games file";
  ctx.SetCfg(cfg::Game, std::to_string(game));
  ctx.SetCfg(cfg::Undo_Enabled, "0");
  ASSERT_TRUE(StartDealForPlay(ctx, "4711"));
  ASSERT_EQ(ctx.GameRules.TableauCount(), 25);
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[1]), 52);

  int last = 0;
  for (int cell = 24; cell >= 0; --cell) {
    const int card = TopCard(ctx.MazzoPiles[1]);
    // A cell takes one card only.
    if (cell < 24) {
      EXPECT_FALSE(CanDropOnPile(ctx, card, "Fila25"));
    }
    ASSERT_TRUE(CanDropOnPile(ctx, card, "Fila" + std::to_string(cell + 1)));
    ASSERT_TRUE(PlayToPile(ctx, card, "Fila" + std::to_string(cell + 1)));
    last = RatePokerGrid(ctx, -1).total;
    EXPECT_EQ(ctx.Cfg(cfg::Score), std::to_string(last));
    EXPECT_EQ(ctx.TfrmMain.GameWon != 0, cell == 0);
  }
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[1]), 27);
  // Undo rescores the grid.
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(ctx.Cfg(cfg::Score), std::to_string(RatePokerGrid(ctx, -1).total));
  EXPECT_FALSE(ctx.TfrmMain.GameWon);
  ASSERT_TRUE(UndoRedo(ctx, false, false));
  EXPECT_EQ(ctx.Cfg(cfg::Score), std::to_string(last));
}

}  // namespace
}  // namespace tw
