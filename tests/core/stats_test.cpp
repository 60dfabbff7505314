#include "core/stats.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/hiscores.h"
#include "core/util.h"
#include "platform/sys/files.h"
#include "platform/sys/ini.h"
#include "tests/core/results_fixture.h"

namespace tw {
namespace {

using StatsTest = testing::ResultsTest;

const std::string kEmpty = "000000 000000 000000 000000 000000 000000 000000000000 000000000000";

TEST(StatRecordTest, LayoutRoundTripAndSaturation) {
  EXPECT_EQ(FormatStatRecord(StatRecord{}), kEmpty);
  StatRecord r{12, 3, 7, 2, 1, 0, -52};
  std::string text = FormatStatRecord(r);
  EXPECT_EQ(text, "000012 000003 000007 000002 000001 000000 -00000000052 000000000000");
  EXPECT_EQ(ParseStatRecord(text), r);

  // Full counters stay full instead of turning into "******".
  StatRecord full{999999, 999999, 999999, 999999, 999999, 999999, 999999999990};
  AddResult(full, true, 500);
  AddResult(full, false, 500);
  text = FormatStatRecord(full);
  ASSERT_EQ(text.size(), static_cast<size_t>(kStatRecordWidth));
  EXPECT_EQ(text.find('*'), std::string::npos);
  EXPECT_EQ(ParseStatRecord(text).Won, 999999);
  EXPECT_EQ(ParseStatRecord(text).Score, 999999999999);
  StatRecord low{};
  low.Score = -99999999990;
  AddResult(low, false, -500);
  EXPECT_EQ(FormatStatRecord(low).substr(42, 12), "-99999999999");

  // A damaged field reads as 0, the others survive.
  StatRecord damaged = ParseStatRecord("****** 000003 000007 000002 000001 000000 000000000009");
  EXPECT_EQ(damaged.Won, 0);
  EXPECT_EQ(damaged.Lost, 3);
  EXPECT_EQ(damaged.Score, 9);
}

TEST_F(StatsTest, FirstDealAddsSectionThenLinesThenUpdatesInPlace) {
  ASSERT_TRUE(UpdateGameStatistics(ctx, true));
  EXPECT_EQ(Lines("STAT.DAT"),
            (std::vector<std::string>{"[Version]", "Version=0300", "", "[0012]",
                                      "Bob=000001 000000 000001 000000 000001 000000 000000000120 "
                                      "000000000000"}));
  ctx.SetCfg(cfg::UserDefault, "Ann");
  ctx.SetCfg(cfg::Score, "-52");
  ASSERT_TRUE(UpdateGameStatistics(ctx, false));
  ctx.SetCfg(cfg::Game, "0003");
  ASSERT_TRUE(UpdateGameStatistics(ctx, false));
  auto lines = Lines("STAT.DAT");
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[5], "Ann=000000 000001 000000 000001 000000 000001 -00000000052 000000000000");
  EXPECT_EQ(lines[7], "[0003]");

  // Bob's record is rewritten, nothing else moves.
  ctx.SetCfg(cfg::Game, "0012");
  ctx.SetCfg(cfg::UserDefault, "Bob");
  ctx.SetCfg(cfg::Score, "120");
  ASSERT_TRUE(UpdateGameStatistics(ctx, true));
  auto after = Lines("STAT.DAT");
  lines[4] = "Bob=000002 000000 000002 000000 000002 000000 000000000240 000000000000";
  EXPECT_EQ(after, lines);
  EXPECT_EQ(Read("STAT.DAT").find("\r\n"), 9u);
}

TEST_F(StatsTest, StreaksAndSessionCounters) {
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(UpdateGameStatistics(ctx, true));
  ctx.SetCfg(cfg::Score, "-40");
  ASSERT_TRUE(UpdateGameStatistics(ctx, false));
  GameStatistics s = ReadGameStatistics(ctx, 12, "Bob");
  EXPECT_EQ(s.Record, (StatRecord{3, 1, 3, 1, 0, 1, 320}));
  EXPECT_EQ(s.SessionWon, 3);
  EXPECT_EQ(s.SessionLost, 1);
  // Session counters belong to the current player and game only.
  EXPECT_EQ(ReadGameStatistics(ctx, 13, "Bob").SessionWon, 0);
  EXPECT_EQ(ReadGameStatistics(ctx, 12, "Ann").SessionWon, 0);
  EXPECT_EQ(ReadGameStatistics(ctx, 12, "Ann").Record, StatRecord{});
  ctx.SetCfg(cfg::SessionWon, "9999");
  ASSERT_TRUE(UpdateGameStatistics(ctx, true));
  EXPECT_EQ(ctx.Cfg(cfg::SessionWon), "9999");
  ResetSessionCounters(ctx);
  EXPECT_EQ(ctx.Cfg(cfg::SessionWon), "0000");
  EXPECT_EQ(ctx.Cfg(cfg::SessionLost), "0000");
}

TEST_F(StatsTest, BobIsNotBobby) {
  Write("STAT.DAT", "[Version]\r\nVersion=0300\r\n\r\n[0012]\r\nBobby=" + kEmpty + "\r\n");
  ASSERT_TRUE(UpdateGameStatistics(ctx, true));
  auto lines = Lines("STAT.DAT");
  EXPECT_EQ(lines[4], "Bobby=" + kEmpty);
  EXPECT_EQ(lines[5].substr(0, 11), "Bob=000001 ");
  EXPECT_EQ(ReadGameStatistics(ctx, 12, "Bobby").Record, StatRecord{});
}

TEST_F(StatsTest, RefusedNamesAreNeverWritten) {
  for (const char* name : {"[Bob]", "a=b", "x\ny"}) {
    ctx.SetCfg(cfg::UserDefault, name);
    EXPECT_FALSE(UpdateGameStatistics(ctx, true)) << name;
    EXPECT_FALSE(AppendStatLog(ctx, true, 10, "20261210", "09:05:07")) << name;
  }
  EXPECT_EQ(Read("STAT.DAT").find("Bob"), std::string::npos);
  EXPECT_FALSE(Exists("STAT_LOG.DAT"));
}

TEST_F(StatsTest, FailedSaveKeepsTheOldFile) {
  ASSERT_TRUE(UpdateGameStatistics(ctx, true));
  std::string before = Read("STAT.DAT");
  sys::SetWriteFailureAfter(20);
  EXPECT_FALSE(UpdateGameStatistics(ctx, true));
  sys::SetWriteFailureAfter(-1);
  EXPECT_EQ(Read("STAT.DAT"), before);
  EXPECT_EQ(ctx.Cfg(cfg::SessionWon), "0001");
  // No temporary file is left beside it.
  std::filesystem::directory_iterator data(dir.File("DATA"));
  EXPECT_EQ(std::distance(begin(data), end(data)), 1);
}

TEST_F(StatsTest, LogLineColumns) {
  ctx.SetCfg(cfg::UserDefault, std::string(28, 'p') + "qrst");
  ctx.SetCfg(cfg::Score, "-52");
  std::string line = BuildStatLogLine(ctx, false, 1234567, "20261210", "09:05:07");
  ASSERT_EQ(line.size(), static_cast<size_t>(kStatLogLineWidth));
  EXPECT_EQ(line.substr(0, 25), "20261210 09:05:07 999999 ");
  EXPECT_EQ(line.substr(25, 5), "0012 ");
  EXPECT_EQ(line.substr(30, 51), PadRight("Klondike", 50) + " ");
  // UserDefault holds 30 characters; the log column too.
  EXPECT_EQ(line.substr(81, 31), std::string(28, 'p') + "qr ");
  EXPECT_EQ(line.substr(112, 8), "Lost 01 ");
  EXPECT_EQ(line.substr(120, 7), "-52    ");
  EXPECT_EQ(line.substr(127, 16), PadRight("4711", 15) + " ");
  EXPECT_EQ(line.substr(143), "0360");
  EXPECT_EQ(BuildStatLogLine(ctx, true, 5, "", "").substr(112, 5), "Won  ");
}

TEST_F(StatsTest, LogLinesAppendEvenAfterAnUnterminatedLine) {
  Write("STAT_LOG.DAT", "old line without end");
  ASSERT_TRUE(AppendStatLog(ctx, true, 61, "20261210", "09:05:07"));
  ASSERT_TRUE(AppendStatLog(ctx, false, 62, "20261210", "09:06:07"));
  auto lines = Lines("STAT_LOG.DAT");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "old line without end");
  EXPECT_EQ(lines[1].size(), 147u);
  EXPECT_EQ(lines[2].substr(18, 6), "000062");
  EXPECT_EQ(Read("STAT_LOG.DAT").size(), 22u + 2 * 149u);
}

class ClearStatsTest : public testing::ResultsTest {
 protected:
  // Bob and Ann in game 12, Ann in game 3; a log line of each plus a short one.
  void Play() {
    for (auto [game, player] : {std::pair{"0012", "Bob"}, {"0012", "Ann"}, {"0003", "Ann"}}) {
      ctx.SetCfg(cfg::Game, game);
      ctx.SetCfg(cfg::UserDefault, player);
      ASSERT_TRUE(UpdateGameStatistics(ctx, true));
      ASSERT_TRUE(AppendStatLog(ctx, true, 10, "20261210", "09:05:07"));
    }
    sys::AppendLine(dir.File("DATA/STAT_LOG.DAT"), "short");
  }
  StatRecord Rec(int game, const char* player) {
    return ReadGameStatistics(ctx, game, player).Record;
  }
  size_t LogCount() { return Lines("STAT_LOG.DAT").size(); }
};

TEST_F(ClearStatsTest, OneAndAllGamesTimesOneAndAllPlayers) {
  const StatRecord one{1, 0, 1, 0, 1, 0, 120};
  struct Case {
    int game;
    const char* player;
    bool allGames, allPlayers;
    StatRecord bob12, ann12, ann3;
    size_t logLines;
  } cases[] = {
      {12, "Bob", false, false, {}, one, one, 3},
      {12, "Ann", true, false, one, {}, {}, 2},
      {12, "", false, true, {}, {}, one, 2},
      {0, "", true, true, {}, {}, {}, 0},
  };
  for (const Case& c : cases) {
    sys::DeleteFile(dir.File("DATA/STAT.DAT"));
    sys::DeleteFile(dir.File("DATA/STAT_LOG.DAT"));
    Play();
    ClearStatistics(ctx, c.game, c.player, c.allGames, c.allPlayers);
    SCOPED_TRACE(std::string(c.player) + (c.allGames ? " all games" : "") +
                 (c.allPlayers ? " all players" : ""));
    EXPECT_EQ(Rec(12, "Bob"), c.bob12);
    EXPECT_EQ(Rec(12, "Ann"), c.ann12);
    EXPECT_EQ(Rec(3, "Ann"), c.ann3);
    EXPECT_EQ(LogCount(), c.logLines);
  }
  EXPECT_EQ(Lines("STAT.DAT"), (std::vector<std::string>{"[Version]", "Version=0300"}));
}

TEST_F(ClearStatsTest, AllGamesForAPlayerWritesZeroRecordsEverywhere) {
  Play();
  ClearStatistics(ctx, 0, "Bob", true, false);
  auto lines = Lines("STAT.DAT");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Bob=" + kEmpty), lines.end());
  int bobLines = 0;
  for (const auto& l : lines) bobLines += l.rfind("Bob=", 0) == 0;
  EXPECT_EQ(bobLines, 2);  // game 12 and game 3, never the version section
  EXPECT_EQ(Rec(3, "Ann"), (StatRecord{1, 0, 1, 0, 1, 0, 120}));
}

TEST_F(StatsTest, RenameTouchesOnlyTheWholeName) {
  for (const char* player : {"Bobby", "Bob"}) {
    ctx.SetCfg(cfg::UserDefault, player);
    ASSERT_TRUE(UpdateGameStatistics(ctx, true));
    ASSERT_TRUE(AppendStatLog(ctx, true, 10, "20261210", "09:05:07"));
    RecordHiScore(ctx, 12, player, "01", {500, 10, "20261210", "09:05:07", true});
  }
  ASSERT_TRUE(RenamePlayerInStatFiles(ctx, "Bob", "Robert"));
  EXPECT_EQ(ReadGameStatistics(ctx, 12, "Bob").Record, StatRecord{});
  EXPECT_EQ(ReadGameStatistics(ctx, 12, "Robert").Record.Won, 1);
  EXPECT_EQ(ReadGameStatistics(ctx, 12, "Bobby").Record.Won, 1);
  auto log = Lines("STAT_LOG.DAT");
  EXPECT_EQ(log[0].substr(81, 30), PadRight("Bobby", 30));
  EXPECT_EQ(log[1].substr(81, 30), PadRight("Robert", 30));
  StringList places;
  LoadHiScores(ctx, 12, "01", places);
  EXPECT_EQ(places[0].substr(32, 30), PadRight("Bobby", 30));
  EXPECT_EQ(places[1].substr(32, 30), PadRight("Robert", 30));

  std::string before = Read("STAT.DAT");
  EXPECT_FALSE(RenamePlayerInStatFiles(ctx, "Robert", "Rob]"));
  EXPECT_EQ(Read("STAT.DAT"), before);
}

// A hand-edited file that names a section twice: the record the readers
// show (the first under the first header) is the one renamed and kept.
TEST_F(StatsTest, RenameWithARepeatedSectionKeepsTheRecordShown) {
  const std::string live = "000003 000000 000003 000000 000003 000000 000000000300 000000000000";
  const std::string dead = "000001 000000 000001 000000 000001 000000 000000000100 000000000000";
  Write("STAT.DAT", "[Version]\r\nVersion=0300\r\n[0001]\r\nBob=" + live + "\r\nBob=" + dead +
                        "\r\n[0001]\r\n");
  ASSERT_EQ(ReadGameStatistics(ctx, 1, "Bob").Record.Won, 3);
  ASSERT_TRUE(RenamePlayerInStatFiles(ctx, "Bob", "Robert"));
  EXPECT_EQ(ReadGameStatistics(ctx, 1, "Robert").Record.Won, 3);
  EXPECT_NE(Read("STAT.DAT").find("Robert=" + live), std::string::npos) << Read("STAT.DAT");
}

// New results files are made as any file the user makes (the umask's mode),
// and a replaced one keeps its own.
TEST_F(StatsTest, ResultsFilesTakeTheUmasksMode) {
  const mode_t old = ::umask(022);
  ctx.SetCfg(cfg::UserDefault, "Bob");
  ctx.SetCfg(cfg::Game, "0012");
  // As the end of a deal writes them: all in one batch.
  sys::FileBatch batch;
  ASSERT_TRUE(UpdateGameStatistics(ctx, true, &batch));
  ASSERT_TRUE(StageStatLogLine(ctx, true, 10, "20261210", "09:05:07", batch));
  RecordHiScore(ctx, 12, "Bob", "01", {500, 10, "20261210", "09:05:07", true}, {}, {}, &batch);
  ASSERT_TRUE(batch.Commit());
  for (const char* name : {"STAT.DAT", "STAT_LOG.DAT", "STAT_SCR.DAT", "STAT_GLO.DAT"}) {
    EXPECT_EQ(std::filesystem::status(dir.File(std::string("DATA/") + name)).permissions(),
              std::filesystem::perms(0644))
        << name;
  }
  std::filesystem::permissions(dir.File("DATA/STAT_SCR.DAT"), std::filesystem::perms(0600));
  RecordHiScore(ctx, 12, "Bob", "01", {600, 10, "20261210", "09:05:07", true});
  EXPECT_EQ(std::filesystem::status(dir.File("DATA/STAT_SCR.DAT")).permissions(),
            std::filesystem::perms(0600));
  ::umask(old);
}

TEST_F(StatsTest, DeleteGameRemovesEverythingRecordedAboutIt) {
  std::string custom = "[R-0301]\r\n";
  for (int game : {8000, 8001}) {
    custom += IntToStrPad(game, 4) + PadRight("Variant " + std::to_string(game), 50) + "0012\r\n";
    custom += "001-011\r\n";
    for (int i = 0; i < 28; ++i) custom += "\r\n";
  }
  Write("GAM_CUST.DAT", custom);
  sys::IniFile ini(dir.File("DATA/CFG.DAT"));
  ini.WriteString("Favourite Games", "Game000", "Klondike");
  ini.WriteString("Favourite Games", "Game001", "Variant 8000");
  ini.WriteString("Favourite Games", "Game002", "FreeCell");
  ctx.SetCfg(cfg::Game, "8000");
  ASSERT_TRUE(UpdateGameStatistics(ctx, true));
  ctx.SetCfg(cfg::Game, "0012");
  ASSERT_TRUE(UpdateGameStatistics(ctx, true));
  RecordHiScore(ctx, 8000, "Bob", "01", {500, 10, "20261210", "09:05:07", true});

  ui.answer = false;
  EXPECT_FALSE(DeleteGame(ctx, 8000, 1, "Variant 8000", {}));
  EXPECT_EQ(Read("GAM_CUST.DAT"), custom);

  ui.answer = true;
  int rebuilt = 0, ended = 0;
  DeleteGameHooks hooks{[&] { ++ended; }, [&] { ++rebuilt; }};
  ASSERT_TRUE(DeleteGame(ctx, 8000, 2, "Variant 8000", hooks));
  EXPECT_EQ(ended, 0);  // not the game in play
  EXPECT_EQ(rebuilt, 1);
  auto lines = Lines("GAM_CUST.DAT");
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines[1].substr(0, 4), "8001");
  EXPECT_EQ(ini.ReadString("Favourite Games", "Game001", ""), "FreeCell");
  EXPECT_FALSE(ini.KeyExists("Favourite Games", "Game002"));
  EXPECT_EQ(ReadGameStatistics(ctx, 8000, "Bob").Record, StatRecord{});
  EXPECT_EQ(ReadGameStatistics(ctx, 12, "Bob").Record.Won, 1);
  auto scr = Lines("STAT_SCR.DAT");
  EXPECT_NE(std::find(scr.begin(), scr.end(), "01-01=" + EmptyHiScoreRecord()), scr.end());

  // The game in play: the deal is ended first.
  ctx.SetCfg(cfg::Game, "8001");
  ASSERT_TRUE(DeleteGame(ctx, 8001, 1, "Variant 8001", hooks));
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(ui.questions.back().substr(0, 20), "Now you are playing ");
}

}  // namespace
}  // namespace tw
