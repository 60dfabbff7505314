// The end of a deal: what reaches the results files, in which form, and
// what the player sees afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "core/cards.h"
#include "core/datafiles.h"
#include "core/gamesfile.h"
#include "core/hiscores.h"
#include "core/overall.h"
#include "core/stats.h"
#include "core/textfile.h"
#include "core/util.h"
#include "engine/deal.h"
#include "engine/gameover.h"
#include "engine/score.h"
#include "tests/core/results_fixture.h"
#include "tests/engine/engine_fixture.h"
#include "tests/engine/fake_ports.h"

namespace tw {
namespace {

using testing::FakePorts;
using testing::Pile;
using testing::ResultsRandom;
using testing::ResultsUi;
using testing::TempDir;

// One millisecond per reading: waits end, elapsed seconds stay exact.
class StepClock : public sys::Clock {
 public:
  uint64_t TickMs() override { return ms++; }
  sys::LocalDateTime Now() override { return now; }
  uint64_t ms = 1000000;
  sys::LocalDateTime now{2026, 12, 10, 9, 5, 7};
};

class FakeFlow : public GameFlowPort {
 public:
  void GameOver(GameContext& ctx) override { tw::GameOver(ctx); }
};

const char* const kFiles[] = {"STAT.DAT", "STAT_LOG.DAT", "STAT_SCR.DAT", "STAT_GLO.DAT"};

std::string Crlf(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

std::string SeedPlace(int i) {
  return FormatHiScoreRecord(420 - 20 * i, 100, "20261201", "10:00:00", "Seed" + std::to_string(i),
                             "1", true);
}

class GameOverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateSharedGlobals(ctx, dir.Dir());
    InitCardsAndPiles(ctx);
    ctx.Ui = &ui;
    ctx.Clock = &clock;
    ctx.Random = &random;
    ports.Flow = &flow;
    ctx.Ports = &ports;
    sys::MakeDirectory(dir.File("DATA"));
    const std::string games = std::string(TW_DIST_DIR) + "/GAMES.DAT";
    if (std::filesystem::exists(games)) {
      std::filesystem::copy_file(games, dir.File("GAMES.DAT"));
    }
    ctx.SetCfg(cfg::Game, "0012");
    ctx.SetCfg(cfg::Game_name, "Klondike");
    ctx.SetCfg(cfg::UserDefault, "Bob");
    ctx.SetCfg(cfg::ScoreKind, "01");
    ctx.SetCfg(cfg::Score, "120");
    ctx.SetCfg(cfg::DealNumber, "4711");
    ctx.SetCfg(cfg::SessionWon, "0000");
    ctx.SetCfg(cfg::SessionLost, "0000");
    ctx.SetCfg(cfg::Sounds_Enabled, "Y");
    ctx.SetCfg(cfg::Sounds_GameWon, "Y");
    ctx.SetCfg(cfg::ConfirmEnterHiScores, "Y");
    ctx.GameRules.GameKind() = 1;
    ctx.GameRules.CardCount() = 52;
    ctx.GameRules.FoundationCount() = 4;
  }
  void TearDown() override { sys::SetWriteFailureAfter(-1); }

  // A deal that has run 95 seconds.
  void StartDeal(bool won) {
    ctx.TfrmMain.GameInProgress = 1;
    ctx.TfrmMain.GameWon = won ? 1 : 0;
    ctx.TfrmMain.ClockRunning = 1;
    ctx.TfrmMain.StopAutoPlay = 0;
    clock.ms = (clock.ms / 1000 + 1) * 1000;  // no second boundary before the end
    ctx.GameStartTime = ClockSeconds(ctx) - 95;
  }

  void WriteFixtures() {
    stat = {"[Version]",
            "Version=0300",
            "",
            "[0012]",
            "Ann=000003 000001 000003 000001 000003 000000 000000000300 000000000000",
            "Bob=000002 000001 000002 000001 000000 000001 000000000050 000000000000",
            "",
            "[0003]",
            "Bob=000001 000000 000001 000000 000001 000000 000000000010 000000000000"};
    Write("STAT.DAT", Crlf(stat));
    log = {BuildStatLogLine(ctx, true, 61, "20261209", "20:00:00"),
           BuildStatLogLine(ctx, false, 62, "20261209", "21:00:00")};
    Write("STAT_LOG.DAT", Crlf(log));
    scr = {"[Version]", "Version=0300", "", "[0012]"};
    for (int i = 1; i <= 20; ++i) scr.push_back(HiScoreKey("01", i) + "=" + SeedPlace(i));
    scr.insert(scr.end(), {"", "[0003]", HiScoreKey("01", 1) + "=" + SeedPlace(1)});
    Write("STAT_SCR.DAT", Crlf(scr));
    UpdateOverallScore(ctx, 12, "Bob", 200, 100);
    UpdateOverallScore(ctx, 3, "Ann", 50, 30);
  }

  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> m;
    for (const char* f : kFiles) m[f] = Exists(f) ? Read(f) : "<missing>";
    return m;
  }

  std::string Read(const std::string& name) const { return dir.Read("DATA/" + name); }
  void Write(const std::string& name, const std::string& bytes) const {
    dir.Write("DATA/" + name, bytes);
  }
  bool Exists(const std::string& name) const { return sys::FileExists(dir.File("DATA/" + name)); }
  std::vector<std::string> Lines(const std::string& name) const {
    std::vector<std::string> lines;
    sys::ReadFileLines(dir.File("DATA/" + name), lines);
    return lines;
  }

  TempDir dir;
  StepClock clock;
  ResultsRandom random;
  ResultsUi ui;
  FakePorts fakes;
  FakeFlow flow;
  EnginePorts ports = fakes.ports;
  GameContext ctx;
  std::vector<std::string> stat, log, scr;
};

TEST_F(GameOverTest, WonDealReachesEveryFileInItsLayout) {
  WriteFixtures();
  StartDeal(true);
  GameOver(ctx);

  std::vector<std::string> wantStat = stat;
  wantStat[5] = "Bob=000003 000001 000002 000001 000001 000000 000000000170 000000000000";
  EXPECT_EQ(Lines("STAT.DAT"), wantStat);

  std::vector<std::string> gotLog = Lines("STAT_LOG.DAT");
  ASSERT_EQ(gotLog.size(), 3u);
  EXPECT_EQ(gotLog[0], log[0]);
  EXPECT_EQ(gotLog[1], log[1]);
  EXPECT_EQ(gotLog[2], "20261210 09:05:07 000095 0012 " + PadRight("Klondike", 50) + " " +
                           PadRight("Bob", 30) + " Won  01 120    " + PadRight("4711", 15) +
                           " 0360");
  EXPECT_EQ(gotLog[2].size(), static_cast<size_t>(kStatLogLineWidth));

  // 120 in 95 s beats the stored 120 in 100 s at place 15; the 20th drops out.
  std::vector<std::string> wantScr(scr.begin(), scr.begin() + 4);
  for (int i = 1; i <= 20; ++i) {
    std::string rec = i < 15    ? SeedPlace(i)
                      : i == 15 ? FormatHiScoreRecord(120, 95, "20261210", "09:05:07", "Bob",
                                                      "4711", true)
                                : SeedPlace(i - 1);
    wantScr.push_back(HiScoreKey("01", i) + "=" + rec);
  }
  wantScr.insert(wantScr.end(), scr.end() - 3, scr.end());
  EXPECT_EQ(Lines("STAT_SCR.DAT"), wantScr);
  ASSERT_EQ(fakes.dialogs.hiScores.size(), 1u);
  EXPECT_EQ(fakes.dialogs.hiScores[0].first, 14);
  EXPECT_EQ(fakes.dialogs.hiScores[0].second, "Compliments! You entered the Klondike Hi-Scores!");

  OverallRanking r = ReadOverallScores(ctx);
  ASSERT_EQ(r.Players, (StringList{"Bob", "Ann"}));
  EXPECT_EQ(r.TotalScores, (StringList{"120", "30"}));
  EXPECT_EQ(r.TotalTimes, (StringList{"95", "50"}));
  SectionedTextFile glo;
  ASSERT_TRUE(glo.Load(StatGloFilePath(ctx)));
  std::map<std::string, std::string> plain;
  for (const auto& [key, value] : glo.Entries("Bob")) plain[key] = SubKeyChars(value, kOverallKey);
  ASSERT_EQ(plain.size(), 5u);
  EXPECT_EQ(PickChars(plain["T01"], 3), "000000000120");
  EXPECT_EQ(PickChars(plain["T02"], 4), "000000000095");
  EXPECT_EQ(plain["T03"], PlainTotalsCheck(plain["T01"], plain["T02"]));
  EXPECT_EQ(PickChars(plain["GS-0012"], 1), "000120");
  EXPECT_EQ(PickChars(plain["GT-0012"], 2), "000095");

  EXPECT_EQ(ctx.Cfg(cfg::SessionWon), "0001");
  EXPECT_EQ(ctx.TfrmMain.GameInProgress, 0);
  EXPECT_EQ(ctx.TfrmMain.GameWon, 0);
  EXPECT_EQ(ctx.TfrmMain.ClockRunning, 0);
  EXPECT_EQ(ctx.TfrmMain.StopAutoPlay, 1);
  EXPECT_EQ(GameElapsedSeconds(ctx), 95);
  EXPECT_EQ(fakes.window.clocks, StringList{"0:01:35"});
  EXPECT_EQ(fakes.window.dealMenus, std::vector<bool>{false});
  EXPECT_EQ(fakes.window.wonFilter, (std::vector<bool>{true, false}));
  EXPECT_EQ(fakes.sound.played, StringList{"Won"});
  ASSERT_EQ(fakes.view.calls.size(), 1u);
  EXPECT_TRUE(fakes.view.calls[0] == "win animation 1" || fakes.view.calls[0] == "win animation 2");
  EXPECT_EQ(fakes.dialogs.gameWonShown, 1);
  EXPECT_EQ(fakes.window.closes, 0);
  std::vector<std::string> data;
  for (const auto& e : std::filesystem::directory_iterator(dir.File("DATA"))) {
    data.push_back(e.path().filename().string());
  }
  EXPECT_EQ(data.size(), 4u) << "no temporary file is left behind";
}

TEST_F(GameOverTest, LostDealCountsButEntersNothingItDoesNotBeat) {
  WriteFixtures();
  ctx.SetCfg(cfg::Score, "-30");
  const auto before = Snapshot();
  StartDeal(false);
  GameOver(ctx);

  std::vector<std::string> wantStat = stat;
  wantStat[5] = "Bob=000002 000002 000002 000002 000000 000002 000000000020 000000000000";
  EXPECT_EQ(Lines("STAT.DAT"), wantStat);
  std::vector<std::string> gotLog = Lines("STAT_LOG.DAT");
  ASSERT_EQ(gotLog.size(), 3u);
  EXPECT_EQ(gotLog[2].substr(112, 15), "Lost 01 -30    ");
  EXPECT_EQ(Read("STAT_SCR.DAT"), before.at("STAT_SCR.DAT"));
  EXPECT_EQ(Read("STAT_GLO.DAT"), before.at("STAT_GLO.DAT"));
  EXPECT_EQ(ctx.Cfg(cfg::SessionLost), "0001");
  EXPECT_TRUE(fakes.dialogs.hiScores.empty());
  EXPECT_TRUE(fakes.sound.played.empty());
  EXPECT_TRUE(fakes.view.calls.empty());
  EXPECT_EQ(fakes.dialogs.gameWonShown, 0);
  EXPECT_TRUE(fakes.window.wonFilter.empty());
}

TEST_F(GameOverTest, OnlyADealInProgressIsRecordedAndOnlyOnce) {
  WriteFixtures();
  GameOver(ctx);  // nothing in progress
  EXPECT_EQ(Lines("STAT_LOG.DAT").size(), 2u);
  StartDeal(false);
  GameOver(ctx);
  GameOver(ctx);
  EXPECT_EQ(Lines("STAT_LOG.DAT").size(), 3u);
  EXPECT_EQ(ctx.Cfg(cfg::SessionLost), "0001");
}

TEST_F(GameOverTest, PokerSquaresIsWonOnlyWithAFullGridAndAHundredPoints) {
  struct Case {
    int cardsPlaced;
    const char* score;
    uint8_t verdictBefore;
    bool won;
  } cases[] = {
      {25, "100", 0, true},  {25, "99", 1, false}, {25, "250", 1, true},
      {24, "150", 0, false},  // abandoned before the grid was full
      {0, "0", 0, false},
  };
  ctx.GameRules.GameKind() = 9;
  ctx.GameRules.TableauCount() = 25;
  for (const Case& c : cases) {
    for (int i = 0; i < 25; ++i) {
      ctx.FilaPiles[static_cast<size_t>(i)] = i < c.cardsPlaced ? Pile({i + 1}) : "";
    }
    ctx.SetCfg(cfg::Score, c.score);
    StartDeal(c.verdictBefore == 1);
    ui.messages.clear();
    GameOver(ctx);
    EXPECT_EQ(Lines("STAT_LOG.DAT").back().substr(112, 5), c.won ? "Won  " : "Lost ")
        << c.cardsPlaced << " cards, " << c.score;
    // A full grid short of the points says so; an abandoned grid ends quietly.
    const bool told = c.cardsPlaced == 25 && !c.won;
    ASSERT_EQ(ui.messages.size(), told ? 1u : 0u) << c.cardsPlaced << " cards, " << c.score;
    if (told) {
      EXPECT_NE(ui.messages[0].find(std::string(c.score) + " points"), std::string::npos);
    }
  }
  EXPECT_EQ(fakes.dialogs.gameWonShown, 2);
}

TEST_F(GameOverTest, AfterTheWonAnimation) {
  // A close request while the animation runs closes without the dialog; a
  // deal started meanwhile skips the dialog too.
  for (int which = 0; which < 2; ++which) {
    fakes.window.closes = 0;
    fakes.window.wonFilter.clear();
    fakes.view.duringWinAnimation = [&] {
      if (which == 0) ctx.GameState.ClosePending() = 1;
      if (which == 1) ctx.TfrmMain.GameInProgress = 1;
    };
    StartDeal(true);
    ctx.GameState.ClosePending() = 1;  // a stale request is cleared first
    GameOver(ctx);
    EXPECT_EQ(fakes.window.closes, which == 0 ? 1 : 0);
    EXPECT_EQ(fakes.dialogs.gameWonShown, 0);
    EXPECT_EQ(fakes.window.wonFilter, (std::vector<bool>{true, false}));
  }
  EXPECT_EQ(Lines("STAT_LOG.DAT").size(), 2u);
}

TEST_F(GameOverTest, NoSoundWhenSwitchedOffAndNoHiScoreDialogWhenNotWanted) {
  ctx.SetCfg(cfg::Sounds_Enabled, "N");
  ctx.SetCfg(cfg::ConfirmEnterHiScores, "N");
  WriteFixtures();
  ctx.SetCfg(cfg::Score, "1000");
  StartDeal(true);
  GameOver(ctx);
  EXPECT_TRUE(fakes.sound.played.empty());
  EXPECT_TRUE(fakes.dialogs.hiScores.empty());
  EXPECT_NE(Read("STAT_SCR.DAT").find("001000 000095"), std::string::npos);
}

TEST_F(GameOverTest, APausedDealCountsTheTimeUpToThePause) {
  WriteFixtures();
  StartDeal(false);
  ctx.TfrmMain.ClockRunning = 0;
  ctx.PauseStartTime = ctx.GameStartTime + 40;
  clock.ms += 500000;  // the pause lasts long
  GameOver(ctx);
  EXPECT_EQ(Lines("STAT_LOG.DAT").back().substr(18, 6), "000040");
}

TEST_F(GameOverTest, AKilledWriteLeavesEveryFileAsItWas) {
  WriteFixtures();
  const auto before = Snapshot();
  random.Seed(3);
  StartDeal(true);
  GameOver(ctx);
  const auto after = Snapshot();
  ASSERT_NE(before, after);

  int unchanged = 0, complete = 0;
  for (int64_t budget = 0; budget < 4000; budget += 61) {
    for (const auto& [name, bytes] : before) Write(name, bytes);
    ctx.SetCfg(cfg::SessionWon, "0000");
    random.Seed(3);
    StartDeal(true);
    sys::SetWriteFailureAfter(budget);
    GameOver(ctx);
    sys::SetWriteFailureAfter(-1);
    const auto now = Snapshot();
    if (now == before) {
      ++unchanged;
      EXPECT_EQ(ctx.Cfg(cfg::SessionWon), "0000");
    } else {
      ++complete;
      EXPECT_EQ(now, after) << "budget " << budget;
    }
    size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.File("DATA"))) {
      (void)e;
      ++entries;
    }
    EXPECT_EQ(entries, 4u) << "budget " << budget;
  }
  EXPECT_GT(unchanged, 10);
  EXPECT_GT(complete, 10);
  EXPECT_FALSE(ui.messages.empty());
}

// A results file that is there but cannot be opened (here a folder in its
// place) is told, and then nothing of the deal is recorded anywhere.
// Statistics that cannot be opened keep the whole deal out; hi-scores or
// overall scores that cannot be are left alone while the deal still counts.
TEST_F(GameOverTest, AnUnopenableResultsFileIsToldAndOnlyTheStatisticsKeepTheDealOut) {
  for (const char* blocked : {"STAT.DAT", "STAT_SCR.DAT", "STAT_GLO.DAT"}) {
    for (bool won : {true, false}) {
      const std::string where = std::string(blocked) + (won ? " won" : " lost");
      WriteFixtures();
      std::filesystem::remove(dir.File(std::string("DATA/") + blocked));
      std::filesystem::create_directory(dir.File(std::string("DATA/") + blocked));
      const auto before = Snapshot();
      const size_t logLines = Lines("STAT_LOG.DAT").size();
      ui.messages.clear();
      ctx.SetCfg(cfg::SessionWon, "0000");
      ctx.SetCfg(cfg::SessionLost, "0000");
      StartDeal(won);
      GameOver(ctx);
      EXPECT_TRUE(std::filesystem::is_directory(dir.File(std::string("DATA/") + blocked)))
          << where;
      ASSERT_FALSE(ui.messages.empty()) << where;
      EXPECT_NE(ui.messages[0].find(blocked), std::string::npos) << ui.messages[0];
      if (std::string(blocked) == "STAT.DAT") {
        EXPECT_EQ(Snapshot(), before) << where;
        EXPECT_EQ(ctx.Cfg(won ? cfg::SessionWon : cfg::SessionLost), "0000") << where;
      } else {
        EXPECT_EQ(Lines("STAT_LOG.DAT").size(), logLines + 1) << where;
        EXPECT_EQ(ctx.Cfg(won ? cfg::SessionWon : cfg::SessionLost), "0001") << where;
      }
      std::filesystem::remove(dir.File(std::string("DATA/") + blocked));
    }
  }
}

// A player name that no results file can hold (a hand-edited preferences
// file): nothing is written, and the user is told the deal was not kept.
TEST_F(GameOverTest, APlayerNameTheFilesCannotHoldIsToldNotLostUnseen) {
  for (const char* name : {"", "B=ob", "[Bob", "Bob]"}) {
    WriteFixtures();
    const auto before = Snapshot();
    ui.messages.clear();
    ctx.SetCfg(cfg::UserDefault, name);
    StartDeal(false);
    GameOver(ctx);
    EXPECT_EQ(Snapshot(), before) << name;
    ASSERT_EQ(ui.messages.size(), 1u) << name;
    EXPECT_NE(ui.messages[0].find("not recorded"), std::string::npos) << ui.messages[0];
  }
}

// A disk that fills at any point of the end of a deal: the deal is recorded
// whole, or nothing of it is and the user is told so.
TEST_F(GameOverTest, AFullDiskIsAlwaysToldAndNeverRecordsHalfADeal) {
  int recorded = 0, told = 0;
  for (int64_t bytes : {0, 1, 100, 500, 2000, 5000, 20000, 100000}) {
    for (bool won : {true, false}) {
      const std::string where = std::to_string(bytes) + (won ? " bytes, won" : " bytes, lost");
      WriteFixtures();
      const auto before = Snapshot();
      const size_t logLines = Lines("STAT_LOG.DAT").size();
      ui.messages.clear();
      StartDeal(won);
      sys::SetWriteFailureAfter(bytes);
      GameOver(ctx);
      sys::SetWriteFailureAfter(-1);
      if (Lines("STAT_LOG.DAT").size() == logLines + 1) {
        ++recorded;
        EXPECT_NE(Snapshot(), before) << where;
      } else {
        ++told;
        EXPECT_EQ(Snapshot(), before) << where;
        ASSERT_FALSE(ui.messages.empty()) << where << ": the deal was lost unseen";
        EXPECT_NE(ui.messages.back().find("not recorded"), std::string::npos)
            << where << ": " << ui.messages.back();
      }
    }
  }
  EXPECT_GT(recorded, 0);
  EXPECT_GT(told, 0);
}

TEST_F(GameOverTest, ATamperedOverallFileIsDetectedAndTheOtherFilesStillCount) {
  WriteFixtures();
  std::string glo = Read("STAT_GLO.DAT");
  size_t at = glo.find("T01=") + 10;
  glo[at] = glo[at] == '5' ? '6' : '5';
  Write("STAT_GLO.DAT", glo);
  StartDeal(true);
  GameOver(ctx);
  EXPECT_FALSE(Exists("STAT_GLO.DAT"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind("It looks as if the Overall Score Values are wrong", 0), 0u);
  EXPECT_EQ(Lines("STAT_LOG.DAT").size(), 3u);
  EXPECT_EQ(HiScoreOf(Lines("STAT_SCR.DAT")[18].substr(6)), 120);
  // Scores start again from zero with the next deal.
  StartDeal(true);
  GameOver(ctx);
  EXPECT_EQ(ReadOverallScores(ctx).TotalScores, StringList{"120"});
}

TEST_F(GameOverTest, AnOlderHiScoreFileIsUpgradedAndThenUpdated) {
  std::vector<std::string> old = {"[0012]"};
  for (int i = 1; i <= 20; ++i) {
    // Older records: no end mark.
    old.push_back(HiScoreKey("01", i) + "=" + SeedPlace(i).substr(0, 83));
  }
  Write("STAT_SCR.DAT", Crlf(old));
  UpgradeDataFiles(ctx);
  StartDeal(true);
  ctx.SetCfg(cfg::Score, "390");
  GameOver(ctx);
  std::vector<std::string> lines = Lines("STAT_SCR.DAT");
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[0], "[Version]");
  EXPECT_EQ(lines[1], "Version=0300");
  for (size_t i = 4; i < 24; ++i) {
    EXPECT_EQ(lines[i].size(), 6u + kHiScoreRecordWidth) << lines[i];
    EXPECT_EQ(lines[i].substr(lines[i].size() - 2), " x");
  }
  EXPECT_EQ(lines[5].substr(6, 13), "000390 000095");
  EXPECT_EQ(lines[6].substr(6, 6), "000380");
}

TEST_F(GameOverTest, AnEmptyTableIsSeededBeforeTheDealIsPlaced) {
  if (!std::filesystem::exists(dir.File("GAMES.DAT"))) GTEST_SKIP() << "no games file built";
  StartDeal(true);
  ctx.SetCfg(cfg::Score, "41");
  GameOver(ctx);
  StringList places;
  LoadHiScores(ctx, 12, "01", places);
  ASSERT_EQ(places.size(), 20u);
  // Placeholders of a 52-card game are 52, 45, 40, ...: 41 goes third.
  EXPECT_EQ(HiScoreOf(places[1]), 45);
  EXPECT_EQ(HiScoreOf(places[2]), 41);
  EXPECT_EQ(places[2].substr(32, 3), "Bob");
  EXPECT_EQ(HiScoreOf(places[3]), 40);
  EXPECT_EQ(fakes.dialogs.hiScores.size(), 1u);
}

// Many recorded deals of several players and games, some of them cut short
// by a failed write: every file stays well-formed and agrees with a plain
// count of the deals that were recorded.
TEST_F(GameOverTest, ManyDealsKeepEveryFileWellFormed) {
  const StringList players = {"Ann", "Bob", "Cy Long Name With Blanks", "Dee", "Eve"};
  const int games[] = {1, 12, 8001};
  std::map<std::tuple<int, std::string>, std::pair<int, int>> wonLost;
  std::map<std::tuple<int, std::string>, std::pair<int64_t, int64_t>> best;  // score, time
  sys::RandomSource& rnd = random;
  rnd.Seed(99);
  const int kDeals = 2500;
  const std::string logPath = dir.File("DATA/STAT_LOG.DAT");
  auto logBytes = [&]() -> uintmax_t {
    return std::filesystem::exists(logPath) ? std::filesystem::file_size(logPath) : 0;
  };
  size_t recorded = 0;
  for (int n = 0; n < kDeals; ++n) {
    const int game = games[rnd.Next(3)];
    const std::string player = players[static_cast<size_t>(rnd.Next(5))];
    const bool won = rnd.Next(3) == 0;
    const int64_t score = rnd.Next(600) - 104;
    const int64_t seconds = rnd.Next(5000);
    ctx.SetCfg(cfg::Game, IntToStrPad(game, 4));
    ctx.SetCfg(cfg::UserDefault, player);
    ctx.SetCfg(cfg::Score, std::to_string(score));
    ctx.SetCfg(cfg::ConfirmEnterHiScores, "N");
    StartDeal(won);
    ctx.GameStartTime = ClockSeconds(ctx) - seconds;
    const bool killed = rnd.Next(10) == 0;
    if (killed) sys::SetWriteFailureAfter(rnd.Next(8000));
    const uintmax_t logSize = logBytes();
    GameOver(ctx);
    sys::SetWriteFailureAfter(-1);
    const uintmax_t grown = logBytes() - logSize;
    if (grown == 0 && killed) continue;
    ASSERT_EQ(grown, kStatLogLineWidth + 2u);
    ++recorded;
    auto& wl = wonLost[{game, player}];
    (won ? wl.first : wl.second)++;
    auto& b = best[{game, player}];
    if (game < 8000 && score > 0 &&
        (score > b.first || (score == b.first && seconds < b.second))) {
      b = {score, seconds};
    }
  }
  EXPECT_GT(recorded, kDeals * 8u / 10);
  EXPECT_LT(recorded, static_cast<size_t>(kDeals));
  for (const auto& m : ui.messages) EXPECT_EQ(m.rfind("Write error on file ", 0), 0u) << m;

  // Statistics: one well-formed record per game and player, counting every deal.
  SectionedTextFile statFile;
  ASSERT_TRUE(statFile.Load(StatFilePath(ctx)));
  for (const auto& [key, wl] : wonLost) {
    std::string value;
    ASSERT_TRUE(statFile.GetValue(IntToStrPad(std::get<0>(key), 4), std::get<1>(key), value));
    ASSERT_EQ(value.size(), static_cast<size_t>(kStatRecordWidth));
    EXPECT_EQ(FormatStatRecord(ParseStatRecord(value)), value);
    StatRecord r = ParseStatRecord(value);
    EXPECT_EQ(r.Won, wl.first);
    EXPECT_EQ(r.Lost, wl.second);
  }

  // The log: one fixed-width line per deal.
  std::vector<std::string> logLines = Lines("STAT_LOG.DAT");
  ASSERT_EQ(logLines.size(), recorded);
  for (const auto& line : logLines) ASSERT_EQ(line.size(), static_cast<size_t>(kStatLogLineWidth));

  // Hi-scores: 20 places per game, in rank order, each 85 characters.
  for (int game : games) {
    SectionedTextFile scrFile;
    ASSERT_TRUE(scrFile.Load(StatScrFilePath(ctx)));
    int h = scrFile.FindSection(IntToStrPad(game, 4));
    ASSERT_GE(h, 0);
    for (int i = 1; i <= 20; ++i) {
      const std::string& line = scrFile.Lines()[static_cast<size_t>(h + i)];
      ASSERT_EQ(line.substr(0, 6), HiScoreKey("01", i) + "=");
      ASSERT_EQ(line.size(), 6u + kHiScoreRecordWidth);
      if (i > 1) {
        const std::string& above = scrFile.Lines()[static_cast<size_t>(h + i - 1)];
        const int64_t s = HiScoreOf(line.substr(6)), sa = HiScoreOf(above.substr(6));
        EXPECT_TRUE(sa > s || (sa == s && HiScoreTimeOf(above.substr(6)) <=
                                               HiScoreTimeOf(line.substr(6))))
            << game << " place " << i;
      }
    }
  }

  // Overall: each player's totals are the sums of their bests.
  OverallRanking ranking = ReadOverallScores(ctx);
  std::map<std::string, std::pair<int64_t, int64_t>> totals;
  for (const auto& [key, b] : best) {
    if (b.first == 0) continue;
    totals[std::get<1>(key)].first += b.first;
    totals[std::get<1>(key)].second += b.second;
  }
  ASSERT_EQ(ranking.Players.size(), totals.size());
  for (size_t i = 0; i < ranking.Players.size(); ++i) {
    const auto& t = totals[ranking.Players[i]];
    EXPECT_EQ(ranking.TotalScores[i], std::to_string(t.first)) << ranking.Players[i];
    EXPECT_EQ(ranking.TotalTimes[i], std::to_string(t.second)) << ranking.Players[i];
  }
}

class ScoreTest : public testing::EngineTest {
 protected:
  ScoreTest() {
    ctx.GameRules.GameKind() = 1;
    ctx.GameRules.CardCount() = 52;
    ctx.GameRules.FoundationCount() = 4;
  }
};

TEST_F(ScoreTest, MoneyScoreFromTheDealToAClearedTable) {
  AddScore(ctx, 0, true);
  EXPECT_EQ(ctx.Cfg(cfg::Score), "-52");
  AddScore(ctx, 2);
  EXPECT_EQ(ctx.Cfg(cfg::Score), "-42");
  RecalcScore(ctx);  // nothing on the foundations yet
  EXPECT_EQ(ctx.Cfg(cfg::Score), "-52");
  for (int f = 0; f < 4; ++f) {
    std::string pile;
    for (int r = 1; r <= 13; ++r) pile += CardCodeText(f * 13 + r);
    ctx.DestPiles[static_cast<size_t>(f)] = pile;
    RecalcScore(ctx);
    EXPECT_EQ(ctx.Cfg(cfg::Score), std::to_string(-52 + 65 * (f + 1)));
  }
  EXPECT_EQ(ctx.Cfg(cfg::Score), "208");
  EXPECT_EQ(fakes.window.scores.back(), "208");
}

TEST_F(ScoreTest, DealCreditAndTheThirdStockEntryCount) {
  ctx.GameRules.CardCount() = 104;
  ctx.GameRules.FoundationCount() = 8;
  ctx.GameRules.ScoreCardsAtDeal() = 2;
  ctx.MazzoPiles[2] = Pile({5, 6, 7});
  ctx.DestPiles[7] = Pile({1});
  ctx.DestPiles[8] = Pile({2});  // not one of the game's foundations
  RecalcScore(ctx);
  EXPECT_EQ(ctx.Cfg(cfg::Score), std::to_string(5 * (2 + 3 + 1) - 104));
}

TEST_F(ScoreTest, OtherKindsAndGames) {
  ctx.SetCfg(cfg::Score, "17");
  ctx.SetCfg(cfg::ScoreKind, "02");
  ctx.DestPiles[0] = Pile({1});
  RecalcScore(ctx);
  AddScore(ctx, 3);
  EXPECT_EQ(ctx.Cfg(cfg::Score), "17");

  // Poker squares scores its grid: one full row holding a pair.
  ctx.SetCfg(cfg::ScoreKind, "01");
  ctx.GameRules.GameKind() = 9;
  for (int i = 0; i < 5; ++i) ctx.FilaPiles[static_cast<size_t>(i)] = Pile({i == 4 ? 14 : i + 1});
  RecalcScore(ctx);
  AddScore(ctx, 0, true);
  EXPECT_EQ(ctx.Cfg(cfg::Score), "2");
  for (int i = 0; i < 5; ++i) ctx.FilaPiles[static_cast<size_t>(i)].clear();

  ctx.GameRules.GameKind() = 10;
  RecalcScore(ctx);
  EXPECT_EQ(ctx.Cfg(cfg::Score), "-47");
  EXPECT_EQ(fakes.view.calls, StringList{"foundation hints"});
}

// Rescoring a fresh deal gives what the deal itself counted, in every game.
TEST_F(ScoreTest, RescoringAFreshDealChangesNothingInAnyGame) {
  const std::string dir = std::string(TW_DIST_DIR) + "/";
  if (!std::filesystem::exists(dir + kGamesFileName)) GTEST_SKIP() << "no games file built";
  CreateSharedGlobals(ctx, dir);
  ctx.SetCfg(cfg::ScoreKind, "01");
  std::string error;
  ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
  int checked = 0;
  for (const std::string& line : ctx.GameList) {
    const int game = CatalogueNumber(line);
    if (game >= kFirstCustomGame) continue;
    ctx.SetCfg(cfg::Game, std::to_string(game));
    ctx.GameRules.Clear();
    ASSERT_TRUE(LoadGameRules(ctx)) << "game " << game;
    if (ctx.GameRules.GameKind() == 9) continue;
    for (const char* number : {"1", "4711", "9999999999999"}) {
      InitCardsAndPiles(ctx);
      ctx.SetCfg(cfg::DealNumber, number);
      ctx.SetCfg(cfg::Score, "0");
      ASSERT_TRUE(DealCards(ctx)) << "game " << game;
      const std::string dealt = ctx.Cfg(cfg::Score);
      RecalcScore(ctx);
      EXPECT_EQ(ctx.Cfg(cfg::Score), dealt)
          << "game " << game << " " << CatalogueName(line) << " (kind "
          << ctx.GameRules.GameKind() << "), deal " << number;
    }
    ++checked;
  }
  EXPECT_GT(checked, 10);
}

}  // namespace
}  // namespace tw
