// Demonstration games: the source format, and a demo for every game of the
// shipped games file that opens as the program opens it and replays to a win
// from the deal its number deals.
#include "engine/demo_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/gamesfile.h"
#include "engine/autoplay.h"
#include "engine/savegame.h"
#include "engine/undo.h"
#include "tests/common/table_text.h"

namespace tw {
namespace {

using testing::TableText;

TEST(DemoSource, MovesReadBackAsWritten) {
  for (const char* text : {"stock", "AH Dest1", "TS Fila12 x3", "QD2 Appogg8", "KC Waste",
                           "select 5H 8C", "select KS"}) {
    DemoMove move;
    ASSERT_TRUE(ParseDemoMove(text, move)) << text;
    EXPECT_EQ(FormatDemoMove(move), text);
  }
  EXPECT_EQ(DemoCardCode("AH"), 1);
  EXPECT_EQ(DemoCardCode("KS"), 52);
  EXPECT_EQ(DemoCardCode("AH2"), 53);
  for (const char* bad : {"", "ZZ Dest1", "AH", "AH Dest", "AH Dest0", "AH Table1", "AH Fila1 x1",
                          "AH Fila1 3", "AH Fila1 x3 y", "select", "select 5H 1C", "stock 2",
                          "AH3 Fila1"}) {
    DemoMove move;
    EXPECT_FALSE(ParseDemoMove(bad, move)) << bad;
  }
}

TEST(DemoSource, SourceNamesTheFaultyLine) {
  DemoSource source;
  std::string error;
  ASSERT_TRUE(ParseDemoSource({"# a note", "game 12", "deal 4711", "", "stock", "AH Dest1"},
                              source, error))
      << error;
  EXPECT_EQ(source.game, 12);
  EXPECT_EQ(source.deal, "4711");
  ASSERT_EQ(source.moves.size(), 2u);
  EXPECT_EQ(FormatDemoSource(source),
            (StringList{"# a note", "game 12", "deal 4711", "stock", "AH Dest1"}));
  struct Case {
    StringList lines;
    const char* names;
  };
  for (const Case& c : {Case{{"deal 1"}, "line 1"}, Case{{"game 1", "stock"}, "line 2"},
                        Case{{"game 1", "deal 1", "AH Nowhere"}, "line 3"},
                        Case{{"game 1"}, "missing"}}) {
    EXPECT_FALSE(ParseDemoSource(c.lines, source, error));
    EXPECT_NE(error.find(c.names), std::string::npos) << error;
  }
}

TEST(Demos, EveryGameHasAWinningDemo) {
  const std::string dir = std::string(TW_DIST_DIR) + "/";
  if (!std::filesystem::exists(dir + kGamesFileName)) GTEST_SKIP() << "no games file built";
  HeadlessPlay play(dir);
  ASSERT_TRUE(play.ready) << play.error;
  GameContext& ctx = play.ctx;
  ASSERT_FALSE(ctx.GameList.empty());
  for (const std::string& line : ctx.GameList) {
    const int game = CatalogueNumber(line);
    const std::string where = "game " + std::to_string(game) + " " + CatalogueName(line);
    ctx.SetCfg(cfg::Game, std::to_string(game));
    ctx.TfrmMain.GameInProgress = 0;
    std::string error;
    if (!OpenDemoGame(ctx, error)) {
      ADD_FAILURE() << where << ": " << error;
      continue;
    }
    EXPECT_TRUE(IsGameWon(ctx)) << where << ": the demo does not end in a win";
    const int moves = UndoDepth(ctx);
    EXPECT_GT(moves, 0) << where;
    for (int k = 0; k < moves; ++k) ASSERT_TRUE(UndoRedo(ctx, true, true)) << where;
    const std::string first = TableText(ctx);
    EXPECT_FALSE(IsGameWon(ctx)) << where;
    // The history starts from the deal its number deals.
    const std::string deal = ctx.Cfg(cfg::DealNumber);
    for (int k = 0; k < moves; ++k) ASSERT_TRUE(UndoRedo(ctx, false, true)) << where;
    EXPECT_TRUE(IsGameWon(ctx)) << where;
    ASSERT_TRUE(StartDealForPlay(ctx, deal)) << where;
    EXPECT_EQ(TableText(ctx), first) << where << ": the demo does not start from deal " << deal;
  }
}

}  // namespace
}  // namespace tw
