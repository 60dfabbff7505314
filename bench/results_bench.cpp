// What it measures: the wall time of ending one deal (GameOver), which
// records it in every results file as one change: the statistics record of
// STAT.DAT, the hi-score table, the overall scores and the line appended to
// STAT_LOG.DAT, with the change's intent record and every fsync. It is run
// with a game log of 100, 10,000 and 100,000 lines (and statistics of 40
// games times 5 players). The log is appended to, never read or rewritten,
// so the three times should be the same: a time that grows with the log
// means the end of a deal has begun to read or copy it again.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/hiscores.h"
#include "core/state.h"
#include "core/stats.h"
#include "engine/gameover.h"
#include "platform/sys/files.h"
#include "platform/sys/services.h"

namespace {

class BenchClock : public tw::sys::Clock {
 public:
  uint64_t TickMs() override { return ms_ += 50; }
  tw::sys::LocalDateTime Now() override { return {2026, 12, 10, 9, 5, 7}; }

 private:
  uint64_t ms_ = 1000000;
};

class QuietUi : public tw::sys::UiHooks {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return true; }
  void Beep(int) override {}
  void SetHourglass(bool) override {}
  void ProcessMessages() override {}
};

void BM_RecordDeal(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::temp_directory_path() / ("tw_results_bench_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "DATA");

  BenchClock clock;
  tw::sys::StdRandomSource random;
  random.Seed(1);
  QuietUi ui;
  tw::GameContext ctx;
  tw::CreateSharedGlobals(ctx, dir.string() + "/");
  tw::InitCardsAndPiles(ctx);
  ctx.Clock = &clock;
  ctx.Random = &random;
  ctx.Ui = &ui;
  ctx.SetCfg(tw::cfg::Game_name, "Klondike");
  ctx.SetCfg(tw::cfg::ScoreKind, "01");
  ctx.SetCfg(tw::cfg::DealNumber, "4711");
  ctx.SetCfg(tw::cfg::ConfirmEnterHiScores, "N");
  ctx.GameRules.CardCount() = 52;

  // A log of the wanted length and statistics of 40 games and 5 players.
  const char* const players[] = {"Ann", "Bob", "Cy", "Dee", "Eve"};
  std::vector<std::string> log;
  for (int64_t i = 0; i < state.range(0); ++i) {
    ctx.SetCfg(tw::cfg::Game, std::to_string(i % 40));
    ctx.SetCfg(tw::cfg::UserDefault, players[i % 5]);
    ctx.SetCfg(tw::cfg::Score, std::to_string(i % 300 - 52));
    log.push_back(tw::BuildStatLogLine(ctx, i % 3 == 0, i % 900, "20261201", "10:00:00"));
  }
  tw::sys::ReplaceFileLines((dir / "DATA" / "STAT_LOG.DAT").string(), log);
  for (int g = 0; g < 40; ++g) {
    for (const char* p : players) {
      ctx.SetCfg(tw::cfg::Game, std::to_string(g));
      ctx.SetCfg(tw::cfg::UserDefault, p);
      tw::UpdateGameStatistics(ctx, g % 2 == 0);
    }
  }

  ctx.SetCfg(tw::cfg::Game, "0012");
  ctx.SetCfg(tw::cfg::UserDefault, "Bob");
  int n = 0;
  for (auto _ : state) {
    ctx.SetCfg(tw::cfg::Score, std::to_string(n % 400 - 52));
    ctx.TfrmMain.GameInProgress = 1;
    ctx.TfrmMain.GameWon = n % 2 == 0 ? 1 : 0;
    ctx.TfrmMain.ClockRunning = 1;
    ctx.GameStartTime = tw::ClockSeconds(ctx) - 100 - n % 50;
    tw::GameOver(ctx);
    ++n;
  }
  state.SetItemsProcessed(state.iterations());
  fs::remove_all(dir);
}
BENCHMARK(BM_RecordDeal)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
