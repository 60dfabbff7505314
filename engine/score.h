// The running money score of the deal, kept in CfgRecord.Score and shown on
// the main window's score label.
#pragma once

#include "core/state.h"

namespace tw {

// With reset the score becomes the cost of the deal (minus the card count),
// otherwise it grows by 5 per card; only score kind "01" counts. Poker
// squares keeps its own score and is left alone.
void AddScore(GameContext& ctx, int cards, bool reset = false);

// The money score worked out again from the table: the deal's cost, 5 per
// card credited at the deal, 5 per card of the third stock entry and of every
// foundation. Used after every play, undo, redo and load. Poker squares keeps
// its own score; in kind 10 the foundation hints are redrawn.
void RecalcScore(GameContext& ctx);

// The money score of the table as RecalcScore computes it.
int64_t MoneyScore(const GameContext& ctx);

}  // namespace tw
