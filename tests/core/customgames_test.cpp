#include "core/customgames.h"

#include <gtest/gtest.h>

#include "core/gamesfile.h"
#include "tests/core/games_fixture.h"

namespace tw {
namespace {

std::string Record(int number, const std::string& name, int base, const std::string& rule) {
  std::string b = std::to_string(base);
  std::string text = std::to_string(number) + PadRight(name, 50) + std::string(4 - b.size(), '0') +
                     b + "\r\n" + rule + "\r\n";
  for (int i = 0; i < 28; ++i) text += "\r\n";
  return text;
}

class CustomGamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateSharedGlobals(ctx, dir.Dir());
    // Game 1 lets the three rules be decided from its other words; game 2
    // has a tableau that takes no building.
    testing::FixtureRules rules;
    rules[7] = {{1, "1"}, {2, "1"}};
    rules[8] = {{1, "1"}};
    rules[150] = {{1, "3"}, {2, "4"}};
    rules[258] = {{1, "2"}, {2, "1"}};
    rules[262] = {{2, "1"}};
    rules[202] = {{1, "0"}, {2, "1"}};
    rules[203] = {{1, "0"}, {2, "0"}};
    rules[28] = {{1, "0"}, {2, "0"}};
    for (int p : {335, 336, 337}) rules[p] = {{1, "2"}, {2, "2"}};
    testing::WriteLines(dir.File("GAMES.DAT"),
                        testing::GamesFileLines({{1, 4, "FreeCell"}, {2, 7, "Other"}}, rules));
    std::string error;
    ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
    sys::MakeDirectory(dir.File("DATA"));
  }
  void WriteCustom(const std::string& records) {
    dir.Write("DATA/GAM_CUST.DAT", "[R-0301]\r\n" + records);
  }
  std::vector<std::string> CustomLines() {
    std::vector<std::string> lines;
    sys::ReadFileLines(dir.File("DATA/GAM_CUST.DAT"), lines);
    return lines;
  }

  testing::TempDir dir;
  GameContext ctx;
};

TEST_F(CustomGamesTest, NoFileMeansNoCustomGames) {
  StringList names{"x"}, numbers, bases, rules;
  EXPECT_FALSE(LoadCustomGameList(ctx, names, numbers, bases, rules));
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(NextFreeCustomGameNumber(ctx), 8000);
  int base = 5;
  std::string rule = "x";
  EXPECT_FALSE(FindCustomGame(ctx, 8000, base, rule));
  EXPECT_EQ(base, -1);
  EXPECT_EQ(rule, "");
  EXPECT_EQ(CustomGameNumberByName(ctx, "Any"), -1);
  EXPECT_EQ(CustomGameName(ctx, 8000), "");
}

TEST_F(CustomGamesTest, LookupsOverRecords) {
  WriteCustom(Record(8000, "same", 1, "003-011") + Record(8002, "Alpha", 2, "0010012") +
              Record(8003, "Same", 1, "001") + Record(8004, "same", 2, "0020013"));
  EXPECT_EQ(NextFreeCustomGameNumber(ctx), 8001);
  EXPECT_EQ(CustomGameNumberByName(ctx, "same  "), 8004);  // the later of two
  EXPECT_EQ(CustomGameName(ctx, 8000), "same");
  EXPECT_EQ(CustomGameName(ctx, 8004), "same");
  int base = 0;
  std::string rule;
  ASSERT_TRUE(FindCustomGame(ctx, 8002, base, rule));
  EXPECT_EQ(base, 2);
  EXPECT_EQ(rule, "0010012");
  EXPECT_FALSE(FindCustomGame(ctx, 8001, base, rule));
  EXPECT_EQ(base, -1);

  StringList names, numbers, bases, rules;
  ASSERT_TRUE(LoadCustomGameList(ctx, names, numbers, bases, rules));
  EXPECT_EQ(numbers, (StringList{"8002", "8000", "8003", "8004"}));  // by name, case ignored
  EXPECT_EQ(names[0], PadRight("Alpha", 50));
  EXPECT_EQ(bases, (StringList{"0002", "0001", "0001", "0002"}));
  EXPECT_EQ(rules, (StringList{"0010012", "003-011", "001", "0020013"}));
}

TEST_F(CustomGamesTest, AddCustomGameWritesARecordOnTheStride) {
  int number = 0;
  std::string error;
  ASSERT_TRUE(AddCustomGame(ctx, "My FreeCell", 1, 3, -1, 1, number, error)) << error;
  EXPECT_EQ(number, 8000);
  ASSERT_TRUE(AddCustomGame(ctx, "Second", 8000, 1, 1000, 2, number, error)) << error;
  EXPECT_EQ(number, 8001);
  std::vector<std::string> lines = CustomLines();
  ASSERT_EQ(lines.size(), 61u);
  EXPECT_EQ(lines[0], "[R-0301]");
  EXPECT_EQ(lines[1], "8000" + PadRight("My FreeCell", 50) + "0001");
  EXPECT_EQ(lines[2], "003-011");
  EXPECT_EQ(lines[31], "8001" + PadRight("Second", 50) + "0001");  // the base of 8000
  EXPECT_EQ(lines[32], "0019992");  // a redeal count of 1000 is kept to 999
  for (int i = 3; i < 31; ++i) EXPECT_EQ(lines[static_cast<size_t>(i)], "");

  ctx.SetCfg(cfg::Game, "8000");
  ASSERT_TRUE(LoadGameRules(ctx));
  EXPECT_EQ(ctx.GameRules.CardsPerStockTurn(), 3);
  EXPECT_EQ(ctx.GameRules.Deals(), -1);
}

TEST_F(CustomGamesTest, AddCustomGameRefusesWhatTheFileCannotHold) {
  struct {
    std::string name;
    int base;
    const char* message;
  } cases[] = {
      {"   ", 1, "name"},
      {"Bad\tname", 1, "control characters"},
      {"FREECELL", 1, "already exists"},
      {"Fine", 3, "Unknown base game"},
      {"Fine", 8100, "cannot be found"},
  };
  for (const auto& c : cases) {
    int number = 0;
    std::string error;
    EXPECT_FALSE(AddCustomGame(ctx, c.name, c.base, 1, 1, 1, number, error)) << c.name;
    EXPECT_EQ(number, -1);
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }

  // Every number from 8000 to 9999 taken: the 2001st variant is refused and
  // the file stays as it was.
  std::string all;
  for (int n = 8000; n <= 9999; ++n) all += Record(n, "V" + std::to_string(n), 1, "0010012");
  WriteCustom(all);
  std::string before = dir.Read("DATA/GAM_CUST.DAT");
  EXPECT_EQ(NextFreeCustomGameNumber(ctx), 10000);
  int number = 0;
  std::string error;
  EXPECT_FALSE(AddCustomGame(ctx, "One more", 1, 1, 1, 1, number, error));
  EXPECT_NE(error.find("No more custom games"), std::string::npos) << error;
  EXPECT_EQ(dir.Read("DATA/GAM_CUST.DAT"), before);
}

// A custom-games file that cannot be read is kept: no game is added (which
// would reuse a number and inherit that game's results), and the user is
// told once.
TEST_F(CustomGamesTest, AnUnreadableFileIsNeverReplaced) {
  int told = 0;
  sys::SetFileProblemReporter([&](sys::FileProblem, const std::string&) { ++told; });
  dir.WriteUnreadable("DATA/GAM_CUST.DAT", "[R-0301]\r\n" + Record(8000, "Mine", 1, "001-011"));
  int number = 0;
  std::string error;
  EXPECT_FALSE(AddCustomGame(ctx, "Another", 1, 3, -1, 1, number, error));
  EXPECT_EQ(number, -1);
  EXPECT_NE(error.find("GAM_CUST.DAT"), std::string::npos) << error;
  EXPECT_TRUE(dir.Unreadable("DATA/GAM_CUST.DAT"));
  EXPECT_EQ(NextFreeCustomGameNumber(ctx), kLastCustomGame + 1);
  StringList names, numbers, bases, rules;
  EXPECT_FALSE(LoadCustomGameList(ctx, names, numbers, bases, rules));
  EXPECT_EQ(told, 1);
  sys::SetFileProblemReporter({});
}

TEST_F(CustomGamesTest, AddCustomGameKeepsRecordsAlignedAfterACutFile) {
  // The last record lost its blank lines.
  dir.Write("DATA/GAM_CUST.DAT", "[R-0301]\r\n8000" + PadRight("Cut", 50) + "0001\r\n003-011\r\n");
  int number = 0;
  std::string error;
  ASSERT_TRUE(AddCustomGame(ctx, "Next", 1, 1, 1, 3, number, error)) << error;
  EXPECT_EQ(number, 8001);
  std::vector<std::string> lines = CustomLines();
  ASSERT_EQ(lines.size(), 61u);
  EXPECT_EQ(lines[31].substr(0, 8), "8001Next");
  EXPECT_EQ(CustomGameName(ctx, 8001), "Next");
}

TEST_F(CustomGamesTest, CustomizableRules) {
  WriteCustom(Record(8000, "Var", 2, "0010012") + Record(8001, "Lost", 7, "0010012"));
  struct {
    int game;
    bool ok, cards, deals, start;
  } cases[] = {
      {1, true, true, true, true},        // derived: stock and waste, no tableau deal
      {2, true, false, false, false},     // deals to the tableau; tableau rule 4
      {8000, true, false, false, false},  // the base game's words
      {8001, true, false, false, false},  // base not in the games file: all -99
      {8002, false, false, false, false},
  };
  for (const auto& c : cases) {
    bool cards = true, deals = true, start = true;
    EXPECT_EQ(GetCustomizableRules(ctx, c.game, cards, deals, start), c.ok) << c.game;
    EXPECT_EQ(cards, c.cards) << c.game;
    EXPECT_EQ(deals, c.deals) << c.game;
    EXPECT_EQ(start, c.start) << c.game;
  }
}

}  // namespace
}  // namespace tw
