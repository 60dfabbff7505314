// fcboard: writes deals of a game as boards for the free-cell solver
// (fc-solve, Debian package freecell-solver-bin) or stacksolve, to measure
// the share of deals a game lets a player win. A measuring tool only: nothing of the
// program or its tests uses it. See data/games/README.md.
//
//   fcboard --game N [--first D] [--deals K] [--out DIR] [--dist DIR]
//
// Each deal is dealt by the engine from its deal number, as the program
// deals it, and written as DIR/<deal>.board: the foundations' top cards, the
// reserves as free cells and the tableau piles bottom card first. A deal the
// solver cannot read as such (a stock, a face-down card, a second deck) is
// refused with the reason.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "core/cards.h"
#include "core/gamesfile.h"
#include "engine/demo_source.h"
#include "engine/random_player.h"

namespace fs = std::filesystem;
using namespace tw;

namespace {

const char kRanks[] = "0A23456789TJQK";
const char kSuits[] = "HDCS";

std::string SolverCard(int code) {
  if (code < 1 || code > 52) return "?";
  return std::string(1, kRanks[CardRank(code)]) + kSuits[CardSuit(code)];
}

std::string DefaultDist() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return (exe.parent_path().parent_path() / "dist").string();
}

// The dealt table as a board; empty with the reason in why when the solver
// cannot play it.
std::string Board(const GameContext& ctx, std::string& why) {
  const GameRulesRecord& rules = ctx.GameRules;
  if (rules.CardCount() != 52) return why = "not a one-deck game", "";
  if (!ctx.MazzoPiles[0].empty() || !ctx.MazzoPiles[1].empty() || !ctx.MazzoPiles[2].empty())
    return why = "cards are left in the stock", "";
  int top[4] = {0, 0, 0, 0};
  for (int i = 0; i < rules.FoundationCount(); ++i) {
    const std::string& pile = ctx.DestPiles[static_cast<size_t>(i)];
    if (pile.empty()) continue;
    const int card = TopCard(pile);
    if (PileCardAt(pile, 0) != card - CardRank(card) + 1)
      return why = "a foundation does not start at the Ace", "";
    top[CardSuit(card)] = CardRank(card);
  }
  std::string board = "Foundations:";
  for (int s : {0, 2, 1, 3}) board += std::string(" ") + kSuits[s] + "-" + kRanks[top[s]];
  board += "\n";
  if (rules.ReserveCount() > 0) {
    board += "Freecells:";
    for (int i = 0; i < rules.ReserveCount(); ++i) {
      const std::string& cell = ctx.AppoggPiles[static_cast<size_t>(i)];
      if (PileCardCount(cell) > 1) return why = "a reserve holds more than one card", "";
      board += " " + (cell.empty() ? std::string("-") : SolverCard(TopCard(cell)));
    }
    board += "\n";
  }
  for (int i = 0; i < rules.TableauCount(); ++i) {
    const std::string& pile = ctx.FilaPiles[static_cast<size_t>(i)];
    board += ":";
    for (int k = 0; k < PileCardCount(pile); ++k) {
      const int card = PileCardAt(pile, k);
      if (!IsFaceUp(ctx, card)) return why = "a tableau card is face down", "";
      board += " " + SolverCard(card);
    }
    board += "\n";
  }
  return board;
}

}  // namespace

int main(int argc, char** argv) {
  int game = -1, deals = 100;
  uint64_t first = 2026121000001;  // the numbers demosearch --rate starts from
  std::string out = ".", dist;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i], v = argv[i + 1];
    if (a == "--game") game = std::stoi(v);
    else if (a == "--first") first = std::stoull(v);
    else if (a == "--deals") deals = std::stoi(v);
    else if (a == "--out") out = v;
    else if (a == "--dist") dist = v;
    else return std::cerr << "fcboard: unknown option " << a << "\n", 2;
  }
  if (game < 0) {
    std::cerr << "usage: fcboard --game N [--first D] [--deals K] [--out DIR] [--dist DIR]\n";
    return 2;
  }
  if (dist.empty()) dist = DefaultDist();
  HeadlessPlay play(dist + "/");
  if (!play.ready) return std::cerr << "fcboard: cannot read the games file: " << play.error << "\n", 1;
  play.ctx.SetCfg(cfg::Game, std::to_string(game));
  fs::create_directories(out);
  for (int k = 0; k < deals; ++k) {
    const std::string deal = std::to_string(first + static_cast<uint64_t>(k));
    if (!StartDealForPlay(play.ctx, deal)) return std::cerr << "fcboard: deal " << deal << " failed\n", 1;
    std::string why;
    const std::string board = Board(play.ctx, why);
    if (board.empty()) return std::cerr << "fcboard: game " << game << ": " << why << "\n", 1;
    std::ofstream(out + "/" + deal + ".board") << board;
  }
  return 0;
}
