// Random play over every game of the shipped games file: drops found by the
// engine's own legality, stock clicks, autoplay, undo and redo. No card is
// ever lost or doubled, and the history gives back every table exactly.
#include "engine/random_player.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/gamesfile.h"
#include "engine/undo.h"
#include "tests/engine/play_fixture.h"

namespace tw {
namespace {

using testing::C;
using testing::D;
using testing::H;
using testing::PlayTest;
using testing::S;

constexpr int kStepsPerDeal = 250;

TEST_F(PlayTest, RandomPlayKeepsEveryCardAndHistoryRoundTrips) {
  const std::string dir = std::string(TW_DIST_DIR) + "/";
  if (!std::filesystem::exists(dir + kGamesFileName)) GTEST_SKIP() << "no games file built";
  CreateSharedGlobals(ctx, dir);
  InitCardsAndPiles(ctx);
  ctx.SetCfg(cfg::ScoreKind, "01");
  ctx.SetCfg(cfg::Undo_Enabled, "0");
  ctx.SetCfg(cfg::Automatic_FaceUp, "Y");
  std::string error;
  ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
  ASSERT_FALSE(ctx.GameList.empty());

  int games = 0;
  long long moves = 0;
  int selections = 0, tableauRedeals = 0;
  for (const std::string& line : ctx.GameList) {
    const int game = CatalogueNumber(line);
    ctx.SetCfg(cfg::Game, std::to_string(game));
    for (const char* number : {"0", "1", "4711", "31337", "1234567890123"}) {
      const std::string where =
          "game " + std::to_string(game) + " " + CatalogueName(line) + ", deal " + number;
      ASSERT_TRUE(StartDealForPlay(ctx, number)) << where;
      const int n = ctx.GameRules.CardCount();
      const std::string dealt = Snapshot();
      RandomPlayer player(static_cast<uint64_t>(game) * 7919 + std::stoull(number));
      std::string why;
      for (int step = 0; step < kStepsPerDeal; ++step) {
        const RandomPlayer::Action action = player.Step(ctx);
        if (action != RandomPlayer::Action::None) ++moves;
        if (action == RandomPlayer::Action::Select) ++selections;
        ASSERT_TRUE(EachCardOnce(n, why)) << where << ", step " << step << ": " << why;
      }
      const std::string played = Snapshot();
      const int redeals = ctx.GameState.RedealsDone();
      if (ctx.GameRules.TableauRedeal() >= 1 && redeals > 1) ++tableauRedeals;
      const int depth = UndoDepth(ctx);
      for (int k = 0; k < depth; ++k) ASSERT_TRUE(UndoRedo(ctx, true, false)) << where;
      EXPECT_FALSE(UndoRedo(ctx, true, false)) << where;
      EXPECT_EQ(Snapshot(), dealt) << where;
      EXPECT_EQ(ctx.GameState.RedealsDone(), 1) << where;
      EXPECT_EQ(ctx.GameState.MovesMade(), 0) << where;
      for (int k = 0; k < depth; ++k) ASSERT_TRUE(UndoRedo(ctx, false, false)) << where;
      EXPECT_EQ(Snapshot(), played) << where;
      EXPECT_EQ(ctx.GameState.RedealsDone(), redeals) << where;
      if (depth > 0) {
        EXPECT_EQ(ctx.GameState.MovesMade(), 2) << where;
      }
    }
    ++games;
  }
  RecordProperty("games", games);
  RecordProperty("moves", static_cast<int>(moves));
  EXPECT_GT(games, 0);
  EXPECT_GT(moves, games * 100LL);
  // The selection games and the tableau redeal are played too.
  EXPECT_GT(selections, 0);
  EXPECT_GT(tableauRedeals, 0);
}

// Kind 1 selections: cards up to nine adding to the target (two of them for
// 10), or four Kings. The search skips sets that cannot grow into one; every
// complete set must still be found, in pile order.
TEST_F(PlayTest, SumSelectionsAreAllFoundInPileOrder) {
  using Sets = std::vector<std::vector<int>>;
  const Sets fifteens = {{H(1), H(5), H(9)}, {H(1), H(9), D(5)}, {H(13), D(13), C(13), S(13)}};
  const Sets tens = {{H(1), H(9)}, {H(5), D(5)}, {H(13), D(13), C(13), S(13)}};
  const std::vector<int> tops = {H(1), H(5), H(9), H(13), D(13), C(13), S(13), D(5)};
  GameRulesRecord& r = ctx.GameRules;
  r.GameKind() = 1;
  r.TableauCount() = static_cast<int16_t>(tops.size());
  for (size_t i = 0; i < tops.size(); ++i) Lay(ctx.FilaPiles, static_cast<int>(i), {tops[i]});
  for (const auto& [target, expected] : {std::pair{15, fifteens}, std::pair{10, tens}}) {
    r.SelectionFoundation() = static_cast<int16_t>(target);
    EXPECT_EQ(CompleteSelections(ctx), expected) << "target " << target;
  }
}

}  // namespace
}  // namespace tw
