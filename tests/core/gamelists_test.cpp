#include "core/gamelists.h"

#include <gtest/gtest.h>

#include "core/gamesfile.h"
#include "tests/core/games_fixture.h"

namespace tw {
namespace {

TEST(IndexOfTrimmedTextTest, TrailingBlanksOnlyAreIgnored) {
  const StringList items{"Klondike   ", "FreeCell", "Spider  ", "FreeCell  "};
  struct Case {
    const char* text;
    int index;
  } cases[] = {
      {"Klondike", 0},  {"Klondike      ", 0}, {"FreeCell", 1},  // first duplicate
      {"freecell", -1}, {" Spider", -1},       {"Spider", 2},   {"", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(IndexOfTrimmedText(items, c.text), c.index) << c.text;
  EXPECT_EQ(IndexOfTrimmedText({}, "Spider"), -1);
  EXPECT_EQ(IndexOfTrimmedText({"   "}, ""), 0);
}

TEST(GameNameOrderTest, CaseIgnoredThenOriginalText) {
  StringList names{"spider",     "Baker's Game", "Spider", "baker's dozen",
                   "Spiderette", "\xC9lan",      "Eleven"};
  SortGameNames(names);
  const StringList want{"baker's dozen", "Baker's Game", "Eleven", "Spider",
                        "spider",        "Spiderette",   "\xC9lan"};
  EXPECT_EQ(names, want);
}

TEST(BuildSortedGameNamesTest, CustomGamesAmongCatalogueNamesPaddedAsStored) {
  testing::TempDir dir;
  GameContext ctx;
  CreateSharedGlobals(ctx, dir.Dir());
  testing::WriteLines(
      dir.File("GAMES.DAT"),
      testing::GamesFileLines({{0, 5, "Klondike"}, {1, 4, "FreeCell"}, {2, 8, "Spider"}}, {}));
  std::string error;
  ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
  sys::MakeDirectory(dir.File("DATA"));
  std::string text = "[R-0301]\r\n8000" + PadRight("Gentle Klondike", 50) + "0000\r\n";
  text += "003000 1\r\n";
  for (int i = 0; i < 28; ++i) text += "\r\n";
  dir.Write("DATA/GAM_CUST.DAT", text);

  const StringList names = BuildSortedGameNames(ctx);
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names[0], PadRight("FreeCell", 50));
  EXPECT_EQ(names[1], PadRight("Gentle Klondike", 50));
  EXPECT_EQ(names[2], PadRight("Klondike", 50));
  EXPECT_EQ(IndexOfTrimmedText(names, GameNameFromNumber(ctx, 2)), 3);
}

}  // namespace
}  // namespace tw
