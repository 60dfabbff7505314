// Every game of the shipped games file deals each card exactly once.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "core/gamesfile.h"
#include "engine/deal.h"
#include "tests/engine/engine_fixture.h"

namespace tw {
namespace {

using testing::EngineTest;

TEST_F(EngineTest, EveryGameOfTheGamesFileDealsEachCardOnce) {
  const std::string dir = std::string(TW_DIST_DIR) + "/";
  if (!std::filesystem::exists(dir + kGamesFileName)) GTEST_SKIP() << "no games file built";
  CreateSharedGlobals(ctx, dir);
  InitCardsAndPiles(ctx);
  std::string error;
  ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
  ASSERT_FALSE(ctx.GameList.empty());

  int games = 0;
  for (const std::string& line : ctx.GameList) {
    const int game = CatalogueNumber(line);
    ctx.SetCfg(cfg::Game, std::to_string(game));
    for (const char* number : {"0", "1", "4711", "1234567890123", "9999999999999"}) {
      ctx.GameRules.Clear();
      ASSERT_TRUE(LoadGameRules(ctx)) << "game " << game;
      InitCardsAndPiles(ctx);
      ctx.SetCfg(cfg::DealNumber, number);
      const int n = ctx.GameRules.CardCount();
      ASSERT_TRUE(DealCards(ctx)) << "game " << game << " " << CatalogueName(line);
      std::map<int, int> tally = CardTally();
      bool once = tally.count(0) == 0 && static_cast<int>(tally.size()) == n;
      for (int c = 1; c <= n && once; ++c) once = tally[c] == 1;
      EXPECT_TRUE(once) << "game " << game << " " << CatalogueName(line) << ", deal " << number
                        << ": " << tally.size() << " distinct codes of " << n;
    }
    ++games;
  }
  RecordProperty("games", games);
  EXPECT_GT(games, 0);
}

}  // namespace
}  // namespace tw
