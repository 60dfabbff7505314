#include "core/gamesfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "core/customgames.h"
#include "tests/core/games_fixture.h"

namespace tw {
namespace {

using testing::FixtureGame;
using testing::FixtureRules;

std::vector<FixtureGame> Games() {
  return {{0, 5, "Zero"}, {1, 4, "FreeCell"}, {3, 7, "Three"}, {4, 9, "Hidden", '9'}};
}

FixtureRules Rules() {
  FixtureRules r;
  r[1] = {{0, "1"}, {1, "2"}, {3, "3"}, {4, "4"}};
  r[17] = {{0, "5"}, {1, "-7"}};  // game 3: blank field
  for (int p = 98; p <= 123; ++p) r[p] = {{1, "13"}};
  r[260] = {{1, "3"}};
  r[263] = {{0, "52"}, {1, "52"}, {3, "104"}};
  r[342] = {{1, "40000"}};
  // No line for parameter 5.
  return r;
}

std::string CustomRecord(int number, const std::string& name, int base, const std::string& rule) {
  std::string n = std::to_string(number), b = std::to_string(base);
  return n + PadRight(name, 50) + std::string(4 - b.size(), '0') + b + "\r\n" + rule + "\r\n" + [] {
    std::string blank;
    for (int i = 0; i < 28; ++i) blank += "\r\n";
    return blank;
  }();
}

class GamesFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateSharedGlobals(ctx, dir.Dir());
    Write(testing::GamesFileLines(Games(), Rules(), {3, 1}));
  }
  void Write(const std::vector<std::string>& lines) {
    testing::WriteLines(dir.File("GAMES.DAT"), lines);
    ctx.GamesData.reset();
  }
  void WriteCustom(const std::string& records) {
    sys::MakeDirectory(dir.File("DATA"));
    dir.Write("DATA/GAM_CUST.DAT", "[R-0301]\r\n" + records);
  }
  bool Load(const std::string& game) {
    ctx.SetCfg(cfg::Game, game);
    return LoadGameRules(ctx);
  }
  void Catalogue() {
    std::string error;
    ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
  }

  testing::TempDir dir;
  GameContext ctx;
};

TEST(RuleFieldTest, ColumnsAndFieldStates) {
  std::string line = "0017" + std::string(12, ' ') + ShiftText(std::string(54, ' '));
  line.replace(16, 2, ShiftText("12"));  // game 0 at character 17
  line.replace(27, 2, ShiftText("-3"));  // game 1 at character 28
  line.replace(49, 3, ShiftText("1x2"));
  line.replace(60, 10, std::string(10, ' '));  // unshifted blanks read as empty too
  struct {
    std::string text;
    int game;
    RuleField field;
    int16_t value;
  } cases[] = {
      {line, 0, RuleField::Value, 12},
      {line, 1, RuleField::Value, -3},
      {line, 2, RuleField::Empty, 0},
      {line, 3, RuleField::Bad, 0},
      {line, 4, RuleField::Empty, 0},
      {line.substr(0, 30), 1, RuleField::Cut, -3},
      {line.substr(0, 27), 1, RuleField::Missing, 0},
      {line, -1, RuleField::Missing, 0},
      {"0017" + std::string(12, ' ') + ShiftText("99999"), 0, RuleField::Cut, 32767},
  };
  for (const auto& c : cases) {
    int16_t v = 1;
    EXPECT_EQ(DecodeRuleField(c.text, c.game, v), c.field) << c.game;
    EXPECT_EQ(v, c.value) << c.game;
  }
}

TEST_F(GamesFileTest, LoadsColumnsAndMissingLinesReadZeroOrMinus99) {
  Catalogue();
  EXPECT_EQ(ctx.GameList.size(), 3u);  // the hidden game is not offered

  ASSERT_TRUE(Load("0"));
  EXPECT_EQ(ctx.GameRules[1], 1);
  EXPECT_EQ(ctx.GameRules.CardsPerStockTurn(), 5);
  ASSERT_TRUE(Load("1"));
  EXPECT_EQ(ctx.GameRules[1], 2);
  EXPECT_EQ(ctx.GameRules.CardsPerStockTurn(), -7);
  EXPECT_EQ(ctx.GameRules[5], 0);  // no line
  EXPECT_EQ(ctx.GameRules[342], 32767);
  EXPECT_EQ(ctx.GameRules.TableauStart(25), 13);
  EXPECT_EQ(ctx.SavedPileRules[25], 13);
  ASSERT_TRUE(Load("3"));
  EXPECT_EQ(ctx.GameRules.CardsPerStockTurn(), 0);  // blank field
  EXPECT_EQ(ctx.GameRules.CardCount(), 104);

  EXPECT_EQ(ReadGamesDatValues(ctx, 1, {5, 17, -1, 1, 263, 400}),
            (std::vector<int16_t>{-99, -7, -99, 2, 52, -99}));
  EXPECT_EQ(ctx.GamesData->SelectedGames(), (std::vector<int>{3, 1}));
}

TEST_F(GamesFileTest, CustomVariantOverridesOnlyTheTableauPilesInUse) {
  Catalogue();
  struct {
    std::string rule;
    int16_t cards, deals, start;
  } cases[] = {
      {"003-011", 3, -1, 91}, {"0010052", 1, 5, -1},
      {"0020013", 2, 1, 0},   {"0020019", 2, 1, 13},  // unknown start code: the base game's start
      {"00", -7, 0, 13},                              // a rule line cut short changes nothing
      {"", -7, 0, 13},
  };
  for (const auto& c : cases) {
    WriteCustom(CustomRecord(8000, "Variant", 1, c.rule));
    ASSERT_TRUE(Load("8000")) << c.rule;
    EXPECT_EQ(ctx.GameRules.CardsPerStockTurn(), c.cards) << c.rule;
    EXPECT_EQ(ctx.GameRules.Deals(), c.deals) << c.rule;
    for (int i = 0; i < 26; ++i) {
      EXPECT_EQ(ctx.GameRules.TableauStart(i), i < 3 ? c.start : 13) << c.rule << " pile " << i;
    }
    EXPECT_EQ(ctx.GameRules[1], 2) << "the base game's column";
  }
}

TEST_F(GamesFileTest, FailsAndChangesNothingWithoutAGameToLoad) {
  Catalogue();
  WriteCustom(CustomRecord(8000, "Variant", 1, "003-011") +
              CustomRecord(8001, "Orphan", 2, "003-011"));
  for (const char* game : {"", "-001", "abc", "8002", "8001", "2"}) {
    ctx.GameRules.words.fill(7);
    EXPECT_FALSE(Load(game)) << game;
    EXPECT_EQ(ctx.GameRules[200], 7) << game;
  }
  std::remove(dir.File("GAMES.DAT").c_str());
  ctx.GamesData.reset();
  ctx.GameRules.words.fill(7);
  EXPECT_FALSE(Load("1"));
  EXPECT_EQ(ctx.GameRules[1], 7);
  EXPECT_EQ(ReadGamesDatValues(ctx, 1, {1}), std::vector<int16_t>{-99});
}

TEST_F(GamesFileTest, SkipsLinesWithAnUnusableParameterNumber) {
  std::vector<std::string> lines = testing::GamesFileLines(Games(), Rules());
  auto sect = std::find(lines.begin(), lines.end(), "[SectS]");
  std::map<int, std::string> v{{1, "9"}};
  std::string wild = testing::RuleLine(344, v, 5);
  lines.insert(sect, {wild, "9999" + wild.substr(4), "ab12" + wild.substr(4), "12", ""});
  Write(lines);
  Catalogue();
  ASSERT_TRUE(Load("1"));
  EXPECT_EQ(ctx.GameRules[12], 0);
  EXPECT_EQ(ctx.GameRules[1], 2);
}

TEST_F(GamesFileTest, DamagedFileGivesAClearMessage) {
  const std::vector<std::string> good = testing::GamesFileLines(Games(), Rules());
  auto lineOf = [&](const std::string& start) {
    for (size_t i = 0; i < good.size(); ++i) {
      if (good[i].compare(0, start.size(), start) == 0) return i;
    }
    return size_t{0};
  };
  struct Case {
    const char* what;
    std::function<void(std::vector<std::string>&)> damage;
    const char* message;
  };
  const Case cases[] = {
      {"no rule table", [&](auto& l) { l.erase(l.begin() + lineOf("[Sect2]")); }, "[Sect2]"},
      {"no catalogue", [&](auto& l) { l.erase(l.begin() + lineOf("[Sect1]")); }, "[Sect1]"},
      {"value", [&](auto& l) { l[lineOf("0263")].replace(27, 2, ShiftText("5x")); },
       "parameter 263 of game 1 is not a number (\"5x\")"},
      {"cut in a field", [&](auto& l) { l[lineOf("0263")].resize(30); },
       "parameter 263 is cut short"},
      {"cut before the columns", [&](auto& l) { l[lineOf("0017")].resize(10); },
       "parameter 17 is cut short"},
      {"catalogue line", [&](auto& l) { l[lineOf("[Sect1]") + 2] = ShiftText("4   x"); },
       "catalogue line 2"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = good;
    c.damage(lines);
    Write(lines);
    std::string error;
    EXPECT_FALSE(LoadGameCatalogue(ctx, error)) << c.what;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
    EXPECT_NE(error.find("damaged"), std::string::npos) << c.what << ": " << error;
  }
  std::remove(dir.File("GAMES.DAT").c_str());
  std::string error;
  EXPECT_FALSE(LoadGameCatalogue(ctx, error));
  EXPECT_EQ(error, "Cannot find file:" + dir.File("GAMES.DAT"));
}

TEST_F(GamesFileTest, CatalogueLookups) {
  Catalogue();
  WriteCustom(CustomRecord(8000, "Variant", 1, "003-011"));
  EXPECT_EQ(GameNameFromNumber(ctx, 3), "Three");  // entry 2, found by searching
  EXPECT_EQ(GameNameFromNumber(ctx, 1), "FreeCell");
  EXPECT_EQ(GameNameFromNumber(ctx, 8000), "Variant");
  for (int n : {2, 4, -1, 8001, 999}) EXPECT_EQ(GameNameFromNumber(ctx, n), "") << n;
  EXPECT_EQ(GameNumberFromName(ctx, "FreeCell   "), 1);
  EXPECT_EQ(GameNumberFromName(ctx, "Variant"), 8000);
  EXPECT_EQ(GameNumberFromName(ctx, "Hidden"), -1);
  EXPECT_EQ(GameNumberFromName(ctx, "freecell"), -1);
  EXPECT_EQ(GameFamilyFromNumber(ctx, 3), 7);
  EXPECT_EQ(GameFamilyFromNumber(ctx, 0), 5);
  for (int n : {8000, -5, 2, 4}) EXPECT_EQ(GameFamilyFromNumber(ctx, n), -1) << n;

  StringList out;
  ListGamesDatColumns(ctx, 263, 5, out);
  EXPECT_EQ(out,
            (StringList{"0000000052-000000099", "0000000052-000000099", "0000000104-000000099"}));
}

TEST_F(GamesFileTest, SavedPileRulesGoBack) {
  for (int i = 0; i < 26; ++i) ctx.GameRules.TableauStart(i) = static_cast<int16_t>(i);
  for (int i = 0; i < 16; ++i) ctx.GameRules.FoundationBase(i) = static_cast<int16_t>(50 + i);
  SaveRestorePileRules(ctx, false);
  EXPECT_EQ(ctx.SavedPileRules[25], 25);
  EXPECT_EQ(ctx.SavedPileRules[26], 50);
  ctx.GameRules.TableauStart(3) = -1;
  ctx.GameRules.FoundationBase(15) = 1;
  SaveRestorePileRules(ctx, true);
  EXPECT_EQ(ctx.GameRules.TableauStart(3), 3);
  EXPECT_EQ(ctx.GameRules.FoundationBase(15), 65);
}

TEST(ShippedGamesFileTest, EveryGameLoadsAndFreeCellIsGameOne) {
  GameContext ctx;
  CreateSharedGlobals(ctx, TW_DIST_DIR "/");
  std::string error;
  ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
  EXPECT_EQ(GameNameFromNumber(ctx, 1), "FreeCell");
  ASSERT_FALSE(ctx.GameList.empty());
  for (const std::string& line : ctx.GameList) {
    ctx.SetCfg(cfg::Game, std::to_string(CatalogueNumber(line)));
    ASSERT_TRUE(LoadGameRules(ctx)) << line;
    EXPECT_TRUE(ctx.GameRules.CardCount() == 52 || ctx.GameRules.CardCount() == 104) << line;
  }
}

}  // namespace
}  // namespace tw
