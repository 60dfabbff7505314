// A depth-first search for a won deal through the engine's own moves: every
// candidate is made by the executor after the engine's legality test and
// taken back by undo. A safe move to a foundation is made without trying
// others; the rest are ranked by the table they leave (one move ahead) or
// by their kind (foundation moves, selections and moves that uncover a
// face-down card or empty a pile first), in rounds that share the budget;
// tables already seen are skipped.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/demo_source.h"

namespace tw::demos {

struct SearchLimits {
  int64_t nodes = 200000;  // per deal
  int maxMoves = 300;      // the longest move list kept
  int rounds = 4;          // searches of the deal that share the budget
  std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
};

struct SearchResult {
  bool won = false;
  int64_t nodes = 0;
  std::vector<DemoMove> moves;
};

// Deals `deal` of CfgRecord.Game and searches it. On a win the moves are
// checked by replaying them from a fresh deal.
SearchResult SearchDeal(GameContext& ctx, const std::string& deal, const SearchLimits& limits);

}  // namespace tw::demos
