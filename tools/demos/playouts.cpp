// playouts: the share of a game's deals that random play wins, beside the
// demo search's share, for the chance words of data/games/README.md. Each
// deal is played from its start K times, every move drawn at random among
// the moves the engine allows then (drops, selections, a stock click); the
// deal counts as won when one playout wins it. A measuring tool only.
//
//   playouts --game N [--first D] [--deals K] [--playouts P] [--moves M] [--dist DIR]
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "core/gamesfile.h"
#include "engine/autoplay.h"
#include "engine/demo_source.h"
#include "engine/random_player.h"

namespace fs = std::filesystem;
using namespace tw;

namespace {

std::string DefaultDist() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return (exe.parent_path().parent_path() / "dist").string();
}

uint64_t Mix(uint64_t& state) {
  state ^= state << 13;
  state ^= state >> 7;
  state ^= state << 17;
  return state;
}

bool PlayOut(GameContext& ctx, const std::string& deal, uint64_t& rng, int maxMoves) {
  if (!StartDealForPlay(ctx, deal)) return false;
  for (int k = 0; k < maxMoves; ++k) {
    if (IsGameWon(ctx)) return true;
    const std::vector<DemoMove> moves = DemoCandidates(ctx);
    if (moves.empty()) return false;
    ApplyDemoMove(ctx, moves[Mix(rng) % moves.size()]);
  }
  return IsGameWon(ctx);
}

}  // namespace

int main(int argc, char** argv) {
  int game = -1, deals = 100, playouts = 10, maxMoves = 1000;
  uint64_t first = 2026121000001;  // the numbers demosearch --rate starts from
  std::string dist;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i], v = argv[i + 1];
    if (a == "--game") game = std::stoi(v);
    else if (a == "--first") first = std::stoull(v);
    else if (a == "--deals") deals = std::stoi(v);
    else if (a == "--playouts") playouts = std::stoi(v);
    else if (a == "--moves") maxMoves = std::stoi(v);
    else if (a == "--dist") dist = v;
    else return std::cerr << "playouts: unknown option " << a << "\n", 2;
  }
  if (game < 0) {
    std::cerr << "usage: playouts --game N [--first D] [--deals K] [--playouts P] [--moves M]\n";
    return 2;
  }
  if (dist.empty()) dist = DefaultDist();
  HeadlessPlay play(dist + "/");
  if (!play.ready) return std::cerr << "playouts: cannot read the games file: " << play.error << "\n", 1;
  play.ctx.SetCfg(cfg::Game, std::to_string(game));
  uint64_t rng = 0x2545f4914f6cdd1dull ^ static_cast<uint64_t>(game);
  int won = 0;
  for (int k = 0; k < deals; ++k) {
    const std::string deal = std::to_string(first + static_cast<uint64_t>(k));
    for (int p = 0; p < playouts; ++p) {
      if (PlayOut(play.ctx, deal, rng, maxMoves)) {
        ++won;
        break;
      }
    }
  }
  std::printf("game %d %s: %d of %d deals won by %d random playouts each (%.0f%%)\n", game,
              GameNameFromNumber(play.ctx, game).c_str(), won, deals, playouts,
              deals ? 100.0 * won / deals : 0.0);
  return 0;
}
