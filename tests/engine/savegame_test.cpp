// Saved games: a round trip of played deals of every shipped game with their
// history, the fields of the file, restart, and a table of damaged files
// that must be refused without touching the deal in play.
#include "engine/savegame.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/datafiles.h"
#include "core/gamesfile.h"
#include "core/util.h"
#include "engine/gameover.h"
#include "engine/random_player.h"
#include "engine/score.h"
#include "engine/undo.h"
#include "platform/sys/files.h"
#include "platform/sys/ini.h"
#include "tests/engine/play_fixture.h"
#include "tests/platform/temp_dir.h"

namespace tw {
namespace {

class AskingUi : public testing::FakeUi {
 public:
  bool answer = true;
  std::vector<std::string> questions, buttons;
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    buttons.push_back("Yes/No");
    return answer;
  }
  bool AskOkCancel(const std::string& text) override {
    questions.push_back(text);
    buttons.push_back("OK/Cancel");
    return answer;
  }
};

class TestClock : public sys::Clock {
 public:
  uint64_t ms = 50'000'000;
  uint64_t TickMs() override { return ms; }
  sys::LocalDateTime Now() override { return {2026, 12, 10, 12, 0, 0}; }
};

// Everything a saved game carries, and what opening one replaces.
struct DealState {
  std::string table;
  StringList undoMazzo, undoDest, undoFila, undoAppogg;
  std::string undoLog, score, scoreKind, player, dealNumber;
  int game = 0, redeals = 0, reserveDeals = 0;
  std::array<int16_t, kRuleWordCount> rules{};
  bool operator==(const DealState&) const = default;
};

class SavedGameTest : public testing::ShippedGamesTest {
 protected:
  void SetUp() override {
    ShippedGamesTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ctx.Ui = &asking;
    ctx.SetCfg(cfg::ScoreKind, "01");
    ctx.SetCfg(cfg::Undo_Enabled, "0");
    ctx.SetCfg(cfg::Automatic_FaceUp, "Y");
    ctx.SetCfg(cfg::UserDefault, "Tester");
  }

  // A deal of game played `steps` random steps.
  void Play(int game, const std::string& number, int steps) {
    ctx.SetCfg(cfg::Game, std::to_string(game));
    ASSERT_TRUE(StartDealForPlay(ctx, number)) << "game " << game;
    RecalcScore(ctx);
    RandomPlayer player(static_cast<uint64_t>(game) * 31 + std::stoull(number));
    for (int k = 0; k < steps; ++k) player.Step(ctx);
    ctx.TfrmMain.GameInProgress = 1;
  }

  DealState State() const {
    return {Snapshot(),
            ctx.UndoMazzo,
            ctx.UndoDest,
            ctx.UndoFila,
            ctx.UndoAppogg,
            ctx.UndoLog,
            ctx.Cfg(cfg::Score),
            ctx.Cfg(cfg::ScoreKind),
            ctx.Cfg(cfg::UserDefault),
            ctx.Cfg(cfg::DealNumber),
            std::stoi(ctx.Cfg(cfg::Game)),
            ctx.GameState.RedealsDone(),
            ctx.ReserveDealCounter,
            ctx.GameRules.words};
  }

  StringList SavedLines(const std::string& name) {
    std::string error;
    EXPECT_TRUE(SaveGame(ctx, dir.File(name), error)) << error;
    StringList lines;
    EXPECT_TRUE(sys::ReadFileLines(dir.File(name), lines));
    return lines;
  }

  bool Open(const std::string& name, std::string& error) {
    return OpenSavedGame(ctx, dir.File(name), error);
  }

  AskingUi asking;
};

TEST_F(SavedGameTest, EveryGameRoundTripsWithItsWholeHistory) {
  int files = 0;
  for (const std::string& line : ctx.GameList) {
    const int game = CatalogueNumber(line);
    for (const char* number : {"1", "4711", "1234567890123"}) {
      const std::string where = "game " + std::to_string(game) + ", deal " + number;
      Play(game, number, 30);
      const DealState saved = State();
      const int depth = UndoDepth(ctx);
      std::string error;
      ASSERT_TRUE(SaveGame(ctx, dir.File("round.gam"), error)) << where << ": " << error;

      // Another game in play, which the file replaces.
      Play(game == 0 ? 1 : 0, "99", 5);
      const int lossesBefore = flow.gameOvers;
      ASSERT_TRUE(Open("round.gam", error)) << where << ": " << error;
      EXPECT_EQ(flow.gameOvers, lossesBefore + 1) << where;
      EXPECT_TRUE(State() == saved) << where;
      EXPECT_EQ(ctx.TfrmMain.GameInProgress, 1) << where;
      EXPECT_EQ(ctx.GameState.MovesMade(), depth == 0 ? 0 : 2) << where;
      EXPECT_TRUE(ctx.RedoMazzo.empty()) << where;

      // The history still leads back to the deal.
      for (int k = 0; k < depth; ++k) ASSERT_TRUE(UndoRedo(ctx, true, false)) << where;
      std::string why;
      EXPECT_TRUE(EachCardOnce(ctx.GameRules.CardCount(), why)) << where << ": " << why;
      EXPECT_EQ(ctx.GameState.MovesMade(), 0) << where;
      ++files;
    }
  }
  EXPECT_GT(files, 0);
}

// Pair games keep copies of the selected cards on foundation 1 while the
// cards stay on their piles. The copies are not saved: the deal reopens
// with every card where it was and nothing selected. A hand-edited file whose
// selection names a card that lies nowhere else is refused.
TEST_F(SavedGameTest, APairGameSavesWithACardSelected) {
  for (int game : {12, 18, 103}) {
    const std::string where = "game " + std::to_string(game);
    Play(game, "3", 0);
    const int card = TopCard(ctx.FilaPiles[0]);
    ASSERT_GT(card, 0) << where;
    PushUndoState(ctx, true, true);
    const DealState unselected = State();
    ctx.DestPiles[0] = CardCodeText(card);
    StringList lines = SavedLines("pairs.gam");
    ASSERT_GT(lines.size(), 15u) << where;
    EXPECT_EQ(lines[15], "") << where;
    Play(0, "1", 5);
    std::string error;
    ASSERT_TRUE(Open("pairs.gam", error)) << where << ": " << error;
    EXPECT_TRUE(State() == unselected) << where;

    // The original program's files carry the copy: accepted, not selected.
    lines[15] = CardCodeText(card) + "1";
    ASSERT_TRUE(sys::ReplaceFileLines(dir.File("copy.gam"), lines));
    ASSERT_TRUE(Open("copy.gam", error)) << where << ": " << error;
    EXPECT_TRUE(State() == unselected) << where;

    // Moved rather than copied: the card would vanish at the removal.
    lines[15] = CardCodeText(card) + "1";
    lines[31].erase(0, 4);
    ASSERT_TRUE(sys::ReplaceFileLines(dir.File("moved.gam"), lines));
    EXPECT_FALSE(Open("moved.gam", error)) << where;
    EXPECT_NE(error.find("lies on no pile"), std::string::npos) << where << ": " << error;
    EXPECT_TRUE(State() == unselected) << where;
  }
}

TEST_F(SavedGameTest, TheFileCarriesItsFieldsAtTheirColumns) {
  TestClock clock;
  ctx.Clock = &clock;
  Play(0, "1234567890123", 20);
  ctx.GameStartTime = ClockSeconds(ctx) - 3725;
  ctx.TfrmMain.ClockRunning = 1;
  ctx.SetCfg(cfg::Score, "-52");
  ctx.GameState.RedealsDone() = 3;
  const StringList lines = SavedLines("fields.gam");
  ASSERT_GE(lines.size(), 70u);
  EXPECT_EQ(lines[0].size(), 95u);
  EXPECT_EQ(lines[1].size(), 98u);
  EXPECT_EQ(lines[0].substr(0, 12), "[S-0302]0000");
  EXPECT_EQ(lines[0].substr(75, 6), "003725");
  EXPECT_EQ(lines[0].substr(81, 2), "01");
  EXPECT_EQ(lines[0].substr(83, 6), "-00052");
  EXPECT_EQ(lines[0].substr(89, 6), "000003");
  EXPECT_EQ(lines[1].substr(0, 50), PadRight("Tester", 50));
  EXPECT_EQ(lines[1].substr(50, 16), "1234567890123   ");
  EXPECT_EQ(lines[1].substr(66, 8), "01010101");
  for (int i = 2; i < 12; ++i) EXPECT_EQ(lines[static_cast<size_t>(i)], "");
  EXPECT_EQ(lines[65], "[UNDO - Stock]");
  EXPECT_EQ(sys::IniFile(CfgFilePath(ctx)).ReadString("Preference", "Dir_Save", ""), dir.Dir());
  EXPECT_EQ(SavedGamesFolder(ctx), dir.Dir());

  // Opened an hour later the clock goes on from the saved time; Klondike's
  // spaces for Kings are worked out again from the saved bases.
  clock.ms += 3'600'000;
  ctx.GameRules.TableauStart(0) = 0;
  std::string error;
  ASSERT_TRUE(Open("fields.gam", error)) << error;
  EXPECT_EQ(GameElapsedSeconds(ctx), 3725);
  clock.ms += 5000;
  EXPECT_EQ(GameElapsedSeconds(ctx), 3730);
  EXPECT_EQ(ctx.GameRules.TableauStart(0), 13);
  EXPECT_EQ(ctx.Cfg(cfg::Score), "-52");
  EXPECT_EQ(ctx.GameState.RedealsDone(), 3);
}

TEST_F(SavedGameTest, AnotherGamesFileSwitchesTheGameAndItsSessionCounters) {
  Play(0, "7", 0);  // no history yet
  const StringList lines = SavedLines("klondike.gam");
  std::string error;
  for (bool sameGame : {true, false}) {
    Play(sameGame ? 0 : 1, "8", 10);
    ctx.SetCfg(cfg::SessionWon, "0003");
    ctx.SetCfg(cfg::Game_name, "Something else");
    ctx.GameState.SmallScreenState() = 1;
    ASSERT_TRUE(Open("klondike.gam", error)) << error;
    EXPECT_EQ(ctx.Cfg(cfg::SessionWon), sameGame ? "0003" : "0000");
    EXPECT_EQ(ctx.GameState.SmallScreenState(), sameGame ? 1 : 0);
    EXPECT_EQ(ctx.Cfg(cfg::Game_name), GameNameFromNumber(ctx, 0));
    EXPECT_EQ(ctx.GameState.MovesMade(), 0) << "an empty history reopens the first move";
    EXPECT_EQ(ctx.GameRules.CardCount(), 52);
  }
}

TEST_F(SavedGameTest, OpeningAsksFirstAndANoChangesNothing) {
  Play(0, "5", 10);
  SavedLines("mine.gam");
  Play(1, "6", 10);
  const DealState before = State();
  asking.answer = false;
  std::string error;
  EXPECT_FALSE(Open("mine.gam", error));
  EXPECT_EQ(error, "");
  EXPECT_EQ(asking.questions, StringList{"Quit this game?"});
  EXPECT_EQ(asking.buttons, StringList{"OK/Cancel"});
  EXPECT_TRUE(State() == before);
  EXPECT_EQ(flow.gameOvers, 0);
}

TEST_F(SavedGameTest, SavingNeedsADealAndLeavesAnOlderFileWholeOnAWriteError) {
  std::string error;
  ctx.TfrmMain.GameInProgress = 0;
  EXPECT_FALSE(SaveGame(ctx, dir.File("none.gam"), error));
  EXPECT_FALSE(sys::FileExists(dir.File("none.gam")));

  Play(0, "5", 10);
  SavedLines("keep.gam");
  const std::string old = dir.Read("keep.gam");
  Play(0, "6", 30);
  sys::SetWriteFailureAfter(100);
  EXPECT_FALSE(SaveGame(ctx, dir.File("keep.gam"), error));
  sys::SetWriteFailureAfter(-1);
  EXPECT_EQ(error, "Write error on file " + dir.File("keep.gam"));
  EXPECT_EQ(asking.messages.size(), 2u);
  EXPECT_EQ(dir.Read("keep.gam"), old);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"DATA", "keep.gam"}));
}

// A new saved game is made as any file the user makes; one saved over keeps
// its own mode.
TEST_F(SavedGameTest, ASavedGameTakesTheUmasksModeOrKeepsItsOwn) {
  const mode_t old = ::umask(027);
  Play(0, "5", 10);
  SavedLines("new.gam");
  EXPECT_EQ(std::filesystem::status(dir.File("new.gam")).permissions(),
            std::filesystem::perms(0640));
  std::filesystem::permissions(dir.File("new.gam"), std::filesystem::perms(0604));
  SavedLines("new.gam");
  EXPECT_EQ(std::filesystem::status(dir.File("new.gam")).permissions(),
            std::filesystem::perms(0604));
  ::umask(old);
}

TEST_F(SavedGameTest, AnOlderFormatIsWidenedBeforeItIsRead) {
  // Klondike uses 4 foundations and 7 piles, so the lines the older format
  // lacked are empty in the new one.
  Play(0, "31337", 25);
  ASSERT_GT(UndoDepth(ctx), 1);
  const DealState saved = State();
  StringList lines = SavedLines("new.gam");
  StringList old(lines.begin(), lines.begin() + 65);
  old[0].replace(3, 4, "0300");
  old[1].resize(90);
  old.erase(old.begin() + 47, old.begin() + 52);
  old.erase(old.begin() + 23, old.begin() + 27);
  auto narrow = [](const StringList& stack, int piles, int keep, int drop) {
    StringList out;
    for (size_t s = 0; s < stack.size(); s += static_cast<size_t>(piles)) {
      for (int i = 0; i < piles; ++i) {
        if (i < keep || i >= keep + drop) out.push_back(stack[s + static_cast<size_t>(i)]);
      }
    }
    return out;
  };
  auto add = [&](const char* header, const StringList& stack) {
    old.push_back(header);
    old.insert(old.end(), stack.begin(), stack.end());
  };
  add("[UNDO - Stock]", ctx.UndoMazzo);
  add("[UNDO - Foundations]", narrow(ctx.UndoDest, 16, 8, 4));
  add("[UNDO - Piles]", narrow(ctx.UndoFila, 26, 16, 5));
  add("[UNDO - Reserves]", ctx.UndoAppogg);
  add("[UNDO - Log]", {ctx.UndoLog});
  ASSERT_TRUE(sys::ReplaceFileLines(dir.File("old.gam"), old));

  Play(1, "2", 5);
  std::string error;
  ASSERT_TRUE(Open("old.gam", error)) << error;
  EXPECT_TRUE(State() == saved);
}

TEST_F(SavedGameTest, RestartGoesBackToTheDealtTable) {
  Play(0, "4711", 0);
  const std::string dealt = Snapshot();
  Play(0, "4711", 60);
  ASSERT_GT(UndoDepth(ctx), 0);
  ctx.SetCfg(cfg::Sounds_Enabled, "Y");
  ctx.SetCfg(cfg::Sounds_Restart, "Y");

  // Cancelled: nothing happens.
  asking.answer = false;
  const std::string played = Snapshot();
  EXPECT_FALSE(RestartGame(ctx));
  EXPECT_EQ(Snapshot(), played);
  ASSERT_EQ(asking.questions.size(), 1u);
  EXPECT_EQ(asking.questions[0], "Restart this game?\rGame number: 4711");
  EXPECT_EQ(asking.buttons, StringList{"OK/Cancel"});

  asking.answer = true;
  ctx.GameState.RedealsDone() = 2;
  EXPECT_TRUE(RestartGame(ctx));
  EXPECT_EQ(Snapshot(), dealt);
  EXPECT_EQ(UndoDepth(ctx), 0);
  EXPECT_EQ(ctx.UndoLog, "");
  EXPECT_EQ(ctx.GameState.MovesMade(), 0);
  EXPECT_EQ(ctx.GameState.RedealsDone(), 1);
  EXPECT_EQ(ctx.TfrmMain.GameInProgress, 1);
  EXPECT_EQ(flow.gameOvers, 1);
  EXPECT_EQ(Sounds("Restart"), 1);
  EXPECT_EQ(ctx.Cfg(cfg::Score), std::to_string(MoneyScore(ctx)));

  // A won deal is replayed without a question; an empty table is not.
  ctx.TfrmMain.GameWon = 1;
  EXPECT_TRUE(RestartGame(ctx));
  EXPECT_EQ(asking.questions.size(), 2u);
  InitCardsAndPiles(ctx);
  ctx.TfrmMain.GameInProgress = 0;
  EXPECT_FALSE(RestartGame(ctx));
}

TEST_F(SavedGameTest, DamagedFilesAreRefusedAndTheDealInPlayIsKept) {
  Play(0, "4711", 40);
  ASSERT_GE(UndoDepth(ctx), 2);
  const StringList good = SavedLines("good.gam");
  ASSERT_GE(good.size(), 72u);
  // Positions in the good file.
  auto find = [&](const std::string& header) {
    for (size_t k = 0; k < good.size(); ++k) {
      if (good[k] == header) return k;
    }
    return good.size();
  };
  const size_t piles = find("[UNDO - Piles]");
  const size_t log = find("[UNDO - Log]");
  // The waste of Klondike holds cards after 40 steps, or the stock does.
  const size_t withCards = !good[12].empty() ? 12 : 13;
  ASSERT_FALSE(good[withCards].empty());
  const std::string someCard = good[withCards].substr(0, 4);

  using Edit = std::function<void(StringList&)>;
  struct Case {
    const char* what;
    Edit edit;
    const char* message;
  } cases[] = {
      {"empty file", [](StringList& l) { l.clear(); }, "wrong header"},
      {"wrong tag", [](StringList& l) { l[0][1] = 'X'; }, "wrong header"},
      {"newer format", [](StringList& l) { l[0].replace(3, 4, "0999"); }, "newer format"},
      {"cut in the table", [](StringList& l) { l.resize(40); }, "cut short"},
      {"cut in the history", [&](StringList& l) { l.resize(piles + 3); }, "undo"},
      {"no log", [&](StringList& l) { l.resize(log); }, "cut short"},
      {"header cut", [](StringList& l) { l[0].resize(90); }, "cut short"},
      {"player line cut", [](StringList& l) { l[1].resize(80); }, "cut short"},
      {"unknown game", [](StringList& l) { l[0].replace(8, 4, "0999"); }, "not among the games"},
      {"game not a number", [](StringList& l) { l[0].replace(8, 4, "00a1"); }, "game number"},
      {"score overflow", [](StringList& l) { l[0].replace(83, 6, "******"); }, "score"},
      {"score with a blank", [](StringList& l) { l[0].replace(83, 6, " 00052"); }, "score"},
      {"seconds", [](StringList& l) { l[0].replace(75, 6, "00-001"); }, "time"},
      {"redeals", [](StringList& l) { l[0].replace(89, 6, "-00001"); }, "redeal"},
      {"score kind", [](StringList& l) { l[0].replace(81, 2, "x1"); }, "score kind"},
      {"deal number", [](StringList& l) { l[1].replace(50, 4, "12a4"); }, "deal number"},
      {"no deal number", [](StringList& l) { l[1].replace(50, 15, Spaces(15)); }, "deal number"},
      {"base", [](StringList& l) { l[1].replace(66, 2, "x1"); }, "foundation base"},
      {"card twice", [&](StringList& l) { l[withCards == 12 ? 13 : 12] += someCard; }, "twice"},
      {"card missing", [&](StringList& l) { l[withCards].erase(0, 4); }, "lacks card"},
      {"code out of range", [&](StringList& l) { l[withCards].replace(0, 3, "099"); },
       "card code 99 "},
      {"code 999", [&](StringList& l) { l[withCards].replace(0, 3, "999"); }, "not in a deck"},
      {"bad code", [&](StringList& l) { l[withCards].replace(0, 3, "0x1"); }, "not a number"},
      {"bad face", [&](StringList& l) { l[withCards][3] = '2'; }, "face flag"},
      {"broken entry", [&](StringList& l) { l[withCards] += "01"; }, "broken"},
      {"unused pile", [](StringList& l) { l[12 + 3 + 16 + 25] = "0011"; }, "does not use"},
      {"stacks differ", [&](StringList& l) { l.erase(l.begin() + static_cast<long>(piles) + 1); },
       "add up"},
      {"log too long", [&](StringList& l) { l[log + 1] += ","; }, "undo log"},
      {"log not codes", [&](StringList& l) { l[log + 1] = "x" + l[log + 1]; }, "undo log"},
      {"sections swapped",
       [&](StringList& l) { std::swap(l[piles], l[find("[UNDO - Reserves]")]); }, "order"},
      {"stray line", [](StringList& l) { l.push_back("0011"); }, "stray"},
      {"undo step doubles a card", [&](StringList& l) { l[piles + 1] += someCard; }, "twice"},
      // The deal would end under a name that no results file can hold.
      {"blank player", [](StringList& l) { l[1].replace(0, 30, Spaces(30)); }, "player name"},
      {"player with =", [](StringList& l) { l[1].replace(0, 4, "B=ob"); }, "player name"},
      {"player with [", [](StringList& l) { l[1].replace(0, 4, "[Bob"); }, "player name"},
      {"player with ]", [](StringList& l) { l[1].replace(0, 4, "Bob]"); }, "player name"},
  };
  int tested = 0;
  for (const Case& c : cases) {
    StringList lines = good;
    c.edit(lines);
    ASSERT_TRUE(sys::ReplaceFileLines(dir.File("bad.gam"), lines));
    const DealState before = State();
    const size_t messages = asking.messages.size();
    std::string error;
    EXPECT_FALSE(Open("bad.gam", error)) << c.what;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
    EXPECT_EQ(asking.messages.size(), messages + 1) << c.what;
    EXPECT_TRUE(State() == before) << c.what;
    EXPECT_EQ(ctx.TfrmMain.GameInProgress, 1) << c.what;
    ++tested;
  }
  EXPECT_EQ(flow.gameOvers, 0) << "a refused file must not end the deal";
  EXPECT_TRUE(asking.questions.empty()) << "a refused file is refused before any question";

  std::string error;
  EXPECT_FALSE(Open("missing.gam", error));
  EXPECT_EQ(error, "File not found: " + dir.File("missing.gam"));
  // The good file still opens: the cases above broke only their copies.
  EXPECT_TRUE(Open("good.gam", error)) << error;
  EXPECT_EQ(tested, static_cast<int>(std::size(cases)));
}

// A step of a selection game may lack only the cards it selects: one byte
// that turns a stock card of an undo step into a hole is refused, since an
// undo to that step would lose the card.
TEST_F(SavedGameTest, ASelectionGameStepLackingAnUnselectedCardIsRefused) {
  for (int game : {12, 18, 19, 103}) {
    const std::string where = "game " + std::to_string(game);
    Play(game, "5", 30);
    ASSERT_GE(UndoDepth(ctx), 1) << where;
    StringList lines = SavedLines("sel.gam");
    size_t stock = 0;
    while (stock < lines.size() && lines[stock] != "[UNDO - Stock]") ++stock;
    size_t line = stock + 1;
    while (line < lines.size() && lines[line].empty()) ++line;
    ASSERT_LT(line, lines.size()) << where;
    ASSERT_TRUE(lines[line][0] != '[') << where << ": no stock card in the history";
    const std::string card = lines[line].substr(0, 3);
    lines[line].replace(0, 3, "000");
    lines[line][3] = '0';
    ASSERT_TRUE(sys::ReplaceFileLines(dir.File("hole.gam"), lines));
    std::string error;
    EXPECT_FALSE(Open("hole.gam", error)) << where;
    EXPECT_NE(error.find("lacks card " + std::to_string(std::stoi(card))), std::string::npos)
        << where << ": " << error;
  }
}

// Random damage: every file is either refused with the deal in play kept, or
// opened as a whole table whose history leads back card for card.
TEST_F(SavedGameTest, RandomlyDamagedFilesNeverOpenHalfWay) {
  Play(0, "2024", 40);
  const StringList good = SavedLines("good.gam");
  RandomPlayer dice(12345);
  const std::string chars = "0123456789- ,[]x";
  int opened = 0, refused = 0;
  for (int round = 0; round < 250; ++round) {
    StringList lines = good;
    const size_t k = static_cast<size_t>(dice.Next(static_cast<int>(lines.size())));
    switch (dice.Next(4)) {
      case 0:
        if (!lines[k].empty()) {
          lines[k][static_cast<size_t>(dice.Next(static_cast<int>(lines[k].size())))] =
              chars[static_cast<size_t>(dice.Next(static_cast<int>(chars.size())))];
        }
        break;
      case 1:
        lines.erase(lines.begin() + static_cast<long>(k));
        break;
      case 2:
        lines.insert(lines.begin() + static_cast<long>(k), lines[k]);
        break;
      default:
        lines[k].resize(static_cast<size_t>(dice.Next(static_cast<int>(lines[k].size()) + 1)));
        break;
    }
    ASSERT_TRUE(sys::ReplaceFileLines(dir.File("fuzz.gam"), lines));
    const DealState before = State();
    std::string error;
    if (!Open("fuzz.gam", error)) {
      ASSERT_TRUE(State() == before) << "round " << round << ": " << error;
      ++refused;
      continue;
    }
    ++opened;
    std::string why;
    ASSERT_TRUE(EachCardOnce(52, why)) << "round " << round << ": " << why;
    const int depth = UndoDepth(ctx);
    for (int step = 0; step < depth; ++step) {
      ASSERT_TRUE(UndoRedo(ctx, true, false)) << "round " << round;
      ASSERT_TRUE(EachCardOnce(52, why)) << "round " << round << ": " << why;
    }
  }
  RecordProperty("opened", opened);
  EXPECT_GT(refused, 90);
  EXPECT_GT(opened, 10);
}

TEST_F(SavedGameTest, TheWindowSetsUpAndStartsPlayAndADemoKeepsThePlayer) {
  std::vector<std::string> calls;
  PlayStartHooks hooks;
  hooks.Setup = [&](GameContext& c) {
    calls.push_back("setup");
    const bool ok = LoadGameRules(c);
    c.GameRules.FoundationBase(0) = 0;  // the bases come from the file afterwards
    return ok;
  };
  hooks.StartPlay = [&](GameContext& c, PlayStart how) {
    calls.push_back(how == PlayStart::Opened      ? "opened"
                    : how == PlayStart::Restarted ? "restarted"
                                                  : "demo");
    c.TfrmMain.GameInProgress = 1;
  };

  Play(0, "77", 15);
  std::string error;
  // A missing demonstration is refused before anything else.
  const DealState before = State();
  EXPECT_FALSE(OpenDemoGame(ctx, error, hooks));
  EXPECT_EQ(error, "File not found: " + DemoFilePath(ctx));
  EXPECT_TRUE(State() == before);
  EXPECT_TRUE(asking.questions.empty());
  EXPECT_TRUE(calls.empty());

  std::filesystem::create_directory(dir.File("Demos"));
  ASSERT_TRUE(SaveGame(ctx, DemoFilePath(ctx), error)) << error;
  ctx.SetCfg(cfg::UserDefault, "Someone else");
  ASSERT_TRUE(OpenDemoGame(ctx, error, hooks)) << error;
  EXPECT_EQ(ctx.Cfg(cfg::UserDefault), "Someone else");
  EXPECT_EQ(ctx.GameRules.FoundationBase(0), 1);
  ASSERT_TRUE(OpenSavedGame(ctx, DemoFilePath(ctx), error, hooks)) << error;
  EXPECT_EQ(ctx.Cfg(cfg::UserDefault), "Tester");
  ASSERT_TRUE(RestartGame(ctx, hooks));
  EXPECT_EQ(calls, (StringList{"setup", "demo", "setup", "opened", "restarted"}));

  // A game that cannot be set up leaves no half-opened deal.
  hooks.Setup = [](GameContext&) { return false; };
  EXPECT_FALSE(OpenSavedGame(ctx, DemoFilePath(ctx), error, hooks));
  EXPECT_EQ(error, "Game 0 cannot be set up.");
  EXPECT_EQ(ctx.TfrmMain.GameInProgress, 0);
  EXPECT_EQ(UndoDepth(ctx), 0);
}

TEST(SavedGameTextsTest, ReplaceQuestion) {
  EXPECT_EQ(ReplaceFileQuestion("/games/a.gam"),
            "This file already exists.\rReplace existing file?\r/games/a.gam");
}

TEST(SavedGamePathsTest, DemoFileOfTheCurrentGame) {
  GameContext ctx;
  CreateSharedGlobals(ctx, "/nonexistent/");
  ctx.SetCfg(cfg::Game, "12");
  EXPECT_EQ(DemoFilePath(ctx), "/nonexistent/Demos/G0012.GAM");
  EXPECT_EQ(SavedGamesFolder(ctx), "/nonexistent/");
}

}  // namespace
}  // namespace tw
