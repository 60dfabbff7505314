// Moves per second of the random player over each game of the shipped games
// file: drops found by the engine's legality, stock clicks, autoplay, undo
// and redo, through null surroundings.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/cards.h"
#include "core/gamesfile.h"
#include "core/state.h"
#include "engine/demo_source.h"
#include "engine/ports.h"
#include "engine/random_player.h"

namespace tw {
namespace {

// TW_DIST_DIR, else the dist folder beside the bin folder of this program.
std::string DistDir() {
  if (const char* env = std::getenv("TW_DIST_DIR")) return std::string(env) + "/";
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return (exe.parent_path().parent_path() / "dist").string() + "/";
}

HeadlessPlay& SharedTable() {
  static HeadlessPlay table(DistDir());
  return table;
}

void RandomPlayerRun(benchmark::State& state, size_t line) {
  HeadlessPlay& t = SharedTable();
  t.ctx.SetCfg(cfg::Game, std::to_string(CatalogueNumber(t.ctx.GameList[line])));
  int64_t steps = 0;
  uint64_t deal = 1;
  for (auto _ : state) {
    state.PauseTiming();
    StartDealForPlay(t.ctx, std::to_string(deal));
    RandomPlayer player(deal++);
    state.ResumeTiming();
    for (int k = 0; k < 200; ++k) player.Step(t.ctx);
    steps += 200;
  }
  state.counters["moves/s"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}

// One benchmark per game of the catalogue, named after the game.
// Without games there is nothing to measure: say so and stop, rather than pass on nothing.
const bool kRegistered = [] {
  HeadlessPlay& t = SharedTable();
  if (!t.ready || t.ctx.GameList.empty()) {
    std::fprintf(stderr, "random player benchmark: no games in %s%s (build first, or set TW_DIST_DIR)\n",
                 DistDir().c_str(), kGamesFileName);
    std::exit(1);
  }
  for (size_t i = 0; i < t.ctx.GameList.size(); ++i) {
    const std::string& line = t.ctx.GameList[i];
    std::string name =
        "RandomPlayer/" + std::to_string(CatalogueNumber(line)) + " " + CatalogueName(line);
    benchmark::RegisterBenchmark(name.c_str(), RandomPlayerRun, i)->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace tw
