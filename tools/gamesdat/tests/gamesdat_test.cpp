#include "tools/gamesdat/gamesdat.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/customgames.h"
#include "core/gamesfile.h"
#include "core/util.h"
#include "platform/sys/files.h"

namespace tw::gamesdat {
namespace {

namespace fs = std::filesystem;

const char* kTiny = R"(
profile Rows
  TableauRow = 2
  TableauStyle = 1
end
profile Deal
  CardCount = 52
  FoundationCount = 4
  TableauCount = 4
  TableauCards[*] = 13
  MaxMoveCards = 1
  FoundationMaxCards = 13
end
game 1 Tiny
  family 4
  uses Rows Deal
)";

std::vector<std::string> Errors(const std::string& text) {
  std::vector<Game> games;
  std::vector<std::string> errors;
  BuildCatalogue({{"t.games", text}}, games, errors);
  return errors;
}

std::string Joined(const std::vector<std::string>& errors) {
  std::string all;
  for (const std::string& e : errors) all += e + "\n";
  return all;
}

TEST(GamesSourceTest, ResolvesProfilesAndPileLists) {
  std::vector<Game> games;
  std::vector<std::string> errors;
  std::string text = std::string(kTiny) + R"(
  TableauStart[*] = -1
  TableauStart[1..2] = 13     # a game's own words win over [*] given before
  TableauFaceMode = 1 2 3 4
  StockStyle = 5; StockRow = 1
  TableauRow = 3
end
)";
  ASSERT_TRUE(BuildCatalogue({{"t.games", text}}, games, errors)) << Joined(errors);
  ASSERT_EQ(games.size(), 1u);
  const auto& w = games[0].words;
  EXPECT_EQ(w[rule::TableauStart + 0], -1);
  EXPECT_EQ(w[rule::TableauStart + 1], 13);
  EXPECT_EQ(w[rule::TableauStart + 3], -1);
  EXPECT_EQ(w[rule::TableauStart + 4], 0);  // [*] stops at the piles in use
  EXPECT_EQ(w[rule::TableauFaceMode + 3], 4);
  EXPECT_EQ(w[rule::TableauRow], 3);
  EXPECT_EQ(w[rule::TableauStyle], 1);
  EXPECT_EQ(w[rule::StockRow], 1);
  EXPECT_EQ(WordNumber("TableauStart[3]"), 101);
  EXPECT_EQ(WordName(101), "TableauStart[3]");
}

TEST(GamesSourceTest, RefusesFaultsNamingTheGameAndTheWord) {
  struct {
    const char* extra;
    const char* message;
  } cases[] = {
      {"Tabluea = 1", "game 1 \"Tiny\": unknown rule word \"Tabluea\""},
      {"StockCards = 40000", "\"Tiny\": StockCards: 40000 is outside the range of a 16-bit word"},
      {"Deals = -32769", "Deals: -32769 is outside"},
      {"Deals = many", "Deals: \"many\" is not a number"},
      {"TableauCount = 27\nTableauCards[26] = 1",
       "\"Tiny\": TableauCards[26]: pile index outside 0..25"},
      {"TableauCount = 27", "\"Tiny\": TableauCount: 27 is outside 0..26"},
      {"FoundationCount = 17", "\"Tiny\": FoundationCount: 17 is outside 0..16"},
      {"ReserveCount = 9", "\"Tiny\": ReserveCount: 9 is outside 0..8"},
      {"StockCards = 1", "\"Tiny\": CardCount: the deal does not add up"},
      {"FirstCardToFoundation = 1", "CardCount: the deal does not add up"},
      {"FoundationStartCard[*] = 1", "CardCount: the deal does not add up"},
      {"TableauCards[5] = 1",
       "\"Tiny\": TableauCards[5]: cards dealt to a pile that is not in use"},
      {"CardCount = 78", "CardCount: 78 is neither 52 nor 104"},
      {"TableauCount = 5", "the deal does not add up"},
      {"Deals = 1\nDeals = 2", "\"Tiny\": Deals: given twice in this block"},
      {"Deals[0] = 1", "Deals is a single word"},
      {"uses Nowhere", "\"Tiny\": unknown profile \"Nowhere\""},
      {"selected\nfamily 1000", "family must be a number within 0..999"},
      {"Name = FreeCell", "unknown rule word \"Name\""},
      {"TableauFaceMode[2] = -4", "TableauFaceMode[2]: face modes go from -3 up"},
      {"ReserveCount = 1\nReserveCards = 4\nReserveFaceMode = 1\nTableauCards[0] = 9",
       "ReserveFaceMode[0]: reserve cards are never turned face up"},
      {"HasWaste = 1\nCardsPerStockTurn = 1\nStockDealToTableau[*] = 1",
       "StockDealToTableau: never used"},
      {"HasWaste = 1", "CardsPerStockTurn: a stock that turns cards needs at least 1"},
      {"MaxMoveCards = 0", "MaxMoveCards: 0 lets no card be moved"},
      {"FoundationMaxCards = 0", "FoundationMaxCards: 0 refuses every play"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> errors = Errors(std::string(kTiny) + c.extra + "\nend\n");
    EXPECT_NE(Joined(errors).find(c.message), std::string::npos) << c.extra << "\n"
                                                                 << Joined(errors);
  }
  std::string tiny = std::string(kTiny) + "end\n";
  EXPECT_TRUE(Errors(tiny).empty()) << Joined(Errors(tiny));
  std::string again = tiny + "game 1 Other\nfamily 4\nend\ngame 2 TINY\nfamily 4\nend\n";
  std::string all = Joined(Errors(again));
  EXPECT_NE(all.find("game 1 \"Other\": game number 1 is already used by \"Tiny\""),
            std::string::npos)
      << all;
  EXPECT_NE(all.find("game 2 \"TINY\": the name is already used by game 1"), std::string::npos)
      << all;
  EXPECT_NE(Joined(Errors("game 5 Open\nfamily 4\n")).find("\"end\" missing"), std::string::npos);
  EXPECT_NE(Joined(Errors("game 1000 Big\nend\n")).find("not within 0..999"), std::string::npos);
}

TEST(GamesSourceTest, EncodesColumnsByGameNumber) {
  std::vector<Game> games;
  std::vector<std::string> errors;
  std::string text = std::string(kTiny) + "Deals = -12\nend\n" +
                     "game 0 Nought\nfamily 5\nselected\nuses Rows\nCardCount = 104\n"
                     "StockCards = 104\nDeals = 7\nend\n" +
                     "game 3 Three\nfamily 12\nedition 9\nCardCount = 52\nStockCards = 52\nend\n";
  ASSERT_TRUE(BuildCatalogue({{"t.games", text}}, games, errors)) << Joined(errors);
  std::vector<std::string> lines = EncodeGamesDat(games);
  ASSERT_EQ(lines.size(), 1u + 3 + 1 + 343 + 1 + 1);
  EXPECT_EQ(lines[0], "[Sect1]");
  EXPECT_EQ(ShiftText(lines[1]), "5   0000  " + PadRight("Nought", 50));
  EXPECT_EQ(ShiftText(lines[3]), "12  0039  " + PadRight("Three", 50));
  EXPECT_EQ(lines[4], "[Sect2]");
  const std::string& deals = lines[4 + rule::Deals];
  EXPECT_EQ(deals.substr(0, 4), "0013");
  EXPECT_EQ(deals.size(), 16u + 4 * 11 - 1);
  EXPECT_EQ(ShiftText(deals.substr(16, 10)), "7         ");          // game 0 at character 17
  EXPECT_EQ(ShiftText(deals.substr(27, 10)), "-12       ");          // game 1 at character 28
  EXPECT_EQ(ShiftText(deals.substr(38, 10)), std::string(10, ' '));  // no game 2
  EXPECT_EQ(ShiftText(deals.substr(49, 10)), "0         ");
  for (int p = 1; p <= 343; ++p) EXPECT_EQ(std::stoi(lines[4 + p].substr(0, 4)), p);
  EXPECT_EQ(lines[348], "[SectS]");
  EXPECT_EQ(ShiftText(lines[349]), "0");
}

// The shipped source, read by the generator's parser, against the shipped
// GAMES.DAT read back through the program's own loader.
class ShippedGamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<SourceText> sources;
    for (const auto& e : fs::directory_iterator(fs::path(TW_SOURCE_DIR) / "data" / "games")) {
      if (e.path().extension() != ".games") continue;
      std::ifstream in(e.path(), std::ios::binary);
      std::ostringstream text;
      text << in.rdbuf();
      sources.push_back({e.path().filename().string(), text.str()});
    }
    std::vector<std::string> errors;
    ASSERT_TRUE(BuildCatalogue(sources, games, errors)) << Joined(errors);

    dir = fs::temp_directory_path() / ("tw_gamesdat_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::copy_file(TW_DIST_DIR "/GAMES.DAT", dir / "GAMES.DAT",
                  fs::copy_options::overwrite_existing);
    CreateSharedGlobals(ctx, dir.string() + "/");
    std::string error;
    ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  void ExpectLoads(int game, const std::array<int16_t, kRuleWordCount>& want,
                   const std::string& what) {
    ctx.SetCfg(cfg::Game, std::to_string(game));
    ASSERT_TRUE(LoadGameRules(ctx)) << what;
    for (int p = 0; p < kRuleWordCount; ++p) {
      EXPECT_EQ(ctx.GameRules[p], want[static_cast<size_t>(p)]) << what << ": " << WordName(p);
    }
  }

  std::vector<Game> games;
  fs::path dir;
  GameContext ctx;
};

TEST_F(ShippedGamesTest, EveryGameReadsBackAsItsSource) {
  ASSERT_FALSE(games.empty());
  for (const Game& g : games) {
    ExpectLoads(g.number, g.words, g.name);
    EXPECT_EQ(GameNameFromNumber(ctx, g.number), g.edition == '9' ? "" : g.name);
    EXPECT_EQ(GameFamilyFromNumber(ctx, g.number), g.edition == '9' ? -1 : g.family);
    EXPECT_EQ(ReadGamesDatValues(ctx, g.number, {338, 339, 340, 341, 32, 263}),
              (std::vector<int16_t>{g.words[338], g.words[339], g.words[340], g.words[341],
                                    g.words[32], g.words[263]}));
  }
  EXPECT_EQ(GameNameFromNumber(ctx, 1), "FreeCell");
}

TEST_F(ShippedGamesTest, CustomVariantsReadBackWithTheirOverrides) {
  struct {
    int cards, passes, start;
    int16_t startWord;
  } variants[] = {{2, 3, 2, -1}, {5, -1, 1, 91}, {1, 999, 3, 0}};
  int k = 0;
  for (const Game& g : games) {
    if (g.edition == '9') continue;
    const auto& v = variants[k++ % 3];
    int number = 0;
    std::string error;
    ASSERT_TRUE(AddCustomGame(ctx, "Variant of " + g.name, g.number, v.cards, v.passes, v.start,
                              number, error))
        << error;
    std::array<int16_t, kRuleWordCount> want = g.words;
    want[rule::CardsPerStockTurn] = static_cast<int16_t>(v.cards);
    want[rule::Deals] = static_cast<int16_t>(v.passes);
    for (int i = 0; i < g.words[rule::TableauCount]; ++i) {
      want[static_cast<size_t>(rule::TableauStart + i)] = v.startWord;
    }
    ExpectLoads(number, want, "variant of " + g.name);
    EXPECT_EQ(GameNameFromNumber(ctx, number), "Variant of " + g.name);
  }
}

}  // namespace
}  // namespace tw::gamesdat
