// Every writer of the data files broken at every point where the file layer
// can fail (a write, an fsync, a rename): afterwards each file is either as
// it was or as the whole change leaves it, never cut or half updated, and no
// temporary file is left behind. Operations over several files change all
// or none of them, also when one of their files cannot be read.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "core/customgames.h"
#include "core/datafiles.h"
#include "core/gamesfile.h"
#include "core/hiscores.h"
#include "core/overall.h"
#include "core/stats.h"
#include "core/util.h"
#include "engine/gameover.h"
#include "engine/random_player.h"
#include "engine/savegame.h"
#include "platform/sys/files.h"
#include "platform/sys/ini.h"
#include "tests/core/results_fixture.h"
#include "tests/engine/play_fixture.h"

namespace tw {
namespace {

using Files = std::map<std::string, std::string>;

class FixedClock : public sys::Clock {
 public:
  uint64_t TickMs() override { return 50'000'000; }
  sys::LocalDateTime Now() override { return {2026, 12, 10, 12, 0, 0}; }
};

class AnsweringUi : public testing::FakeUi {
 public:
  std::vector<std::string> messages;
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string&) override { return true; }
};

class DataWritersTest : public testing::ShippedGamesTest {
 protected:
  void SetUp() override {
    ShippedGamesTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ctx.Ui = &ui;
    ctx.Clock = &clock;
    ctx.Random = &random;
    ctx.SetCfg(cfg::ScoreKind, "01");
    ctx.SetCfg(cfg::UserDefault, "Bob");
    base = CatalogueNumber(ctx.GameList[0]);
    ctx.SetCfg(cfg::Game, std::to_string(base));
    ASSERT_TRUE(StartDealForPlay(ctx, "4711"));
    WriteFixture();
    fixture = Entries();
  }
  void TearDown() override { sys::SetFailurePoints({}); }

  // Results of two players in a catalogued game and in a custom game, the
  // custom game among the favourites, three players.
  void WriteFixture() {
    std::string custom = "[R-0301]\r\n" + IntToStrPad(8000, 4) + PadRight("Variant", 50) +
                         IntToStrPad(base, 4) + "\r\n001-011\r\n";
    for (int i = 0; i < 28; ++i) custom += "\r\n";
    dir.Write("DATA/GAM_CUST.DAT", custom);
    const std::vector<std::string> names = {"Ann", "Bob", "Cy"};
    ASSERT_TRUE(SavePlayerList(ctx, &names, "Bob"));
    sys::IniFile ini(CfgFilePath(ctx));
    ini.WriteString("Favourite Games", "Game000", "Variant");
    ini.WriteString("Favourite Games", "Game001", GameNameFromNumber(ctx, base));
    random.Seed(1);
    for (const char* player : {"Ann", "Bob"}) {
      for (int game : {base, 8000}) {
        ctx.SetCfg(cfg::UserDefault, player);
        ctx.SetCfg(cfg::Game, IntToStrPad(game, 4));
        ctx.SetCfg(cfg::Score, "150");
        ASSERT_TRUE(UpdateGameStatistics(ctx, true));
        ASSERT_TRUE(AppendStatLog(ctx, true, 100, "20261209", "10:00:00"));
        RecordHiScore(ctx, game, player, "01", {150, 100, "20261209", "10:00:00", true});
      }
    }
    ctx.SetCfg(cfg::Game, IntToStrPad(base, 4));
    ctx.SetCfg(cfg::UserDefault, "Bob");
    dir.Write("old.gam", "an older saved game\r\n");
  }

  // Every entry of the program folder and DATA with its bytes.
  Files Entries() const {
    Files out;
    for (const std::string& folder : {std::string(), std::string("DATA/")}) {
      for (const auto& e : std::filesystem::directory_iterator(dir.File(folder))) {
        const std::string name = folder + e.path().filename().string();
        if (name == "DATA") continue;
        std::error_code ec;
        out[name] = e.is_regular_file(ec) ? dir.Read(name) : "<not a file>";
      }
    }
    return out;
  }

  void Restore(const Files& files) {
    for (const auto& [name, bytes] : Entries()) std::filesystem::remove_all(dir.File(name));
    for (const auto& [name, bytes] : files) dir.Write(name, bytes);
  }

  // The context as each run finds it.
  void Ready() {
    random.Seed(7);
    ctx.SetCfg(cfg::Game, IntToStrPad(base, 4));
    ctx.SetCfg(cfg::UserDefault, "Bob");
    ctx.SetCfg(cfg::Score, "180");
    ctx.SetCfg(cfg::SessionWon, "0000");
    ctx.SetCfg(cfg::SessionLost, "0000");
    ctx.TfrmMain.GameInProgress = 1;
    ctx.TfrmMain.GameWon = 0;
    ctx.TfrmMain.ClockRunning = 1;
    ctx.GameStartTime = ClockSeconds(ctx) - 95;
  }

  // The files now are all those of the fixture (kept) or all those after
  // the change (done); anything else fails, naming the files that are neither.
  void Count(const Files& after, const std::string& where, int& kept, int& done) const {
    const Files now = Entries();
    if (now == fixture) {
      ++kept;
    } else if (now == after) {
      ++done;
    } else {
      for (const auto& [name, bytes] : now) {
        EXPECT_TRUE((fixture.count(name) && fixture.at(name) == bytes) ||
                    (after.count(name) && after.at(name) == bytes))
            << where << ": " << name;
      }
      ADD_FAILURE() << where << ": a mix of old and new files";
    }
  }

  struct Writer {
    const char* name;
    std::function<void()> run;
  };
  std::vector<Writer> Writers() {
    return {
        {"deal end", [&] { GameOver(ctx); }},
        {"preference",
         [&] { sys::IniFile(CfgFilePath(ctx)).WriteString("Preference", "Card", "3"); }},
        {"players",
         [&] {
           const std::vector<std::string> names = {"Ann", "Bob", "Cy", "Dee"};
           SavePlayerList(ctx, &names, "Dee");
         }},
        {"recent deals", [&] { AddRecentDealNumber(ctx, "0000000000042"); }},
        {"custom game",
         [&] {
           int number = 0;
           std::string error;
           AddCustomGame(ctx, "Mine", base, 3, -1, 1, number, error);
         }},
        {"saved game",
         [&] {
           std::string error;
           SaveGame(ctx, dir.File("old.gam"), error);
         }},
        {"rename player",
         [&] {
           const PlayerList players{{"Ann", "Robert", "Cy"}};
           RenamePlayerInStatFiles(ctx, "Bob", "Robert", &players);
         }},
        {"delete game", [&] { DeleteGame(ctx, 8000, 2, "Variant", {}); }},
        {"clear statistics", [&] { ClearStatistics(ctx, 0, "", true, true); }},
        {"clear a player", [&] { ClearStatistics(ctx, 0, "Ann", true, false); }},
        {"clear hi-scores", [&] { ClearAllHiScores(ctx); }},
    };
  }

  FixedClock clock;
  testing::ResultsRandom random;
  AnsweringUi ui;
  int base = 0;
  Files fixture;
};

TEST_F(DataWritersTest, AFailureAnywhereLeavesEveryFileBeforeOrAfterTheWholeChange) {
  std::vector<sys::FailurePoints> points;
  for (int64_t bytes : {0, 1, 60, 400, 3000}) points.push_back({bytes, -1, -1});
  for (int n = 0; n < 6; ++n) points.push_back({-1, n, -1});
  for (int n = 0; n < 6; ++n) points.push_back({-1, -1, n});

  for (const Writer& w : Writers()) {
    Restore(fixture);
    Ready();
    w.run();
    const Files after = Entries();
    EXPECT_NE(after, fixture) << w.name << " changes nothing";
    int kept = 0, done = 0;
    for (const sys::FailurePoints& p : points) {
      const std::string where = std::string(w.name) + " failing at write " +
                                std::to_string(p.writeBytes) + ", fsync " +
                                std::to_string(p.fsyncs) + ", rename " + std::to_string(p.renames);
      Restore(fixture);
      Ready();
      sys::SetFailurePoints(p);
      w.run();
      sys::SetFailurePoints({});
      Count(after, where, kept, done);
    }
    EXPECT_GT(kept, 0) << w.name;
    EXPECT_GT(done, 0) << w.name;
  }
}

// The process killed at each file step of a change in turn (every fsync,
// link, rename, unlink and truncate), then the start-up pass: the files are
// all as before the change or all as after it, with nothing left behind.
TEST_F(DataWritersTest, AKillAtAnyFileStepIsFinishedOrUndoneAtTheNextStart) {
  sys::SetBatchJournalFolder(dir.File("DATA"));
  for (const Writer& w : Writers()) {
    Restore(fixture);
    Ready();
    const int64_t first = sys::FileStepsTaken();
    w.run();
    const int steps = static_cast<int>(sys::FileStepsTaken() - first);
    const Files after = Entries();
    int kept = 0, done = 0, told = 0;
    for (int n = 0; n <= steps; ++n) {
      const std::string where = std::string(w.name) + " killed at step " + std::to_string(n) +
                                " of " + std::to_string(steps);
      Restore(fixture);
      Ready();
      const pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        sys::SetFailurePoints({-1, -1, -1, n});
        w.run();
        ::_exit(0);
      }
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      // Past the last step the change runs to its end.
      EXPECT_EQ(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL, n < steps) << where;
      const sys::BatchRecovery recovery = sys::RecoverFileBatches(dir.File("DATA"));
      EXPECT_FALSE(recovery.failed) << where;
      if (!sys::BatchRecoveryText(recovery).empty()) ++told;
      Count(after, where, kept, done);
    }
    EXPECT_GT(kept, 0) << w.name;
    EXPECT_GT(done, 0) << w.name;
    // Only an undone change is told, and a finished one never.
    EXPECT_LE(told, kept) << w.name;
  }
  sys::SetBatchJournalFolder("");
}

// One file of the change that is there but cannot be read stops the whole
// change: every file stays as it was, and the user is told.
TEST_F(DataWritersTest, AnUnreadableFileStopsEveryOperationOverSeveralFiles) {
  struct Case {
    const char* writer;
    std::vector<const char*> files;
  } cases[] = {
      {"rename player", {"STAT.DAT", "STAT_LOG.DAT", "STAT_SCR.DAT", "STAT_GLO.DAT"}},
      {"delete game", {"GAM_CUST.DAT", "CFG.DAT", "STAT.DAT", "STAT_LOG.DAT", "STAT_SCR.DAT"}},
      {"clear statistics", {"STAT.DAT", "STAT_LOG.DAT"}},
      {"clear a player", {"STAT.DAT", "STAT_LOG.DAT"}},
      // Hi-scores and overall scores that cannot be read are left alone
      // while the deal still counts (see the game-over tests).
      {"deal end", {"STAT.DAT"}},
  };
  for (const Case& c : cases) {
    for (const char* file : c.files) {
      const std::string where = std::string(c.writer) + " with " + file + " unreadable";
      Restore(fixture);
      const std::string name = std::string("DATA/") + file;
      dir.WriteUnreadable(name, fixture.at(name));
      const Files before = Entries();
      Ready();
      ui.messages.clear();
      for (const Writer& w : Writers()) {
        if (std::string(w.name) == c.writer) w.run();
      }
      EXPECT_EQ(Entries(), before) << where;
      EXPECT_TRUE(dir.Unreadable(name)) << where;
      EXPECT_FALSE(ui.messages.empty()) << where;
    }
  }
}

// Renaming a player takes their overall scores along.
TEST_F(DataWritersTest, ARenamedPlayerKeepsTheOverallScore) {
  const OverallRanking before = ReadOverallScores(ctx);
  ASSERT_TRUE(RenamePlayerInStatFiles(ctx, "Bob", "Robert"));
  OverallRanking after = ReadOverallScores(ctx);
  ASSERT_EQ(after.Players.size(), before.Players.size());
  for (size_t i = 0; i < after.Players.size(); ++i) {
    EXPECT_EQ(after.Players[i], before.Players[i] == "Bob" ? "Robert" : before.Players[i]);
    EXPECT_EQ(after.TotalScores[i], before.TotalScores[i]);
  }
}

}  // namespace
}  // namespace tw
